// NVAPI initialisation and the enumeration of the GPUs into the handle table.
#pragma once

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

// The result of an enumeration that found no GPU at all.
inline constexpr NvAPI_Status kNoGpuFound = -1000;

// Initialises the driver API through its stub, then fills `gpuHandles` and `gpuCount`: the
// display GPUs first, the compute-only (TCC) GPUs behind them. Returns 0, the status of a
// failed initialisation, or kNoGpuFound. Whatever counts the driver reports, no more than the
// 64 handles of the table are ever written or counted.
NvAPI_Status EnumerateGpus(Vendor& vendor, SlotTable& table);

}  // namespace gpu
