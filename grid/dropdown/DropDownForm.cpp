// The pop-up window of the drop-down edit.
#include "grid/dropdown/DropDownForm.h"

#include "grid/dropdown/DropDownPanels.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

// Watches the application, while the pop-up is shown, for a modal window opening (which takes the
// activation from it) and, while suspended, for that window going away.
class TDropDownModalWatch : public QObject
{
  public:
    explicit TDropDownModalWatch(TDropDownForm* Form) : FForm(Form) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || !w->isWindow() || w == FForm->Widget())
            return false;
        if (event->type() == QEvent::Show && w->isModal() && !FForm->FSuspended)
            GuardedDispatch([&] { FForm->ModalWindowShown(w); });
        else if (event->type() == QEvent::Hide && FForm->FSuspended && w == FForm->FModalWindow)
            GuardedDispatch([&] { FForm->ModalWindowGone(); });
        return false;
    }

  private:
    TDropDownForm* FForm;
};

TDropDownForm::TDropDownForm(TComponent* AOwner)
    : TForm(AOwner), FCanvas(std::make_unique<TCanvas>()),
      FModalWatch(std::make_unique<TDropDownModalWatch>(this))
{
    SetBorderStyle(bsNone);
    SetPopupKind(true);
    FShadow = true;
    FCancelOnDeActivate = true;
}

TDropDownForm::~TDropDownForm()
{
    if (qApp)
        qApp->removeEventFilter(FModalWatch.get());
    if (OnDestroy)
        GuardedDispatch([&] { OnDestroy(this); });
}

int TDropDownForm::BorderInset() const
{
    return FExtDropDown ? std::max(0, FExtDropDown->DropDownBorderWidth()) : 0;
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FExtDropDown)
        return;
    TExtCustomDropDown* edit = FExtDropDown;
    if (FHeader) {
        FHeader->AttachDropDown(edit);
        FHeader->InitButtons();
        FHeader->SetVisible(edit->DropDownHeader()->Visible());
    } else if (edit->DropDownHeader()->Visible()) {
        FHeader = new TExtHeader(this);
        FHeader->SetParent(this);
        FHeader->SetHeight(edit->DropDownHeader()->Height());
        FHeader->AttachDropDown(edit);
        FHeader->InitButtons();
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = edit->OnDrawHeader;
        FHeader->OnGetText = edit->OnGetHeaderText;
    }
    if (FFooter) {
        FFooter->AttachDropDown(edit);
        FFooter->InitButtons();
        FFooter->SetVisible(edit->DropDownFooter()->Visible());
    } else if (edit->DropDownFooter()->Visible()) {
        FFooter = new TExtFooter(this);
        FFooter->SetParent(this);
        FFooter->SetHeight(edit->DropDownFooter()->Height());
        FFooter->AttachDropDown(edit);
        FFooter->InitButtons();
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = edit->OnDrawFooter;
        FFooter->OnGetText = edit->OnGetFooterText;
    }
}

void TDropDownForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TForm::SetBounds(ALeft, ATop, std::max(AWidth, MinWidth), std::max(AHeight, MinHeight));
}

void TDropDownForm::SetVisible(bool Value)
{
    if (Value && qApp)
        qApp->installEventFilter(FModalWatch.get());
    if (!Value) {
        if (qApp)
            qApp->removeEventFilter(FModalWatch.get());
        FSuspended = false;
        FModalWindow = nullptr;
        FResizing = false;
    }
    TForm::SetVisible(Value);
    if (Value && !FShownOnce && Visible()) {
        FShownOnce = true;
        Realign();
    }
}

// ---- Activation ------------------------------------------------------------------------------------

void TDropDownForm::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_ACTIVATE) {
        HandleWMActivate(LoWord(Message.WParam));
        return;
    }
    TForm::WndProc(Message);
}

void TDropDownForm::HandleWMActivate(WORD State)
{
    if (FBlockActivate || State != WA_INACTIVE || !Visible())
        return;
    FDeActivate = GetTickCount();
    FDeActivated = true;
    if (FExtDropDown)
        FExtDropDown->HideDropDown(FCancelOnDeActivate);
    else
        Hide();
}

void TDropDownForm::ModalWindowShown(QWidget* Modal)
{
    if (!Visible())
        return;
    if (!FBlockActivate) {
        Perform(WM_ACTIVATE, WA_INACTIVE, 0);
        return;
    }
    // Suspended: hidden behind the toolkit's back, so nothing of a close runs.
    FSuspended = true;
    FModalWindow = Modal;
    QWidget* focus = QApplication::focusWidget();
    FSuspendedFocus = focus && focus->window() == Widget() ? focus : nullptr;
    Widget()->hide();
}

void TDropDownForm::ModalWindowGone()
{
    FSuspended = false;
    FModalWindow = nullptr;
    // Back once the modal window's own hiding is done.
    QPointer<QWidget> alive = Widget();
    QMetaObject::invokeMethod(
        qApp,
        [this, alive] {
            if (!alive || !Visible() || FSuspended || IsDestroying())
                return;
            GuardedDispatch([&] {
                Widget()->show();
                if (FSuspendedFocus)
                    FSuspendedFocus->setFocus(Qt::PopupFocusReason);
                else if (FExtDropDown)
                    Widget()->setFocus(Qt::PopupFocusReason);
            });
        },
        Qt::QueuedConnection);
}

// ---- Keys and wheel --------------------------------------------------------------------------------

bool TDropDownForm::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TForm::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    if (WheelDelta < 0 && OnMouseWheelDown)
        OnMouseWheelDown(this);
    else if (WheelDelta > 0 && OnMouseWheelUp)
        OnMouseWheelUp(this);
    return true;
}

void TDropDownForm::WidgetMouse(QMouseEvent* event, TControlWidgetLink& link)
{
    // While resizing, a move outside the pop-up arrives here with the pressed child's coordinates:
    // the screen position is the one to trust.
    if (FResizing && event->type() == QEvent::MouseMove) {
        const QPoint global = event->globalPosition().toPoint();
        GuardedDispatch([&] { ManualResizeTo(TPoint(global.x(), global.y())); });
        event->accept();
        return;
    }
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        !Widget()->rect().contains(event->position().toPoint())) {
        link.NativeMouse(event);
        return;
    }
    TForm::WidgetMouse(event, link);
}

// ---- Manual resize ---------------------------------------------------------------------------------

void TDropDownForm::BeginManualResize(TPoint ScreenPos)
{
    FResizing = true;
    FResizeStart = ScreenPos;
    FResizeStartSize = TPoint(Width(), Height());
}

void TDropDownForm::ManualResizeTo(TPoint ScreenPos)
{
    if (!FResizing)
        return;
    const int w = std::max(FResizeStartSize.X + ScreenPos.X - FResizeStart.X, MinWidth);
    const int h = std::max(FResizeStartSize.Y + ScreenPos.Y - FResizeStart.Y, MinHeight);
    SetBounds(Left(), Top(), w, h);
    if (OnSizing)
        OnSizing(this);
}

void TDropDownForm::EndManualResize()
{
    FResizing = false;
}

void TDropDownForm::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TForm::HandleMouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && FSizeable && X > Width() - 10 && Y > Height() - 10)
        BeginManualResize(ClientToScreen(TPoint(X, Y)));
}

void TDropDownForm::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TForm::HandleMouseMove(Shift, X, Y);
    if (FResizing)
        ManualResizeTo(ClientToScreen(TPoint(X, Y)));
}

void TDropDownForm::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TForm::HandleMouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        EndManualResize();
}

// ---- Layout and painting ---------------------------------------------------------------------------

void TDropDownForm::AlignControls(TRect& Rect)
{
    if (!FShownOnce)
        return;
    const int inset = BorderInset();
    Rect = TRect(Rect.Left + inset, Rect.Top + inset, Rect.Right - inset, Rect.Bottom - inset);
    TForm::AlignControls(Rect);
}

void TDropDownForm::PaintWidget(QPaintEvent*, TControlWidgetLink&)
{
    QPainter painter(Widget());
    TCanvasPainterBinding binding(*FCanvas, painter);
    GuardedDispatch([&] { PaintBackground(); });
}

void TDropDownForm::PaintBackground()
{
    if (!FExtDropDown)
        return;
    const TRect client = ClientRect();
    const int inset = BorderInset();
    const TRect inner(client.Left + inset, client.Top + inset, client.Right - inset, client.Bottom - inset);
    const TColor color = FExtDropDown->DropDownColor();
    const TColor colorTo = FExtDropDown->DropDownColorTo();
    if (color != clNone && colorTo != clNone) {
        DrawGradientBands(FCanvas.get(), color, colorTo, FExtDropDown->DropDownGradient() == gdHorizontal,
                          inner, 80);
    } else if (color != clNone) {
        FCanvas->Brush->Style = bsSolid;
        FCanvas->Brush->Color = color;
        FCanvas->FillRect(inner);
    }
    const int width = FExtDropDown->DropDownBorderWidth();
    if (width > 0) {
        FCanvas->Brush->Style = bsClear;
        FCanvas->Pen->Color = FExtDropDown->DropDownBorderColor();
        FCanvas->Pen->Width = width;
        FCanvas->Rectangle(client.Left + width / 2, client.Top + width / 2, client.Right, client.Bottom);
        FCanvas->Pen->Width = 1;
        FCanvas->Brush->Style = bsSolid;
    }
}
