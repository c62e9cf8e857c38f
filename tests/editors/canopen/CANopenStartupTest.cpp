// The CANopen editors in the program: created at start with the other forms, re-texted by the
// language switch, opened by their hidden main-window buttons, and the hidden EDS command writing what
// the editors saved, or reporting a faulty project file without writing.
#include "app/HiddenButtonSupport.h"
#include "app/TableEditorFixture.h"
#include "app/UFileCommands.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/canopen/USet_PDO_Access.h"
#include "editors/canopen/USet_SDO_Client_Access.h"
#include "editors/canopen/USet_SDO_Server_Access.h"
#include "grid/base/FadeButton.h"

#include <QApplication>
#include <QTimer>

namespace
{

using namespace tableeditortest;

// Types `text` into cell (c, r) as the user does: the cell made current, F2, the old text replaced.
void Type_Cell(TExtColumnGrid* grid, int c, int r, const QString& text)
{
    QApplication::setActiveWindow(grid->Widget()->window());
    grid->SetFocus();
    grid->FocusCell(c, r);
    formtest::Pump();
    QTest::keyClick(grid->Widget(), Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
    TTableEditor::End_Cell_Edit(grid);
}

void Click(TControl* control)
{
    QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

using hiddenbutton::Press;

TEST(CANopenStartup, EditorsAreCreatedReTextedAndTheEDSCommandWritesWhatTheySaved)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    const std::pair<const char*, TForm*> forms[] = {{"FSet_PDO_Access", FSet_PDO_Access},
                                                    {"FSet_SDO_Client_Access", FSet_SDO_Client_Access},
                                                    {"FSet_SDO_Server_Access", FSet_SDO_Server_Access}};
    for (const auto& [name, form] : forms) {
        ASSERT_NE(form, nullptr) << name;
        EXPECT_EQ(Find_Form(name), form) << name;
        EXPECT_EQ(form->Name(), name);
    }
    EXPECT_EQ(FSet_SDO_Server_Access->L_SW_Code->Caption(), "RIVA101");
    EXPECT_TRUE(File_Command_Slots().Create_EDS_File);

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FSet_PDO_Access->Caption(), "#2600");
    EXPECT_EQ(FSet_SDO_Client_Access->sga->Cells(10, 0), "#2780");
    EXPECT_EQ(FSet_SDO_Server_Access->Table(1).Tab->Caption(), "#2815");
    Set_English_Texts();
    Set_Lang_Of_Forms();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");

    // PDOs typed and saved with OK.
    EXPECT_TRUE(Press("Btn_PDO_CANopen", FSet_PDO_Access, [&] {
        TExtColumnGrid* a = FSet_PDO_Access->sga;
        const char* receive[] = {"0x201", "3", "0", "1", "2"};
        for (int c = 1; c <= 5; ++c)
            Type_Cell(a, c, 1, receive[c - 1]);
        Type_Cell(a, 11, 1, "0");
        FSet_PDO_Access->PageControl1->SetActivePage(FSet_PDO_Access->Table(1).Tab);
        formtest::Pump();
        TExtColumnGrid* b = FSet_PDO_Access->sgb;
        const char* transmit[] = {"385", "2", "10", "11"};
        for (int c = 1; c <= 4; ++c)
            Type_Cell(b, c, 1, transmit[c - 1]);
        Type_Cell(b, 11, 1, "100");
        Click(FSet_PDO_Access->Btn_OK);
    }));
    EXPECT_TRUE(answers->Messages.empty()) << answers->Messages.front().Text.toStdString();
    EXPECT_EQ(Xml_Tree(File_PDO_CANopen).size(), 5);
    EXPECT_EQ(File_PDO_CANopen, Projects_Dir + "/Plant A/PDO_CANopen.xml");

    EXPECT_TRUE(Press("Btn_SDO_Server_CANopen", FSet_SDO_Server_Access, [&] {
        const char* row[] = {"0x2000", "2", "1", "0"};
        for (int c = 1; c <= 4; ++c)
            FSet_SDO_Server_Access->sga->SetCells(c, 1, row[c - 1]);
        Click(FSet_SDO_Server_Access->Btn_OK);
    }));
    EXPECT_TRUE(Press("Btn_SDO_Client_CANopen", FSet_SDO_Client_Access, [] {}));
    EXPECT_TRUE(answers->Messages.empty());

    // The hidden EDS command: the save dialog answered, the file written under the name chosen.
    const QString eds = Projects_Dir + "/Plant A/Gateway.eds";
    answers->FileAnswers = {eds};
    Press("Btn_CANopen_EDS", nullptr, {});
    ASSERT_EQ(answers->FileDialogs.size(), 1u);
    EXPECT_EQ(answers->FileDialogs[0].Filter, "Electronic Data Sheet (*.eds)|*.eds");
    const QStringList lines = QString::fromLatin1(testsupport::readBytes(eds)).split("\r\n");
    EXPECT_TRUE(lines.contains("NrOfRXPDO=1"));
    EXPECT_TRUE(lines.contains("NrOfTXPDO=1"));
    EXPECT_EQ(lines.at(lines.indexOf("[1400sub1]") + 5), "DefaultValue=0x00000201");
    EXPECT_EQ(lines.at(lines.indexOf("[1800sub1]") + 5), "DefaultValue=0x00000181");
    EXPECT_EQ(lines.at(lines.indexOf("[1600]") + 1), "SubNumber=4");
    EXPECT_EQ(lines.at(lines.indexOf("[2000]") + 1), "SubNumber=2");
    EXPECT_TRUE(lines.contains("[2000sub2]"));
    EXPECT_TRUE(answers->Messages.empty());

    // A faulty server file: the error report names it and the EDS keeps its bytes.
    const QByteArray before = testsupport::readBytes(eds);
    testsupport::writeBytes(File_SDO_Server_CANopen, "<SDO_Server_CANopen><SDO_Read>");
    answers->FileAnswers = {eds};
    Press("Btn_CANopen_EDS", nullptr, {});
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_TRUE(answers->Messages[0].Text.contains("SDO_Server_CANopen.xml"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_EQ(testsupport::readBytes(eds), before);

    Destroy_Forms();
    EXPECT_EQ(FSet_PDO_Access, nullptr);
    EXPECT_EQ(FSet_SDO_Server_Access, nullptr);
    EXPECT_FALSE(File_Command_Slots().Create_EDS_File);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
