// The toolkit grid as a real widget on a shown form: counts, sizes, the current cell and selection,
// the order of its notifications, moves, geometry, scroll bars and the paint loop.
#include "platform/controls/Forms.h"
#include "platform/grid/StringGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace
{

// Records every notification with its arguments, in order.
class TRecordingGrid : public TStringGrid
{
  public:
    using TStringGrid::TStringGrid;

    struct TDrawn {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    QStringList Calls;
    std::vector<TDrawn> Drawn;
    bool Answer = true;                    // what CanSelectCell says
    std::function<void()> OnWidthsChanged; // runs inside ColWidthsChanged

    void Click() override
    {
        Calls << "Click";
        TStringGrid::Click();
    }
    void WMVScroll(int code, int pos) override
    {
        ScrollCodes << code;
        TStringGrid::WMVScroll(code, pos);
    }
    // Protected services the input half will call.
    using TCustomGrid::AutoScrollStep;
    using TCustomGrid::CalcSizingState;
    using TCustomGrid::MoveAnchor;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveCurrent;
    using TCustomGrid::MoveRow;
    QList<int> ScrollCodes; // WMVScroll codes received
    void SetGridState(TGridState s) { FGridState = s; }

  protected:
    bool CanSelectCell(int c, int r) override
    {
        Calls << QString("SelectCell(%1,%2)").arg(c).arg(r);
        return Answer;
    }
    void TopLeftChanged() override
    {
        Calls << QString("TopLeftChanged(%1,%2)").arg(LeftCol()).arg(TopRow());
        TStringGrid::TopLeftChanged();
    }
    void SizeChanged(int oldC, int oldR) override
    {
        Calls << QString("SizeChanged(%1,%2)").arg(oldC).arg(oldR);
    }
    void ColWidthsChanged() override
    {
        Calls << "ColWidthsChanged";
        if (OnWidthsChanged)
            OnWidthsChanged();
    }
    void RowHeightsChanged() override { Calls << "RowHeightsChanged"; }

    void ColumnMoved(int from, int to) override
    {
        Calls << QString("ColumnMoved(%1,%2)").arg(from).arg(to);
        TStringGrid::ColumnMoved(from, to);
    }
    void RowMoved(int from, int to) override
    {
        Calls << QString("RowMoved(%1,%2)").arg(from).arg(to);
        TStringGrid::RowMoved(from, to);
    }
    void DrawCell(int c, int r, const TRect& rect, TGridDrawState state) override
    {
        Drawn.push_back({c, r, rect, state});
        TStringGrid::DrawCell(c, r, rect, state);
    }
};

class GridOnForm : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        grid = new TRecordingGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 400, 300);
        grid->SetGridLineWidth(0); // cells abut, as in the grid family, which draws its own lines
        other = new TRecordingGrid(form.get());
        other->SetParent(form.get());
        other->SetBounds(450, 10, 100, 100);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        QApplication::processEvents();
        grid->Calls.clear();
    }

    // 20 rows of 22 px, 1 fixed, a client area 230 px high with the vertical bar only.
    void TwentyRows()
    {
        grid->SetScrollBars(ssVertical);
        grid->SetRowCount(20);
        grid->SetDefaultRowHeight(22);
        grid->SetClientHeight(230);
        grid->Calls.clear();
    }

    void Focus(TWinControl* control)
    {
        control->SetFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), control->Widget());
    }

    // One paint of the client area, recorded.
    void PaintOnce()
    {
        grid->Drawn.clear();
        grid->Viewport()->grab();
    }

    std::unique_ptr<TForm> form;
    TRecordingGrid* grid = nullptr;
    TRecordingGrid* other = nullptr;
};

QStringList RowTexts(TStringGrid* g, int r, int n)
{
    QStringList out;
    for (int c = 0; c < n; ++c)
        out << g->Cells(c, r);
    return out;
}

} // namespace

// ---- Counts and sizes --------------------------------------------------------------------------------

TEST_F(GridOnForm, FixedCountMustStayBelowTheCountAndCountWritesLowerIt)
{
    ASSERT_EQ(grid->RowCount(), 5);
    ASSERT_EQ(grid->FixedRows(), 1);
    EXPECT_THROW(grid->SetFixedRows(5), EInvalidGridOperation);
    EXPECT_THROW(grid->SetFixedCols(-1), EInvalidGridOperation);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    grid->SetRowCount(1);
    EXPECT_EQ(grid->FixedRows(), 0);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->TopRow(), 0);
    grid->SetFixedRows(0); // 0 is allowed
    grid->SetRowCount(5);
    grid->SetFixedRows(2);
    EXPECT_EQ(grid->Row(), 2) << "current cell leaves the fixed area";
    EXPECT_EQ(grid->TopRow(), 2);
}

TEST_F(GridOnForm, CountChangesClampWithoutAskingAndKeepStoredCells)
{
    TwentyRows();
    grid->SetCells(7, 20, "x");
    grid->SetRowCount(30);
    grid->SetColCount(10);
    EXPECT_EQ(grid->Cells(7, 20), "x");

    grid->SetCol(3);
    grid->SetRow(15);
    grid->SetTopRow(11);
    grid->Calls.clear();
    grid->SetRowCount(3);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 2, 3, 2}));
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_EQ(grid->Calls, QStringList({"SizeChanged(10,30)", "TopLeftChanged(1,1)"}))
        << "no SelectCell, no Click";
    grid->SetRowCount(30);
    EXPECT_EQ(grid->Cells(7, 20), "x") << "cells beyond the count survive";
    EXPECT_EQ(grid->RowHeights(25), 22) << "new rows get the default height";
}

TEST_F(GridOnForm, SizeNotificationsFollowChangesOnly)
{
    grid->SetColWidths(2, 80);
    EXPECT_EQ(grid->Calls, QStringList({"ColWidthsChanged"}));
    grid->SetColWidths(2, 80);
    EXPECT_EQ(grid->Calls.size(), 1) << "an equal width notifies nothing";

    grid->Calls.clear();
    grid->SetRowHeights(3, 40);
    grid->SetDefaultRowHeight(grid->DefaultRowHeight()); // the value it already has
    EXPECT_EQ(grid->RowHeights(3), grid->DefaultRowHeight());
    EXPECT_EQ(grid->Calls, QStringList({"RowHeightsChanged", "RowHeightsChanged"}));

    grid->Calls.clear();
    grid->SetColWidths(1, 30);
    grid->SetDefaultColWidth(50);
    EXPECT_EQ(grid->ColWidths(1), 50);
    EXPECT_EQ(grid->Calls, QStringList({"ColWidthsChanged", "ColWidthsChanged"}));
}

TEST_F(GridOnForm, WidthNotificationIsReentrant)
{
    // A stretch inside the notification: the last column takes what is left of 300 px.
    grid->OnWidthsChanged = [this] {
        int used = 0;
        for (int c = 0; c < grid->ColCount() - 1; ++c)
            used += grid->ColWidths(c);
        grid->SetColWidths(grid->ColCount() - 1, 300 - used);
    };
    grid->SetColWidths(1, 100);
    EXPECT_EQ(grid->ColWidths(4), 300 - (64 + 100 + 64 + 64));
    EXPECT_EQ(grid->Calls, QStringList({"ColWidthsChanged", "ColWidthsChanged"}))
        << "one for the change, one nested for the stretch";
}

// ---- Current cell and selection ----------------------------------------------------------------------

TEST_F(GridOnForm, RowWriteAsksFirstThenScrollsThenClicks)
{
    TwentyRows();
    grid->SetRow(3);
    EXPECT_EQ(grid->Calls, QStringList({"SelectCell(1,3)", "Click"}));

    grid->Calls.clear();
    grid->SetRow(15);
    EXPECT_EQ(grid->Calls, QStringList({"SelectCell(1,15)", "TopLeftChanged(1,7)", "Click"}))
        << "scrolled so that row 15 is the last whole row";

    grid->Calls.clear();
    grid->SetRow(grid->Row());
    EXPECT_TRUE(grid->Calls.isEmpty()) << "an equal value does nothing at all";

    grid->Answer = false;
    grid->SetRow(2);
    EXPECT_EQ(grid->Calls, QStringList({"SelectCell(1,2)"}));
    EXPECT_EQ(grid->Row(), 15);
    EXPECT_EQ(grid->TopRow(), 7);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 15, 1, 15}));
}

TEST_F(GridOnForm, SelectionWriteIsTakenAsGivenWithoutAsking)
{
    grid->SetSelection(TGridRect{3, 4, 1, 2});
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));
    // Parked outside the grid, as the grid family hides its selection.
    grid->SetSelection(TGridRect{grid->ColCount(), grid->RowCount(), grid->ColCount(), grid->RowCount()});
    EXPECT_EQ(grid->Col(), grid->ColCount());
    PaintOnce();
    EXPECT_EQ(grid->Drawn.size(), 25u);
    EXPECT_TRUE(grid->Calls.isEmpty());
}

TEST_F(GridOnForm, AnchorMovesAloneWithRangeSelect)
{
    grid->SetRowCount(10);
    grid->MoveCurrent(2, 3, true, true);
    grid->Calls.clear();
    grid->MoveAnchor(TGridCoord{4, 6});
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 4, 6}));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(grid->Calls.filter("SelectCell").isEmpty());

    grid->SetOptions(grid->Options() - goRangeSelect);
    grid->MoveAnchor(TGridCoord{4, 6});
    EXPECT_EQ(grid->Selection(), (TGridRect{4, 6, 4, 6})) << "without range select the current cell moves";
    EXPECT_EQ(grid->Calls.filter("SelectCell"), QStringList({"SelectCell(4,6)"}));
}

TEST_F(GridOnForm, RowSelectSpansTheRowAndOnlyItsSwitchAsks)
{
    grid->SetRow(2);
    grid->Calls.clear();
    grid->SetOptions(grid->Options() | goRowSelect | goAlwaysShowEditor);
    EXPECT_FALSE(grid->Options().Contains(goAlwaysShowEditor)) << "row select drops the always-shown editor";
    EXPECT_EQ(grid->Calls, QStringList({"SelectCell(1,2)"}));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 4, 2}));

    grid->Calls.clear();
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetOptions(grid->Options() - goEditing);
    EXPECT_TRUE(grid->Calls.isEmpty()) << "flipping goEditing is silent";

    grid->SetColCount(8);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 7, 2})) << "the selected row follows the column count";
}

// ---- Moves ---------------------------------------------------------------------------------------------

TEST_F(GridOnForm, MoveColumnShiftsTextsOfEveryRowAndNothingElse)
{
    for (int c = 0; c < 5; ++c) {
        grid->SetCells(c, 0, QString("a%1").arg(c));
        grid->SetCells(c, 40, QString("b%1").arg(c)); // beyond the row count
    }
    grid->SetColWidths(1, 90);
    grid->SetCol(2);
    int fired = 0;
    grid->OnColumnMoved = [&](TObject*, int from, int to) {
        EXPECT_EQ(from, 1);
        EXPECT_EQ(to, 3);
        ++fired;
    };
    grid->Calls.clear();
    grid->MoveColumn(1, 3);
    EXPECT_EQ(RowTexts(grid, 0, 5), QStringList({"a0", "a2", "a3", "a1", "a4"}));
    EXPECT_EQ(RowTexts(grid, 40, 5), QStringList({"b0", "b2", "b3", "b1", "b4"}));
    EXPECT_EQ(grid->ColWidths(1), 90) << "widths do not move";
    EXPECT_EQ(grid->Col(), 2) << "nor does the current cell";
    EXPECT_EQ(grid->Calls, QStringList({"ColumnMoved(1,3)"}));
    EXPECT_EQ(fired, 1);
}

TEST_F(GridOnForm, DeleteRowKeepsTheRowStoredBeyondTheCount)
{
    for (int r = 0; r < 5; ++r)
        grid->SetCells(1, r, QString("r%1").arg(r));
    grid->DeleteRow(2);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Cells(1, 2), "r3");
    EXPECT_EQ(grid->Cells(1, 3), "r4");
    EXPECT_EQ(grid->Cells(1, 4), "r2");
    EXPECT_EQ(grid->Calls.first(), "RowMoved(2,4)");
}

TEST_F(GridOnForm, RowAndColumnViewsCopyAndAssign)
{
    grid->SetCells(0, 1, "h");
    grid->SetCells(2, 1, "x");
    grid->SetCells(7, 1, "hidden"); // beyond ColCount
    TStringList copy;
    copy.Assign(grid->Rows(1).get());
    EXPECT_EQ(copy.ToStringList(), QStringList({"h", "", "x", "", ""}));

    grid->SetColCount(8); // the hidden column travels when the count is raised around the copy
    copy.Assign(grid->Rows(1).get());
    EXPECT_EQ(copy.Strings(7), "hidden");

    TStringList two;
    two.Add("p");
    two.Add("q");
    grid->SetCols(2, &two);
    EXPECT_EQ(grid->Cells(2, 0), "p");
    EXPECT_EQ(grid->Cells(2, 1), "q");
    EXPECT_EQ(grid->Cells(0, 1), "h") << "entries past the list stay";
    EXPECT_THROW(grid->Rows(1)->Delete(0), EInvalidGridOperation);
}

TEST_F(GridOnForm, UpdateBlocksNestAndHoldThePainting)
{
    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->SetCells(1, 1, "a");
    EXPECT_FALSE(grid->Viewport()->updatesEnabled());
    grid->EndUpdate();
    EXPECT_FALSE(grid->Viewport()->updatesEnabled()) << "still inside the outer block";
    grid->EndUpdate();
    EXPECT_TRUE(grid->Viewport()->updatesEnabled());
    grid->EndUpdate(); // unbalanced: no effect
    EXPECT_TRUE(grid->Viewport()->updatesEnabled());
    EXPECT_EQ(grid->Cells(1, 1), "a");
}

// ---- Bad input ------------------------------------------------------------------------------------------

struct BadInputCase {
    const char* name;
    std::function<void(TRecordingGrid*)> act;
};

class GridBadInput : public GridOnForm, public ::testing::WithParamInterface<BadInputCase>
{
};

TEST_P(GridBadInput, RaisesAndChangesNothing)
{
    grid->SetRow(2);
    grid->SetColWidths(1, 70);
    grid->Calls.clear();
    EXPECT_ANY_THROW(GetParam().act(grid));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->ColWidths(1), 70);
    EXPECT_TRUE(grid->Calls.isEmpty()) << grid->Calls.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridBadInput,
    ::testing::Values(BadInputCase{"rowAtCount", [](TRecordingGrid* g) { g->SetRow(5); }},
                      BadInputCase{"negativeCol", [](TRecordingGrid* g) { g->SetCol(-1); }},
                      BadInputCase{"moveOutside",
                                   [](TRecordingGrid* g) { g->MoveCurrent(1, 9, true, true); }},
                      BadInputCase{"widthAtCount", [](TRecordingGrid* g) { g->SetColWidths(5, 10); }},
                      BadInputCase{"readWidthAtCount", [](TRecordingGrid* g) { g->ColWidths(5); }},
                      BadInputCase{"negativeHeight", [](TRecordingGrid* g) { g->RowHeights(-1); }},
                      BadInputCase{"fixedRowsAtCount", [](TRecordingGrid* g) { g->SetFixedRows(5); }},
                      BadInputCase{"negativeRowWrite", [](TRecordingGrid* g) { g->SetCells(0, -1, "x"); }},
                      BadInputCase{"deleteOutside", [](TRecordingGrid* g) { g->DeleteRow(5); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridOnForm, OutOfRangeValuesAreClampedWhereTheyAreNoError)
{
    grid->SetRowCount(0);
    EXPECT_EQ(grid->RowCount(), 1);
    grid->SetColCount(-3);
    EXPECT_EQ(grid->ColCount(), 1);
    grid->SetColWidths(0, -5);
    EXPECT_EQ(grid->ColWidths(0), 0);
    try {
        grid->Cells(0, -1);
        FAIL() << "negative row read";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (-1)");
    }
    try {
        grid->SetRow(3);
        FAIL() << "row outside the count";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message, "Grid index out of range");
    }
}

// ---- Geometry
// ----------------------------------------------------------------------------------------------

struct HitCase {
    int x, y;
    int col, row;
};

TEST_F(GridOnForm, MouseToCellAtTheEdges)
{
    // 5 x 5 cells of 64 x 24, all visible.
    const HitCase cases[] = {
        {0, 0, 0, 0},     {63, 23, 0, 0},   {64, 24, 1, 1},   {319, 119, 4, 4},
        {320, 10, -1, 0}, {10, 120, 0, -1}, {-1, -1, -1, -1},
    };
    for (const HitCase& c : cases) {
        int col = 99, row = 99;
        grid->MouseToCell(c.x, c.y, col, row);
        EXPECT_EQ(col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
        EXPECT_EQ(grid->MouseCoord(c.x, c.y), (TGridCoord{c.col, c.row}));
    }
    grid->SetTopRow(3); // a direct write may scroll even when everything fits
    EXPECT_EQ(grid->MouseCoord(10, 24), (TGridCoord{0, 3}));
    EXPECT_EQ(grid->MouseCoord(10, 3 * 24), (TGridCoord{0, -1})) << "below the last row";
}

TEST_F(GridOnForm, CellRectOfVisibleCellsOnly)
{
    TwentyRows();
    const int ch = grid->ClientHeight();
    ASSERT_EQ(ch, 230);
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 22));
    EXPECT_EQ(grid->CellRect(2, 1), Rect(128, 22, 192, 44));
    EXPECT_EQ(grid->CellRect(2, 10), Rect(128, 220, 192, 242)) << "partly visible: reaches past the edge";
    EXPECT_TRUE(grid->CellRect(2, 11).IsEmpty()) << "below the client area";
    EXPECT_TRUE(grid->CellRect(5, 1).IsEmpty()) << "beyond the column count";
    grid->SetTopRow(5);
    EXPECT_TRUE(grid->CellRect(1, 4).IsEmpty()) << "scrolled out above";
    EXPECT_EQ(grid->CellRect(1, 5).Top, 22);
    EXPECT_EQ(grid->CellRect(1, 0).Top, 0) << "fixed rows do not scroll";
}

TEST_F(GridOnForm, MouseArrivesInClientCoordinatesAndTheFrameIsNotClient)
{
    QList<QPoint> downs;
    grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { downs << QPoint(x, y); };
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(70, 30));
    EXPECT_EQ(grid->Calls.filter("Click").size(), 1) << "the end of the cell selection clicks";
    QTest::mouseClick(grid->Widget(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(downs, QList<QPoint>({QPoint(70, 30)}));
    EXPECT_EQ(grid->MouseCoord(downs[0].x(), downs[0].y()), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Calls.filter("Click").size(), 1) << "a release on the frame is no click";
}

TEST_F(GridOnForm, SizingZonesLieOnBordersInsideTheFixedCells)
{
    grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
    TGridState state;
    int index = -1, pos = 0, ofs = 0;
    grid->CalcSizingState(2 * 64 + 64 - 1, 5, state, index, pos, ofs);
    EXPECT_EQ(state, gsColSizing);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(pos, 192);
    EXPECT_EQ(ofs, -1);
    grid->CalcSizingState(10, 4 * 24 + 1, state, index, pos, ofs);
    EXPECT_EQ(state, gsRowSizing);
    EXPECT_EQ(index, 3);
    grid->CalcSizingState(2 * 64 + 64 - 1, 30, state, index, pos, ofs);
    EXPECT_EQ(state, gsNormal) << "column borders size only in the fixed rows";
    grid->SetOptions(grid->Options() - goColSizing);
    grid->CalcSizingState(2 * 64 + 64 - 1, 5, state, index, pos, ofs);
    EXPECT_EQ(state, gsNormal);
}

// ---- Scrolling
// ------------------------------------------------------------------------------------------------

TEST_F(GridOnForm, VisibleCountAndScrollBarRange)
{
    TwentyRows();
    QScrollBar* bar = grid->ScrollBar(SB_VERT);
    EXPECT_EQ(grid->VisibleRowCount(), 9) << "whole rows only";
    EXPECT_TRUE(grid->ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(grid->ScrollBarVisible(SB_HORZ));
    grid->SetTopRow(5);
    EXPECT_EQ(grid->Calls, QStringList({"TopLeftChanged(1,5)"}));
    EXPECT_EQ(bar->value(), 4);
    EXPECT_EQ(bar->pageStep(), 9);
    EXPECT_EQ(bar->maximum() + grid->FixedRows(), 11) << "the largest TopRow the bar reaches";

    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid->TopRow(), 11);
    EXPECT_EQ(bar->value(), 10);
    const TRect last = grid->CellRect(1, 19);
    EXPECT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, grid->ClientHeight()) << "the last row shows whole";
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(grid->TopRow(), 2);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(grid->TopRow(), 1) << "not above the fixed rows";
    EXPECT_EQ(bar->value(), 0);
}

// Where a part of a bar is, as the bar's style lays it out.
QPoint PartOf(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar).center();
}

TEST_F(GridOnForm, BarClicksArriveAsScrollCodesEndedByEndScroll)
{
    TwentyRows();
    QScrollBar* bar = grid->ScrollBar(SB_VERT);
    QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarAddLine));
    EXPECT_EQ(grid->ScrollCodes, QList<int>({SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(grid->TopRow(), 2);

    // Dragging the thumb without thumb tracking moves the rows on release only.
    grid->ScrollCodes.clear();
    const QPoint thumb = PartOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(bar, thumb + QPoint(0, 40));
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_TRUE(grid->ScrollCodes.contains(SB_THUMBTRACK));
    const int dragged = bar->sliderPosition();
    EXPECT_GT(dragged, 1);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(0, 40));
    EXPECT_EQ(grid->ScrollCodes.mid(grid->ScrollCodes.size() - 2),
              QList<int>({SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(grid->TopRow(), grid->FixedRows() + dragged);
    EXPECT_EQ(bar->value(), dragged);
}

TEST_F(GridOnForm, KeptBarsAndResizesStayWithinTheScrollRange)
{
    const int wide = grid->ClientWidth();
    grid->ShowScrollBar(SB_VERT, true); // nothing scrolls, the bar stays anyway
    EXPECT_TRUE(grid->ScrollBarVisible(SB_VERT));
    EXPECT_LT(grid->ClientWidth(), wide);
    grid->EnableScrollBar(SB_VERT, false);
    EXPECT_FALSE(grid->ScrollBar(SB_VERT)->isEnabled());
    grid->ShowScrollBar(SB_VERT, false);
    EXPECT_FALSE(grid->ScrollBarVisible(SB_VERT));
    EXPECT_EQ(grid->ClientWidth(), wide);

    TwentyRows();
    grid->SetTopRow(11);
    grid->Calls.clear();
    grid->SetClientHeight(22 * 12); // room for 11 scrolled rows: the limit drops to 9
    EXPECT_EQ(grid->TopRow(), 9);
    EXPECT_EQ(grid->Calls, QStringList({"TopLeftChanged(1,9)"}));
    EXPECT_EQ(grid->ScrollBar(SB_VERT)->maximum(), 8);
}

struct ScrollCase {
    const char* name;
    int code, pos;
    bool thumbTracking;
    int startTop, expectedTop;
};

class GridScrollCodes : public GridOnForm, public ::testing::WithParamInterface<ScrollCase>
{
};

TEST_P(GridScrollCodes, MoveTopRow)
{
    const ScrollCase& c = GetParam();
    TwentyRows();
    if (c.thumbTracking)
        grid->SetOptions(grid->Options() | goThumbTracking);
    grid->SetTopRow(c.startTop);
    grid->WMVScroll(c.code, c.pos);
    EXPECT_EQ(grid->TopRow(), c.expectedTop);
    EXPECT_EQ(grid->ScrollBar(SB_VERT)->value(), c.expectedTop - 1);
}

INSTANTIATE_TEST_SUITE_P(Grid, GridScrollCodes,
                         ::testing::Values(ScrollCase{"lineDown", SB_LINEDOWN, 0, false, 5, 6},
                                           ScrollCase{"lineDownAtEnd", SB_LINEDOWN, 0, false, 11, 11},
                                           ScrollCase{"pageDown", SB_PAGEDOWN, 0, false, 1, 10},
                                           ScrollCase{"pageDownHeld", SB_PAGEDOWN, 0, false, 5, 11},
                                           ScrollCase{"pageUp", SB_PAGEUP, 0, false, 5, 1},
                                           ScrollCase{"thumbPosition", SB_THUMBPOSITION, 6, false, 1, 7},
                                           ScrollCase{"trackIgnored", SB_THUMBTRACK, 6, false, 1, 1},
                                           ScrollCase{"trackFollowed", SB_THUMBTRACK, 6, true, 1, 7},
                                           ScrollCase{"bottom", SB_BOTTOM, 0, false, 1, 11},
                                           ScrollCase{"endScroll", SB_ENDSCROLL, 0, false, 4, 4},
                                           ScrollCase{"lineUpBeyondLimit", SB_LINEUP, 0, false, 15, 14}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridOnForm, AutoScrollExtendsTheSelectionWhileSelecting)
{
    TwentyRows();
    grid->MoveCurrent(2, 3, true, true);
    grid->SetGridState(gsSelecting);
    grid->Calls.clear();
    const TPoint below(150, grid->ClientHeight() + 5);
    grid->AutoScrollStep(below);
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 10})) << "anchor on the last whole row";
    EXPECT_EQ(grid->Row(), 3) << "the current cell stays";
    grid->AutoScrollStep(below);
    EXPECT_EQ(grid->TopRow(), 3);
    EXPECT_TRUE(grid->Calls.filter("SelectCell").isEmpty());

    grid->SetGridState(gsNormal);
    grid->SetTimer(GridScrollTimerId, GridScrollTimerInterval);
    grid->AutoScrollStep(below);
    EXPECT_EQ(grid->TopRow(), 3) << "no scrolling outside a drag";
}

// ---- Painting
// --------------------------------------------------------------------------------------------------

TEST_F(GridOnForm, OnePaintDrawsEveryVisibleCellOnce)
{
    grid->SetRowCount(10); // 5 x 10 cells, 320 x 240 px, all inside the client area
    ASSERT_GE(grid->ClientHeight(), 240);
    Focus(grid);
    PaintOnce();
    ASSERT_EQ(grid->Drawn.size(), 50u);
    std::set<std::pair<int, int>> seen;
    for (const auto& d : grid->Drawn) {
        seen.insert({d.Col, d.Row});
        EXPECT_EQ(d.Rect, grid->CellRect(d.Col, d.Row)) << d.Col << "," << d.Row;
        const bool fixed = d.Col == 0 || d.Row == 0;
        EXPECT_EQ((d.State & gdFixed) != 0, fixed) << d.Col << "," << d.Row;
        EXPECT_EQ((d.State & gdFocused) != 0, d.Col == 1 && d.Row == 1) << d.Col << "," << d.Row;
    }
    EXPECT_EQ(seen.size(), 50u);

    Focus(other);
    PaintOnce();
    int currentDrawn = 0;
    for (const auto& d : grid->Drawn) {
        if (d.Col == 1 && d.Row == 1) {
            ++currentDrawn;
            EXPECT_EQ(d.State, gdSelected) << "unfocused: the current cell shows selected";
        }
    }
    EXPECT_EQ(currentDrawn, 1) << "the repaint drew the current cell";
}

TEST_F(GridOnForm, PaintCoversScrolledAndPartlyVisibleCellsAndFillsTheRest)
{
    TwentyRows();
    grid->SetTopRow(5);
    PaintOnce();
    // rows 0 and 5..14 (14 partly), 5 columns
    EXPECT_EQ(grid->Drawn.size(), 5u * 11u);
    for (const auto& d : grid->Drawn)
        EXPECT_TRUE(d.Row == 0 || (d.Row >= 5 && d.Row <= 14)) << d.Row;
    // Right of the last column: the grid's colour.
    const QImage image = grid->Viewport()->grab().toImage();
    EXPECT_EQ(QColorToColor(image.pixelColor(grid->ClientWidth() - 1, 5)), ColorToRGB(clWindow));
}

TEST_F(GridOnForm, HundredThousandRowsSetUpScrollAndPaint)
{
    grid->SetColCount(20);
    grid->SetRowCount(100000);
    for (int r = 0; r < 100000; ++r)
        grid->SetCells(r % 20, r, QString::number(r));
    grid->SetRowHeights(50000, 40);
    grid->WMVScroll(SB_BOTTOM, 0);
    const int top = grid->TopRow();
    EXPECT_GT(top, 99980);
    const TRect last = grid->CellRect(1, 99999);
    EXPECT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, grid->ClientHeight());
    EXPECT_TRUE(grid->CellRect(1, top - 1).IsEmpty());
    PaintOnce();
    EXPECT_LT(grid->Drawn.size(), 20u * 20u) << "only the visible cells";
    grid->SetRow(99999);
    EXPECT_EQ(grid->Cells(19, 99999), "99999");
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Cells(19, 99999), "99999");
}

// ---- Grid lines and default drawing -------------------------------------------------------------------

namespace
{
TColor PixelAt(const QImage& image, int x, int y)
{
    return QColorToColor(image.pixelColor(x, y));
}
} // namespace

TEST_F(GridOnForm, GridLinesTakeRoomAfterEveryCellAndShowByTheirOptions)
{
    TStringGrid fresh(nullptr);
    EXPECT_EQ(fresh.GridLineWidth(), 1);
    EXPECT_EQ(fresh.CellRect(2, 1), Rect(130, 25, 194, 49)) << "a toolkit grid has lines by default";

    grid->SetGridLineWidth(2);
    EXPECT_EQ(grid->CellRect(1, 1), Rect(66, 26, 130, 50));
    EXPECT_EQ(grid->MouseCoord(65, 10), (TGridCoord{0, 0})) << "a line belongs to the cell before it";
    EXPECT_EQ(grid->MouseCoord(66, 26), (TGridCoord{1, 1}));
    grid->SetColCount(20);
    EXPECT_EQ(grid->VisibleColCount(), (grid->ClientWidth() - 66) / 66);

    QImage image = grid->Viewport()->grab().toImage();
    EXPECT_EQ(PixelAt(image, 64, 5), ColorToRGB(GridFixedLineColor)) << "between fixed cells";
    EXPECT_EQ(PixelAt(image, 131, 30), ColorToRGB(GridLineColor)) << "between scrolled cells";
    EXPECT_EQ(PixelAt(image, 100, 50), ColorToRGB(GridLineColor)) << "below a scrolled row";

    grid->SetOptions(grid->Options() - goVertLine);
    image = grid->Viewport()->grab().toImage();
    EXPECT_EQ(grid->CellRect(1, 1).Left, 66) << "the fixed lines keep the room";
    EXPECT_EQ(PixelAt(image, 131, 30), ColorToRGB(clWindow)) << "no line drawn between scrolled cells";
    EXPECT_EQ(PixelAt(image, 64, 5), ColorToRGB(GridFixedLineColor));

    grid->SetOptions(grid->Options() - goFixedVertLine);
    EXPECT_EQ(grid->CellRect(1, 1), Rect(64, 26, 128, 50)) << "no vertical line option: no room";
    grid->SetGridLineWidth(-3);
    EXPECT_EQ(grid->GridLineWidth(), 0);
    EXPECT_EQ(grid->CellRect(1, 1), Rect(64, 24, 128, 48));
}

struct TDefaultDrawingCase {
    const char* Name;
    bool On;
    TColor Fixed, Selected, Plain; // the brush colour OnDrawCell finds
    TColor SelectedText;           // the font colour OnDrawCell finds on the selected cell
};

class GridDefaultDrawing : public GridOnForm, public ::testing::WithParamInterface<TDefaultDrawingCase>
{
};

TEST_P(GridDefaultDrawing, PreparesEachCellBeforeOnDrawCell)
{
    const TDefaultDrawingCase& c = GetParam();
    grid->SetDefaultDrawing(c.On);
    grid->SetFixedColor(clYellow);
    grid->SetSelection(TGridRect{1, 1, 2, 2}); // (1, 1) selected, (2, 2) current
    Focus(grid);
    std::map<std::pair<int, int>, std::pair<TColor, TColor>> seen;
    grid->OnDrawCell = [&](TObject*, int col, int row, const TRect&, TGridDrawState) {
        seen[{col, row}] = {grid->Canvas->Brush->Color, grid->Canvas->Font->Color};
    };
    PaintOnce();
    EXPECT_EQ(seen[std::make_pair(0, 2)].first, c.Fixed);
    EXPECT_EQ(seen[std::make_pair(1, 1)].first, c.Selected);
    EXPECT_EQ(seen[std::make_pair(1, 1)].second, c.SelectedText);
    EXPECT_EQ(seen[std::make_pair(3, 3)].first, c.Plain);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridDefaultDrawing,
    ::testing::Values(TDefaultDrawingCase{"On", true, clYellow, clHighlight, clWindow, clHighlightText},
                      // What the paint starts with, for every cell.
                      TDefaultDrawingCase{"Off", false, clWindow, clWindow, clWindow, clWindowText}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridOnForm, DefaultDrawingPaintsBackgroundsTextAndTheFocusRectangle)
{
    grid->SetFixedColor(clYellow);
    grid->SetCells(3, 3, "WWW");
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    Focus(grid);
    const QImage image = grid->Viewport()->grab().toImage();
    auto inside = [&](int col, int row) {
        const TRect r = grid->CellRect(col, row);
        return PixelAt(image, r.Right - 3, r.Bottom - 3);
    };
    EXPECT_EQ(inside(0, 2), ColorToRGB(clYellow));
    EXPECT_EQ(inside(1, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(inside(2, 2), ColorToRGB(clWindow)) << "the focused cell is not drawn selected";
    const TRect focused = grid->CellRect(2, 2);
    EXPECT_NE(PixelAt(image, focused.Left, focused.Top), ColorToRGB(clWindow)) << "focus rectangle";
    const TRect text = grid->CellRect(3, 3);
    int ink = 0;
    for (int x = text.Left; x < text.Right; ++x)
        for (int y = text.Top; y < text.Bottom; ++y)
            ink += PixelAt(image, x, y) != ColorToRGB(clWindow);
    EXPECT_GT(ink, 10) << "the cell's text";
}
