// The BACnet server editor and the unit picker at program start: created with the other forms,
// re-texted by the language switch, and the hidden EDE command of the main window writing through
// the editor's slot.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/bacnet/UBACnetSlaveSetAccess.h"
#include "editors/bacnet/UBACnet_Eng_Unit.h"
#include "grid/base/FadeButton.h"

namespace
{

using namespace tableeditortest;

class BACnetStartup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        Create_Forms(program.path());
        ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant7"));
        Set_Active_Project("Plant7");
    }
    void TearDown() override
    {
        Destroy_Forms();
        Reset_Globals();
        Clear_Lang_Table();
    }
    // The hidden button's click as the toolkit dispatches it.
    void Click_EDE()
    {
        TFadeButton* button = FDodiruredavIzavUred->Button("Btn_BACnet_EDE_File");
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->Visible());
        ASSERT_TRUE(button->OnClick);
        GuardedDispatch([&] { button->OnClick(button); });
    }

    TScopedInteraction answers;
    testsupport::TempDir program;
};

TEST_F(BACnetStartup, BothFormsAreCreatedAndReTexted)
{
    ASSERT_NE(FBACnet_Eng_Unit, nullptr);
    ASSERT_NE(FBACnetSlaveSetAccess, nullptr);
    EXPECT_EQ(Find_Form("FBACnet_Eng_Unit"), FBACnet_Eng_Unit);
    EXPECT_EQ(Find_Form("FBACnetSlaveSetAccess"), FBACnetSlaveSetAccess);
    EXPECT_EQ(FBACnetSlaveSetAccess->L_SW_Code->Caption(), "RIVA101");
    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FBACnetSlaveSetAccess->Caption(), "#2200");
    EXPECT_EQ(FBACnetSlaveSetAccess->ACG_BACnet_in_Write->Cells(7, 0), "#2231");
    EXPECT_EQ(FBACnet_Eng_Unit->Label3->Caption(), "#2306");
}

TEST_F(BACnetStartup, TheHiddenEDECommandWritesTheFile)
{
    testsupport::writeBytes(
        File_BACnet_Slave,
        "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" "
        "Mnemonic=\"T\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
    const QString dir = Active_Project_Dir;
    answers->FileAnswers = {dir + "/out"};
    Click_EDE();
    EXPECT_TRUE(answers->Messages.empty());
    const QList<QByteArray> lines = testsupport::readBytes(dir + "/out.csv").split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "PROJECT_NAME; Brivexcorp--Plant7;;;;;;\r");
    EXPECT_EQ(lines[7], "_T_0;;T;0;0;T;62;\r");

    // An existing file answered No keeps its bytes.
    testsupport::writeBytes(dir + "/out.csv", "mine");
    answers->FileAnswers = {dir + "/out.csv"};
    answers->MessageAnswers = {mrNo};
    Click_EDE();
    EXPECT_EQ(testsupport::readBytes(dir + "/out.csv"), "mine");
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_EQ(answers->Messages[0].Type, mtConfirmation);

    // A file that cannot be written: one error naming it, nothing left behind.
    answers->Messages.clear();
    answers->FileAnswers = {dir + "/gone/out"};
    Click_EDE();
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_TRUE(answers->Messages[0].Text.contains(dir + "/gone/out.csv"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_FALSE(DirectoryExists(dir + "/gone"));
}

} // namespace
