#include "platform/controls/Controls.h"

#include "platform/controls/ActnList.h"
#include "platform/controls/DialogKeyAnswer.h"
#include "platform/controls/Forms.h"
#include "platform/controls/KeyRepeat.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Messages.h"

#include <cmath>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <unordered_map>

// ---- Keys -------------------------------------------------------------------------------------------

namespace {

struct KeyMap {
    int qt;
    WORD vk;
};

// Qt keys that are not letters, digits or function keys.
constexpr KeyMap kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},      {Qt::Key_Tab, VK_TAB},           {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},         {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},         {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},         {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},         {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},             {Qt::Key_Home, VK_HOME},         {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},               {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},       {Qt::Key_Printer, VK_PRINT},     {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},      {Qt::Key_Insert, VK_INSERT},     {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},           {Qt::Key_Meta, VK_LWIN},         {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},     {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},         {Qt::Key_Equal, VK_OEM_PLUS},    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},     {Qt::Key_Less, VK_OEM_COMMA},    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},         {Qt::Key_Question, VK_OEM_2},    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},     {Qt::Key_Bar, VK_OEM_5},         {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},    {Qt::Key_Apostrophe, VK_OEM_7},  {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits of the US layout.
    {Qt::Key_Exclam, '1'},             {Qt::Key_At, '2'},               {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},             {Qt::Key_Percent, '5'},          {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},          {Qt::Key_Asterisk, '8'},         {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// Keys of the numeric keypad (with Qt::KeypadModifier).
constexpr KeyMap kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},       {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL},  {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_Enter, VK_RETURN},      {Qt::Key_Return, VK_RETURN},
};

} // namespace

WORD KeyEventToVK(const QKeyEvent* event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? WORD(VK_NUMPAD0 + (key - Qt::Key_0)) : WORD('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return WORD('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return WORD(VK_F1 + (key - Qt::Key_F1));
    if (keypad)
        for (const KeyMap& m : kKeypad)
            if (m.qt == key)
                return m.vk;
    for (const KeyMap& m : kKeys)
        if (m.qt == key)
            return m.vk;
    return 0;
}

int VKToQtKey(WORD vk)
{
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + (vk - '0');
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (vk - 'A');
    if (vk >= VK_F1 && vk <= VK_F12)
        return Qt::Key_F1 + (vk - VK_F1);
    for (const KeyMap& m : kKeys)
        if (m.vk == vk)
            return m.qt;
    for (const KeyMap& m : kKeypad)
        if (m.vk == vk)
            return m.qt;
    return 0;
}

TShiftState KeyboardModifiersToShiftState(Qt::KeyboardModifiers modifiers)
{
    TShiftState s = 0;
    if (modifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (modifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (modifiers & Qt::AltModifier)
        s |= ssAlt;
    return s;
}

TShiftState MouseButtonsToShiftState(Qt::MouseButtons buttons)
{
    TShiftState s = 0;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

int16_t GetKeyState(int vk)
{
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    bool down = false;
    switch (vk) {
    case VK_SHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_CONTROL: down = mods & Qt::ControlModifier; break;
    case VK_MENU: down = mods & Qt::AltModifier; break;
    case VK_LBUTTON: down = buttons & Qt::LeftButton; break;
    case VK_RBUTTON: down = buttons & Qt::RightButton; break;
    case VK_MBUTTON: down = buttons & Qt::MiddleButton; break;
    default: break;
    }
    return down ? int16_t(-128) : int16_t(0);
}

QChar GetHotkey(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;   // "&&" is a literal ampersand
            continue;
        }
        return caption[i + 1];
    }
    return QChar();
}

bool IsAccel(char16_t key, const QString& caption)
{
    const QChar hot = GetHotkey(caption);
    return !hot.isNull() && key != 0 && hot.toUpper() == QChar(key).toUpper();
}

QString StripHotkey(const QString& caption)
{
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

QString GetShortHint(const QString& hint)
{
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.left(bar);
}

QString GetLongHint(const QString& hint)
{
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QCursor CursorToQCursor(TCursor cursor)
{
    struct M {
        TCursor c;
        Qt::CursorShape shape;
    };
    static const M kShapes[] = {
        {crNone, Qt::BlankCursor},       {crArrow, Qt::ArrowCursor},      {crCross, Qt::CrossCursor},
        {crIBeam, Qt::IBeamCursor},      {crSizeNESW, Qt::SizeBDiagCursor}, {crSizeNS, Qt::SizeVerCursor},
        {crSizeNWSE, Qt::SizeFDiagCursor}, {crSizeWE, Qt::SizeHorCursor}, {crUpArrow, Qt::UpArrowCursor},
        {crHourGlass, Qt::WaitCursor},   {crDrag, Qt::DragCopyCursor},    {crNoDrop, Qt::ForbiddenCursor},
        {crHSplit, Qt::SplitHCursor},    {crVSplit, Qt::SplitVCursor},    {crMultiDrag, Qt::DragCopyCursor},
        {crSQLWait, Qt::WaitCursor},     {crNo, Qt::ForbiddenCursor},     {crAppStart, Qt::BusyCursor},
        {crHelp, Qt::WhatsThisCursor},   {crHandPoint, Qt::PointingHandCursor}, {crSizeAll, Qt::SizeAllCursor},
    };
    for (const M& m : kShapes)
        if (m.c == cursor)
            return QCursor(m.shape);
    return QCursor(Qt::ArrowCursor);
}

// ---- Window registry and messages -------------------------------------------------------------------

namespace {

std::unordered_map<HWND, TWinControl*>& Registry()
{
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

HWND gNextHandle = 0x10000;   // never reused, so a stale handle finds nothing
TControl* gCaptureControl = nullptr;
bool gExplicitGrab = false;

} // namespace

TWinControl* FindControl(HWND window)
{
    const auto it = Registry().find(window);
    return it == Registry().end() ? nullptr : it->second;
}

bool IsWindow(HWND window)
{
    return FindControl(window) != nullptr;
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    TWinControl* control = FindControl(window);
    if (!control)
        return 0;
    LRESULT result = 0;
    GuardedDispatch([&] { result = control->Perform(msg, wparam, lparam); });
    return result;
}

namespace {
const TMessage* gPostedMessage = nullptr;
}

bool IsPostedMessage(const TMessage& Message)
{
    return &Message == gPostedMessage;
}

bool PostMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (!FindControl(window) || !qApp)
        return false;
    QMetaObject::invokeMethod(
        qApp,
        [window, msg, wparam, lparam] {
            if (TWinControl* control = FindControl(window))
                GuardedDispatch([&] {
                    TMessage m{msg, wparam, lparam, 0};
                    const TMessage* outer = gPostedMessage;
                    gPostedMessage = &m;
                    try {
                        control->WndProc(m);
                    } catch (...) {
                        gPostedMessage = outer;
                        throw;
                    }
                    gPostedMessage = outer;
                });
        },
        Qt::QueuedConnection);
    return true;
}

void ReportDispatchException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            Application->HandleException(e);
        } catch (...) {
            Application->HandleException(Exception("Unknown exception"));
        }
    } catch (const std::exception& e) {
        // The report itself failed; nothing is left to show it with.
        qWarning("error report failed: %s", e.what());
    } catch (...) {
        qWarning("error report failed");
    }
}

TControl* GetCaptureControl()
{
    return gCaptureControl;
}

void SetCaptureControl(TControl* Control)
{
    if (gCaptureControl == Control)
        return;
    if (gCaptureControl && gExplicitGrab && gCaptureControl->Widget())
        gCaptureControl->Widget()->releaseMouse();
    gExplicitGrab = false;
    gCaptureControl = Control;
    // While a button is held Qt already sends every mouse event to the pressed widget.
    if (Control && Control->Widget() && QGuiApplication::mouseButtons() == Qt::NoButton &&
        Control->Widget()->isVisible()) {
        Control->Widget()->grabMouse();
        gExplicitGrab = true;
    }
}

TMouse* Mouse = new TMouse();

int TMouse::WheelScrollLines() const
{
    return QApplication::wheelScrollLines();
}

TPoint TMouse::CursorPos() const
{
    return TPoint::FromQPoint(QCursor::pos());
}

TControl* TMouse::Capture() const
{
    return GetCaptureControl();
}

TCustomForm* GetParentForm(const TControl* Control)
{
    if (!Control)
        return nullptr;
    const TControl* top = Control;
    while (top->Parent())
        top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

// ---- TControl ---------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner, QWidget* widget) : TComponent(AOwner), Font(new TFont()), FWidget(widget)
{
    auto* link = dynamic_cast<TControlWidgetLink*>(widget);
    Q_ASSERT(link);
    widget->setMouseTracking(true);
    Font->OnChange = [this](TGraphicsObject*) { FontChanged(); };
    ApplyFont();
    ApplyColor();
    link->Control = this;
}

TControl::~TControl()
{
    BeforeDestruction();
    if (gCaptureControl == this)
        SetCaptureControl(nullptr);
    if (FParent)
        FParent->RemoveControl(this);
    if (FWidget) {
        dynamic_cast<TControlWidgetLink*>(FWidget)->Control = nullptr;
        QWidget* doomed = FWidget;
        FWidget = nullptr;
        delete doomed;
    }
    Font->OnChange = nullptr;
    delete Font;
}

TControl* TControl::FromWidget(const QWidget* widget)
{
    auto* link = dynamic_cast<const TControlWidgetLink*>(widget);
    return link ? link->Control : nullptr;
}

void TControl::WidgetGone()
{
    // Qt deleted the widget (its parent went): the control goes with it.
    FWidget = nullptr;
    if (!(ComponentState() & csDestroying))
        delete this;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (AParent) {
        AParent->InsertControl(this);
        if (FParentFont)
            ParentFontChanged(AParent->Font);
        if (FParentColor)
            ParentColorChanged(AParent->Color());
        ParentShowHintChanged();
        UpdateAnchorRules();
        RequestParentAlign();
    }
}

int TControl::Left() const
{
    return FWidget ? FWidget->geometry().x() : 0;
}

int TControl::Top() const
{
    return FWidget ? FWidget->geometry().y() : 0;
}

int TControl::Width() const
{
    return FWidget ? FWidget->geometry().width() : 0;
}

int TControl::Height() const
{
    return FWidget ? FWidget->geometry().height() : 0;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!FWidget)
        return;
    const QRect wanted(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
    if (FWidget->geometry() == wanted)
        return;
    FWidget->setGeometry(wanted);
    if (!(FParent && FParent->FAligning))
        UpdateAnchorRules();
    // Qt delivers the resize of a hidden widget only when it is shown; the layout cannot wait.
    SizeChanged();
    if (FParent)
        FParent->ChildBoundsChanged(this);
}

void TControl::SizeChanged()
{
    if (!FWidget || FWidget->size() == FLastSize)
        return;
    FLastSize = FWidget->size();
    Resize();
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::SetClientWidth(int Value)
{
    SetWidth(Width() - ClientWidth() + Value);
}

void TControl::SetClientHeight(int Value)
{
    SetHeight(Height() - ClientHeight() + Value);
}

TRect TControl::ClientRect() const
{
    return TRect(0, 0, Width(), Height());
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    return FWidget ? TPoint::FromQPoint(FWidget->mapToGlobal(p.ToQPoint())) : p;
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    return FWidget ? TPoint::FromQPoint(FWidget->mapFromGlobal(p.ToQPoint())) : p;
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign == Value)
        return;
    FAlign = Value;
    RequestParentAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    FAnchorBounds = BoundsRect();
    FAnchorParentSize = FParent ? QSize(FParent->ClientWidth(), FParent->ClientHeight()) : QSize();
}

void TControl::RequestParentAlign()
{
    if (FParent)
        FParent->Realign();
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    ApplyVisible();
    HandleVisibleChanged();
    if (FParent)
        FParent->ChildBoundsChanged(this);
}

void TControl::ApplyVisible()
{
    // A control without parent would become a window of its own; it shows once it has a parent.
    if (FWidget && FParent)
        FWidget->setVisible(FVisible);
}

bool TControl::Showing() const
{
    return FWidget && FWidget->isVisible();
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    if (FWidget)
        FWidget->setEnabled(Value);
    HandleEnabledChanged();
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value && !FParentColor)
        return;
    FParentColor = false;
    ChangeColor(Value);
}

void TControl::SetParentColor(bool Value)
{
    FParentColor = Value;
    if (Value && FParent)
        ParentColorChanged(FParent->Color());
}

void TControl::ParentColorChanged(TColor ParentColorValue)
{
    if (FParentColor)
        ChangeColor(ParentColorValue);
}

void TControl::ChangeColor(TColor Value)
{
    FColor = Value;
    ApplyColor();
    HandleColorChanged();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentColorChanged(FColor);
}

void TControl::ApplyColor()
{
    if (!FWidget)
        return;
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::Window, ColorToQColor(FColor));
    pal.setColor(QPalette::Button, ColorToQColor(FColor));
    FWidget->setPalette(pal);
}

void TControl::SetParentFont(bool Value)
{
    FParentFont = Value;
    if (Value && FParent)
        ParentFontChanged(FParent->Font);
}

void TControl::ParentFontChanged(const TFont* ParentFontValue)
{
    if (!FParentFont)
        return;
    FApplyingParentFont = true;
    Font->Assign(ParentFontValue);
    FApplyingParentFont = false;
}

void TControl::FontChanged()
{
    if (!FApplyingParentFont)
        FParentFont = false;
    ApplyFont();
    GuardedDispatch([&] { HandleFontChanged(); });
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentFontChanged(Font);
}

void TControl::ApplyFont()
{
    if (!FWidget)
        return;
    FWidget->setFont(Font->ToQFont());
    QPalette pal = FWidget->palette();
    const QColor text = ColorToQColor(Font->Color);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    FWidget->setPalette(pal);
}

void TControl::SetText(const QString& Value)
{
    if (FText == Value)
        return;
    FText = Value;
    HandleTextChanged();
}

void TControl::SetHint(const QString& Value)
{
    FHint = Value;
    ApplyToolTip();
}

bool TControl::ShowHint() const
{
    if (FParentShowHint && FParent)
        return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    FParentShowHint = false;
    ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value)
{
    if (!Value && FParentShowHint)
        FShowHint = ShowHint();
    FParentShowHint = Value;
    ParentShowHintChanged();
}

void TControl::ParentShowHintChanged()
{
    ApplyToolTip();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentShowHintChanged();
}

void TControl::ApplyToolTip()
{
    if (FWidget)
        FWidget->setToolTip(ShowHint() && Application->ShowHint ? GetShortHint(FHint) : QString());
}

void TControl::SetCursor(TCursor Value)
{
    FCursor = Value;
    if (!FWidget)
        return;
    if (Value == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(CursorToQCursor(Value));
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    ChangeReference(FPopupMenu, Value);
}

void TControl::SetAction(TAction* Value)
{
    if (FAction == Value)
        return;
    if (FAction) {
        FAction->UnregisterClient(this);
        FAction->RemoveFreeNotification(this);
    }
    FAction = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterClient(this, [this](TAction* a) { HandleActionChange(a); });
        HandleActionChange(Value);
    }
}

void TControl::HandleActionChange(TAction* Sender)
{
    SetCaption(Sender->Caption());
    SetEnabled(Sender->Enabled());
    SetHint(Sender->Hint());
    SetVisible(Sender->Visible());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FPopupMenu && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
    if (FAction && AComponent == FAction)
        FAction = nullptr;
}

bool TControl::MouseCapture() const
{
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool Value)
{
    if (Value)
        SetCaptureControl(this);
    else if (gCaptureControl == this)
        SetCaptureControl(nullptr);
}

void TControl::Invalidate()
{
    if (FWidget)
        FWidget->update();
}

void TControl::Repaint()
{
    if (FWidget && FWidget->isVisible())
        FWidget->repaint();
}

void TControl::Update()
{
    if (FWidget && FWidget->window())
        QCoreApplication::sendPostedEvents(FWidget->window(), QEvent::UpdateRequest);
}

void TControl::BringToFront()
{
    if (FWidget)
        FWidget->raise();
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.push_back(this);
    }
}

void TControl::SendToBack()
{
    if (FWidget)
        FWidget->lower();
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.insert(list.begin(), this);
    }
}

void TControl::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!(ControlStyle & csNoStdEvents) && OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!(ControlStyle & csNoStdEvents) && OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    if (!(ControlStyle & csNoStdEvents) && OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && (ControlStyle & csClickEvents))
        DblClick();
    HandleMouseDown(Button, Shift | ssDouble, X, Y);
}

void TControl::HandleMouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::HandleMouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TControl::HandleEnabledChanged()
{
    Invalidate();
}

void TControl::HandleHide()
{
    FClicked = false;
    if (gCaptureControl == this)
        SetCaptureControl(nullptr);
    if (FMouseInside) {
        FMouseInside = false;
        HandleMouseLeave();
    }
}

void TControl::HandleVisibleChanged() {}

void TControl::HandleFontChanged()
{
    Invalidate();
}

void TControl::HandleTextChanged()
{
    Invalidate();
}

void TControl::HandleColorChanged()
{
    Invalidate();
}

void TControl::HandleSysColorChange()
{
    Invalidate();
}

void TControl::HandleFocusChanged(TWinControl*) {}

bool TControl::HandleDialogKey(WORD&, TShiftState)
{
    return false;
}

bool TControl::HandleDialogChar(char16_t, TShiftState)
{
    return false;
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
    else if (FAction)
        FAction->Execute();
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

namespace {

// The wheel event whose offer has run: Qt passes an unhandled wheel event on to the parent widgets,
// and the offer must happen once per event.
struct WheelMark {
    const QEvent* event = nullptr;
    quint64 timestamp = 0;
    QPointF global;
};
WheelMark gWheelMark;

} // namespace

bool TControl::DispatchWheel(QWheelEvent* event)
{
    if (gWheelMark.event == event && gWheelMark.timestamp == event->timestamp() &&
        gWheelMark.global == event->globalPosition())
        return false;
    gWheelMark = {event, event->timestamp(), event->globalPosition()};
    const TShiftState shift =
        KeyboardModifiersToShiftState(event->modifiers()) | MouseButtonsToShiftState(event->buttons());
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const TPoint at = TPoint::FromQPoint(event->globalPosition().toPoint());
    TControl* start = this;
    if (TCustomForm* form = GetParentForm(this))
        if (TWinControl* focused = form->FocusedControl())
            start = focused;
    bool handled = false;
    GuardedDispatch([&] {
        for (TControl* c = start; c && !handled; c = c->Parent())
            handled = c->DoMouseWheel(shift, delta, at);
    });
    return handled;
}

bool TControl::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    switch (event->type()) {
    case QEvent::Enter:
        FMouseInside = true;
        GuardedDispatch([&] { HandleMouseEnter(); });
        break;
    case QEvent::Leave:
        FMouseInside = false;
        GuardedDispatch([&] { HandleMouseLeave(); });
        break;
    case QEvent::Hide:
        GuardedDispatch([&] { HandleHide(); });
        break;
    default:
        break;
    }
    const bool result = link.NativeEvent(event);
    if (event->type() == QEvent::Resize)
        GuardedDispatch([&] { SizeChanged(); });
    return result;
}

namespace {

bool ToMouseButton(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

} // namespace

void TControl::WidgetMouse(QMouseEvent* event, TControlWidgetLink& link)
{
    const QPoint pos = event->position().toPoint();
    const TShiftState shift =
        KeyboardModifiersToShiftState(event->modifiers()) | MouseButtonsToShiftState(event->buttons());
    TMouseButton button = mbLeft;
    const bool hasButton = ToMouseButton(event->button(), button);
    QPointer<QWidget> alive = FWidget;

    GuardedDispatch([&] {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            if (hasButton && (ControlStyle & csDoubleClicks)) {
                if (button == mbLeft && (ControlStyle & csCaptureMouse) && !NativeInput)
                    gCaptureControl = this;
                HandleDblClick(button, shift, pos.x(), pos.y());
                break;
            }
            [[fallthrough]];   // an ordinary press for a control without double clicks
        case QEvent::MouseButtonPress:
            if (!hasButton)
                break;
            if (button == mbLeft) {
                if ((ControlStyle & csCaptureMouse) && !NativeInput)
                    gCaptureControl = this;
                if (ControlStyle & csClickEvents)
                    FClicked = true;
            }
            HandleMouseDown(button, shift, pos.x(), pos.y());
            break;
        case QEvent::MouseButtonRelease:
            if (!hasButton)
                break;
            if (button == mbLeft) {
                if (gCaptureControl == this && !gExplicitGrab)
                    gCaptureControl = nullptr;
                if (FClicked) {
                    FClicked = false;
                    if (ClientRect().Contains(TPoint::FromQPoint(pos)))
                        Click();
                }
            }
            if (alive)
                HandleMouseUp(button, shift, pos.x(), pos.y());
            break;
        case QEvent::MouseMove:
            HandleMouseMove(shift, pos.x(), pos.y());
            break;
        default:
            break;
        }
    });
    if (!alive)
        return;   // a handler freed the control
    if (NativeInput)
        link.NativeMouse(event);
    else
        event->accept();   // mouse messages do not travel to the parent
}

bool TControl::WidgetContextMenu(QContextMenuEvent* event)
{
    if (!FPopupMenu || !FPopupMenu->AutoPopup)
        return false;
    const QPoint at = event->globalPos();
    GuardedDispatch([&] {
        FPopupMenu->PopupComponent = this;
        FPopupMenu->Popup(at.x(), at.y());
    });
    return true;
}

void TControl::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    link.NativePaint(event);
}

// ---- TWinControl ------------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner, QWidget* widget) : TControl(AOwner, widget), FHandle(gNextHandle++)
{
    WatchHeldKeys();   // once per program, before any key can be held
    Registry()[FHandle] = this;
}

TWinControl::~TWinControl()
{
    Destroying();
    for (int i = 0; i < Screen->FormCount(); ++i)
        Screen->Forms(i)->ControlGone(this);
    // The toolkit frees the controls inside a window control with it, whoever owns them.
    while (!FControls.empty())
        delete FControls.back();
    Registry().erase(FHandle);
}

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        RaiseListIndexError(Index);
    return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const
{
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_COMMAND) {
        // A child's notification goes back to the child, which handles it itself.
        TWinControl* child = FindControl(HWND(Message.LParam));
        if (child && child != this && ContainsControl(child))
            Message.Result = child->Perform(CN_COMMAND, Message.WParam, Message.LParam);
        return;
    }
    // A posted key message is a key from the keyboard: the Qt event runs the key protocol.
    if (!IsPostedMessage(Message) || (Message.Msg != WM_KEYDOWN && Message.Msg != WM_KEYUP) || !Widget())
        return;
    const WORD vk = WORD(Message.WParam);
    const int key = VKToQtKey(vk);
    if (!key)
        return;
    Qt::KeyboardModifiers modifiers;
    if (Message.LParam & KF_SHIFTDOWN)
        modifiers |= Qt::ShiftModifier;
    if (Message.LParam & KF_CTRLDOWN)
        modifiers |= Qt::ControlModifier;
    if (Message.LParam & KF_ALTDOWN)
        modifiers |= Qt::AltModifier;
    QString text;
    if (vk == VK_RETURN)
        text = QStringLiteral("\r");
    else if (vk == VK_ESCAPE)
        text = QString(QChar(27));
    else if (vk == VK_TAB)
        text = QStringLiteral("\t");
    QKeyEvent event(Message.Msg == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(Widget(), &event);
}

void TWinControl::InsertControl(TControl* Control)
{
    FControls.push_back(Control);
    if (auto* win = dynamic_cast<TWinControl*>(Control))
        FTabList.push_back(win);
    InsertChildWidget(Control);
}

void TWinControl::RemoveControl(TControl* Control)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), Control), FTabList.end());
    RemoveChildWidget(Control);
    Realign();
}

void TWinControl::InsertChildWidget(TControl* Child)
{
    QWidget* w = Child->Widget();
    if (!w)
        return;
    const QRect g = w->geometry();
    w->setParent(ChildHost());
    w->setGeometry(g);
    Child->ApplyVisible();
}

void TWinControl::RemoveChildWidget(TControl* Child)
{
    // A control on its way out deletes its widget anyway; others become parentless (hidden).
    if (Child->Widget() && !(Child->ComponentState() & csDestroying))
        Child->Widget()->setParent(nullptr);
}

void TWinControl::ChildBoundsChanged(TControl* Child)
{
    if (!FAligning && Child->Align() != alNone)
        Realign();
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (!Parent())
        return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    const int at = std::clamp(Value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + at, this);
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    return Widget() && Widget()->hasFocus();
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form || !CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const
{
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int n = static_cast<int>(list.size());
    if (n == 0)
        return nullptr;
    int start = static_cast<int>(std::find(list.begin(), list.end(), Current) - list.begin());
    if (start == n)
        start = GoForward ? n - 1 : 0;   // not in the list: begin at the first (or last)
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == Current)
            continue;
        if (CheckParent && c->Parent() != this)
            continue;
        if (c->CanFocus() && (!CheckTabStop || c->TabStop()))
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* next = FindNextControl(Current, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

bool TWinControl::WantsKey(WORD, TShiftState) const
{
    return false;
}

void TWinControl::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (!(ControlStyle & csNoStdEvents) && OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    if (!(ControlStyle & csNoStdEvents) && OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::HandleKeyPress(char16_t& Key)
{
    if (!(ControlStyle & csNoStdEvents) && OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::HandleSetFocus()
{
    // Here, not after the handler: an override that calls this first sees DoEnter done.
    if (TCustomForm* form = GetParentForm(this); form && form != this)
        form->FocusChangedTo(this);
}

void TWinControl::HandleKillFocus() {}

bool TWinControl::HandleDialogKey(WORD& Key, TShiftState Shift)
{
    const std::vector<TControl*> children = FControls;   // a handler may change the list
    for (TControl* c : children)
        if (ContainsControl(c) && c->HandleDialogKey(Key, Shift))
            return true;
    return false;
}

bool TWinControl::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        if (ContainsControl(c) && c->HandleDialogChar(Key, Shift))
            return true;
    return false;
}

void TWinControl::HandleFocusChanged(TWinControl* Focused)
{
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        if (ContainsControl(c))
            c->HandleFocusChanged(Focused);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

namespace
{
// The window system's MulDiv: a * b / c rounded half away from zero.
int ScaleMulDiv(int a, int b, int c)
{
    const double v = double(a) * double(b) / double(c);
    return int(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}
} // namespace

void TControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    SetBounds(ScaleMulDiv(Left(), M, D), ScaleMulDiv(Top(), M, D), ScaleMulDiv(Width(), M, D),
              ScaleMulDiv(Height(), M, D));
    if (!FParentFont)
        Font->Size = ScaleMulDiv(Font->Size, M, D);
}

void TWinControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    DisableAlign();
    TControl::ChangeScale(M, D);
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ChangeScale(M, D);
    EnableAlign();
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0)
        Realign();
}

void TWinControl::Realign()
{
    if (FAlignLevel > 0 || FAligning || IsDestroying())
        return;
    TRect r = ClientRect();
    FAligning = true;
    try {
        AlignControls(r);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::Resize()
{
    Realign();
    TControl::Resize();
}

void TWinControl::AlignControls(TRect& Rect)
{
    // Aligned controls take their strips in the toolkit's order: top, bottom, left, right, client;
    // among equals the one nearer its edge first.
    auto take = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), c->Height());
                Rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), Rect.Width(), c->Height());
                Rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->Width(), Rect.Height());
                Rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), Rect.Height());
                Rect.Right -= c->Width();
                break;
            case alClient:
                c->SetBounds(Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()));
                break;
            default: break;
            }
        }
    };
    take(alTop);
    take(alBottom);
    take(alLeft);
    take(alRight);
    take(alClient);

    // Anchored controls keep their distances to the anchored edges of this control.
    const QSize now(ClientWidth(), ClientHeight());
    for (TControl* c : FControls) {
        if (c->Align() != alNone || !c->FAnchorParentSize.isValid())
            continue;
        const TAnchors a = c->Anchors();
        if (a == (akLeft | akTop))
            continue;
        const int dw = now.width() - c->FAnchorParentSize.width();
        const int dh = now.height() - c->FAnchorParentSize.height();
        TRect b = c->FAnchorBounds;
        if (a.Has(TAnchors::Right)) {
            if (a.Has(TAnchors::Left))
                b.Right += dw;
            else
                OffsetRect(b, dw, 0);
        }
        if (a.Has(TAnchors::Bottom)) {
            if (a.Has(TAnchors::Top))
                b.Bottom += dh;
            else
                OffsetRect(b, 0, dh);
        }
        const TRect keep = c->FAnchorBounds;
        const QSize keepParent = c->FAnchorParentSize;
        c->SetBounds(b.Left, b.Top, b.Width(), b.Height());
        c->FAnchorBounds = keep;   // the rule stays relative to where it was set
        c->FAnchorParentSize = keepParent;
    }
}

void TWinControl::HandleNeeded()
{
    if (FWndCreated || IsDestroying())
        return;
    FWndCreated = true;
    CreateWnd();
}

bool TWinControl::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    switch (event->type()) {
    case QEvent::Show: // the window exists from its first show on (after loading)
        GuardedDispatch([&] { HandleNeeded(); });
        return link.NativeEvent(event);
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        DispatchKeyEvent(static_cast<QKeyEvent*>(event), link);
        return true;
    case QEvent::FocusIn: {
        const bool result = link.NativeEvent(event);
        GuardedDispatch([&] { HandleSetFocus(); });
        return result;
    }
    case QEvent::FocusOut: {
        const bool result = link.NativeEvent(event);
        GuardedDispatch([&] { HandleKillFocus(); });
        return result;
    }
    default:
        return TControl::WidgetEvent(event, link);
    }
}

bool IsDialogKeyCode(WORD key)
{
    switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        return true;
    default:
        return false;
    }
}

bool IsArrowKey(WORD key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

char16_t KeyPressChar(const QString& text, WORD key, TShiftState shift)
{
    if ((shift & ssCtrl) && !(shift & ssAlt) && key >= 'A' && key <= 'Z')
        return char16_t(key - 'A' + 1);
    // Ctrl+Alt is AltGr: it types what the layout gives, not the key's letter.
    if ((shift & ssAlt) && !(shift & ssCtrl) && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')))
        return char16_t(key);
    switch (key) {
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    default: break;
    }
    if (text.isEmpty() || text[0].unicode() < 32 || text[0].unicode() == 127)
        return 0;
    if (shift & ssCtrl)
        return 0; // Ctrl with a non-letter types nothing
    return text[0].unicode();
}

QKeyEvent* HeldKeyEvent(QKeyEvent* event, std::optional<QKeyEvent>& marked)
{
    switch (HeldKeyStage(event)) {
    case THeldKeyStage::Drop:
        return nullptr;
    case THeldKeyStage::Repeat:
        marked.emplace(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), event->text(), true,
                       event->count(), event->device());
        marked->setTimestamp(event->timestamp());
        return &*marked;
    case THeldKeyStage::Pass:
        break;
    }
    return event;
}

void TWinControl::DispatchKeyEvent(QKeyEvent* event, TControlWidgetLink& link)
{
    QPointer<QWidget> alive = Widget();
    GuardedDispatch([&] {
        TCustomForm* form = GetParentForm(this);
        TWinControl* top = form ? static_cast<TWinControl*>(form) : this;
        TCustomForm* preview = form && form != this && form->KeyPreview ? form : nullptr;
        const TShiftState shift = KeyboardModifiersToShiftState(event->modifiers());
        WORD key = KeyEventToVK(event);

        if (event->type() == QEvent::KeyRelease) {
            if (key) {
                if (preview) {
                    preview->HandleKeyUp(key, shift);
                    if (!key)
                        return;
                }
                HandleKeyUp(key, shift);
                if (!key || !alive)
                    return;
            }
            link.NativeEvent(event);
            return;
        }

        const WORD original = key;
        if (key) {
            if (IsDialogKeyCode(key) && !ControlWantsKey(this, key, shift)) {
                WORD dialogKey = key;
                if (top->HandleDialogKey(dialogKey, shift) || !alive)
                    return;
            }
            if (preview) {
                preview->HandleKeyDown(key, shift);
                if (!key)
                    return;
            }
            HandleKeyDown(key, shift);
            if (!key || !alive)
                return;
        }
        const char16_t ch = KeyPressChar(event->text(), original, shift);
        if (ch) {
            const bool alt = (shift & ssAlt) && !(shift & ssCtrl);
            // Alt+character is an accelerator or nothing; it never types. A plain character typed
            // on a control that takes none (a button) is an accelerator too when one matches.
            if (alt || (ch >= 32 && !WantsChars())) {
                if (top->HandleDialogChar(ch, shift) || alt || !alive)
                    return;
            }
            char16_t typed = ch;
            if (preview) {
                preview->HandleKeyPress(typed);
                if (!typed)
                    return;
            }
            HandleKeyPress(typed);
            if (!typed || !alive)
                return;
            if (typed != ch) {
                QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(QChar(typed)),
                                   event->isAutoRepeat(), event->count());
                link.NativeEvent(&replaced);
                return;
            }
        }
        if (alive)
            link.NativeEvent(event);
    });
    event->accept();   // keys never travel on to the parents
}

namespace {

// Sends an inner widget's key events through its control's key protocol.
class TKeyRouter : public QObject, public TControlWidgetLink {
public:
    TKeyRouter(TWinControl* owner, QWidget* inner, void (TWinControl::*dispatch)(QKeyEvent*, TControlWidgetLink&))
        : owner_(owner), inner_(inner), dispatch_(dispatch)
    {
        Control = owner;
    }
    bool NativeEvent(QEvent* e) override { return inner_ && static_cast<QObject*>(inner_)->event(e); }
    void NativeMouse(QMouseEvent*) override {}
    void NativePaint(QPaintEvent*) override {}
    void NativeContextMenu(QContextMenuEvent*) override {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != inner_ || (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease))
            return false;
        if (owner_->ComponentState() & csDestroying)
            return false;
        TWinControl* owner = owner_;
        const auto dispatch = dispatch_;
        DeliverKeyEvent(static_cast<QKeyEvent*>(e), [this, owner, dispatch](QKeyEvent* k) {
            (owner->*dispatch)(k, *this);
            return true;
        });
        return true;
    }

private:
    TWinControl* owner_;
    QPointer<QWidget> inner_;
    void (TWinControl::*dispatch_)(QKeyEvent*, TControlWidgetLink&);
};

} // namespace

void TWinControl::RouteKeysOf(QWidget* inner)
{
    auto router = std::make_unique<TKeyRouter>(this, inner, &TWinControl::DispatchKeyEvent);
    inner->installEventFilter(router.get());
    FKeyRouters.push_back(std::move(router));
}

// ---- Self-drawn controls ----------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QWidget>()), Canvas(new TCanvas())
{
    Widget()->setFocusPolicy(Qt::NoFocus);   // it takes the focus itself (SetFocus), as in the toolkit
}

TCustomControl::~TCustomControl()
{
    Destroying();
    delete Canvas;
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWidget(QPaintEvent*, TControlWidgetLink&)
{
    QPainter painter(Widget());
    TCanvasPainterBinding binding(*Canvas, painter);
    GuardedDispatch([&] {
        // The window system erases the background with the control's colour before painting.
        if (!(ControlStyle & csOpaque)) {
            Canvas->Brush->Color = Color();
            Canvas->Brush->Style = bsSolid;
            Canvas->FillRect(ClientRect());
        }
        Paint();
    });
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner, new TWidgetBridge<QWidget>()), Canvas(new TCanvas())
{
    Widget()->setFocusPolicy(Qt::NoFocus);
}

TGraphicControl::~TGraphicControl()
{
    Destroying();
    delete Canvas;
}

void TGraphicControl::PaintWidget(QPaintEvent*, TControlWidgetLink&)
{
    QPainter painter(Widget());
    TCanvasPainterBinding binding(*Canvas, painter);
    GuardedDispatch([&] { Paint(); });
}
