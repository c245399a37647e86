// Every vendor entry the simulator answers, NVAPI interface ids and NVML export names in one
// table, so that counters, scripted failures and delays can address any of them by one index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sim {

enum class Fn : std::uint8_t {
  // NVAPI, reached through nvapi_QueryInterface.
  kInitialize,
  kPreCallHook,
  kPostCallHook,
  kUnloadPreferred,
  kUnload,
  kEnumPhysicalGpus,
  kEnumTccPhysicalGpus,
  kGetBusId,
  kGetFullName,
  kGetPciIdentifiers,
  kGetGpuCoreCount,
  kGetCoreCounts,
  kGetConnectedDisplayIds,
  kGetDisplayId,
  kGetAllClockFrequencies,
  kGetPstates20,
  kGetCurrentPstate,
  kGetDynamicPstatesInfoEx,
  kGetThermalSettings,
  kGetMemoryInfo,
  kGetPhysicalFrameBufferSize,
  kGetCoolerSettings,
  kGetFanCoolerStatus,
  kGetCoreVoltage,
  kGetUsages,
  // NVML, looked up by export name.
  kNvmlInit,
  kNvmlDeviceGetHandleByIndex,
  kNvmlDeviceGetClockInfo,
  kNvmlDeviceGetUtilizationRates,
  kNvmlDeviceGetMemoryInfo,
  kNvmlDeviceGetTemperature,
  kNvmlDeviceGetPowerUsage,
  kNvmlDeviceGetPowerManagementLimit,
  kNvmlDeviceGetDriverModel,
  kNvmlDeviceGetFanSpeed,
  kNvmlUnitGetHandleByIndex,
  kNvmlUnitGetFanSpeedInfo,
  kNvmlDeviceGetMaxPcieLinkWidth,
  kNvmlDeviceGetMaxPcieLinkGeneration,
  kCount
};

inline constexpr std::size_t kFunctionCount = static_cast<std::size_t>(Fn::kCount);

struct FunctionInfo {
  Fn fn;
  bool nvml;
  std::uint32_t id;       // NVAPI interface id; 0 for NVML
  std::string_view name;  // the name scenario files use
  bool perGpu;            // the call names one GPU (handle, device, unit or index)
};

const FunctionInfo& Function(Fn fn);
constexpr std::size_t Index(Fn fn) {
  return static_cast<std::size_t>(fn);
}

std::optional<Fn> NvapiFunctionById(std::uint32_t id);
std::optional<Fn> NvmlFunctionByName(std::string_view name);
// A scenario target: an NVAPI id in hex, an NVAPI name or alias, or an NVML export name.
std::optional<Fn> FunctionByTarget(std::string_view target);

}  // namespace sim
