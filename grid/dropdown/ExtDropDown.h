// TExtCustomDropDown: the base of every drop-down edit of the control family - a single-line mask
// edit with a drop button at its right edge (TDropDownEditButton) and a borderless pop-up window
// (TDropDownForm) that hosts one inner control.
//
// Construction: the toolkit's base constructor reaches the pickers' overrides; C++ does not. So a
// constructor makes only the objects a picker needs before the rest, and the construction steps run
// in InitDropDown (each picker: inherited first, then its own steps), once, from AfterConstruction.
// Every drop-down is made with MakeDropDown<T>(AOwner, ...), which does both.
//
// Life of the pop-up window:
//   1. ShowDropDown (F4, Alt+Down, the release of the left button on the drop button) runs
//      DoShowDropDown: BeforeDropDown (the picker loads its control from the value), the window is
//      prepared, sized (UpdateDropDownSize), the control placed (PlaceDropDownControl), placed under
//      the edit (above it near the bottom of the screen, moved left at the right edge of the
//      monitor), OnDropDown may refuse, AdjustDropDownHeight, then a single show and
//      FocusDropDownControl. DroppedDown is then True.
//   2. Keys typed in the window or its inner control are sent to the edit (DropDownKey...,
//      ControlKey...), so Enter, Esc and F4 close it from anywhere in it.
//   3. HideDropDown / DoHideDropDown(Cancelled): OnBeforeDropUp, the size the user gave the window
//      is kept for the next opening, the window hides (DropDownHidden: DroppedDown False), a
//      cancelled close puts back the last value written through Text, then OnDropUp.
//   A press outside the window, or a modal window opening, deactivates it: DoHideDropDown with the
//   window's FCancelOnDeActivate; nothing while its FBlockActivate is set.
//
// Key stages (the edit's own keys and the forwarded ones): WndProc -> WindowProcedure ->
// HandleWMKeyDown / HandleWMChar / HandleWMKeyUp -> the toolkit's HandleKeyDown / HandleKeyPress /
// HandleKeyUp (OnKeyDown, OnKeyPress, OnKeyUp). A forwarded key is sent and runs only its own stage
// (no dialog-key check, no character: the character is forwarded as its own WM_CHAR); a posted
// WM_KEYDOWN runs the whole key protocol. Dialog keys: HandleCMWantSpecialKey says which keys the
// edit keeps from the form.
//
// Value: Text is the value without Prefix and Suffix; SetText runs WriteText (the edit text becomes
// Prefix + value + Suffix, the value is remembered for a cancelled close, the modified state is
// cleared). SetRawText writes the edit text as it is.
#pragma once

#include "grid/base/Looks.h"
#include "grid/dropdown/DropDownAppearance.h"
#include "grid/dropdown/DropDownButton.h"
#include "grid/dropdown/DropDownDraw.h"
#include "grid/dropdown/DropDownStyles.h"
#include "grid/edit/LabelPlacement.h"
#include "platform/controls/Messages.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ImgList.h"

#include <memory>

class TDropDownForm;
class QKeyEvent;
class TLabel;

enum TDropPosition { dpAuto, dpDown, dpUp };
enum TDropDownEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars
};

using TDropDownEvent = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUpEvent = std::function<void(TObject* Sender, bool Cancelled)>;
using TDropDownButtonEvent = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawStripEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetStripTextEvent = std::function<void(TObject* Sender, QString& Text)>;
using TClipboardEvent = std::function<void(TObject* Sender, const QString& value, bool& allow)>;

// Defaults of the drop-down edit.
namespace dropdown
{
constexpr int DefaultWidth = 200;
constexpr int DefaultHeight = 21;
constexpr int DefaultButtonWidth = 17;
constexpr int ButtonHeight = 17;
constexpr int MinWindowWidth = 80;
constexpr int MinWindowHeight = 50;
// A button click this soon after the window lost activation is the click that closed it.
constexpr uint32_t ReopenDelay = 250;
constexpr uint32_t VersionNr = 0x01020104;
} // namespace dropdown

class TExtCustomDropDown : public TMaskEdit, public IQelStyle, public IQelTones
{
  public:
    explicit TExtCustomDropDown(TComponent* AOwner);
    ~TExtCustomDropDown() override;

    // Runs InitDropDown once (MakeDropDown calls it).
    void AfterConstruction();

    // -- Opening and closing --
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges = false) { DoHideDropDown(CancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* DropButton() const { return FButton; }
    // The drop button's click: opens unless open, or closed by this very click (within 250 ms of
    // the window's deactivation).
    void DropButtonClick();

    // -- Value --
    QString Text() const override;
    void SetText(const QString& Value) override { WriteText(Value); }
    // Writes the edit text unchanged: Qt's own notification blocked, the caret at 0, then one
    // change notification when the text changed.
    void SetRawText(const QString& Value);
    QString RawText() const { return LineEdit()->text(); }
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    void SetModifiedState(bool Value);

    // -- Properties --
    QString Version() const;
    void SetVersion(const QString&) {}
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int Value) { FDropDownBorderWidth = Value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value); // a new value forgets the user's width
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int Value); // a new value forgets the user's height
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
    int DropDownButtonWidth() const { return FDropDownButtonWidth; }
    void SetDropDownButtonWidth(int Value);
    QString DropDownButtonHint() const { return FDropDownButtonHint; }
    void SetDropDownButtonHint(const QString& Value);
    TBitmap* DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }
    void SetDropDownButtonGlyph(const TBitmap* Value);
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    TExtButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TExtButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TQelStyle GetComponentStyle() const { return FQelStyle; }
    const TColorTones& ColorTones() const { return FColorTones; }

    // -- Label (created by the first LabelCaption; its parent is the edit's parent) --
    QString LabelCaption() const;
    void SetLabelCaption(const QString& Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    // Taken only while ParentFont is off.
    void SetLabelFont(const TFont* Value);
    TLabel* Label() const { return FLabel; }
    void SetVisible(bool Value) override;

    // -- Look --
    // The character under a client point.
    int CharIndexAt(TPoint P) const;
    // Not designing, and the mouse is over the edit or it is the screen's active control.
    bool IsHot() const;
    // Hot and selected colours of a style for an item selector; tsCustom changes nothing.
    static void ApplyItemAppearanceStyle(TItemAppearance* Appearance, TQelStyle AStyle);

    // Declared for the descendants (typed entry and look come with them).
    TDropDownEditType EditType = etString;
    QString Prefix;
    QString Suffix;
    int16_t LengthLimit = 0;
    int16_t Precision = 0;
    bool Signed = false;
    QString ValidChars;
    bool ReturnIsTab = false;
    bool ExcelStyleDecimalSeparator = false;
    bool AllowNumericNullValue = false;
    bool AutoThousandSeparator = true;
    bool CanUndo = true;
    bool DefaultHandling = true;
    bool Flat = false;
    bool Etched = false;
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool Value) { FFocusDraw = Value; }

    // The two integers the binary cell stream keeps: reading stores, applies nothing.
    int StoredSelectionColorStyle() const { return int(FSelectionColorStyle); }
    void SetStoredSelectionColorStyle(int Value) { FSelectionColorStyle = TSelectionColorStyle(Value); }
    int StoredQelStyle() const { return int(FQelStyle); }
    void SetStoredQelStyle(int Value) { FQelStyle = TQelStyle(Value); }

    // From another TExtCustomDropDown only (Text, label and events are not copied).
    void Assign(const TPersistent* Source) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Client coordinates exclude the 2-pixel sunken edge the edit paints around itself.
    TRect ClientRect() const override;
    TRect EditRect() const { return FEditRect; }

    // -- Events --
    TNotifyEvent OnBeforeDropDown;
    TDropDownEvent OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUpEvent OnDropUp;
    TDropDownButtonEvent OnDropDownHeaderButtonClick;
    TDropDownButtonEvent OnDropDownFooterButtonClick;
    TDrawStripEvent OnDrawHeader;
    TDrawStripEvent OnDrawFooter;
    TGetStripTextEvent OnGetHeaderText;
    TGetStripTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;

    // -- Messages --
    // Perform, SendMessage and PostMessage arrive here.
    void WndProc(TMessage& Message) override;
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    // Alt+Up, Alt+Down toggle the window (after OnKeyDown).
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    // OnKeyPress, then Enter is dropped.
    void HandleKeyPress(char16_t& Key) override;
    void HandleSetFocus() override;
    void HandleKillFocus() override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleEnabledChanged() override;
    // The formatting rectangle follows the font.
    void HandleFontChanged() override;
    // The drop button's face shows whether the edit is read-only.
    void SetReadOnly(bool Value);
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    // -- The framework contract, in slot order (see each picker for what it replaces) --
    // Style interfaces: store only until the style tables come.
    virtual void SetSelectionColorStyle(TSelectionColorStyle Style);
    void SetComponentStyle(TQelStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;

  protected:
    // The construction steps; a picker's override runs the inherited one first.
    virtual void InitDropDown();

    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual uint32_t GetVersionNr();
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int& Height);
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void DoHideDropDown(bool Cancelled);
    virtual void DropDownHidden();
    virtual void DropDownFormDestroyed();
    virtual void DropDownMouseWheelDown();
    virtual void DropDownMouseWheelUp();
    virtual void DropDownKeyPress(char16_t& Key);
    virtual void DropDownKeyDown(WORD& Key, TShiftState Shift);
    virtual void DropDownKeyUp(WORD& Key, TShiftState Shift);
    virtual void ControlKeyDown(WORD& Key, TShiftState Shift);
    virtual void ControlKeyUp(WORD& Key, TShiftState Shift);
    virtual void ControlKeyPress(char16_t& Key);
    virtual void DropDownResized();
    virtual void SelectNextValue();
    virtual void SelectPreviousValue();
    virtual void PaintValue();
    virtual void SetEditRect();
    virtual void ResizeControl();
    virtual void WriteText(const QString& Value);
    // (SetSelectionColorStyle is public: it is the style's setter.)
    virtual void DrawSelectionBackground(TCanvas* Canvas, const TRect& Rect, int Part, int Extra);
    virtual void DrawGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, TGradientDirection Direction,
                              const TRect& Rect, int Steps);

    // -- Message stages that subclasses and the grid's wrappers call as inherited --
    virtual void WindowProcedure(TMessage& Message);
    virtual void HandleWMKeyDown(TWMKey& Message);
    virtual void HandleWMChar(TWMKey& Message);
    virtual void HandleWMKeyUp(TWMKey& Message);
    // EN_CHANGE: OnChange unless FBlockChange, which it clears.
    virtual void HandleChange();
    // Whether the edit keeps Key from the form (not a dialog key), with the side effects of Esc and
    // Enter (select the value, post the key to the parent).
    virtual bool HandleCMWantSpecialKey(WORD Key, TShiftState Shift);
    virtual void HandleWMSetFocus();
    virtual void HandleWMKillFocus();

    // Re-prepares an open window after its header or footer appearance changed.
    void RefreshDropDownPanels();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void Resize() override;
    void Change() override;
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override;
    bool CustomPaint() const override { return true; }
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;
    // Width of the sunken edge outside the client area.
    int EdgeWidth() const;
    // A press inside the selection keeps it; the release keeps the caret out of prefix and suffix.
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;
    // The frame in the border colours, or the flat frame, on the whole widget.
    virtual void DrawBorder(TCanvas* DC);
    // Repaints the frame and gives the drop button the focus look of a hot edit.
    void RedrawBorder();
    // Places the label by LabelPosition.
    void UpdateLabel();
    // The frame follows the focus.
    void DoEnter() override;
    void DoExit() override;

    bool FDroppedDown = false;
    bool FFocusDraw = true;
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    TWinControl* FControl = nullptr;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    QString FOldText;
    TRect FEditRect;
    bool FMouseInControl = false;
    bool FButtonDown = false;
    bool FBlockChange = false;
    bool FBlockCopy = false;
    bool FIsModified = false;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FParentFnt = true;
    TQelStyle FQelStyle = tsOffice2007Luna;
    TLabel* FLabel = nullptr;

  private:
    void CreateLabel();
    void LabelFontChanged();
    // The frame or the highlighted value, painted on the widget after the line edit.
    void PaintLook(TCanvas* DC);

    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    // Sends a forwarded key message to this edit's window.
    void ForwardKey(UINT Msg, WORD Key, TShiftState Shift);
    void HookControlKeys();
    // The dialog-key check and the stages for a posted WM_KEYDOWN.
    void RunPostedKey(TMessage& Message);
    // Inserts a character (Backspace deletes) as typing would.
    void TypeChar(char16_t Ch);
    // A caret or delete key that came as a message goes to the line edit as a Qt key.
    void SendNativeKey(WORD Key, TShiftState Shift, bool Press);

    bool FInitDone = false;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FDropDownColor = clWhite;
    TColor FDropDownColorTo = clNone;
    TGradientDirection FDropDownGradient = gdHorizontal;
    TColor FDropDownBorderColor = clBlack;
    int FDropDownBorderWidth = 1;
    bool FDropDownShadow = true;
    bool FForceShadow = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    TDropPosition FDropPosition = dpAuto;
    int FDropDownButtonWidth = dropdown::DefaultButtonWidth;
    QString FDropDownButtonHint;
    bool FDropDownSizeable = true;
    bool FDropDownEnabled = false;
    bool FEditorEnabled = true;
    TImageList* FImages = nullptr;
    TWinControl* FFocusControl = nullptr;
    TColor FSelectionColor = 0xD7FFFD;
    TColor FSelectionColorTo = 0x58D4FC;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TColorTones FColorTones;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    std::unique_ptr<TExtButtonAppearance> FButtonAppearance;
    std::unique_ptr<TCanvas> FEdgeCanvas;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    std::unique_ptr<TFont> FLabelFont;
    // Set while PaintValue runs inside a paint event (it paints on FEdgeCanvas).
    bool FInPaint = false;
    // The Qt key event being dispatched and whether its key-down went to the line edit.
    QKeyEvent* FKeyEvent = nullptr;
    bool FKeyDownNative = false;
};

// Makes a drop-down of class T and runs its construction steps; every drop-down is made so.
template <class T, class... Args> T* MakeDropDown(TComponent* AOwner, Args&&... args)
{
    T* dropDown = new T(AOwner, std::forward<Args>(args)...);
    dropDown->AfterConstruction();
    return dropDown;
}
