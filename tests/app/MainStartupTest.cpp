// The main window's start-up sequence: what each of the window's own steps finds done before it.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UMainStartup.h"
#include "common/TestSupport.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

class MainStartUp : public ::testing::Test
{
  protected:
    void SetUp() override { Reset_Globals(); }
    void TearDown() override
    {
        Clear_Lang_Table();
        Reset_Globals();
    }

    void writeSettings(const char* project, bool internet, bool update)
    {
        writeBytes(dir.file("Tessilator.xml"),
                   QByteArray("<Conf_Settings><lastproj><projectname>") + project +
                       "</projectname></lastproj><lastinternet><enable_internet>" + (internet ? "1" : "0") +
                       "</enable_internet><enable_update>" + (update ? "1" : "0") +
                       "</enable_update></lastinternet></Conf_Settings>");
    }

    TempDir dir;
};

TEST_F(MainStartUp, EachStepOfTheWindowFindsWhatItNeeds)
{
    ASSERT_TRUE(ForceDirectories(dir.path() + "/PROJECTS/Plant A"));
    writeSettings("Plant A", true, true);
    Set_English_Texts(); // a table left over from before must be emptied first
    Row_Clipboard = {"stale"};
    QStringList order;

    TMainStartUpSteps steps;
    steps.Lay_Out = [&] {
        order << "layout";
        EXPECT_EQ(Lang_Table_Size, 0);
        EXPECT_FALSE(DirectoryExists(dir.path() + "/MASTER"));
    };
    steps.Set_Update_Timer = [&] {
        order << "timer";
        EXPECT_TRUE(Update_Timer_Wanted());
        EXPECT_EQ(Active_Project_Name, "Plant A");
        EXPECT_TRUE(Main_Title.isEmpty());
    };
    steps.Show_Identity = [&] {
        order << "identity";
        EXPECT_EQ(Main_Title, "Brivexcorp - Configurator RIVA101 - EtherCAT Slave / Modbus Master ");
        EXPECT_EQ(SW_Code, "RIVA101");
        EXPECT_EQ(Lang_Table_Size, 0);
    };
    steps.Set_Lang = [&] {
        order << "lang";
        EXPECT_EQ(Lang_Text(11), "Opened Configuration of the Converter : ");
        EXPECT_EQ(Active_Project_Dir, dir.path() + "/PROJECTS/Plant A");
    };
    Main_Start_Up(dir.path(), steps);

    EXPECT_EQ(order, QStringList({"layout", "timer", "identity", "lang"}));
    for (const char* sub : {"/MASTER", "/PROJECTS", "/LANGUAGE"})
        EXPECT_TRUE(DirectoryExists(dir.path() + sub)) << sub;
    EXPECT_EQ(File_ParGen, dir.path() + "/PROJECTS/Plant A/ParGen.xml");
    EXPECT_TRUE(Last_Read_Back);
    EXPECT_TRUE(Row_Clipboard.isEmpty());
}

TEST_F(MainStartUp, TimerRuleNeedsBothOptions)
{
    struct Case {
        bool internet, update, wanted;
    };
    for (const Case& c : {Case{false, false, false}, Case{true, false, false}, Case{false, true, false},
                          Case{true, true, true}}) {
        writeSettings("", c.internet, c.update);
        Main_Start_Up(dir.path(), {});
        EXPECT_EQ(Update_Timer_Wanted(), c.wanted) << c.internet << c.update;
    }
}

TEST_F(MainStartUp, DeletedProjectFolderGivesNoProjectButKeepsTheName)
{
    writeSettings("Plant A", false, false);
    Main_Start_Up(dir.path(), {});
    EXPECT_EQ(Active_Project_Name, "Plant A");
    EXPECT_EQ(Active_Project_Dir, "");
    EXPECT_EQ(File_ParGen, "/ParGen.xml");
}

} // namespace
