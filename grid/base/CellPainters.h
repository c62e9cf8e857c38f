// Painters of the grid's graphic cells: progress bar, XP-style progress bar, progress pie, range
// indicator, shapes (rating stars among them) and the red underline of an error range in a text.
//
// The string grid's cell painter and its print engine call them with a rectangle already reduced by
// the cell margins. They leave the canvas's brush, pen and font changed. Colours are resolved to RGB;
// rnd is half to even, div truncates toward zero.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/graphics/Canvas.h"

#include <QString>

enum TCellShape {
    csRectangle,
    csCircle,
    csTriangleLeft,
    csTriangleRight,
    csTriangleUp,
    csTriangleDown,
    csDiamond,
    csLineVert,
    csLineHorz,
    csRoundRect,
    csEllips,
    csSquare,
    csRoundSquare,
    csStar,
    csArrowUp,
    csArrowDown,
    csArrowLeft,
    csArrowRight,
    csHalfStar
};

// Settings of the XP-style bar, filled by the caller from the grid's progress appearance.
struct TXPProgressInfo {
    TColor Level0Color = clLime;
    TColor Level0ColorTo = clLime;
    TColor Level1Color = clYellow;
    TColor Level1ColorTo = clYellow;
    TColor Level2Color = clRed;
    TColor Level2ColorTo = clRed;
    TColor Level3Color = clRed;
    TColor Level3ColorTo = clRed;
    int Level1Perc = 70; // thresholds, percent
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = true;
    bool Stacked = false;
    bool ShowPercentage = true;
    const TFont* Font = nullptr; // nullptr: the canvas's font
    TColor CompleteFontColor = clBlue;
    bool CompletionSmooth = false;
    bool ShowGradient = true;
    int Steps = 8;
    TColor UnusedColor = clNone; // kept for the record's layout; not drawn
    TColor UnCompleteColor = clWhite;
    bool Vertical = false;
};

// The text and the filled percentage (0..100) of a progress bar. With a format: the format applied
// to rnd(Value) when it holds "d" or "u", else to Value, and the percentage of Value between Min and
// Max (0 when Max = Min); a format that does not fit the value gives rnd(Value) in decimal. Without a
// format: rnd(Value) followed by "%", and rnd(Value) as the percentage.
QString ProgressBarText(const QString& Format, int Max, int Min, double Value, int& Percent);

// The bar in R less the margins, filled in Color with FilledTextColor text, the rest in EmptyColor
// with EmptyTextColor text (the text changes colour where the bar ends); a frame in BorderColor
// (unless clNone) round it, and one in the brush colour the canvas had on entry round that.
void DrawProgressBar(TCanvas* Canvas, const TRect& R, TColor Color, bool Printing, TColor BorderColor,
                     const QString& Format, int Max, int Min, int MarginY, int MarginX, double Value,
                     TColor EmptyTextColor, TColor EmptyColor, TColor FilledTextColor);
// Position in percent; blocks or a smooth bar, in level colours or stacked levels.
void DrawXPProgress(TCanvas* Canvas, const TRect& R, int Position, const TXPProgressInfo& Info);
// A circle with a filled sector of Percent, clockwise from twelve o'clock.
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Percent, bool Printing);
// A bar from the middle of R (less 2 pixels) to the right for positive values, to the left for
// negative ones, of Value / Range of the half width. A Range of 0 or less draws no bar.
void DrawRangeIndicator(TCanvas* Canvas, const TRect& R, int Value, TColor PosColor, TColor NegColor,
                        bool ShowValue, int Range);
// The shape in the box (X, Y, W, H); circles and squares take the box's smaller side. A value beyond
// csHalfStar draws nothing.
void DrawCellShape(TCanvas* Canvas, int X, int Y, int W, int H, TCellShape Shape, TColor BrushColor,
                   TColor PenColor);
// A red zig-zag under characters ErrPos .. ErrPos + ErrLen - 1 (from 0) of Text as a single-line edit
// of Parent's font would show it in R, moved down by Offset.
void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const QString& Text, int ErrLen, int ErrPos,
                        int Offset, const TRect& R);
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);
