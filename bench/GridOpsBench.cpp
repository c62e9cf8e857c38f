// Whole-cell copies between grids at 100,000 x 20 cells (plain texts, one cell in a hundred with a
// colour): AssignCells, which goes through the binary cell stream, against copying a QTableWidget
// holding the same cells into another with setItem(item->clone()), in the same run. Target: at
// most 1.5 x the baseline. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

bool Coloured(int c, int r)
{
    return (r * Cols + c) % 100 == 0;
}

TExtStringGrid* SourceGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = ShownGrid();
        grid->BeginUpdate();
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                if (Coloured(c, r))
                    grid->SetColors(c, r, clRed);
        grid->EndUpdate();
        return grid;
    }();
    return g.get();
}

QTableWidget* SourceTable()
{
    static std::unique_ptr<QTableWidget> t = [] {
        auto table = ShownTable();
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                if (Coloured(c, r))
                    table->item(r, c)->setBackground(Qt::red);
        return table;
    }();
    return t.get();
}

void ExtGridAssignCells(benchmark::State& state)
{
    TExtStringGrid* src = SourceGrid();
    static std::unique_ptr<TExtStringGrid> target = std::make_unique<TExtStringGrid>(nullptr);
    for (auto _ : state)
        target->AssignCells(src);
    if (target->Cells(3, 70000) != src->Cells(3, 70000) || target->Colors(0, 5) != clRed)
        state.SkipWithError("copy differs");
}

void QTableWidgetCloneItems(benchmark::State& state)
{
    QTableWidget* src = SourceTable();
    static std::unique_ptr<QTableWidget> target = std::make_unique<QTableWidget>(Rows, Cols);
    for (auto _ : state) {
        target->setRowCount(Rows);
        target->setColumnCount(Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                target->setItem(r, c, src->item(r, c)->clone());
    }
}

} // namespace

BENCHMARK(ExtGridAssignCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QTableWidgetCloneItems)->Unit(benchmark::kMillisecond)->Iterations(3);
