// Painting of a column grid (100,000 x 20 cells, a colour per column, look glXP, an 800 x 600 viewport)
// against QTableWidget holding the same cells, in the same run: one page at row 50,000, 200 pages
// scrolled and painted, and the same page with a data check-box column and FilterDropDownAuto on.
// Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtCGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

constexpr int PageRow = 50000;
constexpr int Pages = 200;

QString CellText(int c, int r)
{
    // Column 1 holds check texts, so the check-box page differs from the plain one only in its look.
    if (c == 1)
        return r % 2 ? "Y" : "N";
    return QString::number(r * Cols + c);
}

TExtColumnGrid* SharedGrid()
{
    static std::unique_ptr<TExtColumnGrid> g = [] {
        auto grid = std::make_unique<TExtColumnGrid>(nullptr);
        grid->Columns()->Clear();
        for (int c = 0; c < Cols; ++c) {
            TGridColumnItem* item = grid->Columns()->Add();
            // A colour per column: pale tones that keep the text readable.
            item->SetColor(TColor(0x00E0E0E0 + (c * 0x0A0305 & 0x001F1F1F)));
        }
        grid->SetLook(glXP);
        FillAndShow(*grid, CellText);
        return grid;
    }();
    return g.get();
}

QTableWidget* SharedTable()
{
    static std::unique_ptr<QTableWidget> t = ShownTable(CellText);
    return t.get();
}

void SetCheckColumn(TExtColumnGrid* g, bool On)
{
    g->Columns()->Items(1)->SetEditor(On ? edDataCheckBox : edNormal);
    g->FilterDropDownAuto = On;
    g->SetTopRow(PageRow);
    QApplication::processEvents();
}

void GridPage(benchmark::State& state)
{
    TExtColumnGrid* g = SharedGrid();
    SetCheckColumn(g, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->Viewport()->grab());
}
BENCHMARK(GridPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void GridPageCheckBoxFilter(benchmark::State& state)
{
    TExtColumnGrid* g = SharedGrid();
    SetCheckColumn(g, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->Viewport()->grab());
    SetCheckColumn(g, false);
}
BENCHMARK(GridPageCheckBoxFilter)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void TablePage(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    t->verticalScrollBar()->setValue(PageRow);
    QApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(t->viewport()->grab());
}
BENCHMARK(TablePage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void Grid200Pages(benchmark::State& state)
{
    TExtColumnGrid* g = SharedGrid();
    SetCheckColumn(g, false);
    for (auto _ : state) {
        const int page = std::max(1, g->VisibleRowCount());
        for (int i = 0; i < Pages; ++i) {
            g->SetTopRow(g->FixedRows() + i * page);
            benchmark::DoNotOptimize(g->Viewport()->grab());
        }
    }
}
BENCHMARK(Grid200Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

void Table200Pages(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    QScrollBar* bar = t->verticalScrollBar();
    for (auto _ : state) {
        const int page = std::max(1, bar->pageStep());
        for (int i = 0; i < Pages; ++i) {
            bar->setValue(i * page);
            benchmark::DoNotOptimize(t->viewport()->grab());
        }
    }
}
BENCHMARK(Table200Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
