#include "screenshot/path_check.h"

#include <cstddef>

#include "gpu/checkbox_texts.h"
#include "platform/code_page_text.h"
#include "platform/replacing_file.h"

namespace screenshot {
namespace {

// The white space of one byte: tab, line feed, vertical tab, form feed, carriage return, blank.
bool IsSpaceByte(unsigned char byte) {
  return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The white space of Unicode beyond ASCII: next line, the no-break space, the Ogham space mark,
// the typographic spaces, the line and paragraph separators, the narrow no-break space, the
// medium mathematical space and the ideographic space.
bool IsWideSpace(char32_t code) {
  return code == 0x85 || code == 0xA0 || code == 0x1680 || (code >= 0x2000 && code <= 0x200A) ||
         code == 0x2028 || code == 0x2029 || code == 0x202F || code == 0x205F || code == 0x3000;
}

bool IsSpaceCharacter(const char* at, std::size_t length, std::uint32_t codePage) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(at);
  if (length == 1) return IsSpaceByte(bytes[0]);
  if (codePage == platform::kUtf8CodePage) return IsWideSpace(platform::Utf8CodePoint(at, length));
  // 0x81 0x40 is the ideographic space U+3000, the one white-space character of the double-byte
  // range of code page 932.
  return bytes[0] == 0x81 && bytes[1] == 0x40;
}

}  // namespace

bool PathHasWhiteSpace(const char* path, std::uint32_t codePage) {
  for (std::size_t length = 0; (length = platform::CharacterLength(path, codePage)) != 0;
       path += length) {
    if (IsSpaceCharacter(path, length, codePage)) return true;
  }
  return false;
}

const wchar_t* PathRefusal(const char* path, std::uint32_t codePage) {
  if (PathHasWhiteSpace(path, codePage)) return kPathHasSpaceText;
  char temporary[platform::kPathSize];
  if (!platform::TemporaryNameFor(path, 0, codePage, temporary)) {
    return gpu::kBmpNotSavedText;
  }
  return nullptr;
}

}  // namespace screenshot
