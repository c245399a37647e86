#include "app/window_layout.h"

namespace app {

std::array<Box, kChildCount> LayoutChildWindows(std::int32_t width, std::int32_t height) {
  const std::int32_t h = (height - 220) / 3;
  const std::int32_t m = width / 2;
  const std::int32_t g = m - 165;
  const std::int32_t columnX[4] = {10, 130, m + 15, m + 135};
  const std::int32_t columnWidth[4] = {100, g, 100, g};
  const std::int32_t rowY[3] = {30, h + 35, 2 * h + 40};
  std::array<Box, kChildCount> boxes{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      boxes[row * 4 + column] = {columnX[column], rowY[row], columnWidth[column], h};
    }
  }
  boxes[12] = {10, height - 175, 670, 117};
  boxes[13] = {690, height - 168, 80, 20};
  boxes[14] = {770, height - 168, 90, 20};
  boxes[15] = {690, height - 148, 90, 20};
  return boxes;
}

Box TabControlBox(std::int32_t clientWidth) {
  return {5, 5, clientWidth, 20};
}

Point CentredPosition(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t width,
                      std::int32_t height) {
  return {screenWidth / 2 - width / 2, screenHeight / 2 - (height - 20) / 2};
}

}  // namespace app
