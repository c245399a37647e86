// The green grid behind the six graphs. Vertical lines stand every 12 pixels and scroll with the
// samples by `gridPhase` pixels to the left; horizontal lines stand every 12 pixels from the top
// of each panel.
#pragma once

#include <cstdint>

#include "display/canvas.h"
#include "display/paint_geometry.h"
#include "display/skin_canvases.h"

namespace display {

inline constexpr int kGridSpacing = 12;

// Draws the grid of all three rows into `backBuffer`: per row the left vertical lines, the left
// horizontal lines, the right vertical lines, the right horizontal lines. Any `gridPhase` is
// safe; the sampler writes 0, 2, 4, ..., 10.
void DrawGridLines(Canvas& backBuffer, const PaintGeometry& geometry, std::int32_t gridPhase,
                   const SkinCanvases& skins);

}  // namespace display
