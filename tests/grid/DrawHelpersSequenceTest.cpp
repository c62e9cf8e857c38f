// Gradients and selection pieces drawn one after another, as a page of cells draws them: each call
// draws its own fills only, whatever the call before it drew, and on a bound painter whose clip or
// transform changed in between.
#include "grid/base/DrawHelpers.h"

#include "PixelTestSupport.h"

#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

using pixeltest::Paper;
using pixeltest::Surface;

namespace
{

// The pixels of one call alone on a fresh surface of the same size.
QImage Alone(int w, int h, const std::function<void(TCanvas*)>& draw)
{
    Surface s(w, h);
    draw(s.canvas.get());
    return s.image;
}

void BigSelection(TCanvas* c)
{
    DrawStyledSelection(c, 0xFDF8F1, 0xFCEFD5, 0xF0D090, 0xC08040, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB,
                        0xFFFFFF, TRect(0, 0, 60, 40), SelectionPieceSingle);
}

} // namespace

TEST(DrawHelpersSequence, ACallAfterALargerOneDrawsOnlyItsOwnFills)
{
    const std::pair<const char*, std::function<void(TCanvas*)>> seconds[] = {
        {"gradient", [](TCanvas* c) { DrawGradient(c, 0x0000FF, 0x00FF00, 4, TRect(70, 5, 75, 9), false); }},
        {"bands", [](TCanvas* c) { DrawGradientBands(c, 0x102030, 0xF0E0D0, true, TRect(70, 5, 76, 8), 3); }},
        {"selection",
         [](TCanvas* c) {
             DrawStyledSelection(c, 0x0000FF, clNone, clNone, clNone, clNone, clNone, clNone, clNone, clNone,
                                 TRect(70, 5, 76, 10), SelectionPieceMiddle);
         }},
        {"nothing visible",
         [](TCanvas* c) { DrawGradient(c, clNone, clNone, 16, TRect(70, 5, 75, 9), false); }},
    };
    for (const auto& [name, second] : seconds) {
        SCOPED_TRACE(name);
        Surface s(80, 40);
        BigSelection(s.canvas.get());
        const QImage first = s.image;
        second(s.canvas.get());
        // The second call's own pixels over the first's.
        QImage expected = first;
        const QImage own = Alone(80, 40, second);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 80; ++x)
                if (own.pixel(x, y) != ColorToQColor(Paper).rgb())
                    expected.setPixel(x, y, own.pixel(x, y));
        EXPECT_EQ(s.image, expected);
    }
}

// One binding, the canvas's clip and origin changed between calls: every call lands where the state
// at its time puts it.
TEST(DrawHelpersSequence, BoundPainterStateChangedBetweenCallsIsFollowed)
{
    auto cell = [](TCanvas* c, int x) {
        DrawGradient(c, 0x000080, 0x0000FF, 8, TRect(x, 0, x + 10, 8), false);
    };
    QImage image(80, 30, QImage::Format_RGB32);
    image.fill(ColorToQColor(Paper));
    {
        QPainter p(&image);
        TCanvas c;
        TCanvasPainterBinding binding(c, p);
        cell(&c, 0);
        c.SetWindowOrg(0, -10);
        cell(&c, 10);
        c.IntersectClipRect(TRect(20, 0, 25, 30));
        cell(&c, 20);
        c.SelectClipRgn(nullptr);
        c.SetWindowOrg(-5, -10);
        cell(&c, 30);
    }
    QImage expected(80, 30, QImage::Format_RGB32);
    expected.fill(ColorToQColor(Paper));
    {
        TCanvas c(&expected);
        cell(&c, 0);
        c.SetWindowOrg(0, -10);
        cell(&c, 10);
        c.IntersectClipRect(TRect(20, 0, 25, 30));
        cell(&c, 20);
        c.SelectClipRgn(nullptr);
        c.SetWindowOrg(-5, -10);
        cell(&c, 30);
    }
    EXPECT_EQ(image, expected);
}
