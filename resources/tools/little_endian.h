// Little-endian byte output for the resource generators: headers of bitmap and icon files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

namespace tools {

using Bytes = std::vector<std::uint8_t>;

inline void Put8(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
}

inline void Put16(Bytes& out, unsigned value) {
  Put8(out, value & 0xFFu);
  Put8(out, (value >> 8) & 0xFFu);
}

inline void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFFu);
  Put16(out, value >> 16);
}

// Writes `bytes` to `path`; false (with a message) when the file cannot be written completely.
inline bool WriteFile(const char* path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "cannot create %s\n", path);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) std::fprintf(stderr, "cannot write %s\n", path);
  return written && closed;
}

}  // namespace tools
