// The simulated management library under its public function names (see nvml_abi.h).
#pragma once

#include <cstdint>

#include "gpu/nvml_abi.h"

namespace sim {

// Devices (nvml_device.cpp).
nvmlReturn_t nvmlInit();
nvmlReturn_t nvmlDeviceGetHandleByIndex(std::uint32_t index, nvmlDevice_t* device);
nvmlReturn_t nvmlDeviceGetClockInfo(nvmlDevice_t device, std::int32_t type,
                                    std::uint32_t* clockMHz);
nvmlReturn_t nvmlDeviceGetUtilizationRates(nvmlDevice_t device, nvmlUtilization_t* utilization);
nvmlReturn_t nvmlDeviceGetMemoryInfo(nvmlDevice_t device, nvmlMemory_t* memory);
nvmlReturn_t nvmlDeviceGetTemperature(nvmlDevice_t device, std::int32_t sensor,
                                      std::uint32_t* celsius);
nvmlReturn_t nvmlDeviceGetPowerUsage(nvmlDevice_t device, std::uint32_t* milliwatts);
nvmlReturn_t nvmlDeviceGetPowerManagementLimit(nvmlDevice_t device, std::uint32_t* milliwatts);
nvmlReturn_t nvmlDeviceGetDriverModel(nvmlDevice_t device, std::int32_t* current,
                                      std::int32_t* pending);
nvmlReturn_t nvmlDeviceGetFanSpeed(nvmlDevice_t device, std::uint32_t* percent);
nvmlReturn_t nvmlDeviceGetMaxPcieLinkWidth(nvmlDevice_t device, std::uint32_t* lanes);
nvmlReturn_t nvmlDeviceGetMaxPcieLinkGeneration(nvmlDevice_t device, std::uint32_t* generation);

// Units (nvml_unit.cpp).
nvmlReturn_t nvmlUnitGetHandleByIndex(std::uint32_t index, nvmlUnit_t* unit);
nvmlReturn_t nvmlUnitGetFanSpeedInfo(nvmlUnit_t unit, nvmlUnitFanSpeeds_t* speeds);

}  // namespace sim
