// The flat combo box (module EsgCombo): the toolkit's combo box with its own border and drop button,
// flat or three-dimensional, optional border colours for the normal and the focused state, a
// custom-coloured drop button, a background colour while focused and an attached label.
//
//   TEsgCustomCombo  all the behaviour
//   TEsgComboBox     the published control; the grid's combo editor derives from it
//
// Painting: the combo's own contents (the selected text; the edit part of an editable combo is a
// child widget that paints itself) and then, in the same paint event, the drop button and the
// borders drawn over them with TCanvas. Custom painting runs only when Flat, a button colour, a
// border colour, a focused border colour with the focus, or a disabled themed border asks for it,
// and never for IsVista without ButtonColor. Outside a paint event (focus and hover changes)
// DrawBorders only records the state and asks for a repaint. While it paints its own button the
// edit field of an editable combo ends left of the button zone (ClientWidth - ButtonWidth - 4), so
// the field's own painting never covers the button; csSimple has no button and its field runs
// across the whole control.
#pragma once

#include "grid/edit/AttachedLabel.h"
#include "platform/controls/StdCtrls.h"

#include <QObject>
#include <functional>

// Tells the flat combo when Qt has laid out its edit field (a new field, or the field moved or
// resized), so that the combo can put it back where its own painting wants it.
class TEditFieldWatch : public QObject
{
  public:
    std::function<void()> OnLayout;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
};

class TEsgCustomCombo : public TComboBox
{
  public:
    // Width of the system's vertical scroll bar: the drop button is two pixels wider by default.
    static constexpr int SystemScrollWidth = 17;
    static constexpr int MinButtonWidth = 14;
    static constexpr int MaxButtonWidth = 32;
    // The frame of a disabled combo under themes without DisabledBorder.
    static constexpr TColor DisabledFrameColor = 0x00B99D7F;

    explicit TEsgCustomCombo(TComponent* AOwner);
    ~TEsgCustomCombo() override;

    // The colour that returns when the focus leaves: the current Color.
    void Init();
    // ItemIndex := the index of AString when it is an item; otherwise nothing changes.
    void SelectItem(const QString& AString);

    bool AutoFocus = false;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    int ButtonWidth() const { return FButtonWidth; }
    // Taken only in 14..32.
    void SetButtonWidth(int Value);
    bool FocusBorder = false;
    TColor FocusBorderColor = clNone;
    TColor FocusColor = clNone;
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    bool FocusLabel = false;

    // Set by the owner; no repaint of their own.
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone; // stored only
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    bool DisabledBorder = true;
    bool IsWinXP = false;
    bool IsVista = false;

    // The attached label; nullptr until LabelCaption is first written.
    TLabel* ComboLabel() const { return FLabel.Label(); }
    QString LabelCaption() const { return FLabel.Caption(); }
    void SetLabelCaption(const QString& Value) { FLabel.SetCaption(Value); }
    TLabelPosition LabelPosition() const { return FLabel.Position(); }
    void SetLabelPosition(TLabelPosition Value) { FLabel.SetPosition(Value); }
    int LabelMargin() const { return FLabel.Margin(); }
    void SetLabelMargin(int Value) { FLabel.SetMargin(Value); }
    bool LabelTransparent() const { return FLabel.Transparent(); }
    void SetLabelTransparent(bool Value) { FLabel.SetTransparent(Value); }
    bool LabelAlwaysEnabled() const { return FLabel.AlwaysEnabled(); }
    void SetLabelAlwaysEnabled(bool Value) { FLabel.SetAlwaysEnabled(Value); }
    TFont* LabelFont() const { return FLabel.Font(); }
    // Ignored while ParentFont is on.
    void SetLabelFont(const TFont* Value) { FLabel.SetFont(Value); }

    // Fired with the combo as Sender each time the list closes.
    TNotifyEvent OnDropUp;

    // The mouse is over the control, over its drop button.
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocus() const { return FHasFocus; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool Value) override;
    void SetEnabled(bool Value) override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;

  protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoEnter() override;
    void DoExit() override;
    void HandleCNCommand(TMessage& Message) override;
    void HandleFontChanged() override;
    bool CustomPaint() const override;
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override;
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;

    // Whether custom painting runs (the five conditions; never for IsVista without ButtonColor).
    bool NeedsCustomPaint() const;
    // Active: the mouse is over it or it is the focused control.
    bool IsActive() const;
    // The drop button, the borders and the flat button frame on Canvas (a paint event's).
    void DrawButton(TCanvas& Canvas);
    void DrawBorders();
    void DrawControlBorder(TCanvas& Canvas);
    void DrawButtonFrame(TCanvas& Canvas);
    void UpdateLabel() { FLabel.Update(); }
    // Keeps the edit field of an editable combo clear of the button zone, or across the whole
    // control for csSimple; Qt's own place otherwise.
    void PlaceEditField();

  private:
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    void LabelFontChanged();
    void SetLabelBold(bool Bold);
    // Colour change of the focus switch; goes through the Color setter.
    void ApplyFocusColor(bool Focused);

    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    int FButtonWidth = SystemScrollWidth + 2;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FButtonHover = false;
    TAttachedLabel FLabel{this};
    TEditFieldWatch FEditFieldWatch;
    bool FPlacingEditField = false;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FBorderColor = clNone;
    TColor FNormalColor = clNone;
    bool FHasFocus = false;
};

// The published flat combo box.
class TEsgComboBox : public TEsgCustomCombo
{
  public:
    explicit TEsgComboBox(TComponent* AOwner) : TEsgCustomCombo(AOwner) {}
};
