// Colour arithmetic, gradients, the styled selection piece, control parts and transparent bitmaps,
// read back pixel by pixel from image canvases.
#include "grid/base/DrawHelpers.h"

#include "PixelTestSupport.h"
#include "platform/graphics/ClassicDraw.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <string_view>

using pixeltest::Paper;
using pixeltest::Surface;

namespace
{

TColor Grey(int level)
{
    return RGB(uint8_t(level), uint8_t(level), uint8_t(level));
}

} // namespace

// ---- Colours ------------------------------------------------------------------------------------------

TEST(DrawHelpers, ColourArithmetic)
{
    EXPECT_EQ(HalveColor(0xFFFFFF), 0x7F7F7Fu);
    EXPECT_EQ(HalveColor(clBtnFace), HalveColor(ColorToRGB(clBtnFace))) << "system colours are resolved";
    EXPECT_EQ(ColorToHexRGB(0x0080FF), "FF8000");
    EXPECT_EQ(ColorToHexRGB(0x0A0B0C), "0C0B0A");

    struct Interp {
        TColor from, to;
        int min, max, position;
        TColor expected;
    };
    for (const Interp& c : {Interp{0, 0xFFFFFF, 0, 10, 5, 0x808080}, // 127.5 rounds to the even 128
                            Interp{0, 0xFFFFFF, 5, 5, 5, 0},         // no range: the from colour
                            Interp{0x102030, clNone, 0, 10, 5, 0x102030},
                            Interp{0x0000FF, 0x000000, 0, 4, 1, 0x0000BF}, // 255 - 63.75
                            Interp{0x000000, 0x0000FF, 0, 4, 4, 0x0000FF}})
        EXPECT_EQ(InterpolateColor(c.from, c.to, c.min, c.max, c.position), c.expected)
            << std::hex << c.from << " " << c.to << " " << std::dec << c.position;

    struct Bright {
        TColor color;
        int percent;
        TColor expected;
    };
    for (const Bright& c :
         {Bright{0x646464, -20, 0x505050}, Bright{0xFFFFFF, 7, 0xFFFFFF}, // kept at 255
          Bright{0x102030, 50, 0x183048}, Bright{0x0A0A0A, -200, 0x000000}, Bright{0xF0F0F0, 7, 0xFFFFFF},
          Bright{0x0F0F0F, 10, 0x101010}}) // 16.5 rounds to the even 16
        EXPECT_EQ(AdjustColorBrightness(c.color, c.percent), c.expected)
            << std::hex << c.color << " " << c.percent;
}

// ---- Gradients ----------------------------------------------------------------------------------------

TEST(DrawHelpers, GradientBandsAreLimitedToThePixelSpan)
{
    Surface s(10, 12);
    DrawGradient(s.canvas.get(), 0x000000, 0xFFFFFF, 16, TRect(0, 0, 10, 10), false);
    const int levels[] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(s.At(0, y), Grey(levels[y])) << "row " << y;
        EXPECT_EQ(s.At(9, y), Grey(levels[y])) << "row " << y;
    }
    EXPECT_EQ(s.At(0, 10), Paper);

    // Bottom above top is the same rectangle; left to right runs across the width.
    Surface flipped(10, 12), across(12, 4);
    DrawGradient(flipped.canvas.get(), 0x000000, 0xFFFFFF, 16, TRect(0, 10, 10, 0), false);
    EXPECT_EQ(flipped.image, s.image);
    DrawGradient(across.canvas.get(), 0x000000, 0xFFFFFF, 16, TRect(1, 0, 11, 4), true);
    for (int x = 1; x < 11; ++x)
        EXPECT_EQ(across.At(x, 2), Grey(levels[x - 1])) << "column " << x;
    EXPECT_EQ(across.At(0, 2), Paper);
    EXPECT_EQ(across.At(11, 2), Paper);
}

TEST(DrawHelpers, GradientWithoutOneColourIsSolidAndWithoutHeightNothing)
{
    struct Case {
        TColor from, to;
        TRect r;
        TColor expected; // at (3, 3)
    };
    for (const Case& c :
         {Case{clNone, 0x0000FF, TRect(0, 0, 8, 8), 0x0000FF},
          Case{0x00FF00, clNone, TRect(0, 0, 8, 8), 0x00FF00}, Case{clNone, clNone, TRect(0, 0, 8, 8), Paper},
          Case{0x000000, 0xFFFFFF, TRect(0, 3, 8, 3), Paper},
          Case{clBtnFace, clBtnFace, TRect(0, 0, 8, 8), ColorToRGB(clBtnFace)}}) {
        Surface s(8, 8);
        DrawGradient(s.canvas.get(), c.from, c.to, 64, c.r, false);
        EXPECT_EQ(s.At(3, 3), c.expected) << std::hex << c.from << " " << c.to;
        if (c.expected != Paper) {
            EXPECT_EQ(s.At(0, 0), c.expected);
            EXPECT_EQ(s.At(7, 7), c.expected);
        }
    }
}

TEST(DrawHelpers, GradientBandsStartAtRoundedPositions)
{
    // 4 bands over 10 pixels: size 9, bands 3 wide from 0, 2, 4 (4.5 rounds to even) and 7.
    Surface s(12, 3);
    DrawGradientBands(s.canvas.get(), 0x000000, 0x0000FF, true, TRect(0, 0, 10, 3), 4);
    const TColor expected[] = {0, 0, 64, 64, 128, 128, 128, 191, 191, 191};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(s.At(x, 1), expected[x]) << "column " << x;
    EXPECT_EQ(s.At(10, 1), Paper);

    // Rounding may carry the last band past the rectangle: it stays inside.
    Surface down(3, 14);
    DrawGradientBands(down.canvas.get(), 0x000000, 0x00FF00, false, TRect(0, 0, 3, 12), 2);
    EXPECT_EQ(down.At(1, 11), 0x008000u);
    EXPECT_EQ(down.At(1, 12), Paper);

    Surface zero(4, 4);
    DrawGradientBands(zero.canvas.get(), 0x000000, 0x0000FF, true, TRect(0, 0, 4, 4), 0);
    EXPECT_EQ(zero.At(3, 3), 0x000000u) << "0 steps are one band";
}

TEST(DrawHelpers, MirrorGradientFillsTwoHalvesAndFramesThem)
{
    const TColor border = 0x00AA00;
    Surface s(10, 20);
    DrawMirrorGradient(s.canvas.get(), TRect(0, 0, 10, 20), 0x000000, 0x0000FF, 0xFF0000, 0xFFFFFF, true,
                       border, false, true);
    EXPECT_EQ(s.At(5, 1), 0x00001Cu);  // first half: black towards red in 9 steps
    EXPECT_EQ(s.At(5, 9), 0x0000FFu);  // its last row
    EXPECT_EQ(s.At(5, 10), 0xFF0000u); // second half starts at the mirror colour
    EXPECT_EQ(s.At(5, 18), 0xFFE3E3u);
    for (TPoint p : {TPoint(5, 0), TPoint(5, 19), TPoint(0, 10), TPoint(9, 10)})
        EXPECT_EQ(s.At(p.X, p.Y), border) << p.X << "," << p.Y;

    // Solid: the fill reaches one row further down, and so does the frame.
    Surface solid(10, 14);
    DrawMirrorGradient(solid.canvas.get(), TRect(0, 0, 10, 10), 0x0000FF, clNone, clNone, clNone, true,
                       border, false, true);
    EXPECT_EQ(solid.At(5, 9), 0x0000FFu);
    EXPECT_EQ(solid.At(5, 10), border);
    EXPECT_EQ(solid.At(5, 11), Paper);

    // Side lines only, no fill.
    Surface sides(10, 6);
    DrawMirrorGradient(sides.canvas.get(), TRect(0, 0, 10, 6), 0x0000FF, clNone, clNone, clNone, false,
                       border, true, false);
    EXPECT_EQ(sides.At(0, 0), border);
    EXPECT_EQ(sides.At(9, 5), border);
    EXPECT_EQ(sides.At(5, 0), Paper);
    EXPECT_EQ(sides.At(5, 3), Paper);
}

// ---- Styled selection ---------------------------------------------------------------------------------

namespace
{

// The Vista focused colour set.
constexpr TColor SelColor = 0xFDF8F1, SelColorTo = 0xFCEFD5, SelBorder = 0xFDDE99, InnerTop = 0xFDFBF6,
                 InnerBottom = 0xFDF5E7, Adjacent = 0xFCEDCB, Background = 0xFFFFFF;
// The fill runs over rows 2..8 in 6 steps; row 5 is step 3 (-4.5 rounds to the even -4).
constexpr TColor FillRow5 = 0xFDF4E3;

Surface Selection(int piece)
{
    Surface s(20, 12);
    DrawStyledSelection(s.canvas.get(), SelColor, SelColorTo, clNone, clNone, InnerTop, InnerBottom,
                        SelBorder, Adjacent, Background, TRect(0, 0, 20, 12), piece);
    return s;
}

} // namespace

TEST(DrawHelpers, StyledSelectionRoundsOnlyTheEndsOfItsPiece)
{
    // Over (0, 0, 20, 12): L 0, T 0, R 19, B 10, middle row 5.
    struct Probe {
        int piece;
        int x, y;
        TColor expected;
        const char* what;
    };
    const Probe probes[] = {
        {0, 1, 0, Adjacent, "left corner"},
        {0, 0, 0, Background, "left corner point"},
        {0, 0, 9, Adjacent, "left lower corner"},
        {0, 0, 10, Background, "left lower corner point"},
        {0, 17, 0, Adjacent, "right corner"},
        {0, 18, 0, Background, "right corner point"},
        {0, 0, 5, SelBorder, "left side"},
        {0, 18, 5, SelBorder, "right side"},
        {0, 2, 0, SelBorder, "top border"},
        {0, 5, 1, InnerTop, "inner top line"},
        {0, 1, 3, InnerTop, "inner left line, upper half"},
        {0, 1, 7, InnerBottom, "inner left line, lower half"},
        {0, 5, 9, InnerBottom, "inner bottom line"},
        {0, 5, 2, SelColor, "fill top"},
        {0, 5, 8, SelColorTo, "fill bottom"},
        {0, 19, 5, Paper, "right column untouched"},
        {1, 1, 0, Adjacent, "left end: left corner"},
        {1, 18, 0, SelBorder, "left end: border runs to the right edge"},
        {1, 18, 5, FillRow5, "left end: filled to the right"},
        {2, 0, 0, SelBorder, "right end: border from the left edge"},
        {2, 18, 0, Background, "right end: right corner point"},
        {3, 0, 0, SelBorder, "middle: no corner point"},
        {3, 1, 0, SelBorder, "middle: no corner"},
        {3, 0, 1, InnerTop, "middle: inner top line to the edge"},
        {3, 0, 5, FillRow5, "middle: fill from x 0"},
        {3, 18, 5, FillRow5, "middle: fill to x 18"},
        {3, 19, 5, Paper, "middle: nothing at x 19"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(Selection(p.piece).At(p.x, p.y), p.expected)
            << "piece " << p.piece << ": " << p.what << std::hex << " got "
            << Selection(p.piece).At(p.x, p.y);
}

TEST(DrawHelpers, StyledSelectionWithAMirrorFillsTwoHalves)
{
    Surface s(20, 12);
    // Fill rows 2..8: the first half rows 2..4 from 0x000010 to 0x000030, the second 5..8 from blue to
    // 0xFF0040.
    DrawStyledSelection(s.canvas.get(), 0x000010, 0x000030, 0xFF0000, 0xFF0040, clNone, clNone, clNone,
                        clNone, clNone, TRect(0, 0, 20, 12), SelectionPieceMiddle);
    EXPECT_EQ(s.At(5, 2), 0x000010u);
    EXPECT_EQ(s.At(5, 4), 0x000030u);
    EXPECT_EQ(s.At(5, 5), 0xFF0000u);
    EXPECT_EQ(s.At(5, 8), 0xFF0040u);
    EXPECT_EQ(s.At(5, 0), Paper) << "no border colour, no border";
}

// ---- The same pixels on every surface ------------------------------------------------------------------

// Bands and selection pieces are written straight into 32-bit surfaces; a 24-bit surface takes them
// through QPainter one band after the other. Both give the same pixels, for any size, direction,
// origin and clip, on an image canvas and through a bound painter that moves its drawing.
TEST(DrawHelpers, GradientsAndSelectionsGiveTheSamePixelsDrawnDirectlyOrBandByBand)
{
    using Draw = std::function<void(TCanvas*, const TRect&)>;
    auto selection = [](int piece, TColor mirror) -> Draw {
        return [piece, mirror](TCanvas* c, const TRect& r) {
            DrawStyledSelection(c, SelColor, SelColorTo, mirror, mirror == clNone ? clNone : 0x4080C0,
                                InnerTop, InnerBottom, SelBorder, Adjacent, Background, r, piece);
        };
    };
    const std::pair<const char*, Draw> draws[] = {
        {"horizontal", [](TCanvas* c, const TRect& r) { DrawGradient(c, 0xFDF8F1, 0x20EFD5, 64, r, true); }},
        {"vertical", [](TCanvas* c, const TRect& r) { DrawGradient(c, 0x0000FF, 0xFF8000, 64, r, false); }},
        {"few steps", [](TCanvas* c, const TRect& r) { DrawGradient(c, 0x000000, 0xFFFFFF, 5, r, true); }},
        {"bands", [](TCanvas* c, const TRect& r) { DrawGradientBands(c, 0x102030, 0xF0E0D0, false, r, 16); }},
        {"mirror",
         [](TCanvas* c, const TRect& r) {
             DrawMirrorGradient(c, r, 0xFDF8F1, 0xFCEFD5, 0xF0D090, 0xC08040, true, 0x808080, false, true);
         }},
        {"selection single", selection(SelectionPieceSingle, clNone)},
        {"selection left", selection(SelectionPieceLeft, clNone)},
        {"selection right", selection(SelectionPieceRight, clNone)},
        {"selection middle", selection(SelectionPieceMiddle, clNone)},
        {"selection mirrored", selection(SelectionPieceSingle, 0xF0D090)},
    };
    const QRegion two = QRegion(0, 0, 12, 40) + QRegion(30, 5, 200, 6);
    const std::pair<const char*, std::function<void(TCanvas*)>> clips[] = {
        {"none", [](TCanvas*) {}},
        {"rectangle", [](TCanvas* c) { c->IntersectClipRect(TRect(10, 4, 40, 15)); }},
        {"two rectangles", [two](TCanvas* c) { c->SelectClipRgn(&two); }},
    };
    const std::pair<int, int> sizes[] = {{64, 24}, {7, 5}, {1, 30}, {130, 3}, {20, 12}, {3, 1}};

    // One drawing on a surface of the format, by an image canvas or a bound painter.
    auto render = [](QImage::Format format, bool bound, const Draw& draw,
                     const std::function<void(TCanvas*)>& clip, TPoint origin, const TRect& r) {
        QImage image(150, 40, format);
        image.fill(ColorToQColor(Paper));
        auto paint = [&](TCanvas& c) {
            clip(&c);
            c.SetWindowOrg(-origin.X, -origin.Y);
            draw(&c, r);
        };
        if (bound) {
            QPainter p(&image);
            p.translate(2, 1);
            TCanvas c;
            TCanvasPainterBinding binding(c, p);
            paint(c);
        } else {
            TCanvas c(&image);
            paint(c);
        }
        return image.convertToFormat(QImage::Format_RGB32);
    };
    for (const auto& [drawName, draw] : draws)
        for (const auto& [clipName, clip] : clips)
            for (const auto& [w, h] : sizes)
                for (TPoint origin : {TPoint(0, 0), TPoint(5, 3)})
                    for (bool bound : {false, true}) {
                        const TRect r = Bounds(3, 2, w, h);
                        const QImage direct = render(QImage::Format_RGB32, bound, draw, clip, origin, r);
                        const QImage bands = render(QImage::Format_RGB888, bound, draw, clip, origin, r);
                        ASSERT_EQ(direct, bands)
                            << drawName << ", clip " << clipName << ", " << w << " x " << h << ", origin "
                            << origin.X << "," << origin.Y << (bound ? ", bound painter" : ", image canvas");
                        if (std::string_view(clipName) == "none" && w >= 7)
                            ASSERT_NE(direct, render(
                                                  QImage::Format_RGB32, bound, [](TCanvas*, const TRect&) {},
                                                  clip, origin, r))
                                << drawName << ", " << w << " x " << h << ": something is drawn";
                    }
}

// ---- Control parts ------------------------------------------------------------------------------------

namespace
{

TColorTones Tones()
{
    TColorTones t;
    t.Background = {0x202020, 0x303030, 0x0000AA};
    t.Hover = {0x00FF00, 0x00AA00, 0x000000};
    t.Selected = {0xFF0000, 0xAA0000, 0x000000};
    t.Disabled = {0x808080, 0x606060, 0x000000};
    return t;
}

using PartPainter = void (*)(TCanvas*, HWND, const TRect&, int, int, const TColorTones&);

QImage Part(PartPainter paint, int look, int state)
{
    Surface s(60, 20);
    paint(s.canvas.get(), 0, TRect(0, 0, 60, 20), look, state, Tones());
    return s.image;
}

} // namespace

TEST(DrawHelpers, ColouredComboButtonTakesTheToneOfItsState)
{
    // Button (41, 1, 58, 19), its left moved to 44: line at x 45, triangle (49,9) (55,9) (52,12).
    struct Case {
        int state;
        TColor face;
    };
    for (const Case& c : {Case{PartStateNormal, 0x202020}, Case{PartStateHot, 0x00FF00},
                          Case{PartStatePressed, 0xFF0000}, Case{PartStateDisabled, 0x808080}}) {
        Surface s(60, 20);
        DrawComboButton(s.canvas.get(), 0, TRect(0, 0, 60, 20), PartLookColored, c.state, Tones());
        EXPECT_EQ(s.At(56, 3), c.face) << c.state;
        EXPECT_EQ(s.At(44, 18), c.face) << c.state;
        EXPECT_EQ(s.At(43, 10), Paper) << c.state;
        EXPECT_EQ(s.At(58, 10), Paper) << c.state;
        EXPECT_EQ(s.At(45, 10), 0x303030u) << "line in the background border colour";
        EXPECT_EQ(s.At(44 + 8, 1 + 9), 0x0000AAu) << "triangle in the background text colour";
    }
}

TEST(DrawHelpers, ColouredSpinButtonsAndFacesFillTheirRectangles)
{
    // Spin rectangle (24, -1, 39, 19), middle row 9: up (24,-1,39,9), down (24,10,39,19).
    Surface s(60, 20);
    DrawSpinButtons(s.canvas.get(), 0, TRect(0, 0, 40, 20), PartLookColored, PartStateHot, Tones());
    EXPECT_EQ(s.At(25, 1), 0x00FF00u);
    EXPECT_EQ(s.At(25, 12), 0x00FF00u);
    EXPECT_EQ(s.At(25, 9), Paper) << "the middle row divides the buttons";
    EXPECT_EQ(s.At(39, 5), Paper);
    EXPECT_EQ(s.At(24 + 7, 3), 0x000000u) << "up arrow";
    EXPECT_EQ(s.At(24 + 7, 12), 0x000000u) << "down arrow";

    Surface face(20, 10);
    DrawButtonFace(face.canvas.get(), 0, TRect(2, 2, 12, 8), PartLookColored, PartStatePressed, Tones());
    EXPECT_EQ(face.At(2, 2), 0xAA0000u);
    EXPECT_EQ(face.At(5, 5), 0xFF0000u);
    EXPECT_EQ(face.At(12, 5), Paper);
}

TEST(DrawHelpers, ClassicAndFlatPartsAreFrameControlsAtTheirPlace)
{
    struct Case {
        PartPainter paint;
        int look, state;
        std::vector<std::tuple<TRect, uint32_t, uint32_t>> frames; // rect, kind, flags
    };
    const Case cases[] = {
        {&DrawButtonFace, PartLookClassic, PartStateHot, {{TRect(0, 0, 60, 20), DFC_BUTTON, 0x1010}}},
        {&DrawButtonFace, PartLookFlat, PartStatePressed, {{TRect(0, 0, 60, 20), DFC_BUTTON, 0x4210}}},
        {&DrawButtonFace, PartLookClassic, PartStateDisabled, {{TRect(0, 0, 60, 20), DFC_BUTTON, 0x110}}},
        {&DrawComboButton, PartLookClassic, PartStateNormal, {{TRect(41, 1, 58, 19), DFC_SCROLL, 0x5}}},
        {&DrawComboButton, PartLookFlat, PartStateDisabled, {{TRect(41, 1, 58, 19), DFC_SCROLL, 0x4105}}},
        {&DrawSpinButtons,
         PartLookClassic,
         PartStateDisabled,
         {{TRect(44, -1, 59, 9), DFC_SCROLL, 0x100}, {TRect(44, 10, 59, 19), DFC_SCROLL, 0x101}}},
        {&DrawSpinButtons,
         PartLookFlat,
         PartStateNormal,
         {{TRect(44, -1, 59, 9), DFC_SCROLL, 0x4000}, {TRect(44, 10, 59, 19), DFC_SCROLL, 0x4001}}},
    };
    for (const Case& c : cases) {
        Surface expected(60, 20);
        for (const auto& [r, kind, flags] : c.frames)
            DrawFrameControl(expected.canvas.get(), r, kind, flags);
        EXPECT_EQ(Part(c.paint, c.look, c.state), expected.image)
            << "look " << c.look << " state " << c.state;
    }
}

TEST(DrawHelpers, ThemedPartsDrawTheClassicLookWithoutThemesAndUnknownLooksNothing)
{
    Surface blank(60, 20);
    for (PartPainter paint : {&DrawButtonFace, &DrawComboButton, &DrawSpinButtons}) {
        for (int state = PartStateNormal; state <= PartStateDisabled; ++state)
            EXPECT_EQ(Part(paint, PartLookThemed, state), Part(paint, PartLookClassic, state)) << state;
        EXPECT_NE(Part(paint, PartLookClassic, PartStateNormal), blank.image);
        EXPECT_EQ(Part(paint, 4, PartStateNormal), blank.image);
        EXPECT_EQ(Part(paint, -1, PartStateNormal), blank.image);
    }
}

TEST(DrawHelpers, DropTrianglePointsDown)
{
    Surface s(12, 8);
    DrawDropTriangle(s.canvas.get(), 6, 2, 0x0000FF);
    EXPECT_EQ(s.At(6, 2), 0x0000FFu);
    EXPECT_EQ(s.At(4, 2), 0x0000FFu);
    EXPECT_EQ(s.At(6, 4), 0x0000FFu);
    EXPECT_EQ(s.At(6, 1), Paper);
    EXPECT_EQ(s.At(6, 6), Paper);
    EXPECT_EQ(s.At(2, 4), Paper);
}

// ---- Bitmaps ------------------------------------------------------------------------------------------

TEST(DrawHelpers, TransparentBitmapKeysOnItsTopLeftPixel)
{
    // 3 x 2: the key green at (0, 0) and (2, 1); red and blue elsewhere.
    QImage pic(3, 2, QImage::Format_RGB32);
    pic.fill(Qt::red);
    pic.setPixelColor(0, 0, Qt::green);
    pic.setPixelColor(2, 1, Qt::green);
    pic.setPixelColor(1, 1, Qt::blue);
    TBitmap bitmap;
    bitmap.Assign(pic);

    Surface s(10, 10);
    DrawTransparentBitmap(s.canvas.get(), &bitmap, 0x00FFFF, TRect(4, 5, 10, 10));
    EXPECT_EQ(s.At(4, 5), 0x00FFFFu);
    EXPECT_EQ(s.At(6, 6), 0x00FFFFu);
    EXPECT_EQ(s.At(5, 5), 0x0000FFu);
    EXPECT_EQ(s.At(5, 6), 0xFF0000u);
    EXPECT_EQ(s.At(7, 5), Paper) << "drawn in its own size";
    EXPECT_EQ(s.At(4, 7), Paper);

    Surface none(10, 10);
    DrawTransparentBitmap(none.canvas.get(), &bitmap, clNone, TRect(0, 0, 3, 2));
    EXPECT_EQ(none.At(0, 0), Paper) << "no background colour: the key pixels are left out";
    EXPECT_EQ(none.At(1, 0), 0x0000FFu);
}

TEST(DrawHelpers, ResourceBitmapNeedsAKnownName)
{
    Surface s(10, 10);
    DrawResourceBitmap(s.canvas.get(), 0x00FFFF, TRect(0, 0, 10, 10), "LBARROW");
    EXPECT_NE(s.image, Surface(10, 10).image);
    EXPECT_EQ(s.At(7, 7), Paper);
    try {
        DrawResourceBitmap(s.canvas.get(), 0x00FFFF, TRect(0, 0, 10, 10), "NOPE");
        FAIL() << "an unknown resource drew";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, "Resource NOPE not found");
    }
}
