// The Ethernet update: the ping on a scripted clock and echo client, the job file per option, the
// failures the user sees, and the real road with an echo to 127.0.0.1 and a stand-in updater.
#include "BootTest.h"

#include "platform/core/Xml.h"

#include <QRegularExpression>

namespace
{

using boottest::Boot;
using boottest::TEcho;
using boottest::TScriptedPing;

// ---- Send_Ping ----------------------------------------------------------------------------------

TEST_F(Boot, SendPingOnAScriptedClock)
{
    struct Case {
        const char* name;
        std::vector<TEcho> plan;
        bool result;
        int attempts;
        int ping_res;
    };
    const Case cases[] = {
        {"every echo answers", {TEcho::Answer}, true, 2, 1},
        {"every echo times out", {TEcho::TimeOut}, false, 13, 2},
        {"answers on attempts 3 and 4", {TEcho::TimeOut, TEcho::TimeOut, TEcho::Answer}, true, 4, 1},
        {"the last answer counts", {TEcho::TimeOut, TEcho::Answer, TEcho::TimeOut}, false, 14, 2},
        {"the request cannot be sent", {TEcho::Error}, false, 1, 0},
        {"an error after a time-out", {TEcho::TimeOut, TEcho::Error}, false, 2, 2},
        {"nothing is ever reported", {TEcho::Silent}, false, 13, 0},
    };
    // 1000 ms before the 32-bit tick wraps the results are the same.
    for (const uint32_t start : {0u, 0xFFFFFFFFu - 999u}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " from " + std::to_string(start));
            TScriptedPing ping;
            ping.Now = start;
            ping.Plan = c.plan;
            ping.Install(*form_);
            Set_Address({"10", "1", "2", "3"});
            EXPECT_EQ(form_->Send_Ping(), c.result);
            EXPECT_EQ(int(ping.Starts.size()), c.attempts);
            EXPECT_EQ(form_->ping_res, c.ping_res);
            EXPECT_EQ(ping.Hosts.value(0), "10.1.2.3");
        }
    }
}

TEST_F(Boot, ASilentDeviceIsAskedEvery400MsForFiveSeconds)
{
    // A time-out reported by the echo client, or the dialog's own wait of 400 ms in 10 ms steps.
    const std::pair<TEcho, uint32_t> cases[] = {{TEcho::TimeOut, 400}, {TEcho::Silent, 410}};
    for (const auto& [echo, step] : cases) {
        TScriptedPing ping;
        ping.Now = 0xFFFFFFFFu - 999u;
        ping.Plan = {echo};
        ping.Install(*form_);
        form_->Send_Ping();
        ASSERT_EQ(ping.Starts.size(), 13u);
        for (size_t i = 0; i < ping.Starts.size(); ++i)
            EXPECT_EQ(uint32_t(ping.Starts[i] - ping.Starts[0]), step * i) << i;
    }
}

// ---- The job file --------------------------------------------------------------------------------

// The document as "path=text" lines, depth first.
void Flatten(const TXmlElement& e, const QString& path, QStringList& out)
{
    const QString here = path.isEmpty() ? e.NodeName() : path + "/" + e.NodeName();
    if (!e.HasChildElements()) {
        out << here + "=" + e.Text();
        return;
    }
    out << here;
    for (const TXmlElement& c : e.Children())
        Flatten(c, here, out);
}

QStringList Job_Tree(const QString& file)
{
    TXmlDocument doc;
    doc.LoadFromFile(file);
    QStringList out;
    Flatten(doc.Root(), QString(), out);
    return out;
}

QStringList Operation(const QString& file, const char* start, const char* bank, const char* css,
                      const char* read_back, const char* go_to_app)
{
    const QString p = "Ethernet_Update/Operations/Operation/";
    return {
        "Ethernet_Update/Operations/Operation",
        p + "Ope_Protection_Enabled=",
        p + "Ope_GoToBoot_Before=0",
        p + "Ope_GoToApp_Before=0",
        p + "Ope_IP_Address=",
        p + "Ope_Port=2008",
        p + "Ope_Port_Sec=2007",
        p + "Ope_Erase_Memory=0",
        p + "Ope_FileName=" + file,
        p + "Ope_Start_Address=" + start,
        p + "Ope_Memory_Type=0",
        p + "Ope_Bank_Type=" + bank,
        p + "Ope_Read_Back=" + read_back,
        p + "Ope_Write_CSS=" + css,
        p + "Ope_Address_CSS=0x07A00",
        p + "Ope_Command_CSS=0x02",
        p + "Ope_Write_Internal_Data=0",
        p + "Ope_WID_Address=0x07810",
        p + "Ope_WID_Command=0x02",
        p + "Ope_WID_Data=0x00, 0x00, 0x00, 0x01",
        p + "Ope_GoToApp_After=" + go_to_app,
    };
}

TEST_F(Boot, TheJobFileHoldsTheOperationsOfTheOption)
{
    const QString firmware = Master_Dir + "/SimGW101.sim";
    const QString bank1 = Active_Project_Dir + "/bin/bank1.bin";
    const QString bank2 = Active_Project_Dir + "/bin/bank2.bin";
    const QStringList head = {
        "Ethernet_Update",
        "Ethernet_Update/Version=1000",
        "Ethernet_Update/Title=Brivexcorp - RIVA101 Ethernet Update",
        "Ethernet_Update/IP_Address_Dev=192.168.02.x",
        "Ethernet_Update/Application_Port=10000",
        "Ethernet_Update/Boot_Port=2008",
        "Ethernet_Update/Boot_Port_Sec=2007",
        "Ethernet_Update/Address_Protection=0x07800",
        "Ethernet_Update/Protections",
        "Ethernet_Update/Protections/Protection=0x2E4",
        "Ethernet_Update/Operations",
    };
    struct Case {
        int option;
        bool read_back;
        QStringList operations;
    };
    const Case cases[] = {
        {0, true,
         Operation(firmware, "0x8000", "1", "1", "1", "0") + Operation(bank1, "0x07000", "2", "0", "1", "0") +
             Operation(bank2, "0x80000", "2", "0", "1", "1")},
        {0, false,
         Operation(firmware, "0x8000", "1", "1", "0", "0") + Operation(bank1, "0x07000", "2", "0", "0", "0") +
             Operation(bank2, "0x80000", "2", "0", "0", "1")},
        {1, true, Operation(firmware, "0x8000", "1", "1", "1", "1")},
        {2, false,
         Operation(bank1, "0x07000", "2", "0", "0", "0") + Operation(bank2, "0x80000", "2", "0", "0", "1")},
    };
    Set_Address({"192", "168", "02", "x"}); // written as typed
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.option) + (c.read_back ? " read back" : ""));
        form_->CB_Update_Options->SetItemIndex(c.option);
        form_->CB_Update_Option_Read_Back->SetChecked(c.read_back);
        form_->Compile_XML_Parameter_New_Boot();
        EXPECT_EQ(Job_Tree(Job_File()), head + c.operations);
    }
    // No declaration; an empty text is an element without content.
    const QByteArray bytes = testsupport::readBytes(Job_File());
    EXPECT_TRUE(bytes.startsWith("<Ethernet_Update>")) << bytes.left(40).toStdString();
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QRegularExpression("<Ope_IP_Address\\s*/>")));
}

// ---- Ethernet update ----------------------------------------------------------------------------

TEST_F(Boot, AFailedPingRemembersWritesAndRunsNothing)
{
    struct Case {
        TEcho echo;
        const char* text;
        TMsgDlgType type;
    };
    const Case cases[] = {
        {TEcho::TimeOut, "Device Not Found!", mtWarning},
        {TEcho::Error, "Error!!! Check the Ip Address", mtError},
        {TEcho::Silent, "Error!!! Check the Ip Address", mtError},
    };
    Write_Updater();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui_->Messages.clear();
        Last_IP_Address = "10.9.9.9";
        Last_Update_Option = 1;
        Last_Read_Back = true;
        TScriptedPing ping;
        ping.Plan = {c.echo};
        ping.Install(*form_);
        Shown(1, [&] {
            Set_Address({"999", "1", "1", "1"});
            form_->CB_Update_Options->SetItemIndex(2);
            form_->CB_Update_Option_Read_Back->SetChecked(false);
            Click(form_->Btn_Update);
            EXPECT_TRUE(form_->Widget()->isVisible());
        });
        ASSERT_EQ(ui_->Messages.size(), 1u);
        EXPECT_EQ(ui_->Messages[0].Text, c.text);
        EXPECT_EQ(ui_->Messages[0].Type, c.type);
        EXPECT_EQ(ui_->Messages[0].Buttons, mbOK);
        EXPECT_EQ(Last_IP_Address, "10.9.9.9");
        EXPECT_EQ(Last_Update_Option, 1);
        EXPECT_TRUE(Last_Read_Back);
        EXPECT_FALSE(FileExists(Job_File()));
        EXPECT_EQ(Runs(), "");
    }
}

TEST_F(Boot, WithoutAnUpdaterOneErrorNamesItAndTheDialogStaysOpen)
{
    TScriptedPing ping;
    ping.Plan = {TEcho::Answer};
    ping.Install(*form_);
    Shown(1, [&] {
        Set_Address({"10", "0", "0", "8"});
        Click(form_->Btn_Update);
        EXPECT_TRUE(form_->Widget()->isVisible());
    });
    ASSERT_EQ(ui_->Messages.size(), 1u);
    EXPECT_EQ(ui_->Messages[0].Type, mtError);
    EXPECT_TRUE(ui_->Messages[0].Text.contains(App_Dir + "/Ethernet_Update.exe"))
        << ui_->Messages[0].Text.toStdString();
    // The device answered: the job file is written and the address remembered.
    EXPECT_TRUE(FileExists(Job_File()));
    EXPECT_EQ(Last_IP_Address, "10.0.0.8");
}

TEST_F(Boot, AJobFileThatCannotBeWrittenStopsBeforeTheUpdater)
{
    Write_Updater();
    ASSERT_TRUE(CreateDir(Job_File()));
    TScriptedPing ping;
    ping.Plan = {TEcho::Answer};
    ping.Install(*form_);
    Shown(1, [&] {
        Click(form_->Btn_Update);
        EXPECT_TRUE(form_->Widget()->isVisible());
    });
    ASSERT_EQ(ui_->Messages.size(), 1u);
    EXPECT_EQ(ui_->Messages[0].Type, mtError);
    EXPECT_TRUE(ui_->Messages[0].Text.contains("Ethernet_Update.xml")) << ui_->Messages[0].Text.toStdString();
    EXPECT_EQ(Runs(), "");

    // The next click, with the folder gone, runs: the failed one left no update marked as running.
    ASSERT_TRUE(QDir(Job_File()).removeRecursively());
    Shown(1, [&] { Click(form_->Btn_Update); });
    EXPECT_EQ(Runs(), "0\n");
}

TEST_F(Boot, AClickDuringThePingStartsNoSecondUpdate)
{
    Write_Updater();
    TScriptedPing ping;
    ping.Plan = {TEcho::Answer};
    // The click arrives while the echo client waits and is handled in its idle call.
    ping.During = [&] {
        QWidget* w = form_->Btn_Update->Widget();
        const QPointF at(5, 5);
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, w->mapToGlobal(at),
                                                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, w->mapToGlobal(at),
                                                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        form_->Ping.OnIdle();
    };
    ping.Install(*form_);
    int clicks = 0;
    const TNotifyEvent update = form_->Btn_Update->OnClick;
    form_->Btn_Update->OnClick = [&](TObject* Sender) {
        ++clicks;
        update(Sender);
    };
    Shown(1, [&] { Click(form_->Btn_Update); });
    EXPECT_EQ(clicks, 2) << "the posted click did not arrive";
    EXPECT_EQ(ping.Starts.size(), 2u);
    EXPECT_EQ(Runs(), "0\n");
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(Boot, RealUpdateAnswersFromLoopbackAndRunsTheUpdaterOnce)
{
    TEchoRequest probe;
    probe.Host = "127.0.0.1";
    const TEchoResult r = IcmpEcho(probe);
    if (r.Status == TEchoStatus::Failed && r.Error.contains("cannot open an ICMP socket"))
        GTEST_SKIP() << "this user may open neither a ping socket nor a raw socket: "
                     << r.Error.toStdString();

    Write_Updater();
    Last_IP_Address = "";
    Last_Update_Option = 1;
    Last_Read_Back = false;
    Shown(1, [&] {
        Set_Address({"127", "0", "0", "1"});
        form_->CB_Update_Options->SetItemIndex(0);
        form_->CB_Update_Option_Read_Back->SetChecked(true);
        Click(form_->Btn_Update);
        EXPECT_TRUE(form_->Widget()->isVisible());
    });
    EXPECT_TRUE(ui_->Messages.empty()) << ui_->Messages[0].Text.toStdString();
    EXPECT_EQ(form_->ping_res, 1);
    EXPECT_EQ(Runs(), "0\n");
    // The updater found the job file the dialog wrote.
    EXPECT_EQ(testsupport::readBytes(app_.file("seen.xml")), testsupport::readBytes(Job_File()));
    EXPECT_TRUE(Job_Tree(Job_File()).contains("Ethernet_Update/IP_Address_Dev=127.0.0.1"));
    EXPECT_EQ(Last_IP_Address, "127.0.0.1");
    EXPECT_EQ(Last_Update_Option, 0);
    EXPECT_TRUE(Last_Read_Back);
}

} // namespace
