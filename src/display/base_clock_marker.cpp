#include "display/base_clock_marker.h"

#include <string>

#include "display/paint_geometry_scale.h"

namespace display {
namespace {

constexpr int kLabelBelowUpTo = 60;  // a line at or above this row takes its label below it

}  // namespace

BaseClockReading ReadBaseClock(const gpu::GpuSlot& slot) {
  return {slot.hasGpuClock.Load() != 0, slot.clockBase[gpu::kGraphics].Load(),
          slot.graphicsClockCeilingKHz.Load()};
}

std::optional<int> BaseMarkerRow(const BaseClockReading& reading, const PaintGeometry& geometry) {
  if (!reading.hasGpuClock || reading.baseKHz == 0 || reading.ceilingKHz == 0) return {};
  const int P = geometry.plotHeight;
  const int rise = ScaledPixels(reading.baseKHz, reading.ceilingKHz, P);
  if (rise > P) return {};
  return geometry.RowTop(kGraphicsClockGraph) + P - 1 - rise;
}

Area BaseLabelArea(int markerRow) {
  const int y = markerRow > kLabelBelowUpTo ? markerRow - kBaseLabelHeight : markerRow + 2;
  return {kBaseLabelX, y, kBaseLabelWidth, kBaseLabelHeight};
}

void DrawBaseClockMarker(Canvas& backBuffer, const PaintGeometry& geometry, int markerRow,
                         std::string_view megahertz, const SkinCanvases& skins,
                         TextRenderer& text) {
  std::string label = "Base: ";
  label.append(megahertz).append(" MHz");
  const Area area = BaseLabelArea(markerRow);
  text.Draw(backBuffer, area, area.x, area.y, kBaseLabelColour, Font::kSmall, label);
  backBuffer.Copy(skins.Get(kBaseLineSkin), {0, 0, geometry.graphWidth - 20, 1}, kBaseLabelX,
                  markerRow + 1);
}

}  // namespace display
