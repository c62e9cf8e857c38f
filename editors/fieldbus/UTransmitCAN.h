// TFTransmitCAN: the editor of the CAN frames the gateway puts on the bus ("Transmit CAN Frames Set
// Access"). One table of 512 frames: identifier, format, length, when the frame is sent (on a data
// change, on command, on a timer with its period) and, per data byte, the position of the 2500-byte
// transmit image it is taken from ("None": not sent). The rules are in UCAN_Frames.h.
//
// The twin of TFReceiveCAN (UReceiveCAN.h) on the shared frame; it differs in its columns, in the
// defaults of a loaded row (Type "2.0A (11 bits)", OnChange "Y", OnCMD and OnTimer "N", Time "0" only
// when the row sends on timer) and in refilling its hint list at every show. Its file:
//   <Transmit_Frames><row Enable COBID CAN_Type Dim OnChange OnCMD OnTimer Time Byte1 .. Byte8
//                    Mnemonic/>..</Transmit_Frames><!--SW_VERSION = 1.001-->
// One instance, FTransmitCAN, lives from program start to exit.
#pragma once

#include "app/UTableEditor.h"

class TFTransmitCAN : public TTableEditor
{
  public:
    explicit TFTransmitCAN(TComponent* AOwner);
    ~TFTransmitCAN() override;

    void FormShow(TObject* Sender) override;
    bool Controllo_dati() override;
    void ACG_CAN_TransmitDblClickCell(TObject* Sender, int ARow, int ACol)
    {
        DblClickCell(Sender, ARow, ACol);
    }
    void ACG_CAN_TransmitKeyPress(TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); }
    void ACG_CAN_TransmitGridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    TExtColumnGrid* ACG_CAN_Transmit;
    int Hard_Type = 0; // 1 at every show: each row's format comes from its Type cell
    int MAX_Byte = 0;  // the transmit image's size, set at every show

  protected:
    void Fill_Lists() override;
};

extern TFTransmitCAN* FTransmitCAN;
