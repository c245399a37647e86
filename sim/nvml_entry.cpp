// The in-process stand-in for GetProcAddress on nvml.dll.
#include <array>

#include "entry_address.h"
#include "nvml_functions.h"
#include "sim.h"
#include "state.h"

namespace sim {
namespace {

constexpr std::size_t kNvmlCount = kFunctionCount - Index(Fn::kNvmlInit);

const std::array<Entry, kNvmlCount>& Entries() {
  static const std::array<Entry, kNvmlCount> entries{{
      {Fn::kNvmlInit, Address(&nvmlInit)},
      {Fn::kNvmlDeviceGetHandleByIndex, Address(&nvmlDeviceGetHandleByIndex)},
      {Fn::kNvmlDeviceGetClockInfo, Address(&nvmlDeviceGetClockInfo)},
      {Fn::kNvmlDeviceGetUtilizationRates, Address(&nvmlDeviceGetUtilizationRates)},
      {Fn::kNvmlDeviceGetMemoryInfo, Address(&nvmlDeviceGetMemoryInfo)},
      {Fn::kNvmlDeviceGetTemperature, Address(&nvmlDeviceGetTemperature)},
      {Fn::kNvmlDeviceGetPowerUsage, Address(&nvmlDeviceGetPowerUsage)},
      {Fn::kNvmlDeviceGetPowerManagementLimit, Address(&nvmlDeviceGetPowerManagementLimit)},
      {Fn::kNvmlDeviceGetDriverModel, Address(&nvmlDeviceGetDriverModel)},
      {Fn::kNvmlDeviceGetFanSpeed, Address(&nvmlDeviceGetFanSpeed)},
      {Fn::kNvmlUnitGetHandleByIndex, Address(&nvmlUnitGetHandleByIndex)},
      {Fn::kNvmlUnitGetFanSpeedInfo, Address(&nvmlUnitGetFanSpeedInfo)},
      {Fn::kNvmlDeviceGetMaxPcieLinkWidth, Address(&nvmlDeviceGetMaxPcieLinkWidth)},
      {Fn::kNvmlDeviceGetMaxPcieLinkGeneration, Address(&nvmlDeviceGetMaxPcieLinkGeneration)},
  }};
  return entries;
}

}  // namespace

void* NvmlFunction(const char* name) {
  try {
    if (name == nullptr) return nullptr;
    const std::optional<Fn> fn = NvmlFunctionByName(name);
    if (!fn) return nullptr;
    std::lock_guard<std::mutex> lock(StateMutex());
    const Scenario& scenario = LockedState().scenario;
    if (scenario.nvmlMissing || scenario.absent[Index(*fn)]) return nullptr;
    return Entries()[Index(*fn) - Index(Fn::kNvmlInit)].function;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace sim
