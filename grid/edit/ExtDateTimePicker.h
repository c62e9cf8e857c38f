// The date-time picker with a time part and an attached label (module ExtDateTimePicker).
//
// Kind dkDateTime shows the date in the picker's own fields and the time in an embedded time picker
// (a TCustomDateTimePicker inside the picker's right end, left of its drop button); DateTime reads
// and writes both as one value, to the second. The time part exists only for dkDateTime. With
// ShowCheckbox the time part is enabled exactly while the picker is enabled and checked. AutoTab runs
// through the date fields and from the field that ends Format on into the time part.
#pragma once

#include "grid/edit/AttachedLabel.h"
#include "grid/edit/EsgDateTimePicker.h"

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
    TLabel* PickerLabel() const { return FLabel.Label(); }
    QString LabelCaption() const { return FLabel.Caption(); }
    void SetLabelCaption(const QString& Value) { FLabel.SetCaption(Value); }
    TLabelPosition LabelPosition() const { return FLabel.Position(); }
    void SetLabelPosition(TLabelPosition Value) { FLabel.SetPosition(Value); }
    int LabelMargin() const { return FLabel.Margin(); }
    void SetLabelMargin(int Value) { FLabel.SetMargin(Value); }
    bool LabelTransparent() const { return FLabel.Transparent(); }
    void SetLabelTransparent(bool Value) { FLabel.SetTransparent(Value); }
    bool LabelAlwaysEnabled() const { return FLabel.AlwaysEnabled(); }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* LabelFont() const { return FLabel.Font(); }
    void SetLabelFont(const TFont* Value) { FLabel.SetFont(Value); } // taken only while ParentFont is off
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
    void TimePartEnabled();

    TExtDateTimeKind FKind = dkDateTime;
    QString FTimeFormat;
    int FTypedYear = 0, FTypedMonth = 0, FTypedDay = 0; // the date before a typed digit
    bool FIgnoreTimePickerCheck = false;
    bool FUpdatingTimePicker = false;
    TCustomDateTimePicker* FTimePicker = nullptr;
    // Last: the label goes first when the picker is freed.
    TAttachedLabel FLabel{this};
};
