// Mouse of the toolkit grid: Qt's mouse events as messages, the press/move/release stages, column
// and row sizing and moving, range selection and the wheel.
#include "platform/grid/Grid.h"
#include "platform/grid/GridViewport.h"
#include "platform/grid/InplaceEdit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

// ---- Mouse messages --------------------------------------------------------------------------------

namespace
{

WPARAM KeysOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        keys |= MK_CONTROL;
    if (mods & Qt::AltModifier)
        keys |= MK_ALT;
    return keys;
}

constexpr int WheelNotch = 120;

} // namespace

// ---- From Qt ---------------------------------------------------------------------------------------

void TCustomGrid::DispatchMouse(QMouseEvent* Event, QPoint ClientPos)
{
    Event->accept(); // mouse messages do not travel to the parent
    UINT msg = 0;
    const Qt::MouseButton b = Event->button();
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
        msg = b == Qt::LeftButton     ? WM_LBUTTONDOWN
              : b == Qt::RightButton  ? WM_RBUTTONDOWN
              : b == Qt::MiddleButton ? WM_MBUTTONDOWN
                                      : 0;
        break;
    case QEvent::MouseButtonDblClick:
        // The window system sends a double click instead of the second press.
        msg = b == Qt::LeftButton     ? WM_LBUTTONDBLCLK
              : b == Qt::RightButton  ? WM_RBUTTONDOWN
              : b == Qt::MiddleButton ? WM_MBUTTONDOWN
                                      : 0;
        break;
    case QEvent::MouseButtonRelease:
        msg = b == Qt::LeftButton     ? WM_LBUTTONUP
              : b == Qt::RightButton  ? WM_RBUTTONUP
              : b == Qt::MiddleButton ? WM_MBUTTONUP
                                      : 0;
        break;
    case QEvent::MouseMove:
        msg = WM_MOUSEMOVE;
        break;
    default:
        break;
    }
    if (!msg)
        return;
    if (msg == WM_MOUSEMOVE)
        GuardedDispatch([&] { WMSetCursor(ClientPos.x(), ClientPos.y()); });
    else
        CancelHint();
    TWMMouse m{msg, KeysOf(Event->modifiers(), Event->buttons()), ClientPos.x(), ClientPos.y(), 0};
    TMessage message = m.ToMessage();
    GuardedDispatch([&] { WindowProcedure(message); });
}

void TCustomGrid::WidgetMouse(QMouseEvent* event, TControlWidgetLink&)
{
    // The frame and the bar corner are not client area; with the capture (taken from code, so Qt
    // grabbed the whole widget) the events still belong to the client area.
    if (MouseCapture())
        DispatchMouse(event, FViewport->mapFrom(Widget(), event->position().toPoint()));
    event->accept();
}

void TCustomGrid::DispatchWheel(QWheelEvent* Event)
{
    Event->accept();
    const QPoint angle = Event->angleDelta();
    FWheelDelta += angle.y() != 0 ? angle.y() : angle.x();
    const QPoint at = Event->globalPosition().toPoint();
    const WPARAM keys = KeysOf(Event->modifiers(), Event->buttons());
    // Touchpads send small steps; the grid moves by whole notches.
    while (std::abs(FWheelDelta) >= WheelNotch) {
        const int notch = FWheelDelta > 0 ? WheelNotch : -WheelNotch;
        FWheelDelta -= notch;
        TMessage message = TWMMouseWheel{WM_MOUSEWHEEL, keys, notch, at.x(), at.y(), 0}.ToMessage();
        if (!GuardedDispatch([&] { WindowProcedure(message); }))
            break;
    }
}

// ---- Message stages --------------------------------------------------------------------------------

void TCustomGrid::HandleWMLButtonDown(TWMMouse& Message)
{
    if (ControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    HandleMouseDown(mbLeft, MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMLButtonUp(TWMMouse& Message)
{
    SetMouseCapture(false);
    HandleMouseUp(mbLeft, MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMLButtonDblClk(TWMMouse& Message)
{
    if (ControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    HandleDblClick(mbLeft, MouseMessageShiftState(Message) & ~ssDouble, Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMRButtonDown(TWMMouse& Message)
{
    HandleMouseDown(mbRight, MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMRButtonUp(TWMMouse& Message)
{
    HandleMouseUp(mbRight, MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMMButtonDown(TWMMouse& Message)
{
    HandleMouseDown(mbMiddle, MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMMButtonUp(TWMMouse& Message)
{
    HandleMouseUp(mbMiddle, MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMMouseMove(TWMMouse& Message)
{
    HandleMouseMove(MouseMessageShiftState(Message), Message.XPos, Message.YPos);
}

void TCustomGrid::HandleWMMouseWheel(TWMMouseWheel& Message)
{
    const TShiftState shift = MouseKeysToShiftState(Message.Keys);
    const TPoint screen(Message.XPos, Message.YPos);
    const TPoint at = ScreenToClient(screen);
    int left = Message.WheelDelta;
    while (std::abs(left) >= WheelNotch) {
        const int notch = left > 0 ? WheelNotch : -WheelNotch;
        left -= notch;
        // OnMouseWheel may take the notch before the up/down handling sees it.
        const bool used = DoMouseWheel(shift, notch, screen) ||
                          (notch > 0 ? HandleWheelUp(shift, at) : HandleWheelDown(shift, at));
        if (used)
            Message.Result = 1;
    }
}

bool TCustomGrid::HandleWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled && Row() < RowCount() - 1) {
        SetRow(Row() + 1);
        handled = true;
    }
    return handled;
}

bool TCustomGrid::HandleWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled && Row() > FixedRows()) {
        SetRow(Row() - 1);
        handled = true;
    }
    return handled;
}

// ---- Press, move, release --------------------------------------------------------------------------

void TCustomGrid::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && !(Shift & ssDouble)) {
        HideEdit();
        if (!GridFocused() && CanFocus()) {
            SetFocus();
            // A control that would not let the focus go (validation) ends the press here.
            if (!GridFocused()) {
                SetMouseCapture(false);
                return;
            }
        }
    }
    TCustomControl::HandleMouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (Shift & ssDouble) {
        DblClick();
        return;
    }

    TGridState sizing = gsNormal;
    int index = -1, border = 0, ofs = 0;
    CalcSizingState(X, Y, sizing, index, border, ofs);
    if (sizing != gsNormal) {
        FGridState = sizing;
        FSizingIndex = index;
        FSizingOfs = ofs;
        FSizingPos = sizing == gsColSizing ? X : Y;
        FSizingStart = border - (sizing == gsColSizing ? FCols.Size(index) : FRows.Size(index));
        FViewport->update();
        return;
    }

    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    const bool fixedRow = cell.Y < FixedRows();
    const bool fixedCol = cell.X < FixedCols();
    if (fixedRow && !fixedCol && FOptions.Contains(goColMoving)) {
        FGridState = gsColMoving;
        FMoveIndex = FMovePos = cell.X;
        StartScrollTimer();
        return;
    }
    if (fixedCol && !fixedRow && FOptions.Contains(goRowMoving)) {
        FGridState = gsRowMoving;
        FMoveIndex = FMovePos = cell.Y;
        StartScrollTimer();
        return;
    }
    if (fixedRow || fixedCol)
        return;

    if (FOptions.Contains(goEditing)) {
        if (cell == FCurrent)
            ShowEditor();
        else
            MoveColRow(cell.X, cell.Y, true, true);
        Click();
        return;
    }
    if (Shift & ssShift)
        MoveAnchor(cell);
    else
        MoveCurrent(cell.X, cell.Y, true, true);
    // Dragging extends the selection (moves the current cell without goRangeSelect); the release
    // clicks.
    FGridState = gsSelecting;
    StartScrollTimer();
}

void TCustomGrid::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= FixedCols() && cell.Y >= FixedRows() && !(cell == FAnchor))
            MoveAnchor(cell);
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        FSizingPos = FGridState == gsColSizing ? X : Y;
        FViewport->update();
        break;
    case gsColMoving:
    case gsRowMoving: {
        const TGridCoord cell = MouseCoord(X, Y);
        const int at = FGridState == gsColMoving ? cell.X : cell.Y;
        const int first = FGridState == gsColMoving ? FixedCols() : FixedRows();
        if (at >= first && at != FMovePos) {
            FMovePos = at;
            FViewport->update();
        }
        break;
    }
    default:
        break;
    }
    TCustomControl::HandleMouseMove(Shift, X, Y);
}

void TCustomGrid::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        const TGridState state = FGridState;
        FGridState = gsNormal;
        switch (state) {
        case gsSelecting:
            KillScrollTimer();
            Click();
            break;
        case gsColSizing:
            SetColWidths(FSizingIndex, std::max(1, X - FSizingStart - FSizingOfs));
            break;
        case gsRowSizing:
            SetRowHeights(FSizingIndex, std::max(1, Y - FSizingStart - FSizingOfs));
            break;
        case gsColMoving:
            KillScrollTimer();
            if (FMovePos != FMoveIndex && FMovePos >= 0)
                MoveColumn(FMoveIndex, FMovePos);
            break;
        case gsRowMoving:
            KillScrollTimer();
            if (FMovePos != FMoveIndex && FMovePos >= 0)
                MoveRow(FMoveIndex, FMovePos);
            break;
        default:
            break;
        }
        if (state != gsNormal && state != gsSelecting)
            FViewport->update();
        FSizingIndex = FMoveIndex = FMovePos = -1;
    }
    TCustomControl::HandleMouseUp(Button, Shift, X, Y);
}

void TCustomGrid::HandleMouseLeave()
{
    CancelHint();
    TCustomControl::HandleMouseLeave();
}

// ---- Feedback --------------------------------------------------------------------------------------

void TCustomGrid::WMSetCursor(int X, int Y)
{
    TGridState state = FGridState;
    if (state == gsNormal) {
        int index, border, ofs;
        CalcSizingState(X, Y, state, index, border, ofs);
    }
    SetCurrentCursor(state == gsColSizing ? crHSplit : state == gsRowSizing ? crVSplit : Cursor());
}

void TCustomGrid::SetCurrentCursor(TCursor Value)
{
    if (Value == FCurrentCursor)
        return;
    FCurrentCursor = Value;
    if (Value == crDefault)
        FViewport->unsetCursor();
    else
        FViewport->setCursor(CursorToQCursor(Value));
}

void TCustomGrid::PaintDragFeedback()
{
    const TRect client = ClientRect();
    Canvas->Pen->Color = clBlack;
    Canvas->Pen->Width = 1;
    if (FGridState == gsColSizing) {
        Canvas->MoveTo(FSizingPos, 0);
        Canvas->LineTo(FSizingPos, client.Bottom);
    } else if (FGridState == gsRowSizing) {
        Canvas->MoveTo(0, FSizingPos);
        Canvas->LineTo(client.Right, FSizingPos);
    } else if ((FGridState == gsColMoving || FGridState == gsRowMoving) && FMovePos >= 0 &&
               FMovePos != FMoveIndex) {
        // A bar on the side of the drop place the moved column (row) will take.
        const TRect r = FGridState == gsColMoving ? CellRect(FMovePos, 0) : CellRect(0, FMovePos);
        if (r.IsEmpty())
            return;
        Canvas->Brush->Color = clHighlight;
        Canvas->Brush->Style = bsSolid;
        if (FGridState == gsColMoving) {
            const int x = FMovePos > FMoveIndex ? r.Right - 2 : r.Left;
            Canvas->FillRect(TRect(x, 0, x + 2, client.Bottom));
        } else {
            const int y = FMovePos > FMoveIndex ? r.Bottom - 2 : r.Top;
            Canvas->FillRect(TRect(0, y, client.Right, y + 2));
        }
    }
}
