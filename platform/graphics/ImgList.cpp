#include "platform/graphics/ImgList.h"

#include <QPainter>

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TImageList::SetSize(int AWidth, int AHeight)
{
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    FWidth = std::max(1, AWidth);
    FHeight = std::max(1, AHeight);
    FImages.clear();
}

int TImageList::AddStrip(const QImage& strip)
{
    if (strip.isNull())
        return -1;
    const int first = Count();
    const int parts = std::max(1, strip.width() / FWidth);
    for (int i = 0; i < parts; ++i) {
        QImage cell(FWidth, FHeight, QImage::Format_ARGB32);
        cell.fill(Qt::transparent);
        QPainter p(&cell);
        p.drawImage(QPoint(0, 0), strip, QRect(i * FWidth, 0, FWidth, FHeight));
        p.end();
        FImages.push_back(cell);
    }
    return first;
}

int TImageList::Add(const TBitmap* Image, const TBitmap* Mask)
{
    if (!Image || Image->Empty())
        return -1;
    QImage img = Image->ToDrawableImage().convertToFormat(QImage::Format_ARGB32);
    if (Mask && !Mask->Empty()) {
        const QImage mask = Mask->Image().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < std::min(img.height(), mask.height()); ++y)
            for (int x = 0; x < std::min(img.width(), mask.width()); ++x)
                if (QColor(mask.pixel(x, y)).lightness() > 127)
                    img.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
    return AddStrip(img);
}

int TImageList::AddMasked(const TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->Empty())
        return -1;
    QImage img = Image->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = MaskColor == clDefault ? img.pixel(0, img.height() - 1)
                                            : ColorToQColor(MaskColor).rgb();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                img.setPixel(x, y, qRgba(0, 0, 0, 0));
    return AddStrip(img);
}

void TImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    FImages.erase(FImages.begin() + Index);
}

void TImageList::Clear()
{
    FImages.clear();
}

QImage TImageList::Image(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QImage();
    return FImages[static_cast<size_t>(Index)];
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const
{
    QImage img = Image(Index);
    if (img.isNull() || !Canvas)
        return;
    if (!Enabled) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                const int g = (qRed(p) + qGreen(p) + qBlue(p)) / 3 / 2 + 96;
                img.setPixel(x, y, qRgba(g, g, g, qAlpha(p)));
            }
    }
    Canvas->DrawImage(Bounds(X, Y, FWidth, FHeight), img, TRect(0, 0, FWidth, FHeight));
}

bool TImageList::GetBitmap(int Index, TBitmap* Bitmap) const
{
    const QImage img = Image(Index);
    if (img.isNull() || !Bitmap)
        return false;
    Bitmap->Assign(img);
    return true;
}
