// Writes the program's two icon files: a level-meter glyph (three rising green bars with an
// amber top segment on a dark rounded tile) at 16, 24, 32 and 48 pixels in the large icon and at
// 16 pixels in the small one. Every image is 32 bits per pixel with alpha, anti-aliased by
// sampling each pixel 4 x 4 times.
//   make_icons LARGE_ICO SMALL_ICO
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "little_endian.h"

namespace {

struct Rgba {
  double r, g, b, a;
};

// ---- The glyph, in coordinates from 0 to 1 across the icon, y from the top ----

constexpr double kTileInset = 0.03;
constexpr double kTileRadius = 0.2;
constexpr double kRimWidth = 0.07;
constexpr double kBarBottom = 0.8;
constexpr double kBarLefts[3] = {0.2, 0.42, 0.64};
constexpr double kBarWidth = 0.16;
constexpr double kBarTops[3] = {0.55, 0.4, 0.2};
constexpr double kCapHeight = 0.12;  // the amber top segment of the tallest bar

// Distance-like test for a rounded square: true inside the tile shrunk by `inset`.
bool InTile(double x, double y, double inset) {
  const double lo = kTileInset + inset;
  const double hi = 1.0 - kTileInset - inset;
  const double radius = std::max(kTileRadius - inset, 0.0);
  const double cx = std::clamp(x, lo + radius, hi - radius);
  const double cy = std::clamp(y, lo + radius, hi - radius);
  const double dx = x - cx;
  const double dy = y - cy;
  return x >= lo && x <= hi && y >= lo && y <= hi && dx * dx + dy * dy <= radius * radius;
}

// The bar under (x, y), or -1.
int BarAt(double x, double y) {
  for (int k = 0; k < 3; ++k) {
    if (x >= kBarLefts[k] && x < kBarLefts[k] + kBarWidth && y >= kBarTops[k] && y < kBarBottom) {
      return k;
    }
  }
  return -1;
}

Rgba Sample(double x, double y) {
  if (!InTile(x, y, 0.0)) return {0, 0, 0, 0};
  if (!InTile(x, y, kRimWidth)) return {70, 96, 84, 255};
  const int bar = BarAt(x, y);
  if (bar == 2 && y < kBarTops[2] + kCapHeight) return {255, 204, 0, 255};
  if (bar >= 0) {
    const double lift = (kBarBottom - y) / (kBarBottom - kBarTops[2]);  // lighter towards the top
    return {20 + 60 * lift, 190 + 50 * lift, 80 + 30 * lift, 255};
  }
  // Interior: dark slate, a faint base line under the bars.
  if (y >= kBarBottom + 0.02 && y < kBarBottom + 0.07 && x > 0.16 && x < 0.84) {
    return {0, 128, 64, 255};
  }
  return {22, 28, 34, 255};
}

// One pixel as straight (not premultiplied) BGRA: the colour is the coverage-weighted mean.
std::uint32_t Pixel(int px, int py, int size) {
  constexpr int kGrid = 4;
  Rgba sum = {0, 0, 0, 0};
  for (int sy = 0; sy < kGrid; ++sy) {
    for (int sx = 0; sx < kGrid; ++sx) {
      const Rgba s = Sample((px + (sx + 0.5) / kGrid) / size, (py + (sy + 0.5) / kGrid) / size);
      sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
    }
  }
  if (sum.a <= 0) return 0;
  const auto channel = [&](double weighted) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(weighted / sum.a, 0.0, 255.0)));
  };
  const std::uint32_t alpha = static_cast<std::uint32_t>(std::lround(sum.a / (kGrid * kGrid)));
  return alpha << 24 | channel(sum.r) << 16 | channel(sum.g) << 8 | channel(sum.b);
}

// One icon image: an information header with doubled height, the colour rows bottom-up, then
// the 1-bit mask rows (set where fully transparent), each padded to four bytes.
tools::Bytes Image(int size) {
  const std::uint32_t maskStride = (static_cast<std::uint32_t>(size) + 31) / 32 * 4;
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(size * size * 4);
  tools::Bytes out;
  tools::Put32(out, 40);
  tools::Put32(out, static_cast<std::uint32_t>(size));
  tools::Put32(out, static_cast<std::uint32_t>(2 * size));
  tools::Put16(out, 1);
  tools::Put16(out, 32);
  tools::Put32(out, 0);  // no compression
  tools::Put32(out, pixelBytes + maskStride * static_cast<std::uint32_t>(size));
  for (int k = 0; k < 4; ++k) tools::Put32(out, 0);  // resolution and palette counts
  std::vector<std::uint8_t> mask;
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> maskRow(maskStride, 0);
    for (int x = 0; x < size; ++x) {
      const std::uint32_t bgra = Pixel(x, y, size);
      tools::Put32(out, bgra);
      if (bgra >> 24 == 0) maskRow[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    mask.insert(mask.end(), maskRow.begin(), maskRow.end());
  }
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

// An icon file: the directory, one 16-byte entry per image, then the images.
tools::Bytes IconFile(const std::vector<int>& sizes) {
  std::vector<tools::Bytes> images;
  for (const int size : sizes) images.push_back(Image(size));
  tools::Bytes out;
  tools::Put16(out, 0);
  tools::Put16(out, 1);  // icon
  tools::Put16(out, static_cast<unsigned>(sizes.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    tools::Put8(out, static_cast<unsigned>(sizes[k]));
    tools::Put8(out, static_cast<unsigned>(sizes[k]));
    tools::Put8(out, 0);  // no palette
    tools::Put8(out, 0);
    tools::Put16(out, 1);
    tools::Put16(out, 32);
    tools::Put32(out, static_cast<std::uint32_t>(images[k].size()));
    tools::Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[k].size());
  }
  for (const tools::Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_icons LARGE_ICO SMALL_ICO\n");
    return 2;
  }
  if (!tools::WriteFile(argv[1], IconFile({16, 24, 32, 48}))) return 1;
  if (!tools::WriteFile(argv[2], IconFile({16}))) return 1;
  return 0;
}
