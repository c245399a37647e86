// The client area of the main window in a picture file compared with the window on the screen.
// A sampling cycle repaints the meters, the graphs and the information panel (the graphs scroll
// by one sample), so those areas may differ between the moment of the picture and the moment of
// the screen copy; every other client pixel must be the same in both.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bmp_image.h"
#include "driver/dib_surface.h"

namespace e2e {

// The areas a sampling cycle repaints, in client coordinates, for a window of this outer size.
std::vector<RECT> CycleAreas(SIZE outer);
// Where the client area's top left lies inside the window rectangle.
POINT ClientOffset(HWND window);

struct PixelDifference {
  int count = 0;          // differing pixels outside the skipped areas
  int compared = 0;       // pixels compared
  std::string firstSeen;  // the first difference, as "(x, y) file RRGGBB screen RRGGBB"
};

// The pixels of the picture right of and below the client rectangle (`offset`, `client`) whose
// colour the print of the frame left nowhere in the strips left of and above it: client content
// drawn over the frame. `strip` counts the pixels looked at.
struct FrameOverdraw {
  int count = 0;
  int strip = 0;
  std::string firstSeen;  // as "(x, y) RRGGBB"
};
FrameOverdraw FindFrameOverdraw(const BmpImage& image, POINT offset, SIZE client);

// Compares client pixel (x, y) of the screen copy with window pixel (x + offset) of the picture,
// for every pixel outside `skip`.
PixelDifference CompareClient(const BmpImage& image, POINT offset, const ScreenCapture& screen,
                              const std::vector<RECT>& skip);

}  // namespace e2e
