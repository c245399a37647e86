// Loads, temperature, memory and core voltage through NVAPI.
#include "call_gate.h"
#include "no_throw.h"
#include "nvapi_functions.h"
#include "versioned.h"

namespace sim {
namespace {

using nvapi::kError;
using Dynamic = nvapi::NV_GPU_DYNAMIC_PSTATES_INFO_EX;
using Thermal = nvapi::NV_GPU_THERMAL_SETTINGS;
using Memory = nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO;

constexpr std::uint32_t kThermalTargetAll = 15;
constexpr std::int32_t kSensorMinC = -256;
constexpr std::int32_t kSensorMaxC = 127;

// Checks the record pointer and its version word before anything is handed out.
template <typename Record>
NvAPI_Status CheckRecord(CallGate& gate, Query query, const Record* record) {
  if (gate.Status() != nvapi::kOk) return gate.Status();
  if (record == nullptr) return nvapi::kInvalidArgument;
  if (!AcceptsVersion(gate.Gpu(), query, record->version)) {
    return nvapi::kIncompatibleStructVersion;
  }
  return nvapi::kOk;
}

void WriteUtilisation(RecordWriter& record, std::size_t domain, std::uint32_t percent) {
  const std::size_t at = offsetof(Dynamic, utilization) + domain * sizeof(Dynamic::Domain);
  record.Put(at, std::uint32_t{1});
  record.Put(at + 4, percent);
}

void WriteSensor0(RecordWriter& record, std::int32_t celsius) {
  const std::size_t at = offsetof(Thermal, sensor);
  record.Put(offsetof(Thermal, count), std::uint32_t{1});
  record.Put(at + offsetof(Thermal::Sensor, controller), std::uint32_t{1});  // GPU internal
  record.Put(at + offsetof(Thermal::Sensor, defaultMinTemp), kSensorMinC);
  record.Put(at + offsetof(Thermal::Sensor, defaultMaxTemp), kSensorMaxC);
  record.Put(at + offsetof(Thermal::Sensor, currentTemp), celsius);
  record.Put(at + offsetof(Thermal::Sensor, target), std::uint32_t{1});  // the GPU
}

// A negative `used` is a driver whose count of available memory runs ahead of its total: it
// reports that much more available than dedicated.
void WriteMemory(RecordWriter& record, std::uint32_t total, std::int64_t used) {
  const std::uint32_t available = ClampU32(std::int64_t{total} - used);
  record.Put(offsetof(Memory, dedicatedVideoMemory), total);
  record.Put(offsetof(Memory, availableDedicatedVideoMemory), total);
  record.Put(offsetof(Memory, systemVideoMemory), std::uint32_t{0});
  record.Put(offsetof(Memory, sharedSystemMemory), std::uint32_t{0});
  record.Put(offsetof(Memory, curAvailableDedicatedVideoMemory), available);
  record.Put(offsetof(Memory, dedicatedVideoMemoryEvictionsSize), std::uint32_t{0});
  record.Put(offsetof(Memory, dedicatedVideoMemoryEvictionCount), std::uint32_t{0});
}

}  // namespace

NvAPI_Status NvAPI_GPU_GetDynamicPstatesInfoEx(NvPhysicalGpuHandle gpu, Dynamic* info) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetDynamicPstatesInfoEx, Subject::kNvapiHandle, RawHandle(gpu));
    if (const NvAPI_Status status = CheckRecord(gate, Query::kDynamicPstates, info)) return status;
    RecordWriter record = WriterFor(info);
    record.Put(offsetof(Dynamic, flags), std::uint32_t{1});  // dynamic P-states enabled
    for (std::size_t domain = 4; domain < 8; ++domain) {
      const std::size_t at = offsetof(Dynamic, utilization) + domain * sizeof(Dynamic::Domain);
      record.Put(at, std::uint32_t{0});
      record.Put(at + 4, std::uint32_t{0});
    }
    WriteUtilisation(record, 0, ClampU32(gate.Take(Reading::kLoadGpu)));
    WriteUtilisation(record, 1, ClampU32(gate.Take(Reading::kLoadMemCtrl)));
    WriteUtilisation(record, 2, ClampU32(gate.Take(Reading::kLoadVideo)));
    WriteUtilisation(record, 3, ClampU32(gate.Take(Reading::kLoadBus)));
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetThermalSettings(NvPhysicalGpuHandle gpu, std::uint32_t sensorIndex,
                                          Thermal* thermal) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetThermalSettings, Subject::kNvapiHandle, RawHandle(gpu));
    if (const NvAPI_Status status = CheckRecord(gate, Query::kThermal, thermal)) return status;
    if (sensorIndex != 0 && sensorIndex != kThermalTargetAll) return nvapi::kInvalidArgument;
    RecordWriter record = WriterFor(thermal);
    WriteSensor0(record, ClampI32(gate.Take(Reading::kTemperature)));
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetMemoryInfo(NvPhysicalGpuHandle gpu, Memory* memory) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetMemoryInfo, Subject::kNvapiHandle, RawHandle(gpu));
    if (const NvAPI_Status status = CheckRecord(gate, Query::kMemoryInfo, memory)) return status;
    RecordWriter record = WriterFor(memory);
    const std::uint32_t total = ClampU32(gate.Take(Reading::kMemoryTotal));
    WriteMemory(record, total, gate.Take(Reading::kMemoryUsed));
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetPhysicalFrameBufferSize(NvPhysicalGpuHandle gpu, std::uint32_t* kib) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetPhysicalFrameBufferSize, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (kib == nullptr) return nvapi::kInvalidArgument;
    *kib = ClampU32(gate.Take(Reading::kMemoryTotal));
    return nvapi::kOk;
  });
}

NvAPI_Status GetCoreVoltage(NvPhysicalGpuHandle gpu, nvapi::NvCoreVoltage* voltage) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetCoreVoltage, Subject::kNvapiHandle, RawHandle(gpu));
    if (const NvAPI_Status status = CheckRecord(gate, Query::kVoltage, voltage)) return status;
    RecordWriter record = WriterFor(voltage);
    record.Put(offsetof(nvapi::NvCoreVoltage, flags), std::uint32_t{0});
    record.Put(offsetof(nvapi::NvCoreVoltage, valueUv), ClampU32(gate.Take(Reading::kVoltage)));
    return nvapi::kOk;
  });
}

NvAPI_Status GetUsages(NvPhysicalGpuHandle gpu, nvapi::NvGpuUsages* usages) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetUsages, Subject::kNvapiHandle, RawHandle(gpu));
    if (const NvAPI_Status status = CheckRecord(gate, Query::kUsages, usages)) return status;
    RecordWriter record = WriterFor(usages);
    record.Put(offsetof(nvapi::NvGpuUsages, flags), std::uint32_t{1});
    record.Put(offsetof(nvapi::NvGpuUsages, gpuLoad), ClampU32(gate.Take(Reading::kLoadGpu)));
    return nvapi::kOk;
  });
}

}  // namespace sim
