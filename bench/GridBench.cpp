// The toolkit grid at 100,000 rows against QTableWidget holding the same cells: filling, scrolling
// through page by page, painting a page. Not run by CI.
#include "platform/grid/StringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 100000;
constexpr int Cols = 20;

// Draws the text of each cell, as the grid family's painter would at least do.
class TTextGrid : public TStringGrid
{
  public:
    using TStringGrid::TStringGrid;

  protected:
    void DrawCell(int c, int r, const TRect& rect, TGridDrawState) override
    {
        Canvas->FillRect(rect);
        Canvas->TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(c, r));
    }
};

std::unique_ptr<TTextGrid> FilledGrid()
{
    auto g = std::make_unique<TTextGrid>(nullptr);
    g->SetBounds(0, 0, 800, 600);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, QString::number(r * Cols + c));
    return g;
}

std::unique_ptr<QTableWidget> FilledTable()
{
    auto t = std::make_unique<QTableWidget>(Rows, Cols);
    t->resize(800, 600);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(QString::number(r * Cols + c)));
    return t;
}

void GridFill(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FilledGrid());
}

void TableWidgetFill(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FilledTable());
}

void GridScrollThrough(benchmark::State& state)
{
    auto g = FilledGrid();
    for (auto _ : state) {
        const int page = std::max(g->VisibleRowCount(), 1);
        for (int top = g->FixedRows(); top < Rows; top += page)
            g->SetTopRow(top);
        g->SetTopRow(g->FixedRows());
    }
}

void TableWidgetScrollThrough(benchmark::State& state)
{
    auto t = FilledTable();
    QScrollBar* bar = t->verticalScrollBar();
    for (auto _ : state) {
        for (int v = 0; v <= bar->maximum(); v += std::max(bar->pageStep(), 1))
            bar->setValue(v);
        bar->setValue(0);
    }
}

void GridPaintPage(benchmark::State& state)
{
    auto g = FilledGrid();
    g->SetTopRow(Rows / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->Viewport()->grab());
}

void TableWidgetPaintPage(benchmark::State& state)
{
    auto t = FilledTable();
    t->scrollToItem(t->item(Rows / 2, 0));
    for (auto _ : state)
        benchmark::DoNotOptimize(t->viewport()->grab());
}

} // namespace

BENCHMARK(GridFill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(TableWidgetFill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(GridScrollThrough)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetScrollThrough)->Unit(benchmark::kMillisecond);
BENCHMARK(GridPaintPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableWidgetPaintPage)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
