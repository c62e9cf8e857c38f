// TExtCheckBox: the self-drawn check box of the grid's search panel (its match-case switch). The box
// sits left or right, at the top, middle or bottom; the control can be transparent over its parent,
// whose picture it then paints under itself (kept in a cache with TransparentChaching).
//
// Paint steps, in order: the parent's picture (transparent), the classic 13 x 13 box, the caption
// (greyed when disabled), the focus rectangle around the caption. Clicks are its own: a press inside
// captures and marks the box pressed; the release inside toggles (unless ReadOnly) and fires OnClick.
// Space does the same from the keyboard; Enter moves on like Tab with ReturnIsTab.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/controls/Controls.h"
#include "platform/controls/StdCtrls.h" // TCheckBoxState
#include "platform/graphics/Bitmaps.h"

#include <memory>

class TExtCheckBox : public TCustomControl
{
  public:
    explicit TExtCheckBox(TComponent* AOwner);
    ~TExtCheckBox() override;

    // Which side the box is on: taLeftJustify or taRightJustify.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TVAlignment ButtonVertAlign() const { return FButtonVertAlign; }
    void SetButtonVertAlign(TVAlignment Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool ReadOnly = false;
    bool ReturnIsTab = false;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Keep the parent's picture between paints (dropped on a move, resize or Transparent change).
    bool TransparentChaching = false;
    // The box is being pressed; written without a repaint.
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }

    // Inverts Checked unless ReadOnly.
    virtual void Toggle();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;
    void HandleEnabledChanged() override;
    void HandleTextChanged() override;
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    bool WantsChars() const override { return false; }
    // A posted key-down runs the key path as if typed (ReturnIsTab's Tab).
    void WndProc(TMessage& Message) override;

  protected:
    void Paint() override;

  private:
    // The parent paints itself (without its children) under this control, into Target.
    void DrawParentImage(TCanvas* Target);
    void InvalidateBox();

    TAlignment FAlignment = taLeftJustify;
    TVAlignment FButtonVertAlign = vtaTop;
    TCheckBoxState FState = cbUnchecked;
    bool FEllipsis = false;
    bool FTransparent = false;
    bool FDown = false;
    bool FFocused = false;
    bool FHot = false;
    bool FMousePressed = false;
    std::unique_ptr<TBitmap> FBkgCache;
    bool FBkgCacheValid = false;
};
