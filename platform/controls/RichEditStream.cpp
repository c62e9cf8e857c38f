// The rich edit's RTF reader and writer.
#include "platform/controls/RichEditStream.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{

// Windows-1252 0x80..0x9F; the undefined bytes map to themselves, as the system does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

enum TDest : uint8_t { dText, dSkip, dFontTable, dColorTable };

// What a group carries; a nested group starts as a copy of its parent.
struct TGroupState {
    int Font = -1;       // font table index, -1 = the default font
    int HalfPoints = -1; // -1 = the document's size
    int Color = 0;       // colour table index, 0 = automatic
    int Offset = 0;      // twips, positive up
    int8_t SuperSub = 0; // 1 \super, -1 \sub
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    uint8_t Align = 0; // 0 left, 1 centre, 2 right
    uint8_t Uc = 1;
    TDest Dest = dText;

    bool SameChars(const TGroupState& o) const
    {
        return Font == o.Font && HalfPoints == o.HalfPoints && Color == o.Color && Offset == o.Offset &&
               SuperSub == o.SuperSub && Bold == o.Bold && Italic == o.Italic && Underline == o.Underline &&
               Strike == o.Strike;
    }
    void PlainChars()
    {
        Font = -1;
        HalfPoints = -1;
        Color = 0;
        Offset = 0;
        SuperSub = 0;
        Bold = Italic = Underline = Strike = false;
    }
};

bool IsSkippedDestination(const char* w)
{
    static const char* const names[] = {"info",         "stylesheet", "pict",
                                        "header",       "footer",     "headerl",
                                        "headerr",      "footerl",    "footerr",
                                        "footnote",     "object",     "fldinst",
                                        "themedata",    "listtable",  "listoverridetable",
                                        "rsidtbl",      "generator",  "xmlnstbl",
                                        "latentstyles", "datastore",  "colorschememapping",
                                        "filetbl",      "revtbl",     "mmathPr"};
    for (const char* n : names)
        if (std::strcmp(n, w) == 0)
            return true;
    return false;
}

class TRtfReader
{
  public:
    TRtfReader(const QByteArray& rtf, QTextDocument* doc) : src_(rtf), doc_(doc), cursor_(doc) {}

    void Run()
    {
        doc_->clear();
        cursor_ = QTextCursor(doc_);
        cursor_.beginEditBlock();
        stack_.reserve(16);
        const char* p = src_.constData();
        const int n = int(src_.size());
        int i = 0;
        while (i < n) {
            const char c = p[i];
            if (c == '{') {
                stack_.push_back(st_);
                skip_ = 0;
                ++i;
            } else if (c == '}') {
                EndGroup();
                ++i;
            } else if (c == '\\') {
                i = ControlAt(p, n, i + 1);
            } else if (c == '\r' || c == '\n' || c == 0) {
                ++i;
            } else {
                Byte(uint8_t(c));
                ++i;
            }
        }
        // A final \par closes the last paragraph; it opens none.
        if (pendingPars_ > 0)
            --pendingPars_;
        FlushPars();
        Flush();
        // The last paragraph ends with the document: its alignment is the last one set, even when
        // the group that set it has closed.
        SetAlign(paraAlign_);
        cursor_.endEditBlock();
    }

  private:
    void EndGroup()
    {
        if (st_.Dest == dFontTable)
            EndFontName();
        // A brace that closes nothing is dropped.
        if (stack_.empty())
            return;
        if (st_.Dest == dText && !st_.SameChars(stack_.back()))
            FlushIfPending();
        st_ = stack_.back();
        stack_.pop_back();
        skip_ = 0;
    }

    // Reads one control word or symbol starting after the backslash; returns the next index.
    int ControlAt(const char* p, int n, int i)
    {
        if (i >= n)
            return n;
        const char c = p[i];
        if (!IsLetter(c)) {
            if (c == '\'') {
                // \'hh: a truncated escape reads as nothing.
                int v = 0, digits = 0;
                for (int k = i + 1; k < n && digits < 2; ++k, ++digits) {
                    const int d = HexDigit(p[k]);
                    if (d < 0)
                        break;
                    v = v * 16 + d;
                }
                if (digits == 2)
                    Byte(uint8_t(v), true);
                return i + 1 + digits;
            }
            if (c == '*') {
                st_.Dest = dSkip;
                return i + 1;
            }
            if (c == '\\' || c == '{' || c == '}')
                Char(QChar(c));
            else if (c == '~')
                Char(QChar(0xA0));
            else if (c == '_')
                Char(QChar(0x2011));
            else if (c == '\r' || c == '\n')
                Par();
            return i + 1;
        }
        char word[33];
        int len = 0;
        while (i < n && IsLetter(p[i])) {
            if (len < 32)
                word[len++] = p[i];
            ++i;
        }
        word[len] = 0;
        bool hasParam = false, negative = false;
        long long param = 0;
        if (i < n && p[i] == '-' && i + 1 < n && IsDigit(p[i + 1])) {
            negative = true;
            ++i;
        }
        int digits = 0;
        while (i < n && IsDigit(p[i])) {
            if (digits < 10)
                param = param * 10 + (p[i] - '0');
            ++digits;
            ++i;
            hasParam = true;
        }
        if (negative)
            param = -param;
        if (i < n && p[i] == ' ')
            ++i;
        Word(word, hasParam, int(std::clamp<long long>(param, INT32_MIN, INT32_MAX)));
        return i;
    }

    void Word(const char* w, bool hasParam, int v)
    {
        auto is = [w](const char* name) { return std::strcmp(w, name) == 0; };
        const int on = hasParam ? v : 1;
        if (st_.Dest == dSkip)
            return;
        if (st_.Dest == dColorTable) {
            if (is("red"))
                red_ = v;
            else if (is("green"))
                green_ = v;
            else if (is("blue"))
                blue_ = v;
            return;
        }
        if (st_.Dest == dFontTable) {
            if (is("f")) {
                EndFontName();
                fontDef_ = v;
            }
            return;
        }
        if (is("fonttbl")) {
            st_.Dest = dFontTable;
            fontDef_ = -1;
        } else if (is("colortbl")) {
            st_.Dest = dColorTable;
            red_ = green_ = blue_ = -1;
        } else if (IsSkippedDestination(w)) {
            st_.Dest = dSkip;
        } else if (is("par")) {
            Par();
        } else if (is("line")) {
            Char(QChar(QChar::LineSeparator));
        } else if (is("tab")) {
            Char(QChar('\t'));
        } else if (is("b")) {
            st_.Bold = on != 0;
        } else if (is("i")) {
            st_.Italic = on != 0;
        } else if (is("ul")) {
            st_.Underline = on != 0;
        } else if (is("ulnone")) {
            st_.Underline = false;
        } else if (is("strike")) {
            st_.Strike = on != 0;
        } else if (is("f")) {
            st_.Font = v;
        } else if (is("fs")) {
            st_.HalfPoints = hasParam && v > 0 ? std::min(v, 3276) : -1;
        } else if (is("cf")) {
            st_.Color = v;
        } else if (is("up")) {
            st_.Offset = (hasParam ? std::clamp(v, -3276, 3276) : 6) * 10;
        } else if (is("dn")) {
            st_.Offset = -(hasParam ? std::clamp(v, -3276, 3276) : 6) * 10;
        } else if (is("super")) {
            st_.SuperSub = 1;
        } else if (is("sub")) {
            st_.SuperSub = -1;
        } else if (is("nosupersub")) {
            st_.SuperSub = 0;
            st_.Offset = 0;
        } else if (is("plain")) {
            st_.PlainChars();
        } else if (is("pard")) {
            st_.Align = 0;
            paraAlign_ = 0;
        } else if (is("ql")) {
            st_.Align = 0;
            paraAlign_ = 0;
        } else if (is("qc")) {
            st_.Align = 1;
            paraAlign_ = 1;
        } else if (is("qr")) {
            st_.Align = 2;
            paraAlign_ = 2;
        } else if (is("deff")) {
            deff_ = v;
        } else if (is("uc")) {
            st_.Uc = uint8_t(std::clamp(v, 0, 255));
        } else if (is("u") && hasParam) {
            Char(QChar(char16_t(v < 0 ? v + 65536 : v)));
            skip_ = st_.Uc;
        }
    }

    void Byte(uint8_t b, bool escaped = false)
    {
        if (st_.Dest == dColorTable) {
            if (b == ';') {
                colors_.push_back(red_ < 0 && green_ < 0 && blue_ < 0
                                      ? QColor()
                                      : QColor(std::clamp(red_, 0, 255), std::clamp(green_, 0, 255),
                                               std::clamp(blue_, 0, 255)));
                red_ = green_ = blue_ = -1;
            }
            return;
        }
        if (!escaped && (b == '\t')) {
            Char(QChar('\t'));
            return;
        }
        Char(Cp1252ToChar(b));
    }

    void Char(QChar ch)
    {
        if (skip_ > 0) {
            --skip_;
            return;
        }
        if (st_.Dest == dFontTable) {
            if (ch == ';')
                EndFontName();
            else if (fontDef_ >= 0)
                fontName_ += ch;
            return;
        }
        if (st_.Dest != dText)
            return;
        if (pendingPars_ > 0)
            FlushPars();
        if (!run_.isEmpty() && !runState_.SameChars(st_))
            Flush();
        if (run_.isEmpty())
            runState_ = st_;
        paraAlign_ = st_.Align;
        run_ += ch;
    }

    void Par()
    {
        if (st_.Dest != dText)
            return;
        if (pendingPars_ > 0)
            FlushPars();
        Flush();
        SetAlign(st_.Align);
        ++pendingPars_;
    }

    void FlushPars()
    {
        Flush();
        for (; pendingPars_ > 0; --pendingPars_)
            cursor_.insertBlock();
    }

    void FlushIfPending()
    {
        if (!run_.isEmpty())
            Flush();
    }

    void Flush()
    {
        if (run_.isEmpty())
            return;
        SetAlign(st_.Align);
        cursor_.insertText(run_, Format(runState_));
        run_.clear();
    }

    void SetAlign(uint8_t a)
    {
        const Qt::Alignment want = a == 1 ? Qt::AlignHCenter : a == 2 ? Qt::AlignRight : Qt::AlignLeft;
        QTextBlockFormat bf = cursor_.blockFormat();
        if (bf.alignment() != want) {
            bf.setAlignment(want);
            cursor_.setBlockFormat(bf);
        }
    }

    QTextCharFormat Format(const TGroupState& s)
    {
        QTextCharFormat f;
        const int font = s.Font >= 0 ? s.Font : deff_;
        const auto it = fonts_.constFind(font);
        if (it != fonts_.constEnd() && !it->isEmpty())
            f.setFontFamilies(QStringList{*it});
        if (s.HalfPoints > 0)
            f.setFontPointSize(s.HalfPoints / 2.0);
        if (s.Bold)
            f.setFontWeight(QFont::Bold);
        if (s.Italic)
            f.setFontItalic(true);
        if (s.Underline)
            f.setFontUnderline(true);
        if (s.Strike)
            f.setFontStrikeOut(true);
        if (s.Color > 0 && s.Color < int(colors_.size()) && colors_[size_t(s.Color)].isValid())
            f.setForeground(colors_[size_t(s.Color)]);
        if (s.Offset != 0) {
            f.setProperty(RichOffsetProperty, s.Offset);
            f.setVerticalAlignment(s.Offset > 0 ? QTextCharFormat::AlignSuperScript
                                                : QTextCharFormat::AlignSubScript);
        } else if (s.SuperSub != 0) {
            f.setVerticalAlignment(s.SuperSub > 0 ? QTextCharFormat::AlignSuperScript
                                                  : QTextCharFormat::AlignSubScript);
        }
        return f;
    }

    void EndFontName()
    {
        if (fontDef_ >= 0)
            fonts_.insert(fontDef_, fontName_.trimmed());
        fontDef_ = -1;
        fontName_.clear();
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static int HexDigit(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    const QByteArray& src_;
    QTextDocument* doc_;
    QTextCursor cursor_;
    std::vector<TGroupState> stack_;
    TGroupState st_;
    TGroupState runState_;
    QString run_;
    int pendingPars_ = 0;
    uint8_t paraAlign_ = 0;
    int skip_ = 0;
    int deff_ = 0;
    QHash<int, QString> fonts_;
    int fontDef_ = -1;
    QString fontName_;
    std::vector<QColor> colors_;
    int red_ = -1, green_ = -1, blue_ = -1;
};

void AppendText(QByteArray& out, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n' || u == '\r') {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else {
            const int b = CharToCp1252(ch);
            if (b >= 0x80) {
                static const char hex[] = "0123456789abcdef";
                out += "\\'";
                out += hex[b >> 4];
                out += hex[b & 15];
            } else {
                out += "\\u";
                out += QByteArray::number(int(int16_t(u)));
                out += '?';
            }
        }
    }
}

} // namespace

QChar Cp1252ToChar(unsigned char Byte)
{
    if (Byte >= 0x80 && Byte < 0xA0)
        return QChar(Cp1252High[Byte - 0x80]);
    return QChar(char16_t(Byte));
}

int CharToCp1252(QChar Ch)
{
    const char16_t u = Ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (size_t i = 0; i < Cp1252High.size(); ++i)
        if (Cp1252High[i] == u)
            return int(0x80 + i);
    return -1;
}

void ReadRTF(const QByteArray& Rtf, QTextDocument* Doc)
{
    TRtfReader(Rtf, Doc).Run();
}

QByteArray WriteRTF(const QTextDocument* Doc)
{
    const QFont base = Doc->defaultFont();
    QStringList fonts;
    std::vector<QColor> colors;
    auto fontIndex = [&fonts](const QString& name) {
        int i = int(fonts.indexOf(name));
        if (i < 0) {
            fonts.append(name);
            i = int(fonts.size()) - 1;
        }
        return i;
    };
    auto colorIndex = [&colors](const QColor& c) {
        for (size_t i = 0; i < colors.size(); ++i)
            if (colors[i] == c)
                return int(i) + 1;
        colors.push_back(c);
        return int(colors.size());
    };
    fontIndex(base.family());

    QByteArray body;
    for (QTextBlock block = Doc->begin(); block.isValid(); block = block.next()) {
        body += "\\pard";
        const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            body += "\\qc";
        else if (a & Qt::AlignRight)
            body += "\\qr";
        body += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const QTextCharFormat f = frag.charFormat();
            const QFont font = f.font().resolve(base);
            body += "{\\f";
            body += QByteArray::number(fontIndex(font.family()));
            body += "\\fs";
            body += QByteArray::number(int(std::lround(font.pointSizeF() * 2)));
            if (font.bold())
                body += "\\b";
            if (font.italic())
                body += "\\i";
            if (font.underline())
                body += "\\ul";
            if (font.strikeOut())
                body += "\\strike";
            if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush) {
                body += "\\cf";
                body += QByteArray::number(colorIndex(f.foreground().color()));
            }
            const int offset = f.intProperty(RichOffsetProperty);
            if (offset > 0) {
                body += "\\up";
                body += QByteArray::number(offset / 10);
            } else if (offset < 0) {
                body += "\\dn";
                body += QByteArray::number(-offset / 10);
            } else if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
                body += "\\super";
            } else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) {
                body += "\\sub";
            }
            body += ' ';
            AppendText(body, frag.text());
            body += '}';
        }
        body += "\\par";
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f";
        out += QByteArray::number(i);
        out += "\\fnil ";
        AppendText(out, fonts[i]);
        out += ";}";
    }
    out += '}';
    if (!colors.empty()) {
        out += "{\\colortbl ;";
        for (const QColor& c : colors) {
            out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) +
                   "\\blue" + QByteArray::number(c.blue()) + ';';
        }
        out += '}';
    }
    out += body;
    out += '}';
    return out;
}
