// TExtCustomDropDown: the attached label, the frame, the value of a non-editable edit, and the
// edit's own mouse handling.
#include "grid/dropdown/ExtDropDown.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/ClassicDraw.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace
{
// The frame of a disabled edit on a themed system.
constexpr TColor DisabledFrameColor = 0xC0C0C0;
} // namespace

// ---- Label -----------------------------------------------------------------------------------------

QString TExtCustomDropDown::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : QString();
}

void TExtCustomDropDown::SetLabelCaption(const QString& Value)
{
    if (!FLabel)
        CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TExtCustomDropDown::CreateLabel()
{
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font->Assign(FLabelFont.get());
    FLabel->OnClick = [this](TObject*) { DoLabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
    FLabel->SetParentFont(ParentFont());
}

void TExtCustomDropDown::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->SetTransparent(FLabelTransparent);
    if (FParentFnt && ParentFont())
        FLabel->Font->Assign(Font);
    else
        FLabel->Font->Assign(FLabelFont.get());
    TRect calc(0, 0, 1000, 255);
    DrawText(FLabel->Canvas, FLabel->Caption(), -1, calc, DT_CALCRECT | DT_HIDEPREFIX);
    const TPoint at = PlaceLabel(FLabelPosition, BoundsRect(), calc.Width(), FLabel->Width(),
                                 FLabel->Height(), FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TExtCustomDropDown::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TExtCustomDropDown::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TExtCustomDropDown::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TExtCustomDropDown::SetLabelFont(const TFont* Value)
{
    if (ParentFont() || !Value)
        return;
    FLabelFont->Assign(Value);
}

void TExtCustomDropDown::LabelFontChanged()
{
    UpdateLabel();
    if (Designing() && !(ComponentState() & csLoading))
        SetParentFont(false);
}

void TExtCustomDropDown::SetVisible(bool Value)
{
    TMaskEdit::SetVisible(Value);
    if (FLabel && !FLabel->Caption().isEmpty())
        FLabel->SetVisible(Value);
}

// ---- Frame -----------------------------------------------------------------------------------------

bool TExtCustomDropDown::IsHot() const
{
    return !Designing() && (FMouseInControl || Screen->ActiveControl() == this);
}

void TExtCustomDropDown::DrawBorder(TCanvas* DC)
{
    if (Designing() || EdgeWidth() == 0)
        return;
    TRect r(0, 0, Width(), Height());
    DC->Brush->Style = bsSolid;
    const auto frame = [&](TColor Color) {
        DC->Brush->Color = Color;
        DC->FrameRect(r);
    };
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        frame(DisabledFrameColor);
    } else if (FBorderColor != clNone && (!Focused() || FFocusBorderColor == clNone)) {
        frame(FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (Focused())
            frame(FFocusBorderColor);
    } else if (Flat) {
        // Only a flat edit changes its frame with the hot state; the others keep the sunken edge.
        const bool hot = IsHot();
        const TColor outer = hot ? clBtnFace : (Parent() ? Parent()->Color() : clBtnFace);
        if (hot) {
            DrawEdge(DC, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            frame(outer);
        } else {
            frame(outer);
            InflateRect(r, -1, -1);
            frame(outer);
        }
    }
}

void TExtCustomDropDown::RedrawBorder()
{
    Invalidate();
    if (FButton && (!Enabled() || Flat || FBorderColor != clNone))
        FButton->Button()->SetFocused(Designing() ? Enabled() : IsHot());
}

void TExtCustomDropDown::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    link.NativePaint(event);
    QPainter painter(Widget());
    TCanvasPainterBinding binding(*FEdgeCanvas, painter);
    GuardedDispatch([&] { PaintLook(FEdgeCanvas.get()); });
}

void TExtCustomDropDown::PaintLook(TCanvas* DC)
{
    if (EdgeWidth() > 0) {
        TRect r(0, 0, Width(), Height());
        DrawEdge(DC, r, EDGE_SUNKEN, BF_RECT);
    }
    DrawBorder(DC);
    FInPaint = true;
    PaintValue();
    FInPaint = false;
}

void TExtCustomDropDown::PaintValue()
{
    // Painted as part of the edit's paint event; elsewhere a repaint brings it.
    if (!FInPaint) {
        Invalidate();
        return;
    }
    if (FEditorEnabled || !Focused() || Designing() || !FFocusDraw)
        return;
    TCanvas* DC = FEdgeCanvas.get();
    const int bw = FButton ? FButton->ButtonWidth() : 0;
    TRect r(2, 2, Width() - bw - 1, Height() - 2);
    DC->Pen->Color = clBlack;
    DC->Pen->Width = 1;
    DC->Brush->Style = bsSolid;
    DC->Brush->Color = clHighlight;
    DC->Rectangle(r);
    DC->Font->Assign(Font);
    DC->Font->Color = clHighlightText;
    DC->Brush->Style = bsClear;
    r.Left += 2;
    r.Right -= 3;
    DC->DrawText(Text(), r, DT_SINGLELINE | DT_VCENTER);
}

// ---- Mouse -----------------------------------------------------------------------------------------

int TExtCustomDropDown::CharIndexAt(TPoint P) const
{
    const int e = EdgeWidth();
    return LineEdit()->cursorPositionAt(QPoint(P.X + e, P.Y + e));
}

void TExtCustomDropDown::HandleMouseEnter()
{
    TMaskEdit::HandleMouseEnter();
    if (Enabled())
        FMouseInControl = true;
    RedrawBorder();
}

void TExtCustomDropDown::HandleMouseLeave()
{
    TMaskEdit::HandleMouseLeave();
    if (Enabled())
        FMouseInControl = false;
    RedrawBorder();
}

void TExtCustomDropDown::WidgetMouse(QMouseEvent* event, TControlWidgetLink& link)
{
    const bool left = event->button() == Qt::LeftButton;
    const int e = EdgeWidth();
    const TPoint client(int(event->position().x()) - e, int(event->position().y()) - e);
    QLineEdit* edit = LineEdit();
    if (left && event->type() == QEvent::MouseButtonPress && FEditorEnabled && edit->hasSelectedText() &&
        Focused()) {
        const int at = CharIndexAt(client);
        const int start = edit->selectionStart();
        if (at >= start && at <= start + edit->selectedText().size()) {
            // Only remembered: the selection stays for the release.
            FButtonDown = true;
            event->accept();
            return;
        }
    }
    if (!left || event->type() != QEvent::MouseButtonRelease) {
        TMaskEdit::WidgetMouse(event, link);
        return;
    }
    if (!FEditorEnabled || ReadOnly())
        PaintValue();
    if (FButtonDown) {
        FButtonDown = false;
        edit->setCursorPosition(CharIndexAt(client));
    }
    QPointer<QWidget> alive = Widget();
    TMaskEdit::WidgetMouse(event, link);
    if (!alive || IsDestroying())
        return;
    // The caret stays out of the prefix and the suffix.
    const int valueLength = Text().size();
    const int prefix = Prefix.size();
    const int valueEnd = prefix + valueLength;
    const bool selected = edit->hasSelectedText();
    const int start = selected ? edit->selectionStart() : edit->cursorPosition();
    const int length = selected ? edit->selectedText().size() : 0;
    if (start < prefix)
        edit->setSelection(prefix, valueLength);
    else if (!selected && start > valueEnd)
        edit->setCursorPosition(valueEnd);
    else if (selected && start + length > valueEnd)
        edit->setSelection(start, valueEnd - start);
}

// ---- Focus -----------------------------------------------------------------------------------------

void TExtCustomDropDown::DoEnter()
{
    TMaskEdit::DoEnter();
    RedrawBorder();
}

void TExtCustomDropDown::DoExit()
{
    TMaskEdit::DoExit();
    RedrawBorder();
}
