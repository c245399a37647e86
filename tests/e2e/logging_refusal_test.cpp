// A CSV start that the user breaks off, in the save dialog or in the log settings dialog: the
// program says the file cannot be saved, unticks the box and writes nothing; the box can be
// ticked again.
#include <gtest/gtest.h>

#include <string>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr DWORD kNoFileMs = 2500;  // more than two cycles and a logging interval

void CancelSaveAndExpectRefusal(const AppProcess& app, HWND main, const std::wstring& path) {
  HWND save = TickAndWaitForSaveDialog(app, main, kCsvBoxCaption);
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(CancelSaveDialog(save, path));
  EXPECT_TRUE(WaitGone(save, kCycleTimeoutMs)) << "the save dialog stays open";
  ExpectCsvRefused(app, main);
  ExpectNoFile(path, kNoFileMs);
}

class LoggingRefusal : public AppTest {};

TEST_F(LoggingRefusal, CancellingTheSaveDialog) {
  ASSERT_TRUE(Start(kTwoGpuLogScenario));
  CancelSaveAndExpectRefusal(*app, main, folder.File(L"cancelled.csv"));
}

TEST_F(LoggingRefusal, ClosingTheSettingsDialogWithItsCloseBox) {
  const std::wstring path = folder.File(L"closed.csv");
  ASSERT_TRUE(Start(kTwoGpuLogScenario));
  HWND dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PostCloseBox(dialog));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "the close box leaves the dialog open";
  ExpectCsvRefused(*app, main);
  ExpectNoFile(path, kNoFileMs);
  // Back at rest: ticking again starts afresh with the save dialog.
  CancelSaveAndExpectRefusal(*app, main, path);
}

}  // namespace
}  // namespace e2e
