// The DeviceNet slave list and offset editors on real forms: the slave list's checks and file, the
// offset editor built from that file (slaves by position), its byte tables, its output conflict check
// and its nested file, and the slave list faults that keep it closed.
#include "app/TableEditorFixture.h"
#include "editors/fieldbus/UDNet.h"
#include "editors/fieldbus/UDefOffset.h"

#include <QApplication>

namespace
{

using namespace tableeditortest;
using dnetoffset::TByteOwner;
using dnetoffset::TOffsetConflict;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// Types `text` into cell (c, r) as the user does: the cell made current, F2, the old text replaced.
void Type_Cell(TExtColumnGrid* grid, int c, int r, const QString& text)
{
    QApplication::setActiveWindow(grid->Widget()->window());
    grid->SetFocus();
    grid->FocusCell(c, r);
    formtest::Pump();
    QTest::keyClick(grid->Widget(), Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
    TTableEditor::End_Cell_Edit(grid);
}

void Click_Cell(TExtColumnGrid* grid, int c, int r)
{
    QApplication::setActiveWindow(grid->Widget()->window());
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(c, r)));
    formtest::Pump();
}

// ---- Slave list -----------------------------------------------------------------------------------------

class DNet : public TableEditorFixture<TFDNet>
{
  protected:
    TExtColumnGrid* grid() { return form->ESG; }
};

TEST_F(DNet, OKChecksIDAndByteCountsOfEachUsedRow)
{
    const struct {
        QStringList row; // ID, Num Byte In, Num Byte Out, Mnemonic
        const char* message;
    } cases[] = {
        {{"63", "65535", "0", "Drive"}, nullptr},
        {{"0", "0", "65535", ""}, nullptr},
        {{"64", "1", "1", ""}, "Error in row 1!! ID must be 0 or 63"},
        {{"   ", "1", "1", ""}, "Error in row 1!! ID must be 0 or 63"},
        {{"1", "65536", "1", ""}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {{"1", "", "1", ""}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {{"1", "1", "-1", ""}, "Error in row 1!! Number Byte OUT must be 0 or 65535"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.join('|').toStdString());
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            Write_Row(grid(), 1, c.row);
            Type_Cell(grid(), 1, 1, c.row[0]);
            Click(form->Btn_OK);
        });
        EXPECT_EQ(Message_Texts(), c.message ? QStringList({c.message}) : QStringList());
        EXPECT_EQ(result, c.message ? mrCancel : mrOk);
        if (!c.message) {
            EXPECT_EQ(Xml_Tree(File_DNETM_Net).value(1),
                      QString("  row ID=\"%1\" NB_IN=\"%2\" NB_OUT=\"%3\" Mnemonic=\"%4\"")
                          .arg(c.row[0], c.row[1], c.row[2], c.row[3]));
        }
    }
}

TEST_F(DNet, SavesEveryUsedRowInOrderUpToTheFirstEmptyID)
{
    EXPECT_EQ(form->ClientWidth(), 745);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(grid()->RowCount(), 65);
    EXPECT_EQ(grid()->Cells(3, 0), "Num Byte Out");
    Show([&] {
        Write_Row(grid(), 1, {"7", "2", "4", "Valve"});
        Write_Row(grid(), 2, {"7", "0x10", "0", "Same ID"});
        Write_Row(grid(), 4, {"99", "x", "", "below the empty ID"});
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    EXPECT_EQ(Xml_Tree(File_DNETM_Net),
              QStringList({"DNET_Net", "  row ID=\"7\" NB_IN=\"2\" NB_OUT=\"4\" Mnemonic=\"Valve\"",
                           "  row ID=\"7\" NB_IN=\"0x10\" NB_OUT=\"0\" Mnemonic=\"Same ID\""}));
    const QByteArray bytes = testsupport::readBytes(File_DNETM_Net);
    EXPECT_TRUE(bytes.startsWith("<DNET_Net>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.simplified().endsWith("</DNET_Net> <!--SW_VERSION = 1.000-->")) << bytes.toStdString();

    // All 64 rows in use: all are checked (the last one too) and saved.
    for (const char* last_id : {"64", "63"}) {
        answers->Messages.clear();
        Show([&] {
            for (int r = 1; r <= 64; ++r)
                Write_Row(grid(), r, {r == 64 ? last_id : QString::number(r - 1), "1", "1", ""});
            Click(form->Btn_OK);
        });
        if (QString(last_id) == "64") {
            EXPECT_EQ(Message_Texts(), QStringList({"Error in row 64!! ID must be 0 or 63"}));
        } else {
            EXPECT_TRUE(answers->Messages.empty());
        }
    }
    const QStringList tree = Xml_Tree(File_DNETM_Net);
    EXPECT_EQ(tree.size(), 65);
    EXPECT_EQ(tree.last(), "  row ID=\"63\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"");
}

TEST_F(DNet, CancelDropsEditsAndTheRowButtonsWorkWithoutAnEnableDefault)
{
    Write_File(File_DNETM_Net, "<DNET_Net><row ID=\"1\" NB_IN=\"2\" NB_OUT=\"3\" Mnemonic=\"A\"/>"
                               "<row ID=\"2\" NB_IN=\"0\" NB_OUT=\"1\" Mnemonic=\"B\"/></DNET_Net>");
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 2), QStringList({"2", "0", "1", "B"}));
        Write_Row(grid(), 3, {"9", "9", "9", "new"});
        grid()->SetCells(4, 1, "edited");
        Click(form->Btn_Cancel);
    });
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 1), QStringList({"1", "2", "3", "A"}));
        EXPECT_EQ(Row_Texts(grid(), 3), QStringList({"", "", "", ""}));
        EXPECT_EQ(grid()->Cells(0, 64), "64");

        grid()->FocusCell(2, 1);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Row_Texts(grid(), 1), QStringList({"", "", "", ""}));
        EXPECT_EQ(Row_Texts(grid(), 2), QStringList({"1", "2", "3", "A"}));
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(Row_Texts(grid(), 1), QStringList({"1", "2", "3", "A"}));
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 1"}));
}

// ---- Conflict check ---------------------------------------------------------------------------------------

TSlave_DN Slave(int id, QStringList in, QStringList out)
{
    TSlave_DN s;
    s.ID = uint8_t(id);
    s.ByteIN = uint16_t(in.size());
    s.ByteOUT = uint16_t(out.size());
    s.SL_ByteIN_M = QStringList(in.size(), QString());
    s.SL_ByteOUT_M = QStringList(out.size(), QString());
    s.SL_ByteIN = std::move(in);
    s.SL_ByteOUT = std::move(out);
    return s;
}

class DNetOffsetCheck : public ::testing::Test
{
  protected:
    void SetUp() override { Set_English_Texts(); }
    void TearDown() override { Clear_Lang_Table(); }
};

TEST_F(DNetOffsetCheck, TheFirstOutputByteToTakeAnImageByteWinsAndInputsAreNeverCompared)
{
    const struct {
        std::vector<TSlave_DN> slaves;
        std::optional<TOffsetConflict> conflict;
    } cases[] = {
        {{Slave(3, {}, {"10"}), Slave(5, {}, {"None", "0", "10"})}, TOffsetConflict{{3, 0}, {5, 2}}},
        {{Slave(3, {"10", "10"}, {}), Slave(5, {"10"}, {"11"})}, std::nullopt},
        {{Slave(3, {}, {"0", "None", "none", "x"}), Slave(5, {}, {"None", "1"})}, std::nullopt},
        // Outside the image: takes no image byte, so never conflicts.
        {{Slave(3, {}, {"1500", "1440", "-1"}), Slave(5, {}, {"1500", "1439"})}, std::nullopt},
        {{Slave(1, {}, {"1439", "0x5A0"}), Slave(2, {}, {"$59F"})}, TOffsetConflict{{1, 0}, {2, 0}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        dnetoffset::TCheck_Byte_Offset check;
        EXPECT_EQ(dnetoffset::Find_Output_Conflict(cases[i].slaves, check), cases[i].conflict) << i;
    }
    EXPECT_EQ(dnetoffset::Conflict_Text({{3, 0}, {5, 2}}),
              "Error in ByteOUT! The same byte of EtherCAT is used in two bytes DeviceNet.\n\r"
              "( First ID = 3 Byte = 0, Second ID = 5 Byte = 2)");
}

// ---- Offset editor ----------------------------------------------------------------------------------------

class DNetOffset : public TableEditorFixture<TFDefOffset>
{
  protected:
    // The slave list as the user enters it in the slave list editor: rows of ID, in, out, mnemonic.
    void Enter_Slaves(const std::vector<QStringList>& rows, int insert_at = 0)
    {
        TFDNet dnet(nullptr);
        formtest::RunModal(dnet, [&] {
            if (insert_at > 0) {
                dnet.ESG->FocusCell(1, insert_at);
                Click(dnet.Btn_InsRow);
            }
            for (size_t r = 0; r < rows.size(); ++r)
                Write_Row(dnet.ESG, int(r) + 1 + (insert_at > 0 ? insert_at - 1 : 0), rows[r]);
            Click(dnet.Btn_OK);
            if (dnet.ModalResult() == mrNone)
                dnet.SetModalResult(mrCancel);
        });
        ASSERT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    }
    TExtColumnGrid* in() { return form->ACG_ByteIN; }
    TExtColumnGrid* out() { return form->ACG_ByteOUT; }
    TExtColumnGrid* slaves() { return form->ACG_DN_Slaves; }
    static QStringList Column(TExtColumnGrid* g, int c)
    {
        QStringList texts;
        for (int r = 1; r < g->RowCount(); ++r)
            texts << g->Cells(c, r);
        return texts;
    }
};

TEST_F(DNetOffset, TheFormHasItsPanelsSplitterAndTables)
{
    EXPECT_EQ(form->Name(), "FDefOffset");
    EXPECT_EQ(form->ClientWidth(), 482);
    EXPECT_EQ(form->ClientHeight(), 610);
    EXPECT_EQ(form->Caption(), "Define Offset");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
    EXPECT_EQ(form->Btn_OK->Hint(), "Confirm and save the Bytes Configuration");
    EXPECT_EQ(slaves()->FixedCols(), 0);
    EXPECT_EQ(in()->FixedCols(), 1);
    EXPECT_EQ(out()->Cells(1, 0), "Offset");
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(slaves()->Columns()->Items(c)->ReadOnly) << c;
    Show([&] {
        formtest::Pump();
        EXPECT_EQ(form->Panel1->Height(), 162);
        // Dragging the splitter down gives the slave panel the room.
        QWidget* bar = form->Splitter1->Widget();
        const QPoint at(bar->width() / 2, 1);
        QTest::mousePress(bar, Qt::LeftButton, {}, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(0, 40)),
                         bar->mapToGlobal(QPointF(at + QPoint(0, 40))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, at + QPoint(0, 40));
        EXPECT_EQ(form->Panel1->Height(), 202);
        EXPECT_EQ(form->Splitter1->Top(), form->Panel1->Top() + 202);
    });
}

TEST_F(DNetOffset, WithoutSlaveListBothTablesShowTheHeaderOnlyAndOKWritesTheRoot)
{
    Show([&] {
        EXPECT_EQ(slaves()->RowCount(), 1);
        EXPECT_EQ(slaves()->FixedRows(), 1);
        EXPECT_EQ(in()->RowCount(), 1);
        EXPECT_EQ(out()->RowCount(), 1);
        EXPECT_EQ(in()->Cells(0, 0), "Byte");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Xml_Tree(File_DNETM_DefOff), QStringList({"Define_Offset"}));
    EXPECT_TRUE(testsupport::readBytes(File_DNETM_DefOff).contains("<!--SW_VERSION = 1.000-->"));
}

TEST_F(DNetOffset, EditsFollowTheSelectedSlaveUntilOKAndCancelDropsThem)
{
    Enter_Slaves({{"3", "0", "2", "Drive"}, {"5", "2", "1", "Valve"}});
    Show([&] {
        EXPECT_EQ(Column(slaves(), 0), QStringList({"3", "5"}));
        EXPECT_EQ(slaves()->Cells(3, 2), "Valve");
        // The first slave is shown: no input byte, two output bytes.
        EXPECT_EQ(in()->RowCount(), 1);
        EXPECT_EQ(Column(out(), 0), QStringList({"0", "1"}));
        EXPECT_EQ(Column(out(), 1), QStringList({"None", "None"}));
        const TStringList* items = out()->Columns()->Items(1)->ComboItems();
        ASSERT_EQ(items->Count(), 1441);
        EXPECT_EQ(items->Strings(0), "None");
        EXPECT_EQ(items->Strings(1440), "1439");

        form->PageControl1->SetActivePage(form->TabSheet2);
        Type_Cell(out(), 2, 2, "Speed");
        out()->SetCells(1, 2, "7");
        Click_Cell(slaves(), 1, 2);
        EXPECT_EQ(form->Slave_Before_Select, 1);
        EXPECT_EQ(slaves()->Selection().Left, 0);
        EXPECT_EQ(slaves()->Selection().Right, 3);
        EXPECT_EQ(Column(in(), 1), QStringList({"None", "None"}));
        EXPECT_EQ(Column(out(), 1), QStringList({"None"}));
        in()->SetCells(1, 1, "7");
        in()->SetCells(1, 2, "7");
        out()->SetCells(1, 1, "8");
        Click_Cell(slaves(), 0, 1);
        EXPECT_EQ(Column(out(), 1), QStringList({"None", "7"}));
        EXPECT_EQ(Column(out(), 2), QStringList({"", "Speed"}));
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    const QStringList saved = {"Define_Offset",
                               "  Nodo_DNET",
                               "    ByteIN",
                               "    ByteOUT",
                               "      row Offset=\"None\" Mnemonic=\"\"",
                               "      row Offset=\"7\" Mnemonic=\"Speed\"",
                               "  Nodo_DNET",
                               "    ByteIN",
                               "      row Offset=\"7\" Mnemonic=\"\"",
                               "      row Offset=\"7\" Mnemonic=\"\"",
                               "    ByteOUT",
                               "      row Offset=\"8\" Mnemonic=\"\""};
    EXPECT_EQ(Xml_Tree(File_DNETM_DefOff), saved);

    const QByteArray before = testsupport::readBytes(File_DNETM_DefOff);
    Show([&] {
        EXPECT_EQ(Column(out(), 1), QStringList({"None", "7"}));
        out()->SetCells(1, 1, "100");
        Click_Cell(slaves(), 0, 2);
        in()->SetCells(1, 1, "None");
        Click(form->Btn_Cancel);
    });
    EXPECT_EQ(testsupport::readBytes(File_DNETM_DefOff), before);
    Show([&] {
        Click_Cell(slaves(), 0, 2);
        EXPECT_EQ(Column(in(), 1), QStringList({"7", "7"}));
    });
}

TEST_F(DNetOffset, TwoOutputBytesOnOneImageByteKeepTheFormOpenAndWriteNothing)
{
    Enter_Slaves({{"3", "0", "1", ""}, {"5", "0", "3", ""}});
    const TModalResult result = Show([&] {
        out()->SetCells(1, 1, "10");
        Click_Cell(slaves(), 0, 2);
        out()->SetCells(1, 3, "10");
        Click(form->Btn_OK);
        EXPECT_EQ(form->ModalResult(), mrNone);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Message_Texts(),
              QStringList({"Error in ByteOUT! The same byte of EtherCAT is used in two bytes "
                           "DeviceNet.\n\r( First ID = 3 Byte = 0, Second ID = 5 Byte = 2)"}));
    EXPECT_EQ(answers->Messages[0].Type, mtError);
    EXPECT_FALSE(FileExists(File_DNETM_DefOff));
}

TEST_F(DNetOffset, MapsBelongToPositionsRowsBeyondTheCountsAreDroppedAtOK)
{
    Enter_Slaves({{"3", "1", "0", "A"}, {"5", "0", "2", "B"}});
    Write_File(File_DNETM_DefOff, "<Define_Offset><Nodo_DNET><ByteIN><row Offset=\"1\" Mnemonic=\"a0\"/>"
                                  "<row Offset=\"2\" Mnemonic=\"extra\"/><row/></ByteIN><ByteOUT><row "
                                  "Offset=\"3\" Mnemonic=\"extra\"/></ByteOUT></Nodo_DNET>"
                                  "<Nodo_DNET><ByteIN/><ByteOUT><row Offset=\"1500\" Mnemonic=\"b0\"/>"
                                  "<row Offset=\"5\" Mnemonic=\"b1\"/></ByteOUT></Nodo_DNET>"
                                  "<Nodo_DNET><ByteIN/></Nodo_DNET></Define_Offset>");
    Show([&] {
        EXPECT_EQ(Column(in(), 1), QStringList({"1"}));
        EXPECT_EQ(out()->RowCount(), 1);
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty()) << Message_Texts().join('\n').toStdString();
    EXPECT_EQ(
        Xml_Tree(File_DNETM_DefOff),
        QStringList({"Define_Offset", "  Nodo_DNET", "    ByteIN", "      row Offset=\"1\" Mnemonic=\"a0\"",
                     "    ByteOUT", "  Nodo_DNET", "    ByteIN", "    ByteOUT",
                     "      row Offset=\"1500\" Mnemonic=\"b0\"", "      row Offset=\"5\" Mnemonic=\"b1\""}));

    // A slave put in front of the list: every saved map now belongs to the slave at its position.
    Enter_Slaves({{"9", "1", "2", "New"}}, 1);
    Show([&] {
        EXPECT_EQ(Column(slaves(), 0), QStringList({"9", "3", "5"}));
        EXPECT_EQ(Column(in(), 1), QStringList({"1"}));
        EXPECT_EQ(Column(out(), 1), QStringList({"None", "None"}));
        Click_Cell(slaves(), 0, 3);
        EXPECT_EQ(Column(out(), 1), QStringList({"None", "None"}));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(
        Xml_Tree(File_DNETM_DefOff),
        QStringList({"Define_Offset", "  Nodo_DNET", "    ByteIN", "      row Offset=\"1\" Mnemonic=\"a0\"",
                     "    ByteOUT", "      row Offset=\"None\" Mnemonic=\"\"",
                     "      row Offset=\"None\" Mnemonic=\"\"", "  Nodo_DNET", "    ByteIN",
                     "      row Offset=\"None\" Mnemonic=\"\"", "    ByteOUT", "  Nodo_DNET", "    ByteIN",
                     "    ByteOUT", "      row Offset=\"None\" Mnemonic=\"\"",
                     "      row Offset=\"None\" Mnemonic=\"\""}));
}

TEST_F(DNetOffset, AFaultySlaveListNamesFileRowAndAttributeAndKeepsTheEditorClosed)
{
    const QByteArray offsets = "<Define_Offset><Nodo_DNET><ByteIN/><ByteOUT/></Nodo_DNET></Define_Offset>";
    const struct {
        QByteArray list;
        const char* named;
    } cases[] = {
        {R"(<DNET_Net><row ID="1" NB_IN="0" NB_OUT="0" Mnemonic=""/><row ID="2" NB_IN="x" NB_OUT="0" Mnemonic=""/></DNET_Net>)",
         "row 2: attribute NB_IN \"x\""},
        {R"(<DNET_Net><row ID="300" NB_IN="0" NB_OUT="0" Mnemonic=""/></DNET_Net>)",
         "row 1: attribute ID \"300\""},
        {R"(<DNET_Net><row ID="1" NB_IN="0" NB_OUT="70000" Mnemonic=""/></DNET_Net>)",
         "row 1: attribute NB_OUT"},
        {R"(<DNET_Net><row ID="1" NB_IN="0" NB_OUT="0"/></DNET_Net>)", "row 1: attribute Mnemonic missing"},
    };
    for (const auto& c : cases) {
        answers->Messages.clear();
        Write_File(File_DNETM_Net, c.list);
        Write_File(File_DNETM_DefOff, offsets);
        EXPECT_FALSE(Show_Guarded()) << c.named;
        ASSERT_EQ(answers->Messages.size(), 1u) << c.named;
        EXPECT_TRUE(answers->Messages[0].Text.contains("DNETM_Net.xml"))
            << answers->Messages[0].Text.toStdString();
        EXPECT_TRUE(answers->Messages[0].Text.contains(c.named)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(File_DNETM_DefOff), offsets);
    }
    // The offsets file is held to its layout in the same way.
    answers->Messages.clear();
    Write_File(File_DNETM_Net, R"(<DNET_Net><row ID="1" NB_IN="1" NB_OUT="0" Mnemonic=""/></DNET_Net>)");
    Write_File(File_DNETM_DefOff, "<Define_Offset><Nodo_DNET><ByteIN><row Offset=\"1\"/></ByteIN><ByteOUT/>"
                                  "</Nodo_DNET></Define_Offset>");
    EXPECT_FALSE(Show_Guarded());
    ASSERT_EQ(answers->Messages.size(), 1u);
    EXPECT_TRUE(answers->Messages[0].Text.contains("DNETM_DefOff.xml, Nodo_DNET 1, ByteIN row 1: attribute "
                                                   "Mnemonic missing"))
        << answers->Messages[0].Text.toStdString();
}

} // namespace
