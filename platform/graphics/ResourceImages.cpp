// The layer's named images. The push button glyphs are drawn here on first use: a strip of two
// 18 x 18 cells (normal, disabled) on an olive background that the button keys out as transparent
// (the bottom-left pixel's colour).
#include "platform/graphics/Bitmaps.h"

#include <QFile>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>

namespace
{

const QColor GlyphBack(128, 128, 0); // olive: the glyphs' transparent colour
constexpr int Cell = 18;

void PaintCheck(QPainter& p, const QColor& color, int dx, int dy = 0, int width = 3)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygon({QPoint(dx + 4, dy + 9), QPoint(dx + 7, dy + 12), QPoint(dx + 13, dy + 5)}));
}

void PaintCross(QPainter& p, const QColor& color)
{
    p.setPen(QPen(color, 3, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(5, 5, 12, 12);
    p.drawLine(12, 5, 5, 12);
}

// Each picture draws the normal cell (0..17) with antialiasing off: every pixel is either the
// background or a picture colour, so keying on the background leaves no fringe.
const std::map<QString, std::function<void(QPainter&)>>& Painters()
{
    static const std::map<QString, std::function<void(QPainter&)>> painters = {
        {"LBOK", [](QPainter& p) { PaintCheck(p, QColor(0, 128, 0), 0); }},
        {"LBYES",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0, 128, 0));
             p.drawEllipse(QRect(2, 2, 13, 13));
             PaintCheck(p, QColor(255, 255, 255), 0);
         }},
        {"LBCANCEL", [](QPainter& p) { PaintCross(p, QColor(192, 0, 0)); }},
        {"LBNO",
         [](QPainter& p) {
             p.setPen(QPen(QColor(192, 0, 0), 2));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRect(3, 3, 11, 11));
             p.drawLine(5, 12, 12, 5);
         }},
        {"LBHELP",
         [](QPainter& p) {
             const QColor blue(0, 0, 192);
             p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::FlatCap));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRect(5, 2, 7, 6), 180 * 16, -270 * 16);
             p.drawLine(9, 8, 9, 11);
             p.fillRect(QRect(8, 13, 2, 2), blue);
         }},
        {"LBCLOSE",
         [](QPainter& p) {
             p.fillRect(QRect(4, 2, 10, 14), QColor(128, 0, 0));
             p.fillRect(QRect(6, 4, 6, 12), QColor(192, 192, 192));
             p.fillRect(QRect(10, 9, 1, 2), QColor(0, 0, 0));
         }},
        {"LBABORT",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(192, 0, 0));
             p.drawPolygon(QPolygon({QPoint(6, 2), QPoint(11, 2), QPoint(15, 6), QPoint(15, 11),
                                     QPoint(11, 15), QPoint(6, 15), QPoint(2, 11), QPoint(2, 6)}));
             p.fillRect(QRect(5, 8, 8, 2), QColor(255, 255, 255));
         }},
        {"LBRETRY",
         [](QPainter& p) {
             const QColor blue(0, 0, 192);
             p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::FlatCap));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRect(3, 3, 11, 11), 90 * 16, 270 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(blue);
             p.drawPolygon(QPolygon({QPoint(8, 0), QPoint(12, 3), QPoint(8, 6)}));
         }},
        {"LBIGNORE",
         [](QPainter& p) {
             const QColor grey(64, 64, 64);
             p.setPen(QPen(grey, 2, Qt::SolidLine, Qt::FlatCap));
             p.drawLine(3, 9, 12, 9);
             p.setPen(Qt::NoPen);
             p.setBrush(grey);
             p.drawPolygon(QPolygon({QPoint(11, 5), QPoint(15, 9), QPoint(11, 13)}));
             p.fillRect(QRect(15, 4, 1, 10), grey);
         }},
        {"LBALL",
         [](QPainter& p) {
             PaintCheck(p, QColor(0, 128, 0), -2, -3, 2);
             PaintCheck(p, QColor(0, 128, 0), 2, 3, 2);
         }},
    };
    return painters;
}

// Disabled cell: the dark parts of the picture embossed, white one pixel right and down, grey on
// top; light parts (the tick inside a disc) stay open so the shape still reads.
void PaintDisabledCell(QImage& strip, int height)
{
    const QRgb back = GlyphBack.rgb();
    auto dark = [&](int x, int y) {
        const QRgb c = strip.pixel(x, y);
        return c != back && qGray(c) < 192;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < Cell; ++x)
            if (dark(x, y) && x + 1 < Cell && y + 1 < height)
                strip.setPixel(Cell + x + 1, y + 1, qRgb(255, 255, 255));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < Cell; ++x)
            if (dark(x, y))
                strip.setPixel(Cell + x, y, qRgb(128, 128, 128));
}

QImage DrawGlyph(const std::function<void(QPainter&)>& paint, int height)
{
    QImage strip(2 * Cell, height, QImage::Format_RGB32);
    strip.fill(GlyphBack);
    {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setClipRect(QRect(0, 0, Cell, height));
        paint(p);
    }
    PaintDisabledCell(strip, height);
    return strip;
}

QImage DrawArrow()
{
    // A 5 x 3 triangle pointing down; the bottom-left pixel is background.
    QImage arrow(5, 3, QImage::Format_RGB32);
    arrow.fill(GlyphBack);
    for (int row = 0; row < 3; ++row)
        for (int x = row; x < 5 - row; ++x)
            arrow.setPixel(x, row, qRgb(0, 0, 0));
    return arrow;
}

// The spin buttons' 9 x 6 triangles: rows of 1, 3, 5 and 7 pixels, the top and bottom rows empty.
QImage DrawSpinArrow(bool up)
{
    QImage arrow(9, 6, QImage::Format_RGB32);
    arrow.fill(GlyphBack);
    for (int step = 0; step < 4; ++step) {
        const int y = up ? 1 + step : 4 - step;
        for (int x = 4 - step; x <= 4 + step; ++x)
            arrow.setPixel(x, y, qRgb(0, 0, 0));
    }
    return arrow;
}

QImage BuiltIn(const QString& name)
{
    if (name == "LBARROW")
        return DrawArrow();
    if (name == "ESGSPINUP" || name == "ESGSPINDOWN")
        return DrawSpinArrow(name == "ESGSPINUP");
    const auto& painters = Painters();
    const auto it = painters.find(name);
    if (it == painters.end())
        return QImage();
    return DrawGlyph(it->second, name == "LBALL" ? 19 : 18);
}

QImage FromQtResource(const QString& name)
{
    for (const char* ext : {".png", ".bmp"}) {
        const QString path = QStringLiteral(":/images/") + name + QLatin1String(ext);
        if (QFile::exists(path)) {
            QImage image(path);
            if (!image.isNull())
                return image;
        }
    }
    return QImage();
}

QImage Lookup(const QString& name)
{
    static QMutex lock;
    static std::map<QString, QImage> cache;
    const QString key = name.toUpper();
    QMutexLocker guard(&lock);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    QImage image = FromQtResource(key);
    if (image.isNull())
        image = BuiltIn(key);
    if (!image.isNull())
        cache.emplace(key, image);
    return image;
}

} // namespace

QImage LoadResourceImage(const QString& name)
{
    const QImage image = Lookup(name);
    if (image.isNull())
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(name));
    return image;
}

bool ResourceImageExists(const QString& name)
{
    return !Lookup(name).isNull();
}
