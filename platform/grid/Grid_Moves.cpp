// TCustomGrid current cell, anchor and selection; moving and deleting rows and columns.
#include "platform/grid/Grid.h"

void TCustomGrid::SetCol(int Value)
{
    if (Value != Col())
        FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Value != Row())
        FocusCell(Col(), Value, true);
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    const TGridRect old = Selection();
    FAnchor = TGridCoord{Value.Left, Value.Top};
    FCurrent = TGridCoord{Value.Right, Value.Bottom};
    SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    const TGridRect now = Selection();
    if (now == OldSel)
        return;
    InvalidateRect(OldSel);
    InvalidateRect(now);
}

bool TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    CheckCoord(ACol, ARow);
    if (!CanSelectCell(ACol, ARow))
        return false;
    // The answer may have come from code that changed the counts.
    if (ACol >= ColCount() || ARow >= RowCount())
        return false;
    const TGridRect old = Selection();
    FCurrent = TGridCoord{ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = ColCount() - 1;
    }
    if (FOptions.Contains(goRowSelect))
        FCurrent.X = FixedCols();
    // A selected row is brought into view vertically only.
    if (Show)
        ClampInView(FOptions.Contains(goRowSelect) ? TGridCoord{LeftCol(), ARow} : FCurrent);
    SelectionMoved(old);
    InvalidateCell(FCurrent.X, FCurrent.Y);
    return true;
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    if (!MoveCurrent(ACol, ARow, MoveAnchor, true))
        return;
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (MoveCurrent(ACol, ARow, MoveAnchor, Show))
        UpdateEdit();
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if (!FOptions.Contains(goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    CheckCoord(NewAnchor.X, NewAnchor.Y);
    const TGridRect old = Selection();
    FAnchor = NewAnchor;
    if (FOptions.Contains(goRowSelect))
        FAnchor.X = ColCount() - 1;
    ClampInView(NewAnchor);
    SelectionMoved(old);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0)
        RaiseListIndexError(std::min(FromIndex, ToIndex));
    if (FromIndex != ToIndex)
        ColumnMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0)
        RaiseListIndexError(std::min(FromIndex, ToIndex));
    if (FromIndex != ToIndex)
        RowMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveColWidth(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= ColCount() || ToIndex < 0 || ToIndex >= ColCount())
        RaiseListIndexError(FromIndex < 0 || FromIndex >= ColCount() ? FromIndex : ToIndex);
    if (!FCols.MoveEntry(FromIndex, ToIndex))
        return;
    UpdateScrollArea(false);
    InvalidateGrid();
    ColWidthsChanged();
}

void TCustomGrid::MoveRowHeight(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= RowCount() || ToIndex < 0 || ToIndex >= RowCount())
        RaiseListIndexError(FromIndex < 0 || FromIndex >= RowCount() ? FromIndex : ToIndex);
    if (!FRows.MoveEntry(FromIndex, ToIndex))
        return;
    UpdateScrollArea(false);
    InvalidateGrid();
    RowHeightsChanged();
}

void TCustomGrid::RowSizesChanged()
{
    UpdateScrollArea(false);
    InvalidateGrid();
    RowHeightsChanged();
}

void TCustomGrid::DeleteRow(int ARow)
{
    CheckCoord(0, ARow);
    MoveRow(ARow, RowCount() - 1);
    SetRowCount(RowCount() - 1);
}

void TCustomGrid::DeleteColumn(int ACol)
{
    CheckCoord(ACol, 0);
    MoveColumn(ACol, ColCount() - 1);
    SetColCount(ColCount() - 1);
}
