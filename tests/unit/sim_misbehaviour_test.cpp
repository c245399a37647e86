// The simulator's misbehaviour in time: the hang, slow and lost lines, a GPU that falls off
// the bus for a span of its cycles, and a hung call that holds nothing else up.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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
  nvmlReturn_t NvmlHandle(std::uint32_t index) {
    nvmlDevice_t device = nullptr;
    return sim::NvmlEntry<nvml::DeviceGetHandleByIndexFn>(nvml::kDeviceGetHandleByIndex)(index,
                                                                                         &device);
  }

  std::vector<NvPhysicalGpuHandle> gpus;
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
    EXPECT_EQ(NvmlHandle(1), lost ? nvml::kErrorGpuIsLost : nvml::kSuccess) << cycle;
    // The other GPU goes on.
    EXPECT_EQ(Clocks(gpus[0], kClockTypeCurrent), kOk) << cycle;
    EXPECT_EQ(Bus(gpus[0]), 1u) << cycle;
    EXPECT_EQ(NvmlHandle(0), nvml::kSuccess) << cycle;
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

}  // namespace
