#include "display/level_meters.h"
#include "support/recording_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using display::Canvas;
using display::kBlack;
using display::LitCount;
using display::MakeRgb;
using display::Precision;
using display::Rgb;

constexpr Rgb kGreenLit = MakeRgb(0, 255, 0), kGreenMid = MakeRgb(0, 128, 0);
constexpr Rgb kAmberLit = MakeRgb(255, 204, 0), kAmberMid = MakeRgb(128, 102, 0);
constexpr Rgb kAmberDim = MakeRgb(64, 51, 0), kRedLit = MakeRgb(255, 64, 0);
constexpr Rgb kRedMid = MakeRgb(128, 32, 0), kRedDim = MakeRgb(64, 16, 0);

// One meter of `slot`, P rows high, on the black interior the composer's frame leaves.
struct Meter {
  Meter(const gpu::GpuSlot& slot, int meter, int panelHeight) : canvas(82, panelHeight) {
    canvas.Fill({0, 0, 82, panelHeight}, kBlack);
    static const display::SkinCanvases skins{display::DecodedSkin{}};
    std::array<Canvas*, display::kMeterCount> meters{};
    meters[meter] = &canvas;
    display::PaintMeterSegments(meters, panelHeight, slot, skins);
  }
  // Segment k's upper row: `even` at even tile columns, `odd` at odd ones, in both blocks; its
  // lower row the other way round.
  bool Shows(int k, Rgb even, Rgb odd) const {
    const int y = display::SegmentTopRow(canvas.Height(), k);
    return canvas.At(23, y) == even && canvas.At(24, y) == odd && canvas.At(39, y) == even &&
           canvas.At(41, y) == even && canvas.At(57, y) == even && canvas.At(23, y + 1) == odd &&
           canvas.At(42, y + 1) == even;
  }
  Canvas canvas;
};

TEST(LevelMeter, SegmentColumnAndZonesAtTheWindowLimits) {
  for (auto [height, count] : {std::pair{74, 14}, {201, 57}, {33, 1}, {32, 0}, {-5, 0}}) {
    EXPECT_EQ(display::SegmentCount(height), count) << height;
  }
  EXPECT_TRUE(display::HasThirdRow(74));    // 42 = 3 × 14
  EXPECT_FALSE(display::HasThirdRow(201));  // 169
  EXPECT_FALSE(display::HasThirdRow(32));   // no segment at all
  EXPECT_EQ(display::SegmentTopRow(74, 13), 8);
  const auto small = display::ZonesFor(14), large = display::ZonesFor(57);
  EXPECT_EQ((std::array{small.amber, small.red, large.amber, large.red}),
            (std::array{9, 12, 38, 48}));
}

TEST(LevelMeter, LitCountRoundsAndStaysDefinedForEveryReading) {
  EXPECT_EQ(LitCount(67, 100, 14, Precision::kSingle), 9);     // 9.38
  EXPECT_EQ(LitCount(50, 100, 57, Precision::kSingle), 29);    // 28.5
  EXPECT_EQ(LitCount(512, 1024, 57, Precision::kDouble), 29);  // 28.5
  EXPECT_EQ(LitCount(21, 38, 57, Precision::kDouble), 32);     // 31.5
  EXPECT_EQ(LitCount(21, 38, 57, Precision::kSingle), 31);     // 31.4999981 in single precision
  EXPECT_EQ(LitCount(100, 100, 14, Precision::kSingle), 14);
  EXPECT_EQ(LitCount(0, 100, 14, Precision::kSingle), 0);
  EXPECT_EQ(LitCount(250, 100, 14, Precision::kSingle), 35);  // beyond the top: all lit
  EXPECT_EQ(LitCount(5, 0, 14, Precision::kSingle), 0);
  EXPECT_EQ(LitCount(0, 0, 14, Precision::kDouble), 0);
  EXPECT_EQ(LitCount(-40, 100, 14, Precision::kSingle), 0);
  const std::int64_t most = std::numeric_limits<std::uint32_t>::max();
  EXPECT_EQ(LitCount(most, 1, 57, Precision::kDouble), 0);  // 2.4e11: outside 32 bits
  EXPECT_EQ(LitCount(most, 1, 57, Precision::kSingle), 0);
  EXPECT_GT(LitCount(most, 100, 14, Precision::kSingle), 14);  // 6e8: inside, all lit
}

TEST(LevelMeter, FullScalesOfTheSixMeters) {
  gpu::GpuSlot slot;
  slot.clockBase[gpu::kGraphics].Store(1200000);  // no graphics ceiling: the base clock
  slot.clockBase[gpu::kMemory].Store(7000000);
  slot.memoryClockCeilingKHz.Store(8000000);
  slot.memTotalKiB.Store(8388608);
  slot.powerLimit.Store(250000);
  const auto readings = display::MeterReadings(slot);
  const std::int64_t scales[] = {1200000, 8000000, 100, 8388608, 100, 250000};
  for (int i = 0; i < display::kMeterCount; ++i) {
    EXPECT_EQ(readings[i].fullScale, scales[i]) << i;
    EXPECT_EQ(readings[i].precision, i == 3 ? Precision::kDouble : Precision::kSingle) << i;
  }
  EXPECT_EQ(readings[display::kPowerMeter].fullScale, 250000);
}

TEST(LevelMeter, GreenMeterSegmentsFromTheTile) {
  gpu::GpuSlot slot;
  slot.gpuLoad.Store(100);
  const Meter full(slot, display::kGpuLoadMeter, 74);
  for (int k = 0; k < 14; ++k) EXPECT_TRUE(full.Shows(k, kGreenLit, kGreenMid)) << k;
  EXPECT_EQ(full.canvas.At(23, 7), kGreenLit);  // the top's third row repeats tile row 2
  for (auto [x, y] : {std::pair{23, 46}, {40, 47}, {22, 47}, {58, 47}, {23, 6}}) {
    EXPECT_EQ(full.canvas.At(x, y), kBlack) << x << "," << y;  // gaps and surroundings
  }
  slot.memTotalKiB.Store(8388608);
  slot.memUsedKiB.Store(4194304);
  const Meter half(slot, display::kMemoryUsageMeter, 201);
  EXPECT_TRUE(half.Shows(28, kGreenLit, kGreenMid));
  EXPECT_TRUE(half.Shows(29, kGreenMid, kBlack));
  EXPECT_EQ(half.canvas.At(23, display::SegmentTopRow(201, 56) - 1), kBlack);  // no third row
  // A zero reading, and a clock without ceiling or base clock, light none.
  slot.clockCurrent[gpu::kGraphics].Store(1000000);
  for (int meter : {display::kGraphicsClockMeter, display::kMemoryClockMeter}) {
    const Meter none(slot, meter, 74);
    EXPECT_TRUE(none.Shows(0, kGreenMid, kBlack));
    EXPECT_EQ(none.canvas.At(23, 7), kGreenMid);
  }
}

TEST(LevelMeter, TemperatureZonesAndForcedSegments) {
  gpu::GpuSlot slot;
  slot.temperature.Store(67);  // L = 9
  const Meter hot(slot, display::kTemperatureMeter, 74);
  for (int k = 0; k < 9; ++k) EXPECT_TRUE(hot.Shows(k, kGreenLit, kGreenMid)) << k;
  EXPECT_TRUE(hot.Shows(9, kAmberLit, kAmberMid));  // forced
  EXPECT_TRUE(hot.Shows(10, kAmberDim, kBlack));
  EXPECT_TRUE(hot.Shows(12, kRedDim, kBlack));
  EXPECT_EQ(hot.canvas.At(23, 7), kRedDim);  // the third row: red, unlit
  slot.temperature.Store(66);
  EXPECT_TRUE(Meter(slot, display::kTemperatureMeter, 74).Shows(9, kAmberDim, kBlack));
  slot.temperature.Store(86);  // L = 12
  const Meter hotter(slot, display::kTemperatureMeter, 74);
  EXPECT_TRUE(hotter.Shows(11, kAmberLit, kAmberMid));
  EXPECT_TRUE(hotter.Shows(12, kRedLit, kRedMid));  // forced
  EXPECT_TRUE(hotter.Shows(13, kRedDim, kBlack));
  slot.temperature.Store(-40);
  EXPECT_TRUE(Meter(slot, display::kTemperatureMeter, 74).Shows(0, kGreenMid, kBlack));
}

TEST(LevelMeter, CaptionsAtTheirMetersOrNoSupport) {
  gpu::GpuSlot slot;
  slot.clockCurrent[gpu::kGraphics].Store(1234567);
  slot.clockCurrent[gpu::kMemory].Store(7000000);
  slot.gpuLoad.Store(45);
  slot.memUsedKiB.Store(1536);
  slot.temperature.Store(45);
  slot.powerDraw.Store(50);
  // The meters of the smallest window: two columns at x 19 and 474, rows 104 apart.
  std::array<display::Area, display::kMeterCount> areas{};
  for (int i = 0; i < 6; ++i) areas[i] = {i % 2 == 0 ? 19 : 474, 47 + 104 * (i / 2), 82, 74};
  const std::wstring texts[] = {L"1234.56 MHz", L"7000.00 MHz", L"45 %",
                                L"1.50 MB",     L"45 \u2103",   L"0.05 W"};
  const int xs[] = {12, 12, 32, 16, 29, 22};
  for (bool supported : {false, true}) {
    for (gpu::Flag* flag : {&slot.hasGpuClock, &slot.hasMemClock, &slot.hasGpuLoad,
                            &slot.hasMemUsed, &slot.hasTemperature, &slot.hasPower}) {
      flag->Store(supported);
    }
    Canvas backBuffer(900, 500);
    display::RecordingTextRenderer text;
    display::DrawMeterCaptions(backBuffer, areas, 74, slot, text);
    ASSERT_EQ(text.runs.size(), 6u);
    for (int i = 0; i < 6; ++i) {
      const display::TextRun& run = text.runs[i];
      EXPECT_EQ(run.text, supported ? texts[i] : L"No Support") << i;
      EXPECT_EQ(run.wide, supported && i == display::kTemperatureMeter) << i;
      EXPECT_EQ(run.x, areas[i].x + (supported ? xs[i] : 14)) << i;
      EXPECT_EQ(run.y, areas[i].y + 56);
      EXPECT_EQ(run.colour, MakeRgb(0, 255, 0));
      EXPECT_EQ(run.font, display::Font::kUi);
      EXPECT_EQ((std::array{run.clip.x, run.clip.y, run.clip.width}),
                (std::array{areas[i].x, areas[i].y, 82}));
    }
  }
}

}  // namespace
