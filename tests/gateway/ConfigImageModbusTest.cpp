// Modbus master request table at the start of bank 2 and the request count of the main block.
#include "ConfigImageTest.h"

#include <algorithm>

using namespace configimage_test;

namespace
{

// A read row as the request editor writes it.
TAttrs readRow(const QString& type, const QString& npoint, const QString& address = "100")
{
    return {{"Enable", "Y"},    {"Slave_ID", "1"},    {"Type", type},    {"Address", address},
            {"NPoint", npoint}, {"PollTime", "1000"}, {"MaxError", "3"}, {"Position", "0"},
            {"Bit", "0"},       {"Swap", "N"},        {"SwapWord", "N"}, {"Index_Topic", ""},
            {"Mnemonic", ""}};
}

TAttrs writeRow(const QString& type, const QString& npoint, const QString& address = "200")
{
    return {{"Enable", "Y"},    {"Slave_ID", "2"},   {"Type", type},    {"Address", address},
            {"NPoint", npoint}, {"PollTime", "500"}, {"OnChange", "N"}, {"OnCMD", "N"},
            {"MaxError", "0"},  {"Position", "4"},   {"Bit", ""},       {"Swap", "N"},
            {"SwapWord", "N"},  {"Mnemonic", ""}};
}

TAttrs with(TAttrs row, const TAttrs& changes)
{
    for (const auto& [name, value] : changes) {
        auto it = std::find_if(row.begin(), row.end(), [&](const auto& a) { return a.first == name; });
        if (it != row.end())
            it->second = value;
        else
            row.push_back({name, value});
    }
    return row;
}

TAttrs without(TAttrs row, const QString& name)
{
    std::erase_if(row, [&](const auto& a) { return a.first == name; });
    return row;
}

QByteArray record(const QByteArray& bank2, int n)
{
    return bank2.mid(32 * n, 32);
}

} // namespace

TEST(ConfigImageModbus, ReadRequestRecord)
{
    TProject project;
    project.modbus({readRow("Holding Register", "2")});
    const TConfigBanks banks = project.compile();
    EXPECT_EQ(
        record(banks.Bank2, 0).toHex(' '),
        hex("0000 0000 E8030000 01 03 6400 0200 0000 00000000 0000 0000 03000000 00 00 04 00").toHex(' '));
    EXPECT_EQ(u32At(banks.Bank1, 0x048), 1u);
    EXPECT_EQ(banks.Bank2.size(), kEmptyProjectBank2);
}

TEST(ConfigImageModbus, WriteRequestRecord)
{
    TProject project;
    // The editor saves an empty start bit for registers; the compile must take it as 0.
    project.modbus(
        {},
        {with(writeRow("Holding Register", "3"),
              {{"OnChange", "y"}, {"OnCMD", "Y"}, {"Swap", "Y"}, {"SwapWord", "Y"}, {"Index_Topic", "-1"}})});
    const QByteArray b2 = project.compile().Bank2;
    EXPECT_EQ(
        record(b2, 0).toHex(' '),
        hex("0400 0000 F4010000 02 10 C800 0300 0000 00000000 FFFF 0000 00000000 00 00 00 1D").toHex(' '));
}

struct TFunctionCase {
    bool write;
    const char* type;
    const char* npoint;
    uint32_t function;
    uint32_t dataBytes;
};

TEST(ConfigImageModbus, FunctionCodeAndDataBytes)
{
    const TFunctionCase cases[] = {
        {false, "Coil Status", "1", 1, 1},
        {false, "Input Status", "20", 2, 3},
        {false, "Holding Register", "125", 3, 250},
        {false, "Input Register", "1", 4, 2},
        {false, "INPUT status", "8", 2, 1},
        {false, "Coil Status ", "8", 0, 16},
        {false, "Register", "2", 0, 4},
        {true, "Coil Status", "1", 5, 0},
        {true, "Coil Status", "8", 15, 0},
        {true, "Holding Register", "1", 6, 0},
        {true, "Holding Register", "10", 16, 0},
        {true, "Input Register", "1", 0, 0},
    };
    for (const TFunctionCase& c : cases) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(c.write ? "write" : "read", c.type, c.npoint).toStdString());
        TProject project;
        if (c.write)
            project.modbus({}, {writeRow(c.type, c.npoint)});
        else
            project.modbus({readRow(c.type, c.npoint)});
        const QByteArray rec = record(project.compile().Bank2, 0);
        EXPECT_EQ(u8At(rec, 9), c.function);
        EXPECT_EQ(u16At(rec, 12), QString(c.npoint).toUInt());
        EXPECT_EQ(u8At(rec, 30), c.dataBytes);
    }
}

struct TConversionCase {
    TAttrs attributes;
    uint32_t flags;     // byte 28
    uint32_t operation; // byte 29
};

TEST(ConfigImageModbus, ConversionFlags)
{
    const TConversionCase cases[] = {
        {{}, 0, 0},
        {{{"Float_Conv", "y"}, {"Operation", "x 100"}, {"Endian", "little"}}, 3, 6},
        {{{"Float_Conv", "Y"}, {"Operation", ": 0.008"}, {"Endian", "BIG"}, {"Signed", "Y"}}, 6, 13},
        {{{"Float_Conv", "Y"}, {"Endian", "LITTLE"}}, 3, 0},
        {{{"Float_Conv", "Y"}, {"Operation", "X 256"}}, 0, 10}, // no Endian: float conversion off
        {{{"Float_Conv", "N"}, {"Operation", "X 10"}, {"Endian", "LITTLE"}, {"Signed", "y"}}, 4, 0},
        {{{"Float_Conv", "Y"}, {"Operation", "X 3"}, {"Endian", "LITTLE"}}, 3, 0},
    };
    for (const TConversionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        TProject project;
        project.modbus({with(readRow("Input Register", "2"), c.attributes)},
                       {with(writeRow("Holding Register", "2"), c.attributes)});
        const QByteArray b2 = project.compile().Bank2;
        for (int n = 0; n < 2; ++n) {
            EXPECT_EQ(u8At(record(b2, n), 28), c.flags) << "record " << n;
            EXPECT_EQ(u8At(record(b2, n), 29), c.operation) << "record " << n;
        }
    }
}

TEST(ConfigImageModbus, ReadsComeFirstAndDisabledRowsTakeNoRecord)
{
    TProject project;
    project.modbus(
        {readRow("Input Register", "1", "1"), with(readRow("Input Register", "1", "2"), {{"Enable", "N"}}),
         without(readRow("Input Register", "1", "3"), "Enable"), readRow("Input Register", "1", "4")},
        {writeRow("Coil Status", "1", "5"), with(writeRow("Coil Status", "1", "6"), {{"Enable", "y"}})});
    const TConfigBanks banks = project.compile();
    EXPECT_EQ(u32At(banks.Bank1, 0x048), 3u);
    EXPECT_EQ(u16At(record(banks.Bank2, 0), 10), 1u);
    EXPECT_EQ(u16At(record(banks.Bank2, 1), 10), 4u);
    EXPECT_EQ(u16At(record(banks.Bank2, 2), 10), 5u);
    EXPECT_EQ(banks.Bank2.mid(3 * 32, ConfigImage::kModbusTableSize - 3 * 32),
              QByteArray(ConfigImage::kModbusTableSize - 3 * 32, '\0'));
}

TEST(ConfigImageModbus, GuardedAttributesOfReadRows)
{
    TProject project;
    TAttrs row = without(without(without(readRow("Holding Register", "1"), "Position"), "Swap"), "SwapWord");
    row = with(row, {{"Bit", ""}, {"Index_Topic", "x"}, {"PollTime", "4294967295"}, {"MaxError", "0x10"}});
    project.modbus({row});
    const QByteArray rec = record(project.compile().Bank2, 0);
    EXPECT_EQ(u16At(rec, 0), 0u);
    EXPECT_EQ(u16At(rec, 2), 0u);
    EXPECT_EQ(u32At(rec, 4), 0xFFFFFFFFu);
    EXPECT_EQ(u16At(rec, 20), 0u);
    EXPECT_EQ(u32At(rec, 24), 16u);
    EXPECT_EQ(u8At(rec, 31), 0u);
}

struct TBadRowCase {
    bool write;
    TAttrs row;
    const char* message;
};

TEST(ConfigImageModbus, BadRequiredAttributesNameFileRowAndAttribute)
{
    const TAttrs read = readRow("Holding Register", "1");
    const TAttrs write = writeRow("Holding Register", "1");
    const TBadRowCase cases[] = {
        {true, without(write, "Position"), "Modbus_Write row 2: attribute Position missing"},
        {true, with(write, {{"Position", ""}}), "Modbus_Write row 2: attribute Position is not an integer"},
        {true, without(write, "OnChange"), "Modbus_Write row 2: attribute OnChange missing"},
        {false, with(read, {{"Slave_ID", "abc"}}),
         "Modbus_Read row 2: attribute Slave_ID is not an integer: \"abc\""},
        {false, without(read, "NPoint"), "Modbus_Read row 2: attribute NPoint missing"},
        {false, without(read, "Type"), "Modbus_Read row 2: attribute Type missing"},
        {false, with(read, {{"PollTime", "1.5"}}), "Modbus_Read row 2: attribute PollTime is not an integer"},
        {false, with(read, {{"MaxError", ""}}), "Modbus_Read row 2: attribute MaxError is not an integer"},
        {false, with(read, {{"Address", "99999999999"}}),
         "Modbus_Read row 2: attribute Address is not an integer"},
    };
    for (const TBadRowCase& c : cases) {
        SCOPED_TRACE(c.message);
        TProject project;
        // A disabled row ahead of the bad one: rows are counted as the editor numbers them.
        const TAttrs off = with(c.write ? write : read, {{"Enable", "N"}});
        if (c.write)
            project.modbus({read}, {off, c.row});
        else
            project.modbus({off, c.row}, {write});
        try {
            Compile_Config_Banks(project.paths());
            ADD_FAILURE() << "compiled";
        } catch (const EXmlError& e) {
            EXPECT_TRUE(e.Message.contains(project.file("ModbusM_SetAccess.xml"))) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains(c.message)) << e.Message.toStdString();
        }
    }
}

TEST(ConfigImageModbus, DisabledRowsAreNotChecked)
{
    TProject project;
    project.modbus({with(without(readRow("Coil Status", "1"), "NPoint"), {{"Enable", "N"}})},
                   {with(without(writeRow("Coil Status", "1"), "Position"), {{"Enable", "N"}})});
    EXPECT_EQ(u32At(project.compile().Bank1, 0x048), 0u);
}

TEST(ConfigImageModbus, MissingSectionRaises)
{
    TProject project;
    project.write("ModbusM_SetAccess.xml", "<EtherNetIP_to_Modbus><Modbus_Read/></EtherNetIP_to_Modbus>");
    try {
        Compile_Config_Banks(project.paths());
        FAIL() << "compiled";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message.contains(project.file("ModbusM_SetAccess.xml"))) << e.Message.toStdString();
        EXPECT_TRUE(e.Message.contains("Modbus_Write")) << e.Message.toStdString();
    }
}

TEST(ConfigImageModbus, TableHoldsAtMost1024Requests)
{
    TProject project;
    std::vector<TAttrs> reads, writes;
    for (int i = 0; i < 600; ++i) {
        reads.push_back(readRow("Input Register", "1", QString::number(i)));
        writes.push_back(writeRow("Holding Register", "1", QString::number(1000 + i)));
    }
    // Rows past the limit are not read at all, a bad one included.
    writes.push_back(without(writeRow("Holding Register", "1"), "Position"));
    project.modbus(reads, writes);
    const TConfigBanks banks = project.compile();
    EXPECT_EQ(u32At(banks.Bank1, 0x048), 1024u);
    EXPECT_EQ(u16At(record(banks.Bank2, 599), 10), 599u);
    EXPECT_EQ(u16At(record(banks.Bank2, 1023), 10), 1000u + 423);
    EXPECT_EQ(banks.Bank2.size(), kEmptyProjectBank2);
}
