// TFTransmitNMEA: the editor of the NMEA 2000 parameter groups the gateway sends ("Transmit NMEA 2000
// Frames"). One table of 62 groups: priority, PGN (the key, not trimmed), source address, fast packet,
// Num Byte, and when the group is sent (on request, on a data change, on a timer with its period);
// all rows together fit the 512-byte transmit image. The rules are in UNMEA_Frames.h.
//
// A table editor on the shared frame (app/UTableEditor.h); no main-window command shows it in this
// build. Its file keeps the receive file's root name, every element child of the root a row:
//   <Receive_NMEA_2000><row Priority PGN SA FP TP_NByte On_Request On_Data_Change On_Timer SendTimer
//   Mnemonic/>..</Receive_NMEA_2000><!--SW_VERSION = 1.001-->
// Delete Row acts only on a data row. One instance, FTransmitNMEA, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFTransmitNMEA : public TTableEditor
{
  public:
    explicit TFTransmitNMEA(TComponent* AOwner);
    ~TFTransmitNMEA() override;

    bool Controllo_dati() override;
    bool Controllo_Dati() { return Controllo_dati(); }

    TExtColumnGrid* sga;
    int NUM_BYTE_OUT = 0; // the transmit image's size, set at every show

  protected:
    void Fill_Lists() override;
};

extern TFTransmitNMEA* FTransmitNMEA;
