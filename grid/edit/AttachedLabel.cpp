// TAttachedLabel: the label beside the flat combo box and the date-time picker.
#include "grid/edit/AttachedLabel.h"

#include "platform/graphics/Canvas.h"

TAttachedLabel::TAttachedLabel(TWinControl* Control) : FControl(Control), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TGraphicsObject*) {
        if (FLabel)
            Update();
        if (OnFontChange)
            OnFontChange();
    };
}

TAttachedLabel::~TAttachedLabel()
{
    FFont->OnChange = nullptr;
    if (FLabel) {
        // Cleared first: the control hears of the removal and must not find it again.
        TLabel* label = FLabel;
        FLabel = nullptr;
        label->SetParent(nullptr);
        delete label;
    }
}

QString TAttachedLabel::Caption() const
{
    return FLabel ? FLabel->Caption() : QString();
}

void TAttachedLabel::SetCaption(const QString& Value)
{
    if (!FLabel)
        Create();
    FLabel->SetCaption(Value);
    Update();
}

void TAttachedLabel::SetPosition(TLabelPosition Value)
{
    FPosition = Value;
    if (FLabel)
        Update();
}

void TAttachedLabel::SetMargin(int Value)
{
    FMargin = Value;
    if (FLabel)
        Update();
}

void TAttachedLabel::SetTransparent(bool Value)
{
    FTransparent = Value;
    if (FLabel)
        Update();
}

void TAttachedLabel::SetAlwaysEnabled(bool Value)
{
    FAlwaysEnabled = Value;
    if (!FLabel)
        return;
    FLabel->SetEnabled(Value || FControl->Enabled());
    Update();
}

void TAttachedLabel::SetFont(const TFont* Value)
{
    if (FControl->ParentFont() || !Value)
        return;
    FFont->Assign(Value);
}

void TAttachedLabel::Create()
{
    FLabel = new TLabel(FControl);
    FLabel->SetParent(FControl->Parent());
    FLabel->SetFocusControl(FControl);
    FLabel->Font->Assign(FFont.get());
    FLabel->SetParentFont(FControl->ParentFont());
    if (OnCreate)
        OnCreate(FLabel);
}

void TAttachedLabel::ApplyFont()
{
    TFont font;
    font.Assign(FControl->ParentFont() ? FControl->Font : FFont.get());
    if (FBold)
        font.Style = TFontStyles(font.Style | fsBold);
    FLabel->Font->Assign(&font);
}

void TAttachedLabel::Update()
{
    if (!FLabel)
        return;
    FLabel->SetTransparent(FTransparent);
    ApplyFont();
    TRect calc(0, 0, 1000, 255);
    DrawText(FLabel->Canvas, FLabel->Caption(), -1, calc, DT_CALCRECT | DT_HIDEPREFIX);
    const TPoint at = PlaceLabel(FPosition, FControl->BoundsRect(), calc.Width(), FLabel->Width(),
                                 FLabel->Height(), FMargin);
    FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(FControl->Visible());
}

void TAttachedLabel::ControlParent(TWinControl* AParent)
{
    if (!FLabel)
        return;
    FLabel->SetParent(AParent);
    Update();
}

void TAttachedLabel::ControlVisible(bool Value)
{
    if (FLabel)
        FLabel->SetVisible(Value);
}

void TAttachedLabel::ControlEnabled(bool Value)
{
    if (!FLabel || FAlwaysEnabled)
        return;
    FLabel->SetEnabled(Value);
    Update();
}

void TAttachedLabel::ControlFontChanged()
{
    if (FLabel && FControl->ParentFont())
        Update();
}

void TAttachedLabel::ControlFocused(bool Focused)
{
    if (FBold == Focused)
        return;
    FBold = Focused;
    if (FLabel)
        ApplyFont();
}

void TAttachedLabel::Loaded()
{
    if (!FLabel)
        return;
    FLabel->SetEnabled(FAlwaysEnabled || FControl->Enabled());
    Update();
}

void TAttachedLabel::Forget(TComponent* AComponent)
{
    if (AComponent && AComponent == FLabel)
        FLabel = nullptr;
}
