// What the acquisition code talks to: the driver API through its stub, the management library
// through its module, and the system for pauses. The program passes the process's own; tests
// pass ones over the in-process simulator.
#pragma once

#include "gpu/nvapi_stub.h"
#include "gpu/nvml_library.h"
#include "platform/lasting.h"
#include "platform/system_api.h"

namespace gpu {

struct Vendor {
  NvapiStub& nvapi;
  NvmlLibrary& nvml;
  platform::SystemApi& system;
};

// The process's own: its stub, its management library, the host system. Used by the sampling
// thread until the process is gone.
inline Vendor& ProcessVendor() {
  static platform::Lasting<NvmlLibrary> nvml(platform::HostSystem());
  static platform::Lasting<Vendor> vendor(
      Vendor{ProcessNvapiStub(), nvml.Get(), platform::HostSystem()});
  return vendor.Get();
}

}  // namespace gpu
