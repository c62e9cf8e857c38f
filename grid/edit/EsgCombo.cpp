// TEsgCustomCombo: borders, drop button, focus colours and the attached label of the flat combo box.
#include "grid/edit/EsgCombo.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/ClassicDraw.h"

#include <QGuiApplication>
#include <QPainter>

namespace
{
bool MouseButtonDown()
{
    return (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)) != 0;
}
} // namespace

TEsgCustomCombo::TEsgCustomCombo(TComponent* AOwner)
    : TComboBox(AOwner), FLabelFont(std::make_unique<TFont>())
{
    FLabelFont->OnChange = [this](TGraphicsObject*) { LabelFontChanged(); };
    FNormalColor = Color();
    FOldColor = Color();
}

TEsgCustomCombo::~TEsgCustomCombo()
{
    Destroying();
    FLabelFont->OnChange = nullptr;
    // The label is an owned component: the component destructor frees it.
}

void TEsgCustomCombo::Init()
{
    FNormalColor = Color();
}

void TEsgCustomCombo::SelectItem(const QString& AString)
{
    const int i = Items->IndexOf(AString);
    if (i >= 0)
        SetItemIndex(i);
}

void TEsgCustomCombo::Loaded()
{
    TComboBox::Loaded();
    FLoadedColor = Color();
    if (FDropWidth > 0)
        SetDroppedWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat)
        SetColor(FLoadedColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled)
            FLabel->SetEnabled(Enabled());
        if (ParentFont())
            FLabel->Font->Assign(Font);
        UpdateLabel();
    }
    Init();
}

// ---- Settings ----------------------------------------------------------------------------------------

void TEsgCustomCombo::SetFlat(bool Value)
{
    if (FFlat == Value)
        return;
    FFlat = Value;
    if (Value && FFlatParentColor) {
        if (Parent())
            SetColor(Parent()->Color());
    } else {
        SetColor(FLoadedColor);
    }
    Invalidate();
}

void TEsgCustomCombo::SetEtched(bool Value)
{
    if (FEtched == Value)
        return;
    FEtched = Value;
    Invalidate();
}

void TEsgCustomCombo::SetButtonWidth(int Value)
{
    if (Value < MinButtonWidth || Value > MaxButtonWidth)
        return;
    FButtonWidth = Value;
    Invalidate();
}

void TEsgCustomCombo::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetDropWidth(int Value)
{
    FDropWidth = Value;
    if (Value > 0)
        SetDroppedWidth(Value);
}

// ---- Label ---------------------------------------------------------------------------------------------

QString TEsgCustomCombo::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : QString();
}

void TEsgCustomCombo::SetLabelCaption(const QString& Value)
{
    if (!FLabel)
        CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TEsgCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    if (FLabel)
        UpdateLabel();
}

void TEsgCustomCombo::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    if (FLabel)
        UpdateLabel();
}

void TEsgCustomCombo::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    if (FLabel)
        UpdateLabel();
}

void TEsgCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (FLabel)
        UpdateLabel();
}

void TEsgCustomCombo::SetLabelFont(const TFont* Value)
{
    if (ParentFont() || !Value)
        return;
    FLabelFont->Assign(Value);
    if (FLabel)
        UpdateLabel();
}

void TEsgCustomCombo::CreateLabel()
{
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
}

void TEsgCustomCombo::UpdateLabel()
{
    FLabel->SetTransparent(FLabelTransparent);
    if (!ParentFont())
        FLabel->Font->Assign(FLabelFont.get());
    TRect calc(0, 0, 1000, 255);
    DrawText(FLabel->Canvas, FLabel->Caption(), -1, calc, DT_CALCRECT | DT_HIDEPREFIX);
    const TPoint at = PlaceLabel(FLabelPosition, BoundsRect(), calc.Width(), FLabel->Width(),
                                 FLabel->Height(), FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TEsgCustomCombo::LabelFontChanged()
{
    if (FLabel)
        UpdateLabel();
    if (Designing() && !(ComponentState() & csLoading))
        SetParentFont(false);
}

void TEsgCustomCombo::SetLabelBold(bool Bold)
{
    if (!FocusLabel || !FLabel)
        return;
    if (Bold)
        FLabel->Font->Style = TFontStyles(FLabel->Font->Style | fsBold);
    else
        FLabel->Font->Style = TFontStyles(FLabel->Font->Style & ~fsBold);
}

void TEsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!IsDestroying() && FLabel)
        UpdateLabel();
}

void TEsgCustomCombo::SetVisible(bool Value)
{
    TComboBox::SetVisible(Value);
    if (FLabel)
        FLabel->SetVisible(Value);
}

void TEsgCustomCombo::SetEnabled(bool Value)
{
    const bool changed = Value != Enabled();
    if (changed && FFlat && !(ComponentState() & csLoading)) {
        // A flat combo shows its parent's colour while disabled.
        if (Value) {
            SetParentColor(FOldParentColor);
            SetColor(FOldColor);
        } else {
            FOldParentColor = ParentColor();
            FOldColor = Color();
            SetParentColor(true);
        }
    }
    TComboBox::SetEnabled(Value);
    if (changed && FLabel && !FLabelAlwaysEnabled && !(ComponentState() & (csLoading | csDesigning))) {
        FLabel->SetEnabled(Value);
        UpdateLabel();
    }
}

void TEsgCustomCombo::HandleFontChanged()
{
    TComboBox::HandleFontChanged();
    if (FLabel && ParentFont()) {
        FLabel->Font->Assign(Font);
        UpdateLabel();
    }
}

// ---- Focus and mouse -----------------------------------------------------------------------------------

void TEsgCustomCombo::ApplyFocusColor(bool Focused)
{
    if (Focused) {
        if (FocusColor != clNone)
            SetColor(FocusColor);
    } else if (FocusColor != clNone && FNormalColor != clNone) {
        SetColor(FNormalColor);
    }
}

void TEsgCustomCombo::DoEnter()
{
    TComboBox::DoEnter();
    if (Designing())
        return;
    FHasFocus = true;
    DrawBorders();
    ApplyFocusColor(true);
    SetLabelBold(true);
}

void TEsgCustomCombo::DoExit()
{
    TComboBox::DoExit();
    if (Designing())
        return;
    FHasFocus = false;
    DrawBorders();
    ApplyFocusColor(false);
    SetLabelBold(false);
}

void TEsgCustomCombo::HandleSetFocus()
{
    TComboBox::HandleSetFocus();
    if (FocusBorderColor != clNone)
        Invalidate();
    ApplyFocusColor(true);
    SetLabelBold(true);
}

void TEsgCustomCombo::HandleKillFocus()
{
    TComboBox::HandleKillFocus();
    ApplyFocusColor(false);
    SetLabelBold(false);
    Invalidate();
}

void TEsgCustomCombo::HandleMouseEnter()
{
    TComboBox::HandleMouseEnter();
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        DrawBorders();
    }
    if (AutoFocus && !Designing() && CanFocus()) {
        TCustomForm* form = GetParentForm(this);
        if (!form || (form->Widget() && form->Widget()->isActiveWindow()))
            SetFocus();
    }
    if (IsWinXP)
        Invalidate();
}

void TEsgCustomCombo::HandleMouseLeave()
{
    TComboBox::HandleMouseLeave();
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        DrawBorders();
    }
    FButtonHover = false;
    if (IsWinXP)
        Invalidate();
}

void TEsgCustomCombo::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TComboBox::HandleMouseMove(Shift, X, Y);
    const bool over = X > Width() - FButtonWidth && X < Width();
    if (over != FButtonHover) {
        FButtonHover = over;
        Invalidate();
    }
}

void TEsgCustomCombo::HandleCNCommand(TMessage& Message)
{
    TComboBox::HandleCNCommand(Message);
    const WORD code = HiWord(Message.WParam);
    if (code != CBN_DROPDOWN && code != CBN_CLOSEUP)
        return;
    if (Widget())
        Widget()->update(ClientWidth() - FButtonWidth, 0, FButtonWidth, ClientHeight());
    if (code == CBN_CLOSEUP && OnDropUp)
        OnDropUp(this);
}

// ---- Painting ------------------------------------------------------------------------------------------

bool TEsgCustomCombo::IsActive() const
{
    if (Designing())
        return Enabled();
    return FMouseInControl || Focused();
}

bool TEsgCustomCombo::NeedsCustomPaint() const
{
    if (IsVista && ButtonColor == clNone)
        return false;
    // Themes are never in use here, so a disabled combo asks for nothing of its own.
    return FFlat || ButtonColor != clNone || FBorderColor != clNone ||
           (FocusBorderColor != clNone && FHasFocus);
}

bool TEsgCustomCombo::CustomPaint() const
{
    return NeedsCustomPaint();
}

void TEsgCustomCombo::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    // The contents first (the toolkit's own painting), then button and borders over them.
    link.NativePaint(event);
    QPainter painter(Widget());
    TCanvas canvas;
    TCanvasPainterBinding binding(canvas, painter);
    GuardedDispatch([&] {
        if (Style() != csSimple) {
            // The contents' share of the button zone is covered before the button is drawn.
            canvas.Brush->Color = Color();
            canvas.Brush->Style = bsSolid;
            canvas.FillRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth(), ClientHeight()));
            DrawButton(canvas);
        }
        DrawControlBorder(canvas);
        if (Style() != csSimple && !(IsWinXP && IsThemeActive()))
            DrawButtonFrame(canvas);
    });
}

void TEsgCustomCombo::DrawButton(TCanvas& Canvas)
{
    TRect b(0, 0, Width(), Height());
    b.Left += ClientWidth() - FButtonWidth + 2;
    b = TRect(b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1);
    const bool down = MouseButtonDown();
    if (ButtonColor != clNone) {
        TColor face = ButtonColor;
        if (FButtonHover && ButtonColorHot != clNone)
            face = ButtonColorHot;
        if (down && FButtonHover && ButtonColorDown != clNone)
            face = ButtonColorDown;
        Canvas.Brush->Color = face;
        Canvas.Brush->Style = bsSolid;
        Canvas.Pen->Color = face;
        b = TRect(b.Left - 1, b.Top + 1, b.Right - 1, b.Bottom - 1);
        Canvas.FillRect(b);
        Canvas.Pen->Color = ButtonBorderColor;
        Canvas.MoveTo(b.Left, b.Top);
        Canvas.LineTo(b.Left, b.Bottom);
        const TColor arrow = down && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        Canvas.Pen->Color = arrow;
        Canvas.Brush->Color = arrow;
        Canvas.Polygon(
            {TPoint(b.Left + 4, b.Top + 7), TPoint(b.Left + 10, b.Top + 7), TPoint(b.Left + 7, b.Top + 10)});
    } else {
        // Classic frame control: themes are never in use here.
        b = TRect(b.Left - 4, b.Top + 1, b.Right, b.Bottom - 1);
        DrawFrameControl(&Canvas, b, DFC_SCROLL,
                         Enabled() ? DFCS_SCROLLCOMBOBOX | DFCS_FLAT : DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    }
}

void TEsgCustomCombo::DrawBorders()
{
    // Outside a paint event the borders follow from the state at the next paint.
    if (Widget())
        Widget()->update();
}

void TEsgCustomCombo::DrawControlBorder(TCanvas& Canvas)
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FocusBorderColor == clNone)
        return;
    if (IsVista && FBorderColor == clNone)
        return;
    TRect r(0, 0, Width(), Height());
    Canvas.Brush->Style = bsSolid;
    if (!Enabled() && !DisabledBorder) {
        Canvas.Brush->Color = DisabledFrameColor;
        Canvas.FrameRect(r);
        return;
    }
    if (FBorderColor != clNone && !(FHasFocus && FocusBorderColor != clNone)) {
        Canvas.Brush->Color = FBorderColor;
        Canvas.FrameRect(r);
        return;
    }
    if (FocusBorderColor != clNone) {
        if (FHasFocus) {
            Canvas.Brush->Color = FocusBorderColor;
            Canvas.FrameRect(r);
        }
        return;
    }
    const bool raised = FocusBorder && !Designing() && IsActive();
    const TColor p = raised ? clBtnFace : (Parent() ? Parent()->Color() : clBtnFace);
    const TColor c = Color();
    if (raised) {
        DrawEdge(&Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        Canvas.Brush->Color = p;
        Canvas.FrameRect(r);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        Canvas.Brush->Color = c;
        Canvas.FrameRect(r);
    } else {
        Canvas.Brush->Color = p;
        Canvas.FrameRect(r);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1 - FButtonWidth, r.Bottom - 1);
        Canvas.FrameRect(r);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        Canvas.Brush->Color = c;
        Canvas.FrameRect(r);
        r.Right += FButtonWidth;
    }
    if (FFlat && FFlatLineColor != clNone) {
        Canvas.Pen->Color = FFlatLineColor;
        Canvas.MoveTo(r.Left - 2, Height() - 1);
        Canvas.LineTo(r.Right - FButtonWidth - 1, Height() - 1);
    }
}

void TEsgCustomCombo::DrawButtonFrame(TCanvas& Canvas)
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FocusBorderColor == clNone)
        return;
    if (IsVista && FBorderColor == clNone)
        return;
    TRect q(0, 0, Width(), Height());
    q.Left += ClientWidth() - FButtonWidth - 2;
    q = TRect(q.Left + 2, q.Top + 2, q.Right - 2, q.Bottom - 2);
    if (!IsActive()) {
        // Hides the button's 3-D frame, leaving the arrow.
        const TRect arrow(ClientWidth() - FButtonWidth + 4, 4, ClientWidth() - 4, ClientHeight() - 4);
        q = TRect(q.Left, q.Top + 1, q.Right - 1, q.Bottom - 1);
        Canvas.Brush->Color = clBtnFace;
        Canvas.Brush->Style = bsSolid;
        for (const TRect& part :
             {TRect(q.Left, q.Top, q.Right, arrow.Top), TRect(q.Left, arrow.Bottom, q.Right, q.Bottom),
              TRect(q.Left, arrow.Top, arrow.Left, arrow.Bottom),
              TRect(arrow.Right, arrow.Top, q.Right, arrow.Bottom)})
            if (part.Width() > 0 && part.Height() > 0)
                Canvas.FillRect(part);
    }
}
