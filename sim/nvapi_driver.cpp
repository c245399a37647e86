// Driver-wide NVAPI calls: initialise, unload, the call hooks, enumeration, the display-id query.
#include "call_gate.h"
#include "handles.h"
#include "no_throw.h"
#include "nvapi_functions.h"

namespace sim {
namespace {

using nvapi::kError;

NvAPI_Status Uninitialize(Fn fn) {
  CallGate gate(fn);
  if (gate.Status() != nvapi::kOk) return gate.Status();
  gate.State().nvapiInitialized = false;
  return nvapi::kOk;
}

void CountHook(Fn fn, bool pre) noexcept {
  try {
    CallGate gate(fn);
    std::uint32_t& calls = pre ? gate.State().preHookCalls : gate.State().postHookCalls;
    ++calls;
  } catch (...) {
  }
}

// Writes the handles of the GPUs in the given driver model, in scenario order.
NvAPI_Status Enumerate(Fn fn, bool tcc, NvPhysicalGpuHandle* handles, std::uint32_t* count) {
  CallGate gate(fn);
  if (gate.Status() != nvapi::kOk) return gate.Status();
  if (handles == nullptr || count == nullptr) return nvapi::kInvalidArgument;
  const std::vector<GpuSetup>& gpus = gate.State().scenario.gpus;
  std::uint32_t found = 0;
  for (std::size_t gpu = 0; gpu < gpus.size() && found < nvapi::kMaxPhysicalGpus; ++gpu) {
    if (gpus[gpu].tcc == tcc) handles[found++] = NvapiHandle(gpu);
  }
  // A machine without display GPUs has nothing to enumerate; the compute list may be empty.
  if (found == 0 && !tcc) return nvapi::kNvidiaDeviceNotFound;
  *count = found;
  return nvapi::kOk;
}

}  // namespace

NvAPI_Status NvAPI_Initialize() {
  return NoThrow(kError, [] {
    CallGate gate(Fn::kInitialize);
    if (gate.Status() != nvapi::kOk) return gate.Status();
    gate.State().nvapiInitialized = true;
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_Unload() {
  return NoThrow(kError, [] { return Uninitialize(Fn::kUnload); });
}

NvAPI_Status UnloadPreferred(std::int32_t) {
  return NoThrow(kError, [] { return Uninitialize(Fn::kUnloadPreferred); });
}

void PreCallHook(std::uint32_t, void**) {
  CountHook(Fn::kPreCallHook, true);
}

void PostCallHook(std::uint32_t, void*, NvAPI_Status) {
  CountHook(Fn::kPostCallHook, false);
}

NvAPI_Status NvAPI_EnumPhysicalGPUs(NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus],
                                    std::uint32_t* count) {
  return NoThrow(kError, [&] { return Enumerate(Fn::kEnumPhysicalGpus, false, handles, count); });
}

NvAPI_Status NvAPI_EnumTCCPhysicalGPUs(NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus],
                                       std::uint32_t* count) {
  return NoThrow(kError, [&] { return Enumerate(Fn::kEnumTccPhysicalGpus, true, handles, count); });
}

NvAPI_Status GetDisplayId(std::uint32_t* displayId) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetDisplayId);
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (displayId == nullptr) return nvapi::kInvalidArgument;
    const std::optional<PrimaryDisplay>& primary = gate.State().scenario.primary;
    if (!primary) return nvapi::kNvidiaDeviceNotFound;
    *displayId = primary->displayId;
    return nvapi::kOk;
  });
}

}  // namespace sim
