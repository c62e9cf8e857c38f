// Cell geometry shared by the screen painter, the exports and the printer: the text insets, the
// start point of rotated text, and the most lines in a row and characters in a column.
#include "grid/core/ExtGrid.h"

#include <QtMath>
#include <cmath>

int TExtStringGrid::GetTotalXOffset() const
{
    return XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X;
}

int TExtStringGrid::GetTotalYOffset() const
{
    return XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y;
}

void TExtStringGrid::AlignRotatedText(TRect& Rect, int Angle, const QString& Text, TAlignment HAlign,
                                      TVAlignment VAlign)
{
    Rect = TRect(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
    const TPoint extent = Canvas->TextExtent(Text);
    const int w = extent.X;
    const int h = extent.Y;
    const double rad = qDegreesToRadians(double(Angle));
    // Truncated toward zero, as every division below.
    const int a = int(std::fabs(std::cos(rad) * h));
    const int b = int(std::fabs(std::sin(rad) * w));
    const int c = int(std::fabs(std::sin(rad) * h));
    const int d = int(std::fabs(std::cos(rad) * w));
    const int q = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
    const int width = Rect.Right - Rect.Left;
    const int L = Rect.Left, R = Rect.Right, T = Rect.Top, B = Rect.Bottom;
    const int over = (T + a + b - B) / 2;

    struct TPlace {
        int Left, Right, Centre, Top, Bottom, VCentre;
    };
    const TPlace places[4] = {
        {L, R - d - c, L + (width - c - d) / 2, T + b, B - a, T + b - over},
        {L + d, R - c, R - (c + width - d) / 2, T + a + b, B, T + a + b - over},
        {L + c + d, R, R - (width - c - d) / 2, T + a, B - b, T + a - over},
        {L + c, R - d, L + (c + width - d) / 2, T, B - a - b, T - over},
    };
    const TPlace& p = places[q - 1];
    Rect.Left = HAlign == taLeftJustify ? p.Left : HAlign == taRightJustify ? p.Right : p.Centre;
    Rect.Top = VAlign == vtaTop ? p.Top : VAlign == vtaBottom ? p.Bottom : p.VCentre;
}

int TExtStringGrid::MaxLinesInRow(int ARow)
{
    if (ColCount() == 0 || !Multilinecells)
        return 1;
    int most = 0;
    // The bound reaches one past the shown columns, as the layout code always did.
    for (int c = 0; c <= ColCount() - NumHiddenColumns(); ++c)
        most = std::max(most, CountTextLines(Cells(DisplToRealCol(c), ARow), true));
    return most;
}

int TExtStringGrid::MaxCharsInCol(int ACol)
{
    int most = 0;
    for (int r = 0; r < RowCount(); ++r) {
        QString text = GetExportCellText(ACol, r);
        while (!text.isEmpty()) {
            QString line;
            CutFirstLine(text, Multilinecells, line);
            most = std::max(most, int(line.size()));
            if (!Multilinecells)
                break;
        }
    }
    return most;
}
