#include "grid/base/ThemeApi.h"

#include <algorithm>
#include <cstring>

const std::array<const char*, ThemeApiSlotCount> ThemeApiNames = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeText",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeBackgroundRegion",
    "HitTestThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeString",
    "GetThemeBool",
    "GetThemeInt",
    "GetThemeEnumValue",
    "GetThemePosition",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemeMargins",
    "GetThemeIntList",
    "SetWindowTheme",
    "GetThemeFilename",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysBool",
    "GetThemeSysSize",
    "GetThemeSysFont",
    "GetThemeSysString",
    "GetThemeSysInt",
    "IsThemeActive",
    "IsAppThemed",
    "GetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "DrawThemeParentBackground",
    "EnableTheming",
};

void TThemeApi::Load()
{
    if (FLoaded)
        return;
    const HMODULE module = LoadLibrary(QString::fromLatin1(ThemeLibraryName));
    if (module == 0)
        return;
    std::array<FARPROC, ThemeApiSlotCount> found{};
    for (int i = 0; i < ThemeApiSlotCount; ++i) {
        found[size_t(i)] = GetProcAddress(module, QString::fromLatin1(ThemeApiNames[size_t(i)]));
        if (!found[size_t(i)]) {
            // A library without one of the entry points counts as missing.
            FreeLibrary(module);
            return;
        }
    }
    FModule = module;
    FSlots = found;
    FLoaded = true;
}

void TThemeApi::Unload()
{
    if (!FLoaded)
        return;
    FreeLibrary(FModule);
    FModule = 0;
    FSlots = {};
    FLoaded = false;
}

FARPROC TThemeApi::Slot(int Index) const
{
    return Index >= 0 && Index < ThemeApiSlotCount ? FSlots[size_t(Index)] : nullptr;
}

FARPROC TThemeApi::SlotOf(const char* Name) const
{
    const auto it = std::find_if(ThemeApiNames.begin(), ThemeApiNames.end(),
                                 [Name](const char* n) { return std::strcmp(n, Name) == 0; });
    return FSlots[size_t(it - ThemeApiNames.begin())];
}

HTHEME TThemeApi::OpenThemeData(HWND Wnd, const QString& ClassList) const
{
    if (!FLoaded)
        return 0;
    return ProcAs<TOpenThemeData>(SlotOf("OpenThemeData"))(
        Wnd, reinterpret_cast<const char16_t*>(ClassList.utf16()));
}

HRESULT TThemeApi::CloseThemeData(HTHEME Theme) const
{
    if (!FLoaded)
        return E_FAIL;
    return ProcAs<TCloseThemeData>(SlotOf("CloseThemeData"))(Theme);
}

HRESULT TThemeApi::DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect& R,
                                       const TRect* Clip) const
{
    if (!FLoaded)
        return E_FAIL;
    return ProcAs<TDrawThemeBackground>(SlotOf("DrawThemeBackground"))(Theme, DC, PartId, StateId, &R, Clip);
}

int32_t TThemeApi::IsThemeActive() const
{
    if (!FLoaded)
        return 0;
    return ProcAs<TIsThemeActive>(SlotOf("IsThemeActive"))();
}

HRESULT TThemeApi::GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName) const
{
    if (!FLoaded) {
        FileName.clear();
        ColorName.clear();
        SizeName.clear();
        return E_FAIL;
    }
    return CallGetCurrentThemeName(ProcAs<TGetCurrentThemeName>(SlotOf("GetCurrentThemeName")), FileName,
                                   ColorName, SizeName);
}

HRESULT CallGetCurrentThemeName(TGetCurrentThemeName Proc, QString& FileName, QString& ColorName,
                                QString& SizeName)
{
    constexpr int Chars = 255;
    char16_t file[Chars + 1] = {}, color[Chars + 1] = {}, size[Chars + 1] = {};
    const HRESULT result = Proc(file, Chars, color, Chars, size, Chars);
    FileName = QString::fromUtf16(file);
    ColorName = QString::fromUtf16(color);
    SizeName = QString::fromUtf16(size);
    return result;
}

namespace
{

// A table loaded at its first use and unloaded when the program ends.
TThemeApi& LoadedTable(TThemeApi& table)
{
    table.Load();
    return table;
}

} // namespace

TThemeApi& RidERAR()
{
    static TThemeApi table;
    static TThemeApi& loaded = LoadedTable(table);
    return loaded;
}

TThemeApi& VUDEVA()
{
    static TThemeApi table;
    static TThemeApi& loaded = LoadedTable(table);
    return loaded;
}
