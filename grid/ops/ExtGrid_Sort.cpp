// Sorting of the data rows: the wrappers, the quick sorts, the row exchange and the unsort.
//
// Rows move only through SortSwapRows, whose whole-row exchange swaps the two rows of the cell store
// (texts and objects of every real column, hidden ones included). The pivot of a partition is copied
// into the scratch row RowCount - 2 so that it keeps its value while rows move; the scratch rows are
// emptied with their objects detached, since those objects belong to the rows they were copied from.
#include "grid/core/ExtGrid.h"

#include "platform/core/SysUtils.h"

#include <algorithm>
#include <vector>

void TExtStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (int i = 0; i < RowCount(); ++i)
        FSortRowXRef->Add(i);
}

// ---- The wrappers' scope ------------------------------------------------------------------------------

// Prepares the grid for a sort and restores it when the scope ends, also when an exception passes:
// column 0 (NormalCellsOnly), TopRow (KeepScrollOnSort), the floating footer and FixedFooters, the
// scratch rows and the row count, the update lock.
struct TExtStringGrid::TSortScope {
    enum TKind { skWrapper, skRange, skUnsort };

    TSortScope(TExtStringGrid* AGrid, TKind AKind) : G(AGrid), Kind(AKind)
    {
        TSortSettings* s = G->FSortSettings.get();
        if (s->NormalCellsOnly && G->FixedCols() > 0) {
            SaveCol0 = true;
            Col0.reserve(size_t(G->RowCount()));
            for (int r = 0; r < G->RowCount(); ++r)
                Col0.push_back(G->GetGridCell(0, r));
        }
        Top = G->TopRow();
        G->BeginUpdate();
        ++G->FSorting;
        OldCols = G->FSortColLimit;
        // Whole rows move with their hidden cells; ties run through them too.
        G->FSortColLimit = G->TotalColCount();
        if (Kind == skUnsort)
            return;
        if (Kind == skWrapper) {
            FooterSaved = true;
            FooterVisible = G->FFloatingFooter->Visible();
            Footers = G->FixedFooters;
            if (FooterVisible)
                G->FFloatingFooter->SetVisible(false);
        }
        OldRowCount = G->RowCount();
        const bool stale = G->FMaxRowCount - G->NumHiddenRows() > OldRowCount;
        G->SetRowCount(OldRowCount + 3);
        Scratch = true;
        if (stale)
            ClearScratch();
        // The display hooks stay off the scratch rows.
        G->FNormalRowCount = OldRowCount;
    }

    ~TSortScope()
    {
        if (Scratch) {
            ClearScratch();
            G->SetRowCount(OldRowCount);
        }
        G->FSortColLimit = OldCols;
        --G->FSorting;
        if (G->FSortHeightsMoved && G->FSorting == 0) {
            G->FSortHeightsMoved = false;
            G->RowSizesChanged();
        }
        if (SaveCol0)
            for (int r = 0; r < int(Col0.size()) && r < G->RowCount(); ++r)
                G->SetGridCell(0, r, Col0[size_t(r)]);
        if (Kind == skWrapper && G->FNavigation->KeepScrollOnSort)
            G->SetTopRow(Top);
        if (FooterSaved) {
            if (FooterVisible)
                G->FFloatingFooter->SetVisible(true);
            G->FixedFooters = Footers;
        }
        G->EndUpdate();
        if (FooterSaved && FooterVisible)
            G->FFloatingFooter->Invalidate();
    }

    // The scratch rows emptied; their objects are detached, not freed.
    void ClearScratch()
    {
        for (int r = OldRowCount; r < OldRowCount + 3; ++r)
            G->CellStore().TakeRow(r);
    }

    TSortScope(const TSortScope&) = delete;
    TSortScope& operator=(const TSortScope&) = delete;

    TExtStringGrid* G;
    TKind Kind;
    bool SaveCol0 = false;
    std::vector<QString> Col0;
    int Top = 0;
    int OldCols = 0;
    bool FooterSaved = false;
    bool FooterVisible = false;
    int Footers = 0;
    bool Scratch = false;
    int OldRowCount = 0;
};

// ---- Wrappers ------------------------------------------------------------------------------------------

void TExtStringGrid::Sort(int Column, TSortDirection Direction)
{
    FSortSettings->Column = Column;
    FSortSettings->Direction = Direction;
    QSort();
}

void TExtStringGrid::SortByColumn(int Col)
{
    if (RowCount() <= 1)
        return;
    FSortSettings->Column = Col;
    QSort();
}

void TExtStringGrid::QSort()
{
    TSortSettings* s = FSortSettings.get();
    if (s->Column < 0)
        return;
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    FSortIndexes->Clear();
    const bool moveRow = FNavigation->MoveRowOnSort;
    int oldRow = Row();
    {
        TSortScope scope(this, TSortScope::skWrapper);
        SortRow = Row();
        oldRow = Row();
        if (moveRow)
            SetRow(RowCount() - 4);
        QuickSortRows(s->Column, FixedRows(), RowCount() - 4 - scope.Footers);
        scope.ClearScratch();
        if (!FMouseActions->DisjunctRowSelect()) {
            if (moveRow) {
                FOldRowSel = -1;
                SetRow(SortRow);
            } else {
                SetRow(oldRow);
            }
        }
    }
    if (OnRowUpdate && !moveRow)
        OnRowUpdate(this, oldRow, Row());
}

void TExtStringGrid::QSortIndexed()
{
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    if (FSortIndexes->Count() == 0)
        throw EExtGridError(QStringLiteral("No indexes specified for indexed sort"));
    const bool moveRow = FNavigation->MoveRowOnSort;
    TSortScope scope(this, TSortScope::skWrapper);
    SortRow = Row();
    const int oldRow = Row();
    if (moveRow)
        SetRow(RowCount() - 3);
    QuickSortRowsIndexed(FixedRows(), RowCount() - 4 - scope.Footers);
    scope.ClearScratch();
    SetRow(moveRow ? SortRow : oldRow);
}

void TExtStringGrid::QSortGroup()
{
    QSortGroupRows(false);
}

void TExtStringGrid::QSortGroupIndexed()
{
    QSortGroupRows(true);
}

void TExtStringGrid::QSortGroupRows(bool Indexed)
{
    if (Indexed ? FSortIndexes->Count() == 0 : FSortSettings->Column < 0) {
        if (Indexed)
            throw EExtGridError(QStringLiteral("No indexes specified for indexed sort"));
        return;
    }
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    const bool moveRow = FNavigation->MoveRowOnSort;
    // The footer is hidden as in the other wrappers: growing the rows would carry its row into the
    // scratch rows, which are emptied afterwards.
    TSortScope scope(this, TSortScope::skWrapper);
    SortRow = Row();
    const int oldRow = Row();
    if (moveRow)
        SetRow(RowCount() - 3);
    const int first = FixedRows();
    const int last = RowCount() - 4 - scope.Footers;
    int level = -1;
    for (int r = first; r <= last; ++r)
        if (IsNode(r))
            level = std::max(level, GetNodeLevel(r));
    for (int r = first; r <= last; ++r) {
        if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != level)
            continue;
        const int span = GetNodeSpan(r);
        if (span <= 2)
            continue;
        if (Indexed)
            QuickSortRowsIndexed(r + 1, r + span - 1);
        else
            QuickSortRows(FSortSettings->Column, r + 1, r + span - 1);
    }
    scope.ClearScratch();
    SetRow(moveRow ? SortRow : oldRow);
}

void TExtStringGrid::QuickSort(int Col, int Left, int Right)
{
    TSortScope scope(this, TSortScope::skRange);
    QuickSortRows(Col, Left, Right);
}

void TExtStringGrid::QuickSortIndexed(int Left, int Right)
{
    TSortScope scope(this, TSortScope::skRange);
    QuickSortRowsIndexed(Left, Right);
}

bool TExtStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    const bool descending = FSortSettings->Direction == sdDescending;
    SortDir = descending ? -1 : 1;
    for (;;) {
        const int res = CompareCells(Col, ARow1, ARow2, descending);
        if (res == SortDir) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (res != 0 || Col >= TotalColCount() - 1)
            return false;
        ++Col;
    }
}

// ---- Unsort --------------------------------------------------------------------------------------------

void TExtStringGrid::QUnSort()
{
    // Checked first: a list that misses rows would stop the partition half-way, rows scrambled.
    if (FSortRowXRef->Count() != RowCount())
        RaiseListIndexError(FSortRowXRef->Count());
    FUnSortRowXRef->Clear();
    for (int i = 0; i < FSortRowXRef->Count(); ++i)
        FUnSortRowXRef->Add(FSortRowXRef->Items(i));
    TSortScope scope(this, TSortScope::skUnsort);
    UnSortRows(0, RowCount() - 1);
}

void TExtStringGrid::UnSortRows(int Left, int Right)
{
    // Smaller part first, the larger one in the loop: the same swaps with a bounded stack.
    while (Left < Right) {
        const int pivot = FUnSortRowXRef->Items((Left + Right) / 2);
        int i = Left;
        int j = Right;
        do {
            while (FUnSortRowXRef->Items(i) < pivot && i < Right)
                ++i;
            while (pivot < FUnSortRowXRef->Items(j) && j > Left)
                --j;
            if (i <= j) {
                const int vi = FUnSortRowXRef->Items(i);
                const int vj = FUnSortRowXRef->Items(j);
                if (i != j && vi != vj) {
                    SortSwapRows(i, j);
                    FUnSortRowXRef->Exchange(i, j);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - Left < Right - i) {
            if (Left < j)
                UnSortRows(Left, j);
            Left = i;
        } else {
            if (i < Right)
                UnSortRows(i, Right);
            Right = j;
        }
    }
}

// ---- Quick sort ----------------------------------------------------------------------------------------

void TExtStringGrid::CopySortPivot(int ARow)
{
    const int pivot = RowCount() - 2;
    if (!OnGetDisplText) {
        CellStore().CopyRow(ARow, pivot);
        return;
    }
    // Displayed texts: the pivot compares as its row does while the hooks stay off the scratch rows.
    const bool shown = FSortSettings->SortOnVirtualCells;
    for (int c = 0; c < FSortColLimit; ++c) {
        SetGridObject(c, pivot, nullptr);
        if (shown)
            SetCellEx(c, pivot, GetCellEx(c, ARow));
        else
            SetGridCell(c, pivot, GetGridCell(c, ARow));
        SetGridObject(c, pivot, GetGridObject(c, ARow));
    }
}

template <class F> void TExtStringGrid::QuickSortRange(int Left, int Right, int Target, F&& Compare)
{
    const int pivot = RowCount() - 2;
    while (Left < Right) {
        CopySortPivot((Left + Right) / 2);
        int i = Left;
        int j = Right;
        do {
            while (Compare(pivot, i) == Target && i < Right)
                ++i;
            while (Compare(j, pivot) == Target && j > Left)
                --j;
            if (i <= j) {
                // Equal rows never swap.
                if (i != j && Compare(i, j) != 0)
                    SortSwapRows(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        // Smaller part first, the larger one in the loop: the same swaps with a bounded stack.
        if (j - Left < Right - i) {
            if (Left < j)
                QuickSortRange(Left, j, Target, Compare);
            Left = i;
        } else {
            if (i < Right)
                QuickSortRange(i, Right, Target, Compare);
            Right = j;
        }
    }
}

void TExtStringGrid::QuickSortRows(int ACol, int Left, int Right)
{
    SortDir = FSortSettings->Direction == sdDescending ? -1 : 1;
    QuickSortRange(Left, Right, SortDir, [this, ACol](int r1, int r2) { return CompareRows(ACol, r1, r2); });
}

void TExtStringGrid::QuickSortRowsIndexed(int Left, int Right)
{
    QuickSortRange(Left, Right, 1, [this](int r1, int r2) { return CompareRowsIndexed(0, r1, r2); });
}

// ---- Row comparison ------------------------------------------------------------------------------------

int TExtStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    const bool descending = FSortSettings->Direction == sdDescending;
    const int limit = FSorting > 0 ? FSortColLimit : TotalColCount();
    for (;;) {
        const int res = IsIgnoredColumn(ACol) ? 0 : CompareCells(ACol, ARow1, ARow2, descending);
        if (res != 0 || !FSortSettings->Full || ACol > limit - 2)
            return res;
        ++ACol;
    }
}

int TExtStringGrid::CompareRowsIndexed(int Index, int ARow1, int ARow2)
{
    const int count = FSortIndexes->Count();
    for (;;) {
        const uint32_t entry = uint32_t(FSortIndexes->Items(Index));
        const int col = int(entry & ~TSortIndexList::DescendingBit);
        const bool descending = (entry & TSortIndexList::DescendingBit) != 0;
        const int res = IsIgnoredColumn(col) ? 0 : CompareCells(col, ARow1, ARow2, descending);
        if (res == 0 && FSortSettings->Full && Index < count - 1) {
            ++Index;
            continue;
        }
        return descending ? -res : res;
    }
}

// ---- Row exchange --------------------------------------------------------------------------------------

void TExtStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    ++Swaps;
    const int xrefCount = FSortRowXRef->Count();
    if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < xrefCount && ARow2 < xrefCount)
        FSortRowXRef->Exchange(ARow1, ARow2);

    if (FSortSettings->SingleColumn) {
        const int c = FSortSettings->Column;
        if (c < 0)
            return;
        TObject* o1 = GetGridObject(c, ARow1);
        TObject* o2 = GetGridObject(c, ARow2);
        const QString t1 = GetCellEx(c, ARow1);
        const QString t2 = GetCellEx(c, ARow2);
        SetGridObject(c, ARow1, nullptr);
        SetGridObject(c, ARow2, nullptr);
        SetCellEx(c, ARow1, t2);
        SetCellEx(c, ARow2, t1);
        SetGridObject(c, ARow1, o2);
        SetGridObject(c, ARow2, o1);
        return;
    }

    CellStore().SwapRows(ARow1, ARow2);
    if (FSorting == 0)
        InvalidateGrid();
    if (ARow1 < RowCount() && ARow2 < RowCount()) {
        const int h1 = RowHeights(ARow1);
        const int h2 = RowHeights(ARow2);
        if (h1 != h2) {
            if (FSorting > 0) {
                RowAxis().SetSize(ARow1, h2);
                RowAxis().SetSize(ARow2, h1);
                FSortHeightsMoved = true;
            } else {
                SetRowHeights(ARow1, h2);
                SetRowHeights(ARow2, h1);
            }
        }
    }
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort) {
        const int r1 = NumHiddenRows() > 0 ? RealRowIndex(ARow1) : ARow1;
        const int r2 = NumHiddenRows() > 0 ? RealRowIndex(ARow2) : ARow2;
        const size_t need = size_t(std::max(r1, r2)) + 1;
        if (FRowSelect.size() < need)
            FRowSelect.resize(need, 0);
        std::swap(FRowSelect[size_t(r1)], FRowSelect[size_t(r2)]);
    }
    if (FShowModified->Enabled) {
        const size_t need = size_t(std::max(ARow1, ARow2)) + 1;
        if (FModifiedRows.size() < need)
            FModifiedRows.resize(need, 0);
        std::swap(FModifiedRows[size_t(ARow1)], FModifiedRows[size_t(ARow2)]);
    }
    if (ARow1 == SortRow)
        SortRow = ARow2;
    else if (ARow2 == SortRow)
        SortRow = ARow1;
}
