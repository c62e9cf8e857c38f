// Test helpers for the configuration image: a project folder in a temporary directory, writers of
// the four project files the compiler reads, byte access to the compiled banks and a check that the
// EtherCAT section's addresses point where its bytes are.
#pragma once

#include "common/TestSupport.h"
#include "gateway/UConfigImage.h"

#include <QDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace configimage_test
{

using TAttrs = std::vector<std::pair<QString, QString>>;

constexpr int kSection = ConfigImage::kEtherCATSectionOffset;   // section offset in bank 2
constexpr uint32_t kBase = ConfigImage::kEtherCATDeviceAddress; // its device address
constexpr int kEmptyProjectBank2 = 49325;

inline QString escaped(QString s)
{
    return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
}

inline QString rowsXml(const std::vector<TAttrs>& rows)
{
    QString xml;
    for (const TAttrs& row : rows) {
        xml += "<row";
        for (const auto& [name, value] : row)
            xml += QString(" %1=\"%2\"").arg(name, escaped(value));
        xml += "/>";
    }
    return xml;
}

inline uint32_t u8At(const QByteArray& b, int off)
{
    return uint8_t(b.at(off));
}
inline uint32_t u16At(const QByteArray& b, int off)
{
    return u8At(b, off) | u8At(b, off + 1) << 8;
}
inline uint32_t u32At(const QByteArray& b, int off)
{
    return u16At(b, off) | u16At(b, off + 2) << 16;
}
inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// Offset in bank 2 of a device address inside it.
inline int bank2Offset(uint32_t address)
{
    return int(address - ConfigImage::kBank2DeviceAddress);
}

// One variable entry of the section, read back from bank 2.
struct TEntryView {
    uint32_t type, length, access, bit, position, subindex, entryIndex, group, initAdd, nameLength, nameAdd;

    TEntryView(const QByteArray& bank2, int dir, int index)
    {
        const int off = kSection +
                        int(dir == 0 ? ConfigImage::kInTableOffset : ConfigImage::kOutTableOffset) +
                        index * int(ConfigImage::kEntrySize);
        type = u8At(bank2, off);
        length = u8At(bank2, off + 1);
        access = u8At(bank2, off + 2);
        bit = u8At(bank2, off + 3);
        position = u32At(bank2, off + 4);
        subindex = u32At(bank2, off + 8);
        entryIndex = u32At(bank2, off + 12);
        group = u32At(bank2, off + 16);
        initAdd = u32At(bank2, off + 20);
        nameLength = u32At(bank2, off + 24);
        nameAdd = u32At(bank2, off + 28);
    }
};

inline int countOf(const QByteArray& bank2, int dir)
{
    return int(u16At(bank2, kSection + (dir == 0 ? 28 : 30)));
}
inline int groupCountOf(const QByteArray& bank2, int dir)
{
    return int(u8At(bank2, kSection + 16552 + dir));
}
inline uint32_t groupAddOf(const QByteArray& bank2, int dir, int i)
{
    return u32At(bank2, kSection + 16424 + dir * 64 + 4 * i);
}

// The NUL-terminated UTF-8 text at a device address of bank 2.
inline QString textAt(const QByteArray& bank2, uint32_t address)
{
    const int off = bank2Offset(address);
    const int end = bank2.indexOf('\0', off);
    return QString::fromUtf8(bank2.mid(off, end - off));
}

inline QString nameOf(const QByteArray& bank2, const TEntryView& e)
{
    const int off = bank2Offset(e.nameAdd);
    EXPECT_EQ(u8At(bank2, off + int(e.nameLength)), 0u) << "name not followed by NUL";
    return QString::fromUtf8(bank2.mid(off, int(e.nameLength)));
}

inline QByteArray initOf(const QByteArray& bank2, const TEntryView& e)
{
    return bank2.mid(bank2Offset(e.initAdd), int(e.length));
}

// Walks the string and init-value areas in serializer order: every address must be the next free
// one, and the section must end right after the last initial value.
inline void expectConsistentSection(const QByteArray& bank2)
{
    const uint32_t emptyName = kBase + ConfigImage::kEmptyNameOffset;
    uint32_t next = kBase + ConfigImage::kStringAreaOffset;
    for (int dir = 0; dir < 2; ++dir) {
        const int count = countOf(bank2, dir);
        for (int i = 0; i < ConfigImage::kEtherCATVariables; ++i) {
            const TEntryView e(bank2, dir, i);
            if (i >= count) {
                EXPECT_EQ(e.group, 0xFFFFFFFFu) << "unused entry " << i;
                EXPECT_EQ(e.nameAdd | e.initAdd | e.length | e.type | e.subindex, 0u) << "unused entry " << i;
                continue;
            }
            EXPECT_EQ(e.subindex, uint32_t(i));
            EXPECT_EQ(e.access, dir == 0 ? 1u : 0u);
            if (e.nameLength == 0) {
                EXPECT_EQ(e.nameAdd, emptyName) << "dir " << dir << " entry " << i;
            } else {
                EXPECT_EQ(e.nameAdd, next) << "dir " << dir << " entry " << i;
                next += e.nameLength + 1;
            }
            if (dir == 1) {
                EXPECT_EQ(e.initAdd, 0u) << "master-to-slave entry " << i << " has an init address";
            }
        }
    }
    for (int dir = 0; dir < 2; ++dir)
        for (int i = 0; i < groupCountOf(bank2, dir); ++i) {
            const uint32_t add = groupAddOf(bank2, dir, i);
            if (add == emptyName)
                continue;
            EXPECT_EQ(add, next) << "group " << i << " of dir " << dir;
            next += uint32_t(textAt(bank2, add).toUtf8().size()) + 1;
        }
    for (int i = 0; i < countOf(bank2, 0); ++i) {
        const TEntryView e(bank2, 0, i);
        if (e.initAdd == 0)
            continue;
        EXPECT_EQ(e.initAdd, next) << "init value of entry " << i;
        next += e.length;
    }
    EXPECT_EQ(bank2.size(), bank2Offset(next));
    EXPECT_LE(bank2.size(), ConfigImage::kBankSize);
}

inline uint32_t byteSum(const QByteArray& b, int from, int to)
{
    uint32_t sum = 0;
    for (int i = from; i < to; ++i)
        sum += u8At(b, i);
    return sum;
}

// A project folder with its "bin" subfolder and writers of the four project files.
class TProject
{
  public:
    TProject() : paths_(TConfigPaths::ForProject(dir_.path())) { QDir(dir_.path()).mkdir("bin"); }

    const TConfigPaths& paths() const { return paths_; }
    QString dir() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.file(name); }

    void write(const QString& name, const QString& xml) { testsupport::writeBytes(file(name), xml.toUtf8()); }

    void parGen(const TAttrs& elements)
    {
        QString xml = "<Par_Gen>";
        for (const auto& [name, text] : elements)
            xml += QString("<%1>%2</%1>").arg(name, escaped(text));
        write("ParGen.xml", xml + "</Par_Gen><!--SW_VERSION = 1.001-->");
    }
    void etherCAT(const std::vector<TAttrs>& toMaster, const std::vector<TAttrs>& toSlave = {})
    {
        write("EtherCAT_Slave.xml",
              "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>" + rowsXml(toMaster) +
                  "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>" + rowsXml(toSlave) +
                  "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>"
                  "<!--SW_VERSION = 1.001-->");
    }
    void groups(const std::vector<TAttrs>& toMaster, const std::vector<TAttrs>& toSlave = {})
    {
        write("EtherCAT_Slave_Group.xml", "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master>" +
                                              rowsXml(toMaster) + "</Slave_to_Master><Master_to_Slave>" +
                                              rowsXml(toSlave) +
                                              "</Master_to_Slave></PROFINET_Master_to_Modbus_TCP_Master>");
    }
    void modbus(const std::vector<TAttrs>& reads, const std::vector<TAttrs>& writes = {})
    {
        write("ModbusM_SetAccess.xml", "<EtherNetIP_to_Modbus><Modbus_Read>" + rowsXml(reads) +
                                           "</Modbus_Read><Modbus_Write>" + rowsXml(writes) +
                                           "</Modbus_Write></EtherNetIP_to_Modbus>");
    }

    // Compiles and checks what holds for every image: block size and checksum, bank 2 layout.
    TConfigBanks compile() const
    {
        TConfigBanks banks = Compile_Config_Banks(paths_);
        EXPECT_EQ(banks.Bank1.size(), ConfigImage::kMainBlockSize);
        EXPECT_EQ(u32At(banks.Bank1, ConfigImage::kChecksumOffset), byteSum(banks.Bank1, 0, 0x7FC));
        expectConsistentSection(banks.Bank2);
        return banks;
    }

  private:
    testsupport::TempDir dir_;
    TConfigPaths paths_;
};

// A slave-to-master variable row as the process-data editor writes it.
inline TAttrs variable(const QString& type, const QString& name, const QString& init = QString(),
                       const QString& length = QString())
{
    return {{"Enable", "Y"},     {"Type", type},    {"Length", length}, {"Name", name},
            {"InitValue", init}, {"Position", "0"}, {"BitStart", "0"},  {"Group", ""}};
}

} // namespace configimage_test
