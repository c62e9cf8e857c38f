// The grid's OLE drag-and-drop switches (DragDropSettings): what may be dragged out of the grid and
// what happens to the source cells. Plain values; the grid reads them when a drag starts.
#pragma once

#include "platform/core/Classes.h"

class TDragDropSettings : public TPersistent
{
  public:
    void Assign(const TPersistent* Source) override
    {
        const auto* src = dynamic_cast<const TDragDropSettings*>(Source);
        if (!src) {
            TPersistent::Assign(Source);
            return;
        }
        ShowCells = src->ShowCells;
        OleColumnDragDrop = src->OleColumnDragDrop;
        OleColumnsOnly = src->OleColumnsOnly;
        OleCopyAlways = src->OleCopyAlways;
        OleDropSource = src->OleDropSource;
        OleRemoveRows = src->OleRemoveRows;
    }

    // A picture of the dragged cells follows the mouse; off: a header button does.
    bool ShowCells = true;
    // A header cell drags its whole column.
    bool OleColumnDragDrop = false;
    // Only header cells start a drag.
    bool OleColumnsOnly = false;
    // A move never removes the source cells.
    bool OleCopyAlways = false;
    // The grid can start drags.
    bool OleDropSource = false;
    // A move out of a row-selecting grid removes the source rows.
    bool OleRemoveRows = false;
};
