// The drop-down strips' push button.
#include "grid/dropdown/ExtButton.h"

#include "grid/dropdown/DropDownDraw.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/controls/Forms.h"

#include <QImage>
#include <QWidget>

// ---- TWinCtrl --------------------------------------------------------------------------------------

void TWinCtrl::PaintBackground(TCanvas* DC, const TRect& Rect) const
{
    QWidget* w = FControl ? FControl->Widget() : nullptr;
    if (!w || Rect.Width() <= 0 || Rect.Height() <= 0)
        return;
    const QRect under = QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()) & w->rect();
    if (under.isEmpty())
        return;
    QImage picture(Rect.Width(), Rect.Height(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    // The control's own paint event, redirected to the picture; its children stay out of it.
    w->render(&picture, under.topLeft() - QPoint(Rect.Left, Rect.Top), QRegion(under),
              QWidget::DrawWindowBackground);
    const TRect all(0, 0, picture.width(), picture.height());
    DC->DrawImage(all, picture, all);
}

void TWinCtrl::PaintCtrls(TCanvas* DC, const TControl* First) const
{
    if (!FControl)
        return;
    bool started = First == nullptr;
    for (int i = 0; i < FControl->ControlCount(); ++i) {
        TControl* c = FControl->Controls(i);
        started = started || c == First;
        if (!started || dynamic_cast<TWinControl*>(c) || !c->Visible() || !c->Widget())
            continue;
        QImage picture(c->Width(), c->Height(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        c->Widget()->render(&picture);
        DC->DrawImage(Bounds(c->Left(), c->Top(), c->Width(), c->Height()), picture,
                      TRect(0, 0, picture.width(), picture.height()));
    }
}

// ---- TExtButton ------------------------------------------------------------------------------------

TExtButton::TExtButton(TComponent* AOwner) : TCustomControl(AOwner), FUnHotTimer(new TTimer(this))
{
    ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque;
    DoubleBuffered = true;
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
    SetShowHint(false);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](TObject*) { UnHotTimerTick(); };
}

TExtButton::~TExtButton()
{
    Destroying();
}

void TExtButton::Loaded()
{
    TCustomControl::Loaded();
    if (FInitialDown != FDown)
        SetDown(FInitialDown);
}

void TExtButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !IsDestroying())
        FImages = nullptr;
}

void TExtButton::SetImages(TImageList* Value)
{
    ChangeReference(FImages, Value);
}

void TExtButton::AdjustToContent()
{
    if (!FAppearance)
        return;
    Canvas->Font->Assign(FAppearance->Font());
    TPoint size = GetTextSize(Canvas, Caption());
    if (FImages && FImageIndex >= 0) {
        size.X = std::max(size.X, FImages->Width());
        size.Y = std::max(size.Y, FImages->Height());
    }
    SetBounds(Left(), Top(), size.X + 8, size.Y + 4);
}

// ---- Down and groups -------------------------------------------------------------------------------

void TExtButton::SetDown(bool Value)
{
    if (ComponentState() & csLoading) {
        FInitialDown = Value;
        return;
    }
    if (FGroupIndex == 0 && FStyle == tasButton)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        if (FState == absUp)
            Invalidate();
        FState = absExclusive;
    } else {
        FState = absUp;
        Repaint();
    }
    if (Value)
        NotifyGroup();
}

void TExtButton::NotifyGroup()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i)))
            w->Perform(CM_BUTTONPRESSED, WPARAM(FGroupIndex), reinterpret_cast<LPARAM>(this));
}

void TExtButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_BUTTONPRESSED) {
        auto* sender = reinterpret_cast<TExtButton*>(Message.LParam);
        if (int(Message.WParam) == FGroupIndex && sender && sender != this && sender->FDown && FDown) {
            FDown = false;
            FState = absUp;
            Invalidate();
        }
        if (int(Message.WParam) == FGroupIndex && sender && sender != this)
            FAllowAllUp = sender->FAllowAllUp;
        return;
    }
    TCustomControl::WndProc(Message);
}

// ---- Click -----------------------------------------------------------------------------------------

void TExtButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    const TModalResult r = FModalResult;
    const bool cancelled = r == mrCancel || r == mrAbort || r == mrIgnore || r == mrNo || r == mrNoToAll;
    const bool closes = r == mrOk || r == mrCancel || r == mrAbort || r == mrIgnore || r == mrYes ||
                        r == mrNo || r == mrAll || r == mrNoToAll || r == mrYesToAll;
    if (FExtDropDown && closes)
        FExtDropDown->HideDropDown(cancelled);
    if (!FInternalClick)
        TCustomControl::Click();
}

// ---- Painting --------------------------------------------------------------------------------------

void TExtButton::Paint()
{
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = absDown;
    if (Parent())
        TWinCtrl(Parent()).PaintBackground(Canvas, BoundsRect());
    DrawButton();
}

void TExtButton::DrawButton()
{
    if (!FAppearance)
        return;
    const TExtButtonAppearance* a = FAppearance;
    TColor color, colorTo, border;
    if (!Enabled()) {
        color = a->ColorDisabled();
        colorTo = a->ColorDisabledTo();
        border = a->BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        color = a->ColorDown();
        colorTo = clNone;
        border = a->BorderColorDown();
    } else if (FDown) {
        color = a->ColorChecked();
        colorTo = clNone;
        border = a->BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        color = a->ColorHot();
        colorTo = clNone;
        border = a->BorderColorHot();
    } else {
        color = a->Color();
        colorTo = a->ColorTo();
        border = a->BorderColor();
    }
    const TRect r = ClientRect();
    DrawBackgroundRect(Canvas, r, color, colorTo, a->Gradient(), 1, border);
    Canvas->Brush->Style = bsClear;
    Canvas->Font->Assign(a->Font());
    DrawImageAndText(Canvas, r, Caption(), FImageIndex, FImages);
}

// ---- Mouse -----------------------------------------------------------------------------------------

void TExtButton::HandleMouseEnter()
{
    TCustomControl::HandleMouseEnter();
    if (Designing())
        return;
    FMouseInControl = true;
    if (Enabled())
        Invalidate();
    FUnHotTimer->SetEnabled(true);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TExtButton::HandleMouseLeave()
{
    TCustomControl::HandleMouseLeave();
    if (Designing())
        return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (Enabled())
        Invalidate();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TExtButton::UnHotTimerTick()
{
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    if (ClientRect().Contains(p))
        return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (Enabled())
        Invalidate();
}

void TExtButton::UpdateTracking()
{
    if (!Enabled() || Designing())
        return;
    const bool inside = ClientRect().Contains(ScreenToClient(Mouse->CursorPos()));
    if (inside != FMouseInControl) {
        if (inside)
            HandleMouseEnter();
        else
            HandleMouseLeave();
    }
}

void TExtButton::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseDown(Button, Shift, X, Y);
    if (Designing() || Button != mbLeft || !Enabled())
        return;
    FMouseDownInControl = true;
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Repaint();
    }
    FDragging = true;
}

void TExtButton::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseMove(Shift, X, Y);
    if (Designing())
        return;
    if (FDragging) {
        const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
        TExtButtonState state;
        if (inside)
            state = FDown ? absExclusive : absDown;
        else
            state = FDown ? absExclusive : absUp;
        if (FStyle == tasCheck && FDown)
            state = absDown;
        if (state != FState) {
            FState = state;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TExtButton::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseUp(Button, Shift, X, Y);
    if (Designing())
        return;
    FMouseDownInControl = false;
    Invalidate();
    if (!FDragging)
        return;
    FDragging = false;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex != 0) {
        FState = absUp;
        if (inside) {
            SetDown(!FDown);
            if (FDown)
                Invalidate();
        } else if (FDown) {
            FState = absExclusive;
            Invalidate();
        }
    } else {
        FState = absUp;
        FMouseInControl = false;
        if (FStyle == tasCheck)
            SetDown(!FDown);
        if (inside)
            Invalidate();
    }
    UpdateTracking();
}

// ---- Keys and state --------------------------------------------------------------------------------

void TExtButton::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (!Designing() && (Key == VK_RETURN || Key == VK_SPACE)) {
        if (!FDown) {
            FState = absDown;
            Invalidate();
        }
        if (FStyle == tasCheck) {
            FState = absDown;
            Repaint();
        }
        FInternalClick = true;
        Click();
        FInternalClick = false;
    }
    TCustomControl::HandleKeyDown(Key, Shift);
}

bool TExtButton::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    if (Enabled() && Visible() && IsAccel(Key, Caption())) {
        Click();
        return true;
    }
    return TCustomControl::HandleDialogChar(Key, Shift);
}

void TExtButton::HandleEnabledChanged()
{
    TCustomControl::HandleEnabledChanged();
    Invalidate();
}

void TExtButton::HandleSetFocus()
{
    TCustomControl::HandleSetFocus();
    Invalidate();
}

void TExtButton::HandleKillFocus()
{
    TCustomControl::HandleKillFocus();
    Invalidate();
}
