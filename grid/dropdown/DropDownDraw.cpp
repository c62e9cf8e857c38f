// Drawing and text routines of the drop-down unit.
#include "grid/dropdown/DropDownDraw.h"

#include "grid/base/HtmlRender.h"

#include <algorithm>
#include <cmath>

TColor ShadeColor(TColor Color, int DeltaRed, int DeltaGreen, int DeltaBlue)
{
    const TColor c = ColorToRGB(Color);
    const auto shade = [](int channel, int delta) {
        if (channel == 0)
            return std::max(0, delta);
        // The integer product divided by 100.0, rounded half to even: 0.9 x 225 gives 202.
        return int(std::nearbyint(double(std::min(100, delta + 100) * channel) / 100.0));
    };
    const auto clamp = [](int v) { return uint8_t(std::clamp(v, 0, 255)); };
    return RGB(clamp(shade(GetRValue(c), DeltaRed)), clamp(shade(GetGValue(c), DeltaGreen)),
               clamp(shade(GetBValue(c), DeltaBlue)));
}

void DrawBackgroundRect(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo,
                        TGradientDirection Direction, int BorderWidth, TColor BorderColor)
{
    if (!Canvas)
        return;
    if (ColorTo != clNone) {
        DrawGradientBands(Canvas, Color, ColorTo, Direction == gdHorizontal, R, 80);
    } else if (Color != clNone) {
        Canvas->Brush->Style = bsSolid;
        Canvas->Brush->Color = Color;
        Canvas->Pen->Color = Color;
        Canvas->FillRect(R);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush->Style = bsClear;
        Canvas->Pen->Color = BorderColor;
        Canvas->Pen->Width = BorderWidth;
        Canvas->Rectangle(R);
        Canvas->Pen->Width = 1;
        Canvas->Brush->Style = bsSolid;
    }
}

void DrawImageAndText(TCanvas* Canvas, const TRect& R, const QString& Text, int ImageIndex,
                      const TImageList* Images)
{
    TRect textRect = R;
    uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex);
        textRect.Left = R.Left + Images->Width() + 8;
    } else {
        flags |= DT_CENTER;
    }
    Canvas->SetBkMode(TRANSPARENT);
    Canvas->DrawText(Text, textRect, flags);
}

void DrawTransparentGlyph(TCanvas* Canvas, const TBitmap* Bitmap, TColor BackColor, const TRect& R)
{
    if (Canvas && Bitmap && !Bitmap->Empty())
        DrawTransparentBitmap(Canvas, Bitmap, BackColor, R);
}

TPoint GetTextSize(TCanvas* Canvas, const QString& Text)
{
    if (Text.isEmpty() || !Canvas)
        return TPoint(0, 0);
    TRect r(0, 0, 1000, 500);
    Canvas->DrawText(Text, r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT | DT_TOP);
    return TPoint(r.Width(), r.Height());
}

QString TruncateText(TCanvas* Canvas, const QString& Text, int MaxWidth, bool Ellipsis)
{
    if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth)
        return Text;
    const QString tail = Ellipsis ? QStringLiteral("...") : QString();
    for (int cut = 1; cut < Text.size(); ++cut) {
        const QString candidate = Text.left(Text.size() - cut) + tail;
        if (Canvas->TextWidth(candidate) < MaxWidth)
            return candidate;
    }
    return Text;
}

TPoint GetHTMLTextSize(TCanvas* Canvas, const QString& Text, const TRect& R, TImageList* Images)
{
    QString anchor, plain, focus, title, id, value, type;
    int width = 0, height = 0, anchors = 0, hitNumber = -1;
    TRect anchorRect, controlRect;
    RenderHTML(Canvas, Text, R, Images, 0, 0, -1, -1, 1, false, true, false, false, false, false, false,
               false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus, title, width, height,
               anchors, hitNumber, anchorRect, controlRect, id, value, type, nullptr, nullptr, 0, 0);
    return TPoint(width, height);
}

QString CaseText(const QString& Text, bool KeepCase)
{
    return KeepCase ? Text : Text.toUpper();
}

TColor BlendColors(TColor Color1, TColor Color2, int Percent)
{
    if (Percent >= 100)
        return Color1;
    if (Percent <= 0)
        return Color2;
    const TColor c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
    const double p = Percent / 100.0;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        result |= TColor(std::lround(p * a + (1 - p) * b)) << shift;
    }
    return result;
}
