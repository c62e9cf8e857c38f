// Serial Modbus master request table at the start of the second bank: one 32-byte record per enabled
// request, the read requests first, then the write requests, at most 1024 in all.
#include "gateway/UConfigImage.h"
#include "gateway/UConfigImage_Bytes.h"
#include "gateway/UProjectXml.h"

using namespace ConfigImage;

namespace
{

struct TOperationCode {
    const char* text;
    uint8_t code;
};

const TOperationCode kOperations[] = {
    {"NONE", 0},   {": 10", 1},    {": 100", 2},   {": 1000", 3},   {": 10000", 4},
    {"X 10", 5},   {"X 100", 6},   {"X 1000", 7},  {"X 10000", 8},  {": 256", 9},
    {"X 256", 10}, {": 0.08", 11}, {"X 0.08", 12}, {": 0.008", 13}, {"X 0.008", 14},
};

uint8_t operationCode(const QString& upperText)
{
    for (const TOperationCode& op : kOperations)
        if (upperText == QLatin1String(op.text))
            return op.code;
    return 0;
}

// Reads one request row; a required attribute that is missing or not an integer raises an error
// naming the file, the section, the row (counted from 1, as the editor shows it) and the attribute.
class TRequestRow
{
  public:
    TRequestRow(const TXmlElement& row, const QString& file, const char* section, int number)
        : row_(row), file_(file), section_(section), number_(number)
    {
    }

    QString Text(const char* name) const
    {
        if (!row_.HasAttribute(name))
            fail(QString("attribute %1 missing").arg(name));
        return row_.Attribute(name);
    }
    bool Has(const char* name) const { return row_.HasAttribute(name); }
    QString Upper(const char* name) const { return UpperCase(Text(name)); }
    // Guarded flag: on when its upper-cased text is "Y", off when it is missing.
    bool Flag(const char* name) const { return Has(name) && Upper(name) == "Y"; }
    int32_t Int(const char* name) const
    {
        const QString text = Text(name);
        int32_t v;
        if (!TryStrToInt(text, v))
            notInteger(name, text);
        return v;
    }
    int64_t Int64(const char* name) const
    {
        const QString text = Text(name);
        int64_t v;
        if (!TryStrToInt64(text, v))
            notInteger(name, text);
        return v;
    }
    // Guarded number: missing or not an integer (an empty text too) gives the fallback.
    int32_t IntDef(const char* name, int32_t fallback) const
    {
        int32_t v;
        return Has(name) && TryStrToInt(row_.Attribute(name), v) ? v : fallback;
    }

  private:
    [[noreturn]] void notInteger(const char* name, const QString& text) const
    {
        fail(QString("attribute %1 is not an integer: \"%2\"").arg(name, text));
    }
    [[noreturn]] void fail(const QString& what) const
    {
        throw EXmlError(QString("%1: %2 row %3: %4").arg(file_, section_).arg(number_).arg(what));
    }
    TXmlElement row_;
    QString file_;
    const char* section_;
    int number_;
};

} // namespace

void TConfigCompiler::Clear_Modbus_Table()
{
    requests_.assign(kModbusRecords, TModbus_Request());
    requestCount_ = 0;
}

void TConfigCompiler::Read_Request_Section(const TXmlElement& section, bool writeRows)
{
    const char* sectionName = writeRows ? "Modbus_Write" : "Modbus_Read";
    int number = 0;
    for (const TXmlElement& row : section.Children("row")) {
        ++number;
        if (!Row_Enabled(row))
            continue;
        if (requestCount_ == kModbusRecords)
            return; // the table is full
        const TRequestRow r(row, paths_.ModbusM_SetAccess, sectionName, number);
        TModbus_Request q;
        q.Slave_ID = uint8_t(r.Int("Slave_ID"));
        if (!writeRows) {
            const QString type = r.Upper("Type");
            q.Function = type == "COIL STATUS"        ? 1
                         : type == "INPUT STATUS"     ? 2
                         : type == "HOLDING REGISTER" ? 3
                         : type == "INPUT REGISTER"   ? 4
                                                      : 0;
            q.NPoint = uint16_t(r.Int("NPoint"));
            q.Num_Bytes = uint8_t(q.Function == 1 || q.Function == 2 ? (q.NPoint + 7) / 8 : 2 * q.NPoint);
        } else {
            q.NPoint = uint16_t(r.Int("NPoint"));
            const QString type = r.Upper("Type");
            const bool single = q.NPoint == 1;
            q.Function = type == "COIL STATUS"        ? (single ? 5 : 15)
                         : type == "HOLDING REGISTER" ? (single ? 6 : 16)
                                                      : 0;
        }
        q.Address = uint16_t(r.Int("Address"));
        q.PollTime = uint32_t(r.Int64("PollTime"));
        q.MaxError = uint32_t(r.Int64("MaxError"));
        if (writeRows) {
            q.Options = r.Upper("OnChange") == "Y" ? 1 : 0; // required, unlike OnCMD
            if (r.Flag("OnCMD"))
                q.Options += 16;
            q.Position = uint16_t(r.Int("Position"));
        } else {
            q.Position = uint16_t(r.IntDef("Position", 0));
        }
        // The request editor leaves the start bit empty for registers, also in write rows.
        q.Bit = uint16_t(r.IntDef("Bit", 0));

        if (r.Flag("Float_Conv")) {
            q.Conv_Flags = 2;
            q.Operation = operationCode(r.Has("Operation") ? r.Upper("Operation") : QString("NONE"));
            if (!r.Has("Endian"))
                q.Conv_Flags = 0;
            else if (r.Upper("Endian") == "LITTLE")
                q.Conv_Flags += 1;
        }
        if (r.Flag("Signed"))
            q.Conv_Flags += 4;
        if (r.Flag("Swap"))
            q.Options += 4;
        if (r.Flag("SwapWord"))
            q.Options += 8;
        q.Index_Topic = uint16_t(r.IntDef("Index_Topic", 0));

        requests_[requestCount_++] = q;
    }
}

void TConfigCompiler::Read_Modbus_Requests()
{
    requestCount_ = 0;
    const QString& file = paths_.ModbusM_SetAccess;
    if (FileExists(file)) {
        TXmlDocument doc;
        doc.LoadFromFile(file);
        const TXmlElement root = doc.Root();
        for (bool writeRows : {false, true}) {
            const char* name = writeRows ? "Modbus_Write" : "Modbus_Read";
            Read_Request_Section(Required_Section(root, name, file), writeRows);
        }
    }
    PutMain32(kRequestCountOffset, uint32_t(requestCount_));
}

int TConfigCompiler::Write_Modbus_Table(int position, std::vector<uint8_t>& buffer) const
{
    TByteWriter out(buffer, position);
    for (const TModbus_Request& q : requests_) {
        out.U16(q.Position);
        out.U16(q.Bit);
        out.U32(q.PollTime);
        out.U8(q.Slave_ID);
        out.U8(q.Function);
        out.U16(q.Address);
        out.U16(q.NPoint);
        out.Zero(2);
        out.Zero(4);
        out.U16(q.Index_Topic);
        out.Zero(2);
        out.U32(q.MaxError);
        out.U8(q.Conv_Flags);
        out.U8(q.Operation);
        out.U8(q.Num_Bytes);
        out.U8(q.Options);
    }
    return out.Position();
}
