// The renderer's markup: text preparation, colours, attributes and the effect of each tag.
#include "grid/base/HtmlRenderInternal.h"
#include "grid/base/HtmlText.h"

#include <array>

namespace
{

TColor HighlightBack = clHighlight;
TColor HighlightText = clHighlightText;

struct TNamedColor {
    const char* Name;
    TColor Color;
};

const std::array<TNamedColor, 40> ColorNames = {{
    {"clred", clRed},
    {"clblack", clBlack},
    {"clblue", clBlue},
    {"clgreen", clGreen},
    {"claqua", clAqua},
    {"clyellow", clYellow},
    {"clfuchsia", clFuchsia},
    {"clwhite", clWhite},
    {"cllime", clLime},
    {"clsilver", clSilver},
    {"clgray", clGray},
    {"clolive", clOlive},
    {"clnavy", clNavy},
    {"clpurple", clPurple},
    {"clteal", clTeal},
    {"clmaroon", clMaroon},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
}};

// The entities replaced before layout ("&amp;" becomes "&&", which the text drawing shows as one "&").
struct TEntity {
    QLatin1String Name;
    QString Text;
};

const std::array<TEntity, 9>& LayoutEntities()
{
    static const std::array<TEntity, 9> entities = {{
        {QLatin1String("&amp;"), QStringLiteral("&&")},
        {QLatin1String("&quot;"), QStringLiteral("\"")},
        {QLatin1String("&sect;"), QString(QChar(0x00A7))},
        {QLatin1String("&permil;"), QString(QChar(0x2030))},
        {QLatin1String("&reg;"), QString(QChar(0x00AE))},
        {QLatin1String("&copy;"), QString(QChar(0x00A9))},
        {QLatin1String("&para;"), QString(QChar(0x00B6))},
        {QLatin1String("&trade;"), QString(QChar(0x2122))},
        {QLatin1String("&euro;"), QString(QChar(0x20AC))},
    }};
    return entities;
}

QChar FoldAZ(QChar c)
{
    return c >= 'a' && c <= 'z' ? QChar(c.unicode() - 32) : c;
}

// First occurrence of an ASCII pattern from `from`, ignoring the case of a..z.
qsizetype IndexOfFolded(const QString& text, QLatin1String pattern, qsizetype from = 0)
{
    const qsizetype n = pattern.size();
    for (qsizetype i = text.indexOf(QChar(pattern[0]), from); i >= 0 && i + n <= text.size();
         i = text.indexOf(QChar(pattern[0]), i + 1)) {
        qsizetype k = 1;
        while (k < n && FoldAZ(text[i + k]) == FoldAZ(QChar(pattern[k])))
            ++k;
        if (k == n)
            return i;
    }
    return -1;
}

bool ReplaceFirstFolded(QString& text, QLatin1String pattern, const QString& replacement)
{
    const qsizetype at = IndexOfFolded(text, pattern);
    if (at < 0)
        return false;
    text.replace(at, pattern.size(), replacement);
    return true;
}

int HexDigit(QChar c)
{
    const int u = c.unicode();
    return u >= '0' && u <= '9' ? u - '0' : u - 'A' + 10;
}

// A pair of hex digits; fewer than two characters count 0. The digits are not checked.
int HexPair(const QString& value, qsizetype at)
{
    if (at + 1 >= value.size())
        return 0;
    return (HexDigit(value[at]) * 16 + HexDigit(value[at + 1])) & 0xFF;
}

TColor HexColor(const QString& value, qsizetype hash)
{
    return TColor(HexPair(value, hash + 1)) + TColor(HexPair(value, hash + 3)) * 256 +
           TColor(HexPair(value, hash + 5)) * 65536;
}

TColor NamedColor(const QString& value)
{
    const QString name = value.toLower();
    for (const TNamedColor& c : ColorNames)
        if (name == QLatin1String(c.Name))
            return c.Color;
    return clBlack;
}

} // namespace

void SetHTMLHighlightColors(TColor BackColor, TColor TextColor)
{
    HighlightBack = BackColor;
    HighlightText = TextColor;
}

namespace htmlrender
{

bool ParseHTMLColor(const QString& Value, TColor& Color)
{
    if (Value.isEmpty())
        return false;
    Color = Value.startsWith('#') ? HexColor(Value, 0) : NamedColor(Value);
    return true;
}

bool HTMLTagAttribute(const QString& Upper, const QString& Source, const char* Name, QString& Value)
{
    const qsizetype at = Upper.indexOf(QLatin1String(Name));
    if (at < 0)
        return false;
    const qsizetype open = Source.indexOf('"', at);
    const qsizetype close = open < 0 ? -1 : Source.indexOf('"', open + 1);
    Value = close < 0 ? QString() : Source.mid(open + 1, close - open - 1);
    return true;
}

QString THtmlRenderer::PrepareText(const QString& Text)
{
    QString text = Text;
    if (text.contains('&')) {
        bool replaced = true;
        while (replaced) {
            replaced = false;
            for (const TEntity& e : LayoutEntities())
                replaced = ReplaceFirstFolded(text, e.Name, e.Text) || replaced;
        }
    }
    for (qsizetype at = text.indexOf(QLatin1String("<#")); at >= 0;
         at = text.indexOf(QLatin1String("<#"), at)) {
        text.remove(at, 1);
        const qsizetype gt = text.indexOf('>', at);
        if (gt >= 0)
            text.remove(gt, 1);
    }
    if (text.contains('\r'))
        text.replace('\r', QLatin1String("<BR>"));
    text.remove('\n');
    return text;
}

QString THtmlRenderer::RunText(QStringView Source)
{
    QString run = Source.toString();
    if (!run.contains('&'))
        return run;
    static const std::array<std::pair<QLatin1String, QString>, 3> entities = {{
        {QLatin1String("&nbsp;"), QStringLiteral(" ")},
        {QLatin1String("&lt;"), QStringLiteral("<")},
        {QLatin1String("&gt;"), QStringLiteral(">")},
    }};
    for (const auto& [name, text] : entities)
        while (run.contains(name))
            ReplaceFirstFolded(run, name, text);
    return run;
}

void THtmlRenderer::ApplyTag(TPass& P, const QString& Tag)
{
    const QString U = UpperCase(Tag);
    auto letter = [&](qsizetype i) { return i < U.size() ? U[i] : QChar(); };
    TFont* font = Canvas->Font;
    TBrush* brush = Canvas->Brush;
    const bool drawing = P.Drawing();
    QString value;

    if (letter(1) != '/') {
        switch (letter(1).unicode()) {
        case 'B':
            if (letter(2) == '>') {
                font->Style |= fsBold;
            } else if (letter(2) == 'R') {
                P.LineBreak = true;
                if (P.Kind == pkMeasure)
                    *PlainText += '\r';
            } else if (letter(2) == 'L') {
                if (!BlinkOn)
                    font->Color = EntryBrush;
            } else if (letter(2) == 'O' && drawing) {
                if (HTMLTagAttribute(U, Tag, "BACKGROUND", value))
                    if (THTMLPicture* picture = FindPicture(value))
                        TileBackground(picture);
                if (HTMLTagAttribute(U, U, "BGCOLOR", value)) {
                    TColor color = clNone;
                    bool known = true;
                    if (value.contains(QLatin1String("CL")))
                        color = NamedColor(value);
                    else if (value.contains('#'))
                        color = HexColor(value, value.indexOf('#'));
                    else
                        known = false;
                    if (known) {
                        BodyColor = brush->Color;
                        brush->Color = color;
                        Canvas->FillRect(Rect);
                    }
                }
            }
            break;
        case 'C':
            PlaceControl(P, Tag);
            break;
        case 'E':
            if (drawing)
                ErrorUnderline = true;
            break;
        case 'F': {
            if (HTMLTagAttribute(U, U, "FACE", value) && !value.isEmpty())
                font->Name = value;
            TColor color;
            if (!Selected && HTMLTagAttribute(U, U, " COLOR", value) && ParseHTMLColor(value, color))
                font->Color = color;
            if (drawing && !Selected) {
                FontSavedBack = brush->Color;
                if (HTMLTagAttribute(U, U, "BGCOLOR", value) && ParseHTMLColor(value, color))
                    brush->Color = color;
            }
            const qsizetype size = U.indexOf(QLatin1String("SIZE"));
            const qsizetype eq = size < 0 ? -1 : U.indexOf('=', size);
            if (eq >= 0) {
                QString number = U.mid(eq + 1);
                if (number.startsWith('"'))
                    number.remove(0, 1);
                const int n = HTMLLeadingInt(number);
                static constexpr int points[] = {0, 8, 10, 12, 14, 16};
                font->Size = n >= 1 && n <= 5 ? points[n] : n;
            }
            break;
        }
        case 'H':
            if (letter(2) == 'I') {
                if (drawing) {
                    HiSavedText = font->Color;
                    HiSavedBack = brush->Color;
                    font->Color = HighlightText;
                    brush->Color = HighlightBack;
                }
            } else if (letter(2) == 'R') {
                P.LineBreak = true;
                if (drawing) {
                    Canvas->Pen->Color = clBlack;
                    Canvas->Pen->Width = 1;
                    Canvas->MoveTo(P.R0.Left, P.E);
                    Canvas->LineTo(Rect.Right, P.E);
                }
            }
            break;
        case 'I':
            if (letter(2) == '>') {
                font->Style |= fsItalic;
            } else if (letter(2) == 'N') {
                const qsizetype x = U.indexOf('X', 2);
                if (x >= 0 && HTMLTagAttribute(U.mid(x), Tag.mid(x), "", value)) {
                    const int n = HTMLLeadingInt(value);
                    if (P.W < n) {
                        P.W = n;
                        P.R.Left = P.R0.Left + n;
                    }
                }
            } else if (letter(2) == 'M') {
                PlaceImage(P, Tag, U);
            }
            break;
        case 'L':
            if (P.LiSeen) {
                P.Stop = true;
                break;
            }
            P.LiSeen = true;
            P.W += ListIndentStep * ListLevel;
            P.R.Left = P.R0.Left + P.W;
            if (drawing) {
                const QString name = font->Name;
                font->Name = QStringLiteral("Symbol");
                TRect bullet(P.R.Left - ListIndentStep, P.R0.Top, P.R.Left, P.E - ImgAli);
                DrawTextEx(Canvas, ListLevel % 2 ? QString(QChar(0x00B7)) : QStringLiteral("o"), -1, bullet,
                           Flags | DT_NOPREFIX | DT_NOCLIP);
                font->Name = name;
            }
            break;
        case 'P':
            if (HTMLTagAttribute(U, U, "ALIGN", value)) {
                if (value.contains(QLatin1String("RIGHT")))
                    Align = 1;
                if (value.contains(QLatin1String("LEFT")))
                    Align = 0;
                if (value.contains(QLatin1String("CENTER")))
                    Align = 2;
            }
            if (HTMLTagAttribute(U, U, "INDENT", value))
                Indent = HTMLLeadingInt(value);
            if (drawing) {
                TColor color;
                if (HTMLTagAttribute(U, U, "BGCOLOR", value) && ParseHTMLColor(value, color)) {
                    ParaSavedBack = brush->Color;
                    ParaBack = true;
                    brush->Color = color;
                    Canvas->Pen->Color = color;
                    Canvas->FillRect(TRect(Rect.Left, P.R0.Top, Rect.Right, P.R0.Top + H));
                }
            }
            break;
        case 'R': {
            const qsizetype a = U.indexOf('A', 2);
            int degrees = 0;
            if (a >= 0 && HTMLTagAttribute(U.mid(a), Tag.mid(a), "", value))
                degrees = HTMLLeadingInt(value);
            SavedOrientations.push_back(font->Orientation);
            font->Orientation = degrees * 10;
            break;
        }
        case 'S':
            if (letter(2) == '>')
                font->Style |= fsStrikeOut;
            else if (letter(2) == 'H')
                Shadow = true;
            else if (U.startsWith(QLatin1String("<SUB>")))
                Sub = true;
            else if (U.startsWith(QLatin1String("<SUP>")))
                Sup = true;
            break;
        case 'U':
            if (letter(2) == '>') {
                font->Style |= fsUnderline;
            } else {
                ++ListLevel;
                P.LineBreak = true;
            }
            break;
        case 'A':
            StartAnchor(P, Tag, U);
            break;
        case 'Z':
            Hidden = true;
            break;
        default:
            break;
        }
        return;
    }

    switch (letter(2).unicode()) {
    case 'A':
        EndAnchor(P);
        break;
    case 'B':
        if (letter(3) == '>')
            font->Style &= TFontStyles(~fsBold);
        else
            font->Color = BaseFont.Color;
        break;
    case 'E':
        if (drawing)
            ErrorUnderline = false;
        break;
    case 'F':
        font->Name = BaseFont.Name.get();
        font->Size = BaseFont.Size.get();
        if (drawing && !Selected) {
            font->Color = BaseFont.Color;
            brush->Color = FontSavedBack;
        }
        break;
    case 'H':
        if (drawing) {
            font->Color = HiSavedText;
            brush->Color = HiSavedBack;
        }
        break;
    case 'I':
        font->Style &= TFontStyles(~fsItalic);
        break;
    case 'L':
        P.LineBreak = true;
        break;
    case 'P':
        P.LineBreak = true;
        if (drawing) {
            brush->Color = ParaSavedBack;
            ParaBack = false;
        }
        break;
    case 'R':
        if (!SavedOrientations.empty()) {
            font->Orientation = SavedOrientations.back();
            SavedOrientations.pop_back();
        } else {
            font->Orientation = BaseFont.Orientation.get();
        }
        break;
    case 'S':
        if (letter(3) == 'U') {
            Sub = false;
            Sup = false;
        } else if (letter(3) == 'H') {
            Shadow = false;
        } else {
            font->Style &= TFontStyles(~fsStrikeOut);
        }
        break;
    case 'U':
        if (letter(3) == '>')
            font->Style &= TFontStyles(~fsUnderline);
        else if (ListLevel > 0)
            --ListLevel;
        else
            font->Style &= TFontStyles(~fsUnderline);
        break;
    case 'Z':
        Hidden = false;
        break;
    default:
        break;
    }
}

} // namespace htmlrender
