// The toolkit's date type: a TDateTime is a double counting days since 30 December 1899, the
// fraction being the time of day. Before that day the value is negative and the fraction still
// counts forward from midnight (-1.25 is 29 December 1899, 06:00). Dates run from 1 January 0001
// to 31 December 9999 in the proleptic Gregorian calendar.
//
// Parts are taken as int rather than the toolkit's Word, so a negative part is refused instead of
// wrapping into a large valid-looking one.
#pragma once

#include "platform/core/SysUtils.h"

using TDateTime = double;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerHour = 60;
inline constexpr int SecsPerMin = 60;
inline constexpr int MSecsPerSec = 1000;
inline constexpr int64_t MSecsPerDay = 86400000;
inline constexpr TDateTime MinDateTime = -693593.0;        // 1 January 0001, 00:00
inline constexpr TDateTime MaxDateTime = 2958465.99999999; // 31 December 9999, 23:59:59.999

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month); // 0 when the month is not 1..12
int DaysInMonth(TDateTime date);       // of the month `date` falls in

// Years 1..9999. EncodeDate raises EConvertError "Invalid argument to date encode".
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);

// Hour 0..23, minute and second 0..59 (a leap second 60 is refused), millisecond 0..999.
// EncodeTime raises EConvertError "Invalid argument to time encode".
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);

// The time of day is rounded to the millisecond first, so 23:59:59.9999 decodes as the next day
// at 00:00:00.000. A value outside MinDateTime..MaxDateTime (or not a number) decodes to 0/0/0
// and 00:00:00.000.
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);

// Moves by whole months keeping the time of day; the day is cut to the last day of the target
// month (31 January + 1 month = 29 February in a leap year). Raises the date error when the
// result leaves the years 1..9999.
TDateTime IncMonth(TDateTime date, int months = 1);

TDateTime Now();  // local date and time, to the millisecond
TDateTime Date(); // today, midnight
