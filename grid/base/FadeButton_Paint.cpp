// The push button's repaint: the face on an off-screen bitmap, copied to the control in one go, then
// the focus rectangle.
#include "grid/base/FadeButton.h"

#include <QPainter>
#include <cmath>

namespace
{

constexpr int FocusInset = 4;

bool KeysOutCorners(TFadeButtonStyle style)
{
    return style == bsModern || style == bsShape || style == bsQuicken;
}

// A shape's caption lies on the key colour, so its smoothed edges are blends of the two. Keying
// would leave them magenta; here they become caption pixels of partial opacity over what lies
// beneath, the key itself fully transparent, and everything else (glyph, arrow) stays opaque.
QImage KeyOutWithCaptionEdges(const QImage& surface, TColor key, TColor text)
{
    const QColor k = ColorToQColor(key), f = ColorToQColor(text);
    const int kc[3] = {k.red(), k.green(), k.blue()}, fc[3] = {f.red(), f.green(), f.blue()};
    int widest = 0;
    for (int c = 1; c < 3; ++c)
        if (std::abs(fc[c] - kc[c]) > std::abs(fc[widest] - kc[widest]))
            widest = c;
    const int span = fc[widest] - kc[widest];
    constexpr int Tolerance = 2;

    QImage out(surface.size(), QImage::Format_ARGB32);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const QRgb p = surface.pixel(x, y);
            const int pc[3] = {qRed(p), qGreen(p), qBlue(p)};
            if (pc[0] == kc[0] && pc[1] == kc[1] && pc[2] == kc[2]) {
                out.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            QRgb result = p;
            if (span != 0) {
                const double a = double(pc[widest] - kc[widest]) / span;
                bool blend = a > 0 && a <= 1;
                for (int c = 0; c < 3 && blend; ++c)
                    blend = std::abs(kc[c] + a * (fc[c] - kc[c]) - pc[c]) <= Tolerance;
                if (blend)
                    result = qRgba(fc[0], fc[1], fc[2], int(a * 255 + 0.5));
            }
            out.setPixel(x, y, result);
        }
    return out;
}

} // namespace

bool TFadeButton::Hot() const
{
    return bCursorOnButton || Focused();
}

void TFadeButton::Paint()
{
    if ((!Visible() && !(ComponentState() & csDesigning)) || (ComponentState() & (csLoading | csDestroying)))
        return;
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;

    TFont font;
    font.Assign(Font);
    if (FUseHTFont && Hot())
        font.Assign(*FHTFont);

    QImage surface(W, H, QImage::Format_RGB32);
    {
        QPainter painter(&surface);
        // Text drawn over the keyed-out colour must not blend into it, or its edges turn magenta.
        painter.setRenderHint(QPainter::TextAntialiasing, FStyle != bsShape);
        TCanvas canvas;
        TCanvasPainterBinding binding(canvas, painter);
        canvas.Brush->Color = KeysOutCorners(FStyle) ? FadeButtonTransparentKey : Color();
        canvas.FillRect(Rect(0, 0, W, H));

        // The focused classic button: the face one pixel in, framed in black.
        const bool framed = FStyle == bsOld && Focused();
        const int inset = framed ? 2 : 0;
        DrawFadeButtonFace(&canvas, W - inset, H - inset, FAlignment, Caption(), FLayout, &font, FShadowColor,
                           framed && bDown ? FShadowColor : FLightColor, FHotTrackColor, FColorWhenDown,
                           Color(), FStyle, PopupMenu() != nullptr, FWordWrap, FFlat, Enabled(), false, Hot(),
                           bDown, FGlyph.get(), FNumGlyphs, FHotTrackStep);
        if (framed) {
            const QImage drawn = surface.copy();
            canvas.DrawImage(Rect(1, 1, W + 1, H + 1), drawn, Rect(0, 0, W, H));
            canvas.Pen->Color = clBlack;
            canvas.Pen->Style = psSolid;
            canvas.Brush->Style = bsClear;
            canvas.Rectangle(0, 0, W, H);
        }
    }

    TBitmap face;
    if (FStyle == bsShape) {
        face.Assign(KeyOutWithCaptionEdges(surface, FadeButtonTransparentKey, font.Color));
    } else {
        face.Assign(surface);
    }
    if (KeysOutCorners(FStyle) && FStyle != bsShape) {
        face.SetTransparentColor(FadeButtonTransparentKey);
        face.SetTransparent(true);
    }
    Canvas->Draw(0, 0, &face);
    if (Focused() && Enabled() && FStyle != bsShape)
        Canvas->DrawFocusRect(Rect(FocusInset, FocusInset, W - FocusInset, H - FocusInset));
}
