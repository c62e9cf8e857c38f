// The data check of the communication-parameters dialog: the fields in their order, the first
// failure only, nothing changed.
#include "ParGenTest.h"

using namespace pargen_test;

namespace
{

struct TCheckCase {
    const char* what;
    std::function<void(TFParGen&)> edit; // applied to the defaults
    int message;                         // -1: the check passes
};

void Octets(TEdit* a, TEdit* b, TEdit* c, TEdit* d, const char* ta, const char* tb, const char* tc,
            const char* td)
{
    a->SetText(ta);
    b->SetText(tb);
    c->SetText(tc);
    d->SetText(td);
}

TEST_F(ParGen, CheckReportsTheFirstFailureInTheFieldOrder)
{
    // clang-format off
    const TCheckCase cases[] = {
        {"defaults", [](TFParGen&) {}, -1},
        {"DNS on, primary octet 3 too big", [](TFParGen& f) {
             f.CB_EthConn_Enable_DNS->SetChecked(true);
             Octets(f.E_EthConn_Pri_DNS_IP1, f.E_EthConn_Pri_DNS_IP2, f.E_EthConn_Pri_DNS_IP3, f.E_EthConn_Pri_DNS_IP4,
                    "8", "8", "300", "8"); }, 1565},
        {"DNS on, primary before secondary", [](TFParGen& f) {
             f.CB_EthConn_Enable_DNS->SetChecked(true);
             f.E_EthConn_Sec_DNS_IP1->SetText("-1");
             f.E_EthConn_Pri_DNS_IP4->SetText(""); }, 1566},
        {"DNS on, secondary octet 2", [](TFParGen& f) {
             f.CB_EthConn_Enable_DNS->SetChecked(true);
             f.E_EthConn_Sec_DNS_IP2->SetText("256"); }, 1568},
        {"DNS off ignores its octets", [](TFParGen& f) {
             Octets(f.E_EthConn_Pri_DNS_IP1, f.E_EthConn_Pri_DNS_IP2, f.E_EthConn_Pri_DNS_IP3, f.E_EthConn_Pri_DNS_IP4,
                    "999", "999", "999", "999");
             f.E_EthConn_Sec_DNS_IP1->SetText("x"); }, -1},
        {"revision 0xFFFFFFFF in decimal", [](TFParGen& f) { f.E_EtherCAT_Slave_Revision_Number->SetText("4294967295"); }, -1},
        {"revision $FFFFFFFF", [](TFParGen& f) { f.E_EtherCAT_Slave_Revision_Number->SetText("$FFFFFFFF"); }, -1},
        {"revision one more", [](TFParGen& f) { f.E_EtherCAT_Slave_Revision_Number->SetText("4294967296"); }, 412},
        {"revision -1", [](TFParGen& f) { f.E_EtherCAT_Slave_Revision_Number->SetText("-1"); }, 412},
        {"revision 12a", [](TFParGen& f) { f.E_EtherCAT_Slave_Revision_Number->SetText("12a"); }, 412},
        {"revision empty", [](TFParGen& f) { f.E_EtherCAT_Slave_Revision_Number->SetText(""); }, 412},
        {"name of blanks", [](TFParGen& f) { f.E_EtherCAT_Slave_Name->SetText("   "); }, 411},
        {"name of control characters", [](TFParGen& f) { f.E_EtherCAT_Slave_Name->SetText("\t\x01 "); }, 411},
        {"name with inner blanks", [](TFParGen& f) { f.E_EtherCAT_Slave_Name->SetText(" a b "); }, -1},
        {"node 0", [](TFParGen& f) { f.E_EtherCAT_Slave_Node_Address->SetText("0"); }, 989},
        {"node 193", [](TFParGen& f) { f.E_EtherCAT_Slave_Node_Address->SetText("193"); }, 989},
        {"node empty", [](TFParGen& f) { f.E_EtherCAT_Slave_Node_Address->SetText(""); }, 989},
        {"node 192", [](TFParGen& f) { f.E_EtherCAT_Slave_Node_Address->SetText("192"); }, -1},
        {"two stop bits, EVEN", [](TFParGen& f) {
             f.CB_ModbusMaster_StopBits->SetItemIndex(1);
             f.CB_ModbusMaster_Parity->SetItemIndex(2); }, 472},
        {"two stop bits, ODD", [](TFParGen& f) {
             f.CB_ModbusMaster_StopBits->SetItemIndex(1);
             f.CB_ModbusMaster_Parity->SetItemIndex(1); }, 472},
        {"two stop bits, NONE", [](TFParGen& f) { f.CB_ModbusMaster_StopBits->SetItemIndex(1); }, -1},
        {"two stop bits, no parity selected", [](TFParGen& f) {
             f.CB_ModbusMaster_StopBits->SetItemIndex(1);
             f.CB_ModbusMaster_Parity->SetItemIndex(-1); }, -1},
        {"timeout 100000", [](TFParGen& f) { f.E_ModbusMaster_TimeOut->SetText("100000"); }, -1},
        {"timeout 100001", [](TFParGen& f) { f.E_ModbusMaster_TimeOut->SetText("100001"); }, 473},
        {"cyclic 0", [](TFParGen& f) { f.E_ModbusMaster_CyclicDelay->SetText("0"); }, -1},
        {"cyclic 10001", [](TFParGen& f) { f.E_ModbusMaster_CyclicDelay->SetText("10001"); }, 474},
        {"IP octet with a leading blank", [](TFParGen& f) { f.E_Ethernet_IP4->SetText(" 5"); }, -1},
        {"IP octet with a trailing blank", [](TFParGen& f) { f.E_Ethernet_IP4->SetText("5 "); }, 723},
        {"mask octet 1", [](TFParGen& f) { f.E_Ethernet_SM1->SetText("x"); }, 724},
        {"IP before mask", [](TFParGen& f) {
             f.E_Ethernet_SM1->SetText("x");
             f.E_Ethernet_IP2->SetText("256"); }, 721},
        {"gateway on, octet 1 not a number", [](TFParGen& f) {
             f.CB_Ethernet_En_GAT->SetChecked(true);
             f.E_Ethernet_GAT1->SetText("abc"); }, 728},
        {"gateway on and disabled by DHCP", [](TFParGen& f) {
             f.CB_Ethernet_En_GAT->SetChecked(true);
             f.CB_EthConn_En_DHCP_Cable->SetChecked(true);
             f.E_Ethernet_GAT4->SetText("abc"); }, 731},
        {"mask checked while DHCP disables it", [](TFParGen& f) {
             f.CB_EthConn_En_DHCP_Cable->SetChecked(true);
             f.E_Ethernet_SM3->SetText("256"); }, 726},
        {"gateway off ignores its octets", [](TFParGen& f) { f.E_Ethernet_GAT1->SetText("abc"); }, -1},
        {"bad revision and bad node: only the revision", [](TFParGen& f) {
             f.E_EtherCAT_Slave_Revision_Number->SetText("x");
             f.E_EtherCAT_Slave_Node_Address->SetText("0"); }, 412},
    };
    // clang-format on
    for (const TCheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        form->FormShow(form.get()); // the defaults, no file
        c.edit(*form);
        const bool ok = form->Controllo_Dati();
        EXPECT_EQ(ok, c.message < 0);
        if (c.message < 0) {
            EXPECT_EQ(MessageTexts(), QStringList());
        } else {
            EXPECT_EQ(MessageTexts(), QStringList({Lang_Text(c.message)}));
            ASSERT_EQ(answers->Messages.size(), 1u);
            EXPECT_EQ(answers->Messages[0].Type, mtError);
            EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
        }
    }
}

TEST_F(ParGen, AFailedCheckChangesNoControlAndWritesNothing)
{
    const TModalResult result = Show([&] {
        form->CB_EthConn_Enable_DNS->SetChecked(true);
        form->E_EthConn_Pri_DNS_IP3->SetText("300");
        form->E_EtherCAT_Slave_Node_Address->SetText("0");
        Click(form->Btn_OK);
        EXPECT_EQ(MessageTexts(), QStringList({"Error Primary DNS!! DNS 3 must be between 0 and 255"}));
        EXPECT_TRUE(form->Widget()->isVisible());
        EXPECT_EQ(form->E_EthConn_Pri_DNS_IP3->Text(), "300");
        EXPECT_EQ(form->E_EtherCAT_Slave_Node_Address->Text(), "0");
        EXPECT_TRUE(form->CB_EthConn_Enable_DNS->Checked());
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(FileExists(File_ParGen));
}

TEST_F(ParGen, DigitEditsRefuseTypedLettersButPastedTextIsChecked)
{
    Show([&] {
        for (TEdit* e : {form->E_EtherCAT_Slave_Revision_Number, form->E_EtherCAT_Slave_Node_Address}) {
            e->SetText("");
            e->SetFocus();
            QTest::keyClicks(e->LineEdit(), "1a$2");
            EXPECT_EQ(e->Text(), "12") << e->Name().toStdString();
        }
        // Pasted text is not filtered; the check converts it.
        form->E_EtherCAT_Slave_Revision_Number->SetText("12a");
        Click(form->Btn_OK);
        EXPECT_EQ(MessageTexts(), QStringList({Lang_Text(412)}));
    });
}

TEST_F(ParGen, NamesAreCutToTheirMaximumLength)
{
    Show([&] {
        form->E_EthConn_Device_Name->SetFocus();
        QTest::keyClicks(form->E_EthConn_Device_Name->LineEdit(), QString(40, 'd'));
        form->E_EtherCAT_Slave_Name->SetText("");
        form->E_EtherCAT_Slave_Name->SetFocus();
        QTest::keyClicks(form->E_EtherCAT_Slave_Name->LineEdit(), QString(20, 's'));
        EXPECT_EQ(form->E_EthConn_Device_Name->Text(), QString(31, 'd'));
        EXPECT_EQ(form->E_EtherCAT_Slave_Name->Text(), QString(15, 's'));
    });
}

} // namespace
