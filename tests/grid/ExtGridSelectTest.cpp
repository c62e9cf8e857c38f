// Selections of the string grid: rectangle, disjunct rows, columns and cells, modified and disabled
// rows, the cell checker without a checker, fills, numbering and the selection as text.
#include "grid/ExtGridShownFixture.h"
#include "platform/core/SysUtils.h"

namespace
{
using shownextgrid::ShownGrid;

class ExtGridSelect : public ShownGrid
{
};

TEST_F(ExtGridSelect, SelectRowsCutsTheCountAtTheLastRow)
{
    grid->SetRowCount(6);
    grid->SelectRows(5, 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{grid->FixedCols(), 5, grid->ColCount() - 1, 5}));
    EXPECT_EQ(grid->SelectedRowCount(), 1);
    EXPECT_EQ(grid->SelectedRow(0), 5);
    EXPECT_EQ(grid->SelectedRow(1), -1);
}

TEST_F(ExtGridSelect, DisjunctRowFlagsFireOnChangeOnly)
{
    grid->MouseActions()->SetDisjunctRowSelect(true);
    std::vector<std::pair<int, bool>> asked;
    std::vector<int> selected;
    grid->OnRowDisjunctSelect = [&](TObject*, int ARow, bool AState, bool&) {
        asked.emplace_back(ARow, AState);
    };
    grid->OnRowDisjunctSelected = [&](TObject*, int ARow) { selected.push_back(ARow); };
    grid->SetRowSelect(4, true);
    grid->SetRowSelect(4, true);
    EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{4, true}}));
    EXPECT_EQ(selected, (std::vector<int>{4, 4}));
    EXPECT_TRUE(grid->RowSelect(4));
    EXPECT_FALSE(grid->RowSelect(5));

    grid->SelectRows(2, 2);
    EXPECT_EQ(grid->SelectedRowCount(), 3);
    EXPECT_EQ(grid->SelectedRow(0), 4) << "in the order they were selected";
    EXPECT_EQ(grid->RowSelectCount(), 3);

    grid->OnRowDisjunctSelect = [](TObject*, int ARow, bool, bool& Allow) { Allow = ARow != 3; };
    grid->UnSelectRows(2, 3);
    EXPECT_TRUE(grid->RowSelect(3)) << "a refused change keeps the flag";
    EXPECT_FALSE(grid->RowSelect(4));
    EXPECT_EQ(grid->SelectedRowCount(), 1);
}

TEST_F(ExtGridSelect, BadRowAndColumnIndexes)
{
    auto message = [](auto f) {
        try {
            f();
        } catch (const EExtGridError& e) {
            return e.Message;
        }
        return QString("no error");
    };
    EXPECT_EQ(message([&] { grid->RowSelect(-1); }), "Invalid row -1 accessed");
    EXPECT_EQ(message([&] { grid->RowSelect(grid->RowCount()); }), "Invalid row 10 accessed");
    EXPECT_EQ(message([&] { grid->SetRowSelect(-1, true); }), "Invalid row accessed");
    EXPECT_EQ(message([&] { grid->SetRowSelect(grid->RowCount(), true); }), "Invalid row accessed");
    EXPECT_EQ(message([&] { grid->ColSelect(grid->ColCount()); }), "Invalid column accessed");
    EXPECT_EQ(message([&] { grid->SetColSelect(-1, true); }), "Invalid column accessed");
    EXPECT_THROW(grid->SelectedCell(0), EListError);
}

TEST_F(ExtGridSelect, NegativeRowsWithPersistentFlagsAreIgnored)
{
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->MouseActions()->RowSelectPersistent = true;
    EXPECT_FALSE(grid->RowSelect(-1));
    EXPECT_EQ(grid->RowSelectCount(), 0);
    grid->SetRowModified(-1, true);
    EXPECT_EQ(grid->ModifiedRowCount(), 0);
    grid->SetRowModified(3, true);
    EXPECT_TRUE(grid->RowModified(3));
    EXPECT_FALSE(grid->RowModified(-1));
    EXPECT_EQ(grid->ModifiedRowCount(), 1);
}

TEST_F(ExtGridSelect, DisjunctCellsStayDistinctBeyondSixteenBitRows)
{
    grid->SetRowCount(70001);
    grid->MouseActions()->SetDisjunctCellSelect(true);
    grid->SetSelectedCells(2, 70000, true);
    EXPECT_TRUE(grid->SelectedCells(2, 70000));
    EXPECT_FALSE(grid->SelectedCells(2, 4464)); // 70000 - 65536
    grid->SetSelectedCells(2, 4464, true);
    EXPECT_EQ(grid->SelectedCellsCount(), 2);
    EXPECT_EQ(grid->SelectedCell(0), (TGridCoord{2, 70000}));
    EXPECT_EQ(grid->SelectedCell(1), (TGridCoord{2, 4464}));
    grid->SetSelectedCells(2, 70000, false);
    EXPECT_EQ(grid->SelectedCellsCount(), 1);
    EXPECT_TRUE(grid->IsSelected(2, 4464));
    EXPECT_FALSE(grid->IsSelected(2, 70000));
}

TEST_F(ExtGridSelect, SelectedCellsOfARectangleCanBeWalked)
{
    grid->SelectCells(1, 2, 2, 3);
    ASSERT_EQ(grid->SelectedCellsCount(), 4);
    std::vector<TGridCoord> cells;
    for (int i = 0; i < 4; ++i)
        cells.push_back(grid->SelectedCell(i));
    EXPECT_EQ(cells, (std::vector<TGridCoord>{{1, 2}, {1, 3}, {2, 2}, {2, 3}}));
    EXPECT_TRUE(grid->SelectedCells(2, 3));
    EXPECT_FALSE(grid->IsSelected(0, 2)) << "fixed cells are never selected";

    grid->FocusCell(3, 4);
    EXPECT_EQ(grid->SelectedCellsCount(), 1);
    EXPECT_EQ(grid->SelectedCell(0), (TGridCoord{grid->Col(), grid->Row()}));
}

TEST_F(ExtGridSelect, ColumnFlags)
{
    grid->MouseActions()->SetDisjunctColSelect(true);
    grid->SelectCols(2, 5);
    EXPECT_TRUE(grid->ColSelect(2));
    EXPECT_TRUE(grid->ColSelect(4));
    EXPECT_FALSE(grid->ColSelect(1));
    EXPECT_EQ(grid->ColSelectCount(), 3) << "columns past ColCount are skipped";
    grid->ClearColSelect();
    EXPECT_EQ(grid->ColSelectCount(), 0);
}

TEST_F(ExtGridSelect, SelectedTextJoinsCellsAndRows)
{
    grid->SetCells(1, 1, "a");
    grid->SetCells(2, 1, "b");
    grid->SetCells(1, 2, "c");
    grid->SetCells(2, 2, "d\r\ne");
    grid->SelectCells(1, 1, 2, 2);
    EXPECT_EQ(grid->SelectedText(), "a\tb\r\nc\td\r\ne");
    grid->ExcelClipboardFormat = true;
    grid->Multilinecells = true;
    EXPECT_EQ(grid->SelectedText(), "a\tb\r\nc\t\"d\x0b"
                                    "e\"");
}

TEST_F(ExtGridSelect, SelectedTextFollowsHiddenColumnsAndDisjunctRows)
{
    grid->SetCells(2, 1, "x");
    grid->SetCells(3, 1, "y");
    grid->SetCells(3, 3, "z");
    grid->HideColumn(2);
    grid->SelectCells(2, 1, 2, 3);
    EXPECT_EQ(grid->SelectedText(), "y\r\n\r\nz");
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(3, true);
    EXPECT_EQ(grid->SelectedText(), "z");
}

TEST_F(ExtGridSelect, FillsWriteTheFillArea)
{
    grid->FormatFill(false, "%d:%d");
    EXPECT_EQ(grid->Cells(2, 3), "2:3");
    EXPECT_EQ(grid->Cells(0, 3), "") << "fixed cells are left";
    grid->TextFill(true, "t");
    EXPECT_EQ(grid->Cells(0, 0), "t");
    grid->LinearFill(false);
    EXPECT_EQ(grid->Cells(4, 9), "4:9");
    grid->RandomFill(false, 5);
    const int v = grid->Cells(3, 3).toInt();
    EXPECT_TRUE(v >= 0 && v < 5);
}

TEST_F(ExtGridSelect, AutoNumberingBothWays)
{
    grid->AutoNumberCol(0);
    EXPECT_EQ(grid->Cells(0, 1), "1");
    EXPECT_EQ(grid->Cells(0, 9), "9");
    grid->AutoNumberDirection = sdDescending;
    grid->AutoNumberOffset = 10;
    grid->AutoNumberRow(0);
    EXPECT_EQ(grid->Cells(4, 0), "11");
    EXPECT_EQ(grid->Cells(1, 0), "14");
}

TEST_F(ExtGridSelect, DisablingTheCurrentRowMovesToTheFirstEnabledRow)
{
    grid->SetRow(3);
    grid->SetRowEnabled(3, false);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_FALSE(grid->RowEnabled(3));
    EXPECT_TRUE(grid->UseEnabledRows());
    grid->SetRowEnabled(1, false);
    EXPECT_EQ(grid->Row(), 2) << "row 3 is disabled, the first enabled one is 2";
    grid->SetRowEnabled(3, true);
    EXPECT_TRUE(grid->RowEnabled(3));
}

TEST_F(ExtGridSelect, CheckingWithoutACheckerChangesNothing)
{
    grid->SetCells(1, 1, "keep");
    EXPECT_TRUE(grid->CheckGrid(true));
    EXPECT_TRUE(grid->CheckRow(false, 1));
    EXPECT_TRUE(grid->CheckCol(false, 1));
    EXPECT_EQ(grid->Cells(1, 1), "keep");
}

TEST_F(ExtGridSelect, SwapCellsExchangesTextsAndObjects)
{
    grid->SetCells(1, 1, "a");
    grid->SetColors(2, 2, clRed);
    grid->SetCells(2, 2, "b");
    grid->SwapCells(TGridCoord{1, 1}, TGridCoord{2, 2});
    EXPECT_EQ(grid->Cells(1, 1), "b");
    EXPECT_EQ(grid->Colors(1, 1), clRed);
    EXPECT_EQ(grid->Cells(2, 2), "a");
    EXPECT_EQ(grid->Colors(2, 2), clNone);
}

} // namespace
