#include "editors/bacnet/UEDE_Writer.h"

#include "app/UGlobals.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

namespace
{

struct TTypeName {
    const char* Name;
    int Type;
};

const TTypeName kType_Names[] = {
    {"ANALOG INPUT", 0},        {"ANALOG OUT", 1},
    {"ANALOG VALUE", 2},        {"BINARY INPUT", 3},
    {"BINARY OUT", 4},          {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},  {"MULTI STATE OUTPUT", 14},
    {"MULTI STATE VALUE", 19},  {"LIFE SAFETY POINT", 21},
    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},        {"CHARACTERSTRING VALUE", 40},
    {"DATETIME VALUE", 44},     {"INTEGER VALUE", 45},
    {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48},
};

const char* const kSections[] = {"BACnet_in_Read", "BACnet_in_Write"};
constexpr int Short_Name = 16, Long_Name = 32;

QString Child_Text(const TXmlElement& root, const char* name)
{
    const TXmlElement e = root.Child(QLatin1String(name));
    return e ? e.Text() : QString();
}

QString Two_Digits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

void TEDE_Export::Reset_EDE_Instance_Counters()
{
    EDE_Instance_Counters.fill(0);
}

void TEDE_Export::Read_EDE_Device_Settings()
{
    EDE_Device_Instance.clear();
    EDE_Long_Names = false;
    if (!FileExists(File_ParGen))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(File_ParGen);
    const TXmlElement root = doc.Root();
    const int type = StrToIntDef(Child_Text(root, "BACnet_Type"), 0);
    EDE_Device_Instance = Child_Text(root, type == 1 ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE");
    const TXmlElement limit = root.Child(QStringLiteral("BACnet_Desc_Chars_Limit"));
    EDE_Long_Names = limit && limit.Text() == QLatin1String("1");
}

void TEDE_Export::Collect_EDE_Objects()
{
    const QString path = File_BACnet_Slave;
    if (!FileExists(path))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlElement root = doc.Root();
    for (const char* section : kSections) {
        const TXmlElement parent = root.Child(QLatin1String(section));
        if (!parent)
            throw EXmlError(QString("%1: element %2 missing").arg(path, QLatin1String(section)));
        const std::vector<TXmlElement> rows = parent.Children(QStringLiteral("row"));
        for (size_t i = 0; i < rows.size(); ++i) {
            auto required = [&](const char* name) {
                if (!rows[i].HasAttribute(QLatin1String(name)))
                    throw EXmlError(QString("%1: %2, row %3: attribute %4 missing")
                                        .arg(path, QLatin1String(section))
                                        .arg(i + 1)
                                        .arg(QLatin1String(name)));
                return rows[i].Attribute(QLatin1String(name));
            };
            const int type = EDE_Object_Type_From_Name(required("Data_Type"));
            const QString unit = required("Eng_Unit");
            const QString mnemonic = required("Mnemonic");
            TBACnet_EDE_Obj obj;
            obj.DevObjInstance = EDE_Device_Instance;
            obj.ObjectName = mnemonic.left(EDE_Long_Names ? Long_Name : Short_Name);
            obj.ObjectType = QString::number(type);
            obj.ObjectInstance = QString::number(Next_EDE_Instance(type));
            obj.Keyname = EDE_Device_Instance + "_" + mnemonic + "_" + obj.ObjectInstance;
            obj.Description = obj.ObjectName;
            obj.UnitCode = unit;
            EDE_Object_List.push_back(obj);
        }
    }
}

int TEDE_Export::EDE_Object_Type_From_Name(const QString& Name)
{
    const QString name = UpperCase(Trim(Name));
    for (const TTypeName& t : kType_Names)
        if (name == QLatin1String(t.Name))
            return t.Type;
    return 0;
}

int TEDE_Export::Next_EDE_Instance(int Type)
{
    for (size_t i = 0; i < Counted_Types.size(); ++i)
        if (Counted_Types[i] == Type)
            return EDE_Instance_Counters[i]++;
    // Every type the name table gives is counted; anything else would be no object of the file.
    return 0;
}

QString TEDE_Export::Format_EDE_Timestamp() const
{
    const QDate d = FNow.date();
    const QTime t = FNow.time();
    return Two_Digits(t.hour()) + ":" + Two_Digits(t.minute()) + ":" + Two_Digits(t.second()) + " " +
           Two_Digits(d.day()) + "/" + Two_Digits(d.month()) + "/" + QString::number(d.year());
}

QStringList TEDE_Export::EDE_Lines() const
{
    QStringList lines = {
        "PROJECT_NAME; Brivexcorp--" + Active_Project_Name + ";;;;;;",
        "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
        "TIMESTAMP_OF_LAST_CHANGE;" + Format_EDE_Timestamp() + ";;;;;;",
        "AUTHOR_OF_LAST_CHANGE;Brivexcorp;;;;;;",
        "VERSION_OF_LAYOUT;2;;;;;;",
        "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
        "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;",
    };
    // Fields as they are: a ";" inside one is the stored format's, not escaped.
    for (const TBACnet_EDE_Obj& o : EDE_Object_List)
        lines << o.Keyname + ";" + o.DevObjInstance + ";" + o.ObjectName + ";" + o.ObjectType + ";" +
                     o.ObjectInstance + ";" + o.Description + ";" + o.UnitCode + ";";
    return lines;
}

void TEDE_Export::Write_EDE_Csv(const QString& FileName) const
{
    QString text;
    for (const QString& line : EDE_Lines())
        text += line + "\r\n";
    WriteFileAtomic(FileName, EncodeWindows1252(text));
}

void Build_EDE_File(const QString& FileName, const QDateTime& Now)
{
    // The object list lives and dies with the export, also when a step raises.
    TEDE_Export ede(Now);
    ede.Reset_EDE_Instance_Counters();
    ede.Read_EDE_Device_Settings();
    ede.Collect_EDE_Objects();
    ede.Write_EDE_Csv(FileName);
}

void Create_EDE_File(const QString& FileName, const QDateTime& Now)
{
    Build_EDE_File(FileName, Now);
}
