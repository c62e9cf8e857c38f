// Drawing and text routines of the drop-down unit, shared by the drop-down edit, its button and
// window, the header and footer strips and the pickers. They keep no state and leave the canvas's
// pen, brush and font changed. DrawGradientBands is the foundation's (grid/base/DrawHelpers.h).
#pragma once

#include "grid/base/DrawHelpers.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImgList.h"

#include <QString>

// Direction of the drop-down family's gradients: gdHorizontal runs across the width.
enum TGradientDirection { gdHorizontal, gdVertical };

// Per channel: a non-zero channel becomes rnd(min(100, Delta + 100) x channel / 100), half to even;
// a zero channel becomes max(0, Delta).
TColor ShadeColor(TColor Color, int DeltaRed, int DeltaGreen, int DeltaBlue);
// Nothing without a canvas. ColorTo set: 80 bands from Color to ColorTo (across the width for
// gdHorizontal); else Color set: a solid fill. Then, with BorderColor set and BorderWidth > 0, a
// frame with a pen of that width.
void DrawBackgroundRect(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo,
                        TGradientDirection Direction, int BorderWidth, TColor BorderColor);
// With ImageIndex >= 0 and Images: the image at R.Left + 4, vertically centred, and the text from
// R.Left + image width + 8; the text single line, vertically centred, with an end ellipsis, centred
// horizontally only when no image was drawn.
void DrawImageAndText(TCanvas* Canvas, const TRect& R, const QString& Text, int ImageIndex,
                      const TImageList* Images);
// The bitmap into R, every pixel of the colour of its top-left pixel replaced by BackColor.
void DrawTransparentGlyph(TCanvas* Canvas, const TBitmap* Bitmap, TColor BackColor, const TRect& R);
// Width (X) and height (Y) of Text on one line; (0, 0) for an empty text.
TPoint GetTextSize(TCanvas* Canvas, const QString& Text);
// Text when it is at most MaxWidth wide; else the longest head of it (with "..." when Ellipsis)
// narrower than MaxWidth; Text itself when not even one character fits.
QString TruncateText(TCanvas* Canvas, const QString& Text, int MaxWidth, bool Ellipsis);
// Width (X) and height (Y) of a mini-HTML text laid out in R.
TPoint GetHTMLTextSize(TCanvas* Canvas, const QString& Text, const TRect& R, TImageList* Images);
// Text when KeepCase, else its upper-case form.
QString CaseText(const QString& Text, bool KeepCase);
// Percent 100 or more gives Color1, 0 or less Color2; else per channel p x Color1 + (1 - p) x
// Color2 rounded to the nearest, p = Percent / 100.
TColor BlendColors(TColor Color1, TColor Color2, int Percent);
