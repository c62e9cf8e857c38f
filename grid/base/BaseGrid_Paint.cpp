// TBaseGrid: the cell painter shared by the paint loop and outside painting, and the selection
// repaints around moves of the current cell.
#include "grid/base/BaseGrid.h"
#include "grid/base/DrawHelpers.h"

#include <algorithm>
#include <optional>

namespace
{

// Colours of one styled selection look, in DrawStyledSelection's order.
struct TSelectionColors {
    TColor Color, ColorTo, MirrorColor, MirrorColorTo, Border, InnerTop, InnerBottom, CornerAdjacent;
};

constexpr TSelectionColors VistaSelection{0xFDF8F1, 0xFCEFD5, clNone,   clNone,
                                          0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
constexpr TSelectionColors Win7Selection{0xFCEBDC, 0xFCDBC1, clNone,   clNone,
                                         0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
constexpr TSelectionColors Office2007Selection{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                               0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
constexpr TSelectionColors UnfocusedSelection{0xF8F8F8, 0xE5E5E5, clNone,   clNone,
                                              0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};

const TSelectionColors& SelectionColors(TGridSelectionStyle style, bool focused)
{
    if (!focused)
        return UnfocusedSelection;
    switch (style) {
    case ssWin7:
        return Win7Selection;
    case ssOffice2007:
        return Office2007Selection;
    default:
        return VistaSelection;
    }
}

} // namespace

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    DrawGridCell(ACol, ARow, ARect, AState);
}

void TBaseGrid::DrawGridCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    PaintCellCore(Canvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    PaintCellCore(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    PaintCellCore(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                                    TCellGradientDirection&)
{
}

bool TBaseGrid::IsFixed(int, int)
{
    return false;
}

int TBaseGrid::GetNodeIndent(int)
{
    return 0;
}

bool TBaseGrid::HasNodes()
{
    return false;
}

void TBaseGrid::PaintCellCore(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                              bool OnGrid)
{
    HDC dc = ACanvas->Handle();

    // 1. The hidden last row shows only the grid's colour.
    if (ARow == RowCount() - 1 && FHideLastRow) {
        ACanvas->Brush->Color = Color();
        ACanvas->Pen->Color = Color();
        ACanvas->FillRect(ARect);
        return;
    }

    // 2. A covered cell paints its area once per pass, from the first covered cell painted.
    int baseCol, baseRow;
    if (!FindBaseCell(ACol, ARow, baseCol, baseRow)) {
        if (TCellProperties* base = GridProps(baseCol, baseRow); base && base->PaintID() != FPaintID) {
            base->SetPaintID(FPaintID);
            PaintCell(ACanvas, baseCol, baseRow, ARect, AState);
        }
        return;
    }

    // 3. and 4. Fixed look and the whole area.
    if (IsFixed(ACol, ARow) && OnGrid)
        AState = (AState | gdFixed) & ~gdSelected;
    if (OnGrid)
        ARect = CellRect(ACol, ARow);
    const bool fixed = (AState & gdFixed) != 0;

    // 5. A scrolled area must not paint over the fixed columns or rows. Another canvas has no fixed
    // cells to protect: clipping there would cut away a cell drawn at its origin.
    const int w = ACol >= FixedCols() ? FixedColsWidth() : 0;
    const int h = ARow >= FixedRows() ? FixedRowsHeight() : 0;
    std::optional<QRegion> clip;
    if (OnGrid && ((ACol >= FixedCols() && FixedCols() > 0 && ARect.Left < w) ||
                   (ARow >= FixedRows() && FixedRows() > 0 && ARect.Top < h))) {
        clip = CreateRectRgn(w, h, Width(), Height());
        SelectClipRgn(dc, &*clip);
    }

    // 6. The look.
    ACanvas->Pen->Width = 1;
    ACanvas->Font->Assign(*Font);
    TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
    TCellGradientDirection gradientDir = GradientVertical;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = FWordWrap;
    GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush, colorTo, mirrorColor,
                        mirrorColorTo, ACanvas->Font, hAlign, vAlign, wordWrap, gradientDir);
    ACanvas->Pen->Color = ACanvas->Brush->Color;

    // 7. Hover row.
    const bool selected = (AState & gdSelected) != 0;
    if (ARow == FHoverRowIdx && FHoverRow && !(selected && !FHoverRowCells.Contains(hcSelected)) &&
        !(fixed && !FHoverRowCells.Contains(hcFixed))) {
        ACanvas->Brush->Color = FHoverRowColor;
        colorTo = FHoverRowColorTo;
        mirrorColor = clNone;
        mirrorColorTo = clNone;
        gradientDir = GradientVertical;
    }

    // 8. Active row.
    if ((FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FixedCols()) ||
        (!OnGrid && selected)) {
        ACanvas->Brush->Color = FActiveRowColor;
        colorTo = FActiveRowColorTo;
        mirrorColor = FActiveRowMirrorColor;
        mirrorColorTo = FActiveRowMirrorColorTo;
        ACanvas->Pen->Color = ACanvas->Brush->Color;
    }

    // 9. Background.
    const bool rtl = UseRightToLeftAlignment();
    if (selected && FSelectionStyle != ssDefault && FShowSel) {
        const TGridRect sel = Selection();
        const int left = std::min(sel.Left, sel.Right), right = std::max(sel.Left, sel.Right);
        int piece = SelectionPieceSingle;
        if (ACol == left && right > left)
            piece = SelectionPieceLeft;
        else if (ACol == right && right > left)
            piece = SelectionPieceRight;
        else if (ACol > left && ACol < right)
            piece = SelectionPieceMiddle;
        TRect r = ARect;
        if (!Options().Contains(goHorzLine))
            ++r.Bottom;
        if (!Options().Contains(goVertLine))
            ++r.Right;
        if (rtl) {
            ++r.Right;
            ++r.Bottom;
        }
        const bool focused = GridFocused() || Options().Contains(goDrawFocusSelected);
        const TSelectionColors& s = SelectionColors(FSelectionStyle, focused);
        DrawStyledSelection(ACanvas, s.Color, s.ColorTo, s.MirrorColor, s.MirrorColorTo, s.InnerTop,
                            s.InnerBottom, s.Border, s.CornerAdjacent, Color(), r, piece);
    } else if (!(UsesStyleHooks() && (fixed || selected))) {
        const TColor from = ACanvas->Brush->Color;
        if (mirrorColorTo != clNone)
            DrawMirrorGradient(ACanvas, ARect, from, colorTo, mirrorColor, mirrorColorTo, true, clNone, false,
                               true);
        else
            DrawGradient(ACanvas, from, colorTo, BaseGradientSteps, ARect, gradientDir == GradientHorizontal);
    }

    // 10. Grid lines; LineTo leaves the end point out.
    int off;
    if (fixed) {
        ACanvas->Pen->Color = FGridFixedLineColor;
        ACanvas->Pen->Width = 1;
        off = 1;
    } else {
        if (FGridLineWidth > 0)
            ACanvas->Pen->Color = FGridLineColor;
        ACanvas->Pen->Width = FGridLineWidth;
        off = (FGridLineWidth + 1) / 2;
    }
    const TGridOptions opts = Options();
    if (!(baseCol == 0 && HasNodes()) &&
        ((opts.Contains(goHorzLine) && !fixed) || (opts.Contains(goFixedHorzLine) && fixed))) {
        ACanvas->MoveTo(ARect.Left - off + 1, ARect.Bottom - off);
        ACanvas->LineTo(ARect.Right - off + 1, ARect.Bottom - off);
    }
    if ((opts.Contains(goVertLine) && !fixed) || (opts.Contains(goFixedVertLine) && fixed)) {
        const int x = rtl ? ARect.Right - off + 1 : ARect.Right - off;
        ACanvas->MoveTo(x, ARect.Bottom - off);
        ACanvas->LineTo(x, ARect.Top - off);
    }

    // 11. Content in the rectangle within the lines.
    if (OnGrid) {
        TRect inner = ARect;
        if (fixed) {
            inner.Right -= 1;
            inner.Bottom -= 2;
        } else {
            InflateRect(inner, -FGridLineWidth, -FGridLineWidth);
        }
        DrawCellContent(ACanvas, ACol, ARow, inner, AState);
    }

    // 12.
    if (clip)
        SelectClipRgn(dc, nullptr);
    ACanvas->Brush->Style = bsSolid;
    ACanvas->Pen->Style = psSolid;
}

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
    DrawText(ACanvas->Handle(), Cells(ACol, ARow), -1, ARect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

bool TBaseGrid::CanSelectCell(int ACol, int ARow)
{
    if (UseRightToLeftAlignment()) {
        const bool can = TObjStringGrid::CanSelectCell(ACol, ARow);
        InvalidateGrid();
        return can;
    }
    RepaintCell(Col(), Row());
    const bool can = TObjStringGrid::CanSelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return can;
}
