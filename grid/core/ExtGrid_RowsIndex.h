// THiddenRowIndex: the string grid's index of its hidden-row entries (TGridItem in FGridItems), kept
// beside the collection so that the row conversions cost O(log h) for h hidden rows instead of a walk
// over every entry. It answers exactly what the walks over the collection answer:
//   - CountBelow(R): entries whose Idx is below R (entries of different filter levels with the same
//     Idx counted each) - the real-to-display conversion;
//   - DisplToReal(D): the real index of the (D + 1)-th real row that has no entry;
//   - Find(R): the first entry in collection order whose Idx is R.
// The grid's row operations tell it about every entry they add or free and every Idx they change; an
// Idx written from anywhere else must be followed by Rebuild.
#pragma once

#include <utility>
#include <vector>

class TGridItem;
class TCollection;

class THiddenRowIndex
{
  public:
    void Clear();
    // From every entry of the collection (any order, duplicates allowed).
    void Rebuild(const TCollection& Items);
    // An entry with its Idx set (its place in the collection does not matter here).
    void Add(TGridItem* Item);
    void Remove(TGridItem* Item);
    // Every entry whose Idx is above Above gets Delta added (entry and index alike).
    void Shift(int Above, int Delta);

    int Count() const { return int(FByIdx.size()); }
    int CountBelow(int R) const;
    bool Contains(int R) const;
    TGridItem* Find(int R) const;
    int DisplToReal(int D) const;
    // Distinct hidden real rows in ascending order.
    const std::vector<int>& Rows() const { return FRows; }

  private:
    void Sort();
    void RebuildRows();

    std::vector<std::pair<int, TGridItem*>> FByIdx; // sorted by Idx
    std::vector<int> FRows;                         // distinct Idx values, ascending
};
