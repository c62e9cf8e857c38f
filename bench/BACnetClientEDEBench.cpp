// The EDE import at its hot path: an EDE file of 20,000 object lines read into the import dialog's
// object list and shown in its grid (20,000 x 9 cells). The baseline, in the same run, reads the same
// file, splits it with QString::split into lines and fields and fills a shown QTableWidget with the
// same 20,000 x 9 cells. Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/fieldbus/UImportEDEFile.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Objects = 20000, Cols = 9;
const int kTypes[] = {0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 45, 46, 48};

struct TEdeFile {
    QTemporaryDir dir;
    QString path;

    TEdeFile()
    {
        Set_English_Texts();
        path = dir.filePath("big.csv");
        QByteArray bytes = "PROJECT_NAME;Bench\r\nVERSION_OF_REFERENCEFILE;1\r\nTIMESTAMP;x\r\nAUTHOR;x\r\n"
                           "VERSION_OF_LAYOUT;2\r\n# objects\r\n"
                           "# mandatory;mandatory;mandatory;mandatory;mandatory;optional\r\n# titles\r\n";
        for (int i = 0; i < Objects; ++i)
            bytes += QString("K%1;1200;Object %1;%2;%1;Description of object %1;0;0;100;%3;N;;;;98;\r\n")
                         .arg(i)
                         .arg(kTypes[i % std::size(kTypes)])
                         .arg(i % 3 == 0 ? "Y" : "N")
                         .toLatin1();
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
};

TEdeFile& File()
{
    static TEdeFile f;
    return f;
}

void ImportDialogReadAndShow(benchmark::State& state)
{
    const QString path = File().path; // the texts too
    TFImportEDEFile dialog(nullptr);
    dialog.EDE_File = path;
    dialog.Show();
    QApplication::processEvents();
    for (auto _ : state) {
        dialog.Cancel_EDE_List_Vars();
        dialog.Load_EDE_File();
        dialog.Show_Data_in_Grid();
        QApplication::processEvents();
        if (dialog.List_EDE_Var.size() != size_t(Objects))
            state.SkipWithError("objects lost");
    }
    dialog.Hide();
}

QString YN(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

// The same file split with QString::split into a shown table of the same cells.
void TableWidgetSplitAndFill(benchmark::State& state)
{
    QTableWidget table(2, Cols);
    table.resize(863, 226);
    table.show();
    QApplication::processEvents();
    for (auto _ : state) {
        const QStringList lines = DecodeWindows1252(ReadFileBytes(File().path)).split("\r\n");
        table.setRowCount(Objects + 1);
        int r = 1;
        for (int i = 8; i < lines.size(); ++i) {
            const QStringList f = lines[i].split(';');
            if (f.size() < 10)
                continue;
            const bool commandable = f[9].trimmed().toUpper() == "Y";
            const QString cells[Cols] = {QString::number(r),
                                         "Y",
                                         "Y",
                                         YN(commandable),
                                         f[2].trimmed(),
                                         f[3].trimmed(),
                                         f[4].trimmed(),
                                         f[5].trimmed(),
                                         YN(commandable)};
            for (int c = 0; c < Cols; ++c)
                table.setItem(r, c, new QTableWidgetItem(cells[c]));
            ++r;
        }
        QApplication::processEvents();
        if (r != Objects + 1)
            state.SkipWithError("objects lost");
    }
}

BENCHMARK(ImportDialogReadAndShow)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetSplitAndFill)->Unit(benchmark::kMillisecond);

} // namespace
