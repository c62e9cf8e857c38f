// The EtherNet/IP scanner editor on a real form: its table, the data check and its totals through OK,
// the rows it saves and loads, Import EDS through the chooser, its texts, and its hidden button.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/network/UEtherNEtIP_EDS.h"
#include "editors/network/UEtherNetIP_Master_Access.h"

#include <QTimer>

namespace
{

using namespace tableeditortest;

class EtherNetIPMaster : public TableEditorFixture<TFEtherNetIP_Master_Access>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        chooser = std::make_unique<TFEtherNEtIP_EDS>(nullptr);
        FEtherNEtIP_EDS = chooser.get();
    }
    void TearDown() override
    {
        chooser.reset();
        TableEditorFixture::TearDown();
    }

    TExtColumnGrid* grid() { return form->ACG; }
    // Enable, IP Address, Start Input, Num Input, Start Output, Num Output, Time Poll, Instance T>O,
    // Conn. Point T>O, Instance O>T, Conn. Point O>T, Dim Header T>O, Dim Header O>T, Mnemonic.
    static QStringList Conn(const char* num_in = "8", const char* num_out = "8", const char* enable = "Y")
    {
        return {enable, "192.168.1.10", "0", num_in, "0",       num_out,   "100",
                "1",    "100",          "1", "101",  "Default", "Default", "Adapter"};
    }
    static QStringList With(QStringList row, int col, const char* text)
    {
        row[col - 1] = text;
        return row;
    }
    // Import EDS with the file dialog answering `file` (empty: cancelled); in the chooser the row
    // goes down `down` times, then `button` is clicked. Returns whether the chooser was shown.
    bool Import(const QString& file, int down, TFadeButton* TFEtherNEtIP_EDS::*button)
    {
        answers->FileAnswers = {file};
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = chooser->Modal();
            if (!shown)
                return;
            for (int i = 0; i < down; ++i)
                QTest::keyClick(chooser->ACG->Widget(), Qt::Key_Down);
            Click((chooser.get()->*button));
        });
        Click(form->Btn_Import_EDS);
        formtest::Pump();
        return shown;
    }

    std::unique_ptr<TFEtherNEtIP_EDS> chooser;
};

TEST_F(EtherNetIPMaster, TheTableHasTenConnectionsOfFifteenColumns)
{
    EXPECT_EQ(form->Name(), "FEtherNetIP_Master_Access");
    EXPECT_EQ(form->ClientWidth(), 1180);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Set EtherNet/IP Slaves Access");
    EXPECT_EQ(grid()->RowCount(), 11);
    ASSERT_EQ(grid()->ColCount(), 15);
    const int widths[] = {40, 50, 110, 80, 80, 85, 85, 80, 105, 120, 105, 120, 120, 120, 95};
    for (int c = 0; c < 15; ++c)
        EXPECT_EQ(grid()->Columns()->Items(c)->Width(), widths[c]) << c;
    EXPECT_EQ(grid()->Columns()->Items(1)->Editor(), edDataCheckBox);
    for (int c : {12, 13}) {
        EXPECT_EQ(grid()->Columns()->Items(c)->Editor(), edComboEdit);
        EXPECT_EQ(grid()->Columns()->Items(c)->ComboItems()->ToStringList(), QStringList({"Default"}));
    }
    const TFadeButton* import = form->Btn_Import_EDS;
    EXPECT_EQ(QList<int>({import->Left(), import->Top(), import->Width(), import->Height()}),
              QList<int>({724, 6, 110, 28}));
    EXPECT_EQ(import->Caption(), "Import EDS");
    EXPECT_EQ(import->Hint(), "Import a slave EtherNet/IP from EDS File");
    EXPECT_EQ(form->OD_EDS.Filter, "EtherNet/IP EDS (*.eds)|*.eds");
    EXPECT_FALSE(grid()->OnClickCell);

    Show([&] {
        EXPECT_EQ(form->Num_Byte_In, 1438);
        EXPECT_EQ(form->Num_Byte_Out, 1438);
        EXPECT_EQ(Row_Texts(grid(), 10),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(grid()->Cells(0, 10), "10");
        QString hint;
        grid()->OnGridHint(grid(), 0, 13, hint);
        EXPECT_EQ(hint, "Insert the Dimension Header Oginator To Target (O > T). Default Value 4");

        grid()->SetCells(1, 3, "N");
        grid()->FocusCell(2, 3);
        Click(form->Btn_InsRow);
        EXPECT_EQ(grid()->Cells(1, 3), "Y");
        EXPECT_EQ(grid()->Cells(1, 4), "N");
    });
}

TEST_F(EtherNetIPMaster, OKShowsTheFirstFaultOfTheEnabledRowsAndTheTotals)
{
    const struct {
        QList<QStringList> rows;
        const char* message; // nullptr: saved
    } cases[] = {
        {{Conn("1000"), Conn("438")}, nullptr},
        {{Conn("1000"), Conn("439")}, "Error!! The Total Number of Input Bytes must be between 0 and 1438"},
        {{Conn("1000"), Conn("439", "8", "N")}, nullptr},
        {{Conn("8", "1000"), Conn("8", "439")},
         "Error!! The Total Number of Output Bytes must be between 0 and 1438"},
        {{With(Conn(), 7, "0")}, "Error row 1!! Poll Time must be between 1 and 100000000"},
        {{With(Conn(), 3, "65536")}, "Error row 1!! Start Input must be major or equal to 0"},
        {{With(Conn(), 2, "192.168.1")},
         "Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {{Conn(), With(Conn(), 8, "abc")},
         "Error row 2!! Instance T > O must be between 0 and 65535. Default Value 1"},
        {{Conn(), With(Conn(), 11, "65536")},
         "Error row 2!! Connection Point O > T must be between 0 and 65535. Default Value 101"},
        {{With(With(Conn(), 12, "default"), 13, " DEFAULT "), With(With(Conn(), 12, "7"), 13, "0")}, nullptr},
        {{With(Conn(), 12, "8")},
         "Error row 1!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
        {{With(Conn(), 13, "")},
         "Error row 1!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
        // Enable is read in upper case but not trimmed.
        {{With(With(Conn(), 1, "y"), 7, "0")}, "Error row 1!! Poll Time must be between 1 and 100000000"},
        {{With(With(Conn(), 1, " Y"), 7, "0")}, nullptr},
        // A disabled row is skipped before its address is looked at.
        {{With(With(Conn(), 1, "N"), 2, ""), With(Conn(), 7, "0")},
         "Error row 2!! Poll Time must be between 1 and 100000000"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            for (int r = 0; r < cases[i].rows.size(); ++r)
                Write_Row(grid(), r + 1, cases[i].rows[r]);
            Click(form->Btn_OK);
        });
        if (cases[i].message) {
            EXPECT_EQ(Message_Texts(), QStringList({cases[i].message}));
            EXPECT_EQ(answers->Messages[0].Type, mtError);
            EXPECT_EQ(result, mrCancel);
        } else {
            EXPECT_EQ(Message_Texts(), QStringList());
            EXPECT_EQ(result, mrOk);
        }
    }
}

TEST_F(EtherNetIPMaster, SavesEveryRowUpToTheFirstEnabledRowWithoutAddress)
{
    const QStringList row1 = Conn();
    const QStringList row2 = With(With(Conn("1", "2", "N"), 2, ""), 14, "Spare");
    const QStringList row3 = With(Conn("4"), 2, "10.0.0.3");
    const QStringList row4 = With(Conn("9", "9", "N"), 2, " ");
    Show([&] {
        Write_Row(grid(), 1, row1);
        Write_Row(grid(), 2, row2);
        Write_Row(grid(), 3, With(row3, 7, "0"));
        Write_Row(grid(), 4, row4);
        // Row 5 is enabled and has no address: the walk ends there.
        Write_Row(grid(), 6, With(Conn(), 7, "0"));
        Click(form->Btn_OK);
        // Row 3 lies below a disabled row without an address and is checked.
        EXPECT_EQ(Message_Texts(), QStringList({"Error row 3!! Poll Time must be between 1 and 100000000"}));
        grid()->SetCells(7, 3, "250");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts().size(), 1);
    const auto attrs = [](const QStringList& r) {
        const char* names[] = {"Enable",
                               "IP_Address",
                               "Start_Input",
                               "Num_Input",
                               "Start_Output",
                               "Num_Output",
                               "Time_Poll",
                               "Instance_T_O",
                               "Connection_Point_T_O",
                               "Instance_O_T",
                               "Connection_Point_O_T",
                               "Dim_Header_T_O",
                               "Dim_Header_O_T",
                               "Mnemonic"};
        QString line = "  row";
        for (int i = 0; i < 14; ++i)
            line += QString(" %1=\"%2\"").arg(names[i], r[i]);
        return line;
    };
    // Rows 1 to 3; row 4, disabled and without an address, ends the used rows as the table's tail.
    EXPECT_EQ(
        Xml_Tree(File_EtherNetIP_Master_Rules),
        QStringList({"EtherNetIP_Master_Access", attrs(row1), attrs(row2), attrs(With(row3, 7, "250"))}));
    const QByteArray bytes = testsupport::readBytes(File_EtherNetIP_Master_Rules);
    EXPECT_TRUE(bytes.simplified().endsWith("</EtherNetIP_Master_Access> <!--SW_VERSION = 1.001-->"))
        << bytes.toStdString();

    // Reloaded: rows 1 to 3 as saved, row 4 a new row.
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 2), row2);
        EXPECT_EQ(Row_Texts(grid(), 3), With(row3, 7, "250"));
        EXPECT_EQ(grid()->Cells(1, 4), "Y");
        EXPECT_EQ(grid()->Cells(2, 4), "");
    });
}

TEST_F(EtherNetIPMaster, LoadingGivesTheDefaultsOfMissingAttributes)
{
    Write_File(File_EtherNetIP_Master_Rules,
               "<EtherNetIP_Master_Access><row IP_Address=\"10.0.0.1\" Num_Input=\"4\" Dim_Header_T_O=\"2\"/>"
               "<row Enable=\"Y\" Dim_Header_O_T=\"\"/></EtherNetIP_Master_Access><!--SW_VERSION = 1.001-->");
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 1),
                  QStringList({"N", "10.0.0.1", "", "4", "", "", "", "", "", "", "", "2", "Default", ""}));
        EXPECT_EQ(Row_Texts(grid(), 2),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "Default", "", ""}));
    });

    answers->Messages.clear();
    const QByteArray broken = "<EtherNetIP_Master_Access><row Enable=\"Y\"></EtherNetIP_Master_Access>";
    Write_File(File_EtherNetIP_Master_Rules, broken);
    EXPECT_FALSE(Show_Guarded());
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_TRUE(answers->Messages[0].Text.contains("EtherNetIP_Master_Rules.xml"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_EQ(testsupport::readBytes(File_EtherNetIP_Master_Rules), broken);
}

TEST_F(EtherNetIPMaster, ImportEDSFillsTheFirstFreeRowWithTheChosenConnection)
{
    const QString eds = testsupport::fixture("eds/connections.eds");
    const auto imported = [&](int r) { return Row_Texts(grid(), r).mid(7, 6); };
    const QStringList untouched = {"", "", "", "", "", ""};
    Show([&] {
        // Cancelled dialog, then cancelled chooser: nothing.
        EXPECT_FALSE(Import("", 0, &TFEtherNEtIP_EDS::Btn_OK));
        EXPECT_TRUE(Import(eds, 0, &TFEtherNEtIP_EDS::Btn_Cancel));
        EXPECT_EQ(imported(1), untouched);

        EXPECT_TRUE(Import(eds, 0, &TFEtherNEtIP_EDS::Btn_OK));
        EXPECT_EQ(imported(1), QStringList({"1", "100", "1", "150", "Default", "Default"}));
        EXPECT_EQ(grid()->Cells(1, 1), "Y");
        EXPECT_EQ(grid()->Cells(2, 1), "");

        // Row 1's Instance T > O is filled now; row 2 has an address: the third connection goes to row 3.
        grid()->SetCells(2, 2, "10.0.0.2");
        EXPECT_TRUE(Import(eds, 2, &TFEtherNEtIP_EDS::Btn_OK));
        EXPECT_EQ(imported(2), untouched);
        EXPECT_EQ(imported(3), QStringList({"2", "100", "1", "150", "3", "3"}));
    });
    ASSERT_EQ(answers->FileDialogs.size(), 4u);
    EXPECT_FALSE(answers->FileDialogs[0].Save);
    EXPECT_EQ(answers->FileDialogs[0].Filter, "EtherNet/IP EDS (*.eds)|*.eds");
    EXPECT_EQ(chooser->EDS_FileName, eds);

    // Every row holds an address or an Instance T > O: nothing changes and nothing is said.
    Show([&] {
        for (int r = 1; r <= 10; ++r)
            grid()->SetCells(r % 2 ? 2 : 8, r, "5");
        EXPECT_TRUE(Import(eds, 0, &TFEtherNEtIP_EDS::Btn_OK));
        for (int r = 1; r <= 10; ++r)
            EXPECT_EQ(Row_Texts(grid(), r).mid(7, 6), QStringList({r % 2 ? "" : "5", "", "", "", "", ""}))
                << r;
    });
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(EtherNetIPMaster, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    chooser->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(form->Btn_Import_EDS->Caption(), "#4959");
    EXPECT_EQ(form->Btn_Import_EDS->Hint(), "#4960");
    EXPECT_EQ(grid()->Cells(9, 0), "#4947");
    EXPECT_EQ(form->Table(0).Hints.at(11), "#4955");
}

TEST(EtherNetIPStartup, BothFormsAreCreatedReTextedAndTheHiddenButtonOpensTheEditor)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    ASSERT_NE(FEtherNetIP_Master_Access, nullptr);
    ASSERT_NE(FEtherNEtIP_EDS, nullptr);
    EXPECT_EQ(Find_Form("FEtherNetIP_Master_Access"), FEtherNetIP_Master_Access);
    EXPECT_EQ(Find_Form("FEtherNEtIP_EDS"), FEtherNEtIP_EDS);
    EXPECT_EQ(FEtherNEtIP_EDS->L_SW_Code->Caption(), "RIVA101");

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FEtherNetIP_Master_Access->Btn_Import_EDS->Caption(), "#4959");
    EXPECT_EQ(FEtherNEtIP_EDS->ACG->Cells(8, 0), "#5014");
    Set_English_Texts();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Cell 7"));
    Set_Active_Project("Cell 7");
    TFadeButton* button = FDodiruredavIzavUred->Button("Btn_EtherNetIP_Access");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->Visible());
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = FEtherNetIP_Master_Access->Modal();
        FEtherNetIP_Master_Access->ACG->SetCells(2, 1, "192.168.0.5");
        FEtherNetIP_Master_Access->ACG->SetCells(7, 1, "50");
        for (int c : {3, 4, 5, 6, 8, 9, 10, 11})
            FEtherNetIP_Master_Access->ACG->SetCells(c, 1, "1");
        FEtherNetIP_Master_Access->ACG->SetCells(12, 1, "Default");
        FEtherNetIP_Master_Access->ACG->SetCells(13, 1, "Default");
        QTest::mouseClick(FEtherNetIP_Master_Access->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        if (FEtherNetIP_Master_Access->ModalResult() == mrNone)
            FEtherNetIP_Master_Access->SetModalResult(mrCancel);
    });
    // Hidden: no click reaches it, its OnClick is what the table binds.
    ASSERT_TRUE(button->OnClick);
    button->OnClick(button);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(Projects_Dir + "/Cell 7/EtherNetIP_Master_Rules.xml").size(), 2);

    Destroy_Forms();
    EXPECT_EQ(FEtherNetIP_Master_Access, nullptr);
    EXPECT_EQ(FEtherNEtIP_EDS, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
