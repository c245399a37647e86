// Any bytes as a screenshot path, handed over as the C string they make (cut at the first NUL):
// the check never reads past the terminator and answers, in each code page, as a plain reading
// of the text does. In code page 932 a lead byte with a trail byte after it is one character,
// white space only as 0x81 0x40; every other byte is a character of its own, white space when
// the "C" locale's isspace says so (a blank, \t, \n, \v, \f, \r). In UTF-8 the C library's
// decoder reads each character (a byte it cannot decode is a character of its own), and white
// space is what its wide classification says, with the no-break spaces and U+0085 added.
#include <cctype>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "platform/code_page_text.h"
#include "screenshot/path_check.h"

namespace {

bool ReadsWhiteSpace932(const unsigned char* path, std::size_t length) {
  std::size_t j = 0;
  while (j < length) {
    const unsigned lead = path[j];
    const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const unsigned trail = j + 1 < length ? path[j + 1] : 0;
    if (isLead && trail >= 0x40 && trail <= 0xFC && trail != 0x7F) {
      if (lead == 0x81 && trail == 0x40) return true;
      j += 2;
    } else {
      if (std::isspace(static_cast<int>(lead))) return true;
      j += 1;
    }
  }
  return false;
}

bool ReadsWhiteSpaceUtf8(const char* path, std::size_t length) {
  static const bool utf8 = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
  if (!utf8) __builtin_trap();
  std::size_t j = 0;
  while (j < length) {
    std::mbstate_t state{};
    wchar_t c = 0;
    const std::size_t read = std::mbrtowc(&c, path + j, length - j, &state);
    if (read == 0 || read > 4) {  // undecodable or cut: the byte alone
      if (std::isspace(static_cast<unsigned char>(path[j]))) return true;
      j += 1;
      continue;
    }
    if (std::iswspace(static_cast<wint_t>(c)) || c == 0x85 || c == 0xA0 || c == 0x2007 ||
        c == 0x202F) {
      return true;
    }
    j += read;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> path(data, data + size);  // exactly the bytes and one NUL
  path.push_back('\0');
  const auto* bytes = reinterpret_cast<const unsigned char*>(path.data());
  const std::size_t length = std::strlen(path.data());
  if (screenshot::PathHasWhiteSpace(path.data(), platform::kJapaneseCodePage) !=
      ReadsWhiteSpace932(bytes, length)) {
    __builtin_trap();
  }
  if (screenshot::PathHasWhiteSpace(path.data(), platform::kUtf8CodePage) !=
      ReadsWhiteSpaceUtf8(path.data(), length)) {
    __builtin_trap();
  }
  return 0;
}
