// Starting `ScreenshotThread` for one request; the thread is never joined and its handle is
// not kept.
#pragma once

#include <windows.h>

#include "screenshot/screenshot_run.h"

namespace screenshot {

// `mainWindow` is captured. False when the thread could not be started.
bool StartScreenshotThread(const ShotRequest& request, HWND mainWindow);

}  // namespace screenshot
