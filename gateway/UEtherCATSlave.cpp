#include "gateway/UEtherCATSlave.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UTableRows.h"
#include "grid/core/ExtCGrid.h"
#include "grid/edit/GridCombo.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

TFEtherCATSlave* FEtherCATSlave = nullptr;

using EtherCATSlave::TVarRow;

namespace
{

namespace txt
{
constexpr int Caption = 1000, Desc = 1001;
constexpr int Error_Row = 1051, Delete_Question = 1033;
constexpr int StoM_Tab = 1034, MtoS_Tab = 1035;
} // namespace txt

constexpr int Enable_Col = 1, Type_Col = 2, Length_Col = 3;
constexpr int Move_Up_Left = 724, Move_Down_Left = 842, Button_Top = 6;

// Cell colours (COLORREF) by column kind.
constexpr TColor Enable_Color = 0xB0D8FF;   // light orange
constexpr TColor Entry_Color = 0xFEFAE0;    // light cyan: Type, Length, Name
constexpr TColor Init_Color = 0xA8FFA8;     // light green
constexpr TColor Computed_Color = 0xF4D6FC; // light violet: Position, Start Bit
constexpr TColor Group_Color = 0xA8FFFF;    // light yellow

// No column is read-only as a whole: the cells are (Init_Table), and the row helpers move the cells'
// flags with the rows.
constexpr TEditorColumn Column(int Header, int Width, TColor Color, int Hint)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Hint = Hint;
    return c;
}

const TEditorColumn kStoM_Columns[] = {
    Column(1014, 40, clWindow, -1),          Column(1015, 50, Enable_Color, 1024),
    Column(1016, 120, Entry_Color, 1025),    Column(1017, 100, Entry_Color, 1026),
    Column(1019, 280, Entry_Color, 1028),    Column(1020, 100, Init_Color, 1029),
    Column(1021, 100, Computed_Color, 1030), Column(1022, 100, Computed_Color, 1031),
    Column(1059, 100, Group_Color, 1061),    Column(1023, 100, clWhite, 1032),
};
const TEditorColumn kMtoS_Columns[] = {
    Column(1036, 40, clWindow, -1),          Column(1037, 50, Enable_Color, 1044),
    Column(1038, 120, Entry_Color, 1045),    Column(1039, 100, Entry_Color, 1046),
    Column(1040, 280, Entry_Color, 1047),    Column(1041, 100, Computed_Color, 1048),
    Column(1042, 100, Computed_Color, 1049), Column(1060, 100, Group_Color, 1062),
    Column(1043, 100, clWhite, 1050),
};

const TEditorTable kTables[] = {
    {"ESG_SlaveMaster", "TS_SlaveToMaster", txt::StoM_Tab, "EtherCAT_Slave_To_Master",
     EtherCATSlave::Data_Rows, Type_Col, true, txt::Error_Row, txt::Delete_Question,
     TDeleteQuestion::Replace_Placeholder, kStoM_Columns},
    {"ESG_MasterSlave", "TS_MasterToSlave", txt::MtoS_Tab, "EtherCAT_Master_To_Slave",
     EtherCATSlave::Data_Rows, Type_Col, true, txt::Error_Row, txt::Delete_Question,
     TDeleteQuestion::Replace_Placeholder, kMtoS_Columns},
};

const TEditorSpec kSpec = {
    "FEtherCATSlave",
    1200,
    337,
    txt::Caption,
    txt::Desc,
    // Only Copy Row and Paste Row show their hints.
    {{1002, 1008, false},
     {1003, 1009, false},
     {1004, 1010, false},
     {1005, 1011, false},
     {1006, 1012, true},
     {1007, 1013, true}},
    {&File_EtherCAT_Slave, "EtherCAT_Slave", "SW_VERSION = 1.001"},
    kTables,
};

} // namespace

const TFEtherCATSlave::TLayout& TFEtherCATSlave::Layout(bool Slave_To_Master)
{
    static const TLayout stom{5, 6, 7, 8, 9};
    static const TLayout mtos{-1, 5, 6, 7, 8};
    return Slave_To_Master ? stom : mtos;
}

TFEtherCATSlave::TFEtherCATSlave(TComponent* AOwner)
    : TTableEditor(AOwner, kSpec), VarType(std::make_unique<TStringList>())
{
    TS_SlaveToMaster = Table(0).Tab;
    TS_MasterToSlave = Table(1).Tab;
    ESG_SlaveMaster = Table(0).Grid;
    ESG_MasterSlave = Table(1).Grid;

    Btn_MoveUp = Make_Button(this, P_Button, "Btn_MoveUp", TButtonRole::Command, Move_Up_Left, Button_Top,
                             Dialog_Button_Width, Dialog_Button_Height);
    Btn_MoveDown = Make_Button(this, P_Button, "Btn_MoveDown", TButtonRole::Command, Move_Down_Left,
                               Button_Top, Dialog_Button_Width, Dialog_Button_Height);
    Btn_MoveUp->OnClick = [this](TObject* Sender) { Btn_MoveClick(Sender); };
    Btn_MoveDown->OnClick = [this](TObject* Sender) { Btn_MoveClick(Sender); };

    for (TExtStringGrid* g : {ESG_SlaveMaster, ESG_MasterSlave}) {
        g->OnGetEditorType = [this](TObject* Sender, int ACol, int ARow, TEditorType& AEditor) {
            ESG_SlaveMasterGetEditorType(Sender, ACol, ARow, AEditor);
        };
        g->OnComboChange = [this](TObject* Sender, int ACol, int ARow, int AItemIndex,
                                  const QString& ASelection) {
            ESG_SlaveMasterComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
        };
        g->OnCellValidate = [this](TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid) {
            ESG_SlaveMasterCellValidate(Sender, ACol, ARow, Value, Valid);
        };
        g->OnCheckBoxChange = [this](TObject* Sender, int ACol, int ARow, bool State) {
            ESG_SlaveMasterCheckBoxChange(Sender, ACol, ARow, State);
        };
    }
    FormCreate();
    Init_Table();
}

TFEtherCATSlave::~TFEtherCATSlave()
{
    if (FEtherCATSlave == this)
        FEtherCATSlave = nullptr;
}

void TFEtherCATSlave::Set_Lang()
{
    TTableEditor::Set_Lang();
    // Fixed texts: the text table has none for them.
    Btn_MoveUp->SetCaption("Move Up");
    Btn_MoveDown->SetCaption("Move Down");
}

void TFEtherCATSlave::Init_Table()
{
    for (const bool stom : {true, false}) {
        TExtStringGrid* g = Grid_Of(stom);
        const TTableView& view = Table(stom ? 0 : 1);
        const auto& cols = view.Spec->Columns;
        g->SetColCount(int(cols.size()));
        g->SetRowCount(EtherCATSlave::Data_Rows + 1);
        for (int c = 0; c < int(cols.size()); ++c) {
            g->SetColWidths(c, cols[size_t(c)].Width);
            if (cols[size_t(c)].Header >= 0)
                g->SetCells(c, 0, Lang_Text(cols[size_t(c)].Header));
        }
        g->AddCheckBoxColumn(Enable_Col, false, false);
        const TLayout& l = Layout(stom);
        for (int r = 1; r <= EtherCATSlave::Data_Rows; ++r) {
            g->SetCells(0, r, QString::number(r));
            for (int c = 1; c < int(cols.size()); ++c) {
                g->SetColors(c, r, cols[size_t(c)].Color);
                g->SetReadOnly(c, r, c == l.Position || c == l.Bit_Start || c == l.Group);
            }
            g->SetAlignments(Enable_Col, r, taCenter);
        }
    }
    VarType->Clear();
    for (const char* name : EtherCATSlave::Type_Names())
        VarType->Add(QLatin1String(name));
}

// ---- Rows and the computed columns -------------------------------------------------------------------

bool TFEtherCATSlave::Is_Enabled(TExtStringGrid* Grid, int ARow)
{
    // A row without a check box is no enabled variable.
    bool state = false;
    return Grid->GetCheckBoxState(Enable_Col, ARow, state) && state;
}

std::vector<TVarRow> TFEtherCATSlave::Rows_Of(TExtStringGrid* Grid, bool Slave_To_Master)
{
    const TLayout& l = Layout(Slave_To_Master);
    std::vector<TVarRow> rows(size_t(EtherCATSlave::Data_Rows));
    for (int r = 1; r <= EtherCATSlave::Data_Rows; ++r) {
        TVarRow& row = rows[size_t(r - 1)];
        row.Enable = Is_Enabled(Grid, r);
        row.Type = Grid->Cells(Type_Col, r);
        row.Length = Grid->Cells(Length_Col, r);
        if (l.Init_Value >= 0)
            row.Init_Value = Grid->Cells(l.Init_Value, r);
        row.Position = Grid->Cells(l.Position, r);
        row.Bit_Start = Grid->Cells(l.Bit_Start, r);
        row.Group = Grid->Cells(l.Group, r);
    }
    return rows;
}

namespace
{

// Writes only what changed: a recompute repaints the cells whose values moved.
void Put_Cell(TExtStringGrid* Grid, int ACol, int ARow, const QString& Text)
{
    if (Grid->Cells(ACol, ARow) != Text)
        Grid->SetCells(ACol, ARow, Text);
}

} // namespace

void TFEtherCATSlave::VarSetLength(TExtStringGrid* Grid, const QString& Type, int ARow)
{
    if (const auto rule = EtherCATSlave::Length_Rule(Type)) {
        Grid->SetCells(Length_Col, ARow, rule->Length);
        Grid->SetReadOnly(Length_Col, ARow, rule->Read_Only);
    }
}

void TFEtherCATSlave::Calc_Position_Bit(TExtStringGrid* Grid, bool Slave_To_Master)
{
    std::vector<TVarRow> rows = Rows_Of(Grid, Slave_To_Master);
    EtherCATSlave::Calc_Positions(rows);
    const TLayout& l = Layout(Slave_To_Master);
    const int n = EtherCATSlave::Variable_Count(rows);
    for (int r = 1; r <= n; ++r) {
        Put_Cell(Grid, l.Position, r, rows[size_t(r - 1)].Position);
        Put_Cell(Grid, l.Bit_Start, r, rows[size_t(r - 1)].Bit_Start);
    }
}

void TFEtherCATSlave::Show_Group(TExtStringGrid* Grid, bool Slave_To_Master)
{
    std::vector<TVarRow> rows = Rows_Of(Grid, Slave_To_Master);
    EtherCATSlave::Calc_Groups(rows, Slave_To_Master ? Group_StoM : Group_MtoS);
    const TLayout& l = Layout(Slave_To_Master);
    for (int r = 1; r <= EtherCATSlave::Data_Rows; ++r)
        Put_Cell(Grid, l.Group, r, rows[size_t(r - 1)].Group);
}

void TFEtherCATSlave::Recalc(TExtStringGrid* Grid, bool Slave_To_Master)
{
    Show_Group(Grid, Slave_To_Master);
    Calc_Position_Bit(Grid, Slave_To_Master);
}

void TFEtherCATSlave::MoveRow_ESG(int ARow, TExtStringGrid* Grid, bool Up)
{
    const int last = Grid->RowCount() - 1;
    // Down stops two rows short of the end, as the row count minus 2 bounds it.
    const int other = Up ? (ARow > 1 ? ARow - 1 : 0) : (ARow >= 1 && ARow < last - 1 ? ARow + 1 : 0);
    // Nothing to exchange: the current row stays (there is no row 0 or 257 to go to).
    if (other == 0 || ARow > last)
        return;
    const bool a = Is_Enabled(Grid, ARow), b = Is_Enabled(Grid, other);
    Grid->SetCheckBoxState(Enable_Col, ARow, b);
    Grid->SetCheckBoxState(Enable_Col, other, a);
    const int total = Grid->ColCount() + Grid->NumHiddenColumns();
    for (int c = Type_Col; c < total; ++c) {
        const QString t = Grid->Cells(c, ARow);
        Grid->SetCells(c, ARow, Grid->Cells(c, other));
        Grid->SetCells(c, other, t);
    }
    // The Length flag belongs to the row's type: an Array moved keeps an editable Length.
    const bool ro = Grid->ReadOnly(Length_Col, ARow);
    Grid->SetReadOnly(Length_Col, ARow, Grid->ReadOnly(Length_Col, other));
    Grid->SetReadOnly(Length_Col, other, ro);
    // The current row follows the moved row.
    Grid->SetRow(other);
}

// ---- Check -------------------------------------------------------------------------------------------

bool TFEtherCATSlave::Controllo_dati()
{
    const auto stom = EtherCATSlave::Check_Slave_To_Master(Rows_Of(ESG_SlaveMaster, true));
    if (stom) {
        Row_Error(Table(0), stom->Row, stom->Text);
        return false;
    }
    const auto mtos = EtherCATSlave::Check_Master_To_Slave(Rows_Of(ESG_MasterSlave, false));
    if (mtos) {
        Row_Error(Table(1), mtos->Row, mtos->Text);
        return false;
    }
    return true;
}

// ---- Commands ----------------------------------------------------------------------------------------

void TFEtherCATSlave::Btn_OKClick(TObject*)
{
    for (TExtStringGrid* g : {ESG_SlaveMaster, ESG_MasterSlave})
        End_Cell_Edit(g);
    if (!Controllo_dati())
        return;
    // The compiler trusts the saved Position, BitStart and Group: they are written as computed now,
    // whatever an edit of a computed cell or a late event left.
    Recalc(ESG_SlaveMaster, true);
    Recalc(ESG_MasterSlave, false);
    Save_Variables();
    SetModalResult(mrOk);
}

void TFEtherCATSlave::Btn_CopyRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.Grid);
    Copy_Row_Check(t.Grid, t.Grid->Row());
    for (int i = 0; i < Table_Count(); ++i)
        Table(i).Do_Copy = &Table(i) == &t;
}

void TFEtherCATSlave::Btn_PasteRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.Grid);
    const bool stom = Is_Slave_To_Master(t.Grid);
    const int row = t.Grid->Row();
    Paste_Row_Check(t.Grid, row, t.Do_Copy);
    // The type's flag, and its fixed Length; a pasted Array or String keeps the Length it came with.
    const QString type = t.Grid->Cells(Type_Col, row);
    if (const auto rule = EtherCATSlave::Length_Rule(type)) {
        t.Grid->SetReadOnly(Length_Col, row, rule->Read_Only);
        if (rule->Read_Only)
            t.Grid->SetCells(Length_Col, row, rule->Length);
    }
    Recalc(t.Grid, stom);
}

void TFEtherCATSlave::Btn_InsRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.Grid);
    Ins_Row_Check(t.Grid->Row(), t.Grid, true);
    // Positions follow with the next edit: the new row has no type, so the variables end above it.
    Show_Group(t.Grid, Is_Slave_To_Master(t.Grid));
}

void TFEtherCATSlave::Btn_DelRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.Grid);
    const int row = t.Grid->Row();
    QString question = Lang_Text(t.Spec->Delete_Text);
    // Replaced as text: a language file's text never reaches a printf-style formatter.
    if (const qsizetype at = question.indexOf("%d"); at >= 0)
        question.replace(at, 2, QString::number(row));
    if (MessageDlg(question, mtConfirmation, mbYesNo) == mrYes)
        Del_Row_Check(row, t.Grid, true);
    Recalc(t.Grid, Is_Slave_To_Master(t.Grid));
}

void TFEtherCATSlave::Btn_MoveClick(TObject* Sender)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.Grid);
    MoveRow_ESG(t.Grid->Row(), t.Grid, Sender == Btn_MoveUp);
    Recalc(t.Grid, Is_Slave_To_Master(t.Grid));
}

// ---- Grid events -------------------------------------------------------------------------------------

void TFEtherCATSlave::ESG_SlaveMasterGetEditorType(TObject* Sender, int ACol, int, TEditorType& AEditor)
{
    if (ACol != Type_Col)
        return;
    AEditor = edComboList;
    if (TExtStringGrid* g = Grid_From(Sender)) {
        g->ClearComboString();
        g->Combobox()->Items->Assign(VarType.get());
    }
}

void TFEtherCATSlave::ESG_SlaveMasterComboChange(TObject* Sender, int ACol, int ARow, int,
                                                 const QString& ASelection)
{
    TExtStringGrid* g = Grid_From(Sender);
    if (ACol != Type_Col || !g)
        return;
    VarSetLength(g, ASelection, ARow);
    g->SetCells(Type_Col, ARow, ASelection);
    Calc_Position_Bit(g, Is_Slave_To_Master(g));
}

void TFEtherCATSlave::ESG_SlaveMasterCellValidate(TObject* Sender, int ACol, int, QString&, bool&)
{
    // The edited text is in the cell already (the editor writes as the user types).
    if (TExtStringGrid* g = Grid_From(Sender); g && ACol >= Enable_Col && ACol <= Length_Col)
        Calc_Position_Bit(g, Is_Slave_To_Master(g));
}

void TFEtherCATSlave::ESG_SlaveMasterCheckBoxChange(TObject* Sender, int ACol, int, bool)
{
    if (TExtStringGrid* g = Grid_From(Sender); g && ACol == Enable_Col)
        Recalc(g, Is_Slave_To_Master(g));
}
