// Fuzz target for the scenario reader: any text gives a scenario or a message, never a crash;
// a scenario that is accepted is installed and queried once through both libraries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "sim/scenario_parser.h"
#include "sim/sim.h"
#include "sim/sim_testing.h"

namespace {

void QueryOnce() {
  auto init = sim::NvapiEntry<nvapi::InitializeFn>(nvapi::kIdInitialize);
  auto enumerate = sim::NvapiEntry<nvapi::EnumGpusFn>(nvapi::kIdEnumPhysicalGPUs);
  auto name = sim::NvapiEntry<nvapi::GetFullNameFn>(nvapi::kIdGetFullName);
  if (init == nullptr || enumerate == nullptr || name == nullptr || init() != nvapi::kOk) return;
  NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus] = {};
  std::uint32_t count = 0;
  if (enumerate(handles, &count) != nvapi::kOk) return;
  char text[nvapi::kShortStringSize];
  for (std::uint32_t i = 0; i < count; ++i) name(handles[i], text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  sim::Scenario scenario;
  if (!sim::ParseScenario(text, &scenario, &error)) return 0;
  if (sim::TakesTime(scenario)) return 0;  // waiting calls would only slow the fuzzer down
  if (sim::LoadScenarioText(text, &error)) QueryOnce();
  return 0;
}
