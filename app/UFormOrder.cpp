#include "app/UFormOrder.h"

#include "app/UAbout.h"
#include "app/UMain.h"
#include "app/UNewProject.h"
#include "app/UOpenProject.h"
#include "app/UOptions.h"
#include "editors/bacnet/UBACnetSlaveSetAccess.h"
#include "editors/bacnet/UBACnet_Eng_Unit.h"
#include "editors/canopen/USet_PDO_Access.h"
#include "editors/canopen/USet_SDO_Client_Access.h"
#include "editors/canopen/USet_SDO_Server_Access.h"
#include "editors/fieldbus/UBACnetAccess.h"
#include "editors/fieldbus/UDMXDefVal.h"
#include "editors/fieldbus/UDNet.h"
#include "editors/fieldbus/UDefOffset.h"
#include "editors/fieldbus/UImportEDEFile.h"
#include "editors/fieldbus/UReceiveCAN.h"
#include "editors/fieldbus/UReceiveJ1939.h"
#include "editors/fieldbus/UReceiveNMEA.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "editors/fieldbus/UTransmitJ1939.h"
#include "editors/fieldbus/UTransmitNMEA.h"
#include "editors/network/UEtherNEtIP_EDS.h"
#include "editors/network/UEtherNetIP_Master_Access.h"
#include "editors/network/UIEC61850_Variables.h"
#include "editors/network/UIEC_61850_Access.h"
#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/UOPC_UA_Server_Access.h"
#include "editors/network/US7_Protocol_Set_Access.h"
#include "editors/network/USNMPManagerAccess.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "editors/network/UTLS_Server_Known_Cert.h"
#include "editors/network/UTopicTemplate.h"
#include "gateway/UBoot.h"
#include "gateway/UEtherCATSlave.h"
#include "gateway/UEtherCATSlave_Group.h"
#include "gateway/UModbus_TCP_Master_Set_Access.h"
#include "gateway/UParGen.h"
#include "gateway/UProfinetFileName.h"
#include "gateway/USetAccess.h"
#include "platform/controls/Forms.h"

namespace
{

// The row of a built form: creation, destruction, the instance and its texts through its global.
template <class F, F*& Global> TFormEntry Form_Entry(const char* name)
{
    TFormEntry e{name, nullptr, nullptr, nullptr, nullptr};
    e.Create = [] { Application->CreateForm(Global); };
    e.Destroy = [] {
        delete Global;
        Global = nullptr;
    };
    e.Instance = []() -> TForm* { return Global; };
    if constexpr (requires(F * f) { f->Set_Lang(); })
        e.Set_Lang = [] {
            if (Global)
                Global->Set_Lang();
        };
    return e;
}

// A form still to be built.
TFormEntry Pending(const char* name)
{
    return {name, nullptr, nullptr, nullptr, nullptr};
}

const TFormEntry kForms[] = {
    Form_Entry<RORoruduzudizEvivUrad, FDodiruredavIzavUred>("FDodiruredavIzavUred"),
    Form_Entry<TFNew_Project, FNew_Project>("FNew_Project"),
    Form_Entry<TFOpenConf, FOpenConf>("FOpenConf"),
    Form_Entry<TFAbout, FAbout>("FAbout"),
    Form_Entry<TFSoftOptions, FSoftOptions>("FSoftOptions"),
    Form_Entry<TFParGen, FParGen>("FParGen"),
    Form_Entry<TFEtherCATSlave, FEtherCATSlave>("FEtherCATSlave"),
    Form_Entry<TFBoot, FBoot>("FBoot"),
    Form_Entry<TFSetAccess, FSetAccess>("FSetAccess"),
    Form_Entry<TFModbus_TCP_Master_Set_Access, FModbus_TCP_Master_Set_Access>(
        "FModbus_TCP_Master_Set_Access"),
    Form_Entry<TFBACnetAccess, FBACnetAccess>("FBACnetAccess"),
    Form_Entry<TFImportEDEFile, FImportEDEFile>("FImportEDEFile"),
    Form_Entry<TFBACnet_Eng_Unit, FBACnet_Eng_Unit>("FBACnet_Eng_Unit"),
    Form_Entry<TFBACnetSlaveSetAccess, FBACnetSlaveSetAccess>("FBACnetSlaveSetAccess"),
    Form_Entry<TFReceiveCAN, FReceiveCAN>("FReceiveCAN"),
    Form_Entry<TFTransmitCAN, FTransmitCAN>("FTransmitCAN"),
    Form_Entry<TFSet_PDO_Access, FSet_PDO_Access>("FSet_PDO_Access"),
    Form_Entry<TFSet_SDO_Client_Access, FSet_SDO_Client_Access>("FSet_SDO_Client_Access"),
    Form_Entry<TFSet_SDO_Server_Access, FSet_SDO_Server_Access>("FSet_SDO_Server_Access"),
    Form_Entry<TFDefOffset, FDefOffset>("FDefOffset"),
    Form_Entry<TFDNet, FDNet>("FDNet"),
    Form_Entry<TFDMXDefVal, FDMXDefVal>("FDMXDefVal"),
    Form_Entry<TFIEC_61850_Access, FIEC_61850_Access>("FIEC_61850_Access"),
    Form_Entry<TFIEC61850_Variables, FIEC61850_Variables>("FIEC61850_Variables"),
    Form_Entry<TFTLS_Server_Known_Cert, FTLS_Server_Known_Cert>("FTLS_Server_Known_Cert"),
    Form_Entry<TFReceiveJ1939, FReceiveJ1939>("FReceiveJ1939"),
    Form_Entry<TFTransmitJ1939, FTransmitJ1939>("FTransmitJ1939"),
    Form_Entry<TFMQTT_Set_Topic, FMQTT_Set_Topic>("FMQTT_Set_Topic"),
    Form_Entry<TFTopicTemplate, FTopicTemplate>("FTopicTemplate"),
    Form_Entry<TFReceiveNMEA, FReceiveNMEA>("FReceiveNMEA"),
    Form_Entry<TFTransmitNMEA, FTransmitNMEA>("FTransmitNMEA"),
    Pending("FOPC_UA_Add_Server"),
    Pending("FOPC_UA_Client_Access"),
    Pending("FOPC_UA_Scan_Server"),
    Form_Entry<TFOPC_UA_Server_Access, FOPC_UA_Server_Access>("FOPC_UA_Server_Access"),
    Form_Entry<TFSNMPManagerAccess, FSNMPManagerAccess>("FSNMPManagerAccess"),
    Form_Entry<TFSNMP_Trap_Access, FSNMP_Trap_Access>("FSNMP_Trap_Access"),
    Form_Entry<TFProfinetFileName, FProfinetFileName>("FProfinetFileName"),
    Form_Entry<TFEtherNEtIP_EDS, FEtherNEtIP_EDS>("FEtherNEtIP_EDS"),
    Form_Entry<TFEtherNetIP_Master_Access, FEtherNetIP_Master_Access>("FEtherNetIP_Master_Access"),
    Form_Entry<TFS7_Protocol_Set_Access, FS7_Protocol_Set_Access>("FS7_Protocol_Set_Access"),
    Form_Entry<TFEtherCATSlave_Group, FEtherCATSlave_Group>("FEtherCATSlave_Group"),
};
static_assert(std::size(kForms) == 42);

// The about box keeps its fixed English texts and is not in this list.
const char* const kLanguageOrder[] = {
    "FDodiruredavIzavUred",
    "FNew_Project",
    "FOpenConf",
    "FSoftOptions",
    "FBoot",
    "FParGen",
    "FEtherCATSlave",
    "FSetAccess",
    "FModbus_TCP_Master_Set_Access",
    "FBACnetAccess",
    "FImportEDEFile",
    "FBACnetSlaveSetAccess",
    "FBACnet_Eng_Unit",
    "FReceiveCAN",
    "FTransmitCAN",
    "FSet_PDO_Access",
    "FSet_SDO_Client_Access",
    "FSet_SDO_Server_Access",
    "FDNet",
    "FDefOffset",
    "FDMXDefVal",
    "FIEC_61850_Access",
    "FTLS_Server_Known_Cert",
    "FIEC61850_Variables",
    "FReceiveJ1939",
    "FTransmitJ1939",
    "FMQTT_Set_Topic",
    "FTopicTemplate",
    "FReceiveNMEA",
    "FTransmitNMEA",
    "FOPC_UA_Client_Access",
    "FOPC_UA_Add_Server",
    "FOPC_UA_Scan_Server",
    "FOPC_UA_Server_Access",
    "FSNMPManagerAccess",
    "FSNMP_Trap_Access",
    "FProfinetFileName",
    "FEtherNetIP_Master_Access",
    "FEtherNEtIP_EDS",
    "FS7_Protocol_Set_Access",
    "FEtherCATSlave_Group",
};
static_assert(std::size(kLanguageOrder) == 41);

const TFormEntry* findEntry(const QString& name)
{
    for (const TFormEntry& e : kForms)
        if (name == QLatin1String(e.Name))
            return &e;
    return nullptr;
}

} // namespace

std::span<const TFormEntry> Form_Creation_Order()
{
    return kForms;
}

std::span<const char* const> Language_Order()
{
    return kLanguageOrder;
}

void Create_Forms(const QString& programFolder)
{
    RORoruduzudizEvivUrad::Program_Folder = programFolder;
    for (const TFormEntry& e : kForms)
        if (e.Create)
            e.Create();
}

void Destroy_Forms()
{
    for (auto it = std::rbegin(kForms); it != std::rend(kForms); ++it)
        if (it->Destroy)
            it->Destroy();
}

TForm* Find_Form(const QString& name)
{
    const TFormEntry* e = findEntry(name);
    return e && e->Instance ? e->Instance() : nullptr;
}

void Set_Lang_Of_Forms()
{
    for (const char* name : kLanguageOrder) {
        const TFormEntry* e = findEntry(QLatin1String(name));
        if (e && e->Set_Lang)
            e->Set_Lang();
    }
}
