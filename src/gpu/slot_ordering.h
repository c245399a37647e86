// The order of the slots: slot i holds the GPU with the i-th smallest PCI bus number, which is
// also NVML's device order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

// Plain exchange sort, ascending: each position is compared with every later one and the two
// are swapped when the earlier value is greater.
void ExchangeSortAscending(std::uint32_t* values, std::size_t count);

// Sets the handleIndex of slots 0 to min(gpuCount, 8) - 1: a failed bus read sorts as bus 0;
// a slot takes the last handle whose bus (read again, successfully) equals its sorted bus
// number, and keeps handle index 0 when none does.
void OrderSlotsByBus(Vendor& vendor, SlotTable& table);

}  // namespace gpu
