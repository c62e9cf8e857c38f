#include "platform/core/DateUtils.h"

#include <QDate>
#include <gtest/gtest.h>

namespace
{

struct DateCase {
    int year, month, day;
    double serial;
};

// Known day numbers: the zero day, the ends of the range, leap days and a few spread between.
const DateCase KnownDates[] = {
    {1899, 12, 30, 0},       {1899, 12, 31, 1},      {1899, 12, 29, -1},    {1900, 3, 1, 61},
    {2000, 2, 29, 36585},    {2024, 1, 1, 45292},    {2024, 12, 31, 45657}, {1, 1, 1, -693593},
    {9999, 12, 31, 2958465}, {1600, 2, 29, -109512}, {1970, 1, 1, 25569},
};

TEST(DateEncode, DayNumbersRoundTrip)
{
    for (const auto& c : KnownDates) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial);
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y, c.year);
        EXPECT_EQ(m, c.month);
        EXPECT_EQ(d, c.day);
    }
}

TEST(DateEncode, EveryDayAgreesWithQDate)
{
    // Walks 1890..2110 day by day against an independent calendar.
    const QDate zero(1899, 12, 30);
    for (QDate q(1890, 1, 1); q.year() <= 2110; q = q.addDays(1)) {
        const TDateTime serial = EncodeDate(q.year(), q.month(), q.day());
        ASSERT_EQ(serial, double(zero.daysTo(q))) << q.toString(Qt::ISODate).toStdString();
        int y, m, d;
        DecodeDate(serial >= 0 ? serial + 0.75 : serial - 0.75, y, m, d); // with an evening time
        ASSERT_EQ(QDate(y, m, d), q);
    }
}

TEST(DateEncode, InvalidPartsAreRefused)
{
    const int bad[][3] = {{0, 1, 1},     {10000, 1, 1}, {2024, 0, 1},  {2024, 13, 1}, {2024, 1, 0},
                          {2024, 1, 32}, {2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, -1, 1}};
    for (const auto& b : bad) {
        SCOPED_TRACE(testing::Message() << b[0] << "-" << b[1] << "-" << b[2]);
        TDateTime out = 123;
        EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], out));
        EXPECT_EQ(out, 123);
        try {
            EncodeDate(b[0], b[1], b[2]);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "Invalid argument to date encode");
        }
    }
    TDateTime leap;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, leap));
}

TEST(TimeEncode, EncodeDecodeAndLimits)
{
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    const int good[][4] = {{0, 0, 0, 0}, {23, 59, 59, 999}, {10, 30, 15, 0}, {1, 2, 3, 4}};
    for (const auto& g : good) {
        int h, m, s, ms;
        DecodeTime(EncodeTime(g[0], g[1], g[2], g[3]) + 45292, h, m, s, ms);
        EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{g[0], g[1], g[2], g[3]}));
    }
    const int bad[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {10, 59, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& b : bad) {
        SCOPED_TRACE(testing::Message() << b[0] << ":" << b[1] << ":" << b[2] << "." << b[3]);
        TDateTime out = 7;
        EXPECT_FALSE(TryEncodeTime(b[0], b[1], b[2], b[3], out));
        EXPECT_EQ(out, 7);
        try {
            EncodeTime(b[0], b[1], b[2], b[3]);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "Invalid argument to time encode");
        }
    }
}

TEST(DateDecode, NegativeValuesCountTheTimeForward)
{
    int y, m, d, h, mi, s, ms;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, mi, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(1899, 12, 29));
    EXPECT_EQ(h, 6);
    DecodeDate(-0.5, y, m, d); // still the zero day, at noon
    DecodeTime(-0.5, h, mi, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(1899, 12, 30));
    EXPECT_EQ(h, 12);
}

TEST(DateDecode, RoundingCarriesIntoTheNextDay)
{
    const TDateTime almost = EncodeDate(2024, 12, 31) + 0.99999999999;
    int y, m, d, h, mi, s, ms;
    DecodeDate(almost, y, m, d);
    DecodeTime(almost, h, mi, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(2025, 1, 1));
    EXPECT_EQ(h * 3600000 + mi * 60000 + s * 1000 + ms, 0);
}

TEST(DateDecode, OutOfRangeGivesZeroParts)
{
    const double values[] = {MinDateTime - 1, 2958466.0, std::nan(""), HUGE_VAL};
    for (double v : values) {
        int y = 1, m = 1, d = 1, h = 1, mi = 1, s = 1, ms = 1;
        DecodeDate(v, y, m, d);
        DecodeTime(v, h, mi, s, ms);
        EXPECT_EQ((std::vector<int>{y, m, d, h, mi, s, ms}), std::vector<int>(7, 0)) << v;
    }
}

TEST(DateMonths, IncMonthCutsTheDayAndKeepsTheTime)
{
    struct Case {
        QDate from;
        int months;
        QDate to;
    };
    const Case cases[] = {
        {{2024, 1, 31}, 1, {2024, 2, 29}},    {{2023, 1, 31}, 1, {2023, 2, 28}},
        {{2024, 3, 31}, -1, {2024, 2, 29}},   {{2024, 1, 15}, -1, {2023, 12, 15}},
        {{2024, 11, 30}, 3, {2025, 2, 28}},   {{2024, 5, 10}, 0, {2024, 5, 10}},
        {{2024, 5, 10}, -29, {2021, 12, 10}}, {{2024, 5, 10}, 120, {2034, 5, 10}},
        {{1899, 12, 15}, 1, {1900, 1, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.toString(Qt::ISODate).toStdString() + " " + std::to_string(c.months));
        const TDateTime time = EncodeTime(10, 30, 0, 0);
        const TDateTime from = EncodeDate(c.from.year(), c.from.month(), c.from.day());
        const TDateTime signedFrom = from >= 0 ? from + time : from - time;
        const TDateTime to = EncodeDate(c.to.year(), c.to.month(), c.to.day());
        EXPECT_DOUBLE_EQ(IncMonth(signedFrom, c.months), to >= 0 ? to + time : to - time);
    }
    EXPECT_EQ(IncMonth(EncodeDate(2024, 6, 1)), EncodeDate(2024, 7, 1)); // one month by default
}

TEST(DateMonths, IncMonthOutOfRangeRaises)
{
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 31), -1), EConvertError);
    EXPECT_THROW(IncMonth(std::nan(""), 1), EConvertError);
    EXPECT_EQ(IncMonth(EncodeDate(1, 2, 28), -1), EncodeDate(1, 1, 28));
}

TEST(DateMonths, DaysInMonth)
{
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 4), 30);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
    EXPECT_EQ(DaysInMonth(EncodeDate(2023, 2, 10) + 0.5), 28);
}

TEST(DateNow, NowIsTheLocalClock)
{
    const QDateTime before = QDateTime::currentDateTime();
    const TDateTime now = Now();
    const QDateTime after = QDateTime::currentDateTime();
    const auto serial = [](const QDateTime& q) {
        return EncodeDate(q.date().year(), q.date().month(), q.date().day()) +
               q.time().msecsSinceStartOfDay() / 86400000.0;
    };
    EXPECT_GE(now, serial(before) - 1e-9);
    EXPECT_LE(now, serial(after) + 1e-9);
    EXPECT_EQ(Date(), std::trunc(Date()));
    EXPECT_LE(std::fabs(Date() - std::trunc(now)), 1.0); // a run across midnight may differ by one day
}

} // namespace
