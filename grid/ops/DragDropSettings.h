// The grid's OLE drag-and-drop switches (DragDropSettings): what may be dragged out of the grid, what
// it accepts when dropped on, and what happens to the source cells; and the clipboard's record of the
// last copy or cut. Plain values but two: OleDropTarget registers the grid's drop target for its
// window (at run time), OleDropRTF sets the foundation's rich-text switch.
#pragma once

#include "platform/core/Classes.h"

class TExtStringGrid;

// The last clipboard operation of a grid, handed to the paste's hook.
enum TClipOperation { coCut, coCopy };

class TDragDropSettings : public TPersistent
{
  public:
    explicit TDragDropSettings(TExtStringGrid* AGrid = nullptr) : FGrid(AGrid) {}

    // Copies all fifteen, the two active ones through their setters.
    void Assign(const TPersistent* Source) override;

    // A picture of the dragged cells follows the mouse; off: a header button does.
    bool ShowCells = true;
    // The drop target takes files, text and URLs.
    bool OleAcceptFiles = true;
    bool OleAcceptText = true;
    bool OleAcceptURLs = true;
    // With OleEntireRows, text dropped below the last row is appended as new rows.
    bool OleAppendRows = false;
    // A header cell drags its whole column.
    bool OleColumnDragDrop = false;
    // A column dropped onto this grid moves to the drop position.
    bool OleColumnReorder = false;
    // Only header cells start a drag.
    bool OleColumnsOnly = false;
    // A move never removes the source cells.
    bool OleCopyAlways = false;
    // The grid can start drags.
    bool OleDropSource = false;
    // Dropped text starts at column 0 (with row selection) and may be appended.
    bool OleEntireRows = false;
    // Dropped text is inserted as new rows.
    bool OleInsertRows = false;
    // A move out of a row-selecting grid removes the source rows.
    bool OleRemoveRows = false;

    // True at run time creates and registers the grid's drop target; False revokes it.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    // Rich text is accepted and offered (the foundation's unit-wide switch).
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);

  private:
    TExtStringGrid* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
};
