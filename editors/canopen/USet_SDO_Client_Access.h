// TFSet_SDO_Client_Access: the editor of the SDO requests the gateway sends as CANopen SDO client
// ("Set SDO Client Access"). Two tables of 256 requests on tabs, "SDO Read" (sga: the reply bytes
// stored at positions of the input image, with a time-out) and "SDO Write" (sgb: the data bytes taken
// from positions of the output image, also sent on a change when ticked). Each names the device, the
// object index and sub-index, the size (1, 2 or 4 bytes) and the poll time; only the first N Byte
// addresses are checked. The tables, checks and Delete_Row are in UCANopen_Tables.h.
//
// Its file:
//   <SDO_Client_CANopen><SDO_Read><row Device_ID Index SubIndex NByte Poll_Time Address_B1 ..
//   Address_B4 TimeOut Mnemonic/>..</SDO_Read><SDO_Write><row Device_ID Index SubIndex NByte Poll_Time
//   On_Change Address_B1 .. Address_B4 Mnemonic/>..</SDO_Write></SDO_Client_CANopen>
//   <!--SW_VERSION = 1.005-->
// One instance, FSet_SDO_Client_Access, lives from program start to exit.
#pragma once

#include "editors/canopen/UCANopen_Tables.h"

class TFSet_SDO_Client_Access : public TCANopenEditor
{
  public:
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);
    ~TFSet_SDO_Client_Access() override;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
