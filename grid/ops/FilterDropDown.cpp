// The filter list settings and controls, and the grid's side of the column filter lists: opening a
// list under a filter button and applying a single choice or the ticked choices.
#include "grid/ops/FilterDropDown.h"

#include "grid/core/ExtGrid.h"

#include <QCursor>
#include <QFontMetrics>
#include <algorithm>

namespace
{

// The mouse is over the control's client area (as the window system tells it now).
bool MouseInside(TControl* Control)
{
    const QPoint p = Control->Widget()->mapFromGlobal(QCursor::pos());
    return Control->ClientRect().Contains(TPoint::FromQPoint(p));
}

// Offset of the list from the filter button's cell: below the button, from its left edge.
constexpr int FilterListOffset = 16;

} // namespace

// ---- TFilterDropDown -----------------------------------------------------------------------------------

TFilterDropDown::TFilterDropDown() = default;
TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TFilterDropDown*>(Source);
    if (!src)
        return;
    Color = src->Color;
    ColumnWidth = src->ColumnWidth;
    FFont->Assign(src->FFont.get());
    Height = src->Height;
    Width = src->Width;
    SetGlyph(src->FGlyph.get());
    SetGlyphActive(src->FGlyphActive.get());
}

void TFilterDropDown::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    if (OnChange)
        OnChange(this);
}

void TFilterDropDown::SetGlyphActive(const TBitmap* Value)
{
    FGlyphActive->Assign(Value);
    if (OnChange)
        OnChange(this);
}

// ---- The two lists -------------------------------------------------------------------------------------

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner) {}

bool TDropList::WantsKey(WORD Key, TShiftState Shift) const
{
    return Key == VK_RETURN || TListBox::WantsKey(Key, Shift);
}

void TDropList::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TListBox::HandleKeyDown(Key, Shift);
    if (Key != VK_RETURN)
        return;
    SetVisible(false);
    if (OnSelect)
        OnSelect(this, ItemIndex());
}

void TDropList::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TListBox::HandleMouseUp(Button, Shift, X, Y);
    SetVisible(false);
    if (OnSelect)
        OnSelect(this, ItemIndex());
}

void TDropList::HandleKillFocus()
{
    TListBox::HandleKillFocus();
    // Hidden already: the list closed itself and its choice is on its way.
    if (!Visible() || MouseInside(this))
        return;
    if (OnCancel)
        OnCancel(this);
    SetVisible(false);
}

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {}

void TDropCheckList::ClickCheck()
{
    TCheckListBox::ClickCheck();
    if (OnSelect)
        OnSelect(this, -1);
}

void TDropCheckList::HandleKillFocus()
{
    TCheckListBox::HandleKillFocus();
    if (!Visible() || MouseInside(this))
        return;
    if (OnCancel)
        OnCancel(this);
    SetVisible(false);
}

// ---- The grid's side -----------------------------------------------------------------------------------

void TExtStringGrid::CreateFilterLists()
{
    FFilter = std::make_unique<TFilter>(this);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this](TObject*) { InvalidateGrid(); };
    const auto cancel = [this](TObject*) { FFilterCol = -1; };
    FDropList = new TDropList(this);
    FDropList->SetVisible(false);
    FDropList->SetBounds(0, 0, 0, 0);
    FDropList->SetParent(this);
    FDropList->OnSelect = [this](TObject*, int ItemIndex) { SelectFilterItem(ItemIndex); };
    FDropList->OnCancel = cancel;
    FDropCheckList = new TDropCheckList(this);
    FDropCheckList->SetVisible(false);
    FDropCheckList->SetBounds(0, 0, 0, 0);
    FDropCheckList->SetParent(this);
    FDropCheckList->OnSelect = [this](TObject*, int) { ApplyFilterChecks(); };
    FDropCheckList->OnCancel = cancel;
}

void TExtStringGrid::SetFilterDropDown(const TFilterDropDown* Value)
{
    FFilterDropDown->Assign(Value);
}

void TExtStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value >= FixedRows() || Value == FFilterDropDownRow)
        return;
    FFilterDropDownRow = Value;
    InvalidateGrid();
}

void TExtStringGrid::SplitFilterChoice(const QString& Choice, QString& FriendlyName, QString& Condition)
{
    const qsizetype eq = Choice.indexOf('=');
    FriendlyName = eq < 0 ? Choice : Choice.left(eq);
    Condition = eq < 0 ? Choice : Choice.mid(eq + 1);
}

void TExtStringGrid::HideFilterDropDown()
{
    FFilterCol = -1;
    if (FDropList && FDropList->Visible())
        FDropList->SetVisible(false);
    if (FDropCheckList && FDropCheckList->Visible())
        FDropCheckList->SetVisible(false);
}

void TExtStringGrid::ShowFilterDropDown(int ACol, int ARow)
{
    FFilterCol = RealColIndex(ACol);
    const bool check = FilterDropDownCheck;
    TListBox* list = check ? static_cast<TListBox*>(FDropCheckList) : FDropList;
    (check ? static_cast<TListBox*>(FDropList) : FDropCheckList)->SetVisible(false);
    list->SetColor(FFilterDropDown->Color);
    list->Font->Assign(FFilterDropDown->Font());

    list->Items->BeginUpdate();
    list->Items->Clear();
    int widest = 0;
    const QFontMetrics metrics(list->Widget()->font());
    for (int i = 0; i < FFilterList->Count(); ++i) {
        QString friendly, condition;
        SplitFilterChoice(FFilterList->Strings(i), friendly, condition);
        list->Items->Add(friendly);
        widest = std::max(widest, int(metrics.horizontalAdvance(friendly)));
    }
    list->Items->EndUpdate();
    if (check) {
        for (int i = 0; i < FFilterList->Count(); ++i) {
            QString friendly, condition;
            SplitFilterChoice(FFilterList->Strings(i), friendly, condition);
            for (int k = 0; k < FFilter->Count(); ++k) {
                const TFilterData* item = FFilter->Items(k);
                if (item->Column == FFilterCol && item->Condition == condition)
                    FDropCheckList->SetChecked(i, true);
            }
        }
    } else if (list->Count() > 0) {
        list->SetItemIndex(0);
    }

    int w = FFilterDropDown->Width;
    int h = FFilterDropDown->Height;
    if (FFilterDropDown->AutoSize) {
        h = list->Count() * list->ItemHeight() + 2 * FilterListEdge;
        w = widest + 8 + 2 * FilterListEdge;
    }
    const TRect cr = CellRect(ACol, ARow);
    int left = cr.Right - FilterListOffset;
    if (FFilterDropDown->ColumnWidth) {
        left = cr.Left;
        w = cr.Right - cr.Left;
    }
    // Kept inside the grid: ending at the column's right edge, never left of the grid.
    if (left + w > ClientWidth())
        left = cr.Right - w;
    left = std::max(left, 0);
    list->SetBounds(left, cr.Top + FilterListOffset, w, h);
    list->SetVisible(true);
    list->BringToFront();
    list->SetFocus();
}

void TExtStringGrid::SelectFilterItem(int ItemIndex)
{
    SetFocus();
    const bool valid = FFilterCol >= 0 && FFilterCol < ColCount() + NumHiddenColumns() && ItemIndex >= 0 &&
                       ItemIndex < FDropList->Count();
    if (valid) {
        const int col = FFilterCol;
        GetColumnFilter(col);
        QString friendly, condition;
        if (ItemIndex < FFilterList->Count())
            SplitFilterChoice(FFilterList->Strings(ItemIndex), friendly, condition);
        if (AutoFilterUpdate)
            SetFilterActive(false);
        if (condition == FilterDropDownClear)
            condition.clear();
        if (OnFilterSelect)
            OnFilterSelect(this, col, ItemIndex, friendly, condition);
        if (!condition.isEmpty())
            FFilter->ColumnFilter(col)->Condition = condition;
        else
            FFilter->RemoveColumnFilter(col);
        if (AutoFilterUpdate) {
            SetFixedRowAlways(true);
            SetFilterActive(true);
            if (RowCount() != FixedRows() && RowCount() != 1)
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    FFilterCol = -1;
}

void TExtStringGrid::ApplyFilterChecks()
{
    if (FFilterCol < 0 || FFilterCol >= ColCount() + NumHiddenColumns())
        return;
    const int col = FFilterCol;
    GetColumnFilter(col);
    if (AutoFilterUpdate)
        SetFilterActive(false);
    FFilter->Clear();
    const int n = std::min(FDropCheckList->Count(), FFilterList->Count());
    for (int i = 0; i < n; ++i) {
        if (!FDropCheckList->Checked(i))
            continue;
        QString friendly, condition;
        SplitFilterChoice(FFilterList->Strings(i), friendly, condition);
        if (condition == FilterDropDownClear)
            condition.clear();
        if (OnFilterCheck)
            OnFilterCheck(this, col, i, friendly, condition, FDropCheckList);
        TFilterData* item = FFilter->Add();
        item->Condition = condition;
        item->Column = int16_t(col);
        item->Operation = FFilter->Count() == 1 ? foNONE : foOR;
    }
    SetFilterActive(true);
    FDropCheckList->Invalidate();
}
