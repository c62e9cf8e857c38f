// Drawing objects and the canvas of the toolkit layer.
//
// TFont, TPen and TBrush hold the attributes the program sets (`Canvas->Brush->Color = X`); every
// change bumps a version and calls OnChange. TCanvas draws with the window system's pixel rules,
// which QPainter does not follow on its own:
//   - MoveTo/LineTo and Polyline leave the end point out;
//   - Rectangle, Ellipse and RoundRect cover exactly (Right-Left) x (Bottom-Top) pixels, outline
//     included (with a clear pen the fill is one pixel smaller, as there);
//   - FillRect and FrameRect cover the rectangle with exclusive right and bottom.
// A canvas draws on one of three targets:
//   - a QImage it was created for (a bitmap's canvas, tests);
//   - a QPainter bound for the time of a paint event with TCanvasPainterBinding;
//   - nothing: an unbound control canvas measures text, and drawing is dropped.
// State the window system keeps per device context lives here, not in the QPainter: origin offset,
// clip region, background mode and colour, text colour, pen position. A new brush sets the background
// mode (opaque unless the brush is clear) and colour; a new font sets the text colour.
#pragma once

#include "platform/graphics/Colors.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class TCanvas;
class TCanvasPens;
class TGraphic;
class TBitmap;

// ---- Graphics objects ----------------------------------------------------------------------------

class TGraphicsObject
{
  public:
    virtual ~TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    std::function<void(TGraphicsObject* Sender)> OnChange;
    // Increases with every change; a canvas compares it to notice a new font or brush.
    uint64_t Version() const { return version_; }

  protected:
    TGraphicsObject() = default;
    // Called after a field changed (field points at the member); then OnChange.
    virtual void FieldChanged(const void* /*field*/) {}
    void Changed(const void* field);

  private:
    template <class T> friend class TGraphicsProp;
    uint64_t version_ = 0;
};

// A field of a graphics object: reads like a plain member, reports its changes to the owner.
template <class T> class TGraphicsProp
{
  public:
    TGraphicsProp(TGraphicsObject* owner, T value) : owner_(owner), value_(value) {}
    TGraphicsProp(const TGraphicsProp&) = delete;
    TGraphicsProp& operator=(const TGraphicsProp& other) { return *this = other.value_; }

    operator T() const { return value_; }
    T get() const { return value_; }
    TGraphicsProp& operator=(const T& value)
    {
        if (!(value == value_)) {
            value_ = value;
            owner_->Changed(this);
        }
        return *this;
    }
    TGraphicsProp& operator|=(const T& bits) { return *this = T(value_ | bits); }
    TGraphicsProp& operator&=(const T& bits) { return *this = T(value_ & bits); }
    friend bool operator==(const TGraphicsProp& a, const T& b) { return a.value_ == b; }
    friend bool operator==(const TGraphicsProp& a, const TGraphicsProp& b) { return a.value_ == b.value_; }
    // Sets without notification (derived fields kept in step by the owner).
    void SetSilently(const T& value) { value_ = value; }

  private:
    TGraphicsObject* owner_;
    T value_;
};

// Font style set.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 0x01;
constexpr TFontStyles fsItalic = 0x02;
constexpr TFontStyles fsUnderline = 0x04;
constexpr TFontStyles fsStrikeOut = 0x08;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SYMBOL_CHARSET = 2;

// Logical pixels per inch of every device of the layer (screen, images); the printer has its own.
constexpr int ScreenPixelsPerInch = 96;

// The toolkit's font. Size is in points, Height in pixels: negative is the character height
// (without internal leading), positive the cell height; writing one updates the other at 96 pixels
// per inch. Orientation is the escapement in tenths of a degree, counter-clockwise.
class TFont : public TGraphicsObject
{
  public:
    TFont();
    static constexpr const char* DefaultName = "Tahoma";
    static constexpr int DefaultHeight = -11; // 8 points

    TGraphicsProp<QString> Name{this, DefaultName};
    TGraphicsProp<int> Size{this, 8};
    TGraphicsProp<int> Height{this, DefaultHeight};
    TGraphicsProp<TColor> Color{this, clWindowText};
    TGraphicsProp<TFontStyles> Style{this, 0};
    TGraphicsProp<int> Orientation{this, 0};
    TGraphicsProp<uint8_t> Charset{this, DEFAULT_CHARSET};
    TGraphicsProp<TFontPitch> Pitch{this, fpDefault};

    void Assign(const TFont& source);
    void Assign(const TFont* source)
    {
        if (source)
            Assign(*source);
    }
    // The Qt font of these attributes (pixel size from Height; orientation is the canvas's job).
    QFont ToQFont() const;
    // Takes family, pixel size and style from a Qt font (the platform default font, a dialog).
    void AssignQFont(const QFont& font);

  protected:
    void FieldChanged(const void* field) override;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of the pen (and of everything the canvas fills while it is not pmCopy).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject
{
  public:
    TPen() = default;
    TGraphicsProp<TColor> Color{this, clBlack};
    TGraphicsProp<int> Width{this, 1};
    TGraphicsProp<TPenStyle> Style{this, psSolid};
    TGraphicsProp<TPenMode> Mode{this, pmCopy};

    void Assign(const TPen& source);
    void Assign(const TPen* source)
    {
        if (source)
            Assign(*source);
    }
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject
{
  public:
    TBrush() = default;
    TGraphicsProp<TColor> Color{this, clWhite};
    TGraphicsProp<TBrushStyle> Style{this, bsSolid};

    void Assign(const TBrush& source);
    void Assign(const TBrush* source)
    {
        if (source)
            Assign(*source);
    }
};

// ---- Text drawing flags (DrawText) -------------------------------------------------------------------

constexpr uint32_t DT_TOP = 0x0;
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4; // single line only, as in the window system
constexpr uint32_t DT_BOTTOM = 0x8;  // single line only
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_EXPANDTABS = 0x40;
constexpr uint32_t DT_TABSTOP = 0x80;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_EXTERNALLEADING = 0x200;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;
constexpr uint32_t DT_INTERNAL = 0x1000;
constexpr uint32_t DT_EDITCONTROL = 0x2000;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr uint32_t DT_MODIFYSTRING = 0x10000;
constexpr uint32_t DT_RTLREADING = 0x20000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x40000;
constexpr uint32_t DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr uint32_t DT_HIDEPREFIX = 0x100000;
constexpr uint32_t DT_PREFIXONLY = 0x200000;

// Background modes (SetBkMode).
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Flood fill kinds: fill the area of the given colour, or up to a border of the given colour.
enum TFillStyle { fsSurface, fsBorder };

// Text metrics of the canvas font, in pixels.
struct TTextMetric {
    int tmHeight = 0; // ascent + descent: the line height TextHeight gives
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0; // cell height minus the character height (Font Height < 0)
    int tmExternalLeading = 0; // extra line gap (DT_EXTERNALLEADING)
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

// ---- Canvas ------------------------------------------------------------------------------------------

class TCanvas
{
  public:
    // A canvas without a surface: measures text (font metrics need no surface) and drops drawing
    // until a painter is bound.
    TCanvas();
    // A canvas drawing into `image`, which must outlive it (a bitmap's canvas).
    explicit TCanvas(QImage* image);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Owned by the canvas (created with it, freed with it).
    TFont* const Font;
    TPen* const Pen;
    TBrush* const Brush;

    // Whether drawing reaches a surface (an image, or a bound painter).
    bool CanDraw() const;
    TCanvas* Handle() { return this; } // the device-context argument of the free functions below

    // -- Lines and shapes (logical coordinates, exclusive right/bottom) --
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);                        // the end point is not drawn
    void Polyline(const std::vector<TPoint>& points); // the last point is not drawn
    void Polygon(const std::vector<TPoint>& points);  // closed, filled with the brush
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Corner ellipse of cw x ch pixels (diameters, as there).
    void RoundRect(int l, int t, int r, int b, int cw, int ch);
    void FillRect(const TRect& r);      // brush only, no outline
    void FrameRect(const TRect& r);     // 1-pixel frame in the brush colour
    void DrawFocusRect(const TRect& r); // dotted, inverting: drawing it twice removes it
    void FloodFill(int x, int y, TColor color, TFillStyle style); // image surfaces only
    // Solid fills of several rectangles, each in its own colour and over the ones before, in one
    // drawing call (gradient bands, pieces of a selection); pen and brush are neither used nor
    // changed, clNone entries are skipped.
    struct TColorFill {
        TRect Rect;
        TColor Color;
    };
    void FillRects(const std::vector<TColorFill>& fills);

    TColor GetPixel(int x, int y) const; // clNone outside the surface or without one
    void SetPixel(int x, int y, TColor color);
    class TPixelRef
    {
      public:
        TPixelRef(TCanvas* c, int x, int y) : c_(c), x_(x), y_(y) {}
        operator TColor() const { return c_->GetPixel(x_, y_); }
        TPixelRef& operator=(TColor color)
        {
            c_->SetPixel(x_, y_, color);
            return *this;
        }

      private:
        TCanvas* c_;
        int x_;
        int y_;
    };
    TPixelRef Pixels(int x, int y) { return TPixelRef(this, x, y); }

    // -- Text --
    // (x, y) is the top-left of the text cell; opaque mode fills the cell with the background colour.
    // A font with an Orientation is turned around (x, y).
    void TextOut(int x, int y, const QString& text);
    // Like TextOut, clipped to r; opaque mode fills all of r first.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);    // the font's line height, the same for every text
    TPoint TextExtent(const QString& text); // X = width, Y = height
    TTextMetric TextMetrics();
    // Draws or measures text in r by the DT_ flags; returns the text height (with DT_VCENTER or
    // DT_BOTTOM on a single line: the offset of the text's bottom from r.Top). DT_CALCRECT draws
    // nothing and sets r.Right/r.Bottom to the text's extent. `count` < 0 takes the whole string.
    int DrawText(const QString& text, TRect& r, uint32_t flags, int count = -1);

    // -- Device state --
    int BkMode() const
    {
        SyncObjects();
        return bkMode_;
    }
    void SetBkMode(int mode)
    {
        SyncObjects();
        bkMode_ = mode;
    }
    TColor BkColor() const
    {
        SyncObjects();
        return bkColor_;
    }
    void SetBkColor(TColor color)
    {
        SyncObjects();
        bkColor_ = color;
    }
    TColor TextColor() const
    {
        SyncObjects();
        return textColor_;
    }
    void SetTextColor(TColor color)
    {
        SyncObjects();
        textColor_ = color;
    }

    // Origin: logical point (0, 0) is drawn at device point WindowOrgOffset().
    TPoint WindowOrgOffset() const { return origin_; }
    void SetWindowOrg(int x, int y) { origin_ = TPoint(-x, -y); } // logical (x, y) at device (0, 0)
    TPoint WindowOrg() const { return TPoint(-origin_.X, -origin_.Y); }
    void MoveWindowOrg(int dx, int dy)
    {
        origin_.X += dx;
        origin_.Y += dy;
    }

    // Clipping. The region is in device coordinates (as the window system's clip regions are);
    // IntersectClipRect takes logical ones. No region: everything of the surface.
    void SelectClipRgn(const QRegion* region);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    bool HasClipRgn() const { return clip_.has_value(); }
    QRegion ClipRgn() const; // device coordinates; the whole surface when there is no clip
    TRect ClipRect() const;  // bounding box of the visible area, logical coordinates

    // Saves origin, clip, modes, colours, pen position, font, pen and brush; Restore(id) goes back to
    // the state of that Save (and drops the later ones); Restore(-1) to the last one.
    int Save();
    void Restore(int id = -1);

    // -- Pictures --
    // A transparent bitmap is drawn keyed on its transparent colour; a bitmap with alpha is blended.
    void Draw(int x, int y, const TGraphic* graphic);
    void Draw(int x, int y, const TGraphic* graphic, uint8_t opacity);
    void StretchDraw(const TRect& r, const TGraphic* graphic);
    // Copies (and scales) the source area of another canvas with an image surface.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Draws a Qt image directly (glyph strips, cached backgrounds), scaled to dest.
    void DrawImage(const TRect& dest, const QImage& image, const TRect& sourceRect, uint8_t opacity = 255);

    // -- Surfaces --
    QImage* Image() const { return image_; }            // the image surface, if any
    QPainter* BoundPainter() const { return painter_; } // the bound painter, if any
    int PixelsPerInch() const;
    // Size of the surface in device pixels (0 x 0 without one).
    QSize SurfaceSize() const;

  private:
    friend class TCanvasPainterBinding;
    friend class TCanvasPaintScope;

    struct SavedState;
    // Takes a changed font's text colour and a changed brush's background mode and colour, as the
    // window system does when the toolkit selects a new font or brush.
    void SyncObjects() const;
    // The Qt objects of the font and the brush, made again only when an attribute they depend on
    // changed (an Assign of the same font costs a comparison, not a new QFont).
    const QFont& CurrentQFont() const;
    const QBrush& CurrentQBrush() const;
    // The Qt pens and colour of the pen, kept the same way (made again only when its colour, width,
    // style or mode changed).
    TCanvasPens& Pens() const;
    // The image holding the canvas's pixels (its own, or the one a bound painter paints into) and the
    // transform from logical coordinates to that image's pixels; nullptr when there is none.
    QImage* PixelSurface(QTransform* toPixels) const;
    // FillRects written straight into a 32-bit image surface (its own, or the one a bound painter
    // paints into) when logical coordinates only move on the way to its pixels; false when the
    // fills have to go through QPainter.
    bool FillRectsDirectly(const std::vector<TColorFill>& fills);

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    QImage* image_ = nullptr;
    QPainter* painter_ = nullptr;
    QTransform baseTransform_; // the bound painter's own transform at binding

    TPoint penPos_;
    TPoint origin_;
    std::optional<QRegion> clip_;
    mutable int bkMode_ = OPAQUE;
    mutable TColor bkColor_ = clWhite;
    mutable TColor textColor_ = clWindowText;
    mutable uint64_t seenFont_ = ~uint64_t(0);
    mutable uint64_t seenBrush_ = ~uint64_t(0);
    struct TFontKey {
        QString Name;
        int Height = 0;
        TFontStyles Style = 0;
        TFontPitch Pitch = fpDefault;
        bool operator==(const TFontKey&) const = default;
    };
    mutable uint64_t qfontVersion_ = ~uint64_t(0);
    mutable std::optional<TFontKey> qfontKey_;
    mutable QFont qfont_;
    mutable uint64_t qbrushVersion_ = ~uint64_t(0);
    mutable QBrush qbrush_;
    std::unique_ptr<TCanvasPens> pens_;
    // A bound painter is prepared by the first drawing call of a binding (its state saved once,
    // restored when the binding ends); later calls only set what differs from what they need.
    struct TPainterUse {
        bool Begun = false;
        bool BaseClipping = false; // the painter's own clip at binding
        QRegion BaseClip;
        bool ClipValid = false; // AppliedClip is what the painter clips to now
        std::optional<QRegion> AppliedClip;
        const QFont* AppliedFont = nullptr; // qfont_ set on the painter, while FontValid
        bool FontValid = false;
    };
    mutable TPainterUse painterUse_;
    std::vector<SavedState> saved_;
    int nextSaveId_ = 1;
};

// Binds a canvas to a painter for the time of a paint event (RAII); bindings nest.
//   void paintEvent(QPaintEvent*) override { QPainter p(this); TCanvasPainterBinding b(*Canvas, p); Paint();
//   }
// On binding, the origin, clip and pen position are reset; on release the previous target returns.
// The painter's own transform and clip at binding stay underneath the canvas's.
class TCanvasPainterBinding
{
  public:
    TCanvasPainterBinding(TCanvas& canvas, QPainter& painter);
    ~TCanvasPainterBinding();
    TCanvasPainterBinding(const TCanvasPainterBinding&) = delete;
    TCanvasPainterBinding& operator=(const TCanvasPainterBinding&) = delete;

  private:
    TCanvas& canvas_;
    QPainter* painter_;
    TCanvas::TPainterUse use_;
    QTransform transform_;
    TPoint penPos_;
    TPoint origin_;
    std::optional<QRegion> clip_;
};

// ---- The window system's drawing calls, over a canvas ---------------------------------------------
// The program calls these with `Canvas->Handle()`.

using HDC = TCanvas*;
int DrawText(HDC dc, const QString& text, int count, TRect& r, uint32_t flags);
int DrawTextEx(HDC dc, const QString& text, int count, TRect& r, uint32_t flags);
int SetBkMode(HDC dc, int mode);           // returns the previous mode
TColor SetBkColor(HDC dc, TColor color);   // returns the previous colour
TColor SetTextColor(HDC dc, TColor color); // returns the previous colour
void DrawFocusRect(HDC dc, const TRect& r);
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int id);
void SetWindowOrgEx(HDC dc, int x, int y, TPoint* previous);
void MoveWindowOrg(HDC dc, int dx, int dy);
int SelectClipRgn(HDC dc, const QRegion* region);
int IntersectClipRect(HDC dc, int l, int t, int r, int b);

// Regions (device coordinates, exclusive right/bottom).
QRegion CreateRectRgn(int l, int t, int r, int b);
QRegion CreateEllipticRgn(int l, int t, int r, int b);
QRegion CreateRoundRectRgn(int l, int t, int r, int b, int cw, int ch);
QRegion CreatePolygonRgn(const std::vector<TPoint>& points); // winding fill
