// Header, footer and push-button appearances of the drop-down window.
#include "grid/dropdown/DropDownAppearance.h"

#include <typeinfo>

// ---- Strip buttons ----------------------------------------------------------------------------------

void THeaderButton::NotifyChanged()
{
    if (auto* headers = dynamic_cast<THeaderButtons*>(Collection()))
        headers->ItemChanged();
    else if (auto* footers = dynamic_cast<TFooterButtons*>(Collection()))
        footers->ItemChanged();
}

void THeaderButton::SetCaption(const QString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    NotifyChanged();
}

void THeaderButton::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    NotifyChanged();
}

void THeaderButton::SetWidth(int Value)
{
    if (FWidth == Value)
        return;
    FWidth = Value;
    NotifyChanged();
}

void THeaderButton::Assign(const TPersistent* Source)
{
    // Header and footer items are different kinds even though one extends the other here.
    const auto* source = dynamic_cast<const THeaderButton*>(Source);
    if (!source || typeid(*source) != typeid(*this)) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(source->FCaption);
    FImageIndex = source->FImageIndex;
    SetEnabled(source->FEnabled);
    SetWidth(source->FWidth);
    SetHeight(source->FHeight);
}

void TFooterButton::Assign(const TPersistent* Source)
{
    THeaderButton::Assign(Source);
    FModalResult = static_cast<const TFooterButton*>(Source)->FModalResult;
}

// ---- Strip appearances ------------------------------------------------------------------------------

template <class Buttons>
TStripAppearance<Buttons>::TStripAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<Buttons>(AOwner))
{
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged)
            OnButtonsChanged(this);
    };
}

template <class Buttons> void TStripAppearance<Buttons>::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    if (OnChange)
        OnChange(this);
}

template <class Buttons> void TStripAppearance<Buttons>::CopyColors(const TStripAppearance& Source)
{
    FColorTo = Source.FColorTo;
    FColor = Source.FColor;
    FBorderColor = Source.FBorderColor;
    FFont->Assign(Source.FFont.get());
    FGradientDirection = Source.FGradientDirection;
}

template class TStripAppearance<THeaderButtons>;
template class TStripAppearance<TFooterButtons>;

THeaderAppearance::THeaderAppearance(TPersistent* AOwner) : TStripAppearance(AOwner)
{
    FFont->Name = TFont::DefaultName;
}

void THeaderAppearance::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const THeaderAppearance*>(Source);
    if (!source)
        return;
    CopyColors(*source);
    FCaption = source->FCaption;
    FImageIndex = source->FImageIndex;
    FBorderWidth = source->FBorderWidth;
    FHeight = source->FHeight;
    SetVisible(source->FVisible);
    FButtonAlignment = source->FButtonAlignment;
    FButtons->Assign(source->FButtons.get());
}

void THeaderAppearance::AssignColors(const TPersistent* Source)
{
    if (const auto* source = dynamic_cast<const THeaderAppearance*>(Source))
        CopyColors(*source);
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner) : TStripAppearance(AOwner) {}

void TFooterAppearance::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TFooterAppearance*>(Source);
    if (!source)
        return;
    CopyColors(*source);
    FCaption = source->FCaption;
    FSizeGrip = source->FSizeGrip;
    FBorderWidth = source->FBorderWidth;
    FHeight = source->FHeight;
    FImageIndex = source->FImageIndex;
    SetVisible(source->FVisible);
    FButtonAlignment = source->FButtonAlignment;
    FButtons->Assign(source->FButtons.get());
}

void TFooterAppearance::AssignColors(const TPersistent* Source)
{
    if (const auto* source = dynamic_cast<const TFooterAppearance*>(Source))
        CopyColors(*source);
}

// ---- Push-button appearance -------------------------------------------------------------------------

TExtButtonAppearance::TExtButtonAppearance() : FFont(std::make_unique<TFont>())
{
    FFont->Name = "Tahoma";
    // 90 % of the hot colours' red and green.
    FColorChecked = ShadeColor(FColorHot, -10, -10, 0);
    FColorCheckedTo = ShadeColor(FColorHotTo, -10, -10, 0);
}

void TExtButtonAppearance::Store(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TExtButtonAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TExtButtonAppearance::SetGradient(TGradientDirection Value)
{
    if (FGradient == Value)
        return;
    FGradient = Value;
    Changed();
}

void TExtButtonAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExtButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetColorChecked(s->FColorChecked);
    SetGradient(s->FGradient);
    FFont->Assign(s->FFont.get());
}
