#include "editors/network/UEtherNetIP_Master_Access.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "editors/network/UEtherNEtIP_EDS.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/SysUtils.h"

TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access = nullptr;

namespace ethernetip
{

namespace
{

using framerules::In;
using framerules::Num;

const char* const kHeader_Items[] = {"Default"};

enum TColIndex {
    Enable_C = 1,
    IP_C,
    Start_In_C,
    Num_In_C,
    Start_Out_C,
    Num_Out_C,
    Time_Poll_C,
    Instance_TO_C,
    Point_TO_C,
    Instance_OT_C,
    Point_OT_C,
    Header_TO_C,
    Header_OT_C,
};

constexpr TEditorColumn Col(int Header, int Width, const char* Attribute, int Hint, const char* Missing = "")
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Attribute = Attribute;
    c.Hint = Hint;
    c.Missing = Missing;
    return c;
}

constexpr TEditorColumn Number_Col()
{
    TEditorColumn c;
    c.Header = 4914;
    c.Width = 40;
    return c;
}

// A row read without Enable is off, unlike a new row.
constexpr TEditorColumn Enable_Col()
{
    TEditorColumn c = Col(4915, 50, "Enable", 4923, "N");
    c.Editor = edDataCheckBox;
    c.Alignment = taCenter;
    c.New_Text = "Y";
    return c;
}

// "Default" or a typed 0 .. 7.
constexpr TEditorColumn Header_Col(int Header, const char* Attribute, int Hint)
{
    TEditorColumn c = Col(Header, 120, Attribute, Hint, "Default");
    c.Editor = edComboEdit;
    c.Items = kHeader_Items;
    return c;
}

const TEditorColumn kColumns[] = {
    Number_Col(),
    Enable_Col(),
    Col(4916, 110, "IP_Address", 4924),
    Col(4917, 80, "Start_Input", 4925),
    Col(4918, 80, "Num_Input", 4926),
    Col(4919, 85, "Start_Output", 4927),
    Col(4920, 85, "Num_Output", 4928),
    Col(4921, 80, "Time_Poll", 4929),
    Col(4941, 105, "Instance_T_O", 4943),
    Col(4947, 120, "Connection_Point_T_O", 4949),
    Col(4942, 105, "Instance_O_T", 4944),
    Col(4948, 120, "Connection_Point_O_T", 4950),
    Header_Col(4953, "Dim_Header_T_O", 4955),
    Header_Col(4954, "Dim_Header_O_T", 4956),
    Col(4922, 95, "Mnemonic", 4930),
};

constexpr TEditorTable Make_Table()
{
    TEditorTable t{"ACG",   nullptr, -1, nullptr, 10, IP_C, true, 4931, 4940, TDeleteQuestion::Append_Number,
                   kColumns};
    t.Key_Rule = TKeyRule::Enabled_Trimmed;
    t.Enable_Rule = TEnableRule::Upper;
    t.Select_On_Click = false;
    t.Any_Row_Name = true;
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

// One range test of a row: the real column, its limits and the fault text.
struct TRangeTest {
    int Col;
    int Lo, Hi;
    int Text;
};

constexpr TRangeTest kRanges[] = {
    {Start_In_C, 0, 65535, 4933}, {Num_In_C, 0, 65535, 4934},        {Start_Out_C, 0, 65535, 4935},
    {Num_Out_C, 0, 65535, 4936},  {Time_Poll_C, 1, 100000000, 4937}, {Instance_TO_C, 0, 65535, 4945},
    {Point_TO_C, 0, 65535, 4951}, {Instance_OT_C, 0, 65535, 4946},   {Point_OT_C, 0, 65535, 4952},
};

constexpr struct {
    int Col;
    int Text;
} kHeaders[] = {{Header_TO_C, 4957}, {Header_OT_C, 4958}};

bool Valid_IP(const QString& Text)
{
    QString p1, p2, p3, p4;
    return Split_IP_Address(Text, p1, p2, p3, p4);
}

} // namespace

TFrameCheck Check_Rows(const TFrameRows& Rows, int32_t Num_Byte_In, int32_t Num_Byte_Out)
{
    int64_t input = 0, output = 0;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (!Enabled_By(TEnableRule::Upper, row.value(Enable_C)))
            continue;
        if (Trim(row.value(IP_C)).isEmpty())
            break;
        if (!Valid_IP(row.value(IP_C)))
            return TFrameFault{r, 4932};
        for (const TRangeTest& t : kRanges)
            if (!In(row.value(t.Col), t.Lo, t.Hi))
                return TFrameFault{r, t.Text};
        for (const auto& h : kHeaders)
            if (UpperCase(Trim(row.value(h.Col))) != "DEFAULT" && !In(row.value(h.Col), 0, 7))
                return TFrameFault{r, h.Text};
        input += Num(row.value(Num_In_C));
        output += Num(row.value(Num_Out_C));
    }
    if (input > Num_Byte_In)
        return TFrameFault{0, 4938, QString::number(Num_Byte_In)};
    if (output > Num_Byte_Out)
        return TFrameFault{0, 4939, QString::number(Num_Byte_Out)};
    return std::nullopt;
}

const TEditorSpec Master_Spec = {
    "FEtherNetIP_Master_Access",
    1180,
    337,
    4900,
    4901,
    {{4902, 4908, true},
     {4903, 4909, true},
     {4904, 4910, true},
     {4905, 4911, true},
     {4906, 4912, true},
     {4907, 4913, true}},
    {&File_EtherNetIP_Master_Rules, "EtherNetIP_Master_Access", "SW_VERSION = 1.001"},
    kTable,
};

} // namespace ethernetip

namespace
{

constexpr int Import_Left = 724, Import_Top = 6;

// Chooser column -> scanner column: the instances, connection points and header dimensions.
constexpr struct {
    int From, To;
} kImported[] = {{3, 10}, {4, 11}, {5, 8}, {6, 9}, {8, 12}, {7, 13}};

} // namespace

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(TComponent* AOwner)
    : TTableEditor(AOwner, ethernetip::Master_Spec)
{
    ACG = Table(0).Grid;
    Btn_Import_EDS = Make_Button(this, P_Button, "Btn_Import_EDS", TButtonRole::Command, Import_Left,
                                 Import_Top, Dialog_Button_Width, Dialog_Button_Height);
    Btn_Import_EDS->OnClick = [this](TObject* Sender) { Btn_Import_EDSClick(Sender); };
    OD_EDS.Filter = QStringLiteral("EtherNet/IP EDS (*.eds)|*.eds");
    FormCreate();
}

TFEtherNetIP_Master_Access::~TFEtherNetIP_Master_Access()
{
    if (FEtherNetIP_Master_Access == this)
        FEtherNetIP_Master_Access = nullptr;
}

void TFEtherNetIP_Master_Access::Set_Lang()
{
    TTableEditor::Set_Lang();
    Btn_Import_EDS->SetCaption(Lang_Text(4959));
    Btn_Import_EDS->SetHint(Lang_Text(4960));
    Btn_Import_EDS->SetShowHint(true);
}

void TFEtherNetIP_Master_Access::Fill_Lists()
{
    Num_Byte_In = ethernetip::Data_Area_Bytes;
    Num_Byte_Out = ethernetip::Data_Area_Bytes;
}

bool TFEtherNetIP_Master_Access::Controllo_dati()
{
    const TFrameCheck fault = ethernetip::Check_Rows(Used_Row_Texts(*this, 0), Num_Byte_In, Num_Byte_Out);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick(TObject*)
{
    End_Cell_Edit(ACG);
    TFileDialogRequest request = OD_EDS;
    if (!Interaction().FileDialog(request) || request.FileName.isEmpty())
        return;
    if (!FEtherNEtIP_EDS)
        return;
    FEtherNEtIP_EDS->EDS_FileName = request.FileName;
    if (FEtherNEtIP_EDS->ShowModal() != mrOk)
        return;
    int target = 0;
    for (int r = 1; r < ACG->RowCount() && target == 0; ++r)
        if (Trim(ACG->Cells(2, r)).isEmpty() && Trim(ACG->Cells(8, r)).isEmpty())
            target = r;
    if (target == 0)
        return;
    TExtColumnGrid* chooser = FEtherNEtIP_EDS->ACG;
    for (const auto& m : kImported)
        ACG->SetCells(m.To, target, chooser->Cells(m.From, chooser->Row()));
}
