#include "app/UMainStartup.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UProjectFolders.h"

namespace
{

void run(const std::function<void()>& step)
{
    if (step)
        step();
}

} // namespace

void Main_Start_Up(const QString& programFolder, const TMainStartUpSteps& form)
{
    Clear_Lang_Table();
    run(form.Lay_Out);
    Set_App_Dir(programFolder);
    Create_App_Folders();
    Active_Project_Name.clear();
    Last_Read_Back = true;
    Read_Settings();
    run(form.Set_Update_Timer);
    Set_Identity_Texts();
    run(form.Show_Identity);
    Load_Language();
    Restore_Active_Project();
    run(form.Set_Lang);
    Set_Files();
    Row_Clipboard.clear();
    Row_Clipboard_Check.clear();
    MIB_Read_Descs.clear();
    MIB_Write_Descs.clear();
}

bool Update_Timer_Wanted()
{
    return Opt_Enable_Internet && Opt_Enable_Update;
}
