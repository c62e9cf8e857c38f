// TExtStringGrid: the left release - the end of fixed-cell sizing and of pushed buttons, the
// disjunct selections, the toolkit's release, then the cell mouse-up events and the header sort
// click - and the grid's mouse-up with the filter list.
#include "grid/core/ExtGrid.h"
#include "platform/controls/Messages.h"

namespace
{

constexpr int DropDownButtonWidth = 16;
// A release this close to a header border ends a column sizing and never sorts.
constexpr int SortBorderZone = 4;

bool InRect(const TRect& R, int X, int Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

void TExtStringGrid::HandleWMLButtonUp(TWMMouse& Message)
{
    const int X = Message.XPos;
    const int Y = Message.YPos;
    const TShiftState shift = MouseMessageShiftState(Message);
    ColMoveFlg = ColSizeFlg = FMouseDown = FMouseKeepDown = false;
    FMouseSelectMode = msNormal;
    bool deselected = false;
    bool movedHere = false;

    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(RealToDisplCol(FCtrlXY.X), FCtrlXY.Y);
    }
    FMouseDownMove = false;
    if (Look == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0)
            RepaintCol(0);
    }
    FMouseSelectStart = -1;
    ReleaseSizingHint();

    if (FSizingFixed) {
        FSizeFixed = FSizingFixed = false;
        DrawColSizingLine(FSizeFixedX);
        if (FSizingFixedCol >= 0 && FSizingFixedCol < ColCount()) {
            int w = X - ColWidthsSum(0, FSizingFixedCol);
            SetColWidths(FSizingFixedCol, w);
            if (OnEndColumnSize)
                OnEndColumnSize(this, FSizingFixedCol);
            int asked = w;
            if (OnUpdateColumnSize)
                OnUpdateColumnSize(this, FSizingFixedCol, asked);
            if (asked != w)
                SetColWidths(FSizingFixedCol, asked);
        }
    }
    if (FSizingFixedR) {
        FSizeFixedR = FSizingFixedR = false;
        DrawRowSizingLine(FSizeFixedY);
        if (FSizingFixedRow >= 0 && FSizingFixedRow < RowCount()) {
            SetRowHeights(FSizingFixedRow, Y - RowHeightsSum(0, FSizingFixedRow));
            if (OnEndRowSize)
                OnEndRowSize(this, FSizingFixedRow);
        }
    }
    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        InvalidateClientRect(FPushedFixedCell);
    }

    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const int DCol = ACol;
    const bool valid = ACol >= 0 && ARow >= 0;

    if (FPushedCellButton.X != -1) {
        const TPoint pushed = FPushedCellButton;
        bool active = Options().Contains(goEditing);
        if (valid && !FControlLook->NoDisabledButtonLook())
            active = IsCellEditable(RealColIndex(ACol), ARow);
        const bool pushedFixed = pushed.X < FixedCols() || pushed.Y < FixedRows();
        if (active || FControlLook->NoDisabledButtonLook() || pushedFixed) {
            if (!IsNode(pushed.Y))
                PushButton(pushed.X, pushed.Y, false);
            if (valid) {
                const TPoint b = BaseCell(ACol, ARow);
                const bool fixedButton = (FixedAsButtons && pushed.X < FixedCols()) || pushed.Y < FixedRows();
                if (InRect(GetCellButtonRect(b.X, b.Y), X, Y) || fixedButton)
                    DoButtonClick(pushed.X, pushed.Y);
                if (HasExpand(RealColIndex(b.X), b.Y) &&
                    (InRect(GetExpandButtonRect(b.X, b.Y), X, Y) || fixedButton)) {
                    const bool expanded = ToggleExpand(RealColIndex(pushed.X), pushed.Y);
                    DoExpandClick(pushed.X, pushed.Y, expanded);
                }
            }
        }
        FPushedCellButton = TPoint(-1, -1);
        SetMouseCapture(false);
    }

    if (valid && ((HasButton(RealColIndex(ACol), ARow) && InRect(GetCellButtonRect(ACol, ARow), X, Y)) ||
                  (HasExpand(RealColIndex(ACol), ARow) && InRect(GetExpandButtonRect(ACol, ARow), X, Y)))) {
        SetMouseCapture(false);
        return;
    }

    const bool atHeaderSizer =
        valid && ARow < FixedRows() && Options().Contains(goColSizing) && CurrentCursor() == crHSplit;
    if (OnClick && FDoOnClick && !atHeaderSizer && valid && (ARow < FixedRows() || ACol < FixedCols()))
        OnClick(this);
    FDoOnClick = false;

    if (FSelectionClick) {
        FSelectionClick = false;
        if (valid && ARow >= FixedRows() && ACol >= FixedCols()) {
            if (Options().Contains(goRowSelect))
                SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
            else
                SetSelection(TGridRect{ACol, ARow, ACol, ARow});
        }
    }

    if (FMouseActions->DisjunctRowSelect() && ACol >= 0 && !(ACol == 0 && IsNode(ARow))) {
        if (!(ACol == 0 && FMouseActions->HotmailRowSelect()))
            MarkSelectionRows();
        if (ARow >= FixedRows() && ARow < RowCount() - FixedFooters && FDeselectState) {
            const int at = FMouseActions->RowSelectPersistent ? DisplToRealRow(ARow) : ARow;
            SetRowSelect(at, false);
            deselected = true;
            if (FMouseActions->HotmailRowSelect())
                RepaintCell(0, 0);
        }
        FDeselectState = false;
    }
    if (FMouseActions->DisjunctColSelect()) {
        MarkSelectionCols();
        if (ACol >= FixedCols() && ACol < ColCount() - FixedRightCols && FDeselectState)
            SetColSelect(ACol, false);
        FDeselectState = false;
    }

    if (EndEnhancedMove(ACol, ARow))
        movedHere = true;

    TBaseGrid::HandleWMLButtonUp(Message);

    if (deselected)
        FSelChange = false;
    if (FGridState == gsSelecting)
        FGridState = gsNormal;

    if (FMouseResize) {
        if (OnSelectionResize)
            OnSelectionResize(this, FDropSelection, Selection());
        FEditDisable = true;
        PasteSelectionFromClipboard();
        FMouseResize = FEditDisable = false;
        if (OnSelectionResized)
            OnSelectionResized(this, FDropSelection, Selection());
    }

    if (ColMoveFlg || ColSizeFlg || !valid)
        return;
    if (!(ACol >= FixedCols() || SortSettings()->FixedCols))
        return;

    const int RCol = RealColIndex(ACol);
    if (HasCheckBox(RCol, ARow) && OnCheckBoxMouseUp && !FDblClk) {
        bool state = false;
        GetCheckBoxState(RCol, DisplToRealRow(ARow), state);
        OnCheckBoxMouseUp(this, RCol, ARow, state);
    }
    if (IsRadio(RCol, ARow) && OnRadioMouseUp && !FDblClk) {
        int idx = -1;
        GetRadioIdx(RCol, ARow, idx);
        OnRadioMouseUp(this, RCol, ARow, idx);
    }
    if (FDblClk) {
        FDblClk = false;
        return;
    }
    const TRect CR = CellRect(DCol, ARow);
    if (ARow == 0 && Options().Contains(goColSizing) &&
        (std::abs(X - CR.Left) < SortBorderZone || std::abs(X - CR.Right) < SortBorderZone))
        return;
    int pressCol = -1, pressRow = -1;
    MouseToCell(Clickposx, Clickposy, pressCol, pressRow);
    if (FControlLook->FixedDropDownButton && CanShowFixedDropDown(RCol) && X > CR.Right - DropDownButtonWidth)
        return;
    if (X > CR.Right - DropDownButtonWidth && ARow < FixedRows() && GetColumnFilter(RCol))
        return;

    TSortSettings* sort = SortSettings();
    const bool candidate = sort->Row() == ARow && ARow == pressRow && FixedRows() > 0 &&
                           !IsInCheckBox(DCol, ARow, X, Y) && sort->Show() && !movedHere && RowCount() > 2;
    if (!candidate)
        return;
    bool doSort = !IsIgnoredColumn(RCol);
    if (OnCanSort)
        OnCanSort(this, RCol, doSort);
    if (!doSort) {
        RepaintCell(DCol, sort->Row());
        return;
    }
    HeaderSortClick(RCol, shift);
}

void TExtStringGrid::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsDesignTime()) {
        TBaseGrid::HandleMouseUp(Button, Shift, X, Y);
        DesignHelperClick(X, Y);
        return;
    }
    // Against the selection at the press: only a release that changed it reports.
    const bool changed = (Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick)) &&
                         FPressSelectionValid && !(Selection() == FPressSelection);
    FPressSelectionValid = false;
    const TGridRect before = Selection();
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const int RCol = RealColIndex(ACol);

    if (!(ARow == FFilterDropDownRow && ACol >= 0 && RCol != FFilterCol)) {
        HideFilterDropDown();
    } else {
        const TRect CR = CellRect(ACol, ARow);
        if (X > CR.Right - DropDownButtonWidth && X < CR.Right - 3 && Y < CR.Top + 19 &&
            GetColumnFilter(RCol)) {
            FFilterCol = RCol;
            ShowFilterDropDown(ACol, ARow);
        } else {
            HideFilterDropDown();
        }
    }
    FDropDownDown = false;

    if ((X > Width() && FGridState == gsColSizing) || (Y > Height() && FGridState == gsRowSizing)) {
        FGridState = gsNormal;
        return;
    }

    if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && ACol >= 0 && ARow >= 0) {
        const TPoint b = BaseCell(ACol, ARow);
        if (!IsFixed(b.X, b.Y)) {
            bool canSelect = true;
            if (OnSelectCell)
                OnSelectCell(this, b.X, b.Y, canSelect);
            if (!canSelect)
                return;
            if (Shift & ssShift) {
                SetSelectedCells(ACol, ARow, true);
            } else if (Shift & ssCtrl) {
                SetSelectedCells(b.X, b.Y, !SelectedCells(b.X, b.Y));
            } else {
                for (int i = 0; i < SelectedCellsCount(); ++i) {
                    const TGridCoord c = SelectedCell(i);
                    RepaintCell(c.X, c.Y);
                }
                ClearSelectedCells();
                SetSelectedCells(b.X, b.Y, true);
            }
        } else if (!(Shift & ssCtrl) && !IsFixed(ACol, ARow)) {
            ClearSelectedCells();
            InvalidateGrid();
        }
        const TGridRect sel = Selection();
        if (sel.Left == sel.Right && sel.Top == sel.Bottom) {
            RepaintCell(ACol, ARow);
        } else {
            for (int r = sel.Top; r <= sel.Bottom; ++r)
                for (int c = sel.Left; c <= sel.Right; ++c)
                    if ((c != b.X || r != b.Y) && !IsSelected(c, r))
                        SetSelectedCells(c, r, true);
            for (int i = 0; i < SelectedCellsCount(); ++i) {
                const TGridCoord c = SelectedCell(i);
                RepaintCell(c.X, c.Y);
            }
            RepaintCell(ACol, ARow);
        }
    }

    if (changed)
        DoSelectionChanged(before.Left, before.Top, before.Right, before.Bottom);

    if (FGridState == gsColMoving && Button == mbRight)
        return;
    TBaseGrid::HandleMouseUp(Button, Shift, X, Y);
    const bool hover =
        ACol >= 0 && ARow >= 0 &&
        ((ACol < FixedCols() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedColumns)) ||
         (ARow < FixedRows() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedRows)));
    if (hover && ARow == FixedRows() - 1 && FControlLook->FixedGradientDownTo() != clNone)
        RepaintCell(ACol, ARow);
    const TGridRect after = Selection();
    if (!changed && !(after == before))
        DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}
