// The string grid in the message flow: window creation, the wheel (moving, scrolling, zooming),
// typed characters starting the editor, the posted end of an edit, combo notifications, wheel
// panning and the grid timer.
#include "grid/ExtGridShownFixture.h"
#include "grid/base/HtmlHintWindow.h"
#include "platform/controls/Hints.h"
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

namespace
{

TEST_F(ExtGridMessages, SizingBordersLieInTheFixedPartAndTheFirstNormalLine)
{
    grid->SetColCount(5);
    grid->SetRowCount(6);
    const TRect head = grid->CellRect(2, 0);
    const TRect first = grid->CellRect(2, 1);
    const TRect second = grid->CellRect(2, 2);
    const TRect fixedCol = grid->CellRect(0, 3);
    const TRect normal = grid->CellRect(2, 3);
    const struct {
        const char* Name;
        TGridOptions Sizing;
        int X, Y;
        bool Border;
    } cases[] = {
        {"header, right edge", goColSizing, head.Right - 2, head.Top + 5, true},
        {"header, left edge", goColSizing, head.Left + 1, head.Top + 5, true},
        {"header, middle", goColSizing, (head.Left + head.Right) / 2, head.Top + 5, false},
        {"first normal row", goColSizing, first.Right - 3, first.Top + 5, true},
        {"second normal row", goColSizing, second.Right - 2, second.Top + 5, false},
        {"header without goColSizing", goRowSizing, head.Right - 2, head.Top + 5, false},
        {"fixed column, bottom edge", goRowSizing, fixedCol.Left + 5, fixedCol.Bottom - 2, true},
        {"normal column, bottom edge", goRowSizing, normal.Left + 5, normal.Bottom - 2, false},
        {"outside the cells", goColSizing, grid->ClientRect().Right - 2, head.Top + 5, false},
    };
    for (const auto& c : cases) {
        grid->SetOptions((grid->Options() - goColSizing - goRowSizing) | c.Sizing);
        EXPECT_EQ(grid->IsSizingBorder(c.X, c.Y), c.Border) << c.Name;
    }
}

TEST_F(ExtGridMessages, ColumnAndRowSizeEventsMayRefuseTheSizingState)
{
    grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
    const TRect head = grid->CellRect(2, 0);
    const TRect fixedCol = grid->CellRect(0, 3);
    std::vector<int> asked;
    bool allowCol = false, allowRow = false;
    grid->OnColumnSize = [&](TObject*, int ACol, bool& Allow) {
        asked.push_back(ACol);
        Allow = allowCol;
    };
    grid->OnRowSize = [&](TObject*, int ARow, bool& Allow) {
        asked.push_back(100 + ARow);
        Allow = allowRow;
    };
    const auto state = [&](int X, int Y) {
        TGridState s = gsNormal;
        int index = 0, pos = 0, ofs = 0;
        grid->CalcSizingState(X, Y, s, index, pos, ofs);
        return s;
    };
    EXPECT_EQ(state(head.Right, head.Top + 5), gsNormal);
    EXPECT_EQ(asked, std::vector<int>{2});
    allowCol = true;
    EXPECT_EQ(state(head.Right, head.Top + 5), gsColSizing);
    asked.clear();
    EXPECT_EQ(state(fixedCol.Left + 5, fixedCol.Bottom), gsNormal);
    EXPECT_EQ(asked, std::vector<int>{103});
    allowRow = true;
    EXPECT_EQ(state(fixedCol.Left + 5, fixedCol.Bottom), gsRowSizing);
}

TEST_F(ExtGridMessages, ToolkitWheelHandlers)
{
    grid->SetRowCount(30);
    grid->SetColCount(30);
    grid->SetRow(5);
    int downEvents = 0;
    bool answer = false;
    grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++downEvents;
        Handled = answer;
    };
    EXPECT_TRUE(grid->HandleWheelDown(TShiftState(), TPoint(0, 0)));
    EXPECT_EQ(grid->Row(), 6) << "the base grid's step";

    grid->MouseActions()->SetWheelAction(waScroll);
    downEvents = 0;
    EXPECT_FALSE(grid->HandleWheelDown(TShiftState(), TPoint(0, 0)));
    answer = true;
    EXPECT_TRUE(grid->HandleWheelDown(TShiftState(), TPoint(0, 0)));
    EXPECT_EQ(downEvents, 2);
    EXPECT_EQ(grid->Row(), 6) << "with waScroll only the event answers";

    grid->MouseActions()->SetWheelAction(waMoveSelection);
    answer = false;
    grid->SetOptions(grid->Options() | goRowSelect);
    grid->Navigation()->KeepHorizScroll = true;
    grid->SetLeftCol(7);
    grid->HandleWheelDown(TShiftState(), TPoint(0, 0));
    EXPECT_EQ(grid->Row(), 7);
    EXPECT_EQ(grid->LeftCol(), 7) << "KeepHorizScroll puts the left column back";

    grid->SetOptions(grid->Options() - goRowSelect);
    grid->HideSelection();
    const int row = grid->Row();
    EXPECT_TRUE(grid->HandleWheelUp(TShiftState(), TPoint(0, 0)));
    EXPECT_EQ(grid->Row(), row) << "a hidden selection does not move";
}

TEST_F(ExtGridMessages, AlwaysEditOpensTheEditorOnFocusEntry)
{
    auto* other = new TEdit(form.get());
    other->SetParent(form.get());
    other->SetBounds(10, 500, 100, 20);
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->AlwaysEdit = true;
    grid->SetCells(1, 1, "text");
    // Before the editor is first made only a combo cell opens on entry.
    grid->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(grid->EditorMode());
    grid->ShowEditor();
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    const auto enter = [&] {
        other->SetFocus();
        QApplication::processEvents();
        grid->HideEditor();
        grid->EditMode = false;
        grid->SetFocus();
        QApplication::processEvents();
        return grid->EditorMode() && grid->InplaceEditor() && grid->InplaceEditor()->Visible();
    };
    EXPECT_TRUE(enter());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "text");

    grid->InvokedFocusChange = true;
    EXPECT_FALSE(enter()) << "the grid moving the focus itself opens nothing";
    grid->InvokedFocusChange = false;

    grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    EXPECT_FALSE(enter()) << "a cell that may not be edited";
    grid->OnCanEditCell = nullptr;

    grid->Navigation()->AlwaysEdit = false;
    EXPECT_FALSE(enter());
}

TEST(ExtGridHints, UseHTMLHintsSwitchesTheApplicationsHintWindowClass)
{
    TExtStringGrid grid(nullptr);
    grid.SetUseHTMLHints(true);
    std::unique_ptr<THintWindow> w(HintWindowClass(nullptr));
    EXPECT_NE(dynamic_cast<THTMLHintWindow*>(w.get()), nullptr);
    grid.SetUseHTMLHints(false);
    w.reset(HintWindowClass(nullptr));
    EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(w.get()), nullptr);
    EXPECT_FALSE(grid.UseHTMLHints());
}

} // namespace
