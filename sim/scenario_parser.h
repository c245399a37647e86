// The scenario reader: text in, a complete Scenario or a message "line N: what is wrong".
#pragma once

#include <string>
#include <string_view>

#include "scenario.h"

namespace sim {

// On failure `out` is untouched and `error` (when given) says which line is wrong and why.
bool ParseScenario(std::string_view text, Scenario* out, std::string* error);

}  // namespace sim
