// Pixels of the painted main window, read from the screen, at the smallest and the largest
// window size: the sunken frames of a meter and of the graph panels, the grid, the newest bars of
// the graphics clock graph, lit and unlit segments of the GPU load meter, and the logo. Every
// expected position and colour follows from the painting rules and the outer window size; text
// is not looked at. The scenario's readings are constant, so every paint gives the same pixels
// apart from the scrolling vertical grid lines, which no checked pixel can meet (they stand at
// even offsets from G + 119 and never at x = 140).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <utility>

#include "app_steps.h"
#include "driver/dib_surface.h"
#include "resources/tools/logo_art.h"

namespace e2e {
namespace {

struct Rgb {
  std::uint32_t value;  // 0x00RRGGBB
  bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& colour, std::ostream* out) {
  *out << "(" << (colour.value >> 16 & 0xFF) << ", " << (colour.value >> 8 & 0xFF) << ", "
       << (colour.value & 0xFF) << ")";
}

constexpr Rgb MakeRgb(int r, int g, int b) {
  return {static_cast<std::uint32_t>(r << 16 | g << 8 | b)};
}

constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kFrameOuter = MakeRgb(160, 160, 160);
constexpr Rgb kFrameInner = MakeRgb(105, 105, 105);
constexpr Rgb kGrid = MakeRgb(0, 128, 64);
constexpr Rgb kClockBar = MakeRgb(0, 192, 0);  // (0,255,0) blended at 192/255 over black
constexpr Rgb kTileBright = MakeRgb(0, 255, 0);
constexpr Rgb kTileMid = MakeRgb(0, 128, 0);  // also the green tile's dim colour

// Positions from the outer size W x H (client coordinates; every division truncates).
struct Geometry {
  int W, H, P, G, R1, R2, N;
  Geometry(int width, int height) : W(width), H(height) {
    const int T = (H - 20) / 3;
    P = T - 92;
    G = W / 2 - 165;
    R1 = 47;
    R2 = T - 15;
    N = P > 32 ? (P - 32 + 2) / 3 : 0;  // the k >= 0 with 3k < P - 32
  }
  int PanelWidth() const { return std::min(G - 18, 417); }
  int ClockX0() const { return G + 118; }  // the newest graphics clock bar
  int ClockBottom() const { return P + 45; }
  // Height of a clock bar at half the ceiling and below the base clock, with its extra rows.
  int ClockBarHeight() const {
    const int h = static_cast<int>(0.5f * static_cast<float>(P - 3));
    const int y = std::max(49, P + 46 - static_cast<int>(0.5f * static_cast<float>(P)));
    return h + (y + h < P + 46 ? 2 : 0);
  }
};

class Picture : public AppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Start("e2e-picture.txt"));
    ASSERT_TRUE(MoveToScreenOrigin(main));
  }
  void TearDown() override {
    if (main != nullptr && app->Running()) ExpectCloseEndsWithCodeZero(*app, main);
  }

  void Expect(const ScreenCapture& shot, int x, int y, Rgb expected, const char* what) {
    EXPECT_EQ(Rgb{shot.At(x, y)}, expected) << what << " at (" << x << ", " << y << ")";
  }

  // Resizes the window and captures it once the bars of three samples stand where this size
  // puts them (so the repaint at the new size and a few sampling cycles have happened).
  ScreenCapture ResizeAndCapture(const Geometry& g) {
    EXPECT_TRUE(RequestOuterSize(main, g.W, g.H));
    const SIZE size = OuterSize(main);
    EXPECT_EQ(size.cx, g.W);
    EXPECT_EQ(size.cy, g.H);
    ScreenCapture shot(main);
    const bool painted = WaitUntil(
        [&] {
          shot = ScreenCapture(main);
          for (int i = 0; i < 3; ++i)
            if (Rgb{shot.At(g.ClockX0() - 2 * i, g.ClockBottom())} != kClockBar) return false;
          return true;
        },
        kCycleTimeoutMs);
    EXPECT_TRUE(shot.Valid()) << "the client area cannot be captured";
    EXPECT_TRUE(painted) << "no three graphics clock bars at (" << g.ClockX0() << ", "
                         << g.ClockBottom() << ") and left of it";
    return shot;
  }

  void ExpectPicture(int width, int height) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const Geometry g(width, height);
    const ScreenCapture shot = ResizeAndCapture(g);
    const int bottom = g.R1 + g.P - 1;  // the white bottom row of row 1's frames

    // The meter of row 1, left: 82 x P at (19, 47).
    Expect(shot, 19, 47, kFrameOuter, "meter frame row 0");
    Expect(shot, 100, 47, kFrameOuter, "meter frame row 0, right end");
    Expect(shot, 20, 48, kFrameInner, "meter frame row 1");
    Expect(shot, 99, 48, kFrameInner, "meter frame row 1, right end");
    Expect(shot, 19, bottom, kFrameOuter, "meter frame column 0, bottom");
    Expect(shot, 20, bottom - 1, kFrameInner, "meter frame column 1, bottom");
    for (int x : {21, 99}) Expect(shot, x, 49, kBlack, "meter interior");
    for (int y : {48, bottom - 1}) Expect(shot, 100, y, kWhite, "meter right column");
    for (int x : {20, 60}) Expect(shot, x, bottom, kWhite, "meter bottom row");
    // The meter of row 1, right, and the graph panel of row 1, right.
    Expect(shot, g.G + 189, 47, kFrameOuter, "right meter frame row 0");
    Expect(shot, g.G + 190, 48, kFrameInner, "right meter frame row 1");
    Expect(shot, g.G + 309, 48, kFrameOuter, "right panel frame column 0");
    Expect(shot, g.G + 310, 50, kFrameInner, "right panel frame column 1");

    // The graph panel of row 1, left: (G - 18) x P at (139, 47), cut from the 417 wide frame.
    const int right = 139 + g.PanelWidth() - 1;
    Expect(shot, 139, 47, kFrameOuter, "panel frame row 0");
    Expect(shot, right, 47, kFrameOuter, "panel frame row 0, right end");
    Expect(shot, 140, 48, kFrameInner, "panel frame row 1");
    Expect(shot, std::min(right, 139 + 415), 48, kFrameInner, "panel frame row 1, right end");
    Expect(shot, 139, bottom, kFrameOuter, "panel frame column 0, bottom");
    Expect(shot, 140, 50, kFrameInner, "panel frame column 1");
    Expect(shot, 140, bottom - 1, kFrameInner, "panel frame column 1, bottom");
    Expect(shot, 141, 50, kBlack, "panel interior");
    Expect(shot, 141, bottom, kWhite, "panel bottom row");
    Expect(shot, right, bottom, kWhite, "panel bottom row, right end");
    if (g.PanelWidth() == 417) Expect(shot, right, 50, kWhite, "panel right column");
    // Horizontal grid lines of row 1 start at x 140, at y = 49 + 12k.
    for (int y : {49, 61}) Expect(shot, 140, y, kGrid, "grid line");

    // The newest graphics clock bar: 2 pixels wide at G + 118, bottom row P + 45.
    const int top = g.ClockBottom() - g.ClockBarHeight() + 1;
    Expect(shot, g.ClockX0() + 1, g.ClockBottom(), kClockBar, "clock bar bottom");
    for (int x : {g.ClockX0(), g.ClockX0() + 1}) Expect(shot, x, top, kClockBar, "clock bar top");
    Expect(shot, g.ClockX0() + 1, top - 1, kBlack, "above the clock bar");

    // The GPU load meter (row 2, left, at (19, R2)): segments 0 to L - 1 lit, L = N/2 rounded.
    const int lit = static_cast<int>(0.5f * static_cast<float>(g.N) + 0.5f);
    ASSERT_GT(lit, 0);
    ASSERT_LT(lit, g.N);
    const int litRow = g.R2 + g.P - 27 - 3 * (lit - 1);  // upper row of the top lit segment
    const int unlitRow = g.R2 + g.P - 27 - 3 * lit;      // upper row of the lowest unlit one
    Expect(shot, 42, litRow, kTileBright, "lit segment, row 0, even column");
    Expect(shot, 43, litRow, kTileMid, "lit segment, row 0, odd column");
    Expect(shot, 42, litRow + 1, kTileMid, "lit segment, row 1, even column");
    Expect(shot, 61, litRow + 1, kTileBright, "lit segment, right block, row 1, odd column");
    Expect(shot, 59, litRow, kBlack, "between the two blocks");
    Expect(shot, 42, unlitRow, kTileMid, "unlit segment, row 0, even column");
    Expect(shot, 43, unlitRow, kBlack, "unlit segment, row 0, odd column");
    Expect(shot, 43, unlitRow + 1, kTileMid, "unlit segment, row 1, odd column");
    Expect(shot, 42, unlitRow + 2, kBlack, "between two segments");

    // The logo picture at (W - 212, H - 120): a corner of its border and a pixel of the word.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{19, 8}, std::pair{179, 59}}) {
      const logo::Rgb c = logo::Colour(x, y);
      Expect(shot, g.W - 212 + x, g.H - 120 + y, MakeRgb(c.r, c.g, c.b), "logo");
    }
  }
};

TEST_F(Picture, PaintedPixelsFollowTheRulesAtTheSmallestAndTheLargestSize) {
  ExpectPicture(900, 520);  // the start-up size; growing keeps the panel's bottom row white
  ExpectPicture(1200, 900);
}

}  // namespace
}  // namespace e2e
