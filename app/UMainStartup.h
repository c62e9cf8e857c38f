// The main window's start-up sequence (its FormCreate), with the window's own steps handed in, so the
// order of the whole is kept in one place:
//    1. Clear_Lang_Table                   7. identity texts, then the form shows them
//    2. form: lay out the steps            8. Load_Language
//    3. folders of the program folder      9. Restore_Active_Project
//    4. no project name, Last_Read_Back   10. form: Set_Lang (header texts need 8 and 9)
//    5. Read_Settings                     11. Set_Files
//    6. form: update timer rule           12. shared lists emptied
// Every other form is created after this has run and relies on its result.
#pragma once

#include <QString>
#include <functional>

struct TMainStartUpSteps {
    std::function<void()> Lay_Out;          // step 2
    std::function<void()> Set_Update_Timer; // step 6
    std::function<void()> Show_Identity;    // step 7, after the texts are set
    std::function<void()> Set_Lang;         // step 10
};

void Main_Start_Up(const QString& programFolder, const TMainStartUpSteps& form);

// The version-check timer runs exactly when both connection options are on (start-up, options OK).
bool Update_Timer_Wanted();
