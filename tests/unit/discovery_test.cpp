// Discovery as a whole, then its steps: the display GPU, the boards with fixed clocks, the
// enumeration and the names.
#include "gpu/discovery.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "gpu/discovery_texts.h"
#include "gpu/display_gpu.h"
#include "gpu/fixed_clock_boards.h"
#include "gpu/gpu_enumeration.h"
#include "gpu/gpu_names.h"
#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::FakeGpuHandle;
using testing_support::Gpus;
using testing_support::SimVendor;

class DiscoveryWhole : public ::testing::Test {
 protected:
  gpu::DiscoveryResult Discover(const std::string& scenario) {
    vendor = std::make_unique<SimVendor>(scenario);
    gpu::Vendor v = vendor->Get();
    return gpu::DiscoverGpus(v, *table, L"C:\\Windows", messages);
  }

  std::unique_ptr<SimVendor> vendor;
  std::unique_ptr<gpu::SlotTable> table = std::make_unique<gpu::SlotTable>();
  testing_support::RecordedMessages messages;
};

TEST_F(DiscoveryWhole, TwoGpusAreOrderedNamedSeededAndProbed) {
  // Left from an earlier run: discovery starts from the initial table.
  table->slots[3].handleIndex.Store(5);
  table->slots[3].coolerVersion.Store(1);
  const gpu::DiscoveryResult result =
      Discover(Gpus({"  name Fifth\n  bus 5\n  fans 2 both\n  accept clocks 0x20108\n",
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
  EXPECT_EQ(Ceilings(table->slots[0]), std::make_tuple(1, 850000u, 891000u));
  EXPECT_EQ(Ceilings(table->slots[1]), std::make_tuple(0, 0u, 0u));  // not in use
  EXPECT_EQ(table->slots[0].fixedGraphicsCeilingKHz.Load(), 850000u);
  EXPECT_EQ(table->slots[0].fixedMemoryCeilingKHz.Load(), 891000u);
}

TEST(DiscoveryFixedClocks, TheCeilingsFollowTheSlotNotTheHandle) {
  // The table board is handle 0 on bus 5, so it sits in slot 1.
  const auto table = Seeded(Gpus({"  bus 5\n  pci 0x13F210DE\n", "  bus 2\n  pci 0x220610DE\n"}));
  EXPECT_EQ(Ceilings(table->slots[0]), std::make_tuple(0, 0u, 0u));
  EXPECT_EQ(Ceilings(table->slots[1]), std::make_tuple(1, 745000u, 1250000u));
}

TEST(DiscoveryFixedClocks, AnUnreadableIdentifierLeavesTheDefaults) {
  const auto table =
      Seeded("gpu\n  pci 0x0FF210DE\n  fail NvAPI_GPU_GetPCIIdentifiers -104\nend\n");
  EXPECT_EQ(Ceilings(table->slots[0]), std::make_tuple(0, 0u, 0u));
}

using Result = std::pair<NvAPI_Status, int>;  // the status and the GPU count

struct Enumerated {
  NvAPI_Status status;
  std::unique_ptr<gpu::SlotTable> table;
  Result Counted() const { return {status, table->gpuCount.Load()}; }
};

Enumerated Enumerate(gpu::Vendor vendor) {
  auto table = std::make_unique<gpu::SlotTable>();
  const NvAPI_Status status = gpu::EnumerateGpus(vendor, *table);
  return {status, std::move(table)};
}

TEST(DiscoveryEnumeration, DisplayGpusThenComputeGpusBehindThem) {
  SimVendor v(
      Gpus({"  name A\n  bus 3\n", "  name B\n  driver tcc\n  bus 1\n", "  name C\n  bus 2\n"}));
  const Enumerated e = Enumerate(v.Get());
  ASSERT_EQ(e.Counted(), Result(nvapi::kOk, 3));
  const char* expected[] = {"A", "C", "B"};
  for (int h = 0; h < 3; ++h) {
    char name[nvapi::kShortStringSize] = {};
    ASSERT_EQ(v.stub.NvAPI_GPU_GetFullName(e.table->gpuHandles[h], name), nvapi::kOk);
    EXPECT_STREQ(name, expected[h]) << "handle " << h;
  }
  EXPECT_EQ(e.table->gpuHandles[3], nullptr);
  EXPECT_TRUE(sim::NvapiInitialized());
}

TEST(DiscoveryEnumeration, InitialiseFailureReturnsItsStatusAndEnumeratesNothing) {
  SimVendor v("fail NvAPI_Initialize -6\ngpu\nend\n");
  const Enumerated e = Enumerate(v.Get());
  EXPECT_EQ(e.Counted(), Result(-6, 0));
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdEnumPhysicalGPUs), 0u);
  EXPECT_EQ(gpu::NvapiFailureText(e.status), L"NvAPIの初期化に失敗しました\nerrorcode -6");
}

TEST(DiscoveryEnumeration, NoGpuIsMinusThousand) {
  SimVendor v("fail NvAPI_EnumPhysicalGPUs -6\nfail NvAPI_EnumTCCPhysicalGPUs -6\ngpu\nend\n");
  const Enumerated e = Enumerate(v.Get());
  EXPECT_EQ(e.Counted(), Result(gpu::kNoGpuFound, 0));
  EXPECT_EQ(e.status, -1000);
  EXPECT_EQ(gpu::NvapiFailureText(e.status), L"NvAPIの初期化に失敗しました\nerrorcode -1000");
}

TEST(DiscoveryEnumeration, AFailedDisplayEnumerationCountsNothingOfIt) {
  SimVendor v("fail NvAPI_EnumPhysicalGPUs -104\ngpu\nend\ngpu\n  driver tcc\nend\n");
  const Enumerated e = Enumerate(v.Get());
  EXPECT_EQ(e.Counted(), Result(nvapi::kOk, 1));  // the compute GPU, at position 0
  EXPECT_NE(e.table->gpuHandles[0], nullptr);
}

// Counts above the table never write or count past its 64 handles.
Enumerated Clamped(std::uint32_t displayGpus, std::uint32_t displayReported,
                   std::uint32_t computeGpus, std::uint32_t computeReported) {
  testing_support::DiscoveryFakeVendor fake;
  fake.driver.displayGpus = displayGpus;
  fake.driver.displayReported = displayReported;
  fake.driver.computeGpus = computeGpus;
  fake.driver.computeReported = computeReported;
  return Enumerate(fake.Get());
}

TEST(DiscoveryEnumerationClamp, CountsTheDriverLeavesUnwrittenAreZero) {
  testing_support::DiscoveryFakeVendor fake;
  fake.driver.countsWritten = false;
  const Enumerated e = Enumerate(fake.Get());
  EXPECT_EQ(e.Counted(), Result(gpu::kNoGpuFound, 0));
}

TEST(DiscoveryEnumerationClamp, AbsurdDisplayCountIsCutToTheTable) {
  const Enumerated e = Clamped(64, 1000000, 64, 1000000);
  EXPECT_EQ(e.Counted(), Result(nvapi::kOk, 64));
  EXPECT_EQ(e.table->gpuHandles[63], FakeGpuHandle(63));
}

TEST(DiscoveryEnumerationClamp, ComputeGpusFillOnlyTheRoomLeft) {
  const Enumerated e = Clamped(3, 3, 64, 64);  // the driver fills its whole compute buffer
  EXPECT_EQ(e.Counted(), Result(nvapi::kOk, 64));
  EXPECT_EQ(e.table->gpuHandles[2], FakeGpuHandle(2));
  EXPECT_EQ(e.table->gpuHandles[3], FakeGpuHandle(100));
  EXPECT_EQ(e.table->gpuHandles[63], FakeGpuHandle(160));
  // What lies behind the handle table is untouched.
  for (wchar_t c : e.table->nameBuffers[0]) ASSERT_EQ(c, L'\0');
}

TEST(DiscoveryEnumerationClamp, ComputeCountIsCountedOnlyAsFarAsItFits) {
  const Enumerated e = Clamped(60, 60, 2, 0xFFFFFFFFu);
  EXPECT_EQ(e.table->gpuCount.Load(), 64);
  EXPECT_EQ(e.table->gpuHandles[61], FakeGpuHandle(101));
  EXPECT_EQ(e.table->gpuHandles[62], nullptr);  // reported, never written by the driver
}

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
  EXPECT_EQ(Widen(std::string(39, 'a')), std::wstring(39, L'a'));
  EXPECT_EQ(Widen(std::string(39, 'a') + "b"), std::wstring(39, L'a'));
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
