// TExtStringGrid: the row workers - insertion, the three removals, AddRow and MoveRows.
//
// Rows enter and leave the cell store as blocks (one pass however many rows) and their heights move
// with them in one step. A removal leaves the removed rows stored beyond RowCount, the last removed
// first, where row-by-row deletion leaves them; an insertion takes its new rows from there, freeing
// what they still hold, so a cell object never has two owners.
#include "grid/core/ExtGrid.h"
#include "grid/ops/FloatingFooter.h"

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

// A shown floating footer is taken down while rows are removed (so that the count change does not
// carry the footer row along a second time) and put back afterwards, also after an exception.
class TFooterDown
{
  public:
    explicit TFooterDown(TFloatingFooter* Footer) : FFooter(Footer && Footer->Visible() ? Footer : nullptr)
    {
        if (FFooter)
            FFooter->SetVisible(false);
    }
    ~TFooterDown()
    {
        if (FFooter)
            FFooter->SetVisible(true);
    }
    TFooterDown(const TFooterDown&) = delete;
    TFooterDown& operator=(const TFooterDown&) = delete;

  private:
    TFloatingFooter* FFooter;
};

template <class T> void EraseRange(std::vector<T>& List, int From, int Count)
{
    if (From >= int(List.size()))
        return;
    const auto first = List.begin() + From;
    List.erase(first, first + std::min(Count, int(List.size()) - From));
}

template <class T> void InsertRange(std::vector<T>& List, int At, int Count)
{
    if (At < int(List.size()))
        List.insert(List.begin() + At, size_t(Count), T());
}

} // namespace

void TExtStringGrid::HideSelectionOnEmpty()
{
    HideSelection();
    // Hidden without the mark: the next insertion puts it back.
    FSelHidden = false;
}

void TExtStringGrid::RowListsRemoved(int RowIndex, int RCount, bool Flags, bool Selection)
{
    if (Flags && FShowModified->Enabled)
        EraseRange(FModifiedRows, RowIndex, RCount);
    if (Flags && FUseEnabledRows)
        EraseRange(FEnabledRows, RowIndex, RCount);
    if (Selection && FMouseActions->DisjunctRowSelect() && !FMouseActions->RowSelectPersistent) {
        EraseRange(FRowSelect, RowIndex, RCount);
        std::vector<int> kept;
        for (const int r : FSelectedRows) {
            if (r < RowIndex)
                kept.push_back(r);
            else if (r >= RowIndex + RCount)
                kept.push_back(r - RCount);
        }
        FSelectedRows = std::move(kept);
    }
}

void TExtStringGrid::RowListsInserted(int RowIndex, int RCount)
{
    if (FShowModified->Enabled)
        InsertRange(FModifiedRows, RowIndex, RCount);
    if (FUseEnabledRows)
        InsertRange(FEnabledRows, RowIndex, RCount);
    // The selected rows stay selected, where they went.
    if (FMouseActions->DisjunctRowSelect() && !FMouseActions->RowSelectPersistent) {
        InsertRange(FRowSelect, RowIndex, RCount);
        for (int& r : FSelectedRows)
            if (r >= RowIndex)
                r += RCount;
    }
}

int TExtStringGrid::CountNodeRows(int From, int To)
{
    int n = 0;
    for (int r = std::max(From, 0); r <= To && r < RowCount(); ++r)
        if (IsNode(r))
            ++n;
    return n;
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
    // A hidden selection comes back once the new rows are there.
    const bool restore = FSelHidden || Row() >= RowCount() || Col() >= ColCount();
    const int n = RowCount();
    // A shown footer row stays the last row: the count change carries it down, the rows above it
    // make room. Rows added after it would take its place, so they go before it.
    const bool footer = FFloatingFooter && FFloatingFooter->Visible() && n > 0;
    const int end = footer ? n + RCount - 1 : n + RCount;
    RowIndex = std::min(RowIndex, end - RCount);
    // The stored rows just beyond the count become the new rows: whatever they still hold goes.
    FreeStoreRows(n, n + RCount - 1);
    SetRowCount(n + RCount);
    CellStore().RotateRows(RowIndex, end - RCount, end);
    RowAxis().RotateSizes(RowIndex, end - RCount, end);
    for (int r = RowIndex; r < RowIndex + RCount; ++r)
        RowAxis().SetSize(r, DefaultRowHeight());
    RowSizesChanged();
    if (restore)
        UnHideSelection();
    RowListsInserted(RowIndex, RCount);
    if (UpdateCellControls && FNumCellControls > 0) {
        ShiftCellControlRows(DisplToRealRow(RowIndex), RCount);
        CellControlsUpdate(false);
    }
    if (!(ComponentState() & csDestroying))
        DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExtStringGrid::AddRow()
{
    if (FFloatingFooter && FFloatingFooter->Visible()) {
        InsertRows(RowCount() - 1, 1);
        if (FFloatingFooter->FooterStyle() == fsFixedLastRow)
            ClearRows(RowCount() - 2, 1);
        return;
    }
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
    FNumNodes = std::max(FNumNodes - CountNodeRows(RowIndex, RowIndex + RCount - 1), 0);
    FreeStoreRows(RowIndex, RowIndex + RCount - 1);

    const int fixedRows = FixedRows();
    {
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        const int top = TopRow();
        const int row = Row();
        const int footers = FixedFooters;
        const TFooterDown footerDown(FFloatingFooter.get());
        if (NumHiddenRows() > 0 && !FKeepHiddenIdx)
            FHiddenIndex.Shift(realFrom, -RCount);
        RowListsRemoved(RowIndex, RCount, true, true);
        const int n = RowCount();
        RemoveStoreRows(RowIndex, RCount, n);
        // The removed rows are emptied, and the stale row after them.
        FreeStoreRows(n - RCount, n);
        SetRowCount(n - RCount);
        FMaxRowCount = std::max(FMaxRowCount - RCount, RowCount());
        RowSizesChanged();
        if (row < RowCount() - footers) {
            if (!FMouseActions->DisjunctRowSelect())
                SetRow(row);
            SetTopRow(top);
        } else if (RowCount() - footers - 1 >= fixedRows) {
            SetRow(RowCount() - footers - 1);
        } else {
            HideSelectionOnEmpty();
        }
    }
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    const int lastTop = RowCount() + FixedRows() - VisibleRowCount() - 2;
    if (TopRow() >= lastTop && RowCount() - VisibleRowCount() - 1 > 0)
        SetTopRow(lastTop);
    if (FNumCellControls > 0)
        CellControlsUpdate(false);
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
    FNumNodes = std::max(FNumNodes - CountNodeRows(RowIndex, RowIndex + RCount - 1), 0);
    {
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        const int top = TopRow();
        const int row = Row();
        RowListsRemoved(RowIndex, RCount, false, true);
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
    const int last = std::min(ARow + Count, RowCount()) - 1;
    FNumNodes = std::max(FNumNodes - CountNodeRows(ARow, last), 0);
    FreeStoreRows(ARow, last);
    DoRemoveRows(ARow, Count, true);
}

void TExtStringGrid::DoRemoveRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
    if (RCount <= 0)
        return;
    // A removal proper (not the hiding of rows): what is attached to the rows goes with them.
    if (UpdateCellControls) {
        DropCellControlsOfRows(RowIndex, RCount);
        ShiftCellControlRows(DisplToRealRow(RowIndex + RCount), -RCount);
        RowListsRemoved(RowIndex, RCount, true, true);
    }
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
            HideSelectionOnEmpty();
        }
    }
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    if (TopRow() >= RowCount() - 1)
        SetTopRow(RowCount() - 1);
    if (Row() >= RowCount() && RowCount() > fixedRows) {
        // The current row went with the removal: the first data cell is remembered for the next
        // insertion and the selection stays hidden.
        TCustomGrid::FocusCell(FixedCols(), fixedRows, true);
        if (rowSelect)
            SetOptions(Options() | goRowSelect);
        HideSelectionOnEmpty();
    } else if (rowSelect) {
        SetOptions(Options() | goRowSelect);
    }
    if (FNumCellControls > 0)
        CellControlsUpdate(false);
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
