// Scrolling vocabulary of the string grid and its thin "metro" scroll bars.
//
// TScrollControl is a child of the grid that draws only a thumb over the grid's right (bottom) edge;
// pressing beside the thumb pages, dragging the thumb scrolls. It asks its parent grid for the
// counts and positions, so it does nothing when its parent is not a TExtStringGrid.
#pragma once

#include "platform/controls/Controls.h"

class TExtStringGrid;

enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipNone, ipVertical, ipHorizontal, ipBoth };
enum TScrollDirection { sdVertical, sdHorizontal };
// Direction of sorting and of automatic numbering.
enum TSortDirection { sdAscending, sdDescending };

// Timer of wheel panning (10 ms steps) and the pan overlay's size.
constexpr int WheelPanTimerId = 999;
constexpr int WheelPanInterval = 10;
constexpr int WheelPanSize = 32;
constexpr int MetroBarThickness = 6;
constexpr int MetroThumbWidth = 4;
constexpr int MetroMinThumb = 20;
constexpr TColor MetroBarColor = 0x00C0C0C0;

class TScrollControl : public TCustomControl
{
  public:
    explicit TScrollControl(TComponent* AOwner);

    TColor ThumbColor() const { return FColor; }
    void SetThumbColor(TColor Value);
    int ScrollWidth = MetroThumbWidth;
    TScrollDirection Direction = sdVertical;

    // The thumb along the control: start and length in pixels; false when everything shows (no
    // thumb is drawn then).
    bool ThumbRect(int& Position, int& Size) const;

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  protected:
    void Paint() override;

  private:
    TExtStringGrid* Grid() const;

    TColor FColor = MetroBarColor;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};
