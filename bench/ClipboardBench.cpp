// The clipboard at 100,000 x 20 cells, each against a QTableWidget doing the same in the same run:
// - PasteText of a 100,000-line, 20-field text into a grid of 2 rows (the grid grows as the lines
//   come) against filling a table from the same text (split at CR LF and tab, setRowCount once,
//   setItem per field). Target: at most 1.5 x the baseline.
// - CopySelectionToClipboard of the whole fixture against building the same tab text from the
//   table's items and setting it with QClipboard::setText. Target: at most 1.0 x the baseline.
// Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

const QString& PasteSource()
{
    static const QString text = [] {
        QString t;
        t.reserve(Rows * Cols * 8);
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Cols; ++c) {
                t += NumberText(c, r);
                if (c + 1 < Cols)
                    t += QChar('\t');
            }
            t += QLatin1String("\r\n");
        }
        return t;
    }();
    return text;
}

void ExtGridPasteText(benchmark::State& state)
{
    const QString& text = PasteSource();
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
        grid->SetColCount(Cols);
        grid->SetRowCount(2);
        grid->SetBounds(0, 0, ClientWidth, ClientHeight);
        grid->SetOptions(grid->Options() | goEditing);
        state.ResumeTiming();
        grid->PasteText(0, 0, text);
        state.PauseTiming();
        if (grid->RowCount() != Rows || grid->Cells(19, Rows - 1) != NumberText(19, Rows - 1))
            state.SkipWithError("paste differs");
        grid.reset();
        state.ResumeTiming();
    }
}

void QTableWidgetFillFromText(benchmark::State& state)
{
    const QString& text = PasteSource();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<QTableWidget>(2, Cols);
        state.ResumeTiming();
        const QStringList lines = text.split(QLatin1String("\r\n"), Qt::SkipEmptyParts);
        table->setRowCount(int(lines.size()));
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList fields = lines[r].split(QChar('\t'));
            for (int c = 0; c < fields.size(); ++c)
                table->setItem(r, c, new QTableWidgetItem(fields[c]));
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}

TExtStringGrid* CopyGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
        FillAndShow(*grid);
        grid->SetSelection(TGridRect{0, 0, Cols - 1, Rows - 1});
        return grid;
    }();
    return g.get();
}

void ExtGridCopySelection(benchmark::State& state)
{
    TExtStringGrid* grid = CopyGrid();
    for (auto _ : state)
        grid->CopySelectionToClipboard();
    if (!QGuiApplication::clipboard()->text().endsWith(NumberText(19, Rows - 1) + "\r\n"))
        state.SkipWithError("copy differs");
}

void QTableWidgetCopyText(benchmark::State& state)
{
    static std::unique_ptr<QTableWidget> table = ShownTable();
    for (auto _ : state) {
        QString t;
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Cols; ++c) {
                t += table->item(r, c)->text();
                if (c + 1 < Cols)
                    t += QChar('\t');
            }
            t += QLatin1String("\r\n");
        }
        QGuiApplication::clipboard()->setText(t);
    }
}

} // namespace

BENCHMARK(ExtGridPasteText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QTableWidgetFillFromText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExtGridCopySelection)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QTableWidgetCopyText)->Unit(benchmark::kMillisecond)->Iterations(3);
