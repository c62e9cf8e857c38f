// TExtStringGridCheck: the cell checker a grid's CellChecker points to. The grid calls Correct before
// and MarkError after OnCellValidate at the end of an edit (AutoCorrect, AutoMarkError), and the four
// operations around a range check (UseCorrect, UseMarkError, GotoCell). The base class changes
// nothing; a checker that corrects or marks texts overrides Correct and MarkError.
#pragma once

#include "platform/core/Classes.h"

class TExtStringGridCheck : public TComponent
{
  public:
    using TComponent::TComponent;

    // ACol is the real column.
    virtual QString MarkError(int ACol, int ARow, const QString& S);
    virtual QString Correct(int ACol, int ARow, const QString& S);
    virtual void StartCheck();
    virtual void StopCheck();

    bool GotoCell = false;
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool UseCorrect = false;
    bool UseMarkError = false;
};
