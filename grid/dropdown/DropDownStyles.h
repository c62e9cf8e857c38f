// The looks of the drop-down family as data, and the colour set of the item selectors.
//
// A component style recolours the pop-up window, its header and footer strips and the strips' push
// buttons (TExtCustomDropDown::SetComponentStyle reads the window and button tables here); an item
// selector takes the hot and selected colours of a style through ApplyItemAppearanceStyle.
#pragma once

#include "grid/base/Looks.h"
#include "grid/dropdown/DropDownDraw.h"
#include "platform/core/Classes.h"
#include "platform/graphics/Canvas.h"

#include <memory>

enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

// Hot and selected colours of the items of an item selector. Every colour is a plain store; setting
// ColorStyle to another value loads that style's set (scCustom loads nothing).
class TItemAppearance : public TPersistent
{
  public:
    explicit TItemAppearance(TPersistent* AOwner = nullptr);
    ~TItemAppearance() override;
    TPersistent* GetOwner() const { return FOwner; }

    // The twelve colours, the font, then ColorStyle (which reloads the source's set over the
    // copied colours when the styles differ), then the text and override colours.
    void Assign(const TPersistent* Source) override;

    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    void SetColorStyle(TSelectionColorStyle Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }

    TColor BorderColor = clNone;
    TColor BorderColorTop = clNone;
    TColor BorderColorBottom = clNone;
    TColor BorderColorHot = clNone;
    TColor BorderColorSelected = clNone;
    TColor ColorHot = clNone;
    TColor ColorHotTo = clNone;
    TColor ColorHotText = clBlack;
    TColor ColorMirrorHot = clNone;
    TColor ColorMirrorHotTo = clNone;
    TColor ColorSelected = clNone;
    TColor ColorSelectedTo = clNone;
    TColor ColorMirrorSelected = clNone;
    TColor ColorMirrorSelectedTo = clNone;
    TColor ColorSelectedText = clBlack;
    TColor EdgeColor = clNone;

    // Never fired: the selector reads the colours when it paints.
    TNotifyEvent OnChange;

  private:
    TPersistent* FOwner;
    TSelectionColorStyle FColorStyle = scCustom;
    std::unique_ptr<TFont> FFont;
};

namespace dropdownstyles
{

// Marks a colour that a style leaves as it is.
constexpr TColor Keep = 0x7FFFFFFF;

// Table 1: the window and the two strips. The footer takes the header's four colours except where
// FooterColor/FooterColorTo/FooterBorderColor are not Keep.
struct TWindowColors {
    TQelStyle Style;
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TColor Color, ColorTo, FontColor, BorderColor;
    TColor FooterColor, FooterColorTo, FooterBorderColor;
};

// Table 2: the push-button appearance, in the order its setters run.
enum TButtonColorIndex {
    bcColor,
    bcColorTo,
    bcBorderColor,
    bcColorHot,
    bcColorHotTo,
    bcBorderColorHot,
    bcColorDown,
    bcColorDownTo,
    bcBorderColorDown,
    bcColorDisabled,
    bcColorDisabledTo,
    bcColorChecked,
    bcColorCheckedTo,
    bcBorderColorChecked,
    bcCount
};
struct TButtonColors {
    TQelStyle Style;
    TColor Colors[bcCount];
};

// Table 3: the item selector colours (the appearance's single BorderColor ends as the selected
// state's border).
struct TItemColors {
    TQelStyle Style;
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo;
    TColor ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
    TColor BorderColor, BorderColorTop, BorderColorBottom, EdgeColor, ColorSelectedText;
};

// The row of a style; nullptr for tsCustom.
const TWindowColors* WindowStyle(TQelStyle Style);
const TButtonColors* ButtonStyle(TQelStyle Style);
const TItemColors* ItemStyle(TQelStyle Style);

} // namespace dropdownstyles
