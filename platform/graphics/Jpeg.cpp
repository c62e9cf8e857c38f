#include "platform/graphics/Jpeg.h"

#include <QPainter>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

namespace
{

struct TJpegErrorMgr {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<TJpegErrorMgr*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

// libjpeg reports errors by longjmp back into this frame, which holds nothing with a destructor;
// the caller turns a false answer into the exception.
bool Compress(const unsigned char* rgb, int width, int height, int quality, unsigned char*& out,
              unsigned long& outSize, TJpegErrorMgr& err)
{
    jpeg_compress_struct cinfo;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.output_message = [](j_common_ptr) {};
    err.Message[0] = 0;
    if (setjmp(err.Jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb) + size_t(cinfo.next_scanline) * size_t(width) * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

QByteArray EncodeJpegImage(const QImage& Image, int Quality)
{
    if (Image.isNull() || Image.width() <= 0 || Image.height() <= 0)
        throw EJPEGError("Cannot encode an empty image as JPEG");
    QImage rgb(Image.size(), QImage::Format_RGB888);
    rgb.fill(Qt::white);
    {
        QPainter p(&rgb);
        p.drawImage(0, 0, Image);
    }
    // Rows of the encoder's buffer are packed; QImage pads them to 4 bytes.
    const int w = rgb.width(), h = rgb.height();
    QByteArray packed(qsizetype(w) * h * 3, Qt::Uninitialized);
    for (int y = 0; y < h; ++y)
        std::memcpy(packed.data() + qsizetype(y) * w * 3, rgb.constScanLine(y), size_t(w) * 3);

    unsigned char* out = nullptr;
    unsigned long size = 0;
    TJpegErrorMgr err;
    const bool ok = Compress(reinterpret_cast<const unsigned char*>(packed.constData()), w, h,
                             std::clamp(Quality, 1, 100), out, size, err);
    QByteArray result =
        ok && out ? QByteArray(reinterpret_cast<const char*>(out), qsizetype(size)) : QByteArray();
    std::free(out);
    if (!ok)
        throw EJPEGError(QString::fromLatin1(err.Message));
    return result;
}
