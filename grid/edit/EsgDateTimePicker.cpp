// The two pickers: their drawing over the toolkit's picker and AutoTab.
#include "grid/edit/EsgDateTimePicker.h"

#include "grid/base/Looks.h"
#include "grid/edit/EditParts.h"
#include "platform/graphics/ClassicDraw.h"
#include "platform/system/SysInfo.h"

#include <QFontMetrics>
#include <QGuiApplication>

namespace
{

constexpr int EditFrame = 2;

} // namespace

// ---- TEsgPickerBase ---------------------------------------------------------------------------------

TEsgPickerBase::TEsgPickerBase(TComponent* AOwner)
    : TDateTimePicker(AOwner), FIsThemed(ComCtlMajorVersion > 5), FIsWinXP(IsWindowsXPOrLater()),
      FButtonWidth(ButtonWidthOf())
{
    DoubleBuffered = true;
}

void TEsgPickerBase::SetBorderColor(TColor Value)
{
    if (FBorderColor != Value) {
        FBorderColor = Value;
        Invalidate();
    }
}

void TEsgPickerBase::SetMetroStyle(bool Value)
{
    if (FMetroStyle != Value) {
        FMetroStyle = Value;
        Invalidate();
    }
}

void TEsgPickerBase::SetCtl3D(bool Value)
{
    FCtl3D = Value;
    Invalidate();
}

void TEsgPickerBase::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle != Value) {
        FBorderStyle = Value;
        Invalidate();
    }
}

bool TEsgPickerBase::ThemesInUse() const
{
    return FIsThemed && IsThemeActive();
}

int TEsgPickerBase::ClientW() const
{
    return Width() - 2 * EditFrame;
}

TColor TEsgPickerBase::ParentBackground() const
{
    return Parent() ? Parent()->Color() : Color();
}

bool TEsgPickerBase::Active() const
{
    return FMouseInControl || Focused();
}

bool TEsgPickerBase::MouseButtonDown()
{
    return QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
}

void TEsgPickerBase::FrameRect(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush->Color = Color;
    Canvas->FrameRect(R);
}

void TEsgPickerBase::HandleMouseEnter()
{
    TDateTimePicker::HandleMouseEnter();
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        Invalidate();
    }
}

void TEsgPickerBase::HandleMouseLeave()
{
    TDateTimePicker::HandleMouseLeave();
    if (FMouseInControl && Enabled())
        FMouseInControl = false;
    FButtonHover = false;
    Invalidate();
}

void TEsgPickerBase::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TDateTimePicker::HandleMouseMove(Shift, X, Y);
    const bool hover = X > Width() - FButtonWidth && X < Width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
}

void TEsgPickerBase::DoEnter()
{
    TDateTimePicker::DoEnter();
    Invalidate();
}

void TEsgPickerBase::DoExit()
{
    TDateTimePicker::DoExit();
    Invalidate();
}

void TEsgPickerBase::HandleEnabledChanged()
{
    TDateTimePicker::HandleEnabledChanged();
    Invalidate();
}

void TEsgPickerBase::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    TDateTimePicker::PaintWidget(event, link);
    QPainter painter(Widget());
    TCanvas canvas;
    TCanvasPainterBinding binding(canvas, painter);
    GuardedDispatch([&] {
        // The non-client part first: the flat border and the border colours.
        if (WantsFlatBorder())
            DrawFlatBorder(&canvas);
        if ((!Enabled() && ThemesInUse()) || FBorderColor != clNone)
            DrawBorders(&canvas);
        // Then over the client painting.
        if ((FCtl3D && !MetroActive()) || !IsVistaOrLater())
            return;
        if (MetroActive() && Kind() != dtkTime) {
            if (IsComCtlVersion6()) {
                canvas.Brush->Color = Color();
                canvas.FillRect(TRect(ClientW() - FButtonWidth - 2, 4, ClientW() - 2, Height() - 4));
            }
            DrawButton(&canvas);
        }
        PaintOwnFrame(&canvas);
        DrawBorders(&canvas);
    });
}

void TEsgPickerBase::DrawButton(TCanvas* Canvas)
{
    TRect b(0, 0, Width(), Height());
    b.Left += ClientW() - FButtonWidth + 2;
    b = TRect(b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1);
    if (ButtonColor != clNone) {
        const bool down = MouseButtonDown();
        TColor face = ButtonColor;
        if (FButtonHover)
            face = down ? ButtonColorDown : ButtonColorHot;
        if (face == clNone)
            face = ButtonColor;
        Canvas->Brush->Color = face;
        Canvas->FillRect(TRect(b.Left + 2, b.Top, b.Right, b.Bottom));
        if (ButtonBorderColor != clNone) {
            Canvas->Pen->Color = ButtonBorderColor;
            Canvas->MoveTo(b.Left, b.Top);
            Canvas->LineTo(b.Left, b.Bottom);
        }
        const TColor arrow = down && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        if (arrow != clNone) {
            Canvas->Pen->Color = arrow;
            Canvas->Brush->Color = arrow;
            Canvas->Polygon({{b.Left + 5, b.Top + 7}, {b.Left + 11, b.Top + 7}, {b.Left + 8, b.Top + 10}});
        }
        return;
    }
    DrawFrameControl(Canvas->Handle(), b, DFC_SCROLL,
                     Enabled() ? DFCS_SCROLLCOMBOBOX | DFCS_FLAT : DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
}

void TEsgPickerBase::DrawBorders(TCanvas* Canvas)
{
    if (!MetroActive())
        return;
    if (Enabled() && FBorderColor == clNone)
        return;
    DrawControlBorder(Canvas);
    if (!(FIsWinXP && ThemesInUse()))
        DrawButtonFrame(Canvas);
}

void TEsgPickerBase::DrawControlBorder(TCanvas* Canvas)
{
    TRect r(0, 0, Width(), Height());
    if (!Enabled() && FIsThemed) {
        FrameRect(Canvas, r, ThemedBorderColor);
        return;
    }
    if (FBorderColor != clNone) {
        FrameRect(Canvas, r, FBorderColor);
        return;
    }
    const TColor p = ParentBackground();
    FrameRect(Canvas, r, p);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1 - FButtonWidth, r.Bottom - 1);
    FrameRect(Canvas, r, p);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    FrameRect(Canvas, r, Color());
}

void TEsgPickerBase::DrawButtonFrame(TCanvas* Canvas)
{
    TRect q(ClientW() - FButtonWidth - 2, 0, Width(), Height());
    q = TRect(q.Left + 2, q.Top + 2, q.Right - 2, q.Bottom - 2);
    if (Active()) {
        DrawEdge(Canvas->Handle(), q, EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0));
        return;
    }
    q = TRect(q.Left, q.Top + 1, q.Right - 1, q.Bottom - 1);
    Canvas->Brush->Color = clBtnFace;
    Canvas->FillRect(q);
}

void TEsgPickerBase::DrawFlatBorder(TCanvas* Canvas)
{
    const int w = Width(), h = Height();
    TColor pen = FBorderColor;
    if (FBorderStyle == bsNone && Parent())
        pen = ParentBackground();
    else if (FIsThemed)
        pen = ThemedBorderColor;
    Canvas->Pen->Color = pen;
    Canvas->Polyline({{0, h}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    if (!Parent())
        return;
    if (FBorderStyle == bsSingle)
        Canvas->Pen->Color = ParentBackground();
    Canvas->Polyline({{1, h - 2}, {1, 1}, {w - 1, 1}});
}

// ---- TEsgDateTimePicker -----------------------------------------------------------------------------

TEsgDateTimePicker::TEsgDateTimePicker(TComponent* AOwner) : TEsgPickerBase(AOwner)
{
    FCtl3D = true;
}

bool TEsgDateTimePicker::MetroActive() const
{
    return FMetroStyle && !(ComponentState() & csDesigning);
}

bool TEsgDateTimePicker::WantsFlatBorder() const
{
    return !FCtl3D && FBorderColor != clNone;
}

// ---- TCustomDateTimePicker --------------------------------------------------------------------------

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TEsgPickerBase(AOwner)
{
    FBorderColor = clBlack;
    FCtl3D = false;
}

UINT TCustomDateTimePicker::ShiftFocusMessage()
{
    static const UINT message = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    return message;
}

void TCustomDateTimePicker::SetAutoTab(bool Value)
{
    FAutoTab = Value;
}

bool TCustomDateTimePicker::MetroActive() const
{
    return FMetroStyle && !IsEmbedded();
}

bool TCustomDateTimePicker::WantsFlatBorder() const
{
    return !FCtl3D;
}

void TCustomDateTimePicker::PaintOwnFrame(TCanvas* Canvas)
{
    if (FCtl3D)
        return;
    const int w = Width(), h = Height();
    Canvas->Pen->Color = FBorderStyle == bsNone && Parent() ? ParentBackground()
                         : FIsThemed                        ? ThemedBorderColor
                                                            : FBorderColor;
    Canvas->Polyline({{0, h}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    if (IsVistaOrLater() && !IsThemeActive())
        Canvas->Polyline({{1, h}, {1, 1}, {w - 2, 1}, {w - 2, h - 2}, {0, h - 2}});
}

void TCustomDateTimePicker::HandleKeyPress(char16_t& Key)
{
    if (!FAutoTab || Key < u'0' || Key > u'9') {
        TEsgPickerBase::HandleKeyPress(Key);
        return;
    }
    if (Kind() == dtkTime) {
        int h = 0, m = 0, s = 0, ms = 0;
        DecodeTime(DateTime(), h, m, s, ms);
        Fh = h;
        Fm = m;
        Fs = s;
        Fms = ms;
    }
    TEsgPickerBase::HandleKeyPress(Key);
    PostMessage(Handle(), ShiftFocusMessage(), 0, 0);
}

void TCustomDateTimePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == ShiftFocusMessage()) {
        ShiftFocus();
        return;
    }
    if (!esgedit::PerformKeyMessage(this, Message))
        TEsgPickerBase::WndProc(Message);
}

void TCustomDateTimePicker::PostRight()
{
    PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::ShiftFocus()
{
    if (Kind() != dtkTime)
        return;
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(DateTime(), h, m, s, ms);
    if (h != Fh || m != Fm || s != Fs)
        PostRight();
}

TPoint TCustomDateTimePicker::MeasureText(const QString& Text, const TFont* Font)
{
    const QFontMetrics metrics(Font->ToQFont());
    return TPoint(metrics.horizontalAdvance(Text), metrics.height());
}
