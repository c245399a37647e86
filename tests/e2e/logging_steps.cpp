#include "logging_steps.h"

#include <gtest/gtest.h>

#include "app_steps.h"
#include "driver/dialog_controls.h"
#include "driver/dialog_window.h"
#include "driver/file_bytes.h"
#include "driver/main_check_boxes.h"
#include "driver/process_windows.h"
#include "driver/save_dialog.h"
#include "driver/wait.h"
#include "driver/window_control.h"

namespace e2e {

void SetMainBox(HWND main, const wchar_t* caption, bool ticked) {
  HWND box = MainCheckBox(main, caption);
  ASSERT_NE(box, nullptr) << "no check box";
  ASSERT_TRUE(SetButtonCheck(box, ticked));
  EXPECT_EQ(ButtonCheck(box), ticked ? 1 : 0);
}

int MainBoxState(HWND main, const wchar_t* caption) {
  return ButtonCheck(MainCheckBox(main, caption));
}

HWND TickAndWaitForSaveDialog(const AppProcess& app, HWND main, const wchar_t* caption) {
  SetMainBox(main, caption, true);
  HWND dialog = WaitForDialog(app.Id(), kSaveDialogTitle, kCycleTimeoutMs);
  EXPECT_NE(dialog, nullptr) << "no save dialog after ticking a box";
  if (dialog != nullptr) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
  }
  return dialog;
}

HWND TickCsvAndWaitForSaveDialog(const AppProcess& app, HWND main) {
  return TickAndWaitForSaveDialog(app, main, kCsvBoxCaption);
}

HWND OpenLogDialog(const AppProcess& app, HWND main, const std::wstring& path) {
  HWND save = TickCsvAndWaitForSaveDialog(app, main);
  if (save == nullptr) return nullptr;
  EXPECT_TRUE(AcceptSaveDialog(save, path));
  EXPECT_TRUE(WaitGone(save, kCycleTimeoutMs)) << "the save dialog stays open";
  HWND dialog = WaitForDialog(app.Id(), kLogDialogTitle, kCycleTimeoutMs);
  EXPECT_NE(dialog, nullptr) << "no log settings dialog after the save dialog";
  if (dialog != nullptr) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
  }
  return dialog;
}

void ConfirmLogDialog(HWND dialog) {
  ASSERT_TRUE(PostClick(dialog, kLogStartButton));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "the log settings dialog stays open";
}

bool StartLog(const AppProcess& app, HWND main, const std::wstring& path) {
  HWND dialog = OpenLogDialog(app, main, path);
  if (dialog == nullptr) return false;
  ConfirmLogDialog(dialog);
  return true;
}

void StopLog(HWND main) {
  SetMainBox(main, kCsvBoxCaption, false);
  WaitForPoll(main);
}

HWND WaitForMessageBox(const AppProcess& app) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = FindMessageBox(app.Id());
        return box != nullptr && IsWindowVisible(box);
      },
      kCycleTimeoutMs);
  EXPECT_NE(box, nullptr) << "no message box";
  return box;
}

void ExpectMessage(HWND box, HWND owner, const std::wstring& text) {
  EXPECT_EQ(MessageBoxText(box), text);
  EXPECT_EQ(MessageBoxButtons(box), L"1:OK");
  EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
}

bool ShowsIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG kind = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
    if (ClassName(child) != "Static" || kind != SS_ICON || !IsWindowVisible(child)) continue;
    // Wine keeps the icon control of a box without an icon, holding no icon.
    if (Send(child, STM_GETICON).value_or(0) != 0) return true;
  }
  return false;
}

void Dismiss(HWND box) {
  EXPECT_TRUE(DismissMessageBox(box));
  EXPECT_TRUE(WaitGone(box, kCycleTimeoutMs)) << "the message box stays";
}

void ExpectOwnedMessageAndDismiss(const AppProcess& app, HWND owner, const std::wstring& text) {
  HWND box = WaitForMessageBox(app);
  if (box == nullptr) return;
  ExpectMessage(box, owner, text);
  Dismiss(box);
}

void ExpectCsvRefused(const AppProcess& app, HWND main) {
  ExpectOwnedMessageAndDismiss(app, main, kCsvRefusedText);
  EXPECT_TRUE(WaitUntil([&] { return MainBoxState(main, kCsvBoxCaption) == 0; }, kCycleTimeoutMs))
      << "the CSV box stays ticked";
  EXPECT_EQ(FindDialog(app.Id(), kLogDialogTitle), nullptr);
}

void ExpectNoFile(const std::wstring& path, DWORD forMs) {
  EXPECT_FALSE(WaitUntil([&] { return FileExists(path); }, forMs)) << "a file was made";
}

void WaitForPoll(HWND main) {
  const std::wstring before = WindowText(InfoBox(main));
  const bool detail = MainBoxState(main, kDetailBoxCaption) == 1;
  SetMainBox(main, kDetailBoxCaption, !detail);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(InfoBox(main)) != before; }, kCycleTimeoutMs))
      << "the information box did not follow the detail box";
}

}  // namespace e2e
