// Mapping modes of a canvas and the recorder of its drawing calls, as the window system's calls on a
// device context (SetMapMode(Canvas->Handle(), MM_LOMETRIC)).
//
// MM_TEXT: one logical unit is one pixel. MM_LOMETRIC (the printer's layout units): one unit is
// 0.1 mm, y grows upward and the surface's top is y = 0. The canvas converts coordinates, the font
// height (negative: the character height; pixel size round(|h| x dpi / 254)) and the pen width to
// pixels before they reach QPainter, which is never flipped (text would come out mirrored): text
// stands upright with its box's top-left at the given point. TextWidth, TextHeight and TextExtent
// answer positive logical units; DrawText with DT_CALCRECT gives bottom = top - height; ClipRect is
// logical (top 0, bottom negative). The resolution is the canvas's: a printer's, an image's dots per
// meter, else 96. The mode belongs to the canvas and survives painter bindings.
#pragma once

#include "platform/graphics/Canvas.h"

constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;

int SetMapMode(HDC dc, int mode); // returns the previous mode
int GetMapMode(HDC dc);
// Between logical points of the current mode and device points (the origin included), in place.
void LPtoDP(HDC dc, TPoint& p);
void LPtoDP(HDC dc, TRect& r);
void DPtoLP(HDC dc, TPoint& p);
void DPtoLP(HDC dc, TRect& r);
bool LPtoDP(HDC dc, TPoint* points, int count);
bool DPtoLP(HDC dc, TPoint* points, int count);
// Pixels per inch the mapping uses.
int CanvasLogPixels(HDC dc, bool vertical);

// One drawing call as the caller made it (logical units of its mapping mode).
struct TCanvasCall {
    enum TKind { ckText, ckLine, ckRect };
    TKind Kind = ckText;
    QString Text; // ckText
    TPoint Point; // ckText: the start point; ckLine: the start
    TPoint To;    // ckLine: the end
    TRect Rect;   // ckText with HasRect (TextRect, DrawText), ckRect
    bool HasRect = false;
    uint32_t Flags = 0; // DrawText flags
    int MapMode = MM_TEXT;
    QString FontName;
    int FontHeight = 0;
    TColor Color = clNone; // text colour, pen colour (lines, Rectangle) or fill colour
    int PenWidth = 0;      // lines and Rectangle: the logical pen width
};

// Told of every text, line and rectangle call of a canvas before it is drawn (tests set one).
class TCanvasRecorder
{
  public:
    virtual ~TCanvasRecorder() = default;
    virtual void Record(const TCanvasCall& Call) { Calls.push_back(Call); }
    std::vector<TCanvasCall> Calls;
};

// nullptr switches recording off; the canvas does not own the recorder.
void SetCanvasRecorder(HDC dc, TCanvasRecorder* recorder);
TCanvasRecorder* CanvasRecorder(HDC dc);

// ---- Internal to the canvas ------------------------------------------------------------------------------
namespace canvasmap
{

// The canvas has a mode other than MM_TEXT or a recorder (one look-up, none while no canvas has).
bool Special(const TCanvas* c);
bool Mapped(const TCanvas* c);
TCanvasRecorder* Recorder(const TCanvas* c);
void Forget(const TCanvas* c); // the canvas goes away
// Logical (without the origin) to the pixel coordinates MM_TEXT uses, and back.
TPoint ToDevice(const TCanvas* c, TPoint p);
TRect ToDevice(const TCanvas* c, const TRect& r); // normalised
int ToDeviceLength(const TCanvas* c, int l, bool vertical);
int ToLogicalLength(const TCanvas* c, int l, bool vertical);
TPoint ToLogical(const TCanvas* c, TPoint p);

void RecordText(TCanvas* c, const QString& text, TPoint p, const TRect* r, uint32_t flags);
void RecordLine(TCanvas* c, TPoint from, TPoint to);
void RecordRect(TCanvas* c, const TRect& r, bool outline, TColor color = clNone);

// While a call made in MM_LOMETRIC runs through the pixel code: the canvas in MM_TEXT, the font
// height and pen width in pixels, the text colour kept, recording off; all put back at the end.
class TDeviceUnits
{
  public:
    explicit TDeviceUnits(TCanvas& Canvas);
    ~TDeviceUnits();
    TDeviceUnits(const TDeviceUnits&) = delete;
    TDeviceUnits& operator=(const TDeviceUnits&) = delete;

  private:
    TCanvas& c_;
    int mode_;
    int height_;
    int size_;
    int width_;
    TCanvasRecorder* recorder_;
};

} // namespace canvasmap
