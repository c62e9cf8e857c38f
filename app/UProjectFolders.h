// Project folders under "PROJECTS": a project is a folder and its name is the folder's name.
// The new and open dialogs (UNewProject, UOpenProject) and the main window's start-up call these;
// they show no message themselves, they answer with the index of the text to show.
//
// Creating (the OK of the new-project dialog):
//   Check_New_Project_Name   107 empty, 105 not usable as one folder name
//   Create_Project           the check, then 106 when a folder of that name exists in any letter
//                            case, the folder (105 when it cannot be made), its "bin", and the
//                            project opened with Set_Active_Project
#pragma once

#include <QString>
#include <QStringList>

namespace project_texts
{
constexpr int Not_Created = 105, Already_Exists = 106, Empty_Name = 107;
}

// 0 when the name can become a folder of its own right under "PROJECTS"; Empty_Name for "";
// Not_Created for "." and "..", and for a name holding a path separator ("/" or "\"), a control
// character or one of < > : " | ? * (such a name would nest in another folder or leave "PROJECTS").
// The name is taken as typed: blanks count.
int Check_New_Project_Name(const QString& name);

// Creates and opens the project `name`. Returns 0 when it is open, else the text index that refuses
// it; nothing is created or changed then. A "bin" that cannot be made does not stop the project.
int Create_Project(const QString& name);

// Makes `name` the open project ("" closes it): Active_Project_Name, Active_Project_Dir, Set_Files.
void Set_Active_Project(const QString& name);

// Start-up: keeps Active_Project_Name and opens it only when its folder exists, found without regard
// to letter case as the dialogs find it.
void Restore_Active_Project();

// Names of the folders in Projects_Dir (no files, no "." or ".."), in the case-insensitive order a
// user expects; empty when the folder is missing or unreadable.
QStringList Load_Existing_Configuration();

// Index in `SL` of the first entry equal to `snc` without regard to letter case, or -1.
int Search_Open_Conf(const QStringList& SL, const QString& snc);

// The open project's folder name: the part of Active_Project_Dir after Projects_Dir and "/";
// "" when no project is open.
QString Open_Project_Folder_Name();
