// TExtStringGrid: validation of an ended edit. The application's OnCellValidate (OnCellValidateWide)
// accepts, corrects or refuses the new text; a refused value never stays in the cell: the old or
// the corrected text goes back, the editor reopens on the edited cell and a balloon may explain.
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtGrid.h"
#include "grid/edit/EsgCheck.h"
#include "grid/edit/ExtInplaceEdit.h"

namespace
{

// Runs Cleanup when the scope ends, by return or by exception.
template <class F> class TFinally
{
  public:
    explicit TFinally(F Cleanup) : FCleanup(std::move(Cleanup)) {}
    ~TFinally() { FCleanup(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

  private:
    F FCleanup;
};

} // namespace

void TExtStringGrid::ShowInvalidEntryBalloon()
{
    if (InvalidEntryText.isEmpty() && InvalidEntryTitle.isEmpty())
        return;
    TWinControl* target = nullptr;
    if (FSpecialEditor || !EditMode)
        target = EditCtrl;
    else
        target = NormalEdit();
    if (target)
        ShowEditBalloon(target, InvalidEntryTitle, InvalidEntryText, int(InvalidEntryIcon));
}

bool TExtStringGrid::ValidateCell(const QString& NewValue)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const int c = RealColIndex(FOldCol);
    const int r = FOldRow;
    FNewCellText = NewValue;
    {
        // Also when the handler raises: the old-cell record describes the current cell again.
        TFinally done([this] {
            StoreOldCell(Col(), Row());
            FValidating = false;
        });
        if (NewValue != FOldCellText || AlwaysValidate) {
            const bool changed = NewValue != FOldCellText;
            const bool advance = FNavigation->AdvanceOnEnter;
            FNavigation->AdvanceOnEnter = false;
            QString v = NewValue;
            {
                TFinally restore([this, advance] { FNavigation->AdvanceOnEnter = advance; });
                auto* checker = dynamic_cast<TExtStringGridCheck*>(CellChecker);
                if (checker && checker->AutoCorrect)
                    v = checker->Correct(c, r, v);
                if (OnCellValidate)
                    OnCellValidate(this, c, r, v, valid);
                if (v != FOldCellText) {
                    FGridModified = true;
                    if (FixedCols() > 0) {
                        SetRowModified(RealRowIndex(Row()), true);
                        if (FShowModified->Enabled)
                            RepaintCell(0, Row());
                    }
                }
                if (valid) {
                    CalcFooter(c); // the column's footer follows the edit
                    if (checker && checker->AutoMarkError)
                        v = checker->MarkError(c, r, v);
                    // Registered with the text from before the edit, and only for a real change.
                    if (FUndoRedo && v != FOldCellText)
                        FUndoRedo->RegisterChange(c, r, FOldCellText, v);
                    if (changed)
                        DoCellsChanged(TRect(c, r, c, r));
                }
            }
            FNewCellText = v;
            if (valid) {
                if (GetCellEx(c, r) != v)
                    SetCellEx(c, r, v);
                if (IsMergedNonBaseCell(c, r)) {
                    const TPoint b = BaseCell(c, r);
                    SetCellEx(b.X, b.Y, v);
                }
            } else {
                FLastValidation = false;
                // The editor hides and reopens: that is no end of the edit, and what it is loaded
                // with is no user change.
                FReopening = true;
                TFinally reopened([this] { FReopening = false; });
                const bool corrected = v != NewValue;
                if (!corrected && EditMode)
                    FValidating = false;
                HideEditor();
                SetCellEx(c, r, corrected ? v : FOldCellText);
                MoveColRow(FOldCol, r, true, true);
                FValidating = false;
                FEditing = true;
                ShowInplaceEdit();
                if (!corrected && Col() != FOldCol)
                    InvalidateEditor();
                FModified = FOldModifiedValue;
                ShowInvalidEntryBalloon();
            }
            FOldCellText = GetGridCell(c, r);
        }
    }
    return valid;
}

bool TExtStringGrid::ValidateCellWide(const QString& NewValue)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const int c = RealColIndex(FOldCol);
    const int r = FOldRow;
    FNewCellText = NewValue;
    TFinally done([this] {
        StoreOldCell(Col(), Row());
        FValidating = false;
    });
    if (NewValue == FOldCellTextWide && !AlwaysValidate)
        return true;
    const bool changed = NewValue != FOldCellTextWide;
    const bool advance = FNavigation->AdvanceOnEnter;
    FNavigation->AdvanceOnEnter = false;
    QString v = NewValue;
    {
        TFinally restore([this, advance] { FNavigation->AdvanceOnEnter = advance; });
        CalcFooter(c); // the column's footer follows the edit
        if (OnCellValidateWide)
            OnCellValidateWide(this, c, r, v, valid);
        if (changed) {
            FGridModified = true;
            if (FShowModified->Enabled && FixedCols() > 0) {
                SetRowModified(FOldRow, true);
                RepaintCell(0, FOldRow);
            }
        }
        if (valid && changed)
            DoCellsChanged(TRect(c, r, c, r));
    }
    FNewCellText = v;
    if (valid) {
        SetWideCells(c, r, v);
    } else {
        FReopening = true;
        TFinally reopened([this] { FReopening = false; });
        HideEditor();
        SetWideCells(c, r, v != NewValue ? v : FOldCellTextWide);
        MoveColRow(FOldCol, r, true, true);
        FValidating = false;
        FEditing = true;
        ShowInplaceEdit();
        FModified = FOldModifiedValue;
    }
    FOldCellTextWide = DecodeWideText(GetGridCell(c, r));
    return valid;
}
