// A test over the in-process simulator: a scenario loaded from its text or from
// tests/scenarios by name, a scenario that does not load failing the test with the reader's
// message. Test suites derive their fixtures from it. Beside it, the scenario reader's answers
// and the simulated driver's GPU list as the tests read them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "sim/scenario_parser.h"
#include "sim/sim.h"
#include "sim/sim_testing.h"

namespace testing_support {

inline std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// The scenario read from `text`, which must parse.
inline sim::Scenario ParseOk(const std::string& text) {
  sim::Scenario scenario;
  std::string error;
  EXPECT_TRUE(sim::ParseScenario(text, &scenario, &error)) << error;
  return scenario;
}

// The reader's message for `text`, which must not parse: the same whether it reads into a
// scenario or only checks the text.
inline std::string ParseError(const std::string& text) {
  sim::Scenario scenario;
  std::string error, checked;
  EXPECT_FALSE(sim::ParseScenario(text, &scenario, &error)) << text;
  EXPECT_FALSE(sim::ParseScenario(text, nullptr, &checked)) << text;
  EXPECT_EQ(checked, error) << text;
  return error;
}

class SimTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    std::string error;
    ASSERT_TRUE(sim::LoadScenarioText(text, &error)) << error;
  }
  void LoadFile(const char* name) {
    std::string error;
    ASSERT_TRUE(sim::LoadScenarioFile(std::string(QUORVANE_SCENARIO_DIR) + "/" + name, &error))
        << error;
  }
  // The handles the simulated driver lists with `id` (display GPUs unless the compute-only list is
  // asked for); none where the call fails.
  static std::vector<NvPhysicalGpuHandle> SimGpus(std::uint32_t id = nvapi::kIdEnumPhysicalGPUs) {
    NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus] = {};
    std::uint32_t count = 0;
    if (sim::NvapiEntry<nvapi::EnumGpusFn>(id)(handles, &count) != nvapi::kOk) return {};
    return {handles, handles + count};
  }
  // Start-up of the simulated driver API and management library, each of which must succeed.
  static void InitNvapi() {
    ASSERT_EQ(sim::NvapiEntry<nvapi::InitializeFn>(nvapi::kIdInitialize)(), nvapi::kOk);
  }
  static void InitNvml() { ASSERT_EQ(sim::NvmlEntry<nvml::InitFn>(nvml::kInit)(), nvml::kSuccess); }
};

}  // namespace testing_support
