// Main parameter block of bank 1 and the ParGen.xml fields of the EtherCAT section header.
#include "ConfigImageTest.h"

using namespace configimage_test;

TEST(ConfigImageMainBlock, EmptyProjectHoldsDefaultsAndChecksum3602)
{
    TProject project;
    const TConfigBanks banks = project.compile();
    const QByteArray& b1 = banks.Bank1;

    ASSERT_EQ(b1.size(), 2048);
    EXPECT_EQ(b1.right(4), hex("120E0000"));
    EXPECT_EQ(banks.Bank2.size(), kEmptyProjectBank2);

    EXPECT_EQ(u32At(b1, 0x000), 250000u);
    EXPECT_EQ(u32At(b1, 0x004), 250000u);
    EXPECT_EQ(u32At(b1, 0x00C), 9600u);
    EXPECT_EQ(b1.mid(0x028, 12), hex("C0A802CD FFFFFF00 FFFFFFFF"));
    EXPECT_EQ(b1.mid(0x034, 6), hex("1027 1127 1127"));
    EXPECT_EQ(b1.mid(0x1B4, 8), hex("0808080808080808"));
    EXPECT_EQ(u32At(b1, 0x048), 0u);
    EXPECT_EQ(u32At(b1, 0x0C4), 0x80000u);
    EXPECT_EQ(u32At(b1, 0x6F0), 0x88000u);
    // Without ParGen.xml the version, name, timing and baud fields stay zero.
    EXPECT_EQ(b1.mid(0x66C, 8), QByteArray(8, '\0'));
    EXPECT_EQ(b1.mid(0x050, 16), QByteArray(16, '\0'));
    EXPECT_EQ(u32At(b1, 0x020) | u32At(b1, 0x024) | u32At(b1, 0x190), 0u);

    // Bank 2: an empty request table, then a section with no variables and no groups.
    EXPECT_EQ(banks.Bank2.left(kSection), QByteArray(kSection, '\0'));
    const QByteArray header = banks.Bank2.mid(kSection, 40);
    EXPECT_EQ(header.left(20), QByteArray(20, '\0')); // EEPROM bytes, node address, flag: cleared
    EXPECT_EQ(u32At(header, 20), kBase + 16424);
    EXPECT_EQ(u32At(header, 32), kBase + 40);
    EXPECT_EQ(u32At(header, 36), kBase + 8232);
}

struct TParGenCase {
    const char* what;
    TAttrs elements;
    int bank; // 1: offset in the main block; 2: offset in the EtherCAT section
    int offset;
    const char* bytes;
};

TEST(ConfigImageMainBlock, ParGenFieldsLandAtTheirOffsets)
{
    const QString name20 = "ABCDEFGHIJKLMNOPQRST";
    const QString name40 = QString(40, 'h');
    // clang-format off
    const TParGenCase cases[] = {
        // Elements missing from an existing file take the element defaults, not the no-file ones.
        {"no elements: IP", {}, 1, 0x028, "C0A8000A FFFFFF00 FFFFFFFF"},
        {"no elements: slave name", {}, 1, 0x050, "6465766963656E616D653100 00000000"},
        {"no elements: timeout, cyclic", {}, 1, 0x020, "E8030000 64000000"},
        {"no elements: 115200 baud", {}, 1, 0x190, "00C20100"},
        {"no elements: version", {}, 1, 0x66C, "312E303031000000"},
        {"no elements: RS485", {}, 1, 0x061, "00"},
        {"no elements: DNS off", {}, 1, 0x58C, "00000000"},
        {"no elements: EEPROM default", {}, 2, 0, "800F00CC8813FF00000000800000 0100"},
        {"gateway disabled", {{"Ethernet_EN_GAT", "0"}, {"Ethernet_GAT1", "10"}, {"Ethernet_GAT2", "0"},
                              {"Ethernet_GAT3", "0"}, {"Ethernet_GAT4", "1"}}, 1, 0x030, "FFFFFFFF"},
        {"gateway enabled", {{"Ethernet_EN_GAT", "1"}, {"Ethernet_GAT1", "10"}, {"Ethernet_GAT2", "0"},
                             {"Ethernet_GAT3", "0"}, {"Ethernet_GAT4", "1"}}, 1, 0x030, "0A000001"},
        {"gateway enabled, octets missing", {{"Ethernet_EN_GAT", "1"}}, 1, 0x030, "C0A80001"},
        {"octets cut to 8 bits", {{"Ethernet_IP1", "300"}, {"Ethernet_IP2", "-1"}, {"Ethernet_IP3", " 7"},
                                  {"Ethernet_IP4", "x"}}, 1, 0x028, "2CFF070A"},
        {"DNS on without elements: primary", {{"Eth_Conn_Enable_DNS", "1"}}, 1, 0x58C, "08080808"},
        {"DNS on without elements: secondary", {{"Eth_Conn_Enable_DNS", "1"}}, 1, 0x53C, "08080404"},
        {"DNS on with values", {{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Primary_DNS1", "1"},
                                {"Eth_Conn_Primary_DNS4", "9"}}, 1, 0x58C, "01080809"},
        {"DNS off ignores values", {{"Eth_Conn_Enable_DNS", "0"}, {"Eth_Conn_Primary_DNS1", "1"},
                                    {"Eth_Conn_Secondary_DNS1", "1"}}, 1, 0x53C, "00000000"},
        {"baud index 3", {{"ModbusM_BAUDRATE", "3"}}, 1, 0x190, "80250000"},
        {"baud index 9", {{"ModbusM_BAUDRATE", "9"}}, 1, 0x190, "80250000"},
        {"baud text abc", {{"ModbusM_BAUDRATE", "abc"}}, 1, 0x190, "00C20100"},
        {"baud index 0", {{"ModbusM_BAUDRATE", "0"}}, 1, 0x190, "B0040000"},
        {"RS232 is item 0", {{"ModbusM_SERIAL", "0"}}, 1, 0x061, "01"},
        {"RS485 is item 1", {{"ModbusM_SERIAL", "1"}}, 1, 0x061, "00"},
        {"parity even", {{"ModbusM_PARITY", "2"}}, 1, 0x1A8, "02"},
        {"one stop bit", {{"ModbusM_STOPBITS", "0"}}, 1, 0x1AE, "00"},
        {"two stop bits", {{"ModbusM_STOPBITS", "1"}}, 1, 0x1AE, "02"},
        {"timeout and cyclic", {{"ModbusM_TIMEOUT", "100000"}, {"ModbusM_CYCLIC", "0x10"}}, 1, 0x020,
         "A0860100 10000000"},
        {"timeout not an integer", {{"ModbusM_TIMEOUT", "12 "}}, 1, 0x020, "E8030000"},
        {"20-character slave name", {{"EtherCAT_Slave_Name", name20}}, 1, 0x050,
         "4142434445464748494A4B4C4D4E4F00"},
        {"empty slave name", {{"EtherCAT_Slave_Name", ""}}, 1, 0x050, "00000000000000000000000000000000"},
        {"slave name cut to 8 bits", {{"EtherCAT_Slave_Name", QString::fromUtf8("A\u0141\u00E9")}}, 1, 0x050,
         "4141E900"},
        {"40-character device name", {{"Eth_Conn_Device_Name", name40}}, 1, 0x514 + 30, "6800"},
        {"DHCP cable and Wi-Fi", {{"Eth_Conn_DHCP_Cable", "1"}, {"Eth_Conn_DHCP_WiFi", "1"}}, 1, 0x4E8, "0300"},
        {"DHCP only exactly 1", {{"Eth_Conn_DHCP_Cable", "yes"}, {"Eth_Conn_DHCP_WiFi", "1"}}, 1, 0x4E8, "0200"},
        {"node address 16 bits", {{"EtherCAT_Slave_Node_Address", "300"}}, 2, 14, "2C01"},
        {"clear data", {{"EtherCAT_Slave_Clear_Data", "1"}}, 2, 16, "01000000"},
        {"clear data only exactly 1", {{"EtherCAT_Slave_Clear_Data", "true"}}, 2, 16, "00"},
        {"revision", {{"EtherCAT_Slave_Revision_Number", "0x10"}}, 2, 24, "10000000"},
        // The parameters form accepts revisions up to 0xFFFFFFFF.
        {"revision above 2^31", {{"EtherCAT_Slave_Revision_Number", "4294967295"}}, 2, 24, "FFFFFFFF"},
        {"revision 2^31", {{"EtherCAT_Slave_Revision_Number", "2147483648"}}, 2, 24, "00000080"},
        {"revision not an integer", {{"EtherCAT_Slave_Revision_Number", "1.0"}}, 2, 24, "00000000"},
    };
    // clang-format on
    for (const TParGenCase& c : cases) {
        SCOPED_TRACE(c.what);
        TProject project;
        project.parGen(c.elements);
        const TConfigBanks banks = project.compile();
        const QByteArray expected = hex(c.bytes);
        const QByteArray& bank = c.bank == 1 ? banks.Bank1 : banks.Bank2;
        const int offset = c.bank == 1 ? c.offset : kSection + c.offset;
        EXPECT_EQ(bank.mid(offset, expected.size()).toHex(' '), expected.toHex(' '));
    }
}

TEST(ConfigImageMainBlock, ChecksumCoversEveryFilledField)
{
    TProject project;
    project.parGen({{"Eth_Conn_Device_Name", "gateway-7"},
                    {"Eth_Conn_DHCP_Cable", "1"},
                    {"Eth_Conn_Enable_DNS", "1"},
                    {"EtherCAT_Slave_Name", "Slave\u00FF"},
                    {"ModbusM_TIMEOUT", "-1"},
                    {"ModbusM_BAUDRATE", "4"},
                    {"Ethernet_EN_GAT", "1"}});
    project.modbus({{{"Enable", "Y"},
                     {"Slave_ID", "1"},
                     {"Type", "Input Register"},
                     {"Address", "0"},
                     {"NPoint", "1"},
                     {"PollTime", "10"},
                     {"MaxError", "0"}}});
    const QByteArray b1 = project.compile().Bank1;
    EXPECT_EQ(u32At(b1, 0x020), 0xFFFFFFFFu);
    EXPECT_EQ(u32At(b1, 0x048), 1u);
    // The checksum is taken last, over the request count and the addresses too.
    EXPECT_EQ(u32At(b1, 0x7FC), byteSum(b1, 0, 0x7FC));
}

TEST(ConfigImageMainBlock, TruncatedParGenRaisesNamingTheFile)
{
    TProject project;
    project.write("ParGen.xml", "<Par_Gen><Ethernet_IP1>10</Ethernet_IP1><Ethernet_IP2>1");
    try {
        Compile_Config_Banks(project.paths());
        FAIL() << "a truncated ParGen.xml compiled";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message.contains(project.file("ParGen.xml"))) << e.Message.toStdString();
    }
}
