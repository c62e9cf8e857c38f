// The toolkit grid's input on a shown form: key navigation and key stages, dialog keys and Tab, the
// mouse (press order, sizing, moving, double clicks, wheel), focus enter/exit, hints and messages.
#include "platform/grid/GridInputTestSupport.h"

#include <QAction>
#include <QHelpEvent>
#include <QRegularExpression>
#include <QWheelEvent>

using namespace gridinput_test;

namespace
{

// ---- Keys --------------------------------------------------------------------------------------------

struct TNavCase {
    const char* Name;
    TGridOptions Add;
    TGridCoord Start;
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    TGridCoord Current;
    TGridRect Selection;
    int TopRow; // -1: not checked
};

class GridKeys : public GridInput, public ::testing::WithParamInterface<TNavCase>
{
};

TEST_P(GridKeys, MoveTheCurrentCell)
{
    const TNavCase& c = GetParam();
    grid->SetOptions(grid->Options() | c.Add);
    grid->SetSelection(TGridRect{c.Start.X, c.Start.Y, c.Start.X, c.Start.Y});
    Key(c.Key, c.Mods);
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.Current);
    EXPECT_EQ(grid->Selection(), c.Selection);
    if (c.TopRow >= 0) {
        EXPECT_EQ(grid->TopRow(), c.TopRow);
    }
    EXPECT_TRUE(grid->Focused());
}

const TGridOptions none;
INSTANTIATE_TEST_SUITE_P(
    Grid, GridKeys,
    ::testing::Values(
        // 10 whole rows show: a page is 10 rows, the top row goes with it (to the largest, 10).
        TNavCase{"PageDown", none, {1, 1}, Qt::Key_PageDown, {}, {1, 11}, {1, 11, 1, 11}, 10},
        TNavCase{"ShiftDownKeepsTheAnchor",
                 none,
                 {2, 3},
                 Qt::Key_Down,
                 Qt::ShiftModifier,
                 {2, 4},
                 {2, 3, 2, 4},
                 1},
        TNavCase{"Home", none, {3, 5}, Qt::Key_Home, {}, {1, 5}, {1, 5, 1, 5}, -1},
        TNavCase{"End", none, {3, 5}, Qt::Key_End, {}, {5, 5}, {5, 5, 5, 5}, -1},
        TNavCase{"CtrlHome", none, {3, 5}, Qt::Key_Home, Qt::ControlModifier, {1, 1}, {1, 1, 1, 1}, 1},
        TNavCase{"CtrlEnd", none, {3, 5}, Qt::Key_End, Qt::ControlModifier, {5, 19}, {5, 19, 5, 19}, 10},
        TNavCase{"CtrlPageDownLastWholeRow",
                 none,
                 {2, 1},
                 Qt::Key_PageDown,
                 Qt::ControlModifier,
                 {2, 10},
                 {2, 10, 2, 10},
                 1},
        TNavCase{
            "CtrlDownScrollsOnly", none, {2, 3}, Qt::Key_Down, Qt::ControlModifier, {2, 3}, {2, 3, 2, 3}, 2},
        TNavCase{"UpStopsAtTheFixedRow", none, {2, 1}, Qt::Key_Up, {}, {2, 1}, {2, 1, 2, 1}, 1},
        TNavCase{"TabWrapsToTheNextRow", goTabs, {5, 3}, Qt::Key_Tab, {}, {1, 4}, {1, 4, 1, 4}, -1},
        TNavCase{
            "BacktabWrapsBack", goTabs, {1, 4}, Qt::Key_Backtab, Qt::ShiftModifier, {5, 3}, {5, 3, 5, 3}, -1},
        TNavCase{"RightSelectsTheNextRowInRowSelect",
                 goRowSelect,
                 {1, 3},
                 Qt::Key_Right,
                 {},
                 {1, 4},
                 {1, 4, 5, 4},
                 -1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridInput, AMoveAsksSelectCellAndClicks)
{
    grid->SetSelection(TGridRect{2, 3, 2, 3});
    const QRegularExpression moves("Select|Click");
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Calls.filter(moves), QStringList({"SelectCell(2,4)", "Click"}));
    grid->Calls.clear();
    grid->SelectAnswer = false;
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 4) << "a refused cell is not entered";
    EXPECT_EQ(grid->Calls.filter(moves), QStringList({"SelectCell(2,5)"}));
}

struct TCharCase {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    bool ZeroInKeyDown;
    int Char; // 0: no character stage
};

class GridKeyStages : public GridInput, public ::testing::WithParamInterface<TCharCase>
{
};

// The character stage follows the key-down stage with the window system's character, also for a key
// the key-down stage consumed.
TEST_P(GridKeyStages, CharacterFollowsTheKeyDown)
{
    const TCharCase& c = GetParam();
    QList<int> chars;
    grid->OnMessage = [&](TMessage& m) {
        if (m.Msg == WM_CHAR)
            chars << int(m.WParam);
    };
    grid->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        if (c.ZeroInKeyDown)
            key = 0;
    };
    Key(c.Key, c.Mods);
    if (c.Char) {
        EXPECT_EQ(chars, QList<int>({c.Char}));
        // Between the key's down and up (modifier keys come as keys of their own around them).
        const int at = grid->Messages.indexOf(WM_CHAR);
        ASSERT_GT(at, 0);
        EXPECT_EQ(grid->Messages[at - 1], WM_KEYDOWN);
        EXPECT_EQ(grid->Messages.value(at + 1), WM_KEYUP);
    } else {
        EXPECT_TRUE(chars.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Grid, GridKeyStages,
                         ::testing::Values(TCharCase{"CtrlA", Qt::Key_A, Qt::ControlModifier, false, 1},
                                           TCharCase{"Backspace", Qt::Key_Backspace, {}, false, 8},
                                           TCharCase{"Enter", Qt::Key_Return, {}, false, 13},
                                           TCharCase{"ConsumedLetter", Qt::Key_B, {}, true, 'b'},
                                           TCharCase{"AltLetterIsAnAccelerator", Qt::Key_B, Qt::AltModifier,
                                                     false, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Stands in for the default and cancel buttons of a dialog: takes Enter and Esc as dialog keys.
class TDialogKeyProbe : public TCustomControl
{
  public:
    using TCustomControl::TCustomControl;
    int Enters = 0;
    int Escapes = 0;
    bool HandleDialogKey(WORD& key, TShiftState shift) override
    {
        if (key == VK_RETURN)
            return ++Enters;
        if (key == VK_ESCAPE)
            return ++Escapes;
        return TCustomControl::HandleDialogKey(key, shift);
    }
};

TEST_F(GridInput, EnterAndEscStayWithAnEditingGridAndItsEditor)
{
    auto* buttons = new TDialogKeyProbe(form.get());
    buttons->SetParent(form.get());
    grid->SetOptions(grid->Options() | goEditing);
    Key(Qt::Key_Return);
    EXPECT_TRUE(EditorShown()) << "Enter opens the editor";
    Key(Qt::Key_Escape);
    EXPECT_EQ(buttons->Enters + buttons->Escapes, 0);

    grid->SetOptions(grid->Options() - goEditing);
    grid->SetFocus();
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
    EXPECT_EQ(buttons->Enters, 1) << "a grid without editing leaves Enter to the dialog";
    EXPECT_EQ(buttons->Escapes, 1);
}

// A WM_KEYDOWN posted to the grid runs the whole key path, as a typed key does.
TEST_F(GridInput, TabMovesTheCellWithGoTabsAndTheFocusWithout)
{
    for (bool posted : {false, true})
        for (bool tabs : {true, false}) {
            SCOPED_TRACE(QString("%1, %2")
                             .arg(tabs ? "goTabs" : "no goTabs", posted ? "posted" : "typed")
                             .toStdString());
            grid->SetOptions(tabs ? grid->Options() | goTabs : grid->Options() - goTabs);
            grid->SetFocus();
            grid->SetSelection(TGridRect{2, 3, 2, 3});
            grid->Calls.clear();
            if (posted) {
                PostMessage(grid->Handle(), WM_KEYDOWN, VK_TAB, 0);
                QApplication::processEvents();
            } else {
                Key(Qt::Key_Tab);
            }
            EXPECT_EQ(grid->Col(), tabs ? 3 : 2);
            EXPECT_EQ(other->Focused(), !tabs);
            EXPECT_EQ(grid->Calls.count("DoExit"), tabs ? 0 : 1);
        }
}

struct TShortcutCase {
    const char* Name;
    TGridOptions Add;
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    bool Fires;         // the window's action on that key runs
    TGridCoord Current; // where the current cell is afterwards
};

class GridShortcuts : public GridInput, public ::testing::WithParamInterface<TShortcutCase>
{
};

TEST_P(GridShortcuts, OnlyTheKeysTheGridUsesAreKeptFromTheWindow)
{
    const TShortcutCase& c = GetParam();
    grid->SetOptions(grid->Options() | c.Add);
    grid->SetSelection(TGridRect{2, 3, 2, 3});
    QAction action(form->Widget());
    action.setShortcut(QKeySequence(QKeyCombination(c.Mods, c.Key)));
    action.setShortcutContext(Qt::WindowShortcut);
    form->Widget()->addAction(&action);
    int fired = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++fired; });
    ASSERT_TRUE(grid->Focused());
    Key(c.Key, c.Mods);
    EXPECT_EQ(fired, c.Fires ? 1 : 0);
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.Current);
    form->Widget()->removeAction(&action);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridShortcuts,
    ::testing::Values(TShortcutCase{"F5", none, Qt::Key_F5, {}, true, {2, 3}},
                      TShortcutCase{"Delete", goEditing, Qt::Key_Delete, {}, true, {2, 3}},
                      TShortcutCase{"Insert", none, Qt::Key_Insert, {}, true, {2, 3}},
                      TShortcutCase{"LetterWithoutEditing", none, Qt::Key_A, {}, true, {2, 3}},
                      TShortcutCase{"CtrlS", none, Qt::Key_S, Qt::ControlModifier, true, {2, 3}},
                      TShortcutCase{"Down", none, Qt::Key_Down, {}, false, {2, 4}},
                      TShortcutCase{"ShiftRight", none, Qt::Key_Right, Qt::ShiftModifier, false, {3, 3}},
                      TShortcutCase{"CtrlEnd", none, Qt::Key_End, Qt::ControlModifier, false, {5, 19}},
                      TShortcutCase{"TabWithGoTabs", goTabs, Qt::Key_Tab, {}, false, {3, 3}},
                      TShortcutCase{"LetterWhileEditing", goEditing, Qt::Key_A, {}, false, {2, 3}},
                      TShortcutCase{"F2WhileEditing", goEditing, Qt::Key_F2, {}, false, {2, 3}}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- Mouse -------------------------------------------------------------------------------------------

struct TPressCase {
    const char* Name;
    TGridCoord Start;
    TGridCoord Cell;
    Qt::KeyboardModifiers Mods;
    bool Answer;
    QStringList PressCalls;
    TGridCoord Current;
    TGridRect Selection;
};

class GridPress : public GridInput, public ::testing::WithParamInterface<TPressCase>
{
};

TEST_P(GridPress, OnMouseDownComesBeforeTheCellSelectionAndTheReleaseClicks)
{
    const TPressCase& c = GetParam();
    grid->SetSelection(TGridRect{c.Start.X, c.Start.Y, c.Start.X, c.Start.Y});
    grid->SelectAnswer = c.Answer;
    grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { grid->Calls << "OnMouseDown"; };
    grid->Calls.clear();
    const QPoint at = CellCentre(c.Cell.X, c.Cell.Y);
    QTest::mousePress(grid->Viewport(), Qt::LeftButton, c.Mods, at);
    EXPECT_EQ(grid->Calls, c.PressCalls);
    EXPECT_EQ(grid->GridState(), gsSelecting);
    QTest::mouseRelease(grid->Viewport(), Qt::LeftButton, c.Mods, at);
    EXPECT_EQ(grid->Calls.mid(c.PressCalls.size()), QStringList({"Click"}));
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.Current);
    EXPECT_EQ(grid->Selection(), c.Selection);
    EXPECT_EQ(grid->GridState(), gsNormal);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridPress,
    ::testing::Values(
        TPressCase{
            "Plain", {1, 1}, {3, 2}, {}, true, {"OnMouseDown", "SelectCell(3,2)"}, {3, 2}, {3, 2, 3, 2}},
        TPressCase{
            "Refused", {1, 1}, {3, 2}, {}, false, {"OnMouseDown", "SelectCell(3,2)"}, {1, 1}, {1, 1, 1, 1}},
        // The current cell stays; only the anchor goes to the pressed cell.
        TPressCase{
            "ShiftExtends", {2, 3}, {4, 6}, Qt::ShiftModifier, true, {"OnMouseDown"}, {2, 3}, {2, 3, 4, 6}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridInput, DraggingExtendsTheSelectionFromThePressedCell)
{
    QTest::mousePress(grid->Viewport(), Qt::LeftButton, {}, CellCentre(2, 2));
    QTest::mouseMove(grid->Viewport(), CellCentre(4, 5));
    QTest::mouseRelease(grid->Viewport(), Qt::LeftButton, {}, CellCentre(4, 5));
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), (TGridCoord{2, 2}));
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 4, 5}));
}

TEST_F(GridInput, ColumnSizingByDrag)
{
    grid->SetOptions(grid->Options() | goColSizing);
    QTest::mouseMove(grid->Viewport(), QPoint(grid->CellRect(2, 0).Right - 1, 5));
    EXPECT_EQ(grid->CurrentCursor(), crHSplit) << "the border shows the sizing cursor";
    QTest::mouseMove(grid->Viewport(), CellCentre(2, 0));
    EXPECT_EQ(grid->CurrentCursor(), crDefault);
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled by the grid" : "sized");
        const QPoint press(grid->CellRect(2, 0).Right - 1, 5);
        const int before = grid->ColWidths(2);
        grid->Calls.clear();
        grid->CancelRelease = cancel;
        QTest::mousePress(grid->Viewport(), Qt::LeftButton, {}, press);
        EXPECT_EQ(grid->GridState(), gsColSizing);
        QTest::mouseMove(grid->Viewport(), press + QPoint(30, 0));
        QTest::mouseRelease(grid->Viewport(), Qt::LeftButton, {}, press + QPoint(30, 0));
        EXPECT_EQ(grid->ColWidths(2), cancel ? before : before + 30);
        EXPECT_EQ(grid->Calls.count("ColWidthsChanged"), cancel ? 0 : 1);
        EXPECT_EQ(grid->GridState(), gsNormal);
        EXPECT_EQ(grid->Col(), 1) << "sizing moves no cell";
    }
}

struct TMoveCase {
    const char* Name;
    GridOption Option;
    TGridCoord Press;
    TGridCoord Drop;
    QString Call;
    TGridCoord Probe; // a cell that holds the moved data afterwards
    QString ProbeText;
};

class GridDragMove : public GridInput, public ::testing::WithParamInterface<TMoveCase>
{
};

TEST_P(GridDragMove, DroppingAHeaderMovesTheColumnOrRow)
{
    const TMoveCase& c = GetParam();
    grid->SetOptions(grid->Options() | c.Option);
    QTest::mousePress(grid->Viewport(), Qt::LeftButton, {}, CellCentre(c.Press.X, c.Press.Y));
    QTest::mouseMove(grid->Viewport(), CellCentre(c.Drop.X, c.Drop.Y));
    QTest::mouseRelease(grid->Viewport(), Qt::LeftButton, {}, CellCentre(c.Drop.X, c.Drop.Y));
    EXPECT_EQ(grid->Calls.filter("Moved("), QStringList({c.Call}));
    EXPECT_EQ(grid->Cells(c.Probe.X, c.Probe.Y), c.ProbeText);
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_TRUE(grid->Calls.filter("SelectCell").isEmpty()) << "a header press selects nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridDragMove,
    ::testing::Values(TMoveCase{"Column", goColMoving, {1, 0}, {3, 0}, "ColumnMoved(1,3)", {3, 5}, "1:5"},
                      TMoveCase{"Row", goRowMoving, {0, 1}, {0, 3}, "RowMoved(1,3)", {2, 3}, "2:1"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridInput, ADoubleClickArrivesAsDblClickNotAsASecondPress)
{
    const QPoint at = CellCentre(2, 2);
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {}, at);
    const auto plain = std::count_if(grid->LeftDowns.begin(), grid->LeftDowns.end(),
                                     [](TShiftState s) { return !(s & ssDouble); });
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(grid->Calls.count("DblClick"), 1);
    EXPECT_EQ(grid->Messages.count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(grid->GridState(), gsNormal);
}

struct TWheelCase {
    const char* Name;
    int StartRow;
    QList<int> Deltas;
    bool Handled;        // by OnMouseWheelDown/Up
    bool GenericHandled; // by OnMouseWheel, before them
    int Row;
};

class GridWheel : public GridInput, public ::testing::WithParamInterface<TWheelCase>
{
};

TEST_P(GridWheel, MovesTheRowByOnePerNotch)
{
    const TWheelCase& c = GetParam();
    grid->SetSelection(TGridRect{2, c.StartRow, 2, c.StartRow});
    int asked = 0;
    auto answer = [&](TObject*, TShiftState, TPoint, bool& handled) {
        ++asked;
        handled = c.Handled;
    };
    grid->OnMouseWheelDown = answer;
    grid->OnMouseWheelUp = answer;
    grid->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) {
        handled = c.GenericHandled;
    };
    const QPoint at = CellCentre(2, 2);
    for (int delta : c.Deltas) {
        QWheelEvent e(at, grid->Viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->Viewport(), &e);
        EXPECT_TRUE(e.isAccepted());
    }
    EXPECT_EQ(grid->Row(), c.Row);
    int total = 0;
    for (int d : c.Deltas)
        total += d;
    EXPECT_EQ(asked, c.GenericHandled ? 0 : std::abs(total) / 120);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridWheel,
    ::testing::Values(TWheelCase{"NotchTowardsTheUser", 3, {-120}, false, false, 4},
                      TWheelCase{"NotchAway", 3, {120}, false, false, 2},
                      TWheelCase{"TwoNotches", 3, {-240}, false, false, 5},
                      TWheelCase{"TouchpadStepsMakeANotch", 3, {-40, -40, -40}, false, false, 4},
                      TWheelCase{"TouchpadStepsShortOfANotch", 3, {-40, -40}, false, false, 3},
                      TWheelCase{"HandledByTheUpDownEvent", 3, {-120}, true, false, 3},
                      TWheelCase{"HandledByOnMouseWheel", 3, {-120}, false, true, 3}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- Focus -------------------------------------------------------------------------------------------

TEST_F(GridInput, FocusBetweenTheGridAndItsEditorIsNoEnterOrExit)
{
    grid->SetOptions(grid->Options() | goEditing);
    Key(Qt::Key_F2);
    ASSERT_TRUE(Editor() && Editor()->Focused());
    Key(Qt::Key_Return); // closes the editor, the focus back on the grid
    ASSERT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Calls.filter(QRegularExpression("^Do")), QStringList());

    grid->Calls.clear();
    other->SetFocus();
    QApplication::processEvents();
    grid->SetFocus();
    QApplication::processEvents();
    // DoEnter runs inside the focus message's base, before the grid's own steps after it.
    EXPECT_EQ(grid->Calls.filter(QRegularExpression("^Do|WMSetFocus")),
              QStringList({"DoExit", "DoEnter", "WMSetFocus done"}));

    Key(Qt::Key_F2);
    grid->Calls.clear();
    other->SetFocus(); // straight from the editor
    QApplication::processEvents();
    EXPECT_EQ(grid->Calls.filter(QRegularExpression("^Do")), QStringList({"DoExit"}));
}

// ---- Hints -------------------------------------------------------------------------------------------

struct THintCase {
    const char* Name;
    std::function<void(THintInfo&)> Handler;
    QString Shown; // empty: no hint
};

class GridHint : public GridInput, public ::testing::WithParamInterface<THintCase>
{
};

TEST_P(GridHint, TheGridDecidesTheHintOfTheRestingMouse)
{
    const THintCase& c = GetParam();
    grid->SetShowHint(true);
    grid->SetHint("Cells|The cells of the table");
    QList<THintInfo> asked;
    grid->OnHintShow = [&](TCMHintShow& m) {
        asked << *m.HintInfo;
        c.Handler(*m.HintInfo);
    };
    const QPoint at = CellCentre(3, 2);
    auto rest = [&] {
        QHelpEvent e(QEvent::ToolTip, at, grid->Viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->Viewport(), &e);
    };
    rest();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].HintStr, "Cells") << "the short hint comes in";
    EXPECT_EQ(asked[0].CursorPos, TPoint::FromQPoint(at));
    THintWindow* w = ActiveHintWindow();
    EXPECT_EQ(w && w->HintShowing(), !c.Shown.isEmpty());
    if (!c.Shown.isEmpty()) {
        EXPECT_EQ(w->Caption(), c.Shown);
        rest();
        EXPECT_EQ(asked.size(), 1) << "not asked again until cancelled";
        CancelHint();
        EXPECT_FALSE(w->HintShowing());
        rest();
        EXPECT_EQ(asked.size(), 2);
    }
    CancelHint();
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridHint,
    ::testing::Values(THintCase{"TheGridsHint", [](THintInfo&) {}, "Cells"},
                      THintCase{"CellText", [](THintInfo& i) { i.HintStr = "3:2"; }, "3:2"},
                      THintCase{"EmptyMeansNone", [](THintInfo& i) { i.HintStr.clear(); }, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- Messages ----------------------------------------------------------------------------------------

TEST_F(GridInput, ARegisteredMessageIsPostedThroughWindowProcedure)
{
    const UINT done = RegisterWindowMessage("GridEditDone");
    EXPECT_EQ(RegisterWindowMessage("GridEditDone"), done);
    EXPECT_NE(RegisterWindowMessage("DTPShiftFocus"), done);
    EXPECT_GE(done, 0xC000u);
    QList<QPair<WPARAM, LPARAM>> got;
    grid->OnMessage = [&](TMessage& m) {
        if (m.Msg == done)
            got << qMakePair(m.WParam, m.LParam);
    };
    ASSERT_TRUE(PostMessage(grid->Handle(), done, 2, 3));
    EXPECT_TRUE(got.isEmpty()) << "posted, not sent";
    QApplication::processEvents();
    EXPECT_EQ(got, (QList<QPair<WPARAM, LPARAM>>{{2, 3}}));
}

} // namespace
