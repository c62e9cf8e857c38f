// The shared theme notifier: who hears a change of the office keys, in which order, and when not.
#include "grid/base/ThemeNotifier.h"

#include "OfficeRegistry.h"
#include "platform/controls/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace officetest;

namespace
{

struct Heard {
    QString who;
    WPARAM root;
    QString key;
};

// A window that notes every WM_OFFICETHEMECHANGE it receives.
class TListener : public TCustomControl
{
  public:
    TListener(TComponent* owner, QString name, std::vector<Heard>& log)
        : TCustomControl(owner), name_(std::move(name)), log_(log)
    {
    }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_OFFICETHEMECHANGE) {
            log_.push_back(
                {name_, m.WParam, QString::fromUtf16(reinterpret_cast<const char16_t*>(m.LParam))});
            if (OnHeard)
                OnHeard();
        }
        TCustomControl::WndProc(m);
    }
    std::function<void()> OnHeard;

  private:
    QString name_;
    std::vector<Heard>& log_;
};

std::vector<QString> Who(const std::vector<Heard>& log)
{
    std::vector<QString> who;
    for (const Heard& h : log)
        who.push_back(h.who);
    return who;
}

void WriteValueUnder(const QString& key)
{
    TRegistry r;
    r.OpenKey(key, true);
    r.WriteInteger("Value", 1);
}

class ThemeNotifier : public ::testing::Test
{
  protected:
    void SetUp() override { ClearOfficeKeys(); }
    void TearDown() override
    {
        delete owner;
        ClearOfficeKeys();
    }
    // The shared notifier, owned by `owner` unless the application has a main form.
    TThemeNotifier* Make()
    {
        TThemeNotifier* n = GetThemeNotifier(owner);
        if (n->Owner() != owner)
            ADD_FAILURE() << "the shared notifier existed already";
        n->OnOfficeThemeChange = [this, n](TObject* sender) {
            log.push_back({sender == n ? "notifier" : "other sender", 0, {}});
        };
        return n;
    }

    std::vector<Heard> log;
    TForm* owner = new TForm(nullptr);
    TListener* a = new TListener(owner, "A", log);
    TListener* b = new TListener(owner, "B", log);
};

const QString Common14 = Office2010CommonKey;
const QString Common12 = Office2007CommonKey;

} // namespace

TEST_F(ThemeNotifier, AValueChangeReachesTheNotifierThenEachRegisteredWindowOnce)
{
    CreateKey(Common14 + "\\General");
    TThemeNotifier* n = Make();
    ASSERT_NE(n->RegMonitorThread, nullptr);
    EXPECT_EQ(GetThemeNotifier(nullptr), n) << "one shared notifier";
    n->RegisterWindow(a->Handle());
    n->RegisterWindow(a->Handle());
    n->RegisterWindow(b->Handle());

    CreateKey(Common14 + "\\Sub");
    EXPECT_TRUE(log.empty()) << "a new subkey is no value change";

    WriteValueUnder(Common14 + "\\Sub");
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "A", "B"}));
    for (size_t i = 1; i < log.size(); ++i) {
        EXPECT_EQ(log[i].root, WPARAM(HKEY_CURRENT_USER));
        EXPECT_EQ(log[i].key, Common14);
    }

    // A change of the 2007 keys is not watched.
    log.clear();
    WriteValueUnder(Common12);
    EXPECT_TRUE(log.empty());

    n->UnRegisterWindow(a->Handle());
    n->UnRegisterWindow(HWND(0x7FFFFFF0));
    WriteValueUnder(Common14);
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "B"}));
}

TEST_F(ThemeNotifier, AHandlerMayChangeTheListWhileANotificationIsSent)
{
    CreateKey(Common14 + "\\General");
    TThemeNotifier* n = Make();
    n->RegisterWindow(a->Handle());
    n->RegisterWindow(b->Handle());
    // A unregisters B and registers a new window: this round goes to the windows registered before it.
    TListener* c = new TListener(owner, "C", log);
    a->OnHeard = [&] {
        n->UnRegisterWindow(b->Handle());
        n->RegisterWindow(c->Handle());
        a->OnHeard = nullptr;
    };
    WriteValueUnder(Common14);
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "A", "B"}));
    log.clear();
    WriteValueUnder(Common14);
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "A", "C"}));

    // A window that is gone is skipped.
    delete a;
    a = nullptr;
    log.clear();
    WriteValueUnder(Common14);
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "C"}));
}

TEST_F(ThemeNotifier, With2007OnlyThe2007KeysAreWatched)
{
    CreateKey(Common12 + "\\General");
    TThemeNotifier* n = Make();
    n->RegisterWindow(a->Handle());
    WriteValueUnder(Common14);
    EXPECT_TRUE(log.empty());
    WriteValueUnder(Common12 + "\\Sub");
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "A"}));
}

TEST_F(ThemeNotifier, WithoutOfficeThereIsANotifierButNobodyHearsAnything)
{
    TThemeNotifier* n = Make();
    EXPECT_EQ(n->RegMonitorThread, nullptr);
    EXPECT_EQ(n->NotifierWindow(), nullptr);
    n->RegisterWindow(a->Handle());
    CreateKey(Common14 + "\\General");
    WriteValueUnder(Common14);
    EXPECT_TRUE(log.empty());
}

TEST_F(ThemeNotifier, DestroyingTheSharedNotifierLetsTheNextCallMakeANewOne)
{
    CreateKey(Common14 + "\\General");
    TThemeNotifier* first = Make();
    first->RegisterWindow(a->Handle());
    delete first;
    // Its watch ended with it.
    WriteValueUnder(Common14);
    EXPECT_TRUE(log.empty());

    TThemeNotifier* second = Make();
    EXPECT_NE(second->RegMonitorThread, nullptr);
    second->RegisterWindow(b->Handle());
    WriteValueUnder(Common14);
    EXPECT_EQ(Who(log), (std::vector<QString>{"notifier", "B"}));
}

TEST(HandleList, KeepsHandlesInOrderAndRemovesTheFirstOccurrence)
{
    THandleList list;
    list.Add(5);
    list.Add(7);
    list.Insert(0, 7);
    EXPECT_EQ(list.Items(), (std::vector<HWND>{7, 5, 7}));
    list.DeleteValue(7);
    list.DeleteValue(9);
    EXPECT_EQ(list.Items(), (std::vector<HWND>{5, 7}));
    list.SetInteger(1, 8);
    EXPECT_EQ(list.GetInteger(1), HWND(8));
    EXPECT_TRUE(list.HasValue(5));
    list.Delete(0);
    EXPECT_FALSE(list.HasValue(5));
    EXPECT_THROW(list.GetInteger(1), EListError);
    EXPECT_THROW(list.Insert(3, 1), EListError);
}
