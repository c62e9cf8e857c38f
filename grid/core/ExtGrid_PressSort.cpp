// TExtStringGrid: the header click that sorts - which sort slot runs, in which direction, and what
// the sort settings say afterwards. The sorting itself lives with the data operations.
#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

void TExtStringGrid::HeaderSortClick(int RCol, TShiftState Shift)
{
    TSortSettings* sort = SortSettings();
    HideInplaceEdit();
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    if (sort->AutoColumnMerge)
        SplitAllCells();

    // Keeps the horizontal scroll position in row-select mode, also when a sort throws.
    const bool keepHoriz = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll;
    const int savedLeftCol = LeftCol();
    auto locked = [&](auto&& Sort) {
        if (keepHoriz)
            BeginUpdate();
        SortTime = GetTickCount();
        try {
            Sort();
        } catch (...) {
            if (keepHoriz) {
                SetLeftCol(savedLeftCol);
                EndUpdate();
            }
            throw;
        }
        SortTime = GetTickCount() - SortTime;
        if (keepHoriz) {
            SetLeftCol(savedLeftCol);
            EndUpdate();
        }
    };

    if (sort->IndexShow) {
        TSortIndexList* list = SortIndexes();
        const bool keyDown = sort->IndexSortKey == ikCtrl ? (Shift & ssCtrl) : (Shift & ssShift);
        const bool initAscending = sort->InitSortDirection == sdAscending;
        if (keyDown) {
            if (list->FindIndex(RCol) >= 0)
                list->ToggleIndex(RCol);
            else
                list->AddIndex(RCol, initAscending);
        } else if (list->Count() == 1 && list->FindIndex(RCol) == 0) {
            list->ToggleIndex(RCol);
        } else {
            list->Clear();
            list->AddIndex(RCol, initAscending);
        }
        locked([&] {
            if (NumNodes() == 0)
                QSortIndexed();
            else
                QSortGroupIndexed();
        });
        sort->Column = list->Count() > 0 ? list->SortColumns(0) : -1;
    } else {
        bool undo = false;
        if (sort->Column == RCol) {
            undo = sort->Direction != sort->InitSortDirection && sort->UndoSort;
            sort->Direction = sort->Direction == sdAscending ? sdDescending : sdAscending;
        } else {
            sort->Direction = sort->InitSortDirection;
            sort->Column = RCol;
        }
        locked([&] {
            if (NumNodes() > 0) {
                QSortGroup();
            } else if (undo) {
                QUnSort();
                sort->Column = -1;
            } else {
                QSort();
            }
        });
    }
    if (NumCellControls() > 0)
        CellControlsUpdate(false);
    DoClickSort(sort->Column);
    RepaintRow(sort->Row());
}
