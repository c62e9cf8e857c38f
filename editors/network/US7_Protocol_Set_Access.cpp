#include "editors/network/US7_Protocol_Set_Access.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/UTableRows.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <array>

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

namespace s7access
{

namespace
{

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC, Yellow = 0xA8FFFF;

const char* const kPLC_Types[] = {"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"};
const char* const kData_Types[] = {"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"};
const char* const kIdentifiers[] = {"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"};
const char* const kAreas[] = {"Direct peripheral access (P)", "Inputs (I)", "Output (Q)",
                              "Flags (M) (Merker)"};
const char* const kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

constexpr TEditorColumn Col(int Header, TEditorType Editor, int Width, TColor Color, const char* Attribute,
                            int Hint, std::span<const char* const> Items = {})
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Hint = Hint;
    c.Items = Items;
    if (Editor == edDataCheckBox)
        c.Alignment = taCenter;
    return c;
}

// Header and hint indexes of one table, in column order from column 1; the write table's two
// extra columns are the only ones the read table lacks.
struct TTexts {
    int Number_Header;
    int Header[13], Hint[13];
    int Header_Tail[5], Hint_Tail[5]; // Position, Start Bit, Swap, Swap Word, Mnemonic
    int Mnemonic_Width;
};

constexpr std::array<TEditorColumn, 14> Head_Columns(const TTexts& t)
{
    std::array<TEditorColumn, 14> c = {
        Col(t.Number_Header, edNormal, 40, clWindow, nullptr, -1),
        Col(t.Header[0], edDataCheckBox, 50, Yellow, "Enable", t.Hint[0]),
        Col(t.Header[1], edNormal, 100, Cyan, "PLC_Address", t.Hint[1]),
        Col(t.Header[2], edNormal, 60, Cyan, "PLC_Port", t.Hint[2]),
        Col(t.Header[3], edComboList, 80, Cyan, "PLC_Type", t.Hint[3], kPLC_Types),
        Col(t.Header[4], edNormal, 45, Cyan, "Rack", t.Hint[4]),
        Col(t.Header[5], edNormal, 45, Cyan, "Slot", t.Hint[5]),
        Col(t.Header[6], edComboList, 70, Cyan, "Data_Type", t.Hint[6], kData_Types),
        Col(t.Header[7], edComboList, 90, Cyan, "Data_Identifier", t.Hint[7], kIdentifiers),
        Col(t.Header[8], edNormal, 80, Cyan, "DB_Number", t.Hint[8]),
        Col(t.Header[9], edComboList, 115, Cyan, "PLC_Area", t.Hint[9], kAreas),
        Col(t.Header[10], edNormal, 60, Cyan, "PLC_Add", t.Hint[10]),
        Col(t.Header[11], edComboList, 60, Cyan, "PLC_Bit", t.Hint[11], kBits),
        Col(t.Header[12], edNormal, 64, Pink, "PollTime", t.Hint[12]),
    };
    // New rows are enabled; rows of files older than Enable, Rack and Slot load as such.
    c[Col_Enable].New_Text = "Y";
    c[Col_Enable].Missing = "Y";
    c[Col_Rack].Missing = "0";
    c[Col_Slot].Missing = "0";
    return c;
}

constexpr std::array<TEditorColumn, 5> Tail_Columns(const TTexts& t)
{
    return {
        Col(t.Header_Tail[0], edComboList, 60, Pink, "Position", t.Hint_Tail[0]),
        Col(t.Header_Tail[1], edComboList, 64, Pink, "Bit", t.Hint_Tail[1], kBits),
        Col(t.Header_Tail[2], edDataCheckBox, 40, Yellow, "Swap", t.Hint_Tail[2]),
        Col(t.Header_Tail[3], edDataCheckBox, 80, Yellow, "SwapWord", t.Hint_Tail[3]),
        Col(t.Header_Tail[4], edNormal, t.Mnemonic_Width, clWhite, "Mnemonic", t.Hint_Tail[4]),
    };
}

constexpr TTexts kRead_Texts = {
    5116,
    {5117, 5118, 5119, 5120, 5213, 5214, 5121, 5122, 5189, 5190, 5191, 5192, 5123},
    {5144, 5145, 5146, 5147, 5217, 5218, 5148, 5149, 5197, 5198, 5199, 5200, 5150},
    {5124, 5125, 5126, 5127, 5128},
    {5151, 5152, 5153, 5154, 5155},
    204,
};
constexpr TTexts kWrite_Texts = {
    5129,
    {5130, 5131, 5132, 5133, 5215, 5216, 5134, 5135, 5193, 5194, 5195, 5196, 5136},
    {5156, 5157, 5158, 5159, 5219, 5220, 5160, 5161, 5201, 5202, 5203, 5204, 5162},
    {5139, 5140, 5141, 5142, 5143},
    {5165, 5166, 5167, 5168, 5169},
    78,
};

template <size_t N> constexpr std::array<TEditorColumn, N> Table_Columns(const TTexts& t, bool write)
{
    std::array<TEditorColumn, N> c{};
    const auto head = Head_Columns(t);
    const auto tail = Tail_Columns(t);
    size_t i = 0;
    for (const TEditorColumn& h : head)
        c[i++] = h;
    if (write) {
        c[i++] = Col(5137, edDataCheckBox, 70, Yellow, "OnChange", 5163);
        c[i++] = Col(5138, edDataCheckBox, 56, Yellow, "OnCMD", 5164);
    }
    for (const TEditorColumn& x : tail)
        c[i++] = x;
    return c;
}

constexpr std::array<TEditorColumn, 19> kRead_Columns = Table_Columns<19>(kRead_Texts, false);
constexpr std::array<TEditorColumn, 21> kWrite_Columns = Table_Columns<21>(kWrite_Texts, true);

// The delete question has no entry of its own in the editor's block before 5225.
constexpr int Delete_Question = 5225;

constexpr TEditorTable Table(const char* Grid, const char* Tab, int Tab_Caption, const char* Section,
                             std::span<const TEditorColumn> Columns)
{
    return TEditorTable{Grid,        Tab,  Tab_Caption, Section,         Data_Rows,
                        Col_Address, true, 5170,        Delete_Question, TDeleteQuestion::Append_Number,
                        Columns};
}

const TEditorTable kTables[] = {
    Table("ACG_S7_Read", "TS_S7_Read", 5114, "S7_Protocol_Read", kRead_Columns),
    Table("ACG_S7_Write", "TS_S7_Write", 5115, "S7_Protocol_Write", kWrite_Columns),
};

// The fault texts of one table, in the order the checks run.
struct TCheckTexts {
    int Address, Port, Connections, PLC_Type, Rack, Slot, Data_Type, Data_Identifier, DB_Number, Area, Add,
        Bit, Poll_Time, Position, Start_Bit;
    int Poll_Lo;
    int Position_Col;
};

constexpr TCheckTexts kChecks[] = {
    {5171, 5172, 5187, 5173, 5221, 5222, 5174, 5175, 5205, 5206, 5207, 5208, 5176, 5177, 5178, 1,
     Read_Position},
    {5179, 5180, 5188, 5181, 5223, 5224, 5182, 5183, 5209, 5210, 5211, 5212, 5184, 5185, 5186, 0,
     Write_Position},
};

bool In(const QString& Text, int Lo, int Hi)
{
    const int v = StrToIntDef(Text, -1);
    return v >= Lo && v <= Hi;
}

// The size element under the parameters file's root; a missing element reads as 0.
int32_t Size_Of(const TXmlElement& Root, const char* Name)
{
    const TXmlElement e = Root ? Root.Child(QLatin1String(Name)) : TXmlElement();
    return e ? Read_Size(e.Text()) : 0;
}

} // namespace

const TEditorSpec Spec = {
    "FS7_Protocol_Set_Access",
    1350,
    337,
    5100,
    5101,
    {{5102, 5108, true},
     {5103, 5109, true},
     {5104, 5110, true},
     {5105, 5111, true},
     {5106, 5112, true},
     {5107, 5113, true}},
    {&File_S7_Protocol, "S7_Protocol", "SW_VERSION = 1.000"},
    kTables,
};

int32_t Read_Size(const QString& Text)
{
    const int32_t n = StrToIntDef(Text, 0);
    // A hand-edited size beyond any array would make each show build a list of that many items.
    return n >= 0 && n <= Max_Bytes ? n : 0;
}

} // namespace s7access

using namespace s7access;

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent* AOwner) : TTableEditor(AOwner, s7access::Spec)
{
    ACG_S7_Read = Table(Read_Table).Grid;
    ACG_S7_Write = Table(Write_Table).Grid;
    TS_S7_Read = Table(Read_Table).Tab;
    TS_S7_Write = Table(Write_Table).Tab;
    for (TExtColumnGrid* g : {ACG_S7_Read, ACG_S7_Write})
        g->OnKeyPress = [this](TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); };
    FormCreate();
}

TFS7_Protocol_Set_Access::~TFS7_Protocol_Set_Access()
{
    if (FS7_Protocol_Set_Access == this)
        FS7_Protocol_Set_Access = nullptr;
}

void TFS7_Protocol_Set_Access::FormShow(TObject* Sender)
{
    // The sizes first: a parameters file that is not well-formed raises before any cell changes.
    int32_t in = Default_Bytes, out = Default_Bytes;
    if (FileExists(File_ParGen)) {
        TXmlDocument pargen;
        pargen.LoadFromFile(File_ParGen);
        const TXmlElement root = pargen.Root();
        in = Size_Of(root, "PROFINET_NB_IN");
        out = Size_Of(root, "PROFINET_NB_OUT");
    }
    NByte_IN = in;
    NByte_OUT = out;
    TTableEditor::FormShow(Sender);
}

void TFS7_Protocol_Set_Access::Fill_Lists()
{
    const std::pair<TExtColumnGrid*, std::pair<int, int32_t>> lists[] = {
        {ACG_S7_Read, {Read_Position, NByte_IN}}, {ACG_S7_Write, {Write_Position, NByte_OUT}}};
    for (const auto& [grid, list] : lists) {
        TStringList* items = grid->Columns()->Items(list.first)->ComboItems();
        items->BeginUpdate();
        items->Clear();
        for (int32_t i = 0; i < list.second; ++i)
            items->Add(QString::number(i));
        items->EndUpdate();
    }
}

void TFS7_Protocol_Set_Access::KeyPress(TObject* Sender, char16_t& Key)
{
    // A cell editor sends its own keys; the grid that owns it is the table meant.
    TObject* grid = Sender;
    if (Sender != ACG_S7_Read && Sender != ACG_S7_Write)
        if (const auto* editor = dynamic_cast<const TComponent*>(Sender))
            grid = editor->Owner();
    if (grid == ACG_S7_Read)
        Grid_Enter_Next_Cell(ACG_S7_Read, Key);
    else if (grid == ACG_S7_Write)
        Grid_Enter_Next_Cell(ACG_S7_Write, Key);
}

int TFS7_Protocol_Set_Access::Check_IP_Port(uint8_t a, uint8_t b, uint8_t c, uint8_t d, int32_t Port)
{
    for (int i = 0; i < int(array_ip_Port.size()); ++i) {
        TIPPort& e = array_ip_Port[size_t(i)];
        if (e.IP1 == -1) {
            e = TIPPort{a, b, c, d, Port};
            return i;
        }
        if (e.IP1 == a && e.IP2 == b && e.IP3 == c && e.IP4 == d && e.Port == Port)
            return i;
    }
    return -1;
}

bool TFS7_Protocol_Set_Access::Check_Row(int T, int ARow)
{
    const TTableView& view = Table(T);
    const TCheckTexts& k = kChecks[T];
    TExtStringGrid* g = view.String_Grid;
    auto cell = [&](int c) { return g->Cells(c, ARow); };
    auto fail = [&](int text, const QString& suffix = QString()) {
        Row_Error(view, ARow, text, suffix);
        return false;
    };
    uint8_t ip[4] = {0, 0, 0, 0};
    if (Decode_IP_Address(cell(Col_Address), ip[0], ip[1], ip[2], ip[3]))
        return fail(k.Address);
    if (!In(cell(Col_Port), 0, 65535))
        return fail(k.Port);
    if (Check_IP_Port(ip[0], ip[1], ip[2], ip[3], StrToIntDef(cell(Col_Port), -1)) < 0)
        return fail(k.Connections);
    if (Trim(cell(Col_PLC_Type)).isEmpty())
        return fail(k.PLC_Type);
    if (!In(cell(Col_Rack), 0, 3))
        return fail(k.Rack);
    if (!In(cell(Col_Slot), 0, 31))
        return fail(k.Slot);
    if (Trim(cell(Col_Data_Type)).isEmpty())
        return fail(k.Data_Type);
    if (Trim(cell(Col_Data_Identifier)).isEmpty())
        return fail(k.Data_Identifier);
    if (!In(cell(Col_DB_Number), 0, 65535))
        return fail(k.DB_Number);
    if (Trim(cell(Col_Area)).isEmpty())
        return fail(k.Area);
    if (!In(cell(Col_Add), 0, 65535))
        return fail(k.Add);
    if (Trim(cell(Col_Bit)).isEmpty())
        return fail(k.Bit);
    if (!In(cell(Col_Poll_Time), k.Poll_Lo, 100000000))
        return fail(k.Poll_Time);
    const int32_t bytes = T == Read_Table ? NByte_IN : NByte_OUT;
    if (!In(cell(k.Position_Col), 0, bytes - 1))
        return fail(k.Position, QString::number(bytes - 1));
    if (Trim(cell(k.Position_Col + 1)).isEmpty())
        return fail(k.Start_Bit);
    return true;
}

bool TFS7_Protocol_Set_Access::Controllo_dati()
{
    // One connection table for both tables: the device holds ten connections in all.
    array_ip_Port.assign(Max_Connections, TIPPort{});
    for (int t : {Read_Table, Write_Table}) {
        const TTableView& view = Table(t);
        const int used = Used_Rows(view);
        for (int r = 1; r <= used; ++r) {
            if (Trim(view.String_Grid->Cells(Col_Enable, r)) != "Y")
                continue;
            if (!Check_Row(t, r))
                return false;
        }
    }
    return true;
}
