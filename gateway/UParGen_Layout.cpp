// The communication-parameters form: building the panels from their descriptors, the row engine,
// the model's ordering and re-layout with the panel rules, and the resize, wheel and "." keys.
#include "gateway/UParGen.h"

#include "app/ULang.h"
#include "gateway/UParGen_Fields.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/Colors.h"

#include <algorithm>

namespace
{

// Row geometry, counted from the top of the panel body.
constexpr int Row_Start = 12;
constexpr int Row_Step = 28;
constexpr int Field_Raise = 3; // edits and combo boxes sit this much above their label
constexpr int Label_Left = 16;
constexpr int Control_Left = 200;
constexpr int Field_Width = 220, Field_Height = 21;
constexpr int Octet_Width = 40, Dot_Width = 12;
constexpr int Check_Width = 420, Check_Height = 17;
constexpr int Box_Width = 40, Box_Step = 52; // the check boxes of a Boxes row
constexpr int Gateway_Check_Width = Control_Left - Label_Left - 8;
constexpr int Panel_Width = 460;
constexpr int Panel_Bottom_Margin = 12;

// The window system's scroll codes of a vertical-scroll message.
constexpr WPARAM Scroll_Line_Up = 0, Scroll_Line_Down = 1, Scroll_End = 8;

bool Is_Trigger(const TObject* sender, std::span<const char* const> names)
{
    const auto* component = dynamic_cast<const TComponent*>(sender);
    if (!component)
        return false;
    return std::any_of(names.begin(), names.end(),
                       [&](const char* name) { return component->Name() == QLatin1String(name); });
}

} // namespace

// ---- Building -------------------------------------------------------------------------------------

namespace
{

// "L_" and the control's name without its "E_"/"CB_" prefix (and, for a row of several numbered
// controls, without the number): the label of a row whose table names none.
QString Label_Name(const QString& control, bool numbered)
{
    QString name = control.mid(control.indexOf('_') + 1);
    if (numbered)
        name.chop(1);
    return "L_" + name;
}

} // namespace

void TFParGen::Make_Panel(const TParPanel& def)
{
    auto* panel = new TCategoryPanel(this);
    panel->SetName(def.Name);
    panel->SetPanelGroup(CPG);
    panel->SetWidth(Panel_Width);
    this->*def.Member = panel;
    TPanelView& view = FPanels.emplace_back(TPanelView{&def, panel, {}});
    for (const TParRow& row : def.Rows)
        Make_Row(view, row);
    // The design positions, until a model's re-layout takes the panel over.
    Stack_Rows(view);
}

void TFParGen::Make_Row(TPanelView& view, const TParRow& def)
{
    TCategoryPanel* panel = view.Panel;
    TRowView& row = view.Rows.emplace_back();
    row.Def = &def;
    row.Shown = !def.Hidden;
    // Design values are set before the events are bound: building the form is no change.
    const bool events = !def.Hidden;

    const bool labelled = def.Kind == TRowKind::Edit || def.Kind == TRowKind::Octets ||
                          def.Kind == TRowKind::Combo || def.Kind == TRowKind::Memo ||
                          def.Kind == TRowKind::Boxes || def.Kind == TRowKind::Title;
    if (labelled && def.Caption >= 0) {
        QString name = QLatin1String(def.Label);
        if (!def.Label) {
            const char* first = def.Kind == TRowKind::Combo   ? def.Combo.Name
                                : def.Kind == TRowKind::Memo  ? def.Memo.Name
                                : def.Kind == TRowKind::Boxes ? def.Boxes[0].Name
                                                              : def.Edits[0].Name;
            name =
                Label_Name(QLatin1String(first), def.Kind == TRowKind::Octets || def.Kind == TRowKind::Boxes);
        }
        row.Label = Make_Label(this, panel, name.toLatin1().constData(), Label_Left, 0);
    }

    auto makeEdit = [&](const TParControl<TEdit>& c, int left, int width) {
        auto* edit = new TEdit(this);
        edit->SetName(c.Name);
        edit->SetParent(panel);
        edit->SetBounds(left, 0, width, Field_Height);
        edit->SetMaxLength(def.MaxLength);
        edit->NumbersOnly = def.DigitsOnly;
        edit->SetText(QString::fromLatin1(c.Default));
        if (events)
            edit->OnChange = [this](TObject* Sender) { On_Change(Sender); };
        this->*c.Member = edit;
        return edit;
    };
    auto makeBox = [&](const TParControl<TCheckBox>& c, int left, int width) {
        auto* box = new TCheckBox(this);
        box->SetName(c.Name);
        box->SetParent(panel);
        box->SetBounds(left, 0, width, Check_Height);
        if (c.Caption)
            box->SetCaption(QString::fromLatin1(c.Caption));
        box->SetChecked(QLatin1String(c.Default) == QLatin1String("1"));
        box->OnClick = [this](TObject* Sender) { On_Click(Sender); };
        this->*c.Member = box;
        return box;
    };

    switch (def.Kind) {
    case TRowKind::Edit:
    case TRowKind::CheckEdit:
        row.Edits[0] = makeEdit(def.Edits[0], Control_Left, Field_Width);
        break;
    case TRowKind::Octets:
    case TRowKind::Gateway:
        for (int i = 0; i < 4; ++i) {
            const int left = Control_Left + i * (Octet_Width + Dot_Width);
            row.Edits[i] = makeEdit(def.Edits[i], left, Octet_Width);
            row.Edits[i]->OnKeyPress = [this](TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); };
            if (i < 3) {
                TLabel* dot = Make_Label(this, panel, "", left + Octet_Width + 4, 0);
                dot->SetCaption(".");
                row.Dots.push_back(dot);
            }
        }
        break;
    case TRowKind::Combo: {
        auto* combo = new TComboBox(this);
        combo->SetName(def.Combo.Name);
        combo->SetParent(panel);
        combo->SetStyle(csDropDownList);
        combo->SetBounds(Control_Left, 0, Field_Width, Field_Height);
        for (const char* item : def.Items)
            combo->Items->Add(QString::fromLatin1(item));
        combo->SetItemIndex(QByteArray(def.Combo.Default).toInt());
        combo->OnChange = [this](TObject* Sender) { On_Change(Sender); };
        this->*def.Combo.Member = combo;
        row.Combo = combo;
        break;
    }
    case TRowKind::Memo: {
        auto* memo = new TMemo(this);
        memo->SetName(def.Memo.Name);
        memo->SetParent(panel);
        memo->SetBounds(Control_Left, 0, Field_Width, Field_Height);
        memo->OnChange = [this](TObject* Sender) { On_Change(Sender); };
        this->*def.Memo.Member = memo;
        row.Memo = memo;
        break;
    }
    case TRowKind::Boxes:
        for (size_t i = 0; i < def.Boxes.size() && def.Boxes[i].Name; ++i)
            row.Boxes.push_back(makeBox(def.Boxes[i], Control_Left + int(i) * Box_Step, Box_Width));
        break;
    case TRowKind::Check:
    case TRowKind::Title:
        break;
    }

    if (def.Kind == TRowKind::Check)
        row.Check = makeBox(def.Check, Label_Left, Check_Width);
    else if (def.Kind == TRowKind::Gateway || def.Kind == TRowKind::CheckEdit)
        row.Check = makeBox(def.Check, Label_Left, Gateway_Check_Width);

    if (def.Disabled)
        for (TEdit* edit : row.Edits)
            if (edit)
                edit->SetEnabled(false);
}

// ---- Row engine -----------------------------------------------------------------------------------

const TFParGen::TPanelView& TFParGen::View_Of(const TCategoryPanel* panel) const
{
    for (const TPanelView& view : FPanels)
        if (view.Panel == panel)
            return view;
    throw EListError("Panel not found");
}

TFParGen::TPanelView& TFParGen::View_Of(const TCategoryPanel* panel)
{
    return const_cast<TPanelView&>(std::as_const(*this).View_Of(panel));
}

TFParGen::TRowView* TFParGen::Row_Of(const char* controlName)
{
    const QLatin1String name(controlName);
    auto named = [&](const TControl* c) { return c && c->Name() == name; };
    for (TPanelView& view : FPanels)
        for (TRowView& row : view.Rows) {
            if (named(row.Label) || named(row.Check) || named(row.Combo) || named(row.Memo))
                return &row;
            if (std::any_of(row.Edits.begin(), row.Edits.end(), named) ||
                std::any_of(row.Boxes.begin(), row.Boxes.end(), named))
                return &row;
        }
    throw EListError(QString("Row of %1 not found").arg(name));
}

void TFParGen::Show_Row(const char* controlName, bool shown)
{
    Row_Of(controlName)->Shown = shown;
}

void TFParGen::Show_Rows(std::initializer_list<const char*> controlNames, bool shown)
{
    for (const char* name : controlNames)
        Show_Row(name, shown);
}

void TFParGen::Stack_Rows(TPanelView& view)
{
    int top = Row_Start;
    for (TRowView& row : view.Rows) {
        auto place = [&](TControl* c, int y) {
            if (!c)
                return;
            c->SetVisible(row.Shown);
            if (row.Shown)
                c->SetTop(y);
        };
        const int fieldTop = top - row.Def->Raise;
        place(row.Label, top);
        place(row.Check, top);
        place(row.Combo, fieldTop);
        place(row.Memo, fieldTop);
        for (TEdit* edit : row.Edits)
            place(edit, fieldTop);
        for (TLabel* dot : row.Dots)
            place(dot, top);
        for (TCheckBox* box : row.Boxes)
            place(box, top);
        if (row.Shown)
            top += Row_Step;
    }
}

void TFParGen::Set_Panel_Height(const TPanelView& view, const char* deciding)
{
    const auto* control = dynamic_cast<const TControl*>(FindComponent(QLatin1String(deciding)));
    if (!control)
        throw EListError(QString("Control %1 not found").arg(QLatin1String(deciding)));
    view.Panel->SetHeight(control->Top() + control->Height() + Panel_Bottom_Margin + CPG->HeaderHeight());
}

void TFParGen::Lay_Out_Panel(TCategoryPanel* panel, const char* deciding)
{
    TPanelView& view = View_Of(panel);
    Stack_Rows(view);
    Set_Panel_Height(view, deciding ? deciding : view.Def->Deciding);
}

// ---- Ordering -------------------------------------------------------------------------------------

std::vector<TCategoryPanel*> TFParGen::Panels_Of(const TParModel& model) const
{
    std::vector<TCategoryPanel*> panels;
    for (TFormMember<TCategoryPanel> member : model.Panels)
        panels.push_back(this->*member);
    return panels;
}

std::vector<TCategoryPanel*> TFParGen::Model_Panels() const
{
    return Panels_Of(*FModel);
}

void TFParGen::Order_TAB_Panels()
{
    Order_Panels(Model_Panels());
}

void TFParGen::Order_Panels(const std::vector<TCategoryPanel*>& panels)
{
    int top = 0;
    for (size_t i = 0; i < panels.size(); ++i) {
        TCategoryPanel* panel = panels[i];
        panel->SetVisible(true);
        panel->SetTop(top);
        top += panel->Height();
        panel->SetCaption(QString("%1. ").arg(i + 1) + Lang_Text(View_Of(panel).Def->Title));
        panel->SetTabOrder(int(i));
    }
}

// ---- Re-layout ------------------------------------------------------------------------------------

void TFParGen::Move_GroupBoxs()
{
    RePosition_Panels(*FModel);
}

void TFParGen::RePosition_Panels(const TParModel& model)
{
    for (TCategoryPanel* panel : Panels_Of(model))
        (this->*View_Of(panel).Def->RePosition)();
    if (model.Rule)
        (this->*model.Rule)();
}

// Every model's ordering and re-layout: its panels from the model table, then its own rule.
#define PARGEN_DEFINE_MODEL(m)                                                                               \
    void TFParGen::Order_TAB_Panels_##m()                                                                    \
    {                                                                                                        \
        Order_Panels(Panels_Of(ParGen_Model(#m)));                                                           \
    }                                                                                                        \
    void TFParGen::RePosition_Objects_##m()                                                                  \
    {                                                                                                        \
        RePosition_Panels(ParGen_Model(#m));                                                                 \
    }
PARGEN_MODELS(PARGEN_DEFINE_MODEL)
#undef PARGEN_DEFINE_MODEL

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    CB_EthConn_En_DHCP_WiFi->SetEnabled(false);
    Lay_Out_Panel(CP_Ethernet_Connection);
}

void TFParGen::RePosition_Object_EtherCAT_Slave()
{
    Lay_Out_Panel(CP_EtherCAT_Slave);
}

void TFParGen::RePosition_Object_Modbus_Master()
{
    Lay_Out_Panel(CP_Modbus_Master);
}

void TFParGen::RePosition_Object_Ethernet()
{
    Show_Row("E_Ethernet_TCP_Port", false);
    Show_Row("E_Ethernet_UDP_Port", false);
    Apply_DHCP_Rule({E_Ethernet_IP1, E_Ethernet_IP2, E_Ethernet_IP3, E_Ethernet_IP4, E_Ethernet_SM1,
                     E_Ethernet_SM2, E_Ethernet_SM3, E_Ethernet_SM4, E_Ethernet_GAT1, E_Ethernet_GAT2,
                     E_Ethernet_GAT3, E_Ethernet_GAT4},
                    CB_Ethernet_En_GAT);
    Lay_Out_Panel(CP_Ethernet);
}

void TFParGen::RePosition_Object_Serial()
{
    Lay_Out_Panel(CP_Serial);
}

void TFParGen::RePosition_Object_Modbus_Slave()
{
    Lay_Out_Panel(CP_Modbus_Slave);
}

void TFParGen::RePosition_Object_Modbus_TCP_Master()
{
    Apply_DHCP_Rule(CP_Modbus_TCP_Master, true);
    Lay_Out_Panel(CP_Modbus_TCP_Master);
}

// No DHCP rule here, as designed: the slave keeps its own address enabled.
void TFParGen::RePosition_Object_Modbus_TCP_Slave()
{
    Lay_Out_Panel(CP_Modbus_TCP_Slave);
}

void TFParGen::RePosition_Object_BACnet_Master()
{
    const bool ip = CB_BACnet_Master_Type->ItemIndex() == 0;
    Show_Rows({"E_BACnet_IP_Master_IP1", "E_BACnet_IP_Master_SM1", "E_BACnet_IP_Master_GAT1",
               "E_BACnet_IP_Master_Port", "E_BACnet_IP_Master_Device_Name",
               "E_BACnet_IP_Master_Device_Identifier", "E_BACnet_IP_Master_TimeOut_Polling"},
              ip);
    Show_Rows({"CB_BACnet_MSTP_Master_Baudrate", "CB_BACnet_MSTP_Master_Parity",
               "E_BACnet_MSTP_Master_Device_Name", "E_BACnet_MSTP_Master_MAC_Address",
               "E_BACnet_MSTP_Master_Max_Master", "E_BACnet_MSTP_Master_Max_Info_Frame",
               "E_BACnet_MSTP_Master_Device_Instance"},
              !ip);
    if (ip)
        Apply_DHCP_Rule(CP_BACnet_Master, true);
    Lay_Out_Panel(CP_BACnet_Master,
                  ip ? "E_BACnet_IP_Master_TimeOut_Polling" : "E_BACnet_MSTP_Master_Device_Instance");
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
    const bool ip = CB_BACnet_Slave_Type->ItemIndex() == 0;
    Show_Rows({"E_BACnet_IP_Slave_IP1", "E_BACnet_IP_Slave_SM1", "E_BACnet_IP_Slave_GAT1",
               "E_BACnet_IP_Slave_Port", "E_BACnet_IP_Slave_Device_Name",
               "E_BACnet_IP_Slave_Device_Identifier"},
              ip);
    Show_Rows({"CB_BACnet_MSTP_Slave_Baudrate", "CB_BACnet_MSTP_Slave_Parity",
               "E_BACnet_MSTP_Slave_Device_Name", "E_BACnet_MSTP_Slave_MAC_Address",
               "E_BACnet_MSTP_Slave_Max_Master", "E_BACnet_MSTP_Slave_Max_Info_Frame",
               "E_BACnet_MSTP_Slave_Device_Instance", "E_BACnet_MSTP_Slave_Network"},
              !ip);
    if (ip)
        Apply_DHCP_Rule(CP_BACnet_Slave, true);
    // The 32-character box follows the last shown row: the identifier's or the network's.
    Lay_Out_Panel(CP_BACnet_Slave);
}

void TFParGen::RePosition_Object_CAN()
{
    Lay_Out_Panel(CP_CAN);
}

void TFParGen::RePosition_Object_CANopen()
{
    Lay_Out_Panel(CP_CANopen);
}

void TFParGen::RePosition_Object_DeviceNet_Master()
{
    Lay_Out_Panel(CP_DeviceNet_Master);
}

void TFParGen::RePosition_Object_DeviceNet_Slave()
{
    Lay_Out_Panel(CP_DeviceNet_Slave);
}

void TFParGen::RePosition_Object_DMX()
{
    Lay_Out_Panel(CP_DMX);
}

void TFParGen::RePosition_Object_J1939()
{
    Lay_Out_Panel(CP_J1939);
}

void TFParGen::RePosition_Object_NMEA2000()
{
    Lay_Out_Panel(CP_NMEA2000);
}

void TFParGen::RePosition_Object_EtherNetIP()
{
    Lay_Out_Panel(CP_EtherNetIP);
}

void TFParGen::RePosition_Object_EtherNetIP_Master()
{
    Apply_DHCP_Rule(CP_EtherNetIP_Master, false);
    Lay_Out_Panel(CP_EtherNetIP_Master);
}

void TFParGen::RePosition_Object_IEC61850_Client()
{
    Apply_DHCP_Rule(CP_IEC61850_Client, true);
    Lay_Out_Panel(CP_IEC61850_Client);
}

void TFParGen::RePosition_Object_IEC61850_Server()
{
    Apply_DHCP_Rule(CP_IEC61850_Server, true);
    Lay_Out_Panel(CP_IEC61850_Server);
}

void TFParGen::RePosition_Object_TLS_Server()
{
    const bool enabled = CB_TLS_Server_Enable->Checked();
    Show_Rows({"E_TLS_Server_Key", "E_TLS_Server_Key_Pass", "E_TLS_Server_Server_Cert",
               "E_TLS_Server_Root_Cert", "CB_TLS_Server_En_Known_Cert"},
              enabled);
    Lay_Out_Panel(CP_TLS_Server, enabled ? "CB_TLS_Server_En_Known_Cert" : "CB_TLS_Server_Enable");
}

void TFParGen::RePosition_Object_OPC_UA_Client()
{
    Apply_DHCP_Rule(CP_OPC_UA_Client, true);
    Lay_Out_Panel(CP_OPC_UA_Client);
}

void TFParGen::RePosition_Object_OPC_UA_Server()
{
    Apply_DHCP_Rule(CP_OPC_UA_Server, true);
    Lay_Out_Panel(CP_OPC_UA_Server);
}

// The diagnostic row is never offered; "Disable Reset" takes its place.
void TFParGen::RePosition_Object_PROFINET()
{
    Show_Row("CB_PROFINET_Diagnostic", false);
    Apply_DHCP_Rule(CP_PROFINET, true);
    Lay_Out_Panel(CP_PROFINET);
}

void TFParGen::RePosition_Object_SNMP_Manager()
{
    Apply_DHCP_Rule(CP_SNMP_Manager, true);
    Lay_Out_Panel(CP_SNMP_Manager);
}

// Version 3 offers the user and the security level; the level decides how much of authority and
// privacy is asked for.
void TFParGen::RePosition_Object_SNMP_Agent()
{
    const bool v3 = CB_SNMP_Agent_Version3->Checked();
    const int level = CB_SNMP_Agent_SecurityLevel->ItemIndex();
    const bool authority = v3 && level != 0;
    const bool privacy = authority && level != 1;
    Show_Rows({"E_SNMP_Agent_User", "CB_SNMP_Agent_SecurityLevel"}, v3);
    Show_Rows({"E_SNMP_Agent_Authority", "CB_SNMP_Agent_AuthorityMode"}, authority);
    Show_Rows({"E_SNMP_Agent_Privacy", "CB_SNMP_Agent_PrivacyMode"}, privacy);
    Apply_DHCP_Rule(CP_SNMP_Agent, true);
    const char* deciding = !v3         ? "CB_SNMP_Agent_Version3"
                           : privacy   ? "CB_SNMP_Agent_PrivacyMode"
                           : authority ? "CB_SNMP_Agent_AuthorityMode"
                                       : "CB_SNMP_Agent_SecurityLevel";
    Lay_Out_Panel(CP_SNMP_Agent, deciding);
}

void TFParGen::RePosition_Object_S7comm()
{
    Apply_DHCP_Rule(CP_S7_Protocol, false);
    Lay_Out_Panel(CP_S7_Protocol);
}

void TFParGen::RePosition_Object_Select_Device()
{
    Lay_Out_Panel(CP_Select_Device);
}

// The will rows follow "Will Flag"; the connection, send time, DALI and reprogramming rows are
// never offered.
void TFParGen::RePosition_Object_MQTT()
{
    Show_Rows({"E_MQTT_Will_TopicName", "E_MQTT_Will_Message", "CB_MQTT_Will_Retained", "CB_MQTT_Will_QoS"},
              CB_MQTT_WillFlag->Checked());
    Show_Rows({"CB_MQTT_PublishTopicConnection", "E_MQTT_Connection_TopicName", "E_MQTT_Connection_Message",
               "CB_MQTT_Connection_Retained", "E_MQTT_ASync_Send_Time", "E_MQTT_TopicDALIAns",
               "CB_MQTT_Enable_ReProgram", "E_MQTT_Reprogram_Topic", "E_MQTT_Reproram_Value"},
              false);
    Lay_Out_Panel(CP_MQTT);
}

void TFParGen::RePosition_Object_TLS()
{
    const bool enabled = CB_TLS_Enable->Checked();
    const bool client = enabled && CB_TLS_En_Client_Auth->Checked();
    Show_Rows({"CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth"}, enabled);
    Show_Row("E_TLS_Server_Cert", enabled && CB_TLS_En_Server_Auth->Checked());
    Show_Rows({"E_TLS_Client_Cert", "E_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key_Pass"}, client);
    Lay_Out_Panel(CP_TLS, !enabled ? "CB_TLS_Enable"
                          : client ? "E_TLS_Client_Cert_Key_Pass"
                                   : "CB_TLS_En_Client_Auth");
}

void TFParGen::RePosition_Object_NTP()
{
    Lay_Out_Panel(CP_NTP);
}

// Access point: the first address block, SSID, secure type, the password when secured, the DHCP
// server with its rows when enabled, max client and channel. Station: the first address block
// (disabled while Wi-Fi takes its address by DHCP), SSID and password.
void TFParGen::RePosition_Object_WiFi2()
{
    const bool station = CB_WiFi2_Type->ItemIndex() != 0;
    Show_Rows({"L_WiFi2_IP1", "L_WiFi2_IP2", "E_WiFi2_IP2_IP1", "E_WiFi2_IP2_SM1", "E_WiFi2_IP2_GAT1"},
              false);
    Show_Rows({"CB_WiFi2_Secure_Type", "CB_WiFi2_En_DHCP", "CB_WiFi2_Max_Client", "CB_WiFi2_Channel"},
              !station);
    Show_Row("E_WiFi2_Password", station || CB_WiFi2_Secure_Type->ItemIndex() > 0);
    Show_Rows({"E_WiFi2_DHCP_First_IP1", "E_WiFi2_DHCP_SM1", "E_WiFi2_Lease_Time"},
              !station && CB_WiFi2_En_DHCP->Checked());
    const bool enabled = !(station && CB_EthConn_En_DHCP_WiFi->Checked());
    const TRowView* block[] = {Row_Of("E_WiFi2_IP1_IP1"), Row_Of("E_WiFi2_IP1_SM1"),
                               Row_Of("E_WiFi2_IP1_GAT1")};
    for (const TRowView* row : block) {
        for (TEdit* edit : row->Edits)
            edit->SetEnabled(enabled);
        if (row->Check)
            row->Check->SetEnabled(enabled);
    }
    Lay_Out_Panel(CP_WiFi2, station ? "E_WiFi2_Password" : "CB_WiFi2_Channel");
}

void TFParGen::RePosition_Object_GSM_GPRS()
{
    Lay_Out_Panel(CP_GSM_GPRS);
}

void TFParGen::Model_Rule_GW105()
{
    CP_Ethernet->SetVisible(CB_BACnet_Master_Type->ItemIndex() != 0);
}

void TFParGen::Model_Rule_GW106()
{
    CP_Ethernet->SetVisible(CB_BACnet_Slave_Type->ItemIndex() != 0);
}

// The device selection offers one wireless way at most: the other panels are collapsed and disabled.
void TFParGen::Model_Rule_GW117()
{
    const int device = CB_Select_Device_Device->ItemIndex();
    auto offer = [](TCategoryPanel* panel, bool offered) {
        panel->SetEnabled(offered);
        panel->SetCollapsed(!offered);
    };
    offer(CP_WiFi2, device == 1);
    offer(CP_GSM_GPRS, device != 0 && device != 1);
}

void TFParGen::Apply_DHCP_Rule(std::array<TEdit*, 12> octets, TCheckBox* gateway)
{
    const bool enabled = !CB_EthConn_En_DHCP_Cable->Checked();
    for (TEdit* edit : octets)
        edit->SetEnabled(enabled);
    if (gateway)
        gateway->SetEnabled(enabled);
}

void TFParGen::Apply_DHCP_Rule(TCategoryPanel* panel, bool withGateway)
{
    // The panel's address, mask and gateway rows are its first three rows of octets.
    std::array<TEdit*, 12> octets{};
    TCheckBox* gateway = nullptr;
    size_t n = 0;
    for (const TRowView& row : View_Of(panel).Rows) {
        if (row.Def->Kind != TRowKind::Octets && row.Def->Kind != TRowKind::Gateway)
            continue;
        for (TEdit* edit : row.Edits)
            octets[n++] = edit;
        if (row.Def->Kind == TRowKind::Gateway) {
            gateway = row.Check;
            break;
        }
    }
    if (n != octets.size())
        throw EListError(QString("No address rows on %1").arg(panel->Name()));
    Apply_DHCP_Rule(octets, withGateway ? gateway : nullptr);
}

// ---- Events ---------------------------------------------------------------------------------------

void TFParGen::On_Change(TObject* Sender)
{
    Is_Change = true;
    if (Is_Trigger(Sender, ParGen_Change_Triggers()))
        Move_GroupBoxs();
}

void TFParGen::On_Click(TObject* Sender)
{
    Is_Change = true;
    if (Is_Trigger(Sender, ParGen_Click_Triggers()))
        Move_GroupBoxs();
}

void TFParGen::FormResize(TObject*)
{
    if (ClientWidth() != ParGen_Client_Width)
        SetClientWidth(ParGen_Client_Width);
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled)
{
    // The group's visible area, scroll bar included (its ClientRect is the whole scrolled surface).
    const TPoint at = CPG->ScreenToClient(MousePos);
    if (!PtInRect(TRect(0, 0, CPG->Width(), CPG->Height()), at))
        return;
    Handled = true;
    const WPARAM code = WheelDelta > 0 ? Scroll_Line_Up : Scroll_Line_Down;
    for (int i = 0; i < Mouse->WheelScrollLines(); ++i) {
        TMessage step{WM_VSCROLL, code, 0, 0};
        CPG->WndProc(step);
        TMessage end{WM_VSCROLL, Scroll_End, 0, 0};
        CPG->WndProc(end);
    }
}

void TFParGen::KeyPress(TObject* Sender, char16_t& Key)
{
    if (Key != u'.')
        return;
    Key = 0;
    for (std::span<const TFormMember<TEdit>> chain : ParGen_Octet_Chains())
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            if (this->*chain[i] == Sender) {
                TEdit* next = this->*chain[i + 1];
                if (next->CanFocus())
                    next->SetFocus();
                return;
            }
}

void TFParGen::E_EtherCAT_Slave_NameKeyPress(TObject*, char16_t& Key)
{
    const bool hexDigit = Key == u'0' || Key == u'1' || (Key >= u'A' && Key <= u'F');
    if (!hexDigit && Key > 32)
        Key = 0;
}
