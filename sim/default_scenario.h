// Where the simulator's scenario comes from when a test does not load one: the file named by
// QUORVANE_SIM_SCENARIO, or the built-in demo machine.
#pragma once

#include <string>
#include <string_view>

#include "scenario.h"

namespace sim {

inline constexpr const char* kScenarioVariable = "QUORVANE_SIM_SCENARIO";

// The lively built-in machine that `make demo` shows.
std::string_view DemoScenarioText();

// The path to open for `path` on this host: under Wine a Linux path ("/...") is drive Z:.
std::string HostScenarioPath(std::string_view path, bool windowsHost);

// Reads a scenario file; bounded in size. False with a message when it cannot be read.
bool ReadScenarioFile(const std::string& path, std::string* text, std::string* error);

// The scenario named by the environment, or the demo. A file that cannot be read or parsed
// gives BrokenDriverScenario() and one line on stderr.
Scenario DefaultScenario();

}  // namespace sim
