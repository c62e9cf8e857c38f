// The grid's floating windows: the never-activated picture form, the header drag button, the cell
// balloon and the drop source that moves the drag pictures.
#include "grid/core/FloatingWindows.h"

#include "grid/base/HtmlRender.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/ExtCtrls.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>

namespace
{

constexpr Qt::WindowFlags FloatingFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
constexpr Qt::WindowFlags BalloonFlags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
// Room around the balloon's contents and the gap between icon and title.
constexpr int BalloonMargin = 6;
constexpr int BalloonIconSize = 16;
// The balloon opens this far below the mouse.
constexpr int BalloonCursorGap = 20;

void MakeFloating(QWidget* w, Qt::WindowFlags Flags)
{
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    if (w->windowFlags() != Flags)
        w->setWindowFlags(Flags);
}

// The toolkit's hint timings: Qt's tooltip delays and the hint's hide time-out.
int ToolkitInitialDelay()
{
    return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
}

int ToolkitReshowDelay()
{
    return ToolkitInitialDelay() / 5;
}

} // namespace

// ---- TNoActiveForm ------------------------------------------------------------------------------------

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    MakeFloating(Widget(), FloatingFlags);
    FImage = new TImage(this);
    FImage->SetParent(this);
    FImage->SetAlign(alClient);
}

void TNoActiveForm::SetVisible(bool Value)
{
    if (!Value) {
        TForm::SetVisible(false);
        return;
    }
    // Shown where it stands, never activated: the grid's form keeps the focus.
    QWidget* w = Widget();
    const QRect geometry = w->geometry();
    MakeFloating(w, FloatingFlags);
    w->setGeometry(geometry);
    SetVisibleFlag(true);
    w->show();
    w->raise();
    HandleVisibleChanged();
}

void TNoActiveForm::SetAlpha(uint8_t Value)
{
    FAlpha = Value;
    Widget()->setWindowOpacity(Value / 255.0);
}

// ---- THeaderDragButton --------------------------------------------------------------------------------

THeaderDragButton::THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    MakeFloating(Widget(), FloatingFlags);
    SetTabStop(false);
    SetColor(clBtnFace);
    SetVisible(false);
}

void THeaderDragButton::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    Invalidate();
}

void THeaderDragButton::ApplyVisible()
{
    // A window of its own: it shows whether or not it has a parent.
    if (Visible()) {
        Widget()->show();
        Widget()->raise();
    } else {
        Widget()->hide();
    }
}

void THeaderDragButton::Paint()
{
    const TRect r = ClientRect();
    if (FGrid)
        FGrid->PaintCellExt(Canvas, 0, 0, r, gdFixed);
    Canvas->Brush->Style = bsClear;
    if (!FCaption.contains(QLatin1String("</"))) {
        TRect t = r;
        Canvas->DrawText(FCaption, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    QString anchor, plain, focus, title, id, value, type;
    int w = 0, h = 0, anchors = 0, hit = -1;
    TRect ar, cr;
    RenderHTML(Canvas, FCaption, r, FGrid ? FGrid->GridImages : nullptr, 0, 0, -1, -1, 1, false, false, false,
               false, false, false, false, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus,
               title, w, h, anchors, hit, ar, cr, id, value, type, nullptr, nullptr, Handle(), 0);
}

// ---- TBalloonWindow -----------------------------------------------------------------------------------

// Follows the mouse over the grid's cells for the balloon (the tooltip's subclassing of its tool).
class TBalloonWindow::TWatcher : public QObject
{
  public:
    explicit TWatcher(TBalloonWindow* Owner) : FOwner(Owner) {}

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::MouseMove: {
            const QPoint at = static_cast<QMouseEvent*>(Event)->position().toPoint();
            FOwner->MouseMoved(TPoint(at.x(), at.y()));
            break;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
            FOwner->MouseLeft();
            break;
        default:
            break;
        }
        return QObject::eventFilter(Watched, Event);
    }

  private:
    TBalloonWindow* FOwner;
};

TBalloonWindow::TBalloonWindow(TComponent* AOwner, TExtStringGrid* AGrid)
    : TCustomControl(AOwner), FGrid(AGrid), FWatcher(std::make_unique<TWatcher>(this))
{
    MakeFloating(Widget(), BalloonFlags);
    SetTabStop(false);
    SetVisible(false);
    FRestTimer = new QTimer(Widget());
    FRestTimer->setSingleShot(true);
    QObject::connect(FRestTimer, &QTimer::timeout, Widget(), [this] { ShowFor(FRestPos); });
    FHideTimer = new QTimer(Widget());
    FHideTimer->setSingleShot(true);
    QObject::connect(FHideTimer, &QTimer::timeout, Widget(), [this] { Pop(); });
    if (QWidget* viewport = FGrid->Viewport())
        viewport->installEventFilter(FWatcher.get());
}

TBalloonWindow::~TBalloonWindow()
{
    if (QWidget* viewport = FGrid->Viewport())
        viewport->removeEventFilter(FWatcher.get());
}

void TBalloonWindow::SetAlpha(uint8_t Value)
{
    FAlpha = Value;
    Widget()->setWindowOpacity(Value / 255.0);
}

int TBalloonWindow::Delay(int Value, int Toolkit) const
{
    return Value < 0 ? Toolkit : Value;
}

void TBalloonWindow::MouseMoved(TPoint ClientPos)
{
    if (ClientPos == FRestPos && (Showing() || FRestTimer->isActive()))
        return;
    FRestPos = ClientPos;
    if (Showing())
        return; // the grid pops it when the pointer reaches another cell
    FRestTimer->start(FRecentlyShown ? Delay(ReshowDelay, ToolkitReshowDelay())
                                     : Delay(InitialDelay, ToolkitInitialDelay()));
}

void TBalloonWindow::MouseLeft()
{
    FRestTimer->stop();
    FRecentlyShown = false;
    Pop();
}

bool TBalloonWindow::ShowFor(TPoint ClientPos)
{
    const TExtStringGrid::TBalloonText t = FGrid->BalloonNeedText(ClientPos);
    FTitle = t.Title;
    FText = t.Text;
    FIcon = t.Icon;
    if (FText.isEmpty()) {
        Pop();
        return false;
    }
    TColor back = BackgroundColor == clNone ? clInfoBk : BackgroundColor;
    SetColor(back);
    Font->Color = TextColor == clNone ? clInfoText : TextColor;
    int titleHeight = 0, width = 0, height = 0;
    TRect textRect;
    Layout(titleHeight, textRect, width, height);
    const TPoint at = FGrid->ClientToScreen(TPoint(ClientPos.X, ClientPos.Y + BalloonCursorGap));
    Widget()->setGeometry(at.X, at.Y, width, height);
    SetVisible(true);
    Invalidate();
    FRecentlyShown = true;
    const int hide = AutoHideDelay < 0 ? THintInfo().HideTimeout : AutoHideDelay;
    if (hide > 0)
        FHideTimer->start(hide);
    return true;
}

void TBalloonWindow::Pop()
{
    FHideTimer->stop();
    if (Showing())
        SetVisible(false);
}

bool TBalloonWindow::Showing() const
{
    return Widget()->isVisible();
}

void TBalloonWindow::ApplyVisible()
{
    Widget()->setVisible(Visible());
}

void TBalloonWindow::Layout(int& TitleHeight, TRect& TextRect, int& Width, int& Height)
{
    const int inner = MaxTipWidth - 2 * BalloonMargin;
    Canvas->Font->Assign(*Font);
    TitleHeight = 0;
    int titleWidth = 0;
    const bool hasIcon = FIcon >= 1 && FIcon <= 3;
    if (!FTitle.trimmed().isEmpty() || hasIcon) {
        Canvas->Font->Style = fsBold;
        TRect t(0, 0, inner - (hasIcon ? BalloonIconSize + BalloonMargin : 0), 0);
        Canvas->DrawText(FTitle, t, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        titleWidth = t.Right + (hasIcon ? BalloonIconSize + BalloonMargin : 0);
        TitleHeight = std::max(t.Bottom, hasIcon ? BalloonIconSize : 0) + BalloonMargin;
        Canvas->Font->Style = TFontStyles();
    }
    TRect t(0, 0, inner, 0);
    Canvas->DrawText(FText, t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    Width = std::min(MaxTipWidth, std::max(titleWidth, t.Right) + 2 * BalloonMargin);
    TextRect = TRect(BalloonMargin, BalloonMargin + TitleHeight, Width - BalloonMargin,
                     BalloonMargin + TitleHeight + t.Bottom);
    Height = TextRect.Bottom + BalloonMargin;
}

void TBalloonWindow::Paint()
{
    int titleHeight = 0, width = 0, height = 0;
    TRect textRect;
    Layout(titleHeight, textRect, width, height);
    TRect r = ClientRect();
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    Canvas->FillRect(r);
    Canvas->Brush->Color = clBlack;
    Canvas->FrameRect(r);
    Canvas->Brush->Style = bsClear;
    Canvas->Font->Assign(*Font);
    int x = BalloonMargin;
    if (FIcon >= 1 && FIcon <= 3) {
        static const QStyle::StandardPixmap icons[] = {
            QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical};
        const QImage icon = QApplication::style()
                                ->standardIcon(icons[FIcon - 1])
                                .pixmap(BalloonIconSize, BalloonIconSize)
                                .toImage();
        Canvas->DrawImage(TRect(x, BalloonMargin, x + BalloonIconSize, BalloonMargin + BalloonIconSize), icon,
                          TRect(0, 0, icon.width(), icon.height()));
        x += BalloonIconSize + BalloonMargin;
    }
    if (titleHeight > 0) {
        Canvas->Font->Style = fsBold;
        TRect t(x, BalloonMargin, width - BalloonMargin, BalloonMargin + titleHeight);
        Canvas->DrawText(FTitle, t, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        Canvas->Font->Style = TFontStyles();
    }
    Canvas->DrawText(FText, textRect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- TGridDropSource ----------------------------------------------------------------------------------

TGridDropSource::TGridDropSource(TExtStringGrid* AGrid) : FGridAlive(AGrid->Widget()), FGrid(AGrid) {}

void TGridDropSource::EndDragDrop()
{
    if (FGridAlive && FGrid->DragDropSettings()->ShowCells)
        FGrid->FreeMoveForm();
}

void TGridDropSource::CurrentEffect(DWORD Effect)
{
    if (Effect == DROPEFFECT_MOVE || Effect == DROPEFFECT_COPY)
        FLastEffect = Effect;
}

void TGridDropSource::QueryDrag()
{
    if (!FGridAlive)
        return;
    const QPoint at = QCursor::pos();
    if (FGrid->DragDropSettings()->ShowCells) {
        if (TForm* form = FGrid->MoveForm())
            form->SetBounds(at.x() + 4, at.y() + 4, form->Width(), form->Height());
    } else if (THeaderDragButton* button = FGrid->MoveButton()) {
        button->SetBounds(at.x(), at.y() - button->Height(), button->Width(), button->Height());
    }
}
