// The drop button of the drop-down edit.
#include "grid/dropdown/DropDownButton.h"

#include "grid/dropdown/ExtDropDown.h"
#include "platform/graphics/ClassicDraw.h"

namespace
{

// The arrow of the drop face: a filled triangle (5, 7), (11, 7), (8, 10).
void DrawArrow(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen->Color = Color;
    Canvas->Brush->Color = Color;
    Canvas->Brush->Style = bsSolid;
    Canvas->Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

} // namespace

// ---- TExtDropDownSpeedButton ------------------------------------------------------------------------

TExtDropDownSpeedButton::TExtDropDownSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner), FIsWinXP(IsComCtlVersion6())
{
}

void TExtDropDownSpeedButton::SetButtonStyle(TButtonStyle Value)
{
    FButtonStyle = Value;
    Invalidate();
}

void TExtDropDownSpeedButton::SetEtched(bool Value)
{
    if (FEtched == Value)
        return;
    FEtched = Value;
    Invalidate();
}

void TExtDropDownSpeedButton::SetFocused(bool Value)
{
    if (FFocused == Value)
        return;
    FFocused = Value;
    Invalidate();
}

bool TExtDropDownSpeedButton::Pressed() const
{
    return (FState == bsDown || FState == bsExclusive) && !FUp;
}

void TExtDropDownSpeedButton::HandleMouseEnter()
{
    TSpeedButton::HandleMouseEnter();
    FHot = true;
    Invalidate();
}

void TExtDropDownSpeedButton::HandleMouseLeave()
{
    TSpeedButton::HandleMouseLeave();
    FHot = false;
    Invalidate();
}

void TExtDropDownSpeedButton::Paint()
{
    if (FButtonStyle == bsDropDown)
        PaintDropDownFace();
    else
        PaintButtonFace();
}

void TExtDropDownSpeedButton::PaintDropDownFace()
{
    auto* container = dynamic_cast<TDropDownEditButton*>(Parent());
    auto* edit = container ? dynamic_cast<TExtCustomDropDown*>(container->FocusControl()) : nullptr;
    const TRect client = ClientRect();
    const bool pressed = Pressed();
    if (container && container->FButtonColor != clNone) {
        TColor face = container->FButtonColor;
        TColor text = container->FButtonTextColor;
        if (FHot) {
            face = container->FButtonColorHot;
            text = container->FButtonTextColorHot;
        }
        if (pressed) {
            face = container->FButtonColorDown;
            text = container->FButtonTextColorDown;
        }
        Canvas->Brush->Style = bsSolid;
        Canvas->Brush->Color = face;
        Canvas->FillRect(client);
        Canvas->Pen->Color = edit ? edit->BorderColor() : clNone;
        if (Canvas->Pen->Color != clNone) {
            Canvas->MoveTo(0, 0);
            Canvas->LineTo(0, Height());
        }
        // The style tables leave the arrow colour open: the button text colour stands in.
        DrawArrow(Canvas, text == clNone ? clBtnText : text);
        return;
    }
    if (!Glyph()->Empty()) {
        Canvas->Brush->Style = bsSolid;
        Canvas->Brush->Color = clBtnFace;
        Canvas->Pen->Color = 0x808080;
        Canvas->Rectangle(client);
        DrawTransparentGlyph(Canvas, Glyph(), clBtnFace, Bounds(0, 0, Glyph()->Width(), Glyph()->Height()));
        return;
    }
    // Classic: the speed button's own face, a light inner edge and the arrow.
    const bool enabled = !edit || (edit->Enabled() && !edit->ReadOnly());
    TSpeedButton::Paint();
    Canvas->Pen->Color = clBtnFace;
    Canvas->MoveTo(Width() - 2, 0);
    Canvas->LineTo(0, 0);
    Canvas->LineTo(0, Height() - 1);
    Canvas->Pen->Color = clWhite;
    Canvas->MoveTo(Width() - 3, 1);
    Canvas->LineTo(1, 1);
    Canvas->LineTo(1, Height() - 2);
    DrawArrow(Canvas, enabled ? clBlack : clBtnShadow);
}

void TExtDropDownSpeedButton::PaintButtonFace()
{
    if (!Flat()) {
        TSpeedButton::Paint();
        return;
    }
    const bool down = FState == bsDown;
    TRect r = ClientRect();
    Canvas->Brush->Style = bsSolid;
    Canvas->Brush->Color = clBtnFace;
    Canvas->FillRect(r);
    TRect edge(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    DrawEdge(Canvas, edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0u));
    TRect inner(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
    if (down)
        OffsetRect(inner, 1, 1);
    if (!Glyph()->Empty())
        DrawTransparentGlyph(Canvas, Glyph(), clBtnFace, inner);
    if (!Caption().isEmpty()) {
        TRect text(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
        if (down)
            OffsetRect(text, 1, 1);
        Canvas->Font->Assign(Font);
        Canvas->SetBkMode(TRANSPARENT);
        Canvas->DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- TDropDownEditButton ----------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = (ControlStyle & ~(csAcceptsControls | csSetCaption)) | csOpaque;
    SetTabStop(false);
    FButton = new TExtDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft && OnClick)
            OnClick(this);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(QString());
    FButton->SetButtonStyle(bsDropDown);
    SetBounds(0, 0, 16, 25);
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    (void)AWidth;
    TCustomControl::SetBounds(ALeft, ATop, FBWidth, AHeight);
    if (FButton)
        FButton->SetBounds(0, 0, FBWidth, AHeight);
}

void TDropDownEditButton::SetButtonWidth(int Value)
{
    FBWidth = Value;
    SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::Resize()
{
    TCustomControl::Resize();
    if (Width() != FBWidth || (FButton && FButton->Height() != Height()))
        SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::Loaded()
{
    TCustomControl::Loaded();
    SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value)
{
    ChangeReference(FFocusControl, Value);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TDropDownEditButton::HandleEnabledChanged()
{
    TCustomControl::HandleEnabledChanged();
    if (FButton && !(ComponentState() & csDesigning))
        FButton->SetEnabled(Enabled());
}
