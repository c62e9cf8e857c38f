// The grid check box: painting over its parent, mouse, keys and accelerator.
#include "grid/base/GridCheckBox.h"

#include "platform/controls/Messages.h"
#include "platform/graphics/ClassicDraw.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace
{

constexpr int DefaultWidth = 98;
constexpr int DefaultHeight = 20;
constexpr int BoxSize = 13;       // the classic box
constexpr int BoxStripWidth = 20; // repainted when the state changes
constexpr int CaptionIndent = 9 + 6;
constexpr TColor DisabledLight = 0xFFFFFF;
constexpr TColor DisabledInk = 0x808080;

} // namespace

TExtCheckBox::TExtCheckBox(TComponent* AOwner)
    : TCustomControl(AOwner), FBkgCache(std::make_unique<TBitmap>())
{
    ControlStyle &= ~csClickEvents;
    SetBounds(0, 0, DefaultWidth, DefaultHeight);
    SetCaption("TExtCheckBox");
    SetColor(clWindow);
    SetTabStop(false);
}

TExtCheckBox::~TExtCheckBox() = default;

// -- Properties --

void TExtCheckBox::SetAlignment(TAlignment Value)
{
    if (FAlignment != Value) {
        FAlignment = Value;
        Invalidate();
    }
}

void TExtCheckBox::SetButtonVertAlign(TVAlignment Value)
{
    if (FButtonVertAlign != Value) {
        FButtonVertAlign = Value;
        Invalidate();
    }
}

void TExtCheckBox::SetEllipsis(bool Value)
{
    if (FEllipsis != Value) {
        FEllipsis = Value;
        Invalidate();
    }
}

void TExtCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value)
        return;
    FState = Value;
    InvalidateBox();
}

void TExtCheckBox::SetChecked(bool Value)
{
    SetState(Value ? cbChecked : cbUnchecked);
    Invalidate();
}

void TExtCheckBox::Toggle()
{
    if (!ReadOnly)
        SetChecked(!Checked());
}

void TExtCheckBox::SetTransparent(bool Value)
{
    if (FTransparent != Value) {
        FTransparent = Value;
        FBkgCacheValid = false;
        // A transparent box does not erase what lies under it.
        if (Value)
            ControlStyle |= csOpaque;
        else
            ControlStyle &= ~csOpaque;
    }
    Invalidate();
}

void TExtCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool changed = ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed && FTransparent) {
        FBkgCacheValid = false;
        Invalidate();
    }
}

void TExtCheckBox::InvalidateBox()
{
    if (!Widget())
        return;
    const int x = FAlignment == taRightJustify ? ClientWidth() - BoxStripWidth : 0;
    Widget()->update(QRect(x, 0, BoxStripWidth, ClientHeight()));
}

// -- Mouse --

void TExtCheckBox::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FMousePressed = true;
        if (!Focused() && CanFocus())
            SetFocus();
        SetMouseCapture(true);
        FDown = true;
        Invalidate();
    }
    TCustomControl::HandleMouseDown(Button, Shift, X, Y);
}

void TExtCheckBox::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    if (MouseCapture()) {
        const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
        if (inside != FDown) {
            FDown = inside;
            Invalidate();
        }
    }
    TCustomControl::HandleMouseMove(Shift, X, Y);
}

void TExtCheckBox::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        SetMouseCapture(false);
        FDown = false;
        const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
        if (inside && Focused() && FMousePressed) {
            Toggle();
            Click();
        }
        FMousePressed = false;
        Invalidate();
    }
    TCustomControl::HandleMouseUp(Button, Shift, X, Y);
}

void TExtCheckBox::HandleMouseEnter()
{
    FHot = true;
    InvalidateBox();
    TCustomControl::HandleMouseEnter();
}

void TExtCheckBox::HandleMouseLeave()
{
    FHot = false;
    InvalidateBox();
    TCustomControl::HandleMouseLeave();
}

// -- Keys --

bool TExtCheckBox::WantsKey(WORD Key, TShiftState Shift) const
{
    return (Key == VK_RETURN && ReturnIsTab) || TCustomControl::WantsKey(Key, Shift);
}

void TExtCheckBox::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && ReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    }
    TCustomControl::HandleKeyDown(Key, Shift);
}

void TExtCheckBox::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        FDown = false;
        Toggle();
        Click();
    }
    TCustomControl::HandleKeyUp(Key, Shift);
}

void TExtCheckBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN && Widget()) {
        if (const int key = VKToQtKey(WORD(Message.WParam))) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(Widget(), &press);
        }
        return;
    }
    TCustomControl::WndProc(Message);
}

bool TExtCheckBox::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    if (IsAccel(Key, Caption()) && CanFocus()) {
        Toggle();
        if (TabStop())
            SetFocus();
        return true;
    }
    return TCustomControl::HandleDialogChar(Key, Shift);
}

void TExtCheckBox::HandleSetFocus()
{
    TCustomControl::HandleSetFocus();
    FFocused = true;
    Invalidate();
}

void TExtCheckBox::HandleKillFocus()
{
    TCustomControl::HandleKillFocus();
    FFocused = false;
    Invalidate();
}

void TExtCheckBox::HandleEnabledChanged()
{
    TCustomControl::HandleEnabledChanged();
    Invalidate();
}

void TExtCheckBox::HandleTextChanged()
{
    TCustomControl::HandleTextChanged();
    Invalidate();
}

// -- Painting --

void TExtCheckBox::DrawParentImage(TCanvas* Target)
{
    QWidget* self = Widget();
    QWidget* parent = self ? self->parentWidget() : nullptr;
    if (!Parent() || !parent)
        return;
    // The part of the parent's client area under this control, painted without the parent's
    // children, so it never comes back here.
    const QRect under = self->geometry() & parent->rect();
    if (under.isEmpty())
        return;
    QImage picture(self->size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    parent->render(&picture, under.topLeft() - self->pos(), QRegion(under), QWidget::DrawWindowBackground);
    Target->DrawImage(TRect(0, 0, picture.width(), picture.height()), picture,
                      TRect(0, 0, picture.width(), picture.height()));
}

void TExtCheckBox::Paint()
{
    Canvas->Font->Assign(Font);

    if (FTransparent) {
        if (!TransparentChaching) {
            DrawParentImage(Canvas);
        } else {
            if (!FBkgCacheValid) {
                FBkgCache->SetPixelFormat(pf32bit);
                FBkgCache->SetSize(Width(), Height());
                DrawParentImage(FBkgCache->Canvas);
                FBkgCacheValid = true;
            }
            Canvas->Draw(0, 0, FBkgCache.get());
        }
    }

    // The classic box (no visual styles here).
    const int x = FAlignment == taRightJustify ? ClientWidth() - BoxSize : 0;
    int y = 4;
    if (FButtonVertAlign == vtaCenter)
        y = ClientHeight() / 2 - 6;
    else if (FButtonVertAlign == vtaBottom)
        y = ClientHeight() - 17;
    uint32_t state = DFCS_BUTTONCHECK;
    if (FState == cbGrayed || !Enabled())
        state |= DFCS_INACTIVE;
    if (FState == cbChecked)
        state |= DFCS_CHECKED;
    DrawFrameControl(Canvas->Handle(), TRect(x, y, x + BoxSize, y + BoxSize), DFC_BUTTON, state);

    // Caption.
    TRect r = ClientRect();
    if (FAlignment == taRightJustify) {
        r.Left = 6;
        r.Right -= 9;
    } else {
        r.Left += CaptionIndent;
    }
    r.Top += 4;
    const QString caption = Caption();
    const uint32_t flags = DT_LEFT | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0);
    Canvas->Brush->Style = bsClear;
    Canvas->SetBkMode(TRANSPARENT);
    if (!Enabled()) {
        TRect lit = r;
        OffsetRect(lit, 1, 1);
        Canvas->Font->Color = DisabledLight;
        Canvas->DrawText(caption, lit, flags);
        Canvas->Font->Color = DisabledInk;
    }
    TRect textRect = r;
    Canvas->DrawText(caption, textRect, flags);

    if (FFocused) {
        TRect measure = r;
        Canvas->DrawText(caption, measure, flags | DT_CALCRECT);
        const int tw = measure.Width();
        const int th = Canvas->TextHeight(caption);
        Canvas->Brush->Style = bsSolid;
        Canvas->DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left + tw + 1, r.Top + th + 1));
    }
    Canvas->Brush->Style = bsSolid;
}
