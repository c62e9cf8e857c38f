// The spin edit as a control: its button pair, layout, keys and focus.
#include "grid/edit/EsgSpin.h"

#include "grid/edit/EditParts.h"

#include <algorithm>

TEsgSpinEdit::TEsgSpinEdit(TComponent* AOwner) : TMaskEdit(AOwner)
{
    SetText(QStringLiteral("0"));
    ControlStyle &= ~csSetCaption;
    FButton = new TEsgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { UpButtonClick(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { DownButtonClick(Sender); };
    PlaceButton();
}

TEsgSpinEdit::~TEsgSpinEdit()
{
    FButton = nullptr; // the toolkit frees the pair with the other children
}

void TEsgSpinEdit::Loaded()
{
    TMaskEdit::Loaded();
    if (FSpinType == sptDate)
        SetText(DateToStr(FDateValue));
    else if (FSpinType == sptTime)
        SetText(TimeText(FTimeValue));
    SetSpinType(FSpinType);
}

// ---- Layout -----------------------------------------------------------------------------------------

int TEsgSpinEdit::GetMinHeight() const
{
    const int s = esgedit::ScreenTextHeight();
    const int f = esgedit::TextHeight(Font);
    return f + std::min(s, f) / 4 + 2 + (BorderStyle() == bsSingle ? 4 : 0);
}

void TEsgSpinEdit::Resize()
{
    TMaskEdit::Resize();
    if (Height() < GetMinHeight()) {
        SetHeight(GetMinHeight());
        return;
    }
    PlaceButton();
}

void TEsgSpinEdit::PlaceButton()
{
    if (!FButton)
        return;
    esgedit::PlaceButton(this, FButton);
    SetEditRect();
}

void TEsgSpinEdit::SetEditRect()
{
    const int inset = BorderStyle() == bsNone ? 3 : 0;
    esgedit::SetTextArea(this, inset, esgedit::ClientWidthOf(this) - FButton->Width() - 2 - inset);
}

void TEsgSpinEdit::SetBorderStyle(TBorderStyle Value)
{
    TMaskEdit::SetBorderStyle(Value);
    PlaceButton();
}

void TEsgSpinEdit::SetDirection(TSpinDirection Value)
{
    if (FDirection == Value)
        return;
    FDirection = Value;
    FButton->SetDirection(Value);
    PlaceButton();
}

void TEsgSpinEdit::SetEditAlign(TEditAlign Value)
{
    FEditAlign = Value;
    SetAlignment(Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify);
}

void TEsgSpinEdit::SetSpinFlat(bool Value)
{
    FButton->UpButton()->SetFlat(Value);
    FButton->DownButton()->SetFlat(Value);
    FSpinFlat = Value;
}

void TEsgSpinEdit::SetSpinTransparent(bool Value)
{
    FButton->UpButton()->SetTransparent(Value);
    FButton->DownButton()->SetTransparent(Value);
    FSpinTransparent = Value;
    PlaceButton();
}

void TEsgSpinEdit::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

// ---- Keys and focus ---------------------------------------------------------------------------------

bool TEsgSpinEdit::WantsKey(WORD Key, TShiftState Shift) const
{
    // A multi-line edit to the dialog keys: Enter and Esc stay with the control.
    return Key == VK_RETURN || Key == VK_ESCAPE || TMaskEdit::WantsKey(Key, Shift);
}

void TEsgSpinEdit::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    FKeypadDecimal = Key == VK_DECIMAL;
    switch (Key) {
    case VK_PRIOR:
        StepUp(true);
        Key = 0;
        return;
    case VK_NEXT:
        StepDown(true);
        Key = 0;
        return;
    case VK_UP:
        StepUp(false);
        Key = 0;
        return;
    case VK_DOWN:
        StepDown(false);
        Key = 0;
        return;
    default:
        break;
    }
    if (Key == VK_RETURN && ReturnIsTab) {
        // Enter is used up here; the posted Tab moves the focus once it is served.
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
        Key = 0;
        return;
    }
    if (Key == VK_DELETE && !EditorEnabled) {
        Key = 0;
        return;
    }
    if (!CanPasteOrCut() && esgedit::IsPasteOrCutKey(Key, Shift)) {
        Key = 0;
        return;
    }
    TMaskEdit::HandleKeyDown(Key, Shift);
}

void TEsgSpinEdit::HandleKeyPress(char16_t& Key)
{
    if (ExcelStyleDecimalSeparator && FKeypadDecimal && Key == u'.')
        Key = FormatSettings().DecimalSeparator.unicode();
    if (!AcceptsChar(Key)) {
        Key = 0;
        MessageBeep(0);
        return;
    }
    TMaskEdit::HandleKeyPress(Key);
}

void TEsgSpinEdit::WndProc(TMessage& Message)
{
    if (!esgedit::PerformKeyMessage(this, Message))
        TMaskEdit::WndProc(Message);
}

bool TEsgSpinEdit::WidgetContextMenu(QContextMenuEvent* event)
{
    if (CanPasteOrCut() || PopupMenu())
        return TMaskEdit::WidgetContextMenu(event);
    esgedit::ContextMenuWithoutPaste(this, event);
    return true;
}

void TEsgSpinEdit::DoEnter()
{
    // Without typing, a click cannot place a caret worth keeping: select even then.
    if (AutoSelect && !EditorEnabled)
        SelectAll();
    TMaskEdit::DoEnter();
}

void TEsgSpinEdit::DoExit()
{
    TMaskEdit::DoExit();
    ClampOnExit();
}

void TEsgSpinEdit::UpButtonClick(TObject*)
{
    StepUp(false);
}

void TEsgSpinEdit::DownButtonClick(TObject*)
{
    StepDown(false);
}
