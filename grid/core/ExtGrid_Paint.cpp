// TExtStringGrid: the colour decision of a cell, the selection colour mixer and the whole-control steps
// after the cells (edit frame, empty area, sizing lines, OnPainted).
#include "grid/base/DrawHelpers.h"
#include "grid/core/ExtGrid.h"

#include <algorithm>
#include <cmath>

namespace
{

bool InRect(const TGridRect& R, int ACol, int ARow)
{
    return ACol >= std::min(R.Left, R.Right) && ACol <= std::max(R.Left, R.Right) &&
           ARow >= std::min(R.Top, R.Bottom) && ARow <= std::max(R.Top, R.Bottom);
}

} // namespace

// ---- Selection colour mixer ------------------------------------------------------------------------------

TColor TExtStringGrid::BlendColors(TColor Color1, TColor Color2, int Percent)
{
    if (Percent >= 100)
        return Color1;
    if (Percent < 1 || Color1 == clNone)
        return Color2;
    if (Color2 == clNone)
        return Color1;
    const TColor c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
    const double f = Percent / 100.0;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        // std::nearbyint rounds halves to even in the default rounding mode.
        const int v = std::min(255, static_cast<int>(std::nearbyint(f * a + (1 - f) * b)));
        result |= TColor(v) << shift;
    }
    return result;
}

TColor TExtStringGrid::MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Factor)
{
    return Mixer ? BlendColors(SelColor, CellColor, Factor) : SelColor;
}

// ---- Colour decision -------------------------------------------------------------------------------------

void TExtStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TCellGradientDirection& GD)
{
    const int C = ACol;
    const int RC = Remap ? RealColIndex(ACol) : ACol;
    const int RR = ARow; // hidden rows are out of the store; the display row is the cell's row
    const bool normal = C >= FixedCols() && ARow >= FixedRows();

    // 1. and 2.
    AFont->Assign(normal ? *Font : *FFixedFont);
    ABrush->Color = clNone;
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;

    // 3. The cell's own look.
    bool ownColour = false, controlCell = false, controlColoured = false;
    if (const TCellProperties* p = GridProps(RC, ARow)) {
        const TCellType type = p->GraphicObject() ? GetCellType(RC, ARow) : ctEmpty;
        if (type == ctNone || type == ctRotated || type == ctEmpty) {
            if (p->BrushColor() != clNone) {
                ABrush->Color = p->BrushColor();
                ownColour = true;
            }
        } else if (IsControlCellObject(RC, ARow)) {
            ABrush->Color = p->BrushColor();
            controlCell = true;
            controlColoured = p->BrushColor() != clNone;
        } else {
            ABrush->Color = p->BrushColor();
        }
        if (p->FontColor() != clNone)
            AFont->Color = p->FontColor();
        if (p->FontStyle() != 0)
            AFont->Style = p->FontStyle();
        if (p->FontSize() != 0)
            AFont->Size = p->FontSize();
        if (!p->FontName().isEmpty())
            AFont->Name = p->FontName();
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection();
    }

    // 4.
    if (AState & gdSelected)
        GD = GradientVertical;

    // 5. Default colours: the grid, the bands, the fixed colour.
    if ((ABrush->Color == clNone || controlCell) && !controlColoured) {
        if (ABrush->Color == clNone)
            ABrush->Color = Color();
        if (FBands->Active() && (Print == FBands->Print || !Print) && C >= FixedCols() &&
            C < ColCount() + NumHiddenColumns() - FixedRightCols && ARow >= FixedRows() &&
            ARow < RowCount() - FixedFooters) {
            if (FBands->TotalLength() > 0)
                ABrush->Color = (ARow - FixedRows()) % FBands->TotalLength() < FBands->PrimaryLength()
                                    ? FBands->PrimaryColor()
                                    : FBands->SecondaryColor();
            else if (ABrush->Color == clNone)
                ABrush->Color = Color();
        }
        if (C < FixedCols() || ARow < FixedRows() || DisplColIndex(C) >= ColCount() - FixedRightCols ||
            ARow >= RowCount() - FixedFooters)
            ABrush->Color = FixedColor();
    }

    // 6. Fixed cells: the fixed colour and font, the look's gradient.
    const bool fixed = IsFixed(C, ARow) || C < FixedCols() || ARow < FixedRows();
    if (fixed && !Print && !ownColour) {
        ABrush->Color = FixedColor();
        AFont->Assign(*FFixedFont);
        AState |= gdFixed;
    }
    if (fixed && !ownColour && Look >= glQel) {
        ABrush->Color = FQelGradFrom;
        AColorTo = FQelGradTo;
        AMirrorColor = FQelGradMirrorFrom;
        AMirrorColorTo = FQelGradMirrorTo;
    }

    // 7. and 8. The per-cell hooks; what they leave is the cell's own colour.
    if (Print)
        GetCellPrintColor(RC, ARow, AState, ABrush, AFont);
    else
        GetCellColor(RC, ARow, AState, ABrush, AFont);
    if (OnGetCellGradient) {
        TColor c = ABrush->Color;
        OnGetCellGradient(this, ARow, RC, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->Color = c;
    }
    const TColor ownBrush = ABrush->Color, ownFont = AFont->Color;

    auto applySelection = [&] {
        AColorTo = FSelectionColorTo;
        AMirrorColor = FSelectionMirrorColor;
        AMirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone)
            AFont->Color = FSelectionTextColor;
    };

    // 9. to 11. Selection. The disjunct lists belong to the selection code; without them only the
    // normal selection applies here.
    const bool disjunctRow = FMouseActions->DisjunctRowSelect();
    const bool disjunctCol = FMouseActions->DisjunctColSelect();
    if (normal && disjunctRow && !Print && Select && FShowSel && !fixed) {
        const bool shown = (AState & gdSelected) && FMouseDown;
        if (shown) {
            AState = gdSelected;
            ABrush->Color = SelectionColor;
            applySelection();
        } else {
            AState &= ~gdSelected;
        }
    }
    if ((Select && !Print && FShowSel && !fixed && InRect(Selection(), C, ARow) && !disjunctRow && !disjunctCol &&
         !FSelHidden) ||
        ((AState & gdSelected) && FMouseDown && FShowSel)) {
        ABrush->Color = ABrush->Color == Color() ? SelectionColor
                                                 : MixSelectionColor(SelectionColor, ABrush->Color,
                                                                     FSelectionColorMixer,
                                                                     FSelectionColorMixerFactor);
        applySelection();
        AState |= gdSelected;
    }

    // 12. Disjunct cells: without a selected-cell list the current cell shows its own colours.
    if (FMouseActions->DisjunctCellSelect() && FShowSel && C == Col() && ARow == Row()) {
        AState &= ~gdSelected;
        ABrush->Color = ownBrush;
        AFont->Color = ownFont;
    }

    // 13. A disabled grid.
    if (UseDisabledFont && !Enabled())
        AFont->Color = DisabledFontColor;

    // 14.
    if ((AState & gdSelected) && ARow != Row() && disjunctRow && FSelectionColorTo == clNone)
        ABrush->Color = AdjustColorBrightness(ABrush->Color, 7);

    // 15.
    GetCellWordWrap(RC, ARow, WW);
    GetCellAlignment(RC, ARow, HA, VA);
    (void)RR;
}

// ---- Whole control ---------------------------------------------------------------------------------------

void TExtStringGrid::PaintAfterCells()
{
    // The frame of an open in-place edit.
    if (EditorMode()) {
        TColor pen = GridLineColor();
        if (GridLineWidth() < 1 || !(Options().Contains(goVertLine) || Options().Contains(goHorzLine)))
            pen = Color();
        Canvas->Pen->Color = pen;
        Canvas->Brush->Style = bsClear;
        Canvas->Rectangle(CellRect(Col(), Row()));
        Canvas->Brush->Style = bsSolid;
    }
    Canvas->Pen->Color = clBlack;
    if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone)
        PaintEmptyArea();
    if (IsDesignTime() && FShowDesignHelper)
        PaintDesignHelper();

    // The sizing lines are overlay state: the canvas is repainted from scratch every time.
    if (FSizingLineX >= 0 || FSizingLineY >= 0) {
        Canvas->Pen->Color = clBlack;
        Canvas->Pen->Style = psDot;
        Canvas->Pen->Width = 1;
        if (FSizingLineX >= 0) {
            Canvas->MoveTo(FSizingLineX, 0);
            Canvas->LineTo(FSizingLineX, std::max(Height(), CellRect(0, RowCount() - 1).Bottom));
        }
        if (FSizingLineY >= 0) {
            Canvas->MoveTo(0, FSizingLineY);
            Canvas->LineTo(std::max(Width(), CellRect(ColCount() - 1, 0).Right), FSizingLineY);
        }
        Canvas->Pen->Style = psSolid;
    }
    if (OnPainted)
        OnPainted(this);
}

void TExtStringGrid::DrawColSizingLine(int X)
{
    FSizingLineX = FSizingLineX == X ? -1 : X;
    Viewport()->update();
}

void TExtStringGrid::DrawRowSizingLine(int Y)
{
    FSizingLineY = FSizingLineY == Y ? -1 : Y;
    Viewport()->update();
}

void TExtStringGrid::PaintEmptyArea()
{
    const int visRows = TopRow() + VisibleRowCount(), visCols = LeftCol() + VisibleColCount();
    if (visRows < RowCount() && visCols < ColCount())
        return;
    const TBackGroundDisplay display = FBackGround->Display();
    const bool gradient = display == bdGradientHorz || display == bdGradientVert;
    if (gradient && FBackGround->ColorTo() == clNone)
        return;
    const TRect client = ClientRect();
    QRegion region;
    TRect r = CellRect(ColCount() - 1, TopRow());
    InflateRect(r, GridLineWidth(), GridLineWidth());
    if (r.Right < client.Right && visCols >= ColCount())
        region += QRect(r.Right, 0, client.Right - r.Right, client.Bottom);
    r = CellRect(LeftCol(), RowCount() - 1);
    InflateRect(r, GridLineWidth(), GridLineWidth());
    if (r.Bottom < client.Bottom && visRows >= RowCount())
        region += QRect(0, r.Bottom, client.Right, client.Bottom - r.Bottom);
    if (region.isEmpty())
        return;
    TRect area = client;
    if (FSearchFooter->Visible())
        area.Bottom -= 32;
    SelectClipRgn(Canvas->Handle(), &region);
    const TBitmap* bitmap = FBackGround->Bitmap();
    if (bitmap->Empty() && gradient) {
        DrawGradientBands(Canvas, FBackGround->Color(), FBackGround->ColorTo(), display == bdGradientHorz, area,
                          128);
    } else if (!bitmap->Empty() && display != bdTile) {
        PaintBackgroundBitmap(Canvas, area);
    } else if (!bitmap->Empty() && FBackGround->Cells() != bcFixed) {
        TPoint origin{area.Left, area.Top};
        if (FBackGround->Cells() == bcNormal) {
            const TRect first = CellRect(FixedCols(), FixedRows());
            origin = TPoint{first.Left, first.Top};
        }
        origin.X += XYOffset.X;
        origin.Y += XYOffset.Y;
        TileBackgroundBitmap(Canvas, area, origin);
    }
    SelectClipRgn(Canvas->Handle(), nullptr);
}

void TExtStringGrid::PaintBackgroundBitmap(TCanvas* ACanvas, const TRect& Area)
{
    const TBitmap* bitmap = FBackGround->Bitmap();
    const TRect br{FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + bitmap->Width(),
                   FBackGround->Top() + bitmap->Height()};
    const TRect part{std::max(Area.Left, br.Left), std::max(Area.Top, br.Top), std::min(Area.Right, br.Right),
                     std::min(Area.Bottom, br.Bottom)};
    if (part.Left >= part.Right || part.Top >= part.Bottom)
        return;
    const TRect src{part.Left - br.Left, part.Top - br.Top, part.Right - br.Left, part.Bottom - br.Top};
    ACanvas->CopyRect(part, bitmap->Canvas, src);
}

void TExtStringGrid::TileBackgroundBitmap(TCanvas* ACanvas, const TRect& Area, TPoint Origin)
{
    const TBitmap* bitmap = FBackGround->Bitmap();
    const int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0)
        return;
    for (int y = Origin.Y - 1; y < Area.Bottom; y += h)
        for (int x = Origin.X - 1; x < Area.Right; x += w) {
            const TRect dst{x, y, std::min(x + w, Area.Right), std::min(y + h, Area.Bottom)};
            ACanvas->CopyRect(dst, bitmap->Canvas, TRect{0, 0, dst.Right - x, dst.Bottom - y});
        }
}

void TExtStringGrid::GetCellDrawProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                      TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                      TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& GradientDir)
{
    TBaseGrid::GetCellDrawProps(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign,
                                WordWrap, GradientDir);
    // A header cell given a font colour must keep its fixed look: its brush stays unset.
    const int DC = DisplColIndex(ACol);
    if (IsFixed(DC, ARow) || DC < FixedCols() || ARow < FixedRows()) {
        AFont->Assign(*FFixedFont);
        ABrush->Color = clNone;
    }
}
