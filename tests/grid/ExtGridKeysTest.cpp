// Keys of the string grid on a shown form: real key presses through the grid's widget.
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/grid/InplaceEdit.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class ExtGridKeys : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(600, 500);
        QApplication::setActiveWindow(form->Widget());
        grid->SetBounds(10, 10, 560, 300);
        grid->SetFocus();
        QApplication::processEvents();
        grid->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
    }
    void TearDown() override { form.reset(); }
    void Press(Qt::Key Key, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QTest::keyClick(grid->Widget(), Key, Mods);
        QApplication::processEvents();
    }
    static TGridRect Rect(int L, int T, int R, int B) { return TGridRect{L, T, R, B}; }

    std::vector<WORD> keys; // OnKeyDown of the grid, in order
};

TEST_F(ExtGridKeys, EnterOnReadOnlyCellFiresOnlyOnKeyDownUnlessTheFormPreviews)
{
    grid->SetCol(2);
    grid->SetRow(2);
    Press(Qt::Key_Return);
    EXPECT_EQ(keys, std::vector<WORD>{VK_RETURN});
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(!grid->InplaceEditor() || !grid->InplaceEditor()->Visible());

    std::vector<WORD> formKeys;
    form->KeyPreview = true;
    form->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { formKeys.push_back(Key); };
    keys.clear();
    Press(Qt::Key_Return);
    EXPECT_EQ(formKeys, std::vector<WORD>{VK_RETURN});
}

TEST_F(ExtGridKeys, CtrlASelectsEveryNormalCellOnlyWithRangeOrRowSelect)
{
    grid->SetColCount(5);
    grid->SetRowCount(10);
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), Rect(1, 1, 4, 9));
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 9);

    grid->SetOptions(grid->Options() - goRangeSelect);
    grid->SetCol(2);
    grid->SetRow(3);
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), Rect(2, 3, 2, 3));
}

TEST_F(ExtGridKeys, ShiftHomeSelectsToTheFirstColumnOfTheRow)
{
    grid->SetCol(3);
    grid->SetRow(2);
    Press(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), Rect(1, 2, 3, 2));
    EXPECT_EQ(grid->Col(), 1);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.back(), VK_HOME);

    Press(Qt::Key_End);
    EXPECT_EQ(grid->Col(), grid->ColCount() - 1);
    EXPECT_EQ(grid->Selection(), Rect(4, 2, 4, 2));
}

TEST_F(ExtGridKeys, InsertAfterTheLastRowAppendsAndMovesOntoIt)
{
    grid->Navigation()->AllowInsertRow = true;
    grid->Navigation()->InsertPosition = pInsertAfter;
    std::vector<int> inserted;
    grid->OnAutoInsertRow = [&](TObject*, int ARow) { inserted.push_back(ARow); };
    grid->SetCells(1, 9, "last");
    grid->SetRow(9);
    Press(Qt::Key_Insert);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->Row(), 10);
    EXPECT_EQ(inserted, std::vector<int>{10});
    EXPECT_EQ(grid->Cells(1, 9), "last");
    EXPECT_EQ(grid->Cells(1, 10), "");
    EXPECT_TRUE(grid->GridModified());

    grid->OnCanInsertRow = [](TObject*, int, bool& CanInsert) { CanInsert = false; };
    Press(Qt::Key_Insert);
    EXPECT_EQ(grid->RowCount(), 11) << "a refused insertion leaves the grid";
}

TEST_F(ExtGridKeys, DeleteRemovesRowsButOnlyClearsTheLastNormalRow)
{
    grid->Navigation()->AllowDeleteRow = true;
    std::vector<int> deleted;
    grid->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted.push_back(ARow); };
    grid->SetRowCount(3);
    grid->SetCells(1, 1, "a");
    grid->SetCells(1, 2, "b");
    grid->SetRow(1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "b");

    Press(Qt::Key_Delete);
    EXPECT_EQ(grid->RowCount(), 2) << "the only normal row is emptied, not removed";
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(deleted, (std::vector<int>{1, 1}));

    grid->SetCells(1, 1, "kept");
    grid->OnCanDeleteRow = [](TObject*, int, bool& CanDelete) { CanDelete = false; };
    Press(Qt::Key_Delete);
    EXPECT_EQ(grid->Cells(1, 1), "kept");
}

TEST_F(ExtGridKeys, MoveScrollOnlyScrollsAPageWithoutMovingOrReporting)
{
    grid->SetRowCount(100);
    grid->Navigation()->MoveScrollOnly = true;
    const int page = grid->VisibleRowCount();
    ASSERT_GT(page, 1);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(grid->TopRow(), 1 + page);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(keys.empty());
}

TEST_F(ExtGridKeys, RightJumpsOverACellReportedFixed)
{
    grid->OnIsFixedCell = [](TObject*, int ARow, int ACol, bool& IsFixed) {
        IsFixed = IsFixed || (ACol == 3 && ARow >= 1);
    };
    grid->SetCol(2);
    grid->SetRow(1);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(keys, (std::vector<WORD>{VK_RIGHT, 0}));
}

TEST_F(ExtGridKeys, SnakeWrapsToTheNextRowAndStaysInTheLastRow)
{
    grid->Navigation()->CursorAdvance = caSnake;
    grid->SetCol(4);
    grid->SetRow(2);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 3);

    grid->SetRow(9);
    grid->SetCol(4);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 9);
}

TEST_F(ExtGridKeys, TabWalksThroughAdvanceOnTabAndReportsOnlyAChange)
{
    grid->SetOptions(grid->Options() | goTabs);
    std::vector<TGridRect> changes;
    grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) {
        changes.push_back(Rect(L, T, R, B));
    };
    grid->SetCol(1);
    grid->SetRow(1);
    Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(keys, std::vector<WORD>{VK_TAB}) << "the Tab walk's own OnKeyDown, not the toolkit's";
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], Rect(2, 1, 2, 1));

    // A handler that takes the key ends the step: nothing moves, nothing is reported.
    grid->OnKeyDown = [](TObject*, WORD& Key, TShiftState) { Key = 0; };
    Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(changes.size(), 1u) << "no change, no report";
}

TEST_F(ExtGridKeys, DownOnTheLastRowAppendsAnEmptyRow)
{
    grid->Navigation()->AppendOnArrowDown = true;
    grid->SetRowCount(4);
    // Texts of a row removed before stay stored beyond the count.
    grid->SetRowCount(5);
    grid->SetCells(2, 4, "stale");
    grid->HideColumn(2);
    grid->SetRowCount(4);
    std::vector<int> added;
    grid->OnAutoAddRow = [&](TObject*, int ARow) { added.push_back(ARow); };
    grid->SetRow(3);
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->AllCells(2, 4), "") << "hidden columns are cleared too";
    EXPECT_EQ(added, std::vector<int>{4});

    grid->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->RowCount(), 5);
}

TEST_F(ExtGridKeys, ClipboardKeysAskAndCallTheirSlots)
{
    struct Recording : TExtStringGrid {
        using TExtStringGrid::TExtStringGrid;
        std::vector<QString> calls;
        void CutSelectionToClipboard() override { calls.push_back("cut"); }
        void CopySelectionToClipboard() override { calls.push_back("copy"); }
        void PasteSelectionFromClipboard() override { calls.push_back("paste"); }
    };
    auto* g = new Recording(form.get());
    g->SetParent(form.get());
    g->SetBounds(10, 320, 300, 150);
    g->Navigation()->AllowClipboardShortCuts = true;
    g->SetFocus();
    QApplication::processEvents();
    bool allowPaste = false;
    g->OnClipboardPaste = [&](TObject*, bool& Allow) { Allow = allowPaste; };
    const std::pair<Qt::Key, Qt::KeyboardModifiers> presses[] = {
        {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ShiftModifier},   {Qt::Key_Delete, Qt::ShiftModifier}};
    for (auto [k, m] : presses)
        QTest::keyClick(g->Widget(), k, m);
    EXPECT_EQ(g->calls, (std::vector<QString>{"cut", "copy", "copy", "cut"})) << "refused pastes do nothing";
}

} // namespace
