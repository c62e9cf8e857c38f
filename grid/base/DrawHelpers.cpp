// Colour arithmetic, band gradients and the styled selection piece.
#include "grid/base/DrawHelpers.h"

#include "grid/base/DrawHelpersInternal.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace drawhelpers
{

int Rnd(double x)
{
    return int(std::nearbyint(x));
}

void SetSolid(TCanvas* canvas, TColor color)
{
    canvas->Pen->Color = color;
    canvas->Pen->Style = psSolid;
    canvas->Pen->Width = 1;
    canvas->Brush->Color = color;
    canvas->Brush->Style = bsSolid;
}

void FillSolid(TCanvas* canvas, const TRect& r, TColor color)
{
    color = ColorToRGB(color);
    if (color == clNone)
        return;
    SetSolid(canvas, color);
    canvas->Rectangle(r);
}

void SetOutline(TCanvas* canvas, TColor brush, TColor pen)
{
    brush = ColorToRGB(brush);
    pen = ColorToRGB(pen);
    canvas->Brush->Style = brush == clNone ? bsClear : bsSolid;
    if (brush != clNone)
        canvas->Brush->Color = brush;
    canvas->Pen->Style = pen == clNone ? psClear : psSolid;
    canvas->Pen->Width = 1;
    if (pen != clNone)
        canvas->Pen->Color = pen;
}

bool PenLine(TCanvas* canvas, TColor color)
{
    color = ColorToRGB(color);
    if (color == clNone)
        return false;
    canvas->Pen->Color = color;
    canvas->Pen->Style = psSolid;
    canvas->Pen->Width = 1;
    return true;
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2)
{
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

void AppendLine(TFills& out, TColor color, int x1, int y1, int x2, int y2)
{
    color = ColorToRGB(color);
    if (color == clNone)
        return;
    if (y1 == y2) {
        const int left = std::min(x1, x2 + 1);
        out.push_back({TRect(left, y1, left + std::abs(x2 - x1), y1 + 1), color});
    } else {
        const int top = std::min(y1, y2 + 1);
        out.push_back({TRect(x1, top, x1 + 1, top + std::abs(y2 - y1)), color});
    }
}

} // namespace drawhelpers

using namespace drawhelpers;

// ---- Colours ------------------------------------------------------------------------------------------

namespace
{

// Applies f to each of the three channels of an RGB colour.
template <class F> TColor PerChannel(TColor color, F f)
{
    return RGB(uint8_t(f(GetRValue(color))), uint8_t(f(GetGValue(color))), uint8_t(f(GetBValue(color))));
}

// Per channel from + rnd((to - from) / span x position), for two RGB colours.
TColor Interpolate(TColor from, TColor to, int span, int position)
{
    auto channel = [span, position](int a, int b) {
        return uint8_t(std::clamp(a + Rnd(double(b - a) / span * position), 0, 255));
    };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

bool Overlaps(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

} // namespace

TColor HalveColor(TColor Color)
{
    return PerChannel(ColorToRGB(Color), [](int c) { return c / 2; });
}

TColor AdjustColorBrightness(TColor Color, int Percent)
{
    return PerChannel(ColorToRGB(Color),
                      [Percent](int c) { return std::clamp(Rnd(c + c * Percent / 100.0), 0, 255); });
}

QString ColorToHexRGB(TColor Color)
{
    return QStringLiteral("%1%2%3")
        .arg(GetRValue(Color), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(Color), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(Color), 2, 16, QLatin1Char('0'))
        .toUpper();
}

TColor InterpolateColor(TColor From, TColor To, int Min, int Max, int Position)
{
    if (To == clNone || Max == Min)
        return From;
    return Interpolate(ColorToRGB(From), ColorToRGB(To), Max - Min, Position);
}

// ---- Gradients ----------------------------------------------------------------------------------------

namespace
{

// Band i of n: from + rnd(i x (to - from) / n) per channel.
TColor BandColor(TColor from, TColor to, int i, int n)
{
    auto channel = [i, n](int a, int b) {
        return uint8_t(std::clamp(a + Rnd(double(i * (b - a)) / n), 0, 255));
    };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

// The colours of bands 0..steps for one colour pair. A page of cells asks for the same few pairs
// again and again, so the last ones are kept.
const std::vector<TColor>& BandColors(TColor from, TColor to, int steps)
{
    struct TEntry {
        TColor From = clNone, To = clNone;
        int Steps = -1;
        std::vector<TColor> Colors;
    };
    thread_local std::array<TEntry, 4> kept;
    thread_local size_t next = 0;
    for (const TEntry& e : kept)
        if (e.From == from && e.To == to && e.Steps == steps)
            return e.Colors;
    TEntry& e = kept[next];
    next = (next + 1) % kept.size();
    e.From = from;
    e.To = to;
    e.Steps = steps;
    e.Colors.resize(size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i)
        e.Colors[size_t(i)] = BandColor(from, to, i, steps);
    return e.Colors;
}

// Where the bands of one span and step count start, and how thick they are. A page of cells asks for
// the same few spans again and again, so the last ones are kept.
struct TBandLayout {
    int Span = -1, Steps = -1, Thick = 0;
    std::vector<int> Starts;
};

const TBandLayout& BandLayout(int span, int steps)
{
    thread_local std::array<TBandLayout, 4> kept;
    thread_local size_t next = 0;
    for (const TBandLayout& e : kept)
        if (e.Span == span && e.Steps == steps)
            return e;
    TBandLayout& e = kept[next];
    next = (next + 1) % kept.size();
    e.Span = span;
    e.Steps = steps;
    const double band = double(span) / steps;
    e.Thick = int(band + 1);
    e.Starts.resize(size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i)
        e.Starts[size_t(i)] = int(i * band);
    return e;
}

// The list a gradient or selection piece collects its fills in: one per thread, emptied for each
// call, so that painting a page of cells does not allocate per cell. Nothing is drawn while a list
// is being collected, so no call needs it twice at once.
TFills& FillList()
{
    thread_local TFills fills;
    fills.clear();
    return fills;
}

// Draws the collected fills and leaves pen and brush in `last`, as band-by-band drawing would.
void Flush(TCanvas* canvas, const TFills& fills, TColor last)
{
    canvas->FillRects(fills);
    if (last != clNone)
        SetSolid(canvas, last);
}

} // namespace

TColor drawhelpers::AppendGradient(TFills& out, TColor from, TColor to, int steps, TRect r, bool horizontal,
                                   const TRect& visible)
{
    if (r.Top == r.Bottom)
        return clNone;
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    from = ColorToRGB(from);
    to = ColorToRGB(to);
    if (from == clNone || to == clNone) {
        const TColor solid = from != clNone ? from : to;
        if (solid != clNone)
            out.push_back({r, solid});
        return solid;
    }
    const int span = (horizontal ? r.Width() : r.Height()) - 1;
    steps = std::max(1, std::min(steps, span));
    const std::vector<TColor>& colors = BandColors(from, to, steps);
    const TBandLayout& layout = BandLayout(span, steps);
    const int thick = layout.Thick;
    // Band i runs from start i over thick pixels along the gradient, cut at the rectangle's end, and
    // across the whole rectangle; bands outside the visible area are not drawn at all.
    const int lo = horizontal ? r.Left : r.Top, hi = horizontal ? r.Right : r.Bottom;
    const int visLo = horizontal ? visible.Left : visible.Top,
              visHi = horizontal ? visible.Right : visible.Bottom;
    const bool across = horizontal ? r.Top < visible.Bottom && visible.Top < r.Bottom
                                   : r.Left < visible.Right && visible.Left < r.Right;
    if (!across)
        return to;
    out.reserve(out.size() + size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const int a = lo + layout.Starts[size_t(i)], b = std::min(hi, a + thick);
        if (a < visHi && visLo < b)
            out.push_back({horizontal ? TRect(a, r.Top, b, r.Bottom) : TRect(r.Left, a, r.Right, b),
                           colors[size_t(i)]});
    }
    return to;
}

void DrawGradient(TCanvas* Canvas, TColor From, TColor To, int Steps, const TRect& R, bool Horizontal)
{
    TFills& fills = FillList();
    const TColor last = AppendGradient(fills, From, To, Steps, R, Horizontal, Canvas->ClipRect());
    Flush(Canvas, fills, last);
}

void DrawGradientBands(TCanvas* Canvas, TColor Color, TColor ColorTo, bool Horizontal, const TRect& R,
                       int Steps)
{
    Color = ColorToRGB(Color);
    ColorTo = ColorToRGB(ColorTo);
    if (Color == clNone || ColorTo == clNone) {
        FillSolid(Canvas, R, Color != clNone ? Color : ColorTo);
        return;
    }
    Steps = std::max(1, Steps);
    const int size = (Horizontal ? R.Width() : R.Height()) - 1;
    const int thick = Rnd(double(size) / Steps) + 1;
    const TRect visible = Canvas->ClipRect();
    TFills& fills = FillList();
    for (int i = 0; i < Steps; ++i) {
        const int start = Rnd(double(i) * size / Steps);
        // Rounding may carry the last band one pixel past the rectangle; it stays inside.
        const TRect piece =
            Horizontal ? TRect(R.Left + start, R.Top, std::min(R.Right, R.Left + start + thick), R.Bottom)
                       : TRect(R.Left, R.Top + start, R.Right, std::min(R.Bottom, R.Top + start + thick));
        if (Overlaps(piece, visible))
            fills.push_back({piece, BandColor(Color, ColorTo, i, Steps)});
    }
    Flush(Canvas, fills, BandColor(Color, ColorTo, Steps - 1, Steps));
}

void DrawMirrorGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                        TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool BorderSidesOnly,
                        bool Fill)
{
    if (Fill && Color != clNone) {
        if (MirrorColor == clNone && ColorTo == clNone) {
            ++R.Bottom;
            FillSolid(Canvas, R, Color);
        } else if (MirrorColor == clNone) {
            DrawGradient(Canvas, Color, ColorTo, 128, R, !Vertical);
        } else {
            TRect first = R, second = R;
            if (Vertical)
                first.Bottom = second.Top = R.Top + R.Height() / 2;
            else
                first.Right = second.Left = R.Left + R.Width() / 2;
            DrawGradient(Canvas, Color, ColorTo, 128, first, !Vertical);
            DrawGradient(Canvas, MirrorColor, MirrorColorTo, 128, second, !Vertical);
        }
    }
    if (BorderColor == clNone)
        return;
    if (BorderSidesOnly) {
        PenLine(Canvas, BorderColor);
        Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
        Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    } else {
        Canvas->Brush->Color = ColorToRGB(BorderColor);
        Canvas->Brush->Style = bsSolid;
        Canvas->FrameRect(R);
    }
}

void DrawStyledSelection(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor,
                         TColor MirrorColorTo, TColor InnerTopLineColor, TColor InnerBottomLineColor,
                         TColor BorderColor, TColor CornerAdjacentColor, TColor BackgroundColor,
                         const TRect& Rect, int Piece)
{
    const int L = Rect.Left, T = Rect.Top, R = Rect.Right - 1, B = Rect.Bottom - 2;
    const int M = T + (B - T) / 2;
    const bool leftEnd = Piece == SelectionPieceSingle || Piece == SelectionPieceLeft;
    const bool rightEnd = Piece == SelectionPieceSingle || Piece == SelectionPieceRight;
    // The whole piece is collected and drawn in one go, in the order of the steps.
    TFills& fills = FillList();

    AppendLine(fills, InnerTopLineColor, L, T + 1, R, T + 1);
    if (leftEnd)
        AppendLine(fills, InnerTopLineColor, L + 1, T + 1, L + 1, M);
    if (rightEnd)
        AppendLine(fills, InnerTopLineColor, R - 2, T + 1, R - 2, M);
    AppendLine(fills, InnerBottomLineColor, L, B - 1, R, B - 1);
    if (leftEnd)
        AppendLine(fills, InnerBottomLineColor, L + 1, M, L + 1, B - 1);
    if (rightEnd)
        AppendLine(fills, InnerBottomLineColor, R - 2, M, R - 2, B - 1);

    const int DL = Piece == SelectionPieceRight || Piece == SelectionPieceMiddle ? 0 : 2;
    const int DR = Piece == SelectionPieceLeft || Piece == SelectionPieceMiddle ? 0 : 2;
    AppendLine(fills, BorderColor, L + DL, T, R - DR, T);
    AppendLine(fills, BorderColor, L + DL, B, R - DR, B);
    if (rightEnd)
        AppendLine(fills, BorderColor, R - 1, T + 2, R - 1, B - 1);
    if (leftEnd)
        AppendLine(fills, BorderColor, L, T + 2, L, B - 1);

    const TColor adjacent = ColorToRGB(CornerAdjacentColor), background = ColorToRGB(BackgroundColor);
    // Corners: x is the column next to the edge, edge the edge column itself. The corner-adjacent
    // pixels are (x, T), (x, T + 1), (edge, T + 1) and their mirrors at B, B - 1; the pixels touch
    // nothing else of the corner, so each pair in a column is one fill.
    auto corners = [&](int x, int edge) {
        fills.push_back({TRect(x, T, x + 1, T + 2), adjacent});
        fills.push_back({Bounds(edge, T + 1, 1, 1), adjacent});
        fills.push_back({TRect(x, B - 1, x + 1, B + 1), adjacent});
        fills.push_back({Bounds(edge, B - 1, 1, 1), adjacent});
        fills.push_back({Bounds(edge, T, 1, 1), background});
        fills.push_back({Bounds(edge, B, 1, 1), background});
    };
    if (leftEnd)
        corners(L + 1, L);
    if (rightEnd)
        corners(R - 2, R - 1);

    const TRect fill(L + DL, T + 2, R - DR, B - 1);
    const TRect visible = Canvas->ClipRect();
    TColor last = clNone;
    if (ColorTo == clNone) {
        last = ColorToRGB(Color);
        if (last != clNone)
            fills.push_back({fill, last});
    } else if (MirrorColor == clNone) {
        last = AppendGradient(fills, Color, ColorTo, 16, fill, false, visible);
    } else {
        const int middle = fill.Top + fill.Height() / 2;
        AppendGradient(fills, Color, ColorTo, 16, TRect(fill.Left, fill.Top, fill.Right, middle), false,
                       visible);
        last = AppendGradient(fills, MirrorColor, MirrorColorTo, 16,
                              TRect(fill.Left, middle, fill.Right, fill.Bottom), false, visible);
    }
    Flush(Canvas, fills, last);
}
