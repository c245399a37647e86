// A top-down 32-bit DIB section selected into a memory drawing context of its own: what is drawn
// or copied into it is read back as 0x00RRGGBB pixels, top row first. The Wine tests read every
// picture of the screen, of a surface or of a line this way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace e2e {

// The header of a top-down 32-bit DIB of width × height, no colour table.
BITMAPINFO TopDown32(int width, int height);

class DibSurface {
 public:
  // `reference`: the context the section is made for (null: the screen). Valid() tells whether
  // the surface could be made.
  DibSurface(int width, int height, HDC reference = nullptr);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  // The pixel memory, width × height words; written straight, it shows after GdiFlush.
  std::uint32_t* Bits() const { return static_cast<std::uint32_t*>(bits_); }
  // Every pixel as it stands once GDI has finished drawing, the unused byte cleared.
  std::vector<std::uint32_t> Pixels() const;

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

// The client area of a window of another process as it stands on the screen. Wine's PrintWindow
// never reaches into another process, so the pixels are copied from the screen's drawing
// context; the window must be on the screen and not covered.
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
