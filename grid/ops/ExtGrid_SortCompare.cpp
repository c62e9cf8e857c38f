// The cell comparison of the sort: the start style, the column's format hook, the automatic detection
// and the comparison rules per style, then the placement of empty texts.
//
// Only the first text decides the detected style (the second only has to hold the separator), so one
// sort may compare different pairs in different styles. A text that is not a number, compared with
// one that is, sorts after every number: the detection, which picks the alphabetic comparison when
// such a text comes first, puts it there too (digits before letters).
#include "grid/core/ExtGrid.h"

#include "grid/base/NumberText.h"
#include "platform/core/DateText.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

#include <charconv>
#include <limits>
#include <string>

namespace
{

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

template <class T> int CompareValues(T a, T b)
{
    return a > b ? 1 : (a == b ? 0 : -1);
}

bool IsNumberKind(int Kind)
{
    return Kind == ntkInteger || Kind == ntkDecimal || Kind == ntkExponent;
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The plain number conversion: the whole text, C locale - sign, digits, ".", exponent - or nothing.
bool PlainTextToFloat(QStringView t, double& Value)
{
    const qsizetype n = t.size();
    qsizetype i = 0;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    const qsizetype mantissa = i;
    int digits = 0;
    while (i < n && IsAsciiDigit(t[i]))
        ++i, ++digits;
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && IsAsciiDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
        int exponent = 0;
        while (i < n && IsAsciiDigit(t[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    if (i != n)
        return false;
    // from_chars takes no "+": the sign goes in front by hand.
    const bool negative = t[0] == QLatin1Char('-');
    char small[64];
    std::string large;
    const qsizetype len = n - mantissa;
    char* buf = small;
    if (len >= qsizetype(sizeof small)) {
        large.resize(size_t(len));
        buf = large.data();
    }
    for (qsizetype k = 0; k < len; ++k)
        buf[k] = char(t[mantissa + k].unicode());
    double v = 0;
    const auto r = std::from_chars(buf, buf + len, v);
    if (r.ec == std::errc::invalid_argument)
        return false;
    // Out of range: from_chars leaves v; the text still is a number, of a size beyond any other.
    if (r.ec == std::errc::result_out_of_range)
        v = std::numeric_limits<double>::max();
    Value = negative ? -v : v;
    return true;
}

// The first occurrence of Part removed.
void RemoveFirst(QString& t, const QString& Part)
{
    const qsizetype i = t.indexOf(Part);
    if (i >= 0)
        t.remove(i, Part.size());
}

double DateTimeValue(const QString& t)
{
    TDateTime v = 0;
    return TryStrToDateTime(t, v) ? double(v) : 0.0;
}

double TimeValue(const QString& t)
{
    TDateTime v = 0;
    return TryStrToTime(t, v) ? double(v) : 0.0;
}

template <class F> double ShortDateValue(const QString& t, F Parse)
{
    try {
        return double(Parse(t));
    } catch (const Exception&) {
        return 0.0;
    }
}

} // namespace

int TExtStringGrid::CompareCells(int ACol, int ARow1, int ARow2, bool Descending)
{
    ++Compares;
    const TSortSettings* s = FSortSettings.get();
    TSortStyle style = s->AutoFormat ? ssAutomatic : (s->IgnoreCase ? ssAlphaNoCase : ssAlphabetic);
    QString prefix;
    QString suffix;
    GetFormat(ACol, style, prefix, suffix);

    QString t1 = s->SortOnVirtualCells ? GetCellEx(ACol, ARow1) : GetGridCell(ACol, ARow1);
    QString t2 = s->SortOnVirtualCells ? GetCellEx(ACol, ARow2) : GetGridCell(ACol, ARow2);

    if (style == ssAutomatic) {
        const TCellType type = GetCellType(ACol, ARow1);
        if (type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRowCheckBox) {
            style = ssCheckBox;
        } else if (IsNumberKind(NumberTextKind(t1))) {
            style = ssNumeric;
        } else {
            style = s->IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
            const TFormatSettings& fs = FormatSettings();
            // 1-based positions as the detection counts them.
            const qsizetype len = t1.size();
            qsizetype p = t1.indexOf(fs.DateSeparator) + 1;
            if (p > 1 && p < 4 && p < len) {
                if (IsNumberChar(t1[p - 2]) && IsNumberChar(t1[p]) && t2.contains(fs.DateSeparator))
                    style = t1.contains(fs.TimeSeparator) ? ssDateTime : ssDate;
            } else {
                p = t1.indexOf(fs.TimeSeparator) + 1;
                if (p > 1 && p < 4 && p < len && IsNumberChar(t1[p - 2]) && IsNumberChar(t1[p]) &&
                    t2.contains(fs.TimeSeparator))
                    style = ssTime;
            }
        }
    }
    if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        if (IsNumberKind(NumberTextKind(t1)) && IsNumberKind(NumberTextKind(t2)))
            style = ssNumeric;
        else
            style = style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }

    int res = 0;
    switch (style) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAutomatic:
        res = Sign(QString::compare(t1, t2, Qt::CaseSensitive));
        break;
    case ssAlphaNoCase:
        t1 = UpperCase(t1);
        t2 = UpperCase(t2);
        res = Sign(QString::compare(t1, t2, Qt::CaseSensitive));
        break;
    case ssAnsiAlphaCase:
        res = Sign(AnsiCompareStr(t1, t2));
        break;
    case ssAnsiAlphaNoCase:
        res = Sign(AnsiCompareText(t1, t2));
        break;
    case ssHTML:
        t1 = GetStrippedCell(ACol, ARow1);
        t2 = GetStrippedCell(ACol, ARow2);
        res = Sign(QString::compare(t1, t2, Qt::CaseSensitive));
        break;
    case ssNumeric:
    case ssFinancial: {
        const TFormatSettings& fs = FormatSettings();
        const auto prepare = [&](QString& t) {
            if (!suffix.isEmpty())
                RemoveFirst(t, suffix);
            if (!prefix.isEmpty())
                RemoveFirst(t, prefix);
            if (style == ssFinancial)
                t.remove(fs.ThousandSeparator);
            if (fs.DecimalSeparator != QLatin1Char('.')) {
                const qsizetype i = t.indexOf(fs.DecimalSeparator);
                if (i >= 0)
                    t[i] = QLatin1Char('.');
            }
        };
        prepare(t1);
        prepare(t2);
        double v1 = 0;
        double v2 = 0;
        // A cell that shows nothing counts as 0.
        const auto convert = [&](const QString& t, int ARow, double& v) {
            if (PlainTextToFloat(t, v))
                return true;
            v = 0;
            if (t.isEmpty() && s->SortOnVirtualCells)
                return true;
            return GetCellEx(ACol, ARow).isEmpty();
        };
        const bool ok1 = convert(t1, ARow1, v1);
        const bool ok2 = convert(t2, ARow2, v2);
        if (ok1 && ok2)
            res = CompareValues(v1, v2);
        else if (ok1 != ok2)
            res = ok1 ? -1 : 1;
        break;
    }
    case ssDate:
    case ssDateTime:
        res = CompareValues(DateTimeValue(t1), DateTimeValue(t2));
        break;
    case ssTime:
        res = CompareValues(TimeValue(t1), TimeValue(t2));
        break;
    case ssShortDateEU:
        res = CompareValues(ShortDateValue(t1, ParseDateDMY), ShortDateValue(t2, ParseDateDMY));
        break;
    case ssShortDateUS:
        res = CompareValues(ShortDateValue(t1, ParseDateMDY), ShortDateValue(t2, ParseDateMDY));
        break;
    case ssCustom: {
        int r = 0;
        if (OnCustomCompare)
            OnCustomCompare(this, t1, t2, r);
        // Only the sign counts: the partition looks for exactly 1 or -1.
        res = Sign(r);
        break;
    }
    case ssRaw: {
        int r = 0;
        if (OnRawCompare)
            OnRawCompare(this, ACol, ARow1, ARow2, r);
        res = Sign(r);
        break;
    }
    case ssImages:
        res = CompareValues(GetCellImageRef(ACol, ARow1), GetCellImageRef(ACol, ARow2));
        break;
    case ssCheckBox: {
        // By display row: the pivot's copy lives in a scratch row that has no real row.
        const auto checked = [this, ACol](int ARow) {
            TCellGraphic* g = GetCellGraphic(ACol, ARow);
            if (!g)
                return false;
            switch (g->CellType()) {
            case ctCheckBox:
                return g->CellBoolean();
            case ctDataCheckBox:
            case ctVirtCheckBox: {
                QString checkTrue;
                GetCheckTrue(ACol, ARow, checkTrue);
                return GetGridCell(ACol, ARow) == checkTrue;
            }
            default: {
                bool state = false;
                GetCheckBoxState(ACol, DisplToRealRow(ARow), state);
                return state;
            }
            }
        };
        const bool c1 = checked(ARow1);
        const bool c2 = checked(ARow2);
        res = c1 == c2 ? 0 : (c1 ? 1 : -1);
        break;
    }
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase:
        break;
    }

    if (s->IgnoreBlanks && t1.isEmpty() != t2.isEmpty()) {
        const bool first = s->BlankPos == blFirst;
        // Empty texts stay at the top (blFirst) or the bottom (blLast) in both directions.
        const int emptyFirst = Descending ? 1 : -1;
        res = t1.isEmpty() == first ? emptyFirst : -emptyFirst;
    }
    return res;
}
