// The data checks of the three CANopen editors as functions over rows: each table's steps in their
// order, the first fault only, and the addresses checked only up to the row's size. Rows are written
// by real column (index 0, the row number, unread).
#include "editors/canopen/UCANopen_Tables.h"

#include <gtest/gtest.h>

namespace
{

using namespace canopen;

inline void PrintTo(const TFrameFault& f, std::ostream* os)
{
    *os << "{row " << f.Row << ", text " << f.Text << ", limit \"" << f.Limit.toStdString() << "\"}";
}

// A row of `cols` real columns: `base` from column 1 on, then `cells` (column, text) over it.
QStringList Row(int cols, const QStringList& base,
                std::initializer_list<std::pair<int, const char*>> cells = {})
{
    QStringList row{"1"};
    for (int c = 1; c < cols; ++c)
        row << base.value(c - 1);
    for (const auto& [c, text] : cells)
        row[c] = QString::fromUtf8(text);
    return row;
}

struct TCase {
    QStringList row;
    TFrameCheck fault;
};

void Expect_Cases(std::span<const TCheckStep> steps, const std::vector<TCase>& cases)
{
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i << ": " << cases[i].row.join('|').toStdString());
        EXPECT_EQ(Check_Rows(steps, {cases[i].row}, Image_Bytes), cases[i].fault);
    }
}

const TFrameFault Fault(int text, const char* limit = "")
{
    return TFrameFault{1, text, QString::fromLatin1(limit)};
}

// COB-ID, Dimension, Add B1 .. B8, TimeOut / Send Time, [On Change,] Mnemonic.
const QStringList PDO_Row = {"0x181", "1", "0", "", "", "", "", "", "", "", "0", "", ""};

TEST(CANopenChecks, PDOTablesInTheirOrder)
{
    const std::vector<TCase> receive = {
        {Row(13, PDO_Row, {{1, "0x7FF"}}), std::nullopt},
        {Row(13, PDO_Row, {{1, "$7FF"}}), std::nullopt},
        {Row(13, PDO_Row, {{1, "2047"}}), std::nullopt},
        {Row(13, PDO_Row, {{1, "0x800"}}), Fault(2669)},
        {Row(13, PDO_Row, {{1, "2048"}}), Fault(2669)},
        {Row(13, PDO_Row, {{1, "7FF"}}), Fault(2669)},
        // The first fault only: a bad COB-ID hides a bad dimension.
        {Row(13, PDO_Row, {{1, "-1"}, {2, "9"}}), Fault(2669)},
        {Row(13, PDO_Row, {{2, "0"}}), Fault(2670)},
        {Row(13, PDO_Row, {{2, "9"}}), Fault(2670)},
        // Dimension 3: bytes 4 .. 8 hold anything.
        {Row(13, PDO_Row, {{2, "3"}, {4, "1499"}, {5, "7"}, {6, "x"}, {10, "99999"}}), std::nullopt},
        {Row(13, PDO_Row, {{2, "3"}, {4, "0"}, {5, ""}}), Fault(2673, "1499")},
        {Row(13, PDO_Row, {{3, "1500"}}), Fault(2671, "1499")},
        {Row(13, PDO_Row, {{2, "8"}, {4, "1"}, {5, "1"}, {6, "1"}, {7, "1"}, {8, "1"}, {9, "1"}, {10, "-1"}}),
         Fault(2678, "1499")},
        {Row(13, PDO_Row, {{11, ""}}), Fault(2679)},
        {Row(13, PDO_Row, {{11, "65535"}}), std::nullopt},
        {Row(13, PDO_Row, {{11, "65536"}}), Fault(2679)},
    };
    Expect_Cases(PDO_Checks.First, receive);

    const std::vector<TCase> transmit = {
        {Row(14, PDO_Row, {{1, "0x800"}}), Fault(2680)},
        {Row(14, PDO_Row, {{1, "2048"}}), Fault(2680)},
        {Row(14, PDO_Row, {{1, "7FF"}}), Fault(2680)},
        {Row(14, PDO_Row, {{2, ""}}), Fault(2681)},
        {Row(14, PDO_Row, {{2, "2"}, {4, "1500"}}), Fault(2683, "1499")},
        {Row(14, PDO_Row, {{11, "100000000"}}), std::nullopt},
        {Row(14, PDO_Row, {{11, "100000001"}}), Fault(2690)},
        // On Change and Mnemonic are not checked.
        {Row(14, PDO_Row, {{12, "?"}, {13, "anything"}}), std::nullopt},
    };
    Expect_Cases(PDO_Checks.Second, transmit);
}

// ID Device, Index, SubIndex, N Byte, Poll Time, Add Byte1 .. 4, TimeOut (read) / the write table's
// On Change comes after Poll Time, so its addresses start one column later.
const QStringList Client_Read_Row = {"1", "0x1000", "0", "1", "100", "0", "", "", "", "0", ""};
const QStringList Client_Write_Row = {"1", "0x1000", "0", "1", "100", "", "0", "", "", "", ""};

TEST(CANopenChecks, SDOClientTablesInTheirOrder)
{
    const std::vector<TCase> read = {
        {Row(12, Client_Read_Row, {{1, "0"}}), Fault(2761)},
        {Row(12, Client_Read_Row, {{1, "128"}}), Fault(2761)},
        {Row(12, Client_Read_Row, {{1, "127"}}), std::nullopt},
        {Row(12, Client_Read_Row, {{2, "0x0FFF"}}), Fault(2762)},
        {Row(12, Client_Read_Row, {{2, "4096"}}), std::nullopt},
        {Row(12, Client_Read_Row, {{2, "0xFFFF"}}), std::nullopt},
        {Row(12, Client_Read_Row, {{2, "0x10000"}}), Fault(2762)},
        {Row(12, Client_Read_Row, {{3, "0xFF"}}), std::nullopt},
        {Row(12, Client_Read_Row, {{3, "256"}}), Fault(2763)},
        {Row(12, Client_Read_Row, {{4, "3"}}), Fault(2764)},
        {Row(12, Client_Read_Row, {{4, "0"}}), Fault(2764)},
        {Row(12, Client_Read_Row, {{5, "0"}}), Fault(2765)},
        {Row(12, Client_Read_Row, {{5, "100000001"}}), Fault(2765)},
        // N Byte 2: bytes 1 and 2 checked, 3 and 4 saved as typed.
        {Row(12, Client_Read_Row, {{4, "2"}, {7, "1499"}, {8, "x"}, {9, "-5"}}), std::nullopt},
        {Row(12, Client_Read_Row, {{4, "2"}, {7, "1500"}}), Fault(2767, "1499")},
        {Row(12, Client_Read_Row, {{4, "4"}, {7, "1"}, {8, "1"}, {9, ""}}), Fault(2769, "1499")},
        {Row(12, Client_Read_Row, {{10, ""}}), Fault(2782)},
        {Row(12, Client_Read_Row, {{10, "65536"}}), Fault(2782)},
    };
    Expect_Cases(SDO_Client_Checks.First, read);

    const std::vector<TCase> write = {
        {Row(12, Client_Write_Row, {{1, "0"}}), Fault(2770)},
        {Row(12, Client_Write_Row, {{1, "128"}}), Fault(2770)},
        {Row(12, Client_Write_Row, {{2, "0x0FFF"}}), Fault(2771)},
        {Row(12, Client_Write_Row, {{3, "256"}}), Fault(2772)},
        {Row(12, Client_Write_Row, {{4, "3"}}), Fault(2773)},
        {Row(12, Client_Write_Row, {{5, "0"}}), std::nullopt},
        {Row(12, Client_Write_Row, {{5, "-1"}}), Fault(2774)},
        {Row(12, Client_Write_Row, {{4, "2"}, {8, "1500"}}), Fault(2776, "1499")},
        // The write table has no TimeOut: its column 10 is the fourth address.
        {Row(12, Client_Write_Row, {{10, "x"}}), std::nullopt},
        {Row(12, Client_Write_Row, {{4, "4"}, {8, "0"}, {9, "0"}, {10, "x"}}), Fault(2778, "1499")},
    };
    Expect_Cases(SDO_Client_Checks.Second, write);
}

// Index, SubIndex, N Byte, Add Byte1 .. 4, Mnemonic.
const QStringList Server_Row = {"0x2000", "0", "1", "0", "", "", "", ""};

TEST(CANopenChecks, SDOServerTablesInTheirOrder)
{
    const std::vector<TCase> read = {
        {Row(9, Server_Row, {{1, "0x1FFF"}}), Fault(2851)},
        {Row(9, Server_Row, {{1, "0x6000"}}), Fault(2851)},
        {Row(9, Server_Row, {{1, "8192"}}), std::nullopt},
        {Row(9, Server_Row, {{1, "$5FFF"}}), std::nullopt},
        {Row(9, Server_Row, {{2, "-1"}}), Fault(2852)},
        {Row(9, Server_Row, {{3, "8"}}), Fault(2853)},
        {Row(9, Server_Row, {{3, "1"}, {5, "x"}, {6, "x"}, {7, "x"}}), std::nullopt},
        {Row(9, Server_Row, {{3, "4"}, {5, "0"}, {6, "0"}, {7, "1500"}}), Fault(2857, "1499")},
    };
    Expect_Cases(SDO_Server_Checks.First, read);

    const std::vector<TCase> write = {
        {Row(9, Server_Row, {{1, "0x1FFF"}}), Fault(2858)},
        {Row(9, Server_Row, {{1, "0x6000"}}), Fault(2858)},
        {Row(9, Server_Row, {{2, "256"}}), Fault(2859)},
        {Row(9, Server_Row, {{3, "3"}}), Fault(2860)},
        {Row(9, Server_Row, {{3, "2"}, {5, "1500"}}), Fault(2862, "1499")},
    };
    Expect_Cases(SDO_Server_Checks.Second, write);
}

TEST(CANopenChecks, TheFirstFaultyRowIsNamed)
{
    const TFrameRows rows = {Row(9, Server_Row), Row(9, Server_Row), Row(9, Server_Row, {{3, "3"}}),
                             Row(9, Server_Row, {{1, "0"}})};
    EXPECT_EQ(Check_Rows(SDO_Server_Checks.First, rows, Image_Bytes), (TFrameFault{3, 2853}));
    // The image size gives both the range and the appended limit.
    const TFrameRows small = {Row(9, Server_Row, {{4, "10"}})};
    EXPECT_EQ(Check_Rows(SDO_Server_Checks.First, small, 10), (TFrameFault{1, 2854, "9"}));
    EXPECT_EQ(Check_Rows(SDO_Server_Checks.First, {}, Image_Bytes), std::nullopt);
}

} // namespace
