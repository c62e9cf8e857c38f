#include "app/UMainTables.h"

#include <cstring>

namespace
{

using A = TMainAction;
constexpr int H = kHeaderButton;
constexpr int X = kHiddenButton;

// The first five rows work without a project; every later row checks it first.
// Hidden buttons keep their place at 0, 0: this build never shows them.
// clang-format off
const TMainButton kButtons[] = {
    // name                          cap design               hint step  left top  project action          form
    {"Btn_New",                      15, nullptr,             22, 1,     80, 112, false, A::New_Project,   nullptr},
    {"Btn_Open",                     16, nullptr,             23, 1,    258, 112, false, A::Open_Project,  nullptr},
    {"Btn_Close",                    -1, nullptr,             14, H,    632,   8, false, A::Close_Window,  nullptr},
    {"Btn_Info",                     -1, nullptr,             12, H,    516,   8, false, A::Show_Form,     "FAbout"},
    {"Btn_Opz",                      -1, nullptr,             13, H,    574,   8, false, A::Show_Options,  "FSoftOptions"},
    {"Btn_Prm_Gen",                  20, nullptr,             24, 2,     80, 156, true,  A::Show_Form,     "FParGen"},
    {"Btn_EtherCAT_Set_Access",      21, nullptr,             25, 3,    258, 200, true,  A::Show_Form,     "FEtherCATSlave"},
    {"Btn_EtherCAT_Set_Group",       79, nullptr,             80, 3,     80, 200, true,  A::Show_Form,     "FEtherCATSlave_Group"},
    {"Btn_Modbus_Set_Access",        27, nullptr,             28, 4,     80, 244, true,  A::Show_Form,     "FSetAccess"},
    {"Btn_BACnet_SetAccess",         29, nullptr,             30, X,      0,   0, true,  A::Show_Form,     "FBACnetAccess"},
    {"Btn_BACnet_EDE_File",          31, nullptr,             32, X,      0,   0, true,  A::EDE_File,      nullptr},
    {"Btn_CAN_Rec_Frame",            33, nullptr,             34, X,      0,   0, true,  A::Show_Form,     "FReceiveCAN"},
    {"Btn_CAN_Send_Frame",           35, nullptr,             36, X,      0,   0, true,  A::Show_Form,     "FTransmitCAN"},
    {"Btn_PDO_CANopen",              45, nullptr,             46, X,      0,   0, true,  A::Show_Form,     "FSet_PDO_Access"},
    {"Btn_SDO_Client_CANopen",       43, nullptr,             44, X,      0,   0, true,  A::Show_Form,     "FSet_SDO_Client_Access"},
    {"Btn_SDO_Server_CANopen",       41, nullptr,             42, X,      0,   0, true,  A::Show_Form,     "FSet_SDO_Server_Access"},
    {"Btn_CANopen_EDS",              47, nullptr,             48, X,      0,   0, true,  A::EDS_File,      nullptr},
    {"Btn_DNet_Net",                 49, nullptr,             50, X,      0,   0, true,  A::Show_Form,     "FDNet"},
    {"Btn_DNet_Offset",              51, nullptr,             52, X,      0,   0, true,  A::Show_Form,     "FDefOffset"},
    {"Btn_DMX_Default",              53, nullptr,             54, X,      0,   0, true,  A::Show_Form,     "FDMXDefVal"},
    {"Btn_IEC61850_Client",          55, nullptr,             56, X,      0,   0, true,  A::Show_Form,     "FIEC_61850_Access"},
    {"Btn_TLS_List_Certificates",    59, nullptr,             60, X,      0,   0, true,  A::Show_Form,     "FTLS_Server_Known_Cert"},
    {"Btn_IEC61850_Access",          57, nullptr,             58, X,      0,   0, true,  A::Show_Form,     "FIEC61850_Variables"},
    {"Btn_MQTT_Set_Topic",           61, nullptr,             62, X,      0,   0, true,  A::Show_Form,     "FMQTT_Set_Topic"},
    {"Btn_OPC_UA_Client_Access",     69, nullptr,             70, X,      0,   0, true,  A::Show_Form,     "FOPC_UA_Client_Access"},
    {"Btn_OPC_UA_Server_Access",     71, nullptr,             72, X,      0,   0, true,  A::Show_Form,     "FOPC_UA_Server_Access"},
    {"Btn_SNMP_Manager_Access",      67, nullptr,             68, X,      0,   0, true,  A::Show_Form,     "FSNMPManagerAccess"},
    {"Btn_SNMP_Trap",                63, nullptr,             64, X,      0,   0, true,  A::Show_Form,     "FSNMP_Trap_Access"},
    {"Btn_SNMP_MIB",                 65, nullptr,             66, X,      0,   0, true,  A::MIB_File,      nullptr},
    {"Btn_EtherCAT_ESI_File",        -1, "EtherCAT ESI File", -1, 5,     80, 288, true,  A::ESI_File,      nullptr},
    {"Btn_PROFINET_XML",             73, nullptr,             74, X,      0,   0, true,  A::PROFINET_File, nullptr},
    {"Btn_EtherNetIP_Access",        75, nullptr,             76, X,      0,   0, true,  A::Show_Form,     "FEtherNetIP_Master_Access"},
    {"Btn_S7_Protocol_Access",       77, nullptr,             78, X,      0,   0, true,  A::Show_Form,     "FS7_Protocol_Set_Access"},
    {"Btn_CreateBin",                17, nullptr,             26, 6,     80, main_layout::Create_Bin_Top,
                                                                                   true,  A::Update_Device, nullptr},
};
// clang-format on
static_assert(std::size(kButtons) == 34);

const TStepLabel kStepLabels[] = {
    {"L_Step_1", 1, 128, true},  {"L_Step_2", 2, 172, true},  {"L_Step_3", 3, 216, true},
    {"L_Step_4", 4, 260, true},  {"L_Step_5", 5, 304, true},  {"L_Step_6", 6, 348, true},
    {"L_Step_7", 7, 392, false}, {"L_Step_8", 8, 436, false},
};

} // namespace

std::span<const TMainButton> Main_Buttons()
{
    return kButtons;
}

std::span<const TStepLabel> Main_Step_Labels()
{
    return kStepLabels;
}

const TMainButton* Find_Main_Button(const char* name)
{
    for (const TMainButton& b : kButtons)
        if (std::strcmp(b.Name, name) == 0)
            return &b;
    return nullptr;
}
