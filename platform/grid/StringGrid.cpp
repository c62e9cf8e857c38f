// TStringGrid: cell texts and objects on top of the draw grid, and the row and column views.
#include "platform/grid/StringGrid.h"

// ---- TStringGrid -----------------------------------------------------------------------------------

void TStringGrid::SetCells(int ACol, int ARow, const QString& Value)
{
    FStore.SetText(ACol, ARow, Value);
    CellWritten(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    FStore.SetObject(ACol, ARow, Value);
}

void TStringGrid::CellWritten(int ACol, int ARow)
{
    if (FUpdateCount > 0)
        return;
    InvalidateCell(ACol, ARow);
    if (ACol == Col() && ARow == Row() && FInplaceCol >= 0 && FEditUpdate == 0)
        InvalidateEditor();
}

void TStringGrid::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetRedraw(false);
}

void TStringGrid::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    SetRedraw(true);
    InvalidateGrid();
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FStore.MoveCol(FromIndex, ToIndex);
    InvalidateGrid();
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    FStore.MoveRow(FromIndex, ToIndex);
    InvalidateGrid();
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

// ---- TStringGridStrings ----------------------------------------------------------------------------

int TStringGridStrings::Count() const
{
    return FAxis == Row ? FGrid->ColCount() : FGrid->RowCount();
}

QString TStringGridStrings::Get(int Index) const
{
    return FGrid->Cells(ColOf(Index), RowOf(Index));
}

void TStringGridStrings::Put(int Index, const QString& S)
{
    FGrid->SetCells(ColOf(Index), RowOf(Index), S);
}

TObject* TStringGridStrings::GetObject(int Index) const
{
    return FGrid->Objects(ColOf(Index), RowOf(Index));
}

void TStringGridStrings::PutObject(int Index, TObject* AObject)
{
    FGrid->SetObjects(ColOf(Index), RowOf(Index), AObject);
}

void TStringGridStrings::InsertItem(int, const QString&, TObject*)
{
    throw EInvalidGridOperation("Grid rows and columns cannot be inserted into");
}

void TStringGridStrings::Delete(int)
{
    throw EInvalidGridOperation("Grid rows and columns cannot be deleted from");
}

void TStringGridStrings::Clear()
{
    BeginUpdate();
    try {
        for (int i = 0; i < Count(); ++i) {
            Put(i, QString());
            PutObject(i, nullptr);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringGridStrings::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TStrings*>(Source);
    if (!source) {
        TStrings::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        for (int i = 0; i < source->Count(); ++i) {
            Put(i, source->Strings(i));
            PutObject(i, source->Objects(i));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringGridStrings::SetUpdateState(bool Updating)
{
    if (Updating)
        FGrid->BeginUpdate();
    else
        FGrid->EndUpdate();
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing())
        Canvas->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}
