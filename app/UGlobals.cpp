#include "app/UGlobals.h"

#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <utility>

QString App_Dir;
QString Master_Dir;
QString Projects_Dir;
QString Language_Dir;
QString Active_Project_Name;
QString Active_Project_Dir;

QString File_ParGen;
QString File_EtherCAT_Slave;
QString File_ModbusM_SetAccess;
QString File_ModbusTCPM_SetAccess;
QString File_BACnet_Master_Access;
QString File_BACnet_Slave;
QString File_CAN_Rec_Frames;
QString File_CAN_Send_Frames;
QString File_SDO_Server_CANopen;
QString File_SDO_Client_CANopen;
QString File_PDO_CANopen;
QString File_DNETM_Net;
QString File_DNETM_DefOff;
QString File_DMX_Default_Values;
QString File_IEC_61850_Client;
QString File_TLS_Known_Cert;
QString File_IEC61850_Variables;
QString File_J1939_Rec_Frames;
QString File_J1939_Send_Frames;
QString File_MQTT_Set_Topic;
QString File_NMEA_Rec_Frames;
QString File_NMEA_Send_Frames;
QString File_OPC_UA_Client;
QString File_OPC_UA_Server;
QString File_SNMP_Manager;
QString File_SNMP_Trap;
QString File_EtherNetIP_Master_Rules;
QString File_S7_Protocol;
QString File_EtherCAT_Slave_Group;

QString Language_Name = Default_Language_Name;
QString Last_IP_Address = Default_IP_Address;
bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;
int Last_Update_Option = 0;
bool Last_Read_Back = true;
QString Last_EDE_Dir;

QString SW_Code;
QString SW_Description;
QString Main_Title;

QStringList Row_Clipboard;
QList<bool> Row_Clipboard_Check;
QStringList MIB_Read_Descs;
QStringList MIB_Write_Descs;

namespace
{

const QString kSettingsFile = QStringLiteral("Tessilator.xml");

// The project files, in the order Set_Files assigns them.
const std::pair<QString*, const char*> kProjectFiles[] = {
    {&File_ParGen, "ParGen.xml"},
    {&File_EtherCAT_Slave, "EtherCAT_Slave.xml"},
    {&File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
    {&File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
    {&File_BACnet_Master_Access, "BACnet_Master_Access.xml"},
    {&File_BACnet_Slave, "BACnet_Slave.xml"},
    {&File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
    {&File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
    {&File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
    {&File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
    {&File_PDO_CANopen, "PDO_CANopen.xml"},
    {&File_DNETM_Net, "DNETM_Net.xml"},
    {&File_DNETM_DefOff, "DNETM_DefOff.xml"},
    {&File_DMX_Default_Values, "DMX_Default_Values.xml"},
    {&File_IEC_61850_Client, "IEC_61850_Client.xml"},
    {&File_TLS_Known_Cert, "TLS_Known_Cert.xml"},
    {&File_IEC61850_Variables, "IEC61850_Variables.xml"},
    {&File_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
    {&File_J1939_Send_Frames, "J1939_Send_Frames.xml"},
    {&File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
    {&File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
    {&File_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
    {&File_OPC_UA_Client, "OPC_UA_Client.xml"},
    {&File_OPC_UA_Server, "OPC_UA_Server.xml"},
    {&File_SNMP_Manager, "SNMP_Manager.xml"},
    {&File_SNMP_Trap, "SNMP_Trap.xml"},
    {&File_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
    {&File_S7_Protocol, "S7_Protocol.xml"},
    {&File_EtherCAT_Slave_Group, "EtherCAT_Slave_Group.xml"},
};
static_assert(std::size(kProjectFiles) == 29);

// The settings tree: group element, value element. The writer follows this order.
struct TSettingValue {
    const char* Group;
    const char* Value;
};
const TSettingValue kProjectName{"lastproj", "projectname"};
const TSettingValue kIpAddress{"lastipadd", "ipaddress"};
const TSettingValue kLanguage{"lastlang", "language"};
const TSettingValue kEnableInternet{"lastinternet", "enable_internet"};
const TSettingValue kEnableUpdate{"lastinternet", "enable_update"};
const TSettingValue kJumpFieldTables{"lastinternet", "enable_jump_field_tables"};
const TSettingValue kDoubleClickAutoSize{"lastinternet", "Double_Click_Auto_Size"};

// One guarded read: the value element's text, or the fallback when the group or the value element
// is missing or the value element holds an element instead of text.
QString readValue(const TXmlElement& root, const TSettingValue& v, const QString& fallback)
{
    const TXmlElement value = root.Child(v.Group).Child(v.Value);
    if (value.IsNull() || value.HasChildElements())
        return fallback;
    return value.Text();
}

bool readOption(const TXmlElement& root, const TSettingValue& v)
{
    return readValue(root, v, "0") == "1";
}

void setDefaults()
{
    Active_Project_Name.clear();
    Active_Project_Dir.clear();
    Last_IP_Address = Default_IP_Address;
    Language_Name = Default_Language_Name;
    Opt_Enable_Internet = false;
    Opt_Enable_Update = false;
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;
}

} // namespace

void Set_App_Dir(const QString& folder)
{
    App_Dir = ExcludeTrailingPathDelimiter(folder);
    Master_Dir = App_Dir + "/MASTER";
    Projects_Dir = App_Dir + "/PROJECTS";
    Language_Dir = App_Dir + "/LANGUAGE";
}

void Create_App_Folders()
{
    for (const QString* dir : {&Master_Dir, &Projects_Dir, &Language_Dir})
        if (!DirectoryExists(*dir))
            CreateDir(*dir);
}

void Set_Files()
{
    for (const auto& [path, name] : kProjectFiles)
        *path = Active_Project_Dir + "/" + QString::fromLatin1(name);
}

void Set_Identity_Texts()
{
    Main_Title = QStringLiteral("Brivexcorp - Configurator RIVA101 - EtherCAT Slave / Modbus Master ");
    SW_Code = Build_SW_Code;
    SW_Description = Build_SW_Desc;
}

QString Settings_File_Name()
{
    return App_Dir + "/" + kSettingsFile;
}

void Read_Settings()
{
    const QString path = Settings_File_Name();
    TXmlDocument doc;
    try {
        if (!FileExists(path))
            throw EXmlError(path + ": missing");
        doc.LoadFromFile(path);
    } catch (const EXmlError&) {
        // Missing, empty, binary or not XML: all defaults, no message.
        setDefaults();
        return;
    }
    // The root is the first element, whatever its name.
    const TXmlElement root = doc.Root();
    Active_Project_Name = readValue(root, kProjectName, "");
    Last_IP_Address = readValue(root, kIpAddress, Default_IP_Address);
    Language_Name = readValue(root, kLanguage, Default_Language_Name);
    Opt_Enable_Internet = readOption(root, kEnableInternet);
    Opt_Enable_Update = readOption(root, kEnableUpdate);
    Opt_Jump_Field_Tables = readOption(root, kJumpFieldTables);
    Opt_Double_Click_Auto_Size = readOption(root, kDoubleClickAutoSize);
}

bool Write_Settings(QString* error)
{
    const auto flag = [](bool b) { return QString(b ? "1" : "0"); };
    const std::pair<const TSettingValue*, QString> values[] = {
        {&kProjectName, Active_Project_Name},
        {&kIpAddress, Last_IP_Address},
        {&kLanguage, Language_Name},
        {&kEnableInternet, flag(Opt_Enable_Internet)},
        {&kEnableUpdate, flag(Opt_Enable_Update)},
        {&kJumpFieldTables, flag(Opt_Jump_Field_Tables)},
        {&kDoubleClickAutoSize, flag(Opt_Double_Click_Auto_Size)},
    };
    TXmlDocument doc;
    TXmlElement root = doc.CreateRoot("Conf_Settings");
    TXmlElement group;
    for (const auto& [v, text] : values) {
        if (group.IsNull() || group.NodeName() != QLatin1String(v->Group))
            group = root.AddChild(v->Group);
        group.AddTextChild(v->Value, text);
    }
    try {
        doc.SaveToFile(Settings_File_Name());
    } catch (const Exception& e) {
        if (error)
            *error = e.Message;
        return false;
    }
    return true;
}

void Reset_Globals()
{
    App_Dir.clear();
    Master_Dir.clear();
    Projects_Dir.clear();
    Language_Dir.clear();
    setDefaults();
    Last_Update_Option = 0;
    Last_Read_Back = true;
    Last_EDE_Dir.clear();
    SW_Code.clear();
    SW_Description.clear();
    Main_Title.clear();
    for (const auto& entry : kProjectFiles)
        entry.first->clear();
    Row_Clipboard.clear();
    Row_Clipboard_Check.clear();
    MIB_Read_Descs.clear();
    MIB_Write_Descs.clear();
}
