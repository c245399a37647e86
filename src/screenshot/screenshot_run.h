// A screenshot request: refuse a path with white space, then check every millisecond whether
// the selected GPU has reached the trigger, and capture the window once when it has. The
// request ends when the picture is taken, when the box is turned off or when the program stops.
#pragma once

#include <cstdint>

#include "gpu/gpu_slots.h"

namespace screenshot {

// What a request needs from the system.
class ShotPlatform {
 public:
  virtual ~ShotPlatform() = default;
  // A message box owned by the main window.
  virtual void ShowMessage(const wchar_t* text) = 0;
  virtual void UntickBox() = 0;
  virtual void SleepMs(std::uint32_t milliseconds) = 0;
  // Restores the window, captures it and writes the picture to `path`; whatever the outcome,
  // the request is over afterwards.
  virtual void Capture(const char* path) = 0;
};

// The file of one request; the thread's own copy of the path chosen.
struct ShotRequest {
  char path[gpu::kPathSize] = {};
};

ShotRequest MakeShotRequest(const char* path);

// The whole request; `trigger` is read afresh at every check.
int RunScreenshot(ShotPlatform& platform, gpu::SlotTable& table, const gpu::I32& trigger,
                  const ShotRequest& request);

}  // namespace screenshot
