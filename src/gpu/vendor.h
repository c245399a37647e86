// What the acquisition code talks to: the driver API through its stub, the management library
// through its module, and the system for pauses. The program passes the process's own; tests
// pass ones over the in-process simulator.
#pragma once

#include "gpu/nvapi_stub.h"
#include "gpu/nvml_library.h"
#include "platform/system_api.h"

namespace gpu {

struct Vendor {
  NvapiStub& nvapi;
  NvmlLibrary& nvml;
  platform::SystemApi& system;
};

// The process's own: its stub, its management library, the host system.
Vendor& ProcessVendor();

}  // namespace gpu
