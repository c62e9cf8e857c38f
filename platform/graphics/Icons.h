// TIcon: a small picture with its own transparency (the icon slot of grid cells, window icons), over
// QPixmap. Reads every format Qt's image reader knows (ICO, PNG, BMP ...); saving writes PNG data,
// which is what the layer's readers take back.
#pragma once

#include "platform/graphics/Bitmaps.h"

#include <QPixmap>

class TIcon : public TGraphic
{
  public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    int Width() const override { return FPixmap.width(); }
    int Height() const override { return FPixmap.height(); }
    bool Empty() const override { return FPixmap.isNull(); }
    // Icons always keep their own alpha; the flag is only stored.
    void Draw(TCanvas* canvas, const TRect& r, uint8_t opacity = 255) const override;
    // A missing file raises EInOutError "Cannot open file "X"", data no reader knows EInvalidGraphic
    // naming the file; the icon is unchanged then.
    void LoadFromFile(const QString& path) override;
    void LoadFromData(const QByteArray& data, const QString& nameForErrors);
    // Raises EInOutError naming the file when it cannot be written; an empty icon writes nothing.
    void SaveToFile(const QString& path) const override;

    // nullptr empties the icon.
    void Assign(const TIcon* Source);
    void Assign(const QPixmap& Pixmap) { FPixmap = Pixmap; }
    const QPixmap& Pixmap() const { return FPixmap; }

  private:
    QPixmap FPixmap;
};
