#include "display/sunken_frame.h"

namespace display {

void DrawSunkenFrame(Canvas& target, int width, int height, const Canvas& frameSkin) {
  if (width <= 0 || height <= 0) return;
  target.Fill({width - 1, 1, 1, height - 1}, kWhite);  // the right column below row 0
  target.Fill({1, height - 1, width - 1, 1}, kWhite);  // the bottom row right of column 0
  const Area pieces[] = {
      {0, 0, width, 1},               // row 0, outer edge
      {1, 1, width - 2, 1},           // row 1, inner edge
      {0, 0, 1, height},              // column 0, outer edge
      {1, 1, 1, height - 2},          // column 1, inner edge
      {2, 2, width - 3, height - 3},  // interior
  };
  for (const Area& piece : pieces) target.Copy(frameSkin, piece, piece.x, piece.y);
}

}  // namespace display
