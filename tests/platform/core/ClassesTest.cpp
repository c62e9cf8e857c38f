#include "platform/core/Classes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A component that keeps a pointer to another and clears it on removal; it reads the target in its
// destructor, so a missed notification shows up as a use after free under the sanitizer.
class TRecorder : public TComponent {
public:
    using TComponent::TComponent;
    ~TRecorder() override
    {
        if (Target)
            LastTargetTag = Target->Tag;
        if (ClearedAtDeath)
            *ClearedAtDeath = Target == nullptr;
    }
    void Watch(TComponent* target)
    {
        Target = target;
        target->FreeNotification(this);
    }
    TComponent* Target = nullptr;
    std::vector<TComponent*> Removed;
    std::vector<QString>* LoadLog = nullptr;
    intptr_t LastTargetTag = 0;
    bool* ClearedAtDeath = nullptr;   // set to whether Target was cleared when this one dies

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove) {
            Removed.push_back(AComponent);
            if (AComponent == Target)
                Target = nullptr;
        }
    }
    void Loaded() override
    {
        if (LoadLog)
            LoadLog->push_back(Name() + ((ComponentState() & csLoading) ? ":loading" : ":done"));
        TComponent::Loaded();
    }
};

class TOther : public TPersistent {};

// Frees another component when it hears of a removal, as a handler that tidies up may.
class TKiller : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Victim = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && Victim && AComponent != Victim)
            FreeAndNil(Victim);
    }
};

} // namespace

TEST(Classes, OwnerDestroysOwnedComponentsAndTheyLeaveTheOwnerWhenFreed)
{
    auto* owner = new TComponent(nullptr);
    auto* a = new TComponent(owner);
    auto* b = new TComponent(owner);
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(a->Owner(), owner);
    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    try {
        owner->Components(5);
        FAIL() << "bad index did not raise";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (5)");
    }
    delete owner;   // frees b; the sanitizer reports a leak or double free otherwise
}

TEST(Classes, FreeNotificationClearsReferencesAcrossOwners)
{
    TComponent formA(nullptr), formB(nullptr);
    auto* menu = new TComponent(&formA);
    auto* button = new TRecorder(&formB);
    button->Watch(menu);
    menu->Tag = 7;
    delete menu;
    EXPECT_EQ(button->Target, nullptr);
    ASSERT_EQ(button->Removed.size(), 1u);
    EXPECT_EQ(button->Removed[0], menu);

    // The link works the other way too: a referrer that dies first is forgotten by its target.
    auto* menu2 = new TComponent(&formA);
    auto* button2 = new TRecorder(&formB);
    button2->Watch(menu2);
    delete button2;
    delete menu2;   // must not notify the freed button2
}

TEST(Classes, OwnerPassesRemovalOnToSiblings)
{
    TComponent form(nullptr);
    auto* watcher = new TRecorder(&form);
    auto* other = new TComponent(&form);
    watcher->Target = other;   // no FreeNotification: siblings hear it through the owner
    delete other;
    EXPECT_EQ(watcher->Target, nullptr);
}

TEST(Classes, RemovalReachesEverySiblingOnceEvenWhenAHandlerFreesOne)
{
    TComponent form(nullptr);
    auto* first = new TRecorder(&form);
    auto* killer = new TKiller(&form);
    auto* victim = new TRecorder(&form);   // after the killer: freed before its turn
    auto* last = new TRecorder(&form);
    auto* gone = new TComponent(&form);
    killer->Victim = victim;
    delete gone;   // the sanitizer reports a notification sent to the freed victim
    EXPECT_EQ(first->Removed, (std::vector<TComponent*>{gone, victim}));
    EXPECT_EQ(last->Removed, (std::vector<TComponent*>{victim, gone}));
    ASSERT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Components(0), first);
    EXPECT_EQ(form.Components(1), killer);
    EXPECT_EQ(form.Components(2), last);
    EXPECT_EQ(last->ComponentIndex(), 2);

    // Every sibling hears of every removal, in the middle of the list as at its end.
    std::vector<TRecorder*> many;
    for (int i = 0; i < 50; ++i)
        many.push_back(new TRecorder(&form));
    delete many[10];
    delete many[49];
    form.RemoveComponent(many[0]);
    EXPECT_EQ(many[0]->Owner(), nullptr);
    for (int i : {1, 25, 48})
        EXPECT_EQ(many[i]->Removed, (std::vector<TComponent*>{many[10], many[49], many[0]})) << i;
    EXPECT_EQ(form.ComponentCount(), 3 + 47);
    EXPECT_EQ(many[11]->ComponentIndex(), 3 + 9);
    delete many[0];
}

TEST(Classes, ReferenceBetweenSiblingsSurvivesDestructionOfTheOwner)
{
    auto* form = new TComponent(nullptr);
    auto* watcher = new TRecorder(form);   // created first, destroyed last
    auto* target = new TComponent(form);
    watcher->Watch(target);
    bool cleared = false;
    watcher->ClearedAtDeath = &cleared;
    delete form;   // target goes first; watcher's destructor must not read it
    EXPECT_TRUE(cleared);
}

TEST(Classes, NamesAreIdentifiersUniqueAmongSiblings)
{
    TComponent form(nullptr);
    auto* a = new TComponent(&form);
    auto* b = new TComponent(&form);
    a->SetName("Btn_OK");
    EXPECT_EQ(form.FindComponent("btn_ok"), a);
    EXPECT_THROW(b->SetName("BTN_OK"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    b->SetName("Btn_Cancel");
    EXPECT_EQ(form.FindComponent("Btn_Cancel"), b);
    EXPECT_EQ(form.FindComponent("none"), nullptr);
}

TEST(Classes, LoadedRunsForOwnedComponentsFirstThenTheOwner)
{
    std::vector<QString> log;
    TRecorder form(nullptr);
    form.SetName("Form");
    form.LoadLog = &log;
    auto* child = new TRecorder(&form);
    child->SetName("Child");
    child->LoadLog = &log;
    form.BeginLoading();
    EXPECT_TRUE(child->ComponentState() & csLoading);
    form.EndLoading();
    EXPECT_EQ(log, (std::vector<QString>{"Child:loading", "Form:loading"}));
    EXPECT_FALSE(child->ComponentState() & csLoading);
    EXPECT_FALSE(form.ComponentState() & csLoading);
}

TEST(Classes, DestroyingMarksOwnedComponents)
{
    auto* form = new TComponent(nullptr);
    auto* child = new TComponent(form);
    form->Destroying();
    EXPECT_TRUE(child->ComponentState() & csDestroying);
    delete form;
}

TEST(Classes, ClassNameAndAssignError)
{
    TRecorder r(nullptr);
    EXPECT_EQ(r.ClassName(), "TRecorder");
    TOther other;
    try {
        other.Assign(&r);
        FAIL() << "assign between unrelated classes did not raise";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TRecorder to a TOther");
    }
    EXPECT_THROW(other.Assign(nullptr), EConvertError);
}
