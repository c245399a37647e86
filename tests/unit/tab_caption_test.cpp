// Tab captions over the simulator: name and tab number, the detail tail of bus, link and
// connectors with every part that can fail, and the bounds of the 100-byte caption.
#include "gpu/tab_caption.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::SimVendor;

class TabCaption : public ::testing::Test {
 protected:
  // Loads `scenario`, starts both libraries and puts every enumerated GPU in the slot of its
  // position, named `names` (empty: the table's initial name).
  void Load(const std::string& scenario, std::initializer_list<const wchar_t*> names = {}) {
    sim = std::make_unique<SimVendor>(scenario);
    sim->Start();
    ASSERT_GT(testing_support::PlaceEnumeratedGpus(*sim, table), 0);
    std::size_t k = 0;
    for (const wchar_t* name : names) table.slots[k++].gpuName.Store(name);
  }

  // Loads `scenario` with its first GPU named `name`, turns detail mode on and builds slot 0.
  std::string Detailed(const std::string& scenario, const wchar_t* name = L"S") {
    Load(scenario, {name});
    table.detailMode.Store(1);
    return Build(0);
  }

  std::string Build(int slot) {
    gpu::Vendor vendor = sim->Get();
    char caption[gpu::kCaptionSize];
    std::memset(caption, 'Z', sizeof caption);
    gpu::BuildTabCaption(vendor, table, slot, caption);
    EXPECT_NE(std::memchr(caption, '\0', sizeof caption), nullptr);
    return caption;
  }

  std::unique_ptr<SimVendor> sim;
  gpu::SlotTable table;
};

// Bus 1, a PCI Express 3.0 x16 link, displays on DisplayPort and HDMI.
const std::string kBoard =
    "gpu\n  bus 1\n  pcie 16 3\n  display dp 0x1001\n  display hdmi 0x1002\n";

TEST_F(TabCaption, OneGpuGetsItsBareName) {
  Load(kBoard + "end\n", {L"Sim Board"});
  EXPECT_EQ(Build(0), "Sim Board");
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetBusId), 0u);
}

TEST_F(TabCaption, SeveralGpusGetTheirTabNumbers) {
  Load("gpu\nend\ngpu\nend\n", {L"Sim A", L"Sim B"});
  EXPECT_EQ(Build(0), "Sim A(1)");
  EXPECT_EQ(Build(1), "Sim B(2)");
  std::string eight;
  for (int k = 0; k < gpu::kMaxGpus; ++k) eight += "gpu\nend\n";
  Load(eight);
  EXPECT_EQ(Build(7), "- empty -(8)");
}

TEST_F(TabCaption, NameCharactersOutsideAsciiBecomeQuestionMarks) {
  Load("gpu\nend\n", {L"Sim \u00e9\u30b0 A\tB\x7f~"});
  EXPECT_EQ(Build(0), "Sim ?? A?B?~");
}

TEST_F(TabCaption, NullNameContributesNothing) {
  Load("gpu\nend\ngpu\nend\n", {nullptr});
  EXPECT_EQ(Build(0), "(1)");
  table.gpuCount.Store(1);
  EXPECT_EQ(Build(0), "");
}

TEST_F(TabCaption, LongNameIsCutAt99CharactersAndReadNoFurther) {
  Load("gpu\nend\ngpu\nend\n");
  // Exactly the characters that fit, with no terminator after them: reading on would overrun.
  auto name = std::make_unique<wchar_t[]>(gpu::kCaptionSize - 1);
  for (std::size_t i = 0; i + 1 < gpu::kCaptionSize; ++i) name[i] = L'W';
  table.slots[0].gpuName.Store(name.get());
  EXPECT_EQ(Build(0), std::string(99, 'W'));
}

TEST_F(TabCaption, SlotOutsideTheSlotsInUseGetsAnEmptyCaptionWithoutAQuery) {
  Load(kBoard + "end\n" + kBoard + "end\n");
  table.detailMode.Store(1);
  for (const int slot : {-1, 2, 7, 8, 1000, INT32_MIN}) EXPECT_EQ(Build(slot), "") << slot;
  table.gpuCount.Store(1000);  // never more slots than the table has
  EXPECT_EQ(Build(8), "");
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetBusId), 0u);
}

TEST_F(TabCaption, DetailOnSeveralGpusHasNoTabNumber) {
  Load("gpu\n  bus 0xAB\n  pcie 8 4\nend\ngpu\n  bus 0xCD\n  pcie 16 3\nend\n", {L"A", L"B"});
  table.detailMode.Store(1);
  EXPECT_EQ(Build(0), "A (0x000000AB / PCIe x8 4.0)");
  EXPECT_EQ(Build(1), "B (0x000000CD / PCIe x16 3.0)");  // NVML device of the slot's index
}

// A scenario and the caption of its first GPU, named "S", in detail mode.
struct DetailCase {
  const char* name;
  std::string scenario;
  const char* expected;
};

class TabCaptionDetail : public TabCaption, public ::testing::WithParamInterface<DetailCase> {};

TEST_P(TabCaptionDetail, TailOfTheFirstGpu) {
  EXPECT_EQ(Detailed(GetParam().scenario), GetParam().expected);
}

constexpr const char* kFullTail = "S (0x00000001 / PCIe x16 3.0 / DP / HDMI)";
const DetailCase kDetailCases[] = {
    {"ShowsBusLinkAndConnectors", kBoard + "end\n", kFullTail},
    {"WithoutNvmlOnlyBusAndConnectors", "library nvml missing\n" + kBoard + "end\n",
     "S (0x00000001 / DP / HDMI)"},
    {"NoDisplayEndsAfterTheLink", "gpu\n  bus 1\n  pcie 16 3\nend\n",
     "S (0x00000001 / PCIe x16 3.0)"},
    {"BusFailureLeavesOutBothParentheses", kBoard + "  fail NvAPI_GPU_GetBusId -104\nend\n",
     "S / PCIe x16 3.0 / DP / HDMI"},
    // NVML failures leave out their parts.
    {"NvmlHandleFailure", kBoard + "end\nfail nvmlDeviceGetHandleByIndex 2\n", "S (0x00000001)"},
    {"NvmlLinkWidthFailure", kBoard + "  fail nvmlDeviceGetMaxPcieLinkWidth 3\nend\n",
     "S (0x00000001 3.0)"},
    // The link numbers are signed, as the management library's integers are.
    {"LinkNumbersPrintSigned", "gpu\n  bus 1\n  pcie 0xFFFFFFFF 0x80000000\nend\n",
     "S (0x00000001 / PCIe x-1 -2147483648.0)"},
    {"NvmlLinkGenerationFailure", kBoard + "  fail nvmlDeviceGetMaxPcieLinkGeneration 3\nend\n",
     "S (0x00000001 / PCIe x16 / DP / HDMI)"},
    {"ConnectorTypesUnknownAndUnnamed",
     "gpu\n  bus 1\n  display 0 0x1\n  display 9 0x2\n  display uninitialized 0x3\n"
     "  display 1000 0x4\n  display vga 0x5\nend\nlibrary nvml missing\n",
     "S (0x00000001 / UNKNOWN / UNKNOWN / VGA)"},
    // Record versions: with only the old word every record falls back to it. Only the new
    // word: a single record keeps it; of two, the first is tried while the second has no
    // version yet and falls back.
    {"OnlyTheOldRecordVersion", kBoard + "  accept display-ids 0x10010\nend\n", kFullTail},
    {"OnlyTheNewRecordVersionForOneRecord",
     "gpu\n  bus 1\n  display hdmi 0x1\n  accept display-ids 0x30010\nend\n",
     "S (0x00000001 / PCIe x16 3.0 / HDMI)"},
    {"OnlyTheNewRecordVersionForTwoRecords", kBoard + "  accept display-ids 0x30010\nend\n",
     "S (0x00000001 / PCIe x16 3.0)"},
    {"AbsurdDisplayCountShowsOnlyTheDisplaysWritten",
     kBoard + "  quirk display-count 1000000\nend\n", kFullTail}};

INSTANTIATE_TEST_SUITE_P(Cases, TabCaptionDetail, ::testing::ValuesIn(kDetailCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(TabCaption, DisplayQueryFailuresLeaveOutTheConnectors) {
  // Call 1 asks for the count, calls 2 and 3 settle the two records' versions, call 4 reads.
  for (const char* from : {"1", "4"}) {
    const std::string failure = "  fail NvAPI_GPU_GetConnectedDisplayIds -104 from ";
    EXPECT_EQ(Detailed(kBoard + failure + from + "\nend\n"), "S (0x00000001 / PCIe x16 3.0)")
        << from;
  }
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetConnectedDisplayIds), 4u);
}

TEST_F(TabCaption, DisplayRecordsAreBoundedToSixteen) {
  std::string displays, expected = "S";
  for (int k = 0; k < 16; ++k) {
    displays += "  display dp " + std::to_string(0x100 + k) + "\n";
    expected += " / DP";
  }
  // The driver claims more than it has and than the array holds; only what was passed is read.
  const std::string claims = "  fail NvAPI_GPU_GetBusId -104\n  quirk display-count 1000000\n";
  EXPECT_EQ(Detailed("library nvml missing\ngpu\n" + claims + displays + "end\n"), expected);
}

TEST_F(TabCaption, ManyDisplaysAreCutAt99Characters) {
  std::string displays, full = "Sim Board (0x00000001 / PCIe x16 3.0";
  for (int k = 0; k < 16; ++k) {
    displays += "  display composite " + std::to_string(k) + "\n";
    full += " / COMPOSITE";
  }
  full += ")";
  EXPECT_EQ(Detailed("gpu\n  bus 1\n  pcie 16 3\n" + displays + "end\n", L"Sim Board"),
            full.substr(0, 99));
}

// The display query is asked without flags and, whatever count the driver claims, over at
// most sixteen records: once for the count, once per record's version, once to read.
TEST(TabCaptionDisplays, AskedWithoutFlagsOverAtMostSixteenRecords) {
  testing_support::DiscoveryFakeVendor fake;
  fake.driver.displaysReported = 1000000;
  const auto table = testing_support::EnumeratedTable(fake.vendor, false);
  table->detailMode.Store(1);
  char caption[gpu::kCaptionSize];
  gpu::BuildTabCaption(fake.vendor, *table, 0, caption);
  EXPECT_EQ(fake.driver.displayFlagsGiven, std::vector<std::uint32_t>(18, 0));
  EXPECT_EQ(fake.driver.fillCountsGiven, std::vector<std::uint32_t>(17, 16));
}

}  // namespace
