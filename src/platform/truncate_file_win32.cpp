#include <io.h>

#include "platform/truncate_file.h"

namespace platform {

std::int64_t FilePosition(std::FILE* file) {
  return _ftelli64(file);
}

bool TruncateStream(std::FILE* file, std::uint64_t length) {
  return _chsize_s(_fileno(file), static_cast<long long>(length)) == 0;
}

}  // namespace platform
