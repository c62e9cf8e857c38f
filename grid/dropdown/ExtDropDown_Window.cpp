// TExtCustomDropDown: the pop-up window - creation, opening, placement, closing, forwarding.
#include "grid/dropdown/DropDownForm.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <QToolTip>
#include <QWidget>

// ---- Creation --------------------------------------------------------------------------------------

void TExtCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm)
        return;
    FDropDownForm = new TDropDownForm(this);
    FDropDownForm->SetExtDropDown(this);
    FDropDownForm->SetBorderStyle(bsNone);
    FDropDownForm->SetVisible(false);
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), FDropDownWidth, FDropDownHeight);
    FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
    FDropDownForm->OnHide = [this](TObject*) { DropDownHidden(); };
    FDropDownForm->OnKeyPress = [this](TObject*, char16_t& Key) { DropDownKeyPress(Key); };
    FDropDownForm->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        DropDownKeyDown(Key, Shift);
    };
    FDropDownForm->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) { DropDownKeyUp(Key, Shift); };
    FDropDownForm->OnMouseWheelDown = [this](TObject*) { DropDownMouseWheelDown(); };
    FDropDownForm->OnMouseWheelUp = [this](TObject*) { DropDownMouseWheelUp(); };
    FDropDownForm->OnDestroy = [this](TObject*) { DropDownFormDestroyed(); };
    FDropDownForm->OnSizing = [this](TObject*) { DropDownResized(); };
    FDropDownForm->DoubleBuffered = true;
}

void TExtCustomDropDown::DropDownFormDestroyed() {}

void TExtCustomDropDown::RefreshDropDownPanels()
{
    if (FDroppedDown && FDropDownForm)
        FDropDownForm->InitializeAndUpdate();
}

// ---- Sizing and placing the inner control ----------------------------------------------------------

void TExtCustomDropDown::PlaceDropDownControl()
{
    if (!FDropDownForm || !FControl || !FDropDownHeader)
        return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
}

void TExtCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm)
        return;
    const bool control = FControl && FControl->Visible();
    int w = FDropDownWidth > 0 ? FDropDownWidth : (control ? FControl->Width() : Width());
    int h = FDropDownHeight;
    if (h <= 0) {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible())
            h += FDropDownHeader->Height();
        if (FDropDownFooter->Visible())
            h += FDropDownFooter->Height();
        if (control)
            h += FControl->Height();
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TExtCustomDropDown::AdjustDropDownHeight(int&) {}

void TExtCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused() &&
        FFocusControl->Widget())
        FFocusControl->Widget()->setFocus(Qt::PopupFocusReason);
}

void TExtCustomDropDown::HookControlKeys()
{
    if (!FControl)
        return;
    FControl->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    FControl->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    FControl->OnKeyPress = [this](TObject*, char16_t& Key) { ControlKeyPress(Key); };
}

// ---- Opening ---------------------------------------------------------------------------------------

void TExtCustomDropDown::DoShowDropDown()
{
    if (Designing() || !FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly())
        return;
    TDropDownForm* form = FDropDownForm;
    BeforeDropDown();
    if (FDropDownForm != form || form->Visible())
        return; // an event handler took it away or opened it
    form->FShadow = FDropDownShadow;
    form->InitializeAndUpdate();
    form->SetPopupShadow(form->FShadow);
    // Moved to the edit's own Left/Top first: an opening stopped by OnDropDown leaves it there.
    form->SetBounds(Left(), Top(), form->Width(), form->Height());
    form->MinWidth = 0;
    form->MinHeight = 0;
    UpdateDropDownSize();
    PlaceDropDownControl();
    form->MinWidth = dropdown::MinWindowWidth;
    form->MinHeight = dropdown::MinWindowHeight;
    form->SetBounds(form->Left(), form->Top(), form->Width(), form->Height());
    HookControlKeys();

    const TPoint p =
        Parent() ? Parent()->ClientToScreen(TPoint(Left(), Top())) : ClientToScreen(TPoint(0, 0));
    int left = p.X;
    int top = p.Y + Height() - 1;
    const bool below =
        FDropPosition == dpDown || (FDropPosition == dpAuto && Screen->Height() > p.Y + form->Height());
    if (!below)
        top = p.Y - form->Height();
    form->SetBounds(left, top, form->Width(), form->Height());

    bool accept = true;
    if (OnDropDown)
        OnDropDown(this, accept);
    if (!accept || FDropDownForm != form)
        return;

    // The right edge is fitted with the width the window is shown at: a width the user gave it
    // replaces the derived one, which can differ (the inner control lies inside the frame).
    int width = FUserDropDownWidth != -1 ? FUserDropDownWidth : form->Width();
    int height = FUserDropDownHeight != -1 ? FUserDropDownHeight : form->Height();
    const TRect work = Screen->MonitorWorkAreaFromPoint(p);
    if (work.Left >= 0 && left + width > work.Right && left < work.Right)
        left -= left + width - work.Right;
    AdjustDropDownHeight(height);

    FDroppedDown = true;
    // Pop-ups belong to the window of the edit's form (Wayland places them by it).
    if (TCustomForm* owner = GetParentForm(this); owner && owner->Widget())
        form->SetPopupOwner(owner->Widget());
    form->SetBounds(left, top, width, height);
    form->Show();
    FocusDropDownControl();
}

void TExtCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

// ---- Closing ---------------------------------------------------------------------------------------

void TExtCustomDropDown::DoHideDropDown(bool Cancelled)
{
    if (Designing() || !FDropDownForm || !FDropDownForm->Visible())
        return;
    if (OnBeforeDropUp)
        OnBeforeDropUp(this);
    if (!FDropDownForm || !FDropDownForm->Visible())
        return;
    FUserDropDownWidth = FDropDownForm->Width();
    FUserDropDownHeight = FDropDownForm->Height();
    FDropDownForm->Hide();
    QToolTip::hideText();
    if (Cancelled)
        SetText(FOldText);
    if (OnDropUp)
        OnDropUp(this, Cancelled);
}

void TExtCustomDropDown::DropDownHidden()
{
    FDroppedDown = false;
    if (IsDestroying() || !TabStop() || !CanFocus() || Focused())
        return;
    Widget()->setFocus(Qt::PopupFocusReason);
}

void TExtCustomDropDown::DropButtonClick()
{
    if (Designing() || (FDropDownForm && FDropDownForm->Visible()))
        return;
    // A press on the button of an open drop-down deactivated it just now: that click only closes.
    if (FDropDownForm && FDropDownForm->FDeActivated &&
        uint32_t(GetTickCount() - FDropDownForm->FDeActivate) <= dropdown::ReopenDelay)
        return;
    DoShowDropDown();
}

void TExtCustomDropDown::DropDownResized() {}

// ---- Wheel and values ------------------------------------------------------------------------------

void TExtCustomDropDown::DropDownMouseWheelDown()
{
    SelectNextValue();
}

void TExtCustomDropDown::DropDownMouseWheelUp()
{
    SelectPreviousValue();
}

void TExtCustomDropDown::SelectNextValue() {}

void TExtCustomDropDown::SelectPreviousValue() {}

bool TExtCustomDropDown::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    const bool handled = TMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (WheelDelta < 0)
        SelectNextValue();
    else if (WheelDelta > 0)
        SelectPreviousValue();
    return handled;
}

// ---- Forwarding ------------------------------------------------------------------------------------

void TExtCustomDropDown::ForwardKey(UINT Msg, WORD Key, TShiftState Shift)
{
    // The shift state travels in the key data, as it does for every key message of the layer.
    LPARAM data = 0;
    if (Shift & ssShift)
        data |= KF_SHIFTDOWN;
    if (Shift & ssCtrl)
        data |= KF_CTRLDOWN;
    if (Shift & ssAlt)
        data |= KF_ALTDOWN;
    Perform(Msg, Key, data);
}

void TExtCustomDropDown::DropDownKeyPress(char16_t& Key)
{
    Perform(WM_CHAR, Key, 0);
}

void TExtCustomDropDown::DropDownKeyDown(WORD& Key, TShiftState Shift)
{
    ForwardKey(WM_KEYDOWN, Key, Shift);
}

void TExtCustomDropDown::DropDownKeyUp(WORD& Key, TShiftState Shift)
{
    ForwardKey(WM_KEYUP, Key, Shift);
}

void TExtCustomDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    ForwardKey(WM_KEYDOWN, Key, Shift);
}

void TExtCustomDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    ForwardKey(WM_KEYUP, Key, Shift);
}

void TExtCustomDropDown::ControlKeyPress(char16_t& Key)
{
    Perform(WM_CHAR, Key, 0);
}
