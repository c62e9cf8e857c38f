// The string grid at 100,000 x 20 cells (texts r x 20 + c, an 800 x 600 shown grid) against
// QTableWidget holding the same cells, in the same run: filling through Cells (with and without the
// update lock), reading every cell through Cells, hiding and showing 10 of the 20 columns, and a page
// paint with and without 10 hidden columns, 10,000 mouse moves across the cells (hover row on; the
// table with mouse tracking, each move painted before the next). Later grid work adds its cases here.
// Not run by CI.
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 100000;
constexpr int Cols = 20;
constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;

QString CellText(int c, int r)
{
    return QString::number(r * Cols + c);
}

std::unique_ptr<TExtStringGrid> EmptyGrid()
{
    auto g = std::make_unique<TExtStringGrid>(nullptr);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetBounds(0, 0, ClientWidth, ClientHeight);
    g->Widget()->show();
    QApplication::processEvents();
    return g;
}

void Fill(TExtStringGrid* g)
{
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, CellText(c, r));
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

TExtStringGrid* FilledGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = EmptyGrid();
        Fill(grid.get());
        return grid;
    }();
    return g.get();
}

QTableWidget* SharedTable()
{
    static std::unique_ptr<QTableWidget> t = FilledTable();
    return t.get();
}

void ExtGridFill(benchmark::State& state)
{
    const bool locked = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto g = EmptyGrid();
        state.ResumeTiming();
        if (locked)
            g->BeginUpdate();
        Fill(g.get());
        if (locked)
            g->EndUpdate();
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}

void TableWidgetFill(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FilledTable());
}

void ExtGridRead(benchmark::State& state)
{
    TExtStringGrid* g = FilledGrid();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                chars += g->Cells(c, r).size();
        benchmark::DoNotOptimize(chars);
    }
}

void TableWidgetRead(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                chars += t->item(r, c)->text().size();
        benchmark::DoNotOptimize(chars);
    }
}

void ExtGridHideShow(benchmark::State& state)
{
    TExtStringGrid* g = FilledGrid();
    for (auto _ : state) {
        for (int c = 2; c < Cols; c += 2)
            g->HideColumn(c);
        g->UnHideColumnsAll();
    }
}

void TableWidgetHideShow(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        for (int c = 2; c < Cols; c += 2)
            t->setColumnHidden(c, true);
        for (int c = 2; c < Cols; c += 2)
            t->setColumnHidden(c, false);
    }
}

void ExtGridPaintPage(benchmark::State& state)
{
    TExtStringGrid* g = FilledGrid();
    const bool hidden = state.range(0) != 0;
    if (hidden)
        for (int c = 2; c < Cols; c += 2)
            g->HideColumn(c);
    g->SetTopRow(Rows / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->Viewport()->grab());
    g->UnHideColumnsAll();
}

constexpr int Moves = 10000;

// The i-th point of a walk over the visible cells: down a column, then on to the next one.
QPoint MovePoint(int i, int Width, int Height)
{
    const int x = 40 + (i / 25) * 37 % (Width - 80);
    const int y = 30 + (i % 25) * ((Height - 60) / 25);
    return QPoint(x, y);
}

void ExtGridMouseMove(benchmark::State& state)
{
    TExtStringGrid* g = FilledGrid();
    g->SetHoverRow(true);
    g->SetTopRow(Rows / 2);
    QWidget* v = g->Viewport();
    QApplication::processEvents();
    for (auto _ : state) {
        for (int i = 0; i < Moves; ++i) {
            QTest::mouseMove(v, MovePoint(i, v->width(), v->height()));
            QApplication::processEvents();
        }
    }
    g->SetHoverRow(false);
}

void TableWidgetMouseMove(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    t->setMouseTracking(true);
    t->scrollToItem(t->item(Rows / 2, 0), QAbstractItemView::PositionAtTop);
    QWidget* v = t->viewport();
    QApplication::processEvents();
    for (auto _ : state) {
        for (int i = 0; i < Moves; ++i) {
            QTest::mouseMove(v, MovePoint(i, v->width(), v->height()));
            QApplication::processEvents();
        }
    }
}

} // namespace

BENCHMARK(ExtGridFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TableWidgetFill)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExtGridRead)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridHideShow)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableWidgetHideShow)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExtGridPaintPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExtGridMouseMove)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TableWidgetMouseMove)->Unit(benchmark::kMillisecond)->Iterations(3);
