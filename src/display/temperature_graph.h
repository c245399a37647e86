// The temperature history graph (row 3 left): each sample as up to four stacked bands, blended
// at 192/255, on a scale from 30 °C at the bottom to 100 °C at full height. Band 1 covers 30 to
// 50 °C, band 2 50 to 66 °C, band 3 66 to 85 °C and band 4 everything above.
#pragma once

#include <array>
#include <cstdint>

#include "display/canvas.h"
#include "display/paint_geometry.h"
#include "display/skin_canvases.h"
#include "gpu/gpu_slots.h"

namespace display {

// One band: rows `top` to top + height - 1 below the panel's row top; a height of 0 or less
// draws nothing.
struct TemperatureBand {
  int top = 0;
  int height = 0;
};

// The four bands of a sample of `celsius`, band 1 first.
std::array<TemperatureBand, 4> TemperatureBands(std::int32_t celsius, int plotHeight);

void DrawTemperatureGraph(Canvas& backBuffer, const PaintGeometry& geometry,
                          const gpu::GpuSlot& slot, const SkinCanvases& skins);

}  // namespace display
