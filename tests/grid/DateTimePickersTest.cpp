// The grid family's date pickers on a shown form: AutoTab, the time part and label of the date-time
// picker, and the drawing over the toolkit's picker.
#include "grid/edit/ExtDateTimePicker.h"

#include "common/EditTestSupport.h"

#include <QCheckBox>

namespace
{

using edittest::EditOnForm;

class Pickers : public EditOnForm
{
  protected:
    static TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
    {
        return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
    }
    // Types one digit and lets the posted AutoTab steps run.
    static void Digit(TWinControl* control, char digit)
    {
        QTest::keyClick(control->Widget(), digit);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
};

TEST_F(Pickers, AutoTabMovesOnOnlyWhenTheDigitChangedTheField)
{
    auto* time = Place(new TCustomDateTimePicker(form.get()), 10, 10, 120, 24);
    time->SetKind(dtkTime);
    time->SetFormat("HH:mm:ss");
    time->SetAutoTab(true);
    time->SetDateTime(EncodeTime(10, 20, 30, 0));
    ShowForm();
    Focus(time);
    ASSERT_EQ(time->SelectedField(), 0);
    Digit(time, '1');
    EXPECT_EQ(time->DisplayText(), "01:20:30");
    EXPECT_EQ(time->SelectedField(), 1);

    time->SelectField(0);
    Digit(time, '1'); // 01 stays 01
    EXPECT_EQ(time->SelectedField(), 0);

    // Without AutoTab a full field stays selected.
    auto* date = Place(new TEsgDateTimePicker(form.get()), 10, 50, 120, 24);
    date->SetDateTime(EncodeDate(2021, 1, 3));
    Focus(date);
    Digit(date, '2');
    Digit(date, '5');
    EXPECT_EQ(date->DisplayText(), "25.01.2021");
    EXPECT_EQ(date->SelectedField(), 0);
    Key(date, Qt::Key_F4);
    EXPECT_TRUE(date->DroppedDown());
    date->SetDroppedDown(false);
}

TEST_F(Pickers, DateTimeDropsMillisecondsAndDateKeepsTheTime)
{
    auto* picker = Place(new TExtDateTimePicker(form.get()), 10, 10, 220, 24);
    ShowForm();
    EXPECT_EQ(picker->Version(), "1.2.0.0");
    EXPECT_EQ(TEsgDateTimePicker(nullptr).Version(), "1.0.0.0");
    picker->SetDateTime(At(2021, 3, 4, 10, 20, 30, 750));
    EXPECT_EQ(picker->DateTime(), At(2021, 3, 4, 10, 20, 30));
    ASSERT_NE(picker->TimePicker(), nullptr);
    EXPECT_EQ(picker->TimePicker()->DisplayText(), "10:20:30");
    picker->SetDate(EncodeDate(2021, 5, 6));
    EXPECT_EQ(picker->DateTime(), At(2021, 5, 6, 10, 20, 30));
    EXPECT_EQ(picker->Time(), EncodeTime(10, 20, 30, 0));
    EXPECT_EQ(picker->DisplayText(), "06.05.2021");

    // A time typed into the time part is the picker's time.
    Focus(picker->TimePicker());
    Key(picker->TimePicker(), Qt::Key_Up);
    EXPECT_EQ(picker->DateTime(), At(2021, 5, 6, 11, 20, 30));
}

TEST_F(Pickers, TimePartLivesOnlyForDateAndTime)
{
    auto* picker = Place(new TExtDateTimePicker(form.get()), 10, 10, 220, 24);
    ShowForm();
    picker->SetDateTime(At(2021, 3, 4, 10, 20, 30));
    TCustomDateTimePicker* part = picker->TimePicker();
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->Visible());
    EXPECT_EQ(part->Parent(), picker);
    // Inside the picker, left of its drop button, clear of the date text.
    EXPECT_LE(part->Left() + part->Width(), picker->ButtonRect().Left);
    EXPECT_GT(part->Left(), picker->LineEdit()->fontMetrics().horizontalAdvance(picker->DisplayText()));

    picker->SetKind(dkDate);
    EXPECT_EQ(picker->TimePicker(), nullptr);
    EXPECT_EQ(picker->DateTime(), At(2021, 3, 4, 10, 20, 30));
    picker->SetKind(dkDateTime);
    ASSERT_NE(picker->TimePicker(), nullptr);
    EXPECT_EQ(picker->TimePicker()->DisplayText(), "10:20:30");

    picker->SetKind(dkTime);
    EXPECT_EQ(picker->TimePicker(), nullptr);
    EXPECT_EQ(picker->DisplayText(), "10:20:30");
}

TEST_F(Pickers, CheckBoxEnablesTheTimePart)
{
    auto* picker = Place(new TExtDateTimePicker(form.get()), 10, 10, 220, 24);
    int drops = 0, closes = 0;
    picker->OnDropDown = [&](TObject*) { ++drops; };
    picker->OnCloseUp = [&](TObject*) { ++closes; };
    ShowForm();
    picker->SetShowCheckbox(true);
    TCustomDateTimePicker* part = picker->TimePicker();
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->Enabled());

    picker->CheckBox()->click(); // unchecked by the user
    EXPECT_FALSE(part->Enabled());
    picker->CheckBox()->click();
    EXPECT_TRUE(part->Enabled());
    picker->SetChecked(false); // by code
    EXPECT_FALSE(part->Enabled());
    picker->SetChecked(true);
    EXPECT_TRUE(part->Enabled());
    picker->SetEnabled(false);
    EXPECT_FALSE(part->Enabled());
    picker->SetEnabled(true);
    EXPECT_TRUE(part->Enabled());

    Focus(picker);
    Key(picker, Qt::Key_F4);
    ASSERT_TRUE(picker->DroppedDown());
    picker->SetDroppedDown(false);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
}

TEST_F(Pickers, AutoTabRunsThroughTheDateIntoTheTimePart)
{
    auto* picker = Place(new TExtDateTimePicker(form.get()), 10, 10, 220, 24);
    picker->SetFormat("dd.MM.yyyy");
    picker->SetAutoTab(true);
    picker->SetDateTime(At(2021, 3, 4, 10, 20, 30));
    ShowForm();
    Focus(picker);
    Digit(picker, '4'); // the day stays 04: nothing moves
    EXPECT_EQ(picker->SelectedField(), 0);
    Digit(picker, '7');
    EXPECT_EQ(picker->DisplayText(), "07.03.2021");
    EXPECT_EQ(picker->SelectedField(), 1);
    Digit(picker, '5');
    EXPECT_EQ(picker->DisplayText(), "07.05.2021");
    EXPECT_EQ(picker->SelectedField(), 2);
    Digit(picker, '9');
    EXPECT_EQ(picker->DisplayText(), "07.05.2009");
    EXPECT_EQ(QApplication::focusWidget(), picker->TimePicker()->Widget());
    // The time part runs on with the same AutoTab.
    Digit(picker->TimePicker(), '8');
    EXPECT_EQ(picker->DateTime(), At(2009, 5, 7, 8, 20, 30));
    EXPECT_EQ(picker->TimePicker()->SelectedField(), 1);
}

TEST_F(Pickers, LabelFollowsThePositionTable)
{
    auto* picker = Place(new TExtDateTimePicker(form.get()), 100, 80, 200, 24);
    picker->SetLabelCaption("Start");
    TLabel* label = picker->PickerLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form.get());
    const int w = label->Width(), h = label->Height(), cw = label->Canvas->TextWidth("Start");
    struct {
        TLabelPosition position;
        int left, top;
    } cases[] = {
        {lpLeftTop, 100 - cw - 4, 80},
        {lpLeftCenter, 100 - cw - 4, 80 + (24 - h) / 2},
        {lpLeftBottom, 100 - cw - 4, 80 + 24 - h},
        {lpTopLeft, 100, 80 - h - 4},
        {lpBottomLeft, 100, 80 + 24 + 4},
        {lpLeftTopLeft, 96, 80},
        {lpLeftCenterLeft, 96, 80 + (24 - h) / 2},
        {lpLeftBottomLeft, 96, 80 + 24 - h},
        {lpTopCenter, 100 + (200 - w) / 2, 80 - h - 4},
        {lpBottomCenter, 100 + (200 - w) / 2, 80 + 24 + 4},
        {lpRightTop, 304, 80},
        {lpRightCenter, 304, 80 + (24 - h) / 2},
        {lpRighBottom, 304, 80 + 24 - h},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.position));
        picker->SetLabelPosition(c.position);
        EXPECT_EQ(label->Left(), c.left);
        EXPECT_EQ(label->Top(), c.top);
    }
    picker->SetLabelPosition(lpTopLeft);
    picker->SetLabelMargin(10);
    picker->SetBounds(150, 120, 200, 24);
    EXPECT_EQ(label->Left(), 150);
    EXPECT_EQ(label->Top(), 120 - h - 10);
    picker->SetVisible(false);
    EXPECT_FALSE(label->Visible());
}

TEST_F(Pickers, LabelClicksAndEnablingAndFocusBold)
{
    auto* picker = Place(new TExtDateTimePicker(form.get()), 100, 80, 200, 24);
    picker->SetLabelCaption("Start");
    TLabel* label = picker->PickerLabel();
    std::vector<TObject*> clicks;
    picker->OnLabelClick = [&](TObject* sender) { clicks.push_back(sender); };
    ShowForm();
    QTest::mouseClick(label->Widget(), Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], picker);
    picker->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    picker->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(label->Enabled());
    picker->SetEnabled(true);

    picker->FocusLabel = true;
    Focus(picker);
    EXPECT_TRUE(label->Font->Style & fsBold);
    Focus(other);
    EXPECT_FALSE(label->Font->Style & fsBold);
}

TEST_F(Pickers, FlatBorderAndMetroButtonAreDrawnOverThePicker)
{
    auto* custom = Place(new TCustomDateTimePicker(form.get()), 10, 10, 150, 24);
    custom->SetBorderStyle(bsSingle);
    auto* esg = Place(new TEsgDateTimePicker(form.get()), 10, 50, 150, 24);
    ShowForm();
    // Ctl3D off: the flat border in the themed border colour.
    QImage image = custom->Widget()->grab().toImage();
    EXPECT_EQ(QColorToColor(image.pixelColor(0, 12)), TEsgPickerBase::ThemedBorderColor);
    EXPECT_EQ(QColorToColor(image.pixelColor(75, 0)), TEsgPickerBase::ThemedBorderColor);

    // Without metro style the button colours change nothing.
    const QImage plain = esg->Widget()->grab().toImage();
    esg->ButtonColor = 0x0000C000;
    esg->ButtonTextColor = clBlack;
    EXPECT_EQ(esg->Widget()->grab().toImage(), plain);
    esg->SetMetroStyle(true);
    image = esg->Widget()->grab().toImage();
    const int buttonLeft = (150 - 4) - esg->ButtonWidth() + 2 + 1;
    EXPECT_EQ(QColorToColor(image.pixelColor(buttonLeft + 4, 4)), esg->ButtonColor);
    EXPECT_EQ(QColorToColor(image.pixelColor(buttonLeft + 8, 8)), clBlack); // the arrow
    // An embedded picker never takes the metro look.
    custom->SetMetroStyle(true);
    custom->ButtonColor = 0x0000C000;
    image = custom->Widget()->grab().toImage();
    EXPECT_NE(QColorToColor(image.pixelColor(buttonLeft + 4, 4)), custom->ButtonColor);
}

} // namespace
