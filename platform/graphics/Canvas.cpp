#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/CanvasMapping.h"
#include "platform/graphics/CanvasScope.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <deque>

namespace
{

// The window system's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const double v = double(a) * double(b) / double(c);
    return int(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

bool PenVisible(const TPen& pen)
{
    return pen.Style != psClear && pen.Color != clNone && pen.Mode != pmNop;
}

bool BrushVisible(const TBrush& brush)
{
    return brush.Style != bsClear && brush.Color != clNone;
}

// On/off runs of the cosmetic (1-pixel) pen styles, in pixels.
std::vector<int> DashPattern(TPenStyle style)
{
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// The pixels of a 1-pixel line from a towards b, b itself left out (Bresenham, as the window system).
std::vector<QPoint> LinePixels(TPoint a, TPoint b)
{
    std::vector<QPoint> out;
    const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy, x = a.X, y = a.Y;
    out.reserve(size_t(std::max(dx, -dy)));
    while (x != b.X || y != b.Y) {
        out.emplace_back(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return out;
}

std::vector<QPoint> ApplyDashes(const std::vector<QPoint>& pixels, TPenStyle style)
{
    const std::vector<int> pattern = DashPattern(style);
    if (pattern.empty())
        return pixels;
    int period = 0;
    for (int n : pattern)
        period += n;
    std::vector<QPoint> out;
    for (size_t i = 0; i < pixels.size(); ++i) {
        int pos = int(i % size_t(period)), run = 0;
        while (pos >= pattern[size_t(run)]) {
            pos -= pattern[size_t(run)];
            ++run;
        }
        if (run % 2 == 0)
            out.push_back(pixels[i]);
    }
    return out;
}

QBrush MakeQBrush(const TBrush& brush)
{
    const QColor color = ColorToQColor(brush.Color);
    switch (brush.Style.get()) {
    case bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case bsVertical:
        return QBrush(color, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case bsCross:
        return QBrush(color, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    case bsClear:
        return QBrush();
    case bsSolid:
        break;
    }
    return QBrush(color, Qt::SolidPattern);
}

QRect NormalRect(int l, int t, int r, int b)
{
    return QRect(std::min(l, r), std::min(t, b), std::abs(r - l), std::abs(b - t));
}

// The box a closed figure's outline covers: a wide pen is centred on the frame, half of it outside,
// unless it is psInsideFrame, which keeps the whole figure inside the box.
QRect FrameBox(const QRect& box, const TPen& pen)
{
    const int w = pen.Width;
    if (w <= 1 || pen.Style == psInsideFrame || !PenVisible(pen))
        return box;
    return box.adjusted(-(w / 2), -(w / 2), (w - 1) / 2, (w - 1) / 2);
}

QPolygon ToQPolygon(const std::vector<TPoint>& points)
{
    QPolygon poly;
    poly.reserve(qsizetype(points.size()));
    for (const TPoint& pt : points)
        poly << pt.ToQPoint();
    return poly;
}

} // namespace

// ---- Graphics objects ------------------------------------------------------------------------------

void TGraphicsObject::Changed(const void* field)
{
    FieldChanged(field);
    ++version_;
    if (OnChange)
        OnChange(this);
}

TFont::TFont() = default;

void TFont::FieldChanged(const void* field)
{
    if (field == &Size)
        Height.SetSilently(-MulDiv(Size, ScreenPixelsPerInch, 72));
    else if (field == &Height)
        Size.SetSilently(-MulDiv(Height, 72, ScreenPixelsPerInch));
}

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    Name.SetSilently(source.Name);
    Size.SetSilently(source.Size);
    Height.SetSilently(source.Height);
    Color.SetSilently(source.Color);
    Style.SetSilently(source.Style);
    Orientation.SetSilently(source.Orientation);
    Charset.SetSilently(source.Charset);
    Pitch.SetSilently(source.Pitch);
    Changed(nullptr);
}

QFont TFont::ToQFont() const
{
    QFont f(Name.get());
    int pixels = -int(Height);
    if (Height == 0) {
        pixels = -DefaultHeight;
    } else if (Height > 0) {
        // A positive height is the whole cell; find the character height that gives that cell.
        QFont probe(Name.get());
        probe.setPixelSize(100);
        const int cell = QFontMetrics(probe).height();
        pixels = std::max(1, cell > 0 ? MulDiv(Height, 100, cell) : int(Height));
    }
    f.setPixelSize(std::max(1, pixels));
    f.setBold(Style & fsBold);
    f.setItalic(Style & fsItalic);
    f.setUnderline(Style & fsUnderline);
    f.setStrikeOut(Style & fsStrikeOut);
    // The window system does not kern by default; widths of pieces then add up like there.
    f.setKerning(false);
    if (Pitch == fpFixed) {
        f.setFixedPitch(true);
        f.setStyleHint(QFont::Monospace);
    }
    return f;
}

void TFont::AssignQFont(const QFont& font)
{
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = MulDiv(int(std::lround(font.pointSizeF() * 100)), ScreenPixelsPerInch, 7200);
    Name.SetSilently(font.family());
    Height.SetSilently(-std::max(1, pixels));
    Size.SetSilently(-MulDiv(Height, 72, ScreenPixelsPerInch));
    TFontStyles style = 0;
    if (font.bold())
        style |= fsBold;
    if (font.italic())
        style |= fsItalic;
    if (font.underline())
        style |= fsUnderline;
    if (font.strikeOut())
        style |= fsStrikeOut;
    Style.SetSilently(style);
    Changed(nullptr);
}

void TPen::Assign(const TPen& source)
{
    if (&source == this)
        return;
    Color.SetSilently(source.Color);
    Width.SetSilently(source.Width);
    Style.SetSilently(source.Style);
    Mode.SetSilently(source.Mode);
    Changed(nullptr);
}

void TBrush::Assign(const TBrush& source)
{
    if (&source == this)
        return;
    Color.SetSilently(source.Color);
    Style.SetSilently(source.Style);
    Changed(nullptr);
}

// ---- Paint scope -------------------------------------------------------------------------------------

namespace
{

// The raster operation of a pen mode.
struct TRasterOp {
    bool skip = false; // pmNop: nothing reaches the surface
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    std::optional<QColor> forced; // pmBlack, pmWhite
};

TRasterOp RasterOpOf(TPenMode mode)
{
    TRasterOp op;
    switch (mode) {
    case pmBlack:
        op.forced = QColor(0, 0, 0);
        break;
    case pmWhite:
        op.forced = QColor(255, 255, 255);
        break;
    case pmNop:
        op.skip = true;
        break;
    case pmNot:
        op.mode = QPainter::RasterOp_NotDestination;
        break;
    case pmCopy:
        break;
    case pmNotCopy:
        op.mode = QPainter::RasterOp_NotSource;
        break;
    case pmMergePenNot:
        op.mode = QPainter::RasterOp_SourceOrNotDestination;
        break;
    case pmMaskPenNot:
        op.mode = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case pmMergeNotPen:
        op.mode = QPainter::RasterOp_NotSourceOrDestination;
        break;
    case pmMaskNotPen:
        op.mode = QPainter::RasterOp_NotSourceAndDestination;
        break;
    case pmMerge:
        op.mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case pmNotMerge:
        op.mode = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case pmMask:
        op.mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case pmNotMask:
        op.mode = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
    case pmXor:
        op.mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case pmNotXor:
        op.mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
    }
    return op;
}

} // namespace

// The Qt objects a canvas's pen draws with. They depend on colour, width, style and mode only, so a
// drawing call takes them from here; each pen is made the first time a call needs it.
class TCanvasPens
{
  public:
    // In step with `pen`: a version compare when nothing changed, a key compare when it was only
    // set again (an Assign of the same pen).
    void Sync(const TPen& pen)
    {
        if (version_ == pen.Version())
            return;
        version_ = pen.Version();
        const TKey key{pen.Color, pen.Width, pen.Style, pen.Mode};
        if (key_ && *key_ == key)
            return;
        key_ = key;
        op_ = RasterOpOf(key.Mode);
        color_ = op_.forced.value_or(ColorToQColor(key.Color));
        made_ = 0;
    }
    const TRasterOp& Op() const { return op_; }
    // The colour the pen inks in (pmBlack and pmWhite force theirs).
    const QColor& Color() const { return color_; }
    // 1 pixel, solid: pixel lists.
    const QPen& Pixels()
    {
        if (!(made_ & MadePixels)) {
            pixels_ = QPen(color_, 1);
            made_ |= MadePixels;
        }
        return pixels_;
    }
    // Outlines of ellipses, round rectangles and polygons: 1 pixel in the pen's style, or wide with
    // flat caps and mitre joins.
    const QPen& Outline()
    {
        if (!(made_ & MadeOutline)) {
            const int w = std::max(1, key_->Width);
            if (w == 1) {
                outline_ = QPen(color_, 1);
                if (key_->Style == psDash)
                    outline_.setStyle(Qt::DashLine);
                if (key_->Style == psDot)
                    outline_.setStyle(Qt::DotLine);
                if (key_->Style == psDashDot)
                    outline_.setStyle(Qt::DashDotLine);
                if (key_->Style == psDashDotDot)
                    outline_.setStyle(Qt::DashDotDotLine);
            } else {
                outline_ = QPen(color_, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            }
            made_ |= MadeOutline;
        }
        return outline_;
    }
    // Lines wider than one pixel: round caps and joins.
    const QPen& Line()
    {
        if (!(made_ & MadeLine)) {
            line_ = QPen(color_, key_->Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            made_ |= MadeLine;
        }
        return line_;
    }

  private:
    struct TKey {
        TColor Color;
        int Width;
        TPenStyle Style;
        TPenMode Mode;
        bool operator==(const TKey&) const = default;
    };
    static constexpr uint8_t MadePixels = 1, MadeOutline = 2, MadeLine = 4;
    uint64_t version_ = ~uint64_t(0);
    std::optional<TKey> key_;
    TRasterOp op_;
    QColor color_;
    QPen pixels_, outline_, line_;
    uint8_t made_ = 0;
};

TCanvasPaintScope::TCanvasPaintScope(const TCanvas& canvas) : canvas_(canvas)
{
    if (!canvas.painter_) {
        if (!canvas.image_ || canvas.image_->isNull())
            return;
        own_.emplace(canvas.image_);
        p_ = &*own_;
        if (canvas.clip_)
            p_->setClipRegion(*canvas.clip_);
        p_->setWorldTransform(QTransform::fromTranslate(canvas.origin_.X, canvas.origin_.Y));
        p_->setRenderHint(QPainter::Antialiasing, false);
        p_->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p_->setLayoutDirection(Qt::LeftToRight);
        return;
    }
    p_ = canvas.painter_;
    TCanvas::TPainterUse& use = canvas.painterUse_;
    // Another canvas drawing on the same painter in between may have changed its clip and font.
    static const TCanvas* lastUser = nullptr;
    if (lastUser != &canvas) {
        lastUser = &canvas;
        use.ClipValid = false;
        use.FontValid = false;
    }
    if (!use.Begun) {
        p_->save(); // once per binding; the binding restores it
        use.Begun = true;
        use.BaseClipping = p_->hasClipping();
        if (use.BaseClipping)
            use.BaseClip = p_->clipRegion();
        use.ClipValid = use.ClipValid && !canvas.clip_;
        use.AppliedClip.reset();
        p_->setRenderHint(QPainter::Antialiasing, false);
        p_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    // The clip was set with the painter's own transform, so it is set again under it.
    if (!use.ClipValid || use.AppliedClip != canvas.clip_) {
        if (use.BaseClipping || canvas.clip_)
            p_->setWorldTransform(canvas.baseTransform_);
        if (use.BaseClipping)
            p_->setClipRegion(use.BaseClip);
        else
            p_->setClipping(false);
        if (canvas.clip_)
            p_->setClipRegion(*canvas.clip_, use.BaseClipping ? Qt::IntersectClip : Qt::ReplaceClip);
        use.AppliedClip = canvas.clip_;
        use.ClipValid = true;
    }
    const QTransform logical =
        QTransform::fromTranslate(canvas.origin_.X, canvas.origin_.Y) * canvas.baseTransform_;
    if (p_->worldTransform() != logical)
        p_->setWorldTransform(logical);
    // What earlier calls may have left: hatch backgrounds, raster operations, opacity, text direction.
    if (p_->backgroundMode() != Qt::TransparentMode)
        p_->setBackgroundMode(Qt::TransparentMode);
    if (p_->compositionMode() != QPainter::CompositionMode_SourceOver)
        p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (p_->opacity() != 1.0)
        p_->setOpacity(1.0);
    if (p_->layoutDirection() != Qt::LeftToRight)
        p_->setLayoutDirection(Qt::LeftToRight);
}

TCanvasPaintScope::~TCanvasPaintScope() = default;

void TCanvasPaintScope::ClipTo(const QRect& r)
{
    p_->setClipRect(r, p_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    canvas_.painterUse_.ClipValid = false;
}

void TCanvasPaintScope::ClipToDevice(const QRegion& pixels)
{
    p_->setWorldTransform(QTransform());
    p_->setWorldTransform(p_->deviceTransform().inverted());
    p_->setClipRegion(pixels, p_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    canvas_.painterUse_.ClipValid = false;
}

void TCanvasPaintScope::UseFont()
{
    const QFont& font = canvas_.CurrentQFont();
    TCanvas::TPainterUse& use = canvas_.painterUse_;
    if (own_ || !use.FontValid || use.AppliedFont != &font) {
        p_->setFont(font);
        use.AppliedFont = &font;
        use.FontValid = !own_;
    }
}

// ---- Canvas --------------------------------------------------------------------------------------------

struct TCanvas::SavedState {
    int id = 0;
    TPoint penPos, origin;
    std::optional<QRegion> clip;
    int bkMode = OPAQUE;
    TColor bkColor = clWhite, textColor = clBlack;
    std::unique_ptr<TFont> font = std::make_unique<TFont>();
    std::unique_ptr<TPen> pen = std::make_unique<TPen>();
    std::unique_ptr<TBrush> brush = std::make_unique<TBrush>();
};

TCanvas::TCanvas()
    : Font(new TFont), Pen(new TPen), Brush(new TBrush), font_(Font), pen_(Pen), brush_(Brush),
      pens_(std::make_unique<TCanvasPens>())
{
}

TCanvas::TCanvas(QImage* image) : TCanvas()
{
    image_ = image;
}

TCanvas::~TCanvas()
{
    canvasmap::Forget(this);
}

bool TCanvas::CanDraw() const
{
    return painter_ != nullptr || (image_ && !image_->isNull());
}

void TCanvas::SyncObjects() const
{
    if (font_->Version() != seenFont_) {
        seenFont_ = font_->Version();
        textColor_ = font_->Color;
    }
    if (brush_->Version() != seenBrush_) {
        seenBrush_ = brush_->Version();
        bkColor_ = brush_->Color;
        bkMode_ = brush_->Style == bsClear ? TRANSPARENT : OPAQUE;
    }
}

const QFont& TCanvas::CurrentQFont() const
{
    if (qfontVersion_ != font_->Version()) {
        qfontVersion_ = font_->Version();
        TFontKey key{font_->Name, font_->Height, font_->Style, font_->Pitch};
        if (key != qfontKey_) {
            // The last few Qt fonts made, for every canvas of the thread: text that switches between
            // a few fonts (runs of marked-up text, cells of a grid) gets back a Qt font whose font
            // engine is already resolved, which a new QFont has to look up again.
            struct TEntry {
                std::optional<TFontKey> Key;
                QFont Font;
                uint64_t LastUse = 0;
            };
            thread_local std::array<TEntry, 8> made;
            thread_local uint64_t uses = 0;
            TEntry* found = nullptr;
            TEntry* oldest = &made[0];
            for (TEntry& e : made) {
                if (e.Key == key) {
                    found = &e;
                    break;
                }
                if (e.LastUse < oldest->LastUse)
                    oldest = &e;
            }
            if (!found) {
                found = oldest;
                found->Font = font_->ToQFont();
                found->Key = key;
            }
            found->LastUse = ++uses;
            qfont_ = found->Font;
            qfontKey_ = std::move(key);
            painterUse_.FontValid = false;
        }
    }
    return qfont_;
}

const QBrush& TCanvas::CurrentQBrush() const
{
    if (qbrushVersion_ != brush_->Version()) {
        qbrushVersion_ = brush_->Version();
        qbrush_ = MakeQBrush(*brush_);
    }
    return qbrush_;
}

TCanvasPens& TCanvas::Pens() const
{
    pens_->Sync(*pen_);
    return *pens_;
}

QImage* TCanvas::PixelSurface(QTransform* toPixels) const
{
    const QTransform logical = QTransform::fromTranslate(origin_.X, origin_.Y);
    if (painter_) {
        // The engine paints into an image also for a widget (its backing store); the painter's
        // device transform carries the widget's offset in it.
        QPaintEngine* engine = painter_->paintEngine();
        QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
        if (!device || device->devType() != QInternal::Image)
            return nullptr;
        if (toPixels)
            *toPixels = logical * baseTransform_ * painter_->worldTransform().inverted() *
                        painter_->deviceTransform();
        return static_cast<QImage*>(device);
    }
    if (!image_ || image_->isNull())
        return nullptr;
    if (toPixels)
        *toPixels = logical;
    return image_;
}

QSize TCanvas::SurfaceSize() const
{
    if (painter_ && painter_->device())
        return QSize(painter_->device()->width(), painter_->device()->height());
    if (image_)
        return image_->size();
    return QSize(0, 0);
}

int TCanvas::PixelsPerInch() const
{
    if (painter_ && painter_->device() && painter_->device()->devType() != QInternal::Image &&
        painter_->device()->devType() != QInternal::Widget)
        return painter_->device()->logicalDpiX();
    return ScreenPixelsPerInch;
}

// -- Lines --

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = TPoint(x, y);
}

namespace
{

// Draws a pixel list with a 1-pixel pen.
void StrokePixels(QPainter& p, const std::vector<QPoint>& pixels, const QPen& pen)
{
    if (pixels.empty())
        return;
    p.setPen(pen);
    p.drawPoints(pixels.data(), int(pixels.size()));
}

void StrokeLine(QPainter& p, const TPen& pen, TCanvasPens& pens, TPoint a, TPoint b)
{
    p.setCompositionMode(pens.Op().mode);
    if (pen.Width <= 1) {
        const bool solid = pen.Style == psSolid || pen.Style == psInsideFrame;
        if (solid && (a.Y == b.Y || a.X == b.X)) {
            // From a up to, not including, b.
            const QRect run = a.Y == b.Y ? QRect(std::min(a.X, b.X + 1), a.Y, std::abs(b.X - a.X), 1)
                                         : QRect(a.X, std::min(a.Y, b.Y + 1), 1, std::abs(b.Y - a.Y));
            if (!run.isEmpty())
                p.fillRect(run, pens.Color());
            return;
        }
        StrokePixels(p, ApplyDashes(LinePixels(a, b), pen.Style), pens.Pixels());
        return;
    }
    p.setPen(pens.Line());
    p.drawLine(a.ToQPoint(), b.ToQPoint());
}

} // namespace

void TCanvas::LineTo(int x, int y)
{
    canvasmap::RecordLine(this, penPos_, TPoint(x, y));
    if (canvasmap::Mapped(this)) {
        const TPoint from = canvasmap::ToDevice(this, penPos_), to = canvasmap::ToDevice(this, TPoint(x, y));
        {
            canvasmap::TDeviceUnits units(*this);
            penPos_ = from;
            LineTo(to.X, to.Y);
        }
        penPos_ = TPoint(x, y);
        return;
    }
    const TPoint from = penPos_;
    penPos_ = TPoint(x, y);
    if (!PenVisible(*pen_))
        return;
    TCanvasPaintScope p(*this);
    if (p)
        StrokeLine(*p, *pen_, Pens(), from, penPos_);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    for (size_t i = 1; i < points.size(); ++i)
        canvasmap::RecordLine(this, points[i - 1], points[i]);
    if (canvasmap::Mapped(this)) {
        std::vector<TPoint> device;
        for (const TPoint& pt : points)
            device.push_back(canvasmap::ToDevice(this, pt));
        canvasmap::TDeviceUnits units(*this);
        Polyline(device);
        return;
    }
    if (points.size() < 2 || !PenVisible(*pen_))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    TCanvasPens& pens = Pens();
    if (pen_->Width > 1) {
        p->setCompositionMode(pens.Op().mode);
        p->setPen(pens.Line());
        p->drawPolyline(ToQPolygon(points));
        return;
    }
    for (size_t i = 1; i < points.size(); ++i)
        StrokeLine(*p, *pen_, pens, points[i - 1], points[i]);
}

// -- Shapes --

namespace
{

// Fills `area` with the brush (hatches over the background colour in opaque mode).
void FillArea(QPainter& p, const QRect& area, const TBrush& brush, const QBrush& fill, const TRasterOp& op,
              int bkMode, TColor bkColor)
{
    if (area.isEmpty())
        return;
    p.setCompositionMode(op.mode);
    if (op.forced) {
        p.fillRect(area, *op.forced);
        return;
    }
    if (brush.Style != bsSolid && bkMode == OPAQUE && bkColor != clNone)
        p.fillRect(area, ColorToQColor(bkColor));
    p.fillRect(area, fill);
}

} // namespace

void TCanvas::Rectangle(int l, int t, int r, int b)
{
    canvasmap::RecordRect(this, TRect(l, t, r, b), true);
    if (canvasmap::Mapped(this)) {
        const TRect d = canvasmap::ToDevice(this, TRect(l, t, r, b));
        canvasmap::TDeviceUnits units(*this);
        Rectangle(d);
        return;
    }
    SyncObjects();
    const QRect box = FrameBox(NormalRect(l, t, r, b), *pen_);
    const bool pen = PenVisible(*pen_);
    const bool brush = BrushVisible(*brush_);
    if (box.isEmpty() || (!pen && !brush))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    TCanvasPens& pens = Pens();
    const TRasterOp& op = pens.Op();
    if (op.skip)
        return;
    if (!pen) {
        // Without an outline the window system leaves the right column and bottom row out.
        FillArea(*p, box.adjusted(0, 0, -1, -1), *brush_, CurrentQBrush(), op, bkMode_, bkColor_);
        return;
    }
    const int w = std::max(1, int(pen_->Width));
    if (brush)
        FillArea(*p, box.adjusted(w, w, -w, -w), *brush_, CurrentQBrush(), op, bkMode_, bkColor_);
    const QColor& color = pens.Color();
    p->setCompositionMode(op.mode);
    if (w == 1 && pen_->Style != psSolid && pen_->Style != psInsideFrame) {
        // Dashes run round the outline clockwise from the top-left corner.
        const int x0 = box.left(), y0 = box.top(), x1 = box.left() + box.width() - 1,
                  y1 = box.top() + box.height() - 1;
        std::vector<QPoint> ring;
        for (int x = x0; x < x1; ++x)
            ring.emplace_back(x, y0);
        for (int y = y0; y < y1; ++y)
            ring.emplace_back(x1, y);
        for (int x = x1; x > x0; --x)
            ring.emplace_back(x, y1);
        for (int y = y1; y > y0; --y)
            ring.emplace_back(x0, y);
        if (ring.empty())
            ring.emplace_back(x0, y0);
        StrokePixels(*p, ApplyDashes(ring, pen_->Style), pens.Pixels());
        return;
    }
    // The outline lies inside the box; four bands that do not overlap, so raster operations apply once.
    const int bw = std::min(w, (box.width() + 1) / 2), bh = std::min(w, (box.height() + 1) / 2);
    p->fillRect(QRect(box.left(), box.top(), box.width(), bh), color);
    if (box.height() > bh)
        p->fillRect(QRect(box.left(), box.bottom() - bh + 1, box.width(), bh), color);
    const int midTop = box.top() + bh, midHeight = box.height() - 2 * bh;
    if (midHeight > 0) {
        p->fillRect(QRect(box.left(), midTop, bw, midHeight), color);
        if (box.width() > bw)
            p->fillRect(QRect(box.right() - bw + 1, midTop, bw, midHeight), color);
    }
}

namespace
{

// Sets the painter's pen and brush for an ellipse, round rectangle or polygon, and returns the
// rectangle Qt has to be given so that the shape covers `box` exactly.
QRectF PrepareShape(QPainter& p, const TPen& pen, TCanvasPens& pens, const TBrush& brush, const QBrush& fill,
                    int bkMode, TColor bkColor, const QRect& box)
{
    const TRasterOp& op = pens.Op();
    p.setCompositionMode(op.mode);
    if (BrushVisible(brush)) {
        if (op.forced)
            p.setBrush(*op.forced);
        else
            p.setBrush(fill);
        if (brush.Style != bsSolid && bkMode == OPAQUE && bkColor != clNone) {
            p.setBackgroundMode(Qt::OpaqueMode);
            p.setBackground(ColorToQColor(bkColor));
        }
    } else {
        p.setBrush(Qt::NoBrush);
    }
    if (!PenVisible(pen)) {
        p.setPen(Qt::NoPen);
        return QRectF(box.x(), box.y(), box.width() - 1, box.height() - 1);
    }
    p.setPen(pens.Outline());
    const int w = std::max(1, int(pen.Width));
    if (w == 1) {
        // A 1-pixel aliased outline reaches one pixel beyond the rectangle Qt is given.
        return QRectF(box.x(), box.y(), box.width() - 1, box.height() - 1);
    }
    return QRectF(box.x() + w / 2.0, box.y() + w / 2.0, box.width() - w, box.height() - w);
}

} // namespace

void TCanvas::Ellipse(int l, int t, int r, int b)
{
    if (canvasmap::Mapped(this)) {
        const TRect d = canvasmap::ToDevice(this, TRect(l, t, r, b));
        canvasmap::TDeviceUnits units(*this);
        Ellipse(d);
        return;
    }
    SyncObjects();
    const QRect box = FrameBox(NormalRect(l, t, r, b), *pen_);
    if (box.isEmpty() || (!PenVisible(*pen_) && !BrushVisible(*brush_)))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    TCanvasPens& pens = Pens();
    if (pens.Op().skip)
        return;
    p->drawEllipse(PrepareShape(*p, *pen_, pens, *brush_, CurrentQBrush(), bkMode_, bkColor_, box));
}

void TCanvas::RoundRect(int l, int t, int r, int b, int cw, int ch)
{
    if (canvasmap::Mapped(this)) {
        const TRect d = canvasmap::ToDevice(this, TRect(l, t, r, b));
        const int dw = canvasmap::ToDeviceLength(this, std::abs(cw), false), dh = canvasmap::ToDeviceLength(this, std::abs(ch), true);
        canvasmap::TDeviceUnits units(*this);
        RoundRect(d.Left, d.Top, d.Right, d.Bottom, dw, dh);
        return;
    }
    SyncObjects();
    const QRect box = FrameBox(NormalRect(l, t, r, b), *pen_);
    if (box.isEmpty() || (!PenVisible(*pen_) && !BrushVisible(*brush_)))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    TCanvasPens& pens = Pens();
    if (pens.Op().skip)
        return;
    const QRectF shape = PrepareShape(*p, *pen_, pens, *brush_, CurrentQBrush(), bkMode_, bkColor_, box);
    p->drawRoundedRect(shape, std::min(std::abs(cw), box.width()) / 2.0,
                       std::min(std::abs(ch), box.height()) / 2.0);
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (canvasmap::Mapped(this)) {
        std::vector<TPoint> device;
        for (const TPoint& pt : points)
            device.push_back(canvasmap::ToDevice(this, pt));
        canvasmap::TDeviceUnits units(*this);
        Polygon(device);
        return;
    }
    SyncObjects();
    if (points.size() < 2 || (!PenVisible(*pen_) && !BrushVisible(*brush_)))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    TCanvasPens& pens = Pens();
    if (pens.Op().skip)
        return;
    const QPolygon poly = ToQPolygon(points);
    PrepareShape(*p, *pen_, pens, *brush_, CurrentQBrush(), bkMode_, bkColor_, poly.boundingRect());
    if (pen_->Width > 1 || !PenVisible(*pen_)) {
        p->drawPolygon(poly, Qt::OddEvenFill);
        return;
    }
    // A thin outline goes through the line rasteriser edge by edge, the closing edge included, so
    // every vertex is inked (single-pixel tips of small glyphs depend on it).
    if (BrushVisible(*brush_)) {
        p->setPen(Qt::NoPen);
        p->drawPolygon(poly, Qt::OddEvenFill);
    }
    for (size_t i = 0; i < points.size(); ++i)
        StrokeLine(*p, *pen_, pens, points[i], points[(i + 1) % points.size()]);
}

void TCanvas::FillRect(const TRect& r)
{
    canvasmap::RecordRect(this, r, false);
    if (canvasmap::Mapped(this)) {
        const TRect d = canvasmap::ToDevice(this, r);
        canvasmap::TDeviceUnits units(*this);
        FillRect(d);
        return;
    }
    SyncObjects();
    if (r.IsEmpty() || !BrushVisible(*brush_))
        return;
    TCanvasPaintScope p(*this);
    if (p)
        FillArea(*p, r.ToQRect(), *brush_, CurrentQBrush(), TRasterOp(), bkMode_, bkColor_);
}

namespace
{

// Surfaces whose pixels take an opaque colour as one 32-bit word, the same word QPainter writes.
bool WordSurface(const QImage& image)
{
    const QImage::Format f = image.format();
    return (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
            f == QImage::Format_ARGB32_Premultiplied) &&
           image.devicePixelRatio() == 1.0;
}

// The integer offset of a transform that only moves; false for anything else.
bool WholeTranslation(const QTransform& t, QPoint* offset)
{
    if (t.type() > QTransform::TxTranslate || std::floor(t.dx()) != t.dx() || std::floor(t.dy()) != t.dy() ||
        std::abs(t.dx()) > 0x3FFFFFF || std::abs(t.dy()) > 0x3FFFFFF)
        return false;
    *offset = QPoint(int(t.dx()), int(t.dy()));
    return true;
}

// The pixels a fill may reach: within Bound, and within Region when the visible part is not one
// rectangle.
struct TPixelClip {
    QRect Bound;
    std::optional<QRegion> Region;

    void Intersect(const QRegion& r)
    {
        if (Region)
            *Region &= r;
        else if (r.rectCount() > 1)
            Region = r & Bound;
        Bound &= r.boundingRect();
    }
};

// Rows y0..y1 - 1, columns x0..x1 - 1 of a 32-bit surface set to one pixel value. A selection's side
// lines are one pixel wide: those take a plain store per row.
inline void FillRows(uchar* bits, qsizetype bytesPerLine, int x0, int x1, int y0, int y1, QRgb pixel)
{
    if (y0 >= y1)
        return;
    uchar* row = bits + y0 * bytesPerLine + qsizetype(x0) * qsizetype(sizeof(QRgb));
    const int n = x1 - x0;
    if (n == 1) {
        for (int y = y0; y < y1; ++y, row += bytesPerLine)
            *reinterpret_cast<QRgb*>(row) = pixel;
        return;
    }
    for (int y = y0; y < y1; ++y, row += bytesPerLine)
        std::fill_n(reinterpret_cast<QRgb*>(row), n, pixel);
}

// Solid fills written straight into a 32-bit surface; the result is the one QPainter::fillRect gives
// for each rectangle in turn. Rows are taken in runs that the same fills cover: each run's row is
// composed once in a line buffer and copied to its rows, so a page of narrow gradient bands costs
// about one copy per row, not one fill per band and row.
void WriteFills(uchar* bits, qsizetype bytesPerLine, QPoint offset, const TPixelClip& clip,
                const std::vector<TCanvas::TColorFill>& fills)
{
    struct TSolid {
        int x0, y0, x1, y1;
        QRgb pixel;
    };
    thread_local std::vector<TSolid> solids;
    thread_local std::vector<int> tops, bottoms, edges;
    thread_local std::vector<std::pair<int, int>> spans;
    thread_local std::vector<QRgb> line;
    solids.clear();
    const QRect& b = clip.Bound;
    int minX = b.right() + 1, maxX = b.left();
    int64_t width = 0;
    for (const TCanvas::TColorFill& f : fills) {
        if (f.Rect.IsEmpty() || f.Color == clNone)
            continue;
        // In 64 bits: a logical rectangle far out moved by the offset stays exact.
        const int x0 = int(std::max<int64_t>(int64_t(f.Rect.Left) + offset.x(), b.left()));
        const int y0 = int(std::max<int64_t>(int64_t(f.Rect.Top) + offset.y(), b.top()));
        const int x1 = int(std::min<int64_t>(int64_t(f.Rect.Right) + offset.x(), int64_t(b.right()) + 1));
        const int y1 = int(std::min<int64_t>(int64_t(f.Rect.Bottom) + offset.y(), int64_t(b.bottom()) + 1));
        if (x0 >= x1 || y0 >= y1)
            continue;
        // Plain RGB values need no trip through the system colour table.
        const QRgb pixel = (f.Color & 0xFF000000) == 0
                               ? qRgb(GetRValue(f.Color), GetGValue(f.Color), GetBValue(f.Color))
                               : ColorToQColor(f.Color).rgb();
        solids.push_back({x0, y0, x1, y1, pixel});
        minX = std::min(minX, x0);
        maxX = std::max(maxX, x1);
        width += x1 - x0;
    }
    if (solids.empty())
        return;
    // Wide fills (stacked bands, a selection's lines) are cheapest written row by row as they come.
    if (!clip.Region && width >= int64_t(solids.size()) * 16) {
        for (size_t i = 0; i < solids.size(); ++i) {
            const TSolid& s = solids[i];
            // Rows the next fill covers whole are left to it (overlapping gradient bands).
            int skip0 = 0, skip1 = 0;
            if (i + 1 < solids.size()) {
                const TSolid& n = solids[i + 1];
                if (n.x0 <= s.x0 && n.x1 >= s.x1) {
                    skip0 = std::max(s.y0, n.y0);
                    skip1 = std::min(s.y1, n.y1);
                }
            }
            if (skip0 < skip1) {
                FillRows(bits, bytesPerLine, s.x0, s.x1, s.y0, skip0, s.pixel);
                FillRows(bits, bytesPerLine, s.x0, s.x1, skip1, s.y1, s.pixel);
            } else {
                FillRows(bits, bytesPerLine, s.x0, s.x1, s.y0, s.y1, s.pixel);
            }
        }
        return;
    }
    // Every edge where the set of covering fills may change, in order.
    tops.clear();
    bottoms.clear();
    for (const TSolid& s : solids) {
        if (tops.empty() || tops.back() != s.y0)
            tops.push_back(s.y0);
        if (bottoms.empty() || bottoms.back() != s.y1)
            bottoms.push_back(s.y1);
    }
    edges.resize(tops.size() + bottoms.size());
    if (std::is_sorted(tops.begin(), tops.end()) && std::is_sorted(bottoms.begin(), bottoms.end())) {
        std::merge(tops.begin(), tops.end(), bottoms.begin(), bottoms.end(), edges.begin());
    } else {
        std::copy(bottoms.begin(), bottoms.end(), std::copy(tops.begin(), tops.end(), edges.begin()));
        std::sort(edges.begin(), edges.end());
    }
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    line.resize(size_t(maxX - minX));
    QRgb* const buffer = line.data() - minX; // indexed by surface x
    const QRect* clipBegin = clip.Region ? clip.Region->begin() : &clip.Bound;
    const QRect* clipEnd = clip.Region ? clip.Region->end() : &clip.Bound + 1;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        const int y0 = edges[e], y1 = edges[e + 1];
        spans.clear();
        bool ordered = true;
        for (const TSolid& s : solids) {
            if (s.y0 > y0 || s.y1 < y1)
                continue; // a fill covers a run whole or not at all
            std::fill(buffer + s.x0, buffer + s.x1, s.pixel);
            ordered = ordered && (spans.empty() || spans.back().first <= s.x0);
            spans.emplace_back(s.x0, s.x1);
        }
        if (spans.empty())
            continue;
        if (!ordered)
            std::sort(spans.begin(), spans.end());
        // Touching and overlapping spans become one copy.
        size_t n = 0;
        for (size_t i = 1; i < spans.size(); ++i) {
            if (spans[i].first <= spans[n].second)
                spans[n].second = std::max(spans[n].second, spans[i].second);
            else
                spans[++n] = spans[i];
        }
        spans.resize(n + 1);
        for (const QRect* c = clipBegin; c != clipEnd; ++c) {
            const int top = std::max(y0, c->top()), bottom = std::min(y1, c->bottom() + 1);
            for (const auto& [x0, x1] : spans) {
                const int l = std::max(x0, c->left()), r = std::min(x1, c->right() + 1);
                if (l >= r)
                    continue;
                for (int y = top; y < bottom; ++y)
                    std::memcpy(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + l, buffer + l,
                                size_t(r - l) * sizeof(QRgb));
            }
        }
    }
}

} // namespace

bool TCanvas::FillRectsDirectly(const std::vector<TColorFill>& fills)
{
    QImage* image = nullptr;
    QPoint offset;
    TPixelClip clip;
    if (!painter_) {
        if (!image_ || !WordSurface(*image_))
            return false;
        image = image_;
        offset = QPoint(origin_.X, origin_.Y);
        clip.Bound = image->rect();
        if (clip_)
            clip.Intersect(*clip_);
    } else {
        QPaintEngine* engine = painter_->paintEngine();
        QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
        if (!device || device->devType() != QInternal::Image || !WordSurface(*static_cast<QImage*>(device)))
            return false;
        // The painter's own clip is known once the binding's first call has prepared it.
        if (!painterUse_.Begun)
            TCanvasPaintScope prepare(*this);
        // From the coordinates the clips were set in to the surface's pixels (a widget's offset in
        // its window's backing store, for one).
        QPoint base;
        if (!WholeTranslation(
                baseTransform_ * painter_->worldTransform().inverted() * painter_->deviceTransform(), &base))
            return false;
        image = static_cast<QImage*>(device);
        offset = base + QPoint(origin_.X, origin_.Y);
        clip.Bound = image->rect();
        // The window system's part of the clip: what a paint event may touch.
        const QRegion& system = engine->systemClip();
        if (!system.isEmpty())
            clip.Intersect(system);
        if (painterUse_.BaseClipping)
            clip.Intersect(painterUse_.BaseClip.translated(base));
        if (clip_)
            clip.Intersect(clip_->translated(base));
    }
    if (!clip.Bound.isEmpty())
        WriteFills(image->bits(), image->bytesPerLine(), offset, clip, fills);
    return true;
}

void TCanvas::FillRects(const std::vector<TColorFill>& fills)
{
    if (canvasmap::Special(this))
        for (const TColorFill& f : fills)
            canvasmap::RecordRect(this, f.Rect, false, f.Color);
    if (canvasmap::Mapped(this)) {
        std::vector<TColorFill> device;
        for (const TColorFill& f : fills)
            device.push_back({canvasmap::ToDevice(this, f.Rect), f.Color});
        canvasmap::TDeviceUnits units(*this);
        FillRects(device);
        return;
    }
    if (fills.empty() || FillRectsDirectly(fills))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    for (const TColorFill& f : fills)
        if (!f.Rect.IsEmpty() && f.Color != clNone)
            p->fillRect(f.Rect.ToQRect(), ColorToQColor(f.Color));
}

void TCanvas::FrameRect(const TRect& r)
{
    canvasmap::RecordRect(this, r, false);
    if (canvasmap::Mapped(this)) {
        const TRect d = canvasmap::ToDevice(this, r);
        canvasmap::TDeviceUnits units(*this);
        FrameRect(d);
        return;
    }
    if (r.IsEmpty() || !BrushVisible(*brush_))
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    const QBrush& brush = CurrentQBrush();
    const QRect q = r.ToQRect();
    p->fillRect(QRect(q.left(), q.top(), q.width(), 1), brush);
    if (q.height() > 1)
        p->fillRect(QRect(q.left(), q.bottom(), q.width(), 1), brush);
    if (q.height() > 2) {
        p->fillRect(QRect(q.left(), q.top() + 1, 1, q.height() - 2), brush);
        if (q.width() > 1)
            p->fillRect(QRect(q.right(), q.top() + 1, 1, q.height() - 2), brush);
    }
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    // Every other pixel of the outline, counted from the top-left corner, is inverted.
    std::vector<QPoint> dots;
    const int x0 = r.Left, y0 = r.Top, x1 = r.Right - 1, y1 = r.Bottom - 1;
    auto add = [&](int x, int y) {
        if (((x - x0) + (y - y0)) % 2 == 0)
            dots.emplace_back(x, y);
    };
    for (int x = x0; x <= x1; ++x)
        add(x, y0);
    if (y1 > y0)
        for (int x = x0; x <= x1; ++x)
            add(x, y1);
    for (int y = y0 + 1; y < y1; ++y) {
        add(x0, y);
        if (x1 > x0)
            add(x1, y);
    }
    static const QPen black(QColor(0, 0, 0), 1);
    p->setCompositionMode(QPainter::RasterOp_NotDestination);
    StrokePixels(*p, dots, black);
}

// -- Pixels and flood fill --

TColor TCanvas::GetPixel(int x, int y) const
{
    if (canvasmap::Mapped(this)) {
        const TPoint d = canvasmap::ToDevice(this, TPoint(x, y));
        x = d.X;
        y = d.Y;
    }
    QTransform toPixels;
    const QImage* image = PixelSurface(&toPixels);
    if (!image)
        return clNone;
    const QPointF centre = toPixels.map(QPointF(x + 0.5, y + 0.5));
    const int px = int(std::floor(centre.x())), py = int(std::floor(centre.y()));
    if (!image->rect().contains(px, py))
        return clNone;
    return QColorToColor(QColor::fromRgb(image->pixel(px, py)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (canvasmap::Mapped(this)) {
        const TPoint d = canvasmap::ToDevice(this, TPoint(x, y));
        x = d.X;
        y = d.Y;
    }
    if (color == clNone)
        return;
    TCanvasPaintScope p(*this);
    if (p)
        p->fillRect(QRect(x, y, 1, 1), ColorToQColor(color));
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    SyncObjects();
    QTransform toPixels;
    const QImage* image = PixelSurface(&toPixels);
    if (!image || !BrushVisible(*brush_))
        return;
    // Works in the surface's pixels; the canvas clip still limits what is painted.
    const QRect bounds = image->rect();
    const QPointF seedAt = toPixels.map(QPointF(x + 0.5, y + 0.5));
    const QPoint start(int(std::floor(seedAt.x())), int(std::floor(seedAt.y())));
    if (!bounds.contains(start))
        return;
    const QRgb key = ColorToQColor(color).rgb() & 0xFFFFFF;
    auto inside = [&](int px, int py) {
        const bool same = (image->pixel(px, py) & 0xFFFFFF) == key;
        return style == fsSurface ? same : !same;
    };
    if (!inside(start.x(), start.y()))
        return;
    // Scan-line fill on a mark map; the marked spans become one region for the brush.
    const int w = bounds.width(), h = bounds.height();
    std::vector<uint8_t> marked(size_t(w) * size_t(h), 0);
    auto at = [&](int px, int py) -> uint8_t& {
        return marked[size_t(py - bounds.top()) * size_t(w) + size_t(px - bounds.left())];
    };
    std::vector<QRect> spans;
    std::deque<QPoint> todo{start};
    while (!todo.empty()) {
        const QPoint seed = todo.front();
        todo.pop_front();
        if (at(seed.x(), seed.y()) || !inside(seed.x(), seed.y()))
            continue;
        int l = seed.x(), r = seed.x();
        while (l > bounds.left() && !at(l - 1, seed.y()) && inside(l - 1, seed.y()))
            --l;
        while (r < bounds.right() && !at(r + 1, seed.y()) && inside(r + 1, seed.y()))
            ++r;
        for (int i = l; i <= r; ++i)
            at(i, seed.y()) = 1;
        spans.emplace_back(l, seed.y(), r - l + 1, 1);
        for (int ny : {seed.y() - 1, seed.y() + 1}) {
            if (ny < bounds.top() || ny > bounds.bottom())
                continue;
            for (int i = l; i <= r; ++i)
                if (!at(i, ny) && inside(i, ny) && (i == l || !inside(i - 1, ny) || at(i - 1, ny)))
                    todo.emplace_back(i, ny);
        }
    }
    // setRects wants y-x banded order.
    std::sort(spans.begin(), spans.end(),
              [](const QRect& a, const QRect& b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    QRegion area;
    area.setRects(spans.data(), int(spans.size()));
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    // The spans are in the surface's pixels: undo everything between logical and surface coordinates.
    p.ClipToDevice(area);
    FillArea(*p, area.boundingRect(), *brush_, CurrentQBrush(), TRasterOp(), bkMode_, bkColor_);
}

// -- Clipping, origin, saved states --

void TCanvas::SelectClipRgn(const QRegion* region)
{
    if (region)
        clip_ = *region;
    else
        clip_.reset();
}

QRegion TCanvas::ClipRgn() const
{
    if (clip_)
        return *clip_;
    const QSize size = SurfaceSize();
    return QRegion(0, 0, size.width(), size.height());
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    const QRegion device(canvasmap::ToDevice(this, r).ToQRect().translated(origin_.X, origin_.Y));
    clip_ = clip_ ? (*clip_ & device) : (CanDraw() ? ClipRgn() & device : device);
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    const QRegion device(canvasmap::ToDevice(this, r).ToQRect().translated(origin_.X, origin_.Y));
    QRegion base = ClipRgn();
    if (!clip_ && !CanDraw())
        base = QRegion(-0x3FFFFFF, -0x3FFFFFF, 0x7FFFFFF, 0x7FFFFFF);
    clip_ = base - device;
}

TRect TCanvas::ClipRect() const
{
    // Asked once per drawn cell by the gradient helpers: no region is made when there is no clip.
    const QRect box = clip_ ? clip_->boundingRect() : QRect(QPoint(0, 0), SurfaceSize());
    if (box.isEmpty())
        return TRect();
    const TRect r = TRect::FromQRect(box.translated(-origin_.X, -origin_.Y));
    if (!canvasmap::Mapped(this))
        return r;
    return TRect(canvasmap::ToLogical(this, r.TopLeft()), canvasmap::ToLogical(this, r.BottomRight()));
}

int TCanvas::Save()
{
    SyncObjects();
    SavedState s;
    s.id = nextSaveId_++;
    s.penPos = penPos_;
    s.origin = origin_;
    s.clip = clip_;
    s.bkMode = bkMode_;
    s.bkColor = bkColor_;
    s.textColor = textColor_;
    s.font->Assign(*font_);
    s.pen->Assign(*pen_);
    s.brush->Assign(*brush_);
    saved_.push_back(std::move(s));
    return saved_.back().id;
}

void TCanvas::Restore(int id)
{
    if (saved_.empty())
        return;
    auto it = saved_.end() - 1;
    if (id > 0) {
        it = std::find_if(saved_.begin(), saved_.end(), [id](const SavedState& s) { return s.id == id; });
        if (it == saved_.end())
            return;
    }
    SavedState& s = *it;
    penPos_ = s.penPos;
    origin_ = s.origin;
    clip_ = s.clip;
    font_->Assign(*s.font);
    pen_->Assign(*s.pen);
    brush_->Assign(*s.brush);
    SyncObjects();
    bkMode_ = s.bkMode;
    bkColor_ = s.bkColor;
    textColor_ = s.textColor;
    saved_.erase(it, saved_.end());
}

// -- Pictures --

void TCanvas::Draw(int x, int y, const TGraphic* graphic)
{
    Draw(x, y, graphic, 255);
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic, uint8_t opacity)
{
    if (graphic && !graphic->Empty())
        graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()), opacity);
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic* graphic)
{
    if (graphic && !graphic->Empty())
        graphic->Draw(this, r, 255);
}

void TCanvas::DrawImage(const TRect& dest, const QImage& image, const TRect& sourceRect, uint8_t opacity)
{
    if (canvasmap::Mapped(this)) {
        const TRect d = canvasmap::ToDevice(this, dest);
        canvasmap::TDeviceUnits units(*this);
        DrawImage(d, image, sourceRect, opacity);
        return;
    }
    if (dest.IsEmpty() || sourceRect.IsEmpty() || image.isNull() || opacity == 0)
        return;
    TCanvasPaintScope p(*this);
    if (!p)
        return;
    p->setOpacity(opacity / 255.0);
    p->drawImage(dest.ToQRect(), image, sourceRect.ToQRect());
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    if (!source)
        return;
    QTransform toPixels;
    const QImage* image = source->PixelSurface(&toPixels);
    if (!image)
        return;
    // A copy first: source and destination may be the same image.
    const QImage part = image->copy(toPixels.mapRect(sourceRect.ToQRect()));
    DrawImage(dest, part, TRect(0, 0, part.width(), part.height()));
}

// ---- Painter binding -------------------------------------------------------------------------------------

TCanvasPainterBinding::TCanvasPainterBinding(TCanvas& canvas, QPainter& painter)
    : canvas_(canvas), painter_(canvas.painter_), use_(canvas.painterUse_), transform_(canvas.baseTransform_),
      penPos_(canvas.penPos_), origin_(canvas.origin_), clip_(canvas.clip_)
{
    canvas.painter_ = &painter;
    canvas.painterUse_ = TCanvas::TPainterUse();
    canvas.baseTransform_ = painter.worldTransform();
    canvas.penPos_ = TPoint();
    canvas.origin_ = TPoint();
    canvas.clip_.reset();
}

TCanvasPainterBinding::~TCanvasPainterBinding()
{
    if (canvas_.painterUse_.Begun)
        canvas_.painter_->restore();
    canvas_.painterUse_ = use_;
    // The font may have changed while this binding lasted: the outer one sets its font again.
    canvas_.painterUse_.FontValid = false;
    canvas_.painter_ = painter_;
    canvas_.baseTransform_ = transform_;
    canvas_.penPos_ = penPos_;
    canvas_.origin_ = origin_;
    canvas_.clip_ = clip_;
}

// ---- The window system's calls -------------------------------------------------------------------------

int DrawText(HDC dc, const QString& text, int count, TRect& r, uint32_t flags)
{
    return dc ? dc->DrawText(text, r, flags, count) : 0;
}

int DrawTextEx(HDC dc, const QString& text, int count, TRect& r, uint32_t flags)
{
    return DrawText(dc, text, count, r, flags);
}

int SetBkMode(HDC dc, int mode)
{
    const int previous = dc->BkMode();
    dc->SetBkMode(mode);
    return previous;
}

TColor SetBkColor(HDC dc, TColor color)
{
    const TColor previous = dc->BkColor();
    dc->SetBkColor(color);
    return previous;
}

TColor SetTextColor(HDC dc, TColor color)
{
    const TColor previous = dc->TextColor();
    dc->SetTextColor(color);
    return previous;
}

void DrawFocusRect(HDC dc, const TRect& r)
{
    dc->DrawFocusRect(r);
}

int SaveDC(HDC dc)
{
    return dc->Save();
}

bool RestoreDC(HDC dc, int id)
{
    dc->Restore(id);
    return true;
}

void SetWindowOrgEx(HDC dc, int x, int y, TPoint* previous)
{
    if (previous)
        *previous = dc->WindowOrg();
    dc->SetWindowOrg(x, y);
}

void MoveWindowOrg(HDC dc, int dx, int dy)
{
    dc->MoveWindowOrg(dx, dy);
}

namespace
{
constexpr int NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;
int RegionKind(const QRegion& r)
{
    return r.isEmpty() ? NULLREGION : (r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}
} // namespace

int SelectClipRgn(HDC dc, const QRegion* region)
{
    dc->SelectClipRgn(region);
    return RegionKind(dc->ClipRgn());
}

int IntersectClipRect(HDC dc, int l, int t, int r, int b)
{
    dc->IntersectClipRect(TRect(l, t, r, b));
    return RegionKind(dc->ClipRgn());
}

QRegion CreateRectRgn(int l, int t, int r, int b)
{
    return QRegion(NormalRect(l, t, r, b));
}

QRegion CreateEllipticRgn(int l, int t, int r, int b)
{
    return QRegion(NormalRect(l, t, r, b), QRegion::Ellipse);
}

QRegion CreateRoundRectRgn(int l, int t, int r, int b, int cw, int ch)
{
    const QRect box = NormalRect(l, t, r, b);
    QPainterPath path;
    path.addRoundedRect(QRectF(box), std::abs(cw) / 2.0, std::abs(ch) / 2.0);
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

QRegion CreatePolygonRgn(const std::vector<TPoint>& points)
{
    return QRegion(ToQPolygon(points), Qt::WindingFill);
}
