// JPEG encoding through libjpeg (API 62): the codec the grid's HTML export writes its cell pictures
// with. Decoding lives beside it in JpegImage.h.
#pragma once

#include "platform/core/SysUtils.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A libjpeg failure, with libjpeg's own message.
class EJPEGError : public Exception
{
    using Exception::Exception;
};

constexpr int DefaultJpegQuality = 75;

// Baseline JPEG of the image: RGB, three components, the given quality (1 .. 100). Transparent
// pixels are laid on white first. An empty image raises EJPEGError.
QByteArray EncodeJpegImage(const QImage& Image, int Quality = DefaultJpegQuality);
