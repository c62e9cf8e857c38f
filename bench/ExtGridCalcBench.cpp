// Column calculations and block clears of the string grid at 100,000 x 20 cells (numeric texts
// r x 20 + c, an 800 x 600 shown grid) against QTableWidget holding the same cells, in the same run:
// ColumnSum of column 3 against summing item(r, 3)->text().toDouble(); one footer recalculation
// (acSUM, a shown fsFixedLastRow footer), also with 1,000 of the rows hidden, against the same loop;
// ClearNormalCells against clearContents. Not run by CI.
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 100000;
constexpr int Cols = 20;
constexpr int SumCol = 3;
constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;

QString CellText(int c, int r)
{
    return QString::number(r * Cols + c);
}

std::unique_ptr<TExtStringGrid> FilledGrid()
{
    auto g = std::make_unique<TExtStringGrid>(nullptr);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetBounds(0, 0, ClientWidth, ClientHeight);
    g->Widget()->show();
    QApplication::processEvents();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, CellText(c, r));
    return g;
}

std::unique_ptr<QTableWidget> FilledTable()
{
    auto t = std::make_unique<QTableWidget>(Rows, Cols);
    t->resize(ClientWidth, ClientHeight);
    t->show();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    return t;
}

TExtStringGrid* SharedGrid()
{
    static std::unique_ptr<TExtStringGrid> g = FilledGrid();
    return g.get();
}

QTableWidget* SharedTable()
{
    static std::unique_ptr<QTableWidget> t = FilledTable();
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
    auto g = FilledGrid();
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
    auto g = FilledGrid();
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
        t = FilledTable();
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
        g = FilledGrid();
        state.ResumeTiming();
        g->ClearNormalCells();
    }
}
BENCHMARK(ExtGridClearNormalCells)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
