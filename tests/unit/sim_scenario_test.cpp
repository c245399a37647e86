// The scenario reader: good files, each kind of malformed line, the bounds, and loading; then
// reading signals at known sample numbers, and the clamps into record fields.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "sim/default_scenario.h"
#include "sim/reading_signal.h"
#include "sim/scenario_parser.h"
#include "sim/sim.h"
#include "sim/sim_testing.h"
#include "support/sim_vendor.h"

namespace {

using sim::Scenario;
using sim::Signal;
using sim::SignalKind;
using sim::SignalValue;
using testing_support::ParseError;
using testing_support::ParseOk;
using testing_support::Repeat;

TEST(SimScenarioParse, ReadsEveryKindOfGpuLine) {
  const Scenario scenario = ParseOk(R"(# comment line
hooks pre post
gpu
  name  Quorvane Sim Test GPU   # trailing comment
  bus 0x1A
  pci 0x220610DE 0x38801462 0xA2
  driver tcc
  cores 8704 68 272
  pcie 8 4
  display dp 0x1001 primary
  display 9 0x1002
  fans 2 both
  unit fan-failed
  accept clocks 0x20108 0x10108
  quirk display-count 1000000
  quirk name-unterminated
  temperature sine -5 10 20
  clock.video none
  fail NvAPI_GPU_GetBusId -104 from 3 to 4
  delay nvmlDeviceGetPowerUsage 25
end
absent 0xDA141340
)");
  ASSERT_EQ(scenario.gpus.size(), 1u);
  const sim::GpuSetup& gpu = scenario.gpus[0];
  EXPECT_TRUE(scenario.preCallHook && scenario.postCallHook);
  EXPECT_EQ(gpu.name, "Quorvane Sim Test GPU");
  EXPECT_EQ(gpu.bus, 0x1Au);
  EXPECT_EQ(gpu.pci[0], 0x220610DEu);
  EXPECT_EQ(gpu.pci[2], 0xA2u);
  EXPECT_EQ(gpu.pci[3], 0x220610DEu) << "the extended id defaults to the device id";
  EXPECT_TRUE(gpu.tcc);
  EXPECT_EQ(gpu.tensorCores, 272u);
  EXPECT_EQ(gpu.pcieWidth, 8u);
  ASSERT_EQ(gpu.displays.size(), 2u);
  EXPECT_EQ(gpu.displays[0].connector, nvapi::kConnectorDisplayPort);
  EXPECT_EQ(gpu.displays[1].connector, 9);
  ASSERT_TRUE(scenario.primary.has_value());
  EXPECT_EQ(scenario.primary->displayId, 0x1001u);
  EXPECT_EQ(gpu.fanCount, 2u);
  EXPECT_EQ(gpu.fanPath, sim::FanPath::kBoth);
  EXPECT_EQ(gpu.unit, sim::UnitState::kFanFailed);
  EXPECT_EQ(gpu.accepted[sim::Index(sim::Query::kClocks)],
            (std::vector<std::uint32_t>{0x20108, 0x10108}));
  EXPECT_EQ(gpu.quirks.displayCount, 1000000u);
  EXPECT_TRUE(gpu.quirks.nameUnterminated);
  const sim::Signal& temperature = gpu.readings[sim::Index(sim::Reading::kTemperature)];
  EXPECT_EQ(temperature.kind, sim::SignalKind::kSine);
  EXPECT_EQ(temperature.a, -5);
  EXPECT_EQ(gpu.readings[sim::Index(sim::Reading::kClockVideo)].kind, sim::SignalKind::kNone);
  ASSERT_EQ(scenario.failures.size(), 1u);
  EXPECT_EQ(scenario.failures[0].calls.gpu, std::optional<std::size_t>(0));
  EXPECT_EQ(scenario.failures[0].calls.from, 3u);
  EXPECT_EQ(scenario.failures[0].calls.to, 4u);
  ASSERT_EQ(scenario.delays.size(), 1u);
  EXPECT_EQ(scenario.delays[0].ms, 25u);
  EXPECT_TRUE(scenario.absent[sim::Index(sim::Fn::kGetCoolerSettings)]);
}

TEST(SimScenarioParse, DefaultsWhereTheFileSaysNothing) {
  const Scenario scenario = ParseOk("gpu\nend\ngpu\nend\n");
  ASSERT_EQ(scenario.gpus.size(), 2u);
  EXPECT_EQ(scenario.gpus[0].bus, 1u);
  EXPECT_EQ(scenario.gpus[1].bus, 2u);
  EXPECT_FALSE(scenario.gpus[0].tcc);
  EXPECT_FALSE(scenario.preCallHook || scenario.postCallHook);
  EXPECT_EQ(scenario.gpus[0].accepted[sim::Index(sim::Query::kClocks)],
            std::vector<std::uint32_t>{nvapi::kClockFrequenciesV3});
  EXPECT_TRUE(ParseOk("").gpus.empty());
}

TEST(SimScenarioParse, RejectsMalformedLinesWithTheirLineNumber) {
  const std::pair<const char*, const char*> cases[] = {
      // each a text and the start of the message it gives
      {"frobnicate 1\n", "line 1: unknown keyword 'frobnicate'"},
      {"gpu\n  colour red\nend\n", "line 2: unknown keyword 'colour' in a gpu block"},
      {"gpu\n  bus\nend\n", "line 2: wrong number of values"},
      {"gpu\n  bus 1 2\nend\n", "line 2: wrong number of values"},
      {"gpu\n  bus five\nend\n", "line 2: 'five' is not a number"},
      {"gpu\n  bus 0x\nend\n", "line 2: '0x' is not a number"},
      {"gpu\n  bus -1\nend\n", "line 2: -1 is out of range"},
      {"gpu\n  bus 4294967296\nend\n", "line 2: 4294967296 is out of range"},
      {"gpu\n  driver wdm\nend\n", "line 2: driver model must be"},
      {"gpu\n  fans 3\nend\n", "line 2: 3 is out of range"},
      {"gpu\n  fans 1 sideways\nend\n", "line 2: fan query must be"},
      {"gpu\n  display fibre 1\nend\n", "line 2: 'fibre' is not a number"},
      {"gpu\n  display dp 1 primary\n  display dp 2 primary\nend\n", "line 3: a second primary"},
      {"gpu\n  accept clocks\nend\n", "line 2: wrong number of values"},
      {"gpu\n  accept sensors 0x10044\nend\n", "line 2: unknown record 'sensors'"},
      {"gpu\n  accept clocks 0x10004\nend\n", "line 2: version word 0x10004 announces fewer"},
      {"gpu\n  quirk fan-cooler-count 256\nend\n", "line 2: fan-cooler-count is one byte"},
      {"gpu\n  quirk name-unterminated 1\nend\n", "line 2: quirk 'name-unterminated' takes no"},
      {"gpu\n  quirk cooler-count\nend\n", "line 2: quirk 'cooler-count' needs a value"},
      {"gpu\n  quirk wobble 1\nend\n", "line 2: unknown quirk 'wobble'"},
      {"gpu\n  temperature none\nend\n", "line 2: only clock readings can be 'none'"},
      {"gpu\n  temperature ramp 1\nend\n", "line 2: wrong number of values"},
      {"gpu\n  temperature sine 1 2 0\nend\n", "line 2: 0 is out of range"},
      {"gpu\n  temperature 2000000000000\nend\n", "line 2: 2000000000000 is out of range"},
      {"gpu\n  name\nend\n", "line 2: 'name' needs a text"},
      {"gpu\n  name A\tB\nend\n", "line 2: name contains a control character"},
      {"gpu\n  gpu\nend\n", "line 2: 'gpu' inside a gpu block"},
      {"gpu\n  absent cooler\nend\n", "line 2: 'absent' belongs outside a gpu block"},
      {"gpu\n  fail NvAPI_Initialize -1\nend\n", "line 2: NvAPI_Initialize names no GPU"},
      {"end\n", "line 1: unknown keyword 'end' outside a gpu block"},
      {"\n\ngpu\n  bus 1\n", "line 3: 'gpu' block is not closed"},
      {"fail nvmlFrobnicate 1\n", "line 1: unknown function 'nvmlFrobnicate'"},
      {"fail 0x12345678 1\n", "line 1: unknown function '0x12345678'"},
      {"fail pre-call-hook 1\n", "line 1: the call hooks return no status"},
      {"fail nvmlInit 1 from 0\n", "line 1: 0 is out of range"},
      {"fail nvmlInit 1 from 5 to 4\n", "line 1: 'from' is after 'to'"},
      {"fail nvmlInit 1 after 5\n", "line 1: expected 'from' or 'to'"},
      {"fail nvmlInit 1 from\n", "line 1: 'from' needs a number"},
      {"fail nvmlInit 2147483648\n", "line 1: 2147483648 is out of range"},
      {"delay nvmlInit 10001\n", "line 1: 10001 is out of range"},
      {"library nvapi gone\n", "line 1: expected 'missing' or 'present'"},
      {"library cuda missing\n", "line 1: unknown library 'cuda'"},
      {"hooks sideways\n", "line 1: unknown hook 'sideways'"},
  };
  for (const auto& [text, expected] : cases) {
    const std::string error = ParseError(text);
    EXPECT_EQ(error.rfind(expected, 0), 0u) << "text: " << text << "\nerror: " << error;
  }
}

TEST(SimScenarioParse, EnforcesItsBounds) {
  EXPECT_EQ(ParseOk(Repeat("gpu\nend\n", 64)).gpus.size(), 64u);
  EXPECT_EQ(ParseError(Repeat("gpu\nend\n", 65)), "line 129: more than 64 GPUs");
  const std::string sixteen = Repeat("  display dp 1\n", 16);
  EXPECT_EQ(ParseOk("gpu\n" + sixteen + "end\n").gpus[0].displays.size(), 16u);
  EXPECT_EQ(ParseError("gpu\n" + sixteen + "  display dp 1\nend\n"),
            "line 18: more than 16 displays on one GPU");
  EXPECT_EQ(ParseOk("gpu\n  name " + std::string(63, 'N') + "\nend\n").gpus[0].name.size(), 63u);
  EXPECT_EQ(ParseError("gpu\n  name " + std::string(64, 'N') + "\nend\n"),
            "line 2: name longer than 63 characters");
  EXPECT_TRUE(sim::ParseScenario(Repeat("delay nvmlInit 1\n", 256), nullptr, nullptr));
  EXPECT_EQ(ParseError(Repeat("delay nvmlInit 1\n", 257)),
            "line 257: more than 256 fail, delay, hang and slow rules");
  EXPECT_EQ(ParseError("gpu\n#" + std::string(1024, 'x') + "\nend\n"),
            "line 2: longer than 1024 characters");
  EXPECT_EQ(ParseError(std::string((1 << 20) + 1, '\n')), "scenario is larger than 1048576 bytes");
}

TEST(SimScenarioParse, AcceptsWindowsLineEnds) {
  const Scenario scenario = ParseOk("gpu\r\n  bus 7\r\n  name Sim\r\nend\r\n");
  ASSERT_EQ(scenario.gpus.size(), 1u);
  EXPECT_EQ(scenario.gpus[0].bus, 7u);
  EXPECT_EQ(scenario.gpus[0].name, "Sim");
}

TEST(SimScenarioFiles, EveryShippedScenarioParses) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(QUORVANE_SCENARIO_DIR)) {
    if (entry.path().extension() != ".txt") continue;
    std::string error;
    EXPECT_TRUE(sim::LoadScenarioFile(entry.path().string(), &error))
        << entry.path() << ": " << error;
    ++files;
  }
  EXPECT_GE(files, 7);
}

TEST(SimScenarioFiles, DemoScenarioIsLively) {
  const Scenario demo = ParseOk(std::string(sim::DemoScenarioText()));
  ASSERT_GE(demo.gpus.size(), 2u);
  ASSERT_LE(demo.gpus.size(), 3u);
  int moving = 0;  // readings that change from sample to sample
  for (const sim::GpuSetup& gpu : demo.gpus) {
    for (const sim::Signal& signal : gpu.readings) {
      moving += signal.kind != sim::SignalKind::kConstant && signal.kind != sim::SignalKind::kNone;
    }
  }
  EXPECT_GE(moving, 20);
  EXPECT_TRUE(demo.primary.has_value());
}

using SimScenarioLoad = testing_support::SimTest;

TEST_F(SimScenarioLoad, FailedLoadLeavesThePreviousScenario) {
  ASSERT_TRUE(sim::LoadScenarioText("gpu\n  bus 4\nend\n", nullptr));
  InitNvapi();
  std::string error;
  EXPECT_FALSE(sim::LoadScenarioText("gpu\n  bus 1\n  bogus\nend\n", &error));
  EXPECT_EQ(error, "line 3: unknown keyword 'bogus' in a gpu block");
  EXPECT_TRUE(sim::NvapiInitialized()) << "state must be untouched";
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdInitialize), 1u);
  EXPECT_FALSE(sim::LoadScenarioFile("/nonexistent/scenario.txt", &error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
  EXPECT_TRUE(sim::NvapiInitialized());
  ASSERT_TRUE(sim::LoadScenarioText("", nullptr));
  EXPECT_FALSE(sim::NvapiInitialized()) << "a new scenario resets the initialised flag";
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdInitialize), 0u);
}

TEST_F(SimScenarioLoad, WindowsOpensLinuxPathsOnDriveZ) {
  EXPECT_EQ(sim::HostScenarioPath("/tmp/a.txt", true), "Z:/tmp/a.txt");
  EXPECT_EQ(sim::HostScenarioPath("C:/a.txt", true), "C:/a.txt");
  EXPECT_EQ(sim::HostScenarioPath("/tmp/a.txt", false), "/tmp/a.txt");
}

class SimDefaultScenario : public testing_support::SimTest {
 protected:
  void TearDown() override { unsetenv(sim::kScenarioVariable); }
};

TEST_F(SimDefaultScenario, NamedFileIsLoaded) {
  const std::string path = std::string(QUORVANE_SCENARIO_DIR) + "/two-gpus.txt";
  setenv(sim::kScenarioVariable, path.c_str(), 1);
  sim::LoadDefaultScenario();
  InitNvapi();
  EXPECT_EQ(SimGpus().size(), 2u);
}

TEST_F(SimDefaultScenario, UnsetOrEmptyVariableGivesTheDemo) {
  setenv(sim::kScenarioVariable, "", 1);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "empty" : "unset");
    sim::LoadDefaultScenario();
    InitNvapi();
    auto getName = sim::NvapiEntry<nvapi::GetFullNameFn>(nvapi::kIdGetFullName);
    char name[nvapi::kShortStringSize] = {};
    ASSERT_EQ(getName(SimGpus().at(0), name), nvapi::kOk);
    EXPECT_STREQ(name, "Quorvane Sim RTX 4080");
    unsetenv(sim::kScenarioVariable);
  }
}

TEST_F(SimDefaultScenario, UnreadableFileMakesInitialisationFail) {
  for (const std::string& path : {std::string("/nonexistent/x.txt"),
                                  std::string(QUORVANE_SCENARIO_DIR) + "/../unit/CMakeLists.txt"}) {
    setenv(sim::kScenarioVariable, path.c_str(), 1);
    testing::internal::CaptureStderr();
    sim::LoadDefaultScenario();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("quorvane simulator:"), std::string::npos) << path;
    auto init = sim::NvapiEntry<nvapi::InitializeFn>(nvapi::kIdInitialize);
    ASSERT_NE(init, nullptr);
    EXPECT_NE(init(), nvapi::kOk);
    auto nvmlInit = sim::NvmlEntry<nvml::InitFn>(nvml::kInit);
    ASSERT_NE(nvmlInit, nullptr);
    EXPECT_NE(nvmlInit(), nvml::kSuccess);
    EXPECT_TRUE(sim::NvapiLibraryPresent());
  }
}

TEST(SimSignal, ConstantRampSquareSineAtKnownSamples) {
  const Signal constant{SignalKind::kConstant, -7, 0, 1};
  EXPECT_EQ(SignalValue(constant, 0), -7);
  EXPECT_EQ(SignalValue(constant, 123456), -7);
  const Signal ramp{SignalKind::kRamp, 1000, -3, 1};
  EXPECT_EQ(SignalValue(ramp, 0), 1000);
  EXPECT_EQ(SignalValue(ramp, 1), 997);
  EXPECT_EQ(SignalValue(ramp, 10), 970);
  const Signal square{SignalKind::kSquare, 10, 90, 3};  // three samples low, three high
  const std::int64_t expected[] = {10, 10, 10, 90, 90, 90, 10};
  for (std::uint64_t n = 0; n < std::size(expected); ++n) {
    EXPECT_EQ(SignalValue(square, n), expected[n]) << "n = " << n;
  }
  const Signal sine{SignalKind::kSine, 60, 10, 4};
  EXPECT_EQ(SignalValue(sine, 0), 60);
  EXPECT_EQ(SignalValue(sine, 1), 70);
  EXPECT_EQ(SignalValue(sine, 2), 60);
  EXPECT_EQ(SignalValue(sine, 3), 50);
  EXPECT_EQ(SignalValue(sine, 4000001), 70) << "whole periods drop out";
  const Signal sixth{SignalKind::kSine, 0, 100, 12};  // sin(30 degrees) = 0.5 exactly
  EXPECT_EQ(SignalValue(sixth, 1), 50);
  EXPECT_EQ(SignalValue(sixth, 7), -50);
}

TEST(SimSignal, RampSaturatesInsteadOfOverflowing) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const Signal up{SignalKind::kRamp, sim::kSignalLimit, sim::kSignalLimit, 1};
  const Signal down{SignalKind::kRamp, -sim::kSignalLimit, -sim::kSignalLimit, 1};
  EXPECT_EQ(SignalValue(up, std::numeric_limits<std::uint64_t>::max()), kMax);
  EXPECT_EQ(SignalValue(down, std::numeric_limits<std::uint64_t>::max()), kMin);
  EXPECT_EQ(SignalValue(up, std::uint64_t{1} << 20),
            sim::kSignalLimit * ((std::int64_t{1} << 20) + 1));
  EXPECT_EQ(SignalValue(up, std::uint64_t{1} << 23), kMax) << "2^40 + 2^63 overflows";
}

TEST(SimSignal, ClampsIntoFieldRanges) {
  EXPECT_EQ(sim::ClampU32(-1), 0u);
  EXPECT_EQ(sim::ClampU32(std::int64_t{1} << 33), std::numeric_limits<std::uint32_t>::max());
  EXPECT_EQ(sim::ClampU32(4000000000), 4000000000u);
  EXPECT_EQ(sim::ClampI32(-20), -20);
  EXPECT_EQ(sim::ClampI32(std::int64_t{1} << 40), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(sim::ClampI32(-(std::int64_t{1} << 40)), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
