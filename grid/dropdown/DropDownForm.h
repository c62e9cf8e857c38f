// TDropDownForm: the borderless pop-up window of a drop-down edit (TExtCustomDropDown).
//
// A pop-up form of the toolkit (a Qt::Popup: frameless, above every window, input grabbed while
// shown). It paints its background and frame from the edit's colours, lays the inner control out
// inside the frame, hands its keys and wheel to the edit (through its events, which the edit
// hooks), and loses activation when Qt closes it on a press outside or when a modal window opens:
// HandleWMActivate then runs the deactivation - nothing while FBlockActivate; else FDeActivate is
// stamped and the edit closes the window with FCancelOnDeActivate. With FBlockActivate set, a
// modal window suspends it instead: hidden with no close handling, shown again with the focus back
// inside once the modal window has gone.
//
// Qt does not let the window manager resize pop-ups: the form offers a manual resize (press, moves,
// release) from its bottom-right corner, kept within the constraints, firing OnSizing on each step.
#pragma once

#include "platform/controls/Forms.h"

#include <QPointer>
#include <memory>

class TExtCustomDropDown;
class TDropDownModalWatch;
class TExtHeader;
class TExtFooter;

class TDropDownForm : public TForm
{
  public:
    explicit TDropDownForm(TComponent* AOwner);
    ~TDropDownForm() override;

    TExtCustomDropDown* ExtDropDown() const { return FExtDropDown; }
    void SetExtDropDown(TExtCustomDropDown* Value) { FExtDropDown = Value; }

    // Builds or refreshes the header and footer strips (nothing without an edit).
    void InitializeAndUpdate();
    // The strips; nullptr until first needed.
    TExtHeader* Header() const { return FHeader; }
    TExtFooter* Footer() const { return FFooter; }
    virtual void UpdateSize() {}

    // Size constraints (0 = none), applied by SetBounds and the manual resize.
    int MinWidth = 0;
    int MinHeight = 0;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetVisible(bool Value) override;

    // The manual resize from the bottom-right corner; points in screen coordinates.
    void BeginManualResize(TPoint ScreenPos);
    void ManualResizeTo(TPoint ScreenPos);
    void EndManualResize();
    bool Resizing() const { return FResizing; }
    // Hidden by a modal window while FBlockActivate is set.
    bool Suspended() const { return FSuspended; }

    // The form wants every key: none is a dialog key of the pop-up.
    bool WantsKey(WORD, TShiftState) const override { return true; }
    bool HandleDialogKey(WORD&, TShiftState) override { return false; }
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // WM_ACTIVATE.
    void WndProc(TMessage& Message) override;

    bool FShadow = true;
    // The form's own bottom-right 10 x 10 corner is a size grip; never set by this system.
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    // Tick count of the last deactivation while visible; meaningful once FDeActivated is set.
    uint32_t FDeActivate = 0;
    bool FDeActivated = false;

    TNotifyEvent OnSizing;
    TNotifyEvent OnDestroy;
    // The wheel over the form: down (towards the user) and up.
    TNotifyEvent OnMouseWheelDown;
    TNotifyEvent OnMouseWheelUp;

  protected:
    // WA_INACTIVE: the deactivation above; activation needs nothing here.
    virtual void HandleWMActivate(WORD State);
    // The background and frame from the edit's colours.
    virtual void PaintBackground();
    void AlignControls(TRect& Rect) override;
    bool CustomPaint() const override { return true; }
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;
    // A press outside the window goes to Qt, which closes the pop-up (and so deactivates it).
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;

  private:
    friend class TDropDownModalWatch;
    void ModalWindowShown(QWidget* Modal);
    void ModalWindowGone();
    int BorderInset() const;

    TExtCustomDropDown* FExtDropDown = nullptr;
    TExtHeader* FHeader = nullptr;
    TExtFooter* FFooter = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TDropDownModalWatch> FModalWatch;
    QPointer<QWidget> FModalWindow;
    QPointer<QWidget> FSuspendedFocus;
    bool FSuspended = false;
    // Like a window without a handle, a form never shown yet lays nothing out: the inner control
    // keeps the size its picker gave it until the first opening has measured it.
    bool FShownOnce = false;
    bool FResizing = false;
    TPoint FResizeStart;
    TPoint FResizeStartSize;
};
