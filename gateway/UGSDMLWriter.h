// The PROFINET GSDML file of the family's PROFINET models: one device access point and one module
// with an input and an output octet string whose lengths, and the station name, come from
// "ParGen.xml"; written from a fixed text template.
//
// Order of a command (the main window's PROFINET_XML):
//   the file-name dialog builds the name with GSDML_File_Name (user part, date fixed when the
//   dialog was created)
//   Create_GSDML_File   save dialog for the folder, overwrite question
//   Write_GSDML_File    Read_Profinet_Parameters, GSDML_Lines joined by CR LF, UTF-8 with a
//                       byte-order mark, written through a temporary file and a rename
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

// The fixed parts of the file name around the user part.
inline const QString GSDML_Fix1 = QStringLiteral("GSDML-V2.25-Brivex-");
// "-" + YYYYMMDD + ".xml".
QString GSDML_Fix2(const QDate& date);

// The name the file-name dialog builds: the user part as typed, joined with "_" unless it starts
// with one; a blank user part leaves only the fixed parts.
QString GSDML_File_Name(const QString& user, const QDate& date);

inline constexpr int32_t Profinet_Default_Bytes = 1438;

struct TProfinet_Parameters {
    int32_t NB_In = Profinet_Default_Bytes;  // bytes the converter receives from the controller
    int32_t NB_Out = Profinet_Default_Bytes; // bytes the converter sends to the controller
    QString Name_Sta = QStringLiteral("SERIAL");
};

// Reads PROFINET_NB_IN, PROFINET_NB_OUT and PROFINET_NAME_STA, each with its own default; a blank
// station name becomes "SERIAL". A file that is not well-formed raises EXmlError naming it.
TProfinet_Parameters Read_Profinet_Parameters(const QString& fileParGen);
TProfinet_Parameters Read_Profinet_Parameters(); // the open project's File_ParGen

// The lines of the file, without line ends.
QStringList GSDML_Lines(const TProfinet_Parameters& p);

// Reads the parameters and writes the file to `path`; raises EInOutError naming the file.
void Write_GSDML_File(const QString& path, const QString& fileParGen);
void Write_GSDML_File(const QString& path); // the open project's File_ParGen

// The save step: a save dialog in the project folder whose only pattern is `name`; the file is
// written under `name` in the folder chosen, whatever file name was picked. Asks
// `overwriteQuestion` (Yes/No) when it exists. Returns true when a file was written.
bool Create_GSDML_File(const QString& name, const QString& projectDir, const QString& fileParGen,
                       const QString& overwriteQuestion);
// The same for the open project (Active_Project_Dir, File_ParGen), asking text 4808.
bool Create_GSDML_File(const QString& name);
