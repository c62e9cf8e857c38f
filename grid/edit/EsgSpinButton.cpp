// The spin edit's button pair and its auto-repeating buttons.
#include "grid/edit/EsgSpin.h"

#include "grid/edit/EditParts.h"

#include "platform/graphics/ClassicDraw.h"

#include <algorithm>

// ---- TExtTimerSpeedButton ---------------------------------------------------------------------------

TExtTimerSpeedButton::TExtTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TEsgSpinButton* TExtTimerSpeedButton::Pair() const
{
    return dynamic_cast<TEsgSpinButton*>(Owner());
}

void TExtTimerSpeedButton::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::HandleMouseDown(Button, Shift, X, Y);
    if (TimeBtnState & tbAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
        }
        FRepeatTimer->SetInterval(InitialRepeatPause);
        FRepeatTimer->SetEnabled(true);
    }
    if (Parent())
        Parent()->Invalidate();
}

void TExtTimerSpeedButton::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::HandleMouseUp(Button, Shift, X, Y);
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    if (Parent())
        Parent()->Invalidate();
}

void TExtTimerSpeedButton::TimerExpired(TObject*)
{
    FRepeatTimer->SetInterval(RepeatPause);
    if (FState == bsDown && MouseCapture()) {
        try {
            Click();
        } catch (...) {
            FRepeatTimer->SetEnabled(false);
            throw;
        }
    }
}

void TExtTimerSpeedButton::HandleMouseEnter()
{
    TSpeedButton::HandleMouseEnter();
    Invalidate();
}

void TExtTimerSpeedButton::HandleMouseLeave()
{
    TSpeedButton::HandleMouseLeave();
    Invalidate();
}

void TExtTimerSpeedButton::Paint()
{
    const TEsgSpinButton* pair = Pair();
    const TRect r(0, 0, Width(), Height());
    if (pair && pair->ButtonColor != clNone) {
        const TColor face = FState == bsDown   ? pair->ButtonColorDown
                            : MouseInControl() ? pair->ButtonColorHot
                                               : pair->ButtonColor;
        Canvas->Brush->Color = face;
        Canvas->FillRect(r);
        const int L = r.Left, T = r.Top;
        std::vector<TPoint> arrow;
        switch (ButtonDirection) {
        case bdLeft:
            arrow = {{L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}};
            break;
        case bdRight:
            arrow = {{L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}};
            break;
        case bdUp:
            arrow = {{L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}};
            break;
        case bdDown:
            arrow = {{L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}};
            break;
        }
        Canvas->Pen->Color = clBlack;
        Canvas->Brush->Color = clBlack;
        Canvas->Polygon(arrow);
        return;
    }
    // The theme library is not there: themed buttons draw as classic ones.
    if (ButtonDirection == bdLeft || ButtonDirection == bdRight) {
        uint32_t state = ButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (FState == bsDown)
            state |= DFCS_PUSHED;
        if (Flat())
            state |= DFCS_FLAT;
        DrawFrameControl(Canvas->Handle(), r, DFC_SCROLL, state);
        return;
    }
    TSpeedButton::Paint();
}

// ---- TEsgSpinButton ---------------------------------------------------------------------------------

TEsgSpinButton::TEsgSpinButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = (ControlStyle & ~(csAcceptsControls | csSetCaption)) | csOpaque;
    SetTabStop(false);
    FUpButton = CreateButton(bdUp);
    FDownButton = CreateButton(bdDown);
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FFocusedButton = FUpButton;
    SetBounds(0, 0, 15, 25);
}

TExtTimerSpeedButton* TEsgSpinButton::CreateButton(TButtonDirection Direction)
{
    auto* button = new TExtTimerSpeedButton(this);
    button->SetParent(this);
    button->TimeBtnState = tbAllowTimer;
    button->ButtonDirection = Direction;
    button->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    button->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState, int, int) {
        BtnMouseDown(Sender, Button);
    };
    return button;
}

void TEsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AdjustButtons(AWidth, AHeight);
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TEsgSpinButton::Loaded()
{
    TCustomControl::Loaded();
    int w = Width(), h = Height();
    AdjustButtons(w, h);
    if (w != Width() || h != Height())
        SetBounds(Left(), Top(), w, h);
}

void TEsgSpinButton::AdjustButtons(int& W, int& H)
{
    if ((ComponentState() & csLoading) || !FUpButton || !FDownButton)
        return;
    if (FDirection == spVertical) {
        W = std::max(W, 15);
        const int upHeight = H / 2;
        FUpButton->SetBounds(0, 0, W, upHeight);
        // The two overlap by one pixel.
        FDownButton->SetBounds(0, upHeight - 1, W, H - upHeight + 1);
    } else {
        W = std::max(W, 20);
        FDownButton->SetBounds(0, 0, W / 2, H);
        FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
    }
}

void TEsgSpinButton::SetDirection(TSpinDirection Value)
{
    if (FDirection == Value)
        return;
    FDirection = Value;
    const bool horizontal = Value == spHorizontal;
    FUpButton->ButtonDirection = horizontal ? bdRight : bdUp;
    FDownButton->ButtonDirection = horizontal ? bdLeft : bdDown;
    SetWidth(horizontal ? 20 : 15);
    FUpButton->Invalidate();
    FDownButton->Invalidate();
}

void TEsgSpinButton::SetFocusControl(TWinControl* Value)
{
    ChangeReference(FFocusControl, Value);
}

void TEsgSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TEsgSpinButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FUpButton->IsWinXP = Value;
    FDownButton->IsWinXP = Value;
}

namespace
{

void SetSpinGlyph(TExtTimerSpeedButton* button, const TBitmap* glyph, const char* resource)
{
    if (glyph) {
        button->SetGlyph(glyph);
        return;
    }
    TBitmap builtIn;
    builtIn.LoadFromResourceName(QString::fromLatin1(resource));
    button->SetGlyph(&builtIn);
    button->SetNumGlyphs(1);
}

} // namespace

void TEsgSpinButton::SetUpGlyph(const TBitmap* Value)
{
    SetSpinGlyph(FUpButton, Value, "EsgSpinUp");
}

void TEsgSpinButton::SetDownGlyph(const TBitmap* Value)
{
    SetSpinGlyph(FDownButton, Value, "EsgSpinDown");
}

bool TEsgSpinButton::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key);
}

void TEsgSpinButton::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::HandleKeyDown(Key, Shift);
    switch (Key) {
    case VK_SPACE:
        FFocusedButton->Click();
        break;
    case VK_UP:
        FocusButton(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        FocusButton(FDownButton);
        FDownButton->Click();
        break;
    default:
        break;
    }
}

void TEsgSpinButton::MarkFocus(bool Focused)
{
    if (Focused)
        FFocusedButton->TimeBtnState |= tbFocusRect;
    else
        FFocusedButton->TimeBtnState &= ~tbFocusRect;
    FFocusedButton->Invalidate();
}

void TEsgSpinButton::HandleSetFocus()
{
    TCustomControl::HandleSetFocus();
    MarkFocus(true);
}

void TEsgSpinButton::HandleKillFocus()
{
    TCustomControl::HandleKillFocus();
    MarkFocus(false);
}

void TEsgSpinButton::FocusButton(TExtTimerSpeedButton* Button)
{
    if (!TabStop() || !CanFocus() || Button == FFocusedButton)
        return;
    FFocusedButton->TimeBtnState &= ~tbFocusRect;
    FFocusedButton = Button;
    if (Focused()) {
        FFocusedButton->TimeBtnState |= tbFocusRect;
        Invalidate();
    }
}

void TEsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button)
{
    if (Button != mbLeft)
        return;
    FocusButton(static_cast<TExtTimerSpeedButton*>(Sender));
    esgedit::FocusAfterButton(this, FFocusControl);
}

void TEsgSpinButton::BtnClick(TObject* Sender)
{
    const TNotifyEvent& event = Sender == FUpButton ? OnUpClick : OnDownClick;
    if (event)
        event(this);
}
