// The two clock history graphs of row 1: graphics clock bars, green up to the base clock and
// orange-red above it (all green on a fixed-clock board), and memory clock bars in blue. Each
// sample is a 2-pixel column blended at 192/255 over the panel and grid, standing on the row
// two above the panel bottom; no bar reaches above the panel top.
#pragma once

#include <cstdint>

#include "display/canvas.h"
#include "display/paint_geometry.h"
#include "display/skin_canvases.h"
#include "gpu/gpu_slots.h"

namespace display {

inline constexpr std::uint32_t kDefaultGraphicsScaleKHz = 1200000;
inline constexpr std::uint32_t kDefaultMemoryScaleKHz = 7000000;

// The slot's scales, each read once per paint.
struct ClockScales {
  std::uint32_t graphicsCeilingKHz = 0;
  std::uint32_t graphicsBaseKHz = 0;
  std::uint32_t memoryCeilingKHz = 0;
  std::uint32_t memoryBaseKHz = 0;
  bool fixedClockBoard = false;
};
ClockScales ReadClockScales(const gpu::GpuSlot& slot);

// Heights in pixels of one graphics clock bar: the part up to the base clock (green) and the
// part above it. Heights of 0 or less draw nothing. A base clock above the ceiling makes the
// whole bar the lower part.
struct GraphicsBar {
  int lower = 0;
  int upper = 0;
};
GraphicsBar GraphicsClockBar(std::int32_t sampleKHz, const ClockScales& scales, int plotHeight);

// Height in pixels of one memory clock bar.
int MemoryClockBar(std::int32_t sampleKHz, const ClockScales& scales, int plotHeight);

// Both graphs, graphics clock first, from the slot's clock history.
void DrawClockGraphs(Canvas& backBuffer, const PaintGeometry& geometry, const gpu::GpuSlot& slot,
                     const SkinCanvases& skins);

}  // namespace display
