// The acquisition code's vendor side over the in-process simulator: the driver-API stub finds
// the simulator as "nvapi64.dll" in the system directory, and the management library's module
// answers by name exactly as the simulator's scenario says (absent functions are not found).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gpu/vendor.h"
#include "sim/sim_host.h"

namespace testing_support {

using sim::SimSystem;

// A fresh stub and management library over the simulator, with `scenario` loaded.
class SimVendor {
 public:
  explicit SimVendor(const std::string& scenario,
                     gpu::NvmlLookup lookup = gpu::NvmlLookup::kEveryUse)
      : nvml(system, lookup) {
    std::string error;
    loaded = sim::LoadScenarioText(scenario, &error);
    EXPECT_TRUE(loaded) << error;
    nvml.SetModule(system.LoadLibraryEx(SimSystem::kNvmlPath, 0));
  }

  gpu::Vendor Get() { return gpu::Vendor{stub, nvml, system}; }

  // What start-up does before sampling: the driver API and the management library initialised.
  void Start() {
    EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
    if (const auto init = nvml.Find<nvml::InitFn>(nvml::kInit)) init();
  }

  SimSystem system;
  gpu::NvapiStub stub{system};
  gpu::NvmlLibrary nvml;
  bool loaded = false;
};

}  // namespace testing_support
