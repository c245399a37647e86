// A logging run of two GPUs at one record a second: the exact bytes of the file, the end of the
// run once the CSV box is unticked, and a second run appended to the same file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_steps.h"
#include "driver/file_bytes.h"
#include "driver/main_check_boxes.h"
#include "driver/temp_folder.h"
#include "log_file.h"
#include "logging_steps.h"
#include "two_gpu_log.h"

namespace e2e {
namespace {

constexpr DWORD kRowsTimeoutMs = 15000;
constexpr DWORD kQuietMs = 3000;  // three intervals without a new record
constexpr DWORD kSettleTimeoutMs = 15000;

HWND StartTwoGpus(const AppProcess& app) {
  HWND main = ExpectMainWindow(app);
  if (main == nullptr) return nullptr;
  const std::vector<std::string> labels = {"Quorvane Sim Alpha(1)", "Quorvane Sim Beta(2)"};
  EXPECT_EQ(WaitForTabLabels(app, main, labels), labels) << "no sampling cycle";
  return main;
}

// Unticks the CSV box, waits for the poll that reads it and counts the file's lines then: at
// most one more record may follow, the one whose wait was under way.
std::size_t StopLogging(HWND main, const std::wstring& path) {
  SetMainBox(main, kCsvBoxCaption, false);
  WaitForPoll(main);
  return SplitCrLfLines(ReadFileBytes(path).value_or("")).lines.size();
}

// The file once it has stopped growing after a stop.
LogLines SettledLog(const std::wstring& path, std::size_t linesAtStop, std::string& bytes) {
  bool settled = false;
  bytes = WaitUntilSettled(path, kQuietMs, kSettleTimeoutMs, settled);
  EXPECT_TRUE(settled) << "the file keeps growing after the box was unticked";
  LogLines log = SplitCrLfLines(bytes);
  EXPECT_TRUE(log.wellFormed) << "a line does not end in CR LF";
  EXPECT_LE(log.lines.size(), linesAtStop + 1) << "more than one record after the stop";
  return log;
}

// Starts a run of all items at one second on `path` and stops it after `records` records.
std::size_t RunAllItems(const AppProcess& app, HWND main, const std::wstring& path,
                        std::size_t linesBefore, std::size_t records) {
  HWND dialog = OpenLogDialog(app, main, path);
  if (dialog == nullptr) return 0;
  ConfirmLogDialog(dialog);
  const LogLines grown = WaitForLines(path, linesBefore + 2 + records, kRowsTimeoutMs);
  EXPECT_GE(grown.lines.size(), linesBefore + 2 + records) << "the records did not come";
  return StopLogging(main, path);
}

TEST(Logging, RunsAppendExactRecordsAndEndWhenUnticked) {
  TempFolder folder;
  ASSERT_TRUE(folder.Valid());
  const std::wstring path = folder.File(L"two-gpus.csv");
  auto app = Launch(kTwoGpuLogScenario);
  HWND main = StartTwoGpus(*app);
  ASSERT_NE(main, nullptr);

  std::string first;
  const LogLines run = SettledLog(path, RunAllItems(*app, main, path, 0, 3), first);
  ASSERT_GE(run.lines.size(), 5u);
  EXPECT_EQ(run.lines[0], kAllItemsNames);
  EXPECT_EQ(run.lines[1], kAllItemsColumns);
  ExpectRows(run.lines, 2, run.lines.size(), AllItemsRow);
  EXPECT_EQ(MainBoxState(main, kCsvBoxCaption), 0);

  // A second run on the same file: its header pair follows the old rows, which stay as they were.
  const std::size_t old = run.lines.size();
  std::string both;
  const LogLines again = SettledLog(path, RunAllItems(*app, main, path, old, 1), both);
  EXPECT_EQ(both.substr(0, first.size()), first) << "the first run's lines changed";
  ASSERT_GE(again.lines.size(), old + 3);
  EXPECT_EQ(again.lines[old], kAllItemsNames);
  EXPECT_EQ(again.lines[old + 1], kAllItemsColumns);
  ExpectRows(again.lines, old + 2, again.lines.size(), AllItemsRow);
}

TEST(Logging, ANameWithoutExtensionGetsCsv) {
  TempFolder folder;
  ASSERT_TRUE(folder.Valid());
  auto app = Launch(kTwoGpuLogScenario);
  HWND main = StartTwoGpus(*app);
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenLogDialog(*app, main, folder.File(L"plain"));
  ASSERT_NE(dialog, nullptr);
  ConfirmLogDialog(dialog);
  const LogLines log = WaitForLines(folder.File(L"plain.csv"), 3, kRowsTimeoutMs);
  EXPECT_GE(log.lines.size(), 3u) << "no log with the extension .csv";
  StopLogging(main, folder.File(L"plain.csv"));
  EXPECT_FALSE(FileExists(folder.File(L"plain")));
}

}  // namespace
}  // namespace e2e
