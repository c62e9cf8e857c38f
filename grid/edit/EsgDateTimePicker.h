// The date and time pickers of the grid family (module EsgDateTimePicker): the toolkit's picker with
// a flat border, a metro look with a coloured drop button and border colours, and, in
// TCustomDateTimePicker, AutoTab: a typed digit that changes a field moves on to the next field.
//
// Painting: the toolkit's picker paints first; the flat border, the metro border and the custom drop
// button are drawn over it. The theme library is never active here, so the themed branches do not
// run; "Vista or later", the common-controls version and the Windows version are the platform's
// facts (SysInfo.h).
//
// AutoTab: a digit is handled by the picker's field editor first; "DTPShiftFocus" is then posted to
// the picker, and when it is served ShiftFocus compares the value with the one before the digit and,
// when the field changed, posts VK_RIGHT to move to the next field.
#pragma once

#include "grid/edit/EditParts.h"
#include "platform/controls/DateTimePicker.h"
#include "platform/grid/Grid.h"

// What the two pickers share: colours, hover state and the drawing over the toolkit's painting.
class TEsgPickerBase : public TDateTimePicker, public TEditButtonColors
{
  public:
    static constexpr TColor ThemedBorderColor = 0x00B99D7F;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle Value);
    bool ButtonHover() const { return FButtonHover; }
    bool MouseInControl() const { return FMouseInControl; }
    int ButtonWidth() const { return FButtonWidth; }

    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;

  protected:
    explicit TEsgPickerBase(TComponent* AOwner);

    virtual bool MetroActive() const = 0;
    // The flat border of the non-client painting.
    virtual bool WantsFlatBorder() const = 0;
    // Drawn between the drop button and the borders (the time part's frame of TCustomDateTimePicker).
    virtual void PaintOwnFrame(TCanvas*) {}

    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;
    void DoEnter() override;
    void DoExit() override;
    void HandleEnabledChanged() override;

    bool ThemesInUse() const;
    int ClientW() const;
    TColor ParentBackground() const;
    void DrawFlatBorder(TCanvas* Canvas);
    void DrawButton(TCanvas* Canvas);
    void DrawBorders(TCanvas* Canvas);
    void DrawControlBorder(TCanvas* Canvas);
    void DrawButtonFrame(TCanvas* Canvas);
    bool Active() const;
    static bool MouseButtonDown();
    static void FrameRect(TCanvas* Canvas, const TRect& R, TColor Color);

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clNone;
    bool FIsThemed;
    bool FIsWinXP;
    int FButtonWidth;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FMetroStyle = false;
    bool FCtl3D = true;
};

// The base of the grid's date editor.
class TEsgDateTimePicker : public TEsgPickerBase
{
  public:
    explicit TEsgDateTimePicker(TComponent* AOwner);
    QString Version() const { return QStringLiteral("1.0.0.0"); }

  protected:
    bool MetroActive() const override;
    bool WantsFlatBorder() const override;
};

// A picker with AutoTab; serves as the embedded time part of TExtDateTimePicker.
class TCustomDateTimePicker : public TEsgPickerBase
{
  public:
    explicit TCustomDateTimePicker(TComponent* AOwner);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool Value);
    // True: metro style and border colours are off (it is the time part of another picker).
    virtual bool IsEmbedded() const { return true; }

    // The number of the posted AutoTab message ("DTPShiftFocus"), the same for every user.
    static UINT ShiftFocusMessage();

    void HandleKeyPress(char16_t& Key) override;
    void WndProc(TMessage& Message) override;

    // Width and height of Text in Font, on one line.
    static TPoint MeasureText(const QString& Text, const TFont* Font);

  protected:
    // Served from the posted "DTPShiftFocus": moves to the next field when the typed digit changed it.
    virtual void ShiftFocus();
    bool MetroActive() const override;
    bool WantsFlatBorder() const override;
    void PaintOwnFrame(TCanvas* Canvas) override;
    void PostRight();

    bool FAutoTab = false;
    int Fh = 0, Fm = 0, Fs = 0, Fms = 0; // the time before the typed digit
};
