// TFTransmitJ1939: the editor of the J1939 parameter groups the gateway sends ("Transmit J1939
// Frames"). One table of 512 groups: priority, Data Page, PGN (the key, not trimmed), source address,
// N Bytes, and when the group is sent (on request, on a data change, on a timer with its period); all
// rows together fit the 512-byte transmit image. The rules are in UJ1939_Frames.h.
//
// A table editor on the shared frame (app/UTableEditor.h); no main-window command shows it in this
// build. Its file, every element child of the root a row:
//   <Transmit_J1939><row Priority DP PGN SA TP_NByte On_Request On_Data_Change On_Timer SendTimer
//   Mnemonic/>..</Transmit_J1939><!--SW_VERSION = 1.000-->
// A row without N Bytes, or with an empty one, loads "8"; a row of the older layout with T_Type takes
// its sending mode from it. One instance, FTransmitJ1939, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFTransmitJ1939 : public TTableEditor
{
  public:
    explicit TFTransmitJ1939(TComponent* AOwner);
    ~TFTransmitJ1939() override;

    bool Controllo_dati() override;
    bool Controllo_Dati() { return Controllo_dati(); }

    TExtColumnGrid* sga;
    int NUM_BYTE_OUT = 0; // the transmit image's size, set at every show

  protected:
    void Fill_Lists() override;
    void Read_Row(const TTableView& T, const TXmlElement& Row, QStringList& Texts) override;
};

extern TFTransmitJ1939* FTransmitJ1939;
