#include "editors/network/UIEC61850_Variables.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/SysUtils.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

namespace
{

constexpr int Data_Array_Size = 1438;
constexpr int Enable_Col = 1, Name_Col = 2, Type_Col = 3, Length_Col = 4, Position_Col = 6, Start_Bit_Col = 7,
              Conversion_Col = 8, Factor_Col = 9;
const char* const Digital = "Digital (Bit)";

namespace txt
{
constexpr int Error_Row = 3329, Position = 3330, Delete = 3331, Start_Bit = 3338, Conversion = 3339,
              Factor = 3340, Length = 3341;
}

const char* const kTypes[] = {"Int", "Float", Digital};
const char* const kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
const char* const kConversions[] = {"None", "Int to Float", "Float to Int"};
const char* const kFactors[] = {"None"};

constexpr TEditorColumn Col(int Header, int Width, const char* Attribute, int Hint,
                            TEditorType Editor = edNormal, const char* Missing = "")
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    return c;
}

constexpr TEditorColumn List_Col(int Header, int Width, const char* Attribute, int Hint,
                                 std::span<const char* const> Items, TEditorType Editor = edComboList)
{
    TEditorColumn c = Col(Header, Width, Attribute, Hint, Editor);
    c.Items = Items;
    return c;
}

constexpr TEditorColumn Enable_Column()
{
    TEditorColumn c = Col(3315, 50, "Enable", 3322, edDataCheckBox, "Y");
    c.New_Text = "Y";
    return c;
}

const TEditorColumn kColumns[] = {
    Col(3314, 40, nullptr, -1),
    Enable_Column(),
    Col(3316, 250, "Name", 3323),
    List_Col(3317, 80, "Type", 3324, kTypes),
    Col(3318, 65, "Length", 3325),
    Col(3319, 65, "ReadOnly", 3326, edDataCheckBox, "N"),
    Col(3320, 80, "Position", 3327),
    List_Col(3332, 60, "StartBit", 3335, kBits),
    List_Col(3333, 75, "Conversion", 3336, kConversions),
    List_Col(3334, 75, "MultiplicationFactor", 3337, kFactors, edComboEdit),
    Col(3342, 45, "Swap", 3344, edDataCheckBox, "N"),
    Col(3343, 80, "SwapWord", 3345, edDataCheckBox, "N"),
    Col(3321, 128, "Mnemonic", 3328),
};

constexpr TEditorTable Make_Table()
{
    TEditorTable t{"ACG",       nullptr,
                   -1,          nullptr,
                   50,          Name_Col,
                   true,        txt::Error_Row,
                   txt::Delete, TDeleteQuestion::Append_Number,
                   kColumns};
    t.Enable_Rule = TEnableRule::Exact;
    t.Any_Row_Name = true;
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

const TEditorSpec kSpec = {
    "FIEC61850_Variables",
    1155,
    337,
    3300,
    3301,
    {{3302, 3308, true},
     {3303, 3309, true},
     {3304, 3310, true},
     {3305, 3311, true},
     {3306, 3312, true},
     {3307, 3313, true}},
    {&File_IEC61850_Variables, "IEC61850_Variables", "SW_VERSION = 1.000"},
    kTable,
};

bool In_Range(const QString& Text, int Low, int High)
{
    const int v = StrToIntDef(Text, -1);
    return v >= Low && v <= High;
}

} // namespace

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner) : TTableEditor(AOwner, kSpec)
{
    ACG = Table(0).Grid;
    ACG->OnComboChange = [this](TObject* Sender, int ACol, int ARow, int AItemIndex,
                                const QString& ASelection) {
        ComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
    FormCreate();
}

TFIEC61850_Variables::~TFIEC61850_Variables()
{
    if (FIEC61850_Variables == this)
        FIEC61850_Variables = nullptr;
}

void TFIEC61850_Variables::Fill_Lists()
{
    // Fixed: the parameters file is not read.
    NByte_IN = Data_Array_Size;
}

void TFIEC61850_Variables::ComboChange(TObject*, int, int, int, const QString&) {}

bool TFIEC61850_Variables::Controllo_dati()
{
    const QChar sep = Get_Decimal_Separator();
    const TTableView& t = Table(0);
    const QString last_position = QString::number(NByte_IN - 1);
    // The last row is checked too; a row without a Name ends the check.
    for (int r = 1; r < ACG->RowCount(); ++r) {
        if (Trim(ACG->Cells(Name_Col, r)).isEmpty())
            return true;
        if (Trim(ACG->Cells(Enable_Col, r)) != "Y")
            continue;
        int fault = 0;
        QString suffix;
        if (!In_Range(ACG->Cells(Length_Col, r), 1, 4)) {
            fault = txt::Length;
        } else if (!In_Range(ACG->Cells(Position_Col, r), 0, NByte_IN - 1)) {
            fault = txt::Position;
            suffix = last_position;
        } else if (ACG->Cells(Type_Col, r) == Digital && Trim(ACG->Cells(Start_Bit_Col, r)).isEmpty()) {
            fault = txt::Start_Bit;
        } else if (Trim(ACG->Cells(Conversion_Col, r)).isEmpty()) {
            fault = txt::Conversion;
        } else if (const QString factor = ACG->Cells(Factor_Col, r); UpperCase(Trim(factor)) != "NONE") {
            float value = 0;
            if (!Str_To_Float_Sep(factor, sep, value))
                fault = txt::Factor;
        }
        if (fault) {
            Row_Error(t, r, fault, suffix);
            return false;
        }
    }
    return true;
}
