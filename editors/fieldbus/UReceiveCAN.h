// TFReceiveCAN: the editor of the CAN frames the gateway takes from the bus ("Receive CAN Frames Set
// Access"). One table of 512 frames, each with its identifier, format, length, time-out and, per data
// byte, the position of the 2000-byte receive image it is stored at ("None": not stored). The rules
// and the table's description are in UCAN_Frames.h.
//
// A table editor on the shared frame (app/UTableEditor.h). Shown, it rebuilds the byte lists, reloads
// "CAN_Rec_Frames.xml" (every element child of the root is a row; missing attributes take the table's
// defaults) and takes the focus; OK checks the enabled rows and rewrites the file:
//   <Receive_Frames><row Enable=".." COBID=".." CAN_Type=".." Dim=".." TimeOut=".." Byte1=".." ..
//                   Byte8=".." Mnemonic=".."/>..</Receive_Frames><!--SW_VERSION = 1.001-->
// A click on column 0 does not select the row. One instance, FReceiveCAN, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFReceiveCAN : public TTableEditor
{
  public:
    explicit TFReceiveCAN(TComponent* AOwner);
    ~TFReceiveCAN() override;

    bool Controllo_dati() override;
    void ACG_CAN_ReceiveDblClickCell(TObject* Sender, int ARow, int ACol)
    {
        DblClickCell(Sender, ARow, ACol);
    }
    void ACG_CAN_ReceiveKeyPress(TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); }
    void ACG_CAN_ReceiveGridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    TExtColumnGrid* ACG_CAN_Receive;
    int MAX_Byte = 0; // the receive image's size, set at every show

  protected:
    void Fill_Lists() override;
};

extern TFReceiveCAN* FReceiveCAN;
