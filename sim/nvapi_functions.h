// The simulated driver API, one function per interface id, with the signatures of nvapi_abi.h.
// Functions with a public name carry it; the others are named after what they answer.
#pragma once

#include <cstdint>

#include "gpu/nvapi_abi.h"

namespace sim {

// Driver state (nvapi_driver.cpp).
NvAPI_Status NvAPI_Initialize();
NvAPI_Status NvAPI_Unload();
NvAPI_Status UnloadPreferred(std::int32_t reserved);
void PreCallHook(std::uint32_t id, void** cookie);
void PostCallHook(std::uint32_t id, void* cookie, NvAPI_Status status);
NvAPI_Status NvAPI_EnumPhysicalGPUs(NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus],
                                    std::uint32_t* count);
NvAPI_Status NvAPI_EnumTCCPhysicalGPUs(NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus],
                                       std::uint32_t* count);
NvAPI_Status GetDisplayId(std::uint32_t* displayId);

// Identity (nvapi_identity.cpp).
NvAPI_Status NvAPI_GPU_GetBusId(NvPhysicalGpuHandle gpu, std::uint32_t* bus);
NvAPI_Status NvAPI_GPU_GetFullName(NvPhysicalGpuHandle gpu, char name[nvapi::kShortStringSize]);
NvAPI_Status NvAPI_GPU_GetPCIIdentifiers(NvPhysicalGpuHandle gpu, std::uint32_t* deviceId,
                                         std::uint32_t* subSystemId, std::uint32_t* revisionId,
                                         std::uint32_t* extDeviceId);
NvAPI_Status NvAPI_GPU_GetGpuCoreCount(NvPhysicalGpuHandle gpu, std::uint32_t* count);
NvAPI_Status GetCoreCounts(NvPhysicalGpuHandle gpu, nvapi::NvGpuCoreCounts* counts);
NvAPI_Status NvAPI_GPU_GetConnectedDisplayIds(NvPhysicalGpuHandle gpu,
                                              nvapi::NV_GPU_DISPLAYIDS* displays,
                                              std::uint32_t* count, std::uint32_t flags);

// Clocks and performance states (nvapi_clocks.cpp).
NvAPI_Status NvAPI_GPU_GetAllClockFrequencies(NvPhysicalGpuHandle gpu,
                                              nvapi::NV_GPU_CLOCK_FREQUENCIES* clocks);
NvAPI_Status NvAPI_GPU_GetPstates20(NvPhysicalGpuHandle gpu,
                                    nvapi::NV_GPU_PERF_PSTATES20_INFO* pstates);
NvAPI_Status NvAPI_GPU_GetCurrentPstate(NvPhysicalGpuHandle gpu, std::uint32_t* pstate);

// Loads, temperature, memory and voltage (nvapi_sensors.cpp).
NvAPI_Status NvAPI_GPU_GetDynamicPstatesInfoEx(NvPhysicalGpuHandle gpu,
                                               nvapi::NV_GPU_DYNAMIC_PSTATES_INFO_EX* info);
NvAPI_Status NvAPI_GPU_GetThermalSettings(NvPhysicalGpuHandle gpu, std::uint32_t sensorIndex,
                                          nvapi::NV_GPU_THERMAL_SETTINGS* thermal);
NvAPI_Status NvAPI_GPU_GetMemoryInfo(NvPhysicalGpuHandle gpu,
                                     nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO* memory);
NvAPI_Status NvAPI_GPU_GetPhysicalFrameBufferSize(NvPhysicalGpuHandle gpu, std::uint32_t* kib);
NvAPI_Status GetCoreVoltage(NvPhysicalGpuHandle gpu, nvapi::NvCoreVoltage* voltage);
NvAPI_Status GetUsages(NvPhysicalGpuHandle gpu, nvapi::NvGpuUsages* usages);

// Fans (nvapi_fans.cpp).
NvAPI_Status GetCoolerSettings(NvPhysicalGpuHandle gpu, std::uint32_t index,
                               nvapi::NvCoolerSettings* coolers);
NvAPI_Status GetFanCoolerStatus(NvPhysicalGpuHandle gpu, nvapi::NvFanCoolerStatus* status);

}  // namespace sim
