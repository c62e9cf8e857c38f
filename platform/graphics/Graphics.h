// The drawing half of the toolkit layer: colours and geometry, fonts, pens, brushes and the canvas,
// bitmaps and pictures, classic frame controls.
#pragma once

#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ClassicDraw.h"
#include "platform/graphics/Colors.h"
