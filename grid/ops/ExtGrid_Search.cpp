// TExtStringGrid: the incremental search that typing in a sorted grid drives.
#include "grid/core/ExtGrid.h"

int TExtStringGrid::Search(const QString& s)
{
    if (RowCount() < 2)
        return -1;
    // The sort column; without shown sort settings the first normal column.
    const int column = FixedCols();
    if (column < 0)
        return -1;
    const int n = s.size();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetStrippedCell(column, r).left(n).toUpper() == s)
            return r;
    return -1;
}
