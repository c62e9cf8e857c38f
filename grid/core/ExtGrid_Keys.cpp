// TExtStringGrid: keys while the grid itself has the focus - the pre-stage of WM_KEYDOWN, the
// toolkit's key-down with the grid's wrap-around and row moves, the post-stage and the key-up.
// (The stages and their order are described at the declarations in ExtGrid.h.)
#include "grid/base/CellText.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"

namespace
{

// PgUp, PgDn, End, Home and the four arrows (33 to 40).
bool IsNavigationKey(WORD Key)
{
    return Key >= VK_PRIOR && Key <= VK_DOWN;
}

bool SameRect(const TGridRect& A, const TGridRect& B)
{
    return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

} // namespace

// ---- Helpers ------------------------------------------------------------------------------------------

bool TExtStringGrid::IsLastDataRow()
{
    const bool footer = FFloatingFooter && FFloatingFooter->Visible();
    return Row() + 1 == RowCount() - FixedFooters || (footer && Row() + 2 == RowCount());
}

void TExtStringGrid::AutoAppendRow()
{
    bool canAdd = true;
    DoCanAddRow(canAdd);
    if (!canAdd)
        return;
    const bool footer = FFloatingFooter && FFloatingFooter->Visible();
    // Rows beyond the count keep their old texts in the store: the new row must not show them.
    auto clearRow = [this](int r) {
        for (int c = 0; c < TotalColCount(); ++c) {
            SetGridObject(c, r, nullptr);
            SetGridCell(c, r, QString());
        }
    };
    if (!footer) {
        AppendRow();
        const int last = RowCount() - 1;
        for (int c = 0; c < TotalColCount(); ++c)
            FreeCellProps(c, last);
        clearRow(last);
    } else {
        QStringList saved;
        for (int c = 0; c < TotalColCount(); ++c)
            saved << GetGridCell(c, RowCount() - 1);
        AppendRow();
        const int above = RowCount() - 2;
        for (int c = 0; c < TotalColCount(); ++c)
            FreeCellProps(c, above);
        clearRow(above);
        for (int c = 0; c < saved.size(); ++c)
            SetGridCell(c, RowCount() - 1, saved[c]);
    }
    if (footer || FixedFooters > 0)
        SetRow(Row() + 1);
    if (footer)
        CalcFooter(-1);
    if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FixedFooters - 1);
}

void TExtStringGrid::MarkSelectionRows()
{
    const TGridRect sel = Selection();
    const int bottom = std::min(sel.Bottom, RowCount() - FixedFooters - 1);
    const bool persistent = FMouseActions->RowSelectPersistent;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const int at = persistent ? DisplToRealRow(r) : r;
        SetRowSelect(at, r >= sel.Top && r <= bottom);
    }
    if (NumHiddenRows() > 0)
        InvalidateGrid();
}

void TExtStringGrid::MarkSelectionCols()
{
    const TGridRect sel = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c)
        SetColSelect(c, c >= sel.Left && c <= sel.Right);
}

// ---- Pre-stage ----------------------------------------------------------------------------------------

void TExtStringGrid::HandleWMKeyDown(TWMKey& Message)
{
    const WORD key = Message.CharCode;
    FMoveSelection = Selection();
    const int savedLeftCol = LeftCol();
    const int keyRow = Row();
    const int keyRealCol = RealColIndex(Col());
    const bool downKey = key == VK_DOWN;
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    const bool ctrl = shift & ssCtrl;
    const bool shiftDown = shift & ssShift;
    const bool rowSelect = Options().Contains(goRowSelect);
    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;

    // OnKeyDown fired by the grid itself for a key it consumes.
    auto keyDown = [&](WORD k) {
        if (OnKeyDown)
            OnKeyDown(this, k, shift);
    };
    auto consume = [&](LRESULT Result, bool ZeroKey) {
        if (ZeroKey)
            Message.CharCode = 0;
        Message.Result = Result;
    };

    const bool keepHoriz = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) &&
                           rowSelect && LeftCol() != FixedCols() && FNavigation->KeepHorizScroll;

    if (FNavigation->MoveScrollOnly && IsNavigationKey(key) && key != VK_LEFT && key != VK_RIGHT) {
        const int vis = VisibleRowCount();
        switch (key) {
        case VK_PRIOR:
            SetTopRow(vis + FixedRows() < TopRow() ? TopRow() - vis : FixedRows());
            break;
        case VK_NEXT:
            if (TopRow() + vis < RowCount())
                SetTopRow(TopRow() + vis);
            break;
        case VK_END:
            SetTopRow(RowCount() - vis);
            break;
        case VK_HOME:
            SetTopRow(FixedRows());
            break;
        case VK_UP:
            if (TopRow() > FixedRows())
                SetTopRow(TopRow() - 1);
            break;
        default: // VK_DOWN
            if (TopRow() + vis < RowCount())
                SetTopRow(TopRow() + 1);
            break;
        }
        consume(1, false);
        return;
    }

    if (FMouseActions->EditOnDblClickOnly() && enterOrF2 && !Options().Contains(goEditing)) {
        const bool saved = FMouseActions->RangeSelectAndEdit;
        FMouseActions->RangeSelectAndEdit = true;
        const bool editable = IsEditable(keyRealCol, Row());
        FMouseActions->RangeSelectAndEdit = saved;
        if (editable)
            SetOptions(Options() | goEditing);
    }

    if (FMouseActions->RangeSelectAndEdit && !Options().Contains(goEditing) && enterOrF2) {
        if (!IsEditable(keyRealCol, Row())) {
            keyDown(key);
            consume(1, true);
            return;
        }
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
    }

    if (key == 'F' && ctrl && FSearchFooter->Visible())
        SearchFooterFocusEdit();

    if (enterOrF2) {
        if (Options().Contains(goEditing) && !IsEditable(keyRealCol, Row())) {
            keyDown(key);
            consume(1, true);
            return;
        }
        const QString text = GetCellEx(keyRealCol, Row());
        if (CellTextKind(text, EnableHTML) == ctkHTML && text.toUpper().contains(QLatin1String("<CONTROL"))) {
            consume(1, false);
            return;
        }
    }

    if (key == VK_RETURN && !IsEditable(keyRealCol, Row())) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->KeyPreview) {
            TBaseGrid::HandleWMKeyDown(Message);
            return;
        }
        keyDown(key);
        consume(1, true);
        return;
    }

    if ((key == VK_RETURN || key == VK_SPACE) && IsControlCell(keyRealCol, Row())) {
        bool allowed = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
        CanEditCell(keyRealCol, Row(), allowed);
        if ((allowed || FControlLook->CheckAlwaysActive) && HasCheckBox(keyRealCol, Row()) &&
            key == VK_SPACE) {
            ToggleCheckBoxCell(keyRealCol, Row(), true);
            if (FShowModified->Enabled) {
                SetRowModified(Row(), true);
                RepaintCell(0, Row());
            }
            bool state = false;
            GetCheckBoxState(keyRealCol, DisplToRealRow(Row()), state);
            DoCheckBoxClick(keyRealCol, Row(), state);
        }
        if ((allowed || FControlLook->RadioAlwaysActive) && IsRadio(keyRealCol, Row()) && key == VK_SPACE) {
            CycleRadio(keyRealCol, Row(), true);
            int idx = -1;
            GetRadioIdx(keyRealCol, Row(), idx);
            if (OnRadioClick)
                OnRadioClick(this, keyRealCol, Row(), idx);
        }
        if ((allowed || FControlLook->RadioAlwaysActive) && HasRadioButton(keyRealCol, Row()) &&
            key == VK_SPACE) {
            // The radio buttons of a column form one group.
            SetRadioButtonColumnIndex(keyRealCol, Row());
            if (OnRadioButtonClick)
                OnRadioButtonClick(this, keyRealCol, Row());
        }
        if (allowed && HasButton(keyRealCol, Row()))
            DoButtonClick(keyRealCol, Row());
        RepaintCell(Col(), Row());
    }

    if ((key == VK_HOME || key == VK_END) && KeyHomeEnd(key, shift, keyRow, savedLeftCol))
        return;

    if ((key == VK_RIGHT || key == VK_LEFT) && IsNode(Row()) && IsMergedCell(Col(), Row())) {
        if (key == VK_RIGHT)
            ExpandNode(DisplToRealRow(Row()));
        else
            ContractNode(DisplToRealRow(Row()));
    }

    if (rowSelect && !IsNode(Row()) && ColCount() > VisibleColCount() &&
        (key == VK_LEFT || key == VK_RIGHT)) {
        auto scroll = [&] {
            if (key == VK_LEFT && LeftCol() > FixedCols())
                SetLeftCol(LeftCol() - 1);
            else if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount())
                SetLeftCol(LeftCol() + 1);
        };
        if (FNavigation->LeftRightRowSelect) {
            if (ctrl)
                scroll();
        } else {
            scroll();
            keyDown(key);
            consume(0, false);
            return;
        }
    }

    if (key == VK_TAB && Options().Contains(goTabs)) {
        AdvanceOnTab(shiftDown);
        const TGridRect sel = Selection();
        if (!SameRect(sel, FMoveSelection)) {
            DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
            // Reported once: the key-up compares with this.
            FMoveSelection = sel;
        }
        return;
    }

    if (FNavigation->SkipFixedCells)
        KeySkipFixedCells(Message, shift);

    if (downKey && IsLastDataRow() && FNavigation->AppendOnArrowDown)
        AutoAppendRow();

    if (SelectionRectangle() && !SameRect(Selection(), FMoveSelection)) {
        InvalidateGrid();
        FMoveSelection = Selection();
    }

    // At the end of a grid with the search footer shown: Down on the last row only scrolls it clear
    // of the footer, and the corner cells keep their row.
    const bool footerShown = FSearchFooter->Visible() && TopRow() >= RowCount() - VisibleRowCount();
    if (footerShown && Row() >= RowCount() - 1 &&
        (key == VK_DOWN || (key == VK_RIGHT && Col() == ColCount() - 1) || (key == VK_LEFT && Col() == FixedCols()))) {
        if (key == VK_DOWN)
            KeepLastRowClearOfSearchFooter();
        keyDown(key);
        consume(1, false);
        return;
    }

    if (keepHoriz)
        BeginUpdate();
    try {
        TBaseGrid::HandleWMKeyDown(Message);
    } catch (...) {
        if (keepHoriz) {
            SetLeftCol(savedLeftCol);
            EndUpdate();
        }
        throw;
    }
    if (keepHoriz) {
        SetLeftCol(savedLeftCol);
        EndUpdate();
    }
    if (FSearchFooter->Visible() && Row() == RowCount() - 1 &&
        (key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_DOWN))
        KeepLastRowClearOfSearchFooter();

    KeyPostStage(Message, shift);
}

bool TExtStringGrid::KeyHomeEnd(WORD Key, TShiftState Shift, int KeyRow, int SavedLeftCol)
{
    const bool ctrl = Shift & ssCtrl;
    const bool shiftDown = Shift & ssShift;
    const THomeEndAction action = FNavigation->HomeEndKey;
    const bool home = Key == VK_HOME;
    const bool single = FFixedRowAlways && RowCount() == 1;
    const bool rowSelect = Options().Contains(goRowSelect);
    const bool footer = FFloatingFooter && FFloatingFooter->Visible();
    auto done = [&] {
        WORD k = Key;
        if (OnKeyDown)
            OnKeyDown(this, k, Shift);
    };
    // Disjunct and Shift selection of the first/last-row variants.
    auto rowVariant = [&](int NewRow) {
        if (!shiftDown) {
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                MarkSelectionRows();
            }
        } else {
            SetSelection(TGridRect{0, KeyRow, ColCount() - 1, NewRow});
            if (FMouseActions->DisjunctRowSelect())
                MarkSelectionRows();
        }
        if (rowSelect && FNavigation->KeepHorizScroll) {
            StartUpdate();
            SetLeftCol(SavedLeftCol);
            ResetUpdate();
        }
    };
    const int navFixed = FixedCols() == 0 && HasNodes() ? 1 : FixedCols();

    if (!ctrl && action == heFirstLastCell) {
        if (home)
            MoveColRow(FixedCols(), FixedRows(), true, true);
        else
            MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
        MoveToBaseCell();
    } else if (!ctrl && action == heFirstLastRow) {
        if (single) {
            TWMKey m{WM_KEYDOWN, Key, 0, 0};
            TBaseGrid::HandleWMKeyDown(m);
            return true;
        }
        int target = FixedRows();
        if (!home) {
            target = footer && RowCount() > 2 ? RowCount() - 2 : RowCount() - FixedFooters - 1;
            if (FixedFooters > 0 && !footer)
                SetTopRow(RowCount() - VisibleRowCount());
        }
        SetRow(target);
        MoveToBaseCell();
        rowVariant(Row());
        if (!home && footer)
            SetTopRow(RowCount() - VisibleRowCount());
    } else if (ctrl && home && action == heFirstLastColumn) {
        SetRow(FixedRows());
        const int c = FirstSelectableCol(Row());
        if (c >= 0)
            SetCol(c);
        MoveToBaseCell();
        SetLeftCol(navFixed);
    } else if (!ctrl && !rowSelect && action == heFirstLastColumn) {
        if (single) {
            TWMKey m{WM_KEYDOWN, Key, 0, 0};
            TBaseGrid::HandleWMKeyDown(m);
            return true;
        }
        if (shiftDown) {
            const int to = home ? FixedCols() : ColCount() - FixedRightCols - 1;
            SetSelection(TGridRect{Col(), Row(), to, Row()});
            RepaintRow(Row());
        } else if (home) {
            const int c = FirstSelectableCol(Row());
            if (c >= 0)
                SetCol(c);
            MoveToBaseCell();
            SetLeftCol(navFixed);
        } else {
            SetCol(ColCount() - 1);
            MoveToBaseCell();
            SetLeftCol(ColCount() - VisibleColCount());
        }
    } else {
        return false;
    }
    done();
    return true;
}

void TExtStringGrid::KeySkipFixedCells(TWMKey& Message, TShiftState Shift)
{
    WORD key = Message.CharCode;
    if (UseRightToLeftAlignment()) {
        if (key == VK_LEFT)
            key = VK_RIGHT;
        else if (key == VK_RIGHT)
            key = VK_LEFT;
    }
    const bool rowSelect = Options().Contains(goRowSelect);
    const int lastCol = ColCount() - FixedRightCols;
    const int lastRow = RowCount() - FixedFooters;
    bool applied = false;
    switch (key) {
    case VK_LEFT:
        if (Col() > FixedCols() && IsFixed(Col() - 1, Row())) {
            int c = Col();
            while (c - 1 >= FixedCols() && IsFixed(c - 1, Row()))
                --c;
            if (c - 1 >= FixedCols() && !IsFixed(c - 1, Row()))
                SetCol(c - 1);
            applied = true;
        }
        break;
    case VK_UP:
        if (Row() > FixedRows() && IsFixed(Col(), Row() - 1)) {
            int r = Row();
            while (r - 1 >= FixedRows() && IsFixed(Col(), r - 1) && !rowSelect)
                --r;
            if (r - 1 >= FixedRows() && (rowSelect || !IsFixed(Col(), r - 1)))
                SetRow(r - 1);
            applied = true;
        }
        break;
    case VK_RIGHT:
        if (Col() < lastCol && Col() + 1 < ColCount() && IsFixed(Col() + 1, Row())) {
            int c = Col();
            while (c + 1 < lastCol && IsFixed(c + 1, Row()))
                ++c;
            if (c + 1 < lastCol && !IsFixed(c + 1, Row()))
                SetCol(c + 1);
            applied = true;
        }
        break;
    case VK_DOWN:
        if (Row() < lastRow && Row() + 1 < RowCount() && IsFixed(Col(), Row() + 1)) {
            int r = Row();
            while (r + 1 < lastRow && IsFixed(Col(), r + 1) && !rowSelect)
                ++r;
            if (r + 1 < lastRow && (rowSelect || !IsFixed(Col(), r + 1)))
                SetRow(r + 1);
            applied = true;
        }
        break;
    default:
        break;
    }
    if (!applied)
        return;
    WORD k = Message.CharCode;
    if (OnKeyDown)
        OnKeyDown(this, k, Shift);
    Message.CharCode = 0;
}

// ---- Post-stage ---------------------------------------------------------------------------------------

void TExtStringGrid::KeyPostStage(TWMKey& Message, TShiftState Shift)
{
    const WORD key = Message.CharCode;
    const bool ctrl = Shift & ssCtrl;
    const bool shiftDown = Shift & ssShift;
    const bool alt = Shift & ssAlt;
    const bool disjunctRows = FMouseActions->DisjunctRowSelect();
    const bool disjunctCols = FMouseActions->DisjunctColSelect();
    const int selRow = disjunctRows && FMouseActions->RowSelectPersistent ? DisplToRealRow(Row()) : Row();

    if (FNavigation->AllowClipboardShortCuts) {
        enum { Cut, Copy, Paste, None } op = None;
        if (ctrl && key == 'X')
            op = Cut;
        else if (ctrl && key == 'V')
            op = Paste;
        else if (ctrl && (key == VK_INSERT || key == 'C'))
            op = Copy;
        else if (shiftDown && key == VK_INSERT)
            op = Paste;
        else if (shiftDown && key == VK_DELETE)
            op = Cut;
        if (op != None) {
            bool allow = true;
            const TClipboardEvent& event = op == Cut    ? OnClipboardCut
                                           : op == Copy ? OnClipboardCopy
                                                        : OnClipboardPaste;
            if (event)
                event(this, allow);
            if (allow) {
                if (op == Cut)
                    CutSelectionToClipboard();
                else if (op == Copy)
                    CopySelectionToClipboard();
                else
                    PasteSelectionFromClipboard();
            }
            return;
        }
    }

    if (key == VK_INSERT && FNavigation->AllowInsertRow && !ctrl && !shiftDown && !alt) {
        bool canInsert = true;
        DoCanInsertRow(Row(), canInsert);
        if (!canInsert)
            return;
        const int realRow = DisplToRealRow(Row());
        int newRow = Row();
        const bool savedFilter = FFilterActive;
        FFilterActive = false;
        if (realRow < RowCount())
            SetRow(realRow);
        int at = DisplToRealRow(Row());
        bool below = false;
        if (FNavigation->InsertPosition == pInsertAfter) {
            if (FFixedRowAlways && FixedRows() == RowCount()) {
                newRow = 1;
            } else {
                at = DisplToRealRow(Row()) + 1;
                below = true;
            }
        }
        InsertRowAtKey(at);
        // Counted with the new row, so that a row added below the last one becomes current.
        if (below && newRow + 1 < RowCount())
            ++newRow;
        if (OnAutoInsertRow)
            OnAutoInsertRow(this, at);
        FGridModified = true;
        FFilterActive = savedFilter;
        if (newRow < RowCount())
            SetRow(newRow);
        CalcFooter(-1);
    } else if (ctrl && key == 'A') {
        if (!Options().Contains(goRowSelect) && !Options().Contains(goRangeSelect))
            return;
        const int navFixed = FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
        const int lastCol = ColCount() - FixedRightCols - 1;
        const int lastRow = RowCount() - FixedFooters - 1;
        TGridRect rect{navFixed, FixedRows(), lastCol, lastRow};
        if (disjunctRows)
            for (int r = FixedRows(); r <= lastRow; ++r)
                SetRowSelect(r, true);
        KeySelectionHook(rect);
        SetSelection(rect);
        TBaseGrid::FocusCell(lastCol, lastRow, false);
        const TRect cr = CellRect(lastCol, lastRow);
        SimulateClick(cr.Left + 2, cr.Top + 2);
        TBaseGrid::FocusCell(lastCol, lastRow, false);
        SetSelection(rect);
        return;
    } else {
        if (IsNavigationKey(key) && disjunctRows) {
            if (!shiftDown && !ctrl)
                ClearRowSelect();
            if (shiftDown)
                MarkSelectionRows();
            else
                SetRowSelect(selRow, true);
        }
        if (IsNavigationKey(key) && disjunctCols) {
            if (!shiftDown && !ctrl)
                ClearColSelect();
            if (shiftDown)
                MarkSelectionCols();
            else
                SetColSelect(Col(), true);
        }
        if (key == VK_SPACE && disjunctRows)
            SetRowSelect(selRow, !RowSelect(selRow));
        if (key == VK_SPACE && disjunctCols)
            SetColSelect(Col(), !ColSelect(Col()));
        if (key == VK_DELETE && FNavigation->AllowDeleteRow && !alt &&
            RowCount() - FixedFooters - FixedRows() >= 1) {
            const int realRow = DisplToRealRow(Row());
            const bool savedFilter = FFilterActive;
            FFilterActive = false;
            bool canDelete = true;
            if (OnCanDeleteRow)
                OnCanDeleteRow(this, realRow, canDelete);
            if (!canDelete) {
                FFilterActive = savedFilter;
                return;
            }
            RemoveRowAtKey(realRow);
            FFilterActive = savedFilter;
            if (FFloatingFooter && FFloatingFooter->Visible() && Row() == RowCount() - 1 && RowCount() >= 2)
                SetRow(RowCount() - 2);
            StoreOldCell(Col(), Row());
            FGridModified = true;
            CalcFooter(-1);
        }
        if (key == VK_RETURN || key == VK_F2) {
            StoreOldCell(Col(), Row());
            // The form-control editors come with their own issue; nothing to open before them.
            if (key == VK_F2)
                F2Pressed();
        }
    }
    const TGridRect sel = Selection();
    if (!SameRect(sel, FMoveSelection)) {
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        FMoveSelection = Selection();
    }
}

// ---- Toolkit stage ------------------------------------------------------------------------------------

void TExtStringGrid::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    FLastKeyCell = TPoint(Col(), Row());
    int keyRow2 = Row();
    TBaseGrid::HandleKeyDown(Key, Shift);

    const TGridRect sel = Selection();
    if (FNavigation->CursorMoveRows && (Shift & ssCtrl)) {
        if (Key == VK_DOWN && sel.Bottom < RowCount() - 1) {
            keyRow2 = Row();
            if (sel.Top == sel.Bottom) {
                MoveRow(sel.Top, sel.Top + 1);
                SetRow(keyRow2 + 1);
            } else {
                MoveRows(sel.Top, sel.Top + 1, sel.Bottom - sel.Top + 1);
                SetSelection(TGridRect{FixedCols(), sel.Top + 1, ColCount() - 1, sel.Bottom + 1});
            }
        } else if (Key == VK_UP && sel.Top > FixedRows()) {
            keyRow2 = Row();
            if (sel.Top == sel.Bottom) {
                MoveRow(sel.Top, sel.Top - 1);
                SetRow(keyRow2 - 1);
            } else {
                MoveRows(sel.Top, sel.Top - 1, sel.Bottom - sel.Top + 1);
                SetSelection(TGridRect{FixedCols(), sel.Top - 1, ColCount() - 1, sel.Bottom - 1});
            }
        }
    }

    if (FNavigation->CursorAdvance != caDefault) {
        const bool snake = FNavigation->CursorAdvance == caSnake;
        switch (Key) {
        case VK_LEFT:
            if (FLastKeyCell.X == FixedCols()) {
                const int r = snake && Row() > FixedRows() ? Row() - 1 : Row();
                MoveColRow(ColCount() - FixedRightCols - 1, r, true, true);
            }
            break;
        case VK_RIGHT:
            if (FLastKeyCell.X == ColCount() - 1) {
                const int r = snake && Row() < RowCount() - FixedFooters - 1 ? Row() + 1 : Row();
                MoveColRow(FixedCols(), r, true, true);
            }
            break;
        case VK_UP:
            if (FLastKeyCell.Y == FixedRows()) {
                const int c = snake && Col() > FixedCols() ? Col() - 1 : Col();
                MoveColRow(c, RowCount() - FixedFooters - 1, true, true);
            }
            break;
        case VK_DOWN:
            if (FLastKeyCell.Y == RowCount() - 1) {
                const int c = snake && Col() < ColCount() - FixedRightCols - 1 ? Col() + 1 : Col();
                MoveColRow(c, FixedRows(), true, true);
            }
            break;
        default:
            break;
        }
    }

    if (FUseEnabledRows && FNavigation->SkipDisabledRows && Row() == keyRow2) {
        if (Key == VK_UP && keyRow2 > FixedRows()) {
            int r = keyRow2 - 1;
            while (r > FixedRows() && !RowEnabled(r))
                --r;
            if (r >= FixedRows() && RowEnabled(r))
                SetRow(r);
        } else if (Key == VK_DOWN && keyRow2 < RowCount() - 1) {
            int r = keyRow2 + 1;
            while (r < RowCount() - 1 && !RowEnabled(r))
                ++r;
            if (RowEnabled(r))
                SetRow(r);
        }
    }

    if (TExtStringGrid* other = FSyncGrid->Grid()) {
        if (FSyncGrid->SelectionColumn && Col() < other->ColCount())
            other->SetCol(Col());
        if (FSyncGrid->SelectionRow && Row() < other->RowCount())
            other->SetRow(Row());
    }
}

// ---- Key-up -------------------------------------------------------------------------------------------

void TExtStringGrid::HandleWMKeyUp(TWMKey& Message)
{
    TBaseGrid::HandleWMKeyUp(Message);
}

void TExtStringGrid::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    const WORD key = Key;
    if ((IsNavigationKey(key) && key != VK_HOME) || key == VK_INSERT || key == VK_DELETE)
        SearchInc.clear();
    const TGridRect oldSel = Selection();
    TBaseGrid::HandleKeyUp(Key, Shift);
    const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
    const bool tab = key == VK_TAB && Options().Contains(goTabs);
    if (FNavigation->AlwaysEdit && (arrow || tab) && !IsControlCell(RealColIndex(Col()), Row()))
        ShowInplaceEdit();
    const TGridRect sel = Selection();
    if (!SameRect(sel, FMoveSelection) && (arrow || key == VK_TAB))
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);

    if (!FMouseActions->DisjunctCellSelect() || Options().Contains(goEditing))
        return;
    if (Shift & ssShift) {
        for (int r = oldSel.Top; r <= oldSel.Bottom; ++r)
            for (int c = oldSel.Left; c <= oldSel.Right; ++c)
                SetSelectedCells(c, r, false);
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            for (int c = sel.Left; c <= sel.Right; ++c)
                if (c != Col() || r != Row())
                    SetSelectedCells(c, r, true);
    }
    if (key != VK_SPACE)
        return;
    const TPoint base = BaseCell(Col(), Row());
    if (!IsFixed(base.X, base.Y)) {
        bool canSelect = true;
        if (OnSelectCell)
            OnSelectCell(this, base.X, base.Y, canSelect);
        if (!canSelect)
            return;
        if (Shift & ssCtrl) {
            SetSelectedCells(base.X, base.Y, !SelectedCells(base.X, base.Y));
        } else {
            for (int i = 0; i < SelectedCellsCount(); ++i) {
                const TGridCoord c = SelectedCell(i);
                RepaintCell(c.X, c.Y);
            }
            ClearSelectedCells();
            SetSelectedCells(base.X, base.Y, true);
        }
    }
    if (sel.Left != sel.Right || sel.Top != sel.Bottom) {
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            for (int c = sel.Left; c <= sel.Right; ++c)
                if (c != base.X || r != base.Y)
                    SetSelectedCells(c, r, true);
        for (int i = 0; i < SelectedCellsCount(); ++i) {
            const TGridCoord c = SelectedCell(i);
            RepaintCell(c.X, c.Y);
        }
    }
    RepaintCell(Col(), Row());
}
