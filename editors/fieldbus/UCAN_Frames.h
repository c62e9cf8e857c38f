// The rules the two CAN frame editors share (TFReceiveCAN, TFTransmitCAN): their table, file and text
// descriptions for the frame, and their data checks as functions over rows.
//
// One row per CAN frame: Enable, CobID (the key, trimmed), Type, Dimension, a time, the image position
// of each data byte ("None" or 0 .. MAX_Byte - 1), a mnemonic. A row whose Enable, trimmed and upper-
// cased, is not "Y" is not checked but saved as typed. The checks, per enabled row in this order:
// CobID in the range of its Type (11 bits only when the Type, trimmed, is exactly "2.0A (11 bits)"),
// Dimension 1..8, the time 0..100000000 (transmit: only with OnTimer ticked), and bytes 1 .. Dimension
// either empty, exactly "None" after trimming, or a position; later bytes are not looked at.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

namespace canframes
{

constexpr int Receive_Image = 2000;  // MAX_Byte of the receive editor
constexpr int Transmit_Image = 2500; // MAX_Byte of the transmit editor
constexpr int First_Byte_Rx = 6, First_Byte_Tx = 9;
inline const char* const Type_11 = "2.0A (11 bits)";

extern const TEditorSpec Receive_Spec;
extern const TEditorSpec Transmit_Spec;

TFrameCheck Check_Receive(const TFrameRows& Rows, int MAX_Byte);
TFrameCheck Check_Transmit(const TFrameRows& Rows, int MAX_Byte);

// "None", then "0" .. MAX_Byte - 1.
QStringList Byte_Items(int MAX_Byte);

} // namespace canframes
