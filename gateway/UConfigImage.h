// Configuration image compiler: turns the project's "ParGen.xml", "EtherCAT_Slave.xml",
// "EtherCAT_Slave_Group.xml" and "ModbusM_SetAccess.xml" into the two flash banks of the device,
// "bin/bank1.bin" (the 2048-byte main parameter block, loaded at 0x07000) and "bin/bank2.bin" (the
// Modbus master request table at 0x80000 followed by the EtherCAT slave section at 0x88000).
//
// One TConfigCompiler holds the whole image state; Compile_Config_Banks rebuilds it from scratch in
// this order, every step being a method of its own:
//   Build_Main_Block_Defaults, Clear_EtherCAT_Tables, Clear_Modbus_Table, Read_ParGen_Xml,
//   the two device addresses of the main block, Read_EtherCAT_Variables, Read_Modbus_Requests,
//   Append_Main_Block (checksum last), Write_Modbus_Table, Write_EtherCAT_Section.
// A compile that meets a malformed file, a missing section or a bad required attribute raises
// EXmlError naming the file (and the row and attribute), and nothing is written: the bank files are
// only touched by Save_Config_Banks, which writes both atomically.
//
// Every multi-byte number is little-endian and written byte by byte.
#pragma once

#include "platform/core/Xml.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The project folder and the four files the compiler reads; the main window passes its File_ paths.
struct TConfigPaths {
    QString ProjectDir;
    QString ParGen;
    QString EtherCAT_Slave;
    QString EtherCAT_Slave_Group;
    QString ModbusM_SetAccess;

    // The standard file names inside a project folder.
    static TConfigPaths ForProject(const QString& projectDir);
};

// The used bytes of both banks after a compile.
struct TConfigBanks {
    QByteArray Bank1;
    QByteArray Bank2;
};

namespace ConfigImage
{
constexpr int kMainBlockSize = 2048;
constexpr int kBankSize = 131072;
constexpr uint32_t kBank1DeviceAddress = 0x07000;
constexpr uint32_t kBank2DeviceAddress = 0x80000;

constexpr int kModbusRecords = 1024;
constexpr int kModbusRecordSize = 32;
constexpr int kModbusTableSize = kModbusRecords * kModbusRecordSize; // 32768

constexpr int kEtherCATSectionOffset = kModbusTableSize;                                  // inside bank 2
constexpr uint32_t kEtherCATDeviceAddress = kBank2DeviceAddress + kEtherCATSectionOffset; // 0x88000
constexpr int kEtherCATRoom = kBankSize - kEtherCATSectionOffset;                         // 98304

constexpr int kEtherCATVariables = 256; // entries per direction
constexpr int kEtherCATGroups = 16;     // groups per direction
constexpr int kEepromBytes = 14;
constexpr int kInitValueBuffer = 256;

// Section layout, offsets from the section's start.
constexpr uint32_t kHeaderSize = 40;
constexpr uint32_t kEntrySize = 32;
constexpr uint32_t kInTableOffset = 40;
constexpr uint32_t kOutTableOffset = 8232;
constexpr uint32_t kGroupTableOffset = 16424;
constexpr uint32_t kEmptyNameOffset = 16556;
constexpr uint32_t kStringAreaOffset = 16557;

// Main block offsets written by the driver and the request reader.
constexpr int kRequestCountOffset = 0x048;
constexpr int kModbusTableAddressOffset = 0x0C4;
constexpr int kEtherCATAddressOffset = 0x6F0;
constexpr int kChecksumOffset = 0x7FC;

extern const char* const kDefaultEepromConfig; // "800F00CC8813ff00000000800000"
} // namespace ConfigImage

// Directions of the process data: "In" is slave-to-master, "Out" master-to-slave.
enum TEtherCAT_Dir { ecSlaveToMaster = 0, ecMasterToSlave = 1 };

// One process-data variable as the device reads it, plus its name and encoded initial value.
struct TEtherCAT_pd {
    uint8_t Data_Type = 0;
    uint8_t length = 0;
    uint8_t access = 0;
    uint8_t bit_address = 0;
    uint32_t position = 0;
    uint32_t subindex = 0;
    uint32_t entry_index = 0;
    uint32_t group_index = 0xFFFFFFFF;
    uint32_t init_value_Add = 0;
    uint32_t name_length = 0;
    uint32_t name_add = 0;
    std::array<uint8_t, ConfigImage::kInitValueBuffer> init_value{};
    QString name;
};

struct TEtherCAT_Header {
    std::array<uint8_t, ConfigImage::kEepromBytes> Eeprom_Config{};
    uint16_t Node_Address = 0;
    uint8_t Clear_Data = 0;
    uint32_t Group_Table_Add = 0;
    uint32_t Revision_Number = 0;
    uint16_t Num_In = 0;  // slave-to-master variables in use
    uint16_t Num_Out = 0; // master-to-slave variables in use
    uint32_t In_Table_Add = 0;
    uint32_t Out_Table_Add = 0;
};

struct TEtherCAT_Group {
    std::array<uint32_t, ConfigImage::kEtherCATGroups> group_In_Add{};
    std::array<uint32_t, ConfigImage::kEtherCATGroups> group_Out_Add{};
    std::array<QString, ConfigImage::kEtherCATGroups> group_In_Str;
    std::array<QString, ConfigImage::kEtherCATGroups> group_Out_Str;
    uint8_t Num_In = 0;
    uint8_t Num_Out = 0;
    uint16_t Spare = 0;
};

// One serial Modbus master request; the reserved zero bytes of the record are not kept.
struct TModbus_Request {
    uint16_t Position = 0;
    uint16_t Bit = 0;
    uint32_t PollTime = 0;
    uint8_t Slave_ID = 0;
    uint8_t Function = 0;
    uint16_t Address = 0;
    uint16_t NPoint = 0;
    uint16_t Index_Topic = 0;
    uint32_t MaxError = 0;
    uint8_t Conv_Flags = 0; // 2 = float conversion, +1 little-endian, +4 signed
    uint8_t Operation = 0;  // scaling code
    uint8_t Num_Bytes = 0;  // data bytes of a read request
    uint8_t Options = 0;    // 1 on change, 4 swap, 8 swap word, 16 on command
};

class TConfigCompiler
{
  public:
    explicit TConfigCompiler(TConfigPaths paths);

    const TConfigPaths& Paths() const { return paths_; }

    // ---- Driver -----------------------------------------------------------------------------------
    // Builds both banks in memory from the project files; raises EXmlError on bad input.
    void Compile_Config_Banks();
    // Writes the banks of the last compile to "bin/bank1.bin" and "bin/bank2.bin" (creating "bin"),
    // both or neither; raises EInOutError naming the file or folder that failed.
    void Save_Config_Banks() const;
    TConfigBanks Banks() const;

    // ---- Main parameter block ---------------------------------------------------------------------
    void Build_Main_Block_Defaults();
    void Read_ParGen_Xml();
    void Set_Version_String();
    int Append_Main_Block(int position, std::vector<uint8_t>& buffer);
    const std::array<uint8_t, ConfigImage::kMainBlockSize>& MainBlock() const { return main_; }

    // ---- EtherCAT slave section -------------------------------------------------------------------
    void Clear_EtherCAT_Tables();
    void Parse_Eeprom_Config(const QString& text);
    static uint8_t EtherCAT_Type_Code(const QString& typeName, int& size);
    // Encodes the initial value of entry `entry`; returns the next free address of the init area.
    uint32_t Encode_Init_Value(const QString& text, int entry, uint32_t address, TEtherCAT_Dir dir);
    int Find_Group_Index(int k, TEtherCAT_Dir dir) const;
    void Read_EtherCAT_Variables(uint32_t baseAddress);
    static int Emit_UTF8_String(const QString& text, int position, std::vector<uint8_t>& buffer);
    int Write_EtherCAT_Section(int position, std::vector<uint8_t>& buffer) const;

    const TEtherCAT_Header& Header() const { return header_; }
    const TEtherCAT_pd& Entry(TEtherCAT_Dir dir, int index) const { return entries_[dir][index]; }
    const TEtherCAT_Group& Groups() const { return groups_; }

    // ---- Modbus request table ---------------------------------------------------------------------
    void Clear_Modbus_Table();
    void Read_Modbus_Requests();
    int Write_Modbus_Table(int position, std::vector<uint8_t>& buffer) const;
    int Request_Count() const { return requestCount_; }
    const TModbus_Request& Request(int index) const { return requests_[index]; }

  private:
    // The variable tables' address plan shared by both passes: an item fits while it ends inside
    // the section's room, so both passes take the same items and the addresses stay consistent.
    bool Fits(uint32_t address, uint32_t size) const;
    void Size_String_Area(const TXmlElement& variables, uint32_t& initAddress);
    void Read_Group_File(uint32_t& initAddress);
    void Fill_Entries(const TXmlElement& section, TEtherCAT_Dir dir, uint32_t& nameAddress,
                      uint32_t& initAddress);
    void Fill_Group_Table(uint32_t& nameAddress);

    void Read_Request_Section(const TXmlElement& section, bool writeRows);

    void PutMain8(int offset, uint32_t value);
    void PutMain16(int offset, uint32_t value);
    void PutMain32(int offset, uint32_t value);
    void PutMainOctets(int offset, const uint8_t (&octets)[4]);
    void PutMainText(int offset, int size, const QString& text);

    TConfigPaths paths_;

    std::array<uint8_t, ConfigImage::kMainBlockSize> main_{};

    TEtherCAT_Header header_;
    std::array<std::vector<TEtherCAT_pd>, 2> entries_; // kEtherCATVariables each
    TEtherCAT_Group groups_;
    uint32_t sectionBase_ = 0;                        // device address of the section
    std::array<std::vector<int64_t>, 2> groupCounts_; // cumulative variable counts per named group
    std::array<std::vector<QString>, 2> groupNames_;

    std::vector<TModbus_Request> requests_; // kModbusRecords
    int requestCount_ = 0;

    std::vector<uint8_t> bank1_;
    std::vector<uint8_t> bank2_;
    int bank1Length_ = 0;
    int bank2Length_ = 0;
};

// The update command's two steps: compile the project (nothing is written on error), then write both
// bank files of that compile into the project's "bin" folder.
TConfigBanks Compile_Config_Banks(const TConfigPaths& paths);
void Save_Config_Banks(const QString& projectDir, const TConfigBanks& banks);
