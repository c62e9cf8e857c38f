#include "platform/core/DateUtils.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace
{

// Day 0 of TDateTime, counted in the civil-day numbering below (days since 1 March 0000).
constexpr int64_t DayZero = 693899;

// Days since 1 March of year 0 in the proleptic Gregorian calendar; March first puts the leap
// day at the end of the cycle.
int64_t civilToDays(int year, int month, int day)
{
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400; // y >= 0 for years 1..9999
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12; // March = 0
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return int64_t(era) * 146097 + doe;
}

void daysToCivil(int64_t days, int& year, int& month, int& day)
{
    const int64_t era = days / 146097; // days >= 0 inside the supported range
    const int doe = int(days - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = int(era * 400 + yoe + (month <= 2 ? 1 : 0));
}

// Splits a TDateTime into its day number and the milliseconds of the day, carrying a time that
// rounds up to a whole day into the next day. False outside the supported range.
bool splitDateTime(TDateTime value, int64_t& dayNumber, int64_t& msOfDay)
{
    if (!std::isfinite(value) || value < MinDateTime || value >= std::trunc(MaxDateTime) + 1)
        return false;
    const double whole = std::trunc(value);
    dayNumber = int64_t(whole);
    msOfDay = std::llround(std::fabs(value - whole) * double(MSecsPerDay));
    if (msOfDay >= MSecsPerDay) {
        msOfDay -= MSecsPerDay;
        ++dayNumber;
    }
    return true;
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return Days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int DaysInMonth(TDateTime date)
{
    int year, month, day;
    DecodeDate(date, year, month, day);
    return DaysInAMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
    if (year < 1 || year > 9999 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    date = double(civilToDays(year, month, day) - DayZero);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid argument to date encode");
    return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time)
{
    if (hour < 0 || hour >= HoursPerDay || min < 0 || min >= MinsPerHour || sec < 0 || sec >= SecsPerMin ||
        msec < 0 || msec >= MSecsPerSec)
        return false;
    const int64_t ms = ((int64_t(hour) * MinsPerHour + min) * SecsPerMin + sec) * MSecsPerSec + msec;
    time = double(ms) / double(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime time;
    if (!TryEncodeTime(hour, min, sec, msec, time))
        throw EConvertError("Invalid argument to time encode");
    return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day)
{
    int64_t dayNumber, ms;
    if (!splitDateTime(date, dayNumber, ms)) {
        year = month = day = 0;
        return;
    }
    daysToCivil(dayNumber + DayZero, year, month, day);
    if (year > 9999) // 23:59:59.9995 on the last day rounds past the range
        year = month = day = 0;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec)
{
    int64_t dayNumber, ms;
    if (!splitDateTime(time, dayNumber, ms))
        ms = 0;
    msec = int(ms % MSecsPerSec);
    ms /= MSecsPerSec;
    sec = int(ms % SecsPerMin);
    ms /= SecsPerMin;
    min = int(ms % MinsPerHour);
    hour = int(ms / MinsPerHour);
}

TDateTime IncMonth(TDateTime date, int months)
{
    int64_t dayNumber, ms;
    if (!splitDateTime(date, dayNumber, ms))
        throw EConvertError("Invalid argument to date encode");
    int year, month, day;
    daysToCivil(dayNumber + DayZero, year, month, day);
    const int64_t total = int64_t(year) * 12 + (month - 1) + months;
    if (total < 12 || total >= 10000 * 12)
        throw EConvertError("Invalid argument to date encode");
    const int newYear = int(total / 12);
    const int newMonth = int(total % 12) + 1;
    const TDateTime newDate = EncodeDate(newYear, newMonth, std::min(day, DaysInAMonth(newYear, newMonth)));
    const double time = double(ms) / double(MSecsPerDay);
    return newDate >= 0 ? newDate + time : newDate - time;
}

TDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return EncodeDate(d.year(), d.month(), d.day()) + EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

TDateTime Date()
{
    return std::trunc(Now());
}
