// Settings of the drop-down window's header and footer strips and of the drop-down push buttons.
//
// THeaderAppearance and TFooterAppearance are what a drop-down (DropDownHeader, DropDownFooter) and
// the string grid's control look keep; the strips copy them when the window is prepared. Only
// Visible notifies (OnChange); a button item's Caption, Enabled and Width fire the collection's
// change, which the appearance passes on as OnButtonsChanged. Adding or deleting items fires
// nothing: the owner sees them at the next preparation. Assign copies from the same class only.
#pragma once

#include "grid/dropdown/DropDownDraw.h"
#include "platform/controls/Interaction.h"
#include "platform/core/StringList.h"
#include "platform/graphics/Canvas.h"

#include <memory>

enum TButtonAlignment { baLeft, baRight };

// ---- Strip buttons ----------------------------------------------------------------------------------

class THeaderButton;
class TFooterButton;

// The buttons of one strip. OnChange fires when an item's Caption, Enabled or Width changes.
template <class Item> class TStripButtons : public TCollectionOf<Item>
{
  public:
    explicit TStripButtons(TPersistent* AOwner) : TCollectionOf<Item>(AOwner) {}
    TPersistent* MyOwner() const { return this->Owner(); }
    TNotifyEvent OnChange;
    void ItemChanged()
    {
        if (OnChange)
            OnChange(this);
    }
};

// Width and Height 0 size the button to its content.
class THeaderButton : public TCollectionItem
{
  public:
    explicit THeaderButton(TCollection* Collection) : TCollectionItem(Collection) {}
    // Same class only (else the layer's "Cannot assign" error).
    void Assign(const TPersistent* Source) override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }

  protected:
    void NotifyChanged();

  private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FHeight = 0;
    int FWidth = 0;
};

// A footer button may close the drop-down with its ModalResult.
class TFooterButton : public THeaderButton
{
  public:
    explicit TFooterButton(TCollection* Collection) : THeaderButton(Collection) {}
    void Assign(const TPersistent* Source) override;
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

  private:
    TModalResult FModalResult = mrNone;
};

using THeaderButtons = TStripButtons<THeaderButton>;
using TFooterButtons = TStripButtons<TFooterButton>;

// ---- Strip appearances ------------------------------------------------------------------------------

// What a strip of the drop-down window looks like and carries. The owner is the drop-down or grid.
template <class Buttons> class TStripAppearance : public TPersistent
{
  public:
    explicit TStripAppearance(TPersistent* AOwner);
    ~TStripAppearance() override = default;

    TPersistent* GetOwner() const { return FOwner; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value); // fires OnChange when it changes
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    Buttons* ButtonsList() const { return FButtons.get(); }
    void SetButtons(const Buttons* Value) { FButtons->Assign(Value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

  protected:
    // ColorTo, Color, BorderColor, Font and GradientDirection.
    void CopyColors(const TStripAppearance& Source);

    TPersistent* FOwner;
    bool FVisible = true;
    int FHeight = 22;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    QString FCaption;
    TColor FColorTo = clWhite;
    TColor FColor = clSilver;
    TColor FBorderColor = clBlack;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<Buttons> FButtons;
    TGradientDirection FGradientDirection = gdVertical;
    TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TStripAppearance<THeaderButtons>
{
  public:
    explicit THeaderAppearance(TPersistent* AOwner);
    THeaderButtons* Buttons() const { return ButtonsList(); }
    // From a THeaderAppearance only; any other source leaves it unchanged.
    void Assign(const TPersistent* Source) override;
    void AssignColors(const TPersistent* Source);
};

class TFooterAppearance : public TStripAppearance<TFooterButtons>
{
  public:
    explicit TFooterAppearance(TPersistent* AOwner);
    TFooterButtons* Buttons() const { return ButtonsList(); }
    // The footer shows a size grip when the drop-down window is sizeable.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }
    // From a TFooterAppearance only; any other source leaves it unchanged.
    void Assign(const TPersistent* Source) override;
    void AssignColors(const TPersistent* Source);

  private:
    bool FSizeGrip = true;
};

// ---- Push-button appearance -------------------------------------------------------------------------

// Colours and font of the drop-down push buttons; clNone parts are not drawn. Every colour and
// Gradient setter fires OnChange on a change. The checked colours are derived from the hot ones.
class TExtButtonAppearance : public TPersistent
{
  public:
    TExtButtonAppearance();
    ~TExtButtonAppearance() override = default;
    // From a TExtButtonAppearance: all sixteen colours, Gradient and Font; else the layer's error.
    void Assign(const TPersistent* Source) override;

#define DROPDOWN_COLOR_PROPERTY(Name)                                                                        \
    TColor Name() const                                                                                      \
    {                                                                                                        \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(TColor Value)                                                                             \
    {                                                                                                        \
        Store(F##Name, Value);                                                                               \
    }
    DROPDOWN_COLOR_PROPERTY(BorderColor)
    DROPDOWN_COLOR_PROPERTY(BorderColorHot)
    DROPDOWN_COLOR_PROPERTY(BorderColorDown)
    DROPDOWN_COLOR_PROPERTY(BorderColorDisabled)
    DROPDOWN_COLOR_PROPERTY(BorderColorChecked)
    DROPDOWN_COLOR_PROPERTY(Color)
    DROPDOWN_COLOR_PROPERTY(ColorTo)
    DROPDOWN_COLOR_PROPERTY(ColorDown)
    DROPDOWN_COLOR_PROPERTY(ColorDownTo)
    DROPDOWN_COLOR_PROPERTY(ColorHot)
    DROPDOWN_COLOR_PROPERTY(ColorHotTo)
    DROPDOWN_COLOR_PROPERTY(ColorCheckedTo)
    DROPDOWN_COLOR_PROPERTY(ColorDisabled)
    DROPDOWN_COLOR_PROPERTY(ColorDisabledTo)
    DROPDOWN_COLOR_PROPERTY(ColorChecked)
#undef DROPDOWN_COLOR_PROPERTY
    TGradientDirection Gradient() const
    {
        return FGradient;
    }
    void SetGradient(TGradientDirection Value);
    TFont* Font() const
    {
        return FFont.get();
    }
    void SetFont(const TFont* Value)
    {
        FFont->Assign(Value);
    }

    TNotifyEvent OnChange;

  private:
    void Store(TColor& Field, TColor Value);
    void Changed();

    TColor FBorderColor = clNone;
    TColor FBorderColorHot = clGray;
    TColor FBorderColorDown = clNavy;
    TColor FBorderColorDisabled = clGray;
    TColor FBorderColorChecked = clBlue;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorCheckedTo = clNone;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorChecked = clNone;
    TGradientDirection FGradient = gdVertical;
    std::unique_ptr<TFont> FFont;
};
