// The drop-down edit: construction, the pop-up window's size and place, its life cycle, keys and
// the drop button, on a shown form with real keys and clicks.
#include "DropDownTestSupport.h"

#include "common/FormTestSupport.h"

#include <QPointer>
#include <QTimer>

using namespace dropdowntest;

namespace
{

class ExtDropDown : public DropDownOnForm
{
};

TEST_F(ExtDropDown, ConstructionRunsThePickersOverridesAndSetsTheDefaults)
{
    TTestPicker* picker = Make();
    EXPECT_EQ(picker->Calls, QStringList({"CreateDropDownForm", "SetComponentStyle 4"}));
    EXPECT_EQ(picker->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(picker->Version(), "1.2.1.4");
    picker->SetVersion("9");
    EXPECT_EQ(picker->Version(), "1.2.1.4");

    auto* fresh = MakeDropDown<TTestPicker>(form.get());
    EXPECT_EQ(fresh->Width(), 200);
    EXPECT_EQ(fresh->Height(), 21);
    EXPECT_EQ(fresh->Text(), "");
    EXPECT_FALSE(fresh->DroppedDown());
    EXPECT_EQ(fresh->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(fresh->SelectionColorTo(), TColor(0x58D4FC));
}

TEST_F(ExtDropDown, ButtonWidthFollowsOnlyAChangedDropDownButtonWidth)
{
    TTestPicker* picker = Make();
    EXPECT_EQ(picker->DropButton()->Width(), 16);
    EXPECT_EQ(picker->DropDownButtonWidth(), 17);
    picker->SetDropDownButtonWidth(17);
    EXPECT_EQ(picker->DropButton()->Width(), 16);
    picker->SetDropDownButtonWidth(20);
    EXPECT_EQ(picker->DropDownButtonWidth(), 20);
    EXPECT_EQ(picker->DropButton()->Width(), 20);
    // The size rule: whatever width is asked, the button keeps its own.
    picker->DropButton()->SetBounds(0, 0, 40, 17);
    EXPECT_EQ(picker->DropButton()->Width(), 20);
    EXPECT_EQ(picker->DropButton()->Button()->Width(), 20);
    EXPECT_EQ(picker->DropButton()->Button()->Height(), 17);
}

TEST_F(ExtDropDown, ButtonSitsInsideTheRightEdgeAndTheTextStopsBeforeIt)
{
    TTestPicker* picker = Make();
    ShowForm();
    const TRect client = picker->ClientRect();
    EXPECT_EQ(client.Width(), 196);
    EXPECT_EQ(client.Height(), 17);
    // Client coordinates start inside the 2-pixel edge.
    EXPECT_EQ(picker->DropButton()->Left() - 2 + picker->DropButton()->Width(), client.Width());
    EXPECT_EQ(picker->DropButton()->Height(), client.Height());
    EXPECT_EQ(picker->EditRect(), TRect(1, 1, 196 - 16 - 3, 18));
    // A font taller than the edit raises the height.
    picker->Font->Height = -30;
    picker->SetBounds(10, 10, 200, 20); // the resize checks the height
    const int font = QFontMetrics(picker->Font->ToQFont()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    EXPECT_EQ(picker->Height(), font + std::min(font, system) / 4);
}

TEST_F(ExtDropDown, WindowSizeComesFromTheControlAndKeepsWhatTheUserGaveIt)
{
    TTestPicker* picker = Make();
    picker->DropDownHeader()->SetVisible(false);
    picker->DropDownFooter()->SetVisible(false);
    Start(picker);
    TDropDownForm* window = picker->DropDownForm();

    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    EXPECT_EQ(window->Width(), 150);
    EXPECT_EQ(window->Height(), 122);
    EXPECT_EQ(picker->Panel->BoundsRect(), TRect(1, 1, 149, 121)); // inside the border
    picker->HideDropDown();

    picker->SetDropDownWidth(40);
    picker->ShowDropDown();
    EXPECT_EQ(window->Width(), 80); // the constraints
    EXPECT_EQ(window->Height(), 122);

    // A manual resize from the corner, then closed and opened again.
    const TPoint corner(window->Left() + window->Width() - 2, window->Top() + window->Height() - 2);
    window->BeginManualResize(corner);
    window->ManualResizeTo(TPoint(corner.X + 120, corner.Y + 28));
    window->EndManualResize();
    EXPECT_EQ(window->Width(), 200);
    EXPECT_EQ(window->Height(), 150);
    picker->HideDropDown();
    picker->ShowDropDown();
    EXPECT_EQ(window->Width(), 200);
    EXPECT_EQ(window->Height(), 150);
    picker->HideDropDown();

    // The same designed width keeps the user's; a new one wins.
    picker->SetDropDownWidth(40);
    picker->ShowDropDown();
    EXPECT_EQ(window->Width(), 200);
    picker->HideDropDown();
    picker->SetDropDownWidth(170);
    picker->ShowDropDown();
    EXPECT_EQ(window->Width(), 170);
    EXPECT_EQ(window->Height(), 150);
}

TEST_F(ExtDropDown, ManualResizeStaysWithinTheConstraintsAndReportsEachStep)
{
    TTestPicker* picker = Make();
    picker->DropDownHeader()->SetVisible(false);
    picker->DropDownFooter()->SetVisible(false);
    Start(picker);
    picker->ShowDropDown();
    TDropDownForm* window = picker->DropDownForm();
    int steps = 0;
    window->OnSizing = [&](TObject*) { ++steps; };
    window->BeginManualResize(TPoint(0, 0));
    window->ManualResizeTo(TPoint(-500, -500));
    EXPECT_EQ(window->Width(), 80);
    EXPECT_EQ(window->Height(), 50);
    window->ManualResizeTo(TPoint(10, 5));
    EXPECT_EQ(window->Width(), 160);
    EXPECT_EQ(window->Height(), 127);
    window->EndManualResize();
    window->ManualResizeTo(TPoint(100, 100)); // after the release nothing moves
    EXPECT_EQ(window->Width(), 160);
    EXPECT_EQ(steps, 2);
}

TEST_F(ExtDropDown, PlacementOnTheScreen)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 800));
    struct Case {
        int EditLeft, EditTop;
        TDropPosition Position;
        int Left, Top;
    };
    // Edit 21 high, window 150 x 122, screen 800 x 800.
    const Case cases[] = {
        {10, 677, dpAuto, 10, 697}, // 677 + 122 < 800: below, one pixel up
        {10, 678, dpAuto, 10, 556}, // reaches the screen height: above
        {10, 678, dpDown, 10, 698},   {10, 100, dpUp, 10, -22},
        {700, 100, dpAuto, 650, 120}, // moved left to the work area's right edge, by the width it is shown at
        {700, 100, dpAuto, 650, 120}, // (the user's width, kept from the last opening)
    };
    form->SetBounds(0, 0, 800, 750);
    TTestPicker* picker = Make();
    picker->DropDownHeader()->SetVisible(false);
    picker->DropDownFooter()->SetVisible(false);
    Start(picker);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.EditLeft << "," << c.EditTop << " position " << c.Position);
        const QPoint origin = form->Widget()->mapToGlobal(QPoint(0, 0));
        picker->SetBounds(c.EditLeft - origin.x(), c.EditTop - origin.y(), 200, 21);
        picker->SetDropPosition(c.Position);
        picker->ShowDropDown();
        ASSERT_TRUE(picker->DroppedDown());
        EXPECT_EQ(picker->DropDownForm()->Left(), c.Left);
        EXPECT_EQ(picker->DropDownForm()->Top(), c.Top);
        picker->HideDropDown();
    }
}

TEST_F(ExtDropDown, RefusedOpeningLeavesTheWindowHiddenAtTheEdit)
{
    TTestPicker* picker = Make();
    picker->SetBounds(30, 40, 200, 21);
    picker->OnDropDown = [this](TObject*, bool& accept) {
        Log << "DropDown";
        accept = false;
    };
    Start(picker);
    KeyToForm(Qt::Key_F4);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_FALSE(picker->DropDownForm()->Widget()->isVisible());
    EXPECT_EQ(Log, QStringList({"BeforeDropDown", "DropDown"}));
}

TEST_F(ExtDropDown, EscInTheInnerControlPutsBackTheLastTextEnterKeepsTheTyping)
{
    struct Case {
        Qt::Key Key;
        QString Text;
        QString DropUp;
    };
    const Case cases[] = {{Qt::Key_Escape, "a", "DropUp cancelled"},
                          {Qt::Key_Return, "ab", "DropUp confirmed"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DropUp.toStdString());
        Log.clear();
        TTestPicker* picker = Make(true);
        Start(picker);
        picker->SetText("a");
        picker->LineEdit()->end(false);
        KeyToForm(Qt::Key_B);
        ASSERT_EQ(picker->Text(), "ab");
        KeyToForm(Qt::Key_F4);
        ASSERT_TRUE(picker->DroppedDown());
        ASSERT_EQ(QApplication::focusWidget(), picker->Panel->Widget());
        KeyToPopup(picker, c.Key);
        EXPECT_FALSE(picker->DroppedDown());
        EXPECT_FALSE(picker->DropDownForm()->Widget()->isVisible());
        EXPECT_EQ(picker->Text(), c.Text);
        EXPECT_EQ(Log, QStringList({"BeforeDropDown", c.DropUp}));
        delete picker;
    }
}

TEST_F(ExtDropDown, F4AndAltArrowsToggleTheWindow)
{
    TTestPicker* picker = Make();
    Start(picker);
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
    } keys[] = {{Qt::Key_F4, Qt::NoModifier}, {Qt::Key_Down, Qt::AltModifier}, {Qt::Key_Up, Qt::AltModifier}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.Key);
        Log.clear();
        KeyToForm(k.Key, k.Modifiers);
        ASSERT_TRUE(picker->DroppedDown());
        // With the window open the keys arrive there and are sent on to the edit.
        KeyToPopup(picker, k.Key, k.Modifiers);
        EXPECT_FALSE(picker->DroppedDown());
        EXPECT_EQ(Log, QStringList({"BeforeDropDown", "DropUp confirmed"}));
    }
}

TEST_F(ExtDropDown, ReadOnlyOrDisabledNeverOpens)
{
    TTestPicker* picker = Make();
    Start(picker);
    picker->SetReadOnly(true);
    KeyToForm(Qt::Key_F4);
    KeyToForm(Qt::Key_Down, Qt::AltModifier);
    picker->ShowDropDown();
    QTest::mouseClick(FormWindow(), Qt::LeftButton, {}, InForm(picker->DropButton()->Button(), QPoint(5, 5)));
    EXPECT_FALSE(picker->DroppedDown());
    picker->SetReadOnly(false);
    picker->SetEnabled(false);
    picker->ShowDropDown();
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_TRUE(Log.isEmpty());
}

TEST_F(ExtDropDown, WithoutTheEditorTypingChangesNothingAndF4Toggles)
{
    TTestPicker* picker = Make();
    picker->SetEditorEnabled(false);
    Start(picker);
    picker->SetText("1");
    KeyToForm(Qt::Key_5);
    EXPECT_EQ(picker->Text(), "1");
    KeyToForm(Qt::Key_F4);
    EXPECT_TRUE(picker->DroppedDown());
    KeyToPopup(picker, Qt::Key_F4);
    EXPECT_FALSE(picker->DroppedDown());
    KeyToForm(Qt::Key_F4);
    KeyToPopup(picker, Qt::Key_Escape);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(Log.last(), "DropUp cancelled");
    // A press on the edit opens it too.
    QTest::mouseClick(FormWindow(), Qt::LeftButton, {}, InForm(picker, QPoint(20, 8)));
    EXPECT_TRUE(picker->DroppedDown());
}

TEST_F(ExtDropDown, ClickOutsideClosesAsTheWindowSays)
{
    struct Case {
        bool CancelOnDeActivate, BlockActivate;
        bool Open;
        QString Text;
    };
    const Case cases[] = {
        {true, false, false, "a"},
        {false, false, false, "ab"},
        {true, true, true, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.CancelOnDeActivate << c.BlockActivate);
        TTestPicker* picker = Make();
        Start(picker);
        picker->SetText("a");
        picker->LineEdit()->end(false);
        KeyToForm(Qt::Key_B);
        picker->ShowDropDown();
        ASSERT_TRUE(picker->DroppedDown());
        picker->DropDownForm()->FCancelOnDeActivate = c.CancelOnDeActivate;
        picker->DropDownForm()->FBlockActivate = c.BlockActivate;
        QTest::mouseClick(FormWindow(), Qt::LeftButton, {}, QPoint(300, 150));
        QApplication::processEvents();
        EXPECT_EQ(picker->DroppedDown(), c.Open);
        EXPECT_EQ(picker->DropDownForm()->Widget()->isVisible(), c.Open);
        EXPECT_EQ(picker->Text(), c.Text);
        picker->DropDownForm()->FBlockActivate = false;
        delete picker;
    }
}

TEST_F(ExtDropDown, DropButtonOpensOnTheLeftReleaseAndToggles)
{
    FakeTicks ticks;
    ticks.Now = 10;
    TTestPicker* picker = Make();
    Start(picker);
    const QPoint button = InForm(picker->DropButton()->Button(), QPoint(5, 5));

    // (Through the widget: the window system would add the edit's context menu.)
    QTest::mouseClick(picker->DropButton()->Button()->Widget(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(picker->DroppedDown());
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, button);
    EXPECT_FALSE(picker->DroppedDown()); // never on the press
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, {}, button);
    ASSERT_TRUE(picker->DroppedDown()); // the first click at tick 10

    // The press outside the window closes it at tick t; the release belongs to the same click.
    ticks.Now = 5000;
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, button);
    QApplication::processEvents();
    EXPECT_FALSE(picker->DroppedDown());
    ticks.Now = 5100;
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, {}, button);
    EXPECT_FALSE(picker->DroppedDown());

    // Whether or not the window system hands the release on, the button's rule decides by the time
    // since the deactivation.
    ticks.Now = 5250;
    picker->DropButtonClick();
    EXPECT_FALSE(picker->DroppedDown());
    ticks.Now = 5300;
    picker->DropButtonClick();
    ASSERT_TRUE(picker->DroppedDown());
    ticks.Now = 9000;
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, button);
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, {}, button);
    EXPECT_FALSE(picker->DroppedDown());
    ticks.Now = 9300;
    QTest::mouseClick(FormWindow(), Qt::LeftButton, {}, button);
    EXPECT_TRUE(picker->DroppedDown());
}

TEST_F(ExtDropDown, TypingInThePopupFormReachesTheEditOnce)
{
    TTestPicker* picker = Make();
    Start(picker);
    picker->SetText("a");
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    ASSERT_EQ(QApplication::activePopupWidget(), picker->DropDownForm()->Widget());
    picker->LineEdit()->end(false);
    KeyToPopup(picker, Qt::Key_X);
    EXPECT_EQ(picker->Text(), "ax");
    KeyToPopup(picker, Qt::Key_Backspace);
    KeyToPopup(picker, Qt::Key_Home);
    KeyToPopup(picker, Qt::Key_Y);
    EXPECT_EQ(picker->Text(), "ya");
    EXPECT_TRUE(picker->DroppedDown());
}

TEST_F(ExtDropDown, ModalWindowSuspendsABlockedWindowAndShowsItAgain)
{
    TTestPicker* picker = Make(true);
    Start(picker);
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    TDropDownForm* window = picker->DropDownForm();
    window->FBlockActivate = true;

    TForm dialog(nullptr);
    dialog.SetBounds(100, 300, 200, 100);
    auto* ok = new formtest::TProbe(&dialog, &dialog);
    ok->SetBounds(10, 10, 80, 30);
    bool hiddenDuring = false, droppedDuring = false;
    const TModalResult result = formtest::RunModal(dialog, [&] {
        hiddenDuring = !window->Widget()->isVisible();
        droppedDuring = picker->DroppedDown();
        QTest::mouseClick(dialog.Widget()->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        if (ok->Clicks == 1)
            dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(hiddenDuring);
    EXPECT_TRUE(droppedDuring);
    formtest::Pump();
    EXPECT_TRUE(window->Widget()->isVisible());
    EXPECT_TRUE(picker->DroppedDown());
    EXPECT_EQ(QApplication::focusWidget(), picker->Panel->Widget());
    EXPECT_EQ(Log, QStringList({"BeforeDropDown"}));
}

TEST_F(ExtDropDown, ModalWindowClosesAnUnblockedWindow)
{
    TTestPicker* picker = Make();
    Start(picker);
    picker->ShowDropDown();
    TForm dialog(nullptr);
    dialog.SetBounds(100, 300, 200, 100);
    bool droppedDuring = true;
    formtest::RunModal(dialog, [&] {
        droppedDuring = picker->DroppedDown();
        dialog.SetModalResult(mrOk);
    });
    EXPECT_FALSE(droppedDuring);
    EXPECT_EQ(Log, QStringList({"BeforeDropDown", "DropUp cancelled"}));
}

TEST_F(ExtDropDown, ReturnIsTabMovesTheFocusOnceThePostedTabIsServed)
{
    TTestPicker* picker = Make();
    picker->ReturnIsTab = true;
    other->SetTabOrder(1);
    Start(picker);
    KeyToForm(Qt::Key_Return);
    formtest::Pump();
    EXPECT_EQ(QApplication::focusWidget(), other->Widget());
}

TEST_F(ExtDropDown, TextIsTheValueBetweenPrefixAndSuffix)
{
    TTestPicker* picker = Make();
    picker->Prefix = "$ ";
    picker->Suffix = " kg";
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    picker->SetText("12.5");
    EXPECT_EQ(picker->RawText(), "$ 12.5 kg");
    EXPECT_EQ(picker->Text(), "12.5");
    EXPECT_EQ(picker->LineEdit()->cursorPosition(), 0);
    EXPECT_EQ(changes, 1);
    picker->SetText("12.5");
    EXPECT_EQ(changes, 1);
    picker->SelectAll();
    EXPECT_EQ(picker->SelStart(), 2);
    EXPECT_EQ(picker->SelLength(), 4);
    picker->SelectBeforeDecimal();
    EXPECT_EQ(picker->SelStart(), 4);
    picker->SelectAfterDecimal();
    EXPECT_EQ(picker->SelStart(), 5);
}

TEST_F(ExtDropDown, DestroyedReferencesAreClearedAndAnOpenDropDownDiesQuietly)
{
    TTestPicker* picker = Make();
    auto* images = new TImageList(form.get());
    auto* focus = new TPanel(form.get());
    picker->SetImages(images);
    picker->SetFocusControl(focus);
    delete images;
    delete focus;
    EXPECT_EQ(picker->Images(), nullptr);
    EXPECT_EQ(picker->FocusControl(), nullptr);
    delete picker->Panel;
    EXPECT_EQ(picker->Control(), nullptr);

    Start(picker);
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    QPointer<QWidget> window = picker->DropDownForm()->Widget();
    delete picker;
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(Log, QStringList({"BeforeDropDown"}));
}

TEST_F(ExtDropDown, AssignCopiesFromDropDownsOnly)
{
    TTestPicker* source = Make();
    source->SetDropDownColor(0x123456);
    source->SetDropDownWidth(140);
    source->SetDropDownButtonWidth(22);
    source->SetDropPosition(dpUp);
    source->Prefix = "#";
    source->DropDownHeader()->SetCaption("head");
    source->SetText("not copied");
    TTestPicker* target = Make();
    target->Assign(source);
    EXPECT_EQ(target->DropDownColor(), TColor(0x123456));
    EXPECT_EQ(target->DropDownWidth(), 140);
    EXPECT_EQ(target->DropButton()->Width(), 22);
    EXPECT_EQ(target->DropPosition(), dpUp);
    EXPECT_EQ(target->Prefix, "#");
    EXPECT_EQ(target->DropDownHeader()->Caption(), "head");
    EXPECT_EQ(target->Text(), "");

    TEdit plain(nullptr);
    EXPECT_NO_THROW(target->Assign(&plain));
    EXPECT_EQ(target->DropDownColor(), TColor(0x123456));
}

} // namespace
