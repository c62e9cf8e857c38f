// Classic (unthemed) frame controls and 3-D edges, drawn by the layer itself in the system colours.
// The theme library does not exist here: ThemesEnabled() and IsThemeActive() say no, and every
// caller takes its classic branch.
#pragma once

#include "platform/graphics/Canvas.h"

bool ThemesEnabled();
bool IsThemeActive();

// DrawEdge edges and flags.
constexpr uint32_t BDR_RAISEDOUTER = 0x1;
constexpr uint32_t BDR_SUNKENOUTER = 0x2;
constexpr uint32_t BDR_RAISEDINNER = 0x4;
constexpr uint32_t BDR_SUNKENINNER = 0x8;
constexpr uint32_t BDR_OUTER = 0x3;
constexpr uint32_t BDR_INNER = 0xC;
constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr uint32_t BF_LEFT = 0x1;
constexpr uint32_t BF_TOP = 0x2;
constexpr uint32_t BF_RIGHT = 0x4;
constexpr uint32_t BF_BOTTOM = 0x8;
constexpr uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr uint32_t BF_MIDDLE = 0x800; // fill the inside with the button face
constexpr uint32_t BF_SOFT = 0x1000;
constexpr uint32_t BF_ADJUST = 0x2000; // shrink r by the drawn edge
constexpr uint32_t BF_FLAT = 0x4000;
constexpr uint32_t BF_MONO = 0x8000;

// Draws the edge inside r; with BF_ADJUST r becomes the area inside it.
bool DrawEdge(HDC dc, TRect& r, uint32_t edge, uint32_t flags);

// Toolkit frame: Width rings, top and left in topColor, bottom and right in bottomColor
// (the top-right and bottom-left corner pixels belong to the bottom colour); r shrinks by Width.
void Frame3D(TCanvas* canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

// DrawFrameControl kinds and states.
constexpr uint32_t DFC_CAPTION = 1;
constexpr uint32_t DFC_MENU = 2;
constexpr uint32_t DFC_SCROLL = 3;
constexpr uint32_t DFC_BUTTON = 4;

constexpr uint32_t DFCS_BUTTONCHECK = 0x0;
constexpr uint32_t DFCS_BUTTONRADIOIMAGE = 0x1;
constexpr uint32_t DFCS_BUTTONRADIOMASK = 0x2;
constexpr uint32_t DFCS_BUTTONRADIO = 0x4;
constexpr uint32_t DFCS_BUTTON3STATE = 0x8;
constexpr uint32_t DFCS_BUTTONPUSH = 0x10;

constexpr uint32_t DFCS_CAPTIONCLOSE = 0x0;

constexpr uint32_t DFCS_SCROLLUP = 0x0;
constexpr uint32_t DFCS_SCROLLDOWN = 0x1;
constexpr uint32_t DFCS_SCROLLLEFT = 0x2;
constexpr uint32_t DFCS_SCROLLRIGHT = 0x3;
constexpr uint32_t DFCS_SCROLLCOMBOBOX = 0x5;
constexpr uint32_t DFCS_SCROLLSIZEGRIP = 0x8;

constexpr uint32_t DFCS_INACTIVE = 0x100;
constexpr uint32_t DFCS_PUSHED = 0x200;
constexpr uint32_t DFCS_CHECKED = 0x400;
constexpr uint32_t DFCS_TRANSPARENT = 0x800;
constexpr uint32_t DFCS_HOT = 0x1000;
constexpr uint32_t DFCS_ADJUSTRECT = 0x2000;
constexpr uint32_t DFCS_FLAT = 0x4000;
constexpr uint32_t DFCS_MONO = 0x8000;

// Push button (normal, hot, pushed, inactive, flat), check box, 3-state box, radio button, scroll
// arrows, combo button, caption close button; false for a kind or state it does not know.
bool DrawFrameControl(HDC dc, const TRect& r, uint32_t kind, uint32_t state);

// A small filled triangle pointing in a direction, centred in r, in the given colour (scroll arrows).
enum TArrowKind { akUp, akDown, akLeft, akRight };
void DrawClassicArrow(TCanvas* canvas, const TRect& r, TArrowKind kind, TColor color);
