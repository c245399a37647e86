#include "gpu/display_gpu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

std::int32_t DisplayGpu(const std::string& scenario) {
  testing_support::OrderedScenario s(scenario);
  return gpu::FindDisplayGpu(s.vendor, *s.table);
}

TEST(DiscoveryDisplayGpu, TheSlotDrivingThePrimaryDisplay) {
  EXPECT_EQ(DisplayGpu("gpu\n  display dp 0x1001 primary\nend\n"), 0);
  // The primary display hangs on handle 1 (bus 2): slot 0.
  EXPECT_EQ(DisplayGpu("gpu\n  bus 5\n  display dp 0x1001\nend\n"
                       "gpu\n  bus 2\n  display dvi 0x2001 primary\nend\n"),
            0);
  // Handle 0 (bus 5) is slot 1 and has the primary display as its second one.
  EXPECT_EQ(DisplayGpu("gpu\n  bus 5\n  display dp 0x1001\n  display hdmi 0x1002 primary\nend\n"
                       "gpu\n  bus 2\n  display dvi 0x2001\nend\n"),
            1);
}

TEST(DiscoveryDisplayGpu, AGpuWithoutDisplaysIsPassedOver) {
  EXPECT_EQ(DisplayGpu("gpu\n  bus 1\n  driver tcc\nend\n"
                       "gpu\n  bus 2\n  display hdmi 0x2001\nend\n"
                       "gpu\n  bus 3\n  display dp 0x3001 primary\nend\n"),
            2);
}

TEST(DiscoveryDisplayGpu, NoMatchingDisplayIsNoDisplayGpu) {
  // No primary display: the display-id query fails and its pre-set 0 matches nothing.
  EXPECT_EQ(DisplayGpu("gpu\n  display dp 0x1001\nend\ngpu\n  display dp 0x1002\nend\n"),
            gpu::kNoDisplayGpu);
  EXPECT_EQ(DisplayGpu("gpu\nend\n"), -1);
  testing_support::OrderedScenario none("gpu\n  display dp 0x1001 primary\nend\n");
  none.table->gpuCount.Store(0);  // no slot in use
  EXPECT_EQ(gpu::FindDisplayGpu(none.vendor, *none.table), gpu::kNoDisplayGpu);
}

TEST(DiscoveryDisplayGpu, AFailedCountEndsTheSearch) {
  EXPECT_EQ(DisplayGpu("gpu\n  bus 1\n  fail NvAPI_GPU_GetConnectedDisplayIds -104\nend\n"
                       "gpu\n  bus 2\n  display dp 0x2001 primary\nend\n"),
            -1);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetConnectedDisplayIds), 1u);
}

TEST(DiscoveryDisplayGpu, AFailedFillEndsTheSearch) {
  EXPECT_EQ(DisplayGpu("gpu\n  bus 1\n  display dp 0x1001\n  accept display-ids 0x10010\nend\n"
                       "gpu\n  bus 2\n  display dp 0x2001 primary\nend\n"),
            -1);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetConnectedDisplayIds), 2u);
}

TEST(DiscoveryDisplayGpu, AnAbsurdDisplayCountStillFindsTheDisplay) {
  EXPECT_EQ(DisplayGpu("gpu\n  display dp 0x1001\n  display hdmi 0x1002 primary\n"
                       "  quirk display-count 1000000\nend\n"),
            0);
}

class DiscoveryDisplayBounds : public ::testing::Test {
 protected:
  // With `countWritten` false the display count is answered without being written.
  std::int32_t Find(bool countWritten = true) {
    const auto table = testing_support::EnumeratedTable(fake.vendor, false);
    fake.driver.countsWritten = countWritten;
    return gpu::FindDisplayGpu(fake.vendor, *table);
  }

  testing_support::DiscoveryFakeVendor fake;
};

TEST_F(DiscoveryDisplayBounds, EntriesAreVersionedAndNeverMoreThanSixteen) {
  fake.driver.displaysReported = 1000000;
  fake.driver.filledReported = 1000000;
  fake.driver.displayIds = {0x11, 0x22};
  fake.driver.wantedDisplay = 0x22;
  EXPECT_EQ(Find(), 0);
  EXPECT_EQ(fake.driver.fillCountsGiven, std::vector<std::uint32_t>{16});
  EXPECT_EQ(fake.driver.entryVersionsGiven, std::vector<std::uint32_t>(16, 0x30010));
}

TEST_F(DiscoveryDisplayBounds, ADisplayBeyondTheBoundIsNotLookedFor) {
  fake.driver.displaysReported = 21;
  fake.driver.filledReported = 0xFFFFFFFFu;
  fake.driver.displayIds.assign(21, 0x77);
  fake.driver.displayIds[20] = 0x99;
  fake.driver.wantedDisplay = 0x99;
  EXPECT_EQ(Find(), -1);
  EXPECT_EQ(fake.driver.fillCountsGiven, std::vector<std::uint32_t>{16});
}

TEST_F(DiscoveryDisplayBounds, OnlyTheEntriesTheDriverFilledAreRead) {
  // Two displays reported, then only one filled; the failed display-id query leaves 0, the id
  // of the unfilled entry.
  fake.driver.displaysReported = 2;
  fake.driver.filledReported = 1;
  fake.driver.displayIds = {0x11};
  fake.driver.displayIdStatus = nvapi::kNvidiaDeviceNotFound;
  EXPECT_EQ(Find(), -1);
  EXPECT_EQ(fake.driver.fillCountsGiven, std::vector<std::uint32_t>{2});
  EXPECT_EQ(fake.driver.entryVersionsGiven, (std::vector<std::uint32_t>{0x30010, 0x30010}));
}

TEST_F(DiscoveryDisplayBounds, ACountTheDriverLeavesUnwrittenIsNoDisplay) {
  fake.driver.displayIds = {0x11};
  fake.driver.wantedDisplay = 0x11;
  EXPECT_EQ(Find(false), -1);
  EXPECT_TRUE(fake.driver.fillCountsGiven.empty());
}

}  // namespace
