#include "platform/controls/LayeredWindows.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace
{

// Lives as a child of the layered window's widget. A colour key becomes the window's shape (a mask
// without the pixels of the key colour), brought up to date after each paint; an image given by
// UpdateLayeredWindow takes over the painting.
class TLayeredPainter : public QObject
{
  public:
    explicit TLayeredPainter(QWidget* window) : QObject(window), window_(window)
    {
        window->installEventFilter(this);
    }

    static TLayeredPainter* Of(QWidget* window)
    {
        for (QObject* child : window->children())
            if (auto* painter = dynamic_cast<TLayeredPainter*>(child))
                return painter;
        return new TLayeredPainter(window);
    }

    void SetColorKey(bool on, TColor key)
    {
        keyed_ = on;
        key_ = ColorToRGB(key);
        if (keyed_)
            UpdateMask();
        else
            window_->clearMask();
    }

    void SetImage(QImage image)
    {
        image_ = std::move(image);
        window_->setAttribute(Qt::WA_TranslucentBackground, true);
        window_->update();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ || event->type() != QEvent::Paint || rendering_)
            return false;
        if (keyed_ && !maskPending_) {
            // After this paint the content may show the key colour elsewhere.
            maskPending_ = true;
            QMetaObject::invokeMethod(
                this, [this] { UpdateMask(); }, Qt::QueuedConnection);
        }
        if (image_.isNull())
            return false;
        QPainter p(window_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(window_->rect(), Qt::transparent);
        p.drawImage(0, 0, image_);
        return true;
    }

  private:
    void UpdateMask()
    {
        maskPending_ = false;
        if (!keyed_ || window_->size().isEmpty())
            return;
        QImage own(window_->size(), QImage::Format_RGB32);
        rendering_ = true;
        window_->render(&own, QPoint(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
        rendering_ = false;
        // The shape: every run of pixels of another colour, row by row.
        const QRgb key = ColorToQColor(key_).rgb();
        QRegion shape;
        for (int y = 0; y < own.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(own.constScanLine(y));
            for (int x = 0; x < own.width();) {
                const bool keep = (line[x] | 0xFF000000u) != key;
                int end = x + 1;
                while (end < own.width() && ((line[end] | 0xFF000000u) != key) == keep)
                    ++end;
                if (keep)
                    shape += QRect(x, y, end - x, 1);
                x = end;
            }
        }
        if (shape != window_->mask())
            window_->setMask(shape);
    }

    QWidget* window_;
    bool keyed_ = false;
    TColor key_ = clNone;
    QImage image_;
    bool rendering_ = false;
    bool maskPending_ = false;
};

QWidget* LayeredWindow(HWND wnd)
{
    TWinControl* control = FindControl(wnd);
    QWidget* widget = control ? control->Widget() : nullptr;
    return widget && widget->isWindow() ? widget : nullptr;
}

// The source area as premultiplied ARGB: 32-bit surfaces are read byte for byte, as the window
// system reads them; colour channels are kept within the alpha so the data stays valid.
QImage SourceImage(const QImage& surface, const QRect& area)
{
    const QImage part = surface.copy(area);
    QImage image;
    if (part.depth() == 32)
        image = QImage(part.constBits(), part.width(), part.height(), part.bytesPerLine(),
                       QImage::Format_ARGB32_Premultiplied)
                    .copy();
    else
        image = part.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(line[x]);
            line[x] = qRgba(std::min(qRed(line[x]), a), std::min(qGreen(line[x]), a),
                            std::min(qBlue(line[x]), a), a);
        }
    }
    return image;
}

// Applies the blend settings to a premultiplied image.
void Blend(QImage& image, TColor key, const BLENDFUNCTION* blend, uint32_t flags)
{
    const QRgb keyRgb = ColorToQColor(ColorToRGB(key)).rgb();
    const int constant = blend ? blend->SourceConstantAlpha : 255;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb px = line[x];
            if ((flags & ULW_OPAQUE) || !(flags & ULW_ALPHA))
                px |= 0xFF000000u;
            if ((flags & ULW_COLORKEY) && (px | 0xFF000000u) == keyRgb) {
                line[x] = 0;
                continue;
            }
            if ((flags & ULW_ALPHA) && constant != 255)
                px = qRgba(qRed(px) * constant / 255, qGreen(px) * constant / 255, qBlue(px) * constant / 255,
                           qAlpha(px) * constant / 255);
            line[x] = px;
        }
    }
}

} // namespace

bool SetLayeredWindowAttributes(HWND Wnd, TColor Key, uint8_t Alpha, uint32_t Flags)
{
    QWidget* window = LayeredWindow(Wnd);
    if (!window)
        return false;
    window->setWindowOpacity((Flags & LWA_ALPHA) ? Alpha / 255.0 : 1.0);
    TLayeredPainter::Of(window)->SetColorKey((Flags & LWA_COLORKEY) != 0, Key);
    return true;
}

bool UpdateLayeredWindow(HWND Wnd, HDC /*DstDC*/, const TPoint* DstPoint, const TSize* Size, HDC SrcDC,
                         const TPoint* SrcPoint, TColor Key, const BLENDFUNCTION* BlendFn, uint32_t Flags)
{
    QWidget* window = LayeredWindow(Wnd);
    if (!window)
        return false;
    if (DstPoint)
        window->move(DstPoint->X, DstPoint->Y);
    if (Size)
        window->resize(Size->cx, Size->cy);
    const QImage* surface = SrcDC ? SrcDC->Image() : nullptr;
    if (surface && !surface->isNull()) {
        const TPoint from = SrcPoint ? *SrcPoint : TPoint();
        QImage image = SourceImage(*surface, QRect(from.X, from.Y, window->width(), window->height()));
        Blend(image, Key, BlendFn, Flags);
        TLayeredPainter::Of(window)->SetImage(std::move(image));
    }
    return true;
}
