// A bar between two aligned controls that the user drags to share their space: aligned to the
// same side as the control it resizes (alLeft, alRight, alTop or alBottom), placed just after it.
// Dragging changes that control's width (or height), never below MinSize, and never so far that
// the space left beside it drops below MinSize; OnMoved follows the drag's release.
#pragma once

#include "platform/controls/Controls.h"

class TSplitter : public TGraphicControl
{
  public:
    explicit TSplitter(TComponent* AOwner);

    int MinSize = 30;
    TNotifyEvent OnMoved;

    // The control the splitter resizes: the sibling aligned the same way that ends where it begins.
    TControl* ResizeControl() const;

  protected:
    void Paint() override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  private:
    bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
    TControl* FControl = nullptr; // during a drag
    int FDownPos = 0;
    int FStartSize = 0;
};
