// Free drawing routines of the grid family: colour arithmetic, band gradients, the styled selection
// piece, the parts of small in-cell controls, transparent bitmaps and the layered-window calls.
//
// They draw on a canvas the caller owns and leave its brush, pen and font changed. Every colour that
// is drawn is resolved to RGB first (system colours through the layer's table); clNone skips the fill
// or frame it was meant for. Rounding: rnd is half to even, trunc drops the fraction.
#pragma once

#include "grid/base/Looks.h"
#include "platform/controls/Controls.h"
#include "platform/controls/LayeredWindows.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"

#include <QString>

// ---- Colours ------------------------------------------------------------------------------------------

// Each channel halved.
TColor HalveColor(TColor Color);
// Each channel c becomes rnd(c + c x Percent / 100), kept to 0..255.
TColor AdjustColorBrightness(TColor Color, int Percent);
// "RRGGBB" of the value as it is (not resolved), upper case.
QString ColorToHexRGB(TColor Color);
// Per channel From + rnd((To - From) / (Max - Min) x Position). To = clNone, or Max = Min: From.
TColor InterpolateColor(TColor From, TColor To, int Min, int Max, int Position);

// ---- Gradients ----------------------------------------------------------------------------------------

// Steps + 1 bands from From to To across R (left to right when Horizontal, else top to bottom), the
// steps limited to the span in pixels. With one colour clNone, a solid fill in the other.
void DrawGradient(TCanvas* Canvas, TColor From, TColor To, int Steps, const TRect& R, bool Horizontal);
// Steps bands (0 taken as 1) of Color + i x (ColorTo - Color) / Steps, side by side when Horizontal,
// else stacked; band i starts at rnd(i x size / Steps) and is rnd(size / Steps) + 1 pixels thick,
// size being R's width (height) less 1.
void DrawGradientBands(TCanvas* Canvas, TColor Color, TColor ColorTo, bool Horizontal, const TRect& R,
                       int Steps);
// A gradient in two halves (Color to ColorTo, then MirrorColor to MirrorColorTo) when MirrorColor is
// set, else one gradient or a solid fill; then a frame, or with BorderSidesOnly the two side lines,
// in BorderColor.
void DrawMirrorGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                        TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool BorderSidesOnly,
                        bool Fill);

// Pieces of a styled selection run.
constexpr int SelectionPieceSingle = 0; // both ends rounded
constexpr int SelectionPieceLeft = 1;
constexpr int SelectionPieceRight = 2;
constexpr int SelectionPieceMiddle = 3;

// One piece of the rounded selection of the Vista, Windows 7 and Office 2007 looks.
void DrawStyledSelection(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor,
                         TColor MirrorColorTo, TColor InnerTopLineColor, TColor InnerBottomLineColor,
                         TColor BorderColor, TColor CornerAdjacentColor, TColor BackgroundColor,
                         const TRect& R, int Piece);

// ---- Control parts ------------------------------------------------------------------------------------

// Looks; any other value draws nothing. The themed look needs the theme table loaded and themes
// active; where they are not (always on Linux) it draws the classic look.
constexpr int PartLookThemed = 0;
constexpr int PartLookClassic = 1;
constexpr int PartLookFlat = 2;
constexpr int PartLookColored = 3;

// States; the coloured look takes Background, Hover, Selected and Disabled tones for them.
constexpr int PartStateNormal = 0;
constexpr int PartStateHot = 1;
constexpr int PartStatePressed = 2;
constexpr int PartStateDisabled = 3;

// Wnd is the window whose theme the themed look opens.
void DrawButtonFace(TCanvas* Canvas, HWND Wnd, const TRect& R, int Look, int State, const TColorTones& Tones);
// The drop button at R's right edge.
void DrawComboButton(TCanvas* Canvas, HWND Wnd, const TRect& R, int Look, int State,
                     const TColorTones& Tones);
// The up and down buttons at R's right edge.
void DrawSpinButtons(TCanvas* Canvas, HWND Wnd, const TRect& R, int Look, int State,
                     const TColorTones& Tones);
// A filled triangle (X - 3, Y), (X + 3, Y), (X, Y + 3).
void DrawDropTriangle(TCanvas* Canvas, int X, int Y, TColor Color);

// ---- Bitmaps ------------------------------------------------------------------------------------------

// The bitmap at R's top-left in its own size, pixels of the colour of its pixel (0, 0) replaced by
// BackgroundColor.
void DrawTransparentBitmap(TCanvas* Canvas, const TBitmap* Bitmap, TColor BackgroundColor, const TRect& R);
// The same with a named image; raises EResNotFound "Resource NAME not found".
void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const QString& Name);

// ---- Layered windows ----------------------------------------------------------------------------------

// The platform calls, and their results.
bool UpdateLayeredWindowDyn(HWND Wnd, HDC DstDC, const TPoint* DstPoint, const TSize* Size, HDC SrcDC,
                            const TPoint* SrcPoint, TColor Key, const BLENDFUNCTION* Blend, uint32_t Flags);
bool SetLayeredWindowAttributesDyn(HWND Wnd, TColor Key, uint8_t Alpha, uint32_t Flags);
