// TExtStringGrid: the incremental search that typing in a sorted grid drives.
#include "grid/core/ExtGrid.h"

int TExtStringGrid::Search(const QString& s)
{
    if (RowCount() < 2)
        return -1;
    // The sort column; without shown sort settings the first normal column.
    int column = FixedCols();
    const TSortSettings* sort = SortSettings();
    if (sort->Show()) {
        if (!sort->IndexShow)
            column = sort->Column;
        else if (SortIndexes()->Count() > 0)
            column = SortIndexes()->SortColumns(0);
    }
    if (column < 0)
        return -1;
    const int n = s.size();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetStrippedCell(column, r).left(n).toUpper() == s)
            return r;
    return -1;
}
