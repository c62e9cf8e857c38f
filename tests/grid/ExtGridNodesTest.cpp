// Tree nodes of the string grid on a shown offscreen form: spans, levels and parents, contracting and
// expanding through the hidden rows (nested, span 0, ExpandOne, all at once), child rows, the tree
// line kinds and the glyph hit test.
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace extgridnodestest
{

class ExtGridNodes : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 500, 700);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 400, 600);
        form->Show();
        QApplication::processEvents();
    }
    // Rows 0 .. Rows - 1 hold "r" + r in column 1 with height 20 + r.
    void Fill(int Rows)
    {
        grid->SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r) {
            grid->SetCells(1, r, QString("r%1").arg(r));
            grid->SetRowHeights(r, 20 + r);
        }
    }
    std::vector<QString> Column() const
    {
        std::vector<QString> texts;
        for (int r = 0; r < grid->RowCount(); ++r)
            texts.push_back(grid->Cells(1, r));
        return texts;
    }
    static std::vector<QString> Texts(std::initializer_list<int> Rows)
    {
        std::vector<QString> texts;
        for (const int r : Rows)
            texts.push_back(QString("r%1").arg(r));
        return texts;
    }
    std::vector<int> Heights() const
    {
        std::vector<int> h;
        for (int r = 0; r < grid->RowCount(); ++r)
            h.push_back(grid->RowHeights(r));
        return h;
    }

    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
};

TEST_F(ExtGridNodes, NodeSpansLevelsAndParents)
{
    Fill(8);
    grid->AddNode(1, 3);
    EXPECT_TRUE(grid->IsNode(1));
    EXPECT_EQ(grid->NumNodes(), 1);
    EXPECT_TRUE(grid->HasNodes());
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    EXPECT_EQ(grid->GetNodeLevel(1), 1);
    EXPECT_EQ(grid->CellProperties(0, 3)->NodeLevel(), 1);
    EXPECT_EQ(grid->GetNodeIndent(2), 12);
    const std::pair<int, int> parents[] = {{2, 1}, {3, 1}, {1, 1}, {4, -1}, {5, -1}};
    for (const auto& [row, parent] : parents)
        EXPECT_EQ(grid->GetParentRow(row), parent) << row;
    EXPECT_EQ(grid->GetNodeSpanType(1), 0);
    EXPECT_EQ(grid->GetNodeSpanType(2), 2) << "a sibling follows";
    EXPECT_EQ(grid->GetNodeSpanType(3), 1) << "the last child";
}

TEST_F(ExtGridNodes, PlainRowsAnswerNeutralValues)
{
    Fill(6);
    grid->AddNode(1, 2);
    EXPECT_EQ(grid->GetNodeSpan(3), -1);
    EXPECT_EQ(grid->GetNodeLevel(2), -1);
    EXPECT_FALSE(grid->GetNodeState(3));
    EXPECT_EQ(grid->GetSubNodeCount(3), 0);
    grid->SetNodeSpan(3, 5);
    grid->UpdateSubNodeCount(3, 2);
    grid->SetNodeState(3, true);
    EXPECT_EQ(grid->GetNodeSpan(3), -1);
    EXPECT_EQ(grid->RowCount(), 6);

    const struct {
        int Row, Span;
    } refused[] = {{-1, 2}, {6, 2}, {40, 1}, {3, -1}};
    for (const auto& c : refused) {
        grid->AddNode(c.Row, c.Span);
        EXPECT_EQ(grid->NumNodes(), 1) << c.Row << " " << c.Span;
    }
}

TEST_F(ExtGridNodes, ContractAndExpandKeepRowsAndHeights)
{
    Fill(8);
    grid->AddNode(1, 3);
    grid->ContractNode(1);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->NumHiddenRows(), 2);
    EXPECT_TRUE(grid->GetNodeState(1));
    EXPECT_EQ(Column(), Texts({0, 1, 4, 5, 6, 7}));
    grid->ContractNode(1);
    EXPECT_EQ(grid->RowCount(), 6) << "a contracted node stays as it is";

    grid->ExpandNode(1);
    EXPECT_FALSE(grid->GetNodeState(1));
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Heights(), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27}));

    grid->SetNodeState(1, true);
    EXPECT_EQ(grid->RowCount(), 6);
    grid->SetNodeState(1, false);
    EXPECT_EQ(grid->RowCount(), 8);
}

TEST_F(ExtGridNodes, SpanZeroReachesTheNextNode)
{
    Fill(9);
    grid->AddNode(1, 0);
    grid->AddNode(6, 2);
    grid->ContractNode(1);
    EXPECT_EQ(Column(), Texts({0, 1, 6, 7, 8}));
    grid->ExpandNode(1);
    EXPECT_EQ(grid->RowCount(), 9);

    grid->ContractAll();
    EXPECT_EQ(Column(), Texts({0, 1, 6, 8})) << "span 0 collects up to the next node";
    EXPECT_TRUE(grid->GetNodeState(1));
    EXPECT_TRUE(grid->GetNodeState(2));
    grid->ExpandAll();
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(grid->GetNodeState(1));
}

TEST_F(ExtGridNodes, OuterNodeTakesAContractedInnerNodeAlong)
{
    Fill(10);
    grid->AddNode(1, 6); // rows 1 .. 6
    grid->AddNode(3, 3); // rows 3 .. 5 inside
    EXPECT_EQ(grid->GetNodeLevel(3), 2);
    EXPECT_EQ(grid->GetParentRow(4), 3);
    EXPECT_EQ(grid->GetParentRow(3), 1);
    grid->ContractNode(3);
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 6, 7, 8, 9}));
    EXPECT_EQ(grid->GetParentRow(4), 1) << "row 6 now shows under the outer node";

    grid->ContractNode(1);
    EXPECT_EQ(Column(), Texts({0, 1, 7, 8, 9}));
    grid->ExpandNode(1);
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(grid->GetNodeState(3)) << "the inner node comes back expanded";
    EXPECT_EQ(Heights(), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
}

TEST_F(ExtGridNodes, ExpandOneLeavesOnlyThatNodeExpanded)
{
    Fill(10);
    grid->AddNode(1, 3);
    grid->AddNode(4, 3);
    grid->AddNode(7, 3);
    grid->CellNode()->ExpandOne = true;
    grid->ContractAll();
    grid->ExpandNode(grid->RealRowIndex(2)); // the node of real row 4
    EXPECT_EQ(Column(), Texts({0, 1, 4, 5, 6, 7}));
    grid->ExpandNode(1);
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 7}));
    EXPECT_TRUE(grid->GetNodeState(4));
    EXPECT_TRUE(grid->GetNodeState(5));
}

TEST_F(ExtGridNodes, RemovingNodesShowsTheirRows)
{
    Fill(8);
    grid->AddNode(1, 3);
    grid->AddNode(4, 2);
    grid->ContractAll();
    grid->RemoveNode(1);
    EXPECT_FALSE(grid->IsNode(1));
    EXPECT_EQ(grid->NumNodes(), 1);
    EXPECT_EQ(grid->CellProperties(0, 2)->NodeLevel(), 0);
    grid->RemoveAllNodes();
    EXPECT_EQ(grid->NumNodes(), 0);
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(grid->GetParentRow(2), -1);
}

TEST_F(ExtGridNodes, ChildRowsGrowAndShrinkTheirAncestors)
{
    Fill(10);
    grid->AddNode(1, 6);
    grid->AddNode(2, 3);
    grid->InsertChildRow(3, 1); // under the inner node, below real row 3
    EXPECT_EQ(grid->GetNodeSpan(2), 4);
    EXPECT_EQ(grid->GetSubNodeCount(2), 1);
    EXPECT_EQ(grid->GetNodeSpan(1), 7);
    EXPECT_EQ(grid->Cells(1, 4), "");
    EXPECT_EQ(grid->CellProperties(0, 4)->NodeLevel(), 2);

    grid->RemoveChildRow(4);
    EXPECT_EQ(grid->GetNodeSpan(2), 3);
    EXPECT_EQ(grid->GetNodeSpan(1), 6);
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(ExtGridNodes, ChildOfANodeRowTakesItsTexts)
{
    Fill(6);
    grid->AddNode(1, 2);
    grid->SetColors(2, 1, clRed);
    grid->InsertChildRow(1, 0);
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(grid->Cells(1, 2), "r1");
    EXPECT_EQ(grid->Colors(2, 2), clRed) << "cell objects from column 1 on go along";
    EXPECT_TRUE(grid->IsNode(1)) << "column 0 keeps the node";
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
}

TEST_F(ExtGridNodes, NormalRowsKeepHiddenRowsInPlace)
{
    Fill(8);
    grid->AddNode(4, 3);
    grid->ContractNode(4);
    grid->InsertNormalRow(2);
    EXPECT_EQ(grid->Cells(1, 2), "");
    grid->ExpandNode(5);
    EXPECT_EQ(Column(), (std::vector<QString>{"r0", "r1", "", "r2", "r3", "r4", "r5", "r6", "r7"}));
    grid->RemoveNormalRow(2);
    EXPECT_EQ(Column(), Texts({0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(ExtGridNodes, GlyphHitTest)
{
    Fill(4);
    grid->AddNode(1, 2);
    const struct {
        int X;
        bool Hit;
    } cases[] = {{4, false}, {5, true}, {15, true}, {16, false}};
    for (const auto& c : cases)
        EXPECT_EQ(grid->IsOnNodeGlyph(1, c.X), c.Hit) << c.X;
    grid->CellNode()->SetNodeType(cnLeaf);
    EXPECT_TRUE(grid->IsOnNodeGlyph(1, 3));
    EXPECT_FALSE(grid->IsOnNodeGlyph(1, 20));
    grid->MouseActions()->PreciseNodeClick = false;
    EXPECT_TRUE(grid->IsOnNodeGlyph(1, 300));
}

} // namespace extgridnodestest
