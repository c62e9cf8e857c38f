// The message vocabulary: parameter packing of key and mouse messages, registered messages.
#include "platform/controls/Messages.h"

#include <QEvent>
#include <map>

// ---- Keys ------------------------------------------------------------------------------------------

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState s = 0;
    if (KeyData & KF_SHIFTDOWN)
        s |= ssShift;
    if (KeyData & KF_CTRLDOWN)
        s |= ssCtrl;
    if (KeyData & KF_ALTDOWN)
        s |= ssAlt;
    return s;
}

// ---- Mouse -----------------------------------------------------------------------------------------

namespace
{

// Client points travel as two signed 16-bit halves, as in the window system.
LPARAM PointParam(int x, int y)
{
    return LPARAM((uint32_t(uint16_t(int16_t(x))) | (uint32_t(uint16_t(int16_t(y))) << 16)));
}
int ParamX(LPARAM p)
{
    return int16_t(LoWord(p));
}
int ParamY(LPARAM p)
{
    return int16_t(HiWord(p));
}

} // namespace

TShiftState MouseKeysToShiftState(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT)
        s |= ssShift;
    if (keys & MK_CONTROL)
        s |= ssCtrl;
    if (keys & MK_ALT)
        s |= ssAlt;
    if (keys & MK_LBUTTON)
        s |= ssLeft;
    if (keys & MK_RBUTTON)
        s |= ssRight;
    if (keys & MK_MBUTTON)
        s |= ssMiddle;
    return s;
}

TWMMouse TWMMouse::From(const TMessage& m)
{
    return TWMMouse{m.Msg, m.WParam, ParamX(m.LParam), ParamY(m.LParam), m.Result};
}

TMessage TWMMouse::ToMessage() const
{
    return TMessage{Msg, Keys, PointParam(XPos, YPos), Result};
}

TShiftState MouseMessageShiftState(const TWMMouse& Message)
{
    TShiftState s = MouseKeysToShiftState(Message.Keys);
    if (Message.Msg == WM_LBUTTONDBLCLK)
        s |= ssDouble;
    return s;
}

TWMMouseWheel TWMMouseWheel::From(const TMessage& m)
{
    return TWMMouseWheel{
        m.Msg,   WPARAM(LoWord(m.WParam)), int16_t(HiWord(m.WParam)), ParamX(m.LParam), ParamY(m.LParam),
        m.Result};
}

TMessage TWMMouseWheel::ToMessage() const
{
    const WPARAM w = (Keys & 0xFFFF) | (WPARAM(uint16_t(int16_t(WheelDelta))) << 16);
    return TMessage{Msg, w, PointParam(XPos, YPos), Result};
}

// ---- Registered messages ---------------------------------------------------------------------------

UINT RegisterWindowMessage(const QString& Name)
{
    static std::map<QString, UINT> registered;
    if (Name.isEmpty())
        return 0;
    UINT& number = registered[Name];
    if (!number)
        number = UINT(QEvent::registerEventType());
    return number;
}
