// The spin edit: a one-line edit holding an integer, a float, a date or a time as its text, with a
// pair of repeating buttons at its right edge (module esgspin).
//
//   TEsgSpinEdit         the edit; its text is the value, each reader converts it leniently
//   TEsgSpinButton       the button pair, a child of the edit
//   TExtTimerSpeedButton one auto-repeating button of the pair
//
// Value protocol: every writer (Value, FloatValue, DateValue, TimeValue) clamps to the limits of its
// kind (equal limits = no limit) and writes the text; the readers never raise. Leaving the control
// clamps again. Up/Down and PgUp/PgDn step like the buttons; for dates and times the field the caret
// stands in steps. Typed characters pass AcceptsChar first; refused ones beep.
#pragma once

#include "grid/edit/EditParts.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/DateText.h"

enum TEsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
using TTimeBtnState = unsigned;
constexpr TTimeBtnState tbFocusRect = 1u << 0, tbAllowTimer = 1u << 1;

class TEsgSpinButton;

// A speed button that clicks again and again while it is held: the first repeat 400 ms after the
// press, then every 100 ms, and once more on the release (the speed button's own click).
class TExtTimerSpeedButton : public TSpeedButton
{
  public:
    static constexpr unsigned InitialRepeatPause = 400;
    static constexpr unsigned RepeatPause = 100;

    explicit TExtTimerSpeedButton(TComponent* AOwner);

    TTimeBtnState TimeBtnState = 0;
    TButtonDirection ButtonDirection = bdUp;
    bool IsWinXP = false;
    // Made on the first press; nullptr before.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;

  protected:
    void Paint() override;

  private:
    void TimerExpired(TObject* Sender);
    TEsgSpinButton* Pair() const;

    TTimer* FRepeatTimer = nullptr;
};

// The up and down buttons side by side (spHorizontal) or one over the other (spVertical). A press on
// either gives the focus to FocusControl; a click fires OnUpClick or OnDownClick with the pair as
// Sender. Only ButtonColor, ButtonColorHot and ButtonColorDown are drawn; the others are kept.
class TEsgSpinButton : public TCustomControl, public TEditButtonColors
{
  public:
    explicit TEsgSpinButton(TComponent* AOwner);

    TExtTimerSpeedButton* UpButton() const { return FUpButton; }
    TExtTimerSpeedButton* DownButton() const { return FDownButton; }
    TExtTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    void SetIsWinXP(bool Value);
    bool IsWinXP() const { return FIsWinXP; }

    // nullptr brings back the built-in triangle.
    void SetUpGlyph(const TBitmap* Value);
    void SetDownGlyph(const TBitmap* Value);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

  private:
    TExtTimerSpeedButton* CreateButton(TButtonDirection Direction);
    // Places both buttons for a pair of size W x H; W grows to the least width of the direction.
    void AdjustButtons(int& W, int& H);
    void FocusButton(TExtTimerSpeedButton* Button);
    void BtnMouseDown(TObject* Sender, TMouseButton Button);
    void BtnClick(TObject* Sender);
    void MarkFocus(bool Focused);

    TExtTimerSpeedButton* FUpButton = nullptr;
    TExtTimerSpeedButton* FDownButton = nullptr;
    TExtTimerSpeedButton* FFocusedButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TEsgSpinEdit : public TMaskEdit
{
  public:
    explicit TEsgSpinEdit(TComponent* AOwner);
    ~TEsgSpinEdit() override;

    TEsgSpinButton* Button() const { return FButton; }

    TEsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TEsgSpinType Value);

    int Value() const;
    void SetValue(int Value);
    double FloatValue() const;
    void SetFloatValue(double Value);
    TDateTime DateValue() const;
    void SetDateValue(TDateTime Value);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime Value);

    int MinValue = 0;
    int MaxValue = 100;
    double MinFloatValue = 0.0;
    double MaxFloatValue = 100.0;
    TDateTime MinDateValue = 0; // the limits of the date and of the time kind
    TDateTime MaxDateValue = 0;
    int Increment = 1;
    double IncrementFloat = 0.1;
    double IncrementFloatPage = 1.0;
    int IncrementHours = 1;
    int IncrementMinutes = 1;
    int IncrementSeconds = 1;
    bool EditorEnabled = true;
    bool ReturnIsTab = false;
    bool ExcelStyleDecimalSeparator = false;
    bool AllowEmptyValue = false; // read by the owner: an empty text means no value
    bool ShowSeconds = true;

    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign Value);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool Value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    void SetBorderStyle(TBorderStyle Value);

    // The least height that shows the font.
    int GetMinHeight() const;

    virtual void StepUp(bool Page);
    virtual void StepDown(bool Page);
    // The key filter for typed characters (the caret and selection as they are now).
    virtual bool AcceptsChar(char16_t Key) const;
    virtual void UpButtonClick(TObject* Sender);
    virtual void DownButtonClick(TObject* Sender);

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void WndProc(TMessage& Message) override;

  protected:
    void Loaded() override;
    void Resize() override;
    void DoEnter() override;
    void DoExit() override;
    bool WidgetContextMenu(QContextMenuEvent* event) override;

  private:
    void Step(int Direction, bool Page);
    void StepDate(int Direction);
    void StepTime(int Direction);
    // Writes the text and puts the caret back where it was.
    void SetTextKeepCaret(const QString& Value);
    QString TimeText(TDateTime Value) const;
    void PlaceButton();
    void SetEditRect();
    // The client area as the window system counts it: inside the border.
    int EditClientWidth() const;
    bool CanPasteOrCut() const { return EditorEnabled && !ReadOnly(); }
    void ClampOnExit();

    TEsgSpinButton* FButton = nullptr;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    TEsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    TSpinDirection FDirection = spVertical;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FIsWinXP = false;
    bool FKeypadDecimal = false; // the key being typed is the numeric keypad's decimal key
};
