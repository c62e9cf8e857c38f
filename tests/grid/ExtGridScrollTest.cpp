// Scrolling of the string grid: scroll hints and live thumb tracking, scrolling a cell into view,
// metro bars, drag scrolling, the synchronised grid, and the HTML hint window the hints use.
#include "grid/ExtGridShownFixture.h"
#include "grid/base/HtmlHintWindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <cmath>

namespace
{
using shownextgrid::ShownGrid;

class ExtGridScroll : public ShownGrid
{
  protected:
    // 200 rows, one fixed, 20 rows visible.
    void TwoHundredRows()
    {
        grid->SetRowCount(200);
        grid->SetClientHeight(21 * grid->DefaultRowHeight());
        ASSERT_EQ(grid->VisibleRowCount(), 20);
    }
};

TEST_F(ExtGridScroll, ThumbTrackShowsTheRowHint)
{
    TwoHundredRows();
    grid->ScrollHints = shVertical;
    QScrollBar* bar = grid->ScrollBar(SB_VERT);
    ASSERT_TRUE(bar->isVisible());
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->maximum());
    ASSERT_NE(grid->ScrollHintWindow(), nullptr);
    EXPECT_TRUE(grid->ScrollHintShowing());
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), "Row : 180");
    EXPECT_TRUE(grid->ScrollHintWindow()->HintShowing());
    EXPECT_EQ(grid->TopRow(), 1) << "without ScrollSynch the thumb alone moves";
    QTest::mouseRelease(bar, Qt::LeftButton);
    EXPECT_FALSE(grid->ScrollHintShowing());
    EXPECT_FALSE(grid->ScrollHintWindow()->HintShowing());
    EXPECT_EQ(grid->TopRow(), 180);
}

TEST_F(ExtGridScroll, OnScrollHintMayChangeTheText)
{
    TwoHundredRows();
    grid->ScrollHints = shBoth;
    grid->OnScrollHint = [](TObject*, int ARow, QString& hint) { hint = QString("at %1").arg(ARow); };
    grid->WMVScroll(SB_THUMBTRACK, 49);
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), "at 50");
    grid->WMVScroll(SB_ENDSCROLL, 49);
    EXPECT_FALSE(grid->ScrollHintShowing());
}

TEST_F(ExtGridScroll, ScrollSynchFollowsTheThumb)
{
    TwoHundredRows();
    grid->ScrollSynch = true;
    QScrollBar* bar = grid->ScrollBar(SB_VERT);
    bar->setSliderDown(true);
    bar->setSliderPosition(99);
    EXPECT_EQ(grid->TopRow(), 100);
    bar->setSliderPosition(bar->maximum());
    EXPECT_EQ(grid->TopRow(), 180);
    QTest::mouseRelease(bar, Qt::LeftButton);
    EXPECT_EQ(grid->ScrollHintWindow(), nullptr) << "no hints asked";
}

TEST_F(ExtGridScroll, ScrollInView)
{
    TwoHundredRows();
    grid->SetRow(5);
    grid->ScrollInView(3, 10);
    EXPECT_EQ(grid->Row(), 5) << "a visible cell changes nothing";
    EXPECT_EQ(grid->TopRow(), 1);
    grid->ScrollInView(1, 150);
    EXPECT_EQ(grid->Row(), 150);
    EXPECT_EQ(grid->TopRow(), 140);
    grid->ScrollInView(1, 200);
    grid->ScrollInView(5, 20);
    EXPECT_EQ(grid->Row(), 150) << "beyond the counts: nothing";
    EXPECT_EQ(grid->TopRow(), 140);
}

TEST_F(ExtGridScroll, MetroBarsReplaceTheSystemBars)
{
    TwoHundredRows();
    grid->SetScrollType(ssMetro);
    EXPECT_EQ(grid->ScrollBars(), ssNone);
    ASSERT_NE(grid->VertScrollControl(), nullptr);
    ASSERT_NE(grid->HorzScrollControl(), nullptr);
    EXPECT_EQ(grid->VertScrollControl()->Width(), 6);
    EXPECT_EQ(grid->HorzScrollControl()->Height(), 6);
    int pos = 0, size = 0;
    ASSERT_TRUE(grid->VertScrollControl()->ThumbRect(pos, size));
    EXPECT_EQ(pos, grid->RowHeights(0)) << "the track starts after the fixed row";
    const int track = grid->VertScrollControl()->Height() - grid->RowHeights(0);
    EXPECT_EQ(size, int(std::nearbyint(track * 0.1))) << "20 of 200 rows";
    EXPECT_FALSE(grid->HorzScrollControl()->ThumbRect(pos, size)) << "every column shows";

    // Pressing below the thumb pages on.
    grid->VertScrollControl()->HandleMouseDown(mbLeft, TShiftState(), 2,
                                               grid->VertScrollControl()->Height() - 2);
    grid->VertScrollControl()->HandleMouseUp(mbLeft, TShiftState(), 2,
                                             grid->VertScrollControl()->Height() - 2);
    EXPECT_EQ(grid->TopRow(), 21);

    grid->SetRowCount(100000);
    ASSERT_TRUE(grid->VertScrollControl()->ThumbRect(pos, size));
    EXPECT_EQ(size, MetroMinThumb) << "never smaller than the minimum";

    grid->SetScrollType(ssNormal);
    EXPECT_EQ(grid->ScrollBars(), ssBoth);
    EXPECT_EQ(grid->VertScrollControl(), nullptr);
    EXPECT_EQ(grid->HorzScrollControl(), nullptr);
}

TEST_F(ExtGridScroll, MetroThumbOfAGridOfFixedRowsOnly)
{
    auto* g = New([](shownextgrid::TProbeGrid* g) {
        g->SetFixedRowAlways(true);
        g->SetRowCount(1);
        g->SetScrollType(ssMetro);
    });
    QApplication::processEvents();
    ASSERT_NE(g->VertScrollControl(), nullptr) << "made with the window";
    int pos = -1, size = -1;
    EXPECT_FALSE(g->VertScrollControl()->ThumbRect(pos, size));
    g->VertScrollControl()->Repaint();
}

TEST_F(ExtGridScroll, DragNearTheTopScrollsUpPerTick)
{
    TwoHundredRows();
    grid->SetTopRow(4);
    grid->DragScrollOptions()->Active = true;
    grid->DragScrollOver(TExtStringGrid::dssEnter, 100, 10);
    ASSERT_NE(grid->DragScrollTimer(), nullptr);
    EXPECT_EQ(grid->DragScrollTimer()->Interval(), 1000u);
    EXPECT_TRUE(grid->DragScrollDirection().Contains(dsdUp));
    std::vector<int> tops;
    for (int i = 0; i < 5; ++i) {
        grid->DragScrollTimerTick();
        tops.push_back(grid->TopRow());
    }
    EXPECT_EQ(tops, (std::vector<int>{3, 2, 1, 1, 1}));
    EXPECT_EQ(grid->DragScrollTimer()->Interval(), 250u);
    grid->DragScrollOver(TExtStringGrid::dssMove, 100, 200);
    EXPECT_EQ(grid->DragScrollTimer(), nullptr) << "away from the margins the timer stops";
}

TEST_F(ExtGridScroll, DragScrollEventMayRefuse)
{
    TwoHundredRows();
    grid->DragScrollOptions()->Active = true;
    grid->OnDragScroll = [](TObject*, int, int, TDragScrollDirection&, bool& CanScroll) {
        CanScroll = false;
    };
    grid->DragScrollOver(TExtStringGrid::dssEnter, 100, grid->ClientHeight() - 5);
    grid->DragScrollTimerTick();
    EXPECT_EQ(grid->TopRow(), 1);
    grid->DragScrollOptions()->Active = false;
    grid->DragScrollTimerTick();
    EXPECT_EQ(grid->DragScrollTimer(), nullptr);
}

TEST_F(ExtGridScroll, SynchronisedGridFollowsTheTopRow)
{
    TwoHundredRows();
    auto* other = New([](shownextgrid::TProbeGrid* g) { g->SetRowCount(200); });
    grid->SyncGrid()->SetGrid(other);
    grid->SyncGrid()->ScrollVertical = true;
    grid->SetTopRow(30);
    EXPECT_EQ(other->TopRow(), 30);
    grid->SyncGrid()->ScrollVertical = false;
    grid->SetTopRow(40);
    EXPECT_EQ(other->TopRow(), 30);
}

TEST_F(ExtGridScroll, CellControlsFollowScrolling)
{
    TwoHundredRows();
    auto* probe = new TPanel(form.get());
    grid->SetCellControls(2, 5, probe);
    grid->SetTopRow(10);
    EXPECT_FALSE(probe->Visible()) << "scrolled out of view";
    grid->SetTopRow(3);
    EXPECT_TRUE(probe->Visible());
    const TRect cell = grid->CellRect(2, 5);
    EXPECT_EQ(probe->Left(), cell.Left - 1);
    EXPECT_EQ(probe->Top(), cell.Top - 1);
}

// ---- THTMLHintWindow ---------------------------------------------------------------------------------

TEST(HTMLHintWindow, CalcHintRectIsTheBareTextAndActivateAddsMargins)
{
    THTMLHintWindow hint(nullptr);
    const QString text = "cw=<b>120</b>";
    const TRect r = hint.CalcHintRect(200, text, nullptr);
    QFont plain = hint.Font->ToQFont();
    QFont bold = plain;
    bold.setBold(true);
    const int width =
        QFontMetrics(plain).horizontalAdvance("cw=") + QFontMetrics(bold).horizontalAdvance("120");
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_NEAR(r.Width(), width, 1);
    EXPECT_GE(r.Height(), QFontMetrics(plain).height());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    hint.ActivateHint(TRect(screen.x() + 10, screen.y() + 10, screen.x() + 20, screen.y() + 20), text);
    EXPECT_EQ(hint.Width(), r.Width() + 16);
    EXPECT_EQ(hint.Height(), r.Height() + 4);
    EXPECT_TRUE(hint.HintShowing());

    // Near the right edge the window ends 2 pixels inside the monitor.
    const int right = screen.x() + screen.width();
    hint.ActivateHint(TRect(right - 5, screen.y() + 10, right, screen.y() + 20), text);
    EXPECT_EQ(hint.Left() + hint.Width(), right - 2);
    hint.ReleaseHint();
}

TEST(HTMLHintWindow, WideTextsAreMeasuredDecoded)
{
    THTMLHintWindow hint(nullptr);
    const QString decoded = QString::fromUtf16(u"\u0416\u0436");
    const TRect r = hint.CalcHintRect(300, EncodeWideText(decoded), nullptr);
    EXPECT_EQ(r.Width(), QFontMetrics(hint.Font->ToQFont()).horizontalAdvance(decoded));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    hint.ActivateHint(TRect(screen.x() + 10, screen.y() + 10, 0, 0), EncodeWideText(decoded));
    EXPECT_EQ(hint.Width(), r.Width() + 8);
    hint.ReleaseHint();
}

} // namespace
