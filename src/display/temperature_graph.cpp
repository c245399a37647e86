#include "display/temperature_graph.h"

#include <algorithm>

#include "display/graph_bars.h"
#include "display/metrics.h"
#include "display/paint_geometry_scale.h"

namespace display {
namespace {

constexpr int kScaleBottom = 30;
constexpr int kScaleSpan = 70;  // degrees from the bottom to full height
constexpr int kBand2From = 50;

constexpr std::array<SkinSurfaceIndex, 4> kBandSkins = {kTempBand1Skin, kTempBand2Skin,
                                                        kTempBand3Skin, kTempBand4Skin};

// f(u) = trunc(u / 70 x P).
int Rise(std::int32_t degrees, int plotHeight) {
  return ScaledPixels(degrees, kScaleSpan, plotHeight);
}

}  // namespace

std::array<TemperatureBand, 4> TemperatureBands(std::int32_t celsius, int plotHeight) {
  const int P = plotHeight;
  const std::int32_t t = std::clamp(celsius, -kTemperatureFullScale, kTemperatureFullScale);
  const int base = P + 3;  // Y0, three rows below the panel bottom
  std::array<TemperatureBand, 4> bands{};
  const int h1 = std::min(Rise(std::min(t, kBand2From) - kScaleBottom, P), P);
  bands[0] = {P + 2 - h1, h1 - 3};
  if (t > kBand2From) {
    const std::int32_t upTo = std::min(t, kAmberFromCelsius);
    bands[1] = {base - Rise(upTo - kScaleBottom, P), std::min(Rise(upTo - kBand2From, P), P)};
  }
  if (t > kAmberFromCelsius) {
    const std::int32_t upTo = std::min(t, kRedFromCelsius);
    bands[2] = {base - Rise(upTo - kScaleBottom, P),
                std::min(1 + Rise(upTo - kAmberFromCelsius, P), P)};
  }
  if (t > kRedFromCelsius) {
    bands[3] = {base - Rise(t - kScaleBottom, P), std::min(1 + Rise(t - kRedFromCelsius, P), P)};
  }
  return bands;
}

void DrawTemperatureGraph(Canvas& backBuffer, const PaintGeometry& geometry,
                          const gpu::GpuSlot& slot, const SkinCanvases& skins) {
  const GraphColumns& columns = geometry.columns[kTemperatureGraph];
  const int rowTop = geometry.RowTop(kTemperatureGraph);
  std::array<std::array<BarSpan, gpu::kHistoryLength>, 4> layers{};
  for (int i = 0; i < columns.shown; ++i) {
    const std::int32_t sample = slot.temperatureHistory.At(i);
    if (sample == gpu::kEmptySample) continue;
    const auto bands = TemperatureBands(sample, geometry.plotHeight);
    for (std::size_t band = 0; band < bands.size(); ++band) {
      layers[band][i] = {rowTop + bands[band].top, bands[band].height};
    }
  }
  // Band by band: within a sample's column the bands are blended in order, and the columns of
  // different samples never meet.
  for (std::size_t band = 0; band < layers.size(); ++band) {
    BlendBarLayer(backBuffer, columns, layers[band], skins.Get(kBandSkins[band]));
  }
}

}  // namespace display
