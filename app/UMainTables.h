// The main window's fixed layout as data: its step labels, its 34 buttons in the dispatch order of
// Btn_Click, and the header positions. The main window (UMain) builds its controls from these tables;
// nothing else reads them except the tests.
//
// Dispatch: Btn_Click finds the sender's row; a row with Needs_Project refuses with text 18 while no
// project is open, otherwise its Action runs. Caption and hint are text indexes of the UI text table
// (-1: none); a row with a Design_Caption keeps that caption for good and is never re-texted.
#pragma once

#include <span>

enum class TMainAction {
    New_Project,   // Create_New_Project
    Open_Project,  // Open_Project
    Close_Window,  // closes the main window, which ends the program
    Show_Options,  // FSoftOptions modally; on OK the settings are saved and the timer rule applied
    Show_Form,     // the row's Form modally (the about box, an editor)
    ESI_File,      // Create_ESI_File
    EDE_File,      // BACnet_EDE_File
    EDS_File,      // Build_EDS_File
    MIB_File,      // Create_MIB_File
    PROFINET_File, // PROFINET_XML
    Update_Device, // Update_Device
};

// Where a button sits: in a step (1..8) of the page, among the header icons, or hidden in this build.
constexpr int kHeaderButton = 0;
constexpr int kHiddenButton = -1;

struct TMainButton {
    const char* Name;           // component name, "Btn_New"
    int Caption;                // text index, -1: no caption (icon buttons) or a design caption
    const char* Design_Caption; // fixed caption never re-texted, or nullptr
    int Hint;                   // text index, -1: no hint
    int Step;                   // 1..8, kHeaderButton or kHiddenButton
    int Left, Top;              // position in the client area when shown
    bool Needs_Project;         // refused with text 18 while no project is open
    TMainAction Action;
    const char* Form; // instance name of the form shown by Show_Form, else nullptr
};

struct TStepLabel {
    const char* Name; // "L_Step_1"
    int Text;         // text index
    int Top;
    bool Shown;
};

// Positions and sizes of the main window's fixed parts, in pixels of the client area.
namespace main_layout
{
constexpr int Step_Button_Width = 170, Step_Button_Height = 36;
constexpr int Header_Button_Size = 50;
constexpr int Step_Label_Left = 16;
constexpr int SW_Code_Left = 16, SW_Code_Top = 8;
constexpr int SW_Desc_Left = 16, SW_Desc_Top = 42;
constexpr int Begin_Left = 16, Begin_Top = 84;
constexpr int Shape2_Left = 80, Shape2_Top = 70, Shape2_Width = 348, Shape2_Height = 36;
constexpr int Name_Conf_Left = 87, Name_Conf_Top = 75, Name_Conf_L2_Top = 88;
constexpr int LL_Update_Left = 208, LL_Update_Top = 19;
constexpr int Create_Bin_Top = 332;                // top of Btn_CreateBin, the last shown step button
constexpr int Brivex_Left = 565, Brivex_Top = 348; // beside step 6
constexpr int Shape1_Left = 10, Shape1_Top = Create_Bin_Top + 51, Shape1_Width = 674, Shape1_Height = 1;
constexpr int Client_Width = 694, Client_Height = Create_Bin_Top + 152;
} // namespace main_layout

// The 34 buttons in the dispatch order of Btn_Click.
std::span<const TMainButton> Main_Buttons();
// L_Step_1 .. L_Step_8.
std::span<const TStepLabel> Main_Step_Labels();
// The row of a button by component name, or nullptr.
const TMainButton* Find_Main_Button(const char* name);

// Text indexes of the main window's header and refusal.
namespace main_texts
{
constexpr int Begin = 0;
constexpr int No_Project = 9, No_Project_L2 = 10, Opened_Project = 11;
constexpr int Project_Not_Valid = 18;
constexpr int Update_Link = 19;
} // namespace main_texts
