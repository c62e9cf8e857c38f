// The toolkit's date-time picker: a date or a time edited field by field, with a drop-down calendar
// (or an up-down pair) and an optional check box.
//
// The fields come from Format, in the toolkit's letters (see DateText.h; every character that is not
// a field letter, and text in single quotes, is literal); an empty Format is the regional short date
// (dtkDate) or long time (dtkTime). Keyboard, as the platform's picker has it: one field is always
// selected whole; Left/Right select the previous/next field; Up/Down step the selected field within
// its range; digits type into the selected field, which stays selected; F4 and Alt+Down open the
// calendar; Space toggles the check box; Tab moves the focus.
//
// Every change, from the user or from code, notifies the picker's own HandleNotify first
// (DTN_DATETIMECHANGE with GDT_VALID, or GDT_NONE while unchecked; DTN_DROPDOWN; DTN_CLOSEUP), which
// then fires OnChange, OnDropDown or OnCloseUp. Values written by code pass SendSystemTime, the one
// step that puts a value into the field editor.
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/core/DateText.h"

#include <QPointer>
#include <vector>

class QCalendarWidget;
class QCheckBox;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// Notifications of the picker (the code of a TNMHdr) and the validity flags of a change.
constexpr int DTN_CLOSEUP = -753;
constexpr int DTN_DROPDOWN = -754;
constexpr int DTN_DATETIMECHANGE = -759;
constexpr uint32_t GDT_VALID = 0;
constexpr uint32_t GDT_NONE = 1;

struct TNMHdr {
    int code = 0;
};

struct TNMDateTimeChange : TNMHdr {
    uint32_t dwFlags = GDT_VALID;
    TDateTime st = 0;
};

class TDateTimePicker : public TWinControl
{
  public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);
    TDateTime Date() const;
    void SetDate(TDateTime Value); // keeps the time of day
    TDateTime Time() const;
    void SetTime(TDateTime Value); // keeps the date
    QString Format() const { return FFormat; }
    void SetFormat(const QString& Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    // 0 = no limit; a value outside the limits is moved to the nearer one.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return !FShowCheckbox || FChecked; }
    void SetChecked(bool Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);

    // The text shown and its fields.
    QString DisplayText() const;
    int FieldCount() const { return int(FFields.size()); }
    int SelectedField() const { return FSelected; }
    void SelectField(int Index);
    // The format letter of a field ('d', 'M', 'y', 'h', 'H', 'm', 's', 't').
    QChar FieldLetter(int Index) const;
    // The calendar while it is dropped down, else nullptr.
    QCalendarWidget* Calendar() const;
    QCheckBox* CheckBox() const { return FCheckBox; }
    QLineEdit* LineEdit() const { return FEdit; }
    // The drop button (or up-down pair) at the right, in widget coordinates.
    TRect ButtonRect() const;
    static int ButtonWidthOf(); // the system's scroll-bar width + 2

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void HandleSetFocus() override;

  protected:
    // The picker's own notification handler (the toolkit's CN_NOTIFY); fires the events.
    virtual void HandleNotify(TNMHdr& Header);
    // Puts a value into the field editor (or, with None, marks it unchecked).
    virtual void SendSystemTime(TDateTime Value, bool None);
    virtual void Change();
    void Notify(int Code, uint32_t Flags = GDT_VALID);
    // Room kept free right of the fields, besides the drop button (for a control placed there).
    void SetExtraRightMargin(int Value);

    bool CustomPaint() const override { return true; }
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;
    // Draws the drop button or the up-down pair over the field editor's own painting.
    virtual void PaintButton(TCanvas* Canvas);
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;
    void Resize() override;
    void ApplyColor() override;
    void HandleEnabledChanged() override;

  private:
    struct TField {
        QChar letter;
        int length = 0; // letters in the format
        int start = 0;  // in the text
        int size = 0;
    };
    QString EffectiveFormat() const;
    void Rebuild();
    void ShowSelection();
    void StepField(int Delta);
    void TypeDigit(int Digit);
    void ToggleAmPm(bool Pm);
    // Puts a value the user made into the editor and notifies the change.
    void UserChange(TDateTime Value);
    TDateTime Clamp(TDateTime Value) const;
    void OpenCalendar();
    void CalendarClosed();
    void PlaceCheckBox();

    QLineEdit* FEdit;
    QCheckBox* FCheckBox = nullptr;
    QPointer<QCalendarWidget> FCalendar;
    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime = 0;
    QString FFormat;
    TDTDateMode FDateMode = dmComboBox;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FShowCheckbox = false;
    bool FChecked = true;
    std::vector<TField> FFields;
    int FSelected = 0;
    QString FPending; // digits typed into the selected field so far
    int FExtraRightMargin = 0;
};
