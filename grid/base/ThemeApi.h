// The visual-styles library, bound at run time so the program starts where it is missing.
//
// Two tables bind it independently: RidERAR() serves the glyph button, the check box, the mini-HTML
// renderer, the cell controls and the drawing helpers; VUDEVA() the drop-down edits. Each loads
// before its first use and unloads at exit. Load takes the library and looks up all 45 entry points
// in ThemeApiNames' order; a missing library, or a library lacking any of them, leaves the table not
// loaded with every slot empty. On Linux no visual-styles library exists, so both stay not loaded:
// the wrappers answer "no theme" and every caller draws its classic look.
//
// The themed path of a caller, in order: its own platform test, IsThemeActive() non-zero, then
// OpenThemeData on a window with a class name ("button", "combobox", "spin"), DrawThemeBackground
// with part and state numbers, CloseThemeData.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/core/HResult.h"
#include "platform/graphics/Canvas.h"
#include "platform/system/Modules.h"

#include <QString>
#include <array>
#include <cstdint>

using HTHEME = uintptr_t; // 0 = none

// Signatures of the entry points the program calls (strings are UTF-16).
using TOpenThemeData = HTHEME (*)(HWND Wnd, const char16_t* ClassList);
using TCloseThemeData = HRESULT (*)(HTHEME Theme);
using TDrawThemeBackground = HRESULT (*)(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* R,
                                         const TRect* Clip);
using TIsThemeActive = int32_t (*)();
using TGetCurrentThemeName = HRESULT (*)(char16_t* FileName, int MaxFileNameChars, char16_t* ColorName,
                                         int MaxColorChars, char16_t* SizeName, int MaxSizeChars);

constexpr const char* ThemeLibraryName = "UXTHEME.DLL";
constexpr int ThemeApiSlotCount = 45;
// The library's exports, in loading order.
extern const std::array<const char*, ThemeApiSlotCount> ThemeApiNames;

class TThemeApi
{
  public:
    TThemeApi() = default;
    ~TThemeApi() { Unload(); }
    TThemeApi(const TThemeApi&) = delete;
    TThemeApi& operator=(const TThemeApi&) = delete;

    // Nothing when already loaded.
    void Load();
    // Frees the library and empties the table.
    void Unload();
    bool Loaded() const { return FLoaded; }
    // The entry point of ThemeApiNames[Index]; nullptr while not loaded.
    FARPROC Slot(int Index) const;

    // Not loaded: 0.
    HTHEME OpenThemeData(HWND Wnd, const QString& ClassList) const;
    // Not loaded: E_FAIL.
    HRESULT CloseThemeData(HTHEME Theme) const;
    HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect& R,
                                const TRect* Clip) const;
    // Not loaded: 0.
    int32_t IsThemeActive() const;
    // Not loaded: E_FAIL and the three names empty.
    HRESULT GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName) const;

  private:
    FARPROC SlotOf(const char* Name) const;

    bool FLoaded = false;
    HMODULE FModule = 0;
    std::array<FARPROC, ThemeApiSlotCount> FSlots{};
};

// The two tables, each loaded on first use.
TThemeApi& RidERAR();
TThemeApi& VUDEVA();

// GetCurrentThemeName's call with three buffers of 255 characters, as the look code makes it.
HRESULT CallGetCurrentThemeName(TGetCurrentThemeName Proc, QString& FileName, QString& ColorName,
                                QString& SizeName);
