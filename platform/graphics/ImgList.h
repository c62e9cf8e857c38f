// A list of same-sized small images (glyphs of actions, menus and buttons), drawn by index.
#pragma once

#include "platform/core/Classes.h"
#include "platform/graphics/Graphics.h"

#include <QImage>
#include <vector>

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list, as in the toolkit.
    void SetSize(int AWidth, int AHeight);
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds the image (a strip wider than Width adds one image per Width pixels); returns the index of
    // the first. With a mask, white mask pixels are transparent.
    int Add(const TBitmap* Image, const TBitmap* Mask = nullptr);
    // Adds with MaskColor keyed out (clDefault: the bottom-left pixel's colour).
    int AddMasked(const TBitmap* Image, TColor MaskColor);
    void Delete(int Index);   // raises EListError for a bad index
    void Clear();

    // Draws image Index at (X, Y); a disabled image is drawn grey. A bad index draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;
    // Copies image Index into Bitmap (32 bits with alpha); false for a bad index.
    bool GetBitmap(int Index, TBitmap* Bitmap) const;
    QImage Image(int Index) const;   // null for a bad index

private:
    int AddStrip(const QImage& strip);

    int FWidth = 16;
    int FHeight = 16;
    std::vector<QImage> FImages;   // ARGB32, FWidth x FHeight each
};
