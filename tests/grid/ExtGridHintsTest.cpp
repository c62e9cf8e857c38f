// Cell hints, balloons and the floating pictures of a shown string grid: GetCellHint with a built
// hint record, once through Qt's tooltip event, the balloon's window and text, the selection picture
// and the header drag button.
#include "grid/GridOnForm.h"
#include "grid/base/HtmlHintWindow.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/FloatingWindows.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

THintWindow* SentinelHintClass(TComponent*)
{
    return nullptr;
}

class Hints : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(700, 600);
        grid->SetBounds(10, 10, 500, 300);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetHint("G");
        grid->OnGridHint = [](TObject*, int ARow, int ACol, QString& Hint) {
            if (ARow == 0)
                Hint = QStringLiteral("Hdr %1").arg(ACol);
            else
                Hint += "+";
        };
        QApplication::processEvents();
    }
    // The hint of the point 5 pixels inside the top-left corner of a cell (or of a client point).
    THintInfo Ask(TPoint At, QString& Hint)
    {
        THintInfo info;
        info.HintControl = grid;
        info.HintWindowClass = &SentinelHintClass;
        info.CursorPos = At;
        info.HintPos = TPoint(-77, -77);
        Hint = grid->Hint();
        grid->GetCellHint(Hint, info);
        return info;
    }
    THintInfo AskCell(int C, int R, QString& Hint)
    {
        const TRect r = grid->CellRect(C, R);
        return Ask(TPoint(r.Left + 5, r.Top + 5), Hint);
    }
    TPoint Screen(int X, int Y) const { return grid->ClientToScreen(TPoint(X, Y)); }
};

TEST_F(Hints, HeaderHintsOfTheForms)
{
    grid->SetCells(2, 3, "abc");
    QString hint;
    const TRect r = grid->CellRect(2, 0);
    THintInfo info = AskCell(2, 0, hint);
    EXPECT_EQ(hint, "Hdr 2");
    EXPECT_EQ(info.HintPos, Screen(r.Left + 5, r.Bottom + 6));
    EXPECT_EQ(info.HintColor, clInfoBk);
    EXPECT_EQ(info.HintWindowClass, &SentinelHintClass) << "a plain text keeps the window class";

    const TRect r3 = grid->CellRect(2, 3);
    AskCell(2, 3, hint);
    EXPECT_EQ(hint, "G+");
    grid->HintShowCells = true;
    info = AskCell(2, 3, hint);
    EXPECT_EQ(hint, "abc+");
    EXPECT_EQ(info.HintPos, Screen(r3.Left + 5, r3.Top));

    grid->HideColumn(1);
    AskCell(2, 0, hint);
    EXPECT_EQ(hint, "Hdr 2") << "the display column of the header";

    const TRect last = grid->CellRect(grid->ColCount() - 1, grid->RowCount() - 1);
    info = Ask(TPoint(last.Right + 30, last.Bottom + 30), hint);
    EXPECT_EQ(hint, "G");
    EXPECT_EQ(info.HintPos, TPoint(-77, -77)) << "outside the cells only the colour";
    EXPECT_EQ(info.HintColor, clInfoBk);
}

TEST_F(Hints, MergedAreaHintsForItsBaseCell)
{
    grid->MergeCells(1, 1, 2, 2);
    QString hint;
    AskCell(2, 2, hint);
    EXPECT_EQ(grid->LastHintPos(), TPoint(1, 1));
    const auto centre = [&](int C, int R) {
        const TRect r = grid->CellRect(C, R);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    QTest::mouseMove(grid->Viewport(), centre(2, 1));
    EXPECT_EQ(grid->LastHintPos(), TPoint(1, 1)) << "inside the area the hint stays";
    QTest::mouseMove(grid->Viewport(), centre(3, 3));
    EXPECT_EQ(grid->LastHintPos(), TPoint(-1, -1)) << "another base cell cancels it";
}

TEST_F(Hints, CommentAtTheTopRightCorner)
{
    grid->SetCells(2, 3, "text");
    grid->AddComment(2, 3, "note");
    grid->OnGridHint = nullptr;
    const TRect r = grid->CellRect(2, 3);
    QString hint;
    THintInfo info = AskCell(2, 3, hint);
    EXPECT_EQ(hint, "note");
    EXPECT_EQ(info.HintPos, Screen(r.Right, r.Top));
    grid->HintShowCells = true;
    info = AskCell(2, 3, hint);
    EXPECT_EQ(hint, "text");
    EXPECT_EQ(info.HintPos, Screen(r.Right, r.Top)) << "the text takes the comment's corner";
}

TEST_F(Hints, LargeTextOverTheCell)
{
    grid->OnGridHint = nullptr;
    grid->HintShowLargeText = true;
    grid->SetCells(2, 3, "fits");
    grid->SetCells(3, 3, "a text much wider than the narrow cell that holds it");
    grid->SetColWidths(3, 30);
    QString hint;
    AskCell(2, 3, hint);
    EXPECT_EQ(hint, "G") << "a fitting text keeps the earlier hint";
    const TRect r = grid->CellRect(3, 3);
    const bool enhanced = grid->EnhTextSize = true;
    THintInfo info = AskCell(3, 3, hint);
    EXPECT_EQ(hint, "a text much wider than the narrow cell that holds it");
    EXPECT_EQ(info.HintPos, Screen(r.Left, r.Top));
    EXPECT_EQ(grid->EnhTextSize, enhanced) << "the measuring setting is restored";
}

TEST_F(Hints, MarkupHintsUseTheHTMLWindow)
{
    grid->OnGridHint = nullptr;
    grid->HintShowCells = true;
    grid->HTMLHint = true;
    grid->SetCells(2, 3, "<b>bold</b>");
    QString hint;
    THintInfo info = AskCell(2, 3, hint);
    EXPECT_EQ(hint, "<b>bold</b>");
    EXPECT_EQ(info.HintWindowClass, &CreateHintWindowOf<THTMLHintWindow>);
    EXPECT_EQ(info.HintData, grid);
    grid->HTMLHint = false;
    AskCell(2, 3, hint);
    EXPECT_EQ(hint, "bold") << "without HTMLHint the tags go";
}

TEST_F(Hints, ThroughQtsTooltipEvent)
{
    grid->SetShowHint(true);
    const TRect r = grid->CellRect(2, 0);
    const QPoint at(r.Left + 5, r.Top + 5);
    QHelpEvent event(QEvent::ToolTip, at, grid->Viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->Viewport(), &event);
    THintWindow* window = ActiveHintWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->HintShowing());
    EXPECT_EQ(window->Caption(), "Hdr 2");
    CancelHint();
}

// ---- Balloons -------------------------------------------------------------------------------------------

int BalloonWindows(TComponent* Owner)
{
    int n = 0;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        n += dynamic_cast<TBalloonWindow*>(Owner->Components(i)) != nullptr;
    return n;
}

TEST_F(Hints, BalloonWindowOnePerGrid)
{
    grid->Balloon()->Transparency = 55;
    grid->Balloon()->SetEnable(true);
    TBalloonWindow* first = grid->BalloonWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Alpha(), 200);
    grid->BalloonInit();
    EXPECT_EQ(grid->BalloonWindow(), first) << "a second init makes none";
    // Switching off destroys the window, so switching on again leaves exactly one.
    grid->Balloon()->SetEnable(false);
    EXPECT_EQ(grid->BalloonWindow(), nullptr);
    EXPECT_EQ(BalloonWindows(grid), 0);
    grid->Balloon()->SetEnable(true);
    EXPECT_EQ(BalloonWindows(grid), 1);
}

TEST_F(Hints, BalloonSettingsAssignLeavesTransparencyAndEvent)
{
    TBalloonSettings from;
    from.SetEnable(true);
    from.InitialDelay = 10;
    from.ReshowDelay = 20;
    from.AutoHideDelay = 30;
    from.BackgroundColor = clRed;
    from.TextColor = clBlue;
    from.Transparency = 99;
    TBalloonSettings to;
    int fired = 0;
    to.OnEnableChange = [&](TObject*) { ++fired; };
    to.Assign(&from);
    EXPECT_TRUE(to.Enable());
    EXPECT_EQ(to.InitialDelay, 10);
    EXPECT_EQ(to.ReshowDelay, 20);
    EXPECT_EQ(to.AutoHideDelay, 30);
    EXPECT_EQ(to.BackgroundColor, clRed);
    EXPECT_EQ(to.TextColor, clBlue);
    EXPECT_EQ(to.Transparency, 0);
    EXPECT_EQ(fired, 0);
}

TEST_F(Hints, BalloonTextLimits)
{
    grid->Balloon()->SetEnable(true);
    const auto at = [&](int C, int R) {
        const TRect r = grid->CellRect(C, R);
        return TPoint(r.Left + 3, r.Top + 3);
    };
    grid->SetCells(1, 1, QString(3000, 'x'));
    TExtStringGrid::TBalloonText t = grid->BalloonNeedText(at(1, 1));
    EXPECT_EQ(t.Text, QString(2045, 'x') + "...");
    EXPECT_EQ(t.Title, " ");
    EXPECT_EQ(t.Icon, int(biInfo));
    EXPECT_EQ(grid->LastBalloonPos(), TPoint(1, 1));

    grid->SetCells(2, 1, "\r\n\tfirst\tsecond");
    EXPECT_EQ(grid->BalloonNeedText(at(2, 1)).Text, "first second");

    grid->AddBalloon(3, 1, QString(120, 't'), "own text", biWarning);
    t = grid->BalloonNeedText(at(3, 1));
    EXPECT_EQ(t.Title, QString(97, 't') + "...");
    EXPECT_EQ(t.Text, "own text");
    EXPECT_EQ(t.Icon, int(biWarning));

    grid->SetCells(4, 1, "<b>bold</b> text");
    EXPECT_EQ(grid->BalloonNeedText(at(4, 1)).Text, "bold text") << "markup shows as its text";

    const TRect last = grid->CellRect(4, 4);
    t = grid->BalloonNeedText(TPoint(last.Right + 20, last.Bottom + 20));
    EXPECT_EQ(t.Text, "");
    EXPECT_EQ(t.Title, " ");
    EXPECT_EQ(t.Icon, int(biInfo));
}

TEST_F(Hints, BalloonShowsAndPopsWhenThePointerLeavesItsCell)
{
    grid->Balloon()->SetEnable(true);
    grid->SetCells(1, 1, "one");
    const auto centre = [&](int C, int R) {
        const TRect r = grid->CellRect(C, R);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    QTest::mouseMove(grid->Viewport(), centre(1, 1));
    TBalloonWindow* w = grid->BalloonWindow();
    ASSERT_TRUE(w->ShowFor(TPoint(centre(1, 1).x(), centre(1, 1).y())));
    EXPECT_TRUE(w->Showing());
    EXPECT_EQ(w->Text(), "one");
    EXPECT_LE(w->Width(), TBalloonWindow::MaxTipWidth);
    QTest::mouseMove(grid->Viewport(), centre(1, 1) + QPoint(2, 1));
    EXPECT_TRUE(w->Showing()) << "inside its cell it stays";
    QTest::mouseMove(grid->Viewport(), centre(2, 2));
    EXPECT_FALSE(w->Showing());
    EXPECT_FALSE(w->ShowFor(TPoint(centre(3, 3).x(), centre(3, 3).y()))) << "an empty cell shows nothing";
}

// ---- Floating pictures ----------------------------------------------------------------------------------

TEST_F(Hints, SelectionPictureWhicheverCornerComesFirst)
{
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 5; ++r)
            grid->SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    QApplication::processEvents();
    std::unique_ptr<TForm> a(grid->SelectionToForm(TGridRect{1, 1, 3, 3}));
    std::unique_ptr<TForm> b(grid->SelectionToForm(TGridRect{3, 3, 1, 1}));
    std::unique_ptr<TForm> c(grid->SelectionToForm(TGridRect{1, 3, 3, 1}));
    const auto image = [](TForm* f) {
        return static_cast<TNoActiveForm*>(f)->Image()->Picture()->Bitmap()->Image();
    };
    const TRect r1 = grid->CellRect(1, 1), r3 = grid->CellRect(3, 3);
    EXPECT_EQ(image(a.get()).size(), QSize(r3.Right - r1.Left + 1, r3.Bottom - r1.Top + 1));
    EXPECT_EQ(image(a.get()), image(b.get()));
    EXPECT_EQ(image(a.get()), image(c.get()));
    EXPECT_EQ(static_cast<TNoActiveForm*>(a.get())->Alpha(), 192);
    EXPECT_EQ(a->Width(), r3.Right - r1.Left + 1);
    a->Show();
    EXPECT_TRUE(a->Widget()->isVisible());
    EXPECT_NE(QApplication::activeWindow(), a->Widget()) << "never activated";
}

// The columns holding ink that the empty button does not have.
std::pair<int, int> InkColumns(THeaderDragButton* B)
{
    const QString caption = B->Caption();
    B->SetCaption(QString());
    const QImage empty = B->Widget()->grab().toImage();
    B->SetCaption(caption);
    const QImage full = B->Widget()->grab().toImage();
    int first = -1, last = -1;
    for (int x = 0; x < full.width(); ++x)
        for (int y = 0; y < full.height(); ++y)
            if (full.pixel(x, y) != empty.pixel(x, y)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

TEST_F(Hints, HeaderDragButtonCaption)
{
    auto* button = new THeaderDragButton(grid);
    button->SetGrid(grid);
    button->SetBounds(0, 0, 200, 24);
    button->SetCaption("Name");
    const auto [first, last] = InkColumns(button);
    ASSERT_GE(first, 0);
    EXPECT_NEAR((first + last) / 2.0, 100, 3) << "centred";
    button->SetCaption("<b>Name</b>");
    const auto [htmlFirst, htmlLast] = InkColumns(button);
    ASSERT_GE(htmlFirst, 0);
    EXPECT_LT(htmlFirst, 10) << "markup is rendered from the left, without its tags";
    EXPECT_LT(htmlLast - htmlFirst, 60);
}

} // namespace
