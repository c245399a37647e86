// The screenshot's path must hold no white space: a blank, a tab, a line break or the
// ideographic space. The path is code page 932 text; each character is classified once, a
// double-byte character as the one character it is.
#pragma once

namespace screenshot {

inline constexpr const wchar_t* kPathHasSpaceText = L"パスに空白を含まないで下さい";

bool PathHasWhiteSpace(const char* path);

}  // namespace screenshot
