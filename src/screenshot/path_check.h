// The screenshot's path must hold no white space: a blank, a tab, a line break or another
// white-space character such as the ideographic space. The path is text of the system's ANSI
// code page (932 or UTF-8); each character is classified once, as the one character it is, so
// the second byte of a double-byte character or of a UTF-8 sequence is never read as a
// character of its own.
#pragma once

#include <cstdint>

namespace screenshot {

inline constexpr const wchar_t* kPathHasSpaceText = L"パスに空白を含まないで下さい";

bool PathHasWhiteSpace(const char* path, std::uint32_t codePage);

}  // namespace screenshot
