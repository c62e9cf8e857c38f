// The row helpers on real grids: the column family on a column grid with a data check-box column
// and a hidden column, the check family on a string grid with check-box cells, the mixed case of a
// column-grid copy pasted into a check grid, and the two navigation helpers.
#include "app/UTableRows.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Interaction.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace
{

const QString Overwrite = "Row Already used. Do you want to overwrite the values?";
const QString Other_Width = "Error in the Copy values!!! Copy a valid row before Paste it";
const QString No_Copy = "Error!!! Copy a valid row before Paste it";

class TableRows : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        form->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        form.reset();
        Reset_Globals();
        Clear_Lang_Table();
    }

    template <class G> G* New(int Cols, int Rows, const std::function<void(G*)>& Setup = {})
    {
        form->BeginLoading();
        auto* g = new G(form.get());
        g->SetParent(form.get());
        g->SetColCount(Cols);
        g->SetRowCount(Rows);
        g->SetFixedRows(1);
        g->SetFixedCols(1);
        if (Setup)
            Setup(g);
        form->EndLoading();
        for (int r = 1; r < Rows; ++r)
            g->SetCells(0, r, QString::number(r));
        return g;
    }
    // Column grid: real columns 0..4, column 1 a data check-box column, column 3 hidden; 5 data rows
    // "Y"/"N", "a<r>", "h<r>", "b<r>".
    TExtColumnGrid* Column_Grid()
    {
        auto* g = New<TExtColumnGrid>(
            5, 6, [](TExtColumnGrid* g) { g->Columns()->Items(1)->SetEditor(edDataCheckBox); });
        g->HideColumn(3);
        for (int r = 1; r <= 5; ++r)
            Write(g, r,
                  {r % 2 ? "Y" : "N", "a" + QString::number(r), "h" + QString::number(r),
                   "b" + QString::number(r)});
        return g;
    }
    // String grid: columns 0..2, plain check boxes in column 1 (row r checked when r is odd), text
    // "t<r>" in column 2, column 2 of row r read-only when r is even.
    TExtStringGrid* Check_Grid()
    {
        auto* g = New<TExtStringGrid>(3, 6);
        g->AddCheckBoxColumn(1, false, false);
        for (int r = 1; r <= 5; ++r) {
            g->SetCheckBoxState(1, r, r % 2 == 1);
            g->SetCells(2, r, "t" + QString::number(r));
            g->SetReadOnly(2, r, r % 2 == 0);
        }
        return g;
    }

    static void Write(TExtStringGrid* g, int r, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            g->SetCells(i + 1, r, texts[i]);
    }
    static QStringList Row(TExtStringGrid* g, int r)
    {
        QStringList out;
        for (int c = 1; c < g->ColCount() + g->NumHiddenColumns(); ++c)
            out << g->Cells(c, r);
        return out;
    }
    static QStringList Column0(TExtStringGrid* g)
    {
        QStringList out;
        for (int r = 0; r < g->RowCount(); ++r)
            out << g->Cells(0, r);
        return out;
    }
    // Check state, text and read-only flags of a check-grid row, as "Y t1 -" / "N t2 RO".
    static QString Check_Row(TExtStringGrid* g, int r)
    {
        bool state = false;
        EXPECT_TRUE(g->GetCheckBoxState(1, r, state)) << "row " << r;
        return QString("%1 %2 %3%4")
            .arg(state ? "Y" : "N", g->Cells(2, r), g->ReadOnly(1, r) ? "RO" : "-",
                 g->ReadOnly(2, r) ? "RO" : "-");
    }
    QStringList Texts()
    {
        QStringList out;
        for (const TMessageRequest& m : answers->Messages)
            out << m.Text;
        return out;
    }

    std::unique_ptr<TForm> form;
    TScopedInteraction answers;
};

TEST_F(TableRows, ColumnGridCopyAndPasteCoverHiddenColumnsAndAskOnlyOverRowsInUse)
{
    TExtColumnGrid* g = Column_Grid();
    const QStringList column0 = Column0(g);
    Copy_Row(g, 1);
    EXPECT_EQ(Row_Clipboard, QStringList({"Y", "a1", "h1", "b1"}));

    // Only blanks and a check column's "N": not in use, pasted without a question.
    Write(g, 5, {"N", "  ", "", " "});
    Paste_Row(g, 5, true);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(Row(g, 5), QStringList({"Y", "a1", "h1", "b1"}));

    // A hidden cell alone makes the row in use; No leaves it, Yes writes.
    Write(g, 4, {"N", "", "hidden", ""});
    answers->MessageAnswers = {mrNo, mrYes};
    Paste_Row(g, 4, true);
    EXPECT_EQ(Row(g, 4), QStringList({"N", "", "hidden", ""}));
    Paste_Row(g, 4, true);
    EXPECT_EQ(Row(g, 4), QStringList({"Y", "a1", "h1", "b1"}));
    ASSERT_EQ(answers->Messages.size(), 2u);
    for (const TMessageRequest& m : answers->Messages) {
        EXPECT_EQ(m.Text, Overwrite);
        EXPECT_EQ(m.Type, mtConfirmation);
        EXPECT_EQ(m.Buttons, TMsgDlgButtons(mbYesNo));
    }

    // Refusals: no copy flag (1102) comes before the width test; another width gives 1101.
    answers->Messages.clear();
    auto* narrow = New<TExtColumnGrid>(4, 3);
    Paste_Row(g, 2, false);
    Paste_Row(narrow, 1, true);
    Paste_Row(narrow, 1, false);
    EXPECT_EQ(Texts(), QStringList({No_Copy, Other_Width, No_Copy}));
    for (const TMessageRequest& m : answers->Messages) {
        EXPECT_EQ(m.Type, mtError);
        EXPECT_EQ(m.Buttons, TMsgDlgButtons(mbOK));
    }
    EXPECT_EQ(Row(g, 2), QStringList({"N", "a2", "h2", "b2"}));
    EXPECT_EQ(Row(narrow, 1), QStringList({"", "", ""}));
    EXPECT_EQ(Column0(g), column0);
}

TEST_F(TableRows, BeforeTheFirstCopyAPasteIsRefused)
{
    TExtColumnGrid* g = Column_Grid();
    Paste_Row(g, 1, true);
    EXPECT_EQ(Texts(), QStringList({Other_Width}));
    EXPECT_EQ(Row(g, 1), QStringList({"Y", "a1", "h1", "b1"}));
}

TEST_F(TableRows, ColumnGridDeleteAndInsertMoveWholeRowsAndKeepTheCount)
{
    TExtColumnGrid* g = Column_Grid();
    const QStringList column0 = Column0(g);
    Del_Row(2, g);
    EXPECT_EQ(Row(g, 1), QStringList({"Y", "a1", "h1", "b1"}));
    EXPECT_EQ(Row(g, 2), QStringList({"Y", "a3", "h3", "b3"}));
    EXPECT_EQ(Row(g, 4), QStringList({"Y", "a5", "h5", "b5"}));
    EXPECT_EQ(Row(g, 5), QStringList({"", "", "", ""}));

    Ins_Row(1, g, true);
    EXPECT_EQ(Row(g, 1), QStringList({"Y", "", "", ""}));
    EXPECT_EQ(Row(g, 2), QStringList({"Y", "a1", "h1", "b1"}));
    EXPECT_EQ(Row(g, 5), QStringList({"Y", "a5", "h5", "b5"}));

    // At the last row: delete and insert only empty it.
    Del_Row(5, g);
    EXPECT_EQ(Row(g, 5), QStringList({"", "", "", ""}));
    Write(g, 5, {"N", "x", "y", "z"});
    Ins_Row(5, g, false);
    EXPECT_EQ(Row(g, 5), QStringList({"", "", "", ""}));
    EXPECT_EQ(Row(g, 4), QStringList({"N", "a4", "h4", "b4"}));

    // Rows outside 1 .. RowCount - 1 do nothing.
    const QStringList before = Row(g, 1);
    for (int r : {0, 6, -1}) {
        Del_Row(r, g);
        Ins_Row(r, g, true);
        Copy_Row(g, r);
    }
    EXPECT_EQ(Row(g, 1), before);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(Column0(g), column0);
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(TableRows, CheckGridCopyAndPasteGoByStateAndCountBlanksAsInUse)
{
    TExtStringGrid* g = Check_Grid();
    Copy_Row_Check(g, 1);
    EXPECT_EQ(Row_Clipboard, QStringList({"Y", "t1"}));
    EXPECT_EQ(Row_Clipboard_Check, QList<bool>({true, false}));

    // An unchecked box and an empty text: not in use.
    g->SetCells(2, 2, "");
    Paste_Row_Check(g, 2, true);
    EXPECT_TRUE(answers->Messages.empty());
    // Paste moves no read-only flag.
    EXPECT_EQ(Check_Row(g, 2), "Y t1 -RO");

    // A blank is text here: the row is in use.
    g->SetCells(2, 4, " ");
    answers->MessageAnswers = {mrNo};
    Paste_Row_Check(g, 4, true);
    EXPECT_EQ(Texts(), QStringList({Overwrite}));
    EXPECT_EQ(Check_Row(g, 4), "N   -RO");

    answers->Messages.clear();
    Paste_Row_Check(g, 4, false);
    EXPECT_EQ(Texts(), QStringList({No_Copy}));
}

TEST_F(TableRows, CheckGridDeleteAndInsertMoveStatesTextsAndReadOnlyFlags)
{
    TExtStringGrid* g = Check_Grid();
    Del_Row_Check(2, g, true);
    EXPECT_EQ(Check_Row(g, 1), "Y t1 --");
    EXPECT_EQ(Check_Row(g, 2), "Y t3 --");
    EXPECT_EQ(Check_Row(g, 3), "N t4 -RO");
    EXPECT_EQ(Check_Row(g, 4), "Y t5 --");
    // The emptied last row: column 1 checked, every cell read-only.
    EXPECT_EQ(Check_Row(g, 5), "Y  RORO");

    Ins_Row_Check(2, g, true);
    EXPECT_EQ(Check_Row(g, 2), "Y  --");
    EXPECT_EQ(Check_Row(g, 3), "Y t3 --");
    EXPECT_EQ(Check_Row(g, 4), "N t4 -RO");
    EXPECT_EQ(Check_Row(g, 5), "Y t5 --");

    Ins_Row_Check(5, g, false);
    EXPECT_EQ(Check_Row(g, 5), "N  --");
    EXPECT_EQ(g->Cells(0, 5), "5");
}

TEST_F(TableRows, AColumnGridRowPastedIntoACheckGridKeepsTextThatMeetsATextCell)
{
    // Flags of a check-grid copy, then a column-grid copy of the same width keeps them.
    TExtStringGrid* checks = Check_Grid();
    Copy_Row_Check(checks, 1);
    auto* columns = New<TExtColumnGrid>(3, 3);
    Write(columns, 1, {"abc", "def"});
    Copy_Row(columns, 1);
    EXPECT_EQ(Row_Clipboard_Check, QList<bool>({true, false}));

    // The target's column 1 is a text column: the stale flag must not drop "abc".
    auto* texts = New<TExtStringGrid>(3, 3);
    Paste_Row_Check(texts, 1, true);
    EXPECT_EQ(Row(texts, 1), QStringList({"abc", "def"}));
    // A check-box target still takes the entry by state: "abc" is not "Y".
    answers->MessageAnswers = {mrYes};
    Paste_Row_Check(checks, 1, true);
    EXPECT_EQ(checks->Cells(2, 1), "def");
    bool state = true;
    ASSERT_TRUE(checks->GetCheckBoxState(1, 1, state));
    EXPECT_FALSE(state);
}

TEST_F(TableRows, EnterMovesToTheNextCellOnlyWithTheOption)
{
    auto* g = New<TExtStringGrid>(4, 6);
    struct Case {
        int col, row, to_col, to_row;
    };
    const Case cases[] = {{3, 5, 1, 1}, {2, 3, 3, 3}, {3, 2, 1, 3}, {1, 1, 2, 1}};
    Opt_Jump_Field_Tables = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1,%2").arg(c.col).arg(c.row).toStdString());
        g->FocusCell(c.col, c.row);
        ASSERT_EQ(g->Col(), c.col);
        ASSERT_EQ(g->Row(), c.row);
        char16_t key = 13;
        Grid_Enter_Next_Cell(g, key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(g->Col(), c.to_col);
        EXPECT_EQ(g->Row(), c.to_row);
    }
    // Other keys pass untouched.
    char16_t a = 'a';
    Grid_Enter_Next_Cell(g, a);
    EXPECT_EQ(a, u'a');

    Opt_Jump_Field_Tables = false;
    g->FocusCell(2, 3);
    char16_t key = 13;
    Grid_Enter_Next_Cell(g, key);
    EXPECT_EQ(key, 13);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 3);
}

TEST_F(TableRows, EnterIsConsumedOnAFixedCurrentCellToo)
{
    auto* g = New<TExtStringGrid>(4, 6, [](TExtStringGrid* g) { g->SetFixedCols(0); });
    g->FocusCell(0, 2);
    ASSERT_EQ(g->Col(), 0);
    Opt_Jump_Field_Tables = true;
    char16_t key = 13;
    Grid_Enter_Next_Cell(g, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 2);
}

TEST_F(TableRows, AHeaderDoubleClickFitsTheColumnOnlyWithTheOption)
{
    auto* g = New<TExtStringGrid>(3, 4);
    g->SetCells(1, 2, "a text much wider than the column");
    const int narrow = g->ColWidths(1);

    Opt_Double_Click_Auto_Size = false;
    Grid_Dbl_Click_Auto_Size(g, 0, 1);
    EXPECT_EQ(g->ColWidths(1), narrow);
    Opt_Double_Click_Auto_Size = true;
    Grid_Dbl_Click_Auto_Size(g, 1, 1);
    Grid_Dbl_Click_Auto_Size(g, 2, 1);
    EXPECT_EQ(g->ColWidths(1), narrow);
    Grid_Dbl_Click_Auto_Size(g, 0, 1);
    EXPECT_GT(g->ColWidths(1), narrow);
}

} // namespace
