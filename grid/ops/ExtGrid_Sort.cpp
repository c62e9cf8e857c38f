// Sorting of the data rows.
#include "grid/core/ExtGrid.h"

void TExtStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (int i = 0; i < RowCount(); ++i)
        FSortRowXRef->Add(i);
}

// The sorts themselves arrive with the sort settings' behaviour.
void TExtStringGrid::SortSwapRows(int, int) {}
void TExtStringGrid::QSort() {}
void TExtStringGrid::QSortIndexed() {}
void TExtStringGrid::QSortGroup() {}
void TExtStringGrid::QSortGroupIndexed() {}
void TExtStringGrid::QUnSort() {}
