#include "display/compose_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "display/base_clock_marker.h"
#include "display/paint_geometry.h"
#include "display/sunken_frame.h"
#include "support/recording_text.h"

namespace {

using display::Area;
using display::Canvas;
using display::kBlack;
using display::kWhite;
using display::MakeRgb;

constexpr display::Rgb kOuterEdge = MakeRgb(160, 160, 160), kInnerEdge = MakeRgb(105, 105, 105);
constexpr display::Rgb kGrid = MakeRgb(0, 128, 64), kAmber = MakeRgb(255, 204, 0);

// Stands in for the meters and the information panel: marks each meter at (40, 10) with its own
// colour and fills the information panel white.
class FakePainters final : public display::PanelPainters {
 public:
  static display::Rgb MeterMark(int meter) { return MakeRgb(10 * (meter + 1), 0, 0); }

  void PaintMeterSegments(std::array<Canvas*, 6> meters, int plotHeight, const gpu::GpuSlot&,
                          const display::SkinCanvases&) override {
    calls.push_back("segments");
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(meters[i]->Width(), 82);
      EXPECT_EQ(meters[i]->Height(), plotHeight);
      EXPECT_EQ(meters[i]->At(0, 0), kOuterEdge);  // framed before the segments
      meters[i]->Set(40, 10, MeterMark(i));
    }
  }
  void DrawMeterCaptions(Canvas& backBuffer, const std::array<Area, 6>& meterAreas, int,
                         const gpu::GpuSlot&, display::TextRenderer&) override {
    calls.push_back("captions");
    captionAreas = meterAreas;
    // Captions come after the meters are in the back buffer (where it holds them).
    if (backBuffer.Width() > meterAreas[5].x + 40) {
      EXPECT_EQ(backBuffer.At(meterAreas[5].x + 40, meterAreas[5].y + 10), MeterMark(5));
    }
  }
  void PaintInfoPanel(Canvas& backBuffer, const Area& panel, const gpu::GpuSlot&,
                      display::TextRenderer&) override {
    calls.push_back("info");
    infoArea = panel;
    backBuffer.Fill(panel, kWhite);
  }

  std::vector<std::string> calls;
  std::array<Area, 6> captionAreas{};
  Area infoArea{};
};

struct Composition : ::testing::Test {
  void Compose(int width, int height, std::int32_t gridPhase = 0) {
    ComposeInto(width, height - 20, width, height, gridPhase);
  }
  // A back buffer of its own size for a window of another.
  void ComposeInto(int bufferWidth, int bufferHeight, int width, int height,
                   std::int32_t gridPhase = 0) {
    backBuffer = std::make_unique<Canvas>(bufferWidth, bufferHeight);
    geometry = display::ComputePaintGeometry(width, height);
    backBuffer->Fill({0, 0, width, height}, kStale);  // what a reused buffer may hold
    painters.calls.clear();
    text.runs.clear();
    display::ComposeMainWindow(
        *backBuffer, {width, height, *slot, gridPhase, skins, panelSurface, text, painters});
  }
  display::Rgb At(int x, int y) const { return backBuffer->At(x, y); }
  void ExpectPixels(std::initializer_list<std::tuple<int, int, display::Rgb>> pixels) const {
    for (const auto& [x, y, colour] : pixels) EXPECT_EQ(At(x, y), colour) << x << "," << y;
  }
  // Pixels still holding what the buffer held before the composition.
  int StalePixels() const {
    int count = 0;
    for (int y = 0; y < backBuffer->Height(); ++y) {
      for (int x = 0; x < backBuffer->Width(); ++x) count += At(x, y) == kStale;
    }
    return count;
  }
  static constexpr display::Rgb kStale = MakeRgb(1, 2, 3);

  display::SkinCanvases skins{display::DecodedSkin{}};  // the logo stays black
  std::unique_ptr<gpu::GpuSlot> slot = std::make_unique<gpu::GpuSlot>();
  Canvas panelSurface{417, 208};
  display::RecordingTextRenderer text;
  FakePainters painters;
  std::unique_ptr<Canvas> backBuffer;
  display::PaintGeometry geometry;  // of the window last composed
};

TEST_F(Composition, PlacesFramedMetersPanelsInfoAndLogoInOrder) {
  Compose(900, 520);
  EXPECT_EQ(painters.calls, (std::vector<std::string>{"segments", "captions", "info"}));
  for (int i = 0; i < 6; ++i) {
    const Area& meter = geometry.meters[i];
    EXPECT_EQ(At(meter.x + 40, meter.y + 10), FakePainters::MeterMark(i)) << i;
    EXPECT_EQ(painters.captionAreas[i].x, meter.x);
    EXPECT_EQ(painters.captionAreas[i].y, meter.y);
  }
  // The first meter's frame: outer and inner edges, black interior, white bottom and right.
  ExpectPixels(
      {{19, 47, kOuterEdge}, {19, 120, kOuterEdge}, {20, 48, kInnerEdge}, {50, 60, kBlack}});
  ExpectPixels({{100, 100, kWhite}, {100, 48, kWhite}, {50, 120, kWhite}, {20, 120, kWhite}});
  // A graph panel of 267 columns: no white right edge at this width, white beyond the panel.
  ExpectPixels({{139, 151, kOuterEdge}, {405, 200, kBlack}, {406, 200, kWhite}});
  // The information panel, then the logo over its right end; elsewhere the buffer is white.
  EXPECT_EQ(painters.infoArea.y, 358);
  ExpectPixels({{687, 420, kWhite}, {688, 400, kBlack}, {867, 459, kBlack}, {5, 5, kWhite}});
  EXPECT_EQ(StalePixels(), 0);
}

TEST_F(Composition, PanelSurfaceIsReframedForEachSize) {
  Compose(1200, 900);
  // The panel's right edge shows at 1200 wide.
  ExpectPixels({{744 + 416, 100, kWhite}, {744 + 415, 100, kBlack}});
  EXPECT_EQ(StalePixels(), 0);
  // Row 73 was interior at P = 201; at P = 74 it is the white bottom row of every panel.
  Compose(900, 520);
  ExpectPixels({{201, 47 + 73, kWhite}, {201, 255 + 73, kWhite}, {201, 47 + 72, kBlack}});
}

TEST_F(Composition, GridScrollsWithThePhase) {
  Compose(900, 520, 0);
  ExpectPixels({{392, 60, kGrid}, {394, 60, kBlack}, {848, 160, kGrid}});  // 848: right, row 2
  // Horizontal lines: row 1 from x 140 two rows into the panel, rows 2 and 3 from x 141 on the
  // panel's top row, right columns from G + 311.
  ExpectPixels({{140, 49, kGrid}, {139, 49, kOuterEdge}, {596, 49, kGrid}, {595, 49, kInnerEdge}});
  ExpectPixels({{140, 163, kInnerEdge}, {141, 163, kGrid}, {141, 151, kGrid}});
  ExpectPixels({{404, 163, kGrid}, {405, 163, kBlack}});
  Compose(900, 520, 10);  // every vertical line moves 10 pixels to the left
  // At x 394: P - 3 rows from two below the panel top.
  ExpectPixels({{394, 48, kInnerEdge}, {394, 49, kGrid}, {394, 119, kGrid}, {394, 120, kWhite}});
  ExpectPixels({{392, 60, kBlack}, {850, 160, kGrid}, {848, 160, kBlack}, {394, 300, kGrid}});
  Compose(900, 520, 11);  // the leftmost line, at x 141, is drawn; at x 140 it would not be
  ExpectPixels({{141, 60, kGrid}, {140, 60, kInnerEdge}});
  Compose(900, 520, 12);
  ExpectPixels({{141, 60, kBlack}, {140, 60, kInnerEdge}});
}

TEST_F(Composition, BaseClockLabelStandsAboveItsLineOrBelowNearTheTop) {
  slot->hasGpuClock.Store(1);
  slot->graphicsClockCeilingKHz.Store(2000000);
  slot->clockBase[gpu::kGraphics].Store(1000000);
  Compose(900, 520);
  // yb = 120 - 37 = 83: the label above, the line on row 84 over G - 20 = 265 columns.
  ASSERT_EQ(text.runs.size(), 1u);
  const display::TextRun& label = text.runs[0];
  EXPECT_EQ(label.text, L"Base: 1000.00 MHz");
  EXPECT_EQ(label.colour, kAmber);
  EXPECT_EQ(label.font, display::Font::kSmall);
  EXPECT_EQ((std::array{label.x, label.y, label.clip.x, label.clip.y, label.clip.width,
                        label.clip.height}),
            (std::array{142, 73, 142, 73, 100, 10}));
  ExpectPixels({{141, 84, kBlack}, {142, 84, kAmber}, {406, 84, kAmber}, {407, 84, kWhite}});
  for (const int y : {83, 85}) EXPECT_NE(At(300, y), kAmber) << y;
  slot->clockBase[gpu::kGraphics].Store(1900000);  // 70 rows up: yb = 50, label below
  Compose(900, 520);
  ASSERT_EQ(text.runs.size(), 1u);
  EXPECT_EQ(text.runs[0].clip.y, 52);
  EXPECT_EQ(At(300, 51), kAmber);
}

TEST_F(Composition, BaseClockMarkerNeedsAClockABaseAndAPlaceInThePanel) {
  slot->graphicsClockCeilingKHz.Store(2000000);
  slot->clockBase[gpu::kGraphics].Store(2000000);
  Compose(900, 520);  // the clock has never been read
  EXPECT_TRUE(text.runs.empty());
  slot->hasGpuClock.Store(1);
  Compose(900, 520);  // base at the ceiling: the line on the panel's top row
  EXPECT_EQ(At(300, 47), kAmber);
  slot->clockBase[gpu::kGraphics].Store(2100000);  // above the ceiling: it would leave the panel
  Compose(900, 520);
  EXPECT_TRUE(text.runs.empty());
  for (int y = 0; y < 500; ++y) EXPECT_NE(At(300, y), kAmber) << y;
}

TEST_F(Composition, TooSmallOrMismatchedBuffersStayDefined) {
  Compose(300, 200);  // no room for a plot: white, nothing called
  EXPECT_TRUE(painters.calls.empty());
  EXPECT_EQ(At(10, 10), kWhite);
  EXPECT_EQ(StalePixels(), 0);
  // A back buffer far smaller than the window: everything is clipped to it.
  Canvas tiny(10, 10);
  slot->hasGpuClock.Store(1);
  slot->graphicsClockCeilingKHz.Store(1);
  slot->clockBase[gpu::kGraphics].Store(1);
  display::ComposeMainWindow(tiny,
                             {1200, 900, *slot, INT32_MIN, skins, panelSurface, text, painters});
  EXPECT_EQ(tiny.At(9, 9), kWhite);
  // A frame one column wide is its outer edge alone.
  Canvas thin(1, 3);
  display::DrawSunkenFrame(thin, 1, 3, skins.Get(display::kFrameSkin));
  EXPECT_EQ(thin.At(0, 2), kOuterEdge);
}

// A back buffer shorter than the window cuts through the third row's meters: they are framed on
// surfaces of their own and copied from their top row down, as far as the buffer reaches.
TEST_F(Composition, MetersOutsideTheBufferAreCopiedFromTheirTopRow) {
  ComposeInto(900, 300, 900, 520);
  for (const int i : {4, 5}) {
    ASSERT_EQ(geometry.meters[i].y, 255);
    const int x = geometry.meters[i].x;
    ExpectPixels({{x, 255, kOuterEdge}, {x + 50, 255, kOuterEdge}, {x + 50, 256, kInnerEdge}});
    ExpectPixels({{x + 50, 257, kBlack}, {x + 40, 265, FakePainters::MeterMark(i)}});
  }
  EXPECT_EQ(StalePixels(), 0);
}

// P = 268 is taller than the frame skin's 256 rows: the meters' rows below it stay white, the
// column at the left edge too.
TEST_F(Composition, MetersTallerThanTheFrameSkinAreWhiteBelowIt) {
  Compose(1200, 1100);
  ASSERT_EQ(geometry.plotHeight, 268);
  const Area& meter = geometry.meters[0];
  ExpectPixels({{meter.x, meter.y + 100, kOuterEdge}, {meter.x, meter.y + 260, kWhite}});
  ExpectPixels({{meter.x + 1, meter.y + 260, kWhite}, {meter.x + 40, meter.y + 260, kWhite}});
  EXPECT_EQ(StalePixels(), 0);
  // The grid column skin's 210 rows reach the vertical lines' row 209 (from row top + 2).
  EXPECT_EQ(At(542, meter.y + 2 + 209), kGrid);
}

// P - 3 = 72 is a multiple of the grid spacing at P = 75: the horizontal lines stop one short of
// it, so that no line lies on the first row's white bottom or 72 rows down the lower rows.
TEST_F(Composition, HorizontalGridLinesEndAboveThePlotBottom) {
  Compose(900, 521);
  ASSERT_EQ(geometry.plotHeight, 75);
  ExpectPixels({{201, 49 + 60, kGrid}, {201, 121, kWhite}, {201, 120, kBlack}});
  for (const int top : {geometry.rowTops[1], geometry.rowTops[2]}) {
    ExpectPixels({{201, top + 60, kGrid}, {201, top + 72, kBlack}, {701, top + 72, kBlack}});
  }
}

// Every one of the six graphs is drawn: two samples of each at the newest columns.
TEST_F(Composition, DrawsAllSixGraphs) {
  slot->graphicsClockCeilingKHz.Store(2000000);
  slot->clockBase[gpu::kGraphics].Store(1000000);
  slot->memTotalKiB.Store(1000);
  slot->powerLimit.Store(200);
  for (int i = 0; i < 2; ++i) {
    slot->clockCurrent[gpu::kGraphics].Store(1500000);
    slot->clockCurrent[gpu::kMemory].Store(3500000);
    gpu::PushClockHistory(*slot);
    gpu::PushHistory(slot->loadHistory, 50);
    gpu::PushHistory(slot->memUsedHistory, 500);
    gpu::PushHistory(slot->temperatureHistory, 60);
    gpu::PushHistory(slot->powerHistory, 100);
  }
  Compose(900, 520);
  const display::Rgb pen = MakeRgb(0, 255, 0);
  // Clock bars (row 1): green up to the base, blue memory bars.
  ExpectPixels({{403, 110, MakeRgb(0, 192, 0)}, {403, 70, MakeRgb(192, 48, 0)}});
  ExpectPixels({{859, 110, MakeRgb(0, 96, 192)}, {859, 80, kBlack}});
  // Load and memory usage (row 2) at half scale: row 151 + 71 - 37.
  ExpectPixels({{404, 185, pen}, {403, 185, pen}, {860, 185, pen}, {859, 185, pen}});
  ExpectPixels({{404, 184, kBlack}, {860, 186, kBlack}});
  // Temperature (row 3 left): band 1 of 60 degrees; power at half its limit: row 255 + 71 - 37.
  EXPECT_NE(At(404, 320), kBlack);
  EXPECT_EQ(At(404, 290), kBlack);
  ExpectPixels({{860, 289, pen}, {859, 289, pen}, {860, 290, kBlack}});
}

TEST(BaseClockMarker, LabelGoesBelowALineAtOrAboveRow60) {
  EXPECT_EQ(display::BaseLabelArea(60).y, 62);
  EXPECT_EQ(display::BaseLabelArea(59).y, 61);
  EXPECT_EQ(display::BaseLabelArea(61).y, 51);
  const Area area = display::BaseLabelArea(100);
  EXPECT_EQ((std::array{area.x, area.y, area.width, area.height}), (std::array{142, 90, 100, 10}));
}

TEST(BaseClockMarker, RowNeedsAClockABaseAndACeiling) {
  const display::PaintGeometry g = display::ComputePaintGeometry(900, 520);
  // A base of 1 kHz at a ceiling of 1 kHz: the line on the row above the panel, drawn on its top.
  EXPECT_EQ(display::BaseMarkerRow({true, 1, 1}, g), std::optional<int>(46));
  EXPECT_EQ(display::BaseMarkerRow({true, 1, 2}, g), std::optional<int>(46 + 37));
  EXPECT_EQ(display::BaseMarkerRow({true, 2, 1}, g), std::nullopt);
  EXPECT_EQ(display::BaseMarkerRow({true, 0, 1}, g), std::nullopt);
  EXPECT_EQ(display::BaseMarkerRow({true, 1, 0}, g), std::nullopt);
  EXPECT_EQ(display::BaseMarkerRow({false, 1, 1}, g), std::nullopt);
  // A reading holds no ceiling until one is given.
  display::BaseClockReading reading;
  reading.hasGpuClock = true;
  reading.baseKHz = 1;
  EXPECT_EQ(reading.ceilingKHz, 0u);
  EXPECT_EQ(display::BaseMarkerRow(reading, g), std::nullopt);
}

}  // namespace
