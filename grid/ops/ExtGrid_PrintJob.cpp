// TExtStringGrid: print jobs on the printer, previews and single pages on any canvas, and the font
// mapping of the print engine.
#include "grid/core/ExtGrid.h"
#include "grid/ops/PrintLayout.h"
#include "platform/graphics/CanvasMapping.h"

#include <functional>

#include <QPrinter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>

namespace
{

constexpr int FastPrintPages = INT_MAX;

// Puts the canvas's mapping mode back, and ends the document or the preview, also when an event
// raises (a document cut short by an exception is aborted: no partial file stays).
class TPrintScope
{
  public:
    TPrintScope(TCanvas* Canvas, std::function<void(bool Failed)> Finish)
        : canvas_(Canvas), mode_(GetMapMode(Canvas)), finish_(std::move(Finish)),
          exceptions_(std::uncaught_exceptions())
    {
    }
    ~TPrintScope()
    {
        SetMapMode(canvas_, mode_);
        if (finish_)
            finish_(std::uncaught_exceptions() > exceptions_);
    }
    TPrintScope(const TPrintScope&) = delete;
    TPrintScope& operator=(const TPrintScope&) = delete;

  private:
    TCanvas* canvas_;
    int mode_;
    std::function<void(bool)> finish_;
    int exceptions_;
};

} // namespace

int TExtStringGrid::MapFontHeight(int PointSize) const
{
    return -int(std::trunc(PointSize * 254.0 / 72.0 * Fontscalefactor));
}

int TExtStringGrid::MapFontSize(int Height) const
{
    return int(std::trunc(Height * 72.0 / 254.0));
}

void TExtStringGrid::SetPreviewPage(int Value)
{
    FPrintPageFrom = Value;
    FPrintPageTo = Value;
}

int TExtStringGrid::PrintLayout(TCanvas* Canvas, TPrintMode Mode, bool SelectedOnly, int TotalPages,
                                TPrinter* APrinter)
{
    // The tables reach the range's last column and the entry after it.
    const size_t needed = size_t(std::max(ColumnTableSize, FPrintRect.Right + 2));
    if (MaxWidths.size() < needed)
        MaxWidths.resize(needed, 0);
    if (Indents.size() < needed)
        Indents.resize(needed, 0);
    // The canvas's font, pen, brush and clip come back also when an event raises.
    struct TCanvasState {
        TCanvas* Canvas;
        int Saved;
        double& Scale;
        ~TCanvasState()
        {
            Canvas->Restore(Saved);
            Scale = 1.0;
        }
    } state{Canvas, Canvas->Save(), Fontscalefactor};
    TPrintLayout run(*this, Canvas, Mode, SelectedOnly, TotalPages, APrinter);
    return run.Run();
}

namespace
{

// The range clipped to the grid; Left > Right or Top > Bottom when nothing of it is there.
TGridRect ClipToGrid(const TGridRect& R, int ColCount, int RowCount)
{
    TGridRect c;
    c.Left = std::max(0, std::min(R.Left, R.Right));
    c.Right = std::min(ColCount - 1, std::max(R.Left, R.Right));
    c.Top = std::max(0, std::min(R.Top, R.Bottom));
    c.Bottom = std::min(RowCount - 1, std::max(R.Top, R.Bottom));
    return c;
}

} // namespace

void TExtStringGrid::PrintJob(const TGridRect& Range, bool SelectedOnly)
{
    ExportNotification(esExportStart, -1);
    FPrintRect = ClipToGrid(Range, ColCount(), RowCount());
    TPrinter* printer = ::Printer();
    if (!FPrintSettings->UseDefaultOrientation)
        printer->SetOrientation(FPrintSettings->Orientation);
    const QPrinter* qp = printer->QtPrinter();
    PrevRect = TRect(0, 0, int(std::lround(254.0 / qp->logicalDpiX() * printer->PageWidth())),
                     int(std::lround(254.0 / qp->logicalDpiY() * printer->PageHeight())));
    printer->Title = FPrintSettings->JobName;
    printer->BeginDoc();
    TCanvas* canvas = printer->Canvas();
    TPrintScope scope(canvas, [printer](bool Failed) {
        if (Failed)
            printer->Abort();
        else
            printer->EndDoc();
    });
    int count = FastPrintPages;
    if (!FastPrint) {
        SetMapMode(canvas, MM_LOMETRIC);
        count = PrintLayout(canvas, pmCountPrint, SelectedOnly, -1, printer);
    }
    FPrintPageFrom = 1;
    FPrintPageTo = count;
    FPrintPageNum = count;
    if (OnPrintStart) {
        printer->Abort();
        OnPrintStart(this, count, FPrintPageFrom, FPrintPageTo);
        if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageFrom > FPrintPageTo)
            return;
        printer->BeginDoc();
    } else if (count == 0) {
        // Nothing to print: no empty document either.
        printer->Abort();
        return;
    }
    FPrintPageNum = FPrintPageTo;
    PrintLayout(canvas, pmPrintDraw, SelectedOnly, count, printer);
    SetMapMode(canvas, MM_TEXT);
    printer->EndDoc();
    ExportNotification(esExportDone, -1);
}

void TExtStringGrid::Print()
{
    PrintJob(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, false);
}

void TExtStringGrid::PrintSelection()
{
    PrintJob(Selection(), false);
}

void TExtStringGrid::PrintRect(const TGridRect& Gridrect)
{
    PrintJob(Gridrect, false);
}

void TExtStringGrid::PrintSelectedRows()
{
    PrintJob(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TExtStringGrid::PrintSelectedCols()
{
    PrintJob(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TExtStringGrid::PrintPreviewJob(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Range,
                                     bool SelectedOnly)
{
    ExportNotification(esExportStart, -1);
    FPrintRect = ClipToGrid(Range, ColCount(), RowCount());
    TPrintScope scope(Canvas, [this](bool) {
        ExportNotification(esExportDone, -1);
        FIsPrintPreview = false;
    });
    SetMapMode(Canvas, MM_LOMETRIC);
    PrevRect = Displayrect;
    int count = 1;
    if (!FastPrint) {
        count = PrintLayout(Canvas, pmCountPreview, SelectedOnly, -1, nullptr);
        FPrintPageNum = count;
    }
    int from = 1, to = count;
    FIsPrintPreview = true;
    if (OnPrintStart)
        OnPrintStart(this, count, from, to);
    if (from > 0 && to > 0 && to >= from) {
        PrevRect = Displayrect;
        PrintLayout(Canvas, pmPrintPreview, SelectedOnly, count, nullptr);
    }
}

void TExtStringGrid::PrintPreview(TCanvas* Canvas, const TRect& Displayrect)
{
    PrintPreviewJob(Canvas, Displayrect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, false);
}

void TExtStringGrid::PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect)
{
    PrintPreviewJob(Canvas, Displayrect, Gridrect, false);
}

void TExtStringGrid::PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect)
{
    PrintPreviewJob(Canvas, Displayrect, Selection(), false);
}

void TExtStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect)
{
    PrintPreviewJob(Canvas, Displayrect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TExtStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect)
{
    PrintPreviewJob(Canvas, Displayrect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TExtStringGrid::PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect)
{
    FPrintRect = ClipToGrid(Gridrect, ColCount(), RowCount());
    PrevRect = DrawRect;
    FPrintPageFrom = 1;
    FPrintPageTo = 1;
    FPrintPageNum = 1;
    TPrintScope scope(Canvas, nullptr);
    SetMapMode(Canvas, MM_LOMETRIC);
    PrintLayout(Canvas, pmPrintDraw, false, 1, nullptr);
}

void TExtStringGrid::PrintDraw(TCanvas* Canvas, const TRect& DrawRect)
{
    PrintDrawRect(Canvas, DrawRect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}
