// Text on the canvas: TextOut, TextRect, measuring, and DrawText with the window system's flags.
#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasMapping.h"
#include "platform/graphics/CanvasScope.h"

#include <QFontMetrics>
#include <QHashFunctions>
#include <algorithm>
#include <unordered_map>

namespace
{

// A line to draw and the characters of it that a prefix mark underlines.
struct TTextLine {
    QString text;
    std::vector<int> underlined;
};

// "&x" underlines x, "&&" is one "&", a "&" at the very end is dropped.
TTextLine StripPrefixes(const QString& s)
{
    if (!s.contains('&'))
        return TTextLine{s, {}};
    TTextLine line;
    line.text.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            line.text += s[i];
            continue;
        }
        if (i + 1 >= s.size())
            break;
        ++i;
        if (s[i] != '&')
            line.underlined.push_back(int(line.text.size()));
        line.text += s[i];
    }
    return line;
}

// The attributes a canvas makes its Qt font from: the same attributes, the same Qt font.
struct TFontId {
    QString Name;
    int Height;
    TFontStyles Style;
    TFontPitch Pitch;
    bool operator==(const TFontId&) const = default;
};

// Widths of short texts measured lately, per font. A page of cells measures the same words and
// numbers again and again; shaping a text costs far more than finding it here.
int AdvanceOf(const TFontId& font, const QFontMetrics& fm, const QString& text)
{
    constexpr qsizetype LongestKept = 64;
    constexpr size_t MostKept = 4096;
    struct TKey {
        TFontId Font;
        QString Text;
        bool operator==(const TKey&) const = default;
    };
    struct THash {
        size_t operator()(const TKey& k) const
        {
            return qHashMulti(0, k.Font.Name, k.Font.Height, k.Font.Style, int(k.Font.Pitch), k.Text);
        }
    };
    thread_local std::unordered_map<TKey, int, THash> kept;
    if (text.size() > LongestKept)
        return fm.horizontalAdvance(text);
    TKey key{font, text};
    if (auto it = kept.find(key); it != kept.end())
        return it->second;
    const int width = fm.horizontalAdvance(text);
    if (kept.size() >= MostKept)
        kept.clear();
    kept.emplace(std::move(key), width);
    return width;
}

// Widths with tab stops every eight average characters (DT_EXPANDTABS); tabs are otherwise gone.
class TTextMeasure
{
  public:
    TTextMeasure(const QFontMetrics& fm, const TFontId& font, bool expandTabs)
        : fm_(fm), font_(font), expandTabs_(expandTabs)
    {
    }

    int Width(const QString& s) const
    {
        if (!expandTabs_ || !s.contains('\t'))
            return AdvanceOf(font_, fm_, s);
        if (tab_ == 0)
            tab_ = std::max(1, 8 * fm_.averageCharWidth());
        int x = 0;
        const QStringList parts = s.split('\t');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            x += AdvanceOf(font_, fm_, parts[i]);
            if (i + 1 < parts.size())
                x = (x / tab_ + 1) * tab_;
        }
        return x;
    }

  private:
    const QFontMetrics& fm_;
    TFontId font_;
    mutable int tab_ = 0; // asked for only when a text has a tab
    bool expandTabs_;
};

bool IsBlank(QChar c)
{
    return c == ' ' || c == '\t';
}

TTextLine Slice(const TTextLine& line, int from, int to)
{
    TTextLine out;
    out.text = line.text.mid(from, to - from);
    for (int u : line.underlined)
        if (u >= from && u < to)
            out.underlined.push_back(u - from);
    return out;
}

// Breaks a paragraph between words so that each line fits maxWidth; blanks at a break vanish.
// A word wider than maxWidth stays whole (split by characters only with DT_EDITCONTROL).
void WrapParagraph(const TTextLine& para, int maxWidth, bool splitWords, const TTextMeasure& m,
                   std::vector<TTextLine>& out)
{
    const QString& s = para.text;
    const int n = int(s.size());
    int start = 0;
    if (n == 0) {
        out.push_back(para);
        return;
    }
    while (start < n) {
        int fitEnd = -1, fitNext = n, pos = start;
        while (pos < n) {
            int we = pos;
            if (pos == start)
                while (we < n && IsBlank(s[we]))
                    ++we; // leading blanks of the paragraph stay
            while (we < n && !IsBlank(s[we]))
                ++we;
            int next = we;
            while (next < n && IsBlank(s[next]))
                ++next;
            if (fitEnd >= 0 && m.Width(s.mid(start, we - start)) > maxWidth)
                break;
            fitEnd = we;
            fitNext = next;
            pos = next;
        }
        if (splitWords && m.Width(s.mid(start, fitEnd - start)) > maxWidth) {
            int end = start + 1;
            while (end < fitEnd && m.Width(s.mid(start, end + 1 - start)) <= maxWidth)
                ++end;
            fitEnd = end;
            fitNext = end;
        }
        out.push_back(Slice(para, start, fitEnd));
        start = fitNext;
    }
}

void Ellipsize(TTextLine& line, int maxWidth, const TTextMeasure& m)
{
    if (m.Width(line.text) <= maxWidth)
        return;
    const QString dots = QStringLiteral("...");
    int keep = int(line.text.size());
    while (keep > 0 && m.Width(line.text.left(keep) + dots) > maxWidth)
        --keep;
    line.text = line.text.left(keep) + dots;
    std::erase_if(line.underlined, [keep](int u) { return u >= keep; });
}

// The pen of text in one colour. Painting a page sets the same few colours again and again; handing
// the painter the pen it already has costs it nothing.
const QPen& TextPen(const QColor& color)
{
    thread_local QPen pen(QColor(0, 0, 0), 1);
    if (pen.color() != color)
        pen = QPen(color, 1);
    return pen;
}

// One line of text with its top-left at (x, y), turned by the font's orientation around that point.
// `width` is the line's measured width, or -1 when it was not needed so far.
void DrawLine(QPainter& p, int x, int y, const TTextLine& line, int width, const QFontMetrics& fm,
              const TTextMeasure& m, int lineHeight, bool opaque, TColor bkColor, TColor textColor,
              int orientation, bool rtl, bool glyphs, bool underlines)
{
    // Only a turned or right-to-left line changes painter state beyond the pen.
    const bool keepState = orientation != 0 || rtl;
    if (keepState)
        p.save();
    if (orientation != 0) {
        p.translate(x, y);
        p.rotate(-orientation / 10.0);
        x = 0;
        y = 0;
    }
    // Measured only where it is needed: measuring costs as much as drawing.
    const bool fill = opaque && bkColor != clNone;
    if (width < 0 && (fill || rtl))
        width = m.Width(line.text);
    if (fill)
        p.fillRect(QRect(x, y, width, lineHeight), ColorToQColor(bkColor));
    if (textColor != clNone) {
        const QColor color = ColorToQColor(textColor);
        p.setPen(TextPen(color));
        if (glyphs) {
            if (rtl) {
                p.setLayoutDirection(Qt::RightToLeft);
                p.drawText(QRect(x, y, width + 1, lineHeight),
                           Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine, line.text);
            } else if (!line.text.contains('\t')) {
                p.drawText(QPoint(x, y + fm.ascent()), line.text);
            } else {
                qsizetype from = 0;
                while (from <= line.text.size()) {
                    qsizetype tab = line.text.indexOf('\t', from);
                    if (tab < 0)
                        tab = line.text.size();
                    p.drawText(QPoint(x + m.Width(line.text.left(from)), y + fm.ascent()),
                               line.text.mid(from, tab - from));
                    from = tab + 1;
                }
            }
        }
        if (underlines) {
            const int thickness = std::max(1, fm.lineWidth());
            const int uy = y + fm.ascent() + std::max(1, fm.underlinePos());
            for (int u : line.underlined) {
                const int ux = x + m.Width(line.text.left(u));
                p.fillRect(QRect(ux, uy, m.Width(line.text.mid(u, 1)), thickness), color);
            }
        }
    }
    if (keepState)
        p.restore();
}

TFontId FontId(const TFont& f)
{
    return TFontId{f.Name, f.Height, f.Style, f.Pitch};
}

} // namespace

int TCanvas::TextWidth(const QString& text)
{
    if (canvasmap::Mapped(this)) {
        int w = 0;
        {
            canvasmap::TDeviceUnits units(*this);
            w = TextWidth(text);
        }
        return canvasmap::ToLogicalLength(this, w, false);
    }
    return AdvanceOf(FontId(*font_), QFontMetrics(CurrentQFont()), text);
}

int TCanvas::TextHeight(const QString& text)
{
    if (canvasmap::Mapped(this)) {
        int h = 0;
        {
            canvasmap::TDeviceUnits units(*this);
            h = TextHeight(text);
        }
        return canvasmap::ToLogicalLength(this, h, true);
    }
    return QFontMetrics(CurrentQFont()).height();
}

TPoint TCanvas::TextExtent(const QString& text)
{
    if (canvasmap::Mapped(this)) {
        TPoint e;
        {
            canvasmap::TDeviceUnits units(*this);
            e = TextExtent(text);
        }
        return TPoint(canvasmap::ToLogicalLength(this, e.X, false), canvasmap::ToLogicalLength(this, e.Y, true));
    }
    const QFontMetrics fm(CurrentQFont());
    return TPoint(AdvanceOf(FontId(*font_), fm, text), fm.height());
}

TTextMetric TCanvas::TextMetrics()
{
    if (canvasmap::Mapped(this)) {
        TTextMetric tm;
        {
            canvasmap::TDeviceUnits units(*this);
            tm = TextMetrics();
        }
        for (int* v : {&tm.tmHeight, &tm.tmAscent, &tm.tmDescent, &tm.tmInternalLeading, &tm.tmExternalLeading})
            *v = canvasmap::ToLogicalLength(this, *v, true);
        tm.tmAveCharWidth = canvasmap::ToLogicalLength(this, tm.tmAveCharWidth, false);
        tm.tmMaxCharWidth = canvasmap::ToLogicalLength(this, tm.tmMaxCharWidth, false);
        return tm;
    }
    const QFont& f = CurrentQFont();
    const QFontMetrics fm(f);
    TTextMetric tm;
    tm.tmHeight = fm.height();
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmInternalLeading = std::max(0, fm.height() - f.pixelSize());
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    return tm;
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    canvasmap::RecordText(this, text, TPoint(x, y), nullptr, 0);
    if (canvasmap::Mapped(this)) {
        const TPoint d = canvasmap::ToDevice(this, TPoint(x, y));
        int w = 0;
        {
            canvasmap::TDeviceUnits units(*this);
            TextOut(d.X, d.Y, text);
            w = penPos_.X - d.X;
        }
        penPos_ = TPoint(x + canvasmap::ToLogicalLength(this, w, false), y);
        return;
    }
    SyncObjects();
    const QFontMetrics fm(CurrentQFont());
    const TTextMeasure m(fm, FontId(*font_), false);
    TCanvasPaintScope p(*this);
    if (p) {
        p.UseFont();
        DrawLine(*p, x, y, TTextLine{text, {}}, -1, fm, m, fm.height(), bkMode_ == OPAQUE, bkColor_,
                 textColor_, font_->Orientation, false, true, false);
    }
    penPos_ = TPoint(x + m.Width(text), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    canvasmap::RecordText(this, text, TPoint(x, y), &r, 0);
    if (canvasmap::Mapped(this)) {
        const TRect dr = canvasmap::ToDevice(this, r);
        const TPoint d = canvasmap::ToDevice(this, TPoint(x, y));
        canvasmap::TDeviceUnits units(*this);
        TextRect(dr, d.X, d.Y, text);
        return;
    }
    SyncObjects();
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    const QFontMetrics fm(CurrentQFont());
    const TTextMeasure m(fm, FontId(*font_), false);
    p.ClipTo(r.ToQRect());
    if (bkMode_ == OPAQUE && bkColor_ != clNone)
        p->fillRect(r.ToQRect(), ColorToQColor(bkColor_));
    p.UseFont();
    DrawLine(*p, x, y, TTextLine{text, {}}, -1, fm, m, fm.height(), false, bkColor_, textColor_,
             font_->Orientation, false, true, false);
}

int TCanvas::DrawText(const QString& text, TRect& r, uint32_t flags, int count)
{
    if (!(flags & DT_CALCRECT))
        canvasmap::RecordText(this, count >= 0 ? text.left(count) : text, r.TopLeft(), &r, flags);
    if (canvasmap::Mapped(this)) {
        TRect d = canvasmap::ToDevice(this, r);
        int h = 0;
        {
            canvasmap::TDeviceUnits units(*this);
            h = DrawText(text, d, flags, count);
        }
        if (flags & DT_CALCRECT) {
            r.Right = r.Left + canvasmap::ToLogicalLength(this, d.Width(), false);
            r.Bottom = r.Top - canvasmap::ToLogicalLength(this, d.Height(), true);
        }
        return canvasmap::ToLogicalLength(this, h, true);
    }
    SyncObjects();
    QString s = count >= 0 ? text.left(count) : text;
    const QFont& font = CurrentQFont();
    const QFontMetrics fm(font);
    const bool expandTabs = flags & DT_EXPANDTABS;
    const TTextMeasure m(fm, FontId(*font_), expandTabs);
    const bool single = flags & DT_SINGLELINE;
    const int lineHeight = fm.height() + ((flags & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
    const int maxWidth = r.Width();
    if (!expandTabs)
        s.remove('\t');

    QStringList paragraphs;
    if (single) {
        s.remove('\r');
        s.remove('\n');
        paragraphs << s;
    } else {
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace('\r', '\n');
        paragraphs = s.split('\n');
    }
    std::vector<TTextLine> lines;
    for (const QString& para : paragraphs) {
        const TTextLine line = (flags & DT_NOPREFIX) ? TTextLine{para, {}} : StripPrefixes(para);
        if ((flags & DT_WORDBREAK) && !single)
            WrapParagraph(line, maxWidth, flags & DT_EDITCONTROL, m, lines);
        else
            lines.push_back(line);
    }
    if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
        for (TTextLine& line : lines)
            Ellipsize(line, maxWidth, m);

    const int total = s.isEmpty() && !single ? 0 : int(lines.size()) * lineHeight;

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const TTextLine& line : lines)
            widest = std::max(widest, m.Width(line.text));
        r.Right = r.Left + widest;
        r.Bottom = r.Top + total;
        return total;
    }

    int y = r.Top;
    if (single && (flags & DT_VCENTER))
        y = r.Top + (r.Height() - lineHeight) / 2;
    else if (single && (flags & DT_BOTTOM))
        y = r.Bottom - lineHeight;
    const int result = single && (flags & (DT_VCENTER | DT_BOTTOM)) ? y + lineHeight - r.Top : total;
    if (s.isEmpty())
        return result;

    TCanvasPaintScope p(*this);
    if (!p)
        return result;
    if (!(flags & DT_NOCLIP))
        p.ClipTo(r.ToQRect());
    p.UseFont();
    const bool glyphs = !(flags & DT_PREFIXONLY);
    const bool underlines = !(flags & DT_HIDEPREFIX);
    // A left-aligned line is measured only when its background or direction needs the width.
    const bool aligned = flags & (DT_CENTER | DT_RIGHT);
    for (const TTextLine& line : lines) {
        const int w = aligned ? m.Width(line.text) : -1;
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (maxWidth - w) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - w;
        DrawLine(*p, x, y, line, w, fm, m, lineHeight, bkMode_ == OPAQUE, bkColor_, textColor_,
                 font_->Orientation, flags & DT_RTLREADING, glyphs, underlines);
        y += lineHeight;
    }
    return result;
}
