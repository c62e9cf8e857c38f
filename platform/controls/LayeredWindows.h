// Layered top-level windows: a window-wide opacity or colour key (SetLayeredWindowAttributes), or a
// window that shows a per-pixel-alpha image given to it (UpdateLayeredWindow). As on the platform the
// program was conceived on, only top-level windows can be layered; both calls answer false for a
// handle that is not a top-level window of the layer.
#pragma once

#include "platform/controls/Controls.h"

#include <cstdint>

struct TSize {
    int cx = 0;
    int cy = 0;
};

// SetLayeredWindowAttributes flags.
constexpr uint32_t LWA_COLORKEY = 0x1; // pixels of the key colour are painted transparent
constexpr uint32_t LWA_ALPHA = 0x2;    // the window's opacity becomes Alpha / 255

// UpdateLayeredWindow flags.
constexpr uint32_t ULW_COLORKEY = 0x1;
constexpr uint32_t ULW_ALPHA = 0x2;
constexpr uint32_t ULW_OPAQUE = 0x4;

constexpr uint8_t AC_SRC_OVER = 0x0;
constexpr uint8_t AC_SRC_ALPHA = 0x1;

struct BLENDFUNCTION {
    uint8_t BlendOp = AC_SRC_OVER;
    uint8_t BlendFlags = 0;
    uint8_t SourceConstantAlpha = 255;
    uint8_t AlphaFormat = AC_SRC_ALPHA;
};

// Flags replace the previous attributes: without LWA_ALPHA the window is opaque again, without
// LWA_COLORKEY no colour is keyed out. A window that shows an UpdateLayeredWindow image leaves it.
bool SetLayeredWindowAttributes(HWND Wnd, TColor Key, uint8_t Alpha, uint32_t Flags);

// The window keeps a copy of the Size area at SrcPoint of the source canvas's image (its 32-bit bytes
// read as premultiplied alpha), moves to DstPoint (screen coordinates; nullptr keeps the place) and
// takes that size (nullptr: the window's size), and from then on paints that image on a translucent
// background: with ULW_ALPHA each pixel's alpha times Blend->SourceConstantAlpha / 255, with
// ULW_OPAQUE fully opaque, with ULW_COLORKEY the pixels of Key transparent. DstDC is not used (the
// screen). A source without an image leaves the picture as it was; false for an unknown window.
bool UpdateLayeredWindow(HWND Wnd, HDC DstDC, const TPoint* DstPoint, const TSize* Size, HDC SrcDC,
                         const TPoint* SrcPoint, TColor Key, const BLENDFUNCTION* Blend, uint32_t Flags);
