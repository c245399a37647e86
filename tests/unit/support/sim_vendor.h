// The acquisition code's vendor side over the in-process simulator: the driver-API stub finds
// the simulator as "nvapi64.dll" in the system directory, and the management library's module
// answers by name exactly as the simulator's scenario says (absent functions are not found).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "gpu/vendor.h"
#include "sim/sim_host.h"

namespace testing_support {

// Scenario texts: one GPU per text, each text the lines inside its block; or one GPU with these
// lines, then `rest` (failures, functions left absent).
inline std::string Gpus(std::initializer_list<std::string> blocks) {
  std::string scenario;
  for (const std::string& lines : blocks) scenario += "gpu\n" + lines + "end\n";
  return scenario;
}
inline std::string OneGpu(std::initializer_list<const char*> lines, const std::string& rest = "") {
  std::string block;
  for (const char* line : lines) block += std::string("  ") + line + "\n";
  return Gpus({block}) + rest;
}

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

// Puts the GPUs the driver enumerates (display ones, then compute-only ones) into the slots of
// their positions, as discovery does for GPUs already in bus order; returns how many slots.
inline int PlaceEnumeratedGpus(SimVendor& vendor, gpu::SlotTable& table) {
  std::uint32_t count = 0, tcc = 0;
  NvPhysicalGpuHandle tccHandles[nvapi::kMaxPhysicalGpus] = {};
  if (vendor.stub.NvAPI_EnumPhysicalGPUs(table.gpuHandles.data(), &count) != nvapi::kOk) count = 0;
  if (vendor.stub.NvAPI_EnumTCCPhysicalGPUs(tccHandles, &tcc) != nvapi::kOk) tcc = 0;
  for (std::uint32_t i = 0; i < tcc && count < nvapi::kMaxPhysicalGpus; ++i) {
    table.gpuHandles[count++] = tccHandles[i];
  }
  const int slots = static_cast<int>(count < gpu::kMaxGpus ? count : gpu::kMaxGpus);
  table.gpuCount.Store(slots);
  for (int i = 0; i < slots; ++i) {
    table.slots[static_cast<std::size_t>(i)].handleIndex.Store(static_cast<std::uint32_t>(i));
  }
  return slots;
}

}  // namespace testing_support
