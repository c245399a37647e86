#include "gpu/discovery.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

class DiscoveryWhole : public ::testing::Test {
 protected:
  gpu::DiscoveryResult Discover(const std::string& scenario) {
    vendor = std::make_unique<testing_support::SimVendor>(scenario);
    gpu::Vendor v = vendor->Get();
    return gpu::DiscoverGpus(v, *table, L"C:\\Windows", messages);
  }

  std::unique_ptr<testing_support::SimVendor> vendor;
  std::unique_ptr<gpu::SlotTable> table = std::make_unique<gpu::SlotTable>();
  testing_support::RecordedMessages messages;
};

TEST_F(DiscoveryWhole, TwoGpusAreOrderedNamedSeededAndProbed) {
  // Left from an earlier run: discovery starts from the initial table.
  table->slots[3].handleIndex.Store(5);
  table->slots[3].coolerVersion.Store(1);
  const gpu::DiscoveryResult result = Discover(
      testing_support::Gpus({"  name Fifth\n  bus 5\n  fans 2 both\n  accept clocks 0x20108\n",
                             "  name Second\n  bus 2\n  pci 0x0FF210DE\n  fans 2 both\n"}));
  ASSERT_TRUE(result.Ready());
  EXPECT_EQ(result.FailureText(), L"");
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_TRUE(sim::NvmlInitialized());
  EXPECT_EQ(table->gpuCount.Load(), 2);
  EXPECT_EQ(table->slots[0].handleIndex.Load(), 1u);
  EXPECT_EQ(std::wstring(table->slots[0].gpuName.Load()), L"Second");
  EXPECT_EQ(table->slots[0].fixedClockBoard.Load(), 1);
  EXPECT_EQ(table->slots[0].clockVersionCurrent.Load(), 0x30108u);
  EXPECT_EQ(std::wstring(table->slots[1].gpuName.Load()), L"Fifth");
  EXPECT_EQ(table->slots[1].clockVersionCurrent.Load(), 0x20108u);
  EXPECT_EQ(table->slots[3].handleIndex.Load(), 0u);
  EXPECT_EQ(table->slots[3].coolerVersion.Load(), 0x40558u);
}

TEST_F(DiscoveryWhole, AnNvapiFailureStopsBeforeNvml) {
  table->gpuCount.Store(2);  // left from an earlier run
  const gpu::DiscoveryResult result = Discover("fail NvAPI_Initialize -6\ngpu\nend\n");
  EXPECT_EQ(result.outcome, gpu::DiscoveryOutcome::kNvapiFailed);
  EXPECT_EQ(table->gpuCount.Load(), 0);
  EXPECT_EQ(result.status, -6);
  EXPECT_EQ(result.FailureText(), L"NvAPIの初期化に失敗しました\nerrorcode -6");
  EXPECT_EQ(sim::NvmlCallCount("nvmlInit"), 0u);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DiscoveryWhole, MissingNvmlWarnsAndGoesOn) {
  const gpu::DiscoveryResult result = Discover("library nvml missing\ngpu\n  name Solo\nend\n");
  EXPECT_TRUE(result.Ready());
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{L"nvml.dllのロードに失敗しました"});
  EXPECT_EQ(std::wstring(table->slots[0].gpuName.Load()), L"Solo");
}

TEST_F(DiscoveryWhole, AnUnreadableNameFailsBeforeTheProbes) {
  const gpu::DiscoveryResult result = Discover("gpu\n  fail NvAPI_GPU_GetFullName -104\nend\n");
  EXPECT_EQ(result.outcome, gpu::DiscoveryOutcome::kNameUnreadable);
  EXPECT_EQ(result.FailureText(), L"GPU名を取得できません");
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetPCIIdentifiers), 0u);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetAllClockFrequencies), 0u);
}

TEST_F(DiscoveryWhole, NineGpusGoOnWithEight) {
  std::string scenario;
  for (int bus = 9; bus >= 1; --bus) scenario += "gpu\n  bus " + std::to_string(bus) + "\nend\n";
  const gpu::DiscoveryResult result = Discover(scenario);
  EXPECT_TRUE(result.Ready());
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(table->gpuCount.Load(), 8);
  EXPECT_EQ(table->slots[7].handleIndex.Load(), 1u);  // bus 8
  // Eight GPUs probed: three clock tries each.
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetAllClockFrequencies), 24u);
}

}  // namespace
