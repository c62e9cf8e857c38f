// The main window: the program's header (software code, description, the Information, Options and
// Close icons), the project state, and the numbered steps of this build with their buttons. It is
// created first and its creation (FormCreate) prepares everything the other forms rely on: the
// folders, the settings, the text table and the open project. Closing it writes the settings file
// and ends the program.
//
// Every button goes through Btn_Click, which looks the sender up in the button table (UMainTables):
// a row that needs a project is refused with text 18 while none is open; otherwise Run_Button runs
// the row's action. Editors are shown by their instance name through the form table (UFormOrder), so
// an editor's button works as soon as its form is created at start.
#pragma once

#include "app/UMainTables.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/Xml.h"

#include <memory>
#include <vector>

class RORoruduzudizEvivUrad : public TForm
{
  public:
    explicit RORoruduzudizEvivUrad(TComponent* AOwner);
    ~RORoruduzudizEvivUrad() override;

    // The folder the start-up takes as the program's; empty means the folder of the program file.
    static QString Program_Folder;

    // Header.
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLinkLabel* LL_Update;
    TFadeButton* Btn_Info;
    TFadeButton* Btn_Opz;
    TFadeButton* Btn_Close;
    // Project state.
    TShape* Shape2;
    TLabel* L_Begin;
    TLabel* L_Name_Conf;
    TLabel* L_Name_Conf_L2;
    // Steps.
    TLabel* L_Step[8]; // L_Step_1 .. L_Step_8
    TFadeButton* Btn_New;
    TFadeButton* Btn_Open;
    TFadeButton* Btn_Prm_Gen;
    TFadeButton* Btn_EtherCAT_Set_Group;
    TFadeButton* Btn_EtherCAT_Set_Access;
    TFadeButton* Btn_Modbus_Set_Access;
    TFadeButton* Btn_EtherCAT_ESI_File;
    TFadeButton* Btn_CreateBin;
    TShape* Shape1;
    TLabel* L_Brivex;
    // Non-visual.
    TTimer* Timer_Update;
    std::unique_ptr<TXmlDocument> XML1; // the settings file's document, lent as a scratch document

    // The button of a row of the button table (all 34, hidden ones included).
    TFadeButton* Button(const char* name) const;

    void FormCreate(TObject* Sender);
    void Set_Lang();
    // Re-texts every form but the about box after the text table changed.
    void Change_Language();
    void Btn_Click(TObject* Sender);
    void Create_New_Project();
    void Open_Project();
    void Set_Files();
    void Save_Setting();
    void FormClose(TObject* Sender, TCloseAction& Action);
    void L_BrivexClick(TObject* Sender);
    void LL_UpdateLinkClick(TObject* Sender, const QString& Link);
    void Timer_UpdateTimer(TObject* Sender);

    // File commands of the step buttons.
    void Update_Device();
    void BACnet_EDE_File();
    void Build_EDS_File();
    void PROFINET_XML();
    void Create_MIB_File();

  protected:
    // The action of a button once the project check passed.
    virtual void Run_Button(const TMainButton& row);

  private:
    void Lay_Out();
    void Apply_Update_Timer();
    void Show_Project_State();
    void Show_Options();

    std::vector<TFadeButton*> FButtons; // in the order of Main_Buttons()
};

extern RORoruduzudizEvivUrad* FDodiruredavIzavUred;
