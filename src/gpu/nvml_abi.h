// The management library as the program uses it: statuses, handle and record types, the
// exported function names and their signatures. Records passed to the real library are as large
// as the ones it writes.
#pragma once

#include <cstddef>
#include <cstdint>

using nvmlReturn_t = std::int32_t;
using nvmlDevice_t = struct nvmlDevice_st*;
using nvmlUnit_t = struct nvmlUnit_st*;

struct nvmlMemory_t {
  std::uint64_t total;  // bytes
  std::uint64_t free;
  std::uint64_t used;
};
static_assert(sizeof(nvmlMemory_t) == 24);

struct nvmlUtilization_t {
  std::uint32_t gpu;  // percent
  std::uint32_t memory;
};
static_assert(sizeof(nvmlUtilization_t) == 8);

struct nvmlUnitFanInfo_t {
  std::uint32_t speed;  // rpm
  std::int32_t state;   // 0 normal, 1 failed
};

struct nvmlUnitFanSpeeds_t {
  nvmlUnitFanInfo_t fans[24];
  std::uint32_t count;
};
static_assert(sizeof(nvmlUnitFanSpeeds_t) == 24 * 8 + 4);
static_assert(offsetof(nvmlUnitFanSpeeds_t, count) == 192);

namespace nvml {

inline constexpr nvmlReturn_t kSuccess = 0;
inline constexpr nvmlReturn_t kErrorUninitialized = 1;
inline constexpr nvmlReturn_t kErrorInvalidArgument = 2;
inline constexpr nvmlReturn_t kErrorNotSupported = 3;
inline constexpr nvmlReturn_t kErrorNotFound = 6;
inline constexpr nvmlReturn_t kErrorFunctionNotFound = 13;
inline constexpr nvmlReturn_t kErrorGpuIsLost = 15;
inline constexpr nvmlReturn_t kErrorUnknown = 999;

inline constexpr std::int32_t kClockGraphics = 0;
inline constexpr std::int32_t kClockSm = 1;
inline constexpr std::int32_t kClockMem = 2;
inline constexpr std::int32_t kClockVideo = 3;
inline constexpr std::int32_t kTemperatureGpu = 0;
inline constexpr std::int32_t kDriverWddm = 0;
inline constexpr std::int32_t kDriverWdm = 1;  // the compute-only (TCC) model
inline constexpr std::int32_t kFanNormal = 0;
inline constexpr std::int32_t kFanFailed = 1;

// Exported names, looked up in the loaded module at each use.
inline constexpr const char* kInit = "nvmlInit";
inline constexpr const char* kDeviceGetHandleByIndex = "nvmlDeviceGetHandleByIndex";
inline constexpr const char* kDeviceGetClockInfo = "nvmlDeviceGetClockInfo";
inline constexpr const char* kDeviceGetUtilizationRates = "nvmlDeviceGetUtilizationRates";
inline constexpr const char* kDeviceGetMemoryInfo = "nvmlDeviceGetMemoryInfo";
inline constexpr const char* kDeviceGetTemperature = "nvmlDeviceGetTemperature";
inline constexpr const char* kDeviceGetPowerUsage = "nvmlDeviceGetPowerUsage";
inline constexpr const char* kDeviceGetPowerManagementLimit = "nvmlDeviceGetPowerManagementLimit";
inline constexpr const char* kDeviceGetDriverModel = "nvmlDeviceGetDriverModel";
inline constexpr const char* kDeviceGetFanSpeed = "nvmlDeviceGetFanSpeed";
inline constexpr const char* kUnitGetHandleByIndex = "nvmlUnitGetHandleByIndex";
inline constexpr const char* kUnitGetFanSpeedInfo = "nvmlUnitGetFanSpeedInfo";
inline constexpr const char* kDeviceGetMaxPcieLinkWidth = "nvmlDeviceGetMaxPcieLinkWidth";
inline constexpr const char* kDeviceGetMaxPcieLinkGeneration = "nvmlDeviceGetMaxPcieLinkGeneration";

using InitFn = nvmlReturn_t (*)();
using DeviceGetHandleByIndexFn = nvmlReturn_t (*)(std::uint32_t index, nvmlDevice_t* device);
using DeviceGetClockInfoFn = nvmlReturn_t (*)(nvmlDevice_t, std::int32_t type,
                                              std::uint32_t* clockMHz);
using DeviceGetUtilizationRatesFn = nvmlReturn_t (*)(nvmlDevice_t, nvmlUtilization_t*);
using DeviceGetMemoryInfoFn = nvmlReturn_t (*)(nvmlDevice_t, nvmlMemory_t*);
using DeviceGetTemperatureFn = nvmlReturn_t (*)(nvmlDevice_t, std::int32_t sensor,
                                                std::uint32_t* celsius);
using DeviceGetU32Fn = nvmlReturn_t (*)(nvmlDevice_t, std::uint32_t* value);
using DeviceGetDriverModelFn = nvmlReturn_t (*)(nvmlDevice_t, std::int32_t* current,
                                                std::int32_t* pending);
using UnitGetHandleByIndexFn = nvmlReturn_t (*)(std::uint32_t index, nvmlUnit_t* unit);
using UnitGetFanSpeedInfoFn = nvmlReturn_t (*)(nvmlUnit_t, nvmlUnitFanSpeeds_t*);

}  // namespace nvml
