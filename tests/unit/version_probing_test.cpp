#include "gpu/version_probing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

struct Probed {
  std::unique_ptr<gpu::SlotTable> table;
  std::vector<std::uint32_t> sleeps;
  const gpu::GpuSlot& Slot(int s) const { return table->slots[s]; }
  // Whether the first slot keeps the fan-cooler status query, and its fan count.
  std::pair<int, std::uint32_t> FanCooler() const {
    return {Slot(0).hasFanCoolerStatus.Load(), Slot(0).fanCoolerCount.Load()};
  }
};

Probed Probe(const std::string& scenario) {
  testing_support::OrderedScenario s(scenario);
  gpu::ProbeStructureVersions(s.vendor, *s.table);
  return {std::move(s.table), s.sim.system.sleeps};
}

const auto Calls = &sim::NvapiCallCount;

using Words = std::vector<std::uint32_t>;

// The record versions kept for the slot: current, base and boost clocks, performance states,
// thermal settings, memory information and cooler settings.
Words Versions(const gpu::GpuSlot& slot) {
  return {slot.clockVersionCurrent.Load(), slot.clockVersionBase.Load(),
          slot.clockVersionBoost.Load(),   slot.pstates20Version.Load(),
          slot.thermalVersion.Load(),      slot.memoryInfoVersion.Load(),
          slot.coolerVersion.Load()};
}

// A GPU that answers every query in its newest version, plus `lines` inside its block.
std::string Gpu(const std::string& lines = "") {
  return "gpu\n  fans 2 both\n" + lines + "end\n";
}

TEST(DiscoveryVersions, TheNewestVersionsStayWhenAccepted) {
  const Probed p = Probe(Gpu());
  const gpu::GpuSlot& slot = p.Slot(0);
  EXPECT_EQ(Versions(slot), (Words{0x30108, 0x30108, 0x30108, 0x31CF8, 0x20044, 0x30020, 0x40558}));
  EXPECT_EQ(p.FanCooler(), std::make_pair(1, 2u));
  EXPECT_TRUE(p.sleeps.empty());
  EXPECT_EQ(Calls(nvapi::kIdGetAllClockFrequencies), 3u);
  EXPECT_EQ(Calls(nvapi::kIdGetFanCoolerStatus), 1u);
}

TEST(DiscoveryVersions, ClockVersionOneIsStoredUntriedAfterTwoTriesAndOnePause) {
  const Probed p = Probe(Gpu("  accept clocks 0x10108\n"));
  EXPECT_EQ(Versions(p.Slot(0)),
            (Words{0x10108, 0x10108, 0x10108, 0x31CF8, 0x20044, 0x30020, 0x40558}));
  EXPECT_EQ(Calls(nvapi::kIdGetAllClockFrequencies), 6u);  // versions 3 and 2 per clock type
  EXPECT_EQ(p.sleeps, (Words{1, 1, 1}));
}

TEST(DiscoveryVersions, AnOldDriverWalksDownEveryList) {
  const Probed p = Probe(
      "gpu\n  fans 1 cooler\n  accept clocks 0x10108\n  accept pstates20 0x11C94\n"
      "  accept thermal 0x10044\n  accept memory 0x10014\n  accept cooler 0x103C8\n"
      "end\nabsent fan-cooler-status\n");
  const gpu::GpuSlot& slot = p.Slot(0);
  EXPECT_EQ(Versions(slot), (Words{0x10108, 0x10108, 0x10108, 0x11C94, 0x10044, 0x10014, 0x103C8}));
  EXPECT_EQ(p.FanCooler(), std::make_pair(0, 0u));
  EXPECT_EQ(Calls(nvapi::kIdGetPstates20), 2u);  // version 1 is not tried
  EXPECT_EQ(Calls(nvapi::kIdGetThermalSettings), 1u);
  EXPECT_EQ(Calls(nvapi::kIdGetMemoryInfo), 2u);
  EXPECT_EQ(Calls(nvapi::kIdGetCoolerSettings), 4u);
  // Clocks 3 x 1, cooler 3 (before each retry), fan-cooler status 1; none elsewhere.
  EXPECT_EQ(p.sleeps, Words(7, 1));
}

TEST(DiscoveryVersions, TheMiddleVersionsAreFoundWithoutPausesWhereNoneAreDue) {
  const Probed p = Probe(Gpu("  accept pstates20 0x21CF8\n  accept memory 0x20018\n"));
  EXPECT_EQ(Versions(p.Slot(0)),
            (Words{0x30108, 0x30108, 0x30108, 0x21CF8, 0x20044, 0x20018, 0x40558}));
  EXPECT_TRUE(p.sleeps.empty());
}

TEST(DiscoveryVersions, ACoolerAcceptingNothingGetsTheFallbackAfterThreePauses) {
  const Probed p = Probe(Gpu("  fail cooler -104\n"));
  EXPECT_EQ(p.Slot(0).coolerVersion.Load(), 0x10098u);
  EXPECT_EQ(Calls(nvapi::kIdGetCoolerSettings), 4u);
  EXPECT_EQ(p.sleeps.size(), 3u);
}

TEST(DiscoveryVersions, ACoolerVersionThreeIsFoundAfterOnePause) {
  const Probed p = Probe(Gpu("  accept cooler 0x30508\n"));
  EXPECT_EQ(p.Slot(0).coolerVersion.Load(), 0x30508u);
  EXPECT_EQ(Calls(nvapi::kIdGetCoolerSettings), 2u);
  EXPECT_EQ(p.sleeps.size(), 1u);
}

TEST(DiscoveryVersions, TheFanCoolerCountIsTheByteAfterTheVersionWord) {
  const Probed p = Probe(Gpu("  quirk fan-cooler-count 255\n"));
  EXPECT_EQ(p.FanCooler(), std::make_pair(1, 255u));
}

TEST(DiscoveryVersions, TheFanCoolerQueryIsRetriedOnceAfterAPause) {
  const Probed p = Probe(Gpu("  quirk fan-cooler-count 3\n  fail fan-cooler-status -104 to 1\n"));
  EXPECT_EQ(p.FanCooler(), std::make_pair(1, 3u));
  EXPECT_EQ(Calls(nvapi::kIdGetFanCoolerStatus), 2u);
  EXPECT_EQ(p.sleeps.size(), 1u);
}

TEST(DiscoveryVersions, AFanCoolerQueryFailingTwiceLeavesItsFields) {
  const Probed p = Probe("gpu\n  fans 1 cooler\nend\n");  // answered by the cooler query only
  EXPECT_EQ(p.FanCooler(), std::make_pair(0, 0u));
  EXPECT_EQ(Calls(nvapi::kIdGetFanCoolerStatus), 2u);
  EXPECT_EQ(p.sleeps.size(), 1u);
}

TEST(DiscoveryVersions, EachSlotIsProbedWithItsOwnGpu) {
  // Handle 0 (bus 5, slot 1) is the old one.
  const Probed p = Probe("gpu\n  bus 5\n  fans 2 both\n  accept clocks 0x20108\nend\n" +
                         std::string("gpu\n  bus 2\n  fans 2 both\nend\n"));
  EXPECT_EQ(p.Slot(0).clockVersionCurrent.Load(), 0x30108u);
  EXPECT_EQ(p.Slot(1).clockVersionCurrent.Load(), 0x20108u);
  EXPECT_EQ(p.Slot(2).clockVersionCurrent.Load(), 0x30108u);  // not in use: untouched
  EXPECT_EQ(Calls(nvapi::kIdGetAllClockFrequencies), 9u);
}

// What the driver sees of the records: zero apart from the version word and the inputs.
class DiscoveryVersionRecords : public ::testing::Test {
 protected:
  void SetUp() override { gpu::ProbeStructureVersions(fake.vendor, *table); }

  testing_support::DiscoveryFakeVendor fake;
  std::unique_ptr<gpu::SlotTable> table = testing_support::EnumeratedTable(fake.vendor, false);
};

TEST_F(DiscoveryVersionRecords, TheProbeRecordsCarryOnlyTheirInputs) {
  const auto& clocks = fake.driver.clockRecords;  // the fake refuses every clock version
  ASSERT_EQ(clocks.size(), 6u);
  for (std::size_t i = 0; i < clocks.size(); ++i) {  // versions 3 and 2 of each clock type
    EXPECT_EQ(clocks[i].version, i % 2 == 0 ? 0x30108u : 0x20108u) << i;
    EXPECT_EQ(clocks[i].clockTypeBits & 0xFu, i / 2) << i;
    for (const auto& domain : clocks[i].domain) {
      EXPECT_EQ(domain.presentBits | domain.frequencyKHz, 0u);
    }
  }
  EXPECT_EQ(table->slots[0].clockVersionCurrent.Load(), 0x10108u);
  ASSERT_EQ(fake.driver.pstatesRecords.size(), 1u);
  const auto& pstates = fake.driver.pstatesRecords[0];
  EXPECT_EQ(pstates.version, 0x31CF8u);
  EXPECT_EQ(pstates.flags, 0u);
  EXPECT_EQ(pstates.numPstates, 1u);  // third word
  EXPECT_EQ(pstates.numClocks, 1u);   // fourth word
  EXPECT_EQ(pstates.numBaseVoltages, 0u);
  EXPECT_EQ(pstates.pstates[0].pstateId, 0u);
  EXPECT_EQ(fake.driver.thermalSensors, Words{0});
  EXPECT_EQ(fake.driver.coolerIndexes, Words{0});
}

TEST_F(DiscoveryVersionRecords, TheQueriesRunInTheirOrder) {
  Words expected(6, nvapi::kIdGetAllClockFrequencies);
  expected.insert(expected.end(), {nvapi::kIdGetPstates20, nvapi::kIdGetThermalSettings,
                                   nvapi::kIdGetMemoryInfo, nvapi::kIdGetCoolerSettings,
                                   nvapi::kIdGetFanCoolerStatus, nvapi::kIdGetFanCoolerStatus});
  EXPECT_EQ(fake.driver.probeCalls, expected);
}

}  // namespace
