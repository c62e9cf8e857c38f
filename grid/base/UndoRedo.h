// The undo list of one grid: a linear history of cell text changes, undone and redone singly or in
// bracketed sequences.
//
// Protocol of a caller: RegisterChange(c, r, old, new) after each change; a multi-cell operation is
// bracketed by StartSequence and StopSequence so that one Undo/Redo takes all of it. Level counts the
// history entries in effect; registering after an undo appends behind the undone ones. Markers
// (Col = Row = -1) are only stepped over, never written to a cell, and Level never drops below 0,
// also for an open sequence or one whose start marker MaxLevel dropped.
//
// The grid links itself through TBaseGrid::SetUndoRedo; whichever of the two goes first, the other
// forgets it.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/core/Classes.h"
#include "platform/core/StringList.h"

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem
{
  public:
    explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
    void Assign(const TPersistent* Source) override;

    int Row = 0;       // -1 for a marker
    int Col = 0;       // real column; -1 for a marker
    QString Value;     // after the change (what redo writes)
    QString OrigValue; // before the change (what undo writes)
    bool SequenceStart = false;
    bool SequenceStop = false;

    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

class TUndoRedoCollection : public TCollectionOf<TUndoRedoItem>
{
  public:
    using TCollectionOf<TUndoRedoItem>::TCollectionOf;
};

class VIvoDediZudaZove : public TComponent
{
  public:
    explicit VIvoDediZudaZove(TComponent* AOwner);
    ~VIvoDediZudaZove() override;

    // Drops the oldest item when MaxLevel > 0 and the list holds MaxLevel items or more, then appends
    // the change; Level := the number of items.
    virtual void RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    // Nothing without a linked grid. Each applied item fires OnUndo/OnRedo with the cell's current
    // text and the one about to be written, writes it through the grid's Cells and makes the cell
    // current.
    void Undo();
    void Redo();
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }

    TUndoRedoCollection* Items() const { return FItems.get(); }
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* Value);
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int Value) { FMaxLevel = Value; }

    VIvoDediZudaZoveEvent OnUndo;
    VIvoDediZudaZoveEvent OnRedo;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    void AppendMarker(bool Start);
    void Apply(const TUndoRedoItem* Item, bool Undoing);
    TUndoRedoItem* Item(int Index) const { return FItems->Items(Index); }

    std::unique_ptr<TUndoRedoCollection> FItems;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
};
