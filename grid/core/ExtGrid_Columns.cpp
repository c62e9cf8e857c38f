// TExtStringGrid: hidden columns, the display/real conversions of columns and rows, and the current
// row and top row.
#include "grid/core/ExtGrid.h"

#include <vector>

// ---- Column conversions --------------------------------------------------------------------------------

void TExtStringGrid::RebuildColumnMap() const
{
    // The tables end after the last hidden column (found by counting the hidden ones, not by a scan of
    // all 512 entries: hiding a column rebuilds them).
    int hidden = 0;
    int end = 0;
    for (int j = 0; j < MaxHiddenColumns && hidden < FNumHidden; ++j) {
        FHiddenBefore[size_t(j)] = int16_t(hidden);
        if (FVisibleCol[size_t(j)])
            FDisplToReal[size_t(j - hidden)] = int16_t(j);
        else
            ++hidden;
        end = j + 1;
    }
    FColumnMapEnd = end;
    FShownCount = MaxHiddenColumns - hidden;
    FColumnMapDirty = false;
}

bool TExtStringGrid::IsHiddenColumn(int ColIndex) const
{
    return ColIndex >= 0 && ColIndex < MaxHiddenColumns && !FVisibleCol[size_t(ColIndex)];
}

int TExtStringGrid::DisplToRealCol(int D) const
{
    if (FNumHidden == 0 || D >= MaxHiddenColumns)
        return D;
    if (FColumnMapDirty)
        RebuildColumnMap();
    if (D < 0 || D >= FShownCount)
        return 0;
    const int hidden = MaxHiddenColumns - FShownCount;
    return D >= FColumnMapEnd - hidden ? D + hidden : FDisplToReal[size_t(D)];
}

int TExtStringGrid::RealToDisplCol(int R) const
{
    if (FNumHidden == 0 || R >= MaxHiddenColumns)
        return R;
    return R < 0 ? R : R - RealToDisplColHiddenBefore(R);
}

// ---- Hiding and showing columns ------------------------------------------------------------------------

void TExtStringGrid::ShiftWidthsLeft(int From, int To)
{
    MoveColWidths(From, To, -1);
}

void TExtStringGrid::ShiftWidthsRight(int From, int To)
{
    MoveColWidths(From, To, 1);
}

void TExtStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    const int from = std::max(FromCol, 0);
    // Display positions are counted along the range, so no table is rebuilt per column.
    int hiddenBelow = from < MaxHiddenColumns ? RealToDisplColHiddenBefore(from) : 0;
    for (int c = from; c <= ToCol && c < MaxHiddenColumns; ++c) {
        if (!FVisibleCol[size_t(c)]) {
            ++hiddenBelow;
            continue;
        }
        if (c >= ColCount() + FNumHidden || ColCount() <= 1)
            continue;
        const int d = c - hiddenBelow;
        FAllColWidths[size_t(c)] = int16_t(ColWidths(d));
        ShiftWidthsLeft(d + 1, ColCount());
        // The count of hidden columns changes before ColCount, so that ColCount + hidden stays the
        // number of real columns for everything the count write calls.
        ++FNumHidden;
        FVisibleCol[size_t(c)] = false;
        ColumnMapChanged();
        ++hiddenBelow;
        if (Col() == ColCount() - 1)
            SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    InvalidateGrid();
}

void TExtStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    const int from = std::max(FromCol, 0);
    // Columns shown in this call were below the later ones, so the count of hidden columns below a
    // column of the range stays the one below the range's start.
    const int hiddenBelow = from < MaxHiddenColumns ? RealToDisplColHiddenBefore(from) : 0;
    std::vector<int> shown;
    for (int c = from; c <= ToCol && c < MaxHiddenColumns; ++c)
        if (!FVisibleCol[size_t(c)])
            shown.push_back(c);
    if (shown.empty())
        return;
    // One count write for all of them (each write re-lays the scroll area); the hidden count drops
    // first, so ColCount + hidden stays the number of real columns for everything the write calls.
    const int before = ColCount();
    for (int c : shown) {
        --FNumHidden;
        FVisibleCol[size_t(c)] = true;
    }
    ColumnMapChanged();
    SetColCount(before + int(shown.size()));
    // Then each column takes its place from the left: the columns after it move one to the right.
    int count = before;
    for (int c : shown) {
        const int d = c - hiddenBelow;
        ShiftWidthsRight(d, count);
        SetColWidths(d, FAllColWidths[size_t(c)]);
        ++count;
    }
    InvalidateGrid();
}

int TExtStringGrid::RealToDisplColHiddenBefore(int R) const
{
    if (FNumHidden == 0)
        return 0;
    if (FColumnMapDirty)
        RebuildColumnMap();
    return R >= FColumnMapEnd ? MaxHiddenColumns - FShownCount : FHiddenBefore[size_t(R)];
}

int TExtStringGrid::AllColWidths(int R) const
{
    if (IsHiddenColumn(R))
        return FAllColWidths[size_t(R)];
    return ColWidths(RealToDisplCol(R));
}

void TExtStringGrid::SetAllColWidths(int R, int Value)
{
    if (R >= 0 && R < ColumnTableSize)
        FAllColWidths[size_t(R)] = int16_t(Value);
    if (!IsHiddenColumn(R))
        SetColWidths(RealToDisplCol(R), Value);
}

// ---- Rows ----------------------------------------------------------------------------------------------

void TExtStringGrid::SetRow(int Value)
{
    if (Col() < 0 || Col() >= ColCount())
        MoveColRow(FixedCols(), Value, true, true);
    TBaseGrid::SetRow(Value);
    if (Row() != FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FOldRowSel, Row());
        FOldRowSel = Row();
    }
}

void TExtStringGrid::SetTopRow(int Value)
{
    if (Value >= TBaseGrid::FixedRows() && Value < RowCount())
        TBaseGrid::SetTopRow(Value);
}
