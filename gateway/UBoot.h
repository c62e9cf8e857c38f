// TFBoot: the modal dialog that loads the firmware and the configuration image into the device.
//
// One instance, FBoot, lives from program start to exit; creating it fills the main window's
// Show_Boot slot ("set Form_Type, show modally"). Form_Type 1 is the Ethernet road, the only one the
// main window takes:
//   FormShow          texts, the panels of the type, then the remembered address, option, read-back
//   Btn_UpdateClick   Send_Ping; when the device answered: remember the choices, write the job file
//                     App_Dir + "/Ethernet_Update.xml", run App_Dir + "/Ethernet_Update.exe" and wait
//                     for it (Start_Program, at most 150 s). The dialog stays open for another try.
// Form_Type 0 is the serial road: a port and a serial updater started with a command line, no ping
// and no job file. No caller sets it, and nothing shows the device-search panel P_Eth_Search.
#pragma once

#include "app/UFormLook.h"
#include "platform/core/Xml.h"
#include "platform/system/Icmp.h"

#include <QString>
#include <cstdint>
#include <functional>

class TExtColumnGrid;

class TFBoot : public TForm, public TDialogFrame
{
  public:
    explicit TFBoot(TComponent* AOwner);
    ~TFBoot() override;

    int Form_Type = 0; // 0 serial update, 1 Ethernet update; set by the caller before showing
    int ping_res = 0;  // last echo result: 0 none yet, 1 a reply with data, 2 a reply without (time-out)

    void FormShow(TObject* Sender);
    // Texts of the UI table (1200..1235); at creation, at every show and on a language switch.
    void Set_Lang();
    // Bound to E_IP1..E_IP4: "." is never typed into them; from E_IP1..E_IP3 it moves to the next.
    void KeyPress(TObject* Sender, char16_t& Key);
    void Btn_UpdateClick(TObject* Sender);
    void Btn_COM_ListClick(TObject* Sender);

    // True when the device at the edits' address answered two echo requests, or the last of the
    // requests made within 5 s of the first.
    bool Send_Ping();
    void PingReply(const TEchoResult& ReplyStatus);
    // Writes the job file App_Dir + "/Ethernet_Update.xml" from the dialog's current values; the XML
    // layer's error (naming the file) when it cannot.
    void Compile_XML_Parameter_New_Boot();
    // s_opt followed by the serial updater's four option tokens for the dialog's choices.
    QString Update_Options(const QString& s_opt) const;
    // The same for a given option (0 firmware + configuration, 1 firmware, 2 configuration) and
    // read-back choice; any other option adds nothing.
    static QString Update_Options(const QString& s_opt, int Option, bool Read_Back);
    // The serial updater's command line for the chosen port and options.
    QString Serial_Command_Line() const;
    void update_ComPort();
    // Loads the project's "ParGen.xml" into XML1 when it exists; 0 in every case. Nothing calls it.
    int Get_Type_Dev();

    // The edits' texts joined by ".", as typed.
    QString IP_Address_Text() const;

    TLabel* L_IP_Address;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TPanel* P_IP_Address;

    TPanel* P_Serial;
    TLabel* L_COM_Port;
    TComboBox* CB_COM_Port;
    TFadeButton* Btn_COM_List;

    // The device search; nothing fills the list of found devices.
    TPanel* P_Eth_Search;
    TLabel* L_List_Device;
    TFadeButton* Btn_Search;
    TExtColumnGrid* ACG_List_Devices; // "IP Address", "MAC Address"
    TCheckBox* CB_Find_All_BVX;

    TPanel* P_Options;
    TLabel* L_Update_Option;
    TComboBox* CB_Update_Options;
    TCheckBox* CB_Update_Option_Read_Back;

    TFadeButton* Btn_Cancel;
    TFadeButton* Btn_Update;

    TIcmpClient Ping;
    TXmlDocument XML1;

    // What Send_Ping waits with: the 32-bit millisecond tick, the pause between message rounds and
    // one echo request of `Ping`. Tests script them to run the 5-second road at once.
    struct TPingHooks {
        std::function<uint32_t()> Tick;
        std::function<void(uint32_t Ms)> Pause;
        std::function<void(TIcmpClient& Client)> Echo;
    };
    TPingHooks Ping_Hooks;

  private:
    void Make_Address_Panel();
    void Make_Serial_Panel();
    void Make_Search_Panel();
    void Make_Options_Panel();
    void Make_Buttons();
    void Show_Panels(TPanel* middle);
    void Ethernet_Update();
    void Serial_Update();

    bool FUpdating = false; // an update runs; the ping's message rounds may bring another click
};

extern TFBoot* FBoot;
