#include "editors/canopen/USet_SDO_Client_Access.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TCANopenEditor(AOwner, canopen::SDO_Client_Spec, canopen::SDO_Client_Checks)
{
    FormCreate();
}

TFSet_SDO_Client_Access::~TFSet_SDO_Client_Access()
{
    if (FSet_SDO_Client_Access == this)
        FSet_SDO_Client_Access = nullptr;
}
