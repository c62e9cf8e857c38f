// Bitmaps (scan-line layout, transparent drawing, BMP files), pictures of every readable format,
// the named glyphs, and the classic frame controls.
#include "platform/graphics/Graphics.h"
#include "common/TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

TColor At(const QImage& image, int x, int y)
{
    return QColorToColor(QColor::fromRgb(image.pixel(x, y)));
}

QImage WhiteImage(int w = 10, int h = 10)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

// ---- Fonts, pens, brushes ------------------------------------------------------------------------------

TEST(Graphics, FontSizeAndHeightFollowEachOther)
{
    struct Case {
        bool setSize;
        int value;
        int size, height;
    };
    const Case cases[] = {
        {true, 8, 8, -11},     {true, 10, 10, -13},  {true, 12, 12, -16},  {true, 9, 9, -12},
        {false, -16, 12, -16}, {false, -11, 8, -11}, {false, 20, -15, 20},
    };
    for (const Case& k : cases) {
        TFont font;
        if (k.setSize)
            font.Size = k.value;
        else
            font.Height = k.value;
        EXPECT_EQ(font.Size, k.size) << k.setSize << " " << k.value;
        EXPECT_EQ(font.Height, k.height) << k.setSize << " " << k.value;
    }
}

TEST(Graphics, FontChangesNotifyOnceAndBecomeTheQtFont)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](TGraphicsObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    font.Color = clRed;
    font.Color = clRed; // same value: no change
    font.Style = font.Style | fsBold;
    font.Style |= fsUnderline;
    EXPECT_EQ(changes, 3);

    TFont other;
    other.Name = "DejaVu Serif";
    other.Height = -20;
    other.Style = fsItalic | fsStrikeOut;
    font.Assign(other);
    EXPECT_EQ(changes, 4) << "Assign notifies once";
    EXPECT_EQ(font.Name, QString("DejaVu Serif"));
    EXPECT_EQ(font.Size, 15);

    const QFont q = font.ToQFont();
    EXPECT_EQ(q.pixelSize(), 20);
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.strikeOut());
    EXPECT_FALSE(q.bold());
    EXPECT_FALSE(q.kerning());

    TPen pen;
    pen.Color = clBlue;
    pen.Mode = pmXor;
    TPen copy;
    copy.Assign(pen);
    EXPECT_EQ(copy.Color, clBlue);
    EXPECT_EQ(copy.Mode, pmXor);
}

// ---- Bitmaps ---------------------------------------------------------------------------------------------

TEST(Graphics, BitmapScanLinesUseTheWindowSystemsByteOrder)
{
    struct Case {
        TPixelFormat format;
        int bytesPerPixel;
    };
    for (const Case& k : {Case{pf24bit, 3}, Case{pf32bit, 4}}) {
        TBitmap bmp(5, 3, k.format);
        EXPECT_GE(bmp.BytesPerScanLine(), 5 * k.bytesPerPixel);
        bmp.Canvas->Pixels(2, 1) = RGB(10, 20, 30);
        const uint8_t* row = bmp.ScanLine(1);
        EXPECT_EQ(row[2 * k.bytesPerPixel + 0], 30) << "blue first";
        EXPECT_EQ(row[2 * k.bytesPerPixel + 1], 20);
        EXPECT_EQ(row[2 * k.bytesPerPixel + 2], 10);

        uint8_t* top = bmp.ScanLine(0);
        top[0] = 0x40;
        top[1] = 0x80;
        top[2] = 0xC0; // B, G, R of (0, 0)
        EXPECT_EQ(TColor(bmp.Canvas->Pixels(0, 0)), RGB(0xC0, 0x80, 0x40)) << "row 0 is the top row";
        EXPECT_THROW(bmp.ScanLine(3), EInvalidGraphicOperation);
        EXPECT_THROW(bmp.ScanLine(-1), EInvalidGraphicOperation);
    }
}

TEST(Graphics, BitmapResizeKeepsPixelsAndCanvas)
{
    TBitmap bmp(4, 4, pf24bit);
    TCanvas* canvas = bmp.Canvas;
    canvas->Pixels(3, 3) = clRed;
    bmp.SetSize(8, 6);
    EXPECT_EQ(bmp.Width(), 8);
    EXPECT_EQ(bmp.Height(), 6);
    EXPECT_EQ(TColor(canvas->Pixels(3, 3)), clRed);
    EXPECT_EQ(TColor(canvas->Pixels(7, 5)), clWhite);
    bmp.Canvas->Pixels(7, 5) = clBlue;
    EXPECT_EQ(TColor(bmp.Canvas->Pixels(7, 5)), clBlue) << "the canvas draws into the resized image";
    bmp.SetPixelFormat(pf32bit);
    EXPECT_EQ(TColor(bmp.Canvas->Pixels(3, 3)), clRed);
    EXPECT_EQ(bmp.ScanLine(3)[3 * 4 + 2], 255);
}

TEST(Graphics, TransparentBitmapIsDrawnKeyedOnItsColour)
{
    struct Case {
        bool transparent;
        TColor fixedKey;
        TColor cornerAfter;
        TColor centreAfter;
    };
    const Case cases[] = {
        {false, clNone, clOlive, clRed}, // opaque: everything is copied
        {true, clNone, clWhite, clRed},  // bottom-left colour (olive) is the key
        {true, clRed, clOlive, clWhite}, // a set key replaces the bottom-left rule
    };
    for (const Case& k : cases) {
        TBitmap glyph(4, 4);
        glyph.Canvas->Brush->Color = clOlive;
        glyph.Canvas->FillRect(TRect(0, 0, 4, 4));
        glyph.Canvas->Brush->Color = clRed;
        glyph.Canvas->FillRect(TRect(1, 1, 3, 3));
        glyph.SetTransparent(k.transparent);
        if (k.fixedKey != clNone)
            glyph.SetTransparentColor(k.fixedKey);
        EXPECT_EQ(glyph.TransparentColor(), k.fixedKey == clNone ? clOlive : k.fixedKey);

        QImage image = WhiteImage();
        TCanvas c(&image);
        c.Draw(2, 2, &glyph);
        EXPECT_EQ(At(image, 2, 2), k.cornerAfter) << k.transparent << " " << k.fixedKey;
        EXPECT_EQ(At(image, 3, 3), k.centreAfter) << k.transparent << " " << k.fixedKey;
        EXPECT_EQ(At(image, 6, 6), clWhite);
    }
}

TEST(Graphics, BitmapAlphaIsBlendedOnlyWhenDefined)
{
    struct Case {
        TAlphaFormat alpha;
        TColor clearPixelAfter;
    };
    for (const Case& k : {Case{afIgnored, clBlue}, Case{afDefined, clWhite}}) {
        TBitmap bmp(2, 1, pf32bit);
        uint8_t* row = bmp.ScanLine(0);
        const uint8_t pixels[8] = {255, 0, 0, 0, 255, 0, 0, 255}; // blue with alpha 0, blue with alpha 255
        std::copy(pixels, pixels + 8, row);
        bmp.SetAlphaFormat(k.alpha);
        EXPECT_EQ(bmp.ScanLine(0)[3], 0) << "changing the alpha format keeps the bytes";
        QImage image = WhiteImage();
        TCanvas c(&image);
        c.Draw(0, 0, &bmp);
        EXPECT_EQ(At(image, 0, 0), k.clearPixelAfter) << k.alpha;
        EXPECT_EQ(At(image, 1, 0), clBlue) << k.alpha;
    }
}

TEST(Graphics, StretchDrawScalesIntoTheRectangle)
{
    TBitmap bmp(2, 2);
    bmp.Canvas->Brush->Color = clBlue;
    bmp.Canvas->FillRect(TRect(0, 0, 2, 2));
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.StretchDraw(TRect(1, 1, 9, 5), &bmp);
    EXPECT_EQ(At(image, 1, 1), clBlue);
    EXPECT_EQ(At(image, 8, 4), clBlue);
    EXPECT_EQ(At(image, 9, 4), clWhite);
    EXPECT_EQ(At(image, 8, 5), clWhite);
}

TEST(Graphics, BmpFilesRoundTrip)
{
    TempDir dir;
    struct Case {
        TPixelFormat format;
        int bits;
    };
    for (const Case& k : {Case{pf24bit, 24}, Case{pf32bit, 32}}) {
        TBitmap bmp(5, 3, k.format);
        bmp.Canvas->Pixels(0, 0) = clRed;
        bmp.Canvas->Pixels(4, 2) = RGB(1, 2, 3);
        const QString path = dir.file(QString("b%1.bmp").arg(k.bits));
        bmp.SaveToFile(path);

        const QByteArray bytes = readBytes(path);
        const int stride = ((5 * k.bits / 8) + 3) & ~3;
        ASSERT_EQ(bytes.size(), 54 + 3 * stride);
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(uint8_t(bytes[28]), k.bits);
        // Rows are stored bottom-up: (4, 2) is in the first stored row.
        EXPECT_EQ(uint8_t(bytes[54 + 4 * k.bits / 8]), 3);
        EXPECT_EQ(uint8_t(bytes[54 + 4 * k.bits / 8 + 2]), 1);

        TBitmap back;
        back.LoadFromFile(path);
        EXPECT_EQ(back.Width(), 5);
        EXPECT_EQ(back.Height(), 3);
        EXPECT_EQ(TColor(back.Canvas->Pixels(0, 0)), clRed);
        EXPECT_EQ(TColor(back.Canvas->Pixels(4, 2)), RGB(1, 2, 3));
        EXPECT_EQ(TColor(back.Canvas->Pixels(2, 1)), clWhite);
    }
}

TEST(Graphics, PicturesOfEveryReadableFormatLoad)
{
    TempDir dir;
    QImage source(6, 4, QImage::Format_RGB32);
    source.fill(QColor(0, 0, 255));
    struct Case {
        const char* ext;
        const char* format;
    };
    for (const Case& k : {Case{"png", "png"}, Case{"bmp", "bmp"}, Case{"jpg", "jpeg"}, Case{"ico", "ico"}}) {
        const QString path = dir.file(QString("p.") + k.ext);
        ASSERT_TRUE(source.save(path, k.format)) << k.ext;
        TPicture picture;
        picture.LoadFromFile(path);
        EXPECT_EQ(picture.Width(), 6) << k.ext;
        EXPECT_EQ(picture.Height(), 4) << k.ext;
        EXPECT_EQ(picture.Format(), k.format);
        ASSERT_NE(picture.Graphic(), nullptr);
        const TColor c = picture.Bitmap()->Canvas->Pixels(1, 1);
        EXPECT_GT(GetBValue(c), 200) << k.ext;
        EXPECT_LT(GetRValue(c), 50) << k.ext;
    }
    // A 1 x 1 GIF (white), written out byte by byte: Qt reads GIF but does not write it.
    const QByteArray gif = QByteArray::fromHex("474946383961010001008000"
                                               "00ffffff000000"
                                               "2c00000000010001000002024401003b");
    writeBytes(dir.file("p.gif"), gif);
    TPicture picture;
    picture.LoadFromFile(dir.file("p.gif"));
    EXPECT_EQ(picture.Format(), "gif");
    EXPECT_EQ(picture.Width(), 1);
    EXPECT_EQ(TColor(picture.Bitmap()->Canvas->Pixels(0, 0)), clWhite);
}

TEST(Graphics, UnreadablePicturesRaiseNamingTheFile)
{
    TempDir dir;
    const QString missing = dir.file("missing.bmp");
    TPicture picture;
    try {
        picture.LoadFromFile(missing);
        FAIL() << "no error for a missing file";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(missing)) << e.Message.toStdString();
    }
    const QString junk = dir.file("junk.png");
    writeBytes(junk, "not a picture at all");
    try {
        picture.LoadFromFile(junk);
        FAIL() << "no error for junk";
    } catch (const EInvalidGraphic& e) {
        EXPECT_TRUE(e.Message.contains(junk)) << e.Message.toStdString();
    }
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Graphic(), nullptr);
}

// ---- Named images
// -------------------------------------------------------------------------------------------

TEST(Graphics, PushButtonGlyphsHaveTwoCells)
{
    struct Case {
        const char* name;
        int width, height;
    };
    const Case cases[] = {
        {"LBOK", 36, 18},     {"LBCANCEL", 36, 18}, {"LBHELP", 36, 18},  {"LBYES", 36, 18},
        {"LBNO", 36, 18},     {"LBCLOSE", 36, 18},  {"LBABORT", 36, 18}, {"LBRETRY", 36, 18},
        {"LBIGNORE", 36, 18}, {"LBALL", 36, 19},    {"LBARROW", 5, 3},
    };
    for (const Case& k : cases) {
        TBitmap bmp;
        bmp.LoadFromResourceName(k.name);
        ASSERT_EQ(bmp.Width(), k.width) << k.name;
        ASSERT_EQ(bmp.Height(), k.height) << k.name;
        const TColor key = bmp.TransparentColor();
        int normal = 0, disabled = 0;
        bool cellsDiffer = false;
        for (int y = 0; y < k.height; ++y)
            for (int x = 0; x < k.width; ++x) {
                const TColor c = bmp.Canvas->Pixels(x, y);
                if (c == key)
                    continue;
                (x < k.width / 2 || k.width < 36 ? normal : disabled)++;
                if (k.width == 36 && x < 18 && TColor(bmp.Canvas->Pixels(x + 18, y)) != c)
                    cellsDiffer = true;
            }
        EXPECT_GT(normal, 3) << k.name << ": a picture on the transparent background";
        if (k.width == 36) {
            EXPECT_GT(disabled, 3) << k.name;
            EXPECT_TRUE(cellsDiffer) << k.name << ": the disabled cell looks different";
        }
    }
    TBitmap lower;
    lower.LoadFromResourceName("lbok");
    EXPECT_EQ(lower.Width(), 36) << "names are not case-sensitive";
}

TEST(Graphics, UnknownResourceNameRaisesNamingIt)
{
    TBitmap bmp;
    try {
        bmp.LoadFromResourceName("LBNOSUCH");
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, "Resource LBNOSUCH not found");
    }
    EXPECT_FALSE(ResourceImageExists("LBNOSUCH"));
    EXPECT_TRUE(ResourceImageExists("LBOK"));
}

// ---- Classic drawing
// -------------------------------------------------------------------------------------------

TEST(Graphics, ThemesAreNotActive)
{
    EXPECT_FALSE(ThemesEnabled());
    EXPECT_FALSE(IsThemeActive());
}

TEST(Graphics, EdgesUseTheSystemColoursRingByRing)
{
    struct Case {
        uint32_t edge;
        TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const Case cases[] = {
        {EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {EDGE_ETCHED, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
    };
    for (const Case& k : cases) {
        QImage image = WhiteImage();
        image.fill(Qt::black);
        TCanvas c(&image);
        TRect r(0, 0, 10, 10);
        DrawEdge(c.Handle(), r, k.edge, BF_RECT | BF_ADJUST | BF_MIDDLE);
        EXPECT_EQ(r, TRect(2, 2, 8, 8)) << k.edge;
        EXPECT_EQ(At(image, 0, 5), ColorToRGB(k.outerTopLeft)) << k.edge;
        EXPECT_EQ(At(image, 9, 5), ColorToRGB(k.outerBottomRight)) << k.edge;
        EXPECT_EQ(At(image, 1, 5), ColorToRGB(k.innerTopLeft)) << k.edge;
        EXPECT_EQ(At(image, 5, 8), ColorToRGB(k.innerBottomRight)) << k.edge;
        EXPECT_EQ(At(image, 5, 5), ColorToRGB(clBtnFace)) << k.edge;
    }
}

TEST(Graphics, FrameDrawingKeepsTheBackgroundMode)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    c.Brush->Color = clYellow;
    c.SetBkMode(TRANSPARENT);
    c.SetBkColor(clAqua);
    TRect r(0, 0, 10, 10);
    DrawEdge(c.Handle(), r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    TRect f(1, 1, 9, 9);
    Frame3D(&c, f, clRed, clBlue, 1);
    EXPECT_EQ(c.BkMode(), TRANSPARENT);
    EXPECT_EQ(c.BkColor(), clAqua);
    EXPECT_EQ(c.Brush->Color, clYellow);
}

TEST(Graphics, Frame3DGivesTheOuterCornersToTheBottomColour)
{
    QImage image = WhiteImage();
    TCanvas c(&image);
    TRect r(1, 1, 9, 9);
    Frame3D(&c, r, clRed, clBlue, 2);
    EXPECT_EQ(r, TRect(3, 3, 7, 7));
    EXPECT_EQ(At(image, 1, 1), clRed);
    EXPECT_EQ(At(image, 8, 1), clBlue);
    EXPECT_EQ(At(image, 1, 8), clBlue);
    EXPECT_EQ(At(image, 2, 2), clRed);
    EXPECT_EQ(At(image, 7, 7), clBlue);
    EXPECT_EQ(At(image, 3, 3), clWhite);
    EXPECT_EQ(At(image, 0, 0), clWhite);
}

TEST(Graphics, FrameControlsShowTheirState)
{
    auto draw = [](uint32_t kind, uint32_t state) {
        QImage image = WhiteImage(16, 16);
        TCanvas c(&image);
        EXPECT_TRUE(DrawFrameControl(c.Handle(), TRect(0, 0, 16, 16), kind, state));
        return image;
    };
    const QImage push = draw(DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(At(push, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(push, 8, 8), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(draw(DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED), 0, 0), ColorToRGB(clBtnShadow));
    const QImage flat = draw(DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT);
    EXPECT_EQ(At(flat, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(flat, 15, 15), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(draw(DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT | DFCS_HOT), 0, 0), ColorToRGB(clBtnHighlight));

    const QImage box = draw(DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_NE(draw(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED), box);
    EXPECT_NE(draw(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE), box);
    const QImage radio = draw(DFC_BUTTON, DFCS_BUTTONRADIO);
    EXPECT_NE(radio, box);
    EXPECT_NE(draw(DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED), radio);

    const QImage up = draw(DFC_SCROLL, DFCS_SCROLLUP), down = draw(DFC_SCROLL, DFCS_SCROLLDOWN);
    EXPECT_NE(up, down);
    EXPECT_EQ(draw(DFC_SCROLL, DFCS_SCROLLCOMBOBOX), down);
    EXPECT_NE(draw(DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE), down);

    QImage image = WhiteImage(16, 16);
    TCanvas c(&image);
    EXPECT_FALSE(DrawFrameControl(c.Handle(), TRect(0, 0, 16, 16), DFC_MENU, 0));
}
