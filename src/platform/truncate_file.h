// File operations the runtime library leaves to the system: the position of a stream as a
// 64-bit number, and cutting an open stream's file to a length.
#pragma once

#include <cstdint>
#include <cstdio>

namespace platform {

// The stream's position, or -1.
std::int64_t FilePosition(std::FILE* file);
// Cuts the file open as `file` (unbuffered) to `length` bytes; false when it cannot.
bool TruncateStream(std::FILE* file, std::uint64_t length);

}  // namespace platform
