// The grid's file formats at 100,000 x 20 cells (one field in ten holds a comma, one in fifty two
// lines), against a plain Qt reader and writer in the same run: QFile, the text cut at CR LF and ","
// with QString::split, a QTableWidget filled with setItem; for writing, item()->text() joined and
// written with QFile. The grid's own file and stream forms are measured against the same baseline on
// their own text. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/Classes.h"

#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

using namespace benchgrids;

QString CellText(int c, int r)
{
    const int k = r * Cols + c;
    if (k % 50 == 7)
        return QString("line %1\r\nnext").arg(k);
    if (k % 10 == 3)
        return QString("%1, quoted").arg(k);
    return QString::number(k);
}

QString Folder()
{
    static QTemporaryDir dir;
    return dir.path();
}

TExtStringGrid* SharedGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
        grid->Multilinecells = true;
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

// ---- Baseline ----

void QtWrite(const QString& Path, const QString& Text)
{
    QFile f(Path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(Text.toLatin1());
}

QString QtRead(const QString& Path)
{
    QFile f(Path);
    f.open(QIODevice::ReadOnly);
    return QString::fromLatin1(f.readAll());
}

QString TableCsvText(QTableWidget* t)
{
    QString text;
    for (int r = 0; r < t->rowCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < t->columnCount(); ++c)
            fields << t->item(r, c)->text();
        text += fields.join(',') + "\r\n";
    }
    return text;
}

void TableFromCsv(QTableWidget* t, const QString& Text)
{
    const QStringList lines = Text.split("\r\n", Qt::SkipEmptyParts);
    for (int r = 0; r < lines.size() && r < t->rowCount(); ++r) {
        const QStringList fields = lines[r].split(',');
        for (int c = 0; c < fields.size() && c < t->columnCount(); ++c)
            t->setItem(r, c, new QTableWidgetItem(fields[c]));
    }
}

// "c,r,text" lines, as the grid's own forms have them.
void TableFromCellLines(QTableWidget* t, const QString& Text)
{
    const QStringList lines = Text.split("\r\n", Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList parts = line.split(',');
        if (parts.size() < 3)
            continue;
        const int c = parts[0].toInt();
        const int r = parts[1].toInt();
        if (c < t->columnCount() && r < t->rowCount())
            t->setItem(r, c, new QTableWidgetItem(parts.mid(2).join(',')));
    }
}

QString TableCellLinesText(QTableWidget* t)
{
    QString text = QString("%1,%2\r\n").arg(t->columnCount()).arg(t->rowCount());
    for (int r = 0; r < t->rowCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c)
            text += QString::number(c) + ',' + QString::number(r) + ',' + t->item(r, c)->text() + "\r\n";
    return text;
}

// ---- CSV ----

void ExtGridSaveToCSV(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state)
        g->SaveToCSV(Folder() + "/g.csv");
}

void QtWriteCSV(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state)
        QtWrite(Folder() + "/t.csv", TableCsvText(t));
}

void ExtGridLoadFromCSV(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->SaveToCSV(Folder() + "/in.csv");
    for (auto _ : state)
        g->LoadFromCSV(Folder() + "/in.csv");
}

void QtReadCSV(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    QtWrite(Folder() + "/tin.csv", TableCsvText(t));
    for (auto _ : state)
        TableFromCsv(t, QtRead(Folder() + "/tin.csv"));
}

// ---- The grid's own file and stream ----

void ExtGridSaveToFile(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state)
        g->SaveToFile(Folder() + "/g.txt");
}

void QtWriteCellLines(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state)
        QtWrite(Folder() + "/t.txt", TableCellLinesText(t));
}

void ExtGridLoadFromFile(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->SaveToFile(Folder() + "/in.txt");
    for (auto _ : state)
        g->LoadFromFile(Folder() + "/in.txt");
}

void QtReadCellLines(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    QtWrite(Folder() + "/tin.txt", TableCellLinesText(t));
    for (auto _ : state)
        TableFromCellLines(t, QtRead(Folder() + "/tin.txt"));
}

void ExtGridLoadFromStream(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    TMemoryStream ms;
    g->SaveToStream(&ms);
    for (auto _ : state) {
        ms.SetPosition(0);
        g->LoadFromStream(&ms);
    }
}

void QtReadCellLinesFromMemory(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    const QString text = TableCellLinesText(t);
    const QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    for (auto _ : state)
        TableFromCellLines(
            t, QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2));
}

} // namespace

BENCHMARK(ExtGridSaveToCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QtWriteCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExtGridLoadFromCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QtReadCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExtGridSaveToFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QtWriteCellLines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExtGridLoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QtReadCellLines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExtGridLoadFromStream)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(QtReadCellLinesFromMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
