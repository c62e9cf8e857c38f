// The BACnet server editor's data check over plain rows: the row rules of both tables, the object
// limit over both, and the Length a write-table type choice sets.
#include "app/ULang.h"
#include "editors/bacnet/UBACnetSlaveSetAccess.h"

#include <gtest/gtest.h>

namespace
{

using namespace bacnetslave;

// Row number, Data Type, Eng. Unit, Position, Start Bit, Length, Swap, Mnemonic.
QStringList Row(const char* type, const char* unit, const char* position, const char* bit, const char* length)
{
    return {"1", type, unit, position, bit, length, "", "m"};
}

class BACnetSlaveRules : public ::testing::Test
{
  protected:
    void SetUp() override { Set_English_Texts(); }
    void TearDown() override { Clear_Lang_Table(); }
    static QString Message(const TFrameCheck& c)
    {
        return c ? Frame_Fault_Text(2232, *c) : QString("passes");
    }
};

TEST_F(BACnetSlaveRules, RowRulesOfBothTables)
{
    const struct {
        bool write;
        QStringList row;
        const char* message;
    } cases[] = {
        {false, Row("Analog Input", "62", "1497", "", "4"),
         "Error row 1!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {false, Row("Analog Input", "62", "1496", "", "4"), "passes"},
        {false, Row("Binary Input", "62", "1499", "", "4"),
         "Error row 1!! [BACnet in Read] Bit must be between 0 and 7"},
        {false, Row("Binary Input", "62", "1499", "3", "999"), "passes"},
        {false, Row("Binary Value", "62", "1499", "0", ""), "passes"},
        {false, Row("Analog Input", "62", "0", "", ""),
         "Error row 1!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"},
        {false, Row("Life Safety Point", "62", "0", "", "3"),
         "Error row 1!! [BACnet in Read] Length with variable \"Life Safety Point\" must be 1 or 2"},
        {false, Row("Access Door", "62", "0", "", "2"),
         "Error row 1!! [BACnet in Read] Length with variable \"Access Door\" must be equal to 1"},
        {false, Row("Large Analog Value", "62", "1492", "", "8"), "passes"},
        {false, Row("Analog Input", "62", "1500", "", "4"),
         "Error row 1!! [BACnet in Read] Position must be between 0 and 1499"},
        {false, Row("Analog Input", "62", "", "", "4"),
         "Error row 1!! [BACnet in Read] Position must be between 0 and 1499"},
        {false, Row("Analog Input", "", "0", "", "4"),
         "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {false, Row("Analog Input", "abc", "0", "", "4"),
         "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {false, Row("Analog Input", "65536", "0", "", "4"),
         "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {false, Row("Analog Input", "0xFFFF", "0", "", "4"), "passes"},
        // The read table has no Length rule for "Integer Value", and a type from a file none at all;
        // only the last byte is checked, a Length of 0 ending before Position.
        {false, Row("Integer Value", "0", "0", "", "0"), "passes"},
        {false, Row("Foo", "0", "1499", "", "abc"), "passes"},
        {false, Row("Foo", "0", "1499", "", "2"),
         "Error row 1!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {false, Row("Foo", "0", "1", "", "2147483647"),
         "Error row 1!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        // Types are compared as written: a lower-case binary type takes the Length path.
        {false, Row("binary input", "0", "1499", "3", ""), "passes"},
        {true, Row("Integer Value", "62", "0", "", "5"),
         "Error row 1!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"},
        {true, Row("Binary Out", "62", "0", "", "1"),
         "Error row 1!! [BACnet in Write] Bit must be between 0 and 7"},
        {true, Row("Binary Input", "62", "0", "", "1"), "passes"},
        {true, Row("Analog Out", "70000", "0", "", "4"),
         "Error row 1!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
        {true, Row("Analog Out", "1", "1500", "", "4"),
         "Error row 1!! [BACnet in Write] Position must be between 0 and 1499"},
        {true, Row("Access Door", "1", "0", "", "2"),
         "Error row 1!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
        {true, Row("Large Analog Value", "1", "1493", "", "8"),
         "Error row 1!! [BACnet in Write] Too many bytes to save starting from the Position indicate"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.join('|').toStdString());
        const TFrameRows rows = {c.row};
        EXPECT_EQ(Message(c.write ? Check_Write(rows, Image_Bytes) : Check_Read(rows, Image_Bytes)),
                  QString(c.message));
    }
}

TEST_F(BACnetSlaveRules, TheFirstFaultOfTheReadTableComesBeforeTheWriteTableAndTheLimitLast)
{
    const TFrameRows good = {Row("Analog Input", "62", "0", "", "4")};
    const TFrameRows bad_second = {Row("Analog Input", "62", "0", "", "4"),
                                   Row("Analog Input", "62", "0", "", "9")};
    EXPECT_EQ(Message(Check_Tables(bad_second, bad_second, 1500, 1500, false)),
              "Error row 2!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4");
    EXPECT_EQ(Message(Check_Tables(good, {Row("Analog Out", "-1", "0", "", "4")}, 1500, 1500, false)),
              "Error row 1!! [BACnet in Write] Eng. Unit must be between 0 and 65535");

    auto rows = [](int n) { return TFrameRows(size_t(n), Row("Binary Value", "0", "0", "0", "")); };
    const struct {
        int read, write;
        bool limit;
        const char* message;
    } cases[] = {
        {600, 500, true, "Error!! Too many Requests. Max requests 1000"},
        {600, 400, true, "passes"},
        {1500, 501, false, "Error!! Too many Requests. Max requests 2000"},
        {1500, 500, false, "passes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Message(Check_Tables(rows(c.read), rows(c.write), 1500, 1500, c.limit)), QString(c.message))
            << c.read << "+" << c.write;
    // A row fault wins over the count.
    TFrameRows faulty = rows(600);
    faulty[599] = Row("Analog Input", "62", "0", "", "");
    EXPECT_EQ(
        Message(Check_Tables(faulty, rows(500), 1500, 1500, true)),
        "Error row 600!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4");
}

TEST_F(BACnetSlaveRules, WriteTypeChoiceSetsTheLength)
{
    const struct {
        const char* type;
        const char* length; // nullptr: Length stays
    } cases[] = {
        {"Analog Out", "4"},    {"Analog Value", "4"},           {"Binary Out", "1"},
        {"Binary Value", "1"},  {"Positive Integer Value", "4"}, {"Large Analog Value", "8"},
        {"Integer Value", "4"}, {"Multi State Output", "4"},     {"Multi State Value", "4"},
        {"Access Door", "1"},   {"octet string", "1"},           {"Analog Input", nullptr},
        {"", nullptr},          {" Analog Out", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> length = Length_For_Type(c.type);
        if (c.length) {
            EXPECT_EQ(length, std::optional<QString>(c.length)) << c.type;
        } else {
            EXPECT_FALSE(length) << c.type;
        }
    }
}

} // namespace
