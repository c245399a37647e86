// One run of the program under test, started with a chosen simulator scenario, and what it shows
// next. A run that is still going when the object ends is terminated, so a failed test never
// leaves it behind.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

class AppProcess {
 public:
  // Starts `exePath` with QUORVANE_SIM_SCENARIO set to `scenarioPath` (inherited by the child).
  AppProcess(const std::string& exePath, const std::string& scenarioPath);
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // The exit code once the process has ended within `timeoutMs`; nothing otherwise.
  std::optional<DWORD> WaitExit(DWORD timeoutMs) const;
  void Kill();
  double SecondsSinceStart() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  LARGE_INTEGER started_ = {};
};

// What a starting program shows next: a message box, its main window, or its end. Watching for
// all three at once lets a test state the exact sequence, and tells a main window that became
// visible before (or instead of) a message box.
enum class UiEventKind { kMessageBox, kMainWindowShown, kExited, kTimeout };

struct UiEvent {
  UiEventKind kind = UiEventKind::kTimeout;
  HWND window = nullptr;  // the message box or the main window
  DWORD exitCode = 0;
  double seconds = 0;  // since the process was started
};

// Waits up to `timeoutMs` for the first of: a visible message box, the visible main window, the
// end of the process (checked in that order at every poll).
UiEvent NextUiEvent(const AppProcess& app, DWORD timeoutMs);
std::string Describe(const UiEvent& event);

}  // namespace e2e
