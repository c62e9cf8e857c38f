// What the cell painter's steps share for one cell.
#pragma once

#include "grid/core/ExtGrid.h"

struct TExtStringGrid::TCellPaint {
    int DC = 0, C = 0, Row = 0;
    TRect R{};
    TGridDrawState State = 0;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    bool Fixed = false;
    bool FilterButton = false;
    TColor SavedBrush = clNone, SavedFont = clNone;
    // The graphic beside the text: its size and placement (haBeforeText ... in the object's terms).
    int GW = 0, GH = 0;
    int TextWidth = 0;
};
