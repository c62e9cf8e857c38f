#include "platform/controls/Menus.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <map>

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    for (TMenuItem* child : FItems)
        child->FParent = nullptr;
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::SetChecked(bool Value)
{
    FChecked = Value;
    if (Value && RadioItem && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex)
                sibling->FChecked = false;
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (Index < 0 || Index > Count())
        RaiseListIndexError(Index);
    if (Item->FParent)
        throw EInvalidOperation("Menu inserted twice");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index)
{
    Remove(Items(Index));
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Click()
{
    if (!Enabled)
        return;
    if (AutoCheck)
        SetChecked(!FChecked);
    if (OnClick)
        OnClick(this);
}

// ---- TPopupMenu -------------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), Items(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu()
{
    delete Items;
}

namespace {

void BuildMenu(QMenu* menu, TMenuItem* parent, std::map<QAction*, TMenuItem*>& map)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible)
            continue;
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(item->Caption());
            sub->setEnabled(item->Enabled);
            BuildMenu(sub, item, map);
            continue;
        }
        QAction* action = menu->addAction(item->Caption());
        action->setEnabled(item->Enabled);
        action->setCheckable(item->Checked() || item->RadioItem || item->AutoCheck);
        action->setChecked(item->Checked());
        if (item->Default) {
            QFont f = action->font();
            f.setBold(true);
            action->setFont(f);
        }
        map[action] = item;
    }
}

} // namespace

void TPopupMenu::Popup(int X, int Y)
{
    FLastX = X;
    FLastY = Y;
    if (OnPopup)
        OnPopup(this);
    QMenu menu;
    std::map<QAction*, TMenuItem*> map;
    BuildMenu(&menu, Items, map);
    if (menu.isEmpty())
        return;
    QAction* chosen = nullptr;
    QObject::connect(&menu, &QMenu::triggered, &menu, [&chosen](QAction* a) { chosen = a; });
    if (QAction* returned = menu.exec(QPoint(X, Y)))
        chosen = returned;
    if (!chosen)
        return;
    const auto it = map.find(chosen);
    if (it != map.end())
        it->second->Click();
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == PopupComponent)
        PopupComponent = nullptr;
}
