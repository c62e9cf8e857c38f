// The editors of form controls inside mini-HTML cells and of fixed cells.
//
// TControlEdit (EDIT, PASSWORD, MASK) and TControlCombo (COMBO) edit one CONTROL tag of a cell: the
// grid opens them over the control (ShowCellControlEditor) and their exit ends the edit
// (CellControlEditExit), which writes the value into that tag. In them Enter stores and gives the
// grid the focus; Tab stores and moves on to the cell's next edit control (or, with
// Navigation.AdvanceAuto, to the next cell).
//
// TGridTransEdit and TGridTransCombo edit a header or other fixed cell (StartFixedCellEdit).
// StopEdit validates through OnCellValidate: a refusal keeps the editor open and focused, an
// acceptance fires OnEditingDone, stores the text and hides the editor. Losing the focus stops the
// edit.
#pragma once

#include "grid/edit/EsgCombo.h"
#include "platform/controls/StdCtrls.h"

class TExtStringGrid;

class TControlEdit : public TMaskEdit
{
  public:
    explicit TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}
    // Tab is the editor's; Enter is refused, so that a form's default button takes it.
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyPress(char16_t& Key) override;
};

class TControlCombo : public TEsgComboBox
{
  public:
    explicit TControlCombo(TComponent* AOwner) : TEsgComboBox(AOwner) {}
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
};

class TGridTransEdit : public TEdit
{
  public:
    explicit TGridTransEdit(TComponent* AOwner);
    // The cell being edited: real column, row.
    int Row = -1;
    int Col = -1;
    // True when the edit ended (or there was none to end).
    bool StopEdit();
    void HandleKeyPress(char16_t& Key) override;

  protected:
    void DoExit() override;

  private:
    TExtStringGrid* FGrid;
};

class TGridTransCombo : public TComboBox
{
  public:
    explicit TGridTransCombo(TComponent* AOwner);
    int Row = -1;
    int Col = -1;
    bool StopEdit();
    void HandleKeyPress(char16_t& Key) override;

  protected:
    void DoExit() override;

  private:
    TExtStringGrid* FGrid;
};

// Both fixed-cell editors end the same way.
bool StopFixedCellEdit(TExtStringGrid* Grid, TWinControl* Editor, int ACol, int ARow, const QString& Text);
