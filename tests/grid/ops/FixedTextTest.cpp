// Fixed-width text and the ASCII table.
#include "common/TestSupport.h"
#include "grid/ops/OpsTestSupport.h"

#include "grid/base/GridLists.h"

namespace opstest
{

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

class FixedText : public OpsGridTest
{
  protected:
    void SetUp() override
    {
        OpsGridTest::SetUp();
        grid->SetFixedCols(0);
        grid->SetFixedRows(0);
    }
    void Fill(const std::vector<QStringList>& Rows)
    {
        grid->SetRowCount(int(Rows.size()));
        grid->SetColCount(int(Rows[0].size()));
        for (size_t r = 0; r < Rows.size(); ++r)
            for (int c = 0; c < Rows[r].size(); ++c)
                grid->SetCells(c, int(r), Rows[r][c]);
    }
    std::vector<int> Items(const TIntList& L)
    {
        std::vector<int> v;
        for (int i = 0; i < L.Count(); ++i)
            v.push_back(L[i]);
        return v;
    }
    TempDir dir;
};

TEST_F(FixedText, SaveCutsAndPadsToTheWidthsAndCompletesTheList)
{
    Fill({{"abcdef", "ab"}});
    TIntList widths(0, 0);
    widths.Add(3);
    widths.Add(5);
    grid->SaveToFixed(dir.file("f.txt"), &widths);
    EXPECT_EQ(readBytes(dir.file("f.txt")), QByteArray("abcab   \r\n"));

    TIntList none(0, 0);
    grid->SaveToFixed(dir.file("g.txt"), &none);
    EXPECT_EQ(Items(none), (std::vector<int>{7, 3}));
    EXPECT_EQ(readBytes(dir.file("g.txt")), QByteArray("abcdef ab \r\n"));

    TIntList kept(0, 0);
    try {
        grid->SaveToFixed(dir.file("no/such/dir/f.txt"), &kept);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "Cannot Create file " + dir.file("no/such/dir/f.txt"));
    }
    EXPECT_EQ(Items(kept), (std::vector<int>{7, 3})) << "the added widths stay";
}

TEST_F(FixedText, HiddenColumnIsSavedOnlyWithSaveHiddenCells)
{
    Fill({{"a", "b", "c"}});
    grid->HideColumn(1);
    TIntList w(0, 0);
    grid->SaveToFixed(dir.file("f.txt"), &w);
    EXPECT_EQ(readBytes(dir.file("f.txt")), QByteArray("a c \r\n"));
    grid->SaveHiddenCells = true;
    TIntList all(0, 0);
    grid->SaveToFixed(dir.file("f.txt"), &all);
    EXPECT_EQ(readBytes(dir.file("f.txt")), QByteArray("a b c \r\n"));
    EXPECT_EQ(grid->ColCount(), 2);
}

TEST_F(FixedText, LoadReadsBetweenSortedPositions)
{
    writeBytes(dir.file("in.txt"), "ab  cd   \r\n123456789xyz\r\nxy\r\n");
    for (bool trim : {true, false}) {
        TOpsGrid* g = New();
        g->SetRowCount(10);
        TIntList pos(0, 0);
        for (int p : {9, 1, 4})
            pos.Add(p);
        g->LoadFromFixed(dir.file("in.txt"), &pos, trim);
        EXPECT_EQ(Items(pos), (std::vector<int>{1, 4, 9}));
        EXPECT_EQ(g->ColCount(), g->FixedCols() + 2);
        EXPECT_EQ(g->Cells(0, 0), trim ? "ab" : "ab ");
        EXPECT_EQ(g->Cells(1, 0), trim ? "cd" : " cd  ");
        EXPECT_EQ(g->Cells(1, 1), "45678");
        EXPECT_EQ(g->Cells(0, 2), "xy");
        EXPECT_EQ(g->Cells(1, 2), "");
        EXPECT_EQ(g->RowCount(), 10) << "rows are never removed";
    }
    TIntList pos(0, 0);
    for (int p : {1, 3})
        pos.Add(p);
    TOpsGrid* one = New();
    one->SetRowCount(1);
    one->LoadFromFixed(dir.file("in.txt"), &pos, true, 0);
    EXPECT_EQ(one->Cells(0, 0), "ab");
    EXPECT_EQ(one->RowCount(), 1) << "MaxRows 0 stops after the first line, before a row is added";
    try {
        one->LoadFromFixed(dir.file("none.txt"), &pos);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "File " + dir.file("none.txt") + " not found");
    }
}

TEST_F(FixedText, AsciiAlignsPadsAndContinuesMultiLineCells)
{
    Fill({{"1", "top", "ab"}, {"123", "x\r\ny\r\nz", "abc"}, {"12", "q", "hello"}});
    grid->Multilinecells = true;
    TCursor during = crDefault;
    grid->OnGetAlignment = [&](TObject*, int, int ACol, TAlignment& HA, TVAlignment&) {
        HA = ACol == 0 ? taRightJustify : ACol == 2 ? taCenter : taLeftJustify;
        during = Screen->Cursor();
    };
    const TCursor before = Screen->Cursor();
    grid->SaveToASCII(dir.file("a.txt"));
    EXPECT_EQ(readBytes(dir.file("a.txt")),
              QByteArray("  1 top   ab  \r\n123 x    abc  \r\n    y\r\n    z\r\n 12 q   hello \r\n"));
    EXPECT_EQ(during, crHourGlass);
    EXPECT_EQ(Screen->Cursor(), before);

    grid->AppendToASCII(dir.file("a.txt"), true);
    const QByteArray u = readBytes(dir.file("a.txt"));
    EXPECT_TRUE(u.startsWith("\xFF\xFE \x00 \x00"
                             "1\x00"));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(u.constData() + 2), (u.size() - 2) / 2)
                  .count("hello"),
              2);
}

TEST_F(FixedText, AsciiFailureWritesWhatWasCollectedAndPassesTheErrorOn)
{
    Fill({{"a", "b"}, {"c", "d"}});
    int calls = 0;
    // Widths take four reads, the first row two: the seventh fails.
    grid->OnSaveCell = [&](TObject*, int, int, QString&) {
        if (++calls == 7)
            throw Exception("disk gone");
    };
    const TCursor before = Screen->Cursor();
    EXPECT_THROW(grid->SaveToASCII(dir.file("a.txt")), Exception);
    EXPECT_EQ(readBytes(dir.file("a.txt")), QByteArray("a b \r\n"));
    EXPECT_EQ(Screen->Cursor(), before);
}

TEST_F(FixedText, AsciiWidthsHaveNoLimit)
{
    const QString longText(300, QLatin1Char('w'));
    Fill({{longText, "x"}});
    grid->SaveToASCII(dir.file("a.txt"));
    EXPECT_EQ(readBytes(dir.file("a.txt")), (longText + " x \r\n").toLatin1());
}

} // namespace opstest
