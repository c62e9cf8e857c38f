// Hints: the hint window and the application's one shown hint.
#include "platform/controls/Hints.h"

#include "platform/controls/Forms.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace
{

constexpr int HintMarginX = 3; // text inset from the window's left and right edges
constexpr int HintMarginY = 1;

// The hint being shown: its window (kept for reuse), the control that asked and where the mouse may
// rest without asking again.
struct TShownHint {
    QPointer<QWidget> WindowWidget;
    THintWindow* Window = nullptr;
    THintWindowClass Class = nullptr;
    TControl* Control = nullptr;
    TRect CursorRect;
    QPointer<QTimer> HideTimer; // a child of the window
};

TShownHint& Shown()
{
    static TShownHint shown;
    return shown;
}

THintWindow* LiveWindow()
{
    TShownHint& s = Shown();
    return s.WindowWidget ? s.Window : nullptr;
}

} // namespace

THintWindowClass HintWindowClass = &CreateHintWindowOf<THintWindow>;

// ---- THintWindow -----------------------------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    QWidget* w = Widget();
    w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    SetColor(clInfoBk);
    Font->Color = clInfoText;
    SetTabStop(false);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const QString& AHint, void*)
{
    TRect r(0, 0, MaxWidth, 0);
    Canvas->Font->Assign(*Font);
    Canvas->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 2 * HintMarginX;
    r.Bottom += 2 * HintMarginY;
    return r;
}

void THintWindow::ActivateHint(TRect Rect, const QString& AHint)
{
    SetCaption(AHint);
    // Kept on the screen the hint starts on.
    if (const QScreen* screen = QGuiApplication::screenAt(QPoint(Rect.Left, Rect.Top))) {
        const QRect area = screen->geometry();
        if (Rect.Right > area.x() + area.width())
            OffsetRect(Rect, area.x() + area.width() - Rect.Right, 0);
        if (Rect.Bottom > area.y() + area.height())
            OffsetRect(Rect, 0, area.y() + area.height() - Rect.Bottom);
    }
    Widget()->setGeometry(Rect.ToQRect());
    Widget()->show();
    Widget()->raise();
    Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const QString& AHint, void*)
{
    ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHint()
{
    Widget()->hide();
}

bool THintWindow::HintShowing() const
{
    return Widget()->isVisible();
}

void THintWindow::Paint()
{
    TRect r = ClientRect();
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    Canvas->FillRect(r);
    Canvas->Brush->Color = clBlack;
    Canvas->FrameRect(r);
    Canvas->Brush->Style = bsClear;
    Canvas->Font->Assign(*Font);
    InflateRect(r, -HintMarginX, -HintMarginY);
    Canvas->DrawText(Caption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- The application's hint ------------------------------------------------------------------------

void CancelHint()
{
    TShownHint& s = Shown();
    if (THintWindow* w = LiveWindow())
        w->ReleaseHint();
    if (s.HideTimer)
        s.HideTimer->stop();
    s.Control = nullptr;
    s.CursorRect = TRect();
}

THintWindow* ActiveHintWindow()
{
    return LiveWindow();
}

void ShowHintInfo(const THintInfo& info)
{
    TShownHint& s = Shown();
    const THintWindowClass cls = info.HintWindowClass ? info.HintWindowClass : HintWindowClass;
    if (LiveWindow() && s.Class != cls) {
        s.Window->ReleaseHint();
        delete s.Window;
        s.Window = nullptr;
    }
    if (!LiveWindow()) {
        // Owned by the application: it lives as long as the hint machinery.
        s.Window = cls(Application);
        s.WindowWidget = s.Window->Widget();
        s.Class = cls;
    }
    if (!s.HideTimer) {
        s.HideTimer = new QTimer(s.Window->Widget());
        s.HideTimer->setSingleShot(true);
        QObject::connect(s.HideTimer.data(), &QTimer::timeout, s.HideTimer.data(), [] {
            if (THintWindow* w = LiveWindow())
                w->ReleaseHint();
        });
    }
    THintWindow* w = s.Window;
    w->SetColor(info.HintColor);
    TRect r = w->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    w->ActivateHintData(r, info.HintStr, info.HintData);
    s.Control = info.HintControl;
    s.CursorRect = info.CursorRect;
    if (info.HideTimeout > 0)
        s.HideTimer->start(info.HideTimeout);
    else
        s.HideTimer->stop();
}

bool HintAskedAt(const TControl* Control, TPoint ClientPos)
{
    const TShownHint& s = Shown();
    return Control && s.Control == Control && s.CursorRect.Contains(ClientPos);
}
