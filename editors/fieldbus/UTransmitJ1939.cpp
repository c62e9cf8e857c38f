#include "editors/fieldbus/UTransmitJ1939.h"

#include "editors/fieldbus/UJ1939_Frames.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

TFTransmitJ1939::TFTransmitJ1939(TComponent* AOwner) : TTableEditor(AOwner, j1939frames::Transmit_Spec)
{
    sga = Table(0).Grid;
    FormCreate();
}

TFTransmitJ1939::~TFTransmitJ1939()
{
    if (FTransmitJ1939 == this)
        FTransmitJ1939 = nullptr;
}

void TFTransmitJ1939::Fill_Lists()
{
    NUM_BYTE_OUT = j1939frames::Transmit_Image;
}

void TFTransmitJ1939::Read_Row(const TTableView&, const TXmlElement& Row, QStringList& Texts)
{
    if (Row.HasAttribute("T_Type"))
        j1939frames::Read_Legacy_Send_Type(Row.Attribute("T_Type"), Texts);
}

bool TFTransmitJ1939::Controllo_dati()
{
    const TFrameCheck fault = j1939frames::Check_Transmit(Used_Row_Texts(*this, 0), NUM_BYTE_OUT);
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
