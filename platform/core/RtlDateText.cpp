#include "platform/core/RtlDateText.h"

#include "platform/core/DateText.h"
#include "platform/core/SysUtils.h"

#include <QDate>
#include <QLocale>

namespace
{

QString Padded(int v, int width)
{
    return QString::number(v).rightJustified(width, u'0');
}

int Run(const QString& f, int at)
{
    int n = 1;
    while (at + n < f.size() && f[at + n].toLower() == f[at].toLower())
        ++n;
    return n;
}

} // namespace

QString FormatDateTimeRtl(const QString& Format, TDateTime Value)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(Value, year, month, day);
    DecodeTime(Value, hour, minute, second, msec);
    const bool twelve = Format.contains(QLatin1String("am/pm"), Qt::CaseInsensitive);
    const TFormatSettings& fs = FormatSettings();
    const QLocale locale;
    const QDate date(year, month, day);
    QString out;
    bool afterHour = false;
    for (int i = 0; i < Format.size();) {
        const QChar c = Format[i];
        const QChar lc = c.toLower();
        if (c == u'\'' || c == u'"') {
            int j = i + 1;
            while (j < Format.size() && Format[j] != c)
                out += Format[j++];
            i = j + 1;
            continue;
        }
        if (lc == u'a' && Format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += hour < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        const int n = Run(Format, i);
        int used = n;
        switch (lc.unicode()) {
        case u'd':
            used = std::min(n, 4);
            out += used == 1   ? QString::number(day)
                   : used == 2 ? Padded(day, 2)
                   : used == 3 ? locale.dayName(date.dayOfWeek(), QLocale::ShortFormat)
                               : locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            afterHour = false;
            break;
        case u'm':
            used = std::min(n, 4);
            if (afterHour && used <= 2)
                out += used == 1 ? QString::number(minute) : Padded(minute, 2);
            else
                out += used == 1   ? QString::number(month)
                       : used == 2 ? Padded(month, 2)
                       : used == 3 ? locale.monthName(month, QLocale::ShortFormat)
                                   : locale.monthName(month, QLocale::LongFormat);
            afterHour = false;
            break;
        case u'y':
            out += n >= 3 ? Padded(year, 4) : Padded(year % 100, 2);
            afterHour = false;
            break;
        case u'h': {
            used = std::min(n, 2);
            const int h = twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += used == 1 ? QString::number(h) : Padded(h, 2);
            afterHour = true;
            break;
        }
        case u'n':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(minute) : Padded(minute, 2);
            afterHour = false;
            break;
        case u's':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(second) : Padded(second, 2);
            afterHour = false;
            break;
        case u'z':
            used = n >= 3 ? 3 : 1;
            out += used == 3 ? Padded(msec, 3) : QString::number(msec);
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
