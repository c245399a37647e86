// NVML device calls. Devices are numbered by ascending bus number over all GPUs; values come
// from the same readings (and sample counters) as the NVAPI calls, in NVML's units.
#include "call_gate.h"
#include "handles.h"
#include "no_throw.h"
#include "nvml_functions.h"

namespace sim {
namespace {

using nvml::kErrorInvalidArgument;
using nvml::kErrorUnknown;
using nvml::kSuccess;

constexpr std::uint64_t kBytesPerKiB = 1024;

// The common shape of a device query: gate, output check, then the body.
template <typename Body>
nvmlReturn_t DeviceCall(Fn fn, nvmlDevice_t device, const void* out, Body body) {
  return NoThrow(kErrorUnknown, [&] {
    CallGate gate(fn, Subject::kNvmlDevice, RawHandle(device));
    if (gate.Status() != kSuccess) return gate.Status();
    if (out == nullptr) return kErrorInvalidArgument;
    return body(gate);
  });
}

std::uint32_t MHz(std::int64_t kHz) {
  return ClampU32(kHz) / 1000;
}

std::optional<Reading> ClockReading(std::int32_t type) {
  switch (type) {
    case nvml::kClockGraphics:
      return Reading::kClockGraphics;
    case nvml::kClockSm:
      return Reading::kClockProcessor;
    case nvml::kClockMem:
      return Reading::kClockMemory;
    case nvml::kClockVideo:
      return Reading::kClockVideo;
    default:
      return {};
  }
}

}  // namespace

nvmlReturn_t nvmlInit() {
  return NoThrow(kErrorUnknown, [] {
    CallGate gate(Fn::kNvmlInit);
    if (gate.Status() != kSuccess) return gate.Status();
    gate.State().nvmlInitialized = true;
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetHandleByIndex(std::uint32_t index, nvmlDevice_t* device) {
  return NoThrow(kErrorUnknown, [&] {
    CallGate gate(Fn::kNvmlDeviceGetHandleByIndex, Subject::kNvmlIndex, index);
    if (gate.Status() != kSuccess) return gate.Status();
    if (device == nullptr) return kErrorInvalidArgument;
    *device = NvmlDevice(index);
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetClockInfo(nvmlDevice_t device, std::int32_t type,
                                    std::uint32_t* clockMHz) {
  return DeviceCall(Fn::kNvmlDeviceGetClockInfo, device, clockMHz, [&](CallGate& gate) {
    const std::optional<Reading> reading = ClockReading(type);
    if (!reading) return kErrorInvalidArgument;
    if (gate.Gpu().readings[Index(*reading)].kind == SignalKind::kNone) {
      return nvml::kErrorNotSupported;
    }
    *clockMHz = MHz(gate.Take(*reading));
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetUtilizationRates(nvmlDevice_t device, nvmlUtilization_t* utilization) {
  return DeviceCall(Fn::kNvmlDeviceGetUtilizationRates, device, utilization, [&](CallGate& gate) {
    utilization->gpu = ClampU32(gate.Take(Reading::kLoadGpu));
    utilization->memory = ClampU32(gate.Take(Reading::kLoadMemCtrl));
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetMemoryInfo(nvmlDevice_t device, nvmlMemory_t* memory) {
  return DeviceCall(Fn::kNvmlDeviceGetMemoryInfo, device, memory, [&](CallGate& gate) {
    const std::uint64_t total = ClampU32(gate.Take(Reading::kMemoryTotal)) * kBytesPerKiB;
    const std::uint64_t used = ClampU32(gate.Take(Reading::kMemoryUsed)) * kBytesPerKiB;
    memory->total = total;
    memory->used = used;
    memory->free = used < total ? total - used : 0;
    return kSuccess;
  });
}

// A temperature below zero comes out as its two's-complement bit pattern, as from a driver
// that keeps the value signed.
nvmlReturn_t nvmlDeviceGetTemperature(nvmlDevice_t device, std::int32_t sensor,
                                      std::uint32_t* celsius) {
  return DeviceCall(Fn::kNvmlDeviceGetTemperature, device, celsius, [&](CallGate& gate) {
    if (sensor != nvml::kTemperatureGpu) return kErrorInvalidArgument;
    *celsius = static_cast<std::uint32_t>(ClampI32(gate.Take(Reading::kTemperature)));
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetPowerUsage(nvmlDevice_t device, std::uint32_t* milliwatts) {
  return DeviceCall(Fn::kNvmlDeviceGetPowerUsage, device, milliwatts, [&](CallGate& gate) {
    *milliwatts = ClampU32(gate.Take(Reading::kPowerDraw));
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetPowerManagementLimit(nvmlDevice_t device, std::uint32_t* milliwatts) {
  return DeviceCall(Fn::kNvmlDeviceGetPowerManagementLimit, device, milliwatts,
                    [&](CallGate& gate) {
                      *milliwatts = ClampU32(gate.Take(Reading::kPowerLimit));
                      return kSuccess;
                    });
}

nvmlReturn_t nvmlDeviceGetDriverModel(nvmlDevice_t device, std::int32_t* current,
                                      std::int32_t* pending) {
  const void* out = current != nullptr ? static_cast<const void*>(current) : pending;
  return DeviceCall(Fn::kNvmlDeviceGetDriverModel, device, out, [&](CallGate& gate) {
    const std::int32_t model = gate.Gpu().tcc ? nvml::kDriverWdm : nvml::kDriverWddm;
    if (current != nullptr) *current = model;
    if (pending != nullptr) *pending = model;
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetFanSpeed(nvmlDevice_t device, std::uint32_t* percent) {
  return DeviceCall(Fn::kNvmlDeviceGetFanSpeed, device, percent, [&](CallGate& gate) {
    if (gate.Gpu().fanCount == 0) return nvml::kErrorNotSupported;
    *percent = ClampU32(gate.Take(Reading::kFan1Level));
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetMaxPcieLinkWidth(nvmlDevice_t device, std::uint32_t* lanes) {
  return DeviceCall(Fn::kNvmlDeviceGetMaxPcieLinkWidth, device, lanes, [&](CallGate& gate) {
    *lanes = gate.Gpu().pcieWidth;
    return kSuccess;
  });
}

nvmlReturn_t nvmlDeviceGetMaxPcieLinkGeneration(nvmlDevice_t device, std::uint32_t* generation) {
  return DeviceCall(Fn::kNvmlDeviceGetMaxPcieLinkGeneration, device, generation,
                    [&](CallGate& gate) {
                      *generation = gate.Gpu().pcieGeneration;
                      return kSuccess;
                    });
}

}  // namespace sim
