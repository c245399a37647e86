#include <sys/types.h>
#include <unistd.h>

#include "platform/truncate_file.h"

namespace platform {

std::int64_t FilePosition(std::FILE* file) {
  return static_cast<std::int64_t>(ftello(file));
}

bool TruncateFile(const char* path, std::uint64_t length) {
  return truncate(path, static_cast<off_t>(length)) == 0;
}

}  // namespace platform
