// TExtColumnGrid: the column items around grouping and the columns' own filter lists.
#include "grid/core/ExtCGrid.h"

void TExtColumnGrid::Group(int Colindex)
{
    if (TGridColumnItem* item = ItemOf(Colindex))
        FSaveCol->Assign(item);
    TExtStringGrid::Group(Colindex);
}

void TExtColumnGrid::UnGroup()
{
    const int column = GroupColumn();
    TExtStringGrid::UnGroup();
    if (column == -1)
        return;
    if (TGridColumnItem* item = ItemOf(column))
        item->Assign(FSaveCol.get());
}

void TExtColumnGrid::SelectFilterItem(int ItemIndex)
{
    const int column = FilterCol();
    TGridColumnItem* item = column >= 0 ? ItemOf(column) : nullptr;
    if (!item || item->Filter()->Count() == 0) {
        TExtStringGrid::SelectFilterItem(ItemIndex);
        return;
    }
    if (ItemIndex >= 0 && ItemIndex < item->Filter()->Count()) {
        QString caption, condition;
        SplitFilterChoice(item->Filter()->Strings(ItemIndex), caption, condition);
        if (AutoFilterDisplay)
            item->SetHeader(caption);
        if (AutoFilterUpdate)
            SetFilterActive(false);
        if (OnFilterSelect)
            OnFilterSelect(this, column, ItemIndex, caption, condition);
        TFilterData* data = Filter()->ColumnFilter(column);
        data->Condition = condition;
        data->CaseSensitive = item->FilterCaseSensitive;
        if (AutoFilterUpdate) {
            SetFilterActive(true);
            if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways()))
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    FFilterCol = -1;
}
