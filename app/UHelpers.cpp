#include "app/UHelpers.h"

#include "platform/system/SerialPorts.h"
#include "platform/core/SysUtils.h"

#include <cfloat>
#include <cmath>

namespace
{

// Text before the first "." (or other separator) and the rest after it; false when absent.
bool splitAt(const QString& s, QChar sep, QString& before, QString& after)
{
    const int p = s.indexOf(sep);
    if (p < 0)
        return false;
    before = s.left(p);
    after = s.mid(p + 1);
    return true;
}

bool inRange(const QString& text, int32_t low, int32_t high, int32_t fallback, int32_t& value)
{
    value = StrToIntDef(text, fallback);
    return value >= low && value <= high;
}

struct TCodeText {
    int Code;
    const char* Text;
};

const TCodeText kIdTypes[] = {{0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"}};

const char* const kDataTypes[] = {"Boolean", "Int8",   "UInt8",    "Int16",  "UInt16",
                                  "Int32",   "UInt32", "Int64",    "UInt64", "Float",
                                  "Double",  "String", "DateTime", "Guid",   "ByteString"};

const char* const kAuth[] = {"Anonymous", "Username and Password", "Certificate"};
const char* const kSecModes[] = {"None", "Sign", "Sign and Encrypt"};
const char* const kSecPolicies[] = {"None",
                                    "Basic 128 RSA 15",
                                    "Basic 256",
                                    "Basic 256 SHA 256",
                                    "AES 128 SHA 256 RSA OAEP",
                                    "AES 256 SHA 256 RSA PSS"};

// Code to text where every code past the listed ones gives the last text.
template <size_t N> QString lastForOthers(const char* const (&texts)[N], int code)
{
    return QString::fromLatin1(texts[code >= 0 && code < int(N) ? code : int(N) - 1]);
}

// Exact text to code; anything else gives the last code.
template <size_t N> int exactOrLast(const char* const (&texts)[N], const QString& text)
{
    for (size_t i = 0; i + 1 < N; ++i)
        if (text == QLatin1String(texts[i]))
            return int(i);
    return int(N) - 1;
}

QString cText(const char* p)
{
    return p ? QString::fromUtf8(p) : QString();
}

} // namespace

// ---- IPv4 addresses ----------------------------------------------------------------------------------

bool Split_IP_Address(const QString& Text, QString& P1, QString& P2, QString& P3, QString& P4)
{
    QString s = Trim(Text);
    if (!s.contains('.'))
        return false;
    QString part, rest;
    QString* const firstTwo[] = {&P1, &P2};
    for (QString* p : firstTwo) {
        splitAt(s, '.', part, rest);
        *p = Trim(part);
        s = Trim(rest);
        if (!s.contains('.'))
            return false;
    }
    splitAt(s, '.', part, rest);
    P3 = Trim(part);
    P4 = Trim(rest);
    int32_t v;
    for (const QString* p : {&P1, &P2, &P3, &P4})
        if (!inRange(*p, 0, 255, 1000, v))
            return false;
    return true;
}

bool Decode_IP_Address(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4)
{
    if (Text.isEmpty())
        return true;
    bool fault = false;
    QString s = Text;
    uint8_t* const bytes[] = {&B1, &B2, &B3, &B4};
    for (int i = 0; i < 4; ++i) {
        QString part, rest;
        if (i == 3)
            part = s;
        else if (splitAt(s, '.', part, rest))
            s = rest; // no "." left: the part is empty and the remaining text stays as it is
        int32_t v;
        if (inRange(part, 0, 255, -1, v)) {
            *bytes[i] = uint8_t(v);
        } else {
            *bytes[i] = 0;
            fault = true;
        }
    }
    return fault;
}

bool Decode_IP_Port(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4, uint16_t& Port)
{
    B1 = B2 = B3 = B4 = 0;
    Port = 0;
    if (Text.isEmpty() || !Text.contains('.'))
        return false;
    int32_t v[5];
    QString s = Text;
    const QChar following[] = {'.', '.', ':'};
    for (int i = 0; i < 3; ++i) {
        QString part, rest;
        if (!splitAt(s, '.', part, rest) || !inRange(Trim(part), 0, 255, -1, v[i]))
            return false;
        s = Trim(rest);
        if (!s.contains(following[i]))
            return false;
    }
    QString part, rest;
    splitAt(s, ':', part, rest);
    if (!inRange(Trim(part), 0, 255, -1, v[3]) || !inRange(Trim(rest), 0, 65535, -1, v[4]))
        return false;
    B1 = uint8_t(v[0]);
    B2 = uint8_t(v[1]);
    B3 = uint8_t(v[2]);
    B4 = uint8_t(v[3]);
    Port = uint16_t(v[4]);
    return true;
}

// ---- Serial ports, decimal separator, float text ----------------------------------------------------

QStringList List_COM_Ports()
{
    QStringList ports;
    for (int n = 1; n <= 256; ++n)
        if (SerialPortPresent(n))
            ports << QString::number(n);
    return ports;
}

QChar Get_Decimal_Separator()
{
    const QChar c = FormatSettings().DecimalSeparator;
    return c == ',' || c == '.' ? c : QChar(',');
}

bool Str_To_Float_Sep(const QString& Text, QChar Sep, float& Value)
{
    QString t = Text;
    if (Sep == '.')
        t.replace(',', '.');
    else
        t.replace('.', ',');
    double d;
    if (!TryStrToFloat(t, d) || std::fabs(d) > FLT_MAX) {
        Value = 1.0f;
        return false;
    }
    Value = float(d);
    return true;
}

// ---- OPC UA code tables ------------------------------------------------------------------------------

void OPC_UA_Id_Type_To_Str(int Code, QString& Text)
{
    Text.clear();
    for (const TCodeText& c : kIdTypes)
        if (c.Code == Code)
            Text = QString::fromLatin1(c.Text);
}

int Str_To_OPC_UA_Id_Type(const QString& Text)
{
    for (const TCodeText& c : kIdTypes)
        if (SameText(Text, QLatin1String(c.Text)))
            return c.Code;
    return 0;
}

void OPC_UA_Node_Id_To_Str(const opcua_structure& Item, QString& Text)
{
    switch (Item.identifierType) {
    case 0:
        Text = QString::number(Item.numeric);
        break;
    case 3:
        Text = cText(Item.stringname);
        break;
    case 4: {
        const uint8_t* g = Item.guide4;
        Text = IntToHex(Item.guide1, 8) + "-" + IntToHex(Item.guide2, 4) + "-" + IntToHex(Item.guide3, 4) +
               "-" + IntToHex(g[0], 2) + IntToHex(g[1], 2) + "-";
        for (int i = 2; i < 8; ++i)
            Text += IntToHex(g[i], 2);
        break;
    }
    case 5:
        Text = cText(Item.byteString);
        break;
    default:
        Text.clear();
    }
}

void OPC_UA_Data_Type_To_Str(int Code, QString& Text)
{
    Text = Code >= 0 && Code < int(std::size(kDataTypes)) ? QString::fromLatin1(kDataTypes[Code]) : QString();
}

void OPC_UA_Auth_To_Str(int Code, QString& Text)
{
    Text = lastForOthers(kAuth, Code);
}
int Str_To_OPC_UA_Auth(const QString& Text)
{
    return exactOrLast(kAuth, Text);
}
void OPC_UA_Sec_Mode_To_Str(int Code, QString& Text)
{
    Text = lastForOthers(kSecModes, Code);
}
int Str_To_OPC_UA_Sec_Mode(const QString& Text)
{
    return exactOrLast(kSecModes, Text);
}
void OPC_UA_Sec_Policy_To_Str(int Code, QString& Text)
{
    Text = lastForOthers(kSecPolicies, Code);
}
int Str_To_OPC_UA_Sec_Policy(const QString& Text)
{
    return exactOrLast(kSecPolicies, Text);
}

// ---- SNMP ---------------------------------------------------------------------------------------------

int Check_SNMP_OID(const QString& Text)
{
    if (Text.size() > 61)
        return 1;
    if (Text.isEmpty())
        return 2;
    for (QChar c : Text)
        if (c != '.' && (c < '0' || c > '9'))
            return 2;
    if (Text.front() == '.')
        return 3;
    if (Text.back() == '.')
        return 4;
    if (Text.contains(".."))
        return 5;
    for (const QString& part : Text.split('.')) {
        int64_t v;
        // A part that does not read as a 64-bit integer (more than 19 digits) counts as too large.
        if (!TryStrToInt64(Trim(part), v) || v > int64_t(0xFFFFFFFF))
            return 6;
    }
    return 0;
}

int Check_SNMP_Password(const QString& Text, bool User_Name)
{
    if (Text.size() > 15)
        return 1;
    if (Text.size() < (User_Name ? 1 : 8))
        return 2;
    for (QChar c : Text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return 3;
    return 0;
}

int SNMP_Sec_Level(const QString& Text)
{
    const QString t = Trim(UpperCase(Text));
    if (t == "AUTH NOPRIV")
        return 1;
    if (t == "AUTH PRIV")
        return 3;
    if (t.isEmpty())
        return -1;
    return 0;
}

// ---- Wireless side -----------------------------------------------------------------------------------

int Get_MQTT_Protocol(QString& Name1, QString& Name2)
{
    Name1 = "MQTT";
    Name2.clear();
    return 1;
}
