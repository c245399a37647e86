#include "display/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace display {
namespace {

int Positive(int value) {
  return value < 0 ? 0 : value;
}

// (source × opacity + here × (255 − opacity)) / 255, rounded to nearest, without a division:
// for every sum up to 255 × 255, (t + (t >> 8)) >> 8 with t = sum + 128 is that rounded
// quotient, and so is the high half of t × 257, which is one instruction. Every value fits 16
// bits, so that a loop of these runs several channels per instruction.
std::uint8_t MixChannel(std::uint8_t source, std::uint8_t here, std::uint8_t opacity) {
  const auto t = static_cast<std::uint16_t>(source * opacity + here * (255 - opacity) + 128);
  return static_cast<std::uint8_t>((std::uint32_t{t} * 257) >> 16);
}

// One row of a blend, channel by channel over the row's bytes. The unused fourth byte of each
// pixel is mixed along: 0 in both, as every write of a canvas leaves it, it stays 0, and reads
// never look at it.
void BlendRow(const std::uint32_t* in, std::uint32_t* out, int width, std::uint8_t opacity) {
  const auto* from = reinterpret_cast<const unsigned char*>(in);
  auto* to = reinterpret_cast<unsigned char*>(out);
  const std::size_t bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
  for (std::size_t i = 0; i < bytes; ++i) to[i] = MixChannel(from[i], to[i], opacity);
}

}  // namespace

BlendSource::BlendSource(const Canvas& row, std::uint8_t opacity)
    : width_(row.Height() > 0 ? row.Width() : 0),
      opacity_(opacity),
      channels_(static_cast<std::size_t>(width_) * 4) {
  for (int x = 0; x < width_; ++x) {
    const Rgb colour = row.At(x, 0);
    for (int c = 0; c < 4; ++c) {
      const std::uint32_t channel = (colour >> (8 * c)) & 0xFF;
      channels_[static_cast<std::size_t>(x) * 4 + c] =
          static_cast<std::uint16_t>(channel * opacity + 128);
    }
  }
}

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

Canvas::Canvas(Canvas& parent, const Area& area)
    : width_(0), height_(0), stride_(parent.stride_), pixels_(parent.pixels_) {
  const int left = std::clamp(area.x, 0, parent.width_);
  const int top = std::clamp(area.y, 0, parent.height_);
  const long long right =
      std::min<long long>(static_cast<long long>(area.x) + Positive(area.width), parent.width_);
  const long long bottom =
      std::min<long long>(static_cast<long long>(area.y) + Positive(area.height), parent.height_);
  if (right <= left || bottom <= top) return;
  width_ = static_cast<int>(right) - left;
  height_ = static_cast<int>(bottom) - top;
  pixels_ += static_cast<std::size_t>(top) * stride_ + left;
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

template <typename MixRow>
void Canvas::Transfer(const Canvas& source, const Area& from, int x, int y, MixRow mixRow) {
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
    mixRow(in, out, width);
  }
}

void Canvas::Copy(const Canvas& source, const Area& from, int x, int y) {
  Transfer(source, from, x, y, [](const std::uint32_t* in, std::uint32_t* out, int width) {
    for (int column = 0; column < width; ++column) out[column] = in[column] & 0xFFFFFF;
  });
}

void Canvas::Blend(const Canvas& source, const Area& from, int x, int y, std::uint8_t opacity) {
  Transfer(source, from, x, y, [opacity](const std::uint32_t* in, std::uint32_t* out, int width) {
    BlendRow(in, out, width, opacity);
  });
}

void Canvas::Blend(const BlendSource& source, int from, int width, int x, int y) {
  if (y < 0 || y >= height_ || from < 0) return;
  if (x < 0) width += x, from -= x, x = 0;
  width = std::min({width, source.width_ - from, width_ - x});
  if (width <= 0) return;
  const std::uint16_t* prepared = source.channels_.data() + static_cast<std::size_t>(from) * 4;
  auto* to = reinterpret_cast<unsigned char*>(pixels_ + static_cast<std::size_t>(y) * stride_ + x);
  const std::uint16_t rest = 255 - source.opacity_;
  const std::size_t bytes = static_cast<std::size_t>(width) * 4;
  for (std::size_t i = 0; i < bytes; ++i) {
    const auto t = static_cast<std::uint16_t>(prepared[i] + to[i] * rest);
    to[i] = static_cast<unsigned char>((std::uint32_t{t} * 257) >> 16);
  }
}

void Canvas::CopyKeyed(const Canvas& source, const Area& from, int x, int y, Rgb transparent) {
  const Rgb key = transparent & 0xFFFFFF;
  Transfer(source, from, x, y, [key](const std::uint32_t* in, std::uint32_t* out, int width) {
    for (int column = 0; column < width; ++column) {
      const Rgb colour = in[column] & 0xFFFFFF;
      if (colour != key) out[column] = colour;
    }
  });
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb colour) {
  // One pixel per step along the major axis from the start point, stopping before the end
  // point; the minor coordinate is the one nearest the exact line. Where the line passes midway
  // between two pixels, the platform's rule takes the upper one of a mostly horizontal line and
  // the left one of a mostly vertical line, whichever way the line runs. Coordinates are widened
  // so that no step overflows whatever the caller passes.
  const long long dx = static_cast<long long>(x1) - x0;
  const long long dy = static_cast<long long>(y1) - y0;
  constexpr long long kLongestLine = 1 << 20;  // far beyond any canvas: such a line is left out
  if (std::llabs(dx) > kLongestLine || std::llabs(dy) > kLongestLine) return;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
  const long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  const int stepX = dx < 0 ? -1 : 1;
  const int stepY = dy < 0 ? -1 : 1;
  const int alongStep = xMajor ? stepX : stepY;
  const int acrossStep = xMajor ? stepY : stepX;
  long long x = x0, y = y0;
  long long& along = xMajor ? x : y;
  long long& across = xMajor ? y : x;
  // For the pixel after step i at minor offset k: error = 2·minor·(i + 1) − (2·k + 1)·major, and
  // the minor coordinate moves on where it is above 0. Midway it is 0, and the line moves on
  // only where that takes it up or left: one less otherwise, so that the test is always >= 0.
  long long error = 2 * minor - major - (acrossStep < 0 ? 0 : 1);
  for (long long i = 0; i < major; ++i) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      Set(static_cast<int>(x), static_cast<int>(y), colour);
    if (error >= 0) across += acrossStep, error -= 2 * major;
    along += alongStep;
    error += 2 * minor;
  }
}

}  // namespace display
