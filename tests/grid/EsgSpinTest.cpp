// The spin edit on a shown form: clamping, stepping by kind and caret field, the key filter, the
// repeating buttons and their layout and colours.
#include "grid/edit/EsgSpin.h"

#include "common/EditTestSupport.h"
#include "platform/core/DateUtils.h"

#include <QClipboard>
#include <QImage>

namespace
{

using edittest::EditOnForm;

class SpinEdit : public EditOnForm
{
  protected:
    void SetUp() override
    {
        EditOnForm::SetUp();
        spin = Place(new TEsgSpinEdit(form.get()), 10, 10, 120, 24);
        ShowForm();
    }
    TEsgSpinEdit* spin = nullptr;
};

TEST_F(SpinEdit, LeavingClampsTypedValueAndEqualLimitsMeanNone)
{
    Focus(spin);
    EXPECT_EQ(spin->SelLength(), 1); // "0" selected on entry
    Type(spin, "150");
    EXPECT_EQ(spin->Text(), "150");
    Focus(other);
    EXPECT_EQ(spin->Text(), "100");
    EXPECT_EQ(spin->Value(), 100);

    spin->MinValue = spin->MaxValue = 5;
    spin->SetValue(150);
    EXPECT_EQ(spin->Text(), "150");
    spin->SetValue(-7);
    EXPECT_EQ(spin->Text(), "-7");
}

TEST_F(SpinEdit, ReadersAreLenient)
{
    struct {
        TEsgSpinType type;
        const char* text;
        double expected;
    } cases[] = {
        {sptNormal, "", 0},       {sptNormal, "abc", 3},        {sptNormal, " 42 ", 42},
        {sptFloat, "x", 3},       {sptFloat, "2.25", 2.25},     {sptTime, "25:00:00", 0},
        {sptTime, "nonsense", 0}, {sptDate, "31.02.2021", -10},
    };
    spin->MinValue = 3;
    spin->MinDateValue = -10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        spin->SetText(c.text);
        switch (c.type) {
        case sptNormal:
            EXPECT_EQ(spin->Value(), int(c.expected));
            break;
        case sptFloat:
            EXPECT_DOUBLE_EQ(spin->FloatValue(), c.expected);
            break;
        case sptTime:
            EXPECT_DOUBLE_EQ(spin->TimeValue(), c.expected);
            break;
        case sptDate:
            EXPECT_DOUBLE_EQ(spin->DateValue(), c.expected);
            break;
        }
    }
    // An empty date, or "0", is now.
    for (const char* text : {"", "0"}) {
        spin->SetText(text);
        EXPECT_NEAR(spin->DateValue(), Now(), 1.0 / 24);
    }
}

TEST_F(SpinEdit, StepsTheFieldUnderTheCaret)
{
    struct {
        TEsgSpinType type;
        const char* shortDate;
        QChar separator;
        const char* text;
        int caret;
        Qt::Key key;
        const char* expected;
    } cases[] = {
        {sptTime, nullptr, '.', "23:30:00", 0, Qt::Key_Up, "00:30:00"},
        {sptTime, nullptr, '.', "00:10:00", 3, Qt::Key_Down, "23:55:00"}, // IncrementMinutes 15
        {sptTime, nullptr, '.', "12:00:59", 6, Qt::Key_Up, "12:01:00"},
        {sptDate, nullptr, '.', "31.01.2021", 3, Qt::Key_Up, "28.02.2021"},
        {sptDate, nullptr, '.', "31.01.2021", 0, Qt::Key_Up, "01.02.2021"},
        {sptDate, nullptr, '.', "31.01.2021", 7, Qt::Key_Up, "31.01.2022"},
        {sptDate, nullptr, '.', "01.03.2021", 0, Qt::Key_Down, "28.02.2021"},
        {sptDate, "yyyy-MM-dd", '-', "2021-01-31", 0, Qt::Key_Up, "2022-01-31"},
        {sptDate, "yyyy-MM-dd", '-', "2021-01-31", 5, Qt::Key_Up, "2021-02-28"},
        {sptDate, "yyyy-MM-dd", '-', "2021-01-31", 8, Qt::Key_Down, "2021-01-30"},
        {sptDate, "MM/dd/yyyy", '/', "01/31/2021", 0, Qt::Key_Up, "02/28/2021"},
        {sptDate, "MM/dd/yyyy", '/', "01/31/2021", 3, Qt::Key_Up, "02/01/2021"},
        {sptDate, nullptr, '.', "29.02.2024", 7, Qt::Key_Up, "28.02.2025"},
        {sptNormal, nullptr, '.', "10", 0, Qt::Key_PageUp, "15"}, // Increment 5
        {sptFloat, nullptr, '.', "1.5", 0, Qt::Key_PageDown, "0.5"},
        {sptFloat, nullptr, '.', "1.5", 0, Qt::Key_Up, "1.6"},
    };
    spin->IncrementMinutes = 15;
    spin->Increment = 5;
    Focus(spin);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TFormatSettings fs = edittest::TestFormatSettings();
        if (c.shortDate) {
            fs.ShortDateFormat = c.shortDate;
            fs.DateSeparator = c.separator;
        }
        SetFormatSettings(fs);
        spin->SetSpinType(c.type);
        spin->SetText(c.text);
        spin->SetSelStart(c.caret);
        Key(spin, c.key);
        EXPECT_EQ(spin->Text(), c.expected);
        if (c.type == sptDate || c.type == sptTime) {
            EXPECT_EQ(spin->SelStart(), c.caret);
        }
    }
}

TEST_F(SpinEdit, LargeTimeIncrementsStepByTheirDuration)
{
    spin->SetSpinType(sptTime);
    spin->IncrementMinutes = 90;
    spin->SetText("10:00:00");
    spin->SetSelStart(3);
    spin->StepUp(false);
    EXPECT_EQ(spin->Text(), "11:30:00");
    spin->StepDown(false);
    spin->StepDown(false);
    EXPECT_EQ(spin->Text(), "08:30:00");
}

TEST_F(SpinEdit, ReadOnlyStepBeepsAndKeepsValue)
{
    spin->SetValue(4);
    spin->SetReadOnly(true);
    spin->StepUp(false);
    EXPECT_EQ(spin->Text(), "4");
    EXPECT_EQ(BeepCount(), 1);
}

TEST_F(SpinEdit, FloatPrecisionLimitsTypedDigits)
{
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    spin->SetFloatValue(1.5);
    EXPECT_EQ(spin->Text(), "1.50");
    Focus(spin);
    spin->SetSelStart(4);
    Type(spin, "7");
    EXPECT_EQ(spin->Text(), "1.50");
    EXPECT_EQ(BeepCount(), 1);
    // Before the separator digits still go in.
    spin->SetSelStart(0);
    Type(spin, "2");
    EXPECT_EQ(spin->Text(), "21.50");

    spin->SetPrecision(0);
    EXPECT_EQ(spin->Text(), "21.5");
}

TEST_F(SpinEdit, KeyFilterByKind)
{
    struct {
        TEsgSpinType type;
        const char* text;
        int caret;
        const char* typed;
        const char* expected;
    } cases[] = {
        {sptNormal, "5", 1, "a", "5"},
        {sptNormal, "5", 1, ":", "5"},
        {sptNormal, "5", 1, ".", "5"},
        {sptNormal, "5", 0, "-", "-5"},
        {sptNormal, "-5", 0, "-", "-5"},
        {sptNormal, "5", 1, "-", "5"},
        {sptNormal, "5", 1, "\u0663", "5\u0663"}, // an Arabic-Indic digit is a number character
        {sptFloat, "1.5", 3, ".", "1.5"},
        {sptFloat, "1.5", 3, ",", "1.5"},
        {sptFloat, "15", 1, ".", "1.5"},
        {sptTime, "10:20", 5, ":", "10:20:"},
        {sptTime, "10:20:30", 8, ":", "10:20:30"},
        {sptTime, "10", 2, ".", "10"},
        {sptDate, "01", 2, ":", "01"},
    };
    Focus(spin);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " + " + c.typed);
        spin->SetSpinType(c.type);
        spin->SetText(c.text);
        spin->SetSelStart(c.caret);
        const int beeps = BeepCount();
        Type(spin, QString::fromUtf8(c.typed));
        EXPECT_EQ(spin->Text(), QString::fromUtf8(c.expected));
        EXPECT_EQ(BeepCount() - beeps, QString::fromUtf8(c.expected) == c.text ? 1 : 0);
    }
}

TEST_F(SpinEdit, DashSeparatedDatesCanBeTyped)
{
    TFormatSettings fs = edittest::TestFormatSettings();
    fs.ShortDateFormat = "yyyy-MM-dd";
    fs.DateSeparator = '-';
    SetFormatSettings(fs);
    spin->SetSpinType(sptDate);
    Focus(spin);
    spin->SetText("");
    Type(spin, "2021-03-04");
    EXPECT_EQ(spin->Text(), "2021-03-04");
    EXPECT_EQ(spin->DateValue(), EncodeDate(2021, 3, 4));
}

TEST_F(SpinEdit, DisabledEditorTakesNoTypingButSteps)
{
    spin->EditorEnabled = false;
    spin->SetValue(7);
    Focus(spin);
    spin->SetSelStart(1);
    Type(spin, "5");
    EXPECT_EQ(spin->Text(), "7");
    EXPECT_EQ(BeepCount(), 1);
    Key(spin, Qt::Key_Backspace);
    Key(spin, Qt::Key_Home);
    Key(spin, Qt::Key_Delete);
    EXPECT_EQ(spin->Text(), "7");
    QApplication::clipboard()->setText("99");
    Key(spin, Qt::Key_V, Qt::ControlModifier);
    Key(spin, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(spin->Text(), "7");

    Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), "8");
    EXPECT_EQ(spin->SelLength(), 1);
}

TEST_F(SpinEdit, EnterIsRefusedOrMovesTheFocusWithReturnIsTab)
{
    Focus(spin);
    Key(spin, Qt::Key_Return);
    EXPECT_EQ(BeepCount(), 1);
    EXPECT_EQ(QApplication::focusWidget(), spin->Widget());

    spin->ReturnIsTab = true;
    Key(spin, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), spin->Widget()); // the Tab is posted
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), other->Widget());
    EXPECT_EQ(BeepCount(), 1);
}

TEST_F(SpinEdit, KeypadDecimalTypesTheRegionalSeparator)
{
    TFormatSettings fs = edittest::TestFormatSettings();
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    SetFormatSettings(fs);
    spin->SetSpinType(sptFloat);
    spin->SetText("1");
    Focus(spin);
    spin->SetSelStart(1);
    QTest::keyClick(spin->Widget(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(spin->Text(), "1"); // "." is the thousand separator here: refused
    spin->ExcelStyleDecimalSeparator = true;
    QTest::keyClick(spin->Widget(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(spin->Text(), "1,");
    QTest::keyClick(spin->Widget(), Qt::Key_Period); // the main block's "." stays what it is
    EXPECT_EQ(spin->Text(), "1,");
}

TEST_F(SpinEdit, HeldButtonRepeatsAfterPauseThenFaster)
{
    Focus(spin);
    TExtTimerSpeedButton* up = spin->Button()->UpButton();
    QTest::mousePress(up->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_NE(up->RepeatTimer(), nullptr);
    TTimer* timer = up->RepeatTimer();
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 400u);
    EXPECT_EQ(up->State(), bsDown);
    for (int tick = 0; tick < 3; ++tick) {
        timer->OnTimer(timer);
        EXPECT_EQ(timer->Interval(), 100u);
    }
    EXPECT_EQ(spin->Value(), 3);
    QTest::mouseRelease(up->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(spin->Value(), 4);
    EXPECT_FALSE(timer->Enabled());
    // A tick after the release clicks no more.
    timer->OnTimer(timer);
    EXPECT_EQ(spin->Value(), 4);

    // The down button steps the other way; released outside it gives no final click.
    TExtTimerSpeedButton* down = spin->Button()->DownButton();
    QTest::mousePress(down->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    down->RepeatTimer()->OnTimer(down->RepeatTimer());
    QTest::mouseRelease(down->Widget(), Qt::LeftButton, {}, QPoint(-30, 3));
    EXPECT_EQ(spin->Value(), 3);
}

TEST_F(SpinEdit, ButtonPressFocusesTheEdit)
{
    Focus(other);
    QTest::mouseClick(spin->Button()->UpButton()->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), spin->Widget());
    EXPECT_EQ(spin->Value(), 1);
}

TEST_F(SpinEdit, ButtonLayoutFollowsDirection)
{
    TEsgSpinButton* pair = spin->Button();
    pair->SetBounds(0, 0, 15, 21);
    EXPECT_EQ(pair->UpButton()->BoundsRect(), TRect(0, 0, 15, 10));
    EXPECT_EQ(pair->DownButton()->BoundsRect(), TRect(0, 9, 15, 21));

    spin->SetDirection(spHorizontal);
    EXPECT_EQ(pair->Width(), 20);
    EXPECT_EQ(pair->DownButton()->Left(), 0);
    EXPECT_EQ(pair->DownButton()->Width(), 10);
    EXPECT_EQ(pair->UpButton()->Left(), 11);
    EXPECT_EQ(pair->UpButton()->ButtonDirection, bdRight);
    EXPECT_EQ(pair->DownButton()->ButtonDirection, bdLeft);
}

TEST_F(SpinEdit, ButtonLayoutInsideTheEdit)
{
    // With a border: one pixel clear of the client area's right and bottom; the text stops before it.
    EXPECT_EQ(spin->Button()->BoundsRect(), TRect(120 - 15 - 3, 2, 120 - 3, 24 - 3));
    EXPECT_EQ(spin->LineEdit()->textMargins().right(), 15 + 2);
    EXPECT_EQ(spin->LineEdit()->textMargins().left(), 0);
    spin->SetBorderStyle(bsNone);
    EXPECT_EQ(spin->Button()->BoundsRect(), TRect(120 - 15 - 1, 0, 120 - 1, 24 - 1));
    EXPECT_EQ(spin->LineEdit()->textMargins().left(), 3);
    EXPECT_EQ(spin->LineEdit()->textMargins().right(), 15 + 2 + 3);
    // Too low for the font: the edit grows back.
    spin->SetHeight(4);
    EXPECT_EQ(spin->Height(), spin->GetMinHeight());
}

TEST_F(SpinEdit, ColouredButtonsDrawTheirFaceAndArrow)
{
    TEsgSpinButton* pair = spin->Button();
    pair->ButtonColor = 0x00C08040;
    pair->ButtonColorDown = 0x000000C0;
    TExtTimerSpeedButton* up = pair->UpButton();
    QImage image = up->Widget()->grab().toImage();
    EXPECT_EQ(QColorToColor(image.pixelColor(6, 3)), clBlack);
    EXPECT_EQ(QColorToColor(image.pixelColor(1, 1)), pair->ButtonColor);

    QTest::mousePress(up->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    image = up->Widget()->grab().toImage();
    EXPECT_EQ(QColorToColor(image.pixelColor(1, 1)), pair->ButtonColorDown);
    QTest::mouseRelease(up->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
}

TEST_F(SpinEdit, DefaultGlyphsAreCentredTriangles)
{
    for (bool upward : {true, false}) {
        SCOPED_TRACE(upward);
        TBitmap glyph;
        glyph.LoadFromResourceName(upward ? "EsgSpinUp" : "EsgSpinDown");
        ASSERT_EQ(glyph.Width(), 9);
        ASSERT_EQ(glyph.Height(), 6);
        const QImage image = glyph.Image();
        const QRgb back = image.pixel(0, 5);
        std::vector<int> widths;
        for (int y = 0; y < 6; ++y) {
            int n = 0, first = -1;
            for (int x = 0; x < 9; ++x)
                if (image.pixel(x, y) != back) {
                    ++n;
                    if (first < 0)
                        first = x;
                }
            if (n) {
                EXPECT_EQ(first + n / 2, 4); // centred
            }
            widths.push_back(n);
        }
        const std::vector<int> expected =
            upward ? std::vector<int>{0, 1, 3, 5, 7, 0} : std::vector<int>{0, 7, 5, 3, 1, 0};
        EXPECT_EQ(widths, expected);
    }
    // The up button draws it keyed out on its classic face.
    const QImage face = spin->Button()->UpButton()->Widget()->grab().toImage();
    const TExtTimerSpeedButton* up = spin->Button()->UpButton();
    const int gx = (up->Width() - 9) / 2, gy = (up->Height() - 6) / 2;
    EXPECT_EQ(QColorToColor(face.pixelColor(gx + 4, gy + 1)), clBlack);
    EXPECT_NE(QColorToColor(face.pixelColor(gx, gy + 5)), TColor(0x008080));
}

TEST_F(SpinEdit, SpinTypeRewritesTheValue)
{
    spin->SetText("42");
    spin->SetSpinType(sptFloat);
    EXPECT_EQ(spin->Text(), "42");
    spin->SetFloatValue(250.25);
    EXPECT_EQ(spin->Text(), "100");
    spin->SetText("7.75");
    spin->SetSpinType(sptNormal);
    EXPECT_EQ(spin->Text(), "0"); // not an integer: the minimum
    spin->SetSpinType(sptTime);
    EXPECT_EQ(spin->Text(), "00:00:00");
    spin->ShowSeconds = false;
    spin->SetTimeValue(EncodeTime(9, 5, 0, 0));
    EXPECT_EQ(spin->Text(), "9:05");
    spin->SetSpinType(sptDate);
    spin->SetDateValue(EncodeDate(2022, 12, 24));
    EXPECT_EQ(spin->Text(), "24.12.2022");
}

} // namespace
