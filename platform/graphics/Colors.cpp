#include "platform/graphics/Colors.h"

#include <algorithm>
#include <array>

namespace
{

// One fixed table instead of the desktop's palette, so drawing never depends on the machine.
constexpr std::array<TColor, 31> SystemColors = {
    0xC8C8C8, //  0 scroll bar
    0x000000, //  1 desktop
    0xD1B499, //  2 active caption
    0xDBCDBF, //  3 inactive caption
    0xF0F0F0, //  4 menu
    0xFFFFFF, //  5 window
    0x646464, //  6 window frame
    0x000000, //  7 menu text
    0x000000, //  8 window text
    0x000000, //  9 caption text
    0xB4B4B4, // 10 active border
    0xFCF7F4, // 11 inactive border
    0xABABAB, // 12 application workspace
    0xD77800, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xF0F0F0, // 15 button face
    0xA0A0A0, // 16 button shadow
    0x6D6D6D, // 17 grey text
    0x000000, // 18 button text
    0x544E43, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x696969, // 21 3-D dark shadow
    0xE3E3E3, // 22 3-D light
    0x000000, // 23 info text
    0xE1FFFF, // 24 info background
    0x000000, // 25 (unused)
    0xCC6600, // 26 hot-tracked item
    0xEAD1B9, // 27 gradient of the active caption
    0xF2E4D7, // 28 gradient of the inactive caption
    0xFF9933, // 29 menu highlight
    0xF0F0F0, // 30 menu bar
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= int(SystemColors.size()))
        return clBlack;
    return SystemColors[size_t(index)];
}

TColor ColorToRGB(TColor color)
{
    if ((color & 0xFF000000) == clSystemColor)
        return GetSysColor(int(color & 0xFF));
    return color;
}

QColor ColorToQColor(TColor color)
{
    if (color == clNone)
        return QColor(0, 0, 0, 0);
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor QColorToColor(const QColor& color)
{
    return RGB(uint8_t(color.red()), uint8_t(color.green()), uint8_t(color.blue()));
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b)
{
    TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom));
    if (r.IsEmpty()) {
        dest = TRect();
        return false;
    }
    dest = r;
    return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b)
{
    if (a.IsEmpty()) {
        dest = b.IsEmpty() ? TRect() : b;
    } else if (b.IsEmpty()) {
        dest = a;
    } else {
        dest = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                     std::max(a.Bottom, b.Bottom));
    }
    return !dest.IsEmpty();
}
