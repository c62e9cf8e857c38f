// The push button's input: mouse, keys, accelerator, Default/Cancel keys and the click action.
#include "grid/base/FadeButton.h"

#include "platform/controls/ActnList.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/ImgList.h"
#include "platform/controls/Menus.h"

namespace
{

// The form a component belongs to, following its owners.
TCustomForm* OwnerForm(const TComponent* component)
{
    for (TComponent* c = component ? component->Owner() : nullptr; c; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
    return nullptr;
}

// A focused push button handles Enter itself; a radio button does not count as one.
bool IsPushButton(const TControl* control)
{
    if (!control)
        return false;
    const QString name = control->ClassName().toUpper();
    return name.contains(QLatin1String("BUTTON")) && !name.contains(QLatin1String("RADIOBUTTON"));
}

} // namespace

// ---- Clicking ---------------------------------------------------------------------------------------

void TFadeButton::Click()
{
    bDown = true;
    PerformClickAction();
    TCustomControl::Click();
}

void TFadeButton::PerformClickAction()
{
    if (!Visible() || !Enabled() || !bDown)
        return;
    bDown = false;
    if (OnClick)
        OnClick(this);
    if (FModalResult != mrNone)
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(FModalResult);
    if (TPopupMenu* menu = PopupMenu()) {
        const TPoint at = ClientToScreen(Point(0, Height()));
        menu->PopupComponent = this;
        menu->Popup(at.X, at.Y);
    }
}

// ---- Mouse ------------------------------------------------------------------------------------------

bool TFadeButton::Reachable() const
{
    return Enabled() && Visible() && Parent() && Parent()->Showing();
}

void TFadeButton::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseDown(Button, Shift, X, Y);
    if (Enabled() && Button == mbLeft) {
        bDown = true;
        if (CanFocus())
            SetFocus();
        RepaintNow();
    }
}

void TFadeButton::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseUp(Button, Shift, X, Y);
    // Where the release happens does not matter: a press dragged off the button still clicks.
    if (bDown)
        Click();
    bDown = false;
    RepaintNow();
}

void TFadeButton::HandleMouseEnter()
{
    TCustomControl::HandleMouseEnter();
    if (!Reachable())
        return;
    bCursorOnButton = true;
    // A fade still running would lower the step again under the pointer.
    StopFade();
    FHotTrackStep = FadeButtonHotSteps;
    RepaintNow();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TFadeButton::HandleMouseLeave()
{
    TCustomControl::HandleMouseLeave();
    bCursorOnButton = false;
    if (FSlowDecease) {
        if (FThread)
            FThread->Resume();
    } else {
        FHotTrackStep = 0;
        RepaintNow();
    }
    if (Reachable() && OnMouseExit)
        OnMouseExit(this);
}

void TFadeButton::HandleHide()
{
    TCustomControl::HandleHide(); // the leave, when the pointer was on the button
    bDown = false;
    bCursorOnButton = false;
    StopFade();
    FHotTrackStep = 0;
}

// ---- Keys -------------------------------------------------------------------------------------------

void TFadeButton::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::HandleKeyDown(Key, Shift);
    if ((Key == VK_RETURN || Key == VK_SPACE) && Enabled()) {
        bDown = true;
        RepaintNow();
    }
}

void TFadeButton::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    TCustomControl::HandleKeyUp(Key, Shift);
    // Only a key pressed on this button clicks it: the release of an Enter that closed a dialog
    // lands on the button focused beneath and must not press it again.
    if ((Key == VK_RETURN || Key == VK_SPACE) && bDown)
        Click(); // refused by the click action while disabled
    RepaintNow();
}

void TFadeButton::HandleFocusChanged(TWinControl* Focused)
{
    TCustomControl::HandleFocusChanged(Focused);
    RepaintNow();
}

bool TFadeButton::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    if (IsAccel(Key, Caption()) && Reachable()) {
        Click();
        return true;
    }
    return TCustomControl::HandleDialogChar(Key, Shift);
}

bool TFadeButton::HandleDialogKey(WORD& Key, TShiftState Shift)
{
    const bool enter = Key == VK_RETURN && FDefault;
    const bool escape =
        Key == VK_ESCAPE && FCancel && !(Shift & (ssShift | ssCtrl | ssAlt)) && Visible() && Enabled();
    if (!enter && !escape)
        return TCustomControl::HandleDialogKey(Key, Shift);
    // Enter belongs to a focused push button. Escape always cancels: letting a focused button keep
    // it would leave a dialog that cannot be cancelled from the keyboard once a button has the focus.
    if (enter) {
        const TCustomForm* form = OwnerForm(this);
        if (form && IsPushButton(form->ActiveControl()))
            return TCustomControl::HandleDialogKey(Key, Shift);
    }
    Click();
    return true;
}

// ---- Action -----------------------------------------------------------------------------------------

void TFadeButton::HandleActionChange(TAction* Sender)
{
    TCustomControl::HandleActionChange(Sender);
    if (!Sender || !FGlyph->Empty() || !Sender->ActionList())
        return;
    const TImageList* images = Sender->ActionList()->Images();
    const int index = Sender->ImageIndex();
    if (!images || index < 0 || index >= images->Count())
        return;
    // The image over the colour the glyph keys out, so that its transparent parts stay see-through.
    FGlyph->SetSize(images->Width(), images->Height());
    FGlyph->Canvas->Brush->Color = clFuchsia;
    FGlyph->Canvas->Brush->Style = bsSolid;
    FGlyph->Canvas->FillRect(Rect(0, 0, images->Width(), images->Height()));
    images->Draw(FGlyph->Canvas, 0, 0, index);
    FNumGlyphs = 1;
    RepaintNow();
}
