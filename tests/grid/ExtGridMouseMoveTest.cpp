// Mouse movement over a shown string grid: real moves on the viewport (QTest), with a test double
// for the platform's drag loop, which cannot run under the offscreen platform.
#include "grid/GridOnForm.h"
#include "grid/base/HtmlHintWindow.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/FloatingWindows.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The grid with its drags recorded instead of run.
class TDragProbe : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    TGridState GridState() const { return FGridState; }
    struct TDrag {
        QString Text;
        int Column = -1;
    };
    std::vector<TDrag> Drags;
    HRESULT Result = DRAGDROP_S_DROP;
    DWORD Effect = DROPEFFECT_COPY;

  protected:
    HRESULT DoBeginTextDragDrop(TESGDropSource*, const QString& Text, const QString&, TMemoryStream*, DWORD,
                                DWORD& AEffect) override
    {
        Drags.push_back({Text, -1});
        AEffect = Effect;
        return Result;
    }
    HRESULT DoBeginColumnDragDrop(TESGDropSource*, int Column, DWORD, DWORD& AEffect) override
    {
        Drags.push_back({QString(), Column});
        AEffect = Effect;
        return Result;
    }
};

// Collects what the viewport paints.
class TPaintRecorder : public QObject
{
  public:
    QRegion Painted;

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(Event)->region();
        return QObject::eventFilter(Watched, Event);
    }
};

class MouseMove : public GridOnForm<TDragProbe>
{
  protected:
    void SetUp() override
    {
        ShowForm(700, 600);
        grid->SetBounds(10, 10, 500, 400);
        grid->SetColCount(6);
        grid->SetRowCount(40);
        QApplication::processEvents();
    }
    QWidget* View() const { return grid->Viewport(); }
    QPoint Centre(int C, int R) const
    {
        const TRect r = grid->CellRect(C, R);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Move(QPoint P) { QTest::mouseMove(View(), P); }
    void Move(int C, int R) { Move(Centre(C, R)); }
    // What the viewport paints while Action runs (pending paints are done first).
    QRegion Painting(const std::function<void()>& Action)
    {
        QApplication::processEvents();
        TPaintRecorder recorder;
        View()->installEventFilter(&recorder);
        Action();
        QApplication::processEvents();
        View()->removeEventFilter(&recorder);
        return recorder.Painted;
    }
    void Leave()
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(grid->Widget(), &leave);
    }
};

TEST_F(MouseMove, HoverRowRepaintsOnlyTheRowsLeftAndEntered)
{
    grid->SetHoverRow(true);
    Move(2, 3);
    EXPECT_EQ(grid->HoverRowIdx(), 3);
    const QRegion painted = Painting([&] { Move(2, 4); });
    EXPECT_EQ(grid->HoverRowIdx(), 4);
    EXPECT_TRUE(painted.contains(Centre(3, 3)));
    EXPECT_TRUE(painted.contains(Centre(3, 4)));
    EXPECT_FALSE(painted.contains(Centre(3, 6))) << "other rows stay as they are";
    EXPECT_TRUE(Painting([&] { Move(Centre(2, 4) + QPoint(3, 0)); }).isEmpty())
        << "same row: nothing changes";
    Leave();
    EXPECT_EQ(grid->HoverRowIdx(), -1);
}

TEST_F(MouseMove, RowSelectionAlongTheFixedColumn)
{
    grid->MouseActions()->RowSelect = true;
    Move(0, 5);
    ASSERT_EQ(grid->MouseSelectMode(), msRow);
    QTest::mousePress(View(), Qt::LeftButton, {}, Centre(0, 5));
    Move(0, 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 3, 5, 5}));
    EXPECT_EQ(grid->Row(), 5) << "anchor row 3, current row 5";
    Move(0, 8);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 5, 5, 8}));
    EXPECT_EQ(grid->Row(), 8) << "anchor row 5, current row 8";
    // Below the grid's last line the grid scrolls one row per movement.
    const int top = grid->TopRow();
    Move(QPoint(Centre(0, 8).x(), grid->Height() - 3));
    EXPECT_EQ(grid->TopRow(), top + 1);
    Move(QPoint(Centre(0, 8).x(), grid->Height() - 2));
    EXPECT_EQ(grid->TopRow(), top + 2);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(Centre(0, 8).x(), grid->Height() - 2));
}

TEST_F(MouseMove, FixedColumnBordersWithinTwoPixels)
{
    grid->SetFixedCols(2);
    grid->MouseActions()->SizeFixedCol = true;
    const int edge0 = grid->ColWidths(0);
    const int edge1 = grid->ColWidths(0) + 1 + grid->ColWidths(1);
    for (int edge : {edge0, edge1}) {
        for (int dx : {-3, -2, 0, 2, 3}) {
            SCOPED_TRACE(QStringLiteral("edge %1, dx %2").arg(edge).arg(dx).toStdString());
            Move(QPoint(edge + dx, 5));
            EXPECT_EQ(grid->SizeFixedBorder(), std::abs(dx) < 3);
        }
    }
    grid->MouseActions()->SizeFixedCol = false;
    Move(QPoint(edge0 + 1, 5));
    EXPECT_FALSE(grid->SizeFixedBorder()) << "only when the mouse may size fixed columns";
    grid->MouseActions()->SizeFixedCol = true;
    Move(QPoint(edge0 + 1, 5));
    Leave();
    EXPECT_FALSE(grid->SizeFixedBorder()) << "leaving clears it";
}

TEST_F(MouseMove, OleDragStartsBeyondThreePixels)
{
    grid->DragDropSettings()->OleDropSource = true;
    grid->SetCells(2, 2, "ab");
    struct TCase {
        QPoint Delta;
        bool Starts;
    };
    for (const TCase& c : {TCase{{3, 0}, false}, TCase{{0, 3}, false}, TCase{{-3, 3}, false},
                           TCase{{4, 0}, true}, TCase{{0, 4}, true}, TCase{{0, -4}, true}}) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(c.Delta.x()).arg(c.Delta.y()).toStdString());
        grid->Drags.clear();
        grid->SetCol(2);
        grid->SetRow(2);
        const QPoint press = Centre(2, 2);
        QTest::mousePress(View(), Qt::LeftButton, {}, press);
        Move(press + c.Delta);
        if (c.Starts)
            Move(press + c.Delta * 2); // one press starts one drag at most
        QTest::mouseRelease(View(), Qt::LeftButton, {}, press + c.Delta);
        ASSERT_EQ(grid->Drags.size(), c.Starts ? 1u : 0u);
        if (c.Starts) {
            EXPECT_EQ(grid->Drags[0].Text, "ab");
        }
        EXPECT_EQ(grid->MoveForm(), nullptr) << "the cells picture goes with the drag";
    }
}

TEST_F(MouseMove, OleDragOutcomeForTheDraggedCells)
{
    grid->DragDropSettings()->OleDropSource = true;
    struct TCase {
        const char* Name;
        HRESULT Result;
        DWORD Effect;
        bool CopyAlways;
        bool Refuse;
        QString Left;    // what stays in the dragged cell
        QString StopLog; // OnOleDragStop's effect, empty when not fired
        int Drags;
    };
    const TCase cases[] = {
        {"MoveClears", DRAGDROP_S_DROP, DROPEFFECT_MOVE, false, false, "", "2", 1},
        {"CopyKeeps", DRAGDROP_S_DROP, DROPEFFECT_COPY, false, false, "ab", "1", 1},
        {"CopyAlwaysKeeps", DRAGDROP_S_DROP, DROPEFFECT_MOVE, true, false, "ab", "2", 1},
        {"CancelKeepsAndIsSilent", DRAGDROP_S_CANCEL, DROPEFFECT_MOVE, false, false, "ab", "", 1},
        {"RefusedSelectsInstead", DRAGDROP_S_DROP, DROPEFFECT_MOVE, false, true, "ab", "", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetCells(2, 2, "ab");
        grid->SetCells(3, 2, "cd");
        grid->Drags.clear();
        grid->Result = c.Result;
        grid->Effect = c.Effect;
        grid->DragDropSettings()->OleCopyAlways = c.CopyAlways;
        QString stop;
        grid->OnOleDragStop = [&](TObject*, int Effect) { stop = QString::number(Effect); };
        grid->OnOleDrag = [&](TObject*, int, int, const QString& Data, bool& Allow) {
            EXPECT_EQ(Data, "ab");
            Allow = !c.Refuse;
        };
        grid->SetCol(2);
        grid->SetRow(2);
        const QPoint press = Centre(2, 2);
        QTest::mousePress(View(), Qt::LeftButton, {}, press);
        Move(press + QPoint(6, 0));
        if (c.Refuse)
            EXPECT_EQ(grid->GridState(), gsSelecting) << "the movement goes on as a range selection";
        QTest::mouseRelease(View(), Qt::LeftButton, {}, press + QPoint(6, 0));
        EXPECT_EQ(int(grid->Drags.size()), c.Drags);
        EXPECT_EQ(grid->Cells(2, 2), c.Left);
        EXPECT_EQ(grid->Cells(3, 2), "cd") << "only the dragged selection";
        EXPECT_EQ(stop, c.StopLog);
    }
}

TEST_F(MouseMove, SizingHintShowsTheNewWidthAtTheClickedCell)
{
    grid->HintShowSizing = true;
    grid->SetOptions(grid->Options() | goColSizing);
    const int before = grid->ColWidths(2);
    const TRect cell = grid->CellRect(2, 0);
    const QPoint press(cell.Right - 1, 5);
    std::vector<std::pair<int, int>> sizing;
    grid->OnColumnSizing = [&](TObject*, int ACol, int Size) { sizing.emplace_back(ACol, Size); };
    Move(press);
    QTest::mousePress(View(), Qt::LeftButton, {}, press);
    Move(press + QPoint(30, 0));
    THTMLHintWindow* hint = grid->ScrollHintWindow();
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(grid->ScrollHintShowing());
    const QString expected = QStringLiteral("cw=<b>%1</b>").arg(before + 30);
    EXPECT_EQ(hint->Caption(), expected);
    const TPoint at = grid->ClientToScreen(TPoint(cell.Left, cell.Top));
    EXPECT_EQ(hint->Widget()->geometry().topLeft(), QPoint(at.X, at.Y));
    ASSERT_FALSE(sizing.empty());
    EXPECT_EQ(sizing.back(), std::make_pair(2, before + 30));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, press + QPoint(30, 0));
    EXPECT_FALSE(grid->ScrollHintShowing());
    EXPECT_FALSE(hint->HintShowing()) << "the release hides it";
}

TEST_F(MouseMove, URLCursorAndItsRestore)
{
    grid->SetURLShow(true);
    grid->SetCells(2, 2, "http://x.y");
    grid->SetCells(3, 3, "plain");
    Move(2, 2);
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    Move(3, 3);
    EXPECT_EQ(grid->Cursor(), crDefault) << "the application's cursor comes back";
    Move(2, 2);
    grid->SetCursor(crIBeam); // the application changes it while the link is hovered
    Move(Centre(2, 2) + QPoint(2, 0));
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    Move(3, 3);
    EXPECT_EQ(grid->Cursor(), crIBeam) << "the new value is the one restored";
}

TEST_F(MouseMove, AnchorsEnterAndExitWithTheirCursor)
{
    grid->SetCells(2, 2, "<a href=\"go\">link text here</a>");
    grid->SetColWidths(2, 160);
    std::vector<QString> log;
    grid->OnAnchorEnter = [&](TObject*, int, int, const QString& A) { log.push_back("enter " + A); };
    grid->OnAnchorExit = [&](TObject*, int, int, const QString& A) { log.push_back("exit " + A); };
    const TRect r = grid->CellRect(2, 2);
    Move(QPoint(r.Left + 12, r.Top + 8));
    EXPECT_EQ(grid->HoverAnchor(), "go");
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    Move(QPoint(r.Right - 3, r.Bottom - 2));
    EXPECT_EQ(grid->HoverAnchor(), "");
    EXPECT_EQ(grid->Cursor(), crDefault);
    EXPECT_EQ(log, (std::vector<QString>{"enter go", "exit "}));
}

TEST_F(MouseMove, EnhancedColumnMoveFollowsTheAnswerOfOnColumnMoving)
{
    grid->SetOptions(grid->Options() | goColMoving);
    for (int c = 0; c < grid->ColCount(); ++c)
        grid->SetCells(c, 0, QStringLiteral("H%1").arg(c));
    for (bool allow : {false, true}) {
        SCOPED_TRACE(allow ? "allowed" : "refused");
        grid->OnColumnMoving = [&](TObject*, int, bool& Allow) { Allow = allow; };
        QTest::mousePress(View(), Qt::LeftButton, {}, Centre(2, 0));
        Move(3, 0);
        Move(4, 0);
        EXPECT_EQ(Screen->Cursor(), allow ? crDrag : crNoDrop);
        EXPECT_NE(grid->MoveForm(), nullptr) << "the dragged column's picture follows";
        EXPECT_TRUE(grid->MoveArrow(arrDown)->Visible()) << "arrows at the column passed over";
        QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(4, 0));
        EXPECT_EQ(grid->MoveForm(), nullptr);
        EXPECT_FALSE(grid->MoveArrow(arrDown)->Visible());
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_EQ(grid->GridState(), gsNormal);
        EXPECT_EQ(grid->Cells(4, 0), allow ? "H2" : "H4");
    }
}

TEST_F(MouseMove, RefusingOnColumnMoveEndsTheMoveAtOnce)
{
    grid->SetOptions(grid->Options() | goColMoving);
    grid->SetCells(2, 0, "H2");
    grid->OnColumnMove = [](TObject*, int, bool& Allow) { Allow = false; };
    QTest::mousePress(View(), Qt::LeftButton, {}, Centre(2, 0));
    Move(4, 0);
    EXPECT_EQ(grid->GridState(), gsNormal);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(4, 0));
    EXPECT_EQ(grid->Cells(2, 0), "H2");
}

TEST_F(MouseMove, PointsOutsideTheCellsTouchNoCell)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetHoverRow(true);
    grid->HoverFixedCells = hfAll;
    grid->MouseActions()->RowSelect = true;
    Move(1, 1);
    const QPoint outside(grid->CellRect(2, 2).Right + 20, grid->CellRect(2, 2).Bottom + 20);
    Move(outside);
    EXPECT_EQ(grid->HoverRowIdx(), 1) << "the hover row needs a cell";
    EXPECT_EQ(grid->MouseSelectMode(), msNormal);
    EXPECT_EQ(grid->HoverButton(), TPoint(-1, -1));
}

TEST_F(MouseMove, CellBorderHookOnlyWithItsEvent)
{
    EXPECT_FALSE(grid->HasCellBorderHook());
    grid->OnGetCellBorder = [](TObject*, int, int, TPen*, TCellBorders&) {};
    EXPECT_TRUE(grid->HasCellBorderHook());
}

} // namespace
