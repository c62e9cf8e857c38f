// The office theme as the registry and the Windows visual style tell it.
#include "grid/base/Looks.h"

#include "OfficeRegistry.h"
#include "grid/base/ThemeApi.h"
#include "platform/system/Modules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace officetest;

namespace
{

const QString Common14 = Office2010CommonKey;
const QString Common12 = Office2007CommonKey;

class OfficeTheme : public ::testing::Test
{
  protected:
    void SetUp() override { ClearOfficeKeys(); }
    void TearDown() override { ClearOfficeKeys(); }
};

} // namespace

TEST_F(OfficeTheme, RegistryValuesChooseTheTheme)
{
    struct Case {
        const char* name;
        std::function<void()> write;
        int kind;
        TOfficeTheme theme;
    };
    const Case cases[] = {
        {"no office keys", [] {}, 0, ot2003Classic},
        {"2010 theme 1", [] { WriteTheme(Common14, 1); }, 0, ot2010Blue},
        {"2010 theme 2", [] { WriteTheme(Common14, 2); }, 0, ot2010Silver},
        {"2010 theme 3", [] { WriteTheme(Common14, 3); }, 0, ot2010Black},
        {"2010 theme 5", [] { WriteTheme(Common14, 5); }, 0, ot2003Blue},
        {"2007 theme 3", [] { WriteTheme(Common12, 3); }, 0, ot2007Black},
        {"2007 theme 1", [] { WriteTheme(Common12, 1); }, 0, ot2007Blue},
        {"2007 theme 9", [] { WriteTheme(Common12, 9); }, 0, ot2003Blue},
        {"2010 key without a theme, 2007 theme 2",
         [] {
             CreateKey(Common14);
             WriteTheme(Common12, 2);
         },
         0, ot2007Silver},
        {"2010 theme wins over 2007",
         [] {
             WriteTheme(Common14, 1);
             WriteTheme(Common12, 3);
         },
         0, ot2010Blue},
        {"2010 theme not a number",
         [] {
             TRegistry r;
             r.OpenKey(Common14, true);
             r.WriteString("Theme", "abc");
         },
         0, ot2003Classic},
        {"2010 General key", [] { CreateKey(Common14 + "\\General"); }, 2, ot2003Classic},
        {"2007 General key", [] { CreateKey(Common12 + "\\General"); }, 1, ot2003Classic},
        {"both General keys",
         [] {
             CreateKey(Common12 + "\\General");
             CreateKey(Common14 + "\\General");
         },
         2, ot2003Classic},
    };
    for (const Case& c : cases) {
        ClearOfficeKeys();
        c.write();
        EXPECT_EQ(GetOfficeVersionKind(), c.kind) << c.name;
        EXPECT_EQ(CurrentOfficeTheme(), c.theme) << c.name;
    }
}

TEST_F(OfficeTheme, ReadingTheThemeValueLeavesTheAccessorClosed)
{
    TRegistry reg;
    EXPECT_EQ(ReadOfficeThemeValue(reg, Common14), -1);
    WriteTheme(Common14, 2);
    EXPECT_EQ(ReadOfficeThemeValue(reg, Common14), 2);
    EXPECT_FALSE(reg.HasOpenKey());
}

// ---- The Windows colour scheme, through a stand-in visual-styles library ---------------------------------

namespace
{

int32_t gThemeActive = 1;
const char16_t* gColorName = u"";

int32_t FakeIsThemeActive()
{
    return gThemeActive;
}

HRESULT FakeThemeName(char16_t* file, int fileChars, char16_t* color, int colorChars, char16_t*, int)
{
    std::char_traits<char16_t>::copy(file, u"luna.msstyles", std::min(fileChars, 14));
    const size_t n = std::char_traits<char16_t>::length(gColorName) + 1;
    std::char_traits<char16_t>::copy(color, gColorName, std::min<size_t>(n, size_t(colorChars)));
    return S_OK;
}

} // namespace

TEST_F(OfficeTheme, WithoutOfficeTheVisualStyleColourDecides)
{
    EXPECT_EQ(GetXPColorScheme(), 0) << "no visual-styles library";

    RegisterModule("uxtheme.dll", {{"IsThemeActive", reinterpret_cast<FARPROC>(&FakeIsThemeActive)},
                                   {"GetCurrentThemeName", reinterpret_cast<FARPROC>(&FakeThemeName)}});
    struct Case {
        const char16_t* color;
        int32_t active;
        int scheme;
        TOfficeTheme theme;
    };
    const Case cases[] = {
        {u"NormalColor", 1, 1, ot2003Blue},    {u"HomeStead", 1, 2, ot2003Olive},
        {u"Metallic", 1, 3, ot2003Silver},     {u"Normal", 1, 1, ot2003Blue},
        {u"Royale", 1, 0, ot2003Classic},      {u"", 1, 0, ot2003Classic},
        {u"NormalColor", 0, 0, ot2003Classic},
    };
    for (const Case& c : cases) {
        gColorName = c.color;
        gThemeActive = c.active;
        const QString name = QString::fromUtf16(c.color);
        EXPECT_EQ(GetXPColorScheme(), c.scheme) << name.toStdString() << " active " << c.active;
        EXPECT_EQ(CurrentOfficeTheme(), c.theme) << name.toStdString();
    }
    // The library is freed after each question.
    const HMODULE h = LoadLibrary("uxtheme.dll");
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_FALSE(FreeLibrary(h));
    UnregisterModule("uxtheme.dll");
}
