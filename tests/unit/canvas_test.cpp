#include "display/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

using display::Canvas;
using display::kBlack;
using display::kWhite;
using display::MakeRgb;

TEST(Canvas, CopiesAreClippedToBothCanvases) {
  Canvas source(4, 4), target(6, 6);
  source.Fill({0, 0, 4, 4}, MakeRgb(1, 2, 3));
  // Partly outside the source and the target: source (0, 2) lands at (3, 0).
  target.Copy(source, {-2, 1, 6, 2}, 1, -1);
  EXPECT_EQ(target.At(3, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(target.At(5, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(target.At(2, 0), kWhite);             // from outside the source: nothing
  EXPECT_EQ(target.At(3, 1), kWhite);             // source row 3 was not asked for
  target.Copy(source, {0, 0, 4, 4}, 1000, 1000);  // wholly outside: nothing, no fault
}

TEST(Canvas, BlendMixesEachChannelWithTheConstantOpacity) {
  Canvas bar(1, 1), panel(1, 1);
  bar.Set(0, 0, MakeRgb(0, 255, 0));
  panel.Set(0, 0, MakeRgb(0, 128, 64));
  panel.Blend(bar, {0, 0, 1, 1}, 0, 0, display::kBarOpacity);
  // 255·192/255 + 128·63/255 = 223.6…; 64·63/255 = 15.8…
  EXPECT_EQ(panel.At(0, 0), MakeRgb(0, 224, 16));
}

TEST(Canvas, KeyedCopyLeavesOutTheTransparentColour) {
  Canvas label(2, 1), target(2, 1);
  label.Set(1, 0, MakeRgb(255, 204, 0));
  target.Fill({0, 0, 2, 1}, kBlack);
  target.CopyKeyed(label, {0, 0, 2, 1}, 0, 0, kWhite);
  EXPECT_EQ(target.At(0, 0), kBlack);
  EXPECT_EQ(target.At(1, 0), MakeRgb(255, 204, 0));
}

TEST(Canvas, LinesLeaveOutTheirEndPoint) {
  Canvas canvas(10, 10);
  canvas.Line(1, 1, 5, 1, kBlack);
  EXPECT_EQ(canvas.At(1, 1), kBlack);
  EXPECT_EQ(canvas.At(4, 1), kBlack);
  EXPECT_EQ(canvas.At(5, 1), kWhite);
  canvas.Line(2, 2, 2, 2, kBlack);  // a line of no length draws nothing
  EXPECT_EQ(canvas.At(2, 2), kWhite);
  canvas.Line(0, 9, 3, 6, kBlack);  // a diagonal: one pixel per step
  EXPECT_EQ(canvas.At(1, 8), kBlack);
  EXPECT_EQ(canvas.At(3, 6), kWhite);
  canvas.Line(-2000000000, 0, 2000000000, 9, kBlack);  // absurd: left out, no hang
}

// A line one pixel across over four steps passes midway between two pixels at step 2: like
// LineTo (compared in every direction under Wine), it takes the upper one of a mostly horizontal
// line and the left one of a mostly vertical line, whichever way the line runs.
TEST(Canvas, LinesMidwayBetweenTwoPixelsTakeTheUpperOrLeftOne) {
  for (const int sx : {1, -1}) {
    for (const int sy : {1, -1}) {
      Canvas wide(9, 9), tall(9, 9);
      wide.Line(4, 4, 4 + 4 * sx, 4 + sy, kBlack);
      tall.Line(4, 4, 4 + sx, 4 + 4 * sy, kBlack);
      EXPECT_EQ(wide.At(4 + 2 * sx, 4 + std::min(sy, 0)), kBlack) << sx << "," << sy;
      EXPECT_EQ(tall.At(4 + std::min(sx, 0), 4 + 2 * sy), kBlack) << sx << "," << sy;
    }
  }
}

TEST(Canvas, ViewsWriteIntoForeignMemoryWithItsStride) {
  std::uint32_t memory[3 * 2] = {};
  Canvas view(2, 2, memory, 3);
  view.Set(1, 1, MakeRgb(9, 9, 9));
  EXPECT_EQ(memory[4], MakeRgb(9, 9, 9));
  EXPECT_EQ(view.At(5, 5), kWhite);
  Canvas none(10, 10, nullptr, 10);
  none.Fill({0, 0, 10, 10}, kBlack);  // a view of nothing is empty
  EXPECT_EQ(none.Width(), 0);
  // A view of part of a canvas: clipped to it, drawing at its own origin into the parent.
  Canvas parent(6, 4);
  Canvas corner(parent, {4, 2, 5, 5});
  EXPECT_EQ((std::array{corner.Width(), corner.Height()}), (std::array{2, 2}));
  corner.Fill({0, 0, 9, 9}, kBlack);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(parent.At(x, y), x >= 4 && y >= 2 ? kBlack : kWhite) << x << "," << y;
    }
  }
  EXPECT_EQ(Canvas(parent, {6, 0, 3, 3}).Width(), 0);    // beside it
  EXPECT_EQ(Canvas(parent, {-9, -9, 5, 5}).Width(), 0);  // above and left of it
}

// The blend's rounding for every pair of channel values, against the plain arithmetic it stands
// for, from a canvas and from a prepared row: each channel of a pixel meets other values than its
// neighbours, so that a carry from one channel into the next shows.
TEST(Canvas, BlendRoundsEveryChannelPairToNearest) {
  const auto channels = [](int v) { return std::array<int, 3>{v, 255 - v, (v * 7 + 3) % 256}; };
  const auto pixel = [](std::array<int, 3> c) { return MakeRgb(c[0], c[1], c[2]); };
  for (const int opacity : {int{display::kBarOpacity}, 0, 1, 128, 254, 255}) {
    const auto alpha = static_cast<std::uint8_t>(opacity);
    Canvas source(256, 1), target(256, 256), fromPrepared(256, 256);
    for (int s = 0; s < 256; ++s) source.Set(s, 0, pixel(channels(s)));
    const display::BlendSource prepared(source, alpha);
    for (int d = 0; d < 256; ++d) {
      for (Canvas* c : {&target, &fromPrepared}) c->Fill({0, d, 256, 1}, pixel(channels(d)));
      target.Blend(source, {0, 0, 256, 1}, 0, d, alpha);
      // In two pieces, the second one reaching beyond the canvas.
      fromPrepared.Blend(prepared, 0, 100, 0, d);
      fromPrepared.Blend(prepared, 100, 400, 100, d);
    }
    int wrong = 0, wrongPrepared = 0;
    for (int d = 0; d < 256; ++d) {
      for (int s = 0; s < 256; ++s) {
        std::array<int, 3> exact{};
        for (int c = 0; c < 3; ++c) {
          exact[c] = (channels(s)[c] * opacity + channels(d)[c] * (255 - opacity) + 127) / 255;
        }
        wrong += target.At(s, d) != pixel(exact);
        wrongPrepared += fromPrepared.At(s, d) != pixel(exact);
      }
    }
    EXPECT_EQ(wrong, 0) << "opacity " << opacity;
    EXPECT_EQ(wrongPrepared, 0) << "opacity " << opacity;
  }
}

// The edges of a view into larger memory: the column at x == width and the row at y == height
// belong to the memory beyond the view, which no read or write may reach.
TEST(Canvas, NothingReachesPastTheRightOrBottomEdge) {
  std::uint32_t memory[4 * 3] = {};  // all black: three rows of four, the view two of three
  Canvas view(3, 2, memory, 4);
  EXPECT_EQ(view.At(2, 1), kBlack);
  EXPECT_EQ(view.At(3, 0), kWhite);  // memory[3]
  EXPECT_EQ(view.At(0, 2), kWhite);  // memory[8]
  for (const auto& [x, y] : {std::pair{3, 0}, {0, 2}}) view.Set(x, y, MakeRgb(9, 9, 9));
  const int xs[] = {-1, 3, 2};
  for (const int y : {0, 2, -1}) view.SetPoints(y, xs, MakeRgb(7, 7, 7));
  EXPECT_EQ(memory[2], MakeRgb(7, 7, 7));  // the one point inside
  Canvas white(3, 1);
  const display::BlendSource prepared(white, 255);
  view.Blend(prepared, 0, 3, 0, 2);  // the row below the view
  view.Blend(prepared, 0, 3, 0, -1);
  view.Blend(prepared, -1, 3, 0, 0);  // from before the prepared row: nothing
  view.Blend(prepared, 0, 9, 2, 1);   // clipped at the right edge
  EXPECT_EQ(memory[6], kWhite);
  const std::uint32_t expected[4 * 3] = {0, 0, MakeRgb(7, 7, 7), 0, 0, 0, kWhite};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(memory[i], expected[i]) << i;
}

TEST(Canvas, EmptyAreasAndRowlessSourcesGiveNothing) {
  Canvas parent(6, 4);
  const Canvas flat(parent, {1, 1, 3, 0}), thin(parent, {1, 1, 0, 3});
  EXPECT_EQ((std::array{flat.Width(), flat.Height(), thin.Width(), thin.Height()}),
            (std::array{0, 0, 0, 0}));
  const Canvas rowless(5, 0);
  const display::BlendSource prepared(rowless, 128);
  EXPECT_EQ(prepared.Width(), 0);
  parent.Fill({0, 0, 6, 4}, kBlack);
  parent.Blend(prepared, 0, 5, 0, 0);
  EXPECT_EQ(parent.At(0, 0), kBlack);
}

// The longest line drawn is a million pixels (2^20) in either direction; one pixel more is left
// out.
TEST(Canvas, LinesOfTheLongestLengthAreDrawn) {
  constexpr int kLongest = 1 << 20;
  Canvas canvas(4, 4);
  canvas.Line(0, 0, kLongest, 0, kBlack);
  canvas.Line(0, 1, 0, kLongest, kBlack);
  canvas.Line(3, 3, 3 - kLongest, 3, kBlack);
  canvas.Line(2, 3, 2, 3 - kLongest, kBlack);
  for (const auto& [x, y] : {std::pair{3, 0}, {0, 3}, {1, 3}, {2, 1}}) {
    EXPECT_EQ(canvas.At(x, y), kBlack) << x << "," << y;
  }
  Canvas untouched(4, 4);
  untouched.Line(0, 0, kLongest + 1, 0, kBlack);
  untouched.Line(0, 0, 0, kLongest + 1, kBlack);
  untouched.Line(0, 0, -kLongest - 1, 1, kBlack);
  untouched.Line(0, 0, 1, -kLongest - 1, kBlack);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(untouched.At(x, y), kWhite) << x << "," << y;
  }
}

}  // namespace
