#include "app/UFileCommands.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "gateway/UConfigImage.h"
#include "gateway/UGSDMLWriter.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <QProcess>
#include <array>

namespace
{

struct TSaveDialogSpec {
    TSaveDialog Dialog;
    const char* Filter;
    const char* DefaultExt;
};

const TSaveDialogSpec kSaveDialogs[] = {
    {TSaveDialog::SD1, "CSV (MS-DOS) (*.csv)|*.csv", ""},
    {TSaveDialog::SaveEDS, "Electronic Data Sheet (*.eds)|*.eds", "eds"},
    {TSaveDialog::SaveMIB, "Management Information Base (*.mib)|*.mib", "mib"},
    {TSaveDialog::SaveESI, "EtherCAT ESI File (*.xml)|*.xml", "xml"},
};

// The names last chosen, which a dialog proposes again the next time.
std::array<QString, std::size(kSaveDialogs)> g_lastNames;

const TSaveDialogSpec& Spec(TSaveDialog dialog)
{
    for (const TSaveDialogSpec& s : kSaveDialogs)
        if (s.Dialog == dialog)
            return s;
    return kSaveDialogs[0];
}

constexpr int Text_File_Exists = 1105;

} // namespace

TRunResult Start_Program(const QString& NomeSW, const QString& Parameter, int tipo, uint32_t limitMs)
{
    (void)tipo;
    const QStringList arguments = QProcess::splitCommand(Parameter);
    // Polls the process state, never the exit code: any code, 259 included, means it has ended.
    TRunResult result = RunProgram(NomeSW, arguments, limitMs);
    if (result.Outcome == TRunResult::NotStarted)
        MessageDlg(result.Error, mtError, mbOK);
    return result;
}

TFileDialogRequest Save_Dialog_Request(TSaveDialog dialog)
{
    const TSaveDialogSpec& s = Spec(dialog);
    TFileDialogRequest r;
    r.Save = true;
    r.Filter = QString::fromLatin1(s.Filter);
    r.DefaultExt = QString::fromLatin1(s.DefaultExt);
    r.InitialDir = Active_Project_Dir;
    r.FileName = g_lastNames[static_cast<size_t>(dialog)];
    r.OverwritePrompt = false;
    return r;
}

bool Execute_Save_Dialog(TSaveDialog dialog, QString& name)
{
    TFileDialogRequest r = Save_Dialog_Request(dialog);
    if (!Interaction().FileDialog(r) || r.FileName.isEmpty())
        return false;
    name = r.FileName;
    g_lastNames[static_cast<size_t>(dialog)] = ExtractFileName(name);
    return true;
}

TFileCommandSlots& File_Command_Slots()
{
    static TFileCommandSlots instance;
    return instance;
}

QString EDE_File_Name(const QString& chosen)
{
    if (UpperCase(chosen.right(4)) != QLatin1String(".CSV"))
        return chosen + QStringLiteral(".csv");
    return chosen;
}

void BACnet_EDE_File()
{
    QString name;
    if (!Execute_Save_Dialog(TSaveDialog::SD1, name))
        return;
    name = EDE_File_Name(name);
    if (FileExists(name) && MessageDlg(Lang_Text(Text_File_Exists), mtConfirmation, mbYesNoCancel) != mrYes)
        return;
    if (File_Command_Slots().Create_EDE_File)
        File_Command_Slots().Create_EDE_File(name);
}

void Build_EDS_File()
{
    QString name;
    if (!Execute_Save_Dialog(TSaveDialog::SaveEDS, name))
        return;
    if (File_Command_Slots().Create_EDS_File)
        File_Command_Slots().Create_EDS_File(name);
}

void PROFINET_XML()
{
    QString name;
    if (!File_Command_Slots().Show_Profinet_File_Name || !File_Command_Slots().Show_Profinet_File_Name(name))
        return;
    Create_GSDML_File(name);
}

void Update_Device()
{
    TConfigPaths paths;
    paths.ProjectDir = Active_Project_Dir;
    paths.ParGen = File_ParGen;
    paths.EtherCAT_Slave = File_EtherCAT_Slave;
    paths.EtherCAT_Slave_Group = File_EtherCAT_Slave_Group;
    paths.ModbusM_SetAccess = File_ModbusM_SetAccess;
    const TConfigBanks banks = Compile_Config_Banks(paths);
    try {
        Save_Config_Banks(Active_Project_Dir, banks);
    } catch (const Exception& e) {
        MessageDlg(e.Message, mtError, mbOK);
        return;
    }
    if (File_Command_Slots().Show_Boot)
        File_Command_Slots().Show_Boot(1);
}

int Get_Type_BACnet()
{
    if (!FileExists(File_ParGen))
        return 0;
    try {
        TXmlDocument doc;
        doc.LoadFromFile(File_ParGen);
        const TXmlElement e = doc.Root().Child(QStringLiteral("BACnet_Type"));
        return e ? StrToIntDef(e.Text(), 0) : 0;
    } catch (const EXmlError&) {
        return 0;
    }
}
