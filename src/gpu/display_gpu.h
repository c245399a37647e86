// Which GPU drives the display that the driver names: its tab is selected at start-up.
#pragma once

#include <cstdint>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

inline constexpr std::int32_t kNoDisplayGpu = -1;

// Displays asked for per GPU. A driver that reports more is believed only this far: the
// entries handed to it and read back never exceed this number.
inline constexpr std::uint32_t kMaxConnectedDisplays = 16;

// The first slot one of whose connected displays has the display id that the driver's
// display-id query gives, or kNoDisplayGpu. A failed display query ends the search.
std::int32_t FindDisplayGpu(Vendor& vendor, const SlotTable& table);

}  // namespace gpu
