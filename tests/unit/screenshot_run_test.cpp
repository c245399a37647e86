#include "screenshot/screenshot_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot/path_check.h"

namespace {

using namespace screenshot;

// Every check sleeps 1 ms: the scripted sleeps change the temperature, the selection or the box.
class ScriptedShot final : public ShotPlatform {
 public:
  explicit ScriptedShot(gpu::SlotTable& table) : table_(table) {}
  void ShowMessage(const wchar_t* text) override { messages.push_back(text); }
  void UntickBox() override {
    steps.push_back(table_.shotActive.Load() != 0 ? "untick while active" : "untick");
  }
  void SleepMs(std::uint32_t) override {
    ++sleeps;
    if (sleeps == warmAtSleep) table_.slots[0].temperature.Store(80);
    if (sleeps == switchAtSleep) table_.selectedSlot.Store(1);
    if (sleeps == offAtSleep) table_.shotActive.Store(0);
    if (sleeps > 1000) table_.appRunning.Store(0);
  }
  void Capture(const char* path) override {
    steps.push_back(std::string("capture ") + path + " at " + std::to_string(sleeps));
  }
  std::vector<std::wstring> messages;
  std::vector<std::string> steps;
  int sleeps = 0;
  int warmAtSleep = -1;
  int switchAtSleep = -1;
  int offAtSleep = -1;

 private:
  gpu::SlotTable& table_;
};

struct Shot {
  Shot() {
    table.shotActive.Store(1);
    table.slots[0].temperature.Store(79);
    table.slots[1].temperature.Store(90);
  }
  void Run(const char* path = "C:\\shot.bmp") {
    RunScreenshot(platform, table, trigger, MakeShotRequest(path));
  }
  gpu::SlotTable table;
  gpu::I32 trigger{80};
  ScriptedShot platform{table};
};

TEST(ScreenshotRun, CapturesOnceWhenTheSelectedGpuReachesTheTrigger) {
  Shot s;
  s.platform.warmAtSleep = 5;
  s.Run();
  EXPECT_EQ(s.platform.steps,
            (std::vector<std::string>{"capture C:\\shot.bmp at 5", "untick while active"}));
  EXPECT_EQ(s.table.shotActive.Load(), 0);
}

TEST(ScreenshotRun, TriggerAlreadyReachedCapturesWithoutWaiting) {
  Shot s;
  s.trigger.Store(79);
  s.Run();
  EXPECT_EQ(s.platform.steps.front(), "capture C:\\shot.bmp at 0");
}

TEST(ScreenshotRun, ATabSwitchMakesTheNewGpuCount) {
  Shot s;
  s.platform.switchAtSleep = 7;
  s.Run();
  EXPECT_EQ(s.platform.steps.front(), "capture C:\\shot.bmp at 7");
}

TEST(ScreenshotRun, UntickedWhileWaitingEndsWithoutAPicture) {
  Shot s;
  s.platform.offAtSleep = 3;
  s.Run();
  EXPECT_TRUE(s.platform.steps.empty()) << "the box was turned off by the user, not the thread";
  EXPECT_EQ(s.platform.sleeps, 3);
}

TEST(ScreenshotRun, APathWithABlankIsRefusedBeforeAnyCheck) {
  Shot s;
  s.trigger.Store(0);
  s.Run("C:\\my shots\\a.bmp");
  EXPECT_EQ(s.platform.messages, (std::vector<std::wstring>{kPathHasSpaceText}));
  EXPECT_EQ(s.platform.steps, (std::vector<std::string>{"untick while active"}));
  EXPECT_EQ(s.table.shotActive.Load(), 0);
}

}  // namespace
