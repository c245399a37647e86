// The CSV box turned off and on again while the first run's thread still waits out its interval:
// after the second header pair only the new run writes, one record a second.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr DWORD kRowsTimeoutMs = 15000;
constexpr DWORD kTypingMs = 5000;
constexpr DWORD kFirstIntervalMs = 10000;

// The first run: Graphics Clock and Temperature only, one record every ten seconds, the
// interval typed rather than picked from the list.
void StartNarrowSlowRun(const AppProcess& app, HWND main, const std::wstring& path) {
  HWND dialog = OpenLogDialog(app, main, path);
  ASSERT_NE(dialog, nullptr);
  for (int id : kItemBoxes) {
    if (id != kGraphicsClockBox && id != kTemperatureBox) {
      ASSERT_TRUE(SetCheckState(dialog, id, false));
    }
  }
  ASSERT_TRUE(TypeIntoCombo(GetDlgItem(dialog, kIntervalCombo), L"10秒", kTypingMs));
  ConfirmLogDialog(dialog);
}

class LoggingRestart : public AppTest {};

TEST_F(LoggingRestart, QuickOffAndOnLeavesOnlyTheNewRunWriting) {
  const std::wstring path = folder.File(L"restart.csv");
  ASSERT_TRUE(Start(kTwoGpuLogScenario));

  StartNarrowSlowRun(*app, main, path);
  const LogLines first = WaitForLines(path, 3, kRowsTimeoutMs);
  const ULONGLONG firstRecordAt = GetTickCount64();
  ASSERT_EQ(first.lines.size(), 3u);
  EXPECT_EQ(first.lines[0], kTwoItemsNames);
  EXPECT_EQ(first.lines[1], kTwoItemsColumns);
  ExpectRows(first.lines, 2, 3, TwoItemsRow);
  EXPECT_EQ(WaitForLines(path, 4, 3000).lines.size(), 3u)
      << "the typed 10 s interval was not taken";

  StopLog(main);
  ASSERT_TRUE(StartLog(*app, main, path));
  ASSERT_LT(GetTickCount64() - firstRecordAt, kFirstIntervalMs - 1000)
      << "the second run began too late to meet the first run's thread in its wait";
  // Past the end of the first run's wait and a few records more.
  const ULONGLONG until = firstRecordAt + kFirstIntervalMs + 3000;
  if (GetTickCount64() < until) Sleep(static_cast<DWORD>(until - GetTickCount64()));
  StopLog(main);
  bool settled = false;
  const LogLines log = SplitCrLfLines(WaitUntilSettled(path, 3000, 15000, settled));
  EXPECT_TRUE(settled) << "the file keeps growing after the box was unticked";
  EXPECT_TRUE(log.wellFormed);

  ASSERT_GE(log.lines.size(), 6u);
  EXPECT_EQ(log.lines[3], kAllItemsNames) << "rows of the first run before the second header";
  EXPECT_EQ(log.lines[4], kAllItemsColumns);
  std::size_t narrow = 0;
  for (std::size_t i = 5; i < log.lines.size(); ++i)
    narrow += CommaCount(log.lines[i]) == CommaCount(kTwoItemsColumns);
  EXPECT_EQ(narrow, 0u) << "the first run still writes after the second header";
  ExpectRows(log.lines, 5, log.lines.size(), AllItemsRow);
  // One writer: no more rows than seconds from the first time stamp to the last, plus one.
  const long long span =
      StampSeconds(log.lines.back().substr(0, 19)) - StampSeconds(log.lines[5].substr(0, 19));
  const auto rows = static_cast<long long>(log.lines.size() - 5);
  EXPECT_LE(rows, span + 1) << rows << " records in " << span << " s";
}

}  // namespace
}  // namespace e2e
