// The push button face drawn onto an image: face colours by fade step and state, borders per style,
// glyph cells and positions, caption fitting and colour, and the pure layout.
#include "grid/base/FadeButton.h"

#include <gtest/gtest.h>

namespace
{

constexpr TColor FormFace = 0xEDF7F8;
constexpr TColor Background = 0x123456; // what lies beneath the face

struct FaceArgs {
    int W = 20;
    int H = 10;
    TAlignment Alignment = taCenter;
    QString Caption;
    TFadeButtonLayout Layout = blGlyphLeft;
    TColor Shadow = clGray;
    TColor Light = clWhite;
    TColor Hot = clNone;
    TColor Down = clNone;
    TColor Color = FormFace;
    TFadeButtonStyle Style = bsEncarta;
    bool Popup = false;
    bool WordWrap = false;
    bool Flat = false;
    bool Enabled = true;
    bool IsHot = false;
    bool IsDown = false;
    const TBitmap* Glyph = nullptr;
    int NumGlyphs = 0;
    int Step = 0;
};

QImage DrawFace(const FaceArgs& a)
{
    QImage image(a.W, a.H, QImage::Format_RGB32);
    image.fill(ColorToQColor(Background));
    TCanvas canvas(&image);
    TFont font;
    font.Color = clBlack;
    DrawFadeButtonFace(&canvas, a.W, a.H, a.Alignment, a.Caption, a.Layout, &font, a.Shadow, a.Light, a.Hot,
                       a.Down, a.Color, a.Style, a.Popup, a.WordWrap, a.Flat, a.Enabled, false, a.IsHot,
                       a.IsDown, a.Glyph, a.NumGlyphs, a.Step);
    return image;
}

TColor At(const QImage& image, int x, int y)
{
    return QColorToColor(image.pixelColor(x, y));
}

// A strip of `cells` cells of cellW x cellH; cell i is filled with colours[i] except its
// bottom-left pixel, which holds the transparent key.
constexpr TColor GlyphKey = 0x008080;
const TColor CellColors[] = {0x0000C0, 0x00C000, 0xC00000, 0xC000C0, 0x00C0C0};

std::unique_ptr<TBitmap> MakeStrip(int cells, int cellW, int cellH)
{
    QImage strip(cells * cellW, cellH, QImage::Format_RGB32);
    for (int i = 0; i < cells; ++i)
        for (int y = 0; y < cellH; ++y)
            for (int x = 0; x < cellW; ++x)
                strip.setPixelColor(i * cellW + x, y,
                                    ColorToQColor(x == 0 && y == cellH - 1 ? GlyphKey : CellColors[i]));
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(strip);
    return bitmap;
}

// ---- Face colour --------------------------------------------------------------------------------

struct FaceColorCase {
    const char* name;
    int step;
    bool enabled;
    bool down;
    TColor downColor;
    TColor expected;
};

class FadeButtonFaceColors : public ::testing::TestWithParam<FaceColorCase>
{
};

TEST_P(FadeButtonFaceColors, EncartaCentrePixel)
{
    const FaceColorCase& c = GetParam();
    FaceArgs a;
    a.Hot = clYellow;
    a.Step = c.step;
    a.Enabled = c.enabled;
    a.IsDown = c.down;
    a.Down = c.downColor;
    EXPECT_EQ(At(DrawFace(a), 5, 5), c.expected);
    EXPECT_EQ(FadeButtonFaceColor(FormFace, clYellow, c.downColor, c.enabled, c.down, c.step), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FadeButton, FadeButtonFaceColors,
    ::testing::Values(FaceColorCase{"hot", 8, true, false, clNone, RGB(255, 255, 0)},
                      FaceColorCase{"halfway", 4, true, false, clNone, RGB(251, 251, 118)},
                      FaceColorCase{"firstFadeStep", 7, true, false, clNone, RGB(254, 254, 29)},
                      FaceColorCase{"plain", 0, true, false, clNone, RGB(248, 247, 237)},
                      FaceColorCase{"down", 8, true, true, 0x0080FF, RGB(255, 128, 0)},
                      FaceColorCase{"downWithoutDownColour", 0, true, true, clNone, RGB(248, 247, 237)},
                      FaceColorCase{"disabledDown", 8, false, true, 0x0080FF, RGB(248, 247, 237)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FadeButtonFace, SystemColourIsResolvedAndStepsAreClamped)
{
    EXPECT_EQ(FadeButtonFaceColor(clBtnFace, clNone, clNone, true, false, 8), ColorToRGB(clBtnFace));
    EXPECT_EQ(FadeButtonFaceColor(FormFace, clYellow, clNone, true, false, 20), TColor(clYellow));
    EXPECT_EQ(FadeButtonFaceColor(FormFace, clYellow, clNone, true, false, -3), FormFace);
}

// ---- Borders ------------------------------------------------------------------------------------

TEST(FadeButtonFace, NormalEdgesSwapWhenDown)
{
    FaceArgs a;
    a.Style = bsNormal;
    const TColor grey = RGB(128, 128, 128);
    struct {
        int x, y;
        bool lightWhenUp;
    } points[] = {{0, 0, true}, {18, 0, true}, {0, 9, true}, {19, 0, false}, {1, 9, false}, {19, 9, false}};
    const QImage up = DrawFace(a);
    a.IsDown = true;
    const QImage down = DrawFace(a);
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << "(" << p.x << "," << p.y << ")");
        EXPECT_EQ(At(up, p.x, p.y), p.lightWhenUp ? clWhite : grey);
        EXPECT_EQ(At(down, p.x, p.y), p.lightWhenUp ? grey : clWhite);
    }
}

TEST(FadeButtonFace, FlatBorderOnlyWhileHotOrPressed)
{
    struct {
        bool enabled, hot, down, border;
    } cases[] = {{true, false, false, false},
                 {true, true, false, true},
                 {true, false, true, true},
                 {false, true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.hot << c.down);
        FaceArgs a;
        a.Style = bsNormal;
        a.Flat = true;
        a.Light = clRed;
        a.Enabled = c.enabled;
        a.IsHot = c.hot;
        a.IsDown = c.down;
        const TColor topLeft = At(DrawFace(a), 0, 0);
        EXPECT_EQ(topLeft != FormFace, c.border);
    }
}

TEST(FadeButtonFace, OldStyleDrawsDarkOuterAndShadowInnerEdges)
{
    FaceArgs a;
    a.Style = bsOld;
    const QImage up = DrawFace(a);
    EXPECT_EQ(At(up, 0, 0), clWhite);
    EXPECT_EQ(At(up, 19, 9), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(up, 0, 9), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(up, 18, 5), TColor(clGray));
    EXPECT_EQ(At(up, 5, 8), TColor(clGray));
    a.IsDown = true;
    const QImage down = DrawFace(a);
    EXPECT_EQ(At(down, 0, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(down, 19, 9), clWhite);
    EXPECT_EQ(At(down, 1, 5), TColor(clGray));
    EXPECT_EQ(At(down, 5, 1), TColor(clGray));
}

TEST(FadeButtonFace, RoundedStylesLeaveTheCornersUntouched)
{
    for (TFadeButtonStyle style : {bsModern, bsQuicken}) {
        SCOPED_TRACE(int(style));
        FaceArgs a;
        a.W = 40;
        a.H = 28;
        a.Style = style;
        const QImage image = DrawFace(a);
        EXPECT_EQ(At(image, 0, 0), Background);
        EXPECT_EQ(At(image, 39, 27), Background);
        EXPECT_EQ(At(image, 20, 0), TColor(clGray)); // the shadow edge along the top
    }
}

TEST(FadeButtonFace, ModernGradientRunsLightToFaceToLight)
{
    FaceArgs a;
    a.W = 40;
    a.H = 28;
    a.Style = bsModern;
    a.Color = clBlack;
    const QImage image = DrawFace(a);
    // Upper part y = 2..6 (D = 5): bands 0..6 all start at y = 2, so band 6 shows there,
    // 255 - 6 x 255/31. Lower part y = 7..26 (D = 20): y = 25 is band 29, 29 x 255/31.
    // Row 26 is the inner outline in the face colour.
    EXPECT_EQ(At(image, 20, 2), RGB(205, 205, 205));
    EXPECT_LT(GetRValue(At(image, 20, 6)), 64);
    EXPECT_LT(GetRValue(At(image, 20, 8)), GetRValue(At(image, 20, 20)));
    EXPECT_EQ(At(image, 20, 25), RGB(238, 238, 238));
    EXPECT_EQ(At(image, 20, 26), clBlack);
}

TEST(FadeButtonFace, ShapeIsAllTransparentKey)
{
    FaceArgs a;
    a.Style = bsShape;
    const QImage image = DrawFace(a);
    for (int y = 0; y < a.H; ++y)
        for (int x = 0; x < a.W; ++x)
            ASSERT_EQ(At(image, x, y), TColor(clFuchsia)) << x << "," << y;
}

// ---- Glyph ------------------------------------------------------------------------------------

struct GlyphCase {
    const char* name;
    int cells;
    bool enabled;
    bool hot;
    bool down;
    TFadeButtonStyle style;
    int expectedCell;
    int shift; // the press offset
};

class FadeButtonGlyphs : public ::testing::TestWithParam<GlyphCase>
{
};

TEST_P(FadeButtonGlyphs, CellAndPosition)
{
    const GlyphCase& c = GetParam();
    auto strip = MakeStrip(c.cells, 8, 8);
    FaceArgs a;
    a.W = 40;
    a.H = 20;
    a.Style = c.style;
    a.Enabled = c.enabled;
    a.IsHot = c.hot;
    a.IsDown = c.down;
    a.Glyph = strip.get();
    a.NumGlyphs = c.cells;
    const QImage image = DrawFace(a);
    // No caption, centred: the cell sits at ((40 - 8) div 2, (20 - 8) div 2) plus the press offset.
    const int left = 16 + c.shift, top = 6 + c.shift;
    EXPECT_EQ(At(image, left + 3, top + 3), CellColors[c.expectedCell]);
    EXPECT_EQ(At(image, left + 7, top + 7), CellColors[c.expectedCell]);
    EXPECT_EQ(At(image, left + 8, top + 3), At(image, 30, 3)); // face right of the cell
    EXPECT_NE(At(image, left, top + 7), GlyphKey);             // the key pixel is transparent
    EXPECT_EQ(FadeButtonGlyphCell(c.enabled, c.hot, c.down, c.cells) % c.cells, c.expectedCell);
}

INSTANTIATE_TEST_SUITE_P(
    FadeButton, FadeButtonGlyphs,
    ::testing::Values(GlyphCase{"normal", 4, true, false, false, bsEncarta, 0, 0},
                      GlyphCase{"disabled", 4, false, false, false, bsEncarta, 1, 0},
                      GlyphCase{"disabledOneCellShowsCellZero", 1, false, false, false, bsEncarta, 0, 0},
                      GlyphCase{"pressed", 4, true, false, true, bsEncarta, 2, 0},
                      GlyphCase{"hot", 4, true, true, false, bsEncarta, 3, 0},
                      GlyphCase{"pressedWinsOverHot", 4, true, true, true, bsEncarta, 2, 0},
                      GlyphCase{"hotWithThreeCells", 3, true, true, false, bsEncarta, 0, 0},
                      GlyphCase{"pressedWithTwoCells", 2, true, false, true, bsEncarta, 0, 0},
                      GlyphCase{"normalStylePressedShifts", 4, true, false, true, bsNormal, 2, 1},
                      GlyphCase{"disabledNeverPressed", 4, false, false, true, bsNormal, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FadeButtonFace, NoGlyphCellsOrEmptyGlyphDrawNothing)
{
    auto strip = MakeStrip(2, 8, 8);
    TBitmap empty;
    struct {
        const TBitmap* glyph;
        int cells;
    } cases[] = {{strip.get(), 0}, {&empty, 1}, {nullptr, 2}};
    for (const auto& c : cases) {
        FaceArgs a;
        a.W = 40;
        a.H = 20;
        a.Glyph = c.glyph;
        a.NumGlyphs = c.cells;
        const QImage image = DrawFace(a);
        for (int y = 1; y < 19; ++y)
            for (int x = 1; x < 39; ++x)
                ASSERT_EQ(At(image, x, y), FormFace) << x << "," << y;
    }
}

TEST(FadeButtonFace, PopupArrowRightOfCentre)
{
    FaceArgs a;
    a.W = 40;
    a.H = 20;
    a.Popup = true;
    const QImage image = DrawFace(a);
    // The 5 x 3 arrow at (W - 11, H div 2 - 1): its top row is solid.
    for (int x = 29; x < 34; ++x)
        EXPECT_EQ(At(image, x, 9), clBlack) << x;
    EXPECT_EQ(At(image, 29, 11), FormFace); // its keyed-out corner
}

// ---- Caption ------------------------------------------------------------------------------------

int DarkestChannel(const QImage& image, const TRect& r)
{
    int darkest = 255;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColor c = At(image, x, y);
            darkest = std::min({darkest, int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))});
        }
    return darkest;
}

TEST(FadeButtonFace, DisabledCaptionIsGreyExceptOnShapes)
{
    struct {
        TFadeButtonStyle style;
        bool enabled;
        bool grey;
    } cases[] = {
        {bsNormal, true, false}, {bsNormal, false, true}, {bsEncarta, false, true}, {bsShape, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.style) << c.enabled);
        FaceArgs a;
        a.W = 80;
        a.H = 24;
        a.Caption = "HHH";
        a.Style = c.style;
        a.Enabled = c.enabled;
        a.Color = clWhite;
        const int darkest = DarkestChannel(DrawFace(a), TRect(2, 2, 78, 22));
        if (c.grey) {
            EXPECT_GE(darkest, 128);
            EXPECT_LT(darkest, 150);
        } else
            EXPECT_LT(darkest, 100);
    }
}

TEST(FadeButtonFace, LongCaptionIsCutSoTheCentredGlyphStaysOnTheFace)
{
    auto strip = MakeStrip(1, 8, 8);
    FaceArgs a;
    a.W = 60;
    a.H = 20;
    a.Caption = QString(40, QChar('M'));
    a.Glyph = strip.get();
    a.NumGlyphs = 1;
    const QImage image = DrawFace(a);
    // The caption may take 60 - 8 - 12 = 40 pixels, so CW <= 44 and the glyph starts at x >= 4.
    int glyphLeft = -1;
    for (int x = 0; x < a.W && glyphLeft < 0; ++x)
        if (At(image, x, 10) == CellColors[0])
            glyphLeft = x;
    EXPECT_GE(glyphLeft, 4);
}

// The topmost row of r holding a caption pixel (a channel below 100), or -1.
int FirstDarkRow(const QImage& image, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        if (DarkestChannel(image, TRect(r.Left, y, r.Right, y + 1)) < 100)
            return y;
    return -1;
}

TEST(FadeButtonFace, GlyphWithoutCellsStillTakesItsHeightAbove)
{
    // No cell is drawn, but the glyph's height still pushes the caption below it.
    auto strip = MakeStrip(1, 8, 16);
    FaceArgs a;
    a.W = 60;
    a.H = 50;
    a.Caption = "HHH";
    a.Layout = blGlyphTop;
    a.Style = bsNormal;
    a.Color = clWhite;
    a.Glyph = strip.get();
    a.NumGlyphs = 0;
    const QImage image = DrawFace(a);

    QImage scratch(a.W, a.H, QImage::Format_RGB32);
    TCanvas measure(&scratch);
    TFont font;
    measure.Font->Assign(font);
    TRect r(0, 0, FadeButtonTextLimit(a.W, a.Layout, a.Style, 0), 0);
    measure.DrawText(a.Caption, r, DT_CALCRECT | DT_WORDBREAK);
    const TFadeButtonFaceLayout at =
        LayoutFadeButtonFace({a.W, a.H, a.Alignment, a.Layout, a.Style, false, 0, 0, 16, r.Height(), 0});
    const int top = FirstDarkRow(image, TRect(2, 2, a.W - 2, a.H - 2));
    ASSERT_GE(top, 0);
    EXPECT_GE(top, at.TextRect.Top);
    EXPECT_LT(top, at.TextRect.Bottom);
}

TEST(FadeButtonFace, ShapeCaptionLiesOverItsCentredGlyph)
{
    auto strip = MakeStrip(1, 16, 16);
    FaceArgs a;
    a.W = 80;
    a.H = 24;
    a.Caption = QString(12, QChar('M'));
    a.Style = bsShape;
    a.Glyph = strip.get();
    a.NumGlyphs = 1;
    const QImage image = DrawFace(a);
    // The glyph cell at ((80 - 16) div 2, (24 - 16) div 2): caption strokes show on it.
    const TRect cell(32, 4, 48, 20);
    int cellPixels = 0, captionPixels = 0; // the caption is black, the cell red
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x) {
            const TColor c = At(image, x, y);
            cellPixels += c == CellColors[0];
            captionPixels += std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 100;
        }
    EXPECT_GT(cellPixels, 0);
    EXPECT_GT(captionPixels, 0);
}

TEST(FadeButtonFace, TinyFaceWithCaptionAndGlyphDrawsWithoutTrouble)
{
    auto strip = MakeStrip(1, 8, 8);
    FaceArgs a;
    a.W = 10;
    a.H = 6;
    a.Caption = "Long caption";
    a.Glyph = strip.get();
    a.NumGlyphs = 1;
    for (TFadeButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
        a.Layout = layout;
        const QImage image = DrawFace(a);
        EXPECT_EQ(image.size(), QSize(10, 6));
        // The face is still drawn over all of it.
        for (int y = 0; y < a.H; ++y)
            for (int x = 0; x < a.W; ++x)
                EXPECT_NE(At(image, x, y), Background) << int(layout) << ": " << x << "," << y;
    }
    EXPECT_EQ(FadeButtonTextLimit(10, blGlyphLeft, bsNormal, 8), 0);
}

// ---- Layout -------------------------------------------------------------------------------------

struct LayoutCase {
    const char* name;
    TFadeButtonFaceGeometry in;
    TPoint glyph;
    TRect text;
    uint32_t format;
    int textLimit = -1; // TW when it is not the text rectangle's width
};

class FadeButtonLayouts : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(FadeButtonLayouts, GlyphAndCaptionPlaces)
{
    const LayoutCase& c = GetParam();
    const TFadeButtonFaceLayout out = LayoutFadeButtonFace(c.in);
    EXPECT_EQ(out.GlyphPos, c.glyph);
    EXPECT_EQ(out.TextRect, c.text);
    EXPECT_EQ(out.TextFormat, c.format);
    EXPECT_EQ(out.TextLimit, c.textLimit >= 0 ? c.textLimit : c.text.Width());
}

//                       W    H   alignment      layout         style     wrap  P  GW  GH  TH  CW
INSTANTIATE_TEST_SUITE_P(
    FadeButton, FadeButtonLayouts,
    ::testing::Values(LayoutCase{"stepButton",
                                 {170, 36, taLeftJustify, blGlyphLeft, bsEncarta, false, 0, 24, 24, 13, 60},
                                 {4, 6},
                                 {32, 11, 166, 24},
                                 DT_WORDBREAK},
                      LayoutCase{"stepButtonPressed",
                                 {170, 36, taLeftJustify, blGlyphLeft, bsNormal, false, 1, 24, 24, 13, 60},
                                 {5, 7},
                                 {33, 12, 167, 25},
                                 DT_WORDBREAK},
                      LayoutCase{"dialogCentred",
                                 {110, 28, taCenter, blGlyphLeft, bsEncarta, false, 0, 18, 18, 13, 30},
                                 {31, 5},
                                 {26, 7, 106, 20},
                                 DT_CENTER | DT_WORDBREAK},
                      LayoutCase{"centredWrapped",
                                 {110, 28, taCenter, blGlyphLeft, bsEncarta, true, 0, 18, 18, 13, 30},
                                 {4, 5},
                                 {26, 7, 106, 20},
                                 DT_CENTER | DT_WORDBREAK},
                      LayoutCase{"rightAligned",
                                 {110, 28, taRightJustify, blGlyphLeft, bsEncarta, false, 0, 18, 18, 13, 30},
                                 {58, 5},
                                 {26, 7, 106, 20},
                                 DT_RIGHT | DT_WORDBREAK},
                      LayoutCase{"glyphRightCentred",
                                 {110, 28, taCenter, blGlyphRight, bsEncarta, false, 0, 18, 18, 13, 30},
                                 {61, 5},
                                 {4, 7, 84, 20},
                                 DT_CENTER | DT_WORDBREAK},
                      LayoutCase{"glyphRightLeft",
                                 {110, 28, taLeftJustify, blGlyphRight, bsEncarta, false, 0, 18, 18, 13, 30},
                                 {34, 5},
                                 {4, 7, 84, 20},
                                 DT_WORDBREAK},
                      LayoutCase{"glyphRightRight",
                                 {110, 28, taRightJustify, blGlyphRight, bsEncarta, false, 0, 18, 18, 13, 30},
                                 {88, 5},
                                 {4, 7, 84, 20},
                                 DT_RIGHT | DT_WORDBREAK},
                      LayoutCase{"noGlyph",
                                 {110, 28, taCenter, blGlyphLeft, bsEncarta, false, 0, 0, 0, 13, 30},
                                 {40, 14},
                                 {4, 7, 106, 20},
                                 DT_CENTER | DT_WORDBREAK},
                      LayoutCase{"glyphTop",
                                 {60, 50, taCenter, blGlyphTop, bsNormal, false, 0, 18, 18, 13, 30},
                                 {21, 7},
                                 {4, 25, 56, 38},
                                 DT_CENTER | DT_WORDBREAK},
                      LayoutCase{"glyphBottomRight",
                                 {60, 50, taRightJustify, blGlyphBottom, bsNormal, false, 1, 18, 18, 13, 30},
                                 {39, 21},
                                 {5, 8, 57, 21},
                                 DT_RIGHT | DT_WORDBREAK},
                      LayoutCase{"glyphTopLeftNoGlyph",
                                 {60, 50, taLeftJustify, blGlyphTop, bsNormal, false, 0, 0, 0, 13, 30},
                                 {4, 18},
                                 {4, 18, 56, 31},
                                 DT_WORDBREAK},
                      LayoutCase{"shapeIgnoresLayout",
                                 {60, 30, taLeftJustify, blGlyphLeft, bsShape, false, 1, 18, 18, 13, 30},
                                 {21, 6},
                                 {1, 9, 60, 30},
                                 DT_CENTER | DT_WORDBREAK,
                                 52}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
