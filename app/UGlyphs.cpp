#include "app/UGlyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace
{

// Drawn on a 24-unit grid and scaled to the glyph's size.
constexpr qreal kGrid = 24.0;

const QColor kInk(0x3C, 0x4A, 0x5A);    // outlines
const QColor kPaper(0xFF, 0xFF, 0xFF);  // pages
const QColor kFolder(0xF2, 0xB8, 0x3C); // folder
const QColor kBlue(0x2F, 0x6F, 0xB7);
const QColor kGreen(0x3C, 0x9A, 0x48);
const QColor kOrange(0xE0, 0x7A, 0x1F);
const QColor kRed(0xC8, 0x3A, 0x32);

QPen ink(qreal width = 1.2)
{
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(5, 2.5);
    path.lineTo(14.5, 2.5);
    path.lineTo(19, 7);
    path.lineTo(19, 21.5);
    path.lineTo(5, 21.5);
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7), QPointF(19, 7)}));
}

void table(QPainter& p, const QRectF& r, const QColor& head)
{
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 0.6, r.top() + 0.6, r.width() - 1.2, 3.4), head);
    p.setPen(QPen(kInk, 0.8));
    for (qreal y = r.top() + 4 + 3.2; y < r.bottom() - 1; y += 3.2)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.drawLine(QPointF(r.center().x(), r.top() + 4), QPointF(r.center().x(), r.bottom()));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, bool bothEnds = false)
{
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    auto head = [&](QPointF tip, QPointF tail) {
        const QPointF d = tip - tail;
        const qreal len = std::hypot(d.x(), d.y());
        const QPointF u = d / len, n(-u.y(), u.x());
        p.setBrush(color);
        p.setPen(QPen(color, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(QPolygonF({tip + u * 1.5, tip - u * 3.5 + n * 3.2, tip - u * 3.5 - n * 3.2}));
        p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    };
    head(to, from);
    if (bothEnds)
        head(from, to);
}

void drawGlyph(QPainter& p, TShellGlyph glyph)
{
    switch (glyph) {
    case TShellGlyph::New_Project: {
        page(p);
        p.setPen(QPen(kOrange, 1.0));
        p.setBrush(QColor(0xFF, 0xD2, 0x4A));
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = i % 2 ? 2.4 : 5.6, a = M_PI / 2 + i * M_PI / 5;
            star << QPointF(16.5 + r * std::cos(a), 16.5 - r * std::sin(a));
        }
        p.drawPolygon(star);
        break;
    }
    case TShellGlyph::Open_Project: {
        p.setPen(ink());
        p.setBrush(kFolder.darker(115));
        p.drawPath([] {
            QPainterPath b;
            b.moveTo(2.5, 19.5);
            b.lineTo(2.5, 5.5);
            b.lineTo(8.5, 5.5);
            b.lineTo(10.5, 7.5);
            b.lineTo(18.5, 7.5);
            b.lineTo(18.5, 19.5);
            b.closeSubpath();
            return b;
        }());
        p.setBrush(kFolder);
        p.drawPolygon(
            QPolygonF({QPointF(2.5, 19.5), QPointF(6.5, 11), QPointF(22, 11), QPointF(18.5, 19.5)}));
        break;
    }
    case TShellGlyph::Parameters: {
        const qreal xs[] = {6, 12, 18}, knobs[] = {14, 7, 16};
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(xs[i], 3), QPointF(xs[i], 21));
            p.setPen(ink(1.0));
            p.setBrush(i == 1 ? kOrange : kBlue);
            p.drawRoundedRect(QRectF(xs[i] - 3, knobs[i] - 2, 6, 4), 1, 1);
        }
        break;
    }
    case TShellGlyph::Group: {
        const QColor colors[] = {kGreen, kBlue, kOrange};
        for (int i = 0; i < 3; ++i) {
            p.setPen(ink());
            p.setBrush(colors[i]);
            p.drawRoundedRect(QRectF(3.5 + i * 2.5, 14.5 - i * 5.5, 14, 6), 1.2, 1.2);
        }
        break;
    }
    case TShellGlyph::Access:
        table(p, QRectF(2.5, 3.5, 14, 17), kBlue);
        arrow(p, QPointF(13, 15), QPointF(21.5, 15), kGreen);
        break;
    case TShellGlyph::Modbus:
        table(p, QRectF(7.5, 3.5, 14, 17), kOrange);
        arrow(p, QPointF(2.5, 12), QPointF(10.5, 12), kBlue, true);
        break;
    case TShellGlyph::ESI_File: {
        page(p);
        p.fillRect(QRectF(2, 11, 15, 7), kBlue);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(6);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 11, 15, 7), Qt::AlignCenter, QStringLiteral("XML"));
        break;
    }
    case TShellGlyph::Update: {
        p.setPen(ink());
        p.setBrush(QColor(0x55, 0x60, 0x6E));
        p.drawRoundedRect(QRectF(4.5, 14.5, 15, 7), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x7C, 0xE0, 0x7C));
        p.drawEllipse(QPointF(16.5, 18), 1.2, 1.2);
        arrow(p, QPointF(12, 2.5), QPointF(12, 11.5), kGreen);
        break;
    }
    case TShellGlyph::Information: {
        p.setPen(QPen(kBlue.darker(130), 1.2));
        QRadialGradient g(QPointF(9, 8), 14);
        g.setColorAt(0, kBlue.lighter(150));
        g.setColorAt(1, kBlue);
        p.setBrush(g);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 7), 1.7, 1.7);
        p.drawRoundedRect(QRectF(10.4, 10, 3.2, 8.5), 1, 1);
        break;
    }
    case TShellGlyph::Options: {
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal a0 = i * M_PI / teeth, a1 = (i + 1) * M_PI / teeth;
            const qreal r = i % 2 ? 7.2 : 10;
            const QPointF pa(12 + r * std::cos(a0), 12 + r * std::sin(a0));
            const QPointF pb(12 + r * std::cos(a1), 12 + r * std::sin(a1));
            if (i == 0)
                gear.moveTo(pa);
            else
                gear.lineTo(pa);
            gear.lineTo(pb);
        }
        gear.closeSubpath();
        gear.addEllipse(QPointF(12, 12), 3.2, 3.2);
        gear.setFillRule(Qt::OddEvenFill);
        p.setPen(ink());
        p.setBrush(QColor(0x8A, 0x96, 0xA3));
        p.drawPath(gear);
        break;
    }
    case TShellGlyph::Close: {
        p.setPen(ink());
        p.setBrush(QColor(0xB5, 0x7A, 0x45));
        p.drawRect(QRectF(4.5, 2.5, 10, 19));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(12.3, 12), 0.9, 0.9);
        arrow(p, QPointF(11, 12), QPointF(21.5, 12), kRed);
        break;
    }
    case TShellGlyph::OK:
        p.setPen(QPen(kGreen, 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(9.5, 18.5), QPointF(20, 5.5)}));
        break;
    case TShellGlyph::Cancel:
        p.setPen(QPen(kRed, 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(19, 19));
        p.drawLine(QPointF(19, 5), QPointF(5, 19));
        break;
    case TShellGlyph::Previous:
        arrow(p, QPointF(20, 12), QPointF(5, 12), kBlue);
        break;
    case TShellGlyph::Next:
        arrow(p, QPointF(4, 12), QPointF(19, 12), kBlue);
        break;
    case TShellGlyph::Check_Update: {
        p.setPen(ink());
        p.setBrush(QColor(0xCF, 0xE4, 0xF7));
        p.drawEllipse(QPointF(10, 11), 8, 8);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(10, 11), 3.5, 8);
        p.drawLine(QPointF(2, 11), QPointF(18, 11));
        arrow(p, QPointF(18, 9), QPointF(18, 20), kGreen);
        break;
    }
    case TShellGlyph::Refresh: {
        p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        // Qt counts arc angles in 1/16 degree, counter-clockwise from three o'clock.
        p.drawArc(QRectF(4, 4, 16, 16), 100 * 16, 290 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF({QPointF(10, 1), QPointF(15.5, 4.5), QPointF(10, 8.5)}));
        break;
    }
    }
}

std::unique_ptr<TBitmap> toBitmap(const QImage& image)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(image);
    return bitmap;
}

} // namespace

std::unique_ptr<TBitmap> Shell_Glyph(TShellGlyph glyph, int size, TColor back)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(ColorToQColor(back));
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / kGrid, size / kGrid);
        drawGlyph(p, glyph);
    }
    // The key pixel must stay the face colour whatever was drawn near the corner.
    image.setPixelColor(0, size - 1, ColorToQColor(back));
    return toBitmap(image);
}

std::unique_ptr<TBitmap> Shell_Glyph_Pair(TShellGlyph glyph, int size, TColor back)
{
    const QImage normal = Shell_Glyph(glyph, size, back)->Image().convertToFormat(QImage::Format_RGB32);
    // The disabled cell: the glyph in light greys over the same key colour.
    QImage disabled = normal;
    const QRgb key = ColorToQColor(back).rgb();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb c = disabled.pixel(x, y);
            if (c == key)
                continue;
            const int grey = 128 + qGray(c) / 2;
            disabled.setPixel(x, y, qRgb(grey, grey, grey));
        }
    QImage strip(size * 2, size, QImage::Format_RGB32);
    {
        QPainter p(&strip);
        p.drawImage(0, 0, normal);
        p.drawImage(size, 0, disabled);
    }
    return toBitmap(strip);
}

std::unique_ptr<TBitmap> Maker_Logo(int size, TColor back)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(ColorToQColor(back));
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 80.0, size / 80.0);
        QLinearGradient g(0, 0, 80, 80);
        g.setColorAt(0, QColor(0x3E, 0x8E, 0xDE));
        g.setColorAt(1, QColor(0x1B, 0x3F, 0x7A));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(2, 2, 76, 76), 14, 14);
        // Two sides joined by the converter: the maker's mark.
        p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18, 30), QPointF(62, 30));
        p.drawLine(QPointF(18, 50), QPointF(62, 50));
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(66, 30), QPointF(56, 22), QPointF(56, 38)}));
        p.drawPolygon(QPolygonF({QPointF(14, 50), QPointF(24, 42), QPointF(24, 58)}));
        p.setBrush(QColor(0xFF, 0xC8, 0x3A));
        p.drawEllipse(QPointF(40, 40), 8, 8);
    }
    return toBitmap(image);
}
