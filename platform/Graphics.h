// The drawing half of the toolkit layer: colours and geometry, fonts, pens, brushes and the canvas,
// bitmaps and pictures, classic frame controls.
#pragma once

#include "platform/Bitmaps.h"
#include "platform/Canvas.h"
#include "platform/ClassicDraw.h"
#include "platform/Colors.h"
