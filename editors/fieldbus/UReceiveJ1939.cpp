#include "editors/fieldbus/UReceiveJ1939.h"

#include "editors/fieldbus/UJ1939_Frames.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

TFReceiveJ1939::TFReceiveJ1939(TComponent* AOwner) : TTableEditor(AOwner, j1939frames::Receive_Spec)
{
    sga = Table(0).Grid;
    FormCreate();
}

TFReceiveJ1939::~TFReceiveJ1939()
{
    if (FReceiveJ1939 == this)
        FReceiveJ1939 = nullptr;
}

void TFReceiveJ1939::Fill_Lists()
{
    NUM_BYTE_IN = j1939frames::Receive_Image;
}

bool TFReceiveJ1939::Controllo_dati()
{
    const TFrameCheck fault = j1939frames::Check_Receive(Used_Row_Texts(*this, 0), NUM_BYTE_IN);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
