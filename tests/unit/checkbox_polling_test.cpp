#include "gpu/checkbox_polling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpu/checkbox_texts.h"

namespace {

using gpu::CheckBox;

const char* Name(CheckBox box) {
  static const char* const kNames[] = {"csv", "detail", "shot"};  // in the enum's order
  return kNames[static_cast<int>(box)];
}

using Steps = std::vector<std::string>;
using Messages = std::vector<std::wstring>;

// Polls over boxes the test ticks and dialogs that answer as told, every step recorded in order.
struct Poll : gpu::CheckboxHost {
  void Once() { gpu::PollCheckboxes(*this, table); }
  void Tick(CheckBox box, bool on) { ticked[static_cast<int>(box)] = on; }
  void TickAndPoll(CheckBox box, bool on) {
    Tick(box, on);
    Once();
  }
  // The box's active and start-pending flags.
  std::pair<int, int> Csv() const { return {table.csvActive.Load(), table.csvStartPending.Load()}; }
  std::pair<int, int> Shot() const {
    return {table.shotActive.Load(), table.shotStartPending.Load()};
  }

  bool IsTicked(CheckBox box) override { return ticked[static_cast<int>(box)]; }
  void Untick(CheckBox box) override {
    ticked[static_cast<int>(box)] = false;
    steps.push_back(std::string("untick ") + Name(box));
  }
  bool ReadWindowsVersion(gpu::WindowsVersion& value) override {
    value = version;
    return true;
  }
  void ShowMessage(const wchar_t* text) override { messages.push_back(text); }
  bool ChooseFile(CheckBox box) override {
    steps.push_back(std::string("file ") + Name(box));
    return fileChosen;
  }
  bool ShowSettingsDialog(CheckBox box) override {
    steps.push_back(std::string("dialog ") + Name(box));
    gpu::I32& marker =
        box == CheckBox::kCsv ? table.logDialogCancelled : table.screenshotDialogCancelled;
    EXPECT_EQ(marker.Load(), 0) << "the marker is cleared before the dialog opens";
    if (!settingsConfirmed) marker.Store(-1);
    return settingsShown;
  }
  bool StartThread(CheckBox box) override {
    const bool csv = box == CheckBox::kCsv;
    steps.push_back(std::string("thread ") + Name(box) + " run " +
                    std::to_string((csv ? table.csvRunNumber : table.shotRequestNumber).Load()));
    return threadStarts;
  }
  void RebuildInfoLine() override { steps.push_back("info line"); }
  void RepaintWholeWindow() override { steps.push_back("repaint"); }

  gpu::SlotTable table;
  bool ticked[3] = {};
  gpu::WindowsVersion version{6, 1};
  bool fileChosen = true, settingsConfirmed = true, threadStarts = true;
  bool settingsShown = true;  // false: the dialog could not be made, its marker left at 0
  Steps steps;
  Messages messages;
};

class CheckboxPolling : public ::testing::Test, protected Poll {};

TEST_F(CheckboxPolling, CsvStartsOnTickAndStopsOnUntick) {
  Once();
  EXPECT_TRUE(steps.empty());
  TickAndPoll(CheckBox::kCsv, true);
  EXPECT_EQ(steps, (Steps{"file csv", "dialog csv", "thread csv run 1"}));
  EXPECT_EQ(Csv(), std::make_pair(1, 0));
  steps.clear();
  Once();  // running: nothing more
  EXPECT_TRUE(steps.empty());
  TickAndPoll(CheckBox::kCsv, false);
  EXPECT_EQ(Csv(), std::make_pair(0, 0));
  // A re-tick whose save dialog is cancelled starts nothing, and the run in its last wait stays
  // the newest: it still writes the record its wait ends with.
  fileChosen = false;
  TickAndPoll(CheckBox::kCsv, true);
  EXPECT_EQ(table.csvRunNumber.Load(), 1);
  EXPECT_EQ(messages, (Messages{gpu::kCsvNotSavedText}));
  fileChosen = true;
  TickAndPoll(CheckBox::kCsv, true);
  EXPECT_EQ(steps.back(), "thread csv run 2") << "every start is a new run";
}

TEST_F(CheckboxPolling, CancelledOrFailedSaveOrSettingsDialogUnticksWithTheMessage) {
  struct Case {
    const char* what;
    CheckBox box;
    bool fileChosen, settingsConfirmed, settingsShown;
    std::size_t steps;
  };
  for (const Case c :
       {Case{"save dialog cancelled", CheckBox::kCsv, false, true, true, 2},
        Case{"settings dialog closed", CheckBox::kCsv, true, false, true, 3},
        Case{"settings dialog not shown", CheckBox::kCsv, true, true, false, 3},
        Case{"shot settings dialog not shown", CheckBox::kShot, true, true, false, 3}}) {
    SCOPED_TRACE(c.what);
    Poll p;
    p.fileChosen = c.fileChosen;
    p.settingsConfirmed = c.settingsConfirmed;
    p.settingsShown = c.settingsShown;
    p.TickAndPoll(c.box, true);
    const bool csv = c.box == CheckBox::kCsv;
    EXPECT_EQ(p.messages, (Messages{csv ? gpu::kCsvNotSavedText : gpu::kBmpNotSavedText}));
    EXPECT_EQ(p.steps.back(), csv ? "untick csv" : "untick shot");
    EXPECT_EQ(p.steps.size(), c.steps);
    EXPECT_EQ(csv ? p.Csv() : p.Shot(), std::make_pair(0, 0));
    p.Once();
    EXPECT_EQ(p.messages.size(), 1u);
  }
}

TEST_F(CheckboxPolling, AThreadThatCannotStartFailsTheStart) {
  threadStarts = false;
  Tick(CheckBox::kCsv, true);
  TickAndPoll(CheckBox::kShot, true);
  EXPECT_EQ(messages, (Messages{gpu::kCsvNotSavedText, gpu::kBmpNotSavedText}));
  EXPECT_EQ(Csv(), std::make_pair(0, 0));
  EXPECT_EQ(Shot(), std::make_pair(0, 0));
  EXPECT_FALSE(ticked[0] || ticked[2]);
}

TEST_F(CheckboxPolling, OldWindowsNoticeOncePerRunBoxLeftTickedTestRepeatedSilently) {
  for (const gpu::WindowsVersion old :
       {gpu::WindowsVersion{5, 1}, gpu::WindowsVersion{10, 0}, gpu::WindowsVersion{6, 0}}) {
    SCOPED_TRACE(std::to_string(old.major) + "." + std::to_string(old.minor));
    Poll p;
    p.version = old;
    p.TickAndPoll(CheckBox::kCsv, true);
    p.Once();
    EXPECT_EQ(p.messages, (Messages{gpu::kCsvOsNoticeText}));
    EXPECT_TRUE(p.ticked[0]);
    EXPECT_EQ(p.Csv(), std::make_pair(1, 1)) << "stays starting";
    p.TickAndPoll(CheckBox::kCsv, false);
    p.TickAndPoll(CheckBox::kCsv, true);
    EXPECT_EQ(p.messages.size(), 1u) << "never a second notice";
    p.version = {6, 2};  // a later test that passes goes on with the start
    p.Once();            // the first start that went through is the first run
    EXPECT_EQ(p.steps, (Steps{"file csv", "dialog csv", "thread csv run 1"}));
  }
}

TEST_F(CheckboxPolling, DetailModeFollowsTheBoxWithInfoLineAndRepaint) {
  TickAndPoll(CheckBox::kDetail, true);
  EXPECT_EQ(table.detailMode.Load(), 1);
  Once();
  TickAndPoll(CheckBox::kDetail, false);
  EXPECT_EQ(table.detailMode.Load(), 0);
  EXPECT_EQ(steps, (Steps{"info line", "repaint", "info line", "repaint"}));
}

TEST_F(CheckboxPolling, ScreenShotHasNoVersionTestAndItsOwnMessage) {
  version = {10, 0};
  TickAndPoll(CheckBox::kShot, true);
  EXPECT_EQ(steps, (Steps{"file shot", "dialog shot", "thread shot run 1"}));
  EXPECT_EQ(Shot(), std::make_pair(1, 0));
  EXPECT_TRUE(messages.empty());
  // The thread took the picture: the poll ends the request; nothing follows.
  table.shotDoneNumber.Store(1);
  Once();
  Once();
  EXPECT_EQ(steps.back(), "untick shot");
  settingsConfirmed = false;
  TickAndPoll(CheckBox::kShot, true);
  EXPECT_EQ(messages, (Messages{gpu::kBmpNotSavedText}));
  EXPECT_EQ(Shot(), std::make_pair(0, 0));
  EXPECT_EQ(steps.back(), "untick shot");
}

TEST_F(CheckboxPolling, BoxesArePolledCsvThenDetailThenShot) {
  Tick(CheckBox::kCsv, true);
  Tick(CheckBox::kDetail, true);
  TickAndPoll(CheckBox::kShot, true);
  EXPECT_EQ(steps, (Steps{"file csv", "dialog csv", "thread csv run 1", "info line", "repaint",
                          "file shot", "dialog shot", "thread shot run 1"}));
}

// A screenshot thread only reports its request done; the poll unticks the box and clears the
// flag while that request is the newest, and a report of an older one ends nothing.
TEST_F(CheckboxPolling, ARequestReportedDoneIsEndedByThePollAndAStaleReportEndsNothing) {
  TickAndPoll(CheckBox::kShot, true);
  steps.clear();
  table.shotDoneNumber.Store(1);
  Once();
  Once();
  EXPECT_EQ(steps, (Steps{"untick shot"})) << "ended once, and no new request follows";
  EXPECT_EQ(Shot(), std::make_pair(0, 0));

  TickAndPoll(CheckBox::kShot, true);  // request 2
  table.shotDoneNumber.Store(1);       // request 1's thread, finishing late
  Once();
  EXPECT_EQ(Shot(), std::make_pair(1, 0));
  EXPECT_TRUE(ticked[2]);
}

// Every tick numbers a new request or run before it is marked active.
TEST_F(CheckboxPolling, EveryTickOfABoxIsANewlyNumberedRequest) {
  for (int request = 1; request <= 3; ++request) {
    TickAndPoll(CheckBox::kShot, true);
    EXPECT_EQ(steps.back(), "thread shot run " + std::to_string(request));
    Once();  // still running: the same request
    EXPECT_EQ(table.shotRequestNumber.Load(), request);
    TickAndPoll(CheckBox::kShot, false);
  }
}

}  // namespace
