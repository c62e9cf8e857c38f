// Internal to the canvas: one drawing call's QPainter, set up with the canvas's origin and clip.
// A bound painter is prepared once per binding and brought to the state the call starts from (only
// what differs is set); an image surface gets its own painter for the call. A call that clips or sets
// the font goes through ClipTo/ClipToDevice/UseFont, so the next call knows what to put back.
#pragma once

#include "platform/graphics/Canvas.h"

#include <QPainter>
#include <optional>

class TCanvasPaintScope
{
  public:
    explicit TCanvasPaintScope(const TCanvas& canvas);
    ~TCanvasPaintScope();
    TCanvasPaintScope(const TCanvasPaintScope&) = delete;
    TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

    explicit operator bool() const { return p_ != nullptr; }
    QPainter* operator->() const { return p_; }
    QPainter& operator*() const { return *p_; }

    // Narrows the clip to r (logical coordinates) for this call.
    void ClipTo(const QRect& r);
    // Clips this call to a region of the surface's pixels, with the world transform undone.
    void ClipToDevice(const QRegion& pixels);
    // The canvas's font on the painter.
    void UseFont();

  private:
    const TCanvas& canvas_;
    std::optional<QPainter> own_;
    QPainter* p_ = nullptr; // the bound painter, or own_
};

