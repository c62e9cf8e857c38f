#include "grid/base/Looks.h"

#include "grid/base/ThemeApi.h"
#include "platform/system/Registry.h"
#include "platform/system/SysInfo.h"

bool IsWindowsXPOrLater()
{
    return Win32MajorVersion > 5 || (Win32MajorVersion == 5 && Win32MinorVersion >= 1);
}

bool IsVistaOrLater()
{
    return KernelHasLocaleNameApi;
}

bool IsComCtlVersion6()
{
    return ComCtlMajorVersion > 5;
}

QString GetDefaultFontName()
{
    return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

namespace
{

// The colour scheme of the theme library's current theme; 0 when it cannot tell.
int ColorSchemeOf(HMODULE library)
{
    const auto isThemeActive =
        ProcAs<TIsThemeActive>(GetProcAddress(library, QStringLiteral("IsThemeActive")));
    if (!isThemeActive || isThemeActive() == 0 || !IsComCtlVersion6())
        return 0;
    const auto getName =
        ProcAs<TGetCurrentThemeName>(GetProcAddress(library, QStringLiteral("GetCurrentThemeName")));
    if (!getName)
        return 0;
    QString file, color, size;
    CallGetCurrentThemeName(getName, file, color, size);
    // The standard colour names match whole; a shorter name matches a part of one.
    if (color.isEmpty())
        return 0;
    if (QStringLiteral("NormalColor").contains(color))
        return 1;
    if (QStringLiteral("HomeStead").contains(color))
        return 2;
    if (QStringLiteral("Metallic").contains(color))
        return 3;
    return 0;
}

} // namespace

int GetXPColorScheme()
{
    if (!IsWindowsXPOrLater())
        return 0;
    const HMODULE library = LoadLibrary(QStringLiteral("uxtheme.dll"));
    if (library == 0)
        return 0;
    const int scheme = ColorSchemeOf(library);
    FreeLibrary(library);
    return scheme;
}

int GetOfficeVersionKind()
{
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (registry.KeyExists(QString::fromLatin1(Office2010CommonKey) + QStringLiteral("\\General")))
        return 2;
    if (registry.KeyExists(QString::fromLatin1(Office2007CommonKey) + QStringLiteral("\\General")))
        return 1;
    return 0;
}

int ReadOfficeThemeValue(TRegistry& Registry, const QString& Key)
{
    int value = -1;
    if (Registry.KeyExists(Key) && Registry.OpenKeyReadOnly(Key)) {
        try {
            if (Registry.ValueExists(QStringLiteral("Theme")))
                value = Registry.ReadInteger(QStringLiteral("Theme"));
        } catch (const ERegistryException&) {
            value = -1;
        }
        Registry.CloseKey();
    }
    return value;
}

namespace
{

// The theme of an office "Theme" value: 1 blue, 2 silver, 3 black, anything else the 2003 blue.
TOfficeTheme ThemeOfValue(int value, TOfficeTheme blue)
{
    switch (value) {
    case 1:
        return blue;
    case 2:
        return TOfficeTheme(blue + 1);
    case 3:
        return TOfficeTheme(blue + 2);
    default:
        return ot2003Blue;
    }
}

} // namespace

TOfficeTheme CurrentOfficeTheme()
{
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (const int value = ReadOfficeThemeValue(registry, QString::fromLatin1(Office2010CommonKey));
        value != -1)
        return ThemeOfValue(value, ot2010Blue);
    if (const int value = ReadOfficeThemeValue(registry, QString::fromLatin1(Office2007CommonKey));
        value != -1)
        return ThemeOfValue(value, ot2007Blue);
    switch (GetXPColorScheme()) {
    case 1:
        return ot2003Blue;
    case 2:
        return ot2003Olive;
    case 3:
        return ot2003Silver;
    default:
        return ot2003Classic;
    }
}
