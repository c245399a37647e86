// The information line over the simulator: the name of the selected GPU, the core counts in
// detail mode, the dashes where the driver refuses, the bounds of the 128-byte line, and a line
// composed from the kept answers without a driver call.
#include "gpu/info_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::SimVendor;

class InfoLine : public ::testing::Test {
 protected:
  // Loads `scenario`, starts both libraries and puts every enumerated GPU in the slot of its
  // position, with detail mode on or off.
  void Load(const std::string& scenario, bool detailMode = false) {
    sim = std::make_unique<SimVendor>(scenario);
    sim->Start();
    ASSERT_GT(testing_support::PlaceEnumeratedGpus(*sim, table), 0);
    table.detailMode.Store(detailMode);
  }

  // The driver asked for every slot in use, as a sampling cycle does, then the line composed.
  std::string Build() {
    gpu::Vendor vendor = sim->Get();
    for (int i = 0; i < table.gpuCount.Load(); ++i) gpu::RefreshInfoFacts(vendor, table, i);
    return Compose();
  }

  std::string Compose() {
    char line[gpu::kInfoLineSize];
    std::memset(line, 'Z', sizeof line);
    gpu::BuildInfoLine(table, line);
    EXPECT_NE(std::memchr(line, '\0', sizeof line), nullptr);
    return line;
  }

  std::string Stored() const {
    char stored[gpu::kInfoLineSize];
    table.infoLine.Load(stored);
    return stored;
  }

  // The line built, and as the table keeps it.
  void ExpectLine(const std::string& expected) {
    EXPECT_EQ(Build(), expected);
    EXPECT_EQ(Stored(), expected);
  }

  std::unique_ptr<SimVendor> sim;
  gpu::SlotTable table;
};

const std::string kBoard = "gpu\n  name Sim Board\n  cores 4352 68 544\n";

TEST_F(InfoLine, DetailModeOffGivesTheNameAlone) {
  Load(kBoard + "end\n");
  ExpectLine("Sim Board");
}

TEST_F(InfoLine, DetailModeAddsCudaRtAndTensorCounts) {
  Load(kBoard + "end\n", true);
  ExpectLine("Sim Board (CUDA Core: 4352 / RT Core: 68 / Tensore Core: 544)");
}

TEST_F(InfoLine, CountsPrintAsUnsigned32BitNumbers) {
  Load("gpu\n  name N\n  cores 4294967295 2147483648 0\nend\n", true);
  EXPECT_EQ(Build(), "N (CUDA Core: 4294967295 / RT Core: 2147483648 / Tensore Core: 0)");
}

TEST_F(InfoLine, RefusedRtAndTensorQueryShowsDashes) {
  const std::string refusals[] = {
      kBoard + "end\nabsent core-counts\n", kBoard + "end\nfail core-counts -104\n",
      kBoard + "  accept core-counts 0x10050\nend\n",  // does not take the record's version
  };
  for (const std::string& scenario : refusals) {
    Load(scenario, true);
    EXPECT_EQ(Build(), "Sim Board (CUDA Core: 4352 / RT Core: --- / Tensore Core: ---)")
        << scenario;
  }
}

TEST_F(InfoLine, CoreCountFailureLeavesTheNameAlone) {
  Load(kBoard + "  fail NvAPI_GPU_GetGpuCoreCount -104\nend\n", true);
  ExpectLine("Sim Board");
}

TEST_F(InfoLine, NameFailureGivesDashesAndClearsTheStoredLine) {
  Load("gpu\n  name Sim Board\n  fail NvAPI_GPU_GetFullName -104 from 2\nend\n", true);
  ASSERT_NE(Build(), "---");
  ASSERT_NE(Stored(), "");
  EXPECT_EQ(Build(), "---");
  EXPECT_EQ(Stored(), "");
}

TEST_F(InfoLine, IsComposedFromTheKeptAnswersWithoutAskingTheDriver) {
  Load("gpu\n  name First\nend\ngpu\n  name Second\n  cores 4352 68 544\nend\n", true);
  Build();
  // Another machine, its driver not even initialised: the line must not ask it.
  ASSERT_TRUE(sim::LoadScenarioText("gpu\n  name Other\nend\n", nullptr));
  table.selectedSlot.Store(1);
  table.detailMode.Store(1);
  EXPECT_EQ(Compose(), "Second (CUDA Core: 4352 / RT Core: 68 / Tensore Core: 544)");
  table.selectedSlot.Store(0);
  table.detailMode.Store(0);
  EXPECT_EQ(Compose(), "First");
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 0u);
}

TEST_F(InfoLine, NamesTheGpuOfTheSelectedSlot) {
  Load("gpu\n  name First\nend\ngpu\n  name Second\nend\n");
  table.selectedSlot.Store(1);
  EXPECT_EQ(Build(), "Second");
  // The slot's handle index, not the slot number, picks the GPU.
  table.slots[1].handleIndex.Store(0);
  EXPECT_EQ(Build(), "First");
}

TEST_F(InfoLine, SelectedSlotOutsideTheSlotsInUseGivesDashes) {
  Load("gpu\n  name First\nend\ngpu\n  name Second\nend\n");
  for (const std::int32_t slot : {-1, 2, 7, 8, 1000, INT32_MIN}) {
    table.selectedSlot.Store(slot);
    EXPECT_EQ(Compose(), "---") << slot;
    EXPECT_EQ(Stored(), "") << slot;
  }
  table.gpuCount.Store(1000);  // never more slots than the table has
  table.selectedSlot.Store(8);
  EXPECT_EQ(Compose(), "---");
}

TEST_F(InfoLine, UnterminatedNameIsReadWithinItsSixtyFourBytes) {
  Load("gpu\n  name N\n  quirk name-unterminated\nend\n");
  ExpectLine("N" + std::string(63, 'X'));
  gpu::Vendor vendor = sim->Get();
  EXPECT_FALSE(gpu::RefreshInfoFacts(vendor, table, 0)) << "the same 64 bytes again";
}

TEST_F(InfoLine, LongLineIsCutAt127Characters) {
  Load("gpu\n  name N\n  quirk name-unterminated\n  cores 4294967295 4294967295 4294967295\nend\n",
       true);
  const std::string full = "N" + std::string(63, 'X') +
                           " (CUDA Core: 4294967295 / RT Core: 4294967295 / Tensore Core: "
                           "4294967295)";
  ASSERT_GT(full.size(), 127u);
  ExpectLine(full.substr(0, 127));
}

// A refresh reports a change of any one count on its own, and nothing when all stayed.
TEST(InfoLineFacts, EachCountThatChangesIsAChange) {
  testing_support::DiscoveryFakeVendor fake;
  const auto table = testing_support::EnumeratedTable(fake.vendor, false);
  table->detailMode.Store(1);
  fake.driver.cores = {4352, 68, 544};
  EXPECT_TRUE(gpu::RefreshInfoFacts(fake.vendor, *table, 0));
  EXPECT_FALSE(gpu::RefreshInfoFacts(fake.vendor, *table, 0));
  for (std::uint32_t& count : fake.driver.cores) {
    count += 1;
    EXPECT_TRUE(gpu::RefreshInfoFacts(fake.vendor, *table, 0)) << count;
  }
}

}  // namespace
