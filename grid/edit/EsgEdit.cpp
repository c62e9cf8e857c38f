// The edit with button: the drawn button, its holder and the edit.
#include "grid/edit/EsgEdit.h"

#include "grid/edit/EditParts.h"
#include "platform/graphics/ClassicDraw.h"

#include <algorithm>

// ---- TExtSpeedButton --------------------------------------------------------------------------------

TExtSpeedButton::TExtSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TEsgEditButton* TExtSpeedButton::Holder() const
{
    return dynamic_cast<TEsgEditButton*>(Owner());
}

void TExtSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    TSpeedButton::SetFlat(Value);
}

void TExtSpeedButton::Paint()
{
    Canvas->Font->Assign(Font);
    const TRect whole(0, 0, Width(), Height());
    TRect r = whole;
    const bool pressed = FState == bsDown || FState == bsExclusive;
    const TEsgEditButton* holder = Holder();
    if (holder && holder->ButtonColor != clNone) {
        FFlat = true;
        Canvas->Brush->Color = pressed ? holder->ButtonColorDown
                               : Hot() ? holder->ButtonColorHot
                                       : holder->ButtonColor;
        Canvas->FillRect(r);
    } else if (!FFlat) {
        // Themed drawing has no library here: the classic push button.
        DrawFrameControl(Canvas->Handle(), r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    } else {
        DrawEdge(Canvas->Handle(), r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    PaintGlyph(whole);
    PaintCaption(r, clBlack);
}

// ---- TEsgEditButton ---------------------------------------------------------------------------------

TEsgEditButton::TEsgEditButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = (ControlStyle & ~(csAcceptsControls | csSetCaption)) | csOpaque;
    SetTabStop(false);
    FButton = new TExtSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {}; // the click comes from the release handler
    FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
        ButtonReleased(Button);
    };
    FButton->SetGlyph(nullptr);
    SetBounds(0, 0, 20, 25);
}

void TEsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FButton && !(ComponentState() & csLoading))
        FButton->SetBounds(0, 0, Width(), Height());
}

void TEsgEditButton::SetFocusControl(TWinControl* Value)
{
    ChangeReference(FFocusControl, Value);
}

void TEsgEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TEsgEditButton::SetFlat(bool Value)
{
    FFlat = Value;
    FButton->SetFlat(Value);
}

void TEsgEditButton::ButtonReleased(TMouseButton Button)
{
    if (Button != mbLeft)
        return;
    if (OnClick)
        OnClick(this);
    esgedit::FocusAfterButton(this, FFocusControl);
}

// ---- TEsgEditBtn ------------------------------------------------------------------------------------

TEsgEditBtn::TEsgEditBtn(TComponent* AOwner) : TMaskEdit(AOwner)
{
    FButton = new TEsgEditButton(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* Sender) { ClickButton(Sender); };
    SetText(QStringLiteral("0"));
    ControlStyle &= ~csSetCaption;
    PlaceButton();
}

TEsgEditBtn::~TEsgEditBtn()
{
    FButton = nullptr; // the toolkit frees the holder with the other children
}

void TEsgEditBtn::ClickButton(TObject* Sender)
{
    if (OnClickBtn)
        OnClickBtn(Sender);
}

void TEsgEditBtn::SetButtonWidth(int Value)
{
    FButtonWidth = Value;
    FButton->SetWidth(Value);
    PlaceButton();
}

void TEsgEditBtn::SetRightAlign(bool Value)
{
    FRightAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TEsgEditBtn::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->Button()->IsWinXP = Value;
}

void TEsgEditBtn::SetBorderStyle(TBorderStyle Value)
{
    TMaskEdit::SetBorderStyle(Value);
    PlaceButton();
}

int TEsgEditBtn::GetMinHeight() const
{
    const int s = esgedit::ScreenTextHeight();
    const int f = esgedit::TextHeight(Font);
    return f + std::min(s, f) / 4;
}

void TEsgEditBtn::Resize()
{
    TMaskEdit::Resize();
    if (Height() < GetMinHeight()) {
        SetHeight(GetMinHeight());
        return;
    }
    PlaceButton();
}

void TEsgEditBtn::PlaceButton()
{
    if (!FButton)
        return;
    esgedit::PlaceButton(this, FButton);
    SetEditRect();
}

void TEsgEditBtn::SetEditRect()
{
    const int left = BorderStyle() == bsNone ? 3 : 1;
    int right = esgedit::ClientWidthOf(this) - (FButton->Width() + FUnitSize + 5);
    if (FUnitSize > 0)
        right -= 3;
    esgedit::SetTextArea(this, left, right);
}

bool TEsgEditBtn::WantsKey(WORD Key, TShiftState Shift) const
{
    // A multi-line edit to the dialog keys: Enter and Esc stay with the control.
    return Key == VK_RETURN || Key == VK_ESCAPE || TMaskEdit::WantsKey(Key, Shift);
}

void TEsgEditBtn::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (!CanPasteOrCut() && esgedit::IsPasteOrCutKey(Key, Shift)) {
        Key = 0;
        return;
    }
    TMaskEdit::HandleKeyDown(Key, Shift);
    // Delete changes the text like a typed character does.
    if (Key == VK_DELETE && !EditorEnabled)
        Key = 0;
    if (Key == VK_F4 && !(Shift & (ssCtrl | ssAlt)))
        ClickButton(this);
}

void TEsgEditBtn::HandleKeyPress(char16_t& Key)
{
    if (!EditorEnabled) {
        Key = 0;
        return;
    }
    TMaskEdit::HandleKeyPress(Key);
}

void TEsgEditBtn::WndProc(TMessage& Message)
{
    if (!esgedit::PerformKeyMessage(this, Message))
        TMaskEdit::WndProc(Message);
}

bool TEsgEditBtn::WidgetContextMenu(QContextMenuEvent* event)
{
    if (CanPasteOrCut() || PopupMenu())
        return TMaskEdit::WidgetContextMenu(event);
    esgedit::ContextMenuWithoutPaste(this, event);
    return true;
}

