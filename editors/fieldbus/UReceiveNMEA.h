// TFReceiveNMEA: the editor of the NMEA 2000 parameter groups the gateway captures ("Receive NMEA
// 2000 Frames"). One table of 62 groups: PGN (the key, not trimmed), source address, single frame,
// fast packet or transport protocol, the bytes captured and Cancel Data; all rows together fit the
// 512-byte receive image. The rules are in UNMEA_Frames.h.
//
// A table editor on the shared frame (app/UTableEditor.h); no main-window command shows it in this
// build. Its file, every element child of the root a row:
//   <Receive_NMEA_2000><row PGN SA TP FP TP_Start TP_NByte Delete Mnemonic/>..</Receive_NMEA_2000>
//   <!--SW_VERSION = 1.001-->
// Delete Row acts only on a data row. One instance, FReceiveNMEA, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFReceiveNMEA : public TTableEditor
{
  public:
    explicit TFReceiveNMEA(TComponent* AOwner);
    ~TFReceiveNMEA() override;

    bool Controllo_dati() override;
    bool Controllo_Dati() { return Controllo_dati(); }

    TExtColumnGrid* sga;
    int NUM_BYTE_IN = 0; // the receive image's size, set at every show

  protected:
    void Fill_Lists() override;
};

extern TFReceiveNMEA* FReceiveNMEA;
