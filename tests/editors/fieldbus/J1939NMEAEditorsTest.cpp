// The J1939 and NMEA 2000 frame editors on real forms: their tables, the raw PGN key, loading the
// older and the shortened rows, the byte totals through OK, the row buttons and their texts.
#include "app/TableEditorFixture.h"
#include "editors/fieldbus/UReceiveJ1939.h"
#include "editors/fieldbus/UReceiveNMEA.h"
#include "editors/fieldbus/UTransmitJ1939.h"
#include "editors/fieldbus/UTransmitNMEA.h"

namespace
{

using namespace tableeditortest;

// A file of `n` copies of `row` under `root`.
QByteArray Rows_File(const char* root, const QByteArray& row, int n)
{
    QByteArray xml = "<" + QByteArray(root) + ">";
    for (int i = 0; i < n; ++i)
        xml += row;
    return xml + "</" + QByteArray(root) + "><!--SW_VERSION = 1.000-->";
}

class ReceiveJ1939 : public TableEditorFixture<TFReceiveJ1939>
{
  protected:
    TExtColumnGrid* sga() { return form->sga; }
};

TEST_F(ReceiveJ1939, TheTableHas512GroupsOf11ColumnsInTahoma)
{
    EXPECT_EQ(form->ClientWidth(), 876);
    EXPECT_EQ(form->Caption(), "Receive J1939 Frames");
    EXPECT_EQ(sga()->RowCount(), 513);
    EXPECT_EQ(sga()->ColCount(), 11);
    EXPECT_EQ(sga()->DefaultRowHeight(), 21);
    EXPECT_EQ(QString(sga()->Columns()->Items(10)->Font()->Name), "Tahoma");
    EXPECT_EQ(sga()->Columns()->Items(8)->Color(), TColor(0xB0D8FF));
    EXPECT_EQ(sga()->Cells(9, 0), "Time(ms)");
}

TEST_F(ReceiveJ1939, A600RowFileShowsChecksAndSaves512)
{
    Write_File(File_J1939_Rec_Frames,
               Rows_File("Receive_J1939",
                         "<row DP=\"0\" PGN=\"1\" SA=\"0\" TP=\"Y\" TP_Start=\"0\" TP_NByte=\"0\"/>", 600));
    EXPECT_EQ(Show([&] {
                  EXPECT_EQ(sga()->Cells(2, 512), "1");
                  // Not read: 9 (OnReq_Time) takes its default.
                  EXPECT_EQ(sga()->Cells(9, 512), "1000");
                  EXPECT_EQ(sga()->Cells(8, 1), "N");
                  Click(form->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(Xml_Tree(File_J1939_Rec_Frames).size(), 513);
}

TEST_F(ReceiveJ1939, OKRefusesThe181stWholeFrameAndABlankPGN)
{
    Write_File(File_J1939_Rec_Frames,
               Rows_File("Receive_J1939", "<row DP=\"0\" PGN=\"65262\" SA=\"0\"/>", 181));
    Show([&] { Click(form->Btn_OK); });
    Show([&] {
        sga()->SetCells(2, 181, "");
        sga()->SetCells(2, 1, "   ");
        Click(form->Btn_OK);
    });
    Show([&] {
        sga()->SetCells(2, 1, "");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!! Too many bytes of data, the max number is 1440",
                                            "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"}));
    // An empty first PGN ends the table at once: nothing is saved.
    EXPECT_EQ(Xml_Tree(File_J1939_Rec_Frames), QStringList({"Receive_J1939"}));
}

TEST_F(ReceiveJ1939, RowButtonsInsertAnEmptyRowAndPasteNeedsACopyOfThisShowing)
{
    Show([&] {
        TableEditorFixture::Write_Row(sga(), 1, {"0", "1", "0"});
        TableEditorFixture::Write_Row(sga(), 2, {"1", "2", "3"});
        sga()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Row_Texts(sga(), 1), QStringList(10, QString()));
        Click(form->Btn_PasteRow);
        EXPECT_EQ(sga()->Cells(2, 1), "1");
        sga()->FocusCell(2, 3);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(sga()->Cells(2, 3), "");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 3"}));
}

TEST_F(ReceiveJ1939, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(form->Btn_OK->Hint(), "#3508");
    EXPECT_EQ(form->Table(0).Hints.last(), "#3534");
}

class TransmitJ1939 : public TableEditorFixture<TFTransmitJ1939>
{
  protected:
    TExtColumnGrid* sga() { return form->sga; }
};

TEST_F(TransmitJ1939, TheOlderSendTypeAndAMissingOrEmptyNBytesLoad)
{
    Write_File(File_J1939_Send_Frames,
               "<Transmit_J1939>"
               "<row Priority=\"6\" DP=\"0\" PGN=\"1\" SA=\"0\" T_Type=\"on timer\" On_Request=\"Y\" "
               "SendTimer=\"100\"/>"
               "<row Priority=\"6\" DP=\"0\" PGN=\"2\" SA=\"0\" TP_NByte=\"\" On_Data_Change=\"Y\"/>"
               "<row Priority=\"6\" DP=\"0\" PGN=\"3\" SA=\"0\" TP_NByte=\"4\"/>"
               "</Transmit_J1939>");
    Show([&] {
        // N Bytes, Request, Data Change, On Timer, Send Timer.
        EXPECT_EQ(Row_Texts(sga(), 1).mid(4, 5), QStringList({"8", "N", "N", "Y", "100"}));
        EXPECT_EQ(Row_Texts(sga(), 2).mid(4, 5), QStringList({"8", "N", "Y", "N", ""}));
        EXPECT_EQ(Row_Texts(sga(), 3).mid(4, 5), QStringList({"4", "N", "N", "N", ""}));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Xml_Tree(File_J1939_Send_Frames).at(1),
              "  row Priority=\"6\" DP=\"0\" PGN=\"1\" SA=\"0\" TP_NByte=\"8\" On_Request=\"N\" "
              "On_Data_Change=\"N\" On_Timer=\"Y\" SendTimer=\"100\" Mnemonic=\"\"");
}

TEST_F(TransmitJ1939, APriorityWithoutPGNEndsCheckAndSave)
{
    Show([&] {
        TableEditorFixture::Write_Row(sga(), 1, {"6", "0", "1", "0", "8"});
        TableEditorFixture::Write_Row(sga(), 2, {"6"});
        TableEditorFixture::Write_Row(sga(), 3, {"99", "", "x"});
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(File_J1939_Send_Frames).size(), 2);

    Show([&] {
        TableEditorFixture::Write_Row(sga(), 1, {"6", "0", "1", "0", "300"});
        TableEditorFixture::Write_Row(sga(), 2, {"6", "0", "1", "0", "300"});
        Click(form->Btn_OK);
        TableEditorFixture::Write_Row(sga(), 2, {"6", "0", "1", "0", "513"});
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!! Too many bytes of data, the max number is 512",
                                            "Error in row 2!! Num Byte must be between 0 and 512"}));
}

TEST_F(TransmitJ1939, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(sga()->Cells(5, 0), "#3619");
}

class ReceiveNMEA : public TableEditorFixture<TFReceiveNMEA>
{
  protected:
    TExtColumnGrid* sga() { return form->sga; }
};

TEST_F(ReceiveNMEA, A600RowFileShowsChecksAndSaves62WholeFrames)
{
    EXPECT_EQ(sga()->RowCount(), 63);
    EXPECT_EQ(sga()->ColCount(), 9);
    Write_File(File_NMEA_Rec_Frames, Rows_File("Receive_NMEA_2000", "<row PGN=\"0x1F801\" SA=\"1\"/>", 600));
    EXPECT_EQ(Show([&] {
                  EXPECT_EQ(sga()->Cells(1, 62), "0x1F801");
                  EXPECT_EQ(sga()->Cells(3, 62), "N");
                  Click(form->Btn_OK);
              }),
              mrOk);
    const QStringList tree = Xml_Tree(File_NMEA_Rec_Frames);
    EXPECT_EQ(tree.size(), 63);
    EXPECT_EQ(tree.at(1),
              "  row PGN=\"0x1F801\" SA=\"1\" TP=\"N\" FP=\"N\" TP_Start=\"\" TP_NByte=\"\" Delete=\"N\" "
              "Mnemonic=\"\"");
}

TEST_F(ReceiveNMEA, FastPacketRowsOverTheImageAreRefused)
{
    Show([&] {
        TableEditorFixture::Write_Row(sga(), 1, {"1", "0", "N", "Y", "0", "223"});
        TableEditorFixture::Write_Row(sga(), 2, {"1", "0", "N", "Y", "0", "100"});
        TableEditorFixture::Write_Row(sga(), 3, {"1", "0", "N", "Y", "0", "200"});
        Click(form->Btn_OK);
        sga()->SetCells(2, 3, "240");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!! Too many bytes of data, the max number is 512",
                                            "Error in row 3!! Source Address must be between 0 and 239"}));
}

TEST_F(ReceiveNMEA, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
}

class TransmitNMEA : public TableEditorFixture<TFTransmitNMEA>
{
  protected:
    TExtColumnGrid* sga() { return form->sga; }
};

TEST_F(TransmitNMEA, TheFileKeepsTheReceiveRootAndTheTotalIsChecked)
{
    Show([&] {
        TableEditorFixture::Write_Row(sga(), 1, {"3", "0x1F801", "0", "N", "512"});
        TableEditorFixture::Write_Row(sga(), 2, {"3", "0x1F802", "0", "N", "1"});
        Click(form->Btn_OK);
        sga()->SetCells(5, 2, "0");
        sga()->SetCells(3, 2, "240");
        Click(form->Btn_OK);
        sga()->SetCells(3, 2, "239");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!! Too many bytes of data, the max number is 512",
                                            "Error in row 2!! Source Address must be between 0 and 239"}));
    const QByteArray bytes = testsupport::readBytes(File_NMEA_Send_Frames);
    EXPECT_TRUE(bytes.startsWith("<Receive_NMEA_2000>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("<!--SW_VERSION = 1.001-->"));
    EXPECT_EQ(Xml_Tree(File_NMEA_Send_Frames).size(), 3);
}

TEST_F(TransmitNMEA, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(sga()->Cells(10, 0), "#4024");
}

} // namespace
