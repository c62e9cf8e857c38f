// The row commands every table editor offers (Copy Row, Paste Row, Insert Row, Delete Row) and the
// two navigation conveniences bound to its grids (Enter to the next cell, header double click to fit
// a column).
//
// Two families. The column family works on column grids, whose check columns hold "Y"/"N" as text.
// The check family works on string grids whose rows hold real check-box cells; it moves check states
// and each cell's read-only flag with the rows. Both cover the real columns 1 .. T - 1 with
// T = ColCount + NumHiddenColumns, through Cells with real indexes, so hidden columns travel with
// their rows; column 0 (the row numbers) is never touched and the row count never changes.
//
// One copied row lives in Row_Clipboard (app/UGlobals.h) for the whole run, so a row copied in one
// editor can be pasted in another whose table is as wide. A paste is refused without the caller's
// copy flag for that table (1102) or with another width (1101), and asks before overwriting a row
// in use (1100). Callers pass the grid's Row; a row outside 1 .. RowCount - 1 does nothing.
#pragma once

class TExtColumnGrid;
class TExtStringGrid;

// -- Column grids --
void Copy_Row(TExtColumnGrid* Grid, int ARow);
// A row is in use when a column that is not a data check-box column holds text after trimming.
void Paste_Row(TExtColumnGrid* Grid, int ARow, bool Copied);
// The rows below move up one; the last row is emptied.
void Del_Row(int ARow, TExtColumnGrid* Grid);
// The rows from ARow move down one (the last row's content is lost); row ARow is emptied, with "Y"
// in column 1 when First_Y.
void Ins_Row(int ARow, TExtColumnGrid* Grid, bool First_Y);

// -- String grids with check-box cells --
// A check-box cell is copied as "Y"/"N" and marked in Row_Clipboard_Check.
void Copy_Row_Check(TExtStringGrid* Grid, int ARow);
// A row is in use when a cell that is no check box holds any text (not trimmed).
void Paste_Row_Check(TExtStringGrid* Grid, int ARow, bool Copied);
// As Del_Row; the emptied last row is read-only in every column, its column-1 check box checked
// when Check_First, other check boxes unchecked.
void Del_Row_Check(int ARow, TExtStringGrid* Grid, bool Check_First);
// As Ins_Row; the emptied row is editable, its column-1 check box checked when Check_First.
void Ins_Row_Check(int ARow, TExtStringGrid* Grid, bool Check_First);

// -- Navigation --
// The grid's key press: with Opt_Jump_Field_Tables on, Enter moves to the next display column, from
// the last one to column 1 of the next row, from the last row back to row 1, and is consumed
// (Key := 0) even when the current cell is a fixed one. With the option off the grid handles Enter.
void Grid_Enter_Next_Cell(TExtStringGrid* Grid, char16_t& Key);
// The grid's cell double click: with Opt_Double_Click_Auto_Size on, a double click on row 0 fits
// column ACol to its texts.
void Grid_Dbl_Click_Auto_Size(TExtStringGrid* Grid, int ARow, int ACol);
