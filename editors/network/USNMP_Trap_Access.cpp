#include "editors/network/USNMP_Trap_Access.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "app/UTableRows.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace snmptrap
{

namespace
{

using framerules::In;

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC, Yellow = 0xA8FFFF, Green = 0xA8FFA8;

const char* const kCommunities[] = {"Tundra", "Fenwick"};
const char* const kTypes[] = {"Int", "String"};
const char* const kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
const char* const kConversions[] = {"None",        "Float",      "Float * 10",
                                    "Float * 100", "Float / 10", "Float / 100"};

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, int Hint,
                            TEditorType Editor = edNormal, std::span<const char* const> Items = {},
                            const char* Missing = "")
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Items = Items;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    return c;
}

constexpr TEditorColumn Number_Col(int Header)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = 40;
    return c;
}

constexpr TEditorColumn Enable_Col(int Header, int Hint)
{
    TEditorColumn c = Col(Header, 50, Yellow, "Enable", Hint, edDataCheckBox, {}, "Y");
    c.New_Text = "Y";
    return c;
}

constexpr TEditorColumn Flag_Col(int Header, int Width, const char* Attribute, int Hint)
{
    return Col(Header, Width, Yellow, Attribute, Hint, edDataCheckBox, {}, "N");
}

// The Position lists are filled at every show.
const TEditorColumn kRead_Columns[] = {
    Number_Col(4716),
    Enable_Col(4717, 4739),
    Col(4718, 130, Cyan, "Community_Name", 4740, edComboEdit, kCommunities),
    Col(4719, 60, Cyan, "Type", 4741, edComboList, kTypes),
    Flag_Col(4720, 75, "On_Change", 4742),
    Flag_Col(4721, 50, "On_Command", 4743),
    Flag_Col(4722, 60, "On_Timer", 4744),
    Col(4723, 65, Green, "Time", 4745),
    Col(4724, 60, Pink, "Position", 4746, edComboList),
    Col(4725, 60, Pink, "Bit", 4747, edComboList, kBits),
    Col(4726, 95, Pink, "NumBits", 4748),
    Col(4727, 130, Cyan, "Description", 4749),
    Col(4728, 120, Green, "IP_Address", 4750),
    Col(4781, 100, Cyan, "Conversion", 4783, edComboList, kConversions, "None"),
    Col(4729, 130, clWhite, "Mnemonic", 4751),
};

const TEditorColumn kWrite_Columns[] = {
    Number_Col(4730),
    Enable_Col(4731, 4752),
    Col(4732, 130, Cyan, "Community_Name", 4753, edComboEdit, kCommunities),
    Col(4733, 60, Cyan, "Type", 4754, edComboList, kTypes),
    Col(4734, 60, Pink, "Position", 4755, edComboList),
    Col(4735, 60, Pink, "Bit", 4756, edComboList, kBits),
    Col(4736, 95, Pink, "NumBits", 4757),
    Col(4737, 130, Cyan, "Description", 4758),
    Col(4782, 100, Cyan, "Conversion", 4784, edComboList, kConversions, "None"),
    Col(4738, 500, clWhite, "Mnemonic", 4759),
};

constexpr int Error_Row = 4760;

constexpr TEditorTable Table(const char* Grid, const char* Tab, int Tab_Caption, const char* Section,
                             std::span<const TEditorColumn> Columns)
{
    TEditorTable t{Grid,   Tab,  Tab_Caption, Section, 256,
                   2,      true, Error_Row,   4775,    TDeleteQuestion::Append_Number,
                   Columns};
    t.Any_Row_Name = true;
    t.Select_On_Click = false;
    return t;
}

const TEditorTable kTables[] = {
    Table("ACG_SNMP_Read", "TS_SNMP_Read", 4708, "SNMP_Trap_Read", kRead_Columns),
    Table("ACG_SNMP_Write", "TS_SNMP_Write", 4709, "SNMP_Trap_Write", kWrite_Columns),
};

// The columns and fault texts of one table's check. Time and IP are read-table tests only (-1: none).
struct TTableCheck {
    int Community, Type, OnTimer, Time, Position, Bit, NumBits, Description, IP, Conversion;
    int Community_Fault, Type_Fault, Time_Fault, Position_Fault, Bit_Fault, String_Bit_Fault;
    int Int_Bits_Fault, String_Bytes_Fault, Description_Fault, IP_Fault, Conversion_Fault;
};

// clang-format off
const TTableCheck kRead_Check = {
    .Community = Read_Community, .Type = Read_Type, .OnTimer = Read_OnTimer, .Time = Read_Time,
    .Position = Read_Position, .Bit = Read_Bit, .NumBits = Read_NumBits, .Description = Read_Description,
    .IP = Read_IP, .Conversion = Read_Conversion,
    .Community_Fault = 4776, .Type_Fault = 4761, .Time_Fault = 4762, .Position_Fault = 4763, .Bit_Fault = 4764,
    .String_Bit_Fault = 4765, .Int_Bits_Fault = 4766, .String_Bytes_Fault = 4767, .Description_Fault = 4777,
    .IP_Fault = 4768, .Conversion_Fault = 4785,
};
const TTableCheck kWrite_Check = {
    .Community = Write_Community, .Type = Write_Type, .OnTimer = -1, .Time = -1,
    .Position = Write_Position, .Bit = Write_Bit, .NumBits = Write_NumBits, .Description = Write_Description,
    .IP = -1, .Conversion = Write_Conversion,
    .Community_Fault = 4778, .Type_Fault = 4769, .Time_Fault = -1, .Position_Fault = 4770, .Bit_Fault = 4771,
    .String_Bit_Fault = 4772, .Int_Bits_Fault = 4773, .String_Bytes_Fault = 4774, .Description_Fault = 4779,
    .IP_Fault = -1, .Conversion_Fault = 4786,
};
// clang-format on

bool Blank(const QString& Text)
{
    return Trim(Text).isEmpty();
}

// The fault text of one enabled row, or 0; its description goes to Descs once it passed its rule.
int Row_Check(const TTableCheck& K, const QStringList& Row, QStringList& Descs)
{
    if (Check_Error_CommName_Desc(Row.value(K.Community), 0))
        return K.Community_Fault;
    if (Blank(Row.value(K.Type)))
        return K.Type_Fault;
    const bool is_int = UpperCase(Row.value(K.Type)) == "INT";
    if (K.OnTimer >= 0 && UpperCase(Row.value(K.OnTimer)) == "Y" && !In(Row.value(K.Time), 1, 1000000000))
        return K.Time_Fault;
    if (Blank(Row.value(K.Position)))
        return K.Position_Fault;
    if (Blank(Row.value(K.Bit)))
        return K.Bit_Fault;
    if (!is_int && Trim(Row.value(K.Bit)) != "0")
        return K.String_Bit_Fault;
    if (is_int && !In(Row.value(K.NumBits), 1, 64))
        return K.Int_Bits_Fault;
    if (!is_int && !In(Row.value(K.NumBits), 1, 16))
        return K.String_Bytes_Fault;
    if (Check_Error_CommName_Desc(Row.value(K.Description), 1))
        return K.Description_Fault;
    Descs << Row.value(K.Description);
    QString p1, p2, p3, p4;
    if (K.IP >= 0 && !Split_IP_Address(Row.value(K.IP), p1, p2, p3, p4))
        return K.IP_Fault;
    if (Blank(Row.value(K.Conversion)))
        return K.Conversion_Fault;
    return 0;
}

std::optional<QString> Table_Check(const TTableCheck& K, const TFrameRows& Rows, QStringList& Descs)
{
    for (size_t i = 0; i < Rows.size(); ++i) {
        // Upper-cased, not trimmed: " Y" is no enabled row.
        if (UpperCase(Rows[i].value(1)) != "Y")
            continue;
        if (const int fault = Row_Check(K, Rows[i], Descs))
            return Lang_Text(Error_Row) + QString::number(i + 1) + Lang_Text(fault);
    }
    return std::nullopt;
}

bool Ascii_Letter_Or_Digit(QChar c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

const TEditorSpec Spec = {
    "FSNMP_Trap_Access",
    1256,
    337,
    4700,
    4701,
    {{4702, 4710, true},
     {4703, 4711, true},
     {4704, 4712, true},
     {4705, 4713, true},
     {4706, 4714, true},
     {4707, 4715, true}},
    {&File_SNMP_Trap, "SNMP_Trap", "SW_VERSION = 1.000"},
    kTables,
};

bool Check_Error_CommName_Desc(const QString& Text, int Kind)
{
    if (Text.isEmpty())
        return false;
    for (QChar c : Text)
        if (!Ascii_Letter_Or_Digit(c))
            return true;
    return Kind == 1 && !(Text.front() >= 'a' && Text.front() <= 'z');
}

std::optional<QString> Check_Objects(const TFrameRows& Read, const TFrameRows& Write,
                                     QStringList& SL_Check_Desc)
{
    SL_Check_Desc.clear();
    if (std::optional<QString> fault = Table_Check(kRead_Check, Read, SL_Check_Desc))
        return fault;
    if (std::optional<QString> fault = Table_Check(kWrite_Check, Write, SL_Check_Desc))
        return fault;
    // Each description names one object of the MIB, across both tables.
    for (qsizetype i = 0; i < SL_Check_Desc.size(); ++i)
        for (qsizetype j = i + 1; j < SL_Check_Desc.size(); ++j)
            if (SL_Check_Desc[i] == SL_Check_Desc[j])
                return Lang_Text(4780);
    return std::nullopt;
}

} // namespace snmptrap

using namespace snmptrap;

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner) : TTableEditor(AOwner, snmptrap::Spec)
{
    ACG_SNMP_Read = Table(Read_Table).Grid;
    ACG_SNMP_Write = Table(Write_Table).Grid;
    TS_SNMP_Read = Table(Read_Table).Tab;
    TS_SNMP_Write = Table(Write_Table).Tab;
    const std::pair<TExtColumnGrid*, std::array<int, 2>> limited[] = {
        {ACG_SNMP_Read, {Read_Community, Read_Description}},
        {ACG_SNMP_Write, {Write_Community, Write_Description}},
    };
    for (const auto& [grid, cols] : limited) {
        for (int c : cols)
            grid->Columns()->Items(c)->EditLength = Name_Length;
        // The grid's combo editor takes its limit from the grid, not the column; the community is
        // the only editable list of each table.
        grid->MaxComboLength = Name_Length;
    }
    for (TExtColumnGrid* g : {ACG_SNMP_Read, ACG_SNMP_Write}) {
        g->OnDblClickCell = [this](TObject* Sender, int ARow, int ACol) {
            Grid_DblClickCell(Sender, ARow, ACol);
        };
        g->OnKeyPress = [this](TObject* Sender, char16_t& Key) { SGA_KeyPress(Sender, Key); };
        g->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
            SGA_GridHint(Sender, ARow, ACol, hint);
        };
        g->OnCheckBoxClick = [this](TObject* Sender, int ACol, int ARow, bool State) {
            ACG_SNMP_ReadCheckBoxClick(Sender, ACol, ARow, State);
        };
    }
    // The frame's FormCreate makes the read tab active.
    FormCreate();
}

TFSNMP_Trap_Access::~TFSNMP_Trap_Access()
{
    if (FSNMP_Trap_Access == this)
        FSNMP_Trap_Access = nullptr;
}

void TFSNMP_Trap_Access::FormShow(TObject* Sender)
{
    // A later showing opens on the tab last used.
    TTabSheet* page = PageControl1->ActivePage();
    TTableEditor::FormShow(Sender);
    Index_Row_Build(ACG_SNMP_Read);
    Index_Row_Build(ACG_SNMP_Write);
    PageControl1->SetActivePage(page);
}

void TFSNMP_Trap_Access::Fill_Lists()
{
    NByte_IN = Data_Array;
    NByte_OUT = Data_Array;
    const std::tuple<TExtColumnGrid*, int, int> lists[] = {{ACG_SNMP_Read, Read_Position, NByte_IN},
                                                           {ACG_SNMP_Write, Write_Position, NByte_OUT}};
    for (const auto& [grid, col, bytes] : lists) {
        TStringList* items = grid->Columns()->Items(col)->ComboItems();
        items->BeginUpdate();
        items->Clear();
        for (int i = 0; i < bytes; ++i)
            items->Add(QString::number(i));
        items->EndUpdate();
    }
}

bool TFSNMP_Trap_Access::Controllo_dati()
{
    const std::optional<QString> fault =
        Check_Objects(Used_Row_Texts(*this, Read_Table), Used_Row_Texts(*this, Write_Table), SL_Check_Desc);
    if (fault)
        MessageDlg(*fault, mtError, mbOK);
    return !fault;
}

// After every row command the numbers follow the rows again.
void TFSNMP_Trap_Access::Btn_PasteRowClick(TObject* Sender)
{
    TTableEditor::Btn_PasteRowClick(Sender);
    Index_Row_Build(Active_Table().String_Grid);
}

void TFSNMP_Trap_Access::Btn_InsRowClick(TObject* Sender)
{
    TTableEditor::Btn_InsRowClick(Sender);
    Index_Row_Build(Active_Table().String_Grid);
}

void TFSNMP_Trap_Access::Btn_DelRowClick(TObject* Sender)
{
    TTableEditor::Btn_DelRowClick(Sender);
    Index_Row_Build(Active_Table().String_Grid);
}

TExtStringGrid* TFSNMP_Trap_Access::Grid_Of(TObject* Sender)
{
    for (TExtStringGrid* g :
         {static_cast<TExtStringGrid*>(ACG_SNMP_Read), static_cast<TExtStringGrid*>(ACG_SNMP_Write)}) {
        if (Sender == g)
            return g;
        if (auto* c = dynamic_cast<TComponent*>(Sender); c && c->Owner() == g)
            return g;
    }
    return nullptr;
}

void TFSNMP_Trap_Access::SGA_KeyPress(TObject* Sender, char16_t& Key)
{
    if (TExtStringGrid* g = Grid_Of(Sender))
        Grid_Enter_Next_Cell(g, Key);
}

void TFSNMP_Trap_Access::SGA_GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
{
    hintstr.clear();
    TExtStringGrid* g = Grid_Of(Sender);
    if (!g || ARow != 0)
        return;
    const QStringList& hints = Table(g == ACG_SNMP_Read ? Read_Table : Write_Table).Hints;
    const int c = g->RealColIndex(ACol);
    if (c > 0 && c - 1 < hints.size())
        hintstr = hints[c - 1];
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int, bool)
{
    if (ACol != 1)
        return;
    if (TExtStringGrid* g = Grid_Of(Sender))
        Index_Row_Build(g);
}

void TFSNMP_Trap_Access::Index_Row_Build(TExtStringGrid* Grid)
{
    int n = 1;
    for (int r = 1; r < Grid->RowCount(); ++r)
        Grid->SetCells(0, r, UpperCase(Grid->Cells(1, r)) == "Y" ? QString::number(n++) : QString());
}
