#include "gpu/fixed_clock_boards.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "support/sim_vendor.h"

namespace {

TEST(DiscoveryFixedClocks, TheFiveBoardsAndTheirCeilings) {
  const gpu::FixedClockBoard expected[] = {
      {0x11B010DE, 745000, 2500000}, {0x0FF210DE, 850000, 891000},  {0x118A10DE, 800000, 1250000},
      {0x0FEF10DE, 950000, 900000},  {0x13F210DE, 745000, 1250000},
  };
  for (const gpu::FixedClockBoard& row : expected) {
    const auto board = gpu::FindFixedClockBoard(row.pciIdentifier);
    ASSERT_TRUE(board.has_value()) << std::hex << row.pciIdentifier;
    EXPECT_EQ(board->graphicsClockCeilingKHz, row.graphicsClockCeilingKHz);
    EXPECT_EQ(board->memoryClockCeilingKHz, row.memoryClockCeilingKHz);
  }
  EXPECT_FALSE(gpu::FindFixedClockBoard(0x0FF2).has_value());
  EXPECT_FALSE(gpu::FindFixedClockBoard(0x0FF210DF).has_value());
  EXPECT_FALSE(gpu::FindFixedClockBoard(0).has_value());
}

std::unique_ptr<gpu::SlotTable> Seeded(const std::string& scenario) {
  testing_support::OrderedScenario s(scenario);
  gpu::SeedFixedClocks(s.vendor, *s.table);
  return std::move(s.table);
}

// Whether the slot is a table board, and its graphics and memory clock ceilings.
std::tuple<int, std::uint32_t, std::uint32_t> Ceilings(const gpu::GpuSlot& slot) {
  return {slot.fixedClockBoard.Load(), slot.graphicsClockCeilingKHz.Load(),
          slot.memoryClockCeilingKHz.Load()};
}

TEST(DiscoveryFixedClocks, ABoardOfTheTableGetsItsCeilings) {
  const auto table = Seeded("gpu\n  pci 0x0FF210DE 0x101210DE 0xA1\nend\n");
  const gpu::GpuSlot& slot = table->slots[0];
  EXPECT_EQ(Ceilings(slot), std::make_tuple(1, 850000u, 891000u));
  EXPECT_EQ(Ceilings(table->slots[1]), std::make_tuple(0, 0u, 0u));  // not in use
  EXPECT_EQ(slot.fixedGraphicsCeilingKHz.Load(), 850000u);
  EXPECT_EQ(slot.fixedMemoryCeilingKHz.Load(), 891000u);
}

TEST(DiscoveryFixedClocks, TheCeilingsFollowTheSlotNotTheHandle) {
  // The table board is handle 0 on bus 5, so it sits in slot 1.
  const auto table =
      Seeded(testing_support::Gpus({"  bus 5\n  pci 0x13F210DE\n", "  bus 2\n  pci 0x220610DE\n"}));
  EXPECT_EQ(Ceilings(table->slots[0]), std::make_tuple(0, 0u, 0u));
  EXPECT_EQ(Ceilings(table->slots[1]), std::make_tuple(1, 745000u, 1250000u));
}

TEST(DiscoveryFixedClocks, AnUnreadableIdentifierLeavesTheDefaults) {
  const auto table =
      Seeded("gpu\n  pci 0x0FF210DE\n  fail NvAPI_GPU_GetPCIIdentifiers -104\nend\n");
  EXPECT_EQ(Ceilings(table->slots[0]), std::make_tuple(0, 0u, 0u));
}

}  // namespace
