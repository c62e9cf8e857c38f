// The panels of the family's other models on the communication-parameters dialog: a form built for
// each model shows that model's panels; the show, hide and enable rules of the panels and models;
// the design values, the texts and their language switch.
#include "ParGenTest.h"

#include "gateway/UParGen_Fields.h"

#include <QLineEdit>

using namespace pargen_test;

namespace
{

TControl* Named(const TFParGen& f, const char* name)
{
    auto* c = dynamic_cast<TControl*>(f.FindComponent(QLatin1String(name)));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

std::vector<TCategoryPanel*> ShownPanels(const TFParGen& f)
{
    std::vector<TCategoryPanel*> out;
    for (int i = 0; i < f.CPG->PanelCount(); ++i)
        if (f.CPG->Panels(i)->Visible())
            out.push_back(f.CPG->Panels(i));
    return out;
}

// The panel's height (expanded) comes from the bottom of `deciding`, and nothing shown lies below.
void ExpectHeightFrom(const TCategoryPanel* panel, const TControl* deciding)
{
    ASSERT_TRUE(deciding->Visible()) << deciding->Name().toStdString();
    const int header = panel->PanelGroup()->HeaderHeight();
    EXPECT_EQ(panel->FullHeight(), deciding->Top() + deciding->Height() + 12 + header)
        << panel->Name().toStdString() << " from " << deciding->Name().toStdString();
    for (int i = 0; i < panel->ControlCount(); ++i) {
        const TControl* c = panel->Controls(i);
        if (c->Visible()) {
            EXPECT_LE(c->BoundsRect().Bottom, deciding->BoundsRect().Bottom) << c->Name().toStdString();
        }
    }
}

// The names of the controls among `names` that are shown.
QStringList ShownOf(const TFParGen& f, std::initializer_list<const char*> names)
{
    QStringList out;
    for (const char* name : names)
        if (Named(f, name)->Visible())
            out << name;
    return out;
}

// Picks an item as a user does, with the arrow keys on the list.
void Pick(TComboBox* combo, int index)
{
    ASSERT_TRUE(combo->Enabled()) << combo->Name().toStdString();
    while (combo->ItemIndex() != index) {
        const int before = combo->ItemIndex();
        QTest::keyClick(combo->Widget(), combo->ItemIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(combo->ItemIndex(), before) << combo->Name().toStdString();
    }
}

class ParGenPanels : public ParGen
{
  protected:
    void Build(const char* model) { form = std::make_unique<TFParGen>(nullptr, model); }
    // Builds the form for `model` and runs `script` inside the shown dialog.
    void ShowModel(const char* model, const std::function<void()>& script)
    {
        Build(model);
        Show([&] {
            QApplication::setActiveWindow(form->Widget());
            script();
        });
    }
};

// ---- Models -----------------------------------------------------------------------------------------

struct TModelCase {
    const char* model;
    std::vector<const char*> titles; // the shown panels' titles without their number, in order
};

const char* const ECon = "Ethernet Connection";
const char* const ECAT = "EtherCAT Slave";
const char* const Eth = "Ethernet";

const TModelCase kModelCases[] = {
    {"GW100", {ECon, ECAT, "Serial", Eth}},
    {"GW101", {ECon, ECAT, "Modbus Master", Eth}},
    {"GW102", {ECon, ECAT, "Modbus Slave", Eth}},
    {"GW103", {ECon, ECAT, "Modbus TCP Master"}},
    {"GW104", {ECon, ECAT, "Modbus TCP Slave"}},
    // Ethernet waits for BACnet MS/TP.
    {"GW105", {ECon, ECAT, "BACnet Master"}},
    {"GW106", {ECon, ECAT, "BACnet Slave"}},
    {"GW107", {ECon, ECAT, "CAN", Eth}},
    {"GW108", {ECon, ECAT, "CANopen", Eth}},
    {"GW109", {ECon, ECAT, "DeviceNet Master", Eth}},
    {"GW110", {ECon, ECAT, "DeviceNet Slave", Eth}},
    {"GW111", {ECon, ECAT, "DMX", Eth}},
    {"GW112", {ECon, ECAT, Eth}},
    {"GW113", {ECon, ECAT, "EtherNet/IP"}},
    {"GW114", {ECon, ECAT, "IEC61850 Client"}},
    {"GW115", {ECon, ECAT, "IEC61850 Server", "TLS (Transport Layer Security) Server"}},
    {"GW116", {ECon, ECAT, "J1939", Eth}},
    {"GW117",
     {ECon, ECAT, "Select Device", "MQTT", Eth, "TLS (Transport Layer Security)",
      "NTP (Network Time Protocol)", "Wi-Fi", "GSM / GPRS / LTE"}},
    {"GW119", {ECon, ECAT, "NMEA 2000", Eth}},
    {"GW120", {ECon, ECAT, "OPC UA Client", "NTP (Network Time Protocol)"}},
    {"GW121", {ECon, ECAT, "OPC UA Server", "NTP (Network Time Protocol)"}},
    {"GW123", {ECon, ECAT, "PROFINET"}},
    {"GW124", {ECon, ECAT, "SNMP Manager"}},
    {"GW125", {ECon, ECAT, "SNMP Agent"}},
    {"GW126", {ECon, ECAT, "EtherNet/IP Master"}},
    {"GW127", {ECon, ECAT, "EtherNet/IP"}},
    {"GW128", {ECon, ECAT, "S7comm"}},
};

TEST_F(ParGenPanels, EveryModelShowsItsPanelsNumberedStackedAndInTabOrder)
{
    for (const TModelCase& m : kModelCases) {
        SCOPED_TRACE(m.model);
        Build(m.model);
        EXPECT_EQ(QString(form->Model().Model), m.model);
        EXPECT_EQ(form->CPG->PanelCount(), 34);
        const std::vector<TCategoryPanel*> shown = ShownPanels(*form);
        QStringList titles, expected;
        for (size_t i = 0; i < m.titles.size(); ++i)
            expected << QString("%1. %2").arg(i + 1).arg(m.titles[i]);
        int top = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            titles << shown[i]->Caption();
            EXPECT_EQ(shown[i]->TabOrder(), int(i)) << shown[i]->Name().toStdString();
            EXPECT_EQ(shown[i]->Top(), top) << shown[i]->Name().toStdString();
            top += shown[i]->Height();
        }
        EXPECT_EQ(titles, expected);
    }
}

TEST_F(ParGenPanels, AModelOutsideTheFamilyIsRefused)
{
    for (const char* model : {"GW118", "GW122", "", "gw101"})
        EXPECT_THROW(TFParGen(nullptr, model), EListError) << model;
}

TEST_F(ParGenPanels, TheBuildShowsTheGW101PanelsAndLoadsSavesOnlyTheirFields)
{
    // The default model; the other panels exist, hidden, with their design values.
    EXPECT_EQ(QString(form->Model().Model), "GW101");
    EXPECT_EQ(ShownPanels(*form).size(), 4u);
    EXPECT_FALSE(form->CP_MQTT->Visible());
    const TModalResult result = Show([&] {
        form->E_MQTT_Server->SetText("broker");
        form->CB_TLS_Enable->SetChecked(true);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const TElements written = Written();
    EXPECT_EQ(written.size(), 35u);
    EXPECT_EQ(written.back().first, "Ethernet_EN_GAT");

    // A GW117 form writes the same 35 elements.
    Build("GW117");
    Show([&] { Click(form->Btn_OK); });
    EXPECT_EQ(Written(), written);
}

// ---- Panel rules ------------------------------------------------------------------------------------

TEST_F(ParGenPanels, GW105BACnetMasterShowsTheIPOrTheMSTPRowsAndEthernetWithMSTP)
{
    const std::initializer_list<const char*> ipRows = {"E_BACnet_IP_Master_IP1",
                                                       "E_BACnet_IP_Master_SM1",
                                                       "E_BACnet_IP_Master_GAT1",
                                                       "CB_BACnet_IP_Master_GAT",
                                                       "E_BACnet_IP_Master_Port",
                                                       "E_BACnet_IP_Master_Device_Name",
                                                       "E_BACnet_IP_Master_Device_Identifier",
                                                       "E_BACnet_IP_Master_TimeOut_Polling"};
    const std::initializer_list<const char*> mstpRows = {
        "CB_BACnet_MSTP_Master_Baudrate",      "CB_BACnet_MSTP_Master_Parity",
        "E_BACnet_MSTP_Master_Device_Name",    "E_BACnet_MSTP_Master_MAC_Address",
        "E_BACnet_MSTP_Master_Max_Master",     "E_BACnet_MSTP_Master_Max_Info_Frame",
        "E_BACnet_MSTP_Master_Device_Instance"};
    ShowModel("GW105", [&] {
        TFParGen& f = *form;
        EXPECT_EQ(ShownOf(f, ipRows).size(), ipRows.size());
        EXPECT_EQ(ShownOf(f, mstpRows), QStringList());
        EXPECT_FALSE(f.CP_Ethernet->Visible());
        ExpectHeightFrom(f.CP_BACnet_Master, f.E_BACnet_IP_Master_TimeOut_Polling);
        const int labelTop = Named(f, "L_BACnet_IP_Master_IP")->Top();
        const int fieldTop = f.E_BACnet_IP_Master_IP1->Top();
        EXPECT_EQ(fieldTop, labelTop - 3);

        Pick(f.CB_BACnet_Master_Type, 1);
        EXPECT_EQ(ShownOf(f, ipRows), QStringList());
        EXPECT_EQ(ShownOf(f, mstpRows).size(), mstpRows.size());
        const char* const labels[] = {
            "L_BACnet_MSTP_Master_Baudrate",       "L_BACnet_MSTP_Master_Parity",
            "L_BACnet_MSTP_Master_Device_Name",    "L_BACnet_MSTP_Master_MAC_Address",
            "L_BACnet_MSTP_Master_Max_Master",     "L_BACnet_MSTP_Master_Max_Info_Frame",
            "L_BACnet_MSTP_Master_Device_Instance"};
        int i = 0;
        for (const char* name : mstpRows) {
            EXPECT_EQ(Named(f, labels[i])->Top(), labelTop + 28 * i) << labels[i];
            EXPECT_EQ(Named(f, name)->Top(), fieldTop + 28 * i) << name;
            ++i;
        }
        ExpectHeightFrom(f.CP_BACnet_Master, f.E_BACnet_MSTP_Master_Device_Instance);
        // Ethernet comes back in its place, right below the BACnet panel.
        const std::vector<TCategoryPanel*> shown = ShownPanels(f);
        ASSERT_EQ(shown.size(), 4u);
        EXPECT_EQ(shown[2], f.CP_BACnet_Master);
        EXPECT_EQ(shown[3], f.CP_Ethernet);
        EXPECT_EQ(f.CP_Ethernet->Top(), f.CP_BACnet_Master->Top() + f.CP_BACnet_Master->Height());
        EXPECT_TRUE(f.Is_Change);

        Pick(f.CB_BACnet_Master_Type, 0);
        EXPECT_FALSE(f.CP_Ethernet->Visible());
        EXPECT_EQ(ShownPanels(f).size(), 3u);
        EXPECT_EQ(ShownOf(f, mstpRows), QStringList());
    });
}

TEST_F(ParGenPanels, GW106DescriptionBoxFollowsTheLastRowOfTheBACnetType)
{
    ShowModel("GW106", [&] {
        TFParGen& f = *form;
        EXPECT_EQ(f.CB_BACnet_Slave_Desc_32_Chars->Top(),
                  Named(f, "L_BACnet_IP_Slave_Device_Identifier")->Top() + 28);
        ExpectHeightFrom(f.CP_BACnet_Slave, f.CB_BACnet_Slave_Desc_32_Chars);
        EXPECT_FALSE(f.E_BACnet_MSTP_Slave_Network->Visible());
        EXPECT_FALSE(f.CP_Ethernet->Visible());

        Pick(f.CB_BACnet_Slave_Type, 1);
        EXPECT_FALSE(f.E_BACnet_IP_Slave_IP1->Visible());
        EXPECT_FALSE(f.E_BACnet_IP_Slave_Device_Identifier->Visible());
        EXPECT_EQ(Named(f, "L_BACnet_MSTP_Slave_Baudrate")->Top(),
                  Named(f, "L_BACnet_Slave_Type")->Top() + 28);
        EXPECT_EQ(f.CB_BACnet_Slave_Desc_32_Chars->Top(),
                  Named(f, "L_BACnet_MSTP_Slave_Network")->Top() + 28);
        ExpectHeightFrom(f.CP_BACnet_Slave, f.CB_BACnet_Slave_Desc_32_Chars);
        EXPECT_TRUE(f.CP_Ethernet->Visible());
    });
}

TEST_F(ParGenPanels, GW117DeviceSelectionOffersWiFiOrTheMobileConnection)
{
    struct Case {
        int device;
        bool wifi;
        bool gsm;
    };
    ShowModel("GW117", [&] {
        TFParGen& f = *form;
        for (const Case& c :
             {Case{1, true, false}, Case{2, false, true}, Case{0, false, false}, Case{1, true, false}}) {
            SCOPED_TRACE(c.device);
            Pick(f.CB_Select_Device_Device, c.device);
            EXPECT_EQ(f.CP_WiFi2->Enabled(), c.wifi);
            EXPECT_EQ(f.CP_WiFi2->Collapsed(), !c.wifi);
            EXPECT_EQ(f.CP_GSM_GPRS->Enabled(), c.gsm);
            EXPECT_EQ(f.CP_GSM_GPRS->Collapsed(), !c.gsm);
            // Both stay shown, as the last two panels, and expand to their full height.
            const std::vector<TCategoryPanel*> shown = ShownPanels(f);
            ASSERT_EQ(shown.size(), 9u);
            EXPECT_EQ(shown[7], f.CP_WiFi2);
            EXPECT_EQ(shown[8], f.CP_GSM_GPRS);
            EXPECT_EQ(f.CP_WiFi2->Height(), c.wifi ? f.CP_WiFi2->FullHeight() : f.CPG->HeaderHeight());
            EXPECT_EQ(f.CP_GSM_GPRS->Top(), f.CP_WiFi2->Top() + f.CP_WiFi2->Height());
        }
        ExpectHeightFrom(f.CP_GSM_GPRS, f.E_GSM_GPRS_Password);
    });
}

TEST_F(ParGenPanels, GW125SNMPAgentRowsFollowVersion3AndTheSecurityLevel)
{
    const std::initializer_list<const char*> rows = {"E_SNMP_Agent_User",      "CB_SNMP_Agent_SecurityLevel",
                                                     "E_SNMP_Agent_Authority", "CB_SNMP_Agent_AuthorityMode",
                                                     "E_SNMP_Agent_Privacy",   "CB_SNMP_Agent_PrivacyMode"};
    ShowModel("GW125", [&] {
        TFParGen& f = *form;
        EXPECT_EQ(ShownOf(f, rows), QStringList());
        ExpectHeightFrom(f.CP_SNMP_Agent, f.CB_SNMP_Agent_Version3);
        // Versions 1 and 2 change nothing.
        Click(f.CB_SNMP_Agent_Version1);
        Click(f.CB_SNMP_Agent_Version2);
        EXPECT_EQ(ShownOf(f, rows), QStringList());

        Click(f.CB_SNMP_Agent_Version3);
        ASSERT_TRUE(f.CB_SNMP_Agent_Version3->Checked());
        struct Case {
            int level;
            int shown;
            TControl* deciding;
        };
        for (const Case& c :
             {Case{0, 2, f.CB_SNMP_Agent_SecurityLevel}, Case{1, 4, f.CB_SNMP_Agent_AuthorityMode},
              Case{2, 6, f.CB_SNMP_Agent_PrivacyMode}, Case{0, 2, f.CB_SNMP_Agent_SecurityLevel}}) {
            SCOPED_TRACE(c.level);
            Pick(f.CB_SNMP_Agent_SecurityLevel, c.level);
            EXPECT_EQ(ShownOf(f, rows), QStringList(rows.begin(), rows.begin() + c.shown));
            ExpectHeightFrom(f.CP_SNMP_Agent, c.deciding);
        }
        Pick(f.CB_SNMP_Agent_SecurityLevel, 2);
        EXPECT_EQ(f.CB_SNMP_Agent_PrivacyMode->Top() - f.E_SNMP_Agent_User->Top(), 5 * 28);
        Click(f.CB_SNMP_Agent_Version3);
        EXPECT_EQ(ShownOf(f, rows), QStringList());
        ExpectHeightFrom(f.CP_SNMP_Agent, f.CB_SNMP_Agent_Version3);
    });
}

TEST_F(ParGenPanels, GW115TLSServerRowsFollowEnableTLS)
{
    const std::initializer_list<const char*> rows = {"E_TLS_Server_Key", "E_TLS_Server_Key_Pass",
                                                     "E_TLS_Server_Server_Cert", "E_TLS_Server_Root_Cert",
                                                     "CB_TLS_Server_En_Known_Cert"};
    ShowModel("GW115", [&] {
        TFParGen& f = *form;
        EXPECT_EQ(ShownOf(f, rows), QStringList());
        ExpectHeightFrom(f.CP_TLS_Server, f.CB_TLS_Server_Enable);
        Click(f.CB_TLS_Server_Enable);
        EXPECT_EQ(ShownOf(f, rows).size(), rows.size());
        ExpectHeightFrom(f.CP_TLS_Server, f.CB_TLS_Server_En_Known_Cert);
        EXPECT_EQ(f.CB_TLS_Server_En_Known_Cert->Top() - f.CB_TLS_Server_Enable->Top(), 5 * 28);
        // The IEC61850 server panel below moves with it: no gap, no overlap.
        EXPECT_EQ(ShownPanels(f).back(), f.CP_TLS_Server);
        Click(f.CB_TLS_Server_Enable);
        ExpectHeightFrom(f.CP_TLS_Server, f.CB_TLS_Server_Enable);
    });
}

TEST_F(ParGenPanels, GW117TLSRowsFollowTheAuthenticationBoxes)
{
    struct Case {
        bool enable, server, client;
        std::vector<const char*> shown;
        const char* deciding;
    };
    const Case cases[] = {
        {false, true, true, {}, "CB_TLS_Enable"},
        {true, false, false, {"CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth"}, "CB_TLS_En_Client_Auth"},
        {true,
         true,
         false,
         {"CB_TLS_En_Server_Auth", "E_TLS_Server_Cert", "CB_TLS_En_Client_Auth"},
         "CB_TLS_En_Client_Auth"},
        {true,
         false,
         true,
         {"CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth", "E_TLS_Client_Cert", "E_TLS_Client_Cert_Key",
          "E_TLS_Client_Cert_Key_Pass"},
         "E_TLS_Client_Cert_Key_Pass"},
        {true,
         true,
         true,
         {"CB_TLS_En_Server_Auth", "E_TLS_Server_Cert", "CB_TLS_En_Client_Auth", "E_TLS_Client_Cert",
          "E_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key_Pass"},
         "E_TLS_Client_Cert_Key_Pass"},
    };
    ShowModel("GW117", [&] {
        TFParGen& f = *form;
        // Boxes are set by clicks only; a hidden box cannot be clicked, so enable TLS first.
        auto set = [&](TCheckBox* box, bool checked) {
            if (box->Checked() != checked) {
                const bool hidden = !box->Visible();
                if (hidden)
                    Click(f.CB_TLS_Enable);
                Click(box);
                if (hidden)
                    Click(f.CB_TLS_Enable);
            }
            ASSERT_EQ(box->Checked(), checked);
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.enable << c.server << c.client);
            set(f.CB_TLS_En_Server_Auth, c.server);
            set(f.CB_TLS_En_Client_Auth, c.client);
            set(f.CB_TLS_Enable, c.enable);
            QStringList expected;
            for (const char* name : c.shown)
                expected << name;
            EXPECT_EQ(
                ShownOf(f, {"CB_TLS_En_Server_Auth", "E_TLS_Server_Cert", "CB_TLS_En_Client_Auth",
                            "E_TLS_Client_Cert", "E_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key_Pass"}),
                expected);
            ExpectHeightFrom(f.CP_TLS, Named(f, c.deciding));
            // Shown rows are 28 apart from the enable box on.
            int top = f.CB_TLS_Enable->Top();
            for (const char* name : c.shown) {
                top += 28;
                const int raise = QString(name).startsWith("E_") ? 3 : 0;
                EXPECT_EQ(Named(f, name)->Top(), top - raise) << name;
            }
        }
    });
}

TEST_F(ParGenPanels, GW117MQTTWillRowsFollowTheWillFlagAndTheOthersStayHidden)
{
    const std::initializer_list<const char*> will = {"E_MQTT_Will_TopicName", "E_MQTT_Will_Message",
                                                     "CB_MQTT_Will_Retained", "CB_MQTT_Will_QoS"};
    const std::initializer_list<const char*> never = {
        "CB_MQTT_PublishTopicConnection", "E_MQTT_Connection_TopicName",
        "E_MQTT_Connection_Message",      "CB_MQTT_Connection_Retained",
        "E_MQTT_ASync_Send_Time",         "E_MQTT_TopicDALIAns",
        "CB_MQTT_Enable_ReProgram",       "E_MQTT_Reprogram_Topic",
        "E_MQTT_Reproram_Value",          "E_MQTT_Password__"};
    ShowModel("GW117", [&] {
        TFParGen& f = *form;
        TControl* willLabel = Named(f, "L_MQTT_Will_TopicName");
        TControl* userLabel = Named(f, "L_MQTT_Username");
        EXPECT_EQ(ShownOf(f, will), QStringList());
        EXPECT_EQ(userLabel->Top(), willLabel->Top());
        EXPECT_EQ(f.E_MQTT_Username->Top(), userLabel->Top() - 3);
        EXPECT_EQ(Named(f, "L_MQTT_Password")->Top(), userLabel->Top() + 28);
        EXPECT_EQ(f.E_MQTT_Password->Top(), userLabel->Top() + 25);
        ExpectHeightFrom(f.CP_MQTT, f.E_MQTT_Password);

        Click(f.CB_MQTT_WillFlag);
        EXPECT_EQ(ShownOf(f, will).size(), will.size());
        EXPECT_EQ(userLabel->Top(), Named(f, "L_MQTT_Will_QoS")->Top() + 28);
        ExpectHeightFrom(f.CP_MQTT, f.E_MQTT_Password);
        EXPECT_EQ(ShownOf(f, never), QStringList());

        Click(f.CB_MQTT_WillFlag);
        EXPECT_EQ(userLabel->Top(), willLabel->Top());
        EXPECT_EQ(ShownOf(f, never), QStringList());
    });
}

TEST_F(ParGenPanels, GW117WiFiAccessPointAndStationLayouts)
{
    const std::initializer_list<const char*> rows = {"L_WiFi2_IP1",
                                                     "E_WiFi2_IP1_IP1",
                                                     "E_WiFi2_IP1_SM1",
                                                     "CB_WiFi2_IP1_En_GAT",
                                                     "L_WiFi2_IP2",
                                                     "E_WiFi2_IP2_IP1",
                                                     "E_WiFi2_IP2_SM1",
                                                     "CB_WiFi2_IP2_En_GAT",
                                                     "E_WiFi2_SSID",
                                                     "CB_WiFi2_Secure_Type",
                                                     "E_WiFi2_Password",
                                                     "CB_WiFi2_En_DHCP",
                                                     "E_WiFi2_DHCP_First_IP1",
                                                     "E_WiFi2_DHCP_SM1",
                                                     "E_WiFi2_Lease_Time",
                                                     "CB_WiFi2_Max_Client",
                                                     "CB_WiFi2_Channel"};
    ShowModel("GW117", [&] {
        TFParGen& f = *form;
        Pick(f.CB_Select_Device_Device, 1);
        const QStringList block1 = {"E_WiFi2_IP1_IP1", "E_WiFi2_IP1_SM1", "CB_WiFi2_IP1_En_GAT"};
        const QStringList accessPoint =
            block1 + QStringList{"E_WiFi2_SSID", "CB_WiFi2_Secure_Type", "CB_WiFi2_En_DHCP",
                                 "CB_WiFi2_Max_Client", "CB_WiFi2_Channel"};
        EXPECT_EQ(ShownOf(f, rows), accessPoint);
        ExpectHeightFrom(f.CP_WiFi2, f.CB_WiFi2_Channel);
        // Rows start one row below the type; the gateway octets sit 2 above their box.
        EXPECT_EQ(f.E_WiFi2_IP1_IP1->Top(), f.CB_WiFi2_Type->Top() + 28);
        EXPECT_EQ(f.E_WiFi2_IP1_GAT1->Top(), f.CB_WiFi2_IP1_En_GAT->Top() - 2);
        EXPECT_EQ(f.E_WiFi2_IP1_SM1->Top(), Named(f, "L_WiFi2_IP1_SM")->Top() - 3);

        Pick(f.CB_WiFi2_Secure_Type, 1);
        EXPECT_EQ(ShownOf(f, rows),
                  (block1 + QStringList{"E_WiFi2_SSID", "CB_WiFi2_Secure_Type", "E_WiFi2_Password",
                                        "CB_WiFi2_En_DHCP", "CB_WiFi2_Max_Client", "CB_WiFi2_Channel"}));
        EXPECT_EQ(f.E_WiFi2_Password->Top(), f.CB_WiFi2_Secure_Type->Top() + 28);
        Click(f.CB_WiFi2_En_DHCP);
        EXPECT_EQ(ShownOf(f, {"E_WiFi2_DHCP_First_IP1", "E_WiFi2_DHCP_SM1", "E_WiFi2_Lease_Time"}).size(), 3);
        EXPECT_EQ(Named(f, "L_WiFi2_DHCP_First_IP")->Top(), Named(f, "CB_WiFi2_En_DHCP")->Top() + 28);
        EXPECT_EQ(Named(f, "L_WiFi2_Max_Client")->Top(), Named(f, "L_WiFi2_Lease_Time")->Top() + 28);
        ExpectHeightFrom(f.CP_WiFi2, f.CB_WiFi2_Channel);
        Click(f.CB_WiFi2_En_DHCP);
        EXPECT_EQ(ShownOf(f, {"E_WiFi2_DHCP_First_IP1", "E_WiFi2_DHCP_SM1", "E_WiFi2_Lease_Time"}),
                  QStringList());
        Pick(f.CB_WiFi2_Secure_Type, 0);
        EXPECT_FALSE(f.E_WiFi2_Password->Visible());

        Pick(f.CB_WiFi2_Type, 1);
        EXPECT_EQ(ShownOf(f, rows), (block1 + QStringList{"E_WiFi2_SSID", "E_WiFi2_Password"}));
        EXPECT_EQ(Named(f, "L_WiFi2_Password")->Top(), Named(f, "L_WiFi2_SSID")->Top() + 28);
        ExpectHeightFrom(f.CP_WiFi2, f.E_WiFi2_Password);
        // DHCP for Wi-Fi can never be checked in this build, so the station's block stays enabled.
        EXPECT_FALSE(f.CB_EthConn_En_DHCP_WiFi->Enabled());
        EXPECT_TRUE(f.E_WiFi2_IP1_IP1->Enabled());
        EXPECT_TRUE(f.CB_WiFi2_IP1_En_GAT->Enabled());
    });
}

TEST_F(ParGenPanels, GW123PROFINETDisableResetTakesTheDiagnosticRow)
{
    ShowModel("GW123", [&] {
        TFParGen& f = *form;
        EXPECT_FALSE(f.CB_PROFINET_Diagnostic->Visible());
        EXPECT_FALSE(f.E_PROFINET_Diagnostic->Visible());
        EXPECT_EQ(f.CB_PROFINET_Disable_Reset->Top(), Named(f, "L_PROFINET_NByte_Out")->Top() + 28);
        ExpectHeightFrom(f.CP_PROFINET, f.CB_PROFINET_Disable_Reset);
    });
    // On a panel no model lays out the designed row is there, where the box then is.
    Build("GW101");
    EXPECT_TRUE(form->CB_PROFINET_Diagnostic->Visible());
    EXPECT_EQ(form->CB_PROFINET_Disable_Reset->Top(), form->CB_PROFINET_Diagnostic->Top() + 28);
}

// The twelve octets of a panel's address, mask and gateway rows.
std::vector<TControl*> Octets(const TFParGen& f, const char* prefix)
{
    std::vector<TControl*> out;
    for (const char* row : {"IP", "SM", "GAT"})
        for (int i = 1; i <= 4; ++i)
            out.push_back(Named(f, QString("%1_%2%3").arg(prefix, row).arg(i).toLatin1().constData()));
    return out;
}

TEST_F(ParGenPanels, DHCPForCableDisablesTheAddressRowsOfTheRuledPanels)
{
    struct Case {
        const char* model;
        const char* prefix;
        const char* gateway;
        bool ruled;        // the octets follow DHCP
        bool gatewayRuled; // the gateway box too
    };
    const Case cases[] = {
        {"GW103", "E_ModbusTCPMaster", "CB_ModbusTCPMaster_En_GAT", true, true},
        {"GW104", "E_ModbusTCPSlave", "CB_ModbusTCPSlave_En_GAT", false, false},
        {"GW105", "E_BACnet_IP_Master", "CB_BACnet_IP_Master_GAT", true, true},
        {"GW106", "E_BACnet_IP_Slave", "CB_BACnet_IP_Slave_GAT", true, true},
        {"GW113", "E_EtherNetIP", "CB_EtherNetIP_GAT", false, false},
        {"GW114", "E_IEC61850_Client", "CB_IEC61850_Client_En_GAT", true, true},
        {"GW115", "E_IEC61850_Server", "CB_IEC61850_Server_En_GAT", true, true},
        {"GW120", "E_OPC_UA_Client", "CB_OPC_UA_Client_En_GAT", true, true},
        {"GW121", "E_OPC_UA_Server", "CB_OPC_UA_Server_En_GAT", true, true},
        {"GW123", "E_PROFINET", "CB_PROFINET_GAT", true, true},
        {"GW124", "E_SNMP_Manager", "CB_SNMP_Manager_GAT", true, true},
        {"GW125", "E_SNMP_Agent", "CB_SNMP_Agent_GAT", true, true},
        {"GW126", "E_EtherNetIP_Master", "CB_EtherNetIP_Master_GAT", true, false},
        {"GW128", "E_S7_Protocol", "CB_S7_Protocol_En_GAT", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        ShowModel(c.model, [&] {
            TFParGen& f = *form;
            const std::vector<TControl*> octets = Octets(f, c.prefix);
            TControl* gateway = Named(f, c.gateway);
            const QString ip4 = dynamic_cast<TEdit*>(octets[3])->Text();
            for (bool dhcp : {true, false}) {
                Click(f.CB_EthConn_En_DHCP_Cable);
                ASSERT_EQ(f.CB_EthConn_En_DHCP_Cable->Checked(), dhcp);
                for (TControl* o : octets)
                    EXPECT_EQ(o->Enabled(), !(dhcp && c.ruled)) << o->Name().toStdString();
                EXPECT_EQ(gateway->Enabled(), !(dhcp && c.gatewayRuled));
            }
            EXPECT_EQ(dynamic_cast<TEdit*>(octets[3])->Text(), ip4);
        });
    }
}

TEST_F(ParGenPanels, ADotInAnotherPanelsOctetIsSwallowedAndKeepsTheFocus)
{
    ShowModel("GW120", [&] {
        TFParGen& f = *form;
        for (TEdit* e : {f.E_OPC_UA_Client_IP4, f.E_OPC_UA_Client_IP1, f.E_OPC_UA_Client_SM4}) {
            e->SetFocus();
            const QString before = e->Text();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
            QTest::keyClick(QApplication::focusWidget(), '.');
            EXPECT_TRUE(e->Focused()) << e->Name().toStdString();
            EXPECT_EQ(e->Text(), before) << e->Name().toStdString();
            QTest::keyClick(QApplication::focusWidget(), '7');
            EXPECT_EQ(e->Text(), before + "7") << e->Name().toStdString();
        }
    });
}

TEST_F(ParGenPanels, ChangesOfOtherControlsOnlyMarkTheFormChanged)
{
    ShowModel("GW117", [&] {
        TFParGen& f = *form;
        // A row hidden by hand shows whether a re-layout ran.
        f.E_MQTT_Username->SetVisible(false);
        f.Is_Change = false;
        QTest::keyClick(f.E_MQTT_Server->Widget(), 'x');
        EXPECT_TRUE(f.Is_Change);
        f.Is_Change = false;
        Click(f.CB_MQTT_Clean_Session);
        EXPECT_TRUE(f.Is_Change);
        f.Is_Change = false;
        Click(f.CB_TLS_Enable); // a trigger of another panel
        EXPECT_TRUE(f.Is_Change);
        EXPECT_TRUE(f.E_MQTT_Username->Visible());

        f.E_MQTT_Username->SetVisible(false);
        Click(f.CB_MQTT_WillFlag);
        f.E_MQTT_Username->SetVisible(false);
        f.Is_Change = false;
        Pick(f.CB_MQTT_Will_QoS, 2);
        EXPECT_TRUE(f.Is_Change);
        EXPECT_FALSE(f.E_MQTT_Username->Visible());
        Pick(f.CB_Select_Device_Device, 1);
        EXPECT_TRUE(f.E_MQTT_Username->Visible());
        // The memo raises the change event too; the hidden spare edit none.
        QTest::keyClick(f.E_MQTT_Password->Widget(), 'p');
        EXPECT_TRUE(f.Is_Change);
        f.Is_Change = false;
        f.E_MQTT_Password__->SetText("x");
        EXPECT_FALSE(f.Is_Change);
    });
}

// ---- Design values and texts --------------------------------------------------------------------------

// Every row of the 30 panels: caption and hint indexes (-1: none), the design value (edit text,
// "1"/"0" for a check box, the item index for a list) and a list's items joined by "|".
struct TRowOf {
    const char* name;
    int caption;
    int hint = -1;
    const char* design = nullptr;
    const char* items = nullptr;
};
const TRowOf kRows[] = {
    // CP_Serial
    {"L_Serial_Serial", 450},
    {"CB_Serial_Serial", -1, 451, "0", "RS232|RS485"},
    {"L_Serial_Baudrate", 452},
    {"CB_Serial_Baudrate", -1, 453, "7", "1200|2400|4800|9600|19200|38400|57600|115200"},
    {"L_Serial_Parity", 454},
    {"Cb_Serial_Parity", -1, 455, "0", "NONE|ODD|EVEN"},
    {"L_Serial_StopBits", 456},
    {"CB_Serial_StopBits", -1, 457, "0", "1 Stop Bits|2 Stop Bits"},
    // CP_Modbus_Slave
    {"L_ModbusSlave_Serial", 476},
    {"CB_ModbusSlave_Serial", -1, 477, "0", "RS232|RS485"},
    {"L_ModbusSlave_Baudrate", 478},
    {"CB_ModbusSlave_Baudrate", -1, 479, "7", "1200|2400|4800|9600|19200|38400|57600|115200"},
    {"L_ModbusSlave_Parity", 480},
    {"CB_ModbusSlave_Parity", -1, 481, "0", "NONE|ODD|EVEN"},
    {"L_ModbusSlave_StopBits", 482},
    {"CB_ModbusSlave_StopBits", -1, 483, "0", "1 Stop Bits|2 Stop Bits"},
    {"L_ModbusSlave_IDDevice", 484},
    {"E_ModbusSlave_IDDevice", -1, 485, "1"},
    {"CB_ModbusSlave_ReadInput", 486, 487, "0"},
    // CP_Modbus_TCP_Master
    {"L_ModbusTCPMaster_IP", 491},
    {"E_ModbusTCPMaster_IP1", -1, 492, "192"},
    {"E_ModbusTCPMaster_IP2", -1, 493, "168"},
    {"E_ModbusTCPMaster_IP3", -1, 494, "0"},
    {"E_ModbusTCPMaster_IP4", -1, 495, "5"},
    {"L_ModbusTCPMaster_SM", 496},
    {"E_ModbusTCPMaster_SM1", -1, 497, "192"},
    {"E_ModbusTCPMaster_SM2", -1, 498, "168"},
    {"E_ModbusTCPMaster_SM3", -1, 499, "0"},
    {"E_ModbusTCPMaster_SM4", -1, 500, "5"},
    {"CB_ModbusTCPMaster_En_GAT", 501, 502, "0"},
    {"E_ModbusTCPMaster_GAT1", -1, 503, "192"},
    {"E_ModbusTCPMaster_GAT2", -1, 504, "168"},
    {"E_ModbusTCPMaster_GAT3", -1, 505, "0"},
    {"E_ModbusTCPMaster_GAT4", -1, 506, "5"},
    {"L_ModbusTCPMaster_TimeOut", 507},
    {"E_ModbusTCPMaster_TimeOut", -1, 508, "1000"},
    {"L_ModbusTCPMaster_CyclicDelay", 509},
    {"E_ModbusTCPMaster_CyclicDelay", -1, 510, "100"},
    // CP_Modbus_TCP_Slave
    {"L_ModbusTCPSlave_IP", 418},
    {"E_ModbusTCPSlave_IP1", -1, 419, "192"},
    {"E_ModbusTCPSlave_IP2", -1, 420, "168"},
    {"E_ModbusTCPSlave_IP3", -1, 421, "0"},
    {"E_ModbusTCPSlave_IP4", -1, 422, "5"},
    {"L_ModbusTCPSlave_SM", 423},
    {"E_ModbusTCPSlave_SM1", -1, 424, "192"},
    {"E_ModbusTCPSlave_SM2", -1, 425, "168"},
    {"E_ModbusTCPSlave_SM3", -1, 426, "0"},
    {"E_ModbusTCPSlave_SM4", -1, 427, "5"},
    {"CB_ModbusTCPSlave_En_GAT", 428, 429, "0"},
    {"E_ModbusTCPSlave_GAT1", -1, 430, "192"},
    {"E_ModbusTCPSlave_GAT2", -1, 431, "168"},
    {"E_ModbusTCPSlave_GAT3", -1, 432, "0"},
    {"E_ModbusTCPSlave_GAT4", -1, 433, "5"},
    {"L_ModbusTCPSlave_Port", 434},
    {"E_ModbusTCPSlave_Port", -1, 435, "502"},
    // CP_BACnet_Master
    {"L_BACnet_Master_Type", 526},
    {"CB_BACnet_Master_Type", -1, 527, "0", "BACnet/IP|BACnet MS/TP"},
    {"L_BACnet_IP_Master_IP", 528},
    {"E_BACnet_IP_Master_IP1", -1, 529, "192"},
    {"E_BACnet_IP_Master_IP2", -1, 530, "168"},
    {"E_BACnet_IP_Master_IP3", -1, 531, "0"},
    {"E_BACnet_IP_Master_IP4", -1, 532, "5"},
    {"L_BACnet_IP_Master_SM", 533},
    {"E_BACnet_IP_Master_SM1", -1, 534, "192"},
    {"E_BACnet_IP_Master_SM2", -1, 535, "168"},
    {"E_BACnet_IP_Master_SM3", -1, 536, "0"},
    {"E_BACnet_IP_Master_SM4", -1, 537, "5"},
    {"CB_BACnet_IP_Master_GAT", 538, 539, "0"},
    {"E_BACnet_IP_Master_GAT1", -1, 540, "192"},
    {"E_BACnet_IP_Master_GAT2", -1, 541, "168"},
    {"E_BACnet_IP_Master_GAT3", -1, 542, "0"},
    {"E_BACnet_IP_Master_GAT4", -1, 543, "5"},
    {"L_BACnet_IP_Master_Port", 544},
    {"E_BACnet_IP_Master_Port", -1, 545, "502"},
    {"L_BACnet_IP_Master_Device_Name", 546},
    {"E_BACnet_IP_Master_Device_Name", -1, 547, "devicename1"},
    {"L_BACnet_IP_Master_Device_Identifier", 548},
    {"E_BACnet_IP_Master_Device_Identifier", -1, 549, "502"},
    {"L_BACnet_IP_Master_TimeOut_Polling", 550},
    {"E_BACnet_IP_Master_TimeOut_Polling", -1, 551, "2000"},
    {"L_BACnet_MSTP_Master_Baudrate", 552},
    {"CB_BACnet_MSTP_Master_Baudrate", -1, 553, "5", "9600|19200|38400|57600|76800|115200"},
    {"L_BACnet_MSTP_Master_Parity", 554},
    {"CB_BACnet_MSTP_Master_Parity", -1, 555, "0", "NONE|ODD|EVEN"},
    {"L_BACnet_MSTP_Master_Device_Name", 556},
    {"E_BACnet_MSTP_Master_Device_Name", -1, 557, "devicename1"},
    {"L_BACnet_MSTP_Master_MAC_Address", 558},
    {"E_BACnet_MSTP_Master_MAC_Address", -1, 559, "502"},
    {"L_BACnet_MSTP_Master_Max_Master", 560},
    {"E_BACnet_MSTP_Master_Max_Master", -1, 561, "devicename1"},
    {"L_BACnet_MSTP_Master_Max_Info_Frame", 562},
    {"E_BACnet_MSTP_Master_Max_Info_Frame", -1, 563, "502"},
    {"L_BACnet_MSTP_Master_Device_Instance", 564},
    {"E_BACnet_MSTP_Master_Device_Instance", -1, 565, "devicename1"},
    // CP_BACnet_Slave
    {"L_BACnet_Slave_Type", 588},
    {"CB_BACnet_Slave_Type", -1, 589, "0", "BACnet/IP|BACnet MS/TP"},
    {"L_BACnet_IP_Slave_IP", 590},
    {"E_BACnet_IP_Slave_IP1", -1, 591, "192"},
    {"E_BACnet_IP_Slave_IP2", -1, 592, "168"},
    {"E_BACnet_IP_Slave_IP3", -1, 593, "0"},
    {"E_BACnet_IP_Slave_IP4", -1, 594, "5"},
    {"L_BACnet_IP_Slave_SM", 595},
    {"E_BACnet_IP_Slave_SM1", -1, 596, "192"},
    {"E_BACnet_IP_Slave_SM2", -1, 597, "168"},
    {"E_BACnet_IP_Slave_SM3", -1, 598, "0"},
    {"E_BACnet_IP_Slave_SM4", -1, 599, "5"},
    {"CB_BACnet_IP_Slave_GAT", 600, 601, "0"},
    {"E_BACnet_IP_Slave_GAT1", -1, 602, "192"},
    {"E_BACnet_IP_Slave_GAT2", -1, 603, "168"},
    {"E_BACnet_IP_Slave_GAT3", -1, 604, "0"},
    {"E_BACnet_IP_Slave_GAT4", -1, 605, "5"},
    {"L_BACnet_IP_Slave_Port", 606},
    {"E_BACnet_IP_Slave_Port", -1, 607, "502"},
    {"L_BACnet_IP_Slave_Device_Name", 608},
    {"E_BACnet_IP_Slave_Device_Name", -1, 609, "devicename1"},
    {"L_BACnet_IP_Slave_Device_Identifier", 610},
    {"E_BACnet_IP_Slave_Device_Identifier", -1, 611, "502"},
    {"L_BACnet_MSTP_Slave_Baudrate", 612},
    {"CB_BACnet_MSTP_Slave_Baudrate", -1, 613, "5", "9600|19200|38400|57600|76800|115200"},
    {"L_BACnet_MSTP_Slave_Parity", 614},
    {"CB_BACnet_MSTP_Slave_Parity", -1, 615, "0", "NONE|ODD|EVEN"},
    {"L_BACnet_MSTP_Slave_Device_Name", 616},
    {"E_BACnet_MSTP_Slave_Device_Name", -1, 617, "devicename1"},
    {"L_BACnet_MSTP_Slave_MAC_Address", 618},
    {"E_BACnet_MSTP_Slave_MAC_Address", -1, 619, "502"},
    {"L_BACnet_MSTP_Slave_Max_Master", 620},
    {"E_BACnet_MSTP_Slave_Max_Master", -1, 621, "devicename1"},
    {"L_BACnet_MSTP_Slave_Max_Info_Frame", 622},
    {"E_BACnet_MSTP_Slave_Max_Info_Frame", -1, 623, "502"},
    {"L_BACnet_MSTP_Slave_Device_Instance", 624},
    {"E_BACnet_MSTP_Slave_Device_Instance", -1, 625, "devicename1"},
    {"L_BACnet_MSTP_Slave_Network", 626},
    {"E_BACnet_MSTP_Slave_Network", -1, 627, "502"},
    {"CB_BACnet_Slave_Desc_32_Chars", 628, 629, "0"},
    // CP_CAN
    {"L_CAN_Baudrate", 652},
    {"CB_CAN_Baudrate", -1, 653, "9", "10K|20K|50K|62.5K|100K|125K|250K|500K|800K|1000K"},
    // CP_CANopen
    {"L_CANopen_IDDevice", 655},
    {"E_CANopen_IDDevice", -1, 656, ""},
    {"L_CANopen_Baudrate", 657},
    {"CB_CANopen_Baudrate", -1, 658, "8", "10K|20K|50K|100K|125K|250K|500K|800K|1000K|"},
    {"CB_CANopen_SetOpe", 659, 660, "0"},
    {"CB_CANopen_NetOpe", 661, 662, "0"},
    {"E_CANopen_NetOpe_Delay", -1, 663, ""},
    {"L_CANopen_SDO_Timeout", 664},
    {"E_CANopen_SDO_Timeout", -1, 665, "1"},
    {"CB_CANopen_Enable_Sync", 990, 991, "0"},
    {"E_CANopen_Sync_Time", -1, 992, ""},
    // CP_DeviceNet_Master
    {"L_DeviceNet_Master_IDDevice", 670},
    {"E_DeviceNet_Master_IDDevice", -1, 671, ""},
    {"L_DeviceNet_Master_Baudrate", 672},
    {"CB_DeviceNet_Master_Baudrate", -1, 673, "2", "125K|250K|500K"},
    // CP_DeviceNet_Slave
    {"L_DeviceNet_Slave_IDDevice", 676},
    {"E_DeviceNet_Slave_IDDevice", -1, 677, "0"},
    {"L_DeviceNet_Slave_Baudrate", 678},
    {"CB_DeviceNet_Slave_Baudrate", -1, 679, "2", "125K|250K|500K"},
    {"L_DeviceNet_Slave_NumByteIn", 680},
    {"E_DeviceNet_Slave_NumByteIn", -1, 681, "455"},
    {"L_DeviceNet_Slave_NumByteOut", 682},
    {"E_DeviceNet_Slave_NumByteOut", -1, 683, "455"},
    // CP_DMX
    {"L_DMX_DMX", 688},
    {"CB_DMX_DMX", -1, 689, "1", "IN|OUT"},
    {"L_DMX_ChannelNum", 690},
    {"E_DMX_ChannelNum", -1, 691, "0"},
    // CP_J1939
    {"L_J1939_Baudrate", 848},
    {"CB_J1939_Baudrate", -1, 849, "9", "10K|20K|50K|62.5K|100K|125K|250K|500K|800K|1000K"},
    {"L_J1939_TimeOut", 850},
    {"E_J1939_TimeOut", -1, 851, "0"},
    {"CB_J1939_Enable_Peer_To_Peer", 852, 853, "0"},
    {"L_J1939_ID_Device", 854},
    {"E_J1939_ID_Device", -1, 855, "1"},
    // CP_NMEA2000
    {"L_NMEA2000_Baudrate", 1322},
    {"CB_NMEA2000_Baudrate", -1, 1323, "9", "10K|20K|50K|62.5K|100K|125K|250K|500K|800K|1000K"},
    {"L_NMEA2000_TimeOut", 1324},
    {"E_NMEA2000_TimeOut", -1, 1325, "0"},
    {"CB_NMEA2000_Peer_To_Peer", 1326, 1327, "0"},
    // CP_EtherNetIP
    {"L_EtherNetIP_IP", 739},
    {"E_EtherNetIP_IP1", -1, 740, "192"},
    {"E_EtherNetIP_IP2", -1, 741, "168"},
    {"E_EtherNetIP_IP3", -1, 742, "0"},
    {"E_EtherNetIP_IP4", -1, 743, "5"},
    {"L_EtherNetIP_SM", 744},
    {"E_EtherNetIP_SM1", -1, 745, "192"},
    {"E_EtherNetIP_SM2", -1, 746, "168"},
    {"E_EtherNetIP_SM3", -1, 747, "0"},
    {"E_EtherNetIP_SM4", -1, 748, "5"},
    {"CB_EtherNetIP_GAT", 749, 750, "0"},
    {"E_EtherNetIP_GAT1", -1, 751, "192"},
    {"E_EtherNetIP_GAT2", -1, 752, "168"},
    {"E_EtherNetIP_GAT3", -1, 753, "0"},
    {"E_EtherNetIP_GAT4", -1, 754, "5"},
    {"L_EtherNetIP_TunnelPort", 755},
    {"E_EtherNetIP_TunnelPort", -1, 756, "44818"},
    {"L_EtherNetIP_NByte_In", 757},
    {"E_EtherNetIP_NByte_In", -1, 758, "496"},
    {"L_EtherNetIP_NByte_Out", 759},
    {"E_EtherNetIP_NByte_Out", -1, 760, "496"},
    // CP_EtherNetIP_Master
    {"L_EtherNetIP_Master_IP", 1625},
    {"E_EtherNetIP_Master_IP1", -1, 1626, "192"},
    {"E_EtherNetIP_Master_IP2", -1, 1627, "168"},
    {"E_EtherNetIP_Master_IP3", -1, 1628, "0"},
    {"E_EtherNetIP_Master_IP4", -1, 1629, "5"},
    {"L_EtherNetIP_Master_SM", 1630},
    {"E_EtherNetIP_Master_SM1", -1, 1631, "192"},
    {"E_EtherNetIP_Master_SM2", -1, 1632, "168"},
    {"E_EtherNetIP_Master_SM3", -1, 1633, "0"},
    {"E_EtherNetIP_Master_SM4", -1, 1634, "5"},
    {"CB_EtherNetIP_Master_GAT", 1635, 1636, "0"},
    {"E_EtherNetIP_Master_GAT1", -1, 1637, "192"},
    {"E_EtherNetIP_Master_GAT2", -1, 1638, "168"},
    {"E_EtherNetIP_Master_GAT3", -1, 1639, "0"},
    {"E_EtherNetIP_Master_GAT4", -1, 1640, "5"},
    {"L_EtherNetIP_Master_Port", 1641},
    {"E_EtherNetIP_Master_Port", -1, 1642, "44818"},
    // CP_IEC61850_Client
    {"L_IEC61850_Client_IP", 781},
    {"E_IEC61850_Client_IP1", -1, 782, "192"},
    {"E_IEC61850_Client_IP2", -1, 783, "168"},
    {"E_IEC61850_Client_IP3", -1, 784, "0"},
    {"E_IEC61850_Client_IP4", -1, 785, "5"},
    {"L_IEC61850_Client_SM", 786},
    {"E_IEC61850_Client_SM1", -1, 787, "192"},
    {"E_IEC61850_Client_SM2", -1, 788, "168"},
    {"E_IEC61850_Client_SM3", -1, 789, "0"},
    {"E_IEC61850_Client_SM4", -1, 790, "5"},
    {"CB_IEC61850_Client_En_GAT", 791, 792, "0"},
    {"E_IEC61850_Client_GAT1", -1, 793, "192"},
    {"E_IEC61850_Client_GAT2", -1, 794, "168"},
    {"E_IEC61850_Client_GAT3", -1, 795, "0"},
    {"E_IEC61850_Client_GAT4", -1, 796, "5"},
    {"L_IEC61850_Client_VLAN", 797},
    {"E_IEC61850_Client_VLAN", -1, 798, "0"},
    {"L_IEC61850_Client_AppID", 799},
    {"E_IEC61850_Client_AppID", -1, 800, "0"},
    // CP_IEC61850_Server
    {"L_IEC61850_Server_IP", 818},
    {"E_IEC61850_Server_IP1", -1, 819, "192"},
    {"E_IEC61850_Server_IP2", -1, 820, "168"},
    {"E_IEC61850_Server_IP3", -1, 821, "0"},
    {"E_IEC61850_Server_IP4", -1, 822, "5"},
    {"L_IEC61850_Server_SM", 823},
    {"E_IEC61850_Server_SM1", -1, 824, "192"},
    {"E_IEC61850_Server_SM2", -1, 825, "168"},
    {"E_IEC61850_Server_SM3", -1, 826, "0"},
    {"E_IEC61850_Server_SM4", -1, 827, "5"},
    {"CB_IEC61850_Server_En_GAT", 828, 829, "0"},
    {"E_IEC61850_Server_GAT1", -1, 830, "192"},
    {"E_IEC61850_Server_GAT2", -1, 831, "168"},
    {"E_IEC61850_Server_GAT3", -1, 832, "0"},
    {"E_IEC61850_Server_GAT4", -1, 833, "5"},
    {"L_IEC61850_Server_Port", 814},
    {"E_IEC61850_Server_Port", -1, 815, "102"},
    {"L_IEC61850_Server_Password", 816},
    {"E_IEC61850_Server_Password", -1, 817, ""},
    // CP_TLS_Server
    {"CB_TLS_Server_Enable", 1532, 1533, "0"},
    {"L_TLS_Server_Key", 1534},
    {"E_TLS_Server_Key", -1, 1535, ""},
    {"L_TLS_Server_Key_Pass", 1536},
    {"E_TLS_Server_Key_Pass", -1, 1537, ""},
    {"L_TLS_Server_Server_Cert", 1538},
    {"E_TLS_Server_Server_Cert", -1, 1539, ""},
    {"L_TLS_Server_Root_Cert", 1540},
    {"E_TLS_Server_Root_Cert", -1, 1541, ""},
    {"CB_TLS_Server_En_Known_Cert", 1542, 1543, "0"},
    // CP_OPC_UA_Client
    {"L_OPC_UA_Client_IP", 1330},
    {"E_OPC_UA_Client_IP1", -1, 1331, "192"},
    {"E_OPC_UA_Client_IP2", -1, 1332, "168"},
    {"E_OPC_UA_Client_IP3", -1, 1333, "0"},
    {"E_OPC_UA_Client_IP4", -1, 1334, "5"},
    {"L_OPC_UA_Client_SM", 1335},
    {"E_OPC_UA_Client_SM1", -1, 1336, "192"},
    {"E_OPC_UA_Client_SM2", -1, 1337, "168"},
    {"E_OPC_UA_Client_SM3", -1, 1338, "0"},
    {"E_OPC_UA_Client_SM4", -1, 1339, "5"},
    {"CB_OPC_UA_Client_En_GAT", 1340, 1341, "0"},
    {"E_OPC_UA_Client_GAT1", -1, 1342, "192"},
    {"E_OPC_UA_Client_GAT2", -1, 1343, "168"},
    {"E_OPC_UA_Client_GAT3", -1, 1344, "0"},
    {"E_OPC_UA_Client_GAT4", -1, 1345, "5"},
    // CP_OPC_UA_Server
    {"L_OPC_UA_Server_IP", 1369},
    {"E_OPC_UA_Server_IP1", -1, 1370, "192"},
    {"E_OPC_UA_Server_IP2", -1, 1371, "168"},
    {"E_OPC_UA_Server_IP3", -1, 1372, "0"},
    {"E_OPC_UA_Server_IP4", -1, 1373, "5"},
    {"L_OPC_UA_Server_SM", 1374},
    {"E_OPC_UA_Server_SM1", -1, 1375, "192"},
    {"E_OPC_UA_Server_SM2", -1, 1376, "168"},
    {"E_OPC_UA_Server_SM3", -1, 1377, "0"},
    {"E_OPC_UA_Server_SM4", -1, 1378, "5"},
    {"CB_OPC_UA_Server_En_GAT", 1379, 1380, "0"},
    {"E_OPC_UA_Server_GAT1", -1, 1381, "192"},
    {"E_OPC_UA_Server_GAT2", -1, 1382, "168"},
    {"E_OPC_UA_Server_GAT3", -1, 1383, "0"},
    {"E_OPC_UA_Server_GAT4", -1, 1384, "5"},
    {"L_OPC_UA_Server_Port", 1391},
    {"E_OPC_UA_Server_Port", -1, 1392, "4840"},
    // CP_PROFINET
    {"L_PROFINET_IP", 1407},
    {"E_PROFINET_IP1", -1, 1408, "192"},
    {"E_PROFINET_IP2", -1, 1409, "168"},
    {"E_PROFINET_IP3", -1, 1410, "0"},
    {"E_PROFINET_IP4", -1, 1411, "5"},
    {"L_PROFINET_SM", 1412},
    {"E_PROFINET_SM1", -1, 1413, "192"},
    {"E_PROFINET_SM2", -1, 1414, "168"},
    {"E_PROFINET_SM3", -1, 1415, "0"},
    {"E_PROFINET_SM4", -1, 1416, "5"},
    {"CB_PROFINET_GAT", 1417, 1418, "0"},
    {"E_PROFINET_GAT1", -1, 1419, "192"},
    {"E_PROFINET_GAT2", -1, 1420, "168"},
    {"E_PROFINET_GAT3", -1, 1421, "0"},
    {"E_PROFINET_GAT4", -1, 1422, "5"},
    {"L_PROFINET_TunnelPort", 1423},
    {"E_PROFINET_TunnelPort", -1, 1424, "502"},
    {"L_PROFINET_NameStation", 1425},
    {"E_PROFINET_NameStation", -1, 1426, "devicename1"},
    {"L_PROFINET_NByte_In", 1427},
    {"E_PROFINET_NByte_In", -1, 1428, "1438"},
    {"L_PROFINET_NByte_Out", 1429},
    {"E_PROFINET_NByte_Out", -1, 1430, "1438"},
    {"CB_PROFINET_Diagnostic", 1431, 1432, "0"},
    {"E_PROFINET_Diagnostic", -1, 1433, "0"},
    {"CB_PROFINET_Disable_Reset", 1686, 1687, "0"},
    // CP_SNMP_Manager
    {"L_SNMP_Manager_IP", 1451},
    {"E_SNMP_Manager_IP1", -1, 1452, "192"},
    {"E_SNMP_Manager_IP2", -1, 1453, "168"},
    {"E_SNMP_Manager_IP3", -1, 1454, "0"},
    {"E_SNMP_Manager_IP4", -1, 1455, "5"},
    {"L_SNMP_Manager_SM", 1456},
    {"E_SNMP_Manager_SM1", -1, 1457, "192"},
    {"E_SNMP_Manager_SM2", -1, 1458, "168"},
    {"E_SNMP_Manager_SM3", -1, 1459, "0"},
    {"E_SNMP_Manager_SM4", -1, 1460, "5"},
    {"CB_SNMP_Manager_GAT", 1461, 1462, "0"},
    {"E_SNMP_Manager_GAT1", -1, 1463, "192"},
    {"E_SNMP_Manager_GAT2", -1, 1464, "168"},
    {"E_SNMP_Manager_GAT3", -1, 1465, "0"},
    {"E_SNMP_Manager_GAT4", -1, 1466, "5"},
    {"L_SNMP_Manager_NameStation", 1467},
    {"E_SNMP_Manager_NameStation", -1, -1, "devicename1"},
    // CP_SNMP_Agent
    {"L_SNMP_Agent_IP", 1481},
    {"E_SNMP_Agent_IP1", -1, 1482, "192"},
    {"E_SNMP_Agent_IP2", -1, 1483, "168"},
    {"E_SNMP_Agent_IP3", -1, 1484, "0"},
    {"E_SNMP_Agent_IP4", -1, 1485, "5"},
    {"L_SNMP_Agent_SM", 1486},
    {"E_SNMP_Agent_SM1", -1, 1487, "192"},
    {"E_SNMP_Agent_SM2", -1, 1488, "168"},
    {"E_SNMP_Agent_SM3", -1, 1489, "0"},
    {"E_SNMP_Agent_SM4", -1, 1490, "5"},
    {"CB_SNMP_Agent_GAT", 1491, 1492, "0"},
    {"E_SNMP_Agent_GAT1", -1, 1493, "192"},
    {"E_SNMP_Agent_GAT2", -1, 1494, "168"},
    {"E_SNMP_Agent_GAT3", -1, 1495, "0"},
    {"E_SNMP_Agent_GAT4", -1, 1496, "5"},
    {"L_SNMP_Agent_NameStation", 1497},
    {"E_SNMP_Agent_NameStation", -1, 1498, "devicename1"},
    {"L_SNMP_Agent_Contact", 1499},
    {"E_SNMP_Agent_Contact", -1, 1500, ""},
    {"L_SNMP_Agent_Location", 1501},
    {"E_SNMP_Agent_Location", -1, 1502, ""},
    {"L_SNMP_Agent_Version", 1503},
    {"CB_SNMP_Agent_Version1", -1, 1504, "0"},
    {"CB_SNMP_Agent_Version2", -1, 1505, "0"},
    {"CB_SNMP_Agent_Version3", -1, 1506, "0"},
    {"L_SNMP_Agent_User", 1507},
    {"E_SNMP_Agent_User", -1, 1508, ""},
    {"L_SNMP_Agent_SecurityLevel", 1509},
    {"CB_SNMP_Agent_SecurityLevel", -1, 1510, "0",
     "NoAuthority NoPrivacy|Authority NoPrivacy|Authority Privacy"},
    {"L_SNMP_Agent_Authority", 1511},
    {"E_SNMP_Agent_Authority", -1, 1512, ""},
    {"L_SNMP_Agent_AuthorityMode", 1513},
    {"CB_SNMP_Agent_AuthorityMode", -1, 1514, "0", "MD5|SHA"},
    {"L_SNMP_Agent_Privacy", 1515},
    {"E_SNMP_Agent_Privacy", -1, 1516, ""},
    {"L_SNMP_Agent_PrivacyMode", 1517},
    {"CB_SNMP_Agent_PrivacyMode", -1, 1518, "0", "DES|AES"},
    // CP_S7_Protocol
    {"L_S7_Protocol_IP", 1656},
    {"E_S7_Protocol_IP1", -1, 1657, "192"},
    {"E_S7_Protocol_IP2", -1, 1658, "168"},
    {"E_S7_Protocol_IP3", -1, 1659, "0"},
    {"E_S7_Protocol_IP4", -1, 1660, "5"},
    {"L_S7_Protocol_SM", 1661},
    {"E_S7_Protocol_SM1", -1, 1662, "192"},
    {"E_S7_Protocol_SM2", -1, 1663, "168"},
    {"E_S7_Protocol_SM3", -1, 1664, "0"},
    {"E_S7_Protocol_SM4", -1, 1665, "5"},
    {"CB_S7_Protocol_En_GAT", 1666, 1667, "0"},
    {"E_S7_Protocol_GAT1", -1, 1668, "192"},
    {"E_S7_Protocol_GAT2", -1, 1669, "168"},
    {"E_S7_Protocol_GAT3", -1, 1670, "0"},
    {"E_S7_Protocol_GAT4", -1, 1671, "5"},
    // CP_Select_Device
    {"L_Select_Device_Device", 1611},
    {"CB_Select_Device_Device", -1, 1612, "0",
     "Only Ethernet Cable |Ethernet Cable + Wi-Fi|Ethernet Cable + Mobile Connection"},
    // CP_MQTT
    {"L_MQTT_Server", 859},
    {"E_MQTT_Server", -1, 860, ""},
    {"L_MQTT_Server_Port", 861},
    {"E_MQTT_Server_Port", -1, 862, "1883"},
    {"L_MQTT_Client_ID", 863},
    {"E_MQTT_Client_ID", -1, 864, ""},
    {"E_MQTT_Password__", -1, -1, ""},
    {"L_MQTT_Keep_Alive", 865},
    {"E_MQTT_Keep_Alive", -1, 866, ""},
    {"CB_MQTT_Clean_Session", 867, 868, "0"},
    {"CB_MQTT_WillFlag", 869, 870, "0"},
    {"L_MQTT_Will_TopicName", 871},
    {"E_MQTT_Will_TopicName", -1, 872, ""},
    {"L_MQTT_Will_Message", 873},
    {"E_MQTT_Will_Message", -1, 874, ""},
    {"CB_MQTT_Will_Retained", 875, 876, "0"},
    {"L_MQTT_Will_QoS", 877},
    {"CB_MQTT_Will_QoS", -1, 878, "0", "0|1|2"},
    {"CB_MQTT_PublishTopicConnection", 1571, 1572, "0"},
    {"L_MQTT_Connection_TopicName", 1573},
    {"E_MQTT_Connection_TopicName", -1, 1574, ""},
    {"L_MQTT_Connection_Message", 1575},
    {"E_MQTT_Connection_Message", -1, 1576, ""},
    {"CB_MQTT_Connection_Retained", 1577, 1578, "0"},
    {"L_MQTT_Username", 879},
    {"E_MQTT_Username", -1, 880, ""},
    {"L_MQTT_Password", 881},
    {"E_MQTT_Password", -1, 882, ""},
    {"L_MQTT_ASync_Send_Time", 883},
    {"E_MQTT_ASync_Send_Time", -1, 884, ""},
    {"L_MQTT_TopicDALIAns", 1579},
    {"E_MQTT_TopicDALIAns", -1, 1580, ""},
    {"CB_MQTT_Enable_ReProgram", 1581, 1582, "0"},
    {"L_MQTT_Reprogram_Topic", 1583},
    {"E_MQTT_Reprogram_Topic", -1, 1584, ""},
    {"L_MQTT_Reproram_Value", 1585},
    {"E_MQTT_Reproram_Value", -1, 1586, ""},
    // CP_TLS
    {"CB_TLS_Enable", 1301, 1302, "0"},
    {"CB_TLS_En_Server_Auth", 1303, 1304, "0"},
    {"L_TLS_Server_Cert", 1305},
    {"E_TLS_Server_Cert", -1, 1306, ""},
    {"CB_TLS_En_Client_Auth", 1307, 1308, "0"},
    {"L_TLS_Client_Cert", 1309},
    {"E_TLS_Client_Cert", -1, 1310, ""},
    {"L_TLS_Client_Cert_Key", 1311},
    {"E_TLS_Client_Cert_Key", -1, 1312, ""},
    {"L_TLS_Client_Cert_Key_Pass", 1313},
    {"E_TLS_Client_Cert_Key_Pass", -1, 1314, ""},
    // CP_NTP
    {"L_NTP_Server_URL", 1316},
    {"E_NTP_Server_URL", -1, 1317, ""},
    {"L_NTP_Poll_Time", 1318},
    {"E_NTP_Poll_Time", -1, 1319, ""},
    // CP_WiFi2
    {"L_WiFi2_Type", 886},
    {"CB_WiFi2_Type", -1, 887, "0", "Access Point|Station"},
    {"L_WiFi2_IP1", 890},
    {"L_WiFi2_IP1_IP", 891},
    {"E_WiFi2_IP1_IP1", -1, 892, "192"},
    {"E_WiFi2_IP1_IP2", -1, 893, "168"},
    {"E_WiFi2_IP1_IP3", -1, 894, "0"},
    {"E_WiFi2_IP1_IP4", -1, 895, "5"},
    {"L_WiFi2_IP1_SM", 896},
    {"E_WiFi2_IP1_SM1", -1, 897, "192"},
    {"E_WiFi2_IP1_SM2", -1, 898, "168"},
    {"E_WiFi2_IP1_SM3", -1, 899, "0"},
    {"E_WiFi2_IP1_SM4", -1, 900, "5"},
    {"CB_WiFi2_IP1_En_GAT", 901, 902, "0"},
    {"E_WiFi2_IP1_GAT1", -1, 903, "192"},
    {"E_WiFi2_IP1_GAT2", -1, 904, "168"},
    {"E_WiFi2_IP1_GAT3", -1, 905, "0"},
    {"E_WiFi2_IP1_GAT4", -1, 906, "5"},
    {"L_WiFi2_IP2", 907},
    {"L_WiFi2_IP2_IP", 908},
    {"E_WiFi2_IP2_IP1", -1, 909, "192"},
    {"E_WiFi2_IP2_IP2", -1, 910, "168"},
    {"E_WiFi2_IP2_IP3", -1, 911, "0"},
    {"E_WiFi2_IP2_IP4", -1, 912, "5"},
    {"L_WiFi2_IP2_SM", 913},
    {"E_WiFi2_IP2_SM1", -1, 914, "192"},
    {"E_WiFi2_IP2_SM2", -1, 915, "168"},
    {"E_WiFi2_IP2_SM3", -1, 916, "0"},
    {"E_WiFi2_IP2_SM4", -1, 917, "5"},
    {"CB_WiFi2_IP2_En_GAT", 918, 919, "0"},
    {"E_WiFi2_IP2_GAT1", -1, 920, "192"},
    {"E_WiFi2_IP2_GAT2", -1, 921, "168"},
    {"E_WiFi2_IP2_GAT3", -1, 922, "0"},
    {"E_WiFi2_IP2_GAT4", -1, 923, "5"},
    {"L_WiFi2_SSID", 924},
    {"E_WiFi2_SSID", -1, 925, ""},
    {"L_WiFi2_Password", 926},
    {"E_WiFi2_Password", -1, 927, ""},
    {"L_WiFi2_Secure_Type", 928},
    {"CB_WiFi2_Secure_Type", -1, 929, "0", "Unsecured|WPA|WPA2|WEP"},
    {"CB_WiFi2_En_DHCP", 934, 935, "0"},
    {"L_WiFi2_DHCP_First_IP", 936},
    {"E_WiFi2_DHCP_First_IP1", -1, 937, "192"},
    {"E_WiFi2_DHCP_First_IP2", -1, 938, "168"},
    {"E_WiFi2_DHCP_First_IP3", -1, 939, "0"},
    {"E_WiFi2_DHCP_First_IP4", -1, 940, "5"},
    {"L_WiFi2_DHCP_SM", 941},
    {"E_WiFi2_DHCP_SM1", -1, 942, "192"},
    {"E_WiFi2_DHCP_SM2", -1, 943, "168"},
    {"E_WiFi2_DHCP_SM3", -1, 944, "0"},
    {"E_WiFi2_DHCP_SM4", -1, 945, "5"},
    {"L_WiFi2_Lease_Time", 946},
    {"E_WiFi2_Lease_Time", -1, 947, ""},
    {"L_WiFi2_Max_Client", 948},
    {"CB_WiFi2_Max_Client", -1, 949, "9", "1|2|3|4|5|6|7|8|9|10"},
    {"L_WiFi2_Channel", 950},
    {"CB_WiFi2_Channel", -1, 951, "0", "Auto Search|1|2|3|4|5|6|7|8|9|10|11"},
    // CP_GSM_GPRS
    {"L_GSM_GPRS_PIN", 1614},
    {"E_GSM_GPRS_PIN", -1, 1615, "0"},
    {"L_GSM_GPRS_APN", 1616},
    {"E_GSM_GPRS_APN", -1, 1617, "0"},
    {"L_GSM_GPRS_AuthType", 1618},
    {"CB_GSM_GPRS_AuthType", -1, 1619, "0", "None|PAP|CHAP|PAP or CHAP"},
    {"L_GSM_GPRS_UserName", 1620},
    {"E_GSM_GPRS_UserName", -1, 1621, ""},
    {"L_GSM_GPRS_Password", 1622},
    {"E_GSM_GPRS_Password", -1, 1623, ""},
};

QStringList Items(const TComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->Items->Count(); ++i)
        out << combo->Items->Strings(i);
    return out;
}

TEST_F(ParGenPanels, EveryControlHasItsDesignValue)
{
    Build("GW117");
    for (const TRowOf& r : kRows) {
        if (!r.design)
            continue;
        TControl* c = Named(*form, r.name);
        ASSERT_NE(c, nullptr) << r.name;
        if (auto* edit = dynamic_cast<TEdit*>(c)) {
            EXPECT_EQ(edit->Text(), r.design) << r.name;
        } else if (auto* memo = dynamic_cast<TMemo*>(c)) {
            EXPECT_EQ(memo->Text(), r.design) << r.name;
        } else if (auto* box = dynamic_cast<TCheckBox*>(c)) {
            EXPECT_EQ(box->Checked(), QString(r.design) == "1") << r.name;
        } else if (auto* combo = dynamic_cast<TComboBox*>(c)) {
            EXPECT_EQ(combo->ItemIndex(), QString(r.design).toInt()) << r.name;
            EXPECT_EQ(Items(combo).join('|'), r.items) << r.name;
        } else {
            ADD_FAILURE() << r.name << " is of no expected kind";
        }
    }
    // The odd rows, as designed.
    EXPECT_FALSE(form->E_EtherNetIP_TunnelPort->Enabled());
    EXPECT_FALSE(form->E_EtherNetIP_Master_Port->Enabled());
    EXPECT_FALSE(form->E_MQTT_Password__->Visible());
    EXPECT_EQ(form->CB_CANopen_Baudrate->Items->Strings(9), "");
    EXPECT_EQ(form->E_BACnet_MSTP_Master_Max_Master->Text(), "devicename1");
    EXPECT_EQ(form->E_GSM_GPRS_PIN->MaxLength(), 8);
    EXPECT_TRUE(form->E_GSM_GPRS_PIN->NumbersOnly);
    EXPECT_TRUE(form->E_IEC61850_Client_VLAN->NumbersOnly);
    EXPECT_EQ(form->E_SNMP_Agent_User->MaxLength(), 19);
    EXPECT_EQ(form->E_GSM_GPRS_UserName->MaxLength(), 32);
    EXPECT_EQ(form->E_BACnet_IP_Slave_Device_Name->MaxLength(), 15);
    EXPECT_FALSE(form->E_ModbusTCPSlave_Port->NumbersOnly);
    EXPECT_FALSE(form->Is_Change);
}

void SetMarkers(const QString& mark)
{
    for (int n = 0; n < Lang_Table_Capacity; ++n)
        Set_Lang_Text(n, mark + QString::number(n));
}

void ExpectRowTexts(const TFParGen& f, const QString& mark)
{
    for (const TRowOf& r : kRows) {
        const TControl* c = Named(f, r.name);
        ASSERT_NE(c, nullptr) << r.name;
        if (r.caption >= 0) {
            EXPECT_EQ(c->Caption(), mark + QString::number(r.caption)) << r.name;
        }
        EXPECT_EQ(c->Hint(), r.hint >= 0 ? mark + QString::number(r.hint) : QString()) << r.name;
    }
    for (const char* box : {"CB_SNMP_Agent_Version1", "CB_SNMP_Agent_Version2", "CB_SNMP_Agent_Version3"})
        EXPECT_EQ(Named(f, box)->Caption(), QString(box).right(1));
}

TEST_F(ParGenPanels, CaptionsHintsAndTheWiFiListsFollowTheLanguage)
{
    SetMarkers("#");
    Build("GW117");
    ExpectRowTexts(*form, "#");
    EXPECT_EQ(Items(form->CB_WiFi2_Type), (QStringList{"#888", "#889"}));
    EXPECT_EQ(Items(form->CB_WiFi2_Secure_Type), (QStringList{"#930", "#931", "#932", "#933"}));
    EXPECT_EQ(Items(form->CB_WiFi2_Channel).size(), 12);
    EXPECT_EQ(Items(form->CB_WiFi2_Channel).last(), "#963");
    const QStringList titles = [&] {
        QStringList out;
        for (TCategoryPanel* p : ShownPanels(*form))
            out << p->Caption();
        return out;
    }();
    EXPECT_EQ(titles.at(7), "8. #885");

    // A user's choices and values; the switch keeps the values and the fixed lists, and starts the
    // three translated lists over.
    form->E_MQTT_Server->SetText("broker");
    form->CB_WiFi2_Type->SetItemIndex(1);
    form->CB_WiFi2_Secure_Type->SetItemIndex(2);
    form->CB_WiFi2_Channel->SetItemIndex(11);
    form->CB_WiFi2_Max_Client->SetItemIndex(3);
    form->CB_SNMP_Agent_SecurityLevel->SetItemIndex(2);
    form->CB_TLS_Enable->SetChecked(true);
    SetMarkers("@");
    form->Set_Lang();
    ExpectRowTexts(*form, "@");
    EXPECT_EQ(Items(form->CB_WiFi2_Type), (QStringList{"@888", "@889"}));
    EXPECT_EQ(Items(form->CB_WiFi2_Secure_Type).first(), "@930");
    EXPECT_EQ(Items(form->CB_WiFi2_Channel).first(), "@952");
    for (const TComboBox* c : {form->CB_WiFi2_Type, form->CB_WiFi2_Secure_Type, form->CB_WiFi2_Channel})
        EXPECT_EQ(c->ItemIndex(), 0) << c->Name().toStdString();
    EXPECT_EQ(form->CB_WiFi2_Max_Client->ItemIndex(), 3);
    EXPECT_EQ(Items(form->CB_SNMP_Agent_SecurityLevel).first(), "NoAuthority NoPrivacy");
    EXPECT_EQ(form->CB_SNMP_Agent_SecurityLevel->ItemIndex(), 2);
    EXPECT_EQ(form->E_MQTT_Server->Text(), "broker");
    EXPECT_TRUE(form->CB_TLS_Enable->Checked());
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_EQ(ShownPanels(*form)[i]->Caption(), titles[i]);
}

TEST_F(ParGenPanels, EnglishListsAndTheBlankHintOfTheWiFiType)
{
    Build("GW117");
    EXPECT_EQ(Items(form->CB_WiFi2_Type), (QStringList{"Access Point", "Station"}));
    EXPECT_EQ(Items(form->CB_WiFi2_Secure_Type), (QStringList{"Unsecured", "WPA", "WPA2", "WEP"}));
    EXPECT_EQ(Items(form->CB_WiFi2_Channel).first(), "Auto Search");
    EXPECT_EQ(form->CB_WiFi2_Type->Hint(), Lang_Text(887));
    EXPECT_EQ(form->E_SNMP_Manager_NameStation->Hint(), "");
    EXPECT_EQ(Named(*form, "L_WiFi2_IP1")->Caption(), "IP Address 1");
    EXPECT_EQ(form->CB_SNMP_Agent_Version3->Caption(), "3");
}

} // namespace
