// The skin decoder over resources of about the least size a resource may have, built around the
// fuzzer's bytes: the first byte picks the length (from 64 bytes short of the least size to 63
// over it), the others are the resource's front (its two headers and first rows, as stored), and
// the rest of the resource repeats them. Small inputs so reach every refusal and the whole decode
// of a full-size resource, many times faster than mutating 32 KB; the skin target takes raw
// resources of any length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "skin_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t length = display::kSkinResourceSize - 64 + data[0] % 128;
  std::vector<std::uint8_t> resource(length);
  // The front copied, then the resource so far doubled until it is full: a few block copies.
  std::size_t filled = std::min(size - 1, length);
  std::memcpy(resource.data(), data + 1, filled);
  while (filled < length) {
    const std::size_t part = std::min(filled, length - filled);
    std::memcpy(resource.data() + filled, resource.data(), part);
    filled += part;
  }
  CheckSkinResource(resource);
  return 0;
}
