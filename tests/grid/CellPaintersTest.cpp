// The graphic cell painters, read back from image canvases: progress bars, pie, range indicator,
// shapes and the error underline.
#include "grid/base/CellPainters.h"

#include "PixelTestSupport.h"

#include <gtest/gtest.h>

using pixeltest::Paper;
using pixeltest::Surface;

// ---- Progress bar -------------------------------------------------------------------------------------

TEST(CellPainters, ProgressBarTextAndPercentage)
{
    struct Case {
        const char* format;
        int max, min;
        double value;
        const char* text;
        int percent;
    };
    const Case cases[] = {
        {"", 100, 0, 150, "150%", 100},
        {"", 100, 0, -5, "-5%", 0},
        {"", 100, 0, 2.5, "2%", 2}, // halves to even
        {"%.1f", 200, 0, 50, "50.0", 25},
        {"%d", 200, 0, 50, "50", 25},
        {"%d", 200, 0, 50.5, "50", 25},
        {"%.1f of %.1f", 200, 0, 50, "50", 25}, // a format the value does not fit: plain decimal instead
        {"%d", 5, 5, 5, "5", 0},                // no range: an empty bar
        {"%d", 10, 20, 15, "15", 50},
    };
    for (const Case& c : cases) {
        int percent = -1;
        EXPECT_EQ(ProgressBarText(c.format, c.max, c.min, c.value, percent), c.text)
            << c.format << " " << c.value;
        EXPECT_EQ(percent, c.percent) << c.format << " " << c.value;
    }
}

TEST(CellPainters, ProgressBarFillsItsShareAndFramesItTwice)
{
    constexpr TColor Fill = 0x0000C0, Empty = 0xE0E0E0, Border = 0x00C000, Outer = 0xC00000;
    // A bar of 100 x 30 (margins 2 and 5); the text stays in the middle rows.
    struct Case {
        const char* format;
        int max;
        double value;
        int filledTo; // first empty column
    };
    for (const Case& c : {Case{"", 100, 150, 102}, Case{"", 100, -5, 2}, Case{"%.1f", 200, 50, 27},
                          Case{"%d", 200, 50, 27}}) {
        Surface s(104, 40);
        s.canvas->Brush->Color = Outer;
        DrawProgressBar(s.canvas.get(), TRect(0, 0, 104, 40), Fill, false, Border, c.format, c.max, 0, 5, 2,
                        c.value, clBlack, Empty, clWhite);
        for (int x = 2; x < 102; ++x)
            ASSERT_EQ(s.At(x, 6), x < c.filledTo ? Fill : Empty) << c.format << " " << c.value << " x " << x;
        EXPECT_EQ(s.At(1, 20), Border);
        EXPECT_EQ(s.At(102, 4), Border);
        EXPECT_EQ(s.At(0, 20), Outer);
        EXPECT_EQ(s.At(103, 3), Outer);
        EXPECT_EQ(s.At(1, 2), Paper) << "between the outer frame and the margin";
    }

    // No border colour: only the outer frame.
    Surface s(104, 40);
    s.canvas->Brush->Color = Outer;
    DrawProgressBar(s.canvas.get(), TRect(0, 0, 104, 40), Fill, false, clNone, "", 100, 0, 5, 2, 50, clBlack,
                    Empty, clWhite);
    EXPECT_EQ(s.At(1, 20), Paper);
    EXPECT_EQ(s.At(0, 20), Outer);
}

// ---- XP progress bar ----------------------------------------------------------------------------------

namespace
{

constexpr TColor L0 = 0x000010, L1 = 0x000020, L2 = 0x000030, L3 = 0x000040, Uncomplete = 0xF0F0F0,
                 FrameColor = 0x101010;

TXPProgressInfo Info()
{
    TXPProgressInfo i;
    i.Level0Color = i.Level0ColorTo = L0;
    i.Level1Color = i.Level1ColorTo = L1;
    i.Level2Color = i.Level2ColorTo = L2;
    i.Level3Color = i.Level3ColorTo = L3;
    i.Level1Perc = 30;
    i.Level2Perc = 60;
    i.BorderColor = FrameColor;
    i.ShowPercentage = false;
    i.ShowGradient = false;
    i.UnCompleteColor = Uncomplete;
    return i;
}

using Runs = std::vector<std::pair<int, int>>;

} // namespace

TEST(CellPainters, XPProgressBlocksOfSevenWithGapsOfTwo)
{
    // Span 100 (102 wide less the frame).
    Surface s(102, 12);
    DrawXPProgress(s.canvas.get(), TRect(0, 0, 102, 12), 50, Info());
    EXPECT_EQ(s.RunsInRow(6, L1), (Runs{{2, 7}, {11, 7}, {20, 7}, {29, 7}, {38, 7}, {47, 4}}));
    EXPECT_EQ(s.At(5, 1), Uncomplete) << "blocks are inset 2 across the bar";
    EXPECT_EQ(s.At(5, 2), L1);
    EXPECT_EQ(s.At(5, 9), L1);
    EXPECT_EQ(s.At(5, 10), Uncomplete);
    EXPECT_EQ(s.At(0, 6), FrameColor);

    struct Case {
        int position;
        Runs runs;
    };
    for (const Case& c : {Case{1, {}}, Case{2, {{2, 1}}}, Case{9, {{2, 8}}}, Case{11, {{2, 7}}},
                          Case{12, {{2, 7}, {11, 2}}}}) {
        Surface small(102, 12);
        DrawXPProgress(small.canvas.get(), TRect(0, 0, 102, 12), c.position, Info());
        EXPECT_EQ(small.RunsInRow(6, L0), c.runs) << c.position;
    }
}

TEST(CellPainters, XPProgressLevelColoursAndStackedLevels)
{
    struct Case {
        int position;
        bool stacked;
        std::vector<std::pair<TColor, Runs>> expected;
    };
    const Case cases[] = {
        {10, false, {{L0, {{1, 10}}}}},
        {30, false, {{L1, {{1, 30}}}}},
        {80, false, {{L2, {{1, 80}}}}},
        {100, false, {{L3, {{1, 100}}}}},
        {80, true, {{L0, {{1, 30}}}, {L1, {{31, 30}}}, {L2, {{61, 20}}}}},
        {100, true, {{L0, {{1, 30}}}, {L1, {{31, 30}}}, {L2, {{61, 40}}}}},
        {20, true, {{L0, {{1, 20}}}, {L1, {}}}},
    };
    for (const Case& c : cases) {
        TXPProgressInfo info = Info();
        info.CompletionSmooth = true;
        info.Stacked = c.stacked;
        Surface s(102, 12);
        DrawXPProgress(s.canvas.get(), TRect(0, 0, 102, 12), c.position, info);
        for (const auto& [color, runs] : c.expected)
            EXPECT_EQ(s.RunsInRow(6, color), runs)
                << c.position << (c.stacked ? " stacked" : "") << std::hex << " colour " << color;
    }
}

TEST(CellPainters, XPProgressVerticalGrowsUpAndGradientsMeetInTheMiddle)
{
    TXPProgressInfo info = Info();
    info.CompletionSmooth = true;
    info.Vertical = true;
    info.ShowBorder = false;
    Surface s(12, 102);
    DrawXPProgress(s.canvas.get(), TRect(0, 0, 12, 102), 25, info);
    EXPECT_EQ(s.At(6, 100), L0);
    EXPECT_EQ(s.At(6, 76), L0);
    EXPECT_EQ(s.At(6, 75), Uncomplete);
    EXPECT_EQ(s.At(0, 50), Uncomplete) << "without a border the frame is in the uncomplete colour";

    // With a gradient each segment runs colour-to -> colour -> colour-to across the bar.
    info = Info();
    info.CompletionSmooth = true;
    info.ShowGradient = true;
    info.Steps = 64;
    info.Level0Color = 0x0000FF;
    info.Level0ColorTo = 0x000000;
    Surface g(102, 12);
    DrawXPProgress(g.canvas.get(), TRect(0, 0, 102, 12), 20, info);
    EXPECT_EQ(g.At(5, 1), 0x000000u);
    EXPECT_EQ(g.At(5, 5), 0x0000FFu);
    EXPECT_EQ(g.At(5, 6), 0x0000FFu);
    EXPECT_EQ(g.At(5, 10), 0x000000u);
}

// ---- Pie and range ------------------------------------------------------------------------------------

TEST(CellPainters, ProgressPieFillsTheSectorClockwiseFromTwelve)
{
    constexpr TColor Pie = 0x00C0C0;
    Surface empty(21, 21);
    empty.canvas->Brush->Color = clWhite;
    DrawProgressPie(empty.canvas.get(), TRect(0, 0, 21, 21), Pie, 0, false);
    EXPECT_EQ(empty.Count(Pie), 0);
    EXPECT_EQ(empty.At(10, 0), clGray) << "the circle";
    EXPECT_EQ(empty.At(10, 5), clGray) << "the line to the centre";
    EXPECT_EQ(empty.At(14, 5), clWhite);
    EXPECT_EQ(empty.At(0, 0), Paper);

    Surface quarter(21, 21);
    quarter.canvas->Brush->Color = clWhite;
    DrawProgressPie(quarter.canvas.get(), TRect(0, 0, 21, 21), Pie, 25, false);
    EXPECT_EQ(quarter.At(14, 5), Pie);
    EXPECT_EQ(quarter.At(6, 5), clWhite);
    EXPECT_EQ(quarter.At(14, 15), clWhite);
    EXPECT_EQ(quarter.At(0, 0), Paper);
}

TEST(CellPainters, RangeIndicatorRunsFromTheMiddle)
{
    constexpr TColor Pos = 0x00A000, Neg = 0x0000A0;
    // Inner rectangle (2, 2, 42, 8): middle at x 22.
    struct Case {
        int value, range;
        Runs pos, neg;
    };
    for (const Case& c :
         {Case{150, 100, {{22, 20}}, {}}, Case{50, 100, {{22, 10}}, {}}, Case{-50, 100, {}, {{12, 10}}},
          Case{-300, 100, {}, {{2, 20}}}, Case{0, 100, {}, {}}, Case{50, 0, {}, {}}}) {
        Surface s(44, 10);
        DrawRangeIndicator(s.canvas.get(), TRect(0, 0, 44, 10), c.value, Pos, Neg, false, c.range);
        EXPECT_EQ(s.RunsInRow(5, Pos), c.pos) << c.value << "/" << c.range;
        EXPECT_EQ(s.RunsInRow(5, Neg), c.neg) << c.value << "/" << c.range;
        EXPECT_EQ(s.At(22, 1), Paper);
    }
}

// ---- Shapes -------------------------------------------------------------------------------------------

TEST(CellPainters, ShapesInTheirBox)
{
    constexpr TColor Brush = 0x00B000, Pen = 0x0000B0;
    struct Case {
        TCellShape shape;
        std::vector<TPoint> brush; // pixels in the brush colour
        std::vector<TPoint> paper; // pixels left alone
    };
    // A 20 x 12 box at (2, 3).
    const Case cases[] = {
        {csCircle, {{8, 9}}, {{16, 9}, {2, 3}}},              // 12 x 12 at the left: x 2..13
        {csRectangle, {{4, 5}, {19, 12}}, {{2, 9}, {21, 9}}}, // inset 1: outline at x 3 and 20
        {csSquare, {{8, 9}}, {{16, 9}}},
        {csEllips, {{12, 9}, {18, 9}}, {{2, 3}, {21, 14}}},
        {csTriangleUp, {{12, 12}}, {{3, 4}, {20, 4}}},
        {csTriangleDown, {{12, 5}}, {{3, 13}, {20, 13}}},
        {csTriangleLeft, {{18, 9}}, {{3, 4}, {3, 13}}},
        {csTriangleRight, {{6, 9}}, {{20, 4}, {20, 13}}},
        {csDiamond, {{12, 9}}, {{3, 4}, {20, 13}}},
        {csStar, {{12, 9}}, {{3, 4}, {20, 4}, {12, 14}}},
        {csHalfStar, {{10, 9}}, {{14, 9}, {3, 4}}},
        {csArrowUp, {{12, 7}, {12, 13}}, {{4, 13}, {20, 13}}},
        {csArrowDown, {{12, 11}, {12, 5}}, {{4, 4}, {20, 4}}},
        {csArrowLeft, {{6, 9}, {18, 9}}, {{18, 4}, {18, 14}}},
        {csArrowRight, {{18, 9}, {6, 9}}, {{6, 4}, {6, 14}}},
        {csLineVert, {}, {{11, 9}, {13, 9}}},
        {csRoundRect, {{12, 9}}, {{2, 3}, {21, 14}}},
        {csRoundSquare, {{8, 9}}, {{16, 9}}},
    };
    for (const Case& c : cases) {
        Surface s(24, 18);
        DrawCellShape(s.canvas.get(), 2, 3, 20, 12, c.shape, Brush, Pen);
        for (TPoint p : c.brush)
            EXPECT_EQ(s.At(p.X, p.Y), Brush) << "shape " << c.shape << " at " << p.X << "," << p.Y;
        for (TPoint p : c.paper)
            EXPECT_EQ(s.At(p.X, p.Y), Paper) << "shape " << c.shape << " at " << p.X << "," << p.Y;
    }

    Surface line(24, 18);
    DrawCellShape(line.canvas.get(), 2, 3, 20, 12, csLineVert, Brush, Pen);
    EXPECT_EQ(line.RunsInRow(9, Pen), (Runs{{12, 1}}));
    DrawCellShape(line.canvas.get(), 2, 3, 20, 12, csLineHorz, Brush, Pen);
    EXPECT_EQ(line.RunsInRow(9, Pen), (Runs{{2, 20}}));

    Surface none(24, 18);
    DrawCellShape(none.canvas.get(), 2, 3, 20, 12, TCellShape(19), Brush, Pen);
    EXPECT_EQ(none.image, Surface(24, 18).image);
}

TEST(CellPainters, CircleTakesTheSmallerSideAtTheLeft)
{
    Surface s(24, 14);
    DrawCellShape(s.canvas.get(), 0, 0, 20, 12, csCircle, 0x00B000, 0x0000B0);
    // The outline touches the 12 x 12 box's sides and nothing lies beyond it.
    EXPECT_EQ(s.RunsInRow(6, 0x0000B0).front().first, 0);
    EXPECT_EQ(s.RunsInRow(6, 0x0000B0).back().first + s.RunsInRow(6, 0x0000B0).back().second, 12);
    for (int y = 0; y < 14; ++y)
        for (int x = 12; x < 24; ++x)
            ASSERT_EQ(s.At(x, y), Paper) << x << "," << y;
}

// ---- Error underline ----------------------------------------------------------------------------------

TEST(CellPainters, ErrorUnderlineZigZagsUnderTheErrorCharacters)
{
    TCustomControl parent(nullptr);
    parent.Font->Height = -16;
    TCanvas measure;
    measure.Font->Assign(parent.Font);
    const int wa = measure.TextWidth("a"), wabc = measure.TextWidth("abc");
    ASSERT_GT(wabc, wa);

    const TRect r(10, 5, 200, 25);
    Surface s(220, 30);
    DrawErrorUnderline(&parent, s.canvas.get(), "abcdef", 3, 1, 0, r);
    const int startX = r.Left + 1 + wa, endX = r.Left + 1 + wabc;
    EXPECT_EQ(s.At(startX, r.Top + 4), clRed) << "starts low";
    // Points every 3 pixels, up at top + 1 and down at top + 4 in turn.
    for (int k = 1; startX + 3 * k <= endX + 3; ++k) {
        const int y = r.Top + (k % 2 == 1 ? 1 : 4);
        EXPECT_EQ(s.At(startX + 3 * k, y), clRed) << "point " << k;
    }
    int minX = 1000, maxX = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 220; ++x)
            if (s.At(x, y) == clRed) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                EXPECT_GE(y, r.Top) << x;
                EXPECT_LE(y, r.Top + 5) << x;
            }
    EXPECT_GE(minX, startX - 1);
    EXPECT_LE(maxX, endX + 3 + 3 + 1);
    EXPECT_GE(maxX, endX + 3);

    // An error past the text is marked after its end.
    Surface past(220, 30);
    DrawErrorUnderline(&parent, past.canvas.get(), "abc", 2, 5, 2, r);
    EXPECT_EQ(past.At(r.Left + 1 + wabc + 4, r.Top + 6), clRed);
    for (int x = 0; x < r.Left + wabc; ++x)
        for (int y = 0; y < 30; ++y)
            ASSERT_NE(past.At(x, y), clRed) << x << "," << y;
}
