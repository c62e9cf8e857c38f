// TEsgCustomCombo: borders, drop button, focus colours and the attached label of the flat combo box.
#include "grid/edit/EsgCombo.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/ClassicDraw.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace
{
bool MouseButtonDown()
{
    return (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)) != 0;
}
} // namespace

TEsgCustomCombo::TEsgCustomCombo(TComponent* AOwner) : TComboBox(AOwner)
{
    FLabel.OnFontChange = [this] { LabelFontChanged(); };
    FNormalColor = Color();
    FOldColor = Color();
    // Qt lays the edit field out again on every resize, style or font change: it is moved back.
    FEditFieldWatch.OnLayout = [this] { PlaceEditField(); };
    Combo()->installEventFilter(&FEditFieldWatch);
    if (QLineEdit* edit = LineEdit())
        edit->installEventFilter(&FEditFieldWatch);
}

bool TEditFieldWatch::eventFilter(QObject* Watched, QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::ChildAdded:
        // An editable style makes a new field; it is still being built here, so it is watched
        // and placed once it moves or resizes.
        if (QObject* child = static_cast<QChildEvent*>(Event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (qobject_cast<QLineEdit*>(Watched) && OnLayout)
            OnLayout();
        break;
    default:
        break;
    }
    return false;
}

TEsgCustomCombo::~TEsgCustomCombo()
{
    Destroying();
    FEditFieldWatch.OnLayout = nullptr;
    Combo()->removeEventFilter(&FEditFieldWatch);
    if (QLineEdit* edit = LineEdit())
        edit->removeEventFilter(&FEditFieldWatch);
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
    FLabel.Loaded();
    Init();
}

void TEsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove)
        FLabel.Forget(AComponent);
    TComboBox::Notification(AComponent, Operation);
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
    PlaceEditField();
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
    PlaceEditField();
    Invalidate();
}

void TEsgCustomCombo::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    PlaceEditField();
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

void TEsgCustomCombo::LabelFontChanged()
{
    if (Designing() && !(ComponentState() & csLoading))
        SetParentFont(false);
}

void TEsgCustomCombo::SetLabelBold(bool Bold)
{
    if (FocusLabel)
        FLabel.ControlFocused(Bold);
}

void TEsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!IsDestroying())
        FLabel.Update();
}

void TEsgCustomCombo::SetParent(TWinControl* AParent)
{
    TComboBox::SetParent(AParent);
    FLabel.ControlParent(AParent);
}

void TEsgCustomCombo::SetVisible(bool Value)
{
    TComboBox::SetVisible(Value);
    FLabel.ControlVisible(Value);
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
    if (changed && !(ComponentState() & (csLoading | csDesigning)))
        FLabel.ControlEnabled(Value);
}

void TEsgCustomCombo::HandleFontChanged()
{
    TComboBox::HandleFontChanged();
    FLabel.ControlFontChanged();
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
        // The contents' share of the button zone is covered: by the button, or in a simple combo
        // (which has none) by the control's colour inside its frame.
        canvas.Brush->Color = Color();
        canvas.Brush->Style = bsSolid;
        if (Style() != csSimple) {
            canvas.FillRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth(), ClientHeight()));
            DrawButton(canvas);
        } else {
            canvas.FillRect(
                TRect(ClientWidth() - FButtonWidth - 4, 1, ClientWidth() - 1, ClientHeight() - 1));
        }
        DrawControlBorder(canvas);
        if (Style() != csSimple && !(IsWinXP && IsThemeActive()))
            DrawButtonFrame(canvas);
    });
}

bool TEsgCustomCombo::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    // The button colours are fields: the edit field follows them at the next paint at the latest.
    if (event->type() == QEvent::Paint)
        PlaceEditField();
    return TComboBox::WidgetEvent(event, link);
}

void TEsgCustomCombo::PlaceEditField()
{
    QLineEdit* edit = LineEdit();
    QComboBox* combo = Combo();
    if (!edit || !combo || FPlacingEditField || IsDestroying())
        return;
    // Qt's own place for the field.
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = true;
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    if (NeedsCustomPaint()) {
        if (Style() == csSimple)
            field.setRight(ClientWidth() - 1 - field.left());
        else
            field.setRight(std::min(field.right(), ClientWidth() - FButtonWidth - 4 - 1));
    }
    if (edit->geometry() == field)
        return;
    FPlacingEditField = true;
    edit->setGeometry(field);
    FPlacingEditField = false;
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
