// TCustomGrid painting: the cell loop on the viewport and the frame of the control.
#include "platform/graphics/ClassicDraw.h"
#include "platform/grid/Grid.h"
#include "platform/grid/GridViewport.h"
#include "platform/grid/InplaceEdit.h"

#include <QPainter>

namespace
{

struct TVisibleEntry {
    int Index;
    int Pos;
    int Size;
};

// The entries of an axis with a visible part: the fixed ones, then the scrolled ones from First.
// Returns the client position after the last one and its line.
int VisibleEntries(const TGridAxis& a, int extent, std::vector<TVisibleEntry>& fixed,
                   std::vector<TVisibleEntry>& scrolled)
{
    int pos = 0;
    for (int i = 0; i < a.Fixed && i < a.Count() && pos < extent; ++i) {
        fixed.push_back({i, pos, a.Size(i)});
        pos += a.Pitch(i);
    }
    for (int i = a.First; i < a.Count() && pos < extent; ++i) {
        scrolled.push_back({i, pos, a.Size(i)});
        pos += a.Pitch(i);
    }
    return pos;
}

} // namespace

void TCustomGrid::ViewportPaint(QPaintEvent* Event)
{
    QPainter painter(FViewport);
    TCanvasPainterBinding binding(*Canvas, painter);
    FPaintRect = TRect::FromQRect(Event->rect());
    GuardedDispatch([&] {
        Canvas->Font->Assign(*Font);
        Canvas->Brush->Color = Color();
        Canvas->Brush->Style = bsSolid;
        Paint();
        PaintDragFeedback();
    });
    FPaintRect = ClientRect();
}

void TCustomGrid::Paint()
{
    const TRect client = ClientRect();
    std::vector<TVisibleEntry> fixedCols, cols, fixedRows, rows;
    const int endX = VisibleEntries(FCols, client.Width(), fixedCols, cols);
    const int endY = VisibleEntries(FRows, client.Height(), fixedRows, rows);
    const TRect area = FPaintRect.IsEmpty() ? client : FPaintRect;
    const bool focused = GridFocused();
    const TGridRect sel = Selection();
    const bool showFocusedSelected = FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect);
    const TGridCoord current = FCurrent;
    const bool editorShown = FInplaceEdit && FInplaceEdit->Visible();
    const int editorCol = editorShown ? FInplaceCol : -1;
    const int editorRow = editorShown ? FInplaceRow : -1;
    const TColor textColor = Font->Color;

    // The default drawing of a cell before DrawCell: its background and text colour by state.
    auto prepare = [&](const TRect& rect, TGridDrawState state) {
        TColor back = Color();
        Canvas->Font->Color = textColor;
        if (state & gdFixed) {
            back = FFixedColor;
        } else if (state & gdSelected) {
            back = clHighlight;
            Canvas->Font->Color = clHighlightText;
        }
        Canvas->Brush->Color = back;
        Canvas->Brush->Style = bsSolid;
        Canvas->FillRect(rect);
    };
    // The lines after the region's columns and rows, across the region.
    auto lines = [&](const std::vector<TVisibleEntry>& rowList, const std::vector<TVisibleEntry>& colList,
                     bool fixedRegion) {
        if (rowList.empty() || colList.empty())
            return;
        const int top = rowList.front().Pos;
        const int bottom = rowList.back().Pos + rowList.back().Size + FRows.Line;
        const int left = colList.front().Pos;
        const int right = colList.back().Pos + colList.back().Size + FCols.Line;
        const TColor lineColor = fixedRegion ? GridFixedLineColor : GridLineColor;
        const TColor back = fixedRegion ? FFixedColor : Color();
        Canvas->Brush->Style = bsSolid;
        if (FCols.Line > 0) {
            const bool drawn = FOptions.Contains(fixedRegion ? goFixedVertLine : goVertLine);
            Canvas->Brush->Color = drawn ? lineColor : back;
            for (const TVisibleEntry& c : colList)
                Canvas->FillRect(TRect(c.Pos + c.Size, top, c.Pos + c.Size + FCols.Line, bottom));
        }
        if (FRows.Line > 0) {
            const bool drawn = FOptions.Contains(fixedRegion ? goFixedHorzLine : goHorzLine);
            Canvas->Brush->Color = drawn ? lineColor : back;
            for (const TVisibleEntry& r : rowList)
                Canvas->FillRect(TRect(left, r.Pos + r.Size, right, r.Pos + r.Size + FRows.Line));
        }
    };
    auto region = [&](const std::vector<TVisibleEntry>& rowList, const std::vector<TVisibleEntry>& colList,
                      bool fixedRegion) {
        for (const TVisibleEntry& r : rowList) {
            for (const TVisibleEntry& c : colList) {
                const TRect rect(c.Pos, r.Pos, c.Pos + c.Size, r.Pos + r.Size);
                TRect overlap;
                if (!IntersectRect(overlap, rect, area))
                    continue;
                if (c.Index == editorCol && r.Index == editorRow)
                    continue; // the open editor covers it
                TGridDrawState state = 0;
                if (fixedRegion) {
                    state = gdFixed;
                } else {
                    const bool isCurrent = c.Index == current.X && r.Index == current.Y;
                    if (isCurrent && focused)
                        state |= gdFocused;
                    if (sel.Contains(c.Index, r.Index) && !(isCurrent && focused && !showFocusedSelected))
                        state |= gdSelected;
                }
                if (FDefaultDrawing)
                    prepare(rect, state);
                DrawCell(c.Index, r.Index, rect, state);
                if (FDefaultDrawing && (state & gdFocused) && !showFocusedSelected)
                    Canvas->DrawFocusRect(rect);
            }
        }
        lines(rowList, colList, fixedRegion);
    };
    region(fixedRows, fixedCols, true);
    region(fixedRows, cols, true);
    region(rows, fixedCols, true);
    region(rows, cols, false);

    // What lies beyond the last column and the last row shows the grid's colour.
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    if (endX < client.Right)
        Canvas->FillRect(TRect(endX, 0, client.Right, client.Bottom));
    if (endY < client.Bottom)
        Canvas->FillRect(TRect(0, endY, std::min(endX, client.Right), client.Bottom));
}

void TCustomGrid::PaintWidget(QPaintEvent*, TControlWidgetLink&)
{
    QPainter painter(Widget());
    TCanvasPainterBinding binding(*Canvas, painter);
    GuardedDispatch([&] { WMNCPaint(); });
}

void TCustomGrid::WMNCPaint()
{
    if (FBarShown[SB_HORZ] && FBarShown[SB_VERT]) {
        const TRect client = ClientRect();
        const int b = BorderWidth();
        const int ext = BarExtent();
        Canvas->Brush->Color = clBtnFace;
        Canvas->Brush->Style = bsSolid;
        Canvas->FillRect(Bounds(b + client.Width(), b + client.Height(), ext, ext));
    }
    if (FBorderStyle != bsNone) {
        TRect r(0, 0, Width(), Height());
        DrawEdge(Canvas->Handle(), r, EDGE_SUNKEN, BF_RECT);
    }
}
