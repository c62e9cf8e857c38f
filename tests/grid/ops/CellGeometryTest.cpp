// The cell geometry helpers shared by the painter, the exports and the printer.
#include "grid/ops/OpsTestSupport.h"

namespace opstest
{

using CellGeometry = OpsGridTest;

TEST_F(CellGeometry, TextInsets)
{
    grid->XYOffset = TPoint(2, 3);
    EXPECT_EQ(grid->GetTotalXOffset(), 4);
    EXPECT_EQ(grid->GetTotalYOffset(), 6);
    grid->XYOffsetTopLeftOnly = true;
    EXPECT_EQ(grid->GetTotalXOffset(), 2);
    EXPECT_EQ(grid->GetTotalYOffset(), 3);
}

TEST_F(CellGeometry, MostLinesAndCharacters)
{
    grid->SetCells(2, 1, "a\r\nb\r\nc");
    grid->SetCells(3, 1, "one\r\ntwo");
    EXPECT_EQ(grid->MaxLinesInRow(1), 1) << "without Multilinecells";
    grid->Multilinecells = true;
    EXPECT_EQ(grid->MaxLinesInRow(1), 3);
    EXPECT_EQ(grid->MaxLinesInRow(2), 1);

    // A hidden column's lines still count through the real column behind each display column.
    grid->HideColumn(1);
    EXPECT_EQ(grid->MaxLinesInRow(1), 3);

    grid->SetCells(4, 1, "abcdef");
    grid->SetCells(4, 2, "x\r\nlonger");
    grid->SetCells(4, 3, "x\r\nlongest line");
    grid->Multilinecells = false;
    EXPECT_EQ(grid->MaxCharsInCol(4), 6) << "first lines only";
    grid->Multilinecells = true;
    EXPECT_EQ(grid->MaxCharsInCol(4), 12);
    EXPECT_EQ(grid->MaxCharsInCol(0), 0);
    // The export text counts: without SaveWithHTML the tags go and a line break tag cuts the line.
    grid->SetCells(3, 1, "<B>ab</B><BR>abcdefgh");
    EXPECT_EQ(grid->MaxCharsInCol(3), 21);
    grid->SaveWithHTML = false;
    EXPECT_EQ(grid->MaxCharsInCol(3), 8);
}

TEST_F(CellGeometry, RotatedTextStartPoints)
{
    const QString text = "Rotated";
    const TPoint extent = grid->Canvas->TextExtent(text);
    const int W = extent.X, H = extent.Y;
    ASSERT_GT(W, H);
    struct Case {
        int Angle;
        TAlignment HA;
        TVAlignment VA;
        int X, Y;
    };
    const Case cases[] = {
        {90, taLeftJustify, vtaTop, 2, 2 + W},
        {90, taRightJustify, vtaBottom, 98 - H, 98},
        {90, taCenter, vtaCenter, 2 + (96 - H) / 2, 2 + W - (2 + W - 98) / 2},
        {0, taLeftJustify, vtaTop, 2, 2},
        {0, taRightJustify, vtaBottom, 98 - W, 98 - H},
        {180, taLeftJustify, vtaTop, 2 + W, 2 + H},
        {270, taLeftJustify, vtaTop, 2 + H, 2},
        {270, taLeftJustify, vtaBottom, 2 + H, 98 - W},
    };
    for (const Case& k : cases) {
        TRect r(0, 0, 100, 100);
        grid->AlignRotatedText(r, k.Angle, text, k.HA, k.VA);
        EXPECT_EQ(r.Left, k.X) << k.Angle << " " << k.HA << " " << k.VA;
        EXPECT_EQ(r.Top, k.Y) << k.Angle << " " << k.HA << " " << k.VA;
        EXPECT_EQ(r.Right, 98);
        EXPECT_EQ(r.Bottom, 98);
    }
}

} // namespace opstest
