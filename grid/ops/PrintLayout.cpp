// The print engine's layout run: set-up, strips of columns across, pages of rows down.
#include "grid/ops/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace
{

constexpr int PrintColumnSpacing = 20; // added to PrintSettings.ColumnSpacing
constexpr int TenthMillimetresPerInch = 254;

} // namespace

TPrintLayout::TPrintLayout(TExtStringGrid& Grid, TCanvas* Canvas, TMode AMode, bool ASelectedOnly,
                           int ATotalPages, TPrinter* APrinter)
    : G(Grid), S(*Grid.PrintSettings()), C(Canvas), Mode(AMode), SelectedOnly(ASelectedOnly),
      TotalPages(ATotalPages), FPrinter(APrinter), R(Grid.FPrintRect), CellFont(std::make_unique<TFont>()),
      KeptFont(std::make_unique<TFont>()), WorkPen(std::make_unique<TPen>()),
      CellBrush(std::make_unique<TBrush>()), KeptBrush(std::make_unique<TBrush>())
{
}

TPrintLayout::~TPrintLayout() = default;

bool TPrintLayout::PageOutput() const
{
    return PageIndex + 1 >= G.FPrintPageFrom && PageIndex + 1 <= G.FPrintPageTo;
}

void TPrintLayout::SetCanvasFont(const TFont* Font, int PointSize)
{
    C->Font->Assign(Font);
    C->Font->Height = G.MapFontHeight(PointSize);
}

void TPrintLayout::Setup()
{
    // 1. The resolution ratio, in pixels, before the layout units.
    SetMapMode(C, MM_TEXT);
    const int screen = GetDeviceCaps(G.Canvas, LOGPIXELSX);
    Resolution = screen > 0 ? double(GetDeviceCaps(C, LOGPIXELSX)) / screen : 1.0;
    SetMapMode(C, MM_LOMETRIC);
    // 2. and 3.
    G.Fontscalefactor = 1.0;
    C->Pen->Color = clBlack;
    C->Pen->Style = S.BorderStyle;
    C->Pen->Width = S.Borders == pbDouble ? 10 : 2;
    // 4. Heights of the header, footer and cell fonts.
    SetCanvasFont(S.HeaderFont(), S.HeaderFont()->Size);
    HeaderHeight = C->TextHeight("gh");
    SetCanvasFont(S.FooterFont(), S.FooterFont()->Size);
    FooterHeight = C->TextHeight("gh");
    SetCanvasFont(S.Font(), S.Font()->Size);
    CellTextHeight = C->TextHeight("gh");
    LineGap = int16_t(CellTextHeight / 8);
    TextInset = int16_t(C->TextWidth("g") / 2);
    // 5. The page.
    TRect& prev = G.PrevRect;
    if (Mode == TExtStringGrid::pmPrintDraw) {
        const TRect clip = C->ClipRect();
        Width = clip.Right - clip.Left;
        Height = clip.Bottom;
    } else if (Mode == TExtStringGrid::pmCountPrint) {
        Width = prev.Right - prev.Left;
        Height = -prev.Bottom - prev.Top;
    } else {
        DPtoLP(C, prev);
        Width = prev.Right - prev.Left;
        Height = prev.Bottom - prev.Top;
    }
    // 6. 0.1 mm per pixel of the grid's screen.
    const int canvasDpi = GetDeviceCaps(C, LOGPIXELSX);
    PixelFactor = double(TenthMillimetresPerInch) / canvasDpi * canvasDpi / std::max(1, screen);
    // 7. to 9.
    G.FPrintPageRect = TRect(0, 0, Width, Height);
    Spacing = S.UseFixedWidth ? 0 : S.ColumnSpacing + PrintColumnSpacing;
    FitScale = 1.0;
    ColumnWidths();
    // 10. Fit to page.
    if (S.FitToPage != fpNever) {
        int64_t total = 0;
        for (int c = R.Left; c <= R.Right; ++c)
            if (ColFilter(c))
                total += G.MaxWidths[size_t(c)] + Spacing;
        const int64_t spacingTotal = int64_t(R.Right - R.Left + 1) * Spacing;
        double scale = 1.0;
        if (total != spacingTotal)
            scale = double(Width - S.RightSize - S.LeftSize - spacingTotal) / double(total - spacingTotal);
        if (S.FitToPage == fpShrink && scale > 1)
            scale = 1;
        if (S.FitToPage == fpGrow && scale < 1)
            scale = 1;
        if (S.FitToPage == fpCustom && scale != 1) {
            bool allow = true;
            if (G.OnFitToPage)
                G.OnFitToPage(&G, scale, allow);
            if (!allow)
                scale = 1;
        }
        FitScale = scale;
        if (scale != 1) {
            // The repeated fixed columns left of the range scale with the rest.
            const int first = S.RepeatFixedCols && G.FixedCols() > 0 ? 0 : R.Left;
            for (int c = first; c <= R.Right; ++c)
                G.MaxWidths[size_t(c)] = int(std::trunc(G.MaxWidths[size_t(c)] * scale));
        }
    }
    // 11.
    if (G.OnPrintSetColumnWidth)
        for (int c = R.Left; c <= R.Right; ++c)
            G.OnPrintSetColumnWidth(&G, c, G.MaxWidths[size_t(c)]);
}

void TPrintLayout::ComputeSpaces(bool MeasureTitle)
{
    const int lines = S.TitleLines()->Count();
    const bool top =
        IsTopPosition(S.Time) || IsTopPosition(S.Date) || IsTopPosition(S.PageNr) || IsTopPosition(S.Title);
    const bool bottom = IsBottomPosition(S.Time) || IsBottomPosition(S.Date) || IsBottomPosition(S.PageNr) ||
                        IsBottomPosition(S.Title);
    if (top) {
        HeaderSpace = LineGap + HeaderHeight + S.HeaderSize;
        if (lines > 0 && IsTopPosition(S.Title)) {
            const int html = MeasureTitle ? HtmlTitleHeight(false, true) : 0;
            HeaderSpace += html != 0 ? html + S.HeaderSize : (lines - 1) * HeaderHeight;
        }
    } else {
        HeaderSpace = S.HeaderSize;
    }
    if (bottom) {
        FooterSpace = 2 * (LineGap + FooterHeight) + S.FooterSize;
        if (lines > 0 && IsBottomPosition(S.Title))
            FooterSpace += (lines - 1) * FooterHeight;
    } else {
        FooterSpace = LineGap + FooterHeight + S.FooterSize;
    }
}

int TPrintLayout::Run()
{
    Setup();
    // 12. The row notification.
    const TGridExportState kind = R.Top <= G.FixedRows() && R.Bottom >= G.RowCount() - 1 - G.FixedFooters
                                      ? esExportNewRow
                                      : esExportSelRow;
    // 13.
    PageIndex = 0;
    StripNr = 0;
    V = W = R.Left;
    int lastEndRow = -1;
    int row = R.Top;
    Cancel = false;
    MultiStrip = false;
    const int fixedCols = G.FixedCols();
    const int fixedRows = G.FixedRows();
    auto& maxW = G.MaxWidths;
    auto& ind = G.Indents;

    while (W <= R.Right && !Cancel) {
        // Strip steps 1. to 3.
        PageInStrip = 0;
        ++StripNr;
        const int stripStart = W;
        RepeatCols = fixedCols >= 1 && S.RepeatFixedCols && (R.Left < W || R.Left >= fixedCols);
        FixedColsWidth = 0;
        if (RepeatCols)
            for (int p = 0; p < fixedCols; ++p)
                FixedColsWidth += maxW[size_t(p)] + Spacing;
        const int room = Width - S.RightSize;
        int used = FixedColsWidth;
        bool overflow = false;
        while (used <= room && W <= R.Right) {
            used += maxW[size_t(W)] + Spacing;
            if (used <= room)
                ++W;
            else
                overflow = true;
        }
        if (overflow) {
            used -= maxW[size_t(W)] + Spacing;
            --W;
        }
        if (W <= stripStart)
            W = stripStart + 1;
        W = std::min(W, R.Right);
        // 4. and 5.
        MultiStrip = MultiStrip || W < R.Right;
        G.FPrintPageWidth = used;
        // 6. x positions.
        const int start = S.Centered ? 0 : S.LeftSize;
        ind[size_t(V)] = start;
        ind[0] = start;
        for (int c = V; c <= W; ++c)
            ind[size_t(c) + 1] = ind[size_t(c)] + (ColFilter(c) ? maxW[size_t(c)] + Spacing : 0);
        G.FPrintColStart = V;
        G.FPrintColEnd = W;
        // The repeated fixed columns, up to the right edge of the last one.
        if (RepeatCols)
            for (int p = 1; p <= fixedCols; ++p)
                if (p < V || p > W + 1)
                    ind[size_t(p)] = ind[size_t(p) - 1] + maxW[size_t(p) - 1] + Spacing;
    // 7. and 8. Each entry moves once, also where the fixed columns and the strip meet.
        std::set<int> strip, fixed;
        for (int c = V; c <= W + 1; ++c)
            strip.insert(c);
        if (RepeatCols)
            for (int p = 0; p <= fixedCols; ++p)
                if (!strip.count(p))
                    fixed.insert(p);
        if (S.Centered && used < Width) {
            const int offset = (Width - used) / 2;
            for (int c : strip)
                ind[size_t(c)] += offset;
            for (int p : fixed)
                ind[size_t(p)] += offset;
        }
        for (int c : strip)
            ind[size_t(c)] += FixedColsWidth;
        // 9. and 10.
        ComputeSpaces(true);
        row = R.Top;
        int rowsOnPage = 0;
        bool rowPlacedOnPage = false;
        if (Drawing() && G.OnPrintPage)
            G.OnPrintPage(&G, C, PageIndex + 1, Width, Height);

        while (row <= R.Bottom && !Cancel) {
            // Row steps 1. to 3.
            G.ExportNotification(kind, row);
            if (rowsOnPage == 0) {
                const int html = HeaderFooter(0);
                Y = -HeaderSpace - S.TitleSpacing - html;
                rowPlacedOnPage = false;
            }
            if (rowsOnPage == 0 && row > 0 && S.RepeatFixedRows && fixedRows > 0 &&
                (PageIndex > 0 || R.Top >= fixedRows)) {
                for (int p = 0; p < fixedRows; ++p) {
                    if (RepeatCols)
                        PrintRow(Y, 0, fixedCols - 1, p);
                    Y -= PrintRow(Y, V, W, p);
                }
                ++rowsOnPage;
            }
            // 4. and 5. A row too tall for an empty page goes there anyway, cut at the footer space;
            // otherwise every new page would start with it again.
            bool placed = true;
            if (RowFilter(row)) {
                const int h = RowHeight(row);
                if (Y - h > Height + FooterSpace || !rowPlacedOnPage) {
                    RowClipped = !(Y - h > Height + FooterSpace);
                    if (RepeatCols)
                        PrintRow(Y, 0, fixedCols - 1, row);
                    Y -= PrintRow(Y, V, W, row);
                    RowClipped = false;
                    rowPlacedOnPage = true;
                } else {
                    placed = false;
                }
            }
            if (placed)
                ++row;
            ++rowsOnPage;
            // 6. and 7.
            bool newPage = false;
            if (G.OnPrintNewPage)
                G.OnPrintNewPage(&G, row, newPage);
            const bool nextNoFit = row <= R.Bottom && Y - RowHeight(row) < Height + FooterSpace;
            if (Drawing() && (nextNoFit || row > R.Bottom || newPage)) {
                if (G.OnPrintPageDone)
                    G.OnPrintPageDone(&G, C, row, Y, PageIndex + 1, Width, Height);
                if (G.OnPrintCancel)
                    G.OnPrintCancel(&G, PageIndex + 1, Cancel);
            }
            // 8. Page end.
            if (nextNoFit || newPage) {
                PageFrame(V, W, Y);
                rowsOnPage = 0;
                lastEndRow = row;
                PageTurn();
                if (G.FastPrint && PageIndex > G.FPrintPageTo)
                    row = R.Bottom + 1;
                ++PageIndex;
                ++PageInStrip;
                ComputeSpaces(false);
            }
        }
        // End of the strip.
        if (lastEndRow != row)
            PageFrame(V, W, Y);
        V = W = W + 1;
        if (W <= R.Right)
            PageTurn();
        ++PageIndex;
    }
    return PageIndex;
}
