// The main window on a temporary program folder: start-up, layout, texts, the refusal without a
// project, the buttons' actions, the timer rule and closing.
#include "MainTestForms.h"

#include "app/UFileCommands.h"
#include "app/UFormOrder.h"
#include "app/UVersion.h"
#include "gateway/UParGen.h"

#include <QDir>
#include <QTcpServer>

using namespace shelltest;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace
{

const char* const kStepButtons[][2] = {
    {"Btn_New", "New Configuration"},
    {"Btn_Open", "Open Configuration"},
    {"Btn_Prm_Gen", "Set Communication"},
    {"Btn_EtherCAT_Set_Group", "EtherCAT Set Group"},
    {"Btn_EtherCAT_Set_Access", "EtherCAT Set Access"},
    {"Btn_Modbus_Set_Access", "Modbus Set Access"},
    {"Btn_EtherCAT_ESI_File", "EtherCAT ESI File"},
    {"Btn_CreateBin", "Update Device UDP"},
};

class MainWindow : public ShellForms
{
  protected:
    // The visible step and header buttons by caption (header icons have none).
    QStringList VisibleButtonCaptions() const
    {
        QStringList out;
        for (const TMainButton& row : Main_Buttons()) {
            TFadeButton* b = main->Button(row.Name);
            if (b->Visible() && b->Widget()->isVisible() && row.Step != kHeaderButton)
                out << b->Caption();
        }
        return out;
    }

    TFadeButton* ButtonCaptioned(const QString& caption) const
    {
        for (const TMainButton& row : Main_Buttons())
            if (main->Button(row.Name)->Caption() == caption)
                return main->Button(row.Name);
        ADD_FAILURE() << "no button " << caption.toStdString();
        return nullptr;
    }

    void ExpectNoProjectHeader() const
    {
        EXPECT_EQ(main->L_Name_Conf->Caption(), "None Configuration Opened ");
        EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");
    }
};

TEST_F(MainWindow, FirstStartInAnEmptyFolder)
{
    Start();
    for (const char* sub : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(DirectoryExists(dir.file(sub))) << sub;
    EXPECT_EQ(main->Caption(), "Brivexcorp - Configurator RIVA101 - EtherCAT Slave / Modbus Master ");
    EXPECT_EQ(main->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(main->L_SW_Desc->Caption(), "EtherCAT Slave / Modbus Master - Converter");
    EXPECT_EQ(main->L_Begin->Caption(), "Begin");
    ExpectNoProjectHeader();

    QStringList expected;
    for (const auto& b : kStepButtons)
        expected << b[1];
    QStringList visible = VisibleButtonCaptions();
    visible.sort();
    expected.sort();
    EXPECT_EQ(visible, expected);
    for (const auto& b : kStepButtons)
        EXPECT_EQ(main->Button(b[0])->Caption(), b[1]);
    EXPECT_EQ(main->Btn_EtherCAT_ESI_File->Hint(), "");
    EXPECT_EQ(main->Btn_Prm_Gen->Hint(), "Set the main parameters of Protocols");
    EXPECT_EQ(main->Btn_Close->Hint(), "Close Configurator");
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(main->L_Step[i]->Caption(), QString("Step %1").arg(i + 1));
        EXPECT_EQ(main->L_Step[i]->Widget()->isVisible(), i < 6) << i;
    }
    EXPECT_FALSE(main->LL_Update->Widget()->isVisible());
    EXPECT_FALSE(main->Timer_Update->Enabled());
}

TEST_F(MainWindow, LayoutOnScreen)
{
    Start();
    EXPECT_EQ(main->Widget()->size(), QSize(694, 484));
    struct Case {
        TControl* control;
        QRect geometry;
    };
    const Case cases[] = {
        {main->Btn_New, {80, 112, 170, 36}},
        {main->Btn_Open, {258, 112, 170, 36}},
        {main->Btn_Prm_Gen, {80, 156, 170, 36}},
        {main->Btn_EtherCAT_Set_Group, {80, 200, 170, 36}},
        {main->Btn_EtherCAT_Set_Access, {258, 200, 170, 36}},
        {main->Btn_Modbus_Set_Access, {80, 244, 170, 36}},
        {main->Btn_EtherCAT_ESI_File, {80, 288, 170, 36}},
        {main->Btn_CreateBin, {80, 332, 170, 36}},
        {main->Btn_Info, {516, 8, 50, 50}},
        {main->Btn_Opz, {574, 8, 50, 50}},
        {main->Btn_Close, {632, 8, 50, 50}},
        {main->Shape2, {80, 70, 348, 36}},
        {main->Shape1, {10, 383, 674, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.control->Widget()->geometry(), c.geometry) << c.control->Name().toStdString();
    const QPoint corners[][2] = {
        {main->L_SW_Code->Widget()->pos(), {16, 8}},       {main->L_SW_Desc->Widget()->pos(), {16, 42}},
        {main->L_Begin->Widget()->pos(), {16, 84}},        {main->L_Name_Conf->Widget()->pos(), {87, 75}},
        {main->L_Name_Conf_L2->Widget()->pos(), {87, 88}}, {main->L_Step[5]->Widget()->pos(), {16, 348}},
        {main->L_Brivex->Widget()->pos(), {565, 348}},
    };
    for (const auto& c : corners)
        EXPECT_EQ(c[0], c[1]);
    // The maker's label fits the window.
    EXPECT_LE(main->L_Brivex->Widget()->geometry().right(), 693);
}

TEST_F(MainWindow, LanguageFileSettingEveryIndexOfTheBlock)
{
    QByteArray lng;
    for (int i = 0; i < 100; ++i)
        lng += "STR" + QByteArray::number(i) + " = T" + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(ForceDirectories(dir.file("LANGUAGE")));
    writeBytes(dir.file("LANGUAGE/Test.lng"), lng);

    // Once chosen at start, once switched to after an English start.
    for (const bool atStart : {true, false}) {
        SCOPED_TRACE(atStart ? "at start" : "switched");
        WriteSettings("", atStart ? "Test" : "English");
        Start();
        if (!atStart) {
            Language_Name = "Test";
            Load_Language();
            main->Change_Language();
        }
        EXPECT_EQ(main->Btn_EtherCAT_ESI_File->Caption(), "EtherCAT ESI File");
        EXPECT_EQ(main->Btn_EtherCAT_ESI_File->Hint(), "");
        EXPECT_EQ(main->Btn_New->Caption(), "T15");
        EXPECT_EQ(main->Btn_New->Hint(), "T22");
        EXPECT_EQ(main->Btn_EtherCAT_Set_Group->Caption(), "T79");
        EXPECT_EQ(main->L_Begin->Caption(), "T0");
        EXPECT_EQ(main->L_Step[5]->Caption(), "T6");
        EXPECT_EQ(main->L_Name_Conf->Caption(), "T9");
        EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "T10");
        EXPECT_EQ(main->Caption(), "Brivexcorp - Configurator RIVA101 - EtherCAT Slave / Modbus Master ");
        EXPECT_EQ(main->L_SW_Code->Caption(), "RIVA101");
        Stop();
        Reset_Globals();
    }
}

TEST_F(MainWindow, WithoutAProjectOnlyTheFreeButtonsWork)
{
    Start();
    main->Record = true;
    const char* refused[] = {"Set Communication", "EtherCAT Set Group", "EtherCAT Set Access",
                             "Modbus Set Access", "EtherCAT ESI File",  "Update Device UDP"};
    for (const char* caption : refused) {
        answers->Messages.clear();
        Click(ButtonCaptioned(caption));
        ASSERT_EQ(answers->Messages.size(), 1u) << caption;
        EXPECT_EQ(answers->Messages[0].Text, "Error! Project not Valid");
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
    }
    EXPECT_EQ(main->Ran, QStringList());

    answers->Messages.clear();
    for (TFadeButton* b : {main->Btn_New, main->Btn_Open, main->Btn_Info, main->Btn_Opz, main->Btn_Close})
        Click(b);
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_EQ(main->Ran, QStringList({"Btn_New", "Btn_Open", "Btn_Info", "Btn_Opz", "Btn_Close"}));

    // The same buttons pass once a project is open.
    main->Ran.clear();
    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    for (const char* caption : refused)
        Click(ButtonCaptioned(caption));
    EXPECT_EQ(MessageTexts(), QStringList());
    EXPECT_EQ(main->Ran.size(), std::size(refused));
}

TEST_F(MainWindow, ButtonActions)
{
    Start();
    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");

    // The ESI file is asked for in the project folder; cancelling writes nothing.
    answers->FileAnswers = {QString()};
    Click(main->Btn_EtherCAT_ESI_File);
    ASSERT_EQ(answers->FileDialogs.size(), 1u);
    EXPECT_TRUE(answers->FileDialogs[0].Save);
    EXPECT_EQ(answers->FileDialogs[0].InitialDir, Projects_Dir + "/Plant A");

    // Information shows the about box modally.
    WithModal(main->Btn_Info, FAbout, [&] { EXPECT_TRUE(FAbout->Widget()->isVisible()); });

    // An editor that is not created yet leaves its button without effect.
    Click(main->Btn_EtherCAT_Set_Access);
    EXPECT_EQ(MessageTexts(), QStringList());

    Click(main->L_Brivex);
    EXPECT_EQ(answers->OpenedURLs, QStringList({Home_Page_URL()}));

    // The update compiles the project's image into "bin", then asks for the update dialog.
    std::vector<int> bootTypes;
    File_Command_Slots().Show_Boot = [&](int type) { bootTypes.push_back(type); };
    Click(main->Btn_CreateBin);
    File_Command_Slots().Show_Boot = nullptr;
    EXPECT_EQ(bootTypes, std::vector<int>({1}));
    EXPECT_TRUE(FileExists(Projects_Dir + "/Plant A/bin/bank1.bin"));
}

TEST_F(MainWindow, UpdateTimerNeedsBothConnectionOptions)
{
    struct Case {
        const char* internet;
        const char* update;
        bool enabled;
    };
    const Case cases[] = {{"0", "0", false}, {"1", "0", false}, {"0", "1", false}, {"1", "1", true}};
    for (const Case& c : cases) {
        writeBytes(dir.file("Tessilator.xml"), QByteArray("<Conf_Settings><lastinternet><enable_internet>") +
                                                   c.internet + "</enable_internet><enable_update>" +
                                                   c.update +
                                                   "</enable_update></lastinternet></Conf_Settings>");
        Start();
        EXPECT_EQ(main->Timer_Update->Enabled(), c.enabled) << c.internet << c.update;
        EXPECT_EQ(main->Timer_Update->Interval(), 60000u);
        Stop();
    }
}

TEST_F(MainWindow, TimerTickWithoutAnAnswerHidesTheLinkAndWaitsTwoHours)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    Set_Maker_Web_Base(QString("http://127.0.0.1:%1").arg(port));
    Start();
    main->LL_Update->Show();
    main->Timer_UpdateTimer(main->Timer_Update);
    Set_Maker_Web_Base(QString());
    EXPECT_FALSE(main->LL_Update->Visible());
    EXPECT_EQ(main->Timer_Update->Interval(), 7200000u);
    EXPECT_TRUE(main->Timer_Update->Enabled());
}

TEST_F(MainWindow, ClosingWritesTheSettingsAndTheNextStartRestoresTheProject)
{
    Start();
    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    Click(main->Btn_Close);
    EXPECT_FALSE(main->Widget()->isVisible());
    EXPECT_TRUE(readBytes(dir.file("Tessilator.xml")).contains("<projectname>Plant A</projectname>"));
    EXPECT_EQ(MessageTexts(), QStringList());

    Stop();
    Reset_Globals();
    Start();
    EXPECT_EQ(main->L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Plant A");
    EXPECT_EQ(File_ParGen, dir.path() + "/PROJECTS/Plant A/ParGen.xml");

    // Its folder deleted: no project, the editors refused, the name kept for a later start.
    Stop();
    Reset_Globals();
    ASSERT_TRUE(QDir(dir.file("PROJECTS/Plant A")).removeRecursively());
    Start();
    ExpectNoProjectHeader();
    Click(main->Btn_Prm_Gen);
    EXPECT_EQ(MessageTexts(), QStringList({"Error! Project not Valid"}));
    main->Widget()->close(); // the close box
    EXPECT_FALSE(main->Widget()->isVisible());
    EXPECT_TRUE(readBytes(dir.file("Tessilator.xml")).contains("<projectname>Plant A</projectname>"));
}

TEST_F(MainWindow, SettingsThatCannotBeWrittenGiveOneErrorAndTheWindowStillCloses)
{
    Start();
    // A folder in the file's place: the write cannot replace it.
    ASSERT_TRUE(CreateDir(dir.file("Tessilator.xml")));
    Click(main->Btn_Close);
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_TRUE(answers->Messages[0].Text.contains("Tessilator.xml"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_FALSE(main->Widget()->isVisible());
}

TEST_F(MainWindow, ProgramStartCreatesTheMainWindowFirst)
{
    // The dialogs take SW_Code in their creation: it exists only when the main window came first.
    Create_Forms(dir.path());
    ASSERT_NE(FDodiruredavIzavUred, nullptr);
    EXPECT_EQ(Application->MainForm(), FDodiruredavIzavUred);
    EXPECT_EQ(FNew_Project->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(FOpenConf->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(FNew_Project->Caption(), "Create New Configuration");
    for (const char* name : {"FDodiruredavIzavUred", "FNew_Project", "FOpenConf", "FAbout", "FParGen"})
        EXPECT_NE(Find_Form(name), nullptr) << name;
    EXPECT_EQ(Find_Form("FOPC_UA_Client_Access"), nullptr);
    EXPECT_TRUE(DirectoryExists(dir.file("PROJECTS")));
    Destroy_Forms();
    EXPECT_EQ(FDodiruredavIzavUred, nullptr);
    EXPECT_EQ(FAbout, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(MainWindow, StepTwoOpensTheCommunicationParametersOfTheOpenProject)
{
    Create_Forms(dir.path());
    ASSERT_NE(FParGen, nullptr);
    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    WithModal(FDodiruredavIzavUred->Btn_Prm_Gen, FParGen, [&] {
        EXPECT_EQ(FParGen->Caption(), "Set Communication");
        Click(FParGen->Btn_OK);
    });
    EXPECT_TRUE(readBytes(Projects_Dir + "/Plant A/ParGen.xml").startsWith("<Par_Gen>"));
    EXPECT_EQ(MessageTexts(), QStringList());
    Destroy_Forms();
    EXPECT_EQ(FParGen, nullptr);
}

} // namespace
