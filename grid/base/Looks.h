// The look vocabulary of the grid family and the office colour theme.
//
// A control of the family takes a look (TQelStyle) or a colour set (TColorTones) through the two
// interfaces below; callers find them on a control with dynamic_cast. The drawing helpers take
// TColorTones. CurrentOfficeTheme tells which office colour theme the user runs, from the office
// keys of the registry, else from the Windows visual style; the string grid follows it when its
// automatic theme adaptation is on.
#pragma once

#include "platform/graphics/Colors.h"

#include <QString>
#include <cstdint>

class TRegistry;

// Names and order are those of the stored form format.
enum TQelStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black
};

enum TOfficeTheme {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    otUnknown
};

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// A control that takes one of the family's looks.
class IQelStyle
{
  public:
    static constexpr const char* IID = "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";
    virtual ~IQelStyle() = default;
    virtual void SetComponentStyle(TQelStyle AStyle) = 0;
};

// A control that takes a colour set.
class IQelTones
{
  public:
    static constexpr const char* IID = "{1F492643-6699-4F25-8B34-3233FA735036}";
    virtual ~IQelTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// ---- Platform tests of the look code ----------------------------------------------------------------

bool IsWindowsXPOrLater();
bool IsVistaOrLater();
bool IsComCtlVersion6();
// "Segoe UI" from Vista on, else "Tahoma".
QString GetDefaultFontName();
// The visual style's colour scheme: 0 none or another, 1 blue, 2 olive, 3 silver.
int GetXPColorScheme();

// ---- Office colour theme ----------------------------------------------------------------------------

// Keys under the current user.
constexpr const char* Office2010CommonKey = "Software\\Microsoft\\Office\\14.0\\Common";
constexpr const char* Office2007CommonKey = "Software\\Microsoft\\Office\\12.0\\Common";

// 2 when office 2010's "General" key exists, else 1 for office 2007's, else 0.
int GetOfficeVersionKind();
// The integer "Theme" of Key, or -1 when the key or the value is missing. A value that is not an
// integer reads as missing too: a broken key must not break the grid's painting.
int ReadOfficeThemeValue(TRegistry& Registry, const QString& Key);
// The office theme: office 2010's setting, else office 2007's, else the Windows colour scheme.
// Never otUnknown.
TOfficeTheme CurrentOfficeTheme();
