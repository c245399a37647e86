#include "display/level_meters.h"

#include <string>

#include "display/number_text.h"

namespace display {

namespace {

constexpr int kCaptionRise = 18;  // caption top above the meter's bottom edge
constexpr int kNoSupportX = 14;
constexpr const char* kNoSupport = "No Support";

std::int64_t Either(std::uint32_t preferred, std::uint32_t fallback) {
  return preferred != 0 ? preferred : fallback;
}

void PaintGreenMeter(Canvas& meter, int panelHeight, int lit, const Canvas& green) {
  const int segments = SegmentCount(panelHeight);
  for (int k = 0; k < segments; ++k) DrawSegment(meter, panelHeight, k, green, k < lit);
  if (HasThirdRow(panelHeight)) {
    DrawThirdRow(meter, panelHeight, segments - 1, green, segments - 1 < lit);
  }
}

const Canvas& ZoneTile(int k, TemperatureZones zones, const SkinCanvases& skins) {
  if (k < zones.amber) return skins.Get(kGreenTileSkin);
  if (k < zones.red) return skins.Get(kAmberTileSkin);
  return skins.Get(kRedTileSkin);
}

void PaintTemperatureMeter(Canvas& meter, int panelHeight, int lit, std::int64_t degrees,
                           const SkinCanvases& skins) {
  const int segments = SegmentCount(panelHeight);
  const TemperatureZones zones = ZonesFor(segments);
  for (int k = 0; k < segments; ++k) {
    DrawSegment(meter, panelHeight, k, ZoneTile(k, zones, skins), k < lit);
  }
  if (HasThirdRow(panelHeight)) {
    DrawThirdRow(meter, panelHeight, segments - 1, skins.Get(kRedTileSkin), segments - 1 < lit);
  }
  // Just past a zone's bound, its first segment shows lit even before the lit count gets there.
  // At the zone bounds themselves, even on a meter lower than the window allows, where a bound
  // can lie above the top segment.
  if (degrees > kAmberFromCelsius) {
    DrawSegment(meter, panelHeight, zones.amber, skins.Get(kAmberTileSkin), true);
  }
  if (degrees > kRedFromCelsius) {
    DrawSegment(meter, panelHeight, zones.red, skins.Get(kRedTileSkin), true);
  }
}

struct CaptionPlace {
  int x;
  bool supported;
};

CaptionPlace PlaceOf(int meter, const gpu::GpuSlot& slot) {
  switch (meter) {
    case kGraphicsClockMeter:
      return {12, slot.hasGpuClock.Load() != 0};
    case kMemoryClockMeter:
      return {12, slot.hasMemClock.Load() != 0};
    case kGpuLoadMeter:
      return {32, slot.hasGpuLoad.Load() != 0};
    case kMemoryUsageMeter:
      return {16, slot.hasMemUsed.Load() != 0};
    case kTemperatureMeter:
      return {29, slot.hasTemperature.Load() != 0};
    default:
      return {22, slot.hasPower.Load() != 0};
  }
}

// The narrow caption of every meter but the temperature meter.
std::string NarrowCaption(int meter, const gpu::GpuSlot& slot) {
  switch (meter) {
    case kGraphicsClockMeter:
      return MhzText(slot.clockCurrent[gpu::kGraphics].Load()) + " MHz";
    case kMemoryClockMeter:
      return MhzText(slot.clockCurrent[gpu::kMemory].Load()) + " MHz";
    case kGpuLoadMeter:
      return DecimalDigits(slot.gpuLoad.Load()) + " %";
    case kMemoryUsageMeter:
      return MbText(slot.memUsedKiB.Load()) + " MB";
    default:
      return WattText(slot.powerDraw.Load()) + " W";
  }
}

void DrawCaption(Canvas& backBuffer, const Area& area, int panelHeight, int meter,
                 const gpu::GpuSlot& slot, TextRenderer& text) {
  const CaptionPlace place = PlaceOf(meter, slot);
  const int y = area.y + panelHeight - kCaptionRise;
  if (!place.supported) {
    text.Draw(backBuffer, area, area.x + kNoSupportX, y, kCaptionColour, Font::kUi, kNoSupport);
  } else if (meter == kTemperatureMeter) {
    text.DrawWide(backBuffer, area, area.x + place.x, y, kCaptionColour, Font::kUi,
                  CelsiusText(slot.temperature.Load()));
  } else {
    text.Draw(backBuffer, area, area.x + place.x, y, kCaptionColour, Font::kUi,
              NarrowCaption(meter, slot));
  }
}

}  // namespace

std::array<MeterReading, kMeterCount> MeterReadings(const gpu::GpuSlot& slot) {
  const auto& current = slot.clockCurrent;
  const auto& base = slot.clockBase;
  return {{
      {current[gpu::kGraphics].Load(),
       Either(slot.graphicsClockCeilingKHz.Load(), base[gpu::kGraphics].Load()),
       Precision::kSingle},
      {current[gpu::kMemory].Load(),
       Either(slot.memoryClockCeilingKHz.Load(), base[gpu::kMemory].Load()), Precision::kSingle},
      {slot.gpuLoad.Load(), kPercentFullScale, Precision::kSingle},
      {slot.memUsedKiB.Load(), slot.memTotalKiB.Load(), Precision::kDouble},
      {slot.temperature.Load(), kTemperatureFullScale, Precision::kSingle},
      {slot.powerDraw.Load(), slot.powerLimit.Load(), Precision::kSingle},
  }};
}

void PaintMeterSegments(std::array<Canvas*, kMeterCount> meters, int panelHeight,
                        const gpu::GpuSlot& slot, const SkinCanvases& skins) {
  const std::array<MeterReading, kMeterCount> readings = MeterReadings(slot);
  const int segments = SegmentCount(panelHeight);
  for (int meter = 0; meter < kMeterCount; ++meter) {
    if (meters[meter] == nullptr) continue;
    const MeterReading& r = readings[meter];
    const int lit = LitCount(r.reading, r.fullScale, segments, r.precision);
    if (meter == kTemperatureMeter) {
      PaintTemperatureMeter(*meters[meter], panelHeight, lit, r.reading, skins);
    } else {
      PaintGreenMeter(*meters[meter], panelHeight, lit, skins.Get(kGreenTileSkin));
    }
  }
}

void DrawMeterCaptions(Canvas& backBuffer, const std::array<Area, kMeterCount>& meterAreas,
                       int panelHeight, const gpu::GpuSlot& slot, TextRenderer& text) {
  for (int meter = 0; meter < kMeterCount; ++meter) {
    DrawCaption(backBuffer, meterAreas[meter], panelHeight, meter, slot, text);
  }
}

}  // namespace display
