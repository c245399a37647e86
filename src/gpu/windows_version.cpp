#include "gpu/windows_version.h"

namespace gpu {

bool IsSupportedWindowsVersion(std::uint32_t major, std::uint32_t minor) {
  if (major != kRequiredMajorVersion) return major > kRequiredMajorVersion;
  return minor >= kRequiredMinorVersion;
}

bool ApplyWindowsVersion(SlotTable& table, std::uint32_t major, std::uint32_t minor) {
  if (!IsSupportedWindowsVersion(major, minor)) return false;
  table.osSupported.Store(1);
  return true;
}

}  // namespace gpu
