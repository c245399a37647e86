// Reading the 24-bit picture file the program writes: its header fields, checked against the
// window size it must carry, and its pixels by window position.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace e2e {

class BmpImage {
 public:
  // The file's bytes; every read below stays inside them.
  explicit BmpImage(std::string bytes) : bytes_(std::move(bytes)) {}

  std::size_t Size() const { return bytes_.size(); }
  std::uint32_t U16(std::size_t offset) const;
  std::uint32_t U32(std::size_t offset) const;
  std::int32_t Width() const { return static_cast<std::int32_t>(U32(18)); }
  std::int32_t Height() const { return static_cast<std::int32_t>(U32(22)); }
  // Bytes per stored row: three per pixel, rounded up to a multiple of four.
  std::size_t Stride() const;
  // Pixel (x, y) of the window rectangle, counted from its top left, as 0x00RRGGBB; nothing
  // when it lies outside the picture or the file.
  std::optional<std::uint32_t> At(int x, int y) const;
  // True when every byte after the pixels of each row, up to the stride, is zero.
  bool PaddingIsZero() const;

 private:
  std::string bytes_;
};

// Every header field of a picture of `size` pixels, and a file of exactly that length.
void ExpectBmpLayout(const BmpImage& image, SIZE size);

}  // namespace e2e
