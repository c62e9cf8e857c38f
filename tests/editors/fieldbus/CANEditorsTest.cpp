// The two CAN frame editors on real forms: their tables, loading and saving their files, the data
// check through OK, the row buttons, the grid events and their texts.
#include "app/TableEditorFixture.h"
#include "editors/fieldbus/UReceiveCAN.h"
#include "editors/fieldbus/UTransmitCAN.h"

namespace
{

using namespace tableeditortest;

const char* const A11 = "2.0A (11 bits)";

class ReceiveCAN : public TableEditorFixture<TFReceiveCAN>
{
  protected:
    TExtColumnGrid* grid() { return form->ACG_CAN_Receive; }
    // Enable, CobID, Type, Dimension, TimeOut, Byte1 .. Byte8, Mnemonic.
    static QStringList Frame(const char* cobid, const char* type, const char* dim)
    {
        return {"Y", cobid, type, dim, "0", "", "", "", "", "", "", "", "", "Engine"};
    }
};

TEST_F(ReceiveCAN, TheTableHas512FramesOf15ColumnsWithTheirLooks)
{
    EXPECT_EQ(form->Name(), "FReceiveCAN");
    EXPECT_EQ(form->ClientWidth(), 1010);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Receive CAN Frames Set Access");
    EXPECT_EQ(grid()->RowCount(), 513);
    ASSERT_EQ(grid()->ColCount(), 15);
    const int widths[] = {40, 50, 90, 90, 70, 75, 48, 48, 48, 48, 48, 48, 48, 48, 185};
    const char* fonts[] = {"Tahoma", "Verdana", "Tahoma", "Verdana", "Tahoma", "Verdana"};
    for (int c = 0; c < 15; ++c) {
        TGridColumnItem* item = grid()->Columns()->Items(c);
        EXPECT_EQ(item->Width(), widths[c]) << c;
        if (c < 6) {
            EXPECT_EQ(QString(item->Font()->Name), fonts[c]) << c;
        }
    }
    EXPECT_EQ(grid()->Columns()->Items(1)->Color(), TColor(0xB0D8FF));
    EXPECT_EQ(grid()->Columns()->Items(5)->Color(), TColor(0xA8FFA8));
    EXPECT_EQ(grid()->Columns()->Items(1)->Editor(), edDataCheckBox);
    EXPECT_EQ(grid()->Columns()->Items(3)->ComboItems()->Count(), 2);
    EXPECT_EQ(grid()->Cells(10, 0), "Byte5");
}

TEST_F(ReceiveCAN, ShowClearsRowsBuildsTheByteListsAndLoadsEveryElementChild)
{
    Write_File(File_CAN_Rec_Frames, "<Receive_Frames><row Enable=\"N\" COBID=\"0x7FF\" CAN_Type=\"2.0A (11 "
                                    "bits)\" Dim=\"2\" TimeOut=\"\" "
                                    "Byte1=\"None\" Byte2=\"17\" Mnemonic=\"Speed\"/>"
                                    "<!--a note--><frame COBID=\"5\" Dim=\"1\"/>  text  </Receive_Frames>"
                                    "<!--SW_VERSION = 1.001-->");
    Show([&] {
        for (int k = 6; k <= 13; ++k) {
            const TStringList* items = grid()->Columns()->Items(k)->ComboItems();
            ASSERT_EQ(items->Count(), 2001);
            EXPECT_EQ(items->Strings(0), "None");
            EXPECT_EQ(items->Strings(2000), "1999");
        }
        EXPECT_EQ(Row_Texts(grid(), 1),
                  QStringList({"N", "0x7FF", A11, "2", "", "None", "17", "", "", "", "", "", "", "Speed"}));
        // The comment and the text are no rows; a row of any name is one.
        EXPECT_EQ(Row_Texts(grid(), 2),
                  QStringList({"Y", "5", "", "1", "0", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(Row_Texts(grid(), 3),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(grid()->Cells(0, 512), "512");
        // The table takes the focus; a click on column 0 does not select its row.
        formtest::Pump();
        EXPECT_EQ(form->ActiveControl(), grid());
        EXPECT_FALSE(grid()->OnClickCell);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(
        Xml_Tree(File_CAN_Rec_Frames),
        QStringList({"Receive_Frames",
                     "  row Enable=\"N\" COBID=\"0x7FF\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" TimeOut=\"\" "
                     "Byte1=\"None\" Byte2=\"17\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" "
                     "Byte8=\"\" Mnemonic=\"Speed\"",
                     "  row Enable=\"Y\" COBID=\"5\" CAN_Type=\"\" Dim=\"1\" TimeOut=\"0\" Byte1=\"\" "
                     "Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" "
                     "Mnemonic=\"\""}));
    const QByteArray bytes = testsupport::readBytes(File_CAN_Rec_Frames);
    EXPECT_TRUE(bytes.startsWith("<Receive_Frames>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.simplified().endsWith("</Receive_Frames> <!--SW_VERSION = 1.001-->"))
        << bytes.toStdString();
    // Reloaded, the empty TimeOut stays empty.
    Show([&] { EXPECT_EQ(grid()->Cells(5, 1), ""); });
}

TEST_F(ReceiveCAN, OKShowsTheFirstFaultAndKeepsTheFormOpen)
{
    const struct {
        QStringList row;
        const char* message;
    } cases[] = {
        {Frame("2048", A11, "1"), "Error row 1!! CobID must be between 0 and 2047"},
        {Frame("1", "", "0"), "Error row 1!! Dimension must be between 1 and 8"},
        {[] {
             QStringList r = Frame("1", A11, "3");
             r[7] = "5000";
             return r;
         }(),
         "Error row 1!! Byte3 must be between 0 and 1999 or None"},
    };
    for (const auto& c : cases) {
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            Write_Row(grid(), 1, c.row);
            Click(form->Btn_OK);
            EXPECT_EQ(form->ModalResult(), mrNone);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(Message_Texts(), QStringList({c.message}));
        EXPECT_FALSE(FileExists(File_CAN_Rec_Frames));
    }
}

TEST_F(ReceiveCAN, RowsFromTheFirstBlankCobIDOnAreNeitherCheckedNorSaved)
{
    Show([&] {
        Write_Row(grid(), 1, Frame("1", A11, "1"));
        Write_Row(grid(), 2, Frame(" ", A11, "99"));
        Write_Row(grid(), 3, Frame("2", A11, "1"));
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames).size(), 2);
}

TEST_F(ReceiveCAN, RowButtons)
{
    Show([&] {
        Write_Row(grid(), 1, Frame("1", A11, "1"));
        grid()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
    });
    Show([&] {
        grid()->FocusCell(2, 3);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(grid()->Cells(2, 3), "");

        for (int r = 1; r <= 5; ++r)
            Write_Row(grid(), r, Frame(QByteArray::number(r).constData(), A11, "1"));
        grid()->FocusCell(2, 4);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid()->Cells(2, 4), "5");

        grid()->FocusCell(3, 2);
        grid()->SetCells(1, 2, "N");
        Click(form->Btn_InsRow);
        EXPECT_EQ(Row_Texts(grid(), 2),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(grid()->Cells(1, 3), "N");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it",
                                            "Are you sure to delete the Row number 4"}));
}

TEST_F(ReceiveCAN, EnterWrapsFromTheLastCellAndHeadersGiveTheirHints)
{
    Show([&] {
        Opt_Jump_Field_Tables = true;
        grid()->FocusCell(14, 512);
        char16_t key = 13;
        grid()->OnKeyPress(grid(), key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(grid()->Col(), 1);
        EXPECT_EQ(grid()->Row(), 1);

        const struct {
            int col;
            int text;
        } hints[] = {{1, 2429}, {4, 2432}, {5, 2434}, {6, 2435}, {13, 2442}, {14, 2443}};
        for (const auto& h : hints) {
            QString hint;
            grid()->OnGridHint(grid(), 0, h.col, hint);
            EXPECT_EQ(hint, Lang_Text(h.text)) << h.col;
        }
    });
}

TEST_F(ReceiveCAN, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(grid()->Cells(5, 0), "#2413");
    EXPECT_EQ(form->Table(0).Hints.at(4), "#2434");
    EXPECT_EQ(form->Btn_PasteRow->Caption(), "#2407");
    EXPECT_EQ(form->Btn_OK->Hint(), "#2423");
}

class TransmitCAN : public TableEditorFixture<TFTransmitCAN>
{
  protected:
    TExtColumnGrid* grid() { return form->ACG_CAN_Transmit; }
    // Enable, CobID, Type, Dimension, OnChange, OnCMD, OnTimer, Time, Byte1 .. Byte8, Mnemonic.
    static QStringList Frame(const char* on_timer, const char* time, const char* byte1 = "")
    {
        return {"Y", "1", A11, "1", "Y", "N", on_timer, time, byte1, "", "", "", "", "", "", "", "Out"};
    }
};

TEST_F(TransmitCAN, LoadingGivesTheDefaultsOfMissingAttributes)
{
    Write_File(File_CAN_Send_Frames, "<Transmit_Frames>"
                                     "<row Enable=\"Y\" COBID=\"1\" Dim=\"1\"/>"
                                     "<row COBID=\"2\" OnTimer=\"Y\"/>"
                                     "<row COBID=\"3\" OnTimer=\"Y\" Time=\"\" OnChange=\"\" CAN_Type=\"\"/>"
                                     "</Transmit_Frames>");
    Show([&] {
        EXPECT_EQ(grid()->ColCount(), 18);
        EXPECT_EQ(grid()->Cells(6, 0), "OnCMD");
        EXPECT_EQ(grid()->Columns()->Items(9)->ComboItems()->Count(), 2501);
        EXPECT_EQ(form->Hard_Type, 1);
        EXPECT_EQ(form->MAX_Byte, 2500);
        // CAN_Type, OnChange, OnCMD, OnTimer, Time.
        const auto modes = [&](int r) {
            return QStringList({grid()->Cells(3, r), grid()->Cells(5, r), grid()->Cells(6, r),
                                grid()->Cells(7, r), grid()->Cells(8, r)});
        };
        EXPECT_EQ(modes(1), QStringList({A11, "Y", "N", "N", ""}));
        EXPECT_EQ(modes(2), QStringList({A11, "Y", "N", "Y", "0"}));
        EXPECT_EQ(modes(3), QStringList({"", "", "N", "Y", ""}));
        EXPECT_EQ(grid()->Cells(1, 2), "Y");
    });
}

TEST_F(TransmitCAN, OKChecksTheTimeOnTimerAndTheBytesAgainstTheTransmitImage)
{
    const struct {
        QStringList row;
        QStringList messages;
    } cases[] = {
        {Frame("Y", ""), {"Error row 1!! Time must be between 0 and 100000000 milliseconds"}},
        {Frame("N", ""), {}},
        {Frame("N", "", "2500"), {"Error row 1!! Byte1 must be between 0 and 2499 or None"}},
        {Frame("N", "", "2499"), {}},
    };
    for (const auto& c : cases) {
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            Write_Row(grid(), 1, c.row);
            Click(form->Btn_OK);
        });
        EXPECT_EQ(Message_Texts(), c.messages);
        EXPECT_EQ(result, c.messages.isEmpty() ? mrOk : mrCancel);
    }
    EXPECT_EQ(
        Xml_Tree(File_CAN_Send_Frames),
        QStringList({"Transmit_Frames",
                     "  row Enable=\"Y\" COBID=\"1\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" OnChange=\"Y\" "
                     "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Byte1=\"2499\" Byte2=\"\" Byte3=\"\" Byte4=\"\" "
                     "Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"Out\""}));
}

TEST_F(TransmitCAN, ShowRefillsTheHintsAndInsertEnablesTheNewRow)
{
    Set_Lang_Text(2563, "by command");
    Show([&] {
        EXPECT_EQ(form->Table(0).Hints.at(5), "by command");
        QString hint;
        grid()->OnGridHint(grid(), 0, 6, hint);
        EXPECT_EQ(hint, "by command");
        grid()->FocusCell(2, 1);
        Click(form->Btn_InsRow);
        EXPECT_EQ(grid()->Cells(1, 1), "Y");
        EXPECT_EQ(grid()->Cells(5, 1), "");
    });
}

TEST_F(TransmitCAN, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(grid()->Cells(6, 0), "#2562");
    EXPECT_EQ(grid()->Cells(7, 0), "#2514");
    EXPECT_EQ(form->Table(0).Hints.mid(3, 4), QStringList({"#2534", "#2535", "#2563", "#2536"}));
}

} // namespace
