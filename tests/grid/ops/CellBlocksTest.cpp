// Block operations of the string grid: the derived clears, trimming, colouring, merging runs of equal
// cells and splitting them, and the two cell queries.
#include "grid/ops/OpsTestSupport.h"

namespace opstest
{

using CellBlocks = OpsGridTest;

TEST_F(CellBlocks, ClearOfTheWholeGridForgetsCellProperties)
{
    grid->SetColors(2, 3, clRed);
    grid->SetCells(2, 3, "x");
    ASSERT_TRUE(grid->HasCellProps());

    grid->ClearRect(1, 1, grid->ColCount() - 1, grid->RowCount() - 1);
    EXPECT_TRUE(grid->HasCellProps()) << "a block short of (0, 0) leaves the flag";
    grid->SetColors(2, 3, clRed);
    grid->ClearRect(0, 0, grid->ColCount() - 1, grid->RowCount() - 1);
    EXPECT_FALSE(grid->HasCellProps());
    EXPECT_FALSE(grid->HasCellProperties(2, 3));
    EXPECT_EQ(grid->Cells(2, 3), "");
}

TEST_F(CellBlocks, DetachedObjectsLiveOnWhereTheyWereCopied)
{
    grid->SetColors(1, 2, clBlue);
    grid->SetCells(1, 2, "a");
    // What a sort does with a scratch row: the object now belongs to another row.
    grid->SetGridObject(1, 5, grid->GetGridObject(1, 2));
    grid->SetCells(1, 5, "a");
    grid->SetNilObjects(true);
    grid->ClearRows(2, 1);
    grid->SetNilObjects(false);
    EXPECT_FALSE(grid->HasCellProperties(1, 2));
    EXPECT_EQ(grid->Cells(1, 2), "");
    ASSERT_TRUE(grid->HasCellProperties(1, 5));
    EXPECT_EQ(grid->Colors(1, 5), clBlue) << "the object is alive in the row it was copied to";
}

TEST_F(CellBlocks, DerivedClearsCoverTheirBlocks)
{
    // 6 x 6 with one fixed row and column, a right fixed column and the footer row: which cells
    // each clear empties.
    struct Case {
        const char* Name;
        std::function<void(TOpsGrid*)> Clear;
        std::function<bool(int c, int r)> Cleared;
    };
    const Case cases[] = {
        {"ClearNormalCells", [](TOpsGrid* g) { g->ClearNormalCells(); },
         [](int c, int r) { return c >= 1 && c <= 4 && r >= 1 && r <= 4; }},
        {"ClearNormalRows", [](TOpsGrid* g) { g->ClearNormalRows(2, 2); },
         [](int c, int r) { return c >= 1 && c <= 4 && (r == 2 || r == 3); }},
        {"ClearNormalCols", [](TOpsGrid* g) { g->ClearNormalCols(0, 2); },
         [](int c, int r) { return c <= 1 && r >= 1 && r <= 4; }},
        {"ClearCols", [](TOpsGrid* g) { g->ClearCols(5, 1); }, [](int c, int) { return c == 5; }},
        {"Clear", [](TOpsGrid* g) { g->Clear(); }, [](int, int) { return true; }},
        {"ClearCols count 0", [](TOpsGrid* g) { g->ClearCols(2, 0); }, [](int, int) { return false; }},
        {"ClearNormalRows reversed", [](TOpsGrid* g) { g->ClearNormalRows(3, -1); },
         [](int, int) { return false; }},
    };
    for (const Case& k : cases) {
        auto* g = New();
        g->SetColCount(6);
        g->SetRowCount(6);
        g->FixedRightCols = 1;
        g->FixedFooters = 1;
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c)
                g->SetCells(c, r, "x");
        k.Clear(g);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c)
                EXPECT_EQ(g->Cells(c, r), k.Cleared(c, r) ? "" : "x") << k.Name << " at " << c << "," << r;
    }
}

TEST_F(CellBlocks, ClearEmptiesHiddenColumnsAndTheSearchText)
{
    grid->SetColCount(6);
    for (int c = 0; c < 6; ++c)
        grid->SetCells(c, 2, "x");
    grid->HideColumn(3);
    grid->SearchInc = "ab";
    grid->Clear();
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(grid->AllCells(c, 2), "") << c;
    EXPECT_EQ(grid->SearchInc, "");
}

TEST_F(CellBlocks, ClearColsWithSaveHiddenCellsClearsTheRealColumn)
{
    grid->SetColCount(6);
    for (int c = 0; c < 6; ++c)
        grid->SetCells(c, 2, QString::number(c));
    grid->HideColumn(1);
    grid->SaveHiddenCells = true;
    grid->ClearCols(1, 1); // display column 1 is real column 2
    EXPECT_EQ(grid->AllCells(1, 2), "1") << "the hidden column keeps its text";
    EXPECT_EQ(grid->AllCells(2, 2), "");
    EXPECT_EQ(grid->AllCells(3, 2), "3");
}

TEST_F(CellBlocks, ClearsThatReachColumnZeroRemoveTheNodesFirst)
{
    struct Case {
        const char* Name;
        int FixedCols;
        std::function<void(TOpsGrid*)> Clear;
        bool NodesGo;
    };
    const Case cases[] = {
        {"Clear", 1, [](TOpsGrid* g) { g->Clear(); }, true},
        {"ClearNormalCells, no fixed column", 0, [](TOpsGrid* g) { g->ClearNormalCells(); }, true},
        {"ClearNormalCells, a fixed column", 1, [](TOpsGrid* g) { g->ClearNormalCells(); }, false},
    };
    for (const Case& k : cases) {
        auto* g = New();
        g->SetFixedCols(k.FixedCols);
        g->SetRowCount(8);
        for (int r = 1; r < 8; ++r)
            g->SetCells(1, r, QString("r%1").arg(r));
        g->AddNode(2, 3);
        g->ContractNode(2); // rows 3 and 4 hidden under the node
        ASSERT_EQ(g->NumHiddenRows(), 2) << k.Name;
        k.Clear(g);
        if (k.NodesGo) {
            EXPECT_EQ(g->NumNodes(), 0) << k.Name;
            EXPECT_EQ(g->NumHiddenRows(), 0) << k.Name;
            ASSERT_EQ(g->RowCount(), 8) << k.Name;
            for (int r = 1; r < 8; ++r)
                EXPECT_EQ(g->Cells(1, r), "") << k.Name << " row " << r << " (shown again, then cleared)";
        } else {
            EXPECT_EQ(g->NumNodes(), 1) << k.Name;
            EXPECT_TRUE(g->IsHiddenRow(3)) << k.Name;
            EXPECT_EQ(g->AllCells(1, 3), "r3") << k.Name << ": a hidden row keeps its cells";
            EXPECT_EQ(g->Cells(1, 1), "") << k.Name;
        }
    }
}

TEST_F(CellBlocks, ClearAllEmptiesTheHiddenRowsToo)
{
    for (int r = 1; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            grid->SetCells(c, r, "x");
    grid->HideRow(2);
    grid->Clear();
    EXPECT_EQ(grid->AllCells(1, 2), "x") << "Clear leaves a hidden row alone";
    grid->ClearAll();
    ASSERT_TRUE(grid->IsHiddenRow(2));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(grid->AllCells(c, 2), "") << c;
    EXPECT_EQ(grid->Cells(1, 3), "");
}

TEST_F(CellBlocks, ClearSelectionFollowsTheSelectionMode)
{
    // A 5 x 6 grid of "x"; which cells each selection clears.
    struct Case {
        const char* Name;
        std::function<void(TOpsGrid*)> Select;
        std::function<bool(int c, int r)> Cleared;
    };
    const Case cases[] = {
        {"rectangle",
         [](TOpsGrid* g) {
             g->SetSelection(TGridRect{1, 2, 2, 3});
         },
         [](int c, int r) { return c >= 1 && c <= 2 && r >= 2 && r <= 3; }},
        {"disjunct rows",
         [](TOpsGrid* g) {
             g->MouseActions()->SetDisjunctRowSelect(true);
             g->SetRowSelect(2, true);
             g->SetRowSelect(4, true);
             g->SetRowSelect(0, true); // the header row is never cleared this way
         },
         [](int, int r) { return r == 2 || r == 4; }},
        {"disjunct columns",
         [](TOpsGrid* g) {
             g->MouseActions()->SetDisjunctColSelect(true);
             g->SetColSelect(1, true);
             g->SetColSelect(3, true);
             g->SetColSelect(0, true);
         },
         [](int c, int) { return c == 1 || c == 3; }},
    };
    for (const Case& k : cases) {
        auto* g = New();
        g->SetColCount(5);
        g->SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                g->SetCells(c, r, "x");
        k.Select(g);
        g->ClearSelection();
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                EXPECT_EQ(g->Cells(c, r), k.Cleared(c, r) ? "" : "x") << k.Name << " at " << c << "," << r;
    }
}

TEST_F(CellBlocks, PersistentRowSelectionClearsByRealRow)
{
    grid->SetRowCount(6);
    for (int r = 1; r < 6; ++r)
        grid->SetCells(1, r, QString::number(r));
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->MouseActions()->RowSelectPersistent = true;
    grid->HideRow(2);
    grid->SetRowSelect(4, true); // real row 4 is display row 3
    grid->ClearSelection();
    EXPECT_EQ(grid->Cells(1, 3), "");
    EXPECT_EQ(grid->Cells(1, 4), "5");
    EXPECT_EQ(grid->Cells(1, 2), "3");
    EXPECT_EQ(grid->AllCells(1, 2), "2");
}

TEST_F(CellBlocks, TrimAndColourBlocks)
{
    grid->SetCells(1, 1, "  a b\t");
    grid->SetCells(2, 1, "\r\nc\x01");
    grid->SetCells(3, 1, " outside ");
    grid->TrimRect(1, 1, 2, 2);
    EXPECT_EQ(grid->Cells(1, 1), "a b");
    EXPECT_EQ(grid->Cells(2, 1), "c");
    EXPECT_EQ(grid->Cells(3, 1), " outside ");

    // A merged area trims its base cell.
    grid->SetCells(1, 3, " m ");
    grid->MergeCells(1, 3, 2, 1);
    grid->TrimRow(3);
    EXPECT_EQ(grid->GetGridCell(1, 3), "m");

    grid->ColorRect(1, 4, 2, 5, clRed);
    for (int r = 4; r <= 5; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ(grid->Colors(c, r), clRed) << c << "," << r;
    EXPECT_EQ(grid->Colors(3, 4), clNone);
    EXPECT_FALSE(grid->HasCellProperties(0, 4));
}

TEST_F(CellBlocks, QueriesFindTheFirstCellByRowAndTheWideEscape)
{
    grid->SetCells(2, 1, "x");
    grid->SetCells(1, 2, "x");
    grid->SetCells(3, 3, "X");
    int c = -1, r = -1;
    ASSERT_TRUE(grid->IsCell("x", c, r));
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 1);
    c = r = -1;
    EXPECT_FALSE(grid->IsCell("y", c, r));
    EXPECT_EQ(c, -1) << "untouched when not found";
    ASSERT_TRUE(grid->IsCell("X", c, r)) << "case counts";
    EXPECT_EQ(c, 3);

    grid->SetCells(1, 4, EncodeWideText(QString::fromUtf8("\u00e9t\u00e9")));
    grid->SetCells(2, 4, "plain");
    EXPECT_TRUE(grid->IsWideCell(1, 4));
    EXPECT_FALSE(grid->IsWideCell(2, 4));
}

// The areas of one column as (first row, last row) pairs.
std::vector<std::pair<int, int>> ColumnAreas(TOpsGrid* g, int ACol)
{
    std::vector<std::pair<int, int>> areas;
    for (int r = 0; r < g->RowCount(); ++r)
        if (g->IsMergedCell(ACol, r) && g->IsBaseCell(ACol, r))
            areas.emplace_back(r, r + g->CellSpan(ACol, r).Y);
    return areas;
}

TEST_F(CellBlocks, MergeColumnRuns)
{
    using Areas = std::vector<std::pair<int, int>>;
    struct Case {
        std::vector<QString> Col1, Col2;
        bool Col2MainMerge;
        Areas Want1, Want2;
    };
    const Case cases[] = {
        {{"A", "A", "B", "B", "B", "A", "B"}, {}, false, {{1, 2}, {3, 5}}, {}},
        // Column 2 merged after column 1 is cut where column 1's areas end.
        {{"A", "A", "B", "B"}, {"X", "X", "X", "X"}, false, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
        {{"A", "A", "B", "B"}, {"X", "X", "X", "X"}, true, {{1, 2}, {3, 4}}, {{1, 4}}},
        {{"A", "B", "C"}, {}, false, {}, {}},
    };
    for (const Case& k : cases) {
        auto* g = New();
        g->SetRowCount(1 + int(k.Col1.size()));
        for (size_t i = 0; i < k.Col1.size(); ++i) {
            g->SetCells(1, 1 + int(i), k.Col1[i]);
            if (!k.Col2.empty())
                g->SetCells(2, 1 + int(i), k.Col2[i]);
        }
        g->MergeColumnCells(1, true);
        if (!k.Col2.empty())
            g->MergeColumnCells(2, k.Col2MainMerge);
        EXPECT_EQ(ColumnAreas(g, 1), k.Want1);
        EXPECT_EQ(ColumnAreas(g, 2), k.Want2);

        g->SplitColumnCells(1);
        g->SplitColumnCells(2);
        EXPECT_TRUE(ColumnAreas(g, 1).empty());
        EXPECT_TRUE(ColumnAreas(g, 2).empty());
        for (size_t i = 0; i < k.Col1.size(); ++i)
            EXPECT_EQ(g->Cells(1, 1 + int(i)), k.Col1[i]) << "texts come back on split";
    }
}

TEST_F(CellBlocks, MergeRowRunsAndSplitAll)
{
    grid->SetColCount(5);
    grid->SetCells(1, 2, "p");
    grid->SetCells(2, 2, "p");
    grid->SetCells(3, 2, "q");
    grid->SetCells(4, 2, "q");
    grid->MergeRowCells(2, true);
    EXPECT_TRUE(grid->IsMergedCell(1, 2));
    EXPECT_EQ(grid->CellSpan(1, 2), TPoint(1, 0));
    EXPECT_EQ(grid->CellSpan(3, 2), TPoint(1, 0));

    grid->SplitRowCells(2);
    EXPECT_FALSE(grid->IsMergedCell(1, 2));
    EXPECT_FALSE(grid->IsMergedCell(3, 2));
    EXPECT_FALSE(grid->IsMergedCell(4, 2));

    grid->MergeCells(1, 4, 2, 2);
    grid->SplitAllCells();
    for (int r = 0; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c)
            EXPECT_FALSE(grid->IsMergedCell(c, r)) << c << "," << r;
}

} // namespace opstest
