// Classification, wide text, URLs, positions, mixed case and the clipboard envelope.
// Line codings and quoting are in CellTextLines.cpp.
#include "grid/base/CellText.h"

#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

namespace
{
constexpr char16_t WideMarker0 = u'|';
constexpr char16_t WideMarker1 = u'\\';

bool HasWideMarker(const QString& Text)
{
    return Text.size() >= 2 && Text[0] == QChar(WideMarker0) && Text[1] == QChar(WideMarker1);
}

// Character i (0-based) of Text with a blank appended.
char16_t WithBlankAt(const QString& Text, qsizetype i)
{
    return i < Text.size() ? Text[i].unicode() : u' ';
}

// Any of "</", "<B", "<I", "<C".
bool HasHTMLTag(const QString& Text)
{
    const QChar* p = Text.constData();
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i + 1 < n; ++i)
        if (p[i] == u'<') {
            const char16_t next = p[i + 1].unicode();
            if (next == u'/' || next == u'B' || next == u'I' || next == u'C')
                return true;
        }
    return false;
}

bool IsURLChar(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
        return true;
    return QStringView(u"%()-./:@\\_{}").contains(QChar(c));
}

bool IsAsciiDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}
} // namespace

// ---- Classification, wide text and URLs ---------------------------------------------------------

uint8_t CellTextKind(const QString& Text, bool AllowHTML)
{
    if (Text.isEmpty())
        return ctkPlain;
    const char16_t first = Text[0].unicode();
    if (first == u'=')
        return ctkFormula;
    const char16_t second = WithBlankAt(Text, 1);
    if (first == WideMarker0 && second == WideMarker1) {
        // A coded "=" (0, '=') right after the marker: a formula held as wide text.
        if (Text.size() + 1 > 4 && WithBlankAt(Text, 3) == u'=' && WithBlankAt(Text, 4) == 0)
            return ctkFormula;
        return ctkWideText;
    }
    if (first == u'{' && second == u'\\')
        return ctkRichText;
    return AllowHTML && HasHTMLTag(Text) ? ctkHTML : ctkPlain;
}

QString EncodeWideText(const QString& W)
{
    QString s;
    s.reserve(2 + 2 * W.size());
    s += QChar(WideMarker0);
    s += QChar(WideMarker1);
    for (QChar c : W) {
        s += QChar(char16_t(c.unicode() >> 8));
        s += QChar(char16_t(c.unicode() & 0xFF));
    }
    return s;
}

QString DecodeWideText(const QString& Text)
{
    if (!HasWideMarker(Text))
        return Text;
    QString s;
    s.reserve((Text.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < Text.size(); i += 2)
        s += QChar(char16_t(Text[i + 1].unicode() + Text[i].unicode() * 256));
    return s;
}

int WidePos(const QString& Sub, const QString& S)
{
    return Sub.isEmpty() ? 0 : int(S.indexOf(Sub)) + 1;
}

bool ContainsURL(const QString& Text)
{
    return Text.contains(QLatin1String("://")) || Text.contains(QLatin1String("mailto:"));
}

void StripURLPrefix(QString& Text)
{
    for (QLatin1String prefix : {QLatin1String("://"), QLatin1String("mailto:")}) {
        const qsizetype i = Text.indexOf(prefix);
        if (i >= 0) {
            Text.remove(0, i + prefix.size());
            return;
        }
    }
}

bool InsertURLAnchor(const QString& Text, const QString& Prefix, QString& Result)
{
    if (Prefix.isEmpty() || !UpperCase(Text).contains(Prefix))
        return false;
    QString r = Text;
    r.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    r.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    const qsizetype start = UpperCase(r).indexOf(Prefix);
    qsizetype end = start;
    while (end < r.size() && IsURLChar(r[end].unicode()))
        ++end;
    const QString url = r.mid(start, end - start);
    r.insert(end, QLatin1String("</a>"));
    r.insert(start, QLatin1String("<a href=\"") + url + QLatin1String("\">"));
    Result = r;
    return true;
}

// ---- Positions, lists and integers ---------------------------------------------------------------

int FindPos(const QString& Sub, const QString& Text, int& Index)
{
    Index = WidePos(Sub, Text);
    return Index;
}

int PosInUpper(const QString& Sub, const QString& Text)
{
    return WidePos(Sub, UpperCase(Text));
}

int FindCharPos(QChar Ch, const QString& Text)
{
    return int(Text.indexOf(Ch)) + 1;
}

int FindCharPosEx(QChar Ch, const QString& Text, int& Pos)
{
    const int p = FindCharPos(Ch, Text);
    if (p > 0)
        Pos = p;
    return p;
}

void SplitOffField(QString& Line, const QString& Sep, QString& Field)
{
    const int p = WidePos(Sep, Line);
    if (p == 0) {
        Field.clear();
        return;
    }
    Field = Line.left(p - 1);
    Line.remove(0, p);
}

QString ConcatLines(const TStrings& Strings)
{
    QString s;
    for (int i = 0; i < Strings.Count(); ++i)
        s += Strings[i];
    return s;
}

bool ParseRowColRef(const QString& Text, TGridCoord& Coord)
{
    const QString s = UpperCase(Text);
    if (s.size() < 4 || s[0] != u'R')
        return false;
    const qsizetype c = s.indexOf(QLatin1Char('C'), 1);
    if (c < 0)
        return false;
    const QStringView row = QStringView(s).mid(1, c - 1);
    const QStringView col = QStringView(s).mid(c + 1);
    if (!IsAsciiDigits(row) || !IsAsciiDigits(col))
        return false;
    bool rowOk = false, colOk = false;
    const int r = row.toInt(&rowOk);
    const int k = col.toInt(&colOk);
    if (!rowOk || !colOk)
        return false;
    Coord.X = k;
    Coord.Y = r;
    return true;
}

bool CellInGridRect(const TGridRect& Rect, int Col, int Row)
{
    return Rect.Left <= Col && Col <= Rect.Right && Rect.Top <= Row && Row <= Rect.Bottom;
}

int IntMax(int A, int B)
{
    return A > B ? A : B;
}

int IntMin(int A, int B)
{
    return A < B ? A : B;
}

int LimitToRange(int Value, int Min, int Max)
{
    if (Min == Max)
        return Value;
    const int low = Value < Min && Min > 0 ? Min : Value;
    return Value > Max && Max > 0 ? Max : low;
}

// ---- Mixed case and clipboard --------------------------------------------------------------------

QString ToMixedCase(const QString& Text)
{
    QString r = Text;
    const qsizetype n = r.size();
    bool wordStart = true;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = r[i];
        if (c == u' ' || c == u',' || c == u'.' || c == u'-' || c == u'\'') {
            wordStart = true;
        } else {
            r[i] = wordStart ? c.toUpper() : c.toLower();
            wordStart = false;
        }
        const qsizetype pos = i + 1; // 1-based position of the character just done
        const QStringView done = QStringView(r).left(pos);
        if (done == u"Mc") {
            wordStart = true;
        } else if (pos > 2 && r.indexOf(QLatin1String(" Mc")) + 3 == pos) {
            wordStart = true;
        } else if (pos > n - 3 && (done.endsWith(u" I") || done.endsWith(u" II"))) {
            // Roman numerals at the end: "III", not "Iii".
            wordStart = true;
        }
    }
    return r;
}

void MakeClipboardHTML(QString& Fragment)
{
    // Offsets are in characters of the result; the parts before the fragment are fixed.
    constexpr int HeaderLength = 97;
    constexpr int FragmentStart = 274;
    constexpr int TrailerLength = 32;
    const int n = int(Fragment.size());
    const auto number = [](int v) { return QStringLiteral("%1").arg(v, 8, 10, QLatin1Char('0')); };
    QString s;
    s.reserve(FragmentStart + n + TrailerLength);
    s += QLatin1String("Version:1.0\r\n");
    s += QLatin1String("StartHTML:") + number(HeaderLength) + QLatin1String("\r\n");
    s += QLatin1String("EndHTML:") + number(FragmentStart + n + TrailerLength) + QLatin1String("\r\n");
    s += QLatin1String("StartFragment:") + number(FragmentStart) + QLatin1String("\r\n");
    s += QLatin1String("EndFragment:") + number(FragmentStart + n) + QLatin1String("\r\n");
    s += QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    s += QLatin1String("<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\">"
                       "</head><body><!--StartFragment-->");
    s += Fragment;
    s += QLatin1String("<!--EndFragment--></body></html>");
    Fragment = s;
}
