#include "gpu/slot_ordering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::Gpus;

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

// Only counted handles are asked for their bus: not one written beyond the count, and none at
// all while no GPU is counted.
TEST(DiscoveryBusSort, OnlyTheCountedHandlesAreAsked) {
  testing_support::DiscoveryFakeVendor fake;  // every GPU answers bus 7
  fake.driver.displayGpus = 2;                // two handles written, one reported
  EXPECT_EQ(testing_support::EnumeratedTable(fake.Get())->slots[0].handleIndex.Load(), 0u);
  testing_support::OrderedScenario s(Gpus({"  bus 5\n"}));
  const std::uint32_t asked = sim::NvapiCallCount(nvapi::kIdGetBusId);
  s.table->gpuCount.Store(0);
  gpu::OrderSlotsByBus(s.vendor, *s.table);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetBusId), asked);
}

// A scenario and the handle index the first slots must hold after ordering.
struct SlotOrderCase {
  const char* name;
  std::string scenario;
  std::vector<std::uint32_t> firstSlots;
};

class DiscoverySlotOrder : public ::testing::TestWithParam<SlotOrderCase> {};

TEST_P(DiscoverySlotOrder, SlotsHoldTheHandlesOfAscendingBuses) {
  const testing_support::OrderedScenario s(GetParam().scenario);
  const std::vector<std::uint32_t>& expected = GetParam().firstSlots;
  ASSERT_GE(s.table->slots.size(), expected.size());
  std::vector<std::uint32_t> handles;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    handles.push_back(s.table->slots[i].handleIndex.Load());
  }
  EXPECT_EQ(handles, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiscoverySlotOrder,
    ::testing::Values(
        SlotOrderCase{"OneGpuHoldsHandleZero", Gpus({"  bus 9\n"}), {0, 0, 0, 0, 0, 0, 0, 0}},
        SlotOrderCase{"TheSmallerBusNumberTakesSlotZero", Gpus({"  bus 5\n", "  bus 2\n"}), {1, 0}},
        // Enumerated as bus 3, bus 2 (display GPUs), then bus 1 (compute-only).
        SlotOrderCase{"AComputeGpuTakesItsPlaceByBus",
                      Gpus({"  bus 3\n", "  bus 1\n  driver tcc\n", "  bus 2\n"}),
                      {2, 1, 0}},
        // Buses in enumeration order 7 3 12 1 9 4 15 2 6; bus 15 gets no slot.
        SlotOrderCase{"NineGpusFillEightSlotsWithTheLowestBuses",
                      testing_support::GpusOnBuses({7, 3, 12, 1, 9, 4, 15, 2, 6}),
                      {3, 7, 1, 5, 8, 0, 4, 2}},
        // Handle 1 cannot tell its bus: sorted buses are 0, 1, 5; nothing reads 0, so slot 0
        // keeps handle 0, which is also slot 2's GPU (bus 5).
        SlotOrderCase{"AnUnreadableBusSortsFirstAndItsSlotKeepsHandleZero",
                      Gpus({"  bus 5\n", "  bus 3\n  fail NvAPI_GPU_GetBusId -104\n", "  bus 1\n"}),
                      {0, 2, 0}},
        // Slot 2 is not in use: it keeps handle 0 though handle 1 is on bus 0.
        SlotOrderCase{"ASlotNotInUseIsNotMatched", Gpus({"  bus 5\n", "  bus 0\n"}), {1, 0, 0}},
        // Handle 1 tells bus 2 at its first read and fails afterwards: it sorts first, yet no
        // slot matches it, so slot 0 keeps handle 0, which also holds slot 1 (bus 5).
        SlotOrderCase{"EveryMatchReadsTheBusAgain",
                      Gpus({"  bus 5\n", "  bus 2\n  fail NvAPI_GPU_GetBusId -104 from 2\n"}),
                      {0, 0}},
        SlotOrderCase{"EqualBusNumbersGiveBothSlotsTheLastMatch",
                      Gpus({"  bus 4\n", "  bus 4\n", "  bus 1\n"}),
                      {2, 1, 1}}),
    [](const ::testing::TestParamInfo<SlotOrderCase>& info) { return info.param.name; });

}  // namespace
