#include "gpu/checkbox_polling.h"

#include <gtest/gtest.h>

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
  void ShowSettingsDialog(CheckBox box) override {
    steps.push_back(std::string("dialog ") + Name(box));
    EXPECT_EQ(Marker(box).Load(), 0) << "the marker is cleared before the dialog opens";
    if (!settingsConfirmed) Marker(box).Store(-1);
  }
  bool StartThread(CheckBox box) override {
    steps.push_back(std::string("thread ") + Name(box) + " run " +
                    std::to_string(table_.csvRunNumber.Load()));
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
  bool threadStarts = true;
  std::vector<std::string> steps;
  std::vector<std::wstring> messages;

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

TEST(CheckboxPolling, CancelledSaveOrSettingsDialogUnticksWithTheMessage) {
  for (const bool fileChosen : {false, true}) {
    SCOPED_TRACE(fileChosen ? "settings dialog closed" : "save dialog cancelled");
    Poll p;
    p.host.fileChosen = fileChosen;
    p.host.settingsConfirmed = false;
    p.Tick(CheckBox::kCsv, true);
    p.Once();
    EXPECT_EQ(p.host.messages, (std::vector<std::wstring>{gpu::kCsvNotSavedText}));
    EXPECT_EQ(p.host.steps.back(), "untick csv");
    EXPECT_EQ(p.host.steps.size(), fileChosen ? 3u : 2u);
    EXPECT_EQ(p.Csv(), std::make_pair(0, 0));
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
            (std::vector<std::string>{"file shot", "dialog shot", "thread shot run 0"}));
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

}  // namespace
