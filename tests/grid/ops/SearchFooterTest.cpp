// The search footer panel under a shown grid: layout, the edit and buttons driven by keys and clicks,
// auto search, stepping, highlighting, accelerators and closing; and the fixed-cell edit change.
#include "platform/controls/Interaction.h"
#include "grid/base/GridButton.h"
#include "grid/base/GridCheckBox.h"
#include "grid/ops/OpsTestSupport.h"
#include "grid/ops/SearchPanel.h"

#include <QTest>
#include <vector>

using namespace opstest;

namespace
{

struct TAction {
    QString Value;
    int Col, Row;
    TSearchAction Action;
    bool operator==(const TAction& o) const
    {
        return Value == o.Value && Col == o.Col && Row == o.Row && Action == o.Action;
    }
};

std::ostream& operator<<(std::ostream& os, const TAction& a)
{
    return os << a.Value.toStdString() << "@(" << a.Col << "," << a.Row << ")#" << int(a.Action);
}

class SearchFooterPanel : public OpsGridTest
{
  protected:
    void SetUp() override
    {
        OpsGridTest::SetUp();
        QApplication::setActiveWindow(form->Widget());
        Prepare(grid);
    }
    void Prepare(TOpsGrid* g)
    {
        g->SetWidth(500);
        g->SetColCount(5);
        g->SetRowCount(6);
        g->OnSearchFooterAction = [this](TObject*, const QString& Value, int ACol, int ARow, TSearchAction A) {
            Actions.push_back({Value, ACol, ARow, A});
        };
        TSearchFooter* sf = g->SearchFooter();
        sf->SetFindNextCaption("Find &next");
        sf->SetFindPrevCaption("Find &previous");
        sf->SetHighLightCaption("&Highlight");
        sf->SetMatchCaseCaption("Match case");
        sf->SetVisible(true);
        QApplication::processEvents();
    }
    TSearchPanel* Panel() const { return grid->SearchPanel(); }
    TRetEdit* Edit() const { return Panel()->Edit(); }
    void Type(const QString& Text)
    {
        Edit()->SetFocus();
        QApplication::processEvents();
        QTest::keyClicks(Edit()->Widget(), Text);
    }
    void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(Edit()->Widget(), K, M); }
    static void Click(TControl* C) { QTest::mouseClick(C->Widget(), Qt::LeftButton, {}, QPoint(3, 3)); }
    TAction Last() const { return Actions.empty() ? TAction{"<none>", 0, 0, saFindFirst} : Actions.back(); }

    std::vector<TAction> Actions;
};

TEST_F(SearchFooterPanel, PanelLayout)
{
    TSearchPanel* p = Panel();
    EXPECT_EQ(p->Height(), 32);
    EXPECT_EQ(p->Top() + p->Height(), grid->ClientHeight());
    struct Place {
        const char* Name;
        TControl* Control;
        int Left, Top, Width, Height;
    };
    const Place places[] = {
        {"forward", p->ForwardButton(), 140, 5, 90, 23}, {"backward", p->BackwardButton(), 235, 5, 90, 23},
        {"exit", p->ExitButton(), 5, 7, 14, 14},         {"highlight", p->HiliteButton(), 330, 5, 90, 23},
    };
    for (const Place& e : places) {
        EXPECT_EQ(e.Control->Left(), e.Left) << e.Name;
        EXPECT_EQ(e.Control->Top(), e.Top) << e.Name;
        EXPECT_EQ(e.Control->Width(), e.Width) << e.Name;
        EXPECT_EQ(e.Control->Height(), e.Height) << e.Name;
    }
    EXPECT_EQ(Edit()->Left(), 25);
    EXPECT_EQ(Edit()->Top(), 6);
    EXPECT_EQ(Edit()->Width(), 110);
    EXPECT_EQ(p->MatchCase()->Left(), 425);
    EXPECT_EQ(p->MatchCase()->Top(), 8);
    EXPECT_EQ(p->ForwardButton()->Caption(), "Find &next");
    EXPECT_EQ(p->HiliteButton()->Style(), tasCheck);

    grid->SearchFooter()->SetShowHighLight(false);
    EXPECT_EQ(p->MatchCase()->Left(), 330);
    EXPECT_EQ(p->HiliteButton()->Height(), 0);
    EXPECT_FALSE(p->HiliteButton()->Visible());
}

TEST_F(SearchFooterPanel, RightToLeftMirrorsEditAndButtons)
{
    TOpsGrid* rtl = New([](TOpsGrid* g) { g->SetBiDiMode(bdRightToLeft); });
    grid = rtl;
    Prepare(rtl);
    TSearchPanel* p = rtl->SearchPanel();
    const int w = p->Width();
    ASSERT_GT(w, 400);
    EXPECT_EQ(p->ExitButton()->Left(), w - 14 - 5);
    EXPECT_EQ(p->ForwardButton()->Left(), w - 90 - 140);
    EXPECT_EQ(p->Edit()->Left(), w - 110 - 25);
    EXPECT_EQ(p->MatchCase()->Left(), 425);
}

TEST_F(SearchFooterPanel, EmptyEditDisablesTheFindAndHighlightButtons)
{
    TSearchPanel* p = Panel();
    for (TExtGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
        EXPECT_FALSE(b->Enabled());
    Type("x");
    for (TExtGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
        EXPECT_TRUE(b->Enabled());
    EXPECT_TRUE(p->ExitButton()->Enabled());
}

TEST_F(SearchFooterPanel, AutoSearchStartsFromTheFirstCellAtEachChange)
{
    grid->SetCells(1, 1, "ab");
    grid->SetCells(1, 2, "a");
    Type("a");
    EXPECT_EQ(Last(), (TAction{"a", 1, 1, saFindFirst}));
    Key(Qt::Key_Return);
    EXPECT_EQ(Last(), (TAction{"a", 1, 2, saFindNext}));
    EXPECT_EQ(grid->Row(), 2);
    Type("b");
    EXPECT_EQ(Last(), (TAction{"ab", 1, 1, saFindFirst}));
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(Edit()->Color(), clWindow);
    Type("q");
    EXPECT_EQ(Last(), (TAction{"abq", -1, -1, saFindFirst}));
    EXPECT_EQ(Edit()->Color(), clRed);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Edit()->Color(), clWindow);
    for (int i = 0; i < 2; ++i)
        Key(Qt::Key_Backspace);
    EXPECT_EQ(Edit()->Text(), "");
    EXPECT_EQ(Edit()->Color(), clWindow);
}

TEST_F(SearchFooterPanel, EditChangeHandlerCanTakeOver)
{
    grid->SetCells(1, 1, "a");
    QStringList seen;
    grid->OnSearchEditChange = [&](TObject*, const QString& Value, bool& DefaultSearch) {
        seen << Value;
        DefaultSearch = false;
    };
    Type("a");
    EXPECT_EQ(seen, QStringList{"a"});
    EXPECT_TRUE(Actions.empty());
}

TEST_F(SearchFooterPanel, WithoutAutoSearchReturnStepsAndRestarts)
{
    grid->SearchFooter()->AutoSearch = false;
    grid->SetCells(1, 1, "ka");
    grid->SetCells(1, 3, "ka");
    grid->SetCells(2, 2, "k");
    Type("k");
    EXPECT_TRUE(Actions.empty());
    const std::vector<std::pair<int, int>> expected{{1, 1}, {1, 3}, {2, 2}, {-1, -1}, {1, 1}};
    for (auto [c, r] : expected) {
        Key(Qt::Key_Return);
        EXPECT_EQ(Last(), (TAction{"k", c, r, saFindNext}));
    }
    Key(Qt::Key_Return); // (1, 3)
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Last(), (TAction{"k", 1, 1, saFindPrevious}));
    EXPECT_EQ(grid->SearchFooter()->LastSearch, "k");
    // A text that differs from the last search starts over from the first cell.
    Key(Qt::Key_Return); // (1, 3)
    Type("a");
    Key(Qt::Key_Return);
    EXPECT_EQ(Last(), (TAction{"ka", 1, 1, saFindNext}));
    EXPECT_EQ(grid->SearchFooter()->LastSearch, "ka");
}

TEST_F(SearchFooterPanel, SearchColumnLimitsSearchAndHighlight)
{
    for (int c = 1; c < 5; ++c)
        grid->SetCells(c, 1, "k");
    grid->SearchFooter()->SearchColumn = 2;
    Type("k");
    EXPECT_EQ(Last(), (TAction{"k", 2, 1, saFindFirst}));
    Click(Panel()->HiliteButton());
    EXPECT_TRUE(Panel()->HiliteButton()->Down());
    for (int c = 1; c < 5; ++c)
        EXPECT_EQ(grid->Cells(c, 1), c == 2 ? "<hi>k</hi>" : "k") << c;
    Click(Panel()->HiliteButton());
    EXPECT_EQ(grid->Cells(2, 1), "k");

    grid->SearchFooter()->SearchColumn = 7;
    Click(Panel()->HiliteButton());
    for (int c = 1; c < 5; ++c)
        EXPECT_EQ(grid->Cells(c, 1), "<hi>k</hi>") << c;
    // With the highlight on, each change removes the old marks and marks the new text.
    Type("x");
    EXPECT_EQ(grid->Cells(1, 1), "k");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(grid->Cells(3, 1), "<hi>k</hi>");
    Click(Panel()->HiliteButton());
    EXPECT_EQ(grid->Cells(3, 1), "k");
}

TEST_F(SearchFooterPanel, MatchCaseBoxMakesTheSearchCaseSensitive)
{
    grid->SetCells(1, 1, "Ab");
    grid->SetCells(1, 2, "ab");
    Panel()->MatchCase()->SetChecked(true);
    Type("ab");
    EXPECT_EQ(Last(), (TAction{"ab", 1, 2, saFindFirst}));
}

TEST_F(SearchFooterPanel, CaptionAcceleratorsRunTheButtons)
{
    grid->SetCells(1, 1, "k");
    grid->SetCells(1, 2, "k");
    Type("k");
    Actions.clear();
    Key(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(Last(), (TAction{"k", 1, 2, saFindNext}));
    Key(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(Last(), (TAction{"k", 1, 1, saFindPrevious}));
    Key(Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(Panel()->HiliteButton()->Down());
    EXPECT_EQ(grid->Cells(1, 2), "<hi>k</hi>");
    // A hidden button's accelerator does nothing.
    grid->SearchFooter()->SetShowFindNext(false);
    Actions.clear();
    Key(Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(Actions.empty());
}

TEST_F(SearchFooterPanel, CloseButtonHidesThePanel)
{
    int closes = 0;
    grid->OnSearchFooterClose = [&](TObject* Sender) {
        EXPECT_EQ(Sender, grid);
        EXPECT_TRUE(grid->SearchFooter()->Visible());
        ++closes;
    };
    Click(Panel()->ExitButton());
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(grid->SearchFooter()->Visible());
    EXPECT_EQ(Panel()->Height(), 0);
}

TEST_F(SearchFooterPanel, ErrorInAHandlerLeavesThePanelUsable)
{
    TScopedInteraction shown;
    grid->SetCells(1, 1, "k");
    int calls = 0;
    grid->OnSearchFooterAction = [&](TObject*, const QString&, int, int, TSearchAction) {
        ++calls;
        throw Exception("handler failed");
    };
    Type("k");
    Key(Qt::Key_Return);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(Edit()->Text(), "k");
    ASSERT_FALSE(shown->Messages.empty());
    EXPECT_TRUE(shown->Messages.front().Text.contains("handler failed"));
}

TEST_F(SearchFooterPanel, ReturnStaysInTheEdit)
{
    QStringList presses;
    Edit()->OnKeyPress = [&](TObject*, char16_t& K) { presses << QString::number(int(K)); };
    Type("a");
    Key(Qt::Key_Return);
    EXPECT_EQ(Edit()->Text(), "a");
    EXPECT_EQ(presses, QStringList{"97"});
}

TEST_F(SearchFooterPanel, KeysKeepTheLastRowClearOfThePanel)
{
    grid->SetRowCount(100);
    grid->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(grid->Widget(), Qt::Key_End, Qt::ControlModifier);
    ASSERT_EQ(grid->Row(), 99);
    const int limit = grid->ClientHeight() - Panel()->Height() + 2;
    EXPECT_GT(grid->CellRect(0, 99).Bottom, 0);
    EXPECT_LE(grid->CellRect(0, 99).Bottom, limit);
    const int top = grid->TopRow();
    QTest::keyClick(grid->Widget(), Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 99);
    EXPECT_EQ(grid->TopRow(), top);
    // Ctrl+F puts the focus into the footer's edit.
    QTest::keyClick(grid->Widget(), Qt::Key_F, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(Edit()->Focused());
}

TEST_F(SearchFooterPanel, FixedCellEditChangeReportsTheFixedCell)
{
    auto* box = new TEdit(grid);
    box->SetParent(grid);
    box->OnChange = [this](TObject* Sender) { grid->FixedEditChange(Sender); };
    std::vector<TAction> seen;
    grid->OnEditChange = [&](TObject*, int ACol, int ARow, const QString& Value) {
        seen.push_back({Value, ACol, ARow, saFindFirst});
    };
    grid->StartFixedCellEdit(2, 0);
    box->SetFocus();
    QApplication::processEvents();
    QTest::keyClicks(box->Widget(), "h");
    EXPECT_EQ(seen, (std::vector<TAction>{{"h", 2, 0, saFindFirst}}));
}

} // namespace
