#include "display/graph_bars.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using display::BarSpan;
using display::Canvas;
using display::MakeRgb;

// A background that differs from pixel to pixel, so that a pixel blended twice, missed or
// blended from the wrong skin column shows.
void Pattern(Canvas& canvas) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      canvas.Set(x, y, MakeRgb((x * 7) & 255, (y * 5) & 255, (x + y) & 255));
    }
  }
}

int Differences(const Canvas& a, const Canvas& b) {
  int count = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) count += a.At(x, y) != b.At(x, y);
  }
  return count;
}

// Blends the layer over the background on a width x height canvas and expects the pixels of every
// bar blended on its own; gives the number of pixels the layer changed.
int ExpectSingleBarPixels(const display::GraphColumns& columns, const std::vector<BarSpan>& bars,
                          const Canvas& skin, int width, int height) {
  Canvas untouched(width, height), runs(width, height), single(width, height);
  for (Canvas* canvas : {&untouched, &runs, &single}) Pattern(*canvas);
  display::BlendBarLayer(runs, columns, bars, skin);
  for (int i = 0; i < columns.shown && i < static_cast<int>(bars.size()); ++i) {
    if (bars[i].height <= 0) continue;
    single.Blend(skin, {0, 0, 2, bars[i].height}, columns.X(i), bars[i].top, display::kBarOpacity);
  }
  EXPECT_EQ(Differences(runs, single), 0);
  return Differences(runs, untouched);
}

// Bars of every kind side by side: neighbours of equal and different spans, gaps, nothing, a
// negative height, bars reaching above and below the canvas, one past the columns shown.
std::vector<BarSpan> MixedBars() {
  std::vector<BarSpan> bars;
  for (int i = 0; i < 40; ++i) bars.push_back({60 - (i * 37) % 50, 10 + (i * 13) % 45});
  bars[5] = {};
  bars[6] = {30, -4};
  bars[11] = {-20, 40};
  bars[12] = {90, 30};
  return bars;
}

// Uniform skins take the run path, a skin that varies down its rows or is shorter than some bars
// the bar-by-bar one; both must give the pixels of single bars.
TEST(GraphBars, RunsGiveThePixelsOfSingleBars) {
  const display::GraphColumns columns{100, 20, 39};  // sample 39 is not shown
  Canvas twoColumns(2, 204), striped(2, 204), shortSkin(2, 30);
  twoColumns.Fill({0, 0, 1, 204}, MakeRgb(0, 255, 0));
  twoColumns.Fill({1, 0, 1, 204}, MakeRgb(255, 64, 0));
  for (int y = 0; y < 204; ++y) striped.Fill({0, y, 2, 1}, MakeRgb(y, 255 - y, 9));
  shortSkin.Fill({0, 0, 2, 30}, MakeRgb(0, 128, 255));
  for (const Canvas* skin : {&twoColumns, &striped, &shortSkin}) {
    // The layer was drawn at all.
    EXPECT_GT(ExpectSingleBarPixels(columns, MixedBars(), *skin, 120, 100), 1000);
  }
}

// Skins the run path must not take: one whose first column varies down its rows, and a uniform
// one shorter than every bar (a single bar's blend stops at the skin's height).
TEST(GraphBars, SkinsThatRunsCannotStandForAreBlendedBarByBar) {
  const display::GraphColumns columns{100, 20, 39};
  Canvas firstColumnStriped(2, 204), shortUniform(2, 8);
  for (int y = 0; y < 204; ++y) firstColumnStriped.Set(0, y, MakeRgb(y, 40, 200 - y));
  firstColumnStriped.Fill({1, 0, 1, 204}, MakeRgb(0, 64, 255));
  shortUniform.Fill({0, 0, 2, 8}, MakeRgb(200, 0, 100));
  std::vector<BarSpan> tall;
  for (int i = 0; i < 39; ++i) tall.push_back({20 + i % 7, 12 + i % 5});
  for (const Canvas* skin : {&firstColumnStriped, &shortUniform}) {
    for (const auto& bars : {MixedBars(), tall}) {
      ExpectSingleBarPixels(columns, bars, *skin, 120, 100);
    }
  }
}

// The whole history: 208 bars, more than one word of the cover set, all ending on one row.
TEST(GraphBars, AFullHistoryOfBarsEndingTogether) {
  const display::GraphColumns columns{420, 0, 208};
  Canvas skin(2, 204);
  skin.Fill({0, 0, 1, 204}, MakeRgb(0, 255, 0));
  skin.Fill({1, 0, 1, 204}, MakeRgb(255, 64, 0));
  for (const int rows : {208, 300, 0}) {
    SCOPED_TRACE(rows);
    std::vector<BarSpan> bars;
    for (int i = 0; i < 208; ++i) {
      const int top = 20 + (i * 29) % 150;
      bars.push_back({top, rows == 0 ? 10 + (i * 17) % 80 : 208 - top});  // 0: ends apart
    }
    EXPECT_GT(ExpectSingleBarPixels(columns, bars, skin, 424, rows == 0 ? 260 : rows), 10000);
  }
}

// A span holds no bar until it is given a height; given only one, it stands on the top row.
TEST(GraphBars, DefaultSpansAreEmptyAndStandOnRowZero) {
  const BarSpan none{};
  EXPECT_EQ(none.top, 0);
  EXPECT_EQ(none.height, 0);
  const display::GraphColumns columns{10, 0, 3};
  Canvas skin(2, 204), canvas(14, 6);
  skin.Fill({0, 0, 2, 204}, display::kBlack);
  std::vector<BarSpan> bars(3);
  bars[1].height = 2;
  display::BlendBarLayer(canvas, columns, bars, skin);
  const display::Rgb blended = MakeRgb(63, 63, 63);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 14; ++x) {
      const bool inBar = (x == 8 || x == 9) && y < 2;
      EXPECT_EQ(canvas.At(x, y), inBar ? blended : display::kWhite) << x << "," << y;
    }
  }
}

}  // namespace
