// The grid's own text file and text stream, the numeric cell read and the font scaling.
#include "common/TestSupport.h"
#include "grid/ops/OpsTestSupport.h"

#include "platform/core/Classes.h"

namespace opstest
{

using testsupport::TempDir;

QByteArray Utf16(const QString& S)
{
    QByteArray out;
    for (QChar c : S) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

class TextFile : public OpsGridTest
{
  protected:
    // "" Name Qty / 1 Apple 10 / 2 a CR LF b "", widths 64, 80, 50; one fixed row and column.
    void FillFixture(TOpsGrid* g)
    {
        g->SetColCount(3);
        g->SetRowCount(3);
        const QStringList texts = {"", "Name", "Qty", "1", "Apple", "10", "2", "a\r\nb", ""};
        for (int i = 0; i < 9; ++i)
            g->SetCells(i % 3, i / 3, texts[i]);
        g->SetColWidths(0, 64);
        g->SetColWidths(1, 80);
        g->SetColWidths(2, 50);
    }
    TOpsGrid* FiveByFiveWithOld()
    {
        TOpsGrid* g = New();
        g->SetColCount(5);
        g->SetRowCount(5);
        g->SetCells(2, 2, "old");
        return g;
    }
    TempDir dir;
};

const QString FileText =
    "3,3\r\ncw 0,64\r\ncw 1,80\r\ncw 2,50\r\n1,0,Name\r\n2,0,Qty\r\n0,1,1\r\n1,1,Apple\r\n"
    "2,1,10\r\n0,2,2\r\n1,2,a\t\bb\r\n";

TEST_F(TextFile, SavesTheExactBytesIn8BitAndUtf16)
{
    FillFixture(grid);
    grid->SaveToFile(dir.file("a.txt"));
    EXPECT_EQ(testsupport::readBytes(dir.file("a.txt")), FileText.toLatin1());
    grid->SaveToFile(dir.file("u.txt"), true);
    EXPECT_EQ(testsupport::readBytes(dir.file("u.txt")), "\xFF\xFE" + Utf16(FileText));
}

TEST_F(TextFile, LoadsCountsWidthsAndKeepsCellsTheFileDoesNotName)
{
    FillFixture(grid);
    grid->SaveToFile(dir.file("u.txt"), true);
    for (bool multi : {false, true}) {
        TOpsGrid* g = FiveByFiveWithOld();
        g->Multilinecells = multi;
        g->LoadFromFile(dir.file("u.txt"));
        EXPECT_EQ(g->ColCount(), 3);
        EXPECT_EQ(g->RowCount(), 3);
        EXPECT_EQ((std::vector<int>{g->ColWidths(0), g->ColWidths(1), g->ColWidths(2)}),
                  (std::vector<int>{64, 80, 50}));
        EXPECT_EQ(g->Cells(1, 1), "Apple");
        EXPECT_EQ(g->Cells(2, 2), "old");
        EXPECT_EQ(g->Cells(1, 2), multi ? "a\r\nb" : "a");
    }
}

TEST_F(TextFile, LoadSkipsWhatLiesOutsideTheGridAndRefusesNoData)
{
    testsupport::writeBytes(dir.file("x.txt"),
                            "2,2\r\ncw 7,99\r\ncw 1,33\r\n5,0,out\r\n1,1,in\r\n\r\nnoise\r\n");
    grid->SetCells(0, 0, "keep");
    grid->LoadFromFile(dir.file("x.txt"));
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->ColWidths(1), 33);
    EXPECT_EQ(grid->Cells(1, 1), "in");
    EXPECT_EQ(grid->Cells(0, 0), "keep") << "a line without two separators names no cell";

    const int cols = grid->ColCount();
    for (const QByteArray& bad : {QByteArray("0,0\r\n1,1,x\r\n"), QByteArray()}) {
        testsupport::writeBytes(dir.file("bad.txt"), bad);
        try {
            grid->LoadFromFile(dir.file("bad.txt"));
            ADD_FAILURE() << "no error for " << bad.constData();
        } catch (const EExtGridError& e) {
            EXPECT_EQ(e.Message, "File contains no data or corrupt file " + dir.file("bad.txt"));
        }
        EXPECT_EQ(grid->ColCount(), cols);
    }
    EXPECT_THROW(grid->LoadFromFile(dir.file("missing.txt")), EInOutError);
}

TEST_F(TextFile, LoadAddsTheFixedOffsetsWhenFixedCellsAreNotSaved)
{
    FillFixture(grid);
    grid->SaveFixedCells = false;
    grid->SaveToFile(dir.file("a.txt"));
    EXPECT_TRUE(
        testsupport::readBytes(dir.file("a.txt")).startsWith("2,2\r\ncw 1,80\r\ncw 2,50\r\n1,1,Apple"));
    TOpsGrid* g = FiveByFiveWithOld();
    g->SaveFixedCells = false;
    g->LoadFromFile(dir.file("a.txt"));
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 1), "Apple");
}

TEST_F(TextFile, HiddenColumnIsSavedOnlyWithSaveHiddenCells)
{
    grid->SetColCount(4);
    grid->SetRowCount(2);
    for (int c = 0; c < 4; ++c)
        grid->SetCells(c, 1, QString("c%1").arg(c));
    grid->HideColumn(2);
    grid->SaveToFile(dir.file("a.txt"));
    const QString plain = QString::fromLatin1(testsupport::readBytes(dir.file("a.txt")));
    // The loop runs over the first stored indexes of the range, hidden or not.
    EXPECT_TRUE(plain.startsWith("3,2\r\n"));
    EXPECT_TRUE(plain.contains("2,1,c2"));
    EXPECT_FALSE(plain.contains("c3"));

    grid->SaveHiddenCells = true;
    grid->SaveToFile(dir.file("b.txt"));
    const QString all = QString::fromLatin1(testsupport::readBytes(dir.file("b.txt")));
    EXPECT_TRUE(all.startsWith("4,2\r\n"));
    EXPECT_TRUE(all.contains("cw 3,"));
    EXPECT_TRUE(all.contains("3,1,c3"));
}

TEST_F(TextFile, ProgressFiresOnlyOnChangesAndEndsAt100)
{
    FillFixture(grid);
    std::vector<int> seen;
    grid->OnFileProgress = [&](TObject*, int16_t p) { seen.push_back(p); };
    grid->SaveToFile(dir.file("a.txt"));
    EXPECT_EQ(seen, (std::vector<int>{0, 50, 100}));
    seen.clear();
    grid->LoadFromFile(dir.file("a.txt"));
    EXPECT_EQ(seen, (std::vector<int>{0, 50, 100}));
}

// ---- Stream ----

TEST_F(TextFile, StreamHoldsTheExactLinesAndStopsBeforeTheCallersData)
{
    FillFixture(grid);
    grid->SaveFixedCells = false;
    TMemoryStream ms;
    grid->SaveToStream(&ms);
    const QString lines = "2,2\r\ncw 0,64\r\ncw 1,80\r\ncw 2,50\r\n0,0,Apple\r\n1,0,10\r\n0,1,a\t\bb\r\n";
    EXPECT_EQ(ms.Size(), 122);
    EXPECT_EQ(ms.Bytes(), Utf16(lines));
    const QByteArray tail = Utf16("\r\nTAIL\r\n");
    ms.WriteBuffer(tail.constData(), tail.size());

    TOpsGrid* g = FiveByFiveWithOld();
    g->SaveFixedCells = false;
    g->Multilinecells = true;
    ms.SetPosition(0);
    g->LoadFromStream(&ms);
    EXPECT_EQ(ms.Position(), 122) << "left on the empty line";
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 1), "Apple");
    EXPECT_EQ(g->Cells(1, 2), "a\r\nb");
    EXPECT_EQ(g->ColWidths(1), 80);
}

TEST_F(TextFile, StreamFromAGridWithMoreColumnsSkipsTheWidthsItLacks)
{
    FillFixture(grid);
    grid->SetFixedCols(2);
    grid->SaveFixedCells = false;
    grid->SetColCount(5);
    grid->SetColWidths(4, 77);
    grid->SetCells(3, 1, "x");
    TMemoryStream ms;
    grid->SaveToStream(&ms);

    TOpsGrid* g = New();
    g->SetColCount(5);
    g->SaveFixedCells = false;
    ms.SetPosition(0);
    g->LoadFromStream(&ms);
    EXPECT_EQ(g->ColCount(), 4) << "three saved columns after the one fixed column";
    EXPECT_EQ(g->Cells(2, 1), "x");
    EXPECT_EQ(g->ColWidths(0), 64);
}

TEST_F(TextFile, StreamWithABadNumberRaisesAndKeepsTheGrid)
{
    const int cols = grid->ColCount();
    TMemoryStream ms;
    const QByteArray bad = Utf16("x,2\r\n");
    ms.WriteBuffer(bad.constData(), bad.size());
    ms.SetPosition(0);
    try {
        grid->LoadFromStream(&ms);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x' is not a valid integer value");
    }
    EXPECT_EQ(grid->ColCount(), cols);

    TMemoryStream ms2;
    const QByteArray partly = Utf16("3,3\r\n1,1,kept\r\n1,x,bad\r\n");
    ms2.WriteBuffer(partly.constData(), partly.size());
    ms2.SetPosition(0);
    EXPECT_THROW(grid->LoadFromStream(&ms2), EConvertError);
    EXPECT_EQ(grid->Cells(1, 1), "kept");
}

// ---- Numbers and scaling ----

TEST_F(TextFile, CellToRealReadsFormattedNumbersAndNamesTheBadPosition)
{
    grid->SetCells(1, 1, "$1,234.50");
    grid->SetCells(2, 1, "12-3");
    EXPECT_DOUBLE_EQ(grid->CellToReal(1, 1), 1234.5);
    EXPECT_DOUBLE_EQ(grid->CellToReal(3, 1), 0) << "empty";
    try {
        grid->CellToReal(2, 1);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "Error at position: 3 in Cell [2, 1].");
    }
}

TEST_F(TextFile, ScaleByScalesTheFixedAndActiveCellFonts)
{
    grid->FixedFont()->Size = 9;
    grid->ActiveCellFont()->Size = 7;
    const int width = grid->Width();
    form->ScaleBy(2, 1);
    EXPECT_EQ(grid->FixedFont()->Size, 18);
    EXPECT_EQ(grid->ActiveCellFont()->Size, 14);
    EXPECT_EQ(grid->Width(), 2 * width);
    form->ScaleBy(1, 1);
    EXPECT_EQ(grid->FixedFont()->Size, 18);
}

} // namespace opstest
