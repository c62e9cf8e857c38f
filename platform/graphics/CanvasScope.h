// Internal to the canvas: one drawing call's QPainter, set up with the canvas's origin and clip.
// A bound painter is saved and restored around the call; an image surface gets its own painter.
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

  private:
    std::optional<QPainter> own_;
    QPainter* p_ = nullptr; // the bound painter, or own_
};

