// The in-memory registry: keys and values through TRegistry, and the change watch.
#include "platform/system/Registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const QString Top = "Software\\RegistryTest";

// Every test starts and ends without its keys.
class Registry : public ::testing::Test
{
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean()
    {
        TRegistry r;
        r.DeleteKey("\\" + Top);
    }
    TRegistry reg;
};

} // namespace

TEST_F(Registry, KeysAreCreatedWithTheirParentsAndFoundWithoutRegardToCase)
{
    EXPECT_FALSE(reg.OpenKeyReadOnly(Top + "\\A\\B"));
    EXPECT_FALSE(reg.OpenKey(Top + "\\A\\B", false));
    ASSERT_TRUE(reg.OpenKey(Top + "\\A\\B", true));
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists(Top + "\\a"));
    EXPECT_TRUE(reg.KeyExists("\\" + Top.toUpper() + "\\A\\b"));
    // Another root is another tree.
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.KeyExists(Top + "\\A"));
    reg.SetRootKey(HKEY_CURRENT_USER);

    // A relative path starts at the open key, one with a leading '\' at the root.
    ASSERT_TRUE(reg.OpenKey(Top, false));
    EXPECT_TRUE(reg.KeyExists("A\\B"));
    EXPECT_FALSE(reg.KeyExists("\\A\\B"));
    EXPECT_TRUE(reg.DeleteKey("A"));
    EXPECT_FALSE(reg.KeyExists("A\\B"));
    EXPECT_FALSE(reg.DeleteKey("A"));
}

TEST_F(Registry, ValuesAreReadAsWrittenAndAStringIsNoInteger)
{
    ASSERT_TRUE(reg.OpenKey(Top, true));
    EXPECT_FALSE(reg.ValueExists("Theme"));
    reg.WriteInteger("Theme", 3);
    reg.WriteString("Name", "abc");
    EXPECT_TRUE(reg.ValueExists("theme"));
    EXPECT_EQ(reg.ReadInteger("THEME"), 3);
    reg.WriteInteger("Theme", -7);
    EXPECT_EQ(reg.ReadInteger("Theme"), -7);
    try {
        reg.ReadInteger("Name");
        FAIL() << "a string read as an integer";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, "Invalid data type for 'Name'");
    }
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);

    // Another accessor sees the same store.
    TRegistry other;
    ASSERT_TRUE(other.OpenKeyReadOnly(Top));
    EXPECT_EQ(other.ReadInteger("Theme"), -7);

    reg.CloseKey();
    EXPECT_FALSE(reg.ValueExists("Theme"));
    EXPECT_THROW(reg.WriteInteger("Theme", 1), ERegistryException);
}

TEST_F(Registry, AWatchHearsTheChangesItsFilterAsksFor)
{
    ASSERT_TRUE(reg.OpenKey(Top + "\\Watched", true));
    reg.CloseKey();
    std::vector<QString> heard;
    auto watch = [&](const QString& name, bool subtree, uint32_t filter) {
        return WatchKey(HKEY_CURRENT_USER, Top + "\\Watched", subtree, filter,
                        [&heard, name] { heard.push_back(name); });
    };
    const int values = watch("values", true, REG_NOTIFY_CHANGE_LAST_SET);
    const int names = watch("names", true, REG_NOTIFY_CHANGE_NAME);
    const int own = watch("own", false, REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME);
    ASSERT_NE(values, 0);

    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<QString> expected;
    };
    const Step steps[] = {
        {"a value of the key",
         [&] {
             reg.OpenKey("\\" + Top + "\\Watched", false);
             reg.WriteInteger("V", 1);
         },
         {"values", "own"}},
        {"the same value again", [&] { reg.WriteInteger("V", 1); }, {"values", "own"}},
        {"a new subkey", [&] { reg.OpenKey("\\" + Top + "\\Watched\\Sub", true); }, {"names", "own"}},
        {"a value in the subkey", [&] { reg.WriteString("S", "x"); }, {"values"}},
        {"a deeper subkey", [&] { reg.OpenKey("\\" + Top + "\\Watched\\Sub\\Deep", true); }, {"names"}},
        {"a subkey removed", [&] { reg.DeleteKey("\\" + Top + "\\Watched\\Sub"); }, {"names", "own"}},
        {"a key outside",
         [&] {
             reg.OpenKey("\\" + Top + "\\Other", true);
             reg.WriteInteger("V", 1);
         },
         {}},
    };
    for (const Step& s : steps) {
        heard.clear();
        s.act();
        EXPECT_EQ(heard, s.expected) << s.what;
    }

    UnwatchKey(values);
    UnwatchKey(names);
    UnwatchKey(own);
    heard.clear();
    reg.OpenKey("\\" + Top + "\\Watched", false);
    reg.WriteInteger("V", 2);
    EXPECT_TRUE(heard.empty());
}

TEST_F(Registry, AMissingKeyIsNotWatchedAndACallbackMayEndAnotherWatch)
{
    EXPECT_EQ(WatchKey(HKEY_CURRENT_USER, Top + "\\Missing", true, 15, [] {}), 0);

    ASSERT_TRUE(reg.OpenKey(Top, true));
    int second = 0;
    int secondCalls = 0;
    const int first =
        WatchKey(HKEY_CURRENT_USER, Top, true, REG_NOTIFY_CHANGE_LAST_SET, [&] { UnwatchKey(second); });
    second = WatchKey(HKEY_CURRENT_USER, Top, true, REG_NOTIFY_CHANGE_LAST_SET, [&] { ++secondCalls; });
    reg.WriteInteger("V", 1);
    EXPECT_EQ(secondCalls, 0);
    UnwatchKey(first);
}
