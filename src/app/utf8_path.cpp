#include "app/utf8_path.h"

#include <cstdint>
#include <string>

namespace app {
namespace {

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void Append(std::string& text, char32_t c) {
  const auto put = [&](std::uint32_t byte) { text.push_back(static_cast<char>(byte)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6);
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12);
    put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18);
    put(0x80 | (c >> 12 & 0x3F));
    put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool WideToUtf8Path(const char16_t* wide, char* out, std::size_t outSize) {
  std::string text;
  for (const char16_t* at = wide; *at != u'\0'; ++at) {
    char32_t c = *at;
    if (IsLowSurrogate(c)) return false;
    if (IsHighSurrogate(c)) {
      if (!IsLowSurrogate(at[1])) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (at[1] - 0xDC00);
      ++at;
    }
    Append(text, c);
    if (text.size() >= outSize) return false;  // no room for the terminating NUL
  }
  text.copy(out, text.size());
  out[text.size()] = '\0';
  return true;
}

}  // namespace app
