#include "editors/fieldbus/UTransmitNMEA.h"

#include "editors/fieldbus/UNMEA_Frames.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

TFTransmitNMEA::TFTransmitNMEA(TComponent* AOwner) : TTableEditor(AOwner, nmeaframes::Transmit_Spec)
{
    sga = Table(0).Grid;
    FormCreate();
}

TFTransmitNMEA::~TFTransmitNMEA()
{
    if (FTransmitNMEA == this)
        FTransmitNMEA = nullptr;
}

void TFTransmitNMEA::Fill_Lists()
{
    NUM_BYTE_OUT = nmeaframes::Transmit_Image;
}

bool TFTransmitNMEA::Controllo_dati()
{
    const TFrameCheck fault = nmeaframes::Check_Transmit(Used_Row_Texts(*this, 0), NUM_BYTE_OUT);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
