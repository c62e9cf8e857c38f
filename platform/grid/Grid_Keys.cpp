// Keys of the toolkit grid: the key stages shared with its editor, the grid's message stages and
// its navigation.
#include "platform/controls/Forms.h"
#include "platform/grid/Grid.h"

#include <QKeyEvent>
#include <QPointer>

// ---- Key messages ----------------------------------------------------------------------------------

namespace
{

LPARAM KeyDataOf(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers m = e->modifiers();
    LPARAM data = 1; // repeat count
    if (m & Qt::KeypadModifier)
        data |= KF_KEYPAD;
    if (m & Qt::ShiftModifier)
        data |= KF_SHIFTDOWN;
    if (m & Qt::ControlModifier)
        data |= KF_CTRLDOWN;
    if (m & Qt::AltModifier)
        data |= KF_ALTDOWN;
    if (e->isAutoRepeat())
        data |= KF_REPEAT;
    if (e->type() == QEvent::KeyRelease)
        data |= KF_UP;
    return data;
}

TCustomForm* PreviewForm(TWinControl* control)
{
    TCustomForm* form = GetParentForm(control);
    return form && form != control && form->KeyPreview ? form : nullptr;
}

// The dialog-key check: true when the form took the key.
bool FormTookKey(TWinControl* control, WORD key, TShiftState shift)
{
    if (!IsDialogKeyCode(key) || control->WantsKey(key, shift))
        return false;
    TCustomForm* form = GetParentForm(control);
    TWinControl* top = form ? static_cast<TWinControl*>(form) : control;
    WORD dialogKey = key;
    return top->HandleDialogKey(dialogKey, shift);
}

// The character stage of a key; Alt+character is an accelerator and types nothing.
void RunCharStage(TWinControl* control, char16_t ch, LPARAM keyData, const gridinput::TProcedure& procedure)
{
    const TShiftState shift = KeyDataToShiftState(keyData);
    if ((shift & ssAlt) && !(shift & ssCtrl)) {
        TCustomForm* form = GetParentForm(control);
        TWinControl* top = form ? static_cast<TWinControl*>(form) : control;
        top->HandleDialogChar(ch, shift);
        return;
    }
    TMessage m{WM_CHAR, WPARAM(ch), keyData & ~KF_UP, 0};
    procedure(m);
}

} // namespace

void gridinput::RunKeyEvent(TWinControl* Control, QKeyEvent* Event, const TProcedure& Procedure)
{
    QPointer<QWidget> alive = Control->Widget();
    GuardedDispatch([&] {
        const WORD key = KeyEventToVK(Event);
        const LPARAM data = KeyDataOf(Event);
        const TShiftState shift = KeyDataToShiftState(data);
        if (Event->type() == QEvent::KeyRelease) {
            if (key) {
                TMessage m{WM_KEYUP, key, data, 0};
                Procedure(m);
            }
            return;
        }
        if (key && FormTookKey(Control, key, shift))
            return;
        if (!alive)
            return;
        if (key) {
            TMessage m{WM_KEYDOWN, key, data, 0};
            Procedure(m);
        }
        // The character was queued with the key: it comes even when the key-down stage consumed
        // the key, hid the control or moved the focus.
        const char16_t ch = KeyPressChar(Event->text(), key, shift);
        if (ch && alive && !(Control->ComponentState() & csDestroying))
            RunCharStage(Control, ch, data, Procedure);
    });
    Event->accept(); // keys never travel on to the parents
}

void gridinput::RunMessage(TWinControl* Control, TMessage& Message, const TProcedure& Procedure)
{
    if (Message.Msg != WM_KEYDOWN) {
        Procedure(Message);
        return;
    }
    const WORD key = WORD(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    if (FormTookKey(Control, key, shift))
        return;
    QPointer<QWidget> alive = Control->Widget();
    Procedure(Message);
    // A message carries no text: only the characters that the key itself defines.
    QString text;
    if (key >= 'A' && key <= 'Z')
        text = QChar((shift & ssShift) ? key : key + ('a' - 'A'));
    else if ((key >= '0' && key <= '9') || key == VK_SPACE)
        text = QChar(key);
    const char16_t ch = KeyPressChar(text, key, shift);
    if (ch && alive && !(Control->ComponentState() & csDestroying))
        RunCharStage(Control, ch, Message.LParam, Procedure);
}

void gridinput::DoKeyDown(TWinControl* Control, WORD& Key, TShiftState Shift)
{
    if (TCustomForm* form = PreviewForm(Control)) {
        form->HandleKeyDown(Key, Shift);
        if (!Key)
            return;
    }
    Control->HandleKeyDown(Key, Shift);
}

void gridinput::DoKeyPress(TWinControl* Control, char16_t& Key)
{
    if (TCustomForm* form = PreviewForm(Control)) {
        form->HandleKeyPress(Key);
        if (!Key)
            return;
    }
    Control->HandleKeyPress(Key);
}

void gridinput::DoKeyUp(TWinControl* Control, WORD& Key, TShiftState Shift)
{
    if (TCustomForm* form = PreviewForm(Control)) {
        form->HandleKeyUp(Key, Shift);
        if (!Key)
            return;
    }
    Control->HandleKeyUp(Key, Shift);
}

// ---- The grid's key stages -------------------------------------------------------------------------

bool TCustomGrid::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Keys the grid uses are not shortcuts while it has the focus; the others reach the window.
        auto* k = static_cast<QKeyEvent*>(event);
        if (ClaimsKey(k))
            k->accept();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        gridinput::RunKeyEvent(this, static_cast<QKeyEvent*>(event),
                               [this](TMessage& m) { WindowProcedure(m); });
        return true;
    default:
        return TCustomControl::WidgetEvent(event, link);
    }
}

bool TCustomGrid::ClaimsKey(const QKeyEvent* Event) const
{
    const TShiftState shift = KeyboardModifiersToShiftState(Event->modifiers());
    const WORD key = KeyEventToVK(Event);
    if (shift & ssAlt)
        return false;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return true;
    case VK_TAB:
        return WantsKey(key, shift);
    case VK_F2:
    case VK_RETURN:
    case VK_ESCAPE:
        return !(shift & ssCtrl);
    default:
        break;
    }
    return FOptions.Contains(goEditing) && OpensEditor(KeyPressChar(Event->text(), key, shift));
}

bool TCustomGrid::OpensEditor(char16_t Ch)
{
    return Ch == 8 || (Ch >= 32 && Ch != 127);
}

void TCustomGrid::HandleWMKeyDown(TWMKey& Message)
{
    WORD key = Message.CharCode;
    gridinput::DoKeyDown(this, key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
}

void TCustomGrid::HandleWMChar(TWMKey& Message)
{
    const char16_t ch = Message.CharCode;
    if (FOptions.Contains(goEditing) && OpensEditor(ch)) {
        ShowEditorChar(ch);
        return;
    }
    char16_t key = ch;
    gridinput::DoKeyPress(this, key);
    Message.CharCode = key;
}

void TCustomGrid::HandleWMKeyUp(TWMKey& Message)
{
    WORD key = Message.CharCode;
    gridinput::DoKeyUp(this, key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
}

bool TCustomGrid::WantsKey(WORD Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_TAB:
        return FOptions.Contains(goTabs) && !(Shift & (ssCtrl | ssAlt));
    case VK_RETURN:
        return FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor);
    default:
        return false;
    }
}

void TCustomGrid::HandleKeyPress(char16_t& Key)
{
    TCustomControl::HandleKeyPress(Key);
    if (Key == 13 && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

// ---- Navigation ------------------------------------------------------------------------------------

void TCustomGrid::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::HandleKeyDown(Key, Shift);
    if (!Key || (Shift & ssAlt))
        return;
    const bool ctrl = Shift & ssCtrl;
    const bool rowSelect = FOptions.Contains(goRowSelect);
    const int page = std::max(VisibleRowCount(), 1);
    const int colPage = std::max(VisibleColCount(), 1);
    TGridCoord target = FCurrent;
    int left = LeftCol();
    int top = TopRow();
    bool moveAnchor = !(Shift & ssShift);

    switch (Key) {
    case VK_UP:
    case VK_DOWN: {
        const int step = Key == VK_UP ? -1 : 1;
        if (ctrl)
            top += step; // scrolls only
        else
            target.Y += step;
        break;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        const int step = Key == VK_LEFT ? -1 : 1;
        if (rowSelect) {
            target.Y += step;
        } else if (ctrl) {
            target.X += step * colPage;
            left += step * colPage;
        } else {
            target.X += step;
        }
        break;
    }
    case VK_PRIOR:
        if (ctrl) {
            target.Y = TopRow();
        } else {
            target.Y -= page;
            top -= page;
        }
        break;
    case VK_NEXT:
        if (ctrl) {
            target.Y = TopRow() + page - 1;
        } else {
            target.Y += page;
            top += page;
        }
        break;
    case VK_HOME:
        if (ctrl)
            target = TGridCoord{FixedCols(), FixedRows()};
        else if (rowSelect)
            target.Y = FixedRows();
        else
            target.X = FixedCols();
        break;
    case VK_END:
        if (ctrl)
            target = TGridCoord{ColCount() - 1, RowCount() - 1};
        else if (rowSelect)
            target.Y = RowCount() - 1;
        else
            target.X = ColCount() - 1;
        break;
    case VK_TAB: {
        if (!FOptions.Contains(goTabs) || ctrl)
            return;
        moveAnchor = true;
        const int step = (Shift & ssShift) ? -1 : 1;
        if (rowSelect) {
            target.Y += step;
            if (target.Y >= RowCount())
                target.Y = FixedRows();
            else if (target.Y < FixedRows())
                target.Y = RowCount() - 1;
            break;
        }
        target.X += step;
        if (target.X >= ColCount()) {
            target.X = FixedCols();
            target.Y = target.Y + 1 < RowCount() ? target.Y + 1 : FixedRows();
        } else if (target.X < FixedCols()) {
            target.X = ColCount() - 1;
            target.Y = target.Y - 1 >= FixedRows() ? target.Y - 1 : RowCount() - 1;
        }
        break;
    }
    case VK_F2:
        ShowEditor();
        return;
    default:
        return;
    }

    target.X = std::clamp(target.X, FixedCols(), ColCount() - 1);
    target.Y = std::clamp(target.Y, FixedRows(), RowCount() - 1);
    left = std::clamp(left, FixedCols(), std::max(FixedCols(), MaxLeftCol()));
    top = std::clamp(top, FixedRows(), std::max(FixedRows(), MaxTopRow()));
    if (left != LeftCol() || top != TopRow())
        MoveTopLeft(left, top);
    if (!(target == FCurrent))
        FocusCell(target.X, target.Y, moveAnchor);
}

// ---- Messages --------------------------------------------------------------------------------------

void TCustomGrid::WndProc(TMessage& Message)
{
    gridinput::RunMessage(this, Message, [this](TMessage& m) { WindowProcedure(m); });
}

void TCustomGrid::WindowProcedure(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        gridinput::RunKeyStage(this, Message, &TCustomGrid::HandleWMKeyDown, &TCustomGrid::HandleWMChar,
                               &TCustomGrid::HandleWMKeyUp);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE: {
        TWMMouse mouse = TWMMouse::From(Message);
        switch (Message.Msg) {
        case WM_LBUTTONDOWN:
            HandleWMLButtonDown(mouse);
            break;
        case WM_LBUTTONUP:
            HandleWMLButtonUp(mouse);
            break;
        case WM_LBUTTONDBLCLK:
            HandleWMLButtonDblClk(mouse);
            break;
        case WM_RBUTTONDOWN:
            HandleWMRButtonDown(mouse);
            break;
        case WM_RBUTTONUP:
            HandleWMRButtonUp(mouse);
            break;
        case WM_MBUTTONDOWN:
            HandleWMMButtonDown(mouse);
            break;
        case WM_MBUTTONUP:
            HandleWMMButtonUp(mouse);
            break;
        default:
            HandleWMMouseMove(mouse);
            break;
        }
        Message.Result = mouse.Result;
        return;
    }
    case WM_MOUSEWHEEL: {
        TWMMouseWheel wheel = TWMMouseWheel::From(Message);
        HandleWMMouseWheel(wheel);
        Message.Result = wheel.Result;
        return;
    }
    case WM_COMMAND: {
        // Reflected to the child that sent it, which handles its own notification.
        TWinControl* child = FindControl(HWND(Message.LParam));
        if (child && child != this && ContainsControl(child))
            Message.Result = child->Perform(CN_COMMAND, Message.WParam, Message.LParam);
        return;
    }
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}
