// The pictures of the shell's buttons and of the about box, drawn at run time. Button glyphs are one
// cell keyed on their bottom-left pixel (the push button draws that colour transparent), so each is
// drawn on the key colour `back`, which is the face colour of the buttons, and edges blend into it.
#pragma once

#include "platform/graphics/Graphics.h"

#include <memory>

enum class TShellGlyph {
    New_Project,  // a page with a star
    Open_Project, // an open folder
    Parameters,   // sliders
    Group,        // stacked blocks
    Access,       // a table with an arrow
    Modbus,       // a table with a two-way arrow
    ESI_File,     // a page with "XML"
    Update,       // an arrow into a device
    Information,  // "i" in a circle
    Options,      // a gear
    Close,        // a door with an arrow
    OK,           // a green check mark
    Cancel,       // a red cross
    Previous,     // an arrow to the left
    Next,         // an arrow to the right
    Check_Update, // a globe with a downward arrow
    Refresh,      // a circular arrow
};

std::unique_ptr<TBitmap> Shell_Glyph(TShellGlyph glyph, int size, TColor back);
// A strip of two cells for the push button: the glyph, then its disabled (greyed) look.
std::unique_ptr<TBitmap> Shell_Glyph_Pair(TShellGlyph glyph, int size, TColor back);

// The maker's logo of the about box, size x size.
std::unique_ptr<TBitmap> Maker_Logo(int size, TColor back);
