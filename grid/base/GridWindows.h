// Overlay windows the string grid places over itself, and the bitmap tools of its soft focus frame.
//
// TArrowWindow marks where a dragged column or row lands: a small green top-level window shaped as an
// arrow, owned by the grid's window and never taking the focus. TGridFocusWindow carries the focus
// frame: an empty top-level tool window that stays on top, takes no input and shows what the
// layered-window calls give it. Both keep Left/Top in screen coordinates and show without activating.
//
// The frame is made in three steps: CreateRoundRectMask draws a white rounded rectangle on black
// (blurred with BlurBitmap), the grid fills a 24-bit picture with the frame colour, and
// TGridAlphaMask::MergeMask combines the two into premultiplied pixels whose alpha is the mask's red.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/Bitmaps.h"

#include <vector>

// A move arrow; Init gives it its direction, colour and owner and leaves it hidden.
class TArrowWindow : public TPanel
{
  public:
    explicit TArrowWindow(TComponent* AOwner);
    // Stores the direction, makes AOwner (a window control) its parent, colours it green and hides it.
    static TArrowWindow* Init(TComponent* AOwner, TArrowDirection Direction);

    TArrowDirection Dir() const { return FDir; }
    void SetDir(TArrowDirection Value);
    // The window's shape in client coordinates.
    const std::vector<TPoint>& Arrow() const { return FArrow; }

    // The parent is the window that owns it; the arrow itself stays a top-level window.
    void SetParent(TWinControl* AParent) override;

  protected:
    void Paint() override;
    void ApplyVisible() override;

  private:
    void MakeTopLevel(QWidget* OwnerWindow);
    TArrowDirection FDir = arrUp;
    std::vector<TPoint> FArrow;
};

// The window of the soft focus frame. Created empty (0 x 0) and red; its owner gives it a picture
// with UpdateLayeredWindow, a region and a place, then shows it.
class TGridFocusWindow : public TCustomControl
{
  public:
    explicit TGridFocusWindow(TComponent* AOwner);

    void SetParent(TWinControl* AParent) override;

  protected:
    void ApplyVisible() override;

  private:
    void MakeTopLevel(QWidget* OwnerWindow);
};

// A 32-bit bitmap holding premultiplied pixels for a layered window, with the opacity its owner
// shows it at.
class TGridAlphaMask : public TBitmap
{
  public:
    TGridAlphaMask();

    uint8_t Opacity = 255;

    // Takes Bitmap's size; every pixel becomes Bitmap's colour times the alpha taken from the red byte
    // of Mask's pixel, with that alpha. Bitmap and Mask must be 24-bit and the mask at least as large
    // as the bitmap; otherwise nothing changes. Color is not used.
    void MergeMask(const TBitmap* Mask, const TBitmap* Bitmap, TColor Color);
    // From another alpha mask: its opacity, size and bytes; from any other bitmap, the bitmap copy.
    // The result is 32-bit either way.
    void Assign(const TBitmap* Source);
};

// Bitmap becomes a black 24-bit Width x Height picture with a white rounded rectangle (filled when
// PenWidth < 1, else its outline PenWidth wide) inset by PenWidth div 2 + 2, corner Corner x Corner;
// then blurred with radius Blur when Blur > 0.
void CreateRoundRectMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, int Blur);

// Gaussian blur of a 24-bit bitmap, rows then columns; middle rows and columns (more than 20 pixels
// from both edges) are copies of row and column 15, which is exact for pictures whose middle is alike.
// Raises EInvalidGraphicOperation "Blur only works for 24-bit bitmaps" for another format. A radius of
// 0 or less leaves the bitmap as it is.
void BlurBitmap(TBitmap* Bitmap, int Radius);

// The kernel BlurBitmap uses: weights -Size .. Size (index k + 10), normalised to 1.
struct TGaussianKernel {
    int Size = 10;
    float Weights[21] = {};
};
TGaussianKernel MakeGaussianKernel(int Radius);
