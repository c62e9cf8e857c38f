#include "platform/controls/StdCtrls.h"
#include "platform/controls/Messages.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>
#include <optional>

namespace {

Qt::Alignment HorizontalAlignment(TAlignment a)
{
    switch (a) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

uint32_t DrawTextAlignment(TAlignment a)
{
    switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

// Qt's length limit for the toolkit's MaxLength (0 = none: the window system's default limit).
int QtMaxLength(int maxLength)
{
    return maxLength > 0 ? maxLength : 32767;
}

void SetBaseColor(QWidget* w, TColor color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ColorToQColor(color));
    w->setPalette(pal);
}

// Sorted insertion place in a list of `count` strings read by `at`.
template <class At> int SortedPlace(int count, const QString& s, At at)
{
    int lo = 0, hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (AnsiCompareText(at(mid), s) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

QVariant ObjectData(TObject* o)
{
    return QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(o));
}

TObject* DataObject(const QVariant& v)
{
    return reinterpret_cast<TObject*>(v.value<quintptr>());
}

} // namespace

// ---- TLabel -----------------------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout Value)
{
    FLayout = Value;
    Invalidate();
}

void TLabel::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool Value)
{
    FTransparent = Value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool Value)
{
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* Value)
{
    ChangeReference(FFocusControl, Value);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && FFocusControl && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

bool TLabel::HandleDialogChar(char16_t Key, TShiftState)
{
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(Key, Caption()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        return true;
    }
    return false;
}

void TLabel::HandleTextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::HandleFontChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::DoDrawText(TRect& r, uint32_t flags)
{
    QString text = Caption();
    if ((flags & DT_CALCRECT) && (text.isEmpty() || (FShowAccelChar && text == "&")))
        text += ' ';   // an empty label keeps the height of a line
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    Canvas->Font->Assign(Font);
    if (!Enabled()) {
        OffsetRect(r, 1, 1);
        Canvas->Font->Color = clBtnHighlight;
        Canvas->DrawText(text, r, flags);
        OffsetRect(r, -1, -1);
        Canvas->Font->Color = clBtnShadow;
        Canvas->DrawText(text, r, flags);
    } else {
        Canvas->DrawText(text, r, flags);
    }
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize || (ComponentState() & csLoading))
        return;
    TRect r = ClientRect();
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int x = Left();
    if (FAlignment == taRightJustify)
        x += Width() - r.Right;
    SetBounds(x, Top(), r.Right, r.Bottom);
}

void TLabel::Paint()
{
    if (!FTransparent) {
        Canvas->Brush->Color = Color();
        Canvas->Brush->Style = bsSolid;
        Canvas->FillRect(ClientRect());
    }
    Canvas->Brush->Style = bsClear;
    TRect r = ClientRect();
    const uint32_t flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | DrawTextAlignment(FAlignment);
    if (FLayout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        const int free = Height() - calc.Height();
        OffsetRect(r, 0, FLayout == tlBottom ? free : free / 2);
    }
    DoDrawText(r, flags);
}

// ---- TLinkLabel -------------------------------------------------------------------------------------

TLinkLabel::TLinkLabel(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QLabel>()), FLabel(static_cast<QLabel*>(Widget()))
{
    NativeInput = true;
    ControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
    SetParentColor(true);
    FLabel->setTextFormat(Qt::RichText);
    FLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    FLabel->setOpenExternalLinks(false);
    ConnectSignal(FLabel, &QLabel::linkActivated, [this](const QString& link) {
        if (OnLinkClick)
            OnLinkClick(this, link, sltURL);
    });
    SetBounds(0, 0, 53, 17);
}

QString TLinkLabel::LinkTextToHtml(const QString& caption)
{
    static const QRegularExpression link(
        R"re(<a(?:\s+href\s*=\s*("[^"]*"|'[^']*'|[^\s>]+))?\s*>(.*?)</a\s*>)re",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString html;
    int at = 0;
    auto it = link.globalMatch(caption);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        html += caption.mid(at, m.capturedStart() - at).toHtmlEscaped();
        QString href = m.captured(1);
        if (href.size() >= 2 && (href.front() == '"' || href.front() == '\''))
            href = href.mid(1, href.size() - 2);
        const QString text = m.captured(2);
        if (href.isEmpty())
            href = text;
        html += QString("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped());
        at = m.capturedEnd();
    }
    html += caption.mid(at).toHtmlEscaped();
    return html;
}

void TLinkLabel::SetText(const QString& Value)
{
    if (FText == Value)
        return;
    FText = Value;
    FLabel->setText(LinkTextToHtml(Value));
    Relayout();
    HandleTextChanged();
}

void TLinkLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    Relayout();
}

void TLinkLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FLabel->setAlignment(HorizontalAlignment(Value) | Qt::AlignTop);
}

void TLinkLabel::ApplyFont()
{
    TWinControl::ApplyFont();
    if (FLabel)
        Relayout();
}

void TLinkLabel::Relayout()
{
    if (!FAutoSize || !FLabel)
        return;
    const QSize hint = FLabel->sizeHint();
    SetBounds(Left(), Top(), hint.width(), hint.height());
}

// ---- TEdit ------------------------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TEdit(AOwner, new TWidgetBridge<QLineEdit>()) {}

TEdit::TEdit(TComponent* AOwner, QLineEdit* widget) : TWinControl(AOwner, widget), FEdit(widget)
{
    Init();
}

void TEdit::Init()
{
    NativeInput = true;
    ControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    ConnectSignal(FEdit, &QLineEdit::textChanged, [this](const QString&) { Change(); });
    SetBounds(0, 0, 121, 21);
}

QString TEdit::Text() const
{
    return FEdit->text();
}

void TEdit::SetText(const QString& Value)
{
    if (FEdit->text() != Value)
        FEdit->setText(Value);
}

void TEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TEdit::ApplyColor()
{
    TWinControl::ApplyColor();
    SetBaseColor(Widget(), Color());
}

void TEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    FEdit->setMaxLength(QtMaxLength(FMaxLength));
}

bool TEdit::ReadOnly() const
{
    return FEdit->isReadOnly();
}

void TEdit::SetReadOnly(bool Value)
{
    FEdit->setReadOnly(Value);
}

void TEdit::SetPasswordChar(QChar Value)
{
    FPasswordChar = Value;
    FEdit->setEchoMode(Value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TEdit::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FEdit->setAlignment(HorizontalAlignment(Value) | Qt::AlignVCenter);
}

void TEdit::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    FEdit->setFrame(Value != bsNone);
}

int TEdit::SelStart() const
{
    return FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition();
}

void TEdit::SetSelStart(int Value)
{
    FEdit->setCursorPosition(Value);
}

int TEdit::SelLength() const
{
    return FEdit->hasSelectedText() ? FEdit->selectionLength() : 0;
}

void TEdit::SetSelLength(int Value)
{
    FEdit->setSelection(SelStart(), Value);
}

QString TEdit::SelText() const
{
    return FEdit->selectedText();
}

void TEdit::SetSelText(const QString& Value)
{
    FEdit->insert(Value);
}

void TEdit::DoEnter()
{
    // A click places the caret itself; selecting first would flash a selection it then drops.
    if (AutoSelect && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        SelectAll();
    TWinControl::DoEnter();
}

void TEdit::SelectAll()
{
    FEdit->selectAll();
}

void TEdit::ClearSelection()
{
    FEdit->del();
}

bool TEdit::Modified() const
{
    return FEdit->isModified();
}

void TEdit::SetModified(bool Value)
{
    FEdit->setModified(Value);
}

bool TEdit::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key);
}

void TEdit::HandleKeyPress(char16_t& Key)
{
    TWinControl::HandleKeyPress(Key);
    if (Key < 32)
        return;   // control characters (Backspace, Enter) pass
    if (NumbersOnly && !(Key >= '0' && Key <= '9')) {
        Key = 0;
        return;
    }
    if (CharCase == ecUpperCase)
        Key = QChar(Key).toUpper().unicode();
    else if (CharCase == ecLowerCase)
        Key = QChar(Key).toLower().unicode();
}

// ---- TMaskEdit --------------------------------------------------------------------------------------

TMaskEdit::TMaskEdit(TComponent* AOwner) : TEdit(AOwner) {}

QString TMaskEdit::ToQtInputMask(const QString& mask)
{
    if (mask.isEmpty())
        return QString();
    const QStringList fields = mask.split(';');
    const QString body = fields[0];
    static const QString qtMeta = "AaNnXx90DdHhBb#<>!;\\";
    QString out;
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        switch (c.unicode()) {
        case '0': out += '9'; break;
        case '9': out += '0'; break;
        case 'L': out += 'A'; break;
        case 'l': out += 'a'; break;
        case 'A': out += 'N'; break;
        case 'a': out += 'n'; break;
        case 'C': out += 'X'; break;
        case 'c': out += 'x'; break;
        case '#': out += '#'; break;
        case '!': break;   // the toolkit's "keep leading blanks" has no Qt counterpart
        case '>': out += '>'; break;
        case '<':
            if (i + 1 < body.size() && body[i + 1] == '>') {
                out += '!';
                ++i;
            } else {
                out += '<';
            }
            break;
        case '\\':
            if (i + 1 < body.size()) {
                out += '\\';
                out += body[++i];
            }
            break;
        default:
            if (qtMeta.contains(c))
                out += '\\';
            out += c;
            break;
        }
    }
    const QString blank = fields.size() >= 3 && !fields[2].isEmpty() ? fields[2].left(1) : QString("_");
    return out + ';' + blank;
}

void TMaskEdit::SetEditMask(const QString& Value)
{
    FEditMask = Value;
    LineEdit()->setInputMask(ToQtInputMask(Value));
}

// ---- TComboBox --------------------------------------------------------------------------------------

class TQtComboBox : public QComboBox {
public:
    std::function<void()> OnShowPopup;
    std::function<void()> OnHidePopup;
    int DroppedWidth = 0;
    void showPopup() override
    {
        if (OnShowPopup)
            OnShowPopup();
        if (view())
            view()->setMinimumWidth(DroppedWidth);
        QComboBox::showPopup();
    }
    // The toolkit's combo does not turn its selection with the wheel; its owner decides.
    void wheelEvent(QWheelEvent* e) override { e->ignore(); }
    void hidePopup() override
    {
        const bool shown = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (shown && OnHidePopup)
            OnHidePopup();
    }
};

// The items of a combo box, stored in the Qt combo box itself (objects as item data).
class TComboBoxItems : public TStrings {
public:
    explicit TComboBoxItems(TComboBox* owner) : owner_(owner) {}
    int Count() const override { return combo()->count(); }
    int AddObject(const QString& S, TObject* AObject) override
    {
        int index = Count();
        if (owner_->FSorted)
            index = SortedPlace(Count(), S, [this](int i) { return combo()->itemText(i); });
        TStrings::InsertObject(index, S, AObject);
        return index;
    }
    void Delete(int Index) override
    {
        CheckIndex(Index, Count());
        combo()->removeItem(Index);
        Changed();
    }
    void Clear() override
    {
        combo()->clear();
        Changed();
    }
    // One model insertion for the whole list: added item by item, a list of thousands costs a model
    // notification per item, and the grid fills its combo from a column's list often.
    void AddStrings(const TStrings* Strings) override
    {
        if (owner_->FSorted || Strings == this || Strings->Count() == 0) {
            TStrings::AddStrings(Strings);
            return;
        }
        BeginUpdate();
        Changing();
        QComboBox* c = combo();
        const int current = c->currentIndex();
        const QString edit = c->isEditable() ? c->currentText() : QString();
        const int start = c->count();
        QStringList texts;
        texts.reserve(Strings->Count());
        for (int i = 0; i < Strings->Count(); ++i)
            texts << Strings->Strings(i);
        c->insertItems(start, texts);
        for (int i = 0; i < Strings->Count(); ++i)
            if (TObject* object = Strings->Objects(i))
                c->setItemData(start + i, ObjectData(object));
        KeepSelection(current, edit);
        EndUpdate();
    }

protected:
    QString Get(int Index) const override
    {
        CheckIndex(Index, Count());
        return combo()->itemText(Index);
    }
    void Put(int Index, const QString& S) override
    {
        CheckIndex(Index, Count());
        combo()->setItemText(Index, S);
        Changed();
    }
    TObject* GetObject(int Index) const override
    {
        CheckIndex(Index, Count());
        return DataObject(combo()->itemData(Index));
    }
    void PutObject(int Index, TObject* AObject) override
    {
        CheckIndex(Index, Count());
        combo()->setItemData(Index, ObjectData(AObject));
    }
    void InsertItem(int Index, const QString& S, TObject* AObject) override
    {
        QComboBox* c = combo();
        const int current = c->currentIndex();
        const QString edit = c->isEditable() ? c->currentText() : QString();
        c->insertItem(Index, S, ObjectData(AObject));
        KeepSelection(current, edit);
    }

private:
    // Qt selects the first item put into an empty box; the toolkit leaves the selection alone.
    void KeepSelection(int current, const QString& edit)
    {
        QComboBox* c = combo();
        if (current < 0 && c->currentIndex() >= 0) {
            c->setCurrentIndex(-1);
            if (c->isEditable())
                c->setEditText(edit);
        }
    }

    QComboBox* combo() const { return owner_->Combo(); }
    TComboBox* owner_;
};

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<TQtComboBox>()), Items(new TComboBoxItems(this))
{
    FCombo = static_cast<TWidgetBridge<TQtComboBox>*>(Widget());
    NativeInput = true;
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FCombo->setEditable(true);
    FCombo->setInsertPolicy(QComboBox::NoInsert);
    FCombo->setCurrentIndex(-1);
    ConnectEditor();
    ConnectSignal(FCombo, &QComboBox::activated, [this](int) { Notify(CBN_SELCHANGE); });
    FCombo->OnShowPopup = [this] {
        GuardedDispatch([&] {
            FCombo->DroppedWidth = FDroppedWidth;
            Notify(CBN_DROPDOWN);
        });
    };
    FCombo->OnHidePopup = [this] { GuardedDispatch([&] { Notify(CBN_CLOSEUP); }); };
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox()
{
    if (FCombo) {
        FCombo->OnShowPopup = nullptr;
        FCombo->OnHidePopup = nullptr;
    }
    delete Items;
}

QComboBox* TComboBox::Combo() const
{
    return FCombo;
}

QLineEdit* TComboBox::LineEdit() const
{
    return FCombo->lineEdit();
}

void TComboBox::ConnectEditor()
{
    if (QLineEdit* edit = FCombo->lineEdit()) {
        edit->setMaxLength(QtMaxLength(FMaxLength));
        // Completion is the toolkit's own (AutoComplete), never Qt's.
        FCombo->setCompleter(nullptr);
        FLastEditText = edit->text();
        ConnectSignal(edit, &QLineEdit::textEdited, [this](const QString& text) { EditTyped(text); });
    }
}

void TComboBox::EditTyped(const QString& Text)
{
    QLineEdit* edit = FCombo->lineEdit();
    const bool grew = !FDeleting && Text.size() >= FLastEditText.size() - FLastSelLength;
    FLastEditText = Text;
    if (AutoComplete && grew && edit && !edit->hasSelectedText() && edit->cursorPosition() == Text.size() &&
        !Text.isEmpty()) {
        for (int i = 0; i < FCombo->count(); ++i) {
            const QString item = FCombo->itemText(i);
            if (!item.startsWith(Text, Qt::CaseInsensitive))
                continue;
            if (item.size() > Text.size()) {
                const QSignalBlocker block(FCombo);
                FCombo->setCurrentIndex(i);
                edit->setText(Text + item.mid(Text.size()));
                edit->setSelection(int(item.size()), -int(item.size() - Text.size()));
                FLastEditText = edit->text();
            }
            break;
        }
    }
    Notify(CBN_EDITCHANGE);
}

int TComboBox::SelStart() const
{
    const QLineEdit* edit = FCombo->lineEdit();
    if (!edit)
        return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TComboBox::SetSelStart(int Value)
{
    if (QLineEdit* edit = FCombo->lineEdit())
        edit->setCursorPosition(std::clamp(Value, 0, int(edit->text().size())));
}

int TComboBox::SelLength() const
{
    const QLineEdit* edit = FCombo->lineEdit();
    return edit && edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
}

void TComboBox::SetSelLength(int Value)
{
    QLineEdit* edit = FCombo->lineEdit();
    if (!edit)
        return;
    const int start = SelStart();
    const int len = std::clamp(Value, 0, int(edit->text().size()) - start);
    if (len > 0)
        edit->setSelection(start, len);
    else
        edit->setCursorPosition(start);
}

void TComboBox::SelectAll()
{
    if (QLineEdit* edit = FCombo->lineEdit())
        edit->selectAll();
}

void TComboBox::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    FDeleting = Key == VK_BACK || Key == VK_DELETE;
    FLastSelLength = SelLength();
    if (const QLineEdit* edit = FCombo->lineEdit())
        FLastEditText = edit->text();
    TWinControl::HandleKeyDown(Key, Shift);
}

void TComboBox::Notify(WORD Code)
{
    const WPARAM wparam = WPARAM(Code) << 16;
    if (TWinControl* parent = Parent())
        parent->Perform(WM_COMMAND, wparam, LPARAM(Handle()));
    else
        Perform(CN_COMMAND, wparam, LPARAM(Handle()));
}

void TComboBox::WndProc(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        HandleCNCommand(Message);
        return;
    }
    TWinControl::WndProc(Message);
}

void TComboBox::HandleCNCommand(TMessage& Message)
{
    switch (HiWord(Message.WParam)) {
    case CBN_SELCHANGE:
        Click();
        Select();
        break;
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        break;
    case CBN_CLOSEUP:
        if (OnCloseUp)
            OnCloseUp(this);
        break;
    default:
        break;
    }
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    const int index = FCombo->currentIndex();
    const bool editable = Value == csDropDown || Value == csSimple;
    if (FCombo->isEditable() != editable) {
        FCombo->setEditable(editable);
        FCombo->setCurrentIndex(index);
        ConnectEditor();
    }
}

int TComboBox::ItemIndex() const
{
    return FCombo->currentIndex();
}

void TComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FCombo->count())
        Value = -1;
    FCombo->setCurrentIndex(Value);
}

QString TComboBox::Text() const
{
    return FCombo->currentText();
}

void TComboBox::SetText(const QString& Value)
{
    if (FCombo->isEditable()) {
        FCombo->setEditText(Value);
        return;
    }
    SetItemIndex(Items->IndexOf(Value));
}

int TComboBox::DropDownCount() const
{
    return FCombo->maxVisibleItems();
}

void TComboBox::SetDropDownCount(int Value)
{
    FCombo->setMaxVisibleItems(std::max(1, Value));
}

void TComboBox::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    FSorted = Value;
    if (!Value || Items->Count() < 2)
        return;
    TStringList copy;
    copy.Assign(Items);
    copy.SetSorted(true);
    const QString current = Text();
    Items->Assign(&copy);
    if (!FCombo->isEditable())
        SetItemIndex(Items->IndexOf(current));
}

void TComboBox::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    if (QLineEdit* edit = FCombo->lineEdit())
        edit->setMaxLength(QtMaxLength(FMaxLength));
}

bool TComboBox::DroppedDown() const
{
    return FCombo->view() && FCombo->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool Value)
{
    if (Value)
        FCombo->showPopup();
    else
        FCombo->hidePopup();
}

void TComboBox::Clear()
{
    Items->Clear();
    if (FCombo->isEditable())
        FCombo->setEditText(QString());
}

bool TComboBox::WantsKey(WORD Key, TShiftState) const
{
    if (Key == VK_UP || Key == VK_DOWN)
        return true;
    if ((Key == VK_LEFT || Key == VK_RIGHT) && FCombo->isEditable())
        return true;
    return (Key == VK_RETURN || Key == VK_ESCAPE) && DroppedDown();
}

void TComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TComboBox::ApplyColor()
{
    TWinControl::ApplyColor();
    SetBaseColor(Widget(), Color());
}

// ---- TCheckBox --------------------------------------------------------------------------------------

class TQtCheckBox : public QCheckBox {
public:
    std::function<Qt::CheckState()> Next;

protected:
    void nextCheckState() override
    {
        if (Next)
            setCheckState(Next());
        else
            QCheckBox::nextCheckState();
    }
};

namespace {

Qt::CheckState ToQt(TCheckBoxState s)
{
    return s == cbChecked ? Qt::Checked : (s == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

} // namespace

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, new TWidgetBridge<TQtCheckBox>())
{
    FBox = static_cast<TWidgetBridge<TQtCheckBox>*>(Widget());
    NativeInput = true;
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(true);
    FBox->Next = [this] { return ToQt(NextState()); };
    ConnectSignal(FBox, &QCheckBox::stateChanged, [this](int) { Click(); });
    SetBounds(0, 0, 97, 17);
}

TCheckBoxState TCheckBox::State() const
{
    switch (FBox->checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckBox::SetState(TCheckBoxState Value)
{
    if (State() == Value)
        return;
    if (Value == cbGrayed)
        FBox->setTristate(true);
    FBox->setCheckState(ToQt(Value));
}

TCheckBoxState TCheckBox::NextState() const
{
    switch (State()) {
    case cbUnchecked: return AllowGrayed ? cbGrayed : cbChecked;
    case cbChecked: return cbUnchecked;
    default: return cbChecked;
    }
}

void TCheckBox::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FBox->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SetText(const QString& Value)
{
    if (FText == Value)
        return;
    FText = Value;
    FBox->setText(Value);
    FBox->setShortcut(QKeySequence());   // accelerators go through the dialog-char routing only
    HandleTextChanged();
}

bool TCheckBox::HandleDialogChar(char16_t Key, TShiftState)
{
    if (!IsAccel(Key, Caption()) || !CanFocus())
        return false;
    SetFocus();
    SetState(NextState());
    return true;
}

// ---- TRadioButton -----------------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner, new TWidgetBridge<QRadioButton>())
{
    FRadio = static_cast<QRadioButton*>(Widget());
    NativeInput = true;
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(true);
    ConnectSignal(FRadio, &QRadioButton::toggled, [this](bool on) {
        if (on)
            Click();
    });
    SetBounds(0, 0, 113, 17);
}

bool TRadioButton::Checked() const
{
    return FRadio->isChecked();
}

void TRadioButton::SetChecked(bool Value)
{
    if (Value == FRadio->isChecked())
        return;
    if (Value) {
        FRadio->setChecked(true);
        return;
    }
    // Qt keeps the checked button of an exclusive group checked; the toolkit lets it go.
    FRadio->setAutoExclusive(false);
    FRadio->setChecked(false);
    FRadio->setAutoExclusive(true);
}

void TRadioButton::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FRadio->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::SetText(const QString& Value)
{
    if (FText == Value)
        return;
    FText = Value;
    FRadio->setText(Value);
    FRadio->setShortcut(QKeySequence());
    HandleTextChanged();
}

bool TRadioButton::HandleDialogChar(char16_t Key, TShiftState)
{
    if (!IsAccel(Key, Caption()) || !CanFocus())
        return false;
    SetFocus();
    SetChecked(true);
    return true;
}

// ---- TListBox ---------------------------------------------------------------------------------------

// The items of a list box, stored in the QListWidget (objects as item data).
class TListBoxItems : public TStrings {
public:
    explicit TListBoxItems(TListBox* owner) : owner_(owner) {}
    int Count() const override { return list()->count(); }
    int AddObject(const QString& S, TObject* AObject) override
    {
        int index = Count();
        if (owner_->FSorted)
            index = SortedPlace(Count(), S, [this](int i) { return list()->item(i)->text(); });
        TStrings::InsertObject(index, S, AObject);
        return index;
    }
    void Delete(int Index) override
    {
        CheckIndex(Index, Count());
        ++owner_->FCodeChange;
        delete list()->takeItem(Index);
        --owner_->FCodeChange;
        Changed();
    }
    void Clear() override
    {
        ++owner_->FCodeChange;
        list()->clear();
        --owner_->FCodeChange;
        Changed();
    }

protected:
    QString Get(int Index) const override
    {
        CheckIndex(Index, Count());
        return list()->item(Index)->text();
    }
    void Put(int Index, const QString& S) override
    {
        CheckIndex(Index, Count());
        list()->item(Index)->setText(S);
        Changed();
    }
    TObject* GetObject(int Index) const override
    {
        CheckIndex(Index, Count());
        return DataObject(list()->item(Index)->data(Qt::UserRole));
    }
    void PutObject(int Index, TObject* AObject) override
    {
        CheckIndex(Index, Count());
        list()->item(Index)->setData(Qt::UserRole, ObjectData(AObject));
    }
    void InsertItem(int Index, const QString& S, TObject* AObject) override
    {
        auto* item = new QListWidgetItem(S);
        item->setData(Qt::UserRole, ObjectData(AObject));
        ++owner_->FCodeChange;
        list()->insertItem(Index, item);
        --owner_->FCodeChange;
    }

private:
    QListWidget* list() const { return owner_->FList; }
    TListBox* owner_;
};

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QListWidget>()), Items(new TListBoxItems(this))
{
    FList = static_cast<QListWidget*>(Widget());
    NativeInput = true;
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setUniformItemSizes(true);
    ConnectSignal(FList, &QListWidget::currentRowChanged, [this](int) {
        if (FCodeChange > 0)
            return;
        FChangedByPress = true;
        Click();
    });
    ConnectSignal(FList, &QListWidget::itemClicked, [this](QListWidgetItem*) {
        if (!FChangedByPress)
            Click();
    });
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox()
{
    delete Items;
}

int TListBox::ItemIndex() const
{
    return FList->currentRow();
}

void TListBox::SetItemIndex(int Value)
{
    ++FCodeChange;
    if (Value < 0 || Value >= Count()) {
        FList->setCurrentItem(nullptr);
        FList->clearSelection();
    } else {
        FList->setCurrentRow(Value);
    }
    --FCodeChange;
}

void TListBox::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    FList->setSelectionMode(Value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int Index) const
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return FList->item(Index)->isSelected();
}

void TListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    ++FCodeChange;
    if (!FMultiSelect && Value)
        FList->setCurrentRow(Index);
    else
        FList->item(Index)->setSelected(Value);
    --FCodeChange;
}

int TListBox::SelCount() const
{
    return static_cast<int>(FList->selectedItems().size());
}

void TListBox::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    FSorted = Value;
    if (!Value || Count() < 2)
        return;
    TStringList copy;
    copy.Assign(Items);
    copy.SetSorted(true);
    Items->Assign(&copy);
}

int TListBox::TopIndex() const
{
    const QModelIndex top = FList->indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : 0;
}

void TListBox::SetTopIndex(int Value)
{
    if (Value >= 0 && Value < Count())
        FList->scrollToItem(FList->item(Value), QAbstractItemView::PositionAtTop);
}

int TListBox::ItemHeight() const
{
    return Count() > 0 ? FList->sizeHintForRow(0) : FList->fontMetrics().height();
}

int TListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
    const QModelIndex index = FList->indexAt(FList->viewport()->mapFrom(FList, Pos.ToQPoint()));
    if (index.isValid())
        return index.row();
    return Existing ? -1 : Count();
}

TRect TListBox::ItemRect(int Index) const
{
    if (Index < 0 || Index >= Count())
        return TRect();
    const QRect r = FList->visualItemRect(FList->item(Index));
    return TRect::FromQRect(QRect(FList->viewport()->mapTo(FList, r.topLeft()), r.size()));
}

bool TListBox::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key);
}

void TListBox::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FChangedByPress = false;   // a click on the selected item still clicks (see itemClicked)
    TWinControl::HandleMouseDown(Button, Shift, X, Y);
}

void TListBox::HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft)
        DblClick();
    TWinControl::HandleMouseDown(Button, Shift | ssDouble, X, Y);
}

void TListBox::ApplyColor()
{
    TWinControl::ApplyColor();
    SetBaseColor(Widget(), Color());
}

// ---- TMemo ------------------------------------------------------------------------------------------

// The lines of a memo. Inside BeginUpdate/EndUpdate the lines are kept aside and written to the
// editor once at the end, so filling a memo line by line costs one rebuild.
class TMemoLines : public TStrings {
public:
    explicit TMemoLines(TMemo* owner) : owner_(owner) {}
    int Count() const override { return static_cast<int>(lines().size()); }
    void Delete(int Index) override
    {
        CheckIndex(Index, Count());
        QStringList l = lines();
        l.removeAt(Index);
        store(l);
    }
    void Clear() override { store(QStringList()); }

protected:
    QString Get(int Index) const override
    {
        CheckIndex(Index, Count());
        return lines()[Index];
    }
    void Put(int Index, const QString& S) override
    {
        CheckIndex(Index, Count());
        QStringList l = lines();
        l[Index] = S;
        store(l);
    }
    TObject* GetObject(int Index) const override
    {
        CheckIndex(Index, Count());
        return nullptr;
    }
    void PutObject(int Index, TObject*) override { CheckIndex(Index, Count()); }
    void InsertItem(int Index, const QString& S, TObject*) override
    {
        QStringList l = lines();
        l.insert(Index, S);
        store(l);
    }
    void SetUpdateState(bool Updating) override
    {
        if (Updating) {
            pending_ = lines();
        } else if (pending_) {
            const QStringList l = *pending_;
            pending_.reset();
            write(l);
        }
    }

private:
    QStringList lines() const
    {
        if (pending_)
            return *pending_;
        const QString text = owner_->FEditor->toPlainText();
        if (text.isEmpty())
            return QStringList();
        QStringList l = text.split('\n');
        if (l.size() > 1 && l.back().isEmpty())
            l.removeLast();   // a final line break starts no line
        return l;
    }
    void store(const QStringList& l)
    {
        if (pending_) {
            *pending_ = l;
            return;
        }
        write(l);
        Changed();
    }
    void write(const QStringList& l)
    {
        const QString text = l.join('\n');
        if (owner_->FEditor->toPlainText() != text)
            owner_->FEditor->setPlainText(text);
    }
    TMemo* owner_;
    std::optional<QStringList> pending_;
};

TMemo::TMemo(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QPlainTextEdit>()), Lines(new TMemoLines(this))
{
    FEditor = static_cast<QPlainTextEdit*>(Widget());
    NativeInput = true;
    ControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FEditor->setTabChangesFocus(true);
    SetScrollBars(ssNone);
    ConnectSignal(FEditor, &QPlainTextEdit::textChanged, [this] { Change(); });
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo()
{
    delete Lines;
}

QString TMemo::Text() const
{
    return FEditor->toPlainText().replace('\n', "\r\n");
}

void TMemo::SetText(const QString& Value)
{
    QString text = Value;
    text.replace("\r\n", "\n").replace('\r', '\n');
    if (FEditor->toPlainText() != text)
        FEditor->setPlainText(text);
}

bool TMemo::ReadOnly() const
{
    return FEditor->isReadOnly();
}

void TMemo::SetReadOnly(bool Value)
{
    FEditor->setReadOnly(Value);
}

void TMemo::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    FEditor->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    const bool h = Value == ssHorizontal || Value == ssBoth;
    const bool v = Value == ssVertical || Value == ssBoth;
    FEditor->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FEditor->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SelectAll()
{
    FEditor->selectAll();
}

bool TMemo::WantsKey(WORD Key, TShiftState) const
{
    if (IsArrowKey(Key))
        return true;
    switch (Key) {
    case VK_RETURN: return WantReturns;
    case VK_TAB: return WantTabs;
    default: return false;
    }
}

void TMemo::Change()
{
    if (OnChange)
        OnChange(this);
}

void TMemo::ApplyColor()
{
    TWinControl::ApplyColor();
    SetBaseColor(Widget(), Color());
}

// ---- TGroupBox --------------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle |= csAcceptsControls;
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::Paint()
{
    Canvas->Font->Assign(Font);
    const int h = Canvas->TextHeight("0");
    TRect frame(0, h / 2 - 1, Width(), Height());
    DrawEdge(Canvas->Handle(), frame, EDGE_ETCHED, BF_RECT);
    if (Caption().isEmpty())
        return;
    TRect text(8, 0, 0, h);
    Canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    if (!Enabled())
        Canvas->Font->Color = clGrayText;
    Canvas->DrawText(Caption(), text, DT_SINGLELINE);
}

void TGroupBox::AlignControls(TRect& Rect)
{
    Canvas->Font->Assign(Font);
    Rect.Top += Canvas->TextHeight("0");
    InflateRect(Rect, -1, -1);
    TCustomControl::AlignControls(Rect);
}

bool TGroupBox::HandleDialogChar(char16_t Key, TShiftState Shift)
{
    if (IsAccel(Key, Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false))
            first->SetFocus();
        return true;
    }
    return TCustomControl::HandleDialogChar(Key, Shift);
}

// ---- TButton ----------------------------------------------------------------------------------------

class TQtPushButton : public QPushButton {
};

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, new TWidgetBridge<TQtPushButton>())
{
    FButton = static_cast<TWidgetBridge<TQtPushButton>*>(Widget());
    NativeInput = true;
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    // Enter is a dialog key of the form, never the button's own default press.
    FButton->setAutoDefault(false);
    FButton->setDefault(false);
    ConnectSignal(FButton, &QPushButton::clicked, [this](bool) { Click(); });
    SetBounds(0, 0, 75, 25);
}

QPushButton* TButton::PushButton() const
{
    return FButton;
}

void TButton::SetText(const QString& Value)
{
    if (FText == Value)
        return;
    FText = Value;
    FButton->setText(Value);
    FButton->setShortcut(QKeySequence()); // accelerators go through the dialog-char routing only
    HandleTextChanged();
}
