// The main window's own commands besides its forms: the external program runner lent to the update
// dialog, the device update of step 6, and the description-file commands with the save dialogs the
// main window holds for them. The main window's Btn_Click calls these after its project check.
//
// Writers and dialogs that belong to forms not built yet are reached through File_Command_Slots();
// their forms fill the slots when they are created. An empty slot makes its step do nothing.
#pragma once

#include "platform/controls/Interaction.h"
#include "platform/system/Process.h"

#include <QString>
#include <functional>

// ---- External programs ------------------------------------------------------------------------------

constexpr uint32_t Start_Program_Limit_Ms = 150000;

// Starts the program file NomeSW (a path, no shell, no search) with the command line Parameter
// (split into arguments like a shell would, none when empty) and waits for it, polling every 10 ms
// without processing window messages, at most limitMs; a program still running then is left
// running. A program that cannot be started shows one error box naming it and the reason, and the
// routine returns at once. tipo (0 shown, else hidden) has no meaning for a program's windows here.
// The result is for tests; the update dialog ignores it.
TRunResult Start_Program(const QString& NomeSW, const QString& Parameter, int tipo,
                         uint32_t limitMs = Start_Program_Limit_Ms);

// ---- Save dialogs of the main window ----------------------------------------------------------------

enum class TSaveDialog { SD1, SaveEDS, SaveMIB, SaveESI };

// The dialog's request: its filter and default extension, no overwrite prompt of its own (the
// command decides about an existing file), the initial folder set to Active_Project_Dir and the name
// chosen last time proposed again.
TFileDialogRequest Save_Dialog_Request(TSaveDialog dialog);
// Shows the dialog; false on Cancel, else the chosen path in `name`.
bool Execute_Save_Dialog(TSaveDialog dialog, QString& name);

// ---- Slots for forms and writers still to come ----------------------------------------------------------

struct TFileCommandSlots {
    std::function<void(const QString& Name)> Create_EDE_File;            // BACnet EDE writer
    std::function<void(const QString& Name)> Create_EDS_File;            // CANopen EDS writer
    std::function<bool(QString& Name_File_XML)> Show_Profinet_File_Name; // FProfinetFileName, true on OK
    std::function<void(int Form_Type)> Show_Boot;                        // FBoot modally with Form_Type
};
TFileCommandSlots& File_Command_Slots();

// ---- Commands ---------------------------------------------------------------------------------------

// The EDE name rule: ".csv" is appended unless the name already ends in ".csv" in any letter case.
QString EDE_File_Name(const QString& chosen);

// SD1, then the EDE name rule; an existing file is replaced only after Yes to text 1105.
void BACnet_EDE_File();
// SaveEDS; an existing file is replaced without a question.
void Build_EDS_File();
// The PROFINET file-name dialog, then the GSDML save step with the name it built.
void PROFINET_XML();

// Step 6: compiles the open project's image (an error propagates to the caller's error report and
// nothing is written), writes "bin/bank1.bin" and "bin/bank2.bin", then shows the update dialog with
// Form_Type 1. When writing the banks fails the error is shown and the dialog is not opened: the
// device must not be loaded with what is left of an older image.
void Update_Device();

// The integer of the BACnet_Type element of the project's "ParGen.xml"; 0 when the file or the
// element is missing, the file is not well-formed or the text is no number.
int Get_Type_BACnet();
