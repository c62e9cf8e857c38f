#include "common/FormTestSupport.h"
#include "platform/controls/Interaction.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

using formtest::Pump;
using formtest::RunModal;
using formtest::TProbe;

namespace {

void ClickOn(TControl* c)
{
    QTest::mouseClick(c->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
}

// A form with a probe "button" at the top.
struct FormFixture {
    TForm form{nullptr};
    TProbe* button = new TProbe(&form, &form);
    FormFixture()
    {
        form.SetBounds(100, 100, 300, 200);
        button->SetBounds(10, 10, 80, 25);
    }
};

} // namespace

TEST(Forms, ShowModalReturnsTheResultSetByAClickHandler)
{
    for (TModalResult wanted : {mrOk, mrCancel, mrYes}) {
        FormFixture f;
        f.button->OnClick = [&](TObject*) { f.form.SetModalResult(wanted); };
        const TModalResult got = RunModal(f.form, [&] { ClickOn(f.button); });
        EXPECT_EQ(got, wanted);
        EXPECT_FALSE(f.form.Visible());
        EXPECT_FALSE(f.form.Widget()->isVisible());
        EXPECT_FALSE(f.form.Modal());
    }
}

TEST(Forms, CloseQueryAndOnCloseCanKeepAModalFormOpen)
{
    FormFixture f;
    int queries = 0;
    std::vector<TCloseAction> closes;
    f.form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
    f.form.OnClose = [&](TObject*, TCloseAction& action) { closes.push_back(action); };
    f.button->OnClick = [&](TObject*) { f.form.SetModalResult(mrOk); };
    const TModalResult got = RunModal(f.form, [&] {
        ClickOn(f.button);   // the loop ends after this event; OnCloseQuery then refuses
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(f.form.Visible());
            EXPECT_EQ(f.form.ModalResult(), mrNone);   // refused: back to 0, the loop goes on
            ClickOn(f.button);
        });
    });
    EXPECT_EQ(got, mrOk);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(closes, std::vector<TCloseAction>{caHide});
}

TEST(Forms, MessageBoxFromAHandlerGoesToTheResponder)
{
    TScopedInteraction rec;
    rec->MessageAnswers = {mrNo};
    FormFixture f;
    TModalResult answer = mrNone;
    f.button->OnClick = [&](TObject*) {
        answer = MessageDlg("Overwrite the file?", mtConfirmation, mbYesNo);
        f.form.SetModalResult(mrOk);
    };
    RunModal(f.form, [&] { ClickOn(f.button); });
    ASSERT_EQ(rec->Messages.size(), 1u);
    EXPECT_EQ(rec->Messages[0].Text, "Overwrite the file?");
    EXPECT_EQ(rec->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(rec->Messages[0].Buttons, mbYesNo);
    EXPECT_EQ(answer, mrNo);
}

TEST(Forms, ExceptionInAClickHandlerIsReportedOnceAndTheFormGoesOn)
{
    TScopedInteraction rec;
    FormFixture f;
    int clicks = 0;
    f.button->OnClick = [&](TObject*) {
        switch (++clicks) {
        case 1: throw EConvertError("'x' is not a valid integer value");
        case 2: throw std::runtime_error("disk full");
        case 3: Abort();   // silent
        default: f.form.SetModalResult(mrOk);
        }
    };
    const TModalResult got = RunModal(f.form, [&] {
        ClickOn(f.button);
        EXPECT_EQ(rec->Messages.size(), 1u);
        ClickOn(f.button);
        ClickOn(f.button);
        EXPECT_TRUE(f.form.Visible());
        ClickOn(f.button);
    });
    EXPECT_EQ(got, mrOk);
    EXPECT_EQ(clicks, 4);
    ASSERT_EQ(rec->Messages.size(), 2u);
    EXPECT_EQ(rec->Messages[0].Text, "'x' is not a valid integer value");
    EXPECT_EQ(rec->Messages[0].Type, mtError);
    EXPECT_EQ(rec->Messages[0].Buttons, mbOK);
    EXPECT_EQ(rec->Messages[1].Text, "disk full");
}

TEST(Forms, EnterReachesTheControlTakingItAsDialogKeyOnce)
{
    FormFixture f;
    f.button->TakeEnter = true;
    auto* other = new TProbe(&f.form, &f.form);
    other->TakeEnter = true;   // a second taker must not see the key once the first took it
    auto* edit = new TEdit(&f.form);
    edit->SetParent(&f.form);
    edit->SetBounds(10, 50, 100, 21);
    int downs = 0, presses = 0;
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { downs += key == VK_RETURN; };
    edit->OnKeyPress = [&](TObject*, char16_t&) { ++presses; };
    RunModal(f.form, [&] {
        edit->SetFocus();
        Pump();
        EXPECT_TRUE(edit->Focused());
        QTest::keyClick(edit->Widget(), Qt::Key_Return);
        f.form.SetModalResult(mrOk);
    });
    EXPECT_EQ(f.button->EnterKeys + other->EnterKeys, 1);
    EXPECT_EQ(f.button->EnterKeys, 1);
    EXPECT_EQ(downs, 0);     // the form took it before the edit's OnKeyDown
    EXPECT_EQ(presses, 0);   // taken as a dialog key: no character follows
}

TEST(Forms, EnterNobodyTakesArrivesAsCharacter)
{
    FormFixture f;
    auto* edit = new TEdit(&f.form);
    edit->SetParent(&f.form);
    std::vector<char16_t> chars;
    edit->OnKeyPress = [&](TObject*, char16_t& key) { chars.push_back(key); };
    RunModal(f.form, [&] {
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), Qt::Key_Return);
        f.form.SetModalResult(mrOk);
    });
    EXPECT_EQ(chars, std::vector<char16_t>{13});
}

TEST(Forms, EscapeAloneDoesNotCloseTheForm)
{
    FormFixture f;
    auto* edit = new TEdit(&f.form);
    edit->SetParent(&f.form);
    std::vector<char16_t> chars;
    edit->OnKeyPress = [&](TObject*, char16_t& key) { chars.push_back(key); };
    const TModalResult got = RunModal(f.form, [&] {
        edit->SetFocus();
        Pump();
        QTest::keyClick(edit->Widget(), Qt::Key_Escape);
        QTest::keyClick(f.form.Widget(), Qt::Key_Escape);   // straight to the dialog, too
        QTest::keyClick(f.form.Widget(), Qt::Key_Return);
        Pump();
        EXPECT_TRUE(f.form.Visible());
        EXPECT_TRUE(f.form.Widget()->isVisible());
        EXPECT_EQ(f.form.ModalResult(), mrNone);
        f.form.Widget()->close();   // the close box: Close on a modal form gives mrCancel
    });
    EXPECT_EQ(got, mrCancel);
    EXPECT_EQ(chars, std::vector<char16_t>{27});
}

TEST(Forms, AltLetterReachesTheControlWithThatAccelerator)
{
    FormFixture f;
    f.button->SetCaption("&OK");
    auto* cancel = new TProbe(&f.form, &f.form);
    cancel->SetCaption("&Cancel");
    auto* check = new TCheckBox(&f.form);
    check->SetParent(&f.form);
    check->SetBounds(10, 80, 100, 20);
    check->SetCaption("&Enable");
    auto* edit = new TEdit(&f.form);
    edit->SetParent(&f.form);
    RunModal(f.form, [&] {
        edit->SetFocus();
        Pump();
        QTest::keyClick(edit->Widget(), Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(edit->Widget(), Qt::Key_X, Qt::AltModifier);   // nobody's
        QTest::keyClick(edit->Widget(), Qt::Key_E, Qt::AltModifier);
        Pump();
        f.form.SetModalResult(mrOk);
    });
    EXPECT_EQ(f.button->AccelChars, 1);
    EXPECT_EQ(cancel->AccelChars, 0);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(edit->Text(), "");   // the accelerators typed nothing
}

TEST(Forms, TabAndArrowsMoveTheFocusInTabOrder)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    TEdit* e[4];
    for (int i = 0; i < 4; ++i) {
        e[i] = new TEdit(&form);
        e[i]->SetParent(&form);
        e[i]->SetBounds(10, 10 + 30 * i, 100, 21);
    }
    e[3]->SetTabOrder(0);   // e3, e0, e1, e2
    e[1]->SetEnabled(false);
    auto* hidden = new TEdit(&form);
    hidden->SetParent(&form);
    hidden->SetVisible(false);
    std::vector<TWinControl*> entered;
    for (TEdit* x : e)
        x->OnEnter = [&](TObject* s) { entered.push_back(static_cast<TWinControl*>(s)); };
    RunModal(form, [&] {
        Pump();
        EXPECT_EQ(form.ActiveControl(), e[3]);   // the first tab stop gets the focus on show
        QTest::keyClick(e[3]->Widget(), Qt::Key_Tab);
        Pump();
        EXPECT_TRUE(e[0]->Focused());
        QTest::keyClick(e[0]->Widget(), Qt::Key_Tab);   // e1 is disabled
        Pump();
        EXPECT_TRUE(e[2]->Focused());
        QTest::keyClick(e[2]->Widget(), Qt::Key_Tab);   // the hidden one is skipped, wraps to e3
        Pump();
        EXPECT_TRUE(e[3]->Focused());
        QTest::keyClick(e[3]->Widget(), Qt::Key_Backtab, Qt::ShiftModifier);
        Pump();
        EXPECT_TRUE(e[2]->Focused());
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(entered, (std::vector<TWinControl*>{e[3], e[0], e[2], e[3], e[2]}));
}

TEST(Forms, OnShowComesFirstAndItsSetFocusHolds)
{
    TForm form(nullptr);
    auto* a = new TEdit(&form);
    a->SetParent(&form);
    auto* b = new TEdit(&form);
    b->SetParent(&form);
    bool visibleInOnShow = true;
    form.OnShow = [&](TObject*) {
        visibleInOnShow = form.Widget()->isVisible();
        b->SetText("");
        b->SetFocus();
    };
    RunModal(form, [&] {
        Pump();
        EXPECT_TRUE(b->Focused());
        EXPECT_EQ(form.ActiveControl(), b);
        form.SetModalResult(mrOk);
    });
    EXPECT_FALSE(visibleInOnShow);
}

TEST(Forms, SetFocusOnAControlThatCannotTakeItRaises)
{
    TForm form(nullptr);
    auto* e = new TEdit(&form);
    e->SetParent(&form);
    e->SetEnabled(false);
    try {
        e->SetFocus();
        FAIL() << "no error";
    } catch (const EInvalidOperation& ex) {
        EXPECT_EQ(ex.Message, "Cannot focus a disabled or invisible window");
    }
    auto* loose = new TEdit(&form);   // no parent: not on a form
    EXPECT_FALSE(loose->CanFocus());
}

TEST(Forms, KeyPreviewLetsTheFormSeeAndConsumeKeysFirst)
{
    FormFixture f;
    f.form.KeyPreview = true;
    auto* edit = new TEdit(&f.form);
    edit->SetParent(&f.form);
    std::vector<WORD> formKeys, editKeys;
    f.form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        formKeys.push_back(key);
        if (key == VK_F2)
            key = 0;
    };
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { editKeys.push_back(key); };
    f.form.OnKeyPress = [&](TObject*, char16_t& key) {
        if (key == 'q')
            key = 0;
    };
    RunModal(f.form, [&] {
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), Qt::Key_F2);
        QTest::keyClick(edit->Widget(), Qt::Key_A);
        QTest::keyClicks(edit->Widget(), "qz");
        f.form.SetModalResult(mrOk);
    });
    EXPECT_EQ(formKeys, (std::vector<WORD>{VK_F2, 'A', 'Q', 'Z'}));
    EXPECT_EQ(editKeys, (std::vector<WORD>{'A', 'Q', 'Z'}));
    EXPECT_EQ(edit->Text(), "az");
}

TEST(Forms, ModelessCloseRunsOnCloseAndHonoursTheAction)
{
    TForm form(nullptr);
    TCloseAction next = caNone;
    int closes = 0;
    form.OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide);
        ++closes;
        action = next;
    };
    form.Show();
    EXPECT_TRUE(form.Visible());
    form.Close();   // caNone keeps it
    EXPECT_TRUE(form.Visible());
    next = caHide;
    form.Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(closes, 2);
    EXPECT_THROW(
        {
            form.Show();
            form.ShowModal();
        },
        EInvalidOperation);   // a visible form cannot be made modal
    form.Hide();
}

TEST(Forms, CreateFormEndsLoadingThenRunsOnCreate)
{
    // A form built like a form description: loading while its controls are made.
    struct TMyForm : TForm {
        explicit TMyForm(TComponent* owner) : TForm(owner)
        {
            BeginLoading();
            Label = new TLabel(this);
            Label->SetParent(this);
            Label->SetCaption("A longer caption");
            WidthWhileLoading = Label->Width();
            OnCreate = [this](TObject*) {
                ++Creates;
                CreatedLoading = (Label->ComponentState() & csLoading) != 0;
                WidthAtCreate = Label->Width();
            };
        }
        TLabel* Label;
        int Creates = 0;
        bool CreatedLoading = true;
        int WidthWhileLoading = 0;
        int WidthAtCreate = 0;
    };
    TMyForm* form = nullptr;
    TCustomForm* mainBefore = Application->MainForm();
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->CreatedLoading);   // loading is over when OnCreate runs
    EXPECT_EQ(form->Creates, 1);
    TCanvas measure;
    measure.Font->Assign(form->Label->Font);
    EXPECT_EQ(form->WidthAtCreate, measure.TextWidth("A longer caption"));   // sized at Loaded
    EXPECT_NE(form->WidthWhileLoading, form->WidthAtCreate);                 // not while loading
    form->Show();
    form->Hide();
    EXPECT_EQ(form->Creates, 1);
    EXPECT_EQ(Application->MainForm(), mainBefore ? mainBefore : form);
    EXPECT_EQ(form->Owner(), Application);
    const int forms = Screen->FormCount();
    delete form;
    EXPECT_EQ(Screen->FormCount(), forms - 1);
    EXPECT_EQ(Application->MainForm(), mainBefore);
}

TEST(Forms, ScreenCenterAndFixedBorderPlaceAndHoldTheWindow)
{
    TForm form(nullptr);
    form.SetPosition(poScreenCenter);
    form.SetBorderStyle(bsSingle);
    form.SetClientWidth(460);
    form.SetClientHeight(300);
    form.Show();
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(form.Left(), area.Left + (area.Width() - 460) / 2);
    EXPECT_EQ(form.Top(), area.Top + (area.Height() - 300) / 2);
    EXPECT_EQ(form.Widget()->minimumSize(), QSize(460, 300));   // not resizable
    EXPECT_EQ(form.Widget()->maximumSize(), QSize(460, 300));
    form.SetClientWidth(500);   // code may still size it
    EXPECT_EQ(form.ClientWidth(), 500);
    form.Hide();
}

TEST(Forms, CustomControlTakesTheFocusAndArrowsMoveAmongSiblings)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    TProbe* buttons[3];
    for (auto& b : buttons)
        b = new TProbe(&form, panel);
    auto* outside = new TProbe(&form, &form);
    std::vector<WORD> keys;
    buttons[0]->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { keys.push_back(k); };
    RunModal(form, [&] {
        buttons[0]->SetFocus();
        Pump();
        EXPECT_TRUE(buttons[0]->Focused());
        QTest::keyClick(buttons[0]->Widget(), Qt::Key_F5);
        QTest::keyClick(buttons[0]->Widget(), Qt::Key_Right);
        Pump();
        EXPECT_TRUE(buttons[1]->Focused());
        QTest::keyClick(buttons[1]->Widget(), Qt::Key_Up);
        QTest::keyClick(buttons[0]->Widget(), Qt::Key_Up);   // wraps within the panel, never to `outside`
        Pump();
        EXPECT_TRUE(buttons[2]->Focused());
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(keys, (std::vector<WORD>{VK_F5}));   // the arrows were the form's before OnKeyDown
    EXPECT_FALSE(outside->Focused());
}

TEST(Forms, RunEndsWhenTheMainFormCloses)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // In a child process: the application object is global and stays terminated afterwards.
    EXPECT_EXIT(
        {
            struct TMain : TForm {
                using TForm::TForm;
            };
            TMain* main = nullptr;
            Application->CreateForm(main);
            bool closed = false;
            main->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
            QTimer::singleShot(0, [&] { main->Close(); });
            Application->Run();
            std::exit(closed && Application->Terminated() && !main->Visible() ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}
