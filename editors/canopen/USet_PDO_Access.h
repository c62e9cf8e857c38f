// TFSet_PDO_Access: the editor of the CANopen process data objects ("Set PDO Access"). Two tables of
// 30 PDOs on tabs, "Receive PDO" (sga: each byte stored at its own position of the input image) and
// "Transmit PDO" (sgb: each byte taken from its own position of the output image, sent every Send
// Time or, ticked, on a change). The tables, checks and Delete_Row are in UCANopen_Tables.h.
//
// Its file, read by the EDS writer too:
//   <PDO_CANopen><Receive_PDO><row COB-ID Dimension Address_B1 .. Address_B8 TimeOut Mnemonic/>..
//   </Receive_PDO><Transmit_PDO><row COB-ID Dimension Address_B1 .. Address_B8 Send_Time On_Change
//   Mnemonic/>..</Transmit_PDO></PDO_CANopen><!--SW_VERSION = 1.005-->
// One instance, FSet_PDO_Access, lives from program start to exit; while it lives, the main window's
// EDS command writes through it (File_Command_Slots().Create_EDS_File).
#pragma once

#include "editors/canopen/UCANopen_Tables.h"

class TFSet_PDO_Access : public TCANopenEditor
{
  public:
    explicit TFSet_PDO_Access(TComponent* AOwner);
    ~TFSet_PDO_Access() override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;
