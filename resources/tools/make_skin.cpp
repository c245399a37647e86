// Writes the packed logo resource: the logo as a 24-bit bitmap file with the 12-byte core
// header, every byte then increased by one (mod 256).
//   make_skin PACKED_OUTPUT [PLAIN_BITMAP_OUTPUT]
// The optional second output is the same bitmap unpacked, for looking at the picture.
#include <cstdint>
#include <cstdio>

#include "little_endian.h"
#include "logo_art.h"

namespace {

constexpr std::uint32_t kHeadersSize = 14 + 12;
constexpr std::uint32_t kStride = (24 * logo::kWidth + 31) / 32 * 4;  // 540
constexpr std::uint32_t kPixelBytes = kStride * logo::kHeight;        // 32,400
constexpr std::uint32_t kFileSize = kHeadersSize + kPixelBytes;       // 32,426
constexpr std::size_t kPackedSize = 32428;  // what the program's loader expects at the least

void PutHeaders(tools::Bytes& out) {
  tools::Put8(out, 'B');
  tools::Put8(out, 'M');
  tools::Put32(out, kFileSize);
  tools::Put16(out, 0);
  tools::Put16(out, 0);
  tools::Put32(out, kHeadersSize);  // pixel offset
  tools::Put32(out, 12);            // core header size
  tools::Put16(out, logo::kWidth);
  tools::Put16(out, logo::kHeight);
  tools::Put16(out, 1);   // planes
  tools::Put16(out, 24);  // bits per pixel
}

// Rows bottom-up, blue, green, red, each row padded to the stride.
void PutPixels(tools::Bytes& out) {
  for (int y = logo::kHeight - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < logo::kWidth; ++x) {
      const logo::Rgb colour = logo::Colour(x, y);
      tools::Put8(out, colour.b);
      tools::Put8(out, colour.g);
      tools::Put8(out, colour.r);
    }
    while (out.size() - rowStart < kStride) tools::Put8(out, 0);
  }
}

tools::Bytes PlainBitmap() {
  tools::Bytes out;
  PutHeaders(out);
  PutPixels(out);
  return out;
}

// The stored form: the plain bytes plus one each, padded to the loader's size with bytes that
// stand for zero.
tools::Bytes Packed(const tools::Bytes& plain) {
  tools::Bytes out;
  for (const std::uint8_t byte : plain) out.push_back(static_cast<std::uint8_t>(byte + 1));
  while (out.size() < kPackedSize) out.push_back(1);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: make_skin PACKED_OUTPUT [PLAIN_BITMAP_OUTPUT]\n");
    return 2;
  }
  const tools::Bytes plain = PlainBitmap();
  const tools::Bytes packed = Packed(plain);
  if (plain.size() != kFileSize || packed.size() != kPackedSize) {
    std::fprintf(stderr, "make_skin: unexpected sizes %zu and %zu\n", plain.size(), packed.size());
    return 1;
  }
  if (!tools::WriteFile(argv[1], packed)) return 1;
  if (argc == 3 && !tools::WriteFile(argv[2], plain)) return 1;
  return 0;
}
