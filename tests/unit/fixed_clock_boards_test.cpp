#include "gpu/fixed_clock_boards.h"

#include <gtest/gtest.h>

#include <memory>

#include "gpu/gpu_enumeration.h"
#include "gpu/slot_ordering.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::SimVendor;

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
  SimVendor v(scenario);
  gpu::Vendor vendor = v.Get();
  auto table = std::make_unique<gpu::SlotTable>();
  EXPECT_EQ(gpu::EnumerateGpus(vendor, *table), nvapi::kOk);
  gpu::OrderSlotsByBus(vendor, *table);
  gpu::SeedFixedClocks(vendor, *table);
  return table;
}

TEST(DiscoveryFixedClocks, ABoardOfTheTableGetsItsCeilings) {
  const auto table = Seeded("gpu\n  pci 0x0FF210DE 0x101210DE 0xA1\nend\n");
  const gpu::GpuSlot& slot = table->slots[0];
  EXPECT_EQ(slot.fixedClockBoard.Load(), 1);
  EXPECT_EQ(slot.graphicsClockCeilingKHz.Load(), 850000u);
  EXPECT_EQ(slot.memoryClockCeilingKHz.Load(), 891000u);
  EXPECT_EQ(slot.fixedGraphicsCeilingKHz.Load(), 850000u);
  EXPECT_EQ(slot.fixedMemoryCeilingKHz.Load(), 891000u);
}

TEST(DiscoveryFixedClocks, TheCeilingsFollowTheSlotNotTheHandle) {
  // The table board is handle 0 on bus 5, so it sits in slot 1.
  const auto table = Seeded(R"(
gpu
  bus 5
  pci 0x13F210DE
end
gpu
  bus 2
  pci 0x220610DE
end
)");
  EXPECT_EQ(table->slots[0].fixedClockBoard.Load(), 0);
  EXPECT_EQ(table->slots[0].graphicsClockCeilingKHz.Load(), 0u);
  EXPECT_EQ(table->slots[1].fixedClockBoard.Load(), 1);
  EXPECT_EQ(table->slots[1].graphicsClockCeilingKHz.Load(), 745000u);
  EXPECT_EQ(table->slots[1].memoryClockCeilingKHz.Load(), 1250000u);
}

TEST(DiscoveryFixedClocks, AnUnreadableIdentifierLeavesTheDefaults) {
  const auto table =
      Seeded("gpu\n  pci 0x0FF210DE\n  fail NvAPI_GPU_GetPCIIdentifiers -104\nend\n");
  EXPECT_EQ(table->slots[0].fixedClockBoard.Load(), 0);
  EXPECT_EQ(table->slots[0].graphicsClockCeilingKHz.Load(), 0u);
  EXPECT_EQ(table->slots[0].memoryClockCeilingKHz.Load(), 0u);
}

}  // namespace
