// The skin decoder: unscrambling, the two headers, the pixel block's extent, and a defined
// refusal for every resource whose pixels could not be read within its bytes.
#include "display/skin_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

using display::DecodeSkin;
using display::SkinRefusal;

struct Image {
  std::uint32_t fileSize = 26 + 32400;
  std::uint32_t pixelOffset = 26;
  std::uint16_t width = 180;
  std::uint16_t height = 60;
  std::uint16_t bitsPerPixel = 24;
  std::size_t resourceSize = display::kSkinResourceSize;
};

// The unscrambled resource: headers as given, then bytes repeating every 251, so a block taken
// from the wrong place shows.
std::vector<std::uint8_t> Plain(const Image& image) {
  std::vector<std::uint8_t> bytes(image.resourceSize, 0);
  if (bytes.size() < 26) return bytes;
  // The header fields from byte 0 on, each a value and its size in bytes; 0x4D42 is "BM".
  const std::pair<std::uint32_t, int> fields[] = {
      {0x4D42, 2}, {image.fileSize, 4}, {0x1234, 2},       {0x5678, 2}, {image.pixelOffset, 4},
      {12, 4},     {image.width, 2},    {image.height, 2}, {1, 2},      {image.bitsPerPixel, 2}};
  std::size_t offset = 0;
  for (const auto& [value, size] : fields) {
    for (int k = 0; k < size; ++k) bytes[offset++] = static_cast<std::uint8_t>(value >> 8 * k);
  }
  for (std::size_t i = 26; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  return bytes;
}

std::vector<std::uint8_t> Stored(std::vector<std::uint8_t> plain) {
  for (std::uint8_t& byte : plain) byte = static_cast<std::uint8_t>(byte + 1);
  return plain;
}

SkinRefusal RefusalOf(const Image& image) {
  return DecodeSkin(Stored(Plain(image))).refusal;
}

TEST(SkinDecoder, UnscramblesEveryByteModulo256) {
  EXPECT_EQ(display::UnscrambleSkinByte(0x00), 0xFF);
  EXPECT_EQ(display::UnscrambleSkinByte(0x01), 0x00);
  std::vector<std::uint8_t> stored = Stored(Plain({}));
  stored[26] = 0x00;
  stored[27] = 0x01;
  stored[28] = 0x80;
  const auto result = DecodeSkin(stored);
  ASSERT_EQ(result.refusal, SkinRefusal::kNone);
  const std::vector<std::uint8_t>& pixels = result.skin.pixels;
  EXPECT_EQ((std::array{pixels[0], pixels[1], pixels[2]}),
            (std::array<std::uint8_t, 3>{0xFF, 0x00, 0x7F}));
}

TEST(SkinDecoder, ReadsBothHeadersLittleEndian) {
  const auto valid = DecodeSkin(Stored(Plain({.fileSize = 26 + 540 * 60 + 2})));
  ASSERT_EQ(valid.refusal, SkinRefusal::kNone);
  const display::SkinFileHeader& file = valid.skin.fileHeader;
  EXPECT_EQ((std::array<std::uint32_t, 5>{file.fileType, file.fileSize, file.reserved1,
                                          file.reserved2, file.pixelOffset}),
            (std::array<std::uint32_t, 5>{'B' | 'M' << 8, 26 + 540 * 60 + 2, 0x1234, 0x5678, 26}));
  const display::SkinCoreHeader& core = valid.skin.coreHeader;
  EXPECT_EQ((std::array<std::uint32_t, 5>{core.headerSize, core.width, core.height, core.planes,
                                          core.bitsPerPixel}),
            (std::array<std::uint32_t, 5>{12, 180, 60, 1, 24}));
}

TEST(SkinDecoder, PixelBlockIsFileSizeLessOffsetFromByte26) {
  // The offset field only shortens the block; the block still starts at byte 26.
  const Image image = {.fileSize = 30 + 32400, .pixelOffset = 30, .resourceSize = 40000};
  const std::vector<std::uint8_t> plain = Plain(image);
  const auto result = DecodeSkin(Stored(plain));
  ASSERT_EQ(result.refusal, SkinRefusal::kNone);
  ASSERT_EQ(result.skin.pixels.size(), 32400u);
  EXPECT_TRUE(std::equal(result.skin.pixels.begin(), result.skin.pixels.end(), plain.begin() + 26));
  // A block that ends exactly at the resource's end is accepted.
  const auto exact = DecodeSkin(Stored(Plain({.fileSize = 32428, .pixelOffset = 26})));
  ASSERT_EQ(exact.refusal, SkinRefusal::kNone);
  EXPECT_EQ(exact.skin.pixels.size(), 32428u - 26);
}

TEST(SkinDecoder, RefusesResourcesTooShortOrWithTheBlockPastTheEnd) {
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{25}, std::size_t{26}, display::kSkinResourceSize - 1}) {
    EXPECT_EQ(RefusalOf({.resourceSize = size}), SkinRefusal::kTooShort) << size;
  }
  EXPECT_EQ(RefusalOf({.fileSize = 32429}), SkinRefusal::kPixelBlockPastEnd);
  EXPECT_EQ(RefusalOf({.fileSize = 25, .pixelOffset = 26}), SkinRefusal::kPixelBlockPastEnd);
  EXPECT_EQ(RefusalOf({.fileSize = 0xFFFFFFFF, .pixelOffset = 0}), SkinRefusal::kPixelBlockPastEnd);
  const auto refused = DecodeSkin(Stored(Plain({.fileSize = 40000})));
  EXPECT_TRUE(refused.skin.pixels.empty());  // nothing of a refused resource is kept
  EXPECT_EQ(refused.skin.coreHeader.height, 0);
}

TEST(SkinDecoder, RefusesImagesItCannotReadThreeBytesAPixel) {
  EXPECT_EQ(RefusalOf({.width = 181}), SkinRefusal::kImageTooLarge);
  EXPECT_EQ(RefusalOf({.height = 61}), SkinRefusal::kImageTooLarge);
  // Rows of fewer than three bytes a pixel.
  EXPECT_EQ(RefusalOf({.bitsPerPixel = 16}), SkinRefusal::kRowsTooShort);
  // 60 rows of 540 bytes need one byte more than the block holds.
  EXPECT_EQ(RefusalOf({.fileSize = 26 + 32399}), SkinRefusal::kRowsPastPixelBlock);
  // Deeper pixels widen the stride past the block.
  EXPECT_EQ(RefusalOf({.bitsPerPixel = 32}), SkinRefusal::kRowsPastPixelBlock);
  // Smaller images, and none at all, are fine.
  EXPECT_EQ(RefusalOf({.width = 7, .height = 3}), SkinRefusal::kNone);
  EXPECT_EQ(RefusalOf({.width = 0, .height = 0}), SkinRefusal::kNone);
  EXPECT_EQ(RefusalOf({.fileSize = 26, .width = 0, .height = 0}), SkinRefusal::kNone);  // no block
}

}  // namespace
