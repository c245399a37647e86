// The simulator's misbehaviour in time (the hang, slow and lost lines, a GPU that falls off the
// bus for a span of its cycles, and a hung call that holds nothing else up), then the simulated
// driver API: initialisation, enumeration, identity, versioned records, scripted failures, absent
// ids and the misbehaviour knobs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "sim/scenario_parser.h"
#include "sim/sim.h"
#include "sim/sim_testing.h"
#include "support/sim_vendor.h"

namespace {

using namespace nvapi;
using sim::NvapiEntry;
using testing_support::ParseError;

TEST(SimMisbehaviourParse, ReadsHangSlowAndLostLines) {
  const sim::Scenario scenario = testing_support::ParseOk(
      "slow 5\nhang NvAPI_GPU_GetFullName forever from 3\n"
      "gpu\nend\ngpu\n  slow 100\n  hang nvmlDeviceGetPowerUsage 30000 from 4 to 4\n"
      "  lost from 3 back 8\nend\n");
  ASSERT_EQ(scenario.slow.size(), 2u);
  EXPECT_FALSE(scenario.slow[0].gpu);
  EXPECT_EQ(scenario.slow[1].gpu, 1u);
  EXPECT_EQ(scenario.slow[1].ms, 100u);
  ASSERT_EQ(scenario.hangs.size(), 2u);
  EXPECT_EQ(scenario.hangs[0].ms, sim::kForeverMs);
  EXPECT_EQ(scenario.hangs[0].calls.from, 3u);
  EXPECT_EQ(scenario.hangs[0].calls.to, UINT32_MAX);
  EXPECT_EQ(scenario.hangs[1].calls.gpu, 1u);
  EXPECT_EQ(scenario.hangs[1].ms, 30000u);
  EXPECT_EQ(scenario.hangs[1].calls.to, 4u);
  EXPECT_EQ(scenario.gpus[0].lostFrom, 0u);
  EXPECT_EQ(scenario.gpus[1].lostFrom, 3u);
  EXPECT_EQ(scenario.gpus[1].lostUntil, 8u);
  EXPECT_TRUE(sim::TakesTime(scenario));
  EXPECT_EQ(ParseError("hang NvAPI_GPU_GetFullName soon\n"), "line 1: 'soon' is not a number");
  EXPECT_EQ(ParseError("hang NvAPI_GPU_GetFullName 5 from 4 to 3\n"),
            "line 1: 'from' is after 'to'");
  EXPECT_EQ(ParseError("slow 10001\n").rfind("line 1: 10001 is out of range", 0), 0u);
  EXPECT_EQ(ParseError("lost from 3\n"), "line 1: unknown keyword 'lost' outside a gpu block");
  EXPECT_EQ(ParseError("gpu\n  lost at 3\nend\n"), "line 2: expected 'from', got 'at'");
  EXPECT_EQ(ParseError("gpu\n  lost from 3 back 3\nend\n").rfind("line 2: 3 is out of range", 0),
            0u);
  EXPECT_EQ(ParseError("gpu\n  lost from 3 back\nend\n"), "line 2: 'back' needs a number");
}

class SimLostGpu : public testing_support::SimTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Load("gpu\n  bus 1\nend\ngpu\n  bus 2\n  lost from 2 back 4\nend\n"));
    ASSERT_NO_FATAL_FAILURE(InitNvapi());
    ASSERT_NO_FATAL_FAILURE(InitNvml());
    gpus = SimGpus();
    ASSERT_EQ(gpus.size(), 2u);
  }

  NvAPI_Status Clocks(NvPhysicalGpuHandle gpu, std::uint32_t type) {
    NV_GPU_CLOCK_FREQUENCIES clocks{};
    clocks.version = kClockFrequenciesV3;
    clocks.clockTypeBits = type;
    return sim::NvapiEntry<GetClockFrequenciesFn>(kIdGetAllClockFrequencies)(gpu, &clocks);
  }
  std::uint32_t Bus(NvPhysicalGpuHandle gpu) {
    std::uint32_t bus = 0;
    const NvAPI_Status status = sim::NvapiEntry<GpuU32Fn>(kIdGetBusId)(gpu, &bus);
    return status == kOk ? bus : static_cast<std::uint32_t>(status);
  }

  std::vector<NvPhysicalGpuHandle> gpus;
  nvmlDevice_t device = nullptr;
};

TEST_F(SimLostGpu, FailsEveryCallForTheLostGpuFromItsCycleUntilItComesBack) {
  const auto lostStatus = static_cast<std::uint32_t>(kHandleInvalidated);
  // Cycle 1: both answer. Base and boost clocks open no cycle.
  EXPECT_EQ(Clocks(gpus[1], kClockTypeCurrent), kOk);
  EXPECT_EQ(Clocks(gpus[1], kClockTypeBoost), kOk);
  EXPECT_EQ(Bus(gpus[1]), 2u);
  EXPECT_EQ(sim::GpuCycle(1), 1u);
  for (std::uint32_t cycle = 2; cycle <= 4; ++cycle) {
    const bool lost = cycle < 4;
    EXPECT_EQ(Clocks(gpus[1], kClockTypeCurrent), lost ? kHandleInvalidated : kOk) << cycle;
    EXPECT_EQ(Bus(gpus[1]), lost ? lostStatus : 2u) << cycle;
    EXPECT_EQ(NvmlHandle(1, &device), lost ? nvml::kErrorGpuIsLost : nvml::kSuccess) << cycle;
    // The other GPU goes on.
    EXPECT_EQ(Clocks(gpus[0], kClockTypeCurrent), kOk) << cycle;
    EXPECT_EQ(Bus(gpus[0]), 1u) << cycle;
    EXPECT_EQ(NvmlHandle(0, &device), nvml::kSuccess) << cycle;
  }
  EXPECT_EQ(sim::GpuCycle(1), 4u);
}

using SimHang = testing_support::SimTest;

TEST_F(SimHang, AHungCallHoldsUpNoOtherCallAndEndsWithANewScenario) {
  Load("gpu\nend\nhang NvAPI_Initialize forever from 2\n");
  const auto initialize = sim::NvapiEntry<InitializeFn>(kIdInitialize);
  ASSERT_EQ(initialize(), kOk);  // the first call does not hang
  std::atomic<bool> returned{false};
  std::thread hung([&] {
    initialize();
    returned = true;
  });
  while (sim::NvapiCallCount(kIdInitialize) < 2) std::this_thread::yield();
  // Meanwhile the driver answers everything else.
  EXPECT_EQ(SimGpus().size(), 1u);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(returned);
  Load("gpu\nend\n");
  hung.join();
  EXPECT_TRUE(returned);
}

class SimNvapi : public testing_support::SimTest {
 protected:
  // Loads a scenario, initialises the driver and gives the display GPUs it lists.
  std::vector<NvPhysicalGpuHandle> Start(const std::string& text) {
    Load(text);
    InitNvapi();
    return SimGpus();
  }
  std::vector<NvPhysicalGpuHandle> StartFile(const char* name) {
    LoadFile(name);
    InitNvapi();
    return SimGpus();
  }
  // The answer of a one-number query on `gpu`, which must succeed.
  static std::uint32_t U32(std::uint32_t id, NvPhysicalGpuHandle gpu) {
    std::uint32_t value = 1000;  // none of the answers expected
    EXPECT_EQ(NvapiEntry<GpuU32Fn>(id)(gpu, &value), kOk) << std::hex << id;
    return value;
  }
  // A record of type R with every byte `fill` but its version word.
  template <typename R>
  static R Versioned(std::uint32_t version, unsigned char fill = 0) {
    R record;
    std::memset(&record, fill, sizeof(record));
    record.version = version;
    return record;
  }
  // The thermal query on `gpu` with a record of `version`; the first sensor's reading goes to
  // `celsius`.
  static NvAPI_Status Thermal(NvPhysicalGpuHandle gpu, std::int32_t* celsius = nullptr,
                              std::uint32_t version = kThermalSettingsV2) {
    auto record = Versioned<NV_GPU_THERMAL_SETTINGS>(version);
    const NvAPI_Status status =
        NvapiEntry<GetThermalSettingsFn>(kIdGetThermalSettings)(gpu, 0, &record);
    if (celsius != nullptr) *celsius = record.sensor[0].currentTemp;
    return status;
  }
  static std::int32_t Celsius(NvPhysicalGpuHandle gpu) {
    std::int32_t celsius = 1000;
    EXPECT_EQ(Thermal(gpu, &celsius), kOk);
    return celsius;
  }
};

TEST_F(SimNvapi, CallsBeforeInitialiseAndAfterUnloadAreRefused) {
  Load("gpu\nend\n");
  NvPhysicalGpuHandle handles[kMaxPhysicalGpus] = {};
  std::uint32_t count = 77;
  auto enumerate = NvapiEntry<EnumGpusFn>(kIdEnumPhysicalGPUs);
  EXPECT_EQ(enumerate(handles, &count), kApiNotInitialized);
  EXPECT_EQ(count, 77u);
  EXPECT_FALSE(sim::NvapiInitialized());
  InitNvapi();
  EXPECT_TRUE(sim::NvapiInitialized());
  ASSERT_EQ(enumerate(handles, &count), kOk);
  EXPECT_EQ(NvapiEntry<UnloadPreferredFn>(kIdUnloadPreferred)(0), kOk);
  EXPECT_FALSE(sim::NvapiInitialized());
  std::uint32_t bus = 0;
  EXPECT_EQ(NvapiEntry<GpuU32Fn>(kIdGetBusId)(handles[0], &bus), kApiNotInitialized);
  EXPECT_EQ(NvapiEntry<UnloadFn>(kIdUnload)(), kApiNotInitialized);
  InitNvapi();
  EXPECT_EQ(NvapiEntry<UnloadFn>(kIdUnload)(), kOk);
  EXPECT_FALSE(sim::NvapiInitialized());
  EXPECT_EQ(sim::NvapiCallCount(kIdInitialize), 2u);
  EXPECT_EQ(sim::NvapiCallCount(kIdEnumPhysicalGPUs), 2u);
}

TEST_F(SimNvapi, EnumeratesDisplayAndComputeGpusSeparately) {
  const std::vector<NvPhysicalGpuHandle> wddm = StartFile("tcc-mix.txt");
  const std::vector<NvPhysicalGpuHandle> tcc = SimGpus(kIdEnumTCCPhysicalGPUs);
  ASSERT_EQ(wddm.size(), 2u);
  ASSERT_EQ(tcc.size(), 1u);
  EXPECT_EQ(U32(kIdGetBusId, wddm[0]), 3u) << "scenario order, not bus order";
  EXPECT_EQ(U32(kIdGetBusId, wddm[1]), 2u);
  EXPECT_EQ(U32(kIdGetBusId, tcc[0]), 1u);
  Start("gpu\nend\n");  // no compute GPU: an empty list; no display GPU: not found
  EXPECT_TRUE(SimGpus(kIdEnumTCCPhysicalGPUs).empty());
  Start("gpu\n  driver tcc\nend\n");
  std::uint32_t count = 5;
  NvPhysicalGpuHandle handles[kMaxPhysicalGpus] = {};
  EXPECT_EQ(NvapiEntry<EnumGpusFn>(kIdEnumPhysicalGPUs)(handles, &count), kNvidiaDeviceNotFound);
  EXPECT_EQ(NvapiEntry<EnumGpusFn>(kIdEnumPhysicalGPUs)(handles, nullptr), kInvalidArgument);
}

TEST_F(SimNvapi, EnumerationWritesAtMost64Handles) {
  EXPECT_EQ(Start(testing_support::Repeat("gpu\nend\n", 64)).size(), 64u);
}

TEST_F(SimNvapi, IdentityOfAGpu) {
  const NvPhysicalGpuHandle gpu = StartFile("two-gpus.txt").at(0);
  char name[kShortStringSize];
  std::memset(name, 'Z', sizeof(name));
  ASSERT_EQ(NvapiEntry<GetFullNameFn>(kIdGetFullName)(gpu, name), kOk);
  EXPECT_STREQ(name, "Quorvane Sim 3080");
  std::uint32_t ids[4] = {};
  auto pci = NvapiEntry<GetPCIIdentifiersFn>(kIdGetPCIIdentifiers);
  ASSERT_EQ(pci(gpu, &ids[0], &ids[1], &ids[2], &ids[3]), kOk);
  EXPECT_EQ(ids[0], 0x220610DEu);
  EXPECT_EQ(ids[1], 0x38801462u);
  EXPECT_EQ(ids[3], 0x220610DEu);
  EXPECT_EQ(pci(gpu, &ids[0], nullptr, &ids[2], &ids[3]), kInvalidArgument);
  EXPECT_EQ(U32(kIdGetGpuCoreCount, gpu), 8704u);
  auto counts = Versioned<NvGpuCoreCounts>(kGpuCoreCountsV2);
  ASSERT_EQ(NvapiEntry<GetCoreCountsFn>(kIdGetCoreCounts)(gpu, &counts), kOk);
  EXPECT_EQ(counts.rtCoreCount, 68u);
  EXPECT_EQ(counts.tensorCoreCount, 272u);
  std::uint32_t displayId = 0;
  ASSERT_EQ(NvapiEntry<GetDisplayIdFn>(kIdGetDisplayId)(&displayId), kOk);
  EXPECT_EQ(displayId, 0x00020001u) << "the primary display is on the second GPU";
}

TEST_F(SimNvapi, UnknownHandlesAndNullPointers) {
  const NvPhysicalGpuHandle gpu = StartFile("two-gpus.txt").at(0);
  std::uint32_t bus = 1000;
  auto getBus = NvapiEntry<GpuU32Fn>(kIdGetBusId);
  EXPECT_EQ(getBus(nullptr, &bus), kExpectedPhysicalGpuHandle);
  EXPECT_EQ(getBus(reinterpret_cast<NvPhysicalGpuHandle>(&bus), &bus), kExpectedPhysicalGpuHandle);
  EXPECT_EQ(getBus(reinterpret_cast<NvPhysicalGpuHandle>(reinterpret_cast<char*>(gpu) + 1), &bus),
            kExpectedPhysicalGpuHandle);
  EXPECT_EQ(bus, 1000u);
  EXPECT_EQ(getBus(gpu, nullptr), kInvalidArgument);
  EXPECT_EQ(NvapiEntry<GetThermalSettingsFn>(kIdGetThermalSettings)(gpu, 0, nullptr),
            kInvalidArgument);
  EXPECT_EQ(NvapiEntry<GetDisplayIdFn>(kIdGetDisplayId)(nullptr), kInvalidArgument);
  Start("gpu\nend\n");  // handles of an earlier scenario beyond this one's GPUs are unknown
  EXPECT_EQ(getBus(SimGpus().at(0), &bus), kOk);
  const NvPhysicalGpuHandle second = StartFile("two-gpus.txt").at(1);
  Start("gpu\nend\n");
  EXPECT_EQ(getBus(second, &bus), kExpectedPhysicalGpuHandle);
}

TEST_F(SimNvapi, AbsentAndUnknownIdsGiveNull) {
  Load("gpu\nend\nabsent NvAPI_GPU_GetThermalSettings\nabsent 0x189A1FDF\n");
  EXPECT_EQ(::SimNvapiQueryInterface(kIdGetThermalSettings), nullptr);
  EXPECT_EQ(::SimNvapiQueryInterface(kIdGetUsages), nullptr);
  EXPECT_EQ(::SimNvapiQueryInterface(0x12345678), nullptr);
  EXPECT_NE(::SimNvapiQueryInterface(kIdGetMemoryInfo), nullptr);
  EXPECT_EQ(::SimNvapiQueryInterface(kIdPreCallHook), nullptr) << "no hooks by default";
  EXPECT_EQ(::SimNvapiQueryInterface(kIdPostCallHook), nullptr);
  EXPECT_TRUE(sim::NvapiLibraryPresent());
  LoadFile("no-nvapi.txt");
  EXPECT_FALSE(sim::NvapiLibraryPresent());
  EXPECT_TRUE(sim::NvmlLibraryPresent());
  EXPECT_EQ(::SimNvapiQueryInterface(kIdInitialize), nullptr);
}

TEST_F(SimNvapi, HooksExistByChoiceAndCountTheirCalls) {
  Load("hooks pre\ngpu\nend\n");
  auto pre = NvapiEntry<PreCallHookFn>(kIdPreCallHook);
  ASSERT_NE(pre, nullptr);
  EXPECT_EQ(::SimNvapiQueryInterface(kIdPostCallHook), nullptr);
  void* cookie = nullptr;
  pre(kIdGetBusId, &cookie);
  pre(kIdGetBusId, &cookie);
  EXPECT_EQ(sim::PreCallHookCalls(), 2u);
  EXPECT_EQ(sim::PostCallHookCalls(), 0u);
  Load("hooks pre post\n");
  EXPECT_EQ(sim::PreCallHookCalls(), 0u);
  auto post = NvapiEntry<PostCallHookFn>(kIdPostCallHook);
  ASSERT_NE(post, nullptr);
  post(kIdGetBusId, nullptr, kOk);
  EXPECT_EQ(sim::PostCallHookCalls(), 1u);
}

TEST_F(SimNvapi, RejectedRecordVersionWritesNothing) {
  const NvPhysicalGpuHandle gpu = StartFile("versions-v1.txt").at(0);
  auto clocks = NvapiEntry<GetClockFrequenciesFn>(kIdGetAllClockFrequencies);
  auto newest = Versioned<NV_GPU_CLOCK_FREQUENCIES>(kClockFrequenciesV3, 0xAB);
  newest.clockTypeBits = kClockTypeCurrent;
  const NV_GPU_CLOCK_FREQUENCIES before = newest;
  EXPECT_EQ(clocks(gpu, &newest), kIncompatibleStructVersion);
  EXPECT_EQ(std::memcmp(&newest, &before, sizeof(newest)), 0);
  auto oldest = Versioned<NV_GPU_CLOCK_FREQUENCIES>(kClockFrequenciesV1);
  ASSERT_EQ(clocks(gpu, &oldest), kOk);
  EXPECT_EQ(oldest.domain[kClockDomainGraphics].frequencyKHz, 1500000u);
  EXPECT_EQ(oldest.domain[kClockDomainGraphics].presentBits & 1u, 1u);
  EXPECT_EQ(Thermal(gpu), kIncompatibleStructVersion);
  std::int32_t celsius = 0;
  EXPECT_EQ(Thermal(gpu, &celsius, kThermalSettingsV1), kOk);
  EXPECT_EQ(celsius, 40);
}

TEST_F(SimNvapi, WritesOnlyWithinTheAnnouncedSize) {
  const NvPhysicalGpuHandle gpu =
      Start("gpu\n  accept memory 0x10014\n  accept cooler 0x10098\n  fans 2\nend\n").at(0);
  // 20 bytes: ends before the current available memory.
  auto memory = Versioned<NV_DISPLAY_DRIVER_MEMORY_INFO>(kMemoryInfoV1, 0xEE);
  ASSERT_EQ(NvapiEntry<GetMemoryInfoFn>(kIdGetMemoryInfo)(gpu, &memory), kOk);
  EXPECT_EQ(memory.dedicatedVideoMemory, 8388608u);
  EXPECT_EQ(memory.curAvailableDedicatedVideoMemory, 0xEEEEEEEEu);
  // 152 bytes: the count and two coolers.
  auto coolers = Versioned<NvCoolerSettings>(kCoolerSettingsFallback, 0xEE);
  ASSERT_EQ(NvapiEntry<GetCoolerSettingsFn>(kIdGetCoolerSettings)(gpu, 0, &coolers), kOk);
  EXPECT_EQ(coolers.count, 2u);
  EXPECT_EQ(coolers.cooler[1].currentLevel, 30u);
  EXPECT_EQ(coolers.cooler[2].currentLevel, 0xEEEEEEEEu);
  // A version word announcing more than the record type holds is bounded by the type.
  const NvPhysicalGpuHandle next = Start("gpu\n  accept usages 0x1FFFF\nend\n").at(0);
  struct Guarded {
    NvGpuUsages usages = Versioned<NvGpuUsages>(0x1FFFF);
    std::uint32_t guard = 0x600DF00D;
  } guarded;
  ASSERT_EQ(NvapiEntry<GetUsagesFn>(kIdGetUsages)(next, &guarded.usages), kOk);
  EXPECT_EQ(guarded.guard, 0x600DF00Du);
}

TEST_F(SimNvapi, ClockTypesAndPstateBaseEntries) {
  const NvPhysicalGpuHandle gpu =
      Start(testing_support::OneGpu({"clock.graphics 1500000", "base.graphics 1200000",
                                     "base.memory 7000000", "base.processor 1100000",
                                     "base.video none", "boost.graphics 1800000",
                                     "clock.video none"}))
          .at(0);
  auto clocks = NvapiEntry<GetClockFrequenciesFn>(kIdGetAllClockFrequencies);
  const std::uint32_t expected[] = {1500000, 1200000, 1800000};
  for (std::uint32_t type = 0; type < 3; ++type) {
    auto record = Versioned<NV_GPU_CLOCK_FREQUENCIES>(kClockFrequenciesV3);
    record.clockTypeBits = type | 0xF0u;  // only the low four bits are the type
    ASSERT_EQ(clocks(gpu, &record), kOk);
    EXPECT_EQ(record.domain[kClockDomainGraphics].frequencyKHz, expected[type]) << type;
  }
  auto current = Versioned<NV_GPU_CLOCK_FREQUENCIES>(kClockFrequenciesV3);
  ASSERT_EQ(clocks(gpu, &current), kOk);
  EXPECT_EQ(current.domain[kClockDomainVideo].presentBits & 1u, 0u);
  EXPECT_EQ(current.domain[kClockDomainProcessor].presentBits & 1u, 1u);
  current.clockTypeBits = 3;
  EXPECT_EQ(clocks(gpu, &current), kInvalidArgument);
  auto pstates = std::make_unique<NV_GPU_PERF_PSTATES20_INFO>();
  pstates->version = kPstates20V3;
  ASSERT_EQ(NvapiEntry<GetPstates20Fn>(kIdGetPstates20)(gpu, pstates.get()), kOk);
  ASSERT_EQ(pstates->numClocks, 3u) << "no entry for the domain without a base clock";
  const auto& entries = pstates->pstates[0].clocks;
  EXPECT_EQ(pstates->pstates[0].pstateId, 0u);
  // The base clock is the entry's frequency; the delta range beside it is no clock.
  EXPECT_EQ(entries[0].domainId, kClockDomainGraphics);
  EXPECT_EQ(entries[0].data[0], 1200000u);
  EXPECT_EQ(entries[0].freqDeltaMaxKHz, 1000000u);
  EXPECT_EQ(static_cast<std::int32_t>(entries[0].freqDeltaMinKHz), -250000);
  EXPECT_EQ(entries[1].domainId, kClockDomainMemory);
  EXPECT_EQ(entries[1].data[0], 7000000u);
  EXPECT_EQ(entries[2].domainId, kClockDomainProcessor);
  EXPECT_EQ(entries[2].data[0], 1100000u);
}

TEST_F(SimNvapi, ScriptedFailureFromTheNthCall) {
  const std::vector<NvPhysicalGpuHandle> gpus = StartFile("failures.txt");
  EXPECT_EQ(Thermal(gpus[0]), kOk);
  EXPECT_EQ(Thermal(gpus[1]), kOk);
  EXPECT_EQ(Thermal(gpus[0]), kNotSupported) << "third call over all GPUs";
  EXPECT_EQ(Thermal(gpus[1]), kNotSupported);
  EXPECT_EQ(sim::NvapiCallCount(kIdGetThermalSettings), 4u);
  EXPECT_EQ(::SimNvapiQueryInterface(kIdGetCoreVoltage), nullptr);
  const std::vector<NvPhysicalGpuHandle> two =
      Start("gpu\nend\ngpu\n  fail NvAPI_GPU_GetBusId -5 from 2 to 3\nend\n");
  auto getBus = NvapiEntry<GpuU32Fn>(kIdGetBusId);
  std::uint32_t bus = 0;
  const NvAPI_Status expected[] = {kOk, kInvalidArgument, kInvalidArgument, kOk};
  for (NvAPI_Status status : expected) {
    EXPECT_EQ(getBus(two[0], &bus), kOk) << "the rule is for the second GPU only";
    EXPECT_EQ(getBus(two[1], &bus), status);
  }
}

TEST_F(SimNvapi, InitialiseCanFail) {
  LoadFile("broken-driver.txt");
  EXPECT_EQ(NvapiEntry<InitializeFn>(kIdInitialize)(), kNvidiaDeviceNotFound);
  EXPECT_FALSE(sim::NvapiInitialized());
  EXPECT_TRUE(Start("fail NvAPI_EnumPhysicalGPUs -1 from 1\ngpu\nend\n").empty());
}

TEST_F(SimNvapi, ConnectedDisplaysCountThenFill) {
  const NvPhysicalGpuHandle gpu = StartFile("versions-v1.txt").at(0);
  auto displays = NvapiEntry<GetConnectedDisplayIdsFn>(kIdGetConnectedDisplayIds);
  std::uint32_t count = 0;
  ASSERT_EQ(displays(gpu, nullptr, &count, 0), kOk);
  ASSERT_EQ(count, 2u);
  NV_GPU_DISPLAYIDS records[3] = {};
  for (NV_GPU_DISPLAYIDS& record : records) record.version = kDisplayIdsV3;
  count = 3;
  EXPECT_EQ(displays(gpu, records, &count, 0), kIncompatibleStructVersion);
  EXPECT_EQ(records[0].displayId, 0u);
  for (NV_GPU_DISPLAYIDS& record : records) record.version = kDisplayIdsV1;
  records[2].displayId = 0xFFFF;
  ASSERT_EQ(displays(gpu, records, &count, 0), kOk);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(records[0].connectorType, kConnectorDisplayPort);
  EXPECT_EQ(records[0].displayId, 0x1001u);
  EXPECT_EQ(records[1].connectorType, kConnectorHdmi);
  EXPECT_EQ(records[2].displayId, 0xFFFFu) << "beyond the displays nothing is written";
  count = 1;
  ASSERT_EQ(displays(gpu, records, &count, 0), kOk) << "only the entries given are filled";
  EXPECT_EQ(displays(gpu, records, nullptr, 0), kInvalidArgument);
}

TEST_F(SimNvapi, MisbehavingDriver) {
  const NvPhysicalGpuHandle gpu = StartFile("misbehaving.txt").at(0);
  char name[kShortStringSize] = {};
  ASSERT_EQ(NvapiEntry<GetFullNameFn>(kIdGetFullName)(gpu, name), kOk);
  EXPECT_EQ(std::memchr(name, '\0', sizeof(name)), nullptr);
  std::uint32_t count = 0;
  NV_GPU_DISPLAYIDS records[2] = {{kDisplayIdsV3, 0, 0, 0}, {kDisplayIdsV3, 0, 0, 0}};
  auto displays = NvapiEntry<GetConnectedDisplayIdsFn>(kIdGetConnectedDisplayIds);
  ASSERT_EQ(displays(gpu, nullptr, &count, 0), kOk);
  EXPECT_EQ(count, 1000000u);
  ASSERT_EQ(displays(gpu, records, &count, 0), kOk) << "two real entries, a huge count";
  EXPECT_EQ(records[1].displayId, 0x1002u);
  auto fans = Versioned<NvFanCoolerStatus>(kFanCoolerStatusV1);
  ASSERT_EQ(NvapiEntry<GetFanCoolerStatusFn>(kIdGetFanCoolerStatus)(gpu, &fans), kOk);
  EXPECT_EQ(fans.count, 255u);
  EXPECT_EQ(fans.fan[2].speedRpm, 0u) << "entries only for the two real fans";
  auto coolers =
      std::make_unique<NvCoolerSettings>(Versioned<NvCoolerSettings>(kCoolerSettingsV4, 0xEE));
  ASSERT_EQ(NvapiEntry<GetCoolerSettingsFn>(kIdGetCoolerSettings)(gpu, 0, coolers.get()), kOk);
  EXPECT_EQ(coolers->count, 4000000000u);
  EXPECT_EQ(coolers->cooler[0].tachometerValid, 0u);
  EXPECT_EQ(Celsius(gpu), -20);  // slowed down by the scenario, same answer
  EXPECT_EQ(U32(kIdGetPhysicalFrameBufferSize, gpu), 0u);
  auto memory = Versioned<NV_DISPLAY_DRIVER_MEMORY_INFO>(kMemoryInfoV3, 0xEE);
  ASSERT_EQ(NvapiEntry<GetMemoryInfoFn>(kIdGetMemoryInfo)(gpu, &memory), kOk);
  EXPECT_EQ(memory.curAvailableDedicatedVideoMemory, 0u) << "used above total: none available";
}

TEST_F(SimNvapi, FanQueriesFollowTheScenario) {
  const std::vector<NvPhysicalGpuHandle> gpus = StartFile("two-gpus.txt");
  auto coolers = std::make_unique<NvCoolerSettings>(Versioned<NvCoolerSettings>(kCoolerSettingsV4));
  auto getCoolers = NvapiEntry<GetCoolerSettingsFn>(kIdGetCoolerSettings);
  EXPECT_EQ(getCoolers(gpus[0], 0, coolers.get()), kNotSupported) << "fan-cooler status only";
  ASSERT_EQ(getCoolers(gpus[1], 0, coolers.get()), kOk);
  EXPECT_EQ(coolers->count, 1u);
  EXPECT_EQ(coolers->cooler[0].currentLevel, 40u);
  EXPECT_EQ(coolers->cooler[0].speedRpm, 1400u);
  EXPECT_EQ(coolers->cooler[0].tachometerValid, 1u);
  auto getFans = NvapiEntry<GetFanCoolerStatusFn>(kIdGetFanCoolerStatus);
  auto fans = Versioned<NvFanCoolerStatus>(kFanCoolerStatusV1);
  for (std::uint32_t n = 0; n < 2; ++n) {
    fans = Versioned<NvFanCoolerStatus>(kFanCoolerStatusV1);
    ASSERT_EQ(getFans(gpus[0], &fans), kOk);
    EXPECT_EQ(fans.count, 2u);
    EXPECT_EQ(fans.fan[0].speedRpm, 1000u + 10 * n);
    EXPECT_EQ(fans.fan[0].level, 30u + n);
    EXPECT_EQ(fans.fan[1].speedRpm, 1010u + 10 * n);
    EXPECT_EQ(fans.fan[1].level, 31u + n);
  }
  EXPECT_EQ(getFans(gpus[1], &fans), kNotSupported);
}

TEST_F(SimNvapi, EachReadingAdvancesOnlyWhenHandedOut) {
  const NvPhysicalGpuHandle gpu = StartFile("two-gpus.txt").at(0);
  const std::int32_t sine[] = {60, 70, 60, 50};
  EXPECT_EQ(Celsius(gpu), sine[0]);
  // A refused record does not count as a sample.
  EXPECT_EQ(Thermal(gpu, nullptr, kThermalSettingsV1), kIncompatibleStructVersion);
  EXPECT_EQ(Celsius(gpu), sine[1]);
  // The NVML path of the same reading continues the same sample numbers.
  InitNvml();
  nvmlDevice_t device = nullptr;
  ASSERT_EQ(NvmlHandle(1, &device), nvml::kSuccess);  // bus 5 is NVML device 1
  std::uint32_t nvmlCelsius = 0;
  ASSERT_EQ(sim::NvmlEntry<nvml::DeviceGetTemperatureFn>(nvml::kDeviceGetTemperature)(
                device, nvml::kTemperatureGpu, &nvmlCelsius),
            nvml::kSuccess);
  EXPECT_EQ(nvmlCelsius, static_cast<std::uint32_t>(sine[2]));
  EXPECT_EQ(Celsius(gpu), sine[3]);
  auto loads = Versioned<NV_GPU_DYNAMIC_PSTATES_INFO_EX>(kDynamicPstatesInfoExV1);
  auto dynamic = NvapiEntry<GetDynamicPstatesFn>(kIdGetDynamicPstatesInfoEx);
  for (std::uint32_t n = 0; n < 3; ++n) {
    ASSERT_EQ(dynamic(gpu, &loads), kOk);
    EXPECT_EQ(loads.utilization[1].percentage, 5u + n);             // ramp 5 1
    EXPECT_EQ(loads.utilization[0].percentage, n < 2 ? 10u : 90u);  // square 10 90 2
  }
}

}  // namespace
