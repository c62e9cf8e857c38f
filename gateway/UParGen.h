// TFParGen: the "Set Communication" dialog. It edits the converter's general communication
// parameters in collapsible category panels and keeps them in the project's "ParGen.xml".
//
// The panels and their rows are data (UParGen_Fields.h): creation builds all 34 panels of the
// family's models from their descriptors, and one row engine lays them out. The form is built for one
// model (the program's is GW101): which panels show, in which order, is that model's
// (Order_TAB_Panels dispatches to it); the re-layout (Move_GroupBoxs) applies the rules of each shown
// panel, stacks its rows and sets its height, then applies the model's own rule. Only the GW101
// fields are loaded, checked and saved, whatever the model.
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
#include <initializer_list>
#include <vector>

// The family's models; each has its ordering Order_TAB_Panels_<model> and its re-layout
// RePosition_Objects_<model>.
// clang-format off
#define PARGEN_MODELS(X)                                                                                     \
    X(GW100) X(GW101) X(GW102) X(GW103) X(GW104) X(GW105) X(GW106) X(GW107) X(GW108) X(GW109) X(GW110)       \
    X(GW111) X(GW112) X(GW113) X(GW114) X(GW115) X(GW116) X(GW117) X(GW119) X(GW120) X(GW121) X(GW123)       \
    X(GW124) X(GW125) X(GW126) X(GW127) X(GW128)
// clang-format on

constexpr int ParGen_Client_Width = 460;  // kept on every resize
constexpr int ParGen_Client_Height = 700; // at creation; the height is free

class TCategoryPanel;
class TCategoryPanelGroup;
class TImageList;
struct TParRow;
struct TParPanel;
struct TParModel;

class TFParGen : public TForm, public TDialogFrame
{
  public:
    // Built for `Model`, one of the family's 27 (EListError otherwise); the program builds GW101.
    explicit TFParGen(TComponent* AOwner = nullptr, const QString& Model = "GW101");
    ~TFParGen() override;

    // ---- Layout -----------------------------------------------------------------------------------
    // Dispatchers to the form's model.
    void Order_TAB_Panels();
    void Move_GroupBoxs();
#define PARGEN_DECLARE_MODEL(m)                                                                              \
    void Order_TAB_Panels_##m();                                                                             \
    void RePosition_Objects_##m();
    PARGEN_MODELS(PARGEN_DECLARE_MODEL)
#undef PARGEN_DECLARE_MODEL
    // One per panel: its rules, then its rows stacked and its height set.
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_EtherCAT_Slave();
    void RePosition_Object_Modbus_Master();
    void RePosition_Object_Ethernet();
    void RePosition_Object_Serial();
    void RePosition_Object_Modbus_Slave();
    void RePosition_Object_Modbus_TCP_Master();
    void RePosition_Object_Modbus_TCP_Slave();
    void RePosition_Object_BACnet_Master();
    void RePosition_Object_BACnet_Slave();
    void RePosition_Object_CAN();
    void RePosition_Object_CANopen();
    void RePosition_Object_DeviceNet_Master();
    void RePosition_Object_DeviceNet_Slave();
    void RePosition_Object_DMX();
    void RePosition_Object_J1939();
    void RePosition_Object_NMEA2000();
    void RePosition_Object_EtherNetIP();
    void RePosition_Object_EtherNetIP_Master();
    void RePosition_Object_IEC61850_Client();
    void RePosition_Object_IEC61850_Server();
    void RePosition_Object_TLS_Server();
    void RePosition_Object_OPC_UA_Client();
    void RePosition_Object_OPC_UA_Server();
    void RePosition_Object_PROFINET();
    void RePosition_Object_SNMP_Manager();
    void RePosition_Object_SNMP_Agent();
    void RePosition_Object_S7comm();
    void RePosition_Object_Select_Device();
    void RePosition_Object_MQTT();
    void RePosition_Object_TLS();
    void RePosition_Object_NTP();
    void RePosition_Object_WiFi2();
    void RePosition_Object_GSM_GPRS();
    // The models' own rules, after their panels' rules.
    void Model_Rule_GW105();
    void Model_Rule_GW106();
    void Model_Rule_GW117();

    // The model the form was built for.
    const TParModel& Model() const
    {
        return *FModel;
    }

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

    // The panels of the family's other models: built, re-texted and raising events, but never loaded,
    // saved or checked.
    TCategoryPanel* CP_Serial = nullptr;
    TComboBox *CB_Serial_Serial = nullptr, *CB_Serial_Baudrate = nullptr, *Cb_Serial_Parity = nullptr,
              *CB_Serial_StopBits = nullptr;

    TCategoryPanel* CP_Modbus_Slave = nullptr;
    TComboBox *CB_ModbusSlave_Serial = nullptr, *CB_ModbusSlave_Baudrate = nullptr,
              *CB_ModbusSlave_Parity = nullptr, *CB_ModbusSlave_StopBits = nullptr;
    TEdit* E_ModbusSlave_IDDevice = nullptr;
    TCheckBox* CB_ModbusSlave_ReadInput = nullptr;

    TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
    TEdit *E_ModbusTCPMaster_IP1 = nullptr, *E_ModbusTCPMaster_IP2 = nullptr,
          *E_ModbusTCPMaster_IP3 = nullptr, *E_ModbusTCPMaster_IP4 = nullptr;
    TEdit *E_ModbusTCPMaster_SM1 = nullptr, *E_ModbusTCPMaster_SM2 = nullptr,
          *E_ModbusTCPMaster_SM3 = nullptr, *E_ModbusTCPMaster_SM4 = nullptr;
    TCheckBox* CB_ModbusTCPMaster_En_GAT = nullptr;
    TEdit *E_ModbusTCPMaster_GAT1 = nullptr, *E_ModbusTCPMaster_GAT2 = nullptr,
          *E_ModbusTCPMaster_GAT3 = nullptr, *E_ModbusTCPMaster_GAT4 = nullptr;
    TEdit *E_ModbusTCPMaster_TimeOut = nullptr, *E_ModbusTCPMaster_CyclicDelay = nullptr;

    TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
    TEdit *E_ModbusTCPSlave_IP1 = nullptr, *E_ModbusTCPSlave_IP2 = nullptr, *E_ModbusTCPSlave_IP3 = nullptr,
          *E_ModbusTCPSlave_IP4 = nullptr;
    TEdit *E_ModbusTCPSlave_SM1 = nullptr, *E_ModbusTCPSlave_SM2 = nullptr, *E_ModbusTCPSlave_SM3 = nullptr,
          *E_ModbusTCPSlave_SM4 = nullptr;
    TCheckBox* CB_ModbusTCPSlave_En_GAT = nullptr;
    TEdit *E_ModbusTCPSlave_GAT1 = nullptr, *E_ModbusTCPSlave_GAT2 = nullptr,
          *E_ModbusTCPSlave_GAT3 = nullptr, *E_ModbusTCPSlave_GAT4 = nullptr;
    TEdit* E_ModbusTCPSlave_Port = nullptr;

    TCategoryPanel* CP_BACnet_Master = nullptr;
    TComboBox* CB_BACnet_Master_Type = nullptr;
    TEdit *E_BACnet_IP_Master_IP1 = nullptr, *E_BACnet_IP_Master_IP2 = nullptr,
          *E_BACnet_IP_Master_IP3 = nullptr, *E_BACnet_IP_Master_IP4 = nullptr;
    TEdit *E_BACnet_IP_Master_SM1 = nullptr, *E_BACnet_IP_Master_SM2 = nullptr,
          *E_BACnet_IP_Master_SM3 = nullptr, *E_BACnet_IP_Master_SM4 = nullptr;
    TCheckBox* CB_BACnet_IP_Master_GAT = nullptr;
    TEdit *E_BACnet_IP_Master_GAT1 = nullptr, *E_BACnet_IP_Master_GAT2 = nullptr,
          *E_BACnet_IP_Master_GAT3 = nullptr, *E_BACnet_IP_Master_GAT4 = nullptr;
    TEdit *E_BACnet_IP_Master_Port = nullptr, *E_BACnet_IP_Master_Device_Name = nullptr,
          *E_BACnet_IP_Master_Device_Identifier = nullptr, *E_BACnet_IP_Master_TimeOut_Polling = nullptr;
    TComboBox *CB_BACnet_MSTP_Master_Baudrate = nullptr, *CB_BACnet_MSTP_Master_Parity = nullptr;
    TEdit *E_BACnet_MSTP_Master_Device_Name = nullptr, *E_BACnet_MSTP_Master_MAC_Address = nullptr,
          *E_BACnet_MSTP_Master_Max_Master = nullptr, *E_BACnet_MSTP_Master_Max_Info_Frame = nullptr,
          *E_BACnet_MSTP_Master_Device_Instance = nullptr;

    TCategoryPanel* CP_BACnet_Slave = nullptr;
    TComboBox* CB_BACnet_Slave_Type = nullptr;
    TEdit *E_BACnet_IP_Slave_IP1 = nullptr, *E_BACnet_IP_Slave_IP2 = nullptr,
          *E_BACnet_IP_Slave_IP3 = nullptr, *E_BACnet_IP_Slave_IP4 = nullptr;
    TEdit *E_BACnet_IP_Slave_SM1 = nullptr, *E_BACnet_IP_Slave_SM2 = nullptr,
          *E_BACnet_IP_Slave_SM3 = nullptr, *E_BACnet_IP_Slave_SM4 = nullptr;
    TCheckBox* CB_BACnet_IP_Slave_GAT = nullptr;
    TEdit *E_BACnet_IP_Slave_GAT1 = nullptr, *E_BACnet_IP_Slave_GAT2 = nullptr,
          *E_BACnet_IP_Slave_GAT3 = nullptr, *E_BACnet_IP_Slave_GAT4 = nullptr;
    TEdit *E_BACnet_IP_Slave_Port = nullptr, *E_BACnet_IP_Slave_Device_Name = nullptr,
          *E_BACnet_IP_Slave_Device_Identifier = nullptr;
    TComboBox *CB_BACnet_MSTP_Slave_Baudrate = nullptr, *CB_BACnet_MSTP_Slave_Parity = nullptr;
    TEdit *E_BACnet_MSTP_Slave_Device_Name = nullptr, *E_BACnet_MSTP_Slave_MAC_Address = nullptr,
          *E_BACnet_MSTP_Slave_Max_Master = nullptr, *E_BACnet_MSTP_Slave_Max_Info_Frame = nullptr,
          *E_BACnet_MSTP_Slave_Device_Instance = nullptr, *E_BACnet_MSTP_Slave_Network = nullptr;
    TCheckBox* CB_BACnet_Slave_Desc_32_Chars = nullptr;

    TCategoryPanel* CP_CAN = nullptr;
    TComboBox* CB_CAN_Baudrate = nullptr;

    TCategoryPanel* CP_CANopen = nullptr;
    TEdit* E_CANopen_IDDevice = nullptr;
    TComboBox* CB_CANopen_Baudrate = nullptr;
    TCheckBox *CB_CANopen_SetOpe = nullptr, *CB_CANopen_NetOpe = nullptr;
    TEdit *E_CANopen_NetOpe_Delay = nullptr, *E_CANopen_SDO_Timeout = nullptr;
    TCheckBox* CB_CANopen_Enable_Sync = nullptr;
    TEdit* E_CANopen_Sync_Time = nullptr;

    TCategoryPanel* CP_DeviceNet_Master = nullptr;
    TEdit* E_DeviceNet_Master_IDDevice = nullptr;
    TComboBox* CB_DeviceNet_Master_Baudrate = nullptr;

    TCategoryPanel* CP_DeviceNet_Slave = nullptr;
    TEdit* E_DeviceNet_Slave_IDDevice = nullptr;
    TComboBox* CB_DeviceNet_Slave_Baudrate = nullptr;
    TEdit *E_DeviceNet_Slave_NumByteIn = nullptr, *E_DeviceNet_Slave_NumByteOut = nullptr;

    TCategoryPanel* CP_DMX = nullptr;
    TComboBox* CB_DMX_DMX = nullptr;
    TEdit* E_DMX_ChannelNum = nullptr;

    TCategoryPanel* CP_J1939 = nullptr;
    TComboBox* CB_J1939_Baudrate = nullptr;
    TEdit* E_J1939_TimeOut = nullptr;
    TCheckBox* CB_J1939_Enable_Peer_To_Peer = nullptr;
    TEdit* E_J1939_ID_Device = nullptr;

    TCategoryPanel* CP_NMEA2000 = nullptr;
    TComboBox* CB_NMEA2000_Baudrate = nullptr;
    TEdit* E_NMEA2000_TimeOut = nullptr;
    TCheckBox* CB_NMEA2000_Peer_To_Peer = nullptr;

    TCategoryPanel* CP_EtherNetIP = nullptr;
    TEdit *E_EtherNetIP_IP1 = nullptr, *E_EtherNetIP_IP2 = nullptr, *E_EtherNetIP_IP3 = nullptr,
          *E_EtherNetIP_IP4 = nullptr;
    TEdit *E_EtherNetIP_SM1 = nullptr, *E_EtherNetIP_SM2 = nullptr, *E_EtherNetIP_SM3 = nullptr,
          *E_EtherNetIP_SM4 = nullptr;
    TCheckBox* CB_EtherNetIP_GAT = nullptr;
    TEdit *E_EtherNetIP_GAT1 = nullptr, *E_EtherNetIP_GAT2 = nullptr, *E_EtherNetIP_GAT3 = nullptr,
          *E_EtherNetIP_GAT4 = nullptr;
    TEdit *E_EtherNetIP_TunnelPort = nullptr, *E_EtherNetIP_NByte_In = nullptr,
          *E_EtherNetIP_NByte_Out = nullptr;

    TCategoryPanel* CP_EtherNetIP_Master = nullptr;
    TEdit *E_EtherNetIP_Master_IP1 = nullptr, *E_EtherNetIP_Master_IP2 = nullptr,
          *E_EtherNetIP_Master_IP3 = nullptr, *E_EtherNetIP_Master_IP4 = nullptr;
    TEdit *E_EtherNetIP_Master_SM1 = nullptr, *E_EtherNetIP_Master_SM2 = nullptr,
          *E_EtherNetIP_Master_SM3 = nullptr, *E_EtherNetIP_Master_SM4 = nullptr;
    TCheckBox* CB_EtherNetIP_Master_GAT = nullptr;
    TEdit *E_EtherNetIP_Master_GAT1 = nullptr, *E_EtherNetIP_Master_GAT2 = nullptr,
          *E_EtherNetIP_Master_GAT3 = nullptr, *E_EtherNetIP_Master_GAT4 = nullptr;
    TEdit* E_EtherNetIP_Master_Port = nullptr;

    TCategoryPanel* CP_IEC61850_Client = nullptr;
    TEdit *E_IEC61850_Client_IP1 = nullptr, *E_IEC61850_Client_IP2 = nullptr,
          *E_IEC61850_Client_IP3 = nullptr, *E_IEC61850_Client_IP4 = nullptr;
    TEdit *E_IEC61850_Client_SM1 = nullptr, *E_IEC61850_Client_SM2 = nullptr,
          *E_IEC61850_Client_SM3 = nullptr, *E_IEC61850_Client_SM4 = nullptr;
    TCheckBox* CB_IEC61850_Client_En_GAT = nullptr;
    TEdit *E_IEC61850_Client_GAT1 = nullptr, *E_IEC61850_Client_GAT2 = nullptr,
          *E_IEC61850_Client_GAT3 = nullptr, *E_IEC61850_Client_GAT4 = nullptr;
    TEdit *E_IEC61850_Client_VLAN = nullptr, *E_IEC61850_Client_AppID = nullptr;

    TCategoryPanel* CP_IEC61850_Server = nullptr;
    TEdit *E_IEC61850_Server_IP1 = nullptr, *E_IEC61850_Server_IP2 = nullptr,
          *E_IEC61850_Server_IP3 = nullptr, *E_IEC61850_Server_IP4 = nullptr;
    TEdit *E_IEC61850_Server_SM1 = nullptr, *E_IEC61850_Server_SM2 = nullptr,
          *E_IEC61850_Server_SM3 = nullptr, *E_IEC61850_Server_SM4 = nullptr;
    TCheckBox* CB_IEC61850_Server_En_GAT = nullptr;
    TEdit *E_IEC61850_Server_GAT1 = nullptr, *E_IEC61850_Server_GAT2 = nullptr,
          *E_IEC61850_Server_GAT3 = nullptr, *E_IEC61850_Server_GAT4 = nullptr;
    TEdit *E_IEC61850_Server_Port = nullptr, *E_IEC61850_Server_Password = nullptr;

    TCategoryPanel* CP_TLS_Server = nullptr;
    TCheckBox* CB_TLS_Server_Enable = nullptr;
    TMemo* E_TLS_Server_Key = nullptr;
    TEdit* E_TLS_Server_Key_Pass = nullptr;
    TMemo *E_TLS_Server_Server_Cert = nullptr, *E_TLS_Server_Root_Cert = nullptr;
    TCheckBox* CB_TLS_Server_En_Known_Cert = nullptr;

    TCategoryPanel* CP_OPC_UA_Client = nullptr;
    TEdit *E_OPC_UA_Client_IP1 = nullptr, *E_OPC_UA_Client_IP2 = nullptr, *E_OPC_UA_Client_IP3 = nullptr,
          *E_OPC_UA_Client_IP4 = nullptr;
    TEdit *E_OPC_UA_Client_SM1 = nullptr, *E_OPC_UA_Client_SM2 = nullptr, *E_OPC_UA_Client_SM3 = nullptr,
          *E_OPC_UA_Client_SM4 = nullptr;
    TCheckBox* CB_OPC_UA_Client_En_GAT = nullptr;
    TEdit *E_OPC_UA_Client_GAT1 = nullptr, *E_OPC_UA_Client_GAT2 = nullptr, *E_OPC_UA_Client_GAT3 = nullptr,
          *E_OPC_UA_Client_GAT4 = nullptr;

    TCategoryPanel* CP_OPC_UA_Server = nullptr;
    TEdit *E_OPC_UA_Server_IP1 = nullptr, *E_OPC_UA_Server_IP2 = nullptr, *E_OPC_UA_Server_IP3 = nullptr,
          *E_OPC_UA_Server_IP4 = nullptr;
    TEdit *E_OPC_UA_Server_SM1 = nullptr, *E_OPC_UA_Server_SM2 = nullptr, *E_OPC_UA_Server_SM3 = nullptr,
          *E_OPC_UA_Server_SM4 = nullptr;
    TCheckBox* CB_OPC_UA_Server_En_GAT = nullptr;
    TEdit *E_OPC_UA_Server_GAT1 = nullptr, *E_OPC_UA_Server_GAT2 = nullptr, *E_OPC_UA_Server_GAT3 = nullptr,
          *E_OPC_UA_Server_GAT4 = nullptr;
    TEdit* E_OPC_UA_Server_Port = nullptr;

    TCategoryPanel* CP_PROFINET = nullptr;
    TEdit *E_PROFINET_IP1 = nullptr, *E_PROFINET_IP2 = nullptr, *E_PROFINET_IP3 = nullptr,
          *E_PROFINET_IP4 = nullptr;
    TEdit *E_PROFINET_SM1 = nullptr, *E_PROFINET_SM2 = nullptr, *E_PROFINET_SM3 = nullptr,
          *E_PROFINET_SM4 = nullptr;
    TCheckBox* CB_PROFINET_GAT = nullptr;
    TEdit *E_PROFINET_GAT1 = nullptr, *E_PROFINET_GAT2 = nullptr, *E_PROFINET_GAT3 = nullptr,
          *E_PROFINET_GAT4 = nullptr;
    TEdit *E_PROFINET_TunnelPort = nullptr, *E_PROFINET_NameStation = nullptr, *E_PROFINET_NByte_In = nullptr,
          *E_PROFINET_NByte_Out = nullptr;
    TCheckBox* CB_PROFINET_Diagnostic = nullptr;
    TEdit* E_PROFINET_Diagnostic = nullptr;
    TCheckBox* CB_PROFINET_Disable_Reset = nullptr;

    TCategoryPanel* CP_SNMP_Manager = nullptr;
    TEdit *E_SNMP_Manager_IP1 = nullptr, *E_SNMP_Manager_IP2 = nullptr, *E_SNMP_Manager_IP3 = nullptr,
          *E_SNMP_Manager_IP4 = nullptr;
    TEdit *E_SNMP_Manager_SM1 = nullptr, *E_SNMP_Manager_SM2 = nullptr, *E_SNMP_Manager_SM3 = nullptr,
          *E_SNMP_Manager_SM4 = nullptr;
    TCheckBox* CB_SNMP_Manager_GAT = nullptr;
    TEdit *E_SNMP_Manager_GAT1 = nullptr, *E_SNMP_Manager_GAT2 = nullptr, *E_SNMP_Manager_GAT3 = nullptr,
          *E_SNMP_Manager_GAT4 = nullptr;
    TEdit* E_SNMP_Manager_NameStation = nullptr;

    TCategoryPanel* CP_SNMP_Agent = nullptr;
    TEdit *E_SNMP_Agent_IP1 = nullptr, *E_SNMP_Agent_IP2 = nullptr, *E_SNMP_Agent_IP3 = nullptr,
          *E_SNMP_Agent_IP4 = nullptr;
    TEdit *E_SNMP_Agent_SM1 = nullptr, *E_SNMP_Agent_SM2 = nullptr, *E_SNMP_Agent_SM3 = nullptr,
          *E_SNMP_Agent_SM4 = nullptr;
    TCheckBox* CB_SNMP_Agent_GAT = nullptr;
    TEdit *E_SNMP_Agent_GAT1 = nullptr, *E_SNMP_Agent_GAT2 = nullptr, *E_SNMP_Agent_GAT3 = nullptr,
          *E_SNMP_Agent_GAT4 = nullptr;
    TEdit *E_SNMP_Agent_NameStation = nullptr, *E_SNMP_Agent_Contact = nullptr,
          *E_SNMP_Agent_Location = nullptr;
    TCheckBox *CB_SNMP_Agent_Version1 = nullptr, *CB_SNMP_Agent_Version2 = nullptr,
              *CB_SNMP_Agent_Version3 = nullptr;
    TEdit* E_SNMP_Agent_User = nullptr;
    TComboBox* CB_SNMP_Agent_SecurityLevel = nullptr;
    TEdit* E_SNMP_Agent_Authority = nullptr;
    TComboBox* CB_SNMP_Agent_AuthorityMode = nullptr;
    TEdit* E_SNMP_Agent_Privacy = nullptr;
    TComboBox* CB_SNMP_Agent_PrivacyMode = nullptr;

    TCategoryPanel* CP_S7_Protocol = nullptr;
    TEdit *E_S7_Protocol_IP1 = nullptr, *E_S7_Protocol_IP2 = nullptr, *E_S7_Protocol_IP3 = nullptr,
          *E_S7_Protocol_IP4 = nullptr;
    TEdit *E_S7_Protocol_SM1 = nullptr, *E_S7_Protocol_SM2 = nullptr, *E_S7_Protocol_SM3 = nullptr,
          *E_S7_Protocol_SM4 = nullptr;
    TCheckBox* CB_S7_Protocol_En_GAT = nullptr;
    TEdit *E_S7_Protocol_GAT1 = nullptr, *E_S7_Protocol_GAT2 = nullptr, *E_S7_Protocol_GAT3 = nullptr,
          *E_S7_Protocol_GAT4 = nullptr;

    TCategoryPanel* CP_Select_Device = nullptr;
    TComboBox* CB_Select_Device_Device = nullptr;

    TCategoryPanel* CP_MQTT = nullptr;
    TEdit *E_MQTT_Server = nullptr, *E_MQTT_Server_Port = nullptr, *E_MQTT_Client_ID = nullptr,
          *E_MQTT_Password__ = nullptr, *E_MQTT_Keep_Alive = nullptr;
    TCheckBox *CB_MQTT_Clean_Session = nullptr, *CB_MQTT_WillFlag = nullptr;
    TEdit *E_MQTT_Will_TopicName = nullptr, *E_MQTT_Will_Message = nullptr;
    TCheckBox* CB_MQTT_Will_Retained = nullptr;
    TComboBox* CB_MQTT_Will_QoS = nullptr;
    TCheckBox* CB_MQTT_PublishTopicConnection = nullptr;
    TEdit *E_MQTT_Connection_TopicName = nullptr, *E_MQTT_Connection_Message = nullptr;
    TCheckBox* CB_MQTT_Connection_Retained = nullptr;
    TEdit* E_MQTT_Username = nullptr;
    TMemo* E_MQTT_Password = nullptr;
    TEdit *E_MQTT_ASync_Send_Time = nullptr, *E_MQTT_TopicDALIAns = nullptr;
    TCheckBox* CB_MQTT_Enable_ReProgram = nullptr;
    TEdit *E_MQTT_Reprogram_Topic = nullptr, *E_MQTT_Reproram_Value = nullptr;

    TCategoryPanel* CP_TLS = nullptr;
    TCheckBox *CB_TLS_Enable = nullptr, *CB_TLS_En_Server_Auth = nullptr;
    TMemo* E_TLS_Server_Cert = nullptr;
    TCheckBox* CB_TLS_En_Client_Auth = nullptr;
    TMemo *E_TLS_Client_Cert = nullptr, *E_TLS_Client_Cert_Key = nullptr;
    TEdit* E_TLS_Client_Cert_Key_Pass = nullptr;

    TCategoryPanel* CP_NTP = nullptr;
    TEdit *E_NTP_Server_URL = nullptr, *E_NTP_Poll_Time = nullptr;

    TCategoryPanel* CP_WiFi2 = nullptr;
    TComboBox* CB_WiFi2_Type = nullptr;
    TEdit *E_WiFi2_IP1_IP1 = nullptr, *E_WiFi2_IP1_IP2 = nullptr, *E_WiFi2_IP1_IP3 = nullptr,
          *E_WiFi2_IP1_IP4 = nullptr;
    TEdit *E_WiFi2_IP1_SM1 = nullptr, *E_WiFi2_IP1_SM2 = nullptr, *E_WiFi2_IP1_SM3 = nullptr,
          *E_WiFi2_IP1_SM4 = nullptr;
    TCheckBox* CB_WiFi2_IP1_En_GAT = nullptr;
    TEdit *E_WiFi2_IP1_GAT1 = nullptr, *E_WiFi2_IP1_GAT2 = nullptr, *E_WiFi2_IP1_GAT3 = nullptr,
          *E_WiFi2_IP1_GAT4 = nullptr;
    TEdit *E_WiFi2_IP2_IP1 = nullptr, *E_WiFi2_IP2_IP2 = nullptr, *E_WiFi2_IP2_IP3 = nullptr,
          *E_WiFi2_IP2_IP4 = nullptr;
    TEdit *E_WiFi2_IP2_SM1 = nullptr, *E_WiFi2_IP2_SM2 = nullptr, *E_WiFi2_IP2_SM3 = nullptr,
          *E_WiFi2_IP2_SM4 = nullptr;
    TCheckBox* CB_WiFi2_IP2_En_GAT = nullptr;
    TEdit *E_WiFi2_IP2_GAT1 = nullptr, *E_WiFi2_IP2_GAT2 = nullptr, *E_WiFi2_IP2_GAT3 = nullptr,
          *E_WiFi2_IP2_GAT4 = nullptr;
    TEdit *E_WiFi2_SSID = nullptr, *E_WiFi2_Password = nullptr;
    TComboBox* CB_WiFi2_Secure_Type = nullptr;
    TCheckBox* CB_WiFi2_En_DHCP = nullptr;
    TEdit *E_WiFi2_DHCP_First_IP1 = nullptr, *E_WiFi2_DHCP_First_IP2 = nullptr,
          *E_WiFi2_DHCP_First_IP3 = nullptr, *E_WiFi2_DHCP_First_IP4 = nullptr;
    TEdit *E_WiFi2_DHCP_SM1 = nullptr, *E_WiFi2_DHCP_SM2 = nullptr, *E_WiFi2_DHCP_SM3 = nullptr,
          *E_WiFi2_DHCP_SM4 = nullptr;
    TEdit* E_WiFi2_Lease_Time = nullptr;
    TComboBox *CB_WiFi2_Max_Client = nullptr, *CB_WiFi2_Channel = nullptr;

    TCategoryPanel* CP_GSM_GPRS = nullptr;
    TEdit *E_GSM_GPRS_PIN = nullptr, *E_GSM_GPRS_APN = nullptr;
    TComboBox* CB_GSM_GPRS_AuthType = nullptr;
    TEdit *E_GSM_GPRS_UserName = nullptr, *E_GSM_GPRS_Password = nullptr;

  private:
    // The controls one row of a descriptor was built into.
    struct TRowView {
        const TParRow* Def = nullptr;
        TLabel* Label = nullptr;
        std::array<TEdit*, 4> Edits{};
        std::vector<TLabel*> Dots;
        TCheckBox* Check = nullptr;
        TComboBox* Combo = nullptr;
        TMemo* Memo = nullptr;
        std::vector<TCheckBox*> Boxes;
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
    void Show_Rows(std::initializer_list<const char*> controlNames, bool shown);
    void Stack_Rows(TPanelView& view);
    void Set_Panel_Height(const TPanelView& view, const char* deciding);
    const TPanelView& View_Of(const TCategoryPanel* panel) const;
    TPanelView& View_Of(const TCategoryPanel* panel);
    TRowView* Row_Of(const char* controlName);
    // Makes the model's panels visible, stacked, numbered and in tab order.
    void Order_Panels(const std::vector<TCategoryPanel*>& panels);
    // Stacks the panel's shown rows and sets its height (after the panel's rule has run) from
    // `deciding`, or from the panel's own deciding control.
    void Lay_Out_Panel(TCategoryPanel* panel, const char* deciding = nullptr);
    // A model's panels, in shown order; Model_Panels: the form's model's.
    std::vector<TCategoryPanel*> Panels_Of(const TParModel& model) const;
    std::vector<TCategoryPanel*> Model_Panels() const;
    // The rule of each of the model's panels, then the model's own.
    void RePosition_Panels(const TParModel& model);
    // While DHCP for cable is checked: the address, mask and gateway octets (and the gateway box)
    // disabled; enabled otherwise.
    void Apply_DHCP_Rule(std::array<TEdit*, 12> octets, TCheckBox* gateway);
    // The same on the panel's own address, mask and gateway rows, with or without its gateway box.
    void Apply_DHCP_Rule(TCategoryPanel* panel, bool withGateway);

    // Only the controls with an element (the GW101 fields), in panel and row order.
    void Load_Defaults_Or_File();
    void Save_File();

    const TParModel* FModel;
    std::vector<TPanelView> FPanels;
};

extern TFParGen* FParGen;
