#include "grid/base/NumberText.h"

#include <cmath>

bool IsNumberChar(QChar c)
{
    return c.isNumber();
}

bool IsNumberOrMinus(QChar c)
{
    return IsNumberChar(c) || c == '-';
}

bool IsNumberTextChar(QChar c)
{
    const TFormatSettings& fs = FormatSettings();
    return IsNumberChar(c) || c == fs.ThousandSeparator || c == fs.DecimalSeparator || c == 'e' || c == 'E';
}

bool IsSignedNumberTextChar(QChar c)
{
    return IsNumberTextChar(c) || c == '+' || c == '-';
}

bool IsPlainFloatChar(QChar c)
{
    return IsNumberChar(c) || c == '-' || c == '.' || c == 'e' || c == 'E' || c == '+';
}

// ---- Numbers -------------------------------------------------------------------------------------

QString NumberTextToFloatText(const QString& text)
{
    QString s = Trim(text);
    if (s.isEmpty())
        return {};
    bool negative = s.startsWith('(') && s.endsWith(')');
    int start = 0;
    while (s.size() - start >= 2 && !IsNumberTextChar(s[start])) {
        if (s[start] == '-')
            negative = true;
        ++start;
    }
    const TFormatSettings& fs = FormatSettings();
    QString result;
    for (int i = start; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == fs.ThousandSeparator)
            continue;
        if (c == fs.DecimalSeparator)
            result += '.';
        else if (IsPlainFloatChar(c))
            result += c;
        else
            break;
    }
    return negative ? '-' + result : result;
}

int NumberTextKind(const QString& text)
{
    if (text.isEmpty())
        return ntkNoNumber;
    const TFormatSettings& fs = FormatSettings();
    const auto isE = [](QChar c) { return c == 'e' || c == 'E'; };
    bool integer = true, decimal = true, exponent = true, eSeen = false;
    int minusCount = 0, decimalCount = 0, lastThousand = 0; // positions 1-based, 0 = none yet
    const int n = int(text.size());
    for (int i = 1; i <= n; ++i) {
        const QChar c = text[i - 1];
        if (!IsNumberOrMinus(c))
            integer = false;
        if (isE(c)) {
            if (eSeen)
                exponent = false;
            eSeen = true;
        }
        if (i > 1 && c == '-')
            integer = decimal = false;
        if (i == 1 && isE(c))
            exponent = false;
        if (i == n && (c == '+' || c == '-' || isE(c)))
            exponent = false;
        if (!IsNumberChar(c) && c != '-' && c != fs.ThousandSeparator && c != fs.DecimalSeparator)
            decimal = false;
        if (!IsSignedNumberTextChar(c) || c == fs.ThousandSeparator)
            exponent = false;
        if (c == fs.ThousandSeparator) {
            if (lastThousand > 0 && i - lastThousand < 4)
                decimal = false;
            lastThousand = i;
        }
        if (c == '-')
            ++minusCount;
        if (c == fs.DecimalSeparator)
            ++decimalCount;
    }
    if (integer)
        return ntkInteger;
    int kind = decimal && !eSeen ? ntkDecimal : ntkNoNumber;
    if (exponent && eSeen) {
        kind = ntkExponent;
        if (minusCount == 2) // a sign for the mantissa and one for the exponent
            minusCount = 1;
    }
    if (minusCount > 1 || decimalCount > 1)
        return ntkNoNumber;
    return kind;
}

// ---- Dates ---------------------------------------------------------------------------------------

namespace
{

// A field of a date or time: ASCII digits only, no sign, no blanks.
bool readDecimal(QStringView text, int& value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    int v = 0;
    for (QChar c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c.unicode() - '0');
    }
    value = v;
    return true;
}

// Splits "a<sep>b<sep>c" at the first two separators; c is the whole rest.
bool splitThree(QStringView text, QChar sep, QStringView& a, QStringView& b, QStringView& c)
{
    const qsizetype first = text.indexOf(sep);
    if (first < 0)
        return false;
    const qsizetype second = text.indexOf(sep, first + 1);
    if (second < 0)
        return false;
    a = text.first(first);
    b = text.sliced(first + 1, second - first - 1);
    c = text.sliced(second + 1);
    return true;
}

// Before day 0 the time of day counts away from zero (-1.25 is 29 December 1899, 06:00).
TDateTime withTimeOfDay(TDateTime date, TDateTime time)
{
    return date >= 0 ? date + time : date - time;
}

enum class DateOrder { MonthDayYear, DayMonthYear };

TDateTime parseShortDate(const QString& text, DateOrder order)
{
    const QChar sep = text.contains('/') ? QChar('/') : text.contains('.') ? QChar('.') : QChar('-');
    QStringView a, b, c;
    int first, second, year;
    if (!splitThree(text, sep, a, b, c) || !readDecimal(a, first) || !readDecimal(b, second) ||
        !readDecimal(c, year))
        return 0;
    // Two-digit years only: a written century stays as it is.
    if (year < 100)
        year += year <= 25 ? 2000 : 1900;
    return order == DateOrder::MonthDayYear ? EncodeDate(year, first, second)
                                            : EncodeDate(year, second, first);
}

} // namespace

TDateTime ParseDateMDY(const QString& text)
{
    return parseShortDate(text, DateOrder::MonthDayYear);
}

TDateTime ParseDateDMY(const QString& text)
{
    return parseShortDate(text, DateOrder::DayMonthYear);
}

bool IsDateText(const QString& text)
{
    const QChar sep = FormatSettings().DateSeparator;
    const qsizetype first = text.indexOf(sep);
    return first >= 1 && text.indexOf(sep, first + 1) >= first + 2;
}

TDateTime AddDateStep(int years, int months, int days, double step, TDateTime date)
{
    if (days != 0 && years == 0 && months == 0)
        return date + days;
    const bool onlyYears = years != 0 && months == 0 && days == 0;
    const bool onlyMonths = months != 0 && years == 0 && days == 0;
    if (!onlyYears && !onlyMonths)
        return date + step;
    int year, month, day, hour, min, sec, msec;
    DecodeDate(date, year, month, day);
    DecodeTime(date, hour, min, sec, msec);
    if (onlyYears) {
        year += years;
    } else {
        month += months;
        if (month == 0) {
            month = 12;
            --year;
        } else if (month > 12) {
            month -= 12;
            ++year;
        }
    }
    return withTimeOfDay(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

bool ParseDateTimeText(QStringView text, TDateTime& dateTime)
{
    const TFormatSettings& fs = FormatSettings();
    QStringView fields[3], rest;
    if (!splitThree(text, fs.DateSeparator, fields[0], fields[1], rest))
        return false;
    const QString& format = fs.ShortDateFormat;
    const qsizetype posD = format.indexOf('D', 0, Qt::CaseInsensitive);
    const qsizetype posM = format.indexOf('M', 0, Qt::CaseInsensitive);
    const qsizetype posY = format.indexOf('Y', 0, Qt::CaseInsensitive);
    if (posD < 0 || posM < 0 || posY < 0)
        return false;
    // Which of the three fields holds the day, the month and the year.
    const auto rank = [&](qsizetype pos) { return int(pos > posD) + int(pos > posM) + int(pos > posY); };

    rest = rest.trimmed();
    QStringView timePart;
    if (const qsizetype blank = rest.indexOf(' '); blank >= 0) {
        timePart = rest.sliced(blank).trimmed();
        rest = rest.first(blank);
    }
    fields[2] = rest;
    int values[3];
    for (int i = 0; i < 3; ++i)
        if (!readDecimal(fields[i], values[i]))
            return false;
    const int day = values[rank(posD)], month = values[rank(posM)], year = values[rank(posY)];
    if (day >= 32 || month > 12)
        return false;

    int hour = 0, min = 0, sec = 0;
    if (!timePart.isEmpty()) {
        const qsizetype colon = timePart.indexOf(fs.TimeSeparator);
        if (colon < 0 || !readDecimal(timePart.first(colon), hour) || hour > 23)
            return false;
        QStringView minutes = timePart.sliced(colon + 1);
        if (const qsizetype colon2 = minutes.indexOf(fs.TimeSeparator); colon2 >= 0) {
            if (!readDecimal(minutes.sliced(colon2 + 1), sec) || sec > 60)
                return false;
            minutes = minutes.first(colon2);
        }
        if (!readDecimal(minutes, min) || min > 59)
            return false;
    }
    TDateTime date, time;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, min, sec, 0, time))
        return false;
    dateTime = withTimeOfDay(date, time);
    return true;
}
