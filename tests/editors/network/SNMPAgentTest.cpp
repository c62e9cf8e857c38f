// The SNMP agent editor on a real form: its two tables, the enabled-row numbers of column 0, the data
// check through OK (names, descriptions, sizes, duplicates across both tables), the row buttons,
// loading and saving its file, its shared grid handlers and its texts.
#include "app/TableEditorFixture.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "grid/edit/GridCombo.h"

#include <QApplication>

namespace
{

using namespace tableeditortest;
using namespace snmptrap;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// Enable, Community, Type, On Change, On CMD, On Timer, Time, Position, Start Bit, Num Bits/Bytes,
// Description, IP Address, Conversion, Mnemonic.
QStringList Read_Row(const char* desc, const char* type = "Int", const char* bits = "8")
{
    return {"Y", "Tundra", type, "N", "N", "N", "", "0", "0", bits, desc, "192.168.1.5", "None", "Level"};
}

// Enable, Community, Type, Position, Start Bit, Num Bits/Bytes, Description, Conversion, Mnemonic.
QStringList Write_Row_Of(const char* desc, const char* type = "Int", const char* bits = "8")
{
    return {"Y", "Fenwick", type, "0", "0", bits, desc, "None", "Setpoint"};
}

QStringList With(QStringList row, std::initializer_list<std::pair<int, const char*>> cells)
{
    for (const auto& [col, text] : cells)
        row[col - 1] = QString::fromUtf8(text);
    return row;
}

class SNMPAgent : public TableEditorFixture<TFSNMP_Trap_Access>
{
  protected:
    TExtColumnGrid* rd() { return form->ACG_SNMP_Read; }
    TExtColumnGrid* wr() { return form->ACG_SNMP_Write; }
    QStringList Numbers(TExtColumnGrid* g, int rows)
    {
        QStringList out;
        for (int r = 1; r <= rows; ++r)
            out << g->Cells(0, r);
        return out;
    }
    // OK with the rows given; the messages it showed (none when the file was written).
    QStringList OK_With(const std::vector<QStringList>& read, const std::vector<QStringList>& write)
    {
        answers->Messages.clear();
        DeleteFile(File_SNMP_Trap);
        const TModalResult result = Show([&] {
            for (size_t i = 0; i < read.size(); ++i)
                Write_Row(rd(), int(i) + 1, read[i]);
            for (size_t i = 0; i < write.size(); ++i)
                Write_Row(wr(), int(i) + 1, write[i]);
            Click(form->Btn_OK);
        });
        EXPECT_EQ(result == mrOk, answers->Messages.empty());
        EXPECT_EQ(FileExists(File_SNMP_Trap), result == mrOk);
        return Message_Texts();
    }
};

TEST_F(SNMPAgent, TwoTablesOf256ObjectsAndTheTabStaysWhereTheUserLeftIt)
{
    EXPECT_EQ(form->Name(), "FSNMP_Trap_Access");
    EXPECT_EQ(form->ClientWidth(), 1256);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->TS_SNMP_Read->Caption(), "SNMP Read");
    EXPECT_EQ(form->TS_SNMP_Write->Caption(), "SNMP Write");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SNMP_Read);
    const struct {
        TExtColumnGrid* grid;
        std::vector<int> widths;
        int description, conversion;
    } tables[] = {
        {rd(),
         {40, 50, 130, 60, 75, 50, 60, 65, 60, 60, 95, 130, 120, 100, 130},
         Read_Description,
         Read_Conversion},
        {wr(), {40, 50, 130, 60, 60, 60, 95, 130, 100, 500}, Write_Description, Write_Conversion},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.grid->Name().toStdString());
        EXPECT_EQ(t.grid->RowCount(), 257);
        ASSERT_EQ(t.grid->ColCount(), int(t.widths.size()));
        for (int c = 0; c < t.grid->ColCount(); ++c)
            EXPECT_EQ(t.grid->Columns()->Items(c)->Width(), t.widths[size_t(c)]) << c;
        EXPECT_EQ(t.grid->Columns()->Items(2)->EditLength, 15);
        EXPECT_EQ(t.grid->Columns()->Items(t.description)->EditLength, 15);
        EXPECT_EQ(t.grid->Columns()->Items(2)->ComboItems()->ToStringList(),
                  QStringList({"Tundra", "Fenwick"}));
        EXPECT_EQ(t.grid->Columns()->Items(3)->ComboItems()->ToStringList(), QStringList({"Int", "String"}));
        EXPECT_EQ(t.grid->Columns()->Items(t.conversion)->ComboItems()->ToStringList(),
                  QStringList({"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"}));
        EXPECT_FALSE(t.grid->OnClickCell);
    }

    Show([&] {
        EXPECT_EQ(rd()->Columns()->Items(Read_Position)->ComboItems()->Count(), 1440);
        EXPECT_EQ(wr()->Columns()->Items(Write_Position)->ComboItems()->Strings(1439), "1439");
        EXPECT_EQ(Row_Texts(wr(), 256), QStringList({"Y", "", "", "", "", "", "", "", ""}));
        // Names are typed up to 15 characters.
        QApplication::setActiveWindow(form->Widget());
        for (int c : {Read_Community, Read_Description}) {
            rd()->SetFocus();
            rd()->FocusCell(c, 1);
            formtest::Pump();
            QTest::keyClick(rd()->Widget(), Qt::Key_F2);
            QTest::keyClicks(QApplication::focusWidget(), "abcdefghijklmnopq");
            TTableEditor::End_Cell_Edit(rd());
            EXPECT_EQ(rd()->Cells(c, 1), "abcdefghijklmno") << c;
        }
        Select_Tab(Write_Table);
    });
    Show([&] { EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SNMP_Write); });
}

TEST_F(SNMPAgent, ColumnZeroNumbersTheEnabledRowsAfterLoadingClicksAndRowCommands)
{
    Write_File(File_SNMP_Trap,
               "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Community_Name=\"a\"/>"
               "<row Enable=\"N\" Community_Name=\"b\"/><row Enable=\"y\" Community_Name=\"c\"/>"
               "</SNMP_Trap_Read><SNMP_Trap_Write><row Enable=\"N\" Community_Name=\"d\"/>"
               "</SNMP_Trap_Write></SNMP_Trap>");
    answers->MessageAnswers = {mrYes};
    Show([&] {
        EXPECT_EQ(Numbers(rd(), 4), QStringList({"1", "", "2", "3"}));
        // Cleared rows are enabled: row 256 is the 255th.
        EXPECT_EQ(rd()->Cells(0, 256), "255");
        EXPECT_EQ(Numbers(wr(), 2), QStringList({"", "1"}));

        // Ticking row 2's box renumbers at once.
        QApplication::setActiveWindow(form->Widget());
        QTest::mouseClick(rd()->Viewport(), Qt::LeftButton, {}, Centre(rd()->CellRect(1, 2)));
        ASSERT_EQ(rd()->Cells(1, 2), "Y");
        EXPECT_EQ(Numbers(rd(), 4), QStringList({"1", "2", "3", "4"}));
        // Space on a box does the same; other check-box columns do not renumber.
        rd()->FocusCell(1, 1);
        QTest::keyClick(rd()->Widget(), Qt::Key_Space);
        ASSERT_EQ(rd()->Cells(1, 1), "N");
        EXPECT_EQ(Numbers(rd(), 3), QStringList({"", "1", "2"}));
        rd()->SetCells(1, 1, "Y");
        rd()->FocusCell(4, 2);
        QTest::keyClick(rd()->Widget(), Qt::Key_Space);
        EXPECT_EQ(rd()->Cells(4, 2), "Y");
        EXPECT_EQ(Numbers(rd(), 3), QStringList({"", "1", "2"}));

        // Row commands renumber the active table.
        rd()->SetCells(1, 1, "N");
        rd()->FocusCell(2, 1);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Numbers(rd(), 4), QStringList({"1", "", "2", "3"}));
        Select_Tab(Write_Table);
        wr()->FocusCell(2, 1);
        Click(form->Btn_DelRow);
        EXPECT_EQ(Numbers(wr(), 2), QStringList({"1", "2"}));
        wr()->SetCells(1, 1, "N");
        Click(form->Btn_CopyRow);
        wr()->FocusCell(2, 2);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Numbers(wr(), 3), QStringList({"", "", "1"}));
        // The other table keeps its numbers.
        EXPECT_EQ(Numbers(rd(), 2), QStringList({"1", ""}));
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 1"}));
}

TEST_F(SNMPAgent, OKChecksEachTableInOrder)
{
    const struct {
        const char* what;
        std::vector<QStringList> read, write;
        const char* message; // nullptr: passes
    } cases[] = {
        {"valid rows", {Read_Row("temp1")}, {Write_Row_Of("setp")}, nullptr},
        {"read String with Start Bit 1",
         {With(Read_Row("s", "String"), {{Read_Bit, "1"}})},
         {},
         "Error row 1!! [SNMP Read] Start Bit must be 0 if Type is String"},
        {"write String with Start Bit 1",
         {},
         {With(Write_Row_Of("s", "String"), {{Write_Bit, "1"}})},
         "Error row 1!! [SNMP Write] Start Bit must be 0 if Type is String"},
        {"Int at bit 3 of 12 bits", {With(Read_Row("a", "Int", "12"), {{Read_Bit, "3"}})}, {}, nullptr},
        {"Int of 64 bits", {Read_Row("a", "Int", "64")}, {}, nullptr},
        {"Int of 65 bits",
         {Read_Row("a", "Int", "65")},
         {},
         "Error row 1!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits"},
        {"String of 16 bytes", {Read_Row("a", "String", "16")}, {}, nullptr},
        {"String of 17 bytes",
         {Read_Row("a", "String", "17")},
         {},
         "Error row 1!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
        {"write Int of 0 bits",
         {},
         {Write_Row_Of("a", "int", "0")},
         "Error row 1!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
        {"description Temp1",
         {Read_Row("Temp1")},
         {},
         "Error row 1!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", "
         "\"A\"..\"Z\" "
         "and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {"description 1temp",
         {},
         {Write_Row_Of("1temp")},
         "Error row 1!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", "
         "\"A\"..\"Z\" "
         "and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {"description temp_1",
         {Read_Row("temp_1")},
         {},
         "Error row 1!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", "
         "\"A\"..\"Z\" "
         "and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {"community with a blank",
         {With(Read_Row("a"), {{Read_Community, "Tun dra"}})},
         {},
         "Error row 1!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", "
         "\"A\"..\"Z\" and \"0\"..\"9\")"},
        {"write community with a blank",
         {},
         {With(Write_Row_Of("a"), {{Write_Community, "Fen wick"}})},
         "Error row 1!! [SNMP Write] Community Name is not correct (allowed characters are \"a\"..\"z\", "
         "\"A\"..\"Z\" and \"0\"..\"9\")"},
        {"no type",
         {With(Read_Row("a"), {{Read_Type, " "}})},
         {},
         "Error row 1!! [SNMP Read] Type must be selected"},
        {"no position",
         {},
         {With(Write_Row_Of("a"), {{Write_Position, ""}})},
         "Error row 1!! [SNMP Write] Position must be selected"},
        {"timer of 1000000000 ms",
         {With(Read_Row("a"), {{Read_OnTimer, "Y"}, {Read_Time, "1000000000"}})},
         {},
         nullptr},
        {"timer of 1000000001 ms",
         {With(Read_Row("a"), {{Read_OnTimer, "Y"}, {Read_Time, "1000000001"}})},
         {},
         "Error row 1!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
        {"bad IP address",
         {With(Read_Row("a"), {{Read_IP, "1.2.3"}})},
         {},
         "Error row 1!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"no conversion",
         {},
         {With(Write_Row_Of("a"), {{Write_Conversion, ""}})},
         "Error row 1!! [SNMP Write] Conversion must be selected"},
        // Upper-cased but not trimmed: " Y" is not enabled and its row is not checked.
        {"Enable with a blank", {With(Read_Row("Bad"), {{Read_Enable, " Y"}})}, {}, nullptr},
        {"enabled by y",
         {With(Read_Row("Bad"), {{Read_Enable, "y"}})},
         {},
         "Error row 1!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", "
         "\"A\"..\"Z\" "
         "and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        // The read table is checked before the write table, whatever their rows.
        {"read fault after a write fault",
         {Read_Row("a"), Read_Row("b", "Int", "0")},
         {Write_Row_Of("X")},
         "Error row 2!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits"},
        {"same description in read and write",
         {Read_Row("temp")},
         {Write_Row_Of("temp")},
         "Error!! The Descriptions must be all differents"},
        {"two empty descriptions",
         {Read_Row(""), Read_Row("")},
         {},
         "Error!! The Descriptions must be all differents"},
        {"descriptions differing in case", {Read_Row("tempA"), Read_Row("tempa")}, {}, nullptr},
        {"a disabled row's description is not compared",
         {Read_Row("temp"), With(Read_Row("temp"), {{1, "N"}})},
         {},
         nullptr},
        // A row fault after a duplicate is what is reported.
        {"row fault wins over a duplicate",
         {Read_Row("temp"), Read_Row("temp")},
         {Write_Row_Of("x", "Int", "99")},
         "Error row 1!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(OK_With(c.read, c.write), c.message ? QStringList({c.message}) : QStringList());
    }
}

TEST_F(SNMPAgent, AnEmptyCommunityEndsTheTableForTheCheckAndTheFile)
{
    EXPECT_EQ(OK_With({Read_Row("a"), With(Read_Row("Bad"), {{Read_Community, "  "}}), Read_Row("Bad")}, {}),
              QStringList());
    EXPECT_EQ(Xml_Tree(File_SNMP_Trap).size(), 4);
    EXPECT_EQ(form->SL_Check_Desc, QStringList({"a"}));
}

TEST_F(SNMPAgent, TheFileRoundTripsBothSectionsAndMissingAttributesTakeTheirDefaults)
{
    Write_File(File_SNMP_Trap,
               "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"a\" Type=\"Int\"/>"
               "</SNMP_Trap_Read><!--x--><SNMP_Trap_Write><row Enable=\"N\" Community_Name=\"b\"/>"
               "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->");
    const QStringList read =
        With(Read_Row("temp"), {{Read_OnTimer, "Y"}, {Read_Time, "500"}, {Read_Mnemonic, "Grüße"}});
    const QStringList write = With(Write_Row_Of("setp", "String", "4"), {{Write_Conversion, "Float / 100"}});
    Show([&] {
        EXPECT_EQ(Row_Texts(rd(), 1),
                  QStringList({"Y", "a", "Int", "N", "N", "N", "", "", "", "", "", "", "None", ""}));
        EXPECT_EQ(Row_Texts(wr(), 1), QStringList({"N", "b", "", "", "", "", "", "None", ""}));
        Write_Row(rd(), 1, read);
        Write_Row(rd(), 2, With(Read_Row("off"), {{Read_Enable, "N"}}));
        Write_Row(wr(), 1, write);
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('|').toStdString();
    const QStringList tree = Xml_Tree(File_SNMP_Trap);
    ASSERT_EQ(tree.size(), 6);
    EXPECT_EQ(tree[1], "  SNMP_Trap_Read");
    EXPECT_EQ(tree[2],
              "    row Enable=\"Y\" Community_Name=\"Tundra\" Type=\"Int\" On_Change=\"N\" On_Command=\"N\" "
              "On_Timer=\"Y\" Time=\"500\" Position=\"0\" Bit=\"0\" NumBits=\"8\" Description=\"temp\" "
              "IP_Address=\"192.168.1.5\" Conversion=\"None\" Mnemonic=\"Grüße\"");
    EXPECT_EQ(tree[4], "  SNMP_Trap_Write");
    EXPECT_EQ(tree[5],
              "    row Enable=\"Y\" Community_Name=\"Fenwick\" Type=\"String\" Position=\"0\" Bit=\"0\" "
              "NumBits=\"4\" Description=\"setp\" Conversion=\"Float / 100\" Mnemonic=\"Setpoint\"");
    EXPECT_TRUE(testsupport::readBytes(File_SNMP_Trap)
                    .simplified()
                    .endsWith("</SNMP_Trap> <!--SW_VERSION = 1.000-->"));
    Show([&] {
        EXPECT_EQ(Row_Texts(rd(), 1), read);
        EXPECT_EQ(Row_Texts(wr(), 1), write);
        EXPECT_EQ(Numbers(rd(), 2), QStringList({"1", ""}));
    });
}

TEST_F(SNMPAgent, AFileWithoutTheWriteSectionKeepsTheEditorClosedAndTheFileWhole)
{
    const QByteArray bad = "<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>";
    Write_File(File_SNMP_Trap, bad);
    EXPECT_FALSE(Show_Guarded());
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_TRUE(answers->Messages[0].Text.contains("SNMP_Trap.xml"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_TRUE(answers->Messages[0].Text.contains("SNMP_Trap_Write"))
        << answers->Messages[0].Text.toStdString();
    EXPECT_EQ(testsupport::readBytes(File_SNMP_Trap), bad);
}

TEST_F(SNMPAgent, CopyInOneTableAndPasteInTheOtherIsRefused)
{
    Show([&] {
        Write_Row(rd(), 1, Read_Row("a"));
        rd()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        Select_Tab(Write_Table);
        wr()->FocusCell(2, 1);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(wr()->Cells(2, 1), "");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it"}));
}

TEST_F(SNMPAgent, EnterInAComboEditorMovesOnInItsOwnGrid)
{
    Show([&] {
        Opt_Jump_Field_Tables = true;
        Select_Tab(Write_Table);
        QApplication::setActiveWindow(form->Widget());
        wr()->SetFocus();
        wr()->FocusCell(Write_Type, 3);
        formtest::Pump();
        QTest::keyClick(wr()->Widget(), Qt::Key_F2);
        formtest::Pump();
        ASSERT_TRUE(wr()->Combobox()->Visible());
        char16_t key = 13;
        wr()->OnKeyPress(wr()->Combobox(), key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(wr()->Col(), Write_Position);
        EXPECT_EQ(wr()->Row(), 3);
        EXPECT_EQ(rd()->Col(), 1);
    });
}

TEST_F(SNMPAgent, HintsComeFromTheAskingGridsListAndMarkerTexts)
{
    const struct {
        TExtColumnGrid* grid;
        int col;
        int text;
    } hints[] = {{rd(), 1, 4739}, {rd(), 13, 4783}, {rd(), 14, 4751},
                 {wr(), 1, 4752}, {wr(), 8, 4784},  {wr(), 9, 4759}};
    for (const auto& h : hints) {
        QString hint;
        h.grid->OnGridHint(h.grid, 0, h.col, hint);
        EXPECT_EQ(hint, Lang_Text(h.text)) << h.col;
    }
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(rd()->Cells(Read_Conversion, 0), "#4781");
    EXPECT_EQ(wr()->Cells(Write_Conversion, 0), "#4782");
}

} // namespace
