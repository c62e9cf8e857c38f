// The edit with button and the unit edit on a shown form: F4 and the button, a disabled editor,
// text margins, value and unit, and the unit menu.
#include "grid/edit/EsgEdit.h"

#include "common/EditTestSupport.h"

#include <QClipboard>
#include <QMenu>
#include <QTimer>

namespace
{

using edittest::EditOnForm;

class EditBtn : public EditOnForm
{
  protected:
    void SetUp() override
    {
        EditOnForm::SetUp();
        edit = Place(new TEsgEditBtn(form.get()), 10, 10, 150, 24);
        edit->OnClickBtn = [this](TObject* sender) { senders.push_back(sender); };
        ShowForm();
    }
    TEsgEditBtn* edit = nullptr;
    std::vector<TObject*> senders;
};

TEST_F(EditBtn, F4ClicksWithTheEditAsSenderUnlessCtrlOrAlt)
{
    Focus(edit);
    Key(edit, Qt::Key_F4, Qt::ControlModifier);
    Key(edit, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(senders.empty());
    Key(edit, Qt::Key_F4);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], edit);
}

TEST_F(EditBtn, ButtonClicksOnReleaseWithTheHolderAsSender)
{
    Focus(other);
    QWidget* button = edit->Button()->Button()->Widget();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(senders.empty());
    // Released away from the button: it still clicks (the press holds the mouse).
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-40, 30));
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], edit->Button());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), edit->Widget());

    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(senders.size(), 1u);
}

TEST_F(EditBtn, DisabledEditorSwallowsTypingButButtonAndF4Work)
{
    edit->EditorEnabled = false;
    edit->SetText("12");
    Focus(edit);
    edit->SetSelStart(2);
    Type(edit, "5");
    Key(edit, Qt::Key_Backspace);
    Key(edit, Qt::Key_Home);
    Key(edit, Qt::Key_Delete);
    QApplication::clipboard()->setText("99");
    Key(edit, Qt::Key_V, Qt::ControlModifier);
    Key(edit, Qt::Key_Insert, Qt::ShiftModifier);
    edit->SelectAll();
    Key(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(BeepCount(), 0);

    Key(edit, Qt::Key_F4);
    QTest::mouseClick(edit->Button()->Button()->Widget(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(senders.size(), 2u);

    edit->EditorEnabled = true;
    edit->SetSelStart(2);
    Type(edit, "5");
    EXPECT_EQ(edit->Text(), "125");
}

TEST_F(EditBtn, EnterAndEscapeStayWithTheEdit)
{
    EXPECT_TRUE(edit->WantsKey(VK_RETURN, 0));
    EXPECT_TRUE(edit->WantsKey(VK_ESCAPE, 0));
    EXPECT_FALSE(edit->WantsKey(VK_TAB, 0));
}

TEST_F(EditBtn, TextMarginsAndButtonPlace)
{
    struct {
        TBorderStyle border;
        int left;
        TRect button;
    } cases[] = {
        {bsSingle, 1, TRect(150 - 18 - 3, 2, 150 - 3, 24 - 3)},
        {bsNone, 3, TRect(150 - 18 - 1, 0, 150 - 1, 24 - 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.border));
        edit->SetBorderStyle(c.border);
        EXPECT_EQ(edit->LineEdit()->textMargins().left(), c.left);
        EXPECT_EQ(edit->LineEdit()->textMargins().right(), 18 + 5);
        EXPECT_EQ(edit->Button()->BoundsRect(), c.button);
    }
    edit->SetButtonWidth(30);
    EXPECT_EQ(edit->Button()->Width(), 30);
    EXPECT_EQ(edit->Button()->Button()->Width(), 30);
    EXPECT_EQ(edit->LineEdit()->textMargins().right(), 30 + 5);
}

TEST_F(EditBtn, ColouredButtonFace)
{
    TEsgEditButton* holder = edit->Button();
    holder->ButtonColor = 0x0040A0F0;
    holder->ButtonColorDown = 0x00102030;
    QWidget* w = holder->Button()->Widget();
    EXPECT_EQ(QColorToColor(w->grab().toImage().pixelColor(1, 1)), holder->ButtonColor);
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(QColorToColor(w->grab().toImage().pixelColor(1, 1)), holder->ButtonColorDown);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(holder->Button()->Flat());
}

// ---- Unit edit ------------------------------------------------------------------------------------

class UnitEdit : public EditOnForm
{
  protected:
    void SetUp() override
    {
        EditOnForm::SetUp();
        edit = Place(new TEsgUnitEditBtn(form.get()), 10, 10, 150, 24);
        edit->OnUnitChanged = [this](TObject* sender, const QString& unit) {
            EXPECT_EQ(sender, edit);
            changes.push_back(unit);
        };
        ShowForm();
    }
    void SetUnits(std::initializer_list<const char*> units)
    {
        TStringList list;
        for (const char* u : units)
            list.Add(u);
        edit->SetUnits(&list);
    }
    // Opens the menu with the button and, from inside it, runs `inMenu` on the shown menu.
    void WithMenu(const std::function<void(QMenu*)>& inMenu)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            ran = true;
            inMenu(menu);
        });
        QTest::mouseClick(edit->Button()->Button()->Widget(), Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_TRUE(ran);
    }
    TEsgUnitEditBtn* edit = nullptr;
    std::vector<QString> changes;
};

TEST_F(UnitEdit, TextAndUnitSplitsAtTheUnitEndingTheValue)
{
    struct {
        std::initializer_list<const char*> units;
        const char* value;
        const char* text;
        const char* unit;
    } cases[] = {
        {{"m", "mm"}, "5mm", "5", "mm"}, {{"kg"}, "12 kg", "12 ", "kg"},
        {{"m"}, "5 m/m", "7", "m"}, // no unit ends the value: nothing changes
        {{"m", "s"}, "3 s", "3 ", "s"},  {{}, "4 m", "7", "m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        SetUnits(c.units);
        edit->SetText("7");
        edit->SetUnitID("m");
        edit->SetTextAndUnit(c.value);
        EXPECT_EQ(edit->Text(), c.text);
        EXPECT_EQ(edit->UnitID(), c.unit);
    }
    SetUnits({"kg"});
    edit->SetTextAndUnit("12 kg");
    EXPECT_EQ(edit->TextAndUnit(), "12 kg");
}

TEST_F(UnitEdit, UnitsAreCopiedAndNilIgnored)
{
    SetUnits({"V", "mV"});
    edit->SetUnits(nullptr);
    ASSERT_EQ(edit->Units()->Count(), 2);
    edit->SetUnitID("A"); // not among the units: taken as it is
    EXPECT_EQ(edit->UnitID(), "A");
    EXPECT_TRUE(edit->RightAlign());
    EXPECT_EQ(edit->UnitSpace(), 20);
    EXPECT_EQ(edit->LineEdit()->textMargins().right(), 18 + 20 + 5 + 3);
}

TEST_F(UnitEdit, MenuOpensBelowTheRightEdgeAndChoosesTheUnit)
{
    SetUnits({"m", "mm"});
    edit->SetUnitID("m");
    int clicks = 0;
    edit->OnClickBtn = [&](TObject* sender) {
        EXPECT_EQ(sender, edit);
        ++clicks;
    };
    const QPoint origin = edit->Widget()->mapToGlobal(QPoint(2, 2)); // the client area's corner
    WithMenu([&](QMenu* menu) {
        ASSERT_EQ(menu->actions().size(), 2);
        EXPECT_EQ(menu->actions()[0]->text(), "m");
        EXPECT_EQ(menu->pos(), origin + QPoint(150 - 4 - 15, 24 - 4));
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->UnitID(), "mm");
    EXPECT_EQ(changes, std::vector<QString>{"mm"});

    // The current unit again: nothing fires.
    WithMenu([](QMenu* menu) {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(changes.size(), 1u);
    // Closed without a choice: nothing either.
    WithMenu([](QMenu* menu) { QTest::keyClick(menu, Qt::Key_Escape); });
    EXPECT_EQ(edit->UnitID(), "mm");
    EXPECT_EQ(clicks, 3);
}

TEST_F(UnitEdit, CommandsOutsideTheUnitsAreIgnored)
{
    SetUnits({"m", "mm"});
    edit->SetUnitID("m");
    for (WPARAM w : {WPARAM(0), WPARAM(3), WPARAM(2) | (WPARAM(EN_CHANGE) << 16)})
        edit->Perform(WM_COMMAND, w, 0);
    EXPECT_EQ(edit->UnitID(), "m");
    EXPECT_TRUE(changes.empty());
    edit->Perform(WM_COMMAND, 2, 0);
    EXPECT_EQ(edit->UnitID(), "mm");
}

TEST_F(UnitEdit, UnitTextIsDrawnLeftOfTheButton)
{
    edit->SetText("");
    const QImage before = edit->Widget()->grab().toImage();
    edit->SetUnitID("mm");
    const QImage after = edit->Widget()->grab().toImage();
    // Client coordinates plus the border of 2.
    const int right = 2 + (150 - 4) - (18 + 3);
    const int left = right - 20;
    int changedInside = 0, changedOutside = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                ++(x >= left && x < right ? changedInside : changedOutside);
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(changedOutside, 0);
}

} // namespace
