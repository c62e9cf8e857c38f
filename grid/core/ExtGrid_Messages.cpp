// TExtStringGrid: the grid's part of the message flow - the posted end of an edit, combo
// notifications, the wheel and wheel panning, typed characters, focus entry and exit.
#include "grid/base/HtmlHintWindow.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Hints.h"
#include "platform/controls/Messages.h"

#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <cstdlib>

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
    if (EditChangeMessage(Message))
        return;
    if (Message.Msg == WM_LBUTTONUP && !IsDesignTime()) {
        UpdateVertProportional();
        UpdateHorzProportional();
    }
    if (ComboMessage(Message))
        return;
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
        TShiftState shift = 0;
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
    if (FSearchFooter->Visible() && TopRow() == RowCount() - VisibleRowCount())
        KeepLastRowClearOfSearchFooter();
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
        if (FPaintCount == 0 && !IsDesignTime()) {
            // Until the first paint of a grid without tab stop (every paint of one with it), the
            // proportional bars are brought in line with what was painted.
            UpdateVertProportional();
            UpdateHorzProportional();
            if (!TabStop())
                FPaintCount = 1;
        }
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
        // Replayed once by the editor it opened; a character that opened none is forgotten.
        FStartEditChar = QChar();
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

// ---- Focus, cursor, sizing borders ---------------------------------------------------------------------

void TExtStringGrid::RepaintMergedCurrentCell()
{
    if (!IsMergedCell(Col(), Row()))
        return;
    const TPoint base = BaseCell(Col(), Row());
    const TPoint span = CellSpan(base.X, base.Y);
    RepaintRect(TGridRect{base.X, base.Y, base.X + span.X, base.Y + span.Y});
}

void TExtStringGrid::WMSetFocus()
{
    if (InvokedFocusChange)
        return;
    TBaseGrid::WMSetFocus();
    if (HasCheckBox(RealCol(), Row()))
        return;
    const bool moving = FGridState == gsRowMoving || FGridState == gsColMoving;
    if (FNavigation->AlwaysEdit && !FFocusFromEditor && !moving) {
        bool canEdit = true;
        CanEditCell(Col(), Row(), canEdit);
        const bool visible = Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount() &&
                             Row() >= TopRow() && Row() < TopRow() + VisibleRowCount();
        // With the editor made once: the plain editor; before that only a combo cell opens on entry.
        const bool open = InplaceEditor()
                              ? EditControl == edNormal
                              : !FMouseActions->DirectEdit && !ControlLook()->DropDownAlwaysVisible() &&
                                    HasComboBox(Col(), Row());
        if (canEdit && visible && open) {
            ShowInplaceEdit();
            return;
        }
    }
    RepaintMergedCurrentCell();
}

void TExtStringGrid::WMKillFocus()
{
    if (FBlockKill)
        return;
    TBaseGrid::WMKillFocus();
    RepaintMergedCurrentCell();
}

void TExtStringGrid::WMSetCursor(int X, int Y)
{
    TBaseGrid::WMSetCursor(X, Y);
    if (FGridState != gsNormal)
        return;
    TGridState state = gsNormal;
    int index = 0, border = 0, ofs = 0;
    CalcSizingState(X, Y, state, index, border, ofs);
    if (state != gsNormal)
        return; // the sizing cursor stays
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c >= 0 && r >= 0)
        SetCurrentCursor(DoGetCellCursor(c, r, X, Y));
}

void TExtStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                     int& SizingOfs)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    int c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < FixedRows() && c >= 0 && c < ColCount() && OnColumnSize) {
        bool allow = true;
        OnColumnSize(this, c, allow);
        if (!allow)
            State = gsNormal;
    }
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < FixedCols() && r >= 0 && r < RowCount() && OnRowSize) {
        bool allow = true;
        OnRowSize(this, r, allow);
        if (!allow)
            State = gsNormal;
    }
}

bool TExtStringGrid::IsSizingBorder(int X, int Y)
{
    constexpr int Near = 4;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const TRect cell = CellRect(c, r);
    if (r <= FixedRows() && Options().Contains(goColSizing) &&
        (std::abs(X - cell.Left) < Near || std::abs(X - cell.Right) < Near))
        return true;
    return c <= FixedCols() && Options().Contains(goRowSizing) &&
           (std::abs(Y - cell.Top) < Near || std::abs(Y - cell.Bottom) < Near);
}

// ---- The toolkit's wheel handlers ------------------------------------------------------------------------

bool TExtStringGrid::HandleWheelDown(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(true, Shift, MousePos);
}

bool TExtStringGrid::HandleWheelUp(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(false, Shift, MousePos);
}

bool TExtStringGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel) {
        bool handled = false;
        if (Down && OnMouseWheelDown)
            OnMouseWheelDown(this, Shift, MousePos, handled);
        else if (!Down && OnMouseWheelUp)
            OnMouseWheelUp(this, Shift, MousePos, handled);
        return handled;
    }
    const bool directEdit = FMouseActions->DirectEdit;
    FMouseActions->DirectEdit = false;
    struct TRestore {
        TMouseActions* Actions;
        bool Value;
        ~TRestore() { Actions->DirectEdit = Value; }
    } restore{FMouseActions.get(), directEdit};
    const auto base = [&] {
        return Down ? TBaseGrid::HandleWheelDown(Shift, MousePos) : TBaseGrid::HandleWheelUp(Shift, MousePos);
    };
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll) {
        const int left = LeftCol();
        StartUpdate();
        bool result = false;
        try {
            result = base();
        } catch (...) {
            ResetUpdate();
            throw;
        }
        SetLeftCol(left);
        ResetUpdate();
        return result;
    }
    if (!Down && (Row() >= RowCount() || Col() >= ColCount()))
        return true;
    const bool editing = EditMode;
    const bool result = base();
    if (editing && CanFocus())
        SetFocus();
    return result;
}

// ---- Hint window class -----------------------------------------------------------------------------------

void TExtStringGrid::SetUseHTMLHints(bool Value)
{
    FUseHTMLHints = Value;
    HintWindowClass = Value ? &CreateHintWindowOf<THTMLHintWindow> : &CreateHintWindowOf<THintWindow>;
}
