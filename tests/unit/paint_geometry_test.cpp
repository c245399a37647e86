#include "display/paint_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "display/paint_geometry_scale.h"

namespace {

using display::ComputePaintGeometry;
using display::PaintGeometry;

void ExpectArea(const display::Area& area, std::array<int, 4> expected) {
  EXPECT_EQ((std::array{area.x, area.y, area.width, area.height}), expected);
}

// The last sample index a graph shows, and the first it leaves out, by its column test.
void ExpectLastShown(const PaintGeometry& g, int graph, int lastIndex) {
  const display::GraphColumns& columns = g.columns[graph];
  EXPECT_EQ(columns.shown, lastIndex + 1) << "graph " << graph;
  EXPECT_GE(columns.X(lastIndex), columns.leftmostX);
  if (lastIndex + 1 < 208) {
    EXPECT_LT(columns.X(lastIndex + 1), columns.leftmostX);
  }
}

TEST(PaintGeometry, SmallestWindow) {
  const PaintGeometry g = ComputePaintGeometry(900, 520);
  EXPECT_EQ((std::array{g.rowPitch, g.plotHeight, g.graphWidth}), (std::array{166, 74, 285}));
  EXPECT_EQ(g.rowTops, (std::array<int, 3>{47, 151, 255}));
  ExpectArea(g.meters[display::kGraphicsClockGraph], {19, 47, 82, 74});
  ExpectArea(g.meters[display::kPowerGraph], {474, 255, 82, 74});
  ExpectArea(g.graphPanels[display::kLoadGraph], {139, 151, 267, 74});
  ExpectArea(g.graphPanels[display::kMemoryUsageGraph], {594, 151, 267, 74});
  ExpectArea(g.infoPanel, {22, 358, 760, 110});
  ExpectArea(g.logo, {688, 400, 180, 60});
  ExpectLastShown(g, display::kGraphicsClockGraph, 131);
  ExpectLastShown(g, display::kMemoryClockGraph, 131);
  ExpectLastShown(g, display::kLoadGraph, 132);
  ExpectLastShown(g, display::kTemperatureGraph, 132);
  ExpectLastShown(g, display::kPowerGraph, 132);
  EXPECT_EQ(g.columns[display::kMemoryUsageGraph].newestX, 2 * 285 + 290);
  EXPECT_TRUE(g.drawable);
}

TEST(PaintGeometry, LargestWindow) {
  const PaintGeometry g = ComputePaintGeometry(1200, 900);
  EXPECT_EQ((std::array{g.plotHeight, g.graphWidth}), (std::array{201, 435}));
  EXPECT_EQ(g.rowTops, (std::array<int, 3>{47, 278, 509}));
  ExpectArea(g.graphPanels[display::kMemoryClockGraph], {744, 47, 417, 201});
  ExpectArea(g.meters[display::kMemoryClockGraph], {624, 47, 82, 201});
  ExpectArea(g.infoPanel, {22, 738, 760, 110});
  ExpectArea(g.logo, {988, 780, 180, 60});
  ExpectLastShown(g, display::kGraphicsClockGraph, 206);
  ExpectLastShown(g, display::kLoadGraph, 207);
  ExpectLastShown(g, display::kTemperatureGraph, 207);
}

TEST(PaintGeometry, SizesOutsideTheLimitsStayDefined) {
  // Too small for a plot: nothing is drawable and no graph shows a sample.
  for (const auto& [w, h] : {std::pair{0, 0}, {-5, INT_MIN}, {900, 307}, {373, 520}}) {
    EXPECT_FALSE(ComputePaintGeometry(w, h).drawable) << w << " x " << h;
  }
  EXPECT_EQ(ComputePaintGeometry(-5, INT_MIN).outerWidth, 0);
  EXPECT_EQ(ComputePaintGeometry(-5, INT_MIN).outerHeight, 0);
  EXPECT_EQ(ComputePaintGeometry(300, 520).columns[display::kLoadGraph].shown, 0);
  EXPECT_TRUE(ComputePaintGeometry(900, 308).drawable);            // P = 4, the least plot
  const PaintGeometry narrowest = ComputePaintGeometry(374, 520);  // G = 22
  EXPECT_TRUE(narrowest.drawable);
  // The clock graphs' newest column is their leftmost: one sample each.
  EXPECT_EQ(narrowest.columns[display::kGraphicsClockGraph].shown, 1);
  EXPECT_EQ(narrowest.columns[display::kMemoryClockGraph].shown, 1);
  // Absurdly large: clamped, so that every position is still an int.
  const PaintGeometry huge = ComputePaintGeometry(INT_MAX, INT_MAX);
  EXPECT_EQ(huge.outerWidth, 32767);
  EXPECT_EQ(huge.columns[display::kPowerGraph].shown, 208);
  EXPECT_GT(huge.graphPanels[display::kPowerGraph].x, 0);
}

TEST(PaintGeometry, ScaledPixelsTruncateAndStayInRange) {
  EXPECT_EQ(display::ScaledPixels(3, 4, 74), 55);                // 55.5
  EXPECT_EQ(display::ScaledPixels(-3, 4, 74), -55);              // toward zero
  EXPECT_EQ(display::ScaledPixels(INT32_MAX, 1, 201), 1 << 24);  // clamped
  EXPECT_EQ(display::ScaledPixels(INT32_MIN, 1, 201), -display::kPixelReach);
  EXPECT_EQ(display::ScaledPixels(5, 0, 74), 0);  // no scale: no height
  EXPECT_EQ(display::ScaledPixelsPrecise(5, 0, 74), 0);
  EXPECT_EQ(display::ScaledPixelsPrecise(3, 1, 74), 222);
  // 3 / 37 x 74 is 6 exactly; single precision falls just short of it.
  EXPECT_EQ(display::ScaledPixels(3, 37, 74), 5);
  EXPECT_EQ(display::ScaledPixelsPrecise(3, 37, 74), 6);
  EXPECT_EQ(display::TruncatedPixels(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(display::TruncatedPixels(-std::numeric_limits<double>::infinity()),
            -display::kPixelReach);
  EXPECT_EQ(display::TruncatedPixels(1e30f), display::kPixelReach);
}

}  // namespace
