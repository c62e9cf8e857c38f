#include "platform/controls/Forms.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <vector>

namespace {

std::vector<TCustomForm*>& AllForms()
{
    static std::vector<TCustomForm*> forms;
    return forms;
}

// The form's window. QDialog's own key handling (Escape rejects, Enter presses the default button) is
// skipped, and rejecting or accepting from Qt's side does nothing: only the form decides.
class TFormWidget : public TWidgetBridge<QDialog> {
public:
    void reject() override {}
    void accept() override {}
    void done(int) override {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        // A pop-up's Qt handling closes it on Esc behind its owner's back.
        if (windowType() == Qt::Popup) {
            e->accept();
            return;
        }
        QWidget::keyPressEvent(e);
    }
};

} // namespace

TApplication* Application = new TApplication();
TScreen* Screen = new TScreen();

// ---- TCustomForm ------------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner, new TFormWidget())
{
    SetVisibleFlag(false);
    SetParentFont(false);
    Widget()->setAttribute(Qt::WA_DeleteOnClose, false);
    Widget()->setAutoFillBackground(true);
    Widget()->setFocusPolicy(Qt::NoFocus);
    ApplyColor();
    ApplyWindowFlags();
    SetBounds(0, 0, 320, 240);
    AllForms().push_back(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    ExitModalLoop();
    auto& forms = AllForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Application && Application->FMainForm == this)
        Application->FMainForm = nullptr;
}

void TCustomForm::AfterConstruction()
{
    if (FCreated)
        return;
    FCreated = true;
    if (ComponentState() & csLoading)
        EndLoading();
    DoCreate();
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Show()
{
    const bool wasShown = Widget() && Widget()->isVisible();
    SetVisible(true);
    if (wasShown) {
        Widget()->raise();
        Widget()->activateWindow();
    }
}

void TCustomForm::Hide()
{
    SetVisible(false);
}

void TCustomForm::SetVisible(bool Value)
{
    QWidget* w = Widget();
    if (!w)
        return;
    if (Value == Visible() && Value == w->isVisible())
        return;
    if (Value) {
        if (!FCreated)
            AfterConstruction();
        SetVisibleFlag(true);
        DoShow();   // before the window appears, as in the toolkit
        if (!Visible())
            return;   // OnShow hid it again
        ApplyWindowFlags();
        if (FPopupKind) {
            // Shown at its geometry, not activated: the owner's window keeps its focus chain.
            w->show();
            HandleVisibleChanged();
            return;
        }
        PlaceOnScreen();
        // Qt remembers the widget that had the focus when the window hid and, as the dialog shows,
        // sends it a focus event; it must not win over the control chosen for this showing.
        if (QWidget* remembered = w->focusWidget())
            remembered->clearFocus();
        TWinControl* chosen = FActiveControl;
        w->show();
        FActiveControl = chosen;
        w->activateWindow();
        FocusFirst();
    } else {
        SetVisibleFlag(false);
        w->hide();
        // The next showing starts from what OnShow (or the first tab stop) chooses, not from the
        // control the user left the focus on.
        FActiveControl = nullptr;
        DoHide();
    }
    HandleVisibleChanged();
}

void TCustomForm::FocusFirst()
{
    TWinControl* target = FActiveControl;
    if (!target || !target->CanFocus())
        target = FindNextControl(nullptr, true, true, false);
    if (target && target->Widget()) {
        FActiveControl = target;
        target->Widget()->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TCustomForm::PlaceOnScreen()
{
    QWidget* w = Widget();
    QRect area;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        if (QScreen* s = QGuiApplication::primaryScreen())
            area = s->availableGeometry();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* main = Application->MainForm();
        if (FPosition == poOwnerFormCenter)
            if (auto* owner = dynamic_cast<TCustomForm*>(Owner()))
                main = owner;
        if (main && main != this && main->Widget())
            area = main->Widget()->geometry();
        else if (QScreen* s = QGuiApplication::primaryScreen())
            area = s->availableGeometry();
        break;
    }
    default:
        return;
    }
    // The client area is centred (the frame's size is not known before the window is shown).
    if (area.isValid())
        w->setGeometry(area.x() + (area.width() - w->width()) / 2, area.y() + (area.height() - w->height()) / 2,
                       w->width(), w->height());
}

void TCustomForm::ApplyWindowFlags()
{
    QWidget* w = Widget();
    Qt::WindowFlags flags = FIsMainForm ? Qt::Window : Qt::Dialog;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        flags = Qt::Tool;
    flags |= Qt::CustomizeWindowHint;
    if (FPopupKind) {
        flags = Qt::Popup | Qt::FramelessWindowHint;
        if (!FPopupShadow)
            flags |= Qt::NoDropShadowWindowHint;
    } else if (FBorderStyle == bsNone) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::WindowTitleHint;
        if (FBorderIcons & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((FBorderIcons & biMinimize) && FBorderStyle != bsDialog)
            flags |= Qt::WindowMinimizeButtonHint;
        if ((FBorderIcons & biMaximize) && FBorderStyle == bsSizeable)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (FFormStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (w->windowFlags() != flags) {
        const bool shown = w->isVisible();
        w->setWindowFlags(flags);   // hides the window
        if (shown)
            w->show();
    }
    ApplySizeConstraint();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (FFormStyle == Value)
        return;
    FFormStyle = Value;
    ApplyWindowFlags();
}

void TCustomForm::ApplySizeConstraint()
{
    QWidget* w = Widget();
    if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        w->setFixedSize(w->size());
    }
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    QWidget* w = Widget();
    if (!w)
        return;
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    ApplySizeConstraint();
}

void TCustomForm::SetPopupKind(bool Value)
{
    FPopupKind = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetPopupShadow(bool Value)
{
    FPopupShadow = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetPopupOwner(QWidget* Owner)
{
    QWidget* w = Widget();
    if (!w || w->parentWidget() == Owner)
        return;
    const QRect geometry = w->geometry();
    w->setParent(Owner, w->windowFlags());   // a top-level still; Wayland places pop-ups by it
    w->setGeometry(geometry);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    FBorderStyle = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    FBorderIcons = Value;
    ApplyWindowFlags();
}

TWindowState TCustomForm::WindowState() const
{
    const Qt::WindowStates s = Widget()->windowState();
    if (s & Qt::WindowMinimized)
        return wsMinimized;
    if (s & Qt::WindowMaximized)
        return wsMaximized;
    return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    const Qt::WindowState s =
        Value == wsMinimized ? Qt::WindowMinimized : (Value == wsMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
    Widget()->setWindowState(s);
}

void TCustomForm::SetText(const QString& Value)
{
    TWinControl::SetText(Value);
    Widget()->setWindowTitle(Value);
}

void TCustomForm::ApplyColor()
{
    TWinControl::ApplyColor();
    if (Widget())
        Widget()->setAutoFillBackground(true);
}

bool TCustomForm::Active() const
{
    return Widget() && Widget()->isActiveWindow();
}

void TCustomForm::SetFocus()
{
    if (!Visible() || !Enabled())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    Widget()->activateWindow();
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control && (Control == this || GetParentForm(Control) != this ||
                    (!(ComponentState() & csLoading) && !Control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (Control && Widget()->isVisible() && Control->Widget())
        Control->Widget()->setFocus(Qt::OtherFocusReason);
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    SetActiveControl(Control);
}

void TCustomForm::FocusChangedTo(TWinControl* Control)
{
    FActiveControl = Control;
    if (FFocusedControl != Control) {
        TWinControl* previous = FFocusedControl;
        FFocusedControl = Control;
        // Only the controls whose area the focus leaves (enters) hear of it: a grid whose editor
        // takes the focus is not left. Innermost exits first, outermost enters first.
        std::vector<TWinControl*> exits, enters;
        for (TWinControl* c = previous; c && c != this; c = c->Parent())
            if (!c->ContainsControl(Control))
                exits.push_back(c);
        for (TWinControl* c = Control; c && c != this; c = c->Parent())
            if (!previous || !c->ContainsControl(previous))
                enters.insert(enters.begin(), c);
        for (TWinControl* c : exits)
            c->DoExit();
        for (TWinControl* c : enters)
            c->DoEnter();
    }
    HandleFocusChanged(Control);
}

void TCustomForm::ControlGone(TWinControl* Control)
{
    if (FActiveControl == Control)
        FActiveControl = nullptr;
    if (FFocusedControl == Control)
        FFocusedControl = nullptr;
}

bool TCustomForm::HandleDialogKey(WORD& Key, TShiftState Shift)
{
    if (!(Shift & ssAlt)) {
        if (Key == VK_TAB && !(Shift & ssCtrl)) {
            SelectNext(FActiveControl, !(Shift & ssShift), true);
            return true;
        }
        if (IsArrowKey(Key)) {
            // Arrows move among the tab stops of the focused control's own parent.
            if (!FActiveControl || !FActiveControl->Parent())
                return false;
            if (TWinControl* next = FActiveControl->Parent()->FindNextControl(
                    FActiveControl, Key == VK_RIGHT || Key == VK_DOWN, true, true))
                next->SetFocus();
            return true;
        }
    }
    return TWinControl::HandleDialogKey(Key, Shift);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::SetModalResult(TModalResult Value)
{
    FModalResult = Value;
    // The loop ends after the event being handled; CloseModal runs there.
    if (Value != mrNone && FModalLoop)
        FModalLoop->exit();
}

void TCustomForm::ExitModalLoop()
{
    if (FModalLoop)
        FModalLoop->exit();
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        FModalResult = mrNone;
}

TModalResult TCustomForm::ShowModal()
{
    QWidget* w = Widget();
    if (Visible() || Modal() || !Enabled())
        throw EInvalidOperation("Cannot make a visible window modal");
    FModalResult = mrNone;
    QPointer<QWidget> alive = w;
    QEventLoop loop;
    FModalLoop = &loop;
    auto finish = [&] {
        if (!alive)
            return;
        FModalLoop = nullptr;
        if (Visible())
            Hide();
        w->setWindowModality(Qt::NonModal);
    };
    try {
        w->setWindowModality(Qt::ApplicationModal);
        Show();
        while (alive) {
            if (FModalResult == mrNone && !Application->Terminated() && Visible())
                loop.exec(QEventLoop::DialogExec);
            if (!alive)
                break;
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult == mrNone && !Visible())
                FModalResult = mrCancel;   // hidden from code: the toolkit ends the loop with Cancel
            if (FModalResult != mrNone) {
                CloseModal();
                if (FModalResult != mrNone || Application->Terminated())
                    break;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    if (!alive)
        return mrCancel;   // the form was freed while modal
    finish();
    return FModalResult;
}

void TCustomForm::Close()
{
    if (Modal()) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release()
{
    QPointer<QWidget> alive = Widget();
    if (Visible())
        Hide();
    QMetaObject::invokeMethod(
        qApp,
        [this, alive] {
            if (alive)
                delete this;
        },
        Qt::QueuedConnection);
}

bool TCustomForm::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    switch (event->type()) {
    case QEvent::Close:
        event->ignore();
        if (FPopupKind) {
            // Qt closing a pop-up (a press outside it) means it lost activation.
            GuardedDispatch([&] { Perform(WM_ACTIVATE, WA_INACTIVE, 0); });
            return true;
        }
        // The window's close box: the form decides (CloseQuery, OnClose, modal result).
        GuardedDispatch([&] { Close(); });
        return true;
    case QEvent::FocusIn:
        return link.NativeEvent(event);   // the form itself is not one of its controls
    case QEvent::WindowActivate: {
        const bool result = link.NativeEvent(event);
        GuardedDispatch([&] {
            if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != Widget())
                FocusFirst();
            if (OnActivate)
                OnActivate(this);
        });
        return result;
    }
    case QEvent::WindowDeactivate: {
        const bool result = link.NativeEvent(event);
        GuardedDispatch([&] {
            if (OnDeactivate)
                OnDeactivate(this);
        });
        return result;
    }
    default:
        return TWinControl::WidgetEvent(event, link);
    }
}

// ---- TScrollBox -------------------------------------------------------------------------------------

// The scrolled surface; it follows the visible area's width and height, never smaller than the
// children's extent, and re-aligns the children when that changes.
class TScrollContent : public QWidget {
public:
    std::function<void()> Resized;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        if (Resized)
            Resized();
    }
};

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner, new TWidgetBridge<QScrollArea>())
{
    NativeInput = true;
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    auto* area = static_cast<QScrollArea*>(Widget());
    FContent = new TScrollContent();
    area->setWidget(FContent);
    area->setWidgetResizable(true);
    area->setFocusPolicy(Qt::NoFocus);
    area->setFrameShape(QFrame::StyledPanel);
    FContent->Resized = [this] {
        if (!IsDestroying())
            GuardedDispatch([&] { Realign(); });
    };
    SetBounds(0, 0, 185, 41);
}

QWidget* TScrollBox::ChildHost() const
{
    return FContent;
}

void TScrollBox::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_VSCROLL && Message.Msg != WM_HSCROLL) {
        TWinControl::WndProc(Message);
        return;
    }
    auto* area = static_cast<QScrollArea*>(Widget());
    QScrollBar* bar = Message.Msg == WM_VSCROLL ? area->verticalScrollBar() : area->horizontalScrollBar();
    // The window system's scroll codes: line, page, thumb, top/bottom, end.
    enum { LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5, Top = 6, Bottom = 7 };
    switch (LoWord(Message.WParam)) {
    case LineUp: bar->setValue(bar->value() - Increment); break;
    case LineDown: bar->setValue(bar->value() + Increment); break;
    case PageUp: bar->setValue(bar->value() - bar->pageStep()); break;
    case PageDown: bar->setValue(bar->value() + bar->pageStep()); break;
    case ThumbPosition:
    case ThumbTrack: bar->setValue(HiWord(Message.WParam)); break;
    case Top: bar->setValue(bar->minimum()); break;
    case Bottom: bar->setValue(bar->maximum()); break;
    default: break;   // end of scrolling
    }
}

void TScrollBox::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    static_cast<QScrollArea*>(Widget())->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

TRect TScrollBox::ClientRect() const
{
    // Children live on the scrolled surface; it is never smaller than the visible area.
    const QWidget* viewport = static_cast<QScrollArea*>(Widget())->viewport();
    return TRect(0, 0, std::max(viewport->width(), FContent->width()),
                 std::max(viewport->height(), FContent->height()));
}

void TScrollBox::ChildBoundsChanged(TControl* Child)
{
    TWinControl::ChildBoundsChanged(Child);
    UpdateRange();
}

void TScrollBox::Resize()
{
    TWinControl::Resize();
    UpdateRange();
}

void TScrollBox::UpdateRange()
{
    if (!FContent)
        return;
    int right = 0, bottom = 0;
    if (AutoScroll)
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->Visible())
                continue;
            // Controls aligned to the width follow the visible area; they set no horizontal range.
            if (c->Align() != alTop && c->Align() != alBottom && c->Align() != alClient)
                right = std::max(right, c->Left() + c->Width());
            bottom = std::max(bottom, c->Top() + c->Height());
        }
    FContent->setMinimumSize(right, bottom);
}

void TScrollBox::ScrollInView(TControl* Control)
{
    if (Control && Control->Widget() && ContainsControl(Control))
        static_cast<QScrollArea*>(Widget())->ensureWidgetVisible(Control->Widget(), 0, 0);
}

TPoint TScrollBox::ScrollPos() const
{
    const auto* area = static_cast<QScrollArea*>(Widget());
    return TPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
}

void TScrollBox::SetScrollPos(TPoint Value)
{
    auto* area = static_cast<QScrollArea*>(Widget());
    area->horizontalScrollBar()->setValue(Value.X);
    area->verticalScrollBar()->setValue(Value.Y);
}

// ---- TApplication -----------------------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::FormCreated(TCustomForm* Form)
{
    const bool first = FMainForm == nullptr;
    if (first) {
        Form->FIsMainForm = MainFormOnTaskBar;
        Form->ApplyWindowFlags();
    }
    Form->AfterConstruction();
    if (first && !FMainForm)
        FMainForm = Form;
}

void TApplication::Run()
{
    if (qApp)
        QGuiApplication::setQuitOnLastWindowClosed(false);
    if (FMainForm && !FTerminated)
        FMainForm->Show();
    QEventLoop loop;
    FMainLoop = &loop;
    if (!FTerminated)
        loop.exec();
    FMainLoop = nullptr;
}

void TApplication::Terminate()
{
    FTerminated = true;
    for (TCustomForm* f : AllForms())
        f->ExitModalLoop();
    if (FMainLoop)
        FMainLoop->exit();
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ProcessMessagesExceptInput()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TApplication::HandleMessage()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::HandleException(const std::exception& E)
{
    if (dynamic_cast<const EAbort*>(&E))
        return;
    if (OnException)
        OnException(this, E);
    else
        ShowException(E);
}

void TApplication::ShowException(const std::exception& E)
{
    const auto* ex = dynamic_cast<const Exception*>(&E);
    const QString text = ex ? ex->Message : QString::fromUtf8(E.what());
    TMessageRequest request;
    request.Text = text;
    request.Caption = FTitle;
    request.Type = mtError;
    request.Buttons = mbOK;
    Interaction().MessageBox(request);
}

void TApplication::SetTitle(const QString& Value)
{
    FTitle = Value;
    if (qApp)
        QCoreApplication::setApplicationName(Value);
}

QString TApplication::ExeName() const
{
    return QCoreApplication::applicationFilePath();
}

// ---- TScreen ----------------------------------------------------------------------------------------

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    if (FCursor != crDefault)
        QApplication::restoreOverrideCursor();
    FCursor = Value;
    if (Value != crDefault)
        QApplication::setOverrideCursor(CursorToQCursor(Value));
}

int TScreen::Width() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int TScreen::Height() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 0;
}

TRect TScreen::WorkAreaRect() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? TRect::FromQRect(s->availableGeometry()) : TRect();
}

TRect TScreen::MonitorWorkAreaFromPoint(TPoint P) const
{
    const QPoint p(P.X, P.Y);
    QScreen* best = QGuiApplication::screenAt(p);
    if (!best) {
        // The nearest screen: the smallest distance from P to a screen's rectangle.
        long long bestDistance = -1;
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            const long long dx = p.x() < g.left() ? g.left() - p.x() : (p.x() > g.right() ? p.x() - g.right() : 0);
            const long long dy = p.y() < g.top() ? g.top() - p.y() : (p.y() > g.bottom() ? p.y() - g.bottom() : 0);
            const long long d = dx * dx + dy * dy;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = s;
            }
        }
    }
    return best ? TRect::FromQRect(best->availableGeometry()) : WorkAreaRect();
}

TCustomForm* TScreen::ActiveForm() const
{
    QWidget* active = QApplication::activeWindow();
    for (TCustomForm* f : AllForms())
        if (f->Widget() == active)
            return f;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}

int TScreen::FormCount() const
{
    return static_cast<int>(AllForms().size());
}

TCustomForm* TScreen::Forms(int Index) const
{
    if (Index < 0 || Index >= FormCount())
        RaiseListIndexError(Index);
    return AllForms()[static_cast<size_t>(Index)];
}
