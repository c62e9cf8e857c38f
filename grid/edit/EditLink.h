// TEditLink: lets an application edit cells with a control of its own. The application derives from
// it, creates, places, fills, reads and frees its control in the virtual operations, and assigns the
// link to the grid (SetEditLink) or to a column; cells of the kind edCustom are then edited through it.
//
// One edit, in the order the grid and the link follow:
//   1. Show (the grid): Owner and EditCell are set; popup style: the grid's popup form "gridform"
//      (borderless, stay-on-top) is placed at the cell (or at PopupLeft, PopupTop) and CreateEditor
//      gets it as parent; in place: CreateEditor(the grid). Then SetRect, SetVisible(True),
//      SetCellProps, SetProperties, OnGetEditorProp, SetEditorValue(cell text), SetFocus(True).
//   2. Keys: the descendant binds its control's OnKeyDown to EditKeyDown, which ends the edit on
//      Tab, Enter, Esc, PgUp, PgDn, End, the arrows and Alt (the Want* keys stay with the control).
//      In place, while the control edits, the link answers its dialog-key question: with goTabs the
//      arrows and Tab stay with the control.
//   3. End: the value (GetEditorValue) is stored into the cell; validation runs on the cell and a
//      refusal reopens the editor on the same cell; RestoreWinProc gives the control its own
//      dialog-key answer back and hides it. Popup style: the popup form's deactivation runs FormExit.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/core/Classes.h"

class TExtStringGrid;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent
{
  public:
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;

    // The grid that edits through the link; set by the grid when an edit starts.
    TExtStringGrid* Grid() const { return FOwner; }
    TPoint EditCell() const { return FEditCell; }

    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    bool WantReturns = false;
    bool WantTabs = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0;
    int PopupHeight = 0;
    // Screen position of the popup; -1 (either) = at the cell.
    int PopupLeft = -1;
    int PopupTop = -1;
    // The popup takes the width of the cell.
    bool AutoPopupWidth = false;
    // The link's own tag, beside the component's.
    int Tag = 0;
    TForm* PopupForm() const { return FPopupForm; }

    // The key protocol; a descendant binds its control's OnKeyDown to it.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* /*AParent*/) {}
    virtual void DestroyEditor() {}
    // Shows, enables and focuses the control (in place: installs the dialog-key answer), or focuses
    // the grid. Without a control: nothing.
    virtual void SetFocus(bool Value);
    // The control at R, less the grid's line width. Without a control: nothing.
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor /*AColor*/, TFont* /*AFont*/) {}
    virtual QString GetEditorValue() { return QString(); }
    virtual void SetEditorValue(const QString& /*s*/) {}

    void EditExit(TObject* Sender);
    void FormExit(TObject* Sender);
    QString GetCellValue();
    void SetCellValue(const QString& s);
    TWinControl* GetParent();
    // In place with a control: its own dialog-key answer back, and hidden.
    void RestoreWinProc();
    void HideEditor();

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    friend class TExtStringGrid;
    // Runs F with FForcedExit set (the focus moves to the grid without the popup ending the edit).
    template <class F> void Forced(F&& Run);

    TExtStringGrid* FOwner = nullptr;
    TForm* FPopupForm = nullptr;
    bool FForcedExit = false;
    TPoint FEditCell{0, 0};
    bool FSubClassed = false;
    TWinControl* FHooked = nullptr;
    // An edit through the link is open (a late deactivation of the hidden popup ends nothing).
    bool FActive = false;
};
