// Keys and clicks on the string grid at 100,000 x 20 cells (an 800 x 600 shown grid) against
// QTableWidget with the same cells, in the same run: 10,000 Down presses, PgDn from the first to
// the last row, 1,000 left clicks on different cells and Ctrl+A (selectAll for the table). Each
// key and click goes through the widget's event handling. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

constexpr int DownPresses = 10000;
constexpr int Clicks = 1000;

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

// The cell of click i: spread over the visible cells so that every click moves the cell.
QPoint ClickPoint(int i, int ColWidth, int RowHeight, int Left, int Top)
{
    const int c = 1 + i % 7;
    const int r = 1 + (i / 7) % 15;
    return QPoint(Left + c * ColWidth + ColWidth / 2, Top + r * RowHeight + RowHeight / 2);
}

void ExtGridDownKeys(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->SetRow(1);
        g->SetTopRow(1);
        for (int i = 0; i < DownPresses; ++i)
            QTest::keyClick(g->Widget(), Qt::Key_Down);
    }
}

void TableDownKeys(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        t->setCurrentCell(0, 0);
        for (int i = 0; i < DownPresses; ++i)
            QTest::keyClick(t, Qt::Key_Down);
    }
}

void ExtGridPageDown(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->SetRow(1);
        g->SetTopRow(1);
        while (g->Row() < Rows - 1)
            QTest::keyClick(g->Widget(), Qt::Key_PageDown);
    }
}

void TablePageDown(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        t->setCurrentCell(0, 0);
        while (t->currentRow() < Rows - 1)
            QTest::keyClick(t, Qt::Key_PageDown);
    }
}

void ExtGridClicks(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->SetRow(1);
    g->SetTopRow(1);
    const int w = g->ColWidths(1), h = g->RowHeights(1);
    for (auto _ : state)
        for (int i = 0; i < Clicks; ++i)
            QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, ClickPoint(i, w, h, 0, 0));
}

void TableClicks(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    t->scrollToTop();
    const int w = t->columnWidth(0), h = t->rowHeight(0);
    for (auto _ : state)
        for (int i = 0; i < Clicks; ++i)
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, ClickPoint(i, w, h, -w, -h));
}

void ExtGridCtrlA(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        QTest::keyClick(g->Widget(), Qt::Key_A, Qt::ControlModifier);
        g->SetRow(1);
    }
}

void TableSelectAll(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        t->selectAll();
        t->clearSelection();
    }
}

} // namespace

BENCHMARK(ExtGridDownKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(TableDownKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridPageDown)->Unit(benchmark::kMillisecond);
BENCHMARK(TablePageDown)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridClicks)->Unit(benchmark::kMillisecond);
BENCHMARK(TableClicks)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridCtrlA)->Unit(benchmark::kMillisecond);
BENCHMARK(TableSelectAll)->Unit(benchmark::kMillisecond);
