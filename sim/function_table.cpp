#include "function_table.h"

#include <array>
#include <charconv>

#include "gpu/nvapi_abi.h"

namespace sim {
namespace {

// Functions without a public name get a short alias that scenario files use.
constexpr std::array<FunctionInfo, kFunctionCount> kFunctions{{
    {Fn::kInitialize, false, nvapi::kIdInitialize, "NvAPI_Initialize", false},
    {Fn::kPreCallHook, false, nvapi::kIdPreCallHook, "pre-call-hook", false},
    {Fn::kPostCallHook, false, nvapi::kIdPostCallHook, "post-call-hook", false},
    {Fn::kUnloadPreferred, false, nvapi::kIdUnloadPreferred, "unload-preferred", false},
    {Fn::kUnload, false, nvapi::kIdUnload, "NvAPI_Unload", false},
    {Fn::kEnumPhysicalGpus, false, nvapi::kIdEnumPhysicalGPUs, "NvAPI_EnumPhysicalGPUs", false},
    {Fn::kEnumTccPhysicalGpus, false, nvapi::kIdEnumTCCPhysicalGPUs, "NvAPI_EnumTCCPhysicalGPUs",
     false},
    {Fn::kGetBusId, false, nvapi::kIdGetBusId, "NvAPI_GPU_GetBusId", true},
    {Fn::kGetFullName, false, nvapi::kIdGetFullName, "NvAPI_GPU_GetFullName", true},
    {Fn::kGetPciIdentifiers, false, nvapi::kIdGetPCIIdentifiers, "NvAPI_GPU_GetPCIIdentifiers",
     true},
    {Fn::kGetGpuCoreCount, false, nvapi::kIdGetGpuCoreCount, "NvAPI_GPU_GetGpuCoreCount", true},
    {Fn::kGetCoreCounts, false, nvapi::kIdGetCoreCounts, "core-counts", true},
    {Fn::kGetConnectedDisplayIds, false, nvapi::kIdGetConnectedDisplayIds,
     "NvAPI_GPU_GetConnectedDisplayIds", true},
    {Fn::kGetDisplayId, false, nvapi::kIdGetDisplayId, "display-id", false},
    {Fn::kGetAllClockFrequencies, false, nvapi::kIdGetAllClockFrequencies,
     "NvAPI_GPU_GetAllClockFrequencies", true},
    {Fn::kGetPstates20, false, nvapi::kIdGetPstates20, "NvAPI_GPU_GetPstates20", true},
    {Fn::kGetCurrentPstate, false, nvapi::kIdGetCurrentPstate, "NvAPI_GPU_GetCurrentPstate", true},
    {Fn::kGetDynamicPstatesInfoEx, false, nvapi::kIdGetDynamicPstatesInfoEx,
     "NvAPI_GPU_GetDynamicPstatesInfoEx", true},
    {Fn::kGetThermalSettings, false, nvapi::kIdGetThermalSettings, "NvAPI_GPU_GetThermalSettings",
     true},
    {Fn::kGetMemoryInfo, false, nvapi::kIdGetMemoryInfo, "NvAPI_GPU_GetMemoryInfo", true},
    {Fn::kGetPhysicalFrameBufferSize, false, nvapi::kIdGetPhysicalFrameBufferSize,
     "NvAPI_GPU_GetPhysicalFrameBufferSize", true},
    {Fn::kGetCoolerSettings, false, nvapi::kIdGetCoolerSettings, "cooler", true},
    {Fn::kGetFanCoolerStatus, false, nvapi::kIdGetFanCoolerStatus, "fan-cooler-status", true},
    {Fn::kGetCoreVoltage, false, nvapi::kIdGetCoreVoltage, "core-voltage", true},
    {Fn::kGetUsages, false, nvapi::kIdGetUsages, "usages", true},
    {Fn::kNvmlInit, true, 0, "nvmlInit", false},
    {Fn::kNvmlDeviceGetHandleByIndex, true, 0, "nvmlDeviceGetHandleByIndex", true},
    {Fn::kNvmlDeviceGetClockInfo, true, 0, "nvmlDeviceGetClockInfo", true},
    {Fn::kNvmlDeviceGetUtilizationRates, true, 0, "nvmlDeviceGetUtilizationRates", true},
    {Fn::kNvmlDeviceGetMemoryInfo, true, 0, "nvmlDeviceGetMemoryInfo", true},
    {Fn::kNvmlDeviceGetTemperature, true, 0, "nvmlDeviceGetTemperature", true},
    {Fn::kNvmlDeviceGetPowerUsage, true, 0, "nvmlDeviceGetPowerUsage", true},
    {Fn::kNvmlDeviceGetPowerManagementLimit, true, 0, "nvmlDeviceGetPowerManagementLimit", true},
    {Fn::kNvmlDeviceGetDriverModel, true, 0, "nvmlDeviceGetDriverModel", true},
    {Fn::kNvmlDeviceGetFanSpeed, true, 0, "nvmlDeviceGetFanSpeed", true},
    {Fn::kNvmlUnitGetHandleByIndex, true, 0, "nvmlUnitGetHandleByIndex", true},
    {Fn::kNvmlUnitGetFanSpeedInfo, true, 0, "nvmlUnitGetFanSpeedInfo", true},
    {Fn::kNvmlDeviceGetMaxPcieLinkWidth, true, 0, "nvmlDeviceGetMaxPcieLinkWidth", true},
    {Fn::kNvmlDeviceGetMaxPcieLinkGeneration, true, 0, "nvmlDeviceGetMaxPcieLinkGeneration", true},
}};

constexpr bool TableInOrder() {
  for (std::size_t i = 0; i < kFunctionCount; ++i) {
    if (Index(kFunctions[i].fn) != i) return false;
  }
  return true;
}
static_assert(TableInOrder(), "kFunctions must list every Fn in declaration order");

std::optional<std::uint32_t> ParseHexId(std::string_view text) {
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return {};
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data() + 2, end, value, 16);
  if (ec != std::errc() || ptr != end) return {};
  return value;
}

}  // namespace

const FunctionInfo& Function(Fn fn) {
  return kFunctions[Index(fn)];
}

std::optional<Fn> NvapiFunctionById(std::uint32_t id) {
  for (const FunctionInfo& info : kFunctions) {
    if (!info.nvml && info.id == id) return info.fn;
  }
  return {};
}

std::optional<Fn> NvmlFunctionByName(std::string_view name) {
  for (const FunctionInfo& info : kFunctions) {
    if (info.nvml && info.name == name) return info.fn;
  }
  return {};
}

std::optional<Fn> FunctionByTarget(std::string_view target) {
  if (std::optional<std::uint32_t> id = ParseHexId(target)) return NvapiFunctionById(*id);
  for (const FunctionInfo& info : kFunctions) {
    if (info.name == target) return info.fn;
  }
  return {};
}

}  // namespace sim
