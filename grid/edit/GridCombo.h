// TGridCombo: the grid's combo editor (edComboEdit: editable text; edComboList: list only), a flat
// combo box laid over the cell. The grid makes it in its constructor, loads, places and shows it
// (ShowCellEditor) and reads it back (EditorToCell); the combo decides which keys end the edit.
//
// Keys (HandleKeyDown): list mode is a list-only combo or any combo whose list is dropped down; its
// exit keys are Tab, Enter, Esc, Left and Right. Edit mode (an editable combo, list closed) exits on
// Tab, Enter, Esc, PgUp, PgDn, End, Up and Down. Up/Down stay with a list combo while the grid's
// Navigation.ComboGetUpDown is on. Enter, Up and Down commit: the cell takes the text
// (SetCurrentCellText), then ValidateCell; a refusal keeps the combo open on the cell showing the
// validated text. Esc cancels: the cell keeps its text. Left/Right at the ends of an editable text
// walk to the next cell with Navigation.CursorWalkEditor (HandleKeyUp).
// The wheel (the grid's wheel message, WindowProcedure) steps through the items and reports the
// change; type-ahead (DoChange, after each key-up) completes the text from the items or the grid's
// LookupItems while the grid's Lookup is on; LookupHistory adds a new text to the items on exit.
#pragma once

#include "grid/edit/EsgCombo.h"
#include "grid/edit/GridEditorWrapper.h"

class TGridCombo : public TGridEditorWrapper<TEsgComboBox>
{
  public:
    static constexpr int DefaultButtonWidth = 16;
    static constexpr int MaxCompletionLength = 255;

    explicit TGridCombo(TComponent* AOwner);

    // Index of the item the last type-ahead completion took.
    int ItemIdx = 0;
    // Set by a type-ahead completion.
    bool ItemChange = false;
    TNotifyEvent OnReturnKey;

    // Grid's GetCellEditorType for a question outside editing (painting): the column grid and the
    // forms reload the shared list there, which must reach the combo only when it opens on a cell.
    // Rebuilt by a paint, the open list would drop the item its view is about to pick (a repaint
    // runs while the list closes), and a closed one the texts the lookup history added; so the
    // hooks fill a hidden stand-in combo here.
    static void EditorTypeKeepingList(TExtStringGrid* Grid, int ACol, int ARow, TEditorType& AEditor);
    // True for that hidden stand-in: only the editor kind is asked of it, never its list.
    bool IsStandIn() const { return FIsStandIn; }
    // Widens the drop-down list to its widest item (measured on the grid's canvas).
    void SizeDropDownWidth();
    // The type-ahead completion; runs after every key-up.
    void DoChange();
    // List mode: a list-only combo, or any combo whose list is down.
    bool ListMode() const { return Style() == csDropDownList || DroppedDown(); }

    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void HandleSetFocus() override;
    void WndProc(TMessage& Message) override;
    // The wheel: to WindowProcedure as the grid's wheel message; Qt's own wheel never turns it.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

  protected:
    friend class TExtStringGrid;
    virtual void WindowProcedure(TMessage& Message);
    void DoExit() override;
    void Change() override;
    bool WantsEditorKey(WORD Key) const override;

  private:
    void KeyDownSteps(WORD& Key, TShiftState Shift);
    // Commit and validate (Enter, Up, Down, Tab); False when refused (the combo stays open).
    bool Commit(bool SelectAllOnRefusal);
    // The cursor walk of Left (Backward) or Right out of an editable combo.
    void CursorWalk(bool Backward);
    void FireComboChange(int Index, const QString& Selection);
    // Runs F with the grid's Navigation.AlwaysEdit off.
    template <class F> void WithoutAlwaysEdit(F&& Run);

    // Made on first need; the grid owns it.
    TGridCombo* FStandIn = nullptr;
    bool FIsStandIn = false;
};
