// Colours and geometry of the toolkit layer: TColor (0x00BBGGRR, red in the low byte), the system
// colours 0xFF0000nn resolved through one fixed table (so that drawing is the same on every machine
// and in every test), and TPoint/TRect with exclusive right and bottom edges.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <cstdint>

// ---- Colours ----------------------------------------------------------------------------------

using TColor = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;    // draws nothing
constexpr TColor clDefault = 0x20000000; // "the control's own default"

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// System colours: 0xFF000000 + the index into the system colour table.
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clActiveCaption = 0xFF000002;
constexpr TColor clInactiveCaption = 0xFF000003;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clCaptionText = 0xFF000009;
constexpr TColor clActiveBorder = 0xFF00000A;
constexpr TColor clInactiveBorder = 0xFF00000B;
constexpr TColor clAppWorkSpace = 0xFF00000C;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clInactiveCaptionText = 0xFF000013;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clInfoText = 0xFF000017;
constexpr TColor clInfoBk = 0xFF000018;
constexpr TColor clHotLight = 0xFF00001A;
constexpr TColor clGradientActiveCaption = 0xFF00001B;
constexpr TColor clGradientInactiveCaption = 0xFF00001C;
constexpr TColor clMenuHighlight = 0xFF00001D;
constexpr TColor clMenuBar = 0xFF00001E;

// Index form of the system colours (GetSysColor arguments).
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;

// The fixed system colour table (0x00BBGGRR); an index outside 0..30 gives black.
TColor GetSysColor(int index);

// A system colour becomes its table value; any other value comes back unchanged (clNone too).
TColor ColorToRGB(TColor color);

inline constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
inline constexpr uint8_t GetRValue(TColor c)
{
    return uint8_t(c & 0xFF);
}
inline constexpr uint8_t GetGValue(TColor c)
{
    return uint8_t((c >> 8) & 0xFF);
}
inline constexpr uint8_t GetBValue(TColor c)
{
    return uint8_t((c >> 16) & 0xFF);
}

// Opaque QColor of a colour (system colours resolved); clNone gives a fully transparent colour.
QColor ColorToQColor(TColor color);
// 0x00BBGGRR of a QColor (alpha dropped).
TColor QColorToColor(const QColor& color);

// ---- Geometry ---------------------------------------------------------------------------------

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    QPoint ToQPoint() const { return QPoint(X, Y); }
    static TPoint FromQPoint(const QPoint& p) { return TPoint(p.x(), p.y()); }
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive, as in the toolkit: Rect(0, 0, 10, 10) covers 10 x 10 pixels.
// QRect's right()/bottom() are inclusive; the conversion lives here and nowhere else.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TRect(TPoint topLeft, TPoint bottomRight)
        : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y)
    {
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const
    {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }

    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r)
    {
        return TRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

inline constexpr TPoint Point(int x, int y)
{
    return TPoint(x, y);
}
inline constexpr TRect Rect(int l, int t, int r, int b)
{
    return TRect(l, t, r, b);
}
inline constexpr TRect Bounds(int l, int t, int w, int h)
{
    return TRect(l, t, l + w, t + h);
}

// The window API's rectangle helpers, with its results.
inline void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Top += dy;
    r.Right += dx;
    r.Bottom += dy;
}
inline bool PtInRect(const TRect& r, TPoint p)
{
    return r.Contains(p);
}
inline bool IsRectEmpty(const TRect& r)
{
    return r.IsEmpty();
}
// Empty result (all zero) when the rectangles do not overlap; returns whether they do.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
// The bounding rectangle; an empty rectangle takes no part.
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);
