// A GPU name as the log writes it: the wide name converted character by character into the
// runtime library's current multibyte code page; a character that code page lacks becomes '?'.
#pragma once

#include <string>

namespace logging {

// At most `maxUnits` wide characters are read, and the text stops before a character that would
// take it beyond `maxBytes`; a null name gives an empty text.
std::string NarrowName(const wchar_t* name, std::size_t maxUnits,
                       std::size_t maxBytes = static_cast<std::size_t>(-1));

}  // namespace logging
