// The BACnet client editor on a real form: its two tables, the client type from "ParGen.xml", the
// file as saved and loaded, the data check through OK, the Property hint, and the EDE import through
// the open dialog and the import dialog into the tables.
#include "app/TableEditorFixture.h"
#include "app/UFormOrder.h"
#include "app/UMain.h"
#include "app/UProjectFolders.h"
#include "editors/bacnet/UEDE_Writer.h"
#include "editors/fieldbus/UBACnetAccess.h"
#include "editors/fieldbus/UImportEDEFile.h"
#include "platform/controls/Hints.h"

#include <QFileInfo>

namespace
{

using namespace tableeditortest;
using namespace bacnetaccess;
using namespace importede;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

QByteArray Access_File(const QStringList& read, const QStringList& write)
{
    QString xml = "<BACnet_Master_Access><!--SW_VERSION = 1.000--><BACnet_Read>";
    for (const QString& r : read)
        xml += "<row " + r + "/>";
    xml += "</BACnet_Read><BACnet_Write>";
    for (const QString& w : write)
        xml += "<row " + w + "/>";
    xml += "</BACnet_Write></BACnet_Master_Access>";
    return xml.toUtf8();
}

const QStringList Valid_Read = {
    "Y", "10.0.0.5", "Analog Input", "7", "Present Value (85)", "4", "N", "", "", "", "1000", "0", "0", "0",
    "",  "",         "Temp"};
const QStringList Valid_Write = {"Y",    "10.0.0.5", "Analog Output",
                                 "Real", "7",        "Present Value (85)",
                                 "0",    "4",        "N",
                                 "",     "",         "",
                                 "N",    "N",        "1000",
                                 "0",    "4",        "0",
                                 "",     "",         "Out"};

class BACnetClient : public TableEditorFixture<TFBACnetAccess>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        dialog = std::make_unique<TFImportEDEFile>(nullptr);
        FImportEDEFile = dialog.get();
        Write_ParGen("0");
    }
    void TearDown() override
    {
        dialog.reset();
        TableEditorFixture::TearDown();
    }
    TExtColumnGrid* Read() { return form->ACG1; }
    TExtColumnGrid* Write() { return form->ACG2; }
    void Write_ParGen(const QByteArray& type)
    {
        Write_File(File_ParGen, "<Par_Gen><BACnet_Master_Type>" + type + "</BACnet_Master_Type></Par_Gen>");
    }
    // Clicks "Import EDE" with the open dialog answered by `file` (empty: cancelled); `in_dialog`
    // runs once the import dialog is up (it is then cancelled unless it closed). True when it opened.
    bool Import(const QString& file, const std::function<void()>& in_dialog)
    {
        answers->FileAnswers = {file};
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = dialog->Modal();
            if (opened && in_dialog)
                in_dialog();
            if (dialog->Modal() && dialog->ModalResult() == mrNone)
                dialog->SetModalResult(mrCancel);
        });
        Click(form->Btn_Import_CSV);
        formtest::Pump();
        return opened;
    }
    // The import confirmed with the address as typed.
    bool Import_With(const QString& file, const QString& address)
    {
        return Import(file, [&] {
            dialog->E_ID_IP->SetText(address);
            Click(dialog->Btn_OK);
        });
    }
    QString Hint_At(TExtColumnGrid* grid, int display_col, int row)
    {
        const TRect r = grid->CellRect(display_col, row);
        THintInfo info;
        info.HintControl = grid;
        info.CursorPos = TPoint(r.Left + 5, r.Top + 5);
        QString hint = "grid's own";
        grid->GetCellHint(hint, info);
        return hint;
    }
    // An EDE file of objects (name, type, instance, commandable) with the header at index 6.
    QString EDE_File(const QString& name, const QList<std::tuple<QString, int, int, QString>>& objects)
    {
        QByteArray bytes = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n# mandatory;mandatory\r\n# titles\r\n";
        for (const auto& [n, type, instance, cmd] : objects)
            bytes += QString("k;1;%1;%2;%3;d %1;;;;%4;\r\n").arg(n).arg(type).arg(instance).arg(cmd).toUtf8();
        const QString path = project.file(name);
        Write_File(path, bytes);
        return path;
    }

    std::unique_ptr<TFImportEDEFile> dialog;
};

TEST_F(BACnetClient, FormTablesAndButtons)
{
    EXPECT_EQ(form->Name(), "FBACnetAccess");
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->ClientWidth(), Screen->Width() <= 1270 ? 1000 : 1305);
    EXPECT_EQ(form->Caption(), "Set BACnet Access");
    EXPECT_EQ(form->TS_BACnet_Read->Caption(), "BACnet Read");
    EXPECT_EQ(form->TS_BACnet_Write->Caption(), "BACnet Write");
    const std::pair<TFadeButton*, const char*> buttons[] = {{form->Btn_OK, "OK"},
                                                            {form->Btn_Cancel, "Cancel"},
                                                            {form->Btn_DelRow, "Delete Row"},
                                                            {form->Btn_InsRow, "Insert Row"},
                                                            {form->Btn_Import_CSV, "Import EDE"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i].first->Caption(), buttons[i].second);
        EXPECT_EQ(buttons[i].first->Left(), 16 + 118 * i);
        EXPECT_EQ(buttons[i].first->Hint(), "");
    }
    EXPECT_FALSE(form->Btn_CopyRow->Visible());
    EXPECT_FALSE(form->Btn_PasteRow->Visible());

    const struct {
        TExtColumnGrid* grid;
        int cols;
        std::vector<int> hidden;
        int objects, d_len, position;
    } tables[] = {{Read(), 18, {15, 16}, 15, 9, 13}, {Write(), 22, {19, 20}, 9, 11, 17}};
    for (const auto& t : tables) {
        SCOPED_TRACE(t.grid->Name().toStdString());
        EXPECT_EQ(t.grid->RowCount(), 513);
        EXPECT_EQ(t.grid->ColCount() + t.grid->NumHiddenColumns(), t.cols);
        for (int c : t.hidden)
            EXPECT_TRUE(t.grid->IsHiddenColumn(c)) << c;
        EXPECT_FALSE(t.grid->IsHiddenColumn(2));
        EXPECT_EQ(t.grid->Columns()->Items(3)->ComboItems()->Count(), t.objects);
        const TStrings* lengths = t.grid->Columns()->Items(t.d_len)->ComboItems();
        ASSERT_EQ(lengths->Count(), 11);
        EXPECT_EQ(lengths->Strings(3), "M1");
        EXPECT_EQ(lengths->Strings(10), "M8");
        EXPECT_EQ(t.grid->Columns()->Items(1)->Editor(), edDataCheckBox);
        EXPECT_EQ(t.grid->Cells(2, 0), "IP Address");
        EXPECT_FALSE(t.grid->OnClickCell);
        EXPECT_FALSE(t.grid->OnDblClickCell);
        EXPECT_FALSE(t.grid->OnKeyPress);
        EXPECT_TRUE(t.grid->OnGridHint);
    }
    EXPECT_EQ(Read()->Columns()->Items(16)->ComboItems()->Strings(3), "(Float to Int) * 100");
    EXPECT_EQ(Write()->Columns()->Items(4)->ComboItems()->Strings(12), "Object ID");
    EXPECT_EQ(Write()->Columns()->Items(6)->ComboItems()->Count(), 1);

    Show([&] {
        for (const auto& t : tables) {
            const TStrings* positions = t.grid->Columns()->Items(t.position)->ComboItems();
            ASSERT_EQ(positions->Count(), 1440);
            EXPECT_EQ(positions->Strings(1439), "1439");
            EXPECT_EQ(t.grid->Cells(0, 512), "512");
            EXPECT_EQ(t.grid->Cells(1, 512), "Y");
        }
    });
}

TEST_F(BACnetClient, ClientTypeDecidesTheAddressColumnOnEveryShow)
{
    const struct {
        const char* what;
        QByteArray pargen; // empty: no file
        bool box;
        const char* header; // nullptr: column 2 hidden
    } cases[] = {
        {"no parameters file", "", true, "IP Address"},
        {"type 1", "<Par_Gen><BACnet_Master_Type>1</BACnet_Master_Type></Par_Gen>", false, "Slave ID"},
        {"type 7", "<Par_Gen><BACnet_Master_Type>7</BACnet_Master_Type></Par_Gen>", false, nullptr},
        {"type 7 again", "<Par_Gen><BACnet_Master_Type>7</BACnet_Master_Type></Par_Gen>", false, nullptr},
        {"not a number", "<Par_Gen><BACnet_Master_Type>x</BACnet_Master_Type></Par_Gen>", false,
         "IP Address"},
        {"no element", "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>", true, "IP Address"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_ParGen);
        if (!c.pargen.isEmpty())
            Write_File(File_ParGen, c.pargen);
        answers->Messages.clear();
        form->PageControl1->SetActivePage(form->TS_BACnet_Write);
        Show([&] {
            EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_BACnet_Read);
            for (TExtColumnGrid* g : {Read(), Write()}) {
                EXPECT_EQ(g->IsHiddenColumn(2), c.header == nullptr);
                EXPECT_EQ(g->NumHiddenColumns(), c.header ? 2 : 3);
                if (c.header) {
                    EXPECT_EQ(g->Cells(2, 0), c.header);
                }
            }
        });
        EXPECT_EQ(Message_Texts(),
                  c.box ? QStringList({"Select the BACnet Type in the \"Set Communication\" section"})
                        : QStringList());
    }

    // With type 7 the Object Type column tells the used rows.
    Write_ParGen("7");
    const TModalResult result = Show([&] {
        Write_Row(Read(), 1,
                  {"Y", "", "Analog Input", "7", "Present Value (85)", "4", "N", "", "", "", "1000", "0", "0",
                   "0"});
        Write_Row(Write(), 2, Valid_Write);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList tree = Xml_Tree(File_BACnet_Master_Access);
    ASSERT_EQ(tree.size(), 4);
    EXPECT_TRUE(
        tree[2].startsWith("    row Enable=\"Y\" IP_Address_Slave_ID=\"\" Object_Type=\"Analog Input\""))
        << tree[2].toStdString();
    EXPECT_EQ(tree[3], "  BACnet_Write");
}

TEST_F(BACnetClient, FileAsAnOrderedTreeAndItsDefaults)
{
    Show([&] {
        Write_Row(Read(), 1, Valid_Read);
        Write_Row(Write(), 1, Valid_Write);
        // Hidden Swap and Convertion hold text that is never saved.
        Read()->SetCells(15, 1, "Y");
        Write()->SetCells(20, 1, "None");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(
        Xml_Tree(File_BACnet_Master_Access),
        QStringList({"BACnet_Master_Access", "  BACnet_Read",
                     "    row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Analog Input\" "
                     "Instance=\"7\" Property=\"Present Value (85)\" NumByte=\"4\" Enable_Destination=\"N\" "
                     "Destination_Network=\"\" Destination_Length=\"\" Destination_Address=\"\" "
                     "PollTime=\"1000\" MaxError=\"0\" Position=\"0\" StartBit=\"0\" Mnemonic=\"Temp\"",
                     "  BACnet_Write",
                     "    row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Analog Output\" "
                     "Data_Type=\"Real\" Instance=\"7\" Property=\"Present Value (85)\" Priority=\"0\" "
                     "NumByte=\"4\" Enable_Destination=\"N\" Destination_Network=\"\" "
                     "Destination_Length=\"\" Destination_Address=\"\" OnChange=\"N\" OnTimer=\"N\" "
                     "PollTime=\"1000\" MaxError=\"0\" Position=\"4\" StartBit=\"0\" Mnemonic=\"Out\""}));
    const QByteArray bytes = testsupport::readBytes(File_BACnet_Master_Access);
    EXPECT_TRUE(bytes.simplified().endsWith("</BACnet_Master_Access> <!--SW_VERSION = 1.000-->"))
        << bytes.toStdString();

    // Missing attributes load their defaults; a file's "y" is kept and does not enable the row.
    Write_File(File_BACnet_Master_Access,
               Access_File({"IP_Address_Slave_ID=\"10.0.0.1\"",
                            "Enable=\"y\" IP_Address_Slave_ID=\"x\" Instance=\"-5\""},
                           {"IP_Address_Slave_ID=\"10.0.0.2\" Object_Type=\"Binary Value\""}));
    Show([&] {
        EXPECT_EQ(Row_Texts(Read(), 1), QStringList({"Y", "10.0.0.1", "", "", "", "", "N", "", "", "", "", "",
                                                     "", "", "", "", ""}));
        EXPECT_EQ(Read()->Cells(1, 2), "y");
        const QStringList w = Row_Texts(Write(), 1);
        EXPECT_EQ(w[W_Enable - 1], "Y");
        EXPECT_EQ(w[W_Object - 1], "Binary Value");
        EXPECT_EQ(w[W_En_Dest - 1], "N");
        EXPECT_EQ(w[W_Change - 1], "N");
        EXPECT_EQ(w[W_Timer - 1], "N");
        EXPECT_EQ(w[W_Poll - 1], "");
        EXPECT_EQ(Write()->Cells(1, 2), "Y");
    });

    // 600 rows in a section: 512 shown and saved.
    QStringList many;
    for (int i = 0; i < 600; ++i)
        many << QString("Enable=\"N\" IP_Address_Slave_ID=\"r%1\"").arg(i + 1);
    Write_File(File_BACnet_Master_Access, Access_File(many, {}));
    const TModalResult result = Show([&] {
        EXPECT_EQ(Read()->Cells(2, 512), "r512");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList tree = Xml_Tree(File_BACnet_Master_Access);
    ASSERT_EQ(tree.size(), 3 + 512);
    EXPECT_TRUE(tree[513].contains("\"r512\"")) << tree[513].toStdString();

    // A file without its write section is refused before any cell changes.
    Write_File(File_BACnet_Master_Access, "<BACnet_Master_Access><BACnet_Read/></BACnet_Master_Access>");
    EXPECT_FALSE(Show_Guarded());
}

TEST_F(BACnetClient, OKShowsTheFirstFaultOrSaves)
{
    auto with = [](QStringList row, std::initializer_list<std::pair<int, const char*>> cells) {
        for (const auto& [c, t] : cells)
            row[c - 1] = t;
        return row;
    };
    const struct {
        const char* what;
        QStringList read, write;
        const char* message; // nullptr: saved
    } cases[] = {
        {"disabled row with invalid cells",
         with(Valid_Read, {{R_Enable, "N"}, {R_Object, "Bogus"}}),
         {},
         nullptr},
        {"data type",
         {},
         with(Valid_Write, {{W_Data_Type, "Unsigned Int"}}),
         "Error in Write, row 1!! Data Type is not correct. Aspected Data Type is Real"},
        {"NByte over the data type",
         {},
         with(Valid_Write, {{W_NByte, "5"}}),
         "Error in Write, row 1!! NByte must be between 0 and 4"},
        {"D Len m3",
         with(Valid_Read, {{R_En_Dest, "Y"}, {R_D_Net, "9"}, {R_D_Len, "m3"}, {R_D_Add, " 1 , 2 ,3"}}),
         {},
         nullptr},
        {"empty raw address",
         {},
         with(Valid_Write, {{W_En_Dest, "Y"}, {W_D_Net, "9"}, {W_D_Len, "M2"}, {W_D_Add, ""}}),
         "Error in Write, row 1!! Destination Address has too few bytes"},
        {"timer off, poll time empty", {}, with(Valid_Write, {{W_Poll, ""}}), nullptr},
        {"max err 65536",
         with(Valid_Read, {{R_Max_Err, "65536"}}),
         {},
         "Error in Read, row 1!! Max Err must be between 0 and 655535"},
        {"max err 65535", {}, with(Valid_Write, {{W_Max_Err, "65535"}}), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(File_BACnet_Master_Access);
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            if (!c.read.isEmpty())
                Write_Row(Read(), 1, c.read);
            if (!c.write.isEmpty())
                Write_Row(Write(), 1, c.write);
            Click(form->Btn_OK);
        });
        if (c.message) {
            EXPECT_EQ(result, mrCancel);
            EXPECT_EQ(Message_Texts(), QStringList({c.message}));
            EXPECT_FALSE(FileExists(File_BACnet_Master_Access));
        } else {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
            const QStringList tree = Xml_Tree(File_BACnet_Master_Access);
            ASSERT_EQ(tree.size(), 4);
            // A disabled row is saved as typed.
            if (!c.read.isEmpty()) {
                EXPECT_TRUE(tree[2].contains(QString("Enable=\"%1\"").arg(c.read[0])))
                    << tree[2].toStdString();
            }
        }
    }
}

TEST_F(BACnetClient, PropertyHintFollowsTheRealColumn)
{
    const struct {
        const char* object;
        const char* property;
        const char* hint;
    } cases[] = {
        {"Binary Input", "Present Value (85)", "1"},
        {"Analog Value", "Present Value (85)", ""},
        {"Large Analog Value", "Present Value (85)", "8"},
        {"Analog Input", "Object Type (79)", "2"},
        {"Analog Input", "Units (117)", "4"},
        {"Binary Input", "Units (117)", ""},
        {"", "Present Value (85)", ""},
    };
    for (const char* type : {"0", "7"}) {
        SCOPED_TRACE(type);
        Write_ParGen(type);
        Show([&] {
            // Type 7 hides column 2: the Property column shows at display column 4.
            const int shown = Read()->IsHiddenColumn(2) ? 4 : 5;
            for (const auto& c : cases) {
                Read()->SetCells(3, 1, c.object);
                Read()->SetCells(5, 1, c.property);
                EXPECT_EQ(Hint_At(Read(), shown, 1), c.hint) << c.object << " / " << c.property;
            }
            Read()->SetCells(3, 1, "Binary Input");
            Read()->SetCells(5, 1, "Present Value (85)");
            EXPECT_EQ(Hint_At(Read(), shown - 1, 1), "");
            EXPECT_EQ(Hint_At(Read(), shown, 0), "");
            Write()->SetCells(3, 1, "Binary Output");
            Write()->SetCells(6, 1, "Present Value (85)");
            EXPECT_EQ(Hint_At(Write(), shown + 1, 1), "");
        });
    }
}

TEST_F(BACnetClient, ImportDialogListsTheObjectsAndGuardsItsChoices)
{
    const QString file = testsupport::fixture("bacnet_client/Foreign_Device.csv");
    answers->Messages.clear();
    const TModalResult result = Show([&] {
        const bool opened = Import(file, [&] {
            TExtColumnGrid* g = dialog->ACG;
            EXPECT_EQ(dialog->ClientWidth(), 863);
            EXPECT_EQ(dialog->ClientHeight(), 337);
            EXPECT_EQ(dialog->App_BACnet_Type, 0);
            EXPECT_EQ(dialog->EDE_File, file);
            ASSERT_EQ(g->RowCount(), 3);
            EXPECT_EQ((QStringList{g->Cells(0, 1)} + Row_Texts(g, 1)).join(" | "),
                      "1 | Y | Y | Y | Valve1 | 4 | 7 | Main valve | Y");
            EXPECT_EQ((QStringList{g->Cells(0, 2)} + Row_Texts(g, 2)).join(" | "),
                      "2 | Y | Y | N | Zone | 22 | 3 |  | N");
            // Write on an object that is only read.
            QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(Col_Write, 2)));
            EXPECT_EQ(Message_Texts(), QStringList({"Error line 2!! The Variable is only in read"}));
            EXPECT_EQ(g->Cells(Col_Write, 2), "N");
            EXPECT_FALSE(dialog->List_EDE_Var[1].write);
            // Read unticked and ticked again on the first object by clicks.
            QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(Col_Read, 1)));
            EXPECT_EQ(g->Cells(Col_Read, 1), "N");
            EXPECT_FALSE(dialog->List_EDE_Var[0].read);
            QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(Col_Read, 1)));
            EXPECT_EQ(g->Cells(Col_Read, 1), "Y");
            EXPECT_TRUE(dialog->List_EDE_Var[0].read);
            // The commandable column is read-only.
            QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(Col_Commandable, 1)));
            EXPECT_EQ(g->Cells(Col_Commandable, 1), "Y");
            Click(dialog->Btn_Unselect_All);
            EXPECT_EQ(g->Cells(Col_Import, 1) + g->Cells(Col_Import, 2), "NN");
            EXPECT_FALSE(dialog->List_EDE_Var[0].import || dialog->List_EDE_Var[1].import);
            EXPECT_TRUE(dialog->List_EDE_Var[0].write && dialog->List_EDE_Var[1].read);
            Click(dialog->Btn_Select_All);
            EXPECT_EQ(g->Cells(Col_Import, 1) + g->Cells(Col_Import, 2), "YY");
            EXPECT_TRUE(dialog->List_EDE_Var[0].import && dialog->List_EDE_Var[1].import);

            answers->Messages.clear();
            QTest::keyClicks(dialog->E_ID_IP->Widget(), "10.0.0.256");
            Click(dialog->Btn_OK);
            EXPECT_EQ(Message_Texts(), QStringList({"Error!! IP Address is not correct"}));
            EXPECT_EQ(dialog->ModalResult(), mrNone);
            dialog->E_ID_IP->SetText("10.0.0.5");
            Click(dialog->Btn_OK);
            EXPECT_EQ(dialog->ModalResult(), mrOk);
        });
        EXPECT_TRUE(opened);
        EXPECT_EQ(answers->FileDialogs.back().Filter, "BACnet EDE File (*.csv)|*.csv");
        // Both objects are read, Valve1 is written too.
        EXPECT_EQ(Row_Texts(Read(), 1),
                  QStringList({"Y", "10.0.0.5", "Binary Output", "7", "Present Value (85)", "1", "N", "", "",
                               "", "1000", "0", "0", "0", "N", "", "Valve1 - Main valve"}));
        EXPECT_EQ(Row_Texts(Read(), 2),
                  QStringList({"Y", "10.0.0.5", "Life Safety Zone", "3", "Present Value (85)", "2", "N", "",
                               "", "", "1000", "0", "1", "0", "N", "", "Zone - "}));
        EXPECT_EQ(Read()->Cells(2, 3), "");
        EXPECT_EQ(Write()->Cells(2, 2), "");
        EXPECT_EQ(Row_Texts(Write(), 1), QStringList({"Y",          "10.0.0.5", "Binary Output",
                                                      "Enumerated", "7",        "Present Value (85)",
                                                      "0",          "1",        "N",
                                                      "",           "",         "",
                                                      "N",          "N",        "1000",
                                                      "0",          "0",        "0",
                                                      "N",          "",         "Valve1 - Main valve"}));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Last_EDE_Dir, QFileInfo(file).absolutePath() + "/");
    EXPECT_EQ(Xml_Tree(File_BACnet_Master_Access).size(), 6);

    // The address test follows the client type; any other type takes anything.
    const struct {
        const char* type;
        const char* address;
        const char* message; // nullptr: closes
    } addresses[] = {{"1", "255", "Error!! Slave ID must be between 0 and 254"},
                     {"1", "254", nullptr},
                     {"7", "", nullptr}};
    for (const auto& a : addresses) {
        SCOPED_TRACE(std::string(a.type) + " " + a.address);
        Write_ParGen(a.type);
        Show([&] {
            Import(file, [&] {
                answers->Messages.clear();
                dialog->E_ID_IP->SetText(a.address);
                Click(dialog->Btn_OK);
                EXPECT_EQ(Message_Texts(), a.message ? QStringList({a.message}) : QStringList());
                EXPECT_EQ(dialog->ModalResult(), a.message ? mrNone : mrOk);
            });
        });
    }
}

TEST_F(BACnetClient, ImportAppendsAtTheNextFreeRowAndByte)
{
    Show([&] {
        Write_Row(Read(), 1, Valid_Read);
        Read()->SetCells(R_Position, 1, "10");
        // Below an empty row: its bytes count, its row is not free.
        Write_Row(Read(), 3, Valid_Read);
        Read()->SetCells(R_Position, 3, "2");
        Read()->SetCells(R_NByte, 3, "x");
        const QString file = EDE_File(
            "plant.csv", {{"AI", 0, 1, "N"}, {"AV", 2, 2, "Y"}, {"Dev", 8, 9, "N"}, {"LAV", 46, 3, "N"}});
        ASSERT_TRUE(Import_With(file, "10.0.0.7"));
        EXPECT_EQ(Read()->Cells(R_Object, 2), "Analog Input");
        EXPECT_EQ(Read()->Cells(R_Position, 2), "14");
        // Row 3 was not free, but the rows are taken one after another from the first free one.
        EXPECT_EQ(Read()->Cells(R_Object, 3), "Analog Value");
        EXPECT_EQ(Read()->Cells(R_Position, 3), "18");
        EXPECT_EQ(Read()->Cells(R_Object, 4), "Large Analog Value");
        EXPECT_EQ(Read()->Cells(R_NByte, 4), "8");
        EXPECT_EQ(Read()->Cells(R_Position, 4), "22");
        EXPECT_EQ(Write()->Cells(W_Object, 1), "Analog Value");
        EXPECT_EQ(Write()->Cells(W_Data_Type, 1), "Real");
        EXPECT_EQ(Write()->Cells(W_Position, 1), "0");
        EXPECT_EQ(Write()->Cells(W_Address, 1), "10.0.0.7");
        EXPECT_EQ(Write()->Cells(W_Object, 2), "");
        EXPECT_TRUE(answers->Messages.empty());
        EXPECT_EQ(Last_EDE_Dir, project.path() + "/");
        EXPECT_EQ(form->OD_EDE_File.InitialDir, Last_EDE_Dir);
    });

    // 510 rows in use and three read objects: rows 511 and 512, and one box for the third.
    answers->Messages.clear();
    Show([&] {
        for (int r = 1; r <= 510; ++r)
            Read()->SetCells(R_Address, r, "10.0.0.1");
        const QString file = EDE_File("three.csv", {{"A", 0, 1, "N"}, {"B", 0, 2, "N"}, {"C", 0, 3, "N"}});
        ASSERT_TRUE(Import_With(file, "10.0.0.9"));
        EXPECT_EQ(Read()->Cells(R_Object, 511), "Analog Input");
        EXPECT_EQ(Read()->Cells(R_Instance, 512), "2");
        EXPECT_EQ(Message_Texts(), QStringList({"Error!! The table is full. Requests not imported: 1"}));
        EXPECT_EQ(answers->FileDialogs.back().InitialDir, Last_EDE_Dir);
    });
}

TEST_F(BACnetClient, ImportOfAFileItCannotReadOrAnEmptyList)
{
    Show([&] {
        // Cancelled open dialog: nothing at all.
        EXPECT_FALSE(Import(QString(), nullptr));
        EXPECT_EQ(Last_EDE_Dir, "");
        // A folder where a file was expected: one box naming it, no import dialog.
        const QString folder = project.file("folder.csv");
        ASSERT_TRUE(ForceDirectories(folder));
        EXPECT_FALSE(Import(folder, nullptr));
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains(folder)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        // No header: one empty row, OK imports nothing.
        const QString plain = project.file("plain.csv");
        Write_File(plain, "k;1;A;0;1;\r\n");
        answers->Messages.clear();
        EXPECT_TRUE(Import(plain, [&] {
            EXPECT_EQ(dialog->ACG->RowCount(), 2);
            EXPECT_EQ(dialog->ACG->Cells(Col_Name, 1), "");
            dialog->E_ID_IP->SetText("10.0.0.1");
            Click(dialog->Btn_OK);
        }));
        EXPECT_EQ(Read()->Cells(R_Address, 1), "");
        EXPECT_TRUE(answers->Messages.empty());
    });
}

TEST_F(BACnetClient, FileOfTheEDEWriterGivesReadRequestsOnly)
{
    QByteArray rows;
    for (const char* type :
         {"Analog Input", "Analog Value", "Binary Input", "Binary Value", "Multi State Input", "Accumulator"})
        rows +=
            QString("<row Data_Type=\"%1\" Eng_Unit=\"95\" Position=\"0\" Bit=\"0\" Length=\"1\" Swap=\"N\" "
                    "Mnemonic=\"m\"/>")
                .arg(type)
                .toUtf8();
    Write_File(File_BACnet_Slave, "<BACnet_to_Modbus><BACnet_in_Read>" + rows +
                                      "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
    const QString ede = project.file("server.csv");
    Build_EDE_File(ede);
    Show([&] {
        ASSERT_TRUE(Import(ede, [&] {
            ASSERT_EQ(dialog->List_EDE_Var.size(), 6u);
            for (const TBACnet_Var& v : dialog->List_EDE_Var) {
                EXPECT_FALSE(v.commandable);
                EXPECT_FALSE(v.write);
            }
            dialog->E_ID_IP->SetText("10.0.0.3");
            Click(dialog->Btn_OK);
        }));
        EXPECT_EQ(Read()->Cells(R_Object, 6), "Accumulator");
        EXPECT_EQ(Read()->Cells(R_Object, 7), "");
        EXPECT_EQ(Write()->Cells(W_Object, 1), "");
    });
}

TEST(BACnetClientStartup, BothFormsAreCreatedReTextedAndReachable)
{
    Reset_Globals();
    Set_English_Texts();
    TScopedInteraction answers;
    testsupport::TempDir program;
    Create_Forms(program.path());
    ASSERT_NE(FBACnetAccess, nullptr);
    ASSERT_NE(FImportEDEFile, nullptr);
    EXPECT_EQ(Find_Form("FBACnetAccess"), FBACnetAccess);
    EXPECT_EQ(Find_Form("FImportEDEFile"), FImportEDEFile);
    EXPECT_EQ(FImportEDEFile->L_SW_Code->Caption(), "RIVA101");

    Set_Marker_Texts();
    Set_Lang_Of_Forms();
    EXPECT_EQ(FBACnetAccess->Caption(), "#2000");
    EXPECT_EQ(FBACnetAccess->L_SW_Desc->Caption(), "#2001");
    EXPECT_EQ(FBACnetAccess->Btn_InsRow->Caption(), "#2005");
    EXPECT_EQ(FBACnetAccess->Btn_Import_CSV->Caption(), "#2059");
    EXPECT_EQ(FBACnetAccess->TS_BACnet_Write->Caption(), "#2007");
    EXPECT_EQ(FBACnetAccess->ACG1->Cells(2, 0), "#2009");
    EXPECT_EQ(FBACnetAccess->ACG1->Cells(7, 0), "#2062");
    EXPECT_EQ(FBACnetAccess->ACG2->Cells(2, 0), "#2021");
    EXPECT_EQ(FBACnetAccess->ACG2->Cells(21, 0), "#2035");
    EXPECT_EQ(FImportEDEFile->Caption(), "#2100");
    EXPECT_EQ(FImportEDEFile->L_SW_Desc->Caption(), "#2101");
    EXPECT_EQ(FImportEDEFile->Btn_Cancel->Caption(), "#2103");
    EXPECT_EQ(FImportEDEFile->Btn_Select_All->Caption(), "#2120");
    EXPECT_EQ(FImportEDEFile->Btn_Unselect_All->Caption(), "#2121");
    EXPECT_EQ(FImportEDEFile->LID_IP->Caption(), "#2115");
    EXPECT_EQ(FImportEDEFile->ACG->Cells(Col_Commandable, 0), "#2112");
    Set_English_Texts();

    ASSERT_TRUE(ForceDirectories(Projects_Dir + "/Plant B"));
    Set_Active_Project("Plant B");
    TFadeButton* button = FDodiruredavIzavUred->Button("Btn_BACnet_SetAccess");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->Visible());
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = FBACnetAccess->Modal();
        QTest::mouseClick(FBACnetAccess->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        if (FBACnetAccess->ModalResult() == mrNone)
            FBACnetAccess->SetModalResult(mrCancel);
    });
    ASSERT_TRUE(button->OnClick);
    button->OnClick(button);
    EXPECT_TRUE(opened);
    // No "ParGen.xml" in the new project: the type box, then an empty file saved.
    EXPECT_EQ(answers->Messages.size(), 1u);
    EXPECT_EQ(Xml_Tree(Projects_Dir + "/Plant B/BACnet_Master_Access.xml"),
              QStringList({"BACnet_Master_Access", "  BACnet_Read", "  BACnet_Write"}));

    Destroy_Forms();
    EXPECT_EQ(FBACnetAccess, nullptr);
    EXPECT_EQ(FImportEDEFile, nullptr);
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace
