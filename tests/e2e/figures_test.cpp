// Figures, not a test: start-up time to the visible window, and the GDI objects and handles of
// the running program at start and after a minute of sampling. Run with
//   --gtest_also_run_disabled_tests --gtest_filter=Figures.*
#include <gtest/gtest.h>

#include <cstdio>

#include "app_steps.h"
#include "driver/resource_counts.h"

namespace e2e {
namespace {

void Print(const char* when, const ResourceCounts& counts) {
  std::printf("%-26s GDI objects %lu, user objects %lu, handles %lu\n", when, counts.gdiObjects,
              counts.userObjects, counts.handles);
}

TEST(Figures, DISABLED_StartUpTimeAndResourcesOverAMinute) {
  for (const char* scenario : {"single-gpu.txt", "two-gpus.txt", "nine-gpus.txt"}) {
    auto app = Launch(scenario);
    const UiEvent event = NextUiEvent(*app, kStartTimeoutMs);
    std::printf("%s: %s after %.3f s\n", scenario, Describe(event).c_str(), event.seconds);
    app->Kill();
  }
  auto app = Launch("two-gpus.txt");
  ASSERT_NE(ExpectMainWindow(*app), nullptr);
  Print("two-gpus.txt at start:", CountResources(app->Handle()));
  for (int seconds = 20; seconds <= 60; seconds += 20) {
    Sleep(20000);
    char when[40];
    std::snprintf(when, sizeof(when), "after %d s of sampling:", seconds);
    Print(when, CountResources(app->Handle()));
  }
}

}  // namespace
}  // namespace e2e
