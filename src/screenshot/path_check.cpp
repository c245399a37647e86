#include "screenshot/path_check.h"

#include <cstddef>

namespace screenshot {
namespace {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The white space of one byte: tab, line feed, vertical tab, form feed, carriage return, blank.
bool IsSpaceByte(unsigned char byte) {
  return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// 0x81 0x40 is the ideographic space U+3000, the one white-space character of the double-byte
// range.
bool IsIdeographicSpace(unsigned char lead, unsigned char trail) {
  return lead == 0x81 && trail == 0x40;
}

}  // namespace

bool PathHasWhiteSpace(const char* path) {
  if (path == nullptr) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(path);
  for (std::size_t j = 0; bytes[j] != 0; ++j) {
    if (IsLeadByte(bytes[j]) && IsTrailByte(bytes[j + 1])) {
      if (IsIdeographicSpace(bytes[j], bytes[j + 1])) return true;
      ++j;  // the trail byte belongs to this character
      continue;
    }
    if (IsSpaceByte(bytes[j])) return true;
  }
  return false;
}

}  // namespace screenshot
