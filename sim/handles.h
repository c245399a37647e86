// The opaque handles the simulator hands out. Each encodes a GPU (NVAPI) or an NVML device index
// (NVML devices and units) at a fixed stride from a base no real pointer uses; nothing is ever
// dereferenced, and any other value is an unknown handle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "state.h"

namespace sim {

NvPhysicalGpuHandle NvapiHandle(std::size_t gpu);
nvmlDevice_t NvmlDevice(std::size_t nvmlIndex);
nvmlUnit_t NvmlUnit(std::size_t nvmlIndex);

// The GPU index behind a handle, or nothing when the handle is not one of the current scenario.
std::optional<std::size_t> GpuOfNvapiHandle(const SimState& state, const void* handle);
std::optional<std::size_t> GpuOfNvmlDevice(const SimState& state, const void* device);
std::optional<std::size_t> GpuOfNvmlUnit(const SimState& state, const void* unit);
std::optional<std::size_t> GpuOfNvmlIndex(const SimState& state, std::uintptr_t nvmlIndex);
// Unit i exists when NVML device i has one.
std::optional<std::size_t> GpuOfUnitIndex(const SimState& state, std::uintptr_t nvmlIndex);

}  // namespace sim
