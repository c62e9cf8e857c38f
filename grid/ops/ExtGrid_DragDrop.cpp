// The grid as a drop target (TGridDropTarget), the active drag-and-drop settings, the column
// chooser hook and the unit's start-up.
#include "grid/ops/GridDropTarget.h"

#include "grid/core/ExtGrid.h"
#include "grid/core/FloatingWindows.h"
#include "grid/ops/ScopeGuards.h"

namespace
{

// The row arrow sits this far left of the target row; the arrows are this large.
constexpr int RowArrowGap = 10;
constexpr int ArrowSize = 10;
constexpr int ArrowHalf = 5;
// Without fixed rows, a point this close to the top scrolls up.
constexpr int ScrollUpZone = 8;

int gOleInitCount = 0;

// Unit start: OLE for the thread, and the grid's clipboard format registered once.
const bool gUnitStarted = [] {
    ExtGridOleInitialize();
    RegisterDropFormats();
    return true;
}();

} // namespace

void ExtGridOleInitialize()
{
    ++gOleInitCount;
}

int ExtGridOleInitializeCount()
{
    return gOleInitCount;
}

// ---- Settings ---------------------------------------------------------------------------------------------

void TDragDropSettings::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TDragDropSettings*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    ShowCells = src->ShowCells;
    OleAcceptFiles = src->OleAcceptFiles;
    OleAcceptText = src->OleAcceptText;
    OleAcceptURLs = src->OleAcceptURLs;
    OleAppendRows = src->OleAppendRows;
    OleColumnDragDrop = src->OleColumnDragDrop;
    OleColumnReorder = src->OleColumnReorder;
    OleColumnsOnly = src->OleColumnsOnly;
    OleCopyAlways = src->OleCopyAlways;
    OleDropSource = src->OleDropSource;
    OleEntireRows = src->OleEntireRows;
    OleInsertRows = src->OleInsertRows;
    OleRemoveRows = src->OleRemoveRows;
    SetOleDropTarget(src->FOleDropTarget);
    SetOleDropRTF(src->FOleDropRTF);
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    if (FOleDropTarget == Value)
        return;
    FOleDropTarget = Value;
    if (FGrid && !FGrid->IsDesignTime())
        FGrid->ApplyOleDropTarget(Value);
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    FOleDropRTF = Value;
    EnableRTFDragDrop(Value);
}

void TExtStringGrid::ApplyOleDropTarget(bool Value)
{
    if (Value) {
        if (!FGridDropTarget)
            FGridDropTarget = ComPtr<IDropTarget>(new TGridDropTarget(this));
        // Without a registration the grid works on, without drops.
        if (!FOleDropTargetRegistered)
            FOleDropTargetRegistered = RegisterDragDrop(Handle(), FGridDropTarget.Get()) == S_OK;
        return;
    }
    if (FOleDropTargetRegistered)
        RevokeDragDrop(Handle());
    FOleDropTargetRegistered = false;
    FGridDropTarget.Reset();
}

void TExtStringGrid::OleColumnDragStart(int ACol, int AIndex, TListBox* AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

// ---- TGridDropTarget
// ----------------------------------------------------------------------------------------

TGridDropTarget::TGridDropTarget(TExtStringGrid* AGrid) : FGridAlive(AGrid->Widget()), FGrid(AGrid)
{
    FAcceptCols = true;
}

HRESULT TGridDropTarget::DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect)
{
    if (FGridAlive) {
        const TDragDropSettings* dd = FGrid->DragDropSettings();
        FAcceptFiles = dd->OleAcceptFiles;
        FAcceptText = dd->OleAcceptText;
        FAcceptURLs = dd->OleAcceptURLs;
    }
    return TESGDropTarget::DragEnter(DataObject, KeyState, pt, Effect);
}

void TGridDropTarget::GetTextDimensions(const QString& Text, int& Cols, int& ExtraRows)
{
    Cols = 0;
    ExtraRows = 0;
    int fields = 1;
    bool lineEnded = false; // a line break was seen; it counts once the next line has text
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar ch = Text[i];
        if (ch == QChar('\r') || ch == QChar('\n')) {
            if (ch == QChar('\r') && i + 1 < Text.size() && Text[i + 1] == QChar('\n'))
                ++i;
            Cols = std::max(Cols, fields);
            fields = 1;
            lineEnded = true;
            continue;
        }
        if (lineEnded) {
            ++ExtraRows;
            lineEnded = false;
        }
        if (ch == QChar('\t'))
            ++fields;
    }
    Cols = std::max(Cols, fields);
}

bool TGridDropTarget::TargetCell(TPoint pt, bool ColumnDrag, int& ACol, int& ARow, TPoint& Client)
{
    FGrid->ScreenToCell(pt, ACol, ARow);
    Client = FGrid->ScreenToClient(pt);
    const TDragDropSettings* dd = FGrid->DragDropSettings();
    if (ARow != -1 || ColumnDrag || !dd->OleEntireRows || !dd->OleAppendRows || FGrid->RowCount() == 0)
        return false;
    const int last = FGrid->RowCount() - 1;
    const TRect r = FGrid->CellRect(0, last);
    // A last row scrolled out of view has nothing below it on screen.
    if (r.Bottom <= r.Top || Client.Y < r.Bottom)
        return false;
    ACol = FGrid->FixedCols();
    ARow = last;
    return true;
}

void TGridDropTarget::HideArrows()
{
    FGrid->MoveArrow(arrLeft)->Hide();
    FGrid->MoveArrow(arrDown)->Hide();
    FGrid->MoveArrow(arrUp)->Hide();
}

void TGridDropTarget::DragMouseMove(TPoint pt, bool& Allow, TDropFormats DropFormats)
{
    TESGDropTarget::DragMouseMove(pt, Allow, DropFormats);
    if (!FGridAlive)
        return;
    TExtStringGrid* g = FGrid;
    const TDragDropSettings* dd = g->DragDropSettings();
    const bool colDrag = DropFormats.Contains(dfCol);
    const bool fileDrag = DropFormats.Contains(dfFile);
    int ACol = -1, ARow = -1;
    TPoint cp;
    const bool append = TargetCell(pt, colDrag, ACol, ARow, cp);

    Allow = ACol >= 0 && ARow >= 0;
    if (!colDrag && Allow) {
        if ((ARow == 0 && g->TopRow() > g->FixedRows()) ||
            (cp.Y < ScrollUpZone && g->FixedRows() == 0 && g->TopRow() > 0))
            g->SetTopRow(g->TopRow() - 1);
        if (ARow == g->TopRow() + g->VisibleRowCount() && ARow < g->RowCount())
            g->SetTopRow(g->TopRow() + 1);
        // Columns scroll at half the pace of rows.
        if (g->FTimerTicks % 2 == 0) {
            ++g->FTimerTicks;
            if (ACol == 0 && g->LeftCol() > g->FixedCols())
                g->SetLeftCol(g->LeftCol() - 1);
            if (ACol == g->LeftCol() + g->VisibleColCount() && ACol < g->ColCount())
                g->SetLeftCol(g->LeftCol() + 1);
        }
    }

    if (!colDrag) {
        if (ARow >= 0 && ARow < g->FixedRows() && !(g->RowCount() == 1 && g->FixedRowAlways()))
            Allow = false;
    } else {
        if (ACol < 0 && cp.X >= 0 && g->FixedRows() > 0 && g->ColCount() > 0) {
            // Beyond the last column, level with the header: a drop there puts the column last.
            const int headerBottom = g->CellRect(0, g->FixedRows() - 1).Bottom;
            if ((ARow >= 0 && ARow < g->FixedRows()) || (ARow < 0 && cp.Y >= 0 && cp.Y < headerBottom)) {
                ACol = g->ColCount();
                ARow = 0;
            }
        }
        Allow = ARow >= 0 && ARow < g->FixedRows() && ACol >= g->FixedCols();
    }
    if (fileDrag || DropFormats.Contains(dfGridCells))
        Allow = true;
    if (g->OnOleDragOver)
        g->OnOleDragOver(g, ARow, ACol, Allow);
    if (!fileDrag && (ACol < 0 || ARow < 0))
        Allow = false;

    if (colDrag && Allow) {
        const int x =
            ACol < g->ColCount() ? g->CellRect(ACol, 0).Left : g->CellRect(g->ColCount() - 1, 0).Right;
        const TRect head = g->CellRect(std::min(ACol, g->ColCount() - 1), 0);
        const TPoint top = g->ClientToScreen(TPoint(x - ArrowHalf, head.Top));
        const TPoint bottom = g->ClientToScreen(TPoint(x - ArrowHalf, head.Bottom));
        g->MoveArrow(arrDown)->SetBounds(top.X, top.Y - ArrowSize, ArrowSize, ArrowSize);
        g->MoveArrow(arrUp)->SetBounds(bottom.X, bottom.Y, ArrowSize, ArrowSize);
        g->MoveArrow(arrDown)->Show();
        g->MoveArrow(arrUp)->Show();
        g->MoveArrow(arrLeft)->Hide();
    } else if (Allow && ARow >= 0) {
        int row = ARow;
        if (ARow == 0 && g->FixedRowAlways() && g->RowCount() > 1)
            row = 1;
        const int col = dd->OleEntireRows ? 0 : std::max(ACol, 0);
        const TRect cell = g->CellRect(std::min(col, g->ColCount() - 1), std::min(row, g->RowCount() - 1));
        // In append mode the arrow points at the row to come, below the last one.
        const int y = append ? cell.Bottom : cell.Top;
        const TPoint at = g->ClientToScreen(TPoint(cell.Left - RowArrowGap, y - ArrowHalf));
        g->MoveArrow(arrLeft)->SetBounds(at.X, at.Y, ArrowSize, ArrowSize);
        g->MoveArrow(arrLeft)->Show();
        g->MoveArrow(arrDown)->Hide();
        g->MoveArrow(arrUp)->Hide();
    } else {
        HideArrows();
    }
}

void TGridDropTarget::DragMouseLeave()
{
    if (FGridAlive)
        HideArrows();
}

void TGridDropTarget::DropText(TPoint pt, const QString& s)
{
    if (!FGridAlive)
        return;
    TExtStringGrid* g = FGrid;
    // Also when the drop raises.
    const TFinally hide([g] {
        g->MoveArrow(arrLeft)->Hide();
        g->MoveArrow(arrDown)->Hide();
        if (g->MoveButton())
            g->MoveButton()->Hide();
    });
    const TDragDropSettings* dd = g->DragDropSettings();
    int ACol = -1, ARow = -1;
    TPoint cp;
    const bool append = TargetCell(pt, false, ACol, ARow, cp);
    if (ACol < 0 || ARow < 0)
        return;
    int cols = 0, extra = 0;
    GetTextDimensions(s, cols, extra);
    const bool rowSelect = g->Options().Contains(goRowSelect);
    if (rowSelect)
        ACol = dd->OleEntireRows ? 0 : g->FixedCols();
    bool allow = true;
    if (g->OnOleDrop)
        g->OnOleDrop(g, ARow, ACol, s, allow);
    if (!allow)
        return;

    TUpdateLock lock(g);
    const int added = extra + 1;
    if (dd->OleInsertRows && !append && dd->OleRemoveRows && g->FDropSelection.Top >= ARow) {
        // A move within the grid: the source rows go down with the inserted ones, so removing them
        // afterwards hits them. The disjunct row selection moves with the insertion itself.
        g->FDropSelection.Top += added;
        g->FDropSelection.Bottom += added;
    }
    if (ARow == 0 && g->FixedRowAlways() && g->RowCount() == 1)
        ARow = 1;
    if (append) {
        // Below the last row: the lines become new rows after it.
        g->SetRowCount(g->RowCount() + added);
        ++ARow;
    } else if (dd->OleInsertRows) {
        g->InsertRows(ARow, added);
    }
    if ((append || dd->OleInsertRows) && g->TopRow() > g->FixedRows())
        g->SetTopRow(g->TopRow() + 1);
    g->PasteText(ACol, ARow, s);
    ACol = std::max(ACol, g->FixedCols());
    const int right = ACol + cols - 1 - (rowSelect ? g->FixedCols() : 0);
    const TGridRect block{ACol, ARow, std::max(ACol, std::min(right, g->ColCount() - 1)),
                          std::min(ARow + extra, g->RowCount() - 1)};
    g->SetSelection(block);
    if (g->OnOleDropped)
        g->OnOleDropped(g, block);
}

void TGridDropTarget::DropStream(TPoint pt, std::unique_ptr<TMemoryStream> ms)
{
    if (!FGridAlive)
        return;
    TExtStringGrid* g = FGrid;
    const TFinally hide([g] {
        g->MoveArrow(arrLeft)->Hide();
        g->MoveArrow(arrDown)->Hide();
        if (g->MoveButton())
            g->MoveButton()->Hide();
    });
    int ACol = -1, ARow = -1;
    g->ScreenToCell(pt, ACol, ARow);
    if (ACol < 0 || ARow < 0 || !ms)
        return;
    ms->SetPosition(0);
    g->LoadAtPointFromBinStream(TPoint(ACol, ARow), ms.get());
    if (g->OnOleDropped)
        g->OnOleDropped(g, g->Selection());
}

void TGridDropTarget::DropCol(TPoint pt, int Col)
{
    if (!FGridAlive)
        return;
    TExtStringGrid* g = FGrid;
    int ACol = -1, ARow = -1;
    g->ScreenToCell(pt, ACol, ARow);
    int target = ACol >= 0 ? ACol : g->ColCount();
    g->MoveArrow(arrDown)->Hide();
    g->MoveArrow(arrUp)->Hide();
    if (g->MoveButton())
        g->MoveButton()->Hide();

    if (g->FOleDragCol != -1) {
        // A column from the chooser: out of the list, back into the grid.
        if (g->FOleDragList && g->FOleDragIndex >= 0 && g->FOleDragIndex < g->FOleDragList->Items->Count())
            g->FOleDragList->Items->Delete(g->FOleDragIndex);
        const int idx = std::max(0, g->FColumnOrder->IndexOf(g->FOleDragCol));
        g->UnHideColumn(idx);
        if (ACol >= 0) {
            const bool enh = g->EnhRowColMove;
            g->EnhRowColMove = true;
            const TFinally restore([g, enh] { g->EnhRowColMove = enh; });
            g->MoveColumn(g->RealToDisplCol(idx), target);
        }
        g->FOleDragCol = -1;
        g->FOleDragIndex = -1;
        g->FOleDragList = nullptr;
    } else if (g->DragDropSettings()->OleColumnReorder) {
        target = std::min(target, g->ColCount() - 1);
        const int from = g->RealToDisplCol(Col);
        if (from != target && from >= 0 && from < g->ColCount() && target >= 0)
            g->MoveColumn(from, target);
    }
    if (g->OnOleDropCol)
        g->OnOleDropCol(g, ARow, target, Col);
}

void TGridDropTarget::DropRTF(TPoint pt, const QString& s)
{
    DropIntoCell(pt, s, false);
}

void TGridDropTarget::DropURL(TPoint pt, const QString& s)
{
    DropIntoCell(pt, s, true);
}

// Rich text and links land as the text of the cell under the point, once the event allows it.
void TGridDropTarget::DropIntoCell(TPoint pt, const QString& s, bool Url)
{
    if (!FGridAlive)
        return;
    TExtStringGrid* g = FGrid;
    const TFinally hide([g] {
        g->MoveArrow(arrLeft)->Hide();
        g->MoveArrow(arrDown)->Hide();
    });
    int ACol = -1, ARow = -1;
    g->ScreenToCell(pt, ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return;
    bool allow = true;
    if (Url && g->OnOleDropURL)
        g->OnOleDropURL(g, ARow, ACol, s, allow);
    else if (!Url && g->OnOleDrop)
        g->OnOleDrop(g, ARow, ACol, s, allow);
    if (allow)
        g->SetCells(g->RealColIndex(ACol), ARow, s);
}

void TGridDropTarget::DropFiles(TPoint pt, TStrings* Files)
{
    if (!FGridAlive)
        return;
    TExtStringGrid* g = FGrid;
    // The arrows go also when the load raises (an ".XLS" file has no spreadsheet server here).
    const TFinally hide([g] {
        g->MoveArrow(arrLeft)->Hide();
        g->MoveArrow(arrDown)->Hide();
    });
    if (!Files || Files->Count() != 1)
        return;
    const QString name = Files->Strings(0);
    int ACol = -1, ARow = -1;
    g->ScreenToCell(pt, ACol, ARow);
    bool allow = true;
    if (g->OnOleDropFile)
        g->OnOleDropFile(g, ARow, ACol, name, allow);
    const QString upper = name.toUpper();
    if (allow && upper.contains(QLatin1String(".CSV"))) {
        if (g->OnOleDrop)
            g->OnOleDrop(g, -1, -1, name, allow);
        if (allow)
            g->LoadFromCSV(name);
    }
    if (allow && upper.contains(QLatin1String(".XLS"))) {
        if (g->OnOleDrop)
            g->OnOleDrop(g, -1, -1, name, allow);
        if (allow)
            g->LoadFromXLS(name);
    }
}
