// The client area of a window of another process as it stands on the screen. Wine's PrintWindow
// never reaches into another process, so the pixels are copied from the screen's drawing
// context; the window must be on the screen and not covered.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace e2e {

class ScreenCapture {
 public:
  // Copies the client area of `window` now; Valid() is false when that cannot be done.
  explicit ScreenCapture(HWND window);

  bool Valid() const { return !pixels_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Client pixel (x, y) as 0x00RRGGBB; kOutside when (x, y) lies outside the capture.
  std::uint32_t At(int x, int y) const;

  static constexpr std::uint32_t kOutside = 0xFF000000u;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // top-down rows
};

}  // namespace e2e
