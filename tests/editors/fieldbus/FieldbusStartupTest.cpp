// The six frame editors at program start: created with the other forms, re-texted by the language
// switch, and the hidden CAN buttons of the main window still open theirs on an open project.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/fieldbus/UReceiveCAN.h"
#include "editors/fieldbus/UReceiveJ1939.h"
#include "editors/fieldbus/UReceiveNMEA.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "editors/fieldbus/UTransmitJ1939.h"
#include "editors/fieldbus/UTransmitNMEA.h"
#include "grid/base/FadeButton.h"

#include <QTimer>

namespace
{

using namespace tableeditortest;

TEST(FieldbusStartup, TheSixEditorsAreCreatedReTextedAndReachable)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    const std::pair<const char*, TForm*> forms[] = {
        {"FReceiveCAN", FReceiveCAN},       {"FTransmitCAN", FTransmitCAN}, {"FReceiveJ1939", FReceiveJ1939},
        {"FTransmitJ1939", FTransmitJ1939}, {"FReceiveNMEA", FReceiveNMEA}, {"FTransmitNMEA", FTransmitNMEA},
    };
    for (const auto& [name, form] : forms) {
        ASSERT_NE(form, nullptr) << name;
        EXPECT_EQ(Find_Form(name), form) << name;
        EXPECT_EQ(form->Name(), name);
    }
    EXPECT_EQ(FReceiveCAN->L_SW_Code->Caption(), "RIVA101");

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FReceiveCAN->Caption(), "#2400");
    EXPECT_EQ(FTransmitCAN->ACG_CAN_Transmit->Cells(6, 0), "#2562");
    EXPECT_EQ(FReceiveJ1939->Caption(), "#3500");
    EXPECT_EQ(FTransmitJ1939->Btn_DelRow->Caption(), "#3604");
    EXPECT_EQ(FReceiveNMEA->L_SW_Desc->Caption(), "#3901");
    EXPECT_EQ(FTransmitNMEA->sga->Cells(1, 0), "#4015");
    Set_English_Texts();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    TFadeButton* button = FDodiruredavIzavUred->Button("Btn_CAN_Rec_Frame");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->Visible());
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = FReceiveCAN->Modal();
        FReceiveCAN->ACG_CAN_Receive->SetCells(2, 1, "0x100");
        FReceiveCAN->ACG_CAN_Receive->SetCells(4, 1, "1");
        FReceiveCAN->ACG_CAN_Receive->SetCells(5, 1, "0");
        QTest::mouseClick(FReceiveCAN->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        if (FReceiveCAN->ModalResult() == mrNone)
            FReceiveCAN->SetModalResult(mrCancel);
    });
    // Hidden: no click reaches it, its OnClick is what the table binds.
    ASSERT_TRUE(button->OnClick);
    button->OnClick(button);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(FReceiveCAN->Visible());
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(Projects_Dir + "/Plant A/CAN_Rec_Frames.xml").size(), 2);

    Destroy_Forms();
    EXPECT_EQ(FReceiveCAN, nullptr);
    EXPECT_EQ(FTransmitNMEA, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
