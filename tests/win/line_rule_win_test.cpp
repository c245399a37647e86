// The canvas's lines against the system's own: from the middle of a canvas to every end point of
// a 41 x 41 square around it, Canvas::Line must light exactly the pixels that MoveToEx/LineTo
// with a one-pixel pen lights in a 32-bit DIB section, end point left out, ties included.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "driver/dib_surface.h"

namespace {

constexpr int kSize = 101;
constexpr int kCentre = 50;
constexpr int kReach = 20;

// The octant of direction (dx, dy), y pointing down: which way x and y go and which is the
// major axis (x where |dx| == |dy|).
int Octant(int dx, int dy) {
  return (dx < 0 ? 1 : 0) | (dy < 0 ? 2 : 0) | (std::abs(dy) > std::abs(dx) ? 4 : 0);
}

std::string OctantName(int octant) {
  return std::string(octant & 1 ? "-x" : "+x") + (octant & 2 ? "-y" : "+y") +
         (octant & 4 ? " y-major" : " x-major");
}

class LineRule : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(surface.Valid());
    dc = surface.Dc();
    pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    previousPen = SelectObject(dc, pen);
    SetROP2(dc, R2_COPYPEN);
  }
  void TearDown() override {
    SelectObject(dc, previousPen);
    DeleteObject(pen);
  }

  // The pixels LineTo lights from (x0, y0) to (x1, y1): true where lit.
  std::array<bool, kSize * kSize> SystemLine(int x0, int y0, int x1, int y1) {
    std::fill(surface.Bits(), surface.Bits() + kSize * kSize, 0xFFFFFFu);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    const std::vector<std::uint32_t> pixels = surface.Pixels();
    std::array<bool, kSize * kSize> lit{};
    for (int k = 0; k < kSize * kSize; ++k) lit[k] = pixels[k] != 0xFFFFFF;
    return lit;
  }

  const e2e::DibSurface surface{kSize, kSize};
  HDC dc = nullptr;
  HPEN pen = nullptr;
  HGDIOBJ previousPen = nullptr;
};

TEST_F(LineRule, EveryDirectionLightsThePixelsLineToLights) {
  std::array<int, 8> mismatches{};
  std::string first;
  for (int dy = -kReach; dy <= kReach; ++dy) {
    for (int dx = -kReach; dx <= kReach; ++dx) {
      const int x1 = kCentre + dx, y1 = kCentre + dy;
      const auto expected = SystemLine(kCentre, kCentre, x1, y1);
      display::Canvas canvas(kSize, kSize);
      canvas.Line(kCentre, kCentre, x1, y1, display::kBlack);
      bool same = true;
      for (int k = 0; k < kSize * kSize; ++k)
        same = same && expected[k] == (canvas.At(k % kSize, k / kSize) != display::kWhite);
      if (same) continue;
      ++mismatches[Octant(dx, dy)];
      if (first.empty()) first = "first to (" + std::to_string(x1) + "," + std::to_string(y1) + ")";
    }
  }
  std::string report;
  int total = 0;
  for (int octant = 0; octant < 8; ++octant) {
    total += mismatches[octant];
    report += OctantName(octant) + ": " + std::to_string(mismatches[octant]) + "\n";
  }
  EXPECT_EQ(total, 0) << "end points whose lines differ, by octant:\n" << report << first;
}

}  // namespace
