#include "editors/fieldbus/UTransmitCAN.h"

#include "editors/fieldbus/UCAN_Frames.h"
#include "grid/core/ExtCGrid.h"

TFTransmitCAN* FTransmitCAN = nullptr;

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner) : TTableEditor(AOwner, canframes::Transmit_Spec)
{
    ACG_CAN_Transmit = Table(0).Grid;
    FormCreate();
}

TFTransmitCAN::~TFTransmitCAN()
{
    if (FTransmitCAN == this)
        FTransmitCAN = nullptr;
}

void TFTransmitCAN::FormShow(TObject* Sender)
{
    TTableEditor::FormShow(Sender);
    Hard_Type = 1;
    Fill_Hints(Table(0));
}

void TFTransmitCAN::Fill_Lists()
{
    MAX_Byte = canframes::Transmit_Image;
    const QStringList items = canframes::Byte_Items(MAX_Byte);
    for (int k = 0; k < 8; ++k) {
        TStringList* list = ACG_CAN_Transmit->Columns()->Items(canframes::First_Byte_Tx + k)->ComboItems();
        list->Clear();
        list->AddStrings(items);
    }
}

bool TFTransmitCAN::Controllo_dati()
{
    const TFrameCheck fault = canframes::Check_Transmit(Used_Row_Texts(*this, 0), MAX_Byte);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
