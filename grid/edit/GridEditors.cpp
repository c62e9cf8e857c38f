// The wrappers of the edit-control editors: their keys, characters and the grid events they fire.
#include "grid/edit/GridEditors.h"

#include "grid/base/NumberText.h"
#include "grid/edit/EditParts.h"
#include "platform/controls/Messages.h"
#include "platform/core/DateText.h"
#include "platform/graphics/Colors.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace
{

// The grid takes the focus when it can (a hidden form cannot focus anything).
void FocusGrid(TExtStringGrid* Grid)
{
    if (Grid->CanFocus())
        Grid->SetFocus();
}

bool IsShiftHeld(TShiftState Shift)
{
    return (Shift & ssShift) != 0;
}

// A posted WM_CHAR (the character that opened the editor) is typed as the keyboard would.
bool ReplayChar(TWinControl* Control, const TMessage& Message)
{
    if (Message.Msg != WM_CHAR || !Control->Widget())
        return false;
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(char16_t(Message.WParam))));
    QCoreApplication::sendEvent(Control->Widget(), &press);
    return true;
}

int HexDigit(QChar c)
{
    if (c >= '0' && c <= '9')
        return c.unicode() - '0';
    if (c >= 'a' && c <= 'f')
        return c.unicode() - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c.unicode() - 'A' + 10;
    return -1;
}

} // namespace

// ---- Lenient conversions ---------------------------------------------------------------------------

int LenientStrToInt(const QString& Text)
{
    int i = 0;
    const int n = int(Text.size());
    while (i < n && Text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (Text[i] == '-' || Text[i] == '+')) {
        negative = Text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && Text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && Text[i] == '0' && (Text[i + 1] == 'x' || Text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    int64_t value = 0;
    bool complete = i < n;
    for (; i < n; ++i) {
        const int d = base == 16 ? HexDigit(Text[i])
                                 : (Text[i].isDigit() && Text[i] < QChar(128) ? Text[i].unicode() - '0' : -1);
        if (d < 0) {
            complete = false;
            break;
        }
        const int64_t next = value * base + d;
        // Beyond the 32 bits the digits read so far are the value.
        if (next > int64_t(0xFFFFFFFFu)) {
            complete = false;
            break;
        }
        value = next;
    }
    const auto v = int32_t(uint32_t(value));
    return complete && negative ? -v : v;
}

double LenientStrToFloat(const QString& Text)
{
    double whole = 0;
    if (TryStrToFloat(Text.trimmed(), whole))
        return whole;
    // The longest start of the digits (after blanks and a sign) that converts; the sign is dropped.
    int i = 0;
    const int n = int(Text.size());
    while (i < n && Text[i] == ' ')
        ++i;
    if (i < n && (Text[i] == '-' || Text[i] == '+'))
        ++i;
    const QChar sep = FormatSettings().DecimalSeparator;
    int end = i;
    while (end < n && (Text[end].isDigit() || Text[end] == sep))
        ++end;
    for (; end > i; --end) {
        double v = 0;
        if (TryStrToFloat(Text.mid(i, end - i), v))
            return v;
    }
    return 0;
}

// ---- Character filters -----------------------------------------------------------------------------

bool NumericEditChar(const TEdit* Edit, char16_t Key, bool& Beep)
{
    Beep = false;
    if (Key == 8 || Key == 9 || Key == 13 || Key == 27 || (Key >= '0' && Key <= '9'))
        return true;
    if (Key == '-' && !Edit->Text().contains('-') && Edit->SelStart() == 0)
        return true;
    Beep = true;
    return false;
}

bool FloatEditChar(const TEdit* Edit, char16_t Key, bool& Beep)
{
    Beep = false;
    const TFormatSettings& fs = FormatSettings();
    const bool candidate = Key == 8 || Key == 9 || Key == 13 || Key == 27 || Key == ',' || Key == '-' ||
                           Key == '.' || (Key >= '0' && Key <= '9');
    if (!candidate)
        // Ctrl shortcuts arrive as control characters; with Ctrl held anything passes.
        return Key < 32 || (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (Key == fs.DecimalSeparator.unicode() && Edit->Text().contains(fs.DecimalSeparator) &&
        !Edit->SelText().contains(fs.DecimalSeparator))
        return false;
    if (Key == fs.ThousandSeparator.unicode())
        return false;
    if (Key == '-' &&
        !((Edit->SelStart() == 0 && !Edit->Text().contains('-')) || Edit->SelText().contains('-'))) {
        Beep = true;
        return false;
    }
    return true;
}

// ---- TGridSpin -------------------------------------------------------------------------------------

TGridSpin::TGridSpin(TComponent* AOwner) : TGridEditorWrapper<TEsgSpinEdit>(AOwner)
{
    MaxValue = 100;
    MinValue = 0;
    Increment = 1;
}

void TGridSpin::ReCreate()
{
    SetAlignment(Alignment());
    SetPasswordChar(PasswordChar());
    SetBorderStyle(BorderStyle());
}

bool TGridSpin::WantsEditorKey(WORD Key) const
{
    return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && FGrid->Options().Contains(goTabs));
}

void TGridSpin::Change()
{
    TEsgSpinEdit::Change();
    if (!FGrid->FNoEditChange && Visible())
        NotifyEditChange();
}

void TGridSpin::UpButtonClick(TObject* Sender)
{
    TEsgSpinEdit::UpButtonClick(Sender);
    FireSpinClick(true);
}

void TGridSpin::DownButtonClick(TObject* Sender)
{
    TEsgSpinEdit::DownButtonClick(Sender);
    FireSpinClick(false);
}

void TGridSpin::FireSpinClick(bool UpDown)
{
    const int c = FGrid->Col();
    const int r = FGrid->Row();
    switch (SpinType()) {
    case sptNormal:
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, c, r, Value(), UpDown);
        break;
    case sptFloat:
        if (FGrid->OnFloatSpinClick)
            FGrid->OnFloatSpinClick(FGrid, c, r, FloatValue(), UpDown);
        break;
    case sptDate:
        if (FGrid->OnDateSpinClick)
            FGrid->OnDateSpinClick(FGrid, c, r, DateValue(), UpDown);
        break;
    case sptTime:
        if (FGrid->OnTimeSpinClick)
            FGrid->OnTimeSpinClick(FGrid, c, r, TimeValue(), UpDown);
        break;
    }
}

void TGridSpin::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    // The spin edit's own stage steps on these; they never reach the wrapper's handling.
    if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) {
        TEsgSpinEdit::HandleKeyDown(Key, Shift);
        return;
    }
    Forced = false;
    if (Key == VK_END || Key == VK_HOME) {
        const bool home = Key == VK_HOME;
        if (SpinType() == sptNormal)
            SetValue(home ? MaxValue : MinValue);
        else if (SpinType() == sptFloat)
            SetFloatValue(home ? MaxFloatValue : MinFloatValue);
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), home);
    }
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE) {
        TEsgSpinEdit::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetText(FGrid->FCellCache);
        if (SpinType() == sptNormal)
            SetValue(LenientStrToInt(Text()));
        else if (SpinType() == sptFloat)
            SetFloatValue(LenientStrToFloat(NumberTextToFloatText(Text())));
    } else {
        FGrid->SetCurrentCellText(Text());
        if (!FGrid->ValidateCell(Text())) {
            SetText(FGrid->GetCurrentCellText());
            SetSelStart(int(Text().size()));
            Key = 0;
            Invalidate();
            return;
        }
        SetText(FGrid->GetCurrentCellText());
    }
    if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        FGrid->AdvanceOnTab(IsShiftHeld(Shift));
        Key = 0;
        return;
    }
    FGrid->DoneInplaceEdit(Key, Shift);
    TNavigation* nav = FGrid->Navigation();
    if (nav->AdvanceOnEnter && nav->AdvanceAutoEdit)
        FGrid->ShowInplaceEdit();
    Key = 0;
}

void TGridSpin::HandleKeyPress(char16_t& Key)
{
    // Enter and Tab are swallowed; Esc goes on as nothing.
    if (Key == 13 || Key == 9 || Key == 27) {
        Key = 0;
        return;
    }
    TEsgSpinEdit::HandleKeyPress(Key);
}

// ---- TGridEditBtn ----------------------------------------------------------------------------------

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TGridEditorWrapper<TEsgEditBtn>(AOwner)
{
    OnClickBtn = [this](TObject* Sender) { EditButtonClick(Sender); };
}

void TGridEditBtn::ReCreate()
{
    SetAlignment(Alignment());
    SetPasswordChar(PasswordChar());
    SetBorderStyle(BorderStyle());
    SetEditMask(EditMask());
}

void TGridEditBtn::Change()
{
    TEsgEditBtn::Change();
    if (!FGrid->FNoEditChange && Visible())
        NotifyEditChange();
}

void TGridEditBtn::EditButtonClick(TObject*)
{
    QString s;
    FGrid->DoEllipsClick(Text(), s);
    SetText(s);
    SelectAll();
    Invalidate();
    if (StopEditAfterClick) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
    }
}

void TGridEditBtn::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    DeliverEndingChar(Key, [&] { KeyDownSteps(Key, Shift); });
}

void TGridEditBtn::KeyDownSteps(WORD& Key, TShiftState Shift)
{
    Forced = false;
    const bool exitKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!exitKey && FGrid->OnKeyDown) {
        FGrid->OnKeyDown(FGrid, Key, Shift);
        if (Key == 0)
            return;
    }
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = SelStart();
    // The window system turns the paste keys into a paste of the control.
    if (esgedit::IsPasteOrCutKey(Key, Shift) && (Key == 'V' || Key == VK_INSERT)) {
        HandleWMPaste();
        Key = 0;
        return;
    }
    if ((Shift & ssCtrl) || !exitKey) {
        TEsgEditBtn::HandleKeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    const TEditorType kind = FGrid->EditControl;
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        FGrid->SetCurrentCellText(Text());
        const bool valid = FGrid->ValidateCell(Text());
        SetText(FGrid->FNewCellText);
        if (!valid) {
            SelectAll();
            Invalidate();
            Key = 0;
            FGrid->EditControl = kind;
            return;
        }
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        FGrid->SetCurrentCellText(Text());
        if (!FGrid->ValidateCell(Text())) {
            SetText(FGrid->FNewCellText);
            SetSelStart(int(Text().size()));
            Invalidate();
            Key = 0;
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            FGrid->HideInplaceEdit();
            FocusGrid(FGrid);
            FGrid->AdvanceOnTab(IsShiftHeld(Shift));
            Key = 0;
            return;
        }
        PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, IsShiftHeld(Shift) ? KF_SHIFTDOWN : 0);
    }
    if (Key == VK_ESCAPE)
        SetText(FGrid->FCellCache);
    FGrid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridEditBtn::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    if (FGrid->OnKeyUp)
        FGrid->OnKeyUp(FGrid, Key, Shift);
    const bool noShift = (Shift & (ssShift | ssCtrl | ssAlt)) == 0;
    if (FGrid->Navigation()->CursorWalkEditor && noShift && SelLength() == 0 && Visible()) {
        if (Key == VK_LEFT && FSelKeyDown == 0) {
            Key = 0;
            CursorWalk(true);
        } else if (Key == VK_RIGHT && SelStart() == int(Text().size())) {
            Key = 0;
            CursorWalk(false);
        }
    }
    if (Key != VK_RETURN && Key != 0)
        TEsgEditBtn::HandleKeyUp(Key, Shift);
    if (!IsDestroying())
        LookupComplete();
}

void TGridEditBtn::CursorWalk(bool Backward)
{
    WrapperCursorWalk(FGrid, Text(), Backward, FocusGrid);
}

void TGridEditBtn::LookupComplete()
{
    if (!WorkMode || SelLength() != 0 || !FGrid->Lookup || FGrid->LookupItems()->Count() == 0)
        return;
    const bool cs = FGrid->LookupCaseSensitive;
    const int typedLength = SelStart();
    QString typed = Text().left(typedLength);
    if (typed.isEmpty())
        return;
    if (!cs)
        typed = typed.toUpper();
    TStringList* items = FGrid->LookupItems();
    for (int i = 0; i < items->Count(); ++i) {
        const QString item = items->Strings(i);
        if (!(cs ? item : item.toUpper()).startsWith(typed))
            continue;
        const QString completed = (Text().left(typedLength) + item.mid(typedLength)).left(255);
        SetText(completed);
        SetSelStart(typedLength);
        SetSelLength(int(completed.size()) - typedLength);
        return;
    }
}

void TGridEditBtn::HandleKeyPress(char16_t& Key)
{
    // The WM_CHAR stage: Enter and Tab stay here, then the kind's filter.
    if (Key == 13 || Key == 9) {
        Key = 0;
        return;
    }
    bool beep = false;
    bool pass = true;
    if (FGrid->EditControl == edNumericEditBtn)
        pass = NumericEditChar(this, Key, beep);
    else if (FGrid->EditControl == edFloatEditBtn)
        pass = FloatEditChar(this, Key, beep);
    if (!pass) {
        if (beep)
            MessageBeep(0);
        Key = 0;
        return;
    }
    // The key press: the grid hears it first, as its own.
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
    if (Key == 0 || Key == 9)
        return;
    TEsgEditBtn::HandleKeyPress(Key);
}

void TGridEditBtn::HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TEsgEditBtn::HandleDblClick(Button, Shift, X, Y);
    if (FGrid->OnDblClickCell)
        FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::WndProc(TMessage& Message)
{
    if (ReplayChar(this, Message))
        return;
    if (Message.Msg == WM_PASTE) {
        HandleWMPaste();
        return;
    }
    TEsgEditBtn::WndProc(Message);
}

void TGridEditBtn::HandleWMPaste()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    bool allow = data && data->hasText();
    QString value = allow ? data->text() : QString();
    if (FGrid->OnClipboardPaste)
        FGrid->OnClipboardPaste(this, allow);
    if (allow && FGrid->OnClipboardBeforePasteCell)
        FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), value, allow);
    if (!allow)
        return;
    const int crlf = int(value.indexOf(QLatin1String("\r\n")));
    if (crlf >= 0 && crlf == value.size() - 2)
        value.chop(2);
    const QString text = Text();
    const int start = SelStart();
    const int length = SelLength();
    SetText(text.left(start) + value + text.mid(start + length));
    FGrid->SetCurrentBaseCell(Text());
    SetSelStart(length > 0 ? start : start + int(value.size()));
    if (length > 0)
        SetSelLength(int(value.size()));
}

// ---- TGridUnitEditBtn ------------------------------------------------------------------------------

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TGridEditorWrapper<TEsgUnitEditBtn>(AOwner)
{
    OnClickBtn = [this](TObject* Sender) { EditButtonClick(Sender); };
}

void TGridUnitEditBtn::ReCreate()
{
    SetAlignment(Alignment());
    SetPasswordChar(PasswordChar());
    SetBorderStyle(BorderStyle());
    SetEditMask(EditMask());
}

void TGridUnitEditBtn::EditButtonClick(TObject*)
{
    QString s;
    FGrid->DoEllipsClick(Text(), s);
    SetText(s);
    SelectAll();
    Invalidate();
}

void TGridUnitEditBtn::LoadCellText(const QString& Value)
{
    SetUnitID(QString());
    SetText(QString());
    SetTextAndUnit(Value);
    // No unit ends the text: it is all value (the split changes nothing then).
    if (UnitID().isEmpty())
        SetText(Value);
}

bool TGridUnitEditBtn::WantsEditorKey(WORD Key) const
{
    return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && FGrid->Options().Contains(goTabs));
}

void TGridUnitEditBtn::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    KeyDownSteps(Key, Shift);
}

void TGridUnitEditBtn::KeyDownSteps(WORD& Key, TShiftState Shift)
{
    Forced = false;
    const bool exitKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!exitKey) {
        TEsgUnitEditBtn::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const QString joined = TextAndUnit();
        FGrid->SetCurrentCellText(joined);
        if (!FGrid->ValidateCell(joined)) {
            LoadCellText(FGrid->GetCurrentCellText());
            Key = 0;
            return;
        }
        LoadCellText(FGrid->GetCurrentCellText());
    }
    TNavigation* nav = FGrid->Navigation();
    if (Key == VK_RETURN && nav->AdvanceOnEnter) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        Key = 0;
        FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
        return;
    }
    if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        FGrid->AdvanceOnTab(IsShiftHeld(Shift));
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE)
        LoadCellText(FGrid->GetCurrentCellText());
    FGrid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridUnitEditBtn::HandleKeyPress(char16_t& Key)
{
    if (Key == 13 || Key == 9 || Key == 27) {
        Key = 0;
        return;
    }
    bool beep = false;
    bool pass = true;
    switch (FGrid->EditControl) {
    case edUnitEditBtn:
        break;
    case edNumericUnitEditBtn:
        pass = NumericEditChar(this, Key, beep);
        break;
    case edFloatUnitEditBtn:
        pass = FloatEditChar(this, Key, beep);
        break;
    default:
        pass = false;
        break;
    }
    if (!pass) {
        if (beep)
            MessageBeep(0);
        Key = 0;
        return;
    }
    TEsgUnitEditBtn::HandleKeyPress(Key);
}

// ---- TGridCheckBox ---------------------------------------------------------------------------------

namespace
{

// Hands the native check box a release outside itself: the button comes up without a click.
class TNoClickRelease : public TControlWidgetLink
{
  public:
    explicit TNoClickRelease(TControlWidgetLink& Inner) : FInner(Inner) { Control = Inner.Control; }
    bool NativeEvent(QEvent* e) override { return FInner.NativeEvent(e); }
    void NativeMouse(QMouseEvent* e) override
    {
        QMouseEvent outside(e->type(), QPointF(-10000, -10000), e->scenePosition(), e->globalPosition(),
                            e->button(), e->buttons(), e->modifiers());
        FInner.NativeMouse(&outside);
    }
    void NativePaint(QPaintEvent* e) override { FInner.NativePaint(e); }
    void NativeContextMenu(QContextMenuEvent* e) override { FInner.NativeContextMenu(e); }

  private:
    TControlWidgetLink& FInner;
};

} // namespace

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TGridEditorWrapper<TCheckBox>(AOwner) {}

void TGridCheckBox::ReCreate()
{
    SetAlignment(Alignment());
}

bool TGridCheckBox::WantsEditorKey(WORD Key) const
{
    // The check box keeps the arrows: they end the edit here, not in the form.
    return Key == VK_RETURN || IsArrowKey(Key);
}

void TGridCheckBox::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        SetState(NextState());
        FPressToggled = true;
    }
    TCheckBox::HandleMouseDown(Button, Shift, X, Y);
}

void TGridCheckBox::WidgetMouse(QMouseEvent* event, TControlWidgetLink& link)
{
    // The press toggled already; the release must not toggle again.
    if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton && FPressToggled) {
        FPressToggled = false;
        TNoClickRelease noClick(link);
        TCheckBox::WidgetMouse(event, noClick);
        return;
    }
    TCheckBox::WidgetMouse(event, link);
}

void TGridCheckBox::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        SetState(NextState());
        TCheckBox::HandleKeyDown(Key, Shift);
        // Toggled here: the native button must not toggle on the release as well.
        Key = 0;
        return;
    }
    const bool exitKey =
        Key == VK_RETURN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || IsArrowKey(Key);
    if (!exitKey) {
        TCheckBox::HandleKeyDown(Key, Shift);
        return;
    }
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
    if (Key == VK_RETURN)
        FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
    if (Key == VK_UP || Key == VK_DOWN) {
        WORD k = Key;
        FGrid->HandleKeyDown(k, Shift);
    }
    Key = 0;
}

void TGridCheckBox::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    TCheckBox::HandleKeyUp(Key, Shift);
    if (Key == VK_SPACE)
        Key = 0;
}

// ---- TGridButton -----------------------------------------------------------------------------------

TGridButton::TGridButton(TComponent* AOwner) : TGridEditorWrapper<TButton>(AOwner) {}

void TGridButton::ReCreate() {}

bool TGridButton::WantsEditorKey(WORD Key) const
{
    return Key == VK_ESCAPE || IsArrowKey(Key);
}

void TGridButton::Pressed()
{
    if (Parent() != FGrid)
        return;
    QString s;
    FGrid->DoEllipsClick(Caption(), s);
    SetCaption(s);
    FGrid->SetCurrentCellText(Caption());
}

void TGridButton::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && ClientRect().Contains(TPoint(X, Y)))
        Pressed();
    TButton::HandleMouseUp(Button, Shift, X, Y);
}

void TGridButton::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        Pressed();
        if (CanFocus())
            SetFocus();
        Invalidate();
    }
    TButton::HandleKeyUp(Key, Shift);
}

void TGridButton::EndByKey()
{
    // Ended without a store: the focus leaving must not store either, and the grid must still open
    // its next editor.
    FGrid->EditMode = false;
    FGrid->FSpecialEditor = false;
    // The grid takes the focus back as from its own editor: it must not open the button again on
    // entry (that would also cache the pressed caption over the text Esc puts back).
    if (Focused())
        FGrid->FFocusFromEditor = true;
    FocusGrid(FGrid);
    SetVisible(false);
    SetEnabled(false);
}

void TGridButton::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (IsArrowKey(Key)) {
        WORD k = Key;
        FGrid->HandleKeyDown(k, Shift);
        EndByKey();
        k = Key;
        FGrid->HandleKeyUp(k, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        EndByKey();
        FGrid->RestoreCellFromCache();
        SendMessage(FGrid->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        Key = 0;
        return;
    }
    TButton::HandleKeyDown(Key, Shift);
}

// ---- TGridDatePicker -------------------------------------------------------------------------------

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TGridEditorWrapper<TEsgDateTimePicker>(AOwner) {}

void TGridDatePicker::ReCreate() {}

QString TGridDatePicker::Text() const
{
    return Kind() == dtkTime ? TimeToStr(Time()) : DisplayText();
}

void TGridDatePicker::SetText(const QString& Value)
{
    TDateTime v = 0;
    if (Kind() == dtkTime) {
        if (TryStrToTime(Value, v))
            SetTime(v);
    } else if (TryStrToDate(Value, v)) {
        SetDate(v);
    }
}

void TGridDatePicker::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    DeliverEndingChar(Key, [&] { KeyDownSteps(Key, Shift); });
}

bool TGridDatePicker::Commit()
{
    FGrid->SetCurrentCellText(Text());
    if (!FGrid->ValidateCell(Text())) {
        SetText(FGrid->FNewCellText);
        Invalidate();
        return false;
    }
    SetText(FGrid->GetCurrentCellText());
    return true;
}

void TGridDatePicker::KeyDownSteps(WORD& Key, TShiftState Shift)
{
    Forced = false;
    const bool exitKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_END;
    if (!exitKey) {
        TEsgDateTimePicker::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        const QString cell = FGrid->GetCurrentCellText();
        TDateTime v = 0;
        if (Kind() == dtkTime) {
            if (TryStrToTime(cell, v))
                SetTime(v);
        } else {
            SetDate(TryStrToDate(cell, v) ? v : Now());
        }
        // A cancelled edit leaves the cell's text as it was (the store writes nothing).
        FGrid->FDateEditCancelled = true;
    }
    if (Key == VK_RETURN) {
        // Completes the field being typed.
        WORD right = VK_RIGHT;
        TEsgDateTimePicker::HandleKeyDown(right, 0);
        right = VK_RIGHT;
        TEsgDateTimePicker::HandleKeyUp(right, 0);
        if (!Commit()) {
            Key = 0;
            return;
        }
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        if (!Commit()) {
            Key = 0;
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            FGrid->HideInplaceEdit();
            FocusGrid(FGrid);
            FGrid->AdvanceOnTab(IsShiftHeld(Shift));
            Key = 0;
            return;
        }
        PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, IsShiftHeld(Shift) ? KF_SHIFTDOWN : 0);
    }
    if (!DroppedDown())
        FGrid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridDatePicker::HandleKeyPress(char16_t& Key)
{
    const char16_t typed = Key;
    if (Key >= '0' && Key <= '9') {
        const TDateTime v = DateTime();
        int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
        DecodeDate(v, y, m, d);
        DecodeTime(v, h, mi, s, ms);
        Fy = WORD(y), Fm = WORD(m), Fd = WORD(d);
        Fth = WORD(h), Ftm = WORD(mi), Fts = WORD(s), Ftms = WORD(ms);
        TEsgDateTimePicker::HandleKeyPress(Key);
        PostMessage(Handle(), TCustomDateTimePicker::ShiftFocusMessage(), 0, 0);
    } else {
        TEsgDateTimePicker::HandleKeyPress(Key);
    }
    if (FGrid->OnKeyPress) {
        char16_t k = typed;
        FGrid->OnKeyPress(FGrid, k);
    }
}

void TGridDatePicker::ShiftFocus()
{
    const TDateTime v = DateTime();
    int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(v, y, m, d);
    DecodeTime(v, h, mi, s, ms);
    const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
    bool next = false;
    if (Kind() == dtkTime) {
        next = h != Fth || mi != Ftm || s != Fts;
    } else if (!Format().isEmpty()) {
        // The field that ends the format does not move on: there is no field after it.
        const QChar last = Format().back().toLower();
        if (dayChanged && last == 'd')
            next = false;
        else if (monthChanged && last == 'm')
            next = false;
        else if (yearChanged && last == 'y')
            next = false;
        else
            next = dayChanged || monthChanged || yearChanged;
    } else {
        next = dayChanged || monthChanged;
    }
    if (next)
        PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::WndProc(TMessage& Message)
{
    if (ReplayChar(this, Message))
        return;
    TEsgDateTimePicker::WndProc(Message);
    if (Message.Msg == TCustomDateTimePicker::ShiftFocusMessage())
        ShiftFocus();
}

void TGridDatePicker::HandleNotify(TNMHdr& Header)
{
    if (Header.code == DTN_DROPDOWN)
        FOldDropped = true;
    else if (Header.code == DTN_CLOSEUP)
        FOldDropped = false;
    TEsgDateTimePicker::HandleNotify(Header);
}

void TGridDatePicker::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    TEsgDateTimePicker::PaintWidget(event, link);
    // The border disappears into the cell: framed twice in the window colour.
    QPainter painter(Widget());
    const QColor window = ColorToQColor(clWindow);
    painter.setPen(window);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, Width() - 1, Height() - 1);
    painter.drawRect(1, 1, Width() - 3, Height() - 3);
}

// ---- TGridDateTimePicker ---------------------------------------------------------------------------

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TExtDateTimePicker(AOwner), FGrid(dynamic_cast<TExtStringGrid*>(AOwner))
{
}

bool TGridDateTimePicker::WantsKey(WORD Key, TShiftState Shift) const
{
    // Enter and Esc end the edit here rather than reaching the form.
    return (FGrid && (Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && FGrid->EditorWantsTab()))) ||
           TExtDateTimePicker::WantsKey(Key, Shift);
}

void TGridDateTimePicker::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (!FGrid) {
        TExtDateTimePicker::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetDateTime(FGrid->FOriginalDateTime);
        FGrid->FDateEditCancelled = true;
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        if (FGrid->Navigation()->AdvanceOnEnter)
            FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
        Key = 0;
        return;
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        // The store wrote date and time; the cell keeps them.
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
        FGrid->AdvanceOnTab(IsShiftHeld(Shift));
        Key = 0;
        return;
    }
    TExtDateTimePicker::HandleKeyDown(Key, Shift);
}
