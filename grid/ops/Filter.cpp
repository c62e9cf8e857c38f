#include "grid/ops/Filter.h"

#include "grid/core/ExtGrid.h"

void TFilterData::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TFilterData*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    Column = src->Column;
    Condition = src->Condition;
    CaseSensitive = src->CaseSensitive;
    Data = src->Data;
    Prefix = src->Prefix;
    Suffix = src->Suffix;
    Operation = src->Operation;
}

TFilter::TFilter(TExtStringGrid* AOwner) : TCollectionOf<TFilterData>(AOwner), FGrid(AOwner) {}

TFilterData* TFilter::Add()
{
    TFilterData* item = TCollectionOf::Add();
    item->Operation = Count() == 1 ? foNONE : foAND;
    return item;
}

TFilterData* TFilter::Insert(int)
{
    return TCollectionOf::Add();
}

TFilterData* TFilter::ColumnFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col)
            return Items(i);
    TFilterData* item = Add();
    item->Column = int16_t(Col);
    return item;
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col)
            return true;
    return false;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column == Col)
            Delete(i);
    if (FGrid)
        FGrid->RepaintCell(Col, 0);
}
