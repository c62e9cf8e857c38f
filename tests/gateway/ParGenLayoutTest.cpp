// The panels of the communication-parameters dialog: which show, their order, titles and heights,
// the enabling rules, the "." key of the octets, the width kept on resize, the wheel, the texts.
#include "ParGenTest.h"

#include "platform/graphics/ImgList.h"

#include <QWheelEvent>

using namespace pargen_test;

namespace
{

std::vector<TCategoryPanel*> VisiblePanels(const TFParGen& f)
{
    std::vector<TCategoryPanel*> out;
    for (int i = 0; i < f.CPG->PanelCount(); ++i)
        if (f.CPG->Panels(i)->Visible())
            out.push_back(f.CPG->Panels(i));
    return out;
}

std::vector<TControl*> TwelveOctetsAndGateway(const TFParGen& f)
{
    return {f.E_Ethernet_IP1,  f.E_Ethernet_IP2,  f.E_Ethernet_IP3,    f.E_Ethernet_IP4,  f.E_Ethernet_SM1,
            f.E_Ethernet_SM2,  f.E_Ethernet_SM3,  f.E_Ethernet_SM4,    f.E_Ethernet_GAT1, f.E_Ethernet_GAT2,
            f.E_Ethernet_GAT3, f.E_Ethernet_GAT4, f.CB_Ethernet_En_GAT};
}

// The enabled state of every control of the panels.
std::vector<bool> EnabledStates(const TFParGen& f)
{
    std::vector<bool> out;
    for (TCategoryPanel* p : VisiblePanels(f))
        for (int i = 0; i < p->ControlCount(); ++i)
            out.push_back(p->Controls(i)->Enabled());
    return out;
}

TEST_F(ParGen, FourPanelsStackedNumberedAndSizedToTheirLastControl)
{
    struct Expected {
        TCategoryPanel* panel;
        const char* title;
        TControl* deciding;
    };
    const Expected expected[] = {
        {form->CP_Ethernet_Connection, "1. Ethernet Connection", form->E_EthConn_Sec_DNS_IP4},
        {form->CP_EtherCAT_Slave, "2. EtherCAT Slave", form->CB_EtherCAT_Slave_Clear_Data},
        {form->CP_Modbus_Master, "3. Modbus Master", form->E_ModbusMaster_CyclicDelay},
        {form->CP_Ethernet, "4. Ethernet", form->E_Ethernet_GAT4},
    };
    Show([&] {
        const std::vector<TCategoryPanel*> shown = VisiblePanels(*form);
        ASSERT_EQ(shown.size(), 4u);
        int top = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            SCOPED_TRACE(expected[i].title);
            TCategoryPanel* p = shown[i];
            EXPECT_EQ(p, expected[i].panel);
            EXPECT_EQ(p->Caption(), expected[i].title);
            EXPECT_EQ(p->TabOrder(), int(i));
            EXPECT_EQ(p->Top(), top);
            EXPECT_EQ(p->Height(), expected[i].deciding->Top() + expected[i].deciding->Height() + 12 +
                                       form->CPG->HeaderHeight());
            // Nothing of the panel lies below its deciding control.
            for (int k = 0; k < p->ControlCount(); ++k) {
                if (p->Controls(k)->Visible()) {
                    EXPECT_LE(p->Controls(k)->BoundsRect().Bottom, expected[i].deciding->BoundsRect().Bottom)
                        << p->Controls(k)->Name().toStdString();
                }
            }
            EXPECT_FALSE(p->Collapsed());
            top += p->Height();
        }
        EXPECT_FALSE(form->E_Ethernet_TCP_Port->Visible());
        EXPECT_FALSE(form->E_Ethernet_UDP_Port->Visible());
        // Rows are 28 apart, fields 3 above their label, the gateway box at the label's place.
        EXPECT_EQ(form->E_Ethernet_SM1->Top() - form->E_Ethernet_IP1->Top(), 28);
        EXPECT_EQ(form->E_Ethernet_GAT1->Top() - form->E_Ethernet_SM1->Top(), 28);
        EXPECT_EQ(form->CB_Ethernet_En_GAT->Top(), form->E_Ethernet_GAT1->Top() + 3);
        EXPECT_EQ(form->CB_Ethernet_En_GAT->Left(), 16);
        EXPECT_EQ(form->E_ModbusMaster_TimeOut->Left(), form->CB_ModbusMaster_Serial->Left());
        EXPECT_EQ(form->E_EthConn_Device_Name->Left(), form->E_EthConn_Pri_DNS_IP1->Left());
    });
}

TEST_F(ParGen, DHCPForCableDisablesTheEthernetOctetsAndTheGatewayBox)
{
    Show([&] {
        const std::vector<TControl*> ruled = TwelveOctetsAndGateway(*form);
        const QString ipBefore = form->E_Ethernet_IP4->Text();
        for (bool checked : {true, false, true, false}) {
            Click(form->CB_EthConn_En_DHCP_Cable);
            ASSERT_EQ(form->CB_EthConn_En_DHCP_Cable->Checked(), checked);
            for (TControl* c : ruled)
                EXPECT_EQ(c->Enabled(), !checked) << c->Name().toStdString();
            EXPECT_FALSE(form->CB_EthConn_En_DHCP_WiFi->Enabled());
        }
        EXPECT_EQ(form->E_Ethernet_IP4->Text(), ipBefore);
        EXPECT_FALSE(form->CB_Ethernet_En_GAT->Checked());

        // The Wi-Fi box is disabled again by every re-layout, whatever enabled it.
        form->CB_EthConn_En_DHCP_WiFi->SetEnabled(true);
        Click(form->CB_EthConn_En_DHCP_Cable);
        EXPECT_FALSE(form->CB_EthConn_En_DHCP_WiFi->Enabled());
        Click(form->CB_EthConn_En_DHCP_Cable);

        // DNS and Gateway enable nothing.
        const std::vector<bool> before = EnabledStates(*form);
        form->Is_Change = false;
        Click(form->CB_EthConn_Enable_DNS);
        Click(form->CB_Ethernet_En_GAT);
        EXPECT_TRUE(form->CB_EthConn_Enable_DNS->Checked());
        EXPECT_TRUE(form->CB_Ethernet_En_GAT->Checked());
        EXPECT_EQ(EnabledStates(*form), before);
        EXPECT_TRUE(form->Is_Change);
    });
}

TEST_F(ParGen, ALoadedDHCPSettingDisablesTheOctetsAtShow)
{
    WriteParGen({{"Eth_Conn_DHCP_Cable", "1"}});
    Show([&] {
        for (TControl* c : TwelveOctetsAndGateway(*form))
            EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
        EXPECT_FALSE(form->Is_Change);
    });
}

// Types into whatever has the focus, as the keyboard does.
void TypeToFocus(const QString& text)
{
    for (QChar ch : text) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, ch.toLatin1());
    }
}

TEST_F(ParGen, ADotInAnOctetMovesAlongTheChainAndIsNeverTyped)
{
    Show([&] {
        QApplication::setActiveWindow(form->Widget());
        for (TEdit* e :
             {form->E_Ethernet_IP1, form->E_Ethernet_IP2, form->E_Ethernet_IP3, form->E_Ethernet_IP4})
            e->SetText("");
        form->E_Ethernet_IP1->SetFocus();
        TypeToFocus("192.168.0.9");
        EXPECT_EQ(form->E_Ethernet_IP1->Text(), "192");
        EXPECT_EQ(form->E_Ethernet_IP2->Text(), "168");
        EXPECT_EQ(form->E_Ethernet_IP3->Text(), "0");
        EXPECT_EQ(form->E_Ethernet_IP4->Text(), "9");
        TypeToFocus(".");
        EXPECT_TRUE(form->E_Ethernet_SM1->Focused());
        EXPECT_EQ(form->E_Ethernet_IP4->Text(), "9");

        // The primary DNS chain goes on into the secondary one.
        form->E_EthConn_Pri_DNS_IP4->SetFocus();
        TypeToFocus(".");
        EXPECT_TRUE(form->E_EthConn_Sec_DNS_IP1->Focused());

        // The last edit of a chain keeps the focus and swallows the dot.
        for (TEdit* last : {form->E_Ethernet_GAT4, form->E_EthConn_Sec_DNS_IP4}) {
            last->SetFocus();
            const QString before = last->Text();
            TypeToFocus(".");
            EXPECT_TRUE(last->Focused()) << last->Name().toStdString();
            EXPECT_EQ(last->Text(), before);
        }

        // A disabled next octet does not take the focus; the dot is still swallowed.
        Click(form->CB_EthConn_En_DHCP_Cable);
        form->E_EthConn_Sec_DNS_IP2->SetFocus();
        TypeToFocus("7.");
        EXPECT_TRUE(form->E_EthConn_Sec_DNS_IP3->Focused());
        form->E_Ethernet_IP4->SetEnabled(true);
        form->E_Ethernet_IP4->SetFocus();
        TypeToFocus(".");
        EXPECT_TRUE(form->E_Ethernet_IP4->Focused());
        EXPECT_EQ(form->E_Ethernet_IP4->Text(), "9");
    });
}

// One wheel notch (negative: towards the user) delivered to `control` at the middle of `area`, as
// the window system does; true when something took it.
bool WheelAt(TControl* control, TControl* area, int delta)
{
    static quint64 time = 0; // every notch is a new event
    const QPoint global = area->Widget()->mapToGlobal(QPoint(area->Width() / 2, area->Height() / 2));
    const QPoint local = control->Widget()->mapFromGlobal(global);
    QWheelEvent wheel(local, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    wheel.setTimestamp(++time);
    wheel.setAccepted(false);
    QApplication::sendEvent(control->Widget(), &wheel);
    return wheel.isAccepted();
}

TEST_F(ParGen, ResizeKeepsTheWidthAndTheWheelScrollsByTheSystemLines)
{
    const int savedLines = QApplication::wheelScrollLines();
    Show([&] {
        form->SetWidth(form->Width() + 140);
        EXPECT_EQ(form->ClientWidth(), 460);
        form->SetWidth(form->Width() - 200);
        EXPECT_EQ(form->ClientWidth(), 460);
        form->SetHeight(400);
        formtest::Pump();
        EXPECT_EQ(form->ClientWidth(), 460);

        TControl* over = form->CP_Ethernet_Connection;
        const int step = form->CPG->Increment;
        form->CPG->SetScrollPos(TPoint(0, 0));

        QApplication::setWheelScrollLines(5);
        EXPECT_TRUE(WheelAt(over, form->CPG, -120));
        EXPECT_EQ(form->CPG->ScrollPos().Y, 5 * step);
        EXPECT_TRUE(WheelAt(over, form->CPG, 120));
        EXPECT_EQ(form->CPG->ScrollPos().Y, 0);

        // Over the buttons the form leaves the wheel alone. (Qt takes a setting below 1 for its
        // default, so a zero setting cannot be produced here.)
        EXPECT_FALSE(WheelAt(form->P_Button, form->P_Button, -120));
        EXPECT_EQ(form->CPG->ScrollPos().Y, 0);
    });
    QApplication::setWheelScrollLines(savedLines);
}

// Every text the dialog takes from the table, by control name: caption and hint indexes (-1: none).
struct TTextOf {
    const char* name;
    int caption;
    int hint;
};
const TTextOf kTexts[] = {
    {"L_EthConn_Device_Name", 1545, -1},
    {"E_EthConn_Device_Name", -1, 1546},
    {"CB_EthConn_En_DHCP_Cable", 1547, 1548},
    {"CB_EthConn_En_DHCP_WiFi", 1549, 1550},
    {"CB_EthConn_Enable_DNS", 1551, 1552},
    {"L_EthConn_Pri_DNS", 1553, -1},
    {"E_EthConn_Pri_DNS_IP1", -1, 1554},
    {"E_EthConn_Pri_DNS_IP2", -1, 1555},
    {"E_EthConn_Pri_DNS_IP3", -1, 1556},
    {"E_EthConn_Pri_DNS_IP4", -1, 1557},
    {"L_EthConn_Sec_DNS", 1558, -1},
    {"E_EthConn_Sec_DNS_IP1", -1, 1559},
    {"E_EthConn_Sec_DNS_IP2", -1, 1560},
    {"E_EthConn_Sec_DNS_IP3", -1, 1561},
    {"E_EthConn_Sec_DNS_IP4", -1, 1562},
    {"L_EtherCAT_Slave_Revision_Number", 413, -1},
    {"E_EtherCAT_Slave_Revision_Number", -1, 414},
    {"L_EtherCAT_Slave_Name", 415, -1},
    {"E_EtherCAT_Slave_Name", -1, 416},
    {"L_EtherCAT_Slave_Node_Address", 987, -1},
    {"E_EtherCAT_Slave_Node_Address", -1, 988},
    {"CB_EtherCAT_Slave_Clear_Data", 1684, 1685},
    {"L_ModbusMaster_Serial", 460, -1},
    {"CB_ModbusMaster_Serial", -1, 461},
    {"L_ModbusMaster_Baudrate", 462, -1},
    {"CB_ModbusMaster_Baudrate", -1, 463},
    {"L_ModbusMaster_Parity", 464, -1},
    {"CB_ModbusMaster_Parity", -1, 465},
    {"L_ModbusMaster_StopBits", 466, -1},
    {"CB_ModbusMaster_StopBits", -1, 467},
    {"L_ModbusMaster_TimeOut", 468, -1},
    {"E_ModbusMaster_TimeOut", -1, 469},
    {"L_ModbusMaster_CyclicDelay", 470, -1},
    {"E_ModbusMaster_CyclicDelay", -1, 471},
    {"L_Ethernet_IP", 694, -1},
    {"E_Ethernet_IP1", -1, 695},
    {"E_Ethernet_IP2", -1, 696},
    {"E_Ethernet_IP3", -1, 697},
    {"E_Ethernet_IP4", -1, 698},
    {"L_Ethernet_SM", 699, -1},
    {"E_Ethernet_SM1", -1, 700},
    {"E_Ethernet_SM2", -1, 701},
    {"E_Ethernet_SM3", -1, 702},
    {"E_Ethernet_SM4", -1, 703},
    {"CB_Ethernet_En_GAT", 704, 705},
    {"E_Ethernet_GAT1", -1, 706},
    {"E_Ethernet_GAT2", -1, 707},
    {"E_Ethernet_GAT3", -1, 708},
    {"E_Ethernet_GAT4", -1, 709},
    {"L_Ethernet_TCP_Port", 716, -1},
    {"E_Ethernet_TCP_Port", -1, 717},
    {"L_Ethernet_UDP_Port", 718, -1},
    {"E_Ethernet_UDP_Port", -1, 719},
};

void SetMarkers(const QString& mark)
{
    for (int n = 0; n < Lang_Table_Capacity; ++n)
        Set_Lang_Text(n, mark + QString::number(n));
}

void ExpectTexts(const TFParGen& f, const QString& mark)
{
    auto m = [&](int n) { return mark + QString::number(n); };
    EXPECT_EQ(f.Caption(), m(400));
    EXPECT_EQ(f.L_SW_Desc->Caption(), m(401));
    EXPECT_EQ(f.Btn_OK->Caption(), m(402));
    EXPECT_EQ(f.Btn_Cancel->Caption(), m(403));
    EXPECT_EQ(f.Btn_OK->Hint(), m(404));
    EXPECT_EQ(f.Btn_Cancel->Hint(), m(405));
    for (const TTextOf& t : kTexts) {
        const auto* c = dynamic_cast<const TControl*>(f.FindComponent(t.name));
        ASSERT_NE(c, nullptr) << t.name;
        if (t.caption >= 0) {
            EXPECT_EQ(c->Caption(), m(t.caption)) << t.name;
        }
        if (t.hint >= 0) {
            EXPECT_EQ(c->Hint(), m(t.hint)) << t.name;
        }
    }
    // The combo items are fixed.
    EXPECT_EQ(f.CB_ModbusMaster_StopBits->Items->Strings(1), "2 Stop Bits");
}

TEST_F(ParGen, TextsComeFromTheTableAndTitlesKeepTheLanguageOfCreation)
{
    SetMarkers("#");
    form = std::make_unique<TFParGen>(nullptr);
    ExpectTexts(*form, "#");
    const QStringList titles = {"1. #1544", "2. #406", "3. #459", "4. #693"};
    auto shownTitles = [&] {
        QStringList out;
        for (TCategoryPanel* p : VisiblePanels(*form))
            out << p->Caption();
        return out;
    };
    EXPECT_EQ(shownTitles(), titles);

    SetMarkers("@");
    form->Set_Lang();
    ExpectTexts(*form, "@");
    EXPECT_EQ(shownTitles(), titles);
    EXPECT_EQ(form->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(form->L_NBI_Title->Caption(), "Num Byte In   :");
    EXPECT_GE(form->L_NBI_Title->Left(), 460);
}

TEST_F(ParGen, TheFormHasOnlyTheCloseBoxAndItsDesignedSize)
{
    EXPECT_EQ(form->BorderIcons(), biSystemMenu);
    EXPECT_EQ(form->BorderStyle(), bsSizeable);
    EXPECT_EQ(form->ClientWidth(), 460);
    EXPECT_EQ(form->ClientHeight(), 700);
    EXPECT_EQ(form->P_Title->Height(), 69);
    EXPECT_EQ(form->P_Button->Height(), 40);
    EXPECT_EQ(form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(form->Btn_OK->ModalResult(), mrNone);
    EXPECT_EQ(form->CPG->Images()->Count(), 2);
    // The close box discards, as Cancel does.
    const TModalResult result = Show([&] {
        form->E_EtherCAT_Slave_Name->SetText("x");
        form->Close();
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(FileExists(File_ParGen));
}

} // namespace
