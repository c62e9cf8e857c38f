// The IEC 61850 client editor on a real form: the catalogue of SCL copies, the device tree, Add Var
// and Remove Var, the byte sizes, the member settings of data sets, the data check and the project
// file, driven with clicks and keys.
#include "app/TableEditorFixture.h"
#include "editors/network/UIEC_61850_Access.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/core/SysUtils.h"

#include <QApplication>

// Texts printed readably when a comparison fails.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace
{

using namespace tableeditortest;
using namespace iec61850client;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

class IEC61850ClientEditor : public TableEditorFixture<TFIEC_61850_Access>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        scl = project.path() + "/source/ied1.icd";
        ASSERT_TRUE(ForceDirectories(project.path() + "/source"));
        testsupport::writeBytes(scl, testsupport::readBytes(testsupport::fixture("scl/ied1.icd")));
    }

    // "Add IEC Device" with `path` chosen in the open dialog.
    void Add_Device(const QString& path)
    {
        answers->FileAnswers.push_back(path);
        Click(form->Btn_Add_IEC_Device);
    }
    QStringList Lines() const
    {
        QStringList out;
        for (int i = 0; i < form->LB_IEC_Devices->Count(); ++i)
            out << form->LB_IEC_Devices->Items->Strings(i);
        return out;
    }
    void Click_Line(int i)
    {
        QListWidget* list = form->LB_IEC_Devices->List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
    }
    // The node reached by the texts below the device node ({} is the device node).
    TTreeNode* Node(const QStringList& path) const
    {
        TTreeNode* node = form->TV_IEC_Device->Items->GetFirstNode();
        for (const QString& text : path) {
            TTreeNode* next = nullptr;
            for (int i = 0; node && i < node->Count() && !next; ++i)
                if (node->Item(i)->Text() == text)
                    next = node->Item(i);
            node = next;
        }
        return node;
    }
    void Click_Node(const QStringList& path)
    {
        TTreeNode* node = Node(path);
        ASSERT_NE(node, nullptr) << path.join("/").toStdString();
        node->MakeVisible();
        formtest::Pump();
        QTest::mouseClick(form->TV_IEC_Device->Tree()->viewport(), Qt::LeftButton, {},
                          Centre(form->TV_IEC_Device->NodeRect(node)));
    }
    // The device of the fixture, shown in the tree, and `path` picked and added.
    void Add_Var(const QStringList& path)
    {
        Click_Node(path);
        Click(form->Btn_AddVar);
    }
    void Click_Cell(TExtColumnGrid* g, int c, int r)
    {
        QApplication::setActiveWindow(form->Widget());
        QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, Centre(g->CellRect(c, r)));
        formtest::Pump();
    }
    // Types into cell (c, r) as the user does: a click on it, F2, the old text replaced, Enter.
    void Type_Cell(TExtColumnGrid* g, int c, int r, const QString& text)
    {
        Click_Cell(g, c, r);
        QTest::keyClick(g->Widget(), Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        formtest::Pump();
    }
    // A leaf of the fixture added with everything the check asks for filled in.
    void Add_Valid_Var(const QStringList& path)
    {
        Add_Var(path);
        const int r = form->ACG_DA->RowCount() - 1;
        form->ACG_DA->SetCells(Col_IPAddress, r, "192.168.1.10");
        form->ACG_DA->SetCells(Col_Port, r, "102");
        form->ACG_DA->SetCells(Col_Position, r, "0");
        form->ACG_DA->SetCells(Col_MoltFact, r, "None");
    }

    QString scl;
    const QStringList q_of_Pos = {"LD0", "Q0XCBR1", "Pos", "q"};
    const QStringList events = {"LD0", "LLN0", "Events"};
};

// ---- Tree --------------------------------------------------------------------------------------------

// Every node as "text picture [+ when expanded]", indented by level.
QStringList Tree_Lines(TTreeView* tree)
{
    QStringList out;
    std::function<void(TTreeNode*)> walk = [&](TTreeNode* n) {
        out << QString(n->Level() * 2, ' ') + n->Text() + " " + QString::number(n->ImageIndex()) +
                   (n->Expanded() ? " +" : "");
        EXPECT_EQ(n->SelectedIndex(), n->ImageIndex());
        for (int i = 0; i < n->Count(); ++i)
            walk(n->Item(i));
    };
    if (TTreeNode* root = tree->Items->GetFirstNode())
        walk(root);
    return out;
}

// Whether the node's row, as painted, holds text pixels of colour `c` (and none of the other two).
bool Painted_In(TTreeView* tree, TTreeNode* node, QColor c)
{
    const QImage image = tree->Tree()->viewport()->grab().toImage();
    const TRect r = tree->NodeRect(node);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left + 20; x < r.Right; ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) < 40 && std::abs(p.green() - c.green()) < 40 &&
                std::abs(p.blue() - c.blue()) < 40 && p != QColor(Qt::white))
                return true;
        }
    return false;
}

TEST_F(IEC61850ClientEditor, AListClickShowsTheDeviceAsATree)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        EXPECT_EQ(Tree_Lines(form->TV_IEC_Device),
                  QStringList({
                      "IED1 0 +",           "  LD0 1 +",         "    LLN0 2 +",   "      NamPlt 3",
                      "        vendor 4",   "        ownerId 4", "      Events 5", "    Q0XCBR1 2 +",
                      "      Pos 3",        "        stVal 4",   "        q 4",    "        t 4",
                      "        ctlModel 4", "  LD1 1 +",         "    LLN0 2 +",   "      NamPlt 3",
                      "        vendor 4",   "        ownerId 4", "    MMXU1 2 +",  "      TotW 3",
                      "        mag 4",      "          f 4",     "          i 4",  "        q 4",
                      "    MMXU2 2 +",      "      TotW 3",      "        mag 4",  "          f 4",
                      "          i 4",      "        q 4",
                  }));
        formtest::Pump();
        TTreeView* tree = form->TV_IEC_Device;
        const QColor blue(0, 0, 255), green(0, 128, 0), black(0, 0, 0);
        EXPECT_TRUE(Painted_In(tree, Node({"LD0", "LLN0", "NamPlt"}), blue));
        EXPECT_FALSE(Painted_In(tree, Node({"LD0", "LLN0", "NamPlt"}), black));
        EXPECT_TRUE(Painted_In(tree, Node(events), green));
        EXPECT_TRUE(Painted_In(tree, Node({"LD0", "LLN0"}), black));
        EXPECT_FALSE(Painted_In(tree, Node({"LD0", "LLN0"}), blue));
    });
}

TEST_F(IEC61850ClientEditor, OnlyALeafAttributeOrADataSetIsPicked)
{
    Show([&] {
        Add_Device(scl);
        // Before a line is clicked no device is shown; after an add no line is selected.
        Click_Line(0);
        struct TCase {
            QStringList Path;
            bool DA, DS;
        };
        const TCase cases[] = {
            {{}, false, false},
            {{"LD0"}, false, false},
            {{"LD0", "Q0XCBR1"}, false, false},
            {{"LD0", "Q0XCBR1", "Pos"}, false, false},
            {{"LD1", "MMXU1", "TotW", "mag"}, false, false},
            {{"LD1", "MMXU1", "TotW", "mag", "f"}, true, false},
            {events, false, true},
        };
        for (const TCase& c : cases) {
            SCOPED_TRACE(c.Path.join("/").toStdString());
            Click_Node(c.Path);
            EXPECT_EQ(bool(form->Selected_IEC_DA), c.DA);
            EXPECT_EQ(bool(form->Selected_IEC_DS), c.DS);
        }
        EXPECT_EQ(form->Selected_IEC_DS.get(),
                  form->List_IEC_Dev[0]->List_LDevice[0]->List_LN[0]->List_DataSet[0].get());
        // A list click clears the attribute but keeps the data set.
        Click_Node(q_of_Pos);
        Click_Line(0);
        EXPECT_FALSE(form->Selected_IEC_DA);
        Click_Node(events);
        Click_Line(0);
        EXPECT_TRUE(form->Selected_IEC_DS);
        // With no line selected (a refill after an add) a tree click picks nothing.
        answers->MessageAnswers = {mrNo};
        Add_Device(scl);
        Click_Node(q_of_Pos);
        EXPECT_FALSE(form->Selected_IEC_DA);
    });
}

// ---- Catalogue ---------------------------------------------------------------------------------------

TEST_F(IEC61850ClientEditor, AddCopiesTheFileIntoTheCatalogueAndAsksBeforeOverwriting)
{
    const QString copy = project.path() + "/ICD_Catalog/ied1.icd";
    Show([&] {
        Add_Device(scl);
        EXPECT_EQ(testsupport::readBytes(copy), testsupport::readBytes(scl));
        EXPECT_EQ(Lines(), QStringList({"IED1"}));
        EXPECT_TRUE(answers->Messages.empty());
        EXPECT_EQ(answers->FileDialogs.at(0).Filter, QString::fromLatin1(Icd_Filter));

        // The catalogue copy differs now: No keeps it, and it is read again.
        testsupport::writeBytes(copy, testsupport::readBytes(scl).replace("IED1", "IEDX"));
        answers->MessageAnswers = {mrNo, mrCancel, mrYes};
        Add_Device(scl);
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_EQ(answers->Messages[0].Text,
                  "File already exists in catalog directory. Do you want to overwrite file?");
        EXPECT_EQ(answers->Messages[0].Type, mtConfirmation);
        EXPECT_EQ(answers->Messages[0].Buttons, mbYesNoCancel);
        EXPECT_EQ(Lines(), QStringList({"IED1", "IEDX"}));
        Add_Device(scl); // Cancel
        EXPECT_EQ(Lines(), QStringList({"IED1", "IEDX"}));
        Add_Device(scl); // Yes
        EXPECT_EQ(Lines(), QStringList({"IED1", "IEDX", "IED1"}));
        EXPECT_EQ(testsupport::readBytes(copy), testsupport::readBytes(scl));

        // The catalogue's own copy chosen again and overwritten: still whole.
        answers->MessageAnswers = {mrYes};
        Add_Device(copy);
        EXPECT_EQ(testsupport::readBytes(copy), testsupport::readBytes(scl));
        EXPECT_EQ(Lines().size(), 4);
        EXPECT_EQ(form->LB_IEC_Devices->ItemIndex(), -1);
    });
}

TEST_F(IEC61850ClientEditor, AFileThatCannotBeCopiedOrReadAddsNothing)
{
    const QString bad = project.path() + "/source/bad.icd";
    testsupport::writeBytes(bad, testsupport::readBytes(testsupport::fixture("scl/ied1_truncated.icd")));
    Show([&] {
        Add_Device(bad);
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_TRUE(answers->Messages[0].Text.contains("bad.icd")) << answers->Messages[0].Text.toStdString();
        EXPECT_TRUE(answers->Messages[0].Text.contains("line")) << answers->Messages[0].Text.toStdString();
        EXPECT_TRUE(Lines().isEmpty());
        EXPECT_TRUE(FileExists(project.path() + "/ICD_Catalog/bad.icd")); // the copy stays

        answers->Messages.clear();
        Add_Device(project.path() + "/source/none.icd");
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("none.icd"));
        EXPECT_TRUE(Lines().isEmpty());
        EXPECT_FALSE(FileExists(project.path() + "/ICD_Catalog/none.icd"));
    });
}

TEST_F(IEC61850ClientEditor, RemovingADeviceRenumbersBothTablesAndKeepsUsedDevices)
{
    Show([&] {
        answers->MessageAnswers = {mrNo, mrNo};
        for (int i = 0; i < 3; ++i)
            Add_Device(scl);
        Click_Line(2);
        Add_Var(q_of_Pos);
        Add_Var(events);
        EXPECT_EQ(form->ACG_DA->Cells(Col_Index, 1), "2");
        EXPECT_EQ(form->ACG_DataSet->Cells(DS_Index, 1), "2");
        answers->Messages.clear();

        Click_Line(1);
        Click(form->Btn_Remove_IEC_Device);
        EXPECT_EQ(Lines().size(), 2);
        EXPECT_EQ(form->ACG_DA->Cells(Col_Index, 1), "1");
        EXPECT_EQ(form->ACG_DataSet->Cells(DS_Index, 1), "1");
        // The removed device was the shown one: the tree is empty.
        EXPECT_EQ(form->TV_IEC_Device->Items->Count(), 0);
        EXPECT_EQ(form->Tree_Device_Index, -1);
        Click_Line(1);
        Add_Var(q_of_Pos);
        EXPECT_EQ(form->ACG_DA->Cells(Col_Index, 2), "1");

        // Used by a variables row, or only by a data-set row: kept, without a message.
        Click_Line(1);
        Click(form->Btn_Remove_IEC_Device);
        EXPECT_EQ(Lines().size(), 2);
        form->ACG_DA->SetCells(Col_Index, 1, "0");
        form->ACG_DA->SetCells(Col_Index, 2, "0");
        Click_Line(1);
        Click(form->Btn_Remove_IEC_Device);
        EXPECT_EQ(Lines().size(), 2);
        EXPECT_TRUE(answers->Messages.empty());

        // Removing the shown device empties the tree and the selections.
        form->ACG_DataSet->SetCells(DS_Index, 1, "0");
        Click_Line(1);
        Click_Node(events);
        Click(form->Btn_Remove_IEC_Device);
        EXPECT_EQ(Lines().size(), 1);
        EXPECT_EQ(form->TV_IEC_Device->Items->Count(), 0);
        EXPECT_FALSE(form->Selected_IEC_DS);
    });
}

// ---- Variables ---------------------------------------------------------------------------------------

TEST_F(IEC61850ClientEditor, AddVarFillsARowWithTheByteSizesOfItsType)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Add_Var(q_of_Pos);
        EXPECT_EQ(Row_Texts(form->ACG_DA, 1),
                  QStringList({"0", "Quality", "ST", "IED1LD0/Q0XCBR1.Pos.q", "0", "4", "", "", "N", "N", "N",
                               "", "", "", "", "", "", ""}));
        EXPECT_EQ(form->ACG_DA->Cells(0, 1), "1");
        Add_Var({"LD0", "LLN0", "NamPlt", "vendor"});
        EXPECT_EQ(form->ACG_DA->RowCount(), 3);
        EXPECT_EQ(form->ACG_DA->Cells(0, 2), "2");
        struct TCase {
            int Row;
            bool Read_Only;
        };
        for (const TCase& c : {TCase{1, true}, TCase{2, false}})
            for (int col : {Col_StartByte, Col_NumByte}) {
                EXPECT_EQ(form->ACG_DA->GetCellProperties(col, c.Row)->ReadOnly(), c.Read_Only)
                    << c.Row << " " << col;
            }
        // Typed into as the user does: the byte cells of a string take what is typed.
        Type_Cell(form->ACG_DA, Col_StartByte, 2, "7");
        EXPECT_EQ(form->ACG_DA->Cells(Col_StartByte, 2), "7");
        Type_Cell(form->ACG_DA, Col_StartByte, 1, "9");
        EXPECT_EQ(form->ACG_DA->Cells(Col_StartByte, 1), "0");

        // Remove Var of row 1: the string row moves up and its cells become editable.
        form->ACG_DA->FocusCell(2, 1);
        Click(form->Btn_RemoveVar);
        EXPECT_EQ(form->ACG_DA->RowCount(), 2);
        EXPECT_EQ(form->ACG_DA->Cells(Col_bType, 1), "VisString255");
        EXPECT_FALSE(form->ACG_DA->GetCellProperties(Col_StartByte, 1)->ReadOnly());
        // The only row is emptied, not removed.
        Click(form->Btn_RemoveVar);
        EXPECT_EQ(form->ACG_DA->RowCount(), 2);
        EXPECT_EQ(Row_Texts(form->ACG_DA, 1), QStringList(18, QString()));
        EXPECT_TRUE(answers->Messages.empty());
    });
}

TEST_F(IEC61850ClientEditor, AddVarTakesTheIndexOfTheDeviceTheTreeShows)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Click_Node(q_of_Pos);
        // The list refilled by another add: no line selected, the tree still shows device 0.
        answers->MessageAnswers = {mrNo};
        Add_Device(scl);
        ASSERT_EQ(form->LB_IEC_Devices->ItemIndex(), -1);
        Click(form->Btn_AddVar);
        EXPECT_EQ(form->ACG_DA->Cells(Col_Index, 1), "0");
    });
}

TEST_F(IEC61850ClientEditor, EnterMovesToTheNextCellOfTheGridItWasPressedIn)
{
    Opt_Jump_Field_Tables = true;
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Add_Var(q_of_Pos);
        Add_Var(events);
        form->PC_DA_DataSet->SetActivePage(form->TS_DA);
        formtest::Pump();
        Click_Cell(form->ACG_DA, Col_Port, 1);
        QTest::keyClick(form->ACG_DA->Widget(), Qt::Key_Return);
        EXPECT_EQ(form->ACG_DA->Col(), Col_OnChange);
        form->PC_DA_DataSet->SetActivePage(form->TS_DataSet);
        formtest::Pump();
        Click_Cell(form->ACG_DataSet, DS_Mnemonic, 1);
        QTest::keyClick(form->ACG_DataSet->Widget(), Qt::Key_Return);
        EXPECT_EQ(form->ACG_DataSet->Col(), 1);
        EXPECT_EQ(form->ACG_DA->Col(), Col_OnChange);
    });
}

TEST_F(IEC61850ClientEditor, TheCheckReportsTheFirstFaultOfAVariablesRow)
{
    struct TCase {
        QStringList Leaf;
        int Col;
        QString Text;
        QString Message; // empty: passes
    };
    const QStringList vendor = {"LD0", "LLN0", "NamPlt", "vendor"};
    const QStringList owner = {"LD0", "LLN0", "NamPlt", "ownerId"};
    const TCase cases[] = {
        {vendor, Col_NumByte, "55", ""},
        {vendor, Col_NumByte, "56", "Error row 1!! Start Byte plus Num Byte must be minor of 255"},
        {vendor, Col_NumByte, "", "Error row 1!! Num Byte must be between 1 and 255"},
        {owner, Col_StartByte, "0", ""},
        {owner, Col_StartByte, "1", "Error row 1!! Start Byte plus Num Byte must be minor of 64"},
        {q_of_Pos, Col_IPAddress, "192.168.1",
         "Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {q_of_Pos, Col_Port, "x", "Error row 1!! Port must be between 0 and 65535"},
        {q_of_Pos, Col_Time, "", ""}, // On Timer not ticked
        {q_of_Pos, Col_OnTimer, "Y", "Error row 1!! Time must be between 1 and 100000000 ms"},
        {q_of_Pos, Col_Position, "1399", ""},
        {q_of_Pos, Col_Position, "1400", "Error row 1!! Position must be between 0 and 1399"},
        {q_of_Pos, Col_MoltFact, " none ", ""},
        {q_of_Pos, Col_MoltFact, "1,5", ""},
        {q_of_Pos, Col_MoltFact, "1.5", ""},
        {q_of_Pos, Col_MoltFact, "x", "Error row 1!! Mult. Factor must be a valid Float"},
        {q_of_Pos, Col_bType, "", ""}, // not checked, but saved
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE((c.Leaf.last() + " col " + QString::number(c.Col) + " " + c.Text).toStdString());
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            Add_Device(scl);
            Click_Line(0);
            Add_Valid_Var(c.Leaf);
            form->ACG_DA->SetCells(Col_StartByte, 1, c.Leaf == vendor ? "200" : "0");
            form->ACG_DA->SetCells(Col_NumByte, 1, c.Leaf == vendor ? "55" : "64");
            form->ACG_DA->SetCells(c.Col, 1, c.Text);
            Click(form->Btn_OK);
        });
        if (c.Message.isEmpty()) {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
            EXPECT_EQ(Xml_Tree(File_IEC_61850_Client).at(4).startsWith("    DA_Item Index=\"0\""), true);
        } else {
            EXPECT_EQ(result, mrCancel);
            ASSERT_EQ(answers->Messages.size(), 1u);
            EXPECT_EQ(answers->Messages[0].Text, c.Message);
            EXPECT_EQ(answers->Messages[0].Type, mtError);
        }
        DeleteFile(File_IEC_61850_Client);
        DeleteFile(project.path() + "/ICD_Catalog/ied1.icd");
    }
}

// ---- Data sets ---------------------------------------------------------------------------------------

TEST_F(IEC61850ClientEditor, DataSetMembersKeepTheirSettingsThroughTheFile)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Add_Var(events);
        EXPECT_EQ(form->PC_DA_DataSet->ActivePage(), form->TS_DataSet);
        EXPECT_EQ(Row_Texts(form->ACG_DataSet, 1),
                  QStringList({"0", "IED1LD0/LLN0.Events", "gcb2", "Y", "", "", "", ""}));
        Click_Cell(form->ACG_DataSet, 2, 1);
        ASSERT_EQ(form->ACG_DS_Vars->RowCount(), 4);
        EXPECT_EQ(Row_Texts(form->ACG_DS_Vars, 3),
                  QStringList({"FLOAT32", "IED1LD1/MMXU1.TotW.mag.f", "", "", "", "", ""}));
        Type_Cell(form->ACG_DS_Vars, M_Position, 2, "12");
        Type_Cell(form->ACG_DS_Vars, M_Mnemonic, 3, "power");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(
        Xml_Tree(File_IEC_61850_Client).mid(4).join("\n").toStdString(),
        QStringList({"  List_DataSet_Selected",
                     "    DataSet_Item Index=\"0\" Reference=\"IED1LD0/LLN0.Events\" GooseName=\"gcb2\" "
                     "EnGoose=\"Y\" IPAddress=\"\" Port=\"\" Time=\"\" Mnemonic=\"\"",
                     "      DataSet_List_DAs",
                     "        DataSet_DA_Item bType=\"Dbpos\" Reference=\"IED1LD0/Q0XCBR1.Pos.stVal\" "
                     "Position=\"\" StartBit=\"\" Convertion=\"\" MoltFact=\"\" Mnemonic=\"\"",
                     "        DataSet_DA_Item bType=\"Quality\" Reference=\"IED1LD0/Q0XCBR1.Pos.q\" "
                     "Position=\"12\" StartBit=\"\" Convertion=\"\" MoltFact=\"\" Mnemonic=\"\"",
                     "        DataSet_DA_Item bType=\"FLOAT32\" Reference=\"IED1LD1/MMXU1.TotW.mag.f\" "
                     "Position=\"\" StartBit=\"\" Convertion=\"\" MoltFact=\"\" Mnemonic=\"power\""})
            .join("\n")
            .toStdString());
    Show([&] {
        EXPECT_EQ(Lines(), QStringList({"IED1"}));
        form->PC_DA_DataSet->SetActivePage(form->TS_DataSet);
        formtest::Pump();
        Click_Cell(form->ACG_DataSet, 3, 1);
        EXPECT_EQ(form->ACG_DS_Vars->Cells(M_Position, 2), "12");
        // Remove Var on the only data-set row empties the member table too.
        Click(form->Btn_RemoveVar);
        EXPECT_EQ(Row_Texts(form->ACG_DataSet, 1), QStringList(8, QString()));
        EXPECT_EQ(form->ACG_DS_Vars->RowCount(), 2);
        EXPECT_EQ(Row_Texts(form->ACG_DS_Vars, 1), QStringList(7, QString()));
        EXPECT_TRUE(form->List_DataSet.empty());
    });
}

TEST_F(IEC61850ClientEditor, AColumnZeroClickSelectsTheClickedTablesOwnRow)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Add_Var(q_of_Pos);
        Add_Var(q_of_Pos);
        Add_Var(events);
        Add_Var(events);
        Click_Cell(form->ACG_DataSet, 0, 2);
        EXPECT_EQ(form->ACG_DataSet->Row(), 2);
        EXPECT_EQ(form->ACG_DA->Row(), 1);
        EXPECT_EQ(form->ACG_DS_Vars->RowCount(), 4);
        EXPECT_FALSE(bool(form->ACG_DataSet->OnGridHint));
        EXPECT_FALSE(bool(form->ACG_DS_Vars->OnGridHint));
        QString hint;
        form->ACG_DA->OnGridHint(form->ACG_DA, 0, Col_Reference, hint);
        EXPECT_EQ(hint, "Reference of DA");
    });
}

// ---- Project file ------------------------------------------------------------------------------------

TEST_F(IEC61850ClientEditor, TheFileHoldsTheCatalogueAndEveryRowInItsOrder)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Add_Valid_Var(q_of_Pos);
        Click(form->Btn_OK);
    });
    TXmlNodeDocument nodes;
    ASSERT_TRUE(nodes.LoadFromFile(File_IEC_61850_Client));
    const QString text = QString::fromUtf8(testsupport::readBytes(File_IEC_61850_Client));
    // The version comment follows the root at document level.
    EXPECT_TRUE(text.trimmed().endsWith("<!--SW_VERSION = 1.000-->")) << text.toStdString();
    EXPECT_GT(text.indexOf("<!--SW_VERSION"), text.indexOf("</IEC_68850_Client>"));
    EXPECT_EQ(Xml_Tree(File_IEC_61850_Client),
              QStringList(
                  {"IEC_68850_Client", "  List_ICD_Files", "    ICD_File Name=\"IED1\" FileName=\"ied1.icd\"",
                   "  List_DA_Selected",
                   "    DA_Item Index=\"0\" bType=\"Quality\" fc=\"ST\" Reference=\"IED1LD0/Q0XCBR1.Pos.q\" "
                   "StartByte=\"0\" NumByte=\"4\" IPAddress=\"192.168.1.10\" Port=\"102\" OnChange=\"N\" "
                   "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Position=\"0\" StartBit=\"\" ReadWrite=\"\" "
                   "Convertion=\"\" MoltFact=\"None\" Mnemonic=\"\"",
                   "  List_DataSet_Selected"}));
    // Emptied again: empty sections, and one empty row when read back.
    Show([&] {
        EXPECT_EQ(form->ACG_DA->Cells(Col_Reference, 1), "IED1LD0/Q0XCBR1.Pos.q");
        Click(form->Btn_RemoveVar);
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Xml_Tree(File_IEC_61850_Client).mid(3),
              QStringList({"  List_DA_Selected", "  List_DataSet_Selected"}));
    Show([&] {
        EXPECT_EQ(form->ACG_DA->RowCount(), 2);
        EXPECT_EQ(Row_Texts(form->ACG_DA, 1), QStringList(18, QString()));
    });
}

TEST_F(IEC61850ClientEditor, AShowWithoutAFileStartsEveryTableEmpty)
{
    Show([&] {
        Add_Device(scl);
        Click_Line(0);
        Add_Var(events);
        Add_Var(q_of_Pos);
    });
    Show([&] {
        for (TExtColumnGrid* g : {form->ACG_DA, form->ACG_DataSet, form->ACG_DS_Vars}) {
            EXPECT_EQ(g->RowCount(), 2) << g->Name().toStdString();
            EXPECT_TRUE(g->Cells(1, 1).isEmpty()) << g->Name().toStdString();
        }
        EXPECT_TRUE(Lines().isEmpty());
        EXPECT_EQ(form->DataSet_Row_Select, 0);
        EXPECT_EQ(form->PC_DA_DataSet->ActivePage(), form->TS_DA);
    });
}

// A catalogue copy gone, or with its members reordered, changes no row.
TEST_F(IEC61850ClientEditor, RowsKeepTheirDeviceAndMemberSettingsWhenTheCatalogueChanges)
{
    const QString second = project.path() + "/source/ied2.icd";
    testsupport::writeBytes(second, testsupport::readBytes(scl));
    Show([&] {
        Add_Device(scl);
        Add_Device(second);
        Click_Line(1);
        Add_Valid_Var(q_of_Pos);
        Add_Var(events);
        Click_Cell(form->ACG_DataSet, 2, 1);
        for (int r = 1; r <= 3; ++r)
            Type_Cell(form->ACG_DS_Vars, M_Position, r, QString::number(10 * r));
        Click(form->Btn_OK);
    });
    // The first copy deleted, the members of the second swapped.
    ASSERT_TRUE(DeleteFile(project.path() + "/ICD_Catalog/ied1.icd"));
    QByteArray bytes = testsupport::readBytes(scl);
    const QByteArray first =
        R"(<FCDA ldInst="LD0" prefix="Q0" lnClass="XCBR" lnInst="1" doName="Pos" daName="stVal" fc="ST"/>)";
    const QByteArray other =
        R"(<FCDA ldInst="LD0" prefix="Q0" lnClass="XCBR" lnInst="1" doName="Pos" daName="q" fc="ST"/>)";
    bytes.replace(first, "@").replace(other, first).replace("@", other);
    testsupport::writeBytes(project.path() + "/ICD_Catalog/ied2.icd", bytes);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        Show([&] {
            EXPECT_TRUE(answers->Messages.empty());
            EXPECT_EQ(Lines(), QStringList({"IED1", "IED1"}));
            EXPECT_EQ(form->ACG_DA->Cells(Col_Index, 1), "1");
            form->PC_DA_DataSet->SetActivePage(form->TS_DataSet);
            Click_Cell(form->ACG_DataSet, 2, 1);
            ASSERT_EQ(form->ACG_DS_Vars->RowCount(), 4);
            EXPECT_EQ(form->ACG_DS_Vars->Cells(M_Reference, 1), "IED1LD0/Q0XCBR1.Pos.q");
            EXPECT_EQ(form->ACG_DS_Vars->Cells(M_Position, 1), "");
            EXPECT_EQ(form->ACG_DS_Vars->Cells(M_Position, 2), "");
            EXPECT_EQ(form->ACG_DS_Vars->Cells(M_Position, 3), "30");
            Click(form->Btn_OK);
        });
        EXPECT_EQ(Xml_Tree(File_IEC_61850_Client).at(2), "    ICD_File Name=\"IED1\" FileName=\"ied1.icd\"");
    }
    // A data set not found again keeps its saved members as they were.
    ASSERT_TRUE(DeleteFile(project.path() + "/ICD_Catalog/ied2.icd"));
    Show([&] { Click(form->Btn_OK); });
    const QStringList tree = Xml_Tree(File_IEC_61850_Client);
    EXPECT_EQ(tree.filter("DataSet_DA_Item").size(), 3);
    EXPECT_TRUE(tree.last().contains("Position=\"30\"")) << tree.last().toStdString();
}

TEST_F(IEC61850ClientEditor, ACatalogueFileNoLongerWellFormedKeepsItsPlaceWithOneMessage)
{
    const QString second = project.path() + "/source/ied2.icd";
    testsupport::writeBytes(second, testsupport::readBytes(scl));
    Show([&] {
        Add_Device(scl);
        Add_Device(second);
        Click(form->Btn_OK);
    });
    // The first entry names a spoiled copy; the one after it still loads.
    QByteArray xml = testsupport::readBytes(File_IEC_61850_Client);
    xml.replace("FileName=\"ied1.icd\"", "FileName=\"bad.icd\"");
    testsupport::writeBytes(File_IEC_61850_Client, xml);
    testsupport::writeBytes(project.path() + "/ICD_Catalog/bad.icd",
                            testsupport::readBytes(testsupport::fixture("scl/ied1_truncated.icd")));
    answers->Messages.clear();
    Show([&] {
        EXPECT_EQ(Lines(), QStringList({"IED1", "IED1"}));
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("bad.icd"));
        EXPECT_TRUE(answers->Messages[0].Text.contains("line"));
        EXPECT_EQ(form->List_IEC_Dev[0]->FileName(), "bad.icd");
        EXPECT_TRUE(form->List_IEC_Dev[0]->List_LDevice.empty());
        EXPECT_EQ(form->List_IEC_Dev[1]->List_LDevice.size(), 2u);
    });
}

TEST_F(IEC61850ClientEditor, AFaultyProjectFileKeepsTheEditorClosedAndTheFileWhole)
{
    const char* const cases[] = {
        "<IEC_68850_Client><List_ICD_Files/>",
        "<Other><List_ICD_Files/><List_DA_Selected/></Other>",
        "<IEC_68850_Client><List_DA_Selected/></IEC_68850_Client>",
        "<IEC_68850_Client><List_ICD_Files/></IEC_68850_Client>",
        "<IEC_68850_Client><List_ICD_Files/><List_DA_Selected><DA_Item Index=\"0\"/></List_DA_Selected>"
        "</IEC_68850_Client>",
    };
    for (const char* xml : cases) {
        SCOPED_TRACE(xml);
        Write_File(File_IEC_61850_Client, xml);
        answers->Messages.clear();
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("IEC_61850_Client.xml"))
            << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(File_IEC_61850_Client), QByteArray(xml));
    }
    // Without the data-set section: empty data-set tables.
    Write_File(File_IEC_61850_Client,
               "<IEC_68850_Client><List_ICD_Files/><List_DA_Selected/></IEC_68850_Client>");
    answers->Messages.clear();
    Show([&] { EXPECT_EQ(form->ACG_DataSet->RowCount(), 2); });
    EXPECT_TRUE(answers->Messages.empty());
}

// ---- Texts -------------------------------------------------------------------------------------------

TEST_F(IEC61850ClientEditor, LayoutAndTextsOfAMarkerLanguage)
{
    EXPECT_EQ(form->ClientWidth(), 1200);
    EXPECT_EQ(form->ClientHeight(), 550);
    EXPECT_EQ(form->PDevIEC->Width(), 465);
    EXPECT_EQ(form->PDevIECList->Width(), 161);
    EXPECT_FALSE(form->Btn_MoveUp->Visible());
    EXPECT_FALSE(form->Btn_ModeDown->Visible());
    EXPECT_EQ(form->ACG_DA->ColCount(), 19);
    EXPECT_EQ(form->ACG_DataSet->Cells(3, 0), "Goose Name");
    EXPECT_EQ(form->ACG_DS_Vars->Cells(6, 0), "Mult Fact");
    Set_Marker_Texts();
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), Marker(3200));
    EXPECT_EQ(form->L_SW_Desc->Caption(), Marker(3201));
    TFadeButton* buttons[] = {form->Btn_OK,        form->Btn_Cancel, form->Btn_AddVar,
                              form->Btn_RemoveVar, form->Btn_MoveUp, form->Btn_ModeDown};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->Caption(), Marker(3202 + i));
        EXPECT_EQ(buttons[i]->Hint(), Marker(3210 + i));
    }
    EXPECT_EQ(form->ACG_DA->Cells(Col_Index, 0), Marker(3219));
    EXPECT_EQ(form->ACG_DA->Cells(Col_Mnemonic, 0), Marker(3234));
    EXPECT_EQ(form->Btn_Add_IEC_Device->Caption(), Marker(3208));
    EXPECT_EQ(form->Btn_Remove_IEC_Device->Hint(), Marker(3217));
    EXPECT_EQ(form->ACG_DA->Cells(Col_StartByte, 0), Marker(3258));
    ASSERT_EQ(form->Hint.size(), 19);
    EXPECT_EQ(form->Hint[0], Marker(3235));
    EXPECT_EQ(form->Hint[Col_StartByte], Marker(3260));
    EXPECT_EQ(form->Hint[Col_IPAddress], Marker(3240));
    EXPECT_EQ(form->TS_DA->Caption(), "Variables");
    EXPECT_EQ(form->TS_DataSet->Caption(), "DataSet");
    EXPECT_EQ(form->ACG_DataSet->Cells(3, 0), "Goose Name");
}

} // namespace
