// The toolkit string grid at 100,000 rows against QTableWidget holding the same cells, on equal work:
// the same cell pitch (a 64 x 24 px cell and a 1 px line after it on both axes), the same client area,
// no fixed rows or headers, and each paints the same cells (checked before timing). Filling, scrolling
// page by page with a paint per page, painting one page, inserting and deleting rows. Not run by CI.
#include "platform/grid/StringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 100000;
constexpr int Cols = 20;
constexpr int CellWidth = 64; // without the line
constexpr int CellHeight = 24;
constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;
constexpr int ScrollPages = 200; // pages scrolled and painted per iteration
constexpr int RowBlock = 1000;   // rows inserted or deleted per iteration

QString CellText(int c, int r)
{
    return QString::number(r * Cols + c);
}

// The string grid with its default drawing (background and text), counting the cells it paints.
class TCountingGrid : public TStringGrid
{
  public:
    using TStringGrid::TStringGrid;
    int Painted = 0;

    // A row in at ARow, as the grid family inserts: one more row, moved there from the end.
    void InsertRow(int ARow)
    {
        SetRowCount(RowCount() + 1);
        MoveRow(RowCount() - 1, ARow);
    }

  protected:
    void DrawCell(int c, int r, const TRect& rect, TGridDrawState state) override
    {
        ++Painted;
        TStringGrid::DrawCell(c, r, rect, state);
    }
};

class TCountingDelegate : public QStyledItemDelegate
{
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    mutable int Painted = 0;
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override
    {
        ++Painted;
        QStyledItemDelegate::paint(p, o, i);
    }
};

std::unique_ptr<TCountingGrid> EmptyGrid()
{
    auto g = std::make_unique<TCountingGrid>(nullptr);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetDefaultColWidth(CellWidth);
    g->SetDefaultRowHeight(CellHeight);
    g->SetBounds(0, 0, ClientWidth, ClientHeight);
    // Two rounds: the bars' room depends on the size.
    for (int round = 0; round < 2; ++round)
        g->SetBounds(0, 0, g->Width() + ClientWidth - g->ClientWidth(),
                     g->Height() + ClientHeight - g->ClientHeight());
    return g;
}

// Both are filled hidden and shown after, as a form fills its grid before it shows.
std::unique_ptr<TCountingGrid> FilledGrid()
{
    auto g = EmptyGrid();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, CellText(c, r));
    g->Widget()->show();
    QApplication::processEvents();
    return g;
}

std::unique_ptr<QTableWidget> EmptyTable()
{
    auto t = std::make_unique<QTableWidget>(Rows, Cols);
    t->setItemDelegate(new TCountingDelegate(t.get()));
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    // A section holds the cell and the grid line drawn at its right (bottom) edge.
    t->horizontalHeader()->setMinimumSectionSize(1);
    t->verticalHeader()->setMinimumSectionSize(1);
    t->horizontalHeader()->setDefaultSectionSize(CellWidth + 1);
    t->verticalHeader()->setDefaultSectionSize(CellHeight + 1);
    t->resize(ClientWidth, ClientHeight);
    return t;
}

std::unique_ptr<QTableWidget> FilledTable()
{
    auto t = EmptyTable();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    t->show();
    QApplication::processEvents();
    // The viewport's size is known once the view is laid out.
    for (int round = 0; round < 2; ++round) {
        t->resize(t->width() + ClientWidth - t->viewport()->width(),
                  t->height() + ClientHeight - t->viewport()->height());
        QApplication::processEvents();
    }
    return t;
}

int TablePainted(QTableWidget* t)
{
    return static_cast<TCountingDelegate*>(t->itemDelegate())->Painted;
}

// One page painted by each, from the middle; false (and a skipped benchmark) when the work differs.
bool SameWork(benchmark::State& state, TCountingGrid* g, QTableWidget* t)
{
    if (g->ClientWidth() != t->viewport()->width() || g->ClientHeight() != t->viewport()->height()) {
        state.SkipWithError("client areas differ");
        return false;
    }
    g->Painted = 0;
    static_cast<TCountingDelegate*>(t->itemDelegate())->Painted = 0;
    g->Viewport()->grab();
    t->viewport()->grab();
    if (g->Painted != TablePainted(t) || g->Painted == 0) {
        state.SkipWithError("painted cell counts differ");
        return false;
    }
    state.counters["cells"] = g->Painted;
    return true;
}

struct TPair {
    std::unique_ptr<TCountingGrid> Grid = FilledGrid();
    std::unique_ptr<QTableWidget> Table = FilledTable();
};

TPair& Filled()
{
    static TPair pair;
    return pair;
}

void GridFill(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FilledGrid());
}

void TableWidgetFill(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FilledTable());
}

// The viewport of one of the pair showing the middle page; nullptr when the work differs.
QWidget* MiddlePage(benchmark::State& state, bool grid)
{
    TPair& f = Filled();
    f.Grid->SetTopRow(Rows / 2);
    f.Table->verticalScrollBar()->setValue(Rows / 2);
    if (!SameWork(state, f.Grid.get(), f.Table.get()))
        return nullptr;
    return grid ? f.Grid->Viewport() : f.Table->viewport();
}

void GridPaintPage(benchmark::State& state)
{
    if (QWidget* page = MiddlePage(state, true))
        for (auto _ : state)
            benchmark::DoNotOptimize(page->grab());
}

void TableWidgetPaintPage(benchmark::State& state)
{
    if (QWidget* page = MiddlePage(state, false))
        for (auto _ : state)
            benchmark::DoNotOptimize(page->grab());
}

void GridScrollAndPaint(benchmark::State& state)
{
    TCountingGrid* g = Filled().Grid.get();
    for (auto _ : state) {
        const int page = std::max(g->VisibleRowCount(), 1);
        for (int i = 0; i < ScrollPages; ++i) {
            g->SetTopRow(i * page);
            benchmark::DoNotOptimize(g->Viewport()->grab());
        }
    }
}

void TableWidgetScrollAndPaint(benchmark::State& state)
{
    QTableWidget* t = Filled().Table.get();
    QScrollBar* bar = t->verticalScrollBar();
    for (auto _ : state) {
        const int page = std::max(bar->pageStep(), 1);
        for (int i = 0; i < ScrollPages; ++i) {
            bar->setValue(i * page);
            benchmark::DoNotOptimize(t->viewport()->grab());
        }
    }
}

// Rows go in and out in the middle, one at a time, as a user's inserts and deletes do.
void GridInsertRows(benchmark::State& state)
{
    TCountingGrid* g = Filled().Grid.get();
    for (auto _ : state)
        for (int i = 0; i < RowBlock; ++i)
            g->InsertRow(Rows / 2);
}

void TableWidgetInsertRows(benchmark::State& state)
{
    QTableWidget* t = Filled().Table.get();
    for (auto _ : state)
        for (int i = 0; i < RowBlock; ++i)
            t->insertRow(Rows / 2);
}

void GridDeleteRows(benchmark::State& state)
{
    TCountingGrid* g = Filled().Grid.get();
    for (auto _ : state)
        for (int i = 0; i < RowBlock; ++i)
            g->DeleteRow(Rows / 2);
}

void TableWidgetDeleteRows(benchmark::State& state)
{
    QTableWidget* t = Filled().Table.get();
    for (auto _ : state)
        for (int i = 0; i < RowBlock; ++i)
            t->removeRow(Rows / 2);
}

} // namespace

BENCHMARK(GridFill)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TableWidgetFill)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GridPaintPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableWidgetPaintPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(GridScrollAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetScrollAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(GridInsertRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TableWidgetInsertRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(GridDeleteRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TableWidgetDeleteRows)->Unit(benchmark::kMillisecond)->Iterations(5);
