// The string grid's scrolling, wheel, automatic sizing, selection text and zoom at 100,000 x 20
// cells (texts r x 20 + c, an 800 x 600 shown grid) against QTableWidget holding the same cells, in
// the same run. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

constexpr int Notches = 1000;

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

void GridPageByPage(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->SetTopRow(g->FixedRows());
        const int page = std::max(1, g->VisibleRowCount());
        for (int top = g->FixedRows(); top < Rows; top += page) {
            g->SetTopRow(top);
            QApplication::processEvents();
        }
    }
}
BENCHMARK(GridPageByPage)->Unit(benchmark::kMillisecond)->Iterations(1);

void TablePageByPage(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    QScrollBar* bar = t->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(0);
        for (int v = 0; v <= bar->maximum(); v += std::max(1, bar->pageStep())) {
            bar->setValue(v);
            QApplication::processEvents();
        }
    }
}
BENCHMARK(TablePageByPage)->Unit(benchmark::kMillisecond)->Iterations(1);

void GridWheel(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->SetRow(g->FixedRows());
        const TMessage m = TWMMouseWheel{WM_MOUSEWHEEL, 0, -120, 0, 0, 0}.ToMessage();
        for (int i = 0; i < Notches; ++i) {
            g->Perform(m.Msg, m.WParam, m.LParam);
            QApplication::processEvents();
        }
    }
}
BENCHMARK(GridWheel)->Unit(benchmark::kMillisecond)->Iterations(1);

void TableWheel(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    QWidget* viewport = t->viewport();
    for (auto _ : state) {
        t->verticalScrollBar()->setValue(0);
        for (int i = 0; i < Notches; ++i) {
            const QPointF at(10, 10);
            QWheelEvent e(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &e);
            QApplication::processEvents();
        }
    }
}
BENCHMARK(TableWheel)->Unit(benchmark::kMillisecond)->Iterations(1);

void GridAutoSizeCol(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state)
        g->AutoSizeCol(3, 0);
}
BENCHMARK(GridAutoSizeCol)->Unit(benchmark::kMillisecond)->Iterations(3);

void TableResizeToContents(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    t->horizontalHeader()->setResizeContentsPrecision(-1);
    for (auto _ : state)
        t->resizeColumnToContents(3);
}
BENCHMARK(TableResizeToContents)->Unit(benchmark::kMillisecond)->Iterations(3);

void GridSelectedText(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->SelectCells(0, 0, Cols - 1, Rows - 1);
        benchmark::DoNotOptimize(g->SelectedText());
    }
}
BENCHMARK(GridSelectedText)->Unit(benchmark::kMillisecond)->Iterations(3);

void TableSelectedText(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        t->selectAll();
        QString s;
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Cols; ++c) {
                s += t->item(r, c)->text();
                if (c < Cols - 1)
                    s += QChar('\t');
            }
            if (r < Rows - 1)
                s += QLatin1String("\r\n");
        }
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(TableSelectedText)->Unit(benchmark::kMillisecond)->Iterations(3);

void GridZoom(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->Zoom(3);
        state.PauseTiming();
        g->Zoom(-3);
        state.ResumeTiming();
    }
}
BENCHMARK(GridZoom)->Unit(benchmark::kMillisecond)->Iterations(3);

void TableRowHeights(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    int h = 30;
    for (auto _ : state) {
        for (int r = 0; r < Rows; ++r)
            t->setRowHeight(r, h);
        h = h == 30 ? 33 : 30;
    }
}
BENCHMARK(TableRowHeights)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
