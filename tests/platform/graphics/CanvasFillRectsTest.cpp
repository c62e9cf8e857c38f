// Several solid fills in one drawing call: order, origin and clip, and the untouched pen and brush.
#include "platform/graphics/Canvas.h"

#include <gtest/gtest.h>

TEST(CanvasFillRects, LaterFillsCoverEarlierOnesWithinOriginAndClip)
{
    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.Pen->Color = 0x00AA00;
    canvas.Brush->Color = 0xAA0000;
    canvas.SetWindowOrg(-1, 0); // logical x 0 is drawn at device x 1
    canvas.IntersectClipRect(TRect(0, 0, 9, 8));
    canvas.FillRects({{TRect(0, 0, 6, 4), 0x0000FF},
                      {TRect(3, 2, 20, 6), 0x00FF00},
                      {TRect(0, 6, 4, 8), clNone},
                      {TRect(5, 7, 2, 8), 0xFF0000}}); // empty: right before left
    auto at = [&](int x, int y) { return QColorToColor(QColor::fromRgb(image.pixel(x, y))); };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(1, 0), 0x0000FFu);
    EXPECT_EQ(at(6, 1), 0x0000FFu);
    EXPECT_EQ(at(7, 1), 0xFFFFFFu);
    EXPECT_EQ(at(4, 2), 0x00FF00u) << "the later fill covers the earlier one";
    EXPECT_EQ(at(9, 4), 0x00FF00u);
    EXPECT_EQ(at(10, 4), 0xFFFFFFu) << "clipped";
    EXPECT_EQ(at(2, 7), 0xFFFFFFu) << "clNone draws nothing";
    EXPECT_EQ(at(4, 7), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pen->Color.get(), 0x00AA00u);
    EXPECT_EQ(canvas.Brush->Color.get(), 0xAA0000u);
}
