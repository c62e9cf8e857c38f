// Line-break codings, quoting and code-page conversion of cell texts.
#include "grid/base/CellText.h"

#include "platform/core/SysUtils.h"

namespace
{
constexpr QChar CR(u'\r');
constexpr QChar LF(u'\n');
constexpr QChar VT(u'\v');
constexpr QChar TAB(u'\t');
constexpr QChar LineMark(char16_t(8)); // LF inside a single-line field
constexpr QChar NulMark(char16_t(1));  // character 0 inside a field
const QString CRLF = QStringLiteral("\r\n");

struct TCharSwap {
    QChar From;
    QChar To;
};

// Text with every From character of the swaps replaced by its To, all in one pass.
QString SwapChars(const QString& Text, std::initializer_list<TCharSwap> Swaps)
{
    QString s = Text;
    for (QChar& c : s)
        for (const TCharSwap& swap : Swaps)
            if (c == swap.From) {
                c = swap.To;
                break;
            }
    return s;
}
} // namespace

QString EncodeLineChars(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    return SwapChars(Text, {{CR, TAB}, {LF, LineMark}, {QChar(0), NulMark}});
}

QString DecodeLineChars(const QString& Text, bool MultiLine)
{
    if (!Text.contains(LineMark))
        return Text;
    QString s = SwapChars(Text, {{TAB, CR}, {LineMark, LF}, {NulMark, QChar(0)}});
    if (!MultiLine) {
        QString line;
        CutFirstLine(s, false, line);
        return line;
    }
    return s;
}

void CutFirstLine(QString& Text, bool KeepRest, QString& Line)
{
    const qsizetype cr = Text.indexOf(CR);
    if (cr < 0) {
        Line = Text;
        Text.clear();
        return;
    }
    Line = Text.left(cr);
    if (!KeepRest) {
        Text.clear();
        return;
    }
    qsizetype cut = cr + 1;
    if (cut < Text.size() && Text[cut] == LF)
        ++cut;
    Text.remove(0, cut);
}

int CountTextLines(const QString& Text, bool MultiLine)
{
    return MultiLine ? 1 + int(Text.count(CR)) : 1;
}

QString EscapeLineBreaks(const QString& Text)
{
    QString s;
    s.reserve(Text.size());
    for (QChar c : Text) {
        if (c == CR)
            s += QLatin1String("\\n");
        else if (c != LF)
            s += c;
    }
    return s;
}

QString UnescapeLineBreaks(const QString& Text)
{
    QString s = Text;
    return s.replace(QLatin1String("\\n"), QString(CR));
}

QString CRToHTMLBreaks(const QString& Text)
{
    QString s = Text;
    return s.replace(CR, QLatin1String("<br>"));
}

void QuoteMultiLine(QString& S)
{
    S.replace(CRLF, QString(VT));
    S = QLatin1Char('"') + S + QLatin1Char('"');
}

void VTToCRLF(QString& S)
{
    S.replace(VT, CRLF);
}

void CRLFToLF(QString& S)
{
    S.replace(CRLF, QString(LF));
}

void LineBreaksToTilde(QString& S)
{
    S.remove(LF);
    S.replace(CR, QLatin1Char('~'));
}

void TildeToLineBreaks(QString& S)
{
    S.replace(QLatin1Char('~'), CRLF);
    // "^" is how an empty cell is written where an empty field would be lost.
    if (S == QLatin1String("^"))
        S.clear();
}

QString RemoveCRs(const QString& Text)
{
    QString s = Text;
    return s.remove(CR);
}

QString CRToLF(const QString& Text)
{
    QString s = Text;
    return s.replace(CR, LF);
}

QString DoubleQuoteChars(const QString& Text)
{
    QString s = Text;
    return s.replace(QLatin1Char('"'), QLatin1String("\"\""));
}

QString CollapseDoubledChar(QChar Ch, const QString& Text)
{
    if (!Text.contains(Ch))
        return Text;
    QString s;
    s.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        s += Text[i];
        if (Text[i] == Ch && i + 1 < Text.size() && Text[i + 1] == Ch)
            ++i;
    }
    return s;
}

bool FindUnpairedChar(QChar Ch, const QString& Text, int& Pos)
{
    const int n = int(Text.size());
    int run = 0;
    for (int i = 0; i < n; ++i) {
        if (Text[i] == Ch) {
            if (i == n - 1) {
                Pos = n;
                return true;
            }
            ++run;
        } else if (run % 2 == 1) {
            Pos = i; // 1-based position of the character before this one
            return true;
        } else {
            run = 0;
        }
    }
    Pos = 0;
    return false;
}

int CountUnpairedChars(QChar Ch, const QString& Text)
{
    int count = 0;
    int pos = 0;
    QString cut = Text;
    while (FindUnpairedChar(Ch, cut, pos)) {
        ++count;
        cut.remove(0, pos);
    }
    return count;
}

int CountChar(QChar Ch, const QString& Text)
{
    return int(Text.count(Ch));
}

void FillChars(QString& S, QChar Ch)
{
    S.fill(Ch);
}

void AnsiToOemText(QString& S)
{
    S = DecodeWindows1252(EncodeCp850(S));
}

void OemToAnsiText(QString& S)
{
    S = DecodeCp850(EncodeWindows1252(S));
}
