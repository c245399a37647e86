#include "shot_pixels.h"

#include <cstdio>
#include <set>

namespace e2e {
namespace {

bool Inside(const std::vector<RECT>& areas, int x, int y) {
  for (const RECT& r : areas)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

std::string Describe(int x, int y, std::uint32_t file, std::uint32_t screen) {
  char text[80];
  std::snprintf(text, sizeof text, "(%d, %d) file %06X screen %06X", x, y,
                static_cast<unsigned>(file), static_cast<unsigned>(screen));
  return text;
}

}  // namespace

std::vector<RECT> CycleAreas(SIZE outer) {
  const int h = (outer.cy - 20) / 3;
  const int w = outer.cx / 2;
  const int top[3] = {47, h - 15, 2 * h - 77};
  const int bottom[3] = {h - 45, 2 * h - 107, 3 * h - 169};
  std::vector<RECT> areas;
  for (int row = 0; row < 3; ++row) {
    areas.push_back({19, top[row], 101, bottom[row]});              // left meter
    areas.push_back({w + 24, top[row], w + 106, bottom[row]});      // right meter
    areas.push_back({139, top[row], w - 44, bottom[row]});          // left graph
    areas.push_back({w + 144, top[row], 2 * w - 39, bottom[row]});  // right graph
  }
  areas.push_back({12, outer.cy - 162, 682, outer.cy - 34});  // information panel
  return areas;
}

POINT ClientOffset(HWND window) {
  RECT outer = {};
  POINT origin = {0, 0};
  GetWindowRect(window, &outer);
  ClientToScreen(window, &origin);
  return {origin.x - outer.left, origin.y - outer.top};
}

FrameOverdraw FindFrameOverdraw(const BmpImage& image, POINT offset, SIZE client) {
  const int right = offset.x + client.cx;
  const int bottom = offset.y + client.cy;
  std::set<std::uint32_t> frame;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (x < offset.x || y < offset.y) frame.insert(image.At(x, y).value_or(0));
    }
  }
  FrameOverdraw overdraw;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (x < right && y < bottom) continue;
      ++overdraw.strip;
      const std::uint32_t pixel = image.At(x, y).value_or(0xFF000000u);
      if (frame.count(pixel) != 0) continue;
      if (overdraw.count++ == 0) {
        char text[48];
        std::snprintf(text, sizeof text, "(%d, %d) %06X", x, y, static_cast<unsigned>(pixel));
        overdraw.firstSeen = text;
      }
    }
  }
  return overdraw;
}

PixelDifference CompareClient(const BmpImage& image, POINT offset, const ScreenCapture& screen,
                              const std::vector<RECT>& skip) {
  PixelDifference difference;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) {
      if (Inside(skip, x, y)) continue;
      ++difference.compared;
      const std::uint32_t onScreen = screen.At(x, y);
      const std::uint32_t inFile = image.At(x + offset.x, y + offset.y).value_or(0xFF000000u);
      if (inFile == onScreen) continue;
      if (difference.count++ == 0) difference.firstSeen = Describe(x, y, inFile, onScreen);
    }
  }
  return difference;
}

}  // namespace e2e
