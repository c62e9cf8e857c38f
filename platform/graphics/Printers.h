// The toolkit's printer over Qt's QPrinter, and the device capabilities the print engine asks.
//
// Printer() is the one printer of the process: the system's default printer (CUPS), or a PDF file
// once SetOutputFileName names one. A document runs BeginDoc, NewPage ..., EndDoc (or Abort, which
// also deletes a partly written output file); between BeginDoc and EndDoc the printer's Canvas draws
// on the page through a QPainter. Attach hands in a QPrinter from outside (a QPrintPreviewWidget's
// paintRequested) so that a job can be looked at as a user would.
#pragma once

#include "platform/core/SysUtils.h"
#include "platform/graphics/Canvas.h"

#include <QString>
#include <memory>

class QPainter;
class QPrinter;

class EPrinter : public Exception
{
    using Exception::Exception;
};

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter
{
  public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // No printer and no output file: EPrinter "No printer is available". A document already
    // running: EPrinter "Printing in progress".
    void BeginDoc();
    void EndDoc();
    // Ends the document and deletes the output file it was writing.
    void Abort();
    void NewPage();
    bool Printing() const { return FPainter != nullptr; }
    bool Aborted() const { return FAborted; }
    // 1 for the first page of a document, one more with every NewPage.
    int PageNumber() const { return FPageNumber; }

    TCanvas* Canvas() const { return FCanvas.get(); }
    // The document name the spooler shows.
    QString Title;
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation Value);
    // The page in device pixels (the whole sheet: the engine's margins do all the work).
    int PageWidth() const;
    int PageHeight() const;

    // A path switches to a PDF file; "" back to the system printer.
    void SetOutputFileName(const QString& Path);
    QString OutputFileName() const;
    // Prints on Value (not owned) from now on; nullptr goes back to the own printer.
    void Attach(QPrinter* Value);
    QPrinter* QtPrinter() const;

  private:
    QPrinter* Current() const;
    void Finish();

    mutable std::unique_ptr<QPrinter> FOwn;
    QPrinter* FAttached = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<TCanvasPainterBinding> FBinding;
    int FPageNumber = 0;
    bool FAborted = false;
};

// The printer of the process, made on first use (after the application object).
TPrinter* Printer();

// Device capabilities (GetDeviceCaps).
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
// LOGPIXELSX/Y: the canvas's resolution (a printer's, an image's dots per meter, else 96);
// HORZRES/VERTRES: its surface in pixels.
int GetDeviceCaps(HDC Canvas, int Index);

// Printer capabilities (DeviceCapabilities).
constexpr int DC_ORIENTATION = 17;
// DC_ORIENTATION: the turn of a landscape page, 90 degrees; anything else 0.
int DeviceCapabilities(int Capability);
