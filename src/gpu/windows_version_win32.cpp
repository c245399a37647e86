// The version read of the operating-system test, through GetVersionExA as the program has
// always done it (without a compatibility manifest newer systems report 6.2, which passes).
#include <windows.h>

#include "gpu/windows_version.h"

namespace gpu {

static_assert(sizeof(OSVERSIONINFOA) == 148);

bool ReadWindowsVersion(WindowsVersion& version) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (GetVersionExA(&info) == 0) return false;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  return true;
}

}  // namespace gpu
