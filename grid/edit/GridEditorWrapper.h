// The common contract of the grid's special editors. A wrapper is a thin subclass of a stand-alone
// control that the grid lays over a cell; it knows its grid and keeps, for every kind:
//   1. focus loss stores: leaving the control (DoExit) ends the edit with its value stored
//      (HideInplaceEdit) before the control's own exit handling fires OnExit;
//   2. want-special-key: Enter and Esc, and Tab when the grid's EditorWantsTab, are the editor's,
//      not the form's dialog keys (WantsEditorKey);
//   3. after every change of its text, the grid's OnEditChange(grid, display column, row, text)
//      (NotifyEditChange);
//   4. every typed character goes to the grid's OnKeyPress first, with the wrapper as Sender
//      (KeyPressToGrid).
// A key that ends the edit in the key-down (Key := 0) still arrives as its character, as the window
// system delivers it: DeliverEndingChar runs the key press for Enter, Esc and Tab.
// The wrapper owns nothing; the grid owns it. Made with an owner that is not a grid it raises
// EInvalidCast, so there is never a wrapper without its grid.
#pragma once

#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

// The grid a wrapper is made for; raises EInvalidCast for another owner.
TExtStringGrid* WrapperGrid(TComponent* AOwner);

// The cursor walk of an editor whose caret left its text at one end (Navigation.CursorWalkEditor):
// into a neighbouring control cell directly (when Text validates), else Focus(Grid) and on to the
// next cell left to right, reopening the editor with CursorWalkAlwaysEdit.
void WrapperCursorWalk(TExtStringGrid* Grid, const QString& Text, bool Backward,
                       void (*Focus)(TExtStringGrid*));

template <class TBase> class TGridEditorWrapper : public TBase
{
  public:
    explicit TGridEditorWrapper(TComponent* AOwner) : TBase(AOwner), FGrid(WrapperGrid(AOwner)) {}

    TExtStringGrid* Grid() const { return FGrid; }
    // Cleared at every key-down; read nowhere else.
    bool Forced = false;
    // False right after Backspace or Delete, True after any other key.
    bool WorkMode = true;

    bool WantsKey(WORD Key, TShiftState Shift) const override
    {
        return WantsEditorKey(Key) || TBase::WantsKey(Key, Shift);
    }

  protected:
    virtual bool WantsEditorKey(WORD Key) const
    {
        return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && FGrid->EditorWantsTab());
    }
    void DoExit() override
    {
        FGrid->HideInplaceEdit();
        TBase::DoExit();
    }
    void NotifyEditChange()
    {
        if (FGrid->OnEditChange)
            FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), this->Text());
    }
    void KeyPressToGrid(char16_t& Key)
    {
        if (FGrid->OnKeyPress)
            FGrid->OnKeyPress(this, Key);
    }
    // The key-down handling Run(Key) of an editor; when it swallowed Enter, Esc or Tab, their
    // character still reaches the key press.
    template <class F> void DeliverEndingChar(WORD& Key, F&& Run)
    {
        const char16_t ch = Key == VK_RETURN   ? u'\r'
                            : Key == VK_ESCAPE ? char16_t(27)
                            : Key == VK_TAB    ? u'\t'
                                               : 0;
        Run();
        if (Key == 0 && ch != 0 && !this->IsDestroying()) {
            char16_t c = ch;
            this->HandleKeyPress(c);
        }
    }

    TExtStringGrid* const FGrid;
};
