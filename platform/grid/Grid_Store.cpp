// The string grid's sparse cell store.
#include "platform/grid/GridModel.h"
#include "platform/core/SysUtils.h"

#include <utility>

namespace
{

// The row (column) at from goes to to, the ones between shift toward from.
template <class V> void MoveEntry(V& v, int from, int to)
{
    const auto b = v.begin();
    if (from < to)
        std::rotate(b + from, b + from + 1, b + to + 1);
    else
        std::rotate(b + to, b + from, b + from + 1);
}

} // namespace

const TGridCellStore::TCell* TGridCellStore::Find(int c, int r) const
{
    if (r < 0)
        RaiseListIndexError(r);
    if (r >= RowExtent())
        return nullptr;
    const TRowCells& row = rows_[size_t(r)];
    if (row.empty())
        return nullptr;
    if (c < 0)
        RaiseListIndexError(c);
    return c < int(row.size()) ? &row[size_t(c)] : nullptr;
}

TGridCellStore::TCell& TGridCellStore::Slot(int c, int r)
{
    if (r < 0)
        RaiseListIndexError(r);
    if (c < 0)
        RaiseListIndexError(c);
    if (r >= RowExtent())
        rows_.resize(size_t(r) + 1);
    TRowCells& row = rows_[size_t(r)];
    if (c >= int(row.size())) {
        // Rows are mostly filled one after the other and alike: a new row takes room for as many
        // cells as the row before it holds, instead of growing cell by cell.
        if (row.capacity() == 0 && r > 0)
            row.reserve(std::max(size_t(c) + 1, rows_[size_t(r) - 1].size()));
        row.resize(size_t(c) + 1);
    }
    return row[size_t(c)];
}

QString TGridCellStore::Text(int c, int r) const
{
    const TCell* cell = Find(c, r);
    return cell ? cell->Text : QString();
}

TObject* TGridCellStore::Object(int c, int r) const
{
    const TCell* cell = Find(c, r);
    return cell ? cell->Object : nullptr;
}

void TGridCellStore::SetText(int c, int r, const QString& text)
{
    if (text.isEmpty() && !Find(c, r) && c >= 0)
        return; // nothing stored, nothing to store
    Slot(c, r).Text = text;
}

void TGridCellStore::SetObject(int c, int r, TObject* object)
{
    if (!object && !Find(c, r) && c >= 0)
        return;
    Slot(c, r).Object = object;
}

void TGridCellStore::MoveRow(int from, int to)
{
    if (from < 0 || to < 0)
        RaiseListIndexError(std::min(from, to));
    if (from == to || std::min(from, to) >= RowExtent())
        return; // only empty rows take part
    const int need = std::max(from, to) + 1;
    if (need > RowExtent())
        rows_.resize(size_t(need));
    MoveEntry(rows_, from, to);
}

void TGridCellStore::MoveCol(int from, int to)
{
    if (from < 0 || to < 0)
        RaiseListIndexError(std::min(from, to));
    if (from == to)
        return;
    const size_t low = size_t(std::min(from, to));
    const size_t need = size_t(std::max(from, to)) + 1;
    for (TRowCells& row : rows_) {
        if (row.size() <= low)
            continue;
        if (row.size() < need)
            row.resize(need);
        MoveEntry(row, from, to);
    }
}

void TGridCellStore::RotateRows(int First, int Middle, int Last)
{
    if (First < 0 || First > Middle || Middle > Last)
        RaiseListIndexError(std::min(First, Middle));
    if (First == Middle || Middle == Last || First >= RowExtent())
        return; // only empty rows take part
    if (Last > RowExtent())
        rows_.resize(size_t(Last));
    std::rotate(rows_.begin() + First, rows_.begin() + Middle, rows_.begin() + Last);
}

void TGridCellStore::ReverseRows(int First, int Last)
{
    if (First < 0 || First > Last)
        RaiseListIndexError(First);
    if (Last - First < 2 || First >= RowExtent())
        return;
    if (Last > RowExtent())
        rows_.resize(size_t(Last));
    std::reverse(rows_.begin() + First, rows_.begin() + Last);
}

void TGridCellStore::GatherRows(const std::vector<int>& Listed, int End)
{
    if (Listed.empty() || Listed.front() >= RowExtent())
        return;
    if (Listed.front() < 0)
        RaiseListIndexError(Listed.front());
    if (End > RowExtent())
        rows_.resize(size_t(End));
    gridblock::Gather(rows_, Listed, End);
}

void TGridCellStore::SpreadRows(const std::vector<int>& Listed, int End)
{
    if (Listed.empty() || Listed.front() >= RowExtent())
        return;
    if (Listed.front() < 0)
        RaiseListIndexError(Listed.front());
    if (End > RowExtent())
        rows_.resize(size_t(End));
    gridblock::Spread(rows_, Listed, End);
}

TGridCellStore::TRowCells TGridCellStore::TakeRow(int r)
{
    if (r < 0)
        RaiseListIndexError(r);
    if (r >= RowExtent())
        return {};
    return std::exchange(rows_[size_t(r)], TRowCells());
}

void TGridCellStore::PutRow(int r, TRowCells Cells)
{
    if (r < 0)
        RaiseListIndexError(r);
    if (r >= RowExtent()) {
        if (Cells.empty())
            return;
        rows_.resize(size_t(r) + 1);
    }
    rows_[size_t(r)] = std::move(Cells);
}

void TGridCellStore::SwapRows(int r1, int r2)
{
    if (r1 < 0 || r2 < 0)
        RaiseListIndexError(std::min(r1, r2));
    if (r1 == r2)
        return;
    const int need = std::max(r1, r2) + 1;
    if (need > RowExtent()) {
        // Nothing to exchange when both rows are empty.
        if (RowLength(r1) == 0 && RowLength(r2) == 0)
            return;
        rows_.resize(size_t(need));
    }
    rows_[size_t(r1)].swap(rows_[size_t(r2)]);
}

void TGridCellStore::CopyRow(int From, int To)
{
    if (From < 0 || To < 0)
        RaiseListIndexError(std::min(From, To));
    if (From == To)
        return;
    if (From >= RowExtent()) {
        if (To < RowExtent())
            rows_[size_t(To)].clear();
        return;
    }
    if (To >= RowExtent())
        rows_.resize(size_t(To) + 1);
    rows_[size_t(To)] = rows_[size_t(From)];
}

void TGridCellStore::InsertCols(int At, int Count)
{
    if (At < 0)
        RaiseListIndexError(At);
    if (Count <= 0)
        return;
    for (TRowCells& row : rows_)
        if (int(row.size()) > At)
            row.insert(row.begin() + At, size_t(Count), TCell());
}

void TGridCellStore::DeleteCols(int At, int Count)
{
    if (At < 0)
        RaiseListIndexError(At);
    if (Count <= 0)
        return;
    for (TRowCells& row : rows_)
        if (int(row.size()) > At)
            row.erase(row.begin() + At, row.begin() + std::min(int(row.size()), At + Count));
}

void TGridCellStore::SwapCols(int c1, int c2)
{
    if (c1 < 0 || c2 < 0)
        RaiseListIndexError(std::min(c1, c2));
    if (c1 == c2)
        return;
    const size_t need = size_t(std::max(c1, c2)) + 1;
    for (TRowCells& row : rows_) {
        if (row.size() <= size_t(std::min(c1, c2)))
            continue;
        if (row.size() < need)
            row.resize(need);
        std::swap(row[size_t(c1)], row[size_t(c2)]);
    }
}
