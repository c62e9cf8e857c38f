// Printed text cells: alignment and insets, several lines, merged cells, border events, the row-height
// cache and the cell background, on a 254-dpi image canvas.
#include "grid/ops/PrintTestSupport.h"

namespace printtest
{

namespace
{

const TCanvasCall* TextCall(const TPreviewPage& Page, const QString& Text)
{
    for (const TCanvasCall& c : Page.Recorder.Calls)
        if (c.Kind == TCanvasCall::ckText && c.HasRect && c.Text == Text)
            return &c;
    return nullptr;
}

// Vertical lines drawn at x from y0 down past y1 (layout units, y upward).
int VerticalLinesAt(const TPreviewPage& Page, int X, int Y0, int Y1)
{
    int n = 0;
    for (const TCanvasCall& c : Page.Recorder.Calls)
        if (c.Kind == TCanvasCall::ckLine && c.Point.X == X && c.To.X == X &&
            std::max(c.Point.Y, c.To.Y) >= Y0 && std::min(c.Point.Y, c.To.Y) <= Y1)
            ++n;
    return n;
}

int HorizontalLinesAt(const TPreviewPage& Page, int Y, int X0, int X1)
{
    int n = 0;
    for (const TCanvasCall& c : Page.Recorder.Calls)
        if (c.Kind == TCanvasCall::ckLine && c.Point.Y == Y && c.To.Y == Y &&
            std::min(c.Point.X, c.To.X) <= X0 && std::max(c.Point.X, c.To.X) >= X1)
            ++n;
    return n;
}

} // namespace

TEST_F(PrintTest, RightAlignedTextEndsOneInsetInsideItsCell)
{
    SetupLayoutGrid(3, 3);
    grid->SetCells(1, 1, "right");
    grid->SetAlignments(1, 1, taRightJustify);
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    const TCanvasCall* call = TextCall(page, "right");
    ASSERT_NE(call, nullptr);
    EXPECT_TRUE(call->Flags & DT_RIGHT);
    const int inset = page.WidthOf("g", grid->PrintSettings()->Font()) / 2;
    EXPECT_EQ(call->Rect.Right, grid->Indents[2] - inset);
    EXPECT_EQ(call->Rect.Left, grid->Indents[1]);
}

TEST_F(PrintTest, LinesOfAMultiLineCellAreOneLineHeightApart)
{
    SetupLayoutGrid(3, 3);
    grid->Multilinecells = true;
    grid->SetCells(1, 1, "one\r\ntwo\r\nthree");
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    const TCanvasCall* a = TextCall(page, "one");
    const TCanvasCall* b = TextCall(page, "two");
    const TCanvasCall* c = TextCall(page, "three");
    ASSERT_TRUE(a && b && c);
    const int th = page.HeightOf(grid->Font);
    const int line = th + th / 8;
    EXPECT_EQ(a->Point.Y - b->Point.Y, line);
    EXPECT_EQ(b->Point.Y - c->Point.Y, line);
    EXPECT_EQ(a->Point.X, b->Point.X);
}

TEST_F(PrintTest, MergedCellPrintsOnceAcrossItsColumns)
{
    SetupLayoutGrid(4, 3);
    grid->PrintSettings()->UseFixedWidth = false;
    grid->PrintSettings()->NoAutoSize = true;
    for (int c = 0; c < 4; ++c)
        grid->SetColWidths(c, 100);
    grid->SetCells(0, 1, "wide");
    grid->MergeCells(0, 1, 3, 1);
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    int count = 0;
    for (const TCanvasCall& c : page.Recorder.Calls)
        count += c.Kind == TCanvasCall::ckText && c.Text == "wide";
    EXPECT_EQ(count, 1);
    const TCanvasCall* call = TextCall(page, "wide");
    ASSERT_NE(call, nullptr);
    const int spacing = 20;
    const int width = int(std::lround(100 * 254.0 / 96)) + spacing;
    const int inset = page.WidthOf("g", grid->PrintSettings()->Font()) / 2;
    EXPECT_EQ(call->Rect.Right - call->Rect.Left + inset, 3 * width);
    // The merged row lies between the row's top and bottom; no line inside the area.
    const int top = call->Rect.Top, bottom = call->Rect.Bottom;
    EXPECT_EQ(VerticalLinesAt(page, grid->Indents[1], top - 10, bottom + 10), 0);
    EXPECT_EQ(VerticalLinesAt(page, grid->Indents[2], top - 10, bottom + 10), 0);
    EXPECT_GE(VerticalLinesAt(page, grid->Indents[3], top - 10, bottom + 10), 1) << "the area's right edge";
}

TEST_F(PrintTest, BorderEventRemovesTheTopLine)
{
    SetupLayoutGrid(3, 3);
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    // Row 1 starts one printed row (the height and two line gaps) below the page top.
    const int lineGap = page.HeightOf(grid->PrintSettings()->Font()) / 8;
    const int y = -(240 + 2 * lineGap);
    EXPECT_EQ(HorizontalLinesAt(page, y, grid->Indents[1] + 1, grid->Indents[2] - 1), 2)
        << "row 0's bottom and row 1's top";
    grid->OnGetCellPrintBorder = [](TObject*, int ARow, int ACol, TPen*, TCellBorders& Borders) {
        if (ARow == 1 && ACol == 1)
            Borders.Exclude(cbTop);
    };
    TPreviewPage again;
    grid->PrintPreview(again.Canvas.get(), TRect(0, 0, 2100, 2970));
    // Row 0's bottom line runs there too; only that one is left.
    EXPECT_EQ(HorizontalLinesAt(again, y, grid->Indents[1] + 1, grid->Indents[2] - 1),
              HorizontalLinesAt(page, y, grid->Indents[1] + 1, grid->Indents[2] - 1) - 1);
}

TEST_F(PrintTest, EachCellIsMeasuredOncePerRun)
{
    SetupLayoutGrid(3, 8);
    grid->PrintSettings()->UseFixedHeight = false;
    grid->FastPrint = true;
    std::map<std::pair<int, int>, int> measured;
    grid->OnCustomCellSize = [&](TObject*, TCanvas*, int ACol, int ARow, TPoint&, bool Printing) {
        EXPECT_TRUE(Printing);
        ++measured[{ACol, ARow}];
    };
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(measured.size(), 24u);
    for (const auto& [cell, n] : measured)
        EXPECT_EQ(n, 1) << cell.first << "," << cell.second;
}

TEST_F(PrintTest, ColouredCellFillsItsBackground)
{
    SetupLayoutGrid(3, 3);
    grid->SetColors(1, 1, clRed);
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    // Row 1 lies one printed row below the top; sample well inside the cell.
    const int x = grid->Indents[1] + 100, y = 248 + 100;
    EXPECT_EQ(QColor(page.Image.pixel(x, y)), QColor(Qt::red));
    EXPECT_EQ(QColor(page.Image.pixel(grid->Indents[2] + 100, y)), QColor(Qt::white));
}

TEST_F(PrintTest, MeasuredWidthsFollowTheLongestText)
{
    SetupLayoutGrid(3, 3);
    grid->SetFixedRows(0);
    grid->PrintSettings()->UseFixedWidth = false;
    grid->SetCells(1, 2, "a much longer text");
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(grid->MaxWidths[1], page.WidthOf("a much longer text", grid->Font));
    EXPECT_EQ(grid->MaxWidths[2], page.WidthOf("gh", grid->Font)) << "an empty column measures as \"gh\"";
}

} // namespace printtest
