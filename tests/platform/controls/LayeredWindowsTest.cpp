// Layered top-level windows: window opacity, a colour key, and a window showing a given image.
#include "platform/controls/LayeredWindows.h"

#include "common/FormTestSupport.h"

#include <gtest/gtest.h>

using formtest::Pump;

namespace
{

// A shown frameless top-level window.
struct TopLevel {
    TCustomControl control{nullptr};
    TopLevel()
    {
        control.Widget()->setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
        control.SetColor(clWhite);
        control.SetBounds(40, 40, 30, 20);
        control.Widget()->show();
        Pump();
    }
};

TColor GrabPixel(QWidget* w, int x, int y)
{
    return QColorToColor(w->grab().toImage().pixelColor(x, y));
}

QImage Filled(int w, int h, QColor color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, format);
    image.fill(color);
    return image;
}

} // namespace

TEST(LayeredWindows, AttributesSetTheWindowOpacityAndKeyOutAColour)
{
    TopLevel t;
    QWidget* w = t.control.Widget();
    EXPECT_TRUE(SetLayeredWindowAttributes(t.control.Handle(), 0, 128, LWA_ALPHA));
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 128 / 255.0);

    // The flags replace what was set: the key alone makes the window opaque again and cuts the
    // white face out of the window's shape, leaving the red child.
    auto* child = new TCustomControl(&t.control);
    child->SetParent(&t.control);
    child->SetColor(clRed);
    child->SetBounds(10, 5, 10, 10);
    EXPECT_TRUE(SetLayeredWindowAttributes(t.control.Handle(), clWhite, 0, LWA_COLORKEY));
    Pump();
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
    EXPECT_FALSE(w->mask().contains(QPoint(5, 5)));
    EXPECT_TRUE(w->mask().contains(QPoint(12, 7)));

    // The shape follows the content.
    child->SetColor(clWhite);
    Pump();
    EXPECT_FALSE(w->mask().contains(QPoint(12, 7)));
    child->SetColor(clBlue);
    Pump();
    EXPECT_TRUE(w->mask().contains(QPoint(12, 7)));

    EXPECT_TRUE(SetLayeredWindowAttributes(t.control.Handle(), clWhite, 255, 0));
    EXPECT_TRUE(w->mask().isEmpty());
}

TEST(LayeredWindows, UpdateShowsTheSourceImageAtTheGivenPlaceAndSize)
{
    TopLevel t;
    QWidget* w = t.control.Widget();
    // A 12 x 12 source: red, its top-left 10 x 10 taken; a half-transparent blue column beyond.
    QImage source = Filled(12, 12, Qt::red, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 12; ++y)
        source.setPixel(11, y, qRgba(0, 0, 128, 128));
    TCanvas src(&source);
    const TPoint to(70, 80), from(0, 0);
    const TSize size{10, 10};
    BLENDFUNCTION blend;
    EXPECT_TRUE(
        UpdateLayeredWindow(t.control.Handle(), nullptr, &to, &size, &src, &from, 0, &blend, ULW_ALPHA));
    Pump();
    EXPECT_EQ(w->pos(), QPoint(70, 80));
    EXPECT_EQ(w->size(), QSize(10, 10));
    EXPECT_EQ(GrabPixel(w, 5, 5), clRed);

    // The source area moved onto the blue column, with half the constant alpha.
    const TPoint column(2, 0);
    blend.SourceConstantAlpha = 128;
    EXPECT_TRUE(UpdateLayeredWindow(t.control.Handle(), nullptr, nullptr, nullptr, &src, &column, 0, &blend,
                                    ULW_ALPHA));
    const QImage shown = w->grab().toImage();
    EXPECT_EQ(qAlpha(shown.pixel(9, 3)), 64);
    EXPECT_EQ(qAlpha(shown.pixel(2, 3)), 128);
}

TEST(LayeredWindows, OnlyTopLevelWindowsOfTheLayerCanBeLayered)
{
    TopLevel t;
    auto* child = new TCustomControl(&t.control);
    child->SetParent(&t.control);
    QImage red = Filled(10, 10, Qt::red);
    TCanvas src(&red);
    const TSize size{10, 10};
    for (HWND h : {HWND(0), HWND(0x7FFFFFF0), child->Handle()}) {
        EXPECT_FALSE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA)) << h;
        EXPECT_FALSE(UpdateLayeredWindow(h, nullptr, nullptr, &size, &src, nullptr, 0, nullptr, ULW_OPAQUE))
            << h;
    }
}
