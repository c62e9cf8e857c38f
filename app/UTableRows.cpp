#include "app/UTableRows.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

namespace
{

namespace txt
{
constexpr int Overwrite_Row = 1100, Other_Width = 1101, Nothing_Copied = 1102;
} // namespace txt

constexpr char16_t Enter_Key = 13;

// T: the real columns, hidden ones included.
int Real_Cols(TExtStringGrid* Grid)
{
    return Grid->ColCount() + Grid->NumHiddenColumns();
}

bool Is_Data_Row(TExtStringGrid* Grid, int ARow)
{
    return ARow >= 1 && ARow < Grid->RowCount();
}

bool Is_Check_Cell(TExtStringGrid* Grid, int c, int r)
{
    bool state = false;
    return Grid->GetCheckBoxState(c, r, state);
}

// The two refusals both families share; true when the paste may go on.
bool May_Paste(TExtStringGrid* Grid, bool Copied)
{
    if (!Copied) {
        MessageDlg(Lang_Text(txt::Nothing_Copied), mtError, mbOK);
        return false;
    }
    if (Real_Cols(Grid) - 1 != Row_Clipboard.size()) {
        MessageDlg(Lang_Text(txt::Other_Width), mtError, mbOK);
        return false;
    }
    return true;
}

bool Overwrite_Confirmed()
{
    return MessageDlg(Lang_Text(txt::Overwrite_Row), mtConfirmation, mbYesNo) == mrYes;
}

bool Is_Data_Check_Column(TExtColumnGrid* Grid, int c)
{
    return c < Grid->Columns()->Count() && Grid->Columns()->Items(c)->Editor() == edDataCheckBox;
}

// Row `to` takes row `from`'s check state or text and its read-only flags.
void Move_Check_Row(TExtStringGrid* Grid, int from, int to)
{
    const int T = Real_Cols(Grid);
    for (int c = 1; c < T; ++c) {
        bool state = false;
        if (Grid->GetCheckBoxState(c, from, state))
            Grid->SetCheckBoxState(c, to, state);
        else
            Grid->SetCells(c, to, Grid->Cells(c, from));
        Grid->SetReadOnly(c, to, Grid->ReadOnly(c, from));
    }
}

// Texts emptied, check boxes unchecked but column 1's when Check_First, every cell read-only or not.
void Empty_Check_Row(TExtStringGrid* Grid, int r, bool Check_First, bool Read_Only)
{
    const int T = Real_Cols(Grid);
    for (int c = 1; c < T; ++c) {
        if (Is_Check_Cell(Grid, c, r))
            Grid->SetCheckBoxState(c, r, c == 1 && Check_First);
        else
            Grid->SetCells(c, r, QString());
        Grid->SetReadOnly(c, r, Read_Only);
    }
}

} // namespace

// ---- Column grids ------------------------------------------------------------------------------------

void Copy_Row(TExtColumnGrid* Grid, int ARow)
{
    if (!Is_Data_Row(Grid, ARow))
        return;
    Row_Clipboard.clear();
    const int T = Real_Cols(Grid);
    for (int c = 1; c < T; ++c)
        Row_Clipboard << Grid->Cells(c, ARow);
}

void Paste_Row(TExtColumnGrid* Grid, int ARow, bool Copied)
{
    if (!Is_Data_Row(Grid, ARow) || !May_Paste(Grid, Copied))
        return;
    const int T = Real_Cols(Grid);
    bool in_use = false;
    for (int c = 1; c < T && !in_use; ++c)
        in_use = !Is_Data_Check_Column(Grid, c) && !Trim(Grid->Cells(c, ARow)).isEmpty();
    if (in_use && !Overwrite_Confirmed())
        return;
    for (int c = 1; c < T; ++c)
        Grid->SetCells(c, ARow, Row_Clipboard[c - 1]);
}

void Del_Row(int ARow, TExtColumnGrid* Grid)
{
    if (!Is_Data_Row(Grid, ARow))
        return;
    const int T = Real_Cols(Grid);
    const int R = Grid->RowCount();
    for (int r = ARow; r <= R - 2; ++r)
        for (int c = 1; c < T; ++c)
            Grid->SetCells(c, r, Grid->Cells(c, r + 1));
    for (int c = 1; c < T; ++c)
        Grid->SetCells(c, R - 1, QString());
}

void Ins_Row(int ARow, TExtColumnGrid* Grid, bool First_Y)
{
    if (!Is_Data_Row(Grid, ARow))
        return;
    const int T = Real_Cols(Grid);
    const int R = Grid->RowCount();
    for (int r = R - 2; r >= ARow; --r)
        for (int c = 1; c < T; ++c)
            Grid->SetCells(c, r + 1, Grid->Cells(c, r));
    for (int c = 1; c < T; ++c)
        Grid->SetCells(c, ARow, c == 1 && First_Y ? QStringLiteral("Y") : QString());
}

// ---- String grids with check-box cells ---------------------------------------------------------------

void Copy_Row_Check(TExtStringGrid* Grid, int ARow)
{
    if (!Is_Data_Row(Grid, ARow))
        return;
    Row_Clipboard.clear();
    Row_Clipboard_Check.clear();
    const int T = Real_Cols(Grid);
    for (int c = 1; c < T; ++c) {
        bool state = false;
        const bool check = Grid->GetCheckBoxState(c, ARow, state);
        Row_Clipboard_Check << check;
        Row_Clipboard << (check ? QString(state ? "Y" : "N") : Grid->Cells(c, ARow));
    }
}

void Paste_Row_Check(TExtStringGrid* Grid, int ARow, bool Copied)
{
    if (!Is_Data_Row(Grid, ARow) || !May_Paste(Grid, Copied))
        return;
    const int T = Real_Cols(Grid);
    bool in_use = false;
    for (int c = 1; c < T && !in_use; ++c)
        in_use = !Is_Check_Cell(Grid, c, ARow) && !Grid->Cells(c, ARow).isEmpty();
    if (in_use && !Overwrite_Confirmed())
        return;
    for (int c = 1; c < T; ++c) {
        const QString& entry = Row_Clipboard[c - 1];
        // The flags may be older than the entries (a column-grid copy keeps them): an entry that
        // meets a text cell is written as text, so its value is not lost.
        const bool flagged = c - 1 < Row_Clipboard_Check.size() && Row_Clipboard_Check[c - 1];
        if (flagged && Is_Check_Cell(Grid, c, ARow))
            Grid->SetCheckBoxState(c, ARow, entry == "Y");
        else
            Grid->SetCells(c, ARow, entry);
    }
}

void Del_Row_Check(int ARow, TExtStringGrid* Grid, bool Check_First)
{
    if (!Is_Data_Row(Grid, ARow))
        return;
    const int R = Grid->RowCount();
    for (int r = ARow; r <= R - 2; ++r)
        Move_Check_Row(Grid, r + 1, r);
    Empty_Check_Row(Grid, R - 1, Check_First, true);
}

void Ins_Row_Check(int ARow, TExtStringGrid* Grid, bool Check_First)
{
    if (!Is_Data_Row(Grid, ARow))
        return;
    const int R = Grid->RowCount();
    for (int r = R - 2; r >= ARow; --r)
        Move_Check_Row(Grid, r, r + 1);
    Empty_Check_Row(Grid, ARow, Check_First, false);
}

// ---- Navigation --------------------------------------------------------------------------------------

void Grid_Enter_Next_Cell(TExtStringGrid* Grid, char16_t& Key)
{
    if (!Opt_Jump_Field_Tables || Key != Enter_Key)
        return;
    if (Grid->Col() > 0 && Grid->Row() > 0) {
        if (Grid->Col() < Grid->ColCount() - 1) {
            Grid->SetCol(Grid->Col() + 1);
        } else {
            // Col first: writing Row fires the row-change event, which may read Col.
            Grid->SetCol(1);
            Grid->SetRow(Grid->Row() < Grid->RowCount() - 1 ? Grid->Row() + 1 : 1);
        }
    }
    Key = 0;
}

void Grid_Dbl_Click_Auto_Size(TExtStringGrid* Grid, int ARow, int ACol)
{
    if (Opt_Double_Click_Auto_Size && ARow == 0)
        Grid->AutoSizeCol(ACol, 0);
}
