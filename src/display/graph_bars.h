// Blending one layer of history bars: sample i's bar is a 2-pixel column at x_i, blended at
// 192/255 from a bar skin. Bars that stand side by side on a row are blended as one run, which
// is what keeps a graph of 208 narrow columns cheap; the pixels are those of blending every bar
// on its own.
#pragma once

#include <span>

#include "display/canvas.h"
#include "display/paint_geometry.h"

namespace display {

// Rows top to top + height - 1 of the back buffer; a height of 0 or less is no bar.
struct BarSpan {
  int top = 0;
  int height = 0;
};

// Blends bars[i] at columns.X(i) for every i (at most the samples the graph shows) from `skin`.
void BlendBarLayer(Canvas& backBuffer, const GraphColumns& columns, std::span<const BarSpan> bars,
                   const Canvas& skin);

}  // namespace display
