// The toolkit's string grid: TDrawGrid plus a text and an object per cell.
//
// The cell store is sparse and not bounded by the counts: any cell with column and row >= 0 can be
// written and read, and count changes keep everything (rows loaded beyond RowCount, hidden columns
// beyond ColCount). Objects are not owned: whoever stores objects frees them.
// A write repaints its cell (and reloads the in-place editor when it is the current cell) unless an
// update block (BeginUpdate/EndUpdate) is open; the block's end repaints the grid.
#pragma once

#include "platform/grid/Grid.h"
#include "platform/core/StringList.h"

class TStringGrid;

// A live view of one row (column) of a string grid: entries 0 .. ColCount - 1 (RowCount - 1), texts
// with objects. Assign writes entries 0 .. n - 1 of the source and leaves the rest; Clear empties
// every entry; adding, inserting and deleting entries raise EInvalidGridOperation.
class TStringGridStrings : public TStrings
{
  public:
    enum TAxis { Row, Col };
    TStringGridStrings(TStringGrid* Grid, TAxis Axis, int Index) : FGrid(Grid), FAxis(Axis), FIndex(Index) {}

    int Count() const override;
    void Delete(int Index) override;
    void Clear() override;
    void Assign(const TPersistent* Source) override;

  protected:
    QString Get(int Index) const override;
    void Put(int Index, const QString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void InsertItem(int Index, const QString& S, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;

  private:
    int ColOf(int Index) const { return FAxis == Row ? Index : FIndex; }
    int RowOf(int Index) const { return FAxis == Row ? FIndex : Index; }
    TStringGrid* FGrid;
    TAxis FAxis;
    int FIndex;
};

class TStringGrid : public TDrawGrid
{
  public:
    explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

    // A negative row raises EListError "List index out of bounds (row)"; so does a negative column
    // on a write, or on a read of a row that holds cells.
    QString Cells(int ACol, int ARow) const { return FStore.Text(ACol, ARow); }
    void SetCells(int ACol, int ARow, const QString& Value);
    TObject* Objects(int ACol, int ARow) const { return FStore.Object(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject* Value);
    std::unique_ptr<TStringGridStrings> Rows(int ARow)
    {
        return std::make_unique<TStringGridStrings>(this, TStringGridStrings::Row, ARow);
    }
    std::unique_ptr<TStringGridStrings> Cols(int ACol)
    {
        return std::make_unique<TStringGridStrings>(this, TStringGridStrings::Col, ACol);
    }
    void SetRows(int ARow, const TStrings* Value) { Rows(ARow)->Assign(Value); }
    void SetCols(int ACol, const TStrings* Value) { Cols(ACol)->Assign(Value); }

    // Nesting; while open, cell writes do not repaint.
    void BeginUpdate();
    void EndUpdate();

  protected:
    // Move the texts and objects of every stored row (column), beyond the counts too, then the
    // events with the indexes given.
    // With DefaultDrawing the cell's text at (Left + 2, Top + 2), clipped to the cell; then
    // OnDrawCell.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    // The cell text, then OnGetEditText.
    QString ReadEditText(int ACol, int ARow) override;
    // Stores a changed text (the write does not reload the editor), then OnSetEditText.
    void WriteEditText(int ACol, int ARow, const QString& Value) override;

    // Every stored cell holding an object, beyond the counts too; Visit may change the slot.
    void ForEachObjectSlot(const std::function<void(int ACol, int ARow, TObject*& Slot)>& Visit)
    {
        FStore.ForEachObject(Visit);
    }

    // The store itself, for block moves of rows by the grid family (no repaint, no editor reload).
    TGridCellStore& CellStore() { return FStore; }

    // Set while the in-place editor writes its own text back, so that the write does not reload it.
    int FEditUpdate = 0;

  private:
    void CellWritten(int ACol, int ARow);
    TGridCellStore FStore;
    int FUpdateCount = 0;
};
