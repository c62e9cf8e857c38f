// The string grid in the message flow: window creation, the wheel (moving, scrolling, zooming),
// typed characters starting the editor, the posted end of an edit, combo notifications, wheel
// panning and the grid timer.
#include "grid/ExtGridShownFixture.h"
#include "platform/controls/StdCtrls.h"
#include "platform/grid/InplaceEdit.h"

#include <QTest>

namespace
{
using shownextgrid::ShownGrid;
using shownextgrid::TProbeGrid;

class ExtGridMessages : public ShownGrid
{
};

TEST_F(ExtGridMessages, WindowCreationStartsTimerAndReadsWheelLines)
{
    EXPECT_TRUE(grid->HandleAllocated());
    EXPECT_EQ(grid->WheelScrollLines(), 3);
    EXPECT_TRUE(grid->ThemesOff());
    // A grid never shown is made on demand, once.
    auto* hidden = new TProbeGrid(form.get());
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_FALSE(hidden->ThemesOff());
    hidden->HandleNeeded();
    EXPECT_TRUE(hidden->HandleAllocated());
    EXPECT_TRUE(hidden->ThemesOff());
}

TEST_F(ExtGridMessages, WheelMovesTheCurrentRowByTheSystemLines)
{
    grid->SetRowCount(20);
    grid->SetRow(1);
    int wheelDownEvents = 0;
    grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++wheelDownEvents; };
    grid->Wheel(true);
    EXPECT_EQ(grid->Row(), 4);
    for (int i = 0; i < 5; ++i)
        grid->Wheel(true);
    EXPECT_EQ(grid->Row(), 19);
    grid->Wheel(true);
    EXPECT_EQ(grid->Row(), 19) << "never past the last row";
    EXPECT_EQ(wheelDownEvents, 0) << "WheelIncrement 0 without disjunct selection fires no wheel events";

    grid->SetRow(2);
    grid->Wheel(false);
    EXPECT_EQ(grid->Row(), 1) << "never above FixedRows";

    grid->EnableWheel = false;
    const int top = grid->TopRow();
    grid->Wheel(true);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), top);
}

TEST_F(ExtGridMessages, RefusedWheelTargetMovesHalfTheWay)
{
    grid->SetRowCount(20);
    grid->SetRow(1);
    grid->OnSelectCell = [](TObject*, int, int ARow, bool& CanSelect) { CanSelect = ARow != 4; };
    grid->Wheel(true);
    EXPECT_EQ(grid->Row(), 3); // 1 + round(3 / 2), halves to even
}

TEST_F(ExtGridMessages, WheelWithIncrementFiresTheWheelEvent)
{
    grid->SetRowCount(20);
    grid->SetRow(1);
    grid->MouseActions()->WheelIncrement = 2;
    int downs = 0, ups = 0;
    grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++downs; };
    grid->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++ups; };
    EXPECT_EQ(grid->Wheel(true), 1);
    EXPECT_EQ(grid->Row(), 3);
    grid->Wheel(false);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST_F(ExtGridMessages, WheelScrollActionMovesTheTopRow)
{
    grid->SetRowCount(100);
    grid->MouseActions()->SetWheelAction(waScroll);
    grid->Wheel(true);
    EXPECT_EQ(grid->TopRow(), 4);
    EXPECT_EQ(grid->Row(), 1) << "scrolling leaves the current row";
    grid->Wheel(false);
    grid->Wheel(false);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(ExtGridMessages, CtrlWheelZoomsWithIntelliZoom)
{
    grid->Wheel(true, MK_CONTROL);
    EXPECT_EQ(grid->ZoomFactor(), 3);
    grid->Wheel(true, MK_CONTROL);
    EXPECT_EQ(grid->ZoomFactor(), 6);
    grid->Wheel(false, MK_CONTROL);
    EXPECT_EQ(grid->ZoomFactor(), 3);

    grid->IntelliZoom = false;
    grid->SetRowCount(20);
    grid->SetRow(1);
    grid->Wheel(true, MK_CONTROL);
    EXPECT_EQ(grid->ZoomFactor(), 3);
    EXPECT_EQ(grid->Row(), 4) << "without IntelliZoom Ctrl+wheel moves as usual";
}

TEST_F(ExtGridMessages, TypingStartsTheEditorWithTheCharacter)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetFocus();
    std::vector<std::pair<char16_t, bool>> pressed; // the key and whether the editor was open
    grid->OnKeyPress = [&](TObject*, char16_t& Key) { pressed.emplace_back(Key, grid->EditorMode()); };
    QTest::keyClick(grid->Widget(), Qt::Key_A);
    QApplication::processEvents();
    ASSERT_FALSE(pressed.empty());
    EXPECT_EQ(pressed[0], std::make_pair(u'a', false)) << "the grid asks before the editor opens";
    ASSERT_TRUE(grid->EditorMode());
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "a");
}

TEST_F(ExtGridMessages, CharactersThatDoNotStartTheEditor)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->AllowClipboardShortCuts = true;
    grid->SetFocus();
    std::vector<char16_t> pressed;
    grid->OnKeyPress = [&](TObject*, char16_t& Key) { pressed.push_back(Key); };
    QTest::keyClick(grid->Widget(), Qt::Key_C, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_TRUE(pressed.empty()) << "Ctrl+C types nothing";

    grid->Perform(WM_CHAR, 0x0416, 0);
    QApplication::processEvents();
    EXPECT_FALSE(grid->EditorMode()) << "characters above U+00FF do not start the editor here";
    EXPECT_EQ(pressed, std::vector<char16_t>{char16_t(0x0416)});
}

TEST_F(ExtGridMessages, PostedEditDoneFiresAfterTheEventsRun)
{
    std::vector<std::pair<int, int>> done;
    grid->OnEditCellDone = [&](TObject* Sender, int ACol, int ARow) {
        EXPECT_EQ(Sender, grid);
        done.emplace_back(ACol, ARow);
    };
    ASSERT_TRUE(PostMessage(grid->Handle(), TExtStringGrid::GridEditDoneMessage(), 3, 5));
    EXPECT_TRUE(done.empty());
    QApplication::processEvents();
    EXPECT_EQ(done, (std::vector<std::pair<int, int>>{{3, 5}}));
    QApplication::processEvents();
    EXPECT_EQ(done.size(), 1u);
}

TEST_F(ExtGridMessages, EditDoneEndsEditingWhenEditOnDoubleClickOnly)
{
    grid->MouseActions()->SetEditOnDblClickOnly(true);
    grid->SetOptions(grid->Options() | goEditing);
    grid->ShowEditor();
    ASSERT_TRUE(grid->EditorMode());
    grid->Perform(TExtStringGrid::GridEditDoneMessage(), 1, 1);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(grid->Options().Contains(goEditing));
}

TEST_F(ExtGridMessages, ComboEditChangeFromAnyControlReportsTheDisplayColumn)
{
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    grid->SetCol(2);
    grid->SetRow(3);
    std::vector<std::tuple<int, int, int, QString>> changes;
    grid->OnComboChange = [&](TObject*, int ACol, int ARow, int AItemIndex, const QString& ASelection) {
        changes.emplace_back(ACol, ARow, AItemIndex, ASelection);
    };
    grid->Perform(WM_COMMAND, WPARAM(CBN_EDITCHANGE) << 16, LPARAM(combo->Handle()));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_tuple(2, 3, -1, QString()));
    grid->Perform(WM_COMMAND, WPARAM(CBN_SELCHANGE) << 16, LPARAM(combo->Handle()));
    EXPECT_EQ(changes.size(), 1u) << "only the edit change of a foreign control is reported";
}

TEST_F(ExtGridMessages, MiddleClickPansOnlyWithNormalRows)
{
    grid->Mouse(WM_MBUTTONDOWN, 50, 50);
    EXPECT_TRUE(grid->WheelPanning());
    grid->Perform(WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_FALSE(grid->WheelPanning()) << "a key press ends panning";

    grid->Mouse(WM_MBUTTONDOWN, 50, 50);
    grid->Mouse(WM_LBUTTONDOWN, 60, 60);
    EXPECT_FALSE(grid->WheelPanning()) << "a button press ends panning";
    grid->Mouse(WM_LBUTTONUP, 60, 60);

    auto* fixedOnly = New([](TProbeGrid* g) {
        g->SetFixedRowAlways(true);
        g->SetRowCount(1);
    });
    ASSERT_EQ(fixedOnly->FixedRows(), fixedOnly->RowCount());
    fixedOnly->Mouse(WM_MBUTTONDOWN, 20, 10);
    EXPECT_FALSE(fixedOnly->WheelPanning());
}

TEST_F(ExtGridMessages, PanningMovesTheRowPerTick)
{
    grid->SetRowCount(50);
    grid->SetRow(5);
    // Pan from a point far above the pointer: every tick moves one row down.
    const TPoint cursor = grid->ScreenToClient(TPoint::FromQPoint(QCursor::pos()));
    grid->Mouse(WM_MBUTTONDOWN, cursor.X, cursor.Y - 100);
    ASSERT_TRUE(grid->WheelPanning());
    grid->WMTimer(WheelPanTimerId);
    grid->WMTimer(WheelPanTimerId);
    EXPECT_EQ(grid->Row(), 7);
    grid->Perform(WM_KEYDOWN, VK_SHIFT, 0);
}

TEST_F(ExtGridMessages, GridTimerClearsTheIncrementalSearchAfterFourTicks)
{
    grid->Navigation()->AutoGotoIncremental = true;
    grid->SearchInc = "ab";
    for (int i = 0; i < 3; ++i)
        grid->WMTimer(111);
    EXPECT_EQ(grid->SearchInc, "ab");
    grid->WMTimer(111);
    EXPECT_EQ(grid->SearchInc, "");
    EXPECT_EQ(grid->SearchTics, 0);
    EXPECT_GE(grid->TimerTicks(), 4);
}

TEST_F(ExtGridMessages, BlinkTogglesOnEveryGridTick)
{
    grid->EnableBlink = true;
    const bool before = grid->GridBlink();
    grid->WMTimer(111);
    EXPECT_NE(grid->GridBlink(), before);
    grid->WMTimer(111);
    EXPECT_EQ(grid->GridBlink(), before);
}

TEST_F(ExtGridMessages, SynchronisedRowFollowsTheToolkitMove)
{
    grid->SetRowCount(20);
    grid->SyncGrid()->SelectionRow = true;
    std::vector<std::pair<int, int>> updates;
    grid->OnRowUpdate = [&](TObject*, int OldRow, int NewRow) { updates.emplace_back(OldRow, NewRow); };
    grid->SetFocus();
    QTest::keyClick(grid->Widget(), Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    ASSERT_FALSE(updates.empty());
    EXPECT_EQ(updates.back().second, 2);
}

} // namespace
