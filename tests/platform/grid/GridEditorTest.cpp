// The toolkit grid's in-place editor on a shown form: creation and loading, write-back to the cell it
// was loaded from, live change notification, reloads on cell writes, the keys that open, close and
// leave it, and the characters it refuses.
#include "platform/grid/GridInputTestSupport.h"

#include "platform/core/SysUtils.h"

#include <QPointer>
#include <QRegularExpression>
#include <QToolTip>

using namespace gridinput_test;

namespace
{

class GridEditor : public GridInput
{
  protected:
    void SetUp() override
    {
        GridInput::SetUp();
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetSelection(TGridRect{2, 3, 2, 3});
        grid->Calls.clear();
    }
};

TEST_F(GridEditor, F2CreatesLoadsAndPlacesTheEditorOnce)
{
    Key(Qt::Key_F2);
    EXPECT_EQ(grid->Calls, QStringList({"CanShowEditor", "CreateInplaceEditor", "ReadEditText(2,3)"}));
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 3));
    EXPECT_EQ(Editor()->Text(), "2:3");
    EXPECT_EQ(Editor()->SelLength(), 3) << "loaded all selected";
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Editor()->Parent(), grid);

    grid->Calls.clear();
    Key(Qt::Key_F2); // in the open editor
    EXPECT_TRUE(grid->Calls.filter(QRegularExpression("Create|Read")).isEmpty());
    EXPECT_EQ(Editor()->SelLength(), 0);
}

TEST_F(GridEditor, ATypedCharacterReplacesTheTextAndAClickWritesItBackBeforeTheMove)
{
    Type("a");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "a");
    EXPECT_EQ(grid->Cells(2, 3), "2:3") << "the toolkit writes nothing while typing";

    grid->Calls.clear();
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, CellCentre(4, 5));
    const int written = grid->Calls.indexOf("WriteEditText(2,3,a)");
    ASSERT_GE(written, 0);
    EXPECT_LT(written, grid->Calls.indexOf("SelectCell(4,5)"));
    EXPECT_EQ(grid->Cells(2, 3), "a");
    EXPECT_FALSE(EditorShown()) << "the first click only moves";
    EXPECT_TRUE(grid->Focused());

    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, CellCentre(4, 5));
    EXPECT_TRUE(EditorShown()) << "a click on the current cell opens the editor";
    EXPECT_EQ(Editor()->Text(), "4:5");
}

TEST_F(GridEditor, EnterOpensAndClosesTheEditor)
{
    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(grid->EditorMode());
    Type("xy");
    Key(Qt::Key_Return);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(2, 3), "xy");
    EXPECT_TRUE(grid->Focused());
}

struct TEditorKeyCase {
    const char* Name;
    Qt::Key Key;
    WORD Vk;
    int Row;
    bool StaysOpen;
};

class GridEditorKeys : public GridEditor, public ::testing::WithParamInterface<TEditorKeyCase>
{
};

TEST_P(GridEditorKeys, KeysThatLeaveTheTextGoToTheGrid)
{
    const TEditorKeyCase& c = GetParam();
    QList<WORD> gridKeys;
    grid->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { gridKeys << key; };
    Key(Qt::Key_F2);
    Type("q");
    gridKeys.clear();
    grid->Calls.clear();
    Key(c.Key);
    EXPECT_EQ(gridKeys, QList<WORD>({c.Vk}));
    EXPECT_EQ(grid->Row(), c.Row);
    EXPECT_EQ(EditorShown(), c.StaysOpen);
    EXPECT_EQ(grid->Calls.contains("WriteEditText(2,3,q)"), !c.StaysOpen);
}

INSTANTIATE_TEST_SUITE_P(Grid, GridEditorKeys,
                         ::testing::Values(TEditorKeyCase{"Up", Qt::Key_Up, VK_UP, 2, false},
                                           TEditorKeyCase{"Down", Qt::Key_Down, VK_DOWN, 4, false},
                                           TEditorKeyCase{"PageDown", Qt::Key_PageDown, VK_NEXT, 13, false},
                                           TEditorKeyCase{"Escape", Qt::Key_Escape, VK_ESCAPE, 3, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridEditor, LeftAndRightStayInTheTextUnlessTheEditorAlwaysShows)
{
    Key(Qt::Key_F2);
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(EditorShown());

    grid->SetOptions(grid->Options() | goAlwaysShowEditor);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 1) << "at the start of the text Left leaves it";
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(1, 3));
    EXPECT_EQ(Editor()->Text(), "1:3");
}

TEST_F(GridEditor, TabInTheEditorMovesTheCellWithGoTabsAndTheFocusWithout)
{
    for (bool tabs : {true, false}) {
        SCOPED_TRACE(tabs ? "goTabs" : "no goTabs");
        grid->SetOptions(tabs ? grid->Options() | goTabs : grid->Options() - goTabs);
        grid->SetFocus();
        grid->SetSelection(TGridRect{2, 3, 2, 3});
        Key(Qt::Key_F2);
        ASSERT_TRUE(Editor()->Focused());
        grid->Calls.clear();
        Key(Qt::Key_Tab);
        EXPECT_EQ(grid->Col(), tabs ? 3 : 2);
        EXPECT_EQ(other->Focused(), !tabs);
        EXPECT_EQ(grid->Calls.count("DoExit"), tabs ? 0 : 1);
        grid->HideEditor();
    }
}

TEST_F(GridEditor, EveryTextChangeNotifiesTheGridAndComesBackAsOnChange)
{
    Key(Qt::Key_F2);
    int notified = 0, changes = 0;
    grid->OnMessage = [&](TMessage& m) {
        if (m.Msg == WM_COMMAND && (m.WParam >> 16) == EN_CHANGE && HWND(m.LParam) == Editor()->Handle())
            ++notified;
    };
    Editor()->OnChange = [&](TObject*) { ++changes; };
    Type("ab");
    EXPECT_EQ(notified, 2);
    Editor()->SetText("by code");
    EXPECT_EQ(notified, 3);
    EXPECT_EQ(changes, 3) << "the grid reflects each notification to the editor";
    EXPECT_EQ(grid->Cells(2, 3), "2:3");
}

TEST_F(GridEditor, ALiveWriteOfTheEditedCellDoesNotReloadTheEditor)
{
    grid->LiveWrite = true;
    Key(Qt::Key_F2);
    grid->Calls.clear();
    Type("ab");
    EXPECT_EQ(grid->Cells(2, 3), "ab");
    EXPECT_EQ(Editor()->Text(), "ab") << "a reload would have selected 'a' for 'b' to replace";
    EXPECT_TRUE(grid->Calls.filter("ReadEditText").isEmpty());
}

struct TCellWriteCase {
    const char* Name;
    TGridCoord Cell;
    QString EditorText;
};

class GridEditorCellWrites : public GridEditor, public ::testing::WithParamInterface<TCellWriteCase>
{
};

TEST_P(GridEditorCellWrites, AWriteOfTheCurrentCellReloadsTheEditor)
{
    const TCellWriteCase& c = GetParam();
    Key(Qt::Key_F2);
    grid->SetCells(c.Cell.X, c.Cell.Y, "stored");
    EXPECT_EQ(Editor()->Text(), c.EditorText);
    EXPECT_TRUE(EditorShown());
}

INSTANTIATE_TEST_SUITE_P(Grid, GridEditorCellWrites,
                         ::testing::Values(TCellWriteCase{"CurrentCell", {2, 3}, "stored"},
                                           TCellWriteCase{"OtherCell", {3, 3}, "2:3"}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TRefuseCase {
    const char* Name;
    bool Digits;
    bool Modify;
    QString Text;
    int Beeps;
};

class GridEditorRefusals : public GridEditor, public ::testing::WithParamInterface<TRefuseCase>
{
};

TEST_P(GridEditorRefusals, TheGridDecidesWhatMayBeTyped)
{
    const TRefuseCase& c = GetParam();
    Key(Qt::Key_F2);
    Key(Qt::Key_End);
    grid->AcceptKey = [&](char16_t k) { return c.Digits || !(k >= '0' && k <= '9'); };
    grid->Modify = c.Modify;
    ResetBeepCount();
    Type("a1");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Editor()->Text(), c.Text);
    EXPECT_EQ(BeepCount(), c.Beeps);
}

INSTANTIATE_TEST_SUITE_P(Grid, GridEditorRefusals,
                         ::testing::Values(TRefuseCase{"Everything", true, true, "2:3a", 0},
                                           TRefuseCase{"NoDigits", false, true, "2:3", 1},
                                           TRefuseCase{"NoChange", true, false, "2:3", 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridEditor, ADoubleClickInTheEditorIsTheGridsDoubleClick)
{
    Key(Qt::Key_F2);
    QTest::mouseDClick(Editor()->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(grid->Calls.count("DblClick"), 1);
}

TEST_F(GridEditor, ABalloonShowsNextToTheEditorAndIsKept)
{
    Key(Qt::Key_F2);
    ShowEditBalloon(Editor(), "Value", "Between 0 & 10", 3);
    EXPECT_EQ(LastEditBalloon().Edit, Editor());
    EXPECT_EQ(LastEditBalloon().Text, "Between 0 & 10");
    EXPECT_EQ(LastEditBalloon().Icon, 3);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("Between 0 &amp; 10"));
    QToolTip::hideText();
}

TEST_F(GridEditor, AGridFreedWithAnOpenEditorTakesItAlong)
{
    Key(Qt::Key_F2);
    ASSERT_TRUE(Editor()->Focused());
    Type("z");
    QPointer<QWidget> editorWidget = Editor()->Widget();
    delete grid;
    grid = nullptr;
    EXPECT_TRUE(editorWidget.isNull());
    QApplication::processEvents();
}

} // namespace
