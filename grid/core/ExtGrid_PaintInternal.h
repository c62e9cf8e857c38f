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
    // The cell object and its placement (GetCellGraphicInfo): size, text beside it, alignments.
    TCellGraphic* Graphic = nullptr;
    int GW = 0, GH = 0;
    bool TextAlso = true;
    TCellHAlign GHA = haLeft;
    TCellVAlign GVA = vaTop;
    // What the text step drew: its width + 2, 0 without text.
    int TextWidth = 0;
};
