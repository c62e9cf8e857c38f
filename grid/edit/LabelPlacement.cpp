// The label positions as a table of a vertical and a horizontal rule each.
#include "grid/edit/LabelPlacement.h"

namespace
{

enum TTopRule { trAlignTop, trCentre, trAlignBottom, trAbove, trBelow };
enum TLeftRule { lrLeftOfCaption, lrAlignLeft, lrMarginLeft, lrCentre, lrRightOf, lrAlignRight };

struct TPlacement {
    TTopRule top;
    TLeftRule left;
};

// In TLabelPosition order.
constexpr TPlacement Placements[] = {
    {trAlignTop, lrLeftOfCaption},    // lpLeftTop
    {trCentre, lrLeftOfCaption},      // lpLeftCenter
    {trAlignBottom, lrLeftOfCaption}, // lpLeftBottom
    {trAbove, lrAlignLeft},           // lpTopLeft
    {trBelow, lrAlignLeft},           // lpBottomLeft
    {trAlignTop, lrMarginLeft},       // lpLeftTopLeft
    {trCentre, lrMarginLeft},         // lpLeftCenterLeft
    {trAlignBottom, lrMarginLeft},    // lpLeftBottomLeft
    {trAbove, lrCentre},              // lpTopCenter
    {trBelow, lrCentre},              // lpBottomCenter
    {trAlignTop, lrRightOf},          // lpRightTop
    {trCentre, lrRightOf},            // lpRightCenter
    {trAlignBottom, lrRightOf},       // lpRighBottom
    {trAbove, lrAlignRight},          // lpTopRight
    {trBelow, lrAlignRight},          // lpBottomRight
};
static_assert(sizeof(Placements) / sizeof(Placements[0]) == lpBottomRight + 1);

} // namespace

TPoint PlaceLabel(TLabelPosition Position, const TRect& Control, int CaptionWidth, int LabelWidth,
                  int LabelHeight, int Margin)
{
    const TPlacement p = Placements[Position];
    int top = 0, left = 0;
    switch (p.top) {
    case trAlignTop:
        top = Control.Top;
        break;
    case trCentre:
        top = Control.Top + (Control.Height() - LabelHeight) / 2;
        break;
    case trAlignBottom:
        top = Control.Top + Control.Height() - LabelHeight;
        break;
    case trAbove:
        top = Control.Top - LabelHeight - Margin;
        break;
    case trBelow:
        top = Control.Top + Control.Height() + Margin;
        break;
    }
    switch (p.left) {
    case lrLeftOfCaption:
        left = Control.Left - CaptionWidth - Margin;
        break;
    case lrAlignLeft:
        left = Control.Left;
        break;
    case lrMarginLeft:
        left = Control.Left - Margin;
        break;
    case lrCentre:
        left = Control.Left + (Control.Width() - LabelWidth) / 2;
        break;
    case lrRightOf:
        left = Control.Left + Control.Width() + Margin;
        break;
    case lrAlignRight:
        left = Control.Left + Control.Width() - LabelWidth;
        break;
    }
    return TPoint(left, top);
}
