// TExtStringGrid: the grid's part of the message flow - the posted end of an edit, combo
// notifications, the wheel and wheel panning, typed characters, focus entry and exit.
#include "grid/core/ExtGrid.h"
#include "platform/controls/Messages.h"

#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace
{
constexpr UINT CM_MOUSEWHEEL = 0xB043;
constexpr int PanDeadZone = 5;

// Nearest integer, halves to even.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}
} // namespace

void TExtStringGrid::WheelMessageHook(int, bool&) {}

void TExtStringGrid::WindowProcedure(TMessage& Message)
{
    if (IsDestroying()) {
        TBaseGrid::WindowProcedure(Message);
        return;
    }
    if (Message.Msg == GridEditDoneMessage()) {
        if (OnEditCellDone)
            OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
        if (FMouseActions->EditOnDblClickOnly()) {
            HideEditor();
            SetOptions(Options() - goEditing);
        }
        return;
    }
    if (Message.Msg == WM_LBUTTONUP && !IsDesignTime()) {
        UpdateVertProportional();
        UpdateHorzProportional();
    }
    if (Message.Msg == WM_COMMAND && HiWord(Message.WParam) == CBN_EDITCHANGE && OnComboChange) {
        // Reflect first: the control finishes its own change handling before the grid reports it.
        TBaseGrid::WindowProcedure(Message);
        // The grid's combo editor comes with the editors; until then its text is empty.
        OnComboChange(this, Col(), Row(), -1, QString());
        return;
    }
    if (Message.Msg == WM_MBUTTONDOWN && !wheelpan && IntelliPan != ipNone && FixedRows() < RowCount()) {
        const TWMMouse mouse = TWMMouse::From(Message);
        StartWheelPan(TPoint(mouse.XPos, mouse.YPos));
        return;
    }
    if (wheelpan && (Message.Msg == WM_MBUTTONDOWN || Message.Msg == WM_LBUTTONDOWN ||
                     Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_KEYDOWN))
        EndWheelPan();
    if (Message.Msg == WM_MOUSEWHEEL && !wheelpan) {
        WheelMessage(Message);
        return;
    }
    const int oldRow = Row();
    TBaseGrid::WindowProcedure(Message);
    if (Row() != oldRow && FSyncGrid->SelectionRow)
        SetRow(Row());
}

void TExtStringGrid::WheelMessage(TMessage& Message)
{
    if (TWinControl* parent = Parent();
        parent && parent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam)) {
        TBaseGrid::WindowProcedure(Message);
        return;
    }
    const TWMMouseWheel wheel = TWMMouseWheel::From(Message);
    const bool towardsUser = wheel.WheelDelta < 0;
    if ((wheel.Keys & MK_CONTROL) && IntelliZoom) {
        Zoom(towardsUser ? wheelscrl : -wheelscrl);
        AutoSizeCells(true, 4, 4);
        return;
    }
    if (!EnableWheel || (FFixedRowAlways && RowCount() == 1))
        return;
    const TGridRect oldSel = Selection();
    const int n = FMouseActions->WheelIncrement < 1 ? wheelscrl : FMouseActions->WheelIncrement;
    const bool move = FMouseActions->WheelAction() == waMoveSelection;
    int t = Row();
    if (!move) {
        if (towardsUser) {
            if (TopRow() < RowCount() - VisibleRowCount())
                SetTopRow(std::min(TopRow() + n, MaxTopRow()));
        } else {
            SetTopRow(std::max(FixedRows(), TopRow() - n));
        }
    } else {
        t = towardsUser ? Row() + n : Row() - n;
    }
    t = std::max(FixedRows(), std::min(t, RowCount() - FixedFooters - 1));
    int moved = 0;
    if (t >= 0 && t < RowCount()) {
        StartUpdate();
        if (FMouseActions->DisjunctRowSelect() && move)
            ClearRowSelect();
        moved = t - Row();
        if (move) {
            const int left = LeftCol();
            SetRow(t);
            if (Row() != t) {
                // A change event refused the target: go half the way.
                const int half = RoundEven((t - Row()) / 2.0);
                if (half != 0) {
                    const int to = Row() + half;
                    if (to >= FixedRows() && to < RowCount())
                        SetRow(to);
                }
                if (TopRow() > FixedRows())
                    SetTopRow(TopRow() - 1);
            }
            if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll)
                SetLeftCol(left);
        }
        ResetUpdate();
        InvalidateGrid();
    }
    bool handled = true;
    WheelMessageHook(moved, handled);
    if (handled && (FMouseActions->WheelIncrement != 0 || FMouseActions->DisjunctRowSelect())) {
        Message.Result = 1;
        bool h = false;
        TShiftState shift;
        TPoint at(0, 0);
        if (FMouseActions->DisjunctRowSelect()) {
            shift = MouseKeysToShiftState(wheel.Keys);
            at = TPoint(wheel.XPos, wheel.YPos);
        }
        if (towardsUser && OnMouseWheelDown)
            OnMouseWheelDown(this, shift, at, h);
        else if (!towardsUser && OnMouseWheelUp)
            OnMouseWheelUp(this, shift, at, h);
    }
    const TGridRect sel = Selection();
    if (!(sel == oldSel) && OnSelectionChanged)
        OnSelectionChanged(this, sel.Left, sel.Top, sel.Right, sel.Bottom);
}

// ---- Wheel panning -------------------------------------------------------------------------------------

void TExtStringGrid::StartWheelPan(TPoint At)
{
    wheelpan = true;
    wheelpanpos = At;
    SetTimer(WheelPanTimerId, WheelPanInterval);
    SetMouseCapture(true);
    Viewport()->setCursor(Qt::SizeAllCursor);
    InvalidateClientRect(TRect(At.X, At.Y, At.X + WheelPanSize, At.Y + WheelPanSize));
}

void TExtStringGrid::EndWheelPan()
{
    SetMouseCapture(false);
    KillTimer(WheelPanTimerId);
    Viewport()->unsetCursor();
    wheelpan = false;
    InvalidateClientRect(
        TRect(wheelpanpos.X, wheelpanpos.Y, wheelpanpos.X + WheelPanSize, wheelpanpos.Y + WheelPanSize));
}

void TExtStringGrid::WheelPanStep()
{
    const TPoint p = ScreenToClient(TPoint::FromQPoint(QCursor::pos()));
    const TPoint o = wheelpanpos;
    int v = p.Y < o.Y - PanDeadZone ? -1 : p.Y > o.Y + PanDeadZone ? 1 : 0;
    if (IntelliPan == ipHorizontal)
        v = 0;
    int h = 0;
    if (IntelliPan != ipVertical)
        h = p.X > o.X + PanDeadZone ? 1 : p.X < o.X - PanDeadZone ? -1 : 0;
    const TGridRect oldSel = Selection();
    const int lastRow = RowCount() - FixedFooters - 1;
    const int lastCol = ColCount() - FixedRightCols - 1;
    if (Row() > lastRow && lastRow >= FixedRows())
        SetRow(lastRow);
    if (Col() > lastCol && lastCol >= FixedCols())
        SetCol(lastCol);
    const TRect pan(o.X, o.Y, o.X + WheelPanSize, o.Y + WheelPanSize);
    if (FMouseActions->WheelAction() == waScroll) {
        const int left = std::max(FixedCols(), std::min(LeftCol() + h, MaxLeftCol()));
        const int top = std::max(FixedRows(), std::min(TopRow() + v, MaxTopRow()));
        if (left != LeftCol() || top != TopRow()) {
            InvalidateClientRect(pan);
            MoveTopLeft(left, top);
        }
    } else {
        const int c = std::max(FixedCols(), std::min(Col() + h, lastCol));
        const int r = std::max(FixedRows(), std::min(Row() + v, lastRow));
        if (c != Col() || r != Row()) {
            InvalidateClientRect(pan);
            if (r != Row())
                SetRow(r);
            if (c != Col())
                SetCol(c);
        }
    }
    static const Qt::CursorShape shapes[3][3] = {
        // v = -1, 0, +1 by h = -1, 0, +1
        {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor},
        {Qt::SizeHorCursor, Qt::SizeAllCursor, Qt::SizeHorCursor},
        {Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor},
    };
    Viewport()->setCursor(shapes[v + 1][h + 1]);
    InvalidateClientRect(pan);
    const TGridRect sel = Selection();
    if (!(sel == oldSel) && OnSelectionChanged)
        OnSelectionChanged(this, sel.Left, sel.Top, sel.Right, sel.Bottom);
}

bool TExtStringGrid::ViewportEvent(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave: {
        const bool result = TBaseGrid::ViewportEvent(Event);
        QPoint at;
        if (Event->type() != QEvent::DragLeave)
            at = static_cast<QDropEvent*>(Event)->position().toPoint();
        DragScrollOver(Event->type() == QEvent::DragEnter  ? dssEnter
                       : Event->type() == QEvent::DragMove ? dssMove
                                                           : dssLeave,
                       at.x(), at.y());
        return result;
    }
    case QEvent::Paint: {
        const bool result = TBaseGrid::ViewportEvent(Event);
        if (wheelpan) {
            // The pan mark: a ring with the allowed directions, over the cells.
            QPainter painter(Viewport());
            painter.setRenderHint(QPainter::Antialiasing);
            const QRect box(wheelpanpos.X, wheelpanpos.Y, WheelPanSize, WheelPanSize);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::white);
            painter.drawEllipse(box.adjusted(1, 1, -2, -2));
            painter.setBrush(Qt::black);
            const QPoint c = box.center();
            if (IntelliPan != ipHorizontal) {
                painter.drawPolygon(QPolygon({c + QPoint(0, -10), c + QPoint(-4, -5), c + QPoint(4, -5)}));
                painter.drawPolygon(QPolygon({c + QPoint(0, 10), c + QPoint(-4, 5), c + QPoint(4, 5)}));
            }
            if (IntelliPan != ipVertical) {
                painter.drawPolygon(QPolygon({c + QPoint(-10, 0), c + QPoint(-5, -4), c + QPoint(-5, 4)}));
                painter.drawPolygon(QPolygon({c + QPoint(10, 0), c + QPoint(5, -4), c + QPoint(5, 4)}));
            }
            painter.drawEllipse(c, 2, 2);
        }
        return result;
    }
    default:
        return TBaseGrid::ViewportEvent(Event);
    }
}

// ---- Characters -----------------------------------------------------------------------------------------

void TExtStringGrid::HandleWMChar(TWMKey& Message)
{
    char16_t key = Message.CharCode;
    const QString current = GetCellEx(RealCol(), Row());
    if (CellTextKind(current, true) == ctkHTML && current.toUpper().contains(QLatin1String("<CONTROL"))) {
        Message.Result = 1;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly()) {
        bool canEdit = true;
        CanEditCell(Col(), Row(), canEdit);
        if (canEdit)
            SetOptions(Options() | goEditing);
    }
    const bool ctrl = (Message.KeyData & KF_CTRLDOWN) != 0;
    if (FNavigation->AllowClipboardShortCuts && ctrl && (key == 3 || key == 22 || key == 24)) {
        Message.CharCode = 0;
        return;
    }
    if (FMouseActions->RangeSelectAndEdit && IsEditable(RealCol(), Row()) && key != VK_TAB &&
        key != VK_ESCAPE && !ctrl) {
        char16_t copy = key;
        if (OnKeyPress)
            OnKeyPress(this, copy);
        FStartEditChar = QChar(key);
        SetOptions(Options() | goEditing);
        if (Col() < LeftCol() || Col() >= LeftCol() + VisibleColCount() || Row() < TopRow() ||
            Row() >= TopRow() + VisibleRowCount())
            ScrollInView(Col(), Row());
        const TRect r = CellRect(Col(), Row());
        HandleMouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
        TBaseGrid::HandleWMChar(Message);
        return;
    }
    if (Options().Contains(goEditing) && key != VK_TAB && (key == VK_BACK || (key >= 32 && key <= 255))) {
        if (OnKeyPress)
            OnKeyPress(this, key);
        if (key == 0) {
            Message.CharCode = 0;
            return;
        }
        FStartEditChar = QChar(key);
        if (!IsControlCell(RealCol(), Row()))
            ShowEditorChar(key);
        Message.CharCode = 0;
        return;
    }
    if (Options().Contains(goEditing) && key > 255) {
        // Not an editor-starting character here: only the toolkit's key press.
        gridinput::DoKeyPress(this, key);
        Message.CharCode = key;
        return;
    }
    TBaseGrid::HandleWMChar(Message);
}

// ---- Focus
// -------------------------------------------------------------------------------------------------

void TExtStringGrid::DoEnter()
{
    if (FBlockFocus)
        return;
    TBaseGrid::DoEnter();
    try {
        if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit)
            CanSelectCell(Col(), Row());
    } catch (...) {
        StoreOldCell(Col(), Row());
        throw;
    }
    StoreOldCell(Col(), Row());
}

void TExtStringGrid::DoExit()
{
    if (FBlockKill)
        return;
    if (FSelChange && FMouseActions->DisjunctRowSelect())
        SelectionToRowSelect(false);
    FSelChange = false;
    TBaseGrid::DoExit();
}
