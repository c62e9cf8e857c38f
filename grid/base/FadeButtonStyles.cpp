// The data of the push button: its stock kinds and its colour presets.
#include "grid/base/FadeButton.h"

#include <iterator>

namespace
{

constexpr TFadeButtonKindInfo KindTable[] = {
    {bkCustom, mrNone, "", ""},
    {bkOK, mrOk, "LBOK", "OK"},
    {bkCancel, mrCancel, "LBCANCEL", "Abbrechen"},
    {bkHelp, mrNone, "LBHELP", "Hilfe"},
    {bkYes, mrYes, "LBYES", "Ja"},
    {bkNo, mrNo, "LBNO", "Nein"},
    {bkClose, mrNone, "LBCLOSE", "Schließen"},
    {bkAbort, mrAbort, "LBABORT", "Abbrechen"},
    {bkRetry, mrRetry, "LBRETRY", "Wiederholen"},
    {bkIgnore, mrIgnore, "LBIGNORE", "Ignorieren"},
    {bkAll, mrKindAll, "LBALL", "Alle"},
};
static_assert(std::size(KindTable) == size_t(bkAll) + 1);

constexpr TFadeColorStyleColors ColorStyleTable[] = {
    //  style           Color       Light     Shadow    WhenDown  HotTrack  Font     Flat   Style
    {lcsCustom, clBtnFace, clWhite, clGray, clNone, clNone, clBlack, false, bsNormal},
    {lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, clBlack, false, bsModern},
    {lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, clBlack, false, bsModern},
    {lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, clBlack, false, bsModern},
    {lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, clBlack, false, bsModern},
    {lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, clBlack, true, bsNormal},
    {lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, clBlack, true, bsNormal},
    {lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, clBlack, true, bsNormal},
    {lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, clBlack, false, bsModern},
    {lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, clBlack, false, bsNormal},
    {lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, clWhite, false, bsQuicken},
};
static_assert(std::size(ColorStyleTable) == size_t(lcsQuicken) + 1);

} // namespace

const TFadeButtonKindInfo& FadeButtonKindInfo(TFadeButtonKind kind)
{
    const size_t i = size_t(kind);
    return KindTable[i < std::size(KindTable) ? i : 0];
}

bool GetFadeColorStyleColors(TFadeColorStyle style, TFadeColorStyleColors& colors)
{
    const size_t i = size_t(style);
    if (style == lcsCustom || i >= std::size(ColorStyleTable))
        return false;
    colors = ColorStyleTable[i];
    return true;
}
