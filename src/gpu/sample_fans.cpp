// Fan levels and speeds: two fans through the fan-cooler status, one through the cooler query,
// or one through the management library (its unit for the speed).
#include "gpu/sample_steps.h"

namespace gpu {
namespace {

void FansFromNvml(SlotSampling& s) {
  nvmlDevice_t device = nullptr;
  const auto fanSpeed = s.vendor.nvml.Find<nvml::DeviceGetU32Fn>(nvml::kDeviceGetFanSpeed);
  std::uint32_t level = 0;
  if (s.NvmlDevice(&device) && fanSpeed != nullptr && fanSpeed(device, &level) == nvml::kSuccess) {
    s.slot.fanLevel.Store(level);
    s.slot.hasFanLevel.Store(1);
  }
  const auto unitByIndex =
      s.vendor.nvml.Find<nvml::UnitGetHandleByIndexFn>(nvml::kUnitGetHandleByIndex);
  const auto unitFans = s.vendor.nvml.Find<nvml::UnitGetFanSpeedInfoFn>(nvml::kUnitGetFanSpeedInfo);
  nvmlUnit_t unit = nullptr;
  nvmlUnitFanSpeeds_t speeds = {};
  if (unitByIndex == nullptr || unitFans == nullptr) return;
  if (unitByIndex(s.index, &unit) != nvml::kSuccess) return;
  if (unitFans(unit, &speeds) != nvml::kSuccess) return;
  // A unit that lists no fan has no fan 0 to report.
  if (speeds.count == 0 || speeds.fans[0].state != nvml::kFanNormal) return;
  s.slot.fanRpm.Store(speeds.fans[0].speed);
  s.slot.hasFanRpm.Store(1);
}

void FansFromFanCoolerStatus(SlotSampling& s) {
  nvapi::NvFanCoolerStatus status = {};
  status.version = nvapi::kFanCoolerStatusV1;
  if (s.vendor.nvapi.QueryFanCoolerStatus(s.gpu, &status) != nvapi::kOk) return;
  for (std::size_t fan = 0; fan < 2; ++fan) {
    s.slot.fanRpmPair[fan].Store(status.fan[fan].speedRpm);
    s.slot.fanLevelPair[fan].Store(status.fan[fan].level);
  }
}

// False when the cooler query fails.
bool FansFromCoolerQuery(SlotSampling& s) {
  nvapi::NvCoolerSettings coolers = {};
  coolers.version = s.slot.coolerVersion.Load();
  if (s.vendor.nvapi.QueryCoolerSettings(s.gpu, 0, &coolers) != nvapi::kOk) return false;
  if (coolers.count == 0) return true;
  s.slot.fanLevel.Store(coolers.cooler[0].currentLevel);
  s.slot.hasFanLevel.Store(1);
  if (coolers.cooler[0].tachometerValid != 0) {
    s.slot.fanRpm.Store(coolers.cooler[0].speedRpm);
    s.slot.hasFanRpm.Store(1);
  }
  return true;
}

}  // namespace

void SampleFans(SlotSampling& s) {
  if (s.slot.fixedClockBoard.Load() != 0) {
    FansFromNvml(s);
  } else if (s.slot.hasFanCoolerStatus.Load() != 0) {
    FansFromFanCoolerStatus(s);
  } else if (!FansFromCoolerQuery(s)) {
    FansFromNvml(s);
  }
}

}  // namespace gpu
