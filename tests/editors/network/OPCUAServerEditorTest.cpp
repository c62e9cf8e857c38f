// The OPC UA server variable editor on a real form: its string grid with check boxes, the type that
// sets the length, the position check over every row, loading and saving its file (every row up to
// the last with a type), the row buttons and its texts.
#include "editors/network/UOPC_UA_Server_Access.h"

#include "app/MainRoadSupport.h"
#include "app/TableEditorFixture.h"
#include "grid/edit/GridCombo.h"

namespace
{

using namespace tableeditortest;

const QStringList kTypeNames = {"Boolean", "Signed Byte", "Byte",   "Int16",  "UInt16", "Int32",     "UInt32",
                                "Float",   "Int64",       "UInt64", "Double", "String", "ByteString"};

class OPCUAServer : public TableEditorFixture<TFOPC_UA_Server_Access>
{
  protected:
    TExtStringGrid* grid() { return form->ESG; }
    bool Ticked(int r)
    {
        bool state = false;
        EXPECT_TRUE(grid()->GetCheckBoxState(1, r, state)) << "row " << r << " has a check box";
        return state;
    }
    // Type, Position, Length, Name, R/W, Mnemonic.
    void Put_Row(int r, bool ticked, const QStringList& texts)
    {
        grid()->SetCheckBoxState(1, r, ticked);
        for (int i = 0; i < texts.size(); ++i)
            grid()->SetCells(i + 2, r, texts[i]);
    }
    QStringList Items_For(int col)
    {
        TEditorType kind = edNormal;
        grid()->OnGetEditorType(grid(), col, 1, kind);
        if (kind != edComboList)
            return {};
        QStringList out;
        for (int i = 0; i < grid()->Combobox()->Items->Count(); ++i)
            out << grid()->Combobox()->Items->Strings(i);
        return out;
    }
};

TEST_F(OPCUAServer, TheTableIsSetUpInCodeWithoutClickKeyOrHintHandlers)
{
    EXPECT_EQ(form->Name(), "FOPC_UA_Server_Access");
    EXPECT_EQ(form->ClientWidth(), 1200);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Definition of OPC UA Server Variables");
    EXPECT_EQ(grid()->RowCount(), 251);
    ASSERT_EQ(grid()->ColCount(), 8);
    const int widths[] = {40, 50, 120, 100, 100, 280, 100, 280};
    const char* headers[] = {"N", "Enable", "Type", "Position", "Length", "Name", "R/W", "Mnemonic"};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(grid()->ColWidths(c), widths[c]) << c;
        EXPECT_EQ(grid()->Cells(c, 0), headers[c]) << c;
    }
    EXPECT_EQ(grid()->Cells(0, 250), "250");
    EXPECT_FALSE(grid()->OnClickCell || grid()->OnDblClickCell || grid()->OnKeyPress || grid()->OnGridHint);
    EXPECT_TRUE(form->Table(0).Hints.isEmpty());
    ASSERT_TRUE(grid()->OnGetEditorType && grid()->OnComboChange);

    // The lists are supplied per column when a cell is edited.
    EXPECT_EQ(Items_For(2), kTypeNames);
    EXPECT_EQ(Items_For(6), QStringList({"Read Only", "Read/Write"}));
    EXPECT_EQ(Items_For(2), kTypeNames);
    for (int c : {1, 3, 4, 5, 7})
        EXPECT_EQ(Items_For(c), QStringList()) << c;
}

TEST_F(OPCUAServer, AChosenTypeSetsTheLengthItsLockAndTheAccessDefault)
{
    Show([&] {
        mainroad::Activate(form.get());
        mainroad::Pick_Cell(grid(), 2, 1, "Int64");
        EXPECT_EQ(grid()->Cells(4, 1), "8");
        EXPECT_TRUE(grid()->ReadOnly(4, 1));
        EXPECT_EQ(grid()->Cells(6, 1), "Read/Write");
        mainroad::Pick_Cell(grid(), 6, 1, "Read Only");
        mainroad::Pick_Cell(grid(), 2, 1, "String");
        EXPECT_EQ(grid()->Cells(4, 1), "10");
        EXPECT_FALSE(grid()->ReadOnly(4, 1));
        EXPECT_EQ(grid()->Cells(6, 1), "Read Only");
        mainroad::Type_Cell(grid(), 4, 1, "32");
    });

    const struct {
        const char* type;
        const char* length; // nullptr: the cell keeps "x" and stays editable
        bool locked;
    } cases[] = {
        {"Boolean", "1", true},      {"Signed Byte", "1", true}, {"Byte", "1", true},
        {"Int16", "2", true},        {"UInt16", "2", true},      {"Int32", "4", true},
        {"UInt32", "4", true},       {"Float", "4", true},       {"Int64", "8", true},
        {"UInt64", "8", true},       {"Double", "8", true},      {"String", "10", false},
        {"ByteString", "10", false}, {"int32", nullptr, false},  {" Int32", nullptr, false},
        {"", nullptr, false},
    };
    for (const auto& c : cases) {
        grid()->SetCells(4, 2, "x");
        grid()->SetReadOnly(4, 2, false);
        grid()->SetCells(6, 2, "");
        form->VarSetLength(c.type, 2);
        EXPECT_EQ(grid()->Cells(4, 2), c.length ? c.length : "x") << c.type;
        EXPECT_EQ(grid()->ReadOnly(4, 2), c.locked) << c.type;
        EXPECT_EQ(grid()->Cells(6, 2), "Read/Write") << c.type;
    }
}

TEST_F(OPCUAServer, OKChecksThePositionOfEveryTickedRowWithAType)
{
    const struct {
        bool ticked;
        const char* type;
        const char* position;
        const char* message; // nullptr: passes
    } cases[] = {
        {true, "Float", "2000", "Error row 3!! Position Must be Between 0 and 2000"},
        {true, "Float", "-1", "Error row 3!! Position Must be Between 0 and 2000"},
        {true, "Float", "", "Error row 3!! Position Must be Between 0 and 2000"},
        {true, " String ", "abc", "Error row 3!! Position Must be Between 0 and 2000"},
        {true, "Float", "1999", nullptr},
        {true, "Float", "0", nullptr},
        {false, "Float", "2000", nullptr},
        {true, " ", "2000", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " at \"" + c.position + "\"" + (c.ticked ? ", ticked" : ""));
        answers->Messages.clear();
        QFile::remove(File_OPC_UA_Server);
        const TModalResult result = Show([&] {
            Put_Row(1, true, {"Byte", "5"});
            // Row 2 without a type: the check goes on below it.
            Put_Row(3, c.ticked, {c.type, c.position, "4"});
            Click(form->Btn_OK);
        });
        if (c.message) {
            EXPECT_EQ(result, mrCancel);
            EXPECT_EQ(Message_Texts(), QStringList({c.message}));
            EXPECT_TRUE(!answers->Messages.empty() && answers->Messages[0].Type == mtError);
            EXPECT_FALSE(FileExists(File_OPC_UA_Server));
        } else {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
        }
    }
}

TEST_F(OPCUAServer, EveryRowUpToTheLastWithATypeIsSavedAndLoadsBackInItsPlace)
{
    Show([&] {
        Put_Row(1, true, {"Int32", "0", "4", "Speed", "Read Only", "m1"});
        Put_Row(2, false, {"Float", "2000", "4", "Off", "Read/Write", ""});
        Put_Row(3, true, {"  ", "", "", "kept", "", ""});
        Put_Row(4, true, {"UInt16", "10", "2", "Late", "Read/Write", ""});
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(File_OPC_UA_Server),
              QStringList(
                  {"OPC_UA_Server", "  OPC_UA_Server_Variables",
                   "    row Enable=\"Y\" Type=\"Int32\" Position=\"0\" Length=\"4\" Name=\"Speed\" "
                   "ReadWrite=\"Read Only\" Mnemonic=\"m1\"",
                   "    row Enable=\"N\" Type=\"Float\" Position=\"2000\" Length=\"4\" Name=\"Off\" "
                   "ReadWrite=\"Read/Write\" Mnemonic=\"\"",
                   "    row Enable=\"Y\" Type=\"  \" Position=\"\" Length=\"\" Name=\"kept\" ReadWrite=\"\" "
                   "Mnemonic=\"\"",
                   "    row Enable=\"Y\" Type=\"UInt16\" Position=\"10\" Length=\"2\" Name=\"Late\" "
                   "ReadWrite=\"Read/Write\" Mnemonic=\"\""}));
    EXPECT_EQ(mainroad::After_Root(File_OPC_UA_Server, "OPC_UA_Server"), "<!--SW_VERSION = 1.000-->");
    Show([&] {
        EXPECT_FALSE(Ticked(2));
        EXPECT_EQ(grid()->Cells(5, 3), "kept");
        EXPECT_EQ(grid()->Cells(2, 4), "UInt16");
        EXPECT_EQ(grid()->Cells(3, 4), "10");
        EXPECT_EQ(grid()->Cells(4, 4), "2");
        EXPECT_TRUE(grid()->ReadOnly(4, 4));
        EXPECT_FALSE(grid()->ReadOnly(4, 3));
        EXPECT_EQ(grid()->Cells(2, 5), "");
    });
}

TEST_F(OPCUAServer, LoadSetsTheTypesLockThenTakesTheFilesLength)
{
    Write_File(
        File_OPC_UA_Server,
        "<OPC_UA_Server><OPC_UA_Server_Variables>"
        "<row Enable=\"Y\" Type=\"String\" Position=\"1\" Length=\"32\" Name=\"S\" ReadWrite=\"Read Only\" "
        "Mnemonic=\"x\"/>"
        "<row Type=\"Int32\" Length=\"4\"/>"
        "<row Enable=\"N\" Type=\"Double\" Length=\"8\"/>"
        "<row Enable=\"no\"/>"
        "</OPC_UA_Server_Variables></OPC_UA_Server><!--SW_VERSION = 1.000-->");
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 1), QStringList({"", "String", "1", "32", "S", "Read Only", "x"}));
        EXPECT_FALSE(grid()->ReadOnly(4, 1));
        EXPECT_TRUE(Ticked(1));
        EXPECT_TRUE(Ticked(2));
        EXPECT_TRUE(grid()->ReadOnly(4, 2));
        EXPECT_FALSE(Ticked(3));
        EXPECT_TRUE(Ticked(4));
        EXPECT_EQ(Row_Texts(grid(), 5), QStringList({"", "", "", "", "", "", ""}));
        mainroad::Activate(form.get());
        mainroad::Type_Cell(grid(), 4, 1, "64");
    });
}

TEST_F(OPCUAServer, AFaultyFileIsReportedAndTheEditorDoesNotOpen)
{
    const QByteArray cases[] = {
        "<OPC_UA_Server><OPC_UA_Server_Variables><row Type=\"Byte\"/>",
        "<OPC_UA_Server><Variables><row Type=\"Byte\"/></Variables></OPC_UA_Server>",
    };
    for (const QByteArray& xml : cases) {
        SCOPED_TRACE(xml.toStdString());
        answers->Messages.clear();
        Write_File(File_OPC_UA_Server, xml);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("OPC_UA_Server.xml"))
            << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(testsupport::readBytes(File_OPC_UA_Server), xml);
    }
}

TEST_F(OPCUAServer, PasteKeepsTheCopiedLengthWithTheLockOfItsType)
{
    Show([&] {
        Put_Row(1, true, {"Int32", "0", "4", "I", "Read Only", ""});
        form->VarSetLength("Int32", 1);
        Put_Row(2, false, {"String", "4", "32", "S", "", ""});
        form->VarSetLength("String", 2);
        grid()->SetCells(4, 2, "32");
        grid()->SetCells(6, 2, "");

        grid()->FocusCell(2, 5);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(grid()->Cells(2, 5), "") << "nothing copied in this showing";

        grid()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        grid()->FocusCell(2, 5);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(grid(), 5), QStringList({"", "Int32", "0", "4", "I", "Read Only", ""}));
        EXPECT_TRUE(grid()->ReadOnly(4, 5));

        grid()->FocusCell(2, 2);
        Click(form->Btn_CopyRow);
        grid()->FocusCell(2, 6);
        Click(form->Btn_PasteRow);
        EXPECT_FALSE(Ticked(6));
        EXPECT_EQ(grid()->Cells(4, 6), "32");
        EXPECT_FALSE(grid()->ReadOnly(4, 6));
        EXPECT_EQ(grid()->Cells(6, 6), "Read/Write");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it"}));
}

TEST_F(OPCUAServer, DeleteAsksWithTheRowNumberInItsPlace)
{
    Show([&] {
        for (int r = 1; r <= 5; ++r)
            Put_Row(r, true, {"Byte", QString::number(r), "1", QString("V%1").arg(r)});
        grid()->FocusCell(3, 4);
        answers->MessageAnswers = {mrNo, mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid()->Cells(5, 4), "V4");
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid()->Cells(5, 4), "V5");
        EXPECT_TRUE(Ticked(250));
        EXPECT_TRUE(grid()->ReadOnly(2, 250));
        grid()->FocusCell(3, 2);
        Click(form->Btn_InsRow);
        EXPECT_TRUE(Ticked(2));
        EXPECT_EQ(grid()->Cells(5, 2), "");
        EXPECT_EQ(grid()->Cells(5, 3), "V2");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 4",
                                            "Are you sure to delete the Row number 4"}));
}

TEST_F(OPCUAServer, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), "#4500");
    EXPECT_EQ(form->L_SW_Desc->Caption(), "#4501");
    TFadeButton* buttons[] = {form->Btn_OK,     form->Btn_Cancel,  form->Btn_DelRow,
                              form->Btn_InsRow, form->Btn_CopyRow, form->Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->Caption(), Marker(4502 + i));
        EXPECT_EQ(buttons[i]->Hint(), Marker(4508 + i));
    }
    const int headers[] = {4514, 4515, 4516, 4517, 4518, 4519, 4529, 4520};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(grid()->Cells(c, 0), Marker(headers[c])) << c;
    // The check's and the delete question's placeholders take the numbers from a translated text too.
    Set_Lang_Text(4527, "Zeile %d: 0 .. %d!");
    Set_Lang_Text(4528, "%d loeschen? (%d)");
    Show([&] {
        Put_Row(7, true, {"Byte", "5000"});
        Click(form->Btn_OK);
        grid()->FocusCell(2, 7);
        answers->MessageAnswers = {mrNo};
        Click(form->Btn_DelRow);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Zeile 7: 0 .. 2000!", "7 loeschen? (%d)"}));
}

} // namespace
