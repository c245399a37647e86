#include "screenshot/screenshot_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpu/checkbox_texts.h"
#include "screenshot/path_check.h"

namespace {

using namespace screenshot;

// Request 3 for a trigger of 80 degrees, GPU 0 at 79 and GPU 1 at 90. Every check sleeps 1 ms:
// the scripted sleeps change the temperature, the selection or the box.
struct Shot : ShotPlatform {
  Shot() {
    table.shotActive.Store(1);
    table.shotRequestNumber.Store(3);
    table.slots[0].temperature.Store(79);
    table.slots[1].temperature.Store(90);
  }
  void RunRequest(const char* path = "C:\\shot.bmp") {
    RunScreenshot(*this, table, trigger, MakeShotRequest(table, path));
  }

  void ShowMessage(const wchar_t* text) override { messages.push_back(text); }
  void SleepMs(std::uint32_t) override {
    ++sleeps;
    if (sleeps == warmAtSleep) table.slots[0].temperature.Store(80);
    if (sleeps == switchAtSleep) table.selectedSlot.Store(1);
    if (sleeps == offAtSleep) table.shotActive.Store(0);
    if (sleeps == newRequestAtSleep) RetickBox();
    if (sleeps > 1000) table.appRunning.Store(0);
  }
  void Capture(const char* path) override {
    steps.push_back(std::string("capture ") + path + " at " + std::to_string(sleeps));
    if (newRequestDuringCapture) RetickBox();
  }
  // The request's own report and the flag it must leave to the poll.
  std::pair<int, int> DoneAndActive() const {
    return {table.shotDoneNumber.Load(), table.shotActive.Load()};
  }
  // The user unticks the box and ticks it again: the poll begins a newer request, active.
  void RetickBox() {
    table.shotRequestNumber.Store(table.shotRequestNumber.Load() + 1);
    table.shotActive.Store(1);
  }

  gpu::SlotTable table;
  gpu::I32 trigger{80};
  std::vector<std::wstring> messages;
  std::vector<std::string> steps;
  int sleeps = 0;
  int warmAtSleep = -1, switchAtSleep = -1, offAtSleep = -1, newRequestAtSleep = -1;
  bool newRequestDuringCapture = false;
};

class ScreenshotRun : public ::testing::Test, protected Shot {};

TEST_F(ScreenshotRun, CapturesOnceWhenTheSelectedGpuReachesTheTrigger) {
  warmAtSleep = 5;
  RunRequest();
  EXPECT_EQ(steps, (std::vector<std::string>{"capture C:\\shot.bmp at 5"}));
  EXPECT_EQ(DoneAndActive(), std::make_pair(3, 1)) << "reported done; the poll ends it";
}

TEST_F(ScreenshotRun, TriggerAlreadyReachedCapturesWithoutWaiting) {
  trigger.Store(79);
  RunRequest();
  EXPECT_EQ(steps.front(), "capture C:\\shot.bmp at 0");
}

TEST_F(ScreenshotRun, ATabSwitchMakesTheNewGpuCount) {
  switchAtSleep = 7;
  RunRequest();
  EXPECT_EQ(steps.front(), "capture C:\\shot.bmp at 7");
}

TEST_F(ScreenshotRun, UntickedWhileWaitingEndsWithoutAPicture) {
  offAtSleep = 3;
  RunRequest();
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(sleeps, 3);
  EXPECT_EQ(DoneAndActive(), std::make_pair(0, 0)) << "the user ended it: nothing to report";
}

// The path is read in the code page of the request, and a path beside which no picture can be
// written is refused with the message of a file that cannot be saved, before any check.
TEST_F(ScreenshotRun, ThePathIsCheckedInItsCodePage) {
  struct Case {
    const char* path;
    std::uint32_t codePage;
    std::vector<std::wstring> messages;
  };
  for (const Case& c : {Case{"C:\\\xE3\x80\x80.bmp", 65001, {kPathHasSpaceText}},  // U+3000
                        Case{"C:\\\xE3\x81\x81@.bmp", 932, {kPathHasSpaceText}},
                        Case{"C:\\\xE3\x81\x81@.bmp", 65001, {}},  // "ぁ@"
                        Case{"C:\\shots\\", 932, {gpu::kBmpNotSavedText}}}) {
    Shot shot;
    shot.trigger.Store(0);
    ShotRequest request = MakeShotRequest(shot.table, c.path);
    request.codePage = c.codePage;
    RunScreenshot(shot, shot.table, shot.trigger, request);
    EXPECT_EQ(shot.messages, c.messages) << c.path;
    const bool captured = !shot.steps.empty() && shot.steps.front().rfind("capture", 0) == 0;
    EXPECT_EQ(captured, c.messages.empty()) << c.path;
  }
}

TEST_F(ScreenshotRun, APathWithABlankIsRefusedBeforeAnyCheck) {
  trigger.Store(0);
  RunRequest("C:\\my shots\\a.bmp");
  EXPECT_EQ(messages, (std::vector<std::wstring>{kPathHasSpaceText}));
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(DoneAndActive(), std::make_pair(3, 1));
}

TEST_F(ScreenshotRun, AnOlderRequestNeverEndsANewerOne) {
  // Capturing when the box is unticked and ticked again: the older request reports only itself,
  // and the newer one keeps its flag.
  trigger.Store(0);
  newRequestDuringCapture = true;
  RunRequest();
  EXPECT_EQ(steps, (std::vector<std::string>{"capture C:\\shot.bmp at 0"}));
  EXPECT_EQ(DoneAndActive(), std::make_pair(3, 1));
  EXPECT_EQ(sleeps, 0) << "the older request ends after its capture";

  // Waiting: the older request ends at its next check, without a picture of the newer GPU state.
  Shot waiting;
  waiting.newRequestAtSleep = 4;
  waiting.warmAtSleep = 4;
  waiting.RunRequest();
  EXPECT_TRUE(waiting.steps.empty());
  EXPECT_EQ(waiting.sleeps, 4);
  EXPECT_EQ(waiting.DoneAndActive(), std::make_pair(0, 1));
}

}  // namespace
