#include "screen_capture.h"

#include "dib_surface.h"

namespace e2e {

ScreenCapture::ScreenCapture(HWND window) {
  RECT client = {};
  POINT origin = {0, 0};
  if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin)) return;
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;

  HDC screen = GetDC(nullptr);
  const DibSurface surface(width, height, screen);
  if (surface.Valid() &&
      BitBlt(surface.Dc(), 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY)) {
    pixels_ = surface.Pixels();
    width_ = width;
    height_ = height;
  }
  ReleaseDC(nullptr, screen);
}

std::uint32_t ScreenCapture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kOutside;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

}  // namespace e2e
