// Dates and times as text with the run-time library's format letters (the toolkit's, not Qt's):
// d dd (day), ddd dddd (day name), m mm (month, or minutes right after an hour), mmm mmmm (month
// name), yy yyyy (year), h hh (hour), n nn (minute), s ss (second), z zzz (millisecond), am/pm
// (12-hour clock); "/" is the date separator, ":" the time separator, text in single or double
// quotes and every other character literal. Letters are not case sensitive.
#pragma once

#include "platform/core/DateUtils.h"

#include <QString>

QString FormatDateTimeRtl(const QString& Format, TDateTime Value);
