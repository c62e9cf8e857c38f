// The EtherCAT Slave Information (ESI) file of the converter: what an EtherCAT master's tool needs to
// know about the slave, written from "ParGen.xml" (name, revision, node address) and
// "EtherCAT_Slave.xml" (the process data) as a fixed text template, line by line.
//
// Order of a command (the step-5 button calls Create_ESI_File):
//   Create_ESI_File     save dialog in the project folder, overwrite question
//   Build_ESI_File      Read_EtherCAT_Slave_Data, then Write_ESI_File
//   Write_ESI_File      ESI_Lines joined by CR LF, UTF-8 without byte-order mark (the declaration
//                       names no encoding), written through a temporary file and a rename
// Everything is rebuilt at every command; nothing is kept between commands. Errors (a project file
// that is not well-formed, a missing section, a file that cannot be written) are raised to the
// caller's error report before the target file is touched.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// One PDO entry: the ESI data type, its bit length and the variable's name.
struct TEtherCAT_Rule {
    QString DataType;
    int32_t Length = 0; // bits
    QString Name;
};

// What one ESI file is written from.
struct TESI_Data {
    QString Device_Name = QStringLiteral("EtherCAT Slave");
    uint32_t Revision_Number = 0;
    uint16_t Node_Address = 1;
    QString Node_Text = QStringLiteral("0100");  // four hex digits, low byte first
    QString Product_Code;                        // eight hex digits
    std::vector<TEtherCAT_Rule> Slave_To_Master; // inputs of the master: transmit PDOs
    std::vector<TEtherCAT_Rule> Master_To_Slave; // outputs of the master: receive PDOs
    int64_t Input_Byte_Count = 0;                // bytes of the slave-to-master variables
    int64_t Output_Byte_Count = 0;               // counted the same way, not used further
};

// Maps a project type ("Int16", "Array" ...) to the ESI data type and turns `length` from the row's
// byte length into the entry's bit length. Unknown types, the empty one included, are a BIT.
QString ESI_Data_Type(const QString& type, int32_t& length);

// "000" .. "999", then the number as it is.
QString Three_Digits(int32_t p);

// Escapes the characters XML reserves in text and in double-quoted attribute values; raises
// EXmlError naming `element` when the text holds a character XML 1.0 does not allow, so a file no
// reader would take is never written.
QString Xml_Escape(const QString& text, const QString& element);

// Node text of a node address: four uppercase hex digits, low byte first (0x1234 gives "3412").
QString ESI_Node_Text(uint16_t node);

// Start address of the outputs sync manager: 0x1000 + 3 x input bytes, aligned up to 4.
uint64_t ESI_Outputs_Start_Address(int64_t inputByteCount);

// Collects the data of one file. A missing file gives the defaults (no PDOs); a file that is not
// well-formed, or a process-data file without one of its three sections, raises EXmlError naming it.
TESI_Data Read_EtherCAT_Slave_Data(const QString& fileParGen, const QString& fileEtherCATSlave);

// The lines of the file, without line ends.
QStringList ESI_Lines(const TESI_Data& data);

// Writes the lines to `fileName`, replacing it atomically; raises EInOutError naming the file.
void Write_ESI_File(const QString& fileName, const TESI_Data& data);

// Reads the two project files and writes the ESI file; nothing is written when reading fails.
void Build_ESI_File(const QString& fileName, const QString& fileParGen, const QString& fileEtherCATSlave);

// With the open project's files (File_ParGen, File_EtherCAT_Slave).
void Build_ESI_File(const QString& fileName);

// The step-5 command: asks for the file in the project folder ("EtherCAT ESI File (*.xml)"),
// asks `overwriteQuestion` (Yes/No) when the file exists, then builds it. Returns true when a file
// was written; false on Cancel or No. Errors are raised to the caller's error report.
bool Create_ESI_File(const QString& projectDir, const QString& fileParGen, const QString& fileEtherCATSlave,
                     const QString& overwriteQuestion);
// The same for the open project (Active_Project_Dir and its files), asking text 1105.
bool Create_ESI_File();
