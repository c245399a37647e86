// Boards whose clock ceilings are fixed values rather than the highest clocks seen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

struct FixedClockBoard {
  std::uint32_t pciIdentifier;  // device id in the high 16 bits, vendor id 0x10DE in the low
  std::uint32_t graphicsClockCeilingKHz;
  std::uint32_t memoryClockCeilingKHz;
};

inline constexpr std::array<FixedClockBoard, 5> kFixedClockBoards{{
    {0x11B010DE, 745000, 2500000},
    {0x0FF210DE, 850000, 891000},
    {0x118A10DE, 800000, 1250000},
    {0x0FEF10DE, 950000, 900000},
    {0x13F210DE, 745000, 1250000},
}};

// The table's row for a PCI device identifier, if it has one.
std::optional<FixedClockBoard> FindFixedClockBoard(std::uint32_t pciIdentifier);

// For each slot in use whose PCI identifiers can be read and whose board is in the table:
// fixedClockBoard becomes 1, and the two ceilings and the two fixed ceilings that the sampler
// restores take the row's values.
void SeedFixedClocks(Vendor& vendor, SlotTable& table);

}  // namespace gpu
