// The push button's face: background, border, caption and glyph of every style, drawn from plain
// arguments so that the button and its tests draw the same way.
#include "grid/base/FadeButton.h"

#include <algorithm>

namespace
{

constexpr int Margin = 4;         // between the face edge, the glyph and the caption
constexpr int GradientBands = 31; // bands 0..31 over a height divided by 31

bool HasBorder(bool enabled, bool flat, bool hot, bool down)
{
    return enabled ? (!flat || hot || down) : !flat;
}

// Fills r from colour a at the top to colour b at the bottom, in bands.
void FillGradient(TCanvas* canvas, TColor a, TColor b, const TRect& r)
{
    a = ColorToRGB(a);
    b = ColorToRGB(b);
    const int d = r.Bottom - r.Top;
    const int band = d / GradientBands + 1;
    double red = GetRValue(a), green = GetGValue(a), blue = GetBValue(a);
    const double dr = (double(GetRValue(b)) - red) / GradientBands;
    const double dg = (double(GetGValue(b)) - green) / GradientBands;
    const double db = (double(GetBValue(b)) - blue) / GradientBands;
    const TPenStyle penStyle = canvas->Pen->Style;
    canvas->Pen->Style = psClear;
    for (int i = 0; i <= GradientBands; ++i) {
        canvas->Brush->Color = RGB(uint8_t(red), uint8_t(green), uint8_t(blue));
        const int top = r.Top + i * d / GradientBands;
        canvas->FillRect(TRect(r.Left, top, r.Right, std::min(top + band, r.Bottom)));
        red += dr;
        green += dg;
        blue += db;
    }
    canvas->Pen->Style = penStyle;
}

void DrawBackground(TCanvas* canvas, int W, int H, TFadeButtonStyle style, TColor face, TColor light, int P,
                    bool noFill)
{
    if (style == bsShape) {
        canvas->Brush->Color = FadeButtonTransparentKey;
        canvas->Rectangle(-1, -1, W + 1, H + 1);
        return;
    }
    if (noFill)
        return;
    canvas->Brush->Color = face;
    switch (style) {
    case bsNormal:
    case bsEncarta:
    case bsOld:
        canvas->Rectangle(-1, -1, W + 1, H + 1);
        break;
    case bsModern:
        FillGradient(canvas, light, face, TRect(2, 2, W - 2, H / 4 + P));
        FillGradient(canvas, face, light, TRect(2, H / 4 + P, W - 2, H - 1));
        break;
    default: // bsQuicken fills with its border
        break;
    }
}

void DrawBorder(TCanvas* canvas, int W, int H, TFadeButtonStyle style, TColor face, TColor shadow,
                TColor light, bool enabled, bool flat, bool hot, bool down)
{
    TPen* pen = canvas->Pen;
    switch (style) {
    case bsNormal:
    case bsEncarta:
        if (!HasBorder(enabled, flat, hot, down))
            break;
        pen->Color = down ? shadow : light;
        canvas->MoveTo(0, H - 1);
        canvas->LineTo(0, 0);
        canvas->LineTo(W - 1, 0);
        pen->Color = down ? light : shadow;
        canvas->LineTo(W - 1, H - 1);
        canvas->LineTo(0, H - 1);
        break;
    case bsOld:
        if (!HasBorder(enabled, flat, hot, down))
            break;
        pen->Color = shadow;
        if (down) {
            canvas->MoveTo(1, H - 3);
            canvas->LineTo(1, 1);
            canvas->LineTo(W - 2, 1);
        } else {
            canvas->MoveTo(W - 2, 0);
            canvas->LineTo(W - 2, H - 2);
            canvas->LineTo(0, H - 2);
        }
        pen->Color = down ? cl3DDkShadow : light;
        canvas->MoveTo(0, H - 1);
        canvas->LineTo(0, 0);
        canvas->LineTo(W - 1, 0);
        pen->Color = down ? light : cl3DDkShadow;
        canvas->LineTo(W - 1, H - 1);
        canvas->LineTo(-1, H - 1);
        break;
    case bsModern:
        pen->Color = down ? shadow : face;
        canvas->Rectangle(1, 1, W - 1, H - 1);
        pen->Color = shadow;
        canvas->RoundRect(0, 0, W, H, 6, 6);
        break;
    case bsQuicken:
        pen->Style = psClear;
        canvas->Brush->Color = face;
        canvas->Brush->Style = bsSolid;
        canvas->RoundRect(0, 1, W, H, 4, 4);
        canvas->Brush->Style = bsClear;
        pen->Style = psSolid;
        pen->Color = shadow;
        canvas->MoveTo(4, 0);
        canvas->LineTo(W - 5, 0);
        canvas->MoveTo(4, H - 1);
        canvas->LineTo(W - 5, H - 1);
        break;
    case bsShape:
        break;
    }
}

// Cell `cell` of the strip over a copy of cell 0, so that a cell beyond the strip shows cell 0.
void DrawGlyphCell(TCanvas* canvas, const TBitmap& glyph, int GW, int GH, int cell, TPoint at)
{
    const QImage strip = glyph.Image().convertToFormat(QImage::Format_RGB32);
    QImage image(GW, GH, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, strip);
        p.drawImage(-cell * GW, 0, strip);
    }
    TBitmap cellBitmap;
    cellBitmap.Assign(image);
    cellBitmap.SetTransparent(true);
    canvas->Draw(at.X, at.Y, &cellBitmap);
}

void DrawPopupArrow(TCanvas* canvas, int W, int H)
{
    TBitmap arrow;
    arrow.LoadFromResourceName(QStringLiteral("LBARROW"));
    arrow.SetTransparent(true);
    canvas->Draw(W - 11, H / 2 - 1, &arrow);
}

} // namespace

TColor FadeButtonFaceColor(TColor Color, TColor HotColor, TColor DownColor, bool Enabled, bool Down, int Step)
{
    if (!Enabled)
        Down = false;
    if (Down && DownColor != clNone)
        return DownColor;
    const TColor c = ColorToRGB(Color);
    if (!Enabled || HotColor == clNone)
        return c;
    const TColor k = ColorToRGB(HotColor);
    const double s = double(std::clamp(Step, 0, FadeButtonHotSteps)) / FadeButtonHotSteps;
    const auto mix = [s](uint8_t a, uint8_t b) { return uint8_t(double(a) * (1 - s) + double(b) * s); };
    return RGB(mix(GetRValue(c), GetRValue(k)), mix(GetGValue(c), GetGValue(k)),
               mix(GetBValue(c), GetBValue(k)));
}

int FadeButtonGlyphCell(bool Enabled, bool Hot, bool Down, int NumGlyphs)
{
    if (!Enabled)
        return 1;
    if (Down && NumGlyphs > 2)
        return 2;
    if (Hot && NumGlyphs > 3)
        return 3;
    return 0;
}

int FadeButtonTextLimit(int W, TFadeButtonLayout Layout, TFadeButtonStyle Style, int GW)
{
    int tw = W - 2 * Margin;
    if (Style != bsShape && (Layout == blGlyphLeft || Layout == blGlyphRight) && GW > 0)
        tw -= GW + Margin;
    return std::max(0, tw);
}

uint32_t FadeButtonTextFormat(TAlignment Alignment)
{
    switch (Alignment) {
    case taLeftJustify:
        return DT_WORDBREAK;
    case taRightJustify:
        return DT_RIGHT | DT_WORDBREAK;
    default:
        return DT_CENTER | DT_WORDBREAK;
    }
}

TFadeButtonFaceLayout LayoutFadeButtonFace(const TFadeButtonFaceGeometry& g)
{
    TFadeButtonFaceLayout out;
    const int W = g.W, H = g.H, P = g.P, GW = g.GW, GH = g.GH, TH = g.TH, CW = g.CW;
    const int TW = FadeButtonTextLimit(W, g.Layout, g.Style, GW);
    out.TextLimit = TW;
    if (g.Style == bsShape) {
        out.GlyphPos = TPoint((W - GW) / 2, (H - GH) / 2);
        out.TextRect = TRect(P, (H - TH) / 2 + P, W, H);
        out.TextFormat = DT_CENTER | DT_WORDBREAK;
        return out;
    }
    out.TextFormat = FadeButtonTextFormat(g.Alignment);
    int textLeft = P + Margin, textTop = 0, glyphLeft = 0, glyphTop = 0;
    switch (g.Layout) {
    case blGlyphLeft:
    case blGlyphRight:
        textTop = (H - TH) / 2 + P;
        glyphTop = (H - GH) / 2 + P;
        if (g.Layout == blGlyphLeft) {
            if (GW > 0)
                textLeft += GW + Margin;
            glyphLeft = P + Margin;
            if (!g.WordWrap && g.Alignment == taRightJustify)
                glyphLeft = W - Margin - GW - CW + P;
            else if (!g.WordWrap && g.Alignment == taCenter)
                glyphLeft = (W - GW) / 2 + P - CW / 2;
        } else {
            glyphLeft = P + Margin + CW;
            if (!g.WordWrap && g.Alignment == taRightJustify)
                glyphLeft = W - Margin + P - GW;
            else if (!g.WordWrap && g.Alignment == taCenter)
                glyphLeft = (W - GW) / 2 + P + CW / 2;
        }
        break;
    case blGlyphTop:
    case blGlyphBottom: {
        const int BH = TH + (GH > 0 ? GH + Margin : 0);
        if (g.Layout == blGlyphTop) {
            glyphTop = (H - BH) / 2 + P;
            textTop = (H - BH) / 2 + GH + P;
        } else {
            textTop = (H - BH) / 2 + P;
            glyphTop = (H - BH) / 2 + TH + P;
        }
        if (g.Alignment == taRightJustify)
            glyphLeft = W - GW - Margin + P;
        else if (g.Alignment == taCenter)
            glyphLeft = (W - GW) / 2 + P;
        else
            glyphLeft = P + Margin;
        break;
    }
    }
    out.GlyphPos = TPoint(glyphLeft, glyphTop);
    out.TextRect = TRect(textLeft, textTop, textLeft + TW, textTop + TH);
    return out;
}

void DrawFadeButtonFace(TCanvas* Canvas, int W, int H, TAlignment Alignment, const QString& Caption,
                        TFadeButtonLayout Layout, const TFont* Font, TColor ShadowColor, TColor LightColor,
                        TColor HotColor, TColor DownColor, TColor Color, TFadeButtonStyle Style,
                        bool HasPopup, bool WordWrap, bool Flat, bool Enabled, bool NoFill, bool Hot,
                        bool Down, const TBitmap* Glyph, int NumGlyphs, int Step)
{
    if (!Enabled)
        Down = false;
    const int P = Down && Style != bsEncarta ? 1 : 0;
    const TColor face = FadeButtonFaceColor(Color, HotColor, DownColor, Enabled, Down, Step);

    Canvas->Brush->Style = bsSolid;
    Canvas->Pen->Style = psSolid;
    DrawBackground(Canvas, W, H, Style, face, LightColor, P, NoFill);
    Canvas->Brush->Style = bsClear;
    DrawBorder(Canvas, W, H, Style, face, ShadowColor, LightColor, Enabled, Flat, Hot, Down);

    if (Font)
        Canvas->Font->Assign(*Font);
    if (Style == bsEncarta && Down)
        Canvas->Font->Style |= fsBold;

    // A glyph without cells draws nothing but its height still counts in the vertical layouts.
    const int GH = Glyph && !Glyph->Empty() ? Glyph->Height() : 0;
    const int GW = GH > 0 && NumGlyphs > 0 ? Glyph->Width() / NumGlyphs : 0;

    QString caption = Caption;
    const int TW = FadeButtonTextLimit(W, Layout, Style, GW);
    if (!WordWrap)
        while (!caption.isEmpty() && Canvas->TextWidth(caption) > TW)
            caption.chop(1);
    TRect measure(0, 0, TW, 0);
    Canvas->DrawText(caption, measure, DT_CALCRECT | DT_WORDBREAK);
    const int TH = measure.Height();
    const int CW = caption.isEmpty() ? 0 : measure.Right + Margin;

    const TFadeButtonFaceLayout at =
        LayoutFadeButtonFace({W, H, Alignment, Layout, Style, WordWrap, P, GW, GH, TH, CW});
    const auto drawGlyph = [&] {
        if (GW > 0 && GH > 0)
            DrawGlyphCell(Canvas, *Glyph, GW, GH, FadeButtonGlyphCell(Enabled, Hot, Down, NumGlyphs),
                          at.GlyphPos);
    };
    // A shape centres both, so its caption is written over the glyph; elsewhere the glyph comes last.
    if (Style == bsShape)
        drawGlyph();
    if (Style != bsShape && !Enabled)
        Canvas->Font->Color = clGray;
    TRect textRect = at.TextRect;
    Canvas->Brush->Style = bsClear;
    Canvas->DrawText(caption, textRect, at.TextFormat);
    if (Style != bsShape)
        drawGlyph();

    if (HasPopup)
        DrawPopupArrow(Canvas, W, H);
}
