// The S7 and MQTT editors and the template editor in the program: created at start with the other
// forms, re-texted by the language switch, and the two editors opened by their hidden main-window
// buttons with a project open.
#include "app/HiddenButtonSupport.h"
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/US7_Protocol_Set_Access.h"
#include "editors/network/UTopicTemplate.h"
#include "grid/base/FadeButton.h"

#include <QTimer>

namespace
{

using namespace tableeditortest;

void Click(TControl* control)
{
    QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

using hiddenbutton::Press;

TEST(S7MQTTStartup, EditorsAreCreatedReTextedAndOpenedByTheirButtons)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    const std::pair<const char*, TForm*> forms[] = {{"FS7_Protocol_Set_Access", FS7_Protocol_Set_Access},
                                                    {"FMQTT_Set_Topic", FMQTT_Set_Topic},
                                                    {"FTopicTemplate", FTopicTemplate}};
    for (const auto& [name, form] : forms) {
        ASSERT_NE(form, nullptr) << name;
        EXPECT_EQ(Find_Form(name), form) << name;
        EXPECT_EQ(form->Name(), name);
    }
    EXPECT_EQ(FTopicTemplate->L_SW_Code->Caption(), "RIVA101");

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FS7_Protocol_Set_Access->Caption(), "#5100");
    EXPECT_EQ(FMQTT_Set_Topic->ACG_Sub->Cells(0, 0), "#3724");
    EXPECT_EQ(FTopicTemplate->L_List_Keywords->Caption(), "#3804");
    Set_English_Texts();
    Set_Lang_Of_Forms();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");

    EXPECT_TRUE(Press("Btn_S7_Protocol_Access", FS7_Protocol_Set_Access, [] {
        FS7_Protocol_Set_Access->ACG_S7_Read->SetCells(s7access::Col_Address, 1, "10.0.0.9");
        FS7_Protocol_Set_Access->ACG_S7_Read->SetCells(s7access::Col_Enable, 1, "N");
        Click(FS7_Protocol_Set_Access->Btn_OK);
    }));
    EXPECT_EQ(File_S7_Protocol, Projects_Dir + "/Plant A/S7_Protocol.xml");
    EXPECT_EQ(Xml_Tree(File_S7_Protocol).size(), 4);

    EXPECT_TRUE(Press("Btn_MQTT_Set_Topic", FMQTT_Set_Topic, [] {
        const QStringList row = {"a", "N", "0", "Int", "1", "0"};
        for (int c = 1; c <= row.size(); ++c)
            FMQTT_Set_Topic->ACG_Pub->SetCells(c, 1, row[c - 1]);
        Click(FMQTT_Set_Topic->Btn_OK);
    }));
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(File_MQTT_Set_Topic).size(), 4);

    Destroy_Forms();
    EXPECT_EQ(FS7_Protocol_Set_Access, nullptr);
    EXPECT_EQ(FMQTT_Set_Topic, nullptr);
    EXPECT_EQ(FTopicTemplate, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
