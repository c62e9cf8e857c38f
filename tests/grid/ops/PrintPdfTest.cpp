// Print jobs through the real printer class into A4 PDF files, read back with poppler's tools.
#include "grid/ops/PrintTestSupport.h"
#include "platform/graphics/Printers.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace printtest
{

namespace
{

bool HavePoppler()
{
    return !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

QString RunTool(const QString& Program, const QStringList& Args)
{
    QProcess p;
    p.start(Program, Args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintPdf : public PrintTest
{
  protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("grid.pdf");
        Printer()->SetOutputFileName(file);
    }
    void TearDown() override
    {
        Printer()->SetOutputFileName(QString());
        PrintTest::TearDown();
    }
    QTemporaryDir dir;
    QString file;
};

} // namespace

TEST_F(PrintPdf, PrintsThreeA4PagesOfRows)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    SetupLayoutGrid(3, 31);
    std::vector<int> starts;
    grid->OnPrintStart = [&](TObject*, int Pages, int&, int&) { starts.push_back(Pages); };
    grid->Print();
    EXPECT_EQ(starts, std::vector<int>{3});
    EXPECT_EQ(grid->PrevRect, TRect(0, 0, 2099, 2970)) << "A4 at 1200 dpi in 0.1 mm";
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_TRUE(RunTool("pdfinfo", {file}).contains(QRegularExpression("Pages:\\s+3\\n")));
    const QStringList pages = RunTool("pdftotext", {"-layout", file, "-"}).split(u'\f');
    ASSERT_GE(pages.size(), 3);
    const struct {
        int From, To;
        QString Number;
    } expected[] = {{0, 10, "1/3"}, {11, 21, "2/3"}, {22, 30, "3/3"}};
    for (int p = 0; p < 3; ++p) {
        const QString& text = pages[p];
        for (int r = 0; r <= 30; ++r) {
            const bool here = r >= expected[p].From && r <= expected[p].To;
            EXPECT_EQ(text.contains(QRegularExpression("\\br" + QString::number(r) + "\\b")), here)
                << "page " << p + 1 << " row " << r;
        }
        EXPECT_TRUE(text.contains(expected[p].Number)) << text.toStdString();
    }
}

TEST_F(PrintPdf, CancelledJobLeavesNoFile)
{
    SetupLayoutGrid(3, 31);
    int notified = 0;
    grid->OnPrintStart = [](TObject*, int, int& From, int&) { From = 0; };
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int, int, int) { ++notified; };
    grid->Print();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(notified, 0);
    EXPECT_FALSE(Printer()->Printing());
}

TEST_F(PrintPdf, EventErrorAbortsTheDocument)
{
    SetupLayoutGrid(3, 31);
    grid->OnPrintPageDone = [](TObject*, TCanvas*, int, int, int Page, int, int) {
        if (Page == 2)
            throw Exception("stop");
    };
    EXPECT_THROW(grid->Print(), Exception);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_FALSE(QFile::exists(file)) << "a partly written file is deleted";
    EXPECT_EQ(GetMapMode(Printer()->Canvas()), MM_TEXT);
}

TEST_F(PrintPdf, NoPrinterAndNoFileRaises)
{
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        GTEST_SKIP() << "a printer is installed; printing to it is not a test";
    Printer()->SetOutputFileName(QString());
    SetupLayoutGrid(3, 5);
    try {
        grid->Print();
        ADD_FAILURE() << "printed without a printer";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message, "No printer is available");
    }
    EXPECT_EQ(GetMapMode(Printer()->Canvas()), MM_TEXT);
}

} // namespace printtest
