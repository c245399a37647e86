#include "gpu/slot_ordering.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gpu/gpu_enumeration.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::SimVendor;

std::vector<std::uint32_t> Sorted(std::vector<std::uint32_t> values) {
  gpu::ExchangeSortAscending(values.data(), values.size());
  return values;
}

TEST(DiscoveryBusSort, AscendingAsUnsignedWithDuplicatesKept) {
  EXPECT_EQ(Sorted({5, 2}), (std::vector<std::uint32_t>{2, 5}));
  EXPECT_EQ(Sorted({7, 3, 12, 1, 9, 4, 15, 2, 6}),
            (std::vector<std::uint32_t>{1, 2, 3, 4, 6, 7, 9, 12, 15}));
  EXPECT_EQ(Sorted({0xFFFFFFFFu, 0, 0x80000000u, 1}),
            (std::vector<std::uint32_t>{0, 1, 0x80000000u, 0xFFFFFFFFu}));
  EXPECT_EQ(Sorted({4, 0, 4, 0}), (std::vector<std::uint32_t>{0, 0, 4, 4}));
  EXPECT_EQ(Sorted({}), std::vector<std::uint32_t>{});
}

// The handle index of each slot in use after enumeration and ordering over `scenario`.
std::vector<std::uint32_t> SlotHandles(const std::string& scenario) {
  SimVendor v(scenario);
  gpu::Vendor vendor = v.Get();
  auto table = std::make_unique<gpu::SlotTable>();
  EXPECT_EQ(gpu::EnumerateGpus(vendor, *table), nvapi::kOk);
  gpu::OrderSlotsByBus(vendor, *table);
  std::vector<std::uint32_t> handles;
  for (const gpu::GpuSlot& slot : table->slots) handles.push_back(slot.handleIndex.Load());
  return handles;
}

TEST(DiscoverySlotOrder, OneGpuHoldsHandleZero) {
  EXPECT_EQ(SlotHandles("gpu\n  bus 9\nend\n"),
            (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(DiscoverySlotOrder, TheSmallerBusNumberTakesSlotZero) {
  const auto handles = SlotHandles("gpu\n  bus 5\nend\ngpu\n  bus 2\nend\n");
  EXPECT_EQ(handles[0], 1u);
  EXPECT_EQ(handles[1], 0u);
}

TEST(DiscoverySlotOrder, AComputeGpuTakesItsPlaceByBus) {
  // Enumerated as bus 3, bus 2 (display GPUs), then bus 1 (compute-only).
  const auto handles = SlotHandles(R"(
gpu
  bus 3
end
gpu
  bus 1
  driver tcc
end
gpu
  bus 2
end
)");
  EXPECT_EQ(handles[0], 2u);
  EXPECT_EQ(handles[1], 1u);
  EXPECT_EQ(handles[2], 0u);
}

TEST(DiscoverySlotOrder, NineGpusFillEightSlotsWithTheLowestBuses) {
  // Buses in enumeration order 7 3 12 1 9 4 15 2 6; bus 15 gets no slot.
  std::string scenario;
  for (int bus : {7, 3, 12, 1, 9, 4, 15, 2, 6}) {
    scenario += "gpu\n  bus " + std::to_string(bus) + "\nend\n";
  }
  EXPECT_EQ(SlotHandles(scenario), (std::vector<std::uint32_t>{3, 7, 1, 5, 8, 0, 4, 2}));
}

TEST(DiscoverySlotOrder, AnUnreadableBusSortsFirstAndItsSlotKeepsHandleZero) {
  // Handle 1 cannot tell its bus: sorted buses are 0, 2, 5; nothing reads 0, so slot 0 keeps
  // handle 0, which is also slot 2's GPU (bus 5).
  const auto handles = SlotHandles(R"(
gpu
  bus 5
end
gpu
  bus 3
  fail NvAPI_GPU_GetBusId -104
end
gpu
  bus 2
end
)");
  EXPECT_EQ(handles[0], 0u);
  EXPECT_EQ(handles[1], 2u);
  EXPECT_EQ(handles[2], 0u);
}

TEST(DiscoverySlotOrder, EveryMatchReadsTheBusAgain) {
  // Handle 1 tells bus 2 at its first read and fails afterwards: it sorts first, yet no slot
  // matches it, so slot 0 keeps handle 0, which also holds slot 1 (bus 5).
  const auto handles = SlotHandles(R"(
gpu
  bus 5
end
gpu
  bus 2
  fail NvAPI_GPU_GetBusId -104 from 2
end
)");
  EXPECT_EQ(handles[0], 0u);
  EXPECT_EQ(handles[1], 0u);
}

TEST(DiscoverySlotOrder, EqualBusNumbersGiveBothSlotsTheLastMatch) {
  const auto handles = SlotHandles("gpu\n  bus 4\nend\ngpu\n  bus 4\nend\ngpu\n  bus 1\nend\n");
  EXPECT_EQ(handles[0], 2u);
  EXPECT_EQ(handles[1], 1u);
  EXPECT_EQ(handles[2], 1u);
}

}  // namespace
