// A 32-bit pixel buffer with the few raster operations the painter needs: plain copy,
// constant-alpha blend, copy with white as the transparent colour, one-pixel lines that leave out
// their end point (as the platform's line drawing does), and fills. Every operation is clipped to
// both canvases, so no coordinate can reach outside a buffer. Pixels are 0x00RRGGBB, rows top
// first. A canvas owns its pixels or views memory owned elsewhere (a DIB section on Windows).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace display {

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r << 16) | (g << 8) | b;
}
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr std::uint8_t kBarOpacity = 192;

struct Area {
  int x, y, width, height;
};

class Canvas;

// The first row of a canvas made ready for many blends at one opacity: each channel held as
// colour × opacity + 128, so that a blend from it multiplies only what it blends into.
class BlendSource {
 public:
  BlendSource(const Canvas& row, std::uint8_t opacity);
  int Width() const { return width_; }

 private:
  friend class Canvas;
  int width_;
  std::uint8_t opacity_;
  std::vector<std::uint16_t> channels_;  // four per pixel, the fourth 128 (from a clear byte)
};

class Canvas {
 public:
  // An owned canvas of the given size, white.
  Canvas(int width, int height);
  // A view of `pixels`: `stride` pixels per row, at least `width`.
  Canvas(int width, int height, std::uint32_t* pixels, int stride);
  // A view of `area` of `parent`, as far as it lies inside the parent.
  Canvas(Canvas& parent, const Area& area);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel at (x, y); white outside the canvas.
  Rgb At(int x, int y) const {
    if (!Inside(x, y)) return kWhite;
    return pixels_[static_cast<std::size_t>(y) * stride_ + x] & 0xFFFFFF;
  }
  void Set(int x, int y, Rgb colour) {
    if (Inside(x, y)) pixels_[static_cast<std::size_t>(y) * stride_ + x] = colour & 0xFFFFFF;
  }
  void Fill(const Area& area, Rgb colour);
  // The pixels of row y at each of `xs`, as far as they lie inside.
  void SetPoints(int y, std::span<const int> xs, Rgb colour) {
    if (y < 0 || y >= height_) return;
    std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * stride_;
    for (const int x : xs) {
      if (static_cast<unsigned>(x) < static_cast<unsigned>(width_)) row[x] = colour & 0xFFFFFF;
    }
  }

  // `source`'s `from` area to (x, y).
  void Copy(const Canvas& source, const Area& from, int x, int y);
  // The same, each pixel mixed as (source × opacity + here × (255 − opacity)) / 255, rounded.
  void Blend(const Canvas& source, const Area& from, int x, int y, std::uint8_t opacity);
  // Pixels `from` to `from + width` of a prepared row to (x, y), blended as Blend does.
  void Blend(const BlendSource& source, int from, int width, int x, int y);
  // The same, leaving out `source`'s pixels of colour `transparent`.
  void CopyKeyed(const Canvas& source, const Area& from, int x, int y, Rgb transparent);
  // A one-pixel line from (x0, y0) towards (x1, y1), the end point itself left out: the pixels
  // the platform's own line drawing lights, ties between two pixels included. A line longer than
  // a million pixels in either direction is left out altogether.
  void Line(int x0, int y0, int x1, int y1, Rgb colour);

  // Whatever the platform's text drawing needs to reach these pixels (a drawing context).
  void* native = nullptr;

 private:
  // Clips the areas and hands each row's pixels to `mixRow(in, out, width)`.
  template <typename MixRow>
  void Transfer(const Canvas& source, const Area& from, int x, int y, MixRow mixRow);
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_;
  int height_;
  int stride_;
  std::vector<std::uint32_t> owned_;
  std::uint32_t* pixels_;
};

}  // namespace display
