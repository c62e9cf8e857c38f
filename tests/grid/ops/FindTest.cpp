// Find, FindFirst/FindNext, Replace and the incremental Search of the string grid, on shown grids.
#include "grid/ops/OpsTestSupport.h"

#include <vector>

using namespace opstest;

namespace
{

bool Same(TPoint a, TPoint b)
{
    return a.X == b.X && a.Y == b.Y;
}

std::string Show(TPoint p)
{
    return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
}

// Counts the progress reports of the scan.
class TCountingGrid : public TOpsGrid
{
  public:
    using TOpsGrid::TOpsGrid;
    std::vector<TGridExportState> States;
    int NewRows = 0;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        if (AState == esExportNewRow)
            ++NewRows;
        else
            States.push_back(AState);
        TOpsGrid::ExportNotification(AState, ARow);
    }
};

class FindGrid : public GridOnForm<TCountingGrid>
{
  protected:
    void SetUp() override { ShowForm(700, 500); }
    // 3 x 3 with one fixed row and column: (1,1) "ab", (2,1) "xab", (1,2) "ab", (2,2) "b".
    void FillSmall()
    {
        grid->SetColCount(3);
        grid->SetRowCount(3);
        grid->SetCells(1, 1, "ab");
        grid->SetCells(2, 1, "xab");
        grid->SetCells(1, 2, "ab");
        grid->SetCells(2, 2, "b");
    }
    // FindFirst, then FindNext until Count results are taken.
    std::vector<std::string> Walk(const QString& s, TFindParams P, int Count)
    {
        std::vector<std::string> out{Show(grid->FindFirst(s, P))};
        while (int(out.size()) < Count)
            out.push_back(Show(grid->FindNext()));
        return out;
    }
};

using Seq = std::vector<std::string>;

TEST_F(FindGrid, ScanOrdersVisitEveryHitOnceThenMissAndRestart)
{
    FillSmall();
    struct Case {
        const char* Name;
        TFindParams Params;
        Seq Expected;
    };
    const Case cases[] = {
        {"column order", {}, {"(1,1)", "(1,2)", "(2,1)", "(-1,-1)", "(1,1)"}},
        {"left to right", fnDirectionLeftRight, {"(1,1)", "(2,1)", "(1,2)", "(-1,-1)"}},
        {"match start", fnMatchStart, {"(1,1)", "(1,2)", "(-1,-1)"}},
        {"match full", fnMatchFull, {"(1,1)", "(1,2)", "(-1,-1)"}},
        {"start and full", fnMatchStart | fnMatchFull, {"(1,1)", "(1,2)", "(-1,-1)"}},
        {"backward", fnBackward, {"(2,1)", "(1,2)", "(1,1)", "(-1,-1)"}},
        {"backward left to right", fnBackward | fnDirectionLeftRight, {"(1,2)", "(2,1)", "(1,1)", "(-1,-1)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Walk("ab", c.Params, int(c.Expected.size())), c.Expected) << c.Name;
}

TEST_F(FindGrid, CaseEmptyCellsAndEmptyText)
{
    FillSmall();
    EXPECT_TRUE(Same(grid->FindFirst("AB", {}), TPoint{1, 1}));
    EXPECT_TRUE(Same(grid->FindFirst("AB", fnMatchCase), TPoint{-1, -1}));
    EXPECT_TRUE(Same(grid->FindFirst("", {}), TPoint{-1, -1}));
    // Nothing found yet: FindNext has nothing to look for.
    TCountingGrid* fresh = New();
    fresh->SetCells(1, 1, "x");
    EXPECT_TRUE(Same(fresh->FindNext(), TPoint{-1, -1}));

    grid->SetCells(2, 2, "");
    EXPECT_TRUE(Same(grid->FindFirst("\"\"", {}), TPoint{2, 2}));
    EXPECT_TRUE(Same(grid->FindFirst("\"\"", fnMatchCase), TPoint{2, 2}));
}

TEST_F(FindGrid, HtmlTagsAndRegularConditions)
{
    FillSmall();
    grid->SetCells(1, 1, "<b>q</b>z");
    EXPECT_TRUE(Same(grid->FindFirst("qz", {}), TPoint{-1, -1}));
    EXPECT_TRUE(Same(grid->FindFirst("qz", fnIgnoreHTMLTags), TPoint{1, 1}));
    EXPECT_TRUE(Same(grid->FindFirst("x*", fnMatchRegular), TPoint{2, 1}));
}

TEST_F(FindGrid, IgnoredColumnsOnlyCountLeftToRight)
{
    FillSmall();
    grid->IgnoreColumns()->Add(1);
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnDirectionLeftRight), TPoint{2, 1}));
    EXPECT_TRUE(Same(grid->FindFirst("ab", {}), TPoint{1, 1}));
}

TEST_F(FindGrid, ReportsProgressAndStopsOnAHit)
{
    FillSmall();
    grid->FindFirst("zz", {});
    EXPECT_EQ(grid->States, (std::vector<TGridExportState>{esExportStart, esExportDone}));
    EXPECT_EQ(grid->NewRows, 4);
    grid->States.clear();
    grid->NewRows = 0;
    grid->FindFirst("xab", {});
    EXPECT_EQ(grid->States, (std::vector<TGridExportState>{esExportStart, esExportFail}));
    EXPECT_EQ(grid->NewRows, 3);
}

TEST_F(FindGrid, RowColumnAndSelectionRestrictions)
{
    FillSmall();
    grid->SetRow(2);
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnFindInCurrentRow), TPoint{1, 2}));
    grid->SetCol(2);
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnFindInCurrentCol), TPoint{2, 1}));
    grid->SetFindCol(2);
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnFindInPresetCol), TPoint{2, 1}));
    grid->SetFindRow(2);
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnFindInPresetRow), TPoint{1, 2}));
    grid->SetOptions(grid->Options() | goRangeSelect);
    grid->SetSelection(TGridRect{2, 1, 2, 2});
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnSelectedCells), TPoint{2, 1}));
    EXPECT_TRUE(Same(grid->FindFirst("ab", fnSelectedCells | fnMatchFull), TPoint{-1, -1}));
}

TEST_F(FindGrid, HiddenColumnsKeepTheScanIndex)
{
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetCells(2, 2, "hit");
    grid->HideColumn(1);
    EXPECT_TRUE(Same(grid->FindFirst("hit", {}), TPoint{1, 2}));
    EXPECT_TRUE(Same(grid->FindFirst("hit", fnIncludeHiddenColumns), TPoint{2, 2}));
}

TEST_F(FindGrid, AutoGotoOpensTheNodeHidingTheHit)
{
    grid->SetColCount(3);
    grid->SetRowCount(8);
    grid->AddNode(2, 3);
    grid->SetCells(1, 4, "deep");
    grid->ContractNode(2);
    ASSERT_TRUE(grid->IsHiddenRow(4));
    EXPECT_TRUE(Same(grid->FindFirst("deep", {}), TPoint{-1, -1}));
    const TPoint hit = grid->FindFirst("deep", fnIncludeHiddenRows | fnAutoGoto);
    EXPECT_TRUE(Same(hit, TPoint{1, 4}));
    EXPECT_FALSE(grid->IsHiddenRow(4));
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(FindGrid, AutoGotoKeepsTheHitOffTheLastRowsAboveAFloatingFooter)
{
    grid->SetColCount(3);
    grid->SetRowCount(200);
    grid->FloatingFooter()->SetVisible(true);
    QApplication::processEvents();
    const int top = grid->TopRow();
    const int target = top + grid->VisibleRowCount() - 2;
    grid->SetCells(1, target, "needle");
    EXPECT_TRUE(Same(grid->Find(TPoint{-1, -1}, "needle", fnAutoGoto), TPoint{1, target}));
    EXPECT_EQ(grid->Row(), target);
    EXPECT_EQ(grid->TopRow(), top + 3);
    // FindWide never scrolls.
    grid->SetTopRow(top);
    grid->SetRow(1);
    EXPECT_TRUE(Same(grid->FindWide(TPoint{-1, -1}, "needle", fnAutoGoto), TPoint{1, target}));
    EXPECT_EQ(grid->TopRow(), top);
}

TEST_F(FindGrid, FindWideReadsTheDecodedText)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetWideCells(1, 1, QString::fromUtf8("Grüße"));
    const QString stored = grid->Cells(1, 1);
    grid->SetCells(1, 1, stored);
    EXPECT_TRUE(Same(grid->FindWide(TPoint{-1, -1}, QString::fromUtf8("GRÜ"), {}), TPoint{1, 1}));
}

TEST_F(FindGrid, ReplaceRewritesEveryHitOnce)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetCells(1, 1, "Aaa");
    EXPECT_EQ(grid->Replace("a", "b", {}), 1);
    EXPECT_EQ(grid->Cells(1, 1), "bbb");

    // The new text matches again and the row restriction makes Find test the hit again.
    grid->SetCells(1, 1, "a");
    grid->SetCells(2, 1, "xa");
    grid->SetRow(1);
    // Column order: the restriction undoes the step, Find returns the rewritten hit and Replace ends.
    EXPECT_EQ(grid->Replace("a", "aa", fnFindInCurrentRow), 1);
    EXPECT_EQ(grid->Cells(1, 1), "aa");
    EXPECT_EQ(grid->Cells(2, 1), "xa");
    // Left to right the step stands: every hit of the row, each once.
    grid->SetCells(1, 1, "a");
    EXPECT_EQ(grid->Replace("a", "aa", fnFindInCurrentRow | fnDirectionLeftRight), 2);
    EXPECT_EQ(grid->Cells(1, 1), "aa");
    EXPECT_EQ(grid->Cells(2, 1), "xaa");
}

TEST_F(FindGrid, ReplaceWritesTheColumnItRead)
{
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetCells(1, 1, "keep a");
    grid->SetCells(2, 1, "a");
    grid->HideColumn(1);
    EXPECT_EQ(grid->Replace("a", "b", {}), 1);
    EXPECT_EQ(grid->AllCells(2, 1), "b");
    EXPECT_EQ(grid->AllCells(1, 1), "keep a");
}

TEST_F(FindGrid, ReplaceMarksTheRowModified)
{
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetCells(2, 3, "a");
    grid->ShowModified()->Enabled = true;
    EXPECT_EQ(grid->Replace("a", "b", {}), 1);
    EXPECT_TRUE(grid->RowModified(3));
    EXPECT_FALSE(grid->RowModified(1));
}

TEST_F(FindGrid, IncrementalSearchInTheSortColumn)
{
    grid->SetColCount(3);
    grid->SetRowCount(5);
    grid->SetCells(1, 1, "b");
    grid->SetCells(1, 2, "<b>Apple</b>");
    grid->SetCells(1, 3, "ax");
    grid->SetCells(2, 4, "Avocado");
    EXPECT_EQ(grid->Search("A"), 2);
    EXPECT_EQ(grid->Search("AX"), 3);
    EXPECT_EQ(grid->Search("Z"), -1);
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->Column = 2;
    EXPECT_EQ(grid->Search("AV"), 4);
    grid->SortSettings()->Column = -1;
    EXPECT_EQ(grid->Search("A"), -1);
    grid->SetRowCount(1);
    EXPECT_EQ(grid->Search("A"), -1);
}

} // namespace
