// TBaseGrid: construction, destruction, the look properties and the undo-list link.
#include "grid/base/BaseGrid.h"
#include "grid/base/UndoRedo.h"

#include <unordered_set>

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    // The grid paints every cell itself, lines included.
    TStringGrid::SetDefaultDrawing(false);
    SetGridLineWidth(BaseGridLineWidth);
}

TBaseGrid::~TBaseGrid()
{
    Destroying();
    if (FUndoRedo && FUndoRedo->Grid() == this)
        FUndoRedo->SetGrid(nullptr);
    // Every slot, not only the cells within the counts: rows cut by a smaller RowCount keep theirs.
    std::unordered_set<TCellProperties*> owned;
    ForEachObjectSlot([&](int, int, TObject*& slot) {
        if (auto* props = dynamic_cast<TCellProperties*>(slot)) {
            owned.insert(props);
            slot = nullptr;
        }
    });
    for (TCellProperties* props : owned)
        FreePropsAndGraphic(props);
}

void TBaseGrid::FreePropsAndGraphic(TCellProperties* Props)
{
    if (TObject* graphic = Props->GraphicObject(); graphic && graphic->ClassName() == "TCellGraphic")
        delete graphic;
    delete Props;
}

void TBaseGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    TStringGrid::SetGridLineWidth(0);
    InvalidateGrid();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    InvalidateGrid();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    InvalidateGrid();
}

template <class T> void TBaseGrid::SetRepainting(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    InvalidateGrid();
}

void TBaseGrid::SetActiveRowShow(bool Value)
{
    SetRepainting(FActiveRowShow, Value);
}

void TBaseGrid::SetActiveRowColor(TColor Value)
{
    SetRepainting(FActiveRowColor, Value);
}

void TBaseGrid::SetActiveRowColorTo(TColor Value)
{
    SetRepainting(FActiveRowColorTo, Value);
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value)
{
    SetRepainting(FActiveRowMirrorColor, Value);
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value)
{
    SetRepainting(FActiveRowMirrorColorTo, Value);
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
    SetRepainting(FSelectionStyle, Value);
}

void TBaseGrid::SetUndoRedo(VIvoDediZudaZove* Value)
{
    if (FUndoRedo == Value)
        return;
    VIvoDediZudaZove* old = FUndoRedo;
    FUndoRedo = Value;
    if (old && old->Grid() == this)
        old->SetGrid(nullptr);
    if (Value)
        Value->SetGrid(this);
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TObjStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FUndoRedo)
        FUndoRedo = nullptr;
}
