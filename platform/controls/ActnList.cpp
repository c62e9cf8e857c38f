#include "platform/controls/ActnList.h"

#include "platform/graphics/ImgList.h"

#include <algorithm>

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

TAction::TAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TAction::~TAction()
{
    SetActionList(nullptr);
}

template <class T> void TAction::SetState(T& Field, const T& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TAction::SetCaption(const QString& Value)
{
    SetState(FCaption, Value);
}

void TAction::SetEnabled(bool Value)
{
    SetState(FEnabled, Value);
}

void TAction::SetChecked(bool Value)
{
    if (FChecked == Value)
        return;
    FChecked = Value;
    if (Value && GroupIndex > 0 && FActionList)
        for (TAction* other : FActionList->FActions)
            if (other != this && other->GroupIndex == GroupIndex)
                other->SetChecked(false);
    Changed();
}

void TAction::SetVisible(bool Value)
{
    SetState(FVisible, Value);
}

void TAction::SetHint(const QString& Value)
{
    SetState(FHint, Value);
}

void TAction::SetImageIndex(int Value)
{
    SetState(FImageIndex, Value);
}

void TAction::SetActionList(TActionList* Value)
{
    if (FActionList == Value)
        return;
    if (FActionList) {
        auto& list = FActionList->FActions;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    FActionList = Value;
    if (Value)
        Value->FActions.push_back(this);
}

bool TAction::Execute()
{
    if (!FEnabled)
        return false;
    if (AutoCheck)
        SetChecked(!FChecked);
    return TBasicAction::Execute();
}

bool TAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TAction::RegisterClient(const void* Client, std::function<void(TAction*)> ChangedHandler)
{
    UnregisterClient(Client);
    FClients.push_back({Client, std::move(ChangedHandler)});
}

void TAction::UnregisterClient(const void* Client)
{
    FClients.erase(std::remove_if(FClients.begin(), FClients.end(), [&](const auto& c) { return c.Key == Client; }),
                   FClients.end());
}

void TAction::Changed()
{
    const std::vector<Client> clients = FClients;   // a client may unlink itself
    for (const Client& c : clients)
        if (c.Changed)
            c.Changed(this);
}

TActionList::~TActionList()
{
    for (TAction* a : std::vector<TAction*>(FActions))
        a->FActionList = nullptr;
}

TAction* TActionList::Actions(int Index) const
{
    if (Index < 0 || Index >= ActionCount())
        RaiseListIndexError(Index);
    return FActions[static_cast<size_t>(Index)];
}

void TActionList::SetImages(TImageList* Value)
{
    ChangeReference(FImages, Value);
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FImages && AComponent == FImages)
        FImages = nullptr;
}
