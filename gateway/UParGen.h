// TFParGen: the "Set Communication" dialog. It edits the converter's general communication
// parameters in collapsible category panels and keeps them in the project's "ParGen.xml".
//
// The panels and their rows are data (UParGen_Fields.h): creation builds every panel's labels and
// controls from its descriptor, and one row engine lays them out. Which panels show, in which order,
// is the model's (Order_TAB_Panels dispatches to the build's model); the re-layout (Move_GroupBoxs)
// stacks the rows of each shown panel, applies its rules and sets its height.
//
// One instance, FParGen, lives from program start to exit and is shown modally from step 2. Its life:
//   constructor   builds the header, the buttons, the panel group and the panels; then FormCreate:
//                 software code, client 460 x 700, panels hidden, Order_TAB_Panels, Move_GroupBoxs,
//                 Set_Lang
//   FormShow      each showing loads "ParGen.xml" (or the defaults) and re-lays out; a file that is
//                 not well-formed raises before any control changes, so the dialog does not open
//   Btn_OKClick   Controllo_Dati (first failure shown, dialog stays open), then the file is written
//                 whole and the dialog closes with mrOk
// Cancel and the close box discard; the next show reloads.
#pragma once

#include "app/UFormLook.h"
#include "platform/core/Xml.h"

#include <array>
#include <vector>

constexpr int ParGen_Client_Width = 460;  // kept on every resize
constexpr int ParGen_Client_Height = 700; // at creation; the height is free

class TCategoryPanel;
class TCategoryPanelGroup;
class TImageList;
struct TParRow;
struct TParPanel;

class TFParGen : public TForm, public TDialogFrame
{
  public:
    explicit TFParGen(TComponent* AOwner = nullptr);
    ~TFParGen() override;

    // ---- Layout -----------------------------------------------------------------------------------
    void Order_TAB_Panels();
    void Order_TAB_Panels_GW101();
    void Move_GroupBoxs();
    void RePosition_Objects_GW101();
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_EtherCAT_Slave();
    void RePosition_Object_Modbus_Master();
    void RePosition_Object_Ethernet();

    // ---- Data -------------------------------------------------------------------------------------
    // The checks in their fixed order; the first failure is shown and gives false. Changes nothing.
    bool Controllo_Dati();
    void Set_Lang();

    // ---- Events -----------------------------------------------------------------------------------
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    void Btn_OKClick(TObject* Sender);
    void On_Change(TObject* Sender);
    void On_Click(TObject* Sender);
    // "." in an address octet: swallowed, and the focus moves along the octet chains.
    void KeyPress(TObject* Sender, char16_t& Key);
    // Keeps "0", "1", "A".."F" and control keys; bound to no control.
    void E_EtherCAT_Slave_NameKeyPress(TObject* Sender, char16_t& Key);

    bool Is_Change = false;
    TXmlDocument XML1;

    TLabel* L_NBI_Title;
    TLabel* L_NBI_Value;
    TLabel* L_NBO_Title;
    TLabel* L_NBO_Value;
    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    TCategoryPanelGroup* CPG;
    TImageList* ImageList1;

    TCategoryPanel* CP_Ethernet_Connection = nullptr;
    TEdit* E_EthConn_Device_Name = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
    TCheckBox* CB_EthConn_Enable_DNS = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP1 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP2 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP3 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP4 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP1 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP2 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP3 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP4 = nullptr;

    TCategoryPanel* CP_EtherCAT_Slave = nullptr;
    TEdit* E_EtherCAT_Slave_Revision_Number = nullptr;
    TEdit* E_EtherCAT_Slave_Name = nullptr;
    TEdit* E_EtherCAT_Slave_Node_Address = nullptr;
    TCheckBox* CB_EtherCAT_Slave_Clear_Data = nullptr;

    TCategoryPanel* CP_Modbus_Master = nullptr;
    TComboBox* CB_ModbusMaster_Serial = nullptr;
    TComboBox* CB_ModbusMaster_Baudrate = nullptr;
    TComboBox* CB_ModbusMaster_Parity = nullptr;
    TComboBox* CB_ModbusMaster_StopBits = nullptr;
    TEdit* E_ModbusMaster_TimeOut = nullptr;
    TEdit* E_ModbusMaster_CyclicDelay = nullptr;

    TCategoryPanel* CP_Ethernet = nullptr;
    TEdit* E_Ethernet_IP1 = nullptr;
    TEdit* E_Ethernet_IP2 = nullptr;
    TEdit* E_Ethernet_IP3 = nullptr;
    TEdit* E_Ethernet_IP4 = nullptr;
    TEdit* E_Ethernet_SM1 = nullptr;
    TEdit* E_Ethernet_SM2 = nullptr;
    TEdit* E_Ethernet_SM3 = nullptr;
    TEdit* E_Ethernet_SM4 = nullptr;
    TCheckBox* CB_Ethernet_En_GAT = nullptr;
    TEdit* E_Ethernet_GAT1 = nullptr;
    TEdit* E_Ethernet_GAT2 = nullptr;
    TEdit* E_Ethernet_GAT3 = nullptr;
    TEdit* E_Ethernet_GAT4 = nullptr;
    TEdit* E_Ethernet_TCP_Port = nullptr;
    TEdit* E_Ethernet_UDP_Port = nullptr;

  private:
    // The controls one row of a descriptor was built into.
    struct TRowView {
        const TParRow* Def = nullptr;
        TLabel* Label = nullptr;
        std::array<TEdit*, 4> Edits{};
        std::vector<TLabel*> Dots;
        TCheckBox* Check = nullptr;
        TComboBox* Combo = nullptr;
        bool Shown = true;
    };
    struct TPanelView {
        const TParPanel* Def;
        TCategoryPanel* Panel;
        std::vector<TRowView> Rows;
    };

    void FormCreate();
    void Make_Look();
    void Make_Panel(const TParPanel& def);
    void Make_Row(TPanelView& view, const TParRow& def);

    // Row engine: shows or hides a row (by the name of any of its controls), stacks the shown rows
    // of a panel from Row_Start, and sets the panel's height from its deciding control.
    void Show_Row(const char* controlName, bool shown);
    void Stack_Rows(TPanelView& view);
    void Set_Panel_Height(const TPanelView& view);
    const TPanelView& View_Of(const TCategoryPanel* panel) const;
    TPanelView& View_Of(const TCategoryPanel* panel);
    TRowView* Row_Of(const char* controlName);
    // Makes the model's panels visible, stacked, numbered and in tab order.
    void Order_Panels(const std::vector<TCategoryPanel*>& panels);
    // Stacks the panel's shown rows and sets its height (after the panel's rule has run).
    void Lay_Out_Panel(TCategoryPanel* panel);
    // The build model's panels, in shown order.
    std::vector<TCategoryPanel*> Model_Panels() const;
    // While DHCP for cable is checked: the address, mask and gateway octets (and the gateway box)
    // disabled; enabled otherwise.
    void Apply_DHCP_Rule(std::array<TEdit*, 12> octets, TCheckBox* gateway);

    void Load_Defaults_Or_File();
    void Save_File();

    std::vector<TPanelView> FPanels;
};

extern TFParGen* FParGen;
