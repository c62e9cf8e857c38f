#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/PictureData.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <cstring>

namespace
{

void PutLE(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

QImage ReadPicture(const QByteArray& data, const QString& name, QString* formatName)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format(); // detected from the data; gone after read()
    const QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(
            QStringLiteral("%1: not a picture that can be read (%2)").arg(name, reader.errorString()));
    if (formatName)
        *formatName = QString::fromLatin1(format);
    return image;
}

QByteArray ReadPictureFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw EInOutError(QStringLiteral("Cannot open file \"%1\"").arg(path));
    return ReadFileBytes(path);
}

} // namespace

// ---- TBitmap -------------------------------------------------------------------------------------------

TBitmap::TBitmap() : Canvas(new TCanvas(&image_)), canvas_(Canvas) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap()
{
    format_ = format;
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

QImage::Format TBitmap::StorageFormat() const
{
    if (format_ == pf24bit)
        return QImage::Format_BGR888;
    switch (alpha_) {
    case afDefined:
        return QImage::Format_ARGB32;
    case afPremultiplied:
        return QImage::Format_ARGB32_Premultiplied;
    case afIgnored:
        break;
    }
    return QImage::Format_RGB32;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height() && !image_.isNull())
        return;
    QImage fresh(width, height, StorageFormat());
    if (fresh.isNull() && width > 0 && height > 0)
        throw EInvalidGraphicOperation(QStringLiteral("Out of system resources"));
    fresh.fill(Qt::white);
    if (!image_.isNull() && !fresh.isNull()) {
        const QImage old =
            image_.format() == fresh.format() ? image_ : image_.convertToFormat(fresh.format());
        const int rows = std::min(height, old.height());
        const qsizetype bytes = std::min(fresh.bytesPerLine(), old.bytesPerLine());
        const qsizetype used = qsizetype(std::min(width, old.width())) * fresh.depth() / 8;
        for (int y = 0; y < rows; ++y)
            std::memcpy(fresh.scanLine(y), old.constScanLine(y), size_t(std::min(bytes, used)));
    }
    image_ = fresh;
}

void TBitmap::Reformat(QImage::Format format)
{
    if (image_.isNull() || image_.format() == format)
        return;
    if (image_.depth() == 32 && QImage::toPixelFormat(format).bitsPerPixel() == 32)
        image_.reinterpretAsFormat(format); // alpha format changes keep the bytes
    else
        image_ = image_.convertToFormat(format);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    format_ = format;
    if (format_ != pf32bit)
        alpha_ = afIgnored;
    if (!image_.isNull())
        image_ = image_.convertToFormat(StorageFormat());
}

void TBitmap::SetAlphaFormat(TAlphaFormat format)
{
    alpha_ = format;
    if (format_ == pf32bit || format_ == pfDevice)
        Reformat(StorageFormat());
}

uint8_t* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= Height())
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    return image_.scanLine(y);
}

const uint8_t* TBitmap::ScanLine(int y) const
{
    if (y < 0 || y >= Height())
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    return image_.constScanLine(y);
}

TColor TBitmap::TransparentColor() const
{
    if (mode_ == tmFixed)
        return transparentColor_;
    if (Empty())
        return clNone;
    return QColorToColor(QColor::fromRgb(image_.pixel(0, Height() - 1)));
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    mode_ = tmFixed;
}

void TBitmap::Assign(const TBitmap* source)
{
    if (source == this)
        return;
    if (!source) {
        image_ = QImage();
        return;
    }
    image_ = source->image_.copy();
    format_ = source->format_;
    alpha_ = source->alpha_;
    mode_ = source->mode_;
    transparentColor_ = source->transparentColor_;
    transparent_ = source->transparent_;
}

void TBitmap::Assign(const QImage& image)
{
    if (image.hasAlphaChannel()) {
        format_ = pf32bit;
        alpha_ = afDefined;
    } else {
        format_ = image.depth() == 32 ? pf32bit : pf24bit;
        alpha_ = afIgnored;
    }
    image_ = image.convertToFormat(StorageFormat());
}

QImage TBitmap::ToDrawableImage() const
{
    if (Empty())
        return QImage();
    QImage out;
    if (format_ == pf32bit && alpha_ == afDefined)
        out = image_.convertToFormat(QImage::Format_ARGB32);
    else if (format_ == pf32bit && alpha_ == afPremultiplied)
        out = image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else
        out = image_.convertToFormat(QImage::Format_RGB32);
    if (!transparent_)
        return out;
    const TColor key = TransparentColor();
    if (key == clNone)
        return out;
    const QRgb keyRgb = ColorToQColor(key).rgb() & 0xFFFFFF;
    out = out.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0xFFFFFF) == keyRgb)
                row[x] = 0;
    }
    return out;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r, uint8_t opacity) const
{
    if (!canvas || Empty())
        return;
    canvas->DrawImage(r, ToDrawableImage(), TRect(0, 0, Width(), Height()), opacity);
}

void TBitmap::LoadFromFile(const QString& path)
{
    LoadFromData(ReadPictureFile(path), path);
}

void TBitmap::LoadFromData(const QByteArray& data, const QString& nameForErrors)
{
    Assign(ReadPicture(data, nameForErrors, nullptr));
}

QByteArray TBitmap::SaveToBmpData() const
{
    // BITMAPFILEHEADER + BITMAPINFOHEADER, uncompressed, rows bottom-up padded to 4 bytes.
    const bool wide = format_ != pf24bit;
    const int bpp = wide ? 32 : 24;
    const int w = Width(), h = Height();
    const int stride = ((w * bpp / 8) + 3) & ~3;
    const uint32_t imageSize = uint32_t(stride) * uint32_t(h);
    QByteArray out;
    out.reserve(int(54 + imageSize));
    out.append("BM");
    PutLE(out, 54 + imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(w), 4);
    PutLE(out, uint32_t(h), 4);
    PutLE(out, 1, 2);
    PutLE(out, uint32_t(bpp), 2);
    PutLE(out, 0, 4); // BI_RGB
    PutLE(out, imageSize, 4);
    PutLE(out, 3780, 4); // 96 pixels per inch
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    const QImage src = image_.convertToFormat(
        wide ? (image_.depth() == 32 ? image_.format() : QImage::Format_RGB32) : QImage::Format_BGR888);
    const int used = w * bpp / 8;
    for (int y = h - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(src.constScanLine(y)), used);
        for (int pad = used; pad < stride; ++pad)
            out.append('\0');
    }
    return out;
}

void TBitmap::SaveToFile(const QString& path) const
{
    WriteFileAtomic(path, SaveToBmpData());
}

void TBitmap::LoadFromResourceName(const QString& name)
{
    Assign(LoadResourceImage(name));
}

// ---- TPicture ------------------------------------------------------------------------------------------

TPicture::TPicture() : bitmap_(std::make_unique<TBitmap>()) {}

TPicture::~TPicture()
{
    SetPictureSourceData(this, QByteArray());
}

void TPicture::LoadFromFile(const QString& path)
{
    Load(ReadPictureFile(path), path);
}

void TPicture::LoadFromData(const QByteArray& data)
{
    Load(data, QStringLiteral("Picture"));
}

void TPicture::Load(const QByteArray& data, const QString& nameForErrors)
{
    // Read fully before touching the bitmap: unreadable data leaves the picture as it was.
    QString format;
    const QImage image = ReadPicture(data, nameForErrors, &format);
    bitmap_->Assign(image);
    format_ = format;
    SetPictureSourceData(this, data);
}

void TPicture::SaveToFile(const QString& path) const
{
    bitmap_->SaveToFile(path);
}

void TPicture::Assign(const TPicture* source)
{
    if (source == this)
        return;
    if (!source) {
        Clear();
        return;
    }
    bitmap_->Assign(source->bitmap_.get());
    format_ = source->format_;
    SetPictureSourceData(this, PictureSourceData(source));
}

void TPicture::Clear()
{
    bitmap_->Assign(static_cast<const TBitmap*>(nullptr));
    format_.clear();
    SetPictureSourceData(this, QByteArray());
}
