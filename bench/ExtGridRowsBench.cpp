// Row work of the string grid at 100,000 x 20 cells against QTableWidget holding the same cells, in
// the same run: inserting and removing single rows in the middle, hiding every other row as a filter
// level and showing it again (by level and all at once), reading a column through the real index
// while half the rows are hidden, and contracting and expanding 10,000 tree nodes of 10 rows.
// Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

constexpr int Middle = 50000;
constexpr int Repeats = 100;

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

// Every other data row (display rows 1, 3, 5, ...).
std::unique_ptr<TIntList> OddRows()
{
    auto list = std::make_unique<TIntList>(0, 0);
    for (int r = 1; r < Rows; r += 2)
        list->Add(r);
    return list;
}

void ExtGridInsertRows(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        for (int i = 0; i < Repeats; ++i)
            g->InsertRows(Middle, 1);
        state.PauseTiming();
        for (int i = 0; i < Repeats; ++i)
            g->RemoveRows(Middle, 1);
        state.ResumeTiming();
    }
}

void TableWidgetInsertRow(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        for (int i = 0; i < Repeats; ++i)
            t->insertRow(Middle);
        state.PauseTiming();
        for (int i = 0; i < Repeats; ++i)
            t->removeRow(Middle);
        state.ResumeTiming();
    }
}

void ExtGridRemoveRows(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < Repeats; ++i)
            g->InsertRows(Middle, 1);
        state.ResumeTiming();
        for (int i = 0; i < Repeats; ++i)
            g->RemoveRows(Middle, 1);
    }
}

void TableWidgetRemoveRow(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < Repeats; ++i)
            t->insertRow(Middle);
        state.ResumeTiming();
        for (int i = 0; i < Repeats; ++i)
            t->removeRow(Middle);
    }
}

// Arg 0: HideRowList timed; arg 1: UnHideRowList timed; arg 2: UnHideRowsAll timed.
void ExtGridHideRowList(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    const auto rows = OddRows();
    const int timed = int(state.range(0));
    for (auto _ : state) {
        if (timed != 0)
            state.PauseTiming();
        g->HideRowList(rows.get());
        if (timed != 0)
            state.ResumeTiming();
        else
            state.PauseTiming();
        if (timed == 2)
            g->UnHideRowsAll();
        else
            g->UnHideRowList();
        g->SetFilterLevel(0);
        if (timed == 0)
            state.ResumeTiming();
    }
}

// Arg 0: hiding timed; arg 1: showing timed.
void TableWidgetSetRowHidden(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    const bool showTimed = state.range(0) != 0;
    for (auto _ : state) {
        if (showTimed)
            state.PauseTiming();
        for (int r = 1; r < Rows; r += 2)
            t->setRowHidden(r, true);
        if (showTimed)
            state.ResumeTiming();
        else
            state.PauseTiming();
        for (int r = 1; r < Rows; r += 2)
            t->setRowHidden(r, false);
        if (!showTimed)
            state.ResumeTiming();
    }
}

void ExtGridReadHidden(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    const auto rows = OddRows();
    g->HideRowList(rows.get());
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int r = 0; r < g->RowCount(); ++r)
            chars += g->AllCells(1, g->RealRowIndex(r)).size();
        benchmark::DoNotOptimize(chars);
    }
    g->UnHideRowList();
    g->SetFilterLevel(0);
}

void TableWidgetReadHidden(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (int r = 1; r < Rows; r += 2)
        t->setRowHidden(r, true);
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int r = 0; r < Rows; ++r)
            if (!t->isRowHidden(r))
                chars += t->item(r, 1)->text().size();
        benchmark::DoNotOptimize(chars);
    }
    for (int r = 1; r < Rows; r += 2)
        t->setRowHidden(r, false);
}

// 10,000 nodes of 10 rows each below one fixed row: contracting hides 90,000 rows.
constexpr int Nodes = 10000;
constexpr int NodeSpan = 10;

TExtStringGrid* NodeGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        grid->SetColCount(Cols);
        grid->SetRowCount(1 + Nodes * NodeSpan);
        grid->SetBounds(0, 0, ClientWidth, ClientHeight);
        grid->Widget()->show();
        QApplication::processEvents();
        for (int r = 1; r < grid->RowCount(); ++r)
            for (int c = 1; c < Cols; ++c)
                grid->SetCells(c, r, NumberText(c, r));
        for (int n = 0; n < Nodes; ++n)
            grid->AddNode(1 + n * NodeSpan, NodeSpan);
        return grid;
    }();
    return g.get();
}

QTableWidget* NodeTable()
{
    static std::unique_ptr<QTableWidget> t = [] {
        auto table = std::make_unique<QTableWidget>(1 + Nodes * NodeSpan, Cols);
        table->resize(ClientWidth, ClientHeight);
        table->show();
        for (int r = 1; r < table->rowCount(); ++r)
            for (int c = 1; c < Cols; ++c)
                table->setItem(r, c, new QTableWidgetItem(NumberText(c, r)));
        return table;
    }();
    return t.get();
}

// Arg 0: ContractAll timed; arg 1: ExpandAll timed.
void ExtGridNodes(benchmark::State& state)
{
    TExtStringGrid* g = NodeGrid();
    const bool expandTimed = state.range(0) != 0;
    for (auto _ : state) {
        if (expandTimed)
            state.PauseTiming();
        g->ContractAll();
        if (expandTimed)
            state.ResumeTiming();
        else
            state.PauseTiming();
        g->ExpandAll();
        if (!expandTimed)
            state.ResumeTiming();
    }
    state.counters["hidden"] = double(g->NumHiddenRows());
}

// The same 90,000 child rows: arg 0 hiding timed, arg 1 showing timed.
void TableWidgetNodes(benchmark::State& state)
{
    QTableWidget* t = NodeTable();
    const bool showTimed = state.range(0) != 0;
    const auto each = [&](bool Hidden) {
        for (int n = 0; n < Nodes; ++n)
            for (int r = 2 + n * NodeSpan; r < 1 + (n + 1) * NodeSpan; ++r)
                t->setRowHidden(r, Hidden);
    };
    for (auto _ : state) {
        if (showTimed)
            state.PauseTiming();
        each(true);
        if (showTimed)
            state.ResumeTiming();
        else
            state.PauseTiming();
        each(false);
        if (!showTimed)
            state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ExtGridInsertRows)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetInsertRow)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridRemoveRows)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetRemoveRow)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridHideRowList)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetSetRowHidden)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridReadHidden)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetReadHidden)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridNodes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetNodes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
