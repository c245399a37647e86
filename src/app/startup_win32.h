// The program's start-up: everything from the main window to the visible window, in its fixed
// order. Every failure shows its one message box and ends the start-up.
#pragma once

#include <windows.h>

namespace app {

// True when the main window is shown; false after a failure's message box.
bool InitializeApplication(HINSTANCE instance, int showCommand);

}  // namespace app
