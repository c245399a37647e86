// The six level meters of the main window: each shows the selected GPU's current reading
// against a full scale as a column of lit segments (the temperature meter in three colour
// zones), with the reading as a caption near its bottom. The composer frames the six 82 × P
// meter canvases, lets PaintMeterSegments fill them, copies them into the back buffer and then
// lets DrawMeterCaptions write the captions there, each clipped to its meter.
#pragma once

#include <array>
#include <cstdint>

#include "display/canvas.h"
#include "display/meter_segments.h"
#include "display/skin_canvases.h"
#include "display/text_renderer.h"
#include "gpu/gpu_slots.h"

namespace display {

// The meters in drawing order: row 1 left and right, row 2, row 3.
enum MeterIndex : int {
  kGraphicsClockMeter = 0,
  kMemoryClockMeter = 1,
  kGpuLoadMeter = 2,
  kMemoryUsageMeter = 3,
  kTemperatureMeter = 4,
  kPowerMeter = 5,
};
inline constexpr int kMeterCount = 6;
inline constexpr Rgb kCaptionColour = MakeRgb(0, 255, 0);

// What one meter measures: its reading, its full scale and the precision of its lit count.
struct MeterReading {
  std::int64_t reading;
  std::int64_t fullScale;
  Precision precision;
};
// Clocks against their ceiling (the base clock while the ceiling is 0), load and temperature
// against 100, memory use against the total (double precision), power against the limit.
std::array<MeterReading, kMeterCount> MeterReadings(const gpu::GpuSlot& slot);

// The segments of every meter into `meters` (null entries are left out), P rows high each.
// Unsupported readings are drawn from whatever the slot holds.
void PaintMeterSegments(std::array<Canvas*, kMeterCount> meters, int panelHeight,
                        const gpu::GpuSlot& slot, const SkinCanvases& skins);

// Each meter's caption at its area's origin + (caption x, P − 18), clipped to the area, in the
// meter order: the reading's text, or "No Support" at x 14 while its flag is not set.
void DrawMeterCaptions(Canvas& backBuffer, const std::array<Area, kMeterCount>& meterAreas,
                       int panelHeight, const gpu::GpuSlot& slot, TextRenderer& text);

}  // namespace display
