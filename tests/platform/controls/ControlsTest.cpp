#include "common/FormTestSupport.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QAbstractScrollArea>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using formtest::Pump;
using formtest::RunModal;
using formtest::TProbe;

namespace {

// A shown modeless form to put controls on.
struct Shown {
    TForm form{nullptr};
    Shown()
    {
        form.SetBounds(50, 50, 400, 300);
        form.Show();
        Pump();
    }
    ~Shown() { form.Hide(); }
};

QImage Snapshot(TControl* c)
{
    return c->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TColor PixelAt(const QImage& img, int x, int y)
{
    return QColorToColor(QColor(img.pixel(x, y)));
}

} // namespace

// ---- Mouse ------------------------------------------------------------------------------------------

TEST(Controls, PressAndReleaseInsideClickOnceAndCaptureMeanwhile)
{
    Shown s;
    auto* p = new TProbe(&s.form, &s.form);
    p->SetBounds(10, 10, 50, 20);
    QTest::mousePress(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(p->CaptureWhileDown, p);
    QTest::mouseRelease(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    EXPECT_EQ(p->Clicks, 1);
    EXPECT_EQ(p->Ups, 1);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    ASSERT_EQ(p->Downs.size(), 1u);
    EXPECT_EQ(p->Downs[0], ssLeft);

    // Released outside: no click, but the release still arrives.
    QTest::mousePress(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 5));
    EXPECT_EQ(p->Clicks, 1);
    EXPECT_EQ(p->Ups, 2);

    // The right button neither clicks nor captures.
    QTest::mouseClick(p->Widget(), Qt::RightButton, Qt::ShiftModifier, QPoint(5, 5));
    EXPECT_EQ(p->Clicks, 1);
    EXPECT_EQ(p->Downs.back(), ssRight | ssShift);
}

TEST(Controls, DoubleClickIsItsOwnMessageOnlyWithDoubleClicks)
{
    struct Case {
        bool doubleClicks;
        int dblClicks;
        bool secondPressHasDouble;
    };
    for (const Case c : {Case{true, 1, true}, Case{false, 0, false}}) {
        Shown s;
        auto* p = new TProbe(&s.form, &s.form);
        p->SetBounds(10, 10, 50, 20);
        if (!c.doubleClicks)
            p->ControlStyle &= ~csDoubleClicks;
        // What the window system sends: press, release, double click, release.
        QTest::mouseClick(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseDClick(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(p->DblClicks, c.dblClicks);
        ASSERT_EQ(p->Downs.size(), 2u);
        EXPECT_EQ(p->Downs[0], ssLeft);
        EXPECT_EQ((p->Downs[1] & ssDouble) != 0, c.secondPressHasDouble);
        EXPECT_EQ(p->Clicks, c.doubleClicks ? 1 : 2);   // an ordinary second press clicks again
    }
}

TEST(Controls, ExceptionInAMouseHandlerIsReportedOnce)
{
    TScopedInteraction rec;
    Shown s;
    auto* p = new TProbe(&s.form, &s.form);
    p->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw EListError("boom"); };
    QTest::mouseClick(p->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    ASSERT_EQ(rec->Messages.size(), 1u);
    EXPECT_EQ(rec->Messages[0].Text, "boom");
    EXPECT_EQ(rec->Messages[0].Type, mtError);
}

// ---- Keys on an edit --------------------------------------------------------------------------------

TEST(Controls, EditKeyPressCanConsumeOrReplaceCharacters)
{
    struct Case {
        const char* name;
        std::function<void(char16_t&)> handler;
        bool numbersOnly;
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {"plain", [](char16_t&) {}, false, "ab1", "ab1"},
        {"consume x", [](char16_t& k) { k = k == 'x' ? 0 : k; }, false, "axb", "ab"},
        {"replace a", [](char16_t& k) { k = k == 'a' ? 'b' : k; }, false, "aac", "bbc"},
        {"digits only", [](char16_t&) {}, true, "1a2-3", "123"},
    };
    for (const Case& c : cases) {
        Shown s;
        auto* edit = new TEdit(&s.form);
        edit->SetParent(&s.form);
        edit->NumbersOnly = c.numbersOnly;
        int changes = 0;
        edit->OnChange = [&](TObject*) { ++changes; };
        edit->OnKeyPress = [&](TObject*, char16_t& k) { c.handler(k); };
        edit->SetFocus();
        QTest::keyClicks(edit->Widget(), c.typed);
        EXPECT_EQ(edit->Text(), c.expected) << c.name;
        EXPECT_EQ(changes, c.expected.size()) << c.name;
    }
}

TEST(Controls, EditOnChangeFiresForCodeButNotForTheSameText)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("192");
    edit->SetText("192");
    edit->SetMaxLength(2);
    EXPECT_EQ(changes, 2);   // set, then cut to the new maximum
    EXPECT_EQ(edit->Text(), "19");
}

TEST(Controls, EditSelectsItsTextWhenTheFocusComesInButNotByAClick)
{
    struct Case {
        const char* name;
        bool autoSelect;
        bool byClick;
        QString expected; // after typing "7" into "192"
    };
    const Case cases[] = {
        {"by code", true, false, "7"},
        {"by code, AutoSelect off", false, false, "1927"},
        {"by a click at the left edge", true, true, "7192"},
    };
    for (const Case& c : cases) {
        Shown s;
        auto* other = new TEdit(&s.form);
        other->SetParent(&s.form);
        auto* edit = new TEdit(&s.form);
        edit->SetParent(&s.form);
        edit->SetBounds(10, 40, 120, 24);
        edit->SetText("192");
        edit->AutoSelect = c.autoSelect;
        other->SetFocus();
        Pump();
        if (c.byClick)
            QTest::mouseClick(edit->LineEdit(), Qt::LeftButton, {}, QPoint(1, 12));
        else
            edit->SetFocus();
        Pump();
        ASSERT_TRUE(edit->Focused()) << c.name;
        QTest::keyClicks(edit->Widget(), "7");
        EXPECT_EQ(edit->Text(), c.expected) << c.name;
    }
}

// ---- Layout -----------------------------------------------------------------------------------------

TEST(Controls, AlignedPanelsShareTheClientAreaAndAnchorsFollowResizes)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto make = [&](TAlign a, int size) {
        auto* p = new TPanel(&form);
        p->SetParent(&form);
        p->SetBounds(0, 0, size, size);
        p->SetAlign(a);
        return p;
    };
    TPanel* top = make(alTop, 69);
    TPanel* bottom = make(alBottom, 40);
    TPanel* client = make(alClient, 10);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 69));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 260, 400, 300));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 69, 400, 260));

    auto* list = new TListBox(&form);
    list->SetParent(client);
    list->SetBounds(10, 10, 100, 100);
    list->SetAnchors(akLeft | akTop | akRight | akBottom);
    auto* corner = new TEdit(&form);
    corner->SetParent(client);
    corner->SetBounds(150, 100, 40, 21);
    corner->SetAnchors(akRight | akBottom);

    form.SetBounds(0, 0, 500, 350);   // 100 wider, 50 higher
    EXPECT_EQ(client->BoundsRect(), Rect(0, 69, 500, 310));
    EXPECT_EQ(list->BoundsRect(), Rect(10, 10, 210, 160));
    EXPECT_EQ(corner->BoundsRect(), Rect(250, 150, 290, 171));

    bottom->SetVisible(false);   // a hidden aligned control gives its strip back
    EXPECT_EQ(client->BoundsRect(), Rect(0, 69, 500, 350));
}

TEST(Controls, PanelInsetsAlignedChildrenByItsBevels)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 100, 50);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    auto* inner = new TPanel(&form);
    inner->SetParent(panel);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Rect(4, 4, 96, 46));   // 1 outer + 2 border + 1 inner
}

TEST(Controls, VisibleIsTheControlsOwnFlag)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    EXPECT_TRUE(edit->Visible());
    EXPECT_FALSE(edit->Showing());   // the form is hidden
    form.Show();
    EXPECT_TRUE(edit->Showing());
    edit->SetVisible(false);
    EXPECT_FALSE(edit->Showing());
    form.Hide();
}

TEST(Controls, ParentFontAndParentColorFollowTheParentUntilSetOwn)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetParentColor(true);
    auto* follows = new TLabel(&form);
    follows->SetParent(panel);
    auto* own = new TLabel(&form);
    own->SetParent(panel);
    own->Font->Color = clRed;   // a font of its own

    form.Font->Name = "Verdana";
    form.Font->Height = -11;
    form.SetColor(0xEDF7F8);
    EXPECT_EQ(follows->Font->Name.get(), "Verdana");
    EXPECT_EQ(follows->Font->Height.get(), -11);
    EXPECT_FALSE(own->ParentFont());
    EXPECT_NE(own->Font->Name.get(), "Verdana");
    EXPECT_EQ(panel->Color(), TColor(0xEDF7F8));
    EXPECT_EQ(follows->Color(), TColor(0xEDF7F8));
}

TEST(Controls, HintShowsAsToolTipOnlyWithShowHint)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetHint("Device name|Name of the device on the network");
    EXPECT_EQ(edit->Widget()->toolTip(), "");
    form.SetShowHint(true);   // the edit follows its parent
    EXPECT_EQ(edit->Widget()->toolTip(), "Device name");
    edit->SetShowHint(false);
    EXPECT_EQ(edit->Widget()->toolTip(), "");
}

// ---- Labels and drawing -----------------------------------------------------------------------------

TEST(Controls, LabelAutoSizeFitsTheTextAndKeepsTheRightEdgeWhenRightAligned)
{
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(200, 10, 10, 10);
    label->SetAlignment(taRightJustify);
    label->SetCaption("Node &Address");
    TCanvas measure;
    measure.Font->Assign(label->Font);
    const int w = measure.TextWidth("Node Address");
    EXPECT_EQ(label->Width(), w);
    EXPECT_EQ(label->Height(), measure.TextHeight("x"));
    EXPECT_EQ(label->Left() + label->Width(), 210);

    label->SetAlignment(taLeftJustify);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(0, 0, measure.TextWidth("Node "), 100);
    label->SetAutoSize(true);   // two lines in the current width
    EXPECT_EQ(label->Height(), 2 * measure.TextHeight("x"));
}

TEST(Controls, ShapeAndPanelDrawWithTheToolkitsPixelRules)
{
    Shown s;
    auto* line = new TShape(&s.form);
    line->SetParent(&s.form);
    line->SetBounds(0, 0, 20, 1);   // the one-pixel separator of the main window
    line->Pen->Color = clBlue;
    const QImage li = Snapshot(line);
    EXPECT_EQ(PixelAt(li, 0, 0), clBlue);
    EXPECT_EQ(PixelAt(li, 19, 0), clBlue);

    auto* box = new TShape(&s.form);
    box->SetParent(&s.form);
    box->SetBounds(0, 0, 10, 8);
    box->Brush->Color = clRed;
    const QImage bi = Snapshot(box);
    EXPECT_EQ(PixelAt(bi, 0, 0), clBlack);
    EXPECT_EQ(PixelAt(bi, 9, 7), clBlack);
    EXPECT_EQ(PixelAt(bi, 5, 4), clRed);

    auto* panel = new TPanel(&s.form);
    panel->SetParent(&s.form);
    panel->SetBounds(0, 0, 30, 20);
    panel->SetColor(0xEDF7F8);
    const QImage pi = Snapshot(panel);
    EXPECT_EQ(PixelAt(pi, 0, 0), ColorToRGB(clBtnHighlight));   // raised: light top-left
    EXPECT_EQ(PixelAt(pi, 29, 19), ColorToRGB(clBtnShadow));    // dark bottom-right
    EXPECT_EQ(PixelAt(pi, 15, 10), TColor(0xEDF7F8));
}

TEST(Controls, ImagePlacesThePictureAsStretchCenterAndProportionalSay)
{
    TForm form(nullptr);
    auto* img = new TImage(&form);
    img->SetParent(&form);
    img->SetBounds(0, 0, 100, 50);
    img->Picture()->Bitmap()->SetSize(40, 20);
    img->PictureChanged();
    struct Case {
        bool stretch, proportional, center;
        TRect expected;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 40, 20)},
        {false, false, true, Rect(30, 15, 70, 35)},
        {true, false, false, Rect(0, 0, 100, 50)},
        {true, true, false, Rect(0, 0, 100, 50)},
        {false, true, false, Rect(0, 0, 40, 20)},   // fits: not scaled
    };
    for (const Case& c : cases) {
        img->SetStretch(c.stretch);
        img->SetProportional(c.proportional);
        img->SetCenter(c.center);
        EXPECT_EQ(img->DestRect(), c.expected);
    }
    img->SetStretch(false);
    img->SetProportional(true);
    img->SetBounds(0, 0, 20, 50);   // too narrow: scaled down keeping 2:1
    EXPECT_EQ(img->DestRect(), Rect(0, 0, 20, 10));
    img->SetAutoSize(true);
    EXPECT_EQ(img->Width(), 40);
    EXPECT_EQ(img->Height(), 20);
}

// ---- Lists ------------------------------------------------------------------------------------------

TEST(Controls, ComboBoxChoiceByUserFiresButCodeDoesNot)
{
    Shown s;
    auto* cb = new TComboBox(&s.form);
    cb->SetParent(&s.form);
    cb->SetStyle(csDropDownList);
    int changes = 0, clicks = 0;
    cb->OnChange = [&](TObject*) { ++changes; };
    cb->OnClick = [&](TObject*) { ++clicks; };
    TObject tag;
    cb->Items->SetCommaText("1200,2400,4800,9600");
    cb->Items->SetObjects(2, &tag);
    EXPECT_EQ(cb->ItemIndex(), -1);   // filling selects nothing
    EXPECT_EQ(cb->Text(), "");
    cb->SetItemIndex(3);
    EXPECT_EQ(cb->Text(), "9600");
    cb->SetText("2400");
    EXPECT_EQ(cb->ItemIndex(), 1);
    cb->SetItemIndex(9);   // names no item: nothing selected
    EXPECT_EQ(cb->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
    cb->SetItemIndex(1);
    cb->SetFocus();
    QTest::keyClick(cb->Widget(), Qt::Key_Down);   // the user picks the next item
    EXPECT_EQ(cb->ItemIndex(), 2);
    EXPECT_EQ(cb->Items->Objects(cb->ItemIndex()), &tag);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
}

TEST(Controls, ComboBoxListAssignedWholeKeepsObjectsAndSelectsNothing)
{
    Shown s;
    auto* cb = new TComboBox(&s.form);
    cb->SetParent(&s.form);
    cb->SetStyle(csDropDownList);
    TObject tag;
    TStringList list;
    list.Add("a");
    list.AddObject("b", &tag);
    list.Add("c");
    int changes = 0;
    cb->Items->OnChange = [&](TObject*) { ++changes; };
    cb->Items->Add("old");
    cb->Items->Assign(&list);
    EXPECT_EQ(cb->Items->CommaText(), "a,b,c");
    EXPECT_EQ(cb->Items->Objects(0), nullptr);
    EXPECT_EQ(cb->Items->Objects(1), &tag);
    EXPECT_EQ(cb->ItemIndex(), -1);
    EXPECT_EQ(changes, 2);   // the single add, then the whole assignment once

    cb->SetItemIndex(2);
    cb->Items->AddStrings(&list);   // appending keeps the selection
    EXPECT_EQ(cb->Items->Count(), 6);
    EXPECT_EQ(cb->ItemIndex(), 2);
    EXPECT_EQ(cb->Items->Objects(4), &tag);
}

TEST(Controls, EditableComboBoxTypingFiresOnChange)
{
    Shown s;
    auto* cb = new TComboBox(&s.form);
    cb->SetParent(&s.form);
    cb->Items->Add("first");
    std::vector<QString> texts;
    cb->OnChange = [&](TObject*) { texts.push_back(cb->Text()); };
    cb->SetText("ab");
    EXPECT_EQ(cb->ItemIndex(), -1);
    cb->SetFocus();
    QTest::keyClick(cb->Widget(), Qt::Key_End);
    QTest::keyClick(cb->Widget(), Qt::Key_C);
    EXPECT_EQ(texts, std::vector<QString>{"abc"});
}

TEST(Controls, CheckBoxClicksOnEveryStateChange)
{
    Shown s;
    auto* cb = new TCheckBox(&s.form);
    cb->SetParent(&s.form);
    std::vector<TCheckBoxState> seen;
    cb->OnClick = [&](TObject*) { seen.push_back(cb->State()); };
    cb->SetChecked(true);   // from code: OnClick too, as in the toolkit
    cb->SetChecked(true);   // unchanged: nothing
    cb->SetFocus();
    QTest::keyClick(cb->Widget(), Qt::Key_Space);
    cb->AllowGrayed = true;
    QTest::mouseClick(cb->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QTest::mouseClick(cb->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QTest::mouseClick(cb->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbGrayed, cbChecked, cbUnchecked}));
}

TEST(Controls, RadioButtonsOfOneParentExcludeEachOther)
{
    TForm form(nullptr);
    auto* a = new TRadioButton(&form);
    a->SetParent(&form);
    auto* b = new TRadioButton(&form);
    b->SetParent(&form);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(clicks, 1);
    b->SetChecked(false);   // the toolkit allows a group with none checked
    EXPECT_FALSE(b->Checked());
}

TEST(Controls, ListBoxSelectionByUserClicksByCodeDoesNot)
{
    Shown s;
    auto* lb = new TListBox(&s.form);
    lb->SetParent(&s.form);
    lb->SetBounds(10, 10, 120, 100);
    lb->Items->SetCommaText("PlantA,PlantB,PlantC");
    int clicks = 0;
    lb->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(lb->ItemIndex(), -1);
    lb->SetItemIndex(0);
    EXPECT_EQ(clicks, 0);
    lb->SetFocus();
    QTest::keyClick(lb->Widget(), Qt::Key_Down);
    EXPECT_EQ(lb->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    const TRect third = lb->ItemRect(2);
    const QPoint at = lb->List()->viewport()->mapFrom(lb->Widget(), QPoint(third.Left + 5, third.Top + 2));
    QTest::mouseClick(lb->List()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(lb->ItemIndex(), 2);
    EXPECT_EQ(clicks, 2);
    QTest::mouseClick(lb->List()->viewport(), Qt::LeftButton, Qt::NoModifier, at);   // the same item again
    EXPECT_EQ(clicks, 3);
    lb->Items->Delete(0);
    EXPECT_EQ(clicks, 3);
}

TEST(Controls, MemoLinesAndTextAgree)
{
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->Lines->BeginUpdate();
    memo->Lines->Add("one");
    memo->Lines->Add("two");
    memo->Lines->Insert(1, "between");
    memo->Lines->EndUpdate();
    EXPECT_EQ(changes, 1);   // one rebuild for the whole block
    EXPECT_EQ(memo->Text(), "one\r\nbetween\r\ntwo");
    memo->SetText("a\r\nb\r\n");
    EXPECT_EQ(memo->Lines->Count(), 2);
    memo->Lines->Delete(0);
    EXPECT_EQ(memo->Lines->Text(), "b\r\n");
    memo->Clear();
    EXPECT_EQ(memo->Lines->Count(), 0);
}

TEST(Controls, MemoKeepsEnterUnlessWantReturnsIsOff)
{
    for (bool wantReturns : {true, false}) {
        TForm form(nullptr);
        auto* memo = new TMemo(&form);
        memo->SetParent(&form);
        memo->WantReturns = wantReturns;
        auto* taker = new TProbe(&form, &form);
        taker->TakeEnter = true;
        RunModal(form, [&] {
            memo->SetFocus();
            QTest::keyClicks(memo->Widget(), "a");
            QTest::keyClick(memo->Widget(), Qt::Key_Return);
            form.SetModalResult(mrOk);
        });
        EXPECT_EQ(taker->EnterKeys, wantReturns ? 0 : 1);
        EXPECT_EQ(memo->Text(), wantReturns ? "a\r\n" : "a");
    }
}

// ---- Page control -----------------------------------------------------------------------------------

TEST(Controls, PageControlShowsOnePageAndHidesTabs)
{
    Shown s;
    auto* pc = new TPageControl(&s.form);
    pc->SetParent(&s.form);
    TTabSheet* sheets[3];
    TEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(&s.form);
        sheets[i]->SetPageControl(pc);
        sheets[i]->SetCaption(QString("Page %1").arg(i));
        edits[i] = new TEdit(&s.form);
        edits[i]->SetParent(sheets[i]);
    }
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    EXPECT_TRUE(edits[0]->CanFocus());
    EXPECT_FALSE(edits[1]->CanFocus());   // on an inactive page

    pc->SetActivePage(sheets[2]);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_TRUE(edits[2]->CanFocus());
    EXPECT_EQ(changes, 0);

    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    sheets[2]->SetTabVisible(false);   // the active tab goes: the next shown page takes over
    EXPECT_EQ(pc->ActivePage(), sheets[0]);

    sheets[2]->SetTabVisible(true);
    QTest::mouseClick(pc->Tabs()->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      pc->Tabs()->tabBar()->tabRect(2).center());
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    EXPECT_EQ(changes, 1);
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pc->Pages(0), sheets[2]);
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    delete sheets[2];
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
}

// ---- Components, menus, messages ----------------------------------------------------------------------

TEST(Controls, FreedPopupMenuIsForgottenByItsControl)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    TComponent other(nullptr);
    auto* menu = new TPopupMenu(&other);   // another owner: only the free notification tells
    edit->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(edit->PopupMenu(), nullptr);
}

TEST(Controls, PopupMenuOpensAtTheScreenPointAndClicksTheChoice)
{
    TForm form(nullptr);
    TPopupMenu menu(nullptr);
    auto* copy = new TMenuItem(&form);
    copy->SetCaption("Copy");
    auto* line = new TMenuItem(&form);
    line->SetCaption("-");
    auto* paste = new TMenuItem(&form);
    paste->SetCaption("Paste");
    menu.Items->Add(copy);
    menu.Items->Add(line);
    menu.Items->Add(paste);
    TObject* clicked = nullptr;
    paste->OnClick = [&](TObject* s) { clicked = s; };
    int popups = 0;
    menu.OnPopup = [&](TObject*) { ++popups; };
    QPoint shownAt;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* qmenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(qmenu, nullptr);
        shownAt = qmenu->pos();
        for (QAction* a : qmenu->actions())
            texts << (a->isSeparator() ? "-" : a->text());
        QTest::keyClick(qmenu, Qt::Key_Up);   // from nothing selected up to the last item
        QTest::keyClick(qmenu, Qt::Key_Return);
    });
    menu.Popup(120, 80);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(shownAt, QPoint(120, 80));
    EXPECT_EQ(texts, QStringList({"Copy", "-", "Paste"}));
    EXPECT_EQ(clicked, paste);
}

namespace {

class TMessageSink : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT> Received;
    void WndProc(TMessage& m) override
    {
        Received.push_back(m.Msg);
        m.Result = LRESULT(m.WParam + m.LParam);
    }
};

} // namespace

TEST(Controls, MessagesReachLiveWindowsAndAreDroppedForGoneOnes)
{
    auto* sink = new TMessageSink(nullptr);
    const HWND h = sink->Handle();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 2, 3), 5);   // synchronous, with its result
    EXPECT_TRUE(PostMessage(h, WM_USER + 2, 0, 0));
    EXPECT_EQ(sink->Received, std::vector<UINT>{WM_USER + 1});
    Pump();
    EXPECT_EQ(sink->Received, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));

    EXPECT_TRUE(PostMessage(h, WM_USER + 3, 0, 0));
    delete sink;   // gone before the posted message is delivered
    Pump();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER + 4, 1, 1), 0);
    EXPECT_FALSE(PostMessage(h, WM_USER + 5, 0, 0));
}

TEST(Controls, ControlsInsideAWindowControlGoWithIt)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    TComponent elsewhere(nullptr);
    auto* edit = new TEdit(&elsewhere);   // owned elsewhere, parented on the panel
    edit->SetParent(panel);
    EXPECT_EQ(elsewhere.ComponentCount(), 1);
    delete panel;   // frees its child controls, whoever owns them
    EXPECT_EQ(elsewhere.ComponentCount(), 0);
    EXPECT_EQ(form.ControlCount(), 0);
}

// ---- Timer ------------------------------------------------------------------------------------------

TEST(Controls, TimerRestartsOnlyWhenTheIntervalChanges)
{
    TTimer timer(nullptr);
    timer.SetInterval(60000);
    EXPECT_TRUE(timer.Running());
    Sleep(30);
    const int before = timer.RemainingTime();
    ASSERT_LT(before, 60000 - 20);
    timer.SetEnabled(true);   // already enabled: keeps counting
    EXPECT_LE(timer.RemainingTime(), before);
    timer.SetInterval(60000);   // the same interval: keeps counting
    EXPECT_LE(timer.RemainingTime(), before);
    timer.SetInterval(50000);   // a new interval restarts the count
    EXPECT_GT(timer.RemainingTime(), 50000 - 20);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);   // enabling again starts afresh
    EXPECT_GT(timer.RemainingTime(), 50000 - 20);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
}

TEST(Controls, TimerTicksAndReportsErrorsOfItsHandler)
{
    TScopedInteraction rec;
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 2)
            throw EInOutError("cannot write");
        if (ticks == 3)
            timer.SetEnabled(false);
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(rec->Messages.size(), 1u);
    EXPECT_EQ(rec->Messages[0].Text, "cannot write");
}

// ---- Wheel and category panels ------------------------------------------------------------------------

namespace {

// Three panels of 300 pixels in a group that shows about 200 of them.
struct PanelStack {
    Shown s;
    TCategoryPanelGroup* group = new TCategoryPanelGroup(&s.form);
    TCategoryPanel* panels[3];
    TEdit* edit;
    PanelStack()
    {
        group->SetParent(&s.form);
        group->SetBounds(0, 0, 300, 200);
        group->SetHeaderHeight(24);
        for (int i = 0; i < 3; ++i) {
            panels[i] = new TCategoryPanel(&s.form);
            panels[i]->SetPanelGroup(group);
            panels[i]->SetCaption(QString("%1. Panel").arg(i + 1));
            panels[i]->SetBounds(0, 300 * i, 300, 300);
        }
        edit = new TEdit(&s.form);
        edit->SetParent(panels[1]);
        edit->SetBounds(10, 5, 100, 21);
        Pump();
    }
};

void Wheel(QWidget* w, int delta)
{
    QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(Controls, CategoryPanelsStackCollapseAndKeepTheirFullHeight)
{
    PanelStack t;
    EXPECT_EQ(t.panels[1]->BoundsRect(), Rect(0, 300, t.group->ClientWidth(), 600));
    EXPECT_EQ(t.group->Panels(2), t.panels[2]);
    // Controls sit below the header.
    EXPECT_EQ(t.edit->Widget()->mapTo(t.panels[1]->Widget(), QPoint(0, 0)), QPoint(10, 24 + 5));

    t.panels[0]->SetCollapsed(true);
    EXPECT_EQ(t.panels[0]->Height(), 24);
    EXPECT_EQ(t.panels[1]->Top(), 24);   // the later panels move up
    EXPECT_EQ(t.panels[2]->Top(), 324);
    t.panels[0]->SetHeight(150);         // kept for the next expansion
    EXPECT_EQ(t.panels[0]->Height(), 24);
    t.panels[0]->SetCollapsed(false);
    EXPECT_EQ(t.panels[0]->Height(), 150);
    EXPECT_EQ(t.panels[1]->Top(), 150);

    t.panels[1]->SetVisible(false);
    EXPECT_EQ(t.panels[2]->Top(), 150);
    int collapses = 0;
    t.panels[2]->OnCollapse = [&](TObject*) { ++collapses; };
    QTest::mouseClick(t.panels[2]->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));   // header
    EXPECT_TRUE(t.panels[2]->Collapsed());
    QTest::mouseClick(t.panels[2]->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    EXPECT_FALSE(t.panels[2]->Collapsed());
    EXPECT_EQ(collapses, 1);
}

TEST(Controls, ScrollMessagesMoveAScrollBoxByLines)
{
    PanelStack t;
    Pump();
    t.group->Increment = 8;
    for (int i = 0; i < 3; ++i)
        SendMessage(t.group->Handle(), WM_VSCROLL, 1 /* line down */, 0);
    SendMessage(t.group->Handle(), WM_VSCROLL, 8 /* end */, 0);
    EXPECT_EQ(t.group->ScrollPos().Y, 24);
    SendMessage(t.group->Handle(), WM_VSCROLL, 0 /* line up */, 0);
    EXPECT_EQ(t.group->ScrollPos().Y, 16);
    SendMessage(t.group->Handle(), WM_VSCROLL, 6 /* top */, 0);
    EXPECT_EQ(t.group->ScrollPos().Y, 0);
}

TEST(Controls, WheelGoesToTheFormBeforeAnyScrolling)
{
    PanelStack t;
    std::vector<int> deltas;
    bool handle = true;
    t.s.form.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        deltas.push_back(delta);
        handled = handle;
    };
    t.edit->SetFocus();
    Pump();
    Wheel(t.panels[1]->Widget(), -120);   // from the focused edit up to the form, which takes it
    EXPECT_EQ(deltas, std::vector<int>{-120});
    EXPECT_EQ(t.group->ScrollPos().Y, 0);

    handle = false;   // nobody takes it: the scroll area scrolls as usual
    Wheel(static_cast<QAbstractScrollArea*>(t.group->Widget())->viewport(), -120);
    EXPECT_EQ(deltas.size(), 2u);
    EXPECT_GT(t.group->ScrollPos().Y, 0);
}

// ---- Link label and mask edit -----------------------------------------------------------------------

TEST(Controls, LinkLabelShowsLinksAndReportsTheClickedAddress)
{
    struct Case {
        QString caption;
        QString html;
    };
    const Case cases[] = {
        {"No Update Available", "No Update Available"},
        {"<a href=\"http://host/Home/download/download.asp#HDGW101\">New Version</a>",
         "<a href=\"http://host/Home/download/download.asp#HDGW101\">New Version</a>"},
        {"a < b & <a href='x?p=1&q=2'>go</a>", "a &lt; b &amp; <a href=\"x?p=1&amp;q=2\">go</a>"},
        {"<a>plain</a>", "<a href=\"plain\">plain</a>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TLinkLabel::LinkTextToHtml(c.caption), c.html) << c.caption.toStdString();

    TForm form(nullptr);
    auto* ll = new TLinkLabel(&form);
    ll->SetParent(&form);
    QString clicked;
    ll->OnLinkClick = [&](TObject*, const QString& link, TSysLinkType) { clicked = link; };
    ll->SetCaption(cases[1].caption);
    EXPECT_GT(ll->Width(), 0);   // sized to its text
    emit static_cast<QLabel*>(ll->Widget())->linkActivated("http://host/x");
    EXPECT_EQ(clicked, "http://host/x");
}

TEST(Controls, MaskEditTranslatesTheToolkitMask)
{
    struct Case {
        QString mask;
        QString qt;
    };
    const Case cases[] = {
        {"!99/99/0000;1;_", "00/00/9999;_"},
        {"LL-000", "AA-999;_"},
        {"Aa Cc", "Nn Xx;_"},
        {">LL<ll", ">AA<aa;_"},
        {"N\\9#;0; ", "\\N\\9#; "},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TMaskEdit::ToQtInputMask(c.mask), c.qt) << c.mask.toStdString();
}
