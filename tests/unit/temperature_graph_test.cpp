#include "display/temperature_graph.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <tuple>

namespace {

using display::Canvas;
using display::MakeRgb;

// Band colours blended at 192/255 over black.
constexpr display::Rgb kBand1 = MakeRgb(60, 181, 35), kBand2 = MakeRgb(151, 192, 0);
constexpr display::Rgb kBand3 = MakeRgb(192, 154, 0), kBand4 = MakeRgb(192, 48, 0);
constexpr display::Rgb kBand3OverBand2 = MakeRgb(229, 201, 0);

// The smallest window (P = 74): row 3 starts at 255, the newest sample stands at x 404.
TEST(TemperatureGraph, BandsStackFromThirtyToOneHundredDegrees) {
  display::SkinCanvases skins{display::DecodedSkin{}};
  const display::PaintGeometry geometry = display::ComputePaintGeometry(900, 520);
  auto slot = std::make_unique<gpu::GpuSlot>();
  // Pushed oldest first: index 0 is 100 °C at x 404, index 5 is -40 °C at x 394.
  for (int t : {-40, INT32_MIN, 31, 50, 1000, 100}) gpu::PushHistory(slot->temperatureHistory, t);
  Canvas backBuffer(900, 500);
  backBuffer.Fill({0, 0, 900, 500}, display::kBlack);
  display::DrawTemperatureGraph(backBuffer, geometry, *slot, skins);
  // 100 °C reaches three rows below the panel top (255 + 3); band 3 is blended after band 2.
  const std::tuple<int, int, display::Rgb> pixels[] = {
      {404, 257, display::kBlack}, {404, 258, kBand4},         {404, 273, kBand4},
      {404, 274, kBand3},          {404, 293, kBand3},         {404, 294, kBand3OverBand2},
      {404, 295, kBand2},          {405, 309, kBand2},         {405, 310, kBand1},
      {405, 327, kBand1},          {405, 328, display::kBlack}};
  for (const auto& [x, y, colour] : pixels) EXPECT_EQ(backBuffer.At(x, y), colour) << x << "," << y;
  for (int y = 0; y < 500; ++y) {
    // Hotter than the scale: drawn as 100 °C, never above the panel.
    EXPECT_EQ(backBuffer.At(402, y), backBuffer.At(404, y)) << "row " << y;
    // 50 °C: band 1 only, rows 310 to 327 (20 of 70 degrees: 21 rows, less 3).
    EXPECT_EQ(backBuffer.At(400, y), y >= 310 && y <= 327 ? kBand1 : display::kBlack) << y;
    // 31 °C and anything colder draws nothing.
    for (int x = 394; x < 400; ++x) EXPECT_EQ(backBuffer.At(x, y), display::kBlack) << x;
  }
}

// At 1200 x 900 (P = 201, row 3 at 509) all 208 samples are shown, x 554 down to 140, while the
// power history beside the temperature history holds readings of its own: 40 degrees is band 1
// alone, rows 684 to 708, in every column.
TEST(TemperatureGraph, AFullHistoryShowsOnlyItsOwnSamples) {
  display::SkinCanvases skins{display::DecodedSkin{}};
  auto slot = std::make_unique<gpu::GpuSlot>();
  for (int i = 0; i < 208; ++i) {
    gpu::PushHistory(slot->temperatureHistory, 40);
    gpu::PushHistory(slot->powerHistory, 95);
  }
  Canvas backBuffer(1200, 880);
  backBuffer.Fill({0, 0, 1200, 880}, display::kBlack);
  display::DrawTemperatureGraph(backBuffer, display::ComputePaintGeometry(1200, 900), *slot, skins);
  for (const int x : {555, 554, 141, 140}) {
    for (int y = 0; y < 880; ++y) {
      EXPECT_EQ(backBuffer.At(x, y), y >= 684 && y <= 708 ? kBand1 : display::kBlack)
          << x << "," << y;
    }
  }
  EXPECT_EQ(backBuffer.At(139, 690), display::kBlack);
}

}  // namespace
