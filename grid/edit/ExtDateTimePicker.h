// The date-time picker with a time part and an attached label (module ExtDateTimePicker).
//
// Kind dkDateTime shows the date in the picker's own fields and the time in an embedded time picker
// (a TCustomDateTimePicker inside the picker's right end, left of its drop button); DateTime reads
// and writes both as one value, to the second. The time part exists only for dkDateTime. With
// ShowCheckbox the time part is enabled exactly while the picker is enabled and checked. AutoTab runs
// through the date fields and from the field that ends Format on into the time part.
#pragma once

#include "grid/edit/EsgDateTimePicker.h"
#include "grid/edit/LabelPlacement.h"

#include <memory>

enum TExtDateTimeKind { dkDate, dkTime, dkDateTime };

class TExtDateTimePicker : public TCustomDateTimePicker
{
  public:
    explicit TExtDateTimePicker(TComponent* AOwner);
    ~TExtDateTimePicker() override;

    QString Version() const { return QStringLiteral("1.2.0.0"); }

    TExtDateTimeKind Kind() const { return FKind; }
    void SetKind(TExtDateTimeKind Value);
    // The date of the picker and the time of the time part; written without milliseconds.
    TDateTime DateTime() const;
    virtual void SetDateTime(TDateTime Value);
    TDateTime Date() const { return TCustomDateTimePicker::Date(); }
    void SetDate(TDateTime Value); // keeps the time of day
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    QString TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString& Value); // '' = the regional long time format
    void SetAutoTab(bool Value) override;
    void SetBorderStyle(TBorderStyle Value) override;
    bool IsEmbedded() const override { return false; }

    // nullptr unless Kind is dkDateTime.
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    // The label, made by the first LabelCaption; nullptr before.
    TLabel* PickerLabel() const { return FLabel; }
    QString LabelCaption() const;
    void SetLabelCaption(const QString& Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(const TFont* Value); // taken only while ParentFont is off
    bool FocusLabel = false;               // the label is bold while the picker has the focus

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool Value) override;
    void HandleKeyPress(char16_t& Key) override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;
    void HandleEnabledChanged() override;
    void HandleFontChanged() override;

  protected:
    virtual void DoChange();
    virtual void DoClick();
    virtual void TimePickerKeyPress(TObject* Sender, char16_t& Key);

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SendSystemTime(TDateTime Value, bool None) override;
    void HandleNotify(TNMHdr& Header) override;
    void ShiftFocus() override;
    void Resize() override;
    void HandleColorChanged() override;

  private:
    void CreateTimePicker();
    void UpdateTimePicker();
    void CreateLabel();
    void UpdateLabel();
    void TimePartEnabled();

    TExtDateTimeKind FKind = dkDateTime;
    QString FTimeFormat;
    int FTypedYear = 0, FTypedMonth = 0, FTypedDay = 0; // the date before a typed digit
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    bool FIgnoreTimePickerCheck = false;
    bool FUpdatingTimePicker = false;
    TCustomDateTimePicker* FTimePicker = nullptr;
};
