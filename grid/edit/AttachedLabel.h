// The label an edit control carries beside it (the flat combo box and the date-time picker with
// label). The control holds one TAttachedLabel and forwards its label properties and its own changes
// to it; the label itself is a toolkit TLabel owned by the control:
//   - made by the first caption write (also of ''), on the control's parent, focusing the control;
//   - placed by the position table of LabelPlacement on every move, resize or label setting;
//   - shown and hidden with the control, enabled with it unless AlwaysEnabled, bold while the
//     control has the focus when asked (FocusLabel);
//   - its font is the control's while the control's ParentFont is on, else LabelFont;
//   - freed with the control (or forgotten when its parent's destruction takes it first).
// The control calls, from its own handlers: SetBounds -> Update, SetParent -> ControlParent,
// SetVisible -> ControlVisible, the enabled change -> ControlEnabled, the font change ->
// ControlFontChanged, focus in and out -> ControlFocused, Loaded -> Loaded, Notification -> Forget.
#pragma once

#include "grid/edit/LabelPlacement.h"
#include "platform/controls/StdCtrls.h"

#include <functional>
#include <memory>

class TAttachedLabel
{
  public:
    static constexpr int DefaultMargin = 4;

    explicit TAttachedLabel(TWinControl* Control);
    ~TAttachedLabel();
    TAttachedLabel(const TAttachedLabel&) = delete;
    TAttachedLabel& operator=(const TAttachedLabel&) = delete;

    // nullptr until the caption is first written.
    TLabel* Label() const { return FLabel; }
    // '' without a label.
    QString Caption() const;
    void SetCaption(const QString& Value);
    TLabelPosition Position() const { return FPosition; }
    void SetPosition(TLabelPosition Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // The label stays enabled whatever the control's Enabled; switched off, it follows it again.
    bool AlwaysEnabled() const { return FAlwaysEnabled; }
    void SetAlwaysEnabled(bool Value);
    TFont* Font() const { return FFont.get(); }
    // Taken only while the control's ParentFont is off.
    void SetFont(const TFont* Value);

    // Runs once on the label just made (the picker binds its click events here).
    std::function<void(TLabel*)> OnCreate;
    // The label font changed (LabelFont's own notification), after the label was placed again.
    std::function<void()> OnFontChange;

    // Places the label beside the control and gives it its look.
    void Update();
    void ControlParent(TWinControl* AParent);
    void ControlVisible(bool Value);
    void ControlEnabled(bool Value);
    void ControlFontChanged();
    // Bold while focused (only when the control's FocusLabel asks for it).
    void ControlFocused(bool Focused);
    // After loading: the label takes the control's Enabled (unless AlwaysEnabled) and font.
    void Loaded();
    // The label went with its parent's children before the control: it is no longer ours.
    void Forget(TComponent* AComponent);

  private:
    void Create();
    void ApplyFont();

    TWinControl* const FControl;
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FFont;
    TLabelPosition FPosition = lpLeftTop;
    int FMargin = DefaultMargin;
    bool FTransparent = false;
    bool FAlwaysEnabled = false;
    bool FBold = false;
};
