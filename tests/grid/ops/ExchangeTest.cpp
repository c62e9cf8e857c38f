// Row and column structure of the string grid: inserting, removing, swapping and joining columns,
// swapping rows, and removing or hiding rows by check state, duplicate text or selection.
#include "grid/ops/OpsTestSupport.h"

#include <QStringList>

namespace opstest
{

class Exchange : public OpsGridTest
{
  protected:
    void SetUp() override
    {
        OpsGridTest::SetUp();
        grid->SetFixedCols(0);
    }
    // Every real column of row ARow.
    QStringList RealRow(int ARow)
    {
        QStringList l;
        for (int c = 0; c < grid->TotalColCount(); ++c)
            l << grid->Cells(c, ARow);
        return l;
    }
    QStringList Column(int ACol)
    {
        QStringList l;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            l << grid->Cells(ACol, r);
        return l;
    }
    void FillRows(const std::vector<QStringList>& Rows)
    {
        grid->SetRowCount(1 + int(Rows.size()));
        for (size_t r = 0; r < Rows.size(); ++r)
            for (int c = 0; c < Rows[r].size(); ++c)
                grid->SetCells(c, 1 + int(r), Rows[r][c]);
    }
};

TEST_F(Exchange, MergeColsJoinsAndRemovesTheSecond)
{
    grid->SetColCount(4);
    FillRows({{"0", "John", "Smith", "x"}, {"0", "Jane", "", "y"}});
    grid->SetCells(1, 0, "first");
    grid->SetCells(2, 0, "last");
    grid->MergeCols(1, 2, " ");
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(Column(1), QStringList({"John Smith", "Jane"}));
    EXPECT_EQ(Column(2), QStringList({"x", "y"}));
    EXPECT_EQ(grid->Cells(1, 0), "first") << "fixed rows are not joined";

    grid->MergeCols(1, 1, " ");
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(Column(1), QStringList({"John Smith", "Jane"}));
}

TEST_F(Exchange, InsertColsKeepsHiddenColumnsWidthsAndCells)
{
    grid->SetColCount(4);
    FillRows({{"a", "b", "c", "d"}});
    grid->SetColWidths(1, 33);
    grid->SetColWidths(3, 44);
    grid->SetColors(3, 1, clRed);
    grid->HideColumn(2);
    ASSERT_EQ(grid->ColCount(), 3);

    grid->InsertCols(1, 1);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->NumHiddenColumns(), 1);
    EXPECT_TRUE(grid->IsHiddenColumn(3));
    EXPECT_FALSE(grid->IsHiddenColumn(1));
    EXPECT_EQ(RealRow(1), QStringList({"a", "", "b", "c", "d"}));
    EXPECT_EQ(grid->AllColWidths(1), grid->DefaultColWidth());
    EXPECT_EQ(grid->AllColWidths(2), 33);
    EXPECT_EQ(grid->AllColWidths(4), 44);
    EXPECT_EQ(grid->Colors(4, 1), clRed);
    EXPECT_FALSE(grid->HasCellProperties(1, 1));

    grid->UnHideColumn(3);
    EXPECT_EQ(grid->Cells(3, 1), "c");

    for (int bad : {-1, 6})
        grid->InsertCols(bad, 1);
    grid->InsertCols(0, 0);
    EXPECT_EQ(grid->ColCount(), 5);
    grid->AddColumn();
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->Cells(5, 1), "");
}

TEST_F(Exchange, RemoveColsClipsAndFollowsHiddenColumns)
{
    grid->SetColCount(5);
    FillRows({{"a", "b", "c", "d", "e"}});
    grid->SetColWidths(4, 55);
    grid->HideColumn(3);
    grid->RemoveCols(1, 1);
    EXPECT_EQ(RealRow(1), QStringList({"a", "c", "d", "e"}));
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_TRUE(grid->IsHiddenColumn(2));
    EXPECT_EQ(grid->AllColWidths(3), 55);

    // Removing the hidden column leaves the shown ones.
    grid->RemoveCols(2, 1);
    EXPECT_EQ(grid->NumHiddenColumns(), 0);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(RealRow(1), QStringList({"a", "c", "e"}));

    grid->RemoveCols(1, 10);
    EXPECT_EQ(RealRow(1), QStringList({"a"}));
    grid->RemoveCols(3, 1);
    grid->RemoveCols(0, 0);
    EXPECT_EQ(grid->ColCount(), 1);
}

TEST_F(Exchange, ColumnsOfHiddenRowsMoveToo)
{
    grid->SetColCount(3);
    FillRows({{"a", "b", "c"}, {"x", "y", "z"}});
    grid->HideRow(2);
    grid->InsertCols(0, 1);
    grid->SwapColumns(1, 3);
    grid->RemoveCols(2, 1);
    grid->UnHideRowsAll();
    EXPECT_EQ(RealRow(1), QStringList({"", "c", "a"}));
    EXPECT_EQ(RealRow(2), QStringList({"", "z", "x"}));
}

TEST_F(Exchange, SwapColumnsMovesWidthsAndTheSortColumn)
{
    grid->SetColCount(4);
    FillRows({{"a", "b", "c", "d"}});
    grid->SetColWidths(1, 30);
    grid->SortSettings()->Column = 1;
    grid->SwapColumns(1, 3);
    EXPECT_EQ(RealRow(1), QStringList({"a", "d", "c", "b"}));
    EXPECT_EQ(grid->ColWidths(3), 30);
    EXPECT_EQ(grid->SortSettings()->Column, 3);
    grid->SwapColumns(1, 9);
    EXPECT_EQ(RealRow(1), QStringList({"a", "d", "c", "b"}));
}

TEST_F(Exchange, SwapRowsTakesHiddenCellsHeightsAndControls)
{
    grid->SetColCount(3);
    FillRows({{"a", "1", "hidden a"}, {"b", "2", "hidden b"}});
    grid->SetRowHeights(1, 40);
    grid->HideColumn(2);
    TEdit* edit = new TEdit(form.get());
    grid->SetCellControls(1, 1, edit);
    grid->SwapRows(1, 2);
    EXPECT_EQ(RealRow(1), QStringList({"b", "2", "hidden b"}));
    EXPECT_EQ(RealRow(2), QStringList({"a", "1", "hidden a"}));
    EXPECT_EQ(grid->RowHeights(2), 40);
    EXPECT_EQ(grid->CellControls(1, 2), edit);
    grid->SwapRows(1, 7);
    EXPECT_EQ(grid->Cells(0, 1), "b");
}

TEST_F(Exchange, RemoveCheckedRowsAndDuplicates)
{
    grid->SetColCount(2);
    for (bool removeChecked : {true, false}) {
        SCOPED_TRACE(removeChecked);
        FillRows({{"", "one"}, {"", "two"}, {"", "three"}});
        grid->AddCheckBox(0, 1, true, false);
        grid->AddCheckBox(0, 2, false, false);
        grid->AddCheckBox(0, 3, true, false);
        grid->RemoveCheckedRows(0, removeChecked);
        EXPECT_EQ(Column(1), removeChecked ? QStringList({"two"}) : QStringList({"one", "three"}));
        grid->ClearRows(1, grid->RowCount() - 1);
    }
    for (bool doCase : {true, false}) {
        FillRows({{"a", "1"}, {"A", "2"}, {"b", "3"}, {"a", "4"}});
        grid->RemoveDuplicates(0, doCase);
        EXPECT_EQ(Column(0), QStringList({"a", "b"})) << doCase;
        EXPECT_EQ(Column(1), QStringList({"1", "3"})) << doCase;
    }
}

TEST_F(Exchange, SelectionRemovesAndHidesRows)
{
    grid->SetColCount(2);
    const std::vector<QStringList> rows{{"r1"}, {"r2"}, {"r3"}, {"r4"}, {"r5"}};
    FillRows(rows);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(4, true);
    grid->RemoveSelectedRows();
    EXPECT_EQ(Column(0), QStringList({"r1", "r3", "r5"}));
    EXPECT_EQ(grid->RowSelectCount(), 0);

    FillRows(rows);
    grid->SetRowSelect(1, true);
    grid->SetRowSelect(5, true);
    grid->RemoveUnSelectedRows();
    EXPECT_EQ(Column(0), QStringList({"r1", "r5"}));

    FillRows(rows);
    grid->ClearRowSelect();
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(3, true);
    grid->HideSelectedRows();
    EXPECT_EQ(Column(0), QStringList({"r1", "r4", "r5"}));
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(0), QStringList({"r1", "r2", "r3", "r4", "r5"}));

    grid->ClearRowSelect();
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(4, true);
    grid->HideUnSelectedRows();
    EXPECT_EQ(Column(0), QStringList({"r2", "r4"}));
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(0), QStringList({"r1", "r2", "r3", "r4", "r5"}));

    // The selection rectangle without disjunct selection.
    grid->MouseActions()->SetDisjunctRowSelect(false);
    grid->SetSelection(TGridRect{0, 4, 1, 2});
    grid->RemoveSelectedRows();
    EXPECT_EQ(Column(0), QStringList({"r1", "r5"}));
}

TEST_F(Exchange, SelectionRemovesColumnsAndLeavesHiddenOnes)
{
    grid->SetColCount(5);
    FillRows({{"a", "b", "c", "d", "e"}});
    grid->HideColumn(1);
    // Display columns a c d e; c and d selected.
    grid->SetSelection(TGridRect{1, 1, 2, 1});
    grid->RemoveUnSelectedCols();
    EXPECT_EQ(RealRow(1), QStringList({"b", "c", "d"}));
    EXPECT_TRUE(grid->IsHiddenColumn(0));
    EXPECT_EQ(grid->ColCount(), 2);

    grid->UnHideColumnsAll();
    grid->MouseActions()->SetDisjunctColSelect(true);
    grid->SetColSelect(0, true);
    grid->SetColSelect(2, true);
    grid->RemoveSelectedCols();
    EXPECT_EQ(RealRow(1), QStringList({"c"}));
}

} // namespace opstest
