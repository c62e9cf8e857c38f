// The speed button: state changes from the mouse and its classic painting.
#include "platform/controls/Buttons.h"

#include "platform/graphics/ClassicDraw.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    // Keyed out in the colour of its bottom-left pixel.
    FGlyph->SetTransparent(true);
    FGlyph->SetTransparentMode(tmAuto);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetFlat(bool Value)
{
    if (FFlat != Value) {
        FFlat = Value;
        Invalidate();
    }
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (FTransparent != Value) {
        FTransparent = Value;
        Invalidate();
    }
}

void TSpeedButton::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled()) {
        FState = bsDown;
        Repaint();
    }
    TGraphicControl::HandleMouseDown(Button, Shift, X, Y);
}

void TSpeedButton::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FState == bsDown) {
        FState = bsUp;
        Repaint();
    }
    TGraphicControl::HandleMouseUp(Button, Shift, X, Y);
}

void TSpeedButton::HandleMouseEnter()
{
    FMouseInControl = true;
    if (FFlat)
        Invalidate();
    TGraphicControl::HandleMouseEnter();
}

void TSpeedButton::HandleMouseLeave()
{
    FMouseInControl = false;
    if (FFlat)
        Invalidate();
    TGraphicControl::HandleMouseLeave();
}

void TSpeedButton::HandleEnabledChanged()
{
    FState = Enabled() ? bsUp : bsDisabled;
    TGraphicControl::HandleEnabledChanged();
}

QImage TSpeedButton::GlyphImage() const
{
    if (FGlyph->Empty())
        return QImage();
    const QImage strip = FGlyph->ToDrawableImage();
    const int w = strip.width() / FNumGlyphs;
    const int index = std::min<int>(Enabled() ? FState : bsDisabled, FNumGlyphs - 1);
    return strip.copy(index * w, 0, w, strip.height());
}

void TSpeedButton::Paint()
{
    TRect r(0, 0, Width(), Height());
    const bool pressed = FState == bsDown || FState == bsExclusive;
    if (!FFlat) {
        DrawFrameControl(Canvas->Handle(), r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    } else {
        if (!FTransparent) {
            Canvas->Brush->Color = Color();
            Canvas->FillRect(r);
        }
        if (pressed || (FMouseInControl && Enabled())) {
            TRect edge = r;
            DrawEdge(Canvas->Handle(), edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
    }
    PaintGlyph(r);
    PaintCaption(r, Enabled() ? TColor(Font->Color) : clGrayText);
}

void TSpeedButton::PaintGlyph(const TRect& Area)
{
    const QImage image = GlyphImage();
    if (image.isNull())
        return;
    const int offset = FState == bsDown ? 1 : 0;
    const int x = Area.Left + std::max(0, (Area.Width() - image.width()) / 2) + offset;
    const int y = Area.Top + std::max(0, (Area.Height() - image.height()) / 2) + offset;
    Canvas->DrawImage(TRect(x, y, x + image.width(), y + image.height()), image,
                      TRect(0, 0, image.width(), image.height()));
}

void TSpeedButton::PaintCaption(TRect Area, TColor TextColor)
{
    if (Caption().isEmpty())
        return;
    if (FState == bsDown)
        Area = TRect(Area.Left + 1, Area.Top + 1, Area.Right + 1, Area.Bottom + 1);
    Canvas->Font->Assign(Font);
    Canvas->Font->Color = TextColor;
    Canvas->SetBkMode(TRANSPARENT);
    Canvas->DrawText(Caption(), Area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
