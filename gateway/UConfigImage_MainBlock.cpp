// Main parameter block of the first bank: defaults, the values of "ParGen.xml", the checksum.
#include "gateway/UConfigImage.h"
#include "gateway/UConfigImage_Bytes.h"
#include "gateway/UProjectXml.h"

using namespace ConfigImage;

namespace
{

// Fixed values of the family's other models; written as they are.
constexpr uint32_t kFixed000 = 250000;
constexpr uint32_t kFixed004 = 250000;
constexpr uint32_t kFixed00C = 9600;
constexpr uint32_t kFixed034 = 10000;
constexpr uint32_t kFixed036 = 10001;
constexpr uint32_t kFixed038 = 10001;
constexpr uint8_t kDataBits = 8;

constexpr uint8_t kNoFileIP[4] = {192, 168, 2, 205};
constexpr uint8_t kDefaultMask[4] = {255, 255, 255, 0};
constexpr uint8_t kNoGateway[4] = {255, 255, 255, 255};
constexpr int32_t kDefaultIP[4] = {192, 168, 0, 10};
constexpr int32_t kDefaultMaskInt[4] = {255, 255, 255, 0};
constexpr int32_t kDefaultGateway[4] = {192, 168, 0, 1};
constexpr int32_t kDefaultPrimaryDNS[4] = {8, 8, 8, 8};
constexpr int32_t kDefaultSecondaryDNS[4] = {8, 8, 4, 4};

const char* const kSoftwareVersion = "1.001";
const char* const kDefaultSlaveName = "devicename1";

// Item index of the baud-rate list to bit/s; any other index gives 9600.
constexpr uint32_t kBaudRates[8] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int32_t kDefaultBaudIndex = 7;

namespace Off
{
constexpr int Timeout = 0x020;
constexpr int Cyclic = 0x024;
constexpr int IP = 0x028;
constexpr int Mask = 0x02C;
constexpr int Gateway = 0x030;
constexpr int SlaveName = 0x050;
constexpr int SlaveNameSize = 16;
constexpr int Serial = 0x061;
constexpr int BaudRate = 0x190;
constexpr int Parity = 0x1A8;
constexpr int StopBits = 0x1AE;
constexpr int DataBits = 0x1B4;
constexpr int DataBitsSize = 8;
constexpr int Dhcp = 0x4E8;
constexpr int DeviceName = 0x514;
constexpr int DeviceNameSize = 32;
constexpr int SecondaryDNS = 0x53C;
constexpr int PrimaryDNS = 0x58C;
constexpr int Version = 0x66C;
constexpr int VersionSize = 8;
} // namespace Off

// The four numbered elements PREFIX1 .. PREFIX4 of an address, each cut to 8 bits.
void readOctets(const TParGenReader& pg, const char* prefix, const int32_t (&defaults)[4], uint8_t (&out)[4])
{
    for (int i = 0; i < 4; ++i)
        out[i] = uint8_t(pg.Int(QString("%1%2").arg(prefix).arg(i + 1), defaults[i]));
}

} // namespace

void TConfigCompiler::PutMain8(int offset, uint32_t value)
{
    main_.at(offset) = uint8_t(value);
}

void TConfigCompiler::PutMain16(int offset, uint32_t value)
{
    PutMain8(offset, value);
    PutMain8(offset + 1, value >> 8);
}

void TConfigCompiler::PutMain32(int offset, uint32_t value)
{
    PutMain16(offset, value);
    PutMain16(offset + 2, value >> 16);
}

void TConfigCompiler::PutMainOctets(int offset, const uint8_t (&octets)[4])
{
    for (int i = 0; i < 4; ++i)
        PutMain8(offset + i, octets[i]);
}

// 8-bit text: each character's code cut to 8 bits, NUL-filled, at most size - 1 characters.
void TConfigCompiler::PutMainText(int offset, int size, const QString& text)
{
    for (int i = 0; i < size; ++i)
        PutMain8(offset + i, i < size - 1 && i < text.size() ? text[i].unicode() & 0xFF : 0);
}

void TConfigCompiler::Build_Main_Block_Defaults()
{
    main_.fill(0);
    PutMain32(0x000, kFixed000);
    PutMain32(0x004, kFixed004);
    PutMain32(0x00C, kFixed00C);
    PutMainOctets(Off::IP, kNoFileIP);
    PutMainOctets(Off::Mask, kDefaultMask);
    PutMainOctets(Off::Gateway, kNoGateway);
    PutMain16(0x034, kFixed034);
    PutMain16(0x036, kFixed036);
    PutMain16(0x038, kFixed038);
    for (int i = 0; i < Off::DataBitsSize; ++i)
        PutMain8(Off::DataBits + i, kDataBits);
}

void TConfigCompiler::Set_Version_String()
{
    PutMainText(Off::Version, Off::VersionSize, kSoftwareVersion);
}

void TConfigCompiler::Read_ParGen_Xml()
{
    const TParGenReader pg(paths_.ParGen);
    if (!pg.Exists())
        return;
    uint8_t octets[4];

    Set_Version_String();

    PutMainText(Off::DeviceName, Off::DeviceNameSize, pg.TextDef("Eth_Conn_Device_Name", QString()));

    uint32_t dhcp = 0;
    if (pg.IsOne("Eth_Conn_DHCP_Cable"))
        dhcp |= 1;
    if (pg.IsOne("Eth_Conn_DHCP_WiFi"))
        dhcp |= 2;
    PutMain16(Off::Dhcp, dhcp);

    if (pg.IsOne("Eth_Conn_Enable_DNS")) {
        readOctets(pg, "Eth_Conn_Primary_DNS", kDefaultPrimaryDNS, octets);
        PutMainOctets(Off::PrimaryDNS, octets);
        readOctets(pg, "Eth_Conn_Secondary_DNS", kDefaultSecondaryDNS, octets);
        PutMainOctets(Off::SecondaryDNS, octets);
    }

    Parse_Eeprom_Config(pg.TextDef("EtherCAT_Slave_Eeprom_Config", kDefaultEepromConfig));
    // The parameters form accepts revisions up to 0xFFFFFFFF, so read it wide and keep 32 bits.
    header_.Revision_Number = uint32_t(pg.Int64("EtherCAT_Slave_Revision_Number", 0));
    PutMainText(Off::SlaveName, Off::SlaveNameSize, pg.TextDef("EtherCAT_Slave_Name", kDefaultSlaveName));
    header_.Node_Address = uint16_t(pg.Int("EtherCAT_Slave_Node_Address", 1));
    header_.Clear_Data = pg.IsOne("EtherCAT_Slave_Clear_Data") ? 1 : 0;

    readOctets(pg, "Ethernet_IP", kDefaultIP, octets);
    PutMainOctets(Off::IP, octets);
    readOctets(pg, "Ethernet_SM", kDefaultMaskInt, octets);
    PutMainOctets(Off::Mask, octets);
    readOctets(pg, "Ethernet_GAT", kDefaultGateway, octets);
    PutMainOctets(Off::Gateway, pg.IsOne("Ethernet_EN_GAT") ? octets : kNoGateway);

    // Item 0 of the serial list is RS232, which the device flags with 1.
    PutMain8(Off::Serial, pg.TextDef("ModbusM_SERIAL", QString()) == "0" ? 1 : 0);

    const int32_t baud = pg.Int("ModbusM_BAUDRATE", kDefaultBaudIndex);
    PutMain32(Off::BaudRate, baud >= 0 && baud < 8 ? kBaudRates[baud] : 9600);

    PutMain8(Off::Parity, uint32_t(pg.Int("ModbusM_PARITY", 0)));
    uint8_t stopBits = uint8_t(pg.Int("ModbusM_STOPBITS", 0));
    PutMain8(Off::StopBits, stopBits == 1 ? 2 : stopBits);

    PutMain32(Off::Timeout, uint32_t(pg.Int("ModbusM_TIMEOUT", 1000)));
    PutMain32(Off::Cyclic, uint32_t(pg.Int("ModbusM_CYCLIC", 100)));
}

int TConfigCompiler::Append_Main_Block(int position, std::vector<uint8_t>& buffer)
{
    uint32_t sum = 0;
    for (int i = 0; i < kChecksumOffset; ++i)
        sum += main_[i];
    PutMain32(kChecksumOffset, sum);

    TByteWriter out(buffer, position);
    out.Bytes(main_.data(), kMainBlockSize);
    return out.Position();
}
