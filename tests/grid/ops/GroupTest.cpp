// Grouping of the string grid: header and summary rows around runs of equal values, the second
// level, the per-group calculations, the group count in the header text, and back to the flat grid.
#include "grid/core/ExtCGrid.h"
#include "grid/ops/OpsTestSupport.h"

namespace opstest
{

class Group : public OpsGridTest
{
  protected:
    // Header ("", "Key", "Val"), then (A,1), (A,2), (B,3), (B,4), (C,5), (C,6).
    TOpsGrid* Sample(bool Summary = true)
    {
        auto* g = New();
        g->SetColCount(3);
        g->SetRowCount(7);
        g->SetCells(1, 0, "Key");
        g->SetCells(2, 0, "Val");
        const char* keys = "AABBCC";
        for (int r = 1; r <= 6; ++r) {
            g->SetCells(1, r, QString(QChar(keys[r - 1])));
            g->SetCells(2, r, QString::number(r));
        }
        g->Grouping()->Summary = Summary;
        return g;
    }
    static QStringList Column(TExtStringGrid* g, int ACol)
    {
        QStringList texts;
        for (int r = 0; r < g->RowCount(); ++r)
            texts << g->GridCells(ACol, r);
        return texts;
    }
    static std::vector<int> NodeRows(TExtStringGrid* g)
    {
        std::vector<int> rows;
        for (int r = 0; r < g->RowCount(); ++r)
            if (g->IsNode(r))
                rows.push_back(r);
        return rows;
    }
    static std::vector<int> SummaryRows(TExtStringGrid* g)
    {
        std::vector<int> rows;
        for (int r = 0; r < g->RowCount(); ++r)
            if (g->IsSummary(r))
                rows.push_back(r);
        return rows;
    }
};

TEST_F(Group, HeaderAndSummaryRowsAroundEveryRun)
{
    auto* g = Sample();
    g->SetColWidths(1, 77);
    g->Group(1);
    EXPECT_EQ(g->GroupColumn(), 1);
    EXPECT_EQ(g->RowCount(), 13);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->Cells(1, 0), "Val");
    EXPECT_EQ(NodeRows(g), (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(SummaryRows(g), (std::vector<int>{4, 8, 12}));
    EXPECT_EQ(Column(g, 1),
              (QStringList{"Val", "A", "1", "2", "", "B", "3", "4", "", "C", "5", "6", ""}));
    for (const int r : {1, 5, 9})
        EXPECT_EQ(g->GetNodeSpan(r), 3) << r;
    EXPECT_EQ(g->Row(), 1);

    g->UnGroup();
    EXPECT_EQ(g->GroupColumn(), -1);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->ColWidths(1), 77);
    EXPECT_EQ(Column(g, 1), (QStringList{"Key", "A", "A", "B", "B", "C", "C"}));
    EXPECT_EQ(Column(g, 2), (QStringList{"Val", "1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(NodeRows(g).empty());
    EXPECT_TRUE(SummaryRows(g).empty());
    EXPECT_EQ(g->NumNodes(), 0);
}

TEST_F(Group, WithoutSummaryAndOnOtherColumns)
{
    // Sorted first; the header text stands in column 1 after the column is gone.
    auto* g = Sample(false);
    g->SetCells(2, 1, "9");
    g->Group(2);
    EXPECT_EQ(g->RowCount(), 13);
    EXPECT_EQ(NodeRows(g), (std::vector<int>{1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(g->Cells(1, 11), "9");
    EXPECT_EQ(g->Cells(1, 12), "A");
    g->SetGroupColumn(-1);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(Column(g, 2), (QStringList{"Val", "2", "3", "4", "5", "6", "9"}));

    // One distinct value: one node over all rows.
    auto* one = Sample();
    for (int r = 1; r <= 6; ++r)
        one->SetCells(1, r, "Z");
    one->Group(1);
    EXPECT_EQ(NodeRows(one), (std::vector<int>{1}));
    EXPECT_EQ(one->GetNodeSpan(1), 7);
    EXPECT_EQ(SummaryRows(one), (std::vector<int>{8}));
}

TEST_F(Group, RefusedColumnsChangeNothing)
{
    auto* g = Sample();
    for (const int c : {0, 3, -1})
        g->Group(c);
    g->SetGroupColumn(0);
    EXPECT_EQ(g->GroupColumn(), -1);
    EXPECT_EQ(g->RowCount(), 7);
    g->UnGroup();
    EXPECT_EQ(g->RowCount(), 7);

    // Column 0 is refused also without fixed columns: it could never be ungrouped.
    auto* h = Sample();
    h->SetFixedCols(0);
    h->Group(0);
    EXPECT_EQ(h->GroupColumn(), -1);
    EXPECT_EQ(h->RowCount(), 7);
    EXPECT_EQ(h->ColCount(), 3);

    // No data rows.
    auto* empty = Sample();
    empty->SetFixedRowAlways(true);
    empty->SetRowCount(1);
    empty->Group(1);
    EXPECT_EQ(empty->GroupColumn(), -1);
    empty->SubGroup(1);
    EXPECT_EQ(empty->RowCount(), 1);
}

TEST_F(Group, CalculationsPerGroup)
{
    auto* g = Sample();
    g->Group(1);
    g->GroupSum(1);
    EXPECT_EQ(g->Cells(1, 4), "3.00");
    EXPECT_EQ(g->Cells(1, 8), "7.00");
    EXPECT_EQ(g->Cells(1, 12), "11.00");
    g->GroupCount(1);
    EXPECT_EQ(g->Cells(1, 4), "2");
    g->GroupMax(1);
    EXPECT_EQ(g->Cells(1, 8), "4.00");
    g->OnGroupCalc = [](TObject*, int, int From, int To, double& Res) { Res = From * 100 + To; };
    g->GroupCustomCalc(1);
    EXPECT_EQ(g->Cells(1, 12), "1011.00");

    // A contracted group is left alone.
    for (const int r : {4, 8, 12})
        g->SetCells(1, r, "");
    g->ContractNode(g->RealRowIndex(5));
    g->GroupSum(1);
    EXPECT_EQ(g->Cells(1, 4), "3.00");
    EXPECT_EQ(g->Cells(1, 6), "");
    EXPECT_EQ(g->Cells(1, 10), "11.00");

    // Without summary rows the header rows take the values.
    auto* h = Sample(false);
    h->Group(1);
    h->GroupMin(1);
    EXPECT_EQ(h->Cells(1, 1), "1.00");
    EXPECT_EQ(h->Cells(1, 4), "3.00");

    // The shown footer takes the calculation of the column too.
    auto* f = Sample(false);
    f->SetRowCount(8);
    f->FloatingFooter()->SetVisible(true);
    f->Group(1);
    f->GroupAvg(1);
    EXPECT_EQ(f->FloatingFooter()->ColumnCalc(1), acAVG);

    // Nothing to write without nodes.
    auto* flat = Sample();
    flat->GroupSum(2);
    EXPECT_EQ(Column(flat, 2), (QStringList{"Val", "1", "2", "3", "4", "5", "6"}));
}

TEST_F(Group, GroupCountShowsInTheHeaderOnly)
{
    auto* g = Sample();
    g->SetCells(1, 3, "A");
    g->Grouping()->ShowGroupCount = true;
    g->Group(1);
    EXPECT_EQ(g->Cells(1, 1), "A (3)");
    EXPECT_EQ(g->GridCells(1, 1), "A");
    EXPECT_EQ(g->Cells(1, 6), "B (1)");
    EXPECT_EQ(g->Cells(1, 2), "1");
    g->Grouping()->GroupCountFormat = " [%d]";
    EXPECT_EQ(g->Cells(1, 6), "B [1]");
    g->Grouping()->ShowGroupCount = false;
    EXPECT_EQ(g->Cells(1, 6), "B");
}

TEST_F(Group, MergedHeadersAndExpandOne)
{
    auto* g = New();
    g->SetColCount(4);
    g->SetRowCount(5);
    for (int r = 1; r <= 4; ++r) {
        g->SetCells(1, r, r <= 2 ? "A" : "B");
        g->SetCells(2, r, QString::number(r));
        g->SetCells(3, r, "x");
    }
    g->Grouping()->MergeHeader = true;
    g->Grouping()->MergeSummary = true;
    g->Grouping()->Summary = true;
    g->Grouping()->HeaderColor = clYellow;
    g->CellNode()->ExpandOne = true;
    g->Group(1);
    // A expanded, B contracted: header A, 2 rows, summary, header B, summary.
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_FALSE(g->GetNodeState(1));
    EXPECT_TRUE(g->GetNodeState(5));
    for (const int r : {1, 5}) {
        EXPECT_TRUE(g->IsMergedCell(1, r)) << r;
        EXPECT_TRUE(g->IsMergedNonBaseCell(2, r)) << r;
        EXPECT_EQ(g->Colors(1, r), clYellow) << r;
    }
    EXPECT_TRUE(g->IsMergedCell(1, 4));
    EXPECT_TRUE(g->IsMergedCell(1, 6));
    EXPECT_FALSE(g->IsMergedCell(1, 2));

    g->UnGroup();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(Column(g, 1), (QStringList{"", "A", "A", "B", "B"}));
    EXPECT_EQ(Column(g, 2), (QStringList{"", "1", "2", "3", "4"}));
    for (int r = 0; r < 5; ++r)
        EXPECT_FALSE(g->IsMergedCell(1, r)) << r;
    EXPECT_TRUE(g->CellNode()->ExpandOne);
}

class SubGroup : public Group
{
  protected:
    // Header ("", "K", "S", "V") with widths 70 and 90; (A,x,1), (A,x,2), (A,y,3), (B,x,4).
    TOpsGrid* Sample2()
    {
        auto* g = New();
        g->SetColCount(4);
        g->SetRowCount(5);
        g->SetCells(1, 0, "K");
        g->SetCells(2, 0, "S");
        g->SetCells(3, 0, "V");
        g->SetColWidths(1, 70);
        g->SetColWidths(2, 90);
        const char* k = "AAAB";
        const char* s = "xxyx";
        for (int r = 1; r <= 4; ++r) {
            g->SetCells(1, r, QString(QChar(k[r - 1])));
            g->SetCells(2, r, QString(QChar(s[r - 1])));
            g->SetCells(3, r, QString::number(r));
        }
        return g;
    }
    void ExpectFlat(TOpsGrid* g)
    {
        EXPECT_EQ(g->GroupColumn(), -1);
        EXPECT_EQ(g->ColCount(), 4);
        EXPECT_EQ(g->RowCount(), 5);
        EXPECT_EQ(g->Cells(1, 0), "K");
        EXPECT_EQ(g->ColWidths(1), 70);
        EXPECT_EQ(Column(g, 1), (QStringList{"K", "A", "A", "A", "B"}));
        EXPECT_EQ(Column(g, 2), (QStringList{"S", "x", "x", "y", "x"}));
        EXPECT_EQ(Column(g, 3), (QStringList{"V", "1", "2", "3", "4"}));
        EXPECT_EQ(g->NumNodes(), 0);
    }
};

TEST_F(SubGroup, SecondLevelInsideTheGroups)
{
    auto* g = Sample2();
    g->Group(1);
    ASSERT_EQ(Column(g, 1), (QStringList{"S", "A", "x", "x", "y", "B", "x"}));
    g->SubGroup(1);
    // Header A: sub-header x (2 rows), sub-header y (1 row); header B: sub-header x (1 row).
    EXPECT_EQ(NodeRows(g), (std::vector<int>{1, 2, 5, 7, 8}));
    EXPECT_EQ(g->GetNodeLevel(2), 2);
    EXPECT_EQ(g->GetNodeSpan(1), 6);
    EXPECT_EQ(g->GetNodeSpan(2), 3);
    EXPECT_EQ(g->GetNodeSpan(5), 2);
    EXPECT_EQ(g->GetNodeSpan(7), 3);
    EXPECT_EQ(Column(g, 2), (QStringList{"V", "", "x", "1", "2", "y", "3", "", "x", "4"}));
    EXPECT_EQ(Column(g, 1), (QStringList{"S", "A", "", "", "", "", "", "B", "", ""}));
    EXPECT_EQ(g->GroupColumn(), 1) << "the first grouping's column stays";

    g->GroupCount(2);
    EXPECT_EQ(g->Cells(2, 1), "5") << "sub-headers counted in";
    g->Grouping()->ShowGroupCount = true;
    EXPECT_EQ(g->Cells(1, 1), "A (3)");

    g->SubUnGroup(1);
    EXPECT_EQ(Column(g, 1), (QStringList{"S", "A", "x", "x", "y", "B", "x"}));
    EXPECT_EQ(NodeRows(g), (std::vector<int>{1, 5}));
    g->Grouping()->ShowGroupCount = false;
    g->UnGroup();
    ExpectFlat(g);
}

TEST_F(SubGroup, UnGroupTakesTheSecondLevelAlong)
{
    auto* g = Sample2();
    g->Group(1);
    g->SubGroup(1);
    g->UnGroup();
    ExpectFlat(g);
}

TEST(ColumnGridGroup, TheItemComesBackWithItsColumn)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 600, 400);
    auto* g = new TExtColumnGrid(form.get());
    g->SetParent(form.get());
    form->Show();
    g->SetColCount(3);
    g->Columns()->Items(1)->SetHeader("Key");
    g->Columns()->Items(1)->ReadOnly = true;
    g->Columns()->Items(2)->SetHeader("Val");
    g->SetRowCount(5);
    for (int r = 1; r <= 4; ++r) {
        g->SetCells(1, r, r <= 2 ? "A" : "B");
        g->SetCells(2, r, QString::number(r));
    }
    g->Group(1);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->Columns()->Count(), 2);
    g->UnGroup();
    ASSERT_EQ(g->Columns()->Count(), 3);
    EXPECT_EQ(g->Columns()->Items(1)->Header(), "Key");
    EXPECT_TRUE(g->Columns()->Items(1)->ReadOnly);
    EXPECT_EQ(g->Cells(1, 3), "B");
    EXPECT_EQ(g->Cells(2, 3), "3");
}

} // namespace opstest
