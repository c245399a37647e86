// The packed logo resource: a bitmap file with the 12-byte core header whose bytes are each
// stored plus one (mod 256). Decoding unscrambles it and splits it into the two headers and the
// pixel block, refusing any resource whose pixel rows could not be read within its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace display {

inline constexpr std::size_t kSkinResourceSize = 32428;  // the least a resource may hold
inline constexpr std::size_t kSkinHeadersSize = 26;      // the pixel block always starts here
inline constexpr int kSkinMaxWidth = 180;                // the logo surface's size
inline constexpr int kSkinMaxHeight = 60;

// Bytes 0 to 13 of the unscrambled resource.
struct SkinFileHeader {
  std::uint16_t fileType = 0;  // kept, not checked
  std::uint32_t fileSize = 0;
  std::uint16_t reserved1 = 0;
  std::uint16_t reserved2 = 0;
  std::uint32_t pixelOffset = 0;  // the pixel block holds fileSize - pixelOffset bytes
};

// Bytes 14 to 25.
struct SkinCoreHeader {
  std::uint32_t headerSize = 0;  // kept, not checked
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint16_t planes = 0;        // kept, not checked
  std::uint16_t bitsPerPixel = 0;  // sets the row stride; pixels are read as three bytes
};

struct DecodedSkin {
  SkinFileHeader fileHeader;
  SkinCoreHeader coreHeader;
  std::vector<std::uint8_t> pixels;  // rows bottom-up, blue, green, red
};

enum class SkinRefusal {
  kNone,
  kTooShort,            // fewer than kSkinResourceSize bytes
  kPixelBlockPastEnd,   // fileSize - pixelOffset is negative or reaches past the resource
  kImageTooLarge,       // wider than 180 or higher than 60
  kRowsTooShort,        // a row's stride holds fewer than three bytes per pixel
  kRowsPastPixelBlock,  // stride x height needs more bytes than the pixel block holds
};

struct SkinDecodeResult {
  SkinRefusal refusal = SkinRefusal::kNone;
  DecodedSkin skin;  // complete when refusal is kNone, empty otherwise
};

// What one stored byte stands for: the stored value minus one, mod 256.
constexpr std::uint8_t UnscrambleSkinByte(std::uint8_t stored) {
  return static_cast<std::uint8_t>(stored - 1u);
}

// Bytes per pixel row: ((bits per pixel x width + 31) / 32) x 4.
constexpr std::size_t SkinRowStride(std::uint16_t bitsPerPixel, std::uint16_t width) {
  return (std::size_t{bitsPerPixel} * width + 31) / 32 * 4;
}

// Whether the image the core header describes can be read, three bytes a pixel, from a pixel
// block of `pixelBytes` bytes: kNone, kImageTooLarge, kRowsTooShort or kRowsPastPixelBlock.
SkinRefusal CheckSkinImage(const SkinCoreHeader& header, std::size_t pixelBytes);

// Decodes the resource's stored bytes. Reads nothing outside `stored`.
SkinDecodeResult DecodeSkin(std::span<const std::uint8_t> stored);

}  // namespace display
