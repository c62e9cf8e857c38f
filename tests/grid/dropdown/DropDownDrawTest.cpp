// Drawing and text routines of the drop-down unit.
#include "grid/dropdown/DropDownDraw.h"

#include <QImage>
#include <gtest/gtest.h>

namespace
{

TEST(DropDownDraw, ShadeColorScalesNonZeroChannelsAndLiftsZeroOnes)
{
    struct Case {
        TColor Color;
        int R, G, B;
        TColor Expected;
    };
    const Case cases[] = {
        {RGB(225, 240, 245), -10, -10, 0, RGB(202, 216, 245)}, // 202.5 rounds to even
        {RGB(100, 0, 50), 20, 30, -200, RGB(100, 30, 0)},      // +: capped at 100 %; 0 lifted
        {RGB(0, 0, 0), -5, 0, 7, RGB(0, 0, 7)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShadeColor(c.Color, c.R, c.G, c.B), c.Expected) << std::hex << c.Color;
}

TEST(DropDownDraw, TruncateTextEndsInAnEllipsisThatJustFits)
{
    QImage image(200, 50, QImage::Format_ARGB32);
    TCanvas canvas(&image);
    const QString text = "A fairly long caption for a narrow strip";
    const int maxWidth = 120;
    const QString cut = TruncateText(&canvas, text, maxWidth, true);
    ASSERT_TRUE(cut.endsWith("..."));
    EXPECT_LT(canvas.TextWidth(cut), maxWidth);
    const QString head = cut.chopped(3);
    EXPECT_TRUE(text.startsWith(head));
    EXPECT_GE(canvas.TextWidth(text.left(head.size() + 1) + "..."), maxWidth);

    EXPECT_EQ(TruncateText(&canvas, "short", 120, true), "short");
    EXPECT_EQ(TruncateText(&canvas, "nothing fits", 1, true), "nothing fits");
    const QString plain = TruncateText(&canvas, text, maxWidth, false);
    EXPECT_TRUE(text.startsWith(plain));
    EXPECT_LT(canvas.TextWidth(plain), maxWidth);
    EXPECT_GE(canvas.TextWidth(text.left(plain.size() + 1)), maxWidth);
}

TEST(DropDownDraw, TextSizesAndCase)
{
    QImage image(200, 50, QImage::Format_ARGB32);
    TCanvas canvas(&image);
    EXPECT_EQ(GetTextSize(&canvas, "").X, 0);
    EXPECT_EQ(GetTextSize(&canvas, "").Y, 0);
    const TPoint size = GetTextSize(&canvas, "Wide text");
    EXPECT_EQ(size.X, canvas.TextWidth("Wide text"));
    EXPECT_EQ(size.Y, canvas.TextHeight("Wide text"));
    const TPoint html = GetHTMLTextSize(&canvas, "Wide <b>text</b>", TRect(0, 0, 200, 50), nullptr);
    EXPECT_GT(html.X, canvas.TextWidth("Wide "));
    EXPECT_GT(html.Y, 0);
    EXPECT_EQ(CaseText("Mixed", true), "Mixed");
    EXPECT_EQ(CaseText("Mixed", false), "MIXED");
}

TEST(DropDownDraw, BackgroundRectFillsFramesOrDoesNothing)
{
    DrawBackgroundRect(nullptr, TRect(0, 0, 10, 10), clRed, clNone, gdHorizontal, 1, clBlack); // no canvas

    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    DrawBackgroundRect(&canvas, TRect(0, 0, 20, 20), 0x00FF00, clNone, gdHorizontal, 1, clBlack);
    EXPECT_EQ(canvas.GetPixel(10, 10), TColor(0x00FF00));
    EXPECT_EQ(canvas.GetPixel(0, 10), clBlack);
    EXPECT_EQ(canvas.GetPixel(19, 19), clBlack);

    // A gradient across the width: the left band is the start colour, the right one the end.
    DrawBackgroundRect(&canvas, TRect(0, 0, 20, 20), RGB(0, 0, 0), RGB(200, 0, 0), gdHorizontal, 0, clBlack);
    EXPECT_LT(GetRValue(canvas.GetPixel(0, 10)), 20);
    EXPECT_GT(GetRValue(canvas.GetPixel(18, 10)), 180);
}

} // namespace
