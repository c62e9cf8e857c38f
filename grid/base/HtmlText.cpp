#include "grid/base/HtmlText.h"

#include "platform/core/SysUtils.h"

#include <algorithm>
#include <limits>

const std::array<THTMLEntity, HTMLEntityCount> HTMLEntities = {{
    {QChar(0x00E9), "&eacute;"}, {QChar(0x00E8), "&egrave;"}, {QChar(0x00EB), "&euml;"},
    {QChar(0x00EA), "&ecirc;"},  {QChar(0x00F3), "&oacute;"}, {QChar(0x00F2), "&ograve;"},
    {QChar(0x00F6), "&ouml;"},   {QChar(0x00F4), "&ocirc;"},  {QChar(0x00ED), "&iacute;"},
    {QChar(0x00EC), "&igrave;"}, {QChar(0x00EF), "&iuml;"},   {QChar(0x00EE), "&icirc;"},
    {QChar(0x00FA), "&uacute;"}, {QChar(0x00F9), "&ugrave;"}, {QChar(0x00FC), "&uuml;"},
    {QChar(0x00FB), "&ucirc;"},  {QChar(0x00E1), "&aacute;"}, {QChar(0x00E0), "&agrave;"},
    {QChar(0x00E4), "&auml;"},   {QChar(0x00E2), "&acirc;"},  {QChar(0x00C9), "&Eacute;"},
    {QChar(0x00C8), "&Egrave;"}, {QChar(0x00CB), "&Euml;"},   {QChar(0x00CA), "&Ecirc;"},
    {QChar(0x00D3), "&Oacute;"}, {QChar(0x00D2), "&Ograve;"}, {QChar(0x00D6), "&Ouml;"},
    {QChar(0x00D4), "&Ocirc;"},  {QChar(0x00CD), "&Iacute;"}, {QChar(0x00CC), "&Igrave;"},
    {QChar(0x00CF), "&Iuml;"},   {QChar(0x00CE), "&Icirc;"},  {QChar(0x00DA), "&Uacute;"},
    {QChar(0x00D9), "&Ugrave;"}, {QChar(0x00DC), "&Uuml;"},   {QChar(0x00DB), "&Ucirc;"},
    {QChar(0x00C1), "&Aacute;"}, {QChar(0x00C0), "&Agrave;"}, {QChar(0x00C4), "&Auml;"},
    {QChar(0x00C2), "&Acirc;"},  {QChar(0x00E7), "&ccedil;"}, {QChar(0x00C7), "&Ccedil;"},
    {QChar(0x00F8), "&oslash;"}, {QChar(0x00D8), "&Oslash;"}, {QChar(0x00E5), "&aring;"},
    {QChar(0x00C5), "&Aring;"},  {QChar(0x00A9), "&copy;"},   {QChar(0x00AE), "&reg;"},
    {QChar(0x20AC), "&euro;"},   {QChar(0x00AB), "&laquo;"},  {QChar(0x00BB), "&raquo;"},
}};

namespace
{

const QChar Quote('"');

// Replaces Pattern until none is left, as the repeated first-occurrence loop does: a replacement can
// only make a new occurrence where it stands, so the search goes on from just before it.
void ReplaceUntilNone(QString& text, const QString& pattern, const QString& replacement)
{
    qsizetype pos = text.indexOf(pattern);
    while (pos >= 0) {
        text.replace(pos, pattern.size(), replacement);
        pos = text.indexOf(pattern, std::max<qsizetype>(0, pos - pattern.size() + 1));
    }
}

// Every occurrence of Pattern, ignoring the case of a..z.
void RemoveAllFolded(QString& text, const QString& pattern)
{
    const QString upperPattern = UpperCase(pattern);
    QString upper = UpperCase(text);
    qsizetype pos = upper.indexOf(upperPattern);
    while (pos >= 0) {
        text.remove(pos, pattern.size());
        upper.remove(pos, pattern.size());
        pos = upper.indexOf(upperPattern, pos);
    }
}

// A control tag found in a text: where its "<" stands, where the text after its ">" starts.
struct TControlSpan {
    qsizetype Lt = -1;
    qsizetype TagEnd = 0; // index of the ">" (or the text's end)
    qsizetype After = 0;  // index after the ">" (or the text's end)
    THTMLControlTag Tag;
};

// Calls Visit for each "<CONTROL " tag in order until it returns true; true when one did.
template <class F> bool ForEachControl(const QString& html, F&& visit)
{
    const QString upper = UpperCase(html);
    qsizetype from = 0;
    qsizetype lt;
    while ((lt = upper.indexOf(QLatin1String("<CONTROL "), from)) >= 0) {
        TControlSpan span;
        span.Lt = lt;
        const qsizetype gt = html.indexOf('>', lt + 1);
        span.TagEnd = gt < 0 ? html.size() : gt;
        span.After = gt < 0 ? html.size() : gt + 1;
        span.Tag = HTMLParseControlTag(html.mid(lt + 1, span.TagEnd - lt - 1));
        if (visit(span))
            return true;
        from = lt + 1;
    }
    return false;
}

bool FindControl(const QString& html, const QString& id, TControlSpan& found)
{
    return ForEachControl(html, [&](const TControlSpan& span) {
        if (span.Tag.ID != id)
            return false;
        found = span;
        return true;
    });
}

// Upper case for marking: the locale's rules, one character for one so positions stay valid.
QString MarkUpperCase(const QString& s)
{
    QString upper = AnsiUpperCase(s);
    if (upper.size() == s.size())
        return upper;
    upper = s;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

} // namespace

int HTMLLeadingInt(const QString& Text)
{
    qsizetype i = 0;
    while (i < Text.size() && Text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < Text.size() && (Text[i] == '-' || Text[i] == '+'))
        negative = Text[i++] == '-';
    int64_t value = 0;
    while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') {
        value = std::min<int64_t>(value * 10 + (Text[i].unicode() - '0'), std::numeric_limits<int>::max());
        ++i;
    }
    return int(negative ? -value : value);
}

bool HTMLReplaceFirst(const QString& Pattern, const QString& Replacement, QString& Text)
{
    const qsizetype pos = UpperCase(Text).indexOf(UpperCase(Pattern));
    if (pos < 0)
        return false;
    Text.replace(pos, Pattern.size(), Replacement);
    return true;
}

QString HTMLToText(const QString& HTML)
{
    QString text = HTML;
    for (const char* breakTag : {"<BR>", "<HR>"}) {
        const QString tag = QLatin1String(breakTag);
        while (UpperCase(text).contains(tag))
            HTMLReplaceFirst(tag, QStringLiteral("\r\n"), text);
    }
    QString result;
    qsizetype pos = 0;
    while (true) {
        const qsizetype lt = text.indexOf('<', pos);
        const qsizetype gt = lt < 0 ? -1 : text.indexOf('>', lt);
        if (gt < 0) {
            result += QStringView(text).mid(pos);
            break;
        }
        result += QStringView(text).mid(pos, lt - pos);
        pos = gt + 1;
    }
    return result;
}

QString HTMLStripTags(const QString& HTML)
{
    QString result;
    qsizetype pos = 0;
    while (true) {
        const qsizetype lt = HTML.indexOf('<', pos);
        const qsizetype gt = HTML.indexOf('>', pos);
        if (lt < 0 || gt < 0 || lt > gt)
            break;
        result += QStringView(HTML).mid(pos, lt - pos);
        pos = gt + 1;
    }
    result += QStringView(HTML).mid(pos);
    return result;
}

QString HTMLDecodeEntities(const QString& Text, bool Full)
{
    QString text = Text;
    if (!text.contains('&'))
        return text;
    ReplaceUntilNone(text, QStringLiteral("&lt;"), QStringLiteral("<"));
    ReplaceUntilNone(text, QStringLiteral("&gt;"), QStringLiteral(">"));
    ReplaceUntilNone(text, QStringLiteral("&amp;"), QStringLiteral("&"));
    ReplaceUntilNone(text, QStringLiteral("&quot;"), QString(Quote));
    if (Full)
        for (const THTMLEntity& e : HTMLEntities)
            ReplaceUntilNone(text, QLatin1String(e.Name), QString(e.Char));
    return text;
}

QString HTMLEncodeEntities(const QString& Text, bool Full)
{
    QString text = Text;
    text.replace('&', QStringLiteral("&amp;"));
    text.replace(Quote, QStringLiteral("&quot;"));
    text.replace('<', QStringLiteral("&lt;"));
    text.replace('>', QStringLiteral("&gt;"));
    if (Full)
        for (const THTMLEntity& e : HTMLEntities)
            text.replace(e.Char, QLatin1String(e.Name));
    return text;
}

QString SpacesToNbsp(const QString& Text)
{
    QString text = Text;
    return text.replace(' ', QStringLiteral("&nbsp;"));
}

int HTMLVisibleToMarkupPos(const QString& HTML, int n)
{
    int visible = 0;
    bool inTag = false;
    for (qsizetype i = 0; i < HTML.size(); ++i) {
        if (visible == n - 1)
            return int(i) + 1;
        const QChar c = HTML[i];
        if (c == '<')
            inTag = true;
        else if (c == '>' && inTag)
            inTag = false;
        else if (!inTag)
            ++visible;
    }
    return visible == n - 1 ? int(HTML.size()) + 1 : 0;
}

bool HTMLFindText(const QString& SubText, const QString& Visible, int Start, int& P, bool CaseSensitive)
{
    if (SubText.isEmpty())
        return false;
    const qsizetype pos = CaseSensitive ? Visible.indexOf(SubText, Start)
                                        : MarkUpperCase(Visible).indexOf(MarkUpperCase(SubText), Start);
    if (pos < 0)
        return false;
    P = int(pos) + 1;
    return true;
}

void HTMLMarkText(const QString& HTML, const QString& SubText, const QString& Tag, bool CaseSensitive,
                  QString& Result)
{
    QString html = HTML;
    QString sub = SubText;
    QString visible = HTMLStripTags(html);
    if (html.contains(SubText) && (visible.contains('<') || visible.contains('>'))) {
        auto escape = [](QString s) {
            s.replace('<', QStringLiteral("&lt;"));
            return s.replace('>', QStringLiteral("&gt;"));
        };
        visible = escape(visible);
        html = visible;
        sub = escape(sub);
    }
    const QString open = '<' + Tag + '>';
    const QString close = QStringLiteral("</") + Tag + '>';
    int start = 0;
    int p = 0;
    int lastClose = 0; // where the previous mark's closing tag ends (0-based)
    // An empty search text would match everywhere without moving on.
    while (HTMLFindText(sub, visible, start, p, CaseSensitive)) {
        // Right after a mark the first position is its own closing tag: open after it, so that
        // adjacent marks do not nest.
        const int openAt = HTMLVisibleToMarkupPos(html, p);
        if (openAt > 0)
            html.insert(std::max(openAt - 1, lastClose), open);
        const int closeAt = HTMLVisibleToMarkupPos(html, p + int(sub.size()));
        if (closeAt > 0) {
            html.insert(closeAt - 1, close);
            lastClose = closeAt - 1 + int(close.size());
        }
        start = p + int(sub.size()) - 1;
    }
    Result = html;
}

void HTMLUnmarkText(const QString& HTML, const QString& Tag, QString& Result)
{
    QString html = HTML;
    RemoveAllFolded(html, '<' + Tag + '>');
    RemoveAllFolded(html, QStringLiteral("</") + Tag + '>');
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    Result = html;
}

THTMLControlTag HTMLParseControlTag(const QString& TagText)
{
    const QString upper = UpperCase(TagText);
    auto value = [&](const char* name) {
        const qsizetype at = upper.indexOf(QLatin1String(name));
        if (at < 0)
            return QString();
        const qsizetype open = TagText.indexOf(Quote, at);
        const qsizetype close = open < 0 ? -1 : TagText.indexOf(Quote, open + 1);
        return close < 0 ? QString() : TagText.mid(open + 1, close - open - 1);
    };
    THTMLControlTag tag;
    tag.Type = UpperCase(value("TYPE="));
    tag.Width = value("WIDTH=");
    tag.Height = value("HEIGHT=");
    tag.ID = value("ID=");
    tag.Value = HTMLDecodeEntities(value("VALUE="), true);
    tag.Prop = HTMLDecodeEntities(value("PROP="), true);
    tag.MaxLen = value("MAXLEN=");
    return tag;
}

bool HTMLHasControl(const QString& HTML)
{
    return UpperCase(HTML).contains(QLatin1String("<CONTROL"));
}

void HTMLNextEditControl(const QString& HTML, const QString& ID, QString& NextID)
{
    NextID.clear();
    bool passed = ID.isEmpty();
    ForEachControl(HTML, [&](const TControlSpan& span) {
        if (!passed) {
            passed = span.Tag.ID == ID;
            return false;
        }
        const QString& t = span.Tag.Type;
        if (t == QLatin1String("BUTTON") || t == QLatin1String("CHECK") || t == QLatin1String("RADIO"))
            return false;
        NextID = span.Tag.ID;
        return true;
    });
}

bool HTMLGetControlValue(const QString& HTML, const QString& ID, QString& Value)
{
    TControlSpan span;
    if (!FindControl(HTML, ID, span))
        return false;
    Value = span.Tag.Value;
    return true;
}

void HTMLGetControlProp(const QString& HTML, const QString& ID, QString& Prop)
{
    TControlSpan span;
    Prop = FindControl(HTML, ID, span) ? span.Tag.Prop : QString();
}

int HTMLGetControlMaxLen(const QString& HTML, const QString& ID)
{
    TControlSpan span;
    return FindControl(HTML, ID, span) ? HTMLLeadingInt(span.Tag.MaxLen) : 0;
}

bool HTMLSetControlValue(QString& HTML, const QString& ID, const QString& NewValue)
{
    TControlSpan span;
    if (!FindControl(HTML, ID, span))
        return false;
    const THTMLControlTag& t = span.Tag;
    auto attr = [](const char* name, const QString& value) {
        return QLatin1String(name) + Quote + value + Quote;
    };
    QString tag = QStringLiteral("CONTROL") + attr(" ID=", t.ID) +
                  attr(" VALUE=", HTMLEncodeEntities(NewValue, true)) + attr(" WIDTH=", t.Width);
    // Written back so that editing the value keeps the control's size.
    if (!t.Height.isEmpty())
        tag += attr(" HEIGHT=", t.Height);
    tag += attr(" TYPE=", t.Type);
    if (!t.Prop.isEmpty())
        tag += attr(" PROP=", HTMLEncodeEntities(t.Prop, true));
    if (!t.MaxLen.isEmpty())
        tag += attr(" MAXLEN=", t.MaxLen);
    tag += '>';
    HTML = HTML.left(span.Lt + 1) + tag + HTML.mid(span.After);
    return true;
}

void HTMLClearRadios(const QString& HTML, QString& Result)
{
    QStringList radios;
    ForEachControl(HTML, [&](const TControlSpan& span) {
        if (span.Tag.Type == QLatin1String("RADIO"))
            radios << span.Tag.ID;
        return false;
    });
    Result = HTML;
    for (const QString& id : radios)
        HTMLSetControlValue(Result, id, QStringLiteral("FALSE"));
}
