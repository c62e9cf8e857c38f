// EtherCAT slave section of the second bank: header, the two variable tables, the group table, the
// string area (variable names, then group names) and the packed initial values.
//
// Names come before the initial values, so the compile reads the files twice: the first pass only
// sizes the string area (which gives the start of the init-value area), the second fills the entries.
// Both passes take the same rows under the same limits (256 enabled rows, 16 named groups per
// direction, the room left in the bank), so the addresses they plan are where the serializer puts
// the bytes.
#include "gateway/UConfigImage.h"
#include "gateway/UConfigImage_Bytes.h"
#include "gateway/UProjectXml.h"

#include <bit>
#include <cmath>
#include <limits>

using namespace ConfigImage;

const char* const ConfigImage::kDefaultEepromConfig = "800F00CC8813ff00000000800000";

namespace
{

struct TTypeInfo {
    const char* name;
    uint8_t code;
    int size; // 0: the row's "Length"
};

const TTypeInfo kTypes[] = {
    {"Bool", 1, 1},   {"Int8", 2, 1},   {"Int16", 3, 2},   {"Int32", 4, 4},  {"UInt8", 5, 1},
    {"UInt16", 6, 2}, {"UInt32", 7, 4}, {"Float32", 8, 4}, {"String", 9, 0}, {"Array", 10, 0},
};

const char* const kVariablesSection = "EtherCAT_Slave_Variables";
const char* const kVariableSections[2] = {"EtherCAT_Slave_To_Master", "EtherCAT_Master_To_Slave"};
const char* const kGroupSections[2] = {"Slave_to_Master", "Master_to_Slave"};

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// One or two hexadecimal digits and nothing else.
bool hexByte(const QString& text, uint8_t& value)
{
    if (text.isEmpty() || text.size() > 2)
        return false;
    int v = 0;
    for (QChar c : text) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        v = v * 16 + d;
    }
    value = uint8_t(v);
    return true;
}

uint32_t utf8Size(const QString& text)
{
    return uint32_t(text.toUtf8().size());
}

int32_t intAttribute(const TXmlElement& row, const char* name, int32_t fallback)
{
    return StrToIntDef(row.AttributeDef(name, QString()), fallback);
}

} // namespace

bool TConfigCompiler::Fits(uint32_t address, uint32_t size) const
{
    return uint64_t(address) + size <= uint64_t(sectionBase_) + kEtherCATRoom;
}

void TConfigCompiler::Clear_EtherCAT_Tables()
{
    header_ = TEtherCAT_Header();
    groups_ = TEtherCAT_Group();
    for (auto& table : entries_)
        table.assign(kEtherCATVariables, TEtherCAT_pd());
    for (auto& counts : groupCounts_)
        counts.clear();
    for (auto& names : groupNames_)
        names.clear();
    sectionBase_ = 0;
}

void TConfigCompiler::Parse_Eeprom_Config(const QString& text)
{
    int next = 0;
    for (int i = 0; i < text.size() && next < kEepromBytes;) {
        const int take = text.size() - i <= 2 ? text.size() - i : 2;
        uint8_t value;
        if (hexByte(text.mid(i, take), value))
            header_.Eeprom_Config[next++] = value;
        i += take;
    }
}

uint8_t TConfigCompiler::EtherCAT_Type_Code(const QString& typeName, int& size)
{
    for (const TTypeInfo& t : kTypes)
        if (typeName == QLatin1String(t.name)) {
            size = t.size;
            return t.code;
        }
    size = 0;
    return 0;
}

uint32_t TConfigCompiler::Encode_Init_Value(const QString& text, int entry, uint32_t address,
                                            TEtherCAT_Dir dir)
{
    TEtherCAT_pd& e = entries_[dir].at(entry);
    e.init_value.fill(0);
    e.init_value_Add = 0;
    // Only slave-to-master values are sent to the device; a master-to-slave one gets no address.
    if (text.isEmpty() || dir != ecSlaveToMaster)
        return address;
    const int n = e.length;
    if (!Fits(address, n))
        return address;

    int64_t number = 0;
    if (!TryStrToInt64(text, number))
        number = 0;
    auto& buf = e.init_value;
    switch (e.Data_Type) {
    case 1:
        buf[0] = uint8_t(number & 1);
        break;
    case 2:
    case 5:
        buf[0] = uint8_t(number);
        break;
    case 3:
    case 6:
    case 4:
    case 7:
        for (int i = 0; i < n; ++i)
            buf[i] = uint8_t(uint64_t(number) >> (8 * i));
        break;
    case 8: {
        double d = 0;
        if (!TryStrToFloat(text, d))
            d = 0;
        // Out-of-range values saturate to infinity instead of an undefined conversion.
        float f;
        if (d > std::numeric_limits<float>::max())
            f = std::numeric_limits<float>::infinity();
        else if (d < -std::numeric_limits<float>::max())
            f = -std::numeric_limits<float>::infinity();
        else
            f = float(d);
        const uint32_t bits = std::bit_cast<uint32_t>(f);
        for (int i = 0; i < 4; ++i)
            buf[i] = uint8_t(bits >> (8 * i));
        break;
    }
    case 9:
        for (int i = 0; i < n && i < text.size(); ++i)
            buf[i] = uint8_t(text[i].unicode());
        break;
    case 10:
        for (int i = 0; i < n; ++i) {
            uint8_t v = 0;
            if (2 * i + 1 < text.size() && hexByte(text.mid(2 * i, 2), v))
                buf[i] = v;
        }
        break;
    default:
        // Unknown type: its length in zero bytes, reserved here and emitted by the serializer alike.
        break;
    }
    e.init_value_Add = address;
    return address + n;
}

int TConfigCompiler::Find_Group_Index(int k, TEtherCAT_Dir dir) const
{
    const auto& counts = groupCounts_[dir];
    for (size_t i = 0; i < counts.size(); ++i)
        if (counts[i] > k)
            return int(i);
    return -1;
}

// First pass over the variables: every name that will be stored moves the init-value area on.
void TConfigCompiler::Size_String_Area(const TXmlElement& variables, uint32_t& initAddress)
{
    for (int dir = 0; dir < 2; ++dir) {
        int taken = 0;
        for (const TXmlElement& row :
             Required_Section(variables, kVariableSections[dir], paths_.EtherCAT_Slave).Children("row")) {
            if (!Row_Enabled(row))
                continue;
            if (taken++ == kEtherCATVariables)
                break;
            const uint32_t size = utf8Size(row.AttributeDef("Name", QString()));
            if (size > 0 && Fits(initAddress, size + 1))
                initAddress += size + 1;
        }
    }
}

// First pass over the groups: the named groups of each direction, their cumulative variable counts,
// and the room their names take in the string area.
void TConfigCompiler::Read_Group_File(uint32_t& initAddress)
{
    if (!FileExists(paths_.EtherCAT_Slave_Group))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(paths_.EtherCAT_Slave_Group);
    const TXmlElement root = doc.Root();
    for (int dir = 0; dir < 2; ++dir) {
        int64_t total = 0;
        for (const TXmlElement& row :
             Required_Section(root, kGroupSections[dir], paths_.EtherCAT_Slave_Group).Children("row")) {
            const QString name = row.AttributeDef("Group_Name", QString());
            // A row without a name is no group: it takes no index, or later groups would shift.
            if (name.isEmpty())
                continue;
            if (groupNames_[dir].size() == size_t(kEtherCATGroups))
                break;
            const uint32_t size = utf8Size(name);
            if (Fits(initAddress, size + 1))
                initAddress += size + 1;
            groupNames_[dir].push_back(name);
            if (row.HasAttribute("Num_Variables"))
                total += intAttribute(row, "Num_Variables", 0);
            groupCounts_[dir].push_back(total);
        }
    }
}

// Second pass over one direction's rows.
void TConfigCompiler::Fill_Entries(const TXmlElement& rows, TEtherCAT_Dir dir, uint32_t& nameAddress,
                                   uint32_t& initAddress)
{
    int j = 0;
    for (const TXmlElement& row : rows.Children("row")) {
        if (!Row_Enabled(row))
            continue;
        if (j == kEtherCATVariables)
            break;
        TEtherCAT_pd& e = entries_[dir][j];
        e = TEtherCAT_pd();
        e.access = dir == ecSlaveToMaster ? 1 : 0;
        int size = 0;
        if (row.HasAttribute("Type"))
            e.Data_Type = EtherCAT_Type_Code(row.Attribute("Type"), size);
        e.length = size >= 1 ? uint8_t(size) : uint8_t(intAttribute(row, "Length", 1));
        e.position = uint32_t(intAttribute(row, "Position", 0));
        e.bit_address = uint8_t(intAttribute(row, "BitStart", 0));
        e.subindex = uint32_t(j);
        e.entry_index = 0;
        const int group = Find_Group_Index(j, dir);
        e.group_index = group < 0 ? 0xFFFFFFFF : uint32_t(group);
        initAddress = Encode_Init_Value(row.AttributeDef("InitValue", QString()), j, initAddress, dir);

        const QString name = row.AttributeDef("Name", QString());
        const uint32_t nameSize = utf8Size(name);
        if (nameSize > 0 && Fits(nameAddress, nameSize + 1)) {
            e.name = name;
            e.name_length = nameSize;
            e.name_add = nameAddress;
            nameAddress += nameSize + 1;
        } else {
            e.name_add = sectionBase_ + kEmptyNameOffset;
        }
        ++j;
    }
    (dir == ecSlaveToMaster ? header_.Num_In : header_.Num_Out) = uint16_t(j);
}

void TConfigCompiler::Fill_Group_Table(uint32_t& nameAddress)
{
    for (int dir = 0; dir < 2; ++dir) {
        auto& adds = dir == ecSlaveToMaster ? groups_.group_In_Add : groups_.group_Out_Add;
        auto& strs = dir == ecSlaveToMaster ? groups_.group_In_Str : groups_.group_Out_Str;
        const auto& names = groupNames_[dir];
        for (size_t i = 0; i < names.size(); ++i) {
            const uint32_t size = utf8Size(names[i]);
            if (Fits(nameAddress, size + 1)) {
                strs[i] = names[i];
                adds[i] = nameAddress;
                nameAddress += size + 1;
            } else {
                strs[i].clear();
                adds[i] = sectionBase_ + kEmptyNameOffset;
            }
        }
        (dir == ecSlaveToMaster ? groups_.Num_In : groups_.Num_Out) = uint8_t(names.size());
    }
}

void TConfigCompiler::Read_EtherCAT_Variables(uint32_t baseAddress)
{
    sectionBase_ = baseAddress;
    header_.In_Table_Add = baseAddress + kInTableOffset;
    header_.Out_Table_Add = baseAddress + kOutTableOffset;
    header_.Group_Table_Add = baseAddress + kGroupTableOffset;

    TXmlDocument doc;
    TXmlElement variables;
    const bool haveVariables = FileExists(paths_.EtherCAT_Slave);
    uint32_t initAddress = baseAddress + kStringAreaOffset;
    if (haveVariables) {
        doc.LoadFromFile(paths_.EtherCAT_Slave);
        variables = Required_Section(doc.Root(), kVariablesSection, paths_.EtherCAT_Slave);
        Size_String_Area(variables, initAddress);
    }
    Read_Group_File(initAddress);

    uint32_t nameAddress = baseAddress + kStringAreaOffset;
    if (haveVariables)
        for (int dir = 0; dir < 2; ++dir)
            Fill_Entries(Required_Section(variables, kVariableSections[dir], paths_.EtherCAT_Slave),
                         TEtherCAT_Dir(dir), nameAddress, initAddress);
    Fill_Group_Table(nameAddress);
}

int TConfigCompiler::Emit_UTF8_String(const QString& text, int position, std::vector<uint8_t>& buffer)
{
    if (text.isEmpty())
        return position;
    const QByteArray bytes = text.toUtf8();
    TByteWriter out(buffer, position);
    out.Bytes(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
    out.U8(0);
    return out.Position();
}

int TConfigCompiler::Write_EtherCAT_Section(int position, std::vector<uint8_t>& buffer) const
{
    TByteWriter out(buffer, position);
    out.Bytes(header_.Eeprom_Config.data(), kEepromBytes);
    out.U16(header_.Node_Address);
    out.U8(header_.Clear_Data);
    out.Zero(3);
    out.U32(header_.Group_Table_Add);
    out.U32(header_.Revision_Number);
    out.U16(header_.Num_In);
    out.U16(header_.Num_Out);
    out.U32(header_.In_Table_Add);
    out.U32(header_.Out_Table_Add);

    for (const auto& table : entries_)
        for (const TEtherCAT_pd& e : table) {
            out.U8(e.Data_Type);
            out.U8(e.length);
            out.U8(e.access);
            out.U8(e.bit_address);
            out.U32(e.position);
            out.U32(e.subindex);
            out.U32(e.entry_index);
            out.U32(e.group_index);
            out.U32(e.init_value_Add);
            out.U32(e.name_length);
            out.U32(e.name_add);
        }

    for (uint32_t add : groups_.group_In_Add)
        out.U32(add);
    for (uint32_t add : groups_.group_Out_Add)
        out.U32(add);
    out.U8(groups_.Num_In);
    out.U8(groups_.Num_Out);
    out.U16(groups_.Spare);
    out.U8(0); // the common empty name

    int pos = out.Position();
    for (const auto& table : entries_)
        for (const TEtherCAT_pd& e : table)
            pos = Emit_UTF8_String(e.name, pos, buffer);
    for (int i = 0; i < groups_.Num_In; ++i)
        pos = Emit_UTF8_String(groups_.group_In_Str[i], pos, buffer);
    for (int i = 0; i < groups_.Num_Out; ++i)
        pos = Emit_UTF8_String(groups_.group_Out_Str[i], pos, buffer);

    TByteWriter values(buffer, pos);
    for (const TEtherCAT_pd& e : entries_[ecSlaveToMaster])
        if (e.init_value_Add != 0)
            values.Bytes(e.init_value.data(), e.length);
    return values.Position();
}
