#include "display/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace display {
namespace {

int Positive(int value) {
  return value < 0 ? 0 : value;
}

// (source × opacity + here × (255 − opacity)) / 255 per channel, rounded to nearest, without a
// division: for every sum up to 255 × 255, (t + (t >> 8)) >> 8 with t = sum + 128 is that
// rounded quotient. Red and blue are worked side by side in the two 16-bit halves of a word
// (each sum stays below 65536, so neither half carries into the other), green on its own.
std::uint32_t MixPixel(std::uint32_t source, std::uint32_t here, std::uint32_t opacity) {
  constexpr std::uint32_t kRedBlue = 0x00FF00FF;
  const std::uint32_t rest = 255 - opacity;
  const std::uint32_t rb = (source & kRedBlue) * opacity + (here & kRedBlue) * rest + 0x00800080;
  const std::uint32_t g = ((source >> 8) & 0xFF) * opacity + ((here >> 8) & 0xFF) * rest + 128;
  const std::uint32_t redBlue = ((rb + ((rb >> 8) & kRedBlue)) >> 8) & kRedBlue;
  const std::uint32_t green = ((g + (g >> 8)) >> 8) << 8;
  return redBlue | green;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(Positive(width)),
      height_(Positive(height)),
      stride_(width_),
      owned_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhite),
      pixels_(owned_.data()) {}

Canvas::Canvas(int width, int height, std::uint32_t* pixels, int stride)
    : width_(pixels == nullptr ? 0 : Positive(width)),
      height_(pixels == nullptr ? 0 : Positive(height)),
      stride_(std::max(stride, width_)),
      pixels_(pixels) {}

Rgb Canvas::At(int x, int y) const {
  if (!Inside(x, y)) return kWhite;
  return pixels_[static_cast<std::size_t>(y) * stride_ + x] & 0xFFFFFF;
}

void Canvas::Fill(const Area& area, Rgb colour) {
  const int left = std::max(area.x, 0);
  const int top = std::max(area.y, 0);
  const int right = std::min(area.x + Positive(area.width), width_);
  const int bottom = std::min(area.y + Positive(area.height), height_);
  for (int y = top; y < bottom; ++y) {
    std::fill(pixels_ + static_cast<std::size_t>(y) * stride_ + left,
              pixels_ + static_cast<std::size_t>(y) * stride_ + std::max(left, right),
              colour & 0xFFFFFF);
  }
}

template <typename Mix>
void Canvas::Transfer(const Canvas& source, const Area& from, int x, int y, Mix mix) {
  // Clip the source area to the source, then the destination to this canvas.
  int sx = from.x, sy = from.y, width = Positive(from.width), height = Positive(from.height);
  if (sx < 0) width += sx, x -= sx, sx = 0;
  if (sy < 0) height += sy, y -= sy, sy = 0;
  width = std::min(width, source.width_ - sx);
  height = std::min(height, source.height_ - sy);
  if (x < 0) width += x, sx -= x, x = 0;
  if (y < 0) height += y, sy -= y, y = 0;
  width = std::min(width, width_ - x);
  height = std::min(height, height_ - y);
  for (int row = 0; row < height; ++row) {
    const std::uint32_t* in =
        source.pixels_ + static_cast<std::size_t>(sy + row) * source.stride_ + sx;
    std::uint32_t* out = pixels_ + static_cast<std::size_t>(y + row) * stride_ + x;
    for (int column = 0; column < width; ++column) mix(in[column] & 0xFFFFFF, out[column]);
  }
}

void Canvas::Copy(const Canvas& source, const Area& from, int x, int y) {
  Transfer(source, from, x, y, [](Rgb in, std::uint32_t& out) { out = in; });
}

void Canvas::Blend(const Canvas& source, const Area& from, int x, int y, std::uint8_t opacity) {
  Transfer(source, from, x, y,
           [opacity](Rgb in, std::uint32_t& out) { out = MixPixel(in, out & 0xFFFFFF, opacity); });
}

void Canvas::CopyKeyed(const Canvas& source, const Area& from, int x, int y, Rgb transparent) {
  Transfer(source, from, x, y, [transparent](Rgb in, std::uint32_t& out) {
    if (in != (transparent & 0xFFFFFF)) out = in;
  });
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb colour) {
  // Bresenham's walk from the start point, stopping before the end point. Coordinates are
  // widened so that no step overflows whatever the caller passes.
  long long x = x0, y = y0;
  const long long dx = std::llabs(static_cast<long long>(x1) - x0);
  const long long dy = -std::llabs(static_cast<long long>(y1) - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  long long error = dx + dy;
  constexpr long long kLongestLine = 1 << 20;  // far beyond any canvas: such a line is left out
  if (dx > kLongestLine || -dy > kLongestLine) return;
  while (x != x1 || y != y1) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      Set(static_cast<int>(x), static_cast<int>(y), colour);
    const long long twice = 2 * error;
    if (twice >= dy) error += dy, x += stepX;
    if (twice <= dx) error += dx, y += stepY;
  }
}

}  // namespace display
