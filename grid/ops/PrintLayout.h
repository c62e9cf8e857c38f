// TPrintLayout: one layout run of the string grid's print engine (internal to grid/ops). It cuts
// FPrintRect into strips of columns that fit the page width and each strip into pages of rows that
// fit its height, in MM_LOMETRIC units (0.1 mm, y upward, the page top at y = 0). The modes count
// pages (nothing drawn) or draw them on the canvas. The run object holds the run's variables; the
// row and cell questions (PrintCells.cpp) and the header, footer, frame and page turn
// (PrintHeader.cpp) read them.
//
// Order of a run: Setup (fonts, page, pixel factor, column widths, fit to page, OnPrintSetColumnWidth),
// then per strip: fit columns, Indents, header and footer space, OnPrintPage; per row: header and
// footer on a new page, the repeated fixed rows, the row, OnPrintNewPage, OnPrintPageDone and
// OnPrintCancel when the page is full, the frame and the page turn.
#pragma once

#include "grid/core/ExtGrid.h"
#include "platform/graphics/CanvasMapping.h"

#include <cstdint>
#include <memory>

class TPrintLayout
{
  public:
    using TMode = TExtStringGrid::TPrintMode;
    TPrintLayout(TExtStringGrid& Grid, TCanvas* Canvas, TMode Mode, bool SelectedOnly, int TotalPages,
                 TPrinter* APrinter);
    ~TPrintLayout();
    // The number of pages.
    int Run();

  private:
    bool Drawing() const
    {
        return Mode == TExtStringGrid::pmPrintPreview || Mode == TExtStringGrid::pmPrintDraw;
    }
    bool Preview() const { return Mode == TExtStringGrid::pmPrintPreview; }
    // Page index + 1 lies in FPrintPageFrom .. FPrintPageTo.
    bool PageOutput() const;
    void Setup();
    // Header and footer space of the strip's first page (HTML title measured) or of a later page.
    void ComputeSpaces(bool MeasureTitle);
    void SetCanvasFont(const TFont* Font, int PointSize);

    // -- Printed cells --
    bool RowFilter(int Row);
    bool ColFilter(int Col);
    void ColumnWidths();
    int RowHeight(int Row);
    TPoint CellSize(int RCol, int Row);
    // The text a cell prints (plain; formulas calculated, rich text and HTML reduced to plain text).
    QString CellText(int RCol, int Row);
    // Prints columns First .. Last of Row at Y; the height by which Y moves down.
    int PrintRow(int Y, int First, int Last, int Row);
    void PrintCell(int Y, int G, int Last, int Row, int RowPrintHeight);

    // -- Header, footer, frame, page turn --
    QString PageNumberText();
    // The height of an HTML title (0 without one, in counting modes and outside the output range).
    int HeaderFooter(int DrawFlag);
    int HtmlTitleHeight(bool Draw, bool Top);
    void PageFrame(int First, int Last, int Y);
    void PageTurn();

    TExtStringGrid& G;
    TPrintSettings& S;
    TCanvas* C;
    TMode Mode;
    bool SelectedOnly;
    int TotalPages;
    TPrinter* FPrinter;
    TGridRect R;

    int Width = 0;
    int Height = 0;
    double Resolution = 1.0; // canvas / screen resolution, for the HTML renderer
    double PixelFactor = 1.0;
    double FitScale = 1.0;
    int Spacing = 0;
    int HeaderHeight = 0;
    int FooterHeight = 0;
    int CellTextHeight = 0;
    int16_t LineGap = 0;
    int16_t TextInset = 0;
    int HeaderSpace = 0;
    int FooterSpace = 0;
    int Y = 0;
    int PageIndex = 0;
    int StripNr = 0;
    int PageInStrip = 0;
    int V = 0;
    int W = 0;
    bool RepeatCols = false;
    bool MultiStrip = false;
    int FixedColsWidth = 0;
    bool Cancel = false;
    bool RowClipped = false; // the row is placed on a page too short for it
    int CachedRow = -1;
    int CachedHeight = 0;

    std::unique_ptr<TFont> CellFont;
    std::unique_ptr<TFont> KeptFont;
    std::unique_ptr<TPen> WorkPen;
    std::unique_ptr<TBrush> CellBrush;
    std::unique_ptr<TBrush> KeptBrush;
};
