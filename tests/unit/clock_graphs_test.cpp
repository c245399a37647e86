#include "display/clock_graphs.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "display/grid_lines.h"

namespace {

using display::Canvas;
using display::MakeRgb;

// Bar colours blended at 192/255 over the black panel and over a grid line (0,128,64).
constexpr display::Rgb kGreenOverBlack = MakeRgb(0, 192, 0), kGreenOverGrid = MakeRgb(0, 224, 16);
constexpr display::Rgb kOverBaseOverBlack = MakeRgb(192, 48, 0),
                       kMemoryOverBlack = MakeRgb(0, 96, 192);

// The number of rows of column x that hold `colour`.
int RowsOf(const Canvas& canvas, int x, display::Rgb colour) {
  int count = 0;
  for (int y = 0; y < canvas.Height(); ++y) count += canvas.At(x, y) == colour;
  return count;
}

// Column x holds `colour` on rows first to last and on no other row.
void ExpectRows(const Canvas& canvas, int x, display::Rgb colour, int first, int last) {
  EXPECT_EQ(RowsOf(canvas, x, colour), last - first + 1) << "x " << x;
  for (int y = first; y <= last; ++y) EXPECT_EQ(canvas.At(x, y), colour) << x << "," << y;
}

// The smallest window (P = 74, G = 285) over a black back buffer: the graphics clock's newest
// sample stands at x 403, the memory clock's at 859; bars stand on row 119.
struct ClockGraphs : ::testing::Test {
  ClockGraphs() { backBuffer.Fill({0, 0, 900, 500}, display::kBlack); }
  void Push(std::int32_t graphics, std::int32_t memory) {
    slot->clockCurrent[gpu::kGraphics].Store(static_cast<std::uint32_t>(graphics));
    slot->clockCurrent[gpu::kMemory].Store(static_cast<std::uint32_t>(memory));
    gpu::PushClockHistory(*slot);
  }
  void Draw() { display::DrawClockGraphs(backBuffer, geometry, *slot, skins); }

  display::SkinCanvases skins{display::DecodedSkin{}};
  display::PaintGeometry geometry = display::ComputePaintGeometry(900, 520);
  std::unique_ptr<gpu::GpuSlot> slot = std::make_unique<gpu::GpuSlot>();
  Canvas backBuffer{900, 500};
};

TEST_F(ClockGraphs, GraphicsBarSplitsAtTheBaseClock) {
  slot->graphicsClockCeilingKHz.Store(2000000);
  slot->clockBase[gpu::kGraphics].Store(1000000);
  for (int i = 0; i < 208; ++i) Push(1500000, gpu::kEmptySample);
  Push(gpu::kEmptySample, gpu::kEmptySample);  // index 1: a gap
  Push(1500000, gpu::kEmptySample);
  display::DrawGridLines(backBuffer, geometry, 0, skins);
  Draw();
  // 0.75 of 71 rows = 53, 0.5 of 71 = 35 up to the base, lifted by 2: green 83 to 119 (37
  // rows), over-base colour 65 to 82 (18 rows).
  ExpectRows(backBuffer, 404, kGreenOverBlack, 83, 119);
  ExpectRows(backBuffer, 404, kOverBaseOverBlack, 65, 82);
  EXPECT_EQ(backBuffer.At(403, 85), kGreenOverGrid);    // the horizontal grid line at row 85
  EXPECT_EQ(backBuffer.At(404, 85), kGreenOverBlack);   // the line ends at x 403
  EXPECT_EQ(backBuffer.At(401, 100), display::kBlack);  // the gap draws nothing
  // Sample 131 stands at x 141; sample 132 would stand at 139, left of the plot.
  EXPECT_EQ(backBuffer.At(141, 100), kGreenOverBlack);
  EXPECT_EQ(backBuffer.At(140, 100), display::kBlack);
}

TEST_F(ClockGraphs, FixedBoardBarIsGreenThroughout) {
  slot->fixedClockBoard.Store(1);
  slot->graphicsClockCeilingKHz.Store(2000000);
  slot->clockBase[gpu::kGraphics].Store(1000000);
  Push(1500000, gpu::kEmptySample);
  Draw();
  ExpectRows(backBuffer, 404, kGreenOverBlack, 65, 119);
}

TEST_F(ClockGraphs, GraphicsBarWithoutCeilingOrAboveItStaysInThePlot) {
  // No ceiling, no base: scale 1,200,000 kHz; twice that is full height (71 rows), not lifted.
  Push(2400000, gpu::kEmptySample);
  Draw();
  ExpectRows(backBuffer, 404, kGreenOverBlack, 49, 119);
  // A base above the ceiling and a clock far above both: the bar still ends at full height, all
  // of it up to the base.
  backBuffer.Fill({0, 0, 900, 500}, display::kBlack);
  slot->graphicsClockCeilingKHz.Store(1000000);
  slot->clockBase[gpu::kGraphics].Store(3000000);
  Push(INT32_MAX, gpu::kEmptySample);
  Push(INT32_MIN, gpu::kEmptySample);  // far below zero: nothing
  Draw();
  EXPECT_EQ(RowsOf(backBuffer, 404, display::kBlack), 500);
  ExpectRows(backBuffer, 402, kGreenOverBlack, 49, 119);
  EXPECT_EQ(RowsOf(backBuffer, 402, kOverBaseOverBlack), 0);
}

TEST_F(ClockGraphs, MemoryBarsUseTheirScaleAndAreClampedToThePlot) {
  slot->clockBase[gpu::kMemory].Store(7000000);
  Push(gpu::kEmptySample, INT32_MIN);  // index 2, x 855: nothing
  Push(gpu::kEmptySample, 3500000);    // index 1, x 857: half of 71 rows, lifted by 1
  Push(gpu::kEmptySample, INT32_MAX);  // index 0, x 859: full height, not lifted
  Draw();
  ExpectRows(backBuffer, 860, kMemoryOverBlack, 49, 119);
  ExpectRows(backBuffer, 857, kMemoryOverBlack, 84, 119);
  EXPECT_EQ(RowsOf(backBuffer, 855, display::kBlack), 500);
  // A fixed-clock board scales its bars by its ceiling: 3,500,000 of 3,500,000 fills the plot.
  backBuffer.Fill({0, 0, 900, 500}, display::kBlack);
  slot->fixedClockBoard.Store(1);
  slot->memoryClockCeilingKHz.Store(3500000);
  Draw();
  ExpectRows(backBuffer, 857, kMemoryOverBlack, 49, 119);
  // Without its ceiling it falls back to the base clock like any board.
  backBuffer.Fill({0, 0, 900, 500}, display::kBlack);
  slot->memoryClockCeilingKHz.Store(0);
  Draw();
  ExpectRows(backBuffer, 857, kMemoryOverBlack, 84, 119);
}

// At P = 74 a bar spans 71 rows and is lifted by 2 (graphics) or 1 (memory) while its point
// stands clear of the bar's top.
TEST(ClockBars, DefaultScalesApplyWithoutCeilingOrBase) {
  const display::ClockScales none{};
  EXPECT_EQ(none.graphicsCeilingKHz, 0u);
  EXPECT_EQ(none.graphicsBaseKHz, 0u);
  EXPECT_EQ(none.memoryCeilingKHz, 0u);
  EXPECT_EQ(none.memoryBaseKHz, 0u);
  EXPECT_FALSE(none.fixedClockBoard);
  // Exactly the default scale fills the plot, not lifted; half of it is 35 rows, lifted.
  EXPECT_EQ(display::GraphicsClockBar(1200000, none, 74).lower, 71);
  EXPECT_EQ(display::GraphicsClockBar(1200000, none, 74).upper, 0);
  EXPECT_EQ(display::GraphicsClockBar(600000, none, 74).lower, 37);
  EXPECT_EQ(display::GraphicsClockBar(600000, none, 74).upper, 0);
  EXPECT_EQ(display::MemoryClockBar(7000000, none, 74), 71);
  EXPECT_EQ(display::MemoryClockBar(3500000, none, 74), 36);
  EXPECT_EQ(display::MemoryClockBar(2464789, none, 74), 26);  // 24.9999947 rows: 25 in floats
  // A base without a ceiling scales the graphics bar; a base of 1 kHz too.
  display::ClockScales based;
  based.graphicsBaseKHz = 1;
  EXPECT_EQ(display::GraphicsClockBar(1, based, 74).lower, 71);
  based.graphicsBaseKHz = 2400000;
  EXPECT_EQ(display::GraphicsClockBar(1200000, based, 74).lower, 37);
}

TEST(ClockBars, MemoryBarOfAnOrdinaryBoardIgnoresItsCeiling) {
  display::ClockScales scales;
  scales.memoryCeilingKHz = 3500000;
  scales.memoryBaseKHz = 7000000;
  // Half of the base is 35 rows; the point, scaled by the ceiling, stands at the top, clear of
  // the bar: lifted by 1.
  EXPECT_EQ(display::MemoryClockBar(3500000, scales, 74), 36);
  scales.fixedClockBoard = true;
  EXPECT_EQ(display::MemoryClockBar(3500000, scales, 74), 71);
}

// Samples never pushed are gaps: nothing is drawn for them, not even on the buffer's top row.
TEST_F(ClockGraphs, GapsDrawNothing) {
  Push(1500000, 3500000);
  Draw();
  for (int x = 0; x < 900; ++x) {
    EXPECT_EQ(backBuffer.At(x, 0), display::kBlack) << x;
    EXPECT_EQ(backBuffer.At(x, 1), display::kBlack) << x;
  }
  EXPECT_EQ(RowsOf(backBuffer, 401, display::kBlack), 500);
  EXPECT_EQ(RowsOf(backBuffer, 857, display::kBlack), 500);
  // Without a ceiling the whole bar is green: nothing above it.
  EXPECT_EQ(RowsOf(backBuffer, 403, kOverBaseOverBlack), 0);
}

}  // namespace
