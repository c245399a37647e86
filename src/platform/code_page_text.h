// Text in the system's ANSI code page, read one character at a time. Two code pages are read:
// 932, the Japanese code page, where a lead byte and a trail byte make one double-byte character
// (the trail byte can be 0x40 "@" or 0x5C "\"), and 65001, UTF-8. Any other code page is read as
// 932, the program's own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kJapaneseCodePage = 932;
inline constexpr std::uint32_t kUtf8CodePage = 65001;

// Bytes of the character that starts at `text`, 0 at the terminating NUL: 1 or 2 in code page
// 932; 1 to 4 in UTF-8, where a byte that begins no well-formed sequence (a stray continuation
// byte, an overlong form, a surrogate, a cut sequence) is a character of its own.
std::size_t CharacterLength(const char* text, std::uint32_t codePage);

// The code point of the well-formed UTF-8 sequence of `length` bytes at `text`, as
// CharacterLength measured it.
char32_t Utf8CodePoint(const char* text, std::size_t length);

}  // namespace platform
