#include "platform/code_page_text.h"

namespace platform {
namespace {

bool IsJapaneseLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsJapaneseTrail(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// The well-formed UTF-8 sequences: the second byte's range depends on the first byte, which
// rules out overlong forms, surrogates and code points above U+10FFFF; every later byte is a
// continuation byte. A NUL is never a continuation byte, so no read passes the terminator.
std::size_t Utf8Length(const unsigned char* at) {
  const unsigned char first = at[0];
  if (first < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (InRange(first, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(first, 0xE0, 0xEF)) {
    length = 3;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;
  } else if (InRange(first, 0xF0, 0xF4)) {
    length = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (!InRange(at[1], low, high)) return 1;
  for (std::size_t i = 2; i < length; ++i) {
    if (!InRange(at[i], 0x80, 0xBF)) return 1;
  }
  return length;
}

}  // namespace

std::size_t CharacterLength(const char* text, std::uint32_t codePage) {
  const auto* at = reinterpret_cast<const unsigned char*>(text);
  if (at[0] == 0) return 0;
  if (codePage == kUtf8CodePage) return Utf8Length(at);
  return IsJapaneseLead(at[0]) && IsJapaneseTrail(at[1]) ? 2 : 1;
}

char32_t Utf8CodePoint(const char* text, std::size_t length) {
  const auto* at = reinterpret_cast<const unsigned char*>(text);
  if (length <= 1) return at[0];
  static constexpr unsigned char kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
  char32_t code = at[0] & kLeadBits[length < 4 ? length : 4];
  for (std::size_t i = 1; i < length && i < 4; ++i) code = code << 6 | (at[i] & 0x3F);
  return code;
}

}  // namespace platform
