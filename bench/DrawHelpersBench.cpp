// One page of 40 x 12 cells of 64 x 24 pixels: every cell filled by DrawGradient (64 steps) or drawn
// as a styled selection, on an image canvas, against QPainter::fillRect with a QLinearGradient over
// the same cells. The canvas is bound to one painter for the page, as in a paint event; the
// "ImageCanvas" variants draw through the canvas's own image painter instead. Not run by CI.
#include "grid/base/DrawHelpers.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Cols = 40, Rows = 12, CellW = 64, CellH = 24;

QImage Page()
{
    QImage image(Cols * CellW, Rows * CellH, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

template <class F> void EachCell(F f)
{
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            f(Bounds(c * CellW, r * CellH, CellW, CellH));
}

void QtGradientPage(benchmark::State& state, bool horizontal)
{
    QImage image = Page();
    for (auto _ : state) {
        QPainter p(&image);
        EachCell([&](const TRect& r) {
            const QRect q = r.ToQRect();
            QLinearGradient g(q.topLeft(), horizontal ? q.topRight() : q.bottomLeft());
            g.setColorAt(0, QColor(0xF1, 0xF8, 0xFD));
            g.setColorAt(1, QColor(0xD5, 0xEF, 0xFC));
            p.fillRect(q, g);
        });
    }
}

void CanvasGradientPage(benchmark::State& state, bool horizontal, bool bound)
{
    QImage image = Page();
    TCanvas canvas(&image);
    for (auto _ : state) {
        auto draw = [&] {
            EachCell([&](const TRect& r) { DrawGradient(&canvas, 0xFDF8F1, 0xFCEFD5, 64, r, horizontal); });
        };
        if (bound) {
            QPainter p(&image);
            TCanvasPainterBinding binding(canvas, p);
            draw();
        } else {
            draw();
        }
    }
}

void CanvasSelectionPage(benchmark::State& state)
{
    QImage image = Page();
    TCanvas canvas(&image);
    for (auto _ : state) {
        QPainter p(&image);
        TCanvasPainterBinding binding(canvas, p);
        EachCell([&](const TRect& r) {
            DrawStyledSelection(&canvas, 0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99,
                                0xFCEDCB, 0xFFFFFF, r, SelectionPieceSingle);
        });
    }
}

// Half the page scrolled out of view: only the visible bands are drawn.
void CanvasGradientHalfClipped(benchmark::State& state)
{
    QImage image = Page();
    TCanvas canvas(&image);
    for (auto _ : state) {
        QPainter p(&image);
        TCanvasPainterBinding binding(canvas, p);
        canvas.IntersectClipRect(TRect(0, 0, Cols * CellW / 2, Rows * CellH));
        EachCell([&](const TRect& r) { DrawGradient(&canvas, 0xFDF8F1, 0xFCEFD5, 64, r, true); });
    }
}

} // namespace

BENCHMARK_CAPTURE(QtGradientPage, Horizontal, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CanvasGradientPage, Horizontal, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CanvasGradientPage, HorizontalImageCanvas, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtGradientPage, Vertical, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CanvasGradientPage, Vertical, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK(CanvasSelectionPage)->Unit(benchmark::kMillisecond);
BENCHMARK(CanvasGradientHalfClipped)->Unit(benchmark::kMillisecond);
