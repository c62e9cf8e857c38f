// The drop button inside the right edge of a drop-down edit: a small window (TDropDownEditButton)
// holding one painted speed button (TExtDropDownSpeedButton).
//
// The container's width is always FBWidth (the size rule of SetBounds); the inner button fills it.
// The click rule: only the release of the left button on the inner button fires OnClick, which the
// edit points at its DropButtonClick, so the drop-down opens on the release, never on a press.
#pragma once

#include "grid/dropdown/DropDownDraw.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/Controls.h"

enum TButtonStyle { bsButton, bsDropDown };

// bsDropDown draws a combo-box drop arrow (the edit's button), bsButton a push-button face with
// glyph and caption. Themes are never active here: the classic and flat faces are drawn.
class TExtDropDownSpeedButton : public TSpeedButton
{
  public:
    explicit TExtDropDownSpeedButton(TComponent* AOwner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool IsFocused() const { return FFocused; }
    void SetFocused(bool Value);
    bool Hot() const { return FHot; }
    // From now on the pressed face is never drawn.
    void SetUp() { FUp = true; }
    // Down or exclusive, and not SetUp.
    bool Pressed() const;

    void HandleMouseEnter() override;
    void HandleMouseLeave() override;

  protected:
    void Paint() override;

  private:
    void PaintDropDownFace();
    void PaintButtonFace();

    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP;
    TButtonStyle FButtonStyle = bsButton;
};

class TDropDownEditButton : public TCustomControl
{
  public:
    explicit TDropDownEditButton(TComponent* AOwner);

    TExtDropDownSpeedButton* Button() const { return FButton; }
    // The size rule: the width becomes FBWidth, the inner button (0, 0, FBWidth, height).
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    int ButtonWidth() const { return FBWidth; }
    void SetButtonWidth(int Value);

    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& Value) { FButton->SetCaption(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    void HandleEnabledChanged() override;

    TNotifyEvent OnClick;

    // Custom face colours (clNone: the classic face); the face and arrow for normal, hot and down.
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonColorDown = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
    TColor FButtonBorderColor = clNone;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void Resize() override;

  private:
    TExtDropDownSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
};
