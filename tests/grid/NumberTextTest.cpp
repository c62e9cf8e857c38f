#include "grid/base/NumberText.h"
#include "RegionalRecord.h"

#include <QDate>
#include <gtest/gtest.h>
#include <optional>

namespace
{

const RegionalRecord DotThousands{'.', ',', '/', ':', "dd/mm/yyyy"};

TDateTime day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

TEST(NumberText, CharacterClassesFollowTheRecord)
{
    RegionalScope scope(DotThousands);
    struct Case {
        char16_t c;
        bool number, numberText, signedText, plainFloat;
    };
    const Case cases[] = {
        {u'7', true, true, true, true},      {u'\u0663', true, true, true, true}, // Arabic-Indic 3
        {u'\u2167', true, true, true, true}, {u'\u00BD', true, true, true, true}, // Roman 8, one half
        {u'.', false, true, true, true},     {u',', false, true, true, false},
        {u'e', false, true, true, true},     {u'E', false, true, true, true},
        {u'-', false, false, true, true},    {u'+', false, false, true, true},
        {u'a', false, false, false, false},  {u'$', false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << int(c.c));
        EXPECT_EQ(IsNumberChar(QChar(c.c)), c.number);
        EXPECT_EQ(IsNumberOrMinus(QChar(c.c)), c.number || c.c == u'-');
        EXPECT_EQ(IsNumberTextChar(QChar(c.c)), c.numberText);
        EXPECT_EQ(IsSignedNumberTextChar(QChar(c.c)), c.signedText);
        EXPECT_EQ(IsPlainFloatChar(QChar(c.c)), c.plainFloat);
    }
}

TEST(NumberText, FormattedNumbersReduceToFloatText)
{
    struct Case {
        RegionalRecord record;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {DefaultRecord, "$ -1,234.50", "-1234.50"},
        {DefaultRecord, "(12)", "-12"},
        {DefaultRecord, "12 kg", "12"},
        {DefaultRecord, "(1,234.5)", "-1234.5"},
        {DefaultRecord, " (5) ", "-5"},
        {DefaultRecord, "abc", ""},
        {DefaultRecord, "EUR 12", "E"},
        {DefaultRecord, "--5", "-5"},
        {DefaultRecord, "1.5e-3", "1.5e-3"},
        {DefaultRecord, "", ""},
        {DefaultRecord, " \t ", ""},
        {DefaultRecord, "\t42\r\n", "42"},
        {DefaultRecord, "(x)", "-"},
        {DefaultRecord, "5", "5"},
        {DotThousands, "1.234,5 €", "1234.5"},
        {DotThousands, "€ 1.234.567,89", "1234567.89"},
        {DotThousands, "1,5", "1.5"},
    };
    for (const auto& c : cases) {
        RegionalScope scope(c.record);
        EXPECT_EQ(NumberTextToFloatText(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected))
            << c.text << " with thousand " << c.record.thousand;
    }
}

TEST(NumberText, KindOfText)
{
    struct Case {
        RegionalRecord record;
        const char* text;
        int kind;
    };
    const Case cases[] = {
        {DefaultRecord, "123", ntkInteger},       {DefaultRecord, "-7", ntkInteger},
        {DefaultRecord, "-", ntkInteger},         {DefaultRecord, "1,234.5", ntkDecimal},
        {DefaultRecord, "1,234,567", ntkDecimal}, {DefaultRecord, "1,23,4", ntkNoNumber},
        {DefaultRecord, "1.5e-3", ntkExponent},   {DefaultRecord, "-1.5e-3", ntkExponent},
        {DefaultRecord, "1e5", ntkExponent},      {DefaultRecord, "1E+5", ntkExponent},
        {DefaultRecord, "1e5e3", ntkNoNumber},    {DefaultRecord, "e5", ntkNoNumber},
        {DefaultRecord, "5e", ntkNoNumber},       {DefaultRecord, "1.2.3", ntkNoNumber},
        {DefaultRecord, "", ntkNoNumber},         {DefaultRecord, "+5", ntkNoNumber},
        {DefaultRecord, "5-", ntkNoNumber},       {DefaultRecord, "--5", ntkNoNumber},
        {DefaultRecord, "-.5", ntkDecimal},       {DefaultRecord, "1,5e3", ntkNoNumber},
        {DefaultRecord, "12a", ntkNoNumber},      {DotThousands, "1.234,5", ntkDecimal},
        {DotThousands, "1.23.4", ntkNoNumber},   {DotThousands, "1,5,5", ntkNoNumber},
    };
    for (const auto& c : cases) {
        RegionalScope scope(c.record);
        EXPECT_EQ(NumberTextKind(c.text), c.kind) << c.text << " with decimal " << c.record.decimal;
    }
}

TEST(DateText, ShortDatesInBothOrders)
{
    struct Case {
        bool monthFirst;
        const char* text;
        TDateTime expected;
    };
    const Case cases[] = {
        {true, "12/31/99", day(1999, 12, 31)},
        {true, "1/2/25", day(2025, 1, 2)},
        {true, "1/2/26", day(1926, 1, 2)},
        {true, "1/2/00", day(2000, 1, 2)},
        {false, "3-4-05", day(2005, 4, 3)},
        {false, "31.12.2024", day(2024, 12, 31)},
        {false, "1.2.1999", day(1999, 2, 1)},
        {false, "5/6/100", day(100, 6, 5)},
        {false, "abc", 0},
        {false, "1/2", 0},
        {false, "a/2/3", 0},
        {true, "1/2/", 0},
        {true, "1/2/99 10:30", 0},
        {true, "-1/2/99", 0},
        {false, "1.2/3.4", 0}, // "/" wins, splitting into "1.2", "3.4" and nothing
    };
    for (const auto& c : cases) {
        RegionalScope scope(DefaultRecord);
        EXPECT_EQ(c.monthFirst ? ParseDateMDY(c.text) : ParseDateDMY(c.text), c.expected)
            << c.text << (c.monthFirst ? " MDY" : " DMY");
    }
}

TEST(DateText, ImpossibleShortDateRaisesTheDateError)
{
    const char* impossible[] = {"13/1/99", "2/30/2024", "0/1/99"};
    for (const char* text : impossible) {
        try {
            ParseDateMDY(text);
            ADD_FAILURE() << text << ": no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "Invalid argument to date encode") << text;
        }
    }
    EXPECT_THROW(ParseDateDMY("31.4.2024"), EConvertError);
}

TEST(DateText, LooksLikeADate)
{
    struct Case {
        RegionalRecord record;
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {DefaultRecord, "1/2/3", true},  {DefaultRecord, "/1/2", false},      {DefaultRecord, "1//2", false},
        {DefaultRecord, "12/5", false},  {DefaultRecord, "31/12/2024", true}, {DefaultRecord, "", false},
        {DefaultRecord, "1.2.3", false}, {EuroRecord, "1.2.3", true},         {EuroRecord, "1/2/3", false},
    };
    for (const auto& c : cases) {
        RegionalScope scope(c.record);
        EXPECT_EQ(IsDateText(c.text), c.expected) << c.text << " with separator " << c.record.date;
    }
}

TEST(DateText, DateSteps)
{
    struct Case {
        int years, months, days;
        double step;
        TDateTime from;
        std::optional<TDateTime> to; // none: the date error
    };
    const Case cases[] = {
        {0, 0, 5, 0, day(2024, 2, 27), day(2024, 3, 3)},
        {0, -1, 0, 0, day(2024, 1, 15), day(2023, 12, 15)},
        {0, 1, 0, 0, day(2024, 1, 31), std::nullopt},
        {1, 0, 0, 0, day(2024, 3, 10), day(2025, 3, 10)},
        {1, 1, 0, 7, day(2024, 1, 1), day(2024, 1, 8)},
        {0, 1, 0, 0, day(2024, 12, 15), day(2025, 1, 15)},
        {0, 3, 0, 0, day(2024, 11, 15), day(2025, 2, 15)},
        {0, -2, 0, 0, day(2024, 1, 15), std::nullopt}, // one wrap only
        {1, 0, 0, 0, day(2024, 2, 29), std::nullopt},
        {0, 0, 0, 0.5, day(2024, 1, 1), day(2024, 1, 1) + 0.5},
        {0, 0, -1, 0, day(2024, 3, 1), day(2024, 2, 29)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.years << "y " << c.months << "m " << c.days << "d from " << c.from);
        if (c.to) {
            EXPECT_EQ(AddDateStep(c.years, c.months, c.days, c.step, c.from), *c.to);
        } else {
            EXPECT_THROW(AddDateStep(c.years, c.months, c.days, c.step, c.from), EConvertError);
        }
    }
    const TDateTime evening = EncodeTime(18, 45, 0, 0);
    EXPECT_DOUBLE_EQ(AddDateStep(0, 1, 0, 0, day(2024, 5, 3) + evening), day(2024, 6, 3) + evening);
    EXPECT_DOUBLE_EQ(AddDateStep(2, 0, 0, 0, day(2024, 5, 3) + evening), day(2026, 5, 3) + evening);
}

TEST(DateText, DateAndTimeInTheShortDateOrder)
{
    struct Case {
        RegionalRecord record;
        const char* text;
        std::optional<TDateTime> expected;
    };
    const TDateTime newYearsEve = day(2024, 12, 31);
    const Case cases[] = {
        {DefaultRecord, "31/12/2024 10:30", newYearsEve + EncodeTime(10, 30, 0, 0)},
        {DefaultRecord, "31/12/2024 10:30:15", newYearsEve + EncodeTime(10, 30, 15, 0)},
        {DefaultRecord, "31/12/2024", newYearsEve},
        {DefaultRecord, " 31/12/2024 ", std::nullopt}, // the first field must be a plain number
        {DefaultRecord, "31/12/2024  23:59", newYearsEve + EncodeTime(23, 59, 0, 0)},
        {DefaultRecord, "31/12/2024 10", std::nullopt},
        {DefaultRecord, "32/12/2024", std::nullopt},
        {DefaultRecord, "31/13/2024", std::nullopt},
        {DefaultRecord, "31/02/2024", std::nullopt},
        {DefaultRecord, "31/12/2024 10:59:60", std::nullopt},
        {DefaultRecord, "31/12/2024 24:00", std::nullopt},
        {DefaultRecord, "31/12/2024 10:60", std::nullopt},
        {DefaultRecord, "31/12/2024 1a:00", std::nullopt},
        {DefaultRecord, "31/12/2024 10:30:1.5", std::nullopt},
        {DefaultRecord, "31/12", std::nullopt},
        {DefaultRecord, "31/12/x", std::nullopt},
        {DefaultRecord, "1/1/24", day(24, 1, 1)}, // the year as written
        {DefaultRecord, "1/1/0", std::nullopt},
        {DefaultRecord, "1/1/1899 06:00", day(1899, 1, 1) - 0.25},
        {UsRecord, "12/31/2024 23:59:59", newYearsEve + EncodeTime(23, 59, 59, 0)},
        {UsRecord, "31/12/2024", std::nullopt},
        {EuroRecord, "31.12.2024 10:30", newYearsEve + EncodeTime(10, 30, 0, 0)},
        {RegionalRecord{',', '.', '-', '.', "yyyy-MM-dd"}, "2024-12-31 10.30",
         newYearsEve + EncodeTime(10, 30, 0, 0)},
        {RegionalRecord{',', '.', '-', '.', "yyyy-MM-dd"}, "2024-12-31 10:30", std::nullopt},
        {RegionalRecord{',', '.', '/', ':', "MM/yyyy"}, "12/31/2024", std::nullopt},
    };
    for (const auto& c : cases) {
        RegionalScope scope(c.record);
        TDateTime result = -12345;
        const bool ok = ParseDateTimeText(c.text, result);
        EXPECT_EQ(ok, c.expected.has_value()) << c.text << " in " << c.record.shortDate;
        // Nothing is written on failure.
        EXPECT_DOUBLE_EQ(result, c.expected.value_or(-12345)) << c.text << " in " << c.record.shortDate;
    }
}

} // namespace
