#include "editors/network/UOPC_UA_Server_Access.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

namespace
{

constexpr int Enable_Col = 1, Type_Col = 2, Position_Col = 3, Length_Col = 4, RW_Col = 6;
constexpr int Data_Array_Size = 2000;
constexpr TColor Orange = 0x00B0D8FF, Cyan = 0x00FEFAE0, Green = 0x00A8FFA8;
const char* const Read_Write = "Read/Write";

namespace txt
{
constexpr int Position = 4527, Delete = 4528;
}

struct TTypeLength {
    const char* Type;
    const char* Length;
    bool Read_Only;
};

// The list of the Type column, in its order.
const TTypeLength kTypes[] = {
    {"Boolean", "1", true},      {"Signed Byte", "1", true}, {"Byte", "1", true},   {"Int16", "2", true},
    {"UInt16", "2", true},       {"Int32", "4", true},       {"UInt32", "4", true}, {"Float", "4", true},
    {"Int64", "8", true},        {"UInt64", "8", true},      {"Double", "8", true}, {"String", "10", false},
    {"ByteString", "10", false},
};
const char* const kAccess[] = {"Read Only", Read_Write};

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = "";
    return c;
}

constexpr TEditorColumn Enable_Column()
{
    TEditorColumn c = Col(4515, 50, Orange, "Enable");
    c.Missing = "Y";
    return c;
}

const TEditorColumn kColumns[] = {
    Col(4514, 40, clWindow, nullptr),   Enable_Column(),
    Col(4516, 120, Cyan, "Type"),       Col(4517, 100, Cyan, "Position"),
    Col(4518, 100, Cyan, "Length"),     Col(4519, 280, clWhite, "Name"),
    Col(4529, 100, Green, "ReadWrite"), Col(4520, 280, clWhite, "Mnemonic"),
};

constexpr TEditorTable Make_Table()
{
    TEditorTable t{"ESG",    nullptr, -1, nullptr,     250,
                   Type_Col, true,    -1, txt::Delete, TDeleteQuestion::Replace_Placeholder,
                   kColumns};
    t.Key_Rule = TKeyRule::Last_Trimmed;
    t.Enable_Rule = TEnableRule::Check_Box;
    t.Section = "OPC_UA_Server_Variables";
    t.Any_Row_Name = true;
    t.Select_On_Click = false;
    t.Check_Boxes = true;
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

const TEditorSpec kSpec = {
    "FOPC_UA_Server_Access",
    1200,
    337,
    4500,
    4501,
    {{4502, 4508, true},
     {4503, 4509, true},
     {4504, 4510, true},
     {4505, 4511, true},
     {4506, 4512, true},
     {4507, 4513, true}},
    {&File_OPC_UA_Server, "OPC_UA_Server", "SW_VERSION = 1.000"},
    kTable,
};

// Each "%d" in turn takes the next number, as text: a language file's text never reaches a
// printf-style formatter.
QString Fill_Numbers(QString Text, std::initializer_list<int> Numbers)
{
    qsizetype from = 0;
    for (int n : Numbers) {
        const qsizetype at = Text.indexOf("%d", from);
        if (at < 0)
            break;
        const QString number = QString::number(n);
        Text.replace(at, 2, number);
        from = at + number.size();
    }
    return Text;
}

} // namespace

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner) : TTableEditor(AOwner, kSpec)
{
    ESG = Table(0).String_Grid;
    FormCreate();
    Init_Table();
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access()
{
    if (FOPC_UA_Server_Access == this)
        FOPC_UA_Server_Access = nullptr;
}

void TFOPC_UA_Server_Access::Init_Table()
{
    ESG->OnDblClickCell = nullptr;
    ESG->OnKeyPress = nullptr;
    ESG->OnGetEditorType = [this](TObject* Sender, int ACol, int ARow, TEditorType& AEditor) {
        ESGGetEditorType(Sender, ACol, ARow, AEditor);
    };
    ESG->OnComboChange = [this](TObject* Sender, int ACol, int ARow, int AItemIndex,
                                const QString& ASelection) {
        ESGComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
}

void TFOPC_UA_Server_Access::Fill_Lists()
{
    // A fresh showing starts with every cell editable; the loaded types lock their Lengths again.
    for (int r = 1; r < ESG->RowCount(); ++r)
        for (int c = 1; c < ESG->ColCount(); ++c)
            ESG->SetReadOnly(c, r, false);
}

void TFOPC_UA_Server_Access::Load_Row(TTableView&, int ARow, QStringList& Texts)
{
    // The type first; the file's Length and R/W then replace what it set.
    VarSetLength(Texts.value(Type_Col), ARow);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString& Type, int ARow)
{
    for (const TTypeLength& t : kTypes)
        if (Type == QLatin1String(t.Type)) {
            ESG->SetCells(Length_Col, ARow, QLatin1String(t.Length));
            ESG->SetReadOnly(Length_Col, ARow, t.Read_Only);
            break;
        }
    if (ESG->Cells(RW_Col, ARow).isEmpty())
        ESG->SetCells(RW_Col, ARow, QLatin1String(Read_Write));
}

void TFOPC_UA_Server_Access::ESGGetEditorType(TObject*, int ACol, int, TEditorType& AEditor)
{
    if (ACol != Type_Col && ACol != RW_Col)
        return;
    AEditor = edComboList;
    ESG->ClearComboString();
    if (ACol == Type_Col)
        for (const TTypeLength& t : kTypes)
            ESG->AddComboString(QLatin1String(t.Type));
    else
        for (const char* access : kAccess)
            ESG->AddComboString(QLatin1String(access));
}

void TFOPC_UA_Server_Access::ESGComboChange(TObject*, int ACol, int ARow, int, const QString& ASelection)
{
    if (ACol == Type_Col)
        VarSetLength(ASelection, ARow);
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject* Sender)
{
    TTableEditor::Btn_PasteRowClick(Sender);
    if (!Table(0).Do_Copy)
        return;
    const int row = ESG->Row();
    if (row < 1 || row >= ESG->RowCount())
        return;
    const QString length = ESG->Cells(Length_Col, row);
    VarSetLength(ESG->Cells(Type_Col, row), row);
    ESG->SetCells(Length_Col, row, length);
}

bool TFOPC_UA_Server_Access::Controllo_dati()
{
    const TTableView& t = Table(0);
    for (int r = 1; r < ESG->RowCount(); ++r) {
        if (Trim(ESG->Cells(Type_Col, r)).isEmpty() || !Row_Enabled(t, r))
            continue;
        const int position = Cell_Int(ESG, Position_Col, r);
        if (position < 0 || position > Data_Array_Size - 1) {
            MessageDlg(Fill_Numbers(Lang_Text(txt::Position), {r, Data_Array_Size}), mtError, mbOK);
            return false;
        }
    }
    return true;
}
