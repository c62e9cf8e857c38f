// The grid's editors on the edit controls: thin wrappers, each over one stand-alone control, that
// the grid lays over a cell (ShowCellEditor) and reads back (EditorToCell). Each adds to the common
// wrapper contract (GridEditorWrapper.h) only the keys that end its edit and the grid events it fires.
//
//   TGridSpin            spin edit          edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit
//   TGridEditBtn         edit with button   edEditBtn, edNumericEditBtn, edFloatEditBtn, edMaskEditBtn
//   TGridUnitEditBtn     unit edit          edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn
//   TGridCheckBox        check box          edCheckBox
//   TGridButton          push button        edButton
//   TGridDatePicker      date/time picker   edDateEdit, edDateEditUpDown, edTimeEdit
//   TGridDateTimePicker  date and time      edDateTimeEdit
//
// The end of an edit, per wrapper, in the order the keys are handled:
//   1. Exit keys commit: the cell takes the editor's text (SetCurrentCellText), then ValidateCell.
//      A refusal keeps the editor open on its cell (the spin and unit editors show the cell's text
//      again, the others the text the validation left, FNewCellText).
//   2. Esc cancels: the editor is reloaded from the text the cell had when the edit began.
//   3. DoneInplaceEdit hides the editor (its value stored by EditorToCell) and moves as the key says.
// The focus leaving the editor stores its value (HideInplaceEdit) for every wrapper but
// TGridDateTimePicker, which stays open when the click lands outside the grid.
#pragma once

#include "grid/edit/EsgDateTimePicker.h"
#include "grid/edit/EsgEdit.h"
#include "grid/edit/EsgSpin.h"
#include "grid/edit/ExtDateTimePicker.h"
#include "grid/edit/GridEditorWrapper.h"
#include "platform/controls/StdCtrls.h"

constexpr UINT WM_PASTE = 0x0302;

// The lenient conversions of the show: leading blanks, a sign, then decimal digits (or hexadecimal
// digits after "$" or "0x"); the digits before the first bad character count and the sign only when
// the whole text converts ("-12a" gives 12); an empty text gives 0.
int LenientStrToInt(const QString& Text);
// The same for a float: digits with the regional decimal separator and an exponent.
double LenientStrToFloat(const QString& Text);

// ---- Spin ------------------------------------------------------------------------------------------

// PgUp, PgDn, Up and Down step in the spin edit itself and fire nothing. Home sets the maximum, End
// the minimum (integer and float kinds), each firing OnSpinClick with the integer Value. The buttons
// fire the event of the spin type (OnSpinClick, OnFloatSpinClick, OnDateSpinClick, OnTimeSpinClick).
class TGridSpin : public TGridEditorWrapper<TEsgSpinEdit>
{
  public:
    explicit TGridSpin(TComponent* AOwner);

    // Recreates the window so that changed creation settings take effect; nothing is destroyed.
    void ReCreate();

    void UpButtonClick(TObject* Sender) override;
    void DownButtonClick(TObject* Sender) override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;

  protected:
    bool WantsEditorKey(WORD Key) const override;
    void Change() override;

  private:
    void FireSpinClick(bool UpDown);
};

// ---- Edit with button ------------------------------------------------------------------------------

// Exit keys Tab, Enter, Esc, PgUp, PgDn, Up and Down; every other key goes first to the grid's
// OnKeyDown (Sender the grid). Typed characters go to the grid's OnKeyPress (Sender the grid) after
// the kind's filter (numeric, float). A paste goes through OnClipboardPaste and
// OnClipboardBeforePasteCell and lands in the cell at once.
class TGridEditBtn : public TGridEditorWrapper<TEsgEditBtn>
{
  public:
    explicit TGridEditBtn(TComponent* AOwner);

    int FSelKeyDown = 0; // the caret at the last key-down
    bool StopEditAfterClick = false;

    void ReCreate();
    // S := DoEllipsClick(text); the text takes it, all selected.
    virtual void EditButtonClick(TObject* Sender);

    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    void HandleWMPaste();

  protected:
    void Change() override;

  private:
    void KeyDownSteps(WORD& Key, TShiftState Shift);
    void LookupComplete();
    // Left (Backward) or Right out of the text: on to the neighbouring cell.
    void CursorWalk(bool Backward);
};

// The character filters of the numeric and float kinds, shared with the unit edit. False: the
// character is dropped (Beep tells whether it beeps).
bool NumericEditChar(const TEdit* Edit, char16_t Key, bool& Beep);
bool FloatEditChar(const TEdit* Edit, char16_t Key, bool& Beep);

// ---- Unit edit -------------------------------------------------------------------------------------

// Commits value and unit joined (TextAndUnit); exit keys Tab, Enter, Esc, PgUp, PgDn, Up and Down.
class TGridUnitEditBtn : public TGridEditorWrapper<TEsgUnitEditBtn>
{
  public:
    explicit TGridUnitEditBtn(TComponent* AOwner);

    void ReCreate();
    virtual void EditButtonClick(TObject* Sender);
    // Value and unit from a cell text: the unit that ends the text, else the whole text as value
    // and no unit (a text without a known unit is kept whole).
    void LoadCellText(const QString& Value);

    bool WantsEditorKey(WORD Key) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;

  private:
    void KeyDownSteps(WORD& Key, TShiftState Shift);
};

// ---- Check box -------------------------------------------------------------------------------------

// Toggles on the press of the left button (and on Space), not on the release. Enter, PgUp, PgDn,
// End and the arrows end the edit; the state is not stored in the cell.
class TGridCheckBox : public TGridEditorWrapper<TCheckBox>
{
  public:
    explicit TGridCheckBox(TComponent* AOwner);

    void ReCreate();

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;

  protected:
    bool WantsEditorKey(WORD Key) const override;
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;

  private:
    bool FPressToggled = false;
};

// ---- Push button -----------------------------------------------------------------------------------

// A click (release of a left press) or Space: S := DoEllipsClick(caption); caption and cell take S.
// An arrow key moves the grid; Esc puts the cached cell text back. The button ends its edit by
// hiding and disabling itself.
class TGridButton : public TGridEditorWrapper<TButton>
{
  public:
    explicit TGridButton(TComponent* AOwner);

    void ReCreate();

    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;

  protected:
    bool WantsEditorKey(WORD Key) const override;

  private:
    void Pressed();
    void EndByKey();
};

// ---- Date and time ---------------------------------------------------------------------------------

// A typed digit moves on to the next field when it changed the field (ShiftFocus, after the posted
// "DTPShiftFocus"). Enter completes the field being typed (VK_RIGHT down and up) before it commits.
class TGridDatePicker : public TGridEditorWrapper<TEsgDateTimePicker>
{
  public:
    explicit TGridDatePicker(TComponent* AOwner);

    bool WeekNumbers = false;
    bool ShowToday = true;
    bool ShowTodayCircle = true;
    // The calendar is open.
    bool FOldDropped = false;

    void ReCreate();
    QString Text() const override;
    void SetText(const QString& Value) override;

    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void WndProc(TMessage& Message) override;

  protected:
    virtual void ShiftFocus();
    void HandleNotify(TNMHdr& Header) override;
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;

  private:
    void KeyDownSteps(WORD& Key, TShiftState Shift);
    // Commit and validate (Enter, Tab); False when refused.
    bool Commit();

    WORD Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
};

// Enter and Tab store; Esc puts back the value the editor was opened with.
class TGridDateTimePicker : public TExtDateTimePicker
{
  public:
    explicit TGridDateTimePicker(TComponent* AOwner);

    TExtStringGrid* Grid() const { return FGrid; }

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;

  private:
    TExtStringGrid* FGrid;
};
