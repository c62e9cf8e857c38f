// The glyph button: properties, looks, groups, mouse and painting.
#include "grid/base/GridButton.h"

#include "platform/controls/ActnList.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/ClassicDraw.h"

#include <QCursor>
#include <algorithm>
#include <cmath>

namespace
{

constexpr int DefaultWidth = 22;
constexpr int DefaultHeight = 23;
constexpr int GradientSteps = 16;
constexpr int CornerRadius = 8;
constexpr int DropDownWidth = 12;
constexpr TColor ShadeColor = 0x808080;

// The seven colour sets of Look, in order.
struct TGridButtonLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo;
    TColor BorderDownColor, BorderHotColor;
    bool Rounded;
};
constexpr TGridButtonLook Looks[] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE, true},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x007CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080,
     false},
};

// Rounding of the band arithmetic: to the nearest, halves to even.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

void SolidFill(TCanvas* canvas, const TRect& r, TColor color, TColor outline)
{
    canvas->Brush->Style = bsSolid;
    canvas->Brush->Color = color;
    canvas->Pen->Style = psSolid;
    canvas->Pen->Width = 1;
    canvas->Pen->Color = outline == clNone ? color : outline;
    canvas->Rectangle(r);
}

void FrameOnly(TCanvas* canvas, const TRect& r, TColor color)
{
    canvas->Brush->Style = bsClear;
    canvas->Pen->Style = psSolid;
    canvas->Pen->Width = 1;
    canvas->Pen->Color = color;
    canvas->Rectangle(r);
    canvas->Brush->Style = bsSolid;
}

// The visual style's colour scheme name; none without visual styles.
QString CurrentColorScheme()
{
    return QString();
}

} // namespace

void DrawButtonGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, const TRect& R,
                        bool Horizontal, TColor BorderColor)
{
    Steps = std::max(1, Steps);
    const TColor from = ColorToRGB(Color);
    const TColor to = ColorToRGB(ColorTo);
    const int extent = Horizontal ? R.Width() : R.Height();
    const int thick = RoundEven(double(extent) / Steps) + 1;
    const int dr = int(GetRValue(to)) - GetRValue(from);
    const int dg = int(GetGValue(to)) - GetGValue(from);
    const int db = int(GetBValue(to)) - GetBValue(from);
    std::vector<TCanvas::TColorFill> bands;
    TColor last = from;
    for (int n = 0; n < Steps; ++n) {
        last = RGB(uint8_t(GetRValue(from) + RoundEven(double(dr) / Steps * n)),
                   uint8_t(GetGValue(from) + RoundEven(double(dg) / Steps * n)),
                   uint8_t(GetBValue(from) + RoundEven(double(db) / Steps * n)));
        const int start = RoundEven(double(n) * extent / Steps);
        const TRect band =
            Horizontal ? TRect(R.Left + start, R.Top, std::min(R.Right, R.Left + start + thick), R.Bottom)
                       : TRect(R.Left, R.Top + start, R.Right, std::min(R.Bottom, R.Top + start + thick));
        bands.push_back({band, last});
    }
    Canvas->FillRects(bands);
    Canvas->Brush->Style = bsSolid;
    Canvas->Brush->Color = last;
    if (BorderColor != clNone) {
        FrameOnly(Canvas, R, BorderColor);
        Canvas->Brush->Color = last;
    }
}

// ---- Action link ---------------------------------------------------------------------------------------

bool TExtGridButtonActionLink::IsCaptionLinked(const TAction*) const
{
    return !FLinked || FClient->Caption() == FCaption;
}

bool TExtGridButtonActionLink::IsCheckedLinked(const TAction*) const
{
    return FClient->GroupIndex() != 0 && FClient->AllowAllUp() && (!FLinked || FClient->Down() == FChecked);
}

bool TExtGridButtonActionLink::IsGroupIndexLinked(const TAction*) const
{
    return !FLinked || FClient->GroupIndex() == FGroupIndex;
}

void TExtGridButtonActionLink::Update(TAction* Action)
{
    if (IsCaptionLinked(Action))
        FClient->SetCaption(Action->Caption());
    if (IsCheckedLinked(Action))
        FClient->SetDown(Action->Checked());
    if (IsGroupIndexLinked(Action))
        FClient->SetGroupIndex(Action->GroupIndex);
    FLinked = true;
    FCaption = Action->Caption();
    FChecked = Action->Checked();
    FGroupIndex = Action->GroupIndex;
}

// ---- TExtGridButton ------------------------------------------------------------------------------------

TExtGridButton::TExtGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FColorTo(clNone), FColorHot(0xCAC7C7), FColorHotTo(clNone),
      FColorDown(0xD8D3D2), FColorDownTo(clNone), FColorChecked(0x808080), FColorCheckedTo(clNone),
      FBorderColor(clNone), FBorderDownColor(clNone), FBorderHotColor(clNone),
      FGlyph(std::make_unique<TBitmap>()), FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FShadeGlyph(std::make_unique<TBitmap>()), FActionLink(this)
{
    ControlStyle = csCaptureMouse | csDoubleClicks;
    SetBounds(0, 0, DefaultWidth, DefaultHeight);
    SetColor(clBtnFace);
    SetParentFont(true);
}

TExtGridButton::~TExtGridButton() = default;

template <class T> void TExtGridButton::SetAndRepaint(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TExtGridButton::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Changed();
}
void TExtGridButton::SetColorHot(TColor Value)
{
    FColorHot = Value;
    Changed();
}
void TExtGridButton::SetColorHotTo(TColor Value)
{
    FColorHotTo = Value;
    Changed();
}
void TExtGridButton::SetColorDown(TColor Value)
{
    FColorDown = Value;
    Changed();
}
void TExtGridButton::SetColorDownTo(TColor Value)
{
    FColorDownTo = Value;
    Changed();
}
void TExtGridButton::SetColorChecked(TColor Value)
{
    FColorChecked = Value;
    Changed();
}
void TExtGridButton::SetColorCheckedTo(TColor Value)
{
    FColorCheckedTo = Value;
    Changed();
}
void TExtGridButton::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Changed();
}
void TExtGridButton::SetBorderDownColor(TColor Value)
{
    FBorderDownColor = Value;
    Changed();
}
void TExtGridButton::SetBorderHotColor(TColor Value)
{
    FBorderHotColor = Value;
    Changed();
}

void TExtGridButton::SetFlat(bool Value)
{
    SetAndRepaint(FFlat, Value);
}

void TExtGridButton::SetRounded(bool Value)
{
    FRounded = Value;
    Changed();
}

void TExtGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value && !(ComponentState() & csLoading))
        BuildShadeGlyph();
    Changed();
}

void TExtGridButton::SetShowCaption(bool Value)
{
    SetAndRepaint(FShowCaption, Value);
}

void TExtGridButton::SetLayout(TFadeButtonLayout Value)
{
    SetAndRepaint(FLayout, Value);
}

void TExtGridButton::SetMargin(int Value)
{
    if (Value >= -1)
        SetAndRepaint(FMargin, Value);
}

void TExtGridButton::SetSpacing(int Value)
{
    SetAndRepaint(FSpacing, Value);
}

void TExtGridButton::SetStyle(TExtGridButtonStyle Value)
{
    FStyle = Value;
    Changed();
}

void TExtGridButton::SetDropDownButton(bool Value)
{
    FDropDownButton = Value;
    Changed();
}

void TExtGridButton::SetDropDownMenu(TPopupMenu* Value)
{
    ChangeReference(FDropDownMenu, Value);
}

void TExtGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
}

// -- Glyphs --

void TExtGridButton::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyph->SetTransparent(true);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
        // Grey copy: each channel becomes round(mean of R, G, B) div 2 + 96.
        FGlyphDisabled->Assign(FGlyph.get());
        FGlyphDisabled->SetPixelFormat(pf24bit);
        for (int y = 0; y < FGlyphDisabled->Height(); ++y) {
            uint8_t* p = FGlyphDisabled->ScanLine(y);
            for (int x = 0; x < FGlyphDisabled->Width(); ++x, p += 3) {
                const uint8_t grey = uint8_t(RoundEven((p[0] + p[1] + p[2]) / 3.0) / 2 + 96);
                p[0] = p[1] = p[2] = grey;
            }
        }
        FGlyphDisabled->SetTransparent(true);
    }
    Changed();
}

void TExtGridButton::SetGlyphHot(const TBitmap* Value)
{
    FGlyphHot->Assign(Value);
    FGlyphHot->SetTransparent(true);
    Changed();
}

void TExtGridButton::SetGlyphDown(const TBitmap* Value)
{
    FGlyphDown->Assign(Value);
    FGlyphDown->SetTransparent(true);
    Changed();
}

void TExtGridButton::SetGlyphDisabled(const TBitmap* Value)
{
    FGlyphDisabled->Assign(Value);
    FGlyphDisabled->SetTransparent(true);
    Changed();
}

void TExtGridButton::BuildShadeGlyph()
{
    if (FGlyph->Empty())
        return;
    const int w = FGlyph->Width(), h = FGlyph->Height();
    const TColor transparent = ColorToRGB(FGlyph->Canvas->GetPixel(0, h - 1));
    FShadeGlyph->SetPixelFormat(pf24bit);
    FShadeGlyph->SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor c = ColorToRGB(FGlyph->Canvas->GetPixel(x, y));
            FShadeGlyph->Canvas->SetPixel(x, y, c == transparent ? transparent : ShadeColor);
        }
    FShadeGlyph->SetTransparent(true);
}

void TExtGridButton::Loaded()
{
    TGraphicControl::Loaded();
    if (FShaded)
        BuildShadeGlyph();
    if (FAutoThemeAdapt)
        ThemeAdapt();
}

// -- Looks --

void TExtGridButton::SetLook(int Value)
{
    if (Value < 0 || Value > 6)
        return;
    const TGridButtonLook& l = Looks[Value];
    SetColor(l.Color);
    SetColorTo(l.ColorTo);
    SetColorHot(l.ColorHot);
    SetColorHotTo(l.ColorHotTo);
    SetColorDown(l.ColorDown);
    SetColorDownTo(l.ColorDownTo);
    SetColorChecked(l.ColorChecked);
    SetColorCheckedTo(l.ColorCheckedTo);
    SetBorderDownColor(l.BorderDownColor);
    SetBorderHotColor(l.BorderHotColor);
    SetRounded(l.Rounded);
    SetBorderColor(clNone);
    SetFlat(true);
}

void TExtGridButton::ThemeAdapt()
{
    const QString scheme = CurrentColorScheme();
    if (scheme == "NormalColor")
        SetLook(2);
    else if (scheme == "HomeStead")
        SetLook(3);
    else if (scheme == "Metallic")
        SetLook(4);
    else
        SetLook(1);
}

void TExtGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value && !(ComponentState() & csLoading))
        ThemeAdapt();
}

void TExtGridButton::HandleSysColorChange()
{
    if (FAutoThemeAdapt)
        ThemeAdapt();
    TGraphicControl::HandleSysColorChange();
}

// -- Groups --

void TExtGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle != tasCheck)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Changed();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp)
            Changed();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Changed();
    }
    if (Value)
        UpdateExclusive();
}

void TExtGridButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value)
        return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TExtGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value)
        return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TExtGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TExtGridButton*>(Parent()->Controls(i)); other && other != this)
            other->GroupNotice(this);
}

void TExtGridButton::GroupNotice(TExtGridButton* Sender)
{
    if (Sender->FGroupIndex != FGroupIndex)
        return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        if (Action())
            Action()->SetChecked(false);
        Changed();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

// -- Mouse --

void TExtGridButton::UpdateTracking(bool Over)
{
    const bool hot = Over && Enabled() && !FDragging && GetCaptureControl() == nullptr;
    if (hot == FMouseInControl)
        return;
    FMouseInControl = hot;
    Changed();
    if (hot)
        TGraphicControl::HandleMouseEnter();
    else
        TGraphicControl::HandleMouseLeave();
}

void TExtGridButton::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::HandleMouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (FDropDownButton && X > ClientWidth() - DropDownWidth) {
        FState = bsUp;
        Changed();
        // The menu takes the mouse from here.
        if (GetCaptureControl() == this)
            SetCaptureControl(nullptr);
        if (OnDropDown)
            OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint at = ClientToScreen(TPoint(0, Height()));
            FDropDownMenu->PopupComponent = this;
            FDropDownMenu->Popup(at.X, at.Y);
        }
        return;
    }
    if (!FDown || FStyle == tasCheck) {
        FState = bsDown;
        Changed();
    }
    FDragging = true;
}

void TExtGridButton::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::HandleMouseMove(Shift, X, Y);
    if (!FDragging) {
        if (!FMouseInControl)
            UpdateTracking(true);
        return;
    }
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight())
        state = FDown ? (FStyle == tasCheck ? bsDown : bsExclusive) : bsDown;
    if (state != FState) {
        FState = state;
        Changed();
    }
}

void TExtGridButton::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::HandleMouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft)
        return;
    FDragging = false;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        // A press taken off the button before its release is no click, and toggles nothing.
        if (FStyle == tasCheck && inside) {
            SetDown(!FDown);
            FState = bsUp;
        }
        Changed();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            Changed();
    } else {
        if (FDown)
            FState = bsExclusive;
        Changed();
    }
    if (inside)
        Click();
    UpdateTracking(inside);
}

void TExtGridButton::HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    HandleMouseDown(Button, Shift | ssDouble, X, Y);
    if (Button == mbLeft && FDown)
        DblClick();
}

void TExtGridButton::HandleMouseEnter()
{
    if (Enabled() && !FDragging && GetCaptureControl() == nullptr && !FMouseInControl) {
        FMouseInControl = true;
        Changed();
    }
    TGraphicControl::HandleMouseEnter();
}

void TExtGridButton::HandleMouseLeave()
{
    if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        Changed();
    }
    TGraphicControl::HandleMouseLeave();
}

void TExtGridButton::HandleEnabledChanged()
{
    TGraphicControl::HandleEnabledChanged();
    if (Widget())
        UpdateTracking(Widget()->rect().contains(Widget()->mapFromGlobal(QCursor::pos())));
    Changed();
}

void TExtGridButton::HandleFontChanged()
{
    TGraphicControl::HandleFontChanged();
    Changed();
}

void TExtGridButton::HandleTextChanged()
{
    TGraphicControl::HandleTextChanged();
    Changed();
}

bool TExtGridButton::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    if (IsAccel(Key, Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        return true;
    }
    return TGraphicControl::HandleDialogChar(Key, Shift);
}

void TExtGridButton::HandleActionChange(TAction* Sender)
{
    FActionLink.Update(Sender);
    SetEnabled(Sender->Enabled());
    SetHint(Sender->Hint());
    SetVisible(Sender->Visible());
}

// -- Painting --

void TExtGridButton::Paint()
{
    // 1. State fix-up.
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    TButtonState state = FState;
    if (FStyle == tasCheck && FDown)
        state = bsDown;
    const bool designing = (ComponentState() & csDesigning) != 0;
    const bool hot = FMouseInControl && Enabled() && !designing;
    const bool pushed = state == bsDown || state == bsExclusive;

    // 2.
    Canvas->Font->Assign(Font);
    TRect R = ClientRect();

    if (FFlat) {
        // 3. Flat background.
        if (FBorderDownColor == clNone || FRounded)
            InflateRect(R, -1, -1);
        if (!hot) {
            if (FStyle == tasCheck && FDown) {
                DrawButtonGradient(Canvas, FColorChecked,
                                   FColorCheckedTo == clNone ? FColorChecked : FColorCheckedTo, GradientSteps,
                                   R, false, FBorderDownColor);
            } else {
                if (FColorTo == clNone) {
                    Canvas->Brush->Style = bsSolid;
                    Canvas->Brush->Color = Color();
                    Canvas->FillRect(R);
                } else {
                    const TColor frame =
                        FRounded ? clNone : (state == bsDown ? FBorderDownColor : FBorderColor);
                    DrawButtonGradient(Canvas, Color(), FColorTo, GradientSteps, R, false, frame);
                }
                if (FBorderColor != clNone) {
                    if (FRounded) {
                        TRect outer = R;
                        InflateRect(outer, 1, 1);
                        Canvas->Pen->Style = psSolid;
                        Canvas->Pen->Width = 1;
                        Canvas->Pen->Color = FBorderColor;
                        Canvas->RoundRect(outer.Left, outer.Top, outer.Right, outer.Bottom, CornerRadius,
                                          CornerRadius);
                    } else {
                        FrameOnly(Canvas, R, FBorderColor);
                    }
                }
            }
        } else {
            TColor from = FColorHot, to = FColorHotTo, frame = FBorderHotColor;
            if (FStyle == tasCheck && FDown && FState != bsDown) {
                from = FColorChecked;
                to = FColorCheckedTo;
                frame = FBorderDownColor;
            } else if (state == bsDown) {
                from = FColorDown;
                to = FColorDownTo;
                frame = FBorderDownColor;
            }
            if (to == clNone) {
                if (FRounded) {
                    Canvas->Brush->Style = bsSolid;
                    Canvas->Brush->Color = from;
                    Canvas->FillRect(R);
                } else {
                    SolidFill(Canvas, R, from, frame);
                }
            } else {
                DrawButtonGradient(Canvas, from, to, GradientSteps, R, false, FRounded ? clNone : frame);
            }
            if (FRounded && frame != clNone) {
                TRect outer = R;
                InflateRect(outer, 1, 1);
                Canvas->Brush->Style = bsClear;
                Canvas->Pen->Style = psSolid;
                Canvas->Pen->Width = 1;
                Canvas->Pen->Color = frame;
                Canvas->RoundRect(outer.Left, outer.Top, outer.Right, outer.Bottom, CornerRadius,
                                  CornerRadius);
                Canvas->Brush->Style = bsSolid;
            }
            if (FDropDownButton && frame != clNone) {
                Canvas->Pen->Color = frame;
                Canvas->MoveTo(R.Right - DropDownWidth, R.Top);
                Canvas->LineTo(R.Right - DropDownWidth, R.Bottom);
            }
        }
        InflateRect(R, -1, -1);
    } else {
        // 4. Raised: no visual styles here, so always the classic frame.
        DrawFrameControl(Canvas->Handle(), R, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        InflateRect(R, -2, -2);
    }

    // 5. Content offset.
    TPoint offset(0, 0);
    if (pushed) {
        if (state == bsExclusive && (!hot || !FFlat)) {
            TRect checked = R;
            InflateRect(checked, 1, 1);
            DrawButtonGradient(Canvas, FColorChecked,
                               FColorCheckedTo == clNone ? FColorChecked : FColorCheckedTo, GradientSteps,
                               checked, false, clNone);
        }
        if (!FFlat && !designing)
            offset = TPoint(1, 1);
    }
    if (FFlat && Enabled() && FShaded && hot && state != bsDown)
        offset = TPoint(-1, -1);

    // 6. Drop-down part.
    if (FDropDownButton) {
        const int mid = (R.Top + R.Bottom) / 2;
        const TColor ink = ColorToRGB(Font->Color);
        Canvas->Pen->Style = psSolid;
        Canvas->Pen->Color = ink;
        Canvas->Brush->Style = bsSolid;
        Canvas->Brush->Color = ink;
        Canvas->Polygon({TPoint(R.Right - 8, mid), TPoint(R.Right - 4, mid), TPoint(R.Right - 6, mid + 2)});
        R.Right -= DropDownWidth;
    }

    // 7. Content.
    DrawContent(R, offset, FDown && FGroupIndex != 0 ? bsDown : state, hot);
}

void TExtGridButton::DrawContent(TRect R, TPoint Offset, TButtonState DrawState, bool Hot)
{
    const QString caption = Caption();
    constexpr uint32_t TextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    const bool pressed = DrawState == bsDown || DrawState == bsExclusive;

    // Layout.
    TPoint textSize(0, 0);
    if (!caption.isEmpty()) {
        TRect measure(0, 0, R.Width(), 0);
        Canvas->DrawText(caption, measure, TextFlags | DT_CALCRECT);
        textSize = TPoint(measure.Width(), measure.Height());
    }
    const TPoint glyphSize = FGlyph->Empty() ? TPoint(0, 0) : TPoint(FGlyph->Width(), FGlyph->Height());
    const int w = R.Width(), h = R.Height();
    TPoint glyphPos, textPos;
    const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    if (horizontal) {
        glyphPos.Y = (h - glyphSize.Y + 1) / 2;
        textPos.Y = (h - textSize.Y + 1) / 2;
    } else {
        glyphPos.X = (w - glyphSize.X + 1) / 2;
        textPos.X = (w - textSize.X + 1) / 2;
    }
    const int extent = horizontal ? w : h;
    const int g = horizontal ? glyphSize.X : glyphSize.Y;
    const int t = horizontal ? textSize.X : textSize.Y;
    int margin = FMargin, spacing = FSpacing;
    if (g == 0 || t == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1)
            margin = spacing = (extent - g - t) / 3;
        else
            margin = (extent - g - spacing - t + 1) / 2;
    } else if (spacing == -1) {
        spacing = (extent - margin - g - t) / 2;
    }
    switch (FLayout) {
    case blGlyphLeft:
        glyphPos.X = margin;
        textPos.X = glyphPos.X + g + spacing;
        break;
    case blGlyphRight:
        glyphPos.X = extent - margin - g;
        textPos.X = glyphPos.X - spacing - t;
        break;
    case blGlyphTop:
        glyphPos.Y = margin;
        textPos.Y = glyphPos.Y + g + spacing;
        break;
    case blGlyphBottom:
        glyphPos.Y = extent - margin - g;
        textPos.Y = glyphPos.Y - spacing - t;
        break;
    }
    glyphPos = TPoint(glyphPos.X + R.Left + Offset.X, glyphPos.Y + R.Top + Offset.Y);
    textPos = TPoint(textPos.X + R.Left + Offset.X, textPos.Y + R.Top + Offset.Y);
    // Without a caption the glyph sits in the corner.
    if (caption.isEmpty())
        glyphPos = TPoint(0, 0);

    // Glyph.
    const TBitmap* glyph = FGlyph.get();
    if (pressed) {
        if (!FGlyphDown->Empty())
            glyph = FGlyphDown.get();
    } else if (Hot) {
        if (!FGlyphHot->Empty())
            glyph = FGlyphHot.get();
    } else if (!Enabled()) {
        if (!FGlyphDisabled->Empty())
            glyph = FGlyphDisabled.get();
    }
    if (!glyph->Empty()) {
        if (FShaded && Hot && Enabled() && DrawState != bsDown && !FShadeGlyph->Empty()) {
            const TPoint shade = caption.isEmpty() ? glyphPos : TPoint(glyphPos.X + 2, glyphPos.Y + 2);
            Canvas->Draw(shade.X, shade.Y, FShadeGlyph.get());
        }
        Canvas->Draw(glyphPos.X, glyphPos.Y, glyph);
    }

    // Caption.
    if (caption.isEmpty() || !FShowCaption)
        return;
    if (FFlat && FShaded && Enabled() && Hot && !pressed)
        textPos = TPoint(textPos.X + 1, textPos.Y + 1);
    TRect textRect(textPos.X, textPos.Y, textPos.X + textSize.X, textPos.Y + textSize.Y);
    Canvas->Brush->Style = bsClear;
    Canvas->SetBkMode(TRANSPARENT);
    if (!Enabled()) {
        TRect lit = textRect;
        OffsetRect(lit, 1, 1);
        Canvas->Font->Color = clBtnHighlight;
        Canvas->DrawText(caption, lit, TextFlags);
        Canvas->Font->Color = clBtnShadow;
    }
    Canvas->DrawText(caption, textRect, TextFlags);
    Canvas->Brush->Style = bsSolid;
}
