#include <sys/types.h>
#include <unistd.h>

#include "platform/truncate_file.h"

namespace platform {

std::int64_t FilePosition(std::FILE* file) {
  return static_cast<std::int64_t>(ftello(file));
}

bool TruncateStream(std::FILE* file, std::uint64_t length) {
  return ftruncate(fileno(file), static_cast<off_t>(length)) == 0;
}

}  // namespace platform
