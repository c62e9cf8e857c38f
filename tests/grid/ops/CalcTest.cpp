// Column and row calculations of the string grid.
#include "grid/ops/OpsTestSupport.h"

#include <cmath>

namespace opstest
{

using Calc = OpsGridTest;

TEST_F(Calc, ColumnFunctionsOverAllNormalRows)
{
    enum Fn { Sum, Avg, Min, Max, StdDev, Distinct };
    struct Case {
        std::initializer_list<QString> Texts;
        Fn F;
        double Want;
    };
    const Case cases[] = {
        {{"1", "x", "2"}, Sum, 3},
        {{"1", "x", "2"}, Avg, 1}, // text rows still count in the divisor
        {{"5", "3", "x"}, Min, 3},
        {{"5", "9", "x", "9"}, Max, 9},
        {{"2", "4", "4", "4", "5", "5", "7", "9"}, StdDev, 2},
        {{"a", "A", "b", ""}, Distinct, 3},
        {{"1", "1.0", "1"}, Distinct, 2},
        {{"", "-", "<b>4</b>", "1,000.5"}, Sum, 1004.5},
        {{"-2", "", "3"}, Min, -2},
        {{" 2 ", "abc", "  "}, Sum, 2},
    };
    for (const Case& k : cases) {
        auto* g = New();
        FillColumn(g, 2, k.Texts);
        double got = 0;
        switch (k.F) {
        case Sum:
            got = g->ColumnSum(2, -1, -1);
            break;
        case Avg:
            got = g->ColumnAvg(2, -1, -1);
            break;
        case Min:
            got = g->ColumnMin(2, -1, -1);
            break;
        case Max:
            got = g->ColumnMax(2, -1, -1);
            break;
        case StdDev:
            got = g->ColumnStdDev(2, -1, -1);
            break;
        case Distinct:
            got = g->ColumnDistinct(2, -1, -1);
            break;
        }
        EXPECT_DOUBLE_EQ(got, k.Want) << "function " << k.F << " over " << k.Texts.begin()->toStdString();
    }
}

TEST_F(Calc, RangesAndDefaults)
{
    FillColumn(grid, 1, {"1", "2", "4", "8"});
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 2, 3), 6);
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, 2), 15) << "-1 on either end means all normal rows";
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 3, -1), 15);
    EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, 3, 2), 0) << "empty range";
    EXPECT_DOUBLE_EQ(grid->ColumnStdDev(1, 3, 2), 0) << "empty range gives 0, no division by zero";
    EXPECT_DOUBLE_EQ(grid->ColumnMin(1, 2, 4), 2);
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, 1, 3), 4);

    grid->FixedFooters = 1; // the last row is the footer's
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 7);
}

TEST_F(Calc, ConversionErrorsThatReachTheCaller)
{
    FillColumn(grid, 1, {"x", "3"});
    FillColumn(grid, 2, {"1", "x"});
    for (auto call : std::initializer_list<std::function<double()>>{
             [&] { return grid->ColumnMin(1, -1, -1); },
             [&] { return grid->ColumnMax(1, -1, -1); },
             [&] { return grid->ColumnStdDev(2, -1, -1); },
             [&] { return grid->RowMin(1, 1, 2); },
         }) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const EExtGridError& e) {
            EXPECT_EQ(e.Message, "Cell does not contain a float value");
        }
    }
    EXPECT_DOUBLE_EQ(grid->ColumnMin(2, -1, -1), 1) << "a text after the start cell is skipped";
}

TEST_F(Calc, RowFunctionsAddMergedAreasOnce)
{
    grid->SetColCount(6);
    grid->SetCells(1, 2, "2");
    grid->SetCells(2, 2, "5");
    grid->SetCells(4, 2, "x");
    grid->SetCells(5, 2, "-3");
    grid->MergeCells(2, 2, 2, 1); // 5 over columns 2 and 3
    EXPECT_DOUBLE_EQ(grid->RowSum(2, 1, 5), 4);
    EXPECT_DOUBLE_EQ(grid->RowAvg(2, 1, 5), 0.8);
    EXPECT_DOUBLE_EQ(grid->RowMin(2, 1, 5), -3);
    EXPECT_DOUBLE_EQ(grid->RowMax(2, 1, 5), 5);
    EXPECT_DOUBLE_EQ(grid->RowSum(2, 5, 1), 0);
    EXPECT_DOUBLE_EQ(grid->RowAvg(2, 5, 1), 0) << "empty range gives 0, no division by zero";
    EXPECT_DOUBLE_EQ(grid->RowMax(2, 5, 1), -3) << "the start cell when the range is empty";
}

TEST_F(Calc, EventCalculationsPassTheirArgumentsAsGiven)
{
    EXPECT_DOUBLE_EQ(grid->ColumnCustomCalc(1, -1, -1), 0) << "unassigned";
    EXPECT_DOUBLE_EQ(grid->FireGroupCalc(1, -1, -1), 0);
    std::vector<int> args;
    grid->OnColumnCalc = [&](TObject* Sender, int ACol, int FromRow, int ToRow, double& Res) {
        EXPECT_EQ(Sender, grid);
        EXPECT_EQ(Res, 0);
        args = {ACol, FromRow, ToRow};
        Res = 42.5;
    };
    grid->OnGroupCalc = [&](TObject*, int, int, int, double& Res) { Res = -1; };
    EXPECT_DOUBLE_EQ(grid->ColumnCustomCalc(3, -1, 7), 42.5);
    EXPECT_EQ(args, (std::vector<int>{3, -1, 7}));
    EXPECT_DOUBLE_EQ(grid->FireGroupCalc(3, 1, 2), -1);
}

TEST_F(Calc, RangesPastTheDisplayRowsReadTheHiddenRows)
{
    FillColumn(grid, 1, {"5", "1", "6", "9", "7"});
    grid->HideRow(2); // "1"
    grid->HideRow(4); // "9"
    ASSERT_EQ(grid->RowCount(), 4);
    // Display rows: 5, 6, 7. Real rows 1 .. 5 (ToRow past RowCount): every value.
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 18);
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 1, 5), 28);
    EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, 1, 5), 5.6);
    EXPECT_DOUBLE_EQ(grid->ColumnMin(1, -1, -1), 5);
    EXPECT_DOUBLE_EQ(grid->ColumnMin(1, 1, 5), 1);
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, 1, 5), 9);
    EXPECT_DOUBLE_EQ(grid->ColumnDistinct(1, 1, 5), 5);
    EXPECT_NEAR(grid->ColumnStdDev(1, 1, 5), std::sqrt(35.2 / 5), 1e-12);
}

// A grid that can be marked grouped and notes the progress it is told.
class TCalcGrid : public TOpsGrid
{
  public:
    using TOpsGrid::TOpsGrid;
    void SetGroupColumn(int ACol) { FGroupColumn = ACol; }
    std::vector<std::pair<TGridExportState, int>> Progress;

  protected:
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        Progress.emplace_back(AState, ARow);
    }
};

class CalcRows : public GridOnForm<TCalcGrid>
{
  protected:
    void SetUp() override { ShowForm(700, 500); }
};

TEST_F(CalcRows, GroupedGridsLeaveShownNodeAndSummaryRowsOut)
{
    grid->SetRowCount(8);
    const char* texts[] = {"", "10", "1", "2", "20", "3", "4", "x"};
    for (int r = 1; r < 8; ++r)
        grid->SetCells(1, r, texts[r]);
    grid->AddNode(1, 3);     // the node row holds 10
    grid->MarkSummaryRow(4); // the summary row 20
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 40) << "not grouped: node and summary rows count";
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, -1, -1), 20);

    grid->SetGroupColumn(2);
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 10);
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, 2, 7), 4);
    EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, -1, -1), 10.0 / 7) << "left-out rows stay in the divisor";

    // Hidden, the summary row counts again (real rows: the range passes RowCount).
    grid->HideRow(4);
    grid->HideRow(7);
    ASSERT_EQ(grid->RowCount(), 6);
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 1, 7), 30);
}

TEST_F(CalcRows, ColumnFunctionsReportTheirProgress)
{
    using P = std::vector<std::pair<TGridExportState, int>>;
    grid->SetRowCount(4);
    grid->SetCells(1, 1, "1");
    grid->SetCells(1, 2, "x");
    grid->SetCells(1, 3, "2");
    grid->SetCells(2, 1, "x");

    grid->ColumnSum(1, -1, -1);
    EXPECT_EQ(grid->Progress, (P{{esExportStart, 1},
                                 {esExportNextRow, 1},
                                 {esExportNextRow, 2},
                                 {esExportNextRow, 3},
                                 {esExportDone, -1}}));
    grid->Progress.clear();
    grid->ColumnAvg(1, 2, 3);
    EXPECT_EQ(grid->Progress,
              (P{{esExportStart, 2}, {esExportNextRow, 2}, {esExportNextRow, 3}, {esExportDone, -1}}));

    // The standard deviation's own pass reports no rows; its average does.
    grid->Progress.clear();
    grid->ColumnStdDev(1, 3, 3);
    EXPECT_EQ(grid->Progress, (P{{esExportStart, 3},
                                 {esExportStart, 3},
                                 {esExportNextRow, 3},
                                 {esExportDone, -1},
                                 {esExportDone, -1}}));

    // A raising cell still ends the progress.
    grid->Progress.clear();
    EXPECT_THROW(grid->ColumnMin(2, -1, -1), EExtGridError);
    EXPECT_EQ(grid->Progress, (P{{esExportStart, 1}, {esExportDone, -1}}));

    grid->Progress.clear();
    grid->ColumnCustomCalc(1, -1, -1);
    grid->RowSum(1, 0, 2);
    EXPECT_TRUE(grid->Progress.empty());
}

} // namespace opstest
