// The toolkit grid's in-place editor: a mask edit over the current cell of a TCustomGrid.
//
// The grid makes it (CreateInplaceEditor), loads it (UpdateContents), places and shows it (Move) and
// hides it (Hide); see the protocol at TCustomGrid::ShowEditor. The editor in turn
//   - tells the grid about every change of its text: WM_COMMAND EN_CHANGE to the grid's
//     WindowProcedure, which reflects it back as CN_COMMAND to HandleChange (OnChange);
//   - hands the grid the keys that leave the text (HandleKeyDown) and every typed character first
//     (HandleKeyPress), and its double clicks (DblClick);
//   - gives the focus to the grid before it hides, so that the focus never wanders elsewhere.
// Its keys run the same stages as the grid's (TCustomGrid::HandleWMKeyDown); what a stage leaves
// goes to the Qt line edit.
#pragma once

#include "platform/grid/Grid.h"
#include "platform/controls/StdCtrls.h"

class TInplaceEdit : public TMaskEdit
{
  public:
    // AOwner is the grid.
    explicit TInplaceEdit(TComponent* AOwner);

    TCustomGrid* Grid() const { return FGrid; }

    // Text := ''; EditMask := ReadEditMask; Text := ReadEditText; MaxLength := ReadEditLimit; the
    // grid's font. For the grid's current cell.
    virtual void UpdateContents();
    // Stores the cell rectangle, places the editor (BoundsChanged), shows it and focuses it when
    // the grid or the editor has the focus.
    void Move(const TRect& CellRect);
    // The focus goes to the grid first (if the editor has it), then the editor hides.
    void Hide();
    // The rectangle of the last Move (client coordinates of the grid).
    TRect CellRect() const { return FCellRect; }

    // Arrows; Enter and Esc (the grid answers them); Tab with the grid's goTabs.
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    // Keys that leave the text go to the grid's HandleKeyDown and become 0: Up, Down, PgUp, PgDn,
    // Esc; Tab without Alt; Insert without modifiers; Ctrl+Delete; Left/Home at the start and
    // Right/End at the end of the text with goAlwaysShowEditor. F2: the grid's OnKeyDown, then the
    // caret to the end. Any other key: the grid's OnKeyDown, then the editor's own handling.
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    // The grid's HandleKeyPress first (its OnKeyPress; Enter closes the editor); a printable
    // character the grid refuses (CanEditAcceptKey) beeps and is dropped; Tab, Esc, Enter become
    // #0; editing characters need CanEditModify; then the editor's own handling.
    void HandleKeyPress(char16_t& Key) override;
    // The grid's DblClick.
    void DblClick() override;
    void HandleKillFocus() override;

    // Perform, SendMessage and PostMessage arrive here and go to WindowProcedure (a WM_KEYDOWN
    // through the key stages).
    void WndProc(TMessage& Message) override;

  protected:
    // Base: key messages to the stages below, CN_COMMAND EN_CHANGE to HandleChange.
    virtual void WindowProcedure(TMessage& Message);
    // Bases: the form's KeyPreview, then HandleKeyDown (HandleKeyPress, HandleKeyUp); what is left
    // of the key goes to the line edit.
    virtual void HandleWMKeyDown(TWMKey& Message);
    virtual void HandleWMChar(TWMKey& Message);
    virtual void HandleWMKeyUp(TWMKey& Message);
    // Places the editor over CellRect().
    virtual void BoundsChanged();
    // The reflected change: OnChange.
    virtual void HandleChange();
    void Change() override;
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override;

  private:
    bool GridLive() const;
    // Inserts a character (Backspace deletes) as typing would, replacing the selection.
    void TypeChar(char16_t Ch);

    TCustomGrid* FGrid;
    TRect FCellRect;
    // The Qt key event being dispatched and whether its key-down went to the line edit.
    QKeyEvent* FKeyEvent = nullptr;
    bool FKeyDownNative = false;
};

// The balloon tip of an edit (the validation message of an edited cell): Title over Text, next to
// the edit. Icon: 0 none, 1 information, 2 warning, 3 error. The last balloon shown is kept.
struct TEditBalloon {
    TWinControl* Edit = nullptr;
    QString Title;
    QString Text;
    int Icon = 0;
};
void ShowEditBalloon(TWinControl* Edit, const QString& Title, const QString& Text, int Icon);
const TEditBalloon& LastEditBalloon();
