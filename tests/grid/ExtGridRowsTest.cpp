// Hidden rows, filter levels and the row workers of the string grid on a shown offscreen form: the
// index conversions against their plain definitions, cells, objects and heights travelling with
// hidden, shown, inserted, removed and moved rows, and every cell object freed exactly once.
#include "grid/CellGraphicProbe.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <random>

namespace extgridrowstest
{

using gridprobe::TCellGraphic;

// Opens the hidden-row entries to the tests, for the plain definitions the index must agree with.
class TRowsGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<int> EntryIdx() const
    {
        std::vector<int> idx;
        for (int i = 0; i < FGridItems->Count(); ++i)
            idx.push_back(FGridItems->Items(i)->Idx);
        return idx;
    }
    std::vector<int> EntryLevels() const
    {
        std::vector<int> levels;
        for (int i = 0; i < FGridItems->Count(); ++i)
            levels.push_back(FGridItems->Items(i)->Level);
        return levels;
    }
};

class ExtGridRows : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 500, 700);
        grid = new TRowsGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 400, 600);
        form->Show();
        QApplication::processEvents();
    }
    // Rows 0 .. Rows - 1 hold "r" + r in column 1 (and "c" + r in column 3) with height 20 + r.
    void Fill(int Rows)
    {
        grid->SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r) {
            grid->SetCells(1, r, QString("r%1").arg(r));
            grid->SetCells(3, r, QString("c%1").arg(r));
            grid->SetRowHeights(r, 20 + r);
        }
    }
    std::vector<QString> Column(int c) const
    {
        std::vector<QString> texts;
        for (int r = 0; r < grid->RowCount(); ++r)
            texts.push_back(grid->Cells(c, r));
        return texts;
    }
    std::vector<int> Heights() const
    {
        std::vector<int> h;
        for (int r = 0; r < grid->RowCount(); ++r)
            h.push_back(grid->RowHeights(r));
        return h;
    }
    static std::vector<QString> Texts(std::initializer_list<int> Rows)
    {
        std::vector<QString> texts;
        for (const int r : Rows)
            texts.push_back(QString("r%1").arg(r));
        return texts;
    }
    static std::unique_ptr<TIntList> List(std::initializer_list<int> Rows)
    {
        auto list = std::make_unique<TIntList>(0, 0);
        for (const int r : Rows)
            list->Add(r);
        return list;
    }
    // The conversions as the collection defines them, entry by entry.
    void ExpectIndexAgreesWithEntries() const
    {
        const std::vector<int> idx = grid->EntryIdx();
        const auto hidden = [&](int r) { return std::count(idx.begin(), idx.end(), r) > 0; };
        for (int r = 0; r < grid->AllRowCount() + 3; ++r) {
            const int below = int(std::count_if(idx.begin(), idx.end(), [&](int i) { return i < r; }));
            ASSERT_EQ(grid->RealToDisplRow(r), r - below) << r;
            ASSERT_EQ(grid->IsHiddenRow(r), hidden(r)) << r;
        }
        int shown = -1;
        for (int r = 0; shown < grid->RowCount() + 2; ++r) {
            if (!hidden(r)) {
                ASSERT_EQ(grid->DisplToRealRow(++shown), r) << shown;
            }
        }
    }

    std::unique_ptr<TForm> form;
    TRowsGrid* grid = nullptr;
};

TEST_F(ExtGridRows, HidingRowsKeepsRealIndexesTextsAndHeights)
{
    Fill(10);
    grid->SetTopRow(1);
    grid->HideRows(2, 3);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->AllRowCount(), 10);
    const int realOf[] = {0, 1, 4, 5, 6, 7, 8, 9, 10};
    for (int d = 0; d <= 8; ++d)
        EXPECT_EQ(grid->RealRowIndex(d), realOf[d]) << d;
    const std::pair<int, int> displOf[] = {{1, 1}, {2, 2}, {3, 2}, {4, 2}, {5, 3}, {10, 8}};
    for (const auto& [real, displ] : displOf)
        EXPECT_EQ(grid->DisplRowIndex(real), displ) << real;
    EXPECT_EQ(grid->AllCells(1, 3), "r3");
    EXPECT_EQ(grid->AllCells(-1, 2), "");
    grid->SetTopRow(8);
    EXPECT_EQ(grid->TopRow(), 1) << "a top row beyond the rows is ignored";

    grid->HideRows(1, 4);
    EXPECT_EQ(Column(1), Texts({0, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid->NumHiddenRows(), 4);
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{1, 2, 3, 4})) << "entries stay ordered by Idx";
    EXPECT_EQ(grid->RealRowIndex(1), 5);
    EXPECT_EQ(grid->DisplRowIndex(7), 3);
    EXPECT_EQ(grid->RowHeights(1), 25);

    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Heights(), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
    EXPECT_EQ(grid->NumHiddenRows(), 0);
}

TEST_F(ExtGridRows, ShowingRunsRestoresEveryColumnObjectAndHeight)
{
    Fill(10);
    grid->HideColumn(3);
    grid->SetColors(2, 7, clRed);
    grid->SetObjects(2, 3, reinterpret_cast<TObject*>(intptr_t(42)));
    grid->HideRows(2, 3);
    grid->HideRow(7);
    EXPECT_EQ(grid->AllCells(3, 7), "c7") << "a hidden column of a hidden row";
    EXPECT_EQ(grid->AllObjects(2, 3), reinterpret_cast<TObject*>(intptr_t(42)));
    grid->SetAllCells(1, 7, "changed while hidden");

    grid->UnHideRowsAll();
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->Cells(1, 7), "changed while hidden");
    EXPECT_EQ(grid->Cells(3, 3), "c3");
    EXPECT_EQ(grid->Colors(2, 7), clRed);
    EXPECT_EQ(grid->Objects(2, 3), reinterpret_cast<TObject*>(intptr_t(42)));
    EXPECT_EQ(Heights(), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
}

TEST_F(ExtGridRows, UnHideRowsShowsEveryRunOfTheRange)
{
    Fill(10);
    grid->HideRow(2);
    grid->HideRows(4, 5);
    grid->HideRow(8);
    grid->UnHideRows(2, 5);
    EXPECT_EQ(Column(1), Texts({0, 1, 2, 3, 4, 5, 6, 7, 9}));
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{8}));

    grid->UnHideRows(3, 9);
    EXPECT_EQ(grid->NumHiddenRows(), 1) << "nothing unless the first row is hidden";
    grid->UnHideRow(8);
    EXPECT_EQ(grid->Cells(1, 8), "r8");
    EXPECT_EQ(grid->RowHeights(8), 28);
}

TEST_F(ExtGridRows, HidingNothingNewChangesNothing)
{
    Fill(6);
    grid->HideRows(2, 3);
    grid->HideRows(2, 3);
    grid->HideRowsEx(2, 4);
    grid->UnHideRow(4);
    EXPECT_EQ(grid->NumHiddenRows(), 2);
    EXPECT_EQ(Column(1), Texts({0, 1, 4, 5}));
    grid->HideRows(0, 99);
    EXPECT_EQ(grid->RowCount(), 1) << "the grid keeps one display row";
    EXPECT_EQ(grid->AllRowCount(), 6);
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), Texts({0, 1, 2, 3, 4, 5}));
}

TEST_F(ExtGridRows, HideRowsExAppendsAndLeavesOtherHiddenRowsInPlace)
{
    Fill(10);
    grid->HideRow(8);
    grid->HideRowsEx(2, 3);
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{8, 2, 3}));
    EXPECT_EQ(Column(1), Texts({0, 1, 4, 5, 6, 7, 9}));
    EXPECT_TRUE(grid->IsHiddenRow(8)) << "hiding is no removal: the other hidden rows keep their index";
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(ExtGridRows, FilterLevelsStackAndUnstack)
{
    Fill(8);
    grid->HideRowList(List({2, 5}).get());
    grid->HideRowList(List({1}).get());
    EXPECT_EQ(Column(1), Texts({0, 3, 4, 6, 7}));
    EXPECT_EQ(grid->FilterLevel(), 2);
    EXPECT_EQ(grid->EntryLevels(), (std::vector<int>{0, 0, 1}));

    grid->UnHideRowList();
    EXPECT_EQ(Column(1), Texts({0, 1, 3, 4, 6, 7}));
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{2, 5}));
    grid->UnHideRowList();
    EXPECT_EQ(Column(1), Texts({0, 1, 3, 4, 6, 7})) << "the level was not lowered";

    grid->SetFilterLevel(1);
    grid->UnHideRowList();
    EXPECT_EQ(Column(1), Texts({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Heights(), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(grid->NumHiddenRows(), 0);
}

TEST_F(ExtGridRows, UnHideRowListWithoutALevelKeepsOtherHiddenRows)
{
    Fill(6);
    grid->HideRow(3);
    grid->UnHideRowList();
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{3})) << "the hidden row's cells stay in its entry";
    grid->UnHideRowsAll();
    EXPECT_EQ(grid->Cells(1, 3), "r3");
}

TEST_F(ExtGridRows, IndexAnswersAsTheEntriesDefineIt)
{
    Fill(60);
    std::mt19937 random(29);
    for (int step = 0; step < 120; ++step) {
        const int a = int(random() % 60);
        const int b = a + int(random() % 5);
        switch (random() % 4) {
        case 0:
            grid->HideRows(a, b);
            break;
        case 1:
            grid->UnHideRows(a, b);
            break;
        case 2:
            grid->RemoveRows(1 + a % (grid->RowCount() - 1), 1 + int(random() % 3));
            break;
        default:
            grid->InsertRows(a % grid->RowCount(), 1 + int(random() % 3));
            break;
        }
        ASSERT_NO_FATAL_FAILURE(ExpectIndexAgreesWithEntries()) << "step " << step;
    }
    std::unique_ptr<TIntList> listed;
    for (int r = 0; r < grid->AllRowCount(); ++r)
        ASSERT_EQ(grid->IsHiddenRow(r, listed), grid->IsHiddenRow(r)) << r;
}

TEST_F(ExtGridRows, CheckBoxStateOfHiddenRows)
{
    Fill(6);
    grid->AddCheckBox(2, 4, true, false);
    grid->AddCheckBox(2, 5, false, true);
    grid->SetCells(2, 5, "Y");
    grid->HideRows(4, 5);
    bool state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(2, 4, state));
    EXPECT_TRUE(state);
    state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(2, 5, state)) << "a data check box reads its hidden text";
    EXPECT_TRUE(state);
    EXPECT_FALSE(grid->GetCheckBoxState(2, 3, state));
}

TEST_F(ExtGridRows, CellControlsFollowTheirHiddenRow)
{
    Fill(6);
    auto* edit = new TEdit(form.get());
    grid->SetCellControls(1, 4, edit);
    grid->HideRows(3, 4);
    EXPECT_FALSE(edit->Visible());
    grid->UnHideRowsAll();
    EXPECT_TRUE(edit->Visible());
}

// ---- Row workers ---------------------------------------------------------------------------------------

TEST_F(ExtGridRows, InsertRowsMovesRowsDownWithTheirData)
{
    Fill(6);
    grid->SetColors(1, 4, clRed);
    grid->InsertRows(3, 2);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(Column(1), (std::vector<QString>{"r0", "r1", "r2", "", "", "r3", "r4", "r5"}));
    EXPECT_EQ(Heights(), (std::vector<int>{20, 21, 22, 22, 22, 23, 24, 25}));
    EXPECT_EQ(grid->Colors(1, 6), clRed);
    EXPECT_FALSE(grid->HasCellProperties(1, 3));
    EXPECT_FALSE(grid->HasCellProperties(1, 4)) << "new rows come without cell objects";

    grid->AddRow();
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(grid->Cells(1, 8), "");
    EXPECT_EQ(grid->Cells(1, 7), "r5");
}

TEST_F(ExtGridRows, BadCountsAndStartsDoNothing)
{
    Fill(6);
    const struct {
        int Index, Count;
    } cases[] = {{2, 0}, {2, -1}, {6, 1}, {-1, 1}};
    for (const auto& c : cases) {
        grid->RemoveRows(c.Index, c.Count);
        grid->RemoveRowsEx(c.Index, c.Count);
        grid->DeleteRowRange(c.Index, c.Count);
        grid->InsertRows(c.Index == 6 ? 7 : c.Index, c.Count);
        ASSERT_EQ(Column(1), Texts({0, 1, 2, 3, 4, 5})) << c.Index << " " << c.Count;
    }
}

TEST_F(ExtGridRows, RemoveRowsReindexesHiddenRows)
{
    Fill(6); // row 0 fixed, five data rows
    grid->HideRow(4);
    grid->RemoveRows(1, 2);
    EXPECT_EQ(Column(1), Texts({0, 3, 5}));
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{2}));
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), Texts({0, 3, 4, 5}));
    EXPECT_EQ(Heights(), (std::vector<int>{20, 23, 24, 25}));
}

TEST_F(ExtGridRows, RemovingKeepsTheCurrentRowValid)
{
    Fill(6);
    grid->SetRow(5);
    grid->RemoveRows(5, 1);
    EXPECT_EQ(grid->Row(), 4) << "the new last row";
    grid->SetRow(2);
    grid->RemoveRows(3, 1);
    EXPECT_EQ(grid->Row(), 2);
    grid->RemoveRows(1, 3);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_GE(grid->Selection().Top, grid->RowCount()) << "no data row left: the selection is hidden";
    grid->InsertRows(1, 1);
    EXPECT_LT(grid->Row(), grid->RowCount()) << "an inserted row brings the selection back";
    EXPECT_LT(grid->Col(), grid->ColCount());
}

// Modified and disabled flags and the disjunct row selection stay with their rows through
// insertion and every removal; the light removal moves only the selection.
TEST_F(ExtGridRows, RowFlagsFollowTheirRows)
{
    Fill(10);
    grid->ShowModified()->Enabled = true;
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowModified(3, true);
    grid->SetRowEnabled(4, false);
    grid->SetRowSelect(5, true);
    grid->SetRowSelect(8, true);
    const auto flags = [&] {
        std::vector<std::string> rows;
        for (int r = 0; r < grid->RowCount(); ++r) {
            std::string f;
            if (grid->RowModified(r))
                f += "m";
            if (!grid->RowEnabled(r))
                f += "d";
            if (grid->RowSelect(r))
                f += "s";
            if (!f.empty())
                rows.push_back(grid->Cells(1, r).toStdString() + ":" + f);
        }
        return rows;
    };
    using V = std::vector<std::string>;

    grid->InsertRows(2, 2);
    EXPECT_EQ(flags(), (V{"r3:m", "r4:d", "r5:s", "r8:s"}));
    EXPECT_EQ(grid->SelectedRow(0), 7);
    grid->RemoveRows(1, 2);
    EXPECT_EQ(flags(), (V{"r3:m", "r4:d", "r5:s", "r8:s"}));
    grid->DeleteRowRange(5, 1); // r5
    EXPECT_EQ(flags(), (V{"r3:m", "r4:d", "r8:s"}));
    EXPECT_EQ(grid->SelectedRowCount(), 1);
    EXPECT_EQ(grid->SelectedRow(0), 7);
    grid->RemoveRowsEx(1, 1); // r2: only the selection follows
    EXPECT_EQ(flags(), (V{"r4:m", "r6:d", "r8:s"}));
}

TEST_F(ExtGridRows, RemovalsCountTheirNodesOut)
{
    const struct {
        const char* Name;
        std::function<void(TRowsGrid*)> Remove;
        int Left;
    } cases[] = {
        {"RemoveRows", [](TRowsGrid* g) { g->RemoveRows(1, 4); }, 1},
        {"RemoveRowsEx", [](TRowsGrid* g) { g->RemoveRowsEx(1, 4); }, 1},
        {"DeleteRowRange", [](TRowsGrid* g) { g->DeleteRowRange(1, 4); }, 1},
        {"MoveRows", [](TRowsGrid* g) { g->MoveRows(1, 6, 1); }, 1},
        {"plain rows", [](TRowsGrid* g) { g->RemoveRows(2, 2); }, 2},
    };
    for (const auto& c : cases) {
        auto g = std::make_unique<TRowsGrid>(form.get());
        g->SetParent(form.get());
        g->SetRowCount(8);
        g->AddNode(1, 2);
        g->AddNode(5, 2);
        ASSERT_EQ(g->NumNodes(), 2);
        c.Remove(g.get());
        EXPECT_EQ(g->NumNodes(), c.Left) << c.Name;
        g->RemoveAllNodes();
        EXPECT_EQ(g->NumNodes(), 0) << c.Name;
    }
}

TEST_F(ExtGridRows, FloatingFooterRowStaysLast)
{
    Fill(6);
    grid->FloatingFooter()->SetVisible(true);
    grid->AddRow();
    EXPECT_EQ(Column(1), (std::vector<QString>{"r0", "r1", "r2", "r3", "r4", "", "r5"}));
    grid->InsertRows(grid->RowCount(), 1);
    EXPECT_EQ(grid->Cells(1, grid->RowCount() - 1), "r5") << "nothing goes after the footer row";
    grid->RemoveRows(1, 2);
    EXPECT_EQ(Column(1), (std::vector<QString>{"r0", "r3", "r4", "", "", "r5"}));
    EXPECT_TRUE(grid->FloatingFooter()->Visible());
    EXPECT_EQ(grid->FixedFooters, 1);
}

TEST_F(ExtGridRows, WorkersPlaceTheCellControls)
{
    Fill(20);
    auto* edit = new TEdit(form.get());
    grid->SetCellControls(1, 4, edit);
    grid->CellControlsUpdate(false);
    grid->InsertRows(2, 3);
    EXPECT_EQ(edit->Top(), grid->CellRect(1, 7).Top - 1);
    grid->RemoveRows(1, 2);
    EXPECT_EQ(edit->Top(), grid->CellRect(1, 5).Top - 1);
    grid->DeleteRowRange(1, 1);
    EXPECT_EQ(edit->Top(), grid->CellRect(1, 4).Top - 1);
    EXPECT_TRUE(edit->Visible());
}

TEST_F(ExtGridRows, RemovedRowsStayStoredBeyondTheCount)
{
    Fill(8);
    grid->DoRemoveRows(2, 3, false);
    EXPECT_EQ(Column(1), Texts({0, 1, 5, 6, 7}));
    grid->SetRowCount(8);
    EXPECT_EQ(Column(1), Texts({0, 1, 5, 6, 7, 4, 3, 2})) << "the last removed first";

    grid->RemoveRowsEx(1, 2);
    EXPECT_EQ(Column(1), Texts({0, 6, 7, 4, 3, 2}));
    EXPECT_EQ(grid->RowHeights(1), 21) << "the light removal leaves the heights";
}

TEST_F(ExtGridRows, MoveRowsCarriesTexts)
{
    const struct {
        int From, To, Count;
        const char* Expected;
    } cases[] = {
        {1, 5, 2, "CDABEFG"}, {5, 1, 2, "EFABCDG"}, {1, 2, 1, "BACDEFG"},
        {6, 9, 2, "ABCDEFG"}, {3, 3, 2, "ABCDEFG"}, {2, 4, 0, "ABCDEFG"},
    };
    for (const auto& c : cases) {
        grid->SetRowCount(8);
        for (int r = 1; r <= 7; ++r)
            grid->SetCells(1, r, QString(QChar('A' + r - 1)));
        grid->MoveRows(c.From, c.To, c.Count);
        QString texts;
        for (int r = 1; r <= 7; ++r)
            texts += grid->Cells(1, r);
        EXPECT_EQ(texts, c.Expected) << c.From << " -> " << c.To << " x" << c.Count;
        EXPECT_EQ(grid->RowCount(), 8);
    }
}

TEST_F(ExtGridRows, MoveRowsLeavesHiddenRowsInPlace)
{
    Fill(8);
    grid->HideRow(6);
    grid->MoveRows(1, 4, 1);
    EXPECT_EQ(grid->EntryIdx(), (std::vector<int>{6}));
    grid->UnHideRowsAll();
    EXPECT_EQ(grid->Cells(1, 6), "r6");
}

// ---- Ownership -----------------------------------------------------------------------------------------

// Every cell graphic of the rows is freed exactly once (the sanitizer catches a second free), whatever
// the rows went through before the grid went away.
TEST_F(ExtGridRows, CellObjectsOfRowsAreFreedOnce)
{
    const struct {
        const char* Name;
        std::function<void(TRowsGrid*)> Work;
        int FreedBefore; // graphics freed before the grid goes
    } cases[] = {
        {"hidden at the end", [](TRowsGrid* g) { g->HideRows(2, 4); }, 0},
        {"filtered at the end",
         [](TRowsGrid* g) {
             g->HideRowList(List({2, 3}).get());
         },
         0},
        {"hidden and shown",
         [](TRowsGrid* g) {
             g->HideRows(1, 3);
             g->HideRowList(List({1}).get());
             g->UnHideRowList();
             g->UnHideRowsAll();
         },
         0},
        {"removed", [](TRowsGrid* g) { g->RemoveRows(2, 2); }, 2},
        {"range deleted", [](TRowsGrid* g) { g->DeleteRowRange(1, 3); }, 3},
        {"lightly removed, then inserted",
         [](TRowsGrid* g) {
             g->RemoveRowsEx(1, 2);
             g->InsertRows(1, 2);
         },
         2},
        {"moved", [](TRowsGrid* g) { g->MoveRows(1, 4, 2); }, 2},
        {"inserted and removed",
         [](TRowsGrid* g) {
             g->InsertRows(2, 3);
             g->RemoveRows(1, 1);
         },
         1},
    };
    for (const auto& c : cases) {
        int freed = 0;
        auto* g = new TRowsGrid(form.get());
        g->SetParent(form.get());
        g->SetRowCount(6);
        for (int r = 1; r < 6; ++r)
            g->SetGraphicObjectEx(2, r, new TCellGraphic(freed));
        c.Work(g);
        EXPECT_EQ(freed, c.FreedBefore) << c.Name;
        delete g;
        EXPECT_EQ(freed, 5) << c.Name;
    }
}

// ---- Block moves of the toolkit ------------------------------------------------------------------------

TEST(GridBlocks, GatherAndSpreadAreInverse)
{
    const struct {
        std::vector<int> Listed;
        std::vector<int> Gathered;
    } cases[] = {
        {{1, 3}, {0, 2, 4, 5, 1, 3}},
        {{0}, {1, 2, 3, 4, 5, 0}},
        {{5}, {0, 1, 2, 3, 4, 5}},
        {{0, 1, 2, 3, 4}, {5, 0, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        std::vector<int> v{0, 1, 2, 3, 4, 5};
        gridblock::Gather(v, c.Listed, 6);
        EXPECT_EQ(v, c.Gathered);
        gridblock::Spread(v, c.Listed, 6);
        EXPECT_EQ(v, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    }
}

} // namespace extgridrowstest
