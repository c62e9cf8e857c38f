// Popup menus: TMenuItem trees shown by TPopupMenu at a screen point (a control's PopupMenu opens on
// a right click; the push button opens its menu under itself).
#pragma once

#include "platform/core/Classes.h"

#include <QString>
#include <vector>

class TImageList;

// Key plus modifiers, as the toolkit stores menu shortcuts.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

// One menu entry; "-" as caption makes a separator. Its sub-items are kept in Items order; a parent
// item does not own them (the form does), but freeing an item takes it out of its parent.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);   // a radio item unchecks its group
    bool Enabled = true;
    bool Visible = true;
    bool RadioItem = false;
    bool AutoCheck = false;
    bool Default = false;
    int GroupIndex = 0;
    int ImageIndex = -1;
    QString Hint;
    TShortCut ShortCut = scNone;

    TMenuItem* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;   // raises EListError for a bad index
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);
    void Delete(int Index);              // takes the item out (does not free it)
    void Clear();                        // frees every sub-item
    int IndexOf(const TMenuItem* Item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

    // Fires OnClick (AutoCheck toggles Checked first).
    virtual void Click();
    TNotifyEvent OnClick;

private:
    QString FCaption;
    bool FChecked = false;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

// A menu that pops up at a screen point. Popup(X, Y) fires OnPopup, shows the menu (waiting for the
// user, like the window system's menu tracking) and then clicks the chosen item.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TMenuItem* const Items;   // the invisible root; its sub-items are the menu
    bool AutoPopup = true;
    TComponent* PopupComponent = nullptr;
    TImageList* Images = nullptr;

    virtual void Popup(int X, int Y);
    TNotifyEvent OnPopup;

    // Where the last Popup opened (screen coordinates).
    int LastPopupX() const { return FLastX; }
    int LastPopupY() const { return FLastY; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int FLastX = 0;
    int FLastY = 0;
};
