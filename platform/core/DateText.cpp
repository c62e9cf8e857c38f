// Formatting and reading dates and times with the regional settings.
#include "platform/core/DateText.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace
{

bool HasAmPmMarker(const QString& format)
{
    bool quoted = false;
    for (int i = 0; i < format.length(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u't' || ((c == u'A' || c == u'a') && i + 1 < format.length() &&
                                           (format[i + 1] == u'P' || format[i + 1] == u'p'))))
            return true;
    }
    return false;
}

int RunLength(const QString& format, int i)
{
    int n = 1;
    while (i + n < format.length() && format[i + n] == format[i])
        ++n;
    return n;
}

QString Padded(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

// Whole number of at most `maxDigits` digits; false for anything else.
bool ReadNumber(const QString& text, int maxDigits, int& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.length() > maxDigits)
        return false;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    value = t.toInt();
    return true;
}

int FullYear(int year, int digits)
{
    if (digits > 2)
        return year;
    int nowYear = 0, m = 0, d = 0;
    DecodeDate(Now(), nowYear, m, d);
    int full = nowYear / 100 * 100 + year;
    if (full > nowYear + 50)
        full -= 100;
    else if (full <= nowYear - 50)
        full += 100;
    return full;
}

} // namespace

int ReadQuotedLiteral(const QString& Format, int At, QString& Literal)
{
    // '' right away is one quote; inside quoted text '' is a quote too.
    if (At + 1 < Format.length() && Format[At + 1] == u'\'') {
        Literal += u'\'';
        return At + 2;
    }
    int j = At + 1;
    while (j < Format.length()) {
        if (Format[j] == u'\'') {
            if (j + 1 < Format.length() && Format[j + 1] == u'\'') {
                Literal += u'\'';
                j += 2;
                continue;
            }
            return j + 1;
        }
        Literal += Format[j++];
    }
    return j;
}

QString FormatDateTime(const QString& Format, TDateTime Value)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(Value, year, month, day);
    DecodeTime(Value, hour, minute, second, msec);
    const bool twelveHours = HasAmPmMarker(Format);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const TFormatSettings& fs = FormatSettings();
    const QLocale locale;
    const QDate date(year, month, day);

    QString out;
    for (int i = 0; i < Format.length();) {
        const QChar c = Format[i];
        const int n = RunLength(Format, i);
        if (c == u'\'') {
            i = ReadQuotedLiteral(Format, i, out);
            continue;
        }
        int used = n;
        switch (c.unicode()) {
        case u'd':
            used = std::min(n, 4);
            out += used == 1   ? QString::number(day)
                   : used == 2 ? Padded(day, 2)
                   : used == 3 ? locale.dayName(date.dayOfWeek(), QLocale::ShortFormat)
                               : locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            break;
        case u'M':
            used = std::min(n, 4);
            out += used == 1   ? QString::number(month)
                   : used == 2 ? Padded(month, 2)
                   : used == 3 ? locale.monthName(month, QLocale::ShortFormat)
                               : locale.monthName(month, QLocale::LongFormat);
            break;
        case u'y':
            out += n >= 3 ? Padded(year, 4) : Padded(year % 100, 2);
            break;
        case u'h':
        case u'H': {
            used = std::min(n, 2);
            const int h = (c == u'h' && twelveHours) ? hour12 : hour;
            out += used == 1 ? QString::number(h) : Padded(h, 2);
            break;
        }
        case u'm':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(minute) : Padded(minute, 2);
            break;
        case u's':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(second) : Padded(second, 2);
            break;
        case u'z':
            used = n >= 3 ? 3 : 1;
            out += used == 3 ? Padded(msec, 3) : QString::number(msec);
            break;
        case u't':
            used = std::min(n, 2);
            out += (hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM")).left(used);
            break;
        case u'A':
        case u'a':
            if (i + 1 < Format.length() && (Format[i + 1] == u'P' || Format[i + 1] == u'p')) {
                const QString marker = hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
                out += c == u'a' ? marker.toLower() : marker;
                used = 2;
            } else {
                out += c;
                used = 1;
            }
            break;
        case u'/':
            out += fs.DateSeparator;
            used = 1;
            break;
        case u':':
            out += fs.TimeSeparator;
            used = 1;
            break;
        default:
            out += c;
            used = 1;
            break;
        }
        i += used;
    }
    return out;
}

QString DateToStr(TDateTime Value)
{
    return FormatDateTime(FormatSettings().ShortDateFormat, Value);
}

QString TimeToStr(TDateTime Value)
{
    return FormatDateTime(FormatSettings().LongTimeFormat, Value);
}

bool TryStrToDate(const QString& Text, TDateTime& Value)
{
    const TFormatSettings& fs = FormatSettings();
    const QStringList parts = Text.trimmed().split(fs.DateSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return false;

    // Field order from the format; a format missing a letter keeps day, month, year.
    const QString format = fs.ShortDateFormat.toUpper();
    struct Field {
        int at;
        char kind;
    };
    std::vector<Field> order = {
        {int(format.indexOf(u'D')), 'd'}, {int(format.indexOf(u'M')), 'm'}, {int(format.indexOf(u'Y')), 'y'}};
    for (Field& f : order)
        if (f.at < 0)
            f.at = 1000 + (f.kind == 'd' ? 0 : f.kind == 'm' ? 1 : 2);
    std::sort(order.begin(), order.end(), [](const Field& a, const Field& b) { return a.at < b.at; });
    if (parts.size() == 2)
        order.erase(std::remove_if(order.begin(), order.end(), [](const Field& f) { return f.kind == 'y'; }),
                    order.end());

    int year = 0, month = 0, day = 0, nowMonth = 0, nowDay = 0;
    DecodeDate(Now(), year, nowMonth, nowDay);
    for (size_t i = 0; i < order.size(); ++i) {
        int number = 0;
        if (!ReadNumber(parts[int(i)], order[i].kind == 'y' ? 4 : 2, number))
            return false;
        if (order[i].kind == 'd')
            day = number;
        else if (order[i].kind == 'm')
            month = number;
        else
            year = FullYear(number, int(parts[int(i)].trimmed().length()));
    }
    return TryEncodeDate(year, month, day, Value);
}

bool TryStrToTime(const QString& Text, TDateTime& Value)
{
    QString text = Text.trimmed();
    int shift = -1; // no marker; 0 = AM, 12 = PM
    const QString upper = text.toUpper();
    for (const auto& [marker, hours] : {std::pair{"AM", 0}, {"PM", 12}, {"A", 0}, {"P", 12}}) {
        if (upper.endsWith(QLatin1String(marker))) {
            shift = hours;
            text = text.left(text.length() - int(qstrlen(marker))).trimmed();
            break;
        }
    }
    const QStringList parts = text.split(FormatSettings().TimeSeparator);
    if (parts.isEmpty() || parts.size() > 3)
        return false;
    int values[3] = {0, 0, 0};
    int msec = 0;
    for (int i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        if (i == 2 && part.contains(u'.')) {
            const QString fraction = part.mid(part.indexOf(u'.') + 1);
            if (!ReadNumber(fraction, 3, msec))
                return false;
            msec *= fraction.trimmed().length() == 1 ? 100 : fraction.trimmed().length() == 2 ? 10 : 1;
            part = part.left(part.indexOf(u'.'));
        }
        if (!ReadNumber(part, 2, values[i]))
            return false;
    }
    int hour = values[0];
    if (shift >= 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + shift;
    }
    return TryEncodeTime(hour, values[1], values[2], msec, Value);
}

bool TryStrToDateTime(const QString& Text, TDateTime& Value)
{
    const QString text = Text.trimmed();
    const int blank = text.indexOf(u' ');
    if (blank < 0) {
        if (TryStrToDate(text, Value))
            return true;
        return TryStrToTime(text, Value);
    }
    TDateTime date = 0, time = 0;
    if (!TryStrToDate(text.left(blank), date) || !TryStrToTime(text.mid(blank + 1), time))
        return false;
    Value = date < 0 ? date - time : date + time;
    return true;
}
