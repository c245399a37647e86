#include "dib_surface.h"

namespace e2e {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

DibSurface::DibSurface(int width, int height, HDC reference) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  const BITMAPINFO format = TopDown32(width, height);
  dc_ = CreateCompatibleDC(reference);
  section_ = CreateDIBSection(reference, &format, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (dc_ == nullptr || section_ == nullptr) {
    bits_ = nullptr;
    return;
  }
  previous_ = SelectObject(dc_, section_);
}

DibSurface::~DibSurface() {
  if (previous_ != nullptr) SelectObject(dc_, previous_);
  if (section_ != nullptr) DeleteObject(section_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

std::vector<std::uint32_t> DibSurface::Pixels() const {
  if (!Valid()) return {};
  GdiFlush();
  std::vector<std::uint32_t> pixels(Bits(), Bits() + static_cast<std::size_t>(width_) * height_);
  for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;  // blue, green, red, unused
  return pixels;
}

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
