#include "bmp_image.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr std::size_t kHeaderBytes = 54;

}  // namespace

std::uint32_t BmpImage::U16(std::size_t offset) const {
  if (offset + 2 > bytes_.size()) return 0xFFFFFFFFu;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
  return static_cast<std::uint32_t>(b[0] | b[1] << 8);
}

std::uint32_t BmpImage::U32(std::size_t offset) const {
  if (offset + 4 > bytes_.size()) return 0xFFFFFFFFu;
  return U16(offset) | U16(offset + 2) << 16;
}

std::size_t BmpImage::Stride() const {
  const std::int32_t width = Width();
  return width > 0 ? (3 * static_cast<std::size_t>(width) + 3) / 4 * 4 : 0;
}

std::optional<std::uint32_t> BmpImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return std::nullopt;
  const std::size_t row = static_cast<std::size_t>(Height() - 1 - y);  // bottom row first
  const std::size_t offset = kHeaderBytes + row * Stride() + 3 * static_cast<std::size_t>(x);
  if (offset + 3 > bytes_.size()) return std::nullopt;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
  return static_cast<std::uint32_t>(b[2] << 16 | b[1] << 8 | b[0]);  // blue, green, red
}

bool BmpImage::PaddingIsZero() const {
  const std::size_t used = 3 * static_cast<std::size_t>(Width());
  for (std::size_t row = 0; row < static_cast<std::size_t>(Height()); ++row) {
    for (std::size_t i = used; i < Stride(); ++i) {
      const std::size_t offset = kHeaderBytes + row * Stride() + i;
      if (offset >= bytes_.size() || bytes_[offset] != '\0') return false;
    }
  }
  return true;
}

void ExpectBmpLayout(const BmpImage& image, SIZE size) {
  const std::size_t stride = (3 * static_cast<std::size_t>(size.cx) + 3) / 4 * 4;
  const std::size_t pixels = stride * static_cast<std::size_t>(size.cy);
  ASSERT_GE(image.Size(), kHeaderBytes) << "no complete header";
  EXPECT_EQ(image.U16(0), 0x4D42u) << "signature BM";
  EXPECT_EQ(image.U32(2), kHeaderBytes + pixels) << "file size";
  EXPECT_EQ(image.U32(6), 0u) << "reserved";
  EXPECT_EQ(image.U32(10), kHeaderBytes) << "offset of the pixel rows";
  EXPECT_EQ(image.U32(14), 40u) << "size of the information header";
  EXPECT_EQ(image.Width(), size.cx);
  EXPECT_EQ(image.Height(), size.cy) << "positive: bottom row first";
  EXPECT_EQ(image.U16(26), 1u) << "planes";
  EXPECT_EQ(image.U16(28), 24u) << "bits per pixel";
  EXPECT_EQ(image.U32(30), 0u) << "compression";
  EXPECT_EQ(image.U32(34), pixels) << "image size";
  for (std::size_t offset : {38, 42, 46, 50}) EXPECT_EQ(image.U32(offset), 0u) << offset;
  EXPECT_EQ(image.Size(), kHeaderBytes + pixels) << "length of the file";
  EXPECT_TRUE(image.PaddingIsZero()) << "a row's padding holds non-zero bytes";
}

}  // namespace e2e
