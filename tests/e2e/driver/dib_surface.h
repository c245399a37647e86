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

}  // namespace e2e
