// A chosen file name in UTF-8, for a system whose ANSI code page is UTF-8 (65001). The system's
// own conversion takes neither a lossy-character report nor the no-best-fit flag for that code
// page, so the name is encoded here: every character is kept, and a name that is not valid
// UTF-16 (a lone surrogate) or does not fit the path buffer is refused.
#pragma once

#include <cstddef>

#include "platform/code_page_text.h"

namespace app {

inline constexpr unsigned kUtf8CodePage = platform::kUtf8CodePage;

// `wide` is NUL-terminated; `out` receives the NUL-terminated UTF-8 text of `outSize` bytes at
// most. False, with `out` untouched, when the name is refused.
bool WideToUtf8Path(const char16_t* wide, char* out, std::size_t outSize);

}  // namespace app
