// The main window's buttons, links and timer.
#include "app/UFileCommands.h"
#include "app/UFormOrder.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UMain.h"
#include "app/UNewProject.h"
#include "app/UOpenProject.h"
#include "app/UProjectFolders.h"
#include "app/UVersion.h"
#include "editors/network/USNMP_MIB.h"
#include "gateway/UESIWriter.h"
#include "platform/controls/Interaction.h"

void RORoruduzudizEvivUrad::Btn_Click(TObject* Sender)
{
    const auto rows = Main_Buttons();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (FButtons[i] != Sender)
            continue;
        if (rows[i].Needs_Project && Active_Project_Dir.isEmpty()) {
            MessageDlg(Lang_Text(main_texts::Project_Not_Valid), mtError, mbOK);
            return;
        }
        Run_Button(rows[i]);
        return;
    }
}

void RORoruduzudizEvivUrad::Run_Button(const TMainButton& row)
{
    switch (row.Action) {
    case TMainAction::New_Project:
        Create_New_Project();
        break;
    case TMainAction::Open_Project:
        Open_Project();
        break;
    case TMainAction::Close_Window:
        Close();
        break;
    case TMainAction::Show_Options:
        Show_Options();
        break;
    case TMainAction::Show_Form:
        // The editor has saved or discarded its own file before it closes.
        if (TForm* form = Find_Form(QString::fromLatin1(row.Form)))
            form->ShowModal();
        break;
    case TMainAction::ESI_File:
        Create_ESI_File();
        break;
    case TMainAction::EDE_File:
        BACnet_EDE_File();
        break;
    case TMainAction::EDS_File:
        Build_EDS_File();
        break;
    case TMainAction::MIB_File:
        Create_MIB_File();
        break;
    case TMainAction::PROFINET_File:
        PROFINET_XML();
        break;
    case TMainAction::Update_Device:
        Update_Device();
        break;
    }
}

void RORoruduzudizEvivUrad::Create_New_Project()
{
    // The dialog has opened the new project and set the file paths on OK.
    if (FNew_Project && FNew_Project->ShowModal() == mrOk)
        Show_Project_State();
}

void RORoruduzudizEvivUrad::Open_Project()
{
    if (!FOpenConf || FOpenConf->ShowModal() != mrOk)
        return;
    // An empty choice (no project folder at all) leaves no project open.
    Set_Active_Project(FOpenConf->Name_Conf);
    Show_Project_State();
}

void RORoruduzudizEvivUrad::Show_Options()
{
    TForm* options = Find_Form(QStringLiteral("FSoftOptions"));
    if (!options || options->ShowModal() != mrOk)
        return;
    Save_Setting();
    Apply_Update_Timer();
}

void RORoruduzudizEvivUrad::Timer_UpdateTimer(TObject*)
{
    // Off while the request blocks, so a tick never overlaps the previous one.
    Timer_Update->SetEnabled(false);
    const TUpdateTickResult tick = Update_Tick_Check();
    if (tick.ShowLink) {
        LL_Update->SetCaption(tick.LinkText);
        LL_Update->Show();
    } else {
        LL_Update->Hide();
    }
    Timer_Update->SetInterval(tick.NextInterval);
    Timer_Update->SetEnabled(true);
}

void RORoruduzudizEvivUrad::L_BrivexClick(TObject*)
{
    OpenURL(Home_Page_URL());
}

void RORoruduzudizEvivUrad::LL_UpdateLinkClick(TObject*, const QString& Link)
{
    OpenURL(Link);
}

void RORoruduzudizEvivUrad::Update_Device()
{
    ::Update_Device();
}

void RORoruduzudizEvivUrad::BACnet_EDE_File()
{
    ::BACnet_EDE_File();
}

void RORoruduzudizEvivUrad::Build_EDS_File()
{
    ::Build_EDS_File();
}

void RORoruduzudizEvivUrad::PROFINET_XML()
{
    ::PROFINET_XML();
}

void RORoruduzudizEvivUrad::Create_MIB_File()
{
    ::Create_MIB_File();
}
