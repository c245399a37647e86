#include "screenshot/screenshot_run.h"

#include "screenshot/path_check.h"
#include "screenshot/trigger.h"

namespace screenshot {
namespace {

constexpr std::uint32_t kCheckPauseMs = 1;

// The box goes off before the flag, so that the next poll never finds the box still ticked
// with the request already over (which would start a new request).
void EndRequest(ShotPlatform& platform, gpu::SlotTable& table) {
  platform.UntickBox();
  table.shotActive.Store(0);
}

bool GoesOn(const gpu::SlotTable& table) {
  return table.appRunning.Load() != 0 && table.shotActive.Load() != 0;
}

}  // namespace

ShotRequest MakeShotRequest(const char* path) {
  ShotRequest request;
  for (std::size_t i = 0; i + 1 < sizeof request.path && path[i] != '\0'; ++i) {
    request.path[i] = path[i];
  }
  return request;
}

int RunScreenshot(ShotPlatform& platform, gpu::SlotTable& table, const gpu::I32& trigger,
                  const ShotRequest& request) {
  if (PathHasWhiteSpace(request.path)) {
    platform.ShowMessage(kPathHasSpaceText);
    EndRequest(platform, table);
    return 0;
  }
  for (;;) {
    if (TriggerReached(table, trigger.Load())) {
      platform.Capture(request.path);
      EndRequest(platform, table);
    }
    if (!GoesOn(table)) return 0;
    platform.SleepMs(kCheckPauseMs);
  }
}

}  // namespace screenshot
