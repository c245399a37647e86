// Starting the sampling thread of the running program, with the window calls a cycle makes:
// captions to the tab control, invalidation of the main window's areas.
#pragma once

#include <windows.h>

#include <functional>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

struct SamplingWindows {
  HWND mainWindow;
  HWND tabControl;
  std::function<void()> pollCheckboxes;  // the check-box polling of each cycle
  std::function<void()> showInfoLine;    // composes the information line and shows it
};

// Starts `SamplingThread` through the runtime's thread start; its handle is not kept. Called
// once by start-up; false when the thread could not be started.
bool StartSamplingThread(Vendor& vendor, SlotTable& table, SamplingWindows windows);

}  // namespace gpu
