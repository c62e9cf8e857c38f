// Dates and times as text with the regional settings.
#include "platform/core/DateText.h"

#include <gtest/gtest.h>

namespace
{

class DateText : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TFormatSettings fs;
        fs.DateSeparator = '.';
        fs.TimeSeparator = ':';
        fs.ShortDateFormat = "dd.MM.yyyy";
        fs.LongTimeFormat = "HH:mm:ss";
        SetFormatSettings(fs);
    }
    void TearDown() override { ResetFormatSettings(); }
};

TEST_F(DateText, FormatLetters)
{
    const TDateTime v = EncodeDate(2024, 3, 7) + EncodeTime(15, 4, 9, 45);
    struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"d.M.yy", "7.3.24"},
        {"dd/MM/yyyy", "07.03.2024"}, // "/" is the date separator
        {"H:m:s", "15:4:9"},
        {"hh:mm tt", "03:04 PM"},
        {"h:mm t", "3:04 P"},
        {"HH:mm:ss.zzz", "15:04:09.045"},
        {"'at' HH 'o''clock'", "at 15 o'clock"},
        {"''", "'"},
        {"yyyy-MM-dd q", "2024-03-07 q"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(FormatDateTime(c.format, v), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(DateToStr(v), "07.03.2024");
    EXPECT_EQ(TimeToStr(v), "15:04:09");
}

TEST_F(DateText, ReadsDatesInTheOrderOfTheFormat)
{
    struct {
        const char* format;
        QChar separator;
        const char* text;
        int y, m, d; // y 0: not a date
    } cases[] = {
        {"dd.MM.yyyy", '.', "31.01.2021", 2021, 1, 31},
        {"dd.MM.yyyy", '.', " 1.2.2021 ", 2021, 2, 1},
        {"MM/dd/yyyy", '/', "01/31/2021", 2021, 1, 31},
        {"yyyy-MM-dd", '-', "2021-01-31", 2021, 1, 31},
        {"dd.MM.yyyy", '.', "31.02.2021", 0, 0, 0},
        {"dd.MM.yyyy", '.', "aa.01.2021", 0, 0, 0},
        {"dd.MM.yyyy", '.', "", 0, 0, 0},
        {"dd.MM.yyyy", '.', "1.2.3.4", 0, 0, 0},
        {"dd.MM.yyyy", '.', "29.02.2024", 2024, 2, 29},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TFormatSettings fs = FormatSettings();
        fs.ShortDateFormat = c.format;
        fs.DateSeparator = c.separator;
        SetFormatSettings(fs);
        TDateTime v = -1;
        if (c.y == 0) {
            EXPECT_FALSE(TryStrToDate(c.text, v));
            continue;
        }
        ASSERT_TRUE(TryStrToDate(c.text, v));
        EXPECT_EQ(v, EncodeDate(c.y, c.m, c.d));
    }
    // Two fields take this year.
    int year = 0, m = 0, d = 0;
    DecodeDate(Now(), year, m, d);
    TFormatSettings fs = FormatSettings();
    fs.ShortDateFormat = "dd.MM.yyyy";
    fs.DateSeparator = '.';
    SetFormatSettings(fs);
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDate("31.01", v));
    EXPECT_EQ(v, EncodeDate(year, 1, 31));
}

TEST_F(DateText, ReadsTimesAndDateTimes)
{
    struct {
        const char* text;
        bool ok;
        int h, m, s, ms;
    } cases[] = {
        {"10:20:30", true, 10, 20, 30, 0},
        {"7:05", true, 7, 5, 0, 0},
        {"12:00 AM", true, 0, 0, 0, 0},
        {"1:15 pm", true, 13, 15, 0, 0},
        {"10:20:30.5", true, 10, 20, 30, 500},
        {"24:00", false, 0, 0, 0, 0},
        {"10:60", false, 0, 0, 0, 0},
        {"13:00 PM", false, 0, 0, 0, 0},
        {"1:2:3:4", false, 0, 0, 0, 0},
        {"ab", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime v = -1;
        EXPECT_EQ(TryStrToTime(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, EncodeTime(c.h, c.m, c.s, c.ms));
        }
    }
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDateTime("31.12.2024 10:30", v));
    EXPECT_EQ(v, EncodeDate(2024, 12, 31) + EncodeTime(10, 30, 0, 0));
    EXPECT_FALSE(TryStrToDateTime("31.12.2024 25:30", v));
    ASSERT_TRUE(TryStrToDateTime("08:15", v));
    EXPECT_EQ(v, EncodeTime(8, 15, 0, 0));
}

} // namespace
