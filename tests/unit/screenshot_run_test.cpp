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
    if (sleeps == newRequestAtSleep) RetickBox();
    if (sleeps > 1000) table_.appRunning.Store(0);
  }
  void Capture(const char* path) override {
    steps.push_back(std::string("capture ") + path + " at " + std::to_string(sleeps));
    if (newRequestDuringCapture) RetickBox();
  }
  // The user unticks the box and ticks it again: the poll begins a newer request, active.
  void RetickBox() {
    table_.shotRequestNumber.Store(table_.shotRequestNumber.Load() + 1);
    table_.shotActive.Store(1);
  }
  std::vector<std::wstring> messages;
  std::vector<std::string> steps;
  int sleeps = 0;
  int warmAtSleep = -1;
  int switchAtSleep = -1;
  int offAtSleep = -1;
  int newRequestAtSleep = -1;
  bool newRequestDuringCapture = false;

 private:
  gpu::SlotTable& table_;
};

struct Shot {
  Shot() {
    table.shotActive.Store(1);
    table.shotRequestNumber.Store(3);
    table.slots[0].temperature.Store(79);
    table.slots[1].temperature.Store(90);
  }
  void Run(const char* path = "C:\\shot.bmp") {
    RunScreenshot(platform, table, trigger, MakeShotRequest(table, path));
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

TEST(ScreenshotRun, AnOlderRequestNeverEndsANewerOne) {
  // Capturing when the box is unticked and ticked again: the newer request keeps its box and flag.
  Shot capturing;
  capturing.trigger.Store(0);
  capturing.platform.newRequestDuringCapture = true;
  capturing.Run();
  EXPECT_EQ(capturing.platform.steps, (std::vector<std::string>{"capture C:\\shot.bmp at 0"}));
  EXPECT_EQ(capturing.table.shotActive.Load(), 1);
  EXPECT_EQ(capturing.platform.sleeps, 0) << "the older request goes on after its capture";

  // Waiting: the older request ends at its next check, without a picture of the newer GPU state.
  Shot waiting;
  waiting.platform.newRequestAtSleep = 4;
  waiting.platform.warmAtSleep = 4;
  waiting.Run();
  EXPECT_TRUE(waiting.platform.steps.empty());
  EXPECT_EQ(waiting.platform.sleeps, 4);
  EXPECT_EQ(waiting.table.shotActive.Load(), 1);
}

}  // namespace
