// The push button's repaint: the face on an off-screen bitmap, copied to the control in one go, then
// the focus rectangle.
#include "grid/base/FadeButton.h"

namespace
{

constexpr TColor TransparentKey = clFuchsia;
constexpr int FocusInset = 4;

bool KeysOutCorners(TFadeButtonStyle style)
{
    return style == bsModern || style == bsShape || style == bsQuicken;
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

    TBitmap face(W, H);
    TFont font;
    font.Assign(Font);
    if (FUseHTFont && Hot())
        font.Assign(*FHTFont);

    if (KeysOutCorners(FStyle)) {
        face.Canvas->Brush->Color = TransparentKey;
        face.Canvas->FillRect(Rect(0, 0, W, H));
        face.SetTransparentColor(TransparentKey);
        face.SetTransparent(true);
    }

    const bool hot = Hot();
    if (FStyle == bsOld && Focused()) {
        // The focused classic button: the face one pixel in, framed in black.
        DrawFadeButtonFace(face.Canvas, W - 2, H - 2, FAlignment, Caption(), FLayout, &font, FShadowColor,
                           bDown ? FShadowColor : FLightColor, FHotTrackColor, FColorWhenDown, Color(),
                           FStyle, PopupMenu() != nullptr, FWordWrap, FFlat, Enabled(), false, hot, bDown,
                           FGlyph.get(), FNumGlyphs, FHotTrackStep);
        const QImage drawn = face.Image().copy();
        face.Canvas->DrawImage(Rect(1, 1, W + 1, H + 1), drawn, Rect(0, 0, W, H));
        face.Canvas->Pen->Color = clBlack;
        face.Canvas->Pen->Style = psSolid;
        face.Canvas->Brush->Style = bsClear;
        face.Canvas->Rectangle(0, 0, W, H);
    } else {
        DrawFadeButtonFace(face.Canvas, W, H, FAlignment, Caption(), FLayout, &font, FShadowColor,
                           FLightColor, FHotTrackColor, FColorWhenDown, Color(), FStyle,
                           PopupMenu() != nullptr, FWordWrap, FFlat, Enabled(), false, hot, bDown,
                           FGlyph.get(), FNumGlyphs, FHotTrackStep);
    }

    Canvas->Draw(0, 0, &face);
    if (Focused() && Enabled() && FStyle != bsShape)
        Canvas->DrawFocusRect(Rect(FocusInset, FocusInset, W - FocusInset, H - FocusInset));
}
