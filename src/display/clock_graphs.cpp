#include "display/clock_graphs.h"

#include <algorithm>
#include <array>

#include "display/graph_bars.h"
#include "display/paint_geometry_scale.h"

namespace display {
namespace {

std::uint32_t FirstNonZero(std::uint32_t a, std::uint32_t b, std::uint32_t fallback) {
  return a != 0 ? a : (b != 0 ? b : fallback);
}

// The sample's point height below the panel top, clamped at row 2; it decides whether the bar
// is lifted by `lift` rows.
int Lift(std::int32_t sample, std::uint32_t pointScale, int barHeight, int plotHeight, int lift) {
  const int point = std::max(2, plotHeight - 1 - ScaledPixels(sample, pointScale, plotHeight));
  return point + barHeight < plotHeight - 1 ? lift : 0;
}

// trunc(sample / scale x (P - 3)), full plot height when the sample is above the scale.
int BarHeight(std::int32_t sample, std::uint32_t scale, int plotHeight) {
  if (static_cast<std::int64_t>(sample) > scale) return plotHeight - 3;
  return ScaledPixels(sample, scale, plotHeight - 3);
}

using BarLayer = std::array<BarSpan, gpu::kHistoryLength>;

void DrawGraphicsClock(Canvas& backBuffer, const PaintGeometry& g, const gpu::GpuSlot& slot,
                       const ClockScales& scales, const SkinCanvases& skins) {
  const GraphColumns& columns = g.columns[kGraphicsClockGraph];
  const int bottom = g.RowTop(kGraphicsClockGraph) + g.plotHeight - 2;
  BarLayer lower{}, upper{};
  for (int i = 0; i < columns.shown; ++i) {
    const std::int32_t sample = slot.clockHistory.At(i, gpu::kGraphics);
    if (sample == gpu::kEmptySample) continue;
    const GraphicsBar bar = GraphicsClockBar(sample, scales, g.plotHeight);
    const int lowerTop = bottom + 1 - std::max(bar.lower, 0);
    lower[i] = {lowerTop, bar.lower};
    upper[i] = {lowerTop - bar.upper, bar.upper};
  }
  const Canvas& upperSkin = skins.Get(scales.fixedClockBoard ? kClockBarSkin : kOverBaseBarSkin);
  BlendBarLayer(backBuffer, columns, lower, skins.Get(kClockBarSkin));
  BlendBarLayer(backBuffer, columns, upper, upperSkin);
}

void DrawMemoryClock(Canvas& backBuffer, const PaintGeometry& g, const gpu::GpuSlot& slot,
                     const ClockScales& scales, const SkinCanvases& skins) {
  const GraphColumns& columns = g.columns[kMemoryClockGraph];
  const int bottom = g.RowTop(kMemoryClockGraph) + g.plotHeight - 2;
  BarLayer bars{};
  for (int i = 0; i < columns.shown; ++i) {
    const std::int32_t sample = slot.clockHistory.At(i, gpu::kMemory);
    if (sample == gpu::kEmptySample) continue;
    const int height = MemoryClockBar(sample, scales, g.plotHeight);
    bars[i] = {bottom + 1 - height, height};
  }
  BlendBarLayer(backBuffer, columns, bars, skins.Get(kMemoryBarSkin));
}

}  // namespace

ClockScales ReadClockScales(const gpu::GpuSlot& slot) {
  return {slot.graphicsClockCeilingKHz.Load(), slot.clockBase[gpu::kGraphics].Load(),
          slot.memoryClockCeilingKHz.Load(), slot.clockBase[gpu::kMemory].Load(),
          slot.fixedClockBoard.Load() != 0};
}

GraphicsBar GraphicsClockBar(std::int32_t sampleKHz, const ClockScales& scales, int plotHeight) {
  const std::uint32_t ceiling = scales.graphicsCeilingKHz;
  const std::uint32_t base = scales.graphicsBaseKHz;
  const std::uint32_t pointScale = FirstNonZero(ceiling, base, kDefaultGraphicsScaleKHz);
  if (ceiling == 0) {
    const int height = BarHeight(sampleKHz, pointScale, plotHeight);
    return {height + Lift(sampleKHz, pointScale, height, plotHeight, 2), 0};
  }
  const int span = plotHeight - 3;
  const std::int32_t capped = static_cast<std::int32_t>(
      std::min<std::int64_t>(sampleKHz, static_cast<std::int64_t>(ceiling)));
  const int height = ScaledPixels(capped, ceiling, span);
  const int toBase =
      std::min({ScaledPixels(base, ceiling, span), ScaledPixels(sampleKHz, ceiling, span), height});
  const int lift = Lift(sampleKHz, ceiling, height, plotHeight, 2);
  return {toBase + lift, height - toBase};
}

int MemoryClockBar(std::int32_t sampleKHz, const ClockScales& scales, int plotHeight) {
  const std::uint32_t pointScale =
      FirstNonZero(scales.memoryCeilingKHz, scales.memoryBaseKHz, kDefaultMemoryScaleKHz);
  // A fixed-clock board is scaled by its ceiling; one without a ceiling falls back like others.
  const std::uint32_t barScale = FirstNonZero(scales.fixedClockBoard ? scales.memoryCeilingKHz : 0,
                                              scales.memoryBaseKHz, kDefaultMemoryScaleKHz);
  const int height = BarHeight(sampleKHz, barScale, plotHeight);
  return height + Lift(sampleKHz, pointScale, height, plotHeight, 1);
}

void DrawClockGraphs(Canvas& backBuffer, const PaintGeometry& geometry, const gpu::GpuSlot& slot,
                     const SkinCanvases& skins) {
  const ClockScales scales = ReadClockScales(slot);
  DrawGraphicsClock(backBuffer, geometry, slot, scales, skins);
  DrawMemoryClock(backBuffer, geometry, slot, scales, skins);
}

}  // namespace display
