// TFEtherCATSlave_Group: the editor of the EtherCAT slave's variable groups, step 3 "EtherCAT Set
// Group". Two tables, slave-to-master and master-to-slave, of up to 16 groups each: a name, a number
// of variables (1 .. 256, at most 256 in all per direction) and a free mnemonic. The process-data
// editor hands the enabled variables of a direction out to the groups in this order, and the image
// compiler writes the groups into the device's configuration.
//
// A table editor on the shared frame (app/UTableEditor.h): shown, it reloads
// "EtherCAT_Slave_Group.xml" (Group_Name and Mnemonic required, a missing Num_Variables leaves the
// cell empty, which the check then refuses); OK checks both tables and rewrites the file:
//   <PROFINET_Master_to_Modbus_TCP_Master>
//     <Slave_to_Master><row Group_Name=".." Num_Variables=".." Mnemonic=".."/>..</Slave_to_Master>
//     <Master_to_Slave>..</Master_to_Slave>
//   </PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.001-->
// One instance, FEtherCATSlave_Group, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFEtherCATSlave_Group : public TTableEditor
{
  public:
    explicit TFEtherCATSlave_Group(TComponent* AOwner);
    ~TFEtherCATSlave_Group() override;

    // Slave-to-master first: each used row's Num Variables must be 1 .. 256, then the table's total
    // at most 256; the first fault is shown.
    bool Controllo_dati() override;

    TTabSheet* TS_SlaveToMaster;
    TTabSheet* TS_MasterToSlave;
    TExtColumnGrid* ACG_Group_StoM;
    TExtColumnGrid* ACG_Group_MtoS;
};

extern TFEtherCATSlave_Group* FEtherCATSlave_Group;
