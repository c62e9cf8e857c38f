// The rules the two J1939 frame editors share (TFReceiveJ1939, TFTransmitJ1939): their table, file and
// text descriptions for the frame, and their data checks as functions over rows.
//
// The key is the PGN cell, not trimmed: a cell of blanks marks a used row (and fails the PGN range).
// Check boxes count as ticked only when they hold exactly "Y". Receive rows capture a single frame
// (the whole 8 bytes, or Start Byte and N Byte of it) or a transport-protocol group (N Byte bytes
// from Start Byte); all rows together must fit the 1440-byte receive image. Transmit rows send N Bytes
// each; all together must fit the 512-byte transmit image.
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

namespace j1939frames
{

constexpr int Receive_Image = 1440; // NUM_BYTE_IN
constexpr int Transmit_Image = 512; // NUM_BYTE_OUT

extern const TEditorSpec Receive_Spec;
extern const TEditorSpec Transmit_Spec;

TFrameCheck Check_Receive(const TFrameRows& Rows, int NUM_BYTE_IN);
TFrameCheck Check_Transmit(const TFrameRows& Rows, int NUM_BYTE_OUT);

// A transmit row of the older layout: its T_Type names the one sending mode ("on data change" or "on
// timer", case ignored); Request, Data Change and On Timer are then taken from it alone.
void Read_Legacy_Send_Type(const QString& T_Type, QStringList& Texts);

} // namespace j1939frames
