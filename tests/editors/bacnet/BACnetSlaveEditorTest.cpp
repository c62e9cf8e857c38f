// The BACnet server editor on a real form: its two tables and their looks, the showing with and
// without the long-description limit, loading and saving "BACnet_Slave.xml", the data check through
// OK, the hidden Swap column through the row buttons, the write table's type choice and the unit
// picker opened by a double click.
#include "app/MainRoadSupport.h"
#include "app/TableEditorFixture.h"
#include "app/UFileCommands.h"
#include "editors/bacnet/UBACnetSlaveSetAccess.h"
#include "editors/bacnet/UBACnet_Eng_Unit.h"
#include "grid/edit/GridCombo.h"

#include <QApplication>
#include <QComboBox>

namespace
{

using namespace tableeditortest;
using namespace bacnetslave;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// A server file: read rows and write rows as prepared attribute texts.
QByteArray Slave_File(const QStringList& read, const QStringList& write)
{
    QString xml = "<BACnet_to_Modbus><BACnet_in_Read>";
    for (const QString& r : read)
        xml += "<row " + r + "/>";
    xml += "</BACnet_in_Read><BACnet_in_Write>";
    for (const QString& w : write)
        xml += "<row " + w + "/>";
    xml += "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->";
    return xml.toUtf8();
}

QString Row_Xml(const QString& type, int position, const QString& swap = "Swap=\"N\"")
{
    return QString(
               "Data_Type=\"%1\" Eng_Unit=\"95\" Position=\"%2\" Bit=\"0\" Length=\"1\" %3 Mnemonic=\"m%2\"")
        .arg(type)
        .arg(position)
        .arg(swap);
}

class BACnetSlave : public TableEditorFixture<TFBACnetSlaveSetAccess>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        picker = std::make_unique<TFBACnet_Eng_Unit>(nullptr);
        FBACnet_Eng_Unit = picker.get();
    }
    void TearDown() override
    {
        picker.reset();
        File_Command_Slots() = {};
        TableEditorFixture::TearDown();
    }
    TExtColumnGrid* Read() { return form->ACG_BACnet_in_Read; }
    TExtColumnGrid* Write() { return form->ACG_BACnet_in_Write; }
    void Write_ParGen(const QByteArray& limit_element)
    {
        Write_File(File_ParGen, "<Par_Gen><BACnet_Type>0</BACnet_Type>" + limit_element + "</Par_Gen>");
    }
    // Double-clicks display cell (c, r) of the grid; `in_picker` runs once the picker is up (it is
    // then cancelled unless it closed it). True when the picker opened.
    bool Dbl_Click(TExtColumnGrid* grid, int c, int r, const std::function<void()>& in_picker)
    {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = picker->Modal();
            if (opened)
                in_picker();
            if (picker->Modal() && picker->ModalResult() == mrNone)
                picker->SetModalResult(mrCancel);
        });
        QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(c, r)));
        formtest::Pump();
        return opened;
    }

    std::unique_ptr<TFBACnet_Eng_Unit> picker;
};

TEST_F(BACnetSlave, TwoTablesOfEightColumnsWithTheirLooks)
{
    EXPECT_EQ(form->Name(), "FBACnetSlaveSetAccess");
    EXPECT_EQ(form->ClientWidth(), 764);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->BorderIcons(), biSystemMenu | biMaximize);
    EXPECT_EQ(QString(form->Font->Name), "Tahoma");
    EXPECT_EQ(form->Caption(), "BACnet Set Access");
    EXPECT_EQ(form->TS_BACnet_in_Read->Caption(), "BACnet in Read");
    EXPECT_EQ(form->TS_BACnet_in_Write->Caption(), "BACnet in Write");
    EXPECT_EQ(form->Btn_OK->Hint(), "Confirm and save the SNMP Trap List");

    const int widths[] = {40, 150, 100, 64, 64, 64, 40, 250};
    const TColor colours[] = {clWindow, 0xFEFAE0, 0xFEFAE0, 0xF4D6FC, 0xF4D6FC, 0xF4D6FC, 0xA8FFFF, clWhite};
    const char* headers[] = {"N",         "Data Type", "Eng. Unit", "Position",
                             "Start Bit", "Length",    "Swap",      "Mnemonic"};
    for (TExtColumnGrid* g : {Read(), Write()}) {
        SCOPED_TRACE(g->Name().toStdString());
        EXPECT_EQ(g->RowCount(), 2001);
        EXPECT_EQ(g->ColCount(), 7);
        EXPECT_EQ(g->NumHiddenColumns(), 1);
        EXPECT_TRUE(g->IsHiddenColumn(Col_Swap));
        for (int c = 0; c < 8; ++c) {
            TGridColumnItem* item = g->Columns()->Items(c);
            EXPECT_EQ(item->Width(), widths[c]) << c;
            EXPECT_EQ(item->Color(), colours[c]) << c;
            EXPECT_EQ(QString(item->Font()->Name), c == Col_Length ? "Verdana" : "Tahoma") << c;
            EXPECT_EQ(g->Cells(c, 0), headers[c]) << c;
        }
        EXPECT_EQ(g->Columns()->Items(Col_Swap)->Editor(), edDataCheckBox);
        EXPECT_EQ(g->Columns()->Items(Col_Unit)->Editor(), edNormal);
        EXPECT_EQ(g->Columns()->Items(Col_Position)->Editor(), edComboList);
        EXPECT_EQ(g->Columns()->Items(Col_Bit)->ComboItems()->Count(), 8);
        EXPECT_EQ(g->Columns()->Items(Col_Bit)->ComboItems()->Strings(7), "7");
    }
    const TStrings* read_types = Read()->Columns()->Items(Col_Type)->ComboItems();
    const TStrings* write_types = Write()->Columns()->Items(Col_Type)->ComboItems();
    ASSERT_EQ(read_types->Count(), 13);
    ASSERT_EQ(write_types->Count(), 10);
    EXPECT_EQ(read_types->Strings(0), "Analog Input");
    EXPECT_EQ(read_types->Strings(12), "Accumulator");
    EXPECT_EQ(write_types->Strings(0), "Analog Out");
    EXPECT_EQ(write_types->Strings(9), "Access Door");
    // No header hints: the read grid's handler answers none, the write grid has none bound.
    ASSERT_TRUE(Read()->OnGridHint);
    QString hint = "grid's own";
    Read()->OnGridHint(Read(), 0, 2, hint);
    EXPECT_EQ(hint, "");
    EXPECT_FALSE(Write()->OnGridHint);
    EXPECT_TRUE(Write()->OnComboChange);
    EXPECT_FALSE(Read()->OnComboChange);
    // The main window's EDE command writes through this editor's slot.
    EXPECT_TRUE(File_Command_Slots().Create_EDE_File);
}

TEST_F(BACnetSlave, ShowTakesTheLimitFromTheParametersFileEachTime)
{
    const struct {
        const char* what;
        QByteArray pargen; // empty: no file
        int rows;
    } cases[] = {
        {"no parameters file", "", 2000},
        {"limit 1", "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", 1000},
        {"limit 0", "<Par_Gen><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit></Par_Gen>", 2000},
        {"limit with blanks", "<Par_Gen><BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit></Par_Gen>",
         2000},
        {"no element", "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>", 2000},
        {"not well-formed", "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_ParGen);
        if (!c.pargen.isEmpty())
            Write_File(File_ParGen, c.pargen);
        // The write tab active before: the showing ends on the read tab, both tabs shown.
        form->PageControl1->SetActivePage(form->TS_BACnet_in_Write);
        const TModalResult result = Show([&] {
            EXPECT_EQ(form->Desc_Lenght, c.rows == 1000);
            EXPECT_EQ(Read()->RowCount(), c.rows + 1);
            EXPECT_EQ(Write()->RowCount(), c.rows + 1);
            EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_BACnet_in_Read);
            EXPECT_TRUE(form->TS_BACnet_in_Read->TabVisible() && form->TS_BACnet_in_Write->TabVisible());
            EXPECT_EQ(form->NByte_IN, 1500);
            EXPECT_EQ(form->NByte_OUT, 1500);
            for (TExtColumnGrid* g : {Read(), Write()}) {
                const TStrings* positions = g->Columns()->Items(Col_Position)->ComboItems();
                ASSERT_EQ(positions->Count(), 1500);
                EXPECT_EQ(positions->Strings(1499), "1499");
            }
            EXPECT_EQ(Read()->Cells(0, c.rows), QString::number(c.rows));
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_TRUE(answers->Messages.empty());
    }
}

TEST_F(BACnetSlave, FileOrderAndAttributesAsSaved)
{
    Show([&] {
        Write_Row(Read(), 1, {"Analog Input", "62", "0", "", "4", "", "Room"});
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Xml_Tree(File_BACnet_Slave),
              QStringList({"BACnet_to_Modbus", "  BACnet_in_Read",
                           "    row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" "
                           "Length=\"4\" Swap=\"\" Mnemonic=\"Room\"",
                           "  BACnet_in_Write"}));
    const QByteArray bytes = testsupport::readBytes(File_BACnet_Slave);
    EXPECT_TRUE(bytes.startsWith("<BACnet_to_Modbus>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.simplified().endsWith("</BACnet_to_Modbus> <!--SW_VERSION = 1.000-->"))
        << bytes.toStdString();
}

TEST_F(BACnetSlave, TheHiddenSwapTravelsWithItsRow)
{
    Write_File(File_BACnet_Slave,
               Slave_File({Row_Xml("Binary Input", 1, "Swap=\"Y\""), Row_Xml("Binary Input", 2, "")}, {}));
    Show([&] {
        EXPECT_EQ(Read()->Cells(Col_Swap, 1), "Y");
        // A row without Swap loads "N".
        EXPECT_EQ(Read()->Cells(Col_Swap, 2), "N");
        Read()->SetRow(1);
        Click(form->Btn_CopyRow);
        Read()->SetRow(3);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(Read(), 3), Row_Texts(Read(), 1));
        Read()->SetRow(1);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Read()->Cells(Col_Swap, 2), "Y");
        EXPECT_EQ(Read()->Cells(Col_Swap, 4), "Y");
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(answers->Messages.back().Text, "Are you sure to delete the Row number 1");
        EXPECT_EQ(Read()->Cells(Col_Swap, 1), "Y");
        EXPECT_EQ(Read()->Cells(Col_Swap, 3), "Y");
        // A row typed in the editor has an empty Swap.
        Write_Row(Read(), 4, {"Binary Value", "0", "9", "1", "", "", "typed"});
        Click(form->Btn_OK);
    });
    const QStringList tree = Xml_Tree(File_BACnet_Slave);
    ASSERT_EQ(tree.size(), 7);
    EXPECT_EQ(tree[6], "  BACnet_in_Write");
    EXPECT_TRUE(tree[2].contains("Position=\"1\" Bit=\"0\" Length=\"1\" Swap=\"Y\""))
        << tree[2].toStdString();
    EXPECT_TRUE(tree[3].contains("Swap=\"N\" Mnemonic=\"m2\"")) << tree[3].toStdString();
    EXPECT_TRUE(tree[4].contains("Swap=\"Y\" Mnemonic=\"m1\"")) << tree[4].toStdString();
    EXPECT_TRUE(tree[5].contains("Swap=\"\" Mnemonic=\"typed\"")) << tree[5].toStdString();
    Show([&] { EXPECT_EQ(Read()->Cells(Col_Swap, 4), ""); });
}

TEST_F(BACnetSlave, OKShowsTheFirstFaultAndKeepsTheFile)
{
    const struct {
        bool write;
        QStringList row;
        const char* message;
    } cases[] = {
        {false,
         {"Analog Input", "62", "1497", "", "4", "", "x"},
         "Error row 1!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {false,
         {"Binary Input", "62", "3", "", "4", "", "x"},
         "Error row 1!! [BACnet in Read] Bit must be between 0 and 7"},
        {true,
         {"Integer Value", "abc", "0", "", "4", "", "x"},
         "Error row 1!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
    };
    for (const auto& c : cases) {
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            Write_Row(c.write ? Write() : Read(), 1, c.row);
            Click(form->Btn_OK);
            EXPECT_EQ(form->ModalResult(), mrNone);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(Message_Texts(), QStringList({c.message}));
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_FALSE(FileExists(File_BACnet_Slave));
    }
}

TEST_F(BACnetSlave, TheObjectLimitCountsBothTablesAfterTheirRowsPassed)
{
    Write_ParGen("<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>");
    const QStringList row = {"Binary Value", "0", "7", "2", "", "N", "b"};
    const struct {
        int read, write;
        const char* message; // nullptr: saved
    } cases[] = {{600, 500, "Error!! Too many Requests. Max requests 1000"}, {600, 400, nullptr}};
    for (const auto& c : cases) {
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            for (int r = 1; r <= c.read; ++r)
                Write_Row(Read(), r, row);
            for (int r = 1; r <= c.write; ++r)
                Write_Row(Write(), r, row);
            Click(form->Btn_OK);
        });
        if (c.message) {
            EXPECT_EQ(result, mrCancel);
            EXPECT_EQ(Message_Texts(), QStringList({c.message}));
        } else {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
            EXPECT_EQ(Xml_Tree(File_BACnet_Slave).size(), 3 + c.read + c.write);
        }
    }
}

TEST_F(BACnetSlave, ALimitedShowingDropsTheRowsOfAFileWrittenWithoutIt)
{
    QStringList read;
    for (int i = 0; i < 1800; ++i)
        read << Row_Xml("Binary Value", i % 1500);
    Write_File(File_BACnet_Slave, Slave_File(read, {}));
    Write_ParGen("<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>");
    const TModalResult result = Show([&] {
        EXPECT_EQ(Read()->RowCount(), 1001);
        EXPECT_EQ(Read()->Cells(Col_Mnemonic, 1000), "m999");
        // Nothing of the file lies hidden below the table.
        EXPECT_EQ(Read()->Cells(Col_Mnemonic, 1001), "");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Xml_Tree(File_BACnet_Slave).size(), 1003);

    // Without the limit again: 2000 rows, the 1000 saved ones and empty rows below.
    DeleteFile(File_ParGen);
    Show([&] {
        EXPECT_EQ(Read()->RowCount(), 2001);
        EXPECT_EQ(Read()->Cells(Col_Mnemonic, 1000), "m999");
        EXPECT_EQ(Read()->Cells(Col_Type, 1001), "");
        EXPECT_EQ(Read()->Cells(0, 1500), "1500");
    });
}

TEST_F(BACnetSlave, AFileWithoutASectionOrARequiredAttributeDoesNotOpenTheEditor)
{
    const struct {
        QByteArray file;
        const char* named;
    } cases[] = {
        {"<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>", "BACnet_in_Write"},
        {"<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Position=\"0\" Bit=\"\" "
         "Length=\"4\" Mnemonic=\"x\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>",
         "Eng_Unit"},
    };
    for (const auto& c : cases) {
        answers->Messages.clear();
        Write_File(File_BACnet_Slave, c.file);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("BACnet_Slave.xml"))
            << answers->Messages[0].Text.toStdString();
        EXPECT_TRUE(answers->Messages[0].Text.contains(c.named)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(File_BACnet_Slave), c.file);
    }
}

TEST_F(BACnetSlave, WriteTypeChoiceSetsLengthOnlyInTheWriteTable)
{
    Show([&] {
        const struct {
            const char* type;
            const char* length;
        } cases[] = {{"Large Analog Value", "8"}, {"Access Door", "1"}, {"Analog Out", "4"}};
        for (const auto& c : cases) {
            Write()->SetCells(Col_Length, 1, "x");
            Write()->OnComboChange(Write(), Col_Type, 1, 0, c.type);
            EXPECT_EQ(Write()->Cells(Col_Length, 1), c.length) << c.type;
        }
        // Another column's choice leaves Length.
        Write()->SetCells(Col_Length, 2, "x");
        Write()->OnComboChange(Write(), Col_Bit, 2, 0, "Access Door");
        EXPECT_EQ(Write()->Cells(Col_Length, 2), "x");

        // The read table has no type-change handler: its Length stays whatever is chosen.
        EXPECT_FALSE(Read()->OnComboChange);

        // The same through the real drop-down list, as a user picks.
        Write()->SetCells(Col_Length, 3, "x");
        form->PageControl1->SetActivePage(form->TS_BACnet_in_Write);
        formtest::Pump();
        mainroad::Pick_Cell(Write(), Col_Type, 3, "Large Analog Value");
        EXPECT_EQ(Write()->Cells(Col_Length, 3), "8");
        Read()->SetCells(Col_Length, 3, "x");
        form->PageControl1->SetActivePage(form->TS_BACnet_in_Read);
        formtest::Pump();
        mainroad::Pick_Cell(Read(), Col_Type, 3, "Large Analog Value");
        EXPECT_EQ(Read()->Cells(Col_Length, 3), "x");
    });
}

TEST_F(BACnetSlave, DoubleClickOnAUnitCellOpensThePicker)
{
    Write_File(File_BACnet_Slave,
               Slave_File({"Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" "
                           "Mnemonic=\"t\""},
                          {}));
    Show([&] {
        QApplication::setActiveWindow(form->Widget());
        formtest::Pump();
        // OK as it came: the code goes back unchanged.
        EXPECT_TRUE(Dbl_Click(Read(), Col_Unit, 1, [&] {
            EXPECT_EQ(picker->E_Selected_EU->Text(), "62");
            EXPECT_EQ(picker->Label5->Caption(), "-> degrees-Celsius");
            Click(picker->Btn_OK);
        }));
        EXPECT_EQ(Read()->Cells(Col_Unit, 1), "62");

        // Cancel after a pick leaves the cell.
        EXPECT_TRUE(Dbl_Click(Read(), Col_Unit, 1, [&] {
            picker->E_Selected_EU->SetText("207");
            Click(picker->Btn_Cancel);
        }));
        EXPECT_EQ(Read()->Cells(Col_Unit, 1), "62");

        // An empty cell: "unknown", and OK writes the edit's text whatever it holds.
        EXPECT_TRUE(Dbl_Click(Read(), Col_Unit, 2, [&] {
            EXPECT_EQ(picker->E_Selected_EU->Text(), "");
            EXPECT_EQ(picker->Label5->Caption(), "-> unknown");
            Click(picker->Btn_OK);
        }));
        EXPECT_EQ(Read()->Cells(Col_Unit, 2), "");
        EXPECT_TRUE(Dbl_Click(Read(), Col_Unit, 2, [&] {
            picker->E_Selected_EU->SetText("abc");
            Click(picker->Btn_OK);
        }));
        EXPECT_EQ(Read()->Cells(Col_Unit, 2), "abc");

        // In the write table too.
        Select_Tab(Write_Table);
        EXPECT_TRUE(Dbl_Click(Write(), Col_Unit, 1, [&] {
            picker->E_Selected_EU->SetText("98");
            Click(picker->Btn_OK);
        }));
        EXPECT_EQ(Write()->Cells(Col_Unit, 1), "98");

        // Another column or the header: no picker; the header auto-sizes with the option on.
        Select_Tab(Read_Table);
        EXPECT_FALSE(Dbl_Click(Read(), Col_Mnemonic - 1, 1, [] {}));
        Read()->SetCells(Col_Unit, 3, "a rather long unit text for the column");
        const int width = Read()->ColWidths(Col_Unit);
        EXPECT_FALSE(Dbl_Click(Read(), Col_Unit, 0, [] {}));
        EXPECT_EQ(Read()->ColWidths(Col_Unit), width);
        Opt_Double_Click_Auto_Size = true;
        EXPECT_FALSE(Dbl_Click(Read(), Col_Unit, 0, [] {}));
        EXPECT_GT(Read()->ColWidths(Col_Unit), width);
    });
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(BACnetSlave, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    picker->Set_Lang();
    EXPECT_EQ(picker->Caption(), "#2300");
    EXPECT_EQ(picker->L_SW_Desc->Caption(), "#2301");
    EXPECT_EQ(picker->Btn_OK->Caption(), "#2302");
    EXPECT_EQ(picker->Btn_Cancel->Caption(), "#2303");
    EXPECT_EQ(picker->Label1->Caption(), "#2304");
    EXPECT_EQ(picker->Label2->Caption(), "#2305");
    EXPECT_EQ(picker->Label3->Caption(), "#2306");
    EXPECT_EQ(picker->Label4->Caption(), "#2307");
    EXPECT_EQ(picker->Btn_Select_Eng_Unit->Caption(), "#2308");
    // Category names are not translated.
    EXPECT_EQ(picker->CB_Select_Type->Items->Strings(0), "Acceleration");
    // Messages and the delete question from the same block.
    answers->MessageAnswers = {mrNo};
    Show([&] {
        Write_Row(Read(), 1, {"Analog Input", "62", "1500", "", "4", "", "x"});
        Click(form->Btn_OK);
        Click(form->Btn_DelRow);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"#2232"
                                            "1"
                                            "#2234"
                                            "1499",
                                            "#2260"
                                            "1"}));
}

} // namespace
