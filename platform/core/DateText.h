// Dates and times as text, with the regional settings (FormatSettings): the short date format and
// date separator, the long time format and time separator.
//
// Format letters: d dd (day), ddd dddd (day name), M MM (month), MMM MMMM (month name), yy yyyy
// (year), h hh / H HH (hour; h is on a 12-hour clock when the format holds an AM/PM marker, H always
// on 24 hours), m mm (minute), s ss (second), z zzz (millisecond), t tt AP ap (AM/PM marker: "A"/"P",
// "AM"/"PM"); "/" is the date separator, ":" the time separator; text in single quotes ('' is a
// quote) and every other character are literal.
#pragma once

#include "platform/core/DateUtils.h"

QString FormatDateTime(const QString& Format, TDateTime Value);
// Reads the quoted text starting at Format[At] (a quote) into Literal; returns the index after it.
int ReadQuotedLiteral(const QString& Format, int At, QString& Literal);
QString DateToStr(TDateTime Value); // the short date format
QString TimeToStr(TDateTime Value); // the long time format

// The fields in the order of the short date format, split at the date separator; two fields take the
// current year; a year of one or two digits lies within 50 years of now. False for anything else.
bool TryStrToDate(const QString& Text, TDateTime& Value);
// Hour, optional minute and second (and millisecond after a "."), split at the time separator, an
// optional AM/PM marker after them. False for anything else.
bool TryStrToTime(const QString& Text, TDateTime& Value);
// A date, a time, or a date and a time separated by blanks.
bool TryStrToDateTime(const QString& Text, TDateTime& Value);
