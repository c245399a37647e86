// Tests over the in-process simulator. SimTest loads a scenario from its text or from
// tests/scenarios by name, a scenario that does not load failing the test with the reader's
// message; test suites derive their fixtures from it. Beside it, the scenario reader's answers
// and the simulated driver's GPU list as the tests read them.
// SimVendor is the acquisition code's vendor side over the simulator: the driver-API stub finds
// the simulator as "nvapi64.dll" in the system directory, and the management library's module
// answers by name exactly as the simulator's scenario says (absent functions are not found).
// Beside it, the scenario texts the tests build and the slot table as enumeration leaves it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "gpu/gpu_enumeration.h"
#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "gpu/slot_ordering.h"
#include "gpu/vendor.h"
#include "sim/scenario_parser.h"
#include "sim/sim.h"
#include "sim/sim_host.h"
#include "sim/sim_testing.h"

namespace testing_support {

inline std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// The scenario read from `text`, which must parse.
inline sim::Scenario ParseOk(const std::string& text) {
  sim::Scenario scenario;
  std::string error;
  EXPECT_TRUE(sim::ParseScenario(text, &scenario, &error)) << error;
  return scenario;
}

// The reader's message for `text`, which must not parse: the same whether it reads into a
// scenario or only checks the text.
inline std::string ParseError(const std::string& text) {
  sim::Scenario scenario;
  std::string error, checked;
  EXPECT_FALSE(sim::ParseScenario(text, &scenario, &error)) << text;
  EXPECT_FALSE(sim::ParseScenario(text, nullptr, &checked)) << text;
  EXPECT_EQ(checked, error) << text;
  return error;
}

class SimTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    std::string error;
    ASSERT_TRUE(sim::LoadScenarioText(text, &error)) << error;
  }
  void LoadFile(const char* name) {
    std::string error;
    ASSERT_TRUE(sim::LoadScenarioFile(std::string(QUORVANE_SCENARIO_DIR) + "/" + name, &error))
        << error;
  }
  // The handles the simulated driver lists with `id` (display GPUs unless the compute-only list is
  // asked for); none where the call fails.
  static std::vector<NvPhysicalGpuHandle> SimGpus(std::uint32_t id = nvapi::kIdEnumPhysicalGPUs) {
    NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus] = {};
    std::uint32_t count = 0;
    if (sim::NvapiEntry<nvapi::EnumGpusFn>(id)(handles, &count) != nvapi::kOk) return {};
    return {handles, handles + count};
  }
  // Start-up of the simulated driver API and management library, each of which must succeed.
  static void InitNvapi() {
    ASSERT_EQ(sim::NvapiEntry<nvapi::InitializeFn>(nvapi::kIdInitialize)(), nvapi::kOk);
  }
  static void InitNvml() { ASSERT_EQ(sim::NvmlEntry<nvml::InitFn>(nvml::kInit)(), nvml::kSuccess); }
  // The management library's handle of device `index`, written to `device`.
  static nvmlReturn_t NvmlHandle(std::uint32_t index, nvmlDevice_t* device) {
    return sim::NvmlEntry<nvml::DeviceGetHandleByIndexFn>(nvml::kDeviceGetHandleByIndex)(index,
                                                                                         device);
  }
};

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

// A fresh stub and management library over the simulator, with `scenario` loaded.
class SimVendor {
 public:
  explicit SimVendor(const std::string& scenario,
                     gpu::NvmlLookup lookup = gpu::NvmlLookup::kEveryUse)
      : nvml(system, lookup) {
    std::string error;
    loaded = sim::LoadScenarioText(scenario, &error);
    EXPECT_TRUE(loaded) << error;
    nvml.SetModule(system.LoadLibraryEx(sim::SimSystem::kNvmlPath, 0));
  }

  gpu::Vendor Get() { return gpu::Vendor{stub, nvml, system}; }
  // What start-up does before sampling: the driver API and the management library initialised.
  void Start() {
    EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
    if (const auto init = nvml.Find<nvml::InitFn>(nvml::kInit)) init();
  }

  sim::SimSystem system;
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
