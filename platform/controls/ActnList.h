// Actions: a command with a caption, enabled and checked state that several controls and menu items
// share. Controls link to an action with SetAction and follow its changes; a click executes it.
// TActionList groups actions and names the image list their ImageIndex refers to.
#pragma once

#include "platform/core/Classes.h"

#include <functional>
#include <vector>

class TActionList;
class TImageList;

// An executable command. Execute fires OnExecute.
class TBasicAction : public TComponent {
public:
    using TComponent::TComponent;
    // True when OnExecute ran.
    virtual bool Execute();
    TNotifyEvent OnExecute;
};

// A command with the state its clients show. Every change is passed to the registered clients.
class TAction : public TBasicAction {
public:
    explicit TAction(TComponent* AOwner);
    ~TAction() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);   // unchecks the other actions of its group index
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int GroupIndex = 0;
    bool AutoCheck = false;
    QString Category;

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* Value);

    // A disabled action does nothing; AutoCheck toggles Checked first.
    bool Execute() override;
    // Fires OnUpdate (the program refreshes Enabled/Checked there); true when it ran.
    bool Update();
    TNotifyEvent OnUpdate;

    // Clients (controls, menu items) are called after each change of the action's state.
    void RegisterClient(const void* Client, std::function<void(TAction*)> Changed);
    void UnregisterClient(const void* Client);

private:
    friend class TActionList;
    void Changed();
    // Sets a state field and tells the clients, when the value is new.
    template <class T> void SetState(T& Field, const T& Value);

    QString FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    QString FHint;
    int FImageIndex = -1;
    TActionList* FActionList = nullptr;
    struct Client {
        const void* Key;
        std::function<void(TAction*)> Changed;
    };
    std::vector<Client> FClients;
};

// A list of actions sharing an image list.
class TActionList : public TComponent {
public:
    using TComponent::TComponent;
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TAction* Actions(int Index) const;   // raises EListError for a bad index
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TAction;
    std::vector<TAction*> FActions;
    TImageList* FImages = nullptr;
};
