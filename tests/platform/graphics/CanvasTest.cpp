// The canvas's pixel rules, text measuring and DrawText, state (clip, origin, saved states) and
// binding to a painter, checked pixel by pixel on small images.
#include "platform/graphics/Graphics.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace
{

constexpr TColor White = 0xFFFFFF;

QImage WhiteImage(int w = 10, int h = 10)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TColor At(const QImage& image, int x, int y)
{
    return QColorToColor(QColor::fromRgb(image.pixel(x, y)));
}

// Bounding box of the pixels that differ from white (exclusive right/bottom); empty when none.
TRect InkBox(const QImage& image)
{
    int l = image.width(), t = image.height(), r = -1, b = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != White) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return r < 0 ? TRect() : TRect(l, t, r + 1, b + 1);
}

int InkCount(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += At(image, x, y) != White;
    return n;
}

} // namespace

// ---- Shapes ----------------------------------------------------------------------------------------

TEST(Canvas, RectangleCoversItsBoxOutlineIncluded)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Pen->Color = clBlue;
    c.Brush->Color = clRed;
    c.Rectangle(1, 5, 5, 8);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x <= 4 && y >= 5 && y <= 7;
            const bool outline = inside && (x == 1 || x == 4 || y == 5 || y == 7);
            const TColor want = !inside ? White : outline ? clBlue : clRed;
            EXPECT_EQ(At(image, x, y), want) << "pixel " << x << "," << y;
        }
    EXPECT_EQ(At(image, 5, 5), White);
    EXPECT_EQ(At(image, 1, 8), White);
}

TEST(Canvas, ShapesCoverExactlyTheirBox)
{
    struct Case {
        const char* name;
        int l, t, r, b;
        TPenStyle pen;
        int penWidth;
        TRect ink;
    };
    const Case cases[] = {
        {"rectangle", 2, 3, 9, 7, psSolid, 1, TRect(2, 3, 9, 7)},
        {"rectangle, wide inside-frame pen stays inside", 2, 3, 9, 8, psInsideFrame, 2, TRect(2, 3, 9, 8)},
        {"rectangle, wide solid pen is centred on the frame", 2, 3, 9, 8, psSolid, 2, TRect(1, 2, 9, 8)},
        {"rectangle, swapped corners", 9, 7, 2, 3, psSolid, 1, TRect(2, 3, 9, 7)},
        {"rectangle without outline loses the last row and column", 2, 3, 9, 7, psClear, 1,
         TRect(2, 3, 8, 6)},
        {"ellipse 4x4", 2, 2, 6, 6, psSolid, 1, TRect(2, 2, 6, 6)},
        {"ellipse 7x5", 1, 3, 8, 8, psSolid, 1, TRect(1, 3, 8, 8)},
        {"ellipse 10x10", 0, 0, 10, 10, psSolid, 1, TRect(0, 0, 10, 10)},
        {"ellipse, wide inside-frame pen", 1, 1, 11, 9, psInsideFrame, 3, TRect(1, 1, 11, 9)},
        {"ellipse, wide solid pen", 2, 2, 11, 9, psSolid, 3, TRect(1, 1, 12, 10)},
        {"round rectangle, wide solid pen", 2, 3, 11, 10, psSolid, 4, TRect(0, 1, 12, 11)},
        {"round rectangle", 1, 2, 11, 10, psSolid, 1, TRect(1, 2, 11, 10)},
    };
    for (const Case& k : cases) {
        QImage image = WhiteImage(14, 14);
        TCanvas c(&image);
        c.Pen->Style = k.pen;
        c.Pen->Width = k.penWidth;
        c.Brush->Color = clRed;
        const std::string name = k.name;
        if (name.rfind("ellipse", 0) == 0)
            c.Ellipse(k.l, k.t, k.r, k.b);
        else if (name.rfind("round", 0) == 0)
            c.RoundRect(k.l, k.t, k.r, k.b, 4, 4);
        else
            c.Rectangle(k.l, k.t, k.r, k.b);
        EXPECT_EQ(InkBox(image), k.ink) << k.name;
    }
}

TEST(Canvas, WideSolidPenIsCentredOnTheRectanglesFrame)
{
    for (const TPenStyle style : {psSolid, psInsideFrame}) {
        SCOPED_TRACE(style == psSolid ? "psSolid" : "psInsideFrame");
        QImage image = WhiteImage(20, 20);
        TCanvas c(&image);
        c.Pen->Width = 3;
        c.Pen->Style = style;
        c.Brush->Color = clRed;
        c.Rectangle(5, 5, 15, 15);
        // Centred: the three-pixel band covers 4..6 and 13..15; inside the frame: 5..7 and 12..14.
        const int outer0 = style == psSolid ? 4 : 5, outer1 = style == psSolid ? 15 : 14;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= outer0 && x <= outer1 && y >= outer0 && y <= outer1;
                const bool band =
                    inside && (x < outer0 + 3 || x > outer1 - 3 || y < outer0 + 3 || y > outer1 - 3);
                const TColor want = !inside ? White : band ? clBlack : clRed;
                EXPECT_EQ(At(image, x, y), want) << "pixel " << x << "," << y;
            }
    }
}

TEST(Canvas, LineToLeavesTheEndPointOut)
{
    struct Case {
        TPoint from, to;
    };
    const Case cases[] = {
        {{1, 1}, {5, 1}}, {{5, 1}, {1, 1}}, {{2, 0}, {2, 6}}, {{2, 6}, {2, 0}},
        {{0, 0}, {6, 6}}, {{0, 0}, {3, 8}}, {{8, 2}, {1, 5}},
    };
    for (const Case& k : cases) {
        QImage image = WhiteImage();
        TCanvas c(&image);
        c.MoveTo(k.from.X, k.from.Y);
        c.LineTo(k.to.X, k.to.Y);
        const int steps = std::max(std::abs(k.to.X - k.from.X), std::abs(k.to.Y - k.from.Y));
        const std::string what = "line " + std::to_string(k.from.X) + "," + std::to_string(k.from.Y) +
                                 " to " + std::to_string(k.to.X) + "," + std::to_string(k.to.Y);
        EXPECT_EQ(At(image, k.from.X, k.from.Y), clBlack) << what;
        EXPECT_EQ(At(image, k.to.X, k.to.Y), White) << what;
        EXPECT_EQ(InkCount(image), steps) << what;
        EXPECT_EQ(c.PenPos(), k.to) << what;
    }

    QImage image = WhiteImage();
    TCanvas c(&image);
    c.MoveTo(1, 1);
    c.LineTo(5, 1);
    for (int x = 1; x <= 4; ++x)
        EXPECT_EQ(At(image, x, 1), clBlack) << x;
    EXPECT_EQ(At(image, 5, 1), White);
    EXPECT_EQ(c.PenPos(), TPoint(5, 1));
}

TEST(Canvas, PolylineDrawsCornersButNotTheLastPoint)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Polyline({{1, 1}, {6, 1}, {6, 6}});
    EXPECT_EQ(At(image, 1, 1), clBlack);
    EXPECT_EQ(At(image, 6, 1), clBlack);
    EXPECT_EQ(At(image, 6, 5), clBlack);
    EXPECT_EQ(At(image, 6, 6), White);
    EXPECT_EQ(InkCount(image), 10);
}

TEST(Canvas, PolygonIsFilledAndOutlined)
{
    QImage image = WhiteImage(12, 12);
    TCanvas c(&image);
    c.Brush->Color = clRed;
    c.Polygon({{1, 1}, {10, 1}, {10, 10}, {1, 10}});
    EXPECT_EQ(At(image, 1, 1), clBlack);
    EXPECT_EQ(At(image, 10, 10), clBlack);
    EXPECT_EQ(At(image, 5, 5), clRed);
    EXPECT_EQ(At(image, 11, 5), White);
}

TEST(Canvas, PolygonOutlineInksEveryVertex)
{
    struct Case {
        const char* name;
        std::vector<TPoint> points;
        TBrushStyle brush;
    };
    const Case cases[] = {
        {"triangle", {{2, 2}, {10, 2}, {10, 8}}, bsClear},
        {"filled triangle", {{2, 2}, {10, 2}, {10, 8}}, bsSolid},
        {"drop triangle with a one-pixel tip", {{3, 4}, {9, 4}, {6, 7}}, bsSolid},
        {"star-like steep edges", {{6, 0}, {7, 9}, {1, 3}, {11, 3}, {5, 9}}, bsClear},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QImage image = WhiteImage(12, 12);
        TCanvas c(&image);
        c.Brush->Style = k.brush;
        c.Brush->Color = clRed;
        c.Polygon(k.points);
        for (const TPoint& v : k.points)
            EXPECT_EQ(At(image, v.X, v.Y), clBlack) << "vertex " << v.X << "," << v.Y;
        EXPECT_EQ(At(image, 0, 11), White);
    }
}

TEST(Canvas, FillRectAndFrameRectStopBeforeRightAndBottom)
{
    struct Case {
        TRect r;
        bool frame;
        int ink;
        TRect box;
    };
    const Case cases[] = {
        {TRect(2, 2, 7, 6), false, 20, TRect(2, 2, 7, 6)},
        {TRect(2, 2, 7, 6), true, 14, TRect(2, 2, 7, 6)},
        {TRect(3, 3, 4, 4), true, 1, TRect(3, 3, 4, 4)},
        {TRect(3, 3, 5, 4), true, 2, TRect(3, 3, 5, 4)},
        {TRect(2, 2, 2, 6), true, 0, TRect()},
        {TRect(2, 2, 7, 2), false, 0, TRect()},
    };
    for (const Case& k : cases) {
        QImage image = WhiteImage();
        TCanvas c(&image);
        c.Brush->Color = clGreen;
        if (k.frame)
            c.FrameRect(k.r);
        else
            c.FillRect(k.r);
        EXPECT_EQ(InkCount(image), k.ink)
            << k.r.Left << "," << k.r.Top << "," << k.r.Right << "," << k.r.Bottom;
        EXPECT_EQ(InkBox(image), k.box);
        if (k.frame && k.r.Width() > 2 && k.r.Height() > 2) {
            EXPECT_EQ(At(image, k.r.Left + 1, k.r.Top + 1), White) << "frame inside untouched";
        }
    }

    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Brush->Style = bsClear;
    c.FillRect(TRect(0, 0, 10, 10));
    c.Brush->Style = bsSolid;
    c.Brush->Color = clNone;
    c.FillRect(TRect(0, 0, 10, 10));
    EXPECT_EQ(InkCount(image), 0) << "a clear brush and clNone draw nothing";
}

TEST(Canvas, FocusRectIsDottedAndDrawingItTwiceRemovesIt)
{
    QImage image = WhiteImage(12, 12);
    const QImage before = image;
    TCanvas c(&image);
    c.DrawFocusRect(TRect(1, 1, 11, 9));
    EXPECT_EQ(At(image, 1, 1), clBlack);
    EXPECT_EQ(At(image, 2, 1), White);
    EXPECT_EQ(At(image, 3, 1), clBlack);
    EXPECT_EQ(At(image, 1, 2), White);
    EXPECT_EQ(At(image, 1, 3), clBlack);
    EXPECT_EQ(At(image, 5, 5), White);
    EXPECT_EQ(InkBox(image), TRect(1, 1, 11, 9));
    c.DrawFocusRect(TRect(1, 1, 11, 9));
    EXPECT_EQ(image, before);
}

TEST(Canvas, PenModesCombineWithTheSurface)
{
    QImage image = WhiteImage();
    image.setPixel(3, 2, qRgb(0x12, 0x34, 0x56));
    const QImage before = image;
    TCanvas c(&image);
    c.Pen->Mode = pmXor;
    c.Pen->Color = RGB(0xFF, 0x0F, 0xF0);
    for (int pass = 0; pass < 2; ++pass) {
        c.MoveTo(0, 2);
        c.LineTo(8, 2);
        if (pass == 0) {
            EXPECT_EQ(At(image, 0, 2), RGB(0x00, 0xF0, 0x0F));
            EXPECT_EQ(At(image, 3, 2), RGB(0x12 ^ 0xFF, 0x34 ^ 0x0F, 0x56 ^ 0xF0));
        }
    }
    EXPECT_EQ(image, before) << "xor twice restores";

    c.Pen->Mode = pmNot;
    c.MoveTo(0, 4);
    c.LineTo(3, 4);
    EXPECT_EQ(At(image, 1, 4), clBlack);
    c.Pen->Mode = pmNop;
    c.MoveTo(0, 6);
    c.LineTo(3, 6);
    EXPECT_EQ(At(image, 1, 6), White);
}

TEST(Canvas, DashedPenLeavesGaps)
{
    QImage image = WhiteImage(40, 3);
    TCanvas c(&image);
    c.Pen->Style = psDot;
    c.MoveTo(0, 1);
    c.LineTo(40, 1);
    const int ink = InkCount(image);
    EXPECT_GT(ink, 0);
    EXPECT_LT(ink, 40);
}

// ---- Pixels and colours --------------------------------------------------------------------------------

TEST(Canvas, SystemColoursComeFromOneFixedTable)
{
    struct Case {
        TColor in, out;
    };
    const Case cases[] = {
        {0xFF00000F, 0xF0F0F0},      {clWindow, 0xFFFFFF},
        {clWindowText, 0x000000},    {clHighlight, 0xD77800},
        {clHighlightText, 0xFFFFFF}, {clBtnShadow, 0xA0A0A0},
        {clGrayText, 0x6D6D6D},      {clBtnHighlight, 0xFFFFFF},
        {cl3DDkShadow, 0x696969},    {cl3DLight, 0xE3E3E3},
        {clInfoText, 0x000000},      {clInfoBk, 0xE1FFFF},
        {0x123456, 0x123456},        {clNone, clNone},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ColorToRGB(k.in), k.out) << std::hex << k.in;
    EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
}

TEST(Canvas, PixelsWrittenAndReadInTheToolkitsByteOrder)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Pixels(2, 3) = 0x0000FF;
    EXPECT_EQ(image.pixel(2, 3), qRgb(255, 0, 0)) << "red is the low byte";
    EXPECT_EQ(TColor(c.Pixels(2, 3)), 0x0000FFu);
    c.Pixels(4, 4) = clBtnFace;
    EXPECT_EQ(image.pixel(4, 4), qRgb(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(c.GetPixel(-1, 0), clNone);
    EXPECT_EQ(c.GetPixel(10, 0), clNone);
    c.MoveWindowOrg(2, 2);
    EXPECT_EQ(c.GetPixel(0, 1), 0x0000FFu) << "logical (0,1) is device (2,3)";
}

TEST(Canvas, FloodFillStopsAtTheBorder)
{
    for (TFillStyle style : {fsSurface, fsBorder}) {
        QImage image = WhiteImage();
        TCanvas c(&image);
        c.Brush->Color = clBlue;
        c.FrameRect(TRect(2, 2, 8, 8));
        c.Brush->Color = clRed;
        if (style == fsSurface)
            c.FloodFill(4, 4, White, fsSurface);
        else
            c.FloodFill(4, 4, clBlue, fsBorder);
        EXPECT_EQ(At(image, 3, 3), clRed) << style;
        EXPECT_EQ(At(image, 6, 6), clRed) << style;
        EXPECT_EQ(At(image, 2, 2), clBlue) << style;
        EXPECT_EQ(At(image, 0, 0), White) << style;
        EXPECT_EQ(At(image, 9, 9), White) << style;
    }
}

// ---- State ------------------------------------------------------------------------------------------------

TEST(Canvas, ClipAndOriginApplyToDrawing)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Brush->Color = clRed;
    c.IntersectClipRect(TRect(2, 2, 5, 6));
    EXPECT_EQ(c.ClipRect(), TRect(2, 2, 5, 6));
    c.FillRect(TRect(0, 0, 10, 10));
    EXPECT_EQ(InkBox(image), TRect(2, 2, 5, 6));

    image.fill(Qt::white);
    c.SelectClipRgn(nullptr);
    c.MoveWindowOrg(3, 2);
    EXPECT_EQ(c.ClipRect(), TRect(-3, -2, 7, 8));
    c.FillRect(TRect(0, 0, 2, 2));
    EXPECT_EQ(InkBox(image), TRect(3, 2, 5, 4));

    image.fill(Qt::white);
    const QRegion region = CreateRectRgn(0, 0, 4, 4);
    c.SelectClipRgn(&region); // device coordinates, whatever the origin
    c.FillRect(TRect(-3, -2, 7, 8));
    EXPECT_EQ(InkBox(image), TRect(0, 0, 4, 4));
}

TEST(Canvas, RestoreReturnsToTheSavedState)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Brush->Color = clRed;
    const int id = SaveDC(c.Handle());
    c.MoveWindowOrg(4, 4);
    c.IntersectClipRect(TRect(0, 0, 1, 1));
    c.Brush->Color = clBlue;
    c.Font->Style = fsBold;
    SetBkMode(c.Handle(), TRANSPARENT);
    c.Save();
    c.MoveWindowOrg(1, 1);
    RestoreDC(c.Handle(), id); // drops the later save too
    EXPECT_EQ(c.WindowOrgOffset(), TPoint(0, 0));
    EXPECT_FALSE(c.HasClipRgn());
    EXPECT_EQ(c.Brush->Color, clRed);
    EXPECT_EQ(c.Font->Style, 0);
    EXPECT_EQ(c.BkMode(), OPAQUE);
    c.FillRect(TRect(0, 0, 10, 10));
    EXPECT_EQ(InkCount(image), 100);
}

TEST(Canvas, BrushAndFontSetBackgroundAndTextColour)
{
    TCanvas c;
    c.Brush->Style = bsClear;
    EXPECT_EQ(c.BkMode(), TRANSPARENT);
    c.SetBkMode(OPAQUE);
    EXPECT_EQ(c.BkMode(), OPAQUE) << "an explicit mode holds until the brush changes";
    c.Brush->Color = clYellow;
    EXPECT_EQ(c.BkMode(), TRANSPARENT);
    EXPECT_EQ(c.BkColor(), clYellow);
    c.Font->Color = clRed;
    EXPECT_EQ(c.TextColor(), clRed);
    SetTextColor(c.Handle(), clBlue);
    EXPECT_EQ(c.TextColor(), clBlue);
    EXPECT_FALSE(c.CanDraw());
}

// ---- Text
// ---------------------------------------------------------------------------------------------------

TEST(Canvas, TextHeightIsTheFontsLineHeight)
{
    TCanvas c;
    c.Font->Name = "Tahoma";
    c.Font->Size = 10;
    EXPECT_EQ(c.Font->Height, -13);
    const int h = c.TextHeight("x");
    EXPECT_GT(h, 0);
    for (const char* s : {"", "gjpq", "WWW", "\u00C9"})
        EXPECT_EQ(c.TextHeight(s), h) << s;
    EXPECT_EQ(c.TextExtent("abc"), TPoint(c.TextWidth("abc"), h));
    c.Font->Size = 20;
    EXPECT_GT(c.TextHeight("x"), h);
    EXPECT_EQ(c.TextMetrics().tmHeight, c.TextHeight("x"));
}

TEST(Canvas, DrawTextPrefixesAndCalcRect)
{
    TCanvas c;
    struct Case {
        const char* text;
        uint32_t flags;
        const char* sameWidthAs;
    };
    const Case cases[] = {
        {"a&&b", 0, "a&b"},   {"a&b", 0, "ab"}, {"a&b", DT_NOPREFIX, "a&b"},
        {"&File", 0, "File"}, {"x&", 0, "x"},   {"a\tb", 0, "ab"},
    };
    for (const Case& k : cases) {
        TRect r(5, 7, 5, 7);
        const int h = c.DrawText(k.text, r, DT_CALCRECT | DT_SINGLELINE | k.flags);
        EXPECT_EQ(r.Width(), c.TextWidth(k.sameWidthAs)) << k.text;
        EXPECT_EQ(r.Left, 5);
        EXPECT_EQ(r.Height(), c.TextHeight(k.text)) << k.text;
        EXPECT_EQ(h, r.Height());
    }
    TRect a(0, 0, 0, 0), b(0, 0, 0, 0);
    DrawText(c.Handle(), "a&&b", -1, a, DT_CALCRECT | DT_SINGLELINE);
    DrawText(c.Handle(), "a&b", -1, b, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a, b);
}

TEST(Canvas, DrawTextWordBreakUsesTheCanvasMetrics)
{
    TCanvas c;
    const int line = c.TextHeight("x");
    const int oneLine = c.TextWidth("aaa bbb");
    const int firstWord = c.TextWidth("aaa ");
    ASSERT_LT(firstWord + 1, oneLine);
    struct Case {
        int width;
        int lines;
    };
    const Case cases[] = {{(firstWord + oneLine) / 2, 2}, {oneLine, 1}, {oneLine + 50, 1}, {1, 2}};
    for (const Case& k : cases) {
        TRect r(0, 0, k.width, 0);
        const int h = c.DrawText("aaa bbb", r, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_EQ(h, k.lines * line) << k.width;
        EXPECT_EQ(r.Bottom, k.lines * line) << k.width;
        EXPECT_EQ(r.Right, k.lines == 1 ? oneLine : std::max(c.TextWidth("aaa"), c.TextWidth("bbb")))
            << k.width;
    }
    TRect r(0, 0, 1000, 0);
    EXPECT_EQ(c.DrawText("one\ntwo\r\nthree", r, DT_CALCRECT), 3 * line);
    EXPECT_EQ(r.Right, c.TextWidth("three"));
    r = TRect(0, 0, 1000, 0);
    EXPECT_EQ(c.DrawText("one\ntwo", r, DT_CALCRECT | DT_SINGLELINE), line);
}

TEST(Canvas, DrawTextEndEllipsisFitsTheRectangle)
{
    TCanvas c;
    const QString text = "a rather long caption";
    const int width = c.TextWidth(text) / 2;
    TRect r(0, 0, width, 0);
    c.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.Width(), width);
    EXPECT_GT(r.Width(), c.TextWidth("..."));
}

TEST(Canvas, DrawTextPrefixUnderlinesAndDoubleAmpersandDrawsOne)
{
    auto draw = [](const QString& text, uint32_t flags) {
        QImage image = WhiteImage(60, 20);
        TCanvas c(&image);
        TRect r(1, 1, 59, 19);
        c.DrawText(text, r, DT_SINGLELINE | flags);
        return image;
    };
    EXPECT_EQ(draw("a&&b", 0), draw("a&b", DT_NOPREFIX));
    const QImage plain = draw("x", DT_NOPREFIX);
    const QImage marked = draw("&x", 0);
    EXPECT_NE(plain, marked);
    EXPECT_GT(InkBox(marked).Bottom, InkBox(plain).Bottom) << "the underline lies below the letter";
    EXPECT_EQ(draw("&x", DT_HIDEPREFIX), plain);
}

TEST(Canvas, DrawTextAlignsInTheRectangle)
{
    auto ink = [](uint32_t flags, int* result = nullptr) {
        QImage image = WhiteImage(120, 60);
        TCanvas c(&image);
        c.Brush->Style = bsClear;
        TRect r(10, 10, 110, 50);
        const int h = c.DrawText("Mm", r, DT_SINGLELINE | flags);
        if (result)
            *result = h;
        return InkBox(image);
    };
    const TRect left = ink(DT_LEFT), centre = ink(DT_CENTER), right = ink(DT_RIGHT);
    EXPECT_LT(left.Left, centre.Left);
    EXPECT_LT(centre.Left, right.Left);
    EXPECT_LE(right.Right, 110);
    EXPECT_NEAR((centre.Left + centre.Right) / 2.0, 60, 2);
    const TRect top = ink(DT_TOP), middle = ink(DT_VCENTER), bottom = ink(DT_BOTTOM);
    EXPECT_LT(top.Top, middle.Top);
    EXPECT_LT(middle.Top, bottom.Top);
    EXPECT_LE(bottom.Bottom, 50);

    int result = 0;
    ink(DT_BOTTOM, &result);
    EXPECT_EQ(result, 40) << "bottom-aligned: the offset of the text's bottom from the top";

    // Clipped to the rectangle unless DT_NOCLIP.
    QImage image = WhiteImage(60, 20);
    TCanvas c(&image);
    TRect narrow(0, 0, 3, 20);
    c.DrawText("WWWW", narrow, DT_SINGLELINE);
    EXPECT_LE(InkBox(image).Right, 3);
    c.DrawText("WWWW", narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBox(image).Right, 3);
}

TEST(Canvas, TextBackgroundFollowsTheBrushUnlessSetOtherwise)
{
    struct Case {
        TBrushStyle brush;
        int explicitMode;
        bool filled;
    };
    const Case cases[] = {
        {bsSolid, 0, true},
        {bsClear, 0, false},
        {bsSolid, TRANSPARENT, false},
        {bsClear, OPAQUE, true},
    };
    for (const Case& k : cases) {
        QImage image = WhiteImage(40, 30);
        TCanvas c(&image);
        c.Brush->Color = clYellow;
        c.Brush->Style = k.brush;
        if (k.explicitMode)
            c.SetBkMode(k.explicitMode);
        c.TextOut(5, 5, ".");
        EXPECT_EQ(At(image, 5, 5) == clYellow, k.filled) << k.brush << "/" << k.explicitMode;
        EXPECT_EQ(c.PenPos(), TPoint(5 + c.TextWidth("."), 5));
    }
}

TEST(Canvas, FontEscapementTurnsTheText)
{
    auto ink = [](int orientation) {
        QImage image = WhiteImage(120, 120);
        TCanvas c(&image);
        c.Brush->Style = bsClear;
        c.Font->Size = 12;
        c.Font->Orientation = orientation;
        c.TextOut(60, 60, "WWWWW");
        return InkBox(image);
    };
    const TRect flat = ink(0), up = ink(900);
    EXPECT_GT(flat.Width(), flat.Height());
    EXPECT_GT(up.Height(), up.Width());
    EXPECT_LE(up.Bottom, 61) << "turned counter-clockwise, the text runs upwards from its point";
}

// ---- Pictures and painters
// ----------------------------------------------------------------------------------

TEST(Canvas, CopyRectCopiesFromAnotherCanvas)
{
    QImage source = WhiteImage();
    TCanvas from(&source);
    from.Brush->Color = clRed;
    from.FillRect(TRect(0, 0, 2, 2));
    QImage target = WhiteImage();
    TCanvas to(&target);
    to.CopyRect(TRect(5, 5, 7, 7), &from, TRect(0, 0, 2, 2));
    EXPECT_EQ(InkBox(target), TRect(5, 5, 7, 7));
    EXPECT_EQ(At(target, 6, 6), clRed);
    to.CopyRect(TRect(0, 0, 4, 4), &from, TRect(0, 0, 2, 2));
    EXPECT_EQ(At(target, 3, 3), clRed) << "stretched";
}

TEST(Canvas, BoundPainterDrawsThroughItsTransformAndReleases)
{
    QImage image = WhiteImage(20, 20);
    TCanvas c;
    {
        QPainter painter(&image);
        painter.translate(5, 5);
        TCanvasPainterBinding bind(c, painter);
        EXPECT_TRUE(c.CanDraw());
        c.Brush->Color = clRed;
        c.FillRect(TRect(0, 0, 3, 3));
        EXPECT_EQ(c.GetPixel(1, 1), clRed);
    }
    EXPECT_FALSE(c.CanDraw());
    c.FillRect(TRect(0, 0, 20, 20)); // dropped
    EXPECT_EQ(InkBox(image), TRect(5, 5, 8, 8));
}

// The painter is prepared once per binding: what one call sets (a clip, a raster operation, an
// opacity, an origin, a font) must not reach the next, and the painter gets its own state back.
TEST(Canvas, CallsOnABoundPainterLeaveNothingToTheNextAndTheBindingRestoresThePainter)
{
    QImage image = WhiteImage(60, 60);
    QPainter painter(&image);
    painter.setPen(QColor(Qt::blue));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    {
        TCanvas c;
        TCanvasPainterBinding bind(c, painter);
        c.Brush->Color = clWhite;
        c.TextRect(TRect(0, 0, 4, 4), 0, 0, "x"); // clips to the small rectangle
        c.Brush->Color = clRed;
        c.FillRect(TRect(10, 10, 14, 14));
        EXPECT_EQ(At(image, 12, 12), clRed) << "the text's clip is gone";

        c.Pen->Mode = pmXor;
        c.Pen->Color = clWhite;
        c.MoveTo(10, 20);
        c.LineTo(20, 20);
        c.Pen->Mode = pmCopy;
        c.Brush->Color = clLime;
        c.FillRect(TRect(10, 22, 14, 26));
        EXPECT_EQ(At(image, 12, 24), clLime) << "no raster operation left";

        QImage half(2, 2, QImage::Format_RGB32);
        half.fill(Qt::black);
        c.DrawImage(TRect(30, 30, 32, 32), half, TRect(0, 0, 2, 2), 128);
        c.FillRect(TRect(40, 40, 44, 44));
        EXPECT_EQ(At(image, 42, 42), clLime) << "no opacity left";

        c.SetWindowOrg(-50, -50);
        c.FillRect(TRect(0, 0, 2, 2));
        c.SetWindowOrg(0, 0);
        c.Brush->Color = clBlue;
        c.FillRect(TRect(0, 50, 2, 52));
        EXPECT_EQ(At(image, 50, 50), clLime);
        EXPECT_EQ(At(image, 0, 50), clBlue) << "the origin follows the canvas";

        c.IntersectClipRect(TRect(20, 40, 24, 44));
        c.FillRect(TRect(16, 40, 28, 44));
        EXPECT_EQ(At(image, 18, 42), White);
        c.SelectClipRgn(nullptr);
        c.FillRect(TRect(16, 40, 28, 44));
        EXPECT_EQ(At(image, 18, 42), clBlue) << "the canvas clip removed";

        c.Font->Height = -8;
        c.Font->Color = clBlack;
        c.Brush->Style = bsClear;
        c.TextOut(20, 0, "W");
        const int small = InkBox(image.copy(20, 0, 14, 30)).Height();
        c.Font->Height = -24;
        c.TextOut(35, 0, "W");
        const int big = InkBox(image.copy(35, 0, 25, 30)).Height();
        EXPECT_GT(big, small + 8) << "a changed font reaches the painter";
    }
    EXPECT_FALSE(painter.hasClipping());
    EXPECT_TRUE(painter.worldTransform().isIdentity());
    EXPECT_EQ(painter.pen().color(), QColor(Qt::blue));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_Source);
}

namespace
{
// A custom control's paint: the canvas bound to the widget's painter, reading back what it drew.
class PaintedWidget : public QWidget
{
  public:
    using QWidget::QWidget;
    TCanvas Canvas;
    TColor Corner = clNone;

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        TCanvasPainterBinding bind(Canvas, p);
        Canvas.Brush->Color = clWhite;
        Canvas.FillRect(TRect(0, 0, width(), height()));
        Canvas.Pen->Color = clBlue;
        Canvas.Brush->Color = clRed;
        Canvas.Rectangle(2, 2, 8, 8);
        Corner = Canvas.GetPixel(2, 2);
        Canvas.Brush->Color = clLime;
        Canvas.FloodFill(4, 4, clBlue, fsBorder);
    }
};
} // namespace

TEST(Canvas, PaintsAWidgetInItsPaintEvent)
{
    QWidget parent;
    parent.resize(30, 30);
    PaintedWidget w(&parent);
    w.setGeometry(7, 5, 12, 12);
    const QImage shot = parent.grab().toImage();
    EXPECT_EQ(At(shot, 7 + 2, 5 + 2), clBlue);
    EXPECT_EQ(At(shot, 7 + 7, 5 + 7), clBlue);
    EXPECT_EQ(At(shot, 7 + 4, 5 + 4), clLime) << "flood fill inside the widget's own pixels";
    EXPECT_EQ(At(shot, 7 + 8, 5 + 8), White);
    EXPECT_EQ(w.Corner, clBlue);
}
