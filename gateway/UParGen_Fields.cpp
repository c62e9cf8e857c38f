#include "gateway/UParGen_Fields.h"

namespace
{

using enum TRowKind;

const char* const kSerial[] = {"RS232", "RS485"};
const char* const kBaudrate[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
const char* const kParity[] = {"NONE", "ODD", "EVEN"};
const char* const kStopBits[] = {"1 Stop Bits", "2 Stop Bits"};
const char* const kBACnetType[] = {"BACnet/IP", "BACnet MS/TP"};
const char* const kBACnetBaudrate[] = {"9600", "19200", "38400", "57600", "76800", "115200"};
const char* const kCANBaudrate[] = {"10K",  "20K",  "50K",  "62.5K", "100K",
                                    "125K", "250K", "500K", "800K",  "1000K"};
// The tenth item is empty, as designed.
const char* const kCANopenBaudrate[] = {"10K",  "20K",  "50K",  "100K",  "125K",
                                        "250K", "500K", "800K", "1000K", ""};
const char* const kDeviceNetBaudrate[] = {"125K", "250K", "500K"};
const char* const kDMX[] = {"IN", "OUT"};
const char* const kSecurityLevel[] = {"NoAuthority NoPrivacy", "Authority NoPrivacy", "Authority Privacy"};
const char* const kAuthorityMode[] = {"MD5", "SHA"};
const char* const kPrivacyMode[] = {"DES", "AES"};
const char* const kSelectDevice[] = {"Only Ethernet Cable ", "Ethernet Cable + Wi-Fi",
                                     "Ethernet Cable + Mobile Connection"};
const char* const kQoS[] = {"0", "1", "2"};
const char* const kWiFiType[] = {"Access Point", "Station"};
const char* const kSecureType[] = {"Unsecured", "WPA", "WPA2", "WEP"};
const char* const kMaxClient[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
const char* const kChannel[] = {"Auto Search", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
const char* const kAuthType[] = {"None", "PAP", "CHAP", "PAP or CHAP"};

// Rows of the panels that store nothing. Their labels are named after their control ("L_" and the
// name without its "E_"/"CB_" prefix, and without the octet number).
constexpr TParRow Edit_Row(int caption, TParControl<TEdit> edit, int maxLength = 0, bool digitsOnly = false)
{
    return {.Kind = Edit,
            .Caption = caption,
            .Edits = {{edit}},
            .MaxLength = maxLength,
            .DigitsOnly = digitsOnly};
}
constexpr TParRow Octet_Row(int caption, std::array<TParControl<TEdit>, 4> octets)
{
    return {.Kind = Octets, .Caption = caption, .Edits = octets};
}
constexpr TParRow Gateway_Row(int caption, TParControl<TCheckBox> box,
                              std::array<TParControl<TEdit>, 4> octets, int raise = 3)
{
    return {.Kind = Gateway, .Caption = caption, .Edits = octets, .Check = box, .Raise = raise};
}
constexpr TParRow Check_Row(int caption, TParControl<TCheckBox> box)
{
    return {.Kind = Check, .Caption = caption, .Check = box};
}
constexpr TParRow Combo_Row(int caption, TParControl<TComboBox> combo, std::span<const char* const> items,
                            int itemText = -1)
{
    return {.Kind = Combo, .Caption = caption, .Combo = combo, .Items = items, .ItemText = itemText};
}
constexpr TParRow Check_Edit_Row(int caption, TParControl<TCheckBox> box, TParControl<TEdit> edit)
{
    return {.Kind = CheckEdit, .Caption = caption, .Edits = {{edit}}, .Check = box};
}
constexpr TParRow Memo_Row(int caption, TParControl<TMemo> memo)
{
    return {.Kind = Memo, .Caption = caption, .Memo = memo};
}
constexpr TParRow Title_Row(const char* label, int caption)
{
    return {.Kind = Title, .Label = label, .Caption = caption};
}

// The four octets prefix1 .. prefix4 with the hints hint .. hint + 3, designed as 192.168.0.5.
#define PARGEN_OCTETS(prefix, hint)                                                                          \
    {                                                                                                        \
        {                                                                                                    \
            {PARGEN_CONTROL(prefix##1), (hint), "192"}, {PARGEN_CONTROL(prefix##2), (hint) + 1, "168"},      \
                {PARGEN_CONTROL(prefix##3), (hint) + 2, "0"},                                                \
            {                                                                                                \
                PARGEN_CONTROL(prefix##4), (hint) + 3, "5"                                                   \
            }                                                                                                \
        }                                                                                                    \
    }

// The address, mask and gateway rows of a panel: prefix_IP1.., prefix_SM1.., the gateway box and
// prefix_GAT1.., with their captions and hints numbered on from `caption`.
#define PARGEN_ADDRESS_ROWS(prefix, gateway, caption)                                                        \
    Octet_Row((caption), PARGEN_OCTETS(prefix##_IP, (caption) + 1)),                                         \
        Octet_Row((caption) + 5, PARGEN_OCTETS(prefix##_SM, (caption) + 6)),                                 \
        Gateway_Row((caption) + 10, {PARGEN_CONTROL(gateway), (caption) + 11, "0"},                          \
                    PARGEN_OCTETS(prefix##_GAT, (caption) + 12))

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

const TParRow kSerial_Panel[] = {
    Combo_Row(450, {PARGEN_CONTROL(CB_Serial_Serial), 451, "0"}, kSerial),
    Combo_Row(452, {PARGEN_CONTROL(CB_Serial_Baudrate), 453, "7"}, kBaudrate),
    Combo_Row(454, {PARGEN_CONTROL(Cb_Serial_Parity), 455, "0"}, kParity),
    Combo_Row(456, {PARGEN_CONTROL(CB_Serial_StopBits), 457, "0"}, kStopBits),
};

const TParRow kModbus_Slave[] = {
    Combo_Row(476, {PARGEN_CONTROL(CB_ModbusSlave_Serial), 477, "0"}, kSerial),
    Combo_Row(478, {PARGEN_CONTROL(CB_ModbusSlave_Baudrate), 479, "7"}, kBaudrate),
    Combo_Row(480, {PARGEN_CONTROL(CB_ModbusSlave_Parity), 481, "0"}, kParity),
    Combo_Row(482, {PARGEN_CONTROL(CB_ModbusSlave_StopBits), 483, "0"}, kStopBits),
    Edit_Row(484, {PARGEN_CONTROL(E_ModbusSlave_IDDevice), 485, "1"}),
    Check_Row(486, {PARGEN_CONTROL(CB_ModbusSlave_ReadInput), 487, "0"}),
};

const TParRow kModbus_TCP_Master[] = {
    PARGEN_ADDRESS_ROWS(E_ModbusTCPMaster, CB_ModbusTCPMaster_En_GAT, 491),
    Edit_Row(507, {PARGEN_CONTROL(E_ModbusTCPMaster_TimeOut), 508, "1000"}),
    Edit_Row(509, {PARGEN_CONTROL(E_ModbusTCPMaster_CyclicDelay), 510, "100"}),
};

const TParRow kModbus_TCP_Slave[] = {
    PARGEN_ADDRESS_ROWS(E_ModbusTCPSlave, CB_ModbusTCPSlave_En_GAT, 418),
    Edit_Row(434, {PARGEN_CONTROL(E_ModbusTCPSlave_Port), 435, "502"}),
};

// The BACnet texts ("502", "devicename1" in rows they do not fit) are the designed ones.
const TParRow kBACnet_Master[] = {
    Combo_Row(526, {PARGEN_CONTROL(CB_BACnet_Master_Type), 527, "0"}, kBACnetType),
    Octet_Row(528, PARGEN_OCTETS(E_BACnet_IP_Master_IP, 529)),
    Octet_Row(533, PARGEN_OCTETS(E_BACnet_IP_Master_SM, 534)),
    Gateway_Row(538, {PARGEN_CONTROL(CB_BACnet_IP_Master_GAT), 539, "0"}, PARGEN_OCTETS(E_BACnet_IP_Master_GAT, 540)),
    Edit_Row(544, {PARGEN_CONTROL(E_BACnet_IP_Master_Port), 545, "502"}),
    Edit_Row(546, {PARGEN_CONTROL(E_BACnet_IP_Master_Device_Name), 547, "devicename1"}, 15),
    Edit_Row(548, {PARGEN_CONTROL(E_BACnet_IP_Master_Device_Identifier), 549, "502"}),
    Edit_Row(550, {PARGEN_CONTROL(E_BACnet_IP_Master_TimeOut_Polling), 551, "2000"}),
    Combo_Row(552, {PARGEN_CONTROL(CB_BACnet_MSTP_Master_Baudrate), 553, "5"}, kBACnetBaudrate),
    Combo_Row(554, {PARGEN_CONTROL(CB_BACnet_MSTP_Master_Parity), 555, "0"}, kParity),
    Edit_Row(556, {PARGEN_CONTROL(E_BACnet_MSTP_Master_Device_Name), 557, "devicename1"}, 15),
    Edit_Row(558, {PARGEN_CONTROL(E_BACnet_MSTP_Master_MAC_Address), 559, "502"}),
    Edit_Row(560, {PARGEN_CONTROL(E_BACnet_MSTP_Master_Max_Master), 561, "devicename1"}, 15),
    Edit_Row(562, {PARGEN_CONTROL(E_BACnet_MSTP_Master_Max_Info_Frame), 563, "502"}),
    Edit_Row(564, {PARGEN_CONTROL(E_BACnet_MSTP_Master_Device_Instance), 565, "devicename1"}, 15),
};

const TParRow kBACnet_Slave[] = {
    Combo_Row(588, {PARGEN_CONTROL(CB_BACnet_Slave_Type), 589, "0"}, kBACnetType),
    Octet_Row(590, PARGEN_OCTETS(E_BACnet_IP_Slave_IP, 591)),
    Octet_Row(595, PARGEN_OCTETS(E_BACnet_IP_Slave_SM, 596)),
    Gateway_Row(600, {PARGEN_CONTROL(CB_BACnet_IP_Slave_GAT), 601, "0"}, PARGEN_OCTETS(E_BACnet_IP_Slave_GAT, 602)),
    Edit_Row(606, {PARGEN_CONTROL(E_BACnet_IP_Slave_Port), 607, "502"}),
    Edit_Row(608, {PARGEN_CONTROL(E_BACnet_IP_Slave_Device_Name), 609, "devicename1"}, 15),
    Edit_Row(610, {PARGEN_CONTROL(E_BACnet_IP_Slave_Device_Identifier), 611, "502"}),
    Combo_Row(612, {PARGEN_CONTROL(CB_BACnet_MSTP_Slave_Baudrate), 613, "5"}, kBACnetBaudrate),
    Combo_Row(614, {PARGEN_CONTROL(CB_BACnet_MSTP_Slave_Parity), 615, "0"}, kParity),
    Edit_Row(616, {PARGEN_CONTROL(E_BACnet_MSTP_Slave_Device_Name), 617, "devicename1"}, 15),
    Edit_Row(618, {PARGEN_CONTROL(E_BACnet_MSTP_Slave_MAC_Address), 619, "502"}),
    Edit_Row(620, {PARGEN_CONTROL(E_BACnet_MSTP_Slave_Max_Master), 621, "devicename1"}, 15),
    Edit_Row(622, {PARGEN_CONTROL(E_BACnet_MSTP_Slave_Max_Info_Frame), 623, "502"}),
    Edit_Row(624, {PARGEN_CONTROL(E_BACnet_MSTP_Slave_Device_Instance), 625, "devicename1"}, 15),
    Edit_Row(626, {PARGEN_CONTROL(E_BACnet_MSTP_Slave_Network), 627, "502"}),
    Check_Row(628, {PARGEN_CONTROL(CB_BACnet_Slave_Desc_32_Chars), 629, "0"}),
};

const TParRow kCAN[] = {
    Combo_Row(652, {PARGEN_CONTROL(CB_CAN_Baudrate), 653, "9"}, kCANBaudrate),
};

const TParRow kCANopen[] = {
    Edit_Row(655, {PARGEN_CONTROL(E_CANopen_IDDevice), 656}),
    Combo_Row(657, {PARGEN_CONTROL(CB_CANopen_Baudrate), 658, "8"}, kCANopenBaudrate),
    Check_Row(659, {PARGEN_CONTROL(CB_CANopen_SetOpe), 660, "0"}),
    Check_Edit_Row(661, {PARGEN_CONTROL(CB_CANopen_NetOpe), 662, "0"}, {PARGEN_CONTROL(E_CANopen_NetOpe_Delay), 663}),
    Edit_Row(664, {PARGEN_CONTROL(E_CANopen_SDO_Timeout), 665, "1"}),
    Check_Edit_Row(990, {PARGEN_CONTROL(CB_CANopen_Enable_Sync), 991, "0"}, {PARGEN_CONTROL(E_CANopen_Sync_Time), 992}),
};

const TParRow kDeviceNet_Master[] = {
    Edit_Row(670, {PARGEN_CONTROL(E_DeviceNet_Master_IDDevice), 671}),
    Combo_Row(672, {PARGEN_CONTROL(CB_DeviceNet_Master_Baudrate), 673, "2"}, kDeviceNetBaudrate),
};

const TParRow kDeviceNet_Slave[] = {
    Edit_Row(676, {PARGEN_CONTROL(E_DeviceNet_Slave_IDDevice), 677, "0"}),
    Combo_Row(678, {PARGEN_CONTROL(CB_DeviceNet_Slave_Baudrate), 679, "2"}, kDeviceNetBaudrate),
    Edit_Row(680, {PARGEN_CONTROL(E_DeviceNet_Slave_NumByteIn), 681, "455"}),
    Edit_Row(682, {PARGEN_CONTROL(E_DeviceNet_Slave_NumByteOut), 683, "455"}),
};

const TParRow kDMX_Panel[] = {
    Combo_Row(688, {PARGEN_CONTROL(CB_DMX_DMX), 689, "1"}, kDMX),
    Edit_Row(690, {PARGEN_CONTROL(E_DMX_ChannelNum), 691, "0"}),
};

const TParRow kJ1939[] = {
    Combo_Row(848, {PARGEN_CONTROL(CB_J1939_Baudrate), 849, "9"}, kCANBaudrate),
    Edit_Row(850, {PARGEN_CONTROL(E_J1939_TimeOut), 851, "0"}),
    Check_Row(852, {PARGEN_CONTROL(CB_J1939_Enable_Peer_To_Peer), 853, "0"}),
    Edit_Row(854, {PARGEN_CONTROL(E_J1939_ID_Device), 855, "1"}),
};

const TParRow kNMEA2000[] = {
    Combo_Row(1322, {PARGEN_CONTROL(CB_NMEA2000_Baudrate), 1323, "9"}, kCANBaudrate),
    Edit_Row(1324, {PARGEN_CONTROL(E_NMEA2000_TimeOut), 1325, "0"}),
    Check_Row(1326, {PARGEN_CONTROL(CB_NMEA2000_Peer_To_Peer), 1327, "0"}),
};

// The EtherNet/IP ports are fixed at 44818: disabled for good.
const TParRow kEtherNetIP[] = {
    PARGEN_ADDRESS_ROWS(E_EtherNetIP, CB_EtherNetIP_GAT, 739),
    {.Kind = Edit, .Caption = 755, .Edits = {{{PARGEN_CONTROL(E_EtherNetIP_TunnelPort), 756, "44818"}}},
     .Disabled = true},
    Edit_Row(757, {PARGEN_CONTROL(E_EtherNetIP_NByte_In), 758, "496"}),
    Edit_Row(759, {PARGEN_CONTROL(E_EtherNetIP_NByte_Out), 760, "496"}),
};

const TParRow kEtherNetIP_Master[] = {
    PARGEN_ADDRESS_ROWS(E_EtherNetIP_Master, CB_EtherNetIP_Master_GAT, 1625),
    {.Kind = Edit, .Caption = 1641, .Edits = {{{PARGEN_CONTROL(E_EtherNetIP_Master_Port), 1642, "44818"}}},
     .Disabled = true},
};

const TParRow kIEC61850_Client[] = {
    PARGEN_ADDRESS_ROWS(E_IEC61850_Client, CB_IEC61850_Client_En_GAT, 781),
    Edit_Row(797, {PARGEN_CONTROL(E_IEC61850_Client_VLAN), 798, "0"}, 8, true),
    Edit_Row(799, {PARGEN_CONTROL(E_IEC61850_Client_AppID), 800, "0"}),
};

const TParRow kIEC61850_Server[] = {
    PARGEN_ADDRESS_ROWS(E_IEC61850_Server, CB_IEC61850_Server_En_GAT, 818),
    Edit_Row(814, {PARGEN_CONTROL(E_IEC61850_Server_Port), 815, "102"}),
    Edit_Row(816, {PARGEN_CONTROL(E_IEC61850_Server_Password), 817}),
};

const TParRow kTLS_Server[] = {
    Check_Row(1532, {PARGEN_CONTROL(CB_TLS_Server_Enable), 1533, "0"}),
    Memo_Row(1534, {PARGEN_CONTROL(E_TLS_Server_Key), 1535}),
    Edit_Row(1536, {PARGEN_CONTROL(E_TLS_Server_Key_Pass), 1537}),
    Memo_Row(1538, {PARGEN_CONTROL(E_TLS_Server_Server_Cert), 1539}),
    Memo_Row(1540, {PARGEN_CONTROL(E_TLS_Server_Root_Cert), 1541}),
    Check_Row(1542, {PARGEN_CONTROL(CB_TLS_Server_En_Known_Cert), 1543, "0"}),
};

const TParRow kOPC_UA_Client[] = {
    PARGEN_ADDRESS_ROWS(E_OPC_UA_Client, CB_OPC_UA_Client_En_GAT, 1330),
};

const TParRow kOPC_UA_Server[] = {
    PARGEN_ADDRESS_ROWS(E_OPC_UA_Server, CB_OPC_UA_Server_En_GAT, 1369),
    Edit_Row(1391, {PARGEN_CONTROL(E_OPC_UA_Server_Port), 1392, "4840"}),
};

const TParRow kPROFINET[] = {
    PARGEN_ADDRESS_ROWS(E_PROFINET, CB_PROFINET_GAT, 1407),
    Edit_Row(1423, {PARGEN_CONTROL(E_PROFINET_TunnelPort), 1424, "502"}),
    Edit_Row(1425, {PARGEN_CONTROL(E_PROFINET_NameStation), 1426, "devicename1"}, 15),
    Edit_Row(1427, {PARGEN_CONTROL(E_PROFINET_NByte_In), 1428, "1438"}),
    Edit_Row(1429, {PARGEN_CONTROL(E_PROFINET_NByte_Out), 1430, "1438"}),
    Check_Edit_Row(1431, {PARGEN_CONTROL(CB_PROFINET_Diagnostic), 1432, "0"},
                   {PARGEN_CONTROL(E_PROFINET_Diagnostic), 1433, "0"}),
    Check_Row(1686, {PARGEN_CONTROL(CB_PROFINET_Disable_Reset), 1687, "0"}),
};

const TParRow kSNMP_Manager[] = {
    PARGEN_ADDRESS_ROWS(E_SNMP_Manager, CB_SNMP_Manager_GAT, 1451),
    Edit_Row(1467, {PARGEN_CONTROL(E_SNMP_Manager_NameStation), -1, "devicename1"}, 15),
};

// The version boxes keep their captions "1", "2", "3" in every language.
const TParRow kSNMP_Agent[] = {
    PARGEN_ADDRESS_ROWS(E_SNMP_Agent, CB_SNMP_Agent_GAT, 1481),
    Edit_Row(1497, {PARGEN_CONTROL(E_SNMP_Agent_NameStation), 1498, "devicename1"}, 15),
    Edit_Row(1499, {PARGEN_CONTROL(E_SNMP_Agent_Contact), 1500}, 16),
    Edit_Row(1501, {PARGEN_CONTROL(E_SNMP_Agent_Location), 1502}, 16),
    {.Kind = Boxes, .Caption = 1503,
     .Boxes = {{{PARGEN_CONTROL(CB_SNMP_Agent_Version1), 1504, "0", nullptr, true, "1"},
                {PARGEN_CONTROL(CB_SNMP_Agent_Version2), 1505, "0", nullptr, true, "2"},
                {PARGEN_CONTROL(CB_SNMP_Agent_Version3), 1506, "0", nullptr, true, "3"}}}},
    Edit_Row(1507, {PARGEN_CONTROL(E_SNMP_Agent_User), 1508}, 19),
    Combo_Row(1509, {PARGEN_CONTROL(CB_SNMP_Agent_SecurityLevel), 1510, "0"}, kSecurityLevel),
    Edit_Row(1511, {PARGEN_CONTROL(E_SNMP_Agent_Authority), 1512}, 15),
    Combo_Row(1513, {PARGEN_CONTROL(CB_SNMP_Agent_AuthorityMode), 1514, "0"}, kAuthorityMode),
    Edit_Row(1515, {PARGEN_CONTROL(E_SNMP_Agent_Privacy), 1516}, 15),
    Combo_Row(1517, {PARGEN_CONTROL(CB_SNMP_Agent_PrivacyMode), 1518, "0"}, kPrivacyMode),
};

const TParRow kS7_Protocol[] = {
    PARGEN_ADDRESS_ROWS(E_S7_Protocol, CB_S7_Protocol_En_GAT, 1656),
};

const TParRow kSelect_Device[] = {
    Combo_Row(1611, {PARGEN_CONTROL(CB_Select_Device_Device), 1612, "0"}, kSelectDevice),
};

const TParRow kMQTT[] = {
    Edit_Row(859, {PARGEN_CONTROL(E_MQTT_Server), 860}),
    Edit_Row(861, {PARGEN_CONTROL(E_MQTT_Server_Port), 862, "1883"}),
    Edit_Row(863, {PARGEN_CONTROL(E_MQTT_Client_ID), 864}),
    {.Kind = Edit, .Edits = {{{PARGEN_CONTROL(E_MQTT_Password__)}}}, .Hidden = true},
    Edit_Row(865, {PARGEN_CONTROL(E_MQTT_Keep_Alive), 866}),
    Check_Row(867, {PARGEN_CONTROL(CB_MQTT_Clean_Session), 868, "0"}),
    Check_Row(869, {PARGEN_CONTROL(CB_MQTT_WillFlag), 870, "0"}),
    Edit_Row(871, {PARGEN_CONTROL(E_MQTT_Will_TopicName), 872}),
    Edit_Row(873, {PARGEN_CONTROL(E_MQTT_Will_Message), 874}),
    Check_Row(875, {PARGEN_CONTROL(CB_MQTT_Will_Retained), 876, "0"}),
    Combo_Row(877, {PARGEN_CONTROL(CB_MQTT_Will_QoS), 878, "0"}, kQoS),
    Check_Row(1571, {PARGEN_CONTROL(CB_MQTT_PublishTopicConnection), 1572, "0"}),
    Edit_Row(1573, {PARGEN_CONTROL(E_MQTT_Connection_TopicName), 1574}),
    Edit_Row(1575, {PARGEN_CONTROL(E_MQTT_Connection_Message), 1576}),
    Check_Row(1577, {PARGEN_CONTROL(CB_MQTT_Connection_Retained), 1578, "0"}),
    Edit_Row(879, {PARGEN_CONTROL(E_MQTT_Username), 880}),
    Memo_Row(881, {PARGEN_CONTROL(E_MQTT_Password), 882}),
    Edit_Row(883, {PARGEN_CONTROL(E_MQTT_ASync_Send_Time), 884}),
    Edit_Row(1579, {PARGEN_CONTROL(E_MQTT_TopicDALIAns), 1580}),
    Check_Row(1581, {PARGEN_CONTROL(CB_MQTT_Enable_ReProgram), 1582, "0"}),
    Edit_Row(1583, {PARGEN_CONTROL(E_MQTT_Reprogram_Topic), 1584}),
    Edit_Row(1585, {PARGEN_CONTROL(E_MQTT_Reproram_Value), 1586}),
};

const TParRow kTLS[] = {
    Check_Row(1301, {PARGEN_CONTROL(CB_TLS_Enable), 1302, "0"}),
    Check_Row(1303, {PARGEN_CONTROL(CB_TLS_En_Server_Auth), 1304, "0"}),
    Memo_Row(1305, {PARGEN_CONTROL(E_TLS_Server_Cert), 1306}),
    Check_Row(1307, {PARGEN_CONTROL(CB_TLS_En_Client_Auth), 1308, "0"}),
    Memo_Row(1309, {PARGEN_CONTROL(E_TLS_Client_Cert), 1310}),
    Memo_Row(1311, {PARGEN_CONTROL(E_TLS_Client_Cert_Key), 1312}),
    Edit_Row(1313, {PARGEN_CONTROL(E_TLS_Client_Cert_Key_Pass), 1314}),
};

const TParRow kNTP[] = {
    Edit_Row(1316, {PARGEN_CONTROL(E_NTP_Server_URL), 1317}),
    Edit_Row(1318, {PARGEN_CONTROL(E_NTP_Poll_Time), 1319}),
};

// The secure type comes before the password: the access point shows it there, and the station,
// which has the password alone, hides it.
const TParRow kWiFi2[] = {
    Combo_Row(886, {PARGEN_CONTROL(CB_WiFi2_Type), 887, "0"}, kWiFiType, 888),
    Title_Row("L_WiFi2_IP1", 890),
    Octet_Row(891, PARGEN_OCTETS(E_WiFi2_IP1_IP, 892)),
    Octet_Row(896, PARGEN_OCTETS(E_WiFi2_IP1_SM, 897)),
    Gateway_Row(901, {PARGEN_CONTROL(CB_WiFi2_IP1_En_GAT), 902, "0"}, PARGEN_OCTETS(E_WiFi2_IP1_GAT, 903), 2),
    Title_Row("L_WiFi2_IP2", 907),
    Octet_Row(908, PARGEN_OCTETS(E_WiFi2_IP2_IP, 909)),
    Octet_Row(913, PARGEN_OCTETS(E_WiFi2_IP2_SM, 914)),
    Gateway_Row(918, {PARGEN_CONTROL(CB_WiFi2_IP2_En_GAT), 919, "0"}, PARGEN_OCTETS(E_WiFi2_IP2_GAT, 920), 2),
    Edit_Row(924, {PARGEN_CONTROL(E_WiFi2_SSID), 925}),
    Combo_Row(928, {PARGEN_CONTROL(CB_WiFi2_Secure_Type), 929, "0"}, kSecureType, 930),
    Edit_Row(926, {PARGEN_CONTROL(E_WiFi2_Password), 927}),
    Check_Row(934, {PARGEN_CONTROL(CB_WiFi2_En_DHCP), 935, "0"}),
    Octet_Row(936, PARGEN_OCTETS(E_WiFi2_DHCP_First_IP, 937)),
    Octet_Row(941, PARGEN_OCTETS(E_WiFi2_DHCP_SM, 942)),
    Edit_Row(946, {PARGEN_CONTROL(E_WiFi2_Lease_Time), 947}),
    Combo_Row(948, {PARGEN_CONTROL(CB_WiFi2_Max_Client), 949, "9"}, kMaxClient),
    Combo_Row(950, {PARGEN_CONTROL(CB_WiFi2_Channel), 951, "0"}, kChannel, 952),
};

// The PIN's one-digit placeholder is "0".
const TParRow kGSM_GPRS[] = {
    Edit_Row(1614, {PARGEN_CONTROL(E_GSM_GPRS_PIN), 1615, "0"}, 8, true),
    Edit_Row(1616, {PARGEN_CONTROL(E_GSM_GPRS_APN), 1617, "0"}),
    Combo_Row(1618, {PARGEN_CONTROL(CB_GSM_GPRS_AuthType), 1619, "0"}, kAuthType),
    Edit_Row(1620, {PARGEN_CONTROL(E_GSM_GPRS_UserName), 1621}, 32),
    Edit_Row(1622, {PARGEN_CONTROL(E_GSM_GPRS_Password), 1623}, 32),
};

#define PARGEN_RULE(panel) &TFParGen::RePosition_Object_##panel

const TParPanel kPanels[] = {
    {PARGEN_CONTROL(CP_Ethernet_Connection), 1544, kEthernet_Connection, "E_EthConn_Sec_DNS_IP4",
     PARGEN_RULE(Ethernet_Connection)},
    {PARGEN_CONTROL(CP_EtherCAT_Slave), 406, kEtherCAT_Slave, "CB_EtherCAT_Slave_Clear_Data",
     PARGEN_RULE(EtherCAT_Slave)},
    {PARGEN_CONTROL(CP_Modbus_Master), 459, kModbus_Master, "E_ModbusMaster_CyclicDelay", PARGEN_RULE(Modbus_Master)},
    {PARGEN_CONTROL(CP_Ethernet), 693, kEthernet, "E_Ethernet_GAT4", PARGEN_RULE(Ethernet)},
    {PARGEN_CONTROL(CP_Serial), 449, kSerial_Panel, "CB_Serial_StopBits", PARGEN_RULE(Serial)},
    {PARGEN_CONTROL(CP_Modbus_Slave), 475, kModbus_Slave, "CB_ModbusSlave_ReadInput", PARGEN_RULE(Modbus_Slave)},
    {PARGEN_CONTROL(CP_Modbus_TCP_Master), 490, kModbus_TCP_Master, "E_ModbusTCPMaster_CyclicDelay",
     PARGEN_RULE(Modbus_TCP_Master)},
    {PARGEN_CONTROL(CP_Modbus_TCP_Slave), 417, kModbus_TCP_Slave, "E_ModbusTCPSlave_Port",
     PARGEN_RULE(Modbus_TCP_Slave)},
    {PARGEN_CONTROL(CP_BACnet_Master), 525, kBACnet_Master, nullptr, PARGEN_RULE(BACnet_Master)},
    {PARGEN_CONTROL(CP_BACnet_Slave), 587, kBACnet_Slave, "CB_BACnet_Slave_Desc_32_Chars", PARGEN_RULE(BACnet_Slave)},
    {PARGEN_CONTROL(CP_CAN), 651, kCAN, "CB_CAN_Baudrate", PARGEN_RULE(CAN)},
    {PARGEN_CONTROL(CP_CANopen), 654, kCANopen, "E_CANopen_Sync_Time", PARGEN_RULE(CANopen)},
    {PARGEN_CONTROL(CP_DeviceNet_Master), 669, kDeviceNet_Master, "CB_DeviceNet_Master_Baudrate",
     PARGEN_RULE(DeviceNet_Master)},
    {PARGEN_CONTROL(CP_DeviceNet_Slave), 675, kDeviceNet_Slave, "E_DeviceNet_Slave_NumByteOut",
     PARGEN_RULE(DeviceNet_Slave)},
    {PARGEN_CONTROL(CP_DMX), 687, kDMX_Panel, "E_DMX_ChannelNum", PARGEN_RULE(DMX)},
    {PARGEN_CONTROL(CP_J1939), 847, kJ1939, "E_J1939_ID_Device", PARGEN_RULE(J1939)},
    {PARGEN_CONTROL(CP_NMEA2000), 1321, kNMEA2000, "CB_NMEA2000_Peer_To_Peer", PARGEN_RULE(NMEA2000)},
    {PARGEN_CONTROL(CP_EtherNetIP), 738, kEtherNetIP, "E_EtherNetIP_NByte_Out", PARGEN_RULE(EtherNetIP)},
    {PARGEN_CONTROL(CP_EtherNetIP_Master), 1624, kEtherNetIP_Master, "E_EtherNetIP_Master_Port",
     PARGEN_RULE(EtherNetIP_Master)},
    {PARGEN_CONTROL(CP_IEC61850_Client), 780, kIEC61850_Client, "E_IEC61850_Client_AppID",
     PARGEN_RULE(IEC61850_Client)},
    {PARGEN_CONTROL(CP_IEC61850_Server), 813, kIEC61850_Server, "E_IEC61850_Server_Password",
     PARGEN_RULE(IEC61850_Server)},
    {PARGEN_CONTROL(CP_TLS_Server), 1531, kTLS_Server, nullptr, PARGEN_RULE(TLS_Server)},
    {PARGEN_CONTROL(CP_OPC_UA_Client), 1329, kOPC_UA_Client, "E_OPC_UA_Client_GAT4", PARGEN_RULE(OPC_UA_Client)},
    {PARGEN_CONTROL(CP_OPC_UA_Server), 1368, kOPC_UA_Server, "E_OPC_UA_Server_Port", PARGEN_RULE(OPC_UA_Server)},
    {PARGEN_CONTROL(CP_PROFINET), 1406, kPROFINET, "CB_PROFINET_Disable_Reset", PARGEN_RULE(PROFINET)},
    {PARGEN_CONTROL(CP_SNMP_Manager), 1450, kSNMP_Manager, "E_SNMP_Manager_NameStation", PARGEN_RULE(SNMP_Manager)},
    {PARGEN_CONTROL(CP_SNMP_Agent), 1480, kSNMP_Agent, nullptr, PARGEN_RULE(SNMP_Agent)},
    {PARGEN_CONTROL(CP_S7_Protocol), 1655, kS7_Protocol, "E_S7_Protocol_GAT4", PARGEN_RULE(S7comm)},
    {PARGEN_CONTROL(CP_Select_Device), 1610, kSelect_Device, "CB_Select_Device_Device", PARGEN_RULE(Select_Device)},
    {PARGEN_CONTROL(CP_MQTT), 858, kMQTT, "E_MQTT_Password", PARGEN_RULE(MQTT)},
    {PARGEN_CONTROL(CP_TLS), 1300, kTLS, nullptr, PARGEN_RULE(TLS)},
    {PARGEN_CONTROL(CP_NTP), 1315, kNTP, "E_NTP_Poll_Time", PARGEN_RULE(NTP)},
    {PARGEN_CONTROL(CP_WiFi2), 885, kWiFi2, nullptr, PARGEN_RULE(WiFi2)},
    {PARGEN_CONTROL(CP_GSM_GPRS), 1613, kGSM_GPRS, "E_GSM_GPRS_Password", PARGEN_RULE(GSM_GPRS)},
};

// The models' panel lists.
using P = TFParGen;
const TFormMember<TCategoryPanel> kGW100[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_Serial,
                                              &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW101[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_Modbus_Master, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW102[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_Modbus_Slave, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW103[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_Modbus_TCP_Master};
const TFormMember<TCategoryPanel> kGW104[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_Modbus_TCP_Slave};
const TFormMember<TCategoryPanel> kGW105[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_BACnet_Master, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW106[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_BACnet_Slave, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW107[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_CAN,
                                              &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW108[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_CANopen,
                                              &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW109[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_DeviceNet_Master, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW110[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_DeviceNet_Slave, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW111[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_DMX,
                                              &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW112[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW113[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_EtherNetIP};
const TFormMember<TCategoryPanel> kGW114[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_IEC61850_Client};
const TFormMember<TCategoryPanel> kGW115[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_IEC61850_Server, &P::CP_TLS_Server};
const TFormMember<TCategoryPanel> kGW116[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_J1939,
                                              &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW117[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_Select_Device,       &P::CP_MQTT,
                                              &P::CP_Ethernet,            &P::CP_TLS,
                                              &P::CP_NTP,                 &P::CP_WiFi2,
                                              &P::CP_GSM_GPRS};
const TFormMember<TCategoryPanel> kGW119[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_NMEA2000,
                                              &P::CP_Ethernet};
const TFormMember<TCategoryPanel> kGW120[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_OPC_UA_Client, &P::CP_NTP};
const TFormMember<TCategoryPanel> kGW121[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_OPC_UA_Server, &P::CP_NTP};
const TFormMember<TCategoryPanel> kGW123[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_PROFINET};
const TFormMember<TCategoryPanel> kGW124[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_SNMP_Manager};
const TFormMember<TCategoryPanel> kGW125[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_SNMP_Agent};
const TFormMember<TCategoryPanel> kGW126[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_EtherNetIP_Master};
const TFormMember<TCategoryPanel> kGW127[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave, &P::CP_EtherNetIP};
const TFormMember<TCategoryPanel> kGW128[] = {&P::CP_Ethernet_Connection, &P::CP_EtherCAT_Slave,
                                              &P::CP_S7_Protocol};

const TParModel kModels[] = {
    {"GW100", kGW100}, {"GW101", kGW101},
    {"GW102", kGW102}, {"GW103", kGW103},
    {"GW104", kGW104}, {"GW105", kGW105, &P::Model_Rule_GW105},
    {"GW106", kGW106, &P::Model_Rule_GW106}, {"GW107", kGW107},
    {"GW108", kGW108}, {"GW109", kGW109},
    {"GW110", kGW110}, {"GW111", kGW111},
    {"GW112", kGW112}, {"GW113", kGW113},
    {"GW114", kGW114}, {"GW115", kGW115},
    {"GW116", kGW116}, {"GW117", kGW117, &P::Model_Rule_GW117},
    {"GW119", kGW119}, {"GW120", kGW120},
    {"GW121", kGW121}, {"GW123", kGW123},
    {"GW124", kGW124}, {"GW125", kGW125},
    {"GW126", kGW126}, {"GW127", kGW127},
    {"GW128", kGW128},
};


// The controls whose change or click re-lays the panels out.
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

std::span<const TParModel> ParGen_Models()
{
    return kModels;
}

const TParModel& ParGen_Model(const QString& model)
{
    for (const TParModel& m : kModels)
        if (model == QLatin1String(m.Model))
            return m;
    throw EListError(QString("Unknown model %1").arg(model));
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
