#include "display/skin_decoder.h"

#include <algorithm>

namespace display {
namespace {

// Little-endian fields of the unscrambled bytes; callers keep offset + size within `bytes`.
std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return Read16(bytes, offset) | static_cast<std::uint32_t>(Read16(bytes, offset + 2)) << 16;
}

SkinFileHeader ReadFileHeader(const std::vector<std::uint8_t>& bytes) {
  return {Read16(bytes, 0), Read32(bytes, 2), Read16(bytes, 6), Read16(bytes, 8),
          Read32(bytes, 10)};
}

SkinCoreHeader ReadCoreHeader(const std::vector<std::uint8_t>& bytes) {
  return {Read32(bytes, 14), Read16(bytes, 18), Read16(bytes, 20), Read16(bytes, 22),
          Read16(bytes, 24)};
}

std::vector<std::uint8_t> Unscramble(std::span<const std::uint8_t> stored) {
  std::vector<std::uint8_t> plain(stored.size());
  std::transform(stored.begin(), stored.end(), plain.begin(), UnscrambleSkinByte);
  return plain;
}

// The pixel block's size when it starts at kSkinHeadersSize and ends inside the resource; -1
// when it is negative (file size below the pixel offset) or reaches past the end.
std::int64_t PixelBlockSize(const SkinFileHeader& header, std::size_t resourceSize) {
  const std::int64_t size = std::int64_t{header.fileSize} - std::int64_t{header.pixelOffset};
  const auto room = static_cast<std::int64_t>(resourceSize - kSkinHeadersSize);
  return size < 0 || size > room ? -1 : size;
}

}  // namespace

SkinRefusal CheckSkinImage(const SkinCoreHeader& header, std::size_t pixelBytes) {
  if (header.width > kSkinMaxWidth || header.height > kSkinMaxHeight) {
    return SkinRefusal::kImageTooLarge;
  }
  const std::size_t stride = SkinRowStride(header.bitsPerPixel, header.width);
  if (stride < 3 * std::size_t{header.width}) return SkinRefusal::kRowsTooShort;
  if (stride * header.height > pixelBytes) return SkinRefusal::kRowsPastPixelBlock;
  return SkinRefusal::kNone;
}

SkinDecodeResult DecodeSkin(std::span<const std::uint8_t> stored) {
  if (stored.size() < kSkinResourceSize) return {SkinRefusal::kTooShort, {}};
  const std::vector<std::uint8_t> plain = Unscramble(stored);
  DecodedSkin skin;
  skin.fileHeader = ReadFileHeader(plain);
  skin.coreHeader = ReadCoreHeader(plain);
  const std::int64_t blockSize = PixelBlockSize(skin.fileHeader, plain.size());
  if (blockSize < 0) return {SkinRefusal::kPixelBlockPastEnd, {}};
  const auto pixelBytes = static_cast<std::size_t>(blockSize);
  const SkinRefusal image = CheckSkinImage(skin.coreHeader, pixelBytes);
  if (image != SkinRefusal::kNone) return {image, {}};
  const auto first = plain.begin() + static_cast<std::ptrdiff_t>(kSkinHeadersSize);
  skin.pixels.assign(first, first + static_cast<std::ptrdiff_t>(pixelBytes));
  return {SkinRefusal::kNone, std::move(skin)};
}

}  // namespace display
