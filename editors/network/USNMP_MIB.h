// The MIB writer: the SMIv2-shaped module of the gateway as SNMP agent - its fixed objects (greeting,
// two counters, eight input and eight output data blocks) and one object per enabled read and write
// object of the agent editor's file "SNMP_Trap.xml" (USNMP_Trap_Access.h), plus one notification per
// enabled read object. Managers load it to name the gateway's objects. No form of its own: the main
// window's MIB command calls Create_MIB_File.
//
// One command (Create_MIB_File), in this order:
//   the save dialog SaveMIB (initial folder the project; Cancel: nothing happens)
//   an existing file: question 1105, No ends the command and nothing is written
//   Read_SNMP_Agent_Objects   MIB_Read_Descs / MIB_Write_Descs (app/UGlobals.h) and the Int flags
//                             from the rows of "SNMP_Trap_Read" / "SNMP_Trap_Write" whose Enable,
//                             upper-cased, is "Y", in file order; list index + 1 is the object's n
//   Write_MIB_File            every line built first, then the file replaced whole: cp1252 ("?" for
//                             what it cannot hold), no byte-order mark, CR LF after every line
// No agent file: the module holds its 56 fixed lines only. An agent file that is not well-formed or
// lacks a section, or a file that cannot be written, raises with the file named before anything is
// written, and an existing MIB keeps its bytes. The descriptions are written as the file holds them.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Whether object i of MIB_Read_Descs / MIB_Write_Descs is of type Int (else String). They grow with
// the lists: every enabled object gets its lines, however many a hand-edited file holds.
extern std::vector<bool> MIB_Read_Is_Int;
extern std::vector<bool> MIB_Write_Is_Int;

void Create_MIB_File();
void Read_SNMP_Agent_Objects();
// The module's lines for the current lists, each without its line end.
QStringList MIB_Lines();
void Write_MIB_File(const QString& FileName);
