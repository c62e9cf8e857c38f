// The cell text helpers: classification, the wide-text marker, line codings and quoting, positions,
// R<row>C<col> references, mixed case, URL anchors and the HTML clipboard envelope.
#include "grid/base/CellText.h"

#include "platform/core/StringList.h"

#include <gtest/gtest.h>

// Readable failures for texts (internal linkage: other test files may print them their own way).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace
{

const QString CR = QStringLiteral("\r");
const QString LF = QStringLiteral("\n");
const QChar Quote(u'"');

QString Chars(std::initializer_list<char16_t> codes)
{
    QString s;
    for (char16_t c : codes)
        s += QChar(c);
    return s;
}

// Applies a routine that changes its argument and returns the result.
template <class F> QString Changed(QString s, F f)
{
    f(s);
    return s;
}

QString Cut(QString text, bool keepRest)
{
    QString line;
    CutFirstLine(text, keepRest, line);
    return line + "|" + text;
}

QString Split(QString line, const QString& sep)
{
    QString field = QStringLiteral("old");
    SplitOffField(line, sep, field);
    return field + "|" + line;
}

QString Unpaired(const QString& text)
{
    int pos = -1;
    const bool found = FindUnpairedChar(Quote, text, pos);
    return QString::number(found) + "@" + QString::number(pos);
}

QString RowCol(const QString& text)
{
    TGridCoord c{-1, -1};
    const bool ok = ParseRowColRef(text, c);
    return QString::number(ok) + ":" + QString::number(c.X) + "," + QString::number(c.Y);
}

// A routine's result and what it stored in its int reference (which starts at 42): "result/stored".
template <class F> QString WithOut(F f)
{
    int stored = 42;
    const int result = f(stored);
    return QString::number(result) + "/" + QString::number(stored);
}

struct Case {
    const char* What;
    QString Got;
    QString Want;
};

TEST(CellText, Helpers)
{
    const QString euro = QString(QChar(u'\u20AC'));
    TStringList lines;
    lines.Add("ab");
    lines.Add("");
    lines.Add("c");

    const Case cases[] = {
        // Classification: the blank appended decides the positions.
        {"kind empty", QString::number(CellTextKind("", true)), "0"},
        {"kind =A1", QString::number(CellTextKind("=A1", false)), "3"},
        {"kind =", QString::number(CellTextKind("=", true)), "3"},
        {"kind <b>x</b>", QString::number(CellTextKind("<b>x</b>", true)), "1"},
        {"kind <b>x", QString::number(CellTextKind("<b>x", true)), "0"},
        {"kind <B>x without HTML", QString::number(CellTextKind("<B>x", false)), "0"},
        {"kind <Cx", QString::number(CellTextKind("a<Cx", true)), "1"},
        {"kind trailing <", QString::number(CellTextKind("a<", true)), "0"},
        {"kind rtf", QString::number(CellTextKind("{\\rtf1", true)), "2"},
        {"kind wide AB", QString::number(CellTextKind(EncodeWideText("AB"), true)), "5"},
        {"kind wide =A", QString::number(CellTextKind(EncodeWideText("=A"), true)), "3"},
        {"kind wide =", QString::number(CellTextKind(EncodeWideText("="), true)), "5"},
        {"kind marker only", QString::number(CellTextKind("|\\", true)), "5"},
        {"kind |", QString::number(CellTextKind("|", true)), "0"},
        // Wide text.
        {"encode euro", EncodeWideText(euro), Chars({u'|', u'\\', 0x20, 0xAC})},
        {"decode euro", DecodeWideText(Chars({u'|', u'\\', 0x20, 0xAC})), euro},
        {"decode odd tail", DecodeWideText(Chars({u'|', u'\\', 0, u'A', 0x20})), "A"},
        {"decode unmarked", DecodeWideText("a|\\b"), "a|\\b"},
        {"wide round trip", DecodeWideText(EncodeWideText(QString::fromUtf8("é€𝄞x"))),
         QString::fromUtf8("é€𝄞x")},
        // URLs and positions.
        {"contains ://", QString::number(ContainsURL("see http://x")), "1"},
        {"contains mailto", QString::number(ContainsURL("mailto:a@b")), "1"},
        {"contains MAILTO", QString::number(ContainsURL("MAILTO:a@b")), "0"},
        {"strip ://", Changed("a mailto: http://x/y", StripURLPrefix), "x/y"},
        {"strip mailto", Changed("<mailto:a@b", StripURLPrefix), "a@b"},
        {"strip none", Changed("plain", StripURLPrefix), "plain"},
        {"WidePos", QString::number(WidePos("c", "abcabc")), "3"},
        {"WidePos empty", QString::number(WidePos("", "abc")), "0"},
        {"FindPos", WithOut([](int& p) { return FindPos("ca", "abcab", p); }), "3/3"},
        {"FindPos absent", WithOut([](int& p) { return FindPos("x", "abc", p); }), "0/0"},
        {"PosInUpper", QString::number(PosInUpper("HTTP", "see http")), "5"},
        {"FindCharPos", QString::number(FindCharPos(u'x', "abc")), "0"},
        {"FindCharPosEx", WithOut([](int& p) { return FindCharPosEx(u'b', "abc", p); }), "2/2"},
        {"FindCharPosEx absent", WithOut([](int& p) { return FindCharPosEx(u'x', "abc", p); }), "0/42"},
        // Line codings.
        {"encode lines", EncodeLineChars("a\r\nb" + Chars({0})), "a\t" + Chars({8}) + "b" + Chars({1})},
        {"encode LF only", EncodeLineChars("a\nb\t"), "a\nb\t"},
        {"decode lines", DecodeLineChars("a\t" + Chars({8}) + "b", true), "a\r\nb"},
        {"decode first line", DecodeLineChars("a\t" + Chars({8}) + "b", false), "a"},
        {"decode TAB alone", DecodeLineChars("a\tb", false), "a\tb"},
        {"cut keep", Cut("a\r\n\nb\rc", true), "a|\nb\rc"},
        {"cut drop", Cut("a\r\nb", false), "a|"},
        {"cut no CR", Cut("abc", true), "abc|"},
        {"count lines", QString::number(CountTextLines("a\rb\rc", true)), "3"},
        {"count lines single", QString::number(CountTextLines("a\rb\rc", false)), "1"},
        {"escape", EscapeLineBreaks("a\r\nb"), "a\\nb"},
        {"unescape", UnescapeLineBreaks("a\\nb\\"), "a\rb\\"},
        {"html breaks", CRToHTMLBreaks("a\r\nb"), "a<br>\nb"},
        {"quote multiline", Changed("a\r\nb\rc", QuoteMultiLine), "\"a\vb\rc\""},
        {"VT", Changed("a\vb", VTToCRLF), "a\r\nb"},
        {"CRLF to LF", Changed("a\r\nb\rc", CRLFToLF), "a\nb\rc"},
        {"tilde", Changed(CR + LF, LineBreaksToTilde), "~"},
        {"from tilde", Changed("a~b", TildeToLineBreaks), "a\r\nb"},
        {"caret", Changed("^", TildeToLineBreaks), ""},
        {"remove CRs", RemoveCRs("a\r\nb\r"), "a\nb"},
        {"CR to LF", CRToLF("a\rb"), "a\nb"},
        // Quoting.
        {"double quotes", DoubleQuoteChars("a\"b"), "a\"\"b"},
        {"collapse three", CollapseDoubledChar(Quote, "\"\"\""), "\"\""},
        {"collapse four", CollapseDoubledChar(Quote, "a\"\"\"\"b"), "a\"\"b"},
        {"unpaired a\"b", Unpaired("a\"b"), "1@2"},
        {"unpaired \"\"x", Unpaired("\"\"x"), "0@0"},
        {"unpaired ab\"", Unpaired("ab\""), "1@3"},
        {"unpaired run of three", Unpaired("\"\"\"x"), "1@3"},
        {"count unpaired", QString::number(CountUnpairedChars(Quote, "a\"b\"c")), "2"},
        {"count unpaired none", QString::number(CountUnpairedChars(Quote, "\"\"x")), "0"},
        {"count char", QString::number(CountChar(u'a', "banana")), "3"},
        {"fill", Changed("abc", [](QString& s) { FillChars(s, u'*'); }), "***"},
        // Fields, lines, ranges.
        {"split", Split("a;b;c", ";"), "a|b;c"},
        {"split two-char sep", Split("a::b", "::"), "a|:b"},
        {"split no sep", Split("abc", ";"), "|abc"},
        {"concat", ConcatLines(lines), "abc"},
        {"limit 5,10,0", QString::number(LimitToRange(5, 10, 0)), "10"},
        {"limit 50,10,20", QString::number(LimitToRange(50, 10, 20)), "20"},
        {"limit 50,0,0", QString::number(LimitToRange(50, 0, 0)), "50"},
        {"limit -5,-3,10", QString::number(LimitToRange(-5, -3, 10)), "-5"},
        {"limit 7,4,4", QString::number(LimitToRange(7, 4, 4)), "7"},
        {"max/min", QString::number(IntMax(3, -4)) + QString::number(IntMin(3, -4)), "3-4"},
        {"in rect", QString::number(CellInGridRect(TGridRect{1, 2, 3, 4}, 3, 2)), "1"},
        {"outside rect", QString::number(CellInGridRect(TGridRect{1, 2, 3, 4}, 4, 2)), "0"},
        // References: failures leave the coordinate as it was.
        {"ref r12c3", RowCol("r12c3"), "1:3,12"},
        {"ref R1", RowCol("R1"), "0:-1,-1"},
        {"ref X1C1", RowCol("X1C1"), "0:-1,-1"},
        {"ref R1X", RowCol("R1X"), "0:-1,-1"},
        {"ref R1Ca", RowCol("R1Ca"), "0:-1,-1"},
        {"ref RC12", RowCol("RC12"), "0:-1,-1"},
        {"ref R1 C2", RowCol("R1 C2"), "0:-1,-1"},
        {"ref R-1C2", RowCol("R-1C2"), "0:-1,-1"},
        {"ref too big", RowCol("R99999999999C1"), "0:-1,-1"},
        // Mixed case.
        {"mixed McDonald", ToMixedCase("MCDONALD"), "McDonald"},
        {"mixed III", ToMixedCase("JOHN SMITH III"), "John Smith III"},
        {"mixed O'Neil", ToMixedCase("O'NEIL-JONES"), "O'Neil-Jones"},
        {"mixed inner Mc", ToMixedCase("ANN MCBRIDE"), "Ann McBride"},
        {"mixed II", ToMixedCase("henry ii"), "Henry II"},
        {"mixed Ivan", ToMixedCase("IVAN"), "Ivan"},
        // OEM code page.
        {"to OEM", Changed(QString::fromUtf8("é"), AnsiToOemText), QString(QChar(u'\u201A'))},
        {"from OEM", Changed(QString(QChar(u'\u201A')), OemToAnsiText), QString::fromUtf8("é")},
        {"no OEM euro", Changed(euro, AnsiToOemText), "?"},
        {"OEM ascii", Changed("Az09", AnsiToOemText), "Az09"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Got, c.Want) << c.What;
}

TEST(CellText, InsertURLAnchor)
{
    QString result = QStringLiteral("untouched");
    EXPECT_FALSE(InsertURLAnchor("no link here", "FTP://", result));
    EXPECT_EQ(result, "untouched");

    ASSERT_TRUE(InsertURLAnchor("see ftp://a.b/c?d", "FTP://", result));
    EXPECT_EQ(result, "see <a href=\"ftp://a.b/c\">ftp://a.b/c</a>?d");

    // Angle brackets are escaped before the URL is found; the URL runs to the end.
    ASSERT_TRUE(InsertURLAnchor("<b> HTTP://X.org/~a", "HTTP://", result));
    EXPECT_EQ(result, "&lt;b&gt; <a href=\"HTTP://X.org/\">HTTP://X.org/</a>~a");
    ASSERT_TRUE(InsertURLAnchor("http://a_b", "HTTP://", result));
    EXPECT_EQ(result, "<a href=\"http://a_b\">http://a_b</a>");
}

TEST(CellText, ClipboardEnvelope)
{
    QString s = QStringLiteral("0123456789");
    MakeClipboardHTML(s);
    const QStringList header = s.left(97).split("\r\n");
    EXPECT_EQ(header, (QStringList{"Version:1.0", "StartHTML:00000097", "EndHTML:00000316",
                                   "StartFragment:00000274", "EndFragment:00000284", ""}));
    EXPECT_EQ(s.size(), 316);
    EXPECT_EQ(s.mid(274, 10), "0123456789");
    EXPECT_TRUE(
        s.mid(97).startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><html>"));
    EXPECT_TRUE(s.left(274).endsWith("charset=iso-8859-1\"></head><body><!--StartFragment-->"));
    EXPECT_TRUE(s.endsWith("0123456789<!--EndFragment--></body></html>"));

    QString empty;
    MakeClipboardHTML(empty);
    EXPECT_EQ(empty.size(), 306);
    EXPECT_TRUE(empty.contains("EndFragment:00000274\r\n"));
}

} // namespace
