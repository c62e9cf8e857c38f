// The DeviceNet and DMX editors in the program: created at start with the other forms, re-texted by
// the language switch (every text of the three forms by its index), and opened by their hidden
// main-window buttons on an open project.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/fieldbus/UDMXDefVal.h"
#include "editors/fieldbus/UDNet.h"
#include "editors/fieldbus/UDefOffset.h"
#include "grid/base/FadeButton.h"

#include <QTimer>

namespace
{

using namespace tableeditortest;

TEST(DeviceNetStartup, TheThreeFormsAreCreatedReTextedAndReachable)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    const std::pair<const char*, TForm*> forms[] = {
        {"FDNet", FDNet}, {"FDefOffset", FDefOffset}, {"FDMXDefVal", FDMXDefVal}};
    for (const auto& [name, form] : forms) {
        ASSERT_NE(form, nullptr) << name;
        EXPECT_EQ(Find_Form(name), form) << name;
        EXPECT_EQ(form->Name(), name);
    }
    EXPECT_EQ(FDefOffset->L_SW_Code->Caption(), "RIVA101");

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    Expect_Marker_Texts(*FDNet);
    EXPECT_EQ(FDNet->ESG->Cells(4, 0), "#2918");
    EXPECT_EQ(FDNet->Table(0).Hints, QStringList({"#2919", "#2920", "#2921", "#2922"}));
    EXPECT_EQ(FDMXDefVal->Caption(), "#3100");
    EXPECT_EQ(FDMXDefVal->L_SW_Desc->Caption(), "#3101");
    EXPECT_EQ(FDMXDefVal->Btn_OK->Caption(), "#3102");
    EXPECT_EQ(FDMXDefVal->Btn_Cancel->Hint(), "#3105");
    EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val->Cells(2, 0), "#3108");
    EXPECT_EQ(FDMXDefVal->Table(0).Hints, QStringList({"#3109", "#3110"}));
    const TFDefOffset& off = *FDefOffset;
    EXPECT_EQ(off.Caption(), "#3000");
    EXPECT_EQ(off.L_SW_Desc->Caption(), "#3001");
    EXPECT_EQ(off.Btn_OK->Caption(), "#3002");
    EXPECT_EQ(off.Btn_Cancel->Caption(), "#3003");
    EXPECT_EQ(off.Btn_OK->Hint(), "#3004");
    EXPECT_EQ(off.Btn_Cancel->Hint(), "#3005");
    EXPECT_EQ(off.TabSheet1->Caption(), "#3006");
    EXPECT_EQ(off.TabSheet2->Caption(), "#3007");
    EXPECT_EQ(off.Label1->Caption(), "#3008");
    EXPECT_EQ(off.Label2->Caption(), "#3009");
    EXPECT_EQ(off.Label3->Caption(), "#3010");
    const std::pair<TExtColumnGrid*, int> headers[] = {
        {off.ACG_DN_Slaves, 3011}, {off.ACG_ByteIN, 3015}, {off.ACG_ByteOUT, 3018}};
    for (const auto& [grid, first] : headers)
        for (int c = 0; c < grid->ColCount(); ++c) {
            EXPECT_EQ(grid->Columns()->Items(c)->Header(), Marker(first + c));
            EXPECT_EQ(grid->Cells(c, 0), Marker(first + c));
        }
    Set_English_Texts();
    Set_Lang_Of_Forms();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    const struct {
        const char* button;
        TForm* form;
        TFadeButton* ok;
        std::function<void()> script;
        const char* file;
    } roads[] = {
        {"Btn_DNet_Net", FDNet, FDNet->Btn_OK,
         [] {
             FDNet->ESG->SetCells(1, 1, "3");
             FDNet->ESG->SetCells(2, 1, "1");
             FDNet->ESG->SetCells(3, 1, "2");
         },
         "DNETM_Net.xml"},
        {"Btn_DNet_Offset", FDefOffset, FDefOffset->Btn_OK,
         [] { FDefOffset->ACG_ByteOUT->SetCells(1, 2, "4"); }, "DNETM_DefOff.xml"},
        {"Btn_DMX_Default", FDMXDefVal, FDMXDefVal->Btn_OK, [] {}, "DMX_Default_Values.xml"},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.button);
        TFadeButton* button = FDodiruredavIzavUred->Button(road.button);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->Visible());
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = road.form->Modal();
            road.script();
            QTest::mouseClick(road.ok->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
            if (road.form->ModalResult() == mrNone)
                road.form->SetModalResult(mrCancel);
        });
        // Hidden: no click reaches it, its OnClick is what the table binds.
        ASSERT_TRUE(button->OnClick);
        button->OnClick(button);
        EXPECT_TRUE(opened);
        EXPECT_FALSE(road.form->Visible());
        EXPECT_TRUE(answers->Messages.empty());
        EXPECT_TRUE(FileExists(Projects_Dir + "/Plant A/" + road.file));
    }
    EXPECT_EQ(Xml_Tree(Projects_Dir + "/Plant A/DNETM_DefOff.xml").value(6),
              "      row Offset=\"4\" Mnemonic=\"\"");
    EXPECT_EQ(Xml_Tree(Projects_Dir + "/Plant A/DMX_Default_Values.xml").size(), 513);

    Destroy_Forms();
    EXPECT_EQ(FDNet, nullptr);
    EXPECT_EQ(FDefOffset, nullptr);
    EXPECT_EQ(FDMXDefVal, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
