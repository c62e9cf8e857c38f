// Loading and writing "ParGen.xml" through the dialog, and what the image compiler and the ESI
// writer make of a file the dialog wrote.
#include "ParGenTest.h"

#include "gateway/UConfigImage.h"
#include "gateway/UESIWriter.h"

#include <QDir>

using namespace pargen_test;
using testsupport::readBytes;

namespace
{

// Every field of the dialog as text: edits as typed, check boxes "1"/"0", combo boxes their text.
QStringList Shown(const TFParGen& f)
{
    QStringList out;
    for (const TEdit* e : {f.E_EthConn_Device_Name,  f.E_EthConn_Pri_DNS_IP1,
                           f.E_EthConn_Pri_DNS_IP2,  f.E_EthConn_Pri_DNS_IP3,
                           f.E_EthConn_Pri_DNS_IP4,  f.E_EthConn_Sec_DNS_IP1,
                           f.E_EthConn_Sec_DNS_IP2,  f.E_EthConn_Sec_DNS_IP3,
                           f.E_EthConn_Sec_DNS_IP4,  f.E_EtherCAT_Slave_Revision_Number,
                           f.E_EtherCAT_Slave_Name,  f.E_EtherCAT_Slave_Node_Address,
                           f.E_ModbusMaster_TimeOut, f.E_ModbusMaster_CyclicDelay,
                           f.E_Ethernet_IP1,         f.E_Ethernet_IP2,
                           f.E_Ethernet_IP3,         f.E_Ethernet_IP4,
                           f.E_Ethernet_SM1,         f.E_Ethernet_SM2,
                           f.E_Ethernet_SM3,         f.E_Ethernet_SM4,
                           f.E_Ethernet_GAT1,        f.E_Ethernet_GAT2,
                           f.E_Ethernet_GAT3,        f.E_Ethernet_GAT4})
        out << e->Text();
    for (const TCheckBox* c : {f.CB_EthConn_En_DHCP_Cable, f.CB_EthConn_En_DHCP_WiFi, f.CB_EthConn_Enable_DNS,
                               f.CB_EtherCAT_Slave_Clear_Data, f.CB_Ethernet_En_GAT})
        out << (c->Checked() ? "1" : "0");
    for (const TComboBox* c : {f.CB_ModbusMaster_Serial, f.CB_ModbusMaster_Baudrate, f.CB_ModbusMaster_Parity,
                               f.CB_ModbusMaster_StopBits})
        out << c->Text();
    return out;
}

const QStringList kDefaultsShown = {
    "",     "8",   "8",   "8",   "8", "8", "8",   "4",     "4",      "0",    "devicename1", "1",
    "1000", "100", "192", "168", "0", "5", "255", "255",   "255",    "0",    "192",         "168",
    "0",    "1",   "0",   "0",   "0", "0", "0",   "RS232", "115200", "NONE", "1 Stop Bits",
};

TEST_F(ParGen, WithoutAFileShowsTheDefaultsAndOKWritesTheFileTheCompilerAndESIWriterRead)
{
    ASSERT_FALSE(FileExists(File_ParGen));
    const TModalResult result = Show([&] {
        EXPECT_EQ(Shown(*form), kDefaultsShown);
        EXPECT_FALSE(form->Is_Change);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(MessageTexts(), QStringList());

    const TElements expected = {
        {"Eth_Conn_Device_Name", ""},
        {"Eth_Conn_DHCP_Cable", "0"},
        {"Eth_Conn_DHCP_WiFi", "0"},
        {"Eth_Conn_Enable_DNS", "0"},
        {"Eth_Conn_Primary_DNS1", "8"},
        {"Eth_Conn_Primary_DNS2", "8"},
        {"Eth_Conn_Primary_DNS3", "8"},
        {"Eth_Conn_Primary_DNS4", "8"},
        {"Eth_Conn_Secondary_DNS1", "8"},
        {"Eth_Conn_Secondary_DNS2", "8"},
        {"Eth_Conn_Secondary_DNS3", "4"},
        {"Eth_Conn_Secondary_DNS4", "4"},
        {"EtherCAT_Slave_Revision_Number", "0"},
        {"EtherCAT_Slave_Name", "devicename1"},
        {"EtherCAT_Slave_Node_Address", "1"},
        {"EtherCAT_Slave_Clear_Data", "0"},
        {"ModbusM_SERIAL", "0"},
        {"ModbusM_BAUDRATE", "7"},
        {"ModbusM_PARITY", "0"},
        {"ModbusM_STOPBITS", "0"},
        {"ModbusM_TIMEOUT", "1000"},
        {"ModbusM_CYCLIC", "100"},
        {"Ethernet_IP1", "192"},
        {"Ethernet_IP2", "168"},
        {"Ethernet_IP3", "0"},
        {"Ethernet_IP4", "5"},
        {"Ethernet_SM1", "255"},
        {"Ethernet_SM2", "255"},
        {"Ethernet_SM3", "255"},
        {"Ethernet_SM4", "0"},
        {"Ethernet_GAT1", "192"},
        {"Ethernet_GAT2", "168"},
        {"Ethernet_GAT3", "0"},
        {"Ethernet_GAT4", "1"},
        {"Ethernet_EN_GAT", "0"},
    };
    EXPECT_EQ(Written(), expected);
    // The root comes first (readers take the first node), the version comment after it, and no
    // declaration.
    const QByteArray bytes = readBytes(File_ParGen);
    EXPECT_TRUE(bytes.startsWith("<Par_Gen>")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.trimmed().endsWith("</Par_Gen>\n<!--SW_VERSION = 1.001-->"))
        << bytes.right(60).toStdString();

    TConfigCompiler compiler(TConfigPaths::ForProject(Active_Project_Dir));
    compiler.Compile_Config_Banks();
    const QByteArray bank1 = compiler.Banks().Bank1;
    ASSERT_EQ(bank1.size(), 2048);
    EXPECT_EQ(bank1.mid(0x7FC, 4), QByteArray::fromHex("8D140000"));
    EXPECT_EQ(bank1.mid(0x028, 12), QByteArray::fromHex("C0A80005 FFFFFF00 FFFFFFFF"));
}

TEST_F(ParGen, EditedValuesReachTheESIWriterAndTheNextShow)
{
    Show([&] {
        form->E_EtherCAT_Slave_Name->SetText("Pump 7");
        form->E_EtherCAT_Slave_Node_Address->SetText("12");
        form->E_EtherCAT_Slave_Revision_Number->SetText("$FFFFFFFF");
        form->CB_ModbusMaster_Parity->SetItemIndex(2);
        EXPECT_TRUE(form->Is_Change);
        Click(form->Btn_OK);
    });
    const TESI_Data esi = Read_EtherCAT_Slave_Data(File_ParGen, File_EtherCAT_Slave);
    EXPECT_EQ(esi.Device_Name, "Pump 7");
    EXPECT_EQ(esi.Node_Address, 12);
    EXPECT_EQ(esi.Revision_Number, 0xFFFFFFFFu);
    Build_ESI_File(project.file("slave.xml"));
    EXPECT_TRUE(readBytes(project.file("slave.xml")).contains("Pump 7"));

    // Cancel discards: the next show has the file's values again.
    Show([&] {
        EXPECT_EQ(form->CB_ModbusMaster_Parity->Text(), "EVEN");
        form->E_EtherCAT_Slave_Name->SetText("other");
        Click(form->Btn_Cancel);
    });
    Show([&] { EXPECT_EQ(form->E_EtherCAT_Slave_Name->Text(), "Pump 7"); });
    EXPECT_EQ(WrittenText("EtherCAT_Slave_Name"), "Pump 7");
}

struct TLoadCase {
    const char* what;
    TElements file;
    QString (*shown)(const TFParGen&);
    QString expectShown;
    const char* element; // what OK writes for it
    QString expectWritten;
};

QString Baudrate(const TFParGen& f)
{
    return f.CB_ModbusMaster_Baudrate->Text();
}

TEST_F(ParGen, LoadTakesEachElementOrItsDefault)
{
    // clang-format off
    const TLoadCase cases[] = {
        {"baud rate not an integer", {{"ModbusM_BAUDRATE", "abc"}}, Baudrate, "115200", "ModbusM_BAUDRATE", "7"},
        {"baud rate index 3", {{"ModbusM_BAUDRATE", "3"}}, Baudrate, "9600", "ModbusM_BAUDRATE", "3"},
        {"baud rate in hex", {{"ModbusM_BAUDRATE", "$1"}}, Baudrate, "2400", "ModbusM_BAUDRATE", "1"},
        {"baud rate naming no item", {{"ModbusM_BAUDRATE", "8"}}, Baudrate, "115200", "ModbusM_BAUDRATE", "7"},
        {"parity naming no item", {{"ModbusM_PARITY", "7"}},
         [](const TFParGen& f) { return f.CB_ModbusMaster_Parity->Text(); }, "NONE", "ModbusM_PARITY", "0"},
        {"stop bits -1", {{"ModbusM_STOPBITS", "-1"}},
         [](const TFParGen& f) { return f.CB_ModbusMaster_StopBits->Text(); }, "1 Stop Bits", "ModbusM_STOPBITS", "0"},
        {"Wi-Fi DHCP is never loaded", {{"Eth_Conn_DHCP_WiFi", "1"}},
         [](const TFParGen& f) { return QString::number(f.CB_EthConn_En_DHCP_WiFi->Checked()); }, "0",
         "Eth_Conn_DHCP_WiFi", "0"},
        {"a check box is on only for \"1\"", {{"Eth_Conn_DHCP_Cable", "true"}},
         [](const TFParGen& f) { return QString::number(f.CB_EthConn_En_DHCP_Cable->Checked()); }, "0",
         "Eth_Conn_DHCP_Cable", "0"},
        {"octet kept as typed", {{"Ethernet_IP3", " 010"}},
         [](const TFParGen& f) { return f.E_Ethernet_IP3->Text(); }, " 010", "Ethernet_IP3", " 010"},
        {"no Ethernet_IP elements", {{"Ethernet_SM4", "128"}},
         [](const TFParGen& f) { return f.E_Ethernet_IP1->Text() + "." + f.E_Ethernet_IP2->Text() + "." +
                                        f.E_Ethernet_IP3->Text() + "." + f.E_Ethernet_IP4->Text(); },
         "192.168.0.5", "Ethernet_SM4", "128"},
        {"blank device name", {{"Eth_Conn_Device_Name", "   "}},
         [](const TFParGen& f) { return f.E_EthConn_Device_Name->Text(); }, "   ", "Eth_Conn_Device_Name", "   "},
        {"gateway octets off and not numbers", {{"Ethernet_EN_GAT", "0"}, {"Ethernet_GAT1", "abc"}},
         [](const TFParGen& f) { return f.E_Ethernet_GAT1->Text(); }, "abc", "Ethernet_GAT1", "abc"},
    };
    // clang-format on
    for (const TLoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteParGen(c.file);
        const TModalResult result = Show([&] {
            EXPECT_EQ(c.shown(*form), c.expectShown);
            Click(form->Btn_OK);
        });
        EXPECT_EQ(result, mrOk);
        EXPECT_EQ(MessageTexts(), QStringList());
        EXPECT_EQ(WrittenText(c.element), c.expectWritten);
    }
}

TEST_F(ParGen, AnEmptyNodeAddressLoadsEmptyAndOKRefusesIt)
{
    WriteParGen({{"EtherCAT_Slave_Node_Address", ""}});
    const QByteArray before = readBytes(File_ParGen);
    const TModalResult result = Show([&] {
        EXPECT_EQ(form->E_EtherCAT_Slave_Node_Address->Text(), "");
        Click(form->Btn_OK);
        EXPECT_TRUE(form->Widget()->isVisible());
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(MessageTexts(), QStringList({"Error EtherCAT Slave!! Node Address must be between 1 and 192"}));
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_EQ(readBytes(File_ParGen), before);
}

TEST_F(ParGen, AFileThatIsNotWellFormedIsReportedAndTheDialogDoesNotOpen)
{
    // A previous show left other values in the controls; they must not be taken for this file's.
    Show([&] { form->E_EtherCAT_Slave_Name->SetText("from before"); });
    const QByteArray truncated = "<Par_Gen><Eth_Conn_Device_Name>x</Eth_Conn_Device_Name><EtherCAT_Sla";
    testsupport::writeBytes(File_ParGen, truncated);

    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = form->Modal();
        if (opened)
            form->SetModalResult(mrCancel);
    });
    // Step 2's click runs inside the toolkit's dispatch guard, which reports what escapes.
    GuardedDispatch([&] { form->ShowModal(); });
    formtest::Pump();

    EXPECT_FALSE(opened);
    EXPECT_FALSE(form->Visible());
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_TRUE(answers->Messages[0].Text.contains("ParGen.xml")) << answers->Messages[0].Text.toStdString();
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_EQ(readBytes(File_ParGen), truncated);
    EXPECT_EQ(form->E_EthConn_Device_Name->Text(), "");
    EXPECT_EQ(form->E_EtherCAT_Slave_Name->Text(), "from before");
}

TEST_F(ParGen, AFileThatCannotBeWrittenKeepsTheDialogOpenAndTheOldFileWhole)
{
    struct Case {
        const char* what;
        std::function<void()> spoil;
        std::function<void()> check;
    };
    WriteParGen({{"EtherCAT_Slave_Name", "old"}});
    const QByteArray old = readBytes(File_ParGen);
    const QString folderFile = project.file("sub/ParGen.xml");
    const Case cases[] = {
        {"project folder gone", [&] { File_ParGen = project.file("missing/ParGen.xml"); }, [] {}},
        {"a folder in the file's place",
         [&] {
             QDir().mkpath(folderFile);
             File_ParGen = folderFile;
         },
         [&] { EXPECT_TRUE(QFileInfo(folderFile).isDir()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        Set_Files();
        const TModalResult result = Show([&] {
            form->E_EtherCAT_Slave_Name->SetText("new");
            c.spoil();
            Click(form->Btn_OK);
            EXPECT_TRUE(form->Widget()->isVisible());
        });
        EXPECT_EQ(result, mrCancel);
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("ParGen.xml"))
            << answers->Messages[0].Text.toStdString();
        c.check();
        Set_Files();
        EXPECT_EQ(readBytes(File_ParGen), old);
    }
}

} // namespace
