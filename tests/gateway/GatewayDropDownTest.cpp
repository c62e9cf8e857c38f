// The combo columns of the gateway editors as the user meets them: the cell's combo opened by keys
// or by a click, its list dropped down, an item picked in the list itself, and Enter. The EtherCAT
// process-data editor's Type column (the Length rule and the positions below), and the Type,
// Position and Start Bit columns of the serial and TCP Modbus request editors (what OK saves).
#include "gateway/UEtherCATSlave.h"
#include "gateway/UModbus_TCP_Master_Set_Access.h"
#include "gateway/USetAccess.h"

#include "RequestEditorFixture.h"
#include "grid/core/ExtCGrid.h"
#include "grid/edit/GridCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>

namespace
{

using namespace tableeditortest;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

enum class TOpen { Keys, Mouse };

// Opens the combo of display cell (c, r) (F2 and Alt+Down, or a click on the cell and one on the drop
// button), picks `item` in the dropped list (typed into the list, or clicked) and ends the edit with
// Enter. Fails the test where the real control does not do its part.
void Pick(TExtStringGrid* grid, int c, int r, const QString& item, TOpen how)
{
    QApplication::setActiveWindow(grid->Widget()->window());
    grid->SetFocus();
    grid->FocusCell(c, r);
    formtest::Pump();
    TGridCombo* combo = grid->Combobox();
    if (how == TOpen::Keys) {
        QTest::keyClick(grid->Widget(), Qt::Key_F2);
        formtest::Pump();
        ASSERT_TRUE(combo->Visible() && combo->Focused()) << "F2 opens the combo";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    } else {
        QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(c, r)));
        formtest::Pump();
        ASSERT_TRUE(combo->Visible() && combo->Focused()) << "a click opens the combo";
        QTest::mouseClick(combo->Widget(), Qt::LeftButton, {},
                          QPoint(combo->Width() - combo->ButtonWidth() / 2, combo->Height() / 2));
    }
    formtest::Pump();
    ASSERT_TRUE(combo->DroppedDown()) << "the list drops down";
    QAbstractItemView* list = combo->Combo()->view();
    const int i = combo->Items->IndexOf(item);
    ASSERT_GE(i, 0) << item.toStdString();
    const QModelIndex index = list->model()->index(i, combo->Combo()->modelColumn());
    if (how == TOpen::Keys) {
        // Typed into the list: it jumps to the first item that starts with the typed text.
        QTest::keyClicks(list, item);
        ASSERT_EQ(list->currentIndex(), index);
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        list->scrollTo(index);
        // The list ignores a release that comes right after it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        // A menu-like list lays its rows out wider than a narrow column's list: the click goes
        // where the row shows.
        const QRect shown = list->visualRect(index).intersected(list->viewport()->rect());
        ASSERT_FALSE(shown.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, shown.center());
    }
    formtest::Pump();
    ASSERT_FALSE(combo->DroppedDown()) << "the pick closes the list";
    ASSERT_TRUE(combo->Visible() && combo->Focused()) << "and the combo stays open on the cell";
    EXPECT_EQ(combo->Text(), item);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    formtest::Pump();
    EXPECT_FALSE(combo->Visible());
}

// ---- EtherCAT process data ---------------------------------------------------------------------------

class SlaveDropDown : public TableEditorFixture<TFEtherCATSlave>
{
  protected:
    TExtStringGrid* S() { return form->ESG_SlaveMaster; }
    // "Position/Start Bit" of rows 1 .. n of the slave-to-master table.
    QStringList Positions(int n)
    {
        QStringList out;
        for (int r = 1; r <= n; ++r)
            out << S()->Cells(6, r) + "/" + S()->Cells(7, r);
        return out;
    }
};

TEST_F(SlaveDropDown, TypePickedInTheListSetsTheLengthRuleAndMovesThePositionsBelow)
{
    Write_File(File_EtherCAT_Slave,
               "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
               "<row Enable=\"Y\" Type=\"Int8\" Length=\"1\" Name=\"a\"/>"
               "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"b\"/>"
               "<row Enable=\"Y\" Type=\"Int8\" Length=\"1\" Name=\"c\"/>"
               "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables>"
               "</EtherCAT_Slave>");
    Show([&] {
        ASSERT_EQ(Positions(3), QStringList({"0/0", "1/0", "2/0"}));

        Pick(S(), 2, 2, "Array", TOpen::Keys);
        EXPECT_EQ(S()->Cells(2, 2), "Array");
        EXPECT_EQ(S()->Cells(3, 2), "10");
        EXPECT_FALSE(S()->ReadOnly(3, 2)) << "an Array's Length is typed";
        EXPECT_EQ(Positions(3), QStringList({"0/0", "1/0", "11/0"}));

        Pick(S(), 2, 2, "Int16", TOpen::Mouse);
        EXPECT_EQ(S()->Cells(2, 2), "Int16");
        EXPECT_EQ(S()->Cells(3, 2), "2");
        EXPECT_TRUE(S()->ReadOnly(3, 2));
        EXPECT_EQ(Positions(3), QStringList({"0/0", "1/0", "3/0"}));
        Click(form->Btn_OK);
    });
    const QStringList saved = Xml_Tree(File_EtherCAT_Slave);
    ASSERT_EQ(saved.size(), 7);
    EXPECT_TRUE(saved[4].contains("Type=\"Int16\" Length=\"2\" Name=\"b\"")) << saved[4].toStdString();
    EXPECT_TRUE(saved[5].contains("Position=\"3\"")) << saved[5].toStdString();
}

// ---- Modbus request editors ------------------------------------------------------------------------------

class SerialDropDown : public RequestEditorFixture<TFSetAccess>
{
  protected:
    const QString& File() const override { return File_ModbusM_SetAccess; }
};

TEST_F(SerialDropDown, TypePositionAndStartBitPickedInTheListAreSaved)
{
    // Real columns 1 .. 13 of a read row: Type 3, Position 8, Start Bit 9 (display columns too).
    const QStringList holding = {"Y", "1", "Holding Register", "0", "10", "100", "0", "0", "", "N", "N",
                                 "",  "m"};
    const TModalResult result = Show([&] {
        Write_Row(Read(), 1, holding);
        Pick(Read(), 3, 1, "Coil Status", TOpen::Mouse);
        Pick(Read(), 8, 1, "1200", TOpen::Keys);
        Pick(Read(), 9, 1, "3", TOpen::Mouse);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList saved = Saved();
    ASSERT_GE(saved.size(), 3);
    EXPECT_TRUE(saved[2].contains("Type=\"Coil Status\" Address=\"0\" NPoint=\"10\" PollTime=\"100\" "
                                  "MaxError=\"0\" Position=\"1200\" Bit=\"3\""))
        << saved[2].toStdString();
}

class TcpDropDown : public RequestEditorFixture<TFModbus_TCP_Master_Set_Access>
{
  protected:
    const QString& File() const override { return File_ModbusTCPM_SetAccess; }
};

TEST_F(TcpDropDown, WriteTypePositionAndStartBitPickedInTheListAreSaved)
{
    // Real columns 1 .. 16 of a write row: Type 5, Position 12, Start Bit 13.
    const QStringList coil = {
        "Y", "10.0.0.7", "502", "1",   "Holding Register", "0", "8", "0", "Y", "N", "0", "",
        "",  "N",        "N",   "Lamp"};
    const TModalResult result = Show([&] {
        Select_Tab(1);
        Write_Row(Write(), 1, coil);
        Pick(Write(), 5, 1, "Coil Status", TOpen::Keys);
        Pick(Write(), 12, 1, "700", TOpen::Mouse);
        Pick(Write(), 13, 1, "7", TOpen::Keys);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList saved = Saved();
    ASSERT_GE(saved.size(), 4);
    EXPECT_TRUE(
        saved.last().contains("Type=\"Coil Status\" Address=\"0\" NPoint=\"8\" PollTime=\"0\" OnChange=\"Y\" "
                              "OnCMD=\"N\" MaxError=\"0\" Position=\"700\" Bit=\"7\""))
        << saved.last().toStdString();
}

} // namespace
