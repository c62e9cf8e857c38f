// The undo list: recording changes and stepping through them.
#include "grid/base/UndoRedo.h"
#include "grid/base/BaseGrid.h"

void TUndoRedoItem::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TUndoRedoItem*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    Row = src->Row;
    Col = src->Col;
    Value = src->Value;
    OrigValue = src->OrigValue;
    SequenceStart = src->SequenceStart;
    SequenceStop = src->SequenceStop;
}

VIvoDediZudaZove::VIvoDediZudaZove(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>(this))
{
}

VIvoDediZudaZove::~VIvoDediZudaZove()
{
    BeforeDestruction();
}

void VIvoDediZudaZove::SetGrid(TBaseGrid* Value)
{
    if (FGrid == Value)
        return;
    // A grid that still names this list as its own keeps the link, or it would not hear of our end.
    if (FGrid && FGrid->UndoRedo() != this)
        RemoveFreeNotification(FGrid);
    FGrid = Value;
    if (FGrid)
        FreeNotification(FGrid);
}

void VIvoDediZudaZove::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid)
        FGrid = nullptr;
}

void VIvoDediZudaZove::RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue)
{
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel)
        FItems->Delete(0);
    TUndoRedoItem* item = FItems->Add();
    item->Col = ACol;
    item->Row = ARow;
    item->Value = NewValue;
    item->OrigValue = OldValue;
    FLevel = FItems->Count();
}

void VIvoDediZudaZove::AppendMarker(bool Start)
{
    TUndoRedoItem* item = FItems->Add();
    item->Col = -1;
    item->Row = -1;
    item->SequenceStart = Start;
    item->SequenceStop = !Start;
    FLevel = FItems->Count();
}

void VIvoDediZudaZove::StartSequence()
{
    AppendMarker(true);
}

void VIvoDediZudaZove::StopSequence()
{
    AppendMarker(false);
}

void VIvoDediZudaZove::Reset()
{
    FItems->Clear();
    FLevel = 0;
}

void VIvoDediZudaZove::Apply(const TUndoRedoItem* Item, bool Undoing)
{
    if (Item->IsMarker())
        return;
    const QString text = Undoing ? Item->OrigValue : Item->Value;
    const VIvoDediZudaZoveEvent& event = Undoing ? OnUndo : OnRedo;
    if (event)
        event(this, FGrid, Item->Col, Item->Row, FGrid->Cells(Item->Col, Item->Row), text);
    FGrid->SetCells(Item->Col, Item->Row, text);
    // Cells loaded beyond the counts are written but cannot become current.
    const int col = FGrid->DisplColIndex(Item->Col);
    if (col >= 0 && col < FGrid->ColCount() && Item->Row >= 0 && Item->Row < FGrid->RowCount()) {
        FGrid->SetCol(col);
        FGrid->SetRow(Item->Row);
    }
}

void VIvoDediZudaZove::Undo()
{
    if (!FGrid || FLevel <= 0 || FLevel > FItems->Count())
        return;
    if (Item(FLevel - 1)->SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !Item(FLevel - 1)->SequenceStart) {
            Apply(Item(FLevel - 1), true);
            --FLevel;
        }
        if (FLevel > 0)
            --FLevel; // the start marker
        FGrid->InvalidateGrid();
        return;
    }
    const TUndoRedoItem* item = Item(FLevel - 1);
    Apply(item, true);
    if (!item->IsMarker())
        FGrid->RepaintCell(FGrid->Col(), item->Row);
    --FLevel;
}

void VIvoDediZudaZove::Redo()
{
    if (!FGrid || FLevel >= FItems->Count())
        return;
    const TUndoRedoItem* item = Item(FLevel);
    ++FLevel;
    if (!item->SequenceStart) {
        Apply(item, false);
        return;
    }
    // Up to and past the stop marker; an open sequence ends with the list, its last change included.
    while (FLevel < FItems->Count() && !Item(FLevel)->SequenceStop) {
        Apply(Item(FLevel), false);
        ++FLevel;
    }
    if (FLevel < FItems->Count())
        ++FLevel;
    FGrid->InvalidateGrid();
}
