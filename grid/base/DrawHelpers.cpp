// Colour arithmetic, band gradients and the styled selection piece.
#include "grid/base/DrawHelpers.h"

#include "grid/base/DrawHelpersInternal.h"

#include <algorithm>
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

// Band i of n: from + rnd(i x (to - from) / n), divided last as the gradients do.
TColor BandColor(TColor from, TColor to, int i, int n)
{
    auto channel = [i, n](int a, int b) {
        return uint8_t(std::clamp(a + Rnd(double(i * (b - a)) / n), 0, 255));
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

void DrawGradient(TCanvas* Canvas, TColor From, TColor To, int Steps, const TRect& R, bool Horizontal)
{
    TRect r = R;
    if (r.Top == r.Bottom)
        return;
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    From = ColorToRGB(From);
    To = ColorToRGB(To);
    if (From == clNone || To == clNone) {
        FillSolid(Canvas, r, From != clNone ? From : To);
        return;
    }
    const int span = (Horizontal ? r.Width() : r.Height()) - 1;
    Steps = std::max(1, std::min(Steps, span));
    const double band = double(span) / Steps;
    const int thick = int(band + 1);
    // Bands outside the visible area are not drawn at all.
    const TRect visible = Canvas->ClipRect();
    for (int i = 0; i <= Steps; ++i) {
        const int p = int(i * band);
        const TRect piece = Horizontal
                                ? TRect(r.Left + p, r.Top, std::min(r.Right, r.Left + p + thick), r.Bottom)
                                : TRect(r.Left, r.Top + p, r.Right, std::min(r.Bottom, r.Top + p + thick));
        if (!Overlaps(piece, visible))
            continue;
        SetSolid(Canvas, BandColor(From, To, i, Steps));
        Canvas->Rectangle(piece);
    }
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
    for (int i = 0; i < Steps; ++i) {
        const int start = Rnd(double(i) * size / Steps);
        // Rounding may carry the last band one pixel past the rectangle; it stays inside.
        const TRect piece =
            Horizontal ? TRect(R.Left + start, R.Top, std::min(R.Right, R.Left + start + thick), R.Bottom)
                       : TRect(R.Left, R.Top + start, R.Right, std::min(R.Bottom, R.Top + start + thick));
        if (!Overlaps(piece, visible))
            continue;
        SetSolid(Canvas, BandColor(Color, ColorTo, i, Steps));
        Canvas->Rectangle(piece);
    }
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

    if (PenLine(Canvas, InnerTopLineColor)) {
        Line(Canvas, L, T + 1, R, T + 1);
        if (leftEnd)
            Line(Canvas, L + 1, T + 1, L + 1, M);
        if (rightEnd)
            Line(Canvas, R - 2, T + 1, R - 2, M);
    }
    if (PenLine(Canvas, InnerBottomLineColor)) {
        Line(Canvas, L, B - 1, R, B - 1);
        if (leftEnd)
            Line(Canvas, L + 1, M, L + 1, B - 1);
        if (rightEnd)
            Line(Canvas, R - 2, M, R - 2, B - 1);
    }
    const int DL = Piece == SelectionPieceRight || Piece == SelectionPieceMiddle ? 0 : 2;
    const int DR = Piece == SelectionPieceLeft || Piece == SelectionPieceMiddle ? 0 : 2;
    if (PenLine(Canvas, BorderColor)) {
        Line(Canvas, L + DL, T, R - DR, T);
        Line(Canvas, L + DL, B, R - DR, B);
        if (rightEnd)
            Line(Canvas, R - 1, T + 2, R - 1, B - 1);
        if (leftEnd)
            Line(Canvas, L, T + 2, L, B - 1);
    }
    const TColor adjacent = ColorToRGB(CornerAdjacentColor), background = ColorToRGB(BackgroundColor);
    // Corners: x is the column next to the edge, edge the edge column itself.
    auto corners = [&](int x, int edge) {
        for (TPoint p : {TPoint(x, T), TPoint(x, T + 1), TPoint(edge, T + 1), TPoint(x, B), TPoint(x, B - 1),
                         TPoint(edge, B - 1)})
            Canvas->SetPixel(p.X, p.Y, adjacent);
        Canvas->SetPixel(edge, T, background);
        Canvas->SetPixel(edge, B, background);
    };
    if (leftEnd)
        corners(L + 1, L);
    if (rightEnd)
        corners(R - 2, R - 1);

    const TRect fill(L + DL, T + 2, R - DR, B - 1);
    if (ColorTo == clNone) {
        FillSolid(Canvas, fill, Color);
    } else if (MirrorColor == clNone) {
        DrawGradient(Canvas, Color, ColorTo, 16, fill, false);
    } else {
        const int middle = fill.Top + fill.Height() / 2;
        DrawGradient(Canvas, Color, ColorTo, 16, TRect(fill.Left, fill.Top, fill.Right, middle), false);
        DrawGradient(Canvas, MirrorColor, MirrorColorTo, 16,
                     TRect(fill.Left, middle, fill.Right, fill.Bottom), false);
    }
}
