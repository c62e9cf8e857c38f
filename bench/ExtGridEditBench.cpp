// Moving the current cell down with the default editor reopened on every cell, on a column grid of
// 100,000 x 20 cells (and of 1,000 rows, whose time per move should be the same), against a
// QTableWidget of the same size doing setCurrentCell + edit() + commit per step, in the same run.
// Not run by CI.
#include "grid/core/ExtCGrid.h"
#include "grid/edit/ExtInplaceEdit.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Cols = 20;
constexpr int Moves = 10000;

struct TGridOnForm {
    std::unique_ptr<TForm> Form;
    TExtColumnGrid* Grid = nullptr;
};

TGridOnForm MakeGrid(int Rows)
{
    TGridOnForm g;
    g.Form = std::make_unique<TForm>(nullptr);
    g.Form->SetBounds(0, 0, 900, 700);
    g.Form->BeginLoading();
    g.Grid = new TExtColumnGrid(g.Form.get());
    g.Grid->SetParent(g.Form.get());
    g.Grid->SetBounds(0, 0, 800, 600);
    g.Grid->SetColCount(Cols);
    g.Grid->SetRowCount(Rows);
    g.Grid->SetFixedRows(1);
    g.Grid->SetFixedCols(1);
    g.Grid->Navigation()->AlwaysEdit = true;
    g.Form->EndLoading();
    g.Grid->BeginUpdate();
    for (int r = 1; r < Rows; ++r)
        for (int c = 1; c < Cols; ++c)
            g.Grid->SetCells(c, r, QString::number(r * Cols + c));
    g.Grid->EndUpdate();
    g.Form->Show();
    QApplication::setActiveWindow(g.Form->Widget());
    g.Grid->SetFocus();
    QApplication::processEvents();
    return g;
}

TGridOnForm& SharedGrid(int Rows)
{
    static std::map<int, TGridOnForm> grids;
    auto it = grids.find(Rows);
    if (it == grids.end())
        it = grids.emplace(Rows, MakeGrid(Rows)).first;
    return it->second;
}

void GridMovesWithEditor(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TExtColumnGrid* g = SharedGrid(rows).Grid;
    const int moves = std::min(Moves, rows - 2);
    for (auto _ : state) {
        g->SetCol(1);
        g->SetRow(1);
        for (int i = 0; i < moves; ++i) {
            g->SetRow(g->Row() + 1); // commits the open edit, validates and moves
            g->ShowEditor();
        }
        g->HideEditor();
    }
    state.counters["us_per_move"] = benchmark::Counter(
        double(moves) * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (!g->NormalEdit())
        state.SkipWithError("the editor never opened");
}
BENCHMARK(GridMovesWithEditor)->Arg(100000)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

void TableMovesWithEditor(benchmark::State& state)
{
    const int rows = int(state.range(0));
    static std::map<int, std::unique_ptr<QTableWidget>> tables;
    auto& t = tables[rows];
    if (!t) {
        t = std::make_unique<QTableWidget>(rows, Cols);
        t->resize(800, 600);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c)
                t->setItem(r, c, new QTableWidgetItem(QString::number(r * Cols + c)));
        t->show();
        QApplication::processEvents();
    }
    const int moves = std::min(Moves, rows - 2);
    for (auto _ : state) {
        t->setCurrentCell(1, 1);
        for (int i = 0; i < moves; ++i) {
            // The move commits the open editor's text and closes it, as the grid's move does.
            t->setCurrentCell(t->currentRow() + 1, 1);
            t->edit(t->currentIndex());
        }
    }
    state.counters["us_per_move"] = benchmark::Counter(
        double(moves) * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TableMovesWithEditor)->Arg(100000)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
