// The serial Modbus master request editor on a real form, through the table-editor fixture: its two
// tables, what every show prepares, loading with defaults and faults, the check as the user meets
// it, the file it writes (and the image compiler reads), the row buttons, hints and the topic index.
#include "gateway/USetAccess.h"

#include "RequestEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "app/UTableRows.h"
#include "gateway/UConfigImage.h"
#include "gateway/UModbus_TCP_Master_Set_Access.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/StringList.h"

#include <QFile>

namespace
{

using namespace tableeditortest;

// Real columns 1 .. 13 of a read row and 1 .. 14 of a write row.
const QStringList Holding_Read = {"Y", "1", "Holding Register", "0", "10", "100", "0", "0", "", "N",
                                  "N", "",  "Drive status"};
const QStringList Holding_Write = {
    "Y", "1", "Holding Register", "100", "2", "0", "Y", "N", "0", "0", "", "N", "Y", "Speed"};

class SetAccess : public RequestEditorFixture<TFSetAccess>
{
  protected:
    const QString& File() const override { return File_ModbusM_SetAccess; }
};

TEST_F(SetAccess, TheEditorHasAReadAndAWriteTableOf512Requests)
{
    EXPECT_EQ(form->ClientWidth(), 1040);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Set Modbus Access");
    EXPECT_EQ(form->L_SW_Code->Caption(), "RIVA101");
    EXPECT_EQ(form->TS_Modbus_Read->Caption(), "Modbus Read");
    EXPECT_EQ(form->TS_Modbus_Write->Caption(), "Modbus Write");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_Modbus_Read);
    EXPECT_EQ(form->Btn_CopyRow->Caption(), "Copy Row");
    EXPECT_EQ(form->Btn_OK->Hint(), "Confirm and save the Modbus Master Set Access List");

    struct Col {
        const char* header;
        int width;
        TColor color;
        TEditorType editor;
        QStringList items;
    };
    const QStringList bits = {"0", "1", "2", "3", "4", "5", "6", "7"};
    const auto text = [](const char* h, int w, TColor c) { return Col{h, w, c, edNormal, {}}; };
    const auto check = [](const char* h, int w, TColor c) { return Col{h, w, c, edDataCheckBox, {}}; };
    const std::vector<Col> read = {
        text("N", 40, clWindow),
        check("Enable", 50, 0xB0D8FF),
        text("Slave ID", 60, 0xFEFAE0),
        {"Type",
         115,
         0xFEFAE0,
         edComboList,
         {"Coil Status", "Input Status", "Holding Register", "Input Register"}},
        text("Address", 60, 0xFEFAE0),
        text("NPoint", 64, 0xFEFAE0),
        text("Poll Time", 64, 0xA8FFA8),
        text("Max Error", 64, 0xA8FFA8),
        {"Position", 61, 0xF4D6FC, edComboList, {}},
        {"Start Bit", 64, 0xF4D6FC, edComboList, bits},
        check("Swap", 40, 0xA8FFFF),
        check("SwapWord", 80, 0xA8FFFF),
        {"Topic", 120, 0xFFD5D5, edComboList, {}},
        text("Mnemonic", 120, clWhite),
    };
    const std::vector<Col> write = {
        text("N", 40, clWindow),
        check("Enable", 50, 0xB0D8FF),
        text("Slave ID", 60, 0xFEFAE0),
        {"Type", 115, 0xFEFAE0, edComboList, {"Coil Status", "Holding Register"}},
        text("Address", 60, 0xFEFAE0),
        text("NPoint", 64, 0xFEFAE0),
        text("Poll Time", 64, 0xA8FFA8),
        check("On Change", 68, 0xA8FFA8),
        check("On CMD", 56, 0xA8FFA8),
        text("Max Error", 64, 0xA8FFA8),
        {"Position", 64, 0xF4D6FC, edComboList, {}},
        {"Start Bit", 64, 0xF4D6FC, edComboList, bits},
        check("Swap", 40, 0xA8FFFF),
        check("SwapWord", 80, 0xA8FFFF),
        text("Mnemonic", 113, clWhite),
    };
    for (TExtColumnGrid* g : {Read(), Write()}) {
        SCOPED_TRACE(g->Name().toStdString());
        const std::vector<Col>& cols = g == Read() ? read : write;
        EXPECT_EQ(g->RowCount(), 513);
        // The read table's Topic column is hidden from the start.
        EXPECT_EQ(g->ColCount() + g->NumHiddenColumns(), int(cols.size()));
        EXPECT_EQ(g->NumHiddenColumns(), g == Read() ? 1 : 0);
        for (int c = 0; c < int(cols.size()); ++c) {
            TGridColumnItem* item = g->Columns()->Items(c);
            EXPECT_EQ(item->Header(), cols[size_t(c)].header) << c;
            EXPECT_EQ(item->Width(), cols[size_t(c)].width) << c;
            EXPECT_EQ(item->Color(), cols[size_t(c)].color) << c;
            EXPECT_EQ(item->Editor(), cols[size_t(c)].editor) << c;
            if (!cols[size_t(c)].items.isEmpty()) {
                EXPECT_EQ(item->ComboItems()->ToStringList(), cols[size_t(c)].items) << c;
            }
        }
        // Enable, Swap and SwapWord are centred.
        EXPECT_EQ(g->Columns()->Items(1)->Alignment(), taCenter);
        EXPECT_EQ(g->Columns()->Items(g == Read() ? 11 : 13)->Alignment(), taCenter);
        EXPECT_TRUE(g->OnClickCell && g->OnDblClickCell && g->OnKeyPress && g->OnGridHint);
    }
    EXPECT_TRUE(Read()->IsHiddenColumn(12));
    EXPECT_TRUE(Read()->OnComboChange);
}

TEST_F(SetAccess, EveryShowClearsTheTablesAndRebuildsTheLists)
{
    const QStringList positions = [] {
        QStringList l;
        for (int i = 0; i < 1500; ++i)
            l << QString::number(i);
        return l;
    }();
    const QStringList empty_read = {"Y", "", "", "", "", "", "", "", "", "", "", "", ""};
    for (int show = 0; show < 2; ++show) {
        SCOPED_TRACE(show);
        Show([&] {
            EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_Modbus_Read);
            EXPECT_TRUE(form->TS_Modbus_Write->TabVisible());
            // Hiding the hidden Topic again and showing the shown Position and Start Bit change nothing.
            EXPECT_EQ(Read()->ColCount(), 13);
            EXPECT_TRUE(Read()->IsHiddenColumn(12));
            EXPECT_FALSE(Read()->IsHiddenColumn(8));
            EXPECT_FALSE(Read()->IsHiddenColumn(9));
            EXPECT_EQ(Read()->ColWidths(8), 61);
            EXPECT_EQ(Read()->ColWidths(12), 120); // display column 12 is Mnemonic
            EXPECT_EQ(form->NByte_IN, 1500);
            EXPECT_EQ(form->NByte_OUT, 1500);
            EXPECT_EQ(Read()->Columns()->Items(8)->ComboItems()->ToStringList(), positions);
            EXPECT_EQ(Write()->Columns()->Items(10)->ComboItems()->ToStringList(), positions);
            EXPECT_EQ(form->ComboItem_Topic, std::vector<int32_t>(512, -1));
            EXPECT_FALSE(form->Do_Copy_In_Read() || form->Do_Copy_In_Write());
            for (int r : {1, 2, 512}) {
                EXPECT_EQ(Read()->Cells(0, r), QString::number(r));
                EXPECT_EQ(Row_Texts(Read(), r), empty_read) << r;
                EXPECT_EQ(Row_Texts(Write(), r),
                          QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
            }
            // What this show leaves behind is gone at the next one.
            Write_Row(Read(), 2, Holding_Read);
            Read()->SetCells(12, 3, "hidden topic");
            form->ComboItem_Topic[5] = 3;
            Read()->HideColumn(8);
            Read()->UnHideColumn(12);
            Click(form->Btn_CopyRow);
            form->TS_Modbus_Write->SetTabVisible(false);
            form->PageControl1->SetActivePage(form->TS_Modbus_Read);
        });
    }
    // The positions are typed or picked: two shows leave one list of 1500, not 3000.
    EXPECT_EQ(Read()->Columns()->Items(8)->ComboItems()->Count(), 1500);
}

TEST_F(SetAccess, LoadingFillsMissingOptionalAttributesWithTheirDefaults)
{
    Write_File(
        File_ModbusM_SetAccess,
        "<EtherNetIP_to_Modbus><Modbus_Read>"
        "<row Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"8\" PollTime=\"10\" MaxError=\"0\" "
        "Position=\"0\" Bit=\"0\" Mnemonic=\"no flags\"/>"
        "<row Enable=\"N\" Slave_ID=\"2\" Type=\"x\" Address=\"0\" NPoint=\"8\" PollTime=\"10\" "
        "MaxError=\"0\" "
        "Position=\"0\" Bit=\"\" Swap=\"Y\" SwapWord=\"Y\" Index_Topic=\"5\" Mnemonic=\"\"/>"
        "<row Slave_ID=\"3\" Type=\"x\" Address=\"0\" NPoint=\"8\" PollTime=\"10\" MaxError=\"0\" "
        "Position=\"0\" Bit=\"\" Index_Topic=\"0x2\" Mnemonic=\"\"/>"
        "</Modbus_Read><Modbus_Write>"
        "<row Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"8\" PollTime=\"0\" OnChange=\"\" "
        "MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"w\"/>"
        "</Modbus_Write></EtherNetIP_to_Modbus>");
    Show([&] {
        EXPECT_EQ(Row_Texts(Read(), 1), QStringList({"Y", "1", "Coil Status", "0", "8", "10", "0", "0", "0",
                                                     "N", "N", "", "no flags"}));
        EXPECT_EQ(Row_Texts(Read(), 2),
                  QStringList({"N", "2", "x", "0", "8", "10", "0", "0", "", "Y", "Y", "", ""}));
        EXPECT_EQ(Row_Texts(Write(), 1), QStringList({"Y", "1", "Coil Status", "0", "8", "0", "", "N", "0",
                                                      "0", "0", "N", "N", "w"}));
        // The topic index is kept per row; the list is empty, so no Topic cell shows one.
        EXPECT_EQ(form->ComboItem_Topic[0], -1);
        EXPECT_EQ(form->ComboItem_Topic[1], 5);
        EXPECT_EQ(form->ComboItem_Topic[2], 2);
        EXPECT_EQ(form->ComboItem_Topic[3], -1);
    });
}

TEST_F(SetAccess, AFileWithMoreThan512RowsShowsAndSaves512PerTable)
{
    QByteArray rows;
    for (int i = 1; i <= 600; ++i)
        rows +=
            QString(
                "<row Enable=\"N\" Slave_ID=\"%1\" Type=\"t\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" "
                "OnChange=\"N\" MaxError=\"0\" Position=\"0\" Bit=\"\" Index_Topic=\"%1\" Mnemonic=\"\"/>")
                .arg(i)
                .toUtf8();
    Write_File(File_ModbusM_SetAccess, "<EtherNetIP_to_Modbus><Modbus_Read>" + rows +
                                           "</Modbus_Read><Modbus_Write>" + rows +
                                           "</Modbus_Write></EtherNetIP_to_Modbus>");
    const TModalResult result = Show([&] {
        EXPECT_EQ(Read()->Cells(2, 512), "512");
        EXPECT_EQ(Write()->Cells(2, 512), "512");
        EXPECT_EQ(form->ComboItem_Topic[511], 512);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList saved = Saved();
    EXPECT_EQ(saved.size(), 1 + 2 * (1 + 512));
    EXPECT_EQ(saved.count("  Modbus_Write"), 1);
}

TEST_F(SetAccess, AFaultyFileIsReportedAndTheEditorStaysClosed)
{
    const QByteArray read_row =
        "<row Enable=\"Y\" Slave_ID=\"1\" Type=\"t\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" "
        "MaxError=\"0\" Position=\"0\" Bit=\"\" Mnemonic=\"\"/>";
    struct Case {
        const char* what;
        QByteArray xml;
        QStringList named;
    };
    const Case cases[] = {
        {"no Bit",
         "<EtherNetIP_to_Modbus><Modbus_Read>" + read_row + QByteArray(read_row).replace("Bit=\"\" ", "") +
             "</Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>",
         {"ModbusM_SetAccess.xml", "Modbus_Read", "row 2", "Bit"}},
        {"no OnChange",
         "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write><row Slave_ID=\"1\" Type=\"t\" Address=\"0\" "
         "NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"\" Mnemonic=\"\"/></Modbus_Write>"
         "</EtherNetIP_to_Modbus>",
         {"ModbusM_SetAccess.xml", "Modbus_Write", "row 1", "OnChange"}},
        {"no write section",
         "<EtherNetIP_to_Modbus><Modbus_Read>" + read_row + "</Modbus_Read></EtherNetIP_to_Modbus>",
         {"ModbusM_SetAccess.xml", "Modbus_Write"}},
        {"not well-formed", "<EtherNetIP_to_Modbus><Modbus_Read>", {"ModbusM_SetAccess.xml"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        Write_File(File_ModbusM_SetAccess, c.xml);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        for (const QString& part : c.named)
            EXPECT_TRUE(answers->Messages[0].Text.contains(part)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(testsupport::readBytes(File_ModbusM_SetAccess), c.xml);
    }
}

TEST_F(SetAccess, OKShowsTheFirstFaultOfTheReadTableThenOfTheWriteTable)
{
    struct Case {
        const char* what;
        std::vector<QStringList> reads, writes;
        QString fault; // empty: passes
    };
    const Case cases[] = {
        {"4 rows, the last with 126 registers",
         {Holding_Read, Holding_Read, Holding_Read, With(Holding_Read, 5, "126")},
         {},
         "Error row 4!! [Modbus Read] NPoint must be between 1 and 125"},
        {"no position",
         {With(Holding_Read, 8, "")},
         {},
         "Error row 1!! [Modbus Read] Position must be between 0 and 1499"},
        {"slave 248",
         {With(Holding_Read, 2, "248")},
         {},
         "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"read poll time 0",
         {With(Holding_Read, 6, "0")},
         {},
         "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {"a read fault before a write fault",
         {With(Holding_Read, 6, "0")},
         {With(Holding_Write, 2, "0")},
         "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {"write 124 registers",
         {Holding_Read},
         {Holding_Write, With(Holding_Write, 5, "124")},
         "Error row 2!! [Modbus Write] NPoint must be between 1 and 123"},
        {"write coils to byte 1500",
         {},
         {With(With(With(With(Holding_Write, 3, "Coil Status"), 5, "1968"), 11, "7"), 10, "1254")},
         "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {"fine tables", {Holding_Read}, {Holding_Write}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        QFile::remove(File_ModbusM_SetAccess);
        const TModalResult result = Ok_With(c.reads, c.writes);
        if (c.fault.isEmpty()) {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
            EXPECT_TRUE(FileExists(File_ModbusM_SetAccess));
        } else {
            EXPECT_EQ(result, mrCancel);
            ASSERT_EQ(Message_Texts(), QStringList({c.fault}));
            EXPECT_EQ(answers->Messages[0].Type, mtError);
            EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
            EXPECT_FALSE(FileExists(File_ModbusM_SetAccess));
        }
    }
}

TEST_F(SetAccess, OKSavesEveryRequestAboveTheFirstEmptySlaveIdAsItStands)
{
    const TModalResult result = Show([&] {
        Write_Row(Read(), 1, With(With(Holding_Read, 1, "N"), 3, "coil status "));
        Write_Row(Read(), 2, With(Holding_Read, 2, "  "));
        Write_Row(Read(), 3, With(Holding_Read, 2, "999"));
        // A new row's untouched check boxes and a register's Start Bit are saved empty.
        Write_Row(Write(), 1, {"N", "0", "Holding Register", "", "", "", "", "", "", "", "", "", "", "w"});
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Saved(),
              QStringList({
                  "EtherNetIP_to_Modbus",
                  "  Modbus_Read",
                  "    row Enable=\"N\" Slave_ID=\"1\" Type=\"coil status \" Address=\"0\" NPoint=\"10\" "
                  "PollTime=\"100\" MaxError=\"0\" Position=\"0\" Bit=\"\" Swap=\"N\" SwapWord=\"N\" "
                  "Index_Topic=\"\" Mnemonic=\"Drive status\"",
                  "  Modbus_Write",
                  "    row Enable=\"N\" Slave_ID=\"0\" Type=\"Holding Register\" Address=\"\" NPoint=\"\" "
                  "PollTime=\"\" OnChange=\"\" OnCMD=\"\" MaxError=\"\" Position=\"\" Bit=\"\" Swap=\"\" "
                  "SwapWord=\"\" Mnemonic=\"w\"",
              }));
    const QByteArray bytes = testsupport::readBytes(File_ModbusM_SetAccess);
    EXPECT_TRUE(bytes.startsWith("<EtherNetIP_to_Modbus>")) << bytes.constData();
    EXPECT_TRUE(bytes.trimmed().endsWith("</EtherNetIP_to_Modbus>\n<!--SW_VERSION = 1.001-->"))
        << bytes.constData();
}

TEST_F(SetAccess, TheFixtureProjectsRequestsComeBackWholeAndCompile)
{
    const QString fixture = testsupport::fixture("ModbusM_SetAccess.xml");
    ASSERT_TRUE(QFile::copy(fixture, File_ModbusM_SetAccess));
    const TModalResult result = Show([&] {
        EXPECT_EQ(Read()->Cells(13, 2), "Limit switches");
        Click(form->Btn_OK);
    });
    ASSERT_EQ(result, mrOk);
    EXPECT_EQ(Saved(), Xml_Tree(fixture));

    TConfigCompiler compiler(TConfigPaths::ForProject(Active_Project_Dir));
    compiler.Compile_Config_Banks();
    // Three enabled reads, then both writes.
    ASSERT_EQ(compiler.Request_Count(), 5);
    struct Rec {
        int slave, function, address, npoint, position, bit, poll, max_error, options, bytes;
    };
    const Rec expected[] = {
        {1, 3, 0, 10, 0, 0, 100, 0, 0, 20},
        {2, 1, 16, 12, 20, 3, 250, 5, 0, 2},
        {247, 2, 65535, 1, 1499, 7, 100000000, 100000000, 0, 1},
        {1, 16, 100, 2, 0, 0, 0, 0, 1 + 8, 0},
        {2, 5, 8, 1, 4, 5, 500, 3, 16, 0},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const TModbus_Request& q = compiler.Request(i);
        const Rec& e = expected[i];
        EXPECT_EQ(q.Slave_ID, e.slave);
        EXPECT_EQ(q.Function, e.function);
        EXPECT_EQ(q.Address, e.address);
        EXPECT_EQ(q.NPoint, e.npoint);
        EXPECT_EQ(q.Position, e.position);
        EXPECT_EQ(q.Bit, e.bit);
        EXPECT_EQ(int(q.PollTime), e.poll);
        EXPECT_EQ(int(q.MaxError), e.max_error);
        EXPECT_EQ(q.Options, e.options);
        EXPECT_EQ(q.Num_Bytes, e.bytes);
    }
}

TEST_F(SetAccess, RowButtonsWorkOnTheActiveTableHiddenTopicIncluded)
{
    Show([&] {
        Write_Row(Read(), 1, With(Holding_Read, 12, "t"));
        Read()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        EXPECT_TRUE(form->Do_Copy_In_Read());
        // The copy holds real columns 1 .. 13: the hidden Topic travels with it.
        EXPECT_EQ(Row_Clipboard, With(Holding_Read, 12, "t"));
        Read()->FocusCell(2, 3);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Read()->Cells(12, 3), "t");
        Select_Tab(1);
        Write()->FocusCell(2, 1);
        Click(form->Btn_PasteRow);
        // Wider rows refuse a read row even with the flag.
        Paste_Row(Write(), 1, true);
        EXPECT_EQ(Row_Texts(Write(), 1),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));

        for (int r = 1; r <= 8; ++r)
            Write_Row(Write(), r, With(Holding_Write, 2, QString::number(r)));
        answers->MessageAnswers = {mrYes};
        Write()->FocusCell(2, 7);
        Click(form->Btn_DelRow);
        EXPECT_EQ(Write()->Cells(2, 7), "8");
        Write()->FocusCell(3, 2);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Write()->Cells(1, 2), "Y");
        EXPECT_EQ(Write()->Cells(2, 2), "");
        EXPECT_EQ(Write()->Cells(2, 3), "2");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it",
                                            "Error in the Copy values!!! Copy a valid row before Paste it",
                                            "Are you sure to delete the Row number 7"}));
    EXPECT_EQ(answers->Messages[2].Buttons, TMsgDlgButtons(mbYesNo));
}

TEST_F(SetAccess, HeaderHintsFollowTheRealColumnAndOtherCellsKeepTheirs)
{
    struct Case {
        bool write;
        int row, col;
        QString hint;
    };
    const Case cases[] = {
        {false, 0, 1, "Enable or Disable the Modbus Rule"},
        {false, 0, 11, "Enable or Disable the Swap Word of Data"},
        // Display column 12 is Mnemonic while Topic is hidden.
        {false, 0, 12, "Insert the Description of Modbus Rule"},
        {false, 0, 0, "grid's"},
        {false, 3, 4, "grid's"},
        {true, 0, 7, "Enable or Disable the Possibility to Send the Write Modbus Reques when Data Change"},
        {true, 0, 13, "Enable or Disable the Swap Word of Data"},
    };
    Show([&] {
        for (const Case& c : cases) {
            TExtColumnGrid* g = c.write ? Write() : Read();
            QString hint = "grid's";
            g->OnGridHint(g, c.row, c.col, hint);
            EXPECT_EQ(hint, c.hint) << c.write << " " << c.row << " " << c.col;
        }
    });
}

TEST_F(SetAccess, TheTopicIndexFollowsTheListWhenTheColumnIsShown)
{
    form->List_Publish_Topic->Add("plant/a");
    form->List_Publish_Topic->Add("plant/b");
    form->List_Publish_Topic->Add("plant/a");
    EXPECT_EQ(form->Get_Index_From_Topic("plant/a", 2), 2);
    EXPECT_EQ(form->Get_Index_From_Topic("plant/a", 1), 0);
    EXPECT_EQ(form->Get_Index_From_Topic("plant/a", 7), 0);
    EXPECT_EQ(form->Get_Index_From_Topic("Plant/A", -1), -1);
    EXPECT_EQ(form->Get_Topic_From_Index(1), "plant/b");
    EXPECT_EQ(form->Get_Topic_From_Index(3), "");

    Write_File(File_ModbusM_SetAccess,
               "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\" Type=\"t\" Address=\"0\" NPoint=\"1\" "
               "PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"\" Index_Topic=\"2\" Mnemonic=\"\"/>"
               "<row Slave_ID=\"2\" Type=\"t\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" "
               "Position=\"0\" Bit=\"\" Index_Topic=\"1\" Mnemonic=\"\"/>"
               "</Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>");
    const TModalResult result = Show([&] {
        EXPECT_EQ(Read()->Cells(12, 1), "plant/a");
        EXPECT_EQ(Read()->Cells(12, 2), "plant/b");
        EXPECT_EQ(Read()->Columns()->Items(12)->ComboItems()->ToStringList(),
                  QStringList({"plant/a", "plant/b", "plant/a"}));
        // Shown, the column needs a topic per enabled request.
        Read()->UnHideColumn(12);
        Read()->SetCells(12, 2, " ");
        Click(form->Btn_OK);
        EXPECT_EQ(Message_Texts(), QStringList({"Error row 2!! [Modbus Read] Select a Topic"}));
        // Row 2 picks the third entry.
        Read()->SetCells(12, 2, "plant/a");
        Read()->OnComboChange(Read(), 12, 2, 2, "plant/a");
        EXPECT_EQ(form->ComboItem_Topic[1], 2);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList saved = Saved();
    ASSERT_EQ(saved.size(), 5);
    EXPECT_TRUE(saved[2].contains("Slave_ID=\"1\"") && saved[2].contains("Index_Topic=\"2\""))
        << saved[2].toStdString();
    EXPECT_TRUE(saved[3].contains("Slave_ID=\"2\"") && saved[3].contains("Index_Topic=\"2\""))
        << saved[3].toStdString();
}

QStringList Markers(std::initializer_list<std::pair<int, int>> ranges)
{
    QStringList out;
    for (const auto& [from, to] : ranges)
        for (int n = from; n <= to; ++n)
            out << Marker(n);
    return out;
}

TEST_F(SetAccess, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(form->Hint_Modbus_Set_Access_Read(), Markers({{1743, 1752}, {1792, 1792}, {1753, 1754}}));
    EXPECT_EQ(form->Hint_Modbus_Set_Access_Write(), Markers({{1755, 1766}, {1793, 1793}, {1767, 1767}}));
    EXPECT_EQ(Read()->Cells(11, 0), "#1790");
    EXPECT_EQ(Write()->Cells(13, 0), "#1791");
    EXPECT_EQ(Read()->Columns()->Items(12)->Header(), "#1742");
    // The check's texts come from the table too.
    Show([&] {
        Write_Row(Read(), 1, With(Holding_Read, 5, "200"));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"#17681#1772125"}));
}

TEST_F(SetAccess, StepFourOpensTheEditorOnTheOpenProjectAndTheLanguageSwitchReachesBothEditors)
{
    testsupport::TempDir program;
    Create_Forms(program.path());
    ASSERT_NE(FSetAccess, nullptr);
    ASSERT_NE(FModbus_TCP_Master_Set_Access, nullptr);
    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant A"));
    Set_Active_Project("Plant A");
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = FSetAccess->Modal();
        Write_Row(FSetAccess->ACG_Modbus_Read, 1, Holding_Read);
        Click(FSetAccess->Btn_OK);
    });
    Click(FDodiruredavIzavUred->Btn_Modbus_Set_Access);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(FSetAccess->Visible());
    EXPECT_TRUE(
        Xml_Tree(Projects_Dir + "/Plant A/ModbusM_SetAccess.xml")
            .contains("    row Enable=\"Y\" Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" "
                      "NPoint=\"10\" PollTime=\"100\" MaxError=\"0\" Position=\"0\" Bit=\"\" Swap=\"N\" "
                      "SwapWord=\"N\" Index_Topic=\"\" Mnemonic=\"Drive status\""));

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FSetAccess->Caption(), "#1700");
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->Caption(), "#1800");
    Destroy_Forms();
    EXPECT_EQ(FSetAccess, nullptr);
    EXPECT_EQ(FModbus_TCP_Master_Set_Access, nullptr);
}

} // namespace
