// The rules the two NMEA 2000 frame editors share (TFReceiveNMEA, TFTransmitNMEA): their table, file
// and text descriptions for the frame, and their data checks as functions over rows.
//
// As the J1939 tables: the PGN key is not trimmed, check boxes are ticked only by exactly "Y". Receive
// rows capture a single frame, a fast-packet group (up to 223 bytes) or a transport-protocol group (up
// to 1785 bytes; with both boxes ticked its limits apply); all rows together fit the 512-byte receive
// image. Transmit rows send Num Byte each, all together within the 512-byte transmit image. Both files
// have the root "Receive_NMEA_2000" (the readers never look at it).
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

namespace nmeaframes
{

constexpr int Receive_Image = 512;  // NUM_BYTE_IN
constexpr int Transmit_Image = 512; // NUM_BYTE_OUT

extern const TEditorSpec Receive_Spec;
extern const TEditorSpec Transmit_Spec;

TFrameCheck Check_Receive(const TFrameRows& Rows, int NUM_BYTE_IN);
TFrameCheck Check_Transmit(const TFrameRows& Rows, int NUM_BYTE_OUT);

} // namespace nmeaframes
