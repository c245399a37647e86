#include "gpu/repaint_areas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using gpu::Rect;

TEST(RepaintAreas, MetersAndGraphPanelsAtTheLargestWindow) {
  const auto areas = gpu::MeterAndGraphAreas({1200, 900});  // h = 293, w = 600
  EXPECT_EQ(areas[0], (Rect{19, 47, 101, 248}));
  EXPECT_EQ(areas[1], (Rect{624, 47, 706, 248}));
  EXPECT_EQ(areas[2], (Rect{19, 278, 101, 479}));
  EXPECT_EQ(areas[5], (Rect{624, 509, 706, 710}));
  EXPECT_EQ(areas[6], (Rect{139, 47, 556, 248}));
  EXPECT_EQ(areas[7], (Rect{744, 47, 1161, 248}));
  EXPECT_EQ(areas[11], (Rect{744, 509, 1161, 710}));
  EXPECT_EQ(gpu::InformationPanelArea({1200, 900}), (Rect{12, 738, 682, 866}));
}

TEST(RepaintAreas, OddSizesDivideTowardsZero) {
  const auto areas = gpu::MeterAndGraphAreas({901, 522});  // h = 167, w = 450
  EXPECT_EQ(areas[1], (Rect{474, 47, 556, 122}));
  EXPECT_EQ(areas[4], (Rect{19, 257, 101, 332}));
  EXPECT_EQ(gpu::MeterAndGraphAreas({900, 521})[0].bottom, 122);  // h = 167 (501 / 3)
}

TEST(RepaintAreas, GridPhaseStepsByTwoAndWrapsAtTwelve) {
  auto table = std::make_unique<gpu::SlotTable>();
  for (const int expected : {0, 2, 4, 6, 8, 10, 0}) {
    EXPECT_EQ(table->gridPhase.Load(), expected);
    gpu::AdvanceGridPhase(*table);
  }
}

}  // namespace
