// Steps the end-to-end tests share, and the driver they work through: start the shipped program
// on a scenario, wait for what it shows, find its controls. Failed expectations are reported
// through GoogleTest; a returned null window means the test cannot go on.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/app_process.h"
#include "driver/child_windows.h"
#include "driver/combo_box.h"
#include "driver/dialog_controls.h"
#include "driver/dialog_window.h"
#include "driver/file_bytes.h"
#include "driver/main_check_boxes.h"
#include "driver/process_windows.h"
#include "driver/save_dialog.h"
#include "driver/tab_control.h"
#include "driver/test_resources.h"
#include "driver/wait.h"
#include "driver/window_control.h"

namespace e2e {

inline constexpr DWORD kStartTimeoutMs = 20000;
inline constexpr DWORD kCycleTimeoutMs = 15000;
inline constexpr int kChildCount = 17;  // 13 group boxes, 3 check boxes, the tab control

// Starts quorvane.exe (or the program `exe`, a Windows path) with tests/scenarios/`scenario`; the
// run ends with the returned object.
std::unique_ptr<AppProcess> Launch(const std::string& scenario, const char* exe = nullptr);
// The next thing the program shows, which must be of `kind`.
UiEvent ExpectNext(const AppProcess& app, UiEventKind kind, DWORD timeoutMs = kStartTimeoutMs);
// The visible main window once all its children exist, or null.
HWND ExpectMainWindow(const AppProcess& app, DWORD timeoutMs = kStartTimeoutMs);
// A message box with exactly `text` and only an OK button, answered with OK.
void ExpectMessageBoxAndDismiss(const AppProcess& app, const std::wstring& text);
// The next thing the program shows is its end, with exit code 0. Only for a program that has no
// visible window left: a main window that is still closing would be seen first.
void ExpectCleanExit(const AppProcess& app);

// Moves the window to the top left of the screen, so that even the largest window lies wholly on
// it, and waits until its thread has handled the move; false when it does not answer.
bool MoveToScreenOrigin(HWND main);
// Closes the main window as its close box would; the process ends within `timeoutMs` with code 0.
void ExpectCloseEndsWithCodeZero(const AppProcess& app, HWND main, DWORD timeoutMs = 2000);

// A running program as the steps of a test reach it: its process and its main window.
struct AppRun {
  const AppProcess& app;
  HWND main;
};

// A test of one run of the program: a fresh folder for its files, the process and its main
// window. Each test suite derives its own fixture from it; the run ends before the folder goes.
class AppTest : public ::testing::Test {
 protected:
  // Starts the program on `scenario` and waits for its main window; false when the folder or
  // the main window is missing.
  bool Start(const std::string& scenario, DWORD timeoutMs = kStartTimeoutMs) {
    if (!folder.Valid()) return false;
    app = Launch(scenario, exe);
    main = ExpectMainWindow(*app, timeoutMs);
    return main != nullptr;
  }
  AppRun Run() const { return {*app, main}; }

  const char* exe = nullptr;  // the program started: quorvane.exe unless a fixture sets another
  TempFolder folder;
  std::unique_ptr<AppProcess> app;
  HWND main = nullptr;
};

inline HWND TabControl(HWND main) {
  return FindChild(main, "SysTabControl32");
}
HWND InfoBox(HWND main);
// The information box shows `line` within `timeoutMs`.
void ExpectInfoLine(HWND main, const std::wstring& line, DWORD timeoutMs = kCycleTimeoutMs);
std::vector<std::string> WaitForTabLabels(const AppProcess& app, HWND main,
                                          const std::vector<std::string>& expected);

}  // namespace e2e
