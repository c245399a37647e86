// The base-clock marker over the graphics clock graph: an amber line across the panel at the
// base clock's height on the ceiling scale, labelled "Base: <MHz> MHz" above it, or below it when
// the line stands near the panel top.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "display/canvas.h"
#include "display/paint_geometry.h"
#include "display/skin_canvases.h"
#include "display/text_renderer.h"
#include "gpu/gpu_slots.h"

namespace display {

inline constexpr Rgb kBaseLabelColour = MakeRgb(255, 204, 0);
inline constexpr int kBaseLabelX = 142;
inline constexpr int kBaseLabelWidth = 100;
inline constexpr int kBaseLabelHeight = 10;

// The slot's values the marker depends on, each read once per paint.
struct BaseClockReading {
  bool hasGpuClock = false;
  std::uint32_t baseKHz = 0;
  std::uint32_t ceilingKHz = 0;
};
BaseClockReading ReadBaseClock(const gpu::GpuSlot& slot);

// yb = P + 46 - trunc(base / ceiling x P): the line is drawn on the row below it. None when the
// graphics clock has never been read, base or ceiling is zero, or a base above the ceiling
// would put the line above the panel.
std::optional<int> BaseMarkerRow(const BaseClockReading& reading, const PaintGeometry& geometry);

// Where the label is drawn and clipped: 100 x 10 at (142, yb + 2), or at (142, yb - 10) when
// yb > 60.
Area BaseLabelArea(int markerRow);

// The label "Base: " + `megahertz` + " MHz" in the small font, straight into `backBuffer` clipped
// to its area, then the (G - 20) x 1 line of `baseLineSkin` at (142, yb + 1).
void DrawBaseClockMarker(Canvas& backBuffer, const PaintGeometry& geometry, int markerRow,
                         std::string_view megahertz, const SkinCanvases& skins, TextRenderer& text);

}  // namespace display
