#include "editors/fieldbus/UBACnet_Rules.h"

#include "app/ULang.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <initializer_list>

namespace bacnetrules
{

namespace
{

QString Key(const QString& Text)
{
    return UpperCase(Trim(Text));
}

bool One_Of(int Value, std::initializer_list<int> Values)
{
    return std::find(Values.begin(), Values.end(), Value) != Values.end();
}

struct TObjectName {
    const char* Name;
    int Code;
    bool Read_Only;
};

const TObjectName kObjects[] = {
    {"ACCUMULATOR", 1, true},         {"MULTI-STATE INPUT", 2, true},
    {"MULTI-STATE OUTPUT", 3, false}, {"ANALOG INPUT", 4, true},
    {"ANALOG OUTPUT", 5, false},      {"BINARY INPUT", 6, true},
    {"BINARY OUTPUT", 7, false},      {"INTEGER VALUE", 8, false},
    {"LARGE ANALOG VALUE", 9, false}, {"POSITIVE INTEGER VALUE", 10, false},
    {"MULTI-STATE VALUE", 11, false}, {"ANALOG VALUE", 12, false},
    {"BINARY VALUE", 13, false},      {"LIFE SAFETY POINT", 14, false},
    {"LIFE SAFETY ZONE", 15, false},
};

constexpr int Proprietary_Object_Lo = 128, Proprietary_Object_Hi = 1023;
constexpr int Proprietary_Property_Lo = 512, Proprietary_Property_Hi = 4184303;

// A fixed read-side property: accepted for every object code, or only for the listed ones.
struct TPropertyName {
    const char* Name;
    int Code;
    std::initializer_list<int> Objects; // empty: any object
};

const TPropertyName kRead_Properties[] = {
    {"OBJECT IDENTIFIER (75)", 4, {}}, {"SCALE (187)", 1, {1}},
    {"PRESCALE (185)", 5, {1}},        {"POLARITY (84)", 1, {6, 7, 13}},
    {"EVENT STATE (36)", 4, {}},       {"STATUS FLAGS (111)", 1, {}},
    {"OBJECT TYPE (79)", 2, {}},       {"NUMBER OF STATES (74)", 4, {2, 3, 11}},
};

// Present Value's data type per object code: the accepted pairs and the name the refusal shows.
struct TValueType {
    const char* Name; // upper case
    const char* Display;
    std::initializer_list<int> Objects;
    int Accepted; // what Check_Data_Type gives for the pair
};

const TValueType kValue_Types[] = {
    {"UNSIGNED INT", "Unsigned Int", {3, 10, 11}, 4},
    {"SIGNED INT", "Signed Int", {8}, 4},
    {"REAL", "Real", {5, 12}, 4},
    {"DOUBLE", "Double", {9}, 8},
    {"ENUMERATED", "Enumerated", {7, 13}, 1},
};

struct TByteMax {
    const char* Name;
    int Max;
};

const TByteMax kByte_Max[] = {
    {"NULL", 0},
    {"BOOLEAN", 1},
    {"UNSIGNED INT", 4},
    {"SIGNED INT", 4},
    {"REAL", 4},
    {"ENUMERATED", 4},
    {"DATE", 4},
    {"TIME", 4},
    {"OBJECT ID", 4},
    {"DOUBLE", 8},
    {"BIT STRING", 120},
    {"OCTET STRING", 255},
    {"CHARACTER STRING", 255},
};
constexpr int Unknown_Byte_Max = 255;

struct TEdeMap {
    int Type;
    const char* Object;
    const char* Data;
    int Bytes;
};

const TEdeMap kEde[] = {
    {0, "Analog Input", "Real", 4},
    {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},
    {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},
    {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4},
    {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4},
    {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2},
    {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4},
    {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
};

const TEdeMap* Ede(int Object_Type)
{
    for (const TEdeMap& m : kEde)
        if (m.Type == Object_Type)
            return &m;
    return nullptr;
}

bool Proprietary_Object(int Object_Code)
{
    return Object_Code >= Proprietary_Object_Lo && Object_Code <= Proprietary_Object_Hi;
}

} // namespace

int Check_Object_Type(const QString& Text, TSide Side)
{
    const QString key = Key(Text);
    for (const TObjectName& o : kObjects)
        if (key == QLatin1String(o.Name) && (Side == TSide::Read || !o.Read_Only))
            return o.Code;
    const int n = StrToIntDef(key, -1);
    return Proprietary_Object(n) ? n : -1;
}

int Check_Property(const QString& Text, TSide Side, int Object_Code)
{
    const QString key = Key(Text);
    if (key == QLatin1String("PRESENT VALUE (85)"))
        return Present_Value;
    if (Side == TSide::Read) {
        if (key == QLatin1String("UNITS (117)"))
            return One_Of(Object_Code, {2, 3, 6, 7, 11, 13}) ? -1 : 4;
        for (const TPropertyName& p : kRead_Properties)
            if (key == QLatin1String(p.Name) && (p.Objects.size() == 0 || One_Of(Object_Code, p.Objects)))
                return p.Code;
    }
    const int n = StrToIntDef(key, -1);
    return n >= Proprietary_Property_Lo && n <= Proprietary_Property_Hi ? Proprietary_Property : -1;
}

int Check_Data_Type(const QString& Text, int Object_Code, int Property_Code)
{
    if (Property_Code != Present_Value)
        return 1000;
    const QString key = Key(Text);
    for (const TValueType& t : kValue_Types)
        if (key == QLatin1String(t.Name) && One_Of(Object_Code, t.Objects))
            return t.Accepted;
    if (Proprietary_Object(Object_Code))
        return 0;
    return -1;
}

QString Aspected_Data_Type_Value(int Object_Code, int Property_Code)
{
    if (Property_Code != Present_Value)
        return QString();
    for (const TValueType& t : kValue_Types)
        if (One_Of(Object_Code, t.Objects))
            return QString::fromLatin1(t.Display);
    return QString();
}

int Check_Num_Byte_Max(const QString& Data_Type)
{
    const QString key = Key(Data_Type);
    for (const TByteMax& b : kByte_Max)
        if (key == QLatin1String(b.Name))
            return b.Max;
    return Unknown_Byte_Max;
}

int Dest_Add_Fault(const QString& Text, int N, TSide Side)
{
    const bool read = Side == TSide::Read;
    const int value_text = read ? 2082 : 2083, many_text = read ? 2084 : 2085, few_text = read ? 2088 : 2089;
    const QString text = Trim(Text);
    if (text.isEmpty())
        return few_text;
    QStringList items = text.split(',');
    // One separator after the last item is allowed.
    if (items.size() > 1 && Trim(items.last()).isEmpty())
        items.removeLast();
    int count = 0;
    for (const QString& item : items) {
        const int v = StrToIntDef(Trim(item), -1);
        if (v < 0 || v > 255)
            return value_text;
        if (++count > N)
            return many_text;
    }
    return count < N ? few_text : 0;
}

int Error_Row_Text(TSide Side)
{
    return Side == TSide::Read ? 2037 : 2046;
}

bool Check_Dest_Add(const QString& Text, int N, TSide Side, int Row)
{
    const int fault = Dest_Add_Fault(Text, N, Side);
    if (fault == 0)
        return false;
    MessageDlg(Lang_Text(Error_Row_Text(Side)) + QString::number(Row) + Lang_Text(fault), mtError, mbOK);
    return true;
}

QString Get_ObjType_EDE(int Object_Type)
{
    const TEdeMap* m = Ede(Object_Type);
    return m ? QString::fromLatin1(m->Object) : QString();
}

QString Get_DataType_EDE(int Object_Type)
{
    const TEdeMap* m = Ede(Object_Type);
    return QString::fromLatin1(m ? m->Data : "Null");
}

int Get_NumByte_EDE(int Object_Type)
{
    const TEdeMap* m = Ede(Object_Type);
    return m ? m->Bytes : 4;
}

bool EDE_Type_Taken(int Object_Type)
{
    return Ede(Object_Type) != nullptr;
}

QString Read_Property_Bytes(const QString& Object_Type, const QString& Property)
{
    if (Trim(Object_Type).isEmpty() || Trim(Property).isEmpty())
        return QString();
    const int object = Check_Object_Type(Object_Type, TSide::Read);
    const int property = Check_Property(Property, TSide::Read, object);
    if (property >= 1 && property <= 49)
        return QString::number(property);
    if (property != Present_Value)
        return QString();
    if (One_Of(object, {1, 2, 3, 4, 5, 8, 10}))
        return QStringLiteral("4");
    if (One_Of(object, {6, 7}))
        return QStringLiteral("1");
    if (object == 9)
        return QStringLiteral("8");
    return QString();
}

} // namespace bacnetrules
