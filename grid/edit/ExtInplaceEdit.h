// TExtInplaceEdit: the default in-place editor of TExtStringGrid, for every plain editor kind.
//
// The grid makes it (CreateInplaceEditor) and the toolkit loads, places and shows it. On top of the
// toolkit's editor it filters typed and pasted characters by the cell's editor kind, completes
// typing from the grid's lookup list, validates the text (TExtStringGrid::ValidateCell) when a key
// would leave the cell, and reports the end of the edit once, when it loses the focus
// (PostEditDone). A refusal that hides and reopens it is not an end.
//
// Keys, in the order they arrive: HandleWMKeyDown (validation on Enter, Tab, Up/Down; Esc puts the
// cached text back), HandleKeyDown (lookup on or off), HandleWMChar (the filters), HandleKeyPress
// (Enter's second stage), HandleKeyUp (lookup completion).
#pragma once

#include "platform/grid/InplaceEdit.h"

class TExtStringGrid;

class TExtInplaceEdit : public TInplaceEdit
{
  public:
    explicit TExtInplaceEdit(TComponent* AOwner);

    // Right-aligned text (the cell's alignment) and the line length limit (0 = none).
    bool VAlign() const { return FValign; }
    void SetVAlign(bool Value);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int Value);
    // Lookup completion is on (off after Backspace or Delete until another key).
    bool Workmode = true;

    void UpdateContents() override;
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;

    // The clipboard commands (Ctrl+C, Ctrl+X, Ctrl+V and their Insert forms).
    void HandleWMCopy();
    void HandleWMCut();
    void HandleWMPaste();

  protected:
    void HandleWMKeyDown(TWMKey& Message) override;
    void HandleWMChar(TWMKey& Message) override;
    void BoundsChanged() override;
    void HandleChange() override;

  private:
    TExtStringGrid* ExtGrid() const;
    bool Live() const;
    // Lookup completion after a key.
    void DoChange();
    // The text after a refusal: all selected (EditSelectAll) or the caret at the end.
    void SelectAfterRefusal();
    // Inserts a character at the caret, replacing the selection, as typing does.
    void Insert(const QString& S);

    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FValign = false;
    bool FGotFocus = false;
    // Enter's key-down stage already validated this key (and whether it refused).
    bool FEnterValidated = false;
    bool FEnterRefused = false;
    int FColE = -1;
    int FRowE = -1;
};
