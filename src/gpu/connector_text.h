// The text a tab caption gives a connected display, by its connector type (the driver's
// monitor connection type): " / HDMI", " / DP" and so on; nothing for types it does not name.
#pragma once

#include <cstdint>

namespace gpu {

// A static text, never null; empty for any type outside -1..8.
const char* ConnectorText(std::int32_t connectorType);

}  // namespace gpu
