// TSortSettings: the string grid's sort settings (the grid's SortSettings), owned by the grid.
// The header click reads Show, Row, Column, Direction, IndexShow, IndexSortKey, InitSortDirection,
// FixedCols, UndoSort and AutoColumnMerge.
#pragma once

#include "grid/core/ExtGrid_Scroll.h"
#include "platform/core/Classes.h"

class TExtStringGrid;

// The key that, held at a header click, adds the column to the sort index list.
enum TIndexSortKey { ikShift, ikCtrl };

class TSortSettings : public TPersistent
{
  public:
    explicit TSortSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}

    bool AutoColumnMerge = false;
    int Column = -1;
    bool Show() const { return FShow; }
    void SetShow(bool Value) { FShow = Value; }
    bool IndexShow = false;
    TIndexSortKey IndexSortKey = ikShift;
    TSortDirection Direction = sdAscending;
    TSortDirection InitSortDirection = sdAscending;
    bool FixedCols = false;
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    bool UndoSort = false;

  private:
    TExtStringGrid* FOwner;
    bool FShow = false;
    int FRow = 0;
};
