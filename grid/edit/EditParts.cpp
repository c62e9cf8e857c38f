// Shared pieces of the edits with an inner button: key messages, button placement, text area, the
// guards of an edit that takes no typing.
#include "grid/edit/EditParts.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <memory>

bool esgedit::PerformKeyMessage(TWinControl* Control, const TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_KEYUP)
        return false;
    const WORD vk = WORD(Message.WParam);
    const int key = VKToQtKey(vk);
    if (!key || !Control->Widget())
        return true;
    Qt::KeyboardModifiers modifiers;
    if (Message.LParam & KF_SHIFTDOWN)
        modifiers |= Qt::ShiftModifier;
    if (Message.LParam & KF_CTRLDOWN)
        modifiers |= Qt::ControlModifier;
    if (Message.LParam & KF_ALTDOWN)
        modifiers |= Qt::AltModifier;
    if (Message.LParam & KF_KEYPAD)
        modifiers |= Qt::KeypadModifier;
    // The characters the key itself defines; a message carries no text of its own.
    QString text;
    if (vk >= 'A' && vk <= 'Z')
        text = QChar((modifiers & Qt::ShiftModifier) ? vk : vk + ('a' - 'A'));
    else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE)
        text = QChar(vk);
    else if (vk == VK_TAB)
        text = QStringLiteral("\t");
    QKeyEvent event(Message.Msg == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(Control->Widget(), &event);
    return true;
}

int esgedit::BorderWidth(const TEdit* Edit)
{
    return Edit->BorderStyle() == bsNone ? 0 : 2;
}

int esgedit::TextHeight(const TFont* Font)
{
    return QFontMetrics(Font->ToQFont()).height();
}

int esgedit::ScreenTextHeight()
{
    return QFontMetrics(QApplication::font()).height();
}

int esgedit::ClientWidthOf(const TEdit* Edit)
{
    return Edit->Width() - 2 * BorderWidth(Edit);
}

void esgedit::PlaceButton(TEdit* Edit, TControl* Button)
{
    // Placed in client coordinates (inside the border) and shifted by the border onto the widget.
    const int border = BorderWidth(Edit);
    const int d = Edit->BorderStyle() == bsNone ? 1 : 5;
    const int width = Button->Width();
    Button->SetBounds(border + Edit->Width() - width - d, border, width, Edit->Height() - d);
}

void esgedit::SetTextArea(TEdit* Edit, int Left, int Right)
{
    const QMargins m = Edit->LineEdit()->textMargins();
    Edit->LineEdit()->setTextMargins(Left, m.top(), ClientWidthOf(Edit) - Right, m.bottom());
}

bool esgedit::IsPasteOrCutKey(WORD Key, TShiftState Shift)
{
    const TShiftState mods = Shift & (ssShift | ssCtrl | ssAlt);
    return (mods == ssCtrl && (Key == 'V' || Key == 'X')) ||
           (mods == ssShift && (Key == VK_INSERT || Key == VK_DELETE));
}

void esgedit::ContextMenuWithoutPaste(TEdit* Edit, QContextMenuEvent* Event)
{
    std::unique_ptr<QMenu> menu(Edit->LineEdit()->createStandardContextMenu());
    for (QAction* action : menu->actions())
        if (action->objectName() == QLatin1String("edit-cut") ||
            action->objectName() == QLatin1String("edit-paste"))
            action->setEnabled(false);
    menu->exec(Event->globalPos());
}

void esgedit::FocusAfterButton(TWinControl* Holder, TWinControl* FocusControl)
{
    if (FocusControl && FocusControl->TabStop() && FocusControl->CanFocus() && !FocusControl->Focused()) {
        FocusControl->SetFocus();
        return;
    }
    if (Holder->TabStop() && !Holder->Focused() && Holder->CanFocus())
        Holder->SetFocus();
}
