// The form-control and fixed-cell editors.
#include "grid/edit/CellControlEditors.h"

#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGridSettings.h"

namespace
{

// Enter and Tab of a form-control editor (parent: the grid): the exit stores the value; Enter gives
// the grid the focus, Tab moves on. True when the key was one of them.
bool ControlEditorKey(TWinControl* Editor, TExtStringGrid* Grid, char16_t& Key)
{
    if (Key != u'\r' && Key != u'\t')
        return false;
    const bool tab = Key == u'\t';
    Key = 0;
    if (Editor->OnExit)
        Editor->OnExit(Editor);
    if (!tab) {
        if (Grid->CanFocus())
            Grid->SetFocus();
        return true;
    }
    if (Grid->Navigation()->AdvanceAuto()) {
        if (Grid->CanFocus())
            Grid->SetFocus();
        Grid->AdvanceAfterEdit(Grid->Col(), Grid->Row(), true, false, true, false, true);
    } else {
        Grid->ContinueCellControlEdit();
    }
    return true;
}

} // namespace

// ---- TControlEdit --------------------------------------------------------------------------------------

bool TControlEdit::WantsKey(WORD Key, TShiftState Shift) const
{
    if (Key == VK_TAB)
        return true;
    if (Key == VK_RETURN)
        return false;
    return TMaskEdit::WantsKey(Key, Shift);
}

void TControlEdit::HandleKeyPress(char16_t& Key)
{
    if (auto* grid = dynamic_cast<TExtStringGrid*>(Parent()))
        if (ControlEditorKey(this, grid, Key))
            return;
    TMaskEdit::HandleKeyPress(Key);
}

// ---- TControlCombo -------------------------------------------------------------------------------------

bool TControlCombo::WantsKey(WORD Key, TShiftState Shift) const
{
    return Key == VK_TAB || TEsgComboBox::WantsKey(Key, Shift);
}

void TControlCombo::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    // An open list takes Enter as its choice; the key press then ends the edit.
    if (Key == VK_RETURN && DroppedDown())
        SetDroppedDown(false);
    TEsgComboBox::HandleKeyDown(Key, Shift);
}

void TControlCombo::HandleKeyPress(char16_t& Key)
{
    // Only inside a grid: with another parent there is no cell to store into.
    if (auto* grid = dynamic_cast<TExtStringGrid*>(Parent()))
        if (ControlEditorKey(this, grid, Key))
            return;
    TEsgComboBox::HandleKeyPress(Key);
}

// ---- Fixed-cell editors --------------------------------------------------------------------------------

bool StopFixedCellEdit(TExtStringGrid* Grid, TWinControl* Editor, int ACol, int ARow, const QString& Text)
{
    if (!Grid) {
        Editor->SetVisible(false);
        return true;
    }
    QString value = Text;
    bool valid = true;
    if (Grid->OnCellValidate)
        Grid->OnCellValidate(Grid, ACol, ARow, value, valid);
    if (!valid) {
        const int dc = Grid->RealToDisplCol(ACol);
        if (dc >= 0 && dc < Grid->ColCount())
            Grid->SetCol(dc);
        if (ARow >= 0 && ARow < Grid->RowCount())
            Grid->SetRow(ARow);
        if (Editor->CanFocus())
            Editor->SetFocus();
        return false;
    }
    if (Grid->OnEditingDone)
        Grid->OnEditingDone(Grid);
    Grid->SetCells(ACol, ARow, value);
    Editor->SetVisible(false);
    return true;
}

TGridTransEdit::TGridTransEdit(TComponent* AOwner)
    : TEdit(AOwner), FGrid(dynamic_cast<TExtStringGrid*>(AOwner))
{
    SetVisible(false);
}

bool TGridTransEdit::StopEdit()
{
    return StopFixedCellEdit(FGrid, this, Col, Row, Text());
}

void TGridTransEdit::HandleKeyPress(char16_t& Key)
{
    if (Key == u'\r')
        Key = 0;
    TEdit::HandleKeyPress(Key);
}

void TGridTransEdit::DoExit()
{
    TEdit::DoExit();
    if (Visible())
        StopEdit();
}

TGridTransCombo::TGridTransCombo(TComponent* AOwner)
    : TComboBox(AOwner), FGrid(dynamic_cast<TExtStringGrid*>(AOwner))
{
    SetVisible(false);
}

bool TGridTransCombo::StopEdit()
{
    return StopFixedCellEdit(FGrid, this, Col, Row, Text());
}

void TGridTransCombo::HandleKeyPress(char16_t& Key)
{
    if (Key == u'\r')
        Key = 0;
    TComboBox::HandleKeyPress(Key);
}

void TGridTransCombo::DoExit()
{
    TComboBox::DoExit();
    if (Visible())
        StopEdit();
}
