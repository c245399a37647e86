// The counts that discovery loops over, always within the tables they index, whatever
// gpuCount holds.
#pragma once

#include <algorithm>
#include <cstdint>

#include "gpu/gpu_slots.h"

namespace gpu {

// Handles in use: gpuCount within 0..64.
inline std::uint32_t HandlesInUse(const SlotTable& table) {
  constexpr auto kCapacity = static_cast<std::int32_t>(nvapi::kMaxPhysicalGpus);
  return static_cast<std::uint32_t>(std::clamp(table.gpuCount.Load(), 0, kCapacity));
}

// Slots in use: gpuCount within 0..8.
inline std::uint32_t SlotsInUse(const SlotTable& table) {
  return static_cast<std::uint32_t>(std::clamp(table.gpuCount.Load(), 0, kMaxGpus));
}

}  // namespace gpu
