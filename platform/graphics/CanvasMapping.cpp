// The canvases' mapping modes and recorders, kept beside the canvases (most canvases never have
// either: their calls pay one counter test), the conversions and the device-unit scope.
#include "platform/graphics/CanvasMapping.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>
#include <unordered_map>

namespace
{

constexpr int TenthMillimetresPerInch = 254;

struct TMapState {
    int Mode = MM_TEXT;
    TCanvasRecorder* Recorder = nullptr;
};

std::unordered_map<const TCanvas*, TMapState>& States()
{
    static std::unordered_map<const TCanvas*, TMapState> states;
    return states;
}

TMapState* Find(const TCanvas* c)
{
    auto& states = States();
    if (states.empty())
        return nullptr;
    auto it = states.find(c);
    return it == states.end() ? nullptr : &it->second;
}

TMapState& Get(const TCanvas* c)
{
    return States()[c];
}

void Tidy(const TCanvas* c)
{
    auto it = States().find(c);
    if (it != States().end() && it->second.Mode == MM_TEXT && !it->second.Recorder)
        States().erase(it);
}

// a * b / c rounded half away from zero, as the window system's MulDiv.
int Scale(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const double v = double(a) * double(b) / double(c);
    return int(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

int ImageDpi(const QImage& image, bool vertical)
{
    const int dpm = vertical ? image.dotsPerMeterY() : image.dotsPerMeterX();
    return dpm > 0 ? int(std::lround(dpm * 0.0254)) : ScreenPixelsPerInch;
}

} // namespace

int SetMapMode(HDC dc, int mode)
{
    if (!dc)
        return 0;
    const int old = GetMapMode(dc);
    if (mode == MM_TEXT || mode == MM_LOMETRIC) {
        Get(dc).Mode = mode;
        Tidy(dc);
    }
    return old;
}

int GetMapMode(HDC dc)
{
    const TMapState* s = Find(dc);
    return s ? s->Mode : MM_TEXT;
}

int CanvasLogPixels(HDC dc, bool vertical)
{
    if (!dc)
        return ScreenPixelsPerInch;
    if (QPainter* p = dc->BoundPainter(); p && p->device()) {
        QPaintDevice* d = p->device();
        if (d->devType() == QInternal::Image)
            return ImageDpi(*static_cast<QImage*>(d), vertical);
        if (d->devType() == QInternal::Widget || d->devType() == QInternal::Pixmap)
            return ScreenPixelsPerInch;
        return vertical ? d->logicalDpiY() : d->logicalDpiX();
    }
    if (dc->Image() && !dc->Image()->isNull())
        return ImageDpi(*dc->Image(), vertical);
    return ScreenPixelsPerInch;
}

void LPtoDP(HDC dc, TPoint& p)
{
    p = canvasmap::ToDevice(dc, p);
    p.X += dc->WindowOrgOffset().X;
    p.Y += dc->WindowOrgOffset().Y;
}

void LPtoDP(HDC dc, TRect& r)
{
    TPoint a = r.TopLeft(), b = r.BottomRight();
    LPtoDP(dc, a);
    LPtoDP(dc, b);
    r = TRect(a, b);
}

void DPtoLP(HDC dc, TPoint& p)
{
    p = canvasmap::ToLogical(dc, TPoint(p.X - dc->WindowOrgOffset().X, p.Y - dc->WindowOrgOffset().Y));
}

void DPtoLP(HDC dc, TRect& r)
{
    TPoint a = r.TopLeft(), b = r.BottomRight();
    DPtoLP(dc, a);
    DPtoLP(dc, b);
    r = TRect(a, b);
}

bool LPtoDP(HDC dc, TPoint* points, int count)
{
    if (!dc || !points)
        return false;
    for (int i = 0; i < count; ++i)
        LPtoDP(dc, points[i]);
    return true;
}

bool DPtoLP(HDC dc, TPoint* points, int count)
{
    if (!dc || !points)
        return false;
    for (int i = 0; i < count; ++i)
        DPtoLP(dc, points[i]);
    return true;
}

void SetCanvasRecorder(HDC dc, TCanvasRecorder* recorder)
{
    if (!dc)
        return;
    Get(dc).Recorder = recorder;
    Tidy(dc);
}

TCanvasRecorder* CanvasRecorder(HDC dc)
{
    const TMapState* s = Find(dc);
    return s ? s->Recorder : nullptr;
}

namespace canvasmap
{

bool Special(const TCanvas* c)
{
    return Find(c) != nullptr;
}

bool Mapped(const TCanvas* c)
{
    const TMapState* s = Find(c);
    return s && s->Mode != MM_TEXT;
}

TCanvasRecorder* Recorder(const TCanvas* c)
{
    const TMapState* s = Find(c);
    return s ? s->Recorder : nullptr;
}

void Forget(const TCanvas* c)
{
    if (!States().empty())
        States().erase(c);
}

int ToDeviceLength(const TCanvas* c, int l, bool vertical)
{
    if (!Mapped(c))
        return l;
    return Scale(l, CanvasLogPixels(const_cast<TCanvas*>(c), vertical), TenthMillimetresPerInch);
}

int ToLogicalLength(const TCanvas* c, int l, bool vertical)
{
    if (!Mapped(c))
        return l;
    return Scale(l, TenthMillimetresPerInch, CanvasLogPixels(const_cast<TCanvas*>(c), vertical));
}

TPoint ToDevice(const TCanvas* c, TPoint p)
{
    if (!Mapped(c))
        return p;
    return TPoint(ToDeviceLength(c, p.X, false), ToDeviceLength(c, -p.Y, true));
}

TRect ToDevice(const TCanvas* c, const TRect& r)
{
    const TPoint a = ToDevice(c, r.TopLeft()), b = ToDevice(c, r.BottomRight());
    if (!Mapped(c))
        return r;
    return TRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TPoint ToLogical(const TCanvas* c, TPoint p)
{
    if (!Mapped(c))
        return p;
    return TPoint(ToLogicalLength(c, p.X, false), -ToLogicalLength(c, p.Y, true));
}

void RecordText(TCanvas* c, const QString& text, TPoint p, const TRect* r, uint32_t flags)
{
    TCanvasRecorder* rec = Recorder(c);
    if (!rec)
        return;
    TCanvasCall call;
    call.Kind = TCanvasCall::ckText;
    call.Text = text;
    call.Point = p;
    if (r) {
        call.Rect = *r;
        call.HasRect = true;
    }
    call.Flags = flags;
    call.MapMode = GetMapMode(c);
    call.FontName = c->Font->Name;
    call.FontHeight = c->Font->Height;
    call.Color = c->TextColor();
    rec->Record(call);
}

void RecordLine(TCanvas* c, TPoint from, TPoint to)
{
    TCanvasRecorder* rec = Recorder(c);
    if (!rec)
        return;
    TCanvasCall call;
    call.Kind = TCanvasCall::ckLine;
    call.Point = from;
    call.To = to;
    call.MapMode = GetMapMode(c);
    call.Color = c->Pen->Color;
    call.PenWidth = c->Pen->Width;
    rec->Record(call);
}

void RecordRect(TCanvas* c, const TRect& r, bool outline, TColor color)
{
    TCanvasRecorder* rec = Recorder(c);
    if (!rec)
        return;
    TCanvasCall call;
    call.Kind = TCanvasCall::ckRect;
    call.Rect = r;
    call.HasRect = true;
    call.MapMode = GetMapMode(c);
    call.Color = color != clNone ? color : outline ? TColor(c->Pen->Color) : TColor(c->Brush->Color);
    call.PenWidth = outline ? int(c->Pen->Width) : 0;
    rec->Record(call);
}

TDeviceUnits::TDeviceUnits(TCanvas& Canvas)
    : c_(Canvas), mode_(GetMapMode(&Canvas)), height_(Canvas.Font->Height), size_(Canvas.Font->Size),
      width_(Canvas.Pen->Width), recorder_(Recorder(&Canvas))
{
    if (mode_ != MM_TEXT) {
        // The font is not "selected again": the text colour set since stays.
        const TColor text = c_.TextColor();
        if (height_ != 0)
            c_.Font->Height =
                (height_ < 0 ? -1 : 1) * std::max(1, ToDeviceLength(&c_, std::abs(height_), true));
        c_.Pen->Width = std::max(1, ToDeviceLength(&c_, width_, false));
        c_.SetTextColor(text);
    }
    TMapState& s = Get(&c_);
    s.Mode = MM_TEXT;
    s.Recorder = nullptr;
    Tidy(&c_);
}

TDeviceUnits::~TDeviceUnits()
{
    TMapState& s = Get(&c_);
    s.Mode = mode_;
    s.Recorder = recorder_;
    Tidy(&c_);
    if (mode_ != MM_TEXT) {
        const TColor text = c_.TextColor();
        c_.Font->Height = height_;
        c_.Font->Size.SetSilently(size_);
        c_.Pen->Width = width_;
        c_.SetTextColor(text);
    }
}

} // namespace canvasmap
