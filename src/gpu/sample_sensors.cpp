// Temperature, power and driver model, performance state and core voltage.
#include "gpu/sample_steps.h"

namespace gpu {
namespace {

bool TemperatureFromNvml(SlotSampling& s, std::int32_t* celsius) {
  nvmlDevice_t device = nullptr;
  const auto temperature =
      s.vendor.nvml.Find<nvml::DeviceGetTemperatureFn>(nvml::kDeviceGetTemperature);
  std::uint32_t value = 0;
  if (!s.NvmlDevice(&device) || temperature == nullptr) return false;
  if (temperature(device, nvml::kTemperatureGpu, &value) != nvml::kSuccess) return false;
  *celsius = static_cast<std::int32_t>(value);
  return true;
}

bool TemperatureFromNvapi(SlotSampling& s, std::int32_t* celsius) {
  nvapi::NV_GPU_THERMAL_SETTINGS thermal = {};
  thermal.version = s.slot.thermalVersion.Load();
  if (s.vendor.nvapi.NvAPI_GPU_GetThermalSettings(s.gpu, 0, &thermal) != nvapi::kOk) return false;
  *celsius = thermal.sensor[0].currentTemp;
  return true;
}

bool NvmlValue(SlotSampling& s, const char* name, std::uint32_t* value) {
  nvmlDevice_t device = nullptr;
  const auto get = s.vendor.nvml.Find<nvml::DeviceGetU32Fn>(name);
  return s.NvmlDevice(&device) && get != nullptr && get(device, value) == nvml::kSuccess;
}

void SamplePower(SlotSampling& s) {
  std::uint32_t draw = 0;
  if (!NvmlValue(s, nvml::kDeviceGetPowerUsage, &draw)) return;
  std::uint32_t limit = 0;
  const bool hasLimit = NvmlValue(s, nvml::kDeviceGetPowerManagementLimit, &limit);
  GpuSlot& slot = s.slot;
  slot.hasPower.Store(1);
  slot.powerDraw.Store(draw);
  if (hasLimit) {
    slot.powerLimit.Store(limit);
    slot.powerLimitUnknown.Store(0);
  } else {
    slot.powerLimit.Store(kUnknownPowerLimitMw);
  }
  PushHistory(slot.powerHistory, static_cast<std::int32_t>(draw));
}

void SampleDriverModel(SlotSampling& s) {
  nvmlDevice_t device = nullptr;
  const auto driverModel =
      s.vendor.nvml.Find<nvml::DeviceGetDriverModelFn>(nvml::kDeviceGetDriverModel);
  std::int32_t current = 0, pending = 0;
  if (!s.NvmlDevice(&device) || driverModel == nullptr) return;
  if (driverModel(device, &current, &pending) != nvml::kSuccess) return;
  s.slot.driverModel.Store(static_cast<std::uint32_t>(current));
  s.slot.hasDriverModel.Store(1);
}

}  // namespace

void SampleTemperature(SlotSampling& s) {
  std::int32_t celsius = 0;
  const bool read = s.slot.fixedClockBoard.Load() != 0
                        ? TemperatureFromNvml(s, &celsius)
                        : TemperatureFromNvapi(s, &celsius) || TemperatureFromNvml(s, &celsius);
  if (!read) return;
  s.slot.temperature.Store(celsius);
  s.slot.hasTemperature.Store(1);
  PushHistory(s.slot.temperatureHistory, celsius);
}

void SamplePowerAndDriverModel(SlotSampling& s) {
  SamplePower(s);
  SampleDriverModel(s);
}

void SamplePstate(SlotSampling& s) {
  std::uint32_t pstate = 0;
  if (s.vendor.nvapi.NvAPI_GPU_GetCurrentPstate(s.gpu, &pstate) != nvapi::kOk) return;
  s.slot.pstate.Store(pstate);
  s.slot.hasPstate.Store(1);
}

void SampleCoreVoltage(SlotSampling& s) {
  nvapi::NvCoreVoltage voltage = {};
  voltage.version = nvapi::kCoreVoltageV1;
  if (s.vendor.nvapi.QueryCoreVoltage(s.gpu, &voltage) != nvapi::kOk) return;
  s.slot.coreVoltage.Store(voltage.valueUv);
  s.slot.hasVoltage.Store(1);
}

}  // namespace gpu
