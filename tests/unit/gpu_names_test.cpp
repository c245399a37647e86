#include "gpu/gpu_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::Gpus;

const std::wstring kTooMany =
    L"ビデオカードが9枚以上存在します\n認識できるビデオカードは8枚までです\n8枚までを認識します";

std::wstring Widen(const std::string& bytes, bool terminated = true) {
  char ansi[nvapi::kShortStringSize];
  std::memset(ansi, terminated ? 0 : 'Z', sizeof ansi);
  std::memcpy(ansi, bytes.data(), std::min(bytes.size(), sizeof ansi));
  wchar_t wide[gpu::kNameBufferLength];
  std::fill(std::begin(wide), std::end(wide), L'#');
  const std::size_t length = gpu::WidenGpuName(ansi, wide);
  EXPECT_EQ(wide[length], L'\0');
  EXPECT_EQ(std::wstring(wide).size(), length);
  return wide;
}

TEST(DiscoveryNameText, NamesAreKeptUpToThirtyNineCharacters) {
  EXPECT_EQ(Widen(""), L"");
  EXPECT_EQ(Widen("Quorvane Sim 3060"), L"Quorvane Sim 3060");
  const std::string exact(39, 'a');
  EXPECT_EQ(Widen(exact), std::wstring(39, L'a'));
  EXPECT_EQ(Widen(exact + "b"), std::wstring(39, L'a'));
  EXPECT_EQ(Widen(std::string(63, 'c')), std::wstring(39, L'c'));
}

TEST(DiscoveryNameText, AnUnterminatedNameStopsWithinItsBytes) {
  EXPECT_EQ(Widen("Short", false), L"Short" + std::wstring(34, L'Z'));
  EXPECT_EQ(Widen(std::string(64, 'x'), false), std::wstring(39, L'x'));
}

TEST(DiscoveryNameText, HighBytesAreTakenAsLatin1) {
  EXPECT_EQ(Widen("GPU \xC4\xE9\xFF\x80"), L"GPU \u00C4\u00E9\u00FF\u0080");
}

// Enumerates, orders and names the GPUs of a scenario, keeping every text shown.
class DiscoveryNames : public ::testing::Test {
 protected:
  bool Name(const std::string& scenario) {
    ordered = std::make_unique<testing_support::OrderedScenario>(scenario);
    return gpu::ReadGpuNames(ordered->vendor, *ordered->table, messages);
  }
  std::wstring SlotName(int slot) const { return ordered->table->slots[slot].gpuName.Load(); }

  std::unique_ptr<testing_support::OrderedScenario> ordered;
  testing_support::RecordedMessages messages;
};

TEST_F(DiscoveryNames, EachNameGoesIntoTheBufferOfItsHandle) {
  ASSERT_TRUE(Name(Gpus({"  name Fifth Bus\n  bus 5\n", "  name Second Bus\n  bus 2\n"})));
  const gpu::SlotTable& table = *ordered->table;
  EXPECT_EQ(table.slots[0].gpuName.Load(), table.nameBuffers[1]);
  EXPECT_EQ(table.slots[1].gpuName.Load(), table.nameBuffers[0]);
  EXPECT_EQ(std::wstring(table.nameBuffers[1]), L"Second Bus");
  EXPECT_EQ(std::wstring(table.nameBuffers[0]), L"Fifth Bus");
  EXPECT_EQ(SlotName(2), L"- empty -");
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DiscoveryNames, AnUnterminatedDriverNameIsCutToThirtyNine) {
  ASSERT_TRUE(Name("gpu\n  name Quorvane Sim Broken Firmware\n  quirk name-unterminated\nend\n"));
  EXPECT_EQ(SlotName(0).size(), 39u);
  EXPECT_EQ(SlotName(0).rfind(L"Quorvane Sim Broken Firmware", 0), 0u);
}

TEST_F(DiscoveryNames, AnUnreadableNameStopsTheLoopAndLeavesTheSlot) {
  EXPECT_FALSE(Name(Gpus({"  name First\n  bus 1\n",
                          "  name Second\n  bus 2\n  fail NvAPI_GPU_GetFullName -104\n",
                          "  name Third\n  bus 3\n"})));
  EXPECT_EQ(SlotName(0), L"First");
  EXPECT_EQ(SlotName(1), L"- empty -");
  EXPECT_EQ(SlotName(2), L"- empty -");
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 2u);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DiscoveryNames, NineGpusWarnOnceAfterEightNamesAndKeepEight) {
  std::vector<std::uint32_t> namesReadAtWarning;
  messages.onShow = [&] {
    namesReadAtWarning.push_back(sim::NvapiCallCount(nvapi::kIdGetFullName));
  };
  EXPECT_TRUE(Name(testing_support::GpusOnBuses({7, 3, 12, 1, 9, 4, 15, 2, 6})));
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{kTooMany});
  EXPECT_EQ(namesReadAtWarning, std::vector<std::uint32_t>{8});
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 8u);
  EXPECT_EQ(ordered->table->gpuCount.Load(), 8);
  const int buses[] = {1, 2, 3, 4, 6, 7, 9, 12};
  for (int s = 0; s < 8; ++s) EXPECT_EQ(SlotName(s), L"Bus " + std::to_wstring(buses[s]));
}

TEST_F(DiscoveryNames, EightGpusAreNoWarning) {
  EXPECT_TRUE(Name(testing_support::GpusOnBuses({8, 7, 6, 5, 4, 3, 2, 1})));
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(ordered->table->gpuCount.Load(), 8);
}

TEST_F(DiscoveryNames, HighBytesFromTheDriverAreWidenedAsLatin1) {
  testing_support::DiscoveryFakeVendor fake;
  std::memcpy(fake.driver.name.data(), "Karte \334ber", 10);  // octal 334: U with diaeresis
  const auto table = testing_support::EnumeratedTable(fake.vendor, false);
  ASSERT_TRUE(gpu::ReadGpuName(fake.vendor, *table, 0, 0));
  EXPECT_EQ(std::wstring(table->slots[0].gpuName.Load()), L"Karte \u00DCber");
}

TEST_F(DiscoveryNames, IndexesOutsideTheTablesAreRefused) {
  testing_support::DiscoveryFakeVendor fake;
  const auto table = testing_support::EnumeratedTable(fake.vendor, false);
  EXPECT_FALSE(gpu::ReadGpuName(fake.vendor, *table, 8, 0));
  EXPECT_FALSE(gpu::ReadGpuName(fake.vendor, *table, 0, 64));
  EXPECT_EQ(std::wstring(table->slots[0].gpuName.Load()), L"- empty -");
}

}  // namespace
