// Several solid fills in one drawing call: order, origin and clip, and the untouched pen and brush.
// The canvas writes them straight into 32-bit surfaces; every pixel must be the one QPainter's
// fillRect gives for the same rectangles one after the other.
#include "platform/graphics/Canvas.h"

#include <QCoreApplication>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string_view>

namespace
{

using TFills = std::vector<TCanvas::TColorFill>;

QImage Paper(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, format);
    image.fill(QColor(0x12, 0x34, 0x56));
    return image;
}

// Overlapping rectangles partly outside the surface, thin bands, an empty one, a clNone one and
// one far out.
TFills RandomFills(std::mt19937& random, int w, int h)
{
    std::uniform_int_distribution<int> x(-8, w + 8), y(-8, h + 8), size(0, 12), colour(0, 0xFFFFFF);
    TFills fills;
    for (int i = 0; i < 40; ++i) {
        const int l = x(random), t = y(random);
        fills.push_back(
            {TRect(l, t, l + size(random), t + (i % 3 == 0 ? 1 : size(random))), TColor(colour(random))});
    }
    fills.push_back({TRect(5, 5, 2, 9), 0xFF0000});
    fills.push_back({TRect(0, 0, w, h / 2), clNone});
    fills.push_back({TRect(-0x3FFFFFF, 3, 0x3FFFFFF, 4), 0x00FF00});
    fills.push_back({TRect(1, 1, 3, 3), clBtnFace}); // a system colour
    return fills;
}

// The reference: QPainter::fillRect for each rectangle, under the given clip and origin.
void PaintOneByOne(QPainter& p, const TFills& fills)
{
    for (const TCanvas::TColorFill& f : fills)
        if (!f.Rect.IsEmpty() && f.Color != clNone)
            p.fillRect(f.Rect.ToQRect(), ColorToQColor(f.Color));
}

struct TClipCase {
    const char* name;
    std::function<void(TCanvas&)> clip; // what the canvas is given, in device coordinates
    QRegion region;                     // the same for the reference painter
};

std::vector<TClipCase> ClipCases()
{
    const QRegion several = QRegion(2, 3, 9, 7) + QRegion(14, 1, 6, 12) + QRegion(4, 15, 20, 2);
    const QRegion round(QRect(1, 1, 22, 16), QRegion::Ellipse);
    return {
        {"none", [](TCanvas&) {}, QRegion()},
        {"rectangle", [](TCanvas& c) { c.IntersectClipRect(TRect(3, 2, 17, 14)); }, QRegion(3, 2, 14, 12)},
        {"several rectangles", [several](TCanvas& c) { c.SelectClipRgn(&several); }, several},
        {"ellipse less a hole",
         [round](TCanvas& c) {
             c.SelectClipRgn(&round);
             c.ExcludeClipRect(TRect(8, 6, 12, 9));
         },
         round - QRegion(8, 6, 4, 3)},
        {"nothing visible", [](TCanvas& c) { c.IntersectClipRect(TRect(50, 50, 60, 60)); },
         QRegion(0, 0, 1, 1)},
    };
}

// The reference painter clipped like the canvas (an empty clip there shows nothing).
void ClipLike(QPainter& p, const TClipCase& clip, Qt::ClipOperation op)
{
    if (std::string_view(clip.name) == "nothing visible")
        p.setClipRect(QRect(50, 50, 10, 10), op);
    else if (!clip.region.isEmpty())
        p.setClipRegion(clip.region, op);
}

} // namespace

TEST(CanvasFillRects, LaterFillsCoverEarlierOnesWithinOriginAndClip)
{
    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.Pen->Color = 0x00AA00;
    canvas.Brush->Color = 0xAA0000;
    canvas.SetWindowOrg(-1, 0); // logical x 0 is drawn at device x 1
    canvas.IntersectClipRect(TRect(0, 0, 9, 8));
    canvas.FillRects({{TRect(0, 0, 6, 4), 0x0000FF},
                      {TRect(3, 2, 20, 6), 0x00FF00},
                      {TRect(0, 6, 4, 8), clNone},
                      {TRect(5, 7, 2, 8), 0xFF0000}}); // empty: right before left
    auto at = [&](int x, int y) { return QColorToColor(QColor::fromRgb(image.pixel(x, y))); };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(1, 0), 0x0000FFu);
    EXPECT_EQ(at(6, 1), 0x0000FFu);
    EXPECT_EQ(at(7, 1), 0xFFFFFFu);
    EXPECT_EQ(at(4, 2), 0x00FF00u) << "the later fill covers the earlier one";
    EXPECT_EQ(at(9, 4), 0x00FF00u);
    EXPECT_EQ(at(10, 4), 0xFFFFFFu) << "clipped";
    EXPECT_EQ(at(2, 7), 0xFFFFFFu) << "clNone draws nothing";
    EXPECT_EQ(at(4, 7), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pen->Color.get(), 0x00AA00u);
    EXPECT_EQ(canvas.Brush->Color.get(), 0xAA0000u);
}

// Image canvases of every 32-bit format, origins and clips of one rectangle, of several, of an
// ellipse with a hole and of nothing.
TEST(CanvasFillRects, ImageCanvasGivesThePixelsOfOneFillAfterTheOther)
{
    std::mt19937 random(17);
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32,
                                  QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888})
        for (const TClipCase& clip : ClipCases())
            for (TPoint origin : {TPoint(0, 0), TPoint(3, -2), TPoint(-5, 4)})
                for (int round = 0; round < 4; ++round) {
                    const TFills fills = RandomFills(random, 24, 18);
                    QImage image = Paper(24, 18, format), expected = image.copy();
                    TCanvas canvas(&image);
                    clip.clip(canvas);
                    canvas.SetWindowOrg(-origin.X, -origin.Y);
                    canvas.FillRects(fills);
                    {
                        QPainter p(&expected);
                        ClipLike(p, clip, Qt::ReplaceClip);
                        p.translate(origin.X, origin.Y);
                        PaintOneByOne(p, fills);
                    }
                    ASSERT_EQ(image, expected) << "format " << format << ", clip " << clip.name << ", origin "
                                               << origin.X << "," << origin.Y << ", round " << round;
                }
}

// A bound painter: its own transform and clip stay underneath the canvas's origin and clip; a
// transform that scales goes through QPainter and still gives its pixels.
TEST(CanvasFillRects, BoundPainterGivesThePixelsOfOneFillAfterTheOther)
{
    std::mt19937 random(20);
    struct TPainterCase {
        const char* name;
        QTransform transform;
        bool clips;
    };
    for (const TPainterCase& pc : {TPainterCase{"moved", QTransform::fromTranslate(3, -2), false},
                                   TPainterCase{"moved and clipped", QTransform::fromTranslate(-4, 5), true},
                                   TPainterCase{"scaled", QTransform::fromScale(2, 1), true}})
        for (const TClipCase& clip : ClipCases())
            for (int round = 0; round < 3; ++round) {
                const TFills fills = RandomFills(random, 24, 18);
                QImage image = Paper(30, 24), expected = image.copy();
                auto prepare = [&](QPainter& p) {
                    p.setTransform(pc.transform);
                    if (pc.clips)
                        p.setClipRect(QRect(1, 2, 20, 15));
                };
                {
                    QPainter p(&image);
                    prepare(p);
                    TCanvas canvas;
                    TCanvasPainterBinding binding(canvas, p);
                    clip.clip(canvas);
                    canvas.SetWindowOrg(-2, -1);
                    canvas.FillRects(fills);
                    // A second call after the painter was prepared by the first.
                    canvas.FillRects({{TRect(0, 0, 4, 4), 0x0000FF}});
                }
                {
                    QPainter p(&expected);
                    prepare(p);
                    ClipLike(p, clip, pc.clips ? Qt::IntersectClip : Qt::ReplaceClip);
                    p.translate(2, 1);
                    PaintOneByOne(p, fills);
                    p.fillRect(QRect(0, 0, 4, 4), QColor(0xFF, 0, 0));
                }
                ASSERT_EQ(image, expected) << pc.name << ", clip " << clip.name << ", round " << round;
            }
}

namespace
{
// Fills its whole area in its paint event and keeps the window's backing store as it was before
// and after the fills.
class FilledWidget : public QWidget
{
  public:
    using QWidget::QWidget;
    TColor Color = 0x0000FF;
    QImage Before, After;
    QRegion Painted; // the paint event's region, in the backing store's pixels
    QPoint Offset;   // the widget's place in the backing store

  protected:
    void paintEvent(QPaintEvent* e) override
    {
        QPainter p(this);
        QImage* store = static_cast<QImage*>(p.paintEngine()->paintDevice());
        Before = store->copy();
        Offset = p.deviceTransform().map(QPoint(0, 0));
        Painted = e->region().translated(Offset);
        TCanvas canvas;
        TCanvasPainterBinding binding(canvas, p);
        canvas.FillRects({{TRect(-5, -5, width() + 5, height() + 5), Color}, {TRect(2, 2, 6, 6), 0x00FF00}});
        After = store->copy();
    }
};
} // namespace

// On a shown widget the window's backing store is written directly: only inside the widget and
// the region its paint event is for.
TEST(CanvasFillRects, WidgetPaintStaysInsideThePaintEventsRegion)
{
    QWidget window;
    window.resize(60, 50);
    FilledWidget w(&window);
    w.setGeometry(10, 8, 30, 20);
    window.show();
    QCoreApplication::processEvents();
    w.repaint();
    ASSERT_FALSE(w.After.isNull());
    ASSERT_TRUE(w.After.format() == QImage::Format_RGB32 ||
                w.After.format() == QImage::Format_ARGB32_Premultiplied)
        << "the backing store is a 32-bit image here";
    w.Color = 0xFF0000;
    const QRegion part = QRegion(20, 0, 5, 20) + QRegion(0, 15, 30, 2);
    w.repaint(QRect(4, 3, 10, 6));
    w.repaint(part);
    EXPECT_EQ(w.Painted, part.translated(w.Offset));
    const QRect green(2, 2, 4, 4);
    for (int y = 0; y < w.After.height(); ++y)
        for (int x = 0; x < w.After.width(); ++x) {
            const QRgb now = w.After.pixel(x, y);
            if (!w.Painted.contains(QPoint(x, y)))
                ASSERT_EQ(now, w.Before.pixel(x, y)) << x << "," << y;
            else
                ASSERT_EQ(now, green.contains(QPoint(x, y) - w.Offset) ? qRgb(0, 0xFF, 0) : qRgb(0, 0, 0xFF))
                    << x << "," << y;
        }
}
