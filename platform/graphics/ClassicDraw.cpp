#include "platform/graphics/ClassicDraw.h"

#include <algorithm>

bool ThemesEnabled()
{
    return false;
}

bool IsThemeActive()
{
    return false;
}

namespace
{

void FillSolid(TCanvas* c, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    const TColor oldColor = c->Brush->Color;
    const TBrushStyle oldStyle = c->Brush->Style;
    // A brush change resets the background mode and colour; the frame calls leave them as they were.
    const int oldBkMode = c->BkMode();
    const TColor oldBkColor = c->BkColor();
    c->Brush->Color = color;
    c->Brush->Style = bsSolid;
    c->FillRect(r);
    c->Brush->Color = oldColor;
    c->Brush->Style = oldStyle;
    c->SetBkMode(oldBkMode);
    c->SetBkColor(oldBkColor);
}

// One ring of an edge on the chosen sides: top and left in `light`, bottom and right in `dark`; the
// dark sides own the top-right and bottom-left corners.
void Ring(TCanvas* c, const TRect& r, uint32_t sides, TColor light, TColor dark)
{
    if (r.IsEmpty())
        return;
    if (sides & BF_TOP)
        FillSolid(c, TRect(r.Left, r.Top, (sides & BF_RIGHT) ? r.Right - 1 : r.Right, r.Top + 1), light);
    if (sides & BF_LEFT)
        FillSolid(c, TRect(r.Left, r.Top, r.Left + 1, (sides & BF_BOTTOM) ? r.Bottom - 1 : r.Bottom), light);
    if (sides & BF_BOTTOM)
        FillSolid(c, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), dark);
    if (sides & BF_RIGHT)
        FillSolid(c, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), dark);
}

TRect Shrink(const TRect& r, uint32_t sides)
{
    TRect out = r;
    if (sides & BF_LEFT)
        ++out.Left;
    if (sides & BF_TOP)
        ++out.Top;
    if (sides & BF_RIGHT)
        --out.Right;
    if (sides & BF_BOTTOM)
        --out.Bottom;
    return out;
}

} // namespace

bool DrawEdge(HDC dc, TRect& r, uint32_t edge, uint32_t flags)
{
    if (!dc)
        return false;
    const uint32_t sides = flags & BF_RECT;
    TRect inner = r;
    const uint32_t outer = edge & BDR_OUTER, innerEdge = edge & BDR_INNER;
    if (flags & (BF_FLAT | BF_MONO)) {
        const TColor ring = (flags & BF_MONO) ? clWindowFrame : clBtnShadow;
        const TColor fill = (flags & BF_MONO) ? clWindow : clBtnFace;
        if (outer) {
            Ring(dc, inner, sides, ring, ring);
            inner = Shrink(inner, sides);
        }
        if (innerEdge) {
            Ring(dc, inner, sides, fill, fill);
            inner = Shrink(inner, sides);
        }
    } else {
        if (outer == BDR_RAISEDOUTER)
            Ring(dc, inner, sides, cl3DLight, cl3DDkShadow);
        if (outer == BDR_SUNKENOUTER)
            Ring(dc, inner, sides, clBtnShadow, clBtnHighlight);
        if (outer)
            inner = Shrink(inner, sides);
        if (innerEdge == BDR_RAISEDINNER)
            Ring(dc, inner, sides, clBtnHighlight, clBtnShadow);
        if (innerEdge == BDR_SUNKENINNER)
            Ring(dc, inner, sides, cl3DDkShadow, cl3DLight);
        if (innerEdge)
            inner = Shrink(inner, sides);
    }
    if (flags & BF_MIDDLE)
        FillSolid(dc, inner, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST)
        r = inner;
    return true;
}

void Frame3D(TCanvas* canvas, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        Ring(canvas, r, BF_RECT, topColor, bottomColor);
        InflateRect(r, -1, -1);
    }
}

void DrawClassicArrow(TCanvas* canvas, const TRect& r, TArrowKind kind, TColor color)
{
    const int span = std::min(r.Width(), r.Height());
    const int n = std::max(2, span / 4); // rows of the triangle; the base is 2n-1 pixels
    const bool vertical = kind == akUp || kind == akDown;
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 0; i < n; ++i) {
        const int half = (kind == akDown || kind == akRight) ? n - 1 - i : i; // half-width of row i
        if (vertical) {
            const int y = cy - n / 2 + i;
            FillSolid(canvas, TRect(cx - half, y, cx + half + 1, y + 1), color);
        } else {
            const int x = cx - n / 2 + i;
            FillSolid(canvas, TRect(x, cy - half, x + 1, cy + half + 1), color);
        }
    }
}

namespace
{

void ArrowWithState(TCanvas* c, TRect r, TArrowKind kind, uint32_t state)
{
    if (state & DFCS_PUSHED)
        OffsetRect(r, 1, 1);
    if (state & DFCS_INACTIVE) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        DrawClassicArrow(c, shadow, kind, clBtnHighlight);
        DrawClassicArrow(c, r, kind, clGrayText);
    } else {
        DrawClassicArrow(c, r, kind, clBtnText);
    }
}

void ButtonFrame(TCanvas* c, const TRect& r, uint32_t state)
{
    TRect face = r;
    if (state & DFCS_FLAT) {
        // Flat: a plain frame, raised only under the mouse, sunken while pushed.
        if (state & DFCS_PUSHED)
            DrawEdge(c, face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else if (state & DFCS_HOT)
            DrawEdge(c, face, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        else
            DrawEdge(c, face, BDR_OUTER, BF_RECT | BF_ADJUST | BF_FLAT);
    } else if (state & (DFCS_PUSHED | DFCS_CHECKED))
        DrawEdge(c, face, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    else
        DrawEdge(c, face, EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (!(state & DFCS_TRANSPARENT))
        FillSolid(c, face, (state & DFCS_CHECKED) && !(state & DFCS_PUSHED) ? cl3DLight : clBtnFace);
}

// The check box or radio square: at most 13 pixels, centred vertically at the left of r.
TRect MarkBox(const TRect& r)
{
    const int side = std::min({13, r.Width(), r.Height()});
    const int top = r.Top + (r.Height() - side) / 2;
    return TRect(r.Left, top, r.Left + side, top + side);
}

void CheckBox(TCanvas* c, const TRect& r, uint32_t state)
{
    TRect box = MarkBox(r);
    if (state & (DFCS_FLAT | DFCS_MONO))
        DrawEdge(c, box, BDR_OUTER, BF_RECT | BF_ADJUST | BF_FLAT);
    else
        DrawEdge(c, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool greyBack = state & (DFCS_INACTIVE | DFCS_PUSHED);
    FillSolid(c, box, greyBack ? clBtnFace : clWindow);
    if (!(state & DFCS_CHECKED))
        return;
    const bool grey = (state & DFCS_INACTIVE) || (state & DFCS_BUTTON3STATE);
    const TColor mark = grey ? clGrayText : clWindowText;
    // A 7 x 7 tick, three pixels thick, centred in the box.
    const int x0 = box.Left + (box.Width() - 7) / 2, y0 = box.Top + (box.Height() - 7) / 2;
    for (int i = 0; i < 7; ++i) {
        const int y = i < 3 ? y0 + 2 + i : y0 + 4 - (i - 2);
        FillSolid(c, TRect(x0 + i, y, x0 + i + 1, y + 3), mark);
    }
}

void RadioButton(TCanvas* c, const TRect& r, uint32_t state)
{
    const TRect box = MarkBox(r);
    const int saved = c->Save();
    c->Pen->Width = 1;
    c->Pen->Style = psSolid;
    c->Brush->Style = bsSolid;
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    c->Pen->Color = clBtnShadow;
    c->Brush->Color = (state & (DFCS_INACTIVE | DFCS_PUSHED)) ? clBtnFace : clWindow;
    c->Ellipse(box);
    if (!flat) {
        c->Brush->Style = bsClear;
        c->Pen->Color = cl3DDkShadow;
        c->Ellipse(TRect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1));
    }
    if (state & DFCS_CHECKED) {
        const TColor dot = (state & DFCS_INACTIVE) ? clGrayText : clWindowText;
        c->Pen->Color = dot;
        c->Brush->Color = dot;
        c->Brush->Style = bsSolid;
        const int cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
        c->Ellipse(cx - 2, cy - 2, cx + 2, cy + 2);
    }
    c->Restore(saved);
}

void CloseCross(TCanvas* c, TRect r, uint32_t state)
{
    if (state & DFCS_PUSHED)
        OffsetRect(r, 1, 1);
    const int side = std::max(4, std::min(r.Width(), r.Height()) / 2);
    const int x0 = r.Left + (r.Width() - side) / 2, y0 = r.Top + (r.Height() - side) / 2;
    const TColor color = (state & DFCS_INACTIVE) ? clGrayText : clBtnText;
    for (int i = 0; i < side; ++i) {
        FillSolid(c, TRect(x0 + i, y0 + i, x0 + i + 2, y0 + i + 1), color);
        FillSolid(c, TRect(x0 + side - 1 - i, y0 + i, x0 + side + 1 - i, y0 + i + 1), color);
    }
}

// Diagonal ridges towards the bottom-right corner: a highlight line, then two shadow lines.
void SizeGrip(TCanvas* c, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const int d = (r.Right - 1 - x) + (r.Bottom - 1 - y);
            if (d < 1 || d > 11)
                continue;
            if (d % 4 == 0)
                FillSolid(c, TRect(x, y, x + 1, y + 1), clBtnHighlight);
            else if (d % 4 != 3)
                FillSolid(c, TRect(x, y, x + 1, y + 1), clBtnShadow);
        }
}

} // namespace

bool DrawFrameControl(HDC dc, const TRect& r, uint32_t kind, uint32_t state)
{
    if (!dc || r.IsEmpty())
        return false;
    const uint32_t part = state & 0xFF;
    switch (kind) {
    case DFC_BUTTON:
        if (part & DFCS_BUTTONPUSH) {
            ButtonFrame(dc, r, state);
            return true;
        }
        if (part & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            RadioButton(dc, r, state);
            return true;
        }
        CheckBox(dc, r, state); // DFCS_BUTTONCHECK (0) and DFCS_BUTTON3STATE
        return true;
    case DFC_SCROLL: {
        if (part == DFCS_SCROLLSIZEGRIP) {
            FillSolid(dc, r, clBtnFace);
            SizeGrip(dc, r);
            return true;
        }
        TArrowKind arrow;
        switch (part) {
        case DFCS_SCROLLUP:
            arrow = akUp;
            break;
        case DFCS_SCROLLDOWN:
        case DFCS_SCROLLCOMBOBOX:
            arrow = akDown;
            break;
        case DFCS_SCROLLLEFT:
            arrow = akLeft;
            break;
        case DFCS_SCROLLRIGHT:
            arrow = akRight;
            break;
        default:
            return false;
        }
        ButtonFrame(dc, r, state & ~DFCS_CHECKED);
        ArrowWithState(dc, r, arrow, state);
        return true;
    }
    case DFC_CAPTION:
        if (part != DFCS_CAPTIONCLOSE)
            return false;
        ButtonFrame(dc, r, state & ~DFCS_CHECKED);
        CloseCross(dc, r, state);
        return true;
    default:
        return false;
    }
}
