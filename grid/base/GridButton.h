// TExtGridButton: the small window-less glyph button of the grid's search panel (find next, find
// previous, highlight, close). Flat or raised, with its own colours and gradients for the normal, hot,
// pressed and checked states, rounded corners, a drop-down part, radio-like groups and a toggle style.
//
// Paint steps, in order: state fix-up, background (flat: fill or gradient and frame per hot/pressed/
// checked; raised: the classic push-button frame), content offset, drop-down triangle, glyph and
// caption. Mouse protocol: a left press shows the button pressed and starts dragging; moves show it
// pressed while inside; the release inside toggles (check style, groups) and clicks. Groups: buttons
// of one parent with the same non-zero GroupIndex; one going down raises the others.
#pragma once

#include "grid/base/FadeButton.h" // TFadeButtonLayout: the push buttons' glyph layouts
#include "grid/base/GridTypes.h"
#include "platform/controls/Buttons.h" // TButtonState
#include "platform/controls/Controls.h"
#include "platform/graphics/Bitmaps.h"

#include <memory>

class TPopupMenu;
class TExtGridButton;

// Follows the linked action the way the glyph button wants: the caption only while it still equals
// the action's, the checked state only for a grouped button with AllowAllUp whose Down equals it, the
// group index only while the two are equal.
class TExtGridButtonActionLink
{
  public:
    explicit TExtGridButtonActionLink(TExtGridButton* Client) : FClient(Client) {}
    // The action's state changed (or was linked for the first time).
    void Update(TAction* Action);

    bool IsCaptionLinked(const TAction* Action) const;
    bool IsCheckedLinked(const TAction* Action) const;
    bool IsGroupIndexLinked(const TAction* Action) const;

  private:
    TExtGridButton* FClient;
    bool FLinked = false; // the fields below hold what the action showed last
    QString FCaption;
    bool FChecked = false;
    int FGroupIndex = 0;
};

// Fills R with Steps bands from Color to ColorTo (left to right when Horizontal, else top to
// bottom): band n starts at round(n x extent / Steps) and is round(extent / Steps) + 1 pixels thick.
// A frame in BorderColor follows unless it is clNone. The brush keeps the last band's colour.
void DrawButtonGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, const TRect& R,
                        bool Horizontal, TColor BorderColor);

class TExtGridButton : public TGraphicControl
{
  public:
    explicit TExtGridButton(TComponent* AOwner);
    ~TExtGridButton() override;

    // -- Colours (Color is the control's colour: the normal background) --
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value);
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value);
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value);
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value);
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value);

    // -- Look --
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value); // builds the shade glyph when on
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    TFadeButtonLayout Layout() const { return FLayout; }
    void SetLayout(TFadeButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value); // -1 (centred) or more; smaller values are ignored
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value); // -1 spreads
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
    // Applies colour set 0..6; other values do nothing.
    void SetLook(int Value);

    // -- Glyphs (copied on write) --
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Also derives GlyphDisabled (grey) while that is empty.
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(const TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(const TBitmap* Value);
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(const TBitmap* Value);
    // Grey where the glyph is not transparent; drawn under the glyph while hot.
    TBitmap* ShadeGlyph() const { return FShadeGlyph.get(); }

    // -- Behaviour --
    TExtGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TExtGridButtonStyle Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    TNotifyEvent OnDropDown;

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleEnabledChanged() override;
    void HandleFontChanged() override;
    void HandleTextChanged() override;
    // The system colours or the visual style changed (the toolkit's notification 0xB035).
    void HandleSysColorChange() override;
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    void HandleActionChange(TAction* Sender) override;

  protected:
    void Loaded() override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    friend class TExtGridButtonActionLink;
    void Changed() { Invalidate(); }
    template <class T> void SetAndRepaint(T& Field, T Value);
    // Tells the other buttons of the parent's group that this one changed.
    void UpdateExclusive();
    void GroupNotice(TExtGridButton* Sender);
    // The pointer is (not) over the button now.
    void UpdateTracking(bool Over);
    void ThemeAdapt();
    void BuildShadeGlyph();
    void DrawContent(TRect R, TPoint Offset, TButtonState DrawState, bool Hot);

    TColor FColorTo, FColorHot, FColorHotTo, FColorDown, FColorDownTo, FColorChecked, FColorCheckedTo;
    TColor FBorderColor, FBorderDownColor, FBorderHotColor;
    bool FFlat = true;
    bool FRounded = false;
    bool FShaded = true;
    bool FShowCaption = true;
    TFadeButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    std::unique_ptr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled, FShadeGlyph;
    TExtGridButtonStyle FStyle = tasButton;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FDropDownButton = false;
    TPopupMenu* FDropDownMenu = nullptr;
    TButtonState FState = bsUp;
    bool FMouseInControl = false;
    bool FDragging = false;
    // COMCTL32 above version 5: never here (no visual styles).
    bool FIsComCtl6 = false;
    TExtGridButtonActionLink FActionLink;
};
