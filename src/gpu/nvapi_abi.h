// The driver API as the program uses it: interface ids, statuses, version words and the
// records handed to nvapi64.dll. Written from the documented layouts; every record carries
// static_asserts on its size and on the offsets the program reads or writes.
#pragma once

#include <cstddef>
#include <cstdint>

// An NVAPI physical-GPU handle. Opaque: only the driver knows what it points at.
using NvPhysicalGpuHandle = struct NvPhysicalGpuHandle_*;
using NvAPI_Status = std::int32_t;

namespace nvapi {

// ---- Statuses -------------------------------------------------------------------------------
inline constexpr NvAPI_Status kOk = 0;
inline constexpr NvAPI_Status kError = -1;
inline constexpr NvAPI_Status kLibraryNotFound = -2;
inline constexpr NvAPI_Status kNoImplementation = -3;
inline constexpr NvAPI_Status kApiNotInitialized = -4;
inline constexpr NvAPI_Status kInvalidArgument = -5;
inline constexpr NvAPI_Status kNvidiaDeviceNotFound = -6;
inline constexpr NvAPI_Status kEndEnumeration = -7;
inline constexpr NvAPI_Status kInvalidHandle = -8;
inline constexpr NvAPI_Status kIncompatibleStructVersion = -9;
inline constexpr NvAPI_Status kHandleInvalidated = -10;  // e.g. the GPU has fallen off the bus
inline constexpr NvAPI_Status kExpectedPhysicalGpuHandle = -101;
inline constexpr NvAPI_Status kNotSupported = -104;
inline constexpr NvAPI_Status kApiInUse = -209;

// ---- Interface ids --------------------------------------------------------------------------
inline constexpr std::uint32_t kIdInitialize = 0x0150E828;
inline constexpr std::uint32_t kIdPreCallHook = 0x33C7358C;
inline constexpr std::uint32_t kIdPostCallHook = 0x593E8644;
inline constexpr std::uint32_t kIdUnloadPreferred = 0xD7C61344;  // takes one int argument (0)
inline constexpr std::uint32_t kIdUnload = 0xD22BDD7E;           // no arguments
inline constexpr std::uint32_t kIdEnumPhysicalGPUs = 0xE5AC921F;
inline constexpr std::uint32_t kIdEnumTCCPhysicalGPUs = 0xD9930B07;
inline constexpr std::uint32_t kIdGetBusId = 0x1BE0B8E5;
inline constexpr std::uint32_t kIdGetFullName = 0xCEEE8E9F;
inline constexpr std::uint32_t kIdGetPCIIdentifiers = 0x2DDFB66E;
inline constexpr std::uint32_t kIdGetGpuCoreCount = 0xC7026A87;
inline constexpr std::uint32_t kIdGetCoreCounts = 0xAFD1B02C;  // RT and tensor core counts
inline constexpr std::uint32_t kIdGetConnectedDisplayIds = 0x0078DBA2;
inline constexpr std::uint32_t kIdGetDisplayId = 0x1E9D8A31;  // a display id to look for
inline constexpr std::uint32_t kIdGetAllClockFrequencies = 0xDCB616C3;
inline constexpr std::uint32_t kIdGetPstates20 = 0x6FF81213;
inline constexpr std::uint32_t kIdGetCurrentPstate = 0x927DA4F6;
inline constexpr std::uint32_t kIdGetDynamicPstatesInfoEx = 0x60DED2ED;
inline constexpr std::uint32_t kIdGetThermalSettings = 0xE3640A56;
inline constexpr std::uint32_t kIdGetMemoryInfo = 0x07F9B368;
inline constexpr std::uint32_t kIdGetPhysicalFrameBufferSize = 0x46FBEB03;
inline constexpr std::uint32_t kIdGetCoolerSettings = 0xDA141340;
inline constexpr std::uint32_t kIdGetFanCoolerStatus = 0x35AED5E8;
inline constexpr std::uint32_t kIdGetCoreVoltage = 0x465F9BCF;
inline constexpr std::uint32_t kIdGetUsages = 0x189A1FDF;

// ---- Version words: size in bytes in the low 16 bits, version in the high 16 bits ----------
constexpr std::uint32_t MakeVersion(std::uint32_t size, std::uint32_t version) {
  return size | (version << 16);
}
constexpr std::uint32_t VersionSize(std::uint32_t word) {
  return word & 0xFFFFu;
}
constexpr std::uint32_t VersionNumber(std::uint32_t word) {
  return word >> 16;
}

inline constexpr std::uint32_t kMaxPhysicalGpus = 64;
inline constexpr std::uint32_t kShortStringSize = 64;

// ---- Records ----------------------------------------------------------------------------------

// Clock frequencies of up to 32 domains; the clock type (0 current, 1 base, 2 boost) sits in
// the low four bits of the second word.
struct NV_GPU_CLOCK_FREQUENCIES {
  struct Domain {
    std::uint32_t presentBits;  // bit 0: the domain is present
    std::uint32_t frequencyKHz;
  };
  std::uint32_t version;
  std::uint32_t clockTypeBits;
  Domain domain[32];
};
static_assert(sizeof(NV_GPU_CLOCK_FREQUENCIES) == 264);
static_assert(offsetof(NV_GPU_CLOCK_FREQUENCIES, domain) == 8);

inline constexpr std::uint32_t kClockTypeCurrent = 0;
inline constexpr std::uint32_t kClockTypeBase = 1;
inline constexpr std::uint32_t kClockTypeBoost = 2;
inline constexpr std::uint32_t kClockDomainGraphics = 0;
inline constexpr std::uint32_t kClockDomainMemory = 4;
inline constexpr std::uint32_t kClockDomainProcessor = 7;
inline constexpr std::uint32_t kClockDomainVideo = 8;
inline constexpr std::uint32_t kClockFrequenciesV1 = 0x00010108;
inline constexpr std::uint32_t kClockFrequenciesV2 = 0x00020108;
inline constexpr std::uint32_t kClockFrequenciesV3 = 0x00030108;
static_assert(VersionSize(kClockFrequenciesV3) == sizeof(NV_GPU_CLOCK_FREQUENCIES));

// Performance states with their clock entries. Version 1 ends before the over-voltage block.
struct NV_GPU_PERF_PSTATES20_INFO {
  struct ClockEntry {
    std::uint32_t domainId;
    std::uint32_t typeId;  // 0 single frequency, 1 range
    std::uint32_t flags;
    std::uint32_t freqDeltaValueKHz;
    std::uint32_t freqDeltaMinKHz;
    std::uint32_t freqDeltaMaxKHz;
    std::uint32_t data[5];  // single: data[0] is the frequency in kHz; range: min, max, ...
  };
  struct BaseVoltage {
    std::uint32_t domainId;
    std::uint32_t flags;
    std::uint32_t voltUv;
    std::uint32_t voltDeltaValueUv;
    std::uint32_t voltDeltaMinUv;
    std::uint32_t voltDeltaMaxUv;
  };
  struct Pstate {
    std::uint32_t pstateId;
    std::uint32_t flags;
    ClockEntry clocks[8];
    BaseVoltage baseVoltages[4];
  };
  std::uint32_t version;
  std::uint32_t flags;
  std::uint32_t numPstates;
  std::uint32_t numClocks;
  std::uint32_t numBaseVoltages;
  Pstate pstates[16];
  struct {
    std::uint32_t numVoltages;
    BaseVoltage voltages[4];
  } overVoltage;
};
static_assert(sizeof(NV_GPU_PERF_PSTATES20_INFO::ClockEntry) == 44);
static_assert(offsetof(NV_GPU_PERF_PSTATES20_INFO::ClockEntry, freqDeltaMaxKHz) == 20);
static_assert(offsetof(NV_GPU_PERF_PSTATES20_INFO::ClockEntry, data) == 24);
static_assert(sizeof(NV_GPU_PERF_PSTATES20_INFO::Pstate) == 456);
static_assert(offsetof(NV_GPU_PERF_PSTATES20_INFO, numPstates) == 8);
static_assert(offsetof(NV_GPU_PERF_PSTATES20_INFO, numClocks) == 12);
static_assert(offsetof(NV_GPU_PERF_PSTATES20_INFO, pstates) == 20);
static_assert(offsetof(NV_GPU_PERF_PSTATES20_INFO, overVoltage) == 7316);
static_assert(sizeof(NV_GPU_PERF_PSTATES20_INFO) == 7416);

inline constexpr std::uint32_t kPstates20V1 = 0x00011C94;
inline constexpr std::uint32_t kPstates20V2 = 0x00021CF8;
inline constexpr std::uint32_t kPstates20V3 = 0x00031CF8;
static_assert(VersionSize(kPstates20V3) == sizeof(NV_GPU_PERF_PSTATES20_INFO));
static_assert(VersionSize(kPstates20V1) == offsetof(NV_GPU_PERF_PSTATES20_INFO, overVoltage));

// Thermal sensors; the program reads the current temperature of sensor 0.
struct NV_GPU_THERMAL_SETTINGS {
  struct Sensor {
    std::uint32_t controller;
    std::int32_t defaultMinTemp;
    std::int32_t defaultMaxTemp;
    std::int32_t currentTemp;
    std::uint32_t target;
  };
  std::uint32_t version;
  std::uint32_t count;
  Sensor sensor[3];
};
static_assert(sizeof(NV_GPU_THERMAL_SETTINGS) == 68);
static_assert(offsetof(NV_GPU_THERMAL_SETTINGS, sensor[0].currentTemp) == 20);

inline constexpr std::uint32_t kThermalSettingsV1 = 0x00010044;
inline constexpr std::uint32_t kThermalSettingsV2 = 0x00020044;

// Display-driver memory, in KiB.
struct NV_DISPLAY_DRIVER_MEMORY_INFO {
  std::uint32_t version;
  std::uint32_t dedicatedVideoMemory;
  std::uint32_t availableDedicatedVideoMemory;
  std::uint32_t systemVideoMemory;
  std::uint32_t sharedSystemMemory;
  std::uint32_t curAvailableDedicatedVideoMemory;
  std::uint32_t dedicatedVideoMemoryEvictionsSize;
  std::uint32_t dedicatedVideoMemoryEvictionCount;
};
static_assert(sizeof(NV_DISPLAY_DRIVER_MEMORY_INFO) == 32);
static_assert(offsetof(NV_DISPLAY_DRIVER_MEMORY_INFO, dedicatedVideoMemory) == 4);
static_assert(offsetof(NV_DISPLAY_DRIVER_MEMORY_INFO, curAvailableDedicatedVideoMemory) == 20);

inline constexpr std::uint32_t kMemoryInfoV1 = 0x00010014;
inline constexpr std::uint32_t kMemoryInfoV2 = 0x00020018;
inline constexpr std::uint32_t kMemoryInfoV3 = 0x00030020;

// Utilisation of up to eight domains: 0 GPU, 1 frame buffer, 2 video engine, 3 bus interface.
struct NV_GPU_DYNAMIC_PSTATES_INFO_EX {
  struct Domain {
    std::uint32_t isPresent;
    std::uint32_t percentage;
  };
  std::uint32_t version;
  std::uint32_t flags;
  Domain utilization[8];
};
static_assert(sizeof(NV_GPU_DYNAMIC_PSTATES_INFO_EX) == 72);
static_assert(offsetof(NV_GPU_DYNAMIC_PSTATES_INFO_EX, utilization[1].percentage) == 20);
static_assert(offsetof(NV_GPU_DYNAMIC_PSTATES_INFO_EX, utilization[2].percentage) == 28);
static_assert(offsetof(NV_GPU_DYNAMIC_PSTATES_INFO_EX, utilization[3].percentage) == 36);

inline constexpr std::uint32_t kDynamicPstatesInfoExV1 = 0x00010048;

// One connected display: connector type (the public monitor connection type), display id.
struct NV_GPU_DISPLAYIDS {
  std::uint32_t version;
  std::int32_t connectorType;
  std::uint32_t displayId;
  std::uint32_t flags;
};
static_assert(sizeof(NV_GPU_DISPLAYIDS) == 16);
static_assert(offsetof(NV_GPU_DISPLAYIDS, connectorType) == 4);
static_assert(offsetof(NV_GPU_DISPLAYIDS, displayId) == 8);

inline constexpr std::uint32_t kDisplayIdsV1 = 0x00010010;
inline constexpr std::uint32_t kDisplayIdsV3 = 0x00030010;

// Connector types the program names.
inline constexpr std::int32_t kConnectorUninitialized = -1;
inline constexpr std::int32_t kConnectorUnknown = 0;
inline constexpr std::int32_t kConnectorVga = 1;
inline constexpr std::int32_t kConnectorComponent = 2;
inline constexpr std::int32_t kConnectorSvideo = 3;
inline constexpr std::int32_t kConnectorHdmi = 4;
inline constexpr std::int32_t kConnectorDvi = 5;
inline constexpr std::int32_t kConnectorLvds = 6;
inline constexpr std::int32_t kConnectorDisplayPort = 7;
inline constexpr std::int32_t kConnectorComposite = 8;

// The cooler (fan level) query: a count and up to 20 coolers of 68 bytes.
struct NvCoolerSettings {
  struct Cooler {
    std::uint32_t type;
    std::uint32_t controller;
    std::uint32_t defaultMinLevel;
    std::uint32_t defaultMaxLevel;
    std::uint32_t currentMinLevel;
    std::uint32_t currentMaxLevel;
    std::uint32_t currentLevel;  // percent
    std::uint32_t defaultPolicy;
    std::uint32_t currentPolicy;
    std::uint32_t target;
    std::uint32_t controlType;
    std::uint32_t active;
    std::uint32_t speedRpm;
    std::uint8_t tachometerValid;
    std::uint8_t reserved0[3];
    std::uint32_t reserved1[3];
  };
  std::uint32_t version;
  std::uint32_t count;
  Cooler cooler[20];
};
static_assert(sizeof(NvCoolerSettings::Cooler) == 68);
static_assert(sizeof(NvCoolerSettings) == 1368);
static_assert(offsetof(NvCoolerSettings, count) == 4);
static_assert(offsetof(NvCoolerSettings, cooler[0].currentLevel) == 32);
static_assert(offsetof(NvCoolerSettings, cooler[0].speedRpm) == 56);
static_assert(offsetof(NvCoolerSettings, cooler[0].tachometerValid) == 60);

inline constexpr std::uint32_t kCoolerSettingsV1 = 0x000103C8;
inline constexpr std::uint32_t kCoolerSettingsV2 = 0x000203C8;
inline constexpr std::uint32_t kCoolerSettingsV3 = 0x00030508;
inline constexpr std::uint32_t kCoolerSettingsV4 = 0x00040558;
inline constexpr std::uint32_t kCoolerSettingsFallback = 0x00010098;
static_assert(VersionSize(kCoolerSettingsV4) == sizeof(NvCoolerSettings));

// The fan-cooler status query: a 40-byte header whose first byte after the version word is the
// number of fan coolers, then up to 32 fans of 52 bytes.
struct NvFanCoolerStatus {
  struct Fan {
    std::uint32_t coolerId;
    std::uint32_t speedRpm;
    std::uint32_t minLevel;
    std::uint32_t maxLevel;
    std::uint32_t level;  // percent
    std::uint32_t reserved[8];
  };
  std::uint32_t version;
  std::uint8_t count;
  std::uint8_t reserved0[3];
  std::uint32_t reserved1[8];
  Fan fan[32];
};
static_assert(sizeof(NvFanCoolerStatus::Fan) == 52);
static_assert(sizeof(NvFanCoolerStatus) == 1704);
static_assert(offsetof(NvFanCoolerStatus, count) == 4);
static_assert(offsetof(NvFanCoolerStatus, fan[0].speedRpm) == 44);
static_assert(offsetof(NvFanCoolerStatus, fan[0].level) == 56);
static_assert(offsetof(NvFanCoolerStatus, fan[1].speedRpm) == 96);
static_assert(offsetof(NvFanCoolerStatus, fan[1].level) == 108);

inline constexpr std::uint32_t kFanCoolerStatusV1 = 0x000106A8;
static_assert(VersionSize(kFanCoolerStatusV1) == sizeof(NvFanCoolerStatus));

// The core-voltage query.
struct NvCoreVoltage {
  std::uint32_t version;
  std::uint32_t flags;
  std::uint32_t reserved0[8];
  std::uint32_t valueUv;
  std::uint32_t reserved1[8];
};
static_assert(sizeof(NvCoreVoltage) == 76);
static_assert(offsetof(NvCoreVoltage, valueUv) == 40);

inline constexpr std::uint32_t kCoreVoltageV1 = 0x0001004C;

// The usage query: GPU load in percent.
struct NvGpuUsages {
  std::uint32_t version;
  std::uint32_t flags;
  std::uint32_t reserved0;
  std::uint32_t gpuLoad;
  std::uint32_t reserved1[30];
};
static_assert(sizeof(NvGpuUsages) == 136);
static_assert(offsetof(NvGpuUsages, gpuLoad) == 12);

inline constexpr std::uint32_t kGpuUsagesV1 = 0x00010088;

// The RT and tensor core counts.
struct NvGpuCoreCounts {
  std::uint32_t version;
  std::uint32_t reserved0[3];
  std::uint32_t rtCoreCount;
  std::uint32_t tensorCoreCount;
  std::uint32_t reserved1[14];
};
static_assert(sizeof(NvGpuCoreCounts) == 80);
static_assert(offsetof(NvGpuCoreCounts, rtCoreCount) == 16);
static_assert(offsetof(NvGpuCoreCounts, tensorCoreCount) == 20);

inline constexpr std::uint32_t kGpuCoreCountsV2 = 0x00020050;

// ---- Function types, as nvapi_QueryInterface hands them out ---------------------------------
using QueryInterfaceFn = void* (*)(std::uint32_t id);
using InitializeFn = NvAPI_Status (*)();
using UnloadFn = NvAPI_Status (*)();
using UnloadPreferredFn = NvAPI_Status (*)(std::int32_t);
using PreCallHookFn = void (*)(std::uint32_t id, void** cookie);
using PostCallHookFn = void (*)(std::uint32_t id, void* cookie, NvAPI_Status status);

using EnumGpusFn = NvAPI_Status (*)(NvPhysicalGpuHandle handles[kMaxPhysicalGpus],
                                    std::uint32_t* count);
using GpuU32Fn = NvAPI_Status (*)(NvPhysicalGpuHandle, std::uint32_t*);
using GetFullNameFn = NvAPI_Status (*)(NvPhysicalGpuHandle, char name[kShortStringSize]);
using GetPCIIdentifiersFn = NvAPI_Status (*)(NvPhysicalGpuHandle, std::uint32_t* deviceId,
                                             std::uint32_t* subSystemId, std::uint32_t* revisionId,
                                             std::uint32_t* extDeviceId);
using GetConnectedDisplayIdsFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NV_GPU_DISPLAYIDS*,
                                                  std::uint32_t* count, std::uint32_t flags);
using GetDisplayIdFn = NvAPI_Status (*)(std::uint32_t* displayId);
using GetClockFrequenciesFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NV_GPU_CLOCK_FREQUENCIES*);
using GetPstates20Fn = NvAPI_Status (*)(NvPhysicalGpuHandle, NV_GPU_PERF_PSTATES20_INFO*);
using GetDynamicPstatesFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NV_GPU_DYNAMIC_PSTATES_INFO_EX*);
using GetThermalSettingsFn = NvAPI_Status (*)(NvPhysicalGpuHandle, std::uint32_t sensorIndex,
                                              NV_GPU_THERMAL_SETTINGS*);
using GetMemoryInfoFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NV_DISPLAY_DRIVER_MEMORY_INFO*);
using GetCoolerSettingsFn = NvAPI_Status (*)(NvPhysicalGpuHandle, std::uint32_t index,
                                             NvCoolerSettings*);
using GetFanCoolerStatusFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NvFanCoolerStatus*);
using GetCoreVoltageFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NvCoreVoltage*);
using GetUsagesFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NvGpuUsages*);
using GetCoreCountsFn = NvAPI_Status (*)(NvPhysicalGpuHandle, NvGpuCoreCounts*);

}  // namespace nvapi
