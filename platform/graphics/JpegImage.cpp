#include "platform/graphics/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace
{

struct TJpegError {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
};

void JpegErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<TJpegError*>(cinfo->err)->Jump, 1);
}

// libjpeg reports errors by longjmp, so nothing with a destructor lives in this frame; the pixels go
// to the caller's buffer.
bool DecodeRows(const unsigned char* data, unsigned long size, std::vector<unsigned char>& pixels, int& width,
                int& height, int& components, bool& inverted)
{
    jpeg_decompress_struct cinfo;
    TJpegError err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = JpegErrorExit;
    err.Pub.output_message = [](j_common_ptr) {};
    if (setjmp(err.Jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    width = int(cinfo.output_width);
    height = int(cinfo.output_height);
    components = cinfo.output_components;
    inverted = cmyk && cinfo.saw_Adobe_marker;
    pixels.resize(size_t(width) * size_t(height) * size_t(components));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + size_t(cinfo.output_scanline) * size_t(width) * size_t(components);
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

bool IsJpegData(const QByteArray& Data)
{
    return Data.size() > 3 && uint8_t(Data[0]) == 0xFF && uint8_t(Data[1]) == 0xD8 &&
           uint8_t(Data[2]) == 0xFF;
}

QImage DecodeJpegImage(const QByteArray& Data)
{
    if (!IsJpegData(Data))
        return QImage();
    std::vector<unsigned char> pixels;
    int width = 0, height = 0, components = 0;
    bool inverted = false;
    if (!DecodeRows(reinterpret_cast<const unsigned char*>(Data.constData()),
                    static_cast<unsigned long>(Data.size()), pixels, width, height, components, inverted) ||
        width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const unsigned char* src = pixels.data() + size_t(y) * size_t(width) * size_t(components);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, src += components) {
            if (components == 4) {
                // Adobe writes CMYK inverted; K scales the other three.
                int c = src[0], m = src[1], yy = src[2], k = src[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yy = 255 - yy;
                    k = 255 - k;
                }
                dst[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            } else if (components == 3) {
                dst[x] = qRgb(src[0], src[1], src[2]);
            } else {
                dst[x] = qRgb(src[0], src[0], src[0]);
            }
        }
    }
    return image;
}
