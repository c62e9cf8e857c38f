// TExtStringGrid: the toolkit's question whether the current cell may move. Where editing meets
// navigation: goEditing follows the target cell, an open edit ends (and is validated when the
// default editor does not own the focus), merged areas are entered at their base cell.
#include "grid/core/ExtGrid.h"
#include "grid/edit/ExtInplaceEdit.h"

bool TExtStringGrid::CanSelectCell(int ACol, int ARow)
{
    if (FForceSel) {
        if (!FRowIndicator->Empty() && FixedCols() > 0) {
            RepaintCell(0, Row());
            RepaintCell(0, ARow);
        }
        return true;
    }
    // Parentless grids (built in code, never shown) keep the plain answer with its events.
    if (!Parent())
        return TBaseGrid::CanSelectCell(ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return false;
    // A start character belongs to the cell it was typed on.
    if (ACol != Col() || ARow != Row())
        FStartEditChar = QChar();
    FEditText = GetCellEx(RealColIndex(ACol), ARow);

    const int real = RealColIndex(ACol);
    if (IsMergedNonBaseCell(real, ARow) && !Options().Contains(goRangeSelect)) {
        const TPoint b = BaseCell(real, ARow);
        MoveColRow(DisplColIndex(b.X), b.Y, true, true);
        RepaintCell(b.X, b.Y);
        if (FMouseActions->DirectEdit || (FControlLook->DropDownAlwaysVisible() && HasComboBox(b.X, b.Y)))
            ShowInplaceEdit();
        return false;
    }
    if (ACol == 0 && FNumNodes > 0 && !Options().Contains(goRowSelect))
        return false;
    if (FUseEnabledRows && FNavigation->SkipDisabledRows && !RowEnabled(ARow))
        return false;

    const int oldRow = Selection().Top;
    QString t = GetCellEx(real, ARow);
    TExtInplaceEdit* edit = NormalEdit();
    const bool editorFocused = edit && edit->Focused();
    const bool editing = Options().Contains(goEditing);

    if (IsControlCell(real, ARow)) {
        bool can = true;
        CanEditCell(real, ARow, can);
        if (!FEditDisable)
            FEditDisable = !can && (editing || FMouseActions->RangeSelectAndEdit);
        if (!editing && !Options().Contains(goRowSelect) && can) {
            FEditChange = true;
            SetOptions(Options() | goEditing);
        }
    } else {
        bool can = editing || FEditDisable;
        CanEditCell(real, ARow, can);
        if (FMouseActions->DirectEdit && can) {
            EditControl = DefaultEditor;
            can = !IsEditorNone(real, ARow);
        }
        if (FMouseActions->EditOnDblClickOnly())
            can = false;
        if (can) {
            FEditDisable = false;
            if (!Options().Contains(goEditing)) {
                FEditChange = true;
                if (!FEditing)
                    StoreOldCell(ACol, ARow);
                TGridOptions o = Options();
                if (o.Contains(goRowSelect) && FMouseActions->RangeSelectAndEdit)
                    o.Exclude(goRowSelect);
                SetOptions(o | goEditing);
            }
            if (FEditing) {
                HideInplaceEdit();
                t = GetCellEx(real, ARow);
            }
        } else {
            if (FEditing) {
                HideInplaceEdit();
                t = GetCellEx(real, ARow);
            }
            if (Options().Contains(goEditing)) {
                EditMode = false;
                FEditDisable = true;
                FEditChange = true;
                SetOptions(Options() - goEditing);
                HideEditor();
            }
        }
    }

    bool answer;
    if (!FEditing || editorFocused) {
        bool allow = true;
        DoCellChanging(ACol, ARow, allow);
        if (IsFixed(ACol, ARow) || !allow)
            answer =
                (allow && Options().Contains(goRowSelect)) || (FFixedRowAlways && RowCount() == FixedRows());
        else
            answer = TBaseGrid::CanSelectCell(ACol, ARow);
    } else {
        // The edit the move leaves is validated first (a special editor, or the grid has the focus).
        const QString keep = FCellCache;
        if (IsWideCell(RealCol(), Row()))
            answer = ValidateCellWide(FEditWideText);
        else
            answer = ValidateCell(GetCurrentCellText());
        if (answer) {
            bool allow = true;
            DoCellChanging(ACol, ARow, allow);
            answer = allow && TBaseGrid::CanSelectCell(ACol, ARow);
        }
        if (!answer)
            t = keep;
    }

    if (!FRowIndicator->Empty() && FixedCols() > 0) {
        RepaintCell(0, oldRow);
        RepaintCell(0, ARow);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(oldRow);
    }
    if (answer && !(ComponentState() & csLoading) && ARow != FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FOldRowSel, ARow);
        FOldRowSel = ARow;
    }
    FCellCache = t;
    return answer;
}
