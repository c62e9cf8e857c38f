#include "app/UProjectFolders.h"

#include "app/UGlobals.h"
#include "platform/core/SysUtils.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const QString kForbidden = QStringLiteral("/\\<>:\"|?*");

QString projectPath(const QString& name)
{
    return Projects_Dir + "/" + name;
}

// Entries of PROJECTS whatever their kind; hidden ones count, as they do for the file system.
QFileInfoList projectEntries()
{
    return QDir(Projects_Dir)
        .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDir::Name | QDir::IgnoreCase);
}

} // namespace

int Check_New_Project_Name(const QString& name)
{
    if (name.isEmpty())
        return project_texts::Empty_Name;
    if (name == "." || name == "..")
        return project_texts::Not_Created;
    for (QChar c : name)
        if (c.category() == QChar::Other_Control || kForbidden.contains(c))
            return project_texts::Not_Created;
    return 0;
}

int Create_Project(const QString& name)
{
    if (const int refusal = Check_New_Project_Name(name))
        return refusal;
    // "plant a" beside "Plant A" is the same project to the user, as on a case-blind file system;
    // a file of that name would make the folder creation fail there.
    for (const QFileInfo& entry : projectEntries())
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return entry.isDir() ? project_texts::Already_Exists : project_texts::Not_Created;
    const QString dir = projectPath(name);
    if (!CreateDir(dir))
        return project_texts::Not_Created;
    // Without "bin" the project still opens; the image files fail later where they are written.
    ForceDirectories(dir + "/bin");
    Set_Active_Project(name);
    return 0;
}

void Set_Active_Project(const QString& name)
{
    Active_Project_Name = name;
    Active_Project_Dir = name.isEmpty() ? QString() : projectPath(name);
    Set_Files();
}

void Restore_Active_Project()
{
    Active_Project_Dir.clear();
    // A remembered name that is no single folder name would lead outside PROJECTS.
    if (Check_New_Project_Name(Active_Project_Name) != 0)
        return;
    // The folder is found without regard to letter case, as the dialogs find it; the exact
    // spelling wins where both exist.
    if (DirectoryExists(projectPath(Active_Project_Name))) {
        Active_Project_Dir = projectPath(Active_Project_Name);
        return;
    }
    const QStringList folders = Load_Existing_Configuration();
    const int found = Search_Open_Conf(folders, Active_Project_Name);
    if (found >= 0)
        Active_Project_Dir = projectPath(folders[found]);
}

QStringList Load_Existing_Configuration()
{
    QStringList SL;
    for (const QFileInfo& entry : projectEntries())
        if (entry.isDir())
            SL.append(entry.fileName());
    return SL;
}

int Search_Open_Conf(const QStringList& SL, const QString& snc)
{
    for (int i = 0; i < SL.size(); ++i)
        if (SL[i].compare(snc, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString Open_Project_Folder_Name()
{
    const QString prefix = Projects_Dir + "/";
    if (Active_Project_Dir.isEmpty() || !Active_Project_Dir.startsWith(prefix))
        return QString();
    return Active_Project_Dir.mid(prefix.size());
}
