// Numbers and dates read out of cell texts with the regional settings (FormatSettings): formatted
// numbers reduced to plain float text, number kinds, two-digit-year short dates, date steps and
// date-and-time texts in the short date order. Used by the string grid's painting and editing, by
// sorting, column calculations, paste series and the filter matcher. Pure functions; only the
// short-date readers and AddDateStep raise (EConvertError, for an impossible date).
#pragma once

#include "platform/core/DateUtils.h"

#include <QString>

// ---- Character classes ---------------------------------------------------------------------------

bool IsNumberChar(QChar c); // any Unicode number: decimal digit, letter number, other number
bool IsNumberOrMinus(QChar c);
bool IsNumberTextChar(QChar c);       // number, thousand or decimal separator, "e", "E"
bool IsSignedNumberTextChar(QChar c); // the above, "+" or "-"
bool IsPlainFloatChar(QChar c);       // number, "-", ".", "e", "E", "+"

// ---- Numbers -------------------------------------------------------------------------------------

// "$ -1,234.50" gives "-1234.50", "(12)" gives "-12", "12 kg" gives "12", "abc" gives "".
// Leading characters that cannot start a number are dropped (a "-" among them makes the value
// negative), thousand separators are skipped, the decimal separator becomes "." and the first
// character that cannot be part of a float ends the text. The result is not always a number:
// "EUR 12" gives "E" and "(x)" gives "-"; callers convert it with a checked conversion.
QString NumberTextToFloatText(const QString& text);

enum : int {
    ntkInteger = 0,  // digits, "-" only first
    ntkDecimal = 1,  // one decimal separator, thousand separators at least 4 apart
    ntkNoNumber = 2, // also the empty text
    ntkExponent = 5, // with "e" or "E"
};
// A lone "-" is ntkInteger: convert only after checking for it.
int NumberTextKind(const QString& text);

// ---- Dates ---------------------------------------------------------------------------------------

// Short dates month/day/year and day/month/year; the separator is "/", else ".", else "-". A year
// below 100 gets its century: 25 or less is 20xx, else 19xx. 0 when the text is not three decimal
// numbers; an impossible date raises EConvertError "Invalid argument to date encode".
TDateTime ParseDateMDY(const QString& text);
TDateTime ParseDateDMY(const QString& text);

// True when the regional date separator occurs at position 2 or later and again at least two
// characters further on: "1/2/3" yes, "/1/2", "1//2" and "12/5" no.
bool IsDateText(const QString& text);

// The next value of a date series. Only days set: date + days; only years: the same day so many
// years later; only months: month-wise, wrapping the year once only (a step that needs a second
// wrap raises); anything else: date + step. The time of day is kept. A day the target month lacks
// raises EConvertError "Invalid argument to date encode".
TDateTime AddDateStep(int years, int months, int days, double step, TDateTime date);

// A date in the order of the regional short date format, optionally followed by a blank and
// "h:m" or "h:m:s" with the regional time separator. The year is taken as written. False for
// anything else, an impossible date or time included; `dateTime` is then left unchanged.
bool ParseDateTimeText(QStringView text, TDateTime& dateTime);
inline bool ParseDateTimeText(const QString& text, TDateTime& dateTime)
{
    return ParseDateTimeText(QStringView(text), dateTime);
}
