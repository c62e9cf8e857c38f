// Standard controls of the toolkit layer: label, link label, edit, mask edit, combo box, check box,
// radio button, list box, memo, group box, push button. The shell's and the editors' forms build their fields from
// these. Editors sit on the Qt widget of the same kind; the label and the group box draw themselves.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/core/StringList.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <memory>

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TSysLinkType { sltURL, sltID };

// ---- Label ------------------------------------------------------------------------------------------

// Static text drawn with the toolkit's DrawText rules: "&x" underlines x (ShowAccelChar), AutoSize
// fits the control to its text (keeping the right edge for right-aligned text), WordWrap breaks lines
// in the current width. Alt+accelerator focuses FocusControl.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    void HandleTextChanged() override;
    void HandleFontChanged() override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the caption in r, greyed when disabled.
    void DoDrawText(TRect& r, uint32_t flags);

private:
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

using TCustomLabel = TLabel;

// A label whose caption may hold links, written as <a href="address">text</a> (or <a>text</a>, whose
// link is the text). Clicking a link fires OnLinkClick with the address.
class TLinkLabel : public TWinControl {
public:
    explicit TLinkLabel(TComponent* AOwner);

    void SetText(const QString& Value) override;
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    std::function<void(TObject* Sender, const QString& Link, TSysLinkType LinkType)> OnLinkClick;

    // The Qt rich text shown for a caption with links (plain text escaped).
    static QString LinkTextToHtml(const QString& caption);

protected:
    void ApplyFont() override;

private:
    void Relayout();
    QLabel* FLabel;
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
};

using TCustomLinkLabel = TLinkLabel;

// ---- Edit -------------------------------------------------------------------------------------------

// One-line edit. OnChange fires on every change of the text, from the user or from code (the same
// text again changes nothing). OnKeyPress may consume a typed character (Key = 0) or replace it.
// NumbersOnly refuses typed characters other than digits.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);

    QString Text() const override;
    void SetText(const QString& Value) override;
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);   // 0 = no limit
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar Value);
    bool NumbersOnly = false;
    TEditCharCase CharCase = ecNormal;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The whole text is selected when the focus comes in, unless a click brought it.
    bool AutoSelect = true;

    // Selection, counted from 0.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    QString SelText() const;
    void SetSelText(const QString& Value);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(QString()); }
    bool Modified() const;
    void SetModified(bool Value);

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyPress(char16_t& Key) override;

    TNotifyEvent OnChange;

    QLineEdit* LineEdit() const { return FEdit; }

protected:
    // `widget` is a bridge over a QLineEdit (subclasses with their own Qt class).
    TEdit(TComponent* AOwner, QLineEdit* widget);
    virtual void Change();
    void ApplyColor() override;
    void DoEnter() override;

private:
    void Init();
    QLineEdit* FEdit;
    int FMaxLength = 0;
    QChar FPasswordChar;
    TAlignment FAlignment = taLeftJustify;
    TBorderStyle FBorderStyle = bsSingle;
};

using TCustomEdit = TEdit;

// An edit with an input mask in the toolkit's notation: "0" digit, "9" optional digit, "L"/"l" letter,
// "A"/"a" letter or digit, "C"/"c" any character, "#" digit or sign, ">"/"<" case, "\" literal; the
// part after the first ';' (save literals, blank character) as there. Minimal: the mask only limits
// typing; Text is the text shown.
class TMaskEdit : public TEdit {
public:
    explicit TMaskEdit(TComponent* AOwner);
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString& Value);
    bool IsMasked() const { return !FEditMask.isEmpty(); }
    QString EditText() const { return Text(); }

    // Qt's input mask for a toolkit mask.
    static QString ToQtInputMask(const QString& mask);

private:
    QString FEditMask;
};

// ---- Combo box --------------------------------------------------------------------------------------

class TComboBoxItems;
class TQtComboBox;

// Drop-down list (csDropDownList) or edit with a list (csDropDown). ItemIndex is -1 until something
// is chosen. Setting ItemIndex or Text from code fires nothing; a choice by the user fires OnClick and
// then OnSelect (or OnChange when there is no OnSelect); typing in the edit part fires OnChange.
// Notifications travel as the window system sends them: WM_COMMAND with CBN_SELCHANGE (the user
// changed the selection: keys, a pick in the list, type-ahead), CBN_EDITCHANGE (the user typed),
// CBN_DROPDOWN and CBN_CLOSEUP (the list opens or closes, also by DroppedDown) to the parent, which
// reflects it back as CN_COMMAND to HandleCNCommand, where the events fire. The wheel does not
// change the selection by itself.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStrings* const Items;

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    QString Text() const override;
    void SetText(const QString& Value) override;
    int DropDownCount() const;
    void SetDropDownCount(int Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    void Clear();
    // CB_SETDROPPEDWIDTH: the least width of the open list (0: the combo's width).
    int DroppedWidth() const { return FDroppedWidth; }
    void SetDroppedWidth(int Value) { FDroppedWidth = std::max(0, Value); }
    // Typing in the edit part completes the text to the first item that starts with it (case
    // ignored) and selects the completed tail.
    bool AutoComplete = true;
    // The edit part's selection, counted from 0 (nothing for a list-only combo).
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    void SelectAll();

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    // Notes whether the key deletes (no completion then).
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    // CN_COMMAND to HandleCNCommand.
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    QComboBox* Combo() const;
    // The edit field of an editable combo; nullptr for a list-only one.
    QLineEdit* LineEdit() const;

protected:
    virtual void Change();
    virtual void Select();
    void ApplyColor() override;
    // A notification (CBN_...) as WM_COMMAND to the parent; without a parent straight back to itself.
    void Notify(WORD Code);
    // The reflected notification: OnClick and OnSelect, OnChange, OnDropDown, OnCloseUp.
    virtual void HandleCNCommand(TMessage& Message);

private:
    friend class TComboBoxItems;
    void ConnectEditor();
    void EditTyped(const QString& Text);
    TQtComboBox* FCombo;
    TComboBoxStyle FStyle = csDropDown;
    bool FSorted = false;
    int FMaxLength = 0;
    int FDroppedWidth = 0;
    QString FLastEditText;
    int FLastSelLength = 0;
    bool FDeleting = false;
};

// ---- Check box and radio button ---------------------------------------------------------------------

class TQtCheckBox;

// A check box. Changing the state - by a click, by Space or from code - fires OnClick. A click moves
// unchecked to checked (to grayed first with AllowGrayed), checked to unchecked, grayed to checked.
// Alt+accelerator focuses and toggles it.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const;
    void SetState(TCheckBoxState Value);
    bool AllowGrayed = false;
    // taRightJustify: caption right of the box (the default); taLeftJustify: left of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    void SetText(const QString& Value) override;

    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    bool WantsChars() const override { return false; }
    // The state a click moves to.
    TCheckBoxState NextState() const;

private:
    TQtCheckBox* FBox;
    TAlignment FAlignment = taRightJustify;
};

using TCustomCheckBox = TCheckBox;

// A radio button; the radio buttons of one parent form a group. Becoming checked fires OnClick.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const;
    void SetChecked(bool Value);   // false is allowed too (no button of the group checked)
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    void SetText(const QString& Value) override;

    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    bool WantsChars() const override { return false; }

private:
    class QRadioButton* FRadio;
    TAlignment FAlignment = taRightJustify;
};

// ---- List box ---------------------------------------------------------------------------------------

class TListBoxItems;

// A list of strings (with objects). A change of the selection by the user - click or keys - fires
// OnClick; a click on the selected item fires it too. Setting ItemIndex from code fires nothing.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    TStrings* const Items;

    int ItemIndex() const;
    void SetItemIndex(int Value);
    int Count() const { return Items->Count(); }
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool Selected(int Index) const;   // raises EListError for a bad index
    void SetSelected(int Index, bool Value);
    int SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    int TopIndex() const;
    void SetTopIndex(int Value);
    int ItemHeight() const;
    // The item at a client point, or -1 (with Existing false: the index below the last item).
    int ItemAtPos(TPoint Pos, bool Existing) const;
    TRect ItemRect(int Index) const;
    void Clear() { Items->Clear(); }

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleDblClick(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    QListWidget* List() const { return FList; }

protected:
    void ApplyColor() override;

private:
    friend class TListBoxItems;
    QListWidget* FList;
    bool FMultiSelect = false;
    bool FSorted = false;
    int FCodeChange = 0;         // > 0 while the selection changes from code
    bool FChangedByPress = false;
};

// ---- Memo -------------------------------------------------------------------------------------------

class TMemoLines;

// Multi-line edit. Lines holds its lines; Text joins them with CR LF. WantReturns (on) keeps Enter
// for a new line instead of offering it to the form; WantTabs (off) likewise for Tab.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;

    TStrings* const Lines;

    QString Text() const override;
    void SetText(const QString& Value) override;
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WantReturns = true;
    bool WantTabs = false;
    int MaxLength = 0;
    void Clear() { SetText(QString()); }
    void SelectAll();

    bool WantsKey(WORD Key, TShiftState Shift) const override;

    TNotifyEvent OnChange;

    QPlainTextEdit* Editor() const { return FEditor; }

protected:
    virtual void Change();
    void ApplyColor() override;

private:
    friend class TMemoLines;
    QPlainTextEdit* FEditor;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
};

// ---- Group box --------------------------------------------------------------------------------------

// A frame with a caption around other controls. Alt+accelerator focuses its first control.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);

    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;

protected:
    void Paint() override;
    void AlignControls(TRect& Rect) override;
};

using TCustomGroupBox = TGroupBox;

// ---- Push button ------------------------------------------------------------------------------------

class TQtPushButton;

// A push button (over QPushButton) with the toolkit's click: the release of a left press over the
// button, and Space, fire OnClick through Click. Typed characters are accelerators, not input.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    QString Caption() const { return Text(); }
    void SetCaption(const QString& Value) { SetText(Value); }
    void SetText(const QString& Value) override;
    bool WantsChars() const override { return false; }

    QPushButton* PushButton() const;

private:
    TQtPushButton* FButton;
};
