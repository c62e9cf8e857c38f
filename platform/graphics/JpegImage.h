// JPEG decoding through libjpeg (API 62), the codec the program's picture loading uses.
#pragma once

#include <QByteArray>
#include <QImage>

// Whether the bytes start with a JPEG start-of-image marker.
bool IsJpegData(const QByteArray& Data);
// The decoded picture (32 bits, opaque); a null image when the data is not a readable JPEG.
QImage DecodeJpegImage(const QByteArray& Data);
