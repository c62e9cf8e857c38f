// The print engine on a 254-dpi image canvas (one pixel = 0.1 mm): pages, strips, header and footer,
// events and options, printed text cells. Fixed widths and heights keep page breaks independent of
// font metrics; text positions are compared with widths the same canvas measured.
#include "grid/ops/PrintTestSupport.h"

namespace printtest
{

TEST_F(PrintTest, SettingsStartWithTheTableDefaults)
{
    TPrintSettings* s = grid->PrintSettings();
    EXPECT_EQ(s->Borders, pbSingle);
    EXPECT_TRUE(s->Centered);
    EXPECT_EQ(s->DateFormat, "dd/mm/yyyy");
    EXPECT_EQ(s->PageNumSep, "/");
    EXPECT_TRUE(s->UseDisplayFont);
    EXPECT_EQ(s->PageNr, ppNone);
    EXPECT_EQ(s->FitToPage, fpNever);
    EXPECT_EQ(s->Orientation, poPortrait);
    EXPECT_FALSE(s->FixedCellsAlways);

    TPrintSettings other(grid);
    other.LeftSize = 77;
    other.TitleLines()->Add("T");
    other.HeaderFont()->Size = 14;
    other.FixedCellsAlways = true;
    s->FixedCellsAlways = false;
    s->Assign(&other);
    EXPECT_EQ(s->LeftSize, 77);
    EXPECT_EQ(s->TitleLines()->Count(), 1);
    EXPECT_EQ(s->HeaderFont()->Size, 14);
    EXPECT_NE(s->HeaderFont(), other.HeaderFont()) << "fonts are copied, not shared";
    EXPECT_FALSE(s->FixedCellsAlways) << "Assign keeps the target's FixedCellsAlways";
    EXPECT_THROW(s->Assign(grid->SortSettings()), EInvalidCast);
}

TEST_F(PrintTest, PagesOfRowsWithThePageNumberBottomRight)
{
    SetupLayoutGrid(3, 31);
    std::vector<int> starts, lastRows;
    grid->OnPrintStart = [&](TObject*, int Pages, int&, int&) { starts.push_back(Pages); };
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int, int, int) {
        lastRows.push_back(LastRow);
    };
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(starts, std::vector<int>{3});
    EXPECT_EQ(lastRows, (std::vector<int>{11, 22, 31}));
    EXPECT_EQ(std::vector<int>(grid->Indents.begin(), grid->Indents.begin() + 4),
              (std::vector<int>{300, 800, 1300, 1800}));
    const TCanvasCall* number = page.FindText("  1/3 ");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Point.X + page.WidthOf("  1/3 ", grid->PrintSettings()->FooterFont()), 2080);
    // Only page 1 is drawn: its rows and no other.
    EXPECT_EQ(page.CellTexts(), RowTexts(0, 10));
    EXPECT_EQ(GetMapMode(page.Canvas.get()), MM_TEXT) << "the canvas's mode is restored";
    EXPECT_FALSE(grid->IsPrintPreview());
}

TEST_F(PrintTest, RepeatedFixedRowsStartEveryLaterPage)
{
    SetupLayoutGrid(3, 31);
    grid->PrintSettings()->RepeatFixedRows = true;
    std::vector<QStringList> pages;
    for (int p = 1; p <= 3; ++p) {
        grid->SetPreviewPage(p);
        TPreviewPage page;
        grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
        pages.push_back(page.CellTexts());
    }
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], RowTexts(0, 10));
    EXPECT_EQ(pages[1], QStringList{"r0"} + RowTexts(11, 20));
    EXPECT_EQ(pages[2].value(0), "r0");
    EXPECT_EQ(pages[2].last(), "r30");
}

TEST_F(PrintTest, StripsAreNumberedByPageAndStrip)
{
    SetupLayoutGrid(5, 31);
    QStringList numbers;
    for (int p = 1; p <= 6; ++p) {
        grid->SetPreviewPage(p);
        TPreviewPage page;
        grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
        for (const TCanvasCall& c : page.Recorder.Calls)
            if (c.Kind == TCanvasCall::ckText && c.Text.contains(u'-'))
                numbers << c.Text.trimmed();
    }
    EXPECT_EQ(numbers, (QStringList{"1-1", "2-1", "3-1", "1-2", "2-2", "3-2"}));
}

TEST_F(PrintTest, HeaderSlotsCollectTheirItems)
{
    SetupLayoutGrid(3, 31);
    TPrintSettings* s = grid->PrintSettings();
    s->PageNumSep = "";
    {
        TPreviewPage page;
        grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
        EXPECT_NE(page.FindText("  1 "), nullptr) << "no total without a separator";
        EXPECT_EQ(page.FindText("  1/3 "), nullptr);
    }
    s->PageNr = ppNone;
    s->Time = ppTopLeft;
    s->Date = ppTopLeft;
    s->DateFormat = "yyyy";
    {
        TPreviewPage page;
        grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
        const QString year = QString::number(QDate::currentDate().year());
        const QRegularExpression slot("^" + year + " \\d\\d:\\d\\d $");
        bool found = false;
        for (const TCanvasCall& c : page.Recorder.Calls)
            found = found || (c.Kind == TCanvasCall::ckText && slot.match(c.Text).hasMatch());
        EXPECT_TRUE(found) << "date, blank, time, blank";
    }
    s->Time = ppNone;
    s->Date = ppNone;
    s->Title = ppTopCenter;
    s->TitleLines()->Add("A");
    s->TitleLines()->Add("B");
    s->TitleLines()->Add("C");
    {
        TPreviewPage page;
        grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
        const TCanvasCall* a = page.FindText("A");
        const TCanvasCall* b = page.FindText("B");
        const TCanvasCall* c = page.FindText("C");
        ASSERT_TRUE(a && b && c);
        const int lh = page.HeightOf(s->HeaderFont());
        EXPECT_EQ(a->Point.Y, 0);
        EXPECT_EQ(b->Point.Y, -lh);
        EXPECT_EQ(c->Point.Y, -2 * lh);
        EXPECT_EQ(c->Point.X, (2100 - page.WidthOf("C", s->HeaderFont())) / 2);
    }
}

TEST_F(PrintTest, EventsBreakAndCancelPages)
{
    SetupLayoutGrid(3, 31);
    std::vector<int> lastRows;
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int, int, int) {
        lastRows.push_back(LastRow);
    };
    grid->OnPrintNewPage = [](TObject*, int ARow, bool& NewPage) { NewPage = ARow == 5; };
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(lastRows, (std::vector<int>{5, 16, 27, 31})) << "a break after row 4";
    EXPECT_EQ(page.CellTexts(), RowTexts(0, 4));

    lastRows.clear();
    grid->OnPrintNewPage = nullptr;
    grid->OnPrintCancel = [](TObject*, int PageNr, bool& Cancel) { Cancel = PageNr == 1; };
    TPreviewPage again;
    grid->PrintPreview(again.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(lastRows, std::vector<int>{11}) << "nothing after the cancelled page";
}

TEST_F(PrintTest, FitToPageShrinksOnlyWhatIsTooWide)
{
    SetupLayoutGrid(3, 5);
    grid->PrintSettings()->FixedWidth = 400;
    TPreviewPage page;
    grid->PrintSettings()->FitToPage = fpShrink;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(grid->MaxWidths[0], 400);
    EXPECT_EQ(grid->MaxWidths[2], 400);
    grid->PrintSettings()->FitToPage = fpAlways;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(grid->MaxWidths[0], 700);
    EXPECT_EQ(grid->MaxWidths[2], 700);
    EXPECT_EQ(grid->Indents[0], 0);
    EXPECT_EQ(grid->Indents[3], 2100) << "the columns fill the page";
}

// A range right of the fixed column still repeats it, measured, on every strip.
TEST_F(PrintTest, RepeatedFixedColumnsStartEveryStrip)
{
    SetupLayoutGrid(5, 3);
    grid->SetFixedCols(1);
    for (int r = 0; r < 3; ++r)
        grid->SetCells(0, r, "f" + QString::number(r));
    grid->PrintSettings()->RepeatFixedCols = true;
    for (int p = 1; p <= 2; ++p) {
        grid->SetPreviewPage(p);
        TPreviewPage page;
        grid->PrintPreviewRect(page.Canvas.get(), TRect(0, 0, 2100, 2970), TGridRect{1, 0, 4, 2});
        EXPECT_TRUE(page.CellTexts().contains("f1")) << "strip " << p;
        EXPECT_EQ(grid->Indents[1] - grid->Indents[0], 500) << "column 0 sits left of the strip";
    }
}

TEST_F(PrintTest, FastPrintStopsAfterThePageShown)
{
    SetupLayoutGrid(3, 100);
    grid->FastPrint = true;
    grid->SetPreviewPage(3);
    std::vector<int> done, starts;
    grid->OnPrintStart = [&](TObject*, int Pages, int&, int&) { starts.push_back(Pages); };
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int Page, int, int) { done.push_back(Page); };
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(starts, std::vector<int>{1});
    EXPECT_EQ(done, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(page.CellTexts(), RowTexts(22, 32));
}

TEST_F(PrintTest, PrintDrawDrawsPageOneIntoTheClipRectangle)
{
    SetupLayoutGrid(3, 31);
    bool started = false;
    grid->OnPrintStart = [&](TObject*, int, int&, int&) { started = true; };
    TPreviewPage page;
    grid->PrintDraw(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_FALSE(started);
    EXPECT_EQ(page.CellTexts(), RowTexts(0, 10));
    EXPECT_NE(page.FindText("  1 "), nullptr) << "a single page has no total";
}

TEST_F(PrintTest, RowTallerThanThePageGetsAPageOfItsOwn)
{
    SetupLayoutGrid(3, 5);
    grid->PrintSettings()->FixedHeight = 4000;
    std::vector<int> starts, lastRows;
    grid->OnPrintStart = [&](TObject*, int Pages, int&, int&) { starts.push_back(Pages); };
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int, int, int) {
        lastRows.push_back(LastRow);
    };
    TPreviewPage page;
    grid->PrintPreview(page.Canvas.get(), TRect(0, 0, 2100, 2970));
    EXPECT_EQ(starts, std::vector<int>{5});
    EXPECT_EQ(lastRows, (std::vector<int>{1, 2, 3, 4, 5}));
    // A canvas without height still ends: one row per page.
    TCanvas none;
    grid->PrintSettings()->FixedHeight = 240;
    lastRows.clear();
    grid->PrintDraw(&none, TRect(0, 0, 100, 0));
    EXPECT_EQ(lastRows.size(), 10u) << "five rows in each of two strips";
}

TEST_F(PrintTest, RangesBeyondTheColumnTablesPrint)
{
    grid->PrintSettings()->UseFixedWidth = true;
    grid->PrintSettings()->FixedWidth = 100;
    grid->PrintSettings()->UseFixedHeight = true;
    grid->PrintSettings()->FixedHeight = 100;
    grid->SetColCount(600);
    grid->SetRowCount(2);
    grid->SetCells(599, 1, "last");
    std::vector<int> starts;
    grid->OnPrintStart = [&](TObject*, int Pages, int&, int&) { starts.push_back(Pages); };
    TPreviewPage page;
    grid->PrintPreviewRect(page.Canvas.get(), TRect(0, 0, 2100, 2970), TGridRect{0, 0, 700, 5});
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], 29) << "600 columns of 10 mm, 21 to a page; the range clipped to the grid";
    EXPECT_GE(grid->Indents.size(), 601u);
}

} // namespace printtest
