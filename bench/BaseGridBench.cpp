// The base grid at 100,000 x 20 cells against QTableWidget holding the same cells: writing every cell
// through Cells and reading it back, and painting one page (grid lines, the hover row, twenty 2 x 2
// merged areas on it) at row 50,000. Not run by CI.
#include "grid/base/BaseGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 100000;
constexpr int Cols = 20;
constexpr int CellWidth = 64;
constexpr int CellHeight = 24;
constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;
constexpr int PageTop = 50000;
constexpr int Areas = 20;

QString CellText(int c, int r)
{
    return QString::number(r * Cols + c);
}

// A base grid that sets the brush as the string grid does and counts its property objects.
class TBenchGrid : public TBaseGrid
{
  public:
    using TBaseGrid::TBaseGrid;
    // The derived grids keep the row under the mouse here.
    void SetHoverRowIdx(int Value) { FHoverRowIdx = Value; }
    int PropertyObjects()
    {
        int n = 0;
        ForEachObjectSlot(
            [&](int, int, TObject*& slot) { n += dynamic_cast<TCellProperties*>(slot) != nullptr; });
        return n;
    }

  protected:
    void GetVisualProperties(int, int, TGridDrawState& AState, bool, bool, bool, TBrush* ABrush, TColor&,
                             TColor&, TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                             TCellGradientDirection&) override
    {
        ABrush->Color = (AState & gdFixed) ? FixedColor() : Color();
    }
};

std::unique_ptr<TBenchGrid> EmptyGrid()
{
    auto g = std::make_unique<TBenchGrid>(nullptr);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetDefaultColWidth(CellWidth);
    g->SetDefaultRowHeight(CellHeight);
    g->SetBounds(0, 0, ClientWidth, ClientHeight);
    return g;
}

void Fill(TBaseGrid* g)
{
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, CellText(c, r));
}

std::unique_ptr<QTableWidget> EmptyTable()
{
    auto t = std::make_unique<QTableWidget>(Rows, Cols);
    t->horizontalHeader()->setDefaultSectionSize(CellWidth);
    t->verticalHeader()->setDefaultSectionSize(CellHeight);
    t->resize(ClientWidth, ClientHeight);
    return t;
}

void BaseGridWriteRead(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto g = EmptyGrid();
        state.ResumeTiming();
        Fill(g.get());
        qsizetype chars = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                chars += g->Cells(c, r).size();
        benchmark::DoNotOptimize(chars);
        state.PauseTiming();
        if (g->PropertyObjects() != 0)
            state.SkipWithError("cell access created property objects");
        g.reset();
        state.ResumeTiming();
    }
}

void TableWidgetWriteRead(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto t = EmptyTable();
        state.ResumeTiming();
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                t->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
        qsizetype chars = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                chars += t->item(r, c)->text().size();
        benchmark::DoNotOptimize(chars);
        state.PauseTiming();
        t.reset();
        state.ResumeTiming();
    }
}

void BaseGridPaintPage(benchmark::State& state)
{
    auto g = EmptyGrid();
    Fill(g.get());
    g->SetHoverRow(true);
    g->SetHoverRowIdx(PageTop + 13);
    g->SetTopRow(PageTop);
    // Five areas side by side in four bands, all within the 800 x 600 page (12 columns, 24 rows).
    for (int i = 0; i < Areas; ++i)
        g->MergeCells(1 + (i % 5) * 2, PageTop + (i / 5) * 3, 2, 2);
    g->Widget()->show();
    QApplication::processEvents();
    const int before = g->PropertyObjects();
    g->Viewport()->grab();
    if (before != Areas * 4 || g->PropertyObjects() != before) {
        state.SkipWithError("painting created property objects");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(g->Viewport()->grab());
}

void TableWidgetPaintPage(benchmark::State& state)
{
    auto t = EmptyTable();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    t->show();
    QApplication::processEvents();
    t->verticalScrollBar()->setValue(PageTop);
    for (auto _ : state)
        benchmark::DoNotOptimize(t->viewport()->grab());
}

} // namespace

BENCHMARK(BaseGridWriteRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TableWidgetWriteRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BaseGridPaintPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableWidgetPaintPage)->Unit(benchmark::kMicrosecond);
