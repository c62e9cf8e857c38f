// TFReceiveJ1939: the editor of the J1939 parameter groups the gateway captures ("Receive J1939
// Frames"). One table of 512 groups: Data Page, PGN (the key, not trimmed), source address, single
// frame or transport protocol, the bytes captured, Cancel Data, and a request with its period; all
// rows together fit the 1440-byte receive image. The rules are in UJ1939_Frames.h.
//
// A table editor on the shared frame (app/UTableEditor.h); no main-window command shows it in this
// build. Its file, every element child of the root a row:
//   <Receive_J1939><row DP PGN SA TP TP_Start TP_NByte Delete OnRequest OnReq_Time Mnemonic/>..
//   </Receive_J1939><!--SW_VERSION = 1.000-->
// Delete Row acts only on a data row. One instance, FReceiveJ1939, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFReceiveJ1939 : public TTableEditor
{
  public:
    explicit TFReceiveJ1939(TComponent* AOwner);
    ~TFReceiveJ1939() override;

    bool Controllo_dati() override;
    bool Controllo_Dati() { return Controllo_dati(); }

    TExtColumnGrid* sga;
    int NUM_BYTE_IN = 0; // the receive image's size, set at every show

  protected:
    void Fill_Lists() override;
};

extern TFReceiveJ1939* FReceiveJ1939;
