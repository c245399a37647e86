#include "display/compose_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/paint_geometry.h"

namespace {

using display::Area;
using display::Canvas;
using display::kBlack;
using display::kWhite;
using display::MakeRgb;

constexpr display::Rgb kOuterEdge = MakeRgb(160, 160, 160);
constexpr display::Rgb kInnerEdge = MakeRgb(105, 105, 105);
constexpr display::Rgb kGrid = MakeRgb(0, 128, 64);
constexpr display::Rgb kAmber = MakeRgb(255, 204, 0);

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
    backBuffer = std::make_unique<Canvas>(width, height - 20);
    backBuffer->Fill({0, 0, width, height}, kStale);  // what a reused buffer may hold
    painters.calls.clear();
    text.runs.clear();
    display::ComposeMainWindow(
        *backBuffer, {width, height, *slot, gridPhase, skins, panelSurface, text, painters});
  }
  display::Rgb At(int x, int y) const { return backBuffer->At(x, y); }
  struct Pixel {
    int x, y;
    display::Rgb colour;
  };
  void ExpectPixels(std::initializer_list<Pixel> pixels) const {
    for (const Pixel& p : pixels) EXPECT_EQ(At(p.x, p.y), p.colour) << p.x << "," << p.y;
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
};

TEST_F(Composition, PlacesFramedMetersPanelsInfoAndLogoInOrder) {
  Compose(900, 520);
  EXPECT_EQ(painters.calls, (std::vector<std::string>{"segments", "captions", "info"}));
  const display::PaintGeometry g = display::ComputePaintGeometry(900, 520);
  for (int i = 0; i < 6; ++i) {
    const Area& meter = g.meters[i];
    EXPECT_EQ(At(meter.x + 40, meter.y + 10), FakePainters::MeterMark(i)) << i;
    EXPECT_EQ(painters.captionAreas[i].x, meter.x);
    EXPECT_EQ(painters.captionAreas[i].y, meter.y);
  }
  // The first meter's frame: outer and inner edges, black interior, white bottom and right.
  ExpectPixels({{19, 47, kOuterEdge},
                {19, 120, kOuterEdge},
                {20, 48, kInnerEdge},
                {50, 60, kBlack},
                {100, 100, kWhite},
                {50, 120, kWhite}});
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
  EXPECT_NE(At(300, 83), kAmber);
  EXPECT_NE(At(300, 85), kAmber);

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
  // A back buffer far smaller than the window: everything is clipped to it.
  Canvas tiny(10, 10);
  slot->hasGpuClock.Store(1);
  slot->graphicsClockCeilingKHz.Store(1);
  slot->clockBase[gpu::kGraphics].Store(1);
  display::ComposeMainWindow(tiny,
                             {1200, 900, *slot, INT32_MIN, skins, panelSurface, text, painters});
  EXPECT_EQ(tiny.At(9, 9), kWhite);
}

}  // namespace
