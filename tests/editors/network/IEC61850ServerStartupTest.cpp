// The IEC 61850 server, TLS certificate and OPC UA server editors at program start: created with the
// other forms, re-texted by the language switch, and opened by their hidden main-window buttons on an
// open project, where OK writes each editor's file.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/network/UIEC61850_Variables.h"
#include "editors/network/UOPC_UA_Server_Access.h"
#include "editors/network/UTLS_Server_Known_Cert.h"
#include "grid/base/FadeButton.h"

#include <QTimer>

namespace
{

using namespace tableeditortest;

TEST(NetworkServerStartup, TheThreeEditorsAreCreatedReTextedAndReachable)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    const struct {
        const char* name;
        TTableEditor* form;
        const char* button;
        const char* file;
        const char* root;
        const char* caption; // under marker texts
        const char* header;  // row 0 of column 2 under marker texts
    } editors[] = {
        {"FIEC61850_Variables", FIEC61850_Variables, "Btn_IEC61850_Access", "IEC61850_Variables.xml",
         "IEC61850_Variables", "#3300", "#3316"},
        {"FTLS_Server_Known_Cert", FTLS_Server_Known_Cert, "Btn_TLS_List_Certificates", "TLS_Known_Cert.xml",
         "TLS_Server_Known_Cert", "#3400", "#3416"},
        {"FOPC_UA_Server_Access", FOPC_UA_Server_Access, "Btn_OPC_UA_Server_Access", "OPC_UA_Server.xml",
         "OPC_UA_Server", "#4500", "#4516"},
    };
    for (const auto& e : editors) {
        ASSERT_NE(e.form, nullptr) << e.name;
        EXPECT_EQ(Find_Form(e.name), e.form) << e.name;
        EXPECT_EQ(e.form->L_SW_Code->Caption(), "RIVA101") << e.name;
    }

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    for (const auto& e : editors) {
        EXPECT_EQ(e.form->Caption(), e.caption) << e.name;
        EXPECT_EQ(e.form->Table(0).String_Grid->Cells(2, 0), e.header) << e.name;
    }
    Set_English_Texts();
    Set_Lang_Of_Forms();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    for (const auto& e : editors) {
        SCOPED_TRACE(e.name);
        TFadeButton* button = FDodiruredavIzavUred->Button(e.button);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->Visible());
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = e.form->Modal();
            QTest::mouseClick(e.form->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
            if (e.form->ModalResult() == mrNone)
                e.form->SetModalResult(mrCancel);
        });
        // Hidden: no click reaches it, its OnClick is what the table binds.
        ASSERT_TRUE(button->OnClick);
        button->OnClick(button);
        EXPECT_TRUE(opened);
        EXPECT_FALSE(e.form->Visible());
        EXPECT_EQ(Xml_Tree(Projects_Dir + "/Plant A/" + e.file).value(0), e.root);
    }
    EXPECT_TRUE(answers->Messages.empty());

    Destroy_Forms();
    EXPECT_EQ(FIEC61850_Variables, nullptr);
    EXPECT_EQ(FTLS_Server_Known_Cert, nullptr);
    EXPECT_EQ(FOPC_UA_Server_Access, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
