// The toolkit grid's open editor follows its cell through scrolling, size, count and client changes,
// hides while the cell is out of view and comes back with its text; opening it scrolls the current
// cell into view first; any printable character typed into a closed grid opens it.
#include "platform/grid/GridInputTestSupport.h"

#include <QScrollBar>

using namespace gridinput_test;

namespace
{

class GridEditorPlace : public GridInput
{
  protected:
    void SetUp() override
    {
        GridInput::SetUp();
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetSelection(TGridRect{2, 3, 2, 3});
        Key(Qt::Key_F2);
        Type("q");
        grid->Calls.clear();
    }

    // Open, loaded for (2, 3) with "q", and exactly over the cell.
    void ExpectOverTheCell() const
    {
        ASSERT_TRUE(EditorShown());
        EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 3));
        EXPECT_FALSE(grid->CellRect(2, 3).IsEmpty());
        EXPECT_EQ(Editor()->Text(), "q");
        EXPECT_TRUE(Editor()->Focused());
    }

    // A key whose event carries a character the key code does not name.
    static void TypeChar(QChar ch)
    {
        QWidget* w = QApplication::focusWidget();
        const auto key = Qt::Key(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, w, key, QString(ch), {});
        QTest::sendKeyEvent(QTest::Release, w, key, QString(ch), {});
        QApplication::processEvents();
    }
};

struct TPlaceCase {
    const char* Name;
    std::function<void(TInputGrid*)> Change;
    bool CellShows;                        // some part of (2, 3) is still in view
    std::function<void(TInputGrid*)> Undo; // brings the cell back (when it went)
};

class GridEditorFollows : public GridEditorPlace, public ::testing::WithParamInterface<TPlaceCase>
{
};

TEST_P(GridEditorFollows, TheOpenEditorStaysOnItsCellOrHidesUntilItComesBack)
{
    const TPlaceCase& c = GetParam();
    c.Change(grid);
    QApplication::processEvents();
    ASSERT_EQ(!grid->CellRect(2, 3).IsEmpty(), c.CellShows) << "the case moves the cell as meant";
    if (c.CellShows) {
        ExpectOverTheCell();
    } else {
        EXPECT_FALSE(Editor()->Visible());
        EXPECT_EQ(grid->InplaceCol(), 2) << "still loaded";
        EXPECT_EQ(grid->InplaceRow(), 3);
        EXPECT_TRUE(grid->Focused()) << "the focus went to the grid, nowhere else";
        c.Undo(grid);
        QApplication::processEvents();
        ExpectOverTheCell();
    }
    EXPECT_TRUE(grid->Calls.filter("WriteEditText").isEmpty());
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 3), "q");
}

void ClickBelowTheSlider(TInputGrid* g)
{
    QScrollBar* bar = g->ScrollBar(SB_VERT);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 30));
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridEditorFollows,
    ::testing::Values(
        TPlaceCase{"CtrlDownInTheEditor",
                   [](TInputGrid*) { GridInput::Key(Qt::Key_Down, Qt::ControlModifier); }, true, nullptr},
        TPlaceCase{"WiderColumnBefore", [](TInputGrid* g) { g->SetColWidths(1, 100); }, true, nullptr},
        TPlaceCase{"TallerRowBefore", [](TInputGrid* g) { g->SetRowHeights(2, 40); }, true, nullptr},
        TPlaceCase{"TopRowWritten", [](TInputGrid* g) { g->SetTopRow(2); }, true, nullptr},
        TPlaceCase{"PageDownOnTheBar", ClickBelowTheSlider, false, [](TInputGrid* g) { g->SetTopRow(1); }},
        TPlaceCase{"ColumnWidthPushesItOut", [](TInputGrid* g) { g->SetColWidths(1, 400); }, false,
                   [](TInputGrid* g) { g->SetColWidths(1, 64); }},
        TPlaceCase{"NarrowedClient", [](TInputGrid* g) { g->SetClientWidth(100); }, false,
                   [](TInputGrid* g) { g->SetClientWidth(400); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridEditorPlace, TheCellUnderTheMovedEditorIsNotPaintedButTheOneItLeftIs)
{
    Key(Qt::Key_Down, Qt::ControlModifier);
    grid->Drawn.clear();
    grid->Viewport()->repaint();
    auto drawn = [&](int c, int r) {
        return std::find(grid->Drawn.begin(), grid->Drawn.end(), TGridCoord{c, r}) != grid->Drawn.end();
    };
    EXPECT_FALSE(drawn(2, 3)) << "covered by the editor";
    EXPECT_TRUE(drawn(2, 4)) << "now where the editor was";
    EXPECT_TRUE(drawn(3, 3));
}

TEST_F(GridEditorPlace, ACountThatRemovesTheEditedCellEndsTheEditWithoutWriting)
{
    grid->HideEditor();
    grid->SetSelection(TGridRect{2, 8, 2, 8});
    Key(Qt::Key_F2);
    Type("lost");
    grid->Calls.clear();
    grid->SetRowCount(5);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid->EditorMode());
    Key(Qt::Key_Return); // opens the editor on the clamped cell
    Key(Qt::Key_Return);
    EXPECT_TRUE(grid->Calls.filter("lost").isEmpty()) << grid->Calls.join(" ").toStdString();
    EXPECT_EQ(grid->Cells(2, 8), "2:8");
    EXPECT_EQ(grid->Cells(2, 4), "2:4");
}

TEST_F(GridEditorPlace, AlwaysShownTheEditorMovesToTheClampedCell)
{
    grid->SetOptions(grid->Options() | goAlwaysShowEditor);
    grid->SetSelection(TGridRect{2, 8, 2, 8});
    grid->ShowEditor();
    Type("lost");
    grid->SetRowCount(5);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(grid->InplaceRow(), 4);
    EXPECT_EQ(Editor()->Text(), "2:4");
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 4));
    EXPECT_EQ(grid->Cells(2, 8), "2:8");
}

struct TOpenCase {
    const char* Name;
    std::function<void()> Open;
    QString Text;
};

class GridEditorOpensInView : public GridEditorPlace, public ::testing::WithParamInterface<TOpenCase>
{
};

TEST_P(GridEditorOpensInView, OpeningOnACellOutOfViewScrollsItInFirst)
{
    const TOpenCase& c = GetParam();
    grid->HideEditor();
    grid->SetCells(2, 3, "q");
    grid->SetTopRow(10);
    ASSERT_TRUE(grid->CellRect(2, 3).IsEmpty());
    c.Open();
    EXPECT_EQ(grid->TopRow(), 3);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 3));
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Editor()->Text(), c.Text);
}

INSTANTIATE_TEST_SUITE_P(Grid, GridEditorOpensInView,
                         ::testing::Values(TOpenCase{"F2", [] { GridInput::Key(Qt::Key_F2); }, "q"},
                                           TOpenCase{"Enter", [] { GridInput::Key(Qt::Key_Return); }, "q"},
                                           TOpenCase{"TypedCharacter", [] { GridInput::Type("x"); }, "x"}),
                         [](const auto& info) { return std::string(info.param.Name); });

class GridEditorCharacters : public GridEditorPlace, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(GridEditorCharacters, APrintableCharacterOpensTheEditorWithIt)
{
    grid->HideEditor();
    const QString ch = QString::fromUtf8(GetParam());
    TypeChar(ch[0]);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), ch);
    TypeChar(ch[0]);
    EXPECT_EQ(Editor()->Text(), ch + ch) << "and goes on typing in the editor";
}

INSTANTIATE_TEST_SUITE_P(Grid, GridEditorCharacters, ::testing::Values("€", "Ж", "é", "中"),
                         [](const auto& info) { return std::to_string(info.index); });

} // namespace
