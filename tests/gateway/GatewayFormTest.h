// Shared set-up of the gateway dialogs' tests: English texts, the build's identity and an open
// project "P" in a temporary folder, with every project file path set; and the reset afterwards.
#pragma once

#include "app/UGlobals.h"
#include "app/ULang.h"

#include <QString>

namespace gatewaytest
{

inline void Open_Test_Project(const QString& folder)
{
    Reset_Globals();
    Set_English_Texts();
    Set_Identity_Texts();
    Active_Project_Name = "P";
    Active_Project_Dir = folder;
    Set_Files();
}

inline void Close_Test_Project()
{
    Reset_Globals();
    Clear_Lang_Table();
}

} // namespace gatewaytest
