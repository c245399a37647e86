// The simulated driver API: initialisation, enumeration, identity, versioned records, scripted
// failures, absent ids and the misbehaviour knobs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "sim/sim.h"
#include "sim/sim_testing.h"
#include "support/sim_test.h"

namespace {

using namespace nvapi;
using sim::NvapiEntry;

class SimNvapi : public testing_support::SimTest {
 protected:
  void Initialize() { ASSERT_EQ(NvapiEntry<InitializeFn>(kIdInitialize)(), kOk); }

  std::vector<NvPhysicalGpuHandle> Enumerate(std::uint32_t id) {
    NvPhysicalGpuHandle handles[kMaxPhysicalGpus] = {};
    std::uint32_t count = 0;
    if (NvapiEntry<EnumGpusFn>(id)(handles, &count) != kOk) return {};
    return {handles, handles + count};
  }
  NvPhysicalGpuHandle First() { return Enumerate(kIdEnumPhysicalGPUs).at(0); }

  std::uint32_t BusId(NvPhysicalGpuHandle gpu) {
    std::uint32_t bus = 1000;
    EXPECT_EQ(NvapiEntry<GpuU32Fn>(kIdGetBusId)(gpu, &bus), kOk);
    return bus;
  }

  NvAPI_Status Thermal(NvPhysicalGpuHandle gpu, std::int32_t* celsius) {
    NV_GPU_THERMAL_SETTINGS record{};
    record.version = kThermalSettingsV2;
    const NvAPI_Status status =
        NvapiEntry<GetThermalSettingsFn>(kIdGetThermalSettings)(gpu, 0, &record);
    *celsius = record.sensor[0].currentTemp;
    return status;
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
  Initialize();
  EXPECT_TRUE(sim::NvapiInitialized());
  ASSERT_EQ(enumerate(handles, &count), kOk);

  EXPECT_EQ(NvapiEntry<UnloadPreferredFn>(kIdUnloadPreferred)(0), kOk);
  EXPECT_FALSE(sim::NvapiInitialized());
  std::uint32_t bus = 0;
  EXPECT_EQ(NvapiEntry<GpuU32Fn>(kIdGetBusId)(handles[0], &bus), kApiNotInitialized);
  EXPECT_EQ(NvapiEntry<UnloadFn>(kIdUnload)(), kApiNotInitialized);
  Initialize();
  EXPECT_EQ(NvapiEntry<UnloadFn>(kIdUnload)(), kOk);
  EXPECT_FALSE(sim::NvapiInitialized());
  EXPECT_EQ(sim::NvapiCallCount(kIdInitialize), 2u);
  EXPECT_EQ(sim::NvapiCallCount(kIdEnumPhysicalGPUs), 2u);
}

TEST_F(SimNvapi, EnumeratesDisplayAndComputeGpusSeparately) {
  LoadFile("tcc-mix.txt");
  Initialize();
  const std::vector<NvPhysicalGpuHandle> wddm = Enumerate(kIdEnumPhysicalGPUs);
  const std::vector<NvPhysicalGpuHandle> tcc = Enumerate(kIdEnumTCCPhysicalGPUs);
  ASSERT_EQ(wddm.size(), 2u);
  ASSERT_EQ(tcc.size(), 1u);
  EXPECT_EQ(BusId(wddm[0]), 3u) << "scenario order, not bus order";
  EXPECT_EQ(BusId(wddm[1]), 2u);
  EXPECT_EQ(BusId(tcc[0]), 1u);

  Load("gpu\nend\n");  // no compute GPU: an empty list; no display GPU: not found
  Initialize();
  EXPECT_TRUE(Enumerate(kIdEnumTCCPhysicalGPUs).empty());
  Load("gpu\n  driver tcc\nend\n");
  Initialize();
  std::uint32_t count = 5;
  NvPhysicalGpuHandle handles[kMaxPhysicalGpus] = {};
  EXPECT_EQ(NvapiEntry<EnumGpusFn>(kIdEnumPhysicalGPUs)(handles, &count), kNvidiaDeviceNotFound);
  EXPECT_EQ(NvapiEntry<EnumGpusFn>(kIdEnumPhysicalGPUs)(handles, nullptr), kInvalidArgument);
}

TEST_F(SimNvapi, EnumerationWritesAtMost64Handles) {
  std::string text;
  for (int i = 0; i < 64; ++i) text += "gpu\nend\n";
  Load(text);
  Initialize();
  EXPECT_EQ(Enumerate(kIdEnumPhysicalGPUs).size(), 64u);
}

TEST_F(SimNvapi, IdentityOfAGpu) {
  LoadFile("two-gpus.txt");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
  char name[kShortStringSize];
  std::memset(name, 'Z', sizeof(name));
  ASSERT_EQ(NvapiEntry<GetFullNameFn>(kIdGetFullName)(gpu, name), kOk);
  EXPECT_STREQ(name, "Quorvane Sim 3080");
  std::uint32_t ids[4] = {};
  ASSERT_EQ(NvapiEntry<GetPCIIdentifiersFn>(kIdGetPCIIdentifiers)(gpu, &ids[0], &ids[1], &ids[2],
                                                                  &ids[3]),
            kOk);
  EXPECT_EQ(ids[0], 0x220610DEu);
  EXPECT_EQ(ids[1], 0x38801462u);
  EXPECT_EQ(ids[3], 0x220610DEu);
  EXPECT_EQ(NvapiEntry<GetPCIIdentifiersFn>(kIdGetPCIIdentifiers)(gpu, &ids[0], nullptr, &ids[2],
                                                                  &ids[3]),
            kInvalidArgument);
  std::uint32_t cores = 0;
  ASSERT_EQ(NvapiEntry<GpuU32Fn>(kIdGetGpuCoreCount)(gpu, &cores), kOk);
  EXPECT_EQ(cores, 8704u);
  NvGpuCoreCounts counts{};
  counts.version = kGpuCoreCountsV2;
  ASSERT_EQ(NvapiEntry<GetCoreCountsFn>(kIdGetCoreCounts)(gpu, &counts), kOk);
  EXPECT_EQ(counts.rtCoreCount, 68u);
  EXPECT_EQ(counts.tensorCoreCount, 272u);
  std::uint32_t displayId = 0;
  ASSERT_EQ(NvapiEntry<GetDisplayIdFn>(kIdGetDisplayId)(&displayId), kOk);
  EXPECT_EQ(displayId, 0x00020001u) << "the primary display is on the second GPU";
}

TEST_F(SimNvapi, UnknownHandlesAndNullPointers) {
  LoadFile("two-gpus.txt");
  Initialize();
  std::uint32_t bus = 1000;
  auto getBus = NvapiEntry<GpuU32Fn>(kIdGetBusId);
  EXPECT_EQ(getBus(nullptr, &bus), kExpectedPhysicalGpuHandle);
  EXPECT_EQ(getBus(reinterpret_cast<NvPhysicalGpuHandle>(&bus), &bus), kExpectedPhysicalGpuHandle);
  const NvPhysicalGpuHandle gpu = First();
  EXPECT_EQ(getBus(reinterpret_cast<NvPhysicalGpuHandle>(reinterpret_cast<char*>(gpu) + 1), &bus),
            kExpectedPhysicalGpuHandle);
  EXPECT_EQ(bus, 1000u);
  EXPECT_EQ(getBus(gpu, nullptr), kInvalidArgument);
  EXPECT_EQ(NvapiEntry<GetThermalSettingsFn>(kIdGetThermalSettings)(gpu, 0, nullptr),
            kInvalidArgument);
  EXPECT_EQ(NvapiEntry<GetDisplayIdFn>(kIdGetDisplayId)(nullptr), kInvalidArgument);

  Load("gpu\nend\n");  // handles of an earlier scenario beyond this one's GPUs are unknown
  Initialize();
  EXPECT_EQ(getBus(Enumerate(kIdEnumPhysicalGPUs).at(0), &bus), kOk);
  LoadFile("two-gpus.txt");
  Initialize();
  const NvPhysicalGpuHandle second = Enumerate(kIdEnumPhysicalGPUs).at(1);
  Load("gpu\nend\n");
  Initialize();
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
  LoadFile("versions-v1.txt");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
  auto clocks = NvapiEntry<GetClockFrequenciesFn>(kIdGetAllClockFrequencies);

  NV_GPU_CLOCK_FREQUENCIES newest;
  std::memset(&newest, 0xAB, sizeof(newest));
  newest.version = kClockFrequenciesV3;
  newest.clockTypeBits = kClockTypeCurrent;
  NV_GPU_CLOCK_FREQUENCIES before = newest;
  EXPECT_EQ(clocks(gpu, &newest), kIncompatibleStructVersion);
  EXPECT_EQ(std::memcmp(&newest, &before, sizeof(newest)), 0);

  NV_GPU_CLOCK_FREQUENCIES oldest{};
  oldest.version = kClockFrequenciesV1;
  ASSERT_EQ(clocks(gpu, &oldest), kOk);
  EXPECT_EQ(oldest.domain[kClockDomainGraphics].frequencyKHz, 1500000u);
  EXPECT_EQ(oldest.domain[kClockDomainGraphics].presentBits & 1u, 1u);

  std::int32_t celsius = 0;
  EXPECT_EQ(Thermal(gpu, &celsius), kIncompatibleStructVersion);
  NV_GPU_THERMAL_SETTINGS thermal{};
  thermal.version = kThermalSettingsV1;
  EXPECT_EQ(NvapiEntry<GetThermalSettingsFn>(kIdGetThermalSettings)(gpu, 0, &thermal), kOk);
  EXPECT_EQ(thermal.sensor[0].currentTemp, 40);
}

TEST_F(SimNvapi, WritesOnlyWithinTheAnnouncedSize) {
  Load("gpu\n  accept memory 0x10014\n  accept cooler 0x10098\n  fans 2\nend\n");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
  NV_DISPLAY_DRIVER_MEMORY_INFO memory;
  std::memset(&memory, 0xEE, sizeof(memory));
  memory.version = kMemoryInfoV1;  // 20 bytes: ends before the current available memory
  ASSERT_EQ(NvapiEntry<GetMemoryInfoFn>(kIdGetMemoryInfo)(gpu, &memory), kOk);
  EXPECT_EQ(memory.dedicatedVideoMemory, 8388608u);
  EXPECT_EQ(memory.curAvailableDedicatedVideoMemory, 0xEEEEEEEEu);

  NvCoolerSettings coolers;
  std::memset(&coolers, 0xEE, sizeof(coolers));
  coolers.version = kCoolerSettingsFallback;  // 152 bytes: the count and two coolers
  ASSERT_EQ(NvapiEntry<GetCoolerSettingsFn>(kIdGetCoolerSettings)(gpu, 0, &coolers), kOk);
  EXPECT_EQ(coolers.count, 2u);
  EXPECT_EQ(coolers.cooler[1].currentLevel, 30u);
  EXPECT_EQ(coolers.cooler[2].currentLevel, 0xEEEEEEEEu);

  // A version word announcing more than the record type holds is bounded by the type.
  Load("gpu\n  accept usages 0x1FFFF\nend\n");
  Initialize();
  struct Guarded {
    NvGpuUsages usages;
    std::uint32_t guard;
  } guarded{};
  guarded.usages.version = 0x1FFFF;
  guarded.guard = 0x600DF00D;
  ASSERT_EQ(NvapiEntry<GetUsagesFn>(kIdGetUsages)(First(), &guarded.usages), kOk);
  EXPECT_EQ(guarded.guard, 0x600DF00Du);
}

TEST_F(SimNvapi, ClockTypesAndPstateBaseEntries) {
  Load(R"(gpu
  clock.graphics 1500000
  base.graphics 1200000
  base.memory 7000000
  base.processor 1100000
  base.video none
  boost.graphics 1800000
  clock.video none
end
)");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
  auto clocks = NvapiEntry<GetClockFrequenciesFn>(kIdGetAllClockFrequencies);
  const std::uint32_t expected[] = {1500000, 1200000, 1800000};
  for (std::uint32_t type = 0; type < 3; ++type) {
    NV_GPU_CLOCK_FREQUENCIES record{};
    record.version = kClockFrequenciesV3;
    record.clockTypeBits = type | 0xF0u;  // only the low four bits are the type
    ASSERT_EQ(clocks(gpu, &record), kOk);
    EXPECT_EQ(record.domain[kClockDomainGraphics].frequencyKHz, expected[type]) << type;
  }
  NV_GPU_CLOCK_FREQUENCIES current{};
  current.version = kClockFrequenciesV3;
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
  EXPECT_EQ(entries[0].domainId, kClockDomainGraphics);
  EXPECT_EQ(entries[0].freqDeltaMaxKHz, 1200000u);
  EXPECT_EQ(entries[1].domainId, kClockDomainMemory);
  EXPECT_EQ(entries[1].freqDeltaMaxKHz, 7000000u);
  EXPECT_EQ(entries[2].domainId, kClockDomainProcessor);
  EXPECT_EQ(entries[2].freqDeltaMaxKHz, 0u);
  EXPECT_EQ(entries[2].data[0], 1100000u);
}

TEST_F(SimNvapi, ScriptedFailureFromTheNthCall) {
  LoadFile("failures.txt");
  Initialize();
  const std::vector<NvPhysicalGpuHandle> gpus = Enumerate(kIdEnumPhysicalGPUs);
  std::int32_t celsius = 0;
  EXPECT_EQ(Thermal(gpus[0], &celsius), kOk);
  EXPECT_EQ(Thermal(gpus[1], &celsius), kOk);
  EXPECT_EQ(Thermal(gpus[0], &celsius), kNotSupported) << "third call over all GPUs";
  EXPECT_EQ(Thermal(gpus[1], &celsius), kNotSupported);
  EXPECT_EQ(sim::NvapiCallCount(kIdGetThermalSettings), 4u);
  EXPECT_EQ(::SimNvapiQueryInterface(kIdGetCoreVoltage), nullptr);

  Load("gpu\nend\ngpu\n  fail NvAPI_GPU_GetBusId -5 from 2 to 3\nend\n");
  Initialize();
  const std::vector<NvPhysicalGpuHandle> two = Enumerate(kIdEnumPhysicalGPUs);
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
  Load("fail NvAPI_EnumPhysicalGPUs -1 from 1\ngpu\nend\n");
  Initialize();
  EXPECT_TRUE(Enumerate(kIdEnumPhysicalGPUs).empty());
}

TEST_F(SimNvapi, ConnectedDisplaysCountThenFill) {
  LoadFile("versions-v1.txt");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
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
  LoadFile("misbehaving.txt");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
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

  NvFanCoolerStatus fans{};
  fans.version = kFanCoolerStatusV1;
  ASSERT_EQ(NvapiEntry<GetFanCoolerStatusFn>(kIdGetFanCoolerStatus)(gpu, &fans), kOk);
  EXPECT_EQ(fans.count, 255u);
  EXPECT_EQ(fans.fan[2].speedRpm, 0u) << "entries only for the two real fans";
  auto coolers = std::make_unique<NvCoolerSettings>();
  coolers->version = kCoolerSettingsV4;
  ASSERT_EQ(NvapiEntry<GetCoolerSettingsFn>(kIdGetCoolerSettings)(gpu, 0, coolers.get()), kOk);
  EXPECT_EQ(coolers->count, 4000000000u);
  EXPECT_EQ(coolers->cooler[0].tachometerValid, 0u);

  std::int32_t celsius = 0;
  ASSERT_EQ(Thermal(gpu, &celsius), kOk);  // slowed down by the scenario, same answer
  EXPECT_EQ(celsius, -20);
  std::uint32_t frameBuffer = 1;
  ASSERT_EQ(NvapiEntry<GpuU32Fn>(kIdGetPhysicalFrameBufferSize)(gpu, &frameBuffer), kOk);
  EXPECT_EQ(frameBuffer, 0u);
  NV_DISPLAY_DRIVER_MEMORY_INFO memory{};
  memory.version = kMemoryInfoV3;
  ASSERT_EQ(NvapiEntry<GetMemoryInfoFn>(kIdGetMemoryInfo)(gpu, &memory), kOk);
  EXPECT_EQ(memory.curAvailableDedicatedVideoMemory, 0u) << "used above total: none available";
}

TEST_F(SimNvapi, FanQueriesFollowTheScenario) {
  LoadFile("two-gpus.txt");
  Initialize();
  const std::vector<NvPhysicalGpuHandle> gpus = Enumerate(kIdEnumPhysicalGPUs);
  auto coolers = std::make_unique<NvCoolerSettings>();
  coolers->version = kCoolerSettingsV4;
  auto getCoolers = NvapiEntry<GetCoolerSettingsFn>(kIdGetCoolerSettings);
  EXPECT_EQ(getCoolers(gpus[0], 0, coolers.get()), kNotSupported) << "fan-cooler status only";
  ASSERT_EQ(getCoolers(gpus[1], 0, coolers.get()), kOk);
  EXPECT_EQ(coolers->count, 1u);
  EXPECT_EQ(coolers->cooler[0].currentLevel, 40u);
  EXPECT_EQ(coolers->cooler[0].speedRpm, 1400u);
  EXPECT_EQ(coolers->cooler[0].tachometerValid, 1u);

  auto getFans = NvapiEntry<GetFanCoolerStatusFn>(kIdGetFanCoolerStatus);
  for (std::uint32_t n = 0; n < 2; ++n) {
    NvFanCoolerStatus fans{};
    fans.version = kFanCoolerStatusV1;
    ASSERT_EQ(getFans(gpus[0], &fans), kOk);
    EXPECT_EQ(fans.count, 2u);
    EXPECT_EQ(fans.fan[0].speedRpm, 1000u + 10 * n);
    EXPECT_EQ(fans.fan[0].level, 30u + n);
    EXPECT_EQ(fans.fan[1].speedRpm, 1010u + 10 * n);
    EXPECT_EQ(fans.fan[1].level, 31u + n);
  }
  NvFanCoolerStatus fans{};
  fans.version = kFanCoolerStatusV1;
  EXPECT_EQ(getFans(gpus[1], &fans), kNotSupported);
}

TEST_F(SimNvapi, EachReadingAdvancesOnlyWhenHandedOut) {
  LoadFile("two-gpus.txt");
  Initialize();
  const NvPhysicalGpuHandle gpu = First();
  std::int32_t celsius = 0;
  const std::int32_t sine[] = {60, 70, 60, 50, 60};
  ASSERT_EQ(Thermal(gpu, &celsius), kOk);
  EXPECT_EQ(celsius, sine[0]);
  NV_GPU_THERMAL_SETTINGS wrong{};
  wrong.version = kThermalSettingsV1;  // refused: does not count as a sample
  EXPECT_EQ(NvapiEntry<GetThermalSettingsFn>(kIdGetThermalSettings)(gpu, 0, &wrong),
            kIncompatibleStructVersion);
  ASSERT_EQ(Thermal(gpu, &celsius), kOk);
  EXPECT_EQ(celsius, sine[1]);

  // The NVML path of the same reading continues the same sample numbers.
  ASSERT_EQ(sim::NvmlEntry<nvml::InitFn>(nvml::kInit)(), nvml::kSuccess);
  nvmlDevice_t device = nullptr;
  ASSERT_EQ(
      sim::NvmlEntry<nvml::DeviceGetHandleByIndexFn>(nvml::kDeviceGetHandleByIndex)(1, &device),
      nvml::kSuccess);  // bus 5 is NVML device 1
  std::uint32_t nvmlCelsius = 0;
  ASSERT_EQ(sim::NvmlEntry<nvml::DeviceGetTemperatureFn>(nvml::kDeviceGetTemperature)(
                device, nvml::kTemperatureGpu, &nvmlCelsius),
            nvml::kSuccess);
  EXPECT_EQ(nvmlCelsius, static_cast<std::uint32_t>(sine[2]));
  ASSERT_EQ(Thermal(gpu, &celsius), kOk);
  EXPECT_EQ(celsius, sine[3]);

  NV_GPU_DYNAMIC_PSTATES_INFO_EX loads{};
  loads.version = kDynamicPstatesInfoExV1;
  auto dynamic = NvapiEntry<GetDynamicPstatesFn>(kIdGetDynamicPstatesInfoEx);
  for (std::uint32_t n = 0; n < 3; ++n) {
    ASSERT_EQ(dynamic(gpu, &loads), kOk);
    EXPECT_EQ(loads.utilization[1].percentage, 5u + n);             // ramp 5 1
    EXPECT_EQ(loads.utilization[0].percentage, n < 2 ? 10u : 90u);  // square 10 90 2
  }
}

}  // namespace
