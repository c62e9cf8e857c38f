// Controls of the toolkit layer over QWidget: TControl, TWinControl, TCustomControl, TGraphicControl.
//
// A control is a TComponent that drives one Qt widget (Widget()). The widget is a TWidgetBridge:
// a subclass of the Qt class the control needs (QWidget for self-drawn controls, QLineEdit for the
// edit, QDialog for forms) whose event overrides call back into the control. The control turns Qt's
// events into the toolkit's messages - virtual methods named Handle... - with the toolkit's
// virtual-key codes and shift state, and fires the std::function events (OnClick, OnKeyDown, ...).
// Every dispatch from a Qt override runs inside one guard: an exception escaping a handler goes to
// Application->HandleException (one error box) and the program goes on.
//
// Properties with side effects are Get/Set pairs (Visible()/SetVisible()); Font, Canvas and lists are
// public pointers, so `Label->Font->Color = clGray` and `Canvas->Brush->Color = X` read as in the
// toolkit. Own flags are kept for Visible and Enabled: Visible() is the property, not whether the
// widget is on screen (Showing()).
//
// Lifetime: the owner (TComponent) frees a control; a TWinControl frees its child controls first, as
// the toolkit does; a widget deleted by Qt takes its control with it.
#pragma once

#include "platform/core/Classes.h"
#include "platform/graphics/Graphics.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TAction;

// ---- Window-system vocabulary ----------------------------------------------------------------------

using WORD = uint16_t;
using UINT = uint32_t;
using HWND = uintptr_t;      // a registered window; 0 = none
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// Virtual-key codes; letters and digits are their upper-case ASCII codes ('A', '0').
constexpr WORD VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04;
constexpr WORD VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
constexpr WORD VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14;
constexpr WORD VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23;
constexpr WORD VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
constexpr WORD VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C;
constexpr WORD VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F;
constexpr WORD VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
constexpr WORD VK_NUMPAD0 = 0x60, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B;
constexpr WORD VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
constexpr WORD VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75;
constexpr WORD VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B;
constexpr WORD VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;
constexpr WORD VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD;
constexpr WORD VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC;
constexpr WORD VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

// Shift state: keys and mouse buttons held, and whether a mouse press is a double click.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2, ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4, ssMiddle = 1u << 5, ssDouble = 1u << 6;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The toolkit's key and mouse events; `var` arguments are references (Key := 0 consumes a key).
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// MousePos is in screen coordinates; WheelDelta is 120 per notch, positive away from the user.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

// Virtual key and shift state of a Qt key event (0 for a key without a code).
WORD KeyEventToVK(const QKeyEvent* event);
TShiftState KeyboardModifiersToShiftState(Qt::KeyboardModifiers modifiers);
// The Qt key of a virtual key (the main block's key where the keypad has one too); 0 when none.
int VKToQtKey(WORD vk);
// The character a key press types, as the window system's character message gives it: Ctrl+A..Z
// are #1..#26, Enter #13, Esc #27, Backspace #8, Tab #9; 0 when the key types nothing.
char16_t KeyPressChar(const QString& text, WORD key, TShiftState shift);
// Keys a form may take as dialog keys (focus moves, Default and Cancel buttons).
bool IsDialogKeyCode(WORD key);
bool IsArrowKey(WORD key);   // VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN
// The key event a control is to see, as the toolkit delivers a held key (KeyRepeat.h): repeated
// key-downs marked as repeats and one key-up when let go. nullptr for the release half of a repeat
// pair; `marked`, a copy marked as a repeat, for a bare press of a key that is down already;
// else `event` itself.
QKeyEvent* HeldKeyEvent(QKeyEvent* event, std::optional<QKeyEvent>& marked);
// Hands a key event to `deliver` (bool(QKeyEvent*)) through HeldKeyEvent; the acceptance of a
// marked copy comes back to `event`.
template <class Deliver> bool DeliverKeyEvent(QKeyEvent* event, Deliver deliver)
{
    std::optional<QKeyEvent> marked;
    QKeyEvent* key = HeldKeyEvent(event, marked);
    if (!key) {
        event->accept();
        return true;
    }
    const bool result = deliver(key);
    event->setAccepted(key->isAccepted());
    return result;
}
TShiftState MouseButtonsToShiftState(Qt::MouseButtons buttons);
// The window system's key state: negative while the key or mouse button is down
// (VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON, VK_RBUTTON, VK_MBUTTON).
int16_t GetKeyState(int vk);

// Accelerators: the character after a single '&' of a caption ("&&" is a literal '&').
QChar GetHotkey(const QString& caption);
bool IsAccel(char16_t key, const QString& caption);   // case-insensitive
QString StripHotkey(const QString& caption);
// Text of a hint up to '|' (the short hint) and after it (the long one).
QString GetShortHint(const QString& hint);
QString GetLongHint(const QString& hint);

// ---- Layout vocabulary -----------------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;   // controls use bsNone and bsSingle

// Anchors: a set of edges. akLeft and akRight are the drawing layer's arrow kinds (Canvas/ClassicDraw
// share the names), so the set is built from them and from akTop/akBottom:
//   Control->SetAnchors(akLeft | akTop | akRight | akBottom);
class TAnchors {
public:
    enum : unsigned { Left = 1, Top = 2, Right = 4, Bottom = 8 };
    constexpr TAnchors() = default;
    constexpr explicit TAnchors(unsigned bits) : bits_(bits) {}
    constexpr TAnchors(TArrowKind edge)
        : bits_(edge == akLeft ? unsigned(Left) : edge == akRight ? unsigned(Right) : 0u)
    {
    }
    constexpr bool Has(unsigned edge) const { return (bits_ & edge) != 0; }
    constexpr unsigned Bits() const { return bits_; }
    friend constexpr TAnchors operator|(TAnchors a, TAnchors b) { return TAnchors(a.bits_ | b.bits_); }
    friend constexpr bool operator==(TAnchors a, TAnchors b) { return a.bits_ == b.bits_; }

private:
    unsigned bits_ = Left | Top;
};
inline constexpr TAnchors operator|(TArrowKind a, TArrowKind b) { return TAnchors(a) | TAnchors(b); }
inline constexpr TAnchors operator|(TArrowKind a, TAnchors b) { return TAnchors(a) | b; }
inline constexpr TAnchors operator|(TAnchors a, TArrowKind b) { return a | TAnchors(b); }
constexpr TAnchors akTop{TAnchors::Top};
constexpr TAnchors akBottom{TAnchors::Bottom};
constexpr TAnchors akNone{0u};

// Cursors.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6;
constexpr TCursor crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11;
constexpr TCursor crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16;
constexpr TCursor crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
QCursor CursorToQCursor(TCursor cursor);

// Control style: what the generic mouse handling does for a control.
using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 1u << 0;
constexpr TControlStyle csCaptureMouse = 1u << 1;    // capture while a button is held
constexpr TControlStyle csClickEvents = 1u << 2;     // press and release inside make a Click
constexpr TControlStyle csSetCaption = 1u << 3;
constexpr TControlStyle csOpaque = 1u << 4;          // paints all of itself; no background fill
constexpr TControlStyle csDoubleClicks = 1u << 5;    // a double click is its own message
constexpr TControlStyle csFixedWidth = 1u << 6;
constexpr TControlStyle csFixedHeight = 1u << 7;
constexpr TControlStyle csNoStdEvents = 1u << 8;     // no OnMouse.../OnKey... events
constexpr TControlStyle csReplicatable = 1u << 9;
constexpr TControlStyle csParentBackground = 1u << 10;

// ---- Messages ------------------------------------------------------------------------------------

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;
inline constexpr WORD LoWord(uintptr_t v) { return WORD(v & 0xFFFF); }
inline constexpr WORD HiWord(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }

// Delivers a message to a registered window at once; 0 when there is no such window (any more).
LRESULT SendMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
// Queues a message; false when the window does not exist. It is dropped if the window is gone by then.
// A posted WM_KEYDOWN or WM_KEYUP that the receiver's WndProc leaves to TWinControl::WndProc runs the
// receiver's whole key protocol, as a key from the keyboard would.
bool PostMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
// True for the message PostMessage is serving now (not for messages sent while serving it).
bool IsPostedMessage(const TMessage& Message);
bool IsWindow(HWND window);
TWinControl* FindControl(HWND window);

// ---- Dispatch guard --------------------------------------------------------------------------------

// Reports the exception being handled through Application->HandleException (call inside catch).
void ReportDispatchException() noexcept;

// Runs one dispatch from a Qt override; an escaping exception is reported, never passed to Qt.
// Returns false when it was.
template <class F> bool GuardedDispatch(F&& f) noexcept
{
    try {
        f();
        return true;
    } catch (...) {
        ReportDispatchException();
        return false;
    }
}

// ---- Widget bridge ---------------------------------------------------------------------------------

class TControl;

// The control side of a bridge widget; the control calls the Qt class's own handling through it.
class TControlWidgetLink {
public:
    virtual ~TControlWidgetLink() = default;
    TControl* Control = nullptr;
    virtual bool NativeEvent(QEvent* e) = 0;
    virtual void NativeMouse(QMouseEvent* e) = 0;
    virtual void NativePaint(QPaintEvent* e) = 0;
    virtual void NativeContextMenu(QContextMenuEvent* e) = 0;
};

// ---- TControl --------------------------------------------------------------------------------------

// The mouse as the system sets it up.
class TMouse {
public:
    int WheelScrollLines() const;   // lines per wheel notch (the system setting)
    TPoint CursorPos() const;       // screen coordinates
    TControl* Capture() const;
};
extern TMouse* Mouse;

// Base of every visible element. Mouse protocol for a control that handles input itself (not a
// native Qt editor): a press captures the mouse (csCaptureMouse) and marks a click (csClickEvents);
// the release inside the client area calls Click() and then HandleMouseUp. A double click arrives as
// HandleDblClick (csDoubleClicks), which calls DblClick() and then HandleMouseDown with ssDouble;
// without csDoubleClicks the second press is an ordinary press. Controls over native Qt widgets get
// the same Handle... calls as notifications before Qt's own handling.
class TControl : public TComponent {
public:
    ~TControl() override;

    QWidget* Widget() const { return FWidget; }
    // The control a bridge widget belongs to, or nullptr.
    static TControl* FromWidget(const QWidget* widget);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int Value) { SetBounds(Value, Top(), Width(), Height()); }
    void SetTop(int Value) { SetBounds(Left(), Value, Width(), Height()); }
    void SetWidth(int Value) { SetBounds(Left(), Top(), Value, Height()); }
    void SetHeight(int Value) { SetBounds(Left(), Top(), Width(), Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    virtual TRect ClientRect() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;   // on screen: visible itself and all its parents
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* const Font;   // changes apply at once
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    QString Caption() const { return Text(); }
    void SetCaption(const QString& Value) { SetText(Value); }
    virtual QString Text() const { return FText; }
    virtual void SetText(const QString& Value);

    QString Hint() const { return FHint; }
    void SetHint(const QString& Value);
    bool ShowHint() const;
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TAction* Action() const { return FAction; }
    void SetAction(TAction* Value);

    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    void Invalidate();
    void Repaint();
    void Update();    // paints what is pending now
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;

    // Scales bounds and, unless the font follows the parent, the font size by M / D (the window
    // system's rounded multiply-divide); a window control scales its children after itself.
    virtual void ChangeScale(int M, int D);

    // -- Messages (toolkit notifications) --
    virtual void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void HandleMouseMove(TShiftState Shift, int X, int Y);
    virtual void HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void HandleMouseEnter();
    virtual void HandleMouseLeave();
    // The control went off screen (hidden itself, or its form hid): it forgets the mouse - a leave
    // when the pointer was inside, no capture, no pending click - so it shows no hover or press
    // when it comes back with the pointer elsewhere.
    virtual void HandleHide();
    virtual void HandleEnabledChanged();
    virtual void HandleVisibleChanged();
    virtual void HandleFontChanged();
    virtual void HandleTextChanged();
    virtual void HandleColorChanged();
    virtual void HandleSysColorChange();
    // Any control of the form got the focus.
    virtual void HandleFocusChanged(TWinControl* Focused);
    // Enter, Escape (and other keys the focused control does not want) offered to every control of
    // the form; true = taken, the key goes no further.
    virtual bool HandleDialogKey(WORD& Key, TShiftState Shift);
    // Alt+character offered to every control of the form; true = taken.
    virtual bool HandleDialogChar(char16_t Key, TShiftState Shift);
    // The linked action changed (caption, enabled, visible, hint, checked).
    virtual void HandleActionChange(TAction* Sender);

    // Fires OnClick, or executes the action when there is no OnClick.
    virtual void Click();
    virtual void DblClick();
    // Fires OnMouseWheel; true when a handler marked the wheel handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    // Wheel protocol: the wheel is offered to the form's focused control (else the control under the
    // mouse) and then to its parents up to the form, through DoMouseWheel; when none handles it, the
    // Qt widgets scroll as usual.
    TMouseWheelEvent OnMouseWheel;

protected:
    // `widget` is a TWidgetBridge made by the subclass; the control takes it over.
    TControl(TComponent* AOwner, QWidget* widget);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The control's size changed: align children, then OnResize.
    virtual void Resize();
    // Pushes Color/Font to the widget; subclasses over Qt editors choose the palette role.
    virtual void ApplyColor();
    virtual void ApplyFont();
    // Shows or hides the widget as Visible says (a tab sheet leaves that to its page control).
    virtual void ApplyVisible();
    // Sets the Visible flag without touching the widget (page controls for their sheets).
    void SetVisibleFlag(bool Value) { FVisible = Value; }
    // Self-drawn controls return true and paint in PaintWidget.
    virtual bool CustomPaint() const { return false; }
    virtual void PaintWidget(QPaintEvent* event, TControlWidgetLink& link);
    // Whether the Qt widget handles mouse and keys itself (edits, lists): events are then
    // notifications, and Qt's handling follows.
    bool NativeInput = false;
    // Qt event hook for subclasses; default runs the Qt class's handling.
    virtual bool WidgetEvent(QEvent* event, TControlWidgetLink& link);
    virtual void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link);
    virtual bool WidgetContextMenu(QContextMenuEvent* event);
    void ApplyToolTip();
    void RequestParentAlign();
    void UpdateAnchorRules();
    void ParentFontChanged(const TFont* ParentFontValue);
    void ParentColorChanged(TColor ParentColorValue);
    void ParentShowHintChanged();
    bool IsDestroying() const { return (ComponentState() & csDestroying) != 0; }
    // Connects a Qt signal of the control's widget (or of a widget inside it) to a handler that runs
    // guarded, and not at all once the control is being destroyed (Qt widgets emit while dying).
    template <class Sender, class Signal, class Handler>
    void ConnectSignal(Sender* sender, Signal signal, Handler handler)
    {
        QObject::connect(sender, signal, sender, [this, handler](auto&&... args) {
            if (!IsDestroying())
                GuardedDispatch([&] { handler(args...); });
        });
    }

    QString FText;

private:
    template <class> friend class TWidgetBridge;
    friend class TWinControl;
    void WidgetGone();
    void FontChanged();
    void SizeChanged();
    // Sets the colour and passes it on to the children that follow it.
    void ChangeColor(TColor Value);
    bool DispatchWheel(QWheelEvent* event);

    QWidget* FWidget = nullptr;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TAction* FAction = nullptr;
    TAlign FAlign = alNone;
    TAnchors FAnchors;
    TRect FAnchorBounds;         // bounds and parent client size when the anchors were last set
    QSize FAnchorParentSize;
    bool FClicked = false;
    bool FMouseInside = false;
    QSize FLastSize{-1, -1};
};

// ---- TWinControl -----------------------------------------------------------------------------------

// A control that can hold other controls, take the focus and receive keys; it has a window handle
// for messages.
//
// Key protocol, for the control with the focus:
//   1. Tab, arrows, Enter, Escape that the control does not want (WantsKey) go to the form as a
//      dialog key first: Tab and arrows move the focus, the rest is offered to every control of the
//      form (HandleDialogKey, the Default and Cancel buttons); a taken key goes no further.
//   2. HandleKeyDown (fires OnKeyDown; the form's first when KeyPreview is on); Key := 0 ends it.
//   3. The character: with Alt held, or typed on a control that takes no characters (WantsChars),
//      it is offered as a dialog char (HandleDialogChar, accelerators); Alt+character ends there.
//      Otherwise HandleKeyPress (fires OnKeyPress); Key := 0 consumes it, another value replaces it.
//   4. What is left goes to the Qt widget. Key events never travel on to the parents.
//   Key release: HandleKeyUp (fires OnKeyUp). A held key repeats steps 1-4 and gives one release.
class TWinControl : public TControl {
public:
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const;   // raises EListError for a bad index
    bool ContainsControl(const TControl* Control) const;

    HWND Handle() const { return FHandle; }
    // Window creation: CreateWnd runs once, as the widget is first shown (before its first paint),
    // or earlier through HandleNeeded. HandleAllocated answers whether it ran.
    bool HandleAllocated() const { return FWndCreated; }
    void HandleNeeded();
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Custom messages (SendMessage/PostMessage/Perform); default leaves Result 0 (a posted key
    // message runs the key protocol, see PostMessage).
    virtual void WndProc(TMessage& Message);

    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
    virtual void SetFocus();
    // Focus order of the controls inside (depth-first by TabOrder).
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    TWinControl* FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop, bool CheckParent) const;
    void SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop);

    // Keys the control handles itself instead of offering them as dialog keys (Tab, arrows, Enter,
    // Escape). Default: none; editors want the arrows.
    virtual bool WantsKey(WORD Key, TShiftState Shift) const;
    // Whether typed characters are the control's input. A control that takes none (a button, a
    // check box) offers them to the form as accelerators first, as Alt+character does.
    virtual bool WantsChars() const { return true; }

    virtual void HandleKeyDown(WORD& Key, TShiftState Shift);
    virtual void HandleKeyUp(WORD& Key, TShiftState Shift);
    virtual void HandleKeyPress(char16_t& Key);
    // The control got the focus; the base tells the form, which runs DoExit/DoEnter (overrides call
    // it first).
    virtual void HandleSetFocus();
    virtual void HandleKillFocus();
    bool HandleDialogKey(WORD& Key, TShiftState Shift) override;    // broadcast to the children
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    void HandleFocusChanged(TWinControl* Focused) override;        // broadcast to the children

    void ChangeScale(int M, int D) override;
    // The control and everything inside it by M / D.
    void ScaleBy(int M, int D) { ChangeScale(M, D); }

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();

    bool DoubleBuffered = false;   // Qt always double-buffers; kept for the program's settings

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    TWinControl(TComponent* AOwner, QWidget* widget);

    // The Qt widget that holds child controls' widgets (a scroll box's content).
    virtual QWidget* ChildHost() const { return Widget(); }
    // Places a child's widget; a page control puts tab sheets into its tabs.
    virtual void InsertChildWidget(TControl* Child);
    virtual void RemoveChildWidget(TControl* Child);
    // A child moved, resized, showed or hid.
    virtual void ChildBoundsChanged(TControl* Child);
    // Lays out aligned and anchored children in the client area.
    virtual void AlignControls(TRect& Rect);
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override;
    void Resize() override;

    // Runs the key protocol above for one Qt key event.
    void DispatchKeyEvent(QKeyEvent* event, TControlWidgetLink& link);
    // Routes the key events of an inner Qt widget (a page control's tab bar) through the key
    // protocol of this control, with the inner widget's own handling as the last step.
    void RouteKeysOf(QWidget* inner);
    // OnEnter/OnExit: the focus came into (left) this control or a control inside it, from (to) a
    // control outside it.
    virtual void DoEnter();
    virtual void DoExit();
    // The window is being made (see HandleNeeded); base: nothing.
    virtual void CreateWnd() {}

private:
    friend class TControl;
    friend class TCustomForm;
    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    std::vector<std::unique_ptr<QObject>> FKeyRouters;
    HWND FHandle = 0;
    bool FWndCreated = false;
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAligning = false;
};

// ---- Self-drawn controls ---------------------------------------------------------------------------

// A window control that paints itself: Paint() draws on Canvas, which is bound to the widget's
// QPainter for the time of the paint event (and measures text outside it). The push button, the
// grid and the check boxes of the grid family derive from it.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* const Canvas;

protected:
    // Paints the control; the client area is already filled with Color unless csOpaque is set.
    virtual void Paint();
    bool CustomPaint() const override { return true; }
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;
};

// A control without a window of its own (label, image, shape): no focus, no keys; paints on Canvas.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* const Canvas;

protected:
    virtual void Paint() {}
    bool CustomPaint() const override { return true; }
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;
};

// The top-level form a control sits on (following Parent), or nullptr.
TCustomForm* GetParentForm(const TControl* Control);
// The control holding the mouse capture, or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// ---- Bridge implementation -------------------------------------------------------------------------

// A Qt widget class QtBase whose events go to its control first. Created by the control's
// constructor and handed to TControl; until then (and after the control is gone) it behaves as
// plain QtBase.
template <class QtBase> class TWidgetBridge : public QtBase, public TControlWidgetLink {
public:
    template <class... Args> explicit TWidgetBridge(Args&&... args) : QtBase(std::forward<Args>(args)...) {}
    ~TWidgetBridge() override
    {
        if (Control)
            Control->WidgetGone();
    }
    bool NativeEvent(QEvent* e) override { return QtBase::event(e); }
    void NativeMouse(QMouseEvent* e) override;
    void NativePaint(QPaintEvent* e) override { QtBase::paintEvent(e); }
    void NativeContextMenu(QContextMenuEvent* e) override { QtBase::contextMenuEvent(e); }

protected:
    bool Live() const { return Control && !(Control->ComponentState() & csDestroying); }
    bool event(QEvent* e) override
    {
        if (!Live())
            return QtBase::event(e);
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)
            return DeliverKeyEvent(static_cast<QKeyEvent*>(e),
                                   [this](QKeyEvent* k) { return Control->WidgetEvent(k, *this); });
        return Control->WidgetEvent(e, *this);
    }
    void mousePressEvent(QMouseEvent* e) override { Mouse(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { Mouse(e); }
    void mouseMoveEvent(QMouseEvent* e) override { Mouse(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Mouse(e); }
    void paintEvent(QPaintEvent* e) override
    {
        if (Live() && Control->CustomPaint())
            Control->PaintWidget(e, *this);
        else
            QtBase::paintEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        if (!Live() || !Control->WidgetContextMenu(e))
            QtBase::contextMenuEvent(e);
    }
    // Scroll areas get their viewport's wheel here, other widgets through event().
    void wheelEvent(QWheelEvent* e) override
    {
        if (Live() && Control->DispatchWheel(e))
            e->accept();
        else
            QtBase::wheelEvent(e);
    }

private:
    void Mouse(QMouseEvent* e)
    {
        if (Live())
            Control->WidgetMouse(e, *this);
        else
            NativeMouse(e);
    }
};

template <class QtBase> void TWidgetBridge<QtBase>::NativeMouse(QMouseEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress: QtBase::mousePressEvent(e); break;
    case QEvent::MouseButtonRelease: QtBase::mouseReleaseEvent(e); break;
    case QEvent::MouseMove: QtBase::mouseMoveEvent(e); break;
    case QEvent::MouseButtonDblClick: QtBase::mouseDoubleClickEvent(e); break;
    default: break;
    }
}
