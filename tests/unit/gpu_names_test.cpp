#include "gpu/gpu_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "gpu/gpu_enumeration.h"
#include "gpu/slot_ordering.h"
#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/discovery_messages.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::DiscoveryFakeVendor;
using testing_support::RecordedMessages;
using testing_support::SimVendor;

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

struct Named {
  std::unique_ptr<gpu::SlotTable> table = std::make_unique<gpu::SlotTable>();
  bool ok = false;
};

Named EnumerateOrderAndName(SimVendor& v, RecordedMessages& messages) {
  gpu::Vendor vendor = v.Get();
  Named named;
  EXPECT_EQ(gpu::EnumerateGpus(vendor, *named.table), nvapi::kOk);
  gpu::OrderSlotsByBus(vendor, *named.table);
  named.ok = gpu::ReadGpuNames(vendor, *named.table, messages);
  return named;
}

TEST(DiscoveryNames, EachNameGoesIntoTheBufferOfItsHandle) {
  SimVendor v("gpu\n  name Fifth Bus\n  bus 5\nend\ngpu\n  name Second Bus\n  bus 2\nend\n");
  RecordedMessages messages;
  const Named named = EnumerateOrderAndName(v, messages);
  ASSERT_TRUE(named.ok);
  const gpu::SlotTable& table = *named.table;
  EXPECT_EQ(table.slots[0].gpuName.Load(), table.nameBuffers[1]);
  EXPECT_EQ(table.slots[1].gpuName.Load(), table.nameBuffers[0]);
  EXPECT_EQ(std::wstring(table.nameBuffers[1]), L"Second Bus");
  EXPECT_EQ(std::wstring(table.nameBuffers[0]), L"Fifth Bus");
  EXPECT_EQ(std::wstring(table.slots[2].gpuName.Load()), L"- empty -");
  EXPECT_TRUE(messages.texts.empty());
}

TEST(DiscoveryNames, AnUnterminatedDriverNameIsCutToThirtyNine) {
  SimVendor v("gpu\n  name Quorvane Sim Broken Firmware\n  quirk name-unterminated\nend\n");
  RecordedMessages messages;
  const Named named = EnumerateOrderAndName(v, messages);
  ASSERT_TRUE(named.ok);
  const std::wstring name = named.table->slots[0].gpuName.Load();
  EXPECT_EQ(name.size(), 39u);
  EXPECT_EQ(name.rfind(L"Quorvane Sim Broken Firmware", 0), 0u);
}

TEST(DiscoveryNames, AnUnreadableNameStopsTheLoopAndLeavesTheSlot) {
  SimVendor v(R"(
gpu
  name First
  bus 1
end
gpu
  name Second
  bus 2
  fail NvAPI_GPU_GetFullName -104
end
gpu
  name Third
  bus 3
end
)");
  RecordedMessages messages;
  const Named named = EnumerateOrderAndName(v, messages);
  EXPECT_FALSE(named.ok);
  EXPECT_EQ(std::wstring(named.table->slots[0].gpuName.Load()), L"First");
  EXPECT_EQ(std::wstring(named.table->slots[1].gpuName.Load()), L"- empty -");
  EXPECT_EQ(std::wstring(named.table->slots[2].gpuName.Load()), L"- empty -");
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 2u);
  EXPECT_TRUE(messages.texts.empty());
}

std::string GpusOnBuses(std::initializer_list<int> buses) {
  std::string scenario;
  for (int bus : buses) {
    scenario +=
        "gpu\n  name Bus " + std::to_string(bus) + "\n  bus " + std::to_string(bus) + "\nend\n";
  }
  return scenario;
}

TEST(DiscoveryNames, NineGpusWarnOnceAfterEightNamesAndKeepEight) {
  SimVendor v(GpusOnBuses({7, 3, 12, 1, 9, 4, 15, 2, 6}));
  RecordedMessages messages;
  std::vector<std::uint32_t> namesReadAtWarning;
  messages.onShow = [&] {
    namesReadAtWarning.push_back(sim::NvapiCallCount(nvapi::kIdGetFullName));
  };
  const Named named = EnumerateOrderAndName(v, messages);
  EXPECT_TRUE(named.ok);
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{kTooMany});
  EXPECT_EQ(namesReadAtWarning, std::vector<std::uint32_t>{8});
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 8u);
  EXPECT_EQ(named.table->gpuCount.Load(), 8);
  const int buses[] = {1, 2, 3, 4, 6, 7, 9, 12};
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(std::wstring(named.table->slots[s].gpuName.Load()),
              L"Bus " + std::to_wstring(buses[s]));
  }
}

TEST(DiscoveryNames, EightGpusAreNoWarning) {
  SimVendor v(GpusOnBuses({8, 7, 6, 5, 4, 3, 2, 1}));
  RecordedMessages messages;
  const Named named = EnumerateOrderAndName(v, messages);
  EXPECT_TRUE(named.ok);
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(named.table->gpuCount.Load(), 8);
}

TEST(DiscoveryNames, HighBytesFromTheDriverAreWidenedAsLatin1) {
  DiscoveryFakeVendor fake;
  std::memcpy(fake.driver.name.data(),
              "Karte \xDC"
              "ber",
              10);
  gpu::Vendor vendor = fake.Get();
  auto table = std::make_unique<gpu::SlotTable>();
  ASSERT_EQ(gpu::EnumerateGpus(vendor, *table), nvapi::kOk);
  ASSERT_TRUE(gpu::ReadGpuName(vendor, *table, 0, 0));
  EXPECT_EQ(std::wstring(table->slots[0].gpuName.Load()), L"Karte \u00DCber");
}

TEST(DiscoveryNames, IndexesOutsideTheTablesAreRefused) {
  DiscoveryFakeVendor fake;
  gpu::Vendor vendor = fake.Get();
  auto table = std::make_unique<gpu::SlotTable>();
  ASSERT_EQ(gpu::EnumerateGpus(vendor, *table), nvapi::kOk);
  EXPECT_FALSE(gpu::ReadGpuName(vendor, *table, 8, 0));
  EXPECT_FALSE(gpu::ReadGpuName(vendor, *table, 0, 64));
  EXPECT_EQ(std::wstring(table->slots[0].gpuName.Load()), L"- empty -");
}

}  // namespace
