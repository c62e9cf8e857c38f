// Shared application state of the shell: the program's folders, the open project, the
// 29 project file paths, the user's options and remembered values, the build's identity texts and the
// shared lists; the settings file "Tessilator.xml" beside the program.
//
// Order at start-up (the main window follows it):
//   Set_App_Dir(folder of the program)  -> App_Dir, Master_Dir, Projects_Dir, Language_Dir
//   Create_App_Folders()                -> creates the three subfolders that are missing
//   Read_Settings()                     -> the six kept values, defaults where the file fails
//   Set_Identity_Texts()                -> Main_Title, SW_Code, SW_Description
//   ... restore Active_Project_Dir, then Set_Files()
// On close and after OK of the options dialog: Write_Settings().
//
// Paths use '/' (the original's "\" between folder and name); no trailing separator.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// ---- Folders and project -------------------------------------------------------------------------

extern QString App_Dir;      // folder of the program file (tests point it at a temporary folder)
extern QString Master_Dir;   // App_Dir + "/MASTER": firmware images
extern QString Projects_Dir; // App_Dir + "/PROJECTS": one subfolder per project
extern QString Language_Dir; // App_Dir + "/LANGUAGE": ".lng" files and flags

extern QString Active_Project_Name; // kept from the settings file even when its folder is missing
extern QString Active_Project_Dir;  // Projects_Dir + "/" + name, or "" when no project is open

// Sets App_Dir and derives the three subfolder paths (no folder is created).
void Set_App_Dir(const QString& folder);
// Creates each of MASTER, PROJECTS and LANGUAGE that is missing, one folder-creation call each;
// a failure is not reported (later reads and writes fail where they happen).
void Create_App_Folders();

// ---- Project file paths (Set_Files, in their fixed order) ------------------------------------------

extern QString File_ParGen;
extern QString File_EtherCAT_Slave;
extern QString File_ModbusM_SetAccess;
extern QString File_ModbusTCPM_SetAccess;
extern QString File_BACnet_Master_Access;
extern QString File_BACnet_Slave;
extern QString File_CAN_Rec_Frames;
extern QString File_CAN_Send_Frames;
extern QString File_SDO_Server_CANopen;
extern QString File_SDO_Client_CANopen;
extern QString File_PDO_CANopen;
extern QString File_DNETM_Net;
extern QString File_DNETM_DefOff;
extern QString File_DMX_Default_Values;
extern QString File_IEC_61850_Client;
extern QString File_TLS_Known_Cert;
extern QString File_IEC61850_Variables;
extern QString File_J1939_Rec_Frames;
extern QString File_J1939_Send_Frames;
extern QString File_MQTT_Set_Topic;
extern QString File_NMEA_Rec_Frames;
extern QString File_NMEA_Send_Frames;
extern QString File_OPC_UA_Client;
extern QString File_OPC_UA_Server;
extern QString File_SNMP_Manager;
extern QString File_SNMP_Trap;
extern QString File_EtherNetIP_Master_Rules;
extern QString File_S7_Protocol;
extern QString File_EtherCAT_Slave_Group;

// Sets the 29 paths to Active_Project_Dir + "/" + file name. With no project open each path is "/"
// and the bare file name; no caller uses them then (every editor is refused). The main window's
// Set_Files method calls this.
void Set_Files();

// ---- User options and remembered values ---------------------------------------------------------

inline const QString Default_IP_Address = QStringLiteral("192.168.2.205");
inline const QString Default_Language_Name = QStringLiteral("English");

extern QString Language_Name;           // kept in the settings file
extern QString Last_IP_Address;         // kept in the settings file
extern bool Opt_Enable_Internet;        // kept in the settings file
extern bool Opt_Enable_Update;          // kept in the settings file
extern bool Opt_Jump_Field_Tables;      // kept in the settings file
extern bool Opt_Double_Click_Auto_Size; // kept in the settings file
extern int Last_Update_Option;          // 0 firmware + configuration, 1 firmware, 2 configuration
extern bool Last_Read_Back;
extern QString Last_EDE_Dir;

// ---- Identity texts ------------------------------------------------------------------------------

inline const QString Build_SW_Code = QStringLiteral("RIVA101");
inline const QString Build_SW_Desc = QStringLiteral("EtherCAT Slave / Modbus Master - Converter");
inline const QString Update_SW_Name = QStringLiteral("RIVA101");

extern QString SW_Code;        // copy of Build_SW_Code made at start-up
extern QString SW_Description; // copy of Build_SW_Desc made at start-up
extern QString Main_Title;     // the main window's caption

// Step 7 of the main window's start-up: Main_Title, SW_Code and SW_Description.
void Set_Identity_Texts();

// ---- Shared lists --------------------------------------------------------------------------------

extern QStringList Row_Clipboard;       // one copied table row, column 1 first
extern QList<bool> Row_Clipboard_Check; // per entry: the cell was a check box (Copy_Row_Check only)
extern QStringList MIB_Read_Descs;      // filled and read by the SNMP MIB writer
extern QStringList MIB_Write_Descs;

// ---- Settings file "Tessilator.xml" ----------------------------------------------------------------

QString Settings_File_Name(); // App_Dir + "/Tessilator.xml"

// Reads the settings file into the six kept values. A missing or unreadable file (not XML, empty,
// binary) gives all defaults and empties Active_Project_Name and Active_Project_Dir. Otherwise each
// value is read in its own guarded step: a missing group or value element, or a value element that
// holds a child element instead of text, gives that value's default; an option is true exactly
// when its text is "1". Never raises, never shows a message.
void Read_Settings();

// Writes the settings file whole, in the fixed order of the tree, options as "1"/"0", replacing the
// file atomically. Returns false when the file cannot be written (the old file stays whole); then
// `error` (when given) receives the reason, which names the file.
bool Write_Settings(QString* error = nullptr);

// Back to the state before start-up: every global empty or at its default, lists empty (tests).
void Reset_Globals();
