// A test over the in-process simulator: a scenario loaded from its text or from
// tests/scenarios by name, a scenario that does not load failing the test with the reader's
// message. Test suites derive their fixtures from it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "sim/sim.h"

namespace testing_support {

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
};

}  // namespace testing_support
