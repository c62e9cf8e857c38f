// TInplaceEdit: the grid's in-place editor.
#include "platform/grid/InplaceEdit.h"

#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TMaskEdit(AOwner), FGrid(dynamic_cast<TCustomGrid*>(AOwner))
{
    SetBorderStyle(bsNone);
    SetVisible(false);
}

bool TInplaceEdit::GridLive() const
{
    return FGrid && !(FGrid->ComponentState() & csDestroying);
}

// ---- Load, place, show, hide -----------------------------------------------------------------------

void TInplaceEdit::UpdateContents()
{
    if (!GridLive())
        return;
    const int c = FGrid->Col();
    const int r = FGrid->Row();
    SetText(QString());
    SetEditMask(FGrid->ReadEditMask(c, r));
    SetText(FGrid->ReadEditText(c, r));
    SetMaxLength(FGrid->ReadEditLimit());
    Font->Assign(FGrid->Font);
}

void TInplaceEdit::Move(const TRect& CellRect)
{
    FCellRect = CellRect;
    BoundsChanged();
    SetVisible(true);
    BringToFront();
    if (GridLive() && FGrid->GridFocused() && !Focused())
        Widget()->setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::BoundsChanged()
{
    SetBounds(FCellRect.Left, FCellRect.Top, FCellRect.Width(), FCellRect.Height());
}

void TInplaceEdit::Hide()
{
    // Qt would hand the focus of a hidden widget to the next one in the chain, not to the grid.
    if (Focused() && GridLive())
        FGrid->Widget()->setFocus(Qt::OtherFocusReason);
    SetVisible(false);
}

void TInplaceEdit::HandleKillFocus()
{
    if (GridLive() && QApplication::focusWidget() == FGrid->Widget())
        FGrid->FFocusFromEditor = true;
    TMaskEdit::HandleKillFocus();
}

// ---- Text changes ----------------------------------------------------------------------------------

void TInplaceEdit::Change()
{
    if (!GridLive()) {
        HandleChange();
        return;
    }
    // The parent hears of it first and reflects it back (CN_COMMAND) to HandleChange.
    TMessage m{WM_COMMAND, WPARAM(EN_CHANGE) << 16, LPARAM(Handle()), 0};
    FGrid->WindowProcedure(m);
}

void TInplaceEdit::HandleChange()
{
    TMaskEdit::Change();
}

// ---- Messages --------------------------------------------------------------------------------------

void TInplaceEdit::WndProc(TMessage& Message)
{
    gridinput::RunMessage(this, Message, [this](TMessage& m) { WindowProcedure(m); });
}

void TInplaceEdit::WindowProcedure(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        // A character posted to an editor that has been closed since types nothing.
        if (Message.Msg == WM_CHAR && !FKeyEvent && !Visible())
            return;
        gridinput::RunKeyStage(this, Message, &TInplaceEdit::HandleWMKeyDown, &TInplaceEdit::HandleWMChar,
                               &TInplaceEdit::HandleWMKeyUp);
        return;
    }
    case CN_COMMAND:
        if (HiWord(Message.WParam) == EN_CHANGE)
            HandleChange();
        return;
    default:
        TMaskEdit::WndProc(Message);
        return;
    }
}

bool TInplaceEdit::WidgetEvent(QEvent* event, TControlWidgetLink& link)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        auto* k = static_cast<QKeyEvent*>(event);
        const WORD key = KeyEventToVK(k);
        if (key == VK_ESCAPE || key == VK_RETURN ||
            WantsKey(key, KeyboardModifiersToShiftState(k->modifiers()))) {
            k->accept();
            return true;
        }
        return TMaskEdit::WidgetEvent(event, link); // the line edit's own editing shortcuts
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

namespace
{

bool TypesChar(const QKeyEvent* e)
{
    const QString t = e->text();
    return !t.isEmpty() && TCustomGrid::OpensEditor(t[0].unicode());
}

} // namespace

void TInplaceEdit::HandleWMKeyDown(TWMKey& Message)
{
    WORD key = Message.CharCode;
    gridinput::DoKeyDown(this, key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
    if (!key || !FKeyEvent || IsDestroying() || !Widget())
        return;
    // A key with a character goes to the line edit with that character (its editing shortcuts
    // included); caret keys and Delete go now.
    const bool ctrlLetter = (FKeyEvent->modifiers() & Qt::ControlModifier) && key >= 'A' && key <= 'Z';
    if (TypesChar(FKeyEvent) || ctrlLetter || key == VK_BACK || key == VK_RETURN || key == VK_TAB ||
        key == VK_ESCAPE)
        FKeyDownNative = true;
    else
        dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(FKeyEvent);
}

void TInplaceEdit::HandleWMChar(TWMKey& Message)
{
    const char16_t typed = Message.CharCode;
    char16_t ch = typed;
    gridinput::DoKeyPress(this, ch);
    Message.CharCode = ch;
    if (!ch || IsDestroying() || !Widget())
        return;
    // The unchanged character of the key being dispatched: the line edit takes the whole key.
    // Otherwise (posted, replaced, or its key consumed) the character is typed.
    if (FKeyEvent && FKeyDownNative && ch == typed) {
        dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(FKeyEvent);
        return;
    }
    if (ch == 8 || ch >= 32)
        TypeChar(ch);
}

void TInplaceEdit::HandleWMKeyUp(TWMKey& Message)
{
    WORD key = Message.CharCode;
    gridinput::DoKeyUp(this, key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
    if (key && FKeyEvent && Widget())
        dynamic_cast<TControlWidgetLink*>(Widget())->NativeEvent(FKeyEvent);
}

void TInplaceEdit::TypeChar(char16_t Ch)
{
    QLineEdit* edit = LineEdit();
    if (edit->isReadOnly())
        return;
    if (Ch == 8)
        edit->backspace();
    else
        edit->insert(QString(QChar(Ch)));
}

// ---- Key stages ------------------------------------------------------------------------------------

bool TInplaceEdit::WantsKey(WORD Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
        return true;
    case VK_TAB:
        return FGrid && FGrid->Options().Contains(goTabs) && !(Shift & (ssCtrl | ssAlt));
    default:
        return TMaskEdit::WantsKey(Key, Shift);
    }
}

void TInplaceEdit::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (!GridLive()) {
        TMaskEdit::HandleKeyDown(Key, Shift);
        return;
    }
    const bool alwaysShow = FGrid->Options().Contains(goAlwaysShowEditor);
    const int length = Text().size();
    const bool atStart = SelStart() == 0 && (SelLength() == 0 || SelLength() == length);
    const bool atEnd = SelStart() + SelLength() == length;
    bool toGrid = false;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        toGrid = true;
        break;
    case VK_TAB:
        toGrid = !(Shift & ssAlt);
        break;
    case VK_INSERT:
        toGrid = Shift == 0;
        break;
    case VK_DELETE:
        toGrid = Shift & ssCtrl;
        break;
    case VK_LEFT:
    case VK_HOME:
        toGrid = alwaysShow && atStart;
        break;
    case VK_RIGHT:
    case VK_END:
        toGrid = alwaysShow && atEnd;
        break;
    case VK_F2:
        if (FGrid->OnKeyDown)
            FGrid->OnKeyDown(FGrid, Key, Shift);
        if (Key == VK_F2) {
            SetSelStart(length); // F2 in an open editor drops the selection
            Key = 0;
        }
        return;
    default:
        break;
    }
    if (toGrid) {
        FGrid->HandleKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (FGrid->OnKeyDown)
        FGrid->OnKeyDown(FGrid, Key, Shift);
    if (Key)
        TMaskEdit::HandleKeyDown(Key, Shift);
}

void TInplaceEdit::HandleKeyPress(char16_t& Key)
{
    if (GridLive()) {
        FGrid->HandleKeyPress(Key);
        if (Key >= 32 && !FGrid->CanEditAcceptKey(Key)) {
            Key = 0;
            MessageBeep(0);
        }
        switch (Key) {
        case 9:
        case 27:
        case 13:
            Key = 0;
            break;
        case 8:
        case 22: // Ctrl+V
        case 24: // Ctrl+X
            if (!FGrid->CanEditModify())
                Key = 0;
            break;
        default:
            if (Key >= 32 && !FGrid->CanEditModify())
                Key = 0;
            break;
        }
    }
    if (Key)
        TMaskEdit::HandleKeyPress(Key);
}

void TInplaceEdit::DblClick()
{
    if (GridLive())
        FGrid->DblClick();
    else
        TMaskEdit::DblClick();
}

// ---- Balloon ---------------------------------------------------------------------------------------

namespace
{

TEditBalloon& Balloon()
{
    static TEditBalloon last;
    return last;
}

} // namespace

void ShowEditBalloon(TWinControl* Edit, const QString& Title, const QString& Text, int Icon)
{
    Balloon() = TEditBalloon{Edit, Title, Text, Icon};
    if (!Edit || !Edit->Widget())
        return;
    static const char* const kIcons[] = {"", "\u2139 ", "\u26A0 ", "\u26D4 "};
    const QString icon = QString::fromUtf8(kIcons[std::clamp(Icon, 0, 3)]);
    QString html;
    if (!Title.isEmpty())
        html = "<b>" + icon + Title.toHtmlEscaped() + "</b><br>";
    else
        html = icon;
    html += Text.toHtmlEscaped().replace("\n", "<br>");
    QWidget* w = Edit->Widget();
    QToolTip::showText(w->mapToGlobal(QPoint(w->width() / 2, w->height())), html, w);
}

const TEditBalloon& LastEditBalloon()
{
    return Balloon();
}
