// The screenshot's path must hold no white space: a blank, a tab, a line break or another
// white-space character such as the ideographic space. The path is text of the system's ANSI
// code page (932 or UTF-8); each character is classified once, as the one character it is, so
// the second byte of a double-byte character or of a UTF-8 sequence is never read as a
// character of its own. The picture must also find room for the name it is written under first.
#pragma once

#include <cstdint>

namespace screenshot {

inline constexpr const wchar_t* kPathHasSpaceText = L"パスに空白を含まないで下さい";

bool PathHasWhiteSpace(const char* path, std::uint32_t codePage);

// The message that refuses a request for `path` before it waits, or null when the request may
// go on: a path with white space is refused with kPathHasSpaceText; a path beside which no
// picture can be written (no file name, or no room for the name written first) with the
// message of a picture that cannot be saved.
const wchar_t* PathRefusal(const char* path, std::uint32_t codePage);

}  // namespace screenshot
