// The data checks of the CAN, J1939 and NMEA 2000 frame tables as functions over rows, and the one
// number reading they all stand on. Rows are written by real column (index 0, the row number, unread).
#include "app/ULang.h"
#include "editors/fieldbus/UCAN_Frames.h"
#include "editors/fieldbus/UJ1939_Frames.h"
#include "editors/fieldbus/UNMEA_Frames.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

namespace
{

inline void PrintTo(const TFrameFault& f, std::ostream* os)
{
    *os << "{row " << f.Row << ", text " << f.Text << ", limit \"" << f.Limit.toStdString() << "\", closing "
        << f.Closing << "}";
}

// A row of `cols` real columns with `cells` (column, text) filled.
QStringList Row(int cols, std::initializer_list<std::pair<int, const char*>> cells)
{
    QStringList row;
    for (int c = 0; c < cols; ++c)
        row << QString();
    for (const auto& [c, text] : cells)
        row[c] = QString::fromUtf8(text);
    return row;
}

TEST(FrameNumbers, OneReadingForEveryNumberCell)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"0x7FF", 2047},
        {"$7FF", 2047},
        {"x7ff", 2047},
        {"X7FF", 2047},
        {"0X7ff", 2047},
        {"7FF", -1},
        {"12 ", -1},
        {"", -1},
        {"0x", -1},
        {"$", -1},
        {"1e3", -1},
        {"2147483648", -1},
        {"0x123456789", -1},
        {"0x000000001", 1}, // leading zeros are no overflow: the value decides

        {" 12", 12},
        {"+5", 5},
        {"-0x10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x80000000", -2147483647 - 1},
        {"0xFFFFFFFF", -1},
        {"none", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToIntDef(c.text, -1), c.value) << '"' << c.text << '"';
}

// ---- CAN -----------------------------------------------------------------------------------------------

// Receive: Enable, CobID, Type, Dimension, TimeOut, Byte1 .. Byte8, Mnemonic.
QStringList Rx(const char* cobid, const char* type, const char* dim,
               std::initializer_list<std::pair<int, const char*>> more = {})
{
    QStringList row = Row(15, {{1, "Y"}, {2, cobid}, {3, type}, {4, dim}, {5, "0"}});
    for (const auto& [c, text] : more)
        row[c] = QString::fromUtf8(text);
    return row;
}

TEST(CANFrameRules, ReceiveChecksEnabledRowsInOrder)
{
    const char* A = "2.0A (11 bits)";
    const char* B = "2.0B (29 bits)";
    const struct {
        QStringList row;
        TFrameCheck fault;
    } cases[] = {
        {Rx("2047", A, "1"), std::nullopt},
        {Rx("0x7FF", A, "1"), std::nullopt},
        {Rx("2048", A, "1"), TFrameFault{1, 2445}},
        {Rx("2048", " 2.0A (11 bits) ", "1"), TFrameFault{1, 2445}},
        {Rx("2048", B, "1"), std::nullopt},
        {Rx("2048", "", "1"), std::nullopt},
        {Rx("0x20000000", "", "1"), TFrameFault{1, 2446}},
        {Rx("7FF", B, "1"), TFrameFault{1, 2446}},
        // Dimension before any byte.
        {Rx("1", A, "0", {{6, "none"}}), TFrameFault{1, 2447}},
        {Rx("1", A, "9"), TFrameFault{1, 2447}},
        {Rx("1", A, ""), TFrameFault{1, 2447}},
        {Rx("1", A, "1", {{5, "100000001"}}), TFrameFault{1, 2448}},
        {Rx("1", A, "1", {{5, ""}}), TFrameFault{1, 2448}},
        {Rx("1", A, "2", {{8, "5000"}}), std::nullopt},
        {Rx("1", A, "3", {{8, "5000"}}), TFrameFault{1, 2452, "1999", 2450}},
        {Rx("1", A, "1", {{6, "none"}}), TFrameFault{1, 2449, "1999", 2450}},
        {Rx("1", A, "1", {{6, " None "}}), std::nullopt},
        {Rx("1", A, "8", {{6, ""}, {13, "1999"}}), std::nullopt},
        {Rx("1", A, "8", {{13, "2000"}}), TFrameFault{1, 2457, "1999", 2450}},
        {Rx("1", A, "1", {{1, "y"}, {6, "2000"}}), TFrameFault{1, 2449, "1999", 2450}},
        {Rx("99999", A, "1", {{1, "N"}}), std::nullopt},
        {Rx("99999", A, "1", {{1, ""}}), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(canframes::Check_Receive({c.row}, canframes::Receive_Image), c.fault)
            << c.row.join('|').toStdString();
}

TEST(CANFrameRules, TheFirstFaultyRowIsReportedWithItsNumber)
{
    const TFrameRows rows = {Rx("1", "", "1"), Rx("2", "", "1"), Rx("1", "", "1", {{9, "-1"}, {4, "4"}})};
    EXPECT_EQ(canframes::Check_Receive(rows, 2000), (TFrameFault{3, 2453, "1999", 2450}));
}

// Transmit: Enable, CobID, Type, Dimension, OnChange, OnCMD, OnTimer, Time, Byte1 .. Byte8, Mnemonic.
QStringList Tx(const char* on_timer, const char* time,
               std::initializer_list<std::pair<int, const char*>> more = {})
{
    QStringList row =
        Row(18, {{1, "Y"}, {2, "1"}, {3, "2.0A (11 bits)"}, {4, "1"}, {7, on_timer}, {8, time}});
    for (const auto& [c, text] : more)
        row[c] = QString::fromUtf8(text);
    return row;
}

TEST(CANFrameRules, TransmitTestsTheTimeOnlyOnTimer)
{
    const struct {
        QStringList row;
        TFrameCheck fault;
    } cases[] = {
        {Tx("Y", ""), TFrameFault{1, 2551}},
        {Tx(" y ", "100000001"), TFrameFault{1, 2551}},
        {Tx("Y", "100000000"), std::nullopt},
        {Tx("N", ""), std::nullopt},
        {Tx("", "garbage"), std::nullopt},
        {Tx("N", "", {{2, "2048"}}), TFrameFault{1, 2548}},
        {Tx("N", "", {{3, ""}, {2, "-1"}}), TFrameFault{1, 2549}},
        {Tx("N", "", {{4, "9"}}), TFrameFault{1, 2550}},
        {Tx("N", "", {{9, "2499"}}), std::nullopt},
        {Tx("N", "", {{9, "2500"}}), TFrameFault{1, 2552, "2499", 2553}},
        {Tx("N", "", {{4, "2"}, {10, "x"}}), TFrameFault{1, 2554, "2499", 2553}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(canframes::Check_Transmit({c.row}, canframes::Transmit_Image), c.fault)
            << c.row.join('|').toStdString();
}

TEST(CANFrameRules, ByteListsHoldNoneThenEveryPosition)
{
    const QStringList items = canframes::Byte_Items(2000);
    ASSERT_EQ(items.size(), 2001);
    EXPECT_EQ(items.first(), "None");
    EXPECT_EQ(items[1], "0");
    EXPECT_EQ(items.last(), "1999");
}

// ---- J1939 ---------------------------------------------------------------------------------------------

// Receive: DP, PGN, SA, TP, Start, N Byte, Cancel Data, On Request, Time(ms), Mnemonic.
QStringList J1939Rx(const char* tp, const char* start, const char* count,
                    std::initializer_list<std::pair<int, const char*>> more = {})
{
    QStringList row =
        Row(11, {{1, "0"}, {2, "65262"}, {3, "0"}, {4, tp}, {5, start}, {6, count}, {9, "1000"}});
    for (const auto& [c, text] : more)
        row[c] = QString::fromUtf8(text);
    return row;
}

TEST(J1939FrameRules, ReceiveRowChecks)
{
    const struct {
        QStringList row;
        TFrameCheck fault;
    } cases[] = {
        {J1939Rx("N", "", ""), std::nullopt},
        {J1939Rx("N", "3", ""), TFrameFault{1, 3541}},
        {J1939Rx("N", " ", "2"), TFrameFault{1, 3541}},
        {J1939Rx("N", "0", "2"), TFrameFault{1, 3542}},
        {J1939Rx("N", "1", "9"), TFrameFault{1, 3543}},
        {J1939Rx("N", "2", "7"), TFrameFault{1, 3544}},
        {J1939Rx("N", "1", "7"), std::nullopt},
        {J1939Rx("Y", "1000", "785"), std::nullopt},
        {J1939Rx("Y", "1000", "786"), TFrameFault{1, 3540}},
        {J1939Rx("Y", "1000", ""), TFrameFault{1, 3540}},
        {J1939Rx("Y", "1786", "0"), TFrameFault{1, 3539}},
        // "y" is no tick: the row is a single frame, and 1000 is no frame byte.
        {J1939Rx("y", "1000", "785"), TFrameFault{1, 3542}},
        {J1939Rx("N", "", "", {{2, "   "}}), TFrameFault{1, 3537}},
        {J1939Rx("N", "", "", {{2, "65536"}}), TFrameFault{1, 3537}},
        {J1939Rx("N", "", "", {{2, "0xFEEE"}}), std::nullopt},
        {J1939Rx("N", "", "", {{1, ""}, {2, "x"}}), TFrameFault{1, 3536}},
        {J1939Rx("N", "", "", {{1, "5"}}), std::nullopt},
        {J1939Rx("N", "", "", {{3, "240"}}), TFrameFault{1, 3538}},
        {J1939Rx("N", "", "", {{8, "Y"}, {9, "0"}}), std::nullopt},
        {J1939Rx("N", "", "", {{8, "Y"}, {9, "10000001"}}), TFrameFault{1, 3546}},
        {J1939Rx("N", "", "", {{8, "N"}, {9, ""}}), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(j1939frames::Check_Receive({c.row}, j1939frames::Receive_Image), c.fault)
            << c.row.join('|').toStdString();
}

TEST(J1939FrameRules, ReceiveTotalCountsEightBytesPerSingleFrameWholeOrPartial)
{
    for (const auto& [start, count] : {std::pair{"", ""}, std::pair{"1", "1"}}) {
        TFrameRows rows(180, J1939Rx("N", start, count));
        EXPECT_EQ(j1939frames::Check_Receive(rows, 1440), std::nullopt) << start;
        // The request time of the 181st row is looked at only after the total.
        rows.push_back(J1939Rx("N", start, count, {{8, "Y"}, {9, "-5"}}));
        EXPECT_EQ(j1939frames::Check_Receive(rows, 1440), (TFrameFault{0, 3545, "1440"})) << start;
    }
}

// Transmit: Priority, DP, PGN, SA, N Bytes, Request, Data Change, On Timer, Send Timer, Mnemonic.
QStringList J1939Tx(const char* count, std::initializer_list<std::pair<int, const char*>> more = {})
{
    QStringList row = Row(11, {{1, "6"}, {2, "0"}, {3, "0x1FFFF"}, {4, "255"}, {5, count}});
    for (const auto& [c, text] : more)
        row[c] = QString::fromUtf8(text);
    return row;
}

TEST(J1939FrameRules, TransmitChecks)
{
    const struct {
        TFrameRows rows;
        TFrameCheck fault;
    } cases[] = {
        {{J1939Tx("0")}, std::nullopt},
        {{J1939Tx("513")}, TFrameFault{1, 3640, "512"}},
        {{J1939Tx("300"), J1939Tx("300")}, TFrameFault{0, 3641, "512"}},
        {{J1939Tx("512")}, std::nullopt},
        {{J1939Tx("8", {{8, "Y"}, {9, "0"}})}, TFrameFault{1, 3642}},
        {{J1939Tx("8", {{8, "N"}, {9, "0"}})}, std::nullopt},
        {{J1939Tx("8", {{8, "Y"}, {9, "65535"}})}, std::nullopt},
        {{J1939Tx("8", {{1, "8"}})}, TFrameFault{1, 3636}},
        {{J1939Tx("8", {{2, ""}})}, TFrameFault{1, 3637}},
        {{J1939Tx("8", {{3, "0x20000"}})}, TFrameFault{1, 3638}},
        {{J1939Tx("8", {{4, "256"}})}, TFrameFault{1, 3639}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(j1939frames::Check_Transmit(c.rows, j1939frames::Transmit_Image), c.fault)
            << c.rows.front().join('|').toStdString();
}

TEST(J1939FrameRules, TheOlderSendTypeDecidesAllThreeModes)
{
    const struct {
        const char* type;
        const char* modes;
    } cases[] = {{"on timer", "NNY"}, {"ON DATA CHANGE", "NYN"}, {"on request", "NNN"}, {"", "NNN"}};
    for (const auto& c : cases) {
        QStringList texts = Row(11, {{6, "Y"}, {7, "Y"}, {8, "Y"}});
        j1939frames::Read_Legacy_Send_Type(c.type, texts);
        EXPECT_EQ(texts[6] + texts[7] + texts[8], c.modes) << c.type;
    }
}

// ---- NMEA 2000 -----------------------------------------------------------------------------------------

// Receive: PGN, SA, TP, FP, Start, N Byte, Cancel Data, Mnemonic.
QStringList NmeaRx(const char* tp, const char* fp, const char* start, const char* count)
{
    return Row(9, {{1, "0x1F801"}, {2, "0"}, {3, tp}, {4, fp}, {5, start}, {6, count}});
}

TEST(NMEAFrameRules, ReceiveChecks)
{
    const struct {
        TFrameRows rows;
        TFrameCheck fault;
    } cases[] = {
        {{NmeaRx("N", "Y", "0", "223")}, std::nullopt},
        {{NmeaRx("N", "Y", "0", "224")}, TFrameFault{1, 3937}},
        {{NmeaRx("N", "Y", "224", "0")}, TFrameFault{1, 3936}},
        {{NmeaRx("Y", "Y", "0", "224")}, std::nullopt},
        {{NmeaRx("Y", "N", "1785", "0")}, std::nullopt},
        {{NmeaRx("Y", "N", "1786", "0")}, TFrameFault{1, 3934}},
        {{NmeaRx("Y", "N", "1", "1785")}, TFrameFault{1, 3935}},
        {{NmeaRx("N", "N", "3", "")}, TFrameFault{1, 3938}},
        {{NmeaRx("N", "N", "0", "2")}, TFrameFault{1, 3939}},
        {{NmeaRx("N", "N", "1", "0")}, TFrameFault{1, 3940}},
        {{NmeaRx("N", "N", "2", "7")}, TFrameFault{1, 3941}},
        {{NmeaRx("N", "N", "1", "7")}, std::nullopt},
        {TFrameRows(62, NmeaRx("N", "N", "", "")), std::nullopt},
        {TFrameRows(65, NmeaRx("N", "N", "", "")), TFrameFault{0, 3942, "512"}},
        {{NmeaRx("N", "Y", "0", "223"), NmeaRx("N", "Y", "0", "100"), NmeaRx("N", "Y", "0", "200")},
         TFrameFault{0, 3942, "512"}},
        {{Row(9, {{1, "0x20000"}, {2, "0"}})}, TFrameFault{1, 3932}},
        {{Row(9, {{1, "1"}, {2, "240"}})}, TFrameFault{1, 3933}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nmeaframes::Check_Receive(c.rows, nmeaframes::Receive_Image), c.fault)
            << c.rows.front().join('|').toStdString();
}

// Transmit: Priority, PGN, SA, FP, Num Byte, Request, Data Change, On Timer, Send Timer, Mnemonic.
QStringList NmeaTx(const char* count, std::initializer_list<std::pair<int, const char*>> more = {})
{
    QStringList row = Row(11, {{1, "3"}, {2, "0x1F801"}, {3, "239"}, {5, count}});
    for (const auto& [c, text] : more)
        row[c] = QString::fromUtf8(text);
    return row;
}

TEST(NMEAFrameRules, TransmitChecks)
{
    const struct {
        TFrameRows rows;
        TFrameCheck fault;
    } cases[] = {
        {{NmeaTx("512")}, std::nullopt},
        {{NmeaTx("512"), NmeaTx("1")}, TFrameFault{0, 4040, "512"}},
        {{NmeaTx("512"), NmeaTx("0")}, std::nullopt},
        {{NmeaTx("513")}, TFrameFault{1, 4039, "512"}},
        {{NmeaTx("1", {{3, "240"}})}, TFrameFault{1, 4038}},
        {{NmeaTx("1", {{1, ""}})}, TFrameFault{1, 4036}},
        {{NmeaTx("1", {{2, "0x20000"}})}, TFrameFault{1, 4037}},
        {{NmeaTx("1", {{8, "Y"}, {9, "0"}})}, TFrameFault{1, 4041}},
        {{NmeaTx("1", {{8, "y"}, {9, "0"}})}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nmeaframes::Check_Transmit(c.rows, nmeaframes::Transmit_Image), c.fault)
            << c.rows.front().join('|').toStdString();
}

TEST(FrameFaultText, RowFaultsCarryThePrefixTableFaultsDoNot)
{
    Set_English_Texts();
    EXPECT_EQ(Frame_Fault_Text(2444, {4, 2452, "1999", 2450}),
              "Error row 4!! Byte3 must be between 0 and 1999 or None");
    EXPECT_EQ(Frame_Fault_Text(2444, {1, 2445}), "Error row 1!! CobID must be between 0 and 2047");
    EXPECT_EQ(Frame_Fault_Text(3535, {0, 3545, "1440"}),
              "Error!! Too many bytes of data, the max number is 1440");
    EXPECT_EQ(Frame_Fault_Text(3635, {1, 3640, "512"}),
              "Error in row 1!! Num Byte must be between 0 and 512");
    Clear_Lang_Table();
}

} // namespace
