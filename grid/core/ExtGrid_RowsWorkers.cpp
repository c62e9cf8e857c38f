// TExtStringGrid: the row workers - insertion, the three removals, AddRow and MoveRows.
//
// Rows enter and leave the cell store as blocks (one pass however many rows) and their heights move
// with them in one step. A removal leaves the removed rows stored beyond RowCount, the last removed
// first, where row-by-row deletion leaves them; an insertion takes its new rows from there, freeing
// what they still hold, so a cell object never has two owners.
#include "grid/core/ExtGrid.h"

#include <algorithm>

namespace
{

// Runs F when the scope ends, also when an exception leaves it.
template <class F> class TFinally
{
  public:
    explicit TFinally(F f) : FAction(std::move(f)) {}
    ~TFinally() { FAction(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

  private:
    F FAction;
};

} // namespace

void TExtStringGrid::ParkSelection()
{
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
}

void TExtStringGrid::DropCellControlsOfRows(int RowIndex, int RCount)
{
    for (int i = FControlList->Count() - 1; i >= 0; --i) {
        TControlItem* item = FControlList->Control(i);
        const int displ = RealToDisplRow(item->Y);
        if (IsHiddenRow(item->Y) || displ < RowIndex || displ >= RowIndex + RCount)
            continue;
        if (item->Control)
            item->Control->SetVisible(false);
        if (TCellProperties* props = GridProps(item->X, displ))
            props->SetControl(nullptr);
        FControlList->RemoveControl(i);
        FNumCellControls = std::max(FNumCellControls - 1, 0);
    }
}

// ---- Insertion -----------------------------------------------------------------------------------------

void TExtStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    DoInsertRows(RowIndex, RCount, UpdateCellControls);
}

void TExtStringGrid::DoInsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0 || RowIndex < 0 || RowIndex > RowCount())
        return;
    const bool parked = Row() >= RowCount() || Col() >= ColCount();
    const int n = RowCount();
    // The stored rows just beyond the count become the new rows: whatever they still hold goes.
    FreeStoreRows(n, n + RCount - 1);
    SetRowCount(n + RCount);
    CellStore().RotateRows(RowIndex, n, n + RCount);
    RowAxis().RotateSizes(RowIndex, n, n + RCount);
    RowSizesChanged();
    if (parked)
        SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    if (UpdateCellControls && FNumCellControls > 0)
        ShiftCellControlRows(DisplToRealRow(RowIndex), RCount);
    if (!(ComponentState() & csDestroying))
        DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExtStringGrid::AddRow()
{
    InsertRows(RowCount(), 1);
    ClearRows(RowCount() - 1, 1);
}

// ---- Removal -------------------------------------------------------------------------------------------

void TExtStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    // The grid keeps at least one row.
    RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
    if (RCount <= 0)
        return;
    const int realFrom = DisplToRealRow(RowIndex);
    ShiftCellControlRows(DisplToRealRow(RowIndex + RCount), -RCount);
    FreeStoreRows(RowIndex, RowIndex + RCount - 1);

    const int fixedRows = FixedRows();
    {
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        const int top = TopRow();
        const int row = Row();
        if (NumHiddenRows() > 0 && !FKeepHiddenIdx)
            FHiddenIndex.Shift(realFrom, -RCount);
        const int n = RowCount();
        RemoveStoreRows(RowIndex, RCount, n);
        // The removed rows are emptied, and the stale row after them.
        FreeStoreRows(n - RCount, n);
        SetRowCount(n - RCount);
        FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());
        RowSizesChanged();
        if (row < RowCount() - FixedFooters) {
            if (!FMouseActions->DisjunctRowSelect())
                SetRow(row);
            SetTopRow(top);
        } else if (RowCount() - FixedFooters - 1 >= fixedRows) {
            SetRow(RowCount() - FixedFooters - 1);
        } else {
            ParkSelection();
        }
    }
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    const int lastTop = RowCount() + FixedRows() - VisibleRowCount() - 2;
    if (TopRow() >= lastTop && RowCount() - VisibleRowCount() - 1 > 0)
        SetTopRow(lastTop);
}

void TExtStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
    if (RCount <= 0)
        return;
    const int realFrom = DisplToRealRow(RowIndex);
    const int fixedRows = FixedRows();
    {
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        const int top = TopRow();
        const int row = Row();
        // Cells only: the heights stay with the row positions.
        const int n = RowCount();
        CellStore().RotateRows(RowIndex, RowIndex + RCount, n);
        CellStore().ReverseRows(n - RCount, n);
        SetRowCount(n - RCount);
        FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());
        InvalidateGrid();
        if (row < RowCount()) {
            SetRow(row);
            SetTopRow(top);
        } else if (RowCount() > fixedRows) {
            SetRow(fixedRows);
            SetTopRow(fixedRows);
        }
    }
    // By real index: a hidden row keeps its place among the rows that are left.
    if (NumHiddenRows() > 0 && !FKeepHiddenIdx)
        FHiddenIndex.Shift(realFrom, -RCount);
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExtStringGrid::DeleteRowRange(int ARow, int Count)
{
    if (ARow < 0 || ARow >= RowCount() || Count <= 0)
        return;
    FreeStoreRows(ARow, std::min(ARow + Count, RowCount()) - 1);
    DoRemoveRows(ARow, Count, true);
}

void TExtStringGrid::DoRemoveRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
    if (RCount <= 0)
        return;
    if (UpdateCellControls)
        DropCellControlsOfRows(RowIndex, RCount);
    const int realFrom = DisplToRealRow(RowIndex);
    const int fixedRows = FixedRows();
    const int footers = FixedFooters;
    const bool disjunct = FMouseActions->DisjunctRowSelectDirect();
    bool rowSelect = false;
    {
        FixedFooters = 0;
        FMouseActions->SetDisjunctRowSelectDirect(false);
        TFinally restore([&] {
            FixedFooters = footers;
            FMouseActions->SetDisjunctRowSelectDirect(disjunct);
        });
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        const int top = TopRow();
        const int row = Row();
        rowSelect = Options().Contains(goRowSelect) && RowCount() - fixedRows > 1;
        if (rowSelect)
            SetOptions(Options() - goRowSelect);
        if (FNumNodes > 0 && row < RowCount() && Col() != FixedCols())
            SetCol(FixedCols());
        if (UpdateCellControls && NumHiddenRows() > 0 && !FKeepHiddenIdx)
            FHiddenIndex.Shift(realFrom, -RCount);
        const int n = RowCount();
        RemoveStoreRows(RowIndex, RCount, n);
        // As the toolkit's row deletion: its count setter, the grid's own bookkeeping untouched.
        TBaseGrid::SetRowCount(n - RCount);
        RowSizesChanged();
        if (row < RowCount() - footers) {
            SetRow(row);
            SetTopRow(top);
        } else if (RowCount() - footers - 1 >= fixedRows) {
            SetRow(RowCount() - footers - 1);
        } else {
            ParkSelection();
        }
    }
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    if (TopRow() >= RowCount() - 1)
        SetTopRow(RowCount() - 1);
    if (rowSelect)
        SetOptions(Options() | goRowSelect);
}

// ---- Moves ---------------------------------------------------------------------------------------------

void TExtStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || FromIndex >= RowCount() || ToIndex < 0)
        return;
    Count = std::min(Count, RowCount() - FromIndex);
    const int cols = TotalColCount();
    std::vector<std::vector<QString>> texts(static_cast<size_t>(Count),
                                            std::vector<QString>(static_cast<size_t>(cols)));
    for (int k = 0; k < Count; ++k)
        for (int c = 0; c < cols; ++c)
            texts[size_t(k)][size_t(c)] = GetGridCell(c, FromIndex + k);
    if (FromIndex + Count < ToIndex)
        ToIndex -= Count;
    // Past the end the block goes last, rather than nowhere.
    ToIndex = std::min(ToIndex, RowCount() - Count);
    // The rows change places; hidden rows keep their real indexes.
    FKeepHiddenIdx = true;
    {
        TFinally keep([this] { FKeepHiddenIdx = false; });
        RemoveRowsEx(FromIndex, Count);
    }
    InsertRows(ToIndex, Count, true);
    for (int k = 0; k < Count; ++k)
        for (int c = 0; c < cols; ++c)
            SetGridCell(c, ToIndex + k, texts[size_t(k)][size_t(c)]);
}
