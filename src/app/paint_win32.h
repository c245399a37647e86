// WM_PAINT of the main window: the whole window composed into one back buffer by the software
// painter, then copied to the window in one step.
#pragma once

#include <windows.h>

namespace app {

void PaintMainWindow(HWND window);

}  // namespace app
