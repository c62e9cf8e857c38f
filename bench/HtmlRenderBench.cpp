// The mini-HTML renderer on one page of 40 rows x 5 cells holding the same markup, against
// QTextDocument::drawContents of that markup in the same cells (the canvas bound to one painter for
// the page, as in a paint event); and measuring 10,000 such cells (MeasureOnly) against
// QTextDocument::idealWidth. Each baseline document is built per cell, as the renderer parses per
// cell: no parse cache on either side. Not run by CI.
#include "grid/base/HtmlRender.h"

#include <QApplication>
#include <QPainter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Rows = 40, Cols = 5, CellW = 120, CellH = 20, Measured = 10000;
const QString Markup = QStringLiteral(R"(<b>12</b> <i>kg</i> <a href="x">link</a> &amp; more)");

struct TOut {
    QString hitAnchor, plain, focusHref, hitTitle, controlID, controlValue, controlType;
    int linesWidth = 0, linesHeight = 0, anchorCount = 0, hitAnchorNumber = 0;
    TRect hitAnchorRect, hitControlRect;
};

bool Render(TCanvas* canvas, const TRect& r, bool measureOnly, TOut& o)
{
    return RenderHTML(canvas, Markup, r, nullptr, -1, -1, -1, 0, 1, false, measureOnly, false, false, true,
                      false, true, false, 1.0, clBlue, clNone, clNone, clGray, o.hitAnchor, o.plain,
                      o.focusHref, o.hitTitle, o.linesWidth, o.linesHeight, o.anchorCount, o.hitAnchorNumber,
                      o.hitAnchorRect, o.hitControlRect, o.controlID, o.controlValue, o.controlType, nullptr,
                      nullptr, 0, 0);
}

QImage Page()
{
    QImage image(Cols * CellW, Rows * CellH, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void RenderHTMLPage(benchmark::State& state)
{
    QImage image = Page();
    TCanvas canvas(&image);
    TOut o;
    for (auto _ : state) {
        QPainter p(&image);
        TCanvasPainterBinding binding(canvas, p);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                Render(&canvas, Bounds(c * CellW, r * CellH, CellW, CellH), false, o);
    }
    benchmark::DoNotOptimize(o.linesWidth);
}

void TextDocumentPage(benchmark::State& state)
{
    QImage image = Page();
    const QFont font = TFont().ToQFont();
    for (auto _ : state) {
        QPainter p(&image);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) {
                QTextDocument doc;
                doc.setDefaultFont(font);
                doc.setDocumentMargin(0);
                doc.setHtml(Markup);
                doc.setTextWidth(CellW);
                p.save();
                p.translate(c * CellW, r * CellH);
                p.setClipRect(0, 0, CellW, CellH);
                doc.drawContents(&p, QRectF(0, 0, CellW, CellH));
                p.restore();
            }
    }
}

void RenderHTMLMeasure(benchmark::State& state)
{
    TCanvas canvas; // measuring needs no surface
    TOut o;
    for (auto _ : state)
        for (int i = 0; i < Measured; ++i)
            Render(&canvas, TRect(0, 0, 1000, 100), true, o);
    benchmark::DoNotOptimize(o.linesWidth);
}

void TextDocumentMeasure(benchmark::State& state)
{
    const QFont font = TFont().ToQFont();
    qreal width = 0;
    for (auto _ : state)
        for (int i = 0; i < Measured; ++i) {
            QTextDocument doc;
            doc.setDefaultFont(font);
            doc.setDocumentMargin(0);
            doc.setHtml(Markup);
            width += doc.idealWidth();
        }
    benchmark::DoNotOptimize(width);
}

} // namespace

BENCHMARK(TextDocumentPage)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderHTMLPage)->Unit(benchmark::kMillisecond);
BENCHMARK(TextDocumentMeasure)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderHTMLMeasure)->Unit(benchmark::kMillisecond);
