// The mini-HTML renderer: layout, word wrap, stop rules, anchors, pictures, controls and colours, on a
// canvas over an image.
#include "grid/base/HtmlRender.h"
#include "common/TestSupport.h"
#include "grid/PixelTestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace
{

constexpr TColor BaseInk = 0x00AA00;

class HtmlRenderTest : public ::testing::Test
{
  protected:
    pixeltest::Surface s{400, 200};
    TCanvas* c = s.canvas.get();

    // Inputs (the defaults of most cases).
    TRect rect{0, 0, 300, 100};
    bool wordWrap = true;
    bool measureOnly = true;
    bool hitTestPass = false;
    bool selected = false;
    bool hoverOnly = false;
    int hitX = -1;
    int hitY = -1;
    int hoverIndex = 0;
    THTMLPictureCache* cache = nullptr;
    TPictureContainer* pictures = nullptr;

    // Out-values.
    QString hitAnchor = "keep";
    QString plain;
    QString focusHref;
    QString hitTitle;
    int linesWidth = -5;
    int linesHeight = -5;
    int anchorCount = -5;
    int hitAnchorNumber = -5;
    TRect hitAnchorRect;
    TRect hitControlRect;
    QString controlID;
    QString controlValue;
    QString controlType;

    void SetUp() override { c->Font->Color = BaseInk; }

    bool Render(const QString& text)
    {
        return RenderHTML(c, text, rect, nullptr, hitX, hitY, -1, hoverIndex, 1, hitTestPass, measureOnly,
                          false, selected, true, hoverOnly, wordWrap, false, 1.0, 0xFF0000, clNone, clNone,
                          0x808080, hitAnchor, plain, focusHref, hitTitle, linesWidth, linesHeight,
                          anchorCount, hitAnchorNumber, hitAnchorRect, hitControlRect, controlID,
                          controlValue, controlType, cache, pictures, 0, 0);
    }
    void HitTest(int x, int y)
    {
        measureOnly = false;
        hitTestPass = true;
        hitX = x;
        hitY = y;
    }
    int g() { return c->TextHeight("gh"); }
    // The width a run measures in the renderer.
    int W(const QString& text, TFontStyles style = 0)
    {
        const TFontStyles keep = c->Font->Style;
        c->Font->Style = style;
        TRect r(0, 0, 1000, 100);
        DrawTextEx(c, text, -1, r, 0x268 | DT_CALCRECT);
        c->Font->Style = keep;
        return r.Width();
    }
    // Pixels of exactly `color` in columns [x0, x1) of the first line.
    int Ink(int x0, int x1, TColor color)
    {
        int n = 0;
        for (int y = 0; y < g() + 2; ++y)
            for (int x = x0; x < x1; ++x)
                n += s.At(x, y) == color;
        return n;
    }
    int NotPaper(int x0, int x1, int y0, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += s.At(x, y) != pixeltest::Paper;
        return n;
    }
};

QByteArray BmpBytes(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

TEST_F(HtmlRenderTest, EmptyTextMeasuresOneLineAndReportsNothing)
{
    EXPECT_FALSE(Render(""));
    EXPECT_EQ(linesWidth, 0);
    EXPECT_EQ(linesHeight, g());
    EXPECT_EQ(plain, "");
    EXPECT_EQ(anchorCount, 0);
    EXPECT_EQ(hitAnchorNumber, -1);
    EXPECT_EQ(hitAnchor, "keep");
}

TEST_F(HtmlRenderTest, PlainTextOfMarkup)
{
    const struct {
        const char* text;
        QString plain;
        int lines;
    } cases[] = {
        {"a &lt;b&gt; c", "a <b> c", 1},
        {"x<#Name>y", "x#Namey", 1},
        {"a<BR>bb", "a\rbb", 2},
        {"a\r\nbb", "a\rbb", 2},
        {"a<Z>bb</Z>c", "abbc", 1},
        {"1 < 2", "1 ", 1},
        {"ends in <", "ends in ", 1},
        {"a<unknown>b", "ab", 2},
        {"<ul><li>one</li><li>two</li></ul>", "onetwo", 4},
        {"a<li>b<li>c", "abc", 2},
    };
    for (bool drawing : {false, true}) {
        for (const auto& c : cases) {
            measureOnly = !drawing;
            Render(c.text);
            EXPECT_EQ(plain, c.plain) << c.text << (drawing ? " drawn" : " measured");
            EXPECT_EQ(linesHeight, c.lines * g()) << c.text;
        }
    }
}

TEST_F(HtmlRenderTest, TagsAreRecognisedByTheirFirstLetters)
{
    Render("<BOLD>x</BOLD>");
    EXPECT_EQ(linesWidth, W("x"));
    Render("<b>x</b>");
    EXPECT_EQ(linesWidth, W("x", fsBold));
    Render("a<Z>bb</Z>c");
    EXPECT_EQ(linesWidth, W("a") + W("c"));
    TFont saved;
    saved.Assign(*c->Font);
    c->Font->Size = 12;
    const int x12 = W("x");
    c->Font->Size = 7;
    const int x7 = W("x");
    c->Font->Assign(saved);
    Render("<font size=\"3\">x</font>");
    EXPECT_EQ(linesWidth, x12);
    Render("<font size=3>x</font>");
    EXPECT_EQ(linesWidth, x12);
    Render("<font size=\"7\">x</font>");
    EXPECT_EQ(linesWidth, x7);
}

TEST_F(HtmlRenderTest, WordWrapBreaksAtBlanksOnly)
{
    const int both = W("aaa ") + W("bbb");
    const int expectedWidth = std::max(W("aaa ") - W(" "), W("bbb"));
    rect.Right = both;
    Render("aaa bbb");
    EXPECT_EQ(linesHeight, 2 * g());
    EXPECT_EQ(linesWidth, expectedWidth);
    rect.Right = both + 1;
    Render("aaa bbb");
    EXPECT_EQ(linesHeight, 2 * g());
    rect.Right = both + 2;
    Render("aaa bbb");
    EXPECT_EQ(linesHeight, g());
    EXPECT_EQ(linesWidth, both);

    // No blank between the runs: the word is not split.
    rect.Right = W("abc") + 3;
    Render("abc<B>d</B>");
    EXPECT_EQ(linesHeight, g());
    Render("abc <B>d</B>");
    EXPECT_EQ(linesHeight, 2 * g());
    // A single word wider than the rectangle stays on its line.
    rect.Right = 5;
    Render("wide");
    EXPECT_EQ(linesHeight, g());
    EXPECT_EQ(linesWidth, W("wide"));
}

TEST_F(HtmlRenderTest, WithoutWordWrapAnOverflowingRunEndsTheText)
{
    wordWrap = false;
    rect.Right = W("x ") + W("aaaaaaaaaa", fsBold);
    Render("x <B>aaaaaaaaaa</B><BR>zz");
    EXPECT_EQ(linesHeight, g());
    EXPECT_EQ(plain, "x aaaaaaaaaa");
    rect.Right = 300;
    Render("x <B>aaaaaaaaaa</B><BR>zz");
    EXPECT_EQ(plain, "x aaaaaaaaaa\rzz");
}

TEST_F(HtmlRenderTest, DrawingStopsWhenTheNextLineDoesNotFit)
{
    measureOnly = false;
    rect.Bottom = 2 * g();
    Render("a<BR>b<BR>c");
    EXPECT_EQ(linesHeight, 2 * g());
    rect.Bottom = 2 * g() - 1;
    Render("a<BR>b<BR>c");
    EXPECT_EQ(linesHeight, g());
    measureOnly = true;
    Render("a<BR>b<BR>c");
    EXPECT_EQ(linesHeight, 3 * g());
}

TEST_F(HtmlRenderTest, AnchorHitTest)
{
    const QString text = R"(<A href="go" title="T1">link</A> <A href="g2">more</A>)";
    HitTest(1 + W("link") / 2, g() / 2);
    EXPECT_TRUE(Render(text));
    EXPECT_EQ(hitAnchor, "go");
    EXPECT_EQ(hitTitle, "T1");
    EXPECT_EQ(anchorCount, 2);
    EXPECT_EQ(hitAnchorNumber, 1);
    EXPECT_EQ(hitAnchorRect, TRect(1, 0, 1 + W("link"), g()));

    HitTest(1 + W("link") + W(" ") + W("more") / 2, g() / 2);
    EXPECT_TRUE(Render(text));
    EXPECT_EQ(hitAnchor, "g2");
    EXPECT_EQ(hitTitle, "T1");
    EXPECT_EQ(hitAnchorNumber, 2);

    hitAnchor = "keep";
    HitTest(1 + W("link") / 2, 0);
    EXPECT_FALSE(Render(text));
    EXPECT_EQ(hitAnchor, "keep");
    EXPECT_EQ(hitTitle, "");

    // Measuring only never reports a hit.
    HitTest(1 + W("link") / 2, g() / 2);
    measureOnly = true;
    EXPECT_FALSE(Render(text));
}

TEST_F(HtmlRenderTest, RightAlignedAnchorEndsAtTheRightEdge)
{
    rect = TRect(0, 0, 200, 50);
    HitTest(200 - W("ab") / 2, g() / 2);
    EXPECT_TRUE(Render(R"(<P ALIGN="RIGHT"><A href="r">ab</A>)"));
    EXPECT_EQ(hitAnchor, "r");
    EXPECT_EQ(hitAnchorRect, TRect(200 - W("ab"), 0, 200, g()));
}

TEST_F(HtmlRenderTest, AnAlignedLineKeepsAllItsMarkupInTheSecondPass)
{
    // The placed line is exactly as wide as its text: the second pass must still take the last word
    // and the tags after it.
    rect = TRect(0, 0, 200, 50);
    HitTest(200 - W("ab") / 2, g() / 2);
    EXPECT_TRUE(Render(R"(<P ALIGN="RIGHT">x <A href="r">ab</A>)"));
    EXPECT_EQ(hitAnchorNumber, 1);
    EXPECT_EQ(hitAnchorRect, TRect(200 - W("ab"), 0, 200, g()));

    measureOnly = false;
    hitTestPass = false;
    Render(R"(<P ALIGN="RIGHT">aa bb)");
    EXPECT_GT(NotPaper(200 - W("bb"), 200, 0, g()), 0);
    EXPECT_GT(NotPaper(200 - W("aa bb"), 200 - W(" bb"), 0, g()), 0);
    EXPECT_EQ(NotPaper(0, 200 - W("aa bb") - 1, 0, g()), 0);
}

TEST_F(HtmlRenderTest, PicturesFromTheContainer)
{
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->Name = "LOGO";
    TMemoryStream bytes;
    const QByteArray bmp = BmpBytes(10, 30);
    bytes.WriteBuffer(bmp.constData(), bmp.size());
    item->Picture()->LoadFromStream(&bytes);
    pictures = &container;

    Render(R"(<IMG src="logo">)");
    EXPECT_EQ(linesWidth, 10);
    EXPECT_EQ(linesHeight, 30);
    Render(R"(<IMG src="logo" width="20">)");
    EXPECT_EQ(linesWidth, 20);
    EXPECT_EQ(linesHeight, 60);
    Render(R"(<IMG src="nothing">x)");
    EXPECT_EQ(linesWidth, W("x"));

    HitTest(6, 15);
    EXPECT_TRUE(Render(R"(<A href="p"><IMG src="logo"></A>)"));
    EXPECT_EQ(hitAnchor, "p");
    hitAnchor = "keep";
    HitTest(1, 15);
    EXPECT_FALSE(Render(R"(<A href="p"><IMG src="logo"></A>)"));
    EXPECT_EQ(hitAnchor, "keep");

    // A picture that does not fit the rest of the line starts the next one.
    rect.Right = 1 + W("abc ") + 5;
    Render(R"(abc <IMG src="logo">)");
    EXPECT_EQ(linesHeight, g() + 30);

    // Drawn at the line's left, 1 pixel in.
    measureOnly = false;
    hitTestPass = false;
    rect.Right = 300;
    Render(R"(<IMG src="logo">)");
    EXPECT_EQ(s.At(1, 0), 0x0000FFu);
    EXPECT_EQ(s.At(10, 29), 0x0000FFu);
    EXPECT_EQ(s.At(11, 29), pixeltest::Paper);
}

TEST_F(HtmlRenderTest, PicturesByUrlAreLoadedOnceIntoTheCache)
{
    THTMLPictureCache pictureCache;
    cache = &pictureCache;
    testsupport::TempDir dir;
    const QString gif = dir.file("frames3.gif");
    QByteArray bytes;
    ASSERT_TRUE(LoadRCDataResource("FRAMES", bytes));
    testsupport::writeBytes(gif, bytes);
    const QString text = "<IMG src=\"file://" + gif + "\">";
    Render(text);
    EXPECT_EQ(linesWidth, 4); // the GIF's logical screen
    Render(text);
    EXPECT_EQ(pictureCache.Count(), 1);
    Render(R"(<IMG src="http://h/x.gif">y)");
    Render(R"(<IMG src="http://h/x.gif">y)");
    EXPECT_EQ(pictureCache.Count(), 2);
    EXPECT_EQ(linesWidth, W("y"));
}

TEST_F(HtmlRenderTest, APictureWithoutSizeIsNoBackgroundTile)
{
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->Name = "bad";
    TMemoryStream junk;
    junk.WriteBuffer("junk", 4);
    EXPECT_THROW(item->Picture()->LoadFromStream(&junk), EInvalidGraphic);
    ASSERT_FALSE(item->Picture()->Empty());
    pictures = &container;
    measureOnly = false;
    Render(R"(<BODY BACKGROUND="bad">x)");
    EXPECT_EQ(plain, "x");
}

TEST_F(HtmlRenderTest, ControlsReserveTheirWidthAndAreFoundById)
{
    const QString edit = R"(<CONTROL TYPE="EDIT" ID="e1" VALUE="v" WIDTH="50">)";
    Render(edit);
    EXPECT_EQ(linesWidth, 50);
    EXPECT_EQ(linesHeight, std::max(23, g() + 10));

    controlID = "e1";
    HitTest(390, 190);
    EXPECT_TRUE(Render(edit));
    EXPECT_EQ(hitAnchor, "ctrl");
    EXPECT_EQ(controlValue, "v");
    EXPECT_EQ(controlType, "EDIT");
    EXPECT_EQ(hitControlRect.Left, 1);
    EXPECT_EQ(hitControlRect.Top, 0);
    EXPECT_EQ(hitControlRect.Right, 51);

    controlID = "";
    HitTest(10, 10);
    EXPECT_TRUE(Render(edit));
    EXPECT_EQ(controlID, "e1");

    Render(R"(<CONTROL TYPE="CHECK" ID="k" WIDTH="80">)");
    EXPECT_EQ(linesWidth, 16);
    measureOnly = true;
    Render(R"(<CD TYPE="EDIT">x)");
    EXPECT_EQ(linesWidth, W("x"));
}

TEST_F(HtmlRenderTest, AControlWithoutIdIsNotTheOneAskedFor)
{
    controlID = "";
    hitAnchor = "keep";
    HitTest(390, 190);
    EXPECT_FALSE(Render(R"(<CONTROL TYPE="EDIT" WIDTH="50">)"));
    EXPECT_EQ(hitAnchor, "keep");
}

TEST_F(HtmlRenderTest, ControlsAreDrawnInTheirClassicLook)
{
    measureOnly = false;
    Render(R"(<CONTROL TYPE="EDIT" ID="e" VALUE="" WIDTH="50" HEIGHT="30">)");
    // HEIGHT 30: line height 28; the white box from 4 below the line's top to 2 below its text bottom.
    EXPECT_EQ(linesHeight, std::max(28, g() + 10));
    const int b = linesHeight;
    EXPECT_EQ(s.At(1, b - linesHeight + 4), 0x808080u);
    EXPECT_EQ(s.At(10, b - 4), 0xFFFFFFu);
    EXPECT_EQ(s.At(50, b), 0x808080u);
    EXPECT_EQ(s.At(51, b), pixeltest::Paper);
}

TEST_F(HtmlRenderTest, ColoursOfRunsFontsAndAnchors)
{
    c->Font->Height = -24;
    c->Font->Style = fsBold;
    measureOnly = false;
    const int wr = W("r", fsBold);

    for (const char* text : {R"(<FONT color="clRed">r</FONT>s)", R"(<FONT color="#FF0000">r</FONT>s)"}) {
        s.image.fill(ColorToQColor(pixeltest::Paper));
        Render(text);
        EXPECT_GT(Ink(1, 1 + wr, 0x0000FF), 0) << text;
        EXPECT_EQ(Ink(1, 1 + wr, BaseInk), 0) << text;
        EXPECT_GT(Ink(1 + wr, 1 + wr + W("s", fsBold), BaseInk), 0) << text;
    }
    s.image.fill(ColorToQColor(pixeltest::Paper));
    Render(R"(<FONT color="red">r</FONT>)");
    EXPECT_GT(Ink(1, 1 + wr, 0x000000), 0);

    s.image.fill(ColorToQColor(pixeltest::Paper));
    selected = true;
    Render(R"(<FONT color="clRed">r</FONT>)");
    EXPECT_EQ(Ink(1, 1 + wr, 0x0000FF), 0);
    EXPECT_GT(Ink(1, 1 + wr, BaseInk), 0);
    selected = false;

    // An underline is one long horizontal run of blue (edges blended with the paper) under letters
    // without a horizontal stroke of their own.
    const int wil = W("il", fsBold);
    auto underlined = [&] {
        for (int y = 0; y < g() + 2; ++y) {
            int run = 0;
            for (int x = 0; x < 100; ++x) {
                const TColor p = s.At(x, y);
                run = GetBValue(p) > 0x60 && GetRValue(p) < 0x50 ? run + 1 : 0;
                if (run >= wil - 2)
                    return true;
            }
        }
        return false;
    };
    s.image.fill(ColorToQColor(pixeltest::Paper));
    Render(R"(<A href="x">il</A>)");
    EXPECT_GT(Ink(1, 1 + wil, 0xFF0000), 0);
    EXPECT_TRUE(underlined());
    s.image.fill(ColorToQColor(pixeltest::Paper));
    hoverOnly = true;
    hoverIndex = 0;
    Render(R"(<A href="x">il</A>)");
    EXPECT_GT(Ink(1, 1 + wil, 0xFF0000), 0);
    EXPECT_FALSE(underlined());
    s.image.fill(ColorToQColor(pixeltest::Paper));
    hoverIndex = 1;
    Render(R"(<A href="x">il</A>)");
    EXPECT_TRUE(underlined());
}

TEST_F(HtmlRenderTest, CanvasStateComesBackAfterACall)
{
    c->Brush->Color = 0x123123;
    c->Pen->Color = 0x321321;
    c->Pen->Width = 3;
    measureOnly = false;
    Render(R"(<FONT face="Courier" size="5" color="clRed" bgcolor="clYellow">x<HR><E>y</E><HI>z)");
    EXPECT_EQ(c->Brush->Color, 0x123123u);
    EXPECT_EQ(c->Pen->Color, 0x321321u);
    EXPECT_EQ(c->Pen->Width, 3);
    EXPECT_EQ(c->Font->Color, BaseInk);
    EXPECT_EQ(c->Font->Size, 8);
}

TEST_F(HtmlRenderTest, MalformedMarkupNeverHangs)
{
    measureOnly = false;
    for (const char* text : {"<", "<<", "<<<", "<a", "<IMG", "<IMG src=\"IDX:5\"", "<LI><LI><LI>",
                             "<P ALIGN=", "&amp;amp;amp;", "<CONTROL WIDTH=\"9999\">", "<ind x=\"500\">x",
                             "<r a=\"90\">x</r>", "<SUB>a</SUB><SUP>b</SUP><SHAD>c</SHAD><BLINK>d</BLINK>"}) {
        Render(text);
        EXPECT_GE(linesHeight, g()) << text;
    }
}

} // namespace
