// The table-editor frame ending an open cell edit before a command runs (End_Cell_Edit): the text
// typed in the default editor or picked in a combo cell is stored and validated once, while the
// editor still has the focus, so the command works on what the user sees.
#include "TableEditorFixture.h"

#include "grid/edit/GridCombo.h"

#include <QApplication>

namespace
{

using namespace tableeditortest;

const char* const kKinds[] = {"A", "B", "C"};

const TEditorColumn kColumns[] = {
    {.Width = 40},
    {.Width = 120, .Attribute = "Name"},
    {.Editor = edComboList, .Items = kKinds, .Width = 80, .Attribute = "Kind", .New_Text = "A"},
};

const TEditorTable kTable[] = {
    {"ACG_Test", nullptr, -1, nullptr, 4, 1, false, -1, -1, TDeleteQuestion::Append_Number, kColumns},
};

// Texts of a block the built-in table leaves empty.
constexpr int kText = 5340;

const TEditorSpec kSpec = {
    "FEnd_Edit_Editor",
    500,
    300,
    kText,
    kText,
    {{-1, kText, false, "OK"},
     {-1, kText, false, "Cancel"},
     {-1, kText, false, "Delete"},
     {-1, kText, false, "Insert"},
     {-1, kText, false, "Copy"},
     {-1, kText, false, "Paste"}},
    {&File_CAN_Rec_Frames, "Test_Root", nullptr},
    kTable,
};

class TEndEditEditor : public TTableEditor
{
  public:
    explicit TEndEditEditor(TComponent* AOwner) : TTableEditor(AOwner, kSpec) { FormCreate(); }
};

class TableEditorEndEdit : public TableEditorFixture<TEndEditEditor>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        grid = form->Table(0).Grid;
        grid->OnCellValidate = [this](TObject*, int c, int r, QString& v, bool&) {
            validated << QString("%1,%2:%3").arg(c).arg(r).arg(v);
        };
    }
    void Focus_Cell(int c, int r)
    {
        QApplication::setActiveWindow(form->Widget());
        grid->SetFocus();
        grid->FocusCell(c, r);
        formtest::Pump();
    }
    TExtColumnGrid* grid = nullptr;
    QStringList validated;
};

TEST_F(TableEditorEndEdit, ACommandStoresAndValidatesTheTypedText)
{
    Show([&] {
        Focus_Cell(1, 2);
        QTest::keyClick(grid->Widget(), Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "typed");
        ASSERT_TRUE(grid->EditorMode());
        ASSERT_TRUE(validated.isEmpty());
        // Run while the editor has the focus: nothing else ends the edit first.
        form->Btn_CopyRowClick(form->Btn_CopyRow);
        EXPECT_FALSE(grid->EditorMode());
        EXPECT_EQ(grid->Cells(1, 2), "typed");
        EXPECT_EQ(validated, QStringList{"1,2:typed"});
        EXPECT_EQ(Row_Clipboard.value(0), "typed") << "the copy holds what was typed";
    });
}

TEST_F(TableEditorEndEdit, OKStoresAndValidatesTheComboPickBeforeSaving)
{
    Show([&] {
        Focus_Cell(2, 1);
        QTest::keyClick(grid->Widget(), Qt::Key_F2);
        TGridCombo* combo = grid->Combobox();
        ASSERT_TRUE(combo->Visible() && combo->Focused());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        ASSERT_EQ(combo->Text(), "B");
        ASSERT_EQ(grid->Cells(2, 1), "A") << "picking writes nothing yet";
        grid->SetCells(1, 1, "row");
        form->Btn_OKClick(form->Btn_OK);
        EXPECT_FALSE(combo->Visible());
        EXPECT_EQ(grid->Cells(2, 1), "B");
        EXPECT_EQ(validated, QStringList{"2,1:B"});
    });
    ASSERT_EQ(Xml_Tree(File_CAN_Rec_Frames).size(), 2);
    EXPECT_EQ(Xml_Tree(File_CAN_Rec_Frames)[1], "  row Name=\"row\" Kind=\"B\"");
}

} // namespace
