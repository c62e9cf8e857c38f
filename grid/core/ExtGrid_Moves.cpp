// TExtStringGrid: moving columns and rows with everything that belongs to them.
#include "grid/core/ExtGrid.h"

#include <algorithm>

int TExtStringGrid::MovedIndex(int Index, int From, int To)
{
    if (Index == From)
        return To;
    if (From < To && Index > From && Index <= To)
        return Index - 1;
    if (To < From && Index >= To && Index < From)
        return Index + 1;
    return Index;
}

void TExtStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    if (FromIndex != ToIndex)
        MoveCellControls(true, FromIndex, ToIndex);
}

void TExtStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    if (FromIndex != ToIndex)
        MoveCellControls(false, FromIndex, ToIndex);
}

void TExtStringGrid::MoveCellControls(bool Columns, int FromIndex, int ToIndex)
{
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        int& at = Columns ? item->X : item->Y;
        at = MovedIndex(at, FromIndex, ToIndex);
        const TRect r = CellRect(DisplColIndex(item->X), RealToDisplRow(item->Y));
        item->Control->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
    }
}

void TExtStringGrid::HandleColumnMoved(int FromIndex, int ToIndex)
{
    const int rFrom = DisplToRealCol(FromIndex);
    const int rTo = DisplToRealCol(ToIndex);
    if (rFrom < FColumnOrder->Count() && rTo < FColumnOrder->Count())
        FColumnOrder->Move(rFrom, rTo);
    if (EnhRowColMove) {
        MoveColWidth(FromIndex, ToIndex);
        if (FNumHidden > 0) {
            // The per-real-column tables travel over the real indexes.
            const auto rotate = [&](auto& table) {
                const auto f = table.begin() + rFrom, t = table.begin() + rTo;
                if (rFrom < rTo)
                    std::rotate(f, f + 1, t + 1);
                else
                    std::rotate(t, f, f + 1);
            };
            if (rFrom < MaxHiddenColumns && rTo < MaxHiddenColumns) {
                rotate(FVisibleCol);
                rotate(FAllColWidths);
                ColumnMapChanged();
            }
        }
        ColMoveFlg = true;
    }
    // The sort column and the sorted index columns follow (real indexes). A column between the two
    // places shifts by one toward the place the moved one left, the end place included.
    const auto follow = [rFrom, rTo](int c) {
        if (c == rFrom)
            return rTo;
        if (rFrom < c && c <= rTo)
            return c - 1;
        if (rTo <= c && c < rFrom)
            return c + 1;
        return c;
    };
    if (SortSettings()->Column >= 0)
        SortSettings()->Column = follow(SortSettings()->Column);
    if (SortSettings()->IndexShow)
        for (int i = 0; i < SortIndexes()->Count(); ++i)
            SortIndexes()->SetSortColumns(i, follow(SortIndexes()->SortColumns(i)));
    // The stored cells sit at their real columns.
    TBaseGrid::ColumnMoved(rFrom, rTo);
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStringList* texts = FGridItems->Items(i)->Items();
        if (!texts)
            continue;
        while (texts->Count() < AllColCount())
            texts->Add(QString());
        texts->Move(rFrom, rTo);
    }
    const int col = MovedIndex(Col(), FromIndex, ToIndex);
    if (col != Col() && col < ColCount())
        MoveColRow(col, Row(), true, false);
}

void TExtStringGrid::HandleRowMoved(int FromIndex, int ToIndex)
{
    auto handler = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    try {
        TBaseGrid::RowMoved(FromIndex, ToIndex);
    } catch (...) {
        OnRowMoved = std::move(handler);
        throw;
    }
    OnRowMoved = std::move(handler);
    if (EnhRowColMove) {
        MoveRowHeight(FromIndex, ToIndex);
        ColMoveFlg = true;
    }
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}
