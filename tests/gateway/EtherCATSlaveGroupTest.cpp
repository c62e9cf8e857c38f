// The EtherCAT variable-group editor on a real form, through the table-editor fixture: its two
// tables, the check of counts and totals, the file it writes (and the image compiler reads), the
// row buttons across the tabs and the load faults.
#include "gateway/UEtherCATSlave_Group.h"

#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "gateway/UConfigImage.h"
#include "grid/core/ExtCGrid.h"

#include <QApplication>
#include <QDir>

namespace
{

using namespace tableeditortest;

const QString StoM_Row_Fault = "!! [Slave to Master] Num Variables must be beetween 1 and 256";
const QString StoM_Total = "Error!! [Slave to Master] Num Variables in total must be minor or equal to 256";
const QString MtoS_Total = "Error!! [Master to Slave] Num Variables in total must be minor or equal to 256";
const QString No_Copy = "Error!!! Copy a valid row before Paste it";

class Group : public TableEditorFixture<TFEtherCATSlave_Group>
{
  protected:
    TExtColumnGrid* StoM() { return form->ACG_Group_StoM; }
    TExtColumnGrid* MtoS() { return form->ACG_Group_MtoS; }
    QStringList Saved() { return Xml_Tree(File_EtherCAT_Slave_Group); }
    // Shows the editor, fills the tables with `stom` and `mtos` rows and presses OK.
    TModalResult Ok_With(const std::vector<QStringList>& stom, const std::vector<QStringList>& mtos)
    {
        return Show([&] {
            for (size_t i = 0; i < stom.size(); ++i)
                Write_Row(StoM(), int(i) + 1, stom[i]);
            for (size_t i = 0; i < mtos.size(); ++i)
                Write_Row(MtoS(), int(i) + 1, mtos[i]);
            Click(form->Btn_OK);
        });
    }
};

TEST_F(Group, TheEditorHasTwoTablesOfSixteenGroups)
{
    EXPECT_EQ(form->ClientWidth(), 800);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "EtherCAT Slave Set Group");
    ASSERT_NE(form->PageControl1, nullptr);
    EXPECT_EQ(form->PageControl1->PageCount(), 2);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SlaveToMaster);
    EXPECT_EQ(form->TS_SlaveToMaster->Caption(), "Slave To Master");
    EXPECT_EQ(form->TS_MasterToSlave->Caption(), "Master To Slave");
    for (TExtColumnGrid* g : {StoM(), MtoS()}) {
        SCOPED_TRACE(g->Name().toStdString());
        EXPECT_EQ(g->Parent(), g == StoM() ? form->TS_SlaveToMaster : form->TS_MasterToSlave);
        EXPECT_EQ(g->RowCount(), 17);
        EXPECT_EQ(g->ColCount(), 4);
        EXPECT_TRUE(g->OnClickCell && g->OnDblClickCell && g->OnKeyPress);
        EXPECT_FALSE(g->OnGridHint); // no header hints in this editor
        const int widths[] = {40, 300, 100, 300};
        const TColor colors[] = {clWindow, 0xFEFAE0, 0xA8FFA8, clWindow};
        const char* headers[] = {"N", "Group Name", "Num Variables", "Mnemonic"};
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
            EXPECT_EQ(g->Columns()->Items(c)->Color(), colors[c]) << c;
            EXPECT_EQ(g->Columns()->Items(c)->Editor(), edNormal) << c;
            EXPECT_EQ(g->Cells(c, 0), headers[c]) << c;
        }
    }
    // Only Copy Row and Paste Row show their hints.
    EXPECT_FALSE(form->Btn_OK->ShowHint());
    EXPECT_TRUE(form->Btn_CopyRow->ShowHint());
    EXPECT_EQ(form->Btn_PasteRow->Hint(), "Paste the Copied Fields in the Selected Row");
}

TEST_F(Group, TheCheckRefusesCountsOutsideOneTo256AndTotalsAbove256)
{
    struct Case {
        const char* what;
        std::vector<QStringList> stom, mtos;
        QString fault; // empty: passes
    };
    const auto rows3 = [](const QString& n) {
        return std::vector<QStringList>{{"A", "1", ""}, {"B", "1", ""}, {"C", n, ""}};
    };
    const QString row3 = "Error row 3" + StoM_Row_Fault;
    const Case cases[] = {
        {"200 and 56", {{"A", "200", ""}, {"B", "56", ""}}, {}, ""},
        {"200 and 57", {{"A", "200", ""}, {"B", "57", ""}}, {}, StoM_Total},
        {"200 and 57 the other way", {}, {{"A", "200", ""}, {"B", "57", ""}}, MtoS_Total},
        {"0", rows3("0"), {}, row3},
        {"257", rows3("257"), {}, row3},
        {"x", rows3("x"), {}, row3},
        {"1.5", rows3("1.5"), {}, row3},
        {"empty", rows3(""), {}, row3},
        {"a trailing blank", rows3("3 "), {}, row3},
        {"256 alone", {{"A", "256", ""}}, {}, ""},
        {"$10 is 16", rows3("$10"), {}, ""},
        {"the other table's row",
         {},
         {{"A", "0", ""}},
         "Error row 1!! [Master to Slave] Num Variables must be beetween 1 and 256"},
        // Slave to master is checked first.
        {"both faulty", {{"A", "300", ""}}, {{"A", "0", ""}}, "Error row 1" + StoM_Row_Fault},
        // Below the first empty name nothing counts.
        {"300 below an empty name", {{"A", "3", ""}, {"  ", "", ""}, {"C", "300", ""}}, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        QFile::remove(File_EtherCAT_Slave_Group);
        const TModalResult result = Ok_With(c.stom, c.mtos);
        if (c.fault.isEmpty()) {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
            EXPECT_TRUE(FileExists(File_EtherCAT_Slave_Group));
        } else {
            EXPECT_EQ(result, mrCancel);
            EXPECT_EQ(Message_Texts(), QStringList({c.fault}));
            if (!answers->Messages.empty()) {
                EXPECT_EQ(answers->Messages[0].Type, mtError);
                EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
            }
            EXPECT_FALSE(FileExists(File_EtherCAT_Slave_Group));
        }
    }
}

TEST_F(Group, OKWritesTheTypedGroupsAndTheImageCompilerReadsThem)
{
    // The fixture project's groups, typed into the cells.
    const TModalResult result =
        Ok_With({{"Status", "3", "state bits"}, {"Data", "2", ""}}, {{"Cmd", "2", "commands"}});
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Saved(), QStringList({
                           "PROFINET_Master_to_Modbus_TCP_Master",
                           "  Slave_to_Master",
                           "    row Group_Name=\"Status\" Num_Variables=\"3\" Mnemonic=\"state bits\"",
                           "    row Group_Name=\"Data\" Num_Variables=\"2\" Mnemonic=\"\"",
                           "  Master_to_Slave",
                           "    row Group_Name=\"Cmd\" Num_Variables=\"2\" Mnemonic=\"commands\"",
                       }));
    const QByteArray bytes = testsupport::readBytes(File_EtherCAT_Slave_Group);
    EXPECT_TRUE(bytes.startsWith("<PROFINET_Master_to_Modbus_TCP_Master>")) << bytes.constData();
    EXPECT_TRUE(
        bytes.trimmed().endsWith("</PROFINET_Master_to_Modbus_TCP_Master>\n<!--SW_VERSION = 1.001-->"))
        << bytes.constData();

    TConfigCompiler compiler(TConfigPaths::ForProject(Active_Project_Dir));
    compiler.Compile_Config_Banks();
    EXPECT_EQ(compiler.Groups().Num_In, 2);
    EXPECT_EQ(compiler.Groups().group_In_Str[0], "Status");
    EXPECT_EQ(compiler.Groups().group_In_Str[1], "Data");
    EXPECT_EQ(compiler.Groups().Num_Out, 1);
    EXPECT_EQ(compiler.Groups().group_Out_Str[0], "Cmd");

    // Shown again: the rows come back as saved, names untrimmed.
    Show([&] {
        EXPECT_EQ(Row_Texts(StoM(), 1), QStringList({"Status", "3", "state bits"}));
        EXPECT_EQ(Row_Texts(StoM(), 3), QStringList({"", "", ""}));
        EXPECT_EQ(Row_Texts(MtoS(), 1), QStringList({"Cmd", "2", "commands"}));
    });
}

TEST_F(Group, EmptyTablesWriteTheRootWithTwoEmptySections)
{
    EXPECT_EQ(Ok_With({}, {}), mrOk);
    EXPECT_EQ(Saved(), QStringList({"PROFINET_Master_to_Modbus_TCP_Master", "  Slave_to_Master",
                                    "  Master_to_Slave"}));
    EXPECT_TRUE(testsupport::readBytes(File_EtherCAT_Slave_Group).contains("<!--SW_VERSION = 1.001-->"));
}

TEST_F(Group, AFileWithTwentyRowsShowsAndSavesSixteen)
{
    QByteArray xml = "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master>";
    for (int i = 1; i <= 20; ++i)
        xml += QString("<row Group_Name=\"G%1\" Num_Variables=\"1\" Mnemonic=\"\"/>").arg(i).toUtf8();
    // A missing count leaves the cell empty.
    xml += "</Slave_to_Master><Master_to_Slave><row Group_Name=\"Out\" Mnemonic=\"m\"/></Master_to_Slave>"
           "</PROFINET_Master_to_Modbus_TCP_Master>";
    Write_File(File_EtherCAT_Slave_Group, xml);
    const TModalResult result = Show([&] {
        EXPECT_EQ(Row_Texts(StoM(), 16), QStringList({"G16", "1", ""}));
        EXPECT_EQ(Row_Texts(MtoS(), 1), QStringList({"Out", "", "m"}));
        MtoS()->SetCells(2, 1, "4");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList saved = Saved();
    EXPECT_EQ(saved.size(), 1 + 1 + 16 + 1 + 1);
    EXPECT_EQ(saved[17], "    row Group_Name=\"G16\" Num_Variables=\"1\" Mnemonic=\"\"");
}

TEST_F(Group, APasteNeedsACopyFromTheSameTableDuringThisShow)
{
    Show([&] {
        Write_Row(StoM(), 1, {"A", "1", "a"});
        StoM()->FocusCell(1, 1);
        Click(form->Btn_CopyRow);
        Select_Tab(1);
        MtoS()->FocusCell(1, 2);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(MtoS(), 2), QStringList({"", "", ""}));
        // Back on the first tab the same paste works.
        Select_Tab(0);
        StoM()->FocusCell(1, 3);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(StoM(), 3), QStringList({"A", "1", "a"}));
    });
    EXPECT_EQ(Message_Texts(), QStringList({No_Copy}));

    // Another show clears the flags: the clipboard still holds the row, yet Paste is refused.
    answers->Messages.clear();
    Show([&] {
        EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SlaveToMaster);
        StoM()->FocusCell(1, 2);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(StoM(), 2), QStringList({"", "", ""}));
        Click(form->Btn_CopyRow);
        Click(form->Btn_PasteRow);
    });
    EXPECT_EQ(Message_Texts(), QStringList({No_Copy}));
    EXPECT_EQ(Row_Clipboard, QStringList({"", "", ""}));
}

TEST_F(Group, DeleteAsksWithTheRowNumberAndInsertOpensAnEmptyRow)
{
    Show([&] {
        for (int r = 1; r <= 5; ++r)
            Write_Row(StoM(), r, {"G" + QString::number(r), "1", ""});
        answers->MessageAnswers = {mrYes};
        StoM()->FocusCell(2, 4);
        Click(form->Btn_DelRow);
        EXPECT_EQ(StoM()->Cells(1, 4), "G5");
        EXPECT_EQ(StoM()->Cells(1, 5), "");
        StoM()->FocusCell(2, 1);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Row_Texts(StoM(), 1), QStringList({"", "", ""}));
        EXPECT_EQ(StoM()->Cells(1, 2), "G1");
        EXPECT_EQ(StoM()->Cells(0, 1), "1");
    });
    ASSERT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 4"}));
    EXPECT_EQ(answers->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbYesNo));
}

TEST_F(Group, ADeleteQuestionFromALanguageFileIsNeverFormatted)
{
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"Delete row %d of %d?", "Delete row 2 of %d?"},
        {"Delete %s?", "Delete %s?"},
        {"Delete it?", "Delete it?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Set_Lang_Text(5322, c.text);
        answers->Messages.clear();
        answers->MessageAnswers = {mrNo};
        Show([&] {
            StoM()->FocusCell(1, 2);
            Click(form->Btn_DelRow);
        });
        EXPECT_EQ(Message_Texts(), QStringList({c.shown}));
    }
}

TEST_F(Group, AFaultyFileIsReportedAndTheEditorStaysClosed)
{
    struct Case {
        const char* what;
        QByteArray xml;
        QStringList named;
    };
    const Case cases[] = {
        {"no Mnemonic",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master/><Master_to_Slave>"
         "<row Group_Name=\"A\" Num_Variables=\"1\" Mnemonic=\"\"/><row Group_Name=\"B\" "
         "Num_Variables=\"1\"/>"
         "</Master_to_Slave></PROFINET_Master_to_Modbus_TCP_Master>",
         {"EtherCAT_Slave_Group.xml", "Master_to_Slave", "row 2", "Mnemonic"}},
        {"no Group_Name",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master><row Num_Variables=\"1\" Mnemonic=\"\"/>"
         "</Slave_to_Master><Master_to_Slave/></PROFINET_Master_to_Modbus_TCP_Master>",
         {"EtherCAT_Slave_Group.xml", "Slave_to_Master", "row 1", "Group_Name"}},
        {"no section",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master/></PROFINET_Master_to_Modbus_TCP_Master>",
         {"EtherCAT_Slave_Group.xml", "Master_to_Slave"}},
        {"not well-formed",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master>",
         {"EtherCAT_Slave_Group.xml"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        Write_File(File_EtherCAT_Slave_Group, c.xml);
        EXPECT_FALSE(Show_Guarded());
        EXPECT_FALSE(form->Visible());
        ASSERT_EQ(answers->Messages.size(), 1u);
        for (const QString& part : c.named)
            EXPECT_TRUE(answers->Messages[0].Text.contains(part)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(testsupport::readBytes(File_EtherCAT_Slave_Group), c.xml);
    }
}

TEST_F(Group, AFileThatCannotBeWrittenKeepsTheDialogOpenAndTheOldFileWhole)
{
    ASSERT_EQ(Ok_With({{"Old", "1", ""}}, {}), mrOk);
    const QByteArray old = testsupport::readBytes(File_EtherCAT_Slave_Group);
    const QString saved_path = File_EtherCAT_Slave_Group;
    const QString folder_file = project.file("sub/EtherCAT_Slave_Group.xml");
    QDir().mkpath(folder_file);
    answers->Messages.clear();
    const TModalResult result = Show([&] {
        StoM()->SetCells(1, 1, "New");
        File_EtherCAT_Slave_Group = folder_file;
        Click(form->Btn_OK);
        EXPECT_TRUE(form->Widget()->isVisible());
        File_EtherCAT_Slave_Group = saved_path;
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_TRUE(answers->Messages[0].Text.contains("EtherCAT_Slave_Group.xml"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_EQ(testsupport::readBytes(File_EtherCAT_Slave_Group), old);
}

TEST_F(Group, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    const char* headers[] = {"#5316", "#5317", "#5323", "#5318", "#5319", "#5320", "#5324", "#5321"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(StoM()->Cells(c, 0), headers[c]);
        EXPECT_EQ(MtoS()->Cells(c, 0), headers[4 + c]);
    }
    EXPECT_EQ(form->TS_MasterToSlave->Caption(), "#5315");
}

TEST_F(Group, StepThreeOpensTheEditorFromTheFormTable)
{
    bool shown = false;
    FEtherCATSlave_Group = form.get();
    QTimer::singleShot(0, [&] {
        shown = form->Modal();
        form->SetModalResult(mrCancel);
    });
    ASSERT_NE(Find_Form("FEtherCATSlave_Group"), nullptr);
    Find_Form("FEtherCATSlave_Group")->ShowModal();
    FEtherCATSlave_Group = nullptr;
    EXPECT_TRUE(shown);
}

} // namespace
