#include "editors/canopen/USet_SDO_Server_Access.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TCANopenEditor(AOwner, canopen::SDO_Server_Spec, canopen::SDO_Server_Checks)
{
    FormCreate();
}

TFSet_SDO_Server_Access::~TFSet_SDO_Server_Access()
{
    if (FSet_SDO_Server_Access == this)
        FSet_SDO_Server_Access = nullptr;
}
