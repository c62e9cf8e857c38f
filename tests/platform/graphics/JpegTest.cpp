// The JPEG encoder: a decodable baseline file of the image's size and colours.
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/JpegImage.h"

#include <gtest/gtest.h>

TEST(JpegEncoder, WritesADecodableFileOfTheImage)
{
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    const QByteArray jpeg = EncodeJpegImage(red);
    ASSERT_GT(jpeg.size(), 4);
    EXPECT_TRUE(IsJpegData(jpeg));
    EXPECT_EQ(uint8_t(jpeg[jpeg.size() - 2]), 0xFF);
    EXPECT_EQ(uint8_t(jpeg[jpeg.size() - 1]), 0xD9);
    const QImage back = DecodeJpegImage(jpeg);
    ASSERT_EQ(back.size(), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QColor c = back.pixelColor(x, y);
            EXPECT_NEAR(c.red(), 255, 24);
            EXPECT_NEAR(c.green(), 0, 24);
            EXPECT_NEAR(c.blue(), 0, 24);
        }
}

TEST(JpegEncoder, TransparentPixelsLieOnWhiteAndEmptyImagesRaise)
{
    QImage clear(2, 2, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QImage back = DecodeJpegImage(EncodeJpegImage(clear));
    EXPECT_GE(back.pixelColor(0, 0).lightness(), 240);
    EXPECT_THROW(EncodeJpegImage(QImage()), EJPEGError);
}
