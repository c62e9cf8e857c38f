// Scope guards of the grid's data operations: what must happen when an operation ends, also when an
// exception leaves it.
#pragma once

#include "grid/core/ExtGrid.h"

#include <utility>

// Runs F when the scope ends.
template <class F> class TFinally
{
  public:
    explicit TFinally(F f) : FAction(std::move(f)) {}
    ~TFinally() { FAction(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

  private:
    F FAction;
};

// BeginUpdate for the life of the object.
class TUpdateLock
{
  public:
    explicit TUpdateLock(TExtStringGrid* G) : FGrid(G) { FGrid->BeginUpdate(); }
    ~TUpdateLock() { FGrid->EndUpdate(); }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

  private:
    TExtStringGrid* FGrid;
};
