// Bitmaps and pictures of the toolkit layer, over QImage.
//
// TBitmap keeps the window system's memory layout so that code walking scan lines works unchanged:
// pf24bit rows are B, G, R bytes per pixel, pf32bit (and pfDevice, the default) rows B, G, R, A;
// ScanLine(y) is row y from the top. The formats below 24 bits are kept in 32 bits. Its Canvas draws into the
// image. A transparent bitmap is drawn keyed on its transparent colour: the bottom-left pixel's colour unless
// a colour was set (SetTransparentColor). TPicture loads any format Qt's image reader knows (BMP, PNG, GIF
// first frame, ICO, JPEG) into a bitmap. Named images ("LBOK", ...) come from the layer's own pictures; an
// unknown name raises EResNotFound naming it.
#pragma once

#include "platform/graphics/Canvas.h"
#include "platform/core/SysUtils.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

class EResNotFound : public Exception
{
    using Exception::Exception;
}; // "Resource X not found"
class EInvalidGraphic : public Exception
{
    using Exception::Exception;
}; // unreadable picture data
class EInvalidGraphicOperation : public Exception
{
    using Exception::Exception;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
// How the fourth byte of a pf32bit bitmap is used when it is drawn.
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };
enum TTransparentMode { tmAuto, tmFixed };

// Anything that can be drawn on a canvas.
class TGraphic
{
  public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value) { transparent_ = value; }
    // Draws the graphic into r (scaled when the sizes differ).
    virtual void Draw(TCanvas* canvas, const TRect& r, uint8_t opacity = 255) const = 0;
    virtual void LoadFromFile(const QString& path) = 0;
    virtual void SaveToFile(const QString& path) const = 0;

  protected:
    TGraphic() = default;
    bool transparent_ = false;
};

class TBitmap : public TGraphic
{
  public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pfDevice);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Draws into the bitmap; stays valid across size and format changes.
    TCanvas* const Canvas;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    // New pixels are white; kept pixels keep their place (top-left anchored).
    void SetSize(int width, int height);
    bool Empty() const override { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }

    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat format);
    TAlphaFormat AlphaFormat() const { return alpha_; }
    // Changes how the fourth byte is read; the bytes themselves stay as they are.
    void SetAlphaFormat(TAlphaFormat format);

    // Row y from the top in the window system's byte layout; raises EInvalidGraphicOperation
    // "Scan line index out of range" for a row outside the bitmap.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    int BytesPerScanLine() const { return int(image_.bytesPerLine()); }

    TColor TransparentColor() const;        // the set colour, or the bottom-left pixel's (tmAuto)
    void SetTransparentColor(TColor color); // also switches to tmFixed
    TTransparentMode TransparentMode() const { return mode_; }
    void SetTransparentMode(TTransparentMode mode) { mode_ = mode; }

    void Assign(const TBitmap* source); // nullptr empties the bitmap
    void Assign(const QImage& image);   // takes a Qt image (32 bits, alpha defined when it has alpha)

    void Draw(TCanvas* canvas, const TRect& r, uint8_t opacity = 255) const override;
    // A missing file raises EInOutError "Cannot open file "X"", data no reader knows raises
    // EInvalidGraphic naming the file.
    void LoadFromFile(const QString& path) override;
    void LoadFromData(const QByteArray& data, const QString& nameForErrors);
    // Writes a BMP (24 or 32 bits as the pixel format says); raises EInOutError naming the file.
    void SaveToFile(const QString& path) const override;
    QByteArray SaveToBmpData() const;
    // One of the layer's named images; raises EResNotFound "Resource NAME not found".
    void LoadFromResourceName(const QString& name);

    // The image as it is stored (32-bit formats, or BGR888 for pf24bit).
    const QImage& Image() const { return image_; }
    // The image as it should be drawn: alpha per AlphaFormat, transparent colour keyed out.
    QImage ToDrawableImage() const;

  private:
    void Reformat(QImage::Format format);
    QImage::Format StorageFormat() const;

    QImage image_;
    std::unique_ptr<TCanvas> canvas_;
    TPixelFormat format_ = pfDevice;
    TAlphaFormat alpha_ = afIgnored;
    TTransparentMode mode_ = tmAuto;
    TColor transparentColor_ = clNone;
};

// A picture of any readable format; the program only asks for a bitmap, a size and drawing.
class TPicture
{
  public:
    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // As TBitmap::LoadFromFile.
    void LoadFromFile(const QString& path);
    void LoadFromData(const QByteArray& data);  // raises EInvalidGraphic
    void SaveToFile(const QString& path) const; // BMP
    void Assign(const TPicture* source);
    void Clear();

    TGraphic* Graphic() const { return Empty() ? nullptr : bitmap_.get(); }
    TBitmap* Bitmap() { return bitmap_.get(); } // created empty on demand, like the toolkit's
    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    bool Empty() const { return bitmap_->Empty(); }
    // Format name as Qt's reader reported it ("png", "gif", ...); empty for drawn bitmaps.
    QString Format() const { return format_; }

  private:
    void Load(const QByteArray& data, const QString& nameForErrors);

    std::unique_ptr<TBitmap> bitmap_;
    QString format_;
};

// The named image, as a 32-bit Qt image; raises EResNotFound "Resource NAME not found".
// Looked up first among the Qt resources ":/images/NAME.png" / ".bmp", then among the layer's own
// drawn pictures (the push button glyphs "LBOK" ... at 36 x 18, "LBALL" 36 x 19, "LBARROW" 5 x 3).
QImage LoadResourceImage(const QString& name);
bool ResourceImageExists(const QString& name);
