#include "gpu/slot_ordering.h"

#include <algorithm>
#include <array>
#include <utility>

#include "gpu/discovery_counts.h"

namespace gpu {
namespace {

bool ReadBus(Vendor& vendor, const SlotTable& table, std::uint32_t handleIndex,
             std::uint32_t& bus) {
  bus = 0;
  return vendor.nvapi.NvAPI_GPU_GetBusId(table.gpuHandles[handleIndex], &bus) == nvapi::kOk;
}

void MatchSlot(Vendor& vendor, SlotTable& table, std::uint32_t slot, std::uint32_t sortedBus) {
  const std::uint32_t count = HandlesInUse(table);
  for (std::uint32_t h = 0; h < count; ++h) {
    std::uint32_t bus = 0;
    if (ReadBus(vendor, table, h, bus) && bus == sortedBus) table.slots[slot].handleIndex.Store(h);
  }
}

}  // namespace

void ExchangeSortAscending(std::uint32_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t j = i + 1; j < count; ++j) {
      if (values[i] > values[j]) std::swap(values[i], values[j]);
    }
  }
}

void OrderSlotsByBus(Vendor& vendor, SlotTable& table) {
  const std::uint32_t count = HandlesInUse(table);
  std::array<std::uint32_t, nvapi::kMaxPhysicalGpus> buses{};
  for (std::uint32_t h = 0; h < count; ++h) {
    if (!ReadBus(vendor, table, h, buses[h])) buses[h] = 0;
  }
  ExchangeSortAscending(buses.data(), count);
  const std::uint32_t slots = SlotsInUse(table);
  for (std::uint32_t s = 0; s < slots; ++s) MatchSlot(vendor, table, s, buses[s]);
}

}  // namespace gpu
