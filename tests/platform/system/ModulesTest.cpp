// Loading modules by name: only modules registered in-process exist.
#include "platform/system/Modules.h"

#include <gtest/gtest.h>

namespace
{

int Answer()
{
    return 42;
}

} // namespace

TEST(Modules, OnlyRegisteredModulesLoadAndTheirExportsAreFoundByName)
{
    EXPECT_EQ(LoadLibrary("UXTHEME.DLL"), 0u);
    EXPECT_EQ(GetProcAddress(0, "Answer"), nullptr);
    EXPECT_FALSE(FreeLibrary(0));

    RegisterModule("Fake.dll", {{"Answer", reinterpret_cast<FARPROC>(&Answer)}});
    const HMODULE h = LoadLibrary("FAKE.DLL");
    ASSERT_NE(h, 0u);
    EXPECT_EQ(LoadLibrary("fake.dll"), h); // loaded twice, one module
    const FARPROC proc = GetProcAddress(h, "Answer");
    ASSERT_NE(proc, nullptr);
    EXPECT_EQ(ProcAs<int (*)()>(proc)(), 42);
    EXPECT_EQ(GetProcAddress(h, "Missing"), nullptr);

    // Freed as often as loaded, the handle finds nothing any more.
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_NE(GetProcAddress(h, "Answer"), nullptr);
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(GetProcAddress(h, "Answer"), nullptr);
    EXPECT_FALSE(FreeLibrary(h));

    const HMODULE again = LoadLibrary("Fake.dll");
    UnregisterModule("Fake.dll");
    EXPECT_EQ(GetProcAddress(again, "Answer"), nullptr);
    EXPECT_EQ(LoadLibrary("Fake.dll"), 0u);
}
