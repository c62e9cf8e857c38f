// TExtStringGrid: mouse movement - hovering, the header-drag selections, fixed-cell sizing borders,
// the decision what a press would start, links and anchors with their cursor, hint and balloon
// cancelling, the sizing events and hint - and the mouse leaving the grid.
#include "grid/base/CellText.h"
#include "grid/base/HtmlHintWindow.h"
#include "grid/base/HtmlRender.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/FloatingWindows.h"
#include "platform/controls/Forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>

namespace
{

// The module's link cursor: the grid shows it over URLs and anchors.
constexpr TCursor URLCursor = crHandPoint;
// A fixed-cell border is within reach this close (less than).
constexpr int FixedBorderReach = 3;
// The selection resize handle at the bottom-right corner of the selection.
constexpr int ResizeHandleSize = 6;
// Dragging the header selection below this many pixels above the bottom scrolls down.
constexpr int ScrollDownZone = 4;
// The width of the system's vertical scroll bar (scroll-bar cells leave it to the bar).
constexpr int VScrollBarWidth = 17;
// The width the sizing hint is laid out in.
constexpr int SizingHintWidth = 200;

bool InRect(const TRect& R, int X, int Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

void TExtStringGrid::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    // 1. Dragging from a cell selects a range instead of opening the editor.
    if (FMouseDownMove && FMouseActions->RangeSelectAndEdit && Options().Contains(goEditing) && !EditMode)
        SetOptions(Options() - goEditing);
    // 2.
    const TGridRect sel0 = Selection();
    const TCursor cursor0 = Cursor();
    bool claimed = false;
    bool scrolledUp = false;
    if (SelectionRectangle() && FGridState == gsSelecting)
        FSizeSelection = Selection();
    // 3.
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);

    HoverSteps(ACol, ARow, X, Y);
    if (FMouseSelectStart != -1)
        HeaderDragSelection(ACol, ARow, Y, scrolledUp);
    FixedSizingBorders(ACol, ARow, X, Y);
    const bool inHandle = InSelectionHandle(X, Y);
    OleDragStep(Shift, ACol, ARow, X, Y, inHandle);

    // 15.
    if (!IsDesignTime()) {
        if (FGridState == gsColSizing)
            ColSized = true;
        if (FGridState == gsRowSizing)
            Rowsized = true;
        if (FGridState == gsColMoving || FGridState == gsRowMoving) {
            bool allow = true;
            if (FGridState == gsColMoving && OnColumnMove)
                OnColumnMove(this, Movecell, allow);
            else if (FGridState == gsRowMoving && OnRowMove)
                OnRowMove(this, Movecell, allow);
            if (!allow) {
                FGridState = gsNormal;
                KillScrollTimer();
            }
        }
        EnhancedMoveFeedback(ACol, ARow, X, Y);
        DecideSelectMode(ACol, ARow, X, Y, inHandle, scrolledUp, claimed);
    }

    LinkSteps(ACol, ARow, X, Y, claimed);

    // 17. Nothing claimed the cursor: the application's comes back.
    if (!claimed && Cursor() != FOldCursor) {
        Invokedchange = true;
        SetCursor(FOldCursor);
    }

    TPoint base(-1, -1);
    if (ACol >= 0 && ARow >= 0)
        base = BaseCell(ACol, ARow);
    // 18. The hint of the base cell that was left goes, so the next one is asked for.
    if (FLastHintPos.X >= 0 && FLastHintPos.Y >= 0 && !(base == FLastHintPos)) {
        CancelHint();
        FLastHintPos = TPoint(-1, -1);
    }
    // 19.
    if (FBalloonSettings->Enable() && !(base == FLastBalloonPos)) {
        if (FBalloonWnd)
            FBalloonWnd->Pop();
        FLastBalloonPos = TPoint(-1, -1);
    }
    // 20.
    if (FGridState == gsSelecting && SelectionRectangle() && !(Selection() == FMoveSelection)) {
        RepaintCellRange(Selection());
        FMoveSelection = Selection();
    }

    // 21.
    TBaseGrid::HandleMouseMove(Shift, X, Y);

    // 22. A drag never scrolls horizontally.
    if (FNavigation->KeepHorizScroll && FMouseKeepDown && FGridState != gsColMoving &&
        LeftCol() != FOldKeepLeftCol && FOldKeepLeftCol >= FixedCols()) {
        StartUpdate();
        SetLeftCol(FOldKeepLeftCol);
        ResetUpdate();
    }

    SizingSteps(X, Y);

    if (Cursor() != cursor0)
        WMSetCursor(X, Y); // shown now, not at the next move
    // 26.
    if (EnhRowColMove && Viewport())
        QCoreApplication::sendPostedEvents(Viewport()->window(), QEvent::UpdateRequest);
    const TGridRect sel = Selection();
    if (!(sel == sel0))
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

// ---- Steps 4 to 8: what the pointer hovers --------------------------------------------------------------

void TExtStringGrid::HoverSteps(int ACol, int ARow, int X, int Y)
{
    const bool valid = ACol >= 0 && ARow >= 0;
    const int RCol = valid ? RealColIndex(ACol) : -1;
    if (valid && !IsDesignTime()) {
        // 4. Only the two rows whose look changed.
        if (HoverRow() && ARow != FHoverRowIdx) {
            const int old = FHoverRowIdx;
            FHoverRowIdx = ARow;
            RepaintRow(ARow);
            if (old >= 0 && old < RowCount())
                RepaintRow(old);
        }
        // 5. The cell the cell scroll bar serves.
        if (HasScrollBar(RCol, ARow)) {
            FScrollCol = ACol;
            FScrollRow = ARow;
        }
    }
    auto isFixedCell = [this](int C, int R) {
        return C >= 0 && R >= 0 && C < ColCount() && R < RowCount() && (R < FixedRows() || C < FixedCols());
    };
    // 6.
    if (HoverFixedCells != hfNone && !FNoMouseLeave && (ACol != FHoverFixedX || ARow != FHoverFixedY)) {
        const int oldX = FHoverFixedX, oldY = FHoverFixedY;
        FHoverFixedX = ACol;
        FHoverFixedY = ARow;
        if (isFixedCell(oldX, oldY))
            RepaintCell(oldX, oldY);
        if (isFixedCell(ACol, ARow))
            RepaintCell(ACol, ARow);
    }
    // 7.
    if (Look == glListView && !(TPoint(ACol, ARow) == FHotFixedCell)) {
        const TPoint old = FHotFixedCell;
        FHotFixedCell = TPoint(ACol, ARow);
        if (isFixedCell(old.X, old.Y))
            RepaintCell(old.X, old.Y);
        if (isFixedCell(ACol, ARow))
            RepaintCell(ACol, ARow);
    }
    // 8. The hovered push or expand button (kept by real column, as the painter reads it).
    const bool overButton =
        valid && ((HasButton(RCol, ARow) && InRect(GetCellButtonRect(ACol, ARow), X, Y)) ||
                  (HasExpand(RCol, ARow) && InRect(GetExpandButtonRect(ACol, ARow), X, Y)));
    const TPoint old = FHoverButton;
    if (overButton) {
        if (!(old == TPoint(RCol, ARow))) {
            if (old.X != -1)
                RepaintCell(RealToDisplCol(old.X), old.Y);
            FHoverButton = TPoint(RCol, ARow);
            RepaintCell(ACol, ARow);
        }
    } else {
        if (old.X != -1)
            RepaintCell(RealToDisplCol(old.X), old.Y);
        FHoverButton = TPoint(-1, -1);
    }
}

// ---- Steps 9 and 10: row and column selection along the headers ----------------------------------------

void TExtStringGrid::HeaderDragSelection(int ACol, int ARow, int Y, bool& ScrolledUp)
{
    if (FMouseActions->RowSelect && FMouseSelectMode == msRow) {
        if (ARow >= FixedRows() && ARow <= RowCount() - FixedFooters) {
            const int m = std::max(FixedRows(), ARow);
            // The first corner becomes the anchor, the second the current cell.
            if (ARow > FMouseSelectStart)
                SetSelection(TGridRect{FixedCols(), FMouseSelectStart, ColCount() - 1, m});
            else
                SetSelection(TGridRect{FixedCols(), m, ColCount() - 1, FMouseSelectStart});
            const TGridRect sel = Selection();
            if (SelectionRectangle() && !(sel == FSizeSelection))
                RepaintRect(TGridRect{LeftCol(), sel.Top, LeftCol() + VisibleColCount(), sel.Bottom});
            FSizeSelection = sel;
        }
        if (Y > Height() - ScrollDownZone && TopRow() < MaxTopRow())
            SetTopRow(TopRow() + 1);
        if (FixedRows() > 0 && RowCount() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            ScrolledUp = true;
        }
    }
    // Beside the grid there is no column to select up to.
    if (FMouseActions->ColSelect && FMouseSelectMode == msColumn && ACol >= 0) {
        const int c = std::max(FixedCols(), ACol);
        if (FMouseSelectStart < ACol)
            SetSelection(TGridRect{FMouseSelectStart, FixedRows(), c, RowCount() - 1});
        else
            SetSelection(TGridRect{c, FixedRows(), FMouseSelectStart, RowCount() - 1});
        const TGridRect sel = Selection();
        if (SelectionRectangle() && !(sel == FSizeSelection))
            RepaintRect(TGridRect{sel.Left, TopRow(), sel.Right, TopRow() + VisibleRowCount()});
        FSizeSelection = sel;
    }
}

// ---- Steps 11 to 13: fixed-cell borders and the resize handle -------------------------------------------

void TExtStringGrid::FixedSizingBorders(int ACol, int ARow, int X, int Y)
{
    const bool reachable = ACol >= 0 && ARow >= 0 && !IsDesignTime();
    FSizeFixed = false;
    int acc = 0;
    for (int i = 0; i < FixedCols(); ++i) {
        if (reachable && std::abs(acc + ColWidths(i) - X) < FixedBorderReach)
            FSizeFixed = FMouseActions->SizeFixedCol;
        acc += ColWidths(i) + 1; // one pixel of grid line per column
    }
    if (FSizingFixed) {
        DrawColSizingLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColSizingLine(X);
    }
    FSizeFixedR = false;
    acc = 0;
    for (int i = 0; i < FixedRows(); ++i) {
        if (reachable && std::abs(acc + RowHeights(i) - Y) < FixedBorderReach)
            FSizeFixedR = FMouseActions->SizeFixedRow;
        acc += RowHeights(i) + 1;
    }
    if (FSizingFixedR) {
        DrawRowSizingLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
    }
}

bool TExtStringGrid::InSelectionHandle(int X, int Y)
{
    if (!(SelectionResizer() && SelectionRectangle()))
        return false;
    const TGridRect sel = Selection();
    TRect handle = CellRect(sel.Right, sel.Bottom);
    handle.Top = handle.Bottom - ResizeHandleSize;
    if (UseRightToLeftAlignment())
        handle.Right = handle.Left + ResizeHandleSize;
    else
        handle.Left = handle.Right - ResizeHandleSize;
    return InRect(handle, X, Y);
}

// ---- Step 15.4: what a press here would start ---------------------------------------------------------

void TExtStringGrid::DecideSelectMode(int ACol, int ARow, int X, int Y, bool InHandle, bool ScrolledUp,
                                      bool& Claimed)
{
    FMouseSelectMode = InHandle ? msResize : msNormal;
    auto claim = [&](TMouseSelectMode Mode) {
        FMouseSelectMode = Mode;
        Claimed = true;
        Invokedchange = true;
    };
    const bool headerRow = ARow >= 0 && ARow < FixedRows();
    const bool headerCol = ACol >= 0 && ACol < FixedCols();
    if (headerRow && headerCol && FMouseActions->AllSelect)
        claim(msAll);
    if (headerRow && ACol >= FixedCols() && FMouseActions->ColSelect && !IsSizingBorder(X, Y))
        claim(msColumn);
    const bool footerRow =
        FFloatingFooter && FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow;
    const int f = footerRow ? 2 : 1;
    if (headerCol && ARow >= 0 && ARow <= RowCount() - f && (ARow >= FixedRows() || ScrolledUp) &&
        FMouseActions->RowSelect && !IsSizingBorder(X, Y) && !IsOnNodeGlyph(ARow, X))
        claim(msRow);
}

// ---- Step 16: URLs and anchors -----------------------------------------------------------------------

void TExtStringGrid::LinkSteps(int ACol, int ARow, int X, int Y, bool& Claimed)
{
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        return;
    const int RCol = RealColIndex(ACol);
    const QString text = Cells(RCol, ARow);
    const uint8_t kind = CellTextKind(text, EnableHTML);
    auto claimURLCursor = [&] {
        Claimed = true;
        Invokedchange = true;
        if (Cursor() != URLCursor)
            TBaseGrid::SetCursor(URLCursor); // the application's cursor stays the restore value
    };
    auto leaveHoverCell = [&] {
        const TPoint old = FHoverCell;
        FHoverCell = TPoint(-1, -1);
        FHoverlink = -1;
        if (old.X >= 0 && old.Y >= 0)
            RepaintCell(old.X, old.Y);
    };

    if (kind != ctkHTML) {
        if (FURLShow && ContainsURL(text))
            claimURLCursor();
        if (URLUnderlineOnHover &&
            ((FHoverCell.X >= 0 && FHoverCell.Y >= 0 && !(FHoverCell == TPoint(ACol, ARow))) ||
             FHoverlink != -1))
            leaveHoverCell();
        return;
    }

    TRect r = CellRect(ACol, ARow);
    r.Left += XYOffset.X + 1;
    r.Top += XYOffset.Y + 1;
    r.Right -= XYOffset.X;
    if (HasCheckBox(RCol, ARow))
        r.Left += FControlLook->CheckSize();
    int s = 0;
    if (HasScrollBar(RCol, ARow)) {
        s = GetScrollPosition(RCol, ARow);
        r.Right -= VScrollBarWidth;
        r.Bottom += s;
    }
    Canvas->Font->Assign(IsFixed(ACol, ARow) ? *FFixedFont : *Font);
    TGridDrawState state = 0;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, state, false, false, true, Canvas->Brush, colorTo, mirror, mirrorTo,
                        Canvas->Font, ha, va, ww, gd);
    QString anchor, plain, focus, anchorHint, ctrlId, ctrlValue, ctrlType;
    int w = 0, h = 0, anchors = 0, linkNo = -1;
    TRect anchorRect, ctrlRect;
    const bool hit = RenderHTML(Canvas, text, r, GridImages, X, Y + s, -1, -1, 1, true, false, false, false,
                                false, false, ww, false, 1.0, URLColor, clNone, clNone, clGray, anchor, plain,
                                focus, anchorHint, w, h, anchors, linkNo, anchorRect, ctrlRect, ctrlId,
                                ctrlValue, ctrlType, FImageCache.get(), PictureContainer, Handle(), 0);
    if (!hit) {
        anchor.clear();
        linkNo = -1;
    }

    // Only the cells whose underline changed are repainted.
    if (URLUnderlineOnHover && !(FHoverCell == TPoint(ACol, ARow) && FHoverlink == linkNo)) {
        const TPoint old = FHoverCell;
        FHoverCell = TPoint(ACol, ARow);
        FHoverlink = linkNo;
        if (old.X >= 0 && old.Y >= 0 && !(old == FHoverCell))
            RepaintCell(old.X, old.Y);
        RepaintCell(ACol, ARow);
    }

    if (!anchor.isEmpty()) {
        if (anchorHint.isEmpty() && OnAnchorHint)
            OnAnchorHint(this, ARow, ACol, anchorHint);
        if (anchorHint != FLastAnchorHint && !FLastAnchorHint.isEmpty() && anchor != FAnchor) {
            FLastAnchorHint = anchorHint;
            CancelHint(); // the new anchor's hint may come up
        }
        claimURLCursor();
        if (anchor != FAnchor) {
            if (OnAnchorEnter)
                OnAnchorEnter(this, ARow, ACol, anchor);
            FAnchor = anchor;
        }
    } else if (!FAnchor.isEmpty()) {
        if (OnAnchorExit)
            OnAnchorExit(this, ARow, ACol, anchor);
        FAnchor.clear();
    }
}

// ---- Steps 23 to 25: sizing values, events and hint ----------------------------------------------------

void TExtStringGrid::SizingSteps(int X, int Y)
{
    const bool colSizing = FGridState == gsColSizing;
    const bool rowSizing = FGridState == gsRowSizing;
    int c = 0, r = 0, w = 0, h = 0;
    if (colSizing) {
        c = Colclicked;
        r = Rowclicked;
        if (Colclicked == -1) {
            c = ColCount() - 1;
            r = 0;
        }
        w = X - CellRect(c, r).Left - Clickposdx;
    } else if (rowSizing) {
        r = Rowclicked;
        c = Colclicked;
        if (Rowclicked == -1) {
            r = RowCount() - 1;
            c = 0;
        }
        h = Y - CellRect(c, r).Top - Clickposdy;
    }
    if ((colSizing || FSizingFixed) && OnColumnSizing)
        OnColumnSizing(this, FSizingFixed ? 0 : Colclicked, FSizingFixed ? FSizeFixedX : w);
    if ((rowSizing || FSizingFixedR) && OnRowSizing)
        OnRowSizing(this, FSizingFixedR ? 0 : Rowclicked, FSizingFixedR ? FSizeFixedY : h);

    if (!(HintShowSizing || IsDesignTime()) || !(colSizing || rowSizing || FSizingFixed || FSizingFixedR))
        return;
    if (!FScrollHintWnd)
        FScrollHintWnd = new THTMLHintWindow(this);
    const bool fixed = FSizingFixed || FSizingFixedR;
    const bool column = FSizingFixed || (colSizing && !FSizingFixedR);
    const int n = FSizingFixed ? FSizeFixedX : FSizingFixedR ? FSizeFixedY : colSizing ? w : h;
    const QString text = (column ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) + QString::number(n) +
                         QStringLiteral("</b>");
    const TRect cell = fixed ? CellRect(0, 0) : CellRect(c, r);
    const TPoint at = ClientToScreen(TPoint(cell.Left, cell.Top));
    TRect hint = FScrollHintWnd->CalcHintRect(SizingHintWidth, text, nullptr);
    OffsetRect(hint, at.X, at.Y);
    FScrollHintWnd->SetCaption(text);
    FScrollHintWnd->SetColor(HintColor);
    FScrollHintWnd->ActivateHint(hint, text);
    FScrollHintShow = true;
}

// ---- Leaving ------------------------------------------------------------------------------------------

void TExtStringGrid::HandleMouseLeave()
{
    TBaseGrid::HandleMouseLeave();
    FMouseSelectMode = msNormal;
    FSizeFixed = FSizeFixedR = false;
    if (!FNoMouseLeave && HoverFixedCells != hfNone && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const int oldX = FHoverFixedX, oldY = FHoverFixedY;
        FHoverFixedX = FHoverFixedY = -1;
        if (oldX >= 0 && oldY >= 0 && oldX < ColCount() && oldY < RowCount())
            RepaintCell(oldX, oldY);
    }
    const TPoint hot = FHotFixedCell;
    if (Look == glListView && hot.X >= 0 && hot.Y >= 0 && hot.X < ColCount() && hot.Y < RowCount() &&
        (hot.X < FixedCols() || hot.Y < FixedRows()))
        RepaintCell(hot.X, hot.Y);
    if (HoverRow() && FHoverRowIdx != -1) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount())
            RepaintRow(old);
    }
}

bool TExtStringGrid::HasCellBorderHook()
{
    return bool(OnGetCellBorder);
}

// ---- The release's part ---------------------------------------------------------------------------------

void TExtStringGrid::ReleaseSizingHint()
{
    if (!IsDesignTime())
        HideMoveArrows();
    if (FScrollHintShow && (HintShowSizing || IsDesignTime())) {
        if (FScrollHintWnd)
            FScrollHintWnd->ReleaseHint();
        FScrollHintShow = false;
    }
}
