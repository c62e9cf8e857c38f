#include "editors/network/UMQTT_Set_Topic.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/UTableRows.h"
#include "editors/network/UTopicTemplate.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"

#include <array>

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace mqtttopic
{

namespace
{

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC, Yellow = 0xA8FFFF;

const char* const kQoS[] = {"0", "1", "2"};
const char* const kData_Types[] = {"Int", "Float", "String", "Base64"};
const char* const kTemplates[] = {"$VALUE$"};
const char* const kEth_Types[] = {"TCP", "UDP"};
const char* const kChannels[] = {
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15", "16",
    "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "32", "33",
    "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44", "45", "46", "47", "48", "49", "50",
    "51", "52", "53", "54", "55", "56", "57", "58", "59", "60", "61", "62", "63", "All"};

// Missing: nullptr for a required attribute, else what a row without it reads.
constexpr TEditorColumn Col(int Header, TEditorType Editor, int Width, TColor Color, const char* Attribute,
                            const char* Missing, int Hint, bool Hidden = false,
                            std::span<const char* const> Items = {})
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    c.Hidden = Hidden;
    c.Items = Items;
    if (Editor == edDataCheckBox)
        c.Alignment = taCenter;
    return c;
}

constexpr bool Hide = true;

const TEditorColumn kPub_Columns[] = {
    Col(3714, edNormal, 40, clWindow, nullptr, nullptr, -1),
    Col(3715, edNormal, 300, Cyan, "Topic", nullptr, 3719),
    Col(3716, edDataCheckBox, 60, Yellow, "Retained", nullptr, 3720),
    Col(3717, edComboList, 80, Cyan, "QoS", nullptr, 3721, false, kQoS),
    Col(3737, edComboList, 80, Cyan, "DataType", "", 3740, false, kData_Types),
    Col(3738, edNormal, 80, Pink, "Dimension", "", 3741),
    Col(3739, edNormal, 80, Pink, "Position", "", 3742),
    Col(3762, edNormal, 100, Cyan, "IPAddress", "", 3764, Hide),
    Col(3763, edNormal, 120, Cyan, "InputTemplate", "", 3765, Hide),
    Col(3735, edComboEdit, 130, Cyan, "Template", "", 3736, false, kTemplates),
    Col(3781, edDataCheckBox, 75, Yellow, "OnChange", "N", 3782),
    Col(3783, edDataCheckBox, 55, Yellow, nullptr, nullptr, 3786, Hide),
    Col(3784, edDataCheckBox, 64, Yellow, "OnTimer", "N", 3787),
    Col(3785, edNormal, 70, Pink, "Time", "", 3788),
    Col(3790, edComboList, 60, Cyan, nullptr, nullptr, 3791, Hide, kChannels),
    Col(3793, edDataCheckBox, 40, Yellow, nullptr, nullptr, 3795, Hide),
    Col(3794, edDataCheckBox, 80, Yellow, nullptr, nullptr, 3796, Hide),
    Col(3718, edNormal, 170, clWhite, "Mnemonic", nullptr, 3722),
};

const TEditorColumn kSub_Columns[] = {
    Col(3724, edNormal, 40, clWindow, nullptr, nullptr, -1),
    Col(3725, edNormal, 300, Cyan, "Topic", nullptr, 3729),
    Col(3726, edDataCheckBox, 60, Yellow, "Retained", nullptr, 3730, Hide),
    Col(3727, edComboList, 80, Cyan, "QoS", nullptr, 3731, false, kQoS),
    Col(3743, edComboList, 80, Cyan, "DataType", "", 3747, false, kData_Types),
    Col(3744, edNormal, 80, Pink, "Dimension", "", 3748),
    Col(3745, edNormal, 80, Pink, "Position", "", 3749),
    Col(3766, edNormal, 100, Cyan, "IPAddress", "", 3770, Hide),
    Col(3767, edNormal, 50, Cyan, "Port", "", 3771, Hide),
    Col(3768, edComboList, 64, Cyan, "EthType", "", 3772, Hide, kEth_Types),
    Col(3769, edNormal, 130, Cyan, "InputTemplate", "", 3773, Hide),
    Col(3746, edComboEdit, 130, Cyan, "Template", "", 3750, false, kTemplates),
    Col(3793, edDataCheckBox, 40, Yellow, nullptr, nullptr, 3797, Hide),
    Col(3794, edDataCheckBox, 80, Yellow, nullptr, nullptr, 3798, Hide),
    Col(3728, edNormal, 220, clWhite, "Mnemonic", nullptr, 3732),
};

constexpr TEditorTable Table(const char* Grid, const char* Tab, int Tab_Caption, const char* Section,
                             std::span<const TEditorColumn> Columns)
{
    TEditorTable t{Grid,   Tab,   Tab_Caption, Section, Data_Rows,
                   1,      false, 3751,        3723,    TDeleteQuestion::Append_Number,
                   Columns};
    t.Select_On_Click = false;
    return t;
}

const TEditorTable kTables[] = {
    Table("ACG_Pub", "TS_MQTT_Publish", 3733, "MQTT_Publish", kPub_Columns),
    Table("ACG_Sub", "TS_MQTT_Subscribe", 3734, "MQTT_Subscribe", kSub_Columns),
};

// The fault texts of one table's checks.
struct TCheckTexts {
    int Data_Type, Dim_Int, Dim_Float, Dim_Other, Position, IP_Address, Input_Template, Template;
};
constexpr TCheckTexts kPub_Texts = {3752, 3753, 3754, 3755, 3756, 3774, 3777, 3778};
constexpr TCheckTexts kSub_Texts = {3757, 3758, 3759, 3760, 3761, 3775, 3779, 3780};

bool In(const QString& Text, int Lo, int Hi)
{
    const int v = StrToIntDef(Text, -1);
    return v >= Lo && v <= Hi;
}

// The dimension rule of the type: "INT" 1, 2, 4 or 8; "FLOAT" 4 or 8; any other at least 1. The
// fault text, or -1 when the dimension fits.
int Dimension_Fault(const QString& Type, const QString& Dimension, const TCheckTexts& K)
{
    const QString type = UpperCase(Trim(Type));
    const int n = StrToIntDef(Dimension, -1);
    if (type == "INT")
        return n == 1 || n == 2 || n == 4 || n == 8 ? -1 : K.Dim_Int;
    if (type == "FLOAT")
        return n == 4 || n == 8 ? -1 : K.Dim_Float;
    return n >= 1 ? -1 : K.Dim_Other;
}

bool Valid_IP(const QString& Text)
{
    QString p1, p2, p3, p4;
    return Split_IP_Address(Trim(Text), p1, p2, p3, p4);
}

} // namespace

const TEditorSpec Spec = {
    "FMQTT_Set_Topic",
    1100,
    337,
    3700,
    3701,
    {{3702, 3708, true},
     {3703, 3709, true},
     {3704, 3710, true},
     {3705, 3711, true},
     {3706, 3712, true},
     {3707, 3713, true}},
    {&File_MQTT_Set_Topic, "MQTT_Set_Topic", "SW_VERSION = 1.001"},
    kTables,
};

} // namespace mqtttopic

using namespace mqtttopic;

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner) : TTableEditor(AOwner, mqtttopic::Spec)
{
    ACG_Pub = Table(Pub_Table).Grid;
    ACG_Sub = Table(Sub_Table).Grid;
    TS_MQTT_Publish = Table(Pub_Table).Tab;
    TS_MQTT_Subscribe = Table(Sub_Table).Tab;
    for (TExtColumnGrid* g : {ACG_Pub, ACG_Sub}) {
        g->OnDblClickCell = [this](TObject* Sender, int ARow, int ACol) {
            ACG_MQTT_DblClickCell(Sender, ARow, ACol);
        };
        g->OnKeyPress = [this](TObject* Sender, char16_t& Key) { ACG_MQTT_KeyPress(Sender, Key); };
    }
    FormCreate();
}

TFMQTT_Set_Topic::~TFMQTT_Set_Topic()
{
    if (FMQTT_Set_Topic == this)
        FMQTT_Set_Topic = nullptr;
}

void TFMQTT_Set_Topic::FormShow(TObject* Sender)
{
    Working_Mode = 1;
    Byte_IN = Array_Bytes;
    Byte_OUT = Array_Bytes;
    for (int t : {Pub_Table, Sub_Table}) {
        TTableView& view = Table(t);
        // Hiding a hidden column again changes nothing; one shown by anything else is hidden again.
        for (int c = 1; c < int(view.Spec->Columns.size()); ++c)
            if (view.Spec->Columns[size_t(c)].Hidden)
                view.Grid->HideColumn(c);
        view.Grid->SetRowCount(Data_Rows + 1);
    }
    TS_MQTT_Subscribe->SetTabVisible(true);
    // The frame clears the rows, loads the file, clears the copy flags and activates the publish tab.
    TTableEditor::FormShow(Sender);
}

void TFMQTT_Set_Topic::Load_Row(TTableView& T, int, QStringList& Texts)
{
    // Cells the file does not hold.
    if (&T == &Table(Pub_Table)) {
        Texts[Pub_Channel] = QString();
        Texts[Pub_Swap] = "N";
        Texts[Pub_Swap_Word] = "N";
    } else {
        Texts[Sub_Swap] = "N";
        Texts[Sub_Swap_Word] = "N";
    }
}

bool TFMQTT_Set_Topic::Error_In_Topic_Template(const QString& Text)
{
    return Text.count(QLatin1Char('$')) % 2 != 0;
}

bool TFMQTT_Set_Topic::Check_Pub_Row(int ARow)
{
    const TTableView& view = Table(Pub_Table);
    const TCheckTexts& k = kPub_Texts;
    TExtColumnGrid* g = ACG_Pub;
    auto cell = [&](int c) { return g->Cells(c, ARow); };
    auto shown = [&](int c) { return !g->IsHiddenColumn(c); };
    auto fail = [&](int text, const QString& suffix = QString()) {
        Row_Error(view, ARow, text, suffix);
        return false;
    };
    if (shown(Pub_Data_Type)) {
        if (cell(Pub_Data_Type).isEmpty())
            return fail(k.Data_Type);
        if (const int text = Dimension_Fault(cell(Pub_Data_Type), cell(Pub_Dimension), k); text >= 0)
            return fail(text);
    }
    if (shown(Pub_Position) && !In(cell(Pub_Position), 0, Byte_IN - 1))
        return fail(k.Position, QString::number(Byte_IN - 1));
    if (shown(Pub_IP_Address) && !Valid_IP(cell(Pub_IP_Address)))
        return fail(k.IP_Address);
    if (shown(Pub_Input_Template) && Error_In_Topic_Template(Trim(cell(Pub_Input_Template))))
        return fail(k.Input_Template);
    if (shown(Pub_Template) && Error_In_Topic_Template(Trim(cell(Pub_Template))))
        return fail(k.Template);
    // The timer is checked whether its column is shown or not.
    if (UpperCase(Trim(cell(Pub_OnTimer))) == "Y" && !In(cell(Pub_Time), 1, 1000000000))
        return fail(3789);
    return true;
}

bool TFMQTT_Set_Topic::Check_Sub_Row(int ARow)
{
    const TTableView& view = Table(Sub_Table);
    const TCheckTexts& k = kSub_Texts;
    TExtColumnGrid* g = ACG_Sub;
    auto cell = [&](int c) { return g->Cells(c, ARow); };
    auto shown = [&](int c) { return !g->IsHiddenColumn(c); };
    auto fail = [&](int text, const QString& suffix = QString()) {
        Row_Error(view, ARow, text, suffix);
        return false;
    };
    if (shown(Sub_Data_Type)) {
        if (cell(Sub_Data_Type).isEmpty())
            return fail(k.Data_Type);
        if (const int text = Dimension_Fault(cell(Sub_Data_Type), cell(Sub_Dimension), k); text >= 0)
            return fail(text);
    }
    if (shown(Sub_Position) && !In(cell(Sub_Position), 0, Byte_OUT - 1))
        return fail(k.Position, QString::number(Byte_OUT - 1));
    if (shown(Sub_IP_Address) && !Valid_IP(cell(Sub_IP_Address)))
        return fail(k.IP_Address);
    if (shown(Sub_Port) && !In(cell(Sub_Port), 0, 65535))
        return fail(3776);
    if (shown(Sub_Input_Template) && Error_In_Topic_Template(Trim(cell(Sub_Input_Template))))
        return fail(k.Input_Template);
    if (shown(Sub_Template) && Error_In_Topic_Template(Trim(cell(Sub_Template))))
        return fail(k.Template);
    return true;
}

bool TFMQTT_Set_Topic::Controllo_dati()
{
    const int pub = Used_Rows(Table(Pub_Table));
    for (int r = 1; r <= pub; ++r)
        if (!Check_Pub_Row(r))
            return false;
    const int sub = Used_Rows(Table(Sub_Table));
    for (int r = 1; r <= sub; ++r)
        if (!Check_Sub_Row(r))
            return false;
    return true;
}

TExtColumnGrid* TFMQTT_Set_Topic::Grid_Of(TObject* Sender) const
{
    // A cell editor sends its own keys; the grid that owns it is the table meant.
    TObject* grid = Sender;
    if (Sender != ACG_Pub && Sender != ACG_Sub)
        if (const auto* editor = dynamic_cast<const TComponent*>(Sender))
            grid = editor->Owner();
    return grid == ACG_Pub ? ACG_Pub : grid == ACG_Sub ? ACG_Sub : nullptr;
}

void TFMQTT_Set_Topic::ACG_MQTT_KeyPress(TObject* Sender, char16_t& Key)
{
    if (TExtColumnGrid* g = Grid_Of(Sender))
        Grid_Enter_Next_Cell(g, Key);
}

void TFMQTT_Set_Topic::ACG_MQTT_DblClickCell(TObject* Sender, int ARow, int ACol)
{
    TExtColumnGrid* g = Grid_Of(Sender);
    if (!g)
        return;
    Grid_Dbl_Click_Auto_Size(g, ARow, ACol);
    // The grid's current cell decides, not the clicked one.
    const int template_col = g == ACG_Pub ? int(Pub_Template) : int(Sub_Template);
    if (g->RealCol() == template_col && g->RealRow() >= 1)
        Show_Form_Topic(g, g->RealRow(), template_col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TExtColumnGrid* Grid, int ARow, int ACol)
{
    TFTopicTemplate* editor = FTopicTemplate;
    if (!editor)
        return;
    // An open edit of the cell ends first, so it cannot write its text over the result afterwards.
    End_Cell_Edit(Grid);
    const int template_col = Grid == ACG_Pub ? int(Pub_Template) : int(Sub_Template);
    editor->TopicTemplate = ACol == template_col ? 1 : 0;
    editor->Working_Mode = Working_Mode;
    editor->Pub_Sub = Grid == ACG_Pub ? 0 : 1;
    editor->RE_TopicTemplate->Clear();
    editor->RE_TopicTemplate->SetText(Grid->Cells(ACol, ARow));
    if (editor->ShowModal() == mrOk)
        Grid->SetCells(ACol, ARow, editor->RE_TopicTemplate->Text());
}
