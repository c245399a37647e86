#include "screenshot/screenshot_run.h"

#include "gpu/bounded_text.h"
#include "screenshot/path_check.h"
#include "screenshot/trigger.h"

namespace screenshot {
namespace {

constexpr std::uint32_t kCheckPauseMs = 1;

bool IsCurrent(const gpu::SlotTable& table, const ShotRequest& request) {
  return table.shotRequestNumber.Load() == request.number;
}

bool GoesOn(const gpu::SlotTable& table, const ShotRequest& request) {
  return table.appRunning.Load() != 0 && table.shotActive.Load() != 0 && IsCurrent(table, request);
}

}  // namespace

ShotRequest MakeShotRequest(const gpu::SlotTable& table, const char* path) {
  ShotRequest request;
  request.number = table.shotRequestNumber.Load();
  gpu::BoundedText(request.path).Append(path);
  return request;
}

int RunScreenshot(ShotPlatform& platform, gpu::SlotTable& table, const gpu::I32& trigger,
                  const ShotRequest& request) {
  if (const wchar_t* refusal = PathRefusal(request.path, request.codePage)) {
    platform.ShowMessage(refusal);
    table.shotDoneNumber.Store(request.number);
    return 0;
  }
  for (;;) {
    // A request that a newer one has replaced takes no picture.
    if (IsCurrent(table, request) && TriggerReached(table, trigger.Load())) {
      platform.Capture(request.path);
      table.shotDoneNumber.Store(request.number);
      return 0;
    }
    if (!GoesOn(table, request)) return 0;
    platform.SleepMs(kCheckPauseMs);
  }
}

}  // namespace screenshot
