// Address, number and code helpers.
#include "app/UHelpers.h"
#include "common/TestSupport.h"
#include "platform/system/SerialPorts.h"
#include "platform/core/SysUtils.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

TEST(Helpers, SplitIPAddress)
{
    struct Case {
        const char* text;
        bool ok;
        const char* parts; // P1|P2|P3|P4 after the call ("-" = untouched)
    };
    const Case cases[] = {
        {"192.168.2.205", true, "192|168|2|205"},
        {"  192 . 168 .2 .  205  ", true, "192|168|2|205"},
        {"0.0.0.0", true, "0|0|0|0"},
        {"$C0.168.2.0x10", true, "$C0|168|2|0x10"},
        {"192.168.2", false, "192|168|-|-"},
        {"192.168.2.256", false, "192|168|2|256"},
        {"192.168.2.5.1", false, "192|168|2|5.1"},
        {"192", false, "-|-|-|-"},
        {"", false, "-|-|-|-"},
        {"a.b.c.d", false, "a|b|c|d"},
        {"1.2.3.-1", false, "1|2|3|-1"},
        {"1.2.3.", false, "1|2|3|"},
        {"99999999999.1.1.1", false, "99999999999|1|1|1"},
    };
    for (const Case& c : cases) {
        QString p[4] = {"-", "-", "-", "-"};
        EXPECT_EQ(Split_IP_Address(c.text, p[0], p[1], p[2], p[3]), c.ok) << c.text;
        EXPECT_EQ(QStringList(std::begin(p), std::end(p)).join('|'), c.parts) << c.text;
    }
}

TEST(Helpers, DecodeIPAddress)
{
    struct Case {
        const char* text;
        bool fault;
        int b1, b2, b3, b4;
    };
    const Case cases[] = {
        {"10.0.0.7", false, 10, 0, 0, 7},
        {"10.0.0", true, 10, 0, 0, 0},     // third part empty, fourth reads the remaining 0
        {"10.0.0.7.9", true, 10, 0, 0, 0}, // fourth part is 7.9
        {"1.2.3.x", true, 1, 2, 3, 0},
        {" 1.2.3.4", false, 1, 2, 3, 4}, // a leading blank converts
        {"1 .2.3.4", true, 0, 2, 3, 4},  // a trailing blank does not (parts are not trimmed)
        {"300.2.3.4", true, 0, 2, 3, 4},
        {"$FF.0x1.2.3", false, 255, 1, 2, 3},
        {"4294967296.1.1.1", true, 0, 1, 1, 1},
    };
    for (const Case& c : cases) {
        uint8_t b[4] = {99, 99, 99, 99};
        EXPECT_EQ(Decode_IP_Address(c.text, b[0], b[1], b[2], b[3]), c.fault) << c.text;
        EXPECT_EQ(b[0], c.b1) << c.text;
        EXPECT_EQ(b[1], c.b2) << c.text;
        EXPECT_EQ(b[2], c.b3) << c.text;
        EXPECT_EQ(b[3], c.b4) << c.text;
    }
    uint8_t b[4] = {9, 8, 7, 6};
    EXPECT_TRUE(Decode_IP_Address("", b[0], b[1], b[2], b[3]));
    EXPECT_EQ(b[0], 9);
    EXPECT_EQ(b[3], 6);
}

TEST(Helpers, DecodeIPPort)
{
    struct Case {
        const char* text;
        bool ok;
        int b1, b2, b3, b4, port;
    };
    const Case cases[] = {
        {"192.168.0.10:502", true, 192, 168, 0, 10, 502},
        {" 192 . 168 . 0 . 10 : 502 ", true, 192, 168, 0, 10, 502},
        {"1.2.3.4:65535", true, 1, 2, 3, 4, 65535},
        {"192.168.0.10", false, 0, 0, 0, 0, 0},
        {"192.168.0.10:70000", false, 0, 0, 0, 0, 0},
        {"192.168.0.10:", false, 0, 0, 0, 0, 0},
        {"192.168.0.256:502", false, 0, 0, 0, 0, 0},
        {"192.168:502", false, 0, 0, 0, 0, 0},
        {"1.2.3:4.5", false, 0, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0, 0},
        {"10", false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        uint8_t b[4] = {99, 99, 99, 99};
        uint16_t port = 99;
        EXPECT_EQ(Decode_IP_Port(c.text, b[0], b[1], b[2], b[3], port), c.ok) << c.text;
        EXPECT_EQ(b[0], c.b1) << c.text;
        EXPECT_EQ(b[1], c.b2) << c.text;
        EXPECT_EQ(b[2], c.b3) << c.text;
        EXPECT_EQ(b[3], c.b4) << c.text;
        EXPECT_EQ(port, c.port) << c.text;
    }
}

class RegionalSettings : public ::testing::Test
{
  protected:
    void TearDown() override { ResetFormatSettings(); }
    static void useSeparator(QChar c)
    {
        TFormatSettings fs;
        fs.DecimalSeparator = c;
        SetFormatSettings(fs);
    }
};

TEST_F(RegionalSettings, DecimalSeparator)
{
    useSeparator(',');
    EXPECT_EQ(Get_Decimal_Separator(), QChar(','));
    useSeparator('.');
    EXPECT_EQ(Get_Decimal_Separator(), QChar('.'));
    useSeparator(QChar(0x066B)); // Arabic decimal separator: neither "," nor "."
    EXPECT_EQ(Get_Decimal_Separator(), QChar(','));
}

TEST_F(RegionalSettings, FloatTextWithEitherSeparator)
{
    struct Case {
        QChar regional;
        const char* text;
        QChar sep;
        bool ok;
        float value;
    };
    const Case cases[] = {
        {',', "1.5", ',', true, 1.5f},     {',', "1,5", ',', true, 1.5f},   {'.', "1,5", '.', true, 1.5f},
        {'.', "-2.25", '.', true, -2.25f}, {',', "abc", ',', false, 1.0f},  {',', "", ',', false, 1.0f},
        {',', "1.2.3", ',', false, 1.0f},  {'.', "1e39", '.', false, 1.0f}, // beyond the 32-bit float range
        {'.', "1.5", ',', false, 1.0f}, // "1,5" does not convert with the regional "."
        {',', "1,5", '.', false, 1.0f},
    };
    for (const Case& c : cases) {
        useSeparator(c.regional);
        float v = 42.0f;
        EXPECT_EQ(Str_To_Float_Sep(c.text, c.sep, v), c.ok) << c.text;
        EXPECT_FLOAT_EQ(v, c.value) << c.text;
    }
}

TEST(Helpers, OPCUACodeTables)
{
    struct Case {
        void (*toStr)(int, QString&);
        int code;
        const char* text;
    };
    const Case cases[] = {
        {OPC_UA_Id_Type_To_Str, 0, "Numeric"},
        {OPC_UA_Id_Type_To_Str, 3, "String"},
        {OPC_UA_Id_Type_To_Str, 4, "Guid"},
        {OPC_UA_Id_Type_To_Str, 5, "ByteString"},
        {OPC_UA_Id_Type_To_Str, 1, ""},
        {OPC_UA_Id_Type_To_Str, 2, ""},
        {OPC_UA_Id_Type_To_Str, 6, ""},
        {OPC_UA_Id_Type_To_Str, -1, ""},
        {OPC_UA_Data_Type_To_Str, 0, "Boolean"},
        {OPC_UA_Data_Type_To_Str, 1, "Int8"},
        {OPC_UA_Data_Type_To_Str, 2, "UInt8"},
        {OPC_UA_Data_Type_To_Str, 3, "Int16"},
        {OPC_UA_Data_Type_To_Str, 4, "UInt16"},
        {OPC_UA_Data_Type_To_Str, 5, "Int32"},
        {OPC_UA_Data_Type_To_Str, 6, "UInt32"},
        {OPC_UA_Data_Type_To_Str, 7, "Int64"},
        {OPC_UA_Data_Type_To_Str, 8, "UInt64"},
        {OPC_UA_Data_Type_To_Str, 9, "Float"},
        {OPC_UA_Data_Type_To_Str, 10, "Double"},
        {OPC_UA_Data_Type_To_Str, 11, "String"},
        {OPC_UA_Data_Type_To_Str, 12, "DateTime"},
        {OPC_UA_Data_Type_To_Str, 13, "Guid"},
        {OPC_UA_Data_Type_To_Str, 14, "ByteString"},
        {OPC_UA_Data_Type_To_Str, 15, ""},
        {OPC_UA_Data_Type_To_Str, -1, ""},
        {OPC_UA_Auth_To_Str, 0, "Anonymous"},
        {OPC_UA_Auth_To_Str, 1, "Username and Password"},
        {OPC_UA_Auth_To_Str, 2, "Certificate"},
        {OPC_UA_Auth_To_Str, 7, "Certificate"},
        {OPC_UA_Auth_To_Str, -1, "Certificate"},
        {OPC_UA_Sec_Mode_To_Str, 0, "None"},
        {OPC_UA_Sec_Mode_To_Str, 1, "Sign"},
        {OPC_UA_Sec_Mode_To_Str, 2, "Sign and Encrypt"},
        {OPC_UA_Sec_Mode_To_Str, -3, "Sign and Encrypt"},
        {OPC_UA_Sec_Policy_To_Str, 0, "None"},
        {OPC_UA_Sec_Policy_To_Str, 1, "Basic 128 RSA 15"},
        {OPC_UA_Sec_Policy_To_Str, 2, "Basic 256"},
        {OPC_UA_Sec_Policy_To_Str, 3, "Basic 256 SHA 256"},
        {OPC_UA_Sec_Policy_To_Str, 4, "AES 128 SHA 256 RSA OAEP"},
        {OPC_UA_Sec_Policy_To_Str, 5, "AES 256 SHA 256 RSA PSS"},
        {OPC_UA_Sec_Policy_To_Str, 99, "AES 256 SHA 256 RSA PSS"},
    };
    for (const Case& c : cases) {
        QString text = "-";
        c.toStr(c.code, text);
        EXPECT_EQ(text, c.text) << c.code;
    }

    EXPECT_EQ(Str_To_OPC_UA_Id_Type("bytestring"), 5);
    EXPECT_EQ(Str_To_OPC_UA_Id_Type("GUID"), 4);
    EXPECT_EQ(Str_To_OPC_UA_Id_Type("String"), 3);
    EXPECT_EQ(Str_To_OPC_UA_Id_Type("Numeric"), 0);
    EXPECT_EQ(Str_To_OPC_UA_Id_Type("Opaque"), 0);
    EXPECT_EQ(Str_To_OPC_UA_Auth("Username and Password"), 1);
    EXPECT_EQ(Str_To_OPC_UA_Auth("anonymous"), 2); // exact, case-sensitive
    EXPECT_EQ(Str_To_OPC_UA_Auth("Anonymous"), 0);
    EXPECT_EQ(Str_To_OPC_UA_Sec_Mode("Sign"), 1);
    EXPECT_EQ(Str_To_OPC_UA_Sec_Mode("None "), 2);
    EXPECT_EQ(Str_To_OPC_UA_Sec_Policy("AES 128 SHA 256 RSA OAEP"), 4);
    EXPECT_EQ(Str_To_OPC_UA_Sec_Policy("Basic 256"), 2);
    EXPECT_EQ(Str_To_OPC_UA_Sec_Policy("AES 256 SHA 256 RSA PSS"), 5);
    EXPECT_EQ(Str_To_OPC_UA_Sec_Policy(""), 5);
}

TEST(Helpers, OPCUATextToCode)
{
    struct Case {
        int (*toCode)(const QString&);
        const char* text;
        int code;
    };
    const Case cases[] = {
        {Str_To_OPC_UA_Id_Type, "NUMERIC", 0},
        {Str_To_OPC_UA_Id_Type, "STRING", 3},
        {Str_To_OPC_UA_Id_Type, "GUID", 4},
        {Str_To_OPC_UA_Id_Type, "BYTESTRING", 5},
        {Str_To_OPC_UA_Id_Type, "Guid", 4},
        {Str_To_OPC_UA_Id_Type, "ByteString", 5},
        {Str_To_OPC_UA_Id_Type, "string", 3},
        {Str_To_OPC_UA_Id_Type, "", 0},
        {Str_To_OPC_UA_Id_Type, "Byte String", 0},
        {Str_To_OPC_UA_Auth, "Anonymous", 0},
        {Str_To_OPC_UA_Auth, "Username and Password", 1},
        {Str_To_OPC_UA_Auth, "Certificate", 2},
        {Str_To_OPC_UA_Auth, "username and password", 2},
        {Str_To_OPC_UA_Auth, "", 2},
        {Str_To_OPC_UA_Sec_Mode, "None", 0},
        {Str_To_OPC_UA_Sec_Mode, "Sign", 1},
        {Str_To_OPC_UA_Sec_Mode, "Sign and Encrypt", 2},
        {Str_To_OPC_UA_Sec_Mode, "none", 2},
        {Str_To_OPC_UA_Sec_Mode, "", 2},
        {Str_To_OPC_UA_Sec_Policy, "None", 0},
        {Str_To_OPC_UA_Sec_Policy, "Basic 128 RSA 15", 1},
        {Str_To_OPC_UA_Sec_Policy, "Basic 256", 2},
        {Str_To_OPC_UA_Sec_Policy, "Basic 256 SHA 256", 3},
        {Str_To_OPC_UA_Sec_Policy, "AES 128 SHA 256 RSA OAEP", 4},
        {Str_To_OPC_UA_Sec_Policy, "AES 256 SHA 256 RSA PSS", 5},
        {Str_To_OPC_UA_Sec_Policy, "basic 256", 5},
        {Str_To_OPC_UA_Sec_Policy, "Sign", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.toCode(c.text), c.code) << c.text;
}

TEST(Helpers, OPCUANodeIdText)
{
    opcua_structure item{};
    QString text;
    item.identifierType = 0;
    item.numeric = 4294967295u;
    OPC_UA_Node_Id_To_Str(item, text);
    EXPECT_EQ(text, "4294967295");

    char name[] = "Line1.Speed";
    item.identifierType = 3;
    item.stringname = name;
    item.stringLength = 99; // not used: the text ends at its zero
    OPC_UA_Node_Id_To_Str(item, text);
    EXPECT_EQ(text, "Line1.Speed");

    item.identifierType = 4;
    item.guide1 = 0x1234;
    item.guide2 = 0xABCD;
    item.guide3 = 0x0F;
    const uint8_t g4[8] = {0x01, 0xA2, 0x03, 0x04, 0x05, 0x06, 0x07, 0xFF};
    std::memcpy(item.guide4, g4, 8);
    OPC_UA_Node_Id_To_Str(item, text);
    EXPECT_EQ(text, "00001234-ABCD-000F-01A2-0304050607FF");

    char bytes[] = "0xDEADBEEF";
    item.identifierType = 5;
    item.byteString = bytes;
    OPC_UA_Node_Id_To_Str(item, text);
    EXPECT_EQ(text, "0xDEADBEEF");

    item.byteString = nullptr;
    OPC_UA_Node_Id_To_Str(item, text);
    EXPECT_EQ(text, "");

    item.identifierType = 2;
    OPC_UA_Node_Id_To_Str(item, text);
    EXPECT_EQ(text, "");
}

TEST(Helpers, SNMPChecks)
{
    const std::pair<QString, int> oids[] = {
        {"1.3.6.1", 0},
        {"1.3.6.1.4.1.4294967295", 0},
        {"1", 0},
        {QString(62, '1'), 1},
        {QString(61, '1'), 6},
        {".1.3", 3},
        {"1.3.", 4},
        {"1..3", 5},
        {"1.3a", 2},
        {"1. 3", 2},
        {"", 2},
        {"1.4294967296", 6},
        {"1.99999999999999999999", 6}, // 20 digits: does not read
        {"1.0000000000000000000000001", 0},
        // The first failing test gives the code.
        {QString(62, 'a'), 1},
        {".a", 2},
        {".1..3", 3},
        {"1..3.", 4},
        {"1..4294967296", 5},
    };
    for (const auto& [text, code] : oids)
        EXPECT_EQ(Check_SNMP_OID(text), code) << text.toStdString();

    EXPECT_EQ(Check_SNMP_Password("abc", true), 0);
    EXPECT_EQ(Check_SNMP_Password("abc", false), 2);
    EXPECT_EQ(Check_SNMP_Password("", true), 2);
    EXPECT_EQ(Check_SNMP_Password("abcd1234", false), 0);
    EXPECT_EQ(Check_SNMP_Password("abcd1234!", false), 3);
    EXPECT_EQ(Check_SNMP_Password("ab!", false), 2); // length before characters
    EXPECT_EQ(Check_SNMP_Password(QString::fromUtf8("abcdé234"), false), 3);
    EXPECT_EQ(Check_SNMP_Password("abcdefghijklmnop", true), 1);
    EXPECT_EQ(Check_SNMP_Password("!!!!!!!!!!!!!!!!", false), 1);

    EXPECT_EQ(SNMP_Sec_Level("  auth priv  "), 3);
    EXPECT_EQ(SNMP_Sec_Level("Auth NoPriv"), 1);
    EXPECT_EQ(SNMP_Sec_Level("NoAuth NoPriv"), 0);
    EXPECT_EQ(SNMP_Sec_Level("AUTH  PRIV"), 0);
    EXPECT_EQ(SNMP_Sec_Level(""), -1);
    EXPECT_EQ(SNMP_Sec_Level("   "), -1);
}

TEST(Helpers, MQTTProtocol)
{
    QString n1 = "x", n2 = "y";
    EXPECT_EQ(Get_MQTT_Protocol(n1, n2), 1);
    EXPECT_EQ(n1, "MQTT");
    EXPECT_EQ(n2, "");
}

TEST(Helpers, ListCOMPortsFindsTheDevicesThatOpen)
{
    TempDir dir;
    // COM1, COM3 and COM256 are present; a folder named like a port does not open for writing.
    writeBytes(dir.file("ttyS0"), "");
    writeBytes(dir.file("ttyS2"), "");
    writeBytes(dir.file("ttyS255"), "");
    writeBytes(dir.file("ttyS256"), ""); // COM257: beyond the range
    QDir(dir.path()).mkdir("ttyS4");
    SetSerialDevicePrefix(dir.file("ttyS"));
    EXPECT_EQ(SerialPortDevice(1), dir.file("ttyS0"));
    EXPECT_EQ(List_COM_Ports(), QStringList({"1", "3", "256"}));
    SetSerialDevicePrefix("");
    EXPECT_EQ(SerialDevicePrefix(), "/dev/ttyS");
}

TEST(Helpers, BusyOrRefusedPortsArePresent)
{
    EXPECT_TRUE(SerialOpenErrorMeansPresent(EBUSY));
    EXPECT_TRUE(SerialOpenErrorMeansPresent(EACCES));
    EXPECT_TRUE(SerialOpenErrorMeansPresent(EPERM));
    EXPECT_FALSE(SerialOpenErrorMeansPresent(ENOENT));
    EXPECT_FALSE(SerialOpenErrorMeansPresent(EIO)); // a device node with no UART behind it
    EXPECT_FALSE(SerialOpenErrorMeansPresent(ENXIO));
    EXPECT_FALSE(SerialOpenErrorMeansPresent(EISDIR));
}
