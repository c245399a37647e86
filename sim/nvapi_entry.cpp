// nvapi_QueryInterface: interface id -> function, or null for ids the driver does not provide.
#include <array>

#include "entry_address.h"
#include "nvapi_functions.h"
#include "sim.h"
#include "state.h"

namespace sim {
namespace {

const std::array<Entry, Index(Fn::kNvmlInit)>& Entries() {
  static const std::array<Entry, Index(Fn::kNvmlInit)> entries{{
      {Fn::kInitialize, Address(&NvAPI_Initialize)},
      {Fn::kPreCallHook, Address(&PreCallHook)},
      {Fn::kPostCallHook, Address(&PostCallHook)},
      {Fn::kUnloadPreferred, Address(&UnloadPreferred)},
      {Fn::kUnload, Address(&NvAPI_Unload)},
      {Fn::kEnumPhysicalGpus, Address(&NvAPI_EnumPhysicalGPUs)},
      {Fn::kEnumTccPhysicalGpus, Address(&NvAPI_EnumTCCPhysicalGPUs)},
      {Fn::kGetBusId, Address(&NvAPI_GPU_GetBusId)},
      {Fn::kGetFullName, Address(&NvAPI_GPU_GetFullName)},
      {Fn::kGetPciIdentifiers, Address(&NvAPI_GPU_GetPCIIdentifiers)},
      {Fn::kGetGpuCoreCount, Address(&NvAPI_GPU_GetGpuCoreCount)},
      {Fn::kGetCoreCounts, Address(&GetCoreCounts)},
      {Fn::kGetConnectedDisplayIds, Address(&NvAPI_GPU_GetConnectedDisplayIds)},
      {Fn::kGetDisplayId, Address(&GetDisplayId)},
      {Fn::kGetAllClockFrequencies, Address(&NvAPI_GPU_GetAllClockFrequencies)},
      {Fn::kGetPstates20, Address(&NvAPI_GPU_GetPstates20)},
      {Fn::kGetCurrentPstate, Address(&NvAPI_GPU_GetCurrentPstate)},
      {Fn::kGetDynamicPstatesInfoEx, Address(&NvAPI_GPU_GetDynamicPstatesInfoEx)},
      {Fn::kGetThermalSettings, Address(&NvAPI_GPU_GetThermalSettings)},
      {Fn::kGetMemoryInfo, Address(&NvAPI_GPU_GetMemoryInfo)},
      {Fn::kGetPhysicalFrameBufferSize, Address(&NvAPI_GPU_GetPhysicalFrameBufferSize)},
      {Fn::kGetCoolerSettings, Address(&GetCoolerSettings)},
      {Fn::kGetFanCoolerStatus, Address(&GetFanCoolerStatus)},
      {Fn::kGetCoreVoltage, Address(&GetCoreVoltage)},
      {Fn::kGetUsages, Address(&GetUsages)},
  }};
  return entries;
}

bool Provided(const Scenario& scenario, Fn fn) {
  if (scenario.nvapiMissing || scenario.absent[Index(fn)]) return false;
  if (fn == Fn::kPreCallHook) return scenario.preCallHook;
  if (fn == Fn::kPostCallHook) return scenario.postCallHook;
  return true;
}

}  // namespace

}  // namespace sim

extern "C" void* SimNvapiQueryInterface(std::uint32_t id) {
  if (id == sim::kGpuCycleId) return reinterpret_cast<void*>(&sim::GpuCycle);
  try {
    const std::optional<sim::Fn> fn = sim::NvapiFunctionById(id);
    if (!fn) return nullptr;
    std::lock_guard<std::mutex> lock(sim::StateMutex());
    if (!sim::Provided(sim::LockedState().scenario, *fn)) return nullptr;
    return sim::Entries()[sim::Index(*fn)].function;
  } catch (...) {
    return nullptr;
  }
}
