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
    // The sizes of entries from .. to - 1 move delta places, as setting them one by one would (the
    // entries they leave keep theirs); destinations outside the count are dropped. Returns whether
    // any size may have changed (never when all have the default size).
    bool MoveSizes(int from, int to, int delta);
    // The room an entry takes: its size and the grid line after it.
    int Pitch(int i) const { return Size(i) + Line; }

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

  private:
    struct TCell {
        QString Text;
        TObject* Object = nullptr;
    };
    using TRowCells = std::vector<TCell>;
    const TCell* Find(int c, int r) const;
    TCell& Slot(int c, int r);

    std::vector<TRowCells> rows_;
};
