// The update dialog: its panels, the layout per Form_Type, the texts and the address edits.
#include "gateway/UBoot.h"

#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/SysUtils.h"

TFBoot* FBoot = nullptr;

namespace
{

// The form whose ShowModal the main window's slot calls.
TFBoot* Slot_Form = nullptr;

constexpr int Client_Width = 449;
constexpr int Address_Panel_Height = 49, Serial_Panel_Height = 51, Search_Panel_Height = 184,
              Options_Panel_Height = 72;
constexpr int Margin = 16;
constexpr int Edit_Width = 40, Edit_Height = 21, Dot_Width = 10;
constexpr int Update_Button_Width = 190;
constexpr int Device_Column_Width = 200;

// Text indexes of the table.
namespace txt
{
constexpr int Serial_Caption = 1200, Serial_Desc = 1201, Ethernet_Caption = 1202, Ethernet_Desc = 1203;
constexpr int IP_Address = 1206, COM_Port = 1207, List_Device = 1209, Search = 1210;
constexpr int IP_Address_Header = 1211, MAC_Address_Header = 1212;
constexpr int Find_All_BVX = 1213, Update_Option = 1214, Options_First = 1215, Options_Last = 1217;
constexpr int Read_Back = 1218, Cancel = 1219, Update = 1220;
constexpr int IP_Hint_First = 1221, COM_Port_Hint = 1225, COM_List_Hint = 1227, Search_Hint = 1229;
constexpr int List_Devices_Hint = 1230;
constexpr int Find_All_BVX_Hint = 1231, Options_Hint = 1232, Read_Back_Hint = 1233, Cancel_Hint = 1234;
constexpr int Update_Hint = 1235;
} // namespace txt

TPanel* Make_Panel(TFBoot* form, const char* name, int height)
{
    auto* panel = new TPanel(form);
    panel->SetName(name);
    panel->SetParent(form);
    panel->SetBevelOuter(bvNone);
    panel->SetParentColor(true);
    panel->SetBounds(0, 0, Client_Width, height);
    return panel;
}

template <class T>
T* Place(T* control, TWinControl* parent, const char* name, int left, int top, int width, int height)
{
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TComboBox* Make_List(TFBoot* form, TWinControl* parent, const char* name, int left, int top, int width)
{
    auto* combo = Place(new TComboBox(form), parent, name, left, top, width, Edit_Height);
    combo->SetStyle(csDropDownList);
    combo->SetTabStop(true);
    return combo;
}

TCheckBox* Make_Check(TFBoot* form, TWinControl* parent, const char* name, int top)
{
    auto* check = Place(new TCheckBox(form), parent, name, Margin, top, Client_Width - 2 * Margin, 17);
    check->SetTabStop(true);
    return check;
}

} // namespace

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FBoot");
    Set_Form_Look(this);
    SetClientWidth(Client_Width);
    Make_Dialog_Frame(this, *this);
    Make_Address_Panel();
    Make_Serial_Panel();
    Make_Search_Panel();
    Make_Options_Panel();
    Make_Buttons();

    Ping.PacketSize = kIcmpPacketSize;
    Ping.ReceiveTimeout = kIcmpReceiveTimeoutMs;
    Ping.OnReply = [this](const TEchoResult& r) { PingReply(r); };
    // The echo client blocks for each request: keep the dialog painting meanwhile.
    Ping.OnIdle = [] { Application->ProcessMessages(); };
    Ping_Hooks.Tick = [] { return GetTickCount(); };
    Ping_Hooks.Pause = [](uint32_t ms) { Sleep(ms); };
    Ping_Hooks.Echo = [](TIcmpClient& client) { client.Ping(); };

    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    Slot_Form = this;
    File_Command_Slots().Show_Boot = [this](int type) {
        Form_Type = type;
        ShowModal();
    };
}

TFBoot::~TFBoot()
{
    if (Slot_Form == this) {
        File_Command_Slots().Show_Boot = nullptr;
        Slot_Form = nullptr;
    }
    if (FBoot == this)
        FBoot = nullptr;
}

void TFBoot::Make_Address_Panel()
{
    P_IP_Address = Make_Panel(this, "P_IP_Address", Address_Panel_Height);
    L_IP_Address = Make_Label(this, P_IP_Address, "L_IP_Address", Margin, 6);
    TEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    const char* names[] = {"E_IP1", "E_IP2", "E_IP3", "E_IP4"};
    int left = Margin;
    for (int i = 0; i < 4; ++i) {
        TEdit* edit = Place(new TEdit(this), P_IP_Address, names[i], left, 22, Edit_Width, Edit_Height);
        edit->SetText("0");
        edit->SetAlignment(taCenter);
        edit->SetTabStop(true);
        edit->SetTabOrder(i);
        edit->OnKeyPress = [this](TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); };
        *edits[i] = edit;
        left += Edit_Width;
        if (i < 3) {
            TLabel* dot = Make_Label(this, P_IP_Address, nullptr, left + 3, 26);
            dot->SetCaption(".");
            left += Dot_Width;
        }
    }
}

void TFBoot::Make_Serial_Panel()
{
    P_Serial = Make_Panel(this, "P_Serial", Serial_Panel_Height);
    L_COM_Port = Make_Label(this, P_Serial, "L_COM_Port", Margin, 6);
    CB_COM_Port = Make_List(this, P_Serial, "CB_COM_Port", Margin, 23, 120);
    CB_COM_Port->Items->Add("COM1");
    CB_COM_Port->SetItemIndex(0);
    Btn_COM_List = Make_Button(this, P_Serial, "Btn_COM_List", TButtonRole::Icon, Margin + 126, 21, 25, 25);
    Set_Button_Glyph(Btn_COM_List, TShellGlyph::Refresh);
    Btn_COM_List->OnClick = [this](TObject* Sender) { Btn_COM_ListClick(Sender); };
}

void TFBoot::Make_Search_Panel()
{
    P_Eth_Search = Make_Panel(this, "P_Eth_Search", Search_Panel_Height);
    L_List_Device = Make_Label(this, P_Eth_Search, "L_List_Device", Margin, 8);
    Btn_Search = Make_Button(this, P_Eth_Search, "Btn_Search", TButtonRole::Command,
                             Client_Width - Margin - Dialog_Button_Width, 2, Dialog_Button_Width, 24);
    ACG_List_Devices = Place(new TExtColumnGrid(this), P_Eth_Search, "ACG_List_Devices", Margin, 30,
                             Client_Width - 2 * Margin, 126);
    ACG_List_Devices->SetColCount(2);
    ACG_List_Devices->SetRowCount(2);
    ACG_List_Devices->SetFixedCols(0);
    ACG_List_Devices->SetFixedRows(1);
    for (int c = 0; c < 2; ++c)
        ACG_List_Devices->Columns()->Items(c)->SetWidth(Device_Column_Width);
    CB_Find_All_BVX = Make_Check(this, P_Eth_Search, "CB_Find_All_BVX", 160);
    CB_Find_All_BVX->SetChecked(true);
}

void TFBoot::Make_Options_Panel()
{
    P_Options = Make_Panel(this, "P_Options", Options_Panel_Height);
    L_Update_Option = Make_Label(this, P_Options, "L_Update_Option", Margin, 6);
    CB_Update_Options = Make_List(this, P_Options, "CB_Update_Options", Margin, 23, 220);
    CB_Update_Option_Read_Back = Make_Check(this, P_Options, "CB_Update_Option_Read_Back", 50);
    CB_Update_Option_Read_Back->SetChecked(true);
    CB_Update_Option_Read_Back->SetTabOrder(1);
}

void TFBoot::Make_Buttons()
{
    Btn_Cancel = Make_Cancel_Button(this, P_Button);
    Btn_Cancel->SetLeft(Client_Width - Margin - Dialog_Button_Width);
    Btn_Update = Make_Button(this, P_Button, "Btn_Update", TButtonRole::Command,
                             Btn_Cancel->Left() - 8 - Update_Button_Width, 7, Update_Button_Width,
                             Dialog_Button_Height);
    Set_Button_Glyph(Btn_Update, TShellGlyph::Update);
    Btn_Update->OnClick = [this](TObject* Sender) { Btn_UpdateClick(Sender); };
    Btn_Update->SetTabOrder(0);
    Btn_Cancel->SetTabOrder(1);
}

void TFBoot::Set_Lang()
{
    if (Form_Type == 0 || Form_Type == 1) {
        const bool serial = Form_Type == 0;
        SetCaption(Lang_Text(serial ? txt::Serial_Caption : txt::Ethernet_Caption));
        L_SW_Desc->SetCaption(Lang_Text(serial ? txt::Serial_Desc : txt::Ethernet_Desc));
    }
    L_IP_Address->SetCaption(Lang_Text(txt::IP_Address));
    L_COM_Port->SetCaption(Lang_Text(txt::COM_Port));
    L_List_Device->SetCaption(Lang_Text(txt::List_Device));
    Btn_Search->SetCaption(Lang_Text(txt::Search));
    ACG_List_Devices->Columns()->Items(0)->SetHeader(Lang_Text(txt::IP_Address_Header));
    ACG_List_Devices->Columns()->Items(1)->SetHeader(Lang_Text(txt::MAC_Address_Header));
    CB_Find_All_BVX->SetCaption(Lang_Text(txt::Find_All_BVX));
    L_Update_Option->SetCaption(Lang_Text(txt::Update_Option));
    CB_Update_Options->Items->Clear();
    for (int i = txt::Options_First; i <= txt::Options_Last; ++i)
        CB_Update_Options->Items->Add(Lang_Text(i));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(Lang_Text(txt::Read_Back));
    Btn_Cancel->SetCaption(Lang_Text(txt::Cancel));
    Btn_Update->SetCaption(Lang_Text(txt::Update));

    TEdit* edits[] = {E_IP1, E_IP2, E_IP3, E_IP4};
    for (int i = 0; i < 4; ++i)
        edits[i]->SetHint(Lang_Text(txt::IP_Hint_First + i));
    CB_COM_Port->SetHint(Lang_Text(txt::COM_Port_Hint));
    Btn_COM_List->SetHint(Lang_Text(txt::COM_List_Hint));
    Btn_Search->SetHint(Lang_Text(txt::Search_Hint));
    ACG_List_Devices->SetHint(Lang_Text(txt::List_Devices_Hint));
    CB_Find_All_BVX->SetHint(Lang_Text(txt::Find_All_BVX_Hint));
    CB_Update_Options->SetHint(Lang_Text(txt::Options_Hint));
    CB_Update_Option_Read_Back->SetHint(Lang_Text(txt::Read_Back_Hint));
    Btn_Cancel->SetHint(Lang_Text(txt::Cancel_Hint));
    Btn_Update->SetHint(Lang_Text(txt::Update_Hint));
}

void TFBoot::FormShow(TObject*)
{
    Set_Lang();
    L_SW_Code->SetCaption(SW_Code);
    for (TPanel* panel : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
        panel->SetVisible(false);
        panel->SetAlign(alNone);
    }
    if (Form_Type != 0 && Form_Type != 1)
        return;

    const bool serial = Form_Type == 0;
    Show_Panels(serial ? P_Serial : P_IP_Address);
    // Hidden panels keep a place in the order, after the shown ones.
    TWinControl* order[] = {P_Title, P_IP_Address, P_Eth_Search, P_Options, P_Button, P_Serial};
    TWinControl* serial_order[] = {P_Title, P_Serial, P_Options, P_Button, P_IP_Address, P_Eth_Search};
    for (int i = 0; i < 6; ++i)
        (serial ? serial_order : order)[i]->SetTabOrder(i);

    if (!serial) {
        QString p1, p2, p3, p4;
        if (!Last_IP_Address.isEmpty() && Split_IP_Address(Last_IP_Address, p1, p2, p3, p4)) {
            E_IP1->SetText(p1);
            E_IP2->SetText(p2);
            E_IP3->SetText(p3);
            E_IP4->SetText(p4);
        }
    }
    CB_Update_Options->SetItemIndex(Last_Update_Option);
    CB_Update_Option_Read_Back->SetChecked(Last_Read_Back);
    if (serial)
        update_ComPort();
    if (serial) {
        SetActiveControl(CB_COM_Port);
    } else {
        SetActiveControl(E_IP1);
    }
}

// The title, then `middle`, then the options, then the buttons; the height follows.
void TFBoot::Show_Panels(TPanel* middle)
{
    SetClientWidth(Client_Width);
    middle->SetTop(P_Title->Height());
    middle->SetAlign(alTop);
    middle->SetVisible(true);
    P_Options->SetTop(middle->Top() + middle->Height());
    P_Options->SetAlign(alTop);
    P_Options->SetVisible(true);
    SetClientHeight(P_Title->Height() + middle->Height() + P_Options->Height() + P_Button->Height());
}

void TFBoot::KeyPress(TObject* Sender, char16_t& Key)
{
    if (Key != u'.')
        return;
    Key = 0;
    TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
    if (next)
        next->SetFocus();
}

void TFBoot::Btn_COM_ListClick(TObject*)
{
    update_ComPort();
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->Items->Clear();
    for (const QString& n : List_COM_Ports())
        CB_COM_Port->Items->Add("COM" + n);
    CB_COM_Port->SetItemIndex(0);
}

int TFBoot::Get_Type_Dev()
{
    const QString name = Active_Project_Dir + "/ParGen.xml";
    if (FileExists(name)) {
        try {
            XML1.LoadFromFile(name);
        } catch (const EXmlError&) {
            // The answer does not depend on the file.
        }
    }
    return 0;
}

QString TFBoot::IP_Address_Text() const
{
    return E_IP1->Text() + "." + E_IP2->Text() + "." + E_IP3->Text() + "." + E_IP4->Text();
}
