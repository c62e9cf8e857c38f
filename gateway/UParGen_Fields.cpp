#include "gateway/UParGen_Fields.h"

namespace
{

using enum TRowKind;

const char* const kSerial[] = {"RS232", "RS485"};
const char* const kBaudrate[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
const char* const kParity[] = {"NONE", "ODD", "EVEN"};
const char* const kStopBits[] = {"1 Stop Bits", "2 Stop Bits"};

// clang-format off
const TParRow kEthernet_Connection[] = {
    {.Kind = Edit, .Label = "L_EthConn_Device_Name", .Caption = 1545,
     .Edits = {{{PARGEN_CONTROL(E_EthConn_Device_Name), 1546, "", "Eth_Conn_Device_Name"}}}, .MaxLength = 31},
    {.Kind = Check, .Caption = 1547,
     .Check = {PARGEN_CONTROL(CB_EthConn_En_DHCP_Cable), 1548, "0", "Eth_Conn_DHCP_Cable"}},
    // Not offered in this build: the box stays unchecked whatever the file says.
    {.Kind = Check, .Caption = 1549,
     .Check = {PARGEN_CONTROL(CB_EthConn_En_DHCP_WiFi), 1550, "0", "Eth_Conn_DHCP_WiFi", false}},
    {.Kind = Check, .Caption = 1551,
     .Check = {PARGEN_CONTROL(CB_EthConn_Enable_DNS), 1552, "0", "Eth_Conn_Enable_DNS"}},
    {.Kind = Octets, .Label = "L_EthConn_Pri_DNS", .Caption = 1553,
     .Edits = {{{PARGEN_CONTROL(E_EthConn_Pri_DNS_IP1), 1554, "8", "Eth_Conn_Primary_DNS1"},
                {PARGEN_CONTROL(E_EthConn_Pri_DNS_IP2), 1555, "8", "Eth_Conn_Primary_DNS2"},
                {PARGEN_CONTROL(E_EthConn_Pri_DNS_IP3), 1556, "8", "Eth_Conn_Primary_DNS3"},
                {PARGEN_CONTROL(E_EthConn_Pri_DNS_IP4), 1557, "8", "Eth_Conn_Primary_DNS4"}}}},
    {.Kind = Octets, .Label = "L_EthConn_Sec_DNS", .Caption = 1558,
     .Edits = {{{PARGEN_CONTROL(E_EthConn_Sec_DNS_IP1), 1559, "8", "Eth_Conn_Secondary_DNS1"},
                {PARGEN_CONTROL(E_EthConn_Sec_DNS_IP2), 1560, "8", "Eth_Conn_Secondary_DNS2"},
                {PARGEN_CONTROL(E_EthConn_Sec_DNS_IP3), 1561, "4", "Eth_Conn_Secondary_DNS3"},
                {PARGEN_CONTROL(E_EthConn_Sec_DNS_IP4), 1562, "4", "Eth_Conn_Secondary_DNS4"}}}},
};

const TParRow kEtherCAT_Slave[] = {
    {.Kind = Edit, .Label = "L_EtherCAT_Slave_Revision_Number", .Caption = 413,
     .Edits = {{{PARGEN_CONTROL(E_EtherCAT_Slave_Revision_Number), 414, "0", "EtherCAT_Slave_Revision_Number"}}},
     .DigitsOnly = true},
    {.Kind = Edit, .Label = "L_EtherCAT_Slave_Name", .Caption = 415,
     .Edits = {{{PARGEN_CONTROL(E_EtherCAT_Slave_Name), 416, "devicename1", "EtherCAT_Slave_Name"}}}, .MaxLength = 15},
    {.Kind = Edit, .Label = "L_EtherCAT_Slave_Node_Address", .Caption = 987,
     .Edits = {{{PARGEN_CONTROL(E_EtherCAT_Slave_Node_Address), 988, "1", "EtherCAT_Slave_Node_Address"}}},
     .DigitsOnly = true},
    {.Kind = Check, .Caption = 1684,
     .Check = {PARGEN_CONTROL(CB_EtherCAT_Slave_Clear_Data), 1685, "0", "EtherCAT_Slave_Clear_Data"}},
};

const TParRow kModbus_Master[] = {
    {.Kind = Combo, .Label = "L_ModbusMaster_Serial", .Caption = 460,
     .Combo = {PARGEN_CONTROL(CB_ModbusMaster_Serial), 461, "0", "ModbusM_SERIAL"}, .Items = kSerial},
    {.Kind = Combo, .Label = "L_ModbusMaster_Baudrate", .Caption = 462,
     .Combo = {PARGEN_CONTROL(CB_ModbusMaster_Baudrate), 463, "7", "ModbusM_BAUDRATE"}, .Items = kBaudrate},
    {.Kind = Combo, .Label = "L_ModbusMaster_Parity", .Caption = 464,
     .Combo = {PARGEN_CONTROL(CB_ModbusMaster_Parity), 465, "0", "ModbusM_PARITY"}, .Items = kParity},
    {.Kind = Combo, .Label = "L_ModbusMaster_StopBits", .Caption = 466,
     .Combo = {PARGEN_CONTROL(CB_ModbusMaster_StopBits), 467, "0", "ModbusM_STOPBITS"}, .Items = kStopBits},
    {.Kind = Edit, .Label = "L_ModbusMaster_TimeOut", .Caption = 468,
     .Edits = {{{PARGEN_CONTROL(E_ModbusMaster_TimeOut), 469, "1000", "ModbusM_TIMEOUT"}}}},
    {.Kind = Edit, .Label = "L_ModbusMaster_CyclicDelay", .Caption = 470,
     .Edits = {{{PARGEN_CONTROL(E_ModbusMaster_CyclicDelay), 471, "100", "ModbusM_CYCLIC"}}}},
};

const TParRow kEthernet[] = {
    {.Kind = Octets, .Label = "L_Ethernet_IP", .Caption = 694,
     .Edits = {{{PARGEN_CONTROL(E_Ethernet_IP1), 695, "192", "Ethernet_IP1"},
                {PARGEN_CONTROL(E_Ethernet_IP2), 696, "168", "Ethernet_IP2"},
                {PARGEN_CONTROL(E_Ethernet_IP3), 697, "0", "Ethernet_IP3"},
                {PARGEN_CONTROL(E_Ethernet_IP4), 698, "5", "Ethernet_IP4"}}}},
    {.Kind = Octets, .Label = "L_Ethernet_SM", .Caption = 699,
     .Edits = {{{PARGEN_CONTROL(E_Ethernet_SM1), 700, "255", "Ethernet_SM1"},
                {PARGEN_CONTROL(E_Ethernet_SM2), 701, "255", "Ethernet_SM2"},
                {PARGEN_CONTROL(E_Ethernet_SM3), 702, "255", "Ethernet_SM3"},
                {PARGEN_CONTROL(E_Ethernet_SM4), 703, "0", "Ethernet_SM4"}}}},
    {.Kind = Gateway, .Caption = 704,
     .Edits = {{{PARGEN_CONTROL(E_Ethernet_GAT1), 706, "192", "Ethernet_GAT1"},
                {PARGEN_CONTROL(E_Ethernet_GAT2), 707, "168", "Ethernet_GAT2"},
                {PARGEN_CONTROL(E_Ethernet_GAT3), 708, "0", "Ethernet_GAT3"},
                {PARGEN_CONTROL(E_Ethernet_GAT4), 709, "1", "Ethernet_GAT4"}}},
     .Check = {PARGEN_CONTROL(CB_Ethernet_En_GAT), 705, "0", "Ethernet_EN_GAT"}},
    {.Kind = Edit, .Label = "L_Ethernet_TCP_Port", .Caption = 716,
     .Edits = {{{PARGEN_CONTROL(E_Ethernet_TCP_Port), 717}}}},
    {.Kind = Edit, .Label = "L_Ethernet_UDP_Port", .Caption = 718,
     .Edits = {{{PARGEN_CONTROL(E_Ethernet_UDP_Port), 719}}}},
};

const TParPanel kPanels[] = {
    {PARGEN_CONTROL(CP_Ethernet_Connection), 1544, kEthernet_Connection, "E_EthConn_Sec_DNS_IP4"},
    {PARGEN_CONTROL(CP_EtherCAT_Slave), 406, kEtherCAT_Slave, "CB_EtherCAT_Slave_Clear_Data"},
    {PARGEN_CONTROL(CP_Modbus_Master), 459, kModbus_Master, "E_ModbusMaster_CyclicDelay"},
    {PARGEN_CONTROL(CP_Ethernet), 693, kEthernet, "E_Ethernet_GAT4"},
};

const TFormMember<TCategoryPanel> kGW101[] = {
    &TFParGen::CP_Ethernet_Connection, &TFParGen::CP_EtherCAT_Slave, &TFParGen::CP_Modbus_Master,
    &TFParGen::CP_Ethernet,
};
const TParModel kModelGW101{"GW101", kGW101};

// Every trigger of the family's panels; only those of the panels built here can fire.
const char* const kChangeTriggers[] = {
    "CB_BACnet_Slave_Type", "CB_SNMP_Agent_SecurityLevel", "CB_WiFi2_Type", "CB_WiFi2_Secure_Type",
    "CB_BACnet_Master_Type", "CB_Select_Device_Device",
};
const char* const kClickTriggers[] = {
    "CB_SNMP_Agent_Version3", "CB_MQTT_WillFlag", "CB_TLS_Enable", "CB_TLS_En_Server_Auth",
    "CB_TLS_En_Client_Auth", "CB_WiFi2_En_DHCP", "CB_TLS_Server_Enable", "CB_EthConn_En_DHCP_Cable",
    "CB_EthConn_En_DHCP_WiFi", "CB_MQTT_PublishTopicConnection",
};

const TFormMember<TEdit> kDNSChain[] = {
    &TFParGen::E_EthConn_Pri_DNS_IP1, &TFParGen::E_EthConn_Pri_DNS_IP2, &TFParGen::E_EthConn_Pri_DNS_IP3,
    &TFParGen::E_EthConn_Pri_DNS_IP4, &TFParGen::E_EthConn_Sec_DNS_IP1, &TFParGen::E_EthConn_Sec_DNS_IP2,
    &TFParGen::E_EthConn_Sec_DNS_IP3, &TFParGen::E_EthConn_Sec_DNS_IP4,
};
const TFormMember<TEdit> kEthernetChain[] = {
    &TFParGen::E_Ethernet_IP1,  &TFParGen::E_Ethernet_IP2,  &TFParGen::E_Ethernet_IP3,  &TFParGen::E_Ethernet_IP4,
    &TFParGen::E_Ethernet_SM1,  &TFParGen::E_Ethernet_SM2,  &TFParGen::E_Ethernet_SM3,  &TFParGen::E_Ethernet_SM4,
    &TFParGen::E_Ethernet_GAT1, &TFParGen::E_Ethernet_GAT2, &TFParGen::E_Ethernet_GAT3, &TFParGen::E_Ethernet_GAT4,
};
const std::span<const TFormMember<TEdit>> kChains[] = {kDNSChain, kEthernetChain};
// clang-format on

} // namespace

std::span<const TParPanel> ParGen_Panels()
{
    return kPanels;
}

const TParModel& ParGen_Model_GW101()
{
    return kModelGW101;
}

std::span<const char* const> ParGen_Change_Triggers()
{
    return kChangeTriggers;
}

std::span<const char* const> ParGen_Click_Triggers()
{
    return kClickTriggers;
}

std::span<const std::span<const TFormMember<TEdit>>> ParGen_Octet_Chains()
{
    return kChains;
}
