// The toolkit's speed button: a window-less button with a glyph and a caption, used for tool bars and
// for the small buttons inside the edit controls of the grid family.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/graphics/Bitmaps.h"

#include <memory>

// bsDisabled and bsExclusive also select the glyph image: the strip holds NumGlyphs images side by
// side in the order up, disabled, down, exclusive.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Mouse protocol: a left press captures the mouse and shows bsDown; the release shows bsUp again and,
// when the pointer is still over the button, fires the click (OnClick). Entering and leaving fire
// HandleMouseEnter / HandleMouseLeave. Paint draws a classic button face (Flat: an edge only while
// the mouse is over it or it is down), the glyph centred and transparent in the colour of its
// bottom-left pixel, then the caption; both one pixel right and down while pressed.
class TSpeedButton : public TGraphicControl
{
  public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value); // copied; nullptr clears it
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value); // 1..4
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleEnabledChanged() override;

  protected:
    void Paint() override;
    // The face, then the glyph and caption; subclasses paint their own face and call these.
    void PaintGlyph(const TRect& Area);
    void PaintCaption(TRect Area, TColor TextColor);
    // The image of the glyph strip for the current state (the up image when there is no other).
    QImage GlyphImage() const;
    TButtonState FState = bsUp;

  private:
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    bool FFlat = false;
    bool FTransparent = false;
    bool FMouseInControl = false;
};
