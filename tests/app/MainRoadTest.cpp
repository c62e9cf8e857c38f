// The user's road from an empty program folder to a running updater, in real windows: a new project,
// the communication parameters, the EtherCAT groups and process data, the Modbus requests, the ESI
// file, the device update with a real ping to 127.0.0.1 and a stand-in updater, and closing. Each
// step is checked on the files it leaves, as the next reader takes them; the four project files
// must equal the fixture project "P", which the image compiler maps to known banks.
#include "MainRoadSupport.h"
#include "MainTestForms.h"

#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "gateway/UBoot.h"
#include "gateway/UConfigImage.h"
#include "gateway/UEtherCATSlave.h"
#include "gateway/UEtherCATSlave_Group.h"
#include "gateway/UParGen.h"
#include "gateway/USetAccess.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/system/Icmp.h"

#include <QDir>

namespace
{

using namespace mainroad;

const char* const Project_Files[] = {"ParGen.xml", "EtherCAT_Slave_Group.xml", "EtherCAT_Slave.xml",
                                     "ModbusM_SetAccess.xml"};

// Why the real ping cannot run here; empty when it can.
QString Ping_Unavailable()
{
    TEchoRequest probe;
    probe.Host = "127.0.0.1";
    const TEchoResult r = IcmpEcho(probe);
    if (r.Status == TEchoStatus::Failed && r.Error.contains("cannot open an ICMP socket"))
        return "this user may open neither a ping socket nor a raw ICMP socket: " + r.Error;
    return QString();
}

class MainRoad : public shelltest::ProgramForms
{
  protected:
    void SetUp() override
    {
        ProgramForms::SetUp();
        // The road types a Float32 initial value.
        TFormatSettings fs;
        fs.DecimalSeparator = '.';
        fs.ThousandSeparator = ',';
        SetFormatSettings(fs);
        testsupport::writeScript(dir.file("Ethernet_Update.exe"),
                                 "d=$(dirname \"$0\")\n"
                                 "cp \"$d/Ethernet_Update.xml\" \"$d/job_seen.xml\"\n"
                                 "echo \"$$ $#\" >> \"$d/runs.txt\"\n");
        answers->FileAnswers = {Project() + "/Plant A.xml"};
        // Every box is answered Cancel, or No where it has no Cancel, and none is expected.
        answers->DefaultMessageAnswer = mrCancel;
        answers->OnMessage = [this](const TMessageRequest& m) {
            if (!Messages_Expected)
                ADD_FAILURE() << "a message box: " << m.Text.toStdString();
            if ((m.Buttons & mbNo) && !(m.Buttons & mbCancel))
                answers->MessageAnswers.insert(answers->MessageAnswers.begin(), mrNo);
        };
        Start_Program();
    }
    void TearDown() override
    {
        ProgramForms::TearDown();
        ResetFormatSettings();
    }

    QString Project() const { return dir.file("PROJECTS/Plant A"); }
    QString In_Project(const QString& name) const { return Project() + "/" + name; }
    RORoruduzudizEvivUrad* Main() const { return FDodiruredavIzavUred; }

    // The written file holds exactly the fixture's elements, attributes and texts, in their order,
    // its root comes first and the version comment follows it.
    void Expect_Like_Fixture(const QString& name, const QString& root)
    {
        SCOPED_TRACE(name.toStdString());
        const QString path = In_Project(name);
        ASSERT_TRUE(FileExists(path));
        EXPECT_EQ(Xml_Lines(path), Xml_Lines(Project_P(name)));
        EXPECT_TRUE(testsupport::readBytes(path).startsWith(("<" + root + ">").toUtf8()));
        EXPECT_EQ(After_Root(path, root), "<!--SW_VERSION = 1.001-->");
    }

    // ---- The steps ----------------------------------------------------------------------------------

    void New_Configuration()
    {
        WithModal(Main()->Btn_New, FNew_Project, [&] {
            Activate(FNew_Project);
            EXPECT_TRUE(FNew_Project->E_New_Proj->Focused());
            Type_To_Focus("Plant A");
            Click(FNew_Project->Btn_OK);
        });
        EXPECT_EQ(Main()->L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
        EXPECT_EQ(Main()->L_Name_Conf_L2->Caption(), "Plant A");
        EXPECT_TRUE(DirectoryExists(In_Project("bin")));
    }

    void Set_Communication()
    {
        WithModal(Main()->Btn_Prm_Gen, FParGen, [&] {
            TFParGen* f = FParGen;
            Activate(f);
            Type_Into(f->E_EthConn_Device_Name, "gw101-lab");
            ASSERT_FALSE(f->CB_EthConn_En_DHCP_Cable->Checked());
            Click_Box(f->CB_EthConn_Enable_DNS);
            // The "." chain runs from the primary DNS on into the secondary one.
            f->E_EthConn_Pri_DNS_IP1->SetFocus();
            Type_To_Focus("1.1.1.1.9.9.9.9");
            Type_Into(f->E_EtherCAT_Slave_Revision_Number, "258");
            Type_Into(f->E_EtherCAT_Slave_Name, "Press Line 4");
            Type_Into(f->E_EtherCAT_Slave_Node_Address, "10");
            Click_Box(f->CB_EtherCAT_Slave_Clear_Data);
            Pick_Item(f->CB_ModbusMaster_Serial, 1);
            Pick_Item(f->CB_ModbusMaster_Baudrate, 4);
            Pick_Item(f->CB_ModbusMaster_Parity, 2);
            EXPECT_EQ(f->CB_ModbusMaster_StopBits->Text(), "1 Stop Bits");
            Type_Into(f->E_ModbusMaster_TimeOut, "500");
            Type_Into(f->E_ModbusMaster_CyclicDelay, "20");
            // And from the address on into the mask.
            f->E_Ethernet_IP1->SetFocus();
            Type_To_Focus("192.168.1.50.255.255.255.0");
            Click_Box(f->CB_Ethernet_En_GAT);
            f->E_Ethernet_GAT1->SetFocus();
            Type_To_Focus("192.168.1.1");
            Click(f->Btn_OK);
        });
        Expect_Like_Fixture("ParGen.xml", "Par_Gen");
        EXPECT_EQ(Xml_Lines(In_Project("ParGen.xml")).size(), 36);
    }

    void EtherCAT_Set_Group()
    {
        WithModal(Main()->Btn_EtherCAT_Set_Group, FEtherCATSlave_Group, [&] {
            TFEtherCATSlave_Group* f = FEtherCATSlave_Group;
            Activate(f);
            TExtColumnGrid* s = f->ACG_Group_StoM;
            Type_Cell(s, 1, 1, "Status");
            Type_Cell(s, 2, 1, "3");
            s->SetCells(3, 1, "state bits");
            s->SetCells(1, 2, "Data");
            s->SetCells(2, 2, "2");
            f->PageControl1->SetActivePage(f->TS_MasterToSlave);
            formtest::Pump();
            TExtColumnGrid* m = f->ACG_Group_MtoS;
            Type_Cell(m, 1, 1, "Cmd");
            m->SetCells(2, 1, "2");
            m->SetCells(3, 1, "commands");
            Click(f->Btn_OK);
        });
        Expect_Like_Fixture("EtherCAT_Slave_Group.xml", "PROFINET_Master_to_Modbus_TCP_Master");
    }

    // Position/Start Bit Group of rows 1 .. n, as shown.
    static QStringList Shown(TExtStringGrid* g, int position_col, int n)
    {
        QStringList out;
        for (int r = 1; r <= n; ++r)
            out << QString("%1/%2 %3")
                       .arg(g->Cells(position_col, r), g->Cells(position_col + 1, r),
                            g->Cells(position_col + 2, r));
        return out;
    }

    void EtherCAT_Set_Access()
    {
        WithModal(Main()->Btn_EtherCAT_Set_Access, FEtherCATSlave, [&] {
            TFEtherCATSlave* f = FEtherCATSlave;
            Activate(f);
            TExtStringGrid* s = f->ESG_SlaveMaster;
            struct TVar {
                const char* Type;
                const char* Length; // typed when the type's Length is editable
                const char* Name;
                const char* Init;
                const char* Mnemonic;
            };
            const TVar to_master[] = {{"Bool", "", "Ready", "1", ""},   {"Bool", "", "Fault", "", ""},
                                      {"Int32", "", "Spare", "", ""},   {"Int16", "", "Speed", "-2", "rpm"},
                                      {"String", "4", "Tag", "AB", ""}, {"Float32", "", "Temp", "1.5", ""}};
            for (int i = 0; i < 6; ++i) {
                const TVar& v = to_master[i];
                const int r = i + 1;
                Pick_Cell(s, 2, r, v.Type);
                if (*v.Length)
                    Type_Cell(s, 3, r, v.Length);
                if (r == 1)
                    Type_Cell(s, 4, r, v.Name);
                else
                    s->SetCells(4, r, v.Name);
                s->SetCells(5, r, v.Init);
                s->SetCells(9, r, v.Mnemonic);
            }
            Click_Cell(s, 1, 3); // "Spare" off
            bool spare = true;
            EXPECT_TRUE(s->GetCheckBoxState(1, 3, spare) && !spare);
            EXPECT_EQ(Shown(s, 6, 6), QStringList({"0/0 Status", "0/1 Status", "0/0 ", "1/0 Status",
                                                   "3/0 Data", "8/0 Data"}));

            f->PageControl1->SetActivePage(f->TS_MasterToSlave);
            formtest::Pump();
            TExtStringGrid* m = f->ESG_MasterSlave;
            const TVar to_slave[] = {{"UInt16", "", "Setpoint", "", ""},
                                     {"Bool", "", "Start", "", ""},
                                     {"Array", "3", "Raw", "", ""}};
            for (int i = 0; i < 3; ++i) {
                const TVar& v = to_slave[i];
                Pick_Cell(m, 2, i + 1, v.Type);
                if (*v.Length)
                    Type_Cell(m, 3, i + 1, v.Length);
                m->SetCells(4, i + 1, v.Name);
            }
            EXPECT_EQ(Shown(m, 5, 3), QStringList({"0/0 Cmd", "2/0 Cmd", "3/0 "}));
            Click(f->Btn_OK);
        });
        Expect_Like_Fixture("EtherCAT_Slave.xml", "EtherCAT_Slave");
    }

    void Modbus_Set_Access()
    {
        WithModal(Main()->Btn_Modbus_Set_Access, FSetAccess, [&] {
            TFSetAccess* f = FSetAccess;
            Activate(f);
            // Columns: 1 Enable, 2 Slave ID, 3 Type, 4 Address, 5 NPoint, 6 Poll Time, 7 Max Error,
            // 8 Position, 9 Start Bit, 10 Swap, 11 SwapWord, (12 Topic, hidden), 13 Mnemonic; Cells
            // counts the hidden column, the keys and the mouse do not (the same up to column 11).
            TExtColumnGrid* rd = f->ACG_Modbus_Read;
            struct TRead {
                const char *Slave, *Type, *Address, *NPoint, *Poll, *Max_Error, *Position, *Bit, *Mnemonic;
            };
            const TRead reads[] = {
                {"1", "Holding Register", "100", "2", "1000", "3", "0", "", "Drive status"},
                {"2", "Input Register", "7", "1", "500", "0", "4", "", "off"},
                {"5", "Coil Status", "0", "20", "250", "0", "10", "3", "Inputs"},
            };
            for (int i = 0; i < 3; ++i) {
                const TRead& q = reads[i];
                const int r = i + 1;
                if (r == 1)
                    Type_Cell(rd, 2, r, q.Slave);
                else
                    rd->SetCells(2, r, q.Slave);
                Pick_Cell(rd, 3, r, q.Type);
                rd->SetCells(4, r, q.Address);
                rd->SetCells(5, r, q.NPoint);
                rd->SetCells(6, r, q.Poll);
                rd->SetCells(7, r, q.Max_Error);
                Pick_Cell(rd, 8, r, q.Position);
                if (*q.Bit)
                    Pick_Cell(rd, 9, r, q.Bit);
                rd->SetCells(13, r, q.Mnemonic);
            }
            Space_On_Cell(rd, 1, 2); // the Input Register request off
            EXPECT_EQ(rd->Cells(1, 2), "N");
            Click_Cell(rd, 11, 3); // SwapWord of the coils
            EXPECT_EQ(rd->Cells(11, 3), "Y");

            f->PageControl1->SetActivePage(f->Table(1).Tab);
            formtest::Pump();
            // 1 Enable, 2 Slave ID, 3 Type, 4 Address, 5 NPoint, 6 Poll Time, 7 On Change, 8 On CMD,
            // 9 Max Error, 10 Position, 11 Start Bit, 12 Swap, 13 SwapWord, 14 Mnemonic.
            TExtColumnGrid* wr = f->ACG_Modbus_Write;
            wr->SetCells(2, 1, "1");
            Pick_Cell(wr, 3, 1, "Holding Register");
            wr->SetCells(4, 1, "200");
            wr->SetCells(5, 1, "1");
            wr->SetCells(6, 1, "0");
            Click_Cell(wr, 7, 1);
            wr->SetCells(9, 1, "5");
            Pick_Cell(wr, 10, 1, "0");
            Space_On_Cell(wr, 12, 1);
            wr->SetCells(14, 1, "Setpoint");

            wr->SetCells(2, 2, "1");
            Pick_Cell(wr, 3, 2, "Coil Status");
            wr->SetCells(4, 2, "16");
            wr->SetCells(5, 2, "8");
            wr->SetCells(6, 2, "100");
            Click_Cell(wr, 8, 2);
            wr->SetCells(9, 2, "0");
            Pick_Cell(wr, 10, 2, "4");
            Pick_Cell(wr, 11, 2, "0");
            wr->SetCells(14, 2, "Coils");
            Click(f->Btn_OK);
        });
        Expect_Like_Fixture("ModbusM_SetAccess.xml", "EtherNetIP_to_Modbus");
    }

    void EtherCAT_ESI_File()
    {
        Click(Main()->Btn_EtherCAT_ESI_File);
        ASSERT_EQ(answers->FileDialogs.size(), 1u);
        EXPECT_TRUE(answers->FileDialogs[0].Save);
        EXPECT_EQ(answers->FileDialogs[0].InitialDir, Project());
        const QByteArray esi = testsupport::readBytes(In_Project("Plant A.xml"));
        ASSERT_FALSE(esi.isEmpty());
        EXPECT_FALSE(esi.startsWith("\xEF\xBB\xBF")) << "no byte-order mark";
        EXPECT_EQ(esi.count("\r\n"), 163);
        EXPECT_EQ(esi.count('\n'), 163) << "every line ends in CR LF";
        EXPECT_TRUE(esi.endsWith("\r\n"));
        EXPECT_TRUE(esi.contains("<Type ProductCode=\"#x"));
        EXPECT_TRUE(esi.contains(" RevisionNo=\"#x102\">Press Line 4</Type>"));
        EXPECT_TRUE(esi.contains("StartAddress=\"#x1024\""));
        EXPECT_TRUE(esi.contains("<ConfigData>800F00CC8813ff000A0000800000</ConfigData>"));
    }

    // "Update Device UDP": the banks, then the update dialog, where the address is typed and the
    // update runs; Cancel closes it.
    void Update_Device_UDP()
    {
        WithModal(Main()->Btn_CreateBin, FBoot, [&] {
            TFBoot* f = FBoot;
            Activate(f);
            EXPECT_TRUE(f->E_IP1->Focused());
            Type_To_Focus("127.0.0.1");
            EXPECT_EQ(f->IP_Address_Text(), "127.0.0.1");
            Pick_Item(f->CB_Update_Options, 0);
            EXPECT_EQ(f->CB_Update_Options->Text(), "Firmware + Configuration");
            if (!f->CB_Update_Option_Read_Back->Checked())
                Click_Box(f->CB_Update_Option_Read_Back);
            Click(f->Btn_Update);
            EXPECT_TRUE(f->Visible()) << "the dialog stays open after the update";
            Click(f->Btn_Cancel);
        });
    }

    void Expect_Banks_And_Job()
    {
        const QByteArray bank1 = testsupport::readBytes(In_Project("bin/bank1.bin"));
        const QByteArray bank2 = testsupport::readBytes(In_Project("bin/bank2.bin"));
        EXPECT_EQ(bank1.size(), Bank1_Size);
        EXPECT_EQ(bank2.size(), Bank2_Size);
        EXPECT_EQ(Sha256_Hex(bank1), Bank1_Sha256);
        EXPECT_EQ(Sha256_Hex(bank2), Bank2_Sha256);

        const QList<QByteArray> runs = testsupport::readBytes(dir.file("runs.txt")).split('\n');
        ASSERT_EQ(runs.size(), 2) << "started once";
        EXPECT_TRUE(runs[0].endsWith(" 0")) << "with no arguments: " << runs[0].toStdString();
        EXPECT_TRUE(runs[1].isEmpty());

        const QString job = dir.file("Ethernet_Update.xml");
        EXPECT_EQ(testsupport::readBytes(dir.file("job_seen.xml")), testsupport::readBytes(job));
        TXmlDocument doc;
        doc.LoadFromFile(job);
        EXPECT_EQ(doc.Root().ChildText("IP_Address_Dev"), "127.0.0.1");
        const auto ops = doc.Root().RequiredChild("Operations").Children("Operation");
        ASSERT_EQ(ops.size(), 3u);
        EXPECT_EQ(ops[1].ChildText("Ope_FileName"), In_Project("bin/bank1.bin"));
        EXPECT_EQ(ops[2].ChildText("Ope_FileName"), In_Project("bin/bank2.bin"));
        for (size_t i = 0; i < ops.size(); ++i) {
            EXPECT_EQ(ops[i].ChildText("Ope_GoToApp_After"), i == 2 ? "1" : "0") << i;
            EXPECT_EQ(ops[i].ChildText("Ope_Read_Back"), "1") << i;
        }
    }

    void Close_Main_Window()
    {
        Click(Main()->Btn_Close);
        EXPECT_FALSE(Main()->Visible());
        EXPECT_TRUE(Program_Ended());
        TXmlDocument settings;
        settings.LoadFromFile(dir.file("Tessilator.xml"));
        EXPECT_EQ(settings.Root().RequiredChild("lastproj").ChildText("projectname"), "Plant A");
        EXPECT_EQ(settings.Root().RequiredChild("lastipadd").ChildText("ipaddress"), "127.0.0.1");
    }

    // Steps 1 to 6.
    void To_The_ESI_File()
    {
        New_Configuration();
        Set_Communication();
        EtherCAT_Set_Group();
        EtherCAT_Set_Access();
        Modbus_Set_Access();
        EtherCAT_ESI_File();
    }

    bool Messages_Expected = false;
};

TEST_F(MainRoad, NewProjectToUpdater)
{
    ASSERT_NO_FATAL_FAILURE(To_The_ESI_File());
    const QString no_ping = Ping_Unavailable();
    if (no_ping.isEmpty()) {
        Update_Device_UDP();
        Expect_Banks_And_Job();
    }
    Close_Main_Window();
    EXPECT_EQ(MessageTexts(), QStringList());
    if (!no_ping.isEmpty())
        GTEST_SKIP() << "step 7 skipped: " << no_ping.toStdString();
}

TEST_F(MainRoad, ATruncatedProcessDataFileStopsTheUpdateBeforeAnyBankIsWritten)
{
    ASSERT_NO_FATAL_FAILURE(To_The_ESI_File());
    const QString file = In_Project("EtherCAT_Slave.xml");
    const QByteArray whole = testsupport::readBytes(file);
    testsupport::writeBytes(file, whole.left(whole.size() / 2));

    int shows = 0;
    const TNotifyEvent show = FBoot->OnShow;
    FBoot->OnShow = [&](TObject* Sender) {
        ++shows;
        FBoot->SetModalResult(mrCancel);
        show(Sender);
    };
    Messages_Expected = true;
    Click(Main()->Btn_CreateBin);
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_TRUE(answers->Messages[0].Text.contains("EtherCAT_Slave.xml"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_FALSE(FileExists(In_Project("bin/bank1.bin")));
    EXPECT_FALSE(FileExists(In_Project("bin/bank2.bin")));
    EXPECT_EQ(shows, 0) << "the update dialog opened";
    EXPECT_FALSE(FileExists(dir.file("runs.txt")));
}

// The fixture's four files are what the editors must write from the road's values; the compiler
// maps them to the expected banks, so a failure of the road tells whether an editor or the compiler
// moved.
TEST(MainRoadFixture, TheFixtureProjectCompilesToTheExpectedBanks)
{
    TFormatSettings fs;
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ',';
    SetFormatSettings(fs);
    testsupport::TempDir project;
    ASSERT_TRUE(QDir().mkpath(project.file("bin")));
    for (const char* name : Project_Files)
        testsupport::writeBytes(project.file(name), testsupport::readBytes(Project_P(name)));
    const TConfigBanks banks = Compile_Config_Banks(TConfigPaths::ForProject(project.path()));
    Save_Config_Banks(project.path(), banks);
    ResetFormatSettings();
    const QByteArray bank1 = testsupport::readBytes(project.file("bin/bank1.bin"));
    const QByteArray bank2 = testsupport::readBytes(project.file("bin/bank2.bin"));
    EXPECT_EQ(bank1.size(), Bank1_Size);
    EXPECT_EQ(bank2.size(), Bank2_Size);
    EXPECT_EQ(Sha256_Hex(bank1), Bank1_Sha256);
    EXPECT_EQ(Sha256_Hex(bank2), Bank2_Sha256);
}

} // namespace
