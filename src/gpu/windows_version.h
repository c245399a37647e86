// The operating-system test of start-up: the program needs Windows 6.1 or later.
#pragma once

#include <cstdint>

#include "gpu/gpu_slots.h"

namespace gpu {

inline constexpr std::uint32_t kRequiredMajorVersion = 6;
inline constexpr std::uint32_t kRequiredMinorVersion = 1;

// True for version 6.1 or later.
bool IsSupportedWindowsVersion(std::uint32_t major, std::uint32_t minor);

// Sets `osSupported` to 1 when the version passes; leaves it as it was otherwise. Returns
// whether the version passed.
bool ApplyWindowsVersion(SlotTable& table, std::uint32_t major, std::uint32_t minor);

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// The running system's version as GetVersionExA reports it; false when it cannot be read.
// Windows build only.
bool ReadWindowsVersion(WindowsVersion& version);

}  // namespace gpu
