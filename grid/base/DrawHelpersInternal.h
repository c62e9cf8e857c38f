// Small steps shared by the drawing helpers and the cell painters; not for other callers.
#pragma once

#include "platform/graphics/Canvas.h"

#include <vector>

namespace drawhelpers
{

// Nearest integer, halves to even.
int Rnd(double x);
// Solid pen of width 1 and solid brush in one colour (already resolved).
void SetSolid(TCanvas* canvas, TColor color);
// r filled with pen and brush in the colour; nothing for clNone.
void FillSolid(TCanvas* canvas, const TRect& r, TColor color);
// Brush and pen for a shape; a clNone colour clears the brush or the pen.
void SetOutline(TCanvas* canvas, TColor brush, TColor pen);
// A solid 1-pixel pen in the colour; false (pen unchanged) for clNone.
bool PenLine(TCanvas* canvas, TColor color);
// From (x1, y1) up to, not including, (x2, y2).
void Line(TCanvas* canvas, int x1, int y1, int x2, int y2);

// Fills collected for one TCanvas::FillRects call: a gradient or a selection piece is drawn at once.
using TFills = std::vector<TCanvas::TColorFill>;
// The fills DrawGradient makes, without the bands that miss `visible`; returns the colour the pen and
// brush are left in (clNone when nothing is drawn).
TColor AppendGradient(TFills& out, TColor from, TColor to, int steps, TRect r, bool horizontal,
                      const TRect& visible);
// A horizontal or vertical line as LineTo draws it with a 1-pixel pen; nothing for clNone.
void AppendLine(TFills& out, TColor color, int x1, int y1, int x2, int y2);

} // namespace drawhelpers
