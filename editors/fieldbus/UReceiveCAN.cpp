#include "editors/fieldbus/UReceiveCAN.h"

#include "editors/fieldbus/UCAN_Frames.h"
#include "grid/core/ExtCGrid.h"

TFReceiveCAN* FReceiveCAN = nullptr;

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner) : TTableEditor(AOwner, canframes::Receive_Spec)
{
    ACG_CAN_Receive = Table(0).Grid;
    FormCreate();
}

TFReceiveCAN::~TFReceiveCAN()
{
    if (FReceiveCAN == this)
        FReceiveCAN = nullptr;
}

void TFReceiveCAN::Fill_Lists()
{
    MAX_Byte = canframes::Receive_Image;
    const QStringList items = canframes::Byte_Items(MAX_Byte);
    for (int k = 0; k < 8; ++k) {
        TStringList* list = ACG_CAN_Receive->Columns()->Items(canframes::First_Byte_Rx + k)->ComboItems();
        list->Clear();
        list->AddStrings(items);
    }
}

bool TFReceiveCAN::Controllo_dati()
{
    const TFrameCheck fault = canframes::Check_Receive(Used_Row_Texts(*this, 0), MAX_Byte);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
