#include "app/child_controls.h"

namespace app {

std::array<Box, kChildCount> InitialChildBoxes() {
  std::array<Box, kChildCount> boxes{};
  const std::int32_t rowY[3] = {30, 270, 506};
  const std::int32_t columnX[4] = {10, 130, 420, 540};
  const std::int32_t columnWidth[4] = {100, 200, 100, 200};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      boxes[row * 4 + column] = {columnX[column], rowY[row], columnWidth[column], 120};
    }
  }
  boxes[kInfoGroupIndex] = {10, 745, 670, 117};
  boxes[kCsvButtonIndex] = {690, kInitialWindowHeight - 168, 80, 20};
  boxes[kShotButtonIndex] = {770, kInitialWindowHeight - 168, 90, 20};
  boxes[kDetailButtonIndex] = {690, kInitialWindowHeight - 148, 90, 20};
  return boxes;
}

}  // namespace app
