// What the main window's destruction releases, in its fixed order.
#pragma once

namespace app {

// The running flag cleared and the file writes shut; skin surfaces, the panel surface, the
// fonts, the single-instance mutex, the driver API; then
// the quit message with exit code 0.
void ReleaseEverything();

}  // namespace app
