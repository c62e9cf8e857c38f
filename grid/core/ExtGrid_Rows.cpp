// TExtStringGrid: hidden rows - the row conversions and hiding and showing rows.
//
// A hidden row's cells leave the store for its entry in FGridItems (texts with their objects, the
// height, the index) and the display rows close up; showing it puts them back. Rows move as blocks
// (platform/GridModel.h), heights too, with one height notification per operation.
#include "grid/core/ExtGrid.h"
#include "grid/ops/FloatingFooter.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

// ---- Conversions ---------------------------------------------------------------------------------------

TGridItem* TExtStringGrid::HiddenRowItem(int R) const
{
    return FHiddenIndex.Find(R);
}

bool TExtStringGrid::IsHiddenRow(int Rowindex) const
{
    return FHiddenIndex.Contains(Rowindex);
}

bool TExtStringGrid::IsHiddenRow(int Rowindex, std::unique_ptr<TIntList>& ListHidden) const
{
    if (!ListHidden) {
        ListHidden = std::make_unique<TIntList>(0, 0);
        for (const int r : FHiddenIndex.Rows())
            ListHidden->Insert(ListHidden->Count(), r);
    }
    int lo = 0;
    int hi = ListHidden->Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (ListHidden->Items(mid) < Rowindex)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < ListHidden->Count() && ListHidden->Items(lo) == Rowindex;
}

int TExtStringGrid::DisplToRealRow(int D) const
{
    if (FHiddenIndex.Count() == 0 || D < 0)
        return D;
    return FHiddenIndex.DisplToReal(D);
}

int TExtStringGrid::RealToDisplRow(int R) const
{
    return R - FHiddenIndex.CountBelow(R);
}

// ---- Entries -------------------------------------------------------------------------------------------

TStringList* TExtStringGrid::TakeRowIntoList(int DisplRow)
{
    TGridCellStore::TRowCells cells = CellStore().TakeRow(DisplRow);
    auto* list = new TStringList();
    const int lines = std::max(TotalColCount(), int(cells.size()));
    for (int c = 0; c < lines; ++c) {
        if (c < int(cells.size()))
            list->AddObject(cells[size_t(c)].Text, cells[size_t(c)].Object);
        else
            list->Add(QString());
    }
    return list;
}

void TExtStringGrid::PutListIntoRow(int DisplRow, TStringList* Items)
{
    TGridCellStore::TRowCells cells(size_t(Items->Count()));
    for (int c = 0; c < Items->Count(); ++c) {
        cells[size_t(c)].Text = Items->Strings(c);
        cells[size_t(c)].Object = Items->Objects(c);
        Items->SetObjects(c, nullptr); // the store owns them now
    }
    CellStore().PutRow(DisplRow, std::move(cells));
}

TGridItem* TExtStringGrid::NewHiddenRow(int Index, int Idx, int Height, int Level, TStringList* Items)
{
    TGridItem* item =
        Index < 0 || Index >= FGridItems->Count() ? FGridItems->Add() : FGridItems->Insert(Index);
    item->Idx = Idx;
    item->Height = Height;
    item->Level = Level;
    item->SetItems(Items);
    FHiddenIndex.Add(item);
    return item;
}

void TExtStringGrid::FreeHiddenRow(TGridItem* Item)
{
    FHiddenIndex.Remove(Item);
    delete Item;
}

void TExtStringGrid::FreeHiddenRowObjects()
{
    std::unordered_set<TCellProperties*> owned;
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStringList* lines = FGridItems->Items(i)->Items();
        for (int c = 0; c < lines->Count(); ++c) {
            if (auto* props = dynamic_cast<TCellProperties*>(lines->Objects(c)))
                owned.insert(props);
            lines->SetObjects(c, nullptr);
        }
    }
    for (TCellProperties* props : owned)
        FreePropsAndGraphic(props);
}

void TExtStringGrid::ShowCellControlsOfRow(int RealRow, bool Show)
{
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        if (item->Y == RealRow && item->Control)
            item->Control->SetVisible(Show);
    }
}

void TExtStringGrid::ShiftCellControlRows(int FromRow, int Delta)
{
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        if (item->Y >= FromRow)
            item->Y += Delta;
    }
}

void TExtStringGrid::RemoveStoreRows(int From, int Count, int End)
{
    CellStore().RotateRows(From, From + Count, End);
    CellStore().ReverseRows(End - Count, End);
    RowAxis().RotateSizes(From, From + Count, End);
    RowAxis().ReverseSizes(End - Count, End);
}

void TExtStringGrid::FreeStoreRows(int From, int To)
{
    for (int r = From; r <= To; ++r) {
        const int length = CellStore().RowLength(r);
        if (length > 0) {
            FreeCellPropsRect(0, r, length - 1, r);
            CellStore().TakeRow(r);
        }
    }
}

void TExtStringGrid::RestoreHiddenRows(std::vector<TGridItem*> Items, bool AtIdx)
{
    if (Items.empty())
        return;
    std::stable_sort(Items.begin(), Items.end(),
                     [](const TGridItem* a, const TGridItem* b) { return a->Idx < b->Idx; });
    // Membership by binary search over the addresses: cheaper than hashing tens of thousands of entries.
    std::vector<TGridItem*> byAddress(Items);
    std::sort(byAddress.begin(), byAddress.end(), std::less<TGridItem*>());
    const auto isRestored = [&byAddress](TGridItem* Item) {
        return std::binary_search(byAddress.begin(), byAddress.end(), Item, std::less<TGridItem*>());
    };
    if (Items.size() < 64) {
        for (TGridItem* item : Items)
            FHiddenIndex.Remove(item);
    } else {
        FHiddenIndex.Clear();
        for (int i = 0; i < FGridItems->Count(); ++i)
            if (!isRestored(FGridItems->Items(i)))
                FHiddenIndex.Add(FGridItems->Items(i));
    }

    // Each row's display place: a real row among the rows that stay hidden, or the display position
    // itself. Kept strictly ascending and within the new count, so that entries that disagree
    // (duplicates of two filter levels) still get a row each and nothing is lost.
    const int k = int(Items.size());
    const int oldCount = RowCount();
    const int newCount = oldCount + k;
    // A shown footer row is carried to the new last row by the count change: the rows come back
    // above it.
    const bool footer = FFloatingFooter && FFloatingFooter->Visible() && oldCount > 0;
    const int end = footer ? newCount - 1 : newCount;
    std::vector<int> places(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i) {
        const int idx = Items[size_t(i)]->Idx;
        int place = std::max(AtIdx ? idx : idx - FHiddenIndex.CountBelow(idx), 0);
        if (i > 0)
            place = std::max(place, places[size_t(i) - 1] + 1);
        places[size_t(i)] = std::min(place, end - (k - i));
    }

    // Rows stored beyond the count are stale; their cell objects must not come back to life.
    FreeStoreRows(oldCount, newCount - 1);
    SetRowCount(newCount);
    CellStore().SpreadRows(places, end);
    RowAxis().SpreadSizes(places, end);
    std::vector<int> realRows;
    for (int i = 0; i < k; ++i) {
        TGridItem* item = Items[size_t(i)];
        PutListIntoRow(places[size_t(i)], item->Items());
        RowAxis().SetSize(places[size_t(i)], item->Height);
        realRows.push_back(AtIdx ? -1 : item->Idx);
    }
    RowSizesChanged();

    // Freed from the newest entry back: the collection finds those at its end at once.
    for (int i = FGridItems->Count() - 1; i >= 0; --i) {
        TGridItem* item = FGridItems->Items(i);
        if (isRestored(item))
            delete item;
    }
    for (int i = 0; i < k; ++i)
        ShowCellControlsOfRow(AtIdx ? DisplToRealRow(places[size_t(i)]) : realRows[size_t(i)], true);
    DoCellsChanged(TRect(0, places.front(), ColCount() - 1, places.back()));
}

// ---- Hiding --------------------------------------------------------------------------------------------

void TExtStringGrid::HideRows(int FromRow, int ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, AllRowCount() - 1);
    std::vector<int> rows;
    for (int r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r))
            rows.push_back(r);
    // The grid keeps one display row.
    if (int(rows.size()) >= RowCount())
        rows.resize(size_t(RowCount() - 1));
    if (rows.empty())
        return;
    const int d = RealToDisplRow(FromRow);
    for (size_t k = 0; k < rows.size(); ++k) {
        const int r = rows[k];
        const int displ = d + int(k);
        // At its sorted place, so that the collection stays ordered by Idx.
        NewHiddenRow(FHiddenIndex.CountBelow(r), r, RowHeights(displ), 0, TakeRowIntoList(displ));
        ShowCellControlsOfRow(r, false);
    }
    DoRemoveRows(d, int(rows.size()), false);
}

void TExtStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (FromRow < 0 || FromRow > ToRow || IsHiddenRow(FromRow))
        return;
    const int d = RealToDisplRow(FromRow);
    const int count = std::min({ToRow - FromRow + 1, RowCount() - d, RowCount() - 1});
    if (count <= 0)
        return;
    for (int k = 0; k < count; ++k) {
        NewHiddenRow(-1, FromRow + k, RowHeights(d + k), 0, TakeRowIntoList(d + k));
        ShowCellControlsOfRow(FromRow + k, false);
    }
    // The rows are hidden, not gone: the other hidden rows keep their real indexes.
    FKeepHiddenIdx = true;
    try {
        RemoveRowsEx(d, count);
    } catch (...) {
        FKeepHiddenIdx = false;
        throw;
    }
    FKeepHiddenIdx = false;
}

void TExtStringGrid::HideRowList(const TIntList* RowList)
{
    // Listed rows outside the grid or out of order are passed over, and so is a shown footer row:
    // the count change carries it to the new last row.
    const bool footer = FFloatingFooter && FFloatingFooter->Visible() && RowCount() > 0;
    const int end = footer ? RowCount() - 1 : RowCount();
    std::vector<int> rows;
    for (int i = 0; RowList && i < RowList->Count(); ++i) {
        const int r = RowList->Items(i);
        if (r >= 0 && r < end && (rows.empty() || r > rows.back()))
            rows.push_back(r);
    }
    if (int(rows.size()) >= RowCount())
        rows.resize(size_t(RowCount() - 1));
    const int level = FFilterLevel++;
    if (rows.empty())
        return;
    for (const int r : rows) {
        ShowCellControlsOfRow(DisplToRealRow(r), false);
        TGridItem* item = FGridItems->Add();
        item->Idx = r;
        item->Height = RowHeights(r);
        item->Level = level;
        item->SetItems(TakeRowIntoList(r));
    }
    FHiddenIndex.Rebuild(*FGridItems);
    const int n = RowCount();
    CellStore().GatherRows(rows, end);
    RowAxis().GatherSizes(rows, end);
    SetRowCount(n - int(rows.size()));
    RowSizesChanged();
}

// ---- Showing -------------------------------------------------------------------------------------------

void TExtStringGrid::UnHideRow(int Rowindex)
{
    if (TGridItem* item = HiddenRowItem(Rowindex))
        RestoreHiddenRows({item});
    ShowCellControlsOfRow(Rowindex, true);
}

void TExtStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    std::vector<TGridItem*> items;
    for (int r = FromRow; r <= ToRow; ++r) {
        // Straight to the next hidden row: a range may span many shown rows.
        const auto& rows = FHiddenIndex.Rows();
        const auto next = std::lower_bound(rows.begin(), rows.end(), r);
        if (next == rows.end() || *next > ToRow)
            break;
        r = *next;
        items.push_back(HiddenRowItem(r));
    }
    RestoreHiddenRows(std::move(items));
}

void TExtStringGrid::UnHideRowsAll()
{
    std::vector<TGridItem*> items;
    items.reserve(size_t(FGridItems->Count()));
    for (int i = 0; i < FGridItems->Count(); ++i)
        items.push_back(FGridItems->Items(i));
    RestoreHiddenRows(std::move(items));
}

void TExtStringGrid::UnHideRowList()
{
    const int level = FFilterLevel - 1;
    std::vector<TGridItem*> items;
    for (int i = 0; i < FGridItems->Count(); ++i)
        if (FGridItems->Items(i)->Level == level)
            items.push_back(FGridItems->Items(i));
    if (items.empty())
        return;
    if (Row() >= RowCount())
        TCustomGrid::FocusCell(FixedCols(), FixedRows(), true);
    // A level's Idx is a display position: every newer level is undone already, so the row goes
    // back exactly there, whatever older levels still hide. Only the level's entries go: an entry of
    // another level still holds its row's cells.
    RestoreHiddenRows(std::move(items), true);
}
