#include "logging/narrow_name.h"

#include <climits>
#include <cwchar>

namespace logging {

std::string NarrowName(const wchar_t* name, std::size_t maxUnits, std::size_t maxBytes) {
  std::string text;
  if (name == nullptr) return text;
  std::mbstate_t state{};
  char bytes[MB_LEN_MAX];
  for (std::size_t i = 0; i < maxUnits && name[i] != L'\0'; ++i) {
    const std::size_t length = std::wcrtomb(bytes, name[i], &state);
    const bool convertible = length != static_cast<std::size_t>(-1);
    if (!convertible) state = {};
    const std::size_t size = convertible ? length : 1;
    if (text.size() + size > maxBytes) break;
    text.append(convertible ? bytes : "?", size);
  }
  return text;
}

}  // namespace logging
