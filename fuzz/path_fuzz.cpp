// Any bytes as a screenshot path, handed over as the C string they make (cut at the first NUL):
// the check never reads past the terminator and answers as a plain reading of code page 932
// text does. A lead byte with a trail byte after it is one character, white space only as
// 0x81 0x40; every other byte is a character of its own, white space when the "C" locale's
// isspace says so (a blank, \t, \n, \v, \f, \r).
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "screenshot/path_check.h"

namespace {

bool ReadsWhiteSpace(const unsigned char* path, std::size_t length) {
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> path(data, data + size);  // exactly the bytes and one NUL
  path.push_back('\0');
  const auto* bytes = reinterpret_cast<const unsigned char*>(path.data());
  const bool expected = ReadsWhiteSpace(bytes, std::strlen(path.data()));
  if (screenshot::PathHasWhiteSpace(path.data()) != expected) __builtin_trap();
  return 0;
}
