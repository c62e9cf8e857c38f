// Column calculations and block clears of the string grid at 100,000 x 20 cells (numeric texts
// r x 20 + c, an 800 x 600 shown grid) against QTableWidget holding the same cells, in the same run:
// ColumnSum of column 3 against summing item(r, 3)->text().toDouble(); one footer recalculation
// (acSUM, a shown fsFixedLastRow footer), also with 1,000 of the rows hidden, against the same loop;
// ClearNormalCells against clearContents. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

constexpr int SumCol = 3;

TExtStringGrid* SharedGrid()
{
    static std::unique_ptr<TExtStringGrid> g = ShownGrid();
    return g.get();
}

QTableWidget* SharedTable()
{
    static std::unique_ptr<QTableWidget> t = ShownTable();
    return t.get();
}

// The baseline: the normal rows of column 3 summed from the table's items.
void TableColumnSum(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        double sum = 0;
        for (int r = 1; r < Rows; ++r)
            sum += t->item(r, SumCol)->text().toDouble();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(TableColumnSum)->Unit(benchmark::kMillisecond);

void ExtGridColumnSum(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state)
        benchmark::DoNotOptimize(g->ColumnSum(SumCol, -1, -1));
}
BENCHMARK(ExtGridColumnSum)->Unit(benchmark::kMillisecond);

// One recalculation of a summed footer column; the footer takes the last row.
void ExtGridCalcFooter(benchmark::State& state)
{
    auto g = ShownGrid();
    g->FloatingFooter()->SetVisible(true);
    g->FloatingFooter()->SetColumnCalc(SumCol, acSUM);
    for (auto _ : state)
        g->CalcFooter(SumCol);
}
BENCHMARK(ExtGridCalcFooter)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same with every 100th row hidden (1,000 rows): the footer then reads real rows, the hidden
// ones from their entries.
void ExtGridCalcFooterHiddenRows(benchmark::State& state)
{
    auto g = ShownGrid();
    // Hidden as a filter hides them: with the footer down.
    TIntList hidden(0, 0);
    for (int r = 50; r < Rows - 1; r += 100)
        hidden.Add(r);
    g->HideRowList(&hidden);
    if (g->NumHiddenRows() != 1000)
        state.SkipWithError("the rows were not hidden");
    g->FloatingFooter()->SetVisible(true);
    g->FloatingFooter()->SetColumnCalc(SumCol, acSUM);
    for (auto _ : state)
        g->CalcFooter(SumCol);
}
BENCHMARK(ExtGridCalcFooterHiddenRows)->Unit(benchmark::kMillisecond)->Iterations(10);

void TableClearContents(benchmark::State& state)
{
    std::unique_ptr<QTableWidget> t;
    for (auto _ : state) {
        state.PauseTiming();
        t.reset();
        t = ShownTable();
        state.ResumeTiming();
        t->clearContents();
    }
}
BENCHMARK(TableClearContents)->Unit(benchmark::kMillisecond)->Iterations(3);

void ExtGridClearNormalCells(benchmark::State& state)
{
    std::unique_ptr<TExtStringGrid> g;
    for (auto _ : state) {
        state.PauseTiming();
        g.reset();
        g = ShownGrid();
        state.ResumeTiming();
        g->ClearNormalCells();
    }
}
BENCHMARK(ExtGridClearNormalCells)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
