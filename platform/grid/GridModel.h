// The plain data behind the toolkit grid (platform/Grid.h), kept apart from the widget so that it can
// be reasoned about and tested on its own:
//   - TGridCoord / TGridRect: cell coordinates and cell rectangles (inclusive cell indexes);
//   - TGridAxis: one axis of the grid (columns or rows): count, fixed count, sizes with a default,
//     and the arithmetic of positions, visible counts and the scroll limit;
//   - TGridCellStore: the sparse text-and-object store of the string grid.
// Only TCustomGrid and TStringGrid use these directly.
#pragma once

#include <QString>
#include <algorithm>
#include <vector>

class TObject;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells; both corners included. Left > Right is possible for a rectangle written unsorted.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int c, int r) const { return c >= Left && c <= Right && r >= Top && r <= Bottom; }
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

inline TGridRect GridRect(TGridCoord a, TGridCoord b)
{
    return TGridRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// Block moves of per-row vectors (the cell store's rows, an axis's sizes), each one pass. Every
// entry is moved, none copied, so an entry that owns something still has one owner afterwards.
namespace gridblock
{

// The entries listed (ascending, all below End) go to the end of [0, End) in their order; the others
// close up in theirs.
template <class V> void Gather(V& v, const std::vector<int>& Listed, int End)
{
    if (Listed.empty())
        return;
    V moved;
    moved.reserve(Listed.size());
    size_t next = 0;
    int w = Listed.front();
    for (int i = Listed.front(); i < End; ++i) {
        if (next < Listed.size() && Listed[next] == i) {
            moved.push_back(std::move(v[size_t(i)]));
            ++next;
        } else {
            v[size_t(w++)] = std::move(v[size_t(i)]);
        }
    }
    for (auto& e : moved)
        v[size_t(w++)] = std::move(e);
}

// The reverse of Gather: the listed positions (ascending, final indexes below End) take the entries
// that stood at End - k .. End - 1 (k listed), in order; the others take 0 .. End - k - 1 in order.
template <class V> void Spread(V& v, const std::vector<int>& Listed, int End)
{
    if (Listed.empty())
        return;
    const int k = int(Listed.size());
    V moved;
    moved.reserve(size_t(k));
    for (int i = End - k; i < End; ++i)
        moved.push_back(std::move(v[size_t(i)]));
    int src = End - k - 1;
    int next = k - 1;
    for (int t = End - 1; t >= Listed.front(); --t) {
        if (next >= 0 && Listed[size_t(next)] == t)
            v[size_t(t)] = std::move(moved[size_t(next--)]);
        else
            v[size_t(t)] = std::move(v[size_t(src--)]);
    }
}

} // namespace gridblock

// One axis of the grid. Indexes below Fixed never scroll; the others are shown from First on, after
// the fixed part. Sizes are kept in a vector only once one of them differs from the default, so a
// grid of 100,000 default rows costs nothing per row. Positions are in client pixels; the loops
// below stop at the client edge, so they cost what is visible, not what exists.
class TGridAxis
{
  public:
    static constexpr int NotVisible = -1;

    int Count() const { return count_; }
    // New entries get the default size; removed ones are forgotten.
    void SetCount(int count);
    int DefaultSize() const { return default_; }
    // Every entry goes back to the default (also when the value is the same).
    void SetDefaultSize(int size);
    int Size(int i) const { return sizes_.empty() ? default_ : sizes_[size_t(i)]; }
    // Returns whether the size changed. i must be in range; negative sizes become 0.
    bool SetSize(int i, int size);
    // A move of one entry: its size goes to place `to`, the entries between shift by one. Returns
    // whether any size changed. Both indexes must be in range.
    bool MoveEntry(int from, int to)
    {
        if (from == to || sizes_.empty())
            return false;
        const auto f = sizes_.begin() + from, t = sizes_.begin() + to;
        if (from < to)
            std::rotate(f, f + 1, t + 1);
        else
            std::rotate(t, f, f + 1);
        return true;
    }
    // The sizes of entries from .. to - 1 move delta places, as setting them one by one would (the
    // entries they leave keep theirs); destinations outside the count are dropped. Returns whether
    // any size may have changed (never when all have the default size).
    bool MoveSizes(int from, int to, int delta);
    // The room an entry takes: its size and the grid line after it.
    int Pitch(int i) const { return Size(i) + Line; }

    // Block moves of the sizes within [0, Count) for row insertion, removal and hiding; the count
    // stays (SetCount changes it). Like std::rotate and std::reverse, and gridblock above.
    void RotateSizes(int First, int Middle, int Last);
    void ReverseSizes(int First, int Last);
    void GatherSizes(const std::vector<int>& Listed, int End);
    void SpreadSizes(const std::vector<int>& Listed, int End);

    // Block writes within [0, Count), without notifications (the caller sends one for the block):
    // entry i of from .. to - 1 takes fn(i, its size) (negative results become 0). Returns whether
    // any size changed; the vector is made only when one does.
    template <class F> bool SetSizes(int from, int to, F&& fn)
    {
        bool changed = false;
        for (int i = std::max(from, 0); i < std::min(to, count_); ++i) {
            const int old = Size(i);
            const int size = std::max(int(fn(i, old)), 0);
            if (size == old)
                continue;
            if (sizes_.empty())
                sizes_.assign(size_t(count_), default_);
            sizes_[size_t(i)] = size;
            changed = true;
        }
        return changed;
    }
    // Every entry of from .. to - 1 but Except multiplied by Factor, halves rounded to even.
    bool ScaleSizes(int from, int to, double Factor, int Except = -1);

    int Fixed = 1;
    int First = 1; // the first scrolled index shown (LeftCol / TopRow)
    int Line = 0;  // pixels of the grid line after every entry

    // Pixels taken by the fixed entries.
    int FixedExtent() const;
    // Pixels of the entries from .. to - 1 with their lines; entries at or beyond the count take none.
    int ExtentOf(int from, int to) const;
    // Client position of entry i, or NotVisible when no part of it lies within [0, extent).
    int Position(int i, int extent) const;
    // Entries from First that fit wholly after the fixed part (may be 0).
    int FullyVisibleCount(int extent) const;
    // Last entry with a visible part (fixed ones included); -1 when nothing shows.
    int LastVisible(int extent) const;
    // The largest First that the scroll bar and ClampInView use: the one at which the last entry is
    // wholly visible with as much as possible before it; at least Fixed, at most Count - 1.
    int MaxFirst(int extent) const;
    // The First that shows entry i wholly, moving as little as possible from the current First.
    int FirstShowing(int i, int extent) const;
    // Pixel span [p0, p1) of the visible entries among a..b, their lines included; false when none
    // of them shows.
    bool Span(int a, int b, int extent, int& p0, int& p1) const;
    // Entry at client position pos (fixed and scrolled part; a line belongs to the entry before it);
    // -1 before the first and after the last.
    int IndexAt(int pos) const;

  private:
    int count_ = 5;
    int default_ = 24;
    std::vector<int> sizes_; // empty: every entry has the default size
};

// The string grid's cells: a text and an object pointer per cell, sparse, indexed by store column and
// row, not bounded by the grid's counts (cells beyond them keep what was written). One vector per
// written row, so a cell costs its QString only. Objects are not owned here: the grid that puts
// objects in decides about their life.
//
// Index rules: a negative row fails with EListError "List index out of bounds (row)"; a negative
// column fails on every write and on a read from a row that holds cells (an empty row reads "" / nil).
class TGridCellStore
{
  public:
    struct TCell {
        QString Text;
        TObject* Object = nullptr;
    };
    using TRowCells = std::vector<TCell>;

    QString Text(int c, int r) const;
    TObject* Object(int c, int r) const;
    void SetText(int c, int r, const QString& text);
    void SetObject(int c, int r, TObject* object);

    // The row (column) at From goes to To; the ones between shift by one toward From.
    void MoveRow(int from, int to);
    void MoveCol(int from, int to);

    // One past the last row that ever held a cell.
    int RowExtent() const { return int(rows_.size()); }
    // Number of cells stored in the row (its written extent), 0 for an empty row.
    int RowLength(int r) const { return r >= 0 && r < RowExtent() ? int(rows_[size_t(r)].size()) : 0; }
    void Clear() { rows_.clear(); }
    // Calls Visit(c, r, object) for every stored cell that holds an object, beyond the counts too;
    // Visit may change the slot through the reference.
    template <class F> void ForEachObject(F Visit)
    {
        for (size_t r = 0; r < rows_.size(); ++r)
            for (size_t c = 0; c < rows_[r].size(); ++c)
                if (rows_[r][c].Object)
                    Visit(int(c), int(r), rows_[r][c].Object);
    }

    // Block moves of whole rows (all their cells, beyond the counts too) within [0, Last) or
    // [0, End), the store growing to that extent: like std::rotate and std::reverse, and gridblock.
    void RotateRows(int First, int Middle, int Last);
    void ReverseRows(int First, int Last);
    void GatherRows(const std::vector<int>& Listed, int End);
    void SpreadRows(const std::vector<int>& Listed, int End);
    // The row's cells, the row left empty; and back (the row's earlier cells are dropped).
    TRowCells TakeRow(int r);
    void PutRow(int r, TRowCells Cells);
    // The two rows exchange all their cells (texts and objects together).
    void SwapRows(int r1, int r2);
    // Row To becomes a copy of row From (texts and object pointers; the objects are shared).
    void CopyRow(int From, int To);
    // Column edits in every stored row: Count empty cells inserted at At; the cells At .. At + Count - 1
    // removed (their objects are the caller's); two columns exchanged.
    void InsertCols(int At, int Count);
    void DeleteCols(int At, int Count);
    void SwapCols(int c1, int c2);

  private:
    const TCell* Find(int c, int r) const;
    TCell& Slot(int c, int r);

    std::vector<TRowCells> rows_;
};
