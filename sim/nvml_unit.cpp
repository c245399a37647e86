// NVML units: unit i exists when NVML device i has one; its fans report the GPU's fan speeds.
#include "call_gate.h"
#include "handles.h"
#include "no_throw.h"
#include "nvml_functions.h"

namespace sim {

nvmlReturn_t nvmlUnitGetHandleByIndex(std::uint32_t index, nvmlUnit_t* unit) {
  return NoThrow(nvml::kErrorUnknown, [&] {
    CallGate gate(Fn::kNvmlUnitGetHandleByIndex, Subject::kUnitIndex, index);
    if (gate.Status() != nvml::kSuccess) return gate.Status();
    if (unit == nullptr) return nvml::kErrorInvalidArgument;
    *unit = NvmlUnit(index);
    return nvml::kSuccess;
  });
}

nvmlReturn_t nvmlUnitGetFanSpeedInfo(nvmlUnit_t unit, nvmlUnitFanSpeeds_t* speeds) {
  return NoThrow(nvml::kErrorUnknown, [&] {
    CallGate gate(Fn::kNvmlUnitGetFanSpeedInfo, Subject::kNvmlUnit, RawHandle(unit));
    if (gate.Status() != nvml::kSuccess) return gate.Status();
    if (speeds == nullptr) return nvml::kErrorInvalidArgument;
    const GpuSetup& gpu = gate.Gpu();
    *speeds = nvmlUnitFanSpeeds_t{};
    const Reading rpm[] = {Reading::kFan1Rpm, Reading::kFan2Rpm};
    for (std::uint32_t k = 0; k < gpu.fanCount; ++k) {
      speeds->fans[k].speed = ClampU32(gate.Take(rpm[k]));
      speeds->fans[k].state = nvml::kFanNormal;
    }
    if (gpu.fanCount > 0 && gpu.unit == UnitState::kFanFailed) {
      speeds->fans[0].state = nvml::kFanFailed;
    }
    speeds->count = gpu.fanCount;
    return nvml::kSuccess;
  });
}

}  // namespace sim
