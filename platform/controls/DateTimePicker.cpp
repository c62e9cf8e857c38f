// The date-time picker: a field editor over a read-only line edit, the calendar drop-down, the check
// box and the notifications.
#include "platform/controls/DateTimePicker.h"

#include "platform/graphics/ClassicDraw.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace
{

constexpr int CheckBoxSpace = 18; // left of the fields while ShowCheckbox
constexpr int EditFrame = 2;

bool IsFieldLetter(QChar c)
{
    return c == u'd' || c == u'M' || c == u'y' || c == u'h' || c == u'H' || c == u'm' || c == u's' ||
           c == u't';
}

bool HasAmPm(const QString& format)
{
    return format.contains(u't') || format.contains(QLatin1String("AP"), Qt::CaseInsensitive);
}

struct TParts {
    int y = 1899, M = 12, d = 30, h = 0, m = 0, s = 0, ms = 0;
};

TParts Split(TDateTime v)
{
    TParts p;
    DecodeDate(v, p.y, p.M, p.d);
    DecodeTime(v, p.h, p.m, p.s, p.ms);
    return p;
}

// The value of the parts; the day is cut to the month's length. False when the date cannot be held.
bool Join(TParts p, TDateTime& v)
{
    p.d = std::min(p.d, DaysInAMonth(p.y, p.M));
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(p.y, p.M, p.d, date) || !TryEncodeTime(p.h, p.m, p.s, p.ms, time))
        return false;
    v = date < 0 ? date - time : date + time;
    return true;
}

int Wrap(int value, int low, int high)
{
    const int span = high - low + 1;
    return low + ((value - low) % span + span) % span;
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QLineEdit>()), FEdit(static_cast<QLineEdit*>(Widget()))
{
    NativeInput = true;
    ControlStyle = csClickEvents | csDoubleClicks;
    FEdit->setReadOnly(true);
    FEdit->setContextMenuPolicy(Qt::NoContextMenu);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FDateTime = Now();
    SetBounds(0, 0, 186, 21);
    Rebuild();
}

TDateTimePicker::~TDateTimePicker()
{
    Destroying();
    delete FCalendar.data();
}

int TDateTimePicker::ButtonWidthOf()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
}

TRect TDateTimePicker::ButtonRect() const
{
    return TRect(Width() - EditFrame - ButtonWidthOf(), EditFrame, Width() - EditFrame, Height() - EditFrame);
}

// ---- Values -----------------------------------------------------------------------------------------

TDateTime TDateTimePicker::Clamp(TDateTime Value) const
{
    if (FMinDate != 0 && Value < FMinDate)
        return FMinDate;
    if (FMaxDate != 0 && Value > FMaxDate)
        return FMaxDate;
    return Value;
}

void TDateTimePicker::SendSystemTime(TDateTime Value, bool None)
{
    if (None) {
        FChecked = false;
    } else {
        FDateTime = Clamp(Value);
    }
    if (FCheckBox)
        FCheckBox->setChecked(FChecked);
    Rebuild();
}

void TDateTimePicker::SetDateTime(TDateTime Value)
{
    SendSystemTime(Value, false);
}

TDateTime TDateTimePicker::Date() const
{
    return std::trunc(FDateTime);
}

void TDateTimePicker::SetDate(TDateTime Value)
{
    TParts p = Split(FDateTime), date = Split(Value);
    p.y = date.y;
    p.M = date.M;
    p.d = date.d;
    TDateTime v = 0;
    if (Join(p, v))
        SetDateTime(v);
}

TDateTime TDateTimePicker::Time() const
{
    const TParts p = Split(FDateTime);
    return EncodeTime(p.h, p.m, p.s, p.ms); // exact, not a difference of two large numbers
}

void TDateTimePicker::SetTime(TDateTime Value)
{
    TParts p = Split(FDateTime), time = Split(Value);
    p.h = time.h;
    p.m = time.m;
    p.s = time.s;
    p.ms = time.ms;
    TDateTime v = 0;
    if (Join(p, v))
        SetDateTime(v);
}

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
    FKind = Value;
    FSelected = 0;
    Rebuild();
}

void TDateTimePicker::SetFormat(const QString& Value)
{
    FFormat = Value;
    FSelected = 0;
    Rebuild();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value)
{
    FDateMode = Value;
    Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime Value)
{
    FMinDate = Value;
    SendSystemTime(FDateTime, false);
}

void TDateTimePicker::SetMaxDate(TDateTime Value)
{
    FMaxDate = Value;
    SendSystemTime(FDateTime, false);
}

void TDateTimePicker::SetShowCheckbox(bool Value)
{
    FShowCheckbox = Value;
    if (Value && !FCheckBox) {
        FCheckBox = new QCheckBox(FEdit);
        FCheckBox->setFocusPolicy(Qt::NoFocus);
        FCheckBox->setChecked(FChecked);
        QObject::connect(FCheckBox, &QCheckBox::clicked, FCheckBox, [this](bool checked) {
            GuardedDispatch([&] {
                FChecked = checked;
                Rebuild();
                Notify(DTN_DATETIMECHANGE, checked ? GDT_VALID : GDT_NONE);
            });
        });
    }
    if (FCheckBox)
        FCheckBox->setVisible(Value);
    PlaceCheckBox();
    Rebuild();
}

void TDateTimePicker::SetChecked(bool Value)
{
    FChecked = Value;
    SendSystemTime(FDateTime, !Value);
}

void TDateTimePicker::UserChange(TDateTime Value)
{
    Value = Clamp(Value);
    if (Value == FDateTime)
        return;
    FDateTime = Value;
    Rebuild();
    Notify(DTN_DATETIMECHANGE, Checked() ? GDT_VALID : GDT_NONE);
}

// ---- Notifications ----------------------------------------------------------------------------------

void TDateTimePicker::Notify(int Code, uint32_t Flags)
{
    TNMDateTimeChange header;
    header.code = Code;
    header.dwFlags = Flags;
    header.st = FDateTime;
    HandleNotify(header);
}

void TDateTimePicker::HandleNotify(TNMHdr& Header)
{
    switch (Header.code) {
    case DTN_DATETIMECHANGE:
        Change();
        break;
    case DTN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        break;
    case DTN_CLOSEUP:
        if (OnCloseUp)
            OnCloseUp(this);
        break;
    default:
        break;
    }
}

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---- Fields -----------------------------------------------------------------------------------------

QString TDateTimePicker::EffectiveFormat() const
{
    if (!FFormat.isEmpty())
        return FFormat;
    return FKind == dtkDate ? FormatSettings().ShortDateFormat : FormatSettings().LongTimeFormat;
}

QString TDateTimePicker::DisplayText() const
{
    return FEdit->text();
}

QChar TDateTimePicker::FieldLetter(int Index) const
{
    return Index >= 0 && Index < FieldCount() ? FFields[size_t(Index)].letter : QChar();
}

void TDateTimePicker::Rebuild()
{
    const QString format = EffectiveFormat();
    const bool twelveHours = HasAmPm(format);
    QString text;
    FFields.clear();
    for (int i = 0; i < format.length();) {
        const QChar c = format[i];
        if (c == u'\'') {
            i = ReadQuotedLiteral(format, i, text);
            continue;
        }
        if (!IsFieldLetter(c)) {
            text += c;
            ++i;
            continue;
        }
        int n = 1;
        while (i + n < format.length() && format[i + n] == c)
            ++n;
        const QString token = format.mid(i, n);
        // A lone hour token is formatted with a marker so that it keeps the format's 12-hour clock.
        const QString piece =
            c == u'h' && twelveHours
                ? FormatDateTime(token + QStringLiteral(" t"), FDateTime).section(u' ', 0, 0)
                : FormatDateTime(token, FDateTime);
        FFields.push_back(TField{c, n, int(text.length()), int(piece.length())});
        text += piece;
        i += n;
    }
    FSelected = std::clamp(FSelected, 0, std::max(0, FieldCount() - 1));
    FEdit->setText(text);
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Text,
                 QApplication::palette().color(Checked() && Enabled() ? QPalette::Active : QPalette::Disabled,
                                               QPalette::Text));
    FEdit->setPalette(pal);
    ShowSelection();
}

void TDateTimePicker::ShowSelection()
{
    if (FFields.empty())
        return;
    const TField& f = FFields[size_t(FSelected)];
    FEdit->setSelection(f.start, f.size);
}

void TDateTimePicker::SelectField(int Index)
{
    if (FFields.empty())
        return;
    FSelected = Wrap(Index, 0, FieldCount() - 1);
    FPending.clear();
    ShowSelection();
}

void TDateTimePicker::StepField(int Delta)
{
    if (FFields.empty() || !Checked())
        return;
    TParts p = Split(FDateTime);
    switch (FFields[size_t(FSelected)].letter.unicode()) {
    case u'd':
        p.d = Wrap(p.d + Delta, 1, DaysInAMonth(p.y, p.M));
        break;
    case u'M':
        p.M = Wrap(p.M + Delta, 1, 12);
        break;
    case u'y':
        p.y = std::clamp(p.y + Delta, 1, 9999);
        break;
    case u'h':
    case u'H':
        p.h = Wrap(p.h + Delta, 0, 23);
        break;
    case u'm':
        p.m = Wrap(p.m + Delta, 0, 59);
        break;
    case u's':
        p.s = Wrap(p.s + Delta, 0, 59);
        break;
    case u't':
        p.h = (p.h + 12) % 24;
        break;
    default:
        return;
    }
    FPending.clear();
    TDateTime v = 0;
    if (Join(p, v))
        UserChange(v);
}

void TDateTimePicker::TypeDigit(int Digit)
{
    if (FFields.empty() || !Checked())
        return;
    const QChar letter = FFields[size_t(FSelected)].letter;
    const bool twelveHours = HasAmPm(EffectiveFormat());
    TParts p = Split(FDateTime);
    const int maxDigits = letter == u'y' ? 4 : 2;
    auto valid = [&](int n) {
        switch (letter.unicode()) {
        case u'd':
            return n >= 1 && n <= DaysInAMonth(p.y, p.M);
        case u'M':
            return n >= 1 && n <= 12;
        case u'y':
            return n >= 1;
        case u'h':
            return twelveHours ? n >= 1 && n <= 12 : n <= 23;
        case u'H':
            return n <= 23;
        case u'm':
        case u's':
            return n <= 59;
        default:
            return false;
        }
    };
    FPending += QChar(u'0' + Digit);
    if (!valid(FPending.toInt()) && FPending.length() > 1)
        FPending = QString(QChar(u'0' + Digit)); // the digit starts the field anew
    const int n = FPending.toInt();
    const int typed = int(FPending.length());
    if (typed >= maxDigits)
        FPending.clear();
    if (!valid(n))
        return;
    switch (letter.unicode()) {
    case u'd':
        p.d = n;
        break;
    case u'M':
        p.M = n;
        break;
    case u'y': {
        // One or two digits name a year of this century.
        int nowYear = 0, m = 0, d = 0;
        DecodeDate(Now(), nowYear, m, d);
        p.y = typed <= 2 ? nowYear / 100 * 100 + n : n;
        break;
    }
    case u'h':
        p.h = twelveHours ? n % 12 + (p.h >= 12 ? 12 : 0) : n;
        break;
    case u'H':
        p.h = n;
        break;
    case u'm':
        p.m = n;
        break;
    case u's':
        p.s = n;
        break;
    default:
        return;
    }
    TDateTime v = 0;
    if (Join(p, v))
        UserChange(v);
}

void TDateTimePicker::ToggleAmPm(bool Pm)
{
    TParts p = Split(FDateTime);
    if ((p.h >= 12) == Pm)
        return;
    p.h = (p.h + 12) % 24;
    TDateTime v = 0;
    if (Join(p, v))
        UserChange(v);
}

// ---- Keys and mouse ---------------------------------------------------------------------------------

bool TDateTimePicker::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key);
}

void TDateTimePicker::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TWinControl::HandleKeyDown(Key, Shift);
    const bool plain = !(Shift & (ssCtrl | ssAlt));
    switch (Key) {
    case VK_LEFT:
        SelectField(FSelected - 1);
        break;
    case VK_RIGHT:
        SelectField(FSelected + 1);
        break;
    case VK_HOME:
        SelectField(0);
        break;
    case VK_END:
        SelectField(FieldCount() - 1);
        break;
    case VK_UP:
        StepField(+1);
        break;
    case VK_DOWN:
        if (Shift & ssAlt)
            SetDroppedDown(true);
        else
            StepField(-1);
        break;
    case VK_PRIOR:
        StepField(+1);
        break;
    case VK_NEXT:
        StepField(-1);
        break;
    case VK_F4:
        if (plain)
            SetDroppedDown(!DroppedDown());
        break;
    case VK_SPACE:
        if (FShowCheckbox && FCheckBox)
            FCheckBox->click();
        break;
    case VK_BACK:
    case VK_DELETE:
        break;
    default:
        return;
    }
    Key = 0;
}

void TDateTimePicker::HandleKeyPress(char16_t& Key)
{
    TWinControl::HandleKeyPress(Key);
    if (Key < 32)
        return; // control characters (copy) go on to the edit
    if (Key >= u'0' && Key <= u'9')
        TypeDigit(Key - u'0');
    else if (FieldLetter(FSelected) == u't' && (Key == u'a' || Key == u'A' || Key == u'p' || Key == u'P'))
        ToggleAmPm(Key == u'p' || Key == u'P');
    Key = 0;
}

void TDateTimePicker::HandleSetFocus()
{
    TWinControl::HandleSetFocus();
    ShowSelection(); // the field editor keeps one field selected whenever it has the focus
}

void TDateTimePicker::WidgetMouse(QMouseEvent* event, TControlWidgetLink& link)
{
    const QPoint pos = event->position().toPoint();
    if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton &&
        ButtonRect().Contains(TPoint::FromQPoint(pos)) && Enabled()) {
        if (!Focused() && CanFocus())
            SetFocus();
        if (FKind == dtkDate && FDateMode == dmComboBox)
            SetDroppedDown(!DroppedDown());
        else
            StepField(pos.y() < ButtonRect().Top + ButtonRect().Height() / 2 ? +1 : -1);
        event->accept();
        return;
    }
    TWinControl::WidgetMouse(event, link);
    if (event->type() == QEvent::MouseButtonPress && !FFields.empty()) {
        const int at = FEdit->cursorPositionAt(pos);
        int chosen = 0;
        for (int i = 0; i < FieldCount(); ++i)
            if (FFields[size_t(i)].start <= at)
                chosen = i;
        SelectField(chosen);
    }
    ShowSelection();
}

// ---- Calendar ---------------------------------------------------------------------------------------

QCalendarWidget* TDateTimePicker::Calendar() const
{
    return FCalendar && FCalendar->isVisible() ? FCalendar.data() : nullptr;
}

bool TDateTimePicker::DroppedDown() const
{
    return Calendar() != nullptr;
}

void TDateTimePicker::SetDroppedDown(bool Value)
{
    if (Value == DroppedDown())
        return;
    if (Value)
        OpenCalendar();
    else if (FCalendar)
        FCalendar->close();
}

namespace
{

// Ends the calendar on Esc and tells when it is hidden (Qt hides a popup on an outside click).
class TCalendarWatch : public QObject
{
  public:
    TCalendarWatch(QObject* parent, std::function<void()> closed)
        : QObject(parent), closed_(std::move(closed))
    {
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            static_cast<QWidget*>(watched)->close();
            return true;
        }
        if (event->type() == QEvent::Hide && closed_) {
            auto closed = std::move(closed_);
            closed_ = nullptr;
            closed();
        }
        return false;
    }

  private:
    std::function<void()> closed_;
};

} // namespace

void TDateTimePicker::OpenCalendar()
{
    if (FKind != dtkDate || FDateMode != dmComboBox || !Checked() || !Enabled())
        return;
    Notify(DTN_DROPDOWN);
    auto* calendar = new QCalendarWidget(nullptr);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    const TParts p = Split(FDateTime);
    calendar->setSelectedDate(QDate(p.y, p.M, p.d));
    if (FMinDate != 0) {
        const TParts low = Split(FMinDate);
        calendar->setMinimumDate(QDate(low.y, low.M, low.d));
    }
    if (FMaxDate != 0) {
        const TParts high = Split(FMaxDate);
        calendar->setMaximumDate(QDate(high.y, high.M, high.d));
    }
    auto choose = [this, calendar](QDate date) {
        GuardedDispatch([&] {
            TParts v = Split(FDateTime);
            v.y = date.year();
            v.M = date.month();
            v.d = date.day();
            TDateTime value = 0;
            if (Join(v, value))
                UserChange(value);
        });
        calendar->close();
    };
    QObject::connect(calendar, &QCalendarWidget::clicked, calendar, choose);
    QObject::connect(calendar, &QCalendarWidget::activated, calendar, choose);
    calendar->installEventFilter(
        new TCalendarWatch(calendar, [this] { GuardedDispatch([&] { CalendarClosed(); }); }));
    FCalendar = calendar;
    calendar->move(FEdit->mapToGlobal(QPoint(0, Height())));
    calendar->show();
    calendar->setFocus();
    Invalidate();
}

void TDateTimePicker::CalendarClosed()
{
    FCalendar = nullptr;
    if (IsDestroying())
        return;
    Invalidate();
    Notify(DTN_CLOSEUP);
}

// ---- Layout and painting ----------------------------------------------------------------------------

void TDateTimePicker::PlaceCheckBox()
{
    const int left = FShowCheckbox ? CheckBoxSpace : 0;
    FEdit->setTextMargins(left, 0, ButtonWidthOf() + FExtraRightMargin, 0);
    if (FCheckBox)
        FCheckBox->setGeometry(EditFrame + 1, EditFrame, CheckBoxSpace - 2, Height() - 2 * EditFrame);
}

void TDateTimePicker::SetExtraRightMargin(int Value)
{
    FExtraRightMargin = Value;
    PlaceCheckBox();
}

void TDateTimePicker::Resize()
{
    TWinControl::Resize();
    PlaceCheckBox();
}

void TDateTimePicker::ApplyColor()
{
    TWinControl::ApplyColor();
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Base, ColorToQColor(Color()));
    FEdit->setPalette(pal);
}

void TDateTimePicker::HandleEnabledChanged()
{
    TWinControl::HandleEnabledChanged();
    if (!Enabled() && FCalendar)
        FCalendar->close();
    Rebuild();
}

void TDateTimePicker::PaintWidget(QPaintEvent* event, TControlWidgetLink& link)
{
    link.NativePaint(event);
    QPainter painter(Widget());
    TCanvas canvas;
    TCanvasPainterBinding binding(canvas, painter);
    GuardedDispatch([&] { PaintButton(&canvas); });
}

void TDateTimePicker::PaintButton(TCanvas* Canvas)
{
    const TRect r = ButtonRect();
    if (FKind == dtkDate && FDateMode == dmComboBox) {
        uint32_t state =
            DFCS_SCROLLCOMBOBOX | (Enabled() ? 0 : DFCS_INACTIVE) | (DroppedDown() ? DFCS_PUSHED : 0);
        DrawFrameControl(Canvas->Handle(), r, DFC_SCROLL, state);
        return;
    }
    const int middle = r.Top + r.Height() / 2;
    const uint32_t inactive = Enabled() ? 0 : DFCS_INACTIVE;
    DrawFrameControl(Canvas->Handle(), TRect(r.Left, r.Top, r.Right, middle), DFC_SCROLL,
                     DFCS_SCROLLUP | inactive);
    DrawFrameControl(Canvas->Handle(), TRect(r.Left, middle, r.Right, r.Bottom), DFC_SCROLL,
                     DFCS_SCROLLDOWN | inactive);
}
