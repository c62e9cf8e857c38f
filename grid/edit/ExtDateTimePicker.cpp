// The date-time picker with time part: the combined value, the embedded time picker, AutoTab into
// it and the attached label.
#include "grid/edit/ExtDateTimePicker.h"

#include <cmath>

namespace
{

constexpr int EditFrame = 2;
constexpr int TimePartPadding = 31; // the time part's width beyond its text (its up-down pair)

// Whole days of `value` plus the time of day to the second.
TDateTime DaysAndSeconds(TDateTime days, TDateTime time)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(time, h, m, s, ms);
    const TDateTime whole = std::trunc(days);
    const TDateTime t = EncodeTime(h, m, s, 0);
    return whole < 0 ? whole - t : whole + t;
}

} // namespace

TExtDateTimePicker::TExtDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner)
{
    FLabel.OnCreate = [this](TLabel* Label) {
        Label->OnClick = [this](TObject*) {
            if (OnLabelClick)
                OnLabelClick(this);
        };
        Label->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick)
                OnLabelDblClick(this);
        };
    };
    SetBorderStyle(bsSingle);
    FCtl3D = true;
    FMetroStyle = false;
    SetKind(dkDateTime);
}

TExtDateTimePicker::~TExtDateTimePicker() = default;

void TExtDateTimePicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomDateTimePicker::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        // The label may go first with its parent's children.
        FLabel.Forget(AComponent);
        if (AComponent == FTimePicker)
            FTimePicker = nullptr;
    }
}

// ---- Value ------------------------------------------------------------------------------------------

void TExtDateTimePicker::SetKind(TExtDateTimeKind Value)
{
    if (Value == FKind && (Value != dkDateTime || FTimePicker))
        return;
    FKind = Value;
    TCustomDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
    if (Value == dkDateTime)
        CreateTimePicker();
    UpdateTimePicker();
}

TDateTime TExtDateTimePicker::DateTime() const
{
    const TDateTime own = TCustomDateTimePicker::DateTime();
    if (!FTimePicker)
        return own;
    const TDateTime whole = std::trunc(own);
    const TDateTime time = FTimePicker->Time();
    return whole < 0 ? whole - time : whole + time;
}

void TExtDateTimePicker::SetDateTime(TDateTime Value)
{
    TCustomDateTimePicker::SetDateTime(DaysAndSeconds(Value, Value));
    CreateTimePicker();
    if (FTimePicker)
        FTimePicker->SetDateTime(TCustomDateTimePicker::DateTime());
}

void TExtDateTimePicker::SetDate(TDateTime Value)
{
    SetDateTime(DaysAndSeconds(Value, DateTime()));
}

TDateTime TExtDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker)
        return FTimePicker->Time();
    return TCustomDateTimePicker::Time();
}

void TExtDateTimePicker::SetTime(TDateTime Value)
{
    TCustomDateTimePicker::SetTime(Value);
    if (FTimePicker)
        FTimePicker->SetTime(Value);
    UpdateTimePicker();
}

void TExtDateTimePicker::SetTimeFormat(const QString& Value)
{
    if (FTimePicker)
        FTimePicker->SetFormat(Value);
    if (FKind == dkTime)
        SetFormat(Value);
    FTimeFormat = Value;
    UpdateTimePicker();
}

void TExtDateTimePicker::SetAutoTab(bool Value)
{
    TCustomDateTimePicker::SetAutoTab(Value);
    if (FTimePicker)
        FTimePicker->SetAutoTab(Value);
}

void TExtDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    TCustomDateTimePicker::SetBorderStyle(Value);
    UpdateTimePicker();
}

// ---- Time part --------------------------------------------------------------------------------------

void TExtDateTimePicker::CreateTimePicker()
{
    if (FTimePicker || FKind != dkDateTime)
        return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetVisible(false);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->SetKind(dtkTime);
    FTimePicker->SetAutoTab(FAutoTab);
    FTimePicker->SetTabStop(false);
    FTimePicker->LineEdit()->setFrame(false);
    FTimePicker->SetDateTime(TCustomDateTimePicker::DateTime());
    FTimePicker->OnChange = [this](TObject*) {
        DoChange();
        if (OnTimeChange)
            OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject*) { DoClick(); };
    FTimePicker->OnKeyPress = [this](TObject* Sender, char16_t& Key) { TimePickerKeyPress(Sender, Key); };
    FTimePicker->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        TWinControl::HandleKeyDown(Key, Shift); // OnKeyDown of the picker sees the time part's keys
    };
}

void TExtDateTimePicker::TimePartEnabled()
{
    if (FTimePicker)
        FTimePicker->SetEnabled(Enabled() && Checked());
}

void TExtDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker || FUpdatingTimePicker)
        return;
    FUpdatingTimePicker = true;
    FTimePicker->SetColor(Color());
    TimePartEnabled();
    FTimePicker->SetFormat(FTimeFormat);
    FTimePicker->Font->Assign(Font);
    if (FKind != dkDateTime) {
        FUpdatingTimePicker = false;
        if (!(ComponentState() & csLoading)) {
            TCustomDateTimePicker* doomed = FTimePicker;
            FTimePicker = nullptr;
            SetExtraRightMargin(0);
            delete doomed;
        }
        return;
    }
    const int w = MeasureText(FTimePicker->DisplayText(), Font).X + TimePartPadding;
    // Inside the picker, left of its drop button, clear of its frame.
    FTimePicker->SetBounds(Width() - EditFrame - ButtonWidthOf() - w, EditFrame, w, Height() - 2 * EditFrame);
    FTimePicker->SetVisible(true);
    SetExtraRightMargin(w);
    FUpdatingTimePicker = false;
}

// ---- Check box and notifications --------------------------------------------------------------------

void TExtDateTimePicker::SendSystemTime(TDateTime Value, bool None)
{
    TCustomDateTimePicker::SendSystemTime(Value, None);
    if (ShowCheckbox() && FTimePicker) {
        TimePartEnabled();
        FIgnoreTimePickerCheck = FTimePicker->Enabled();
    }
}

void TExtDateTimePicker::HandleNotify(TNMHdr& Header)
{
    TCustomDateTimePicker::HandleNotify(Header);
    if (ShowCheckbox() && Header.code == DTN_DATETIMECHANGE && FTimePicker && !FIgnoreTimePickerCheck) {
        const auto& change = static_cast<const TNMDateTimeChange&>(Header);
        FTimePicker->SetEnabled(Enabled() && Checked() && change.dwFlags != GDT_NONE);
    }
    FIgnoreTimePickerCheck = false;
}

void TExtDateTimePicker::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TExtDateTimePicker::DoClick()
{
    if (OnClick)
        OnClick(this);
}

void TExtDateTimePicker::TimePickerKeyPress(TObject*, char16_t&) {}

// ---- AutoTab ----------------------------------------------------------------------------------------

void TExtDateTimePicker::HandleKeyPress(char16_t& Key)
{
    if (FAutoTab && Key >= u'0' && Key <= u'9')
        DecodeDate(DateTime(), FTypedYear, FTypedMonth, FTypedDay);
    TCustomDateTimePicker::HandleKeyPress(Key);
}

void TExtDateTimePicker::ShiftFocus()
{
    if (TDateTimePicker::Kind() == dtkTime) {
        TCustomDateTimePicker::ShiftFocus();
        return;
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(DateTime(), y, m, d);
    const bool dayChanged = d != FTypedDay, monthChanged = m != FTypedMonth, yearChanged = y != FTypedYear;
    auto intoTimePart = [this] {
        if (FTimePicker && FTimePicker->CanFocus())
            FTimePicker->SetFocus();
    };
    const QString format = Format();
    if (!format.isEmpty()) {
        const QChar last = format.back().toLower();
        // The field that ends the format was completed: on into the time part.
        if ((dayChanged && last == u'd') || (monthChanged && last == u'm') || (yearChanged && last == u'y'))
            intoTimePart();
        else if (dayChanged || monthChanged || yearChanged)
            PostRight();
        return;
    }
    if (dayChanged || monthChanged)
        PostRight();
    else if (yearChanged)
        intoTimePart();
}

// ---- Label ------------------------------------------------------------------------------------------

void TExtDateTimePicker::SetLabelAlwaysEnabled(bool Value)
{
    FLabel.SetAlwaysEnabled(Value);
    Invalidate();
}

void TExtDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel.Label() && FLabel.Label()->Parent())
        FLabel.Update();
}

void TExtDateTimePicker::SetParent(TWinControl* AParent)
{
    TCustomDateTimePicker::SetParent(AParent);
    FLabel.ControlParent(AParent);
}

void TExtDateTimePicker::SetVisible(bool Value)
{
    TCustomDateTimePicker::SetVisible(Value);
    FLabel.ControlVisible(Value);
}

void TExtDateTimePicker::HandleEnabledChanged()
{
    TCustomDateTimePicker::HandleEnabledChanged();
    TimePartEnabled();
    FLabel.ControlEnabled(Enabled());
}

void TExtDateTimePicker::HandleFontChanged()
{
    TCustomDateTimePicker::HandleFontChanged();
    FLabel.ControlFontChanged();
    UpdateTimePicker();
}

void TExtDateTimePicker::HandleSetFocus()
{
    TCustomDateTimePicker::HandleSetFocus();
    if (FocusLabel && !(ComponentState() & csLoading))
        FLabel.ControlFocused(true);
}

void TExtDateTimePicker::HandleKillFocus()
{
    if (FocusLabel && !(ComponentState() & csLoading))
        FLabel.ControlFocused(false);
    TCustomDateTimePicker::HandleKillFocus();
}

void TExtDateTimePicker::Resize()
{
    TCustomDateTimePicker::Resize();
    UpdateTimePicker();
}

void TExtDateTimePicker::HandleColorChanged()
{
    TCustomDateTimePicker::HandleColorChanged();
    UpdateTimePicker();
}

void TExtDateTimePicker::Loaded()
{
    TCustomDateTimePicker::Loaded();
    CreateTimePicker();
    UpdateTimePicker();
    if (!Checked()) {
        SetChecked(false);
        if (FTimePicker)
            FTimePicker->SetEnabled(false);
    }
    FLabel.Loaded();
}
