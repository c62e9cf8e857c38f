#include "editors/bacnet/UBACnetSlaveSetAccess.h"

#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "app/UTableRows.h"
#include "editors/bacnet/UBACnet_Eng_Unit.h"
#include "editors/bacnet/UBACnet_Units.h"
#include "editors/bacnet/UEDE_Writer.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <algorithm>
#include <array>

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

namespace bacnetslave
{

namespace
{

using framerules::In;
using framerules::Num;

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC, Yellow = 0xA8FFFF;
constexpr const char* Tahoma = "Tahoma";
constexpr const char* Verdana = "Verdana";

const char* const kRead_Types[] = {
    "Analog Input",       "Analog Value",  "Binary Input",      "Binary Value",      "Positive Integer Value",
    "Large Analog Value", "Integer Value", "Multi State Input", "Multi State Value", "Life Safety Point",
    "Life Safety Zone",   "Access Door",   "Accumulator"};
const char* const kWrite_Types[] = {"Analog Out",    "Analog Value",           "Binary Out",
                                    "Binary Value",  "Positive Integer Value", "Large Analog Value",
                                    "Integer Value", "Multi State Output",     "Multi State Value",
                                    "Access Door"};
const char* const kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

constexpr TEditorColumn Col(int Header, TEditorType Editor, int Width, TColor Color, const char* Attribute,
                            const char* Font = Tahoma)
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Font = Font;
    return c;
}

// The eight columns of a table whose headers start at First_Header; the position lists are filled at
// every show.
constexpr std::array<TEditorColumn, 8> Columns(int First_Header, std::span<const char* const> Types)
{
    std::array<TEditorColumn, 8> c = {
        Col(First_Header, edNormal, 40, clWindow, nullptr),
        Col(First_Header + 1, edComboList, 150, Cyan, "Data_Type"),
        Col(First_Header + 2, edNormal, 100, Cyan, "Eng_Unit"),
        Col(First_Header + 3, edComboList, 64, Pink, "Position"),
        Col(First_Header + 4, edComboList, 64, Pink, "Bit"),
        Col(First_Header + 5, edNormal, 64, Pink, "Length", Verdana),
        Col(First_Header + 6, edDataCheckBox, 40, Yellow, "Swap"),
        Col(First_Header + 7, edNormal, 250, clWhite, "Mnemonic"),
    };
    c[Col_Type].Items = Types;
    c[Col_Bit].Items = kBits;
    // Only Swap may be missing from a row: files of older versions had none.
    c[Col_Swap].Missing = "N";
    c[Col_Swap].Hidden = true;
    c[Col_Swap].Alignment = taCenter;
    return c;
}

constexpr std::array<TEditorColumn, 8> kRead_Columns = Columns(2216, kRead_Types);
constexpr std::array<TEditorColumn, 8> kWrite_Columns = Columns(2224, kWrite_Types);

constexpr TEditorTable Table(const char* Grid, const char* Tab, int Tab_Caption, const char* Section,
                             std::span<const TEditorColumn> Columns)
{
    return TEditorTable{Grid,     Tab,   Tab_Caption, Section, Max_Rows,
                        Col_Type, false, 2232,        2260,    TDeleteQuestion::Append_Number,
                        Columns};
}

const TEditorTable kTables[] = {
    Table("ACG_BACnet_in_Read", "TS_BACnet_in_Read", 2208, "BACnet_in_Read", kRead_Columns),
    Table("ACG_BACnet_in_Write", "TS_BACnet_in_Write", 2209, "BACnet_in_Write", kWrite_Columns),
};

// ---- Checks --------------------------------------------------------------------------------------------

struct TLengthRule {
    const char* Type;
    int Lo, Hi;
    int Text;
};

struct TTableRules {
    std::span<const char* const> Bit_Types; // one bit of the byte at Position
    std::span<const TLengthRule> Lengths;
    int Unit, Position, Bit, Last;
};

const char* const kRead_Bit_Types[] = {"Binary Input", "Binary Value"};
const TLengthRule kRead_Lengths[] = {
    {"Analog Input", 1, 4, 2235},       {"Positive Integer Value", 1, 4, 2236},
    {"Large Analog Value", 1, 8, 2237}, {"Analog Value", 1, 4, 2238},
    {"Multi State Input", 1, 4, 2239},  {"Multi State Value", 1, 4, 2240},
    {"Life Safety Point", 1, 2, 2241},  {"Life Safety Zone", 1, 2, 2242},
    {"Access Door", 1, 1, 2243},        {"Accumulator", 1, 4, 2244},
};
const TTableRules kRead_Rules = {kRead_Bit_Types, kRead_Lengths, 2233, 2234, 2245, 2246};

const char* const kWrite_Bit_Types[] = {"Binary Out", "Binary Value"};
const TLengthRule kWrite_Lengths[] = {
    {"Analog Out", 1, 4, 2249},         {"Analog Value", 1, 4, 2250},  {"Positive Integer Value", 1, 4, 2251},
    {"Large Analog Value", 1, 8, 2252}, {"Integer Value", 1, 4, 2253}, {"Multi State Output", 1, 4, 2254},
    {"Multi State Value", 1, 4, 2255},  {"Access Door", 1, 1, 2256},
};
const TTableRules kWrite_Rules = {kWrite_Bit_Types, kWrite_Lengths, 2247, 2248, 2257, 2258};

TFrameCheck Check(const TTableRules& K, const TFrameRows& Rows, int NByte)
{
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (!In(row.value(Col_Unit), 0, 65535))
            return TFrameFault{r, K.Unit};
        if (!In(row.value(Col_Position), 0, NByte - 1))
            return TFrameFault{r, K.Position, QString::number(NByte - 1)};
        const QString type = row.value(Col_Type);
        // 64 bits: a Length read from a file may be any 32-bit number.
        int64_t last = Num(row.value(Col_Position));
        const bool one_bit = std::any_of(K.Bit_Types.begin(), K.Bit_Types.end(),
                                         [&](const char* t) { return type == QLatin1String(t); });
        if (one_bit) {
            if (row.value(Col_Bit).isEmpty())
                return TFrameFault{r, K.Bit};
        } else {
            const int length = StrToIntDef(row.value(Col_Length), 0);
            for (const TLengthRule& rule : K.Lengths)
                if (type == QLatin1String(rule.Type) && (length < rule.Lo || length > rule.Hi))
                    return TFrameFault{r, rule.Text};
            last += int64_t(length) - 1;
        }
        if (last >= NByte)
            return TFrameFault{r, K.Last};
    }
    return std::nullopt;
}

const std::pair<const char*, const char*> kType_Lengths[] = {
    {"ANALOG OUT", "4"},    {"ANALOG VALUE", "4"},           {"BINARY OUT", "1"},
    {"BINARY VALUE", "1"},  {"POSITIVE INTEGER VALUE", "4"}, {"LARGE ANALOG VALUE", "8"},
    {"INTEGER VALUE", "4"}, {"MULTI STATE OUTPUT", "4"},     {"MULTI STATE VALUE", "4"},
    {"ACCESS DOOR", "1"},   {"OCTET STRING", "1"},
};

} // namespace

const TEditorSpec Spec = {
    "FBACnetSlaveSetAccess",
    764,
    337,
    2200,
    2201,
    {{2202, 2210, true},
     {2203, 2211, true},
     {2204, 2212, true},
     {2205, 2213, true},
     {2206, 2214, true},
     {2207, 2215, true}},
    {&File_BACnet_Slave, "BACnet_to_Modbus", "SW_VERSION = 1.000"},
    kTables,
    Tahoma,
};

TFrameCheck Check_Read(const TFrameRows& Rows, int NByte_IN)
{
    return Check(kRead_Rules, Rows, NByte_IN);
}

TFrameCheck Check_Write(const TFrameRows& Rows, int NByte_OUT)
{
    return Check(kWrite_Rules, Rows, NByte_OUT);
}

TFrameCheck Check_Tables(const TFrameRows& Read, const TFrameRows& Write, int NByte_IN, int NByte_OUT,
                         bool Desc_Lenght)
{
    if (TFrameCheck fault = Check_Read(Read, NByte_IN))
        return fault;
    if (TFrameCheck fault = Check_Write(Write, NByte_OUT))
        return fault;
    const int limit = Desc_Lenght ? Limited_Rows : Max_Rows;
    if (Read.size() + Write.size() > size_t(limit))
        return TFrameFault{0, 2259, QString::number(limit)};
    return std::nullopt;
}

std::optional<QString> Length_For_Type(const QString& Type)
{
    const QString upper = UpperCase(Type);
    for (const auto& [type, length] : kType_Lengths)
        if (upper == QLatin1String(type))
            return QString::fromLatin1(length);
    return std::nullopt;
}

bool Read_Desc_Lenght(const QString& path)
{
    if (!FileExists(path))
        return false;
    try {
        TXmlDocument doc;
        doc.LoadFromFile(path);
        const TXmlElement e = doc.Root().Child(QStringLiteral("BACnet_Desc_Chars_Limit"));
        return e && e.Text() == QLatin1String("1");
    } catch (const Exception&) {
        return false;
    }
}

} // namespace bacnetslave

namespace
{

// The editor whose creation filled the main window's EDE slot.
TFBACnetSlaveSetAccess* Slot_Form = nullptr;

} // namespace

using namespace bacnetslave;

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner) : TTableEditor(AOwner, bacnetslave::Spec)
{
    ACG_BACnet_in_Read = Table(Read_Table).Grid;
    ACG_BACnet_in_Write = Table(Write_Table).Grid;
    TS_BACnet_in_Read = Table(Read_Table).Tab;
    TS_BACnet_in_Write = Table(Write_Table).Tab;
    SetBorderIcons(biSystemMenu | biMaximize);

    Btn_OK->OnClick = [this](TObject* Sender) { bitbtn1Click(Sender); };
    Btn_DelRow->OnClick = [this](TObject* Sender) { Btn_DelRow_Click(Sender); };
    ACG_BACnet_in_Read->OnDblClickCell = [this](TObject* Sender, int ARow, int ACol) {
        ACG_BACnet_in_ReadDblClickCell(Sender, ARow, ACol);
    };
    ACG_BACnet_in_Write->OnDblClickCell = [this](TObject* Sender, int ARow, int ACol) {
        ACG_BACnet_in_WriteDblClickCell(Sender, ARow, ACol);
    };
    ACG_BACnet_in_Write->OnComboChange = [this](TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                const QString& ASelection) {
        ACG_BACnet_in_WriteComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
    ACG_BACnet_in_Read->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
        GridHint(Sender, ARow, ACol, hint);
    };
    FormCreate();

    Slot_Form = this;
    File_Command_Slots().Create_EDE_File = [](const QString& Name) { Create_EDE_File(Name); };
}

TFBACnetSlaveSetAccess::~TFBACnetSlaveSetAccess()
{
    if (Slot_Form == this) {
        File_Command_Slots().Create_EDE_File = nullptr;
        Slot_Form = nullptr;
    }
    if (FBACnetSlaveSetAccess == this)
        FBACnetSlaveSetAccess = nullptr;
}

void TFBACnetSlaveSetAccess::FormShow(TObject* Sender)
{
    TS_BACnet_in_Read->SetTabVisible(true);
    TS_BACnet_in_Write->SetTabVisible(true);
    PageControl1->SetActivePage(TS_BACnet_in_Write);
    PageControl1->SetActivePage(TS_BACnet_in_Read);
    Desc_Lenght = Read_Desc_Lenght(File_ParGen);
    const int rows = Desc_Lenght ? Limited_Rows : Max_Rows;
    for (TExtColumnGrid* g : {ACG_BACnet_in_Read, ACG_BACnet_in_Write})
        g->SetRowCount(rows + 1);
    // The frame clears the table's rows, fills the lists, loads the file and clears the copy flags.
    TTableEditor::FormShow(Sender);
    // Rows past the limit - the file's and what an earlier showing left - are emptied too, so a
    // table that grows again at a later showing shows none of them.
    for (TExtColumnGrid* g : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
        g->BeginUpdate();
        for (int r = rows + 1; r <= Max_Rows; ++r) {
            g->SetCells(0, r, QString::number(r));
            for (int c = 1; c <= Col_Mnemonic; ++c)
                g->SetCells(c, r, QString());
        }
        g->EndUpdate();
    }
}

void TFBACnetSlaveSetAccess::Fill_Lists()
{
    NByte_IN = Image_Bytes;
    NByte_OUT = Image_Bytes;
    const std::pair<TExtColumnGrid*, int> lists[] = {{ACG_BACnet_in_Read, NByte_IN},
                                                     {ACG_BACnet_in_Write, NByte_OUT}};
    for (const auto& [grid, bytes] : lists) {
        TStringList* items = grid->Columns()->Items(Col_Position)->ComboItems();
        items->BeginUpdate();
        items->Clear();
        for (int i = 0; i < bytes; ++i)
            items->Add(QString::number(i));
        items->EndUpdate();
    }
}

bool TFBACnetSlaveSetAccess::Controllo_dati()
{
    const TFrameCheck fault =
        Check_Tables(Used_Row_Texts(*this, Read_Table), Used_Row_Texts(*this, Write_Table), NByte_IN,
                     NByte_OUT, Desc_Lenght);
    // Both tables share the row-error text.
    if (fault)
        Show_Frame_Fault(*this, Read_Table, *fault);
    return !fault;
}

void TFBACnetSlaveSetAccess::Pick_Eng_Unit(TExtColumnGrid* Grid, int ARow, int ACol)
{
    TFBACnet_Eng_Unit* picker = FBACnet_Eng_Unit;
    if (!picker)
        return;
    // An open edit of the cell ends first, so it cannot write its text over the pick afterwards.
    End_Cell_Edit(Grid);
    const QString text = Grid->Cells(ACol, ARow);
    picker->E_Selected_EU->SetText(text);
    picker->Label5->SetCaption("-> " + Desc_Unit(StrToIntDef(text, -1)));
    if (picker->ShowModal() == mrOk)
        Grid->SetCells(ACol, ARow, picker->E_Selected_EU->Text());
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_ReadDblClickCell(TObject*, int ARow, int ACol)
{
    if (ARow >= 1 && ARow < ACG_BACnet_in_Read->RowCount() &&
        ACG_BACnet_in_Read->RealColIndex(ACol) == Col_Unit)
        Pick_Eng_Unit(ACG_BACnet_in_Read, ARow, Col_Unit);
    Grid_Dbl_Click_Auto_Size(ACG_BACnet_in_Read, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteDblClickCell(TObject*, int ARow, int ACol)
{
    if (ARow >= 1 && ARow < ACG_BACnet_in_Write->RowCount() &&
        ACG_BACnet_in_Write->RealColIndex(ACol) == Col_Unit)
        Pick_Eng_Unit(ACG_BACnet_in_Write, ARow, Col_Unit);
    Grid_Dbl_Click_Auto_Size(ACG_BACnet_in_Write, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject*, int ACol, int ARow, int,
                                                            const QString& ASelection)
{
    if (ACG_BACnet_in_Write->RealColIndex(ACol) != Col_Type)
        return;
    if (const std::optional<QString> length = Length_For_Type(ASelection))
        ACG_BACnet_in_Write->SetCells(Col_Length, ARow, *length);
}

void TFBACnetSlaveSetAccess::GridHint(TObject*, int, int, QString& hintstr)
{
    hintstr.clear();
}
