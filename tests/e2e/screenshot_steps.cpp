#include "screenshot_steps.h"

#include <gtest/gtest.h>

#include "app_steps.h"
#include "driver/combo_box.h"
#include "driver/dialog_controls.h"
#include "driver/dialog_window.h"
#include "driver/file_bytes.h"
#include "driver/main_check_boxes.h"
#include "driver/save_dialog.h"
#include "driver/wait.h"
#include "logging_steps.h"

namespace e2e {

HWND OpenShotDialog(const AppRun& run, const std::wstring& path) {
  HWND save = TickAndWaitForSaveDialog(run.app, run.main, kShotBoxCaption);
  if (save == nullptr) return nullptr;
  EXPECT_TRUE(AcceptSaveDialog(save, path));
  EXPECT_TRUE(WaitGone(save, kCycleTimeoutMs)) << "the save dialog stays open";
  HWND dialog = WaitForDialog(run.app.Id(), kShotDialogTitle, kCycleTimeoutMs);
  EXPECT_NE(dialog, nullptr) << "no temperature dialog after the save dialog";
  if (dialog != nullptr) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), run.main);
  }
  return dialog;
}

HWND TriggerCombo(HWND dialog) {
  return GetDlgItem(dialog, kTriggerCombo);
}

bool ConfirmTrigger(HWND dialog, int degrees) {
  EXPECT_TRUE(SelectComboEntry(TriggerCombo(dialog), degrees - kLowestTrigger));
  EXPECT_TRUE(PostClick(dialog, kShotConfirmButton));
  const bool gone = WaitGone(dialog, kCycleTimeoutMs);
  EXPECT_TRUE(gone) << "the temperature dialog stays open";
  return gone;
}

bool RequestShot(const AppRun& run, const std::wstring& path, int degrees) {
  HWND dialog = OpenShotDialog(run, path);
  if (dialog == nullptr) return false;
  return ConfirmTrigger(dialog, degrees);
}

std::optional<BmpImage> WaitForShot(const AppRun& run, const std::wstring& path, DWORD timeoutMs) {
  const bool written = WaitUntil(
      [&] { return FileExists(path) && MainBoxState(run.main, kShotBoxCaption) == 0; }, timeoutMs);
  if (!written) return std::nullopt;
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return BmpImage(std::move(*bytes));
}

void ExpectShotRefused(const AppRun& run, const std::wstring& text) {
  ExpectOwnedMessageAndDismiss(run.app, run.main, text);
  EXPECT_TRUE(
      WaitUntil([&] { return MainBoxState(run.main, kShotBoxCaption) == 0; }, kCycleTimeoutMs))
      << "the Screen Shot box stays ticked";
  EXPECT_EQ(FindDialog(run.app.Id(), kShotDialogTitle), nullptr);
}

}  // namespace e2e
