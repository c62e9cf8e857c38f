// Address, number and code helpers: free functions shared by the editors' data checks
// and the device-update dialog. They keep no state, show no message and never raise; each reports
// through its result. Integer texts use the one conversion of the Conventions (StrToIntDef,
// 32-bit): a trailing blank, an empty text or more than eight hexadecimal digits give the fallback;
// eight hexadecimal digits from 80000000 up read as negative numbers.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>

// ---- Records exchanged with the OPC UA browse library -------------------------------------------
// The library's records in its field order with native pointers (zero-terminated 8-bit texts owned
// by the side that filled the record). On 64-bit Linux the pointers are 8 bytes wide and aligned,
// so the sizes differ from the original 32-bit layout (56 and 32 bytes): see the static_asserts.

struct opcua_structure {
    uint16_t nameSpaceIndex;
    uint16_t identifierType; // 0 numeric, 3 string, 4 GUID, 5 byte string
    uint32_t numeric;
    char* stringname;
    uint32_t stringLength;
    uint32_t guide1;
    uint16_t guide2;
    uint16_t guide3;
    uint8_t guide4[8];
    char* byteString;
    uint32_t byteStringLength;
    char* displayName;
    uint32_t displayNameLength;
    int32_t dataType; // 0..14, see OPC_UA_Data_Type_To_Str
    uint8_t accessLevel;
    uint8_t spare[3];
};

struct opcua_server_to_discover {
    char* server_address;
    int32_t user_pass_auth_flag;
    char* username;
    char* password;
    char* cert;
    char* priv_key;
    int32_t security_type;
    int32_t security_policy;
};

// GUID field of the OPC UA records of the configuration image (no pointers: 16 bytes everywhere).
struct TOPC_UA_Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

static_assert(sizeof(TOPC_UA_Guid) == 16);
static_assert(sizeof(void*) != 8 || sizeof(opcua_structure) == 80);
static_assert(sizeof(void*) != 8 || sizeof(opcua_server_to_discover) == 56);
static_assert(sizeof(void*) != 4 || sizeof(opcua_structure) == 56);
static_assert(sizeof(void*) != 4 || sizeof(opcua_server_to_discover) == 32);

// ---- IPv4 addresses --------------------------------------------------------------------------------

// True when Text (blanks allowed around the whole and around each part) splits into four dotted
// parts, each 0..255. P1..P4 receive the trimmed part texts as far as the split got; further dots
// stay in P4.
bool Split_IP_Address(const QString& Text, QString& P1, QString& P2, QString& P3, QString& P4);

// Fault flag: true when Text is empty (bytes untouched) or a part is not 0..255 (that byte 0).
// Parts are not trimmed; part 4 is the whole remaining text.
bool Decode_IP_Address(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4);

// Success: Text is "a.b.c.d:port" (blanks around parts allowed); on false all outputs are 0.
bool Decode_IP_Port(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4, uint16_t& Port);

// ---- Serial ports, decimal separator, float text --------------------------------------------------

// Numbers (decimal texts, ascending) of the serial ports present among 1..256; port N is the device
// SerialDevicePrefix() + (N - 1), so COM1 is /dev/ttyS0 (platform/SerialPorts.h).
QStringList List_COM_Ports();

// The regional decimal separator (toolkit's regional settings): "," or "."; anything else gives ",".
QChar Get_Decimal_Separator();

// With Sep "." every "," becomes ".", otherwise every "." becomes ","; then the text converts with
// the regional settings. Failure (also a value beyond the 32-bit float range): Value := 1.0, false.
bool Str_To_Float_Sep(const QString& Text, QChar Sep, float& Value);

// ---- OPC UA code tables ----------------------------------------------------------------------------

void OPC_UA_Id_Type_To_Str(int Code, QString& Text); // 0, 3, 4, 5; other codes ""
int Str_To_OPC_UA_Id_Type(const QString& Text);      // case-insensitive; anything else 0
void OPC_UA_Node_Id_To_Str(const opcua_structure& Item, QString& Text);
void OPC_UA_Data_Type_To_Str(int Code, QString& Text);  // 0..14; other codes ""
void OPC_UA_Auth_To_Str(int Code, QString& Text);       // other codes "Certificate"
int Str_To_OPC_UA_Auth(const QString& Text);            // exact; anything else 2
void OPC_UA_Sec_Mode_To_Str(int Code, QString& Text);   // other codes "Sign and Encrypt"
int Str_To_OPC_UA_Sec_Mode(const QString& Text);        // exact; anything else 2
void OPC_UA_Sec_Policy_To_Str(int Code, QString& Text); // other codes "AES 256 SHA 256 RSA PSS"
int Str_To_OPC_UA_Sec_Policy(const QString& Text);      // exact; anything else 5

// ---- SNMP -------------------------------------------------------------------------------------------

// 0 valid; 1 longer than 61 characters; 2 a character other than a digit or "."; 3 starts with ".";
// 4 ends with "."; 5 two "." in a row; 6 a number above 0xFFFFFFFF (or too long to read).
// The empty text, outside the documented contract, gives 2 (it holds no number).
int Check_SNMP_OID(const QString& Text);

// 0 valid; 1 more than 15 characters; 2 shorter than 1 (User_Name) or 8 (password) characters;
// 3 a character other than an ASCII digit or letter.
int Check_SNMP_Password(const QString& Text, bool User_Name);

// Upper-cased and trimmed: "AUTH NOPRIV" 1, "AUTH PRIV" 3, "" -1, anything else 0.
int SNMP_Sec_Level(const QString& Text);

// ---- Wireless side ----------------------------------------------------------------------------------

// Always one protocol: Name1 "MQTT", Name2 "".
int Get_MQTT_Protocol(QString& Name1, QString& Name2);
