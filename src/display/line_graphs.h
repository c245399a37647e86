// The three line graphs: GPU load (row 2 left), memory usage (row 2 right) and power draw (row 3
// right), all drawn with one solid one-pixel green pen. A line runs from point to point in index
// order (newest to oldest), bridging empty samples; like the platform's line drawing it leaves
// out the last point itself. The zero level is three rows above the panel bottom and full scale
// P rows higher; points are clamped between the row below the panel top and the zero level.
#pragma once

#include <cstdint>

#include "display/canvas.h"
#include "display/paint_geometry.h"
#include "gpu/gpu_slots.h"

namespace display {

inline constexpr Rgb kLinePen = MakeRgb(0, 255, 0);

// Draws the graph `graph` (kLoadGraph, kMemoryUsageGraph or kPowerGraph; any other draws
// nothing). The memory and power graphs are left out while their full scale reads zero
// (memTotalKiB or powerLimit not known).
void DrawLineGraph(Canvas& backBuffer, const PaintGeometry& geometry, const gpu::GpuSlot& slot,
                   GraphIndex graph);

}  // namespace display
