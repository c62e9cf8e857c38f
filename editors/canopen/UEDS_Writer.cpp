#include "editors/canopen/UEDS_Writer.h"

#include "app/UGlobals.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <algorithm>

const std::array<const char*, EDS_Max_PDO> RPDO_Var_Names = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av",
};
const std::array<const char*, EDS_Max_PDO> TPDO_Var_Names = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv",
};

namespace
{

// An object description: its section and the seven keys in this order; "-" is a key not written.
constexpr int Key_Count = 7;
const char* const kKeys[Key_Count] = {"SubNumber",  "ParameterName", "ObjectType", "DataType",
                                      "AccessType", "DefaultValue",  "PDOMapping"};

struct TFixedObject {
    const char* Section;
    const char* Values[Key_Count];
};

// The device's own communication objects.
const TFixedObject kFixed_Objects[] = {
    {"1000", {"-", "Device Type", "0x07", "0x0007", "const", "0x000101A4", "0"}},
    {"1001", {"-", "Error Register", "0x07", "0x0005", "ro", "0x00", "0"}},
    {"1005", {"-", "COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080", "0"}},
    {"1006", {"-", "Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000", "0"}},
    {"1008", {"-", "Manufacturer Device Name", "0x07", "0x0009", "const", "s1", "0"}},
    {"1014", {"-", "COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80", "0"}},
    {"1016", {"3", "Heartbeat Consumer Entries", "0x08", "-", "-", "-", "-"}},
    {"1016sub0", {"-", "Number of Entries", "0x07", "0x0005", "ro", "0x02", "0"}},
    {"1016sub1", {"-", "Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000", "0"}},
    {"1016sub2", {"-", "Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000", "0"}},
    {"1017", {"-", "Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8", "0"}},
    {"1018", {"5", "Identity Object", "0x09", "-", "-", "-", "-"}},
    {"1018sub0", {"-", "number of entries", "0x07", "0x0005", "ro", "0x4", "0"}},
    {"1018sub1", {"-", "Vendor Id", "0x07", "0x0007", "ro", "-", "0"}},
    {"1018sub2", {"-", "Product Code", "0x07", "0x0007", "ro", "-", "0"}},
    {"1018sub3", {"-", "Revision number", "0x07", "0x0007", "ro", "-", "0"}},
    {"1018sub4", {"-", "Serial number", "0x07", "0x0007", "ro", "-", "0"}},
    {"1029", {"2", "Error Behaviour", "0x08", "-", "-", "-", "-"}},
    {"1029sub0", {"-", "Number of Entries", "0x07", "0x0005", "ro", "1", "0"}},
    {"1029sub1", {"-", "Communication Error", "0x07", "0x0005", "rw", "0x0", "0"}},
    {"1280", {"4", "Client SDO Parameter 1", "0x09", "-", "-", "-", "-"}},
    {"1280sub0", {"-", "Number of Entries", "0x07", "0x0005", "ro", "0x03", "0"}},
    {"1280sub1", {"-", "COB-ID Client -> Server", "0x07", "0x0007", "rw", "-", "0"}},
    {"1280sub2", {"-", "COB-ID Server -> Client", "0x07", "0x0007", "rw", "-", "0"}},
    {"1280sub3", {"-", "Node ID of the SDO Server", "0x07", "0x0005", "rw", "-", "0"}},
};
static_assert(std::size(kFixed_Objects) == 25);

// Always present before the PDO objects in "[OptionalObjects]".
const char* const kOptional_Objects[] = {"0x1005", "0x1006", "0x1008", "0x1014",
                                         "0x1016", "0x1017", "0x1029", "0x1280"};

// An application variable's type, limits and default by its size in bytes.
struct TVariableType {
    const char* DataType;
    const char* LowLimit;
    const char* HighLimit;
    const char* DefaultValue;
};
constexpr TVariableType kU8 = {"0x0005", "0x00", "0xFF", "0x00"};
constexpr TVariableType kU16 = {"0x0006", "0x0000", "0xFFFF", "0x0000"};
constexpr TVariableType kU32 = {"0x0007", "0x00000000", "0xFFFFFFFF", "0x00000000"};

// Rows of a PDO section beyond the table's size are left out; a larger dimension could not be
// numbered by the 8-bit sub-indexes of its mapping entries.
constexpr int32_t Max_Dimension = 255;

// The value's 32-bit pattern in upper-case hexadecimal, at least Digits digits.
QString Hex(int64_t Value, int Digits)
{
    return QString::number(uint32_t(Value), 16).toUpper().rightJustified(Digits, '0');
}

QString Section_Name(int Index, int Sub = -1)
{
    QString name = Hex(Index, 4);
    if (Sub >= 0)
        name += "sub" + Hex(Sub, 1);
    return name;
}

void Put_Object(QStringList& L, const QString& Section, const QString (&Values)[Key_Count])
{
    L << "[" + Section + "]";
    for (int k = 0; k < Key_Count; ++k)
        if (Values[k] != "-")
            L << QString::fromLatin1(kKeys[k]) + "=" + Values[k];
    L << QString();
}

// The section's element under the document's first child; raises when there is none.
TXmlElement Section_Of(const TXmlDocument& Doc, const QString& File, const char* Section)
{
    const TXmlElement s = Doc.Root().Child(QLatin1String(Section));
    if (s.IsNull())
        throw EXmlError(QString("%1: element %2 missing").arg(File, QLatin1String(Section)));
    return s;
}

QString Required(const TXmlElement& Row, const QString& Where, const char* Name)
{
    if (!Row.HasAttribute(QLatin1String(Name)))
        throw EXmlError(QString("%1: attribute %2 missing").arg(Where, QLatin1String(Name)));
    return Row.Attribute(QLatin1String(Name));
}

QString Where(const QString& File, const char* Section, size_t Row)
{
    return QString("%1: %2, row %3").arg(File, QLatin1String(Section)).arg(Row + 1);
}

} // namespace

// ---- Reading -----------------------------------------------------------------------------------------

void TEDS_Writer::Load_PDO_Table_For_EDS(const QString& File)
{
    EDS_Num_RPDO = 0;
    EDS_Num_TPDO = 0;
    if (!FileExists(File))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(File);
    const struct {
        const char* Section;
        int First;
        int32_t* Count;
    } sections[] = {{"Receive_PDO", 0, &EDS_Num_RPDO}, {"Transmit_PDO", EDS_Max_PDO, &EDS_Num_TPDO}};
    for (const auto& s : sections) {
        const std::vector<TXmlElement> rows = Section_Of(doc, File, s.Section).Children();
        const size_t n = std::min(rows.size(), size_t(EDS_Max_PDO));
        for (size_t i = 0; i < n; ++i) {
            const QString where = Where(File, s.Section, i);
            TEDS_PDO& pdo = EDS_PDO_Table[size_t(s.First) + i];
            pdo.COB_ID = StrToIntDef(Required(rows[i], where, "COB-ID"), 0);
            pdo.Dimension = StrToIntDef(Required(rows[i], where, "Dimension"), 8);
            if (pdo.Dimension > Max_Dimension)
                throw EXmlError(QString("%1: Dimension %2 is more than %3")
                                    .arg(where)
                                    .arg(pdo.Dimension)
                                    .arg(Max_Dimension));
        }
        *s.Count = int32_t(n);
    }
}

void TEDS_Writer::Load_SDO_Server_Table_For_EDS(const QString& File)
{
    if (!FileExists(File))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(File);
    const struct {
        const char* Section;
        bool Readonly;
    } sections[] = {{"SDO_Read", true}, {"SDO_Write", false}};
    for (const auto& s : sections) {
        const std::vector<TXmlElement> rows = Section_Of(doc, File, s.Section).Children();
        for (size_t i = 0; i < rows.size(); ++i) {
            const QString where = Where(File, s.Section, i);
            int32_t values[3];
            const char* names[3] = {"Index", "SubIndex", "NByte"};
            for (int k = 0; k < 3; ++k) {
                const QString text = Required(rows[i], where, names[k]);
                if (!TryStrToInt(text, values[k]))
                    throw EXmlError(QString("%1: attribute %2 is not an integer: \"%3\"")
                                        .arg(where, QLatin1String(names[k]), text));
            }
            Add_SDO_Row(values[0], values[1], values[2], s.Readonly);
        }
    }
}

int TEDS_Writer::Find_SDO_Index(int32_t Index) const
{
    for (size_t i = 0; i < SDO_Index_List.size(); ++i)
        if (SDO_Index_List[i].Index == Index)
            return int(i);
    return -1;
}

void TEDS_Writer::Add_SDO_Row(int32_t Index, int32_t SubIndex, int32_t NByte, bool Readonly)
{
    const SDO_Sub_Type sub{uint8_t(SubIndex & 0xFF), uint8_t(NByte & 0xFF), Readonly, QString()};
    const int at = Find_SDO_Index(Index);
    if (at >= 0) {
        SDO_Index_List[size_t(at)].Sub_Indexs.push_back(sub);
        return;
    }
    SDO_Index_List.push_back({uint16_t(Index & 0xFFFF), {sub}});
}

void TEDS_Writer::Sort_SDO_Subindexes()
{
    // Stable: equal sub-indexes keep read rows before write rows, each in file order.
    for (SDO_Index& entry : SDO_Index_List)
        std::stable_sort(entry.Sub_Indexs.begin(), entry.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

// ---- Text --------------------------------------------------------------------------------------------

QString EDS_Date_Text(const QDate& Date)
{
    return QString("%1-%2-%3")
        .arg(Date.month(), 2, 10, QChar('0'))
        .arg(Date.day(), 2, 10, QChar('0'))
        .arg(Date.year());
}

QString EDS_Time_Text(const QTime& Time)
{
    int h = Time.hour();
    const int m = Time.minute();
    // 12:00 sharp counts as morning; the rest of that hour as afternoon.
    const bool pm = h > 12 || (h == 12 && m > 0);
    if (h > 12)
        h -= 12;
    return QString("%1:%2%3").arg(h, 2, 10, QChar('0')).arg(m, 2, 10, QChar('0')).arg(pm ? "PM" : "AM");
}

QStringList TEDS_Writer::EDS_Lines(const QDateTime& Now) const
{
    const int R = EDS_Num_RPDO, T = EDS_Num_TPDO;
    const QString date = EDS_Date_Text(Now.date()), time = EDS_Time_Text(Now.time());
    QStringList L;

    L << "[FileInfo]"
      << "FileName=" + EDS_File_Name << "FileVersion=1"
      << "FileRevision=0"
      << "EDSVersion=4.0"
      << "Description=" + EDS_Product_Name << "CreationTime=" + time << "CreationDate=" + date
      << "CreatedBy=Brivexcorp"
      << "ModificationTime=" + time << "ModificationDate=" + date << "ModifiedBy=Brivexcorp" << QString();

    L << "[DeviceInfo]"
      << "VendorName=Brivexcorp"
      << "VendorNumber=0x00"
      << "ProductName=" + EDS_Product_Name << "ProductNumber=" + EDS_Product_Number << "RevisionNumber=0x0"
      << "OrderCode=" + EDS_Order_Code;
    for (const char* rate : {"10=1", "20=1", "50=1", "125=1", "250=1", "500=1", "800=0", "1000=1"})
        L << QString("BaudRate_") + QLatin1String(rate);
    L << "DynamicChannelsSupported=0"
      << "GroupMessaging=0"
      << "LSS_Supported=0"
      << "Granularity=0"
      << "SimpleBootUpSlave=1"
      << "SimpleBootUpMaster=0"
      << "NrOfRXPDO=" + QString::number(R) << "NrOfTXPDO=" + QString::number(T) << QString();

    L << "[Comments]"
      << "Lines=0" << QString();
    L << "[DummyUsage]";
    for (int d = 1; d <= 7; ++d)
        L << QString("Dummy%1=0").arg(d, 4, 10, QChar('0'));
    L << QString();
    L << "[MandatoryObjects]"
      << "SupportedObjects=3"
      << "1=0x1000"
      << "2=0x1001"
      << "3=0x1018" << QString();

    L << "[OptionalObjects]"
      << "SupportedObjects=" + QString::number(3 * R + 3 * T + 8);
    int n = 0;
    for (const char* index : kOptional_Objects)
        L << QString::number(++n) + "=" + QLatin1String(index);
    const struct {
        int Base, Count;
    } pdo_objects[] = {{0x1400, R}, {0x1600, R}, {0x1800, T}, {0x1A00, T}, {0x7000, R}, {0x7050, T}};
    for (const auto& o : pdo_objects)
        for (int i = 0; i < o.Count; ++i)
            L << QString::number(++n) + "=0x" + Hex(o.Base + i, 4);
    L << QString();

    L << "[ManufacturerObjects]"
      << "SupportedObjects=" + QString::number(SDO_Index_List.size());
    n = 0;
    for (const SDO_Index& entry : SDO_Index_List)
        L << QString::number(++n) + "=0x" + Hex(entry.Index, 4);
    L << QString();

    for (const TFixedObject& o : kFixed_Objects) {
        QString values[Key_Count];
        for (int k = 0; k < Key_Count; ++k)
            values[k] = QString::fromUtf8(o.Values[k]);
        Put_Object(L, QString::fromLatin1(o.Section), values);
    }

    // Communication objects: receive then transmit.
    for (int dir = 0; dir < 2; ++dir)
        for (int i = 0; i < (dir ? T : R); ++i) {
            const int X = (dir ? 0x1800 : 0x1400) + i;
            const TEDS_PDO& pdo = EDS_PDO_Table[size_t(dir * EDS_Max_PDO + i)];
            const QString name = QString(dir ? "Transmit" : "Receive") + " PDO Communication Parameter " +
                                 QString::number(i + 1);
            Put_Object(L, Section_Name(X), {"4", name, "0x09", "-", "-", "-", "-"});
            Put_Object(L, Section_Name(X, 0),
                       {"-", "Number of Entries", "0x07", "0x0005", "ro", "0x03", "0"});
            Put_Object(L, Section_Name(X, 1),
                       {"-", "COB-ID", "0x07", "0x0007", "rw", "0x" + Hex(pdo.COB_ID, 8), "0"});
            Put_Object(L, Section_Name(X, 2),
                       {"-", "Transmission Type", "0x07", "0x0005", "rw", "0xFE", "0"});
            Put_Object(L, Section_Name(X, 3), {"-", "Inhibit Time", "0x07", "0x0006", "rw", "0x0", "0"});
        }

    // Mapping objects: each maps byte j of its array as 8 bits.
    for (int dir = 0; dir < 2; ++dir)
        for (int i = 0; i < (dir ? T : R); ++i) {
            const int Y = (dir ? 0x1A00 : 0x1600) + i;
            const int V = (dir ? 0x7050 : 0x7000) + i;
            const int D = EDS_PDO_Table[size_t(dir * EDS_Max_PDO + i)].Dimension;
            // Only the transmit mapping objects carry their number.
            const QString name = dir ? "Transmit PDO Mapping Parameter " + QString::number(i + 1)
                                     : "Receive PDO Mapping Parameter";
            Put_Object(L, Section_Name(Y), {QString::number(D + 1), name, "0x09", "-", "-", "-", "-"});
            Put_Object(L, Section_Name(Y, 0),
                       {"-", "Number of Entries", "0x07", "0x0005", "ro", "0x" + Hex(D, 2), "0"});
            for (int j = 1; j <= D; ++j)
                Put_Object(L, Section_Name(Y, j),
                           {"-", "Mapping Entry " + QString::number(j), "0x07", "0x0007", "ro",
                            "0x" + Hex(V, 4) + Hex(j, 2) + "08", "0"});
        }

    // Arrays of the PDO bytes.
    for (int dir = 0; dir < 2; ++dir)
        for (int i = 0; i < (dir ? T : R); ++i) {
            const int V = (dir ? 0x7050 : 0x7000) + i;
            const int D = EDS_PDO_Table[size_t(dir * EDS_Max_PDO + i)].Dimension;
            const QString prefix = QLatin1String(dir ? TPDO_Var_Names[size_t(i)] : RPDO_Var_Names[size_t(i)]);
            Put_Object(L, Section_Name(V),
                       {QString::number(D + 1), (dir ? "TPDO" : "RPDO") + QString::number(i + 1), "0x08", "-",
                        "-", "-", "-"});
            Put_Object(
                L, Section_Name(V, 0),
                {"-", "Number of Entries", "0x07", "0x0005", dir ? "rw" : "ro", "0x" + Hex(D, 2), "0"});
            for (int j = 1; j <= D; ++j)
                Put_Object(
                    L, Section_Name(V, j),
                    {"-", prefix + QString::number(j), "0x07", "0x0005", dir ? "rwr" : "rww", "0x00", "1"});
        }

    // Application variables, one record per SDO server index.
    for (const SDO_Index& entry : SDO_Index_List) {
        if (entry.Sub_Indexs.empty())
            continue;
        const int K = int(entry.Sub_Indexs.size());
        const bool has_sub0 = entry.Sub_Indexs.front().Sub == 0;
        Put_Object(L, Section_Name(entry.Index),
                   {QString::number(has_sub0 ? K : K + 1), "App Vars", "0x9", "-", "-", "-", "-"});
        if (!has_sub0)
            Put_Object(L, Section_Name(entry.Index, 0),
                       {"-", "Largest Sub-Index supported", "0x7", "0x0005", "ro",
                        "0x" + Hex(entry.Sub_Indexs.back().Sub, 2), "0"});
        for (const SDO_Sub_Type& sub : entry.Sub_Indexs) {
            const TVariableType& type = sub.Quantity == 1 ? kU8 : sub.Quantity == 2 ? kU16 : kU32;
            L << "[" + Section_Name(entry.Index, sub.Sub) + "]"
              << "ParameterName=Application Variable"
              << "ObjectType=0x7" << QString("DataType=") + type.DataType
              << QString("LowLimit=") + type.LowLimit << QString("HighLimit=") + type.HighLimit
              << QString("DefaultValue=") + type.DefaultValue
              << QString("AccessType=") + (sub.Readonly ? "ro" : "rw") << "PDOMapping=0" << QString();
        }
    }

    L << QString();
    return L;
}

// ---- Export ------------------------------------------------------------------------------------------

void Create_EDS_File(const QString& Name, const QDateTime& Now)
{
    // Everything is read and built before the file is touched.
    TEDS_Writer w;
    w.Load_PDO_Table_For_EDS(File_PDO_CANopen);
    w.Load_SDO_Server_Table_For_EDS(File_SDO_Server_CANopen);
    w.Sort_SDO_Subindexes();
    const QStringList lines = w.EDS_Lines(Now);
    WriteFileAtomic(Name, EncodeWindows1252(lines.join("\r\n") + "\r\n"));
}
