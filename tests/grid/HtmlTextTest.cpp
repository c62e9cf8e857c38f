// Mini-HTML text functions: plain text, entities, marking found text, inline control tags.
#include "grid/base/HtmlText.h"

#include <gtest/gtest.h>

namespace
{

const QString CR = QStringLiteral("\r");
const QString CRLF = QStringLiteral("\r\n");

TEST(HtmlTextTest, PlainTextTurnsBreaksIntoLinesAndDropsCompleteTags)
{
    EXPECT_EQ(HTMLToText("a<BR>b<b>c</b>"), "a" + CRLF + "bc");
    EXPECT_EQ(HTMLToText("x<br>y<Hr>z"), "x" + CRLF + "y" + CRLF + "z");
    EXPECT_EQ(HTMLToText("a<b"), "a<b");
    EXPECT_EQ(HTMLToText("a<i>b<c"), "ab<c");
}

TEST(HtmlTextTest, EncodingAndDecodingEntities)
{
    const QString plain = QStringLiteral("a<b & c");
    EXPECT_EQ(HTMLEncodeEntities(plain, false), "a&lt;b &amp; c");
    EXPECT_EQ(HTMLDecodeEntities(HTMLEncodeEntities(plain, false), false), plain);
    EXPECT_EQ(HTMLEncodeEntities(QStringLiteral("\"q\""), false), "&quot;q&quot;");

    const QString accented = QString(QChar(0x00E9)) + QChar(0x20AC);
    EXPECT_EQ(HTMLEncodeEntities(accented, true), "&eacute;&euro;");
    EXPECT_EQ(HTMLEncodeEntities(accented, false), accented);
    EXPECT_EQ(HTMLDecodeEntities("&eacute;&euro;", true), accented);
    EXPECT_EQ(HTMLDecodeEntities("&eacute;", false), "&eacute;");
    // Each pattern is replaced until none is left.
    EXPECT_EQ(HTMLDecodeEntities("&amp;amp;", false), "&");
    EXPECT_EQ(HTMLDecodeEntities("&unknown; &", true), "&unknown; &");
    EXPECT_EQ(SpacesToNbsp("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(HtmlTextTest, EncodingLeavesAnAmpMarkerInTheTextAlone)
{
    EXPECT_EQ(HTMLEncodeEntities("x*amp;y", false), "x*amp;y");
    EXPECT_EQ(HTMLEncodeEntities("x*amp;&y", true), "x*amp;&amp;y");
}

TEST(HtmlTextTest, DecodingKeepsTheCaseOfEachEntity)
{
    EXPECT_EQ(HTMLDecodeEntities("&Eacute;&eacute;", true), QString(QChar(0x00C9)) + QChar(0x00E9));
    EXPECT_EQ(HTMLDecodeEntities("&eacute;&Eacute;", true), QString(QChar(0x00E9)) + QChar(0x00C9));
    EXPECT_EQ(HTMLDecodeEntities("&LT;&lt;", false), "&LT;<");
}

TEST(HtmlTextTest, ReplaceFirstFoldsOnlyAsciiLetters)
{
    QString text = "one <Br> two <BR>";
    EXPECT_TRUE(HTMLReplaceFirst("<br>", "|", text));
    EXPECT_EQ(text, "one | two <BR>");
    EXPECT_FALSE(HTMLReplaceFirst("<hr>", "|", text));
    EXPECT_EQ(text, "one | two <BR>");
}

TEST(HtmlTextTest, MarkingSurroundsEveryVisibleOccurrence)
{
    struct Case {
        const char* html;
        const char* sub;
        bool caseSensitive;
        const char* marked;
    };
    const Case cases[] = {
        {"xax<B>a</B>", "a", true, "x<HI>a</HI>x<HI><B>a</HI></B>"},
        {"1 < 2", "2", true, "1 &lt; <HI>2</HI>"},
        {"aa", "a", true, "<HI>a</HI><HI>a</HI>"},
        {"Abc aBC", "bc", false, "A<HI>bc</HI> a<HI>BC</HI>"},
        {"Abc aBC", "bc", true, "A<HI>bc</HI> aBC"},
        {"a<i>b</i>c", "abc", true, "<HI>a<i>b</i>c</HI>"},
        {"nothing", "z", true, "nothing"},
    };
    for (const Case& c : cases) {
        QString result;
        HTMLMarkText(c.html, c.sub, "HI", c.caseSensitive, result);
        EXPECT_EQ(result, c.marked) << c.html << " / " << c.sub;
    }
}

TEST(HtmlTextTest, UnmarkingGivesTheMarkupBack)
{
    QString marked;
    HTMLMarkText("xax<B>a</B>", "a", "HI", true, marked);
    QString result;
    HTMLUnmarkText(marked, "hi", result);
    EXPECT_EQ(result, "xax<B>a</B>");
    HTMLUnmarkText("1 &lt; <HI>2</HI>", "HI", result);
    EXPECT_EQ(result, "1 < 2");
}

TEST(HtmlTextTest, MarkingAnEmptyTextChangesNothing)
{
    QString result;
    HTMLMarkText("abc", "", "HI", true, result);
    EXPECT_EQ(result, "abc");
}

TEST(HtmlTextTest, VisibleToMarkupPositions)
{
    EXPECT_EQ(HTMLVisibleToMarkupPos("ab<i>c</i>", 1), 1);
    EXPECT_EQ(HTMLVisibleToMarkupPos("ab<i>c</i>", 3), 3); // before the tag that precedes "c"
    EXPECT_EQ(HTMLVisibleToMarkupPos("ab<i>c</i>", 4), 7); // right after "c"
    EXPECT_EQ(HTMLVisibleToMarkupPos("ab", 3), 3);         // the end
    EXPECT_EQ(HTMLVisibleToMarkupPos("ab", 5), 0);
}

const QString ControlText =
    R"(x<CONTROL TYPE="edit" ID="e1" VALUE="old" WIDTH="80" HEIGHT="30" MAXLEN="12x">y)";

TEST(HtmlTextTest, SettingAControlValueRebuildsItsTagKeepingItsHeight)
{
    QString html = ControlText;
    EXPECT_TRUE(HTMLSetControlValue(html, "e1", "a<b"));
    EXPECT_EQ(html, R"(x<CONTROL ID="e1" VALUE="a&lt;b" WIDTH="80" HEIGHT="30" TYPE="EDIT" MAXLEN="12x">y)");
    QString value;
    EXPECT_TRUE(HTMLGetControlValue(html, "e1", value));
    EXPECT_EQ(value, "a<b");

    html = ControlText;
    value = "untouched";
    EXPECT_FALSE(HTMLSetControlValue(html, "E1", "z"));
    EXPECT_EQ(html, ControlText);
    EXPECT_FALSE(HTMLGetControlValue(html, "nope", value));
    EXPECT_EQ(value, "untouched");
}

TEST(HtmlTextTest, ReadingControlAttributes)
{
    EXPECT_TRUE(HTMLHasControl("a<control id=\"x\">"));
    EXPECT_FALSE(HTMLHasControl("a<b>"));
    EXPECT_EQ(HTMLGetControlMaxLen(ControlText, "e1"), 12);
    EXPECT_EQ(HTMLGetControlMaxLen(ControlText, "e2"), 0);

    const QString withProp = R"(<CONTROL TYPE="COMBO" ID="c" VALUE="&eacute;" PROP="a&amp;b" WIDTH="9">)";
    QString prop;
    HTMLGetControlProp(withProp, "c", prop);
    EXPECT_EQ(prop, "a&b");
    HTMLGetControlProp(withProp, "d", prop);
    EXPECT_EQ(prop, "");
    const THTMLControlTag tag = HTMLParseControlTag(R"(CONTROL type="check" id="k" value="&eacute;")");
    EXPECT_EQ(tag.Type, "CHECK");
    EXPECT_EQ(tag.Value, QString(QChar(0x00E9)));
    EXPECT_EQ(tag.Width, "");
}

TEST(HtmlTextTest, NextEditControlSkipsButtonsAndBoxes)
{
    const QString html = R"(<CONTROL TYPE="EDIT" ID="a" WIDTH="9"><CONTROL TYPE="BUTTON" ID="b" WIDTH="9">)"
                         R"(<CONTROL TYPE="CHECK" ID="c" WIDTH="9"><CONTROL TYPE="RADIO" ID="d" WIDTH="9">)"
                         R"(<CONTROL TYPE="COMBO" ID="e" WIDTH="9">)";
    QString next;
    HTMLNextEditControl(html, "", next);
    EXPECT_EQ(next, "a");
    HTMLNextEditControl(html, "a", next);
    EXPECT_EQ(next, "e");
    HTMLNextEditControl(html, "e", next);
    EXPECT_EQ(next, "");
}

TEST(HtmlTextTest, ClearingRadiosSetsEachToFalse)
{
    QString result;
    HTMLClearRadios(R"(<CONTROL TYPE="RADIO" ID="r1" VALUE="TRUE" WIDTH="9">-)"
                    R"(<CONTROL TYPE="CHECK" ID="k" VALUE="TRUE" WIDTH="9">-)"
                    R"(<CONTROL TYPE="radio" ID="r2" VALUE="TRUE" WIDTH="9">)",
                    result);
    EXPECT_EQ(result, R"(<CONTROL ID="r1" VALUE="FALSE" WIDTH="9" TYPE="RADIO">-)"
                      R"(<CONTROL TYPE="CHECK" ID="k" VALUE="TRUE" WIDTH="9">-)"
                      R"(<CONTROL ID="r2" VALUE="FALSE" WIDTH="9" TYPE="RADIO">)");
}

TEST(HtmlTextTest, LeadingIntegers)
{
    EXPECT_EQ(HTMLLeadingInt("12x"), 12);
    EXPECT_EQ(HTMLLeadingInt(" -7"), -7);
    EXPECT_EQ(HTMLLeadingInt("x1"), 0);
    EXPECT_EQ(HTMLLeadingInt(""), 0);
    EXPECT_EQ(HTMLLeadingInt("99999999999999"), 2147483647);
}

} // namespace
