// The three CANopen editors on real forms: their tables, the row deletion of their own, loading and
// saving their files, the data check through OK and the texts of a marker language.
#include "app/TableEditorFixture.h"
#include "editors/canopen/USet_PDO_Access.h"
#include "editors/canopen/USet_SDO_Client_Access.h"
#include "editors/canopen/USet_SDO_Server_Access.h"

namespace
{

using namespace tableeditortest;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

template <class F> class CANopenEditor : public TableEditorFixture<F>
{
  protected:
    using Base = TableEditorFixture<F>;
    TExtColumnGrid* sga() { return Base::form->sga; }
    TExtColumnGrid* sgb() { return Base::form->sgb; }
    // Row 1 .. n of the grid get "1" .. "n" in column 1 and "r<row>c<col>" in the others.
    static void Number_Rows(TExtColumnGrid* g, int n)
    {
        for (int r = 1; r <= n; ++r) {
            g->SetCells(1, r, QString::number(r));
            for (int c = 2; c < g->ColCount(); ++c)
                g->SetCells(c, r, QString("r%1c%2").arg(r).arg(c));
        }
    }
    void Click_Cell(TExtColumnGrid* g, int c, int r)
    {
        QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(c, r)));
    }
};

// ---- Tables ----------------------------------------------------------------------------------------------

struct TTableLook {
    int rows;
    std::vector<int> widths;
    std::vector<TColor> colors; // columns 1 ..
    int check_col;              // -1: none
};

template <class F> void Expect_Table(CANopenEditor<F>& t, TExtColumnGrid* g, const TTableLook& look)
{
    SCOPED_TRACE(g->Name().toStdString());
    EXPECT_EQ(g->RowCount(), look.rows + 1);
    ASSERT_EQ(g->ColCount(), int(look.widths.size()));
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->RowHeights(1), 21);
    for (int c = 0; c < g->ColCount(); ++c) {
        TGridColumnItem* item = g->Columns()->Items(c);
        EXPECT_EQ(item->Width(), look.widths[size_t(c)]) << c;
        EXPECT_FALSE(item->ReadOnly) << c;
        EXPECT_EQ(item->Editor(), c == look.check_col ? edDataCheckBox : edNormal) << c;
        if (c > 0) {
            EXPECT_EQ(item->Color(), look.colors[size_t(c - 1)]) << c;
        }
    }
    if (look.check_col > 0) {
        EXPECT_EQ(g->Columns()->Items(look.check_col)->Alignment(), taCenter);
    }
    (void)t;
}

constexpr TColor Cy = 0xFEFAE0, Pk = 0xF4D6FC, Gr = 0xA8FFA8, Ye = 0xA8FFFF, Wh = clWhite;

using PDO = CANopenEditor<TFSet_PDO_Access>;
using SDOClient = CANopenEditor<TFSet_SDO_Client_Access>;
using SDOServer = CANopenEditor<TFSet_SDO_Server_Access>;

TEST_F(PDO, TwoTablesOf30PDOs)
{
    EXPECT_EQ(form->Name(), "FSet_PDO_Access");
    EXPECT_EQ(form->Caption(), "Set PDO Access");
    EXPECT_EQ(form->ClientWidth(), 798);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Table(0).Tab->Name(), "TS_Receive_PDO");
    EXPECT_EQ(form->Table(1).Tab->Caption(), "Transmit PDO");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->Table(0).Tab);
    Expect_Table(*this, sga(),
                 {30,
                  {40, 65, 65, 45, 45, 45, 45, 45, 45, 45, 45, 65, 173},
                  {Cy, Cy, Pk, Pk, Pk, Pk, Pk, Pk, Pk, Pk, Gr, Wh},
                  -1});
    Expect_Table(*this, sgb(),
                 {30,
                  {40, 65, 65, 45, 45, 45, 45, 45, 45, 45, 45, 65, 68, 105},
                  {Cy, Cy, Pk, Pk, Pk, Pk, Pk, Pk, Pk, Pk, Gr, Gr, Wh},
                  12});
    EXPECT_EQ(sgb()->Cells(11, 0), "Send Time");
    EXPECT_EQ(sgb()->Cells(12, 0), "On Change");
}

TEST_F(SDOClient, TwoTablesOf256Requests)
{
    EXPECT_EQ(form->Name(), "FSet_SDO_Client_Access");
    EXPECT_EQ(form->ClientWidth(), 863);
    EXPECT_EQ(form->Table(0).Tab->Caption(), "SDO Read");
    Expect_Table(*this, sga(),
                 {256,
                  {40, 60, 55, 60, 45, 60, 70, 70, 70, 70, 65, 163},
                  {Cy, Cy, Cy, Cy, Gr, Pk, Pk, Pk, Pk, Ye, Wh},
                  -1});
    Expect_Table(*this, sgb(),
                 {256,
                  {40, 60, 55, 60, 45, 60, 68, 70, 70, 70, 70, 160},
                  {Cy, Cy, Cy, Cy, Gr, Gr, Pk, Pk, Pk, Pk, Wh},
                  6});
    // The TimeOut column's texts stand after the block's, before the Mnemonic's.
    EXPECT_EQ(sga()->Cells(10, 0), "TimeOut");
    EXPECT_EQ(sga()->Cells(11, 0), "Mnemonic");
}

TEST_F(SDOServer, TwoTablesOf500Objects)
{
    EXPECT_EQ(form->Name(), "FSet_SDO_Server_Access");
    EXPECT_EQ(form->ClientWidth(), 749);
    EXPECT_EQ(form->Table(1).Tab->Caption(), "SDO in Write");
    const TTableLook look{500, {40, 65, 61, 55, 80, 80, 80, 80, 170}, {Cy, Cy, Cy, Pk, Pk, Pk, Pk, Wh}, -1};
    Expect_Table(*this, sga(), look);
    Expect_Table(*this, sgb(), look);
}

// ---- Delete_Row ------------------------------------------------------------------------------------------

TEST_F(PDO, DeleteRowMovesTheRowsBelowUpAndAsksFirst)
{
    Show([&] {
        Number_Rows(sga(), 30);
        sga()->FocusCell(2, 5);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        for (int r = 5; r <= 29; ++r) {
            ASSERT_EQ(sga()->Cells(1, r), QString::number(r + 1)) << r;
            ASSERT_EQ(sga()->Cells(7, r), QString("r%1c7").arg(r + 1)) << r;
        }
        EXPECT_EQ(sga()->Cells(1, 4), "4");
        EXPECT_EQ(sga()->Cells(1, 5), "6");
        EXPECT_EQ(sga()->Cells(12, 5), "r6c12");
        EXPECT_EQ(sga()->Cells(1, 29), "30");
        EXPECT_EQ(Row_Texts(sga(), 30), QStringList(12, QString()));
        EXPECT_EQ(sga()->Cells(0, 30), "30");
        EXPECT_EQ(sga()->Cells(0, 5), "5");
        EXPECT_EQ(sga()->Cells(1, 0), "COB-ID");

        // The last row is only emptied.
        Number_Rows(sga(), 30);
        sga()->FocusCell(1, 30);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(Row_Texts(sga(), 30), QStringList(12, QString()));
        EXPECT_EQ(sga()->Cells(1, 29), "29");

        // No changes nothing.
        sga()->FocusCell(1, 2);
        answers->MessageAnswers = {mrNo};
        Click(form->Btn_DelRow);
        EXPECT_EQ(sga()->Cells(1, 2), "2");
        EXPECT_EQ(sga()->Cells(1, 3), "3");

        // On the transmit tab, the transmit table, its check-box column moving with the row.
        Select_Tab(1);
        Number_Rows(sgb(), 3);
        sgb()->SetCells(12, 3, "Y");
        sgb()->FocusCell(1, 2);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(sgb()->Cells(1, 2), "3");
        EXPECT_EQ(sgb()->Cells(12, 2), "Y");
        EXPECT_EQ(sgb()->Cells(12, 3), "");
        EXPECT_EQ(sga()->Cells(1, 2), "2");
    });
    EXPECT_EQ(
        Message_Texts(),
        QStringList({"Are you sure to delete the Row number 5", "Are you sure to delete the Row number 30",
                     "Are you sure to delete the Row number 2", "Are you sure to delete the Row number 2"}));
}

TEST(CANopenDeleteRow, WalksAsManyColumnsAsAreVisible)
{
    // Columns 1 .. ColCount - 1 by real index: with a column hidden the last real column stays. The
    // CANopen tables have none hidden, so every cell of theirs moves.
    TExtColumnGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(4);
    for (int r = 1; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            g.SetCells(c, r, QString("%1.%2").arg(r).arg(c));
    g.HideColumn(2);
    Delete_Row(1, &g);
    EXPECT_EQ(g.Cells(0, 1), "1.0");
    EXPECT_EQ(g.Cells(1, 1), "2.1");
    EXPECT_EQ(g.Cells(2, 1), "2.2");
    EXPECT_EQ(g.Cells(3, 1), "1.3");
    EXPECT_EQ(g.Cells(1, 3), "");
    EXPECT_EQ(g.Cells(2, 3), "");
    EXPECT_EQ(g.Cells(3, 3), "3.3");
    // Row 0 is never a row to delete.
    g.SetCells(1, 0, "head");
    Delete_Row(0, &g);
    EXPECT_EQ(g.Cells(1, 0), "head");
    EXPECT_EQ(g.Cells(1, 1), "2.1");
}

TEST_F(SDOServer, DeleteRowAsksItsOwnQuestion)
{
    Show([&] {
        Select_Tab(1);
        Number_Rows(sgb(), 500);
        sgb()->FocusCell(1, 499);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(sgb()->Cells(1, 499), "500");
        EXPECT_EQ(sgb()->Cells(8, 499), "r500c8");
        EXPECT_EQ(Row_Texts(sgb(), 500), QStringList(8, QString()));
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 499"}));
}

// ---- Files -----------------------------------------------------------------------------------------------

TEST_F(PDO, SavesBothSectionsWithTheirAttributesInOrder)
{
    Show([&] {
        Write_Row(sga(), 1, {"0x181", "3", "0", "1", "2", "x", "", "", "", "y", "0", "Speed"});
        Write_Row(sgb(), 1, {"385", "1", "10", "", "", "", "", "", "", "", "100", "", "Out"});
        Write_Row(sgb(), 2, {"$182", "1", "11", "", "", "", "", "", "", "", "0", "", ""});
        Select_Tab(1);
        Click_Cell(sgb(), 12, 2);
        EXPECT_EQ(sgb()->Cells(12, 2), "Y");
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    EXPECT_EQ(
        Xml_Tree(File_PDO_CANopen),
        QStringList({"PDO_CANopen", "  Receive_PDO",
                     "    row COB-ID=\"0x181\" Dimension=\"3\" Address_B1=\"0\" Address_B2=\"1\" "
                     "Address_B3=\"2\" Address_B4=\"x\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
                     "Address_B8=\"y\" TimeOut=\"0\" Mnemonic=\"Speed\"",
                     "  Transmit_PDO",
                     "    row COB-ID=\"385\" Dimension=\"1\" Address_B1=\"10\" Address_B2=\"\" "
                     "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
                     "Address_B8=\"\" Send_Time=\"100\" On_Change=\"\" Mnemonic=\"Out\"",
                     "    row COB-ID=\"$182\" Dimension=\"1\" Address_B1=\"11\" Address_B2=\"\" "
                     "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
                     "Address_B8=\"\" Send_Time=\"0\" On_Change=\"Y\" Mnemonic=\"\""}));
    const QByteArray bytes = testsupport::readBytes(File_PDO_CANopen);
    EXPECT_TRUE(bytes.startsWith("<PDO_CANopen>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.simplified().endsWith("</PDO_CANopen> <!--SW_VERSION = 1.005-->"))
        << bytes.toStdString();

    // Shown again: the rows come back, the receive tab active, the rest cleared.
    Show([&] {
        EXPECT_EQ(form->PageControl1->ActivePage(), form->Table(0).Tab);
        EXPECT_EQ(sga()->Cells(10, 1), "y");
        EXPECT_EQ(sgb()->Cells(12, 2), "Y");
        EXPECT_EQ(sgb()->Cells(1, 3), "");
        EXPECT_EQ(sgb()->Cells(0, 30), "30");
    });
}

TEST_F(PDO, EmptyTablesStillWriteBothSections)
{
    Show([&] { Click(form->Btn_OK); });
    EXPECT_EQ(Xml_Tree(File_PDO_CANopen), QStringList({"PDO_CANopen", "  Receive_PDO", "  Transmit_PDO"}));
}

TEST_F(PDO, AFileOf40RowsShows30AndSaves30)
{
    QByteArray rows;
    for (int i = 1; i <= 40; ++i)
        rows += QString("<row COB-ID=\"%1\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" "
                        "Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" "
                        "TimeOut=\"0\" Mnemonic=\"\"/>")
                    .arg(i)
                    .toUtf8();
    Write_File(File_PDO_CANopen,
               "<PDO_CANopen><Receive_PDO>" + rows + "</Receive_PDO><Transmit_PDO/></PDO_CANopen>");
    Show([&] {
        EXPECT_EQ(sga()->Cells(1, 30), "30");
        Click(form->Btn_OK);
    });
    const QStringList tree = Xml_Tree(File_PDO_CANopen);
    ASSERT_EQ(tree.size(), 33);
    EXPECT_TRUE(tree[31].startsWith("    row COB-ID=\"30\" ")) << tree[31].toStdString();
}

TEST_F(PDO, AFileLackingASectionOrAnAttributeIsRefusedAndKept)
{
    const QByteArray cases[] = {
        "<PDO_CANopen><Receive_PDO/></PDO_CANopen>",
        // A receive row without TimeOut.
        "<PDO_CANopen><Receive_PDO><row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" "
        "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" "
        "Mnemonic=\"\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>",
        "<PDO_CANopen><Receive_PDO>",
    };
    const char* named[] = {"Transmit_PDO", "TimeOut", "PDO_CANopen.xml"};
    for (size_t i = 0; i < std::size(cases); ++i) {
        answers->Messages.clear();
        Write_File(File_PDO_CANopen, cases[i]);
        EXPECT_FALSE(Show_Guarded()) << i;
        ASSERT_EQ(answers->Messages.size(), 1u) << i;
        EXPECT_TRUE(answers->Messages[0].Text.contains(named[i])) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(File_PDO_CANopen), cases[i]);
    }
}

TEST_F(SDOClient, SavesReadThenWriteRowsWithTheirAttributesInOrder)
{
    Show([&] {
        Write_Row(sga(), 1, {"1", "0x1000", "0xFF", "2", "1", "0", "1499", "a", "b", "0", "Temp"});
        Write_Row(sgb(), 1, {"127", "4096", "0", "4", "0", "", "0", "1", "2", "3", "Set"});
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    EXPECT_EQ(
        Xml_Tree(File_SDO_Client_CANopen),
        QStringList({"SDO_Client_CANopen", "  SDO_Read",
                     "    row Device_ID=\"1\" Index=\"0x1000\" SubIndex=\"0xFF\" NByte=\"2\" Poll_Time=\"1\" "
                     "Address_B1=\"0\" Address_B2=\"1499\" Address_B3=\"a\" Address_B4=\"b\" TimeOut=\"0\" "
                     "Mnemonic=\"Temp\"",
                     "  SDO_Write",
                     "    row Device_ID=\"127\" Index=\"4096\" SubIndex=\"0\" NByte=\"4\" Poll_Time=\"0\" "
                     "On_Change=\"\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\" "
                     "Mnemonic=\"Set\""}));
    EXPECT_TRUE(testsupport::readBytes(File_SDO_Client_CANopen).contains("<!--SW_VERSION = 1.005-->"));
}

TEST_F(SDOServer, TheSameObjectInBothTablesPassesAndIsSavedTwice)
{
    Show([&] {
        Write_Row(sga(), 1, {"0x2000", "1", "1", "0", "", "", "", "In"});
        Write_Row(sgb(), 1, {"8192", "1", "1", "5", "", "", "", ""});
        Write_Row(sgb(), 2, {"$5FFF", "0xFF", "2", "6", "7", "", "", ""});
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    EXPECT_EQ(Xml_Tree(File_SDO_Server_CANopen),
              QStringList(
                  {"SDO_Server_CANopen", "  SDO_Read",
                   "    row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"0\" Address_B2=\"\" "
                   "Address_B3=\"\" Address_B4=\"\" Mnemonic=\"In\"",
                   "  SDO_Write",
                   "    row Index=\"8192\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"5\" Address_B2=\"\" "
                   "Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"",
                   "    row Index=\"$5FFF\" SubIndex=\"0xFF\" NByte=\"2\" Address_B1=\"6\" Address_B2=\"7\" "
                   "Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\""}));
}

// ---- OK --------------------------------------------------------------------------------------------------

TEST_F(PDO, OKShowsTheFirstFaultReadTableFirst)
{
    const struct {
        QStringList receive, transmit;
        const char* message;
    } cases[] = {
        {{"7FF", "1", "0", "", "", "", "", "", "", "", "0"},
         {},
         "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {{"1", "1", "1500", "", "", "", "", "", "", "", "0"},
         {},
         "Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 1499"},
        {{"1", "1", "0", "", "", "", "", "", "", "", ""},
         {},
         "Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"},
        // Both tables faulty: the receive table's fault is shown.
        {{"1", "9"}, {"0x800", "1"}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {{}, {"0x800", "1"}, "Error row 1!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
    };
    for (const auto& c : cases) {
        answers->Messages.clear();
        Show([&] {
            Write_Row(sga(), 1, c.receive);
            Write_Row(sgb(), 1, c.transmit);
            Click(form->Btn_OK);
            EXPECT_EQ(form->ModalResult(), mrNone);
        });
        EXPECT_EQ(Message_Texts(), QStringList({c.message}));
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_FALSE(FileExists(File_PDO_CANopen));
    }
}

TEST_F(SDOClient, OKNamesTheRowOfTheFault)
{
    Show([&] {
        Write_Row(sga(), 1, {"1", "0x1000", "0", "1", "1", "0", "", "", "", "0", ""});
        Write_Row(sga(), 2, {"1", "0x1000", "0", "1", "1", "0", "", "", "", "", ""});
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error row 2!! [SDO Read] TimeOut must be between 0 and 65535"}));
}

TEST_F(SDOServer, OKAppendsTheImageLimitToAnAddressFault)
{
    Show([&] {
        Write_Row(sgb(), 1, {"0x2000", "0", "2", "0", "1500", "", "", ""});
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(),
              QStringList({"Error row 1!! [SDO in Write] Address Byte2 must be between 0 and 1499"}));
    EXPECT_FALSE(FileExists(File_SDO_Server_CANopen));
}

TEST_F(SDOServer, RowButtonsWorkOnTheActiveTabOnly)
{
    Show([&] {
        Write_Row(sga(), 1, {"0x2000", "0", "1", "0", "", "", "", ""});
        sga()->FocusCell(1, 1);
        Click(form->Btn_CopyRow);
        Select_Tab(1);
        sgb()->FocusCell(1, 1);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(sgb()->Cells(1, 1), "");
        Select_Tab(0);
        sga()->FocusCell(1, 3);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(sga(), 3), Row_Texts(sga(), 1));
        sga()->FocusCell(1, 1);
        Click(form->Btn_InsRow);
        EXPECT_EQ(sga()->Cells(1, 1), "");
        EXPECT_EQ(sga()->Cells(1, 2), "0x2000");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error!!! Copy a valid row before Paste it"}));
}

// ---- Texts -----------------------------------------------------------------------------------------------

TEST(CANopenTexts, MarkerLanguageOverTheThreeEditors)
{
    Reset_Globals();
    Set_English_Texts();
    TFSet_PDO_Access pdo(nullptr);
    TFSet_SDO_Client_Access client(nullptr);
    TFSet_SDO_Server_Access server(nullptr);
    Set_Marker_Texts();
    for (TCANopenEditor* form : std::initializer_list<TCANopenEditor*>{&pdo, &client, &server}) {
        form->Set_Lang();
        Expect_Marker_Texts(*form);
    }
    EXPECT_EQ(pdo.Btn_OK->Hint(), "#2608");
    EXPECT_EQ(pdo.Table(1).Hints.size(), 13);
    EXPECT_EQ(pdo.sgb->Cells(13, 0), "#2642");
    EXPECT_EQ(client.sga->Cells(10, 0), "#2780");
    EXPECT_EQ(client.sga->Cells(11, 0), "#2726");
    EXPECT_EQ(client.Table(0).Hints.mid(8), QStringList({"#2747", "#2781", "#2748"}));
    EXPECT_EQ(client.Table(1).Hints.last(), "#2759");
    EXPECT_EQ(server.Table(0).Hints,
              QStringList({"#2834", "#2835", "#2836", "#2837", "#2838", "#2839", "#2840", "#2841"}));
    EXPECT_EQ(server.Table(1).Tab->Caption(), "#2815");
    EXPECT_EQ(server.Btn_PasteRow->Hint(), "#2813");
    Clear_Lang_Table();
    Reset_Globals();
}

} // namespace
