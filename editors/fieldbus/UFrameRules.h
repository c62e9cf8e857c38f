// What the frame tables of the fieldbus editors (CAN, J1939, NMEA 2000) share: a fault as the data
// check finds it, the rows the check reads, and the single-frame block rule of the J1939 and NMEA
// receive tables.
//
// Each editor's checks are functions over plain rows (the cell texts of rows 1 .. used, index by real
// column, index 0 the row number), so they can be read and tested apart from the grids; the form
// gathers the rows (Used_Row_Texts) and shows the first fault (Show_Frame_Fault).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class TTableEditor;

using TFrameRows = std::vector<QStringList>;

// The first fault of a check: [Lang_Text(error row text) + Row] + Lang_Text(Text) + Limit
// [+ Lang_Text(Closing)]. Row 0: a fault of the whole table, shown without the row prefix.
struct TFrameFault {
    TFrameFault(int ARow, int AText, QString ALimit = QString(), int AClosing = -1)
        : Row(ARow), Text(AText), Limit(std::move(ALimit)), Closing(AClosing)
    {
    }
    int Row = 0;
    int Text = -1;
    QString Limit;
    int Closing = -1;
    bool operator==(const TFrameFault&) const = default;
};
using TFrameCheck = std::optional<TFrameFault>;

namespace framerules
{

// The cell read as a number by the frame's one rule (StrToIntDef), -1 when it is none.
int Num(const QString& Text);
bool In(const QString& Text, int Lo, int Hi);
// "Y" exactly: the tick of a check-box column in the J1939 and NMEA tables.
bool Ticked(const QString& Text);

// Start Byte and N Byte of a receive row that is neither transport protocol nor fast packet (one
// CAN frame of 8 bytes). Both empty after trimming: the whole frame. Else both must be filled,
// Start 1..8, N 1..8 and Start + N at most 8. Texts: both compiled, start, number, sum.
struct TSingleFrameTexts {
    int Both, Start, Count, Sum;
};
TFrameCheck Check_Single_Frame(int Row, const QString& Start, const QString& Count,
                               const TSingleFrameTexts& Texts);
// Bytes a single-frame row takes in the receive image: always the whole frame, also when it captures
// only part of it (a count that can refuse a table that would fit, never accept one that overflows).
constexpr int Single_Frame_Block = 8;

} // namespace framerules

// Rows 1 .. used of table T, every real column.
TFrameRows Used_Row_Texts(TTableEditor& Form, int Table);
// The fault as a message box (error icon, OK); the row prefix is the table's error-row text.
void Show_Frame_Fault(TTableEditor& Form, int Table, const TFrameFault& Fault);
// The same message as text.
QString Frame_Fault_Text(int Error_Row_Text, const TFrameFault& Fault);
