// Where the attached label of an edit control stands (the flat combo box and the date-time picker
// with label) and the drop-down edits: fifteen positions around the control, as a table (the
// combo box and the date-time picker use the first thirteen).
#pragma once

#include "platform/graphics/Colors.h"

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    // The drop-down edits only.
    lpTopRight,
    lpBottomRight
};

// The label's top-left corner. Control is the control's bounds; CaptionWidth the measured width of
// the caption; LabelWidth and LabelHeight the label's own size. In the ...Left positions the margin
// runs from the label's left edge to the control's, so that labels of several controls line up.
// Centring divides truncating toward zero.
TPoint PlaceLabel(TLabelPosition Position, const TRect& Control, int CaptionWidth, int LabelWidth,
                  int LabelHeight, int Margin);
