// The spin edit's values: lenient readers, clamping writers, stepping and the key filter.
#include "grid/edit/EsgSpin.h"

#include <QChar>
#include <array>
#include <cmath>

namespace
{

// Equal limits mean no limit.
template <class T> T Clamp(T value, T low, T high)
{
    if (low == high)
        return value;
    return value < low ? low : value > high ? high : value;
}

template <class T> bool Outside(T value, T low, T high)
{
    return Clamp(value, low, high) != value;
}

bool IsNumberChar(char16_t key)
{
    return QChar(key).isNumber(); // decimal, letter and other numbers
}

// 1-based position of `c` in `text` after position `after` (1-based), 0 when there is none.
int PosAfter(QChar c, const QString& text, int after)
{
    const int i = text.indexOf(c, after);
    return i < 0 ? 0 : i + 1;
}

enum TDateField { dfDay, dfMonth, dfYear };

// The fields of the short date format in the order they appear.
std::array<TDateField, 3> DateFieldOrder()
{
    const QString format = FormatSettings().ShortDateFormat.toUpper();
    std::array<std::pair<int, TDateField>, 3> at = {{{int(format.indexOf('D')), dfDay},
                                                     {int(format.indexOf('M')), dfMonth},
                                                     {int(format.indexOf('Y')), dfYear}}};
    for (auto& field : at)
        if (field.first < 0)
            field.first = 1000 + field.second; // a format without the letter keeps day, month, year
    std::sort(at.begin(), at.end());
    return {at[0].second, at[1].second, at[2].second};
}

} // namespace

// ---- Readers and writers ----------------------------------------------------------------------------

int TEsgSpinEdit::Value() const
{
    const QString text = Trim(Text());
    if (text.isEmpty())
        return 0;
    int32_t value = 0;
    return TryStrToInt(text, value) ? value : MinValue;
}

void TEsgSpinEdit::SetValue(int Value)
{
    SetText(IntToStr(Clamp(Value, MinValue, MaxValue)));
    if (!EditorEnabled)
        SelectAll();
}

double TEsgSpinEdit::FloatValue() const
{
    double value = 0;
    return TryStrToFloat(Text(), value) ? value : double(MinValue);
}

void TEsgSpinEdit::SetFloatValue(double Value)
{
    const double value = Clamp(Value, MinFloatValue, MaxFloatValue);
    if (FPrecision != 0) {
        QString text = QString::number(value, 'f', std::max(0, FPrecision));
        text.replace(QLatin1Char('.'), FormatSettings().DecimalSeparator);
        SetText(text);
    } else {
        SetText(FloatToStr(value));
    }
}

TDateTime TEsgSpinEdit::DateValue() const
{
    const QString text = Text();
    if (text.isEmpty() || text == QLatin1String("0"))
        return Now();
    TDateTime value = 0;
    return TryStrToDate(text, value) ? value : MinDateValue;
}

void TEsgSpinEdit::SetDateValue(TDateTime Value)
{
    FDateValue = Value;
    if (ComponentState() & csLoading)
        return;
    FDateValue = Clamp(Value, MinDateValue, MaxDateValue);
    SetTextKeepCaret(DateToStr(FDateValue));
}

TDateTime TEsgSpinEdit::TimeValue() const
{
    TDateTime value = 0;
    return TryStrToTime(Text(), value) ? value : 0;
}

void TEsgSpinEdit::SetTimeValue(TDateTime Value)
{
    FTimeValue = Value;
    if (ComponentState() & csLoading)
        return;
    FTimeValue = Clamp(Value, MinDateValue, MaxDateValue);
    SetTextKeepCaret(TimeText(FTimeValue));
}

QString TEsgSpinEdit::TimeText(TDateTime Value) const
{
    return ShowSeconds ? TimeToStr(Value) : FormatDateTime(QStringLiteral("h:mm"), Value);
}

void TEsgSpinEdit::SetTextKeepCaret(const QString& Value)
{
    const int caret = SelStart();
    SetText(Value);
    SetSelStart(caret);
}

void TEsgSpinEdit::SetSpinType(TEsgSpinType Value)
{
    FSpinType = Value;
    switch (Value) {
    case sptNormal:
        SetValue(this->Value());
        break;
    case sptFloat:
        SetFloatValue(FloatValue());
        break;
    case sptDate:
        SetDateValue(DateValue());
        break;
    case sptTime:
        SetTimeValue(TimeValue());
        break;
    }
}

void TEsgSpinEdit::SetPrecision(int Value)
{
    FPrecision = Value;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

void TEsgSpinEdit::ClampOnExit()
{
    switch (FSpinType) {
    case sptNormal:
        if (Outside(Value(), MinValue, MaxValue))
            SetValue(Value());
        break;
    case sptFloat:
        if (Outside(FloatValue(), MinFloatValue, MaxFloatValue))
            SetFloatValue(FloatValue());
        break;
    case sptDate:
        if (Outside(DateValue(), MinDateValue, MaxDateValue))
            SetDateValue(DateValue());
        break;
    case sptTime:
        if (Outside(TimeValue(), MinDateValue, MaxDateValue))
            SetTimeValue(TimeValue());
        break;
    }
}

// ---- Stepping ---------------------------------------------------------------------------------------

void TEsgSpinEdit::StepUp(bool Page)
{
    Step(+1, Page);
}

void TEsgSpinEdit::StepDown(bool Page)
{
    Step(-1, Page);
}

void TEsgSpinEdit::Step(int Direction, bool Page)
{
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (FSpinType) {
    case sptNormal:
        SetValue(Value() + Direction * Increment);
        break;
    case sptFloat:
        SetFloatValue(FloatValue() + Direction * (Page ? IncrementFloatPage : IncrementFloat));
        break;
    case sptDate:
        StepDate(Direction);
        break;
    case sptTime:
        StepTime(Direction);
        break;
    }
}

void TEsgSpinEdit::StepDate(int Direction)
{
    const QString text = Text();
    const QChar separator = FormatSettings().DateSeparator;
    const int p1 = PosAfter(separator, text, 0);
    const int p2 = p1 ? PosAfter(separator, text, p1) : 0;
    const int caret = SelStart();
    const int field = caret < p1 ? 0 : (p1 <= caret && caret < p2) ? 1 : 2;

    const TDateTime date = DateValue();
    TDateTime result = date;
    try {
        switch (DateFieldOrder()[field]) {
        case dfDay:
            result = date + Direction;
            break;
        case dfMonth:
            result = IncMonth(date, Direction);
            break;
        case dfYear: {
            int y = 0, m = 0, d = 0;
            DecodeDate(date, y, m, d);
            // 29 February into a year without it becomes the 28th.
            d = std::min(d, DaysInAMonth(y + Direction, m));
            const double time = date - std::floor(date);
            result = EncodeDate(y + Direction, m, d) + time;
            break;
        }
        }
    } catch (const EConvertError&) {
        return; // the step would leave the years the date type holds
    }
    SetDateValue(result);
}

void TEsgSpinEdit::StepTime(int Direction)
{
    const QString text = Text();
    const QChar separator = FormatSettings().TimeSeparator;
    const int t1 = PosAfter(separator, text, 0);
    const int t2 = t1 ? PosAfter(separator, text, t1) : 0;
    const int caret = SelStart();
    // The step is the duration itself, so increments of a day, an hour or a minute and more work too.
    double step = 0;
    if (caret < t1)
        step = IncrementHours / double(HoursPerDay);
    else if (ShowSeconds && caret >= t2)
        step = IncrementSeconds / double(MSecsPerDay / MSecsPerSec);
    else
        step = IncrementMinutes / double(HoursPerDay * MinsPerHour);

    const TDateTime time = TimeValue();
    if (Direction > 0) {
        SetTimeValue(time + step);
        return;
    }
    TDateTime result = time + 1 - std::fmod(step, 1.0);
    if (result > 1)
        result -= 1;
    SetTimeValue(result);
}

// ---- Key filter -------------------------------------------------------------------------------------

bool TEsgSpinEdit::AcceptsChar(char16_t Key) const
{
    if (Key == 8)
        return EditorEnabled;

    const TFormatSettings& fs = FormatSettings();
    const QChar k(Key);
    const QChar decimal = fs.DecimalSeparator, thousand = fs.ThousandSeparator;
    const QChar timeSep = fs.TimeSeparator, dateSep = fs.DateSeparator;
    bool accept = k == decimal || k == thousand || k == timeSep || k == dateSep || IsNumberChar(Key) ||
                  Key == u'-' || (Key < 32 && Key != 13);
    if (!accept)
        return false;

    // A separator of another kind is refused unless a number kind uses the same character.
    auto sharedWithNumbers = [&](QChar sep) {
        return (FSpinType == sptNormal || FSpinType == sptFloat) &&
               (sep == decimal || sep == thousand || sep == u'-' || sep == u'+');
    };
    if (k == timeSep && FSpinType != sptTime && !sharedWithNumbers(timeSep))
        return false;
    if (k == dateSep && FSpinType != sptDate && !sharedWithNumbers(dateSep))
        return false;

    const QString text = Text();
    const int selStart = SelStart();
    const int selLength = SelLength();
    auto outsideSelection = [&](int index) { return index < selStart || index >= selStart + selLength; };
    auto holdsOutsideSelection = [&](QChar c) {
        for (int i = text.indexOf(c); i >= 0; i = text.indexOf(c, i + 1))
            if (outsideSelection(i))
                return true;
        return false;
    };

    // A minus sign leads the number; where "-" separates a date's or a time's fields it is typed freely.
    const bool minusSeparates =
        (FSpinType == sptDate && dateSep == u'-') || (FSpinType == sptTime && timeSep == u'-');
    if (Key == u'-' && !minusSeparates) {
        if (holdsOutsideSelection(QLatin1Char('-')))
            return false;
        accept = selStart == 0;
    }

    if (FSpinType == sptNormal)
        accept = accept && (IsNumberChar(Key) || Key == u'-');

    if (FSpinType == sptFloat && accept && Key != 27 && Key != 13) {
        if (k == thousand)
            return false;
        if (k == decimal && holdsOutsideSelection(decimal))
            return false;
        // At most Precision digits after the separator; control keys (copy, select all) still pass.
        const int p = int(text.indexOf(decimal)) + 1;
        if (FPrecision > 0 && Key >= 32 && p > 0 && selStart >= p && selLength == 0 &&
            text.length() >= p + FPrecision)
            return false;
    }

    if (FSpinType == sptTime && k == timeSep && text.count(timeSep) >= 2)
        return false;

    if (!EditorEnabled && Key >= 32)
        return false;
    return accept;
}
