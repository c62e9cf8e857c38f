// TExtButton: the flat push button of the drop-down window's header and footer strips, and
// TWinCtrl, which paints a control's own surface for a child that copies its background.
//
// The button draws its face from a shared TExtButtonAppearance (the drop-down's ButtonAppearance)
// over a copy of its parent's background, so clNone face colours show the strip's gradient. It
// tracks hot and pressed states, groups like a speed button (GroupIndex, AllowAllUp, tasCheck), and
// a click hands its ModalResult to the parent form and, for a footer button, closes the drop-down
// by it before OnClick fires:
//   1. the form's ModalResult := ModalResult;
//   2. mrOk, mrCancel, mrAbort, mrIgnore, mrYes, mrNo, mrAll, mrNoToAll, mrYesToAll close the
//      drop-down, cancelled for mrCancel, mrAbort, mrIgnore, mrNo, mrNoToAll;
//   3. OnClick, unless the click came from Enter or Space (FInternalClick).
#pragma once

#include "grid/dropdown/DropDownAppearance.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/ImgList.h"

class TExtCustomDropDown;

// Sent to every control of a button's parent when a grouped button goes down (WParam = group
// index, LParam = the button).
constexpr UINT CM_BUTTONPRESSED = 0xB009;

enum TExtButtonStyle { tasButton, tasCheck };
enum TExtButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

// Paints the surface of a window control for a child that shows it through.
class TWinCtrl
{
  public:
    explicit TWinCtrl(TWinControl* Control) : FControl(Control) {}
    // The control's own painting (background and paint, no child controls) under Rect (control
    // coordinates) into DC, whose origin is Rect's top-left corner.
    void PaintBackground(TCanvas* DC, const TRect& Rect) const;
    // The graphic child controls from First (nullptr = all) on, into DC in the control's coordinates.
    void PaintCtrls(TCanvas* DC, const TControl* First) const;

  private:
    TWinControl* FControl;
};

class TExtButton : public TCustomControl
{
  public:
    explicit TExtButton(TComponent* AOwner);
    ~TExtButton() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    TExtButtonStyle Style() const { return FStyle; }
    void SetStyle(TExtButtonStyle Value) { FStyle = Value; }
    TExtButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TExtCustomDropDown* DropDown() const { return FExtDropDown; }
    void SetDropDown(TExtCustomDropDown* Value) { FExtDropDown = Value; }
    // Shared, not owned; without one nothing but the parent's background is drawn.
    TExtButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TExtButtonAppearance* Value) { FAppearance = Value; }
    // Kept for the strips' UpdateButtons; the size comes from AdjustToContent.
    bool AutoSize = false;

    // Caption and image measured in the appearance font: Width = w + 8, Height = h + 4.
    void AdjustToContent();
    // The 1-ms timer's tick: ends the hot state once the cursor is outside.
    void UnHotTimerTick();
    TTimer* UnHotTimer() const { return FUnHotTimer; }

    void Click() override;
    void WndProc(TMessage& Message) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    void HandleEnabledChanged() override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;

  protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void DrawButton();

  private:
    void UpdateTracking();
    void NotifyGroup();
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    TExtButtonStyle FStyle = tasButton;
    TExtButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    TTimer* FUnHotTimer;
    bool FInitialDown = false;
    bool FInternalClick = false;
    TExtButtonAppearance* FAppearance = nullptr;
    TImageList* FImages = nullptr;
    int FImageIndex = -1;
    TModalResult FModalResult = mrNone;
    TExtCustomDropDown* FExtDropDown = nullptr;
};
