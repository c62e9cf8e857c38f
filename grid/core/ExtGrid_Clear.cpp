// Clearing blocks of cells, the edit permission of a cell, the counting update lock, the always-shown
// scroll bars and the print layout arrays.
#include "grid/core/ExtGrid.h"

#include <climits>

void TExtStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const bool destroying = ComponentState() & csDestroying;
    for (int r = ARow1; r <= ARow2; ++r) {
        for (int c = ACol1; c <= ACol2; ++c) {
            const int a = SaveHiddenCells ? DisplToRealCol(c) : c;
            if (!FClearTextOnly && HasCellProperties(a, r)) {
                if (FNilObjects)
                    SetGridObject(a, r, nullptr); // the copy made elsewhere owns it now
                else
                    FreeCellPropsRect(a, r, a, r);
            }
            if (destroying)
                continue;
            if (!Cells(a, r).isEmpty()) {
                SetCellEx(a, r, QString());
                if (a != c)
                    RepaintCell(c, r);
            }
        }
    }
    // Only a block over every real column leaves no property object behind; kept objects (text-only
    // clears) or hidden columns outside the block still need freeing later.
    const int lastCol = FNumHidden == 0 ? ColCount() - 1 : (SaveHiddenCells ? INT_MAX : TotalColCount() - 1);
    if (ACol1 == 0 && ARow1 == 0 && ACol2 >= lastCol && ARow2 >= RowCount() - 1 && !FClearTextOnly)
        FHasCellProps = false;
    if (!destroying && !FBlockCellChange)
        DoCellsChanged(TRect(DisplToRealCol(ACol1), ARow1, DisplToRealCol(ACol2), ARow2));
}

void TExtStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() == 0 || ColCount() == 0 || RCount <= 0)
        return;
    ClearRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
}

bool TExtStringGrid::IsEditable(int ACol, int ARow)
{
    const bool editing = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit || FEditDisable;
    return editing && IsCellEditable(ACol, ARow);
}

bool TExtStringGrid::IsCellEditable(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    bool canEdit = true;
    CanEditCell(base.X, base.Y, canEdit);
    // The base column is already a real one: converting it again would ask about another column
    // whenever columns are hidden before it.
    bool fixed = false;
    IsFixedCell(base.X, base.Y, fixed);
    return canEdit && !fixed;
}

void TExtStringGrid::ResetUpdate()
{
    FUpdateCount = 0;
    if (FRedrawOff) {
        FRedrawOff = false;
        SetRedraw(true);
    }
}

void TExtStringGrid::Paint()
{
    if (FUpdateCount > 0)
        return;
    TBaseGrid::Paint();
    PaintAfterCells();
}

void TExtStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    ApplyScrollBarAlways(true);
}

void TExtStringGrid::ApplyScrollBarAlways(bool Force)
{
    const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    if (FScrollBarAlways != saNone) {
        if (rowsFit)
            ShowScrollBar(SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
        if (colsFit)
            ShowScrollBar(SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
        EnableScrollBar(SB_VERT, !rowsFit);
        EnableScrollBar(SB_HORZ, !colsFit);
    } else if (Force) {
        if (rowsFit)
            ShowScrollBar(SB_VERT, false);
        if (colsFit)
            ShowScrollBar(SB_HORZ, false);
    }
}

int TExtStringGrid::PrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= MaxHiddenColumns)
        throw EExtGridError("Columns is not in valid range");
    return MaxWidths[ACol];
}

int TExtStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= MaxHiddenColumns)
        throw EExtGridError("Columns is not in valid range");
    return Indents[ACol];
}
