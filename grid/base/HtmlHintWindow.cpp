// THTMLHintWindow: measuring, placing and drawing a mini-HTML hint.
#include "grid/base/HtmlHintWindow.h"

#include "grid/base/CellText.h"
#include "grid/base/HtmlRender.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{
constexpr int HintLayoutWidth = 1008; // 1024 less a 16-pixel margin
constexpr int HintMarginHtml = 16;
constexpr int HintMarginWide = 8;
constexpr int HintMarginBottom = 4;
constexpr int HintScreenInset = 2;
} // namespace

QString& THTMLHintWindow::HintFontName()
{
    static QString name;
    return name;
}

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::Render(const QString& AHint, const TRect& Rect, bool MeasureOnly, int& Width,
                             int& Height)
{
    QString anchor, plain, focus, title, id, value, type;
    int anchors = 0, hitNumber = -1;
    TRect hitRect, controlRect;
    Width = 0;
    Height = 0;
    RenderHTML(Canvas, AHint, Rect, FImages, 0, 0, -1, -1, 0, false, MeasureOnly, false, false, false, false,
               true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus, title, Width, Height,
               anchors, hitNumber, hitRect, controlRect, id, value, type, nullptr, FPictureContainer, 0, 0);
}

TPoint THTMLHintWindow::Measure(const QString& AHint, const TRect& Rect)
{
    Canvas->Font->Assign(*Font);
    if (CellTextKind(AHint, true) == ctkWideText) {
        if (!HintFontName().isEmpty())
            Canvas->Font->Name = HintFontName();
        FWideCaption = DecodeWideText(AHint);
        TRect r(0, 0, Rect.Width(), 0);
        const int h = Canvas->DrawText(FWideCaption, r, DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE);
        return TPoint(r.Right, h);
    }
    int w = 0, h = 0;
    Render(AHint, Rect, true, w, h);
    return TPoint(w, h);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& AHint, void*)
{
    const TPoint size = Measure(AHint, TRect(0, 0, MaxWidth, 0));
    return TRect(0, 0, size.X, size.Y);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const QString& AHint)
{
    SetCaption(AHint);
    Rect.Right = Rect.Left + HintLayoutWidth;
    const bool wide = CellTextKind(AHint, true) == ctkWideText;
    const TPoint size = Measure(AHint, Rect);
    const int margin = wide ? HintMarginWide : HintMarginHtml;
    FTextWidth = size.X;
    FTextHeight = size.Y;
    Rect.Right = Rect.Left + FTextWidth + margin;
    Rect.Bottom = Rect.Top + FTextHeight + HintMarginBottom;
    const QScreen* screen = QGuiApplication::screenAt(QPoint(Rect.Left, Rect.Top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect m = screen->geometry();
        if (Rect.Right - m.x() > m.width()) {
            Rect.Left = m.x() + m.width() - HintScreenInset - Rect.Width();
            Rect.Right = Rect.Left + margin + FTextWidth;
        }
        if (Rect.Bottom - m.y() > m.height()) {
            Rect.Bottom = m.y() + m.height() - HintScreenInset;
            Rect.Top = Rect.Bottom - FTextHeight - HintMarginBottom;
        }
    }
    Widget()->setGeometry(Rect.ToQRect());
    Widget()->show();
    Widget()->raise();
    Invalidate();
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const QString& AHint, void* AData)
{
    // A grid hands its images along; without one the markup draws no pictures.
    (void)AData;
    THintWindow::ActivateHintData(Rect, AHint, AData);
}

void THTMLHintWindow::HandleTextChanged()
{
    Invalidate();
}

void THTMLHintWindow::Paint()
{
    const TRect r = ClientRect();
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    Canvas->FillRect(r);
    Canvas->Pen->Color = cl3DLight;
    Canvas->MoveTo(r.Left, r.Bottom - 2);
    Canvas->LineTo(r.Left, r.Top);
    Canvas->LineTo(r.Right - 1, r.Top);
    Canvas->Pen->Color = cl3DDkShadow;
    Canvas->MoveTo(r.Left, r.Bottom - 1);
    Canvas->LineTo(r.Right - 1, r.Bottom - 1);
    Canvas->LineTo(r.Right - 1, r.Top - 1);
    TRect t;
    t.Left = r.Left + 4;
    t.Right = r.Right - 4;
    t.Top = r.Top + (r.Height() - FTextHeight) / 2;
    t.Bottom = t.Top + FTextHeight + 8;
    Canvas->Font->Assign(*Font);
    if (CellTextKind(Caption(), true) == ctkWideText) {
        if (!HintFontName().isEmpty())
            Canvas->Font->Name = HintFontName();
        Canvas->Brush->Style = bsClear;
        Canvas->DrawText(FWideCaption, t, DT_NOPREFIX | DT_SINGLELINE);
        return;
    }
    int w = 0, h = 0;
    Render(Caption(), t, false, w, h);
}
