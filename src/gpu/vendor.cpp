#include "gpu/vendor.h"

namespace gpu {

Vendor& ProcessVendor() {
  static NvmlLibrary nvml(platform::HostSystem());
  static Vendor vendor{ProcessNvapiStub(), nvml, platform::HostSystem()};
  return vendor;
}

}  // namespace gpu
