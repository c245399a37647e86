// The sunken frame of meters and graph panels: grey outer edge on the top row and left column,
// darker inner edge, black interior, white bottom row and right column.
#pragma once

#include "display/canvas.h"

namespace display {

// Frames the top-left `width` x `height` of `target` from `frameSkin`: the five pieces (row 0,
// row 1, column 0, column 1, interior) are copied to the coordinates they have in the skin, and
// the pixels they leave (the right column and the bottom row) are made white, so that a surface
// that lives across paints (the graph panel) shows white edges whatever it held before.
void DrawSunkenFrame(Canvas& target, int width, int height, const Canvas& frameSkin);

}  // namespace display
