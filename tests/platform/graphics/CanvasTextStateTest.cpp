// Text drawn after the canvas's font or colour changed between calls: the Qt fonts and pens the
// canvas keeps from earlier calls must never stand in for the ones the current call asks for.
#include "platform/graphics/Graphics.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>

namespace
{

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void SetFont(TCanvas& c, const char* name, int height, TFontStyles style)
{
    c.Font->Name = name;
    c.Font->Height = height;
    c.Font->Style = style;
}

// The pixels of `text` drawn at the top-left of a fresh canvas in the given font.
QImage Reference(const char* name, int height, TFontStyles style, const QString& text, TColor color, int w,
                 int h)
{
    QImage image = WhiteImage(w, h);
    TCanvas c(&image);
    SetFont(c, name, height, style);
    c.Font->Color = color;
    c.SetBkMode(TRANSPARENT);
    c.TextOut(0, 0, text);
    return image;
}

QImage Part(const QImage& image, int x, int y, int w, int h)
{
    return image.copy(x, y, w, h);
}

// Every colour other than white that a piece of the image holds.
std::set<TColor> Inks(const QImage& image)
{
    std::set<TColor> inks;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = QColorToColor(QColor::fromRgb(image.pixel(x, y)));
            if (c != clWhite)
                inks.insert(c);
        }
    return inks;
}

} // namespace

// More fonts than the canvas keeps, then back to the first ones: widths, heights and drawn pixels
// are those of a canvas that never saw another font.
TEST(CanvasTextState, FontsSwitchedBackAndForthMeasureAndDrawAsFresh)
{
    struct TCase {
        const char* name;
        int height;
        TFontStyles style;
    };
    std::vector<TCase> cases;
    for (int height : {-9, -11, -13, -15, -17, -20})
        for (TFontStyles style : {TFontStyles(0), fsBold})
            cases.push_back({"Tahoma", height, style});
    cases.push_back({"Courier New", -11, fsItalic});
    cases.push_back({"Tahoma", 14, 0}); // a positive height: the cell height
    const QString text = QStringLiteral("Wg kg 12");

    QImage image = WhiteImage(200, 40);
    TCanvas c(&image);
    c.SetBkMode(TRANSPARENT);
    for (int round = 0; round < 2; ++round)
        for (size_t i = 0; i < cases.size(); ++i) {
            const TCase& k = cases[round == 0 ? i : cases.size() - 1 - i];
            SCOPED_TRACE(testing::Message() << k.name << " " << k.height << " style " << int(k.style));
            TCanvas fresh;
            SetFont(fresh, k.name, k.height, k.style);
            SetFont(c, k.name, k.height, k.style);
            EXPECT_EQ(c.TextWidth(text), fresh.TextWidth(text));
            EXPECT_EQ(c.TextHeight(text), fresh.TextHeight(text));
            image.fill(Qt::white);
            c.TextOut(0, 0, text);
            EXPECT_EQ(image, Reference(k.name, k.height, k.style, text, clBlack, 200, 40));
        }
}

// Font set again through Assign (a new version, the same attributes) and changed through one field
// only: the text follows the attributes, not the object's history.
TEST(CanvasTextState, OneChangedAttributeReachesTheNextDrawTextOnABoundPainter)
{
    QImage image = WhiteImage(240, 30);
    {
        QPainter painter(&image);
        TCanvas c;
        TCanvasPainterBinding bind(c, painter);
        c.SetBkMode(TRANSPARENT);
        SetFont(c, "Tahoma", -11, 0);
        TRect r(0, 0, 80, 30);
        c.DrawText("abc", r, DT_SINGLELINE | DT_NOPREFIX);
        TFont same;
        same.Assign(*c.Font);
        c.Font->Assign(same);
        r = TRect(80, 0, 160, 30);
        c.DrawText("abc", r, DT_SINGLELINE | DT_NOPREFIX);
        c.Font->Style = fsBold;
        r = TRect(160, 0, 240, 30);
        c.DrawText("abc", r, DT_SINGLELINE | DT_NOPREFIX);
    }
    const QImage plain = Reference("Tahoma", -11, 0, "abc", clBlack, 80, 30);
    const QImage bold = Reference("Tahoma", -11, fsBold, "abc", clBlack, 80, 30);
    ASSERT_NE(plain, bold);
    EXPECT_EQ(Part(image, 0, 0, 80, 30), plain);
    EXPECT_EQ(Part(image, 80, 0, 80, 30), plain);
    EXPECT_EQ(Part(image, 160, 0, 80, 30), bold);
}

// A canvas bound to one painter, then for a while to another where its font changes: back on the
// first painter the text is in the new font, though that painter last drew the old one.
TEST(CanvasTextState, FontChangedUnderANestedBindingReachesTheOuterPainter)
{
    QImage outer = WhiteImage(160, 30), inner = WhiteImage(80, 30);
    {
        QPainter po(&outer);
        TCanvas c;
        TCanvasPainterBinding bindOuter(c, po);
        c.SetBkMode(TRANSPARENT);
        SetFont(c, "Tahoma", -11, 0);
        c.TextOut(0, 0, "abc");
        {
            QPainter pi(&inner);
            TCanvasPainterBinding bindInner(c, pi);
            SetFont(c, "Tahoma", -20, fsBold);
            c.TextOut(0, 0, "abc");
        }
        c.TextOut(80, 0, "abc");
    }
    const QImage big = Reference("Tahoma", -20, fsBold, "abc", clBlack, 80, 30);
    EXPECT_EQ(Part(outer, 0, 0, 80, 30), Reference("Tahoma", -11, 0, "abc", clBlack, 80, 30));
    EXPECT_EQ(inner, big);
    EXPECT_EQ(Part(outer, 80, 0, 80, 30), big);
}

// Text colours changing between calls, through the font and through SetTextColor, on one painter:
// each piece of text carries the colour of its own call and no other.
TEST(CanvasTextState, TextColourOfEachCallReachesItsOwnPixels)
{
    // Each font colour differs from the one before: setting the same one again selects nothing.
    const std::vector<TColor> colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x0000FF, 0x000000, 0xFF0000};
    QImage image = WhiteImage(int(colours.size()) * 40, 30);
    {
        QPainter painter(&image);
        TCanvas c;
        TCanvasPainterBinding bind(c, painter);
        c.SetBkMode(TRANSPARENT);
        SetFont(c, "Tahoma", -13, fsBold);
        for (size_t i = 0; i < colours.size(); ++i) {
            if (i % 2)
                c.SetTextColor(colours[i]);
            else
                c.Font->Color = colours[i];
            TRect r(int(i) * 40, 0, int(i) * 40 + 40, 30);
            c.DrawText("WM", r, DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    for (size_t i = 0; i < colours.size(); ++i) {
        SCOPED_TRACE(i);
        // Antialiased glyph edges blend with white; the solid stems are the colour itself.
        const std::set<TColor> inks = Inks(Part(image, int(i) * 40, 0, 40, 30));
        EXPECT_TRUE(inks.count(colours[i]));
        for (TColor other : colours)
            if (other != colours[i])
                EXPECT_FALSE(inks.count(other)) << std::hex << other;
    }
}

// Aligned and opaque lines still get the widths they are placed and filled with, when a left-aligned
// transparent line before them needed none.
TEST(CanvasTextState, AlignedAndOpaqueLinesAfterAPlainOneArePlacedByTheirWidth)
{
    QImage image = WhiteImage(100, 60);
    TCanvas c(&image);
    SetFont(c, "Tahoma", -11, 0);
    const int w = c.TextWidth("abc"), h = c.TextHeight("abc");
    c.SetBkMode(TRANSPARENT);
    TRect r(0, 0, 100, 20);
    c.DrawText("abc", r, DT_SINGLELINE | DT_NOPREFIX);
    c.SetBkMode(OPAQUE);
    c.SetBkColor(0x00FF00);
    r = TRect(0, 20, 100, 40);
    c.DrawText("abc", r, DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT);
    EXPECT_EQ(c.GetPixel(100 - w - 1, 20), clWhite);
    EXPECT_EQ(c.GetPixel(100 - w, 20), 0x00FF00);
    EXPECT_EQ(c.GetPixel(99, 20 + h - 1), 0x00FF00);
    r = TRect(0, 40, 100, 60);
    c.DrawText("abc", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(c.GetPixel(0, 40), 0x00FF00);
    EXPECT_EQ(c.GetPixel(w - 1, 40), 0x00FF00);
    EXPECT_EQ(c.GetPixel(w, 40), clWhite);
}

// Widths asked for again: a text changed in place, a longer text sharing the start, the same text in
// another font or on another canvas all get their own width.
TEST(CanvasTextState, WidthsFollowTheTextAndTheFontAskedFor)
{
    TCanvas c, other;
    SetFont(c, "Tahoma", -11, 0);
    SetFont(other, "Tahoma", -20, fsBold);
    QString text = QStringLiteral("iiii");
    const int narrow = c.TextWidth(text);
    text[0] = 'W';
    text[1] = 'W';
    const int wide = c.TextWidth(text);
    EXPECT_GT(wide, narrow);
    TCanvas fresh;
    SetFont(fresh, "Tahoma", -11, 0);
    EXPECT_EQ(wide, fresh.TextWidth(QStringLiteral("WWii")));
    EXPECT_EQ(narrow, fresh.TextWidth(QStringLiteral("iiii")));
    EXPECT_GT(c.TextWidth(text + "W"), wide);
    EXPECT_GT(other.TextWidth(text), wide);
    c.Font->Height = -20;
    c.Font->Style = fsBold;
    EXPECT_EQ(c.TextWidth(text), other.TextWidth(text));
    TRect r(0, 0, 500, 0);
    c.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), other.TextWidth(text));
    c.Font->Height = -11;
    c.Font->Style = 0;
    r = TRect(0, 0, 500, 0);
    c.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), wide);
}
