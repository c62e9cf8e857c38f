// The edit with button and the unit edit (module ESGEdit).
//
//   TEsgEditBtn      a one-line edit with a push button inside its right edge; the button's click or
//                    F4 fires OnClickBtn
//   TEsgEditButton   the windowed holder of that button
//   TExtSpeedButton  the drawn button
//   TEsgUnitEditBtn  an edit with button whose value is followed by a unit: the unit is drawn left of
//                    the button, the button offers the units in a popup menu, TextAndUnit joins and
//                    splits "value + unit"
#pragma once

#include "grid/edit/EditParts.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/StdCtrls.h"
#include "platform/grid/Grid.h"

class TEsgEditButton;
class TPopupMenu;

// The button of the edit with button. Colours come from the holder: with ButtonColor set it is a flat
// coloured face (ButtonColorDown pressed, ButtonColorHot under the mouse); otherwise a push button,
// or with Flat a one-pixel edge.
class TExtSpeedButton : public TSpeedButton
{
  public:
    explicit TExtSpeedButton(TComponent* AOwner);

    bool IsWinXP = false;
    bool Flat() const { return FFlat; } // its own flag, not the speed button's
    void SetFlat(bool Value);
    bool Hot() const { return MouseInControl(); }

  protected:
    void Paint() override;

  private:
    TEsgEditButton* Holder() const;
    bool FFlat = false;
};

// Holds the drawn button over its whole area. A left press on the button clicks on its release,
// wherever the pointer is then, with the holder as Sender; then FocusControl (or else the holder) takes
// the focus when it can.
class TEsgEditButton : public TCustomControl, public TEditButtonColors
{
  public:
    explicit TEsgEditButton(TComponent* AOwner);

    TExtSpeedButton* Button() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& Value) { FButton->SetCaption(Value); }

    TNotifyEvent OnClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    void ButtonReleased(TMouseButton Button);

    TExtSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
};

class TEsgEditBtn : public TMaskEdit
{
  public:
    explicit TEsgEditBtn(TComponent* AOwner);
    ~TEsgEditBtn() override;

    TEsgEditButton* Button() const { return FButton; }
    bool EditorEnabled = true;
    TNotifyEvent OnClickBtn;

    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString& Value) { FButton->SetButtonCaption(Value); }
    void SetBorderStyle(TBorderStyle Value);

    int GetMinHeight() const;

    // The button was clicked (Sender = the holder) or F4 pressed (Sender = the edit).
    virtual void ClickButton(TObject* Sender);

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
    void WndProc(TMessage& Message) override;

  protected:
    void Resize() override;
    bool WidgetContextMenu(QContextMenuEvent* event) override;
    void SetEditRect();
    bool CanPasteOrCut() const { return EditorEnabled && !ReadOnly(); }

    int FUnitSize = 0; // kept free left of the button for the unit text

  private:
    void PlaceButton();

    TEsgEditButton* FButton = nullptr;
    int FButtonWidth = 0;
    bool FRightAlign = false;
    bool FIsWinXP = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const QString& NewUnit)>;

class TEsgUnitEditBtn : public TEsgEditBtn
{
  public:
    static constexpr int MenuOffsetLeft = 15; // the unit menu opens this far left of the right edge

    explicit TEsgUnitEditBtn(TComponent* AOwner);
    ~TEsgUnitEditBtn() override;

    const TStringList* Units() const { return FUnits.get(); }
    void SetUnits(const TStrings* Value); // copied; nullptr is ignored
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString& Value);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int Value);
    // Text followed by UnitID. Writing splits at the first unit (in Units order) whose first
    // occurrence ends the value; without such a unit nothing changes.
    QString TextAndUnit() const { return Text() + FUnitID; }
    void SetTextAndUnit(const QString& Value);

    TUnitChangeEvent OnUnitChanged;

    // Fires OnClickBtn with the edit as Sender, then offers the units in a popup menu; the choice
    // arrives as WM_COMMAND with the item id (1..count).
    void ClickButton(TObject* Sender) override;
    void WndProc(TMessage& Message) override;

  protected:
    bool CustomPaint() const override { return true; }
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;

  private:
    QString FUnitID;
    std::unique_ptr<TStringList> FUnits;
};
