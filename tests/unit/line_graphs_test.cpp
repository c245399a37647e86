#include "display/line_graphs.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

using display::Canvas;
constexpr display::Rgb kPen = display::MakeRgb(0, 255, 0);

// The smallest window (P = 74): row 2 starts at 151 with its zero level at 222, row 3 at 255 with
// its zero level at 326. Load points start at x 404, memory and power points at 860.
struct LineGraphs : ::testing::Test {
  LineGraphs() { Clear(); }
  void Clear() { backBuffer.Fill({0, 0, 900, 500}, display::kBlack); }
  void Draw(display::GraphIndex graph) {
    display::DrawLineGraph(backBuffer, geometry, *slot, graph);
  }
  int PenPixels() const {
    int count = 0;
    for (int y = 0; y < 500; ++y) {
      for (int x = 0; x < 900; ++x) count += backBuffer.At(x, y) == kPen;
    }
    return count;
  }

  display::PaintGeometry geometry = display::ComputePaintGeometry(900, 520);
  std::unique_ptr<gpu::GpuSlot> slot = std::make_unique<gpu::GpuSlot>();
  Canvas backBuffer{900, 500};
};

TEST_F(LineGraphs, MemoryLineSkipsEmptySamplesAndRescalesWithTheTotal) {
  for (std::int32_t kib : {4194304, 4194304}) gpu::PushHistory(slot->memUsedHistory, kib);
  slot->memTotalKiB.Store(8388608);  // half full: 37 rows above the zero level
  Draw(display::kMemoryUsageGraph);
  // From x 860 to 858, whose point the line leaves out; the empty samples beyond draw nothing.
  for (int x = 859; x <= 860; ++x) EXPECT_EQ(backBuffer.At(x, 185), kPen) << x;
  EXPECT_EQ(PenPixels(), 2);
  // The whole history follows the current total.
  Clear();
  slot->memTotalKiB.Store(16777216);
  Draw(display::kMemoryUsageGraph);
  EXPECT_EQ(backBuffer.At(859, 204), kPen);  // 18.5 rows, truncated
  EXPECT_EQ(PenPixels(), 2);
  // Double precision: 3/37 of 74 rows is exactly 6 (single precision would give 5).
  Clear();
  slot->memTotalKiB.Store(37 * 262144);
  for (int i = 0; i < 2; ++i) gpu::PushHistory(slot->memUsedHistory, 3 * 262144);
  Draw(display::kMemoryUsageGraph);
  EXPECT_EQ(backBuffer.At(860, 216), kPen);
}

TEST_F(LineGraphs, PointsStayInsideThePlot) {
  // Oldest first: index 0 and 1 at 1000 % stop one row below the panel top; index 2 and 3, far
  // below zero, rest on the zero level.
  for (int load : {INT32_MIN, INT32_MIN, 1000, 1000}) gpu::PushHistory(slot->loadHistory, load);
  Draw(display::kLoadGraph);
  for (auto [x, y] : {std::pair{404, 152}, {403, 152}, {400, 222}, {399, 222}}) {
    EXPECT_EQ(backBuffer.At(x, y), kPen) << x;
  }
  for (int x = 0; x < 900; ++x) {
    EXPECT_NE(backBuffer.At(x, 151), kPen) << x;
    EXPECT_NE(backBuffer.At(x, 223), kPen) << x;
  }
}

TEST_F(LineGraphs, PowerLineFollowsTheLimitAndAnUnknownScaleDrawsNothing) {
  for (int i = 0; i < 3; ++i) {
    gpu::PushHistory(slot->powerHistory, 100000);
    gpu::PushHistory(slot->memUsedHistory, 100000);
  }
  Draw(display::kPowerGraph);  // powerLimit and memTotalKiB still 0
  Draw(display::kMemoryUsageGraph);
  EXPECT_EQ(PenPixels(), 0);
  slot->powerLimit.Store(200000);
  Draw(display::kPowerGraph);
  EXPECT_EQ(backBuffer.At(860, 289), kPen);  // 326 - 37
  EXPECT_EQ(PenPixels(), 4);
}

// The load graph shows 133 samples (x 404 down to 140); an older one is not joined to them.
TEST_F(LineGraphs, SamplesBeyondTheShownColumnsAreLeftOut) {
  for (int i = 0; i < 134; ++i) gpu::PushHistory(slot->loadHistory, 50);
  Draw(display::kLoadGraph);
  EXPECT_EQ(backBuffer.At(141, 185), kPen);
  EXPECT_EQ(backBuffer.At(140, 185), display::kBlack);
  EXPECT_EQ(PenPixels(), 264);
}

}  // namespace
