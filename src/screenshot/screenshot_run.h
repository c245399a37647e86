// A screenshot request: refuse a path with white space, then check every millisecond whether
// the selected GPU has reached the trigger, and capture the window once when it has. The
// request ends when the picture is taken, when the box is turned off or when the program stops.
// A request that ends by itself only reports so; the check-box poll turns its box off.
#pragma once

#include <cstdint>

#include "gpu/gpu_slots.h"
#include "platform/code_page_text.h"

namespace screenshot {

// What a request needs from the system.
class ShotPlatform {
 public:
  virtual ~ShotPlatform() = default;
  // A message box owned by the main window.
  virtual void ShowMessage(const wchar_t* text) = 0;
  virtual void SleepMs(std::uint32_t milliseconds) = 0;
  // Restores the window, captures it and writes the picture to `path`; whatever the outcome,
  // the request is over afterwards.
  virtual void Capture(const char* path) = 0;
};

// One request as it was started: its number and its file, the thread's own copy of the path
// chosen, and the code page of that path's text (the system's ANSI code page).
struct ShotRequest {
  std::int32_t number = 0;
  char path[platform::kPathSize] = {};
  std::uint32_t codePage = platform::kJapaneseCodePage;
};

// A request for `path`, numbered as the newest request of `table`.
ShotRequest MakeShotRequest(const gpu::SlotTable& table, const char* path);

// The whole request; `trigger` is read afresh at every check. A request that is no longer the
// newest (the box was unticked and ticked again) ends without a picture. A request that took its
// picture or refused its path stores its number in `shotDoneNumber` and touches neither flag
// nor box.
int RunScreenshot(ShotPlatform& platform, gpu::SlotTable& table, const gpu::I32& trigger,
                  const ShotRequest& request);

}  // namespace screenshot
