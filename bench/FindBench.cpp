// Finding and highlighting in the string grid at 100,000 x 20 cells, where the searched text occurs
// only in the last row, against QTableWidget::findItems(MatchContains) on the same texts and against
// rewriting one column through Cells with QString::replace, in the same run. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

const QString Needle = QStringLiteral("needle");
constexpr int HiCol = 3;

// Words of the row and column; the last row also holds the needle in every column.
QString CellText(int c, int r)
{
    const QString base = QStringLiteral("cell %1 of row %2").arg(c).arg(r);
    return r == Rows - 1 ? base + QStringLiteral(" Needle") : base;
}

TExtStringGrid* SharedGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
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

void ExtGridFindFirstColumns(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        const TPoint p = g->FindFirst(Needle, {});
        benchmark::DoNotOptimize(p);
        if (p.Y != Rows - 1)
            state.SkipWithError("not found");
    }
}

void ExtGridFindFirstRows(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        const TPoint p = g->FindFirst(Needle, fnDirectionLeftRight);
        benchmark::DoNotOptimize(p);
        if (p.Y != Rows - 1)
            state.SkipWithError("not found");
    }
}

void TableFindItems(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        const auto items = t->findItems(Needle, Qt::MatchContains);
        benchmark::DoNotOptimize(items);
        if (items.size() != Cols)
            state.SkipWithError("not found");
    }
}

void ExtGridHilightInCol(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->HilightInCol(true, false, HiCol, Needle);
        state.PauseTiming();
        g->UnHilightInCol(true, HiCol);
        state.ResumeTiming();
    }
}

void ColumnReplaceThroughCells(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    const QString marked = QStringLiteral("<hi>") + Needle + QStringLiteral("</hi>");
    for (auto _ : state) {
        for (int r = 0; r < Rows; ++r)
            g->SetCells(HiCol, r, g->Cells(HiCol, r).replace(Needle, marked, Qt::CaseInsensitive));
        state.PauseTiming();
        g->UnHilightInCol(true, HiCol);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ExtGridFindFirstColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridFindFirstRows)->Unit(benchmark::kMillisecond);
BENCHMARK(TableFindItems)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridHilightInCol)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnReplaceThroughCells)->Unit(benchmark::kMillisecond);
