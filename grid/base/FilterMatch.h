// The filter condition matcher: decides whether a cell value satisfies a condition typed by the
// user. The language: comparisons ">", ">=", "<", "<=" (numbers as numbers, dates in the regional
// short date order as dates, anything else as text), wildcards "*" and "?", negation "!", double
// quotes around text that holds operator characters, parentheses, and the connectives "&" (and)
// and ";", "^", "|" (or), applied strictly left to right without precedence. A leading "=" is
// ignored; blanks count only inside quotes. Filtering and search of the string grid call
// MatchFilterCondition once per row and column.
#pragma once

#include <QString>

// The whole condition. An empty condition matches only an empty value.
bool MatchFilterCondition(const QString& condition, const QString& value, bool caseSensitive);

// One part between connectives; not case sensitive means both sides upper-cased first.
bool MatchConditionPart(const QString& condition, const QString& value, bool caseSensitive);

// One part, on the texts as they are: the comparisons, then the wildcard match.
bool MatchSingleCondition(const QString& condition, const QString& value);

// ---- Helpers, shared with the grid's filtering -----------------------------------------------------

// Drops every blank that is not inside double quotes.
QString RemoveBlanksOutsideQuotes(const QString& text);

// 1-based position of the first ")" that balances the parentheses seen so far (quoted ones count
// too), 0 when there is none.
int FindClosingParen(const QString& text);

// The first character of `set` that is not inside double quotes, with its 1-based position in
// `pos`; character 0 and pos -1 when there is none.
QChar FindCharOutsideQuotes(const QString& set, const QString& text, int& pos);

// The regional decimal separator becomes ".", thousand separators are dropped, nothing else changes.
QString NormaliseNumberText(const QString& text);
