// The print engine: a FastPrint preview of page 1 of 100,000 rows against the same preview of 50
// rows, and the counting pass over 100,000 x 5 measured cells against one TextWidth + TextHeight of
// every cell text on the same canvas, all on a 254-dpi image canvas in the same run. Not run by CI.
#include "grid/core/ExtGrid.h"
#include "platform/graphics/CanvasMapping.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

constexpr int BigRows = 100000;
constexpr int SmallRows = 50;
constexpr int PrintCols = 5;

class TBenchGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    // The counting pass of a preview over the whole grid.
    int CountPages(TCanvas* Canvas)
    {
        FPrintRect = TGridRect{0, 0, ColCount() - 1, RowCount() - 1};
        PrevRect = TRect(0, 0, 2100, 2970);
        const int mode = SetMapMode(Canvas, MM_LOMETRIC);
        const int pages = PrintLayout(Canvas, pmCountPreview, false, -1, nullptr);
        SetMapMode(Canvas, mode);
        return pages;
    }
};

QString Text(int c, int r)
{
    return QString::number(r * PrintCols + c);
}

std::unique_ptr<TBenchGrid> MakeGrid(int Rows)
{
    auto g = std::make_unique<TBenchGrid>(nullptr);
    g->SetColCount(PrintCols);
    g->SetRowCount(Rows);
    g->BeginUpdate();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < PrintCols; ++c)
            g->SetCells(c, r, Text(c, r));
    g->EndUpdate();
    return g;
}

TBenchGrid* Grid(int Rows)
{
    static std::unique_ptr<TBenchGrid> big = MakeGrid(BigRows);
    static std::unique_ptr<TBenchGrid> small = MakeGrid(SmallRows);
    return Rows == BigRows ? big.get() : small.get();
}

struct TPage {
    TPage() : Image(2100, 2970, QImage::Format_RGB32)
    {
        Image.fill(Qt::white);
        Image.setDotsPerMeterX(10000);
        Image.setDotsPerMeterY(10000);
        Canvas = std::make_unique<TCanvas>(&Image);
    }
    QImage Image;
    std::unique_ptr<TCanvas> Canvas;
};

void FastPreviewPage1(benchmark::State& state)
{
    TBenchGrid* g = Grid(int(state.range(0)));
    g->FastPrint = true;
    g->SetPreviewPage(1);
    // Screen widths: measuring every row for the widths is the counting pass's work, not a page's.
    g->PrintSettings()->NoAutoSize = true;
    TPage page;
    for (auto _ : state)
        g->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
}

void CountingPass(benchmark::State& state)
{
    TBenchGrid* g = Grid(BigRows);
    g->FastPrint = false;
    g->PrintSettings()->NoAutoSize = false;
    TPage page;
    int pages = 0;
    for (auto _ : state)
        pages = g->CountPages(page.Canvas.get());
    state.counters["pages"] = pages;
}

void MeasureEveryText(benchmark::State& state)
{
    TPage page;
    TCanvas* c = page.Canvas.get();
    SetMapMode(c, MM_LOMETRIC);
    c->Font->Height = -28;
    int64_t sum = 0;
    for (auto _ : state)
        for (int r = 0; r < BigRows; ++r)
            for (int col = 0; col < PrintCols; ++col) {
                const QString t = Text(col, r);
                sum += c->TextWidth(t) + c->TextHeight(t);
            }
    benchmark::DoNotOptimize(sum);
}

BENCHMARK(FastPreviewPage1)->Arg(BigRows)->Arg(SmallRows)->Unit(benchmark::kMillisecond);
BENCHMARK(CountingPass)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MeasureEveryText)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
