// The S7 request editor on a real form: its two tables, the array sizes from the parameters file,
// the row checks and the ten shared PLC connections through OK, loading and saving "S7_Protocol.xml",
// the row buttons and the key press of a cell editor.
#include "app/TableEditorFixture.h"
#include "app/UTableRows.h"
#include "editors/network/US7_Protocol_Set_Access.h"

#include <QFileInfo>
#include <algorithm>

namespace
{

using namespace tableeditortest;
using namespace s7access;

// A read row that passes every check, real columns 1 .. 18.
QStringList Good_Read(const QString& address = "192.168.1.10", const QString& port = "102")
{
    return {"Y", address, port,   "S71200", "0", "1", "Int", "DB", "1", "Flags (M) (Merker)",
            "0", "0",     "1000", "0",      "0", "N", "N",   "m"};
}

// The same for the write table, real columns 1 .. 20 (On Change and On CMD after Poll Time).
QStringList Good_Write(const QString& address = "192.168.1.10", const QString& port = "102")
{
    QStringList row = Good_Read(address, port);
    row.insert(Col_Poll_Time, "N");
    row.insert(Col_Poll_Time, "N");
    return row;
}

const char* const kRead_Attributes =
    "Enable=\"Y\" PLC_Address=\"10.0.0.1\" PLC_Port=\"102\" PLC_Type=\"S7300\" "
    "Rack=\"0\" Slot=\"2\" Data_Type=\"Word\" Data_Identifier=\"DB\" "
    "DB_Number=\"5\" PLC_Area=\"Inputs (I)\" PLC_Add=\"10\" PLC_Bit=\"0\" "
    "PollTime=\"500\" Position=\"4\" Bit=\"0\" Swap=\"N\" SwapWord=\"Y\" "
    "Mnemonic=\"speed\"";

QByteArray S7_File(const QStringList& read, const QStringList& write)
{
    QString xml = "<S7_Protocol><S7_Protocol_Read>";
    for (const QString& r : read)
        xml += "<row " + r + "/>";
    xml += "</S7_Protocol_Read><S7_Protocol_Write>";
    for (const QString& w : write)
        xml += "<row " + w + "/>";
    xml += "</S7_Protocol_Write></S7_Protocol><!--SW_VERSION = 1.000-->";
    return xml.toUtf8();
}

class S7Editor : public TableEditorFixture<TFS7_Protocol_Set_Access>
{
  protected:
    TExtColumnGrid* Read() { return form->ACG_S7_Read; }
    TExtColumnGrid* Write() { return form->ACG_S7_Write; }
    // Shows the editor, runs `fill`, presses OK: the messages shown (none when it saved and closed).
    QStringList OK_With(const std::function<void()>& fill)
    {
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            fill();
            Click(form->Btn_OK);
        });
        EXPECT_EQ(result == mrOk, answers->Messages.empty());
        return Message_Texts();
    }
};

TEST_F(S7Editor, TwoTablesWithTheirColumnsListsAndTexts)
{
    EXPECT_EQ(form->Name(), "FS7_Protocol_Set_Access");
    EXPECT_EQ(form->ClientWidth(), 1350);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "S7comm Access");
    EXPECT_EQ(form->TS_S7_Read->Caption(), "S7comm Read");
    EXPECT_EQ(form->TS_S7_Write->Caption(), "S7comm Write");
    const struct {
        TExtColumnGrid* grid;
        int cols;
        std::vector<int> checks;
        int position;
        const char* header;
        const char* hint;
    } tables[] = {
        {Read(), 19, {1, 16, 17}, Read_Position, "PLC Address", "Insert the IP Address of PLC"},
        {Write(), 21, {1, 14, 15, 18, 19}, Write_Position, "PLC Address", "Insert the IP Address of PLC"},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.grid->Name().toStdString());
        EXPECT_EQ(t.grid->RowCount(), 513);
        EXPECT_EQ(t.grid->ColCount(), t.cols);
        EXPECT_EQ(t.grid->NumHiddenColumns(), 0);
        for (int c = 1; c < t.cols; ++c) {
            const bool check = std::find(t.checks.begin(), t.checks.end(), c) != t.checks.end();
            EXPECT_EQ(t.grid->Columns()->Items(c)->Editor() == edDataCheckBox, check) << c;
        }
        EXPECT_EQ(t.grid->Cells(Col_Address, 0), t.header);
        EXPECT_EQ(t.grid->Cells(t.position, 0), "Position");
        EXPECT_EQ(t.grid->Cells(t.cols - 1, 0), "Mnemonic");
        QString hint;
        t.grid->OnGridHint(t.grid, 0, Col_Address, hint);
        EXPECT_EQ(hint, t.hint);
        const TStrings* types = t.grid->Columns()->Items(Col_PLC_Type)->ComboItems();
        ASSERT_EQ(types->Count(), 6);
        EXPECT_EQ(types->Strings(0), "Logo0BA8");
        EXPECT_EQ(types->Strings(5), "S71500");
        EXPECT_EQ(t.grid->Columns()->Items(Col_Area)->ComboItems()->Strings(3), "Flags (M) (Merker)");
        EXPECT_EQ(t.grid->Columns()->Items(Col_Data_Identifier)->ComboItems()->Count(), 7);
        EXPECT_EQ(t.grid->Columns()->Items(t.position + 1)->ComboItems()->Count(), 8);
    }
    EXPECT_EQ(Write()->Cells(14, 0), "On Change");
    EXPECT_EQ(Write()->Cells(15, 0), "On CMD");
    EXPECT_EQ(form->Table(Write_Table).Hints.size(), 20);
    EXPECT_EQ(form->Table(Read_Table).Hints.size(), 18);
}

TEST_F(S7Editor, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(Read()->Cells(Col_Rack, 0), "#5213");
    EXPECT_EQ(Write()->Cells(Col_Slot, 0), "#5216");
}

TEST_F(S7Editor, ArraySizesComeFromTheParametersFileAtEachShow)
{
    const struct {
        const char* what;
        QByteArray pargen; // empty: no file
        int in, out;
    } cases[] = {
        {"no parameters file", "", 1500, 1500},
        {"both sizes",
         "<Par_Gen><PROFINET_NB_IN>100</PROFINET_NB_IN><PROFINET_NB_OUT>$20</PROFINET_NB_OUT></Par_Gen>", 100,
         32},
        // As this build's parameters form writes the file: no positions at all.
        {"elements missing", "<Par_Gen><Modbus_Type>1</Modbus_Type></Par_Gen>", 0, 0},
        {"not numbers",
         "<Par_Gen><PROFINET_NB_IN>1 0</PROFINET_NB_IN><PROFINET_NB_OUT>x</PROFINET_NB_OUT></Par_Gen>", 0, 0},
        // Sizes no array has read as none, instead of building lists of a hundred million items.
        {"out of range",
         "<Par_Gen><PROFINET_NB_IN>100000000</PROFINET_NB_IN><PROFINET_NB_OUT>-5</PROFINET_NB_OUT></Par_Gen>",
         0, 0},
        {"largest",
         "<Par_Gen><PROFINET_NB_IN>65535</PROFINET_NB_IN><PROFINET_NB_OUT>65536</PROFINET_NB_OUT></Par_Gen>",
         65535, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_ParGen);
        if (!c.pargen.isEmpty())
            Write_File(File_ParGen, c.pargen);
        form->PageControl1->SetActivePage(form->TS_S7_Write);
        Show([&] {
            EXPECT_EQ(form->NByte_IN, c.in);
            EXPECT_EQ(form->NByte_OUT, c.out);
            EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_S7_Read);
            const std::pair<TExtColumnGrid*, std::pair<int, int>> lists[] = {
                {Read(), {Read_Position, c.in}}, {Write(), {Write_Position, c.out}}};
            for (const auto& [grid, list] : lists) {
                const TStrings* items = grid->Columns()->Items(list.first)->ComboItems();
                ASSERT_EQ(items->Count(), list.second);
                if (list.second > 0) {
                    EXPECT_EQ(items->Strings(0), "0");
                    EXPECT_EQ(items->Strings(list.second - 1), QString::number(list.second - 1));
                }
            }
            // Cleared rows are enabled.
            EXPECT_EQ(Row_Texts(Write(), 512), QStringList({"Y", "", "", "", "", "", "", "", "", "",
                                                            "",  "", "", "", "", "", "", "", "", ""}));
            EXPECT_EQ(Read()->Cells(0, 512), "512");
        });
        EXPECT_TRUE(answers->Messages.empty());
    }
}

TEST_F(S7Editor, PositionIsCheckedAgainstTheSizeOfTheParametersFile)
{
    const struct {
        const char* what;
        QByteArray pargen;
        bool write;
        const char* position;
        const char* message; // nullptr: saved
    } cases[] = {
        {"no file, last byte", "", false, "1499", nullptr},
        {"no file, past the end", "", false, "1500",
         "Error row 1!! [S7comm Read] Position must be between 0 and 1499"},
        {"no file, write", "", true, "1500",
         "Error row 1!! [S7comm Write] Position must be between 0 and 1499"},
        {"100 bytes", "<Par_Gen><PROFINET_NB_IN>100</PROFINET_NB_IN></Par_Gen>", false, "100",
         "Error row 1!! [S7comm Read] Position must be between 0 and 99"},
        {"100 bytes, last", "<Par_Gen><PROFINET_NB_IN>100</PROFINET_NB_IN></Par_Gen>", false, "99", nullptr},
        {"elements missing", "<Par_Gen/>", false, "0",
         "Error row 1!! [S7comm Read] Position must be between 0 and -1"},
        {"hundred million", "<Par_Gen><PROFINET_NB_IN>100000000</PROFINET_NB_IN></Par_Gen>", false, "0",
         "Error row 1!! [S7comm Read] Position must be between 0 and -1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_ParGen);
        if (!c.pargen.isEmpty())
            Write_File(File_ParGen, c.pargen);
        const QStringList messages = OK_With([&] {
            QStringList row = c.write ? Good_Write() : Good_Read();
            row[(c.write ? Write_Position : Read_Position) - 1] = c.position;
            Write_Row(c.write ? Write() : Read(), 1, row);
        });
        EXPECT_EQ(messages, c.message ? QStringList({c.message}) : QStringList());
    }
}

TEST_F(S7Editor, RowChecksInTheirOrderWithEachTablesTexts)
{
    const struct {
        bool write;
        int col; // real column of the read table; shifted by two after Poll Time in the write table
        const char* text;
        const char* message; // nullptr: saved
    } cases[] = {
        {false, Col_Rack, "3", nullptr},
        {false, Col_Slot, "31", nullptr},
        {false, Col_Rack, "4", "Error row 1!! [S7comm Read] Rack must be between 0 and 3"},
        {true, Col_Rack, "4", "Error row 1!! [S7comm Write] Rack must be between 0 and 3"},
        {false, Col_Slot, "32", "Error row 1!! [S7comm Read] Slot must be between 0 and 31"},
        {true, Col_Slot, "32", "Error row 1!! [S7comm Write] Slot must be between 0 and 31"},
        {false, Col_Poll_Time, "0", "Error row 1!! [S7comm Read] Poll Time must be between 1 and 100000000"},
        {true, Col_Poll_Time, "0", nullptr},
        {true, Col_Poll_Time, "100000001",
         "Error row 1!! [S7comm Write] Poll Time must be between 0 and 100000000"},
        // Parts of the address are not trimmed, although the key is.
        {false, Col_Address, "192.168.1.10 ",
         "Error row 1!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {true, Col_Address, "192.168.1",
         "Error row 1!! [S7comm Write] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false, Col_Port, "102 ", "Error row 1!! [S7comm Read] PLC Port must be between 0 and 65535"},
        {false, Col_Port, "0x66", nullptr},
        {false, Col_PLC_Type, " ", "Error row 1!! [S7comm Read] PLC Type cannot be empty"},
        {false, Col_Data_Type, "", "Error row 1!! [S7comm Read] Data Type cannot be empty"},
        {true, Col_Data_Identifier, "", "Error row 1!! [S7comm Write] Data Identifier cannot be empty"},
        {false, Col_DB_Number, "65536", "Error row 1!! [S7comm Read] DB Number must be between 0 and 65535"},
        {true, Col_Area, "", "Error row 1!! [S7comm Write] PLC Area cannot be empty"},
        {false, Col_Add, "abc", "Error row 1!! [S7comm Read] PLC Address must be between 0 and 65535"},
        {true, Col_Bit, "", "Error row 1!! [S7comm Write] PLC Bit cannot be empty"},
        {false, Read_Position + 1, "", "Error row 1!! [S7comm Read] Start Bit cannot be empty"},
        {true, Write_Position - 1, "", "Error row 1!! [S7comm Write] Start Bit cannot be empty"},
        // Enable is compared trimmed and exactly: a row not enabled is not checked (its Rack is 4).
        {false, Col_Enable, " Y ", "Error row 1!! [S7comm Read] Rack must be between 0 and 3"},
        {false, Col_Enable, "y", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.write ? "write " : "read ") + std::to_string(c.col) + " " + c.text);
        const QStringList messages = OK_With([&] {
            QStringList row = c.write ? Good_Write() : Good_Read();
            const int col = c.write && c.col > Col_Poll_Time ? c.col + 2 : c.col;
            row[col - 1] = c.text;
            if (c.col == Col_Enable)
                row[Col_Rack - 1] = "4";
            Write_Row(c.write ? Write() : Read(), 1, row);
        });
        EXPECT_EQ(messages, c.message ? QStringList({c.message}) : QStringList());
    }
}

TEST_F(S7Editor, TenConnectionsAreSharedByBothTables)
{
    // Pairs as "address:port"; rows in table order.
    auto pairs = [](int first, int count, const char* port = "102") {
        QStringList out;
        for (int i = first; i < first + count; ++i)
            out << QString("10.0.0.%1:%2").arg(i).arg(port);
        return out;
    };
    const struct {
        const char* what;
        QStringList read, write;
        QStringList disabled_read; // rows after the enabled ones, Enable "N"
        const char* message;       // nullptr: saved
    } cases[] = {
        {"ten over both tables", pairs(1, 6), pairs(7, 4), {}, nullptr},
        {"eleventh in the write table",
         pairs(1, 6),
         pairs(7, 5),
         {},
         "Error row 5!! [S7comm Write] Device support 10 connection"},
        {"eleventh in the read table",
         pairs(1, 11),
         {},
         {},
         "Error row 11!! [S7comm Read] Device support 10 connection"},
        {"repeated pairs count once", pairs(1, 10) + pairs(1, 3), pairs(4, 6), {}, nullptr},
        {"another port is another connection",
         pairs(1, 10),
         QStringList({"10.0.0.1:103"}),
         {},
         "Error row 1!! [S7comm Write] Device support 10 connection"},
        {"disabled rows take none", pairs(1, 9), pairs(10, 1), pairs(20, 3), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList messages = OK_With([&] {
            int r = 1;
            for (const QString& p : c.read)
                Write_Row(Read(), r++, Good_Read(p.section(':', 0, 0), p.section(':', 1)));
            for (const QString& p : c.disabled_read) {
                QStringList row = Good_Read(p.section(':', 0, 0), p.section(':', 1));
                row[0] = "N";
                Write_Row(Read(), r++, row);
            }
            r = 1;
            for (const QString& p : c.write)
                Write_Row(Write(), r++, Good_Write(p.section(':', 0, 0), p.section(':', 1)));
        });
        EXPECT_EQ(messages, c.message ? QStringList({c.message}) : QStringList());
    }
}

TEST_F(S7Editor, CheckIPPortTakesTheFirstFreeEntryOrItsOwn)
{
    form->array_ip_Port.assign(Max_Connections, TIPPort{});
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(form->Check_IP_Port(10, 0, 0, uint8_t(i), 102), i);
    EXPECT_EQ(form->Check_IP_Port(10, 0, 0, 3, 102), 3);
    EXPECT_EQ(form->Check_IP_Port(10, 0, 0, 3, 103), -1);
    EXPECT_EQ(form->array_ip_Port[9].IP4, 9);
}

TEST_F(S7Editor, FileAttributesInOrderAndDisabledRowsSavedAsTyped)
{
    const TModalResult result = Show([&] {
        Write_Row(Read(), 1, Good_Read());
        QStringList disabled = Good_Read("300.1.1.1 ", "x");
        disabled[0] = "N";
        disabled[Col_Rack - 1] = "9";
        Write_Row(Read(), 2, disabled);
        Write_Row(Write(), 1, Good_Write("10.1.1.1", "102"));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(
        Xml_Tree(File_S7_Protocol),
        QStringList({"S7_Protocol", "  S7_Protocol_Read",
                     "    row Enable=\"Y\" PLC_Address=\"192.168.1.10\" PLC_Port=\"102\" PLC_Type=\"S71200\" "
                     "Rack=\"0\" Slot=\"1\" Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"1\" "
                     "PLC_Area=\"Flags (M) (Merker)\" PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"1000\" "
                     "Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"m\"",
                     "    row Enable=\"N\" PLC_Address=\"300.1.1.1 \" PLC_Port=\"x\" PLC_Type=\"S71200\" "
                     "Rack=\"9\" Slot=\"1\" Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"1\" "
                     "PLC_Area=\"Flags (M) (Merker)\" PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"1000\" "
                     "Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"m\"",
                     "  S7_Protocol_Write",
                     "    row Enable=\"Y\" PLC_Address=\"10.1.1.1\" PLC_Port=\"102\" PLC_Type=\"S71200\" "
                     "Rack=\"0\" Slot=\"1\" Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"1\" "
                     "PLC_Area=\"Flags (M) (Merker)\" PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"1000\" "
                     "OnChange=\"N\" OnCMD=\"N\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" "
                     "Mnemonic=\"m\""}));
    const QByteArray bytes = testsupport::readBytes(File_S7_Protocol);
    EXPECT_TRUE(bytes.startsWith("<S7_Protocol>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.simplified().endsWith("</S7_Protocol> <!--SW_VERSION = 1.000-->"))
        << bytes.toStdString();

    // Read back as saved.
    Show([&] {
        EXPECT_EQ(Row_Texts(Read(), 2)[1], "300.1.1.1 ");
        EXPECT_EQ(Row_Texts(Write(), 1), Good_Write("10.1.1.1", "102"));
        EXPECT_EQ(Read()->Cells(Col_Address, 3), "");
    });
}

TEST_F(S7Editor, RowsWithoutEnableRackOrSlotLoadTheirDefaults)
{
    QString old_row = kRead_Attributes;
    old_row.remove("Enable=\"Y\" ").remove("Rack=\"0\" ").remove("Slot=\"2\" ");
    QStringList rows;
    // More rows than the table holds: the first 512 are shown and saved, the rest are not read.
    for (int i = 0; i < 513; ++i)
        rows << (i == 0 ? old_row : QString(kRead_Attributes).replace("speed", QString("r%1").arg(i + 1)));
    Write_File(File_S7_Protocol, S7_File(rows, {}));
    const TModalResult result = Show([&] {
        EXPECT_EQ(Read()->Cells(Col_Enable, 1), "Y");
        EXPECT_EQ(Read()->Cells(Col_Rack, 1), "0");
        EXPECT_EQ(Read()->Cells(Col_Slot, 1), "0");
        EXPECT_EQ(Read()->Cells(Col_Slot, 2), "2");
        EXPECT_EQ(Read()->Cells(18, 512), "r512");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList tree = Xml_Tree(File_S7_Protocol);
    EXPECT_EQ(tree.size(), 3 + 512);
    EXPECT_FALSE(tree.join('\n').contains("r513"));
}

TEST_F(S7Editor, AFaultyFileOrParametersFileKeepsTheEditorClosed)
{
    QString no_type = kRead_Attributes;
    no_type.remove("PLC_Type=\"S7300\" ");
    const struct {
        const char* what;
        QString path;
        QByteArray bytes;
        const char* named;
    } cases[] = {
        {"row without PLC_Type", File_S7_Protocol, S7_File({no_type}, {}), "PLC_Type"},
        {"no write section", File_S7_Protocol, "<S7_Protocol><S7_Protocol_Read/></S7_Protocol>",
         "S7_Protocol_Write"},
        {"not well-formed", File_S7_Protocol, "<S7_Protocol><S7_Protocol_Read>", "S7_Protocol.xml"},
        {"parameters not well-formed", File_ParGen, "<Par_Gen><PROFINET_NB_IN>10", "ParGen.xml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_S7_Protocol);
        DeleteFile(File_ParGen);
        answers->Messages.clear();
        Write_File(c.path, c.bytes);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_TRUE(answers->Messages[0].Text.contains(QFileInfo(c.path).fileName()))
            << answers->Messages[0].Text.toStdString();
        EXPECT_TRUE(answers->Messages[0].Text.contains(c.named)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(c.path), c.bytes);
    }
}

TEST_F(S7Editor, RowButtonsActOnTheActiveTab)
{
    Write_File(File_S7_Protocol,
               S7_File({kRead_Attributes, QString(kRead_Attributes).replace("speed", "second"),
                        QString(kRead_Attributes).replace("speed", "third")},
                       {}));
    Show([&] {
        // Insert on the read tab: an enabled empty row.
        Read()->SetRow(2);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Row_Texts(Read(), 2),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(Read()->Cells(18, 3), "second");

        answers->MessageAnswers = {mrNo, mrYes};
        Read()->SetRow(3);
        Click(form->Btn_DelRow);
        EXPECT_EQ(Read()->Cells(18, 3), "second");
        Click(form->Btn_DelRow);
        EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 3",
                                                "Are you sure to delete the Row number 3"}));
        EXPECT_EQ(answers->Messages[0].Type, mtConfirmation);
        EXPECT_EQ(Read()->Cells(18, 3), "third");

        // Copied on the read tab, pasted on the write tab: refused (and the widths differ anyway).
        answers->Messages.clear();
        Read()->SetRow(1);
        Click(form->Btn_CopyRow);
        Select_Tab(Write_Table);
        Write()->SetRow(1);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it"}));
        EXPECT_EQ(Write()->Cells(Col_Address, 1), "");
        Click(form->Btn_InsRow);
        EXPECT_EQ(Write()->Cells(Col_Enable, 1), "Y");
    });
}

TEST_F(S7Editor, EnterInACellEditorMovesOnInItsOwnGrid)
{
    Opt_Jump_Field_Tables = true;
    Show([&] {
        // A cell editor is owned by its grid and sends its keys as itself.
        auto* editor = new TComponent(Write());
        Write()->FocusCell(Col_PLC_Type, 1);
        char16_t key = u'\r';
        Write()->OnKeyPress(editor, key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(Write()->Col(), Col_PLC_Type + 1);
        EXPECT_EQ(Read()->Col(), 1);
        key = u'a';
        Write()->OnKeyPress(editor, key);
        EXPECT_EQ(key, u'a');
    });
}

} // namespace
