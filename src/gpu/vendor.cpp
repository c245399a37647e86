#include "gpu/vendor.h"

#include "platform/lasting.h"

namespace gpu {

Vendor& ProcessVendor() {
  // Used by the sampling thread until the process is gone.
  static platform::Lasting<NvmlLibrary> nvml(platform::HostSystem());
  static platform::Lasting<Vendor> vendor(
      Vendor{ProcessNvapiStub(), nvml.Get(), platform::HostSystem()});
  return vendor.Get();
}

}  // namespace gpu
