// TFSet_SDO_Server_Access: the editor of the manufacturer objects the gateway offers as CANopen SDO
// server ("Set SDO Server Access"). Two tables of 500 object entries on tabs, "SDO in Read" (sga: the
// master reads them, their bytes taken from positions of the input image) and "SDO in Write" (sgb:
// the master writes them, their bytes stored at positions of the output image). Each row is index,
// sub-index, size (1, 2 or 4 bytes) and one position per byte; rows are not compared with each other.
// The tables, checks and Delete_Row are in UCANopen_Tables.h.
//
// Its file, read by the EDS writer too:
//   <SDO_Server_CANopen><SDO_Read><row Index SubIndex NByte Address_B1 .. Address_B4 Mnemonic/>..
//   </SDO_Read><SDO_Write><row .. the same ../>..</SDO_Write></SDO_Server_CANopen>
//   <!--SW_VERSION = 1.005-->
// One instance, FSet_SDO_Server_Access, lives from program start to exit.
#pragma once

#include "editors/canopen/UCANopen_Tables.h"

class TFSet_SDO_Server_Access : public TCANopenEditor
{
  public:
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);
    ~TFSet_SDO_Server_Access() override;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
