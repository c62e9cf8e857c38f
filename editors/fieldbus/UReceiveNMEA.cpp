#include "editors/fieldbus/UReceiveNMEA.h"

#include "editors/fieldbus/UNMEA_Frames.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

TFReceiveNMEA::TFReceiveNMEA(TComponent* AOwner) : TTableEditor(AOwner, nmeaframes::Receive_Spec)
{
    sga = Table(0).Grid;
    FormCreate();
}

TFReceiveNMEA::~TFReceiveNMEA()
{
    if (FReceiveNMEA == this)
        FReceiveNMEA = nullptr;
}

void TFReceiveNMEA::Fill_Lists()
{
    NUM_BYTE_IN = nmeaframes::Receive_Image;
}

bool TFReceiveNMEA::Controllo_dati()
{
    const TFrameCheck fault = nmeaframes::Check_Receive(Used_Row_Texts(*this, 0), NUM_BYTE_IN);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
