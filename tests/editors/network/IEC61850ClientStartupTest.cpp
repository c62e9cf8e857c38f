// The IEC 61850 client editor in the program: created at start, re-texted by the language switch,
// opened by its hidden main-window button.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/network/UIEC_61850_Access.h"
#include "grid/base/FadeButton.h"

#include <QTimer>

namespace
{

using namespace tableeditortest;

TEST(IEC61850ClientStartup, CreatedReTextedAndOpenedByItsHiddenButton)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    ASSERT_NE(FIEC_61850_Access, nullptr);
    EXPECT_EQ(Find_Form("FIEC_61850_Access"), FIEC_61850_Access);
    EXPECT_EQ(FIEC_61850_Access->L_SW_Code->Caption(), "RIVA101");

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FIEC_61850_Access->Caption(), "#3200");
    EXPECT_EQ(FIEC_61850_Access->Btn_Add_IEC_Device->Caption(), "#3208");
    Set_English_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FIEC_61850_Access->Caption(), "IEC61850 Client Set Access");

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    TFadeButton* button = FDodiruredavIzavUred->Button("Btn_IEC61850_Client");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->Visible());
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = FIEC_61850_Access->Modal();
        FIEC_61850_Access->Btn_Cancel->Click();
    });
    GuardedDispatch([&] { button->OnClick(button); });
    formtest::Pump();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(File_IEC_61850_Client, Projects_Dir + "/Plant A/IEC_61850_Client.xml");
    EXPECT_FALSE(FileExists(File_IEC_61850_Client)); // Cancel writes nothing

    Destroy_Forms();
    EXPECT_EQ(FIEC_61850_Access, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
