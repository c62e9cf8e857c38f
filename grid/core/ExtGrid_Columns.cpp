// TExtStringGrid: hidden columns, the display/real conversions of columns and rows, and the current
// row and top row.
#include "grid/core/ExtGrid.h"

// ---- Column conversions --------------------------------------------------------------------------------

void TExtStringGrid::RebuildColumnMap()
{
    FDisplToReal.clear();
    int hidden = 0;
    for (int j = 0; j < MaxHiddenColumns; ++j) {
        FHiddenBefore[size_t(j)] = int16_t(hidden);
        if (FVisibleCol[size_t(j)])
            FDisplToReal.push_back(j);
        else
            ++hidden;
    }
}

bool TExtStringGrid::IsHiddenColumn(int ColIndex) const
{
    return ColIndex >= 0 && ColIndex < MaxHiddenColumns && !FVisibleCol[size_t(ColIndex)];
}

int TExtStringGrid::DisplToRealCol(int D) const
{
    if (FNumHidden == 0 || D >= MaxHiddenColumns)
        return D;
    if (D < 0 || D >= int(FDisplToReal.size()))
        return 0;
    return FDisplToReal[size_t(D)];
}

int TExtStringGrid::RealToDisplCol(int R) const
{
    if (FNumHidden == 0 || R >= MaxHiddenColumns)
        return R;
    return R < 0 ? R : R - FHiddenBefore[size_t(R)];
}

// ---- Hiding and showing columns ------------------------------------------------------------------------

void TExtStringGrid::ShiftWidthsLeft(int From, int To)
{
    for (int d = From; d < To; ++d)
        SetColWidths(d - 1, ColWidths(d));
}

void TExtStringGrid::ShiftWidthsRight(int From, int To)
{
    for (int d = To - 1; d >= From; --d)
        SetColWidths(d + 1, ColWidths(d));
}

void TExtStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideEditor();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHiddenColumns; ++c) {
        if (!FVisibleCol[size_t(c)] || c >= ColCount() + FNumHidden || ColCount() <= 1)
            continue;
        const int d = RealToDisplCol(c);
        FAllColWidths[size_t(c)] = int16_t(ColWidths(d));
        ShiftWidthsLeft(d + 1, ColCount());
        // The count of hidden columns changes before ColCount, so that ColCount + hidden stays the
        // number of real columns for everything the count write calls.
        ++FNumHidden;
        FVisibleCol[size_t(c)] = false;
        RebuildColumnMap();
        if (Col() == ColCount() - 1)
            SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    InvalidateGrid();
}

void TExtStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideEditor();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHiddenColumns; ++c) {
        if (FVisibleCol[size_t(c)])
            continue;
        --FNumHidden;
        FVisibleCol[size_t(c)] = true;
        RebuildColumnMap();
        SetColCount(ColCount() + 1);
        const int d = RealToDisplCol(c);
        ShiftWidthsRight(d, ColCount() - 1);
        SetColWidths(d, FAllColWidths[size_t(c)]);
    }
    InvalidateGrid();
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

TGridItem* TExtStringGrid::HiddenRowItem(int R) const
{
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (FGridItems->Items(i)->Idx == R)
            return FGridItems->Items(i);
    return nullptr;
}

bool TExtStringGrid::IsHiddenRow(int Rowindex) const
{
    return HiddenRowItem(Rowindex) != nullptr;
}

int TExtStringGrid::DisplToRealRow(int D) const
{
    if (FGridItems->Count() == 0 || D < 0)
        return D;
    int shown = -1;
    for (int r = 0;; ++r) {
        if (!IsHiddenRow(r) && ++shown == D)
            return r;
    }
}

int TExtStringGrid::RealToDisplRow(int R) const
{
    int before = 0;
    for (int i = 0; i < FGridItems->Count(); ++i)
        before += FGridItems->Items(i)->Idx < R;
    return R - before;
}

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
