// The printer of the process over QPrinter, and the device capabilities.
#include "platform/graphics/Printers.h"

#include "platform/graphics/CanvasMapping.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

TPrinter::TPrinter() : FCanvas(std::make_unique<TCanvas>()) {}

TPrinter::~TPrinter()
{
    if (Printing())
        Finish();
}

QPrinter* TPrinter::Current() const
{
    if (FAttached)
        return FAttached;
    if (!FOwn) {
        FOwn = std::make_unique<QPrinter>(QPrinter::HighResolution);
        FOwn->setFullPage(true);
        FOwn->setPageSize(QPageSize(QPageSize::A4));
        FOwn->setPageOrientation(QPageLayout::Portrait);
    }
    return FOwn.get();
}

QPrinter* TPrinter::QtPrinter() const
{
    return Current();
}

void TPrinter::BeginDoc()
{
    if (Printing())
        throw EPrinter(QStringLiteral("Printing in progress"));
    QPrinter* p = Current();
    // Without printers Qt falls back to PDF, which needs a file.
    if (p->outputFileName().isEmpty() && (p->printerName().isEmpty() || !p->isValid()))
        throw EPrinter(QStringLiteral("No printer is available"));
    p->setDocName(Title);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(p))
        throw EPrinter(QStringLiteral("The printer could not start the document"));
    FPainter = std::move(painter);
    FBinding = std::make_unique<TCanvasPainterBinding>(*FCanvas, *FPainter);
    FPageNumber = 1;
    FAborted = false;
}

void TPrinter::Finish()
{
    FBinding.reset();
    if (FPainter && FPainter->isActive())
        FPainter->end();
    FPainter.reset();
}

void TPrinter::EndDoc()
{
    if (Printing())
        Finish();
}

void TPrinter::Abort()
{
    if (!Printing())
        return;
    Finish();
    FAborted = true;
    const QString file = Current()->outputFileName();
    if (!file.isEmpty())
        QFile::remove(file);
}

void TPrinter::NewPage()
{
    if (!Printing())
        return;
    Current()->newPage();
    ++FPageNumber;
}

TPrinterOrientation TPrinter::Orientation() const
{
    return Current()->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    Current()->setPageOrientation(Value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int TPrinter::PageWidth() const
{
    return Current()->width();
}

int TPrinter::PageHeight() const
{
    return Current()->height();
}

void TPrinter::SetOutputFileName(const QString& Path)
{
    QPrinter* p = Current();
    if (Path.isEmpty()) {
        p->setOutputFileName(QString());
        p->setOutputFormat(QPrinter::NativeFormat);
        return;
    }
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(Path);
}

QString TPrinter::OutputFileName() const
{
    return Current()->outputFileName();
}

void TPrinter::Attach(QPrinter* Value)
{
    FAttached = Value;
}

TPrinter* Printer()
{
    static std::unique_ptr<TPrinter> printer = std::make_unique<TPrinter>();
    return printer.get();
}

int GetDeviceCaps(HDC Canvas, int Index)
{
    if (!Canvas)
        return 0;
    switch (Index) {
    case LOGPIXELSX:
        return CanvasLogPixels(Canvas, false);
    case LOGPIXELSY:
        return CanvasLogPixels(Canvas, true);
    case HORZRES:
        return Canvas->SurfaceSize().width();
    case VERTRES:
        return Canvas->SurfaceSize().height();
    default:
        return 0;
    }
}

int DeviceCapabilities(int Capability)
{
    return Capability == DC_ORIENTATION ? 90 : 0;
}
