// Sampling cycles over scripted scenarios: the slot values must be exactly what the rules of
// sources, fallbacks, flags, histories and statistics predict from the scenario's signals.
#include "gpu/sampler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

#include "gpu/discovery_texts.h"
#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sampling_fixture.h"

namespace {

using gpu::kEmptySample;
using gpu::kGraphics;
using gpu::kMemory;
using gpu::kProcessor;
using gpu::kVideo;
using testing_support::OneGpu;

class Sampler : public testing_support::SamplingFixture {
 protected:
  void Run(int cycles, const std::string& scenario) {
    Load(scenario);
    Cycles(cycles);
  }
  void LoadNamedPair() {
    Load("gpu\n  name A\nend\ngpu\n  name B\nend\n");
    Slot(0).gpuName.Store(L"A");
    Slot(1).gpuName.Store(L"B");
  }
  std::vector<std::string> TakeCaptions() { return std::exchange(window->captions, {}); }
};

TEST_F(Sampler, CurrentClocksFollowTheDriverWithHistoryAndStatistics) {
  Run(3, OneGpu({"clock.graphics ramp 900000 50000", "clock.memory 7000000",
                 "clock.processor 1800000", "clock.video none", "base.graphics 1410000"}));
  EXPECT_EQ(Slot(0).clockBase[kGraphics].Load(), 1410000u);
  EXPECT_EQ(Slot(0).clockCurrent[kGraphics].Load(), 1000000u);
  EXPECT_EQ(Slot(0).clockCurrent[kMemory].Load(), 7000000u);
  EXPECT_EQ(Slot(0).clockCurrent[kProcessor].Load(), 1800000u);
  EXPECT_EQ(Slot(0).hasProcClock.Load(), 1);
  EXPECT_EQ(Slot(0).hasVideoClock.Load(), 0);  // domain not present
  EXPECT_EQ(Slot(0).clockHistory.At(0, kGraphics), 1000000);
  EXPECT_EQ(Slot(0).clockHistory.At(2, kGraphics), 900000);
  EXPECT_EQ(Slot(0).clockHistory.At(3, kGraphics), kEmptySample);
  EXPECT_EQ(Slot(0).gpuClockMin.Load(), 900000u);
  EXPECT_EQ(Slot(0).gpuClockMax.Load(), 1000000u);
  EXPECT_EQ(Slot(0).gpuClockSumNvapi.Load(), 2850000u);
  EXPECT_EQ(Slot(0).gpuClockAvg.Load(), 950000u);
  EXPECT_EQ(table->sampleCount.Load(), 3);
}

TEST_F(Sampler, MinimumStaysAtItsStartAboveOneGigahertz) {
  Run(2, OneGpu({"clock.graphics 1500000"}));
  EXPECT_EQ(Slot(0).gpuClockMin.Load(), gpu::kInitialGpuClockMinKHz);
  EXPECT_EQ(Slot(0).gpuClockMax.Load(), 1500000u);
}

TEST_F(Sampler, ClockSourceSwitchSplitsTheSumsAndTheDivisorCountsCycles) {
  // Three clock queries a cycle (current, base, boost): from call 7 on, cycle 3, all fail.
  Run(4, OneGpu({"clock.graphics ramp 1000000 100000", "clock.memory 5000000",
                 "clock.processor ramp 1500000 100000", "clock.video ramp 1100000 100000"},
                "fail NvAPI_GPU_GetAllClockFrequencies -104 from 7"));
  EXPECT_EQ(Slot(0).clockCurrent[kProcessor].Load(), 1800000u) << "from NVML";
  EXPECT_EQ(Slot(0).clockCurrent[kVideo].Load(), 1400000u) << "from NVML";
  EXPECT_EQ(Slot(0).clockHistory.At(3, kVideo), 1100000) << "from the driver";
  EXPECT_EQ(Slot(0).gpuClockSumNvapi.Load(), 1000000u + 1100000u);
  EXPECT_EQ(Slot(0).gpuClockSumNvml.Load(), 1200000u + 1300000u);  // MHz from NVML, as kHz
  EXPECT_EQ(Slot(0).gpuClockAvg.Load(), (1200000u + 1300000u) / 4);
  EXPECT_EQ(Slot(0).clockCurrent[kGraphics].Load(), 1300000u);
  EXPECT_EQ(Slot(0).clockHistory.At(0, kGraphics), 1300000);
  EXPECT_EQ(Slot(0).clockHistory.At(3, kGraphics), 1000000);
}

TEST_F(Sampler, NoClockSourceLeavesClocksStatisticsAndHistoryAlone) {
  Run(3, "library nvml missing\n" + OneGpu({"clock.graphics 1200000"},
                                           "fail NvAPI_GPU_GetAllClockFrequencies -104 from 4"));
  EXPECT_EQ(Slot(0).clockCurrent[kGraphics].Load(), 1200000u);
  EXPECT_EQ(Slot(0).gpuClockSumNvapi.Load(), 1200000u);
  EXPECT_EQ(Slot(0).gpuClockSumNvml.Load(), 0u);
  EXPECT_EQ(Slot(0).clockHistory.At(0, kGraphics), 1200000);
  EXPECT_EQ(Slot(0).clockHistory.At(1, kGraphics), kEmptySample);
  EXPECT_EQ(table->sampleCount.Load(), 3);
}

TEST_F(Sampler, BaseClocksFallBackToThePerformanceStates) {
  Load(OneGpu({"base.graphics 1440000", "base.memory 7000000", "base.processor 1600000",
               "base.video none"}));
  Slot(0).clockVersionBase.Store(nvapi::kClockFrequenciesV2);  // refused by this driver
  Slot(0).clockBase[kVideo].Store(1300000);  // a domain the states do not list keeps its clock
  Cycles(1);
  const std::uint32_t base[] = {1440000, 7000000, 1600000, 1300000};  // kGraphics .. kVideo
  for (std::size_t d = 0; d < 4; ++d) EXPECT_EQ(Slot(0).clockBase[d].Load(), base[d]) << d;
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetPstates20), 1u);
  // Nor is an entry behind the listed ones read, though its cleared domain word names graphics.
  Load(OneGpu({"base.graphics none"}));
  Slot(0).clockVersionBase.Store(nvapi::kClockFrequenciesV2);
  Slot(0).clockBase[kGraphics].Store(1440000);
  Cycles(1);
  EXPECT_EQ(Slot(0).clockBase[kGraphics].Load(), 1440000u);
}

TEST_F(Sampler, CeilingsRiseWithBoostAndCurrentClocksAndNeverFall) {
  Run(1, OneGpu({"clock.graphics ramp 1800000 200000", "boost.graphics 1900000",
                 "clock.memory 7000000", "boost.memory 7500000"}));
  EXPECT_EQ(Slot(0).graphicsClockCeilingKHz.Load(), 1900000u);
  Cycles(1);
  EXPECT_EQ(Slot(0).graphicsClockCeilingKHz.Load(), 2000000u);  // current above boost
  EXPECT_EQ(Slot(0).memoryClockCeilingKHz.Load(), 7500000u);
}

TEST_F(Sampler, FixedBoardWithoutBoostClocksKeepsItsFixedCeilings) {
  Load(OneGpu({"clock.graphics ramp 900000 100000"}));
  Slot(0).fixedClockBoard.Store(1);
  Slot(0).fixedGraphicsCeilingKHz.Store(850000);
  Slot(0).fixedMemoryCeilingKHz.Store(891000);
  Slot(0).clockVersionBoost.Store(nvapi::kClockFrequenciesV1);  // refused: the boost query fails
  Cycles(3);
  EXPECT_EQ(Slot(0).clockCurrent[kGraphics].Load(), 1100000u);
  EXPECT_EQ(Slot(0).graphicsClockCeilingKHz.Load(), 850000u);
  EXPECT_EQ(Slot(0).memoryClockCeilingKHz.Load(), 891000u);
}

TEST_F(Sampler, UsageQueryGivesTheLoadAndARefusedOneReadsAsZero) {
  Run(2, OneGpu({"load.gpu 40"}, "fail usages -104 from 3"));
  EXPECT_EQ(Slot(0).gpuLoad.Load(), 40u);
  Cycles(1);
  EXPECT_EQ(Slot(0).gpuLoad.Load(), 0u);
  EXPECT_EQ(Slot(0).hasGpuLoad.Load(), 1);
  EXPECT_EQ(Slot(0).loadHistory.At(0), 0);
  EXPECT_EQ(Slot(0).loadHistory.At(1), 40);
  Load(OneGpu({"load.gpu 40"}));
  Slot(0).handleIndex.Store(nvapi::kMaxPhysicalGpus);  // no handle of the driver's 64
  Cycles(1);
  EXPECT_EQ(Slot(0).gpuLoad.Load(), 0u);
}

TEST_F(Sampler, WithoutTheUsageQueryTheLoadIsNeverSupported) {
  Run(2, OneGpu({"load.gpu 40"}, "absent usages"));
  EXPECT_EQ(Slot(0).hasGpuLoad.Load(), 0);
  EXPECT_EQ(Slot(0).loadHistory.At(0), kEmptySample);
}

TEST_F(Sampler, ComputeModeGpuTakesLoadAndMemoryFromNvmlFromTheSecondCycle) {
  Run(1, OneGpu({"driver tcc", "load.gpu 70", "memory.total 16777216", "memory.used 4194304"}));
  EXPECT_EQ(Slot(0).driverModel.Load(), 1u);
  EXPECT_EQ(Slot(0).hasDriverModel.Load(), 1);
  EXPECT_EQ(sim::NvmlCallCount(nvml::kDeviceGetUtilizationRates), 0u);
  EXPECT_EQ(sim::NvmlCallCount(nvml::kDeviceGetMemoryInfo), 0u);
  Cycles(1);
  EXPECT_EQ(sim::NvmlCallCount(nvml::kDeviceGetUtilizationRates), 1u);
  EXPECT_EQ(sim::NvmlCallCount(nvml::kDeviceGetMemoryInfo), 1u);
  EXPECT_EQ(Slot(0).gpuLoad.Load(), 70u);
  EXPECT_EQ(Slot(0).memTotalKiB.Load(), 16777216u);
  EXPECT_EQ(Slot(0).memUsedKiB.Load(), 4194304u);
  EXPECT_EQ(Slot(0).hasMemUsed.Load(), 1);
}

TEST_F(Sampler, DisplayGpuMemoryComesFromTheDriver) {
  Run(2, OneGpu({"memory.total 8388608", "memory.used ramp 1048576 1024"}));
  EXPECT_EQ(Slot(0).memTotalKiB.Load(), 8388608u);
  EXPECT_EQ(Slot(0).memUsedKiB.Load(), 1048576u + 1024u);
  EXPECT_EQ(Slot(0).memUsedHistory.At(1), 1048576);
  // A driver reporting more available than dedicated memory has none in use, not 4 GiB.
  Run(1, OneGpu({"memory.total 8388608", "memory.used -4096"}));
  EXPECT_EQ(Slot(0).memUsedKiB.Load(), 0u);
  EXPECT_EQ(Slot(0).hasMemUsed.Load(), 1);
}

TEST_F(Sampler, TemperatureFallsBackToNvmlAndKeepsItsLastValueWhenBothFail) {
  Run(3, OneGpu({"temperature ramp 40 1"},
                "fail NvAPI_GPU_GetThermalSettings -104 from 2\nfail nvmlDeviceGetTemperature 999 "
                "from 2"));
  // Cycle 1 through the driver (40), cycle 2 through NVML (41), cycle 3 nothing.
  EXPECT_EQ(Slot(0).temperature.Load(), 41);
  EXPECT_EQ(Slot(0).hasTemperature.Load(), 1);
  EXPECT_EQ(Slot(0).temperatureHistory.At(0), 41);
  EXPECT_EQ(Slot(0).temperatureHistory.At(1), 40);
  EXPECT_EQ(Slot(0).temperatureHistory.At(2), kEmptySample);
  EXPECT_NE(Slot(0).powerHistory.At(2), kEmptySample);  // the other histories ran on
  Run(1, "library nvml missing\n" + OneGpu({}, "fail NvAPI_GPU_GetThermalSettings -104"));
  EXPECT_EQ(Slot(0).hasTemperature.Load(), 0);
}

TEST_F(Sampler, NegativeTemperaturesAreKept) {
  Run(1, OneGpu({"temperature -12"}));
  EXPECT_EQ(Slot(0).temperature.Load(), -12);
  EXPECT_EQ(Slot(0).temperatureHistory.At(0), -12);
  // A reading equal to the history's empty marker is kept as read and still drawn.
  Run(1, OneGpu({"temperature -1000", "load.gpu 0xFFFFFC18"}));
  EXPECT_EQ(Slot(0).temperature.Load(), -1000);
  EXPECT_EQ(Slot(0).temperatureHistory.At(0), kEmptySample + 1);
  EXPECT_EQ(Slot(0).gpuLoad.Load(), 0xFFFFFC18u);
  EXPECT_EQ(Slot(0).loadHistory.At(0), kEmptySample + 1);
}

TEST_F(Sampler, UnreadablePowerLimitIsShownAsOneHundredWatts) {
  Load(OneGpu({"power.draw 120000", "power.limit 250000"},
              "fail nvmlDeviceGetPowerManagementLimit 3 from 2"));
  EXPECT_EQ(Slot(0).powerLimitUnknown.Load(), gpu::kInitialPowerLimitUnknown);
  Cycles(1);
  EXPECT_EQ(Slot(0).powerLimit.Load(), 250000u);
  EXPECT_EQ(Slot(0).powerLimitUnknown.Load(), 0u);
  Cycles(1);
  EXPECT_EQ(Slot(0).powerLimit.Load(), gpu::kUnknownPowerLimitMw);
  EXPECT_EQ(Slot(0).powerLimitUnknown.Load(), 0u);
  EXPECT_EQ(Slot(0).powerDraw.Load(), 120000u);
}

TEST_F(Sampler, PowerLimitNeverReadKeepsTheUnknownMarker) {
  Run(1, OneGpu({}, "absent nvmlDeviceGetPowerManagementLimit\nabsent nvmlDeviceGetDriverModel"));
  EXPECT_EQ(Slot(0).hasDriverModel.Load(), 0);
  EXPECT_EQ(Slot(0).powerLimit.Load(), gpu::kUnknownPowerLimitMw);
  EXPECT_EQ(Slot(0).powerLimitUnknown.Load(), gpu::kInitialPowerLimitUnknown);
  EXPECT_EQ(Slot(0).hasPower.Load(), 1);
}

TEST_F(Sampler, PstateEngineLoadsAndVoltage) {
  Run(1, OneGpu({"pstate 2", "load.memctrl 11", "load.video 22", "load.bus 33", "voltage 875000"}));
  EXPECT_EQ(Slot(0).pstate.Load(), 2u);
  EXPECT_EQ(Slot(0).memCtrlLoad.Load(), 11u);
  EXPECT_EQ(Slot(0).videoEngineLoad.Load(), 22u);
  EXPECT_EQ(Slot(0).busLoad.Load(), 33u);
  EXPECT_EQ(Slot(0).coreVoltage.Load(), 875000u);
  EXPECT_EQ(Slot(0).hasVoltage.Load() + Slot(0).hasPstate.Load() + Slot(0).hasBusLoad.Load(), 3);
}

TEST_F(Sampler, TwoFansComeFromTheFanCoolerStatusWithoutFlags) {
  Load(OneGpu(
      {"fans 2 status", "fan1.level 30", "fan1.rpm 1000", "fan2.level 35", "fan2.rpm 1100"}));
  Slot(0).hasFanCoolerStatus.Store(1);
  Cycles(1);
  EXPECT_EQ(Slot(0).fanLevelPair[0].Load(), 30u);
  EXPECT_EQ(Slot(0).fanRpmPair[0].Load(), 1000u);
  EXPECT_EQ(Slot(0).fanLevelPair[1].Load(), 35u);
  EXPECT_EQ(Slot(0).fanRpmPair[1].Load(), 1100u);
  EXPECT_EQ(Slot(0).hasFanLevel.Load(), 0);
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 0);
}

TEST_F(Sampler, CoolerQueryGivesLevelAndOnlyAValidTachometerGivesRpm) {
  Run(1, OneGpu({"fan1.level 45", "fan1.rpm 1500", "quirk tachometer-invalid"}));
  EXPECT_EQ(Slot(0).fanLevel.Load(), 45u);
  EXPECT_EQ(Slot(0).hasFanLevel.Load(), 1);
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 0);
  Run(1, OneGpu({"fan1.level 45", "fan1.rpm 1500"}));
  EXPECT_EQ(Slot(0).fanRpm.Load(), 1500u);
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 1);
}

TEST_F(Sampler, NvmlFanWithoutAUnitGivesTheLevelButNoSpeed) {
  Load(OneGpu({"fans 1 status", "fan1.level 55"}));  // the cooler query is refused
  Cycles(1);
  EXPECT_EQ(Slot(0).fanLevel.Load(), 55u);
  EXPECT_EQ(Slot(0).hasFanLevel.Load(), 1);
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 0);
}

TEST_F(Sampler, NvmlFanWithAUnitGivesTheSpeedOnlyWhileTheFanIsNormal) {
  Run(1, OneGpu({"fans 1 status", "unit present", "fan1.rpm 1700"}));
  EXPECT_EQ(Slot(0).fanRpm.Load(), 1700u);
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 1);
  Run(1, OneGpu({"fans 1 status", "unit fan-failed", "fan1.rpm 1700"}));
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 0);
  // A unit that lists no fan has no speed to give, whatever its zeroed first entry holds.
  Run(1, OneGpu({"fans 0 status", "unit present"}));
  EXPECT_EQ(Slot(0).hasFanRpm.Load(), 0);
  EXPECT_EQ(sim::NvmlCallCount(nvml::kUnitGetFanSpeedInfo), 1u);
}

TEST_F(Sampler, CycleSendsEveryCaptionThenPollsThenAsksForTheRepaint) {
  LoadNamedPair();
  Cycles(1);
  EXPECT_EQ(window->captions, (std::vector<std::string>{"0:A(1)", "1:B(2)"}));
  EXPECT_EQ(window->polls, 1);
  ASSERT_EQ(window->invalidated.size(), 13u);
  EXPECT_EQ(window->invalidated[0], (gpu::Rect{19, 47, 101, 121}));
  EXPECT_EQ(window->invalidated[12], (gpu::Rect{12, 358, 682, 486}));
  // One request; only the information panel's area brings the child windows over it along.
  EXPECT_EQ(window->childrenOver, (std::vector<gpu::Rect>{{12, 358, 682, 486}}));
  EXPECT_EQ(table->gridPhase.Load(), 2);
}

// Each caption the tab control is given repaints its strip: only a changed one is sent, and
// one that changes is sent in the same cycle.
TEST_F(Sampler, ACaptionIsSentOnlyWhenItChanges) {
  LoadNamedPair();
  Cycles(3);  // the start-up labels are replaced by the first cycle, then nothing is resent
  EXPECT_EQ(TakeCaptions(), (std::vector<std::string>{"0:A(1)", "1:B(2)"}));
  table->detailMode.Store(1);
  Cycles(2);
  const std::vector<std::string> detailed = TakeCaptions();
  ASSERT_EQ(detailed.size(), 2u);
  EXPECT_EQ(detailed[0].rfind("0:A (0x", 0), 0u) << detailed[0];
  EXPECT_EQ(detailed[1].rfind("1:B (0x", 0), 0u) << detailed[1];
  table->detailMode.Store(0);
  Slot(1).gpuName.Store(L"C");
  Cycles(1);
  EXPECT_EQ(TakeCaptions(), (std::vector<std::string>{"0:A(1)", "1:C(2)"}));
  Slot(0).gpuName.Store(L"D");
  Cycles(2);
  EXPECT_EQ(TakeCaptions(), (std::vector<std::string>{"0:D(1)"}));
}

// The information line shows the selected GPU: its name, and its core counts in detail mode.
// Only that is asked of the driver, once a cycle; the line is shown again when an answer changed.
TEST_F(Sampler, OnlyWhatTheInformationLineShowsIsAskedOfTheDriver) {
  Load("gpu\n  name A\n  cores 4352 68 544\nend\ngpu\n  name B\n  cores 2560 40 160\nend\n");
  table->selectedSlot.Store(1);
  Cycles(2);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 2u);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetGpuCoreCount), 0u);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetCoreCounts), 0u);
  EXPECT_EQ(window->infoLineShows, 1);  // the name, first kept in the first cycle
  table->detailMode.Store(1);
  Cycles(3);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetFullName), 5u);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetGpuCoreCount), 3u);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetCoreCounts), 3u);
  EXPECT_EQ(table->infoFacts[1].cudaCores.Load(), 2560u);
  EXPECT_EQ(table->infoFacts[0].hasCudaCores.Load(), 0);
  EXPECT_EQ(window->infoLineShows, 2);  // the counts, in the first cycle of detail mode
  table->selectedSlot.Store(0);         // another tab: its line is completed in the next cycle
  Cycles(1);
  EXPECT_EQ(table->infoFacts[0].rtCores.Load(), 68u);
  EXPECT_EQ(window->infoLineShows, 3);
}

TEST_F(Sampler, WithoutGpusACycleOnlyPollsAndRepaints) {
  Load(OneGpu({}));
  table->gpuCount.Store(0);
  Cycles(2);
  EXPECT_TRUE(window->captions.empty());
  EXPECT_EQ(window->polls, 2);
  EXPECT_EQ(window->invalidated.size(), 26u);
  EXPECT_EQ(Slot(0).hasTemperature.Load(), 0);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetThermalSettings), 0u);
}

TEST_F(Sampler, ThreadEndsAfterTheCycleThatFindsTheRunFlagCleared) {
  Load(OneGpu({}));
  window->stopAfterPolls = 3;
  gpu::Vendor v = vendor->Get();
  EXPECT_EQ(gpu::RunSamplingThread(v, *table, *window), 0);
  EXPECT_EQ(window->polls, 3);
  EXPECT_EQ(table->sampleCount.Load(), 2);
  EXPECT_EQ(vendor->system.sleeps, (std::vector<std::uint32_t>{1000, 1000}));
}

// Without the thread nothing is ever sampled and no check box reacts: start-up does not go on
// to a window that would stay dead, it says why.
TEST(SamplingStart, AThreadThatCannotStartEndsTheStartUpWithItsMessage) {
  for (const bool started : {true, false}) {
    auto table = std::make_unique<gpu::SlotTable>();
    testing_support::RecordedMessages messages;
    int starts = 0;
    EXPECT_EQ(gpu::StartSampling(
                  *table, [&] { return ++starts, started; }, messages),
              started);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(messages.texts, started ? std::vector<std::wstring>{}
                                      : std::vector<std::wstring>{gpu::kThreadFailedText});
    EXPECT_EQ(table->appRunning.Load(), started ? 1 : 0);
  }
}

// The painter, the logger and the screenshot thread read while the sampler writes: quiet under
// ThreadSanitizer.
class SamplerConcurrent : public testing_support::SamplingFixture {};

TEST_F(SamplerConcurrent, ReadersOfTheTableNeverRaceTheSampler) {
  Load(OneGpu({"clock.graphics ramp 1000000 1000", "temperature ramp 30 1"}));
  std::atomic<bool> done{false};
  std::thread sampler([&] {
    Cycles(50);
    done = true;
  });
  volatile std::int64_t seen = 0;  // keeps the reads
  while (!done) {
    const gpu::GpuSlot& slot = Slot(0);
    seen = seen + slot.clockCurrent[kGraphics].Load() + slot.temperature.Load() +
           slot.temperatureHistory.At(0) + slot.gpuClockAvg.Load() + table->gridPhase.Load();
  }
  sampler.join();
  EXPECT_EQ(Slot(0).temperature.Load(), 30 + 49);
}

}  // namespace
