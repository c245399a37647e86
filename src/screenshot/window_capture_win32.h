// The picture of the main window: restored to its normal size, repainted, printed into a
// 24-bit bottom-up surface of its whole rectangle and written as a bitmap file.
#pragma once

#include <windows.h>

namespace screenshot {

// False when no file was written: no surface could be made for the window, the print failed,
// or the file could not be written whole (then a file of that name is kept as it was).
bool CaptureWindow(HWND window, const char* path);

}  // namespace screenshot
