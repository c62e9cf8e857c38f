// Highlighting ("hi") and marking ("e") text inside cells, and removing the tags again.
#include "grid/ops/OpsTestSupport.h"

using namespace opstest;

namespace
{

class Highlight : public OpsGridTest
{
  protected:
    // Every cell of the store (real columns) holds Text.
    void FillAll(const QString& Text)
    {
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->TotalColCount(); ++c)
                grid->SetAllCells(c, r, Text);
    }
    // The number of cells of the store that hold Text.
    int CountHolding(const QString& Text)
    {
        int n = 0;
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->TotalColCount(); ++c)
                n += grid->AllCells(c, r) == Text;
        return n;
    }
};

TEST_F(Highlight, TextFunctions)
{
    EXPECT_EQ(grid->HilightText(false, "abcB", "b"), "a<hi>b</hi>c<hi>B</hi>");
    EXPECT_EQ(grid->HilightText(true, "abcB", "b"), "a<hi>b</hi>cB");
    EXPECT_EQ(grid->UnHilightText("a<HI>b</hi>c"), "abc");
    EXPECT_EQ(grid->MarkText(false, "abc", "b"), "a<e>b</e>c");
    EXPECT_EQ(grid->UnMarkText("a<e>b</e>c"), "abc");
}

TEST_F(Highlight, CellOperations)
{
    struct Case {
        const char* Name;
        QString Before;
        std::function<void(TOpsGrid*)> Op;
        QString After;
    };
    const Case cases[] = {
        {"hilight", "abc", [](TOpsGrid* g) { g->HilightInCell(false, 1, 1, "b"); }, "a<hi>b</hi>c"},
        {"hilight any case", "abc", [](TOpsGrid* g) { g->HilightInCell(false, 1, 1, "B"); }, "a<hi>b</hi>c"},
        {"hilight with case", "abc", [](TOpsGrid* g) { g->HilightInCell(true, 1, 1, "B"); }, "abc"},
        {"unhilight", "a<hi>b</hi>c", [](TOpsGrid* g) { g->UnHilightInCell(1, 1); }, "abc"},
        {"mark", "abc", [](TOpsGrid* g) { g->MarkInCell(false, 1, 1, "b"); }, "a<e>b</e>c"},
        {"unmark", "a<e>b</e>c", [](TOpsGrid* g) { g->UnMarkInCell(1, 1); }, "abc"},
        {"markup shows as text", "x<y", [](TOpsGrid* g) { g->HilightInCell(false, 1, 1, "q"); }, "x&lt;y"},
        {"search text encoded", "a<b", [](TOpsGrid* g) { g->HilightInCell(false, 1, 1, "<"); },
         "a<hi>&lt;</hi>b"},
    };
    for (const Case& c : cases) {
        grid->SetCells(1, 1, c.Before);
        c.Op(grid);
        EXPECT_EQ(grid->Cells(1, 1), c.After) << c.Name;
    }
}

TEST_F(Highlight, GridRoundTripRestoresMarkup)
{
    grid->SetCells(1, 1, "x<y");
    grid->SetCells(2, 2, "a & b");
    grid->HilightInGrid(false, false, "q");
    EXPECT_EQ(grid->Cells(1, 1), "x&lt;y");
    grid->UnHilightInGrid(false);
    EXPECT_EQ(grid->Cells(1, 1), "x<y");
    EXPECT_EQ(grid->Cells(2, 2), "a & b");
}

TEST_F(Highlight, BlockRangesWithHiddenColumns)
{
    grid->SetColCount(6);
    grid->SetRowCount(4);
    FillAll("zz");
    grid->HideColumns(2, 3);
    ASSERT_EQ(grid->ColCount(), 4);
    ASSERT_EQ(grid->TotalColCount(), 6);
    const QString hi = "<hi>zz</hi>", mark = "<e>zz</e>";
    // Normal rows 1..3; HilightInGrid reaches columns 1..5, MarkInGrid 1..3.
    grid->HilightInGrid(false, false, "zz");
    EXPECT_EQ(CountHolding(hi), 3 * 5);
    grid->UnHilightInGrid(false);
    EXPECT_EQ(CountHolding("zz"), 4 * 6);
    grid->MarkInGrid(false, false, "zz");
    EXPECT_EQ(CountHolding(mark), 3 * 3);
    grid->UnMarkInGrid(false);
    EXPECT_EQ(CountHolding("zz"), 4 * 6);

    // A row: HilightInRow stops at ColCount, UnHilightInRow reaches the hidden columns.
    FillAll(hi);
    grid->HilightInRow(true, false, 2, "nothing");
    for (int c = 4; c < 6; ++c)
        EXPECT_EQ(grid->AllCells(c, 2), hi) << c;
    grid->UnHilightInRow(true, 2);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(grid->AllCells(c, 2), "zz") << c;
    // A column: DoFixed decides the rows.
    FillAll("zz");
    grid->HilightInCol(false, false, 1, "zz");
    EXPECT_EQ(grid->Cells(1, 0), "zz");
    EXPECT_EQ(grid->Cells(1, 3), hi);
    grid->MarkInCol(true, false, 0, "zz");
    EXPECT_EQ(grid->Cells(0, 0), mark);
    grid->UnMarkInCol(true, 0);
    grid->UnHilightInCol(false, 1);
    EXPECT_EQ(CountHolding("zz"), 4 * 6);
}

TEST_F(Highlight, MergedAreaChangesOnlyItsBaseCell)
{
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetCells(1, 1, "ab");
    grid->SetGridCell(2, 1, "ab");
    grid->MergeCells(1, 1, 2, 1);
    grid->HilightInGrid(false, false, "b");
    EXPECT_EQ(grid->GetGridCell(1, 1), "a<hi>b</hi>");
    EXPECT_EQ(grid->GetGridCell(2, 1), "ab");
}

TEST_F(Highlight, InvertedBlockChangesNothing)
{
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetCells(1, 1, "x<y");
    grid->FixedFooters = 3;
    grid->HilightInCol(false, false, 1, "x"); // rows 1 .. 0
    EXPECT_EQ(grid->Cells(1, 1), "x<y");
    grid->FixedFooters = 0;
    grid->FixedRightCols = 3;
    grid->HilightInRow(false, false, 1, "x"); // columns 1 .. 0
    EXPECT_EQ(grid->Cells(1, 1), "x<y");
    grid->FixedRightCols = 0;
}

TEST_F(Highlight, DisplayTextHookIsReadWhenAssigned)
{
    grid->SetCells(1, 1, "raw");
    grid->OnGetDisplText = [](TObject*, int, int, QString& Value) { Value = "shown"; };
    grid->HilightInCell(false, 1, 1, "ow");
    EXPECT_EQ(grid->GetGridCell(1, 1), "sh<hi>ow</hi>n");
}

TEST_F(Highlight, ColoursReachTheRenderer)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetColWidths(1, 120);
    grid->SetCells(1, 1, "<hi>WWWWWW</hi>");
    grid->SetHighlightColor(0x0000FF00); // green
    grid->SetHighlightTextColor(0x00FF0000);
    EXPECT_EQ(grid->HighlightColor(), 0x0000FF00u);
    grid->Repaint();
    const QImage image = grid->Widget()->grab().toImage();
    const TRect r = grid->CellRect(1, 1);
    int green = 0;
    for (int x = r.Left; x < r.Right; ++x)
        for (int y = r.Top; y < r.Bottom; ++y)
            green += image.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_GT(green, 10);
}

} // namespace
