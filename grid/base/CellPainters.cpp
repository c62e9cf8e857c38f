// Progress bars, progress pie, range indicator and the error underline.
#include "grid/base/CellPainters.h"

#include "grid/base/DrawHelpers.h"
#include "grid/base/DrawHelpersInternal.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace drawhelpers;

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush->Color = ColorToRGB(Color);
    Canvas->Brush->Style = Color == clNone ? bsClear : bsSolid;
    Canvas->FillRect(R);
}

// ---- Progress bar -------------------------------------------------------------------------------------

QString ProgressBarText(const QString& Format, int Max, int Min, double Value, int& Percent)
{
    QString text;
    if (!Format.isEmpty()) {
        const bool integer = Format.contains(QLatin1Char('d')) || Format.contains(QLatin1Char('u'));
        try {
            text = integer ? ::Format(Format, {Rnd(Value)}) : ::Format(Format, {Value});
        } catch (const EConvertError&) {
            // A format that does not fit the value must not break the paint.
            text = IntToStr(Rnd(Value));
        }
        Percent = Max == Min ? 0 : Rnd((Value - Min) * 100 / (Max - Min));
    } else {
        text = IntToStr(Rnd(Value)) + QLatin1Char('%');
        Percent = Rnd(Value);
    }
    Percent = std::clamp(Percent, 0, 100);
    return text;
}

void DrawProgressBar(TCanvas* Canvas, const TRect& R, TColor Color, bool Printing, TColor BorderColor,
                     const QString& Format, int Max, int Min, int MarginY, int MarginX, double Value,
                     TColor EmptyTextColor, TColor EmptyColor, TColor FilledTextColor)
{
    const TColor outer = Canvas->Brush->Color;
    int percent = 0;
    const QString text = ProgressBarText(Format, Max, Min, Value, percent);

    TRect r = R;
    InflateRect(r, -MarginX, -MarginY);
    const TRect filled(r.Left, r.Top, r.Left + Rnd(r.Width() * percent / 100.0), r.Bottom);
    const TRect empty(filled.Right, r.Top, r.Right, r.Bottom);
    const TPoint extent = Canvas->TextExtent(text);
    const int x = r.Left + (r.Width() - extent.X) / 2;
    const int y = Printing ? r.Top + (r.Height() + extent.Y) / 2 : r.Top + (r.Height() - extent.Y) / 2;

    // Each part is filled with its brush and gets its piece of the text.
    auto part = [&](const TRect& area, TColor fill, TColor textColor) {
        SetSolid(Canvas, ColorToRGB(fill));
        Canvas->Font->Color = textColor;
        Canvas->SetBkMode(OPAQUE);
        Canvas->SetBkColor(ColorToRGB(fill));
        Canvas->TextRect(area, x, y, text);
    };
    part(filled, Color, FilledTextColor);
    part(empty, EmptyColor, EmptyTextColor);

    InflateRect(r, 1, 1);
    if (BorderColor != clNone) {
        Canvas->Brush->Color = ColorToRGB(BorderColor);
        Canvas->FrameRect(r);
    }
    InflateRect(r, 1, 1);
    Canvas->Brush->Color = ColorToRGB(outer);
    Canvas->FrameRect(r);
}

// ---- XP progress bar ----------------------------------------------------------------------------------

namespace
{

// One segment: two gradients meeting in the middle across the bar, or a solid fill.
void Segment(TCanvas* canvas, const TRect& r, TColor color, TColor colorTo, const TXPProgressInfo& info)
{
    if (r.IsEmpty())
        return;
    if (!info.ShowGradient) {
        FillSolid(canvas, r, color);
        return;
    }
    TRect first = r, second = r;
    if (info.Vertical)
        first.Right = second.Left = r.Left + r.Width() / 2;
    else
        first.Bottom = second.Top = r.Top + r.Height() / 2;
    DrawGradient(canvas, colorTo, color, info.Steps, first, info.Vertical);
    DrawGradient(canvas, color, colorTo, info.Steps, second, info.Vertical);
}

// The area `length` pixels long starting `offset` pixels in (from the left, or up from the bottom),
// inset `across` pixels on both sides across the bar.
TRect Along(const TRect& r, bool vertical, int offset, int length, int across)
{
    if (vertical)
        return TRect(r.Left + across, r.Bottom - offset - length, r.Right - across, r.Bottom - offset);
    return TRect(r.Left + offset, r.Top + across, r.Left + offset + length, r.Bottom - across);
}

void Outline(TCanvas* canvas, const TRect& r, const TXPProgressInfo& info, bool fill)
{
    SetOutline(canvas, fill ? info.UnCompleteColor : clNone,
               info.ShowBorder ? info.BorderColor : info.UnCompleteColor);
    canvas->Rectangle(r);
}

void PercentageText(TCanvas* canvas, const TRect& r, int position, const TXPProgressInfo& info)
{
    if (!info.ShowPercentage)
        return;
    const QString text = IntToStr(position) + QLatin1Char('%');
    canvas->Font->Assign(info.Font);
    canvas->Font->Color = info.CompleteFontColor;
    canvas->SetBkMode(TRANSPARENT);
    if (info.Vertical) {
        canvas->Font->Orientation = 900;
        const TPoint extent = canvas->TextExtent(text);
        canvas->TextOut(r.Left + r.Width() / 2 - extent.Y / 2, r.Top + r.Height() / 2 + extent.X / 2, text);
    } else {
        const TPoint extent = canvas->TextExtent(text);
        canvas->TextOut(r.Left + r.Width() / 2 - extent.X / 2, r.Top + r.Height() / 2 - extent.Y / 2, text);
    }
}

void Stacked(TCanvas* canvas, const TRect& r, int position, int span, const TXPProgressInfo& info)
{
    const int p = std::min(position, 100);
    int offset = 1;
    auto segment = [&](int length, TColor color, TColor colorTo) {
        Segment(canvas, Along(r, info.Vertical, offset, length, 1), color, colorTo, info);
        offset += length;
    };
    segment(Rnd(std::min(p, info.Level1Perc) / 100.0 * span), info.Level0Color, info.Level0ColorTo);
    if (p >= info.Level1Perc)
        segment(Rnd((std::min(p, info.Level2Perc) - info.Level1Perc) / 100.0 * span), info.Level1Color,
                info.Level1ColorTo);
    if (p >= info.Level2Perc)
        segment(p == 100 ? span - (offset - 1) : Rnd((p - info.Level2Perc) / 100.0 * span), info.Level2Color,
                info.Level2ColorTo);
}

void Levelled(TCanvas* canvas, const TRect& r, int position, int span, const TXPProgressInfo& info)
{
    TColor color = info.Level3Color, colorTo = info.Level3ColorTo;
    if (position < info.Level1Perc) {
        color = info.Level0Color;
        colorTo = info.Level0ColorTo;
    } else if (position < info.Level2Perc) {
        color = info.Level1Color;
        colorTo = info.Level1ColorTo;
    } else if (position < 100) {
        color = info.Level2Color;
        colorTo = info.Level2ColorTo;
    }
    const int p = std::min(position, 100);
    if (info.CompletionSmooth) {
        Segment(canvas, Along(r, info.Vertical, 1, Rnd(p / 100.0 * span), 1), color, colorTo, info);
        return;
    }
    // Blocks of 7 pixels with gaps of 2, then what is left of the last 9.
    const int n = Rnd(double(p) * span / 100);
    auto block = [&](int offset, int length) {
        Segment(canvas, Along(r, info.Vertical, offset, length, 2), color, colorTo, info);
    };
    if (n <= 9) {
        if (n >= 2)
            block(2, n - 1);
        return;
    }
    int offset = 2;
    block(offset, 7);
    for (int i = 0; i < n / 9 - 1; ++i)
        block(offset += 9, 7);
    if (n % 9 > 2)
        block(offset + 9, n % 9 - 1);
}

} // namespace

void DrawXPProgress(TCanvas* Canvas, const TRect& R, int Position, const TXPProgressInfo& Info)
{
    Outline(Canvas, R, Info, true);
    const int span = (Info.Vertical ? R.Height() : R.Width()) - 2;
    if (Position > 0) {
        if (Info.Stacked)
            Stacked(Canvas, R, Position, span, Info);
        else
            Levelled(Canvas, R, Position, span, Info);
    }
    PercentageText(Canvas, R, Position, Info);
    if (Position > 0)
        Outline(Canvas, R, Info, false);
}

// ---- Pie and range ------------------------------------------------------------------------------------

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Percent, bool Printing)
{
    const int w = R.Width(), h = R.Height();
    const int cx = R.Left + w / 2, cy = R.Top + h / 2;
    Canvas->Pen->Color = clGray;
    Canvas->Pen->Width = 1;
    Canvas->Pen->Style = psSolid;
    Canvas->Ellipse(R);
    Line(Canvas, cx, R.Top, cx, cy);
    const double a = Percent / 100.0 * 2 * std::numbers::pi;
    Canvas->LineTo(cx + Rnd((w + 1) * 0.5 * std::sin(a)), cy - Rnd((h + 1) * 0.5 * std::cos(a)));
    Canvas->Brush->Color = ColorToRGB(Color);
    Canvas->Brush->Style = bsSolid;
    if (Percent != 0 && Color != clNone)
        Canvas->FloodFill(cx + 1, Printing ? R.Top - 2 : R.Top + 2, clGray, fsBorder);
}

void DrawRangeIndicator(TCanvas* Canvas, const TRect& R, int Value, TColor PosColor, TColor NegColor,
                        bool ShowValue, int Range)
{
    TRect r = R;
    InflateRect(r, -2, -2);
    const int C = r.Width() / 2;
    if (Range > 0) {
        const int X = Rnd(C * double(std::clamp(Value, -Range, Range)) / Range);
        if (X < 0) {
            SetOutline(Canvas, NegColor, NegColor);
            Canvas->Rectangle(r.Left + C + X, r.Top, r.Left + C, r.Bottom);
        } else {
            SetOutline(Canvas, PosColor, PosColor);
            Canvas->Rectangle(r.Left + C, r.Top, r.Left + C + X, r.Bottom);
        }
    }
    if (ShowValue)
        Canvas->SetBkMode(TRANSPARENT);
}

// ---- Error underline ----------------------------------------------------------------------------------

namespace
{

// Where a single-line edit puts its first character: one pixel in from its left and top.
constexpr int EditTextMargin = 1;

} // namespace

void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const QString& Text, int ErrLen, int ErrPos,
                        int Offset, const TRect& R)
{
    // Positions as the edit control reports them, measured with the parent's font.
    TCanvas measure;
    measure.Font->Assign(Parent ? Parent->Font : Canvas->Font);
    auto xOf = [&](int index) { return EditTextMargin + measure.TextWidth(Text.left(index)); };
    const int len = int(Text.size());
    const int endOfText = xOf(len) + 4;
    const int startX = ErrPos >= 0 && ErrPos < len ? xOf(ErrPos) : endOfText;
    const int endX =
        ErrPos >= 0 && ErrLen > 0 && ErrPos + ErrLen <= len ? xOf(ErrPos + ErrLen - 1) : endOfText;
    const int y = R.Top + EditTextMargin + Offset;

    Canvas->Pen->Color = clRed;
    Canvas->Pen->Style = psSolid;
    Canvas->Pen->Width = 2;
    Canvas->MoveTo(R.Left + startX, y + 3);
    int g = 0;
    int d = startX;
    for (; d <= endX; d += 3) {
        Canvas->LineTo(R.Left + d + 3, y + g);
        g = 3 - g;
    }
    Canvas->LineTo(R.Left + d + 3, y + g);
}
