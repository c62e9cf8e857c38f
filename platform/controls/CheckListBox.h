// A list box whose items carry check boxes. The user ticks or unticks an item by a click on its box
// or with Space; that calls ClickCheck, which fires OnClickCheck. Checked/State written from code
// fire nothing.
#pragma once

#include "platform/controls/StdCtrls.h"

class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);

    // Both raise EListError for a bad index.
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);
    TCheckBoxState State(int Index) const;
    void SetState(int Index, TCheckBoxState Value);
    // Every item unticked.
    void UncheckAll();

    TNotifyEvent OnClickCheck;

protected:
    // The user changed an item's box.
    virtual void ClickCheck();

private:
    QListWidgetItem* CheckedItem(int Index) const;
    int FCheckChange = 0; // > 0 while boxes change from code
};
