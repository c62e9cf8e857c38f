// TExtCustomDropDown: key stages, dialog keys, focus and mouse of the edit.
#include "grid/dropdown/DropDownForm.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/controls/Forms.h"
#include "platform/grid/Grid.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace
{

bool TypesChar(const QKeyEvent* e)
{
    const QString t = e->text();
    return !t.isEmpty() && t[0].unicode() >= 32 && t[0].unicode() != 127;
}

} // namespace

// ---- Messages --------------------------------------------------------------------------------------

void TExtCustomDropDown::WndProc(TMessage& Message)
{
    // A posted key is a key from the keyboard: the base sends it through the whole key protocol.
    if (IsPostedMessage(Message) && (Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP)) {
        TMaskEdit::WndProc(Message);
        return;
    }
    // Sent keys (the pop-up's forwarding) run only their own stage: the character of a forwarded
    // key comes as its own WM_CHAR, so none is added here.
    WindowProcedure(Message);
}

void TExtCustomDropDown::WindowProcedure(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        gridinput::RunKeyStage(this, Message, &TExtCustomDropDown::HandleWMKeyDown,
                               &TExtCustomDropDown::HandleWMChar, &TExtCustomDropDown::HandleWMKeyUp);
        return;
    case CN_COMMAND:
        if (HiWord(Message.WParam) == EN_CHANGE)
            HandleChange();
        return;
    default:
        TMaskEdit::WndProc(Message);
        return;
    }
}

bool TExtCustomDropDown::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        auto* k = static_cast<QKeyEvent*>(event);
        const WORD key = KeyEventToVK(k);
        const TShiftState shift = KeyboardModifiersToShiftState(k->modifiers());
        if (key == VK_ESCAPE || key == VK_RETURN || key == VK_F4 ||
            ((shift & ssAlt) && (key == VK_UP || key == VK_DOWN))) {
            k->accept();
            return true;
        }
        return TMaskEdit::WidgetEvent(event, link);
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        QKeyEvent* outer = FKeyEvent;
        const bool outerNative = FKeyDownNative;
        FKeyEvent = static_cast<QKeyEvent*>(event);
        FKeyDownNative = false;
        gridinput::RunKeyEvent(this, FKeyEvent, [this](TMessage& m) { WindowProcedure(m); });
        FKeyEvent = outer;
        FKeyDownNative = outerNative;
        return true;
    }
    default:
        return TMaskEdit::WidgetEvent(event, link);
    }
}

// ---- Key stages ------------------------------------------------------------------------------------

void TExtCustomDropDown::HandleWMKeyDown(TWMKey& Message)
{
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    const auto platform = [&] {
        WORD key = Message.CharCode;
        gridinput::DoKeyDown(this, key, shift);
        Message.CharCode = key;
        if (!key || IsDestroying() || !Widget())
            return;
        if (!FKeyEvent) {
            SendNativeKey(key, shift, true);
            return;
        }
        // A key with a character goes to the line edit with its character; the others now.
        const bool ctrlLetter = (shift & ssCtrl) && key >= 'A' && key <= 'Z';
        if (TypesChar(FKeyEvent) || ctrlLetter || key == VK_BACK || key == VK_RETURN || key == VK_TAB ||
            key == VK_ESCAPE)
            FKeyDownNative = true;
        else
            dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(FKeyEvent);
    };
    const auto closeKeys = [&](WORD key) {
        if (ReadOnly())
            return;
        if (key == VK_RETURN)
            DoHideDropDown(false);
        else if (key == VK_ESCAPE)
            DoHideDropDown(true);
        else if (key == VK_F4) {
            if (FDropDownForm && FDropDownForm->Visible())
                DoHideDropDown(false);
            else
                DoShowDropDown();
        }
    };
    if (Designing()) {
        platform();
        return;
    }
    const WORD key = Message.CharCode;
    // Alt+Up and Alt+Down are system keys: the key-down handler toggles the window.
    if ((shift & ssAlt) && (key == VK_UP || key == VK_DOWN)) {
        platform();
        return;
    }
    if (!FEditorEnabled) {
        if (!Enabled())
            return;
        closeKeys(key);
        if (key == VK_RETURN || key == VK_ESCAPE)
            platform();
        else
            Message.CharCode = 0;
        return;
    }
    if ((shift & ssCtrl) && (key == VK_TAB || key == VK_RETURN)) {
        platform();
        return;
    }
    if (ReturnIsTab && key == VK_RETURN) {
        Message.CharCode = VK_TAB;
        if (Visible())
            PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    platform();
    closeKeys(Message.CharCode);
}

void TExtCustomDropDown::HandleWMChar(TWMKey& Message)
{
    if (!FEditorEnabled) {
        Message.CharCode = 0;
        return;
    }
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    const auto platform = [&] {
        const char16_t typed = char16_t(Message.CharCode);
        char16_t ch = typed;
        gridinput::DoKeyPress(this, ch);
        Message.CharCode = ch;
        if (!ch || IsDestroying() || !Widget())
            return;
        if (FKeyEvent && FKeyDownNative && ch == typed) {
            dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(FKeyEvent);
            return;
        }
        if (ch == 8 || ch >= 32)
            TypeChar(ch);
    };
    TCustomForm* form = GetParentForm(this);
    const bool preview = form && form->KeyPreview;
    const char16_t ch = char16_t(Message.CharCode);
    if (ch == 10 || (ch == 13 && (shift & ssCtrl))) {
        Message.CharCode = 0;
        Message.Result = 1;
        return;
    }
    if (ch == 13) {
        char16_t enter = 13;
        if (OnKeyPress)
            OnKeyPress(this, enter);
        Message.CharCode = 0;
        if (!DefaultHandling && Parent()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
            if (preview) {
                Message.CharCode = 13;
                platform();
            } else {
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
            }
        }
        return;
    }
    if (ch == 27) {
        if (!DefaultHandling && Parent()) {
            if (preview) {
                platform();
            } else {
                PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
                Message.CharCode = 0;
            }
            return;
        }
    }
    platform();
}

void TExtCustomDropDown::HandleWMKeyUp(TWMKey& Message)
{
    WORD key = Message.CharCode;
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    gridinput::DoKeyUp(this, key, shift);
    Message.CharCode = key;
    if (!key || IsDestroying() || !Widget())
        return;
    if (FKeyEvent)
        dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(FKeyEvent);
    else
        SendNativeKey(key, shift, false);
}

void TExtCustomDropDown::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TMaskEdit::HandleKeyDown(Key, Shift);
    if ((Shift & ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
        Key = 0;
    }
}

void TExtCustomDropDown::HandleKeyPress(char16_t& Key)
{
    TMaskEdit::HandleKeyPress(Key);
    if (Key == 13)
        Key = 0;
}

void TExtCustomDropDown::TypeChar(char16_t Ch)
{
    QLineEdit* edit = LineEdit();
    if (edit->isReadOnly())
        return;
    if (Ch == 8)
        edit->backspace();
    else
        edit->insert(QString(QChar(Ch)));
}

void TExtCustomDropDown::SendNativeKey(WORD Key, TShiftState Shift, bool Press)
{
    // Only the keys that move the caret or delete: characters come as their own WM_CHAR.
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_DELETE:
        break;
    default:
        return;
    }
    Qt::KeyboardModifiers modifiers;
    if (Shift & ssShift)
        modifiers |= Qt::ShiftModifier;
    if (Shift & ssCtrl)
        modifiers |= Qt::ControlModifier;
    QKeyEvent event(Press ? QEvent::KeyPress : QEvent::KeyRelease, VKToQtKey(Key), modifiers);
    dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(&event);
}

// ---- Dialog keys -----------------------------------------------------------------------------------

bool TExtCustomDropDown::WantsKey(WORD Key, TShiftState Shift) const
{
    // The toolkit asks once per key, as the window system sends CM_WANTSPECIALKEY.
    return const_cast<TExtCustomDropDown*>(this)->HandleCMWantSpecialKey(Key, Shift);
}

bool TExtCustomDropDown::HandleCMWantSpecialKey(WORD Key, TShiftState Shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form) {
        if (Key == VK_ESCAPE && CanUndo && !form->KeyPreview) {
            SelectAll();
            SetModifiedState(false);
            if (DefaultHandling && Parent()) {
                PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
            }
            return true;
        }
        if (Key == VK_RETURN && DefaultHandling && !form->KeyPreview && Parent() && Parent()->Focused()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
        }
    }
    if (Key == VK_ESCAPE && FDroppedDown)
        return true;
    // The multi-line edit window keeps arrows, Enter and Esc; Tab stays a dialog key.
    return Key == VK_RETURN || Key == VK_ESCAPE || TMaskEdit::WantsKey(Key, Shift);
}

// ---- Focus and mouse -------------------------------------------------------------------------------

void TExtCustomDropDown::HandleSetFocus()
{
    HandleWMSetFocus();
}

void TExtCustomDropDown::HandleKillFocus()
{
    HandleWMKillFocus();
}

void TExtCustomDropDown::HandleWMSetFocus()
{
    if (ComponentState() & csLoading)
        return;
    TMaskEdit::HandleSetFocus();
    if (FEditorEnabled) {
        if (AutoSelect)
            SelectAll();
        else if (EditType == etFloat || EditType == etMoney)
            SelectBeforeDecimal();
    } else {
        Invalidate();
    }
}

void TExtCustomDropDown::HandleWMKillFocus()
{
    if (ComponentState() & csLoading)
        return;
    TMaskEdit::HandleKillFocus();
    if (!FEditorEnabled)
        Invalidate();
}

void TExtCustomDropDown::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TMaskEdit::HandleMouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && !FEditorEnabled)
        DropButtonClick();
}
