// The EtherCAT process-data editor on a real form, through the table-editor fixture: its tables,
// the events that recompute positions and groups, the row commands, the check, the file it loads
// and writes, and a round trip through the image compiler.
#include "gateway/UEtherCATSlave.h"

#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "gateway/UConfigImage.h"
#include "gateway/UESIWriter.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/StringList.h"

#include <QApplication>
#include <QFile>

namespace
{

using namespace tableeditortest;

constexpr int Last_Row = 256;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

class Slave : public TableEditorFixture<TFEtherCATSlave>
{
  protected:
    TExtStringGrid* S() { return form->ESG_SlaveMaster; }
    TExtStringGrid* M() { return form->ESG_MasterSlave; }
    QStringList Saved() { return Xml_Tree(File_EtherCAT_Slave); }

    // Columns 2, 3, ... of row r (Type, Length, Name, ...).
    static void Put(TExtStringGrid* g, int r, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            g->SetCells(i + 2, r, texts[i]);
    }
    static bool Checked(TExtStringGrid* g, int r)
    {
        bool state = false;
        return g->GetCheckBoxState(1, r, state) && state;
    }
    // "Position/Start Bit Group" of rows 1 .. n.
    QStringList Computed(TExtStringGrid* g, int n)
    {
        const int p = g == S() ? 6 : 5;
        QStringList out;
        for (int r = 1; r <= n; ++r)
            out << QString("%1/%2 %3").arg(g->Cells(p, r), g->Cells(p + 1, r), g->Cells(p + 2, r));
        return out;
    }
    void Use_Project_P()
    {
        for (const char* name : {"EtherCAT_Slave.xml", "EtherCAT_Slave_Group.xml"})
            Write_File(project.file(name),
                       testsupport::readBytes(testsupport::fixture(QString("project_p/") + name)));
    }
    void Click_Cell(TExtStringGrid* g, int c, int r)
    {
        QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(c, r)));
    }

    const QStringList P_StoM_Shown = {"0/0 Status", "0/1 Status", "0/0 ", "1/0 Status",
                                      "3/0 Data",   "8/0 Data",   "/ "};
    const QStringList P_MtoS_Shown = {"0/0 Cmd", "2/0 Cmd", "3/0 ", "/ "};
};

TEST_F(Slave, TheEditorHasTwoTablesOf256VariablesWithColouredCells)
{
    EXPECT_EQ(form->ClientWidth(), 1200);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "EtherCAT Slave Set Access");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SlaveToMaster);
    EXPECT_EQ(form->TS_MasterToSlave->Caption(), "Master To Slave");
    EXPECT_EQ(S()->Name(), "ESG_SlaveMaster");
    EXPECT_EQ(M()->Parent(), form->TS_MasterToSlave);

    struct Table {
        TExtStringGrid* grid;
        std::vector<int> widths;
        std::vector<TColor> colors;
        QStringList headers;
        std::vector<int> read_only;
    };
    const Table tables[] = {
        {S(),
         {40, 50, 120, 100, 280, 100, 100, 100, 100, 100},
         {0, 0xB0D8FF, 0xFEFAE0, 0xFEFAE0, 0xFEFAE0, 0xA8FFA8, 0xF4D6FC, 0xF4D6FC, 0xA8FFFF, clWhite},
         {"N", "Enable", "Type", "Length", "Name", "Init Value", "Position", "Start Bit", "Group",
          "Mnemonic"},
         {6, 7, 8}},
        {M(),
         {40, 50, 120, 100, 280, 100, 100, 100, 100},
         {0, 0xB0D8FF, 0xFEFAE0, 0xFEFAE0, 0xFEFAE0, 0xF4D6FC, 0xF4D6FC, 0xA8FFFF, clWhite},
         {"N", "Enable", "Type", "Length", "Name", "Position", "Start Bit", "Group", "Mnemonic"},
         {5, 6, 7}},
    };
    for (const Table& t : tables) {
        TExtStringGrid* g = t.grid;
        SCOPED_TRACE(g->Name().toStdString());
        EXPECT_EQ(g->RowCount(), 257);
        ASSERT_EQ(g->ColCount(), int(t.widths.size()));
        for (int c = 0; c < g->ColCount(); ++c) {
            EXPECT_EQ(g->ColWidths(c), t.widths[size_t(c)]) << c;
            EXPECT_EQ(g->Cells(c, 0), t.headers[c]) << c;
        }
        for (int r : {1, Last_Row}) {
            EXPECT_EQ(g->Cells(0, r), QString::number(r));
            bool state = true;
            EXPECT_TRUE(g->GetCheckBoxState(1, r, state)) << r;
            EXPECT_FALSE(state) << "unchecked until shown";
            EXPECT_EQ(g->Alignments(1, r), taCenter);
            for (int c = 1; c < g->ColCount(); ++c) {
                EXPECT_EQ(g->Colors(c, r), t.colors[size_t(c)]) << c << ", " << r;
                const bool ro = std::find(t.read_only.begin(), t.read_only.end(), c) != t.read_only.end();
                EXPECT_EQ(g->ReadOnly(c, r), ro) << c << ", " << r;
            }
        }
        EXPECT_TRUE(g->OnGetEditorType && g->OnComboChange && g->OnCellValidate && g->OnCheckBoxChange &&
                    g->OnGridHint && g->OnClickCell && g->OnDblClickCell && g->OnKeyPress);
    }
    EXPECT_EQ(form->VarType->Count(), 10);
    EXPECT_EQ(form->VarType->Strings(9), "String");

    // Eight buttons in a row; the move buttons keep their fixed captions.
    EXPECT_EQ(form->Btn_MoveUp->Left(), 724);
    EXPECT_EQ(form->Btn_MoveDown->Left(), 842);
    EXPECT_EQ(form->Btn_MoveUp->Caption(), "Move Up");
    EXPECT_EQ(form->Btn_MoveDown->Caption(), "Move Down");
    EXPECT_EQ(form->Btn_PasteRow->Left(), 606);
    EXPECT_TRUE(form->Btn_CopyRow->ShowHint());
    EXPECT_FALSE(form->Btn_DelRow->ShowHint());
}

TEST_F(Slave, HeaderCellsShowTheirTablesHints)
{
    struct Case {
        TExtStringGrid* grid;
        int row, col;
        QString hint;
    };
    const Case cases[] = {
        {S(), 0, 3, "Insert the Dimension in byte of EtherCAT Slave String Variable"},
        {S(), 0, 8, "Select the Group of EtherCAT Slave Variable"},
        {M(), 0, 5, "Internal array Position of EtherCAT Slave Variable (read only)"},
        {S(), 0, 0, ""},
        {S(), 2, 3, ""},
    };
    for (const Case& c : cases) {
        QString hint = "stale";
        c.grid->OnGridHint(c.grid, c.row, c.col, hint);
        EXPECT_EQ(hint, c.hint) << c.row << ", " << c.col;
    }
}

TEST_F(Slave, ShownFromProjectPTheRowsAndComputedCellsComeBack)
{
    Use_Project_P();
    Show([&] {
        EXPECT_EQ(Computed(S(), 7), P_StoM_Shown);
        EXPECT_EQ(Computed(M(), 4), P_MtoS_Shown);
        EXPECT_TRUE(Checked(S(), 1));
        EXPECT_FALSE(Checked(S(), 3));
        EXPECT_TRUE(Checked(S(), 7)) << "rows below the variables are checked";
        EXPECT_EQ(S()->Cells(5, 4), "-2");
        EXPECT_EQ(S()->Cells(3, 5), "4");
        EXPECT_FALSE(S()->ReadOnly(3, 5)) << "a String's Length stays editable";
        EXPECT_TRUE(S()->ReadOnly(3, 4));
        EXPECT_FALSE(M()->ReadOnly(3, 3));
        ASSERT_EQ(form->Group_StoM.size(), 2u);
        EXPECT_EQ(form->Group_StoM[1].Name, "Data");
        EXPECT_EQ(form->Group_StoM[1].Num_Var, 2);
    });
}

TEST_F(Slave, OKOnProjectPWritesTheSameValuesAndTheSameImage)
{
    Use_Project_P();
    const QStringList before = Saved();
    const QByteArray bank2 = Compile_Config_Banks(TConfigPaths::ForProject(Active_Project_Dir)).Bank2;
    const TModalResult result = Show([&] { Click(form->Btn_OK); });
    ASSERT_EQ(result, mrOk);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(Compile_Config_Banks(TConfigPaths::ForProject(Active_Project_Dir)).Bank2, bank2);
    const QByteArray bytes = testsupport::readBytes(File_EtherCAT_Slave);
    EXPECT_TRUE(bytes.startsWith("<EtherCAT_Slave>")) << bytes.constData();
    EXPECT_TRUE(bytes.trimmed().endsWith("</EtherCAT_Slave>\n<!--SW_VERSION = 1.001-->"))
        << bytes.constData();
    // The ESI writer reads the enabled variables of the same file.
    const TESI_Data esi = Read_EtherCAT_Slave_Data(File_ParGen, File_EtherCAT_Slave);
    ASSERT_EQ(esi.Slave_To_Master.size(), 5u);
    EXPECT_EQ(esi.Slave_To_Master[2].Name, "Speed");
    EXPECT_EQ(esi.Master_To_Slave.size(), 3u);
}

TEST_F(Slave, EmptyTablesWriteTheThreeSectionsAndNoGroupFileMeansNoGroups)
{
    ASSERT_EQ(Show([&] { Click(form->Btn_OK); }), mrOk);
    EXPECT_EQ(Saved(), QStringList({"EtherCAT_Slave", "  EtherCAT_Slave_Variables",
                                    "    EtherCAT_Slave_To_Master", "    EtherCAT_Master_To_Slave"}));
    const TModalResult result = Show([&] {
        Put(S(), 1, {"Int8", "1", "a"});
        Put(M(), 1, {"Bool", "1", "b"});
        Click(form->Btn_OK);
    });
    ASSERT_EQ(result, mrOk);
    EXPECT_EQ(Saved(), QStringList({
                           "EtherCAT_Slave",
                           "  EtherCAT_Slave_Variables",
                           "    EtherCAT_Slave_To_Master",
                           "      row Enable=\"Y\" Type=\"Int8\" Length=\"1\" Name=\"a\" InitValue=\"\" "
                           "Position=\"0\" BitStart=\"0\" Group=\"\" Mnemonic=\"\"",
                           "    EtherCAT_Master_To_Slave",
                           "      row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"b\" Position=\"0\" "
                           "BitStart=\"0\" Group=\"\" Mnemonic=\"\"",
                       }));
}

TEST_F(Slave, LoadingReadsEnableLooselyRecomputesAndOKRepairsTheFile)
{
    Write_File(
        File_EtherCAT_Slave,
        "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
        "<row Enable=\"y\" Type=\"Bool\" Length=\"1\" Name=\"a\" Position=\"9\" BitStart=\"9\" Group=\"X\"/>"
        "<row Type=\"Int16\" Name=\"b\" Position=\"0\" BitStart=\"0\"/>"
        "<row Enable=\"N\" Type=\"Array\" Length=\"0\"/>"
        "<row Enable=\"n\" Type=\"Int8\" Length=\"1\" InitValue=\"  7 \" Mnemonic=\" m \"/>"
        "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables>"
        "</EtherCAT_Slave>");
    const TModalResult result = Show([&] {
        EXPECT_TRUE(Checked(S(), 1));
        EXPECT_TRUE(Checked(S(), 2)) << "a missing Enable is checked";
        EXPECT_FALSE(Checked(S(), 3));
        EXPECT_TRUE(Checked(S(), 4)) << "only \"N\" is unchecked";
        EXPECT_EQ(S()->Cells(3, 2), "") << "a missing Length stays empty";
        EXPECT_TRUE(S()->ReadOnly(3, 2));
        EXPECT_EQ(Computed(S(), 4), QStringList({"0/0 ", "1/0 ", "0/0 ", "3/0 "}));
        Click(form->Btn_OK);
    });
    ASSERT_EQ(result, mrOk);
    const QStringList saved = Saved();
    ASSERT_EQ(saved.size(), 8);
    EXPECT_EQ(saved[3],
              "      row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"a\" InitValue=\"\" Position=\"0\" "
              "BitStart=\"0\" Group=\"\" Mnemonic=\"\"");
    EXPECT_EQ(saved[4],
              "      row Enable=\"Y\" Type=\"Int16\" Length=\"\" Name=\"b\" InitValue=\"\" Position=\"1\" "
              "BitStart=\"0\" Group=\"\" Mnemonic=\"\"");
    // A disabled Array of Length 0 passes the check; texts are written untrimmed.
    EXPECT_EQ(saved[5],
              "      row Enable=\"N\" Type=\"Array\" Length=\"0\" Name=\"\" InitValue=\"\" Position=\"0\" "
              "BitStart=\"0\" Group=\"\" Mnemonic=\"\"");
    EXPECT_EQ(saved[6],
              "      row Enable=\"Y\" Type=\"Int8\" Length=\"1\" Name=\"\" InitValue=\"  7 \" Position=\"3\" "
              "BitStart=\"0\" Group=\"\" Mnemonic=\" m \"");
}

TEST_F(Slave, RowsBeyondTheTableAreNeitherShownNorSaved)
{
    QByteArray xml = "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>";
    for (int i = 1; i <= 300; ++i)
        xml += QString("<row Enable=\"Y\" Type=\"Int8\" Length=\"1\" Name=\"v%1\"/>").arg(i).toUtf8();
    xml +=
        "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables></EtherCAT_Slave>";
    Write_File(File_EtherCAT_Slave, xml);
    const TModalResult result = Show([&] {
        EXPECT_EQ(S()->Cells(4, Last_Row), "v256");
        EXPECT_EQ(S()->Cells(6, Last_Row), "255");
        EXPECT_EQ(S()->Cells(2, 257), "");
        Click(form->Btn_OK);
    });
    ASSERT_EQ(result, mrOk);
    const QStringList saved = Saved();
    EXPECT_EQ(saved.size(), 3 + Last_Row + 1);
    EXPECT_TRUE(saved[2 + Last_Row].contains("Name=\"v256\"")) << saved[2 + Last_Row].toStdString();
}

TEST_F(Slave, AFailedCheckShowsTheFirstFaultAndWritesNothing)
{
    struct Case {
        const char* what;
        QStringList stom, mtos; // row 1 from the Type column on
        QString fault;
    };
    const Case cases[] = {
        {"Array bytes beyond Length",
         {"Array", "2", "raw", "010203"},
         {},
         "Error row 1!! [Slave to Master] Init Value the number of byte must be equal or minor of Length"},
        {"String too long",
         {"String", "5", "s", "Hello!"},
         {},
         "Error row 1!! [Slave to Master] Init Value the dimension of string must be equal or minor of "
         "Length"},
        {"master to slave String of 300",
         {"Int16", "2", "n", "abc"},
         {"String", "300"},
         "Error row 1!! [Master to Slave] Length must be beetween 1 and 255"},
        {"slave to master first",
         {"Array", "", "x"},
         {"Array", "0"},
         "Error row 1!! [Slave to Master] Length must be beetween 1 and 255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        QFile::remove(File_EtherCAT_Slave);
        const TModalResult result = Show([&] {
            Put(S(), 1, c.stom);
            Put(M(), 1, c.mtos);
            Click(form->Btn_OK);
            EXPECT_EQ(S()->Cells(3, 1), c.stom[1]) << "cells stay as they are";
        });
        EXPECT_EQ(result, mrCancel);
        ASSERT_EQ(Message_Texts(), QStringList({c.fault}));
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
        EXPECT_FALSE(FileExists(File_EtherCAT_Slave));
    }
}

TEST_F(Slave, OKSavesComputedCellsAsComputedNotAsTyped)
{
    Use_Project_P();
    const QStringList before = Saved();
    const TModalResult result = Show([&] {
        // Computed cells typed over (an inserted row leaves them editable) are saved as computed.
        S()->SetCells(6, 4, "99");
        S()->SetCells(8, 5, "Nope");
        Click(form->Btn_OK);
    });
    ASSERT_EQ(result, mrOk);
    EXPECT_EQ(Saved(), before);
}

TEST_F(Slave, AFaultyFileIsReportedByNameAndBothFilesKeepTheirBytes)
{
    const QByteArray good_groups =
        "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master/><Master_to_Slave/>"
        "</PROFINET_Master_to_Modbus_TCP_Master>";
    const QByteArray good_vars = "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                                 "<row Type=\"Int8\"/></EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/>"
                                 "</EtherCAT_Slave_Variables></EtherCAT_Slave>";
    struct Case {
        const char* what;
        QByteArray groups, vars;
        QStringList named;
    };
    const Case cases[] = {
        {"groups not well-formed",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master>",
         good_vars,
         {"EtherCAT_Slave_Group.xml"}},
        {"groups without a section",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master/></PROFINET_Master_to_Modbus_TCP_Master>",
         good_vars,
         {"EtherCAT_Slave_Group.xml", "Master_to_Slave"}},
        {"group without Num_Variables",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master/><Master_to_Slave><row Group_Name=\"A\" "
         "Mnemonic=\"\"/></Master_to_Slave></PROFINET_Master_to_Modbus_TCP_Master>",
         good_vars,
         {"EtherCAT_Slave_Group.xml", "Master_to_Slave", "row 1", "Num_Variables"}},
        {"group without Group_Name",
         "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master><row Num_Variables=\"1\"/></Slave_to_Master>"
         "<Master_to_Slave/></PROFINET_Master_to_Modbus_TCP_Master>",
         good_vars,
         {"EtherCAT_Slave_Group.xml", "Slave_to_Master", "Group_Name"}},
        {"variables not well-formed",
         good_groups,
         "<EtherCAT_Slave><EtherCAT_Slave_Variables>",
         {"EtherCAT_Slave.xml"}},
        {"no variables element",
         good_groups,
         "<EtherCAT_Slave/>",
         {"EtherCAT_Slave.xml", "EtherCAT_Slave_Variables"}},
        {"no master-to-slave section",
         good_groups,
         "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/></EtherCAT_Slave_Variables>"
         "</EtherCAT_Slave>",
         {"EtherCAT_Slave.xml", "EtherCAT_Master_To_Slave"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        Write_File(File_EtherCAT_Slave_Group, c.groups);
        Write_File(File_EtherCAT_Slave, c.vars);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        for (const QString& part : c.named)
            EXPECT_TRUE(answers->Messages[0].Text.contains(part)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(testsupport::readBytes(File_EtherCAT_Slave_Group), c.groups);
        EXPECT_EQ(testsupport::readBytes(File_EtherCAT_Slave), c.vars);
    }
    // An unreadable count is no error: the group takes no variables.
    QFile::remove(File_EtherCAT_Slave);
    Write_File(
        File_EtherCAT_Slave_Group,
        "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master><row Group_Name=\"A\" Num_Variables=\"x\"/>"
        "<row Group_Name=\"B\" Num_Variables=\"1\"/></Slave_to_Master><Master_to_Slave/>"
        "</PROFINET_Master_to_Modbus_TCP_Master>");
    answers->Messages.clear();
    Show([&] {
        ASSERT_EQ(form->Group_StoM.size(), 2u);
        EXPECT_EQ(form->Group_StoM[0].Num_Var, 0);
        EXPECT_EQ(Computed(S(), 2), QStringList({"/ B", "/ "}));
    });
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(Slave, ClickingAnEnableBoxRegroupsAndRepositions)
{
    Use_Project_P();
    Show([&] {
        QApplication::setActiveWindow(form->Widget());
        Click_Cell(S(), 1, 2); // "Fault" off
        formtest::Pump();
        EXPECT_FALSE(Checked(S(), 2));
        EXPECT_EQ(Computed(S(), 7), QStringList({"0/0 Status", "0/0 ", "0/0 ", "1/0 Status", "3/0 Status",
                                                 "8/0 Data", "/ Data"}));
        Click_Cell(S(), 1, 3); // "Spare" on
        formtest::Pump();
        EXPECT_EQ(Computed(S(), 7), QStringList({"0/0 Status", "0/0 ", "1/0 Status", "5/0 Status", "7/0 Data",
                                                 "12/0 Data", "/ "}));
    });
}

TEST_F(Slave, EditingALengthByKeysMovesThePositionsBelow)
{
    Use_Project_P();
    Show([&] {
        QApplication::setActiveWindow(form->Widget());
        S()->SetFocus();
        S()->FocusCell(3, 5); // the String's Length
        formtest::Pump();
        QTest::keyClick(S()->Widget(), Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "10");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        formtest::Pump();
        EXPECT_EQ(S()->Cells(3, 5), "10");
        EXPECT_EQ(S()->Cells(6, 6), "14");
    });
}

TEST_F(Slave, DeleteAsksWithTheRowNumberAndRecomputesWhateverTheAnswer)
{
    Use_Project_P();
    Show([&] {
        S()->FocusCell(2, 4);
        // Stale computed cells show whether the recompute ran.
        S()->SetCells(6, 6, "x");
        S()->SetCells(8, 6, "x");
        answers->MessageAnswers = {mrNo};
        Click(form->Btn_DelRow);
        EXPECT_EQ(Computed(S(), 7), P_StoM_Shown);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(S()->Cells(4, 4), "Tag");
        EXPECT_EQ(Computed(S(), 6),
                  QStringList({"0/0 Status", "0/1 Status", "0/0 ", "1/0 Status", "6/0 Data", "/ Data"}));
        EXPECT_TRUE(Checked(S(), Last_Row));
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 4",
                                            "Are you sure to delete the Row number 4"}));
    EXPECT_EQ(answers->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbYesNo));
}

TEST_F(Slave, AnInsertedRowEndsTheVariablesUntilItGetsAType)
{
    Use_Project_P();
    const TModalResult result = Show([&] {
        S()->FocusCell(2, 2);
        Click(form->Btn_InsRow);
        EXPECT_EQ(S()->Cells(2, 2), "");
        EXPECT_TRUE(Checked(S(), 2));
        EXPECT_FALSE(S()->ReadOnly(6, 2)) << "an inserted row is editable throughout";
        EXPECT_EQ(S()->Cells(8, 2), "Status") << "groups follow at once";
        EXPECT_EQ(S()->Cells(4, 3), "Fault");
        Click(form->Btn_OK);
    });
    ASSERT_EQ(result, mrOk);
    const QStringList saved = Saved();
    ASSERT_EQ(saved.size(), 8);
    EXPECT_TRUE(saved[3].contains("Name=\"Ready\""));
    EXPECT_EQ(saved[4], "    EtherCAT_Master_To_Slave");
}

TEST_F(Slave, PasteKeepsAnArraysLengthAndFixesTheOthers)
{
    Show([&] {
        Put(S(), 1, {"Array", "4", "raw", "0A0B"});
        Put(S(), 2, {"Int16", "7", "n"}); // a Length typed past the rule
        S()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        S()->FocusCell(2, 5);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(S()->Cells(3, 5), "4");
        EXPECT_FALSE(S()->ReadOnly(3, 5));
        EXPECT_EQ(S()->Cells(5, 5), "0A0B");

        S()->FocusCell(2, 2);
        Click(form->Btn_CopyRow);
        S()->FocusCell(2, 6);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(S()->Cells(3, 6), "2");
        EXPECT_TRUE(S()->ReadOnly(3, 6));
        EXPECT_EQ(Computed(S(), 2), QStringList({"0/0 ", "4/0 "}));

        // Not on the other table: refused, and its row keeps its Length.
        Select_Tab(1);
        Put(M(), 1, {"Array", "6"});
        M()->FocusCell(2, 1);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(M()->Cells(3, 1), "6");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it"}));
}

TEST_F(Slave, MoveExchangesRowsWithTheirLengthFlagsAndStaysInsideTheTable)
{
    Use_Project_P();
    Show([&] {
        S()->FocusCell(2, 5); // the String
        Click(form->Btn_MoveUp);
        EXPECT_EQ(S()->Row(), 4);
        EXPECT_EQ(S()->Cells(4, 4), "Tag");
        EXPECT_EQ(S()->Cells(4, 5), "Speed");
        EXPECT_FALSE(S()->ReadOnly(3, 4));
        EXPECT_TRUE(S()->ReadOnly(3, 5));
        EXPECT_EQ(Computed(S(), 6),
                  QStringList({"0/0 Status", "0/1 Status", "0/0 ", "1/0 Status", "6/0 Data", "8/0 Data"}));
        S()->FocusCell(2, 2);
        Click(form->Btn_MoveDown); // an enabled row below a disabled one
        EXPECT_FALSE(Checked(S(), 2));
        EXPECT_TRUE(Checked(S(), 3));
        EXPECT_EQ(S()->Row(), 3);

        struct Case {
            TFadeButton* button;
            int row, row_after;
        };
        const Case cases[] = {{form->Btn_MoveUp, 1, 1},
                              {form->Btn_MoveDown, Last_Row, Last_Row},
                              {form->Btn_MoveDown, Last_Row - 1, Last_Row - 1}};
        S()->SetCells(4, Last_Row, "last");
        S()->SetCells(4, Last_Row - 1, "before last");
        for (const Case& c : cases) {
            S()->FocusCell(2, c.row);
            const QString name = S()->Cells(4, 1);
            Click(c.button);
            EXPECT_EQ(S()->Row(), c.row_after) << c.row;
            EXPECT_EQ(S()->Cells(4, 1), name);
            EXPECT_EQ(S()->Cells(4, Last_Row), "last");
        }
    });
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(Slave, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(form->Hint_StM(),
              QStringList({"#1024", "#1025", "#1026", "#1028", "#1029", "#1030", "#1031", "#1061", "#1032"}));
    EXPECT_EQ(form->Hint_MtS(),
              QStringList({"#1044", "#1045", "#1046", "#1047", "#1048", "#1049", "#1062", "#1050"}));
    EXPECT_EQ(S()->Cells(8, 0), "#1059");
    EXPECT_EQ(M()->Cells(7, 0), "#1060");
    EXPECT_EQ(form->Btn_MoveUp->Caption(), "Move Up");
}

TEST_F(Slave, StepThreeOpensTheEditorFromTheFormTable)
{
    bool shown = false;
    FEtherCATSlave = form.get();
    QTimer::singleShot(0, [&] {
        shown = form->Modal();
        form->SetModalResult(mrCancel);
    });
    ASSERT_EQ(Find_Form("FEtherCATSlave"), form.get());
    Find_Form("FEtherCATSlave")->ShowModal();
    FEtherCATSlave = nullptr;
    EXPECT_TRUE(shown);
}

} // namespace
