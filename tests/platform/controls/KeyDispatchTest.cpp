// The key path of every control as a user meets it: a held key, the order in which the form and the
// focused control see Enter, Escape and Tab, and accelerators typed without Alt.
#include "common/FormTestSupport.h"
#include "platform/controls/StdCtrls.h"
#include "platform/grid/StringGrid.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using formtest::Pump;
using formtest::RunModal;
using formtest::TProbe;

namespace
{

// The two ways a held key reaches the program. Qt's pairs: the press, then a release/press pair
// marked as auto-repeat for every repeat, then the real release (X11 as Qt's xcb back end pairs it,
// Wayland). Bare presses: the press and every repeat as an unmarked press, then the release (X11
// with detectable auto-repeat). Every event has its own time stamp, as the window system's do.
enum class THold { QtPairs, BarePresses };

void SendKey(QObject* target, QEvent::Type type, Qt::Key key, const QString& text, bool autoRepeat = false)
{
    static quint64 time = 1000;
    QKeyEvent e(type, key, Qt::NoModifier, text, autoRepeat);
    e.setTimestamp(time += 30);
    QApplication::sendEvent(target, &e);
}

void HoldKey(QWidget* target, Qt::Key key, const QString& text, int repeats, THold how)
{
    auto send = [&](QEvent::Type type, bool autoRepeat) { SendKey(target, type, key, text, autoRepeat); };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        if (how == THold::QtPairs)
            send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, how == THold::QtPairs);
    }
    send(QEvent::KeyRelease, false);
}

// A probe that records the repeat mark of the key events that reach its control, as the grid's key
// data reads it.
class TRepeatProbe : public TProbe
{
  public:
    using TProbe::TProbe;
    std::vector<bool> PressRepeats;
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override
    {
        if (event->type() == QEvent::KeyPress)
            PressRepeats.push_back(static_cast<QKeyEvent*>(event)->isAutoRepeat());
        return TProbe::WidgetEvent(event, link);
    }
};

struct HeldKeyCase {
    const char* name;
    std::function<TWinControl*(TForm&)> make;
};

class HeldKey : public ::testing::TestWithParam<HeldKeyCase>
{
};

TEST_P(HeldKey, RepeatsKeyDownsAndGivesOneKeyUp)
{
    for (THold how : {THold::QtPairs, THold::BarePresses}) {
        SCOPED_TRACE(how == THold::QtPairs ? "Qt's pairs" : "bare presses");
        TForm form(nullptr);
        form.SetBounds(100, 100, 300, 200);
        TWinControl* control = GetParam().make(form);
        control->SetParent(&form);
        control->SetBounds(10, 10, 120, 60);
        int downs = 0, ups = 0;
        control->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { downs += key == 'X'; };
        control->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { ups += key == 'X'; };
        RunModal(form, [&] {
            control->SetFocus();
            Pump();
            HoldKey(control->Widget(), Qt::Key_X, "x", 22, how);
            form.SetModalResult(mrOk);
        });
        EXPECT_EQ(downs, 23);
        EXPECT_EQ(ups, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, HeldKey,
    ::testing::Values(HeldKeyCase{"selfDrawn", [](TForm& f) -> TWinControl* { return new TProbe(&f); }},
                      HeldKeyCase{"edit", [](TForm& f) -> TWinControl* { return new TEdit(&f); }},
                      HeldKeyCase{"checkBox", [](TForm& f) -> TWinControl* { return new TCheckBox(&f); }},
                      HeldKeyCase{"grid", [](TForm& f) -> TWinControl* { return new TStringGrid(&f); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeldKeyRepeats, EveryKeyDownAfterTheFirstIsMarkedAsARepeat)
{
    for (THold how : {THold::QtPairs, THold::BarePresses}) {
        SCOPED_TRACE(how == THold::QtPairs ? "Qt's pairs" : "bare presses");
        TForm form(nullptr);
        auto* probe = new TRepeatProbe(&form, &form);
        RunModal(form, [&] {
            probe->SetFocus();
            Pump();
            HoldKey(probe->Widget(), Qt::Key_X, "x", 3, how);
            // Let go and pressed again: a new key-down, no repeat.
            HoldKey(probe->Widget(), Qt::Key_X, "x", 0, how);
            form.SetModalResult(mrOk);
        });
        EXPECT_EQ(probe->PressRepeats, std::vector<bool>({false, true, true, true, false}));
    }
}

TEST(HeldKeyRepeats, AKeyLetGoOutsideTheControlsIsNotHeldAnyMore)
{
    TForm form(nullptr);
    auto* probe = new TRepeatProbe(&form, &form);
    QWidget foreign; // a plain Qt window, such as a message box
    RunModal(form, [&] {
        probe->SetFocus();
        Pump();
        SendKey(probe->Widget(), QEvent::KeyPress, Qt::Key_Return, "\r");
        SendKey(&foreign, QEvent::KeyRelease, Qt::Key_Return, "\r");
        SendKey(probe->Widget(), QEvent::KeyPress, Qt::Key_Return, "\r");
        // Another program took the keyboard while the key was down.
        QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
        QApplication::sendEvent(qApp, &inactive);
        SendKey(probe->Widget(), QEvent::KeyPress, Qt::Key_Return, "\r");
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(probe->PressRepeats, std::vector<bool>({false, false, false}));
}

// Takes Escape as a Cancel button would.
class TEscapeTaker : public TProbe
{
  public:
    using TProbe::TProbe;
    int Taken = 0;
    bool HandleDialogKey(WORD& Key, TShiftState Shift) override
    {
        if (Key == VK_ESCAPE) {
            ++Taken;
            return true;
        }
        return TProbe::HandleDialogKey(Key, Shift);
    }
};

// The form takes Enter, Escape and Tab before the focused control's OnKeyDown sees them.
TEST(DialogKeyOrder, TheFormIsOfferedTheKeyBeforeTheFocusedControl)
{
    struct Case {
        Qt::Key key;
        int editDowns, enterTaken, escapeTaken;
        bool focusMoved;
    };
    const Case cases[] = {
        {Qt::Key_Return, 0, 1, 0, false}, {Qt::Key_Escape, 0, 0, 1, false}, {Qt::Key_Tab, 0, 0, 0, true},
        {Qt::Key_Left, 1, 0, 0, false},   {Qt::Key_A, 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TForm form(nullptr);
        form.SetBounds(100, 100, 300, 200);
        auto* enter = new TProbe(&form, &form);
        enter->SetBounds(10, 10, 80, 25);
        enter->TakeEnter = true;
        auto* escape = new TEscapeTaker(&form, &form);
        escape->SetBounds(100, 10, 80, 25);
        auto* edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(10, 50, 100, 21);
        int downs = 0;
        edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++downs; };
        bool stillFocused = true;
        RunModal(form, [&] {
            edit->SetFocus();
            Pump();
            QTest::keyClick(edit->Widget(), c.key);
            Pump();
            stillFocused = edit->Focused();
            form.SetModalResult(mrOk);
        });
        EXPECT_EQ(downs, c.editDowns);
        EXPECT_EQ(enter->EnterKeys, c.enterTaken);
        EXPECT_EQ(escape->Taken, c.escapeTaken);
        EXPECT_EQ(!stillFocused, c.focusMoved);
    }
}

TEST(DialogKeyOrder, AControlThatWantsEnterSeesItFirst)
{
    TForm form(nullptr);
    auto* taker = new TProbe(&form, &form);
    taker->TakeEnter = true;
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(10, 50, 150, 80);
    memo->WantReturns = true;
    int downs = 0;
    memo->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { downs += key == VK_RETURN; };
    RunModal(form, [&] {
        memo->SetFocus();
        Pump();
        QTest::keyClick(memo->Widget(), Qt::Key_Return);
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(taker->EnterKeys, 0);
}

// A letter typed while a control that takes no characters has the focus is an accelerator, as
// Alt+letter is; on a control that takes characters it is typed.
TEST(PlainLetterAccelerator, WorksFromButtonsAndCheckBoxesOnly)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 200);
    auto* ok = new TProbe(&form, &form);
    ok->SetCaption("&OK");
    ok->SetBounds(10, 10, 80, 25);
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    check->SetBounds(10, 40, 100, 20);
    check->SetCaption("&Enable");
    check->SetTabStop(true);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 70, 100, 21);
    std::vector<char16_t> checkChars;
    check->OnKeyPress = [&](TObject*, char16_t& key) { checkChars.push_back(key); };
    RunModal(form, [&] {
        check->SetFocus();
        Pump();
        QTest::keyClick(check->Widget(), Qt::Key_O); // the button's accelerator
        QTest::keyClick(check->Widget(), Qt::Key_Z); // nobody's: an ordinary character
        edit->SetFocus();
        Pump();
        QTest::keyClick(edit->Widget(), Qt::Key_O); // typed, not an accelerator
        QTest::keyClick(edit->Widget(), Qt::Key_E);
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(ok->AccelChars, 1);
    EXPECT_EQ(checkChars, std::vector<char16_t>{u'z'});
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(edit->Text(), "oe");
}

} // namespace
