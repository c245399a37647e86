#include "gpu/checkbox_polling.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gpu/checkbox_texts.h"

namespace {

using gpu::CheckBox;

const char* Name(CheckBox box) {
  switch (box) {
    case CheckBox::kCsv:
      return "csv";
    case CheckBox::kDetail:
      return "detail";
    case CheckBox::kShot:
      return "shot";
  }
  return "?";
}

// Boxes the test ticks, dialogs that answer as told, and every step recorded in order.
class RecordingHost final : public gpu::CheckboxHost {
 public:
  explicit RecordingHost(gpu::SlotTable& table) : table_(table) {}
  bool IsTicked(CheckBox box) override {
    const bool read = ticked[static_cast<int>(box)];
    if (afterRead) afterRead(box);
    return read;
  }
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
    EXPECT_EQ(Marker(box).Load(), 0) << "the marker is cleared before the dialog opens";
    if (!settingsConfirmed) Marker(box).Store(-1);
    return settingsShown;
  }
  bool StartThread(CheckBox box) override {
    const bool csv = box == CheckBox::kCsv;
    steps.push_back(std::string("thread ") + Name(box) + " run " +
                    std::to_string((csv ? table_.csvRunNumber : table_.shotRequestNumber).Load()));
    return threadStarts;
  }
  void RebuildInfoLine() override { steps.push_back("info line"); }
  void RepaintWholeWindow() override { steps.push_back("repaint"); }

  gpu::I32& Marker(CheckBox box) {
    return box == CheckBox::kCsv ? table_.logDialogCancelled : table_.screenshotDialogCancelled;
  }

  bool ticked[3] = {};
  gpu::WindowsVersion version{6, 1};
  bool fileChosen = true;
  bool settingsConfirmed = true;
  bool settingsShown = true;  // false: the dialog could not be made, its marker left at 0
  bool threadStarts = true;
  std::vector<std::string> steps;
  std::vector<std::wstring> messages;
  // What another thread does right after a box has been read.
  std::function<void(CheckBox)> afterRead;

 private:
  gpu::SlotTable& table_;
};

struct Poll {
  gpu::SlotTable table;
  RecordingHost host{table};
  void Once() { gpu::PollCheckboxes(host, table); }
  void Tick(CheckBox box, bool on) { host.ticked[static_cast<int>(box)] = on; }
  std::pair<int, int> Csv() const { return {table.csvActive.Load(), table.csvStartPending.Load()}; }
  std::pair<int, int> Shot() const {
    return {table.shotActive.Load(), table.shotStartPending.Load()};
  }
};

TEST(CheckboxPolling, CsvStartsOnTickAndStopsOnUntick) {
  Poll p;
  p.Once();
  EXPECT_TRUE(p.host.steps.empty());
  p.Tick(CheckBox::kCsv, true);
  p.Once();
  EXPECT_EQ(p.host.steps, (std::vector<std::string>{"file csv", "dialog csv", "thread csv run 1"}));
  EXPECT_EQ(p.Csv(), std::make_pair(1, 0));
  p.host.steps.clear();
  p.Once();  // running: nothing more
  EXPECT_TRUE(p.host.steps.empty());
  p.Tick(CheckBox::kCsv, false);
  p.Once();
  EXPECT_EQ(p.Csv(), std::make_pair(0, 0));
  p.Tick(CheckBox::kCsv, true);
  p.Once();
  EXPECT_EQ(p.host.steps.back(), "thread csv run 2") << "every start is a new run";
  EXPECT_TRUE(p.host.messages.empty());
}

TEST(CheckboxPolling, CancelledOrFailedSaveOrSettingsDialogUnticksWithTheMessage) {
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
    p.host.fileChosen = c.fileChosen;
    p.host.settingsConfirmed = c.settingsConfirmed;
    p.host.settingsShown = c.settingsShown;
    p.Tick(c.box, true);
    p.Once();
    const bool csv = c.box == CheckBox::kCsv;
    EXPECT_EQ(p.host.messages,
              (std::vector<std::wstring>{csv ? gpu::kCsvNotSavedText : gpu::kBmpNotSavedText}));
    EXPECT_EQ(p.host.steps.back(), csv ? "untick csv" : "untick shot");
    EXPECT_EQ(p.host.steps.size(), c.steps);
    EXPECT_EQ(csv ? p.Csv() : p.Shot(), std::make_pair(0, 0));
    p.Once();
    EXPECT_EQ(p.host.messages.size(), 1u);
  }
}

TEST(CheckboxPolling, AThreadThatCannotStartFailsTheStart) {
  Poll p;
  p.host.threadStarts = false;
  p.Tick(CheckBox::kCsv, true);
  p.Tick(CheckBox::kShot, true);
  p.Once();
  EXPECT_EQ(p.host.messages,
            (std::vector<std::wstring>{gpu::kCsvNotSavedText, gpu::kBmpNotSavedText}));
  EXPECT_EQ(p.Csv(), std::make_pair(0, 0));
  EXPECT_EQ(p.Shot(), std::make_pair(0, 0));
  EXPECT_FALSE(p.host.ticked[0] || p.host.ticked[2]);
}

TEST(CheckboxPolling, OldWindowsNoticeOncePerRunBoxLeftTickedTestRepeatedSilently) {
  for (const gpu::WindowsVersion old :
       {gpu::WindowsVersion{5, 1}, gpu::WindowsVersion{10, 0}, gpu::WindowsVersion{6, 0}}) {
    SCOPED_TRACE(std::to_string(old.major) + "." + std::to_string(old.minor));
    Poll p;
    p.host.version = old;
    p.Tick(CheckBox::kCsv, true);
    p.Once();
    p.Once();
    EXPECT_EQ(p.host.messages, (std::vector<std::wstring>{gpu::kCsvOsNoticeText}));
    EXPECT_TRUE(p.host.ticked[0]);
    EXPECT_EQ(p.Csv(), std::make_pair(1, 1)) << "stays starting";
    p.Tick(CheckBox::kCsv, false);
    p.Once();
    p.Tick(CheckBox::kCsv, true);
    p.Once();
    EXPECT_EQ(p.host.messages.size(), 1u) << "never a second notice";
    p.host.version = {6, 2};  // a later test that passes goes on with the start
    p.Once();
    EXPECT_EQ(p.host.steps,
              (std::vector<std::string>{"file csv", "dialog csv", "thread csv run 2"}));
  }
}

TEST(CheckboxPolling, DetailModeFollowsTheBoxWithInfoLineAndRepaint) {
  Poll p;
  p.Tick(CheckBox::kDetail, true);
  p.Once();
  EXPECT_EQ(p.table.detailMode.Load(), 1);
  p.Once();
  p.Tick(CheckBox::kDetail, false);
  p.Once();
  EXPECT_EQ(p.table.detailMode.Load(), 0);
  EXPECT_EQ(p.host.steps,
            (std::vector<std::string>{"info line", "repaint", "info line", "repaint"}));
}

TEST(CheckboxPolling, ScreenShotHasNoVersionTestAndItsOwnMessage) {
  Poll p;
  p.host.version = {10, 0};
  p.Tick(CheckBox::kShot, true);
  p.Once();
  EXPECT_EQ(p.host.steps,
            (std::vector<std::string>{"file shot", "dialog shot", "thread shot run 1"}));
  EXPECT_EQ(p.Shot(), std::make_pair(1, 0));
  EXPECT_TRUE(p.host.messages.empty());
  // The thread took the picture: it clears the flag and unticks the box; nothing follows.
  p.table.shotActive.Store(0);
  p.Tick(CheckBox::kShot, false);
  p.Once();
  p.host.settingsConfirmed = false;
  p.Tick(CheckBox::kShot, true);
  p.Once();
  EXPECT_EQ(p.host.messages, (std::vector<std::wstring>{gpu::kBmpNotSavedText}));
  EXPECT_EQ(p.Shot(), std::make_pair(0, 0));
  EXPECT_EQ(p.host.steps.back(), "untick shot");
}

TEST(CheckboxPolling, BoxesArePolledCsvThenDetailThenShot) {
  Poll p;
  p.Tick(CheckBox::kCsv, true);
  p.Tick(CheckBox::kDetail, true);
  p.Tick(CheckBox::kShot, true);
  p.Once();
  EXPECT_EQ(p.host.steps,
            (std::vector<std::string>{"file csv", "dialog csv", "thread csv run 1", "info line",
                                      "repaint", "file shot", "dialog shot", "thread shot run 1"}));
}

// The screenshot thread ends its request by unticking the box and then clearing the flag; a poll
// that reads the box just before the untick and the flag just after the clear must not take the
// stale tick for a new one.
TEST(CheckboxPolling, ARequestEndingDuringThePollStartsNoNewOne) {
  Poll p;
  p.Tick(CheckBox::kShot, true);
  p.Once();
  p.host.steps.clear();
  p.host.afterRead = [&](CheckBox box) {
    if (box != CheckBox::kShot || p.table.shotActive.Load() == 0) return;
    p.host.ticked[2] = false;
    p.table.shotActive.Store(0);
  };
  p.Once();
  p.Once();
  EXPECT_TRUE(p.host.steps.empty()) << "a request nobody asked for: " << p.host.steps.front();
  EXPECT_EQ(p.Shot(), std::make_pair(0, 0));
}

// Every tick numbers a new request or run before it is marked active.
TEST(CheckboxPolling, EveryTickOfABoxIsANewlyNumberedRequest) {
  Poll p;
  for (int request = 1; request <= 3; ++request) {
    p.Tick(CheckBox::kShot, true);
    p.Once();
    EXPECT_EQ(p.host.steps.back(), "thread shot run " + std::to_string(request));
    p.Once();  // still running: the same request
    EXPECT_EQ(p.table.shotRequestNumber.Load(), request);
    p.Tick(CheckBox::kShot, false);
    p.Once();
  }
}

}  // namespace
