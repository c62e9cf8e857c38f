// TExtStringGrid: the sort indicator of header cells and the painter's view of the sort state.
#include "grid/core/ExtGrid.h"

TExtStringGrid::TSortPaintState TExtStringGrid::SortPaintState()
{
    const TSortSettings* s = SortSettings();
    TSortPaintState S;
    S.Column = s->Column;
    S.Row = s->Row();
    S.Show = s->Show();
    S.IndexShow = s->IndexShow;
    S.FixedCols = s->FixedCols;
    S.Direction = s->Direction;
    S.IndexColor = s->IndexColor;
    S.UpGlyph = s->UpGlyph();
    S.DownGlyph = s->DownGlyph();
    S.IndexUpGlyph = s->IndexUpGlyph();
    S.IndexDownGlyph = s->IndexDownGlyph();
    S.Indexes = SortIndexes();
    return S;
}

bool TExtStringGrid::IsSortHeaderCell(int C, int ARow, const TSortPaintState& S)
{
    if (!S.Show || ARow != S.Row || RowCount() <= FixedRows() + 1 || FixedRows() <= 0)
        return false;
    if (C < FixedCols() && !S.FixedCols)
        return false;
    const int index = S.Indexes ? S.Indexes->FindIndex(C) : -1;
    if (C != S.Column && index < 0)
        return false;
    // Later index entries show only with the index display on.
    return !(index >= 1 && !S.IndexShow);
}

void TExtStringGrid::DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X)
{
    const TSortPaintState S = SortPaintState();
    const bool indexMode = S.IndexShow;
    const TBitmap* up = indexMode ? S.IndexUpGlyph : S.UpGlyph;
    const TBitmap* down = indexMode ? S.IndexDownGlyph : S.DownGlyph;
    const bool glyphs = up && down && !up->Empty() && !down->Empty();
    if (UseRightToLeftAlignment())
        X = ClientWidth() - X - 4 - (glyphs ? up->Width() + 7 : 7);

    if (indexMode) {
        const int n = S.Indexes ? S.Indexes->FindIndex(ACol) : -1;
        if (n < 0)
            return;
        const bool descending = !S.Indexes->SortDirections(n);
        const TColor keepBrush = ACanvas->Brush->Color, keepFont = ACanvas->Font->Color;
        const int keepSize = ACanvas->Font->Size;
        ACanvas->Brush->Color = S.IndexColor;
        ACanvas->Font->Color = clBlack;
        ACanvas->Font->Size = 6;
        const int mode = SetBkMode(ACanvas->Handle(), TRANSPARENT);
        ACanvas->Pen->Color = clBlack;
        const TBitmap* glyph = descending ? S.IndexUpGlyph : S.IndexDownGlyph;
        if (glyphs) {
            const_cast<TBitmap*>(glyph)->SetTransparent(true);
            ACanvas->Draw(X - 7, Y - 7, glyph);
        } else if (descending) {
            ACanvas->Polygon({TPoint{X - 7, Y - 5}, TPoint{X + 7, Y - 5}, TPoint{X, Y + 8}});
        } else {
            ACanvas->Polygon({TPoint{X - 6, Y + 8}, TPoint{X + 6, Y + 8}, TPoint{X, Y - 4}});
        }
        const TBrushStyle style = ACanvas->Brush->Style;
        ACanvas->Brush->Style = bsClear;
        ACanvas->TextOut(X - 2, descending ? Y - 4 : Y - 2, QString::number(n + 1));
        ACanvas->Brush->Style = style;
        SetBkMode(ACanvas->Handle(), mode);
        ACanvas->Brush->Color = keepBrush;
        ACanvas->Font->Color = keepFont;
        ACanvas->Font->Size = keepSize;
        return;
    }

    const bool descending = S.Direction == sdDescending;
    if (!glyphs) {
        ACanvas->Pen->Width = 1;
        if (descending) {
            ACanvas->Pen->Color = clWhite;
            ACanvas->MoveTo(X + 4, Y - 4);
            ACanvas->LineTo(X, Y + 4);
            ACanvas->Pen->Color = 0x00808080;
            ACanvas->LineTo(X - 4, Y - 4);
            ACanvas->LineTo(X + 4, Y - 4);
        } else {
            ACanvas->Pen->Color = clWhite;
            ACanvas->MoveTo(X - 4, Y + 4);
            ACanvas->LineTo(X + 4, Y + 4);
            ACanvas->LineTo(X, Y - 4);
            ACanvas->Pen->Color = 0x00808080;
            ACanvas->LineTo(X - 4, Y + 4);
        }
        ACanvas->Pen->Color = clBlack;
        return;
    }
    const TBitmap* glyph = descending ? down : up;
    const_cast<TBitmap*>(glyph)->SetTransparent(true);
    ACanvas->Draw(X - 4, Y - 4, glyph);
    ACanvas->Brush->Color = FixedColor();
}
