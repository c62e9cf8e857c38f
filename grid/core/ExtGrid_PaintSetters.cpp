// TExtStringGrid: the appearance writers, the selection hiding, the design-time box and the small hooks
// that fire events.
#include "grid/base/DrawHelpers.h"
#include "grid/core/ExtGrid.h"
#include "platform/graphics/ImgList.h"
#include "platform/core/DateUtils.h"

#include <algorithm>

// ---- Appearance writers ------------------------------------------------------------------------------

void TExtStringGrid::SetSelectionColor(TColor Value)
{
    Repainting(SelectionColor, Value);
}

void TExtStringGrid::SetSelectionColorMixerFactor(int Value)
{
    if (Value == FSelectionColorMixerFactor)
        return;
    FSelectionColorMixerFactor = std::clamp(Value, 0, 100);
    InvalidateGrid();
}

void TExtStringGrid::SetShowSelection(bool Value)
{
    Repainting(FShowSel, Value);
}

void TExtStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!(ComponentState() & csLoading)) {
        InvalidateGrid();
        RepaintFrame();
    }
}

void TExtStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVAlign = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : 0;
    if (FUpdateCount == 0)
        InvalidateGrid();
}

void TExtStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    // Switching it off only clears the flag: what the True settings turned on may be the user's own.
    if (!Value)
        return;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->AllowSmartClipboard = true;
    SetOptions(Options() | (goRangeSelect | goEditing));
    FMouseActions->RangeSelectAndEdit = true;
}

void TExtStringGrid::SetActiveCellShow(bool Value)
{
    ActiveCellShow = Value;
    InvalidateGrid();
}

void TExtStringGrid::SetActiveCellColor(TColor Value)
{
    ActiveCellColor = Value;
    InvalidateGrid();
}

void TExtStringGrid::SetActiveCellColorTo(TColor Value)
{
    ActiveCellColorTo = Value;
    InvalidateGrid();
}

void TExtStringGrid::SetXYOffset(TPoint Value)
{
    XYOffset = Value;
    InvalidateGrid();
}

void TExtStringGrid::SetURLColor(TColor Value)
{
    if (Value == URLColor)
        return;
    URLColor = Value;
    if (FURLShow)
        InvalidateGrid();
}

void TExtStringGrid::SetURLShow(bool Value)
{
    Repainting(FURLShow, Value);
}

void TExtStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow)
        InvalidateGrid();
}

void TExtStringGrid::SetBackGround(const TPersistent* Value)
{
    FBackGround->Assign(Value);
    InvalidateGrid();
}

void TExtStringGrid::SetRowIndicator(const TBitmap* Value)
{
    FRowIndicator->Assign(Value);
    InvalidateCell(0, Row());
}

void TExtStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (Value == FAutoThemeAdapt)
        return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        AdaptToOfficeTheme();
        InvalidateGrid();
    }
}

void TExtStringGrid::SetShowDesignHelper(bool Value)
{
    Repainting(FShowDesignHelper, Value);
}

// ---- Selection ---------------------------------------------------------------------------------------

void TExtStringGrid::SetSelectionEx(const TGridRect& Value)
{
    SetSelection(Value);
    if (ActiveCellShow) {
        InvalidateRow(0);
        InvalidateCol(0);
    }
    if (ActiveRowShow())
        InvalidateRow(Value.Bottom);
}

void TExtStringGrid::HideSelection()
{
    FOldSelection = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TExtStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
        SetSelection(FOldSelection);
        return;
    }
    const int c = FFixedColAlways && FixedCols() >= ColCount() ? 0 : FixedCols();
    const int r = FFixedRowAlways && FixedRows() >= RowCount() ? 0 : FixedRows();
    SetSelection(TGridRect{c, r, c, r});
}

// ---- Hooks -------------------------------------------------------------------------------------------

void TExtStringGrid::DoCanAddRow(bool& CanAdd)
{
    if (OnCanAddRow)
        OnCanAddRow(this, CanAdd);
}

void TExtStringGrid::DoCanInsertRow(int ARow, bool& CanInsert)
{
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, CanInsert);
}

void TExtStringGrid::DoEllipsClick(const QString& Text, QString& Value)
{
    Value = Text;
    if (!OnEllipsClick)
        return;
    QString s = Text;
    OnEllipsClick(this, RealColIndex(Col()), Row(), s);
    Value = s;
}

void TExtStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
}

void TExtStringGrid::DateTimeChange(int Year, int Month, int Day)
{
    if (!OnDateTimeChange)
        return;
    // An empty or impossible date passes 0.
    TDateTime value = 0;
    if (Year == 0 || Month == 0 || Day == 0 || !TryEncodeDate(Year, Month, Day, value))
        value = 0;
    OnDateTimeChange(this, Col(), Row(), value);
}

// ---- Dialog keys and component notification -----------------------------------------------------------

uint32_t TExtStringGrid::WMGetDlgCode()
{
    constexpr uint32_t WantArrows = 0x01, WantTab = 0x02, WantChars = 0x80;
    uint32_t code = WantArrows;
    if (Options().Contains(goTabs))
        code |= WantTab;
    if (Options().Contains(goEditing))
        code |= WantChars;
    if (FNavigation->AutoGotoWhenSorted || !Options().Contains(goEditing))
        code |= WantChars;
    return code;
}

void TExtStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (AComponent == GridImages)
            GridImages = nullptr;
        if (CellChecker && CellChecker == AComponent)
            CellChecker = nullptr;
        if (FEditLink && static_cast<const void*>(FEditLink) == static_cast<const void*>(AComponent))
            FEditLink = nullptr;
        if (!(ComponentState() & csDestroying) && FSyncGrid && FSyncGrid->Grid() == AComponent)
            FSyncGrid->SetGrid(nullptr);
    }
    TBaseGrid::Notification(AComponent, Operation);
}
