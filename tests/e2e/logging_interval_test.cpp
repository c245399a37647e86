// The interval of a run typed into the dialog's combo box: a text that names no entry keeps the
// interval of the last confirmed run rather than being read as a number.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr DWORD kTypingMs = 5000;
constexpr long long kChosenSeconds = 2;

class LoggingInterval : public AppTest {};

TEST_F(LoggingInterval, TextNamingNoEntryKeepsTheLastConfirmedInterval) {
  const std::wstring path = folder.File(L"interval.csv");
  ASSERT_TRUE(Start(kTwoGpuLogScenario));

  HWND dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SelectComboEntry(GetDlgItem(dialog, kIntervalCombo), 1));  // "2秒"
  ConfirmLogDialog(dialog);
  ASSERT_GE(WaitForLines(path, 3, kCycleTimeoutMs).lines.size(), 3u);
  StopLog(main);
  bool settled = false;
  const std::size_t before =
      SplitCrLfLines(WaitUntilSettled(path, 3000, 15000, settled)).lines.size();

  dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);
  // Read as a number this would be seven seconds; it names no entry, so two seconds stay.
  ASSERT_TRUE(TypeIntoCombo(GetDlgItem(dialog, kIntervalCombo), L"7秒", kTypingMs));
  ConfirmLogDialog(dialog);
  const LogLines log = WaitForLines(path, before + 2 + 3, 9000);
  StopLog(main);
  ASSERT_GE(log.lines.size(), before + 2 + 3) << "three records did not come in 9 s";
  ExpectAllItemsRunAt(log.lines, before);
  ExpectStampGaps(log.lines, before + 2, kChosenSeconds, std::numeric_limits<long long>::max());
}

}  // namespace
}  // namespace e2e
