// The two theme tables: not loaded without the visual-styles library, loaded whole from a library
// with all 45 entry points, and left empty by a library that lacks one.
#include "grid/base/ThemeApi.h"

#include "platform/graphics/ClassicDraw.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace
{

QStringList gCalls;

HTHEME FakeOpen(HWND wnd, const char16_t* classList)
{
    gCalls << QString("open %1 %2").arg(wnd).arg(QString::fromUtf16(classList));
    return 77;
}
HRESULT FakeClose(HTHEME theme)
{
    gCalls << QString("close %1").arg(theme);
    return S_OK;
}
HRESULT FakeDraw(HTHEME theme, HDC, int part, int state, const TRect* r, const TRect*)
{
    gCalls << QString("draw %1 %2 %3 %4").arg(theme).arg(part).arg(state).arg(r->Width());
    return S_OK;
}
int32_t FakeActive()
{
    return 1;
}
HRESULT FakeName(char16_t*, int, char16_t* color, int, char16_t*, int)
{
    std::char_traits<char16_t>::copy(color, u"Metallic", 9);
    return S_OK;
}
void Unused() {}

// All 45 exports: the five the program calls are real fakes, the others one placeholder.
std::map<QString, FARPROC> AllExports()
{
    std::map<QString, FARPROC> exports;
    for (const char* name : ThemeApiNames)
        exports[name] = &Unused;
    exports["OpenThemeData"] = reinterpret_cast<FARPROC>(&FakeOpen);
    exports["CloseThemeData"] = reinterpret_cast<FARPROC>(&FakeClose);
    exports["DrawThemeBackground"] = reinterpret_cast<FARPROC>(&FakeDraw);
    exports["IsThemeActive"] = reinterpret_cast<FARPROC>(&FakeActive);
    exports["GetCurrentThemeName"] = reinterpret_cast<FARPROC>(&FakeName);
    return exports;
}

void ExpectEmpty(const TThemeApi& api)
{
    EXPECT_FALSE(api.Loaded());
    for (int i = 0; i < ThemeApiSlotCount; ++i)
        EXPECT_EQ(api.Slot(i), nullptr) << ThemeApiNames[size_t(i)];
}

} // namespace

TEST(ThemeApi, WithoutTheLibraryBothTablesSayNoTheme)
{
    for (TThemeApi* api : {&RidERAR(), &VUDEVA()}) {
        ExpectEmpty(*api);
        EXPECT_EQ(api->IsThemeActive(), 0);
        EXPECT_EQ(api->OpenThemeData(1, "button"), 0u);
        EXPECT_EQ(api->DrawThemeBackground(0, nullptr, 1, 1, TRect(0, 0, 5, 5), nullptr), E_FAIL);
        QString file = "x", color = "x", size = "x";
        EXPECT_EQ(api->GetCurrentThemeName(file, color, size), E_FAIL);
        EXPECT_TRUE(color.isEmpty());
    }
    EXPECT_FALSE(IsThemeActive());
}

TEST(ThemeApi, ALibraryWithEveryEntryPointFillsEverySlot)
{
    const std::map<QString, FARPROC> exports = AllExports();
    RegisterModule(ThemeLibraryName, exports);
    TThemeApi api;
    api.Load();
    ASSERT_TRUE(api.Loaded());
    for (int i = 0; i < ThemeApiSlotCount; ++i)
        EXPECT_EQ(api.Slot(i), exports.at(ThemeApiNames[size_t(i)])) << ThemeApiNames[size_t(i)];

    gCalls.clear();
    EXPECT_EQ(api.IsThemeActive(), 1);
    const HTHEME theme = api.OpenThemeData(5, "combobox");
    api.DrawThemeBackground(theme, nullptr, 1, 4, TRect(0, 0, 17, 10), nullptr);
    api.CloseThemeData(theme);
    EXPECT_EQ(gCalls, (QStringList{"open 5 combobox", "draw 77 1 4 17", "close 77"}));
    QString file, color, size;
    EXPECT_EQ(api.GetCurrentThemeName(file, color, size), S_OK);
    EXPECT_EQ(color, "Metallic");

    // Loading twice keeps one hold on the library; unloading lets it go and empties the table.
    api.Load();
    api.Unload();
    ExpectEmpty(api);
    EXPECT_EQ(api.OpenThemeData(5, "button"), 0u);
    const HMODULE probe = LoadLibrary(ThemeLibraryName);
    EXPECT_TRUE(FreeLibrary(probe));
    EXPECT_FALSE(FreeLibrary(probe)) << "the table still held the library";
    UnregisterModule(ThemeLibraryName);
}

TEST(ThemeApi, ALibraryMissingAnEntryPointCountsAsMissing)
{
    std::map<QString, FARPROC> exports = AllExports();
    exports.erase("GetThemeFont");
    RegisterModule(ThemeLibraryName, exports);
    TThemeApi api;
    api.Load();
    ExpectEmpty(api);
    EXPECT_EQ(api.IsThemeActive(), 0);
    const HMODULE probe = LoadLibrary(ThemeLibraryName);
    EXPECT_TRUE(FreeLibrary(probe));
    EXPECT_FALSE(FreeLibrary(probe)) << "the failed load kept the library";
    UnregisterModule(ThemeLibraryName);
}
