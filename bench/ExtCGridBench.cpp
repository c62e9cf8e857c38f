// The column grid and the cell objects at 100,000 rows against QTableWidget, in the same run: a check
// box column made and read back, the painter's per-cell questions (colour, alignment, editor kind)
// answered by a 20-column column grid, and a row moved from near the top to near the bottom with row
// heights that differ. Not run by CI.
#include "grid/core/ExtCGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 100000;
constexpr int Cols = 20;
constexpr int MoveFrom = 10;
constexpr int MoveTo = 90000;

template <class G> std::unique_ptr<G> ShownGrid(int ColCount)
{
    auto g = std::make_unique<G>(nullptr);
    g->SetColCount(ColCount);
    g->SetRowCount(Rows);
    g->SetBounds(0, 0, 800, 600);
    g->Widget()->show();
    QApplication::processEvents();
    return g;
}

std::unique_ptr<QTableWidget> ShownTable(int ColCount)
{
    auto t = std::make_unique<QTableWidget>(Rows, ColCount);
    t->resize(800, 600);
    t->show();
    QApplication::processEvents();
    return t;
}

// ---- Check box column -----------------------------------------------------------------------------------

void ExtGridCheckBoxColumn(benchmark::State& state)
{
    auto g = ShownGrid<TExtStringGrid>(5);
    for (auto _ : state) {
        g->AddCheckBoxColumn(1, false, false);
        int checked = 0;
        bool s = false;
        for (int r = 0; r < Rows; ++r)
            checked += g->GetCheckBoxState(1, r, s) && s;
        benchmark::DoNotOptimize(checked);
    }
}

void TableWidgetCheckBoxColumn(benchmark::State& state)
{
    auto t = ShownTable(5);
    for (int r = 0; r < Rows; ++r)
        t->setItem(r, 1, new QTableWidgetItem());
    for (auto _ : state) {
        for (int r = 1; r < Rows; ++r)
            t->item(r, 1)->setCheckState(Qt::Unchecked);
        int checked = 0;
        for (int r = 0; r < Rows; ++r)
            checked += t->item(r, 1)->checkState() == Qt::Checked;
        benchmark::DoNotOptimize(checked);
    }
}

// ---- The painter's per-cell questions -------------------------------------------------------------------

TExtColumnGrid* SharedColumnGrid()
{
    static std::unique_ptr<TExtColumnGrid> g = [] {
        auto grid = ShownGrid<TExtColumnGrid>(Cols);
        for (int c = 1; c < Cols; ++c) {
            TGridColumnItem* item = grid->Columns()->Items(c);
            item->SetColor(c % 2 ? 0x00E0FFFF : clWindow);
            item->SetAlignment(c % 3 ? taLeftJustify : taRightJustify);
            item->SetEditor(c % 4 ? edNormal : edComboList);
        }
        return grid;
    }();
    return g.get();
}

void ExtColumnGridCellQuestions(benchmark::State& state)
{
    TExtColumnGrid* g = SharedColumnGrid();
    TBrush brush;
    TFont font;
    for (auto _ : state) {
        int64_t sum = 0;
        for (int r = 1; r < Rows; ++r)
            for (int c = 1; c < Cols; ++c) {
                g->GetCellColor(c, r, TGridDrawState{}, &brush, &font);
                TAlignment ha = taLeftJustify;
                TVAlignment va = vtaTop;
                g->GetAlignment(c, r, ha, va);
                TEditorType ed = edNormal;
                g->GetCellEditorType(c, r, ed);
                sum += int64_t(brush.Color) + int(ha) + int(ed);
            }
        benchmark::DoNotOptimize(sum);
    }
}

void TableWidgetCellQuestions(benchmark::State& state)
{
    static std::unique_ptr<QTableWidget> t = [] {
        auto table = ShownTable(Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) {
                auto* item = new QTableWidgetItem();
                item->setBackground(QColor(c % 2 ? 0xFFFFE0 : 0xFFFFFF));
                item->setTextAlignment(c % 3 ? Qt::AlignLeft : Qt::AlignRight);
                item->setData(Qt::UserRole, c % 4 ? 0 : 1);
                table->setItem(r, c, item);
            }
        return table;
    }();
    for (auto _ : state) {
        int64_t sum = 0;
        for (int r = 1; r < Rows; ++r)
            for (int c = 1; c < Cols; ++c) {
                const QTableWidgetItem* item = t->item(r, c);
                sum += item->background().color().rgb() + item->textAlignment() +
                       item->data(Qt::UserRole).toInt();
            }
        benchmark::DoNotOptimize(sum);
    }
}

// ---- Moving a row ---------------------------------------------------------------------------------------

void ExtGridMoveRow(benchmark::State& state)
{
    auto g = ShownGrid<TExtStringGrid>(Cols);
    for (int r = 0; r < Rows; ++r) {
        g->SetRowHeights(r, 18 + r % 7);
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, QString::number(r * Cols + c));
    }
    for (auto _ : state)
        g->MoveRow(MoveFrom, MoveTo);
}

void TableWidgetMoveRow(benchmark::State& state)
{
    auto t = ShownTable(Cols);
    for (int r = 0; r < Rows; ++r) {
        t->setRowHeight(r, 18 + r % 7);
        for (int c = 0; c < Cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(QString::number(r * Cols + c)));
    }
    std::vector<QTableWidgetItem*> items(Cols);
    for (auto _ : state) {
        const int height = t->rowHeight(MoveFrom);
        for (int c = 0; c < Cols; ++c)
            items[size_t(c)] = t->takeItem(MoveFrom, c);
        t->removeRow(MoveFrom);
        t->insertRow(MoveTo);
        t->setRowHeight(MoveTo, height);
        for (int c = 0; c < Cols; ++c)
            t->setItem(MoveTo, c, items[size_t(c)]);
    }
}

} // namespace

BENCHMARK(ExtGridCheckBoxColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetCheckBoxColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtColumnGridCellQuestions)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetCellQuestions)->Unit(benchmark::kMillisecond);
BENCHMARK(ExtGridMoveRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableWidgetMoveRow)->Unit(benchmark::kMicrosecond);
