// THiddenRowIndex: sorted index of the hidden-row entries.
#include "grid/core/ExtGrid.h"

#include <algorithm>
#include <iterator>

namespace
{

bool IdxLess(const std::pair<int, TGridItem*>& a, int R)
{
    return a.first < R;
}

} // namespace

void THiddenRowIndex::Clear()
{
    FByIdx.clear();
    FRows.clear();
}

void THiddenRowIndex::Rebuild(const TCollection& Items)
{
    FByIdx.clear();
    FByIdx.reserve(size_t(Items.Count()));
    for (int i = 0; i < Items.Count(); ++i) {
        auto* item = static_cast<TGridItem*>(Items.Items(i));
        FByIdx.emplace_back(item->Idx, item);
    }
    Sort();
}

void THiddenRowIndex::Sort()
{
    std::stable_sort(FByIdx.begin(), FByIdx.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    RebuildRows();
}

void THiddenRowIndex::RebuildRows()
{
    FRows.clear();
    for (const auto& [idx, item] : FByIdx)
        if (FRows.empty() || FRows.back() != idx)
            FRows.push_back(idx);
}

void THiddenRowIndex::Add(TGridItem* Item)
{
    const int idx = Item->Idx;
    const auto at =
        std::upper_bound(FByIdx.begin(), FByIdx.end(), idx, [](int R, const auto& e) { return R < e.first; });
    FByIdx.insert(at, {idx, Item});
    const auto row = std::lower_bound(FRows.begin(), FRows.end(), idx);
    if (row == FRows.end() || *row != idx)
        FRows.insert(row, idx);
}

void THiddenRowIndex::Remove(TGridItem* Item)
{
    const int idx = Item->Idx;
    auto it = std::lower_bound(FByIdx.begin(), FByIdx.end(), idx, IdxLess);
    while (it != FByIdx.end() && it->first == idx && it->second != Item)
        ++it;
    if (it == FByIdx.end() || it->second != Item)
        return;
    it = FByIdx.erase(it);
    const bool shared =
        (it != FByIdx.end() && it->first == idx) || (it != FByIdx.begin() && std::prev(it)->first == idx);
    if (!shared)
        FRows.erase(std::lower_bound(FRows.begin(), FRows.end(), idx));
}

void THiddenRowIndex::Shift(int Above, int Delta)
{
    if (Delta == 0)
        return;
    auto first = std::upper_bound(FByIdx.begin(), FByIdx.end(), Above,
                                  [](int R, const auto& e) { return R < e.first; });
    if (first == FByIdx.end())
        return;
    for (auto it = first; it != FByIdx.end(); ++it) {
        it->first += Delta;
        it->second->Idx = it->first;
    }
    // Moving down past rows that are hidden themselves can break the order (and meet other entries).
    if (Delta < 0 && first != FByIdx.begin() && (first - 1)->first > first->first)
        Sort();
    else
        RebuildRows();
}

int THiddenRowIndex::CountBelow(int R) const
{
    return int(std::lower_bound(FByIdx.begin(), FByIdx.end(), R, IdxLess) - FByIdx.begin());
}

bool THiddenRowIndex::Contains(int R) const
{
    return std::binary_search(FRows.begin(), FRows.end(), R);
}

TGridItem* THiddenRowIndex::Find(int R) const
{
    auto it = std::lower_bound(FByIdx.begin(), FByIdx.end(), R, IdxLess);
    if (it == FByIdx.end() || it->first != R)
        return nullptr;
    TGridItem* first = it->second;
    // Entries of different filter levels may share an Idx: the one first in the collection counts.
    for (++it; it != FByIdx.end() && it->first == R; ++it)
        if (it->second->Index() < first->Index())
            first = it->second;
    return first;
}

int THiddenRowIndex::DisplToReal(int D) const
{
    // FRows[k] - k shown rows lie before the k-th hidden row; the answer is D plus the hidden rows
    // before the first hidden row that has more than D shown rows before it.
    int lo = 0;
    int hi = int(FRows.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (FRows[size_t(mid)] - mid > D)
            hi = mid;
        else
            lo = mid + 1;
    }
    return D + lo;
}
