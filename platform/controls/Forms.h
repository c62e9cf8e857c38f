// Forms, the application object and the screen of the toolkit layer.
//
// TCustomForm/TForm is a top-level window over QDialog. The program's forms derive from TForm, build
// their controls in the constructor (the form description) and are made with Application->CreateForm,
// which then runs OnCreate. TApplication runs the message loop, reports exceptions that escape event
// handlers (one error box through the interaction service) and ends the program when the main form
// closes. Screen gives the mouse cursor, the screen size and the active form.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/Interaction.h"

#include <exception>
#include <functional>

class QEventLoop;

enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1u << 0, biMinimize = 1u << 1, biMaximize = 1u << 2, biHelp = 1u << 3;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A form: a top-level window holding controls.
//
// Life: the constructor builds the controls (a form that reads a description calls BeginLoading
// first); AfterConstruction - Application->CreateForm calls it, or the first Show - ends loading and
// fires OnCreate.
// Showing: OnShow fires before the window appears; the window is placed as Position says; the focus
// goes to ActiveControl, else to the first tab stop.
// ShowModal: shows the form application-modal and runs a nested message loop. Setting a non-zero
// ModalResult ends the loop once the event being handled is done; then CloseQuery (OnCloseQuery) and
// OnClose may refuse (ModalResult goes back to 0 and the loop goes on); otherwise the form hides and
// ShowModal returns the result. Close() on a modal form sets ModalResult to mrCancel.
// Close on a modeless form: CloseQuery, OnClose(Action = caHide), then hide, free or - for the main
// form - end the program.
// Keys: Qt's own dialog keys are off (Escape does not reject, Enter presses no default button); Enter,
// Escape and Alt+letter reach the controls through the dialog-key routing of TWinControl only.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Ends loading and fires OnCreate (once).
    void AfterConstruction();

    void Show();
    void Hide();
    void Close();
    TModalResult ShowModal();
    // Frees the form once the current event is handled.
    void Release();
    void SetVisible(bool Value) override;

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value);
    bool Modal() const { return FModalLoop != nullptr; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    // The control that last had the focus (OnEnter/OnExit follow it).
    TWinControl* FocusedControl() const { return FFocusedControl; }
    // Raises EInvalidOperation when the control cannot take the focus.
    void SetActiveControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    bool Active() const;

    bool KeyPreview = false;
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    // fsStayOnTop: the window stays above the other windows of the desktop.
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetText(const QString& Value) override;
    void SetFocus() override;

    virtual bool CloseQuery();
    bool HandleDialogKey(WORD& Key, TShiftState Shift) override;

    // Pop-up kind (drop-down windows), chosen before the first show: a frameless Qt::Popup above
    // every window, shown at its geometry without being activated and without focusing a control.
    // Qt grabs the input while it is shown and closes it on a press outside; that close is refused
    // and arrives as WM_ACTIVATE with WA_INACTIVE through WndProc, never as Close(). Keys the key
    // protocol leaves never reach Qt's default handling (which would close it on Esc).
    void SetPopupKind(bool Value);
    bool PopupKind() const { return FPopupKind; }
    // The window a pop-up belongs to (its Qt parent) and whether it casts a shadow; set while hidden.
    void SetPopupOwner(QWidget* Owner);
    void SetPopupShadow(bool Value);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override;
    void ApplyColor() override;
    void ApplyVisible() override {}

private:
    friend class TWinControl;
    friend class TApplication;
    void FocusChangedTo(TWinControl* Control);
    void ControlGone(TWinControl* Control);
    void CloseModal();
    void ApplyWindowFlags();
    void ApplySizeConstraint();
    void PlaceOnScreen();
    void FocusFirst();
    void ExitModalLoop();

    TModalResult FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
    TWinControl* FActiveControl = nullptr;    // the control meant to have the focus
    TWinControl* FFocusedControl = nullptr;   // the one that had it last (OnEnter/OnExit)
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    bool FCreated = false;
    bool FIsMainForm = false;
    bool FPopupKind = false;
    bool FPopupShadow = true;
};

// WM_ACTIVATE: LoWord(WParam) WA_INACTIVE when the window loses activation.
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr WORD WA_INACTIVE = 0, WA_ACTIVE = 1;

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A container whose content scrolls: child controls sit on a surface as large as their extent (at
// least the visible area). Answers WM_VSCROLL/WM_HSCROLL with the scroll codes (line, page, top,
// bottom, thumb position; end-scroll does nothing). Line steps are Increment pixels.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool AutoScroll = true;
    int Increment = 8;
    // Scrolls so that the control is in view.
    void ScrollInView(TControl* Control);
    // The scroll position of the content (pixels).
    TPoint ScrollPos() const;
    void SetScrollPos(TPoint Value);
    TRect ClientRect() const override;
    void WndProc(TMessage& Message) override;

protected:
    QWidget* ChildHost() const override;
    void ChildBoundsChanged(TControl* Child) override;
    void Resize() override;
    void UpdateRange();

private:
    class TScrollContent* FContent;
    TBorderStyle FBorderStyle = bsSingle;
};

// The program: its forms, the message loop and the general error report.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize() {}
    // Creates a form owned by the application; the first one becomes the main form. Reference is set
    // before OnCreate runs, so a creation handler may use the form's global.
    template <class T> void CreateForm(T*& Reference)
    {
        Reference = new T(this);
        FormCreated(Reference);
    }
    TCustomForm* MainForm() const { return FMainForm; }

    // Shows the main form and handles messages until it closes (or Terminate).
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles the messages waiting now, without waiting for more.
    void ProcessMessages();
    // Waits for messages and handles them.
    void HandleMessage();

    // The general error report for an exception that escaped an event handler: OnException when set,
    // else ShowException. EAbort is ignored.
    void HandleException(const std::exception& E);
    // One error box (mtError, OK) with the exception's message.
    void ShowException(const std::exception& E);
    std::function<void(TObject* Sender, const std::exception& E)> OnException;

    QString Title() const { return FTitle; }
    void SetTitle(const QString& Value);
    QString ExeName() const;
    bool ShowHint = true;
    bool MainFormOnTaskBar = true;

private:
    friend class TCustomForm;
    void FormCreated(TCustomForm* Form);

    TCustomForm* FMainForm = nullptr;
    QEventLoop* FMainLoop = nullptr;
    bool FTerminated = false;
    QString FTitle;
};

// The application object (created at start-up, lives for the whole run).
extern TApplication* Application;

// Screen facts and the global mouse cursor.
class TScreen {
public:
    TCursor Cursor() const { return FCursor; }
    // Anything but crDefault overrides every control's cursor until set back.
    void SetCursor(TCursor Value);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    // The work area of the screen holding P (screen coordinates), else of the nearest screen.
    TRect MonitorWorkAreaFromPoint(TPoint P) const;
    int PixelsPerInch() const { return ScreenPixelsPerInch; }
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    int FormCount() const;
    TCustomForm* Forms(int Index) const;   // raises EListError for a bad index

private:
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;

// Handles the events waiting now except user input (keys, mouse): windows repaint and timers run, but
// nothing the user does can act while the caller is in the middle of its work.
void ProcessMessagesExceptInput();
