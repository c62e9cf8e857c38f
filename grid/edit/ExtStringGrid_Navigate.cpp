// TExtStringGrid: where the current cell goes when an edit ends or the user tabs through the
// cells (the Tab walk, the advance after Enter), the grid's typed characters (Escape, Enter, the
// incremental search) and the simulated click that opens an editor.
//
// Both walks run as loops, one step per cell: a walk over thousands of read-only cells costs no
// stack, and a walk that comes round to where it started without finding a cell stops there.
#include "grid/core/ExtGrid.h"
#include "grid/edit/ExtInplaceEdit.h"

#include <QApplication>

namespace
{

// The first column a row walk starts from: FixedCols, or 1 in a grid of node rows without fixed ones.
int NavFixedCols(TExtStringGrid& G)
{
    return G.FixedCols() == 0 && G.NumNodes() > 0 ? 1 : G.FixedCols();
}

int LastDataRow(TExtStringGrid& G)
{
    return G.RowCount() - G.FixedFooters - 1;
}

int LastNavCol(TExtStringGrid& G)
{
    return G.ColCount() - G.FixedRightCols - 1;
}

} // namespace

bool TExtStringGrid::CanNavigateToCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return false;
    bool answer = Options().Contains(goEditing) ? IsEditable(RealColIndex(ACol), ARow) : !IsFixed(ACol, ARow);
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, answer);
    return answer;
}

int TExtStringGrid::FirstSelectableCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (CanNavigateToCell(c, ARow))
            return c;
    return -1;
}

int TExtStringGrid::LastSelectableCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (CanNavigateToCell(c, ARow))
            return c;
    return -1;
}

void TExtStringGrid::SimulateCellClick(int ACol, int ARow)
{
    FForceSel = true;
    const TMouseEvent down = OnMouseDown;
    const TMouseEvent up = OnMouseUp;
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    struct TRestore {
        TExtStringGrid* G;
        TMouseEvent Down, Up;
        ~TRestore()
        {
            G->OnMouseDown = Down;
            G->OnMouseUp = Up;
            G->FForceSel = false;
        }
    } restore{this, down, up};
    const TRect r = CellRect(ACol, ARow);
    HandleMouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
    HandleMouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
}

// ---- Tab walk ------------------------------------------------------------------------------------------

bool TExtStringGrid::AdvanceOnTab(bool Backward)
{
    if (OnKeyDown) {
        WORD key = VK_TAB;
        OnKeyDown(this, key, Backward ? TShiftState(ssShift) : TShiftState());
        if (key != VK_TAB)
            return true;
    }
    bool answer = true;
    const int lastRow = LastDataRow(*this);
    const int lastCol = LastNavCol(*this);
    const int nav = NavFixedCols(*this);
    auto moveTo = [this](int c, int r) {
        if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount() && (c != Col() || r != Row()))
            TCustomGrid::FocusCell(c, r, true);
    };
    auto select = [this](int c, int r) { SetSelection(TGridRect{c, r, c, r}); };
    auto endOfGrid = [this, &answer] {
        if (Parent() && FNavigation->TabToNextAtEnd) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
            answer = false;
        }
    };
    // One step; true when another step in the same direction has to follow.
    auto step = [&]() -> bool {
        const int col = Col();
        const int row = Row();
        if (Backward && FNavigation->TabAdvanceDirection == adLeftRight) {
            if (col > nav) {
                int b = 1;
                while (col - b >= nav &&
                       !(CanNavigateToCell(col - b, row) && IsBaseCell(RealColIndex(col - b), row)))
                    ++b;
                if (col - b >= nav) {
                    moveTo(col - b, row);
                } else if (row > FixedRows()) {
                    const int v = LastSelectableCol(row - 1);
                    if (v >= 0)
                        select(v, row - 1);
                } else {
                    const int v = LastSelectableCol(lastRow);
                    if (v >= 0) {
                        select(v, lastRow);
                        ScrollInView(v, lastRow);
                    }
                }
                if (!IsBaseCell(RealCol(), Row()))
                    MoveToBaseCell();
            } else {
                int b = 1;
                while (lastCol + 1 - b >= FixedCols() && !CanNavigateToCell(lastCol + 1 - b, row))
                    ++b;
                // A row without a selectable column leaves the current cell where it is.
                if (lastCol + 1 - b >= FixedCols())
                    moveTo(lastCol + 1 - b, row > FixedRows() ? row - 1 : lastRow);
            }
            return false;
        }
        if (Backward) {
            if (row > FixedRows())
                moveTo(col, row - 1);
            else
                moveTo(col > nav ? col - 1 : lastCol, lastRow);
            return false;
        }
        if (FNavigation->TabAdvanceDirection != adLeftRight) {
            const TPoint s = CellSpan(RealColIndex(col), row);
            if (row + s.Y + 1 < RowCount() - FixedFooters) {
                moveTo(col, row + s.Y + 1);
            } else {
                GotoFirstRow();
                if (col < lastCol) {
                    moveTo(col + 1, Row());
                } else {
                    moveTo(nav, Row());
                    endOfGrid();
                }
            }
            return false;
        }
        const TPoint s = CellSpan(RealColIndex(col), row);
        if (col + s.X + 1 <= lastCol) {
            int c = 1;
            while (col + s.X + c <= lastCol && !CanNavigateToCell(col + s.X + c, row))
                ++c;
            if (col + s.X + c > lastCol) {
                FForceSel = true;
                if (row < lastRow) {
                    const int v = FirstSelectableCol(row + 1);
                    bool allow = true;
                    if (OnRowChanging)
                        OnRowChanging(this, row, row + 1, allow);
                    if (OnCellChanging)
                        OnCellChanging(this, row, col, row + 1, v, allow);
                    if (OnColChanging)
                        OnColChanging(this, col, v, allow);
                    if (allow)
                        moveTo(v < 0 ? FixedCols() : v, row + 1);
                } else {
                    const int v = FirstSelectableCol(FixedRows());
                    if (v >= 0)
                        select(v, FixedRows());
                    endOfGrid();
                }
                FForceSel = false;
                return false;
            }
            moveTo(col + s.X + c, row);
            return !IsBaseCell(RealCol(), Row());
        }
        if (row < lastRow) {
            int e = -1;
            for (int c = nav; c < ColCount(); ++c)
                if (IsBaseCell(RealColIndex(c), row + 1) && CanNavigateToCell(c, row + 1)) {
                    e = c;
                    break;
                }
            if (e >= 0) {
                FForceSel = true;
                moveTo(e, row + 1);
                FForceSel = false;
                return false;
            }
            for (int g = row + 2; g < RowCount(); ++g)
                if (const int v = FirstSelectableCol(g); v >= 0) {
                    moveTo(v, g);
                    return false;
                }
            moveTo(ColCount() - 1, RowCount() - 1);
            return true;
        }
        if (FNavigation->TabToNextAtEnd || !FNavigation->AdvanceInsert()) {
            GotoFirstRow();
        } else {
            bool canAdd = true;
            DoCanAddRow(canAdd);
            if (canAdd) {
                if (FFloatingFooter && FFloatingFooter->Visible()) {
                    InsertRows(RowCount() - 1, 1);
                    SetRow(RowCount() - 2);
                } else {
                    SetRowCount(RowCount() + 1);
                    SetRow(RowCount() - 1);
                }
                if (OnAutoAddRow)
                    OnAutoAddRow(this, RowCount() - FixedFooters - 1);
            } else {
                GotoFirstRow();
            }
        }
        if (const int v = FirstSelectableCol(Row()); v >= 0)
            moveTo(v, Row());
        endOfGrid();
        return false;
    };

    const TGridCoord start{Col(), Row()};
    FLastTabCol = Col();
    FLastTabRow = Row();
    const long limit = long(ColCount()) * RowCount() + 2;
    for (long n = 0; n < limit; ++n) {
        const TGridCoord before{Col(), Row()};
        bool again = step();
        const TGridCoord after{Col(), Row()};
        if (after.X == before.X && after.Y == before.Y && !again)
            break;
        if (!answer)
            break;
        if (Options().Contains(goEditing) && !IsEditable(RealCol(), Row()))
            again = true;
        // Round the grid without finding a cell: the walk ends where it started.
        if (!again || (after.X == start.X && after.Y == start.Y))
            break;
    }
    // A walk that found no editable cell leaves the current cell where it was.
    if (answer && Options().Contains(goEditing) && !IsEditable(RealCol(), Row()) &&
        (Col() != start.X || Row() != start.Y)) {
        FForceSel = true;
        TCustomGrid::FocusCell(start.X, start.Y, true);
        FForceSel = false;
    }
    if (answer && FNavigation->AdvanceAutoEdit && !IsControlCell(RealCol(), Row()))
        SimulateCellClick(Col(), Row());
    FLastTabCol = -1;
    FLastTabRow = -1;
    if (answer && FNavigation->AlwaysEdit && Widget() && Widget()->isVisible())
        SetFocus();
    return answer;
}

// ---- Advance after an edit -----------------------------------------------------------------------------

void TExtStringGrid::AdvanceAfterEdit(int ACol, int ARow, bool ShowEditor, bool Recursing, bool Forward,
                                      bool AutoEdit, bool Force)
{
    if (!FNavigation->AdvanceOnEnter && !Force)
        return;
    if (FMouseActions->RangeSelectAndEdit && !Options().Contains(goEditing))
        SetOptions(Options() | goEditing);
    if (!Recursing) {
        FAECol = ACol;
        FAERow = ARow;
    }
    const TGridCoord start{ACol, ARow};
    FStartEditChar = QChar();
    const int nav = NavFixedCols(*this);
    const long limit = long(ColCount()) * RowCount() + 2;
    for (long n = 0; n < limit; ++n) {
        const TGridCoord from{ACol, ARow};
        const TPoint s = CellSpan(RealColIndex(ACol), ARow);
        const int lastRow = LastDataRow(*this);
        const TAdvanceDirection dir = FNavigation->AdvanceDirection();
        bool stop = false;
        if (Forward) {
            if (dir == adLeftRight || dir == adLeftRightInRow) {
                if (ACol + s.X < ColCount() - FixedRightCols - 1) {
                    ACol += s.X + 1;
                } else if (dir == adLeftRight) {
                    if (ARow == lastRow) {
                        if (FNavigation->AdvanceInsert()) {
                            bool canAdd = true;
                            DoCanAddRow(canAdd);
                            ACol = nav;
                            if (canAdd) {
                                AddRow();
                                ++ARow;
                                if (OnAutoAddRow)
                                    OnAutoAddRow(this, RowCount() - FixedFooters - 1);
                                bool any = false;
                                for (int c = FixedCols(); c < ColCount() && !any; ++c)
                                    any = IsEditable(RealColIndex(c), ARow);
                                stop = !any;
                            }
                        } else if (FNavigation->AdvanceOnEnterLoop) {
                            ARow = FixedRows();
                            ACol = nav;
                        }
                    } else {
                        ++ARow;
                        ACol = nav;
                    }
                } else if (FNavigation->AdvanceOnEnterLoop) {
                    ACol = nav;
                }
            } else if (ARow != lastRow) {
                ++ARow;
            } else if (dir == adTopBottomInCol) {
                ARow = FixedRows();
            } else if (ACol + 1 != ColCount() - FixedRightCols) {
                ARow = FixedRows();
                ACol = ACol + 1 >= ColCount() ? nav : ACol + 1;
            } else if (FNavigation->AdvanceInsert()) {
                SetColCount(ColCount() + 1);
                ACol += s.X + 1;
                ARow = FixedRows();
                if (OnAutoInsertCol)
                    OnAutoInsertCol(this, ColCount() - FixedRightCols - 1);
            } else {
                ARow = FixedRows();
                ACol = nav;
                RepaintGrid();
            }
        } else if (dir == adLeftRight) {
            if (ACol > nav) {
                --ACol;
            } else {
                ARow = ARow > FixedRows() ? ARow - 1 : lastRow;
                ACol = ColCount() - FixedRightCols - 1;
            }
        } else if (dir == adTopBottom) {
            if (ARow > FixedRows()) {
                --ARow;
            } else {
                ACol = ACol > nav ? ACol - 1 : ColCount() - FixedRightCols - 1;
                ARow = lastRow;
            }
        }
        if (stop)
            return;
        // No step possible, or round the grid to the start: the current cell stays.
        if ((ACol == from.X && ARow == from.Y) || (ACol == start.X && ARow == start.Y && n > 0) || ACol < 0 ||
            ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
            return;

        bool can = true;
        CanEditCell(RealColIndex(ACol), ARow, can);
        if (can) {
            bool allow = true;
            if (OnAutoAdvance)
                OnAutoAdvance(this, FAERow, FAECol, ARow, ACol, allow);
            if (allow && OnCellChanging)
                OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
            FDisableChange = true;
            if (allow && ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount())
                TCustomGrid::FocusCell(ACol, ARow, true);
            else if (!allow)
                CanSelectCell(start.X, start.Y);
            FDisableChange = false;
            break;
        }
        if (!FNavigation->AdvanceSkipReadOnlyCells) {
            TCustomGrid::FocusCell(ACol, ARow, true);
            break;
        }
        // Read-only: the next step starts from here, the first start cell stays the old cell.
    }
    if (!ShowEditor)
        return;
    const bool control = IsControlCell(RealCol(), Row());
    if ((AutoEdit && FNavigation->AdvanceAutoEdit) || control) {
        if (!IsEditable(RealCol(), Row()))
            return;
        TCustomGrid::ShowEditor();
    }
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

// ---- Characters that reach the grid --------------------------------------------------------------------

void TExtStringGrid::HandleKeyPress(char16_t& Key)
{
    if (Key == 27) {
        if (Options().Contains(goEditing) && FEditing)
            RestoreCellFromCache();
        if (OnKeyPress)
            OnKeyPress(this, Key);
        return;
    }
    if (Key == 13 && !FNavigation->AdvanceOnEnter && !IsEditable(RealCol(), Row())) {
        if (OnKeyPress)
            OnKeyPress(this, Key);
        Key = 0;
        return;
    }
    if (Key == 13 && (QApplication::focusWidget() != Widget() || IsControlCell(RealCol(), Row()))) {
        const int oldCol = Col();
        AdvanceAfterEdit(Col(), Row(), EditMode, false, true, false, false);
        if (!FNavigation->AdvanceAutoEdit) {
            if (OnKeyPress)
                OnKeyPress(this, Key);
            Key = 0;
            return;
        }
        if (IsControlCell(RealColIndex(oldCol), Row())) {
            if (OnKeyPress)
                OnKeyPress(this, Key);
            if (FNavigation->AdvanceOnEnter)
                ShowInplaceEdit();
            Key = 0;
            return;
        }
    }
    if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted) {
        if (FNavigation->AutoGotoIncremental) {
            if (Key == 8)
                SearchInc.chop(1);
            else
                SearchInc += QChar(Key);
            SearchTics = 0;
        } else {
            SearchInc = QString(QChar(Key));
        }
        const int r = Search(SearchInc.toUpper());
        if (r == -1)
            SearchInc.clear();
        else
            SetRow(r);
    }
    TBaseGrid::HandleKeyPress(Key);
}
