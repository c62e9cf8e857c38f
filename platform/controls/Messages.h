// The window-message vocabulary of the toolkit layer beyond TMessage itself: key, mouse, wheel and
// command messages with their parameter packing, and messages registered by name.
//
// Controls that take Qt's input as messages (the grid and its in-place editor, the date picker) let
// their subclasses see and answer them where their handlers expect them, through WindowProcedure. The
// same messages can be sent (SendMessage, Perform) and posted (PostMessage).
#pragma once

#include "platform/controls/Controls.h"

constexpr UINT WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008;
constexpr UINT WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_MOUSEWHEEL = 0x020A;
// A child's WM_COMMAND reflected back to the child by its parent.
constexpr UINT CN_COMMAND = 0xBC00 + WM_COMMAND;
// Notification codes of WM_COMMAND (high word of WParam; LParam = the child's window).
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD CBN_SELCHANGE = 1, CBN_EDITCHANGE = 5, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8;
// Keys and buttons held, in WParam of mouse messages. MK_ALT is ours: Qt gives Alt with the event.
constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010, MK_ALT = 0x1000;
// Key data (LParam of key messages): repeat count in bits 0-15, then these flags. KF_SHIFTDOWN and
// KF_CTRLDOWN sit in bits the window system keeps reserved; they carry the state of the Qt event,
// so that a key message means the same whenever it is served.
constexpr LPARAM KF_KEYPAD = 1 << 22; // the key is on the numeric keypad
constexpr LPARAM KF_SHIFTDOWN = 1 << 25;
constexpr LPARAM KF_CTRLDOWN = 1 << 26;
constexpr LPARAM KF_ALTDOWN = 1 << 29;
constexpr LPARAM KF_REPEAT = 1 << 30;     // auto-repeat: the key was down already
constexpr LPARAM KF_UP = LPARAM(1) << 31; // key release

// The number of a message known by name: the same for the same name within the process
// ("GridEditDone", "DTPShiftFocus"); 0 for an empty name.
UINT RegisterWindowMessage(const QString& Name);

// WM_KEYDOWN, WM_KEYUP (CharCode = virtual key) and WM_CHAR (CharCode = the character).
struct TWMKey {
    UINT Msg = 0;
    WORD CharCode = 0;
    LPARAM KeyData = 0;
    LRESULT Result = 0;
    static TWMKey From(const TMessage& m) { return TWMKey{m.Msg, WORD(m.WParam), m.LParam, m.Result}; }
    TMessage ToMessage() const { return TMessage{Msg, WPARAM(CharCode), KeyData, Result}; }
};
TShiftState KeyDataToShiftState(LPARAM KeyData);

// Button messages and WM_MOUSEMOVE; the point is in client coordinates.
struct TWMMouse {
    UINT Msg = 0;
    WPARAM Keys = 0;
    int XPos = 0;
    int YPos = 0;
    LRESULT Result = 0;
    static TWMMouse From(const TMessage& m);
    TMessage ToMessage() const;
};
// Keys and buttons of a mouse message; ssDouble for WM_LBUTTONDBLCLK.
TShiftState MouseMessageShiftState(const TWMMouse& Message);
// The MK_ keys and buttons of a mouse or wheel message.
TShiftState MouseKeysToShiftState(WPARAM Keys);

// WM_MOUSEWHEEL: WheelDelta 120 per notch, positive away from the user; the point in screen
// coordinates.
struct TWMMouseWheel {
    UINT Msg = WM_MOUSEWHEEL;
    WPARAM Keys = 0;
    int WheelDelta = 0;
    int XPos = 0;
    int YPos = 0;
    LRESULT Result = 0;
    static TWMMouseWheel From(const TMessage& m);
    TMessage ToMessage() const;
};
