// The toolkit's date-time picker on a shown form: fields and their keys, typing, limits, the check
// box, the calendar and the notifications.
#include "platform/controls/DateTimePicker.h"

#include "common/EditTestSupport.h"

#include <QCalendarWidget>
#include <QCheckBox>

namespace
{

using edittest::EditOnForm;

// Records the notifications before the events, as a subclass that extends the handler sees them.
class TRecordingPicker : public TDateTimePicker
{
  public:
    using TDateTimePicker::TDateTimePicker;
    std::vector<std::pair<int, uint32_t>> notes;
    std::vector<TDateTime> sent;

  protected:
    void HandleNotify(TNMHdr& Header) override
    {
        const uint32_t flags =
            Header.code == DTN_DATETIMECHANGE ? static_cast<TNMDateTimeChange&>(Header).dwFlags : 0;
        notes.emplace_back(Header.code, flags);
        TDateTimePicker::HandleNotify(Header);
    }
    void SendSystemTime(TDateTime Value, bool None) override
    {
        sent.push_back(None ? -1 : Value);
        TDateTimePicker::SendSystemTime(Value, None);
    }
};

class Picker : public EditOnForm
{
  protected:
    void SetUp() override
    {
        EditOnForm::SetUp();
        picker = Place(new TRecordingPicker(form.get()), 10, 10, 160, 24);
        picker->OnChange = [this](TObject*) { ++changes; };
        picker->SetDateTime(EncodeDate(2021, 1, 31) + EncodeTime(10, 20, 30, 0));
        ShowForm();
    }
    QString Selected() const { return picker->LineEdit()->selectedText(); }

    TRecordingPicker* picker = nullptr;
    int changes = 0;
};

TEST_F(Picker, ShowsTheFormatWithLiteralsAndRegionalDefaults)
{
    struct {
        TDateTimeKind kind;
        const char* format;
        const char* text;
    } cases[] = {
        {dtkDate, "", "31.01.2021"},
        {dtkTime, "", "10:20:30"},
        {dtkDate, "d/M/yy", "31/1/21"},
        {dtkDate, "'Day' dd 'of' MMMM", "Day 31 of January"},
        {dtkDate, "yyyy-MM-dd q", "2021-01-31 q"}, // an unknown letter is literal
        {dtkTime, "hh:mm tt", "10:20 AM"},
        {dtkTime, "H.m.s", "10.20.30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        picker->SetKind(c.kind);
        picker->SetFormat(c.format);
        EXPECT_EQ(picker->DisplayText(), QString::fromUtf8(c.text));
    }
    picker->SetFormat("'Day' dd 'of' MMMM");
    EXPECT_EQ(picker->FieldCount(), 2);
    EXPECT_EQ(Selected(), "31");
}

TEST_F(Picker, ArrowsMoveBetweenAndStepWholeFields)
{
    Focus(picker);
    EXPECT_EQ(Selected(), "31");
    Key(picker, Qt::Key_Right);
    EXPECT_EQ(Selected(), "01");
    Key(picker, Qt::Key_Up);
    EXPECT_EQ(picker->DisplayText(), "28.02.2021"); // the day is cut to the month
    EXPECT_EQ(Selected(), "02");
    Key(picker, Qt::Key_Left);
    Key(picker, Qt::Key_Up);
    EXPECT_EQ(picker->DisplayText(), "01.02.2021"); // the day wraps within its month
    Key(picker, Qt::Key_Down);
    EXPECT_EQ(picker->DisplayText(), "28.02.2021");
    Key(picker, Qt::Key_Left); // from the first field to the last
    EXPECT_EQ(Selected(), "2021");
    EXPECT_EQ(picker->Time(), EncodeTime(10, 20, 30, 0)); // the time of day stays
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(picker->notes.size(), 3u);
}

TEST_F(Picker, TypedDigitsFillTheSelectedFieldWhichStaysSelected)
{
    Focus(picker);
    Type(picker, "2");
    EXPECT_EQ(picker->DisplayText(), "02.01.2021");
    Type(picker, "5");
    EXPECT_EQ(picker->DisplayText(), "25.01.2021");
    EXPECT_EQ(picker->SelectedField(), 0);
    EXPECT_EQ(Selected(), "25");
    Type(picker, "4"); // a third digit starts the field anew
    EXPECT_EQ(picker->DisplayText(), "04.01.2021");
    Type(picker, "9"); // 49 is no day: the 9 starts anew
    EXPECT_EQ(picker->DisplayText(), "09.01.2021");
    Type(picker, "x");
    EXPECT_EQ(picker->DisplayText(), "09.01.2021");
    Key(picker, Qt::Key_End);
    Type(picker, "1999");
    EXPECT_EQ(picker->DisplayText(), "09.01.1999");
}

TEST_F(Picker, TabLeavesAndEnterGoesToTheForm)
{
    Focus(picker);
    Key(picker, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other->Widget());
    EXPECT_FALSE(picker->WantsKey(VK_RETURN, 0));
    EXPECT_TRUE(picker->WantsKey(VK_RIGHT, 0));
}

TEST_F(Picker, LimitsClampWrittenAndTypedValues)
{
    picker->SetMinDate(EncodeDate(2021, 1, 10));
    picker->SetMaxDate(EncodeDate(2021, 12, 31));
    picker->SetDateTime(EncodeDate(2020, 5, 5));
    EXPECT_EQ(picker->Date(), EncodeDate(2021, 1, 10));
    picker->SetDateTime(EncodeDate(2025, 5, 5));
    EXPECT_EQ(picker->Date(), EncodeDate(2021, 12, 31));
    picker->SetMaxDate(0); // no limit any more
    picker->SetDateTime(EncodeDate(2025, 5, 5));
    EXPECT_EQ(picker->Date(), EncodeDate(2025, 5, 5));
    EXPECT_EQ(changes, 0); // values from code notify nothing
}

TEST_F(Picker, CheckBoxNotifiesNoneAndCheckedReadsTrueWithoutIt)
{
    EXPECT_TRUE(picker->Checked());
    picker->SetChecked(false);
    EXPECT_TRUE(picker->Checked()); // no check box shown
    picker->SetShowCheckbox(true);
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(picker->sent.back(), -1);

    picker->SetChecked(true);
    picker->notes.clear();
    Focus(picker);
    Key(picker, Qt::Key_Space);
    EXPECT_FALSE(picker->Checked());
    ASSERT_EQ(picker->notes.size(), 1u);
    EXPECT_EQ(picker->notes[0], std::make_pair(DTN_DATETIMECHANGE, GDT_NONE));
    // While unchecked the fields take nothing.
    Key(picker, Qt::Key_Up);
    Type(picker, "5");
    EXPECT_EQ(picker->DisplayText(), "31.01.2021");
    picker->CheckBox()->click();
    EXPECT_TRUE(picker->Checked());
    EXPECT_EQ(picker->notes.back(), std::make_pair(DTN_DATETIMECHANGE, GDT_VALID));
}

TEST_F(Picker, F4AndAltDownOpenTheCalendarAndAChoiceClosesIt)
{
    int drops = 0, closes = 0;
    picker->OnDropDown = [&](TObject*) { ++drops; };
    picker->OnCloseUp = [&](TObject*) { ++closes; };
    Focus(picker);
    Key(picker, Qt::Key_F4);
    ASSERT_TRUE(picker->DroppedDown());
    EXPECT_EQ(picker->Calendar()->selectedDate(), QDate(2021, 1, 31));
    QTest::keyClick(picker->Calendar(), Qt::Key_Escape);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);

    Key(picker, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(picker->DroppedDown());
    QCalendarWidget* calendar = picker->Calendar();
    calendar->setSelectedDate(QDate(2021, 2, 14));
    emit calendar->activated(QDate(2021, 2, 14));
    QApplication::processEvents();
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->DateTime(), EncodeDate(2021, 2, 14) + EncodeTime(10, 20, 30, 0));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(closes, 2);
    const std::vector<int> codes = {picker->notes[0].first, picker->notes[1].first, picker->notes[2].first,
                                    picker->notes[3].first, picker->notes[4].first};
    EXPECT_EQ(codes,
              (std::vector<int>{DTN_DROPDOWN, DTN_CLOSEUP, DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));

    // A time picker and the up-down mode have no calendar.
    picker->SetDateMode(dmUpDown);
    Key(picker, Qt::Key_F4);
    EXPECT_FALSE(picker->DroppedDown());
}

TEST_F(Picker, ClickSelectsTheFieldUnderThePointerAndTheButtonDrops)
{
    Focus(picker);
    // A click at the far right of the text lands in the last field.
    const int x = picker->LineEdit()->width() - TDateTimePicker::ButtonWidthOf() - 8;
    QTest::mouseClick(picker->Widget(), Qt::LeftButton, {}, QPoint(x, 12));
    EXPECT_EQ(Selected(), "2021");
    QTest::mouseClick(picker->Widget(), Qt::LeftButton, {}, QPoint(6, 12));
    EXPECT_EQ(Selected(), "31");
    const TRect button = picker->ButtonRect();
    QTest::mouseClick(picker->Widget(), Qt::LeftButton, {}, QPoint(button.Left + 4, button.Top + 4));
    EXPECT_TRUE(picker->DroppedDown());
    picker->SetDroppedDown(false);
    EXPECT_FALSE(picker->DroppedDown());
}

TEST_F(Picker, TimeKindStepsAndTypesHours)
{
    picker->SetKind(dtkTime);
    picker->SetFormat("HH:mm:ss");
    Focus(picker);
    Key(picker, Qt::Key_Down);
    EXPECT_EQ(picker->DisplayText(), "09:20:30");
    Key(picker, Qt::Key_Right);
    Type(picker, "75"); // 75 is no minute: the 5 starts anew
    EXPECT_EQ(picker->DisplayText(), "09:05:30");
    Key(picker, Qt::Key_Right);
    Key(picker, Qt::Key_Up);
    EXPECT_EQ(picker->DisplayText(), "09:05:31");
    EXPECT_EQ(picker->Date(), EncodeDate(2021, 1, 31));
}

} // namespace
