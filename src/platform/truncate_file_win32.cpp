#include <io.h>

#include "platform/truncate_file.h"

namespace platform {

std::int64_t FilePosition(std::FILE* file) {
  return _ftelli64(file);
}

bool TruncateFile(const char* path, std::uint64_t length) {
  std::FILE* file = std::fopen(path, "r+b");
  if (file == nullptr) return false;
  const bool cut = _chsize_s(_fileno(file), static_cast<long long>(length)) == 0;
  return std::fclose(file) == 0 && cut;
}

}  // namespace platform
