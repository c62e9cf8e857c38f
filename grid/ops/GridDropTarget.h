// The grid as a drop target: TGridDropTarget turns the foundation's drop calls into the grid's work
// (text through PasteText, the cell stream, a column, RTF and URLs into one cell, a CSV or XLS file),
// with the drop arrows and the auto-scroll while dragging over it. DragDropSettings.OleDropTarget
// creates and registers it; the accept switches are read from the settings at each drag's entry.
#pragma once

#include "grid/base/GridDragDrop.h"

#include <QPointer>

class TExtStringGrid;

class TGridDropTarget : public TESGDropTarget
{
  public:
    explicit TGridDropTarget(TExtStringGrid* AGrid);

    HRESULT DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect) override;

    // The columns and extra rows a dropped text covers: the most tab fields of a line, and the line
    // breaks that lead to a non-empty line.
    static void GetTextDimensions(const QString& Text, int& Cols, int& ExtraRows);

  protected:
    void DropText(TPoint pt, const QString& s) override;
    void DropStream(TPoint pt, std::unique_ptr<TMemoryStream> ms) override;
    void DropCol(TPoint pt, int Col) override;
    void DropRTF(TPoint pt, const QString& s) override;
    void DropFiles(TPoint pt, TStrings* Files) override;
    void DropURL(TPoint pt, const QString& s) override;
    void DragMouseMove(TPoint pt, bool& Allow, TDropFormats DropFormats) override;
    void DragMouseLeave() override;

  private:
    // The cell under the screen point, with the append zone below the last row (client point too).
    bool TargetCell(TPoint pt, bool ColumnDrag, int& ACol, int& ARow, TPoint& Client);
    void HideArrows();
    void DropIntoCell(TPoint pt, const QString& s, bool Url);

    QPointer<QObject> FGridAlive;
    TExtStringGrid* FGrid;
};

// Called once at unit start (OLE needs no initialisation on Qt, so it only counts the calls).
void ExtGridOleInitialize();
int ExtGridOleInitializeCount();
