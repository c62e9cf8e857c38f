// Small in-cell control parts in their four looks, transparent bitmaps and the layered-window calls.
#include "grid/base/DrawHelpers.h"

#include "grid/base/DrawHelpersInternal.h"
#include "grid/base/ThemeApi.h"
#include "platform/graphics/ClassicDraw.h"

using namespace drawhelpers;

namespace
{

// Theme part and state numbers.
constexpr int BP_PUSHBUTTON = 1;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int SPNP_UP = 1;
constexpr int SPNP_DOWN = 2;
constexpr int ThemeStateNormal = 1;
constexpr int ThemeStateHot = 2;
constexpr int ThemeStatePressed = 3;
constexpr int ThemeStateDisabled = 4;

// The look actually drawn: the themed one only while the theme library is there and active;
// otherwise the classic one. -1 for a look that draws nothing.
int EffectiveLook(int look)
{
    if (look < PartLookThemed || look > PartLookColored)
        return -1;
    if (look == PartLookThemed && !(RidERAR().Loaded() && RidERAR().IsThemeActive() != 0))
        return PartLookClassic;
    return look;
}

const TColorTone& ToneOf(const TColorTones& tones, int state)
{
    switch (state) {
    case PartStateHot:
        return tones.Hover;
    case PartStatePressed:
        return tones.Selected;
    case PartStateDisabled:
        return tones.Disabled;
    default:
        return tones.Background;
    }
}

// Draws one themed part of the window's theme class.
void DrawThemed(TCanvas* canvas, HWND wnd, const QString& themeClass,
                std::initializer_list<std::tuple<int, int, TRect>> parts)
{
    const TThemeApi& api = RidERAR();
    const HTHEME theme = api.OpenThemeData(wnd, themeClass);
    for (const auto& [part, state, r] : parts)
        api.DrawThemeBackground(theme, canvas, part, state, r, nullptr);
    api.CloseThemeData(theme);
}

void FilledTriangle(TCanvas* canvas, TColor color, TPoint a, TPoint b, TPoint c)
{
    color = ColorToRGB(color);
    if (color == clNone)
        return;
    SetSolid(canvas, color);
    canvas->Polygon({a, b, c});
}

} // namespace

void DrawButtonFace(TCanvas* Canvas, HWND Wnd, const TRect& R, int Look, int State, const TColorTones& Tones)
{
    static constexpr uint32_t Classic[] = {0x10, 0x1010, 0x210, 0x110};
    static constexpr uint32_t Flat[] = {0x4010, 0x5010, 0x4210, 0x4110};
    static constexpr int Themed[] = {ThemeStateNormal, ThemeStateHot, ThemeStatePressed, ThemeStateDisabled};
    const int s = State >= PartStateNormal && State <= PartStateDisabled ? State : PartStateNormal;
    switch (EffectiveLook(Look)) {
    case PartLookThemed:
        DrawThemed(Canvas, Wnd, QStringLiteral("button"), {{BP_PUSHBUTTON, Themed[s], R}});
        break;
    case PartLookClassic:
        DrawFrameControl(Canvas, R, DFC_BUTTON, Classic[s]);
        break;
    case PartLookFlat:
        DrawFrameControl(Canvas, R, DFC_BUTTON, Flat[s]);
        break;
    case PartLookColored: {
        const TColorTone& tone = ToneOf(Tones, State);
        SetOutline(Canvas, tone.BrushColor, tone.BorderColor);
        Canvas->Rectangle(R);
        break;
    }
    default:
        break;
    }
}

void DrawComboButton(TCanvas* Canvas, HWND Wnd, const TRect& R, int Look, int State, const TColorTones& Tones)
{
    TRect b(R.Right - 17, R.Top + 1, R.Right, R.Bottom - 1);
    OffsetRect(b, -2, 0);
    const bool disabled = State == PartStateDisabled;
    switch (EffectiveLook(Look)) {
    case PartLookThemed:
        DrawThemed(Canvas, Wnd, QStringLiteral("combobox"),
                   {{CP_DROPDOWNBUTTON, disabled ? ThemeStateDisabled : ThemeStateNormal, b}});
        break;
    case PartLookClassic:
        DrawFrameControl(Canvas, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0));
        break;
    case PartLookFlat:
        DrawFrameControl(Canvas, b, DFC_SCROLL,
                         DFCS_FLAT | DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0));
        break;
    case PartLookColored: {
        b.Left += 3;
        const TColor face = ToneOf(Tones, State).BrushColor;
        SetOutline(Canvas, face, face);
        Canvas->Rectangle(b);
        if (PenLine(Canvas, Tones.Background.BorderColor))
            Line(Canvas, b.Left + 1, b.Top, b.Left + 1, b.Bottom);
        FilledTriangle(Canvas, Tones.Background.TextColor, TPoint(b.Left + 5, b.Top + 8),
                       TPoint(b.Left + 11, b.Top + 8), TPoint(b.Left + 8, b.Top + 11));
        break;
    }
    default:
        break;
    }
}

void DrawSpinButtons(TCanvas* Canvas, HWND Wnd, const TRect& R, int Look, int State, const TColorTones& Tones)
{
    TRect s(R.Right - 15, R.Top, R.Right, R.Bottom);
    OffsetRect(s, -1, -1);
    const int M = s.Top + s.Height() / 2;
    const TRect up(s.Left, s.Top, s.Right, M), down(s.Left, M + 1, s.Right, s.Bottom);
    const uint32_t inactive = State == PartStateDisabled ? DFCS_INACTIVE : 0;
    const int look = EffectiveLook(Look);
    switch (look) {
    case PartLookThemed: {
        const int state = State == PartStateDisabled ? ThemeStateDisabled : ThemeStateNormal;
        DrawThemed(Canvas, Wnd, QStringLiteral("spin"),
                   {{SPNP_UP, state, up}, {SPNP_DOWN, state, TRect(s.Left, M, s.Right, s.Bottom)}});
        break;
    }
    case PartLookClassic:
    case PartLookFlat: {
        const uint32_t flat = look == PartLookFlat ? DFCS_FLAT : 0;
        DrawFrameControl(Canvas, up, DFC_SCROLL, flat | DFCS_SCROLLUP | inactive);
        DrawFrameControl(Canvas, down, DFC_SCROLL, flat | DFCS_SCROLLDOWN | inactive);
        break;
    }
    case PartLookColored: {
        const TColor face = ToneOf(Tones, State).BrushColor;
        SetOutline(Canvas, face, face);
        Canvas->Rectangle(up);
        Canvas->Rectangle(down);
        const int l = s.Left, t = s.Top, d = M + 1;
        FilledTriangle(Canvas, clBlack, TPoint(l + 5, t + 5), TPoint(l + 9, t + 5), TPoint(l + 7, t + 3));
        FilledTriangle(Canvas, clBlack, TPoint(l + 5, d + 1), TPoint(l + 9, d + 1), TPoint(l + 7, d + 3));
        break;
    }
    default:
        break;
    }
}

void DrawDropTriangle(TCanvas* Canvas, int X, int Y, TColor Color)
{
    FilledTriangle(Canvas, Color, TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3));
}

// ---- Bitmaps ------------------------------------------------------------------------------------------

void DrawTransparentBitmap(TCanvas* Canvas, const TBitmap* Bitmap, TColor BackgroundColor, const TRect& R)
{
    if (!Bitmap || Bitmap->Empty())
        return;
    QImage image = Bitmap->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, 0) | 0xFF000000u;
    const TColor background = ColorToRGB(BackgroundColor);
    // Without a background colour the key pixels are left out.
    const QRgb replacement = background == clNone ? 0u : ColorToQColor(background).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = replacement;
    }
    Canvas->DrawImage(Bounds(R.Left, R.Top, image.width(), image.height()), image,
                      TRect(0, 0, image.width(), image.height()));
}

void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const QString& Name)
{
    TBitmap bitmap;
    bitmap.Assign(LoadResourceImage(Name));
    DrawTransparentBitmap(Canvas, &bitmap, BackgroundColor, R);
}

// ---- Layered windows ----------------------------------------------------------------------------------

bool UpdateLayeredWindowDyn(HWND Wnd, HDC DstDC, const TPoint* DstPoint, const TSize* Size, HDC SrcDC,
                            const TPoint* SrcPoint, TColor Key, const BLENDFUNCTION* Blend, uint32_t Flags)
{
    return UpdateLayeredWindow(Wnd, DstDC, DstPoint, Size, SrcDC, SrcPoint, Key, Blend, Flags);
}

bool SetLayeredWindowAttributesDyn(HWND Wnd, TColor Key, uint8_t Alpha, uint32_t Flags)
{
    return SetLayeredWindowAttributes(Wnd, Key, Alpha, Flags);
}
