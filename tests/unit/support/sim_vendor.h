// The acquisition code's vendor side over the in-process simulator: the driver-API stub finds
// the simulator as "nvapi64.dll" in the system directory, and the management library's module
// answers by name exactly as the simulator's scenario says (absent functions are not found).
// Beside it, the scenario texts the tests build and the slot table as enumeration leaves it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "gpu/gpu_enumeration.h"
#include "gpu/slot_ordering.h"
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

// GPUs on these buses in this enumeration order, each named "Bus N".
inline std::string GpusOnBuses(std::initializer_list<int> buses) {
  std::string scenario;
  for (int bus : buses) {
    const std::string n = std::to_string(bus);
    scenario += Gpus({"  name Bus " + n + "\n  bus " + n + "\n"});
  }
  return scenario;
}

// The slot table after enumeration and, unless told otherwise, ordering by bus.
inline std::unique_ptr<gpu::SlotTable> EnumeratedTable(gpu::Vendor vendor, bool ordered = true) {
  auto table = std::make_unique<gpu::SlotTable>();
  EXPECT_EQ(gpu::EnumerateGpus(vendor, *table), nvapi::kOk);
  if (ordered) gpu::OrderSlotsByBus(vendor, *table);
  return table;
}

// A scenario over the simulator, its slot table enumerated and ordered by bus.
struct OrderedScenario {
  explicit OrderedScenario(const std::string& scenario) : sim(scenario) {}
  SimVendor sim;
  gpu::Vendor vendor = sim.Get();
  std::unique_ptr<gpu::SlotTable> table = EnumeratedTable(vendor);
};

}  // namespace testing_support
