// Spreadsheet cell addresses as the grid's spreadsheet exchange writes and reads them.
#pragma once

#include <QString>

// Column letters of the 1-based column n: A .. Z, AA .. ZZ, AAA ... (empty for n < 1).
QString XLSColumnLetters(int n);
// The 1-based column of letters ("B" 2, "AB" 28); -1 when there are none or others are mixed in.
int XLSColumnNumber(const QString& Letters);
// A used-range address: "$B$2:$D$5" (cells), "$1:$3" (whole rows, columns 1 to 256), "$C$4" (one
// cell; an address without "$" is A1). Bounds that cannot be read are -1.
void ParseXLSRange(const QString& Address, int& FirstCol, int& FirstRow, int& LastCol, int& LastRow);
